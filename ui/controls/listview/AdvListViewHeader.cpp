// The advanced list view's header and column layout: the owner-drawn header,
// its styles, column widths (auto size, stretching, stored widths), the
// display order, and the window's creation, destruction and end of loading.
#include "ui/controls/listview/AdvListView.h"

#include <commctrl.h>

#include "base/ImgList.h"
#include "base/IniFiles.h"
#include "base/Registry.h"
#include "ui/draw/HtmlRender.h"

namespace {

constexpr UINT_PTR kListTimer = 1222;

// SetWindowTheme of the visual-styles library, bound on first use; nullptr
// without the library.
using TSetWindowTheme = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
TSetWindowTheme SetWindowThemeEntry() {
  static TSetWindowTheme entry = [] {
    HMODULE lib = LoadLibraryW(L"UXTHEME.DLL");
    return lib ? reinterpret_cast<TSetWindowTheme>(reinterpret_cast<void*>(GetProcAddress(lib, "SetWindowTheme")))
               : nullptr;
  }();
  return entry;
}

int HeaderCount(HWND Header) { return Header ? static_cast<int>(SendMessageW(Header, HDM_GETITEMCOUNT, 0, 0)) : 0; }

}  // namespace

// ---------------------------------------------------------------------------
// Window creation, destruction, end of loading

void TAdvListView::CreateWnd() {
  TCustomListView::CreateWnd();
  HWND h = Handle();
  HWND header = HeaderHandle();
  if (header && FHeaderImages && FHeaderImages->HandleAllocated())
    SendMessageW(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FHeaderImages->Handle()));
  FHoverTime = static_cast<int>(SendMessageW(h, LVM_GETHOVERTIME, 0, 0));
  if (header) SendMessageW(header, HDM_SETFILTERCHANGETIMEOUT, 0, 500);
  if (FListTimerID == -1 && SetTimer(h, kListTimer, 300, nullptr)) FListTimerID = static_cast<int>(kListTimer);
  SetItemHeight(FItemHeight + 1);
  SetItemHeight(FItemHeight - 1);
  SetExtendedStyle(LVS_EX_INFOTIP, OnInfoTip ? LVS_EX_INFOTIP : 0);
  if (FHeaderDragDrop) SetExtendedStyle(LVS_EX_HEADERDRAGDROP, LVS_EX_HEADERDRAGDROP);
  if (FSubImages) SetExtendedStyle(LVS_EX_SUBITEMIMAGES, LVS_EX_SUBITEMIMAGES);
  if (header) {
    LONG_PTR style = GetWindowLongPtrW(header, GWL_STYLE);
    if (FHeaderHotTrack) style |= HDS_HOTTRACK;
    if (FHeaderFlatStyle) style &= ~static_cast<LONG_PTR>(HDS_BUTTONS);
    SetWindowLongPtrW(header, GWL_STYLE, style);
  }
  SetHeaderHeight(FHeaderHeight);
  if (FFilterBar) ShowFilter(true);
  if (!FWallpaper->Empty()) ApplyWallpaper();
  HDC dc = GetDC(h);
  FDPIScale = GetDeviceCaps(dc, LOGPIXELSY) / 96.0;
  ReleaseDC(h, dc);
}

void TAdvListView::DestroyWnd() {
  if (FListTimerID != -1 && HandleAllocated()) KillTimer(Handle(), kListTimer);
  FListTimerID = -1;
  TCustomListView::DestroyWnd();
}

void TAdvListView::Loaded() {
  TCustomListView::Loaded();
  FOldCursor = Cursor();
  NudgeHeight();
  ApplyWallpaper();
  SetHeaderHeight(FHeaderHeight);
  // Every header item's format written once.
  bool stored = FHeaderOwnerDraw;
  SetHeaderOwnerDraw(true);
  ApplyColumnAlignment(0);
  SetHeaderOwnerDraw(stored);
  if (FColumnSize->Stretch()) StretchRightColumn();
  int sum = 0;
  for (int i = 0; i < Columns()->Count(); ++i) {
    TListColumn* c = Columns()->Items(i);
    SetHeaderItemFormat(i);
    if (c->AutoSize()) {
      c->SetWidth(10);
    } else {
      int w = c->Width();
      c->SetWidth(w + 1);
      c->SetWidth(w);
      sum += w;
    }
  }
  for (int i = 0; i < Columns()->Count(); ++i) {
    TListColumn* c = Columns()->Items(i);
    if (c->AutoSize()) c->SetWidth(Width() - sum - 2 * GetSystemMetrics(SM_CXVSCROLL));
  }
  if (!IsDesigning()) FHeaderFont->SetSize(static_cast<int>(Round(FHeaderFont->Size() * FDPIScale)));
}

