#include "base/PictureHeader.h"

#include <cstring>

#include "base/Graphics.h"
#include "base/SysUtils.h"

namespace {

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint16_t Be16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }
uint32_t Be32(const uint8_t* p) { return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3]; }

struct TReader {
  const uint8_t* Data;
  size_t Size;
  String& Error;
  bool Fail(const String& Why) {
    Error = Why;
    return false;
  }
  bool Has(uint64_t At, uint64_t Count) const { return At <= Size && Count <= Size - At; }
};

String Bytes(uint64_t n) { return IntToStr(static_cast<int64_t>(n)); }

bool ReadBMP(TReader& r, TPictureHeader& h) {
  const uint8_t* d = r.Data;
  if (!r.Has(0, 26)) return r.Fail(L"The bitmap's header is cut short");
  uint32_t offset = Le32(d + 10), infoSize = Le32(d + 14);
  if (infoSize != 12 && infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 108 && infoSize != 124)
    return r.Fail(L"The bitmap's header has an unknown size of " + Bytes(infoSize) + L" bytes");
  if (!r.Has(14, infoSize)) return r.Fail(L"The bitmap's header is cut short");
  int64_t width, height;
  uint32_t bits, compression = 0, used = 0;
  if (infoSize == 12) {
    width = Le16(d + 18);
    height = static_cast<int16_t>(Le16(d + 20));
    bits = Le16(d + 24);
  } else {
    width = static_cast<int32_t>(Le32(d + 18));
    height = static_cast<int32_t>(Le32(d + 22));
    bits = Le16(d + 28);
    compression = Le32(d + 30);
    used = Le32(d + 46);
  }
  if (height < 0) height = -height;
  if (width <= 0 || height <= 0) return r.Fail(L"The bitmap has no pixels");
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    return r.Fail(L"The bitmap has " + Bytes(bits) + L" bits per pixel");
  if (compression > 3 && compression != 6) return r.Fail(L"The bitmap's compression is not one read here");
  if (offset < 14 + infoSize || offset >= r.Size)
    return r.Fail(L"The bitmap's pixel data would start at byte " + Bytes(offset) + L", outside its " +
                  Bytes(r.Size) + L" bytes");
  uint64_t colours = bits <= 8 ? (used ? used : 1u << bits) : 0;
  if (colours > 256 || !r.Has(14 + infoSize, colours * (infoSize == 12 ? 3 : 4)))
    return r.Fail(L"The bitmap's colour table runs past its end");
  h.Width = static_cast<int>(width);
  h.Height = static_cast<int>(height);
  if (compression == 0 || compression == 3 || compression == 6) {
    uint64_t row = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
    if (row * static_cast<uint64_t>(height) > r.Size - offset)
      return r.Fail(L"The bitmap's pixels need " + Bytes(row * static_cast<uint64_t>(height)) + L" bytes; it holds " +
                    Bytes(r.Size - offset));
  }
  return true;
}

bool ReadPNG(TReader& r, TPictureHeader& h) {
  const uint8_t* d = r.Data;
  size_t at = 8;
  bool first = true;
  for (;;) {
    if (!r.Has(at, 12)) return r.Fail(L"The PNG picture is cut short (no end chunk)");
    uint32_t length = Be32(d + at);
    if (length > 0x7FFFFFFF || !r.Has(at + 12, length))
      return r.Fail(L"A PNG chunk of " + Bytes(length) + L" bytes runs past the end of the picture");
    const uint8_t* type = d + at + 4;
    if (first) {
      if (std::memcmp(type, "IHDR", 4) != 0 || length != 13) return r.Fail(L"The PNG picture has no header chunk");
      uint32_t w = Be32(d + at + 8), hh = Be32(d + at + 12);
      if (w == 0 || hh == 0 || w > 0x7FFFFFFF || hh > 0x7FFFFFFF) return r.Fail(L"The PNG picture has no pixels");
      h.Width = static_cast<int>(w);
      h.Height = static_cast<int>(hh);
      first = false;
    }
    at += 12 + length;
    if (std::memcmp(type, "IEND", 4) == 0) return true;
  }
}

bool ReadGIF(TReader& r, TPictureHeader& h) {
  const uint8_t* d = r.Data;
  if (!r.Has(0, 13)) return r.Fail(L"The GIF picture's header is cut short");
  h.Width = Le16(d + 6);
  h.Height = Le16(d + 8);
  if (h.Width == 0 || h.Height == 0) return r.Fail(L"The GIF picture has no pixels");
  if ((d[10] & 0x80) && !r.Has(13, 3u << ((d[10] & 7) + 1)))
    return r.Fail(L"The GIF picture's colour table runs past its end");
  return true;
}

