// The 25 built-in styles of the Office toolbar styler. A gradient style
// writes its table (ToolBarStyleTable.inc) property by property; a flat style
// writes its few colours and, beside a pager, hands the pager colour tones.

#include <string_view>

#include "base/SysUtils.h"
#include "ui/draw/GdiPlus.h"
#include "ui/toolbar/stylers/StylerProperties.h"
#include "ui/toolbar/stylers/ToolBarOfficeStyler.h"

namespace {

using S = TToolBarStyle;
using G = TGDIPGradient;

struct TStyleValue {
  const char* Key;
  int32_t Value;
};

#include "ui/toolbar/stylers/ToolBarStyleTable.inc"

template <size_t N>
constexpr std::pair<const TStyleValue*, size_t> Rows(const TStyleValue (&A)[N]) {
  return {A, N};
}

// The table of a gradient style (Windows 7 has a second one for a pager
// that is not drawn the scenic way).
std::pair<const TStyleValue*, size_t> GradientTable(S Style, bool Win7Classic) {
  switch (Style) {
    case S::bsOffice2003Blue: return Rows(kOffice2003Blue);
    case S::bsOffice2003Silver: return Rows(kOffice2003Silver);
    case S::bsOffice2003Olive: return Rows(kOffice2003Olive);
    case S::bsOffice2003Classic: return Rows(kOffice2003Classic);
    case S::bsOffice2007Luna: return Rows(kOffice2007Luna);
    case S::bsOffice2007Obsidian: return Rows(kOffice2007Obsidian);
    case S::bsWindowsXP:
    case S::bsOfficeXP: return Rows(kWindowsXP);
    case S::bsWhidbeyStyle: return Rows(kWhidbeyStyle);
    case S::bsOffice2007Silver: return Rows(kOffice2007Silver);
    case S::bsWindowsVista: return Rows(kWindowsVista);
    case S::bsWindows7: return Win7Classic ? Rows(kWindows7Classic) : Rows(kWindows7);
    case S::bsTerminal: return Rows(kTerminal);
    case S::bsOffice2010Blue: return Rows(kOffice2010Blue);
    case S::bsOffice2010Silver: return Rows(kOffice2010Silver);
    case S::bsOffice2010Black: return Rows(kOffice2010Black);
    default: return {nullptr, 0};
  }
}

TKelStyle CodeOf(S Style) {
  using K = TKelStyle;
  static const K codes[ToolBarStyleCount] = {
      K::tsOffice2003Blue,   K::tsOffice2003Silver, K::tsOffice2003Olive,    K::tsOffice2003Classic,
      K::tsOffice2007Luna,   K::tsOffice2007Obsidian, K::tsWindowsXP,        K::tsWhidbey,
      K::tsCustom,           K::tsOffice2007Silver, K::tsWindowsXP,          K::tsWindowsVista,
      K::tsWindows7,         K::tsTerminal,         K::tsOffice2010Blue,     K::tsOffice2010Silver,
      K::tsOffice2010Black,  K::tsWindows8,         K::tsOffice2013White,    K::tsOffice2013LightGray,
      K::tsOffice2013Gray,   K::tsWindows10,        K::tsOffice2016White,    K::tsOffice2016Gray,
      K::tsOffice2016Black,
  };
  return codes[static_cast<int>(Style)];
}

bool IsFlat(S Style) { return Style >= S::bsWindows8; }
bool IsOffice2010(S Style) { return Style >= S::bsOffice2010Blue && Style <= S::bsOffice2010Black; }
bool IsOffice2013(S Style) { return Style >= S::bsOffice2013White && Style <= S::bsOffice2013Gray; }
bool IsOffice2016(S Style) { return Style >= S::bsOffice2016White; }

// Stands for "keep the value the tones already have" and "the application
// button colour" in the tone table.
constexpr TColor Keep = 0x2FFFFFFF;
constexpr TColor AppButton = 0x3FFFFFFF;

// The colours of a flat style.
struct TFlatStyle {
  TColor Bar;
  TColor RightHand[3];  // normal, hot, down; each pair equal
  TColor GlowColor, GlowBorder, GlowMirror;
  // Hot, down and checked glow colours; clNone: from AppColor (Office 2013).
  TColor Hot, HotBorder, Down, DownBorder, Checked, CheckedBorder;
  TColor StateText;  // hot, down and checked text colours of the glow set
  // The tones a pager gets: tab background, selected and hover (brush,
  // border, text each), then the pager's background brush.
  TColor TabBackground[3], TabSelected[3], TabHover[3], PagerBackground;
  // Without a pager: the right-hand colours written again, the bar (Keep:
  // unchanged) and the border colour (Keep: not written).
  TColor AloneRightHand[3], AloneBar, AloneBorder;
};

const TFlatStyle& FlatStyle(S Style) {
  constexpr TColor N = clNone, K = Keep;
  static const TFlatStyle windows8 = {0xF7F6F5, {0xECECEB, 0xF7EFE8, 0xF7E0C9}, 0xF7F6F5, 0xF7F6F5, N,
                                      0xF7EFE8, 0xF9CEA4, 0xF7E0C9, 0xE4A262, 0xF7E0C9, 0xE4A262, 0x000000,
                                      {0xF7F6F5, 0xDCDBDA, K}, {0xC0C0C0, 0xC0C0C0, 0x000000},
                                      {0xFFFDFD, 0xECECEB, 0x000000}, 0xFFFFFF, {K, K, K}, K, K};
  static const TFlatStyle white2013 = {0xFFFFFF, {0xC0C0C0, 0xC0C0C0, 0xA0A0A0}, 0xFFFFFF, 0xFFFFFF, N,
                                       N, N, N, N, N, N, 0x000000,
                                       {0xFFFFFF, 0xC0C0C0, 0x666666}, {0xC0C0C0, 0xC0C0C0, 0xFF0000},
                                       {0xFFFFFF, 0xFFFFFF, 0x000000}, 0xFFFFFF,
                                       {0xC0C0C0, 0x808080, 0x808080}, K, 0xC0C0C0};
  static const TFlatStyle lightGray2013 = {0xFAFAFA, {0xC0C0C0, 0xC0C0C0, 0xA0A0A0}, 0xFAFAFA, 0xFAFAFA, N,
                                           N, N, N, N, N, N, 0x000000,
                                           {0xFAFAFA, 0xC0C0C0, K}, {0xC0C0C0, 0xC0C0C0, 0xFF0000},
                                           {0xFAFAFA, 0xFAFAFA, 0xFF0000}, 0xF1F1F1,
                                           {0x808080, 0x707070, 0x808080}, K, 0x808080};
  static const TFlatStyle gray2013 = {0xF3F3F3, {0xC0C0C0, 0xC0C0C0, 0xA0A0A0}, 0xF3F3F3, 0xF3F3F3, N,
                                      N, N, N, N, N, N, 0x000000,
                                      {0xF3F3F3, 0xC0C0C0, K}, {0xC0C0C0, 0xC0C0C0, 0xFF0000},
                                      {0xF3F3F3, 0xF3F3F3, 0xFF0000}, 0xDEDEDE,
                                      {0x808080, 0x707070, 0x808080}, 0xC0C0C0, 0x808080};
  static const TFlatStyle white2016 = {0xFFFFFF, {0xFFFFFF, 0xF2E1D5, 0xE3BDA3}, 0xFFFFFF, 0xD4D4D4, 0xFFFFFF,
                                       0xF2E1D5, 0xF2E1D5, 0xE3BDA3, 0xE3BDA3, 0xF2D5C2, 0xF2D5C2, 0x505050,
                                       {0xFFFFFF, 0xD4D4D4, 0xFFFFFF}, {0xFFFFFF, 0xD4D4D4, AppButton},
                                       {0xFFFFFF, N, 0x000000}, AppButton,
                                       {0xFFFFFF, 0xF2E1D5, 0xE3BDA3}, K, 0xD4D4D4};
  static const TFlatStyle gray2016 = {0xB2B2B2, {0xB2B2B2, 0xF2E1D5, 0xE3BDA3}, 0xB2B2B2, 0x444444, 0xB2B2B2,
                                      0xF2E1D5, 0xF2E1D5, 0xE3BDA3, 0xE3BDA3, 0xF2D5C2, 0xF2D5C2, 0x424242,
                                      {0xB2B2B2, 0x444444, 0xF0F0F0}, {0xB2B2B2, 0xB2B2B2, 0x262626},
                                      {0xB2B2B2, 0xB2B2B2, 0xF0F0F0}, 0x444444,
                                      {0xB2B2B2, 0xF2E1D5, 0xE3BDA3}, K, 0x444444};
  static const TFlatStyle black2016 = {0x363636, {0x363636, 0x6A6A6A, 0x444444}, 0x363636, 0x444444, 0x363636,
                                       0x6A6A6A, 0x6A6A6A, 0x444444, 0x444444, 0x575757, 0x575757, 0xA6A6A6,
                                       {0x363636, 0x4E4E4E, 0xDADADA}, {0x363636, 0x4D4D4D, 0xFFFFFF},
                                       {0x262626, 0x262626, 0xFFFFFF}, 0x252525,
                                       {0x363636, 0x6A6A6A, 0x444444}, K, 0x4E4E4E};
  switch (Style) {
    case S::bsOffice2013White: return white2013;
    case S::bsOffice2013LightGray: return lightGray2013;
    case S::bsOffice2013Gray: return gray2013;
    case S::bsOffice2016White: return white2016;
    case S::bsOffice2016Gray: return gray2016;
    case S::bsOffice2016Black: return black2016;
    default: return windows8;
  }
}

void SetBarColours(TCustomAdvToolBarStyler* St, TColor Bar, const TColor (&RightHand)[3]) {
  St->Color()->SetColor(Bar);
  St->Color()->SetColorTo(Bar);
  St->Color()->SetDirection(AdvToolBar::TGradientDirection::gdVertical);
  St->Color()->SetSteps(64);
  St->DockColor()->SetColorTo(Bar);
  St->DockColor()->SetColor(Bar);
  St->DockColor()->SetDirection(AdvToolBar::TGradientDirection::gdHorizontal);
  St->DockColor()->SetSteps(128);
  St->SetRightHandleColor(RightHand[0]);
  St->SetRightHandleColorTo(RightHand[0]);
  St->SetRightHandleColorHot(RightHand[1]);
  St->SetRightHandleColorHotTo(RightHand[1]);
  St->SetRightHandleColorDown(RightHand[2]);
  St->SetRightHandleColorDownTo(RightHand[2]);
}

void SetTone(TColorTone& Tone, const TColor (&Values)[3], TColor AppButtonColor) {
  TColor* fields[] = {&Tone.BrushColor, &Tone.BorderColor, &Tone.TextColor};
  for (int i = 0; i < 3; ++i) {
    if (Values[i] == Keep) continue;
    *fields[i] = Values[i] == AppButton ? AppButtonColor : Values[i];
  }
}

}  // namespace

