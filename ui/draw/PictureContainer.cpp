#include "ui/draw/PictureContainer.h"

#include <memory>

#include "base/FileStreams.h"
#include "ui/draw/GdiPlus.h"
#include "ui/draw/HtmlHelpers.h"
#include "base/PictureHeader.h"

namespace {

const wchar_t kNoMemory[] = L"Could not allocate memory for image";

// A COM stream holding a copy of Data; raises when the memory cannot be had
// and gives nullptr when the stream cannot be made or filled.
IStream* StreamOf(const uint8_t* Data, size_t Size) {
  IStream* stream = nullptr;
  switch (CreateGlobalStream(Data, Size, &stream)) {
    case TGlobalStreamResult::gsOk:
      return stream;
    case TGlobalStreamResult::gsNoMemory:
      throw Exception(kNoMemory);
    default:
      return nullptr;
  }
}

uint16_t Word16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

}  // namespace

// ---------------------------------------------------------------------------
// THTMLPicture

THTMLPicture::THTMLPicture() : FDatastream(new TMemoryStream) {}

THTMLPicture::~THTMLPicture() { FDatastream->Free(); }

const uint8_t* THTMLPicture::Data() const { return static_cast<const uint8_t*>(FDatastream->Memory()); }

size_t THTMLPicture::DataSize() const { return static_cast<size_t>(FDatastream->Size()); }

bool THTMLPicture::IsGIF() const {
  const uint8_t* d = Data();
  return DataSize() >= 5 && d[0] == 'G' && d[1] == 'I' && d[2] == 'F' && d[3] == '8';
}

void THTMLPicture::ScanFrames(const std::function<bool(size_t, int)>& Fn) const {
  // A frame starts with a graphic control extension (21 F9 04) whose block
  // is followed by an image descriptor (2C) eight bytes on.
  const uint8_t* d = Data();
  const size_t n = DataSize();
  int frame = 0;
  for (size_t i = 0; i + 9 < n; ++i) {
    if (d[i] == 0x21 && d[i + 1] == 0xF9 && d[i + 2] == 0x04 && d[i + 8] == 0x2C) {
      if (!Fn(i, ++frame)) break;
    }
  }
  FDatastream->SetPosition(0);
}

int THTMLPicture::FrameCount() {
  if (FFrameCount >= 0) return FFrameCount;
  if (!IsGIF()) return -1;
  int count = 0;
  ScanFrames([&](size_t, int) {
    ++count;
    return true;
  });
  FFrameCount = count;
  return count;
}

int THTMLPicture::GetFrameTime(int i) {
  if (!IsGIF()) return -1;
  int delay = -1;
  const uint8_t* d = Data();
  ScanFrames([&](size_t at, int frame) {
    if (frame != i) return true;
    delay = Word16(d + at + 4);
    return false;
  });
  return delay;
}

void THTMLPicture::DataChanged() {
  FFrameCount = -1;
  FNextCount = -1;
  FTimerCount = -1;
}

void THTMLPicture::LoadPicture() {
  const size_t size = DataSize();
  if (size == 0) return;
  FWidth = FHeight = 0;
  FFrameXPos = FFrameYPos = 0;
  if (IsGIF() && FrameCount() >= 1) {
    const uint8_t* d = Data();
    const size_t n = size;
    ScanFrames([&](size_t at, int frame) {
      if (frame != FFrame) return true;
      // The descriptor's left and top, when the data holds them.
      if (at + 12 < n) {
        FFrameXPos = Word16(d + at + 9);
        FFrameYPos = Word16(d + at + 11);
      }
      return false;
    });
  }
  // The size from the header; only a metafile's needs its decoder, and no
  // decoder sees data whose header does not fit it.
  TPictureHeader header;
  String error;
  if (!ReadPictureHeader(Data(), size, header, error)) return;
  if (header.Width > 0) {
    FWidth = header.Width;
    FHeight = header.Height;
    return;
  }
  IStream* stream = StreamOf(Data(), size);
  if (!stream) return;
  {
    TGPImage image(stream);
    FWidth = static_cast<int>(image.GetWidth());
    FHeight = static_cast<int>(image.GetHeight());
  }
  stream->Release();
}

void THTMLPicture::Draw(TCanvas* ACanvas, const TRect& Rect) { DrawTiles(ACanvas, &Rect, 1); }

