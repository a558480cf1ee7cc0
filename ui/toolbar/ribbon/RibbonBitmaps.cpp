#include "ui/toolbar/ribbon/RibbonBitmaps.h"

#include "ribbonbitmaps.h"
#include "ui/draw/GdipPicture.h"

void LoadRibbonBitmap(TBitmap* Bitmap, const String& Name) {
  for (const TRibbonBitmapEntry& e : RibbonBitmapTable)
    if (Name == e.Name) {
      Bitmap->LoadFromResourceID(GetModuleHandleW(nullptr), e.Id);
      return;
    }
  throw EResNotFound(L"Resource %s not found", {Name});
}

void LoadRibbonPicture(TGDIPPicture* Picture, const String& Name) {
  TBitmap bitmap;
  LoadRibbonBitmap(&bitmap, Name);
  TMemoryStream stream;
  bitmap.SaveToStream(&stream);
  stream.SetPosition(0);
  Picture->LoadFromStream(&stream);
}