// ---------------------------------------------------------------------------
// Header settings

void TAdvListView::RepaintHeader() {
  if (HWND header = HeaderHandle()) InvalidateRect(header, nullptr, TRUE);
}

void TAdvListView::ReOrganize() { NudgeHeight(); }

void TAdvListView::SetHeaderOwnerDraw(bool Value) {
  if (FHeaderUpdating) return;
  // Inside an update bracket the header is written when the bracket ends.
  if (FUpdateCount > 0) {
    FHeaderOwnerDraw = Value;
    return;
  }
  if (!Value && FHeaderOwnerDraw) {
    FHeaderOwnerDraw = false;
    // The items draw their text again, in their columns' alignment.
    if (HWND header = HeaderHandle()) {
      for (int i = 0, n = HeaderCount(header); i < n; ++i) {
        HDITEMW hi{};
        hi.mask = HDI_FORMAT;
        hi.fmt = HeaderTextFormat(i);
        SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&hi));
      }
      for (int i = 0; i < Columns()->Count(); ++i) ApplyColumnAlignment(i);
    }
    HeaderFontChanged();
    return;
  }
  FHeaderUpdating = true;
  struct TReset {
    bool& F;
    ~TReset() { F = false; }
  } reset{FHeaderUpdating};
  FHeaderOwnerDraw = Value;
  HWND header = HeaderHandle();
  if (!header) return;
  bool changed = false;
  for (int i = 0, n = HeaderCount(header); i < n; ++i) {
    HDITEMW hi{};
    hi.mask = HDI_FORMAT;
    SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&hi));
    int wanted = Value ? HDF_OWNERDRAW : HeaderTextFormat(i);
    if (hi.fmt == wanted) continue;
    changed = true;
    hi.fmt = wanted;
    SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&hi));
  }
  if (Value) {
    if (changed) SetWindowPos(header, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
    SetHeaderHeight(FHeaderHeight);
  } else {
    SendMessageW(header, WM_SETFONT, reinterpret_cast<WPARAM>(FHeaderFont->Handle()), TRUE);
  }
}

void TAdvListView::SetHeaderHeight(int Value) {
  FHeaderHeight = Value;
  if (FHeaderOwnerDraw) {
    SetHeaderSize(Value);
    RepaintHeader();
  }
}

void TAdvListView::SetHeaderSize(int AValue) {
  if (!FHeaderOwnerDraw) return;
  FHeaderHeight = AValue;
  FHeaderSizeFont->SetHeight(AValue);
  HWND header = HeaderHandle();
  if (!header) return;
  if (AValue > 13) {
    if (TSetWindowTheme setTheme = SetWindowThemeEntry()) setTheme(header, L"", L"");
  }
  SendMessageW(header, WM_SETFONT, reinterpret_cast<WPARAM>(FHeaderSizeFont->Handle()), TRUE);
  ReOrganize();
  RepaintHeader();
}

void TAdvListView::SetHeaderColor(TColor Value) {
  if (Value == FHeaderColor) return;
  FHeaderColor = Value;
  RepaintHeader();
}

void TAdvListView::SetHeaderImages(TCustomImageList* Value) {
  if (Value == FHeaderImages) return;
  if (FHeaderImages && FHeaderImages != SmallImages() && FHeaderImages != StateImages())
    FHeaderImages->RemoveFreeNotification(this);
  FHeaderImages = Value;
  if (Value) Value->FreeNotification(this);
  if (HWND header = HeaderHandle())
    SendMessageW(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(Value ? Value->Handle() : nullptr));
}

