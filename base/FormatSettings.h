// Number and date notation: the separators and date and time formats of a
// locale, formatting of dates and times, and reading dates back.
#pragma once

#include "base/SysUtils.h"

// Date and time formats use these letters (case does not matter): d dd ddd
// dddd (day, names), ddddd dddddd (short, long date), m mm mmm mmmm (month;
// minutes right after an hour), yy yyyy, h hh, n nn (minutes), s ss, z zzz,
// t tt (short, long time), am/pm a/p ampm (12-hour clock), c (short date and
// long time), "/" the date separator, ":" the time separator, text in single
// or double quotes as it stands.
struct TFormatSettings {
  wchar_t DecimalSeparator = L'.';
  wchar_t ThousandSeparator = L',';
  wchar_t DateSeparator = L'/';
  wchar_t TimeSeparator = L':';
  String ShortDateFormat = L"mm/dd/yyyy";
  String LongDateFormat = L"dddd, mmmm d, yyyy";
  String ShortTimeFormat = L"hh:nn";
  String LongTimeFormat = L"hh:nn:ss";
  String TimeAMString = L"AM";
  String TimePMString = L"PM";
  String ShortMonthNames[12];
  String LongMonthNames[12];
  String ShortDayNames[7];  // Sunday first
  String LongDayNames[7];

  // The settings of a locale (the user's by default).
  static TFormatSettings Create(LCID Locale = LOCALE_USER_DEFAULT);
  // English names, "." and ",", month/day/year.
  static TFormatSettings Invariant();
};

// The process's settings, read from the user's locale on first use. Tests
// may change them; ResetFormatSettings reads the locale again.
TFormatSettings& FormatSettings();
void ResetFormatSettings();

String FormatDateTime(const String& Format, TDateTime Value);
String FormatDateTime(const String& Format, TDateTime Value, const TFormatSettings& Settings);

// A date in the order of ShortDateFormat (day, month and year separated by
// DateSeparator; without a year, this year), optionally followed by a time
// (hours, minutes, optional seconds, separated by TimeSeparator, optional
// AM/PM). Two-digit years fall within 50 years of this year.
bool TryStrToDateTime(const String& S, TDateTime& Value, const TFormatSettings& Settings);
bool TryStrToDateTime(const String& S, TDateTime& Value);
TDateTime StrToDateTime(const String& S);  // EConvertError when S is none
// A date and time laid out by Format (the letters above; names are matched
// without regard to case).
bool TryStrToDateTimeFmt(const String& S, const String& Format, TDateTime& Value, const TFormatSettings& Settings);
bool TryStrToDateTimeFmt(const String& S, const String& Format, TDateTime& Value);
