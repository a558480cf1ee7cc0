// The colour sets of the Office menu styles, as data. A value of kKeep is
// one the style leaves as it finds it.
#pragma once

#include "ui/controls/menus/AdvMenuOfficeStyler.h"

constexpr TColor kKeep = clDefault;

struct TOfficeMenuColors {
  TColor Background, BackgroundTo, MenuBorder;
  TColor Root, RootTo;
  int RootGradient;  // -1: kept, else a TGradientDirection
  TColor RootSelected, RootSelectedTo, RootSelectedMirror, RootSelectedMirrorTo, RootSelectedBorder,
      RootSelectedText;
  TColor RootHover, RootHoverTo, RootHoverMirror, RootHoverMirrorTo, RootHoverBorder, RootHoverText,
      RootFontColor;
  TColor Selected, SelectedTo, SelectedMirror, SelectedMirrorTo, SelectedBorder;
  TColor SelectedCheck, SelectedCheckTo, SelectedRadio, SelectedRadioTo, SelectedCheckBorder, SelectedRadioBorder;
  TColor Icon, IconTo, IconCheck, IconCheckTo, IconCheckBorder, IconRadio, IconRadioTo, IconRadioBorder,
      IconSeparator;
  TColor Separator, SeparatorTo;
  TColor ButtonDown, ButtonDownTo, ButtonHover, ButtonHoverTo, ButtonDownBorder, ButtonHoverBorder;
};

// The set of a style; nullptr for osCustom.
const TOfficeMenuColors* OfficeMenuColors(TOfficeStyle Style);
