#include <gtest/gtest.h>

#include <functional>

#include "base/Forms.h"
#include "tests/support/OfficeThemeKeys.h"
#include "tests/toolbar/stylers/StylerDoubles.h"
#include "ui/draw/GdiPlus.h"
#include "ui/toolbar/stylers/StylerProperties.h"
#include "ui/toolbar/stylers/ToolBarOfficeStyler.h"
#include "ui/toolbar/stylers/ToolBarThemeFile.h"

using S = TToolBarStyle;
using K = TKelStyle;
using Strings = std::vector<std::string>;

namespace {

// Every property the theme file carries, as the file writes it.
String Body(TAdvToolBarOfficeStyler* St) {
  String text = EncodeThemeFile(St);
  return text.substr(text.find(L'\n') + 1);
}

struct OfficeFixture : ::testing::Test {
  TComponent* Owner = new TComponent(nullptr);
  TAdvToolBarOfficeStyler* Styler = new TAdvToolBarOfficeStyler(Owner);
  TFakeToolBar* Bar = nullptr;
  TFakePager* Pager = nullptr;

  ~OfficeFixture() override {
    Owner->Free();
    SetGlobalWin7ScenicRibbon(false);
    SetGlobalIsWin8(false);
  }
  void AddBar() {
    Bar = new TFakeToolBar(Owner);
    Bar->SetName(L"Bar");
    Styler->AddControl(Bar);
  }
  void AddPager() {
    Pager = new TFakePager(Owner);
    Pager->SetName(L"Pager");
    Pager->SetToolBarStyler(Styler);
  }
};

}  // namespace

TEST(OfficeStylerColours, ShiftColorAndSwapRedBlue) {
  const struct {
    TColor Color;
    int Percent;
    TColor Want;
  } shifts[] = {{0x0000FF, -30, 0x0000B2}, {0x555555, 30, 0x6E6E6E}, {0x404040, 30, 0x535353},
                {0x000000, 30, 0x000000}, {0xFFFFFF, -30, 0xB2B2B2}, {clBtnFace, 0, ColorToRGB(clBtnFace)}};
  for (const auto& c : shifts) EXPECT_EQ(ShiftColor(c.Color, c.Percent), c.Want) << std::hex << c.Color;
  EXPECT_EQ(SwapRedBlue(0x123456), 0x563412);
  EXPECT_EQ(SwapRedBlue(static_cast<TColor>(0xFF0000AB)), 0xAB0000);
}

TEST_F(OfficeFixture, TheStyleInterfaceMapsStylesAndTintsTheApplicationButton) {
  const struct {
    K Style;
    TColor App;
    S Want;
    TColor Button, Hover;
  } cases[] = {
      {K::tsWindows10, clNone, S::bsWindows10, 0xC67200, 0xFFAC3C},
      {K::tsWindowsVista, clNone, S::bsWindowsVista, 0xC67200, 0xFFAC3C},
      {K::tsWhidbey, clNone, S::bsWhidbeyStyle, 0xC67200, 0xFFAC3C},
      {K::tsOffice2007Silver, 0x404040, S::bsOffice2007Silver, 0x404040, 0x535353},  // dark: lighter hover
      {K::tsCustom, 0x0000FF, S::bsOffice2007Silver, 0x0000FF, 0x0000B2},            // light: darker hover
  };
  for (const auto& c : cases) {
    Styler->SetComponentStyleAndAppColor(c.Style, c.App);
    EXPECT_EQ(Styler->Style(), c.Want) << static_cast<int>(c.Style);
    EXPECT_EQ(Styler->AppColor()->AppButtonColor(), c.Button);
    EXPECT_EQ(Styler->AppColor()->AppButtonHoverColor(), c.Hover);
  }
  const String before = Body(Styler);
  Styler->SetComponentStyle(K::tsCustom);
  EXPECT_EQ(Body(Styler), before);
  EXPECT_EQ(Styler->Style(), S::bsOffice2007Silver);
}

