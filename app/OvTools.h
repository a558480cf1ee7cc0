// Free routines that the application windows share.
#pragma once

#include "base/ShiftState.h"
#include "base/StdCtrls.h"
#include "base/SysUtils.h"

// The current user's autostart key, below HKEY_CURRENT_USER.
extern const wchar_t* const AutostartRunKey;

// Sets the box's state without running its click handler.
void SetCheckedSilently(TCheckBox* Box, bool Checked);

// Each Polish letter replaced by its base letter; the length stays.
String StripPolishDiacritics(const String& S);

// The autostart value ValueName under the current user's Run key. Failures
// are not reported: a value that cannot be written is simply absent.
void SetAutostart(const String& ValueName, const String& Command);
bool IsAutostartSet(const String& ValueName);
void RemoveAutostart(const String& ValueName);

// Moves Wnd into or out of the topmost band, keeping its size and position;
// it is activated only when Activate is true.
void SetWindowTopmost(HWND Wnd, bool Topmost, bool Activate);

// The running executable's file version as "major.minor.release.build";
// raises EOSError with the system's message when it cannot be read.
String GetExeVersionText();
// The same for any file.
String GetFileVersionText(const String& FileName);

// One synthesised press of Key with the modifiers of Shift (Ctrl, Shift and
// Alt), flagged as an extended key when Extended is true.
void SendKeyStroke(WORD Key, TShiftState Shift, bool Extended);

// Every occurrence of Search (not empty) replaced by Replacement, in one
// pass from left to right: replaced text is not searched again.
String ReplaceAllText(const String& S, const String& Search, const String& Replacement);
