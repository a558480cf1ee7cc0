#include "base/WindowStrings.h"

const TWindowStrings::TItem& TWindowStrings::At(int Index) const {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  return FItems[static_cast<size_t>(Index)];
}

int TWindowStrings::AddObject(const String& S, TObject* AObject) {
  InsertObject(Count(), S, AObject);
  return Count() - 1;
}

void TWindowStrings::InsertObject(int Index, const String& S, TObject* AObject) {
  if (Index < 0 || Index > Count()) IndexError(Index);
  if (OnChanging) OnChanging(this);
  FItems.insert(FItems.begin() + Index, TItem{S, AObject});
  if (FOwner->HandleAllocated())
    SendMessageW(FOwner->Handle(), FMessages.Insert, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(S.c_str()));
  else if (FItemIndex >= Index)
    ++FItemIndex;
  if (OnChange) OnChange(this);
}

void TWindowStrings::Delete(int Index) {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  if (OnChanging) OnChanging(this);
  FItems.erase(FItems.begin() + Index);
  if (FOwner->HandleAllocated())
    SendMessageW(FOwner->Handle(), FMessages.Delete, static_cast<WPARAM>(Index), 0);
  else if (FItemIndex == Index)
    FItemIndex = -1;
  else if (FItemIndex > Index)
    --FItemIndex;
  if (OnChange) OnChange(this);
}

void TWindowStrings::Clear() {
  if (OnChanging) OnChanging(this);
  FItems.clear();
  FItemIndex = -1;
  if (FOwner->HandleAllocated()) SendMessageW(FOwner->Handle(), FMessages.Reset, 0, 0);
  if (OnChange) OnChange(this);
}

void TWindowStrings::FillWindow() {
  for (const TItem& item : FItems)
    SendMessageW(FOwner->Handle(), FMessages.Insert, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.S.c_str()));
}

String TWindowStrings::Get(int Index) const { return At(Index).S; }

void TWindowStrings::Put(int Index, const String& S) {
  TObject* object = At(Index).Object;
  int selected = FOwner->HandleAllocated()
                     ? static_cast<int>(SendMessageW(FOwner->Handle(), FMessages.GetSelection, 0, 0))
                     : FItemIndex;
  Delete(Index);
  InsertObject(Index, S, object);
  if (selected != Index) return;
  FItemIndex = Index;
  if (FOwner->HandleAllocated())
    SendMessageW(FOwner->Handle(), FMessages.SetSelection, static_cast<WPARAM>(Index), 0);
}

TObject* TWindowStrings::GetObject(int Index) const { return At(Index).Object; }

void TWindowStrings::PutObject(int Index, TObject* AObject) {
  At(Index);
  FItems[static_cast<size_t>(Index)].Object = AObject;
  if (FOwner->HandleAllocated()) InvalidateRect(FOwner->Handle(), nullptr, FALSE);
}