void TAdvListView::SetHeaderHotTrack(bool Value) {
  if (HWND header = HeaderHandle()) {
    LONG_PTR style = GetWindowLongPtrW(header, GWL_STYLE);
    SetWindowLongPtrW(header, GWL_STYLE, Value ? style | HDS_HOTTRACK : style & ~static_cast<LONG_PTR>(HDS_HOTTRACK));
  }
  FHeaderHotTrack = Value;
}

void TAdvListView::SetHeaderFlatStyle(bool Value) {
  if (HWND header = HeaderHandle()) {
    LONG_PTR style = GetWindowLongPtrW(header, GWL_STYLE);
    SetWindowLongPtrW(header, GWL_STYLE, Value ? style & ~static_cast<LONG_PTR>(HDS_BUTTONS) : style | HDS_BUTTONS);
  }
  FHeaderFlatStyle = Value;
}

void TAdvListView::SetHeaderDragDrop(bool Value) {
  if (Value == FHeaderDragDrop) return;
  SetExtendedStyle(LVS_EX_HEADERDRAGDROP, Value ? LVS_EX_HEADERDRAGDROP : 0);
  FHeaderDragDrop = Value;
}

void TAdvListView::SetItemHeight(int Value) {
  if (Value == FItemHeight || Value <= 0) return;
  FItemHeight = Value;
  NudgeHeight();
}

void TAdvListView::SetFilterTimeOut(int Value) {
  FFilterTimeOut = Value;
  if (HWND header = HeaderHandle()) SendMessageW(header, HDM_SETFILTERCHANGETIMEOUT, 0, Value);
}

void TAdvListView::SetHoverTime(int Value) {
  if (Value == FHoverTime) return;
  FHoverTime = Value;
  if (HandleAllocated()) SendMessageW(Handle(), LVM_SETHOVERTIME, 0, Value);
}

// ---------------------------------------------------------------------------
// Header drawing

void TAdvListView::DrawHeaderItem(const DRAWITEMSTRUCT& DrawItemStruct) {
  std::vector<int> order = OrderArray();
  int index = static_cast<int>(DrawItemStruct.itemID);
  int count = Columns()->Count();
  if (index < 0 || index >= count) return;
  // The item is the column of its own index, wherever it is shown.
  TListColumn* column = Columns()->Items(index);
  String text = column->Caption();
  TCanvas canvas;
  canvas.SetHandle(DrawItemStruct.hDC);
  struct TDetach {
    TCanvas& c;
    ~TDetach() { c.SetHandle(nullptr); }
  } detach{canvas};
  TRect r(DrawItemStruct.rcItem);
  int realRight = r.right;
  bool last = true;
  for (int i = 0; i < count; ++i)
    if (order[i] == index) last = i == count - 1;
  if (last) r.right = GetScrollPos(Handle(), SB_HORZ) + Width();
  canvas.Brush()->SetColor(FHeaderColor == clNone ? clBtnFace : FHeaderColor);
  canvas.FillRect(r);
  canvas.Pen()->SetColor(clGray);
  canvas.MoveTo(r.right - 1, r.top);
  canvas.LineTo(r.right - 1, r.bottom);
  r.right = realRight;
  r.Inflate(-2, -1);
  TAlignment align = column->Alignment();
  UINT dt = align == TAlignment::taRightJustify ? DT_RIGHT : align == TAlignment::taCenter ? DT_CENTER : DT_LEFT;
  if (FHeaderImages && column->ImageIndex() >= 0 && !FSortShow) {
    FHeaderImages->Draw(&canvas, r.left, r.top, column->ImageIndex());
    r.left += 16;
  }
  bool sorted = FSortShow && FSortColumn != -2 && FSortColumn == index;
  if (sorted) {
    if (FSortIndicator == TSortIndicator::siRight)
      r.right -= 16;
    else
      r.left += 16;
  }
  canvas.Font()->Assign(FHeaderFont);
  canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  int textWidth = 0;
  if (text.find(L"</") == String::npos) {
    UINT flags = dt | DT_NOPREFIX | DT_VCENTER;
    flags |= text.find(L'\r') == String::npos ? DT_SINGLELINE | DT_END_ELLIPSIS : DT_WORDBREAK;
    TRect tr = r;
    canvas.TextRect(tr, text, flags);
    textWidth = canvas.TextWidth(text);
  } else {
    String anchor, stripped;
    int xs = 0, ys = 0;
    RenderHtmlBasic(&canvas, text, r, SmallImages(), 0, 0, false, false, false, false, true, 1.0, FURLColor, anchor,
                    stripped, xs, ys);
    textWidth = xs;
  }
  if (FSortIndicator == TSortIndicator::siRight) r.right = Min<LONG>(r.right, r.left + textWidth);
  if (!sorted) return;
  int x = FSortIndicator == TSortIndicator::siRight ? r.right : r.left - 16;
  if (!FSortUpGlyph->Empty() && !FSortDownGlyph->Empty()) {
    TBitmap* glyph = FSortDirection == TSortDirection::sdAscending ? FSortDownGlyph : FSortUpGlyph;
    FSortUpGlyph->SetTransparent(true);
    FSortDownGlyph->SetTransparent(true);
    int y = glyph->Height() < FHeaderHeight ? (FHeaderHeight - glyph->Height()) / 2 : 0;
    canvas.Draw(x, y, glyph);
  } else if (FHeaderImages) {
    int h = FHeaderImages->Height();
    int y = h < FHeaderHeight ? (FHeaderHeight - h) / 2 : 0;
    FHeaderImages->Draw(&canvas, x, y, FSortDirection == TSortDirection::sdAscending ? 0 : 1);
  }
}

