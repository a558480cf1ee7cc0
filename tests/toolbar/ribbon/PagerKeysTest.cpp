// The pager's keyboard, driven by real key input: ALT and F10 open the tab
// key tips, typed tips select tabs (keypad digits, Shift and function keys
// handled as keys, not as characters), every tip sits at its tab, one tip
// acts once, CTRL+F1 collapses and expands, ALT+letter and the wheel
// select tabs.
#include <vector>

#include "tests/support/Gui.h"
#include "tests/toolbar/ribbon/PagerTestSupport.h"
#include "ui/controls/buttons/ShortCutHint.h"

namespace {

BYTE Scan(WORD Key) { return static_cast<BYTE>(MapVirtualKeyW(Key, MAPVK_VK_TO_VSC)); }
void KeyDown(WORD Key) { keybd_event(static_cast<BYTE>(Key), Scan(Key), 0, 0); }
void KeyUp(WORD Key) { keybd_event(static_cast<BYTE>(Key), Scan(Key), KEYEVENTF_KEYUP, 0); }

// An application button as the pager finds it among its children.
class TAdvShapeButton : public TCustomControl, public IApplicationButtonKeyTip {
  VANTREL_CLASS(TAdvShapeButton)
 public:
  using TCustomControl::TCustomControl;
  String Tip;
  int Clicks = 0;
  std::vector<LPARAM> TipMessages;
  String AppButtonShortCutHint() override { return Tip; }
  void AppButtonKeyTipClick() override { ++Clicks; }
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == 45104) TipMessages.push_back(Message.LParam);
    TCustomControl::Dispatch(Message);
  }
};

struct KeysFixture : PagerFixture {
  void SetUp() override {
    PagerFixture::SetUp();
    for (const wchar_t* c : {L"Home", L"&Insert", L"Layout", L"View"}) AddPage(c);
    SetTips({L"H", L"N", L"R", L"1"});
    Pager->SetActivePageIndex(0);
    PumpFor(10);
    ASSERT_EQ(TAdvToolBarPager::HookPager(), Pager);
    ASSERT_TRUE(FocusForInput(Form, Pager));
  }
  void SetTips(std::vector<const wchar_t*> Tips) {
    for (int i = 0; i < Pager->AdvPageCount(); ++i) Pager->AdvPages(i)->SetShortCutHint(Tips[i]);
  }
  // ALT pressed and released alone: the tab key tips open.
  bool TapAlt() {
    PressKey(VK_MENU);
    return PumpUntil([&] { return Pager->TabShortCutHintShowing(); }, 3000);
  }
  void Type(const std::vector<WORD>& Keys) {
    for (WORD k : Keys) {
      if (k == VK_SHIFT) {
        KeyDown(VK_SHIFT);
        PumpFor(20);
        continue;
      }
      PressKey(k);
      PumpFor(30);
    }
    if (GetKeyState(VK_SHIFT) < 0) KeyUp(VK_SHIFT);
    PumpFor(20);
  }
};

}  // namespace

TEST_F(KeysFixture, TypedKeyTipsSelectTabsByCharacterNotByKeyCode) {
  struct Case {
    std::vector<const wchar_t*> Tips;
    std::vector<WORD> Keys;
    int Active;
    bool StillShowing;
  };
  const Case cases[] = {
      {{L"H", L"N", L"R", L"1"}, {'N'}, 1, false},
      {{L"H", L"N", L"R", L"1"}, {VK_SHIFT, 'R'}, 2, false},  // Shift types nothing
      {{L"H", L"N", L"R", L"1"}, {VK_F3}, 0, true},           // F3's code is that of "r"
      {{L"H", L"N", L"R", L"1"}, {VK_F3, 'R'}, 2, false},
      {{L"H", L"N", L"R", L"1"}, {VK_NUMPAD1}, 3, false},     // keypad digits are digits
      {{L"H", L"N", L"R", L"1"}, {'Z'}, 0, false},            // no tip left
      {{L"FA", L"F", L"R", L"1"}, {'F'}, 1, false},           // the whole tip wins
      {{L"FA", L"FB", L"R", L"1"}, {'F'}, 0, true},           // both still possible
      {{L"FA", L"FB", L"R", L"1"}, {'F', 'B'}, 1, false},
  };
  for (size_t n = 0; n < std::size(cases); ++n) {
    const Case& c = cases[n];
    Pager->HideShortCutHint();
    Pager->SetActivePageIndex(0);
    SetTips(c.Tips);
    ASSERT_TRUE(FocusForInput(Form, Pager)) << n;
    ASSERT_TRUE(TapAlt()) << n;
    EXPECT_GE(Pager->ShortCutHintWindowCount(), 4) << n;
    Type(c.Keys);
    EXPECT_EQ(Pager->ActivePageIndex(), c.Active) << n;
    EXPECT_EQ(Pager->TabShortCutHintShowing(), c.StillShowing) << n;
  }
}

TEST_F(KeysFixture, AltHeldOpensTheTipsWhileHeldAndASecondAltClosesThem) {
  KeyDown(VK_MENU);
  ASSERT_TRUE(PumpUntil([&] { return Pager->TabShortCutHintShowing(); }, 3000));
  EXPECT_LT(GetKeyState(VK_MENU), 0);
  KeyUp(VK_MENU);
  PumpFor(50);
  ASSERT_TRUE(Pager->TabShortCutHintShowing());
  // The release did not put the form into its window menu: typing still
  // reaches the tips.
  Type({'N'});
  EXPECT_EQ(Pager->ActivePageIndex(), 1);

  ASSERT_TRUE(TapAlt());
  PressKey(VK_MENU);
  ASSERT_TRUE(PumpUntil([&] { return !Pager->TabShortCutHintShowing(); }, 3000));
  Type({'R'});
  EXPECT_EQ(Pager->ActivePageIndex(), 1);

  // F10 alone opens them too; ALT with a letter never does.
  PressKey(VK_F10);
  ASSERT_TRUE(PumpUntil([&] { return Pager->TabShortCutHintShowing(); }, 3000));
  Pager->HideShortCutHint();
}

