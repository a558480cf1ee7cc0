#include "ui/controls/buttons/ButtonGroup.h"

#include <vector>

#include "base/ActnList.h"

namespace ButtonGroup {

bool SetDown(const TMember& B, bool Value) {
  if (B.GroupIndex == 0 && !B.CheckStyle) Value = false;
  if (B.CheckStyle) {
    B.Down = Value;
    B.State = Value ? TAdvButtonState::absDown : TAdvButtonState::absUp;
    B.Button->Repaint();
    return false;
  }
  if (Value == B.Down) return false;
  if (B.Down && !B.AllowAllUp) return false;
  B.Down = Value;
  if (!Value) {
    B.State = TAdvButtonState::absUp;
    B.Button->Repaint();
    return false;
  }
  if (B.State == TAdvButtonState::absUp) B.Button->Invalidate();
  B.State = TAdvButtonState::absExclusive;
  return true;
}

namespace {
// Every control of Container that is still there when its turn comes.
void SendToControls(TWinControl* Container, UINT Msg, WPARAM WParam, LPARAM LParam) {
  std::vector<TControl*> controls;
  for (int i = 0; i < Container->ControlCount(); ++i) controls.push_back(Container->Controls(i));
  for (TControl* c : controls) {
    bool present = false;
    for (int i = 0; i < Container->ControlCount() && !present; ++i) present = Container->Controls(i) == c;
    if (present) c->Perform(Msg, WParam, LParam);
  }
}
}  // namespace

void UpdateExclusive(const TMember& B, std::initializer_list<TWinControl*> Also) {
  TWinControl* parent = B.Button->Parent();
  if (B.GroupIndex == 0 || !parent) return;
  auto wparam = static_cast<WPARAM>(B.GroupIndex);
  auto lparam = reinterpret_cast<LPARAM>(B.Button);
  SendToControls(parent, CM_BUTTONPRESSED, wparam, lparam);
  for (TWinControl* container : Also)
    if (container) SendToControls(container, CM_BUTTONPRESSED, wparam, lparam);
}

TControl* Sender(const TMessage& Message) { return reinterpret_cast<TControl*>(Message.LParam); }

void ButtonPressed(const TMember& B, const TMessage& Message, const TMember& Sender, const TRules& Rules) {
  if (static_cast<int>(Message.WParam) != B.GroupIndex || Sender.Button == B.Button) return;
  if (Rules.SameParentOnly && Sender.Button->Parent() != B.Button->Parent()) return;
  if (Sender.Down && B.Down) {
    B.Down = false;
    B.State = TAdvButtonState::absUp;
    if (Rules.UncheckAction)
      if (auto* action = dynamic_cast<TCustomAction*>(B.Button->Action())) action->SetChecked(false);
    B.Button->Invalidate();
  }
  if (Rules.TakeAllowAllUp) B.AllowAllUp = Sender.AllowAllUp;
}

bool Inside(const TMember& B, int X, int Y) {
  TRect r = B.Button->ClientRect();
  return X >= 0 && X < r.Width() && Y >= 0 && Y <= r.Height();
}

void TrackPress(const TMember& B, int X, int Y) {
  TAdvButtonState s = Inside(B, X, Y) ? TAdvButtonState::absDown : TAdvButtonState::absUp;
  if (B.Down) s = B.CheckStyle ? TAdvButtonState::absDown : TAdvButtonState::absExclusive;
  if (s == B.State) return;
  B.State = s;
  B.Button->Invalidate();
}

void ReleaseInGroup(const TMember& B, bool Inside, const std::function<void(bool)>& SetDown) {
  if (Inside) {
    SetDown(!B.Down);
    if (B.Down) B.Button->Repaint();
    return;
  }
  if (B.Down) B.State = TAdvButtonState::absExclusive;
  B.Button->Repaint();
}

void PaintState(const TMember& B, bool& Dragging) {
  if (!B.Button->Enabled()) {
    B.State = TAdvButtonState::absDisabled;
    Dragging = false;
  } else if (B.State == TAdvButtonState::absDisabled) {
    B.State = B.Down && B.GroupIndex != 0 ? TAdvButtonState::absExclusive : TAdvButtonState::absUp;
  }
  if (B.CheckStyle && B.Down) B.State = TAdvButtonState::absDown;
}

}  // namespace ButtonGroup
