#include "ui/toolbar/bars/SmallGlowButtons.h"

void SetSmallGlowButtonDefaults(TControl* Button) {
  Button->SetBounds(0, 0, 22, 23);
  Button->SetControlStyle({TControlStyleItem::csCaptureMouse, TControlStyleItem::csDoubleClicks});
  Button->SetParentFont(true);
  Button->Font()->SetName(L"Tahoma");
  Button->SetShowHint(false);
}

TGlowStateColors GlowStateColors(TGlowButtonAppearance* A, bool Enabled, bool Pressed, bool Hot) {
  if (!Enabled)
    return {A->ColorDisabled(), A->ColorDisabledTo(), A->ColorMirrorDisabled(), A->ColorMirrorDisabledTo(),
            A->BorderColorDisabled(), A->GradientDisabled(), A->GradientMirrorDisabled()};
  if (Pressed)
    return {A->ColorDown(), A->ColorDownTo(), A->ColorMirrorDown(), A->ColorMirrorDownTo(), A->BorderColorDown(),
            A->GradientDown(), A->GradientMirrorDown()};
  if (Hot)
    return {A->ColorHot(), A->ColorHotTo(), A->ColorMirrorHot(), A->ColorMirrorHotTo(), A->BorderColorHot(),
            A->GradientHot(), A->GradientMirrorHot()};
  return {A->Color(), A->ColorTo(), A->ColorMirror(), A->ColorMirrorTo(), A->BorderColor(), A->Gradient(),
          A->GradientMirror()};
}
