// PaintGlowFace: draws a glow button's whole face (the two-tone background,
// the border of its place in a group, the focus cue, the drop-down part,
// glyph, caption and notes) and reports the size that glyph and caption
// need. It knows nothing of the button's states: the caller turns them into
// the colours and flags of one parameter record.
#pragma once

#include "base/Controls.h"
#include "ui/controls/buttons/GlowButtonAppearance.h"
#include "ui/controls/buttons/GlowButtonHelpers.h"
#include "ui/draw/GdiPlus.h"

class TCustomImageList;
class TGDIPPicture;
class TStrings;

enum class TButtonLayout {
  blGlyphLeft, blGlyphTop, blGlyphRight, blGlyphBottom, blGlyphLeftAdjusted, blGlyphRightAdjusted,
  blGlyphTopAdjusted, blGlyphBottomAdjusted
};
enum class TDropDownPosition { dpRight, dpBottom };
enum class TButtonPosition { bpStandalone, bpLeft, bpMiddle, bpRight };

struct TGlowFaceParams {
  // The button: its parent chain (accelerator cues, quick access toolbar)
  // and its size constraints.
  TControl* Control = nullptr;
  TCanvas* Canvas = nullptr;
  // The face: the button's client rectangle.
  TRect R;
  // The upper and lower colour pairs, the border and the focus outline.
  TColor Color = clNone, ColorTo = clNone, ColorMirror = clNone, ColorMirrorTo = clNone;
  TColor BorderColor = clNone;
  TColor BorderColorFocused = clNone;
  TGDIPGradient Gradient = TGDIPGradient::ggVertical;
  TGDIPGradient GradientMirror = TGDIPGradient::ggVertical;
  // WideCaption is drawn only when Caption is empty.
  String Caption;
  String WideCaption;
  bool DefaultCaptionDrawing = true;
  TFont* Font = nullptr;
  TCustomImageList* Images = nullptr;
  TCustomImageList* DisabledImages = nullptr;
  int ImageIndex = -1;
  bool ImageEnabled = true;
  TButtonLayout Layout = TButtonLayout::blGlyphLeft;
  bool DropDownButton = false;
  // The hot or the down colour set was chosen.
  bool HotOrDown = false;
  bool Enabled = true;
  bool FocusBorder = false;
  TDropDownPosition DropDownPosition = TDropDownPosition::dpRight;
  TGDIPPicture* Picture = nullptr;
  TIcon* Icon = nullptr;
  // Replaces the glyph's own size when both are above 0.
  TSize ForcedGlyphSize;
  TAntiAlias AntiAlias = TAntiAlias::aaClearType;
  bool DefaultPicDrawing = true;
  TBitmap* GlyphBitmap = nullptr;
  // 0: no drop-down part under the mouse or pressed; 1 the arrow part; 2
  // the button part.
  int HotPart = 0;
  // Leave background and border out.
  bool NoFace = false;
  bool MouseEnter = false;
  TButtonPosition Position = TButtonPosition::bpStandalone;
  bool DropDownSplit = true;
  bool Bordered = true;
  bool OverlappedText = false;
  bool WordWrap = true;
  // The measuring pass draws background, border and focus, but no glyph,
  // text, split line or arrow.
  bool Measuring = false;
  bool Rounded = true;
  TDropDownDirection DropDownDirection = TDropDownDirection::ddDown;
  int Spacing = 2;
  StringTrimming Trimming = StringTrimmingNone;
  TStrings* Notes = nullptr;
  TFont* NotesFont = nullptr;
  bool DownChecked = false;
  bool DroppedDown = false;
  bool TransparentHover = false;
  bool IsOnGlassQAT = false;
  int MarginHorz = 1;
  int MarginVert = 1;
  bool NoBorderDefault = false;
  bool AlwaysShowAccel = false;
};

// What the caption and glyph step worked out; Size is what glyph and
// caption need.
struct TGlowFaceResult {
  TSize Size;
  TPoint GlyphPos;
  TSize GlyphSize;
};

void PaintGlowFace(const TGlowFaceParams& P, TGlowFaceResult& Result);
