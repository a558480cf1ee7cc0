#include "base/FormatSettings.h"

#include <cwctype>
#include <memory>

namespace {

String LocaleText(LCID Locale, LCTYPE Type, const String& Default) {
  wchar_t buf[128];
  int n = GetLocaleInfoW(Locale, Type, buf, 128);
  return n > 1 ? String(buf, static_cast<size_t>(n - 1)) : Default;
}

wchar_t Lower(wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); }

bool StartsNoCase(const String& S, size_t At, const wchar_t* Word) {
  for (size_t k = 0; Word[k]; ++k)
    if (At + k >= S.size() || Lower(S[At + k]) != Lower(Word[k])) return false;
  return true;
}

// A quoted literal of a platform pattern starting at i, in double quotes;
// returns the index of its closing quote (or the end).
size_t CopyQuoted(const String& Pattern, size_t i, String& out) {
  size_t j = Pattern.find(L'\'', i + 1);
  if (j == String::npos) j = Pattern.size();
  out += L'"' + Pattern.substr(i + 1, j - i - 1) + L'"';
  return j;
}

// The platform's date pattern (d, M, y, g, quotes) in our letters, its
// separator written as "/".
String DateFormatFromLocale(const String& Pattern, wchar_t& Separator, bool MapSeparator = true) {
  String out;
  Separator = 0;
  for (size_t i = 0; i < Pattern.size(); ++i) {
    wchar_t c = Pattern[i];
    if (c == L'\'') {
      i = CopyQuoted(Pattern, i, out);
    } else if (c == L'd' || c == L'M' || c == L'y') {
      out += Lower(c);
    } else if (c == L'g') {
      // eras are not shown
    } else if (MapSeparator && !std::iswalnum(c) && c != L' ' && c != L',') {
      if (!Separator) Separator = c;
      out += c == Separator ? L'/' : c;
    } else {
      out += c;
    }
  }
  if (!Separator) Separator = L'/';
  return out;
}

String TimeFormatFromLocale(const String& Pattern, wchar_t& Separator) {
  String out;
  Separator = 0;
  for (size_t i = 0; i < Pattern.size(); ++i) {
    wchar_t c = Pattern[i];
    if (c == L'\'') {
      i = CopyQuoted(Pattern, i, out);
    } else if (c == L'H' || c == L'h') {
      out += L'h';
    } else if (c == L'm') {
      out += L'n';
    } else if (c == L's') {
      out += L's';
    } else if (c == L't') {
      while (i + 1 < Pattern.size() && Pattern[i + 1] == L't') ++i;
      out += L"AMPM";
    } else if (!std::iswalnum(c) && c != L' ') {
      if (!Separator) Separator = c;
      out += c == Separator ? L':' : c;
    } else {
      out += c;
    }
  }
  if (!Separator) Separator = L':';
  return out;
}

std::unique_ptr<TFormatSettings>& Current() {
  static std::unique_ptr<TFormatSettings> settings;
  return settings;
}

String Pad(int Value, int Digits) {
  String s = IntToStr(Value);
  while (static_cast<int>(s.size()) < Digits) s.insert(s.begin(), L'0');
  return s;
}

// True when the format (outside quotes) asks for the 12-hour clock.
bool UsesTwelveHours(const String& F) {
  for (size_t i = 0; i < F.size(); ++i) {
    wchar_t c = F[i];
    if (c == L'"' || c == L'\'') {
      size_t j = F.find(c, i + 1);
      if (j == String::npos) return false;
      i = j;
    } else if (StartsNoCase(F, i, L"am/pm") || StartsNoCase(F, i, L"a/p") || StartsNoCase(F, i, L"ampm")) {
      return true;
    }
  }
  return false;
}

size_t RunLength(const String& F, size_t i) {
  size_t n = 1;
  while (i + n < F.size() && Lower(F[i + n]) == Lower(F[i])) ++n;
  return n;
}

