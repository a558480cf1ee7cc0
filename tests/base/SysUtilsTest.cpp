#include <gtest/gtest.h>

#include "base/SysUtils.h"

TEST(SysUtils, RoundTakesHalvesToEven) {
  struct {
    double in;
    int64_t out;
  } cases[] = {{202.5, 202}, {127.5, 128}, {0.5, 0}, {1.5, 2}, {-2.5, -2}, {2.4999, 2}, {-0.6, -1}};
  for (auto& c : cases) EXPECT_EQ(Round(c.in), c.out) << c.in;
  EXPECT_EQ(Trunc(-2.7), -2);
}

// ---------------------------------------------------------------------------
// Format

TEST(Format, FormatsEachTypeWithWidthAndPrecision) {
  const void* ptr = reinterpret_cast<const void*>(uintptr_t{0x12AB});
  struct {
    const wchar_t* fmt;
    std::vector<TVarRec> args;
    const wchar_t* out;
  } cases[] = {
      {L"%d", {42}, L"42"},
      {L"[%5d]", {-42}, L"[  -42]"},
      {L"[%-5d]", {42}, L"[42   ]"},
      {L"%.4d", {-42}, L"-0042"},
      {L"%d", {int64_t{-9223372036854775807LL - 1}}, L"-9223372036854775808"},
      {L"%u", {-1}, L"4294967295"},
      {L"%u", {4000000000u}, L"4000000000"},
      {L"%x", {255}, L"FF"},
      {L"%.4x", {255}, L"00FF"},
      {L"%x", {-1}, L"FFFFFFFF"},
      {L"[%s]", {L"abc"}, L"[abc]"},
      {L"[%5s]", {L"abc"}, L"[  abc]"},
      {L"[%-5s]", {String(L"abc")}, L"[abc  ]"},
      {L"%.2s", {"abcdef"}, L"ab"},
      {L"%s", {L'z'}, L"z"},
      {L"%f", {1.5}, L"1.50"},
      {L"%.3f", {3.14159}, L"3.142"},
      {L"%.0f", {-7.25}, L"-7"},
      {L"[%8.2f]", {-1.5}, L"[   -1.50]"},
      {L"%f", {3}, L"3.00"},
      {L"%.0f", {2.5}, L"3"},  // halves away from zero
      {L"%.0f", {-0.5}, L"-1"},
      {L"%.2f", {0.125}, L"0.13"},
      {L"%.1f", {0.25}, L"0.3"},
      {L"%.1f", {-0.75}, L"-0.8"},
      {L"%.2f", {2.675}, L"2.68"},  // on the decimal the source wrote
      {L"%.1f", {9.96}, L"10.0"},
      {L"%.3e", {1.125}, L"1.13E+000"},
      {L"%.3e", {-9.999}, L"-1.00E+001"},
      {L"%e", {0.0}, L"0.00000000000000E+000"},
      {L"%n", {999999.999}, L"1,000,000.00"},
      {L"%.3n", {1234.5}, L"1,234.500"},
      {L"%e", {1234.5}, L"1.23450000000000E+003"},
      {L"%.3e", {-0.00012345}, L"-1.23E-004"},
      {L"%g", {1234.5}, L"1234.5"},
      {L"%g", {0.25}, L"0.25"},
      {L"%g", {1e20}, L"1E20"},
      {L"%g", {0.00001}, L"1E-5"},
      {L"%.3g", {1234.5}, L"1.23E3"},
      {L"%n", {1234567.891}, L"1,234,567.89"},
      {L"%.0n", {-1234.0}, L"-1,234"},
      {L"%n", {999.0}, L"999.00"},
      {L"%c", {L'Z'}, L"Z"},
      {L"%c", {65}, L"A"},
      {L"%p", {ptr}, L"00000000000012AB"},
      {L"%1:s %0:s", {L"a", L"b"}, L"b a"},
      {L"%1:s%s", {L"a", L"b", L"c"}, L"bc"},
      {L"%0:s-%0:s", {L"x"}, L"x-x"},
      {L"[%*d]", {5, 42}, L"[   42]"},
      {L"[%-*.*f]", {8, 2, 3.14159}, L"[3.14    ]"},
      {L"%.*s", {2, L"abcdef"}, L"ab"},
      {L"%d%%", {100}, L"100%"},
      {L"%%d", {}, L"%d"},
      {L"%s: %d items", {L"Inbox", 3}, L"Inbox: 3 items"},
  };
  for (auto& c : cases) {
    String out;
    EXPECT_NO_THROW(out = Format(c.fmt, c.args)) << c.fmt;
    EXPECT_EQ(out, c.out) << c.fmt;
  }
}

