// The reflection label: markup rendered through the HTML engine with the
// same picture mirrored below it, fading out, as on a glossy surface. It can
// save what it shows as an image file.
#pragma once

#include <memory>

#include "base/ImgList.h"
#include "base/Lists.h"
#include "base/StdCtrls.h"
#include "ui/controls/labels/LabelMarkup.h"

class TGPBitmap;

class TAdvReflectionLabel : public TCustomLabel {
  VANTREL_CLASS(TAdvReflectionLabel)
 public:
  // The file types SaveToFile writes (the image list's TImageType is
  // another type of that name).
  enum class TImageType { itPNG, itBMP, itJPEG, itTIFF, itGIF };

  explicit TAdvReflectionLabel(TComponent* AOwner);

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void SetName(const String& NewName) override;
  void Dispatch(TMessage& Message) override;

  virtual int GetVersionNr() { return 0x01050101; }
  String Version();
  void SetVersion(const String&) {}

  void BeginUpdate() { FMarkup->BeginUpdate(); }
  void EndUpdate() { FMarkup->EndUpdate(); }
  // Marks the reflection for rebuilding and repaints.
  void UpdateChange();
  // Saves what the label shows (once a reflection exists) through the
  // image encoder of the type; false when no file was written.
  bool SaveToFile(const String& FileName, TImageType ImageType);

  TStringList* HTMLText() const { return FMarkup->Lines(); }
  // One line: the assigned lines joined by the markup rule, without line
  // breaks.
  void SetHTMLText(TStrings* Value);
  TCustomImageList* Images() const { return FMarkup->Images(); }
  void SetImages(TCustomImageList* Value) { FMarkup->SetImages(Value); }
  TPictureContainer* PictureContainer() const { return FMarkup->Container(); }
  void SetPictureContainer(TPictureContainer* Value) { FMarkup->SetContainer(Value); }
  int ReflectionOpacityStart() const { return FReflectionOpacityStart; }
  void SetReflectionOpacityStart(int Value);
  int ReflectionOpacityEnd() const { return FReflectionOpacityEnd; }
  void SetReflectionOpacityEnd(int Value);
  int ReflectionSize() const { return FReflectionSize; }
  void SetReflectionSize(int Value);
  int ReflectionAxis() const { return FReflectionAxis; }
  void SetReflectionAxis(int Value);
  TColor URLColor() const { return FURLColor; }
  void SetURLColor(TColor Value);
  // The markup as plain text.
  String Text() override;
  // The markup's size in a 4096 x 4096 rectangle with the label's font.
  TSize HTMLSize();
  THTMLPictureCache* ImageCache() const { return FMarkup->Cache(); }
  // The finished reflection, nullptr until one was built.
  TGPBitmap* ReflectionPicture() const { return FReflectionPic.get(); }
  int XStart() const { return FXStart; }

  // The markup as one string.
  virtual String GetMarkup();

 protected:
  void Destroy() override;
  void Paint() override;
  void Resize() override;
  void FontChanged() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  virtual void HTMLChanged() { Invalidate(); }
  // The call into the HTML engine; returns whether the point is over an
  // anchor.
  virtual bool RenderMarkup(TCanvas* ACanvas, const TRect& R, int X, int Y, bool CheckOnly, bool HitTest,
                            String& Anchor, TRect& AnchorRect);

 private:
  // The anchor under a point; FHoverHyperLink becomes its index.
  String HitTest(int X, int Y);
  void BuildReflection(TCanvas* ACanvas);
  void PaintOnce();

  String FAnchor;
  TOwned<TLabelMarkup> FMarkup;
  TColor FURLColor = clBlue;
  int FHoverHyperLink = -1;
  int FOldHoverHyperLink = -1;
  TRect FCurrHoverRect;
  int FReflectionAxis = -7;
  int FReflectionOpacityStart = 128;
  int FReflectionOpacityEnd = 0;
  int FXSize = 0;
  int FYSize = 0;
  int FXStart = 0;
  std::unique_ptr<TGPBitmap> FReflectionPic;
  bool FUpdateReflection = true;
  int FReflectionSize = 20;
  bool FRepainting = false;
};