void Append(String& Out, const String& F, TDateTime Value, const TFormatSettings& S, int Depth) {
  if (Depth > 3) return;
  int year, month, day, hour, minute, second, ms;
  DecodeDate(Value, year, month, day);
  DecodeTime(Value, hour, minute, second, ms);
  bool twelve = UsesTwelveHours(F);
  bool afterHour = false;
  for (size_t i = 0; i < F.size();) {
    wchar_t c = F[i];
    wchar_t l = Lower(c);
    if (c == L'"' || c == L'\'') {
      size_t j = F.find(c, i + 1);
      if (j == String::npos) j = F.size();
      Out += F.substr(i + 1, j - i - 1);
      i = j + 1;
      continue;
    }
    if (l == L'a') {
      bool pm = hour >= 12;
      if (StartsNoCase(F, i, L"am/pm")) {
        String word = F.substr(pm ? i + 3 : i, 2);
        Out += word;
        i += 5;
      } else if (StartsNoCase(F, i, L"a/p")) {
        Out += F[pm ? i + 2 : i];
        i += 3;
      } else if (StartsNoCase(F, i, L"ampm")) {
        Out += pm ? S.TimePMString : S.TimeAMString;
        i += 4;
      } else {
        Out += c;
        ++i;
      }
      afterHour = false;
      continue;
    }
    size_t n = RunLength(F, i);
    switch (l) {
      case L'c':
        Append(Out, S.ShortDateFormat, Value, S, Depth + 1);
        if (hour || minute || second || ms) {
          Out += L' ';
          Append(Out, S.LongTimeFormat, Value, S, Depth + 1);
        }
        i += 1;
        afterHour = false;
        continue;
      case L'd':
        n = Min<size_t>(n, 6);
        if (n <= 2) Out += Pad(day, static_cast<int>(n));
        int weekday;
        weekday = static_cast<int>((static_cast<int64_t>(Value) - 1 + 7 * 100000) % 7);  // 0 = Sunday
        if (n == 3) Out += S.ShortDayNames[weekday];
        if (n == 4) Out += S.LongDayNames[weekday];
        if (n == 5) Append(Out, S.ShortDateFormat, Value, S, Depth + 1);
        if (n == 6) Append(Out, S.LongDateFormat, Value, S, Depth + 1);
        afterHour = false;
        break;
      case L'm':
        if (afterHour && n <= 2) {
          Out += Pad(minute, static_cast<int>(n));
        } else if (n <= 2) {
          Out += Pad(month, static_cast<int>(n));
        } else if (month >= 1) {
          Out += n == 3 ? S.ShortMonthNames[month - 1] : S.LongMonthNames[month - 1];
        }
        afterHour = false;
        break;
      case L'y':
        Out += n <= 2 ? Pad(year % 100, 2) : Pad(year, 4);
        afterHour = false;
        break;
      case L'h': {
        n = Min<size_t>(n, 2);
        int h = hour;
        if (twelve) {
          h %= 12;
          if (h == 0) h = 12;
        }
        Out += Pad(h, static_cast<int>(n));
        afterHour = true;
        break;
      }
      case L'n':
        n = Min<size_t>(n, 2);
        Out += Pad(minute, static_cast<int>(n));
        afterHour = false;
        break;
      case L's':
        n = Min<size_t>(n, 2);
        Out += Pad(second, static_cast<int>(n));
        afterHour = false;
        break;
      case L'z':
        n = n >= 3 ? 3 : 1;
        Out += Pad(ms, n == 3 ? 3 : 1);
        afterHour = false;
        break;
      case L't':
        n = Min<size_t>(n, 2);
        Append(Out, n == 1 ? S.ShortTimeFormat : S.LongTimeFormat, Value, S, Depth + 1);
        afterHour = false;
        break;
      case L'/':
        n = 1;
        Out += S.DateSeparator;
        break;
      case L':':
        n = 1;
        Out += S.TimeSeparator;
        break;
      default:
        n = 1;
        Out += c;
        break;
    }
    i += n;
  }
}

// Reads up to MaxDigits digits at S[i]; false when none.
bool ReadNumber(const String& S, size_t& i, int MaxDigits, int& Value, int* Digits = nullptr) {
  int n = 0;
  Value = 0;
  while (i < S.size() && n < MaxDigits && S[i] >= L'0' && S[i] <= L'9') {
    Value = Value * 10 + (S[i] - L'0');
    ++i;
    ++n;
  }
  if (Digits) *Digits = n;
  return n > 0;
}

int CurrentYear() {
  int y, m, d;
  DecodeDate(Now(), y, m, d);
  return y;
}

