// TGlowButtonAppearance: the glow button's colour set, per state (normal,
// hot, down, checked, disabled, focused): the colours of the upper and the
// lower (mirror) half of the face, their gradient styles, the border and
// the caption colour. Every change through a setter fires OnChange.
#pragma once

#include <cstdint>

#include "base/Object.h"

// The gradient style of one face half.
enum class TGDIPGradient : uint8_t { ggRadial, ggVertical, ggDiagonalForward, ggDiagonalBackward };

// A property that stores through its setter and reports the change.
#define GLOW_APPEARANCE_PROPERTY(Type, Name) \
 public:                                     \
  Type Name() const { return F##Name; }      \
  void Set##Name(Type Value) {               \
    if (F##Name == Value) return;            \
    F##Name = Value;                         \
    Changed();                               \
  }                                          \
                                             \
 private:                                    \
  Type F##Name;

class TGlowButtonAppearance : public TPersistent {
  VANTREL_CLASS(TGlowButtonAppearance)
 public:
  TGlowButtonAppearance();
  // From another appearance, through the setters (one OnChange per value
  // that differs); OnChange stays this object's own. Anything else goes to
  // the base (a conversion error).
  void Assign(TPersistent* Source) override;
  void Changed();

  // Written directly: no change notification.
  TColor BorderColorCheckedHot() const { return FBorderColorCheckedHot; }
  void SetBorderColorCheckedHot(TColor Value) { FBorderColorCheckedHot = Value; }
  bool TranspHover() const { return FTranspHover; }
  void SetTranspHover(bool Value) { FTranspHover = Value; }
  bool NoBorderDefault() const { return FNoBorderDefault; }
  void SetNoBorderDefault(bool Value) { FNoBorderDefault = Value; }

  TNotifyEvent OnChange;

  GLOW_APPEARANCE_PROPERTY(TColor, BorderColor)
  GLOW_APPEARANCE_PROPERTY(TColor, BorderColorHot)
  GLOW_APPEARANCE_PROPERTY(TColor, BorderColorDown)
  GLOW_APPEARANCE_PROPERTY(TColor, BorderColorDisabled)
  GLOW_APPEARANCE_PROPERTY(TColor, BorderColorChecked)
  GLOW_APPEARANCE_PROPERTY(TColor, BorderColorFocused)
  GLOW_APPEARANCE_PROPERTY(TColor, Color)
  GLOW_APPEARANCE_PROPERTY(TColor, ColorTo)
  GLOW_APPEARANCE_PROPERTY(TColor, ColorDown)
  GLOW_APPEARANCE_PROPERTY(TColor, ColorDownTo)
  GLOW_APPEARANCE_PROPERTY(TColor, ColorHot)
  GLOW_APPEARANCE_PROPERTY(TColor, ColorHotTo)
  GLOW_APPEARANCE_PROPERTY(TColor, ColorCheckedTo)
  GLOW_APPEARANCE_PROPERTY(TColor, ColorDisabled)
  GLOW_APPEARANCE_PROPERTY(TColor, ColorDisabledTo)
  GLOW_APPEARANCE_PROPERTY(TColor, ColorChecked)
  GLOW_APPEARANCE_PROPERTY(TColor, ColorMirror)
  GLOW_APPEARANCE_PROPERTY(TColor, ColorMirrorTo)
  GLOW_APPEARANCE_PROPERTY(TColor, ColorMirrorHot)
  GLOW_APPEARANCE_PROPERTY(TColor, ColorMirrorHotTo)
  GLOW_APPEARANCE_PROPERTY(TColor, ColorMirrorDown)
  GLOW_APPEARANCE_PROPERTY(TColor, ColorMirrorDownTo)
  GLOW_APPEARANCE_PROPERTY(TGDIPGradient, GradientDown)
  GLOW_APPEARANCE_PROPERTY(TGDIPGradient, GradientMirror)
  GLOW_APPEARANCE_PROPERTY(TGDIPGradient, GradientMirrorHot)
  GLOW_APPEARANCE_PROPERTY(TGDIPGradient, Gradient)
  GLOW_APPEARANCE_PROPERTY(TGDIPGradient, GradientMirrorDown)
  GLOW_APPEARANCE_PROPERTY(TGDIPGradient, GradientHot)
  GLOW_APPEARANCE_PROPERTY(TColor, ColorMirrorDisabledTo)
  GLOW_APPEARANCE_PROPERTY(TColor, ColorMirrorDisabled)
  GLOW_APPEARANCE_PROPERTY(TColor, ColorMirrorCheckedTo)
  GLOW_APPEARANCE_PROPERTY(TColor, ColorMirrorChecked)
  GLOW_APPEARANCE_PROPERTY(TGDIPGradient, GradientChecked)
  GLOW_APPEARANCE_PROPERTY(TGDIPGradient, GradientDisabled)
  GLOW_APPEARANCE_PROPERTY(TGDIPGradient, GradientMirrorChecked)
  GLOW_APPEARANCE_PROPERTY(TGDIPGradient, GradientMirrorDisabled)
  GLOW_APPEARANCE_PROPERTY(TColor, TextColorHot)
  GLOW_APPEARANCE_PROPERTY(TColor, TextColorDown)
  GLOW_APPEARANCE_PROPERTY(bool, SystemFont)
  GLOW_APPEARANCE_PROPERTY(TColor, TextColorChecked)
  GLOW_APPEARANCE_PROPERTY(TColor, TextColor)

 private:
  TColor FBorderColorCheckedHot;
  bool FTranspHover;
  bool FNoBorderDefault;
};

#undef GLOW_APPEARANCE_PROPERTY
