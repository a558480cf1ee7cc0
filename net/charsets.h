// Character-set conversion of byte strings. Every conversion decodes the
// source to one intermediate form, UTF-16 big-endian (two bytes per unit,
// high byte first; characters above U+FFFF as surrogate pairs), and encodes
// that to the target. 25 single-byte code pages have built-in tables; UCS-2,
// UCS-4, UTF-8, UTF-7 and modified UTF-7 have built-in codecs. When an iconv
// library can be loaded (net/iconvbind.h) both passes go to it instead,
// which adds the other character sets of TMimeChar.
//
// Strings are byte strings throughout; positions count from 1. No routine
// raises: malformed input decodes to U+FFFD where it is broken.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

enum class TMimeChar : uint8_t {
  ISO_8859_1, ISO_8859_2, ISO_8859_3, ISO_8859_4, ISO_8859_5, ISO_8859_6,
  ISO_8859_7, ISO_8859_8, ISO_8859_9, ISO_8859_10, ISO_8859_13, ISO_8859_14,
  ISO_8859_15, CP1250, CP1251, CP1252, CP1253, CP1254, CP1255, CP1256,
  CP1257, CP1258, KOI8_R, CP895, CP852, UCS_2, UCS_4, UTF_8, UTF_7,
  UTF_7mod, UCS_2LE, UCS_4LE, UTF_16, UTF_16LE, UTF_32, UTF_32LE, C99, JAVA,
  ISO_8859_16, KOI8_U, KOI8_RU, CP862, CP866, MAC, MACCE, MACICE, MACCRO,
  MACRO, MACCYR, MACUK, MACGR, MACTU, MACHEB, MACAR, MACTH, ROMAN8,
  NEXTSTEP, ARMASCII, GEORGIAN_AC, GEORGIAN_PS, KOI8_T, MULELAO, CP1133,
  TIS620, CP874, VISCII, TCVN, ISO_IR_14, JIS_X0201, JIS_X0208, JIS_X0212,
  GB1988_80, GB2312_80, ISO_IR_165, ISO_IR_149, EUC_JP, SHIFT_JIS, CP932,
  ISO_2022_JP, ISO_2022_JP1, ISO_2022_JP2, GB2312, CP936, GB18030,
  ISO_2022_CN, ISO_2022_CNE, HZ, EUC_TW, BIG5, CP950, BIG5_HKSCS, EUC_KR,
  CP949, CP1361, ISO_2022_KR, CP737, CP775, CP853, CP855, CP857, CP858,
  CP860, CP861, CP863, CP864, CP865, CP869, CP1125,
};
constexpr int MimeCharCount = 108;

// A constant set of character sets.
class TMimeCharSet {
 public:
  constexpr TMimeCharSet(std::initializer_list<TMimeChar> items) {
    for (TMimeChar c : items) bits_[unsigned(c) / 64] |= uint64_t(1) << (unsigned(c) % 64);
  }
  constexpr bool Contains(TMimeChar c) const {
    return unsigned(c) < 128 && (bits_[unsigned(c) / 64] >> (unsigned(c) % 64) & 1) != 0;
  }

 private:
  uint64_t bits_[2] = {0, 0};
};

// How the built-in codecs read and write code units: 2-byte units, 4-byte
// units (UTF-8 passes through UCS-4, the UTF-7 forms through UCS-2), low
// byte first. Every other set has 1-byte units.
inline constexpr TMimeCharSet TwoByteCharsets = {TMimeChar::UCS_2, TMimeChar::UTF_7, TMimeChar::UTF_7mod,
                                                 TMimeChar::UCS_2LE};
inline constexpr TMimeCharSet FourByteCharsets = {TMimeChar::UCS_4, TMimeChar::UTF_8, TMimeChar::UCS_4LE};
inline constexpr TMimeCharSet LittleEndianCharsets = {TMimeChar::UCS_2LE, TMimeChar::UCS_4LE};

// The characters of the bytes 0x80 to 0xFF of a single-byte set; U+FFFD
// where the set leaves a byte unassigned. Bytes below 0x80 stand for
// themselves in every set.
using TCodeTable = std::array<uint16_t, 128>;
// The table of ISO_8859_1 to CP852; every other set gets ISO_8859_1's.
const TCodeTable& SelectCodeTable(TMimeChar Charset);

// (from, to) pairs of UTF-16 units applied before encoding; a table of
// fewer than two values substitutes nothing, a trailing odd value is ignored.
using TSubstitutionTable = std::vector<uint16_t>;
// The table ConvertCharset uses: nothing is substituted.
extern const TSubstitutionTable NoSubstitution;

// Converts Value from one set to another, with transliteration (characters
// the target lacks become "_"). Equal sets give Value unchanged.
std::string ConvertCharset(const std::string& Value, TMimeChar From, TMimeChar To);
std::string ConvertCharsetWithTable(const std::string& Value, TMimeChar From, TMimeChar To,
                                    const TSubstitutionTable& Table);
// Without Transliterate, characters the target lacks are dropped.
std::string ConvertCharsetFull(const std::string& Value, TMimeChar From, TMimeChar To,
                               const TSubstitutionTable& Table, bool Transliterate);

// The built-in first pass: Value in From to UTF-16 big-endian. A byte-order
// mark is honoured only in the UCS-2 and UCS-4 forms (at any position, it
// sets the byte order of the rest); U+FEFF is dropped from every form.
std::string DecodeToUcs2(const std::string& Value, TMimeChar From);

// Names: the first name of the set's row in the alias table, "ISO-8859-1"
// when it has none; IconvCharsetName is the name handed to iconv.
std::wstring CharsetPrimaryName(TMimeChar Charset);
std::wstring IconvCharsetName(TMimeChar Charset);

// The second value of the first pair whose first value is Code, else Code.
uint16_t SubstituteChar(uint16_t Code, const TSubstitutionTable& Table);

// One code unit as four bytes, b1 the least significant.
struct TCodeUnitBytes {
  uint8_t b1 = 0, b2 = 0, b3 = 0, b4 = 0;
};
// Reads Width bytes (a width above 4 counts as 1) at the 1-based Position
// and advances it by Width; all four bytes are 0 when fewer remain.
TCodeUnitBytes ReadCodeUnit(const std::string& Text, int& Position, int Width, bool LittleEndian);
// Exactly Width bytes (a width above 4 counts as 1) of the unit.
std::string WriteCodeUnit(uint8_t b1, uint8_t b2, uint8_t b3, uint8_t b4, int Width, bool LittleEndian);

// UTF-8 to UCS-4 big-endian and back. Malformed UTF-8 (stray or missing
// continuation bytes, overlong forms, values above U+10FFFF, the bytes C0,
// C1 and F5 to FF) decodes to one U+FFFD per broken sequence; values above
// U+10FFFF encode as U+FFFD. Surrogate code points pass both ways.
std::string DecodeUtf8Text(const std::string& Value);
std::string EncodeUtf8Text(const std::string& Value);
// UTF-7 (RFC 2152) or, when Modified, the mailbox-name form of RFC 3501, to
// UTF-16 big-endian and back.
std::string DecodeUtf7Text(const std::string& Value, bool Modified);
std::string EncodeUtf7Text(const std::string& Value, bool Modified);

// The alias table: for each row a character set and its names, separated by
// single spaces, the primary name first.
struct TIconvChar {
  TMimeChar Charset;
  std::wstring CharName;
};
const std::vector<TIconvChar>& CharsetAliases();

// The unit's start-up (fills the alias table) and finalisation (unloads
// iconv, releases the alias table); they follow the socket layer's.
void InitCharsetsUnit();
void FiniCharsetsUnit();
