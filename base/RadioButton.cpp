#include "base/RadioButton.h"

TRadioButton::TRadioButton(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = {TControlStyleItem::csSetCaption, TControlStyleItem::csDoubleClicks};
  FWidth = 113;
  FHeight = 17;
  FTabStop = true;
  FParentColor = true;
}

void TRadioButton::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"BUTTON");
  Params.Style |= BS_RADIOBUTTON;
  if (FAlignment == TLeftRight::taLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TRadioButton::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  SetTabStop(Value);
  if (FHandle) SendMessageW(FHandle, BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!Value) return;
  if (FParent) {
    for (int i = 0; i < FParent->ControlCount(); ++i)
      if (auto* other = dynamic_cast<TRadioButton*>(FParent->Controls(i)); other && other != this)
        other->SetChecked(false);
  }
  if (!IsLoading()) Click();
}

void TRadioButton::SetAlignment(TLeftRight Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TRadioButton::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    if (HIWORD(Message.WParam) == BN_CLICKED || HIWORD(Message.WParam) == BN_DOUBLECLICKED) SetChecked(true);
    return;
  }
  TWinControl::Dispatch(Message);
}
