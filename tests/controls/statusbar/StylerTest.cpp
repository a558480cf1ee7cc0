#include <gtest/gtest.h>

#include "base/Registry.h"
#include "tests/controls/statusbar/StatusBarFixture.h"
#include "tests/support/OfficeThemeKeys.h"
#include "ui/controls/statusbar/AdvOfficeStatusBarStylers.h"

using OfficeStatusBar::TVistaBackground;
using S = TOfficeStatusBarStyle;

namespace {
constexpr TColor N = clNone, Wh = clWhite, Bk = clBlack, Gy = clGray, Sv = clSilver, Bf = clBtnFace,
                 Hl = clHighlight;

struct StyleRow {
  S Style;
  TColor Bar;
  TColor LBorder, LColor, LColorTo, LMirror, LMirrorTo, LText;
  TColor DBorder, DColor, DColorTo, DMirror, DMirrorTo, DText;
  TColor LHot, LMirrorHot, LBorderHot, LDown, LMirrorDown, LBorderDown;
  TColor DMirrorHot, DBorderHot;
};

// The colour sets as the styles define them.
const StyleRow kStyles[] = {
    {S::psOffice2003Blue, 0xE4AE88, 0xE3B28D, 0xFADDC6, 0xE2A982, 0xE2A982, 0xE2A982, Bk, N, 0xD38355, 0x9C430F,
     0x9C430F, 0x9C430F, Wh, 0xD4FBFF, 0x63C4F7, Gy, 0x8CE1FA, 0x1D9AEF, 0x9C430F, 0x63C4F7, Gy},
    {S::psOffice2003Silver, 0xB39698, N, 0xF7F3F3, 0xE6D8D8, 0xE6D8D8, 0xE6D8D8, Bk, N, 0xE6D8D8, 0xB79B9D, 0xB79B9D,
     0xB79B9D, Wh, 0xD4FBFF, 0x63C4F7, Gy, 0x8CE1FA, 0x1D9AEF, 0xB79B9D, 0x63C4F7, Gy},
    {S::psOffice2003Olive, 0x8CC0B1, N, 0xCFF0EA, 0x90C3B5, 0x90C3B5, 0x90C3B5, Bk, N, 0x81BFAE, 0x4D846E, 0x4D846E,
     0x4D846E, Wh, 0xD4FBFF, 0x63C4F7, Gy, 0x8CE1FA, 0x1D9AEF, 0x4D846E, 0x63C4F7, Gy},
    {S::psOffice2003Classic, 0xC9D1D5, N, Wh, 0xC9D1D5, N, N, Bk, N, Gy, Gy, N, N, Wh, 0xD2BDB6, 0xD2BDB6, Gy,
     0xE2B598, N, Bk, N, Gy},
    {S::psOffice2007Luna, 0xB07D56, N, 0xF9E6D7, 0xF8DCC7, 0xF5D0B3, 0xF7E0CD, 0x612009, N, 0xF8DCC5, 0xF5B687,
     0xEAB690, 0xC29574, 0x612009, 0xFBFFFF, 0x6BD8FF, 0x99CEDB, 0x77B4F7, 0x1982F8, 0x45667B, 0x6BD8FF, 0x99CEDB},
    {S::psOffice2007Obsidian, 0x414141, N, 0x414141, 0x30302F, 0x30302F, 0x4C4C4C, Wh, N, 0xA19F9E, 0x635F5E,
     0x635F5E, 0x534D4B, Wh, 0xFBFFFF, 0x6BD8FF, 0x99CEDB, 0x77B4F7, 0x1982F8, 0x45667B, 0x6BD8FF, 0x99CEDB},
    {S::psWindowsXP, Sv, N, Bf, Bf, Bf, Bf, Bk, N, Wh, Bf, Bf, Bf, Bk, 0xEFD3C6, N, Gy, 0xB59284, N, Bk, N, Gy},
    {S::psWhidbey, 0xA8C0C0, N, 0xF5F9FA, 0xA8C0C0, N, N, Bk, N, 0xEBEEEF, 0x7E9898, N, N, Bk, 0xD4FBFF, 0x63C4F7,
     Gy, 0x8CE1FA, 0x1D9AEF, Bk, 0x63C4F7, Gy},
    {S::psOffice2007Silver, 0x766A61, N, 0xEBE8E7, 0xC7BBB5, 0xB7B0AA, 0xCEC9C7, 0x2A2623, N, 0xEBE8E7, 0xC7BBB6,
     0xBAB4AE, 0xAFABA5, 0x2A2623, 0xFBFFFF, 0x6BD8FF, 0x99CEDB, 0x77B4F7, 0x1982F8, 0x45667B, 0x6BD8FF, 0x99CEDB},
    {S::psWindowsVista, 0xFCF2DA, N, Wh, Wh, N, N, Bk, N, 0xFBEDD3, 0xFBEDD3, N, N, Bk, 0xFFFDF9, 0xFFFAF0, 0xFEDF9A,
     0xFEF9F0, 0xFDF0D7, Hl, 0xFFFAF0, 0xFEDF9A},
    {S::psWindows7, 0x919191, 0xEDEDF1, 0xEDEDF1, 0xEDEDF1, N, N, Bk, 0xEDEDF1, 0xEDEDF1, 0xEDEDF1, N, N, Bk,
     0xEDEDF1, N, 0xD7D7D7, 0xEDEDF1, N, 0xEDEDF1, N, 0xEDEDF1},
    {S::psTerminal, Gy, Gy, Bf, Bf, Bf, Bf, Bk, Gy, Sv, Sv, Sv, Sv, Bk, Gy, Gy, Sv, Hl, Hl, Gy, Gy, Sv},
    {S::psOffice2010Blue, 0xA78F79, N, 0xFDF6EF, 0xF0DAC7, N, N, 0x73391F, N, 0xF6E8DC, 0xA78F79, N, N, 0x73391F,
     0xD9F9FD, 0x8AE3FD, 0x58CAF1, 0x7BEEFF, 0x6CD0FF, 0x308AC2, 0x8AE3FD, 0x58CAF1},
    {S::psOffice2010Silver, 0xA39A93, N, Wh, 0xEDE5E0, N, N, Bk, N, 0xEEEAE6, 0xA39A93, N, N, Bk, 0xD9F9FD, 0x8AE3FD,
     0x58CAF1, 0x7BEEFF, 0x6CD0FF, 0x308AC2, 0x8AE3FD, 0x58CAF1},
    {S::psOffice2010Black, 0x2C2C2C, N, 0xBFBFBF, 0x919191, N, N, Bk, N, 0x4B4B4B, 0x323232, N, N, Bk, 0xD9F9FD,
     0x8AE3FD, 0x58CAF1, 0x7BEEFF, 0x6CD0FF, 0x308AC2, 0x8AE3FD, 0x58CAF1},
    {S::psWindows8, 0xDCDBDA, N, Wh, Wh, Wh, Wh, Bk, 0xDCDBDA, 0xF7F6F5, 0xF7F6F5, 0xF7F6F5, 0xF7F6F5, Bk, 0xF7EFE8,
     0xF7EFE8, 0xF9CEA4, 0xF7E0C9, 0xF7E0C9, 0xE4A262, 0xF7EFE8, 0xF9CEA4},
    {S::psOffice2013White, 0xD4D4D4, N, Wh, Wh, N, N, Bk, 0xD4D4D4, 0xEEEEEE, 0xEEEEEE, N, N, Bk, 0xFCF0E4, 0xFCF0E4,
     0xEAB47E, 0xFCE2C8, 0xFCE2C8, 0xE59D56, 0xFCF0E4, 0xEAB47E},
    {S::psOffice2013LightGray, 0xC6C6C6, N, 0xFAFAFA, 0xFAFAFA, N, N, Bk, 0xC6C6C6, 0xF6F6F6, 0xF6F6F6, N, N, Bk,
     0xFCF0E4, 0xFCF0E4, 0xEAB47E, 0xFCE2C8, 0xFCE2C8, 0xE59D56, 0xFCF0E4, 0xEAB47E},
    {S::psOffice2013Gray, 0xABABAB, N, 0xF3F3F3, 0xF3F3F3, N, N, Bk, 0xABABAB, 0xE5E5E5, 0xE5E5E5, N, N, Bk, 0xFCF0E4,
     0xFCF0E4, 0xEAB47E, 0xFCE2C8, 0xFCE2C8, 0xE59D56, 0xFCF0E4, 0xEAB47E},
    {S::psWindows10, 0xDCDBDA, N, Wh, Wh, Wh, Wh, Bk, 0xDCDBDA, 0xF7F6F5, 0xF7F6F5, 0xF7F6F5, 0xF7F6F5, Bk, 0xF7EFE8,
     0xF7EFE8, 0xF9CEA4, 0xF7E0C9, 0xF7E0C9, 0xE4A262, 0xF7EFE8, 0xF9CEA4},
    // Tinted by the application colour; without one (white) the tints are white.
    {S::psOffice2016White, Wh, N, Wh, Wh, N, N, Bk, N, Wh, Wh, N, N, Wh, Wh, Wh, Wh, Wh, Wh, Wh, Wh, Wh},
    {S::psOffice2016Gray, 0x444444, N, 0x6A6A6A, 0x6A6A6A, N, N, Wh, N, 0x595959, 0x595959, N, N, Wh, 0xB2B2B2,
     0xB2B2B2, 0xB2B2B2, 0x444444, 0x444444, 0x444444, 0xB2B2B2, 0xB2B2B2},
    {S::psOffice2016Black, 0x444444, 0x444444, 0x2D2D2D, 0x2D2D2D, N, N, Wh, 0x463F3F, 0x252525, 0x252525, N, N, Wh,
     0x5E5E5E, 0x5E5E5E, 0x5E5E5E, 0x444444, 0x444444, 0x444444, 0x5E5E5E, 0x5E5E5E},
};

void ExpectStyle(TAdvOfficeStatusBarOfficeStyler* s, const StyleRow& r) {
  TVistaBackground* L = s->PanelAppearanceLight();
  TVistaBackground* D = s->PanelAppearanceDark();
  SCOPED_TRACE(static_cast<int>(r.Style));
  EXPECT_EQ(s->BorderColor(), r.Bar);
  const TColor light[] = {L->BorderColor(), L->Color(), L->ColorTo(), L->ColorMirror(), L->ColorMirrorTo(),
                          L->TextColor()};
  const TColor lightWant[] = {r.LBorder, r.LColor, r.LColorTo, r.LMirror, r.LMirrorTo, r.LText};
  const TColor dark[] = {D->BorderColor(), D->Color(), D->ColorTo(), D->ColorMirror(), D->ColorMirrorTo(),
                         D->TextColor()};
  const TColor darkWant[] = {r.DBorder, r.DColor, r.DColorTo, r.DMirror, r.DMirrorTo, r.DText};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(light[i], lightWant[i]) << "light " << i;
    EXPECT_EQ(dark[i], darkWant[i]) << "dark " << i;
  }
  EXPECT_EQ(L->ColorHot(), r.LHot);
  EXPECT_EQ(L->ColorMirrorHot(), r.LMirrorHot);
  EXPECT_EQ(L->BorderColorHot(), r.LBorderHot);
  EXPECT_EQ(L->ColorDown(), r.LDown);
  EXPECT_EQ(L->ColorMirrorDown(), r.LMirrorDown);
  EXPECT_EQ(L->BorderColorDown(), r.LBorderDown);
  EXPECT_EQ(D->ColorMirrorHot(), r.DMirrorHot);
  EXPECT_EQ(D->BorderColorHot(), r.DBorderHot);
  EXPECT_EQ(D->ColorDown(), r.LDown);
  EXPECT_EQ(D->BorderColorDown(), r.LBorderDown);
}

