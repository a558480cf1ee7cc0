#include "base/Shell.h"

#include <shellapi.h>

namespace {
TShellExecuteHook& Hook() {
  static TShellExecuteHook hook;
  return hook;
}

LPCWSTR OrNull(const String& s) { return s.empty() ? nullptr : s.c_str(); }
}  // namespace

void SetShellExecuteHook(TShellExecuteHook Hook_) { Hook() = std::move(Hook_); }

INT_PTR AppShellExecute(HWND Wnd, const String& Verb, const String& File, const String& Parameters,
                        const String& Directory, int ShowCmd) {
  if (Hook()) return Hook()(Wnd, Verb, File, Parameters, Directory, ShowCmd);
  return reinterpret_cast<INT_PTR>(
      ShellExecuteW(Wnd, OrNull(Verb), File.c_str(), OrNull(Parameters), OrNull(Directory), ShowCmd));
}
