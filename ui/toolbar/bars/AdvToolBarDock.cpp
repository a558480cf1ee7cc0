// The parent change that makes a toolbar docked, floating or fixed, and the
// bounds requests that a docked toolbar leaves to its dock panel's rows.
#include "base/Forms.h"
#include "ui/toolbar/bars/AdvDockPanel.h"
#include "ui/toolbar/bars/AdvToolBar.h"
#include "ui/toolbar/bars/FloatingWindow.h"

void TAdvCustomToolBar::SetParent(TWinControl* AParent) {
  if (AParent == FParent) {
    if (!IsLoading() && IsDesigning())
      if (auto* dp = dynamic_cast<TAdvDockPanel*>(AParent)) SetToolBarStyler(dp->CurrentToolBarStyler());
    return;
  }
  if (IsDestroying()) {
    if (FCurrentDock) FCurrentDock->RemoveToolBar(this);
    FCurrentDock = nullptr;
    TCustomControl::SetParent(AParent);
    return;
  }
  if (!IsLoading()) HideOptionWindow();
  FChangingParent = true;
  struct Clear {
    bool& f;
    ~Clear() { f = false; }
  } clear{FChangingParent};
  FOldState = FToolBarState;
  TCustomControl::SetParent(AParent);

  auto* panel = dynamic_cast<TAdvDockPanel*>(AParent);
  bool docked = false, undocked = false;
  if (panel && panel != FCurrentDock) {
    if (FCurrentDock) FCurrentDock->RemoveToolBar(this);
    FCurrentDock = nullptr;
    if (FOldState == TToolBarState::tsFloating) {
      if (FTimerID && HandleAllocated()) KillTimer(FHandle, FTimerID);
      FTimerID = 0;
      if (IsHorizontalBar()) {
        FConstraints->SetMinHeight(0);
        FConstraints->SetMaxHeight(0);
        SetHeight(FSizeAtDock);
      }
    }
    FToolBarState = TToolBarState::tsDocked;
    if (panel->AddToolBar(this) < 0) {
      FToolBarState = FOldState;
    } else {
      FLastDock = panel;
      FLastDock->FreeNotification(this);
      SetParentStyler(FParentStyler);
      if (FFloatingWindow) FFloatingWindow->Hide();
      docked = true;
    }
  } else if (IsClass(AParent, L"TFloatingWindow")) {
    FToolBarState = TToolBarState::tsFloating;
    if (FCurrentDock) FCurrentDock->RemoveToolBar(this);
    FCurrentDock = nullptr;
    if (!IsHorizontalBar())
      SetPosition(TDockAlign::daTop);
    else
      SetHeight(FHeight + FCaptionHeight);
    undocked = true;
  } else if (!panel) {
    IToolBarPage* page = dynamic_cast<IToolBarPage*>(AParent);
    if (!page || !(page->PageParentPager() || page->PageMinimizedWindowPager())) SetParentStyler(false);
    FToolBarState = TToolBarState::tsFixed;
    if (FCurrentDock) FCurrentDock->RemoveToolBar(this);
    FCurrentDock = nullptr;
  }
  PositionControls(true);
  if (!IsLoading()) {
    if (docked && OnDocked) OnDocked(this, panel);
    if (undocked && OnUnDocked) OnUnDocked(this);
  }
  if (!IsLoading() && IsDesigning() && panel) SetToolBarStyler(panel->CurrentToolBarStyler());
}

void TAdvCustomToolBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FToolBarState == TToolBarState::tsDocked && FCurrentDock && FParent == FCurrentDock && !FAllowBoundChange)
    FCurrentDock->SetToolBarBounds(this, ALeft, ATop, AWidth, AHeight);
  int oldLength = IsHorizontalBar() ? FWidth : FHeight;
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  int newLength = IsHorizontalBar() ? FWidth : FHeight;
  if (!IsLoading() && newLength != oldLength) UpdateOverflow();
}

void TAdvCustomToolBar::Update() {
  TCustomControl::Update();
  if (IsDestroying()) return;
  if (FToolBarState == TToolBarState::tsDocked && FCurrentDock && !IsDesigning()) {
    FCurrentDock->ArrangeRowsIfNeeded();
    UpdateOverflow();
  }
  PositionControls(true);
}
