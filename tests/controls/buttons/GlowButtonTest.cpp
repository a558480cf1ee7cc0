#include <gtest/gtest.h>

#include <memory>

#include "base/FileStreams.h"
#include "base/Menus.h"
#include "base/StdCtrls.h"
#include "tests/controls/buttons/ButtonTestSupport.h"
#include "tests/draw/DrawTestSupport.h"
#include "tests/controls/menus/MenuDriver.h"
#include "tests/support/Gui.h"
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/draw/GdipPicture.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

using namespace GlowButton;
using ABS = TAdvButtonState;

namespace {

// A popup menu that records where it was asked to show instead of running
// the platform's menu loop.
class TRecordingMenu : public TPopupMenu {
 public:
  using TPopupMenu::TPopupMenu;
  std::vector<TPoint> Shown;
  std::function<void()> WhileShown;
  void Popup(int X, int Y) override {
    Shown.push_back(TPoint(X, Y));
    if (WhileShown) WhileShown();
  }
};

struct Glow : ::testing::Test {
  TForm* Form = nullptr;
  TAdvGlowButton* B = nullptr;
  int Clicks = 0;

  void SetUp() override {
    ResetGlowButtonGlobals();
    Form = MakeTestForm(400, 300);
    B = NewButton(20, 20);
    B->OnClick = [this](TObject*) { ++Clicks; };
  }
  void TearDown() override {
    Form->Free();
    ResetGlowButtonGlobals();
    ResetToolBarRuntime();
  }
  TAdvGlowButton* NewButton(int X, int Y) {
    auto* b = new TAdvGlowButton(Form);
    b->SetParent(Form);
    b->SetBounds(X, Y, 100, 41);
    b->SetCaption(L"Go");
    PumpFor(5);
    return b;
  }
  static LPARAM Pt(int x, int y) { return MAKELPARAM(static_cast<WORD>(static_cast<int16_t>(x)), static_cast<WORD>(static_cast<int16_t>(y))); }
  // Real mouse messages to the button's window, the pointer put there first.
  void Move(TAdvCustomGlowButton* b, int x, int y) {
    TPoint s = b->ClientToScreen(TPoint(x, y));
    SetCursorPos(s.x, s.y);
    SendMessageW(b->Handle(), WM_MOUSEMOVE, 0, Pt(x, y));
  }
  void Down(TAdvCustomGlowButton* b, int x, int y) {
    Move(b, x, y);
    SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Pt(x, y));
  }
  void Up(TAdvCustomGlowButton* b, int x, int y) {
    TPoint s = b->ClientToScreen(TPoint(x, y));
    SetCursorPos(s.x, s.y);
    SendMessageW(b->Handle(), WM_LBUTTONUP, 0, Pt(x, y));
  }
  void ClickAt(TAdvCustomGlowButton* b, int x = 30, int y = 20) {
    Down(b, x, y);
    Up(b, x, y);
  }
  // Keys as the message loop hands them: CN_KEYDOWN first, then the
  // control's own messages unless consumed.
  void Key(TWinControl* c, WORD vk, wchar_t ch = 0) {
    if (!c->Perform(CN_KEYDOWN, vk, 0)) {
      c->Perform(WM_KEYDOWN, vk, 0);
      if (ch) c->Perform(WM_CHAR, ch, 0);
    }
    c->Perform(WM_KEYUP, vk, 0xC0000000);
  }
  TColor Px(TWinControl* c, int x, int y) {
    std::unique_ptr<TBitmap> bmp(PaintToBitmap(c));
    return PixelAt(bmp.get(), x, y);
  }
  // Solid colours per set, so that painted pixels tell the set apart.
  static void SolidSets(TGlowButtonAppearance* a) {
    auto set = [](TColor c, auto f1, auto f2, auto f3, auto f4, TGlowButtonAppearance* ap) {
      (ap->*f1)(c), (ap->*f2)(c), (ap->*f3)(c), (ap->*f4)(c);
    };
    using A = TGlowButtonAppearance;
    set(0x0000C0, &A::SetColor, &A::SetColorTo, &A::SetColorMirror, &A::SetColorMirrorTo, a);
    set(0x00C000, &A::SetColorHot, &A::SetColorHotTo, &A::SetColorMirrorHot, &A::SetColorMirrorHotTo, a);
    set(0xC00000, &A::SetColorDown, &A::SetColorDownTo, &A::SetColorMirrorDown, &A::SetColorMirrorDownTo, a);
    set(0xC0C000, &A::SetColorChecked, &A::SetColorCheckedTo, &A::SetColorMirrorChecked, &A::SetColorMirrorCheckedTo,
        a);
    set(0x808080, &A::SetColorDisabled, &A::SetColorDisabledTo, &A::SetColorMirrorDisabled,
        &A::SetColorMirrorDisabledTo, a);
    a->SetGradient(TGDIPGradient::ggVertical);
    a->SetGradientMirror(TGDIPGradient::ggVertical);
    a->SetGradientHot(TGDIPGradient::ggVertical);
    a->SetGradientMirrorHot(TGDIPGradient::ggVertical);
    a->SetGradientDown(TGDIPGradient::ggVertical);
    a->SetGradientMirrorDown(TGDIPGradient::ggVertical);
    a->SetGradientChecked(TGDIPGradient::ggVertical);
    a->SetGradientMirrorChecked(TGDIPGradient::ggVertical);
    a->SetGradientDisabled(TGDIPGradient::ggVertical);
    a->SetGradientMirrorDisabled(TGDIPGradient::ggVertical);
  }
};

// ---------------------------------------------------------------------------
// The control

TEST_F(Glow, Defaults) {
  EXPECT_EQ(B->Width(), 100);
  EXPECT_EQ(B->Height(), 41);
  EXPECT_TRUE(B->ShowCaption());
  EXPECT_EQ(B->ImageIndex(), -1);
  EXPECT_TRUE(B->Rounded());
  EXPECT_EQ(B->Spacing(), 2);
  EXPECT_EQ(B->MarginHorz(), 1);
  EXPECT_EQ(B->MarginVert(), 1);
  EXPECT_EQ(B->Version(), L"2.4.5.3");
  B->SetVersion(L"9.9.9.9");
  EXPECT_EQ(B->Version(), L"2.4.5.3");
  EXPECT_EQ(B->NotesFont()->Name(), L"Tahoma");
  EXPECT_EQ(B->NotesFont()->Size(), 8);
  EXPECT_TRUE(B->DropDownSplit());
  EXPECT_EQ(B->ComponentStyle(), TKelStyle::tsCustom);
  EXPECT_FALSE(B->TabStop());
}