TEST_F(OfficeFixture, TheNotifierWindowIsAHiddenTopLevelWindowWithoutAWindowedOwner) {
  HWND h = Styler->NotifierWindow()->Handle();
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_EQ(GetWindowLongW(h, GWL_STYLE) & WS_CHILD, 0);
  EXPECT_EQ(GetAncestor(h, GA_PARENT), GetDesktopWindow());  // not message-only

  auto* form = new TForm(Owner);
  auto* onForm = new TAdvToolBarOfficeStyler(form);
  EXPECT_EQ(onForm->NotifierWindow()->Parent(), form);
}

// ---------------------------------------------------------------------------
// Following the Office theme

namespace {
struct ThemeFixture : OfficeFixture, OfficeThemeKeys {};
}  // namespace

TEST_F(ThemeFixture, AdaptationAppliesTheThemesStyleAndSwitchingItOnAgainReapplies) {
  Office2013(2);
  Styler->SetAutoThemeAdapt(true);
  EXPECT_EQ(Styler->Style(), S::bsOffice2013Gray);
  EXPECT_EQ(Styler->OldOfficeTheme(), TOfficeTheme::ot2013Gray);
  Styler->SetBorderColor(0x010101);
  Styler->AdaptToOfficeTheme();  // same theme: nothing
  EXPECT_EQ(Styler->BorderColor(), 0x010101);
  Styler->SetAutoThemeAdapt(false);
  Office2013(0);
  SendMessageW(Styler->NotifierWindow()->Handle(), WM_THEMECHANGED, 0, 0);  // off: nothing
  EXPECT_EQ(Styler->Style(), S::bsOffice2013Gray);
  Styler->SetAutoThemeAdapt(true);
  EXPECT_EQ(Styler->Style(), S::bsOffice2013White);
  Office2013(1);
  SendMessageW(Styler->NotifierWindow()->Handle(), WM_OFFICETHEMECHANGE, 0, 0);
  EXPECT_EQ(Styler->Style(), S::bsOffice2013LightGray);
}

TEST_F(ThemeFixture, AFreedStylerLeavesTheThemeNotifier) {
  Office2013(0);
  TThemeNotifier* n = GetThemeNotifier(nullptr);
  ASSERT_NE(n->RegMonitorThread(), nullptr);
  Styler->NotifierWindow()->Handle();
  Styler->SetAutoThemeAdapt(true);
  EXPECT_EQ(n->RegMonitorThread()->WindowCount(), 1);
  auto* loaded = new TAdvToolBarOfficeStyler(nullptr);
  loaded->BeginLoading();
  loaded->SetAutoThemeAdapt(true);
  loaded->EndLoading();  // Loaded registers it
  EXPECT_EQ(n->RegMonitorThread()->WindowCount(), 2);
  loaded->Free();
  Styler->Free();
  EXPECT_EQ(n->RegMonitorThread()->WindowCount(), 0);
  n->Free();
}

TEST_F(OfficeFixture, LoadingAppliesTheOffice2013StylesASecondTime) {
  const struct {
    S Style;
    bool Again;
  } cases[] = {{S::bsOffice2013White, true}, {S::bsWindows8, true}, {S::bsOffice2016White, false},
               {S::bsOffice2003Blue, false}};
  for (const auto& c : cases) {
    auto* st = new TAdvToolBarOfficeStyler(nullptr);
    st->BeginLoading();
    st->SetStyle(c.Style);
    const TColor bar = st->Color()->Color();
    st->Color()->SetColor(0x010203);
    st->EndLoading();
    EXPECT_EQ(st->Color()->Color(), c.Again ? bar : 0x010203) << static_cast<int>(c.Style);
    EXPECT_EQ(st->Style(), c.Style);
    st->Free();
  }
}

// ---------------------------------------------------------------------------
// The built-in styles

TEST_F(OfficeFixture, EveryPropertyTheStylesNameExists) {
  std::string unknown;
  EXPECT_TRUE(ToolBarStyleTablesResolve(&unknown)) << unknown;
}

