// Dragging toolbars by the grip: the distance that makes a docked toolbar
// float, floating windows, docking back, closing, the rows of a floating
// toolbar and a real drag with the mouse through the modal drag loop.
#include <gtest/gtest.h>

#include "tests/support/Gui.h"
#include "tests/toolbar/bars/BarsTestSupport.h"
#include "ui/toolbar/bars/FloatingWindow.h"

namespace {

struct ToolBarDrag : DockFixture {
  TAdvDockPanel* Top = nullptr;

  void SetUp() override {
    DockFixture::SetUp();
    Top = NewPanel(TDockAlign::daTop);
  }
  // Screen point of a client point of C.
  static TPoint OnScreen(TControl* C, int X, int Y) { return C->ClientToScreen(TPoint(X, Y)); }
  // One pointer step of a drag begun at (3, 5) of the toolbar: the cursor
  // goes to the toolbar's client point (X, Y), which the drag is told.
  static void Step(TAdvToolBar* T, int X, int Y) {
    TPoint s = OnScreen(T, X, Y);
    SetCursorPos(s.x, s.y);
    T->DragMove(X, Y);
  }
};

TEST_F(ToolBarDrag, TwentySixPixelsBelowThePanelStayDockedTwentySevenFloat) {
  struct Case {
    int Beyond;  // pixels below the panel's bottom
    bool AllowFloating;
    TToolBarState State;
  };
  const Case cases[] = {
      {26, true, TToolBarState::tsDocked},
      {27, true, TToolBarState::tsFloating},
      {80, false, TToolBarState::tsDocked},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Beyond);
    TAdvToolBar* t = Docked(L"T", Top, 3);
    t->SetAllowFloating(c.AllowFloating);
    bool undocked = false;
    t->OnUnDocked = [&](TObject*) { undocked = true; };
    t->StartGripDrag(3, 5);
    Step(t, 3, Top->Height() + c.Beyond - t->Top());
    t->EndGripDrag();
    EXPECT_EQ(t->GetToolBarState(), c.State);
    EXPECT_EQ(undocked, c.State == TToolBarState::tsFloating);
    EXPECT_EQ(t->FloatingWindow() != nullptr, c.State == TToolBarState::tsFloating);
    if (t->FloatingWindow()) {
      EXPECT_TRUE(t->FloatingWindow()->Visible());
      EXPECT_EQ(t->LastDock(), Top);
    }
    t->Free();
  }
}

TEST_F(ToolBarDrag, ACanFloatVetoKeepsTheToolBarDocked) {
  TAdvToolBar* t = Docked(L"T", Top, 3);
  int asked = 0;
  t->OnCanFloat = [&](TObject*, bool& Allow) {
    ++asked;
    Allow = false;
  };
  t->StartGripDrag(3, 5);
  Step(t, 3, Top->Height() + 60);
  t->EndGripDrag();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(t->GetToolBarState(), TToolBarState::tsDocked);
  EXPECT_EQ(t->Parent(), Top);
}

TEST_F(ToolBarDrag, AVerticalToolBarTurnsHorizontalWhenItFloatsAndDocksWhereItMay) {
  TAdvDockPanel* left = NewPanel(TDockAlign::daLeft);
  TAdvToolBar* t = Docked(L"T", left, 3);
  ASSERT_FALSE(t->IsHorizontalBar());
  // Below the (empty) top panel's reach, which would take it.
  t->StartGripDrag(3, 40);
  for (int x : {10, 30, 60, 90}) Step(t, left->Width() + x, 40);
  t->EndGripDrag();
  ASSERT_EQ(t->GetToolBarState(), TToolBarState::tsFloating);
  EXPECT_TRUE(t->IsHorizontalBar());
  // Dragged over the top panel (a dock target) it docks there, turned
  // along it, and the window goes; over a left panel it may not use, it
  // stays afloat.
  t->SetDockableTo({TDockAlign::daTop});
  t->StartGripDrag(10, 5);
  EXPECT_EQ(t->DockTargetCount(), 1);  // the left panel is no target now
  TPoint overLeft = OnScreen(left, 5, left->Height() - 20);
  SetCursorPos(overLeft.x, overLeft.y);
  TPoint c = t->ScreenToClient(overLeft);
  t->DragMove(c.x, c.y);
  EXPECT_EQ(t->GetToolBarState(), TToolBarState::tsFloating);
  TPoint overTop = OnScreen(Top, 200, 5);
  SetCursorPos(overTop.x, overTop.y);
  c = t->ScreenToClient(overTop);
  t->DragMove(c.x, c.y);
  t->EndGripDrag();
  EXPECT_EQ(t->GetToolBarState(), TToolBarState::tsDocked);
  EXPECT_EQ(t->Parent(), Top);
  EXPECT_EQ(t->FloatingWindow(), nullptr);
  EXPECT_TRUE(t->IsHorizontalBar());
}

