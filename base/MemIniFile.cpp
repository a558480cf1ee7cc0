#include "base/MemIniFile.h"

#include "base/Lists.h"

namespace {

String Key(const String& s) {
  String k = s;
  for (wchar_t& c : k)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return k;
}

}  // namespace

TMemIniFile::TMemIniFile(const String& AFileName) : FFileName(AFileName) {
  String text;
  try {
    text = LoadTextFile(AFileName);
  } catch (const Exception&) {
    return;
  }
  SetText(text);
}

void TMemIniFile::SetStrings(const TStrings* Lines) { SetText(Lines ? Lines->Text() : String()); }

void TMemIniFile::SetText(const String& Text) {
  FSections.clear();
  FIndex.clear();
  Section* current = nullptr;
  size_t pos = 0;
  while (pos <= Text.size()) {
    size_t end = Text.find_first_of(L"\r\n", pos);
    if (end == String::npos) end = Text.size();
    String line = Trim(Text.substr(pos, end - pos));
    pos = end + 1;
    if (end < Text.size() && Text[end] == L'\r' && pos < Text.size() && Text[pos] == L'\n') ++pos;
    if (line.empty() || line[0] == L';') continue;
    if (line[0] == L'[') {
      size_t close = line.find(L']');
      String name = Trim(line.substr(1, close == String::npos ? String::npos : close - 1));
      String k = Key(name);
      auto it = FIndex.find(k);
      if (it == FIndex.end()) {
        it = FIndex.emplace(k, FSections.size()).first;
        FSections.push_back(Section{name, {}, {}});
      }
      current = &FSections[it->second];
      continue;
    }
    size_t eq = line.find(L'=');
    if (!current || eq == String::npos) continue;
    String ident = Trim(line.substr(0, eq));
    String k = Key(ident);
    if (current->Index.count(k)) continue;
    current->Index.emplace(k, current->Values.size());
    current->Values.emplace_back(ident, Trim(line.substr(eq + 1)));
  }
}

const TMemIniFile::Section* TMemIniFile::Find(const String& Name) const {
  auto it = FIndex.find(Key(Name));
  return it == FIndex.end() ? nullptr : &FSections[it->second];
}

const String* TMemIniFile::Value(const String& SectionName, const String& Ident) const {
  const Section* s = Find(SectionName);
  if (!s) return nullptr;
  auto it = s->Index.find(Key(Ident));
  return it == s->Index.end() ? nullptr : &s->Values[it->second].second;
}

String TMemIniFile::ReadString(const String& Section, const String& Ident, const String& Default) const {
  const String* v = Value(Section, Ident);
  return v ? *v : Default;
}

int TMemIniFile::ReadInteger(const String& Section, const String& Ident, int Default) const {
  const String* v = Value(Section, Ident);
  return v ? StrToIntDef(*v, Default) : Default;
}

bool TMemIniFile::ReadBool(const String& Section, const String& Ident, bool Default) const {
  const String* v = Value(Section, Ident);
  int n = 0;
  if (!v || !TryStrToInt(*v, n)) return Default;
  return n == 1;
}

bool TMemIniFile::SectionExists(const String& Section) const { return Find(Section) != nullptr; }

bool TMemIniFile::ValueExists(const String& Section, const String& Ident) const {
  return Value(Section, Ident) != nullptr;
}

void TMemIniFile::ReadSection(const String& SectionName, TStrings* Keys) const {
  Keys->Clear();
  if (const Section* s = Find(SectionName))
    for (const auto& v : s->Values) Keys->Add(v.first);
}

void TMemIniFile::ReadSections(TStrings* Sections) const {
  Sections->Clear();
  for (const Section& s : FSections) Sections->Add(s.Name);
}
