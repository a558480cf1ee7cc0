#include "tests/support/Settings.h"

#include "base/Registry.h"
#include "base/SysUtils.h"

String ProgramSettingsKey(const String& ProgramName) {
  String name = ProgramName.empty() ? ChangeFileExt(ExtractFileName(GetModuleName(nullptr)), L"") : ProgramName;
  return L"Software\\" + name;
}

void DeleteProgramSettings(const String& ProgramName) {
  RegDeleteTreeW(HKEY_CURRENT_USER, ProgramSettingsKey(ProgramName).c_str());
}

String ReadProgramSetting(const String& Sub, const String& Name) {
  TRegistry reg(KEY_READ);
  if (!reg.OpenKeyReadOnly(L"\\" + ProgramSettingsKey() + Sub) || !reg.ValueExists(Name)) return L"<absent>";
  return reg.ReadString(Name);
}
