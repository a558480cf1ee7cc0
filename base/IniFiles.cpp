#include "base/IniFiles.h"

#include <vector>

TIniFile::TIniFile(const String& AFileName) : FFileName(ExpandFileName(AFileName)) {}

// Reads into a buffer that grows until the answer fits; key lists come back
// as zero-separated names.
String TIniFile::ReadRaw(const wchar_t* Section, const wchar_t* Ident, const wchar_t* Default) {
  std::vector<wchar_t> buf(1024);
  for (;;) {
    DWORD n = GetPrivateProfileStringW(Section, Ident, Default, buf.data(), static_cast<DWORD>(buf.size()),
                                       FFileName.c_str());
    // A full buffer answers size - 1 for a value, size - 2 for a list.
    if (n + 2 < buf.size()) return String(buf.data(), n);
    buf.resize(buf.size() * 4);
  }
}

void TIniFile::Put(const wchar_t* Section, const wchar_t* Ident, const wchar_t* Value) {
  if (!WritePrivateProfileStringW(Section, Ident, Value, FFileName.c_str()))
    throw EIniFileException(L"Unable to write to %s", {FFileName});
}

String TIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
  return ReadRaw(Section.c_str(), Ident.c_str(), Default.c_str());
}

void TIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
  Put(Section.c_str(), Ident.c_str(), Value.c_str());
}

int TIniFile::ReadInteger(const String& Section, const String& Ident, int Default) {
  return StrToIntDef(ReadString(Section, Ident, L""), Default);
}

void TIniFile::WriteInteger(const String& Section, const String& Ident, int Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

bool TIniFile::ReadBool(const String& Section, const String& Ident, bool Default) {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
  WriteString(Section, Ident, Value ? L"1" : L"0");
}

bool TIniFile::SectionExists(const String& Section) {
  return !ReadRaw(Section.c_str(), nullptr, L"").empty();
}

bool TIniFile::ValueExists(const String& Section, const String& Ident) {
  String keys = ReadRaw(Section.c_str(), nullptr, L"");
  for (size_t a = 0; a < keys.size();) {
    size_t b = keys.find(L'\0', a);
    if (b == String::npos) b = keys.size();
    if (AnsiSameText(keys.substr(a, b - a), Ident)) return true;
    a = b + 1;
  }
  return false;
}

void TIniFile::DeleteKey(const String& Section, const String& Ident) {
  WritePrivateProfileStringW(Section.c_str(), Ident.c_str(), nullptr, FFileName.c_str());
}

void TIniFile::EraseSection(const String& Section) { Put(Section.c_str(), nullptr, nullptr); }

void TIniFile::UpdateFile() { WritePrivateProfileStringW(nullptr, nullptr, nullptr, FFileName.c_str()); }
