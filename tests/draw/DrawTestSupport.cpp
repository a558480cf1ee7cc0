#include "tests/draw/DrawTestSupport.h"

#include <objbase.h>
#include <propidl.h>
#include <zlib.h>

#include <gdiplus.h>

#include <cstdlib>
#include <vector>

#include "base/Streams.h"

namespace {
void Put32(std::string& s, uint32_t v) {
  for (int i = 3; i >= 0; --i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void Chunk(std::string& out, const char* type, const std::string& data) {
  Put32(out, static_cast<uint32_t>(data.size()));
  std::string body = std::string(type, 4) + data;
  out += body;
  Put32(out, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}
}  // namespace

std::string MakePng(int W, int H, TColor Color) {
  std::string out = "\x89PNG\r\n\x1a\n";
  std::string ihdr;
  Put32(ihdr, static_cast<uint32_t>(W));
  Put32(ihdr, static_cast<uint32_t>(H));
  ihdr += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB
  Chunk(out, "IHDR", ihdr);
  std::string raw;
  for (int y = 0; y < H; ++y) {
    raw.push_back(0);
    for (int x = 0; x < W; ++x) {
      raw.push_back(static_cast<char>(Color & 0xFF));
      raw.push_back(static_cast<char>((Color >> 8) & 0xFF));
      raw.push_back(static_cast<char>((Color >> 16) & 0xFF));
    }
  }
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string z(size, '\0');
  compress(reinterpret_cast<Bytef*>(&z[0]), &size, reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()));
  z.resize(size);
  Chunk(out, "IDAT", z);
  Chunk(out, "IEND", "");
  return out;
}

std::string MakeGif(int W, int H, TColor Color) {
  std::string out = "GIF89a";
  auto put16 = [&](int v) { out.push_back(static_cast<char>(v & 0xFF)); out.push_back(static_cast<char>(v >> 8)); };
  put16(W);
  put16(H);
  out += std::string("\x80\x00\x00", 3);  // two-entry colour table
  out.push_back(static_cast<char>(Color & 0xFF));
  out.push_back(static_cast<char>((Color >> 8) & 0xFF));
  out.push_back(static_cast<char>((Color >> 16) & 0xFF));
  out += std::string(3, '\0');
  out.push_back(',');
  put16(0);
  put16(0);
  put16(W);
  put16(H);
  out.push_back(0);
  out.push_back(2);  // minimum code size: clear 4, end 5, three-bit codes
  // A clear code before each pixel keeps the codes three bits wide.
  std::vector<int> codes;
  for (int i = 0; i < W * H; ++i) codes.push_back(4), codes.push_back(0);
  codes.push_back(5);
  std::string data;
  unsigned acc = 0;
  int bits = 0;
  for (int c : codes) {
    acc |= static_cast<unsigned>(c) << bits;
    bits += 3;
    while (bits >= 8) data.push_back(static_cast<char>(acc & 0xFF)), acc >>= 8, bits -= 8;
  }
  if (bits) data.push_back(static_cast<char>(acc & 0xFF));
  for (size_t i = 0; i < data.size(); i += 255) {
    std::string block = data.substr(i, 255);
    out.push_back(static_cast<char>(block.size()));
    out += block;
  }
  out.push_back(0);
  out.push_back(';');
  return out;
}

std::string MakeBmp(int W, int H, TColor Color) {
  TBitmap bmp(W, H, TPixelFormat::pf24bit);
  bmp.Canvas()->Brush()->SetColor(Color);
  bmp.Canvas()->FillRect(TRect(0, 0, W, H));
  TMemoryStream ms;
  bmp.SaveToStream(&ms);
  return std::string(static_cast<const char*>(ms.Memory()), static_cast<size_t>(ms.Size()));
}

std::string EncodeWithGdiplus(const wchar_t* MimeType, int W, int H, TColor Color) {
  using namespace Gdiplus::DllExports;
  UINT count = 0, bytes = 0;
  if (GdipGetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || !bytes) return "";
  std::vector<BYTE> buf(bytes);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buf.data());
  if (GdipGetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return "";
  const CLSID* clsid = nullptr;
  for (UINT i = 0; i < count; ++i)
    if (lstrcmpiW(codecs[i].MimeType, MimeType) == 0) clsid = &codecs[i].Clsid;
  if (!clsid) return "";
  Gdiplus::GpBitmap* bmp = nullptr;
  GdipCreateBitmapFromScan0(W, H, 0, PixelFormat24bppRGB, nullptr, &bmp);
  Gdiplus::ARGB argb = 0xFF000000 | ((Color & 0xFF) << 16) | (Color & 0xFF00) | ((Color >> 16) & 0xFF);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) GdipBitmapSetPixel(bmp, x, y, argb);
  IStream* stream = nullptr;
  CreateStreamOnHGlobal(nullptr, TRUE, &stream);
  std::string out;
  if (GdipSaveImageToStream(bmp, stream, clsid, nullptr) == Gdiplus::Ok) {
    STATSTG st{};
    stream->Stat(&st, STATFLAG_NONAME);
    out.resize(static_cast<size_t>(st.cbSize.QuadPart));
    LARGE_INTEGER zero{};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    ULONG got = 0;
    stream->Read(&out[0], static_cast<ULONG>(out.size()), &got);
  }
  stream->Release();
  GdipDisposeImage(bmp);
  return out;
}

int ColorDistance(TColor A, TColor B) {
  int d = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    int v = std::abs(((A >> shift) & 0xFF) - ((B >> shift) & 0xFF));
    if (v > d) d = v;
  }
  return d;
}

