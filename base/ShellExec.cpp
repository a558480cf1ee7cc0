#include "base/ShellExec.h"

#include <shellapi.h>

namespace {
TShellHook& Hook() {
  static TShellHook hook;
  return hook;
}
}  // namespace

bool ShellExecuteRequest(const TShellRequest& Request) {
  if (Hook()) return Hook()(Request);
  auto text = [](const String& s) { return s.empty() ? nullptr : s.c_str(); };
  HINSTANCE r = ShellExecuteW(Request.Parent, text(Request.Verb), Request.File.c_str(), text(Request.Parameters),
                              text(Request.Directory), Request.Show);
  return reinterpret_cast<INT_PTR>(r) > 32;
}

void SetShellHook(TShellHook Hook_) { Hook() = std::move(Hook_); }
