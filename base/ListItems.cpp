#include "base/ListView.h"
#include "base/ListViewDetail.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>

#include "base/ImgList.h"

using namespace listview_detail;

// ---------------------------------------------------------------------------
// TListColumn

TListColumn::TListColumn(TCollection* Collection) : TCollectionItem(Collection) {}

void TListColumn::Assign(TPersistent* Source) {
  if (auto* c = dynamic_cast<TListColumn*>(Source)) {
    FCaption = c->FCaption;
    FAlignment = c->FAlignment;
    FAutoSize = c->FAutoSize;
    FImageIndex = c->FImageIndex;
    Changed(false);
    SetWidth(c->Width());
    return;
  }
  TCollectionItem::Assign(Source);
}

String TListColumn::GetDisplayName() const { return FCaption.empty() ? TCollectionItem::GetDisplayName() : FCaption; }

void TListColumn::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  Changed(false);
}

int TListColumn::Width() {
  auto* cols = static_cast<TListColumns*>(Collection());
  if (cols && cols->Owner()->HandleAllocated()) {
    TCustomListView* lv = cols->Owner();
    // Where the window has the column (inside a bracket the collection may
    // have moved it already).
    const auto& shown = lv->FWindowColumns;
    int i = Index();
    if (i < 0 || i >= static_cast<int>(shown.size()) || shown[i] != this)
      i = static_cast<int>(std::find(shown.begin(), shown.end(), this) - shown.begin());
    if (i < static_cast<int>(shown.size()))
      FWidth = static_cast<int>(Send(lv->Handle(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i)));
  }
  return FWidth;
}

void TListColumn::SetWidth(int Value) {
  if (Value < 0) Value = 0;
  FWidth = Value;
  auto* cols = static_cast<TListColumns*>(Collection());
  if (cols && cols->Owner()->HandleAllocated()) {
    TCustomListView* lv = cols->Owner();
    int i = Index();
    if (i >= 0 && i < static_cast<int>(lv->FWindowColumns.size()) && lv->FWindowColumns[i] == this)
      Send(lv->Handle(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), MAKELPARAM(Value, 0));
  }
}

void TListColumn::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Changed(false);
}

void TListColumn::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  Changed(false);
}

void TListColumn::SetImageIndex(int Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  Changed(false);
}

TListColumns::TListColumns(TCustomListView* AOwner) : TCollection(ItemClass<TListColumn>()), FOwner(AOwner) {}

TPersistent* TListColumns::GetOwner() { return FOwner; }

void TListColumns::Update(TCollectionItem* Item) {
  if (!FOwner->HandleAllocated()) return;
  if (Item)
    FOwner->UpdateColumn(Item->Index());
  else
    FOwner->UpdateColumns();
}

// ---------------------------------------------------------------------------
// TSubItems

int TSubItems::AddObject(const String& S, TObject* AObject) {
  int i = TStringList::AddObject(S, AObject);
  if (i <= static_cast<int>(FImages.size())) FImages.insert(FImages.begin() + i, -1);
  return i;
}

void TSubItems::InsertObject(int Index, const String& S, TObject* AObject) {
  TStringList::InsertObject(Index, S, AObject);
  if (Index <= static_cast<int>(FImages.size())) FImages.insert(FImages.begin() + Index, -1);
}

void TSubItems::Delete(int Index) {
  TStringList::Delete(Index);
  if (Index < static_cast<int>(FImages.size())) FImages.erase(FImages.begin() + Index);
}

void TSubItems::Clear() {
  FImages.clear();
  TStringList::Clear();
}

void TSubItems::Exchange(int Index1, int Index2) {
  TStringList::Exchange(Index1, Index2);
  int a = Image(Index1), b = Image(Index2);
  SetImage(Index1, b);
  SetImage(Index2, a);
}

void TSubItems::Move(int CurIndex, int NewIndex) {
  int img = Image(CurIndex);
  TStringList::Move(CurIndex, NewIndex);
  if (CurIndex < static_cast<int>(FImages.size())) FImages.erase(FImages.begin() + CurIndex);
  if (NewIndex > static_cast<int>(FImages.size())) FImages.resize(static_cast<size_t>(NewIndex), -1);
  FImages.insert(FImages.begin() + NewIndex, img);
}

