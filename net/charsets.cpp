#include "net/charsets.h"

#include <cstring>
#include <string_view>

#include "net/charsets_tables.h"
#include "net/iconvbind.h"
#include "net/netcodec.h"

const TSubstitutionTable NoSubstitution = {0};

// The built-in path streams: a decoder reads the source and hands each
// character to an encoder, which writes the target. The intermediate UTF-16
// text exists as a buffer only where a pass needs it whole (iconv, UTF-7,
// substitution tables).

namespace {

constexpr uint32_t kReplacement = 0xFFFD;
constexpr uint32_t kByteOrderMark = 0xFEFF;
constexpr uint32_t kSwappedByteOrderMark = 0xFFFE;
constexpr uint32_t kSwappedByteOrderMark32 = 0xFFFE0000;
constexpr char kTransliterated = '_';

// The intermediate text: UTF-16 code units.
using TUnits = std::u16string;

bool IsHighSurrogate(uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }
uint32_t CombineSurrogates(uint32_t high, uint32_t low) { return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00); }

inline bool AllAscii8(const unsigned char* p) {
  uint64_t w;
  std::memcpy(&w, p, 8);
  return (w & 0x8080808080808080ull) == 0;
}

// The length of the run of ASCII bytes at p.
inline size_t AsciiRun(const unsigned char* p, const unsigned char* end) {
  const unsigned char* q = p;
  while (end - q >= 8 && AllAscii8(q)) q += 8;
  while (q < end && *q < 0x80) ++q;
  return q - p;
}

inline uint32_t Load16(const unsigned char* p, bool littleEndian) {
  return littleEndian ? p[0] | p[1] << 8 : p[0] << 8 | p[1];
}
inline uint32_t Load32(const unsigned char* p, bool littleEndian) {
  return littleEndian ? uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24
                      : uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

// ---- output --------------------------------------------------------------

// Appends to a string through a small buffer, so that only the bytes
// written are ever touched (no zero-filled worst-case buffer).
class TByteWriter {
 public:
  TByteWriter(std::string& out, size_t expected) : out_(out) {
    out_.clear();
    out_.reserve(expected);
  }
  ~TByteWriter() { Flush(); }
  TByteWriter(const TByteWriter&) = delete;
  TByteWriter& operator=(const TByteWriter&) = delete;

  // Room for n (at most kChunk) bytes; Commit says how many were written.
  char* Room(size_t n) {
    if (used_ + n > kChunk) Flush();
    return buffer_ + used_;
  }
  void Commit(char* end) { used_ = end - buffer_; }
  void Put(char c) {
    if (used_ == kChunk) Flush();
    buffer_[used_++] = c;
  }
  void Append(const unsigned char* p, size_t n) {
    if (used_ + n > kChunk) {
      Flush();
      if (n > kChunk) {
        out_.append(reinterpret_cast<const char*>(p), n);
        return;
      }
    }
    std::memcpy(buffer_ + used_, p, n);
    used_ += n;
  }
  void Flush() {
    out_.append(buffer_, used_);
    used_ = 0;
  }

 private:
  static constexpr size_t kChunk = 4096;
  std::string& out_;
  size_t used_ = 0;
  char buffer_[kChunk];
};

inline char* PutUtf8(char* out, uint32_t cp) {
  if (cp < 0x80) {
    *out++ = static_cast<char>(cp);
  } else if (cp < 0x800) {
    *out++ = static_cast<char>(0xC0 | (cp >> 6));
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (cp >> 12));
    *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp <= 0x10FFFF) {
    *out++ = static_cast<char>(0xF0 | (cp >> 18));
    *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out = PutUtf8(out, kReplacement);
  }
  return out;
}

// ---- single-byte code pages ----------------------------------------------