struct StylerFixture : BarFixture {
  TAdvOfficeStatusBarOfficeStyler* Styler = new TAdvOfficeStatusBarOfficeStyler(Form);
};
}  // namespace

TEST(VistaBackground, DefaultsAndWhichSettersNotify) {
  TVistaBackground a;
  EXPECT_EQ(a.BorderColor(), clNone);
  EXPECT_EQ(a.BorderColorHot(), clGray);
  EXPECT_EQ(a.BorderColorDown(), clGray);
  EXPECT_EQ(a.Color(), clWhite);
  EXPECT_EQ(a.ColorMirror(), clSilver);
  EXPECT_EQ(a.ColorMirrorTo(), clWhite);
  EXPECT_EQ(a.ColorMirrorHot(), clSilver);
  EXPECT_EQ(a.ColorMirrorDown(), clSilver);
  EXPECT_EQ(a.Steps(), 64);
  EXPECT_EQ(a.TextColor(), clBlack);
  EXPECT_TRUE(a.TextStyle().Empty());
  int changes = 0;
  a.OnChange = [&](TObject* s) {
    EXPECT_EQ(s, &a);
    ++changes;
  };
  struct Case {
    const char* Name;
    std::function<void()> Set;
    int Notifies;
  };
  const Case cases[] = {
      {"Color", [&] { a.SetColor(0x123456); }, 1},
      {"Color again", [&] { a.SetColor(0x123456); }, 0},
      {"ColorDown", [&] { a.SetColorDown(0x10); }, 1},
      {"ColorMirrorDownTo", [&] { a.SetColorMirrorDownTo(0x11); }, 1},
      {"BorderColorDown", [&] { a.SetBorderColorDown(0x12); }, 1},
      {"TextColorDown", [&] { a.SetTextColorDown(0x13); }, 1},
      {"Steps", [&] { a.SetSteps(10); }, 1},
      {"ColorHot", [&] { a.SetColorHot(0x20); }, 0},
      {"ColorMirrorHotTo", [&] { a.SetColorMirrorHotTo(0x21); }, 0},
      {"BorderColorHot", [&] { a.SetBorderColorHot(0x22); }, 0},
      {"TextColorHot", [&] { a.SetTextColorHot(0x23); }, 0},
      {"TextStyle twice", [&] { a.SetTextStyle({TFontStyle::fsBold}); a.SetTextStyle({TFontStyle::fsBold}); }, 2},
  };
  for (const Case& c : cases) {
    changes = 0;
    c.Set();
    EXPECT_EQ(changes, c.Notifies) << c.Name;
  }
  TVistaBackground b;
  changes = 0;
  int copies = 0;
  b.OnChange = [&](TObject*) { ++copies; };
  b.Assign(&a);
  EXPECT_EQ(copies, 1);
  EXPECT_EQ(b.ColorHot(), 0x20);
  EXPECT_EQ(b.BorderColorHot(), 0x22);
  EXPECT_EQ(b.ColorMirrorDownTo(), 0x11);
  EXPECT_EQ(b.Steps(), 10);
  EXPECT_EQ(b.TextStyle(), TFontStyles{TFontStyle::fsBold});
}