TEST_F(Glow, ClickInsideClicksOnceAndOutsideNot) {
  ClickAt(B);
  EXPECT_EQ(Clicks, 1);
  Down(B, 30, 20);
  Up(B, 130, 20);
  EXPECT_EQ(Clicks, 1);
  // Two quick presses are two clicks: no double-click message is asked for.
  ClickAt(B);
  ClickAt(B);
  EXPECT_EQ(Clicks, 3);
  EXPECT_FALSE(GetClassLongPtrW(B->Handle(), GCL_STYLE) & CS_DBLCLKS);
}

TEST_F(Glow, PushButtonIsNeverDown) {
  B->SetDown(true);
  EXPECT_FALSE(B->Down());
}

TEST_F(Glow, CheckButtonToggling) {
  B->SetStyle(TAdvButtonStyle::bsCheck);
  ClickAt(B);
  EXPECT_TRUE(B->Down());
  EXPECT_EQ(B->State(), ABS::absDown);
  ClickAt(B);
  EXPECT_FALSE(B->Down());
  // Toggled down by the press, released outside: back up.
  Down(B, 30, 20);
  EXPECT_TRUE(B->Down());
  Up(B, 30, 60);
  EXPECT_FALSE(B->Down());
  // Pressed while down (toggled up), released outside: stays up.
  B->SetDown(true);
  Down(B, 30, 20);
  Up(B, 30, 60);
  EXPECT_FALSE(B->Down());
  EXPECT_EQ(Clicks, 2);
}

// Exclusive groups across two and three buttons.
TEST_F(Glow, ExclusiveGroupsOfTwoAndThree) {
  TAdvGlowButton* b2 = NewButton(130, 20);
  TAdvGlowButton* b3 = NewButton(240, 20);
  TAdvGlowButton* other = NewButton(20, 80);
  for (TAdvGlowButton* b : {B, b2, b3}) b->SetGroupIndex(1);
  other->SetGroupIndex(2);
  other->SetDown(true);
  struct Step {
    TAdvGlowButton* Press;
    bool D1, D2, D3;
  } steps[] = {
      {B, true, false, false},
      {b2, false, true, false},
      {b3, false, false, true},
      {b3, false, false, true},  // a down member stays down (AllowAllUp off)
      {B, true, false, false},
  };
  for (const Step& s : steps) {
    ClickAt(s.Press);
    EXPECT_EQ(B->Down(), s.D1);
    EXPECT_EQ(b2->Down(), s.D2);
    EXPECT_EQ(b3->Down(), s.D3);
    EXPECT_TRUE(other->Down());  // another group is never touched
  }
  EXPECT_EQ(b2->State(), ABS::absUp);
  EXPECT_EQ(B->State(), ABS::absExclusive);
  // The setter cannot release a member either, unless all may be up.
  B->SetDown(false);
  EXPECT_TRUE(B->Down());
  B->SetAllowAllUp(true);
  ClickAt(B);
  EXPECT_FALSE(B->Down());
  // Two of a group: setting the second down releases the first.
  b2->SetDown(true);
  b3->SetDown(true);
  EXPECT_FALSE(b2->Down());
  EXPECT_TRUE(b3->Down());
}

TEST_F(Glow, SpaceOnADownGroupMemberFollowsTheDownRules) {
  TAdvGlowButton* b2 = NewButton(130, 20);
  B->SetGroupIndex(3);
  b2->SetGroupIndex(3);
  B->SetDown(true);
  Key(B, VK_SPACE, L' ');
  EXPECT_TRUE(B->Down());  // AllowAllUp off: stays down
  EXPECT_EQ(B->State(), ABS::absExclusive);
  Key(b2, VK_SPACE, L' ');
  EXPECT_TRUE(b2->Down());
  EXPECT_FALSE(B->Down());
  b2->SetAllowAllUp(true);
  Key(b2, VK_SPACE, L' ');
  EXPECT_FALSE(b2->Down());
}

TEST_F(Glow, SpaceShowsThePressThenClicksThroughTheClickPath) {
  auto* action = new TAction(Form);
  int executed = 0;
  action->OnExecute = [&](TObject*) { ++executed; };
  B->SetAction(action);
  B->SetModalResult(mrOk);
  int internal = 0;
  B->FOnInternalClick = [&](TObject*) { ++internal; };
  B->Perform(WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(B->State(), ABS::absDown);
  B->Perform(WM_CHAR, L' ', 0);
  EXPECT_EQ(executed, 1);   // the action runs, as for the mouse
  EXPECT_EQ(internal, 1);
  EXPECT_EQ(Form->ModalResult(), mrOk);
  B->Perform(WM_KEYUP, VK_SPACE, 0xC0000000);
  EXPECT_EQ(B->State(), ABS::absUp);
  Form->SetModalResult(mrNone);
}

// An ungrouped check button toggles by key as by mouse, also when an
// AutoCheck action owns the checked state.
TEST_F(Glow, KeyboardTogglesAnUngroupedCheckButtonAsTheMouseDoes) {
  for (bool byKey : {false, true}) {
    for (bool autoCheck : {false, true}) {
      SCOPED_TRACE(testing::Message() << "key " << byKey << " autoCheck " << autoCheck);
      TAdvGlowButton* b = NewButton(20, 100);
      b->SetStyle(TAdvButtonStyle::bsCheck);
      int clicks = 0;
      TAction* action = nullptr;
      if (autoCheck) {
        action = new TAction(Form);
        action->SetAutoCheck(true);
        action->OnExecute = [&](TObject*) { ++clicks; };
        b->SetAction(action);
      } else {
        b->OnClick = [&](TObject*) { ++clicks; };
      }
      auto press = [&] {
        if (byKey)
          Key(b, VK_SPACE, L' ');
        else
          ClickAt(b);
      };
      press();
      EXPECT_TRUE(b->Down());
      EXPECT_EQ(clicks, 1);
      if (action) EXPECT_TRUE(action->Checked());
      b->Repaint();
      EXPECT_EQ(b->State(), ABS::absDown);
      press();
      EXPECT_FALSE(b->Down());
      EXPECT_EQ(clicks, 2);
      if (action) EXPECT_FALSE(action->Checked());
      b->Free();
      if (action) action->Free();
    }
  }
}

TEST_F(Glow, EnterOnTheFocusedButtonClicksOnce) {
  auto* edit = new TEdit(Form);
  edit->SetParent(Form);
  edit->SetBounds(20, 200, 100, 20);
  TAdvGlowButton* other = NewButton(130, 20);
  int otherClicks = 0;
  other->OnClick = [&](TObject*) { ++otherClicks; };
  B->SetDefault(true);
  B->RecreateWnd();  // Default takes effect when the window is made
  PumpFor(5);
  ASSERT_TRUE(FocusForInput(Form, edit));
  Key(edit, VK_RETURN, L'\r');
  EXPECT_EQ(Clicks, 1);  // the default button
  ASSERT_TRUE(FocusForInput(Form, other));
  Key(other, VK_RETURN, L'\r');
  EXPECT_EQ(otherClicks, 1);  // the focused glow button, once
  EXPECT_EQ(Clicks, 1);
}

TEST_F(Glow, EscapePressesTheCancelButton) {
  auto* edit = new TEdit(Form);
  edit->SetParent(Form);
  B->SetCancel(true);
  ASSERT_TRUE(FocusForInput(Form, edit));
  Key(edit, VK_ESCAPE, 0x1B);
  EXPECT_EQ(Clicks, 1);
}

TEST_F(Glow, AcceleratorsAndTheToolBarParent) {
  B->SetCaption(L"&Send");
  EXPECT_NE(Form->Perform(CM_DIALOGCHAR, L's', 0x20000000), 0);  // Alt+S
  EXPECT_EQ(Clicks, 1);
  EXPECT_NE(Form->Perform(CM_DIALOGCHAR, L'S', 0), 0);  // the letter alone too
  EXPECT_EQ(Clicks, 2);
  EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, L'x', 0x20000000), 0);
  // The hint's accelerator counts as well.
  B->SetCaption(L"Send");
  B->SetHint(L"&Post it");
  Form->Perform(CM_DIALOGCHAR, L'p', 0x20000000);
  EXPECT_EQ(Clicks, 3);
}