bool ToolBarStyleTablesResolve(std::string* Unknown) {
  for (int i = 0; i < ToolBarStyleCount; ++i)
    for (bool classic : {false, true}) {
      auto [rows, n] = GradientTable(static_cast<S>(i), classic);
      for (size_t r = 0; r < n; ++r)
        if (std::string_view(rows[r].Key) != "@Compact" && !FindStylerProperty(rows[r].Key)) {
          if (Unknown) *Unknown = rows[r].Key;
          return false;
        }
    }
  return true;
}

void TAdvToolBarOfficeStyler::SetStyle(TToolBarStyle Value) {
  BeginUpdate();
  FToolBarStyle = Value;
  UpdatePagerGlass(CodeOf(Value));
  FKelStyle = FNewKelStyle;
  if (Value == S::bsCustom) {
    EndUpdate();
    return;
  }

  // What every style does first.
  SetSysButtonColor(0x000000);
  PagerCaption()->SetTextColor(0x808080);
  PagerCaption()->SetTextColorExtended(0xFF0000);
  PagerCaption()->Font()->SetSize(10);
  FQatSharpCurve = false;
  ApplySystemFontName(TabAppearance()->Font(), TabAppearance()->SystemFont());
  ApplySystemFontName(PagerCaption()->Font(), PagerCaption()->SystemFont());
  ApplySystemFontName(GroupAppearance()->Font(), GroupAppearance()->SystemFont());
  ApplySystemFontName(ButtonAppearance()->CaptionFont(), ButtonAppearance()->SystemFont());
  ApplySystemFontName(Font(), SystemFont());
  ApplySystemFontName(CaptionFont(), SystemFont());
  TGlowButtonAppearance* glow = GlowButtonAppearance();
  glow->SetTranspHover(IsOffice2010(Value) || IsOffice2013(Value) || IsOffice2016(Value));
  glow->SetNoBorderDefault(IsOffice2013(Value) || IsOffice2016(Value));
  glow->SetTextColor(clNone);
  glow->SetSystemFont(true);
  CompactGlowButtonAppearance()->SetSystemFont(true);
  IToolBarStylerPager* pager = FindPager();
  if (pager) pager->ClearOfficeTones();
  glow->SetTextColorChecked(0x000000);
  glow->SetTextColorHot(0x000000);
  glow->SetTextColorDown(0x000000);
  if (Value == S::bsOffice2003Blue || Value == S::bsOffice2003Silver || Value == S::bsOffice2003Olive ||
      Value == S::bsWhidbeyStyle) {
    // The orange states of the Office 2003 looks.
    glow->SetColorHot(0xEBFDFF);
    glow->SetColorHotTo(0xACECFF);
    glow->SetColorMirrorHot(0x59DAFF);
    glow->SetColorMirrorHotTo(0xA4E9FF);
    glow->SetBorderColorHot(0x99CEDB);
    glow->SetColorDown(0x76AFF1);
    glow->SetColorDownTo(0x4190F3);
    glow->SetColorMirrorDown(0x0E72F1);
    glow->SetColorMirrorDownTo(0x4C9FFD);
    glow->SetBorderColorDown(0x45667B);
    glow->SetColorChecked(0xB5DBFB);
    glow->SetColorCheckedTo(0x78C7FE);
    glow->SetColorMirrorChecked(0x9FEBFD);
    glow->SetColorMirrorCheckedTo(0x56B4FE);
    for (auto set : {&TGlowButtonAppearance::SetGradientHot, &TGlowButtonAppearance::SetGradientMirrorHot,
                     &TGlowButtonAppearance::SetGradientDown, &TGlowButtonAppearance::SetGradientMirrorDown,
                     &TGlowButtonAppearance::SetGradientChecked, &TGlowButtonAppearance::SetGradientMirrorChecked})
      (glow->*set)(G::ggVertical);
    CompactGlowButtonAppearance()->Assign(glow);
  }

  if (IsFlat(Value))
    ApplyFlatStyle(Value, pager);
  else
    ApplyGradientStyle(Value, pager);
}

