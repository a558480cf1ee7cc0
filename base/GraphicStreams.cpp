// The file formats of the graphics: BMP for bitmaps, ICO for icons.
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "base/FileStreams.h"
#include "base/Graphics.h"
#include "base/PictureHeader.h"

namespace {
std::vector<BYTE> ReadRest(TStream* Stream) {
  int64_t n = Stream->Size() - Stream->Position();
  std::vector<BYTE> data(static_cast<size_t>(n > 0 ? n : 0));
  if (!data.empty()) Stream->ReadBuffer(data.data(), static_cast<int>(data.size()));
  return data;
}
}  // namespace

// ---------------------------------------------------------------------------
// TGraphic

void TGraphic::LoadFromStream(TStream*) { throw EInvalidGraphic(L"%s cannot be read from a stream", {ClassName()}); }

void TGraphic::SaveToStream(TStream*) { throw EInvalidGraphic(L"%s cannot be written to a stream", {ClassName()}); }

void TGraphic::LoadFromFile(const String& FileName) {
  TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&f);
}

void TGraphic::SaveToFile(const String& FileName) {
  TFileStream f(FileName, fmCreate);
  SaveToStream(&f);
}

// ---------------------------------------------------------------------------
// TBitmap

TGraphic* TBitmap::Clone() const {
  auto* b = new TBitmap;
  b->Assign(const_cast<TBitmap*>(this));
  return b;
}

void TBitmap::LoadFromStream(TStream* Stream) {
  std::vector<BYTE> data = ReadRest(Stream);
  if (data.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) || data[0] != 'B' || data[1] != 'M')
    throw EInvalidGraphic(L"Bitmap image is not valid");
  BITMAPFILEHEADER fh;
  std::memcpy(&fh, data.data(), sizeof(fh));
  auto* info = reinterpret_cast<BITMAPINFO*>(data.data() + sizeof(fh));
  const BITMAPINFOHEADER& h = info->bmiHeader;
  const WORD bpp = h.biBitCount;
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > sizeof(BITMAPV5HEADER) || h.biWidth <= 0 ||
      h.biHeight == 0 || (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) ||
      (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS))
    throw EInvalidGraphic(L"Bitmap image is not valid");
  // The header and what the platform reads after it (the colour table, or
  // the three masks of a short bit-fields header) lie inside the data.
  size_t table = 0;
  if (bpp <= 8)
    table = (h.biClrUsed != 0 && h.biClrUsed < (1u << bpp) ? h.biClrUsed : (1u << bpp)) * sizeof(RGBQUAD);
  else if (h.biCompression == BI_BITFIELDS && h.biSize == sizeof(BITMAPINFOHEADER))
    table = 3 * sizeof(DWORD);
  if (sizeof(fh) + h.biSize + table > data.size()) throw EInvalidGraphic(L"Bitmap image is not valid");
  const size_t rowBytes = ((static_cast<size_t>(h.biWidth) * bpp + 31) / 32) * 4;
  const size_t rows = static_cast<size_t>(h.biHeight < 0 ? -static_cast<int64_t>(h.biHeight) : h.biHeight);
  if (rows > (data.size() + 1) / rowBytes) throw EInvalidGraphic(L"Bitmap image is not valid");
  const size_t bytes = rowBytes * rows;
  if (fh.bfOffBits >= data.size() || data.size() - fh.bfOffBits < bytes)
    throw EInvalidGraphic(L"Bitmap image is not valid");
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dib && !bits) {
    DeleteObject(dib);
    dib = nullptr;
  }
  if (!dib) throw EInvalidGraphic(L"Bitmap image is not valid");
  std::memcpy(bits, data.data() + fh.bfOffBits, bytes);
  GdiFlush();
  SetHandle(dib);  // copies and deletes
}

void TBitmap::SaveToStream(TStream* Stream) {
  int bc = Empty() ? 32 : BitCount();
  int colors = bc <= 8 ? 1 << bc : 0;
  std::vector<RGBQUAD> palette(static_cast<size_t>(colors));
  if (colors && FHandle) {
    HDC dc = Canvas()->Handle();
    GetDIBColorTable(dc, 0, static_cast<UINT>(colors), palette.data());
  }
  BITMAPINFOHEADER h{};
  h.biSize = sizeof(h);
  h.biWidth = FWidth;
  h.biHeight = -FHeight;
  h.biPlanes = 1;
  h.biBitCount = static_cast<WORD>(bc);
  h.biCompression = BI_RGB;
  h.biClrUsed = static_cast<DWORD>(colors);
  DWORD imageBytes = static_cast<DWORD>(RowBytes()) * static_cast<DWORD>(FHeight);
  h.biSizeImage = imageBytes;
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = static_cast<DWORD>(sizeof(fh) + sizeof(h) + palette.size() * sizeof(RGBQUAD));
  fh.bfSize = fh.bfOffBits + imageBytes;
  Stream->WriteBuffer(&fh, sizeof(fh));
  Stream->WriteBuffer(&h, sizeof(h));
  if (!palette.empty()) Stream->WriteBuffer(palette.data(), static_cast<int>(palette.size() * sizeof(RGBQUAD)));
  for (int y = 0; y < FHeight; ++y) Stream->WriteBuffer(ScanLine(y), RowBytes());
}

