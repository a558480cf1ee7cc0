#include "ui/toolbar/bars/OptionSelectorWindow.h"

#include <windowsx.h>

#include "ui/toolbar/bars/AdvToolBar.h"
#include "ui/toolbar/bars/ToolBarPaint.h"

// ---------------------------------------------------------------------------
// TOptionSelectorPanel

TOptionSelectorPanel::TOptionSelectorPanel(TComponent* AOwner) : TCustomPanel(AOwner), FOwner(AOwner) {
  SetBevelOuter(TBevelCut::bvNone);
  SetBevelWidth(1);
  SetColor(0xF7F8F9);
}

void TOptionSelectorPanel::SetAdvToolBar(TAdvCustomToolBar* Value) {
  if (FAdvToolBar == Value) return;
  if (FAdvToolBar) FAdvToolBar->RemoveFreeNotification(this);
  FAdvToolBar = Value;
  if (Value) Value->FreeNotification(this);
}

void TOptionSelectorPanel::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomPanel::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FAdvToolBar) FAdvToolBar = nullptr;
}

void TOptionSelectorPanel::Paint() {
  TCustomPanel::Paint();
  TCanvas* canvas = Canvas();
  if (FColorTo != clNone)
    DrawGradient(canvas, Color(), FColorTo, 40, TRect(0, 0, Width(), Height()),
                 FGradientDirection == AdvToolBar::TGradientDirection::gdHorizontal);
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  canvas->Pen()->SetStyle(TPenStyle::psSolid);
  canvas->Pen()->SetWidth(1);
  canvas->Pen()->SetColor(FWindowBorderColor);
  int w = Width(), h = Height();
  canvas->MoveTo(0, 0);
  canvas->LineTo(0, h);
  canvas->MoveTo(0, 0);
  canvas->LineTo(w - 1, 0);
  canvas->MoveTo(0, h - 1);
  canvas->LineTo(w - 1, h - 1);
  canvas->MoveTo(w - 1, h);
  canvas->LineTo(w - 1, -1);
}

// ---------------------------------------------------------------------------
// TOptionSelectorWindow

TOptionSelectorWindow::TOptionSelectorWindow(TComponent* AOwner) : TCustomForm(AOwner), FOwner(AOwner) {
  FHideTimer = new TTimer(this);
  FHideTimer->SetEnabled(false);
  FHideTimer->SetInterval(1);
  FHideTimer->SetOnTimer([this](TObject* Sender) { HideTimerTick(Sender); });
}

TOptionSelectorWindow* TOptionSelectorWindow::CreateDropDown(TComponent* Owner, TWinControl* Parent, int Width,
                                                             int Height, TNotifyEvent OnHide) {
  auto* window = new TOptionSelectorWindow(Owner);
  try {
    window->SetParent(Parent);
    window->SetBorderIcons({});
    window->SetBorderStyle(TFormBorderStyle::bsNone);
    window->SetFormStyle(TFormStyle::fsStayOnTop);
    window->SetVisible(false);
    window->SetBounds(0, 0, Width, Height);
    window->OnHide = std::move(OnHide);
  } catch (...) {
    window->Free();
    throw;
  }
  return window;
}

void TOptionSelectorWindow::SetAdvToolBar(TAdvCustomToolBar* Value) {
  if (FAdvToolBar == Value) return;
  if (FAdvToolBar) FAdvToolBar->RemoveFreeNotification(this);
  FAdvToolBar = Value;
  if (Value) Value->FreeNotification(this);
}

void TOptionSelectorWindow::SetOptionsPanel(TOptionSelectorPanel* Value) {
  if (FOptionsPanel == Value) return;
  if (FOptionsPanel) FOptionsPanel->RemoveFreeNotification(this);
  FOptionsPanel = Value;
  if (Value) Value->FreeNotification(this);
}

void TOptionSelectorWindow::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomForm::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FAdvToolBar) FAdvToolBar = nullptr;
  if (AComponent == FOptionsPanel) FOptionsPanel = nullptr;
}

void TOptionSelectorWindow::CreateParams(TCreateParams& Params) {
  TCustomForm::CreateParams(Params);
  // A top-level pop-up although a control is its Parent.
  Params.Style = (Params.Style | WS_POPUP) & ~static_cast<DWORD>(WS_CHILD);
}

void TOptionSelectorWindow::SetWindowSize() {
  if (!FOptionsPanel) return;
  SetBounds(Left(), Top(), FOptionsPanel->Width(), FOptionsPanel->GetVisibleHeight());
}

void TOptionSelectorWindow::DoHide() {
  TCustomForm::DoHide();
  if (FOptionsPanel) FOptionsPanel->ClearSeparators();
}

HWND TOptionSelectorWindow::OwnerTopWindow() {
  // The form that holds the owner, passing over drop-downs (forms with a
  // Parent) on the way: the owners of a form's window may be other forms.
  auto* c = dynamic_cast<TControl*>(FOwner);
  TWinControl* last = nullptr;
  for (; c; c = c->Parent()) {
    auto* form = dynamic_cast<TCustomForm*>(c);
    if (form && !IsPopupChild(form)) return form->HandleAllocated() ? form->Handle() : nullptr;
    if (auto* w = dynamic_cast<TWinControl*>(c)) last = w;
  }
  return last && last->HandleAllocated() ? GetAncestor(last->Handle(), GA_ROOT) : nullptr;
}

void TOptionSelectorWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ACTIVATE:
      WMActivate(Message);
      return;
    case WM_NCHITTEST:
      WMNCHitTest(Message);
      return;
    case CM_BUTTONPRESSED:
      // A grouped toolbar button tells the drop-down: the members of its
      // group shown in the panel hear it.
      if (FOptionsPanel) FOptionsPanel->Broadcast(Message);
      return;
    default:
      TCustomForm::Dispatch(Message);
  }
}

void TOptionSelectorWindow::WMActivate(TMessage& Message) {
  TCustomForm::Dispatch(Message);
  bool shown = Visible() && HandleAllocated() && IsWindowVisible(Handle());
  if (LOWORD(Message.WParam) != WA_INACTIVE) {
    // Active again before the hide came: it stays.
    FHideTimer->SetEnabled(false);
    if (!FOptionsPanel) return;
    if (shown) {
      if (FOptionsPanel->CanFocus()) FOptionsPanel->SetFocus();
      if (HWND top = OwnerTopWindow()) SendMessageW(top, WM_NCACTIVATE, 1, 0);
    } else if (FAdvToolBar && FAdvToolBar->CanFocus()) {
      FAdvToolBar->SetFocus();
    }
    return;
  }
  if (FHideOnDeActivate && shown && CloseQuery()) FHideTimer->SetEnabled(true);
}

void TOptionSelectorWindow::WMNCHitTest(TMessage& Message) {
  TPoint p = ScreenToClient(TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)));
  Message.Result = p.x > Width() - 10 && p.y > Height() - 10 ? HTBOTTOMRIGHT : HTNOWHERE;
}

void TOptionSelectorWindow::HideTimerTick(TObject*) {
  FHideTimer->SetEnabled(false);
  Hide();
}
