#include "ui/controls/labels/AdvReflectionLabel.h"

#include <objbase.h>
#include <propidl.h>
#include <windowsx.h>

#include <gdiplus.h>

#include <cstring>

#include "base/FileStreams.h"
#include "base/Forms.h"
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/controls/labels/LabelMarkup.h"
#include "ui/draw/GdiPlus.h"
#include "ui/draw/HtmlRender.h"
#include "ui/draw/HtmlText.h"
#include "ui/draw/PictureContainer.h"

namespace {
const wchar_t* kMimeTypes[] = {L"image/png", L"image/bmp", L"image/jpeg", L"image/tiff", L"image/gif"};

// The GDI+ encoder of a MIME type, walking the encoder list from its start.
bool FindEncoder(const wchar_t* Mime, CLSID& Clsid) {
  UINT count = 0, size = 0;
  if (Gdiplus::DllExports::GdipGetImageEncodersSize(&count, &size) != 0 || size == 0) return false;
  std::vector<BYTE> buf(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buf.data());
  if (Gdiplus::DllExports::GdipGetImageEncoders(count, size, codecs) != 0) return false;
  for (UINT i = 0; i < count; ++i)
    if (codecs[i].MimeType && lstrcmpiW(codecs[i].MimeType, Mime) == 0) {
      Clsid = codecs[i].Clsid;
      return true;
    }
  return false;
}

// A GDI+ bitmap of an area of a device context, handed over as an
// in-memory BMP. No memory for it raises; nullptr when the stream fails.
TGPBitmap* CopyAreaToGdiplus(HDC DC, int X, int Y, int W, int H) {
  TBitmap bmp(W, H, TPixelFormat::pf24bit);
  BitBlt(bmp.Canvas()->Handle(), 0, 0, W, H, DC, X, Y, SRCCOPY);
  GdiFlush();
  TMemoryStream data;
  bmp.SaveToStream(&data);
  IStream* stream = nullptr;
  switch (CreateGlobalStream(data.Memory(), static_cast<size_t>(data.Size()), &stream)) {
    case TGlobalStreamResult::gsOk: break;
    case TGlobalStreamResult::gsNoMemory: throw Exception(L"Could not allocate memory for reflection Label");
    default: return nullptr;
  }
  auto* image = new TGPBitmap(stream);
  stream->Release();
  if (image->GetLastStatus() != Ok) {
    delete image;
    return nullptr;
  }
  // A copy that no longer needs the stream.
  int w = static_cast<int>(image->GetWidth()), h = static_cast<int>(image->GetHeight());
  auto* copy = new TGPBitmap(w, h, PixelFormat32bppARGB);
  {
    TGPGraphics g(copy);
    g.DrawImage(image, 0, 0);
  }
  delete image;
  return copy;
}
}  // namespace

TAdvReflectionLabel::TAdvReflectionLabel(TComponent* AOwner) : TCustomLabel(AOwner) {
  FMarkup = new TLabelMarkup(this, [this] { UpdateChange(); });
  Font()->SetSize(12);
  Font()->SetStyle({TFontStyle::fsBold});
  SetBounds(FLeft, FTop, 185, 40);
  FText.clear();
  SetAutoSize(false);
  SetTransparent(true);
}

void TAdvReflectionLabel::Destroy() {
  FReflectionPic.reset();
  TCustomLabel::Destroy();
}

String TAdvReflectionLabel::Version() { return TAdvCustomGlowButton::VersionText(GetVersionNr()); }

void TAdvReflectionLabel::Loaded() {
  TCustomLabel::Loaded();
  FText.clear();
  UpdateChange();
}

void TAdvReflectionLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomLabel::Notification(AComponent, Operation);
  if (FMarkup) FMarkup->Notification(AComponent, Operation);
}

void TAdvReflectionLabel::SetName(const String& NewName) {
  String old = Name();
  TCustomLabel::SetName(NewName);
  if (IsLoading()) return;
  auto* owner = dynamic_cast<TControl*>(Owner());
  if (owner && owner->IsLoading()) return;
  String text = HTMLText()->Text();
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.pop_back();
  if (text == old) {
    HTMLText()->Clear();
    HTMLText()->Add(NewName);
  }
}

void TAdvReflectionLabel::UpdateChange() {
  FUpdateReflection = true;
  Invalidate();
}

