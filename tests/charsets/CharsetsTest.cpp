// The built-in conversion (no iconv library is found in these tests).
#include <gtest/gtest.h>
#include <windows.h>

#include "base/Types.h"
#include "net/charsets.h"
#include "net/iconvbind.h"
#include "tests/charsets/CharsetsTestUtil.h"

using M = TMimeChar;

namespace {

const std::string kPolishUtf8 = "Zażółć gęślą jaźń; ZAŻÓŁĆ GĘŚLĄ JAŹŃ";

TEST(CharsetsTest, NoIconvLibraryIsFoundHere) {
  EXPECT_FALSE(LoadIconvLibrary());
  EXPECT_FALSE(IconvLoaded());
}

// The code tables against the platform's own code pages: where our table
// assigns a byte, the platform gives the same character. (Where ours is
// unassigned the platform may still map the byte: Windows maps some
// unassigned bytes to the control of the same number.) The platform departs
// from the published ISO tables in a few places, listed here.
TEST(CharsetsTest, CodeTablesAgreeWithThePlatformCodePages) {
  struct Case {
    M charset;
    UINT codePage;
  };
  struct Departure {
    UINT codePage;
    int byte;
    uint16_t platform, published;
  };
  const Departure departures[] = {
      {28597, 0xA1, 0x02BD, 0x2018}, {28597, 0xA2, 0x02BC, 0x2019},  // quotation marks
      {28598, 0xAF, 0x203E, 0x00AF},                                 // macron
      {28598, 0xFD, 0xF7BF, 0x200E}, {28598, 0xFE, 0xF7C0, 0x200F},  // direction marks
  };
  const Case cases[] = {
      {M::ISO_8859_1, 28591}, {M::ISO_8859_2, 28592}, {M::ISO_8859_3, 28593},  {M::ISO_8859_4, 28594},
      {M::ISO_8859_5, 28595}, {M::ISO_8859_6, 28596}, {M::ISO_8859_7, 28597},  {M::ISO_8859_8, 28598},
      {M::ISO_8859_9, 28599}, {M::ISO_8859_13, 28603}, {M::ISO_8859_15, 28605}, {M::CP1250, 1250},
      {M::CP1251, 1251},      {M::CP1252, 1252},      {M::CP1253, 1253},       {M::CP1254, 1254},
      {M::CP1255, 1255},      {M::CP1256, 1256},      {M::CP1257, 1257},       {M::CP1258, 1258},
      {M::KOI8_R, 20866},     {M::CP852, 852},
  };
  int compared = 0;
  for (const Case& c : cases) {
    ASSERT_TRUE(IsValidCodePage(c.codePage)) << c.codePage;
    const TCodeTable& table = SelectCodeTable(c.charset);
    for (int b = 0x80; b <= 0xFF; ++b) {
      char byte = static_cast<char>(b);
      wchar_t w[2] = {0, 0};
      int n = MultiByteToWideChar(c.codePage, 0, &byte, 1, w, 2);
      ASSERT_EQ(n, 1) << c.codePage << " byte " << b;
      uint16_t ours = table[b - 0x80];
      if (ours == 0xFFFD) continue;
      uint16_t platform = w[0];
      for (const Departure& d : departures) {
        if (d.codePage == c.codePage && d.byte == b && d.platform == platform) {
          EXPECT_EQ(ours, d.published);
          platform = d.published;
        }
      }
      EXPECT_EQ(ours, platform) << "code page " << c.codePage << " byte 0x" << std::hex << b;
      ++compared;
    }
  }
  EXPECT_GT(compared, 2500);
}

// Spot values per family, including the corrections to the published
// tables and the one code page the platform lacks.
TEST(CharsetsTest, CodeTableValues) {
  struct Case {
    M charset;
    int byte;
    uint16_t character;
  };
  const Case cases[] = {
      {M::ISO_8859_1, 0x80, 0x0080},  {M::ISO_8859_2, 0xB1, 0x0105}, {M::ISO_8859_3, 0xA5, 0xFFFD},
      {M::ISO_8859_6, 0xC7, 0x0627},  {M::ISO_8859_7, 0xA4, 0xFFFD}, {M::ISO_8859_7, 0xA5, 0xFFFD},
      {M::ISO_8859_7, 0xAA, 0xFFFD},  {M::ISO_8859_7, 0xE1, 0x03B1}, {M::ISO_8859_8, 0xE0, 0x05D0},
      {M::ISO_8859_9, 0xDD, 0x0130},  {M::ISO_8859_9, 0xA1, 0x00A1}, {M::ISO_8859_10, 0xA1, 0x0104},
      {M::ISO_8859_14, 0xA1, 0x1E02}, {M::ISO_8859_15, 0xA4, 0x20AC}, {M::CP1250, 0x81, 0xFFFD},
      {M::CP1250, 0x8A, 0x0160},      {M::CP1250, 0xB9, 0x0105},     {M::CP1251, 0xC0, 0x0410},
      {M::CP1252, 0x80, 0x20AC},      {M::CP1258, 0xD2, 0x0309},     {M::KOI8_R, 0xC1, 0x0430},
      {M::CP852, 0xA5, 0x0105},       {M::CP895, 0x80, 0x010C},      {M::CP895, 0xAF, 0x00BB},
      {M::CP895, 0xB0, 0x2591},       {M::CP895, 0xE1, 0x03B2},      {M::CP895, 0xE6, 0x03BC},
      {M::CP895, 0xED, 0x2205},       {M::CP895, 0xF8, 0x2218},      {M::CP895, 0xF9, 0x00B7},
      {M::CP895, 0xFA, 0x2219},       {M::CP895, 0xFF, 0x00A0},      {M::CP1125, 0xE9, 0x00E9},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SelectCodeTable(c.charset)[c.byte - 0x80], c.character)
        << int(c.charset) << " byte 0x" << std::hex << c.byte;
    // And through the whole conversion.
    EXPECT_EQ(ConvertCharset(std::string(1, char(c.byte)), c.charset, M::UCS_2),
              Bytes({uint8_t(c.character >> 8), uint8_t(c.character)}))
        << int(c.charset) << " byte 0x" << std::hex << c.byte;
  }
}

