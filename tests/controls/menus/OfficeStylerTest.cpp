#include <gtest/gtest.h>

#include "base/Forms.h"
#include "ui/controls/menus/AdvMenuOfficeStyler.h"
#include "ui/controls/menus/AdvMenus.h"

namespace {

using S = TOfficeStyle;
constexpr TColor N = clNone;

class OfficeStylerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Owner = new TForm(nullptr);
    Styler = new TAdvMenuOfficeStyler(Owner);
  }
  void TearDown() override {
    Owner->Free();
    SetThemeSchemeSource(nullptr);
  }
  TForm* Owner = nullptr;
  TAdvMenuOfficeStyler* Styler = nullptr;
};

const wchar_t* gScheme = L"";
bool FakeScheme(String& Scheme) {
  Scheme = gScheme;
  return true;
}

}  // namespace

TEST_F(OfficeStylerTest, EachStyleGivesItsMainColours) {
  struct Row {
    S Style;
    TColor Bg, BgTo, Border, Icon, IconTo, Sel, SelTo, SelBorder, Root, RootTo, Sep;
  };
  const TColor BF = clBtnFace, W = clWindow;
  const Row rows[] = {
      {S::osOffice2003Blue, 0xF6F6F6, 0xF6F6F6, 0x962D00, 0xFFEFE3, 0xE4AD87, 0xC2EEFF, N, 0x800000, 0xF5BE9E, 0xF7CDB2, 0xCB8C6A},
      {S::osOffice2003Silver, 0xF6F6F6, 0xF6F6F6, 0x5E8D75, 0xFFF9F9, 0xB99D9F, 0xC2EEFF, N, 0x080000, 0xE5D7D7, 0xF7F3F3, 0x8F6D6E},
      {S::osOffice2003Olive, 0xF6F6F6, 0xF6F6F6, 0x5E8D75, 0xEDFFFF, 0x92C7B8, 0xC2EEFF, N, 0x385D3F, 0xA8D9D9, 0xE4F0F2, 0x588060},
      {S::osOfficeXP, W, W, 0x808080, BF, N, 0xEFD3C6, N, 0xC66931, BF, BF, 0x7A868A},
      {S::osOffice2007Luna, 0xF6F6F6, 0xF6F6F6, 0xC0C0C0, 0xEEEEE9, 0xEEEEE9, 0xEBFDFF, 0xABEBFF, 0x99CEDB, 0xF2DAC2, 0xF0D9C1, 0xC5C5C5},
      {S::osOffice2007Obsidian, 0xF6F6F6, 0xF6F6F6, 0xC0C0C0, 0xEEEEE9, 0xEEEEE9, 0xEBFDFF, 0xABEBFF, 0x99CEDB, 0xB8B8B6, 0xA0A09E, 0xC5C5C5},
      {S::osOffice2007Silver, 0xFAFAFA, 0xFAFAFA, 0x868686, 0xEFEFEF, 0xEFEFEF, 0xEBFDFF, 0xABEBFF, 0x99CEDB, 0xE5D7D7, 0xF7F3F3, 0xC5C5C5},
      {S::osVista, 0xEEEEEE, N, 0x979797, 0xEEEEEE, N, 0xF4F1EB, 0xF3EBDA, 0xEBD8A8, 0xFFFFFF, 0xEEDBD4, 0xE0E0E0},
      {S::osWhidbey, 0xF9FCFC, 0xF9FCFC, 0x7A868A, 0xFBFEFE, 0xACC3C4, 0xEED2C1, N, 0xC56A31, 0xD9E6E7, 0xD9E6E7, 0xB8C2C5},
      {S::osWindows7, 0xEEEEEE, N, 0x979797, 0xEEEEEE, N, 0xFCEBDC, 0xFCDBC1, 0xCEA27D, 0xFFFFFF, 0xEEDBD4, 0xE0E0E0},
      {S::osTerminal, BF, BF, 0x808080, BF, BF, 0xC0C0C0, 0xC0C0C0, 0x808080, BF, BF, 0x808080},
      {S::osOffice2010Blue, 0xFFFFFF, 0xFFFFFF, 0xB0ABA7, 0xFFFFFF, 0xFFFFFF, 0xD9F9FD, 0x8AE3FD, 0x58CAF1, 0xFDF6EF, 0xF0DAC7, 0xC9C8C7},
      {S::osOffice2010Silver, 0xFFFFFF, 0xFFFFFF, 0xB0ABA7, 0xFFFFFF, 0xFFFFFF, 0xD9F9FD, 0x8AE3FD, 0x58CAF1, 0xFFFFFF, 0xEDE5E0, 0xC9C8C7},
      {S::osOffice2010Black, 0xFFFFFF, 0xFFFFFF, 0xB0ABA7, 0xFFFFFF, 0xFFFFFF, 0xD9F9FD, 0x8AE3FD, 0x58CAF1, 0xBFBFBF, 0x919191, 0xC9C8C7},
      {S::osWindows8, 0xF7F6F5, N, 0x979797, 0xEEEEEE, N, 0xF7EFE8, 0xF7EFE8, 0xF9CEA4, 0xFFFFFF, 0xEEDBD4, 0xE0E0E0},
      {S::osOffice2013White, 0xFFFFFF, 0xFFFFFF, 0xB0ABA7, 0xFFFFFF, 0xFFFFFF, 0xFCF0E4, 0xFCF0E4, 0xEAB47E, 0xFFFFFF, 0xFFFFFF, 0xC9C8C7},
      {S::osOffice2013LightGray, 0xF6F6F6, 0xF6F6F6, 0xB0ABA7, 0xFFFFFF, 0xFFFFFF, 0xFCF0E4, 0xFCF0E4, 0xEAB47E, 0xF6F6F6, 0xF6F6F6, 0xC9C8C7},
      {S::osOffice2013Gray, 0xE5E5E5, 0xE5E5E5, 0xB0ABA7, 0xF6F6F6, 0xF6F6F6, 0xFCF0E4, 0xFCF0E4, 0xEAB47E, 0xE5E5E5, 0xE5E5E5, 0xC9C8C7},
      {S::osWindows10, 0xF7F6F5, N, 0x979797, 0xEEEEEE, N, 0xF7EFE8, 0xF7EFE8, 0xF9CEA4, 0xFFFFFF, 0xEEDBD4, 0xE0E0E0},
      {S::osOffice2016White, 0xFFFFFF, 0xFFFFFF, 0xD4D4D4, 0xFFFFFF, 0xFFFFFF, 0xE3BDA3, 0xE3BDA3, 0xE3BDA3, 0xFFFFFF, 0xFFFFFF, 0xD4D4D4},
      {S::osOffice2016Gray, 0xB2B2B2, 0xB2B2B2, 0x444444, 0xB2B2B2, 0xB2B2B2, 0xE3BDA3, 0xE3BDA3, 0xE3BDA3, 0x444444, 0x444444, 0x444444},
      {S::osOffice2016Black, 0x363636, 0x363636, 0x444444, 0x363636, 0x363636, 0xFFFFFF, 0xFFFFFF, 0x444444, 0x363636, 0x363636, 0x444444},
  };
  for (const Row& r : rows) {
    Styler->SetStyle(r.Style);
    SCOPED_TRACE(static_cast<int>(r.Style));
    EXPECT_EQ(Styler->Background()->Color(), r.Bg);
    EXPECT_EQ(Styler->Background()->ColorTo(), r.BgTo);
    EXPECT_EQ(Styler->MenuBorderColor(), r.Border);
    EXPECT_EQ(Styler->IconBar()->Color(), r.Icon);
    EXPECT_EQ(Styler->IconBar()->ColorTo(), r.IconTo);
    EXPECT_EQ(Styler->SelectedItem()->Color(), r.Sel);
    EXPECT_EQ(Styler->SelectedItem()->ColorTo(), r.SelTo);
    EXPECT_EQ(Styler->SelectedItem()->BorderColor(), r.SelBorder);
    EXPECT_EQ(Styler->RootItem()->Color(), r.Root);
    EXPECT_EQ(Styler->RootItem()->ColorTo(), r.RootTo);
    EXPECT_EQ(Styler->Separator()->Color(), r.Sep);
  }
}

