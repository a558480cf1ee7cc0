// The toolbar's simple appearance objects: the button colour set, the
// two-colour gradient and its mirrored variant, the container line, the
// caption colours, the colours of a toolbar inside a ribbon group, the quick
// access toolbar and the application button. A styler owns one of each and
// hears their changes through OnChange; toolbars, their items and the ribbon
// read them when they paint.
//
// The toolbar's TButtonAppearance and TGradientDirection have namesakes in
// the styled menus (another property set, opposite ordinals): the toolbar's
// live in the namespace AdvToolBar, as do its TVistaBackground and the Office
// styler's notifier window.
#pragma once

#include "base/Graphics.h"
#include "ui/toolbar/stylers/AppearanceProperty.h"

// The most bands a toolbar gradient is drawn with. Painters never draw more;
// a theme file asking for more is corrupt.
constexpr int MaxGradientSteps = 1024;

namespace AdvToolBar {

// gdHorizontal: the colour changes from left to right.
enum class TGradientDirection : uint8_t { gdHorizontal, gdVertical };

// The toolbar button colours per state, with the caption font.
class TButtonAppearance : public TPersistent {
  VANTREL_CLASS(TButtonAppearance)
 public:
  // The caption font is "Segoe UI" 9 pt from Windows Vista on, else
  // "Tahoma" 8 pt.
  TButtonAppearance();
  // From another toolbar button colour set: the colours, the four caption
  // text colours, GradientDirection and the four border colours, without
  // notification (not the other three directions, the font or SystemFont).
  // Any other source is ignored.
  void Assign(TPersistent* Source) override;

  TFont* CaptionFont() const { return FCaptionFont; }
  // Copies Value into the owned font, then always notifies.
  void SetCaptionFont(TFont* Value);
  bool SystemFont() const { return FSystemFont; }
  // Turning it on resets the caption font to the system's; never notifies.
  void SetSystemFont(bool Value);

  TNotifyEvent OnChange;

 protected:
  void Changed();

  TOOLBAR_RULE_PROPERTY(TColor, Color, clNone)
  TOOLBAR_RULE_PROPERTY(TColor, ColorTo, clNone)
  TOOLBAR_RULE_PROPERTY(TColor, ColorChecked, 0xD8D5D4)
  TOOLBAR_RULE_PROPERTY(TColor, ColorCheckedTo, clNone)
  TOOLBAR_RULE_PROPERTY(TColor, ColorDown, 0xB59285)
  TOOLBAR_RULE_PROPERTY(TColor, ColorDownTo, clNone)
  TOOLBAR_RULE_PROPERTY(TColor, ColorHot, 0xD2BDB6)
  TOOLBAR_RULE_PROPERTY(TColor, ColorHotTo, clNone)
  TOOLBAR_RULE_PROPERTY(TColor, CaptionTextColor, clBlack)
  TOOLBAR_RULE_PROPERTY(TColor, CaptionTextColorHot, clBlack)
  TOOLBAR_RULE_PROPERTY(TColor, CaptionTextColorDown, clBlack)
  TOOLBAR_RULE_PROPERTY(TColor, CaptionTextColorChecked, clBlack)
  TOOLBAR_RULE_PROPERTY(TGradientDirection, GradientDirection, TGradientDirection::gdVertical)
  TOOLBAR_PLAIN_PROPERTY(TGradientDirection, GradientDirectionHot, TGradientDirection::gdVertical)
  TOOLBAR_PLAIN_PROPERTY(TGradientDirection, GradientDirectionDown, TGradientDirection::gdVertical)
  TOOLBAR_PLAIN_PROPERTY(TGradientDirection, GradientDirectionChecked, TGradientDirection::gdVertical)
  TOOLBAR_RULE_PROPERTY(TColor, BorderColor, clNone)
  TOOLBAR_PLAIN_PROPERTY(TColor, BorderDownColor, 0x6A240A)
  TOOLBAR_PLAIN_PROPERTY(TColor, BorderHotColor, 0x6A240A)
  TOOLBAR_RULE_PROPERTY(TColor, BorderCheckedColor, 0x6A240A)

 private:
  TOwned<TFont> FCaptionFont;
  bool FSystemFont = true;
};

}  // namespace AdvToolBar

// A two-colour gradient fill. Every setter stores and notifies, also when
// the value is unchanged.
class TGradientBackground : public TPersistent {
  VANTREL_CLASS(TGradientBackground)
 public:
  TGradientBackground();
  // From another gradient: the four values, without notification. Any
  // other source is ignored.
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

 protected:
  void Changed();

  TOOLBAR_ALWAYS_PROPERTY(TColor, Color, clWhite)
  TOOLBAR_ALWAYS_PROPERTY(TColor, ColorTo, clBtnFace)
  TOOLBAR_ALWAYS_PROPERTY(AdvToolBar::TGradientDirection, Direction, AdvToolBar::TGradientDirection::gdHorizontal)
  TOOLBAR_ALWAYS_PROPERTY(int, Steps, 64)
};

// The colours of the mirrored (lower) part of a two-part gradient.
class TMirrorGradient : public TPersistent {
  VANTREL_CLASS(TMirrorGradient)
 public:
  // From another mirror: the four colours, without notification; any other
  // source raises the conversion error.
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

 protected:
  void Changed();

  TOOLBAR_RULE_PROPERTY(TColor, Color, clWhite)
  TOOLBAR_RULE_PROPERTY(TColor, ColorTo, clBtnFace)
  TOOLBAR_RULE_PROPERTY(TColor, ColorMirror, 0xEDD9C8)
  TOOLBAR_RULE_PROPERTY(TColor, ColorMirrorTo, 0xFFF4E3)
};

