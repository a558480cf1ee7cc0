// The surfaces of the styled menus: two-colour linear gradients drawn line
// by line (and the part of a larger gradient that falls in a clip), framed
// boxes, bands with fading ends, the background picture in its ten
// positions, and the side bar's rotated caption, border and splitter.
// Colours are resolved before they are interpolated; clNone means none where
// a routine says so.
#pragma once

#include "ui/controls/menus/AdvMenuStylers.h"

class IAdvMenu;

// Row by row (gdVertical) or column by column (gdHorizontal) from From to
// To; ToColor clNone or equal colours give one solid fill.
void DrawGradientRect(TCanvas* Canvas, const TRect& R, TColor From, TColor To, TGradientDirection Direction);
// The part inside Clip of the gradient defined over Full.
void DrawGradientPart(TCanvas* Canvas, const TRect& Full, const TRect& Clip, TColor Color, TColor ColorTo,
                      TGradientDirection Direction);
// A gradient (when Fill and Color is a colour) framed in Border (unless
// clNone).
void DrawGradientBox(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TGradientDirection Direction,
                     TColor Border, bool Fill);
// As DrawGradientBox; with a Mirror colour the lower half (the larger one
// for an odd height) runs from Mirror to MirrorTo.
void DrawMirrorGradientBox(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TColor Mirror,
                           TColor MirrorTo, TGradientDirection Direction, TColor Border, bool Fill);
// A band shortened by Margin at both ends, solid in the middle and fading
// over GradientWidth at the ends that Type names.
void DrawGradientBand(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, TGradientDirection Direction,
                      TGradientType Type, int GradientWidth, int Margin);
// Composes the background (gradient and picture) in its work bitmap at R's
// size less the margins, then draws that at R's corner.
void DrawBackgroundPicture(TCanvas* Canvas, TRect R, TBackground* Background, bool WithGradient);

// The side bar of the menu's current styler in the side-bar rectangle S.
void DrawSideBarCaption(IAdvMenu* Menu, TCanvas* Canvas, const TRect& S);
void DrawSideBarBorder(IAdvMenu* Menu, TCanvas* Canvas, TRect S);
void DrawSideBarSplitter(IAdvMenu* Menu, TCanvas* Canvas, const TRect& S);
