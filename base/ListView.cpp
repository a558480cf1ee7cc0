#include "base/ListView.h"
#include "base/ListViewDetail.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <iterator>

#include "base/DisplayText.h"
#include "base/ImgList.h"

using namespace listview_detail;

// ---------------------------------------------------------------------------
// TCustomListView

TCustomListView::TCustomListView(TComponent* AOwner)
    : TWinControl(AOwner),
      FCanvas(new TControlCanvas(this)),
      FCustomDrawFont(new TFont),
      FColumns(new TListColumns(this)),
      FItems(new TListItems(this)),
      FSmallChangeLink(new TChangeLink),
      FStateChangeLink(new TChangeLink) {
  FSmallChangeLink->OnChange = [this](TObject*) { ApplyImageList(FSmallImages, LVSIL_SMALL); };
  FStateChangeLink->OnChange = [this](TObject*) { ApplyImageList(FStateImages, LVSIL_STATE); };
  // The platform list runs its own mouse: clicks come back as notifications.
  FControlStyle = {TControlStyleItem::csSetCaption};
  FWidth = 250;
  FHeight = 150;
  FTabStop = true;
  FColor = clWindow;
  FBrush->SetColor(FColor);
}

void TCustomListView::Destroy() {
  TWinControl::Destroy();
  FreeAndNil(FSmallChangeLink);
  FreeAndNil(FStateChangeLink);
  FreeAndNil(FItems);
  FreeAndNil(FColumns);
  FCanvas->Free();
  FCanvas = nullptr;
  FCustomDrawFont->Free();
  FCustomDrawFont = nullptr;
}

void TCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FSmallImages) {
    FSmallImages = nullptr;
    ApplyImageList(nullptr, LVSIL_SMALL);
  }
  if (AComponent == FStateImages) {
    FStateImages = nullptr;
    ApplyImageList(nullptr, LVSIL_STATE);
  }
}

void TCustomListView::SetSmallImages(TCustomImageList* Value) {
  SetImageList(FSmallImages, FSmallChangeLink, Value, LVSIL_SMALL);
}

void TCustomListView::SetStateImages(TCustomImageList* Value) {
  SetImageList(FStateImages, FStateChangeLink, Value, LVSIL_STATE);
}

void TCustomListView::SetImageList(TCustomImageList*& Field, TChangeLink* Link, TCustomImageList* Value, int Which) {
  if (Field == Value) return;
  if (Field) {
    Field->UnRegisterChanges(Link);
    TCustomImageList* other = &Field == &FSmallImages ? FStateImages : FSmallImages;
    if (other != Field) Field->RemoveFreeNotification(this);
  }
  Field = Value;
  if (Value) {
    Value->RegisterChanges(Link);
    Value->FreeNotification(this);
  }
  ApplyImageList(Value, Which);
}

void TCustomListView::ApplyImageList(TCustomImageList* List, int Which) {
  if (!FHandle) return;
  Send(FHandle, LVM_SETIMAGELIST, static_cast<WPARAM>(Which),
       reinterpret_cast<LPARAM>(List && !List->IsDestroying() ? List->Handle() : nullptr));
  InvalidateRect(FHandle, nullptr, TRUE);
}