void TAdvListView::SetHeaderItemFormat(int Column) {
  HWND header = HeaderHandle();
  if (!header || Column < 0 || Column >= HeaderCount(header)) return;
  HDITEMW hi{};
  hi.mask = HDI_FORMAT;
  SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(Column), reinterpret_cast<LPARAM>(&hi));
  int shown = hi.fmt;
  if (FHeaderOwnerDraw) {
    hi.fmt = HDF_OWNERDRAW;
  } else {
    hi.fmt |= HDF_STRING;
    if (FHeaderImages && FSortShow && Column == FSortColumn)
      hi.fmt |= HDF_IMAGE;
    else
      hi.fmt &= ~HDF_IMAGE;
  }
  // Writing an item lays out the header and notifies again: only a change.
  if (hi.fmt != shown) SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(Column), reinterpret_cast<LPARAM>(&hi));
}

int TAdvListView::HeaderTextFormat(int Column) {
  // The list view keeps its first column left-aligned.
  if (Column <= 0 || Column >= Columns()->Count()) return HDF_STRING | HDF_LEFT;
  TAlignment a = Columns()->Items(Column)->Alignment();
  return HDF_STRING | (a == TAlignment::taRightJustify ? HDF_RIGHT : a == TAlignment::taCenter ? HDF_CENTER : HDF_LEFT);
}

void TAdvListView::ApplyColumnAlignment(int Column) {
  if (!HandleAllocated() || Column < 0 || Column >= Columns()->Count()) return;
  LVCOLUMNW col{};
  col.mask = LVCF_FMT;
  TAlignment a = Columns()->Items(Column)->Alignment();
  col.fmt = a == TAlignment::taRightJustify ? LVCFMT_RIGHT : a == TAlignment::taCenter ? LVCFMT_CENTER : LVCFMT_LEFT;
  SendMessageW(Handle(), LVM_SETCOLUMNW, static_cast<WPARAM>(Column), reinterpret_cast<LPARAM>(&col));
}

