// Menu utilities and the surfaces the menus paint: gradients, boxes, bands,
// the background picture and the side bar, drawn into memory bitmaps.
#include <gtest/gtest.h>

#include <climits>

#include "base/Picture.h"
#include "tests/support/Gui.h"
#include "ui/controls/menus/AdvMenuGradients.h"
#include "ui/controls/menus/AdvMenuUtil.h"
#include "ui/controls/menus/AdvMenus.h"

namespace {

constexpr TColor kWhite = 0xFFFFFF;
using GD = TGradientDirection;

// A white 32-bit bitmap to paint into.
struct Canvas {
  explicit Canvas(int W, int H) : Bmp(new TBitmap(W, H, TPixelFormat::pf32bit)) {
    Bmp->Canvas()->Brush()->SetColor(kWhite);
    Bmp->Canvas()->FillRect(TRect(0, 0, W, H));
  }
  ~Canvas() { Bmp->Free(); }
  TCanvas* operator->() { return Bmp->Canvas(); }
  TCanvas* Get() { return Bmp->Canvas(); }
  TColor At(int X, int Y) {
    GdiFlush();
    return PixelAt(Bmp, X, Y);
  }
  TBitmap* Bmp;
};

int Red(TColor C) { return C & 0xFF; }

TBitmap* SolidBitmap(int W, int H, TColor Color) {
  auto* b = new TBitmap(W, H, TPixelFormat::pf24bit);
  b->Canvas()->Brush()->SetColor(Color);
  b->Canvas()->FillRect(TRect(0, 0, W, H));
  return b;
}

}  // namespace

// ---------------------------------------------------------------------------
// Utilities

TEST(MenuUtil, CenterRectCentresWithTruncation) {
  struct Case {
    TRect In;
    int W, H;
    TRect Out;
  };
  const Case cases[] = {
      {TRect(0, 0, 24, 20), 16, 16, TRect(4, 2, 20, 18)},
      {TRect(0, 0, 5, 5), 2, 2, TRect(1, 1, 3, 3)},
      {TRect(-10, -7, 0, 0), 3, 4, TRect(-6, -5, -3, -1)},  // truncation toward zero
  };
  for (const Case& c : cases) {
    TRect r = c.In;
    CenterRect(r, c.W, c.H);
    EXPECT_EQ(r, c.Out);
  }
}

TEST(MenuUtil, ColumnWidthFollowsThePixelsPerInchRoundingHalvesToEven) {
  int saved = MenuColumnWidth;
  struct Case {
    int Ppi, Width;
  };
  for (const Case& c : {Case{96, 17}, Case{120, 21}, Case{144, 26}, Case{192, 34}}) {
    SetMenuPixelsPerInch(c.Ppi);
    InitMenuColumnWidth();
    EXPECT_EQ(MenuColumnWidth, c.Width) << c.Ppi;
    EXPECT_FLOAT_EQ(GetDPIScale(), c.Ppi / 96.0f);
  }
  SetMenuPixelsPerInch(0);
  MenuColumnWidth = saved;
}

