#include <gtest/gtest.h>

#include <memory>

#include "base/Lists.h"
#include "tests/controls/buttons/ButtonTestSupport.h"
#include "tests/draw/DrawTestSupport.h"
#include "tests/support/Gui.h"
#include "ui/controls/buttons/GlowFace.h"
#include "ui/draw/GdipPicture.h"

using namespace GlowButton;
using BL = TButtonLayout;

namespace {

constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000, kBorder = 0x206040;

struct Face : ::testing::Test {
  std::unique_ptr<TBitmap> Bmp;
  TFont Font;
  TFont NotesFont;
  TGlowFaceParams P;
  TGlowFaceResult R;

  void SetUp() override {
    Bmp = std::make_unique<TBitmap>(120, 41);
    Clear();
    Font.SetName(L"Tahoma");
    Font.SetSize(8);
    Font.SetColor(clBlack);
    NotesFont.SetName(L"Tahoma");
    NotesFont.SetSize(8);
    P.Canvas = Bmp->Canvas();
    P.R = TRect(0, 0, 120, 41);
    P.Font = &Font;
    P.NotesFont = &NotesFont;
    P.Color = P.ColorTo = kRed;
    P.ColorMirror = P.ColorMirrorTo = kBlue;
    P.Gradient = P.GradientMirror = TGDIPGradient::ggVertical;
    P.BorderColor = kBorder;
    P.BorderColorFocused = 0x00C0C0;
    P.Bordered = false;
    P.Rounded = false;
  }
  void TearDown() override { ResetGlowButtonGlobals(); }
  void Clear() {
    Bmp->Canvas()->Brush()->SetColor(clWhite);
    Bmp->Canvas()->FillRect(TRect(0, 0, Bmp->Width(), Bmp->Height()));
  }
  void Paint() {
    PaintGlowFace(P, R);
    GdiFlush();
  }
  TColor Px(int x, int y) { return PixelAt(Bmp.get(), x, y); }
  // Text measured on a canvas with the test font.
  TSize GdiText(const String& s, UINT flags = DT_WORDBREAK) {
    TBitmap b(10, 10);
    b.Canvas()->Font()->Assign(&Font);
    TRect r(0, 0, 4096, 0);
    int h = b.Canvas()->TextRect(r, s, flags | DT_CALCRECT);
    return TSize(r.Width(), h);
  }
  TSize GdipText(const String& s, float width) {
    TBitmap b(10, 10);
    TGPGraphics g(b.Canvas()->Handle());
    TGPFontFamily fam(L"Tahoma");
    TGPFont f(&fam, 8, 0, UnitPoint);
    TGPStringFormat fmt(0, 0);
    fmt.SetAlignment(StringAlignmentCenter);
    fmt.SetLineAlignment(StringAlignmentCenter);
    fmt.SetHotkeyPrefix(HotkeyPrefixShow);
    TGPRectF box{};
    g.MeasureString(s, -1, &f, TGPRectF{0, 0, width, 4096}, &fmt, box);
    return TSize(static_cast<LONG>(Round(box.Width)), static_cast<LONG>(Round(box.Height)));
  }
};

TEST_F(Face, UpperAndLowerHalvesMeetOneRowBelowTheMiddle) {
  Paint();
  EXPECT_EQ(Px(60, 5), kRed);
  EXPECT_EQ(Px(60, 20), kRed);  // the upper half, drawn second, covers the shared row
  EXPECT_EQ(Px(60, 21), kBlue);
  EXPECT_EQ(Px(60, 39), kBlue);
}

TEST_F(Face, MirrorColoursOfNoColourTakeTheUpperColour) {
  P.ColorMirror = P.ColorMirrorTo = clNone;
  Paint();
  EXPECT_EQ(Px(60, 35), kRed);
  // A single colour of no colour in a pair leaves the half to the other.
  Clear();
  P.ColorMirror = kBlue;
  P.ColorMirrorTo = clNone;
  Paint();
  EXPECT_EQ(Px(60, 35), kBlue);
}

TEST_F(Face, VerticalGradientRunsFromColorToColorTo) {
  P.Color = 0x000000;
  P.ColorTo = 0xFFFFFF;
  Paint();
  EXPECT_LT(Px(60, 1) & 0xFF, 0x30);
  EXPECT_GT(Px(60, 19) & 0xFF, 0xC0);
}

TEST_F(Face, RadialGlowRisesFromTheMiddleOfTheTop) {
  P.Gradient = TGDIPGradient::ggRadial;
  P.Color = kBlue;    // surround
  P.ColorTo = kRed;   // centre
  Paint();
  TColor middle = Px(60, 1), corner = Px(2, 18);
  EXPECT_GT(middle & 0xFF, corner & 0xFF) << std::hex << middle << " " << corner;
}

TEST_F(Face, NoFaceLeavesBackgroundAndBorderOutUnlessDroppedDownOrLatched) {
  P.NoFace = true;
  P.Bordered = true;
  Paint();
  EXPECT_EQ(Px(60, 10), clWhite);
  EXPECT_EQ(Px(60, 0), clWhite);
  P.DroppedDown = true;
  Paint();
  EXPECT_EQ(Px(60, 10), kRed);
  EXPECT_EQ(Px(60, 0), kBorder);
  Clear();
  P.DroppedDown = false;
  P.DownChecked = true;
  Paint();
  EXPECT_EQ(Px(60, 10), kRed);
}

TEST_F(Face, BorderAndTheNoBorderDefault) {
  P.Bordered = true;
  Paint();
  EXPECT_EQ(Px(60, 0), kBorder);
  EXPECT_EQ(Px(0, 20), kBorder);
  EXPECT_EQ(Px(119, 20), kBorder);
  P.NoBorderDefault = true;
  Paint();
  EXPECT_EQ(Px(60, 0), kRed);
  P.MouseEnter = true;
  Paint();
  EXPECT_EQ(Px(60, 0), kBorder);
}

TEST_F(Face, SquareFocusOutlineAndDots) {
  P.FocusBorder = true;
  Paint();
  EXPECT_EQ(Px(60, 1), 0x00C0C0);
  EXPECT_EQ(Px(1, 20), 0x00C0C0);
  int grey = 0;
  for (int x = 10; x < 100; ++x) grey += Px(x, 2) == 0x808080;
  EXPECT_GT(grey, 10);
  EXPECT_LT(grey, 80);  // dotted
}

TEST_F(Face, SplitHighlightDarkensThePartNotUnderTheMouse) {
  P.DropDownButton = true;
  P.HotOrDown = true;
  P.HotPart = 1;  // over the arrow part
  Paint();
  TColor darker = AdjustColor(kRed, -10);
  EXPECT_EQ(Px(50, 8), darker);
  EXPECT_EQ(Px(113, 8), kRed);
  P.HotPart = 2;  // over the button part
  Paint();
  EXPECT_EQ(Px(50, 8), kRed);
  EXPECT_EQ(Px(113, 8), darker);
  EXPECT_EQ(Px(113, 35), AdjustColor(kBlue, -10));
  // With the transparent hover the darker part stays unfilled.
  Clear();
  P.TransparentHover = true;
  Paint();
  EXPECT_EQ(Px(50, 8), kRed);
  EXPECT_EQ(Px(113, 8), clWhite);
}

TEST_F(Face, SplitLineAndArrowOfARightDropDownPart) {
  P.DropDownButton = true;
  P.Color = P.ColorTo = P.ColorMirror = P.ColorMirrorTo = clWhite;
  Paint();
  EXPECT_EQ(Px(106, 10), clWhite);  // no split line while not hot
  for (int x = 111; x < 116; ++x) EXPECT_EQ(Px(x, 20), 0x000000) << x;
  EXPECT_EQ(Px(113, 22), 0x000000);
  P.HotOrDown = true;
  Paint();
  EXPECT_EQ(Px(106, 10), kBorder);
  Clear();
  P.HotOrDown = false;
  SetDrawSplitLineAlways(true);
  P.Enabled = false;
  Paint();
  EXPECT_EQ(Px(106, 10), kBorder);
  EXPECT_EQ(Px(113, 20), 0x808080);  // a disabled arrow is grey
}

TEST_F(Face, BottomDropDownWithoutSplitKeepsTheFullHeightAndDrawsNoLine) {
  P.DropDownButton = true;
  P.DropDownSplit = false;
  P.DropDownPosition = TDropDownPosition::dpBottom;
  P.HotOrDown = true;
  P.Color = P.ColorTo = P.ColorMirror = P.ColorMirrorTo = clWhite;
  P.Caption = L"Go";
  P.AntiAlias = TAntiAlias::aaNone;
  Paint();
  // Arrow at the centre of the bottom strip of 14 rows: (58, 27 + 5 + 1).
  for (int x = 58; x < 63; ++x) EXPECT_EQ(Px(x, 33), 0x000000) << x;
  for (int x = 5; x < 115; x += 10) EXPECT_EQ(Px(x, 27), clWhite) << x;
}

// ---------------------------------------------------------------------------
// Measuring

struct LayoutCase {
  BL Layout;
  bool Stacked;
};

const LayoutCase kLayouts[] = {
    {BL::blGlyphLeft, false},         {BL::blGlyphRight, false},         {BL::blGlyphLeftAdjusted, false},
    {BL::blGlyphRightAdjusted, false}, {BL::blGlyphTop, true},            {BL::blGlyphBottom, true},
    {BL::blGlyphTopAdjusted, true},    {BL::blGlyphBottomAdjusted, true},
};

TEST_F(Face, PlatformPathSizesFollowTheMeasuredText) {
  auto* owner = new TComponent(nullptr);
  TImageList* list = MakeImageList(owner, 16, 16, {kRed});
  P.Images = list;
  P.ImageIndex = 0;
  P.Caption = L"Send";
  P.Measuring = true;
  P.AntiAlias = TAntiAlias::aaNone;
  TSize t = GdiText(L"Send");
  for (const LayoutCase& c : kLayouts) {
    P.Layout = c.Layout;
    Paint();
    int gw = c.Stacked ? 16 : 16 + 2;
    int gh = (c.Layout == BL::blGlyphTop || c.Layout == BL::blGlyphTopAdjusted) ? 18 : 16;
    TSize want;
    if (c.Stacked)
      want = TSize(Max<LONG>(t.cx + 2, gw + 2), t.cy + gh + 2);
    else if (c.Layout == BL::blGlyphRight || c.Layout == BL::blGlyphRightAdjusted)
      want = TSize(t.cx + gw + 2, Max<LONG>(t.cy + 2, gh + 2));
    else
      want = TSize(t.cx + gw + 2, Max<LONG>(t.cy + 2, gh + 2));
    EXPECT_EQ(R.Size, want) << static_cast<int>(c.Layout);
  }
  owner->Free();
}

TEST_F(Face, GdiplusPathSizesFollowTheMeasuredText) {
  auto* owner = new TComponent(nullptr);
  TImageList* list = MakeImageList(owner, 16, 16, {kRed});
  P.Images = list;
  P.ImageIndex = 0;
  P.Caption = L"Send";
  P.Measuring = true;
  P.AntiAlias = TAntiAlias::aaAntiAlias;
  for (const LayoutCase& c : kLayouts) {
    P.Layout = c.Layout;
    Paint();
    TSize t = GdipText(L"Send", c.Stacked ? 4096.0f : 4094.0f);
    int gh = (c.Layout == BL::blGlyphTop || c.Layout == BL::blGlyphTopAdjusted) ? 18 : 16;
    TSize want = c.Stacked ? TSize(Max<LONG>(t.cx + 2, 16 + 2), t.cy + gh)
                           : TSize(t.cx + 18 + 2, Max<LONG>(t.cy + 2, 16 + 2));
    EXPECT_NEAR(R.Size.cx, want.cx, 1) << static_cast<int>(c.Layout);
    EXPECT_NEAR(R.Size.cy, want.cy, 1) << static_cast<int>(c.Layout);
  }
  owner->Free();
}

TEST_F(Face, MeasuringWithoutCaptionMeasuresAnExclamationMark) {
  P.Measuring = true;
  P.AntiAlias = TAntiAlias::aaNone;
  Paint();
  TSize t = GdiText(L"!");
  EXPECT_EQ(R.Size, TSize(t.cx + 2, Max<LONG>(t.cy + 2, 2)));
}

TEST_F(Face, BackslashNBreaksTheCaptionUnlessTheGlyphSizeIsForced) {
  P.Measuring = true;
  P.AntiAlias = TAntiAlias::aaNone;
  P.Caption = L"Call\\nHome";
  Paint();
  TSize one = GdiText(L"Call Home");
  EXPECT_GT(R.Size.cy, one.cy + 2 + one.cy / 2);  // two lines
  P.ForcedGlyphSize = TSize(16, 16);
  Paint();
  EXPECT_EQ(R.Size.cy, one.cy + 2);
  P.Caption = L"Call\\NHome";  // either case
  P.ForcedGlyphSize = TSize();
  Paint();
  EXPECT_GT(R.Size.cy, one.cy + 2 + one.cy / 2);
}

TEST_F(Face, StackedLayoutsArePlatformSpacingTallerThanGdiplus) {
  P.Measuring = true;
  P.Caption = L"Send";
  P.Layout = BL::blGlyphBottom;
  P.AntiAlias = TAntiAlias::aaNone;
  Paint();
  int platform = R.Size.cy - GdiText(L"Send").cy;
  P.AntiAlias = TAntiAlias::aaAntiAlias;
  Paint();
  int gdip = R.Size.cy - GdipText(L"Send", 4096).cy;
  EXPECT_NEAR(platform - gdip, 2, 1);
}

// ---------------------------------------------------------------------------
// Drawing text and glyphs

TEST_F(Face, DisabledTextIsGreyOnBothPaths) {
  P.Color = P.ColorTo = P.ColorMirror = P.ColorMirrorTo = clWhite;
  Font.SetSize(14);
  Font.SetStyle({TFontStyle::fsBold});
  P.Caption = L"WWW";
  for (TAntiAlias aa : {TAntiAlias::aaNone, TAntiAlias::aaAntiAlias}) {
    for (bool enabled : {true, false}) {
      P.AntiAlias = aa;
      P.Enabled = enabled;
      Paint();
      int darkest = 255;
      for (int y = 0; y < 41; ++y)
        for (int x = 0; x < 120; ++x) darkest = Min(darkest, static_cast<int>(Px(x, y) & 0xFF));
      if (enabled)
        EXPECT_LT(darkest, 0x40) << static_cast<int>(aa);
      else
        EXPECT_NEAR(darkest, 0x80, 12) << static_cast<int>(aa);
    }
  }
}

TEST_F(Face, PictureGlyphSitsWhereTheLayoutPutsIt) {
  std::unique_ptr<TGDIPPicture> pic(PictureFromBytes(MakePng(12, 12, kBlue)));
  P.Color = P.ColorTo = P.ColorMirror = P.ColorMirrorTo = clWhite;
  P.Picture = pic.get();
  P.Caption = L"Go";
  P.AntiAlias = TAntiAlias::aaNone;
  Paint();
  EXPECT_EQ(R.GlyphSize, TSize(14, 12));
  EXPECT_GE(R.GlyphPos.x, 2);
  EXPECT_EQ(R.GlyphPos.y, (41 - 12) / 2);
  EXPECT_EQ(Px(R.GlyphPos.x + 5, R.GlyphPos.y + 5), kBlue);
  // Without a caption it is centred.
  Clear();
  P.Caption.clear();
  Paint();
  EXPECT_EQ(Px(60, 20), kBlue);
  EXPECT_EQ(Px(53, 20), clWhite);
  // Overlapped text draws no picture.
  Clear();
  P.OverlappedText = true;
  Paint();
  EXPECT_EQ(Px(60, 20), clWhite);
}

TEST_F(Face, DisabledImageListGlyphIsGreyedOrTakenFromTheDisabledList) {
  auto* owner = new TComponent(nullptr);
  TImageList* list = MakeImageList(owner, 16, 16, {kRed});
  TImageList* disabled = MakeImageList(owner, 16, 16, {kBlue});
  P.Color = P.ColorTo = P.ColorMirror = P.ColorMirrorTo = clWhite;
  P.Images = list;
  P.ImageIndex = 0;
  P.ImageEnabled = false;
  Paint();
  TColor grey = Px(60, 20);
  EXPECT_TRUE(Near(grey, 0x4C4C4C, 12)) << std::hex << grey;
  P.DisabledImages = disabled;
  Paint();
  EXPECT_EQ(Px(60, 20), kBlue);
  P.ImageEnabled = true;
  Paint();
  EXPECT_EQ(Px(60, 20), kRed);
  owner->Free();
}

TEST_F(Face, NotesGoUnderTheCaption) {
  TStringList notes;
  notes.Add(L"second line");
  P.Notes = &notes;
  P.Caption = L"Title";
  P.Measuring = true;
  P.AntiAlias = TAntiAlias::aaNone;
  Paint();
  TSize t = GdiText(L"Title"), n = GdiText(L"second line");
  EXPECT_EQ(R.Size.cy, t.cy + 2 + n.cy);
}

}  // namespace