int WindowYear(int Year, int Digits) {
  if (Digits > 2) return Year;
  int now = CurrentYear();
  int pivot = now - 50;
  int y = pivot / 100 * 100 + Year;
  if (y < pivot) y += 100;
  return y;
}

void SkipBlanks(const String& S, size_t& i) {
  while (i < S.size() && S[i] == L' ') ++i;
}

// AM or PM at S[i]: 1 for PM, 0 for AM, -1 for neither.
int ReadAmPm(const String& S, size_t& i, const TFormatSettings& FS) {
  const String words[] = {FS.TimeAMString, FS.TimePMString, L"AM", L"PM", L"A", L"P"};
  for (int k = 0; k < 6; ++k) {
    const String& w = words[k];
    if (!w.empty() && StartsNoCase(S, i, w.c_str())) {
      i += w.size();
      return k % 2;
    }
  }
  return -1;
}

bool ReadTime(const String& S, size_t& i, const TFormatSettings& FS, TDateTime& Time) {
  int h, n, s = 0, z = 0;
  if (!ReadNumber(S, i, 2, h)) return false;
  if (i >= S.size() || S[i] != FS.TimeSeparator) return false;
  ++i;
  if (!ReadNumber(S, i, 2, n)) return false;
  if (i < S.size() && S[i] == FS.TimeSeparator) {
    ++i;
    if (!ReadNumber(S, i, 2, s)) return false;
    if (i < S.size() && (S[i] == L'.' || S[i] == FS.DecimalSeparator)) {
      ++i;
      if (!ReadNumber(S, i, 3, z)) return false;
    }
  }
  size_t save = i;
  SkipBlanks(S, i);
  int pm = ReadAmPm(S, i, FS);
  if (pm < 0) {
    i = save;
  } else {
    if (h < 1 || h > 12) return false;
    h = h % 12 + (pm ? 12 : 0);
  }
  try {
    Time = EncodeTime(h, n, s, z);
  } catch (const EConvertError&) {
    return false;
  }
  return true;
}

}  // namespace

