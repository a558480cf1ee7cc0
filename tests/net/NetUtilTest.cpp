#include <gtest/gtest.h>

#include "base/Streams.h"
#include "base/SysUtils.h"
#include "net/netcodec.h"
#include "net/netutil.h"

namespace {
AnsiString B(std::initializer_list<int> bytes) {
  AnsiString s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}
}  // namespace

TEST(NetUtil, TickSpanCountsForwardAcrossTheWrapOnly) {
  struct {
    uint32_t from, to, span;
  } cases[] = {
      {5, 5, 0},
      {100, 350, 250},
      {0xFFFFFF00u, 256, 512},    // wrapped
      {1280, 256, 1024},          // plain distance, no wrap assumed
      {0x80000000u, 0x7FFFFFFFu, 0xFFFFFFFFu},  // upper half to lower half: a wrap
      {0x7FFFFFFFu, 0x10u, 0x7FFFFFEFu},
  };
  for (auto& c : cases) EXPECT_EQ(TickSpan(c.from, c.to), c.span) << c.from << " -> " << c.to;
}

TEST(NetUtil, CounterToMsMultipliesBeforeDividing) {
  struct {
    int64_t counter, frequency;
    uint32_t ms;
  } cases[] = {
      {1500, 1000, 1500},
      {12345678, 10000000, 1234},  // dividing first would give 1000
      {999, 1000, 999},
      {int64_t{1} << 62, 10000000, 783402034u},  // no overflow; low 32 bits
      {5, 0, 0},
  };
  for (auto& c : cases) EXPECT_EQ(CounterToMs(c.counter, c.frequency), c.ms) << c.counter << "/" << c.frequency;
}

namespace {
DWORD FixedTick() { return 123456; }
}  // namespace

TEST(NetUtil, TickMsFollowsTheTestClock) {
  SetTickSource(FixedTick);
  EXPECT_EQ(TickMs(), 123456u);
  SetTickSource(nullptr);
  uint32_t a = TickMs(), b = TickMs();
  EXPECT_LT(TickSpan(a, b), 1000u);
}

TEST(NetUtil, BigEndianCodecs) {
  EXPECT_EQ(EncodeWordBE(0x1F90), B({0x1F, 0x90}));
  EXPECT_EQ(EncodeLongBE(0x01020304), B({1, 2, 3, 4}));
  EXPECT_EQ(ReverseBytes(0x01020304u), 0x04030201u);
  const AnsiString three = B({0x12, 0x34, 0x56});
  struct {
    int index;
    uint16_t value;
  } cases[] = {{1, 0x1234}, {2, 0x3456}, {3, 0}, {0, 0}, {4, 0}};
  for (auto& c : cases) EXPECT_EQ(DecodeWordBE(three, c.index), c.value) << c.index;
}

TEST(NetUtil, TrimRemovesSpacesOnly) {
  EXPECT_EQ(TrimSpaces(L"  a b  "), L"a b");
  EXPECT_EQ(TrimSpaces(L"\t a \r\n"), L"\t a \r\n");
  EXPECT_EQ(TrimLeadingSpaces(L"  x  "), L"x  ");
  EXPECT_EQ(TrimTrailingSpaces(L"  x  "), L"  x");
  EXPECT_EQ(TrimSpaces(L"   "), L"");
}

TEST(NetUtil, CutTokenTakesTheFrontAndLeavesTheRest) {
  struct {
    const wchar_t* text;
    const wchar_t* delimiter;
    const wchar_t* token;
    const wchar_t* rest;
  } cases[] = {
      {L"a,b,c", L",", L"a", L"b,c"},
      {L"abc", L",", L"abc", L""},
      {L",abc", L",", L"", L"abc"},
      {L"abc,", L",", L"abc", L""},
      {L"abc", L"", L"abc", L""},
      {L"k::v", L"::", L"k", L"v"},
  };
  for (auto& c : cases) {
    String text = c.text;
    EXPECT_EQ(CutToken(text, c.delimiter), c.token) << c.text;
    EXPECT_EQ(text, c.rest) << c.text;
  }
  String text = L" Jan Kowalski ; 600 100 200 ";
  EXPECT_EQ(CutTrimmedToken(text, L";"), L"Jan Kowalski");
  EXPECT_EQ(text, L"600 100 200");
  EXPECT_EQ(TextBefore(L"abc", L"x"), L"abc");
  EXPECT_EQ(TextAfter(L"abc", L"x"), L"abc");
  EXPECT_EQ(TextAfter(L"a=b=c", L"="), L"b=c");
}

