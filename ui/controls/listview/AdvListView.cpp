// The advanced list view: construction, settings objects, cell access,
// update locking, clearing, highlighting, rich-text conversion, cell
// settings, the clipboard, hints and item operations.
#include "ui/controls/listview/AdvListView.h"

#include <commctrl.h>
#include <richedit.h>

#include "base/Clipboard.h"
#include "base/Forms.h"
#include "base/ImgList.h"
#include "base/Streams.h"
#include "ui/draw/HtmlRender.h"
#include "ui/draw/HtmlText.h"
#include "ui/draw/PictureContainer.h"

namespace {

constexpr TCursor kLinkCursor = 8019;

int ReadComCtrlVersion() {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(L"comctl32.dll", &handle);
  if (!size) return -1;
  std::vector<BYTE> data(size);
  if (!GetFileVersionInfoW(L"comctl32.dll", 0, size, data.data())) return -1;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT len = 0;
  if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &len) || !info ||
      info->dwSignature != 0xFEEF04BD)
    return -1;
  return static_cast<int>(info->dwFileVersionMS);
}

}  // namespace

// ---------------------------------------------------------------------------
// Settings objects

TProgressSettings::TProgressSettings() = default;

void TProgressSettings::Changed() {
  if (OnChange) OnChange(this);
}

void TProgressSettings::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TProgressSettings*>(Source)) {
    SetColorTo(p->FColorTo);
    SetFontColorTo(p->FFontColorTo);
    SetColorFrom(p->FColorFrom);
    SetFontColorFrom(p->FFontColorFrom);
    SetShowValue(p->FShowValue);
    return;
  }
  TPersistent::Assign(Source);
}

void TProgressSettings::SetColorFrom(TColor Value) {
  FColorFrom = Value;
  Changed();
}

void TProgressSettings::SetFontColorFrom(TColor Value) {
  FFontColorFrom = Value;
  Changed();
}

void TProgressSettings::SetColorTo(TColor Value) {
  FColorTo = Value;
  Changed();
}

void TProgressSettings::SetFontColorTo(TColor Value) {
  FFontColorTo = Value;
  Changed();
}

void TProgressSettings::SetShowValue(bool Value) {
  if (Value == FShowValue) return;
  FShowValue = Value;
  Changed();
}

void TProgressSettings::SetValueFormat(const String& Value) {
  if (Value == FValueFormat) return;
  FValueFormat = Value;
  Changed();
}

TDetails::TDetails(TAdvListView* AOwner) : FOwner(AOwner), FFont(new TFont) {
  FFont->SetColor(clBlue);
  FFont->OnChange = [this](TObject*) { Changed(); };
}

TDetails::~TDetails() { FFont->Free(); }

void TDetails::Changed() {
  if (FOwner) FOwner->Invalidate();
}

void TDetails::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  Changed();
}

void TDetails::SetColumn(int Value) {
  if (Value == FColumn || Value < 0) return;
  FColumn = Value;
  Changed();
}

void TDetails::SetHeight(int Value) {
  if (Value == FHeight || Value < 0) return;
  FHeight = Value;
  Changed();
}

void TDetails::SetIndent(int Value) {
  if (Value == FIndent) return;
  FIndent = Value;
  Changed();
}

void TDetails::SetSplitLine(bool Value) {
  if (Value == FSplitLine) return;
  FSplitLine = Value;
  Changed();
}

TPersistent* TColumnSize::GetOwner() { return FOwner; }

void TColumnSize::SetStretch(bool Value) {
  FStretch = Value;
  if (FOwner && !FOwner->IsLoading()) FOwner->StretchRightColumn();
}

void THTMLSettings::Assign(TPersistent* Source) {
  if (auto* h = dynamic_cast<THTMLSettings*>(Source)) {
    FBorderSize = h->FBorderSize;
    FCellSpacing = h->FCellSpacing;
    FWidth = h->FWidth;
    FSaveColor = h->FSaveColor;
    FSaveFonts = h->FSaveFonts;
    FHeaderFile = h->FHeaderFile;
    FFooterFile = h->FFooterFile;
    FPrefixTag = h->FPrefixTag;
    FSuffixTag = h->FSuffixTag;
    FTableStyle = h->FTableStyle;
    return;
  }
  TPersistent::Assign(Source);
}

