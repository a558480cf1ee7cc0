// Key tips and keys of ribbon groups: keys typed into a group's glow button
// through the system's input queue, the arrow walk between the buttons and
// groups of a page, the hover glow of a group and its option indicator.
#include <gtest/gtest.h>

#include "tests/support/Gui.h"
#include "tests/toolbar/bars/BarsTestSupport.h"
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/toolbar/bars/AdvToolBar.h"

namespace {

// A pager that counts what a group's keys ask of it.
class TKeyPager : public TTestPager {
 public:
  using TTestPager::TTestPager;
  void PagerShowTabKeyTips() override { ++TabTips; }
  void PagerHideFloatingRibbon() override { ++FloatingHidden; }
  void PagerFocusByKey() override { ++FocusByKey; }
  int TabTips = 0, FloatingHidden = 0, FocusByKey = 0;
};

// A page in group key-tip mode: typed characters collect and are matched
// against its first group's buttons.
class TKeyPage : public TTestPage {
 public:
  using TTestPage::TTestPage;
  bool PageGroupKeyTipsShowing() override { return Showing; }
  bool PageTypeKeyTipChar(wchar_t Ch) override {
    Typed += Ch;
    int partial = 0;
    return Groups.front()->HandleShortCutHintKey(Typed, partial);
  }
  void PageHideGroupKeyTips() override { Showing = false; }
  bool Showing = true;
  String Typed;
};

struct GroupKeys : DockFixture {
  TKeyPager* Pager = nullptr;
  TKeyPage* Page = nullptr;

  void SetUp() override {
    DockFixture::SetUp();
    Pager = new TKeyPager(Form);
    Pager->SetParent(Form);
    Pager->SetBounds(0, 0, 600, 120);
    Page = new TKeyPage(Form);
    Page->SetParent(Pager);
    Page->SetBounds(0, 0, 600, 120);
  }

  TAdvToolBar* NewGroup(int Left) {
    auto* g = new TAdvToolBar(Form);
    g->SetParent(Page);
    g->SetAutoSize(false);
    g->SetBounds(Left, 0, 150, 90);
    Page->Groups.push_back(g);
    return g;
  }

  // One real key press into the focused button.
  void Type(TWinControl* Into, WORD Key) {
    ASSERT_TRUE(FocusForInput(Form, Into));
    PressKey(Key);
    PumpFor(60);
  }

  TAdvGlowButton* NewButton(TAdvToolBar* G, const wchar_t* Tip, int* Clicks = nullptr) {
    auto* b = new TAdvGlowButton(Form);
    b->SetBounds(0, 0, 40, 22);
    b->SetShortCutHint(Tip);
    b->SetParent(G);
    if (Clicks) b->OnClick = [Clicks](TObject*) { ++*Clicks; };
    return b;
  }
};

TEST_F(GroupKeys, RealKeysTypeKeyTipCharactersAndOnlyThose) {
  struct Case {
    WORD Key;
    const wchar_t* Typed;  // what the page collected
    bool StillShowing;     // the group key tips stay
    int Clicks;            // the button "P" was clicked
  };
  const Case cases[] = {
      {'P', L"P", false, 1},          // a match triggers and ends the mode
      {VK_F1, L"", false, 0},         // no character: ends the mode, never "p"
      {VK_SHIFT, L"", true, 0},       // modifiers pass
      {VK_NUMPAD0, L"0", true, 0},    // keypad digits type digits
      {VK_NUMPAD7, L"7", true, 0},
      {'3', L"3", true, 0},
      {VK_RIGHT, L"", false, 0},      // another non-character key
  };
  TAdvToolBar* g = NewGroup(0);
  int clicks = 0;
  TAdvGlowButton* p = NewButton(g, L"P", &clicks);
  NewButton(g, L"05");
  NewButton(g, L"75");
  NewButton(g, L"35");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Key);
    Page->Showing = true;
    Page->Typed.clear();
    clicks = 0;
    Type(p, c.Key);
    EXPECT_EQ(Page->Typed, String(c.Typed));
    EXPECT_EQ(Page->Showing, c.StillShowing);
    EXPECT_EQ(clicks, c.Clicks);
  }
}

