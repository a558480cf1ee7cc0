#include "base/ActnList.h"

#include <algorithm>

#include "base/Controls.h"
#include "base/ImgList.h"
#include "base/Menus.h"

// ---------------------------------------------------------------------------
// TBasicActionLink

void TBasicActionLink::Destroy() {
  if (FAction) FAction->UnRegisterChanges(this);
  FAction = nullptr;
  TObject::Destroy();
}

void TBasicActionLink::SetAction(TBasicAction* Value) {
  if (FAction == Value) return;
  if (FAction) FAction->UnRegisterChanges(this);
  FAction = Value;
  if (Value) Value->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent* AComponent) {
  if (!FAction) return false;
  TComponent* saved = FAction->ActionComponent();
  FAction->SetActionComponent(AComponent);
  bool handled;
  try {
    handled = FAction->Execute();
  } catch (...) {
    // The handler may have freed the action; only a live one is restored.
    if (FAction) FAction->SetActionComponent(saved);
    throw;
  }
  if (FAction) FAction->SetActionComponent(saved);
  return handled;
}

void TBasicActionLink::Change() {
  if (OnChange) OnChange(FAction);
}

// ---------------------------------------------------------------------------
// TBasicAction

void TBasicAction::Destroy() {
  // The clients hear of the end through their free notification; their
  // links no longer point here.
  for (TBasicActionLink* l : FClients) l->FAction = nullptr;
  FClients.clear();
  TComponent::Destroy();
}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

void TBasicAction::RegisterChanges(TBasicActionLink* Value) {
  if (std::find(FClients.begin(), FClients.end(), Value) == FClients.end()) FClients.push_back(Value);
  Value->FAction = this;
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Value) {
  FClients.erase(std::remove(FClients.begin(), FClients.end(), Value), FClients.end());
  if (Value->FAction == this) Value->FAction = nullptr;
}

void TBasicAction::Change() {
  std::vector<TBasicActionLink*> clients = FClients;
  for (TBasicActionLink* l : clients)
    if (std::find(FClients.begin(), FClients.end(), l) != FClients.end()) l->Change();
  if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------
// TContainedAction

void TContainedAction::Destroy() {
  SetActionList(nullptr);
  TBasicAction::Destroy();
}

void TContainedAction::SetActionList(TCustomActionList* Value) {
  if (FActionList == Value) return;
  if (FActionList) FActionList->RemoveAction(this);
  if (Value) Value->AddAction(this);
}

int TContainedAction::Index() const { return FActionList ? FActionList->IndexOfAction(this) : -1; }

// ---------------------------------------------------------------------------
// TCustomAction

namespace {
// Pushes a value to every client link that follows the property.
template <class IsLinked, class Set>
void Push(const std::vector<TBasicActionLink*>& Clients, IsLinked isLinked, Set set) {
  std::vector<TBasicActionLink*> copy = Clients;
  for (TBasicActionLink* l : copy)
    if (auto* al = dynamic_cast<TActionLink*>(l))
      if ((al->*isLinked)()) set(al);
}
}  // namespace

void TCustomAction::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  Push(Clients(), &TActionLink::IsCaptionLinked, [&](TActionLink* l) { l->SetCaption(Value); });
  FCaption = Value;
  Change();
}

void TCustomAction::SetChecked(bool Value) {
  if (FChecked == Value) return;
  Push(Clients(), &TActionLink::IsCheckedLinked, [&](TActionLink* l) { l->SetChecked(Value); });
  FChecked = Value;
  if (Value && FGroupIndex > 0 && ActionList()) {
    for (int i = 0; i < ActionList()->ActionCount(); ++i) {
      auto* other = dynamic_cast<TCustomAction*>(ActionList()->Actions(i));
      if (other && other != this && other->FGroupIndex == FGroupIndex) other->SetChecked(false);
    }
  }
  Change();
}

void TCustomAction::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  Push(Clients(), &TActionLink::IsEnabledLinked, [&](TActionLink* l) { l->SetEnabled(Value); });
  FEnabled = Value;
  Change();
}

void TCustomAction::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  Push(Clients(), &TActionLink::IsGroupIndexLinked, [&](TActionLink* l) { l->SetGroupIndex(Value); });
  FGroupIndex = Value;
  Change();
}

void TCustomAction::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  Push(Clients(), &TActionLink::IsImageIndexLinked, [&](TActionLink* l) { l->SetImageIndex(Value); });
  FImageIndex = Value;
  Change();
}

