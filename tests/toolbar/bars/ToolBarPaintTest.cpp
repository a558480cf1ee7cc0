// The toolbar library's painting helpers, by the pixels they leave in
// bitmaps.
#include <gtest/gtest.h>

#include <memory>

#include "base/FileStreams.h"
#include "base/Forms.h"
#include "base/ImgList.h"
#include "tests/draw/DrawTestSupport.h"
#include "tests/support/Gui.h"
#include "tests/toolbar/bars/PaintTestSupport.h"
#include "ui/controls/buttons/GlowButtonAppearance.h"
#include "ui/draw/GdipPicture.h"
#include "ui/toolbar/bars/ToolBarPaint.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

namespace {

struct PaintFixture : ::testing::Test {
  ~PaintFixture() override {
    ResetToolBarRuntime();
    ResetGlobalDrawingFlags();
    SetGlobalAllocator(nullptr);
  }
};

TColor Rgb(int R, int G, int B) { return static_cast<TColor>(R | (G << 8) | (B << 16)); }

}  // namespace

TEST_F(PaintFixture, SteppedGradientBandsTakeTheirColourAndOverlapByOnePixel) {
  // Four bands from black to (200, 100, 40) over 40 columns: band n has
  // n/4 of the way, starts at 10 n and reaches one pixel into the next.
  auto bmp = FilledBitmap(40, 10, clWhite);
  DrawGradient(bmp->Canvas(), clBlack, Rgb(200, 100, 40), 4, TRect(0, 0, 40, 10), true);
  struct {
    int X;
    TColor Expected;
  } cases[] = {{0, Rgb(0, 0, 0)}, {9, Rgb(0, 0, 0)}, {10, Rgb(50, 25, 10)}, {25, Rgb(100, 50, 20)},
               {35, Rgb(150, 75, 30)}, {39, Rgb(150, 75, 30)}};
  for (auto& c : cases) EXPECT_EQ(PixelAt(bmp.get(), c.X, 5), c.Expected) << "x " << c.X;

  // Vertical: the rows do the same; a count of 0 is one band of FromColor.
  // Vertical: 8 rows of 2 bands; halves round to even (-127.5 to -128).
  DrawGradient(bmp->Canvas(), clRed, clBlue, 2, TRect(0, 0, 40, 9), false);
  EXPECT_EQ(PixelAt(bmp.get(), 3, 3), clRed);
  EXPECT_EQ(PixelAt(bmp.get(), 3, 4), Rgb(127, 0, 128));
  EXPECT_EQ(PixelAt(bmp.get(), 3, 8), Rgb(127, 0, 128));
  DrawGradient(bmp->Canvas(), clGreen, clBlue, 0, TRect(0, 0, 40, 10), true);
  EXPECT_EQ(CountPixels(bmp.get(), TRect(0, 0, 40, 10), clGreen), 400);
  // Equal ends: every band has that colour.
  DrawGradient(bmp->Canvas(), clNavy, clNavy, 7, TRect(0, 0, 40, 10), false);
  EXPECT_EQ(CountPixels(bmp.get(), TRect(0, 0, 40, 10), clNavy), 400);
}

