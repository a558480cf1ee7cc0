// Dragging a toolbar by its grip (docked) or its caption strip (floating):
// along and between the rows of its dock panel, out into a floating window
// of its own and into another dock panel; the mouse on the toolbar's own
// parts (grip, right handle, caption option indicator, floating caption,
// close and option buttons); the floating window's life and its rows.
#include <windowsx.h>

#include <algorithm>

#include "base/Forms.h"
#include "ui/toolbar/bars/AdvDockPanel.h"
#include "ui/toolbar/bars/AdvToolBar.h"
#include "ui/toolbar/bars/DockRows.h"
#include "ui/toolbar/bars/FloatingWindow.h"

namespace {

constexpr int kDockMargin = 15;  // a dock target reaches this far into its form
constexpr int kLeaveDistance = 26;  // a grip drag this far off the panel floats
constexpr UINT_PTR kFloatingTimerId = 500;
constexpr UINT kFloatingTimerMs = 40;

TCustomForm* FormOf(TControl* C) { return C ? GetParentForm(C) : nullptr; }

}  // namespace

// ---------------------------------------------------------------------------
// Hit tests

bool TAdvCustomToolBar::PtInDragGrip(TPoint P) {
  return FToolBarState != TToolBarState::tsFloating && GripShown() && GetDragGripRect().Contains(P);
}

bool TAdvCustomToolBar::PtInRightHandle(TPoint P) {
  if (!FShowPopupIndicator || !FShowRightHandle) return false;
  int w = FPopupIndicatorWidth;
  TRect r = IsHorizontalBar() ? TRect(FWidth - w, 0, FWidth, FHeight) : TRect(0, FHeight - w, FWidth, FHeight);
  return r.Contains(P);
}

bool TAdvCustomToolBar::PtInFloatingCaption(TPoint P) {
  if (FToolBarState != TToolBarState::tsFloating) return false;
  TRect r = GetCaptionRect();
  if (FShowOptionIndicator)
    r.right = GetOptionButtonRect().left;
  else if (FShowClose)
    r.right = GetCloseButtonRect().left;
  return r.Contains(P);
}

bool TAdvCustomToolBar::PtInCloseButton(TPoint P) {
  return FToolBarState == TToolBarState::tsFloating && FShowClose && GetCloseButtonRect().Contains(P);
}

bool TAdvCustomToolBar::PtInOptionButton(TPoint P) {
  return FToolBarState == TToolBarState::tsFloating && FShowOptionIndicator && GetOptionButtonRect().Contains(P);
}

bool TAdvCustomToolBar::CanDockTo(TAdvDockPanel* Panel) {
  if (!Panel || !FDockableTo.Contains(Panel->Align())) return false;
  if (Panel->LockHeight() && !IsDesigning() && Panel->PropertiesLoaded()) {
    for (int i = 0; i < Panel->RowCount(); ++i)
      if (Panel->Rows()->Items(i)->IsAllowed(this)) return true;
    return false;
  }
  return true;
}

// ---------------------------------------------------------------------------
// Dock targets

namespace {

TRect WidenedTarget(TAdvDockPanel* Panel) {
  RECT w{};
  GetWindowRect(Panel->Handle(), &w);
  TRect r(w.left, w.top, w.right, w.bottom);
  switch (Panel->Align()) {
    case TDockAlign::daLeft: r.right += kDockMargin; break;
    case TDockAlign::daTop: r.bottom += kDockMargin; break;
    case TDockAlign::daRight: r.left -= kDockMargin; break;
    case TDockAlign::daBottom: r.top -= kDockMargin; break;
  }
  return r;
}

}  // namespace

void TAdvCustomToolBar::CollectDockPanels(TWinControl* Control) {
  if (!Control || Control == this || ContainsControl(Control) || !Control->Showing()) return;
  if (auto* panel = dynamic_cast<TAdvDockPanel*>(Control)) {
    if (CanDockTo(panel)) FDockList.push_back({panel, WidenedTarget(panel)});
    return;
  }
  for (int i = 0; i < Control->ControlCount(); ++i) {
    auto* w = dynamic_cast<TWinControl*>(Control->Controls(i));
    if (!w) continue;
    if (FDockMode == TDockMode::dmAll || dynamic_cast<TAdvDockPanel*>(w)) CollectDockPanels(w);
  }
}

void TAdvCustomToolBar::BuildDockList() {
  FDockList.clear();
  if (!FLastDock) return;
  switch (FDockMode) {
    case TDockMode::dmParentDockPanelOnly:
      CollectDockPanels(FLastDock);
      break;
    case TDockMode::dmAllParentDockPanels:
      CollectDockPanels(FLastDock->Parent() ? FLastDock->Parent() : FormOf(FLastDock));
      break;
    case TDockMode::dmAll:
      CollectDockPanels(FormOf(FLastDock));
      break;
  }
}

