#include <gtest/gtest.h>

#include <windows.h>

#include "base/FormatSettings.h"

namespace {

TFormatSettings Dotted() {
  TFormatSettings s = TFormatSettings::Invariant();
  s.DateSeparator = L'.';
  s.ShortDateFormat = L"dd/mm/yyyy";
  s.LongTimeFormat = L"hh:nn:ss";
  return s;
}

TEST(FormatDateTime, TokensTable) {
  TFormatSettings s = Dotted();
  TDateTime t = EncodeDate(2016, 2, 5) + EncodeTime(14, 7, 9, 42);  // a Friday
  struct Case {
    const wchar_t* Format;
    const wchar_t* Want;
  } cases[] = {
      {L"dd/mm/yyyy", L"05.02.2016"},
      {L"d/m/yy", L"5.2.16"},
      {L"hh:nn", L"14:07"},
      {L"h:mm:ss", L"14:07:09"},  // m after an hour is minutes
      {L"h:nn am/pm", L"2:07 pm"},
      {L"hh:nn AMPM", L"02:07 PM"},
      {L"d mmm yyyy, dddd", L"5 Feb 2016, Friday"},
      {L"ddd mmmm", L"Fri February"},
      {L"'at' hh \"o'clock\"", L"at 14 o'clock"},
      {L"yyyy-mm-dd hh:nn:ss.zzz", L"2016-02-05 14:07:09.042"},
      {L"c", L"05.02.2016 14:07:09"},
      {L"ddddd t", L"05.02.2016 14:07"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.Format, t, s), c.Want) << c.Format;
  EXPECT_EQ(FormatDateTime(L"c", EncodeDate(2000, 1, 2), s), L"02.01.2000");
  EXPECT_EQ(FormatDateTime(L"h a/p", EncodeTime(0, 30, 0, 0), s), L"12 a");
}

TEST(StrToDateTime, ReadsTheShortDateOrderAndAnOptionalTime) {
  TFormatSettings s = Dotted();
  int year, month, day;
  DecodeDate(Now(), year, month, day);
  struct Case {
    const wchar_t* Text;
    bool Ok;
    TDateTime Want;
  } cases[] = {
      {L"31.12.1999", true, EncodeDate(1999, 12, 31)},
      {L" 1.2.2005 ", true, EncodeDate(2005, 2, 1)},
      {L"12.01.2016 13:45", true, EncodeDate(2016, 1, 12) + EncodeTime(13, 45, 0, 0)},
      {L"12.01.2016 1:45:30 PM", true, EncodeDate(2016, 1, 12) + EncodeTime(13, 45, 30, 0)},
      {L"9.3", true, EncodeDate(year, 3, 9)},
      {L"10:15", true, EncodeTime(10, 15, 0, 0)},
      {L"31.02.2000", false, 0},
      {L"31/12/1999", false, 0},
      {L"12.01.2016 25:00", false, 0},
      {L"abc", false, 0},
      {L"", false, 0},
  };
  for (const Case& c : cases) {
    TDateTime v = -1;
    EXPECT_EQ(TryStrToDateTime(c.Text, v, s), c.Ok) << c.Text;
    if (c.Ok) {
      EXPECT_DOUBLE_EQ(v, c.Want) << c.Text;
    }
  }
  // Two-digit years fall within fifty years of now.
  TDateTime v;
  ASSERT_TRUE(TryStrToDateTime(L"1.1.05", v, s));
  int y, m, d;
  DecodeDate(v, y, m, d);
  EXPECT_LE(std::abs(y - year), 50);
  EXPECT_EQ(y % 100, 5);
  // Month first in another order of the short date.
  TFormatSettings us = TFormatSettings::Invariant();
  us.ShortDateFormat = L"mm/dd/yyyy";
  ASSERT_TRUE(TryStrToDateTime(L"12/31/1999", v, us));
  EXPECT_DOUBLE_EQ(v, EncodeDate(1999, 12, 31));
}

TEST(StrToDateTime, AGivenFormatLaysOutTheText) {
  TFormatSettings s = Dotted();
  struct Case {
    const wchar_t* Text;
    const wchar_t* Format;
    bool Ok;
    TDateTime Want;
  } cases[] = {
      {L"2016-02-05 14:07", L"yyyy-mm-dd hh:nn", true, EncodeDate(2016, 2, 5) + EncodeTime(14, 7, 0, 0)},
      {L"05 feb 2016", L"dd mmm yyyy", true, EncodeDate(2016, 2, 5)},
      {L"5.2.2016 2:07 PM", L"d/m/yyyy h:nn am/pm", true, EncodeDate(2016, 2, 5) + EncodeTime(14, 7, 0, 0)},
      {L"2016-02-05", L"yyyy-mm-dd hh:nn", false, 0},
      {L"2016-13-05", L"yyyy-mm-dd", false, 0},
      {L"2016-02-05x", L"yyyy-mm-dd", false, 0},
  };
  for (const Case& c : cases) {
    TDateTime v = -1;
    EXPECT_EQ(TryStrToDateTimeFmt(c.Text, c.Format, v, s), c.Ok) << c.Text;
    if (c.Ok) {
      EXPECT_DOUBLE_EQ(v, c.Want) << c.Text;
    }
  }
}

String PlatformDate(LCID Locale, DWORD Flags, int Year, int Month, int Day) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(Year);
  st.wMonth = static_cast<WORD>(Month);
  st.wDay = static_cast<WORD>(Day);
  wchar_t buf[100];
  GetDateFormatW(Locale, Flags, &st, nullptr, buf, 100);
  return buf;
}