void TCustomAction::SetAutoCheck(bool Value) {
  if (FAutoCheck == Value) return;
  Push(Clients(), &TActionLink::IsAutoCheckLinked, [&](TActionLink* l) { l->SetAutoCheck(Value); });
  FAutoCheck = Value;
  Change();
}

void TCustomAction::SetHint(const String& Value) {
  if (FHint == Value) return;
  Push(Clients(), &TActionLink::IsHintLinked, [&](TActionLink* l) { l->SetHint(Value); });
  FHint = Value;
  Change();
}

void TCustomAction::SetShortCut(TShortCut Value) {
  if (FShortCut == Value) return;
  Push(Clients(), &TActionLink::IsShortCutLinked, [&](TActionLink* l) { l->SetShortCut(Value); });
  FShortCut = Value;
  Change();
}

void TCustomAction::SetVisible(bool Value) {
  if (FVisible == Value) return;
  Push(Clients(), &TActionLink::IsVisibleLinked, [&](TActionLink* l) { l->SetVisible(Value); });
  FVisible = Value;
  Change();
}

void TCustomAction::SetHelpContext(int Value) {
  if (FHelpContext == Value) return;
  Push(Clients(), &TActionLink::IsHelpContextLinked, [&](TActionLink* l) { l->SetHelpContext(Value); });
  FHelpContext = Value;
  Change();
}

void TCustomAction::SetHelpKeyword(const String& Value) {
  if (FHelpKeyword == Value) return;
  FHelpKeyword = Value;
  Change();
}

void TCustomAction::SetHelpType(THelpType Value) {
  if (FHelpType == Value) return;
  FHelpType = Value;
  Change();
}

TCustomImageList* TCustomAction::Images() const { return ActionList() ? ActionList()->Images() : nullptr; }

bool TCustomAction::Execute() {
  if (!FEnabled) return false;
  if (FAutoCheck) SetChecked(!FChecked);
  return TBasicAction::Execute();
}

// ---------------------------------------------------------------------------
// TActionLink

TCustomAction* TActionLink::CustomAction() const { return dynamic_cast<TCustomAction*>(FAction); }

bool TActionLink::IsCaptionLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsCheckedLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsEnabledLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsGroupIndexLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsHelpContextLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsHintLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsImageIndexLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsShortCutLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsVisibleLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsAutoCheckLinked() { return CustomAction() != nullptr; }

// ---------------------------------------------------------------------------
// TControlActionLink

TControlActionLink::TControlActionLink(TObject* AClient) : FClient(dynamic_cast<TControl*>(AClient)) {}

bool TControlActionLink::IsCaptionLinked() {
  return TActionLink::IsCaptionLinked() && FClient && FClient->Caption() == CustomAction()->Caption();
}
bool TControlActionLink::IsEnabledLinked() {
  return TActionLink::IsEnabledLinked() && FClient && FClient->Enabled() == CustomAction()->Enabled();
}
bool TControlActionLink::IsHintLinked() {
  return TActionLink::IsHintLinked() && FClient && FClient->Hint() == CustomAction()->Hint();
}
bool TControlActionLink::IsVisibleLinked() {
  return TActionLink::IsVisibleLinked() && FClient && FClient->Visible() == CustomAction()->Visible();
}
void TControlActionLink::SetCaption(const String& Value) {
  if (FClient) FClient->SetCaption(Value);
}
void TControlActionLink::SetEnabled(bool Value) {
  if (FClient) FClient->SetEnabled(Value);
}
void TControlActionLink::SetHint(const String& Value) {
  if (FClient) FClient->SetHint(Value);
}
void TControlActionLink::SetVisible(bool Value) {
  if (FClient) FClient->SetVisible(Value);
}

// ---------------------------------------------------------------------------
// TMenuActionLink

TMenuActionLink::TMenuActionLink(TObject* AClient) : FClient(dynamic_cast<TMenuItem*>(AClient)) {}

