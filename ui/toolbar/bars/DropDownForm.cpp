#include "ui/toolbar/bars/DropDownForm.h"

#include <windowsx.h>

TDropDownForm::TDropDownForm(TComponent* AOwner) : TCustomForm(AOwner), FOwner(AOwner) {
  FHideTimer = new TTimer(this);
  FHideTimer->SetEnabled(false);
  FHideTimer->SetInterval(1);
  FHideTimer->SetOnTimer([this](TObject*) {
    FHideTimer->SetEnabled(false);
    AutoHide();
  });
}

void TDropDownForm::CreateParams(TCreateParams& Params) {
  TCustomForm::CreateParams(Params);
  // A top-level pop-up although a control is its Parent.
  Params.Style = (Params.Style | WS_POPUP) & ~static_cast<DWORD>(WS_CHILD);
}

HWND TDropDownForm::OwnerFormWindow() {
  auto* c = dynamic_cast<TControl*>(FOwner);
  TWinControl* last = nullptr;
  for (; c; c = c->Parent()) {
    auto* form = dynamic_cast<TCustomForm*>(c);
    if (form && !IsPopupChild(form)) return form->HandleAllocated() ? form->Handle() : nullptr;
    if (auto* w = dynamic_cast<TWinControl*>(c)) last = w;
  }
  return last && last->HandleAllocated() ? GetAncestor(last->Handle(), GA_ROOT) : nullptr;
}

void TDropDownForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ACTIVATE:
      WMActivate(Message);
      return;
    case WM_NCHITTEST:
      WMNCHitTest(Message);
      return;
    default:
      TCustomForm::Dispatch(Message);
  }
}

void TDropDownForm::WMActivate(TMessage& Message) {
  TCustomForm::Dispatch(Message);
  bool shown = Visible() && HandleAllocated() && IsWindowVisible(Handle());
  if (LOWORD(Message.WParam) != WA_INACTIVE) {
    FHideTimer->SetEnabled(false);
    Activated(shown);
    return;
  }
  if (shown && CanAutoHide()) FHideTimer->SetEnabled(true);
}

void TDropDownForm::WMNCHitTest(TMessage& Message) {
  TPoint p = ScreenToClient(TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)));
  Message.Result = p.x > Width() - 10 && p.y > Height() - 10 ? HTBOTTOMRIGHT : HTNOWHERE;
}
