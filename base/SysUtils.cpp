#include "base/SysUtils.h"

#include <cmath>
#include <cstdio>
#include <cwchar>

// ---------------------------------------------------------------------------
// Conversions

String AnsiToWide(const AnsiString& s, UINT codePage) {
  if (s.empty()) return String();
  int n = MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  String r(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), r.data(), n);
  return r;
}

AnsiString WideToAnsi(const String& s, UINT codePage) {
  if (s.empty()) return AnsiString();
  int n = WideCharToMultiByte(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
  AnsiString r(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, s.data(), static_cast<int>(s.size()), r.data(), n, nullptr, nullptr);
  return r;
}

void Exception::UpdateWhat() { FWhat = WideToAnsi(FMessage, CP_UTF8); }

// ---------------------------------------------------------------------------
// Format

namespace {

[[noreturn]] void FormatError(const String& fmt) {
  throw EConvertError(L"Format '" + fmt + L"' invalid or incompatible with argument");
}

String Pad(const String& s, int width, bool left) {
  if (width <= 0 || static_cast<int>(s.size()) >= width) return s;
  String pad(static_cast<size_t>(width) - s.size(), L' ');
  return left ? s + pad : pad + s;
}

// A real as decimal digits: |v| = 0.Digits x 10^Exp. Real types round
// halves away from zero on these digits, as the platform does (2.5 -> "3",
// 0.125 -> "0.13"), where the C runtime rounds them to even.
struct TDecimal {
  String Digits;
  int Exp = 0;
  bool Negative = false;
  bool IsZero() const { return Digits.find_first_not_of(L'0') == String::npos; }
};

// n significant digits; 15 give back any decimal of up to 15 digits that a
// double was read from.
TDecimal ToDecimal(double v, int n) {
  wchar_t buf[64];
  swprintf(buf, 64, L"%.*e", n - 1, std::fabs(v));
  TDecimal d;
  d.Negative = std::signbit(v);
  const wchar_t* p = buf;
  for (; *p && *p != L'e'; ++p)
    if (*p != L'.') d.Digits += *p;
  d.Exp = (*p ? static_cast<int>(wcstol(p + 1, nullptr, 10)) : 0) + 1;
  return d;
}

// Keeps the first keep digits, rounding on the next one.
void RoundDigits(TDecimal& d, int keep) {
  if (keep >= static_cast<int>(d.Digits.size())) return;
  bool up = keep >= 0 && d.Digits[keep] >= L'5';
  d.Digits.resize(keep > 0 ? keep : 0);
  if (!up) return;
  int i = keep - 1;
  while (i >= 0 && d.Digits[i] == L'9') d.Digits[i--] = L'0';
  if (i >= 0) {
    ++d.Digits[i];
  } else {  // 99.5 -> 100
    d.Digits.insert(d.Digits.begin(), L'1');
    if (keep > 0) d.Digits.pop_back();
    ++d.Exp;
  }
}

wchar_t DigitAt(const TDecimal& d, int i) {
  return i >= 0 && i < static_cast<int>(d.Digits.size()) ? d.Digits[i] : L'0';
}

String Sign(const TDecimal& d) { return d.Negative && !d.IsZero() ? L"-" : L""; }

// prec decimals; the integer part optionally grouped by thousands.
String FormatFixed(double v, int prec, bool thousands) {
  TDecimal d = ToDecimal(v, 15);
  RoundDigits(d, d.Exp + prec);
  String ip;
  for (int i = 0; i < d.Exp; ++i) {
    if (thousands && i > 0 && (d.Exp - i) % 3 == 0) ip += L',';
    ip += DigitAt(d, i);
  }
  if (ip.empty()) ip = L"0";
  String fp;
  for (int i = 0; i < prec; ++i) fp += DigitAt(d, d.Exp + i);
  return Sign(d) + ip + (prec > 0 ? L"." + fp : L"");
}

// prec significant digits, "d.dddE+ddd".
String FormatScientific(double v, int prec) {
  TDecimal d = ToDecimal(v, Max(prec, 15));
  RoundDigits(d, prec);
  String s = Sign(d) + DigitAt(d, 0);
  if (prec > 1) s += L'.';
  for (int i = 1; i < prec; ++i) s += DigitAt(d, i);
  int e = d.IsZero() ? 0 : d.Exp - 1;
  String exp = std::to_wstring(e < 0 ? -e : e);
  while (exp.size() < 3) exp.insert(exp.begin(), L'0');
  return s + (e < 0 ? L"E-" : L"E+") + exp;
}

// The shorter of fixed and scientific, without trailing zeros; the exponent
// has no '+' and no leading zeros ("1E20", "1.5E-7").
String FormatGeneral(double v, int prec) {
  TDecimal d = ToDecimal(v, Max(prec, 15));
  RoundDigits(d, prec);
  if (d.IsZero()) return L"0";
  size_t last = d.Digits.find_last_not_of(L'0');
  d.Digits.resize(last + 1);
  int n = static_cast<int>(d.Digits.size());
  if (d.Exp > prec || d.Exp < -3) {
    String s = Sign(d) + d.Digits.substr(0, 1);
    if (n > 1) s += L"." + d.Digits.substr(1);
    return s + L"E" + std::to_wstring(d.Exp - 1);
  }
  if (d.Exp <= 0) return Sign(d) + L"0." + String(-d.Exp, L'0') + d.Digits;
  if (d.Exp >= n) return Sign(d) + d.Digits + String(d.Exp - n, L'0');
  return Sign(d) + d.Digits.substr(0, d.Exp) + L"." + d.Digits.substr(d.Exp);
}

String FormatReal(double v, wchar_t type, int prec) {
  if (std::isnan(v)) return L"NAN";
  if (std::isinf(v)) return v < 0 ? L"-INF" : L"INF";
  // f and n: decimals (default 2); e and g: significant digits (default 15).
  int digits = prec < 0 || prec > 18 ? 15 : (prec == 0 ? 1 : prec);
  switch (type) {
    case L'f':
      return FormatFixed(v, prec < 0 ? 2 : prec, false);
    case L'n':
      return FormatFixed(v, prec < 0 ? 2 : prec, true);
    case L'e':
      return FormatScientific(v, digits);
    default:
      return FormatGeneral(v, digits);
  }
}

}  // namespace

String Format(const String& fmt, std::initializer_list<TVarRec> args) {
  return Format(fmt, std::vector<TVarRec>(args));
}

String Format(const String& fmt, const std::vector<TVarRec>& args) {
  String out;
  size_t argIndex = 0;
  size_t i = 0;
  const size_t n = fmt.size();
  auto takeInt = [&](size_t& pos) -> int {
    int v = 0;
    bool any = false;
    while (pos < n && fmt[pos] >= L'0' && fmt[pos] <= L'9') {
      v = v * 10 + (fmt[pos] - L'0');
      ++pos;
      any = true;
    }
    return any ? v : -1;
  };
  auto nextArg = [&]() -> const TVarRec& {
    if (argIndex >= args.size()) FormatError(fmt);
    return args[argIndex++];
  };
  // A width, precision or index given as "*".
  auto starArg = [&]() -> int {
    const TVarRec& a = nextArg();
    if (a.kind != TVarRec::Kind::Int && a.kind != TVarRec::Kind::UInt) FormatError(fmt);
    return static_cast<int>(a.i);
  };
  while (i < n) {
    wchar_t c = fmt[i];
    if (c != L'%') {
      out += c;
      ++i;
      continue;
    }
    ++i;
    if (i >= n) FormatError(fmt);
    if (fmt[i] == L'%') {
      out += L'%';
      ++i;
      continue;
    }
    // [index:], where the index may come from the arguments ("*:")
    size_t save = i;
    int num = takeInt(i);
    if (num < 0 && i + 1 < n && fmt[i] == L'*' && fmt[i + 1] == L':') {
      num = starArg();
      ++i;
    }
    if (num >= 0 && i < n && fmt[i] == L':') {
      argIndex = static_cast<size_t>(num);
      ++i;
    } else {
      i = save;
    }
    bool left = false;
    if (i < n && fmt[i] == L'-') {
      left = true;
      ++i;
    }
    int width = -1;
    if (i < n && fmt[i] == L'*') {
      width = starArg();
      ++i;
    } else {
      width = takeInt(i);
    }
    int prec = -1;
    if (i < n && fmt[i] == L'.') {
      ++i;
      if (i < n && fmt[i] == L'*') {
        prec = starArg();
        ++i;
      } else {
        prec = takeInt(i);
        if (prec < 0) prec = 0;
      }
    }
    if (i >= n) FormatError(fmt);
    wchar_t type = static_cast<wchar_t>(towlower(fmt[i]));
    bool upperHex = fmt[i] == L'X';
    ++i;
    const TVarRec& a = nextArg();
    String s;
    using K = TVarRec::Kind;
    switch (type) {
      case L'd':
      case L'u': {
        if (a.kind != K::Int && a.kind != K::UInt) FormatError(fmt);
        bool neg;
        uint64_t mag;
        if (type == L'u') {
          // Unsigned view of a 32-bit value, as the platform shows it.
          uint64_t uv = (a.kind == K::Int && a.i < 0 && a.i >= INT32_MIN) ? static_cast<uint32_t>(a.i)
                                                                           : static_cast<uint64_t>(a.i);
          neg = false;
          mag = uv;
        } else if (a.kind == K::UInt) {
          neg = false;
          mag = static_cast<uint64_t>(a.i);
        } else {
          neg = a.i < 0;
          mag = neg ? (0 - static_cast<uint64_t>(a.i)) : static_cast<uint64_t>(a.i);
        }
        s = std::to_wstring(mag);
        if (prec >= 0 && static_cast<int>(s.size()) < prec) s.insert(0, static_cast<size_t>(prec) - s.size(), L'0');
        if (neg) s.insert(s.begin(), L'-');
        break;
      }
      case L'x': {
        if (a.kind != K::Int && a.kind != K::UInt) FormatError(fmt);
        uint64_t v = static_cast<uint64_t>(a.i);
        if (a.kind == K::Int && a.i < 0 && a.i >= INT32_MIN) v = static_cast<uint32_t>(a.i);
        wchar_t buf[32];
        swprintf(buf, 32, upperHex ? L"%llX" : L"%llX", static_cast<unsigned long long>(v));
        s = buf;
        if (prec >= 0 && static_cast<int>(s.size()) < prec) s.insert(0, static_cast<size_t>(prec) - s.size(), L'0');
        break;
      }
      case L'f':
      case L'e':
      case L'g':
      case L'n':
      case L'm': {
        double v;
        if (a.kind == K::Real)
          v = a.d;
        else if (a.kind == K::Int || a.kind == K::UInt)
          v = static_cast<double>(a.i);
        else
          FormatError(fmt);
        s = FormatReal(v, type == L'm' ? L'n' : type, prec);
        break;
      }
      case L's':
        if (a.kind == K::Text || a.kind == K::Char)
          s = a.s;
        else if (a.kind == K::Bool)
          s = a.i ? L"True" : L"False";
        else
          FormatError(fmt);
        if (prec >= 0 && static_cast<int>(s.size()) > prec) s.resize(static_cast<size_t>(prec));
        break;
      case L'c':
        if (a.kind == K::Char || (a.kind == K::Text && a.s.size() == 1))
          s = a.s;
        else if (a.kind == K::Int || a.kind == K::UInt)
          s = String(1, static_cast<wchar_t>(a.i));
        else
          FormatError(fmt);
        break;
      case L'p': {
        wchar_t buf[32];
        uintptr_t pv = a.kind == K::Pointer ? reinterpret_cast<uintptr_t>(a.p) : static_cast<uintptr_t>(a.i);
        swprintf(buf, 32, L"%016llX", static_cast<unsigned long long>(pv));
        s = buf;
        break;
      }
      default:
        FormatError(fmt);
    }
    out += Pad(s, width, left);
  }
  return out;
}

// ---------------------------------------------------------------------------
// OS errors

String SysErrorMessage(DWORD code) {
  wchar_t* buf = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                           nullptr, code, 0, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
  String s;
  if (n && buf) s.assign(buf, n);
  if (buf) LocalFree(buf);
  while (!s.empty() && (s.back() <= L' ' || s.back() == L'.')) s.pop_back();
  return s;
}

void RaiseLastOSError() { RaiseLastOSError(GetLastError()); }

void RaiseLastOSError(DWORD code) {
  if (code != 0)
    throw EOSError(code, Format(L"System Error.  Code: %d.\r\n%s", {static_cast<int>(code), SysErrorMessage(code)}));
  throw EOSError(0, L"A call to an OS function failed");
}

// ---------------------------------------------------------------------------
// Text

String Trim(const String& s) {
  size_t a = 0, b = s.size();
  while (a < b && s[a] <= L' ') ++a;
  while (b > a && s[b - 1] <= L' ') --b;
  return s.substr(a, b - a);
}

AnsiString Trim(const AnsiString& s) {
  size_t a = 0, b = s.size();
  while (a < b && static_cast<unsigned char>(s[a]) <= ' ') ++a;
  while (b > a && static_cast<unsigned char>(s[b - 1]) <= ' ') --b;
  return s.substr(a, b - a);
}

String TrimLeft(const String& s) {
  size_t a = 0;
  while (a < s.size() && s[a] <= L' ') ++a;
  return s.substr(a);
}

String TrimRight(const String& s) {
  size_t b = s.size();
  while (b > 0 && s[b - 1] <= L' ') --b;
  return s.substr(0, b);
}

String UpperCase(const String& s) {
  String r = s;
  for (auto& c : r)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
  return r;
}

String LowerCase(const String& s) {
  String r = s;
  for (auto& c : r)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
  return r;
}

String AnsiUpperCase(const String& s) {
  String r = s;
  if (!r.empty()) CharUpperBuffW(r.data(), static_cast<DWORD>(r.size()));
  return r;
}

String AnsiLowerCase(const String& s) {
  String r = s;
  if (!r.empty()) CharLowerBuffW(r.data(), static_cast<DWORD>(r.size()));
  return r;
}

int CompareText(const String& a, const String& b) {
  size_t n = Min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    wchar_t x = a[i], y = b[i];
    if (x >= L'a' && x <= L'z') x = static_cast<wchar_t>(x - 32);
    if (y >= L'a' && y <= L'z') y = static_cast<wchar_t>(y - 32);
    if (x != y) return static_cast<int>(x) - static_cast<int>(y);
  }
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

bool SameText(const String& a, const String& b) { return a.size() == b.size() && CompareText(a, b) == 0; }

int AnsiCompareText(const String& a, const String& b) {
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) -
         CSTR_EQUAL;
}

