// The pager and the mouse: presses and clicks on tabs, the double-click
// count on the active tab, hover glow from real pointer moves, tab-group
// strips, the caption bar's system menu and double click.
#include <windowsx.h>

#include <vector>

#include "tests/support/Gui.h"
#include "tests/toolbar/ribbon/PagerTestSupport.h"
#include "ui/controls/buttons/GlowButtonHelpers.h"
#include "ui/toolbar/bars/AdvToolBar.h"
#include "ui/toolbar/ribbon/MinimizedRibbonWindow.h"

namespace {

TPoint Centre(const TRect& R) { return TPoint((R.left + R.right) / 2, (R.top + R.bottom) / 2); }

void Press(TWinControl* C, TPoint P, UINT Msg = WM_LBUTTONDOWN, WPARAM Keys = MK_LBUTTON) {
  C->Perform(Msg, Keys, MAKELPARAM(P.x, P.y));
}

void Click(TWinControl* C, TPoint P) {
  Press(C, P);
  Press(C, P, WM_LBUTTONUP, 0);
}

void MovePointer(TPoint Screen) {
  SetCursorPos(Screen.x, Screen.y);
  mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
}

struct MouseFixture : PagerFixture {
  std::vector<int> Clicked;
  void SetUp() override {
    PagerFixture::SetUp();
    for (const wchar_t* c : {L"Home", L"Insert", L"Layout", L"View"}) AddPage(c);
    Pager->SetActivePageIndex(0);
    Pager->OnTabClick = [this](TObject*, int Page) { Clicked.push_back(Page); };
    PumpFor(10);
  }
  void TearDown() override {
    TAdvToolBarPager::SetSystemMenuTracker(nullptr);
    PagerFixture::TearDown();
  }
  TPoint TabCentre(int I) { return Centre(Pager->GetTabRect(I)); }
};

}  // namespace

TEST_F(MouseFixture, APressSelectsAnEnabledTabWithAPushGlowAndADisabledOneOnlyReports) {
  Pager->AdvPages(2)->SetTabEnabled(false);
  int changed = 0;
  Pager->OnTabChanged = [&](TObject*) { ++changed; };

  Press(Pager, TabCentre(1));
  EXPECT_EQ(Pager->ActivePageIndex(), 1);
  EXPECT_TRUE(Pager->ChangeActiveTab());
  EXPECT_EQ(Pager->ClickCount(), -1);
  EXPECT_EQ(Pager->DownPageIndex(), -1);
  EXPECT_EQ(changed, 1);
  ASSERT_NE(Pager->AdvPages(1)->GlowTimer(), nullptr);
  EXPECT_EQ(Pager->AdvPages(1)->TimeInc(), 20);
  EXPECT_EQ(Pager->AdvPages(1)->GlowState(), TGlowState::gsPush);
  Press(Pager, TabCentre(1), WM_LBUTTONUP, 0);

  Press(Pager, TabCentre(2));
  EXPECT_EQ(Pager->ActivePageIndex(), 1);
  EXPECT_EQ(Pager->DownPageIndex(), 2);
  EXPECT_EQ(Pager->AdvPages(2)->GlowTimer(), nullptr);
  EXPECT_EQ(changed, 1);
  Press(Pager, TabCentre(2), WM_LBUTTONUP, 0);
  EXPECT_EQ(Pager->DownPageIndex(), -1);
  EXPECT_EQ(Clicked, (std::vector<int>{1, 2}));

  // Outside the tab row nothing is clicked.
  Press(Pager, TPoint(Pager->Width() - 3, Pager->GetPageRect().top + 20));
  EXPECT_EQ(Clicked.size(), 2u);
}

TEST_F(MouseFixture, ClicksOnTheActiveTabWithinTheDoubleClickTimeToggleTheRibbon) {
  // Each case: the tabs clicked in a row, whether the double-click time ran
  // out after the first click, double clicks allowed, the state after.
  struct Case {
    std::vector<int> Tabs;
    bool TickAfterFirst;
    bool HideOnDblClick;
    bool Expanded;
  };
  const Case cases[] = {
      {{0, 0}, false, true, false},     // two on the active tab
      {{1, 1}, false, true, true},      // the first changed the page
      {{1, 1, 1, 1}, false, true, false},  // two more after that toggle
      {{0, 0}, true, true, true},       // too slow
      {{0, 0}, false, false, true},     // switched off
      {{0, 1}, false, true, true},      // two different tabs
  };
  int expectedHeight = Pager->Height();
  for (size_t n = 0; n < std::size(cases); ++n) {
    const Case& c = cases[n];
    Pager->Expand();
    Pager->SetActivePageIndex(0);
    Pager->DblClickTimerTick(nullptr);
    Pager->SetHidePagesOnDblClick(c.HideOnDblClick);
    for (size_t i = 0; i < c.Tabs.size(); ++i) {
      Click(Pager, TabCentre(c.Tabs[i]));
      if (i == 0 && c.TickAfterFirst) {
        ASSERT_TRUE(Pager->DblClickTimer() && Pager->DblClickTimer()->Enabled()) << n;
        Pager->DblClickTimerTick(Pager->DblClickTimer());
        EXPECT_EQ(Pager->ClickCount(), 0) << n;
      }
    }
    EXPECT_EQ(Pager->Expanded(), c.Expanded) << n;
    if (!c.Expanded) {
      EXPECT_EQ(Pager->Height(), Pager->GetPageRect().top) << n;
      EXPECT_EQ(Pager->ClickCount(), 0) << n;
      EXPECT_FALSE(Pager->DblClickTimer()->Enabled()) << n;
    }
  }
  // Two more clicks on the active tab of the collapsed ribbon expand it to
  // the height it had.
  Pager->SetActivePageIndex(0);
  Pager->Collaps();
  Pager->DblClickTimerTick(nullptr);
  Click(Pager, TabCentre(0));
  Click(Pager, TabCentre(0));
  EXPECT_TRUE(Pager->Expanded());
  EXPECT_EQ(Pager->Height(), expectedHeight);
}

