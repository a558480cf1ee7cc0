// The Vista button: its glyphs by pixels, its faces per state, hover and
// clicks under real input, its glass test.
#include <gtest/gtest.h>

#include <memory>

#include "tests/controls/buttons/ButtonTestSupport.h"
#include "tests/support/Gui.h"
#include "tests/toolbar/bars/QuickAccessDouble.h"
#include "ui/draw/GdiPlus.h"
#include "ui/toolbar/ribbon/AdvVistaButton.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

namespace {

// Counts its paints.
class TCountingButton : public TAdvVistaButton {
  VANTREL_CLASS(TCountingButton)
 public:
  using TAdvVistaButton::TAdvVistaButton;
  int Paints = 0;

 protected:
  void Paint() override {
    ++Paints;
    TAdvVistaButton::Paint();
  }
};

constexpr TColor kBack = 0x00FFFF;   // the parent's colour
constexpr TColor kGlyph = 0x808080;  // black and the white idle border, half each

struct VistaButton : ::testing::Test {
  TForm* Form = nullptr;
  TTestQuickAccessToolBar* Host = nullptr;
  TCountingButton* B = nullptr;
  int Clicks = 0;

  void SetUp() override {
    ResetToolBarRuntime();
    ResetGlobalDrawingFlags();
    Form = MakeTestForm(200, 100);
    Host = new TTestQuickAccessToolBar(Form);
    Host->SetParent(Form);
    Host->SetBounds(10, 10, 60, 50);
    Host->SetColor(kBack);
    B = new TCountingButton(Form);
    B->SetParent(Host);
    B->SetLeft(10);
    B->SetTop(10);
    B->OnClick = [this](TObject*) { ++Clicks; };
    TGlowButtonAppearance* a = B->Appearance();
    a->SetColor(0x0000C0), a->SetColorTo(0x0000C0), a->SetColorMirror(0x0000C0), a->SetColorMirrorTo(0x0000C0);
    a->SetColorHot(0x00C000), a->SetColorHotTo(0x00C000), a->SetColorMirrorHot(0x00C000);
    a->SetColorMirrorHotTo(0x00C000);
    a->SetColorDown(0xC00000), a->SetColorDownTo(0xC00000), a->SetColorMirrorDown(0xC00000);
    a->SetColorMirrorDownTo(0xC00000);
    a->SetColorDisabled(0x808000), a->SetColorDisabledTo(0x808000), a->SetColorMirrorDisabled(0x808000);
    a->SetColorMirrorDisabledTo(0x808000);
    a->SetBorderColor(0xFFFFFF), a->SetBorderColorHot(0x202020), a->SetBorderColorDown(0x404040);
    a->SetBorderColorDisabled(0x606060);
    PumpFor(5);
  }
  void TearDown() override {
    Form->Free();
    ResetToolBarRuntime();
    ResetGlobalDrawingFlags();
  }
  // The button's square of the host's painting.
  std::unique_ptr<TBitmap> Shot() {
    std::unique_ptr<TBitmap> host(PaintToBitmap(Host));
    auto bmp = std::make_unique<TBitmap>(22, 23);
    BitBlt(bmp->Canvas()->Handle(), 0, 0, 22, 23, host->Canvas()->Handle(), 10, 10, SRCCOPY);
    return bmp;
  }
  int Count(TBitmap* Bmp, TColor Color, TRect R = TRect(0, 0, 22, 23)) { return CountPixels(Bmp, R, Color); }
  void Hover() {
    TPoint p = B->ClientToScreen(TPoint(11, 11));
    SetCursorPos(p.x, p.y);
    mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return B->MouseInside(); }));
  }
  void Away() {
    TPoint p = Form->ClientToScreen(TPoint(150, 80));
    SetCursorPos(p.x, p.y);
    mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !B->MouseInside(); }));
  }
};

TEST_F(VistaButton, StartsSmallWithItsOwnClicks) {
  EXPECT_EQ(B->Width(), 22);
  EXPECT_EQ(B->Height(), 23);
  EXPECT_EQ(B->ControlStyle(), TControlStyle({TControlStyleItem::csCaptureMouse, TControlStyleItem::csDoubleClicks}));
  EXPECT_EQ(B->Font()->Name(), L"Tahoma");
  EXPECT_FALSE(B->ShowHint());
  EXPECT_EQ(B->ScrollArrow(), TScrollArrow::saLeft);
  EXPECT_EQ(B->ArrowStyle(), TArrowStyle::asSingle);
  EXPECT_FALSE(B->Down());
}