// A gradient with a mirror part. The mirror's own changes are not passed on.
class TVistaGradientBackground : public TGradientBackground {
  VANTREL_CLASS(TVistaGradientBackground)
 public:
  TVistaGradientBackground();
  // The gradient part; from another TVistaGradientBackground its mirror too.
  void Assign(TPersistent* Source) override;

  TMirrorGradient* Mirror() const { return FMirror; }
  void SetMirror(TMirrorGradient* Value) { FMirror->Assign(Value); }

 private:
  TOwned<TMirrorGradient> FMirror;
};

// The separator line of toolbar containers.
class TContainerAppearance : public TPersistent {
  VANTREL_CLASS(TContainerAppearance)
 public:
  // LineColor, then Line3D, through their setters; any other source raises
  // the conversion error.
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

 protected:
  void Changed();

  TOOLBAR_RULE_PROPERTY(TColor, LineColor, clBtnShadow)
  TOOLBAR_RULE_PROPERTY(bool, Line3D, true)
};

// The caption bar of a toolbar or ribbon group.
class TCaptionAppearance : public TPersistent {
  VANTREL_CLASS(TCaptionAppearance)
 public:
  // Six colours directly, then CaptionColorHotTo and CaptionTextColorHot
  // through their setters; any other source raises the conversion error.
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

 protected:
  void Changed();

  TOOLBAR_RULE_PROPERTY(TColor, CaptionColor, clGray)
  TOOLBAR_RULE_PROPERTY(TColor, CaptionColorTo, clNone)
  TOOLBAR_RULE_PROPERTY(TColor, CaptionTextColor, clWhite)
  TOOLBAR_RULE_PROPERTY(TColor, CaptionBorderColor, clNone)
  TOOLBAR_RULE_PROPERTY(TColor, CaptionColorHot, clNone)
  TOOLBAR_RULE_PROPERTY(TColor, CaptionColorHotTo, clNone)
  TOOLBAR_RULE_PROPERTY(TColor, CaptionTextColorHot, clWhite)
  TOOLBAR_RULE_PROPERTY(TColor, CaptionBorderColorHot, clNone)
};

// A toolbar inside a ribbon group. Changes inside the two gradients are not
// passed on.
class TToolBarAppearance : public TPersistent {
  VANTREL_CLASS(TToolBarAppearance)
 public:
  TToolBarAppearance();
  // The two gradients by Assign, then the border colours, without
  // notification; any other source raises the conversion error.
  void Assign(TPersistent* Source) override;

  TGradientBackground* Color() const { return FColor; }
  void SetColor(TGradientBackground* Value) { FColor->Assign(Value); }
  TGradientBackground* ColorHot() const { return FColorHot; }
  void SetColorHot(TGradientBackground* Value) { FColorHot->Assign(Value); }

  TNotifyEvent OnChange;

 protected:
  void Changed();

  TOOLBAR_RULE_PROPERTY(TColor, BorderColor, clNone)
  TOOLBAR_RULE_PROPERTY(TColor, BorderColorHot, clNone)

 private:
  TOwned<TGradientBackground> FColor;
  TOwned<TGradientBackground> FColorHot;
};

// The quick access toolbar's band and its full-size form below the ribbon.
class TQATAppearance : public TPersistent {
  VANTREL_CLASS(TQATAppearance)
 public:
  // Five colours directly, then FullSizeColorTo through its setter; not
  // Steps. Any other source raises the conversion error.
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

 protected:
  void Changed();

  TOOLBAR_RULE_PROPERTY(TColor, BorderColor, clGray)
  TOOLBAR_RULE_PROPERTY(TColor, Color, clWhite)
  TOOLBAR_RULE_PROPERTY(TColor, ColorTo, clSilver)
  TOOLBAR_RULE_PROPERTY(TColor, FullSizeBorderColor, clGray)
  TOOLBAR_RULE_PROPERTY(TColor, FullSizeColor, 0xC59F81)
  TOOLBAR_RULE_PROPERTY(TColor, FullSizeColorTo, 0xE3B28D)
  TOOLBAR_RULE_PROPERTY(int, Steps, 64)
};

// The ribbon's application button and its hover and selected states.
class TAppColor : public TPersistent {
  VANTREL_CLASS(TAppColor)
 public:
  // Every colour but HoverBorderColor, without notification. Any other
  // source is ignored.
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

 protected:
  virtual void Changed();

  TOOLBAR_RULE_PROPERTY(TColor, AppButtonColor, 0xC67200)
  TOOLBAR_RULE_PROPERTY(TColor, AppButtonHoverColor, 0xFFAC3C)
  TOOLBAR_RULE_PROPERTY(TColor, TextColor, clWhite)
  TOOLBAR_RULE_PROPERTY(TColor, HoverColor, 0xF7E6CD)
  TOOLBAR_RULE_PROPERTY(TColor, HoverTextColor, clBlack)
  TOOLBAR_RULE_PROPERTY(TColor, HoverBorderColor, 0xE7BE7A)
  TOOLBAR_RULE_PROPERTY(TColor, SelectedColor, 0xE7BE7A)
  TOOLBAR_RULE_PROPERTY(TColor, SelectedTextColor, clBlack)
  TOOLBAR_RULE_PROPERTY(TColor, SelectedBorderColor, 0xE7BE7A)
};