TEST(MenuUtil, RotatedFontTakesTheFontsLook) {
  TFont font;
  font.SetName(L"Tahoma");
  font.SetSize(10);
  font.SetStyle({TFontStyle::fsBold, TFontStyle::fsItalic});
  font.SetPitch(TFontPitch::fpVariable);
  HFONT h = CreateRotatedFont(&font, 90);
  LOGFONTW lf{};
  ASSERT_EQ(GetObjectW(h, sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
  DeleteObject(h);
  EXPECT_EQ(lf.lfEscapement, 900);
  EXPECT_EQ(lf.lfOrientation, 0);
  EXPECT_EQ(lf.lfWeight, 700);
  EXPECT_TRUE(lf.lfItalic);
  EXPECT_FALSE(lf.lfUnderline);
  EXPECT_EQ(lf.lfHeight, font.Height());
  EXPECT_EQ(lf.lfPitchAndFamily & 3, VARIABLE_PITCH);
  EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
  font.SetName(String(40, L'x'));
  h = CreateRotatedFont(&font, -90);
  GetObjectW(h, sizeof(lf), &lf);
  DeleteObject(h);
  EXPECT_EQ(lf.lfEscapement, -900);
  EXPECT_EQ(String(lf.lfFaceName), String(31, L'x'));
}

TEST(MenuUtil, ColourChannelsResolveSystemColours) {
  BYTE r, g, b;
  SplitColor(0x336699, r, g, b);
  EXPECT_EQ(r, 0x99);
  EXPECT_EQ(g, 0x66);
  EXPECT_EQ(b, 0x33);
  SplitColor(clWindowText, r, g, b);
  EXPECT_EQ(PackColor(r, g, b), static_cast<TColor>(GetSysColor(COLOR_WINDOWTEXT)));
  EXPECT_EQ(PackColor(1, 2, 3, 0x10), 0x10030201);
}

namespace {
std::vector<std::pair<UINT, intptr_t>> gSpiCalls;
BOOL gSpiReadWorks = TRUE;
BOOL gSpiValue = TRUE;
BOOL WINAPI FakeSpi(UINT Action, UINT, PVOID Value, UINT WinIni) {
  if (Action == SPI_GETMENUANIMATION) {
    if (!gSpiReadWorks) return FALSE;
    *static_cast<BOOL*>(Value) = gSpiValue;
    return TRUE;
  }
  gSpiCalls.emplace_back(Action, reinterpret_cast<intptr_t>(Value));
  EXPECT_EQ(WinIni, static_cast<UINT>(SPIF_SENDCHANGE));
  return TRUE;
}
}  // namespace

TEST(MenuUtil, AnimationIsSwitchedOffAndOnlyARealReadIsGivenBack) {
  struct Case {
    BOOL ReadWorks, Value;
    std::vector<std::pair<UINT, intptr_t>> Calls;  // after start-up and end
  };
  const Case cases[] = {
      {TRUE, TRUE, {{SPI_SETMENUANIMATION, 0}, {SPI_SETMENUANIMATION, 1}}},
      {TRUE, FALSE, {{SPI_SETMENUANIMATION, 0}, {SPI_SETMENUANIMATION, 0}}},
      // A failed read must not switch the animation off at the end.
      {FALSE, TRUE, {{SPI_SETMENUANIMATION, 0}}},
  };
  for (const Case& c : cases) {
    gSpiCalls.clear();
    gSpiReadWorks = c.ReadWorks;
    gSpiValue = c.Value;
    SetMenuAnimationCall(&FakeSpi);
    ResetMenuAnimationState();
    DisableMenuAnimation();
    RestoreMenuAnimation();
    SetMenuAnimationCall(nullptr);
    EXPECT_EQ(gSpiCalls, c.Calls);
  }
  gSpiCalls.clear();
  SetMenuAnimationCall(&FakeSpi);
  SwitchOffMenuAnimation();
  SetMenuAnimationCall(nullptr);
  EXPECT_EQ(gSpiCalls, (std::vector<std::pair<UINT, intptr_t>>{{SPI_SETMENUANIMATION, 0}}));
  ResetMenuAnimationState();
}

TEST(MenuUtil, LayeredWindowFunctionsAreFoundAtStartUp) {
  EXPECT_TRUE(LayeredWindowsAvailable);
  EXPECT_NE(SetLayeredWindowAttributesEntry, nullptr);
  EXPECT_NE(UpdateLayeredWindowEntry, nullptr);
}

// ---------------------------------------------------------------------------
// Gradients

TEST(MenuGradient, RowsStepFromTheFirstColourAndNeverReachTheLast) {
  Canvas c(3, 4);
  DrawGradientRect(c.Get(), TRect(0, 0, 3, 4), 0x000000, 0x0000FF, GD::gdVertical);
  const int reds[] = {0, 63, 127, 191};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(c.At(x, y), reds[y]) << x << "," << y;
  Canvas h(4, 2);
  DrawGradientRect(h.Get(), TRect(0, 0, 4, 2), 0x0000FF, 0x000000, GD::gdHorizontal);
  EXPECT_EQ(h.At(0, 1), 255);
  EXPECT_EQ(h.At(1, 1), 192);  // 255 - 255 x 1 div 4
  EXPECT_EQ(h.At(3, 0), 64);
}

TEST(MenuGradient, EqualOrMissingSecondColourIsOneFill) {
  for (TColor to : {static_cast<TColor>(0x336699), clNone}) {
    Canvas c(5, 5);
    DrawGradientRect(c.Get(), TRect(1, 1, 4, 4), 0x336699, to, GD::gdVertical);
    EXPECT_EQ(c.At(1, 1), 0x336699);
    EXPECT_EQ(c.At(3, 3), 0x336699);
    EXPECT_EQ(c.At(0, 0), kWhite);
    EXPECT_EQ(c.At(4, 4), kWhite);
  }
  // An empty rectangle with two colours draws nothing.
  Canvas e(3, 3);
  DrawGradientRect(e.Get(), TRect(0, 2, 3, 2), 0, 0xFF, GD::gdVertical);
  EXPECT_EQ(CountPixels(e.Bmp, TRect(0, 0, 3, 3), kWhite), 9);
}

TEST(MenuGradient, PartPaintsItsSliceOfTheWholeGradient) {
  Canvas c(2, 100);
  DrawGradientPart(c.Get(), TRect(0, 0, 2, 100), TRect(0, 50, 2, 60), 0x000000, 0x000064, GD::gdVertical);
  for (int y = 50; y < 60; ++y) EXPECT_EQ(Red(c.At(1, y)), y) << y;
  EXPECT_EQ(c.At(0, 49), kWhite);
  EXPECT_EQ(c.At(0, 60), kWhite);
  // Slices painted one by one make the same surface as one gradient.
  Canvas whole(1, 40), slices(1, 40);
  DrawGradientRect(whole.Get(), TRect(0, 0, 1, 40), 0x102030, 0xA0B0C0, GD::gdVertical);
  for (int top = 0; top < 40; top += 7)
    DrawGradientPart(slices.Get(), TRect(0, 0, 1, 40), TRect(0, top, 1, top + 7), 0x102030, 0xA0B0C0,
                     GD::gdVertical);
  int same = 0;
  for (int y = 0; y < 40; ++y) same += std::abs(Red(whole.At(0, y)) - Red(slices.At(0, y))) <= 3;
  EXPECT_EQ(same, 40);
}

TEST(MenuGradient, BoxesFillAndFrame) {
  Canvas c(10, 21);
  DrawMirrorGradientBox(c.Get(), TRect(0, 0, 10, 21), 0x0000FF, 0x0000FF, 0x00FF00, 0x00FF00, GD::gdVertical,
                        0xFF0000, true);
  EXPECT_EQ(c.At(0, 5), 0xFF0000);  // frame
  EXPECT_EQ(c.At(5, 9), 0x0000FF);  // upper part: 10 rows
  EXPECT_EQ(c.At(5, 10), 0x00FF00);  // lower part: 11 rows
  EXPECT_EQ(c.At(5, 19), 0x00FF00);
  Canvas m(10, 10);
  DrawMirrorGradientBox(m.Get(), TRect(0, 0, 10, 10), 0x0000FF, 0x0000FF, clNone, clNone, GD::gdVertical, clNone, true);
  EXPECT_EQ(CountPixels(m.Bmp, TRect(0, 0, 10, 10), 0x0000FF), 100);
  Canvas b(6, 6);
  DrawGradientBox(b.Get(), TRect(0, 0, 6, 6), 0x00FF00, clNone, GD::gdVertical, 0x000080, false);
  EXPECT_EQ(b.At(0, 0), 0x000080);
  EXPECT_EQ(b.At(3, 3), kWhite);  // no fill
}

TEST(MenuGradient, BandsFadeAtTheirEnds) {
  struct Probe {
    int At;
    TColor Expected;
  };
  const TColor col = 0x0000C8, to = 0x000000;  // red 200 fading to black
  {
    // Across, 100 wide, both ends over 20 pixels: 10 each.
    Canvas c(100, 3);
    DrawGradientBand(c.Get(), TRect(0, 0, 100, 3), col, to, GD::gdHorizontal, TGradientType::gtBoth, 20, 0);
    EXPECT_EQ(Red(c.At(0, 1)), 0);      // from ColorTo
    EXPECT_EQ(Red(c.At(9, 1)), 180);    // 0 + 200 x 9 div 10
    for (int x = 10; x < 90; x += 13) EXPECT_EQ(c.At(x, 1), col);
    EXPECT_EQ(Red(c.At(90, 1)), 200);   // from Color
    EXPECT_EQ(Red(c.At(99, 1)), 20);
  }
  {
    // Down, 100 high: the width is doubled, so each end is 20 rows.
    Canvas c(3, 100);
    DrawGradientBand(c.Get(), TRect(0, 0, 3, 100), col, to, GD::gdVertical, TGradientType::gtBoth, 20, 0);
    EXPECT_EQ(Red(c.At(1, 0)), 0);
    EXPECT_EQ(Red(c.At(1, 19)), 190);
    EXPECT_EQ(c.At(1, 20), col);
    EXPECT_EQ(c.At(1, 79), col);
    EXPECT_EQ(Red(c.At(1, 80)), 200);
  }
  {
    // No gradient width and a margin: a solid line, shorter at both ends.
    Canvas c(50, 1);
    DrawGradientBand(c.Get(), TRect(0, 0, 50, 1), col, clNone, GD::gdHorizontal, TGradientType::gtBoth, 0, 2);
    EXPECT_EQ(c.At(1, 0), kWhite);
    EXPECT_EQ(c.At(2, 0), col);
    EXPECT_EQ(c.At(47, 0), col);
    EXPECT_EQ(c.At(48, 0), kWhite);
  }
  {
    // A gradient width not below the length: all gradient.
    Canvas c(10, 1);
    DrawGradientBand(c.Get(), TRect(0, 0, 10, 1), col, to, GD::gdHorizontal, TGradientType::gtLeft, 30, 0);
    EXPECT_EQ(Red(c.At(0, 0)), 200);
    EXPECT_EQ(Red(c.At(9, 0)), 20);
  }
  {
    // One end only: gtRight fades at the right, the rest is ColorTo.
    Canvas c(10, 1);
    DrawGradientBand(c.Get(), TRect(0, 0, 10, 1), col, to, GD::gdHorizontal, TGradientType::gtRight, 4, 0);
    EXPECT_EQ(c.At(5, 0), to);
    EXPECT_EQ(Red(c.At(6, 0)), 0);
    EXPECT_EQ(Red(c.At(9, 0)), 150);
  }
}

// ---------------------------------------------------------------------------
// Background picture

TEST(MenuBackground, PicturePositionInARectangle) {
  TBackground bg(nullptr);
  int x, y;
  bg.CalcPicturePosition(TRect(10, 20, 110, 60), x, y);
  EXPECT_EQ(TPoint(x, y), TPoint(10, 20));  // no picture
  TBitmap* pic = SolidBitmap(30, 10, 0x0000FF);
  TPicture p;
  p.SetGraphic(pic);
  pic->Free();
  bg.SetImage(&p);
  struct Case {
    TBackgroundPosition Pos;
    TPoint At;
  };
  using P = TBackgroundPosition;
  bg.SetOffsetX(2);
  bg.SetOffsetY(3);
  const Case cases[] = {
      {P::bpTopLeft, TPoint(12, 23)},      {P::bpTopRight, TPoint(82, 23)},
      {P::bpBottomLeft, TPoint(12, 53)},   {P::bpBottomRight, TPoint(82, 53)},
      {P::bpTopCenter, TPoint(47, 23)},    {P::bpBottomCenter, TPoint(47, 53)},
      {P::bpCenter, TPoint(47, 38)},       {P::bpTiled, TPoint(10, 20)},
      {P::bpStretched, TPoint(10, 20)},    {P::bpXY, TPoint(10, 20)},
  };
  for (const Case& c : cases) {
    bg.SetPosition(c.Pos);
    bg.CalcPicturePosition(TRect(10, 20, 110, 60), x, y);
    EXPECT_EQ(TPoint(x, y), c.At) << static_cast<int>(c.Pos);
  }
  bg.SetOffsetX(0);
  bg.SetOffsetY(0);
  bg.SetPosition(P::bpCenter);
  bg.CalcPicturePosition(TRect(10, 20, 110, 60), x, y);
  EXPECT_EQ(TPoint(x, y), TPoint(45, 35));
}

TEST(MenuBackground, TiledPictureRepeatsAcrossTheWorkBitmap) {
  TBackground bg(nullptr);
  bg.SetPosition(TBackgroundPosition::bpTiled);
  // A 30 x 10 picture whose first column is blue, the rest red; its
  // bottom-left pixel (the transparent colour) is grey.
  TBitmap* pic = SolidBitmap(30, 10, 0x0000FF);
  pic->Canvas()->Brush()->SetColor(0xFF0000);
  pic->Canvas()->FillRect(TRect(0, 0, 1, 10));
  pic->Canvas()->SetPixels(0, 9, 0x777777);
  TPicture p;
  p.SetGraphic(pic);
  pic->Free();
  bg.SetImage(&p);
  EXPECT_TRUE(bg.Image()->Bitmap()->Transparent());
  Canvas c(100, 10);
  DrawBackgroundPicture(c.Get(), TRect(0, 0, 100, 10), &bg, false);
  for (int x = 0; x < 100; ++x) EXPECT_EQ(c.At(x, 5), x % 30 == 0 ? 0xFF0000 : 0x0000FF) << x;
  // A 0 x 0 picture draws nothing, and margins shrink the area.
  TBitmap* empty = new TBitmap;
  TPicture ep;
  ep.SetGraphic(empty);
  empty->Free();
  bg.SetImage(&ep);
  bg.SetColor(0x00FF00);
  bg.SetMarginX(5);
  Canvas d(20, 4);
  DrawBackgroundPicture(d.Get(), TRect(0, 0, 20, 4), &bg, true);
  EXPECT_EQ(d.At(4, 1), kWhite);
  EXPECT_EQ(d.At(5, 1), 0x00FF00);
  EXPECT_EQ(d.At(14, 1), 0x00FF00);
  EXPECT_EQ(d.At(15, 1), kWhite);
}

TEST(MenuBackground, GradientUnderATransparentPicture) {
  TBackground bg(nullptr);
  bg.SetColor(0x00FF00);
  bg.SetColorTo(clNone);
  TBitmap* pic = SolidBitmap(4, 4, 0x0000FF);
  pic->Canvas()->SetPixels(0, 3, 0x777777);
  TPicture p;
  p.SetGraphic(pic);
  pic->Free();
  bg.SetImage(&p);
  bg.SetPosition(TBackgroundPosition::bpTopLeft);
  Canvas c(10, 10);
  DrawBackgroundPicture(c.Get(), TRect(0, 0, 10, 10), &bg, true);
  EXPECT_EQ(c.At(8, 8), 0x00FF00);  // the gradient around the picture
  EXPECT_EQ(c.At(1, 1), 0x0000FF);  // the picture
  EXPECT_EQ(c.At(0, 3), 0x00FF00);  // its transparent colour shows the gradient
}

// ---------------------------------------------------------------------------
// Side bar

namespace {
struct SideBarFixture {
  TForm* Owner = new TForm(nullptr);
  TAdvPopupMenu* Menu = new TAdvPopupMenu(Owner);
  TSideBar* Bar() { return Menu->GetCurrentMenuStyler()->SideBar(); }
  ~SideBarFixture() { Owner->Free(); }
};

// The bounding box of the pixels of Color in R, empty when there are none.
TRect BoxOf(TBitmap* B, const TRect& R, TColor Color) {
  TRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
  GdiFlush();
  for (int y = R.top; y < R.bottom; ++y)
    for (int x = R.left; x < R.right; ++x)
      if (PixelAt(B, x, y) == Color) {
        box.left = Min<LONG>(box.left, x);
        box.top = Min<LONG>(box.top, y);
        box.right = Max<LONG>(box.right, x + 1);
        box.bottom = Max<LONG>(box.bottom, y + 1);
      }
  return box.left == INT_MAX ? TRect() : box;
}
}  // namespace

TEST(MenuSideBar, CaptionStaysInsideItsBarOnEitherSide) {
  SideBarFixture f;
  TSideBar* bar = f.Bar();
  bar->SetCaption(L"Vantrel");
  bar->Font()->SetColor(0x0000FF);
  bar->Font()->SetSize(10);
  Canvas c(100, 150);
  TRect left(0, 0, 25, 150), right(75, 0, 100, 150);
  DrawSideBarCaption(f.Menu, c.Get(), left);
  TRect a = BoxOf(c.Bmp, TRect(0, 0, 100, 150), 0x0000FF);
  ASSERT_FALSE(a.IsEmpty());
  EXPECT_GE(a.left, 0);
  EXPECT_LE(a.right, 25);
  // Reading upwards from the bottom, FOffsetY above it.
  EXPECT_LE(a.bottom, 150 - 6 + 1);
  EXPECT_GT(a.Height(), a.Width());
  Canvas d(100, 150);
  DrawSideBarCaption(f.Menu, d.Get(), right);
  TRect b = BoxOf(d.Bmp, TRect(0, 0, 100, 150), 0x0000FF);
  EXPECT_EQ(b.left, a.left + 75);
  EXPECT_EQ(b.top, a.top);
}

TEST(MenuSideBar, HighlightAndShadowAreExtraCopies) {
  SideBarFixture f;
  TSideBar* bar = f.Bar();
  bar->SetCaption(L"Menu");
  bar->Font()->SetColor(0x0000FF);
  TRect s(0, 0, 30, 120);
  Canvas once(30, 120);
  DrawSideBarCaption(f.Menu, once.Get(), s);
  EXPECT_GT(CountPixels(once.Bmp, s, 0x0000FF), 0);
  EXPECT_EQ(CountPixels(once.Bmp, s, 0x00FF00), 0);
  bar->SetHighlightColor(0x00FF00);
  bar->SetShadowColor(0xFF0000);
  bar->SetDepth(2);
  Canvas three(30, 120);
  DrawSideBarCaption(f.Menu, three.Get(), s);
  TRect main = BoxOf(three.Bmp, s, 0x0000FF);
  TRect high = BoxOf(three.Bmp, s, 0x00FF00);
  TRect shadow = BoxOf(three.Bmp, s, 0xFF0000);
  ASSERT_FALSE(high.IsEmpty());
  ASSERT_FALSE(shadow.IsEmpty());
  EXPECT_LT(high.left, main.left);   // drawn at (X - Depth, Y + Depth)
  EXPECT_GT(shadow.right, main.right);  // drawn at (X + Depth, Y - Depth)
}

TEST(MenuSideBar, BorderAndSplitterSitOnTheBarsEdge) {
  SideBarFixture f;
  TSideBar* bar = f.Bar();
  bar->SetBorderColor(0x0000FF);
  bar->SetSplitterColor(0x00FF00);
  bar->SetSplitterWidth(2);
  Canvas c(40, 20);
  TRect s(0, 0, 26, 20);
  DrawSideBarSplitter(f.Menu, c.Get(), s);
  DrawSideBarBorder(f.Menu, c.Get(), s);
  EXPECT_EQ(c.At(24, 10), 0x00FF00);  // the splitter: the last 2 columns
  EXPECT_EQ(c.At(25, 10), 0x00FF00);
  EXPECT_EQ(c.At(23, 10), 0x0000FF);  // the border's right edge, left of it
  EXPECT_EQ(c.At(0, 10), 0x0000FF);
  EXPECT_EQ(c.At(10, 0), 0x0000FF);
  EXPECT_EQ(c.At(10, 10), kWhite);
  bar->SetBorderColor(clNone);
  bar->SetSplitterColor(clNone);
  Canvas e(40, 20);
  DrawSideBarSplitter(f.Menu, e.Get(), s);
  DrawSideBarBorder(f.Menu, e.Get(), s);
  EXPECT_EQ(CountPixels(e.Bmp, TRect(0, 0, 40, 20), kWhite), 800);
}
