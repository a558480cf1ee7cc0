#include "base/Dialogs.h"

namespace {
TMessageBoxHook& Hook() {
  static TMessageBoxHook hook;
  return hook;
}
}  // namespace

void SetMessageBoxHook(TMessageBoxHook Hook_) { Hook() = std::move(Hook_); }

int AppMessageBox(const String& Text, const String& Caption, UINT Flags) {
  if (Hook()) return Hook()(Text, Caption, Flags);
  HWND owner = GetActiveWindow();
  return MessageBoxW(owner, Text.c_str(), Caption.c_str(), Flags);
}

void ShowMessage(const String& Text) {
  wchar_t exe[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  String title = exe;
  size_t slash = title.find_last_of(L"\\/");
  if (slash != String::npos) title = title.substr(slash + 1);
  size_t dot = title.find_last_of(L'.');
  if (dot != String::npos) title = title.substr(0, dot);
  AppMessageBox(Text, title, MB_OK);
}