TEST_F(ToolBarDrag, TheCloseButtonHidesOrDocksBackAfterAPressAndRelease) {
  for (bool autoDock : {false, true}) {
    SCOPED_TRACE(autoDock);
    TAdvToolBar* t = Docked(L"T", Top, 3);
    t->SetAutoDockOnClose(autoDock);
    int closed = 0;
    t->OnClose = [&](TObject*) { ++closed; };
    t->SetToolBarFloating(TPoint(300, 250));
    ASSERT_EQ(t->GetToolBarState(), TToolBarState::tsFloating);
    EXPECT_EQ(t->FloatingWindow()->Left(), 300);
    TRect r = t->GetCloseButtonRect();
    ASSERT_FALSE(r.IsEmpty());
    t->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 3, r.top + 3));
    // Off the button but still on the toolbar: the release still closes.
    t->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, r.top + 3));
    t->Perform(WM_LBUTTONUP, 0, MAKELPARAM(30, r.top + 3));
    if (autoDock) {
      EXPECT_EQ(t->GetToolBarState(), TToolBarState::tsDocked);
      EXPECT_EQ(t->Parent(), Top);
      EXPECT_EQ(t->FloatingWindow(), nullptr);
      EXPECT_EQ(closed, 0);
    } else {
      EXPECT_FALSE(t->Visible());
      EXPECT_FALSE(t->FloatingWindow()->Visible());
      EXPECT_EQ(closed, 1);
    }
    t->Free();
  }
}

TEST_F(ToolBarDrag, FloatingWindowsHideAndComeBackWithTheFormOfTheirPanel) {
  TAdvToolBar* t = Docked(L"T", Top, 3);
  t->SetToolBarFloating(TPoint(300, 250));
  TFloatingWindow* w = t->FloatingWindow();
  ASSERT_TRUE(w && w->Visible());
  Form->Hide();
  t->FloatingTimer();
  EXPECT_FALSE(w->Visible());
  EXPECT_TRUE(t->AutoHiding());
  Form->Show();
  t->FloatingTimer();
  EXPECT_TRUE(w->Visible());
  EXPECT_FALSE(t->AutoHiding());
  // The window's own timer does the same.
  Form->Hide();
  EXPECT_TRUE(PumpUntil([&] { return !w->Visible(); }, 5000));
  Form->Show();
  EXPECT_TRUE(PumpUntil([&] { return w->Visible(); }, 5000));
}

TEST_F(ToolBarDrag, TheFloatingWindowFramesItsToolBarInTheBorderColour) {
  TAdvToolBar* t = Docked(L"T", Top, 3);
  t->SetToolBarFloating(TPoint(300, 250));
  TFloatingWindow* w = t->FloatingWindow();
  w->SetBorderColor(0x0000FF);
  w->SetBorderWidth(3);
  EXPECT_EQ(w->Width(), t->Width() + 2 * 3 + 2);
  EXPECT_EQ(w->Height(), t->Height() + 2 * 3 + 2);
  EXPECT_EQ(t->Left(), 4);
  EXPECT_EQ(t->Top(), 4);
  TBitmap* b = PaintToBitmap(w);
  for (TPoint p : {TPoint(1, 1), TPoint(3, 3), TPoint(w->Width() - 1, 10), TPoint(10, w->Height() - 1)})
    EXPECT_EQ(PixelAt(b, p.x, p.y), 0x0000FF) << p.x << "," << p.y;
  b->Free();
  w->SetBorderColor(clNone);
  w->SetColor(0x00FF00);
  b = PaintToBitmap(w);
  EXPECT_EQ(PixelAt(b, 1, 1), 0x00FF00);
  b->Free();
}

TEST_F(ToolBarDrag, DraggingTheRightEdgeChangesTheRowsAndBack) {
  TAdvToolBar* t = Docked(L"T", Top, 6);
  t->SetToolBarFloating(TPoint(200, 200));
  TFloatingWindow* w = t->FloatingWindow();
  ASSERT_GE(t->GetMaxFloatingRows(), 3);
  t->SetFloatingRows(2);
  ASSERT_EQ(t->FloatingRows(), 2);
  int y = w->Height() / 2;
  int right = w->Width() - 1;
  w->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(right, y));
  w->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(w->Width() + 5, y));  // 5: not yet
  EXPECT_EQ(t->FloatingRows(), 2);
  w->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(w->Width() + 6, y));
  EXPECT_EQ(t->FloatingRows(), 1);
  // Back inwards: one row more again once the pointer is at or inside the
  // narrower width.
  int h2 = 0, w2 = 0;
  ASSERT_TRUE(t->GetSizeForRows(2, h2, w2));
  int back = 2 * w->BorderWidth() + w2;
  w->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(back + 1, y));
  EXPECT_EQ(t->FloatingRows(), 1);
  w->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(back, y));
  EXPECT_EQ(t->FloatingRows(), 2);
  w->Perform(WM_LBUTTONUP, 0, MAKELPARAM(back, y));
  EXPECT_FALSE(w->Resizing());
  // Counts outside 1 .. the most are refused.
  t->SetFloatingRows(0);
  t->SetFloatingRows(t->GetMaxFloatingRows() + 1);
  EXPECT_EQ(t->FloatingRows(), 2);
}