TEST_F(OfficeFixture, EachGradientStyleHasItsCharacteristicColours) {
  constexpr TColor Bf = clBtnFace, Keep = 0x2FFFFFFF;
  using D = TDragGripStyle;
  using B = TBevelCut;
  const struct {
    S Style;
    TColor Color, ColorTo, Dock, DockTo, Border;
    D Grip;
    bool Round;
    int Width;
    B Bevel;
    bool UseBevel;
    TColor Glow, GlowBorder;
    K Code;
  } cases[] = {
      {S::bsOffice2003Blue, 0xFDEADA, 0xE4AE88, 0xF5BFA0, 0xFADAC4, 0xE0C7AD, D::dsDots, true, 2, B::bvNone, false,
       0xEEDBC8, 0xE0B99B, K::tsOffice2003Blue},
      {S::bsOffice2003Silver, 0xECE2E1, 0xB39698, 0xE6D8D8, 0xF7F3F3, 0xF7F3F3, D::dsDots, true, 2, B::bvNone, false,
       0xE6E9E2, 0x927476, K::tsOffice2003Silver},
      {S::bsOffice2003Olive, 0xCFF0EA, 0x8CC0B1, 0xAADADA, 0xE4F1F2, 0x8CC0B1, D::dsDots, true, 2, B::bvNone, false,
       0xCFF0EA, 0x8CC0B1, K::tsOffice2003Olive},
      {S::bsOffice2003Classic, 0xFFFFFF, 0xC9D1D5, 0xD2BDB6, 0xD2BDB6, Keep, D::dsDots, true, 2, B::bvNone, false,
       0xFFFFFF, 0x000000, K::tsOffice2003Classic},
      {S::bsOffice2007Luna, 0xEDD8C7, 0xF6E9D9, 0xEDD8C7, 0xFAF1E9, 0xD7C8B7, D::dsNone, true, 1, B::bvNone, false,
       0xEEDBC8, 0xE0B99B, K::tsOffice2007Luna},
      {S::bsOffice2007Obsidian, 0xC5BBB4, 0xECECE5, 0xCFC6C1, 0xC5BBB4, 0xB4B0AE, D::dsNone, true, 1, B::bvNone,
       false, 0xDFDED6, 0xC0BCB2, K::tsOffice2007Obsidian},
      {S::bsWindowsXP, Bf, Bf, Bf, Bf, 0x808080, D::dsSingleLine, false, 2, B::bvRaised, true, 0xFFFFFF, 0xB9D8DC,
       K::tsWindowsXP},
      {S::bsOfficeXP, Bf, Bf, Bf, Bf, 0x808080, D::dsSingleLine, false, 2, B::bvRaised, true, 0xFFFFFF, 0xB9D8DC,
       K::tsWindowsXP},
      {S::bsWhidbeyStyle, 0xF5F9FA, 0xA8C0C0, 0xD7E5E5, 0xE7F2F3, 0xC0C0C0, D::dsDots, true, 2, B::bvNone, false,
       0xFFFFFF, 0x99A8AC, K::tsWhidbey},
      {S::bsOffice2007Silver, 0xE7DCD5, 0xF4F4EE, 0xE5D7D7, 0xF7F3F3, 0x939291, D::dsNone, true, 1, B::bvNone, false,
       0xF3F3F1, 0xCAC7C6, K::tsOffice2007Silver},
      {S::bsWindowsVista, 0xFDF8F1, 0xFCEFD5, 0xFCEFD5, 0xFCEFD5, 0xFCF2DA, D::dsDots, true, 2, B::bvNone, false,
       0xFDF8F1, 0xFDDE99, K::tsWindowsVista},
      {S::bsWindows7, 0xDBC9BA, 0xDBC9BA, 0xDBC9BA, 0xDBC9BA, 0xDBC9BA, D::dsDots, true, 2, B::bvNone, false, 0xFBF8F6,
       0xD2BEB0, K::tsWindows7},
      {S::bsTerminal, Bf, Bf, Bf, Bf, 0x808080, D::dsDots, true, 2, B::bvNone, false, Bf, 0x808080, K::tsTerminal},
      {S::bsOffice2010Blue, 0xFDF6EF, 0xF0DAC7, 0xF0DAC7, 0xFDF6EF, 0xC7B29F, D::dsDots, true, 2, B::bvNone, false,
       0xFDF6EF, 0xC7B29F, K::tsOffice2010Blue},
      {S::bsOffice2010Silver, 0xFFFFFF, 0xEDE5E0, 0xEDE5E0, 0xFFFFFF, Keep, D::dsDots, true, 2, B::bvNone, false,
       0xFFFFFF, 0xD2CDC8, K::tsOffice2010Silver},
      {S::bsOffice2010Black, 0xBFBFBF, 0x919191, 0x919191, 0xBFBFBF, 0x6D6D6D, D::dsDots, true, 2, B::bvNone, false,
       0xBFBFBF, 0x6D6D6D, K::tsOffice2010Black},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Style));
    auto* st = new TAdvToolBarOfficeStyler(Owner);
    st->SetBorderColor(0x0A0B0C);
    st->SetStyle(c.Style);
    EXPECT_EQ(st->Color()->Color(), c.Color);
    EXPECT_EQ(st->Color()->ColorTo(), c.ColorTo);
    EXPECT_EQ(st->DockColor()->Color(), c.Dock);
    EXPECT_EQ(st->DockColor()->ColorTo(), c.DockTo);
    EXPECT_EQ(st->DockColor()->Steps(), 128);
    EXPECT_EQ(st->BorderColor(), c.Border == Keep ? 0x0A0B0C : c.Border);
    EXPECT_EQ(st->DragGripStyle(), c.Grip);
    EXPECT_EQ(st->RoundEdges(), c.Round);
    EXPECT_EQ(st->FloatingWindowBorderWidth(), c.Width);
    EXPECT_EQ(st->Bevel(), c.Bevel);
    EXPECT_EQ(st->UseBevel(), c.UseBevel);
    EXPECT_EQ(st->GlowButtonAppearance()->Color(), c.Glow);
    EXPECT_EQ(st->GlowButtonAppearance()->BorderColor(), c.GlowBorder);
    EXPECT_EQ(st->KelStyle(), c.Code);
  }
}

