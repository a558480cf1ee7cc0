#include <gtest/gtest.h>

#include <cmath>

#include "base/Graphics.h"
#include "ui/draw/GdiPlus.h"
#include "ui/draw/KelStyle.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

TEST(ColourConversion, PlatformColoursBecomeArgb) {
  struct Case {
    TColor In;
    ARGB Opaque;
  } cases[] = {{clRed, 0xFFFF0000}, {clBlue, 0xFF0000FF}, {0x563412, 0xFF123456}, {clBlack, 0xFF000000}};
  for (const Case& c : cases) {
    EXPECT_EQ(OpaqueArgbFromColor(c.In), c.Opaque);
    EXPECT_EQ(ColorToARGB(c.In), c.Opaque);
    ARGB half = ArgbFromColor(128, c.In);
    EXPECT_EQ(half, (c.Opaque & 0x00FFFFFF) | 0x80000000);
    EXPECT_EQ(ArgbRed(half), c.In & 0xFF);
    EXPECT_EQ(ArgbGreen(half), (c.In >> 8) & 0xFF);
    EXPECT_EQ(ArgbBlue(half), (c.In >> 16) & 0xFF);
    EXPECT_EQ(ArgbAlpha(half), 128);
  }
  EXPECT_EQ(ComposeArgb(1, 2, 3, 4), 0x01020304u);
  EXPECT_EQ(OpaqueArgb(1, 2, 3), 0xFF010203u);
  // System colours are resolved; clNone is not special.
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(ColorToARGB(clBtnFace), 0xFF000000u | (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face));
  EXPECT_EQ(OpaqueArgbFromColor(clBtnFace), ColorToARGB(clBtnFace));
  EXPECT_EQ(ColorToARGB(clNone), 0xFFFFFFFFu);
}

TEST(ColourConversion, BuildersAndQualityBlock) {
  TGPPoint p = BuildPoint(3, -4);
  EXPECT_EQ(p.X, 3);
  EXPECT_EQ(p.Y, -4);
  TGPRectF r = BuildRectF(1, 2, 3, 4);
  EXPECT_EQ(r.Height, 4);
  struct Case {
    int In;
    ULONG Stored;
  } cases[] = {{-5, 0}, {0, 0}, {55, 55}, {100, 100}, {250, 100}};
  for (const Case& c : cases) {
    EncoderParameters block;
    ULONG quality = 999;
    BuildQualityParameters(c.In, block, quality);
    EXPECT_EQ(quality, c.Stored);
    EXPECT_EQ(block.Count, 1u);
    EXPECT_EQ(block.Parameter[0].NumberOfValues, 1u);
    EXPECT_EQ(block.Parameter[0].Type, 4u);
    EXPECT_EQ(block.Parameter[0].Value, &quality);
    EXPECT_EQ(block.Parameter[0].Guid.Data1, 0x1d5be4b5u);
  }
}

TEST(DrawingFlags, AllStartFalseAndKeepWhatIsSet) {
  ResetGlobalDrawingFlags();
  EXPECT_FALSE(GetGlobalWin7ScenicRibbon());
  EXPECT_FALSE(GetGlobalIsWin8());
  EXPECT_FALSE(GetGlobalTabGlass());
  EXPECT_EQ(GetCornerRounding(), 3);
  SetGlobalWin7ScenicRibbon(true);
  SetGlobalIsWin8(true);
  SetGlobalIsWin10(true);
  SetGlobalTabGlass(true);
  EXPECT_TRUE(GetGlobalWin7ScenicRibbon());
  EXPECT_TRUE(GetGlobalIsWin8());
  EXPECT_TRUE(GetGlobalTabGlass());
  EXPECT_EQ(GetCornerRounding(), 0);
  ResetGlobalDrawingFlags();
}

