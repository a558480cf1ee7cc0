#include "ui/toolbar/bars/OptionSelectorWindow.h"

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
  TDropDownForm::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FAdvToolBar) FAdvToolBar = nullptr;
  if (AComponent == FOptionsPanel) FOptionsPanel = nullptr;
}

void TOptionSelectorWindow::SetWindowSize() {
  if (!FOptionsPanel) return;
  SetBounds(Left(), Top(), FOptionsPanel->Width(), FOptionsPanel->GetVisibleHeight());
}

void TOptionSelectorWindow::DoHide() {
  TDropDownForm::DoHide();
  if (FOptionsPanel) FOptionsPanel->ClearSeparators();
}

void TOptionSelectorWindow::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_BUTTONPRESSED) {
    // A grouped toolbar button tells the drop-down: the members of its
    // group shown in the panel hear it.
    if (FOptionsPanel) FOptionsPanel->Broadcast(Message);
    return;
  }
  TDropDownForm::Dispatch(Message);
}

void TOptionSelectorWindow::Activated(bool Shown) {
  if (!FOptionsPanel) return;
  if (Shown) {
    if (FOptionsPanel->CanFocus()) FOptionsPanel->SetFocus();
    if (HWND form = OwnerFormWindow()) SendMessageW(form, WM_NCACTIVATE, 1, 0);
  } else if (FAdvToolBar && FAdvToolBar->CanFocus()) {
    FAdvToolBar->SetFocus();
  }
}