// The bytes of one code page by character: for each high byte of a UTF-16
// unit a page of 256 bytes, 0 where the code page has no byte.
class TInverseTable {
 public:
  explicit TInverseTable(const TCodeTable& table) {
    std::memset(pageOf_, 0, sizeof pageOf_);
    for (int b = 0x80; b <= 0xFF; ++b) {
      uint16_t u = table[b - 0x80];
      uint8_t& page = pageOf_[u >> 8];
      if (!page) {
        pages_.push_back({});
        page = static_cast<uint8_t>(pages_.size());
      }
      uint8_t& slot = pages_[page - 1][u & 0xFF];
      if (!slot) slot = static_cast<uint8_t>(b);  // the first byte wins
    }
  }
  // The byte of a character of 0x80 and above, or 0.
  uint8_t Find(uint32_t cp) const {
    if (cp > 0xFFFF) return 0;
    uint8_t page = pageOf_[cp >> 8];
    return page ? pages_[page - 1][cp & 0xFF] : 0;
  }

 private:
  uint8_t pageOf_[256];
  std::vector<std::array<uint8_t, 256>> pages_;
};

const TInverseTable& InverseTable(TMimeChar c) {
  static const std::vector<TInverseTable> tables = [] {
    std::vector<TInverseTable> t;
    t.reserve(BuiltInCodeTableCount);
    for (int i = 0; i < BuiltInCodeTableCount; ++i) t.emplace_back(CodeTables[i]);
    return t;
  }();
  unsigned index = static_cast<unsigned>(c);
  return tables[index < unsigned(BuiltInCodeTableCount) ? index : 0];
}

// ---- encoders: characters in, target bytes out ---------------------------
//
// Each takes Put(code point) and PutAscii(bytes, count). Code points come
// in as the intermediate text holds them: up to U+10FFFF, with surrogates
// that did not form a pair passed on alone.

class TSingleByteEncoder {
 public:
  TSingleByteEncoder(TByteWriter& out, TMimeChar to, bool transliterate)
      : out_(out), inverse_(InverseTable(to)), transliterate_(transliterate) {}
  void PutAscii(const unsigned char* p, size_t n) { out_.Append(p, n); }
  void Put(uint32_t cp) {
    if (cp < 0x80) {
      out_.Put(static_cast<char>(cp));
    } else if (uint8_t b = inverse_.Find(cp)) {
      out_.Put(static_cast<char>(b));
    } else if (transliterate_) {
      out_.Put(kTransliterated);  // one character the code page lacks
    }
  }

 private:
  TByteWriter& out_;
  const TInverseTable& inverse_;
  bool transliterate_;
};

class TUtf8Encoder {
 public:
  explicit TUtf8Encoder(TByteWriter& out) : out_(out) {}
  void PutAscii(const unsigned char* p, size_t n) { out_.Append(p, n); }
  // A lone surrogate is written like any other value, so that it survives
  // a round trip.
  void Put(uint32_t cp) { out_.Commit(PutUtf8(out_.Room(4), cp)); }

 private:
  TByteWriter& out_;
};

class TUcs2Encoder {
 public:
  TUcs2Encoder(TByteWriter& out, bool littleEndian) : out_(out), littleEndian_(littleEndian) {}
  void PutAscii(const unsigned char* p, size_t n) {
    for (size_t i = 0; i < n; ++i) Unit(p[i]);
  }
  void Put(uint32_t cp) {
    if (cp < 0x10000) {
      Unit(cp);
    } else {
      cp -= 0x10000;
      Unit(0xD800 + (cp >> 10));
      Unit(0xDC00 + (cp & 0x3FF));
    }
  }

 private:
  void Unit(uint32_t u) {
    char* p = out_.Room(2);
    p[littleEndian_ ? 1 : 0] = static_cast<char>(u >> 8);
    p[littleEndian_ ? 0 : 1] = static_cast<char>(u);
    out_.Commit(p + 2);
  }
  TByteWriter& out_;
  bool littleEndian_;
};

class TUcs4Encoder {
 public:
  TUcs4Encoder(TByteWriter& out, bool littleEndian) : out_(out), littleEndian_(littleEndian) {}
  void PutAscii(const unsigned char* p, size_t n) {
    for (size_t i = 0; i < n; ++i) Put(p[i]);
  }
  void Put(uint32_t cp) {
    char* p = out_.Room(4);
    for (int i = 0; i < 4; ++i) p[littleEndian_ ? i : 3 - i] = static_cast<char>(cp >> (8 * i));
    out_.Commit(p + 4);
  }