void TAdvReflectionLabel::SetHTMLText(TStrings* Value) {
  // The lines joined by the markup rule, so that words of two lines do not
  // run together.
  SetJoinedMarkup(HTMLText(), Value);
  UpdateChange();
}

void TAdvReflectionLabel::SetReflectionOpacityStart(int Value) {
  if (Value < 0 || Value > 255 || Value == FReflectionOpacityStart) return;
  FReflectionOpacityStart = Value;
  FUpdateReflection = true;
  Repaint();
}

void TAdvReflectionLabel::SetReflectionOpacityEnd(int Value) {
  if (Value < 0 || Value > 255 || Value == FReflectionOpacityEnd) return;
  FReflectionOpacityEnd = Value;
  FUpdateReflection = true;
  Repaint();
}

void TAdvReflectionLabel::SetReflectionSize(int Value) {
  if (FReflectionSize == Value) return;
  FReflectionSize = Value;
  UpdateChange();
}

void TAdvReflectionLabel::SetReflectionAxis(int Value) {
  if (FReflectionAxis == Value) return;
  FReflectionAxis = Value;
  Invalidate();
}

void TAdvReflectionLabel::SetURLColor(TColor Value) {
  if (FURLColor == Value) return;
  FURLColor = Value;
  Invalidate();
}

String TAdvReflectionLabel::GetMarkup() { return FMarkup->Markup(); }

String TAdvReflectionLabel::Text() { return HtmlToPlainText(GetMarkup()); }

void TAdvReflectionLabel::Resize() {
  TCustomLabel::Resize();
  if (!IsLoading()) UpdateChange();
}

void TAdvReflectionLabel::FontChanged() {
  TCustomLabel::FontChanged();
  UpdateChange();
}

bool TAdvReflectionLabel::RenderMarkup(TCanvas* ACanvas, const TRect& R, int X, int Y, bool CheckOnly, bool Hit,
                                       String& Anchor, TRect& AnchorRect) {
  THtmlRenderParams p = FMarkup->RenderParams(ACanvas, GetMarkup(), R, X, Y);
  p.HoverLink = Hit ? -1 : FHoverHyperLink;
  p.ShadowOffset = 2;
  p.CheckOnly = CheckOnly;
  p.URLColor = Hit ? clWhite : FURLColor;
  p.ShadowColor = Hit ? clNone : clGray;
  THtmlRenderResult r;
  bool over = RenderHtml(p, r);
  FXSize = r.XSize;
  FYSize = r.YSize;
  if (Hit) FHoverHyperLink = r.MouseLink;
  if (over) {
    Anchor = r.AnchorVal;
    AnchorRect = r.HoverRect;
  }
  return over;
}

TSize TAdvReflectionLabel::HTMLSize() {
  TBitmap b(1, 1);
  b.Canvas()->Font()->Assign(Font());
  String a;
  TRect ar;
  RenderMarkup(b.Canvas(), TRect(0, 0, 4096, 4096), -1, -1, true, false, a, ar);
  return TSize(FXSize, FYSize);
}

void TAdvReflectionLabel::BuildReflection(TCanvas* ACanvas) {
  FUpdateReflection = false;
  int w = FXSize, h = FYSize;
  String m = GetMarkup();
  String compact;
  for (wchar_t c : m)
    if (c != L' ') compact += c;
  compact = AnsiLowerCase(compact);
  if (compact.find(L"align=\"center\"") != String::npos)
    FXStart = (FWidth - w) / 2;
  else if (compact.find(L"align=\"right\"") != String::npos)
    FXStart = FWidth - w;
  else
    FXStart = 0;
  if (w <= 0 || h <= 0) return;
  std::unique_ptr<TGPBitmap> src(CopyAreaToGdiplus(ACanvas->Handle(), FXStart, 0, w, h));
  if (!src) return;
  src->RotateFlip(Rotate180FlipX);  // upside down
  auto pic = std::make_unique<TGPBitmap>(w, h, PixelFormat32bppARGB);
  int n = FReflectionSize;
  for (int i = 0; i < h; ++i) {
    int rowAlpha = 0;
    if (i < n) {
      long double v = static_cast<long double>(n - i) / n * FReflectionOpacityStart +
                      static_cast<long double>(i) / n * FReflectionOpacityEnd;
      rowAlpha = static_cast<int>(Max<int64_t>(0, Min<int64_t>(255, Round(v))));
    }
    for (int x = 0; x < w; ++x) {
      ARGB px = 0;
      src->GetPixel(x, i, px);
      if (ArgbAlpha(px) == 0) continue;
      int a = static_cast<int>(Round(static_cast<long double>(rowAlpha) / 255 * ArgbAlpha(px)));
      pic->SetPixel(x, i, ComposeArgb(static_cast<BYTE>(a), ArgbRed(px), ArgbGreen(px), ArgbBlue(px)));
    }
  }
  FReflectionPic = std::move(pic);
}

