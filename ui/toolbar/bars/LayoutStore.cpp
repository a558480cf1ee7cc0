#include "ui/toolbar/bars/LayoutStore.h"

#include <cwchar>

#include "base/IniFiles.h"
#include "base/MemIniFile.h"
#include "base/Registry.h"

namespace {

// Decimal text as an integer; false for anything else (also out of range).
bool ParseDecimal(const String& Text, int& Value) {
  if (Text.empty() || Text.size() > 12) return false;
  wchar_t* end = nullptr;
  errno = 0;
  long long v = std::wcstoll(Text.c_str(), &end, 10);
  if (errno != 0 || *end != L'\0' || v < INT_MIN || v > INT_MAX) return false;
  Value = static_cast<int>(v);
  return true;
}

class TIniLayoutStore : public TLayoutStore {
 public:
  TIniLayoutStore(const String& FileName, const String& Section) : FIni(new TIniFile(FileName)), FSection(Section) {}
  String ReadString(const String& Ident, const String& Default) override {
    return FIni->ReadString(FSection, Ident, Default);
  }
  void WriteString(const String& Ident, const String& Value) override { FIni->WriteString(FSection, Ident, Value); }
  int ReadInteger(const String& Ident, int Default) override {
    int v = Default;
    return ParseDecimal(FIni->ReadString(FSection, Ident, L""), v) ? v : Default;
  }
  void WriteInteger(const String& Ident, int Value) override {
    FIni->WriteString(FSection, Ident, std::to_wstring(Value));
  }

 private:
  TOwned<TIniFile> FIni;
  String FSection;
};

class TRegistryLayoutStore : public TLayoutStore {
 public:
  TRegistryLayoutStore(const String& Key, const String& Section, bool ForWriting)
      : FReg(new TRegistry(ForWriting ? KEY_ALL_ACCESS : KEY_READ)) {
    FReg->SetRootKey(HKEY_CURRENT_USER);
    String path = L"\\" + Key + L"\\" + Section;
    FOpen = ForWriting ? FReg->OpenKey(path, true) : FReg->OpenKeyReadOnly(path);
    if (ForWriting && !FOpen) throw ERegistryException(L"Unable to open key %s", {path});
  }
  String ReadString(const String& Ident, const String& Default) override {
    if (!FOpen || !FReg->ValueExists(Ident)) return Default;
    TRegDataType t = FReg->GetDataType(Ident);
    if (t != TRegDataType::rdString && t != TRegDataType::rdExpandString) return Default;
    return FReg->ReadString(Ident);
  }
  void WriteString(const String& Ident, const String& Value) override { FReg->WriteString(Ident, Value); }
  int ReadInteger(const String& Ident, int Default) override {
    if (!FOpen || !FReg->ValueExists(Ident)) return Default;
    switch (FReg->GetDataType(Ident)) {
      case TRegDataType::rdInteger:
        return FReg->ReadInteger(Ident);
      case TRegDataType::rdString: {
        int v = Default;
        return ParseDecimal(FReg->ReadString(Ident), v) ? v : Default;
      }
      default:
        return Default;
    }
  }
  // A text value of that name stays text.
  void WriteInteger(const String& Ident, int Value) override {
    if (FReg->GetDataType(Ident) == TRegDataType::rdString)
      FReg->WriteString(Ident, std::to_wstring(Value));
    else
      FReg->WriteInteger(Ident, Value);
  }

 private:
  TOwned<TRegistry> FReg;
  bool FOpen = false;
};

class TMemLayoutStore : public TLayoutStore {
 public:
  TMemLayoutStore(const TMemIniFile* Ini, const String& Section) : FIni(Ini), FSection(Section) {}
  String ReadString(const String& Ident, const String& Default) override {
    return FIni->ReadString(FSection, Ident, Default);
  }
  int ReadInteger(const String& Ident, int Default) override {
    int v = Default;
    return ParseDecimal(FIni->ReadString(FSection, Ident, L""), v) ? v : Default;
  }
  void WriteString(const String&, const String&) override { ReadOnly(); }
  void WriteInteger(const String&, int) override { ReadOnly(); }

 private:
  [[noreturn]] void ReadOnly() { throw EIniFileException(L"Unable to write to %s", {FIni->FileName()}); }
  const TMemIniFile* FIni;
  String FSection;
};

}  // namespace

std::unique_ptr<TLayoutStore> OpenLayoutStore(const TPersistence* Persistence, bool ForWriting) {
  if (!Persistence || Persistence->Key().empty() || Persistence->Section().empty()) return nullptr;
  if (Persistence->Location() == TPersistenceLocation::plIniFile)
    return std::make_unique<TIniLayoutStore>(Persistence->Key(), Persistence->Section());
  return std::make_unique<TRegistryLayoutStore>(Persistence->Key(), Persistence->Section(), ForWriting);
}

std::unique_ptr<TLayoutStore> MemLayoutStore(const TMemIniFile* Ini, const String& Section) {
  return std::make_unique<TMemLayoutStore>(Ini, Section);
}

void SaveRibbonState(const TPersistence* Persistence, bool Minimized, bool ShowQATBelow) {
  std::unique_ptr<TLayoutStore> store = OpenLayoutStore(Persistence, true);
  if (!store) return;
  store->WriteBool(L"Minimized", Minimized);
  store->WriteBool(L"ShowQATBelow", ShowQATBelow);
}

void LoadRibbonState(const TPersistence* Persistence, bool& Minimized, bool& ShowQATBelow) {
  std::unique_ptr<TLayoutStore> store = OpenLayoutStore(Persistence, false);
  if (!store) return;
  Minimized = store->ReadInteger(L"Minimized", Minimized ? 1 : 0) > 0;
  ShowQATBelow = store->ReadInteger(L"ShowQATBelow", ShowQATBelow ? 1 : 0) > 0;
}