TEST(CharsetsTest, ConversionCases) {
  struct Case {
    const char* name;
    std::string value;
    M from, to;
    std::string expected;
  };
  const Case cases[] = {
      {"empty", "", M::UTF_8, M::CP1250, ""},
      {"same set, even invalid", Hex("C0 80 FF"), M::UTF_8, M::UTF_8, Hex("C0 80 FF")},
      {"e acute", Hex("C3 A9"), M::UTF_8, M::CP1250, Hex("E9")},
      {"euro", Hex("E2 82 AC"), M::UTF_8, M::CP1250, Hex("80")},
      {"lacking: transliterated", "a" + Hex("C3 B1") + "b", M::UTF_8, M::CP1250, "a_b"},
      {"S caron", Hex("8A"), M::CP1250, M::UTF_8, Hex("C5 A0")},
      {"unassigned byte", Hex("81"), M::CP1250, M::UTF_8, Hex("EF BF BD")},
      {"U+FFFD to the first unassigned byte", Hex("EF BF BD"), M::UTF_8, M::CP1250, Hex("81")},
      {"Polish", kPolishUtf8, M::UTF_8, M::CP1250,
       Hex("5A 61 BF F3 B3 E6 20 67 EA 9C 6C B9 20 6A 61 9F F1 3B 20 5A 41 AF D3 A3 C6 20 47 CA 8C 4C A5 20 4A 41 8F D1")},
      {"ISO-8859-9 dotted I", Hex("DD A1"), M::ISO_8859_9, M::UTF_8, Hex("C4 B0 C2 A1")},
      {"between code pages", Hex("E0 EA"), M::CP1251, M::KOI8_R, Hex("C1 CB")},
      {"UCS-2 little-endian mark", Hex("FF FE 41 00 42 00"), M::UCS_2, M::UTF_8, "AB"},
      {"UCS-2 big-endian mark", Hex("FE FF 00 41"), M::UCS_2, M::UTF_8, "A"},
      {"UCS-2 mark turns order mid-text", Hex("00 41 FF FE 42 00"), M::UCS_2, M::UTF_8, "AB"},
      {"UCS-2LE", Hex("41 00 05 01"), M::UCS_2LE, M::UTF_8, "A" + Hex("C4 85")},
      {"UCS-4 little-endian mark", Hex("FF FE 00 00 41 00 00 00"), M::UCS_4, M::UTF_8, "A"},
      {"UCS-4 big-endian mark", Hex("00 00 FE FF 00 00 00 41"), M::UCS_4, M::UTF_8, "A"},
      {"UCS-4LE", Hex("05 01 00 00"), M::UCS_4LE, M::UTF_8, Hex("C4 85")},
      {"UTF-8 signature dropped", Hex("EF BB BF") + "A", M::UTF_8, M::CP1250, "A"},
      {"U+FEFF dropped mid-text", "A" + Hex("EF BB BF") + "B", M::UTF_8, M::UCS_2, Hex("00 41 00 42")},
      {"odd UCS-2 byte is broken", Hex("00 41 00"), M::UCS_2, M::UTF_8, "A" + Hex("EF BF BD")},
      {"to UCS-2LE", "A" + Hex("C4 85"), M::UTF_8, M::UCS_2LE, Hex("41 00 05 01")},
      {"to UCS-4", "A", M::UTF_8, M::UCS_4, Hex("00 00 00 41")},
      {"to UCS-4LE", "A", M::UTF_8, M::UCS_4LE, Hex("41 00 00 00")},
      {"UTF-7 shift alone", "+-", M::UTF_7, M::UTF_8, "+"},
      {"modified UTF-7 shift alone", "&-", M::UTF_7mod, M::UTF_8, "&"},
      {"UTF-7 plus before non-base64", "+!", M::UTF_7, M::UTF_8, "+!"},
      {"to UTF-7: plus", "+", M::UTF_8, M::UTF_7, "+-"},
      {"to UTF-7: e acute", Hex("C3 A9"), M::UTF_8, M::UTF_7, "+AOk-"},
      {"to modified UTF-7", "&" + Hex("C3 A9"), M::UTF_8, M::UTF_7mod, "&-&AOk-"},
      {"UTF-7 run", "a+AOkA6Q-b", M::UTF_7, M::UTF_8, "a" + Hex("C3 A9 C3 A9") + "b"},
      {"UTF-7 run ended by a non-base64 byte", "+AOk.", M::UTF_7, M::UTF_8, Hex("C3 A9") + "."},
      {"UTF-7 odd run stands for itself", "+AO-x", M::UTF_7, M::UTF_8, "+AOx"},
      {"modified UTF-7: comma in, slash out", "&A,8/", M::UTF_7mod, M::UCS_2, Hex("03 FF 00 2F")},
      {"unknown to the built-in path: bytes as Latin-1", Hex("41 E9"), M::SHIFT_JIS, M::UTF_8, "A" + Hex("C3 A9")},
      {"Latin-1 stand-in both ways", Hex("C3 A9"), M::UTF_8, M::KOI8_U, Hex("E9")},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ToHex(ConvertCharset(c.value, c.from, c.to)), ToHex(c.expected)) << c.name;
}

