#include "base/Lists.h"

#include <algorithm>
#include <numeric>

namespace {

[[noreturn]] void ListIndexError(int Index) { throw EListError(L"List index out of bounds (%d)", {Index}); }

// Moves the element at cur to stand at dest, shifting those between.
template <class V>
void MoveElement(V& v, size_t cur, size_t dest) {
  if (cur < dest)
    std::rotate(v.begin() + cur, v.begin() + cur + 1, v.begin() + dest + 1);
  else if (dest < cur)
    std::rotate(v.begin() + dest, v.begin() + cur, v.begin() + cur + 1);
}

// Runs f inside BeginUpdate/EndUpdate of list; the update closes on an
// exception too.
template <class L, class F>
void InUpdate(L* list, F&& f) {
  list->BeginUpdate();
  try {
    f();
  } catch (...) {
    list->EndUpdate();
    throw;
  }
  list->EndUpdate();
}

}  // namespace

// ---------------------------------------------------------------------------
// TList

void TList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count()) ListIndexError(Index);
}

int TList::Add(void* Item) {
  FList.push_back(Item);
  return Count() - 1;
}

void TList::Insert(int Index, void* Item) {
  if (Index < 0 || Index > Count()) ListIndexError(Index);
  FList.insert(FList.begin() + Index, Item);
}

void TList::Delete(int Index) {
  CheckIndex(Index);
  FList.erase(FList.begin() + Index);
}

int TList::Remove(void* Item) {
  int i = IndexOf(Item);
  if (i >= 0) Delete(i);
  return i;
}

int TList::IndexOf(void* Item) const {
  auto it = std::find(FList.begin(), FList.end(), Item);
  return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

void TList::Move(int CurIndex, int NewIndex) {
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  MoveElement(FList, CurIndex, NewIndex);
}

void TList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  std::swap(FList[Index1], FList[Index2]);
}

void* TList::Items(int Index) const {
  CheckIndex(Index);
  return FList[Index];
}

void TList::SetItems(int Index, void* Item) {
  CheckIndex(Index);
  FList[Index] = Item;
}

// ---------------------------------------------------------------------------
// TStrings

void TStrings::IndexError(int Index) { ListIndexError(Index); }

int TStrings::Add(const String& S) {
  int i = GetCount();
  Insert(i, S);
  return i;
}

int TStrings::AddObject(const String& S, TObject* AObject) {
  int i = Add(S);
  PutObject(i, AObject);
  return i;
}

void TStrings::InsertObject(int Index, const String& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::Put(int Index, const String& S) {
  TObject* o = GetObject(Index);
  InUpdate(this, [&] {
    Delete(Index);
    InsertObject(Index, S, o);
  });
}

void TStrings::Exchange(int Index1, int Index2) {
  String s1 = Get(Index1), s2 = Get(Index2);
  TObject* o1 = GetObject(Index1);
  TObject* o2 = GetObject(Index2);
  InUpdate(this, [&] {
    Put(Index1, s2);
    PutObject(Index1, o2);
    Put(Index2, s1);
    PutObject(Index2, o1);
  });
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  if (NewIndex < 0 || NewIndex >= GetCount()) IndexError(NewIndex);
  String s = Get(CurIndex);
  TObject* o = GetObject(CurIndex);
  InUpdate(this, [&] {
    Delete(CurIndex);
    InsertObject(NewIndex, s, o);
  });
}

int TStrings::CompareStrings(const String& S1, const String& S2) const { return AnsiCompareText(S1, S2); }

int TStrings::IndexOf(const String& S) const {
  for (int i = 0, n = GetCount(); i < n; ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const {
  for (int i = 0, n = GetCount(); i < n; ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

String TStrings::Text() const {
  String r;
  for (int i = 0, n = GetCount(); i < n; ++i) {
    r += Get(i);
    r += L"\r\n";
  }
  return r;
}

void TStrings::SetText(const String& Value) {
  InUpdate(this, [&] {
    Clear();
    size_t i = 0, n = Value.size();
    while (i < n) {
      size_t start = i;
      while (i < n && Value[i] != L'\r' && Value[i] != L'\n') ++i;
      Add(Value.substr(start, i - start));
      // CR, LF or CR LF ends the line.
      if (i < n && Value[i] == L'\r') ++i;
      if (i < n && Value[i] == L'\n') ++i;
    }
  });
}

void TStrings::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TStrings*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  InUpdate(this, [&] {
    Clear();
    for (int i = 0, n = src->Count(); i < n; ++i) AddObject(src->Get(i), src->GetObject(i));
  });
}

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0) SetUpdateState(false);
}

// ---------------------------------------------------------------------------
// TStringList

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  if (FOwnsObjects) {
    std::vector<TStringItem> items;
    items.swap(FList);
    for (auto& it : items) FreeObject(it.Object);
  }
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating)
    Changing();
  else
    Changed();
}

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count()) IndexError(Index);
}

