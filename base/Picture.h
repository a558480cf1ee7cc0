// TPicture: holds one graphic of any class (bitmap, icon, or a picture
// class of the drawing layer) and tells its owner when it changes.
#pragma once

#include "base/Graphics.h"

class TPicture : public TPersistent {
  VANTREL_CLASS(TPicture)
 public:
  TPicture() = default;
  ~TPicture() override;

  TGraphic* Graphic() const { return FGraphic; }
  // Holds a copy of Value (nullptr empties the picture). A class that cannot
  // copy itself raises EInvalidGraphic.
  void SetGraphic(TGraphic* Value);
  // The graphic as a bitmap or icon; a picture holding another class gets
  // an empty one of that class in its place.
  TBitmap* Bitmap();
  TIcon* Icon();
  int Width() const { return FGraphic ? FGraphic->Width() : 0; }
  int Height() const { return FGraphic ? FGraphic->Height() : 0; }
  // From another picture, a graphic or nullptr.
  void Assign(TPersistent* Source) override;
  // ".bmp" and ".ico" files; other extensions raise EInvalidGraphic.
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);

  TNotifyEvent OnChange;

 protected:
  virtual void Changed(TObject* Sender);

 private:
  void ForgetGraphic();
  void Take(TGraphic* Graphic);  // takes ownership
  TGraphic* FGraphic = nullptr;
};