int AnsiCompareStr(const String& a, const String& b) {
  return CompareStringW(LOCALE_USER_DEFAULT, 0, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) -
         CSTR_EQUAL;
}

bool AnsiSameText(const String& a, const String& b) { return AnsiCompareText(a, b) == 0; }

int Pos(const String& sub, const String& s) {
  if (sub.empty()) return 0;
  size_t p = s.find(sub);
  return p == String::npos ? 0 : static_cast<int>(p) + 1;
}

int Pos(const AnsiString& sub, const AnsiString& s) {
  if (sub.empty()) return 0;
  size_t p = s.find(sub);
  return p == AnsiString::npos ? 0 : static_cast<int>(p) + 1;
}

template <class S>
static S CopyImpl(const S& s, int index, int count) {
  if (index < 1) index = 1;
  if (count <= 0 || index > static_cast<int>(s.size())) return S();
  return s.substr(static_cast<size_t>(index - 1), static_cast<size_t>(count));
}

String Copy(const String& s, int index, int count) { return CopyImpl(s, index, count); }
AnsiString Copy(const AnsiString& s, int index, int count) { return CopyImpl(s, index, count); }

template <class S>
static void DeleteImpl(S& s, int index, int count) {
  if (index < 1 || index > static_cast<int>(s.size()) || count <= 0) return;
  s.erase(static_cast<size_t>(index - 1), static_cast<size_t>(count));
}