int TSubItems::Image(int Index) const {
  return Index >= 0 && Index < static_cast<int>(FImages.size()) ? FImages[Index] : -1;
}

void TSubItems::SetImage(int Index, int Value) {
  if (Index < 0) return;
  if (Index >= static_cast<int>(FImages.size())) {
    if (Value == -1) return;
    FImages.resize(static_cast<size_t>(Index) + 1, -1);
  }
  FImages[Index] = Value;
}

void TSubItems::Put(int Index, const String& S) { TStringList::Put(Index, S); }

void TSubItems::Changed() {
  TStringList::Changed();
  if (UpdateCount() == 0 && FOwner) FOwner->SubItemsChanged();
}

// ---------------------------------------------------------------------------
// TListItem

TListItem::TListItem(TListItems* AOwner) : FOwner(AOwner), FSubItems(new TSubItems(this)) {}

TListItem::~TListItem() { delete FSubItems; }

void TListItem::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TListItem*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  FCaption = src->FCaption;
  FSubItems->BeginUpdate();
  FSubItems->Assign(src->FSubItems);
  for (int i = 0; i < src->FSubItems->Count(); ++i) FSubItems->SetImage(i, src->FSubItems->Image(i));
  FSubItems->EndUpdate();
  FData = src->FData;
  SetImageIndex(src->FImageIndex);
  SetIndent(src->FIndent);
  SetStateIndex(src->FStateIndex);
  SetChecked(src->Checked());
  Update();
}

TCustomListView* TListItem::ListView() const { return FOwner ? FOwner->Owner() : nullptr; }

int TListItem::Index() const { return FIndex; }

namespace {
bool InWindow(const TListItem* Item, TCustomListView* lv) { return lv && lv->HandleAllocated() && Item->Index() >= 0; }
}  // namespace

void TListItem::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  Update();
}

void TListItem::SetSubItemImages(int Index, int Value) {
  if (FSubItems->Image(Index) == Value) return;
  FSubItems->SetImage(Index, Value);
  Update();
}

void TListItem::SetImageIndex(int Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  Update();
}

void TListItem::SetStateIndex(int Value) {
  if (Value == FStateIndex) return;
  FStateIndex = Value;
  TCustomListView* lv = ListView();
  if (InWindow(this, lv) && !lv->Checkboxes())
    lv->SetItemStateBits(this, StateImageBits(false, false, Value), LVIS_STATEIMAGEMASK);
}