TEST_F(PaintFixture, SplitBackgroundBandsAndBorder) {
  auto bmp = FilledBitmap(40, 30, clWhite);
  // Top band of 10 + 1 rows, the bottom band from row 10 on; no border.
  DrawSplitBackground(bmp->Canvas(), TRect(0, 0, 40, 30), 10, clRed, clNone, clBlue, clNone, clNone, 0);
  EXPECT_EQ(PixelAt(bmp.get(), 0, 0), clRed);
  EXPECT_EQ(PixelAt(bmp.get(), 20, 9), clRed);
  EXPECT_EQ(PixelAt(bmp.get(), 20, 10), clBlue);
  EXPECT_EQ(PixelAt(bmp.get(), 39, 29), clBlue);
  // Without bottom colours the top fill takes the whole rectangle.
  DrawSplitBackground(bmp->Canvas(), TRect(0, 0, 40, 30), 10, clLime, clNone, clNone, clNone, clNone, 0);
  EXPECT_EQ(CountPixels(bmp.get(), TRect(0, 0, 40, 30), clLime), 1200);
  // A square border when Rounding is 0.
  DrawSplitBackground(bmp->Canvas(), TRect(0, 0, 40, 30), 10, clWhite, clNone, clNone, clNone, clBlack, 0);
  EXPECT_TRUE(Near(PixelAt(bmp.get(), 0, 0), clBlack, 60));
  EXPECT_TRUE(Near(PixelAt(bmp.get(), 39, 29), clBlack, 60));
  EXPECT_EQ(PixelAt(bmp.get(), 20, 15), clWhite);
  // Rounded corners leave the corner pixel nearly background.
  DrawSplitBackground(bmp->Canvas(), TRect(0, 0, 40, 30), 10, clWhite, clNone, clNone, clNone, clBlack, 3);
  EXPECT_FALSE(Near(PixelAt(bmp.get(), 0, 0), clBlack, 60));
  EXPECT_TRUE(Near(PixelAt(bmp.get(), 0, 15), clBlack, 60));
}

TEST_F(PaintFixture, FadeRightPaintsOnlyStripsAndAlphasStopAtZero) {
  // 40 pixels wide: no gradient before the strips; with start alphas of 25
  // the fourth strip is already transparent, and the last 4 pixels are
  // never painted.
  auto bmp = FilledBitmap(40, 10, clBlack);
  DrawAlphaGradientFadeRight(bmp->Canvas()->Handle(), TRect(0, 0, 40, 9), clWhite, 25, 25);
  TColor first = PixelAt(bmp.get(), 0, 1);
  EXPECT_GE(first & 0xFF, 15);
  EXPECT_LE(first & 0xFF, 35);
  EXPECT_LT(PixelAt(bmp.get(), 2, 1) & 0xFF, first & 0xFF);
  for (int x : {6, 7, 20, 35, 36, 37, 38, 39}) EXPECT_EQ(PixelAt(bmp.get(), x, 5), clBlack) << "x " << x;
  // A wider area: the gradient fills all but the last 40 pixels.
  auto wide = FilledBitmap(100, 10, clBlack);
  DrawAlphaGradientFadeRight(wide->Canvas()->Handle(), TRect(0, 0, 100, 9), clWhite, 255, 255);
  EXPECT_TRUE(Near(PixelAt(wide.get(), 30, 5), clWhite, 4));
  EXPECT_TRUE(Near(PixelAt(wide.get(), 60, 5), clWhite, 4));
  EXPECT_EQ(PixelAt(wide.get(), 97, 5), clBlack);
}

TEST_F(PaintFixture, AlphaFillsMixWithWhatIsBelow) {
  auto bmp = FilledBitmap(20, 21, clBlack);
  DrawAlphaGradient(bmp->Canvas()->Handle(), TRect(0, 0, 20, 20), clWhite, 0, 255);
  // Transparent at the top, opaque at the bottom (Bottom - Top + 1 rows).
  EXPECT_LT(PixelAt(bmp.get(), 10, 0) & 0xFF, 20);
  EXPECT_GT(PixelAt(bmp.get(), 10, 20) & 0xFF, 230);
  // The fade takes the colour's bytes as they stand.
  auto fade = FilledBitmap(20, 20, clBlack);
  DrawAlphaFade(fade->Canvas()->Handle(), TRect(0, 0, 20, 20), Rgb(0, 0, 255));
  TColor low = PixelAt(fade.get(), 10, 19);
  EXPECT_EQ(low & 0xFFFF, 0);
  EXPECT_GT((low >> 16) & 0xFF, 90);
}