bool TMenuActionLink::IsCaptionLinked() {
  return TActionLink::IsCaptionLinked() && FClient && FClient->Caption() == CustomAction()->Caption();
}
bool TMenuActionLink::IsCheckedLinked() {
  return TActionLink::IsCheckedLinked() && FClient && FClient->Checked() == CustomAction()->Checked();
}
bool TMenuActionLink::IsEnabledLinked() {
  return TActionLink::IsEnabledLinked() && FClient && FClient->Enabled() == CustomAction()->Enabled();
}
bool TMenuActionLink::IsGroupIndexLinked() {
  return TActionLink::IsGroupIndexLinked() && FClient && FClient->GroupIndex() == CustomAction()->GroupIndex();
}
bool TMenuActionLink::IsHintLinked() {
  return TActionLink::IsHintLinked() && FClient && FClient->Hint() == CustomAction()->Hint();
}
bool TMenuActionLink::IsImageIndexLinked() {
  return TActionLink::IsImageIndexLinked() && FClient && FClient->ImageIndex() == CustomAction()->ImageIndex();
}
bool TMenuActionLink::IsShortCutLinked() {
  return TActionLink::IsShortCutLinked() && FClient && FClient->ShortCut() == CustomAction()->ShortCut();
}
bool TMenuActionLink::IsVisibleLinked() {
  return TActionLink::IsVisibleLinked() && FClient && FClient->Visible() == CustomAction()->Visible();
}
bool TMenuActionLink::IsAutoCheckLinked() {
  return TActionLink::IsAutoCheckLinked() && FClient && FClient->AutoCheck() == CustomAction()->AutoCheck();
}
void TMenuActionLink::SetCaption(const String& Value) {
  if (FClient) FClient->SetCaption(Value);
}
void TMenuActionLink::SetChecked(bool Value) {
  if (FClient) FClient->SetChecked(Value);
}
void TMenuActionLink::SetEnabled(bool Value) {
  if (FClient) FClient->SetEnabled(Value);
}
void TMenuActionLink::SetGroupIndex(int Value) {
  if (FClient) FClient->SetGroupIndex(static_cast<BYTE>(Value));
}
void TMenuActionLink::SetHint(const String& Value) {
  if (FClient) FClient->SetHint(Value);
}
void TMenuActionLink::SetImageIndex(int Value) {
  if (FClient) FClient->SetImageIndex(Value);
}
void TMenuActionLink::SetShortCut(TShortCut Value) {
  if (FClient) FClient->SetShortCut(Value);
}
void TMenuActionLink::SetVisible(bool Value) {
  if (FClient) FClient->SetVisible(Value);
}
void TMenuActionLink::SetAutoCheck(bool Value) {
  if (FClient) FClient->SetAutoCheck(Value);
}

// ---------------------------------------------------------------------------
// TCustomActionList

void TCustomActionList::Destroy() {
  while (!FActions.empty()) FActions.back()->SetActionList(nullptr);
  TComponent::Destroy();
}

TContainedAction* TCustomActionList::Actions(int Index) const {
  if (Index < 0 || Index >= ActionCount()) throw EListError(L"List index out of bounds (%d)", {Index});
  return FActions[static_cast<size_t>(Index)];
}

int TCustomActionList::IndexOfAction(const TContainedAction* Action) const {
  auto it = std::find(FActions.begin(), FActions.end(), Action);
  return it == FActions.end() ? -1 : static_cast<int>(it - FActions.begin());
}

void TCustomActionList::AddAction(TContainedAction* Action) {
  FActions.push_back(Action);
  Action->FActionList = this;
  Action->FreeNotification(this);
}

void TCustomActionList::RemoveAction(TContainedAction* Action) {
  FActions.erase(std::remove(FActions.begin(), FActions.end(), Action), FActions.end());
  if (Action->FActionList == this) Action->FActionList = nullptr;
  RemoveFreeNotification(Action);
}

void TCustomActionList::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomActionList::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (FImages && AComponent == static_cast<TComponent*>(FImages)) SetImages(nullptr);
  if (auto* a = dynamic_cast<TContainedAction*>(AComponent))
    if (a->FActionList == this) RemoveAction(a);
}

// ---------------------------------------------------------------------------
// TActionManager

void TActionManager::SetList(TCustomImageList*& Field, TCustomImageList* Value) {
  if (Field == Value) return;
  if (Field) Field->RemoveFreeNotification(this);
  Field = Value;
  if (Value) Value->FreeNotification(this);
}

void TActionManager::SetDisabledImages(TCustomImageList* Value) { SetList(FDisabledImages, Value); }
void TActionManager::SetLargeImages(TCustomImageList* Value) { SetList(FLargeImages, Value); }
void TActionManager::SetLargeDisabledImages(TCustomImageList* Value) { SetList(FLargeDisabledImages, Value); }

void TActionManager::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomActionList::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == static_cast<TComponent*>(FDisabledImages)) SetDisabledImages(nullptr);
  if (AComponent == static_cast<TComponent*>(FLargeImages)) SetLargeImages(nullptr);
  if (AComponent == static_cast<TComponent*>(FLargeDisabledImages)) SetLargeDisabledImages(nullptr);
}
