// Message boxes. Every message box of the program goes through one seam, so
// that tests can record the text and script the answer.
#pragma once

#include <functional>

#include "base/Types.h"

// Returns the answer of the box (IDOK, IDYES...).
using TMessageBoxHook = std::function<int(const String& Text, const String& Caption, UINT Flags)>;
// Installs a hook that replaces the real box; an empty hook restores it.
void SetMessageBoxHook(TMessageBoxHook Hook);

int AppMessageBox(const String& Text, const String& Caption, UINT Flags);
void ShowMessage(const String& Text);