void TAdvToolBarOfficeStyler::ApplyGradientStyle(TToolBarStyle Value, IToolBarStylerPager* Pager) {
  const bool win7Classic = Value == S::bsWindows7 && Pager && !GetGlobalWin7ScenicRibbon();
  auto [rows, n] = GradientTable(Value, win7Classic);
  for (size_t i = 0; i < n; ++i) {
    if (std::string_view(rows[i].Key) == "@Compact") {
      CompactGlowButtonAppearance()->Assign(GlowButtonAppearance());
      continue;
    }
    if (const TStylerProperty* p = FindStylerProperty(rows[i].Key)) p->Set(this, rows[i].Value);
  }
  if (Value == S::bsOffice2007Obsidian) FQatSharpCurve = true;
  if (IsOffice2010(Value)) TabAppearance()->SetTextColorDisabled(GetGlobalIsWin8() ? 0xC0C0C0 : 0x808080);
  if (Pager && Value != S::bsOffice2003Classic && Value != S::bsWindows7 && Value != S::bsTerminal &&
      !IsOffice2010(Value))
    Pager->UpdateQAT();

  if (IsOffice2010(Value)) {
    TGroupAppearance* group = GroupAppearance();
    group->SetTextColor(0xFFFFFF);
    group->SetColor(0x46C0FF);
    group->SetColorTo(0x46C0FF);
    group->SetColorMirror(0x46C0FF);
    group->SetColorMirrorTo(0x46C0FF);
    group->SetGradient(G::ggVertical);
    group->SetGradientMirror(G::ggVertical);
    group->SetBorderColor(0x1475FF);
    group->TabAppearance()->Assign(TabAppearance());
    group->PageAppearance()->Assign(PageAppearance());
    group->CaptionAppearance()->Assign(CaptionAppearance());
    TToolBarAppearance* bar = group->ToolBarAppearance();
    bar->Color()->SetColor(PageAppearance()->Color());
    bar->Color()->SetColorTo(PageAppearance()->ColorMirrorTo());
    bar->SetBorderColor(PageAppearance()->BorderColor());
    bar->ColorHot()->SetColor(PageAppearance()->Color());
    bar->ColorHot()->SetColorTo(ColorHot()->Mirror()->ColorMirrorTo());
    group->TabAppearance()->SetBorderColorHot(0x1475FF);
    group->TabAppearance()->SetBorderColorSelected(0x1475FF);
    group->TabAppearance()->SetBorderColorSelectedHot(0x1475FF);
  }
  EndUpdate();
  StylerChanged(StylerChange::Style);
}