// A container whose class name is that of the docking toolbar.
class TAdvToolBar : public TCustomControl {
  VANTREL_CLASS(TAdvToolBar)
 public:
  explicit TAdvToolBar(TComponent* AOwner) : TCustomControl(AOwner) {
    FControlStyle.Include(TControlStyleItem::csAcceptsControls);
  }
};

TEST_F(Glow, OnAToolBarOnlyAltLetterTriggers) {
  auto* bar = new TAdvToolBar(Form);
  bar->SetParent(Form);
  bar->SetBounds(0, 100, 300, 50);
  B->SetParent(bar);
  B->SetCaption(L"&Send");
  Form->Perform(CM_DIALOGCHAR, L's', 0);
  EXPECT_EQ(Clicks, 0);
  Form->Perform(CM_DIALOGCHAR, L's', 0x20000000);
  EXPECT_EQ(Clicks, 1);
}

// ---------------------------------------------------------------------------
// Drop-down

TEST_F(Glow, SplitDropDownPartDropsWithoutPressLookAndMainPartClicks) {
  auto* menu = new TRecordingMenu(Form);
  B->SetDropDownButton(true);
  B->SetDropDownMenu(menu);
  int drops = 0;
  B->OnDropDown = [&](TObject*) { ++drops; };
  ABS seen = ABS::absUp;
  bool downSeen = true;
  menu->WhileShown = [&] {
    seen = B->State();
    downSeen = B->DroppedDown();
  };
  Down(B, 100 - 14, 20);  // not beyond Width - 14: the main part
  Up(B, 100 - 14, 20);
  EXPECT_EQ(Clicks, 1);
  EXPECT_TRUE(menu->Shown.empty());
  Down(B, 100 - 13, 20);  // on the drop-down part
  EXPECT_EQ(drops, 1);
  ASSERT_EQ(menu->Shown.size(), 1u);
  EXPECT_EQ(menu->PopupComponent(), B);
  EXPECT_TRUE(downSeen);
  EXPECT_NE(seen, ABS::absDown);
  EXPECT_FALSE(B->DroppedDown());
  Up(B, 100 - 13, 20);
  EXPECT_EQ(Clicks, 1);
}

TEST_F(Glow, WholeButtonDropDownPlacesTheMenuByDirectionAndAlignment) {
  auto* menu = new TRecordingMenu(Form);
  B->SetDropDownButton(true);
  B->SetDropDownSplit(false);
  B->SetDropDownMenu(menu);
  TPoint bottomLeft = Form->ClientToScreen(TPoint(20, 20 + 41));
  struct Case {
    TDropDownDirection Dir;
    TPopupAlignment Align;
    TPoint Want;
  } cases[] = {
      {TDropDownDirection::ddDown, TPopupAlignment::paLeft, bottomLeft},
      {TDropDownDirection::ddUp, TPopupAlignment::paLeft, bottomLeft},
      {TDropDownDirection::ddDown, TPopupAlignment::paRight, TPoint(bottomLeft.x + 100, bottomLeft.y)},
      {TDropDownDirection::ddDown, TPopupAlignment::paCenter, TPoint(bottomLeft.x + 50, bottomLeft.y)},
      {TDropDownDirection::ddRight, TPopupAlignment::paLeft, Form->ClientToScreen(TPoint(120, 20))},
  };
  for (const Case& c : cases) {
    B->SetDropDownDirection(c.Dir);
    menu->SetAlignment(c.Align);
    menu->Shown.clear();
    ClickAt(B, 10, 10);
    ASSERT_EQ(menu->Shown.size(), 1u);
    EXPECT_EQ(menu->Shown[0], c.Want) << static_cast<int>(c.Dir) << " " << static_cast<int>(c.Align);
  }
  EXPECT_EQ(Clicks, 0);  // a whole-button drop does not click
  // F4 drops too, Ctrl+F4 does not.
  menu->Shown.clear();
  B->Perform(WM_KEYDOWN, VK_F4, 0);
  EXPECT_EQ(menu->Shown.size(), 1u);
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  B->Perform(WM_KEYDOWN, VK_F4, 0);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(menu->Shown.size(), 1u);
}

TEST_F(Glow, RemovedMenuIsForgottenAndAPressDropsNothing) {
  auto* menu = new TRecordingMenu(Form);
  B->SetDropDownButton(true);
  B->SetDropDownSplit(false);
  B->SetDropDownMenu(menu);
  int drops = 0;
  B->OnDropDown = [&](TObject*) { ++drops; };
  menu->Free();
  EXPECT_EQ(B->DropDownMenu(), nullptr);
  ClickAt(B);
  EXPECT_EQ(drops, 1);  // the event still fires
}

