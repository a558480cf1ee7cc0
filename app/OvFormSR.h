// The settings and window-position store placed on a window: restores the
// window's size and position when it is shown, saves them when asked or when
// the window is destroyed, and reads and writes the application's named
// settings. Everything lives in the current user's registry under
// "Software\<executable name>"; the positions may go to an INI file instead.
#pragma once

#include "base/Forms.h"
#include "base/IniFiles.h"

enum class TApplicationIniName { asAppIniName, asCustom };

class TOvFormSR : public TComponent {
  VANTREL_CLASS(TOvFormSR)
 public:
  // The IniFileName that stands for "the executable's path with .ini".
  static const wchar_t* const AppIniPlaceholder;

  explicit TOvFormSR(TComponent* AOwner);

  bool RestoreOnlyPosition() const { return FRestoreOnlyPosition; }
  void SetRestoreOnlyPosition(bool Value) { FRestoreOnlyPosition = Value; }
  const String& IniFileName() const { return FIniFileName; }
  void SetIniFileName(const String& Value);
  TApplicationIniName TypeIniName() const { return FTypeIniName; }
  void SetTypeIniName(TApplicationIniName Value);
  bool UseRegistry() const { return FUseRegistry; }
  void SetUseRegistry(bool Value) { FUseRegistry = Value; }
  String Version() const { return L"1.2"; }
  void SetVersion(const String&) {}

  // The application's settings under the main key. Reads never fail: an
  // empty key, a missing key or value, a value of another type or any error
  // gives Default. Writes return whether they succeeded.
  bool ReadRegINI(const String& Key, bool Default);
  String ReadRegINI(const String& Key, const String& Default);
  String ReadRegINI(const String& Key, const wchar_t* Default) { return ReadRegINI(Key, String(Default)); }
  int ReadRegINI(const String& Key, int Default);
  bool SaveRegINI(const String& Key, bool Value);
  bool SaveRegINI(const String& Key, const String& Value);
  bool SaveRegINI(const String& Key, const wchar_t* Value) { return SaveRegINI(Key, String(Value)); }
  bool SaveRegINI(const String& Key, int Value);

  // Integers under the window's own key.
  int ReadFormValue(const String& Name, int Default);
  bool WriteFormValue(const String& Name, int Value);

  void RestorePos();
  void SavePos();

  // Whether the caller's token holds the local Administrators group enabled.
  static bool IsWindowsAdmin();
  // Whether Groups hold the Administrators group enabled. A group kept for
  // deny only, as in the filtered token that every program of an
  // administrator gets until it is elevated, does not count.
  static bool HoldsEnabledAdministrators(const TOKEN_GROUPS& Groups);

  const String& MainAppRegKey() const { return FMainAppRegKey; }
  const String& AppRegKey() const { return FAppRegKey; }
  TCustomForm* MasterForm() const { return FMasterForm; }

  void Loaded() override;

 protected:
  void Destroy() override;

 private:
  void FormAppRegKey();
  void HookMasterForm();

  bool FRestoreOnlyPosition = false;
  String FIniFileName;
  TApplicationIniName FTypeIniName = TApplicationIniName::asAppIniName;
  bool FUseRegistry = true;

  TCustomForm* FMasterForm = nullptr;
  String FMainAppRegKey;
  String FAppRegKey;
  bool bWasReadPos = false;
  bool bPosCanSave = false;
  bool FHooked = false;
  TNotifyEvent FSaveFormShow;
  TCloseQueryEvent FSaveFormCloseQuery;
  TNotifyEvent FSaveFormDestroy;
  TIniFile* IniFile = nullptr;
};
