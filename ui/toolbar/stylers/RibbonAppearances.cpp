#include "ui/toolbar/stylers/RibbonAppearances.h"

#include "ui/draw/KelStyle.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

namespace {
// The system's font ("Segoe UI" 9 pt or "Tahoma" 8 pt) with an empty style.
void SystemFontAt(TFont* Font) {
  SetDefaultFont(Font, IsVistaOrLater());
  Font->SetStyle({});
}
}  // namespace

// ---------------------------------------------------------------------------
// TCustomTabAppearance

TCustomTabAppearance::TCustomTabAppearance() : FFont(new TFont), FBackGround(new TGradientBackground) {
  FBackGround->OnChange = [this](TObject*) { Changed(); };
  SetDefaultFont(FFont, IsVistaOrLater());
  FFont->SetSize(DPIPixelsPerInch > 96 ? 9 : 8);
  FFont->SetStyle({});
}

void TCustomTabAppearance::Changed() {
  if (OnChange) OnChange(this);
}

void TCustomTabAppearance::SetSystemFont(bool Value) {
  if (FSystemFont == Value) return;
  FSystemFont = Value;
  if (Value) SetDefaultFont(FFont, IsVistaOrLater());
}

void TCustomTabAppearance::ClearColors() {
  for (TColor* c : {&FBorderColor, &FBorderColorHot, &FBorderColorSelected, &FBorderColorSelectedHot,
                    &FBorderColorDisabled, &FBorderColorDown, &FColor, &FColorTo, &FColorSelected, &FColorSelectedTo,
                    &FColorDisabled, &FColorDisabledTo, &FColorHot, &FColorHotTo, &FColorMirror, &FColorMirrorTo,
                    &FColorMirrorHot, &FColorMirrorHotTo, &FColorMirrorSelected, &FColorMirrorSelectedTo,
                    &FColorMirrorDisabled, &FColorMirrorDisabledTo, &FTextColor, &FTextColorHot, &FTextColorSelected,
                    &FTextColorDisabled, &FShadowColor, &FHighLightColor, &FHighLightColorHot,
                    &FHighLightColorSelected, &FHighLightColorSelectedHot, &FHighLightColorDown})
    *c = clNone;
}

void TCustomTabAppearance::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TCustomTabAppearance*>(Source);
  if (!s) return;
  FBorderColor = s->FBorderColor;
  FBorderColorHot = s->FBorderColorHot;
  FBorderColorSelectedHot = s->FBorderColorSelectedHot;
  FBorderColorDown = s->FBorderColorDown;
  FColor = s->FColor;
  FColorTo = s->FColorTo;
  FColorHot = s->FColorHot;
  FColorHotTo = s->FColorHotTo;
  FColorSelectedTo = s->FColorSelectedTo;
  FBorderColorDisabled = s->FBorderColorDisabled;
  FBorderColorSelected = s->FBorderColorSelected;
  FColorDisabled = s->FColorDisabled;
  FColorDisabledTo = s->FColorDisabledTo;
  FColorSelected = s->FColorSelected;
  FColorMirror = s->FColorMirror;
  FColorMirrorTo = s->FColorMirrorTo;
  FColorMirrorHot = s->FColorMirrorHot;
  FColorMirrorHotTo = s->FColorMirrorHotTo;
  FGradient = s->FGradient;
  FGradientMirror = s->FGradientMirror;
  FGradientHot = s->FGradientHot;
  FGradientMirrorHot = s->FGradientMirrorHot;
  FGradientSelected = s->FGradientSelected;
  FGradientMirrorSelected = s->FGradientMirrorSelected;
  FGradientDisabled = s->FGradientDisabled;
  FGradientMirrorDisabled = s->FGradientMirrorDisabled;
  FColorMirrorDisabledTo = s->FColorMirrorDisabledTo;
  FColorMirrorDisabled = s->FColorMirrorDisabled;
  FColorMirrorSelectedTo = s->FColorMirrorSelectedTo;
  FColorMirrorSelected = s->FColorMirrorSelected;
  FTextColorDisabled = s->FTextColorDisabled;
  FTextColorSelected = s->FTextColorSelected;
  FShadowColor = s->FShadowColor;
  FHighLightColor = s->FHighLightColor;
  FHighLightColorHot = s->FHighLightColorHot;
  FHighLightColorSelected = s->FHighLightColorSelected;
  FHighLightColorSelectedHot = s->FHighLightColorSelectedHot;
  FHighLightColorDown = s->FHighLightColorDown;
  FFont->Assign(s->FFont);
  SetTextColor(s->FTextColor);
  SetTextColorHot(s->FTextColorHot);
  FBackGround->Assign(s->FBackGround);
}