TEST_F(StylerFixture, ANewOfficeStylerHasTheOffice2003BlueSet) {
  EXPECT_EQ(Styler->Style(), S::psOffice2003Blue);
  ExpectStyle(Styler, kStyles[0]);
  // The base styler that every bar makes for itself has its own border.
  EXPECT_EQ(Bar->InternalStyler()->BorderColor(), 0x825A3B);
  EXPECT_EQ(Bar->InternalStyler()->Name(), L"InternalStyler");
  EXPECT_EQ(Bar->CurrentStyler(), Bar->InternalStyler());
}

TEST_F(StylerFixture, EveryStyleAppliesItsColourSet) {
  for (const StyleRow& r : kStyles) {
    auto* s = new TAdvOfficeStatusBarOfficeStyler(Form);
    if (r.Style == S::psOffice2003Blue) s->SetStyle(S::psWindowsXP);
    s->SetStyle(r.Style);
    EXPECT_EQ(s->Style(), r.Style);
    ExpectStyle(s, r);
    s->Free();
  }
}

TEST_F(StylerFixture, StylesKeepTheValuesTheyDoNotSet) {
  const TColor mark = 0x0A0B0C;
  struct Case {
    S Style;
    bool LightHotDown;  // the light appearance's hot and pressed text colours are kept
    bool DarkHotDown;   // the dark appearance's
  };
  const Case cases[] = {{S::psOffice2003Silver, true, false},
                        {S::psOffice2003Olive, false, true},
                        {S::psWhidbey, false, true},
                        {S::psOffice2007Luna, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Style));
    Styler->SetStyle(S::psWindowsXP);
    for (TVistaBackground* a : {Styler->PanelAppearanceLight(), Styler->PanelAppearanceDark()}) {
      a->SetTextColorHot(mark);
      a->SetTextColorDown(mark);
    }
    Styler->SetStyle(c.Style);
    EXPECT_EQ(Styler->PanelAppearanceLight()->TextColorHot() == mark, c.LightHotDown);
    EXPECT_EQ(Styler->PanelAppearanceLight()->TextColorDown() == mark, c.LightHotDown);
    EXPECT_EQ(Styler->PanelAppearanceDark()->TextColorHot() == mark, c.DarkHotDown);
    EXPECT_EQ(Styler->PanelAppearanceDark()->TextColorDown() == mark, c.DarkHotDown);
  }
}

