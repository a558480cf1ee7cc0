#include "base/Object.h"

#include <algorithm>

void (*ReportLostException)(TObject* Sender) = nullptr;

void TObject::Free() {
  BeforeDestruction();
  try {
    Destroy();
  } catch (...) {
    delete this;
    throw;
  }
  delete this;
}

// ---------------------------------------------------------------------------

void TPersistent::Assign(TPersistent* Source) {
  if (Source)
    Source->AssignTo(this);
  else
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* Source) {
  String sourceName = Source ? Source->ClassName() : String(L"nil");
  throw EConvertError(L"Cannot assign a %s to a %s", {sourceName, ClassName()});
}

// ---------------------------------------------------------------------------

namespace {
// The component whose loading bracket is open on this thread.
thread_local TComponent* gLoadingRoot = nullptr;
}  // namespace

bool IsValidIdent(const String& Ident) {
  if (Ident.empty()) return false;
  auto alpha = [](wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_'; };
  if (!alpha(Ident[0])) return false;
  for (wchar_t c : Ident)
    if (!alpha(c) && !(c >= L'0' && c <= L'9')) return false;
  return true;
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) {
    if (AOwner == gLoadingRoot) {
      FComponentState.Include(TComponentStateItem::csLoading).Include(TComponentStateItem::csReading);
      AOwner->FLoading.push_back(this);
    }
    if (AOwner->IsDesigning()) FComponentState.Include(TComponentStateItem::csDesigning);
    AOwner->InsertComponent(this);
  }
}

TComponent::~TComponent() {
  DestroyFromDestructor([this] { TComponent::Destroy(); });
  // Whatever a failed Destroy left: no partner or owner keeps this address.
  for (TComponent* other : FFreeNotifies) {
    auto& theirs = other->FFreeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
  }
  if (FOwner) FOwner->Remove(this);
  if (gLoadingRoot == this) gLoadingRoot = FPrevLoadingRoot;
  while (!FComponents.empty()) {  // each pass frees at least one
    try {
      DestroyComponents();
    } catch (...) {
      ReportDestructorException();
    }
  }
}

void TComponent::ReportDestructorException() noexcept {
  try {
    if (ReportLostException) ReportLostException(this);
  } catch (...) {
  }
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount())
    throw EListError(L"List index out of bounds (%d)", {Index});
  return FComponents[static_cast<size_t>(Index)];
}

int TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  auto& v = FOwner->FComponents;
  auto it = std::find(v.begin(), v.end(), this);
  return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

TComponent* TComponent::FindComponent(const String& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameText(c->FName, AName)) return c;
  return nullptr;
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) {
  if (AComponent && !SameText(CurName, NewName) && !NewName.empty()) {
    TComponent* other = FindComponent(NewName);
    if (other && other != AComponent)
      throw EComponentError(L"A component named %s already exists", {NewName});
  }
}

void TComponent::SetName(const String& NewName) {
  if (FName == NewName) return;
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError(L"\"%s\" is not a valid component name", {NewName});
  if (FOwner) FOwner->ValidateRename(this, FName, NewName);
  FName = NewName;
}

void TComponent::SetSubComponent(bool IsSubComponent) {
  if (IsSubComponent)
    FComponentStyle.Include(TComponentStyleItem::csSubComponent);
  else
    FComponentStyle.Exclude(TComponentStyleItem::csSubComponent);
}

void TComponent::SetComponentStateItem(TComponentStateItem Item, bool On) {
  if (On)
    FComponentState.Include(Item);
  else
    FComponentState.Exclude(Item);
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  SetComponentStateItem(TComponentStateItem::csDesigning, Value);
  if (SetChildren)
    for (TComponent* c : FComponents) c->SetDesigning(Value, true);
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
  auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
  if (it != FComponents.end()) FComponents.erase(it);
  auto lt = std::find(FLoading.begin(), FLoading.end(), AComponent);
  if (lt != FLoading.end()) FLoading.erase(lt);
  AComponent->FOwner = nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  ValidateRename(AComponent, L"", AComponent->FName);
  Insert(AComponent);
  Notification(AComponent, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  Notification(AComponent, TOperation::opRemove);
  Remove(AComponent);
}

void TComponent::DestroyComponents() {
  // Newest first; each leaves the list before it is freed.
  while (!FComponents.empty()) {
    TComponent* instance = FComponents.back();
    Remove(instance);
    instance->Free();
  }
}

void TComponent::Destroying() {
  if (IsDestroying()) return;
  FComponentState.Include(TComponentStateItem::csDestroying);
  for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::BeforeDestruction() {
  if (!IsDestroying()) Destroying();
}

void TComponent::Destroy() {
  FDestroyRan = true;
  Destroying();
  // Tell the free-notification partners, each unlinked first.
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    auto& theirs = other->FFreeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    other->Notification(this, TOperation::opRemove);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
  if (gLoadingRoot == this) gLoadingRoot = FPrevLoadingRoot;
  TPersistent::Destroy();
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
    FFreeNotifies.push_back(AComponent);
  auto& theirs = AComponent->FFreeNotifies;
  if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
  FComponentState.Include(TComponentStateItem::csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent), FFreeNotifies.end());
  auto& theirs = AComponent->FFreeNotifies;
  theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == TOperation::opRemove && AComponent) RemoveFreeNotification(AComponent);
  // Walk from the end; a receiver may remove components meanwhile.
  int i = ComponentCount() - 1;
  while (i >= 0) {
    FComponents[static_cast<size_t>(i)]->Notification(AComponent, Operation);
    --i;
    if (i >= ComponentCount()) i = ComponentCount() - 1;
  }
}

void TComponent::BeginLoading() {
  FComponentState.Include(TComponentStateItem::csLoading).Include(TComponentStateItem::csReading);
  FPrevLoadingRoot = gLoadingRoot;
  gLoadingRoot = this;
  FLoading.clear();
}

void TComponent::EndLoading() {
  if (gLoadingRoot == this) gLoadingRoot = FPrevLoadingRoot;
  FPrevLoadingRoot = nullptr;
  std::vector<TComponent*> loaded;
  loaded.swap(FLoading);
  FComponentState.Exclude(TComponentStateItem::csReading);
  for (TComponent* c : loaded) c->FComponentState.Exclude(TComponentStateItem::csReading);
  Loaded();
  for (TComponent* c : loaded) {
    // A component freed by an earlier Loaded is no longer owned by us.
    if (std::find(FComponents.begin(), FComponents.end(), c) != FComponents.end()) c->Loaded();
  }
}

void TComponent::Loaded() { FComponentState.Exclude(TComponentStateItem::csLoading); }