void TListItem::SetIndent(int Value) {
  if (Value == FIndent) return;
  FIndent = Value;
  TCustomListView* lv = ListView();
  if (InWindow(this, lv)) {
    LVITEMW it{};
    it.mask = LVIF_INDENT;
    it.iItem = FIndex;
    it.iIndent = Value;
    Send(lv->Handle(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
  }
}

bool TListItem::Checked() {
  TCustomListView* lv = ListView();
  if (InWindow(this, lv)) {
    UINT s = static_cast<UINT>(Send(lv->Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(FIndex), LVIS_STATEIMAGEMASK));
    FChecked = (s >> 12) == 2;
  }
  return FChecked;
}

void TListItem::SetChecked(bool Value) {
  FChecked = Value;
  TCustomListView* lv = ListView();
  if (InWindow(this, lv)) lv->SetItemStateBits(this, INDEXTOSTATEIMAGEMASK(Value ? 2 : 1), LVIS_STATEIMAGEMASK);
}

bool TListItem::Selected() {
  TCustomListView* lv = ListView();
  if (InWindow(this, lv))
    FSelected = Send(lv->Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(FIndex), LVIS_SELECTED) != 0;
  return FSelected;
}

void TListItem::SetSelected(bool Value) {
  TCustomListView* lv = ListView();
  if (!InWindow(this, lv)) {
    FSelected = Value;
    return;
  }
  if (Value && !lv->MultiSelect()) {
    // One selection at a time: the rows losing it report first.
    for (int i = 0; i < FOwner->Count(); ++i)
      if (i != FIndex && FOwner->Item(i)->Selected()) lv->SetItemStateBits(FOwner->Item(i), 0, LVIS_SELECTED);
  }
  lv->SetItemStateBits(this, Value ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

bool TListItem::Focused() {
  TCustomListView* lv = ListView();
  if (InWindow(this, lv))
    FFocused = Send(lv->Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(FIndex), LVIS_FOCUSED) != 0;
  return FFocused;
}

void TListItem::SetFocused(bool Value) {
  FFocused = Value;
  TCustomListView* lv = ListView();
  if (InWindow(this, lv)) lv->SetItemStateBits(this, Value ? LVIS_FOCUSED : 0, LVIS_FOCUSED);
}

void TListItem::MakeVisible(bool PartialOK) {
  TCustomListView* lv = ListView();
  if (InWindow(this, lv)) Send(lv->Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(FIndex), PartialOK);
}

TRect TListItem::DisplayRect(TDisplayCode Code) {
  TCustomListView* lv = ListView();
  RECT r{};
  if (InWindow(this, lv)) {
    r.left = static_cast<int>(Code);
    Send(lv->Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(FIndex), reinterpret_cast<LPARAM>(&r));
  }
  return TRect(r);
}

void TListItem::Delete() {
  if (FOwner) FOwner->Delete(FIndex);
}

void TListItem::Update() {
  TCustomListView* lv = ListView();
  if (InWindow(this, lv)) lv->UpdateItem(this);
}

void TListItem::SubItemsChanged() { Update(); }

// ---------------------------------------------------------------------------
// TListItems

TListItems::~TListItems() {
  for (TListItem* item : FItems) {
    item->FOwner = nullptr;
    item->Free();
  }
}

TPersistent* TListItems::GetOwner() { return FOwner; }

void TListItems::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TListItems*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  BeginUpdate();
  try {
    Clear();
    for (TListItem* item : src->FItems) Add()->Assign(item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TListItems::Renumber(int From) {
  for (int i = Max(0, From); i < Count(); ++i) FItems[i]->FIndex = i;
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int Index) {
  if (Index < 0 || Index > Count()) throw EListError(L"List index out of bounds (%d)", {Index});
  auto* item = new TListItem(this);
  FItems.insert(FItems.begin() + Index, item);
  Renumber(Index);
  if (FOwner->HandleAllocated()) FOwner->InsertItemWindow(item);
  return item;
}

void TListItems::Delete(int Index) {
  TListItem* item = Item(Index);
  if (FOwner->HandleAllocated()) Send(FOwner->Handle(), LVM_DELETEITEM, static_cast<WPARAM>(Index));
  FItems.erase(FItems.begin() + Index);
  Renumber(Index);
  item->FOwner = nullptr;
  item->FIndex = -1;
  item->Free();
}

void TListItems::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  if (FOwner->HandleAllocated()) Send(FOwner->Handle(), LVM_DELETEALLITEMS);
  std::vector<TListItem*> items;
  items.swap(FItems);
  for (TListItem* item : items) {
    item->FOwner = nullptr;
    item->FIndex = -1;
    item->Free();
  }
  EndUpdate();
}

TListItem* TListItems::Item(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(L"List index out of bounds (%d)", {Index});
  return FItems[Index];
}

int TListItems::IndexOf(const TListItem* Value) const {
  auto it = std::find(FItems.begin(), FItems.end(), Value);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TListItems::BeginUpdate() {
  if (FUpdateCount++ == 0 && FOwner->HandleAllocated()) Send(FOwner->Handle(), WM_SETREDRAW, FALSE);
}

void TListItems::EndUpdate() {
  if (FUpdateCount <= 0) return;
  if (--FUpdateCount == 0 && FOwner->HandleAllocated()) {
    Send(FOwner->Handle(), WM_SETREDRAW, TRUE);
    InvalidateRect(FOwner->Handle(), nullptr, TRUE);
  }
}
