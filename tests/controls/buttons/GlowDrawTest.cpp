#include <gtest/gtest.h>

#include <memory>

#include "base/ExtCtrls.h"
#include "base/FileStreams.h"
#include "tests/controls/buttons/ButtonTestSupport.h"
#include "tests/draw/DrawTestSupport.h"
#include "tests/support/Gui.h"
#include "ui/controls/buttons/GlowButtonAppearance.h"
#include "ui/controls/buttons/GlowButtonHelpers.h"
#include "ui/draw/GdiPlus.h"
#include "ui/draw/GdipPicture.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

using namespace GlowButton;

namespace {

// ---------------------------------------------------------------------------
// Colour arithmetic

TEST(GlowColours, AdjustColorChannelsTable) {
  struct Case {
    TColor In;
    int R, G, B;
    TColor Out;
  } cases[] = {
      {0xF5F0E1, -10, -10, 0, 0xF5D8CA},   // red 225 at 90 % is 202.5: to the even 202
      {0xFFFFFF, -10, -10, -10, 0xE6E6E6}, // 229.5 rounds to 230
      {0x804020, 10, 10, 10, 0x804020},    // a rise leaves non-zero channels alone
      {0x000000, 20, 20, 20, 0x141414},    // a zero channel takes a rise as its value
      {0x000000, -20, -20, -20, 0x000000},
      {0x000080, -50, 0, 0, 0x000040},
      {0xFFFFFF, -5, -5, -5, 0xF2F2F2},    // 242.25
      {0x0000FF, -100, 0, 0, 0x000000},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AdjustColorChannels(c.In, c.R, c.G, c.B), c.Out) << std::hex << c.In << " " << c.R;
  EXPECT_EQ(AdjustColor(0xFFFFFF, -10), 0xE6E6E6);
  // System colours are resolved first.
  EXPECT_EQ(AdjustColor(clBtnFace, 0), ColorToRGB(clBtnFace));
}

TEST(GlowColours, BlendColorTable) {
  struct Case {
    TColor A, B;
    int P;
    TColor Out;
  } cases[] = {
      {clBtnFace, 0x123456, 100, clBtnFace},  // at 100 the first as given, even a system colour
      {clNone, 0x123456, 100, clNone},
      {0x123456, clBtnFace, 0, clBtnFace},    // at 0 the second as given
      {clNone, 0x123456, 50, 0x123456},       // no colour gives the other
      {0x123456, clNone, 50, 0x123456},
      {0xFFFFFF, 0x000000, 50, 0x808080},     // 127.5 to the even 128
      {0x010101, 0x000000, 50, 0x000000},     // 0.5 to the even 0
      {0x030303, 0x000000, 50, 0x020202},     // 1.5 to 2
      {0x0000FF, 0xFF0000, 25, 0xBF0040},     // 63.75 and 191.25
      {0xFFFFFF, 0x000000, 150, 0xFFFFFF},
  };
  for (const Case& c : cases) EXPECT_EQ(GlowButton::BlendColor(c.A, c.B, c.P), c.Out) << std::hex << c.A << " " << c.B;
  TColor face = ColorToRGB(clBtnFace);
  EXPECT_EQ(GlowButton::BlendColor(clBtnFace, clBtnFace, 40), face);
}

TEST(GlowColours, ClampSizeTable) {
  EXPECT_EQ(ClampSize(0, 20), 20);
  EXPECT_EQ(ClampSize(30, 20), 20);
  EXPECT_EQ(ClampSize(10, 20), 10);
  EXPECT_EQ(ClampSize(-5, 20), 20);
  EXPECT_EQ(ClampSize(20, 20), 20);
}

// ---------------------------------------------------------------------------
// Drawing on a white bitmap

struct Draw : ::testing::Test {
  std::unique_ptr<TBitmap> Bmp;
  TCanvas* C = nullptr;
  void SetUp() override {
    Bmp = std::make_unique<TBitmap>(80, 60);
    C = Bmp->Canvas();
    C->Brush()->SetColor(clWhite);
    C->FillRect(TRect(0, 0, 80, 60));
  }
  void TearDown() override { ResetToolBarRuntime(); }
  TColor Px(int x, int y) {
    GdiFlush();
    return PixelAt(Bmp.get(), x, y);
  }
};

TEST_F(Draw, StepGradientBandsOverlapByOnePixel) {
  DrawStepGradient(C, 0x000000, 0x404040, 4, TRect(0, 0, 40, 10), true);
  EXPECT_EQ(Px(5, 5), 0x000000);
  EXPECT_EQ(Px(10, 5), 0x101010);  // the next band covers the overlap
  EXPECT_EQ(Px(15, 5), 0x101010);
  EXPECT_EQ(Px(25, 5), 0x202020);
  EXPECT_EQ(Px(39, 5), 0x303030);
  EXPECT_EQ(Px(40, 5), 0x303030);  // the last band's extra column
  EXPECT_EQ(Px(41, 5), clWhite);
}

TEST_F(Draw, StepGradientWithNoStepsIsOneBandOfTheFirstColour) {
  DrawStepGradient(C, 0x0000FF, 0xFF0000, 0, TRect(0, 0, 40, 20), false);
  EXPECT_EQ(Px(0, 0), 0x0000FF);
  EXPECT_EQ(Px(39, 19), 0x0000FF);
  EXPECT_EQ(Px(20, 20), 0x0000FF);
}

TEST_F(Draw, RoundedOutlineWithRadiusZeroIsAPlainRectangle) {
  {
    TGPGraphics g(C->Handle());
    DrawRoundedOutline(&g, 0x0000FF, 10, 10, 30, 20, 0);
    DrawRoundedOutline(&g, 0x0000FF, 50, 10, 20, 20, 3);
  }
  EXPECT_EQ(Px(10, 10), 0x0000FF);  // square corner
  EXPECT_EQ(Px(40, 30), 0x0000FF);
  EXPECT_EQ(Px(25, 10), 0x0000FF);
  EXPECT_EQ(Px(25, 20), clWhite);
  EXPECT_EQ(Px(50, 10), clWhite);   // rounded corner: the corner pixel stays
  EXPECT_EQ(Px(60, 10), 0x0000FF);
}

TEST_F(Draw, FocusDotsAreDotted) {
  {
    TGPGraphics g(C->Handle());
    DrawFocusDots(&g, 0x000000, 5, 5, 60, 40, 0);
  }
  int on = 0, off = 0;
  for (int x = 10; x < 50; ++x) (Px(x, 5) == clWhite ? off : on)++;
  EXPECT_GT(on, 10);
  EXPECT_GT(off, 10);
}

TEST_F(Draw, GroupBordersAndTheirJoints) {
  TColor border = 0x804020;
  TColor joint = AdjustColor(border, -5);
  {
    TGPGraphics g(C->Handle());
    DrawLeftButtonBorder(&g, border, 2, 2, 20, 20, 0);
    DrawMiddleButtonBorder(&g, border, 30, 2, 20, 20, 0, false);
    DrawRightButtonBorder(&g, border, 55, 2, 20, 20, 0, true);
  }
  EXPECT_EQ(Px(2, 12), border);         // left button: left edge
  EXPECT_EQ(Px(22, 2), joint);          // and its right joint, full height
  EXPECT_EQ(Px(22, 12), joint);
  EXPECT_EQ(Px(40, 2), border);         // middle: top and bottom
  EXPECT_EQ(Px(40, 22), border);
  EXPECT_EQ(Px(30, 3), clWhite);        // its light left joint starts two rows down
  EXPECT_EQ(Px(30, 12), 0xE6E6E6);
  EXPECT_EQ(Px(50, 12), joint);
  EXPECT_EQ(Px(55, 2), joint);          // right, hot: the left joint full height
  EXPECT_EQ(Px(75, 12), border);
}

TEST_F(Draw, ScenicRibbonShortensTheRightJointOfLeftButtons) {
  SetGlobalWin7ScenicRibbon(true);
  {
    TGPGraphics g(C->Handle());
    DrawLeftButtonBorder(&g, 0x804020, 2, 2, 20, 20, 0);
  }
  ResetGlobalDrawingFlags();
  EXPECT_EQ(Px(22, 3), clWhite);
  EXPECT_EQ(Px(22, 12), AdjustColor(0x804020, -5));
}

TEST_F(Draw, DropDownArrowsAtFactorOne) {
  DrawDropDownArrow(C, TPoint(10, 10), 0, TDropDownDirection::ddDown);
  for (int x = 10; x < 15; ++x) EXPECT_EQ(Px(x, 10), 0) << x;
  EXPECT_EQ(Px(15, 10), clWhite);
  EXPECT_EQ(Px(10, 11), clWhite);
  for (int x = 11; x < 14; ++x) EXPECT_EQ(Px(x, 11), 0);
  EXPECT_EQ(Px(12, 12), 0);
  EXPECT_EQ(Px(11, 12), clWhite);
  EXPECT_EQ(Px(12, 13), clWhite);

  DrawDropDownArrow(C, TPoint(30, 10), 0, TDropDownDirection::ddUp);
  EXPECT_EQ(Px(32, 10), 0);
  EXPECT_EQ(Px(31, 10), clWhite);
  EXPECT_EQ(Px(31, 11), 0);
  EXPECT_EQ(Px(34, 12), 0);
  EXPECT_EQ(Px(35, 12), clWhite);

  DrawDropDownArrow(C, TPoint(50, 10), 0, TDropDownDirection::ddRight);
  for (int y = 10; y < 15; ++y) EXPECT_EQ(Px(50, y), 0);
  EXPECT_EQ(Px(52, 12), 0);
  EXPECT_EQ(Px(52, 11), clWhite);
}

TEST_F(Draw, DropDownArrowGrowsWithTheDpiFactor) {
  DPIFactor = 2.0f;  // six rows, starting one pixel further up and left
  DrawDropDownArrow(C, TPoint(20, 20), 0, TDropDownDirection::ddDown);
  EXPECT_EQ(Px(19, 19), 0);
  EXPECT_EQ(Px(19 + 10, 19), 0);
  EXPECT_EQ(Px(19 + 11, 19), clWhite);
  EXPECT_EQ(Px(19 + 5, 19 + 5), 0);
  EXPECT_EQ(Px(19 + 5, 19 + 6), clWhite);
}

TEST_F(Draw, GlassArrowIsTranslucent) {
  C->Brush()->SetColor(0x000000);
  C->FillRect(TRect(0, 0, 40, 40));
  DrawGlassDropDownArrow(C, TPoint(10, 10), 0xFFFFFF);
  TColor p = Px(12, 10);
  EXPECT_TRUE(Near(p, 0xC8C8C8, 25)) << std::hex << p;  // 200 of 255 over black
  EXPECT_EQ(Px(12, 20), 0x000000);
}

// ---------------------------------------------------------------------------
// Pictures and image lists

TEST_F(Draw, PictureAtIsCutToTheMaximaNotScaled) {
  std::unique_ptr<TGDIPPicture> bmp(PictureFromBytes(MakeKeyedBmp(20, 20, 0x0000FF, 0x00FF00)));
  std::unique_ptr<TGDIPPicture> png(PictureFromBytes(MakePng(20, 20, 0xFF0000)));
  {
    TGPGraphics g(C->Handle());
    DrawPictureAt(&g, TPoint(5, 5), bmp.get(), 10, 8);
    DrawPictureAt(&g, TPoint(40, 5), png.get(), 10, 8);
  }
  EXPECT_EQ(Px(5, 5), 0x0000FF);
  EXPECT_EQ(Px(14, 12), 0x0000FF);
  EXPECT_EQ(Px(15, 12), clWhite);  // not stretched to 20
  EXPECT_EQ(Px(14, 13), clWhite);
  EXPECT_EQ(Px(49, 12), 0xFF0000);
  EXPECT_EQ(Px(50, 12), clWhite);  // the other formats are cut the same way
  EXPECT_EQ(Px(49, 13), clWhite);
}

TEST_F(Draw, BitmapPictureKeysItsBottomLeftPixel) {
  std::unique_ptr<TGDIPPicture> bmp(PictureFromBytes(MakeKeyedBmp(20, 20, 0x0000FF, 0x00FF00)));
  {
    TGPGraphics g(C->Handle());
    DrawPictureAt(&g, TPoint(5, 5), bmp.get(), 0, 0);
  }
  EXPECT_EQ(Px(5, 24), clWhite);  // the key pixel is transparent
  EXPECT_EQ(Px(6, 24), 0x0000FF);
}

TEST_F(Draw, PictureInRectStretches) {
  std::unique_ptr<TGDIPPicture> png(PictureFromBytes(MakePng(10, 10, 0xFF0000)));
  std::unique_ptr<TGDIPPicture> bmp(PictureFromBytes(MakeKeyedBmp(10, 10, 0x0000FF, 0x00FF00)));
  {
    TGPGraphics g(C->Handle());
    DrawPictureInRect(&g, C, TRect(0, 0, 30, 30), png.get());
    DrawPictureInRect(&g, C, TRect(40, 0, 70, 30), bmp.get());
  }
  EXPECT_TRUE(Near(Px(25, 25), 0xFF0000));
  EXPECT_TRUE(Near(Px(65, 20), 0x0000FF));
  EXPECT_EQ(Px(41, 29), clWhite);  // the key colour stretched: transparent
}

TEST_F(Draw, NoMemoryForThePictureRaises) {
  std::unique_ptr<TGDIPPicture> png(PictureFromBytes(MakePng(10, 10, 0xFF0000)));
  SetGlobalAllocator([](UINT, SIZE_T) -> HGLOBAL { return nullptr; });
  TGPGraphics g(C->Handle());
  try {
    DrawPictureAt(&g, TPoint(0, 0), png.get(), 0, 0);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Could not allocate memory for image");
  }
  SetGlobalAllocator(nullptr);
}

TEST_F(Draw, SaturatedImageListGlyphIsGrey) {
  auto* owner = new TComponent(nullptr);
  TImageList* list = MakeImageList(owner, 16, 16, {0x0000FF});
  DrawImageListSaturated(C->Handle(), list, 0, 10, 10);
  // The record is the platform's own size, so the state is honoured.
  TColor p = Px(18, 18);
  EXPECT_TRUE(Near(p, 0x4C4C4C, 12)) << std::hex << p;
  owner->Free();
}

TEST_F(Draw, ImageListGlyphThroughGdiplus) {
  auto* owner = new TComponent(nullptr);
  // The bottom-left pixel is the key: it must differ from the glyph.
  auto* list = new TImageList(owner, 16, 16);
  list->SetColorDepth(TColorDepth::cd24Bit);
  TBitmap b(16, 16, TPixelFormat::pf24bit);
  b.Canvas()->Brush()->SetColor(0x0000FF);
  b.Canvas()->FillRect(TRect(0, 0, 16, 16));
  b.Canvas()->SetPixels(0, 15, 0x00FF00);
  list->Add(&b, nullptr);
  list->Add(&b, nullptr);
  {
    TGPGraphics g(C->Handle());
    DrawImageListGlyph(&g, TPoint(10, 10), list, true, 1);
    DrawImageListGlyph(&g, TPoint(40, 10), list, false, 1);
    DrawImageListGlyph(&g, TPoint(40, 40), list, true, -1);  // no index: nothing
  }
  EXPECT_EQ(Px(15, 15), 0x0000FF);
  EXPECT_EQ(Px(10, 25), clWhite);  // the key pixel
  TColor grey = Px(45, 15);
  EXPECT_TRUE(Near(grey, 0x4C4C4C, 12)) << std::hex << grey;
  EXPECT_EQ(Px(45, 45), clWhite);
  owner->Free();
}

// A graphic control that paints itself red.
class TRedBox : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(0x0000FF);
    Canvas()->FillRect(ClientRect());
  }
};

