#include "base/Picture.h"

TPicture::~TPicture() { ForgetGraphic(); }

void TPicture::ForgetGraphic() {
  TGraphic* g = FGraphic;
  FGraphic = nullptr;
  if (g) g->Free();
}

void TPicture::Take(TGraphic* Graphic) {
  ForgetGraphic();
  FGraphic = Graphic;
  if (FGraphic) FGraphic->OnChange = [this](TObject* Sender) { Changed(Sender); };
  Changed(this);
}

void TPicture::SetGraphic(TGraphic* Value) {
  if (Value == FGraphic) return;
  if (!Value) {
    Take(nullptr);
    return;
  }
  TGraphic* copy = Value->Clone();
  if (!copy) throw EInvalidGraphic(L"Cannot copy a %s", {Value->ClassName()});
  Take(copy);
}

TBitmap* TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(FGraphic)) Take(new TBitmap);
  return static_cast<TBitmap*>(FGraphic);
}

TIcon* TPicture::Icon() {
  if (!dynamic_cast<TIcon*>(FGraphic)) Take(new TIcon);
  return static_cast<TIcon*>(FGraphic);
}

void TPicture::Assign(TPersistent* Source) {
  if (!Source) {
    SetGraphic(nullptr);
  } else if (auto* p = dynamic_cast<TPicture*>(Source)) {
    if (p != this) SetGraphic(p->FGraphic);
  } else if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    SetGraphic(g);
  } else {
    TPersistent::Assign(Source);
  }
}

void TPicture::LoadFromFile(const String& FileName) {
  String ext = LowerCase(ExtractFileExt(FileName));
  TGraphic* g = nullptr;
  if (ext == L".bmp") g = new TBitmap;
  else if (ext == L".ico") g = new TIcon;
  else throw EInvalidGraphic(L"Unknown picture file extension (%s)", {ext});
  try {
    g->LoadFromFile(FileName);
  } catch (...) {
    g->Free();
    throw;
  }
  Take(g);
}

void TPicture::SaveToFile(const String& FileName) {
  if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::Changed(TObject*) {
  if (OnChange) OnChange(this);
}