TEST_F(VistaButton, AnIdleButtonShowsOnlyItsGlyph) {
  // cx = 11, cy = 11; lines leave their end out.
  struct Case {
    const char* Name;
    TScrollArrow Arrow;
    TArrowStyle Style;
    std::vector<TPoint> Pixels;
    int Glyph;
  } cases[] = {
      {"left", TScrollArrow::saLeft, TArrowStyle::asSingle, {{10, 11}, {11, 10}, {11, 12}, {12, 9}, {12, 13}}, 9},
      {"right", TScrollArrow::saRight, TArrowStyle::asSingle, {{10, 9}, {10, 13}, {11, 10}, {11, 12}, {12, 11}}, 9},
      {"right with line: none", TScrollArrow::saRight, TArrowStyle::asWithLine, {}, 0},
      {"top: none", TScrollArrow::saTop, TArrowStyle::asSingle, {}, 0},
      {"none", TScrollArrow::saNone, TArrowStyle::asDouble, {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    B->SetScrollArrow(c.Arrow);
    B->SetArrowStyle(c.Style);
    auto bmp = Shot();
    for (TPoint p : c.Pixels) EXPECT_EQ(PixelAt(bmp.get(), p.x, p.y), kGlyph) << p.x << "," << p.y;
    EXPECT_EQ(Count(bmp.get(), kGlyph), c.Glyph);
    // No face: everything else is the parent.
    EXPECT_EQ(Count(bmp.get(), kBack), 22 * 23 - c.Glyph);
  }
}

TEST_F(VistaButton, TheDoubleArrowGrowsWithTheScreensResolution) {
  B->SetScrollArrow(TScrollArrow::saRight);
  B->SetArrowStyle(TArrowStyle::asDouble);
  // R = (1, 6, 22, 23): W 21, H 17. 96 dpi: e 3, x0 10, y0 8; 144 dpi: e 4
  // (4.5 to even), x0 10, y0 8.
  struct Case {
    int PPI, E;
  } cases[] = {{96, 3}, {144, 4}};
  for (const auto& c : cases) {
    DPIPixelsPerInch = c.PPI;
    auto bmp = Shot();
    int x0 = 10, y0 = 8, e = c.E;
    // Two triangles of columns 2e - 1, 2e - 3, ... 1 pixels.
    EXPECT_EQ(Count(bmp.get(), clBlack), 2 * e * e) << c.PPI;
    EXPECT_EQ(Count(bmp.get(), clBlack, TRect(x0 - e + 1, 0, x0 - e + 2, 23)), 2 * e - 1) << c.PPI;
    EXPECT_EQ(PixelAt(bmp.get(), x0 - e + 1, y0 - e + 1), clBlack);
    EXPECT_EQ(PixelAt(bmp.get(), x0 - e + 1, y0 + e - 1), clBlack);
    EXPECT_EQ(PixelAt(bmp.get(), x0, y0), clBlack);
    EXPECT_EQ(Count(bmp.get(), clBlack, TRect(x0 + 2, 0, x0 + 3, 23)), 2 * e - 1) << c.PPI;
    EXPECT_EQ(PixelAt(bmp.get(), x0 + e + 1, y0), clBlack);
    EXPECT_EQ(Count(bmp.get(), clBlack, TRect(x0 + e + 2, 0, 22, 23)), 0);
  }
}

TEST_F(VistaButton, OnGlassTheDoubleArrowIsFilledTriangles) {
  B->SetScrollArrow(TScrollArrow::saRight);
  B->SetArrowStyle(TArrowStyle::asDouble);
  Host->Glass = true;
  ASSERT_TRUE(B->IsOnGlass());
  auto bmp = Shot();
  // Bases at x = 7 and 11 (e = 3, x0 = 10, y0 = 8), tips at 10 and 14.
  EXPECT_EQ(PixelAt(bmp.get(), 8, 8), clBlack);
  EXPECT_EQ(PixelAt(bmp.get(), 12, 8), clBlack);
  EXPECT_GE(Count(bmp.get(), clBlack), 12);
  EXPECT_EQ(Count(bmp.get(), clBlack, TRect(0, 0, 6, 23)), 0);
  EXPECT_EQ(Count(bmp.get(), clBlack, TRect(16, 0, 22, 23)), 0);
  EXPECT_EQ(Count(bmp.get(), clBlack, TRect(0, 13, 22, 23)), 0);
}

TEST_F(VistaButton, TheCustomizeGlyphIsABarOverATriangle) {
  B->SetScrollArrow(TScrollArrow::saBottom);
  B->SetArrowStyle(TArrowStyle::asWithLine);
  auto bmp = Shot();
  // Right edge 22, bottom 19: the dark bar at y 10 from x 12 to 16, the
  // light one under it, the triangle from y 13 down to its tip.
  TColor dark = PixelAt(bmp.get(), 14, 10);
  EXPECT_TRUE(Near(dark, 0x003737, 3)) << std::hex << dark;
  EXPECT_EQ(PixelAt(bmp.get(), 12, 10), dark);
  EXPECT_EQ(PixelAt(bmp.get(), 16, 10), dark);
  EXPECT_EQ(PixelAt(bmp.get(), 11, 10), kBack);
  EXPECT_EQ(PixelAt(bmp.get(), 18, 10), kBack);
  TColor light = PixelAt(bmp.get(), 14, 11);
  EXPECT_TRUE(Near(light, 0xC8FFFF, 3)) << std::hex << light;
  EXPECT_EQ(PixelAt(bmp.get(), 15, 13), clBlack);
  EXPECT_EQ(PixelAt(bmp.get(), 15, 14), clBlack);
  EXPECT_EQ(Count(bmp.get(), clBlack, TRect(0, 0, 22, 13)), 0);
  EXPECT_EQ(Count(bmp.get(), clBlack, TRect(0, 0, 11, 23)), 0);
}

TEST_F(VistaButton, HoverShowsTheHotFaceAndLeavingTheIdleLook) {
  Form->BringToFront();
  SetForegroundWindow(Form->Handle());
  int entered = 0, left = 0;
  B->OnMouseEnter = [&](TObject*) {
    EXPECT_TRUE(B->MouseInside());
    ++entered;
  };
  B->OnMouseLeave = [&](TObject*) { ++left; };
  Hover();
  auto bmp = Shot();
  EXPECT_EQ(PixelAt(bmp.get(), 5, 5), 0x00C000);
  EXPECT_EQ(PixelAt(bmp.get(), 5, 18), 0x00C000);
  // The glyph in black and the hot border, half each.
  EXPECT_EQ(PixelAt(bmp.get(), 10, 11), BlendColor(clBlack, 0x202020, 50));
  Away();
  bmp = Shot();
  EXPECT_EQ(PixelAt(bmp.get(), 5, 5), kBack);
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(left, 1);
  // Not on glass: the quick access toolbar is not asked to repaint.
  EXPECT_EQ(Host->RefInvalidations, 0);
}

TEST_F(VistaButton, DownKeepsThePressedFaceAndHoverDoesNotRepaintIt) {
  Form->BringToFront();
  SetForegroundWindow(Form->Handle());
  B->SetDown(true);
  auto bmp = Shot();
  EXPECT_EQ(PixelAt(bmp.get(), 5, 5), 0xC00000);
  PumpFor(20);
  int paints = B->Paints;
  Hover();
  PumpFor(20);
  EXPECT_EQ(B->Paints, paints);
  bmp = Shot();
  EXPECT_EQ(PixelAt(bmp.get(), 5, 5), 0xC00000);
  paints = B->Paints;
  Away();
  PumpFor(20);
  EXPECT_EQ(B->Paints, paints);
  B->SetDown(false);
  ASSERT_TRUE(PumpUntil([&] { return B->Paints > paints; }));
  bmp = Shot();
  EXPECT_EQ(PixelAt(bmp.get(), 5, 5), kBack);
}

TEST_F(VistaButton, AnyReleasedButtonClicksAndADisabledButtonNothing) {
  Form->BringToFront();
  SetForegroundWindow(Form->Handle());
  Hover();
  TPoint p = B->ClientToScreen(TPoint(11, 11));
  struct Case {
    DWORD Down, Up;
  } presses[] = {{MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}, {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP}};
  int expected = 0;
  for (const auto& c : presses) {
    mouse_event(c.Down, 0, 0, 0, 0);
    mouse_event(c.Up, 0, 0, 0, 0);
    ++expected;
    ASSERT_TRUE(PumpUntil([&] { return Clicks == expected; }));
  }
  // A left press shows the down face while held; a release away from the
  // button still clicks.
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return B->MouseIsDown(); }));
  auto bmp = Shot();
  EXPECT_EQ(PixelAt(bmp.get(), 5, 5), 0xC00000);
  TPoint away = Form->ClientToScreen(TPoint(150, 80));
  SetCursorPos(away.x, away.y);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return !B->MouseIsDown(); }));
  EXPECT_EQ(Clicks, 3);
  // Disabled: the disabled face, and no click.
  B->SetEnabled(false);
  bmp = Shot();
  EXPECT_EQ(PixelAt(bmp.get(), 5, 5), 0x808000);
  SetCursorPos(p.x, p.y);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  PumpFor(50);
  EXPECT_EQ(Clicks, 3);
}

TEST_F(VistaButton, LeavingAGlassQuickAccessToolBarRepaintsItsReferenceButton) {
  Form->BringToFront();
  SetForegroundWindow(Form->Handle());
  Host->Glass = true;
  Hover();
  Away();
  EXPECT_EQ(Host->RefInvalidations, 1);
}

TEST_F(VistaButton, OnGlassFollowsItsQuickAccessToolBarElseTheTabGlassAndScenicFlags) {
  EXPECT_FALSE(B->IsOnGlass());
  Host->Glass = true;
  EXPECT_TRUE(B->IsOnGlass());
  B->SetParent(Form);
  struct Case {
    bool TabGlass, Scenic, Glass;
  } cases[] = {{false, false, false}, {true, false, false}, {false, true, false}, {true, true, true}};
  for (const auto& c : cases) {
    SetGlobalTabGlass(c.TabGlass);
    SetGlobalWin7ScenicRibbon(c.Scenic);
    EXPECT_EQ(B->IsOnGlass(), c.Glass) << c.TabGlass << c.Scenic;
  }
}

}  // namespace
