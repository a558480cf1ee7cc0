// Exceptions, string and number routines, formatting, files and time.
#pragma once

#include <exception>
#include <string>
#include <type_traits>
#include <vector>

#include "base/Types.h"

// One argument of Format: an integer, a real, a text, a character or a
// pointer.
struct TVarRec {
  enum class Kind { Int, UInt, Real, Text, Char, Pointer, Bool };
  Kind kind = Kind::Int;
  int64_t i = 0;
  double d = 0;
  String s;
  const void* p = nullptr;

  TVarRec(int v) : kind(Kind::Int), i(v) {}
  TVarRec(long v) : kind(Kind::Int), i(v) {}
  TVarRec(long long v) : kind(Kind::Int), i(v) {}
  TVarRec(unsigned v) : kind(Kind::UInt), i(static_cast<int64_t>(v)) {}
  TVarRec(unsigned long v) : kind(Kind::UInt), i(static_cast<int64_t>(v)) {}
  TVarRec(unsigned long long v) : kind(Kind::UInt), i(static_cast<int64_t>(v)) {}
  TVarRec(double v) : kind(Kind::Real), d(v) {}
  TVarRec(long double v) : kind(Kind::Real), d(static_cast<double>(v)) {}
  TVarRec(bool v) : kind(Kind::Bool), i(v ? 1 : 0) {}
  TVarRec(wchar_t c) : kind(Kind::Char), s(1, c) {}
  TVarRec(const wchar_t* v) : kind(Kind::Text), s(v ? v : L"") {}
  TVarRec(const String& v) : kind(Kind::Text), s(v) {}
  TVarRec(const char* v) : kind(Kind::Text), s(AnsiToWide(v ? v : "")) {}
  TVarRec(const AnsiString& v) : kind(Kind::Text), s(AnsiToWide(v)) {}
  TVarRec(const void* v) : kind(Kind::Pointer), p(v) {}
};

// Formats like the platform's Format: %[index:][-][width][.precision]type with
// the types d u x X s f e g n m p c and "%%"; "*" takes width or precision
// from the arguments. A malformed format or a wrong argument raises
// EConvertError.
String Format(const String& fmt, std::initializer_list<TVarRec> args);
String Format(const String& fmt, const std::vector<TVarRec>& args);

// ---------------------------------------------------------------------------
// Exceptions

class Exception : public std::exception {
 public:
  explicit Exception(const String& msg) : FMessage(msg) { UpdateWhat(); }
  Exception(const String& fmt, std::initializer_list<TVarRec> args) : FMessage(Format(fmt, args)) {
    UpdateWhat();
  }
  virtual ~Exception() = default;
  const String& Message() const { return FMessage; }
  void SetMessage(const String& m) { FMessage = m; UpdateWhat(); }
  virtual String ClassName() const { return L"Exception"; }
  const char* what() const noexcept override { return FWhat.c_str(); }

 private:
  void UpdateWhat();
  String FMessage;
  std::string FWhat;
};