TEST(Format, MalformedFormatOrWrongArgumentRaisesConvertError) {
  struct {
    const wchar_t* fmt;
    std::vector<TVarRec> args;
  } cases[] = {
      {L"%", {1}},    {L"abc%", {1}},    {L"%5", {1}},        {L"%k", {1}},     {L"%-", {1}},    {L"%.2", {1.0}},
      {L"%d", {}},    {L"%d %d", {1}},   {L"%d", {L"1"}},     {L"%d", {1.5}},   {L"%s", {1}},    {L"%f", {L"x"}},
      {L"%x", {2.0}}, {L"%1:s", {L"a"}}, {L"%*d", {L"5", 1}}, {L"%c", {L"ab"}}, {L"%u", {true}},
  };
  for (auto& c : cases) EXPECT_THROW(Format(c.fmt, c.args), EConvertError) << c.fmt;
}

TEST(Format, ExceptionsFormatTheirMessage) {
  EListError e(L"List index out of bounds (%d)", {-1});
  EXPECT_EQ(e.Message(), L"List index out of bounds (-1)");
  EXPECT_STREQ(e.what(), "List index out of bounds (-1)");
  EXPECT_EQ(e.ClassName(), L"EListError");
}

// ---------------------------------------------------------------------------
// Numbers

TEST(StrToInt, ReadsDecimalAndHexWithSigns) {
  struct {
    const wchar_t* in;
    int out;
  } cases[] = {
      {L"0", 0},
      {L"-12", -12},
      {L"+7", 7},
      {L"007", 7},
      {L"$FF", 255},
      {L"$ff", 255},
      {L"0x1f", 31},
      {L"0X1F", 31},
      {L"-$10", -16},
      {L"-0x10", -16},
      {L"$FFFFFFFF", -1},
      {L"$80000000", -2147483647 - 1},
      {L"2147483647", 2147483647},
      {L"-2147483648", -2147483647 - 1},
  };
  for (auto& c : cases) {
    EXPECT_EQ(StrToInt(c.in), c.out) << c.in;
    EXPECT_EQ(StrToIntDef(c.in, 99), c.out) << c.in;
  }
}

TEST(StrToInt, RejectsBlanksJunkAndOverflow) {
  const wchar_t* bad[] = {L"",           L" 1",  L"1 ",   L"\t1", L"1\r\n", L"2147483648", L"-2147483649",
                          L"$100000000", L"12a", L"1.5",  L"1e3", L"$",     L"0x",         L"-",
                          L"+",          L"$G",  L"0x-1", L"--1", L"1,000"};
  for (const wchar_t* s : bad) {
    EXPECT_THROW(StrToInt(s), EConvertError) << s;
    EXPECT_EQ(StrToIntDef(s, -77), -77) << s;
    int v = 5;
    EXPECT_FALSE(TryStrToInt(s, v)) << s;
    EXPECT_EQ(v, 5) << s;
  }
}