 private:
  TByteWriter& out_;
  bool littleEndian_;
};

// Collects the intermediate UTF-16 text itself.
class TUnitsEncoder {
 public:
  explicit TUnitsEncoder(TUnits& units) : units_(units) {}
  void PutAscii(const unsigned char* p, size_t n) { units_.append(p, p + n); }
  void Put(uint32_t cp) {
    if (cp < 0x10000) {
      units_ += static_cast<char16_t>(cp);
    } else {
      cp -= 0x10000;
      units_ += static_cast<char16_t>(0xD800 + (cp >> 10));
      units_ += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
  }

 private:
  TUnits& units_;
};

// ---- decoders: source bytes in, characters out ---------------------------

// Decodes one UTF-8 character at p (which is not ASCII) and advances p. A
// broken sequence (a stray continuation byte, a lead byte that cannot start
// a shortest form, a missing continuation byte) yields U+FFFD and leaves p
// at the first byte that does not belong to it.
inline uint32_t DecodeUtf8Sequence(const unsigned char*& p, const unsigned char* end) {
  unsigned lead = *p++;
  int need;
  uint32_t cp;
  unsigned low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    need = 1;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    need = 2;
    cp = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;  // E0 80..9F would be overlong
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    need = 3;
    cp = lead & 0x07;
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF
  } else {
    return kReplacement;  // 80..BF alone, C0, C1 (overlong), F5..FF
  }
  for (int i = 0; i < need; ++i) {
    if (p == end || *p < low || *p > high) return kReplacement;
    cp = (cp << 6) | (*p++ & 0x3F);
    low = 0x80;
    high = 0xBF;
  }
  return cp;
}

// UTF-8 has no byte order: U+FFFE is a character like any other, and only
// U+FEFF (the signature) is dropped.
template <class Encoder>
void DecodeUtf8(const std::string& value, Encoder& out) {
  auto* p = reinterpret_cast<const unsigned char*>(value.data());
  const unsigned char* end = p + value.size();
  while (p < end) {
    if (*p < 0x80) {
      size_t n = AsciiRun(p, end);
      out.PutAscii(p, n);
      p += n;
      continue;
    }
    uint32_t cp = DecodeUtf8Sequence(p, end);
    if (cp != kByteOrderMark) out.Put(cp);
  }
}

template <class Encoder>
void DecodeSingleByte(const std::string& value, TMimeChar from, Encoder& out) {
  const TCodeTable& table = SelectCodeTable(from);
  auto* p = reinterpret_cast<const unsigned char*>(value.data());
  const unsigned char* end = p + value.size();
  while (p < end) {
    if (*p < 0x80) {
      size_t n = AsciiRun(p, end);
      out.PutAscii(p, n);
      p += n;
    } else {
      out.Put(table[*p++ - 0x80]);
    }
  }
}

// 2- or 4-byte units in the given order. A byte-order mark read in the
// other order (FFFE, or FFFE0000 for 4-byte units) turns the order round
// for the rest of the text; marks are dropped. Surrogate pairs of 2-byte
// units make one character; a trailing partial unit is broken input.
template <class Encoder>
void DecodeWide(const std::string& value, int width, bool littleEndian, Encoder& out) {
  auto* p = reinterpret_cast<const unsigned char*>(value.data());
  const unsigned char* end = p + value.size() / width * width;
  uint32_t high = 0;  // a high surrogate waiting for its partner
  for (; p < end; p += width) {
    uint32_t u = width == 2 ? Load16(p, littleEndian) : Load32(p, littleEndian);
    if (u == (width == 2 ? kSwappedByteOrderMark : kSwappedByteOrderMark32)) {
      littleEndian = !littleEndian;
      continue;
    }
    if (u == kByteOrderMark) continue;
    if (high) {
      if (IsLowSurrogate(u)) {
        out.Put(CombineSurrogates(high, u));
        high = 0;
        continue;
      }
      out.Put(high);
      high = 0;
    }
    if (width == 2 && IsHighSurrogate(u)) {
      high = u;
    } else {
      out.Put(u <= 0x10FFFF ? u : kReplacement);
    }
  }
  if (high) out.Put(high);
  if (value.size() % width) out.Put(kReplacement);
}

