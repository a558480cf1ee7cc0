#include "base/Button.h"

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = {TControlStyleItem::csSetCaption, TControlStyleItem::csDoubleClicks};
  FWidth = 75;
  FHeight = 25;
  FTabStop = true;
  FParentColor = true;
}

void TButton::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"BUTTON");
  Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool Value) {
  if (FDefault == Value) return;
  FDefault = Value;
  if (FHandle) SendMessageW(FHandle, BM_SETSTYLE, Value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
  if (FModalResult != mrNone)
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  TWinControl::Click();
}

void TButton::DialogKey(TMessage& Message) {
  if (!Showing() || !FEnabled) return;
  WORD key = static_cast<WORD>(Message.WParam);
  bool take = false;
  if (key == VK_ESCAPE) {
    take = FCancel;
  } else if (key == VK_RETURN) {
    TCustomForm* form = GetParentForm(this);
    TWinControl* active = form ? form->ActiveControl() : nullptr;
    take = active == this || (FDefault && !dynamic_cast<TButton*>(active));
  }
  if (!take) return;
  Click();
  Message.Result = 1;
}

void TButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == BN_CLICKED) Click();
      return;
    case CM_DIALOGKEY:
      DialogKey(Message);
      return;
    default:
      break;
  }
  TWinControl::Dispatch(Message);
}
