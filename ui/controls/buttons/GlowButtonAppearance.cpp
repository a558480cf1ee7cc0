#include "ui/controls/buttons/GlowButtonAppearance.h"

#include "ui/controls/buttons/GlowButtonHelpers.h"

using GlowButton::AdjustColorChannels;

TGlowButtonAppearance::TGlowButtonAppearance() {
  using G = TGDIPGradient;
  // Every field is given its first value here; the setters then see a
  // change only where the value differs, and no handler is installed yet.
  FBorderColor = FBorderColorHot = FBorderColorDown = FBorderColorDisabled = FBorderColorChecked = 0;
  FBorderColorFocused = FColor = FColorTo = FColorDown = FColorDownTo = FColorHot = FColorHotTo = 0;
  FColorCheckedTo = FColorDisabled = FColorDisabledTo = FColorChecked = FColorMirror = FColorMirrorTo = 0;
  FColorMirrorHot = FColorMirrorHotTo = FColorMirrorDown = FColorMirrorDownTo = 0;
  FColorMirrorDisabledTo = FColorMirrorDisabled = FColorMirrorCheckedTo = FColorMirrorChecked = 0;
  FGradientDown = FGradientMirror = FGradientMirrorHot = FGradient = FGradientMirrorDown = G::ggRadial;
  FGradientHot = FGradientChecked = FGradientDisabled = FGradientMirrorChecked = FGradientMirrorDisabled = G::ggRadial;
  FTextColorHot = FTextColorDown = FTextColorChecked = FTextColor = 0;
  FSystemFont = false;
  FBorderColorCheckedHot = clNone;
  FTranspHover = false;
  FNoBorderDefault = false;

  SetColor(0xFFFFFF);
  SetColorTo(0xFFFFFF);
  SetColorMirror(0xC0C0C0);
  SetColorMirrorTo(0xFFFFFF);
  SetColorHot(0xF5F0E1);
  SetColorHotTo(0xF9D2B2);
  SetColorMirrorHot(0xF5C8AD);
  SetColorMirrorHotTo(0xFFF8F4);
  // Pressed and checked: the hot colours with red and green at 90 %.
  SetColorDown(AdjustColorChannels(ColorHot(), -10, -10, 0));
  SetColorDownTo(AdjustColorChannels(ColorHotTo(), -10, -10, 0));
  SetColorMirrorDown(AdjustColorChannels(ColorMirrorHot(), -10, -10, 0));
  SetColorMirrorDownTo(AdjustColorChannels(ColorMirrorHotTo(), -10, -10, 0));
  SetColorChecked(ColorDown());
  SetColorCheckedTo(ColorDownTo());
  SetColorMirrorChecked(ColorMirrorDown());
  SetColorMirrorCheckedTo(ColorMirrorDownTo());
  // Disabled: the normal colours at 95 %.
  SetColorDisabled(AdjustColorChannels(Color(), -5, -5, -5));
  SetColorDisabledTo(AdjustColorChannels(ColorTo(), -5, -5, -5));
  SetColorMirrorDisabled(AdjustColorChannels(ColorMirror(), -5, -5, -5));
  SetColorMirrorDisabledTo(AdjustColorChannels(ColorMirrorTo(), -5, -5, -5));
  SetBorderColor(0xC0C0C0);
  SetBorderColorHot(0xFF0000);
  SetBorderColorDown(0x800000);
  SetBorderColorChecked(0xFF0000);
  SetBorderColorDisabled(0x808080);
  SetBorderColorFocused(0xE4AD89);
  SetGradient(G::ggVertical);
  SetGradientMirror(G::ggVertical);
  SetGradientHot(G::ggRadial);
  SetGradientMirrorHot(G::ggRadial);
  SetGradientDown(G::ggRadial);
  SetGradientMirrorDown(G::ggRadial);
  SetGradientChecked(G::ggRadial);
  SetGradientMirrorChecked(G::ggVertical);
  SetGradientDisabled(G::ggRadial);
  SetGradientMirrorDisabled(G::ggRadial);
  SetTextColor(clNone);
  SetTextColorHot(0);
  SetTextColorDown(0);
  SetTextColorChecked(0);
  SetSystemFont(true);
}

void TGlowButtonAppearance::Changed() {
  if (OnChange) OnChange(this);
}

void TGlowButtonAppearance::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TGlowButtonAppearance*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  SetColor(s->Color());
  SetColorTo(s->ColorTo());
  SetColorMirror(s->ColorMirror());
  SetColorMirrorTo(s->ColorMirrorTo());
  SetColorHot(s->ColorHot());
  SetColorHotTo(s->ColorHotTo());
  SetColorMirrorHot(s->ColorMirrorHot());
  SetColorMirrorHotTo(s->ColorMirrorHotTo());
  SetColorDown(s->ColorDown());
  SetColorDownTo(s->ColorDownTo());
  SetColorMirrorDown(s->ColorMirrorDown());
  SetColorMirrorDownTo(s->ColorMirrorDownTo());
  SetColorChecked(s->ColorChecked());
  SetColorCheckedTo(s->ColorCheckedTo());
  SetColorMirrorChecked(s->ColorMirrorChecked());
  SetColorMirrorCheckedTo(s->ColorMirrorCheckedTo());
  SetColorDisabled(s->ColorDisabled());
  SetColorDisabledTo(s->ColorDisabledTo());
  SetColorMirrorDisabled(s->ColorMirrorDisabled());
  SetColorMirrorDisabledTo(s->ColorMirrorDisabledTo());
  SetBorderColor(s->BorderColor());
  SetBorderColorHot(s->BorderColorHot());
  SetBorderColorDown(s->BorderColorDown());
  SetBorderColorChecked(s->BorderColorChecked());
  SetBorderColorDisabled(s->BorderColorDisabled());
  SetBorderColorFocused(s->BorderColorFocused());
  FBorderColorCheckedHot = s->BorderColorCheckedHot();
  SetGradient(s->Gradient());
  SetGradientMirror(s->GradientMirror());
  SetGradientHot(s->GradientHot());
  SetGradientMirrorHot(s->GradientMirrorHot());
  SetGradientDown(s->GradientDown());
  SetGradientMirrorDown(s->GradientMirrorDown());
  SetGradientChecked(s->GradientChecked());
  SetGradientMirrorChecked(s->GradientMirrorChecked());
  SetGradientDisabled(s->GradientDisabled());
  SetGradientMirrorDisabled(s->GradientMirrorDisabled());
  SetTextColorHot(s->TextColorHot());
  SetTextColorDown(s->TextColorDown());
  SetTextColorChecked(s->TextColorChecked());
  SetTextColor(s->TextColor());
  SetSystemFont(s->SystemFont());
  FTranspHover = s->TranspHover();
  FNoBorderDefault = s->NoBorderDefault();
}
