#include <gtest/gtest.h>

#include <cstdlib>

#include "base/ImgList.h"
#include "tests/controls/statusbar/StatusBarFixture.h"
#include "ui/controls/statusbar/AdvOfficeStatusBarPaint.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

using namespace OfficeStatusBar;

namespace {
int Distance(TColor A, TColor B) {
  int d = 0;
  for (int s : {0, 8, 16}) d = Max(d, std::abs(((A >> s) & 0xFF) - ((B >> s) & 0xFF)));
  return d;
}

struct PaintFixture : BarFixture {
  TAdvOfficeStatusBarOfficeStyler* Luna = new TAdvOfficeStatusBarOfficeStyler(Form);
  PaintFixture() { Luna->SetStyle(TOfficeStatusBarStyle::psOffice2007Luna); }
};

// Pixels of a rectangle that are within Tolerance of Color.
int Count(TBitmap* B, const TRect& R, TColor Color, int Tolerance) { return CountPixels(B, R, Color, Tolerance); }
}  // namespace

TEST(StatusBarColours, BlendKeepsTheEndsAndMixesResolvedChannels) {
  EXPECT_EQ(BlendColor(0x123456, clWhite, 100), 0x123456);
  EXPECT_EQ(BlendColor(0x123456, clWhite, 0), clWhite);
  EXPECT_EQ(BlendColor(clNone, clWhite, 100), clNone);  // the ends stay as they are
  EXPECT_EQ(BlendColor(0xF8DCC5, clWhite, 50), 0xFCEEE2);
  EXPECT_EQ(BlendColor(0x825A3B, clWhite, 80), 0x9B7B62);
  EXPECT_EQ(BlendColor(clBtnFace, clBlack, 50), BlendColor(ColorToRGB(clBtnFace), clBlack, 50));
  EXPECT_EQ(ColorToARGB(0x0000FF), 0xFFFF0000u);
}

TEST(StatusBarColours, GradientsHaveExactEndsAndZeroStepsMakeOneBand) {
  TBitmap bmp(40, 20);
  FillColorRect(bmp.Canvas(), TRect(0, 0, 40, 20), clBlack);
  DrawGradient(bmp.Canvas(), 0x0000FF, 0xFF0000, false, TRect(0, 0, 10, 20), 0);
  EXPECT_EQ(PixelAt(&bmp, 5, 0), 0x0000FF);
  EXPECT_EQ(PixelAt(&bmp, 5, 19), 0x0000FF);
  DrawGradient(bmp.Canvas(), 0x00FF00, 0xFF0000, true, TRect(10, 0, 40, 20), 30);
  EXPECT_EQ(PixelAt(&bmp, 10, 10), 0x00FF00);
  EXPECT_LE(Distance(PixelAt(&bmp, 39, 10), 0xFF0000), 10);
  // One band per row: band n has each channel moved by rnd(n x delta).
  DrawGradient(bmp.Canvas(), 0x000000, 0x0A1E28, false, TRect(20, 0, 30, 10), 10);
  for (int n = 0; n < 10; ++n) EXPECT_EQ(PixelAt(&bmp, 25, n), static_cast<TColor>(RGB(4 * n, 3 * n, n))) << n;
  // A one-pixel column is drawn with lines.
  DrawGradient(bmp.Canvas(), 0x00FFFF, 0x000080, false, TRect(0, 0, 1, 20), 20);
  EXPECT_EQ(PixelAt(&bmp, 0, 0), 0x00FFFF);
  EXPECT_EQ(PixelAt(&bmp, 1, 0), 0x0000FF);
  // Two parts, mirrored at the middle, and a frame.
  DrawVistaGradient(bmp.Canvas(), TRect(0, 0, 40, 20), 0x111111, 0x111111, 0x333333, 0x333333, true, 0x00AA00, true);
  EXPECT_EQ(PixelAt(&bmp, 20, 1), 0x111111);
  EXPECT_EQ(PixelAt(&bmp, 20, 9), 0x111111);
  EXPECT_EQ(PixelAt(&bmp, 20, 10), 0x333333);
  EXPECT_EQ(PixelAt(&bmp, 0, 5), 0x00AA00);
  EXPECT_EQ(PixelAt(&bmp, 20, 19), 0x00AA00);
  // No colour: only the frame.
  FillColorRect(bmp.Canvas(), TRect(0, 0, 40, 20), clBlack);
  DrawVistaGradient(bmp.Canvas(), TRect(0, 0, 40, 20), clNone, 0x222222, 0x333333, 0x444444, true, 0x00AA00, true);
  EXPECT_EQ(PixelAt(&bmp, 20, 10), clBlack);
  EXPECT_EQ(PixelAt(&bmp, 39, 10), 0x00AA00);
}

