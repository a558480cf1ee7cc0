// Button faces, glow faces, their border pieces and the caption glyphs, by
// the pixels they leave in bitmaps; and the focus-walk list filter.
#include <gtest/gtest.h>

#include "base/ExtCtrls.h"
#include "base/Forms.h"
#include "base/Hints.h"
#include "base/StdCtrls.h"
#include "tests/support/Gui.h"
#include "tests/toolbar/bars/PaintTestSupport.h"
#include "ui/toolbar/bars/ButtonFaces.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

namespace {

struct FacesFixture : ::testing::Test {
  ~FacesFixture() override {
    ResetToolBarRuntime();
    ResetGlobalDrawingFlags();
  }
};

TColor Rgb(int R, int G, int B) { return static_cast<TColor>(R | (G << 8) | (B << 16)); }
int Green(TColor C) { return (C >> 8) & 0xFF; }

constexpr auto kVertical = TGDIPGradient::ggVertical;
constexpr auto kRadial = TGDIPGradient::ggRadial;

}  // namespace

TEST_F(FacesFixture, SolidFaceStartsOnePixelLeftAndItsSquareBorderTwo) {
  auto bmp = FilledBitmap(60, 40, clWhite);
  DrawButtonFace(bmp->Canvas(), TRect(10, 5, 40, 25), clRed, clNone, clNone, clNone, clBlue, kVertical, kVertical,
                 false);
  struct {
    int X, Y;
    TColor Expected;
  } cases[] = {
      {9, 12, clRed},     // the fill starts at Left - 1
      {38, 12, clRed},    // and is W wide
      {8, 12, clBlue},    // the border's left edge at Left - 2
      {39, 12, clBlue},   // its right edge W + 1 further
      {20, 5, clBlue},    // top
      {20, 24, clBlue},   // bottom at Top + H - 1
      {20, 26, clWhite},
  };
  for (auto& c : cases) EXPECT_TRUE(Near(PixelAt(bmp.get(), c.X, c.Y), c.Expected, 40)) << c.X << "," << c.Y;
  // Without a border colour no border is drawn.
  auto plain = FilledBitmap(60, 40, clWhite);
  DrawButtonFace(plain->Canvas(), TRect(10, 5, 40, 25), clRed, clNone, clNone, clNone, clNone, kVertical, kVertical,
                 false);
  EXPECT_EQ(PixelAt(plain.get(), 8, 12), clWhite);
  EXPECT_EQ(PaintedBox(plain.get(), clWhite), TRect(9, 5, 39, 25));
}

TEST_F(FacesFixture, TwoPartFaceFillsItsHalvesWhereTheyBelong) {
  // 20 rows from Top 0: the upper gradient covers rows 1 to 9, never column
  // Left or row 0; the lower half starts at row 10.
  for (TGDIPGradient lower : {kRadial, kVertical}) {
    auto bmp = FilledBitmap(40, 30, clWhite);
    DrawButtonFace(bmp->Canvas(), TRect(0, 0, 30, 20), clRed, Rgb(255, 255, 0), clBlue, Rgb(0, 255, 255), clNone,
                   kVertical, lower, false);
    EXPECT_EQ(PixelAt(bmp.get(), 0, 4), clRed);   // column Left: only the solid fill
    EXPECT_EQ(PixelAt(bmp.get(), 10, 0), clRed);  // row 0 likewise
    EXPECT_LT(Green(PixelAt(bmp.get(), 10, 2)), Green(PixelAt(bmp.get(), 10, 8)));
    EXPECT_EQ(PixelAt(bmp.get(), 0, 15), clBlue);
    EXPECT_EQ(PixelAt(bmp.get(), 10, 25), clWhite);   // nothing below the gradients' reach
    EXPECT_EQ(PixelAt(bmp.get(), 35, 10), clWhite);   // nor beside the face
    EXPECT_NE(PixelAt(bmp.get(), 15, 16), clBlue) << int(lower);  // the lower gradient is there
  }
  // Only ColorTo set (ColorMirror clNone): still the two-part face.
  auto bmp = FilledBitmap(40, 30, clWhite);
  DrawButtonFace(bmp->Canvas(), TRect(5, 0, 35, 20), clRed, Rgb(255, 255, 0), clNone, clNone, clNone, kVertical,
                 kVertical, false);
  EXPECT_EQ(PixelAt(bmp.get(), 4, 5), clWhite);  // no shift to the left
  EXPECT_EQ(PixelAt(bmp.get(), 5, 5), clRed);
}

