#include "base/Image.h"

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(TControlStyleItem::csReplicatable);
  FWidth = 105;
  FHeight = 105;
  FPicture = new TPicture();
  FPicture->OnChange = [this](TObject* Sender) { PictureChanged(Sender); };
}

void TImage::Destroy() {
  delete FPicture;
  FPicture = nullptr;
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
  if (TGraphic* g = FPicture->Graphic()) {
    if (g->Transparent() != FTransparent) g->SetTransparent(FTransparent);
  }
  Invalidate();
}

void TImage::Paint() {
  TGraphic* g = FPicture->Graphic();
  if (!g || g->Empty()) return;
  if (FStretch) {
    Canvas()->StretchDraw(TRect(0, 0, FWidth, FHeight), g);
  } else if (FCenter) {
    Canvas()->Draw((FWidth - g->Width()) / 2, (FHeight - g->Height()) / 2, g);
  } else {
    Canvas()->Draw(0, 0, g);
  }
}