TEST_F(PaintFixture, TheFrameAndTheTopEdge) {
  AddPanel(100);
  {
    auto b = Paint();
    // The internal styler: border on three sides, the top 20 % lighter.
    EXPECT_EQ(PixelAt(b.get(), 0, 9), 0x825A3B);
    EXPECT_EQ(PixelAt(b.get(), 200, 18), 0x825A3B);
    EXPECT_EQ(PixelAt(b.get(), 399, 9), 0x825A3B);
    EXPECT_EQ(PixelAt(b.get(), 200, 0), 0x9B7B62);
  }
  Bar->SetStyler(Luna);
  auto b = Paint();
  // An assigned styler draws the top edge in its border colour.
  EXPECT_EQ(PixelAt(b.get(), 200, 0), 0xB07D56);
  EXPECT_EQ(PixelAt(b.get(), 0, 9), 0xB07D56);
  EXPECT_EQ(PixelAt(b.get(), 399, 9), 0xB07D56);
}

TEST_F(PaintFixture, PanelGradientsSplittersAndButtonStates) {
  // A bar tall enough that each of the 128 bands of a half is one row:
  // between the styler's border rows, the upper half is rows 1 to 128, the
  // lower half rows 129 to 256.
  Form->SetClientHeight(300);
  Bar->SetHeight(259);
  Bar->SetStyler(Luna);
  AddPanel(200);
  TAdvOfficeStatusPanel* second = AddPanel(50);
  {
    auto b = Paint();
    // Luna's light panel: the upper half from 0xF9E6D7 to 0xF8DCC7, the lower
    // half from 0xF5D0B3 to 0xF7E0CD.
    EXPECT_EQ(PixelAt(b.get(), 100, 1), 0xF9E6D7);
    EXPECT_EQ(PixelAt(b.get(), 100, 128), 0xF8DCC7);
    EXPECT_EQ(PixelAt(b.get(), 100, 129), 0xF5D0B3);
    EXPECT_EQ(PixelAt(b.get(), 100, 256), 0xF7E0CD);
    EXPECT_EQ(PixelAt(b.get(), 100, 0), 0xB07D56);    // the styler's top edge
    EXPECT_EQ(PixelAt(b.get(), 100, 258), 0xB07D56);  // the frame
    // The first panel starts right after the frame, without a splitter.
    EXPECT_EQ(PixelAt(b.get(), 1, 1), 0xF9E6D7);
    // The second panel's splitter: two columns lighter at the ends than in
    // the middle, from the appearance's ColorTo.
    const TColor C = 0xF8DCC7;
    EXPECT_EQ(PixelAt(b.get(), 200, 1), BlendColor(C, clWhite, 70));
    EXPECT_EQ(PixelAt(b.get(), 200, 129), C);
    EXPECT_EQ(PixelAt(b.get(), 201, 1), BlendColor(C, clWhite, 50));
    EXPECT_EQ(PixelAt(b.get(), 201, 129), BlendColor(C, clWhite, 10));
    EXPECT_EQ(PixelAt(b.get(), 210, 1), 0xF9E6D7);
  }
  Bar->SetShowSplitter(false);
  EXPECT_EQ(PixelAt(Paint().get(), 200, 1), 0xF9E6D7);
  Bar->SetShowSplitter(true);

  // A button panel under the mouse is hot, pressed while a button is held.
  second->SetButton(true);
  Mouse(WM_MOUSEMOVE, 230, 5);
  EXPECT_EQ(Bar->HotPanelIndex(), 1);
  // Inside the hot border, rows 2 to 255.
  {
    auto b = Paint();
    EXPECT_EQ(PixelAt(b.get(), 230, 1), 0x99CEDB);
    EXPECT_EQ(PixelAt(b.get(), 202, 100), 0x99CEDB);
    EXPECT_EQ(PixelAt(b.get(), 230, 2), 0xFBFFFF);
    EXPECT_EQ(PixelAt(b.get(), 230, 128), 0xC0F0FF);
    EXPECT_EQ(PixelAt(b.get(), 230, 129), 0x6BD8FF);
    EXPECT_EQ(PixelAt(b.get(), 100, 1), 0xF9E6D7);
  }
  Mouse(WM_LBUTTONDOWN, 230, 5, MK_LBUTTON);
  EXPECT_EQ(Bar->DownPanelIndex(), 1);
  {
    auto b = Paint();
    EXPECT_EQ(PixelAt(b.get(), 230, 1), 0x45667B);
    EXPECT_EQ(PixelAt(b.get(), 230, 2), 0x77B4F7);
    EXPECT_EQ(PixelAt(b.get(), 230, 129), 0x1982F8);
    EXPECT_LE(Distance(PixelAt(b.get(), 230, 255), 0x03AEFF), 1);
    EXPECT_EQ(PixelAt(b.get(), 230, 256), 0x45667B);
  }
  Mouse(WM_LBUTTONUP, 230, 5);
  EXPECT_EQ(Bar->DownPanelIndex(), -1);
  EXPECT_EQ(PixelAt(Paint().get(), 230, 2), 0xFBFFFF);
  // The dark appearance.
  second->SetAppearanceStyle(TPanelAppearanceStyle::psDark);
  Mouse(WM_MOUSEMOVE, 100, 5);
  EXPECT_EQ(PixelAt(Paint().get(), 230, 1), 0xF8DCC5);
}