// Fills (0, 0, W, H) with Color on a metafile device context.
static void FillMeta(HDC Dc, int W, int H, TColor Color) {
  HBRUSH brush = CreateSolidBrush(Color);
  HGDIOBJ oldBrush = SelectObject(Dc, brush);
  HGDIOBJ oldPen = SelectObject(Dc, GetStockObject(NULL_PEN));
  Rectangle(Dc, 0, 0, W + 1, H + 1);
  SelectObject(Dc, oldPen);
  SelectObject(Dc, oldBrush);
  DeleteObject(brush);
}

// An enhanced metafile of a W x H rectangle of one colour.
std::string MakeEmf(int W, int H, TColor Color) {
  HDC ref = GetDC(nullptr);
  // The frame in hundredths of a millimetre, from the screen's resolution.
  int mmX = GetDeviceCaps(ref, HORZSIZE) * 100, pxX = GetDeviceCaps(ref, HORZRES);
  int mmY = GetDeviceCaps(ref, VERTSIZE) * 100, pxY = GetDeviceCaps(ref, VERTRES);
  RECT frame{0, 0, MulDiv(W, mmX, pxX), MulDiv(H, mmY, pxY)};
  HDC dc = CreateEnhMetaFileW(ref, nullptr, &frame, nullptr);
  ReleaseDC(nullptr, ref);
  FillMeta(dc, W, H, Color);
  HENHMETAFILE emf = CloseEnhMetaFile(dc);
  std::string bytes(GetEnhMetaFileBits(emf, 0, nullptr), '\0');
  GetEnhMetaFileBits(emf, static_cast<UINT>(bytes.size()), reinterpret_cast<BYTE*>(bytes.data()));
  DeleteEnhMetaFile(emf);
  return bytes;
}

// A placeable Windows metafile of the same, 96 units to the inch.
std::string MakePlaceableWmf(int W, int H, TColor Color) {
  HDC dc = CreateMetaFileW(nullptr);
  FillMeta(dc, W, H, Color);
  HMETAFILE wmf = CloseMetaFile(dc);
  std::string body(GetMetaFileBitsEx(wmf, 0, nullptr), '\0');
  GetMetaFileBitsEx(wmf, static_cast<UINT>(body.size()), body.data());
  DeleteMetaFile(wmf);
  WORD head[11] = {0xCDD7, 0x9AC6, 0, 0, 0, static_cast<WORD>(W), static_cast<WORD>(H), 96, 0, 0, 0};
  for (int i = 0; i < 10; ++i) head[10] ^= head[i];
  return std::string(reinterpret_cast<const char*>(head), sizeof(head)) + body;
}