TEST_F(StylerFixture, TheCurrentStyleAndTheCustomStyleChangeNothing) {
  Styler->SetStyle(S::psOffice2007Luna);
  Styler->PanelAppearanceLight()->SetColor(0x010203);
  Styler->SetStyle(S::psOffice2007Luna);
  EXPECT_EQ(Styler->PanelAppearanceLight()->Color(), 0x010203);
  Styler->SetComponentStyle(TKelStyle::tsCustom);
  EXPECT_EQ(Styler->Style(), S::psCustom);
  EXPECT_EQ(Styler->PanelAppearanceLight()->Color(), 0x010203);
  EXPECT_EQ(Styler->BorderColor(), 0xB07D56);
  Styler->SetComponentStyle(TKelStyle::tsOffice2007Luna);  // another style and back re-applies
  EXPECT_EQ(Styler->PanelAppearanceLight()->Color(), 0xF9E6D7);
  IKelStyleEx* ex = nullptr;
  ASSERT_TRUE(Supports(static_cast<TComponent*>(Styler), ex));
  ex->SetComponentStyleAndAppColor(TKelStyle::tsOffice2010Black, clRed);
  EXPECT_EQ(Styler->Style(), S::psOffice2010Black);
}

TEST_F(StylerFixture, Office2016WhiteTakesItsTintsFromTheApplicationColour) {
  const TColor app = 0x9A572B;
  Styler->SetComponentStyleAndAppColor(TKelStyle::tsOffice2016White, app);
  TVistaBackground* L = Styler->PanelAppearanceLight();
  TVistaBackground* D = Styler->PanelAppearanceDark();
  const TColor darker = ChangeColorBrightness(app, -10), lighter = ChangeColorBrightness(app, 20);
  EXPECT_NE(darker, app);
  for (TColor c : {L->ColorHot(), L->ColorHotTo(), L->ColorMirrorHot(), L->ColorMirrorHotTo(), L->BorderColorHot(),
                   D->ColorHot(), D->BorderColorHot()})
    EXPECT_EQ(c, darker);
  for (TColor c : {L->ColorDown(), L->ColorMirrorDownTo(), L->BorderColorDown()}) EXPECT_EQ(c, lighter);
  // The dark appearance is pressed in brightened white.
  EXPECT_EQ(D->ColorDown(), ChangeColorBrightness(clWhite, 20));
}