TEST_F(PaintFixture, RectangleOutlinesTakeRightAndBottomAsTheSize) {
  auto bmp = FilledBitmap(20, 20, clWhite);
  TGPGraphics g(bmp->Canvas()->Handle());
  DrawRectGdip(&g, nullptr, clBlack, TRect(2, 3, 10, 8));
  EXPECT_EQ(PixelAt(bmp.get(), 2, 5), clBlack);   // left edge at x 2
  EXPECT_EQ(PixelAt(bmp.get(), 12, 5), clBlack);  // right edge at 2 + 10
  EXPECT_EQ(PixelAt(bmp.get(), 5, 11), clBlack);  // bottom edge at 3 + 8
  EXPECT_EQ(PixelAt(bmp.get(), 6, 6), clWhite);
  // Neither graphics nor canvas: nothing happens.
  EXPECT_NO_THROW(DrawRectGdip(nullptr, nullptr, clBlack, TRect(0, 0, 4, 4)));
}

TEST_F(PaintFixture, DropDownArrowRowsOfFiveThreeAndOne) {
  auto bmp = FilledBitmap(20, 20, clWhite);
  {
    TGPGraphics g(bmp->Canvas()->Handle());
    DrawDownArrowGdip(&g, nullptr, clBlack, TPoint(5, 5));
  }
  EXPECT_EQ(CountPixels(bmp.get(), TRect(5, 5, 11, 6), clBlack), 6);  // (5..10, 5): the stroke reaches X + 5
  EXPECT_EQ(PixelAt(bmp.get(), 7, 7), clBlack);
  EXPECT_EQ(PixelAt(bmp.get(), 7, 9), clWhite);
}

TEST_F(PaintFixture, VerticalCaptionUnderlinesTheMarkedCharacterOnly) {
  TFont font;
  font.SetName(L"Tahoma");
  font.SetSize(10);
  font.SetColor(clRed);
  auto measure = FilledBitmap(10, 10, clWhite);
  measure->Canvas()->Font()->Assign(&font);
  int h = measure->Canvas()->TextHeight(L"File");
  int w1 = measure->Canvas()->TextWidth(L"Fi");
  int w2 = measure->Canvas()->TextWidth(L"l");
  TPoint p(60, 4);
  int lineX = p.x - h + 1;
  auto bmp = FilledBitmap(140, 60, clWhite);
  bmp->Canvas()->Font()->Assign(&font);
  bmp->Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
  DrawVerticalCaption(bmp->Canvas(), L"Fi&le", p);
  EXPECT_EQ(CountPixels(bmp.get(), TRect(lineX, p.y + w1, lineX + 1, p.y + w1 + w2), clRed), w2);
  EXPECT_EQ(PixelAt(bmp.get(), lineX, p.y + w1 - 1), clWhite);
  EXPECT_EQ(PixelAt(bmp.get(), lineX, p.y + w1 + w2), clWhite);
  // A doubled mark draws one ampersand and nothing underlined.
  auto plain = FilledBitmap(140, 60, clWhite);
  plain->Canvas()->Font()->Assign(&font);
  plain->Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
  DrawVerticalCaption(plain->Canvas(), L"A&&B", p);
  EXPECT_EQ(CountPixels(plain.get(), TRect(0, 0, p.x, 60), clRed, 100), 0);
  auto direct = FilledBitmap(140, 60, clWhite);
  direct->Canvas()->Font()->Assign(&font);
  direct->Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
  direct->Canvas()->TextOut(p.x, p.y, L"A&B");
  EXPECT_TRUE(SameBitmaps(plain.get(), direct.get()));
}