TEST_F(PaintFixture, TextTakesTheStateColourAndGreyWhenDisabled) {
  Bar->SetStyler(Luna);
  Bar->SetAntiAlias(TAntiAlias::aaNone);
  Bar->Font()->SetSize(10);
  TAdvOfficeStatusPanel* p = AddPanel(200, PS::psText, L"MMMMMMMM");
  AddPanel(50);
  const TRect text(1, 1, 199, 17);
  auto inkOf = [&](TColor c) { return Count(Paint().get(), text, c, 24); };
  EXPECT_GT(inkOf(0x612009), 20);  // the light appearance's text colour
  p->SetButton(true);
  Mouse(WM_LBUTTONDOWN, 50, 5, MK_LBUTTON);
  EXPECT_GT(inkOf(clBlack), 20);  // pressed: black
  EXPECT_EQ(inkOf(0x612009), 0);
  Mouse(WM_LBUTTONUP, 50, 5);
  p->SetEnabled(false);
  EXPECT_GT(inkOf(clGray), 20);
  EXPECT_EQ(inkOf(0x612009), 0);
}

TEST_F(PaintFixture, TheGripHasSixDotsWithLightShadows) {
  Bar->SetStyler(Luna);
  AddPanel(100);
  auto b = Paint();
  const int L = 400 - 18, B = 18;
  const TPoint dots[] = {{L + 4, B - 5}, {L + 8, B - 5}, {L + 12, B - 5}, {L + 12, B - 9}, {L + 12, B - 13}, {L + 8, B - 9}};
  for (const TPoint& d : dots) {
    EXPECT_EQ(PixelAt(b.get(), d.x, d.y), 0xB07D56) << d.x << "," << d.y;
    EXPECT_EQ(PixelAt(b.get(), d.x + 1, d.y + 1), 0xB07D56);
    EXPECT_EQ(PixelAt(b.get(), d.x + 2, d.y + 2), 0xFCEEE2);  // 50 % of the dark appearance's colour
  }
  EXPECT_NE(PixelAt(b.get(), L + 4, B - 9), 0xB07D56);  // no dot there
  // No grip on a form that cannot be sized.
  Form->SetBorderStyle(TFormBorderStyle::bsSingle);
  EXPECT_NE(PixelAt(Paint().get(), L + 12, B - 5), 0xB07D56);
}

TEST_F(PaintFixture, FlatModeDropsFrameSplittersAndShadowsForSeparatorLines) {
  AddPanel(200);
  AddPanel(50);
  TColorTones tones;
  MetroColorTones(true, 0x996633, clNone, tones);
  Bar->SetColorTones(tones);
  EXPECT_TRUE(Bar->Metro());
  EXPECT_EQ(Bar->CurrentStyler()->BorderColor(), 0x996633);
  EXPECT_EQ(Bar->CurrentStyler()->PanelAppearanceLight()->ColorDown(), 0x996633);
  auto b = Paint();
  EXPECT_EQ(PixelAt(b.get(), 0, 9), clWhite);     // no frame
  EXPECT_EQ(PixelAt(b.get(), 100, 0), clWhite);   // no top edge
  EXPECT_EQ(PixelAt(b.get(), 199, 9), 0x996633);  // the separator, one pixel left of the panel
  EXPECT_EQ(PixelAt(b.get(), 200, 9), clWhite);   // no splitter highlight
  const int L = 400 - 18, B = 18;
  EXPECT_EQ(PixelAt(b.get(), L + 4, B - 5), 0x996633);
  EXPECT_EQ(PixelAt(b.get(), L + 6, B - 3), clWhite);  // no shadow
  // Empty tones leave flat mode.
  TColorTones none;
  ClearColorTones(none);
  Bar->SetColorTones(none);
  EXPECT_FALSE(Bar->Metro());
}

