#include "app/SmsImages.h"

#include <initializer_list>
#include <memory>

#include "ui/draw/GdiPlus.h"
#include "ui/draw/GdipPicture.h"

namespace {

// Drawing on a bitmap's DC with pens and brushes of our own, each put back
// after the call.
class TPainter {
 public:
  explicit TPainter(TBitmap* B) : FDC(B->Canvas()->Handle()) {}

  void Fill(const TRect& R, TColor Color) {
    HBRUSH b = CreateSolidBrush(static_cast<COLORREF>(Color));
    RECT r = R;
    FillRect(FDC, &r, b);
    DeleteObject(b);
  }
  void Polygon(std::initializer_list<POINT> Points, TColor FillColor, TColor LineColor) {
    With(FillColor, LineColor, 1, [&] { ::Polygon(FDC, Points.begin(), static_cast<int>(Points.size())); });
  }
  void Ellipse(const TRect& R, TColor FillColor, TColor LineColor, int Width = 1) {
    With(FillColor, LineColor, Width, [&] { ::Ellipse(FDC, R.left, R.top, R.right, R.bottom); });
  }
  void Rect(const TRect& R, TColor FillColor, TColor LineColor) {
    With(FillColor, LineColor, 1, [&] { ::Rectangle(FDC, R.left, R.top, R.right, R.bottom); });
  }
  void Line(std::initializer_list<POINT> Points, TColor Color, int Width = 1) {
    With(clNone, Color, Width, [&] { ::Polyline(FDC, Points.begin(), static_cast<int>(Points.size())); });
  }
  void Arc(const TRect& R, POINT From, POINT To, TColor Color, int Width) {
    With(clNone, Color, Width, [&] { ::Arc(FDC, R.left, R.top, R.right, R.bottom, From.x, From.y, To.x, To.y); });
  }

 private:
  template <class F>
  void With(TColor FillColor, TColor LineColor, int Width, F Draw) {
    HPEN pen = LineColor == clNone ? static_cast<HPEN>(GetStockObject(NULL_PEN))
                                   : CreatePen(PS_SOLID, Width, static_cast<COLORREF>(LineColor));
    HBRUSH brush = FillColor == clNone ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))
                                       : CreateSolidBrush(static_cast<COLORREF>(FillColor));
    HGDIOBJ oldPen = SelectObject(FDC, pen);
    HGDIOBJ oldBrush = SelectObject(FDC, brush);
    Draw();
    SelectObject(FDC, oldPen);
    SelectObject(FDC, oldBrush);
    if (LineColor != clNone) DeleteObject(pen);
    if (FillColor != clNone) DeleteObject(brush);
  }
  HDC FDC;
};

std::unique_ptr<TBitmap> Blank(int W, int H) {
  auto b = std::make_unique<TBitmap>(W, H, TPixelFormat::pf24bit);
  TPainter(b.get()).Fill(TRect(0, 0, W, H), SmsImageMaskColor);
  return b;
}

void Envelope(TPainter& P, const TRect& R, TColor Paper, TColor Line, bool Open) {
  int mx = (R.left + R.right) / 2;
  if (Open) {
    // The flap stands up behind the letter.
    P.Polygon({{R.left, R.top + R.Height() / 3}, {mx, R.top - R.Height() / 4}, {R.right - 1, R.top + R.Height() / 3}},
              Paper, Line);
  }
  P.Rect(TRect(R.left, R.top + (Open ? R.Height() / 3 : 0), R.right, R.bottom), Paper, Line);
  int top = R.top + (Open ? R.Height() / 3 : 0);
  P.Line({{R.left, top}, {mx, top + (R.bottom - top) * 3 / 5}, {R.right - 1, top}}, Line);
}

void Assign(TPicture* Picture, TBitmap* B) { Picture->Assign(B); }

void AddImage(TCustomImageList* Images, TBitmap* B) { Images->AddMasked(B, SmsImageMaskColor); }