TEST_F(StylerFixture, HotColoursWaitForTheNextHoverWhilePressedColoursRepaint) {
  Bar->SetStyler(Styler);
  Validate();
  Styler->PanelAppearanceLight()->SetColorHot(0x00FF00);
  EXPECT_FALSE(Invalid());
  Styler->PanelAppearanceLight()->SetColorDown(0x00FF00);
  EXPECT_TRUE(Invalid());
  Validate();
  Styler->SetBorderColor(0x111111);
  EXPECT_TRUE(Invalid());
}

TEST_F(StylerFixture, BarsJoinAndLeaveTheStylersList) {
  EXPECT_EQ(Bar->InternalStyler()->ControlList()->Count(), 1);
  Bar->SetStyler(Styler);
  EXPECT_EQ(Bar->CurrentStyler(), Styler);
  EXPECT_EQ(Styler->ControlList()->Count(), 1);
  auto* other = new TAdvOfficeStatusBarOfficeStyler(Form);
  Bar->SetStyler(other);
  EXPECT_EQ(Styler->ControlList()->Count(), 0);
  EXPECT_EQ(other->ControlList()->Count(), 1);
  // A styler freed while in use gives way to the internal one.
  other->Free();
  EXPECT_EQ(Bar->Styler(), nullptr);
  EXPECT_EQ(Bar->CurrentStyler(), Bar->InternalStyler());
  // A styler of another owner hears of the bar's end.
  auto* foreign = new TAdvOfficeStatusBarOfficeStyler(nullptr);
  auto* bar2 = new TAdvOfficeStatusBar(Form);
  bar2->SetStyler(foreign);
  EXPECT_EQ(foreign->ControlList()->Count(), 1);
  bar2->Free();
  EXPECT_EQ(foreign->ControlList()->Count(), 0);
  foreign->Free();
  // RemoveStyler paints with the internal styler but keeps the reference.
  Bar->SetStyler(Styler);
  Bar->RemoveStyler();
  EXPECT_EQ(Bar->Styler(), Styler);
  EXPECT_EQ(Bar->CurrentStyler(), Bar->InternalStyler());
}