TEST(StrToInt, SixtyFourBitLimits) {
  EXPECT_EQ(StrToInt64(L"9223372036854775807"), INT64_MAX);
  EXPECT_EQ(StrToInt64(L"-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(StrToInt64(L"$7FFFFFFFFFFFFFFF"), INT64_MAX);
  EXPECT_EQ(StrToInt64(L"4294967296"), int64_t{1} << 32);
  EXPECT_THROW(StrToInt64(L"9223372036854775808"), EConvertError);
  EXPECT_THROW(StrToInt64(L"-9223372036854775809"), EConvertError);
  EXPECT_THROW(StrToInt64(L"$10000000000000000"), EConvertError);
  EXPECT_EQ(StrToInt64Def(L"99999999999999999999", 3), 3);
}

TEST(IntToHex, ShowsTheWidthOfTheArgumentsType) {
  EXPECT_EQ(IntToHex(255, 4), L"00FF");
  EXPECT_EQ(IntToHex(0x12345, 2), L"12345");
  EXPECT_EQ(IntToHex(-1, 8), L"FFFFFFFF");
  EXPECT_EQ(IntToHex(clBtnFace, 8), L"FF00000F");
  EXPECT_EQ(IntToHex(int64_t{-1}, 8), L"FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToHex(uint16_t{0xFFFF}, 2), L"FFFF");
}

TEST(FloatToStr, GivesFifteenDigitsAndPlainExponents) {
  struct {
    double in;
    const wchar_t* out;
  } cases[] = {{1.5, L"1.5"},
               {100, L"100"},
               {-0.5, L"-0.5"},
               {0.1, L"0.1"},
               {0, L"0"},
               {1.0 / 3, L"0.333333333333333"},
               {1e20, L"1E20"},
               {1.5e-7, L"1.5E-7"},
               {123456789012345678.0, L"1.23456789012346E17"},
               {0.0001, L"0.0001"},
               {-2.5e-10, L"-2.5E-10"},
               {1e15, L"1E15"},
               {123456789012345.0, L"123456789012345"}};
  for (auto& c : cases) EXPECT_EQ(FloatToStr(c.in), c.out) << c.out;
}

// ---------------------------------------------------------------------------
// Text

TEST(Trim, StripsEveryControlCharacterAndBlankAtTheEnds) {
  const String inner = L"a \x01 b";
  const String junk(L"\0\x01\t\r\n \x1F", 7);
  EXPECT_EQ(Trim(junk + inner + junk), inner);
  EXPECT_EQ(TrimLeft(junk + inner + junk), inner + junk);
  EXPECT_EQ(TrimRight(junk + inner + junk), junk + inner);
  EXPECT_EQ(Trim(junk), L"");
  EXPECT_EQ(Trim(String()), L"");
  // Only characters up to the blank count: a no-break space stays.
  EXPECT_EQ(Trim(L"\x00A0x\x00A0"), L"\x00A0x\x00A0");
  EXPECT_EQ(Trim(AnsiString("\t x \r\n")), "x");
  EXPECT_EQ(Trim(AnsiString("\xA0x")), "\xA0x");
}

TEST(TextPositions, CopyCountsFromOneAndClamps) {
  struct {
    int index, count;
    const wchar_t* out;
  } cases[] = {{2, 3, L"bcd"}, {1, 6, L"abcdef"}, {0, 2, L"ab"}, {-5, 2, L"ab"}, {5, 100, L"ef"},         {6, 1, L"f"},
               {7, 1, L""},    {100, 1, L""},     {2, 0, L""},   {2, -1, L""},   {3, 2147483647, L"cdef"}};
  for (auto& c : cases) {
    EXPECT_EQ(Copy(String(L"abcdef"), c.index, c.count), c.out) << c.index << "," << c.count;
    EXPECT_EQ(Copy(AnsiString("abcdef"), c.index, c.count), WideToAnsi(c.out)) << c.index << "," << c.count;
  }
}

TEST(TextPositions, PosAnswersOneBasedOrZero) {
  EXPECT_EQ(Pos(L"cd", L"abcdef"), 3);
  EXPECT_EQ(Pos(L"a", L"abca"), 1);
  EXPECT_EQ(Pos(L"f", L"abcdef"), 6);
  EXPECT_EQ(Pos(L"x", L"abcdef"), 0);
  EXPECT_EQ(Pos(L"", L"abc"), 0);
  EXPECT_EQ(Pos(L"abcd", L"abc"), 0);
  EXPECT_EQ(Pos(L"A", L"abc"), 0);
  EXPECT_EQ(Pos(AnsiString("\r\n"), AnsiString("ab\r\n")), 3);
}

TEST(TextPositions, DeleteAndInsertCountFromOneAndClamp) {
  struct {
    int index, count;
    const wchar_t* out;
  } deletes[] = {{2, 2, L"adef"},   {1, 1, L"bcdef"},  {6, 5, L"abcde"},  {3, 100, L"ab"},
                 {0, 2, L"abcdef"}, {7, 1, L"abcdef"}, {1, 0, L"abcdef"}, {3, -1, L"abcdef"}};
  for (auto& c : deletes) {
    String s = L"abcdef";
    Delete(s, c.index, c.count);
    EXPECT_EQ(s, c.out) << c.index << "," << c.count;
    AnsiString a = "abcdef";
    Delete(a, c.index, c.count);
    EXPECT_EQ(a, WideToAnsi(c.out)) << c.index << "," << c.count;
  }
  struct {
    int index;
    const wchar_t* out;
  } inserts[] = {{1, L"XYabc"}, {2, L"aXYbc"}, {4, L"abcXY"}, {10, L"abcXY"}, {0, L"XYabc"}, {-3, L"XYabc"}};
  for (auto& c : inserts) {
    String s = L"abc";
    Insert(L"XY", s, c.index);
    EXPECT_EQ(s, c.out) << c.index;
  }
}

// ---------------------------------------------------------------------------
// Files

TEST(FileNames, ExtractFilePathKeepsTheSeparator) {
  struct {
    const wchar_t* in;
    const wchar_t* path;
    const wchar_t* name;
  } cases[] = {{L"C:\\dir\\file.txt", L"C:\\dir\\", L"file.txt"},
               {L"C:\\file.txt", L"C:\\", L"file.txt"},
               {L"C:file.txt", L"C:", L"file.txt"},
               {L"file.txt", L"", L"file.txt"},
               {L"C:\\dir\\", L"C:\\dir\\", L""},
               {L"\\\\server\\share\\f.ini", L"\\\\server\\share\\", L"f.ini"},
               {L"", L"", L""}};
  for (auto& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.in), c.path) << c.in;
    EXPECT_EQ(ExtractFileName(c.in), c.name) << c.in;
    EXPECT_EQ(ExtractFilePath(c.in) + ExtractFileName(c.in), c.in) << c.in;
  }
}

TEST(FileNames, ChangeFileExtReplacesOnlyTheLastExtensionOfTheName) {
  struct {
    const wchar_t* in;
    const wchar_t* ext;
    const wchar_t* out;
  } cases[] = {{L"C:\\Program Files\\app.exe", L".ini", L"C:\\Program Files\\app.ini"},
               {L"C:\\dir.d\\app", L".ini", L"C:\\dir.d\\app.ini"},
               {L"a.tar.gz", L"", L"a.tar"},
               {L"noext", L".x", L"noext.x"},
               {L"C:\\dir\\.cfg", L".ini", L"C:\\dir\\.ini"},
               {L"file.", L".txt", L"file.txt"}};
  for (auto& c : cases) EXPECT_EQ(ChangeFileExt(c.in, c.ext), c.out) << c.in;
  EXPECT_EQ(ExtractFileExt(L"C:\\dir.d\\app"), L"");
  EXPECT_EQ(ExtractFileExt(L"C:\\dir\\app.Exe"), L".Exe");
}

// ---------------------------------------------------------------------------
// Time

TEST(Dates, KnownDaysAndEveryDayOfSomeYearsRoundTrip) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
  EXPECT_EQ(EncodeDate(1899, 12, 29), -1.0);
  EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
  // Every day from 1899 to 1905 and 1995 to 2105, 2100 not being a leap year.
  for (auto [from, to] : {std::pair{1899, 1905}, std::pair{1995, 2105}}) {
    TDateTime expected = EncodeDate(from, 1, 1);
    for (int y = from; y <= to; ++y)
      for (int m = 1; m <= 12; ++m)
        for (int d = 1; d <= 31; ++d) {
          TDateTime dt;
          try {
            dt = EncodeDate(y, m, d);
          } catch (const EConvertError&) {
            continue;
          }
          ASSERT_EQ(dt, expected) << y << "-" << m << "-" << d;
          expected += 1;
          int yy, mm, dd;
          DecodeDate(dt < 0 ? dt - 0.75 : dt + 0.75, yy, mm, dd);  // 18:00 that day
          ASSERT_EQ(yy * 10000 + mm * 100 + dd, y * 10000 + m * 100 + d);
        }
  }
  int y, m, d;
  DecodeDate(EncodeDate(9999, 12, 31), y, m, d);
  EXPECT_EQ(y * 10000 + m * 100 + d, 99991231);
  DecodeDate(EncodeDate(1, 1, 1), y, m, d);
  EXPECT_EQ(y * 10000 + m * 100 + d, 10101);
}