TEST_F(GroupKeys, EscapeBringsBackTheTabKeyTipsAndTheFocusToThePager) {
  TAdvToolBar* g = NewGroup(0);
  TAdvGlowButton* b = NewButton(g, L"A");
  Type(b, VK_ESCAPE);
  EXPECT_FALSE(Page->Showing);
  EXPECT_EQ(Pager->TabTips, 1);
  EXPECT_EQ(Pager->FloatingHidden, 1);
  EXPECT_EQ(Pager->FocusByKey, 1);
  // Without key tips showing, Escape still closes the floating ribbon and
  // gives the pager the focus, but brings no tab key tips.
  Type(b, VK_ESCAPE);
  EXPECT_EQ(Pager->TabTips, 1);
  EXPECT_EQ(Pager->FloatingHidden, 2);
  EXPECT_EQ(Pager->FocusByKey, 2);
}

TEST_F(GroupKeys, ArrowKeysWalkTheButtonsAndWrapAroundTheGroups) {
  Page->Showing = false;
  TAdvToolBar* first = NewGroup(0);
  TAdvToolBar* last = NewGroup(300);
  TAdvToolBar* middle = NewGroup(150);
  TAdvGlowButton* a1 = NewButton(first, L"");
  TAdvGlowButton* a2 = NewButton(first, L"");
  TAdvGlowButton* m1 = NewButton(middle, L"");
  TAdvGlowButton* z1 = NewButton(last, L"");
  TAdvGlowButton* z2 = NewButton(last, L"");
  struct Case {
    TAdvGlowButton* From;
    WORD Key;
    TAdvGlowButton* To;
  };
  const Case cases[] = {
      {a1, VK_LEFT, z2},   // first button of the first group: last of the last
      {a1, VK_RIGHT, a2},  // within a group
      {a2, VK_RIGHT, m1},  // on to the next group by Left, not by creation
      {m1, VK_RIGHT, z1}, {z2, VK_RIGHT, a1}, {z1, VK_LEFT, m1}, {a2, VK_LEFT, a1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.Key == VK_LEFT ? 'L' : 'R'));
    ASSERT_TRUE(FocusForInput(Form, c.From));
    PressKey(c.Key);
    EXPECT_TRUE(PumpUntil([&] { return c.To->Focused(); }, 2000));
  }
  EXPECT_EQ(first->FirstFocusControl(true), a1);
  EXPECT_EQ(last->LastFocusControl(true), z2);
}

TEST_F(GroupKeys, UpGivesThePagerTheFocusAndKeysOutsideAPageAskNothing) {
  TAdvToolBar* g = NewGroup(0);
  TAdvGlowButton* b = NewButton(g, L"");
  Type(b, VK_UP);
  EXPECT_EQ(Pager->FocusByKey, 1);
  // A toolbar elsewhere puts no key hook in its buttons.
  auto* fixed = new TAdvToolBar(Form);
  fixed->SetParent(Form);
  fixed->SetTop(200);
  auto* f = new TAdvGlowButton(Form);
  f->SetParent(fixed);
  EXPECT_FALSE(static_cast<bool>(f->FOnInternalKeyDown));
  EXPECT_TRUE(static_cast<bool>(b->FOnInternalKeyDown));
}

// Hover glow: counted in timer ticks, driven by the tick itself.
TEST_F(GroupKeys, TheHoverGlowRisesInStepsOfTwentyAndFallsBack) {
  TAdvToolBar* g = NewGroup(0);
  g->CurrentToolBarStyler()->ColorHot()->SetColor(clYellow);
  g->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(g));
  EXPECT_TRUE(g->Hot());
  ASSERT_TRUE(g->HoverTimerRunning());
  EXPECT_EQ(g->GlowState(), TGlowState::gsHover);
  int ticks = 0;
  while (g->HoverTimerRunning() && ticks < 20) {
    g->HoverTimerTick(nullptr);
    ++ticks;
    if (g->HoverTimerRunning()) EXPECT_EQ(g->HoverStep(), 20 * ticks);
  }
  EXPECT_EQ(ticks, 6);  // 20 .. 100, then 120 ends it
  // Leaving (the pointer is nowhere near the group).
  SetCursorPos(630, 390);
  g->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(g));
  EXPECT_FALSE(g->Hot());
  ticks = 0;
  while (g->HoverTimerRunning() && ticks < 20) {
    g->HoverTimerTick(nullptr);
    ++ticks;
  }
  EXPECT_EQ(ticks, 7);  // 100 .. 0, then -20 ends it
  EXPECT_EQ(g->GlowState(), TGlowState::gsNone);
}