TEST_F(PaintFixture, TheSimplePanelCoversThePanels) {
  Bar->SetStyler(Luna);
  AddPanel(100);
  AddPanel(100);
  Bar->SetSimplePanel(true);
  auto b = Paint();
  EXPECT_LE(Distance(PixelAt(b.get(), 100, 9), 0xF5D0B3), 6);
  EXPECT_LE(Distance(PixelAt(b.get(), 100, 2), 0xF9E6D7), 6);
  EXPECT_EQ(PixelAt(b.get(), 100, 2), PixelAt(b.get(), 50, 2));  // no splitter
  EXPECT_EQ(Bar->GetPanel(50), 0);
}

TEST_F(PaintFixture, ImagesAreDrawnDisabledOrFromTheDisabledList) {
  TImageList* images = MakeImages(Form, {0x0000FF, 0x00FF00});
  Bar->SetImages(images);
  TAdvOfficeStatusPanel* p = AddPanel(100, PS::psImageList);
  p->SetImageIndexes(0, 1);
  p->SetImageIndexes(1, 0);
  TAdvOfficeStatusPanel* single = AddPanel(100, PS::psImage);
  single->SetImageIndex(0);
  // Panel 0 paints from x = 1: after the 2-pixel inset, 2 more per image.
  const int y = 9;
  {
    auto b = Paint();
    EXPECT_EQ(PixelAt(b.get(), 1 + 2 + 2 + 8, y), 0x00FF00);
    EXPECT_EQ(PixelAt(b.get(), 1 + 2 + 2 + 16 + 2 + 8, y), 0x0000FF);
    EXPECT_EQ(PixelAt(b.get(), 100 + 2 + 2 + 8, y), 0x0000FF);
  }
  p->SetEnabled(false);
  single->SetEnabled(false);
  {
    auto b = Paint();
    EXPECT_EQ(PixelAt(b.get(), 1 + 2 + 2 + 16 + 2 + 8, y), 0x4C4C4C);  // greyed red
    EXPECT_EQ(PixelAt(b.get(), 100 + 2 + 2 + 8, y), 0x4C4C4C);
  }
  TImageList* disabled = MakeImages(Form, {0xFF0000, 0xFF0000});
  Bar->SetDisabledImages(disabled);
  EXPECT_EQ(PixelAt(Paint().get(), 100 + 2 + 2 + 8, y), 0xFF0000);
  // A list that goes away leaves the bar.
  disabled->Free();
  EXPECT_EQ(Bar->DisabledImages(), nullptr);
  EXPECT_EQ(PixelAt(Paint().get(), 100 + 2 + 2 + 8, y), 0x4C4C4C);
}

TEST_F(PaintFixture, ARibbonFormBeforeVistaGetsRoundedCorners) {
  AddPanel(100);
  static TWinControl* ribbonForm = nullptr;
  ribbonForm = Form;
  struct TProbePager : TCustomControl {
    using TCustomControl::TCustomControl;
  };
  auto* pager = new TProbePager(Form);
  pager->SetParent(Form);
  static TControl* thePager = pager;
  TStatusBarRibbonLink link;
  link.IsRibbonForm = [](TWinControl* f) { return f == ribbonForm; };
  link.PagerCaptionTextColor = [](TControl* c, TColor& color) {
    if (c != thePager) return false;
    color = 0x00AA00;
    return true;
  };
  SetStatusBarRibbonLink(link);
  SetIsVistaOrLaterSource([] { return false; });
  const int h = Bar->Height(), w = Bar->Width();
  {
    auto b = Paint();
    EXPECT_EQ(PixelAt(b.get(), 1, h - 3), 0x00AA00);
    EXPECT_EQ(PixelAt(b.get(), 3, h - 2), 0x00AA00);
    EXPECT_EQ(PixelAt(b.get(), w - 2, h - 3), 0x00AA00);
    EXPECT_EQ(PixelAt(b.get(), w - 5, h - 1), 0x00AA00);
  }
  // An assigned styler's border colour wins; from Vista on nothing is drawn.
  Bar->SetStyler(Luna);
  EXPECT_EQ(PixelAt(Paint().get(), 1, h - 3), 0xB07D56);
  SetIsVistaOrLaterSource([] { return true; });
  EXPECT_NE(PixelAt(Paint().get(), 1, h - 3), 0xB07D56);
  SetIsVistaOrLaterSource(nullptr);
  SetStatusBarRibbonLink(TStatusBarRibbonLink());
}

