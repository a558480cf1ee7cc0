// A picture on a form, painted by its parent.
#pragma once

#include "base/Controls.h"
#include "base/Picture.h"

class TImage : public TGraphicControl {
  VANTREL_CLASS(TImage)
 public:
  explicit TImage(TComponent* AOwner);

  TPicture* Picture() { return FPicture; }
  void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
  // Stretched to the control's size, or drawn at its size (centred when
  // Center is on, else at the top left).
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool Center() const { return FCenter; }
  void SetCenter(bool Value);
  // The parent shows through where the picture is transparent or absent.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);

 protected:
  void Destroy() override;
  void Paint() override;

 private:
  void PictureChanged(TObject* Sender);

  TPicture* FPicture = nullptr;
  bool FStretch = false;
  bool FCenter = false;
  bool FTransparent = false;
};