TEST(Dates, LeapDaysAndInvalidDates) {
  for (int y : {1600, 2000, 2004, 2024}) EXPECT_NO_THROW(EncodeDate(y, 2, 29)) << y;
  struct {
    int y, m, d;
  } bad[] = {{1900, 2, 29}, {2100, 2, 29}, {2023, 2, 29}, {2023, 4, 31}, {2023, 13, 1},
             {2023, 0, 1},  {2023, 1, 0},  {0, 1, 1},     {10000, 1, 1}};
  for (auto& b : bad) EXPECT_THROW(EncodeDate(b.y, b.m, b.d), EConvertError) << b.y << "-" << b.m << "-" << b.d;
}

TEST(Dates, DaysBeforeTheEpochKeepTheirTimeOfDay) {
  // Before 1899-12-30 the whole part is the day and the fraction, counted
  // away from it, the time: -1.25 is 1899-12-29 06:00.
  int y, m, d, h, n, s, ms;
  DecodeDate(-1.25, y, m, d);
  DecodeTime(-1.25, h, n, s, ms);
  EXPECT_EQ(y * 10000 + m * 100 + d, 18991229);
  EXPECT_EQ(h, 6);
  for (SYSTEMTIME st : {SYSTEMTIME{1899, 12, 0, 29, 6, 30, 15, 250}, SYSTEMTIME{1850, 3, 0, 1, 23, 59, 59, 999},
                        SYSTEMTIME{2024, 2, 0, 29, 0, 0, 0, 1}, SYSTEMTIME{1899, 12, 0, 30, 12, 0, 0, 0}}) {
    SYSTEMTIME back;
    DateTimeToSystemTime(SystemTimeToDateTime(st), back);
    EXPECT_EQ(back.wYear, st.wYear);
    EXPECT_EQ(back.wMonth, st.wMonth);
    EXPECT_EQ(back.wDay, st.wDay);
    EXPECT_EQ(back.wHour, st.wHour);
    EXPECT_EQ(back.wMinute, st.wMinute);
    EXPECT_EQ(back.wSecond, st.wSecond);
    EXPECT_EQ(back.wMilliseconds, st.wMilliseconds);
  }
  SYSTEMTIME st;
  DateTimeToSystemTime(EncodeDate(2000, 1, 1), st);
  EXPECT_EQ(st.wDayOfWeek, 6);  // Saturday
  DateTimeToSystemTime(EncodeDate(1899, 12, 29) - 0.5, st);
  EXPECT_EQ(st.wDayOfWeek, 5);  // Friday
}