TEST_F(Draw, PaintCtrlsPaintsTheGraphicChildren) {
  TForm* f = MakeTestForm(100, 100);
  auto* a = new TRedBox(f);
  a->SetParent(f);
  a->SetBounds(10, 10, 20, 20);
  auto* b = new TRedBox(f);
  b->SetParent(f);
  b->SetBounds(40, 10, 20, 20);
  TWinCtrl::PaintCtrls(f, C->Handle(), b);
  EXPECT_EQ(Px(15, 15), clWhite);  // before First
  EXPECT_EQ(Px(45, 15), 0x0000FF);
  TWinCtrl::PaintCtrls(f, C->Handle(), nullptr);
  EXPECT_EQ(Px(15, 15), 0x0000FF);
  f->Free();
}

TEST(GlowHelpers, HidePrefixAsksTheTopMostParent) {
  // The top-most parent answers WM_QUERYUISTATE (this wine keeps no cue
  // state of its own, so the form answers through its window procedure).
  TForm* f = MakeTestForm(100, 100);
  auto* p = new TPanel(f);
  p->SetParent(f);
  auto* inner = new TPanel(f);
  inner->SetParent(p);
  LRESULT state = UISF_HIDEACCEL;
  int asked = 0;
  auto saved = f->WindowProc;
  f->WindowProc = [&, saved](TMessage& m) {
    if (m.Msg == WM_QUERYUISTATE) {
      ++asked;
      m.Result = state;
      return;
    }
    saved(m);
  };
  EXPECT_EQ(GetHidePrefixFlag(inner), static_cast<UINT>(DT_HIDEPREFIX));
  state = UISF_HIDEFOCUS;
  EXPECT_EQ(GetHidePrefixFlag(inner), 0u);
  EXPECT_EQ(asked, 2);
  f->WindowProc = saved;
  f->Free();
}