void Delete(String& s, int index, int count) { DeleteImpl(s, index, count); }
void Delete(AnsiString& s, int index, int count) { DeleteImpl(s, index, count); }

void Insert(const String& sub, String& s, int index) {
  if (index < 1) index = 1;
  if (index > static_cast<int>(s.size()) + 1) index = static_cast<int>(s.size()) + 1;
  s.insert(static_cast<size_t>(index - 1), sub);
}

String StringOfChar(wchar_t c, int count) { return count > 0 ? String(static_cast<size_t>(count), c) : String(); }

String StringReplaceAll(const String& s, const String& from, const String& to) {
  if (from.empty()) return s;
  String r;
  size_t start = 0;
  for (;;) {
    size_t p = s.find(from, start);
    if (p == String::npos) break;
    r.append(s, start, p - start);
    r += to;
    start = p + from.size();
  }
  r.append(s, start, String::npos);
  return r;
}

String QuotedStr(const String& s) { return L"'" + StringReplaceAll(s, L"'", L"''") + L"'"; }

bool StartsText(const String& sub, const String& s) {
  return s.size() >= sub.size() && SameText(s.substr(0, sub.size()), sub);
}

bool StartsStr(const String& sub, const String& s) { return s.compare(0, sub.size(), sub) == 0; }