TEST_F(KeysFixture, AltWithALetterSelectsTheTabOfThatAcceleratorWithoutTips) {
  KeyDown(VK_MENU);
  PressKey('I');
  KeyUp(VK_MENU);
  ASSERT_TRUE(PumpUntil([&] { return Pager->ActivePageIndex() == 1; }, 3000));
  PumpFor(150);
  EXPECT_FALSE(Pager->TabShortCutHintShowing());
}

TEST_F(KeysFixture, EveryTabKeyTipSitsAtItsTab) {
  Pager->AdvPages(1)->SetShortCutHintPos(TShortCutHintPos::shpAuto);
  Pager->AdvPages(2)->SetShortCutHintPos(TShortCutHintPos::shpTop);
  ASSERT_TRUE(TapAlt());
  for (int i = 0; i < Pager->AdvPageCount(); ++i) {
    TShortCutHintWindow* w = Pager->AdvPages(i)->ShortCutHintWindow();
    ASSERT_NE(w, nullptr) << i;
    ASSERT_TRUE(w->Visible()) << i;
    TRect tab = Pager->GetTabRect(i);
    TPoint tl = Pager->ClientToScreen(TPoint(tab.left, tab.top));
    int centre = w->Left() + w->Width() / 2;
    EXPECT_GE(centre, tl.x) << i;
    EXPECT_LE(centre, tl.x + tab.Width()) << i;
    EXPECT_GE(w->Top() + w->Height(), tl.y) << i;
    EXPECT_LE(w->Top(), tl.y + tab.Height()) << i;
  }
  Pager->HideShortCutHint();
  EXPECT_EQ(Pager->ShortCutHintWindowCount(), 0);
}

TEST_F(KeysFixture, OneKeyTipActsOnceAndTheApplicationButtonOnlyForItsOwn) {
  auto* button = new TAdvShapeButton(Form);
  button->SetParent(Pager);
  button->SetBounds(2, 2, 30, 30);
  ASSERT_EQ(Pager->FindApplicationButton(), button);
  ASSERT_TRUE(FocusForInput(Form, Pager));

  button->Tip = L"N";  // the same as the Insert tab's
  ASSERT_TRUE(TapAlt());
  EXPECT_EQ(button->TipMessages, (std::vector<LPARAM>{1}));
  Type({'N'});
  EXPECT_EQ(Pager->ActivePageIndex(), 1);
  EXPECT_EQ(button->Clicks, 0);

  button->Tip = L"F";
  Pager->SetActivePageIndex(0);
  ASSERT_TRUE(FocusForInput(Form, Pager));
  ASSERT_TRUE(TapAlt());
  Type({'F'});
  EXPECT_EQ(button->Clicks, 1);
  EXPECT_EQ(Pager->ActivePageIndex(), 0);
  EXPECT_FALSE(Pager->TabShortCutHintShowing());
}

TEST_F(KeysFixture, CtrlF1TogglesOncePerPressAndOnlyWithoutShiftOrAlt) {
  KeyDown(VK_CONTROL);
  KeyDown(VK_F1);
  KeyDown(VK_F1);  // held: the repeat does not toggle again
  KeyUp(VK_F1);
  KeyUp(VK_CONTROL);
  ASSERT_TRUE(PumpUntil([&] { return !Pager->Expanded(); }, 3000));
  PumpFor(50);
  EXPECT_FALSE(Pager->Expanded());

  KeyDown(VK_CONTROL);
  PressKey(VK_F1, true);
  KeyUp(VK_CONTROL);
  PumpFor(100);
  EXPECT_FALSE(Pager->Expanded());

  KeyDown(VK_CONTROL);
  PressKey(VK_F1);
  KeyUp(VK_CONTROL);
  ASSERT_TRUE(PumpUntil([&] { return Pager->Expanded(); }, 3000));
}

TEST_F(KeysFixture, TheWheelOverTheTabsStepsThroughEnabledTabsAndStopsAtTheEnds) {
  Pager->AdvPages(1)->SetTabEnabled(false);
  TRect tab = Pager->GetTabRect(0);
  TPoint p = Pager->ClientToScreen(TPoint(tab.left + 5, tab.top + 5));
  SetCursorPos(p.x, p.y);
  auto wheel = [&](int Delta, int Expected) {
    mouse_event(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(Delta), 0);
    return PumpUntil([&] { return Pager->ActivePageIndex() == Expected; }, 3000);
  };
  EXPECT_TRUE(wheel(-WHEEL_DELTA, 2));
  EXPECT_TRUE(wheel(-WHEEL_DELTA, 3));
  mouse_event(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(-WHEEL_DELTA), 0);
  PumpFor(100);
  EXPECT_EQ(Pager->ActivePageIndex(), 3);
  EXPECT_TRUE(wheel(WHEEL_DELTA, 2));
  EXPECT_TRUE(wheel(WHEEL_DELTA, 0));
  // Off, or on a collapsed ribbon, the wheel does nothing.
  Pager->SetEnableWheel(false);
  mouse_event(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(-WHEEL_DELTA), 0);
  PumpFor(100);
  EXPECT_EQ(Pager->ActivePageIndex(), 0);
}