TEST_F(ToolBarDrag, ALockedToolBarStartsNoDragAndShowsNoSizeCursor) {
  TAdvToolBar* t = Docked(L"T", Top, 3);
  t->SetLocked(true);
  t->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(3, 5));
  EXPECT_NE(t->Cursor(), crSizeAll);
  t->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 5));  // returns at once
  EXPECT_FALSE(t->Dragging());
  t->Perform(WM_LBUTTONUP, 0, MAKELPARAM(3, 5));
  EXPECT_EQ(t->GetToolBarState(), TToolBarState::tsDocked);
  t->SetLocked(false);
  t->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(3, 5));
  EXPECT_EQ(t->Cursor(), crSizeAll);
}

// A real drag: the press on the grip enters the modal drag loop; a timer
// (counted in ticks) moves the mouse out below the panel, then lets go.
TEST_F(ToolBarDrag, ARealMouseDragFloatsTheToolBarAndAnotherDocksItBack) {
  TAdvToolBar* t = Docked(L"T", Top, 3);
  auto inject = [](TPoint P, DWORD Flags) {
    SetCursorPos(P.x, P.y);
    mouse_event(Flags, 0, 0, 0, 0);
  };
  auto drag = [&](TPoint From, std::vector<TPoint> Path) {
    size_t tick = 0;
    bool done = false;
    TOwned<TTimer> timer(new TTimer(nullptr));
    timer->SetInterval(1);
    timer->SetOnTimer([&](TObject*) {
      if (done) return;
      if (tick < Path.size()) {
        inject(Path[tick], MOUSEEVENTF_MOVE);
        mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
      } else {
        inject(Path.back(), MOUSEEVENTF_LEFTUP);
        done = true;
      }
      ++tick;
    });
    inject(From, MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(PumpUntil([&] { return done && !t->Dragging(); }, 10000));
    if (!done) inject(Path.back(), MOUSEEVENTF_LEFTUP);  // never leave the button down
    PumpFor(50);
  };
  TPoint grip = OnScreen(t, 3, 8);
  drag(grip, {TPoint(grip.x + 10, grip.y + 20), TPoint(grip.x + 40, grip.y + Top->Height() + 80)});
  ASSERT_EQ(t->GetToolBarState(), TToolBarState::tsFloating);
  ASSERT_TRUE(t->FloatingWindow());
  EXPECT_NE(GetCapture(), t->Handle());
  // Back by the caption strip over the panel.
  TPoint caption = OnScreen(t, 10, 4);
  TPoint overTop = OnScreen(Top, 200, Top->Height() / 2);
  drag(caption, {TPoint(caption.x + 5, caption.y - 5), overTop});
  EXPECT_EQ(t->GetToolBarState(), TToolBarState::tsDocked);
  EXPECT_EQ(t->Parent(), Top);
  EXPECT_FALSE(t->Dragging());
}

}  // namespace

