#include "app/OvTools.h"

#include <cwchar>

#include "base/Registry.h"

const wchar_t* const AutostartRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";

void SetCheckedSilently(TCheckBox* Box, bool Checked) {
  TNotifyEvent saved = Box->OnClick;
  Box->OnClick = nullptr;
  try {
    Box->SetChecked(Checked);
  } catch (...) {
    Box->OnClick = saved;
    throw;
  }
  Box->OnClick = saved;
}

String StripPolishDiacritics(const String& S) {
  static const wchar_t kPolish[] = L"ĄĆĘŁŃÓŚŻŹąćęłńóśżź";
  static const wchar_t kBase[] = L"ACELNOSZZacelnoszz";
  String r = S;
  for (wchar_t& c : r)
    if (const wchar_t* p = wcschr(kPolish, c); p && c) c = kBase[p - kPolish];
  return r;
}

void SetAutostart(const String& ValueName, const String& Command) {
  TRegistry reg;
  try {
    if (reg.OpenKey(AutostartRunKey, true)) reg.WriteString(ValueName, Command);
  } catch (const Exception&) {
  }
}

bool IsAutostartSet(const String& ValueName) {
  TRegistry reg(KEY_READ);
  return reg.OpenKey(AutostartRunKey, false) && reg.ValueExists(ValueName);
}

void RemoveAutostart(const String& ValueName) {
  TRegistry reg;
  if (reg.OpenKey(AutostartRunKey, false) && reg.ValueExists(ValueName)) reg.DeleteValue(ValueName);
}

void SetWindowTopmost(HWND Wnd, bool Topmost, bool Activate) {
  SetWindowPos(Wnd, Topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | (Activate ? 0 : SWP_NOACTIVATE));
}

String GetExeVersionText() { return GetFileVersionText(GetModuleName(nullptr)); }

String GetFileVersionText(const String& FileName) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(FileName.c_str(), &handle);
  if (size == 0) RaiseLastOSError();
  std::string data(size, '\0');
  if (!GetFileVersionInfoW(FileName.c_str(), 0, size, data.data())) RaiseLastOSError();
  VS_FIXEDFILEINFO* info = nullptr;
  UINT len = 0;
  if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &len)) RaiseLastOSError();
  return Format(L"%d.%d.%d.%d", {HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                                 HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS)});
}

namespace {
void KeyEvent(BYTE Key, DWORD Flags) {
  keybd_event(Key, static_cast<BYTE>(MapVirtualKeyW(Key, MAPVK_VK_TO_VSC)), Flags, 0);
}
}  // namespace

void SendKeyStroke(WORD Key, TShiftState Shift, bool Extended) {
  static const struct {
    TShiftStateItem Item;
    BYTE Key;
  } kModifiers[] = {{TShiftStateItem::ssCtrl, VK_CONTROL},
                    {TShiftStateItem::ssShift, VK_SHIFT},
                    {TShiftStateItem::ssAlt, VK_MENU}};
  for (const auto& m : kModifiers)
    if (Shift.Contains(m.Item)) KeyEvent(m.Key, 0);
  DWORD ext = Extended ? KEYEVENTF_EXTENDEDKEY : 0;
  KeyEvent(static_cast<BYTE>(Key), ext);
  KeyEvent(static_cast<BYTE>(Key), ext | KEYEVENTF_KEYUP);
  for (int i = 2; i >= 0; --i)
    if (Shift.Contains(kModifiers[i].Item)) KeyEvent(kModifiers[i].Key, KEYEVENTF_KEYUP);
}

String ReplaceAllText(const String& S, const String& Search, const String& Replacement) {
  return StringReplaceAll(S, Search, Replacement);
}
