// The toolbar library's painting helpers, shared by dock panels, toolbars,
// their buttons and pop-ups, the pager, its pages, the quick access toolbar
// and the ribbon form: GDI+ alpha fills, outline paths, a stepped GDI
// gradient, a two-band background, glow text on glass, pictures drawn
// through GDI+ with a colour key, and text measured or drawn with GDI+ or
// GDI. They keep no state; each makes and frees its own GDI+ objects.
//
// Colours are TColors; clNone skips the element it colours where a routine
// says so. Vertical gradients have their first colour at the top. Routines
// that take a graphics or a canvas draw on the graphics when given one,
// else on a new anti-aliased graphics of the canvas (freed at the end), and
// do nothing with neither.
//
// Text routines take one text (the callers pick their caption, or the wide
// caption when that is empty). Alignment: taLeftJustify near, taRightJustify
// far, taCenter centred. AntiAlias: aaNone plain GDI, aaClearType and
// aaAntiAlias GDI+ with that text rendering. Disabled text is clGray.
// Bounds receives the measured text rectangle, all zero for no text.
#pragma once

#include "base/Controls.h"
#include "ui/draw/GdiPlus.h"

#include <uxtheme.h>

#include <functional>

class TCustomImageList;
class TGlowButtonAppearance;
class TGraphic;

// ---------------------------------------------------------------------------
// GDI+ alpha fills on a device context: one vertical gradient each.

// Color from AlphaTop to AlphaBottom over (Left, Top) to (Right, Bottom + 1).
void DrawAlphaGradient(HDC DC, const TRect& R, TColor Color, BYTE AlphaTop, BYTE AlphaBottom);
void DrawTwoColorAlphaGradient(HDC DC, const TRect& R, TColor ColorTop, TColor ColorBottom, BYTE AlphaTop,
                               BYTE AlphaBottom);
// Color at alpha 150 to 200, then an opaque outline in BorderColor one pixel
// higher.
void DrawAlphaGradientFrame(HDC DC, const TRect& R, TColor Color, TColor BorderColor);
// Color at alpha 5 to 130 (its bytes taken as they are, system colours not
// resolved).
void DrawAlphaFade(HDC DC, const TRect& R, TColor Color);
// A pale yellow glow, alpha 8 to 128.
void DrawGlowBackground(HDC DC, const TRect& R);
// The gradient over all but the last 40 pixels, then 18 strips of 2 pixels
// each fainter than the one before (the last 4 pixels stay unpainted).
void DrawAlphaGradientFadeRight(HDC DC, const TRect& R, TColor Color, BYTE AlphaTop, BYTE AlphaBottom);

// ---------------------------------------------------------------------------
// Outline paths and lines (GDI+).

// A closed path of the one line (X, Y) to (X + Width, Y + Height).
void DrawPathLine(TGPGraphics* Graphics, TGPPen* Pen, int X, int Y, int Width, int Height);
void DrawArcPath(TGPGraphics* Graphics, TGPPen* Pen, int X, int Y, int Width, int Height, float StartAngle,
                 float SweepAngle, bool Close);
// A rectangle with quarter-ellipse corners of Radius.
void DrawRoundRectPath(TGPGraphics* Graphics, TGPPen* Pen, int X, int Y, int Width, int Height, int Radius);
void DrawRectPath(TGPGraphics* Graphics, TGPPen* Pen, int X, int Y, int Width, int Height);
// DrawRectPath on (R.left, R.top, R.right, R.bottom) taken as position and
// size, with a 1-pixel pen of Color.
void DrawRectGdip(TGPGraphics* Graphics, TCanvas* Canvas, TColor Color, const TRect& R);
// The drop-down arrow of toolbar buttons: strokes of 5, 3 and 1 pixels
// starting at P.
void DrawDownArrowGdip(TGPGraphics* Graphics, TCanvas* Canvas, TColor Color, TPoint P);
void DrawLineGdip(HDC DC, TColor Color, float X, float Y, float DX, float DY);
// The outline of the quick access toolbar's area.
void DrawQATFrame(HDC DC, const TRect& R);

// ---------------------------------------------------------------------------
// GDI helpers on a canvas.