TFormatSettings TFormatSettings::Invariant() {
  TFormatSettings s;
  static const wchar_t* shortMonths[] = {L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun",
                                         L"Jul", L"Aug", L"Sep", L"Oct", L"Nov", L"Dec"};
  static const wchar_t* longMonths[] = {L"January", L"February", L"March",     L"April",   L"May",      L"June",
                                        L"July",    L"August",   L"September", L"October", L"November", L"December"};
  static const wchar_t* shortDays[] = {L"Sun", L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat"};
  static const wchar_t* longDays[] = {L"Sunday", L"Monday", L"Tuesday", L"Wednesday", L"Thursday", L"Friday",
                                      L"Saturday"};
  for (int i = 0; i < 12; ++i) {
    s.ShortMonthNames[i] = shortMonths[i];
    s.LongMonthNames[i] = longMonths[i];
  }
  for (int i = 0; i < 7; ++i) {
    s.ShortDayNames[i] = shortDays[i];
    s.LongDayNames[i] = longDays[i];
  }
  return s;
}

TFormatSettings TFormatSettings::Create(LCID Locale) {
  TFormatSettings s = Invariant();
  String dec = LocaleText(Locale, LOCALE_SDECIMAL, L".");
  String thou = LocaleText(Locale, LOCALE_STHOUSAND, L",");
  s.DecimalSeparator = dec.empty() ? L'.' : dec[0];
  s.ThousandSeparator = thou.empty() ? L',' : thou[0];
  s.ShortDateFormat = DateFormatFromLocale(LocaleText(Locale, LOCALE_SSHORTDATE, L"M/d/yyyy"), s.DateSeparator);
  wchar_t unused;
  // The long date keeps its own punctuation.
  s.LongDateFormat = DateFormatFromLocale(LocaleText(Locale, LOCALE_SLONGDATE, L"dddd, MMMM d, yyyy"), unused, false);
  s.LongTimeFormat = TimeFormatFromLocale(LocaleText(Locale, LOCALE_STIMEFORMAT, L"h:mm:ss tt"), s.TimeSeparator);
  String shortTime = LocaleText(Locale, LOCALE_SSHORTTIME, L"");
  if (shortTime.empty()) {
    // Without a short form: the long one without its seconds.
    shortTime = LocaleText(Locale, LOCALE_STIMEFORMAT, L"h:mm tt");
    size_t p = shortTime.find(L"ss");
    if (p != String::npos && p > 0) shortTime.erase(p - 1, 3);
  }
  s.ShortTimeFormat = TimeFormatFromLocale(shortTime, unused);
  s.TimeAMString = LocaleText(Locale, LOCALE_S1159, L"AM");
  s.TimePMString = LocaleText(Locale, LOCALE_S2359, L"PM");
  for (int i = 0; i < 12; ++i) {
    s.ShortMonthNames[i] = LocaleText(Locale, LOCALE_SABBREVMONTHNAME1 + i, s.ShortMonthNames[i]);
    s.LongMonthNames[i] = LocaleText(Locale, LOCALE_SMONTHNAME1 + i, s.LongMonthNames[i]);
  }
  // The platform counts days from Monday.
  for (int i = 0; i < 7; ++i) {
    int platform = (i + 6) % 7;
    s.ShortDayNames[i] = LocaleText(Locale, LOCALE_SABBREVDAYNAME1 + platform, s.ShortDayNames[i]);
    s.LongDayNames[i] = LocaleText(Locale, LOCALE_SDAYNAME1 + platform, s.LongDayNames[i]);
  }
  return s;
}

TFormatSettings& FormatSettings() {
  auto& cur = Current();
  if (!cur) cur = std::make_unique<TFormatSettings>(TFormatSettings::Create());
  return *cur;
}

void ResetFormatSettings() { Current().reset(); }

String FormatDateTime(const String& Format, TDateTime Value, const TFormatSettings& Settings) {
  String out;
  Append(out, Format.empty() ? String(L"c") : Format, Value, Settings, 0);
  return out;
}

String FormatDateTime(const String& Format, TDateTime Value) {
  return FormatDateTime(Format, Value, FormatSettings());
}

bool TryStrToDateTime(const String& Text, TDateTime& Value, const TFormatSettings& FS) {
  String S = Trim(Text);
  if (S.empty()) return false;
  size_t i = 0;
  TDateTime date = 0;
  // A time alone?
  {
    size_t j = 0;
    TDateTime t;
    if (ReadTime(S, j, FS, t)) {
      SkipBlanks(S, j);
      if (j == S.size()) {
        Value = t;
        return true;
      }
    }
  }
  // The order of day, month and year in the short date format.
  String f;
  for (wchar_t c : FS.ShortDateFormat) f += Lower(c);
  size_t pd = f.find(L'd'), pm = f.find(L'm'), py = f.find(L'y');
  if (pd == String::npos || pm == String::npos) return false;
  if (py == String::npos) py = f.size();
  int parts[3] = {0, 0, 0};
  int digits[3] = {0, 0, 0};
  int count = 0;
  while (count < 3) {
    if (!ReadNumber(S, i, 4, parts[count], &digits[count])) return false;
    ++count;
    if (i < S.size() && S[i] == FS.DateSeparator) {
      ++i;
      continue;
    }
    break;
  }
  if (count < 2) return false;
  // Slot of each field in the text, by its place in the format.
  struct TField {
    size_t At;
    char Kind;
  } fields[3] = {{pd, 'd'}, {pm, 'm'}, {py, 'y'}};
  for (int a = 0; a < 3; ++a)
    for (int b = a + 1; b < 3; ++b)
      if (fields[b].At < fields[a].At) std::swap(fields[a], fields[b]);
  int day = 0, month = 0, year = CurrentYear(), yearDigits = 4;
  int slot = 0;
  for (int k = 0; k < 3; ++k) {
    if (fields[k].Kind == 'y' && count == 2) continue;
    if (slot >= count) return false;
    int v = parts[slot];
    if (fields[k].Kind == 'd') day = v;
    if (fields[k].Kind == 'm') month = v;
    if (fields[k].Kind == 'y') {
      year = v;
      yearDigits = digits[slot];
    }
    ++slot;
  }
  year = WindowYear(year, yearDigits);
  try {
    date = EncodeDate(year, month, day);
  } catch (const EConvertError&) {
    return false;
  }
  SkipBlanks(S, i);
  if (i < S.size()) {
    TDateTime t;
    if (!ReadTime(S, i, FS, t)) return false;
    SkipBlanks(S, i);
    if (i != S.size()) return false;
    date += t;
  }
  Value = date;
  return true;
}

bool TryStrToDateTime(const String& S, TDateTime& Value) { return TryStrToDateTime(S, Value, FormatSettings()); }

TDateTime StrToDateTime(const String& S) {
  TDateTime v;
  if (!TryStrToDateTime(S, v)) throw EConvertError(L"'%s' is not a valid date and time", {S});
  return v;
}

bool TryStrToDateTimeFmt(const String& S, const String& F, TDateTime& Value, const TFormatSettings& FS) {
  int day = 1, month = 1, year = CurrentYear(), yearDigits = 4, hour = 0, minute = 0, second = 0, ms = 0, pm = -1;
  bool afterHour = false;
  size_t i = 0;
  for (size_t k = 0; k < F.size();) {
    wchar_t c = F[k];
    wchar_t l = Lower(c);
    if (c == L'"' || c == L'\'') {
      size_t j = F.find(c, k + 1);
      if (j == String::npos) j = F.size();
      String lit = F.substr(k + 1, j - k - 1);
      if (S.compare(i, lit.size(), lit) != 0) return false;
      i += lit.size();
      k = j + 1;
      continue;
    }
    if (l == L'a' && (StartsNoCase(F, k, L"am/pm") || StartsNoCase(F, k, L"a/p") || StartsNoCase(F, k, L"ampm"))) {
      pm = ReadAmPm(S, i, FS);
      if (pm < 0) return false;
      k += StartsNoCase(F, k, L"am/pm") ? 5 : StartsNoCase(F, k, L"ampm") ? 4 : 3;
      continue;
    }
    size_t n = RunLength(F, k);
    bool ok = true;
    switch (l) {
      case L'd':
        ok = ReadNumber(S, i, 2, day);
        afterHour = false;
        break;
      case L'm':
        if (afterHour && n <= 2) {
          ok = ReadNumber(S, i, 2, minute);
        } else if (n <= 2) {
          ok = ReadNumber(S, i, 2, month);
        } else {
          ok = false;
          for (int m = 0; m < 12 && !ok; ++m) {
            const String& name = n == 3 ? FS.ShortMonthNames[m] : FS.LongMonthNames[m];
            if (!name.empty() && StartsNoCase(S, i, name.c_str())) {
              month = m + 1;
              i += name.size();
              ok = true;
            }
          }
        }
        afterHour = false;
        break;
      case L'y':
        ok = ReadNumber(S, i, n <= 2 ? 2 : 4, year, &yearDigits);
        afterHour = false;
        break;
      case L'h':
        n = Min<size_t>(n, 2);
        ok = ReadNumber(S, i, 2, hour);
        afterHour = true;
        break;
      case L'n':
        n = Min<size_t>(n, 2);
        ok = ReadNumber(S, i, 2, minute);
        afterHour = false;
        break;
      case L's':
        n = Min<size_t>(n, 2);
        ok = ReadNumber(S, i, 2, second);
        afterHour = false;
        break;
      case L'z':
        ok = ReadNumber(S, i, 3, ms);
        afterHour = false;
        break;
      case L'/':
        n = 1;
        ok = i < S.size() && S[i] == FS.DateSeparator;
        ++i;
        break;
      case L':':
        n = 1;
        ok = i < S.size() && S[i] == FS.TimeSeparator;
        ++i;
        break;
      default:
        n = 1;
        ok = i < S.size() && S[i] == c;
        ++i;
        break;
    }
    if (!ok) return false;
    k += n;
  }
  if (i != S.size()) return false;
  if (pm >= 0) {
    if (hour < 1 || hour > 12) return false;
    hour = hour % 12 + (pm ? 12 : 0);
  }
  try {
    Value = EncodeDate(WindowYear(year, yearDigits), month, day) + EncodeTime(hour, minute, second, ms);
  } catch (const EConvertError&) {
    return false;
  }
  return true;
}

bool TryStrToDateTimeFmt(const String& S, const String& Format, TDateTime& Value) {
  return TryStrToDateTimeFmt(S, Format, Value, FormatSettings());
}