void TCustomListView::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_LISTVIEWW);
  static const DWORD views[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  Params.Style |= views[static_cast<int>(FViewStyle)] | LVS_SHAREIMAGELISTS;
  if (!FReadOnly) Params.Style |= LVS_EDITLABELS;
  if (!FHideSelection) Params.Style |= LVS_SHOWSELALWAYS;
  if (!FMultiSelect) Params.Style |= LVS_SINGLESEL;
  if (!FShowColumnHeaders) Params.Style |= LVS_NOCOLUMNHEADER;
  if (FOwnerDraw) Params.Style |= LVS_OWNERDRAWFIXED;
  if (FBorderStyle == TBorderStyleKind::bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
  Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomListView::CreateWnd() {
  FRedrawOff = false;
  TWinControl::CreateWnd();
  DWORD ex = 0;
  if (FRowSelect) ex |= LVS_EX_FULLROWSELECT;
  if (FGridLines) ex |= LVS_EX_GRIDLINES;
  if (FCheckboxes) ex |= LVS_EX_CHECKBOXES;
  if (FFlatScrollBars) ex |= LVS_EX_FLATSB;
  Send(FHandle, LVM_SETEXTENDEDLISTVIEWSTYLE,
       LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FLATSB, ex);
  COLORREF bk = static_cast<COLORREF>(ColorToRGB(FColor));
  Send(FHandle, LVM_SETBKCOLOR, 0, bk);
  Send(FHandle, LVM_SETTEXTBKCOLOR, 0, bk);
  Send(FHandle, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(FFont->Color())));
  if (FSmallImages) ApplyImageList(FSmallImages, LVSIL_SMALL);
  if (FStateImages) ApplyImageList(FStateImages, LVSIL_STATE);
  FWindowColumns.clear();
  UpdateColumns();
  if (!FSavedOrder.empty()) {
    std::vector<int> order;
    order.swap(FSavedOrder);
    SetColumnOrder(order);
  }
  RestoreWindowItems();
}

void TCustomListView::RestoreWindowItems() {
  FRestoring = true;
  struct TReset {
    bool& F;
    ~TReset() { F = false; }
  } reset{FRestoring};
  Send(FHandle, LVM_SETITEMCOUNT, static_cast<WPARAM>(FItems->Count()));
  for (TListItem* item : FItems->FItems) InsertItemWindow(item);
}

void TCustomListView::SaveWindowState() {
  TWinControl::SaveWindowState();
  SaveItemStates();
}

void TCustomListView::SaveItemStates() {
  if (!FHandle) return;
  for (TListItem* item : FItems->FItems) {
    UINT s = static_cast<UINT>(Send(FHandle, LVM_GETITEMSTATE, static_cast<WPARAM>(item->FIndex),
                                    LVIS_SELECTED | LVIS_FOCUSED | LVIS_STATEIMAGEMASK));
    item->FSelected = (s & LVIS_SELECTED) != 0;
    item->FFocused = (s & LVIS_FOCUSED) != 0;
    if (FCheckboxes) item->FChecked = ((s & LVIS_STATEIMAGEMASK) >> 12) == 2;
  }
  for (size_t i = 0; i < FWindowColumns.size(); ++i)
    FWindowColumns[i]->FWidth = static_cast<int>(Send(FHandle, LVM_GETCOLUMNWIDTH, i));
  if (!FWindowColumns.empty()) FSavedOrder = ColumnOrder();
}

void TCustomListView::InsertItemWindow(TListItem* Item) {
  LVITEMW it{};
  it.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_INDENT | LVIF_STATE;
  it.iItem = Item->FIndex;
  it.pszText = LPSTR_TEXTCALLBACKW;
  it.iImage = I_IMAGECALLBACK;
  it.lParam = reinterpret_cast<LPARAM>(Item);
  it.iIndent = Item->FIndent;
  it.state = StateImageBits(FCheckboxes, Item->FChecked, Item->FStateIndex) | (Item->FSelected ? LVIS_SELECTED : 0) |
             (Item->FFocused ? LVIS_FOCUSED : 0);
  it.stateMask = LVIS_STATEIMAGEMASK | LVIS_SELECTED | LVIS_FOCUSED;
  int at = static_cast<int>(Send(FHandle, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it)));
  if (at < 0) return;
  // A list with check boxes may start a new row unchecked whatever it was
  // given.
  if (FCheckboxes && Item->FChecked) SetItemStateBits(Item, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
  for (size_t c = 1; c < FWindowColumns.size(); ++c) {
    LVITEMW sub{};
    sub.mask = LVIF_TEXT | LVIF_IMAGE;
    sub.iItem = at;
    sub.iSubItem = static_cast<int>(c);
    sub.pszText = LPSTR_TEXTCALLBACKW;
    sub.iImage = I_IMAGECALLBACK;
    Send(FHandle, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&sub));
  }
}

void TCustomListView::UpdateItem(TListItem* Item) {
  // A window that does not draw now (hidden, or held by WM_SETREDRAW inside
  // an update bracket) paints every row when it draws again: measuring the
  // row to invalidate it (which asks us for its texts) is work for nothing.
  if (FHandle && Item->FIndex >= 0 && !FRedrawOff && IsWindowVisible(FHandle))
    Send(FHandle, LVM_REDRAWITEMS, static_cast<WPARAM>(Item->FIndex), Item->FIndex);
}

void TCustomListView::SetItemStateBits(TListItem* Item, UINT State, UINT Mask) {
  LVITEMW it{};
  it.state = State;
  it.stateMask = Mask;
  Send(FHandle, LVM_SETITEMSTATE, static_cast<WPARAM>(Item->FIndex), reinterpret_cast<LPARAM>(&it));
}

