// The ribbon side of a toolbar styler: tab colours per tab state, the
// mirrored two-part backgrounds of ribbon pages and of the pager caption,
// and the appearance of ribbon groups and tab groups, which owns a caption,
// a page, a tab and a toolbar appearance of its own.
#pragma once

#include "ui/controls/buttons/GlowButtonAppearance.h"
#include "ui/toolbar/stylers/ToolBarAppearances.h"

// The colours of a ribbon tab per state (normal, hot, selected, disabled):
// a two-part gradient of Color/ColorTo and ColorMirror/ColorMirrorTo, with
// border, text, shadow and highlight colours and a background gradient.
class TCustomTabAppearance : public TPersistent {
  VANTREL_CLASS(TCustomTabAppearance)
 public:
  // The font is the system's at 8 pt, 9 pt once the toolbar library has
  // measured a screen above 96 pixels per inch; its style is empty.
  TCustomTabAppearance();
  // From another tab appearance: every colour and gradient directly, the
  // font by Assign, TextColor and TextColorHot through their setters, then
  // the background by Assign (not SystemFont). Any other source is ignored.
  void Assign(TPersistent* Source) override;
  // Every colour becomes clNone, without notification; gradients, font and
  // background stay.
  void ClearColors();

  TFont* Font() const { return FFont; }
  // Copies into the owned font; never notifies.
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool SystemFont() const { return FSystemFont; }
  // Turning it on resets the font to the system's; never notifies.
  void SetSystemFont(bool Value);
  // Its changes notify this appearance's handler.
  TGradientBackground* BackGround() const { return FBackGround; }
  // Copies into the owned gradient without notifying.
  void SetBackGround(TGradientBackground* Value) { FBackGround->Assign(Value); }

  TNotifyEvent OnChange;

 protected:
  void Changed();

  TOOLBAR_RULE_PROPERTY(TColor, BorderColor, clBtnFace)
  TOOLBAR_PLAIN_PROPERTY(TColor, BorderColorHot, clBlue)
  TOOLBAR_RULE_PROPERTY(TColor, BorderColorSelected, clBtnFace)
  TOOLBAR_RULE_PROPERTY(TColor, BorderColorSelectedHot, clNone)
  TOOLBAR_RULE_PROPERTY(TColor, BorderColorDisabled, clNone)
  TOOLBAR_RULE_PROPERTY(TColor, BorderColorDown, clNone)
  TOOLBAR_RULE_PROPERTY(TColor, Color, clBtnFace)
  TOOLBAR_RULE_PROPERTY(TColor, ColorTo, clWhite)
  TOOLBAR_RULE_PROPERTY(TColor, ColorSelected, clWhite)
  TOOLBAR_RULE_PROPERTY(TColor, ColorSelectedTo, clBtnFace)
  TOOLBAR_RULE_PROPERTY(TColor, ColorDisabled, clNone)
  TOOLBAR_RULE_PROPERTY(TColor, ColorDisabledTo, clNone)
  TOOLBAR_RULE_PROPERTY(TColor, ColorHot, clYellow)
  TOOLBAR_RULE_PROPERTY(TColor, ColorHotTo, clNone)
  TOOLBAR_RULE_PROPERTY(TColor, ColorMirror, clWhite)
  TOOLBAR_RULE_PROPERTY(TColor, ColorMirrorTo, clWhite)
  TOOLBAR_RULE_PROPERTY(TColor, ColorMirrorHot, clNone)
  TOOLBAR_RULE_PROPERTY(TColor, ColorMirrorHotTo, clNone)
  TOOLBAR_RULE_PROPERTY(TColor, ColorMirrorSelected, clWhite)
  TOOLBAR_RULE_PROPERTY(TColor, ColorMirrorSelectedTo, clWhite)
  TOOLBAR_RULE_PROPERTY(TColor, ColorMirrorDisabled, clNone)
  TOOLBAR_RULE_PROPERTY(TColor, ColorMirrorDisabledTo, clNone)
  TOOLBAR_RULE_PROPERTY(TGDIPGradient, Gradient, TGDIPGradient::ggVertical)
  TOOLBAR_RULE_PROPERTY(TGDIPGradient, GradientMirror, TGDIPGradient::ggVertical)
  TOOLBAR_RULE_PROPERTY(TGDIPGradient, GradientHot, TGDIPGradient::ggVertical)
  TOOLBAR_RULE_PROPERTY(TGDIPGradient, GradientMirrorHot, TGDIPGradient::ggVertical)
  TOOLBAR_RULE_PROPERTY(TGDIPGradient, GradientSelected, TGDIPGradient::ggVertical)
  TOOLBAR_RULE_PROPERTY(TGDIPGradient, GradientMirrorSelected, TGDIPGradient::ggVertical)
  TOOLBAR_RULE_PROPERTY(TGDIPGradient, GradientDisabled, TGDIPGradient::ggVertical)
  TOOLBAR_RULE_PROPERTY(TGDIPGradient, GradientMirrorDisabled, TGDIPGradient::ggVertical)
  TOOLBAR_RULE_PROPERTY(TColor, TextColor, clBlue)
  TOOLBAR_RULE_PROPERTY(TColor, TextColorHot, clBlue)
  TOOLBAR_RULE_PROPERTY(TColor, TextColorSelected, clBlue)
  TOOLBAR_RULE_PROPERTY(TColor, TextColorDisabled, clWhite)
  TOOLBAR_PLAIN_PROPERTY(TColor, ShadowColor, 0xE8C7AE)
  TOOLBAR_PLAIN_PROPERTY(TColor, HighLightColor, 0xFFFABF)
  TOOLBAR_PLAIN_PROPERTY(TColor, HighLightColorHot, 0xFDF4ED)
  TOOLBAR_PLAIN_PROPERTY(TColor, HighLightColorSelected, 0x63CCF8)
  TOOLBAR_PLAIN_PROPERTY(TColor, HighLightColorSelectedHot, 0xBDFFFF)
  TOOLBAR_PLAIN_PROPERTY(TColor, HighLightColorDown, 0xFFFBD0)