TEST_F(FacesFixture, GlowFaceWithoutFillDrawsOnlyTheFocusFrame) {
  auto bmp = FilledBitmap(40, 30, clWhite);
  DrawGlowButtonFace(bmp->Canvas(), TRect(0, 0, 40, 30), clRed, clYellow, clBlue, clAqua, clBlack, kVertical,
                     kVertical, false, true, false, TButtonPosition::bpStandalone, true, true);
  EXPECT_EQ(PaintedBox(bmp.get(), clWhite), TRect());
  DrawGlowButtonFace(bmp->Canvas(), TRect(0, 0, 40, 30), clRed, clYellow, clBlue, clAqua, clBlack, kVertical,
                     kVertical, true, true, false, TButtonPosition::bpStandalone, true, true);
  TRect frame = PaintedBox(bmp.get(), clWhite);
  EXPECT_GE(frame.left, 0);
  EXPECT_LE(frame.left, 2);
  EXPECT_GE(frame.right, 37);
  EXPECT_EQ(PixelAt(bmp.get(), 20, 15), clWhite);
  // Filled: the upper half starts with Color, the lower one ends near
  // ColorMirrorTo.
  auto face = FilledBitmap(40, 30, clWhite);
  DrawGlowButtonFace(face->Canvas(), TRect(0, 0, 40, 30), clRed, clRed, clBlue, clBlue, clNone, kVertical, kVertical,
                     false, false, false, TButtonPosition::bpStandalone, true, true);
  EXPECT_EQ(PixelAt(face.get(), 20, 3), clRed);
  EXPECT_EQ(PixelAt(face.get(), 20, 27), clBlue);
}

TEST_F(FacesFixture, SegmentBordersJoinDarkWhenHotAndLightOtherwise) {
  // A middle piece at X 5, Y 2, 20 x 16: the left joint is full height and
  // darker while hot, else light grey from Y + 2 to Y + H - 2.
  TColor border = Rgb(100, 100, 200);
  TColor dark = ScaleColorChannels(border, -5);
  TColor light = ScaleColorChannels(clWhite, -10);
  for (bool hot : {true, false}) {
    auto bmp = FilledBitmap(40, 30, clBlack);
    {
      TGPGraphics g(bmp->Canvas()->Handle());
      DrawGlowBorderMiddle(&g, border, 5, 2, 20, 16, 3, hot);
    }
    EXPECT_TRUE(Near(PixelAt(bmp.get(), 25, 10), dark, 2));  // right edge
    EXPECT_TRUE(Near(PixelAt(bmp.get(), 15, 2), border, 2));  // top edge
    EXPECT_TRUE(Near(PixelAt(bmp.get(), 15, 18), border, 2)); // bottom edge
    if (hot) {
      EXPECT_TRUE(Near(PixelAt(bmp.get(), 5, 3), dark, 2));
      EXPECT_TRUE(Near(PixelAt(bmp.get(), 5, 10), dark, 2));
    } else {
      EXPECT_EQ(PixelAt(bmp.get(), 5, 3), clBlack);
      EXPECT_TRUE(Near(PixelAt(bmp.get(), 5, 10), light, 2));
    }
  }
  // The right piece has the same joint.
  auto right = FilledBitmap(40, 30, clBlack);
  {
    TGPGraphics g(right->Canvas()->Handle());
    DrawGlowBorderRight(&g, border, 5, 2, 20, 16, 3, false);
  }
  EXPECT_EQ(PixelAt(right.get(), 5, 3), clBlack);
  EXPECT_TRUE(Near(PixelAt(right.get(), 5, 10), light, 2));
  // A pressed scroll button in the left position keeps its border colour.
  auto left = FilledBitmap(40, 30, clBlack);
  {
    TGPGraphics g(left->Canvas()->Handle());
    DrawGlowBorderLeft(&g, border, 5, 2, 20, 16, 3);
  }
  EXPECT_TRUE(Near(PixelAt(left.get(), 25, 10), dark, 2));
  EXPECT_TRUE(Near(PixelAt(left.get(), 5, 10), border, 2));
}

