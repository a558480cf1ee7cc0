// What the HTML label and the reflection label share: how their markup
// lines join into one text, which anchors open through the shell, and the
// markup itself with the sources of its pictures (TLabelMarkup).
#pragma once

#include <functional>

#include "base/Controls.h"
#include "base/ImgList.h"
#include "base/Lists.h"
#include "ui/draw/HtmlRender.h"

class THTMLPictureCache;
class TPictureContainer;

// The lines joined into one markup: a blank before each line after the
// first, except when the text so far ends with ">" and the line begins with
// "<" (then nothing).
String JoinMarkupLines(const TStrings* Lines);
// Target becomes the one line of Lines joined as above, line breaks
// stripped.
void SetJoinedMarkup(TStrings* Target, const TStrings* Lines);
// Opens a web or mail anchor ("http://", "https://" or "mailto:", any case)
// through the shell's "open" verb in a normal window; any other anchor
// (another scheme, a plain name) is not handed to the shell. True when it
// was opened.
bool OpenLinkAnchor(const String& Anchor);

// A label's markup and where its pictures come from: the lines, the image
// list (followed through a change link), the picture container and the
// cache of the pictures the markup fetched, with the label's update
// bracket. Each label owns one and hands its component notifications on.
class TLabelMarkup : public TObject {
  VANTREL_CLASS(TLabelMarkup)
 public:
  // ALabel: the label that the image list and the container tell when they
  // go, and that repaints when they are replaced. Changed runs when the
  // lines change (the picture cache cleared first) or the image list does.
  TLabelMarkup(TControl* ALabel, std::function<void()> Changed);
  ~TLabelMarkup() override;

  TStringList* Lines() const { return FLines; }
  // The lines joined into one markup.
  String Markup() const { return JoinMarkupLines(FLines); }
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TPictureContainer* Container() const { return FContainer; }
  void SetContainer(TPictureContainer* Value);
  THTMLPictureCache* Cache() const { return FCache; }
  // The layouts of the markup, kept from paint to paint.
  THtmlLayoutCache& Layouts() const { return FLayouts; }
  // Forgets the image list or the container when it is removed.
  void Notification(TComponent* AComponent, TOperation Operation);

  void BeginUpdate() { ++FUpdateCount; }
  // Repaints the label when the last bracket closes.
  void EndUpdate();
  bool Updating() const { return FUpdateCount > 0; }

  // What every rendering of the label starts from: Markup drawn (or
  // measured) in R on ACanvas, the point (X, Y) tested, pictures from these
  // sources; the rest at the engine's defaults.
  THtmlRenderParams RenderParams(TCanvas* ACanvas, const String& Markup, const TRect& R, int X, int Y) const;

 private:
  TControl* FLabel;
  std::function<void()> FChanged;
  TOwned<TStringList> FLines;
  TCustomImageList* FImages = nullptr;
  TOwned<TChangeLink> FImagesLink;
  TPictureContainer* FContainer = nullptr;
  TOwned<THTMLPictureCache> FCache;
  mutable THtmlLayoutCache FLayouts;
  int FUpdateCount = 0;
};