TEST(CharsetsTest, WithoutTransliterationLackingCharactersAreDropped) {
  std::string value = "a" + Hex("C3 B1") + "b" + Hex("F0 9F 98 80") + "c";
  EXPECT_EQ(ConvertCharsetFull(value, M::UTF_8, M::CP1250, NoSubstitution, false), "abc");
  EXPECT_EQ(ConvertCharsetFull(value, M::UTF_8, M::CP1250, NoSubstitution, true), "a_b_c");
}

TEST(CharsetsTest, SubstitutionTable) {
  // n tilde to n, and e acute to E; the odd last value is ignored.
  const TSubstitutionTable table = {0x00F1, 'n', 0x00E9, 'E', 0x0041};
  EXPECT_EQ(SubstituteChar(0x00F1, table), 'n');
  EXPECT_EQ(SubstituteChar(0x0041, table), 0x0041);
  EXPECT_EQ(SubstituteChar(0x00F1, NoSubstitution), 0x00F1);
  std::string value = Hex("C3 B1 C3 A9") + "A";
  EXPECT_EQ(ConvertCharsetWithTable(value, M::UTF_8, M::CP1250, table), "nEA");
  // With a table, equal sets are converted too.
  EXPECT_EQ(ConvertCharsetWithTable(value, M::UTF_8, M::UTF_8, table), "nEA");
  EXPECT_EQ(ConvertCharsetWithTable(value, M::UTF_8, M::UTF_8, NoSubstitution), value);
}