void TStringList::CheckUnsorted() const {
  if (FSorted) throw EListError(L"Operation not allowed on sorted list");
}

int TStringList::CompareStrings(const String& S1, const String& S2) const {
  return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

String TStringList::Get(int Index) const {
  CheckIndex(Index);
  return FList[Index].S;
}

TObject* TStringList::GetObject(int Index) const {
  CheckIndex(Index);
  return FList[Index].Object;
}

void TStringList::Put(int Index, const String& S) {
  CheckUnsorted();
  CheckIndex(Index);
  Changing();
  FList[Index].S = S;
  Changed();
}

void TStringList::PutObject(int Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  FList[Index].Object = AObject;
  Changed();
}

void TStringList::InsertItem(int Index, const String& S, TObject* AObject) {
  Changing();
  FList.insert(FList.begin() + Index, TStringItem{S, AObject});
  Changed();
}

int TStringList::AddObject(const String& S, TObject* AObject) {
  int i = FSorted ? UpperBound(S) : Count();
  InsertItem(i, S, AObject);
  return i;
}

void TStringList::InsertObject(int Index, const String& S, TObject* AObject) {
  CheckUnsorted();
  if (Index < 0 || Index > Count()) IndexError(Index);
  InsertItem(Index, S, AObject);
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  Changing();
  TObject* o = FList[Index].Object;
  FList.erase(FList.begin() + Index);
  if (FOwnsObjects) FreeObject(o);
  Changed();
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  std::vector<TStringItem> items;
  items.swap(FList);
  if (FOwnsObjects)
    for (auto& it : items) FreeObject(it.Object);
  Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
  CheckUnsorted();
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(FList[Index1], FList[Index2]);
  Changed();
}

void TStringList::Move(int CurIndex, int NewIndex) {
  CheckUnsorted();
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  if (CurIndex == NewIndex) return;
  Changing();
  MoveElement(FList, CurIndex, NewIndex);
  Changed();
}

bool TStringList::Find(const String& S, int& Index) const {
  // The first position whose string is not less than S.
  int lo = 0, hi = Count();
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    if (CompareStrings(FList[mid].S, S) < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  Index = lo;
  return lo < Count() && CompareStrings(FList[lo].S, S) == 0;
}

int TStringList::UpperBound(const String& S) const {
  int lo = 0, hi = Count();
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    if (CompareStrings(S, FList[mid].S) < 0)
      hi = mid;
    else
      lo = mid + 1;
  }
  return lo;
}

int TStringList::IndexOf(const String& S) const {
  if (!FSorted) return TStrings::IndexOf(S);
  int i;
  return Find(S, i) ? i : -1;
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
  if (FSorted || Count() < 2) return;
  // Sort a permutation so that Compare sees the list unchanged meanwhile.
  std::vector<int> order(FList.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Compare(this, a, b) < 0; });
  Changing();
  std::vector<TStringItem> sorted;
  sorted.reserve(FList.size());
  for (int i : order) sorted.push_back(std::move(FList[i]));
  FList.swap(sorted);
  Changed();
}

