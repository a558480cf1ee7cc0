// Button faces and caption glyphs of the toolbar library: the two-part face
// of toolbar captions, option buttons, pager tabs and page groups; the glow
// face of the page scroll buttons and Vista buttons, with segmented borders
// for buttons that stand in a row; the vertical glow of toolbar buttons; the
// line glyphs of the caption and MDI buttons; and the list filter of a
// group's keyboard walk. Plain routines without state; each makes and frees
// its own GDI+ objects. clNone for a fill or border leaves it out; a
// gradient with a clNone end leaves its fill solid.
#pragma once

#include "base/Controls.h"
#include "ui/controls/buttons/GlowButtonAppearance.h"
#include "ui/controls/buttons/GlowFace.h"

class TDbgList;
class TGPGraphics;

// A face of an upper half (Color to ColorTo, in Gradient) over a lower half
// (ColorMirror to ColorMirrorTo, in GradientMirror), with a square or
// rounded (radius 3) border in BorderColor. When ColorTo and ColorMirror are
// both clNone the face is one solid Color fill starting a pixel left of R
// (its square border two pixels left of R).
void DrawButtonFace(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TColor ColorMirror,
                    TColor ColorMirrorTo, TColor BorderColor, TGDIPGradient Gradient, TGDIPGradient GradientMirror,
                    bool Rounded);

// The glow face: lower half (ColorMirror, ColorMirrorTo), upper half (Color,
// ColorTo), the border piece of Position when WithBorder, and a focus frame
// when Focused. NoFill leaves face and border out.
void DrawGlowButtonFace(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TColor ColorMirror,
                        TColor ColorMirrorTo, TColor BorderColor, TGDIPGradient Gradient,
                        TGDIPGradient GradientMirror, bool Focused, bool NoFill, bool Hot, TButtonPosition Position,
                        bool WithBorder, bool Rounded);
// One half of a glow face: a solid fill of ColorB (upper) or ColorA (lower)
// over the area at R's top-left corner that is R.right wide and R.bottom
// high (the callers' rectangles start at their control's origin), then,
// when neither colour is clNone, the gradient of Kind from ColorB to ColorA
// (radial: a glow from the middle of the outer edge).
void DrawGlowFaceHalf(TGPGraphics* Graphics, const TRect& R, TColor ColorB, TColor ColorA, TGDIPGradient Kind,
                      bool IsUpper);
// The upper glow half from ColorFrom at the top to ColorTo at the bottom, on
// Graphics or else on an anti-aliased graphics of the canvas.
void DrawVerticalGradientGdip(TGPGraphics* Graphics, TCanvas* Canvas, TColor ColorFrom, TColor ColorTo,
                              const TRect& R);

// Each channel of the resolved colour scaled by 100 + Percent (capped at
// 100) percent; a zero channel becomes max(Percent, 0).
TColor ScaleColorChannels(TColor Color, int Percent);

// Border pieces of the glow face, 1-pixel pens.
void DrawSolidRoundRect(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius);
void DrawDottedRoundRect(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius);
void DrawGlowBorderLeft(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius);
void DrawGlowBorderMiddle(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius, bool Hot);
void DrawGlowBorderRight(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius, bool Hot);

// Line glyphs drawn with the canvas pen in Color (lines leave their end
// point out): a cross of PenWidth, the restore and maximize windows and the
// minimize bar.
void DrawCloseGlyph(TCanvas* Canvas, const TRect& R, TColor Color, int PenWidth);
void DrawRestoreGlyph(TCanvas* Canvas, const TRect& R, TColor Color);
void DrawMaximizeGlyph(TCanvas* Canvas, const TRect& R, TColor Color);
void DrawMinimizeGlyph(TCanvas* Canvas, const TRect& R, TColor Color);

// Removes from a list of controls, keeping the order of the rest, hint
// windows, toolbar containers and windowed controls that cannot take the
// focus (nothing for nullptr).
void RemoveNonFocusable(TDbgList* List);