TEST_F(OfficeStylerTest, TheTwoStylesGivenInFull) {
  struct Value {
    const char* Name;
    std::function<TColor(TAdvMenuOfficeStyler*)> Read;
    TColor Blue, Black;
  };
  auto root = [](auto f) { return [f](TAdvMenuOfficeStyler* s) { return f(s->RootItem()); }; };
  auto sel = [](auto f) { return [f](TAdvMenuOfficeStyler* s) { return f(s->SelectedItem()); }; };
  auto icon = [](auto f) { return [f](TAdvMenuOfficeStyler* s) { return f(s->IconBar()); }; };
  auto btn = [](auto f) { return [f](TAdvMenuOfficeStyler* s) { return f(s->ButtonAppearance()); }; };
  const Value values[] = {
      {"Font.Color", [](TAdvMenuOfficeStyler* s) { return s->Font()->Color(); }, clWindowText, 0xC6C6C6},
      {"RootItem.SelectedColor", root([](TRootItem* r) { return r->SelectedColor(); }), 0xFFEFE3, 0x444444},
      {"RootItem.SelectedColorTo", root([](TRootItem* r) { return r->SelectedColorTo(); }), 0xE7B593, 0x444444},
      {"RootItem.SelectedColorMirror", root([](TRootItem* r) { return r->SelectedColorMirror(); }), N, N},
      {"RootItem.SelectedBorderColor", root([](TRootItem* r) { return r->SelectedBorderColor(); }), 0x962D00, 0x444444},
      {"RootItem.HoverColor", root([](TRootItem* r) { return r->HoverColor(); }), 0xCCF4FF, 0x6A6A6A},
      {"RootItem.HoverColorTo", root([](TRootItem* r) { return r->HoverColorTo(); }), 0x9AD6FF, N},
      {"RootItem.HoverColorMirror", root([](TRootItem* r) { return r->HoverColorMirror(); }), N, 0x6A6A6A},
      {"RootItem.HoverBorderColor", root([](TRootItem* r) { return r->HoverBorderColor(); }), 0x6F4B4B, 0x6A6A6A},
      {"RootItem.HoverTextColor", root([](TRootItem* r) { return r->HoverTextColor(); }), clWindowText, 0xA6A6A6},
      {"RootItem.Font.Color", root([](TRootItem* r) { return r->Font()->Color(); }), 0x000000, 0xA6A6A6},
      {"SelectedItem.ColorMirror", sel([](TSelectedItem* r) { return r->ColorMirror(); }), N, N},
      {"SelectedItem.CheckColor", sel([](TSelectedItem* r) { return r->CheckColor(); }), 0x3E80FE, 0x6A6A6A},
      {"SelectedItem.RadioColorTo", sel([](TSelectedItem* r) { return r->RadioColorTo(); }), N, N},
      {"SelectedItem.CheckBorder", sel([](TSelectedItem* r) { return r->CheckBorder(); }), 0x800000, 0x6A6A6A},
      {"SelectedItem.RadioBorder", sel([](TSelectedItem* r) { return r->RadioBorder(); }), 0x800000, 0x6A6A6A},
      {"IconBar.CheckColor", icon([](TIconBar* r) { return r->CheckColor(); }), 0x6FC0FF, 0x6A6A6A},
      {"IconBar.RadioColor", icon([](TIconBar* r) { return r->RadioColor(); }), 0x6FC0FF, 0x6A6A6A},
      {"IconBar.CheckBorder", icon([](TIconBar* r) { return r->CheckBorder(); }), 0x800000, 0x6A6A6A},
      {"Separator.ColorTo", [](TAdvMenuOfficeStyler* s) { return s->Separator()->ColorTo(); }, N, 0x444444},
      {"ButtonAppearance.DownColor", btn([](TButtonAppearance* b) { return b->DownColor(); }), 0x4E91FE, 0x444444},
      {"ButtonAppearance.DownColorTo", btn([](TButtonAppearance* b) { return b->DownColorTo(); }), 0x91D3FF, 0x444444},
      {"ButtonAppearance.HoverColor", btn([](TButtonAppearance* b) { return b->HoverColor(); }), 0xCCF4FF, 0x6A6A6A},
      {"ButtonAppearance.HoverColorTo", btn([](TButtonAppearance* b) { return b->HoverColorTo(); }), 0x91D0FF, 0x6A6A6A},
      {"ButtonAppearance.DownBorderColor", btn([](TButtonAppearance* b) { return b->DownBorderColor(); }), 0x800000, 0x444444},
      {"ButtonAppearance.HoverBorderColor", btn([](TButtonAppearance* b) { return b->HoverBorderColor(); }), 0x800000, 0x6A6A6A},
  };
  Styler->SetStyle(S::osOffice2003Blue);
  for (const Value& v : values) EXPECT_EQ(v.Read(Styler), v.Blue) << v.Name;
  EXPECT_EQ(Styler->RootItem()->GradientDirection(), TGradientDirection::gdHorizontal);
  EXPECT_TRUE(Styler->UseSystemFont());
  Styler->SetStyle(S::osOffice2016Black);
  for (const Value& v : values) EXPECT_EQ(v.Read(Styler), v.Black) << v.Name;
  EXPECT_EQ(Styler->RootItem()->GradientDirection(), TGradientDirection::gdVertical);
  EXPECT_EQ(Styler->RootItem()->SelectedTextColor(), 0xFFFFFF);
  EXPECT_EQ(Styler->SelectedItem()->Font()->Color(), 0x000000);
  EXPECT_FALSE(Styler->RootItem()->UseSystemFont());
  EXPECT_FALSE(Styler->SelectedItem()->UseSystemFont());
  EXPECT_FALSE(Styler->UseSystemFont());
  EXPECT_EQ(Styler->IconBar()->SeparatorColor(), 0x444444);
}