bool ReadJPEG(TReader& r, TPictureHeader& h) {
  const uint8_t* d = r.Data;
  size_t at = 2;
  for (;;) {
    while (r.Has(at, 1) && d[at] == 0xFF && r.Has(at + 1, 1) && d[at + 1] == 0xFF) ++at;  // fill bytes
    if (!r.Has(at, 4) || d[at] != 0xFF) return r.Fail(L"The JPEG picture has no frame header");
    uint8_t marker = d[at + 1];
    if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
      at += 2;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) return r.Fail(L"The JPEG picture has no frame header");
    uint16_t length = Be16(d + at + 2);
    if (length < 2 || !r.Has(at + 2, length))
      return r.Fail(L"A JPEG segment of " + Bytes(length) + L" bytes runs past the end of the picture");
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      if (length < 8) return r.Fail(L"The JPEG picture's frame header is cut short");
      h.Height = Be16(d + at + 5);
      h.Width = Be16(d + at + 7);
      if (h.Width == 0 || h.Height == 0) return r.Fail(L"The JPEG picture has no pixels");
      return true;
    }
    at += 2 + length;
  }
}

bool ReadICO(TReader& r, TPictureHeader& h) {
  const uint8_t* d = r.Data;
  uint16_t count = Le16(d + 4);
  if (count == 0 || !r.Has(6, count * 16u)) return r.Fail(L"The icon's directory runs past its end");
  for (uint16_t i = 0; i < count; ++i) {
    const uint8_t* e = d + 6 + i * 16;
    uint32_t bytes = Le32(e + 8), offset = Le32(e + 12);
    if (bytes == 0 || !r.Has(offset, bytes)) return r.Fail(L"An image of the icon lies outside its data");
    // An image in bitmap form: its header and pixels fit its part.
    if (bytes >= 8 && std::memcmp(d + offset, "\x89PNG", 4) != 0) {
      const uint8_t* b = d + offset;
      if (bytes < 40 || Le32(b) < 40 || Le32(b) > bytes) return r.Fail(L"An image of the icon has no bitmap header");
      int64_t bw = static_cast<int32_t>(Le32(b + 4)), bh = static_cast<int32_t>(Le32(b + 8));
      uint32_t planes = Le16(b + 12), bits = Le16(b + 14), used = Le32(b + 32);
      if (bw <= 0 || bh <= 0 || bw > 1024 || bh > 2048 || planes != 1 ||
          (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) ||
          (bits <= 8 && used > (1u << bits)))
        return r.Fail(L"An image of the icon has a bitmap header that does not fit it");
      uint64_t colours = bits <= 8 ? (used ? used : 1u << bits) : 0;
      uint64_t rows = static_cast<uint64_t>(bh) / 2;
      uint64_t need = Le32(b) + colours * 4 + ((bw * bits + 31) / 32) * 4 * rows;
      if (need > bytes) return r.Fail(L"An image of the icon holds fewer pixels than its header says");
    }
    int w = e[0] ? e[0] : 256, hh = e[1] ? e[1] : 256;
    if (w * hh > h.Width * h.Height) {
      h.Width = w;
      h.Height = hh;
    }
  }
  return true;
}

bool ReadTIFF(TReader& r, TPictureHeader& h) {
  const uint8_t* d = r.Data;
  bool le = d[0] == 'I';
  auto u16 = [&](size_t at) { return le ? Le16(d + at) : Be16(d + at); };
  auto u32 = [&](size_t at) { return le ? Le32(d + at) : Be32(d + at); };
  uint32_t ifd = u32(4);
  if (ifd < 8 || !r.Has(ifd, 2)) return r.Fail(L"The TIFF picture's directory lies outside its data");
  uint16_t entries = u16(ifd);
  if (!r.Has(ifd + 2, entries * 12u)) return r.Fail(L"The TIFF picture's directory runs past its end");
  static const uint8_t kTypeBytes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
  for (uint16_t i = 0; i < entries; ++i) {
    size_t e = ifd + 2 + i * 12u;
    uint16_t tag = u16(e), type = u16(e + 2);
    // Every field's values lie within the data: inline up to four bytes,
    // else at the offset it names.
    if (type == 0 || type >= sizeof kTypeBytes) return r.Fail(L"A TIFF field has an unknown type");
    uint64_t bytes = static_cast<uint64_t>(u32(e + 4)) * kTypeBytes[type];
    if (bytes > 4 && !r.Has(u32(e + 8), bytes)) return r.Fail(L"A TIFF field runs past the end of the picture");
    if (tag != 256 && tag != 257) continue;
    uint32_t value = type == 3 ? u16(e + 8) : type == 4 ? u32(e + 8) : 0;
    (tag == 256 ? h.Width : h.Height) = value > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(value);
  }
  if (h.Width <= 0 || h.Height <= 0) return r.Fail(L"The TIFF picture has no pixels");
  return true;
}

