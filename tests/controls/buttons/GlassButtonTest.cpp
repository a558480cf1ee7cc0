#include <gtest/gtest.h>

#include <memory>

#include "base/StdCtrls.h"
#include "tests/controls/buttons/ButtonTestSupport.h"
#include "tests/draw/DrawTestSupport.h"
#include "tests/support/Gui.h"
#include "ui/controls/buttons/AdvGlassButton.h"
#include "ui/draw/GdipPicture.h"

using ABS = TAdvButtonState;

namespace {

struct Glass : ::testing::Test {
  TForm* Form = nullptr;
  TAdvGlassButton* B = nullptr;
  int Clicks = 0;

  void SetUp() override {
    Form = MakeTestForm(400, 300);
    B = NewButton(20, 20);
    B->OnClick = [this](TObject*) { ++Clicks; };
  }
  void TearDown() override { Form->Free(); }
  TAdvGlassButton* NewButton(int X, int Y, int W = 100, int H = 32) {
    auto* b = new TAdvGlassButton(Form);
    b->SetParent(Form);
    b->SetBounds(X, Y, W, H);
    PumpFor(5);
    return b;
  }
  static LPARAM Pt(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<int16_t>(x)), static_cast<WORD>(static_cast<int16_t>(y)));
  }
  void Move(TAdvGlassButton* b, int x, int y) {
    TPoint s = b->ClientToScreen(TPoint(x, y));
    SetCursorPos(s.x, s.y);
    SendMessageW(b->Handle(), WM_MOUSEMOVE, 0, Pt(x, y));
  }
  void Down(TAdvGlassButton* b, int x, int y) {
    Move(b, x, y);
    SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Pt(x, y));
  }
  void Up(TAdvGlassButton* b, int x, int y) { SendMessageW(b->Handle(), WM_LBUTTONUP, 0, Pt(x, y)); }
  void ClickAt(TAdvGlassButton* b, int x = 30, int y = 15) {
    Down(b, x, y);
    Up(b, x, y);
  }
  std::unique_ptr<TBitmap> Shot(TAdvGlassButton* b) { return std::unique_ptr<TBitmap>(PaintToBitmap(b)); }
};

TEST_F(Glass, Defaults) {
  EXPECT_EQ(B->Width(), 100);
  EXPECT_EQ(B->Height(), 32);
  EXPECT_EQ(B->Font()->Name(), L"Tahoma");
  EXPECT_TRUE(B->TabStop());
  EXPECT_FALSE(B->ShowHint());
  EXPECT_EQ(B->CornerRadius(), 4);
  EXPECT_EQ(B->GlowColor(), 0xFFBD8D);
  EXPECT_EQ(B->BackColor(), 0x000000);
  EXPECT_EQ(B->BackGroundSymbol(), TBackGroundSymbol::bsNone);
  EXPECT_EQ(B->BackgroundColor(), clNone);
  EXPECT_EQ(B->Version(), L"1.3.0.3");
  B->SetVersion(L"2.0.0.0");
  EXPECT_EQ(B->Version(), L"1.3.0.3");
}

TEST_F(Glass, PushButtonIsNeverDownAndClicksOnlyInside) {
  B->SetDown(true);
  EXPECT_FALSE(B->Down());
  ClickAt(B);
  EXPECT_EQ(Clicks, 1);
  Down(B, 30, 15);
  Up(B, 130, 15);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(B->State(), ABS::absUp);
}

TEST_F(Glass, BottomEdgeRowCountsAsInsideForTheState) {
  Down(B, 30, 15);
  SendMessageW(B->Handle(), WM_MOUSEMOVE, MK_LBUTTON, Pt(30, 32));
  EXPECT_EQ(B->State(), ABS::absDown);
  SendMessageW(B->Handle(), WM_MOUSEMOVE, MK_LBUTTON, Pt(30, 33));
  EXPECT_EQ(B->State(), ABS::absUp);
  SendMessageW(B->Handle(), WM_MOUSEMOVE, MK_LBUTTON, Pt(100, 10));
  EXPECT_EQ(B->State(), ABS::absUp);
  Up(B, 100, 10);
}

