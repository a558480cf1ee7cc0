// The glow button's 24 built-in styles and its colour tones. A style assigns
// a subset of the appearance; what it does not assign keeps its value.
#include "ui/controls/buttons/AdvGlowButton.h"

namespace {

using S = TKelStyle;
using G = TGDIPGradient;

struct TFour {
  TColor A, B, C, D;
};

// One colour set of the appearance: its four fills (start, end, mirror
// start, mirror end), the border when given, and the gradient kinds.
enum class TSet { Normal, Hot, Down, Checked, Disabled };

void Fills(TGlowButtonAppearance* a, TSet set, TFour f) {
  switch (set) {
    case TSet::Normal: a->SetColor(f.A); a->SetColorTo(f.B); a->SetColorMirror(f.C); a->SetColorMirrorTo(f.D); break;
    case TSet::Hot:
      a->SetColorHot(f.A); a->SetColorHotTo(f.B); a->SetColorMirrorHot(f.C); a->SetColorMirrorHotTo(f.D);
      break;
    case TSet::Down:
      a->SetColorDown(f.A); a->SetColorDownTo(f.B); a->SetColorMirrorDown(f.C); a->SetColorMirrorDownTo(f.D);
      break;
    case TSet::Checked:
      a->SetColorChecked(f.A); a->SetColorCheckedTo(f.B); a->SetColorMirrorChecked(f.C);
      a->SetColorMirrorCheckedTo(f.D);
      break;
    case TSet::Disabled:
      a->SetColorDisabled(f.A); a->SetColorDisabledTo(f.B); a->SetColorMirrorDisabled(f.C);
      a->SetColorMirrorDisabledTo(f.D);
      break;
  }
}

void Border(TGlowButtonAppearance* a, TSet set, TColor c) {
  switch (set) {
    case TSet::Normal: a->SetBorderColor(c); break;
    case TSet::Hot: a->SetBorderColorHot(c); break;
    case TSet::Down: a->SetBorderColorDown(c); break;
    case TSet::Checked: a->SetBorderColorChecked(c); break;
    case TSet::Disabled: a->SetBorderColorDisabled(c); break;
  }
}

void Vertical(TGlowButtonAppearance* a, TSet set) {
  switch (set) {
    case TSet::Normal: a->SetGradient(G::ggVertical); a->SetGradientMirror(G::ggVertical); break;
    case TSet::Hot: a->SetGradientHot(G::ggVertical); a->SetGradientMirrorHot(G::ggVertical); break;
    case TSet::Down: a->SetGradientDown(G::ggVertical); a->SetGradientMirrorDown(G::ggVertical); break;
    case TSet::Checked: a->SetGradientChecked(G::ggVertical); a->SetGradientMirrorChecked(G::ggVertical); break;
    case TSet::Disabled: break;
  }
}

// A set with its fills, border and vertical gradients.
void Set(TGlowButtonAppearance* a, TSet set, TFour f, TColor border) {
  Fills(a, set, f);
  Border(a, set, border);
  Vertical(a, set);
}
void SetNoBorder(TGlowButtonAppearance* a, TSet set, TFour f) {
  Fills(a, set, f);
  Vertical(a, set);
}
TFour All(TColor c) { return {c, c, c, c}; }
TFour Flat(TColor c) { return {c, clNone, c, clNone}; }

struct TNormal {
  S Style;
  TFour Fills;
  TColor Border;
};

const TNormal kNormals[] = {
    {S::tsOffice2003Blue, {0xEEDBC8, 0xF6DDC9, 0xEDD4C0, 0xF7E1D0}, 0xE0B99B},
    {S::tsOffice2003Silver, {0xE6E9E2, 0xE6D8D8, 0xE6E9E2, 0xC8B2B3}, 0x927476},
    {S::tsOffice2003Olive, {0xCFF0EA, 0xCFF0EA, 0xCFF0EA, 0x8CC0B1}, 0x8CC0B1},
    {S::tsOffice2003Classic, {0xFFFFFF, 0xC9D1D5, 0xFFFFFF, 0xC9D1D5}, 0x000000},
    {S::tsOffice2007Luna, {0xEEDBC8, 0xF6DDC9, 0xEDD4C0, 0xF7E1D0}, 0xE0B99B},
    {S::tsOffice2007Obsidian, {0xDFDED6, 0xE4E2DB, 0xD7D5CE, 0xE7E5E0}, 0xC0BCB2},
    {S::tsWindowsXP, {0xFFFFFF, 0xB9D8DC, 0xB9D8DC, 0xB9D8DC}, 0xB9D8DC},
    {S::tsWhidbey, {0xFFFFFF, 0xDFEDF0, 0xDFEDF0, 0xDFEDF0}, 0x99A8AC},
    {S::tsOffice2007Silver, {0xF3F3F1, 0xF5F5F3, 0xEEEAE7, 0xF8F7F6}, 0xCCCAC9},
    {S::tsWindowsVista, {0xFDF8F1, 0xFDF8F1, 0xFCEFD5, 0xFDF8F1}, 0xFDDE99},
    {S::tsWindows7, {0xFCEBDC, 0xFCDBC1, 0xFCDBC1, 0xFCDBC1}, 0xCEA27D},
    {S::tsOffice2010Blue, {0xFDF6EF, 0xF0DAC7, 0xF0DAC7, 0xF0DAC7}, 0xC7B29F},
    {S::tsOffice2010Silver, {0xFFFFFF, 0xEDE5E0, 0xEDE5E0, 0xEDE5E0}, 0xD2CDC8},
    {S::tsOffice2010Black, {0xBFBFBF, 0x919191, 0x919191, 0x919191}, 0x6D6D6D},
    {S::tsWindows8, Flat(0xF7F6F5), 0xE4E3E2},
    {S::tsWindows10, Flat(0xF7F6F5), 0xE4E3E2},
    {S::tsOffice2013White, Flat(0xFFFFFF), 0xD4D4D4},
    {S::tsOffice2013LightGray, Flat(0xF6F6F6), 0xC6C6C6},
    {S::tsOffice2013Gray, Flat(0xE5E5E5), 0xABABAB},
    {S::tsOffice2016White, Flat(0xFFFFFF), 0xD4D4D4},
    {S::tsOffice2016Gray, Flat(0xB2B2B2), 0x444444},
    {S::tsOffice2016Black, All(0x363636), 0x444444},
};

bool In(S s, std::initializer_list<S> l) {
  for (S x : l)
    if (x == s) return true;
  return false;
}

void ApplyStyleColours(TAdvCustomGlowButton* b, TGlowButtonAppearance* a, S s) {
  using T = TSet;
  if (s == S::tsTerminal) {
    // No gradient kinds; the border is kept.
    Fills(a, T::Normal, All(clBtnFace));
    Fills(a, T::Hot, All(0xC0C0C0));
    Border(a, T::Hot, 0x808080);
    Fills(a, T::Down, All(clHighlight));
    Border(a, T::Down, clHighlight);
    Fills(a, T::Checked, All(0x808080));
    Border(a, T::Checked, 0x808080);
    return;
  }
  for (const TNormal& n : kNormals)
    if (n.Style == s) Set(a, T::Normal, n.Fills, n.Border);

  if (In(s, {S::tsOffice2003Blue, S::tsOffice2003Silver, S::tsOffice2003Olive, S::tsOffice2003Classic,
             S::tsOffice2007Luna, S::tsOffice2007Obsidian, S::tsWhidbey, S::tsOffice2007Silver})) {
    Set(a, T::Hot, {0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF}, 0x99CEDB);
    Set(a, T::Down, {0x76AFF1, 0x4190F3, 0x0E72F1, 0x4C9FFD}, 0x45667B);
    SetNoBorder(a, T::Checked, {0xB5DBFB, 0x78C7FE, 0x9FEBFD, 0x56B4FE});
    if (In(s, {S::tsOffice2007Luna, S::tsOffice2007Obsidian, S::tsOffice2007Silver}))
      Border(a, T::Checked, 0x45667B);
  } else if (In(s, {S::tsOffice2010Blue, S::tsOffice2010Silver, S::tsOffice2010Black})) {
    Set(a, T::Hot, {0x8AE3FD, 0xD9F9FD, 0xD9F9FD, 0x8AE3FD}, 0x58CAF1);
    Set(a, T::Down, {0x6CD0FF, 0x7BEEFF, 0x7BEEFF, 0x6CD0FF}, 0x308AC2);
    Set(a, T::Checked, {0xD9F9FD, 0x6CD0FF, 0x6CD0FF, 0x6CD0FF}, 0x308AC2);
  } else if (In(s, {S::tsWindows8, S::tsWindows10})) {
    Set(a, T::Hot, Flat(0xF7EFE8), 0xF9CEA4);
    Set(a, T::Down, Flat(0xF7E0C9), 0xE4A262);
    Set(a, T::Checked, Flat(0xDAA026), 0xDAA026);
    Fills(a, T::Disabled, Flat(0xF7F7F7));
    a->SetTextColorChecked(clWhite);
  } else if (In(s, {S::tsOffice2013White, S::tsOffice2013LightGray, S::tsOffice2013Gray})) {
    Set(a, T::Hot, Flat(0xFCF0E4), 0xEAB47E);
    Set(a, T::Down, Flat(0xFCE2C8), 0xE59D56);
    Set(a, T::Checked, Flat(0xFF9933), 0xFF9933);
    Fills(a, T::Disabled, Flat(0xEEEEEE));
    Border(a, T::Disabled, 0xACACAC);
    a->SetTextColorChecked(clWhite);
  } else if (In(s, {S::tsOffice2016White, S::tsOffice2016Gray})) {
    TColor normal = s == S::tsOffice2016White ? 0xFFFFFF : 0xB2B2B2;
    TColor border = s == S::tsOffice2016White ? 0xD4D4D4 : 0x444444;
    TColor text = s == S::tsOffice2016White ? 0x505050 : 0x424242;
    Set(a, T::Hot, Flat(0xF2E1D5), 0xF2E1D5);
    Set(a, T::Down, Flat(0xE3BDA3), 0xE3BDA3);
    Set(a, T::Checked, Flat(0xF2D5C2), 0xF2D5C2);
    Fills(a, T::Disabled, Flat(normal));
    Border(a, T::Disabled, border);
    a->SetBorderColorCheckedHot(0xE3BDA3);
    b->Font()->SetColor(text);
    a->SetTextColorChecked(text);
    a->SetTextColorHot(text);
    a->SetTextColorDown(text);
  } else if (s == S::tsOffice2016Black) {
    Set(a, T::Hot, All(0x6A6A6A), 0x6A6A6A);
    Set(a, T::Down, All(0x444444), 0x444444);
    Set(a, T::Checked, All(0x575757), 0x575757);
    Fills(a, T::Disabled, Flat(0x363636));
    Border(a, T::Disabled, 0x444444);
    b->Font()->SetColor(0xA6A6A6);
    a->SetTextColorChecked(0xC8C8C8);
    a->SetTextColorHot(0xA6A6A6);
    a->SetTextColorDown(0xA6A6A6);
  } else if (s == S::tsWindowsXP) {
    Set(a, T::Hot, All(0xEFD3C6), clHighlight);
    Set(a, T::Down, All(0xB59284), clHighlight);
    Set(a, T::Checked, All(0xB9D8DC), 0x000000);
  } else if (s == S::tsWindowsVista) {
    Set(a, T::Hot, {clNone, 0xFFFAF0, 0xFFFAF0, 0xFFFAF0}, 0xFCF2DA);
    Set(a, T::Down, {0xFCEFD5, 0xFCEFD5, 0xFDF4E3, 0xFDF4E3}, 0xFEDF9A);
    Set(a, T::Checked, {0xFCEFD5, 0xFAE9C6, 0xF7DAA2, 0xFBEDD3}, 0xFEDF9A);
  } else if (s == S::tsWindows7) {
    Set(a, T::Hot, {0xFDFBFA, 0xFDF3EB, 0xFDF3EB, 0xFDFBFA}, 0xFBD6B8);
    Set(a, T::Down, {0xFCEBDC, 0xFCDBC1, 0xFCDBC1, 0xFCEBDC}, 0xCEA27D);
    Set(a, T::Checked, {0xFDFBFA, 0xFDF3EB, 0xFCEBDC, 0xFCEBDC}, clHighlight);
  }
}

}  // namespace

