// What the toolbar library's small glow buttons share (the pager's page
// scroll buttons and the quick access toolbar's Vista buttons): their
// defaults, and the colours of the state a face is drawn in (for
// DrawGlowButtonFace): the disabled set first, then the down set while
// pressed, then the hot set, else the normal set.
#pragma once

#include "base/Controls.h"
#include "ui/controls/buttons/GlowButtonAppearance.h"

// 22 x 23, capturing the mouse and taking double clicks but firing its
// clicks itself, the parent's font in Tahoma, no hint.
void SetSmallGlowButtonDefaults(TControl* Button);

struct TGlowStateColors {
  TColor Color, ColorTo, Mirror, MirrorTo, Border;
  TGDIPGradient Gradient, GradientMirror;
};

TGlowStateColors GlowStateColors(TGlowButtonAppearance* A, bool Enabled, bool Pressed, bool Hot);