// A bar of Count out of Of filled with Color, for the progress images.
void Gauge(TPainter& P, int Count, int Of, TColor Color) {
  P.Rect(TRect(1, 5, 15, 12), 0xFFFFFF, 0x808080);
  int w = Of > 0 ? (12 * Count + Of / 2) / Of : 0;
  if (w > 0) P.Fill(TRect(2, 6, 2 + w, 11), Color);
}

}  // namespace

void DrawSearchPicture(TPicture* Picture) {
  auto b = Blank(16, 16);
  TPainter p(b.get());
  p.Line({{9, 9}, {14, 14}}, 0x404040, 3);
  p.Ellipse(TRect(1, 1, 11, 11), 0xFFF0E0, 0x804020, 2);
  Assign(Picture, b.get());
}

void DrawRefreshPicture(TPicture* Picture) {
  auto b = Blank(18, 18);
  TPainter p(b.get());
  const TColor c = 0x30A030;
  p.Arc(TRect(2, 2, 16, 16), {16, 2}, {2, 9}, c, 2);
  p.Arc(TRect(2, 2, 16, 16), {2, 16}, {16, 9}, c, 2);
  p.Polygon({{11, 1}, {16, 1}, {16, 6}}, c, c);
  p.Polygon({{6, 16}, {1, 16}, {1, 11}}, c, c);
  Assign(Picture, b.get());
}

void DrawInBoxPicture(TPicture* Picture) {
  auto b = Blank(32, 32);
  TPainter p(b.get());
  p.Polygon({{2, 20}, {8, 14}, {23, 14}, {29, 20}, {29, 29}, {2, 29}}, 0xE0C8A8, 0x805020);
  Envelope(p, TRect(9, 2, 23, 12), 0xFFFFFF, 0x805020, false);
  p.Polygon({{12, 13}, {19, 13}, {15, 19}}, 0x0080FF, 0x0060C0);
  p.Rect(TRect(2, 20, 30, 30), 0xF0D8B8, 0x805020);
  Assign(Picture, b.get());
}

void DrawOutBoxPicture(TPicture* Picture) {
  auto b = Blank(32, 32);
  TPainter p(b.get());
  p.Polygon({{2, 20}, {8, 14}, {23, 14}, {29, 20}, {29, 29}, {2, 29}}, 0xD0E8D0, 0x407040);
  Envelope(p, TRect(9, 8, 23, 18), 0xFFFFFF, 0x407040, false);
  p.Polygon({{12, 7}, {19, 7}, {15, 1}}, 0x60BF00, 0x409000);
  p.Rect(TRect(2, 20, 30, 30), 0xE0F0E0, 0x407040);
  Assign(Picture, b.get());
}

namespace {
void Handset(TPainter& P, TColor Color, bool Lifted) {
  if (Lifted) {
    P.Polygon({{3, 5}, {8, 3}, {10, 8}, {8, 10}, {14, 16}, {16, 14}, {21, 16}, {19, 21}, {13, 20}, {4, 11}}, Color,
              0x404040);
  } else {
    P.Polygon({{2, 13}, {5, 9}, {19, 9}, {22, 13}, {21, 16}, {16, 16}, {16, 13}, {8, 13}, {8, 16}, {3, 16}}, Color,
              0x404040);
  }
}
}  // namespace