#define VANTREL_EXCEPTION(Name, Base)                                  \
  class Name : public Base {                                          \
   public:                                                            \
    using Base::Base;                                                 \
    String ClassName() const override { return L## #Name; }           \
  };

VANTREL_EXCEPTION(EConvertError, Exception)
VANTREL_EXCEPTION(EListError, Exception)
VANTREL_EXCEPTION(EInvalidCast, Exception)
VANTREL_EXCEPTION(EComponentError, Exception)
VANTREL_EXCEPTION(EResNotFound, Exception)
VANTREL_EXCEPTION(EAssertionFailed, Exception)
VANTREL_EXCEPTION(EStreamError, Exception)
VANTREL_EXCEPTION(EReadError, EStreamError)
VANTREL_EXCEPTION(EWriteError, EStreamError)
VANTREL_EXCEPTION(EFOpenError, EStreamError)
VANTREL_EXCEPTION(EFCreateError, EStreamError)
VANTREL_EXCEPTION(EIniFileException, Exception)
VANTREL_EXCEPTION(ERegistryException, Exception)
VANTREL_EXCEPTION(EThread, Exception)
VANTREL_EXCEPTION(EOutOfResources, Exception)
VANTREL_EXCEPTION(EInvalidOperation, Exception)
VANTREL_EXCEPTION(EInvalidGraphic, Exception)

class EOSError : public Exception {
 public:
  EOSError(DWORD code, const String& msg) : Exception(msg), FErrorCode(code) {}
  String ClassName() const override { return L"EOSError"; }
  DWORD ErrorCode() const { return FErrorCode; }

 private:
  DWORD FErrorCode;
};

// Raises EOSError for the calling thread's last error (or the given code).
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(DWORD code);
// The system's message text for an error code, without the trailing line
// break.
String SysErrorMessage(DWORD code);

// ---------------------------------------------------------------------------
// Text. Positions in Pos/Copy/Delete/Insert count from 1; 0 means "not found".

String Trim(const String& s);       // strips every character <= ' ' at both ends
String TrimLeft(const String& s);
String TrimRight(const String& s);
AnsiString Trim(const AnsiString& s);
String UpperCase(const String& s);  // ASCII letters only
String LowerCase(const String& s);
String AnsiUpperCase(const String& s);  // locale-aware
String AnsiLowerCase(const String& s);
int CompareText(const String& a, const String& b);  // ASCII case-insensitive
bool SameText(const String& a, const String& b);
int AnsiCompareText(const String& a, const String& b);  // locale-aware, case-insensitive
int AnsiCompareStr(const String& a, const String& b);   // locale-aware
bool AnsiSameText(const String& a, const String& b);
int Pos(const String& sub, const String& s);
int Pos(const AnsiString& sub, const AnsiString& s);
String Copy(const String& s, int index, int count);
AnsiString Copy(const AnsiString& s, int index, int count);
void Delete(String& s, int index, int count);
void Delete(AnsiString& s, int index, int count);
void Insert(const String& sub, String& s, int index);
String StringOfChar(wchar_t c, int count);
String StringReplaceAll(const String& s, const String& from, const String& to);
String QuotedStr(const String& s);
bool StartsText(const String& sub, const String& s);
bool StartsStr(const String& sub, const String& s);
bool EndsText(const String& sub, const String& s);

// ---------------------------------------------------------------------------
// Numbers

String IntToStr(int64_t v);
// At least digits hex digits of v's two's complement in the width of its
// type: IntToHex(-1, 8) is "FFFFFFFF", IntToHex(int64_t{-1}, 8) has 16.
String IntToHex(int64_t v, int digits);
template <class T, class = std::enable_if_t<std::is_integral_v<T>>>
String IntToHex(T v, int digits) {
  return IntToHex(static_cast<int64_t>(static_cast<std::make_unsigned_t<T>>(v)), digits);
}
// Decimal, or hexadecimal with "$" or "0x"; leading and trailing blanks are
// not accepted. StrToInt raises EConvertError for anything else.
int StrToInt(const String& s);
int StrToIntDef(const String& s, int def);
bool TryStrToInt(const String& s, int& value);
int64_t StrToInt64(const String& s);
int64_t StrToInt64Def(const String& s, int64_t def);
bool TryStrToInt64(const String& s, int64_t& value);
String FloatToStr(double v);
double StrToFloat(const String& s);
bool TryStrToFloat(const String& s, double& value);
double StrToFloatDef(const String& s, double def);
String BoolToStr(bool b, bool useBoolStrs = false);

// Nearest integer, halves to the even neighbour (202.5 -> 202, 127.5 -> 128).
int64_t Round(double v);
int64_t Round(long double v);
// Toward zero.
int64_t Trunc(double v);

template <class T>
inline T Min(T a, T b) { return a < b ? a : b; }
template <class T>
inline T Max(T a, T b) { return a > b ? a : b; }

// ---------------------------------------------------------------------------
// Files and folders

String ExtractFilePath(const String& fileName);  // up to and including the last '\' or ':'
String ExtractFileDir(const String& fileName);   // the same without the trailing separator
String ExtractFileName(const String& fileName);
String ExtractFileExt(const String& fileName);
String ChangeFileExt(const String& fileName, const String& ext);
String IncludeTrailingPathDelimiter(const String& s);
String ExcludeTrailingPathDelimiter(const String& s);
String ExpandFileName(const String& fileName);
bool FileExists(const String& fileName);
bool DirectoryExists(const String& dir);
bool SetCurrentDir(const String& dir);
String GetCurrentDir();
// The running module's full path.
String GetModuleName(HMODULE module);

// ---------------------------------------------------------------------------
// Time

// Days since 1899-12-30, the fraction is the time of day.
using TDateTime = double;
TDateTime Now();
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int ms);
void DecodeDate(TDateTime dt, int& year, int& month, int& day);
void DecodeTime(TDateTime dt, int& hour, int& minute, int& second, int& ms);
TDateTime SystemTimeToDateTime(const SYSTEMTIME& st);
void DateTimeToSystemTime(TDateTime dt, SYSTEMTIME& st);

// The clock behind GetTickCount-style code and time-outs; tests may replace
// it. Returns milliseconds.
using TTickSource = DWORD (*)();
DWORD TickCount();
void SetTickSource(TTickSource source);  // nullptr restores the system clock
// The source a test installed, or nullptr while the system clock runs.
TTickSource CurrentTickSource();
// The clock behind Now; tests may replace it.
using TNowSource = TDateTime (*)();
void SetNowSource(TNowSource source);