TEST_F(Glass, CheckButtonTogglesOnlyOnAReleaseInside) {
  B->SetStyle(TAdvToolButtonStyle::tasCheck);
  ClickAt(B);
  EXPECT_TRUE(B->Down());
  EXPECT_EQ(Clicks, 1);
  // Released outside: no click and no toggle.
  Down(B, 30, 15);
  Up(B, 30, 60);
  EXPECT_TRUE(B->Down());
  EXPECT_EQ(Clicks, 1);
  ClickAt(B);
  EXPECT_FALSE(B->Down());
  EXPECT_EQ(Clicks, 2);
  B->SetDown(true);
  std::unique_ptr<TBitmap> s = Shot(B);
  EXPECT_EQ(B->State(), ABS::absDown);
}

TEST_F(Glass, GroupsThroughTheButtonPressedMessage) {
  TAdvGlassButton* b2 = NewButton(130, 20);
  TAdvGlassButton* b3 = NewButton(240, 20);
  for (TAdvGlassButton* b : {B, b2, b3}) b->SetGroupIndex(1);
  ClickAt(B);
  EXPECT_TRUE(B->Down());
  ClickAt(b2);
  EXPECT_TRUE(b2->Down());
  EXPECT_FALSE(B->Down());
  EXPECT_FALSE(b3->Down());
  ClickAt(b2);  // AllowAllUp off: stays down
  EXPECT_TRUE(b2->Down());
  // AllowAllUp is copied to the others of the group.
  b2->SetAllowAllUp(true);
  EXPECT_TRUE(B->AllowAllUp());
  EXPECT_TRUE(b3->AllowAllUp());
  ClickAt(b2);
  EXPECT_FALSE(b2->Down());
}

TEST_F(Glass, ReleasedGroupMemberClearsItsActionsCheck) {
  TAdvGlassButton* b2 = NewButton(130, 20);
  auto* action = new TAction(Form);
  B->SetGroupIndex(2);
  b2->SetGroupIndex(2);
  B->SetAction(action);
  B->SetDown(true);
  action->SetChecked(true);
  b2->SetDown(true);
  EXPECT_FALSE(B->Down());
  EXPECT_FALSE(action->Checked());
}

TEST_F(Glass, CornerRadiusIgnoresNegativesAndIsCappedWhileDesigning) {
  B->SetCornerRadius(-1);
  EXPECT_EQ(B->CornerRadius(), 4);
  B->SetHeight(27);
  B->SetDesigning(true);
  B->SetCornerRadius(100);
  B->SetDesigning(false);
  EXPECT_EQ(B->CornerRadius(), 13);
}

// The face colour at a point of the lower half, away from shine and text.
TEST_F(Glass, BackColorTintsTheFaceAtHalfOpacity) {
  B->SetBackColor(0x0000FF);
  B->SetInnerBorderColor(0x0000FF);
  std::unique_ptr<TBitmap> s = Shot(B);
  TColor p = PixelAt(s.get(), 50, 26);
  EXPECT_TRUE(Near(p, 0x8080FF, 6)) << std::hex << p;
  // A system colour value is taken as its bytes, not resolved.
  B->SetBackColor(static_cast<TColor>(0xFF00000F));
  s = Shot(B);
  p = PixelAt(s.get(), 50, 26);
  EXPECT_TRUE(Near(p, 0x808087, 6)) << std::hex << p;
  // An opaque under-fill shows through the tint.
  B->SetBackgroundColor(0x00FF00);
  B->SetBackColor(0x000000);
  s = Shot(B);
  p = PixelAt(s.get(), 50, 26);
  EXPECT_TRUE(Near(p, 0x008000, 6)) << std::hex << p;
}

TEST_F(Glass, GlowWhilePressedEvenOutside) {
  B->SetBackColor(0x000000);
  B->SetGlowColor(0xFFFFFF);
  std::unique_ptr<TBitmap> up = Shot(B);
  Down(B, 30, 15);
  SendMessageW(B->Handle(), WM_MOUSEMOVE, MK_LBUTTON, Pt(130, 15));
  std::unique_ptr<TBitmap> pressed = Shot(B);
  TColor a = PixelAt(up.get(), 50, 28), b = PixelAt(pressed.get(), 50, 28);
  EXPECT_GT(b & 0xFF, (a & 0xFF) + 40) << std::hex << a << " " << b;
  Up(B, 130, 15);
  std::unique_ptr<TBitmap> after = Shot(B);
  EXPECT_TRUE(Near(PixelAt(after.get(), 50, 28), a, 3));
}

