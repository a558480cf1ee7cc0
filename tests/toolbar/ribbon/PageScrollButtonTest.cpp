// The page scroll button: clicks of a short and a held press counted by
// timer ticks, faces per state and the arrow by pixels.
#include <gtest/gtest.h>

#include <memory>

#include "tests/controls/buttons/ButtonTestSupport.h"
#include "tests/support/Gui.h"
#include "ui/toolbar/ribbon/PageScrollButton.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

namespace {

struct ScrollButton : ::testing::Test {
  TForm* Form = nullptr;
  TAdvPageScrollButton* B = nullptr;
  int Clicks = 0;

  void SetUp() override {
    Form = MakeTestForm(200, 100);
    B = new TAdvPageScrollButton(Form);
    B->SetParent(Form);
    B->SetBounds(20, 20, 12, 21);
    B->OnClick = [this](TObject*) { ++Clicks; };
    Solid(B->Appearance());
    PumpFor(5);
  }
  void TearDown() override {
    Form->Free();
    ResetToolBarRuntime();
    ResetGlobalDrawingFlags();
  }
  // One solid colour per state; borders of their own.
  static void Solid(TGlowButtonAppearance* a) {
    a->SetColor(0x0000C0), a->SetColorTo(0x0000C0), a->SetColorMirror(0x0000C0), a->SetColorMirrorTo(0x0000C0);
    a->SetColorHot(0x00C000), a->SetColorHotTo(0x00C000), a->SetColorMirrorHot(0x00C000);
    a->SetColorMirrorHotTo(0x00C000);
    a->SetColorDown(0xC00000), a->SetColorDownTo(0xC00000), a->SetColorMirrorDown(0xC00000);
    a->SetColorMirrorDownTo(0xC00000);
    a->SetColorDisabled(0x808000), a->SetColorDisabledTo(0x808000), a->SetColorMirrorDisabled(0x808000);
    a->SetColorMirrorDisabledTo(0x808000);
    a->SetBorderColor(0x404040), a->SetBorderColorHot(0x202020), a->SetBorderColorDown(0xFFFFFF);
    a->SetBorderColorDisabled(0x606060);
  }
  static LPARAM Pt(int x, int y) { return MAKELPARAM(x, y); }
  void Press(UINT Msg = WM_LBUTTONDOWN) { SendMessageW(B->Handle(), Msg, MK_LBUTTON, Pt(5, 5)); }
  void Release(UINT Msg = WM_LBUTTONUP) { SendMessageW(B->Handle(), Msg, 0, Pt(5, 5)); }
  TColor Px(int x, int y) {
    std::unique_ptr<TBitmap> bmp(PaintToBitmap(B));
    return PixelAt(bmp.get(), x, y);
  }
};

}  // namespace

TEST_F(ScrollButton, AShortPressClicksOnceAtTheRelease) {
  Press();
  EXPECT_EQ(Clicks, 0);
  ASSERT_NE(B->RepeatTimer(), nullptr);
  EXPECT_EQ(B->RepeatTimer()->Interval(), 400u);
  EXPECT_TRUE(B->RepeatTimer()->Enabled());
  Release();
  EXPECT_EQ(Clicks, 1);
  EXPECT_FALSE(B->RepeatTimer()->Enabled());
}

TEST_F(ScrollButton, AHeldPressRepeatsPerTickAndOnceMoreAtTheRelease) {
  Press();
  ASSERT_TRUE(B->MouseCapture());
  for (int tick = 1; tick <= 4; ++tick) {
    B->RepeatTimer()->Tick();
    EXPECT_EQ(Clicks, tick);
    EXPECT_EQ(B->RepeatTimer()->Interval(), 100u);
  }
  Release();
  EXPECT_EQ(Clicks, 5);
  // A tick without the capture (the press ended elsewhere) clicks nothing.
  Press();
  ReleaseCapture();
  B->RepeatTimer()->Tick();
  EXPECT_EQ(Clicks, 5);
}

TEST_F(ScrollButton, TheRightButtonClicksAtItsReleaseWithoutRepeating) {
  Press(WM_RBUTTONDOWN);
  EXPECT_EQ(B->RepeatTimer(), nullptr);
  Release(WM_RBUTTONUP);
  EXPECT_EQ(Clicks, 1);
  // Disabled: nothing at all.
  B->SetEnabled(false);
  Press();
  Release();
  EXPECT_EQ(Clicks, 1);
}

