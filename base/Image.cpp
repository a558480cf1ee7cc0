#include "base/Image.h"

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner) {
  FPicture = new TPicture();
  FPicture->OnChange = Bind(this, &TImage::PictureChanged);
  FWidth = 105;
  FHeight = 105;
}

void TImage::Destroy() {
  FPicture->OnChange = nullptr;
  FreeAndNil(FPicture);
  TGraphicControl::Destroy();
}

void TImage::SetStretch(bool Value) {
  if (FStretch == Value) return;
  FStretch = Value;
  Invalidate();
}

void TImage::SetCenter(bool Value) {
  if (FCenter == Value) return;
  FCenter = Value;
  Invalidate();
}

void TImage::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  if (TGraphic* g = FPicture->Graphic()) g->SetTransparent(Value);
  Invalidate();
}

void TImage::PictureChanged(TObject*) {
  // A new graphic takes the control's transparency.
  if (TGraphic* g = FPicture->Graphic(); g && g->Transparent() != FTransparent) g->SetTransparent(FTransparent);
  Invalidate();
}

TRect TImage::DestRect() {
  if (FStretch) return TRect(0, 0, Width(), Height());
  int w = FPicture->Width(), h = FPicture->Height();
  if (FCenter) return Bounds((Width() - w) / 2, (Height() - h) / 2, w, h);
  return TRect(0, 0, w, h);
}

void TImage::Paint() {
  TGraphic* g = FPicture->Graphic();
  if (!g || g->Empty()) return;
  Canvas()->StretchDraw(DestRect(), g);
}