String PlatformTime(LCID Locale, int Hour, int Minute, int Second) {
  SYSTEMTIME st{};
  st.wYear = 2000;
  st.wMonth = 1;
  st.wDay = 1;
  st.wHour = static_cast<WORD>(Hour);
  st.wMinute = static_cast<WORD>(Minute);
  st.wSecond = static_cast<WORD>(Second);
  wchar_t buf[100];
  GetTimeFormatW(Locale, 0, &st, nullptr, buf, 100);
  return buf;
}

TEST(FormatSettings, ALocaleFormatsAsThePlatformDoes) {
  LCID locales[] = {MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT),
                    MAKELCID(MAKELANGID(LANG_POLISH, SUBLANG_DEFAULT), SORT_DEFAULT),
                    MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT)};
  for (LCID lc : locales) {
    TFormatSettings fs = TFormatSettings::Create(lc);
    EXPECT_EQ(FormatDateTime(L"ddddd", EncodeDate(2016, 2, 5), fs), PlatformDate(lc, DATE_SHORTDATE, 2016, 2, 5)) << lc;
    // Long dates of languages that decline month names (the platform's
    // genitive forms) are outside our month names.
    if (PRIMARYLANGID(LANGIDFROMLCID(lc)) != LANG_POLISH) {
      EXPECT_EQ(FormatDateTime(L"dddddd", EncodeDate(2016, 11, 25), fs), PlatformDate(lc, DATE_LONGDATE, 2016, 11, 25))
          << lc;
    }
    EXPECT_EQ(FormatDateTime(L"tt", EncodeTime(21, 5, 7, 0), fs), PlatformTime(lc, 21, 5, 7)) << lc;
    // What it writes, it reads back.
    TDateTime v;
    ASSERT_TRUE(TryStrToDateTime(FormatDateTime(L"ddddd tt", EncodeDate(1999, 12, 31) + EncodeTime(8, 30, 0, 0), fs),
                                 v, fs))
        << lc;
    EXPECT_DOUBLE_EQ(v, EncodeDate(1999, 12, 31) + EncodeTime(8, 30, 0, 0)) << lc;
  }
  TFormatSettings de = TFormatSettings::Create(locales[0]);
  EXPECT_EQ(de.DecimalSeparator, L',');
  EXPECT_EQ(de.ThousandSeparator, L'.');
  EXPECT_EQ(de.DateSeparator, L'.');
  // The process-wide settings can be changed and read again from the locale.
  wchar_t before = FormatSettings().DecimalSeparator;
  FormatSettings().DecimalSeparator = L'#';
  EXPECT_EQ(FormatSettings().DecimalSeparator, L'#');
  ResetFormatSettings();
  EXPECT_EQ(FormatSettings().DecimalSeparator, before);
}

}  // namespace