// A U+FFFE inside UTF-8 is a character like any other: it must not turn the
// byte order of the rest (which made the rest NUL bytes).
TEST(CharsetsTest, ReversedMarkInsideUtf8KeepsTheByteOrder) {
  std::string value = "A" + Hex("EF BF BE") + "BC";
  EXPECT_EQ(ToHex(ConvertCharset(value, M::UTF_8, M::UCS_2)), ToHex(Hex("00 41 FF FE 00 42 00 43")));
  EXPECT_EQ(ConvertCharset(value, M::UTF_8, M::CP1250), "A_BC");
  EXPECT_EQ(ConvertCharset(value, M::UTF_8, M::UTF_8), value);
  EXPECT_EQ(ConvertCharset(ConvertCharset(value, M::UTF_8, M::UCS_4), M::UCS_4, M::UTF_8), value);
  // The same in UTF-7, which has no byte order either.
  EXPECT_EQ(ToHex(ConvertCharset("A+//4-B", M::UTF_7, M::UCS_2)), ToHex(Hex("00 41 FF FE 00 42")));
}

// Characters above U+FFFF travel as surrogate pairs where the target can
// hold them, and as the target's replacement where it cannot.
TEST(CharsetsTest, CharactersAboveFFFF) {
  const std::string grin = Hex("F0 9F 98 80");  // U+1F600
  const std::string text = "a" + grin + "b";
  struct Case {
    M to;
    std::string expected;
  };
  const Case cases[] = {
      {M::UTF_8, text},
      {M::UCS_2, Hex("00 61 D8 3D DE 00 00 62")},
      {M::UCS_2LE, Hex("61 00 3D D8 00 DE 62 00")},
      {M::UCS_4, Hex("00 00 00 61 00 01 F6 00 00 00 00 62")},
      {M::UCS_4LE, Hex("61 00 00 00 00 F6 01 00 62 00 00 00")},
      {M::UTF_7, "a+2D3eAA-b"},
      {M::CP1250, "a_b"},
      {M::KOI8_R, "a_b"},
  };
  for (const Case& c : cases) {
    std::string converted = ConvertCharset(text, M::UTF_8, c.to);
    EXPECT_EQ(ToHex(converted), ToHex(c.expected)) << int(c.to);
    if (c.to != M::CP1250 && c.to != M::KOI8_R) {
      EXPECT_EQ(ToHex(ConvertCharset(converted, c.to, M::UTF_8)), ToHex(text)) << int(c.to);
    }
  }
  EXPECT_EQ(ToHex(DecodeUtf8Text(grin)), "00 01 F6 00");
  EXPECT_EQ(ToHex(EncodeUtf8Text(Hex("00 01 F6 00"))), ToHex(grin));
  // UCS-4 beyond the Unicode range is broken input.
  EXPECT_EQ(ToHex(ConvertCharset(Hex("00 11 00 00"), M::UCS_4, M::UTF_8)), "EF BF BD");
  // A lone surrogate survives a round trip through UTF-8.
  EXPECT_EQ(ToHex(ConvertCharset(ConvertCharset(Hex("D8 3D 00 41"), M::UCS_2, M::UTF_8), M::UTF_8, M::UCS_2)),
            "D8 3D 00 41");
}