TEST_F(Glass, SymbolsAndTheirColourOfNoColour) {
  B->SetBackColor(0x000000);
  B->SetInnerBorderColor(0x000000);
  std::unique_ptr<TBitmap> plain = Shot(B);
  B->SetBackGroundSymbol(TBackGroundSymbol::bsPlay);
  std::unique_ptr<TBitmap> play = Shot(B);
  TColor centre = PixelAt(play.get(), 45, 16);
  EXPECT_GT(centre & 0xFF, (PixelAt(plain.get(), 45, 16) & 0xFF) + 60) << std::hex << centre;
  B->SetBackGroundSymbolColor(clNone);
  std::unique_ptr<TBitmap> none = Shot(B);
  EXPECT_TRUE(Near(PixelAt(none.get(), 45, 16), PixelAt(plain.get(), 45, 16), 2));
}

TEST_F(Glass, StopSymbolStaysOnVeryWideButtons) {
  // On a button more than five times wider than high the height would be
  // negative; it keeps a tenth of the button's height instead.
  TAdvGlassButton* wide = NewButton(20, 100, 300, 40);
  wide->SetBackColor(0x000000);
  std::unique_ptr<TBitmap> plain = Shot(wide);
  wide->SetBackGroundSymbol(TBackGroundSymbol::bsStop);
  std::unique_ptr<TBitmap> stop = Shot(wide);
  EXPECT_GT(Distance(PixelAt(plain.get(), 150, 13), PixelAt(stop.get(), 150, 13)), 30);
  EXPECT_TRUE(Near(PixelAt(plain.get(), 150, 8), PixelAt(stop.get(), 150, 8), 2));   // nothing above it
  EXPECT_TRUE(Near(PixelAt(plain.get(), 150, 19), PixelAt(stop.get(), 150, 19), 2));  // nor below
  // An ordinary button draws the plain bar.
  B->SetBackColor(0x000000);
  std::unique_ptr<TBitmap> p2 = Shot(B);
  B->SetBackGroundSymbol(TBackGroundSymbol::bsStop);
  std::unique_ptr<TBitmap> s2 = Shot(B);
  EXPECT_GT(Distance(PixelAt(p2.get(), 50, 12), PixelAt(s2.get(), 50, 12)), 30);
  EXPECT_TRUE(Near(PixelAt(p2.get(), 50, 17), PixelAt(s2.get(), 50, 17), 2));
}

TEST_F(Glass, CustomSymbolGetsTheRectangleAndASurface) {
  B->SetBackGroundSymbol(TBackGroundSymbol::bsCustom);
  std::unique_ptr<TBitmap> s = Shot(B);  // without a handler: nothing
  TRect seen;
  int calls = 0;
  B->OnCustomBackgroundSymbol = [&](TObject*, const TRect& r, TGPGraphics* g) {
    ++calls;
    seen = r;
    EXPECT_NE(g, nullptr);
  };
  s = Shot(B);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(seen, TRect(0, 0, 99, 31));
}

TEST_F(Glass, CurvedShapeFollowsItsDirection) {
  Form->SetColor(0x00FF00);
  B->SetBackColor(0x0000FF);
  B->SetButtonShape(TButtonShape::btsCurvedRectangle);
  B->SetButtonDirection(TButtonDirection::bdLeft);
  std::unique_ptr<TBitmap> s = Shot(B);
  EXPECT_EQ(PixelAt(s.get(), 1, 1), 0x00FF00);    // round end on the left
  EXPECT_EQ(PixelAt(s.get(), 97, 16), 0x00FF00);  // concave end on the right
  EXPECT_NE(PixelAt(s.get(), 50, 26), 0x00FF00);
  B->SetButtonDirection(TButtonDirection::bdRight);
  s = Shot(B);
  EXPECT_EQ(PixelAt(s.get(), 98, 1), 0x00FF00);
  EXPECT_EQ(PixelAt(s.get(), 2, 16), 0x00FF00);
}

TEST_F(Glass, PictureWithoutCaptionIsCentredWhateverTheLayout) {
  std::unique_ptr<TGDIPPicture> pic(PictureFromBytes(MakePng(10, 10, 0x00FF00)));
  B->SetPicture(pic.get());
  for (TButtonLayout l : {TButtonLayout::blGlyphLeft, TButtonLayout::blGlyphBottomAdjusted}) {
    B->SetLayout(l);
    std::unique_ptr<TBitmap> s = Shot(B);
    EXPECT_EQ(PixelAt(s.get(), 50, 16), 0x00FF00);
    EXPECT_NE(PixelAt(s.get(), 44, 16), 0x00FF00);
  }
}