TEST_F(ScrollButton, AClickThatRaisesStopsTheRepeat) {
  B->OnClick = [](TObject*) { throw Exception(L"stop"); };
  Press();
  EXPECT_THROW(B->RepeatTimer()->Tick(), Exception);
  EXPECT_FALSE(B->RepeatTimer()->Enabled());
  B->OnClick = nullptr;
  Release();
}

TEST_F(ScrollButton, HeldUnderRealInputItRepeatsUntilReleased) {
  Form->BringToFront();
  SetForegroundWindow(Form->Handle());
  TPoint s = B->ClientToScreen(TPoint(5, 10));
  SetCursorPos(s.x, s.y);
  PumpFor(20);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return Clicks >= 3; }, 10000));
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return !B->MouseIsDown(); }));
  int atRelease = Clicks;
  PumpFor(150);  // the stopped timer adds nothing
  EXPECT_EQ(Clicks, atRelease);
  EXPECT_FALSE(B->RepeatTimer()->Enabled());
}

TEST_F(ScrollButton, FacesFollowTheStateAndTheArrowPointsItsWay) {
  // Normal face and a left arrow at 96 dpi: columns of 5, 3 and 1 pixels
  // with the wide side right, in the mix of black and the border.
  std::unique_ptr<TBitmap> bmp(PaintToBitmap(B));
  EXPECT_EQ(PixelAt(bmp.get(), 2, 3), 0x0000C0);
  TColor arrow = BlendColor(clBlack, 0x404040, 50);
  int cx = 6, y0 = 21 / 2 - 3 + 1;
  EXPECT_EQ(CountPixels(bmp.get(), TRect(cx + 1, 0, cx + 2, 21), arrow), 5);
  EXPECT_EQ(CountPixels(bmp.get(), TRect(cx, 0, cx + 1, 21), arrow), 3);
  EXPECT_EQ(CountPixels(bmp.get(), TRect(cx - 1, 0, cx, 21), arrow), 1);
  EXPECT_EQ(PixelAt(bmp.get(), cx + 1, y0), arrow);
  // Right arrow: mirrored.
  B->SetScrollArrow(TScrollArrow::saRight);
  bmp.reset(PaintToBitmap(B));
  EXPECT_EQ(CountPixels(bmp.get(), TRect(cx - 1, 0, cx, 21), arrow), 5);
  EXPECT_EQ(CountPixels(bmp.get(), TRect(cx + 1, 0, cx + 2, 21), arrow), 1);
  // No arrow for saTop.
  B->SetScrollArrow(TScrollArrow::saTop);
  bmp.reset(PaintToBitmap(B));
  EXPECT_EQ(CountPixels(bmp.get(), TRect(0, 0, 12, 21), arrow), 0);
  EXPECT_EQ(PixelAt(bmp.get(), cx, 10), 0x0000C0);
  // Hot, down, disabled.
  B->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(Px(3, 10), 0x00C000);
  Press();
  EXPECT_EQ(Px(3, 10), 0xC00000);
  Release();
  B->Perform(CM_MOUSELEAVE, 0, 0);
  B->SetEnabled(false);
  EXPECT_EQ(Px(3, 10), 0x808000);
}

TEST_F(ScrollButton, APressedSegmentKeepsItsNormalBorder) {
  // The arrow takes its colour from the border in use: the normal one for a
  // pressed button in the left position, the down border when standalone.
  B->SetScrollArrow(TScrollArrow::saLeft);
  B->SetButtonPosition(TButtonPosition::bpLeft);
  Press();
  std::unique_ptr<TBitmap> bmp(PaintToBitmap(B));
  EXPECT_EQ(PixelAt(bmp.get(), 7, 10), BlendColor(clBlack, 0x404040, 50));
  B->SetButtonPosition(TButtonPosition::bpStandalone);
  bmp.reset(PaintToBitmap(B));
  EXPECT_EQ(PixelAt(bmp.get(), 7, 10), BlendColor(clBlack, 0xFFFFFF, 50));
  Release();
}

TEST_F(ScrollButton, ATransparentIdleButtonShowsItsParent) {
  Form->SetColor(0x00FFFF);
  B->SetTransparent(true);
  std::unique_ptr<TBitmap> bmp(PaintToBitmap(B));
  EXPECT_EQ(PixelAt(bmp.get(), 2, 3), 0x00FFFF);
  B->Perform(CM_MOUSEENTER, 0, 0);
  bmp.reset(PaintToBitmap(B));
  EXPECT_EQ(PixelAt(bmp.get(), 2, 3), 0x00C000);
}
