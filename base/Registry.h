// Registry access: one open key at a time under a root key.
#pragma once

#include <vector>

#include "base/Object.h"

enum class TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

class TRegistry : public TObject {
  VANTREL_CLASS(TRegistry)
 public:
  explicit TRegistry(REGSAM AAccess = KEY_ALL_ACCESS);
  ~TRegistry() override;

  HKEY RootKey() const { return FRootKey; }
  void SetRootKey(HKEY Value);  // closes the open key
  REGSAM Access() const { return FAccess; }
  void SetAccess(REGSAM Value) { FAccess = Value; }
  HKEY CurrentKey() const { return FCurrentKey; }
  // The open key's path below the root, without a leading '\'.
  const String& CurrentPath() const { return FCurrentPath; }

  // A key text beginning with '\' counts from the root, any other from the
  // open key (or the root when none is open). False leaves the open key as
  // it was.
  bool OpenKey(const String& Key, bool CanCreate);
  bool OpenKeyReadOnly(const String& Key);
  void CloseKey();
  bool KeyExists(const String& Key);
  // Deletes the key with its subkeys and values.
  bool DeleteKey(const String& Key);

  // Values of the open key (the root when none is open).
  bool ValueExists(const String& Name);
  TRegDataType GetDataType(const String& Name);  // rdUnknown when missing
  // A string or expandable string; a missing value reads as "".
  String ReadString(const String& Name);
  // REG_DWORD only: another type or a missing value raises ERegistryException.
  int ReadInteger(const String& Name);
  bool ReadBool(const String& Name);
  void WriteString(const String& Name, const String& Value);
  void WriteInteger(const String& Name, int Value);
  void WriteBool(const String& Name, bool Value);  // REG_DWORD 0 or 1
  bool DeleteValue(const String& Name);

  std::vector<String> GetKeyNames();
  std::vector<String> GetValueNames();

 private:
  HKEY BaseKey() const { return FCurrentKey ? FCurrentKey : FRootKey; }
  // The key to open Key from, the path relative to it and the resulting path
  // below the root.
  HKEY Resolve(const String& Key, String& Sub, String& FullPath) const;
  bool Open(const String& Key, bool CanCreate, REGSAM Access);
  void PutData(const String& Name, DWORD Type, const void* Data, DWORD Size);

  HKEY FRootKey = HKEY_CURRENT_USER;
  HKEY FCurrentKey = nullptr;
  String FCurrentPath;
  REGSAM FAccess;
};