// UTF-16 units as they stand.
template <class Encoder>
void DecodeUnits(const TUnits& units, Encoder& out) {
  for (size_t i = 0; i < units.size(); ++i) {
    uint32_t u = units[i];
    if (IsHighSurrogate(u) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) u = CombineSurrogates(u, units[++i]);
    out.Put(u);
  }
}

TUnits BigEndianBytesToUnits(const std::string& bytes) {
  TUnits units(bytes.size() / 2, u'\0');
  auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(p[2 * i] << 8 | p[2 * i + 1]);
  return units;
}

std::string UnitsToBigEndianBytes(const TUnits& units) {
  std::string bytes(units.size() * 2, '\0');
  for (size_t i = 0; i < units.size(); ++i) {
    bytes[2 * i] = static_cast<char>(units[i] >> 8);
    bytes[2 * i + 1] = static_cast<char>(units[i]);
  }
  return bytes;
}

// The built-in first pass into any encoder.
template <class Encoder>
void Decode(const std::string& value, TMimeChar from, Encoder& out) {
  switch (from) {
    case TMimeChar::UTF_8:
      DecodeUtf8(value, out);
      break;
    case TMimeChar::UTF_7:
    case TMimeChar::UTF_7mod: {
      TUnits units = BigEndianBytesToUnits(DecodeUtf7Text(value, from == TMimeChar::UTF_7mod));
      std::erase(units, char16_t(kByteOrderMark));
      DecodeUnits(units, out);
      break;
    }
    case TMimeChar::UCS_2:
    case TMimeChar::UCS_2LE:
      DecodeWide(value, 2, LittleEndianCharsets.Contains(from), out);
      break;
    case TMimeChar::UCS_4:
    case TMimeChar::UCS_4LE:
      DecodeWide(value, 4, LittleEndianCharsets.Contains(from), out);
      break;
    default:
      DecodeSingleByte(value, from, out);
      break;
  }
}

// Runs a source through the built-in encoder of the target. Source is
// called with the encoder.
template <class Source>
std::string Encode(TMimeChar to, bool transliterate, size_t expectedSize, Source source) {
  std::string result;
  if (to == TMimeChar::UTF_7 || to == TMimeChar::UTF_7mod) {
    TUnits units;
    TUnitsEncoder encoder(units);
    source(encoder);
    return EncodeUtf7Text(UnitsToBigEndianBytes(units), to == TMimeChar::UTF_7mod);
  }
  {
    TByteWriter out(result, expectedSize);
    switch (to) {
      case TMimeChar::UTF_8: {
        TUtf8Encoder encoder(out);
        source(encoder);
        break;
      }
      case TMimeChar::UCS_2:
      case TMimeChar::UCS_2LE: {
        TUcs2Encoder encoder(out, LittleEndianCharsets.Contains(to));
        source(encoder);
        break;
      }
      case TMimeChar::UCS_4:
      case TMimeChar::UCS_4LE: {
        TUcs4Encoder encoder(out, LittleEndianCharsets.Contains(to));
        source(encoder);
        break;
      }
      default: {
        TSingleByteEncoder encoder(out, to, transliterate);
        source(encoder);
        break;
      }
    }
  }  // the writer flushes here
  return result;
}

// ---- UTF-7 ---------------------------------------------------------------