// ---------------------------------------------------------------------------
// TVistaBackground

namespace AdvToolBar {

void TVistaBackground::Changed() {
  if (OnChange) OnChange(this);
}

void TVistaBackground::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TVistaBackground*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FSteps = s->FSteps;
  FColor = s->FColor;
  FColorTo = s->FColorTo;
  FColorMirror = s->FColorMirror;
  FColorMirrorTo = s->FColorMirrorTo;
  FBorderColor = s->FBorderColor;
  FShadowColor = s->FShadowColor;
  FHighLightColor = s->FHighLightColor;
  SetGradient(s->FGradient);
  SetGradientMirror(s->FGradientMirror);
}

}  // namespace AdvToolBar

// ---------------------------------------------------------------------------
// TVistaTextBackground

TVistaTextBackground::TVistaTextBackground() : FFont(new TFont) {
  SetDefaultFont(FFont, IsVistaOrLater());
  FFont->SetSize(8);
  FFont->SetStyle({});
}

void TVistaTextBackground::Assign(TPersistent* Source) {
  AdvToolBar::TVistaBackground::Assign(Source);
  auto* s = dynamic_cast<TVistaTextBackground*>(Source);
  if (!s) return;
  SetTextColor(s->FTextColor);
  SetTextColorExtended(s->FTextColorExtended);
  FFont->Assign(s->FFont);
}

void TVistaTextBackground::SetSystemFont(bool Value) {
  if (FSystemFont == Value) return;
  FSystemFont = Value;
  if (Value) SetDefaultFont(FFont, IsVistaOrLater());
}

// ---------------------------------------------------------------------------
// TGroupAppearance

TGroupAppearance::TGroupAppearance()
    : FFont(new TFont),
      FCaptionAppearance(new TCaptionAppearance),
      FPageAppearance(new TVistaPageBackground),
      FTabAppearance(new TCustomTabAppearance),
      FToolBarAppearance(new TToolBarAppearance) {
  SystemFontAt(FFont);
  auto forward = [this](TObject*) { Changed(); };
  FCaptionAppearance->OnChange = forward;
  FPageAppearance->OnChange = forward;
  FTabAppearance->OnChange = forward;
  FToolBarAppearance->OnChange = forward;
}

void TGroupAppearance::Changed() {
  if (OnChange) OnChange(this);
}

void TGroupAppearance::SetSystemFont(bool Value) {
  if (FSystemFont == Value) return;
  FSystemFont = Value;
  if (Value) SetDefaultFont(FFont, IsVistaOrLater());
}

void TGroupAppearance::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TGroupAppearance*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FBackground = s->FBackground;
  FCaptionAppearance->Assign(s->FCaptionAppearance);
  FPageAppearance->Assign(s->FPageAppearance);
  FTabAppearance->Assign(s->FTabAppearance);
  FToolBarAppearance->Assign(s->FToolBarAppearance);
  FSteps = s->FSteps;
  FColor = s->FColor;
  FColorTo = s->FColorTo;
  FColorMirror = s->FColorMirror;
  FColorMirrorTo = s->FColorMirrorTo;
  FBorderColor = s->FBorderColor;
  FTextColor = s->FTextColor;
  FFont->Assign(s->FFont);
  SetGradient(s->FGradient);
  SetGradientMirror(s->FGradientMirror);
}