TEST_F(OfficeFixture, Office2003BlueAndLunaWriteTheirWholeSchemes) {
  Styler->SetStyle(S::bsOffice2003Blue);
  const struct {
    const char* Key;
    int32_t Value;
  } blue[] = {
      {"RightHandleColorDownTo", 0x7CDAF7}, {"FloatingWindowBorderColor", 0x913500}, {"BorderColorHot", 0xE0C7AD},
      {"PagerCaption.BorderColor", 0xF0CAAE}, {"PagerCaption.TextColor", 0x808080},
      {"PagerCaption.TextColorExtended", 0xFF0000}, {"GlowButtonAppearance.ColorMirrorHot", 0x59DAFF},
      {"GlowButtonAppearance.ColorMirrorTo", 0xF7E1D0}, {"CompactGlowButtonAppearance.ColorChecked", 0xB5DBFB},
      {"CompactGlowButtonAppearance.ColorMirrorTo", 0xF7E1D0}, {"Color.Mirror.ColorMirrorTo", 0xFCE1CE},
      {"ColorHot.Mirror.ColorMirror", 0xFBDCC8}, {"CaptionAppearance.CaptionBorderColor", clHighlight},
      {"ButtonAppearance.ColorCheckedTo", 0x58AFFF}, {"ButtonAppearance.BorderHotColor", 0x800000},
      {"GroupAppearance.BorderColor", 0xC2C2C2}, {"GroupAppearance.TabAppearance.ColorMirrorSelectedTo", 0xD4F1FD},
      {"GroupAppearance.PageAppearance.Color", 0xD6F2FE}, {"GroupAppearance.ToolBarAppearance.BorderColorHot", 0xC7C7C7},
      {"GroupAppearance.CaptionAppearance.CaptionColorHotTo", 0xFFEDD6},
      {"TabAppearance.BorderColorSelectedHot", 0x60CCF9}, {"TabAppearance.ShadowColor", 0xA3673F},
      {"TabAppearance.HighLightColorHot", 0xFDF4ED}, {"PageAppearance.ShadowColor", 0xCD9D7A},
      {"PageAppearance.HighLightColor", 0xFDF9CE}, {"QATAppearance.FullSizeBorderColor", 0xE4AE88},
      {"SysButtonColor", 0},
  };
  for (const auto& v : blue) EXPECT_EQ(FindStylerProperty(v.Key)->Get(Styler), v.Value) << v.Key;
  EXPECT_FALSE(Styler->GlowButtonAppearance()->TranspHover());
  EXPECT_EQ(Styler->GlowButtonAppearance()->TextColor(), clNone);

  Styler->Color()->SetSteps(99);
  Styler->SetStyle(S::bsOffice2007Luna);
  const struct {
    const char* Key;
    int32_t Value;
  } luna[] = {
      {"Color.Steps", 99}, {"SysButtonColor", 0xB99A82}, {"PagerCaption.TextColor", 0xAA6A3E},
      {"PagerCaption.TextColorExtended", 0x797069}, {"GlowButtonAppearance.BorderColorChecked", 0x45667B},
      {"CompactGlowButtonAppearance.ColorHot", 0xF7F7EF}, {"CompactGlowButtonAppearance.BorderColorChecked", 0xB7A38E},
      {"CompactGlowButtonAppearance.Color", 0xEEDBC8}, {"CaptionAppearance.CaptionBorderColor", clHighlight},
      {"GroupAppearance.TabAppearance.Gradient", 0}, {"GroupAppearance.PageAppearance.ShadowColor", 0xC4AA96},
      {"TabAppearance.BackGround.ColorTo", clNone}, {"TabAppearance.GradientHot", 0},
      {"QATAppearance.FullSizeBorderColor", 0xCDA17E}, {"PageAppearance.ColorMirrorTo", 0xFFF4E3},
  };
  for (const auto& v : luna) EXPECT_EQ(FindStylerProperty(v.Key)->Get(Styler), v.Value) << v.Key;
}