bool EndsText(const String& sub, const String& s) {
  return s.size() >= sub.size() && SameText(s.substr(s.size() - sub.size()), sub);
}

// ---------------------------------------------------------------------------
// Numbers

String IntToStr(int64_t v) { return std::to_wstring(v); }

String IntToHex(int64_t v, int digits) {
  wchar_t buf[32];
  swprintf(buf, 32, L"%0*llX", digits, static_cast<unsigned long long>(v));
  return buf;
}

bool TryStrToInt64(const String& s, int64_t& value) {
  size_t i = 0, n = s.size();
  if (n == 0) return false;
  bool neg = false;
  if (s[i] == L'-' || s[i] == L'+') {
    neg = s[i] == L'-';
    ++i;
  }
  bool hex = false;
  if (i < n && s[i] == L'$') {
    hex = true;
    ++i;
  } else if (i + 1 < n && s[i] == L'0' && (s[i + 1] == L'x' || s[i + 1] == L'X')) {
    hex = true;
    i += 2;
  }
  if (i >= n) return false;
  uint64_t v = 0;
  const uint64_t limit = hex ? UINT64_MAX : static_cast<uint64_t>(INT64_MAX) + (neg ? 1 : 0);
  for (; i < n; ++i) {
    wchar_t c = s[i];
    unsigned d;
    if (c >= L'0' && c <= L'9')
      d = c - L'0';
    else if (hex && c >= L'a' && c <= L'f')
      d = c - L'a' + 10;
    else if (hex && c >= L'A' && c <= L'F')
      d = c - L'A' + 10;
    else
      return false;
    unsigned base = hex ? 16 : 10;
    if (v > (limit - d) / base) return false;
    v = v * base + d;
  }
  value = neg ? static_cast<int64_t>(0 - v) : static_cast<int64_t>(v);
  return true;
}