 private:
  TOwned<TFont> FFont;
  TOwned<TGradientBackground> FBackGround;
  bool FSystemFont = true;
};

// The published tab appearance of a styler.
class TTabAppearance : public TCustomTabAppearance {
  VANTREL_CLASS(TTabAppearance)
 public:
  using TCustomTabAppearance::TCustomTabAppearance;
};

namespace AdvToolBar {

// A mirrored two-part background: Color/ColorTo above, ColorMirror/
// ColorMirrorTo below, in a border.
class TVistaBackground : public TPersistent {
  VANTREL_CLASS(TVistaBackground)
 public:
  // Steps, the colours, shadow and highlight directly, then the two
  // gradients through their setters; any other source raises the conversion
  // error.
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

 protected:
  void Changed();

  // Published by the page background only.
  TColor FShadowColor = 0xC4AA96;
  TColor FHighLightColor = 0xFDF9CE;

  TOOLBAR_RULE_PROPERTY(TColor, BorderColor, clGray)
  TOOLBAR_RULE_PROPERTY(TColor, Color, clWhite)
  TOOLBAR_RULE_PROPERTY(TColor, ColorTo, clWhite)
  TOOLBAR_RULE_PROPERTY(TColor, ColorMirror, clSilver)
  TOOLBAR_RULE_PROPERTY(TColor, ColorMirrorTo, clWhite)
  TOOLBAR_RULE_PROPERTY(TGDIPGradient, Gradient, TGDIPGradient::ggVertical)
  TOOLBAR_RULE_PROPERTY(TGDIPGradient, GradientMirror, TGDIPGradient::ggVertical)
  TOOLBAR_RULE_PROPERTY(int, Steps, 64)
};

}  // namespace AdvToolBar

// The background of a ribbon page, with its bottom shadow line and inner
// highlight lines.
class TVistaPageBackground : public AdvToolBar::TVistaBackground {
  VANTREL_CLASS(TVistaPageBackground)
 public:
  // Both are plain stores that never notify.
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor Value) { FShadowColor = Value; }
  TColor HighLightColor() const { return FHighLightColor; }
  void SetHighLightColor(TColor Value) { FHighLightColor = Value; }
};