void TAdvListView::HeaderFontChanged() {
  if (FHeaderOwnerDraw) return;
  HWND header = HeaderHandle();
  if (!header) return;
  SendMessageW(header, WM_SETFONT, reinterpret_cast<WPARAM>(FHeaderFont->Handle()), TRUE);
  SetWindowPos(header, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWidth(Width() + 1);
  SetWidth(Width() - 1);
}

int TAdvListView::ColumnImages(int Column) {
  if (!HandleAllocated()) return Column >= 0 && Column < Columns()->Count() ? Columns()->Items(Column)->ImageIndex() : -1;
  // The platform reports image 0 for a column that shows none: only a column
  // whose format carries an image has one.
  LVCOLUMNW col{};
  col.mask = LVCF_FMT | LVCF_IMAGE;
  if (SendMessageW(Handle(), LVM_GETCOLUMNW, static_cast<WPARAM>(Column), reinterpret_cast<LPARAM>(&col)) <= 0)
    return -1;
  if (!(col.fmt & LVCFMT_IMAGE) || col.iImage < 0) return -1;
  return col.iImage;
}

void TAdvListView::SetColumnImages(int Column, int AValue) {
  if (Column < 0 || Column >= Columns()->Count()) return;
  TListColumn* c = Columns()->Items(Column);
  c->SetImageIndex(AValue);
  if (HandleAllocated()) {
    LVCOLUMNW col{};
    col.mask = LVCF_FMT | LVCF_IMAGE;
    TAlignment a = c->Alignment();
    col.fmt = a == TAlignment::taRightJustify ? LVCFMT_RIGHT : a == TAlignment::taCenter ? LVCFMT_CENTER : LVCFMT_LEFT;
    if (AValue >= 0) {
      col.fmt |= LVCFMT_IMAGE;
      if (FSortIndicator == TSortIndicator::siRight) col.fmt |= LVCFMT_BITMAP_ON_RIGHT;
    }
    col.iImage = AValue;
    SendMessageW(Handle(), LVM_SETCOLUMNW, static_cast<WPARAM>(Column), reinterpret_cast<LPARAM>(&col));
    if (FHeaderImages && AValue >= 0 && AValue < FHeaderImages->Count()) {
      if (HWND header = HeaderHandle()) {
        SendMessageW(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FHeaderImages->Handle()));
        HDITEMW hi{};
        hi.mask = HDI_IMAGE;
        hi.iImage = AValue;
        SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(Column), reinterpret_cast<LPARAM>(&hi));
      }
    }
  }
  SetHeaderItemFormat(Column);
}

// ---------------------------------------------------------------------------
// Column widths

void TAdvListView::StretchRightColumn() {
  int n = Columns()->Count();
  if (n == 0 || !FColumnSize->Stretch() || IsLoading()) return;
  int client = ClientWidth();
  if (n == 1) {
    Columns()->Items(0)->SetWidth(client);
    return;
  }
  int rest = client;
  for (int i = 0; i < n - 1; ++i) rest -= Columns()->Items(i)->Width();
  if (rest > 0) Columns()->Items(n - 1)->SetWidth(rest - 1);
}

void TAdvListView::AutoSizeColumn(int i) {
  if (Items()->Count() == 0 || i < 0 || i >= Columns()->Count() || !HandleAllocated()) return;
  HDC dc = GetDC(Handle());
  FDrawCanvas->Lock();
  FDrawCanvas->SetHandle(dc);
  int widest = 0;
  try {
    for (int r = 0; r < Items()->Count(); ++r) {
      TListItem* item = Items()->Item(r);
      String text = CellText(item, i);
      if (text.find(L"{\\") != String::npos) text = RichPlainText(r, i - 1);
      FDrawCanvas->Font()->Assign(Font());
      DoDrawItemProp(r, i - 1, TOwnerDrawState(), FDrawCanvas->Brush(), FDrawCanvas->Font(), text);
      int w;
      if (text.find(L"</") != String::npos) {
        String anchor, stripped;
        int xs = 0, ys = 0;
        RenderHtmlBasic(FDrawCanvas, text, TRect(0, 0, 65535, 65535), SmallImages(), 0, 0, false, true, false, false,
                        true, 1.0, FURLColor, anchor, stripped, xs, ys);
        w = xs;
      } else {
        w = FDrawCanvas->TextWidth(text);
      }
      int img = i == 0 ? item->ImageIndex() : item->SubItemImages(i - 1);
      if (SmallImages() && img != -1) w += SmallImages()->Width();
      if (i == 0 && Checkboxes()) w += 16;
      widest = Max(widest, w);
    }
  } catch (...) {
    FDrawCanvas->SetHandle(nullptr);
    FDrawCanvas->Unlock();
    ReleaseDC(Handle(), dc);
    throw;
  }
  FDrawCanvas->SetHandle(nullptr);
  FDrawCanvas->Unlock();
  ReleaseDC(Handle(), dc);
  Columns()->Items(i)->SetWidth(widest + 10);
}