TEST_F(OfficeFixture, FlatStylesWithoutAPagerEndWithTheirOwnColours) {
  const struct {
    S Style;
    TColor Bar, RightHand, RightHandHot, RightHandDown, Border;
    TColor Glow, GlowBorder, GlowMirror, Hot, Down, Checked;
    K Code;
  } cases[] = {
      {S::bsWindows8, 0xF7F6F5, 0xECECEB, 0xF7EFE8, 0xF7E0C9, 0x0A0B0C, 0xF7F6F5, 0xF7F6F5, clNone, 0xF7EFE8, 0xF7E0C9,
       0xF7E0C9, K::tsWindows8},
      {S::bsWindows10, 0xF7F6F5, 0xECECEB, 0xF7EFE8, 0xF7E0C9, 0x0A0B0C, 0xF7F6F5, 0xF7F6F5, clNone, 0xF7EFE8, 0xF7E0C9,
       0xF7E0C9, K::tsWindows8},
      {S::bsOffice2013White, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080, 0xC0C0C0, 0xFFFFFF, 0xFFFFFF, clNone, 0x111111,
       0x222222, 0x222222, K::tsOffice2013White},
      {S::bsOffice2013LightGray, 0xFAFAFA, 0x808080, 0x707070, 0x808080, 0x808080, 0xFAFAFA, 0xFAFAFA, clNone, 0x111111,
       0x222222, 0x222222, K::tsOffice2013LightGray},
      {S::bsOffice2013Gray, 0xC0C0C0, 0x808080, 0x707070, 0x808080, 0x808080, 0xF3F3F3, 0xF3F3F3, clNone, 0x111111,
       0x222222, 0x222222, K::tsOffice2013Gray},
      {S::bsOffice2016White, 0xFFFFFF, 0xFFFFFF, 0xF2E1D5, 0xE3BDA3, 0xD4D4D4, 0xFFFFFF, 0xD4D4D4, 0xFFFFFF, 0xF2E1D5,
       0xE3BDA3, 0xF2D5C2, K::tsOffice2016White},
      {S::bsOffice2016Gray, 0xB2B2B2, 0xB2B2B2, 0xF2E1D5, 0xE3BDA3, 0x444444, 0xB2B2B2, 0x444444, 0xB2B2B2, 0xF2E1D5,
       0xE3BDA3, 0xF2D5C2, K::tsOffice2016Gray},
      {S::bsOffice2016Black, 0x363636, 0x363636, 0x6A6A6A, 0x444444, 0x4E4E4E, 0x363636, 0x444444, 0x363636, 0x6A6A6A,
       0x444444, 0x575757, K::tsOffice2016Black},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Style));
    auto* st = new TAdvToolBarOfficeStyler(Owner);
    st->SetBorderColor(0x0A0B0C);
    st->AppColor()->SetHoverColor(0x111111);
    st->AppColor()->SetSelectedColor(0x222222);
    st->SetStyle(c.Style);
    TGlowButtonAppearance* g = st->GlowButtonAppearance();
    EXPECT_EQ(st->Color()->Color(), c.Bar);
    EXPECT_EQ(st->Color()->ColorTo(), c.Bar);
    EXPECT_EQ(st->DockColor()->Color(), c.Bar);
    EXPECT_EQ(st->RightHandleColor(), c.RightHand);
    EXPECT_EQ(st->RightHandleColorTo(), c.RightHand);
    EXPECT_EQ(st->RightHandleColorHotTo(), c.RightHandHot);
    EXPECT_EQ(st->RightHandleColorDown(), c.RightHandDown);
    EXPECT_EQ(st->BorderColor(), c.Border);
    EXPECT_EQ(g->Color(), c.Glow);
    EXPECT_EQ(g->BorderColor(), c.GlowBorder);
    EXPECT_EQ(g->ColorMirror(), c.GlowMirror);
    EXPECT_EQ(g->ColorHot(), c.Hot);
    EXPECT_EQ(g->ColorDown(), c.Down);
    EXPECT_EQ(g->ColorChecked(), c.Checked);
    EXPECT_FALSE(st->RoundEdges());
    EXPECT_EQ(st->KelStyle(), c.Code);
  }
}