TPrintsettings::TPrintsettings()
    : FFont(new TFont), FHeaderFont(new TFont), FFooterFont(new TFont),
      FOrientation(TPrinterOrientation::poPortrait) {}

TPrintsettings::~TPrintsettings() {
  FFont->Free();
  FHeaderFont->Free();
  FFooterFont->Free();
}

void TAdvRichEdit::SetOffset(int Twips) {
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof(cf);
  cf.dwMask = CFM_OFFSET;
  cf.yOffset = Twips;
  SendMessageW(Handle(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

void TAdvRichEdit::SelNormal() { SetOffset(0); }
void TAdvRichEdit::SelSubscript() { SetOffset(-40); }
void TAdvRichEdit::SelSuperscript() { SetOffset(40); }

// ---------------------------------------------------------------------------
// TAdvListView: construction

TAdvListView::TAdvListView(TComponent* AOwner)
    : TCustomListView(AOwner),
      FDrawCanvas(new TControlCanvas(this)),
      FOldfont(new TFont),
      FVAlign(DT_VCENTER),
      FPrintSettings(new TPrintsettings),
      FHTMLSettings(new THTMLSettings),
      FDetailView(new TDetails(this)),
      FPictureCache(new THTMLPictureCache),
      FProgressSettings(new TProgressSettings),
      FWallpaper(new TBitmap),
      FColumnSize(new TColumnSize(this)),
      FSortUpGlyph(new TBitmap),
      FSortDownGlyph(new TBitmap),
      FCheckTrueGlyph(new TBitmap),
      FCheckFalseGlyph(new TBitmap),
      FHeaderFont(new TFont),
      FHeaderSizeFont(new TFont) {
  FWallpaper->OnChange = [this](TObject*) { ApplyWallpaper(); };
  FHeaderFont->OnChange = [this](TObject*) { HeaderFontChanged(); };
  FProgressSettings->OnChange = [this](TObject*) { Invalidate(); };
  FComctrlVersion = ReadComCtrlVersion();
  // The pointing hand of links, registered under its number.
  if (Screen) Screen->SetCursors(kLinkCursor, LoadCursorW(nullptr, IDC_HAND));
}

void TAdvListView::Destroy() {
  SaveColumnSizes();
  TCustomListView::Destroy();
  FDrawCanvas.Reset();
  FOldfont.Reset();
  FPrintSettings.Reset();
  FHTMLSettings.Reset();
  FPictureCache.Reset();
  FDetailView.Reset();
  FSortUpGlyph.Reset();
  FSortDownGlyph.Reset();
  FCheckTrueGlyph.Reset();
  FCheckFalseGlyph.Reset();
  FHeaderFont.Reset();
  FHeaderSizeFont.Reset();
  FColumnSize.Reset();
  FProgressSettings.Reset();
  FWallpaper.Reset();
}

void TAdvListView::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomListView::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FHeaderImages) FHeaderImages = nullptr;
  if (AComponent == FPictureContainer) FPictureContainer = nullptr;
  if (AComponent == FRichEdit) FRichEdit = nullptr;
}

// ---------------------------------------------------------------------------
// Helpers

std::vector<int> TAdvListView::OrderArray() {
  // At least 256 entries, and one for every column however many there are.
  std::vector<int> order(static_cast<size_t>(Max(256, Columns()->Count())));
  for (size_t k = 0; k < order.size(); ++k) order[k] = static_cast<int>(k);
  std::vector<int> platform = ColumnOrder();
  for (size_t k = 0; k < platform.size() && k < order.size(); ++k) order[k] = platform[k];
  return order;
}

int TAdvListView::ColumnWidthAt(int Column) {
  if (Column < 0 || Column >= Columns()->Count()) return 0;
  return Columns()->Items(Column)->Width();
}

TAlignment TAdvListView::ColumnAlignment(int Column) {
  if (Column < 0 || Column >= Columns()->Count()) return TAlignment::taLeftJustify;
  return Columns()->Items(Column)->Alignment();
}

String TAdvListView::CellText(TListItem* Item, int Column) {
  if (Column <= 0) return Item->Caption();
  TStrings* subs = Item->SubItems();
  return Column - 1 < subs->Count() ? subs->Strings(Column - 1) : String();
}

String TAdvListView::Export(const String& Text, bool SaveWithHTML) {
  return SaveWithHTML ? Text : HtmlToPlainText(Text);
}

THtmlRenderParams TAdvListView::CellHtml(TCanvas* Canvas, const String& Html, const TRect& R) {
  THtmlRenderParams p;
  p.Canvas = Canvas;
  p.HTML = Html;
  p.R = R;
  p.Images = SmallImages();
  p.WordWrap = FWordWrap;
  p.URLColor = FURLColor;
  p.PictureCache = FPictureCache;
  p.PictureContainer = FPictureContainer;
  p.Cache = &FHtmlCache;
  return p;
}

bool TAdvListView::ReallyLoading() const { return IsLoading(); }

void TAdvListView::NudgeHeight() {
  SetHeight(Height() + 1);
  SetHeight(Height() - 1);
}

// ---------------------------------------------------------------------------
// Cells

String TAdvListView::GetTextAtColRow(int c, int r) {
  if (r == -1) return c >= 0 && c < Columns()->Count() ? Columns()->Items(c)->Caption() : String();
  if (r < 0 || r >= Items()->Count()) return String();
  return CellText(Items()->Item(r), c);
}

void TAdvListView::SetTextAtColRow(int c, int r, const String& s) {
  if (c < 0 || r < 0 || c >= Columns()->Count() || r >= Items()->Count()) return;
  TListItem* item = Items()->Item(r);
  if (c == 0) {
    item->SetCaption(s);
    return;
  }
  TStrings* subs = item->SubItems();
  while (subs->Count() < c) subs->Add(String());
  subs->SetStrings(c - 1, s);
}

bool TAdvListView::GetIndexAtPoint(int x, int y, int& iItem, int& iSubItem) {
  if (!HandleAllocated() || Items()->Count() == 0) return false;
  // The row: the visible row whose bounds hold y.
  int top = static_cast<int>(SendMessageW(Handle(), LVM_GETTOPINDEX, 0, 0));
  int last = Min(Items()->Count() - 1, top + VisibleItems() + 1);
  int row = -1;
  TRect bounds;
  for (int i = Max(0, top); i <= last; ++i) {
    TRect r = Items()->Item(i)->DisplayRect(TDisplayCode::drBounds);
    if (y >= r.top && y < r.bottom) {
      row = i;
      bounds = r;
      break;
    }
  }
  if (row < 0) return false;
  // The column: our own walk over the display order (the platform's
  // sub-item hit test can miss columns that were moved).
  std::vector<int> order = ColumnOrder();
  int acc = bounds.left, col = -1;
  for (int k : order) {
    int w = ColumnWidthAt(k);
    if (x >= acc && x < acc + w) {
      col = k;
      break;
    }
    acc += w;
  }
  if (col < 0) return false;
  iItem = row;
  iSubItem = col > 0 ? col : 0;
  return true;
}

String TAdvListView::GetTextAtPoint(int x, int y) {
  int item = -1, col = -1;
  if (!HandleAllocated() || !GetIndexAtPoint(x, y, item, col)) return String();
  return CellText(Items()->Item(item), col);
}

TRect TAdvListView::GetItemRect(int iItem, int iSubItem) {
  RECT r{};
  if (!HandleAllocated()) return TRect(r);
  r.top = iSubItem;
  r.left = LVIR_LABEL;
  SendMessageW(Handle(), LVM_GETSUBITEMRECT, static_cast<WPARAM>(iItem), reinterpret_cast<LPARAM>(&r));
  return TRect(r);
}

void TAdvListView::ItemToRich(int itemindex, int subitemindex, TCustomRichEdit* RichEditor) {
  String text = CellText(Items()->Item(itemindex), subitemindex + 1);
  RichEditor->SetPlainText(false);
  if (text.empty()) {
    RichEditor->Lines()->Clear();
    return;
  }
  // A cell that holds no RTF document loads as the text it is.
  if (text.compare(0, 2, L"{\\") != 0) {
    RichEditor->SetText(text);
    return;
  }
  TStringStream s(WideToAnsi(text));
  RichEditor->Lines()->LoadFromStream(&s);
}

void TAdvListView::RichToItem(int itemindex, int subitemindex, TCustomRichEdit* RichEditor) {
  TStringStream s;
  RichEditor->Lines()->SaveToStream(&s);
  String text = AnsiToWide(s.DataString());
  TListItem* item = Items()->Item(itemindex);
  if (subitemindex < 0) {
    item->SetCaption(text);
    return;
  }
  TStrings* subs = item->SubItems();
  while (subs->Count() <= subitemindex) subs->Add(String());
  subs->SetStrings(subitemindex, text);
}

String TAdvListView::RichPlainText(int Item, int SubItem) {
  TAdvRichEdit* re = RichEdit();
  ItemToRich(Item, SubItem, re);
  return re->Text();
}

// ---------------------------------------------------------------------------
// Update lock and clearing

void TAdvListView::BeginUpdate() {
  ++FUpdateCount;
  if (!HandleAllocated()) return;
  SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
  if (HWND header = HeaderHandle()) SendMessageW(header, WM_SETREDRAW, FALSE, 0);
}

void TAdvListView::EndUpdate() {
  if (FUpdateCount <= 0) return;
  if (--FUpdateCount > 0) return;
  SetHeaderOwnerDraw(FHeaderOwnerDraw);
  if (HandleAllocated()) {
    SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
    if (HWND header = HeaderHandle()) SendMessageW(header, WM_SETREDRAW, TRUE, 0);
  }
  UpdateColumns();
  Invalidate();
  RepaintHeader();
}

void TAdvListView::Clear() {
  Items()->Clear();
  Columns()->Clear();
}

void TAdvListView::ClearInit(int r, int c) {
  Items()->BeginUpdate();
  try {
    Items()->Clear();
    // The columns in one bracket: each one alone would lay out every row and
    // column again.
    Columns()->BeginUpdate();
    try {
      while (Columns()->Count() < c) Columns()->Add();
      for (int k = 0; k < c; ++k) Columns()->Items(k)->SetCaption(String());
    } catch (...) {
      Columns()->EndUpdate();
      throw;
    }
    Columns()->EndUpdate();
    for (int i = 0; i < r; ++i) {
      TListItem* item = Items()->Add();
      item->SetImageIndex(-1);
      for (int k = 0; k < c; ++k) {
        item->SubItems()->Add(String());
        item->SetSubItemImages(k, -1);
      }
    }
  } catch (...) {
    Items()->EndUpdate();
    throw;
  }
  Items()->EndUpdate();
}

// ---------------------------------------------------------------------------
// Highlighting and marking

namespace {
void WrapRow(TListItem* Item, const String& Text, const String& Tag, bool DoCase) {
  String r;
  InsertMarkTags(Item->Caption(), Text, Tag, r, DoCase);
  Item->SetCaption(r);
  TStrings* subs = Item->SubItems();
  for (int i = 0; i < subs->Count(); ++i) {
    InsertMarkTags(subs->Strings(i), Text, Tag, r, DoCase);
    subs->SetStrings(i, r);
  }
}

void UnwrapRow(TListItem* Item, const String& Tag) {
  String r;
  RemoveMarkTags(Item->Caption(), Tag, r);
  Item->SetCaption(r);
  TStrings* subs = Item->SubItems();
  for (int i = 0; i < subs->Count(); ++i) {
    RemoveMarkTags(subs->Strings(i), Tag, r);
    subs->SetStrings(i, r);
  }
}
}  // namespace

void TAdvListView::HilightInList(const String& HiText, bool DoCase) {
  Items()->BeginUpdate();
  for (int i = 0; i < Items()->Count(); ++i) WrapRow(Items()->Item(i), HiText, L"hi", DoCase);
  Items()->EndUpdate();
}

void TAdvListView::HilightInItem(int ItemIndex, const String& HiText, bool DoCase) {
  if (ItemIndex < 0 || ItemIndex >= Items()->Count()) return;
  WrapRow(Items()->Item(ItemIndex), HiText, L"hi", DoCase);
}

void TAdvListView::UnHilightInList() {
  Items()->BeginUpdate();
  for (int i = 0; i < Items()->Count(); ++i) UnwrapRow(Items()->Item(i), L"hi");
  Items()->EndUpdate();
}

void TAdvListView::UnHilightInItem(int ItemIndex) {
  if (ItemIndex < 0 || ItemIndex >= Items()->Count()) return;
  UnwrapRow(Items()->Item(ItemIndex), L"hi");
}

void TAdvListView::MarkInList(const String& HiText, bool DoCase) {
  Items()->BeginUpdate();
  for (int i = 0; i < Items()->Count(); ++i) WrapRow(Items()->Item(i), HiText, L"e", DoCase);
  Items()->EndUpdate();
}

void TAdvListView::MarkInItem(int ItemIndex, const String& HiText, bool DoCase) {
  if (ItemIndex < 0 || ItemIndex >= Items()->Count()) return;
  WrapRow(Items()->Item(ItemIndex), HiText, L"e", DoCase);
}

void TAdvListView::UnMarkInList() {
  Items()->BeginUpdate();
  for (int i = 0; i < Items()->Count(); ++i) UnwrapRow(Items()->Item(i), L"e");
  Items()->EndUpdate();
}

void TAdvListView::UnMarkInItem(int ItemIndex) {
  if (ItemIndex < 0 || ItemIndex >= Items()->Count()) return;
  UnwrapRow(Items()->Item(ItemIndex), L"e");
}

// ---------------------------------------------------------------------------
// Simple settings

void TAdvListView::SetColumnIndex(int Value) {
  FColumnIndex = Value;
  // Selected again, the row is drawn again with its new current cell.
  if (TListItem* item = Selected()) {
    FBlockSelection = true;
    item->SetSelected(false);
    item->SetSelected(true);
    FBlockSelection = false;
  }
}

int TAdvListView::VisibleItems() { return VisibleRowCount(); }

void TAdvListView::SetSelectionColor(TColor Value) {
  FSelectionColor = Value;
  Invalidate();
}

void TAdvListView::SetSelectionRTFKeep(bool Value) {
  FSelectionRTFKeep = Value;
  Invalidate();
}

void TAdvListView::SetSelectionTextColor(TColor Value) {
  FSelectionTextColor = Value;
  Invalidate();
}

void TAdvListView::SetURLColor(TColor Value) {
  FURLColor = Value;
  Invalidate();
}

void TAdvListView::SetURLFull(bool Value) {
  FURLFull = Value;
  Invalidate();
}

void TAdvListView::SetURLShow(bool Value) {
  FURLShow = Value;
  Invalidate();
}

void TAdvListView::SetVAlignment(TVAlignment Value) {
  FVAlignment = Value;
  FVAlign = Value == TVAlignment::vtaTop ? DT_TOP : Value == TVAlignment::vtaBottom ? DT_BOTTOM : DT_VCENTER;
  Invalidate();
}

void TAdvListView::SetWordWrap(bool Value) {
  FWordWrap = Value;
  Invalidate();
}

void TAdvListView::SetSubImages(bool Value) {
  if (Value == FSubImages) return;
  SetExtendedStyle(LVS_EX_SUBITEMIMAGES, Value ? LVS_EX_SUBITEMIMAGES : 0);
  FSubImages = Value;
}

void TAdvListView::SetSubItemEdit(bool Value) {
  FSubItemEdit = Value;
  if (Value) SetOwnerDraw(true);
}

void TAdvListView::SetPictureContainer(TPictureContainer* Value) {
  if (Value == FPictureContainer) return;
  if (FPictureContainer) FPictureContainer->RemoveFreeNotification(this);
  FPictureContainer = Value;
  if (Value) Value->FreeNotification(this);
  Invalidate();
}

void TAdvListView::SetStretchColumn(bool Value) {
  FStretchColumn = Value;
  FColumnSize->SetStretch(Value);
}

void TAdvListView::SetWallpaper(TBitmap* Value) {
  FWallpaper->Assign(Value);
  ApplyWallpaper();
}

void TAdvListView::ApplyWallpaper() {
  FBrush->SetBitmap(nullptr);
  if (FWallpaper->Empty()) {
    if (HandleAllocated()) {
      SendMessageW(Handle(), LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
      SendMessageW(Handle(), LVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
    }
    FBrush->SetColor(Color());
  } else {
    if (HandleAllocated()) {
      SendMessageW(Handle(), LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(CLR_NONE));
      SendMessageW(Handle(), LVM_SETBKCOLOR, 0, static_cast<LPARAM>(CLR_NONE));
    }
    FBrush->SetBitmap(FWallpaper);
  }
  Invalidate();
}

String TAdvListView::Version() {
  int v = GetVersionNr();
  return Format(L"%d.%d.%d.%d", {(v >> 24) & 0xFF, (v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF});
}

int TAdvListView::GetVersionNr() { return 0x01070401; }

String TAdvListView::GetVersionString() { return Version() + L" Oct, 2016"; }

void TAdvListView::DoLeftClickCell(int iItem, int iSubItem) {
  if (OnLeftClickCell) OnLeftClickCell(this, iItem, iSubItem);
}

void TAdvListView::DoRightClickCell(int iItem, int iSubItem) {
  if (OnRightClickCell) OnRightClickCell(this, iItem, iSubItem);
}

void TAdvListView::DoDrawItemProp(int ItemIndex, int SubItemIndex, TOwnerDrawState AState, TBrush* ABrush,
                                  TFont* AFont, const String& ItemText) {
  if (OnDrawItemProp) OnDrawItemProp(this, ItemIndex, SubItemIndex, AState, ABrush, AFont, ItemText);
}

void TAdvListView::DoSaveValue(int iItem, int iSubItem, String& AValue) {
  if (OnSaveValue) OnSaveValue(this, iItem, iSubItem, AValue);
}

// ---------------------------------------------------------------------------
// Cell settings

int TAdvListView::Progress(int Item, int Column) {
  String text = GetTextAtColRow(Column, Item);
  size_t p = text.find(L"{|");
  if (p == String::npos) return 0;
  return StrToInt(text.substr(p + 2));
}

void TAdvListView::SetProgress(int Item, int Column, int Value) {
  SetTextAtColRow(Column, Item, L"{|" + IntToStr(Value));
}

int TAdvListView::SubItemImages(int Item, int SubItem) {
  if (!FSubImages) return -1;
  return Items()->Item(Item)->SubItemImages(SubItem);
}

void TAdvListView::SetSubItemImages(int Item, int SubItem, int Value) {
  Items()->Item(Item)->SetSubItemImages(SubItem, Value);
}

int TAdvListView::ItemIndents(int Item, int SubItem) {
  if (SubItem == 0 || !HandleAllocated()) return Items()->Item(Item)->Indent();
  LVITEMW it{};
  it.mask = LVIF_INDENT;
  it.iItem = Item;
  it.iSubItem = SubItem;
  SendMessageW(Handle(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it));
  return it.iIndent;
}

void TAdvListView::SetItemIndents(int Item, int SubItem, int Value) {
  if (SubItem == 0) {
    Items()->Item(Item)->SetIndent(Value);
    return;
  }
  if (!HandleAllocated()) return;
  LVITEMW it{};
  it.mask = LVIF_INDENT;
  it.iItem = Item;
  it.iSubItem = SubItem;
  it.iIndent = Value;
  SendMessageW(Handle(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
}

TAdvRichEdit* TAdvListView::RichEdit() {
  if (!FRichEdit) {
    FRichEdit = new TAdvRichEdit(this);
    FRichEdit->SetVisible(false);
    FRichEdit->SetBorderStyle(TEditBorderStyle::bsNone);
    FRichEdit->SetBounds(0, 0, 0, 20);
    FRichEdit->SetParent(this);
  }
  return FRichEdit;
}

// ---------------------------------------------------------------------------
// Clipboard

void TAdvListView::CopyText(bool SelectionOnly) {
  String text;
  TListItem* sel = Selected();
  if ((FSubItemSelect || FSubItemEdit) && sel) {
    text = CellText(sel, FColumnIndex < 1 ? 0 : FColumnIndex);
  } else {
    for (int i = 0; i < Items()->Count(); ++i) {
      TListItem* item = Items()->Item(i);
      if (SelectionOnly && !item->Selected()) continue;
      text += item->Caption();
      for (int k = 0; k < item->SubItems()->Count(); ++k) text += L"\t" + item->SubItems()->Strings(k);
      text += L"\r\n";
    }
  }
  Clipboard()->SetAsText(text);
}

void TAdvListView::CopyToClipBoard() { CopyText(false); }

void TAdvListView::CopySelectionToClipboard() { CopyText(true); }

void TAdvListView::CutToClipboard() {
  TListItem* sel = Selected();
  if ((FSubItemSelect || FSubItemEdit) && sel) {
    // In cell mode the copy holds the current cell: only that cell goes.
    CopyText(false);
    SetTextAtColRow(FColumnIndex < 1 ? 0 : FColumnIndex, sel->Index(), String());
    return;
  }
  CopyText(false);
  Items()->Clear();
}

void TAdvListView::CutSelectionToClipboard() {
  TListItem* sel = Selected();
  if ((FSubItemSelect || FSubItemEdit) && sel) {
    CopyText(true);
    SetTextAtColRow(FColumnIndex < 1 ? 0 : FColumnIndex, sel->Index(), String());
    return;
  }
  CopyText(true);
  Items()->BeginUpdate();
  for (int i = Items()->Count() - 1; i >= 0; --i)
    if (Items()->Item(i)->Selected()) Items()->Delete(i);
  Items()->EndUpdate();
}

void TAdvListView::PasteFromClipboard() {
  if (!Clipboard()->HasFormat(CF_UNICODETEXT) && !Clipboard()->HasFormat(CF_TEXT)) return;
  String text = Clipboard()->AsText();
  if (FSubItemSelect || FSubItemEdit) {
    TListItem* sel = Selected();
    if (!sel) return;
    int col = FColumnIndex < 1 ? 0 : FColumnIndex;
    if (col == 0) {
      sel->SetCaption(text);
    } else {
      TStrings* subs = sel->SubItems();
      while (subs->Count() < col) subs->Add(String());
      subs->SetStrings(col - 1, text);
    }
    return;
  }
  TListItem* last = nullptr;
  size_t i = 0, n = text.size();
  Items()->BeginUpdate();
  while (i < n) {
    size_t end = text.find(L'\n', i);
    if (end == String::npos) end = n;
    String line = text.substr(i, end - i);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    i = end + 1;
    std::vector<String> fields;
    size_t s = 0;
    for (;;) {
      size_t t = line.find(L'\t', s);
      fields.push_back(line.substr(s, t == String::npos ? String::npos : t - s));
      if (t == String::npos) break;
      s = t + 1;
    }
    while (Columns()->Count() < static_cast<int>(fields.size())) Columns()->Add();
    TListItem* item = Items()->Add();
    item->SetImageIndex(-1);
    item->SetCaption(fields[0]);
    for (size_t k = 1; k < fields.size(); ++k) item->SubItems()->Add(fields[k]);
    item->SetSelected(true);
    last = item;
  }
  Items()->EndUpdate();
  if (last) {
    last->MakeVisible(false);
    last->SetFocused(true);
  }
}

// ---------------------------------------------------------------------------
// Item operations

void TAdvListView::SelectItem(int aIdx) {
  TListItem* item = Items()->Item(aIdx);
  item->SetSelected(true);
  item->SetFocused(true);
  item->MakeVisible(false);
}

void TAdvListView::SwapItems(int aIdx1, int aIdx2) {
  TListItem* a = Items()->Item(aIdx1);
  TListItem* b = Items()->Item(aIdx2);
  bool checkboxes = Checkboxes();
  auto* tmp = new TListItem(nullptr);
  tmp->Assign(a);
  a->Assign(b);
  b->Assign(tmp);
  tmp->Free();
  SetCheckboxes(checkboxes);
}

void TAdvListView::MoveItem(int aIdx1, int aIdx2) {
  if (aIdx1 == aIdx2 || aIdx1 == -1) return;
  bool checkboxes = Checkboxes();
  TListItem* from = Items()->Item(aIdx1);
  bool selected = from->Selected();
  bool checked = from->Checked();
  from->SetSelected(false);
  auto* tmp = new TListItem(nullptr);
  tmp->Assign(from);
  Items()->Delete(aIdx1);
  TListItem* to;
  if (aIdx2 < 0 || aIdx2 >= Items()->Count())
    to = Items()->Add();
  else
    to = Items()->Insert(aIdx2);
  to->Assign(tmp);
  to->SetSelected(selected);
  to->SetChecked(checked);
  to->SetFocused(true);
  tmp->Free();
  SetCheckboxes(checkboxes);
  NudgeHeight();
}

void TAdvListView::TestFill(int ColCount, int RowCount) {
  SetViewStyle(TViewStyle::vsReport);
  Items()->Clear();
  Columns()->Clear();
  for (int c = 0; c < ColCount; ++c) Columns()->Add();
  Items()->BeginUpdate();
  for (int r = 0; r < RowCount; ++r) {
    TListItem* item = Items()->Add();
    item->SetCaption(IntToStr(r));
    for (int c = 1; c < ColCount; ++c) item->SubItems()->Add(L"s" + IntToStr(c));
  }
  Items()->EndUpdate();
}

// ---------------------------------------------------------------------------
// Cell hints

String TAdvListView::BuildCellHint(const TPoint& P, TPoint& Pos) {
  if (!FAutoHint || !HandleAllocated()) return String();
  String text = GetTextAtPoint(P.x, P.y);
  int item = -1, col = 0;
  GetIndexAtPoint(P.x, P.y, item, col);
  if (OnInfoTip && item >= 0) OnInfoTip(this, Items()->Item(item), text);
  if (text.empty() || item < 0) return String();
  TRect cell = GetItemRect(item, col);
  if (col == 0) cell.left = 0;
  Pos = ClientToScreen(TPoint(cell.left, cell.top));
  FLastHintPos = TPoint(col, item);
  // The drawing canvas on a device context of the list, let go of on every
  // way out (the handler may raise).
  struct TOnList {
    TAdvListView* List;
    TControlCanvas* Canvas;
    HDC DC;
    TOnList(TAdvListView* L, TControlCanvas* C) : List(L), Canvas(C), DC(GetDC(L->Handle())) {
      Canvas->Lock();
      Canvas->SetHandle(DC);
    }
    ~TOnList() {
      Canvas->SetHandle(nullptr);
      Canvas->Unlock();
      ReleaseDC(List->Handle(), DC);
    }
  } onList(this, FDrawCanvas);
  FDrawCanvas->Font()->Assign(Font());
  DoDrawItemProp(item, col - 1, TOwnerDrawState(), FDrawCanvas->Brush(), FDrawCanvas->Font(), text);
  if (text.compare(0, 2, L"{\\") == 0) {
    text = RichPlainText(item, col - 1);
  } else if (text.find(L"</") != String::npos && !FHTMLHint) {
    THtmlRenderParams p = CellHtml(FDrawCanvas, text, cell);
    p.X = P.x;
    p.Y = P.y;
    p.CheckOnly = true;
    THtmlRenderResult r;
    if (RenderHtml(p, r))
      text = !r.FocusAnchor.empty() ? r.FocusAnchor : r.AnchorVal;
    else
      text = HtmlToPlainText(text);
  } else if (FHintLargeText) {
    if (FDrawCanvas->TextWidth(Trim(text)) < ColumnWidthAt(col) - 6) text.clear();
  }
  return Trim(text);
}