bool TryStrToInt(const String& s, int& value) {
  int64_t v;
  if (!TryStrToInt64(s, v)) return false;
  // Hexadecimal texts may spell a 32-bit pattern ("$FFFFFFFF" is -1).
  bool hex = s.find(L'$') != String::npos || s.find(L'x') != String::npos || s.find(L'X') != String::npos;
  if (hex && v >= 0 && v <= static_cast<int64_t>(UINT32_MAX)) {
    value = static_cast<int32_t>(static_cast<uint32_t>(v));
    return true;
  }
  if (v < INT32_MIN || v > INT32_MAX) return false;
  value = static_cast<int>(v);
  return true;
}

int StrToInt(const String& s) {
  int v;
  if (!TryStrToInt(s, v)) throw EConvertError(L"'%s' is not a valid integer value", {s});
  return v;
}

int StrToIntDef(const String& s, int def) {
  int v;
  return TryStrToInt(s, v) ? v : def;
}

int64_t StrToInt64(const String& s) {
  int64_t v;
  if (!TryStrToInt64(s, v)) throw EConvertError(L"'%s' is not a valid integer value", {s});
  return v;
}

int64_t StrToInt64Def(const String& s, int64_t def) {
  int64_t v;
  return TryStrToInt64(s, v) ? v : def;
}