void TAdvToolBarOfficeStyler::ApplyFlatStyle(TToolBarStyle Value, IToolBarStylerPager* Pager) {
  const TFlatStyle& f = FlatStyle(Value);
  const bool office2013 = IsOffice2013(Value), office2016 = IsOffice2016(Value);
  SetBarColours(this, f.Bar, f.RightHand);
  if (office2013 || office2016) {
    ButtonAppearance()->SetBorderColor(clNone);
    ButtonAppearance()->SetBorderHotColor(clNone);
    ButtonAppearance()->SetBorderDownColor(clNone);
  }
  SetRoundEdges(false);

  auto glowColours = [&] {
    TGlowButtonAppearance* g = GlowButtonAppearance();
    const bool black = Value == S::bsOffice2016Black;
    const TColor to = black ? f.GlowColor : clNone;
    g->SetColor(f.GlowColor);
    g->SetBorderColor(f.GlowBorder);
    g->SetColorTo(to);
    g->SetColorMirror(f.GlowMirror);
    g->SetColorMirrorTo(to);
    TColor hot = f.Hot, hotBorder = f.HotBorder, down = f.Down, downBorder = f.DownBorder, checked = f.Checked,
           checkedBorder = f.CheckedBorder;
    if (office2013) {
      hot = AppColor()->HoverColor();
      hotBorder = AppColor()->HoverBorderColor();
      down = checked = AppColor()->SelectedColor();
      downBorder = checkedBorder = AppColor()->SelectedBorderColor();
    }
    // Office 2016 mirrors each state's colour; the Black style fills all four.
    auto mirror = [&](TColor c) { return office2016 ? c : clNone; };
    auto second = [&](TColor c) { return black ? c : clNone; };
    g->SetColorHot(hot);
    g->SetColorHotTo(second(hot));
    g->SetColorMirrorHot(mirror(hot));
    g->SetColorMirrorHotTo(second(hot));
    g->SetBorderColorHot(hotBorder);
    g->SetColorDown(down);
    g->SetColorDownTo(second(down));
    g->SetColorMirrorDown(mirror(down));
    g->SetColorMirrorDownTo(second(down));
    g->SetBorderColorDown(downBorder);
    g->SetColorChecked(checked);
    g->SetColorCheckedTo(second(checked));
    g->SetColorMirrorChecked(mirror(checked));
    g->SetColorMirrorCheckedTo(second(checked));
    g->SetBorderColorChecked(checkedBorder);
    for (auto set : {&TGlowButtonAppearance::SetGradient, &TGlowButtonAppearance::SetGradientMirror,
                     &TGlowButtonAppearance::SetGradientHot, &TGlowButtonAppearance::SetGradientMirrorHot,
                     &TGlowButtonAppearance::SetGradientDown, &TGlowButtonAppearance::SetGradientMirrorDown,
                     &TGlowButtonAppearance::SetGradientChecked, &TGlowButtonAppearance::SetGradientMirrorChecked,
                     &TGlowButtonAppearance::SetGradientDisabled, &TGlowButtonAppearance::SetGradientMirrorDisabled})
      (g->*set)(G::ggVertical);
    if (Value == S::bsWindows8 || Value == S::bsWindows10) {
      g->SetColorDisabled(g->Color());
      g->SetColorDisabledTo(g->ColorTo());
      g->SetColorMirrorDisabled(g->ColorMirror());
      g->SetColorMirrorDisabledTo(g->ColorMirrorTo());
      g->SetBorderColorDisabled(g->BorderColor());
    }
    if (office2016) {
      g->SetTextColorHot(f.StateText);
      g->SetTextColorDown(f.StateText);
      g->SetTextColorChecked(black ? 0xC8C8C8 : f.StateText);
    }
    if (black) {
      TabAppearance()->SetTextColorHot(0x0000FF);
      TabAppearance()->SetTextColorSelected(0x00FFFF);
      for (TGlowButtonAppearance* set : {g, CompactGlowButtonAppearance()}) {
        set->SetTextColor(0xA6A6A6);
        set->SetSystemFont(false);
      }
    }
  };

  if (!office2016) glowColours();
  if (Pager) {
    GivePagerFlatTones(Value, Pager);
  } else if (office2013 || office2016) {
    SetBarColours(this, f.AloneBar == Keep ? f.Bar : f.AloneBar, f.AloneRightHand);
    SetBorderColor(f.AloneBorder);
  }
  if (office2016) glowColours();
  FKelStyle = Value == S::bsWindows10 ? TKelStyle::tsWindows8 : CodeOf(Value);
  EndUpdate();
  // The controls must hear of the new colours, as after a gradient style.
  StylerChanged(StylerChange::Style);
}