TEST_F(Glass, DisabledCaptionKeepsItsColourOnlyOnTheGdiPath) {
  B->SetBackColor(0xFFFFFF);
  B->SetShineColor(0xFFFFFF);
  B->Font()->SetColor(0x000000);
  B->Font()->SetSize(14);
  B->Font()->SetStyle({TFontStyle::fsBold});
  B->SetCaption(L"WWW");
  B->SetEnabled(false);
  auto darkest = [&] {
    std::unique_ptr<TBitmap> s = Shot(B);
    int d = 255;
    for (int y = 3; y < 29; ++y)
      for (int x = 3; x < 97; ++x) d = Min(d, static_cast<int>(PixelAt(s.get(), x, y) & 0xFF));
    return d;
  };
  B->SetAntiAlias(TAntiAlias::aaNone);
  EXPECT_LT(darkest(), 0x40);
  B->SetAntiAlias(TAntiAlias::aaAntiAlias);
  EXPECT_NEAR(darkest(), 0x80, 16);
}

TEST_F(Glass, BackslashNBreaksTheCaption) {
  B->SetBackColor(0xFFFFFF);
  B->SetHeight(60);
  B->Font()->SetColor(0x000000);
  B->SetAntiAlias(TAntiAlias::aaNone);
  auto rows = [&](const String& c) {
    B->SetCaption(c);
    std::unique_ptr<TBitmap> s = Shot(B);
    int top = -1, bottom = -1;
    for (int y = 3; y < 57; ++y)
      for (int x = 3; x < 97; ++x)
        if ((PixelAt(s.get(), x, y) & 0xFF) < 0x60) {
          if (top < 0) top = y;
          bottom = y;
        }
    return bottom - top;
  };
  int one = rows(L"AB CD");
  int two = rows(L"AB\\nCD");
  EXPECT_GT(two, one + one / 2);
}

TEST_F(Glass, OverlappingSiblingsComposeWhenForcedTransparent) {
  TAdvGlassButton* other = NewButton(60, 20);  // overlaps B's right part
  other->SetBackColor(0x00FF00);
  B->SetBackColor(0x0000FF);
  std::unique_ptr<TBitmap> plain = Shot(B);
  B->SetForceTransparent(true);
  std::unique_ptr<TBitmap> composed = Shot(B);
  // In the overlap the sibling is drawn over this button.
  EXPECT_GT(Distance(PixelAt(plain.get(), 80, 26), PixelAt(composed.get(), 80, 26)), 30);
  EXPECT_TRUE(Near(PixelAt(plain.get(), 20, 26), PixelAt(composed.get(), 20, 26), 2));
}

TEST_F(Glass, KeyTipPlacesFourWaysAndOtherwiseStays) {
  B->SetShortCutHint(L"S");
  TPoint o = B->ClientToScreen(TPoint(0, 0));
  using P = TShortCutHintPos;
  struct Case {
    P Pos;
    std::function<TPoint(int, int)> Want;
  } cases[] = {
      {P::shpLeft, [&](int w, int h) { return TPoint(o.x - w / 2, o.y + (32 - h) / 2); }},
      {P::shpTop, [&](int w, int h) { return TPoint(o.x + (100 - w) / 2, o.y - h / 2); }},
      {P::shpRight, [&](int w, int h) { return TPoint(o.x + 100 - w / 2, o.y + (32 - h) / 2); }},
      {P::shpBottom, [&](int w, int h) { return TPoint(o.x + (100 - w) / 2, o.y + 32 - h / 2); }},
  };
  for (const Case& c : cases) {
    B->SetShortCutHintPos(c.Pos);
    B->ShowShortCutHint();
    RECT r;
    GetWindowRect(B->ShortCutHintWindow()->Handle(), &r);
    TPoint want = c.Want(r.right - r.left, r.bottom - r.top);
    EXPECT_EQ(TPoint(r.left, r.top), want) << static_cast<int>(c.Pos);
  }
  RECT before;
  GetWindowRect(B->ShortCutHintWindow()->Handle(), &before);
  B->SetShortCutHintPos(P::shpCenter);
  B->ShowShortCutHint();
  RECT after;
  GetWindowRect(B->ShortCutHintWindow()->Handle(), &after);
  EXPECT_TRUE(IsWindowVisible(B->ShortCutHintWindow()->Handle()));
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  B->HideShortCutHint();
  EXPECT_EQ(B->ShortCutHintWindow(), nullptr);
}