// Malformed UTF-8 becomes U+FFFD, one per broken sequence; overlong forms
// are malformed (C0 80 was NUL and C0 AF was "/").
TEST(CharsetsTest, MalformedUtf8) {
  struct Case {
    std::string value;
    std::string expectedUcs2;
  };
  const Case cases[] = {
      {Hex("C0 80"), "FF FD FF FD"},
      {Hex("C0 AF"), "FF FD FF FD"},
      {Hex("C1 BF"), "FF FD FF FD"},
      {Hex("E0 80 AF"), "FF FD FF FD FF FD"},
      {Hex("E0 9F BF"), "FF FD FF FD FF FD"},
      {Hex("F0 80 80 AF"), "FF FD FF FD FF FD FF FD"},
      {Hex("F0 8F BF BF"), "FF FD FF FD FF FD FF FD"},
      {Hex("F4 90 80 80"), "FF FD FF FD FF FD FF FD"},
      {Hex("F8 88 80 80 80"), "FF FD FF FD FF FD FF FD FF FD"},
      {Hex("FE FF"), "FF FD FF FD"},
      {Hex("80") + "A", "FF FD 00 41"},
      {Hex("E2 82") + "A", "FF FD 00 41"},
      {Hex("E9") + "A", "FF FD 00 41"},
      {"A" + Hex("F0 9F 98"), "00 41 FF FD"},
      {Hex("C2 80 DF BF E0 A0 80 EF BF BF F4 8F BF BF"), "00 80 07 FF 08 00 FF FF DB FF DF FF"},
  };
  for (const Case& c : cases) EXPECT_EQ(ToHex(ConvertCharset(c.value, M::UTF_8, M::UCS_2)), c.expectedUcs2) << ToHex(c.value);
  EXPECT_EQ(ToHex(DecodeUtf8Text(Hex("C0 AF"))), "00 00 FF FD 00 00 FF FD");
}

TEST(CharsetsTest, DecodeToUcs2) {
  EXPECT_EQ(ToHex(DecodeToUcs2(Hex("41 B9"), M::CP1250)), "00 41 01 05");
  EXPECT_EQ(ToHex(DecodeToUcs2("+AOk-", M::UTF_7)), "00 E9");
  EXPECT_EQ(ToHex(DecodeToUcs2(Hex("EF BB BF C3 A9"), M::UTF_8)), "00 E9");
}

TEST(CharsetsTest, Utf7Codecs) {
  EXPECT_EQ(EncodeUtf7Text(Hex("00 2B 00 E9 01 05 00 41"), false), "+-+AOkBBQ-A");
  EXPECT_EQ(EncodeUtf7Text(Hex("00 26 00 E9 00 2F"), true), "&-&AOk-/");
  EXPECT_EQ(ToHex(DecodeUtf7Text("+AOkBBQ-A", false)), "00 E9 01 05 00 41");
  // A lone trailing base64 character: one byte in the modified form (an
  // odd run, so it stands for itself), nothing in the standard one.
  EXPECT_EQ(DecodeUtf7Text("&A-", true), Hex("00 26 00 41"));
  EXPECT_EQ(ToHex(DecodeUtf7Text("+A-", false)), "");
  // Bytes above 0x7F stand for the character of the same number.
  EXPECT_EQ(ToHex(DecodeUtf7Text(Hex("E9"), false)), "00 E9");
}