void TCustomListView::UpdateColumn(int Index) {
  if (!FHandle || Index < 0 || Index >= static_cast<int>(FWindowColumns.size())) return;
  TListColumn* c = FWindowColumns[Index];
  // The width is not written here: it is the window's while the column is
  // in it (the user may drag it), read by Width() and kept when the window
  // or the column's place goes.
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT | LVCF_FMT;
  col.fmt = ColumnFormat(c->FAlignment);
  col.pszText = const_cast<wchar_t*>(c->FCaption.c_str());
  if (c->FImageIndex >= 0) {
    col.mask |= LVCF_IMAGE;
    col.fmt |= LVCFMT_IMAGE;
    col.iImage = c->FImageIndex;
  }
  // Writing a column lays out the header and every row: only when what the
  // window shows differs.
  wchar_t text[260];
  LVCOLUMNW shown{};
  shown.mask = col.mask;
  shown.pszText = text;
  shown.cchTextMax = static_cast<int>(std::size(text));
  if (c->FCaption.size() < std::size(text) &&
      Send(FHandle, LVM_GETCOLUMNW, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&shown)) &&
      (shown.fmt & (LVCFMT_JUSTIFYMASK | LVCFMT_IMAGE | LVCFMT_BITMAP_ON_RIGHT)) == col.fmt && c->FCaption == text &&
      (!(col.mask & LVCF_IMAGE) || shown.iImage == col.iImage))
    return;
  Send(FHandle, LVM_SETCOLUMNW, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&col));
}

void TCustomListView::SyncColumns() {
  // Columns the collection no longer holds (compared by address: they may
  // be freed already) leave the window first, from the end.
  std::vector<size_t> inserted;  // window positions of the columns put in
  bool removed = false;
  std::vector<TListColumn*> held;
  held.reserve(static_cast<size_t>(FColumns->Count()));
  for (int i = 0; i < FColumns->Count(); ++i) held.push_back(FColumns->Items(i));
  std::sort(held.begin(), held.end());
  auto inCollection = [&held](TListColumn* c) { return std::binary_search(held.begin(), held.end(), c); };
  for (int i = static_cast<int>(FWindowColumns.size()) - 1; i >= 0; --i) {
    if (!inCollection(FWindowColumns[i])) {
      Send(FHandle, LVM_DELETECOLUMN, static_cast<WPARAM>(i));
      FWindowColumns.erase(FWindowColumns.begin() + i);
      removed = true;
    }
  }
  for (int j = 0; j < FColumns->Count(); ++j) {
    TListColumn* c = FColumns->Items(j);
    if (j < static_cast<int>(FWindowColumns.size()) && FWindowColumns[j] == c) continue;
    auto it = std::find(FWindowColumns.begin(), FWindowColumns.end(), c);
    if (it != FWindowColumns.end()) {
      // Moved within the collection: its width comes along.
      c->FWidth = static_cast<int>(Send(FHandle, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(it - FWindowColumns.begin())));
      size_t from = static_cast<size_t>(it - FWindowColumns.begin());
      Send(FHandle, LVM_DELETECOLUMN, from);
      FWindowColumns.erase(it);
      for (size_t& k : inserted)
        if (k > from) --k;
    }
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    col.fmt = ColumnFormat(c->FAlignment);
    col.cx = c->FWidth;
    col.pszText = const_cast<wchar_t*>(c->FCaption.c_str());
    Send(FHandle, LVM_INSERTCOLUMNW, static_cast<WPARAM>(j), reinterpret_cast<LPARAM>(&col));
    FWindowColumns.insert(FWindowColumns.begin() + j, c);
    for (size_t& k : inserted)
      if (k >= static_cast<size_t>(j)) ++k;
    inserted.push_back(static_cast<size_t>(j));
  }
  if (inserted.empty() && !removed) return;
  // The cells of the columns put in ask us for their text and image; the
  // others moved along with their columns and still ask. After a column
  // left, every cell is asked again (the first column's cells stay put).
  if (removed) {
    inserted.clear();
    for (size_t k = 0; k < FWindowColumns.size(); ++k) inserted.push_back(k);
  }
  for (TListItem* item : FItems->FItems) {
    for (size_t k : inserted) {
      LVITEMW sub{};
      sub.mask = LVIF_TEXT | LVIF_IMAGE;
      sub.iItem = item->FIndex;
      sub.iSubItem = static_cast<int>(k);
      sub.pszText = LPSTR_TEXTCALLBACKW;
      sub.iImage = I_IMAGECALLBACK;
      Send(FHandle, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&sub));
    }
  }
}