TEST_F(OfficeFixture, CustomChangesNothingAndBroadcastsNothing) {
  AddBar();
  Styler->SetStyle(S::bsOffice2010Blue);
  const String before = Body(Styler);
  StylerLog.clear();
  Styler->SetStyle(S::bsCustom);
  EXPECT_EQ(Body(Styler), before);
  EXPECT_EQ(Styler->KelStyle(), K::tsCustom);
  EXPECT_EQ(StylerLog, Strings{});
}

TEST_F(OfficeFixture, EveryStyleEndsWithOneBroadcastOfItsNewColours) {
  AddBar();
  for (int i = 0; i < ToolBarStyleCount; ++i) {
    if (static_cast<S>(i) == S::bsCustom) continue;
    StylerLog.clear();
    Styler->SetStyle(static_cast<S>(i));
    EXPECT_EQ(StylerLog, Strings{"Bar:2"}) << i;
  }
}

TEST_F(OfficeFixture, StylesThatShareAssignmentsLeaveTheSameColours) {
  AddPager();
  // What neither writes stays from the style before, the same for both.
  Styler->SetStyle(S::bsOffice2003Blue);
  Styler->SetStyle(S::bsWindowsXP);
  const String xp = Body(Styler);
  Styler->SetStyle(S::bsOffice2003Blue);
  Styler->SetStyle(S::bsOfficeXP);
  EXPECT_EQ(Body(Styler), xp);
  EXPECT_EQ(Styler->KelStyle(), K::tsWindowsXP);

  Styler->SetStyle(S::bsWindows8);
  const String w8 = Body(Styler);
  Styler->SetStyle(S::bsWindows10);
  EXPECT_EQ(Body(Styler), w8);
  EXPECT_EQ(Styler->KelStyle(), K::tsWindows8);
  EXPECT_EQ(Styler->NewKelStyle(), K::tsWindows10);
  EXPECT_FALSE(Pager->Glass);
  EXPECT_FALSE(Pager->Scenic);
  EXPECT_EQ(Pager->GroupStyle, TGroupStyle::gsWindows8);
}