TEST_F(Glass, HintShowRequestDoublesAsKeyTipCommand) {
  B->SetShortCutHint(L"S");
  EXPECT_EQ(B->Perform(CM_HINTSHOW, 1, 1), 1);
  ASSERT_NE(B->ShortCutHintWindow(), nullptr);
  EXPECT_TRUE(IsWindowVisible(B->ShortCutHintWindow()->Handle()));
  EXPECT_EQ(B->Perform(CM_HINTSHOW, 1, 0), 1);
  EXPECT_EQ(B->ShortCutHintWindow(), nullptr);
}

TEST_F(Glass, KeysClickTheButton) {
  B->SetCaption(L"&Call");
  auto* edit = new TEdit(Form);
  edit->SetParent(Form);
  edit->SetBounds(20, 200, 80, 20);
  ASSERT_TRUE(FocusForInput(Form, B));
  B->Perform(WM_CHAR, L' ', 0);  // a typed space
  EXPECT_EQ(Clicks, 1);
  EXPECT_NE(B->Perform(CN_KEYDOWN, VK_RETURN, 0), 0);  // Enter while focused
  EXPECT_EQ(Clicks, 2);
  ASSERT_TRUE(FocusForInput(Form, edit));
  EXPECT_EQ(edit->Perform(CN_KEYDOWN, VK_RETURN, 0), 0);  // not the focused one
  EXPECT_EQ(Clicks, 2);
  EXPECT_NE(Form->Perform(CM_DIALOGCHAR, L'c', 0x20000000), 0);
  EXPECT_EQ(Clicks, 3);
}

// Space and Enter on the focused button latch it as a click inside does:
// a check button toggles, a group member goes down and releases the other.
TEST_F(Glass, KeysLatchCheckAndGroupButtonsAsTheMouseDoes) {
  TAdvGlassButton* b2 = NewButton(130, 20);
  b2->OnClick = B->OnClick;
  auto space = [](TAdvGlassButton* b) { b->Perform(WM_CHAR, L' ', 0); };
  auto enter = [](TAdvGlassButton* b) { b->Perform(CN_KEYDOWN, VK_RETURN, 0); };
  for (bool byEnter : {false, true}) {
    SCOPED_TRACE(byEnter ? "enter" : "space");
    auto key = [&](TAdvGlassButton* b) {
      ASSERT_TRUE(FocusForInput(Form, b));
      byEnter ? enter(b) : space(b);
    };
    Clicks = 0;
    B->SetGroupIndex(0);
    b2->SetGroupIndex(0);
    B->SetStyle(TAdvToolButtonStyle::tasCheck);
    B->SetDown(false);
    key(B);
    EXPECT_TRUE(B->Down());
    key(B);
    EXPECT_FALSE(B->Down());
    EXPECT_EQ(Clicks, 2);
    B->SetStyle(TAdvToolButtonStyle::tasButton);
    key(B);  // a plain push button is never down
    EXPECT_FALSE(B->Down());
    B->SetGroupIndex(4);
    b2->SetGroupIndex(4);
    key(B);
    EXPECT_TRUE(B->Down());
    key(b2);
    EXPECT_TRUE(b2->Down());
    EXPECT_FALSE(B->Down());
    key(b2);  // AllowAllUp off: stays down, as for the mouse
    EXPECT_TRUE(b2->Down());
    EXPECT_EQ(Clicks, 6);
    b2->SetAllowAllUp(true);
    key(b2);
    EXPECT_FALSE(b2->Down());
    b2->SetAllowAllUp(false);
  }
}

TEST_F(Glass, UnHotTimerNoticesThePointerLeaving) {
  Move(B, 30, 15);
  EXPECT_TRUE(B->MouseInControl());
  EXPECT_TRUE(B->UnHotTimerRunning());
  B->UnHotTimerTick(nullptr);
  EXPECT_TRUE(B->MouseInControl());
  TPoint out = B->ClientToScreen(TPoint(30, 80));
  SetCursorPos(out.x, out.y);
  B->UnHotTimerTick(nullptr);
  EXPECT_FALSE(B->MouseInControl());
  EXPECT_FALSE(B->UnHotTimerRunning());
}

TEST_F(Glass, ActionGroupAndCheckedLinks) {
  auto* action = new TAction(Form);
  action->SetGroupIndex(3);
  B->SetAction(action);
  EXPECT_EQ(B->GroupIndex(), 3);
  action->SetChecked(true);
  EXPECT_TRUE(B->Down());
  TAdvGlassButton* b2 = NewButton(130, 20);
  b2->SetGroupIndex(5);
  b2->SetAction(action);
  EXPECT_EQ(b2->GroupIndex(), 5);  // its own group, defaults not checked
}

}  // namespace
