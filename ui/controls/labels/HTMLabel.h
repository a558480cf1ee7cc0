// The HTML label: a non-windowed label that renders markup through the HTML
// engine, with anchors that react to the mouse, hover highlighting,
// pictures, a solid, gradient or line background, bevels and a border,
// vertical alignment, sizing to its text, anchor hints and printing.
#pragma once

#include "base/ExtCtrls.h"
#include "base/ImgList.h"
#include "base/Lists.h"
#include "base/StdCtrls.h"
#include "ui/controls/labels/LabelMarkup.h"


enum class TAutoSizeType { asVertical, asHorizontal, asBoth };
enum class TVAlignment { tvaTop, tvaCenter, tvaBottom };
enum class TGradientType { gtFullHorizontal, gtFullVertical, gtBottomLine, gtCenterLine, gtTopLine };

using TAnchorClick = std::function<void(TObject* Sender, const String& Anchor)>;
using TAnchorHintEvent = std::function<void(TObject* Sender, String& Anchor)>;
using TNewSizeEvent = std::function<void(TObject* Sender, int NewWidth, int NewHeight)>;

class THTMLabel : public TCustomLabel {
  VANTREL_CLASS(THTMLabel)
 public:
  explicit THTMLabel(TComponent* AOwner);

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;

  virtual int GetVersionNr() { return 0x01090301; }
  String Version();
  void SetVersion(const String&) {}

  void BeginUpdate() { FMarkup->BeginUpdate(); }
  void EndUpdate() { FMarkup->EndUpdate(); }
  TSize GetSizeWithMaxWidth(int AMaxWidth);
  // Draws the markup onto another canvas (a printer's) in R.
  void HTMLPrint(TCanvas* ACanvas, TRect R);
  void HilightText(const String& HiText, bool DoCase);
  void MarkText(const String& HiText, bool DoCase);
  void UnHilightText();
  void UnMarkText();
  // Paints at once.
  void Doit() { Repaint(); }

  // The markup as plain text.
  String Text() override;
  TSize HTMLSize();
  THTMLPictureCache* ImageCache() const { return FMarkup->Cache(); }
  // The layouts of the markup, kept from paint to paint.
  THtmlLayoutCache& HtmlCache() const { return FMarkup->Layouts(); }
  int HoverHyperLink() const { return FHoverHyperLink; }

  TStringList* HTMLText() const { return FMarkup->Lines(); }
  // One line: the assigned lines joined by the markup rule, without line
  // breaks.
  void SetHTMLText(TStrings* Value);
  bool AnchorHint() const { return FAnchorHint; }
  void SetAnchorHint(bool Value) { FAnchorHint = Value; }
  bool AutoSizing() const { return FAutoSizing; }
  void SetAutoSizing(bool Value);
  TAutoSizeType AutoSizeType() const { return FAutoSizeType; }
  void SetAutoSizeType(TAutoSizeType Value);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  TBorderStyleKind BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyleKind Value);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);
  bool Ellipsis() const { return FEllipsis; }
  void SetEllipsis(bool Value);
  TGradientType GradientType() const { return FGradientType; }
  void SetGradientType(TGradientType Value);
  bool HintShowFull() const { return FHintShowFull; }
  void SetHintShowFull(bool Value) { FHintShowFull = Value; }
  bool Hover() const { return FHover; }
  void SetHover(bool Value) { FHover = Value; }
  TColor HoverColor() const { return FHoverColor; }
  void SetHoverColor(TColor Value) { FHoverColor = Value; }
  TColor HoverFontColor() const { return FHoverFontColor; }
  void SetHoverFontColor(TColor Value) { FHoverFontColor = Value; }
  bool HTMLHint() const { return FHTMLHint; }
  void SetHTMLHint(bool Value) { FHTMLHint = Value; }
  TCustomImageList* Images() const { return FMarkup->Images(); }
  void SetImages(TCustomImageList* Value) { FMarkup->SetImages(Value); }
  int LineWidth() const { return FLineWidth; }
  void SetLineWidth(int Value);
  int LineSpacing() const { return FLineSpacing; }
  void SetLineSpacing(int Value);
  TPictureContainer* PictureContainer() const { return FMarkup->Container(); }
  void SetPictureContainer(TPictureContainer* Value) { FMarkup->SetContainer(Value); }
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor Value);
  int ShadowOffset() const { return FShadowOffset; }
  void SetShadowOffset(int Value);
  TColor URLColor() const { return FURLColor; }
  void SetURLColor(TColor Value);
  TVAlignment VAlignment() const { return FVAlignment; }
  void SetVAlignment(TVAlignment Value);

  TAnchorClick OnAnchorClick;
  TAnchorClick OnAnchorEnter;
  TAnchorClick OnAnchorExit;
  TAnchorHintEvent OnAnchorHint;
  TNewSizeEvent OnNewSize;

  // The markup as one string.
  virtual String GetMarkup();

 protected:
  void Paint() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  virtual void DoAnchorClick(const String& Anchor);
  virtual void HTMLChanged() { Invalidate(); }
  // The call into the HTML engine; true when the point is over an anchor.
  virtual bool RenderMarkup(TCanvas* ACanvas, const TRect& R, int X, int Y, int HoverLink, bool CheckOnly,
                            bool Print, int ShadowOffset, bool HoverOption, TColor URLColor, TColor HoverColor,
                            TColor HoverFontColor, TColor ShadowColor, String& Anchor, String& Title, int& Index,
                            TRect& AnchorRect);

 private:
  // The anchor under a point (its title when a hint asks and it has one).
  String IsAnchor(int X, int Y, bool Title);
  void InvalidateOnParent(const TRect& R);
  void HintShow(TMessage& Message);

  String FAnchor;
  bool FAutoSizing = false;
  TAutoSizeType FAutoSizeType = TAutoSizeType::asVertical;
  TOwned<TLabelMarkup> FMarkup;
  bool FAnchorHint = false;
  TColor FURLColor = clBlue;
  TBevelCut FBevelInner = TBevelCut::bvNone;
  TBevelCut FBevelOuter = TBevelCut::bvNone;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TBorderStyleKind FBorderStyle = TBorderStyleKind::bsNone;
  int FShadowOffset = 2;
  TColor FShadowColor = clGray;
  bool FHover = false;
  int FHoverHyperLink = -1;
  int FOldHoverHyperLink = -1;
  TColor FHoverColor = clNone;
  TColor FHoverFontColor = clNone;
  TVAlignment FVAlignment = TVAlignment::tvaTop;
  bool FEllipsis = false;
  TRect FCurrHoverRect;
  TGradientType FGradientType = TGradientType::gtFullHorizontal;
  TColor FBorderColor = clBlack;
  int FLineWidth = 2;
  int FLineSpacing = 0;
  bool FHTMLHint = false;
  bool FHintShowFull = false;
  int FXSize = 0;
  int FYSize = 0;
  TColor FColorTo = clNone;
};
