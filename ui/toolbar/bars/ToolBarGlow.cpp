// The hover glow of a ribbon group and of its caption option indicator: a
// timer at the glow buttons' animation interval moves the glow up while the
// pointer is over the group (or the indicator) and down once it left.
#include "base/Forms.h"
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/controls/buttons/GlowButtonHelpers.h"
#include "ui/toolbar/bars/AdvToolBar.h"

namespace {

bool IsContainerItem(TControl* C) { return IsClass(C, L"TAdvToolBarContainer"); }

// Items that paint through to the toolbar and so repaint with its glow.
bool IsSeeThroughItem(TControl* C) {
  return IsContainerItem(C) || dynamic_cast<TAdvCustomGlowButton*>(C) ||
         C->ClassName().find(L"AdvOffice") != String::npos;
}

}  // namespace

void TAdvCustomToolBar::InvalidateControls() {
  Invalidate();
  for (int i = 0; i < FATBControls->Count(); ++i)
    if (TControl* c = ToolBarControls(i); IsSeeThroughItem(c)) c->Invalidate();
}

void TAdvCustomToolBar::StartHoverGlow(bool Entering) {
  FHot = Entering;
  if (!FTimer) {
    FTimer = new TTimer(nullptr);
    FTimer->SetInterval(static_cast<unsigned>(GlowButton::GetGlowInterval()));
    FTimer->SetOnTimer([this](TObject* s) { HoverTimerTick(s); });
    FTimer->SetEnabled(true);
  }
  FTimeInc = Entering ? 20 : -20;
  Invalidate();
  FGlowState = TGlowState::gsHover;
}

void TAdvCustomToolBar::HoverTimerTick(TObject*) {
  FStepHover += FTimeInc;
  bool done = (FStepHover > 100 && FTimeInc > 0) || (FStepHover < 0 && FTimeInc < 0) ||
              FCurrentToolBarStyler->ColorHot()->Color() == clNone;
  if (done) {
    FreeAndNil(FTimer);
    if (FStepHover < 0) FGlowState = TGlowState::gsNone;
  } else {
    Invalidate();
    for (int i = 0; i < FATBControls->Count(); ++i) {
      TControl* c = ToolBarControls(i);
      if (!IsSeeThroughItem(c)) continue;
      c->Invalidate();
      if (auto* w = dynamic_cast<TWinControl*>(c); w && IsContainerItem(c))
        for (int j = 0; j < w->ControlCount(); ++j)
          if (dynamic_cast<TAdvCustomGlowButton*>(w->Controls(j))) w->Controls(j)->Invalidate();
    }
  }
  if (FStepHover > 0)
    for (int i = 0; i < FATBControls->Count(); ++i)
      if (auto* w = dynamic_cast<TWinControl*>(ToolBarControls(i)); w && IsContainerItem(w))
        for (int j = 0; j < w->ControlCount(); ++j) w->Controls(j)->Repaint();
}

void TAdvCustomToolBar::StartOptionGlow(int Step, TGlowState State) {
  if (PagerTonesActive()) return;
  if (!FOptionTimer) {
    FOptionTimer = new TTimer(nullptr);
    FOptionTimer->SetInterval(static_cast<unsigned>(GlowButton::GetGlowInterval()));
    FOptionTimer->SetOnTimer([this](TObject* s) { OptionTimerTick(s); });
    FOptionTimer->SetEnabled(true);
  }
  FOptionTimeInc = Step;
  FOptionGlowState = State;
}

void TAdvCustomToolBar::InvalidateToolBarRect(const TRect& R) {
  if (HandleAllocated()) InvalidateRect(FHandle, &R, TRUE);
}

void TAdvCustomToolBar::OptionTimerTick(TObject*) {
  switch (FOptionGlowState) {
    case TGlowState::gsHover: {
      FOptionStepHover += FOptionTimeInc;
      bool done = (FOptionStepHover > 100 && FOptionTimeInc > 0) || (FOptionStepHover < 0 && FOptionTimeInc < 0);
      if (!done) {
        InvalidateToolBarRect(GetCaptionOptionRect());
        break;
      }
      FreeAndNil(FOptionTimer);
      FOptionGlowState = TGlowState::gsNone;
      if (FOptionStepHover < 0) {
        FCapOptIndicatorHot = false;
        InvalidateToolBarRect(GetCaptionOptionRect());
      }
      InvalidateToolBarRect(GetCaptionRect());
      FOptionStepPush = 0;
      if (FOptionStepHover > 100) FOptionStepHover = 120;
      if (FOptionStepHover < 0) FOptionStepHover = -20;
      break;
    }
    case TGlowState::gsPush: {
      FOptionStepPush += FOptionTimeInc;
      bool done = (FOptionStepPush > 100 && FOptionTimeInc > 0) || (FOptionStepPush < 0 && FOptionTimeInc < 0);
      if (!done) {
        InvalidateToolBarRect(GetCaptionOptionRect());
        break;
      }
      FreeAndNil(FOptionTimer);
      FOptionGlowState = TGlowState::gsNone;
      if (FOptionStepPush < 0) {
        FCapOptIndicatorDown = false;
        InvalidateToolBarRect(GetCaptionRect());
      }
      break;
    }
    case TGlowState::gsNone:
      break;
  }
}

void TAdvCustomToolBar::GroupMouseEnter() {
  if (IsDesigning() || !OnPageOrCompactWindow()) return;
  StartHoverGlow(true);
}

void TAdvCustomToolBar::GroupMouseLeave() {
  if (IsDesigning() || !OnPageOrCompactWindow()) return;
  // The pointer moving onto one of the group's own items has not left it.
  if (HandleAllocated()) {
    POINT p;
    RECT r;
    if (GetCursorPos(&p) && GetWindowRect(FHandle, &r) && PtInRect(&r, p)) return;
  }
  StartHoverGlow(false);
}