TEST(CharsetsTest, ReadAndWriteCodeUnits) {
  struct Case {
    std::string text;
    int position, width;
    bool littleEndian;
    TCodeUnitBytes expected;
    int nextPosition;
  };
  const std::string t = Hex("01 02 03 04 05");
  const Case cases[] = {
      {t, 1, 1, false, {0x01, 0, 0, 0}, 2},
      {t, 1, 2, false, {0x02, 0x01, 0, 0}, 3},
      {t, 1, 2, true, {0x01, 0x02, 0, 0}, 3},
      {t, 2, 4, false, {0x05, 0x04, 0x03, 0x02}, 6},
      {t, 1, 4, true, {0x01, 0x02, 0x03, 0x04}, 5},
      {t, 3, 4, false, {0, 0, 0, 0}, 7},  // fewer bytes than the width
      {t, 5, 6, false, {0x05, 0, 0, 0}, 6},  // a width above 4 counts as 1
  };
  for (const Case& c : cases) {
    int position = c.position;
    TCodeUnitBytes u = ReadCodeUnit(c.text, position, c.width, c.littleEndian);
    EXPECT_EQ(u.b1, c.expected.b1) << c.position << "/" << c.width;
    EXPECT_EQ(u.b2, c.expected.b2) << c.position << "/" << c.width;
    EXPECT_EQ(u.b3, c.expected.b3) << c.position << "/" << c.width;
    EXPECT_EQ(u.b4, c.expected.b4) << c.position << "/" << c.width;
    EXPECT_EQ(position, c.nextPosition);
  }
  EXPECT_EQ(ToHex(WriteCodeUnit(1, 2, 3, 4, 4, false)), "04 03 02 01");
  EXPECT_EQ(ToHex(WriteCodeUnit(1, 2, 3, 4, 4, true)), "01 02 03 04");
  EXPECT_EQ(ToHex(WriteCodeUnit(1, 2, 3, 4, 2, false)), "02 01");
  EXPECT_EQ(ToHex(WriteCodeUnit(1, 2, 3, 4, 7, false)), "01");
}

// Every set of the enumeration converts: the single-byte tables round-trip
// every assigned byte, the Unicode forms a mixed text, and the sets that
// need iconv stand in as Latin-1 without it.
TEST(CharsetsTest, EveryCharsetConverts) {
  const std::string sample = "Aa+&-~ " + kPolishUtf8 + " " + Hex("CE A9 D0 96 E2 82 AC F0 9F 98 80");
  for (int i = 0; i < MimeCharCount; ++i) {
    M c = static_cast<M>(i);
    if (i <= int(M::CP852)) {
      std::string bytes;
      for (int b = 1; b < 0x100; ++b)
        if (b < 0x80 || SelectCodeTable(c)[b - 0x80] != 0xFFFD) bytes += char(b);
      std::string utf8 = ConvertCharset(bytes, c, M::UTF_8);
      EXPECT_EQ(ConvertCharset(utf8, M::UTF_8, M::UCS_2).size(), bytes.size() * 2) << i;
      EXPECT_EQ(ToHex(ConvertCharset(utf8, M::UTF_8, c)), ToHex(bytes)) << i;
    } else if (i <= int(M::UCS_4LE)) {
      std::string encoded = ConvertCharset(sample, M::UTF_8, c);
      if (c != M::UTF_8) {
        EXPECT_NE(encoded, sample) << i;
      }
      EXPECT_EQ(ToHex(ConvertCharset(encoded, c, M::UTF_8)), ToHex(sample)) << i;
    } else {
      std::string bytes;
      for (int b = 0; b < 0x100; ++b) bytes += char(b);
      std::string utf8 = ConvertCharset(bytes, c, M::UTF_8);
      EXPECT_EQ(ToHex(ConvertCharset(utf8, M::UTF_8, M::UCS_2)).substr(0, 11), "00 00 00 01") << i;
      EXPECT_EQ(ConvertCharset(utf8, M::UTF_8, M::UCS_2).size(), 512u) << i;
      EXPECT_EQ(ToHex(ConvertCharset(utf8, M::UTF_8, c)), ToHex(bytes)) << i;
    }
  }
}