TEST_F(FacesFixture, ScaleColorChannelsTable) {
  struct {
    TColor In;
    int Percent;
    TColor Out;
  } cases[] = {
      {clRed, -10, Rgb(230, 0, 0)},          // 229.5 rounds to even
      {Rgb(200, 0, 100), 10, Rgb(200, 10, 100)},  // positive: zero channels become the percent
      {Rgb(200, 0, 100), -5, Rgb(190, 0, 95)},
      {clWhite, -10, Rgb(230, 230, 230)},
  };
  for (auto& c : cases) EXPECT_EQ(ScaleColorChannels(c.In, c.Percent), c.Out) << std::hex << c.In;
}

TEST_F(FacesFixture, GlyphsStayInTheirBoxes) {
  struct {
    const char* Name;
    void (*Draw)(TCanvas*);
    TRect Box;
  } cases[] = {
      {"close", [](TCanvas* c) { DrawCloseGlyph(c, TRect(0, 0, 16, 16), clBlack, 1); }, TRect(2, 2, 12, 13)},
      {"minimize", [](TCanvas* c) { DrawMinimizeGlyph(c, TRect(0, 0, 16, 16), clBlack); }, TRect(3, 10, 13, 12)},
      {"maximize", [](TCanvas* c) { DrawMaximizeGlyph(c, TRect(0, 0, 16, 16), clBlack); }, TRect(3, 3, 13, 13)},
      {"restore", [](TCanvas* c) { DrawRestoreGlyph(c, TRect(0, 0, 16, 16), clBlack); }, TRect(3, 3, 14, 14)},
  };
  for (auto& c : cases) {
    auto bmp = FilledBitmap(16, 16, clWhite);
    c.Draw(bmp->Canvas());
    EXPECT_EQ(PaintedBox(bmp.get(), clWhite), c.Box) << c.Name;
  }
  // The minimize bar: two full rows.
  auto bmp = FilledBitmap(16, 16, clWhite);
  DrawMinimizeGlyph(bmp->Canvas(), TRect(0, 0, 16, 16), clRed);
  EXPECT_EQ(CountPixels(bmp.get(), TRect(0, 10, 16, 12), clRed), 20);
  // The close cross with a pen of 2 reaches a little further but stays near
  // its diagonals.
  auto wide = FilledBitmap(16, 16, clWhite);
  DrawCloseGlyph(wide->Canvas(), TRect(0, 0, 16, 16), clBlack, 2);
  TRect box = PaintedBox(wide.get(), clWhite);
  EXPECT_GE(box.left, 1);
  EXPECT_LE(box.right, 14);
  EXPECT_EQ(PixelAt(wide.get(), 7, 7), clBlack);
}

TEST_F(FacesFixture, RemoveNonFocusableKeepsFocusableAndWindowlessInOrder) {
  TForm* form = new TForm(nullptr);
  form->SetBounds(100, 100, 300, 200);
  form->Show();
  PumpFor(10);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  auto* hidden = new TEdit(form);
  hidden->SetParent(form);
  hidden->SetVisible(false);
  auto* label = new TLabel(form);
  label->SetParent(form);
  auto* hint = new THintWindow(form);
  TDbgList list;
  for (void* p : std::initializer_list<void*>{hint, edit, hidden, label}) list.Add(p);
  RemoveNonFocusable(&list);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Items(0), edit);
  EXPECT_EQ(list.Items(1), label);
  TDbgList empty;
  RemoveNonFocusable(&empty);
  RemoveNonFocusable(nullptr);
  EXPECT_EQ(empty.Count(), 0);
  form->Free();
}