String FloatToStr(double v) { return FormatGeneral(v, 15); }

bool TryStrToFloat(const String& s, double& value) {
  String t = Trim(s);
  if (t.empty() || t.size() != s.size()) return false;
  wchar_t* end = nullptr;
  double v = wcstod(t.c_str(), &end);
  if (!end || *end != L'\0') return false;
  value = v;
  return true;
}

double StrToFloat(const String& s) {
  double v;
  if (!TryStrToFloat(s, v)) throw EConvertError(L"'%s' is not a valid floating point value", {s});
  return v;
}

double StrToFloatDef(const String& s, double def) {
  double v;
  return TryStrToFloat(s, v) ? v : def;
}

String BoolToStr(bool b, bool useBoolStrs) {
  if (useBoolStrs) return b ? L"True" : L"False";
  return b ? L"-1" : L"0";
}

int64_t Round(double v) { return static_cast<int64_t>(std::nearbyint(v)); }
int64_t Round(long double v) { return static_cast<int64_t>(std::nearbyintl(v)); }
int64_t Trunc(double v) { return static_cast<int64_t>(std::trunc(v)); }

// ---------------------------------------------------------------------------
// Files

static size_t LastDelimiter(const String& s, const wchar_t* delims) {
  size_t p = s.find_last_of(delims);
  return p;
}

String ExtractFilePath(const String& fileName) {
  size_t p = LastDelimiter(fileName, L"\\:/");
  return p == String::npos ? String() : fileName.substr(0, p + 1);
}

String ExtractFileDir(const String& fileName) {
  size_t p = LastDelimiter(fileName, L"\\:/");
  if (p == String::npos) return String();
  if (p > 0 && (fileName[p] == L'\\' || fileName[p] == L'/') && fileName[p - 1] != L':' && fileName[p - 1] != L'\\')
    return fileName.substr(0, p);
  return fileName.substr(0, p + 1);
}

String ExtractFileName(const String& fileName) {
  size_t p = LastDelimiter(fileName, L"\\:/");
  return p == String::npos ? fileName : fileName.substr(p + 1);
}

String ExtractFileExt(const String& fileName) {
  size_t p = LastDelimiter(fileName, L".\\:/");
  if (p != String::npos && fileName[p] == L'.') return fileName.substr(p);
  return String();
}

String ChangeFileExt(const String& fileName, const String& ext) {
  size_t p = LastDelimiter(fileName, L".\\:/");
  if (p == String::npos || fileName[p] != L'.') return fileName + ext;
  return fileName.substr(0, p) + ext;
}

String IncludeTrailingPathDelimiter(const String& s) {
  if (!s.empty() && s.back() == L'\\') return s;
  return s + L"\\";
}

String ExcludeTrailingPathDelimiter(const String& s) {
  String r = s;
  if (!r.empty() && r.back() == L'\\') r.pop_back();
  return r;
}

String ExpandFileName(const String& fileName) {
  wchar_t buf[MAX_PATH * 4];
  DWORD n = GetFullPathNameW(fileName.c_str(), MAX_PATH * 4, buf, nullptr);
  if (n == 0 || n >= MAX_PATH * 4) return fileName;
  return String(buf, n);
}