void THTMLPicture::DrawTiles(TCanvas* ACanvas, const TRect* Rects, size_t Count) {
  const size_t size = DataSize();
  if (FIsEmpty || size == 0 || Count == 0) return;
  TPictureHeader header;
  String error;
  if (!ReadPictureHeader(Data(), size, header, error)) return;
  IStream* stream = StreamOf(Data(), size);
  if (!stream) return;
  {
    TGPImage image(stream);
    bool drawn = false;
    if (image.GetFormat() == ifBMP) {
      // Bitmaps are drawn by GDI, transparent in their bottom-left colour;
      // the forms the platform bitmap does not read (run-length encoded
      // ones) go through GDI+ as other images do.
      TBitmap bmp;
      FDatastream->SetPosition(0);
      try {
        bmp.LoadFromStream(FDatastream);
        drawn = true;
      } catch (const Exception&) {
      }
      FDatastream->SetPosition(0);
      if (drawn) {
        bmp.SetTransparent(true);
        bmp.SetTransparentMode(TTransparentMode::tmAuto);
        for (size_t i = 0; i < Count; ++i) ACanvas->StretchDraw(Rects[i], &bmp);
      }
    }
    if (!drawn) {
      TGPGraphics g(ACanvas->Handle());
      for (size_t i = 0; i < Count; ++i)
        g.DrawImageRect(&image, Rects[i].left, Rects[i].top, Rects[i].Width(), Rects[i].Height());
    }
  }
  stream->Release();
}

void THTMLPicture::SetFrame(int Value) {
  FFrame = Value;
  if (DataSize() > 0) {
    LoadPicture();
    if (OnFrameChange) OnFrameChange(this);
  }
}

void THTMLPicture::FrameNext() {
  if (FFrame < FFrameCount)
    ++FFrame;
  else
    FFrame = 1;
}

void THTMLPicture::FramePrev() {
  if (FFrame < 2)
    FFrame = FFrameCount;
  else
    --FFrame;
}

bool THTMLPicture::Step() {
  if (FFrameCount < 2 || FIsEmpty) return false;
  if (FNextCount == -1) FNextCount = GetFrameTime(FFrame);
  if (10 * FTimerCount < FNextCount) {
    ++FTimerCount;
    return false;
  }
  FrameNext();
  LoadPicture();
  FNextCount += GetFrameTime(FFrame);
  ++FTimerCount;
  return true;
}

void THTMLPicture::LoadFromStream(TStream* Stream) {
  if (!Stream) return;
  ReadData(Stream);
  Changed();
}

void THTMLPicture::ReadData(TStream* Stream) {
  if (!Stream) return;
  // A picture over the limits is refused before it replaces anything.
  LoadPictureData(Stream, FDatastream);
  DataChanged();
  FIsEmpty = false;
  LoadPicture();
}

void THTMLPicture::SaveToStream(TStream* Stream) { WriteData(Stream); }

void THTMLPicture::WriteData(TStream* Stream) {
  if (!Stream) return;
  FDatastream->SaveToStream(Stream);
}

void THTMLPicture::LoadFromFile(const String& FileName) {
  try {
    {
      TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
      CheckPictureDataSize(static_cast<uint64_t>(f.Size()));
    }
    FDatastream->LoadFromFile(FileName);
    DataChanged();
    FIsEmpty = false;
    LoadPicture();
    Changed();
  } catch (const Exception&) {
    FDatastream->Clear();
    DataChanged();
    FIsEmpty = true;
    FWidth = FHeight = 0;
  }
}

void THTMLPicture::LoadFromResourceName(HINSTANCE Instance, const String& ResName) {
  if (!TResourceStream::Exists(Instance, ResName.c_str())) return;
  TResourceStream rs(Instance, ResName);
  LoadFromStream(&rs);
}

void THTMLPicture::LoadFromResourceID(HINSTANCE Instance, int ResID) {
  TResourceStream rs(Instance, ResID);
  LoadFromStream(&rs);
}

void THTMLPicture::LoadFromURL(const String& url) {
  const String upper = AnsiUpperCase(url);
  if (upper.rfind(L"RES://", 0) == 0) {
    FID = url;
    String rest = url.substr(6);
    if (!rest.empty()) LoadFromResourceName(GetModuleHandleW(nullptr), rest);
  } else if (upper.rfind(L"FILE://", 0) == 0) {
    FID = url;
    // Only this machine's own disks: a share or a device named by markup
    // from outside is not opened, and the picture stays empty.
    String rest = url.substr(7);
    if (!rest.empty() && !IsNetworkOrDevicePath(rest)) LoadFromFile(rest);
  } else if (!FAsynch) {
    FURL = url;
    FID = url;
  } else if (!FThreadBusy) {
    // An asynchronous request is taken and never served: there is no
    // transfer behind HTML pictures, so no thread is started for it; the
    // picture stays empty and busy, and later requests are ignored.
    FURL = url;
    FThreadBusy = true;
  }
}

void THTMLPicture::Assign(TPersistent* Source) {
  FIsEmpty = true;
  FFrameCount = FNextCount = FTimerCount = -1;
  SetFrame(1);
  if (!Source) {
    FDatastream->Clear();
    FWidth = FHeight = 0;
    return;
  }
  if (auto* src = dynamic_cast<THTMLPicture*>(Source)) {
    FStretched = src->FStretched;
    FFrame = src->FFrame;
    FID = src->FID;
    if (src != this) {
      TMemoryStream copy;
      src->FDatastream->SaveToStream(&copy);
      FDatastream->LoadFromStream(&copy);
    }
    FIsEmpty = false;
    LoadPicture();
    Changed();
  }
  if (auto* holder = dynamic_cast<TPicture*>(Source)) {
    if (holder->Graphic()) {
      TMemoryStream temp;
      holder->Graphic()->SaveToStream(&temp);
      temp.SetPosition(0);
      LoadFromStream(&temp);
    }
    return;
  }
  if (auto* graphic = dynamic_cast<TGraphic*>(Source)) {
    TMemoryStream temp;
    graphic->SaveToStream(&temp);
    temp.SetPosition(0);
    LoadFromStream(&temp);
    return;
  }
  TGraphic::Assign(Source);
}