TEST(ColourTones, ClearEmptyAndMetro) {
  TColorTones t;
  ClearColorTones(t);
  EXPECT_TRUE(ColorTonesEmpty(t));
  t.Hover.BrushColor = clRed;
  EXPECT_TRUE(ColorTonesEmpty(t));  // only the background counts
  t.Background.TextColor = clBlack;
  EXPECT_FALSE(ColorTonesEmpty(t));

  MetroColorTones(false, 0x0000FF, clBlue, t);
  EXPECT_EQ(t.Background.BrushColor, clBlack);
  EXPECT_EQ(t.Background.TextColor, clWhite);
  EXPECT_EQ(t.Background.BorderColor, 0x0000FF);
  EXPECT_EQ(t.Selected.BrushColor, 0x0000FF);
  EXPECT_EQ(t.Selected.TextColor, clWhite);
  EXPECT_EQ(t.Hover.BrushColor, 0x0000CC);
  EXPECT_EQ(t.Hover.BorderColor, 0x0000CC);
  EXPECT_EQ(t.Disabled.BorderColor, 0x808080);
  MetroColorTones(true, 0x0A0A0A, clNone, t);  // 10 * 0.8 = 8
  EXPECT_EQ(t.Background.BrushColor, clWhite);
  EXPECT_EQ(t.Hover.BrushColor, 0x080808);
}

TEST(StyleInterfaces, ObjectsAnswerOnlyTheInterfacesTheyHave) {
  struct Styled : TComponent, IKelStyleEx, IKelTones {
    using TComponent::TComponent;
    TKelStyle Style = TKelStyle::tsCustom;
    TColor App = 0;
    int Tones = 0;
    void SetComponentStyle(TKelStyle AStyle) override { Style = AStyle; }
    void SetComponentStyleAndAppColor(TKelStyle AStyle, TColor AAppColor) override { Style = AStyle, App = AAppColor; }
    void SetColorTones(const TColorTones&) override { ++Tones; }
  };
  auto* styled = new Styled(nullptr);
  auto* plain = new TComponent(nullptr);
  IKelStyle* s = nullptr;
  IKelStyleEx* ex = nullptr;
  IKelTones* tones = nullptr;
  ASSERT_TRUE(Supports(styled, ex));
  ASSERT_TRUE(Supports(styled, s));
  ASSERT_TRUE(Supports(styled, tones));
  s->SetComponentStyle(TKelStyle::tsOffice2016Black);
  EXPECT_EQ(static_cast<int>(styled->Style), 23);
  ex->SetComponentStyleAndAppColor(TKelStyle::tsOffice2003Blue, clRed);
  EXPECT_EQ(static_cast<int>(styled->Style), 0);
  EXPECT_EQ(styled->App, clRed);
  EXPECT_FALSE(Supports(plain, s));
  EXPECT_FALSE(Supports(plain, tones));
  EXPECT_EQ(IKelStyleEx::IID.Data1, 0x037BA87Fu);
  styled->Free();
  plain->Free();
}

TEST(SystemFont, SegoeFromVistaOnElseTahoma) {
  EXPECT_TRUE(IsVistaOrLater());  // kernel32 exports GetLocaleInfoEx here
  EXPECT_EQ(GetSystemFontName(), L"Segoe UI");
  SetIsVistaOrLaterSource([] { return false; });
  EXPECT_EQ(GetSystemFontName(), L"Tahoma");
  SetIsVistaOrLaterSource(nullptr);
}

TEST(Hsv, RgbToHsvTable) {
  struct Case {
    double R, G, B, H, S, V;
  } cases[] = {{255, 0, 0, 0, 1, 255}, {0, 0, 255, 240, 1, 255}, {0, 255, 0, 120, 1, 255},
               {255, 0, 255, 300, 1, 255}, {100, 50, 50, 0, 0.5, 100}, {0, 0, 0, NAN, 0, 0}};
  for (const Case& c : cases) {
    double h, s, v;
    RGBToHSV(c.R, c.G, c.B, h, s, v);
    if (std::isnan(c.H))
      EXPECT_TRUE(std::isnan(h));
    else
      EXPECT_DOUBLE_EQ(h, c.H);
    EXPECT_DOUBLE_EQ(s, c.S);
    EXPECT_DOUBLE_EQ(v, c.V);
  }
  double h, s, v;
  RGBToHSV(128, 128, 128, h, s, v);
  EXPECT_TRUE(std::isnan(h));
  EXPECT_EQ(s, 0);
  EXPECT_EQ(v, 128);
}