TEST_F(Glow, RealMenuRunsUntilClosedAndItsItemClicksAfter) {
  auto* menu = new TPopupMenu(Form);
  auto* item = new TMenuItem(menu);
  item->SetCaption(L"Pattern");
  int itemClicks = 0;
  item->OnClick = [&](TObject*) { ++itemClicks; };
  menu->Items()->Add(item);
  B->SetDropDownButton(true);
  B->SetDropDownSplit(false);
  B->SetDropDownMenu(menu);
  TMenuIdleHook hook([](HWND) {
    PostMenuKey(VK_DOWN);
    PostMenuKey(VK_RETURN);
  });
  Down(B, 30, 20);  // the menu's loop takes the release
  EXPECT_TRUE(hook.Ran());
  EXPECT_FALSE(hook.TimedOut());
  PumpUntil([&] { return itemClicks == 1; }, 2000);
  EXPECT_EQ(itemClicks, 1);
  EXPECT_FALSE(B->DroppedDown());
  EXPECT_FALSE(B->Hot());
}

// The menu's loop keeps the pointer's moves; back on the button after it
// closed, the next move makes the button hot again.
TEST_F(Glow, HotAgainWhenThePointerMovesOnTheButtonAfterItsMenu) {
  auto* menu = new TRecordingMenu(Form);
  B->SetDropDownButton(true);
  B->SetDropDownSplit(false);
  B->SetDropDownMenu(menu);
  Down(B, 30, 20);  // the menu ran and closed inside this press
  ASSERT_EQ(menu->Shown.size(), 1u);
  EXPECT_FALSE(B->Hot());
  Move(B, 34, 22);
  EXPECT_TRUE(B->Hot());
  // And leaves as usual.
  B->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(B));
  EXPECT_FALSE(B->Hot());
}

TEST_F(Glow, InvokeClickDropsOrTogglesAndClicks) {
  auto* menu = new TRecordingMenu(Form);
  B->SetStyle(TAdvButtonStyle::bsCheck);
  B->InvokeClick();
  EXPECT_TRUE(B->Down());
  EXPECT_EQ(Clicks, 1);
  B->SetStyle(TAdvButtonStyle::bsButton);
  B->SetDropDownButton(true);
  B->SetDropDownSplit(false);
  B->SetDropDownMenu(menu);
  B->InvokeClick();
  EXPECT_EQ(menu->Shown.size(), 1u);
  EXPECT_EQ(Clicks, 1);
}

// ---------------------------------------------------------------------------
// Glow animation, repeat clicks