void TAdvReflectionLabel::PaintOnce() {
  TCanvas* c = Canvas();
  TRect client = ClientRect();
  FText.clear();
  if (!Transparent()) {
    c->Brush()->SetColor(Color());
    c->Pen()->SetColor(Color());
    c->FillRect(client);
  }
  c->Font()->Assign(Font());
  if (FMarkup->Updating()) return;
  if (FReflectionPic && !FUpdateReflection) {
    TGPGraphics g(c->Handle());
    g.DrawImage(FReflectionPic.get(), FXStart, FYSize + FReflectionAxis);
  }
  TPoint cur = Screen ? ScreenToClient(Screen->CursorPos()) : TPoint();
  String a;
  TRect ar;
  RenderMarkup(c, client, cur.x, cur.y, false, false, a, ar);
}

void TAdvReflectionLabel::Paint() {
  PaintOnce();
  if (FUpdateReflection && !IsLoading() && !FMarkup->Updating() && FYSize > 0) {
    BuildReflection(Canvas());
    PaintOnce();
  }
}

bool TAdvReflectionLabel::SaveToFile(const String& FileName, TImageType ImageType) {
  if (!FReflectionPic || !FParent) return false;
  // What the label shows now: paint it into a bitmap of its size.
  TBitmap shot(Max(1, FWidth), Max(1, FHeight), TPixelFormat::pf24bit);
  HDC dc = shot.Canvas()->Handle();
  int saved = SaveDC(dc);
  OffsetWindowOrgEx(dc, FLeft, FTop, nullptr);
  FParent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
  RestoreDC(dc, saved);
  Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  std::unique_ptr<TGPBitmap> image(CopyAreaToGdiplus(dc, 0, 0, FWidth, FHeight));
  if (!image) return false;
  CLSID clsid;
  if (!FindEncoder(kMimeTypes[static_cast<int>(ImageType)], clsid)) return false;
  EncoderParameters params{};
  ULONG quality = 100;
  BuildQualityParameters(100, params, quality);
  if (image->Save(FileName, &clsid, &params) != Ok) return false;
  return FileExists(FileName);
}

// ---------------------------------------------------------------------------
// Mouse

String TAdvReflectionLabel::HitTest(int X, int Y) {
  TBitmap b(1, 1);
  b.Canvas()->Font()->Assign(Font());
  String anchor;
  TRect ar(-1, -1, -1, -1);
  if (!RenderMarkup(b.Canvas(), ClientRect(), X, Y, true, true, anchor, ar)) {
    FHoverHyperLink = -1;
    return String();
  }
  FCurrHoverRect = ar;
  return anchor;
}

void TAdvReflectionLabel::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomLabel::MouseMove(Shift, X, Y);
  String anchor = HitTest(X, Y);
  if (!anchor.empty()) {
    if (Cursor() == crDefault || anchor != FAnchor || FHoverHyperLink != FOldHoverHyperLink) SetCursor(crHandPoint);
    FAnchor = anchor;
    FOldHoverHyperLink = FHoverHyperLink;
  } else if (Cursor() == crHandPoint) {
    SetCursor(crDefault);
    FAnchor.clear();
    FCurrHoverRect = TRect();
  }
}

void TAdvReflectionLabel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomLabel::MouseDown(Button, Shift, X, Y);
  String anchor = HitTest(X, Y);
  if (!anchor.empty()) OpenLinkAnchor(anchor);
}

void TAdvReflectionLabel::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSELEAVE:
      FHoverHyperLink = -1;
      TCustomLabel::Dispatch(Message);
      return;
    case CM_HINTSHOW:
      Message.Result = 0;
      return;
    default:
      TCustomLabel::Dispatch(Message);
  }
}
