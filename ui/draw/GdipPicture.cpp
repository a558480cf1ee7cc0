#include "ui/draw/GdipPicture.h"

#include <cstring>
#include <memory>

#include "base/FileStreams.h"
#include "base/Picture.h"
#include "ui/draw/GdiPlus.h"
#include "ui/draw/HtmlHelpers.h"
#include "base/PictureHeader.h"

TGDIPPicture::TGDIPPicture() : FDatastream(new TMemoryStream) {}

TGDIPPicture::~TGDIPPicture() { FDatastream->Free(); }

TGraphic* TGDIPPicture::Clone() const {
  auto* p = new TGDIPPicture;
  p->Assign(const_cast<TGDIPPicture*>(this));
  return p;
}

void TGDIPPicture::ClearFired() {
  if (OnClear) OnClear(this);
}

TGPImage* TGDIPPicture::Decode() {
  if (FIsEmpty || FDatastream->Size() == 0) return nullptr;
  // No decoder sees data whose header does not fit it.
  TPictureHeader header;
  String error;
  if (!ReadPictureHeader(static_cast<const uint8_t*>(FDatastream->Memory()), static_cast<size_t>(FDatastream->Size()),
                         header, error))
    return nullptr;
  IStream* stream = nullptr;
  switch (CreateGlobalStream(FDatastream->Memory(), static_cast<size_t>(FDatastream->Size()), &stream)) {
    case TGlobalStreamResult::gsOk: break;
    case TGlobalStreamResult::gsNoMemory: throw Exception(L"Could not allocate memory for image");
    default: return nullptr;
  }
  auto* image = new TGPImage(stream);
  stream->Release();  // the image holds its own reference
  return image;
}

bool TGDIPPicture::GetImageSizes() {
  // From the header; only a metafile's size needs its decoder.
  TPictureHeader header;
  String error;
  if (FIsEmpty || !ReadPictureHeader(static_cast<const uint8_t*>(FDatastream->Memory()),
                                     static_cast<size_t>(FDatastream->Size()), header, error))
    return false;
  if (header.Width > 0) {
    FWidth = header.Width;
    FHeight = header.Height;
    return true;
  }
  std::unique_ptr<TGPImage> image(Decode());
  if (!image) return false;
  FWidth = static_cast<int>(image->GetWidth());
  FHeight = static_cast<int>(image->GetHeight());
  return true;
}

void TGDIPPicture::LoadFromFile(const String& FileName) {
  try {
    TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
    CheckPictureDataSize(static_cast<uint64_t>(f.Size()));
    FDatastream->LoadFromStream(&f);
    FIsEmpty = false;
    FFileName = FileName;
    ClearFired();
    GetImageSizes();
    Changed();
  } catch (...) {
    FIsEmpty = true;
  }
}

void TGDIPPicture::LoadFromStream(TStream* Stream) {
  if (!Stream) return;
  // A picture over the limits is refused before it replaces anything.
  LoadPictureData(Stream, FDatastream);
  FIsEmpty = false;
  GetImageSizes();
  Changed();
}

void TGDIPPicture::SaveToStream(TStream* Stream) {
  if (Stream) FDatastream->SaveToStream(Stream);
}

void TGDIPPicture::ReadData(TStream* Stream) {
  if (!Stream) return;
  FDatastream->LoadFromStream(Stream);
  FIsEmpty = false;
}

void TGDIPPicture::LoadFromResourceName(HINSTANCE Instance, const String& ResName) {
  if (!TResourceStream::Exists(Instance, ResName.c_str())) return;
  TResourceStream rs(Instance, ResName);
  LoadFromStream(&rs);
}

void TGDIPPicture::LoadFromResourceID(HINSTANCE Instance, int ResID) {
  TResourceStream rs(Instance, ResID);
  LoadFromStream(&rs);
}

void TGDIPPicture::LoadFromURL(const String& URL) {
  String upper = AnsiUpperCase(URL);
  if (upper.rfind(L"RES://", 0) == 0) {
    String rest = URL.substr(6);
    if (!rest.empty()) LoadFromResourceName(GetModuleHandleW(nullptr), rest);
  } else if (upper.rfind(L"FILE://", 0) == 0) {
    // Files of this machine's own disks only: never a share or a device.
    String rest = URL.substr(7);
    if (!rest.empty() && !IsNetworkOrDevicePath(rest)) LoadFromFile(rest);
  }
}