// ---------------------------------------------------------------------------
// Text

TEST(StatusBarText, PathsShortenFromTheirFirstFolder) {
  TBitmap bmp(10, 10);
  TCanvas* c = bmp.Canvas();
  const String path = L"C:\\alpha\\beta\\gamma\\file.txt";
  EXPECT_EQ(ShortenPath(path, c, c->TextWidth(path)), path);
  for (const wchar_t* step : {L"C:\\...\\beta\\gamma\\file.txt", L"C:\\...\\gamma\\file.txt",
                              L"C:\\...\\file.txt", L"...\\file.txt", L"file.txt"})
    EXPECT_EQ(ShortenPath(path, c, c->TextWidth(step)), step);
  EXPECT_EQ(ShortenPath(path, c, 0), L"file.txt");
  EXPECT_EQ(ShortenPath(L"\\\\server\\share\\f", c, 0), L"f");
  const std::pair<const wchar_t*, const wchar_t*> crops[] = {
      {L"", L""}, {L"\\", L""}, {L"\\a\\b\\", L"\\...\\b\\"}, {L"\\...\\b\\", L"\\...\\"}, {L"a\\b\\", L"...\\b\\"},
      {L"a", L""}};
  for (auto [in, out] : crops) {
    String d = in;
    CropFirstDirectory(d);
    EXPECT_EQ(d, out) << in;
  }
}

TEST(StatusBarText, GdiplusTextIsCutWithDotsAndMeasuredWithoutDrawing) {
  TBitmap bmp(300, 30);
  TCanvas* c = bmp.Canvas();
  FillColorRect(c, TRect(0, 0, 300, 30), clWhite);
  c->Font()->SetName(L"Tahoma");
  c->Font()->SetSize(10);
  ASSERT_TRUE(IsTrueTypeFont(c));
  TRect measured;
  DrawGDIPText(c, TAlignment::taLeftJustify, 0, TRect(0, 0, 1000, 30), L"Hello", c->Font(), true, false,
               TAntiAlias::aaAntiAlias, true, measured);
  EXPECT_GT(measured.Width(), 10);
  EXPECT_EQ(CountPixels(&bmp, TRect(0, 0, 300, 30), clWhite), 300 * 30);  // nothing drawn
  DrawGDIPText(c, TAlignment::taLeftJustify, 0, TRect(0, 0, 1000, 30), L"", c->Font(), true, true,
               TAntiAlias::aaAntiAlias, true, measured);
  EXPECT_EQ(measured, TRect(0, 0, 0, 0));
  // Cut text ends in dots: the same pixels as the text cut by hand.
  auto draw = [&](const String& s, int Width, bool Dots) {
    TBitmap out(300, 30);
    FillColorRect(out.Canvas(), TRect(0, 0, 300, 30), clWhite);
    out.Canvas()->Font()->Assign(c->Font());
    TRect r;
    DrawGDIPText(out.Canvas(), TAlignment::taLeftJustify, 0, TRect(0, 0, Width, 30), s, out.Canvas()->Font(), true,
                 true, TAntiAlias::aaAntiAlias, Dots, r);
    std::vector<TColor> px;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 300; ++x) px.push_back(PixelAt(&out, x, y));
    return px;
  };
  const String longText = L"abcdefghijklmnopqrstuvwxyz";
  const String fitted = longText.substr(0, 10) + L"...";
  TRect r;
  DrawGDIPText(c, TAlignment::taLeftJustify, 0, TRect(0, 0, 1000, 30), fitted, c->Font(), true, false,
               TAntiAlias::aaAntiAlias, true, r);
  const int shortWidth = r.Width() + 1;
  EXPECT_EQ(draw(longText, shortWidth, true), draw(fitted, 300, true));
  EXPECT_NE(draw(longText, shortWidth, false), draw(fitted, 300, true));
}

TEST_F(PaintFixture, APathPanelCutOnTheGdiplusPathShowsTheEllipsis) {
  Bar->Font()->SetName(L"Tahoma");
  Bar->Font()->SetSize(9);
  TAdvOfficeStatusPanel* p = AddPanel(90, PS::psFileEllipsText, L"averyveryverylongfilenamewithoutfolders.txt");
  AddPanel(50);
  auto cut = [&] {
    auto b = Paint();
    std::vector<TColor> px;
    for (int y = 0; y < 19; ++y)
      for (int x = 0; x < 90; ++x) px.push_back(PixelAt(b.get(), x, y));
    return px;
  };
  auto asPath = cut();
  p->SetStyle(PS::psEllipsText);
  EXPECT_EQ(asPath, cut());
  // A path with folders shortens them first.
  const String path = L"C:\\folder\\subfolder\\a.txt";
  p->SetStyle(PS::psFileEllipsText);
  p->SetText(path);
  auto shortened = cut();
  Bar->Canvas()->Font()->Assign(Bar->Font());
  const String want = ShortenPath(path, Bar->Canvas(), 90 - 1 - 2 - 2 - 2);
  ASSERT_NE(want, path);
  p->SetStyle(PS::psText);
  p->SetText(want);
  EXPECT_EQ(shortened, cut());
}