bool FileExists(const String& fileName) {
  DWORD a = GetFileAttributesW(fileName.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const String& dir) {
  DWORD a = GetFileAttributesW(dir.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool SetCurrentDir(const String& dir) { return SetCurrentDirectoryW(dir.c_str()) != 0; }

String GetCurrentDir() {
  wchar_t buf[MAX_PATH * 4];
  DWORD n = GetCurrentDirectoryW(MAX_PATH * 4, buf);
  return String(buf, n < MAX_PATH * 4 ? n : 0);
}

String GetModuleName(HMODULE module) {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(module, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return String();
    if (n < buf.size()) {
      buf.resize(n);
      return buf;
    }
    buf.resize(buf.size() * 2);
  }
}

// ---------------------------------------------------------------------------
// Time

namespace {
TTickSource gTickSource = nullptr;
TNowSource gNowSource = nullptr;

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
const int kMonthDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                               {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};
}  // namespace

DWORD TickCount() { return gTickSource ? gTickSource() : GetTickCount(); }
void SetTickSource(TTickSource source) { gTickSource = source; }
TTickSource CurrentTickSource() { return gTickSource; }
void SetNowSource(TNowSource source) { gNowSource = source; }

TDateTime EncodeDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > kMonthDays[IsLeap(year)][month - 1])
    throw EConvertError(L"Invalid argument to date encode");
  for (int m = 1; m < month; ++m) day += kMonthDays[IsLeap(year)][m - 1];
  int y = year - 1;
  int64_t days = static_cast<int64_t>(y) * 365 + y / 4 - y / 100 + y / 400 + day - 693594;
  return static_cast<double>(days);
}

TDateTime EncodeTime(int hour, int minute, int second, int ms) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || ms < 0 || ms > 999)
    throw EConvertError(L"Invalid argument to time encode");
  return (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + ms) / 86400000.0;
}

void DecodeDate(TDateTime dt, int& year, int& month, int& day) {
  // The whole part is the day, also before 1899-12-30 (-1.25 is 1899-12-29
  // 06:00), as DecodeTime and SystemTimeToDateTime count it.
  int64_t t = static_cast<int64_t>(std::trunc(dt)) + 693593;  // days since 0001-01-01 (day 0)
  if (t < 0) {
    year = month = day = 0;
    return;
  }
  const int d1 = 365, d4 = d1 * 4 + 1, d100 = d4 * 25 - 1, d400 = d100 * 4 + 1;
  int64_t y = 1;
  y += (t / d400) * 400;
  t %= d400;
  int64_t i = t / d100;
  int64_t d = t % d100;
  if (i == 4) {
    i = 3;
    d += d100;
  }
  y += i * 100;
  y += (d / d4) * 4;
  d %= d4;
  i = d / d1;
  d %= d1;
  if (i == 4) {
    i = 3;
    d += d1;
  }
  y += i;
  bool leap = IsLeap(static_cast<int>(y));
  int m = 1;
  while (d >= kMonthDays[leap][m - 1]) {
    d -= kMonthDays[leap][m - 1];
    ++m;
  }
  year = static_cast<int>(y);
  month = m;
  day = static_cast<int>(d) + 1;
}

void DecodeTime(TDateTime dt, int& hour, int& minute, int& second, int& ms) {
  double frac = std::fabs(dt - std::trunc(dt));
  int64_t total = static_cast<int64_t>(std::llround(frac * 86400000.0));
  if (total >= 86400000) total = 86399999;
  hour = static_cast<int>(total / 3600000);
  minute = static_cast<int>(total / 60000 % 60);
  second = static_cast<int>(total / 1000 % 60);
  ms = static_cast<int>(total % 1000);
}

TDateTime SystemTimeToDateTime(const SYSTEMTIME& st) {
  TDateTime date = EncodeDate(st.wYear, st.wMonth, st.wDay);
  TDateTime time = EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
  return date < 0 ? date - time : date + time;
}

void DateTimeToSystemTime(TDateTime dt, SYSTEMTIME& st) {
  int y, m, d, h, n, s, ms;
  DecodeDate(dt, y, m, d);
  DecodeTime(dt, h, n, s, ms);
  st = SYSTEMTIME{};
  st.wYear = static_cast<WORD>(y);
  st.wMonth = static_cast<WORD>(m);
  st.wDay = static_cast<WORD>(d);
  st.wHour = static_cast<WORD>(h);
  st.wMinute = static_cast<WORD>(n);
  st.wSecond = static_cast<WORD>(s);
  st.wMilliseconds = static_cast<WORD>(ms);
  st.wDayOfWeek = static_cast<WORD>((static_cast<int64_t>(std::trunc(dt)) - 1 + 7 * 100000) % 7);
}

TDateTime Now() {
  if (gNowSource) return gNowSource();
  SYSTEMTIME st;
  GetLocalTime(&st);
  return SystemTimeToDateTime(st);
}
