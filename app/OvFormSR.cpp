#include "app/OvFormSR.h"

#include <functional>
#include <vector>

#include "base/Registry.h"

const wchar_t* const TOvFormSR::AppIniPlaceholder = L"[ApplicationExeName.ini]";

namespace {

String ExePath() { return Application ? Application->ExeName() : GetModuleName(nullptr); }

// The window's size and position as the user left it: a minimized or
// maximized window reports its normal (restored) rectangle.
TRect NormalBounds(TCustomForm* Form) {
  TRect r = Form->BoundsRect();
  if (!Form->HandleAllocated()) return r;
  HWND h = Form->Handle();
  if (!IsIconic(h) && !IsZoomed(h)) return r;
  WINDOWPLACEMENT wp{sizeof(wp)};
  if (!GetWindowPlacement(h, &wp)) return r;
  r = TRect(wp.rcNormalPosition);
  if (!(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
    // Placement rectangles count from the work area, not the screen.
    MONITORINFO mi{sizeof(mi)};
    if (GetMonitorInfoW(MonitorFromWindow(h, MONITOR_DEFAULTTONEAREST), &mi))
      r.Offset(mi.rcWork.left - mi.rcMonitor.left, mi.rcWork.top - mi.rcMonitor.top);
  }
  return r;
}

void ReportException() {
  if (Application) Application->HandleException(Application);
}

}  // namespace

TOvFormSR::TOvFormSR(TComponent* AOwner) : TComponent(AOwner) {
  FMasterForm = dynamic_cast<TCustomForm*>(AOwner);
  if (FMasterForm) FMasterForm->SetPosition(TPosition::poDefaultPosOnly);
  SetTypeIniName(TApplicationIniName::asAppIniName);
  if (!IsDesigning()) {
    String exe = ExtractFileName(ExePath());
    String base = exe.size() > 4 ? exe.substr(0, exe.size() - 4) : exe;
    FMainAppRegKey = L"\\Software\\" + base;
    FormAppRegKey();
    bPosCanSave = false;
  }
}

void TOvFormSR::FormAppRegKey() {
  FAppRegKey = FMainAppRegKey + L"\\" + (FMasterForm ? FMasterForm->Name() : String());
  if (FTypeIniName == TApplicationIniName::asCustom) FAppRegKey += L"_" + FIniFileName;
}

void TOvFormSR::SetIniFileName(const String& Value) {
  if (Trim(Value) != AppIniPlaceholder) FTypeIniName = TApplicationIniName::asCustom;
  if (FTypeIniName == TApplicationIniName::asCustom)
    FIniFileName = Value;
  else if (IsDesigning())
    FIniFileName = AppIniPlaceholder;
  else
    FIniFileName = ChangeFileExt(ExePath(), L".ini");
}

void TOvFormSR::SetTypeIniName(TApplicationIniName Value) {
  FTypeIniName = Value;
  if (Value == TApplicationIniName::asAppIniName) SetIniFileName(AppIniPlaceholder);
}

void TOvFormSR::Loaded() {
  TComponent::Loaded();
  if (IsDesigning()) return;
  HookMasterForm();
  IniFile = new TIniFile(FIniFileName);
}

void TOvFormSR::HookMasterForm() {
  if (!FMasterForm || FHooked) return;
  FHooked = true;
  FSaveFormShow = FMasterForm->OnShow;
  FSaveFormCloseQuery = FMasterForm->OnCloseQuery;
  FSaveFormDestroy = FMasterForm->OnDestroy;
  FMasterForm->OnShow = [this](TObject* Sender) {
    try {
      RestorePos();
    } catch (...) {
      ReportException();
    }
    if (FSaveFormShow) FSaveFormShow(Sender);
  };
  FMasterForm->OnCloseQuery = [this](TObject* Sender, bool& CanClose) {
    if (FSaveFormCloseQuery) FSaveFormCloseQuery(Sender, CanClose);
  };
  FMasterForm->OnDestroy = [this](TObject* Sender) {
    if (bPosCanSave) {
      try {
        SavePos();
      } catch (...) {
        ReportException();
      }
    }
    if (FSaveFormDestroy) FSaveFormDestroy(Sender);
  };
}

void TOvFormSR::Destroy() {
  if (FHooked && FMasterForm) {
    FMasterForm->OnShow = FSaveFormShow;
    FMasterForm->OnCloseQuery = FSaveFormCloseQuery;
    FMasterForm->OnDestroy = FSaveFormDestroy;
    FHooked = false;
  }
  FreeAndNil(IniFile);
  TComponent::Destroy();
}

// ---------------------------------------------------------------------------
// Settings

namespace {

// Read on the key opened read-only; Default when it cannot be opened or the
// read fails in any way.
template <class T, class F>
T ReadKey(const String& Key, T Default, F Read) {
  try {
    TRegistry reg(KEY_READ);
    if (!reg.OpenKeyReadOnly(Key)) return Default;
    return Read(reg);
  } catch (...) {
    return Default;
  }
}

// Write on the key, created when missing; whether it all succeeded.
template <class F>
bool WriteKey(const String& Key, F Write) {
  try {
    TRegistry reg;
    if (!reg.OpenKey(Key, true)) return false;
    Write(reg);
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace

bool TOvFormSR::ReadRegINI(const String& Key, bool Default) {
  if (Key.empty()) return Default;
  return ReadKey(FMainAppRegKey, Default,
                 [&](TRegistry& r) { return r.ValueExists(Key) ? r.ReadBool(Key) : Default; });
}

String TOvFormSR::ReadRegINI(const String& Key, const String& Default) {
  if (Key.empty()) return Default;
  return ReadKey(FMainAppRegKey, Default,
                 [&](TRegistry& r) { return r.ValueExists(Key) ? r.ReadString(Key) : Default; });
}

int TOvFormSR::ReadRegINI(const String& Key, int Default) {
  if (Key.empty()) return Default;
  // Decimal text; a missing value reads as "" and so as the default.
  return ReadKey(FMainAppRegKey, Default, [&](TRegistry& r) { return StrToIntDef(r.ReadString(Key), Default); });
}

bool TOvFormSR::SaveRegINI(const String& Key, bool Value) {
  return !Key.empty() && WriteKey(FMainAppRegKey, [&](TRegistry& r) { r.WriteBool(Key, Value); });
}

bool TOvFormSR::SaveRegINI(const String& Key, const String& Value) {
  return !Key.empty() && WriteKey(FMainAppRegKey, [&](TRegistry& r) { r.WriteString(Key, Value); });
}

bool TOvFormSR::SaveRegINI(const String& Key, int Value) { return SaveRegINI(Key, IntToStr(Value)); }

int TOvFormSR::ReadFormValue(const String& Name, int Default) {
  return ReadKey(FAppRegKey, Default, [&](TRegistry& r) { return StrToIntDef(r.ReadString(Name), Default); });
}

bool TOvFormSR::WriteFormValue(const String& Name, int Value) {
  return WriteKey(FAppRegKey, [&](TRegistry& r) { r.WriteString(Name, IntToStr(Value)); });
}

// ---------------------------------------------------------------------------
// Positions

void TOvFormSR::RestorePos() {
  bPosCanSave = true;
  if (!FMasterForm) return;
  TCustomForm* f = FMasterForm;
  int screenW = Screen ? Screen->Width() : GetSystemMetrics(SM_CXSCREEN);
  int screenH = Screen ? Screen->Height() : GetSystemMetrics(SM_CYSCREEN);
  // The four values, each with its default: the current size, and a place
  // that centres the window with the size it then has.
  auto restore = [&](const std::function<int(const wchar_t*, int)>& read) {
    int w = f->Width(), h = f->Height();
    if (!FRestoreOnlyPosition) {
      w = read(L"Width", w);
      h = read(L"Height", h);
    }
    int top = read(L"Top", (screenH - h) / 2);
    int left = read(L"Left", (screenW - w) / 2);
    f->SetBounds(left, top, w, h);
  };
  if (FUseRegistry) {
    FormAppRegKey();
    if (ReadFormValue(L"maximized", 0) == 2)
      f->SetWindowState(TWindowState::wsMaximized);
    else
      restore([this](const wchar_t* name, int def) { return ReadFormValue(name, def); });
  } else if (IniFile) {
    const String section = f->Name();
    restore([&](const wchar_t* name, int def) { return IniFile->ReadInteger(section, name, def); });
  }
  bWasReadPos = true;
}

void TOvFormSR::SavePos() {
  if (!bWasReadPos || !FMasterForm) return;
  TCustomForm* f = FMasterForm;
  TRect r = NormalBounds(f);
  if (FUseRegistry) {
    FormAppRegKey();
    WriteFormValue(L"maximized", static_cast<int>(f->WindowState()));
    WriteFormValue(L"Width", r.Width());
    WriteFormValue(L"Height", r.Height());
    WriteFormValue(L"Top", r.top);
    WriteFormValue(L"Left", r.left);
  } else if (IniFile) {
    const String section = f->Name();
    IniFile->WriteInteger(section, L"Top", r.top);
    IniFile->WriteInteger(section, L"Left", r.left);
    IniFile->WriteInteger(section, L"Width", r.Width());
    IniFile->WriteInteger(section, L"Height", r.Height());
  }
}

// ---------------------------------------------------------------------------

bool TOvFormSR::IsWindowsAdmin() {
  HANDLE token = nullptr;
  if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token)) {
    if (GetLastError() != ERROR_NO_TOKEN) return false;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  }
  // The groups can outgrow any fixed buffer: ask for the size first.
  DWORD size = 0;
  GetTokenInformation(token, TokenGroups, nullptr, 0, &size);
  std::vector<BYTE> buffer(size ? size : 1024);
  bool ok = GetTokenInformation(token, TokenGroups, buffer.data(), static_cast<DWORD>(buffer.size()), &size);
  CloseHandle(token);
  if (!ok) return false;
  return HoldsEnabledAdministrators(*reinterpret_cast<const TOKEN_GROUPS*>(buffer.data()));
}

bool TOvFormSR::HoldsEnabledAdministrators(const TOKEN_GROUPS& Groups) {
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID admins = nullptr;
  if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                &admins))
    return false;
  bool found = false;
  for (DWORD i = 0; i < Groups.GroupCount && !found; ++i) {
    const SID_AND_ATTRIBUTES& g = Groups.Groups[i];
    if (EqualSid(g.Sid, admins) && (g.Attributes & SE_GROUP_ENABLED) && !(g.Attributes & SE_GROUP_USE_FOR_DENY_ONLY))
      found = true;
  }
  FreeSid(admins);
  return found;
}
