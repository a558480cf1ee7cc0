// Opening documents and links through the shell, by one seam: tests put a
// recorder in its place and start no browser.
#pragma once

#include <functional>

#include "base/Types.h"

struct TShellRequest {
  HWND Parent = nullptr;
  String Verb;
  String File;
  String Parameters;
  String Directory;
  int Show = SW_SHOWNORMAL;
};

// Runs the request through the shell (or the installed hook); true when the
// shell took it.
bool ShellExecuteRequest(const TShellRequest& Request);
// A hook that takes every request instead of the shell; nullptr restores
// the shell.
using TShellHook = std::function<bool(const TShellRequest& Request)>;
void SetShellHook(TShellHook Hook);