// The characters of a base64 run (net/netcodec.h decodes and encodes them).
const char kBase64Standard[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
const char kBase64Modified[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+,";

// The name of the intermediate form for iconv: UTF-16 carries characters
// above U+FFFF as surrogate pairs.
const wchar_t kIconvIntermediate[] = L"UTF-16BE";

bool HasSubstitution(const TSubstitutionTable& table) { return table.size() >= 2; }

// Upper bounds of the number of UTF-16 units a source decodes to and of the
// bytes a target needs per unit, for reserving output.
size_t ExpectedSize(size_t sourceBytes, TMimeChar from, TMimeChar to) {
  size_t units = from == TMimeChar::UCS_4 || from == TMimeChar::UCS_4LE   ? sourceBytes / 2 + 1
                 : from == TMimeChar::UCS_2 || from == TMimeChar::UCS_2LE ? sourceBytes / 2 + 1
                                                                          : sourceBytes;
  size_t perUnit = to == TMimeChar::UCS_2 || to == TMimeChar::UCS_2LE   ? 2
                   : to == TMimeChar::UCS_4 || to == TMimeChar::UCS_4LE ? 4
                   : to == TMimeChar::UTF_8                             ? 3
                                                                        : 1;
  return units * perUnit;
}

}  // namespace

// ---- public routines -----------------------------------------------------

const TCodeTable& SelectCodeTable(TMimeChar Charset) {
  unsigned index = static_cast<unsigned>(Charset);
  return CodeTables[index < unsigned(BuiltInCodeTableCount) ? index : 0];
}

uint16_t SubstituteChar(uint16_t Code, const TSubstitutionTable& Table) {
  for (size_t i = 0; i + 1 < Table.size(); i += 2)
    if (Table[i] == Code) return Table[i + 1];
  return Code;
}

TCodeUnitBytes ReadCodeUnit(const std::string& Text, int& Position, int Width, bool LittleEndian) {
  if (Width > 4) Width = 1;
  TCodeUnitBytes unit;
  size_t start = Position >= 1 ? size_t(Position - 1) : Text.size();
  if (Width > 0 && start + Width <= Text.size()) {
    uint8_t bytes[4] = {0, 0, 0, 0};  // least significant first
    for (int i = 0; i < Width; ++i) {
      auto b = static_cast<uint8_t>(Text[start + i]);
      bytes[LittleEndian ? i : Width - 1 - i] = b;
    }
    unit = {bytes[0], bytes[1], bytes[2], bytes[3]};
  }
  Position += Width;
  return unit;
}

std::string WriteCodeUnit(uint8_t b1, uint8_t b2, uint8_t b3, uint8_t b4, int Width, bool LittleEndian) {
  if (Width > 4) Width = 1;
  if (Width < 1) return {};
  const uint8_t bytes[4] = {b1, b2, b3, b4};
  std::string result(Width, '\0');
  for (int i = 0; i < Width; ++i) result[i] = static_cast<char>(bytes[LittleEndian ? i : Width - 1 - i]);
  return result;
}

std::string DecodeUtf8Text(const std::string& Value) {
  std::string result;
  {
    TByteWriter out(result, Value.size() * 4);
    TUcs4Encoder encoder(out, false);
    auto* p = reinterpret_cast<const unsigned char*>(Value.data());
    const unsigned char* end = p + Value.size();
    while (p < end) encoder.Put(*p < 0x80 ? *p++ : DecodeUtf8Sequence(p, end));
  }
  return result;
}

std::string EncodeUtf8Text(const std::string& Value) {
  std::string result;
  {
    TByteWriter out(result, Value.size());
    TUtf8Encoder encoder(out);
    auto* p = reinterpret_cast<const unsigned char*>(Value.data());
    for (size_t i = 0; i + 4 <= Value.size(); i += 4) encoder.Put(Load32(p + i, false));
  }
  return result;
}

std::string DecodeUtf7Text(const std::string& Value, bool Modified) {
  const char shift = Modified ? '&' : '+';
  const char* alphabet = Modified ? kBase64Modified : kBase64Standard;
  auto inAlphabet = [&](char c) { return c != '\0' && std::strchr(alphabet, c) != nullptr; };
  std::string result;
  result.reserve(Value.size() * 2);
  auto plain = [&](char c) {
    result += '\0';
    result += c;
  };
  size_t i = 0;
  while (i < Value.size()) {
    char c = Value[i++];
    if (c != shift) {
      plain(c);
      continue;
    }
    size_t start = i;
    while (i < Value.size() && inAlphabet(Value[i])) ++i;
    std::string_view run = std::string_view(Value).substr(start, i - start);
    if (i < Value.size() && Value[i] == '-') ++i;
    if (run.empty()) {
      plain(shift);  // "+-" is the shift character itself
      continue;
    }
    std::string bytes = Modified ? Base64ModDecode(std::string(run)) : Base64Decode(std::string(run));
    if (bytes.size() % 2 == 0) {
      result += bytes;
    } else {
      // An ill-formed run stands for itself.
      plain(shift);
      for (char r : run) plain(r);
    }
  }
  return result;
}

std::string EncodeUtf7Text(const std::string& Value, bool Modified) {
  const char shift = Modified ? '&' : '+';
  std::string result;
  result.reserve(Value.size());
  size_t units = Value.size() / 2;
  auto unitAt = [&](size_t k) { return uint32_t(uint8_t(Value[2 * k])) << 8 | uint8_t(Value[2 * k + 1]); };
  size_t k = 0;
  while (k < units) {
    uint32_t u = unitAt(k);
    if (u < 0x80) {
      result += static_cast<char>(u);
      if (u == uint32_t(shift)) result += '-';
      ++k;
      continue;
    }
    size_t start = k;
    while (k < units && unitAt(k) >= 0x80) ++k;
    std::string run = Value.substr(2 * start, 2 * (k - start));
    std::string text = Modified ? Base64ModEncode(run) : Base64Encode(run);
    result += shift;
    result.append(text, 0, text.find('='));
    result += '-';
  }
  return result;
}

std::string DecodeToUcs2(const std::string& Value, TMimeChar From) {
  return Encode(TMimeChar::UCS_2, false, ExpectedSize(Value.size(), From, TMimeChar::UCS_2),
                [&](auto& encoder) { Decode(Value, From, encoder); });
}

std::string ConvertCharsetFull(const std::string& Value, TMimeChar From, TMimeChar To,
                               const TSubstitutionTable& Table, bool Transliterate) {
  const bool substitute = HasSubstitution(Table);
  if (From == To && !substitute) return Value;

  const bool iconv = LoadIconvLibrary();
  if (!iconv && !substitute) {
    // Both passes built in: straight from source to target.
    return Encode(To, Transliterate, ExpectedSize(Value.size(), From, To),
                  [&](auto& encoder) { Decode(Value, From, encoder); });
  }

  // First pass: to UTF-16.
  TUnits units;
  TIconvHandle handle =
      iconv ? IconvOpenIgnore(kIconvIntermediate, IconvCharsetName(From)) : InvalidIconvHandle;
  if (handle != InvalidIconvHandle) {
    std::string bytes;
    IconvConvert(handle, Value, bytes);
    units = BigEndianBytesToUnits(bytes);
  } else {
    TUnitsEncoder encoder(units);
    Decode(Value, From, encoder);
  }
  IconvClose(handle);

  if (substitute)
    for (char16_t& u : units) u = SubstituteChar(u, Table);

  // Second pass: to the target.
  if (iconv) {
    handle = Transliterate ? IconvOpenTranslit(IconvCharsetName(To), kIconvIntermediate)
                           : IconvOpenIgnore(IconvCharsetName(To), kIconvIntermediate);
  }
  std::string result;
  if (handle != InvalidIconvHandle) {
    // A UTF-7 encoder closes an open base64 run only before a following
    // character: give it a "-" and take that off again.
    const bool utf7 = To == TMimeChar::UTF_7;
    if (utf7) units += u'-';
    IconvConvert(handle, UnitsToBigEndianBytes(units), result);
    if (utf7 && !result.empty()) result.pop_back();
  } else {
    result = Encode(To, Transliterate, units.size() * 4, [&](auto& encoder) { DecodeUnits(units, encoder); });
  }
  IconvClose(handle);
  return result;
}

std::string ConvertCharsetWithTable(const std::string& Value, TMimeChar From, TMimeChar To,
                                    const TSubstitutionTable& Table) {
  return ConvertCharsetFull(Value, From, To, Table, true);
}

std::string ConvertCharset(const std::string& Value, TMimeChar From, TMimeChar To) {
  return ConvertCharsetFull(Value, From, To, NoSubstitution, true);
}