// ---------------------------------------------------------------------------
// The gauge

namespace {
TGaugeSettings Flat(TFont* Font) {
  TGaugeSettings s{};
  s.Level0Color = 0x0000FF, s.Level0ColorTo = 0x000080;
  s.Level1Color = 0x00FF00, s.Level1ColorTo = 0x008000;
  s.Level2Color = 0xFF0000, s.Level2ColorTo = 0x800000;
  s.Level3Color = 0x00FFFF, s.Level3ColorTo = 0x008080;
  s.Level1Perc = 70, s.Level2Perc = 90;
  s.BorderColor = clBlack;
  s.ShowPercentage = false;
  s.Font = Font;
  s.CompletionSmooth = true;
  s.ShowGradient = false;
  s.Steps = 11;
  s.BackgroundColor = clWhite;
  s.IsPercent = true;
  return s;
}

// A 140 x 20 picture whose rows are all different shades, then the gauge
// drawn in (0, 0, 100, 20).
struct Gauge {
  TBitmap Bmp{140, 20};
  Gauge() {
    for (int y = 0; y < 20; ++y) FillColorRect(Bmp.Canvas(), TRect(0, y, 140, y + 1), RGB(200, 10 * y, 5 * y));
  }
  TColor Original(int X, int Y) const { return static_cast<TColor>(RGB(200, 10 * Y, 5 * Y)); }
  TColor At(int X, int Y) { return PixelAt(&Bmp, X, Y); }
  void Draw(int Percent, const TGaugeSettings& S) { DrawGauge(Bmp.Canvas(), TRect(0, 0, 100, 20), Percent, S); }
};
}  // namespace

TEST(StatusBarGauge, TheBarTakesTheColourOfTheLevelReached) {
  TFont font;
  struct Case {
    int Percent;
    TColor Want;
  };
  for (Case c : {Case{10, 0x0000FF}, Case{69, 0x0000FF}, Case{70, 0x00FF00}, Case{90, 0xFF0000}, Case{99, 0xFF0000},
                 Case{100, 0x00FFFF}}) {
    Gauge g;
    g.Draw(c.Percent, Flat(&font));
    EXPECT_EQ(g.At(2, 5), c.Want) << c.Percent;
    // W = 98: the bar ends at 1 + rnd(Percent / 100 x 98).
    int end = 1 + static_cast<int>(Round(c.Percent / 100.0 * 98));
    EXPECT_EQ(g.At(end - 1, 5), c.Want) << c.Percent;
    EXPECT_EQ(g.At(end, 5), clWhite) << c.Percent;
  }
  Gauge none;
  none.Draw(0, Flat(&font));
  EXPECT_EQ(none.At(2, 5), clWhite);
  EXPECT_EQ(none.At(120, 5), none.Original(120, 5));
}

TEST(StatusBarGauge, ABarAboveOneHundredPercentStaysInsideTheGauge) {
  TFont font;
  for (bool smooth : {true, false}) {
    for (bool stacked : {false, true}) {
      Gauge g;
      TGaugeSettings s = Flat(&font);
      s.CompletionSmooth = smooth;
      s.Stacked = stacked;
      g.Draw(150, s);
      for (int x = 100; x < 140; ++x) ASSERT_EQ(g.At(x, 5), g.Original(x, 5)) << x << smooth << stacked;
      EXPECT_EQ(g.At(99, 5), clWhite);
      EXPECT_NE(g.At(97, 5), clWhite);
    }
  }
}

