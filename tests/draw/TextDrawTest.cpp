#include <gtest/gtest.h>

#include <memory>

#include "tests/support/Gui.h"
#include "ui/draw/GdiPlus.h"

namespace {
struct TextCanvas {
  TBitmap Bmp{300, 60, TPixelFormat::pf32bit};
  std::unique_ptr<TGPGraphics> G{new TGPGraphics(Bmp.Canvas()->Handle())};
  TFont Font;
  TextCanvas(int Points) {
    Font.SetName(L"Arial");
    Font.SetSize(Points);
    Font.SetColor(clBlack);
  }
  int Inked() {
    G->Flush(FlushIntentionSync);
    return 300 * 60 - CountPixels(&Bmp, TRect(0, 0, 300, 60), clWhite, 0);
  }
  // The bounding box GDI+ gives for a text in this font.
  TGPRectF Box(const String& s) {
    std::unique_ptr<TGPFont> f(G->MakeFont(&Font));
    TGPRectF box{};
    G->MeasureString(s, -1, f.get(), TGPRectF{10, 5, 1000, 40}, nullptr, box);
    return box;
  }
};
}  // namespace

TEST(DrawText, CalcRectMeasuresWithTheWidthCorrectionOfItsSize) {
  struct Case {
    int Points, Correction;
  } cases[] = {{8, 2}, {9, 3}, {10, 3}, {11, 4}, {12, 5}, {13, 5}, {14, 6}, {15, 7}, {16, 7}};
  for (const Case& c : cases) {
    TextCanvas t(c.Points);
    TRect r(10, 5, 60, 45);
    int h = t.G->DrawText(L"Hello", -1, r, &t.Font, DT_CALCRECT, clNone);
    TGPRectF box = t.Box(L"Hello");
    EXPECT_EQ(r.right, 10 + Round(double(box.Width) - c.Correction)) << c.Points;
    EXPECT_EQ(r.bottom, 5 + Round(double(box.Height))) << c.Points;
    EXPECT_EQ(h, r.bottom - r.top);
    EXPECT_EQ(t.Inked(), 0) << "measuring draws nothing";
  }
}

TEST(DrawText, ATrailingBlankIsMeasuredAsAnI) {
  TextCanvas t(12);
  TRect r(10, 5, 60, 45);
  t.G->DrawText(L"ab ", -1, r, &t.Font, DT_CALCRECT, clNone);
  EXPECT_EQ(r.right, 10 + Round(double(t.Box(L"abi").Width) - 5));
  EXPECT_GT(t.Box(L"abi").Width, t.Box(L"ab").Width);
  TRect lone(10, 5, 60, 45);
  t.G->DrawText(L" ", -1, lone, &t.Font, DT_CALCRECT, clNone);
  EXPECT_EQ(lone.right, 10 + Round(double(t.Box(L" ").Width) - 5));
}

TEST(DrawText, DrawsTheTextItselfWithBackgroundAndReturnsHeights) {
  TextCanvas plain(12);
  TRect r(10, 5, 60, 45);
  int h = plain.G->DrawText(L"ab ", -1, r, &plain.Font, 0, clNone);
  EXPECT_EQ(h, 40);  // neither measured nor changed
  EXPECT_EQ(r, TRect(10, 5, 60, 45));
  EXPECT_GT(plain.Inked(), 0);

  TextCanvas back(12);
  TRect rb(10, 5, 60, 45);
  back.G->DrawText(L"ab", -1, rb, &back.Font, 0, clYellow);
  EXPECT_LT(rb.right, 60);
  EXPECT_EQ(PixelAt(&back.Bmp, rb.left + 1, rb.top + 1), clYellow);
  EXPECT_EQ(PixelAt(&back.Bmp, rb.left, rb.top + 1), clWhite);  // the fill starts one pixel in
  EXPECT_GT(CountPixels(&back.Bmp, TRect(0, 0, 300, 60), clBlack, 60), 0);
}

TEST(DrawText, UnknownFaceFallsBackToArialAndWidthsFollowTheText) {
  TextCanvas t(12);
  TFont odd;
  odd.SetName(L"No Such Face At All");
  odd.SetSize(12);
  std::unique_ptr<TGPFont> f(t.G->MakeFont(&odd));
  EXPECT_EQ(f->GetLastStatus(), Ok);
  EXPECT_EQ(t.G->TextWidth(L"Sample", &odd), t.G->TextWidth(L"Sample", &t.Font));
  EXPECT_EQ(t.G->TextHeight(L"Sample", &odd), t.G->TextHeight(L"Sample", &t.Font));
  EXPECT_GT(t.G->TextWidth(L"SampleSample", &t.Font), t.G->TextWidth(L"Sample", &t.Font));
  EXPECT_GT(t.G->TextHeight(L"x", &t.Font), 10);
  EXPECT_EQ(t.G->TextWidth(L"", &t.Font), 0);
}