void TCustomListView::UpdateColumns() {
  if (!FHandle) return;
  SyncColumns();
  for (int i = 0; i < static_cast<int>(FWindowColumns.size()); ++i) UpdateColumn(i);
}

HWND TCustomListView::HeaderHandle() {
  if (!FHandle) return nullptr;
  return reinterpret_cast<HWND>(Send(FHandle, LVM_GETHEADER));
}

void TCustomListView::SetStyleBit(DWORD Bit, bool On) {
  if (!FHandle) return;
  LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
  LONG_PTR next = On ? (style | static_cast<LONG_PTR>(Bit)) : (style & ~static_cast<LONG_PTR>(Bit));
  if (next != style) SetWindowLongPtrW(FHandle, GWL_STYLE, next);
  InvalidateRect(FHandle, nullptr, TRUE);
}

void TCustomListView::SetExtendedStyle(DWORD Mask, DWORD Value) {
  if (FHandle) Send(FHandle, LVM_SETEXTENDEDLISTVIEWSTYLE, Mask, Value);
}

void TCustomListView::SetViewStyle(TViewStyle Value) {
  if (Value == FViewStyle) return;
  FViewStyle = Value;
  if (FHandle) {
    static const DWORD views[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
    SetWindowLongPtrW(FHandle, GWL_STYLE, (style & ~static_cast<LONG_PTR>(LVS_TYPEMASK)) | views[static_cast<int>(Value)]);
    InvalidateRect(FHandle, nullptr, TRUE);
  }
}

void TCustomListView::SetReadOnly(bool Value) {
  if (Value == FReadOnly) return;
  FReadOnly = Value;
  SetStyleBit(LVS_EDITLABELS, !Value);
}

void TCustomListView::SetRowSelect(bool Value) {
  if (Value == FRowSelect) return;
  FRowSelect = Value;
  SetExtendedStyle(LVS_EX_FULLROWSELECT, Value ? LVS_EX_FULLROWSELECT : 0);
}

void TCustomListView::SetGridLines(bool Value) {
  if (Value == FGridLines) return;
  FGridLines = Value;
  SetExtendedStyle(LVS_EX_GRIDLINES, Value ? LVS_EX_GRIDLINES : 0);
}

void TCustomListView::SetHideSelection(bool Value) {
  if (Value == FHideSelection) return;
  FHideSelection = Value;
  SetStyleBit(LVS_SHOWSELALWAYS, !Value);
}

void TCustomListView::SetShowColumnHeaders(bool Value) {
  if (Value == FShowColumnHeaders) return;
  FShowColumnHeaders = Value;
  SetStyleBit(LVS_NOCOLUMNHEADER, !Value);
}

void TCustomListView::SetMultiSelect(bool Value) {
  if (Value == FMultiSelect) return;
  FMultiSelect = Value;
  SetStyleBit(LVS_SINGLESEL, !Value);
}

void TCustomListView::SetCheckboxes(bool Value) {
  if (Value == FCheckboxes) return;
  if (FHandle) SaveItemStates();
  FCheckboxes = Value;
  SetExtendedStyle(LVS_EX_CHECKBOXES, Value ? LVS_EX_CHECKBOXES : 0);
  if (FHandle) {
    for (TListItem* item : FItems->FItems)
      SetItemStateBits(item, StateImageBits(Value, item->FChecked, item->FStateIndex), LVIS_STATEIMAGEMASK);
  }
}

void TCustomListView::SetFlatScrollBars(bool Value) {
  if (Value == FFlatScrollBars) return;
  FFlatScrollBars = Value;
  SetExtendedStyle(LVS_EX_FLATSB, Value ? LVS_EX_FLATSB : 0);
}

void TCustomListView::SetOwnerDraw(bool Value) {
  if (Value == FOwnerDraw) return;
  FOwnerDraw = Value;
  RecreateWnd();
}

void TCustomListView::SetBorderStyle(TBorderStyleKind Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  RecreateWnd();
}

int TCustomListView::ItemIndex() {
  if (!FHandle) {
    for (TListItem* item : FItems->FItems)
      if (item->FSelected) return item->FIndex;
    return -1;
  }
  return static_cast<int>(Send(FHandle, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TCustomListView::SetItemIndex(int Value) {
  if (Value >= FItems->Count()) Value = -1;
  if (!FHandle) {
    for (TListItem* item : FItems->FItems) item->FSelected = item->FFocused = item->FIndex == Value;
    return;
  }
  // The rows losing the selection report before the row gaining it.
  int from = -1;
  for (;;) {
    int i = static_cast<int>(Send(FHandle, LVM_GETNEXTITEM, static_cast<WPARAM>(from), LVNI_SELECTED));
    if (i < 0 || i == from) break;
    if (i != Value && i < FItems->Count()) SetItemStateBits(FItems->Item(i), 0, LVIS_SELECTED);
    from = i;
  }
  if (Value >= 0) SetItemStateBits(FItems->Item(Value), LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

int TCustomListView::SelCount() {
  if (!FHandle) {
    int n = 0;
    for (TListItem* item : FItems->FItems) n += item->FSelected ? 1 : 0;
    return n;
  }
  return static_cast<int>(Send(FHandle, LVM_GETSELECTEDCOUNT));
}

TListItem* TCustomListView::Selected() {
  int i = ItemIndex();
  return i >= 0 && i < FItems->Count() ? FItems->Item(i) : nullptr;
}

void TCustomListView::SetSelected(TListItem* Value) { SetItemIndex(Value ? Value->FIndex : -1); }

TListItem* TCustomListView::ItemFocused() {
  if (!FHandle) {
    for (TListItem* item : FItems->FItems)
      if (item->FFocused) return item;
    return nullptr;
  }
  int i = static_cast<int>(Send(FHandle, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  return i >= 0 && i < FItems->Count() ? FItems->Item(i) : nullptr;
}

void TCustomListView::SetItemFocused(TListItem* Value) {
  if (Value) {
    Value->SetFocused(true);
  } else if (TListItem* f = ItemFocused()) {
    f->SetFocused(false);
  }
}

TListItem* TCustomListView::TopItem() {
  if (!FHandle || FItems->Count() == 0) return nullptr;
  int i = static_cast<int>(Send(FHandle, LVM_GETTOPINDEX));
  return i >= 0 && i < FItems->Count() ? FItems->Item(i) : nullptr;
}

int TCustomListView::VisibleRowCount() { return FHandle ? static_cast<int>(Send(FHandle, LVM_GETCOUNTPERPAGE)) : 0; }

void TCustomListView::ClearSelection() { SetItemIndex(-1); }

void TCustomListView::SelectAll() {
  if (!FMultiSelect) return;
  for (TListItem* item : std::vector<TListItem*>(FItems->FItems)) item->SetSelected(true);
}

void TCustomListView::Scroll(int DX, int DY) {
  if (FHandle) Send(FHandle, LVM_SCROLL, static_cast<WPARAM>(DX), DY);
}

TListItem* TCustomListView::GetItemAt(int X, int Y) {
  if (!FHandle) return nullptr;
  LVHITTESTINFO hit{};
  hit.pt = POINT{X, Y};
  int i = static_cast<int>(Send(FHandle, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return i >= 0 && i < FItems->Count() ? FItems->Item(i) : nullptr;
}

std::vector<int> TCustomListView::ColumnOrder() {
  int n = FColumns->Count();
  std::vector<int> order(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) order[i] = i;
  if (FHandle && n > 0 && static_cast<int>(FWindowColumns.size()) == n) {
    std::vector<int> got(static_cast<size_t>(n));
    if (Send(FHandle, LVM_GETCOLUMNORDERARRAY, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(got.data())))
      order = got;
  } else if (!FHandle && static_cast<int>(FSavedOrder.size()) == n) {
    order = FSavedOrder;
  }
  return order;
}

void TCustomListView::SetColumnOrder(const std::vector<int>& Order) {
  if (!FHandle) {
    FSavedOrder = Order;
    return;
  }
  if (Order.size() != FWindowColumns.size() || Order.empty()) return;
  Send(FHandle, LVM_SETCOLUMNORDERARRAY, Order.size(), reinterpret_cast<LPARAM>(Order.data()));
  InvalidateRect(FHandle, nullptr, TRUE);
}

namespace {
struct TSortContext {
  const TLVCompare* Compare;
  LPARAM Data;
  std::exception_ptr Error;
};

int CALLBACK SortCallback(LPARAM A, LPARAM B, LPARAM Context) {
  auto* ctx = reinterpret_cast<TSortContext*>(Context);
  if (ctx->Error) return 0;
  try {
    return (*ctx->Compare)(reinterpret_cast<TListItem*>(A), reinterpret_cast<TListItem*>(B), ctx->Data);
  } catch (...) {
    ctx->Error = std::current_exception();
    return 0;
  }
}
}  // namespace

bool TCustomListView::CustomSort(const TLVCompare& Compare, LPARAM Data) {
  if (!Compare) return false;
  if (!FHandle) {
    std::stable_sort(FItems->FItems.begin(), FItems->FItems.end(),
                     [&](TListItem* a, TListItem* b) { return Compare(a, b, Data) < 0; });
    FItems->Renumber(0);
    return true;
  }
  TSortContext ctx{&Compare, Data, nullptr};
  BOOL ok = static_cast<BOOL>(
      Send(FHandle, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&ctx), reinterpret_cast<LPARAM>(&SortCallback)));
  // Our rows follow the window's new order.
  int n = FItems->Count();
  std::vector<TListItem*> order;
  order.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    LVITEMW it{};
    it.mask = LVIF_PARAM;
    it.iItem = i;
    Send(FHandle, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    order.push_back(reinterpret_cast<TListItem*>(it.lParam));
  }
  std::vector<TListItem*> check = order;
  std::sort(check.begin(), check.end());
  std::vector<TListItem*> mine = FItems->FItems;
  std::sort(mine.begin(), mine.end());
  if (check == mine) {
    FItems->FItems = order;
    FItems->Renumber(0);
  }
  InvalidateRect(FHandle, nullptr, TRUE);
  if (ctx.Error) std::rethrow_exception(ctx.Error);
  return ok != FALSE;
}

void TCustomListView::Clear() { FItems->Clear(); }

void TCustomListView::EditCaption(TListItem* Item) {
  if (!Item || !FHandle) return;
  if (GetFocus() != FHandle) ::SetFocus(FHandle);
  Send(FHandle, LVM_EDITLABELW, static_cast<WPARAM>(Item->FIndex));
}

bool TCustomListView::IsEditing() { return FHandle && Send(FHandle, LVM_GETEDITCONTROL) != 0; }

TListItem* TCustomListView::ItemFromNotify(int Index, LPARAM Param) const {
  const auto& v = FItems->FItems;
  if (Index >= 0 && Index < static_cast<int>(v.size()) && (!Param || reinterpret_cast<LPARAM>(v[Index]) == Param))
    return v[Index];
  if (!Param) return nullptr;
  auto it = std::find(v.begin(), v.end(), reinterpret_cast<TListItem*>(Param));
  return it == v.end() ? nullptr : *it;
}

void TCustomListView::GetDispInfo(NMLVDISPINFOW* Info) {
  LVITEMW& it = Info->item;
  TListItem* item = ItemFromNotify(it.iItem, 0);
  if (!item) return;
  if ((it.mask & LVIF_TEXT) && it.pszText && it.cchTextMax > 0) {
    String empty;
    const String* s = &empty;
    if (it.iSubItem == 0) {
      s = &item->FCaption;
    } else if (it.iSubItem - 1 < item->FSubItems->Count()) {
      static thread_local String sub;
      sub = item->FSubItems->Strings(it.iSubItem - 1);
      s = &sub;
    }
    // Whatever the item holds, the cell shows it made safe and short.
    size_t room = static_cast<size_t>(it.cchTextMax - 1);
    String shown = SafeDisplayText(*s, {room > 64 ? room - 48 : room, 1, room, false});
    size_t n = Min(shown.size(), room);
    shown.copy(it.pszText, n);
    it.pszText[n] = 0;
  }
  if (it.mask & LVIF_IMAGE) {
    int img = it.iSubItem == 0 ? item->FImageIndex : item->FSubItems->Image(it.iSubItem - 1);
    it.iImage = img >= 0 ? img : I_IMAGENONE;
  }
}

LRESULT TCustomListView::CustomDraw(NMLVCUSTOMDRAW* Draw) {
  DWORD stage = Draw->nmcd.dwDrawStage;
  if (stage == CDDS_PREPAINT) return IsCustomDrawn() ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
  if (stage != CDDS_ITEMPREPAINT || !IsCustomDrawn()) return CDRF_DODEFAULT;
  TListItem* item = ItemFromNotify(static_cast<int>(Draw->nmcd.dwItemSpec), Draw->nmcd.lItemlParam);
  if (!item) return CDRF_DODEFAULT;
  using C = TCustomDrawStateItem;
  TCustomDrawState state;
  UINT s = Draw->nmcd.uItemState;
  if (s & CDIS_SELECTED) state.Include(C::cdsSelected);
  if (s & CDIS_GRAYED) state.Include(C::cdsGrayed);
  if (s & CDIS_DISABLED) state.Include(C::cdsDisabled);
  if (s & CDIS_CHECKED) state.Include(C::cdsChecked);
  if (s & CDIS_FOCUS) state.Include(C::cdsFocused);
  if (s & CDIS_DEFAULT) state.Include(C::cdsDefault);
  if (s & CDIS_HOT) state.Include(C::cdsHot);
  if (s & CDIS_MARKED) state.Include(C::cdsMarked);
  if (s & CDIS_INDETERMINATE) state.Include(C::cdsIndeterminate);
  HDC dc = Draw->nmcd.hdc;
  bool defaultDraw = true;
  FCanvas->Lock();
  FCanvas->FreeHandle();
  FCanvas->SetHandle(dc);
  struct TRelease {
    TCanvas* c;
    ~TRelease() {
      c->SetHandle(nullptr);
      c->Unlock();
    }
  };
  {
    TRelease release{FCanvas};
    FCanvas->Font()->Assign(FFont);
    FCanvas->Brush()->SetColor(FColor);
    defaultDraw = CustomDrawItem(item, state, TCustomDrawStage::cdPrePaint);
    Draw->clrText = static_cast<COLORREF>(ColorToRGB(FCanvas->Font()->Color()));
    Draw->clrTextBk = static_cast<COLORREF>(ColorToRGB(FCanvas->Brush()->Color()));
    FCustomDrawFont->Assign(FCanvas->Font());
  }
  if (!defaultDraw) return CDRF_SKIPDEFAULT;
  SelectObject(dc, FCustomDrawFont->Handle());
  return CDRF_NEWFONT;
}

bool TCustomListView::CustomDrawItem(TListItem* Item, TCustomDrawState State, TCustomDrawStage Stage) {
  bool result = true;
  if (OnAdvancedCustomDrawItem) OnAdvancedCustomDrawItem(this, Item, State, Stage, result);
  return result;
}

void TCustomListView::DoSelectItem(TListItem* Item, bool Selected) {
  if (OnSelectItem) OnSelectItem(this, Item, Selected);
}

void TCustomListView::ColClick(TListColumn* Column) {
  if (OnColumnClick) OnColumnClick(this, Column);
}

bool TCustomListView::CanEdit(TListItem* Item) {
  bool allow = true;
  if (OnEditing) OnEditing(this, Item, allow);
  return allow;
}

void TCustomListView::Edit(const LVITEMW& Item) {
  TListItem* item = ItemFromNotify(Item.iItem, 0);
  if (!item || !Item.pszText) return;
  String s = Item.pszText;
  if (OnEdited) OnEdited(this, item, s);
  if (FItems->IndexOf(item) >= 0) item->SetCaption(s);
}

void TCustomListView::CNNotify(TMessage& Message) {
  auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
  switch (hdr->code) {
    case LVN_GETDISPINFOW:
      GetDispInfo(reinterpret_cast<NMLVDISPINFOW*>(hdr));
      return;
    case NM_CUSTOMDRAW:
      Message.Result = CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(hdr));
      return;
    case LVN_ITEMCHANGED: {
      auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
      if (FRestoring || !(nm->uChanged & LVIF_STATE) || nm->iItem < 0) return;
      TListItem* item = ItemFromNotify(nm->iItem, nm->lParam);
      if (!item) return;
      Change(item, static_cast<int>(nm->uChanged));
      if ((nm->uOldState ^ nm->uNewState) & LVIS_SELECTED) DoSelectItem(item, (nm->uNewState & LVIS_SELECTED) != 0);
      return;
    }
    case LVN_COLUMNCLICK: {
      auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
      if (nm->iSubItem >= 0 && nm->iSubItem < FColumns->Count()) ColClick(FColumns->Items(nm->iSubItem));
      return;
    }
    case NM_CLICK:
      Click();
      return;
    case NM_DBLCLK:
      DblClick();
      return;
    case LVN_BEGINLABELEDITW: {
      auto* nm = reinterpret_cast<NMLVDISPINFOW*>(hdr);
      TListItem* item = ItemFromNotify(nm->item.iItem, 0);
      Message.Result = item && CanEdit(item) ? FALSE : TRUE;
      return;
    }
    case LVN_ENDLABELEDITW: {
      auto* nm = reinterpret_cast<NMLVDISPINFOW*>(hdr);
      Edit(nm->item);
      Message.Result = FALSE;
      return;
    }
    case LVN_GETINFOTIPW: {
      auto* nm = reinterpret_cast<NMLVGETINFOTIPW*>(hdr);
      if (!OnInfoTip) return;
      TListItem* item = ItemFromNotify(nm->iItem, nm->lParam);
      String tip;
      if (item) OnInfoTip(this, item, tip);
      if (nm->pszText && nm->cchTextMax > 0) {
        size_t n = Min(tip.size(), static_cast<size_t>(nm->cchTextMax - 1));
        tip.copy(nm->pszText, n);
        nm->pszText[n] = 0;
      }
      return;
    }
    default:
      return;
  }
}

void TCustomListView::CNDrawItem(TMessage& Message) {
  auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  Message.Result = 1;
  TListItem* item = ItemFromNotify(static_cast<int>(dis->itemID), static_cast<LPARAM>(dis->itemData));
  FCanvas->Lock();
  FCanvas->FreeHandle();
  FCanvas->SetHandle(dis->hDC);
  struct TRelease {
    TCanvas* c;
    ~TRelease() {
      c->SetHandle(nullptr);
      c->Unlock();
    }
  } release{FCanvas};
  FCanvas->Font()->Assign(FFont);
  FCanvas->Brush()->SetColor(FColor);
  if (item)
    DrawItem(item, TRect(dis->rcItem), OwnerDrawStateFromItemState(dis->itemState));
  else
    FCanvas->FillRect(TRect(dis->rcItem));
}

void TCustomListView::DrawItem(TListItem* Item, const TRect& Rect, TOwnerDrawState State) {
  if (OnDrawItem)
    OnDrawItem(this, Item, Rect, State);
  else
    FCanvas->FillRect(Rect);
}

void TCustomListView::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_NOTIFY:
      CNNotify(Message);
      return;
    case CN_DRAWITEM:
      CNDrawItem(Message);
      return;
    case CN_MEASUREITEM:
      CNMeasureItem(Message);
      return;
    case WM_DESTROY:
      // The window still has its rows: keep what only it knows.
      SaveItemStates();
      TWinControl::Dispatch(Message);
      return;
    case WM_NCDESTROY:
      TWinControl::Dispatch(Message);
      FWindowColumns.clear();
      FRedrawOff = false;
      return;
    case WM_SETREDRAW:
      // Not every platform list takes the window's visibility away while it
      // does not redraw: remember it, so that changes inside an update
      // bracket do not each ask for a redraw that would be thrown away.
      FRedrawOff = Message.WParam == 0;
      TWinControl::Dispatch(Message);
      return;
    case WM_PAINT:
      TWinControl::Dispatch(Message);
      // Painting into a given DC takes the header along.
      if (Message.WParam && FHandle) {
        HWND header = HeaderHandle();
        if (header && IsWindowVisible(header)) {
          HDC dc = reinterpret_cast<HDC>(Message.WParam);
          RECT r;
          GetWindowRect(header, &r);
          MapWindowPoints(HWND_DESKTOP, FHandle, reinterpret_cast<POINT*>(&r), 2);
          int saved = SaveDC(dc);
          OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
          IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
          SendMessageW(header, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
          RestoreDC(dc, saved);
        }
      }
      return;
    case CM_COLORCHANGED:
      TWinControl::Dispatch(Message);
      if (FHandle) {
        COLORREF bk = static_cast<COLORREF>(ColorToRGB(FColor));
        Send(FHandle, LVM_SETBKCOLOR, 0, bk);
        Send(FHandle, LVM_SETTEXTBKCOLOR, 0, bk);
        InvalidateRect(FHandle, nullptr, TRUE);
      }
      return;
    case CM_FONTCHANGED:
      TWinControl::Dispatch(Message);
      if (FHandle) Send(FHandle, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(FFont->Color())));
      return;
    default:
      TWinControl::Dispatch(Message);
  }
}