TEST(StatusBarGauge, StackedLevelsFollowEachOtherAndFillTheGaugeAtOneHundred) {
  TFont font;
  TGaugeSettings s = Flat(&font);
  s.Stacked = true;
  Gauge full;
  full.Draw(100, s);
  // 1 + 69 (70 % of 98), then 20 (20 %), then the rest up to 1 + 98.
  EXPECT_EQ(full.At(1, 5), 0x0000FF);
  EXPECT_EQ(full.At(69, 5), 0x0000FF);
  EXPECT_EQ(full.At(70, 5), 0x00FF00);
  EXPECT_EQ(full.At(89, 5), 0x00FF00);
  EXPECT_EQ(full.At(90, 5), 0x00FFFF);  // flat: level 3's colour
  EXPECT_EQ(full.At(98, 5), 0x00FFFF);
  EXPECT_EQ(full.At(99, 5), clWhite);
  Gauge seventy;
  seventy.Draw(70, s);
  EXPECT_EQ(seventy.At(69, 5), 0x0000FF);
  EXPECT_EQ(seventy.At(70, 5), clWhite);
}

TEST(StatusBarGauge, GradientsMirrorAtTheMiddle) {
  TFont font;
  TGaugeSettings s = Flat(&font);
  s.ShowGradient = true;
  Gauge g;
  g.Draw(50, s);
  // The part is (1, 1, 50, 18): the colour pair 0x0000FF / 0x000080.
  EXPECT_EQ(g.At(10, 1), 0x000080);
  EXPECT_EQ(g.At(10, 9), 0x0000FF);
  EXPECT_LE(Distance(g.At(10, 17), 0x000080), 0x10);
}

TEST(StatusBarGauge, BlockGapsShowWhatWasUnderneath) {
  TFont font;
  for (bool border : {false, true}) {
    TGaugeSettings s = Flat(&font);
    s.CompletionSmooth = false;
    s.BackgroundColor = clNone;
    s.ShowBorder = border;
    Gauge g;
    g.Draw(100, s);
    const int left = border ? 3 : 2;  // the first part's left edge
    for (int y = 6; y < 12; ++y) {
      EXPECT_EQ(g.At(left + 7, y), 0x00FFFF) << border;
      EXPECT_EQ(g.At(left + 8, y), g.Original(left + 8, y)) << border << " " << y;
      EXPECT_EQ(g.At(left + 9, y), g.Original(left + 9, y)) << border;
      EXPECT_EQ(g.At(left + 10, y), 0x00FFFF) << border;
      EXPECT_EQ(g.At(left + 17, y), g.Original(left + 17, y)) << border;
    }
    if (border) {
      EXPECT_EQ(g.At(1, 10), clBlack);
      EXPECT_EQ(g.At(0, 10), g.Original(0, 10));
    }
  }
}

TEST(StatusBarGauge, TheNumberOrTheTextIsCentred) {
  TFont font;
  font.SetName(L"Tahoma");
  font.SetSize(8);
  struct Case {
    bool ShowPercentage, IsPercent;
    String Text, Want;
  };
  const Case cases[] = {{true, true, L"", L"37%"}, {true, false, L"", L"(37)"}, {false, true, L"panel", L"panel"}};
  for (const Case& c : cases) {
    TGaugeSettings s = Flat(&font);
    s.ShowPercentage = c.ShowPercentage;
    s.IsPercent = c.IsPercent;
    s.Position = 37;
    s.Text = c.Text;
    if (!c.IsPercent) s.Prefix = L"(", s.Suffix = L")";
    Gauge g;
    g.Draw(37, s);
    // The same text drawn by hand where the gauge centres it.
    Gauge want;
    want.Draw(37, Flat(&font));
    TCanvas* wc = want.Bmp.Canvas();
    wc->Font()->Assign(&font);
    wc->Brush()->SetStyle(TBrushStyle::bsClear);
    wc->TextOut(50 - wc->TextWidth(c.Want) / 2, 10 - wc->TextHeight(c.Want) / 2, c.Want);
    int differ = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 140; ++x) differ += g.At(x, y) != want.At(x, y);
    EXPECT_EQ(differ, 0) << WideToAnsi(c.Want);
  }
}

TEST_F(PaintFixture, AProgressPanelDrawsItsGaugeInTheInnerRectangle) {
  TAdvOfficeStatusPanel* p = AddPanel(200, PS::psProgress);
  AddPanel(50);
  p->Progress()->SetShowPercentage(false);
  p->Progress()->SetShowGradient(false);
  p->Progress()->SetCompletionSmooth(true);
  p->Progress()->SetBackGround(clWhite);
  p->Progress()->SetMin(100);
  p->Progress()->SetMax(300);
  p->Progress()->SetPosition(200);  // 50 %
  // The panel paints in (1, 0, 200, 18); its gauge in (3, 0, 198, 18):
  // W = 193, the bar from 4 to 4 + rnd(96.5) = 100.
  auto b = Paint();
  EXPECT_EQ(PixelAt(b.get(), 5, 5), clLime);
  EXPECT_EQ(PixelAt(b.get(), 99, 5), clLime);
  EXPECT_EQ(PixelAt(b.get(), 101, 5), clWhite);
  // Min = Max shows nothing.
  p->Progress()->SetMax(100);
  EXPECT_EQ(PixelAt(Paint().get(), 5, 5), clWhite);
}

