// The shell's verbs (ShellExecute) through one seam, so that tests record
// what would be opened instead of starting a browser or a mail program.
#pragma once

#include <functional>

#include "base/Types.h"

// Answers as ShellExecuteW does: a value above 32 on success.
using TShellExecuteHook = std::function<INT_PTR(HWND Wnd, const String& Verb, const String& File,
                                                const String& Parameters, const String& Directory, int ShowCmd)>;
// Replaces the real call; an empty hook restores it.
void SetShellExecuteHook(TShellExecuteHook Hook);

INT_PTR AppShellExecute(HWND Wnd, const String& Verb, const String& File, const String& Parameters = L"",
                        const String& Directory = L"", int ShowCmd = SW_SHOWNORMAL);
