#include "base/Registry.h"

TRegistry::TRegistry(REGSAM AAccess) : FAccess(AAccess) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY Value) {
  CloseKey();
  FRootKey = Value;
}

HKEY TRegistry::Resolve(const String& Key, String& Sub, String& FullPath) const {
  bool absolute = !Key.empty() && Key[0] == L'\\';
  size_t a = Key.find_first_not_of(L'\\');
  size_t b = Key.find_last_not_of(L'\\');
  Sub = a == String::npos ? String() : Key.substr(a, b - a + 1);
  if (absolute || !FCurrentKey) {
    FullPath = Sub;
    return FRootKey;
  }
  FullPath = Sub.empty() ? FCurrentPath : FCurrentPath.empty() ? Sub : FCurrentPath + L"\\" + Sub;
  return FCurrentKey;
}

bool TRegistry::Open(const String& Key, bool CanCreate, REGSAM Access) {
  String sub, path;
  HKEY base = Resolve(Key, sub, path);
  HKEY key = nullptr;
  LONG rc = CanCreate && !sub.empty()
                ? RegCreateKeyExW(base, sub.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, Access, nullptr, &key, nullptr)
                : RegOpenKeyExW(base, sub.empty() ? nullptr : sub.c_str(), 0, Access, &key);
  if (rc != ERROR_SUCCESS) return false;
  CloseKey();
  FCurrentKey = key;
  FCurrentPath = path;
  return true;
}

bool TRegistry::OpenKey(const String& Key, bool CanCreate) { return Open(Key, CanCreate, FAccess); }

bool TRegistry::OpenKeyReadOnly(const String& Key) { return Open(Key, false, KEY_READ); }

void TRegistry::CloseKey() {
  if (FCurrentKey) RegCloseKey(FCurrentKey);
  FCurrentKey = nullptr;
  FCurrentPath.clear();
}

bool TRegistry::KeyExists(const String& Key) {
  String sub, path;
  HKEY base = Resolve(Key, sub, path);
  HKEY key;
  if (RegOpenKeyExW(base, sub.empty() ? nullptr : sub.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

bool TRegistry::DeleteKey(const String& Key) {
  String sub, path;
  HKEY base = Resolve(Key, sub, path);
  if (sub.empty()) return false;
  return RegDeleteTreeW(base, sub.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::ValueExists(const String& Name) {
  return RegQueryValueExW(BaseKey(), Name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

TRegDataType TRegistry::GetDataType(const String& Name) {
  DWORD type;
  if (RegQueryValueExW(BaseKey(), Name.c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
    return TRegDataType::rdUnknown;
  switch (type) {
    case REG_SZ: return TRegDataType::rdString;
    case REG_EXPAND_SZ: return TRegDataType::rdExpandString;
    case REG_DWORD: return TRegDataType::rdInteger;
    case REG_BINARY: return TRegDataType::rdBinary;
    default: return TRegDataType::rdUnknown;
  }
}

String TRegistry::ReadString(const String& Name) {
  DWORD type, size = 0;
  LONG rc = RegQueryValueExW(BaseKey(), Name.c_str(), nullptr, &type, nullptr, &size);
  if (rc == ERROR_FILE_NOT_FOUND) return String();
  if (rc != ERROR_SUCCESS)
    throw ERegistryException(L"Cannot read registry value '%s': %s", {Name, SysErrorMessage(rc)});
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    throw ERegistryException(L"Registry value '%s' is not a string", {Name});
  String s(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(s.size() * sizeof(wchar_t));
  rc = RegQueryValueExW(BaseKey(), Name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(s.data()), &size);
  if (rc != ERROR_SUCCESS)
    throw ERegistryException(L"Cannot read registry value '%s': %s", {Name, SysErrorMessage(rc)});
  s.resize(size / sizeof(wchar_t));
  while (!s.empty() && s.back() == L'\0') s.pop_back();
  return s;
}

int TRegistry::ReadInteger(const String& Name) {
  DWORD type, value = 0, size = sizeof(value);
  LONG rc = RegQueryValueExW(BaseKey(), Name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  if (rc == ERROR_FILE_NOT_FOUND) throw ERegistryException(L"Registry value '%s' does not exist", {Name});
  if ((rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) && (type != REG_DWORD || size != sizeof(value)))
    throw ERegistryException(L"Registry value '%s' is not a 32-bit number", {Name});
  if (rc != ERROR_SUCCESS)
    throw ERegistryException(L"Cannot read registry value '%s': %s", {Name, SysErrorMessage(rc)});
  return static_cast<int>(value);
}

bool TRegistry::ReadBool(const String& Name) { return ReadInteger(Name) != 0; }

void TRegistry::PutData(const String& Name, DWORD Type, const void* Data, DWORD Size) {
  LONG rc = RegSetValueExW(BaseKey(), Name.c_str(), 0, Type, static_cast<const BYTE*>(Data), Size);
  if (rc != ERROR_SUCCESS)
    throw ERegistryException(L"Cannot write registry value '%s': %s", {Name, SysErrorMessage(rc)});
}

void TRegistry::WriteString(const String& Name, const String& Value) {
  PutData(Name, REG_SZ, Value.c_str(), static_cast<DWORD>((Value.size() + 1) * sizeof(wchar_t)));
}

void TRegistry::WriteInteger(const String& Name, int Value) {
  DWORD v = static_cast<DWORD>(Value);
  PutData(Name, REG_DWORD, &v, sizeof(v));
}

void TRegistry::WriteBool(const String& Name, bool Value) { WriteInteger(Name, Value ? 1 : 0); }

bool TRegistry::DeleteValue(const String& Name) {
  return RegDeleteValueW(BaseKey(), Name.c_str()) == ERROR_SUCCESS;
}

std::vector<String> TRegistry::GetKeyNames() {
  std::vector<String> names;
  DWORD count = 0, maxLen = 0;
  if (RegQueryInfoKeyW(BaseKey(), nullptr, nullptr, nullptr, &count, &maxLen, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr) != ERROR_SUCCESS)
    return names;
  String buf(maxLen + 1, L'\0');
  for (DWORD i = 0; i < count; ++i) {
    DWORD len = static_cast<DWORD>(buf.size());
    if (RegEnumKeyExW(BaseKey(), i, buf.data(), &len, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
      names.emplace_back(buf.data(), len);
  }
  return names;
}

std::vector<String> TRegistry::GetValueNames() {
  std::vector<String> names;
  DWORD count = 0, maxLen = 0;
  if (RegQueryInfoKeyW(BaseKey(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &maxLen, nullptr,
                       nullptr, nullptr) != ERROR_SUCCESS)
    return names;
  String buf(maxLen + 1, L'\0');
  for (DWORD i = 0; i < count; ++i) {
    DWORD len = static_cast<DWORD>(buf.size());
    if (RegEnumValueW(BaseKey(), i, buf.data(), &len, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
      names.emplace_back(buf.data(), len);
  }
  return names;
}