// ---------------------------------------------------------------------------
// The appearance

TEST(GlowAppearance, DefaultsIncludeTheDerivedColours) {
  TGlowButtonAppearance a;
  struct Case {
    const char* Name;
    TColor Got, Want;
  } cases[] = {
      {"Color", a.Color(), 0xFFFFFF},          {"ColorMirror", a.ColorMirror(), 0xC0C0C0},
      {"ColorHot", a.ColorHot(), 0xF5F0E1},    {"ColorDown", a.ColorDown(), 0xF5D8CA},
      {"ColorChecked", a.ColorChecked(), 0xF5D8CA}, {"ColorDownTo", a.ColorDownTo(), 0xF9BDA0},
      {"ColorMirrorDown", a.ColorMirrorDown(), 0xF5B49C}, {"ColorMirrorDownTo", a.ColorMirrorDownTo(), 0xFFDFDC},
      {"ColorMirrorCheckedTo", a.ColorMirrorCheckedTo(), 0xFFDFDC}, {"ColorDisabled", a.ColorDisabled(), 0xF2F2F2},
      {"ColorMirrorDisabled", a.ColorMirrorDisabled(), 0xB6B6B6}, {"BorderColor", a.BorderColor(), 0xC0C0C0},
      {"BorderColorHot", a.BorderColorHot(), 0xFF0000}, {"BorderColorDown", a.BorderColorDown(), 0x800000},
      {"BorderColorFocused", a.BorderColorFocused(), 0xE4AD89},
      {"BorderColorCheckedHot", a.BorderColorCheckedHot(), clNone}, {"TextColor", a.TextColor(), clNone},
      {"TextColorHot", a.TextColorHot(), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(c.Got, c.Want) << c.Name;
  EXPECT_EQ(a.Gradient(), TGDIPGradient::ggVertical);
  EXPECT_EQ(a.GradientHot(), TGDIPGradient::ggRadial);
  EXPECT_EQ(a.GradientMirrorChecked(), TGDIPGradient::ggVertical);
  EXPECT_TRUE(a.SystemFont());
  EXPECT_FALSE(a.TranspHover());
}

TEST(GlowAppearance, OneEventPerRealChange) {
  TGlowButtonAppearance a;
  int events = 0;
  a.OnChange = [&](TObject* s) {
    EXPECT_EQ(s, &a);
    ++events;
  };
  a.SetColor(a.Color());
  EXPECT_EQ(events, 0);
  a.SetColor(0x123456);
  EXPECT_EQ(events, 1);
  a.SetGradient(TGDIPGradient::ggDiagonalForward);
  EXPECT_EQ(events, 2);
  a.SetBorderColorCheckedHot(0x111111);  // written directly
  a.SetTranspHover(true);
  EXPECT_EQ(events, 2);
}

TEST(GlowAppearance, AssignCopiesThroughTheSettersAndKeepsItsHandler) {
  TGlowButtonAppearance a, b;
  int events = 0;
  a.OnChange = [&](TObject*) { ++events; };
  a.Assign(&b);
  EXPECT_EQ(events, 0);  // equal values: no event

  // Every value different.
  TGlowButtonAppearance c;
  TColor next = 0x010101;
  auto n = [&] { return next += 0x010203; };
  c.SetColor(n()); c.SetColorTo(n()); c.SetColorMirror(n()); c.SetColorMirrorTo(n());
  c.SetColorHot(n()); c.SetColorHotTo(n()); c.SetColorMirrorHot(n()); c.SetColorMirrorHotTo(n());
  c.SetColorDown(n()); c.SetColorDownTo(n()); c.SetColorMirrorDown(n()); c.SetColorMirrorDownTo(n());
  c.SetColorChecked(n()); c.SetColorCheckedTo(n()); c.SetColorMirrorChecked(n()); c.SetColorMirrorCheckedTo(n());
  c.SetColorDisabled(n()); c.SetColorDisabledTo(n()); c.SetColorMirrorDisabled(n()); c.SetColorMirrorDisabledTo(n());
  c.SetBorderColor(n()); c.SetBorderColorHot(n()); c.SetBorderColorDown(n()); c.SetBorderColorChecked(n());
  c.SetBorderColorDisabled(n()); c.SetBorderColorFocused(n()); c.SetBorderColorCheckedHot(n());
  c.SetGradient(TGDIPGradient::ggDiagonalBackward); c.SetGradientMirror(TGDIPGradient::ggRadial);
  c.SetGradientHot(TGDIPGradient::ggVertical); c.SetGradientMirrorHot(TGDIPGradient::ggVertical);
  c.SetGradientDown(TGDIPGradient::ggVertical); c.SetGradientMirrorDown(TGDIPGradient::ggVertical);
  c.SetGradientChecked(TGDIPGradient::ggVertical); c.SetGradientMirrorChecked(TGDIPGradient::ggRadial);
  c.SetGradientDisabled(TGDIPGradient::ggVertical); c.SetGradientMirrorDisabled(TGDIPGradient::ggVertical);
  c.SetTextColorHot(n()); c.SetTextColorDown(n()); c.SetTextColorChecked(n()); c.SetTextColor(n());
  c.SetSystemFont(false);
  c.SetTranspHover(true);
  c.SetNoBorderDefault(true);
  a.Assign(&c);
  EXPECT_EQ(events, 41);
  EXPECT_EQ(a.BorderColorCheckedHot(), c.BorderColorCheckedHot());
  EXPECT_TRUE(a.TranspHover());
  EXPECT_TRUE(a.NoBorderDefault());
  EXPECT_EQ(a.TextColor(), c.TextColor());
  EXPECT_FALSE(a.SystemFont());
  a.SetColor(0);
  EXPECT_EQ(events, 42);  // still its own handler
}

TEST(GlowAppearance, AssignFromAnotherClassRaisesAndChangesNothing) {
  TGlowButtonAppearance a;
  TFont f;
  EXPECT_THROW(a.Assign(&f), EConvertError);
  EXPECT_EQ(a.Color(), 0xFFFFFF);
}

}  // namespace
