// The glass button's drawing: the outline paths (rounded rectangle, the
// one-side-curved shape, their upper halves, the glow ellipse), the
// background symbols and the content (focus outline, caption, picture).
// Everything goes through GDI+ with anti-aliased smoothing; the caption
// falls back to GDI text.
#pragma once

#include "ui/controls/buttons/GlowFace.h"

enum class TBackGroundSymbol {
  bsArrowLeft, bsArrowRight, bsArrowUp, bsArrowDown, bsPlay, bsPause, bsStop, bsFastForward, bsForward,
  bsBackward, bsFastBackward, bsSpeaker, bsNoSpeaker, bsNone, bsRecord, bsCustom
};
enum class TButtonShape { btsRectangle, btsCurvedRectangle };
enum class TButtonDirection { bdLeft, bdRight };

namespace GlassButton {

// Colour value's low three bytes (red first) with an alpha, unresolved.
ARGB AlphaColor(TColor Color, BYTE Alpha);

// New paths (the caller frees them); rectangles are (x, y, width, height).
TGPGraphicsPath* CreateRoundRectPath(const TGPRect& R, int Radius);
TGPGraphicsPath* CreateTopRoundRectPath(const TGPRect& R, int Radius);
TGPGraphicsPath* CreateCurvedRectPath(const TGPRect& R, TButtonDirection Direction);
// D is the shine's height (R.Height).
TGPGraphicsPath* CreateCurvedShinePath(const TGPRect& R, TButtonDirection Direction);
// An ellipse whose centre lies on the middle of the bottom edge; edges, not
// a width and height.
TGPGraphicsPath* CreateGlowPath(int Left, int Top, int Right, int Bottom);
void DrawRoundRect(TGPGraphics* Graphics, const TGPRect& R, int Radius, TColor Color);
void DrawCurvedRect(TGPGraphics* Graphics, const TGPRect& R, TButtonDirection Direction, TColor Color);

// One background symbol (not bsNone, not bsCustom) for a client area of
// W x H, in Color at alpha 160.
void DrawBackgroundSymbol(TGPGraphics* Graphics, TBackGroundSymbol Symbol, int W, int H, TColor Color);

// Focus outline, caption and picture on the client rectangle Rect.
void DrawGlassButtonContent(TCanvas* Canvas, const TRect& Rect, const String& Caption, bool ShowCaption,
                            TFont* Font, TButtonLayout Layout, bool Enabled, bool Focused, TGDIPPicture* Picture,
                            TAntiAlias AntiAlias, int CornerRadius, TButtonShape ButtonShape,
                            TButtonDirection ButtonDirection);

}  // namespace GlassButton