TEST_F(Glow, HoverGlowRisesInSixTicksThenTheTimerGoes) {
  Move(B, 30, 20);
  ASSERT_TRUE(B->Hot());
  ASSERT_TRUE(B->GlowTimerRunning());
  for (int i = 1; i <= 5; ++i) {
    B->GlowTimerTick(nullptr);
    EXPECT_EQ(B->HoverStep(), 20 * i);
    EXPECT_TRUE(B->GlowTimerRunning());
  }
  B->GlowTimerTick(nullptr);
  EXPECT_EQ(B->HoverStep(), 100);
  EXPECT_FALSE(B->GlowTimerRunning());
  // Leaving fades from full.
  Move(B, 30, 60);
  SendMessageW(B->Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(B->Hot());
  EXPECT_TRUE(B->GlowTimerRunning());
  B->GlowTimerTick(nullptr);
  EXPECT_EQ(B->HoverStep(), 80);
}

TEST_F(Glow, ColorTonesStopEveryButtonsGlow) {
  TAdvGlowButton* b2 = NewButton(130, 20);
  TColorTones tones{};
  B->SetColorTones(tones);
  EXPECT_EQ(GetGlowInterval(), 0);
  Move(b2, 30, 20);
  EXPECT_TRUE(b2->Hot());
  EXPECT_FALSE(b2->GlowTimerRunning());
}

TEST_F(Glow, RepeatClicksWhileHeldAndStopsOnAnException) {
  B->SetRepeatClick(true);
  Down(B, 30, 20);
  TTimer* repeat = nullptr;
  for (int i = 0; i < B->ComponentCount(); ++i)
    if (auto* t = dynamic_cast<TTimer*>(B->Components(i)); t && t->Interval() == 400) repeat = t;
  ASSERT_NE(repeat, nullptr);
  repeat->Tick();
  EXPECT_EQ(repeat->Interval(), 100u);
  repeat->Tick();
  EXPECT_EQ(Clicks, 2);
  B->OnClick = [](TObject*) { throw Exception(L"stop"); };
  EXPECT_THROW(repeat->Tick(), Exception);
  EXPECT_FALSE(repeat->Enabled());
  B->OnClick = [this](TObject*) { ++Clicks; };
  Up(B, 30, 20);
  EXPECT_EQ(Clicks, 3);
}

// ---------------------------------------------------------------------------
// Painting

TEST_F(Glow, PaintsTheColourSetOfItsState) {
  SolidSets(B->Appearance());
  B->SetRounded(false);
  B->SetCaption(L"");
  EXPECT_EQ(Px(B, 50, 10), 0x0000C0);
  Move(B, 30, 20);
  for (int i = 0; i < 6; ++i) B->GlowTimerTick(nullptr);  // fully hot
  EXPECT_EQ(Px(B, 50, 10), 0x00C000);
  SendMessageW(B->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Pt(30, 20));
  for (int i = 0; i < 6; ++i) B->GlowTimerTick(nullptr);
  EXPECT_EQ(Px(B, 50, 10), 0xC00000);  // pressed
  Up(B, 30, 20);
  B->SetEnabled(false);
  EXPECT_EQ(Px(B, 50, 10), 0x808080);
  B->SetShowDisabled(false);  // the set of its state instead
  SendMessageW(B->Handle(), WM_MOUSELEAVE, 0, 0);
  while (B->GlowTimerRunning()) B->GlowTimerTick(nullptr);
  EXPECT_EQ(Px(B, 50, 10), 0x0000C0);
}

TEST_F(Glow, AMaskedImageListGlyphShowsOnlyItsShapeEnabledOrDisabled) {
  SolidSets(B->Appearance());
  B->SetRounded(false);
  B->SetCaption(L"");
  struct Case {
    TColorDepth Depth;
    bool Enabled;
    TColor Face;
  } cases[] = {{TColorDepth::cd24Bit, true, 0x0000C0}, {TColorDepth::cd24Bit, false, 0x808080},
               {TColorDepth::cd32Bit, true, 0x0000C0}, {TColorDepth::cd32Bit, false, 0x808080}};
  for (const Case& c : cases) {
    // A red 8 x 8 square in the middle of a 16 x 16 picture keyed lime.
    auto* list = new TImageList(Form, 16, 16);
    list->SetColorDepth(c.Depth);
    TBitmap pic(16, 16, TPixelFormat::pf24bit);
    pic.Canvas()->Brush()->SetColor(0x00FF00);
    pic.Canvas()->FillRect(TRect(0, 0, 16, 16));
    pic.Canvas()->Brush()->SetColor(0x0000FF);
    pic.Canvas()->FillRect(TRect(4, 4, 12, 12));
    list->AddMasked(&pic, 0x00FF00);
    B->SetImages(list);
    B->SetImageIndex(0);
    B->SetEnabled(c.Enabled);
    std::unique_ptr<TBitmap> bmp(PaintToBitmap(B));
    // Inside the border only the square differs from the face, never as
    // black; disabled it is grey.
    int shape = 0, dark = 0, red = 0;
    for (int y = 4; y < B->Height() - 4; ++y)
      for (int x = 4; x < B->Width() - 4; ++x) {
        TColor p = PixelAt(bmp.get(), x, y);
        if (Near(p, c.Face, 12)) continue;
        ++shape;
        dark += Near(p, clBlack, 16);
        red += (p & 0xFF) > ((p >> 16) & 0xFF) + 32;
      }
    EXPECT_EQ(shape, 8 * 8) << static_cast<int>(c.Depth) << " enabled " << c.Enabled;
    EXPECT_EQ(dark, 0) << static_cast<int>(c.Depth) << " enabled " << c.Enabled;
    EXPECT_EQ(red, c.Enabled ? 8 * 8 : 0) << static_cast<int>(c.Depth) << " enabled " << c.Enabled;
    B->SetImages(nullptr);
    list->Free();
  }
}

TEST_F(Glow, DownCheckButtonShowsTheCheckedSetAndTextColour) {
  SolidSets(B->Appearance());
  B->SetRounded(false);
  B->SetStyle(TAdvButtonStyle::bsCheck);
  B->SetDown(true);
  B->SetCaption(L"");
  EXPECT_EQ(Px(B, 50, 10), 0xC0C000);
}

TEST_F(Glow, RoundedCornersShowTheParentExceptOnMiddleButtons) {
  Form->SetColor(0x00FF00);
  SolidSets(B->Appearance());
  B->SetCaption(L"");
  EXPECT_EQ(Px(B, 0, 0), 0x00FF00);
  EXPECT_EQ(Px(B, 99, 40), 0x00FF00);
  B->SetPosition(TButtonPosition::bpLeft);
  EXPECT_EQ(Px(B, 0, 40), 0x00FF00);
  EXPECT_NE(Px(B, 99, 0), 0x00FF00);
  B->SetPosition(TButtonPosition::bpMiddle);
  EXPECT_NE(Px(B, 0, 0), 0x00FF00);
  EXPECT_NE(Px(B, 99, 40), 0x00FF00);
}

TEST_F(Glow, TransparentButtonShowsItsParentUntilHot) {
  Form->SetColor(0x00FF00);
  SolidSets(B->Appearance());
  B->SetTransparent(true);
  B->SetCaption(L"");
  EXPECT_EQ(Px(B, 50, 20), 0x00FF00);
  Move(B, 30, 20);
  for (int i = 0; i < 6; ++i) B->GlowTimerTick(nullptr);
  EXPECT_EQ(Px(B, 50, 20), 0x00C000);
}

TEST_F(Glow, AnExceptionWhilePaintingGoesToTheApplication) {
  std::unique_ptr<TGDIPPicture> pic(PictureFromBytes(MakePng(8, 8, 0xFF0000)));
  B->SetPicture(pic.get());
  String seen;
  Application->OnException = [&](TObject*, const Exception& e) { seen = e.Message(); };
  SetGlobalAllocator([](UINT, SIZE_T) -> HGLOBAL { return nullptr; });
  B->Invalidate();
  UpdateWindow(B->Handle());
  SetGlobalAllocator(nullptr);
  Application->OnException = nullptr;
  EXPECT_EQ(seen, L"Could not allocate memory for image");
  // The paint mark went with the exception: painting works again.
  B->SetCaption(L"");
  std::unique_ptr<TBitmap> bmp(PaintToBitmap(B));
  EXPECT_EQ(PixelAt(bmp.get(), 50, 20), 0xFF0000);
}

// ---------------------------------------------------------------------------
// Size

TSize TextSize(TFont* Font, const String& s) {
  TBitmap b(10, 10);
  b.Canvas()->Font()->Assign(Font);
  TRect r(0, 0, 4096, 0);
  int h = b.Canvas()->TextRect(r, s, DT_CALCRECT | DT_WORDBREAK);
  return TSize(r.Width(), h);
}

TEST_F(Glow, AutoSizeFollowsTheMeasuredCaption) {
  B->SetAntiAlias(TAntiAlias::aaNone);
  B->Appearance()->SetSystemFont(false);
  B->SetCaption(L"A");
  B->SetAutoSize(true);
  TSize t = TextSize(B->Font(), L"A");
  // 3 x Spacing + (text + Spacing) + 2 + 2 x MarginHorz.
  EXPECT_EQ(B->Width(), 3 * 2 + (t.cx + 2) + 2 + 2);
  EXPECT_EQ(B->Height(), 2 * 2 + (t.cy + 2) + 2);
  B->SetCaption(L"");
  B->SetWideCaption(L" ");
  B->SetWideCaption(L"");  // a size update without caption measures "!"
  TSize x = TextSize(B->Font(), L"!");
  EXPECT_EQ(B->Width(), (x.cx + 2) - 1 + 2);
}

// Constraints bound every size the button takes: set from outside, by
// AutoSize, and when they change.
TEST_F(Glow, ConstraintsBoundTheSize) {
  B->Constraints()->SetMaxWidth(80);
  EXPECT_EQ(B->Width(), 80);  // re-applied at once
  B->Constraints()->SetMinHeight(50);
  EXPECT_EQ(B->Height(), 50);
  struct Case {
    int W, H, WantW, WantH;
  } cases[] = {{200, 20, 80, 50}, {30, 60, 30, 60}, {80, 50, 80, 50}};
  for (const Case& c : cases) {
    B->SetBounds(20, 20, c.W, c.H);
    EXPECT_EQ(B->Width(), c.WantW) << c.W;
    EXPECT_EQ(B->Height(), c.WantH) << c.H;
    RECT r;
    GetWindowRect(B->Handle(), &r);
    EXPECT_EQ(r.right - r.left, c.WantW);
  }
  // A long caption measured with AutoSize still stops at MaxWidth.
  B->Appearance()->SetSystemFont(false);
  B->SetCaption(L"A rather long caption for a small button");
  B->SetAutoSize(true);
  EXPECT_EQ(B->Width(), 80);
  B->SetAutoSize(false);
  // Turning the drop-down part on re-applies them as well.
  B->Constraints()->SetMaxWidth(0);
  B->Constraints()->SetMinWidth(90);
  B->SetBounds(20, 20, 90, 50);
  B->Constraints()->OnChange = nullptr;  // only the setter may adjust now
  B->Constraints()->SetMinWidth(120);
  EXPECT_EQ(B->Width(), 90);
  B->SetDropDownButton(true);
  EXPECT_EQ(B->Width(), 120);
}

// A button made at run time (never loaded) knows the system too: with
// SystemFont its caption is drawn in the system's font.
TEST_F(Glow, SystemFontOfAButtonMadeAtRunTime) {
  auto widthWith = [&](bool vista, bool systemFont, const String& name) {
    SetIsVistaOrLaterSource(vista ? +[] { return true; } : +[] { return false; });
    TAdvGlowButton* b = NewButton(20, 100);
    b->Font()->SetName(name);
    b->SetAntiAlias(TAntiAlias::aaNone);
    b->Appearance()->SetSystemFont(systemFont);
    b->SetCaption(L"Wide Measured Words");
    b->SetAutoSize(true);
    int w = b->Width();
    b->Free();
    SetIsVistaOrLaterSource(nullptr);
    return w;
  };
  int segoe = widthWith(true, false, L"Segoe UI");
  int tahoma = widthWith(false, false, L"Tahoma");
  EXPECT_EQ(widthWith(true, true, L"Courier New"), segoe);
  EXPECT_EQ(widthWith(false, true, L"Courier New"), tahoma);
  if (segoe == tahoma) GTEST_SKIP() << "the two system fonts measure alike here";
}

TEST_F(Glow, CalcButtonSizeForTheGlyphStateDropsTheCaption) {
  auto* list = MakeImageList(Form, 16, 16, {0x0000FF});
  B->SetAntiAlias(TAntiAlias::aaNone);
  B->Appearance()->SetSystemFont(false);
  B->SetImages(list);
  B->SetImageIndex(0);
  B->SetCaption(L"A long caption");
  B->SetAutoSize(true);
  TSize s;
  B->CalcButtonSize(TButtonSizeState::bsGlyph, s);
  TSize x = TextSize(B->Font(), L"!");  // no caption: "!" is measured
  EXPECT_EQ(s.cx, x.cx + 16 + 2 + 3 * 2 + 2 * 1 + 2);
  EXPECT_EQ(s.cy, Max<LONG>(x.cy + 2, 18) + 2 * 2 + 2 * 1);
}

TEST_F(Glow, SizeStatesRestoreLayoutAndDropDownPosition) {
  B->SetAutoSize(true);
  B->SetLayout(TButtonLayout::blGlyphTop);
  B->SetDropDownPosition(TDropDownPosition::dpBottom);
  B->SetButtonSizeState(TButtonSizeState::bsLabel);
  EXPECT_EQ(B->Layout(), TButtonLayout::blGlyphLeft);
  EXPECT_EQ(B->DropDownPosition(), TDropDownPosition::dpRight);
  int labelWidth = B->Width();
  B->SetButtonSizeState(TButtonSizeState::bsGlyph);
  EXPECT_LT(B->Width(), labelWidth);  // resized at once, without its caption
  B->SetButtonSizeState(TButtonSizeState::bsLarge);
  EXPECT_EQ(B->Layout(), TButtonLayout::blGlyphTop);
  EXPECT_EQ(B->DropDownPosition(), TDropDownPosition::dpBottom);
  B->SetMinButtonSizeState(TButtonSizeState::bsLarge);
  EXPECT_EQ(B->ButtonSizeState(), TButtonSizeState::bsLarge);
}

// ---------------------------------------------------------------------------
// Styles and tones

TEST_F(Glow, StylesTable) {
  struct Case {
    TKelStyle Style;
    TColor Color, ColorTo, BorderColor;
    bool Rounded, TranspHover;
  } cases[] = {
      {TKelStyle::tsOffice2003Blue, 0xEEDBC8, 0xF6DDC9, 0xE0B99B, true, false},
      {TKelStyle::tsOffice2007Obsidian, 0xDFDED6, 0xE4E2DB, 0xC0BCB2, true, false},
      {TKelStyle::tsWindowsXP, 0xFFFFFF, 0xB9D8DC, 0xB9D8DC, true, false},
      {TKelStyle::tsOffice2010Black, 0xBFBFBF, 0x919191, 0x6D6D6D, true, true},
      {TKelStyle::tsWindows8, 0xF7F6F5, clNone, 0xE4E3E2, false, false},
      {TKelStyle::tsWindows10, 0xF7F6F5, clNone, 0xE4E3E2, false, false},
      {TKelStyle::tsOffice2013Gray, 0xE5E5E5, clNone, 0xABABAB, false, true},
      {TKelStyle::tsOffice2016Black, 0x363636, 0x363636, 0x444444, false, true},
  };
  for (const Case& c : cases) {
    B->SetComponentStyle(c.Style);
    TGlowButtonAppearance* a = B->Appearance();
    EXPECT_EQ(a->Color(), c.Color) << static_cast<int>(c.Style);
    EXPECT_EQ(a->ColorTo(), c.ColorTo) << static_cast<int>(c.Style);
    EXPECT_EQ(a->BorderColor(), c.BorderColor) << static_cast<int>(c.Style);
    EXPECT_EQ(B->Rounded(), c.Rounded) << static_cast<int>(c.Style);
    EXPECT_EQ(a->TranspHover(), c.TranspHover) << static_cast<int>(c.Style);
    EXPECT_EQ(B->ComponentStyle(), c.Style);
  }
  EXPECT_EQ(B->Appearance()->TextColorChecked(), 0xC8C8C8);
  EXPECT_EQ(B->Font()->Color(), 0xA6A6A6);
}

TEST_F(Glow, StylesKeepWhatTheyDoNotAssign) {
  TGlowButtonAppearance* a = B->Appearance();
  // tsCustom keeps the colours and only sets the font, text colours and corners.
  a->SetColor(0x123456);
  a->SetTextColorHot(0x111111);
  B->Font()->SetColor(0x222222);
  B->SetComponentStyle(TKelStyle::tsCustom);
  EXPECT_EQ(a->Color(), 0x123456);
  EXPECT_EQ(a->TextColorHot(), 0);
  EXPECT_EQ(B->Font()->Color(), clWindowText);
  EXPECT_FALSE(B->Rounded());
  // The 2003 styles keep the checked border of a 2007 style.
  B->SetComponentStyle(TKelStyle::tsOffice2007Luna);
  EXPECT_EQ(a->BorderColorChecked(), 0x45667B);
  B->SetComponentStyle(TKelStyle::tsOffice2003Blue);
  EXPECT_EQ(a->BorderColorChecked(), 0x45667B);
  // tsTerminal keeps the border and all gradient kinds.
  a->SetGradientHot(TGDIPGradient::ggDiagonalBackward);
  TColor border = a->BorderColor();
  B->SetComponentStyle(TKelStyle::tsTerminal);
  EXPECT_EQ(a->BorderColor(), border);
  EXPECT_EQ(a->GradientHot(), TGDIPGradient::ggDiagonalBackward);
  EXPECT_EQ(a->Color(), clBtnFace);
  EXPECT_EQ(a->ColorDown(), clHighlight);
  // tsWindows8 keeps the disabled border, tsOffice2013White sets it.
  a->SetBorderColorDisabled(0x010203);
  B->SetComponentStyle(TKelStyle::tsWindows8);
  EXPECT_EQ(a->BorderColorDisabled(), 0x010203);
  EXPECT_EQ(a->TextColorChecked(), clWhite);
  B->SetComponentStyle(TKelStyle::tsOffice2013White);
  EXPECT_EQ(a->BorderColorDisabled(), 0xACACAC);
  EXPECT_EQ(a->ColorChecked(), 0xFF9933);
}

TEST_F(Glow, ColorTonesFillTheSets) {
  TColorTones t{};
  t.Background = {0x111111, 0x121212, 0x131313};
  t.Selected = {0x212121, 0x222222, 0x232323};
  t.Hover = {0x313131, 0x323232, 0x333333};
  t.Disabled = {0x414141, 0x424242, 0x434343};
  B->SetColorTones(t);
  TGlowButtonAppearance* a = B->Appearance();
  EXPECT_EQ(a->Color(), 0x111111);
  EXPECT_EQ(a->ColorTo(), clNone);
  EXPECT_EQ(a->BorderColor(), 0x121212);
  EXPECT_EQ(a->ColorHot(), 0x313131);
  EXPECT_EQ(a->TextColorHot(), 0x333333);
  EXPECT_EQ(a->ColorDown(), 0x212121);
  EXPECT_EQ(a->TextColorDown(), 0x232323);
  EXPECT_EQ(a->ColorDisabledTo(), 0x111111);
  EXPECT_EQ(a->BorderColorDisabled(), 0x424242);  // the Disabled tone's border
  EXPECT_EQ(a->ColorChecked(), 0x212121);
  EXPECT_EQ(a->ColorMirrorChecked(), clNone);
  EXPECT_EQ(a->BorderColorChecked(), 0x222222);
  EXPECT_EQ(B->Font()->Color(), 0x131313);
  EXPECT_EQ(B->Font()->Name(), GetSystemFontName());
  EXPECT_FALSE(B->Rounded());
}

// ---------------------------------------------------------------------------
// Actions

TEST_F(Glow, ActionChangeTakesGroupImageAndChecked) {
  auto* action = new TAction(Form);
  action->SetGroupIndex(4);
  action->SetImageIndex(2);
  action->SetChecked(true);
  B->SetAction(action);
  EXPECT_EQ(B->GroupIndex(), 4);
  EXPECT_EQ(B->ImageIndex(), 2);
  EXPECT_TRUE(B->Down());
  // With a group of its own and no default check, the button keeps it.
  TAdvGlowButton* b2 = NewButton(130, 20);
  b2->SetGroupIndex(7);
  b2->SetAction(action);
  EXPECT_EQ(b2->GroupIndex(), 7);
}

TEST_F(Glow, ImageIndexLinkWorksWithoutAGroupLink) {
  auto* action = new TAction(Form);
  action->SetGroupIndex(0);
  B->SetAction(action);
  B->SetGroupIndex(9);  // groups no longer linked
  auto* link = dynamic_cast<TAdvGlowButtonActionLink*>(B->ActionLink());
  ASSERT_NE(link, nullptr);
  EXPECT_FALSE(link->IsGroupIndexLinked());
  ASSERT_TRUE(link->IsImageIndexLinked());
  link->SetImageIndex(5);
  EXPECT_EQ(B->ImageIndex(), 5);
  // The action's own change reaches the button the same way.
  action->SetImageIndex(6);
  EXPECT_EQ(B->ImageIndex(), 6);
}

TEST_F(Glow, CheckedLinkAndGroupLink) {
  auto* action = new TAction(Form);
  B->SetStyle(TAdvButtonStyle::bsCheck);
  B->SetAction(action);
  auto* link = dynamic_cast<TAdvGlowButtonActionLink*>(B->ActionLink());
  ASSERT_TRUE(link->IsCheckedLinked());
  action->SetChecked(true);
  EXPECT_TRUE(B->Down());
  action->SetGroupIndex(3);
  EXPECT_EQ(B->GroupIndex(), 3);
  B->SetGroupIndex(8);
  action->SetGroupIndex(5);
  EXPECT_EQ(B->GroupIndex(), 8);  // not linked any more
}

TEST_F(Glow, ClickRunsTheLinkedAction) {
  auto* action = new TAction(Form);
  int executed = 0;
  action->OnExecute = [&](TObject*) { ++executed; };
  B->SetAction(action);
  ClickAt(B);
  EXPECT_EQ(executed, 1);
  EXPECT_EQ(Clicks, 0);
}

// ---------------------------------------------------------------------------
// Key tips

TEST_F(Glow, KeyTipPlacementReadBackFromTheWindow) {
  B->SetShortCutHint(L"F");
  B->HideShortCutHint();  // before any show: nothing
  EXPECT_EQ(B->ShortCutHintWindow(), nullptr);
  using P = TShortCutHintPos;
  TPoint o = B->ClientOrigin();
  for (int i = 0; i <= static_cast<int>(P::shpBelowBottomCenter); ++i) {
    auto pos = static_cast<P>(i);
    B->SetShortCutHintPos(pos);
    B->ShowShortCutHint();
    TShortCutHintWindow* w = B->ShortCutHintWindow();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(IsWindowVisible(w->Handle()));
    RECT r;
    GetWindowRect(w->Handle(), &r);
    int ww = r.right - r.left, hh = r.bottom - r.top;
    TPoint want = ShortCutHintPosition(pos == P::shpAuto ? P::shpTop : pos, o.x, o.y, 100, 41, ww, hh);
    EXPECT_EQ(r.left, want.x) << i;
    EXPECT_EQ(r.top, want.y) << i;
    B->HideShortCutHint();
    EXPECT_FALSE(IsWindowVisible(w->Handle()));
  }
}

TEST(KeyTipTable, TheDocumentedPlacements) {
  // A 100 x 41 button at (200, 100) with a 14 x 17 key tip.
  using P = TShortCutHintPos;
  EXPECT_EQ(ShortCutHintPosition(P::shpTop, 200, 100, 100, 41, 14, 17), TPoint(243, 92));
  EXPECT_EQ(ShortCutHintPosition(P::shpAuto, 200, 100, 100, 41, 14, 17), TPoint(243, 92));
  EXPECT_EQ(ShortCutHintPosition(P::shpBelowBottomRight, 200, 100, 100, 41, 14, 17), TPoint(287, 141));
  EXPECT_EQ(ShortCutHintPosition(P::shpLeft, 200, 100, 100, 41, 14, 17), TPoint(206, 112));
  EXPECT_EQ(ShortCutHintPosition(P::shpRight, 200, 100, 100, 41, 14, 17), TPoint(293, 112));
  EXPECT_EQ(ShortCutHintPosition(P::shpAboveTopRight, 200, 100, 100, 41, 14, 17), TPoint(287, 83));
}

TEST_F(Glow, KeyTipSizeColoursAndHook) {
  B->SetShortCutHint(L"F");
  int hooked = 0;
  B->FOnGetShortCutHintPos = [&](TObject*, TButtonSizeState, TShortCutHintPos& p) {
    ++hooked;
    p = TShortCutHintPos::shpBelowBottom;
  };
  B->ShowShortCutHint();
  TShortCutHintWindow* w = B->ShortCutHintWindow();
  EXPECT_EQ(hooked, 1);
  RECT r;
  GetWindowRect(w->Handle(), &r);
  EXPECT_EQ(r.top, B->ClientOrigin().y + 41);
  // Never narrower than "O" + 8.
  TBitmap b(4, 4);
  b.Canvas()->Font()->Assign(w->Font());
  EXPECT_GE(w->Width(), b.Canvas()->TextWidth(L"O") + 8);
  EXPECT_EQ(w->Color(), clWhite);
  EXPECT_EQ(w->ColorTo(), B->Appearance()->Color());
  B->Appearance()->SetColor(0x3040F0);
  EXPECT_EQ(w->ColorTo(), 0x3040F0);
  // The gradient from white at the top to the new colour at the bottom.
  std::unique_ptr<TBitmap> shot(PaintToBitmap(w));
  int mid = 2;  // beside the letter, inside the outline
  EXPECT_TRUE(Near(PixelAt(shot.get(), mid, 2), 0xFFFFFF, 40));
  // Sixteen bands towards the new colour: green falls from 0xFF to 0x40.
  int prev = 0x100;
  for (int y = 2; y < shot->Height() - 2; ++y) {
    int g = (PixelAt(shot.get(), mid, y) >> 8) & 0xFF;
    EXPECT_LE(g, prev) << y;
    prev = g;
  }
  EXPECT_LT(prev, 0x70);
}

TEST(HintControlUnit, RegistersTheMessageOnce) {
  WORD m = ClearHintControlMessage();
  EXPECT_EQ(m, static_cast<WORD>(RegisterWindowMessageW(L"ClearHintControl")));
  InitHintControlUnit();  // a repeated start-up does nothing
  FiniHintControlUnit();
  EXPECT_EQ(ClearHintControlMessage(), m);
}

// ---------------------------------------------------------------------------
// Other behaviour

TEST_F(Glow, AssignCopiesDownLastAndLeavesAppearanceAndLayout) {
  TAdvGlowButton* src = NewButton(130, 20);
  src->SetStyle(TAdvButtonStyle::bsCheck);
  B->SetStyle(TAdvButtonStyle::bsCheck);
  src->SetDown(true);
  src->SetCaption(L"Copied");
  src->SetSpacing(7);
  src->SetLayout(TButtonLayout::blGlyphTop);
  src->Appearance()->SetColor(0x010203);
  B->Assign(src);
  EXPECT_TRUE(B->Down());
  EXPECT_EQ(B->Caption(), L"Copied");
  EXPECT_EQ(B->Spacing(), 7);
  EXPECT_EQ(B->Layout(), TButtonLayout::blGlyphLeft);
  EXPECT_NE(B->Appearance()->Color(), 0x010203);
  TFont f;
  B->Assign(&f);  // anything else is ignored
  EXPECT_EQ(B->Caption(), L"Copied");
}

TEST_F(Glow, SplitLineFlagIsSharedByAllButtons) {
  TAdvGlowButton* b2 = NewButton(130, 20);
  b2->SetDrawSplitLineAlways(true);
  EXPECT_TRUE(GetDrawSplitLineAlways());
  EXPECT_FALSE(B->DrawSplitLineAlways());
}

TEST_F(Glow, RemovedImageListsAreForgotten) {
  auto* list = MakeImageList(Form, 16, 16, {0x0000FF});
  B->SetImages(list);
  B->SetHotImages(list);
  B->SetDisabledImages(list);
  list->Free();
  EXPECT_EQ(B->Images(), nullptr);
  EXPECT_EQ(B->HotImages(), nullptr);
  EXPECT_EQ(B->DisabledImages(), nullptr);
  std::unique_ptr<TBitmap> bmp(PaintToBitmap(B));  // paints without the list
}

}  // namespace
