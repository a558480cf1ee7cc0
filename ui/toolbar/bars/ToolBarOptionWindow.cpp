// The toolbar's chevron drop-down: the option window with the items that
// did not fit, the options entry and the add-or-remove entry.
#include "ui/controls/menus/AdvMenus.h"
#include "ui/toolbar/bars/AdvToolBar.h"
#include "ui/toolbar/bars/AdvToolBarButton.h"
#include "ui/toolbar/bars/AdvToolBarCustomizer.h"
#include "ui/toolbar/bars/ControlSelectorPanel.h"
#include "ui/toolbar/bars/OptionSelectorWindow.h"
#include "ui/toolbar/stylers/ToolBarStyler.h"

namespace {

// The right edge of the monitor nearest to P (the screen's without one).
int MonitorRight(TPoint P) {
  HMONITOR monitor = MonitorFromPoint(POINT{P.x, P.y}, MONITOR_DEFAULTTONULL);
  MONITORINFO info{sizeof(info)};
  if (monitor && GetMonitorInfoW(monitor, &info)) return info.rcMonitor.right;
  return GetSystemMetrics(SM_CXSCREEN);
}

}  // namespace

TPoint TAdvCustomToolBar::OptionDropPoint() {
  if (FToolBarState == TToolBarState::tsFloating)
    return ClientToScreen(TPoint(Left() + Width() - (FShowClose ? 40 : 20), Top() + FCaptionHeight - 2));
  TPoint p(Left() + Width() - 12, Top() + Height() + 1);
  return Parent() ? Parent()->ClientToScreen(p) : p;
}

void TAdvCustomToolBar::OptionIndicatorClick() {
  if (Parent() && (OnOptionClick || FOptionMenu || FCustomizer)) {
    TPoint screen = OptionDropPoint();
    TPoint client = FToolBarState == TToolBarState::tsFloating ? ScreenToClient(screen)
                                                               : (Parent() ? Parent()->ScreenToClient(screen) : screen);
    if (OnOptionClick) OnOptionClick(this, client, screen);
    ShowOptionWindow(0, 0, false);
    if (FDownPopupIndicator || FHotPopupIndicator) {
      FDownPopupIndicator = FHotPopupIndicator = false;
      DrawRightHandle();
    }
    return;
  }
  ShowOptionWindow(0, 0, false);
}

void TAdvCustomToolBar::CaptionOptionClick() {
  if (FToolBarState == TToolBarState::tsFloating || !Parent()) return;
  TPoint screen = OptionDropPoint();
  if (OnOptionClick)
    OnOptionClick(this, Parent()->ScreenToClient(screen), screen);
  else if (FOptionMenu)
    FOptionMenu->Popup(screen.x, screen.y);
}

void TAdvCustomToolBar::BuildOptionWindow() {
  if (IsDesigning()) return;
  if (!FOptionWindow) {
    FOptionWindow = TOptionSelectorWindow::CreateDropDown(this, this, 10, 10, [this](TObject*) { OptionWindowHide(); });
    FOptionWindow->SetAdvToolBar(this);
  }
  if (!FOptionWindowPanel) {
    FOptionWindowPanel = new TControlSelectorPanel(FOptionWindow);
    FOptionWindowPanel->SetParent(FOptionWindow);
    FOptionWindow->SetOptionsPanel(FOptionWindowPanel);
  }
  TControlSelectorPanel* panel = FOptionWindowPanel;
  panel->SetShowAddAndRemoveBtn(FAutoOptionMenu);
  if (auto* styled = dynamic_cast<TAdvPopupMenu*>(FOptionMenu); styled && FCurrentToolBarStyler)
    styled->SetMenuStyler(FCurrentToolBarStyler->CurrentAdvMenuStyler());
  panel->SetOptionsMenu(FOptionMenu);
  panel->SetTextAutoOptionMenu(FTextAutoOptionMenu);
  panel->SetTextOptionMenu(FTextOptionMenu);
  panel->SetCustomizer(FCustomizer);
  panel->SetAdvToolBar(this);
  panel->TakeItemColors(FCurrentToolBarStyler, FMenu != nullptr, true);

  panel->ClearControlList();
  {
    FlagGuard updation(FInternalControlUpdation, true);
    int hidden = FLUHidedControls->Count();
    TAdvToolBarSeparator* remembered = nullptr;
    for (int i = 0; i < FATBControls->Count(); ++i) {
      TControl* c = ToolBarControls(i);
      auto* sep = dynamic_cast<TAdvToolBarSeparator*>(c);
      if (sep) remembered = sep;
      if (!IsHiddenControl(c)) continue;
      if (sep) {
        // No separator opens the list or closes it.
        int entries = panel->ListedCount();
        if (entries == 0 || entries >= hidden - 1) continue;
        panel->AddControl(c);
        remembered = nullptr;
        continue;
      }
      if (remembered && panel->ListedCount() > 0) panel->AddSeparator(remembered);
      remembered = nullptr;
      panel->AddControl(c);
    }
  }
  panel->ArrangeControls();
  FOptionWindow->SetWindowSize();
}

void TAdvCustomToolBar::ShowOptionWindow(int X, int Y, bool AtPoint) {
  BuildOptionWindow();
  if (!FOptionWindow || !FOptionWindowPanel) return;
  int w = FOptionWindow->Width(), h = FOptionWindow->Height();
  if (!AtPoint) {
    TPoint p = OptionDropPoint();
    if (FToolBarState != TToolBarState::tsFloating) {
      RECT area{};
      if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0) && p.y + h > area.bottom) p.y = area.bottom - h - 2;
      int right = MonitorRight(p);
      if (p.x + w > right) {
        if (FPosition == TDockAlign::daRight)
          p.x = ClientToScreen(TPoint(Left() - w, Top() + Height() + 1)).x;
        else
          p.x = right - w;
      }
    }
    X = p.x;
    Y = p.y;
  }
  if (FOptionWindowPanel->IsEmpty()) return;
  // Shown at no size first, so that it never flashes where it was.
  FOptionWindow->SetBounds(X, Y, 0, 0);
  FOptionWindow->SetVisible(true);
  FOptionWindow->SetBounds(X, Y, w, h);
  DrawRightHandle();
}

void TAdvCustomToolBar::HideOptionWindow() {
  if (FOptionWindow && FOptionWindow->Visible()) FOptionWindow->Hide();
}

void TAdvCustomToolBar::OptionWindowHide() {
  UpdateOverflow();
  Invalidate();
}

void TAdvCustomToolBar::TakeBackFromOptionWindow() {
  if (!FOptionWindowPanel) return;
  FlagGuard updation(FInternalControlUpdation, true);
  for (int i = 0; i < FATBControls->Count(); ++i) {
    TControl* c = ToolBarControls(i);
    if (c->Parent() == FOptionWindowPanel && !c->IsDestroying()) c->SetParent(this);
  }
}
