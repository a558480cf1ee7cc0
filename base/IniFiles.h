// INI files through the system's private-profile calls. A file without a
// UTF-16 byte-order mark holds its text in the ANSI code page.
#pragma once

#include "base/Object.h"

class TIniFile : public TObject {
  VANTREL_CLASS(TIniFile)
 public:
  // A relative name is made absolute with the current folder: the profile
  // calls would put a bare name into the Windows folder.
  explicit TIniFile(const String& AFileName);

  const String& FileName() const { return FFileName; }

  String ReadString(const String& Section, const String& Ident, const String& Default);
  void WriteString(const String& Section, const String& Ident, const String& Value);
  // Decimal, "$" or "0x" hexadecimal; any other text reads as Default.
  int ReadInteger(const String& Section, const String& Ident, int Default);
  void WriteInteger(const String& Section, const String& Ident, int Value);
  bool ReadBool(const String& Section, const String& Ident, bool Default);
  void WriteBool(const String& Section, const String& Ident, bool Value);  // "1" or "0"

  bool SectionExists(const String& Section);
  bool ValueExists(const String& Section, const String& Ident);
  void DeleteKey(const String& Section, const String& Ident);
  void EraseSection(const String& Section);
  // Writes the system's cached copy of the file to disk.
  void UpdateFile();

 private:
  String ReadRaw(const wchar_t* Section, const wchar_t* Ident, const wchar_t* Default);
  void Put(const wchar_t* Section, const wchar_t* Ident, const wchar_t* Value);

  String FFileName;
};
