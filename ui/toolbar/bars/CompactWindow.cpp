#include "ui/toolbar/bars/CompactWindow.h"

#include <windowsx.h>

#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/toolbar/bars/AdvToolBar.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

TCompactWindow::TCompactWindow(TComponent* AOwner) : TCustomForm(AOwner), FOwner(AOwner) {
  FHideTimer = new TTimer(this);
  FHideTimer->SetEnabled(false);
  FHideTimer->SetInterval(1);
  FHideTimer->SetOnTimer([this](TObject* Sender) { HideTimerTick(Sender); });
}

void SetDropDownWindowParams(TCreateParams& Params) {
  Params.Style = (Params.Style | WS_POPUP) & ~static_cast<DWORD>(WS_CHILD);
  OSVERSIONINFOW info = GetVersionExInfo();
  if (info.dwPlatformId == VER_PLATFORM_WIN32_NT &&
      (info.dwMajorVersion > 5 || (info.dwMajorVersion == 5 && info.dwMinorVersion >= 1)))
    Params.WindowClass.style |= CS_DROPSHADOW;
}

void EraseInFormColor(TCustomForm* Form, TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  HBRUSH brush = CreateSolidBrush(ColorToRGB(Form->Color()));
  RECT r{-4, -4, Form->Width() + 4, Form->Height() + 4};
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  Message.Result = 1;
}

void TCompactWindow::CreateParams(TCreateParams& Params) {
  TCustomForm::CreateParams(Params);
  SetDropDownWindowParams(Params);
}

void TCompactWindow::SetWindowSize() {
  if (!FAdvToolBar) return;
  SetBounds(Left(), Top(), FAdvToolBar->Width() + 2, FAdvToolBar->Height() + 2);
  FAdvToolBar->SetBounds(1, 1, FAdvToolBar->Width(), FAdvToolBar->Height());
  SetColor(FAdvToolBar->CurrentToolBarStyler()->Color()->Color());
}

void TCompactWindow::SetRoundRegion() {
  TRect r = ClientRect();
  HRGN region = CreateRoundRectRgn(0, 0, r.Width(), r.Height(), 4, 4);
  if (region) SetWindowRgn(Handle(), region, TRUE);
}

bool TCompactWindow::CanAutoHide() { return CloseQuery() && FHideOnDeActivate; }

HWND TCompactWindow::GetOwnerTopWindow() {
  auto* owner = dynamic_cast<TWinControl*>(FOwner);
  if (!owner) return nullptr;
  HWND last = nullptr;
  for (HWND w = GetParent(owner->Handle()); w; w = GetParent(w)) last = w;
  return last;
}

void TCompactWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ACTIVATE:
      WMActivate(Message);
      return;
    case WM_NCHITTEST: {
      TPoint p = ScreenToClient(TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)));
      Message.Result = p.x > Width() - 10 && p.y > Height() - 10 ? HTBOTTOMRIGHT : HTNOWHERE;
      return;
    }
    case WM_ERASEBKGND:
      // The whole client area in the styler colour: the frame round the
      // toolbar.
      EraseInFormColor(this, Message);
      return;
    default:
      TCustomForm::Dispatch(Message);
  }
}

void TCompactWindow::WMActivate(TMessage& Message) {
  bool shown = HandleAllocated() && IsWindowVisible(Handle());
  TAdvCustomToolBar* group = FAdvToolBar ? FAdvToolBar->SelfClone() : nullptr;
  if (!shown) {
    if (group && group->Visible() && IsVisibleWithParents(group)) group->SetFocus();
    return;
  }
  if (LOWORD(Message.WParam) != WA_INACTIVE) {
    if (!FAdvToolBar) return;
    if (FAdvToolBar->Visible() && FAdvToolBar->Enabled()) FAdvToolBar->SetFocus();
    if (HWND top = GetOwnerTopWindow()) SendMessageW(top, WM_NCACTIVATE, 1, 0);
    return;
  }
  if (!CanAutoHide()) return;
  if (group && group->Visible() && FAdvToolBar->HasDroppedDownButton()) return;
  FHideTimer->SetEnabled(true);
}

void TCompactWindow::HideTimerTick(TObject*) {
  Hide();
  FHideTimer->SetEnabled(false);
  if (FAdvToolBar) {
    FAdvToolBar->HideShortCutHints();
    FAdvToolBar->NotifyCompactClosed();
  }
}

void TCompactWindow::DoHide() {
  TCustomForm::DoHide();
  if (FDropDownButton) FDropDownButton->SetDown(false);
  if (FAdvToolBar) FAdvToolBar->PostCompactWindowHide();
}
