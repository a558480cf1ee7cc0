// The glow button's drawing helpers: colour arithmetic, the outlines of the
// button positions, the focus cue, drop-down arrows, pictures and image-list
// glyphs through GDI+, a stepped gradient and the accelerator-cue test. Plain
// routines without state; each makes and frees its own GDI+ objects. They
// live in the namespace GlowButton (the toolbar library has colour routines
// of the same names with other rules).
#pragma once

#include "base/Controls.h"

class TGPGraphics;
class TGPPen;
class TGDIPPicture;
class TCustomImageList;
class TChangeLink;

enum class TDropDownDirection { ddDown, ddRight, ddUp };

namespace GlowButton {

// Shared by every glow button of the program:
// the glow animation's timer interval in ms (20 at start; 0 or less: no
// glow timer is ever made); SetColorTones and the ribbon pager set it.
int GetGlowInterval();
void SetGlowInterval(int Value);
// The split line of drop-down parts shows also while not hot; the
// DrawSplitLineAlways setter of any button writes it.
bool GetDrawSplitLineAlways();
void SetDrawSplitLineAlways(bool Value);
// Both back to their start values (tests).
void ResetGlowButtonGlobals();

// Whether Ch is the accelerator of Text (the letter after a single "&",
// either case).
bool IsAccel(wchar_t Ch, const String& Text);
// Field leaves its old list (change link and removal notice for Client
// dropped) and takes Value with both.
void ReplaceImageList(TComponent* Client, TCustomImageList*& Field, TChangeLink* Link, TCustomImageList* Value);

// Each channel c of the resolved colour with its percentage p: 0 becomes
// max(p, 0), any other Round(c * min(100 + p, 100) / 100).
TColor AdjustColorChannels(TColor Color, int PercentRed, int PercentGreen, int PercentBlue);
TColor AdjustColor(TColor Color, int Percent);
// P of C1 over C2: C1 at 100 or more, C2 at 0 or less (both as given);
// otherwise a clNone side gives the other colour, else the resolved channels
// mixed, rounded and capped at 255.
TColor BlendColor(TColor C1, TColor C2, int Percent);
// DT_HIDEPREFIX while the top-most parent's window hides accelerator cues.
UINT GetHidePrefixFlag(TControl* Control);
// The toolbar library's shared DPI factor.
float GetDPIFactor();
// The width of a glow button's drop-down part for pressing and sizing:
// 14 pixels at the DPI factor.
int DropDownPartWidth();

// Steps bands (0 counts as 1) from FromColor to ToColor over R, overlapping
// by one pixel, left to right when Horizontal, else top to bottom.
void DrawStepGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect& R, bool Horizontal);

// The closed outline of a rectangle with quarter-ellipse corners of radius
// r (top edge, right, bottom, left, each followed by its corner) stroked
// with Pen.
void StrokeRoundedPath(TGPGraphics* Graphics, TGPPen* Pen, float X, float Y, float W, float H, float r);
// Outlines with a 1-pixel pen; Radius 0 gives square corners.
void DrawRoundedOutline(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius);
void DrawFocusDots(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius);
void DrawLeftButtonBorder(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius);
void DrawMiddleButtonBorder(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius,
                            bool HotOrChecked);
void DrawRightButtonBorder(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius,
                           bool HotOrChecked);

// An arrow of canvas lines (at the factor 1.0 the down arrow is rows of 5,
// 3 and 1 pixels starting at P).
void DrawDropDownArrow(TCanvas* Canvas, TPoint P, TColor Color, TDropDownDirection Direction);
// A downward arrow through GDI+ at alpha 200 (the colour's bytes as stored).
void DrawGlassDropDownArrow(TCanvas* Canvas, TPoint P, TColor Color);

// The picture stretched into R (BMP pictures through the canvas with the
// bottom-left pixel transparent).
void DrawPictureInRect(TGPGraphics* Graphics, TCanvas* Canvas, const TRect& R, TGDIPPicture* Picture);
// The picture at its own size at P, cut (never scaled) to MaxWidth x
// MaxHeight; a BMP's bottom-left pixel is transparent.
void DrawPictureAt(TGPGraphics* Graphics, TPoint P, TGDIPPicture* Picture, int MaxWidth, int MaxHeight);
// A when 0 < A < B, else B.
int ClampSize(int A, int B);
// Image Index of the list at its own size at P through GDI+ (with alpha);
// greyed by saturation when not Enabled.
void DrawImageListGlyph(TGPGraphics* Graphics, TPoint P, TCustomImageList* Images, bool Enabled, int Index);
// Image Index greyed by the system's saturation effect; its mask keeps
// what lies under the transparent part.
void DrawImageListSaturated(HDC DC, TCustomImageList* Images, int Index, int X, int Y);

}  // namespace GlowButton

namespace GlowButton {
// What the parent shows under Control, painted into DC with Control's
// origin at (0, 0): the parent's erase and, for a parent that paints itself,
// its paint (else its graphic children). The DC is given back as it was.
void PaintParentBackground(TControl* Control, HDC DC);
}  // namespace GlowButton

// Paints a windowed control's non-windowed children onto a device context,
// starting at First (nullptr: all).
struct TWinCtrl {
  static void PaintCtrls(TWinControl* Control, HDC DC, TControl* First);
};
