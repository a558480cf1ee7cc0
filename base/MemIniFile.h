// A read-only INI file held in memory: sections in square brackets, lines of
// a key, "=" and a value. Section and key names are compared without regard
// to case; a missing section or key reads as the caller's default.
#pragma once

#include <unordered_map>
#include <vector>

#include "base/Object.h"

class TStrings;

class TMemIniFile : public TObject {
  VANTREL_CLASS(TMemIniFile)
 public:
  TMemIniFile() = default;
  // Reads the file (UTF-16 or UTF-8 with a byte-order mark, else the ANSI
  // code page); a file that cannot be read gives an empty INI.
  explicit TMemIniFile(const String& AFileName);

  // Replaces the content by the lines of Text (CR LF, CR or LF ends a line).
  void SetText(const String& Text);
  void SetStrings(const TStrings* Lines);
  const String& FileName() const { return FFileName; }

  // Keys and values are trimmed; lines beginning with ";" and lines without
  // "=" outside a section header are ignored. The first occurrence of a key
  // in a section counts; sections of the same name are one section.
  String ReadString(const String& Section, const String& Ident, const String& Default) const;
  // Decimal, "$" or "0x" hexadecimal; any other text reads as Default.
  int ReadInteger(const String& Section, const String& Ident, int Default) const;
  // An integer where exactly 1 is true; any other integer is false, and a
  // value that is no integer reads as Default.
  bool ReadBool(const String& Section, const String& Ident, bool Default) const;
  bool SectionExists(const String& Section) const;
  bool ValueExists(const String& Section, const String& Ident) const;
  // The keys of a section, in file order.
  void ReadSection(const String& Section, TStrings* Keys) const;
  // The section names, in file order.
  void ReadSections(TStrings* Sections) const;

 private:
  struct Section {
    String Name;
    std::vector<std::pair<String, String>> Values;
    std::unordered_map<String, size_t> Index;  // upper-cased key -> position
  };
  const Section* Find(const String& Name) const;
  const String* Value(const String& SectionName, const String& Ident) const;

  String FFileName;
  std::vector<Section> FSections;
  std::unordered_map<String, size_t> FIndex;  // upper-cased name -> position
};