// A Windows metafile: its records, each of the size it says, up to the end
// record, all within the data.
bool ReadWMF(TReader& r, size_t At) {
  const uint8_t* d = r.Data;
  if (!r.Has(At, 18) || Le16(d + At + 2) != 9) return r.Fail(L"The metafile's header is cut short");
  size_t at = At + 18;
  for (;;) {
    if (!r.Has(at, 6)) return r.Fail(L"The metafile has no end record");
    uint64_t size = static_cast<uint64_t>(Le32(d + at)) * 2;
    if (size < 6 || !r.Has(at, size)) return r.Fail(L"A metafile record of " + Bytes(size) + L" bytes runs past its end");
    if (Le16(d + at + 4) == 0) return true;
    at += static_cast<size_t>(size);
  }
}

// An enhanced metafile: the same for its records.
bool ReadEMF(TReader& r) {
  const uint8_t* d = r.Data;
  size_t at = 0;
  for (;;) {
    if (!r.Has(at, 8)) return r.Fail(L"The metafile has no end record");
    uint32_t type = Le32(d + at), size = Le32(d + at + 4);
    if (size < 8 || size % 4 != 0 || !r.Has(at, size))
      return r.Fail(L"A metafile record of " + Bytes(size) + L" bytes runs past its end");
    if (type == 14) return true;  // the end of file record
    at += size;
  }
}

}  // namespace

bool ReadPictureHeader(const uint8_t* Data, size_t Size, TPictureHeader& Header, String& Error) {
  Header = TPictureHeader{};
  Error.clear();
  TReader r{Data, Size, Error};
  if (Size > MaxPictureBytes) {
    Header.OverLimits = true;
    return r.Fail(L"The picture is " + Bytes(Size) + L" bytes long, more than the 64 MiB allowed");
  }
  const uint8_t* d = Data;
  bool ok;
  if (Size >= 2 && d[0] == 'B' && d[1] == 'M') {
    Header.Kind = TPictureKind::pkBMP;
    ok = ReadBMP(r, Header);
  } else if (Size >= 8 && std::memcmp(d, "\x89PNG\r\n\x1a\n", 8) == 0) {
    Header.Kind = TPictureKind::pkPNG;
    ok = ReadPNG(r, Header);
  } else if (Size >= 6 && (std::memcmp(d, "GIF87a", 6) == 0 || std::memcmp(d, "GIF89a", 6) == 0)) {
    Header.Kind = TPictureKind::pkGIF;
    ok = ReadGIF(r, Header);
  } else if (Size >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF) {
    Header.Kind = TPictureKind::pkJPEG;
    ok = ReadJPEG(r, Header);
  } else if (Size >= 6 && Le16(d) == 0 && (Le16(d + 2) == 1 || Le16(d + 2) == 2)) {
    Header.Kind = TPictureKind::pkICO;
    ok = ReadICO(r, Header);
  } else if (Size >= 8 && ((d[0] == 'I' && d[1] == 'I' && d[2] == 42 && d[3] == 0) ||
                           (d[0] == 'M' && d[1] == 'M' && d[2] == 0 && d[3] == 42))) {
    Header.Kind = TPictureKind::pkTIFF;
    ok = ReadTIFF(r, Header);
  } else if (Size >= 40 && Le32(d) == 0x9AC6CDD7) {
    Header.Kind = TPictureKind::pkWMF;
    ok = ReadWMF(r, 22);
  } else if (Size >= 18 && (Le16(d) == 1 || Le16(d) == 2) && Le16(d + 2) == 9) {
    Header.Kind = TPictureKind::pkWMF;
    ok = ReadWMF(r, 0);
  } else if (Size >= 88 && Le32(d) == 1 && std::memcmp(d + 40, " EMF", 4) == 0) {
    Header.Kind = TPictureKind::pkEMF;
    ok = ReadEMF(r);
  } else {
    return r.Fail(L"The data is not a picture of a kind read here");
  }
  if (!ok) return false;
  uint64_t pixels = static_cast<uint64_t>(Header.Width) * static_cast<uint64_t>(Header.Height);
  Header.OverLimits = pixels > MaxPicturePixels;
  if (Header.OverLimits)
    return r.Fail(L"The picture is " + IntToStr(Header.Width) + L" x " + IntToStr(Header.Height) +
                  L" pixels, more than the 64 megapixels allowed");
  return true;
}

void CheckPictureDataSize(uint64_t Size) {
  if (Size > MaxPictureBytes)
    throw EInvalidGraphic(L"The picture is " + Bytes(Size) + L" bytes long, more than the 64 MiB allowed");
}

void CheckPictureLimits(const uint8_t* Data, size_t Size) {
  TPictureHeader header;
  String error;
  if (!ReadPictureHeader(Data, Size, header, error) && header.OverLimits) throw EInvalidGraphic(error);
}

void LoadPictureData(TStream* Source, TMemoryStream* Target) {
  CheckPictureDataSize(static_cast<uint64_t>(Source->Size() - Source->Position()));
  TMemoryStream data;
  data.LoadFromStream(Source);
  CheckPictureLimits(static_cast<const uint8_t*>(data.Memory()), static_cast<size_t>(data.Size()));
  Target->Clear();
  data.SaveToStream(Target);
  Target->SetPosition(0);
}