TEST_F(MouseFixture, CollapsingKeepsCaptionAndTabsAndExpandingGivesTheHeightBack) {
  int collapses = 0, expands = 0;
  Pager->OnCollaps = [&](TObject*) { ++collapses; };
  Pager->OnExpand = [&](TObject*) { ++expands; };
  int height = Pager->Height();
  int pageTop = Pager->GetPageRect().top;
  Pager->Collaps();
  Pager->Collaps();
  EXPECT_FALSE(Pager->Expanded());
  EXPECT_EQ(Pager->Height(), pageTop);
  EXPECT_EQ(collapses, 1);
  Pager->Expand();
  Pager->Expand();
  EXPECT_TRUE(Pager->Expanded());
  EXPECT_EQ(Pager->Height(), height);
  EXPECT_EQ(expands, 1);
}

TEST_F(MouseFixture, ThePointerOverTheTabsFadesTheHotTabInAndTheOldOneOut) {
  ASSERT_GT(GlowButton::GetGlowInterval(), 0);
  MovePointer(Pager->ClientToScreen(TabCentre(1)));
  ASSERT_TRUE(PumpUntil([&] { return Pager->HotPageIndex() == 1; }));
  ASSERT_NE(Pager->AdvPages(1)->GlowTimer(), nullptr);
  EXPECT_EQ(Pager->AdvPages(1)->TimeInc(), 20);
  EXPECT_EQ(Pager->AdvPages(1)->GlowState(), TGlowState::gsHover);

  MovePointer(Pager->ClientToScreen(TabCentre(2)));
  ASSERT_TRUE(PumpUntil([&] { return Pager->HotPageIndex() == 2; }));
  EXPECT_EQ(Pager->AdvPages(1)->TimeInc(), -20);
  EXPECT_EQ(Pager->AdvPages(2)->TimeInc(), 20);

  // Leaving the pager fades the hot tab out.
  TPoint outside = Form->ClientToScreen(TPoint(Form->ClientWidth() / 2, Form->ClientHeight() - 5));
  MovePointer(outside);
  ASSERT_TRUE(PumpUntil([&] { return Pager->HotPageIndex() == -1; }));
  if (Pager->AdvPages(2)->GlowTimer()) {
    EXPECT_EQ(Pager->AdvPages(2)->TimeInc(), -20);
  }
}

TEST_F(MouseFixture, WithoutAGlowIntervalOnlyTheHotIndexMoves) {
  GlowButton::SetGlowInterval(0);
  Pager->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(TabCentre(3).x, TabCentre(3).y));
  EXPECT_EQ(Pager->HotPageIndex(), 3);
  EXPECT_EQ(Pager->AdvPages(3)->GlowTimer(), nullptr);
  // A disabled tab never becomes hot; the old one fades.
  Pager->AdvPages(1)->SetTabEnabled(false);
  Pager->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(TabCentre(1).x, TabCentre(1).y));
  EXPECT_EQ(Pager->HotPageIndex(), -1);
}

TEST_F(MouseFixture, ATabGroupStripSelectsItsFirstSelectableTab) {
  Pager->Caption()->SetVisible(true);
  TTabGroupItem* g = Pager->TabGroups()->Add();
  g->SetCaption(L"Tools");
  g->SetTabIndexStart(1);
  g->SetTabIndexEnd(3);
  Pager->AdvPages(1)->SetTabEnabled(false);
  Pager->SetCanMove(false);
  PumpFor(5);
  bool visible = false, complete = false;
  TRect strip = Pager->GetTabGroupRect(0, visible, complete);
  ASSERT_TRUE(visible);
  std::vector<int> groups;
  Pager->OnTabGroupClick = [&](TObject*, int G) { groups.push_back(G); };
  TPoint p(Centre(strip).x, strip.top + 2);
  ASSERT_EQ(Pager->TabGroupAtPos(p.x, p.y), 0);
  Click(Pager, p);
  EXPECT_EQ(Pager->ActivePageIndex(), 2);
  EXPECT_EQ(groups, (std::vector<int>{0}));
}