void TAdvListView::AutoSizeColumns() {
  bool locked = HandleAllocated() && LockWindowUpdate(Handle());
  try {
    for (int i = 0; i < Columns()->Count(); ++i) AutoSizeColumn(i);
  } catch (...) {
    if (locked) LockWindowUpdate(nullptr);
    throw;
  }
  if (locked) LockWindowUpdate(nullptr);
}

void TAdvListView::LoadColumnSizes() {
  if (!FColumnSize->Save() || FColumnSize->Key().empty() || FColumnSize->Section().empty() || IsDesigning()) return;
  if (FColumnSize->Storage() == TSizeStorage::stInifile) {
    TIniFile ini(FColumnSize->Key());
    for (int i = 0; i < Columns()->Count(); ++i) {
      int w = ini.ReadInteger(FColumnSize->Section(), L"col" + IntToStr(i), -1);
      if (w != -1) Columns()->Items(i)->SetWidth(w);
    }
    return;
  }
  TRegistry reg(KEY_READ);
  reg.SetRootKey(HKEY_CURRENT_USER);
  if (!reg.OpenKeyReadOnly(FColumnSize->Key() + L"\\" + FColumnSize->Section())) return;
  for (int i = 0; i < Columns()->Count(); ++i) {
    String name = L"col" + IntToStr(i);
    if (reg.GetDataType(name) != TRegDataType::rdInteger) continue;
    int w = reg.ReadInteger(name);
    if (w != -1) Columns()->Items(i)->SetWidth(w);
  }
}

void TAdvListView::SaveColumnSizes() {
  if (!FColumnSize->Save() || FColumnSize->Key().empty() || FColumnSize->Section().empty() || IsDesigning()) return;
  if (FColumnSize->Storage() == TSizeStorage::stInifile) {
    TIniFile ini(FColumnSize->Key());
    for (int i = 0; i < Columns()->Count(); ++i)
      ini.WriteInteger(FColumnSize->Section(), L"col" + IntToStr(i), Columns()->Items(i)->Width());
    return;
  }
  TRegistry reg;
  reg.SetRootKey(HKEY_CURRENT_USER);
  if (!reg.OpenKey(FColumnSize->Key() + L"\\" + FColumnSize->Section(), true)) return;
  for (int i = 0; i < Columns()->Count(); ++i) reg.WriteInteger(L"col" + IntToStr(i), Columns()->Items(i)->Width());
}

// ---------------------------------------------------------------------------
// Display order

int TAdvListView::IndexOfColumn(int DisplIndex) {
  int n = Columns()->Count();
  if (DisplIndex < 0 || DisplIndex >= n) return -1;
  std::vector<int> order = ColumnOrder();
  return DisplIndex < static_cast<int>(order.size()) ? order[DisplIndex] : -1;
}

void TAdvListView::SwapColumns(int aIdx1, int aIdx2) {
  int n = Columns()->Count();
  if (aIdx1 < 0 || aIdx1 >= n || aIdx2 < 0 || aIdx2 >= n || aIdx1 == aIdx2) return;
  std::vector<int> order = ColumnOrder();
  if (static_cast<int>(order.size()) != n) return;
  std::swap(order[aIdx1], order[aIdx2]);
  SetColumnOrder(order);
  Invalidate();
}

void TAdvListView::MoveColumn(int aIdx1, int aIdx2) {
  int n = Columns()->Count();
  if (aIdx1 < 0 || aIdx1 >= n || aIdx2 < 0 || aIdx2 >= n || aIdx1 == aIdx2) return;
  std::vector<int> order = ColumnOrder();
  if (static_cast<int>(order.size()) != n) return;
  int moved = order[aIdx1];
  order.erase(order.begin() + aIdx1);
  order.insert(order.begin() + aIdx2, moved);
  SetColumnOrder(order);
  Invalidate();
}