TEST_F(StylerFixture, TheControlListChecksBothBounds) {
  Bar->SetStyler(Styler);
  TDbgList* list = Styler->ControlList();
  EXPECT_EQ(list->GetItemsEx(0), static_cast<void*>(static_cast<TControl*>(Bar)));
  EXPECT_THROW(list->GetItemsEx(1), Exception);
  EXPECT_THROW(list->GetItemsEx(-1), Exception);
  EXPECT_THROW(list->SetItemsEx(-1, nullptr), Exception);
  EXPECT_THROW(list->SetItemsEx(1, nullptr), Exception);
  try {
    list->GetItemsEx(1);
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Index out of bounds in list read access");
  }
}

TEST_F(StylerFixture, AssignCopiesTheAppearancesBorderAndAdaptation) {
  Styler->SetStyle(S::psOffice2010Blue);
  auto* copy = new TAdvOfficeStatusBarOfficeStyler(Form);
  copy->Assign(Styler);
  EXPECT_EQ(copy->BorderColor(), 0xA78F79);
  EXPECT_EQ(copy->PanelAppearanceDark()->ColorTo(), 0xA78F79);
  EXPECT_EQ(copy->PanelAppearanceLight()->TextColorHot(), 0x73391F);
  EXPECT_THROW(copy->Assign(Bar->Panels()), EConvertError);
}

// ---------------------------------------------------------------------------
// Following the Office theme

namespace {
struct ThemeFixture : StylerFixture, OfficeThemeKeys {};
}  // namespace

TEST_F(ThemeFixture, AdaptationAppliesTheInstalledTheme) {
  // Without Office the visual-styles scheme decides: none is the classic
  // look.
  Styler->SetStyle(S::psOffice2007Luna);
  Styler->SetAutoThemeAdapt(true);
  EXPECT_EQ(Styler->Style(), S::psOffice2003Classic);
  EXPECT_EQ(Styler->OldOfficeTheme(), TOfficeTheme::ot2003Classic);
  Styler->SetAutoThemeAdapt(false);

  Office2013(2);  // dark grey
  Styler->SetAutoThemeAdapt(true);
  EXPECT_EQ(Styler->Style(), S::psOffice2013Gray);
  EXPECT_EQ(Styler->BorderColor(), 0xABABAB);
  // The same theme again changes nothing, even after a colour was changed.
  Styler->SetBorderColor(0x010101);
  Styler->ThemeChanged();
  EXPECT_EQ(Styler->BorderColor(), 0x010101);
  // Switching adaptation on again applies the theme at once.
  Styler->SetAutoThemeAdapt(false);
  Styler->SetAutoThemeAdapt(true);
  EXPECT_EQ(Styler->BorderColor(), 0xABABAB);
  // The theme maps to the style even when the styler already had it.
  Office2013(1);
  Styler->ThemeChanged();
  EXPECT_EQ(Styler->Style(), S::psOffice2013LightGray);
}

TEST_F(ThemeFixture, AThemeChangeInTheRegistryReachesALoadedStyler) {
  Office2013(0);
  Form->BeginLoading();
  auto* styler = new TAdvOfficeStatusBarOfficeStyler(Form);
  styler->SetAutoThemeAdapt(true);
  EXPECT_EQ(styler->Style(), S::psOffice2003Blue);  // nothing happens while loading
  Form->EndLoading();
  EXPECT_EQ(styler->Style(), S::psOffice2013White);
  TThemeNotifier* n = GetThemeNotifier(Form);
  ASSERT_NE(n->RegMonitorThread(), nullptr);
  EXPECT_EQ(n->RegMonitorThread()->WindowCount(), 1);
  // The watch arms itself on its own thread: a change made before that would
  // go unheard.
  ASSERT_TRUE(PumpUntil([&] { return n->RegMonitorThread()->Armed(); }));
  Office2013(2);
  EXPECT_TRUE(PumpUntil([&] { return styler->Style() == S::psOffice2013Gray; }));
  styler->SetAutoThemeAdapt(false);
  EXPECT_EQ(n->RegMonitorThread()->WindowCount(), 0);
  n->Free();
}

TEST_F(ThemeFixture, TheNotifierWindowHearsTheSystemThemeChange) {
  Office2013(1);
  Styler->SetAutoThemeAdapt(true);
  EXPECT_EQ(Styler->Style(), S::psOffice2013LightGray);
  Office2013(2);
  SendMessageW(Styler->NotifierWindow()->Handle(), WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(Styler->Style(), S::psOffice2013Gray);
  // Its parent is the styler's form.
  EXPECT_EQ(Styler->NotifierWindow()->Parent(), Form);
  EXPECT_FALSE(Styler->NotifierWindow()->Visible());
}