TEST_F(PaintFixture, EllipsisTextKeepsTheLongestPrefixThatFits) {
  TFont font;
  font.SetName(L"Tahoma");
  font.SetSize(10);
  font.SetColor(clBlack);
  auto draw = [&](const String& Text, int Width, bool Ellipsis) {
    auto bmp = FilledBitmap(200, 20, clWhite);
    bmp->Canvas()->Font()->Assign(&font);
    TRect bounds;
    DrawTextEllipsis(bmp->Canvas(), TAlignment::taLeftJustify, 0, TRect(0, 0, Width, 20), Text, &font, true, true,
                     TAntiAlias::aaAntiAlias, Ellipsis, false, bounds);
    return bmp;
  };
  auto measure = FilledBitmap(10, 10, clWhite);
  measure->Canvas()->Font()->Assign(&font);
  TRect bounds;
  DrawTextEllipsis(measure->Canvas(), TAlignment::taLeftJustify, 0, TRect(0, 0, 200, 20), L"Abc...", &font, true,
                   false, TAntiAlias::aaAntiAlias, true, false, bounds);
  int fits = bounds.Width() + 1;
  ASSERT_GT(fits, 10);
  // Room for "Abc..." but not "Abcd...": exactly that is drawn.
  EXPECT_TRUE(SameBitmaps(draw(L"Abcdefghijklmnop", fits, true).get(), draw(L"Abc...", fits, true).get()));
  // Too narrow even for "...": "..." is drawn.
  EXPECT_TRUE(SameBitmaps(draw(L"Abcdefghijklmnop", 2, true).get(), draw(L"...", 2, true).get()));
  // An empty text measures nothing and draws nothing.
  DrawTextEllipsis(measure->Canvas(), TAlignment::taLeftJustify, 0, TRect(0, 0, 200, 20), L"", &font, true, true,
                   TAntiAlias::aaAntiAlias, true, false, bounds);
  EXPECT_EQ(bounds, TRect(0, 0, 0, 0));
}

TEST_F(PaintFixture, TextMeasuresAndDrawsOnlyWhenAsked) {
  TFont font;
  font.SetName(L"Tahoma");
  font.SetSize(9);
  auto bmp = FilledBitmap(200, 40, clWhite);
  TRect bounds(1, 1, 1, 1);
  DrawTextGdip(bmp->Canvas(), TAlignment::taLeftJustify, TRect(0, 0, 200, 40), L"", &font, true, true,
               TAntiAlias::aaClearType, false, clNone, false, bounds);
  EXPECT_EQ(bounds, TRect(0, 0, 0, 0));
  EXPECT_EQ(GetTextWidthGdip(bmp->Canvas(), L"", &font, TAntiAlias::aaClearType), 0);
  int one = GetTextWidthGdip(bmp->Canvas(), L"W", &font, TAntiAlias::aaClearType);
  int three = GetTextWidthGdip(bmp->Canvas(), L"WWW", &font, TAntiAlias::aaClearType);
  EXPECT_GT(one, 0);
  EXPECT_GT(three, 2 * one);
  // Measuring leaves the bitmap as it was; drawing puts the text in the
  // font colour (or grey when disabled) inside the rectangle.
  for (TAntiAlias aa : {TAntiAlias::aaNone, TAntiAlias::aaClearType, TAntiAlias::aaAntiAlias}) {
    auto pic = FilledBitmap(200, 40, clWhite);
    DrawTextGdip(pic->Canvas(), TAlignment::taLeftJustify, TRect(10, 0, 200, 40), L"Wide", &font, true, false, aa,
                 false, clNone, false, bounds);
    EXPECT_GT(bounds.Width(), 10);
    EXPECT_EQ(CountPixels(pic.get(), TRect(0, 0, 200, 40), clWhite), 8000);
    font.SetColor(clBlue);
    DrawTextGdip(pic->Canvas(), TAlignment::taLeftJustify, TRect(10, 0, 200, 40), L"WWW", &font, true, true, aa,
                 false, clNone, false, bounds);
    EXPECT_GT(CountPixels(pic.get(), TRect(10, 0, 200, 40), clBlue, 40), 10) << int(aa);
    EXPECT_EQ(CountPixels(pic.get(), TRect(0, 0, 10, 40), clWhite), 400);
    DrawTextGdip(pic->Canvas(), TAlignment::taLeftJustify, TRect(100, 0, 200, 40), L"WWW", &font, false, true, aa,
                 false, clNone, false, bounds);
    EXPECT_GT(CountPixels(pic.get(), TRect(100, 0, 200, 40), clGray, 40), 10) << int(aa);
  }
}