// Count bands (0 counts as 1) from FromColor to ToColor, left to right when
// Horizontal, else top to bottom; the last pixel column (row) is left out
// and the bands overlap by one pixel.
void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Count, const TRect& R, bool Horizontal);
// A 3-pixel etched bar around P1 to P2 in white and the button shadow.
void Draw3DBar(TCanvas* Canvas, TPoint P1, TPoint P2, bool Raised, bool Vertical);
// Text in the canvas font (already turned to read downwards) at P, its
// accelerator underlined.
void DrawVerticalCaption(TCanvas* Canvas, const String& Text, TPoint P);
// (A rectangle centred in another: CenterRect of ui/controls/menus/AdvMenuUtil.h.)
// A top band of TopHeight + 1 pixels and a bottom band, each solid or a
// 40-band gradient; with no bottom colours the top fill takes the whole
// rectangle. A border (rounded by Rounding) unless BorderColor is clNone.
void DrawSplitBackground(TCanvas* Canvas, const TRect& R, int TopHeight, TColor TopColor, TColor TopColorTo,
                         TColor BottomColor, TColor BottomColorTo, TColor BorderColor, int Rounding);

// ---------------------------------------------------------------------------
// Glass text.

// The active caption's text in Color with a glow of GlowSize pixels on a
// composited DC.
void DrawThemeGlowText(HDC DC, const String& Text, int Length, const TRect& R, HTHEME Theme, DWORD Flags,
                       TColor Color = clBlack, int GlowSize = 12);
// Drawing on the glass of Wnd: Draw paints a 32-bit top-down section of R's
// size (its origin at R's top-left) with the composited window theme's
// caption font selected (its height scaled from the screen's pixels per
// inch to the toolbar factor when ScaledFont), which is then copied to
// Target at R. Nothing happens without the composited window theme.
void DrawOnGlass(HWND Wnd, HDC Target, const TRect& R, bool ScaledFont,
                 const std::function<void(HDC Section, HTHEME Theme)>& Draw);
// Text with a glow on the glass of Control's window, through a 32-bit
// off-screen section of TextRect's size (optionally over a yellow glow, a
// white fade and the quick access frame). Draws nothing without the
// composited window theme.
void DrawGlowText(TWinControl* Control, const String& Text, const TRect& TextRect, bool WithQATFrame,
                  const TRect& QATRect, TColor BackColor, bool WithGradient);

// ---------------------------------------------------------------------------
// Pictures through GDI+.

// Graphic at P in its own size; with ColorKey, a picture that is not PNG
// has its top-left pixel's colour transparent. Raises "Could not allocate
// memory for image" when no memory can be had for it.
void DrawGraphicGdip(TGPGraphics* Graphics, TCanvas* Canvas, TPoint P, TGraphic* Graphic, bool ColorKey);
// Image ImageIndex of the list at P, its bottom-left pixel's colour
// transparent; nothing for no list or a negative index.
void DrawImageListGdip(TGPGraphics* Graphics, TCanvas* Canvas, TPoint P, TCustomImageList* ImageList,
                       int ImageIndex, bool Enabled);

// ---------------------------------------------------------------------------
// Text.

// The canvas font is a vector font of the screen's font list.
bool IsScalableScreenFont(TCanvas* Canvas);
// Single-line text cut to fit R: with GDI+ (AntiAlias set and a scalable
// font) the text loses characters from its end until it fits, followed by
// "..." when Ellipsis; with GDI it is drawn by DrawText with Format.
void DrawTextEllipsis(TCanvas* Canvas, TAlignment Alignment, UINT Format, const TRect& R, const String& Text,
                      TFont* Font, bool Enabled, bool Draw, TAntiAlias AntiAlias, bool Ellipsis, bool WordWrap,
                      TRect& Bounds);
// Word-wrapped text, vertically centred in R, measured and optionally
// drawn: on glass through a bitmap with a colour key (GlassBitmap) or as a
// path over a pale halo.
void DrawTextGdip(TCanvas* Canvas, TAlignment Alignment, const TRect& R, const String& Text, TFont* Font,
                  bool Enabled, bool Draw, TAntiAlias AntiAlias, bool GlassBitmap, TColor GlassBackColor, bool Glass,
                  TRect& Bounds);
// The same on a device context, always drawn by GDI+; on glass a bold path
// over a darker halo of GlowColor.
void DrawTextGdipDC(HDC DC, TAlignment Alignment, const TRect& R, const String& Text, TFont* Font, bool Enabled,
                    bool Draw, TAntiAlias AntiAlias, TColor GlowColor, bool Glass, TRect& Bounds);
// The width DrawTextGdipDC measures in a 1000 x 100 box; 0 for no text.
int GetTextWidthGdip(TCanvas* Canvas, const String& Text, TFont* Font, TAntiAlias AntiAlias);

// ---------------------------------------------------------------------------
// Appearances.

// Every fill and border colour of the normal, hot, down and disabled states
// back to clNone (nothing for nullptr).
void ClearGlowButtonAppearance(TGlowButtonAppearance* Appearance);