void TGDIPPicture::Assign(TPersistent* Source) {
  FIsEmpty = true;
  if (!Source) {
    FDatastream->Clear();
    Changed();
    ClearFired();
    return;
  }
  if (auto* p = dynamic_cast<TGDIPPicture*>(Source)) {
    if (p != this) {
      FDatastream->Clear();
      p->FDatastream->SaveToStream(FDatastream);
    }
    FIsEmpty = FDatastream->Size() == 0;
  } else if (auto* pic = dynamic_cast<TPicture*>(Source)) {
    FDatastream->Clear();
    if (pic->Graphic()) {
      pic->Graphic()->SaveToStream(FDatastream);
      FIsEmpty = false;
    }
  } else if (auto* bmp = dynamic_cast<TBitmap*>(Source)) {
    FDatastream->Clear();
    bmp->SaveToStream(FDatastream);
    FIsEmpty = FDatastream->Size() == 0;
  } else if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    FDatastream->Clear();
    g->SaveToStream(FDatastream);
    FIsEmpty = false;
  } else {
    // Nothing that this picture can take: it stays as it is, empty.
    GetImageSizes();
    return;
  }
  FDatastream->SetPosition(0);
  GetImageSizes();
  Changed();
}

void TGDIPPicture::Draw(TCanvas* ACanvas, const TRect& Rect) {
  std::unique_ptr<TGPImage> image(Decode());
  if (!image || !ACanvas) return;
  // Bitmaps take the colour of their bottom-left pixel as transparent. The
  // bytes must be a BMP file too: some decoders report icons as bitmaps.
  // Forms the platform bitmap does not read (run-length encoded ones) go
  // through GDI+ as other images do.
  if (image->GetFormat() == ifBMP && FTransparentBitmap && PictureFormat() == TPictureFormat::pfBMP) {
    TBitmap bmp;
    FDatastream->SetPosition(0);
    bool read = false;
    try {
      bmp.LoadFromStream(FDatastream);
      read = true;
    } catch (const EInvalidGraphic&) {
    }
    FDatastream->SetPosition(0);
    if (read) {
      bmp.SetTransparentMode(TTransparentMode::tmAuto);
      bmp.SetTransparent(true);
      ACanvas->StretchDraw(Rect, &bmp);
      return;
    }
  }
  TGPGraphics graphics(ACanvas->Handle());
  FWidth = static_cast<int>(image->GetWidth());
  FHeight = static_cast<int>(image->GetHeight());
  std::unique_ptr<TGPMatrix> matrix;
  if (FAngle != 0) {
    // About the image's own centre placed at the rectangle's corner.
    matrix.reset(new TGPMatrix);
    matrix->RotateAt(static_cast<float>(FAngle),
                     TGPPointF{Rect.left + FWidth / 2.0f, Rect.top + FHeight / 2.0f}, MatrixOrderPrepend);
    graphics.SetTransform(matrix.get());
  }
  graphics.DrawImage(image.get(), float(Rect.left), float(Rect.top), float(Rect.right - Rect.left),
                     float(Rect.bottom - Rect.top));
  graphics.ResetTransform();
}

void TGDIPPicture::DrawImage(TGPGraphics* Graphics, int X, int Y) {
  std::unique_ptr<TGPImage> image(Decode());
  if (image && Graphics) Graphics->DrawImage(image.get(), X, Y);
}

void TGDIPPicture::DrawImageRect(TGPGraphics* Graphics, int X, int Y, int W, int H) {
  std::unique_ptr<TGPImage> image(Decode());
  if (image && Graphics) Graphics->DrawImage(image.get(), float(X), float(Y), float(W), float(H));
}

TPictureFormat TGDIPPicture::PictureFormat() const {
  int64_t size = FDatastream->Size();
  if (size < 44) return TPictureFormat::pfNone;
  const auto* b = static_cast<const BYTE*>(FDatastream->Memory());
  if (b[0] == 'I' && b[1] == 'I') return b[2] == 0x2A && b[3] == 0 ? TPictureFormat::pfTiff : TPictureFormat::pfNone;
  if (b[0] == 'B' && b[1] == 'M') return TPictureFormat::pfBMP;
  if (b[0] == 'M' && b[1] == 'M') return b[2] == 0 && b[3] == 0x2A ? TPictureFormat::pfTiff : TPictureFormat::pfNone;
  if (b[0] == 0xFF && b[1] == 0xD8) return TPictureFormat::pfJPG;
  static const BYTE png[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (std::memcmp(b, png, 8) == 0) return TPictureFormat::pfPNG;
  static const BYTE placeable[4] = {0xD7, 0xCD, 0xC6, 0x9A};
  if (std::memcmp(b, placeable, 4) == 0) return TPictureFormat::pfMetaFile;
  uint32_t first;
  std::memcpy(&first, b, 4);
  if (first == 1 && std::memcmp(b + 40, " EMF", 4) == 0) return TPictureFormat::pfMetaFile;
  if (b[0] == 'G' && b[1] == 'I' && b[2] == 'F') return TPictureFormat::pfGIF;
  if ((b[2] | (b[3] << 8)) == 1) return TPictureFormat::pfICO;
  return TPictureFormat::pfNone;
}
