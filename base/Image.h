// A picture on a window: any graphic, at its own size, centred or stretched
// over the control.
#pragma once

#include "base/Controls.h"
#include "base/Picture.h"

class TImage : public TGraphicControl {
  VANTREL_CLASS(TImage)
 public:
  explicit TImage(TComponent* AOwner);

  TPicture* Picture() { return FPicture; }
  void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool Center() const { return FCenter; }
  void SetCenter(bool Value);
  // The parent shows through where the picture is transparent (a bitmap's
  // bottom-left colour).
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  // Where the graphic goes in client coordinates.
  TRect DestRect();

 protected:
  void Destroy() override;
  void Paint() override;

 private:
  void PictureChanged(TObject* Sender);
  TPicture* FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FTransparent = false;
};