bool SaveBitmapAsPng(TBitmap* Bitmap, TStream* Stream, TColor MaskColor) {
  // GDI+'s PNG encoder.
  static const CLSID kPngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
  const int w = Bitmap->Width(), h = Bitmap->Height();
  TGPBitmap image(w, h, PixelFormat32bppARGB);
  if (image.GetLastStatus() != Ok) return false;
  // Rows of 24- or 32-bit pixels in blue, green, red order.
  TBitmap copy;
  copy.Assign(Bitmap);
  copy.SetPixelFormat(TPixelFormat::pf32bit);
  for (int y = 0; y < h; ++y) {
    const BYTE* row = static_cast<const BYTE*>(copy.ScanLine(y));
    for (int x = 0; x < w; ++x) {
      const BYTE* px = row + 4 * x;
      TColor c = RGB(px[2], px[1], px[0]);
      ARGB argb = c == MaskColor ? 0 : 0xFF000000u | (px[2] << 16) | (px[1] << 8) | px[0];
      image.SetPixel(x, y, argb);
    }
  }
  IStream* stream = nullptr;
  if (CreateStreamOnHGlobal(nullptr, TRUE, &stream) != S_OK) return false;
  bool ok = image.Save(stream, &kPngEncoder) == Ok;
  STATSTG stat{};
  LARGE_INTEGER zero{};
  if (ok) ok = stream->Stat(&stat, STATFLAG_NONAME) == S_OK && stream->Seek(zero, STREAM_SEEK_SET, nullptr) == S_OK;
  if (ok) {
    std::string bytes(static_cast<size_t>(stat.cbSize.QuadPart), '\0');
    ULONG got = 0;
    ok = stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &got) == S_OK && got == bytes.size();
    if (ok) Stream->WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
  }
  stream->Release();
  return ok;
}

namespace {
void AsGlassPicture(TBitmap* B, TGDIPPicture* Picture) {
  TMemoryStream png;
  if (!SaveBitmapAsPng(B, &png, SmsImageMaskColor)) return;
  png.SetPosition(0);
  Picture->LoadFromStream(&png);
}
}  // namespace

void DrawCallPicture(TGDIPPicture* Picture) {
  auto b = Blank(24, 24);
  TPainter p(b.get());
  Handset(p, 0x30B030, true);
  AsGlassPicture(b.get(), Picture);
}

void DrawHangUpPicture(TGDIPPicture* Picture) {
  auto b = Blank(24, 24);
  TPainter p(b.get());
  Handset(p, 0x2020D0, false);
  AsGlassPicture(b.get(), Picture);
}

void FillInBoxImages(TCustomImageList* Images) {
  {
    auto b = Blank(16, 16);
    TPainter p(b.get());
    Envelope(p, TRect(1, 3, 15, 13), 0x80F0FF, 0x0060A0, false);
    AddImage(Images, b.get());
  }
  {
    auto b = Blank(16, 16);
    TPainter p(b.get());
    Envelope(p, TRect(1, 4, 15, 15), 0xF0F0F0, 0x808080, true);
    AddImage(Images, b.get());
  }
  {
    auto b = Blank(16, 16);
    TPainter p(b.get());
    p.Polygon({{1, 7}, {7, 2}, {7, 5}, {14, 5}, {14, 13}, {11, 13}, {11, 9}, {7, 9}, {7, 12}}, 0x20A0FF, 0x0060C0);
    AddImage(Images, b.get());
  }
}

void FillSendStateImages(TCustomImageList* Images) {
  for (int i = 0; i <= 11; ++i) {
    auto b = Blank(16, 16);
    TPainter p(b.get());
    Gauge(p, i, 11, 0xE08020);
    AddImage(Images, b.get());
  }
  auto b = Blank(16, 16);
  TPainter p(b.get());
  p.Line({{3, 3}, {13, 13}}, 0x0000E0, 3);
  p.Line({{13, 3}, {3, 13}}, 0x0000E0, 3);
  AddImage(Images, b.get());
}

void FillDeliveryImages(TCustomImageList* Images) {
  {
    auto b = Blank(16, 16);
    TPainter p(b.get());
    p.Ellipse(TRect(4, 4, 12, 12), 0xE0E0E0, 0xA0A0A0);
    AddImage(Images, b.get());
  }
  {
    auto b = Blank(16, 16);
    TPainter p(b.get());
    p.Line({{2, 8}, {6, 12}, {14, 3}}, 0x00A000, 3);
    AddImage(Images, b.get());
  }
  for (int i = 0; i <= 12; ++i) {
    auto b = Blank(16, 16);
    TPainter p(b.get());
    Gauge(p, i, 12, 0x00B000);
    AddImage(Images, b.get());
  }
}