TEST_F(OfficeFixture, FlatStylesHandAPagerTheirTones) {
  AddPager();
  Styler->SetBorderColor(0x0A0B0C);
  Styler->SetStyle(S::bsOffice2013White);
  EXPECT_EQ(Styler->BorderColor(), 0x0A0B0C);
  EXPECT_EQ(Pager->ToneCalls, 1);
  EXPECT_EQ(Pager->GroupStyle, TGroupStyle::gsOffice2013);
  EXPECT_EQ(Pager->Tones.App, Styler->AppColor());
  EXPECT_EQ(Pager->Tones.Tab.Selected.TextColor, 0xFF0000);
  EXPECT_EQ(Pager->Tones.Tab.Background.TextColor, 0x666666);
  EXPECT_EQ(Pager->Tones.Pager.Background.BrushColor, 0xFFFFFF);
  EXPECT_EQ(Styler->AppColor()->HoverBorderColor(), Styler->AppColor()->HoverColor());

  Styler->AppColor()->SetAppButtonColor(0x123456);
  Styler->SetStyle(S::bsOffice2016White);
  EXPECT_EQ(Pager->Tones.Tab.Selected.TextColor, 0x123456);
  EXPECT_EQ(Pager->Tones.Pager.Background.BrushColor, 0x123456);
  EXPECT_EQ(Pager->ClearCalls, 2);
  EXPECT_EQ(Pager->GroupStyle, TGroupStyle::gsOffice2013);

  Styler->AppColor()->SetHoverColor(0x445566);
  Styler->SetStyle(S::bsOffice2013Gray);
  EXPECT_EQ(Styler->GlowButtonAppearance()->ColorHot(), 0x445566);
  EXPECT_EQ(Styler->Color()->Color(), 0xF3F3F3);  // with a pager the bar stays
}

TEST_F(OfficeFixture, Office2010GroupsTakeThePageAndTabWithOrangeBorders) {
  AddPager();
  const int qat = Pager->QATCalls;
  Styler->SetStyle(S::bsOffice2010Silver);
  EXPECT_EQ(Pager->QATCalls, qat);  // the Office 2010 styles leave the pager's layout alone
  TCustomTabAppearance* own = Styler->TabAppearance();
  TCustomTabAppearance* group = Styler->GroupAppearance()->TabAppearance();
  EXPECT_EQ(group->BorderColorHot(), 0x1475FF);
  EXPECT_EQ(group->BorderColorSelected(), 0x1475FF);
  EXPECT_EQ(group->BorderColorSelectedHot(), 0x1475FF);
  EXPECT_EQ(group->ColorSelected(), own->ColorSelected());
  EXPECT_EQ(group->ColorHot(), own->ColorHot());
  EXPECT_EQ(group->TextColor(), own->TextColor());
  EXPECT_EQ(Styler->GroupAppearance()->Color(), 0x46C0FF);
  EXPECT_EQ(Styler->GroupAppearance()->ToolBarAppearance()->Color()->Color(), Styler->PageAppearance()->Color());
  EXPECT_EQ(own->TextColorDisabled(), 0x808080);
  SetGlobalIsWin8(true);
  Styler->SetStyle(S::bsOffice2010Silver);
  EXPECT_EQ(own->TextColorDisabled(), 0xC0C0C0);
  Styler->SetStyle(S::bsOffice2007Luna);
  EXPECT_EQ(Pager->QATCalls, qat + 1);
}

TEST_F(OfficeFixture, Windows7PicksItsSetByTheScenicFlag) {
  Styler->SetStyle(S::bsWindows7);
  EXPECT_EQ(Styler->Color()->Color(), 0xDBC9BA);  // no pager: the scenic set
  AddPager();
  Styler->SetStyle(S::bsWindows7);
  EXPECT_EQ(Styler->Color()->Color(), 0xFCEBDC);
  EXPECT_EQ(Styler->BorderColor(), 0xCEA27D);
  SetGlobalWin7ScenicRibbon(true);
  Styler->SetStyle(S::bsWindows7);
  EXPECT_EQ(Styler->Color()->Color(), 0xDBC9BA);
  EXPECT_EQ(Styler->GlowButtonAppearance()->BorderColorDisabled(), 0x808080);
}

TEST_F(OfficeFixture, StylesKeepWhatTheyDoNotWrite) {
  Styler->SetStyle(S::bsOffice2003Blue);
  Styler->SetBorderColor(0x0A0B0C);
  Styler->SetStyle(S::bsOffice2003Classic);
  EXPECT_EQ(Styler->BorderColor(), 0x0A0B0C);
  Styler->Color()->SetSteps(33);
  Styler->SetStyle(S::bsOffice2007Luna);
  EXPECT_EQ(Styler->Color()->Steps(), 33);
  Styler->SetStyle(S::bsOffice2003Silver);
  EXPECT_EQ(Styler->Color()->Steps(), 64);
}
