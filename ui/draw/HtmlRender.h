// The HTML-subset engine: lays out, measures, draws and hit-tests markup in
// a rectangle of a canvas. One call keeps no state of its own; the status
// bar, the list view and the labels all draw their markup through it.
//
//   THtmlRenderParams p;                // defaults: no point, no focus or
//   p.Canvas = Canvas;                  // hover, word wrap on, blue links
//   p.HTML = L"<b>SMS:</b> 3";
//   p.R = ClientRect();
//   THtmlRenderResult r;
//   RenderHtml(p, r);                   // r.XSize, r.YSize, r.AnchorVal...
#pragma once

#include <memory>

#include "base/BiDi.h"
#include "base/Graphics.h"

class TCustomImageList;
class THtmlLayoutCache;
class THTMLPictureCache;
class TPictureContainer;

struct THtmlRenderParams {
  // Where text is measured and drawn. Its font is the base font; its brush
  // colour is the blink colour and the colour that clears animated pictures.
  TCanvas* Canvas = nullptr;
  String HTML;
  TRect R;
  // Source of "IDX:" images; may be none.
  TCustomImageList* Images = nullptr;
  // The point to test.
  int X = 0;
  int Y = 0;
  // The anchor that gets a focus rectangle, counted from 0; -1 for none.
  int FocusLink = -1;
  // The hovered anchor, counted from 1 (as MouseLink returns it); -1 none.
  int HoverLink = -1;
  int ShadowOffset = 1;
  // Second pass without drawing: hit tests only.
  bool CheckOnly = false;
  // Measure only: no second pass, every line measured, no hit result.
  bool CheckHeight = false;
  // Image-list images and system icons drawn scaled by ResFactor.
  bool Print = false;
  // The markup's own colours are not applied (link colour, FONT COLOR and
  // BGCOLOR, P BGCOLOR, BODY).
  bool IgnoreColors = false;
  // Blink phase: false draws BLINK text in the canvas brush colour.
  bool Blink = true;
  // Anchors are underlined and take the hover colours only while hovered;
  // false: always.
  bool Hover = false;
  // Break lines at blanks; false: one line per line break, cut with an end
  // ellipsis.
  bool WordWrap = true;
  double ResFactor = 1.0;
  TColor URLColor = clBlue;
  TColor HoverColor = clNone;
  TColor HoverFontColor = clNone;
  TColor ShadowColor = clGray;
  THTMLPictureCache* PictureCache = nullptr;
  TPictureContainer* PictureContainer = nullptr;
  int LineSpacing = 0;
  TBiDiMode BiDiMode = TBiDiMode::bdLeftToRight;
  TColor SelectionColor = clHighlight;
  TColor SelectionFontColor = clHighlightText;
  TFontStyles SelectionFontStyle;
  // Where layouts of this markup are kept for the next call (see
  // THtmlLayoutCache); none: every call lays the markup out anew.
  THtmlLayoutCache* Cache = nullptr;
};

struct THtmlRenderResult {
  // The HREF of the anchor under the point; written only when one is found,
  // so callers preset it.
  String AnchorVal;
  // The text of every run processed (hidden runs included), a carriage
  // return for every line break.
  String StrippedText;
  // The TITLE of the anchor under the point, or the HREF of the focused
  // anchor while drawing.
  String FocusAnchor;
  // Width of the widest line plus 2, total height of the lines.
  int XSize = 0;
  int YSize = 0;
  int HyperLinks = 0;
  // The anchor under the point, from 1; -1 for none.
  int MouseLink = -1;
  // Rectangle of the anchor under the point; written only when one is
  // found.
  TRect HoverRect;
};

// True when the point lies on an anchor (with CheckOnly for text anchors).
bool RenderHtml(const THtmlRenderParams& Params, THtmlRenderResult& Result);

// The engine's call with its parameters one by one.
bool RenderHtml(TCanvas* Canvas, const String& HTML, const TRect& R, TCustomImageList* Images, int X, int Y,
                int FocusLink, int HoverLink, int ShadowOffset, bool CheckOnly, bool CheckHeight, bool Print,
                bool IgnoreColors, bool Blink, bool Hover, bool WordWrap, double ResFactor, TColor URLColor,
                TColor HoverColor, TColor HoverFontColor, TColor ShadowColor, String& AnchorVal,
                String& StrippedText, String& FocusAnchor, int& XSize, int& YSize, int& HyperLinks, int& MouseLink,
                TRect& HoverRect, THTMLPictureCache* PictureCache, TPictureContainer* PictureContainer,
                int LineSpacing, TBiDiMode BiDiMode, TColor SelectionColor, TColor SelectionFontColor,
                TFontStyles SelectionFontStyle);

// The short form: no focus, hover, pictures or shadow of its own, no word
// wrap, the system selection colours.
bool RenderHtmlBasic(TCanvas* Canvas, const String& HTML, const TRect& R, TCustomImageList* Images, int X, int Y,
                     bool CheckOnly, bool CheckHeight, bool Print, bool IgnoreColors, bool Blink, double ResFactor,
                     TColor URLColor, String& AnchorVal, String& StrippedText, int& XSize, int& YSize);

// Layouts kept for the next call, held by whoever renders (a control keeps
// one beside its canvas and frees it with itself). Markup that holds only
// text tags (B, I, U, S, A, BR, FONT, SUB, SUP, SHAD) is laid out once per
// markup, canvas font, rectangle and parameters: a measuring call gets the
// results again, a drawing call puts out the text runs it recorded (runs of
// one font and colour joined where that changes no pixel, grouped by font
// where they do not overlap) instead of laying the lines out again. Markup
// that draws anything but text (pictures, lists, paragraphs, a body, a
// focus rectangle, a background colour) is always laid out anew. At most
// Entries layouts (MaxEntries unless the owner asks for more) and MaxChars
// characters of markup and text are kept, the least recently used going
// first. One thread uses a cache: its owner's.
class THtmlLayoutCache {
 public:
  static constexpr size_t MaxEntries = 64;
  static constexpr size_t MaxChars = 256 * 1024;
  explicit THtmlLayoutCache(size_t Entries = MaxEntries);
  ~THtmlLayoutCache();
  THtmlLayoutCache(const THtmlLayoutCache&) = delete;
  THtmlLayoutCache& operator=(const THtmlLayoutCache&) = delete;
  size_t Count() const;
  size_t Capacity() const;
  // Calls answered from the cache since it was made or last cleared.
  size_t Hits() const;
  void Clear();

  // The layouts themselves (known to the engine only).
  struct TStore;
  TStore& Store() { return *FStore; }

 private:
  std::unique_ptr<TStore> FStore;
};