TGraphic* THTMLPicture::Clone() const {
  auto* p = new THTMLPicture;
  p->Assign(const_cast<THTMLPicture*>(this));
  return p;
}

// ---------------------------------------------------------------------------
// THTMLPictureCache

THTMLPictureCache::~THTMLPictureCache() { ClearPictures(); }

THTMLPicture* THTMLPictureCache::AddPicture() {
  auto* p = new THTMLPicture;
  Add(p);
  return p;
}

THTMLPicture* THTMLPictureCache::FindPicture(const String& ID) const {
  for (int i = 0; i < Count(); ++i) {
    auto* p = GetPicture(i);
    if (p && p->ID() == ID) return p;
  }
  return nullptr;
}

void THTMLPictureCache::ClearPictures() {
  for (int i = 0; i < Count(); ++i) FreeObject(GetPicture(i));
  Clear();
}

bool THTMLPictureCache::Animate() {
  bool advanced = false;
  for (int i = 0; i < Count(); ++i)
    if (GetPicture(i) && GetPicture(i)->Step()) advanced = true;
  return advanced;
}

// ---------------------------------------------------------------------------
// Items and collection

TPictureItem::TPictureItem(TCollection* Collection) : TCollectionItem(Collection) { FPicture = CreatePicture(); }

TPictureItem::~TPictureItem() { FreeObject(FPicture); }

THTMLPicture* TPictureItem::CreatePicture() { return new THTMLPicture; }

void TPictureItem::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TPictureItem*>(Source);
  if (!src) throw EInvalidCast(L"Invalid class typecast");
  FName = src->FName;
  FTag = src->FTag;
  FPicture->Assign(src->FPicture);
}

TPictureCollection::TPictureCollection(TPictureContainer* AOwner)
    : TOwnedCollection(AOwner, ItemClass<TPictureItem>()), FOwner(AOwner) {}

bool TPictureCollection::Animate() {
  bool advanced = false;
  for (int i = 0; i < Count(); ++i)
    if (GetItem(i)->Picture()->Step()) advanced = true;
  return advanced;
}

// ---------------------------------------------------------------------------
// TPictureContainer

TPictureContainer::TPictureContainer(TComponent* AOwner) : TComponent(AOwner) { FItems = CreateItems(); }

TPictureCollection* TPictureContainer::CreateItems() { return new TPictureCollection(this); }

void TPictureContainer::Destroy() {
  for (auto& entry : FPictures) entry.second->Free();
  FPictures.clear();
  for (int i = 0; i < FControls.Count(); ++i)
    static_cast<TControl*>(FControls.Items(i))->RemoveFreeNotification(this);
  FControls.Clear();
  FreeAndNil(FItems);
  TComponent::Destroy();
}

THTMLPicture* TPictureContainer::FindPicture(const String& s) {
  const String name = AnsiUpperCase(s);
  for (int i = 0; i < FItems->Count(); ++i) {
    TPictureItem* item = FItems->GetItem(i);
    if (AnsiUpperCase(item->Name()) == name) return item->Picture();
  }
  return nullptr;
}

TPicture* TPictureContainer::FindBitmap(const String& s) {
  THTMLPicture* found = FindPicture(s);
  if (!found) return nullptr;
  // A holder handed out earlier stays valid: each name keeps its own.
  TPicture*& holder = FPictures[AnsiUpperCase(s)];
  if (!holder) holder = new TPicture;
  holder->Assign(found);
  return holder;
}

void TPictureContainer::RegisterControl(TControl* AControl) {
  if (!AControl) return;
  FControls.Add(AControl);
  AControl->FreeNotification(this);
}

void TPictureContainer::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  for (int i = FControls.Count() - 1; i >= 0; --i)
    if (FControls.Items(i) == AComponent) FControls.Delete(i);
}

void TPictureContainer::Changed() {
  for (int i = 0; i < FControls.Count(); ++i) static_cast<TControl*>(FControls.Items(i))->Invalidate();
  if (OnChange) OnChange(this);
}

uint32_t TPictureContainer::GetVersionNr() const { return (2u << 24) | (0u << 16) | (0u << 8) | 0u; }

String TPictureContainer::Version() const {
  uint32_t v = GetVersionNr();
  return IntToStr(v >> 24) + L"." + IntToStr((v >> 16) & 0xFF) + L"." + IntToStr((v >> 8) & 0xFF) + L"." +
         IntToStr(v & 0xFF);
}