TEST_F(MouseFixture, ARightClickOnTheCaptionTracksTheFormsSystemMenu) {
  Pager->Caption()->SetVisible(true);
  PumpFor(5);
  std::vector<HWND> owners;
  TPoint at;
  TAdvToolBarPager::SetSystemMenuTracker([&](HMENU Menu, int X, int Y, HWND Owner) -> UINT {
    EXPECT_NE(Menu, nullptr);
    owners.push_back(Owner);
    at = TPoint(X, Y);
    return 0;
  });
  TRect caption = Pager->GetCaptionRect();
  TPoint p(caption.left + 30, caption.top + 5);
  Press(Pager, p, WM_RBUTTONDOWN, MK_RBUTTON);
  ASSERT_EQ(owners, (std::vector<HWND>{Form->Handle()}));
  EXPECT_EQ(at, Pager->ClientToScreen(p));
  // On a tab it is a tab press, no menu.
  Press(Pager, TabCentre(1), WM_RBUTTONDOWN, MK_RBUTTON);
  EXPECT_EQ(owners.size(), 1u);
}

TEST_F(MouseFixture, ADoubleClickOnTheCaptionMaximizesAndRestoresOnlyWithAMaximizeButton) {
  Pager->Caption()->SetVisible(true);
  // A press on the caption would start the system's move loop.
  Pager->SetCanMove(false);
  PumpFor(5);
  std::vector<int> dbl;
  Pager->OnTabDblClick = [&](TObject*, int Page) { dbl.push_back(Page); };
  Press(Pager, TabCentre(2), WM_LBUTTONDBLCLK);
  EXPECT_EQ(dbl, (std::vector<int>{2}));
  EXPECT_EQ(Form->WindowState(), TWindowState::wsNormal);

  TRect caption = Pager->GetCaptionRect();
  TPoint p(caption.left + 30, caption.top + 5);
  Press(Pager, p, WM_LBUTTONDBLCLK);
  EXPECT_EQ(Form->WindowState(), TWindowState::wsMaximized);
  Press(Pager, p, WM_LBUTTONDBLCLK);
  EXPECT_EQ(Form->WindowState(), TWindowState::wsNormal);
  Pager->SetCaptionButtons(TCaptionButtons{TCaptionButton::cbClose});
  Press(Pager, p, WM_LBUTTONDBLCLK);
  EXPECT_EQ(Form->WindowState(), TWindowState::wsNormal);
  EXPECT_EQ(dbl.size(), 1u);
}

TEST_F(MouseFixture, AClickOnACollapsedRibbonFloatsThePageAndARefusingHideHandlerIsNeverReentered) {
  TAdvToolBar* group = Pager->AdvPages(0)->CreateAdvToolBar();
  group->SetToolBarCaption(L"Clipboard");
  PumpFor(10);
  Pager->Collaps();
  Click(Pager, TabCentre(0));
  TMinimizedRibbonWindow* window = Pager->FloatingRibbonWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(Pager->FloatingRibbonShowing());
  EXPECT_EQ(group->Parent(), window->AdvPage());

  // The handler refuses the first time and, while its own dialog runs,
  // the hide timer ticks again.
  int calls = 0, depth = 0, deepest = 0;
  bool allow = false;
  Pager->OnFloatingRibbonHide = [&](TObject* Sender, bool& CanHide) {
    EXPECT_EQ(Sender, static_cast<TObject*>(Pager->FloatingRibbonWindow()));
    ++calls;
    deepest = std::max(deepest, ++depth);
    if (calls == 1)
      for (int i = 0; i < 3; ++i) window->HideTimerTick(window->HideTimer());
    CanHide = allow;
    --depth;
  };
  window->HideTimer()->SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return calls >= 2; }));
  EXPECT_EQ(deepest, 1);
  EXPECT_TRUE(window->Visible());
  EXPECT_TRUE(window->HideTimer()->Enabled());
  allow = true;
  ASSERT_TRUE(PumpUntil([&] { return Pager->FloatingRibbonWindow() == nullptr; }));
  EXPECT_EQ(group->Parent(), Pager->AdvPages(0));
  EXPECT_FALSE(Pager->Expanded());

  // A click on another tab floats that page.
  Click(Pager, TabCentre(1));
  ASSERT_NE(Pager->FloatingRibbonWindow(), nullptr);
  EXPECT_EQ(Pager->ActivePageIndex(), 1);
  EXPECT_EQ(Pager->FloatingRibbonWindow()->AdvPage()->SelfClone(), Pager->AdvPages(1));
  Pager->Expand();
  EXPECT_EQ(Pager->FloatingRibbonWindow(), nullptr);
}