namespace {

TEST_F(ToolBarDrag, TheDockModeChoosesWhichPanelsAreDockTargets) {
  TAdvDockPanel* left = NewPanel(TDockAlign::daLeft);
  auto* box = new TTestPage(Form);  // a plain control holding a panel of its own
  box->SetParent(Form);
  box->SetBounds(200, 150, 200, 150);
  auto* inner = new TAdvDockPanel(Form);
  inner->SetParent(box);
  inner->SetAlign(TDockAlign::daTop);
  TAdvToolBar* t = Docked(L"T", Top, 2);
  struct Case {
    TDockMode Mode;
    int Targets;
  };
  const Case cases[] = {
      {TDockMode::dmAll, 3},                  // every panel on the form, nested ones too
      {TDockMode::dmAllParentDockPanels, 2},  // the panels beside the last one
      {TDockMode::dmParentDockPanelOnly, 1},  // the last one alone
  };
  for (const Case& c : cases) {
    t->SetDockMode(c.Mode);
    t->StartGripDrag(3, 5);
    EXPECT_EQ(t->DockTargetCount(), c.Targets) << static_cast<int>(c.Mode);
    t->EndGripDrag();
    EXPECT_EQ(t->DockTargetCount(), 0);
  }
  EXPECT_NE(left, nullptr);
}

// The caption option indicator of a toolbar with a caption and no right
// handle glows in steps of 20 while hovered and back once left.
TEST_F(ToolBarDrag, TheCaptionOptionIndicatorGlowsWhileHovered) {
  auto* t = new TAdvToolBar(Form);
  t->SetParent(Form);
  t->SetShowRightHandle(false);
  t->SetShowCaption(true);
  t->SetBounds(10, 200, 200, 60);
  TRect r = t->GetCaptionOptionRect();
  ASSERT_GT(r.Width(), 0);
  t->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(r.left + 2, r.top + 2));
  EXPECT_TRUE(t->CaptionOptionHot());
  ASSERT_TRUE(t->OptionTimerRunning());
  int ticks = 0;
  for (; t->OptionTimerRunning() && ticks < 20; ++ticks) t->OptionTimerTick(nullptr);
  EXPECT_EQ(ticks, 6);
  EXPECT_EQ(t->OptionHoverStep(), 120);
  t->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(5, 30));
  ASSERT_TRUE(t->OptionTimerRunning());
  for (ticks = 0; t->OptionTimerRunning() && ticks < 20; ++ticks) t->OptionTimerTick(nullptr);
  EXPECT_EQ(ticks, 7);  // 120 down to -20, below 0
  EXPECT_EQ(t->OptionHoverStep(), -20);
  EXPECT_FALSE(t->CaptionOptionHot());
  // A press glows and runs the option click; the release lets it fade.
  int clicks = 0;
  t->OnOptionClick = [&](TObject*, TPoint, TPoint) { ++clicks; };
  t->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 2, r.top + 2));
  EXPECT_TRUE(t->CaptionOptionDown());
  EXPECT_EQ(clicks, 1);
  t->Perform(WM_LBUTTONUP, 0, MAKELPARAM(r.left + 2, r.top + 2));
  for (ticks = 0; t->OptionTimerRunning() && ticks < 20; ++ticks) t->OptionTimerTick(nullptr);
  EXPECT_FALSE(t->CaptionOptionDown());
}

}  // namespace

namespace {

// A press on the floating caption moves the window with the pointer from
// the press point on: the first step does not shift it.
TEST_F(ToolBarDrag, TheFloatingWindowFollowsThePointerFromThePressPoint) {
  TAdvToolBar* t = Docked(L"T", Top, 3);
  t->SetToolBarFloating(TPoint(300, 250));
  TFloatingWindow* w = t->FloatingWindow();
  ASSERT_TRUE(w);
  ASSERT_TRUE(t->PtInFloatingCaption(TPoint(10, 4)));
  TPoint press = OnScreen(t, 10, 4);
  std::vector<TPoint> seen;
  int ticks = 0;
  TOwned<TTimer> timer(new TTimer(nullptr));
  timer->SetInterval(1);
  timer->SetOnTimer([&](TObject*) {
    ++ticks;
    if (ticks == 1 || ticks == 4) {
      TPoint to = ticks == 1 ? press : TPoint(press.x + 15, press.y + 12);
      SetCursorPos(to.x, to.y);
      PostMessageW(t->Handle(), WM_MOUSEMOVE, MK_LBUTTON, 0);
    } else if (ticks == 3 || ticks == 6) {
      seen.push_back(TPoint(w->Left(), w->Top()));
    }
    if (ticks == 6 || ticks == 100) PostMessageW(t->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 4));
  });
  SetCursorPos(press.x, press.y);
  t->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 4));
  timer->SetEnabled(false);
  EXPECT_FALSE(t->Dragging());
  EXPECT_EQ(seen, (std::vector<TPoint>{TPoint(300, 250), TPoint(315, 262)}));
}

// A quit message ends the drag loop and is posted again for the
// application's own loop. A timer would end a loop that missed it.
TEST_F(ToolBarDrag, AQuitMessageEndsTheDragAndIsPostedAgain) {
  TAdvToolBar* t = Docked(L"T", Top, 2);
  int ticks = 0;
  TOwned<TTimer> guard(new TTimer(nullptr));
  guard->SetInterval(1);
  guard->SetOnTimer([&](TObject*) {
    if (++ticks == 50) PostMessageW(t->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 5));
  });
  PostQuitMessage(7);
  t->TrackGripDrag(TShiftState(), 3, 5);
  EXPECT_FALSE(t->Dragging());
  EXPECT_LT(ticks, 50);
  EXPECT_NE(GetCapture(), t->Handle());
  MSG m;
  ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(m.wParam, 7u);
}

}  // namespace
