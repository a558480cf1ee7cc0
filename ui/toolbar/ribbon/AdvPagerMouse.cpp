// The pager and the mouse: hover glow over the tabs, presses that select a
// page, clicks counted on the active tab (two within the double-click time
// collapse or expand the ribbon), tab-group strips, the caption bar's
// system menu and moving the form by its caption.
#include "ui/toolbar/ribbon/AdvToolBarPager.h"

#include <windowsx.h>

#include "ui/toolbar/ribbon/AdvPage.h"

namespace {

TAdvToolBarPager::TSystemMenuTracker gSystemMenuTracker;

bool InRect(const TRect& R, int X, int Y) { return R.Contains(TPoint(X, Y)); }

// The work area of the monitor nearest to a screen point.
TRect WorkAreaAt(POINT P) {
  RECT r{};
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (HMONITOR monitor = MonitorFromPoint(P, MONITOR_DEFAULTTONULL); monitor && GetMonitorInfoW(monitor, &info))
    r = info.rcWork;
  else
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return TRect(r.left, r.top, r.right, r.bottom);
}

}  // namespace

void TAdvToolBarPager::SetSystemMenuTracker(TSystemMenuTracker Tracker) { gSystemMenuTracker = std::move(Tracker); }

void TAdvToolBarPager::DblClickTimerTick(TObject*) {
  if (FDblClickTimer) FDblClickTimer->SetEnabled(false);
  FClickCount = 0;
}

void TAdvToolBarPager::ReleaseDownTab() {
  if (FDownPageIndex < 0) return;
  FDownPageIndex = -1;
  InvalidateTabsArea();
}

void TAdvToolBarPager::FadeOutHotTab() {
  if (FHotPageIndex < 0) return;
  if (FHotPageIndex < AdvPageCount()) StartTabGlow(AdvPages(FHotPageIndex), -20, TGlowState::gsHover);
  FHotPageIndex = -1;
  InvalidateTabsArea();
}

bool TAdvToolBarPager::CaptionMenuHit(int X, int Y, bool GroupsBlock) {
  if (!FCaption->Visible()) return false;
  TRect r = GetCaptionRect();
  if (GetGlobalWin7ScenicRibbon()) {
    r.bottom += FTabSettings->Height();
    return InRect(r, X, Y) && TabGroupAtPos(X, Y) < 0 && TabAtPos(X, Y) < 0;
  }
  return InRect(r, X, Y) && (!GroupsBlock || TabGroupAtPos(X, Y) < 0);
}

void TAdvToolBarPager::TrackSystemMenu(int X, int Y, HWND Owner) {
  if (!Owner) return;
  HMENU menu = GetSystemMenu(Owner, FALSE);
  TPoint p = ClientToScreen(TPoint(X, Y));
  UINT command = gSystemMenuTracker
                     ? gSystemMenuTracker(menu, p.x, p.y, Owner)
                     : static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, p.x, p.y, 0, Owner, nullptr));
  if (command) SendMessageW(Owner, WM_SYSCOMMAND, command, 0);
}

bool TAdvToolBarPager::MoveFormFromCaption(int X, int Y, TCustomForm* Form) {
  if (!Form || !Form->HandleAllocated()) return false;
  TPoint p = ClientToScreen(TPoint(X, Y));
  TRect work = WorkAreaAt(POINT{p.x, p.y});
  bool maximized = Form->WindowState() == TWindowState::wsMaximized;
  if (!(maximized && Form->Width() >= work.Width() - 10)) {
    ReleaseCapture();
    SendMessageW(Form->Handle(), WM_SYSCOMMAND, SC_MOVE + 1, 0);
  }
  if (maximized && FItones) FCaptionClickXY = TPoint(X, Y);
  return true;
}

void TAdvToolBarPager::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  FCaptionClickXY = TPoint(-1, -1);
  FDownPageIndex = -1;
  int group = TabGroupAtPos(X, Y);
  TCustomForm* form = ParentForm();

  if (Button == TMouseButton::mbRight) {
    if (CaptionMenuHit(X, Y, false) && form && form->HandleAllocated()) TrackSystemMenu(X, Y, form->Handle());
    return;
  }

  int tab = group;
  TRect caption = GetCaptionRect();
  if (IsGlassActive(true) && group < 0) {
    caption.bottom += FTabSettings->Height();
    tab = TabAtPos(X, Y);
  }
  if (FCaption->Visible() && InRect(caption, X, Y) && FCanMove && tab < 0 && form) {
    MoveFormFromCaption(X, Y, form);
    return;
  }

  FChangeActiveTab = false;
  HideTabShortCutHints(true);
  if (!InRect(GetTabsArea(), X, Y)) return;
  tab = TabAtPos(X, Y);
  if (tab < 0) return;
  if (OnTabClick) OnTabClick(this, tab);
  if (tab != FActivePageIndex && tab < AdvPageCount() && AdvPages(tab)->TabEnabled()) {
    ChangeActivePage(tab);
    FChangeActiveTab = true;
    if (!IsDesigning() && tab < AdvPageCount()) StartTabGlow(AdvPages(tab), 20, TGlowState::gsPush);
    Invalidate();
    FClickCount = -1;
    DoTabChanged();
  } else {
    FDownPageIndex = tab;
    InvalidateTabsArea();
  }
  if (!FExpanded) {
    if (!FloatingRibbonShowing())
      ShowFloatingRibbon();
    else if (FClickCount < 2)
      HideFloatingRibbon();
  }
}

