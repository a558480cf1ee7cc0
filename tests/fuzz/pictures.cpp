// Pictures of every format the engine reads, from any bytes: the header
// reader, the markup engine's picture and the buttons' picture loaded and
// drawn, and the class layer's bitmap and icon readers.
#include <memory>

#include "base/Graphics.h"
#include "base/Streams.h"
#include "tests/fuzz/Fuzz.h"
#include "ui/draw/GdipPicture.h"
#include "ui/draw/PictureContainer.h"
#include "base/PictureHeader.h"

namespace {

TBitmap* Target() {
  static TBitmap* bitmap = nullptr;
  if (!bitmap) {
    bitmap = new TBitmap(32, 32, TPixelFormat::pf32bit);
    FuzzAtEnd([] { delete bitmap; });
  }
  return bitmap;
}

TMemoryStream* StreamOf(const uint8_t* Data, size_t Size) {
  auto* s = new TMemoryStream;
  if (Size) s->WriteBuffer(Data, static_cast<int>(Size));
  s->SetPosition(0);
  return s;
}

}  // namespace

void FuzzOne(const uint8_t* Data, size_t Size) {
  TPictureHeader header;
  String error;
  bool ok = ReadPictureHeader(Data, Size, header, error);
  FuzzCheck(ok == error.empty(), "a header is refused without a reason, or accepted with one");
  FuzzCheck(!ok || static_cast<uint64_t>(header.Width) * static_cast<uint64_t>(header.Height) <= MaxPicturePixels,
            "a picture over the limits is accepted");
  // Decoding costs what the picture holds: pictures of more than a
  // megapixel (within the limits, up to 64) are read only as far as their
  // header, so that every input stays well within the slow limit.
  const bool decode = static_cast<uint64_t>(header.Width) * static_cast<uint64_t>(header.Height) <= (1u << 20);
  TCanvas* canvas = Target()->Canvas();
  {
    std::unique_ptr<TMemoryStream> s(StreamOf(Data, Size));
    auto* picture = new THTMLPicture;
    try {
      picture->LoadFromStream(s.get());
      FuzzCheck(!header.OverLimits, "a picture over the limits is loaded");
      if (ok && header.Width > 0)
        FuzzCheck(picture->Width() == header.Width && picture->Height() == header.Height,
                  "the size is not the header's");
      if (decode) canvas->StretchDraw(TRect(0, 0, 32, 32), picture);
    } catch (const EInvalidGraphic&) {
      FuzzCheck(header.OverLimits, "a picture within the limits is refused");
    }
    picture->Free();
  }
  {
    std::unique_ptr<TMemoryStream> s(StreamOf(Data, Size));
    auto* picture = new TGDIPPicture;
    try {
      picture->LoadFromStream(s.get());
      if (decode) canvas->StretchDraw(TRect(0, 0, 32, 32), picture);
    } catch (const EInvalidGraphic&) {
      FuzzCheck(header.OverLimits, "a picture within the limits is refused");
    }
    picture->Free();
  }
  for (int kind = 0; kind < 2 && decode; ++kind) {
    std::unique_ptr<TMemoryStream> s(StreamOf(Data, Size));
    std::unique_ptr<TGraphic> graphic(kind == 0 ? static_cast<TGraphic*>(new TBitmap) : new TIcon);
    try {
      graphic->LoadFromStream(s.get());
      canvas->Draw(0, 0, graphic.get());
    } catch (const Exception&) {
    }
  }
}