TEST(Hsv, HsvToRgbTableAndTheGreyWithAHue) {
  struct Case {
    double H, S, V, R, G, B;
  } cases[] = {{120, 1, 255, 0, 255, 0}, {360, 1, 255, 255, 0, 0}, {0, 1, 255, 255, 0, 0},
               {NAN, 0, 77, 77, 77, 77}, {240, 1, 255, 0, 0, 255}, {300, 0.5, 200, 200, 100, 200}};
  for (const Case& c : cases) {
    double r = -1, g = -1, b = -1;
    HSVtoRGB(c.H, c.S, c.V, r, g, b);
    EXPECT_DOUBLE_EQ(r, c.R);
    EXPECT_DOUBLE_EQ(g, c.G);
    EXPECT_DOUBLE_EQ(b, c.B);
  }
  double r, g, b;
  try {
    HSVtoRGB(30, 0, 77, r, g, b);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"HSVtoRGB: S = 0 and H has a value");
  }
}

TEST(Brightness, ChangeColorBrightnessTable) {
  struct Case {
    TColor In;
    int Percent;
    TColor Out;
  } cases[] = {
      {0x646464, 20, 0x787878},    // grey 100 -> 120
      {0x646464, 200, 0xFFFFFF},   // capped at 255
      {0x646464, -10, 0x5A5A5A},   // 90
      {clWhite, 20, clWhite},      {clWhite, -10, clWhite},
      {0x000080, 20, 0x00009A},    // 128 * 1.2 = 153.6 -> 154
      {0x0000FF, -20, 0x3333FF},   // full value: saturation 0.8
      // Full value, saturation pushed past 1: channels stay in range instead
      // of wrapping round to a pale pink.
      {0x0000FF, 20, 0x0000FF},    {0xFF0000, 20, 0xFF0000},
      {0x3366FF, 20, 0x0A47FF},    // saturation 0.8 -> 0.96, no channel leaves range
      // Full value, all saturation taken away: white, and nothing raised.
      {0x0000FF, -100, clWhite},   {0x3366FF, -150, clWhite},
  };
  for (const Case& c : cases) EXPECT_EQ(ChangeColorBrightness(c.In, c.Percent), c.Out) << std::hex << c.In << " " << std::dec << c.Percent;
}

TEST(RuntimeColours, BlendAndDarkenTables) {
  EXPECT_EQ(BlendColor(clBtnFace, clWhite, 100), clBtnFace);  // kept as a system colour
  EXPECT_EQ(BlendColor(clBtnFace, clWhite, 0), clWhite);
  struct Case {
    TColor A, B;
    int Percent;
    TColor Out;
  } blends[] = {{clWhite, clBlack, 50, 0x808080},  // 127.5 -> 128 (even)
                {0x050505, 0x000000, 50, 0x020202},  // 2.5 -> 2 (even)
                {0x0000FF, 0xFF0000, 25, 0xBF0040}};
  for (const Case& c : blends) EXPECT_EQ(BlendColor(c.A, c.B, c.Percent), c.Out);
  struct Dark {
    TColor In;
    int Percent;
    TColor Out;
  } darks[] = {{0xF0F0F0, -15, 0xFFFFFF}, {0x646464, 35, 0x414141}, {0x0A0A0A, 25, 0x080808}, {0x0A0A0A, 75, 0x020202}};
  for (const Dark& d : darks) EXPECT_EQ(DarkenColor(d.In, d.Percent), d.Out);
}