// ---------------------------------------------------------------------------
// TIcon

TGraphic* TIcon::Clone() const {
  auto* i = new TIcon;
  i->Assign(const_cast<TIcon*>(this));
  return i;
}

void TIcon::LoadFromStream(TStream* Stream) {
  std::vector<BYTE> data = ReadRest(Stream);
  if (data.size() < 6 + 16 || data[0] || data[1] || data[2] != 1 || data[3] != 0)
    throw EInvalidGraphic(L"Icon image is not valid");
  // Every image of the icon fits its part before the platform reads one.
  TPictureHeader header;
  String error;
  if (!ReadPictureHeader(data.data(), data.size(), header, error)) throw EInvalidGraphic(L"Icon image is not valid: " + error);
  int count = data[4] | (data[5] << 8);
  if (count < 1 || data.size() < 6 + 16u * static_cast<size_t>(count)) throw EInvalidGraphic(L"Icon image is not valid");
  // The entry nearest the system icon size.
  int want = GetSystemMetrics(SM_CXICON), best = 0, bestDiff = 1 << 30;
  for (int i = 0; i < count; ++i) {
    int w = data[6 + 16 * i] ? data[6 + 16 * i] : 256;
    int d = w > want ? w - want : want - w;
    if (d < bestDiff) bestDiff = d, best = i;
  }
  const BYTE* e = data.data() + 6 + 16 * best;
  DWORD size, offset;
  std::memcpy(&size, e + 8, 4);
  std::memcpy(&offset, e + 12, 4);
  if (offset > data.size() || data.size() - offset < size) throw EInvalidGraphic(L"Icon image is not valid");
  HICON icon = CreateIconFromResourceEx(data.data() + offset, size, TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
  if (!icon) throw EInvalidGraphic(L"Icon image is not valid");
  SetHandle(icon);
}

void TIcon::SaveToStream(TStream* Stream) {
  if (!FHandle) throw EInvalidGraphic(L"Cannot save an empty icon");
  int w = Width(), h = Height();
  // Colour and mask as bottom-up DIBs, as the ICO format keeps them.
  TBitmap color(w, h, TPixelFormat::pf32bit);
  std::memset(color.ScanLine(0), 0, static_cast<size_t>(color.RowBytes()) * h);
  DrawIconEx(color.Canvas()->Handle(), 0, 0, FHandle, w, h, 0, nullptr, DI_NORMAL);
  TBitmap mask(w, h, TPixelFormat::pf1bit);
  std::memset(mask.ScanLine(0), 0xFF, static_cast<size_t>(mask.RowBytes()) * h);
  DrawIconEx(mask.Canvas()->Handle(), 0, 0, FHandle, w, h, 0, nullptr, DI_MASK);
  GdiFlush();
  // An icon without alpha gets it from its mask.
  bool hasAlpha = false;
  for (int y = 0; y < h && !hasAlpha; ++y) {
    auto* row = static_cast<BYTE*>(color.ScanLine(y));
    for (int x = 0; x < w; ++x) if (row[x * 4 + 3]) { hasAlpha = true; break; }
  }
  int maskRow = ((w + 31) / 32) * 4;
  for (int y = 0; y < h && !hasAlpha; ++y) {
    auto* row = static_cast<BYTE*>(color.ScanLine(y));
    auto* m = static_cast<BYTE*>(mask.ScanLine(y));
    for (int x = 0; x < w; ++x) row[x * 4 + 3] = (m[x / 8] & (0x80 >> (x % 8))) ? 0 : 255;
  }
  DWORD colorBytes = static_cast<DWORD>(w * 4 * h), maskBytes = static_cast<DWORD>(maskRow * h);
  BITMAPINFOHEADER bh{};
  bh.biSize = sizeof(bh);
  bh.biWidth = w;
  bh.biHeight = h * 2;
  bh.biPlanes = 1;
  bh.biBitCount = 32;
  bh.biSizeImage = colorBytes + maskBytes;
  DWORD imageSize = sizeof(bh) + colorBytes + maskBytes;
  BYTE dir[6] = {0, 0, 1, 0, 1, 0};
  BYTE entry[16] = {static_cast<BYTE>(w >= 256 ? 0 : w), static_cast<BYTE>(h >= 256 ? 0 : h), 0, 0, 1, 0, 32, 0};
  std::memcpy(entry + 8, &imageSize, 4);
  DWORD offset = 6 + 16;
  std::memcpy(entry + 12, &offset, 4);
  Stream->WriteBuffer(dir, 6);
  Stream->WriteBuffer(entry, 16);
  Stream->WriteBuffer(&bh, sizeof(bh));
  for (int y = h - 1; y >= 0; --y) Stream->WriteBuffer(color.ScanLine(y), w * 4);
  for (int y = h - 1; y >= 0; --y) Stream->WriteBuffer(mask.ScanLine(y), maskRow);
}