// The pager's caption bar: the background with two text colours and a font.
class TVistaTextBackground : public AdvToolBar::TVistaBackground {
  VANTREL_CLASS(TVistaTextBackground)
 public:
  // The system's font at 8 pt, empty style.
  TVistaTextBackground();
  // The background part (refusing anything that is not one); from another
  // caption bar, the text colours through their setters and the font.
  void Assign(TPersistent* Source) override;

  TFont* Font() const { return FFont; }
  // Copies into the owned font; never notifies.
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool SystemFont() const { return FSystemFont; }
  void SetSystemFont(bool Value);

  TOOLBAR_RULE_PROPERTY(TColor, TextColor, clBlue)
  // The colour of a caption's first part, before " - ".
  TOOLBAR_RULE_PROPERTY(TColor, TextColorExtended, clGray)

 private:
  TOwned<TFont> FFont;
  bool FSystemFont = true;
};

// A ribbon group or tab group. A change in its caption, page, tab or toolbar
// appearance notifies the group's own handler (changes inside the toolbar
// appearance's gradients do not).
class TGroupAppearance : public TPersistent {
  VANTREL_CLASS(TGroupAppearance)
 public:
  TGroupAppearance();
  // Background directly, the four nested appearances by Assign, Steps and
  // the colours directly, the font by Assign, the two gradients through
  // their setters (not SystemFont). Any other source raises the conversion
  // error.
  void Assign(TPersistent* Source) override;

  TFont* Font() const { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool SystemFont() const { return FSystemFont; }
  void SetSystemFont(bool Value);
  TCaptionAppearance* CaptionAppearance() const { return FCaptionAppearance; }
  void SetCaptionAppearance(TCaptionAppearance* Value) { FCaptionAppearance->Assign(Value); }
  TVistaPageBackground* PageAppearance() const { return FPageAppearance; }
  void SetPageAppearance(TVistaPageBackground* Value) { FPageAppearance->Assign(Value); }
  TCustomTabAppearance* TabAppearance() const { return FTabAppearance; }
  void SetTabAppearance(TCustomTabAppearance* Value) { FTabAppearance->Assign(Value); }
  TToolBarAppearance* ToolBarAppearance() const { return FToolBarAppearance; }
  void SetToolBarAppearance(TToolBarAppearance* Value) { FToolBarAppearance->Assign(Value); }
  // Not published: kept for painting.
  int Steps() const { return FSteps; }
  void SetSteps(int Value) { FSteps = Value; }

  TNotifyEvent OnChange;

 protected:
  void Changed();

  TOOLBAR_RULE_PROPERTY(TColor, Background, clInfoBk)
  TOOLBAR_RULE_PROPERTY(TColor, BorderColor, 0xA3B8AC)
  TOOLBAR_RULE_PROPERTY(TColor, Color, clWhite)
  TOOLBAR_RULE_PROPERTY(TColor, ColorTo, clWhite)
  TOOLBAR_RULE_PROPERTY(TColor, ColorMirror, clSilver)
  TOOLBAR_RULE_PROPERTY(TColor, ColorMirrorTo, clWhite)
  TOOLBAR_RULE_PROPERTY(TGDIPGradient, Gradient, TGDIPGradient::ggVertical)
  TOOLBAR_RULE_PROPERTY(TGDIPGradient, GradientMirror, TGDIPGradient::ggVertical)
  TOOLBAR_RULE_PROPERTY(TColor, TextColor, clBlue)

 private:
  TOwned<TFont> FFont;
  TOwned<TCaptionAppearance> FCaptionAppearance;
  TOwned<TVistaPageBackground> FPageAppearance;
  TOwned<TCustomTabAppearance> FTabAppearance;
  TOwned<TToolBarAppearance> FToolBarAppearance;
  bool FSystemFont = true;
  int FSteps = 64;
};