void TAdvToolBarOfficeStyler::GivePagerFlatTones(TToolBarStyle Value, IToolBarStylerPager* Pager) {
  const TFlatStyle& f = FlatStyle(Value);
  TColorTones metro;
  MetroColorTones(true, clWhite, clWhite, metro);
  TOfficeTones tones{metro, metro, metro, AppColor()};
  SetTone(tones.Tab.Background, f.TabBackground, AppColor()->AppButtonColor());
  SetTone(tones.Tab.Selected, f.TabSelected, AppColor()->AppButtonColor());
  SetTone(tones.Tab.Hover, f.TabHover, AppColor()->AppButtonColor());
  tones.Pager.Background.BrushColor =
      f.PagerBackground == AppButton ? AppColor()->AppButtonColor() : f.PagerBackground;
  const bool windows = Value == S::bsWindows8 || Value == S::bsWindows10;
  if (windows) {
    AppColor()->SetHoverColor(0xF7EFE8);
    AppColor()->SetHoverBorderColor(0xF9CEA4);
    AppColor()->SetSelectedColor(0xF7E0C9);
    AppColor()->SetSelectedBorderColor(0xE4A262);
  } else {
    AppColor()->SetHoverBorderColor(AppColor()->HoverColor());
    AppColor()->SetSelectedBorderColor(AppColor()->SelectedColor());
  }
  Pager->SetOfficeTones(tones, windows ? TGroupStyle::gsWindows8 : TGroupStyle::gsOffice2013);
}

void TAdvToolBarOfficeStyler::TonePager(IToolBarStylerPager* Pager) {
  if (!Pager || FToolBarStyle == S::bsCustom) return;
  if (IsFlat(FToolBarStyle))
    GivePagerFlatTones(FToolBarStyle, Pager);
  else
    Pager->ClearOfficeTones();
}