TEST(NetUtil, BinaryDigits) {
  struct {
    int value, digits;
    const wchar_t* text;
  } cases[] = {{5, 8, L"00000101"}, {5, 0, L"101"}, {0, 0, L"0"}, {255, 4, L"11111111"}, {1, 1, L"1"}};
  for (auto& c : cases) {
    EXPECT_EQ(IntToBinText(c.value, c.digits), c.text) << c.value;
    EXPECT_EQ(BinTextToInt(c.text), c.value) << c.text;
  }
  EXPECT_EQ(BinTextToInt(L"101x1"), 5);
  EXPECT_EQ(BinTextToInt(L""), 0);
  EXPECT_EQ(BinTextToInt(L"x101"), 0);
  EXPECT_EQ(BinTextToInt(String(33, L'1')), -1);  // wraps at 32 bits
}

TEST(NetUtil, ReplaceAllScansLeftToRightWithoutOverlap) {
  struct {
    const char *value, *search, *replacement, *result;
  } cases[] = {
      {"aaa", "aa", "b", "ba"},
      {"", "a", "b", ""},
      {"abc", "", "x", "abc"},
      {"1::2", "::", ":0:0:", "1:0:0:2"},
      {"xax", "a", "", "xx"},
  };
  for (auto& c : cases) EXPECT_EQ(ReplaceAll(c.value, c.search, c.replacement), c.result) << c.value;
}

TEST(NetUtil, FindLineBreakGivesTheFirstBreakAndItsPair) {
  struct {
    const char* value;
    int position;
    const char* terminator;
  } cases[] = {
      {"abc", -1, ""},
      {"ab\r", 3, "\r"},
      {"ab\n\rc", 3, "\n\r"},
      {"\r\r\n", 1, "\r"},
      {"a\r\nb", 2, "\r\n"},
      {"\n", 1, "\n"},
  };
  for (auto& c : cases) {
    AnsiString terminator = "junk";
    EXPECT_EQ(FindLineBreak(c.value, terminator), c.position) << c.value;
    EXPECT_EQ(terminator, c.terminator) << c.value;
  }
}

TEST(NetUtil, CountCharAndStreamWrite) {
  EXPECT_EQ(CountChar(String(L"fe80::1:2"), L':'), 3);
  EXPECT_EQ(CountChar(AnsiString("a.b.c"), '.'), 2);
  TMemoryStream* stream = new TMemoryStream();
  WriteTextToStream(stream, "");
  EXPECT_EQ(stream->Size(), 0);
  WriteTextToStream(stream, B({'a', 0, 'b'}));
  EXPECT_EQ(stream->Size(), 3);
  EXPECT_EQ(stream->Position(), 3);
  stream->Free();
  char buffer[4] = {0};
  EXPECT_EQ(AdvancePointer(buffer, 3), buffer + 3);
}

// ---------------------------------------------------------------------------
// Base64

TEST(Base64, StandardAlphabetEncodesAndDecodes) {
  struct {
    const char *data, *text;
  } cases[] = {{"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},          {"foo", "Zm9v"},
               {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}};
  for (auto& c : cases) {
    EXPECT_EQ(Base64Encode(c.data), c.text) << c.data;
    EXPECT_EQ(Base64Decode(c.text), c.data) << c.text;
  }
}

TEST(Base64, StandardDecoderSkipsPadsBreaksAndForeignCharacters) {
  EXPECT_EQ(Base64Decode("Zm9vYg"), "foob");
  EXPECT_EQ(Base64Decode("Zm9v\r\nYmFy"), "foobar");
  EXPECT_EQ(Base64Decode(" Zm9v*YmE= "), "fooba");
  EXPECT_EQ(Base64Decode("Zm9vY"), "foo");  // a lone trailing character gives nothing
  // Two padded blocks in a row do not restart at the pad.
  EXPECT_NE(Base64Decode("Zg==Zg=="), "ff");
}

TEST(Base64, ModifiedAlphabetUsesCommaAndDecodesByPosition) {
  const AnsiString data = B({0xFF, 0xFF, 0xFE});
  EXPECT_EQ(Base64Encode(data), "///+");
  EXPECT_EQ(Base64ModEncode(data), ",,,+");
  EXPECT_EQ(Base64ModDecode(",,,+"), data);
  EXPECT_EQ(Base64ModEncode(B({0x00, 0xE9})), "AOk=");
  EXPECT_EQ(Base64ModDecode("AOk"), B({0x00, 0xE9}));
  EXPECT_EQ(Base64ModDecode("Q"), B({0x40}));       // a lone character still gives a byte
  EXPECT_EQ(Base64ModDecode("A*AA"), B({0, 0, 0}));  // outside the alphabet: 0
}

TEST(Base64, EveryByteSurvivesBothAlphabets) {
  AnsiString all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  for (size_t n : {size_t{254}, size_t{255}, size_t{256}}) {
    AnsiString data = all.substr(0, n);
    EXPECT_EQ(Base64Decode(Base64Encode(data)), data) << n;
    EXPECT_EQ(Base64ModDecode(Base64ModEncode(data)), data) << n;
    EXPECT_EQ(Base64Encode(data).size(), (n + 2) / 3 * 4);
  }
}