TEST_F(PaintFixture, OwnerDrawnPanelsGetTheirRectangleAfterTheBackground) {
  TAdvOfficeStatusPanel* p = AddPanel(200, PS::psOwnerDraw, L"MMMM");
  AddPanel(50);
  Bar->SetAntiAlias(TAntiAlias::aaNone);
  // Without a handler the text is drawn as in a text panel.
  EXPECT_GT(Count(Paint().get(), TRect(1, 1, 199, 17), clBlack, 60), 10);
  std::vector<TRect> calls;
  Bar->OnDrawPanel = [&](TAdvOfficeStatusBar* b, TAdvOfficeStatusPanel* panel, const TRect& R) {
    EXPECT_EQ(b, Bar);
    EXPECT_EQ(panel, p);
    calls.push_back(R);
    FillColorRect(b->Canvas(), TRect(R.left + 10, 5, R.left + 20, 10), 0x00AA00);
  };
  auto b = Paint();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0], TRect(1, 0, 200, 18));
  EXPECT_EQ(PixelAt(b.get(), 15, 7), 0x00AA00);
  EXPECT_EQ(Count(b.get(), TRect(1, 1, 199, 17), clBlack, 60), 0);
}

TEST_F(PaintFixture, RightToLeftBarsAlignPanelTextRight) {
  Bar->SetAntiAlias(TAntiAlias::aaNone);
  AddPanel(300, PS::psText, L"MMM");
  AddPanel(50);
  auto inkSpan = [&] {
    auto b = Paint();
    int first = 1000, last = -1;
    for (int x = 0; x < 300; ++x)
      if (Count(b.get(), TRect(x, 1, x + 1, 17), clBlack, 60)) first = Min(first, x), last = Max(last, x);
    return std::make_pair(first, last);
  };
  auto ltr = inkSpan();
  EXPECT_LT(ltr.first, 20);
  SetSysLocaleMiddleEast(1);
  Bar->SetBiDiMode(TBiDiMode::bdRightToLeft);
  EXPECT_EQ(Bar->Panels()->Items(0)->BiDiMode(), TBiDiMode::bdRightToLeft);  // panels follow the bar
  auto rtl = inkSpan();
  EXPECT_GT(rtl.second, 280);
  SetSysLocaleMiddleEast(-1);
}

TEST_F(PaintFixture, HtmlPanelsAreDrawnAgainFromTheBarsOwnLayouts) {
  Bar->SetAntiAlias(TAntiAlias::aaNone);
  const String text = L"chars: <b>137</b> / SMS: <font color=\"#0000FF\">1</font> <i>new</i>";
  TAdvOfficeStatusPanel* panel = AddPanel(250, PS::psHTML, text);
  auto laidOut = Paint();
  EXPECT_GT(Bar->HtmlCache().Count(), 0u);
  const size_t hits = Bar->HtmlCache().Hits();
  auto kept = Paint();
  EXPECT_GT(Bar->HtmlCache().Hits(), hits);
  EXPECT_TRUE(SamePixels(laidOut.get(), kept.get()));
  EXPECT_GT(Count(kept.get(), TRect(1, 1, 250, 17), 0xFF0000, 60), 0);  // the blue digit

  // New text is laid out anew, and the old one comes back as it was.
  panel->SetText(L"chars: <b>138</b> / SMS: <font color=\"#0000FF\">1</font> <i>new</i>");
  auto changed = Paint();
  EXPECT_FALSE(SamePixels(laidOut.get(), changed.get()));
  panel->SetText(text);
  auto back = Paint();
  EXPECT_TRUE(SamePixels(laidOut.get(), back.get()));

  // Each bar keeps its own layouts.
  auto* other = new TAdvOfficeStatusBar(Form);
  other->SetParent(Form);
  const size_t count = Bar->HtmlCache().Count();
  TAdvOfficeStatusPanel* otherPanel = other->Panels()->Add();
  otherPanel->SetWidth(200);
  otherPanel->SetStyle(PS::psHTML);
  otherPanel->SetText(L"<b>other</b> bar");
  std::unique_ptr<TBitmap> otherPaint(PaintToBitmap(other));
  EXPECT_GT(other->HtmlCache().Count(), 0u);
  EXPECT_EQ(Bar->HtmlCache().Count(), count);
}