void TAdvCustomToolBar::RefreshDockRects() {
  for (TDockTarget& t : FDockList)
    if (t.Panel->HandleAllocated()) t.Rect = WidenedTarget(t.Panel);
}

// ---------------------------------------------------------------------------
// The drag

void TAdvCustomToolBar::StartGripDrag(int X, int Y) {
  BuildDockList();
  FOldMouseX = X;
  FOldMouseY = Y;
  FDragging = true;
}

void TAdvCustomToolBar::TrackGripDrag(TShiftState, int X, int Y) {
  StartGripDrag(X, Y);
  SetCapture(Handle());
  MSG msg;
  while (FDragging && HandleAllocated() && GetCapture() == FHandle) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) break;
    if (msg.message == WM_MOUSEMOVE) {
      POINT p;
      GetCursorPos(&p);
      ::ScreenToClient(FHandle, &p);
      DragMove(p.x, p.y);
      // A new parent made a new window: the drag keeps the mouse.
      if (FDragging && HandleAllocated() && GetCapture() != FHandle) SetCapture(FHandle);
    } else if (msg.message == WM_LBUTTONUP) {
      break;
    } else {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  EndGripDrag();
}

void TAdvCustomToolBar::EndGripDrag() {
  if (Screen && Screen->Cursor() == crSizeAll) Screen->SetCursor(crDefault);
  FDragging = false;
  if (HandleAllocated() && GetCapture() == FHandle) ReleaseCapture();
  FDockList.clear();
}

void TAdvCustomToolBar::DragMove(int X, int Y) {
  bool leaving = false;
  if (FToolBarState == TToolBarState::tsFloating && FFloatingWindow) {
    TPoint p = ClientToScreen(TPoint(X - FOldMouseX, Y - FOldMouseY));
    FFloatingWindow->SetBounds(p.x - FLeft, p.y - FTop, FFloatingWindow->Width(), FFloatingWindow->Height());
  } else if (FToolBarState == TToolBarState::tsDocked && FCurrentDock) {
    TAdvDockPanel* panel = FCurrentDock;
    int row = FRow;
    if (IsHorizontalBar()) {
      int oldLeft = FLeft;
      int askedLeft = X - FOldMouseX + FLeft;
      int top = FTop;
      if (Y > FHeight)
        top += Y - FHeight;
      else if (Y < 0)
        top += Y;
      SetBounds(askedLeft, top, FWidth, FHeight);
      if (FCurrentDock == panel && FRow == row)
        leaving = Y + FTop > panel->Height() + kLeaveDistance || Y + FTop < -kLeaveDistance;
      if (!leaving && FLeft != askedLeft)
        leaving = askedLeft > panel->Width() + kLeaveDistance || (X < 0 && X + oldLeft < -kLeaveDistance);
    } else {
      int askedTop = Y - FOldMouseY + FTop;
      int left = FLeft;
      if (X > FWidth)
        left += X - FWidth;
      else if (X < 0)
        left += X;
      SetBounds(left, askedTop, FWidth, FHeight);
      if (FCurrentDock == panel && FRow == row)
        leaving = X + FLeft > panel->Width() + kLeaveDistance || X + FLeft < -kLeaveDistance;
      if (!leaving && FTop != askedTop)
        leaving = askedTop > panel->Height() + kLeaveDistance || askedTop < -kLeaveDistance;
    }
    // The rounded corners at the far end copy the parent: repaint them.
    if (HandleAllocated()) {
      RECT a, b;
      if (IsHorizontalBar()) {
        a = {FWidth - 2, 0, FWidth, 2};
        b = {FWidth - 2, FHeight - 2, FWidth, FHeight};
      } else {
        a = {0, FHeight - 3, 3, FHeight};
        b = {FWidth - 3, FHeight - 3, FWidth, FHeight};
      }
      InvalidateRect(FHandle, &a, TRUE);
      InvalidateRect(FHandle, &b, TRUE);
    }
  }
  if (!FAllowFloating) leaving = false;
  if (!leaving && FToolBarState != TToolBarState::tsFloating) return;

  POINT cursor;
  GetCursorPos(&cursor);
  for (const TDockTarget& t : FDockList) {
    if (!t.Rect.Contains(TPoint(cursor.x, cursor.y)) || t.Panel == FParent) continue;
    SetParent(t.Panel);
    FOldMouseX = 1;
    if (FFloatingWindow) FreeAndNil(FFloatingWindow);
    return;
  }
  if (FToolBarState == TToolBarState::tsFloating) return;
  bool allow = true;
  if (OnCanFloat) OnCanFloat(this, allow);
  if (!allow) return;
  MakeFloating(cursor.x, cursor.y, true);
  RefreshDockRects();
}