TEST_F(GroupKeys, AHoverGlowWithoutAHotColourStopsAfterOneTick) {
  TAdvToolBar* g = NewGroup(0);
  g->CurrentToolBarStyler()->ColorHot()->SetColor(clNone);
  g->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(g));
  ASSERT_TRUE(g->HoverTimerRunning());
  g->HoverTimerTick(nullptr);
  EXPECT_FALSE(g->HoverTimerRunning());
}

TEST_F(GroupKeys, TheHoverGlowRunsOnlyForGroups) {
  auto* t = new TAdvToolBar(Form);
  t->SetParent(Form);
  t->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(t));
  EXPECT_FALSE(t->HoverTimerRunning());
  EXPECT_FALSE(t->Hot());
}

// The pointer leaving a group from one of its buttons straight out of the
// group takes the group's glow down; moving onto the button keeps it.
TEST_F(GroupKeys, LeavingFromAButtonStraightOutOfTheGroupEndsItsGlow) {
  TAdvToolBar* g = NewGroup(0);
  TAdvGlowButton* b = NewButton(g, L"");
  b->SetBounds(10, 10, 40, 22);
  g->CurrentToolBarStyler()->ColorHot()->SetColor(clYellow);
  Form->Show();
  TPoint inside = g->ClientToScreen(TPoint(20, 20));
  SetCursorPos(inside.x, inside.y);
  SendMessageW(Page->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(300, 100));
  SendMessageW(g->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(120, 60));
  ASSERT_TRUE(g->Hot());
  SendMessageW(b->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  EXPECT_TRUE(g->Hot());
  TPoint outside = Page->ClientToScreen(TPoint(300, 100));
  SetCursorPos(outside.x, outside.y);
  SendMessageW(Page->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(300, 100));
  EXPECT_FALSE(g->Hot());
}

TEST_F(GroupKeys, TheHoverGlowTimerTicksByItself) {
  TAdvToolBar* g = NewGroup(0);
  g->CurrentToolBarStyler()->ColorHot()->SetColor(clYellow);
  g->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(g));
  EXPECT_TRUE(PumpUntil([&] { return !g->HoverTimerRunning(); }, 10000));
  EXPECT_EQ(g->HoverStep(), 120);
}

}  // namespace

namespace {

// The update bracket counts whether or not the toolbar shows, so a toolbar
// hidden (or shown) between BeginUpdate and EndUpdate lays out and paints
// again once the bracket closes.
TEST_F(GroupKeys, AToolBarHiddenInsideTheUpdateBracketLaysOutAgainAfterIt) {
  for (bool visibleAtBegin : {true, false}) {
    SCOPED_TRACE(visibleAtBegin);
    TAdvToolBar* t = NewToolBar(L"T", 1);
    t->SetParent(Form);
    t->SetVisible(visibleAtBegin);
    t->BeginUpdate();
    t->SetVisible(!visibleAtBegin);
    TAdvToolBarButton* b = AddButton(t, L"Late", 20);
    int laidOut = b->Left();
    t->EndUpdate();
    EXPECT_EQ(t->UpdateCount(), 0);
    t->SetVisible(true);
    PumpFor(30);
    EXPECT_NE(b->Left(), laidOut);  // placed after the first item now
    EXPECT_GE(b->Left(), t->ToolBarControls(0)->Left() + t->ToolBarControls(0)->Width());
    EXPECT_TRUE(IsWindowVisible(t->Handle()));
    t->Free();
  }
}

}  // namespace