// ---------------------------------------------------------------------------
// OS errors

TEST(SysErrorMessage, GivesTheSystemTextWithoutTheClosingPunctuation) {
  for (DWORD code : {ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_INVALID_HANDLE}) {
    wchar_t raw[512] = {};
    ASSERT_NE(
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, raw, 512, nullptr),
        0u);
    String msg = SysErrorMessage(code);
    ASSERT_FALSE(msg.empty()) << code;
    EXPECT_EQ(String(raw).rfind(msg, 0), 0u) << code;
    EXPECT_GT(msg.back(), L' ') << code;
    EXPECT_NE(msg.back(), L'.') << code;
    EXPECT_EQ(Trim(String(raw).substr(msg.size())).find_first_not_of(L"."), String::npos) << code;
  }
  EXPECT_NE(SysErrorMessage(ERROR_FILE_NOT_FOUND), SysErrorMessage(ERROR_ACCESS_DENIED));
  try {
    RaiseLastOSError(ERROR_ACCESS_DENIED);
    FAIL();
  } catch (const EOSError& e) {
    EXPECT_EQ(e.ErrorCode(), DWORD{ERROR_ACCESS_DENIED});
    EXPECT_NE(e.Message().find(SysErrorMessage(ERROR_ACCESS_DENIED)), String::npos);
  }
}