void TStringList::Sort() {
  CustomSort([](TStringList* l, int a, int b) { return l->CompareStrings(l->FList[a].S, l->FList[b].S); });
}

void TStringList::SetSorted(bool Value) {
  if (FSorted == Value) return;
  if (Value) Sort();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (FCaseSensitive == Value) return;
  FCaseSensitive = Value;
  if (FSorted) {
    FSorted = false;
    Sort();
    FSorted = true;
  }
}

// ---------------------------------------------------------------------------
// Collections

TCollectionItem::TCollectionItem(TCollection* Collection) {
  if (Collection) Collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem() {
  if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::BeforeDestruction() {
  TPersistent::BeforeDestruction();
  if (FCollection) {
    FLeftCollection = FCollection;
    FCollection->RemoveItem(this);
  }
}

void TCollectionItem::Destroy() {
  TPersistent::Destroy();
  if (TCollection* c = FLeftCollection) {
    FLeftCollection = nullptr;
    c->Changed();
  }
}

int TCollectionItem::Index() const {
  if (!FCollection) return -1;
  auto& v = FCollection->FItems;
  auto it = std::find(v.begin(), v.end(), this);
  return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

void TCollectionItem::SetIndex(int Value) {
  int cur = Index();
  if (cur < 0 || cur == Value) return;
  if (Value < 0 || Value >= FCollection->Count()) ListIndexError(Value);
  MoveElement(FCollection->FItems, cur, Value);
  Changed(true);
}

TPersistent* TCollectionItem::GetOwner() { return FCollection; }

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->DoUpdate(AllItems ? nullptr : this);
}

TCollection::TCollection(TCollectionItemFactory ItemFactory) : FItemFactory(std::move(ItemFactory)) {}

TCollection::~TCollection() { FreeItems(); }

void TCollection::InsertItem(TCollectionItem* Item) {
  FItems.push_back(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it != FItems.end()) FItems.erase(it);
  Item->FCollection = nullptr;
}

void TCollection::FreeItems() {
  // Newest first; each item leaves the list before it is freed, so whatever
  // its freeing runs sees only live items.
  while (!FItems.empty()) {
    TCollectionItem* item = FItems.back();
    FItems.pop_back();
    item->FCollection = nullptr;
    item->Free();
  }
}

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = FItemFactory(this);
  if (item->FCollection != this) {
    if (item->FCollection) item->FCollection->RemoveItem(item);
    InsertItem(item);
  }
  Changed();
  return item;
}

TCollectionItem* TCollection::Insert(int Index) {
  if (Index < 0 || Index > Count()) ListIndexError(Index);
  TCollectionItem* item = nullptr;
  InUpdate(this, [&] {
    item = Add();
    item->SetIndex(Index);
  });
  return item;
}

void TCollection::Delete(int Index) {
  TCollectionItem* item = Items(Index);
  RemoveItem(item);
  item->Free();
  Changed();
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  InUpdate(this, [&] { FreeItems(); });
}

void TCollection::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TCollection*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  InUpdate(this, [&] {
    FreeItems();
    for (int i = 0; i < src->Count(); ++i) Add()->Assign(src->Items(i));
  });
}

TCollectionItem* TCollection::Items(int Index) const {
  if (Index < 0 || Index >= Count()) ListIndexError(Index);
  return FItems[Index];
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
  if (FUpdateCount == 0) return;
  --FUpdateCount;
  Changed();
}

void TCollection::Changed() {
  if (FUpdateCount == 0) DoUpdate(nullptr);
}

void TCollection::DoUpdate(TCollectionItem* Item) {
  if (FInUpdate) {
    FChangedInUpdate = true;
    return;
  }
  struct TFlag {
    bool& F;
    ~TFlag() { F = false; }
  } flag{FInUpdate};
  FInUpdate = true;
  FChangedInUpdate = false;
  Update(Item);
  if (FChangedInUpdate) {
    // Once only: a repaint that changes something on every pass ends here.
    FChangedInUpdate = false;
    Update(nullptr);
  }
}
