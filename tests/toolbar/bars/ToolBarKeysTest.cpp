// A toolbar's shortcuts (its menu's, then its buttons' actions) and the keys
// that the copy of a compact group types into the page's key tips.
#include "base/ActnList.h"
#include "tests/toolbar/bars/BarsTestSupport.h"
#include "tests/toolbar/bars/MenuBarForm.h"
#include "ui/toolbar/bars/CompactWindow.h"

namespace {

struct ShortCutCase {
  WORD Key;
  bool Ctrl;
  bool ConsiderButtons;
  bool Expected;
  int MenuClicks, ActionRuns, GlowClicks;
};

TEST(ToolBarShortCuts, TheMenuComesFirstThenTheActionsOfTheButtons) {
  ResetToolBarState();
  const ShortCutCase cases[] = {
      {'N', true, false, true, 1, 0, 0},   // the menu's Ctrl+N
      {'N', true, true, true, 1, 0, 0},    // the menu wins over the button
      {'B', true, false, false, 0, 0, 0},  // buttons not asked
      {'B', true, true, true, 0, 1, 0},    // a toolbar button's action
      {'G', true, true, true, 0, 0, 1},    // a glow button's action without OnExecute clicks it
      {'Q', true, true, false, 0, 0, 0},   // nobody's
      {'B', false, true, false, 0, 0, 0},  // B alone is another key
  };
  for (const ShortCutCase& c : cases) {
    TMenuBarForm f = MakeMenuBarForm();
    int menuClicks = 0, actionRuns = 0, glowClicks = 0;
    TMenuItem* item = f.Item(L"New");
    item->SetShortCut(ShortCut('N', TShiftState{TShiftStateItem::ssCtrl}));
    item->OnClick = [&](TObject*) { ++menuClicks; };
    auto* list = new TActionList(f.Form);
    auto* act = new TAction(f.Form);
    act->SetActionList(list);
    act->SetShortCut(ShortCut('B', TShiftState{TShiftStateItem::ssCtrl}));
    act->OnExecute = [&](TObject*) { ++actionRuns; };
    auto* same = new TAction(f.Form);
    same->SetActionList(list);
    same->SetShortCut(ShortCut('N', TShiftState{TShiftStateItem::ssCtrl}));
    same->OnExecute = [&](TObject*) { ++actionRuns; };
    auto* b = new TAdvToolBarButton(f.Form);
    b->SetAction(act);
    b->SetAdvToolBar(f.Bar);
    auto* b2 = new TAdvToolBarButton(f.Form);
    b2->SetAction(same);
    b2->SetAdvToolBar(f.Bar);
    auto* glowAct = new TAction(f.Form);
    glowAct->SetActionList(list);
    glowAct->SetShortCut(ShortCut('G', TShiftState{TShiftStateItem::ssCtrl}));
    auto* g = new TAdvGlowButton(f.Form);
    g->SetAction(glowAct);
    g->SetParent(f.Bar);
    g->OnClick = [&](TObject*) { ++glowClicks; };
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = c.Ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
    bool got = f.Bar->IsShortCut(c.Key, 0, c.ConsiderButtons);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(got, c.Expected) << "key " << char(c.Key) << " ctrl " << c.Ctrl << " buttons " << c.ConsiderButtons;
    EXPECT_EQ(menuClicks, c.MenuClicks) << char(c.Key);
    EXPECT_EQ(actionRuns, c.ActionRuns) << char(c.Key);
    EXPECT_EQ(glowClicks, c.GlowClicks) << char(c.Key);
    f.Form->Free();
  }
  ResetToolBarState();
}

// A page whose typed key-tip text the compact copy adds to.
class TTypingPage : public TTestPage {
 public:
  using TTestPage::TTestPage;
  String PageAddTypedKeyTipChar(wchar_t Ch) override { return Typed += Ch; }
  void PageShowGroupKeyTips() override { ++Shown; }
  String Typed;
  int Shown = 0;
};

// The copy of a compact group, in key-tip mode for its group.
class TCopyToolBar : public TAdvToolBar {
 public:
  using TAdvToolBar::TAdvToolBar;
  void Arm(TAdvCustomToolBar* Group) {
    FSelfClone = Group;
    FCompactShortCutHintShowing = true;
  }
  bool Armed() const { return FCompactShortCutHintShowing; }
};

// A form with a pager, a page with one group, and the group's copy armed
// in a compact window.
struct CompactScene {
  TForm* Form;
  TTypingPage* Page;
  TCopyToolBar* Copy;
  CompactScene() {
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 400, 200);
    Form->Show();
    auto* pager = new TTestPager(Form);
    pager->SetParent(Form);
    pager->SetBounds(0, 0, 400, 120);
    Page = new TTypingPage(Form);
    Page->SetParent(pager);
    Page->SetBounds(0, 0, 400, 120);
    auto* group = new TAdvToolBar(Form);
    group->SetParent(Page);
    Page->Groups.push_back(group);
    auto* window = new TCompactWindow(Form);
    Copy = new TCopyToolBar(Form);
    Copy->SetParent(window);
    Copy->Arm(group);
  }
  ~CompactScene() { Form->Free(); }
};

struct KeyCase {
  WORD Key;
  const wchar_t* Typed;  // what the page's typed text holds after it
  bool StillShowing;
};

TEST(CompactCopyKeys, OnlyLettersDigitsAndKeypadDigitsTypeKeyTipText) {
  ResetToolBarState();
  const KeyCase cases[] = {
      {'K', L"K", true},         {'7', L"7", true},        {VK_NUMPAD0, L"0", true},
      {VK_NUMPAD9, L"9", true},  {VK_F1, L"", false},      {VK_F11, L"", false},
      {VK_SHIFT, L"", true},     {VK_MULTIPLY, L"", false}, {VK_RETURN, L"", false},
  };
  for (const KeyCase& c : cases) {
    CompactScene scene;
    scene.Copy->Perform(WM_KEYDOWN, c.Key, 0);
    EXPECT_EQ(scene.Page->Typed, c.Typed) << "key " << c.Key;
    EXPECT_EQ(scene.Copy->Armed(), c.StillShowing) << "key " << c.Key;
  }
  ResetToolBarState();
}

TEST(CompactCopyKeys, EscapeEndsTheKeyTipsAndShowsThePagesAgain) {
  ResetToolBarState();
  {
    CompactScene scene;
    scene.Copy->Perform(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(scene.Copy->Armed());
    EXPECT_EQ(scene.Page->Shown, 1);
    EXPECT_EQ(scene.Page->Typed, L"");
  }
  ResetToolBarState();
}

}  // namespace