void TAdvCustomGlowButton::SetComponentStyle(TKelStyle AStyle) {
  TGlowButtonAppearance* a = FAppearance;
  Font()->SetColor(clWindowText);
  a->SetTextColorChecked(0);
  a->SetTextColorHot(0);
  a->SetTextColorDown(0);
  a->SetTranspHover(In(AStyle, {S::tsOffice2010Blue, S::tsOffice2010Silver, S::tsOffice2010Black,
                                S::tsOffice2013White, S::tsOffice2013LightGray, S::tsOffice2013Gray,
                                S::tsOffice2016White, S::tsOffice2016Gray, S::tsOffice2016Black}));
  FCompStyle = AStyle;
  a->SetBorderColorCheckedHot(clNone);
  SetRounded(!(AStyle == S::tsCustom || static_cast<int>(AStyle) >= static_cast<int>(S::tsWindows8)));
  if (AStyle == S::tsCustom) return;
  ApplyStyleColours(this, a, AStyle);
  Invalidate();
  if (FShortCutHint) {
    FShortCutHint->SetColor(clWhite);
    FShortCutHint->SetColorTo(a->Color());
  }
}

void TAdvCustomGlowButton::SetColorTones(const TColorTones& ATones) {
  TColorTones t = ATones;
  TGlowButtonAppearance* a = FAppearance;
  a->SetColor(t.Background.BrushColor);
  a->SetColorTo(clNone);
  a->SetBorderColor(t.Background.BorderColor);
  a->SetColorMirror(t.Background.BrushColor);
  a->SetColorMirrorTo(clNone);

  a->SetColorHot(t.Hover.BrushColor);
  a->SetColorHotTo(clNone);
  a->SetColorMirrorHot(t.Hover.BrushColor);
  a->SetColorMirrorHotTo(clNone);
  a->SetBorderColorHot(t.Hover.BorderColor);
  a->SetTextColorHot(t.Hover.TextColor);

  a->SetTextColorDown(t.Selected.TextColor);
  a->SetColorDown(t.Selected.BrushColor);
  a->SetColorDownTo(clNone);
  a->SetColorMirrorDown(t.Selected.BrushColor);
  a->SetColorMirrorDownTo(clNone);
  a->SetBorderColorDown(t.Selected.BorderColor);

  a->SetColorDisabled(t.Background.BrushColor);
  a->SetColorDisabledTo(t.Background.BrushColor);
  a->SetColorMirrorDisabled(t.Background.BrushColor);
  a->SetColorMirrorDisabledTo(t.Background.BrushColor);
  a->SetBorderColorDisabled(t.Disabled.BorderColor);

  a->SetColorChecked(t.Selected.BrushColor);
  a->SetColorCheckedTo(clNone);
  a->SetColorMirrorChecked(clNone);
  a->SetColorMirrorCheckedTo(clNone);
  a->SetBorderColorChecked(t.Selected.BorderColor);

  GlowButton::SetGlowInterval(0);
  SetRounded(false);
  Font()->SetColor(t.Background.TextColor);
  Font()->SetName(GetSystemFontName());
}
