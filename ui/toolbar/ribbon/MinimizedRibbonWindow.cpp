#include "ui/toolbar/ribbon/MinimizedRibbonWindow.h"

#include "ui/toolbar/bars/AdvToolBar.h"
#include "ui/toolbar/bars/CompactWindow.h"
#include "ui/toolbar/ribbon/AdvPage.h"
#include "ui/toolbar/ribbon/AdvToolBarPager.h"

TMinimizedRibbonWindow::TMinimizedRibbonWindow(TComponent* AOwner) : TCustomForm(AOwner) {
  FHideTimer = new TTimer(this);
  FHideTimer->SetEnabled(false);
  FHideTimer->SetInterval(1);
  FHideTimer->SetOnTimer([this](TObject* Sender) { HideTimerTick(Sender); });
  SetWidth(0);
  SetHeight(0);
}

void TMinimizedRibbonWindow::CreateParams(TCreateParams& Params) {
  TCustomForm::CreateParams(Params);
  SetDropDownWindowParams(Params);
}

void TMinimizedRibbonWindow::SetWindowSize() {
  if (!FAdvToolBarPager || !FAdvPage) return;
  SetHeight(FAdvPage->Height() + 3);
  SetWidth(FAdvPage->Width() + 3);
  FAdvPage->SetBounds(2, 0, FAdvPage->Width(), FAdvPage->Height());
}

bool TMinimizedRibbonWindow::CanAutoHide() {
  return CloseQuery() && FHideOnDeActivate && !(FAdvToolBarPager && FAdvToolBarPager->BlockHide());
}

void TMinimizedRibbonWindow::HideTimerTick(TObject*) {
  // The pager asks its hide handler, never twice at once: a handler that
  // shows a dialog keeps the timer ticking inside it.
  if (FAdvToolBarPager && !FAdvToolBarPager->AskFloatingRibbonHide()) return;
  Hide();
  FHideTimer->SetEnabled(false);
  if (FAdvToolBarPager) FAdvToolBarPager->DestroyFloatingRibbon();
}

void TMinimizedRibbonWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ACTIVATE:
      WMActivate(Message);
      return;
    case WM_ERASEBKGND:
      // The window's colour round the page.
      EraseInFormColor(this, Message);
      return;
    default:
      TCustomForm::Dispatch(Message);
  }
}

void TMinimizedRibbonWindow::WMActivate(TMessage& Message) {
  if (!HandleAllocated() || !IsWindowVisible(Handle())) return;
  if (LOWORD(Message.WParam) != WA_INACTIVE) {
    if (!FAdvPage) return;
    if (TAdvToolBar* first = FAdvPage->GetFirstToolBar(true); first && first->CanFocus()) first->SetFocus();
    return;
  }
  if (!FAdvToolBarPager || !CanAutoHide()) return;
  if (FAdvToolBarPager->HandleAllocated() && GetFocus() == FAdvToolBarPager->Handle()) return;
  FHideTimer->SetEnabled(true);
}