TEST_F(OfficeStylerTest, AStyleKeepsWhatItDoesNotSet) {
  // Marks in the values that only some styles set; each style either
  // replaces a mark or leaves it.
  const TColor mark = 0x123456;
  struct Row {
    S Style;
    bool SelectedText, IconLine, Gradient, RootMirror, Buttons, RootFont;
  };
  const Row rows[] = {
      {S::osOffice2003Blue, false, false, true, true, true, false},
      {S::osOffice2003Silver, false, false, true, true, true, false},
      {S::osOffice2003Olive, false, false, true, true, true, false},
      {S::osOfficeXP, false, false, false, true, true, false},
      {S::osOffice2007Luna, false, true, true, true, true, false},
      {S::osWhidbey, true, false, false, false, false, false},
      {S::osWindows7, false, true, true, true, true, false},
      {S::osTerminal, false, true, true, true, true, false},
      {S::osOffice2010Silver, false, true, true, true, true, false},
      {S::osWindows10, false, true, true, true, true, false},
      {S::osOffice2013Gray, false, true, true, true, true, false},
      {S::osOffice2016White, false, true, true, true, true, false},
      {S::osOffice2016Gray, false, true, true, true, true, true},
      {S::osOffice2016Black, true, true, true, true, true, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(static_cast<int>(r.Style));
    TRootItem* root = Styler->RootItem();
    root->SetSelectedTextColor(mark);
    Styler->IconBar()->SetSeparatorColor(mark);
    // The opposite of what a style that sets it would choose.
    TGradientDirection other = TGradientDirection::gdVertical;
    root->SetGradientDirection(other);
    root->SetSelectedColor(2, mark);
    Styler->ButtonAppearance()->SetDownColor(mark);
    root->SetUseSystemFont(true);
    Styler->SelectedItem()->SetUseSystemFont(true);
    Styler->SetStyle(r.Style);
    EXPECT_EQ(root->SelectedTextColor() != mark, r.SelectedText);
    EXPECT_EQ(Styler->IconBar()->SeparatorColor() != mark, r.IconLine);
    EXPECT_EQ(root->SelectedColorMirror() != mark, r.RootMirror);
    EXPECT_EQ(Styler->ButtonAppearance()->DownColor() != mark, r.Buttons);
    EXPECT_EQ(!root->UseSystemFont(), r.RootFont);
    if (!r.Gradient) EXPECT_EQ(root->GradientDirection(), other);
  }
  // The Office 2003 bar runs across; XP and Whidbey keep what they find.
  Styler->RootItem()->SetGradientDirection(TGradientDirection::gdVertical);
  Styler->SetStyle(S::osOffice2003Silver);
  EXPECT_EQ(Styler->RootItem()->GradientDirection(), TGradientDirection::gdHorizontal);
}

TEST_F(OfficeStylerTest, LeavingTheDarkStyleKeepsItsLeftovers) {
  Styler->SetStyle(S::osOffice2016Black);
  Styler->SetStyle(S::osOffice2003Blue);
  EXPECT_EQ(Styler->RootItem()->SelectedTextColor(), 0xFFFFFF);
  EXPECT_EQ(Styler->IconBar()->SeparatorColor(), 0x444444);
  EXPECT_FALSE(Styler->RootItem()->UseSystemFont());
  EXPECT_FALSE(Styler->SelectedItem()->UseSystemFont());
  EXPECT_TRUE(Styler->UseSystemFont());
  EXPECT_EQ(Styler->Font()->Color(), clWindowText);
}

TEST_F(OfficeStylerTest, CustomStyleChangesOnlyTheStyleAndTheFontFlags) {
  Styler->SetStyle(S::osOffice2016Black);
  TColor bg = Styler->Background()->Color();
  TColor sel = Styler->SelectedItem()->Color();
  Styler->SetStyle(S::osCustom);
  EXPECT_EQ(Styler->Style(), S::osCustom);
  EXPECT_EQ(Styler->Font()->Color(), clWindowText);
  EXPECT_TRUE(Styler->UseSystemFont());
  EXPECT_EQ(Styler->Background()->Color(), bg);
  EXPECT_EQ(Styler->SelectedItem()->Color(), sel);
}

TEST_F(OfficeStylerTest, LibraryStylesMapOntoOfficeStyles) {
  struct Row {
    TKelStyle From;
    S To;
  };
  using K = TKelStyle;
  const Row rows[] = {
      {K::tsOffice2003Blue, S::osOffice2003Blue}, {K::tsOffice2003Silver, S::osOffice2003Silver},
      {K::tsOffice2003Olive, S::osOffice2003Olive}, {K::tsOffice2003Classic, S::osOfficeXP},
      {K::tsOffice2007Luna, S::osOffice2007Luna}, {K::tsOffice2007Obsidian, S::osOffice2007Obsidian},
      {K::tsWindowsXP, S::osOfficeXP}, {K::tsWhidbey, S::osWhidbey},
      {K::tsOffice2007Silver, S::osOffice2007Silver}, {K::tsWindowsVista, S::osVista},
      {K::tsWindows7, S::osWindows7}, {K::tsTerminal, S::osTerminal},
      {K::tsOffice2010Blue, S::osOffice2010Blue}, {K::tsOffice2010Silver, S::osOffice2010Silver},
      {K::tsOffice2010Black, S::osOffice2010Black}, {K::tsWindows8, S::osWindows8},
      {K::tsOffice2013White, S::osOffice2013White}, {K::tsOffice2013LightGray, S::osOffice2013LightGray},
      {K::tsOffice2013Gray, S::osOffice2013Gray}, {K::tsWindows10, S::osWindows10},
      {K::tsOffice2016White, S::osOffice2016White}, {K::tsOffice2016Gray, S::osOffice2016Gray},
      {K::tsOffice2016Black, S::osOffice2016Black},
  };
  IKelStyle* intf = nullptr;
  ASSERT_TRUE(Supports(Styler, intf));
  for (const Row& r : rows) {
    intf->SetComponentStyle(r.From);
    EXPECT_EQ(Styler->Style(), r.To) << static_cast<int>(r.From);
  }
  Styler->SetStyle(S::osVista);
  Styler->SelectedItem()->SetColor(0, 0x010203);
  intf->SetComponentStyle(K::tsCustom);
  EXPECT_EQ(Styler->Style(), S::osVista);
  EXPECT_EQ(Styler->SelectedItem()->Color(), 0x010203);
}

TEST_F(OfficeStylerTest, ThemeAdaptationFollowsTheColourSchemeByItsExactName) {
  SetThemeSchemeSource(&FakeScheme);
  struct Row {
    const wchar_t* Scheme;
    S Style;
  };
  const Row rows[] = {{L"NormalColor", S::osOffice2003Blue},
                      {L"HomeStead", S::osOffice2003Olive},
                      {L"Metallic", S::osOffice2003Silver},
                      {L"homestead", S::osOfficeXP},
                      {L"Royale", S::osOfficeXP}};
  for (const Row& r : rows) {
    gScheme = r.Scheme;
    Styler->SetStyle(S::osTerminal);
    Styler->SetAutoThemeAdapt(false);
    Styler->SetAutoThemeAdapt(true);
    EXPECT_EQ(Styler->Style(), r.Style) << r.Scheme;
  }
  // The same value again applies nothing.
  Styler->SetStyle(S::osTerminal);
  Styler->SetAutoThemeAdapt(true);
  EXPECT_EQ(Styler->Style(), S::osTerminal);
  // Without the option a theme change does nothing; with it the style follows.
  gScheme = L"Metallic";
  HWND notifier = Styler->NotifierWindow()->Handle();
  Styler->SetAutoThemeAdapt(false);
  SendMessageW(notifier, WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(Styler->Style(), S::osTerminal);
  Styler->SetAutoThemeAdapt(true);
  Styler->SetStyle(S::osTerminal);
  SendMessageW(notifier, WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(Styler->Style(), S::osOffice2003Silver);
}

TEST_F(OfficeStylerTest, NotifierLivesInTheNearestWindowedOwner) {
  EXPECT_EQ(Styler->NotifierWindow()->Parent(), Owner);
  auto* lone = new TAdvMenuOfficeStyler(nullptr);
  EXPECT_EQ(lone->NotifierWindow()->Parent(), nullptr);
  EXPECT_FALSE(lone->NotifierWindow()->HandleAllocated());
  lone->Free();
  // Without a theme the scheme reads 0.
  SetThemeSchemeSource([](String&) { return false; });
  EXPECT_EQ(GetXPColorScheme(), 0);
}