TEST_F(PaintFixture, GraphicsWithAColourKeyLoseTheirCornerColour) {
  // A BMP with a blue top-left pixel on red: keyed, the blue pixels let the
  // green background through; unkeyed they stay blue. A PNG is never keyed.
  TBitmap pic(8, 8, TPixelFormat::pf24bit);
  pic.Canvas()->Brush()->SetColor(clRed);
  pic.Canvas()->FillRect(TRect(0, 0, 8, 8));
  pic.Canvas()->SetPixels(0, 0, clBlue);
  pic.Canvas()->SetPixels(5, 5, clBlue);
  auto keyed = FilledBitmap(20, 20, clLime);
  DrawGraphicGdip(nullptr, keyed->Canvas(), TPoint(4, 4), &pic, true);
  EXPECT_EQ(PixelAt(keyed.get(), 4, 4), clLime);
  EXPECT_EQ(PixelAt(keyed.get(), 9, 9), clLime);
  EXPECT_EQ(PixelAt(keyed.get(), 6, 6), clRed);
  auto plain = FilledBitmap(20, 20, clLime);
  DrawGraphicGdip(nullptr, plain->Canvas(), TPoint(4, 4), &pic, false);
  EXPECT_EQ(PixelAt(plain.get(), 4, 4), clBlue);

  std::unique_ptr<TGDIPPicture> png(new TGDIPPicture());
  TStringStream bytes(MakePng(6, 6, clBlue));
  png->LoadFromStream(&bytes);
  auto pngTarget = FilledBitmap(20, 20, clLime);
  DrawGraphicGdip(nullptr, pngTarget->Canvas(), TPoint(2, 2), png.get(), true);
  EXPECT_EQ(PixelAt(pngTarget.get(), 3, 3), clBlue);

  // No memory for the picture: the fixed message.
  SetGlobalAllocator([](UINT, SIZE_T) -> HGLOBAL { return nullptr; });
  try {
    DrawGraphicGdip(nullptr, plain->Canvas(), TPoint(0, 0), &pic, false);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Could not allocate memory for image");
  }
}

TEST_F(PaintFixture, ImageListImagesLoseTheirBottomLeftColour) {
  TOwned<TImageList> owned(new TImageList(nullptr, 8, 8));
  TImageList* list = owned.Get();
  list->SetColorDepth(TColorDepth::cd24Bit);
  TBitmap image(8, 8, TPixelFormat::pf24bit);
  image.Canvas()->Brush()->SetColor(clYellow);
  image.Canvas()->FillRect(TRect(0, 0, 8, 8));
  image.Canvas()->Brush()->SetColor(clPurple);
  image.Canvas()->FillRect(TRect(0, 4, 8, 8));
  list->Add(&image, nullptr);
  auto bmp = FilledBitmap(20, 20, clAqua);
  DrawImageListGdip(nullptr, bmp->Canvas(), TPoint(2, 2), list, -1, true);
  EXPECT_EQ(CountPixels(bmp.get(), TRect(0, 0, 20, 20), clAqua), 400);
  DrawImageListGdip(nullptr, bmp->Canvas(), TPoint(2, 2), list, 0, true);
  EXPECT_EQ(PixelAt(bmp.get(), 4, 3), clYellow);
  EXPECT_EQ(PixelAt(bmp.get(), 4, 8), clAqua);
  DrawImageListGdip(nullptr, bmp->Canvas(), TPoint(2, 2), nullptr, 0, true);
}

TEST_F(PaintFixture, ClearingAGlowAppearanceEmptiesItsFillsAndBorders) {
  ClearGlowButtonAppearance(nullptr);
  TGlowButtonAppearance a;
  int changes = 0;
  a.OnChange = [&](TObject*) { ++changes; };
  a.SetColor(clRed);
  a.SetColorMirrorDownTo(clRed);
  a.SetColorDisabledTo(clRed);
  a.SetBorderColorDown(clRed);
  a.SetColorChecked(clRed);
  changes = 0;
  ClearGlowButtonAppearance(&a);
  EXPECT_EQ(a.Color(), clNone);
  EXPECT_EQ(a.ColorMirrorDownTo(), clNone);
  EXPECT_EQ(a.ColorDisabledTo(), clNone);
  EXPECT_EQ(a.BorderColorDown(), clNone);
  EXPECT_EQ(a.ColorChecked(), clRed);  // the checked set is not one of them
  EXPECT_GT(changes, 0);
}
