#include "ui/toolbar/stylers/ToolBarAppearances.h"

#include "ui/draw/KelStyle.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

namespace AdvToolBar {

// ---------------------------------------------------------------------------
// TButtonAppearance

TButtonAppearance::TButtonAppearance() : FCaptionFont(new TFont) { SetDefaultFont(FCaptionFont, IsVistaOrLater()); }

void TButtonAppearance::Changed() {
  if (OnChange) OnChange(this);
}

void TButtonAppearance::SetCaptionFont(TFont* Value) {
  FCaptionFont->Assign(Value);
  Changed();
}

void TButtonAppearance::SetSystemFont(bool Value) {
  if (FSystemFont == Value) return;
  FSystemFont = Value;
  if (Value) SetDefaultFont(FCaptionFont, IsVistaOrLater());
}

void TButtonAppearance::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TButtonAppearance*>(Source);
  if (!s) return;
  FColor = s->FColor;
  FColorTo = s->FColorTo;
  FColorHot = s->FColorHot;
  FColorHotTo = s->FColorHotTo;
  FColorDown = s->FColorDown;
  FColorDownTo = s->FColorDownTo;
  FColorChecked = s->FColorChecked;
  FColorCheckedTo = s->FColorCheckedTo;
  FCaptionTextColor = s->FCaptionTextColor;
  FCaptionTextColorHot = s->FCaptionTextColorHot;
  FCaptionTextColorDown = s->FCaptionTextColorDown;
  FCaptionTextColorChecked = s->FCaptionTextColorChecked;
  FGradientDirection = s->FGradientDirection;
  FBorderColor = s->FBorderColor;
  FBorderHotColor = s->FBorderHotColor;
  FBorderDownColor = s->FBorderDownColor;
  FBorderCheckedColor = s->FBorderCheckedColor;
}

}  // namespace AdvToolBar

// ---------------------------------------------------------------------------
// TGradientBackground and TVistaGradientBackground

TGradientBackground::TGradientBackground() = default;

void TGradientBackground::Changed() {
  if (OnChange) OnChange(this);
}

void TGradientBackground::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TGradientBackground*>(Source);
  if (!s) return;
  FColor = s->FColor;
  FColorTo = s->FColorTo;
  FDirection = s->FDirection;
  FSteps = s->FSteps;
}

TVistaGradientBackground::TVistaGradientBackground() : FMirror(new TMirrorGradient) {}

void TVistaGradientBackground::Assign(TPersistent* Source) {
  TGradientBackground::Assign(Source);
  if (auto* s = dynamic_cast<TVistaGradientBackground*>(Source)) FMirror->Assign(s->FMirror);
}

// ---------------------------------------------------------------------------
// TMirrorGradient

void TMirrorGradient::Changed() {
  if (OnChange) OnChange(this);
}

void TMirrorGradient::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TMirrorGradient*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FColor = s->FColor;
  FColorTo = s->FColorTo;
  FColorMirror = s->FColorMirror;
  FColorMirrorTo = s->FColorMirrorTo;
}

// ---------------------------------------------------------------------------
// TContainerAppearance

void TContainerAppearance::Changed() {
  if (OnChange) OnChange(this);
}

void TContainerAppearance::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TContainerAppearance*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  SetLineColor(s->FLineColor);
  SetLine3D(s->FLine3D);
}

// ---------------------------------------------------------------------------
// TCaptionAppearance

void TCaptionAppearance::Changed() {
  if (OnChange) OnChange(this);
}

void TCaptionAppearance::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TCaptionAppearance*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FCaptionColor = s->FCaptionColor;
  FCaptionColorTo = s->FCaptionColorTo;
  FCaptionTextColor = s->FCaptionTextColor;
  FCaptionBorderColor = s->FCaptionBorderColor;
  FCaptionBorderColorHot = s->FCaptionBorderColorHot;
  FCaptionColorHot = s->FCaptionColorHot;
  SetCaptionColorHotTo(s->FCaptionColorHotTo);
  SetCaptionTextColorHot(s->FCaptionTextColorHot);
}

// ---------------------------------------------------------------------------
// TToolBarAppearance

TToolBarAppearance::TToolBarAppearance() : FColor(new TGradientBackground), FColorHot(new TGradientBackground) {
  FColorHot->SetColor(clNone);
  FColorHot->SetColorTo(clNone);
}

void TToolBarAppearance::Changed() {
  if (OnChange) OnChange(this);
}

void TToolBarAppearance::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TToolBarAppearance*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FColor->Assign(s->FColor);
  FColorHot->Assign(s->FColorHot);
  FBorderColor = s->FBorderColor;
  FBorderColorHot = s->FBorderColorHot;
}

// ---------------------------------------------------------------------------
// TQATAppearance

void TQATAppearance::Changed() {
  if (OnChange) OnChange(this);
}

void TQATAppearance::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TQATAppearance*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FBorderColor = s->FBorderColor;
  FColor = s->FColor;
  FColorTo = s->FColorTo;
  FFullSizeBorderColor = s->FFullSizeBorderColor;
  FFullSizeColor = s->FFullSizeColor;
  SetFullSizeColorTo(s->FFullSizeColorTo);
}

// ---------------------------------------------------------------------------
// TAppColor

void TAppColor::Changed() {
  if (OnChange) OnChange(this);
}

void TAppColor::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TAppColor*>(Source);
  if (!s) return;
  FAppButtonColor = s->FAppButtonColor;
  FAppButtonHoverColor = s->FAppButtonHoverColor;
  FTextColor = s->FTextColor;
  FHoverColor = s->FHoverColor;
  FHoverTextColor = s->FHoverTextColor;
  FSelectedColor = s->FSelectedColor;
  FSelectedTextColor = s->FSelectedTextColor;
  FSelectedBorderColor = s->FSelectedBorderColor;
}