// The program's own pair, in both directions, against the platform.
TEST(CharsetsTest, Utf8AndCp1250AgreeWithThePlatform) {
  std::wstring all;
  for (int b = 0x20; b < 0x100; ++b) {
    if (b >= 0x80 && SelectCodeTable(M::CP1250)[b - 0x80] == 0xFFFD) continue;
    char byte = static_cast<char>(b);
    wchar_t w = 0;
    ASSERT_EQ(MultiByteToWideChar(1250, 0, &byte, 1, &w, 1), 1);
    all += w;
  }
  std::string utf8 = WideToAnsi(all, CP_UTF8);
  std::string cp1250 = WideToAnsi(all, 1250);
  EXPECT_EQ(ToHex(ConvertCharset(utf8, M::UTF_8, M::CP1250)), ToHex(cp1250));
  EXPECT_EQ(ToHex(ConvertCharset(cp1250, M::CP1250, M::UTF_8)), ToHex(utf8));
}

TEST(CharsetsTest, AliasTable) {
  const std::vector<TIconvChar>& rows = CharsetAliases();
  ASSERT_EQ(rows.size(), 113u);
  EXPECT_EQ(rows.front().CharName,
            L"ISO-8859-1 CP819 IBM819 ISO-IR-100 ISO8859-1 ISO_8859-1 ISO_8859-1:1987 L1 LATIN1 CSISOLATIN1 "
            L"ISO88591 ISOIR100");
  EXPECT_EQ(rows.back().Charset, M::CP1125);
  struct Case {
    M charset;
    const wchar_t* primary;
    const wchar_t* iconvName;
  };
  const Case cases[] = {
      {M::ISO_8859_1, L"ISO-8859-1", L"ISO-8859-1"},    {M::UTF_8, L"UTF-8", L"UTF-8"},
      {M::UCS_2, L"ISO-10646-UCS-2", L"ISO-10646-UCS-2"}, {M::UCS_4, L"ISO-10646-UCS-4", L"ISO-10646-UCS-4"},
      {M::UTF_16, L"UTF-16", L"UTF-16"},                {M::UTF_32, L"UTF-32", L"UTF-32"},
      {M::UTF_7, L"UNICODE-1-1-UTF-7", L"UNICODE-1-1-UTF-7"},
      {M::CP1250, L"WINDOWS-1250", L"WINDOWS-1250"},    {M::CP1258, L"WINDOWS-1258", L"WINDOWS-1258"},
      {M::CP852, L"852", L"852"},                       {M::CP895, L"ISO-8859-1", L"CP-895"},
      {M::UTF_7mod, L"ISO-8859-1", L"mUTF-7"},          {M::GB1988_80, L"CN", L"CN"},
      {M::GB2312, L"CN-GB", L"CN-GB"},                  {M::ISO_8859_16, L"ISO-8859-16", L"ISO-8859-16"},
      {M::CP1125, L"CP1125", L"CP1125"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CharsetPrimaryName(c.charset), c.primary) << int(c.charset);
    EXPECT_EQ(IconvCharsetName(c.charset), c.iconvName) << int(c.charset);
  }
  // Every set but the two with names of their own has a row.
  for (int i = 0; i < MimeCharCount; ++i) {
    M c = static_cast<M>(i);
    bool found = false;
    for (const TIconvChar& row : rows) found = found || row.Charset == c;
    EXPECT_EQ(found, c != M::CP895 && c != M::UTF_7mod) << i;
  }
}

}  // namespace