void TAdvToolBarPager::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (IsDesigning()) return;
  if (FHotPageIndex >= AdvPageCount()) FHotPageIndex = -1;

  if (InRect(GetTabsArea(), X, Y)) {
    int tab = TabAtPos(X, Y);
    if (tab >= 0 && tab != FHotPageIndex) {
      ReleaseDownTab();
      FadeOutHotTab();
      if (AdvPages(tab)->TabEnabled()) {
        FHotPageIndex = FOldHotPageIndex = tab;
        StartTabGlow(AdvPages(tab), 20, TGlowState::gsHover);
        Invalidate();
      }
      if (tab != FHintPageIndex) {
        FHintPageIndex = tab;
        if (Application) Application->CancelHint();
      }
    } else if (tab < 0 && FHotPageIndex >= 0) {
      ReleaseDownTab();
      FadeOutHotTab();
    }
    if (tab < 0) {
      FHintPageIndex = -1;
      if (Application) Application->CancelHint();
    }
  }

  // Dragging the caption of a maximized form restores it under the pointer.
  if (!Shift.Contains(TShiftStateItem::ssLeft) || FCaptionClickXY.x < 0) return;
  if (std::abs(X - FCaptionClickXY.x) <= 2 && std::abs(Y - FCaptionClickXY.y) < 3) return;
  TCustomForm* form = ParentForm();
  if (!form || form->WindowState() != TWindowState::wsMaximized) return;
  FCaptionClickXY = TPoint(-1, -1);
  form->SetWindowState(TWindowState::wsNormal);
  if (FGroupStyle == TGroupStyle::gsClassic) return;
  TPoint p = ClientToScreen(TPoint(X, Y));
  form->SetTop(p.y - 10);
  form->SetLeft(p.x - Width() / 2);
  MouseDown(TMouseButton::mbLeft, TShiftState{TShiftStateItem::ssLeft}, Width() / 2, 10);
}

void TAdvToolBarPager::SelectTabGroup(int Group) {
  TTabGroupItem* item = FTabGroups->Items(Group);
  for (int i = std::max(0, item->TabIndexStart()); i <= item->TabIndexEnd() && i < AdvPageCount(); ++i) {
    TAdvPage* page = AdvPages(i);
    if (!page->TabEnabled() || !page->TabVisible()) continue;
    if (i != FActivePageIndex) SetActivePageIndex(i);
    break;
  }
  if (OnTabGroupClick) OnTabGroupClick(this, Group);
}

void TAdvToolBarPager::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  ReleaseDownTab();
  if (InRect(GetTabsArea(), X, Y)) {
    int tab = TabAtPos(X, Y);
    if (tab >= 0 && !IsDesigning()) {
      if (tab != FActivePageIndex && !FExpanded && AdvPages(tab)->TabEnabled()) {
        if (OnTabClick) OnTabClick(this, tab);
        if (tab == FActivePageIndex) {
          FDownPageIndex = tab;
          InvalidateTabsArea();
        } else {
          ChangeActivePage(tab);
          FChangeActiveTab = true;
          Invalidate();
          FClickCount = -1;
          DoTabChanged();
        }
        if (!FloatingRibbonShowing()) ShowFloatingRibbon();
      }
      if (tab == FActivePageIndex && !FChangeActiveTab) {
        ++FClickCount;
        if (!FDblClickTimer) {
          FDblClickTimer = new TTimer(this);
          FDblClickTimer->SetEnabled(false);
          FDblClickTimer->SetInterval(600);
          FDblClickTimer->SetOnTimer([this](TObject* Sender) { DblClickTimerTick(Sender); });
        }
        FDblClickTimer->SetEnabled(true);
      }
    }
  } else if (Button == TMouseButton::mbLeft) {
    int group = TabGroupAtPos(X, Y);
    if (group >= 0) SelectTabGroup(group);
  }
  if (FClickCount > 1 && FHidePagesOnDblClick) {
    if (FExpanded)
      Collaps();
    else
      Expand();
    if (FDblClickTimer) FDblClickTimer->SetEnabled(false);
    FClickCount = 0;
  }
}

void TAdvToolBarPager::LButtonDblClick(int X, int Y) {
  if (InRect(GetTabsArea(), X, Y)) {
    int tab = TabAtPos(X, Y);
    if (tab >= 0 && OnTabDblClick) OnTabDblClick(this, tab);
  }
  TCustomForm* form = ParentForm();
  if (!FCaptionButtons.Contains(TCaptionButton::cbMaximize) || !form || !InRect(GetCaptionRect(), X, Y)) return;
  form->SetWindowState(form->WindowState() == TWindowState::wsNormal ? TWindowState::wsMaximized
                                                                      : TWindowState::wsNormal);
  UpdateCaptionButtons(true);
}

void TAdvToolBarPager::PagerMouseLeave() {
  FHintPageIndex = -1;
  if (IsDesigning()) return;
  if (HandleAllocated()) {
    POINT p;
    GetCursorPos(&p);
    TPoint c = ScreenToClient(TPoint(p.x, p.y));
    TRect r = GetTabsRect();
    r.bottom -= 4;
    if (r.Contains(c)) return;
  }
  if (FHotPageIndex >= AdvPageCount()) FHotPageIndex = -1;
  if (FHotPageIndex < 0) return;
  if (FHotPageIndex == FActivePageIndex) {
    FHotPageIndex = -1;
    Invalidate();
    return;
  }
  FadeOutHotTab();
}