// ---------------------------------------------------------------------------
// Floating

void TAdvCustomToolBar::MakeFloating(int X, int Y, bool UsePoint) {
  if (OnPageOrCompactWindow() || FFloatingWindow || FToolBarState == TToolBarState::tsFloating) return;
  auto* w = new TFloatingWindow(FOwner);
  w->SetBorderIcons({});
  w->SetBorderStyle(TFormBorderStyle::bsNone);
  w->SetFormStyle(TFormStyle::fsStayOnTop);
  w->SetPosition(TPosition::poDesigned);
  TCustomAdvToolBarStyler* s = FCurrentToolBarStyler;
  w->SetBorderWidth(s->FloatingWindowBorderWidth());
  w->SetBorderColor(s->FloatingWindowBorderColor());
  w->SetColor(s->Color()->ColorTo() != clNone ? s->Color()->ColorTo() : s->Color()->Color());
  FFloatingWindow = w;
  w->FreeNotification(this);
  TPoint at(X, Y);
  if (!UsePoint) {
    POINT p;
    GetCursorPos(&p);
    at = TPoint(p.x, p.y);
  }
  FSizeAtDock = GetDockedThickness(true);
  ShowAllHiddenControls();
  SetParent(w);
  w->SetAdvCustomToolBar(this);
  w->SetWindowSize();
  w->SetBounds(at.x, at.y, w->Width(), w->Height());
  FParentForm = FLastDock ? FormOf(FLastDock) : nullptr;
  if (FParentForm && !FParentForm->Visible()) {
    FAutoHiding = true;
  } else {
    w->Show();
  }
  if (HandleAllocated()) FTimerID = SetTimer(Handle(), kFloatingTimerId, kFloatingTimerMs, nullptr);
}

void TAdvCustomToolBar::SetToolBarFloating(TPoint P) {
  if (FToolBarState == TToolBarState::tsFloating || FFloatingWindow) {
    if (FFloatingWindow) FFloatingWindow->SetBounds(P.x, P.y, FFloatingWindow->Width(), FFloatingWindow->Height());
    return;
  }
  MakeFloating(P.x, P.y, true);
}

void TAdvCustomToolBar::FloatingTimer() {
  if (!FParentForm || !FFloatingWindow) return;
  if (!FParentForm->Visible() && FFloatingWindow->Visible()) {
    FFloatingWindow->Hide();
    FAutoHiding = true;
  } else if (FParentForm->Visible() && !FFloatingWindow->Visible() && FAutoHiding) {
    FAutoHiding = false;
    FFloatingWindow->Show();
  }
}

void TAdvCustomToolBar::CloseFloating() {
  if (FToolBarState != TToolBarState::tsFloating) return;
  if (FAutoDockOnClose && FLastDock) {
    SetParent(FLastDock);
    if (FFloatingWindow) FreeAndNil(FFloatingWindow);
    return;
  }
  if (FFloatingWindow) FFloatingWindow->Hide();
  SetVisible(false);
  if (OnClose) OnClose(this);
}

// ---------------------------------------------------------------------------
// Floating rows

int TAdvCustomToolBar::GetMaxFloatingRows() {
  bool horz = IsHorizontalBar();
  auto extent = [horz](TControl* c) { return horz ? c->Width() : c->Height(); };
  int m = 0;
  for (int i = 0; i < FATBControls->Count(); ++i) m = std::max(m, extent(ToolBarControls(i)));
  m = std::max(m + 2, FMinLength);
  int rows = 1, x = 2;
  for (int i = 0; i < FATBControls->Count(); ++i) {
    int e = extent(ToolBarControls(i));
    if (m - x < e && x > 2) {
      ++rows;
      x = 2;
    }
    x += e;
    if (x >= m && i + 1 < FATBControls->Count()) {
      ++rows;
      x = 2;
    }
  }
  return std::min(rows, std::max(1, FATBControls->Count()));
}

void TAdvCustomToolBar::SetFloatingRows(int Count) {
  if (Count < 1 || Count > GetMaxFloatingRows() || Count == FFloatingRows) return;
  FFloatingRows = Count;
  if (IsLoading()) return;
  PositionControls(true);
  if (FFloatingWindow) FFloatingWindow->SetWindowSize();
}

bool TAdvCustomToolBar::GetSizeForRows(int Count, int& H, int& W) {
  if (Count < 1 || Count > GetMaxFloatingRows()) return false;
  // Every item counts, shown or not.
  FloatingSizeFor(Count, true, W, H);
  return true;
}

// ---------------------------------------------------------------------------
// The mouse on the toolbar's own parts

void TAdvCustomToolBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (FDragging || Button != TMouseButton::mbLeft) return;
  TPoint p(X, Y);
  if (FToolBarState == TToolBarState::tsDocked) {
    if (PtInDragGrip(p)) {
      if (!FLocked) TrackGripDrag(Shift, X, Y);
      return;
    }
    if (!IsDesigning() && PtInRightHandle(p)) {
      FDownPopupIndicator = true;
      DrawRightHandle();
      OptionIndicatorClick();
      return;
    }
  } else if (FToolBarState == TToolBarState::tsFloating) {
    if (PtInFloatingCaption(p)) {
      if (Screen) Screen->SetCursor(crSizeAll);
      TrackGripDrag(Shift, X, Y);
      return;
    }
    if (PtInOptionButton(p) && !FDownCustomizedBtn) {
      FDownCustomizedBtn = true;
      DrawOptionButton();
      OptionIndicatorClick();
      return;
    }
    if (PtInCloseButton(p) && !FDownCloseBtn) {
      FDownCloseBtn = true;
      DrawCloseButton();
      return;
    }
  }
  if (FToolBarState != TToolBarState::tsFloating && !IsDesigning() && GetCaptionOptionRect().Contains(p)) {
    StartOptionGlow(20, TGlowState::gsPush);
    FCapOptIndicatorDown = true;
    InvalidateToolBarRect(GetCaptionOptionRect());
    CaptionOptionClick();
  }
}

void TAdvCustomToolBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (FDragging) return;
  if (FDownPopupIndicator) {
    FDownPopupIndicator = false;
    DrawRightHandle();
  }
  if (FCapOptIndicatorDown) {
    StartOptionGlow(-20, TGlowState::gsPush);
    if (PagerTonesActive()) {
      FCapOptIndicatorDown = false;
      InvalidateToolBarRect(GetCaptionOptionRect());
    }
  }
  if (FToolBarState != TToolBarState::tsFloating) return;
  if (FDownCustomizedBtn) {
    FDownCustomizedBtn = false;
    DrawOptionButton();
  }
  if (FDownCloseBtn) {
    FDownCloseBtn = false;
    DrawCloseButton();
    CloseFloating();
  }
}

void TAdvCustomToolBar::TrackPartsHover(TShiftState Shift, TPoint P) {
  if (FDragging) return;
  if (!Shift.Contains(TShiftStateItem::ssLeft) && !FLocked) {
    if (PtInDragGrip(P))
      SetCursor(crSizeAll);
    else if (FCursor == crSizeAll)
      SetCursor(FOldCursor);
  }
  if (IsDesigning()) return;
  bool hotHandle = PtInRightHandle(P) && FToolBarState != TToolBarState::tsFloating;
  if (hotHandle != FHotPopupIndicator) {
    FHotPopupIndicator = hotHandle;
    DrawRightHandle();
  }
  bool inIndicator = GetCaptionOptionRect().Contains(P);
  if (inIndicator && !FCapOptIndicatorHot) {
    StartOptionGlow(20, TGlowState::gsHover);
    FCapOptIndicatorHot = true;
    InvalidateToolBarRect(GetCaptionOptionRect());
  } else if (!inIndicator && FCapOptIndicatorHot) {
    StartOptionGlow(-20, TGlowState::gsHover);
    if (PagerTonesActive()) FCapOptIndicatorHot = false;
    InvalidateToolBarRect(GetCaptionOptionRect());
  }
  if (FToolBarState == TToolBarState::tsFloating) {
    bool hotOption = PtInOptionButton(P), hotClose = PtInCloseButton(P);
    if (hotOption != FHotCustomizedBtn) {
      FHotCustomizedBtn = hotOption;
      DrawOptionButton();
    }
    if (hotClose != FHotCloseBtn) {
      FHotCloseBtn = hotClose;
      DrawCloseButton();
    }
  }
}

void TAdvCustomToolBar::PartsMouseLeave() {
  if (!FDragging && FCursor == crSizeAll) SetCursor(FOldCursor);
  if (FHotPopupIndicator || FDownPopupIndicator) {
    FHotPopupIndicator = FDownPopupIndicator = false;
    DrawRightHandle();
  }
  if (FToolBarState == TToolBarState::tsFloating) {
    if (FHotCustomizedBtn || FDownCustomizedBtn || FHotCloseBtn || FDownCloseBtn) {
      FHotCustomizedBtn = FDownCustomizedBtn = FHotCloseBtn = FDownCloseBtn = false;
      DrawOptionButton();
      DrawCloseButton();
    }
  } else if (FCapOptIndicatorHot || FCapOptIndicatorDown) {
    FCapOptIndicatorHot = FCapOptIndicatorDown = false;
    InvalidateToolBarRect(GetCaptionOptionRect());
  }
}

