// Key tips are the keyboard-access letters that ribbon groups, pages, the
// pager and the quick access toolbar show in key-tip mode. Every one of
// them reads typed keys and compares key-tip text through these routines,
// so that a key means the same at every level.
#pragma once

#include <windows.h>

#include "base/SysUtils.h"

// The character a key types into key-tip text, from its virtual-key code as
// a key-down message gives it: the letter keys give "A" to "Z", the digit
// keys and the numeric keypad's digits "0" to "9". Every other key gives 0:
// it types nothing and takes no part in matching (F1 is not "p", Shift is
// no character).
wchar_t KeyTipChar(WORD Key);

// Keys that only modify others (Shift, Ctrl, Alt with their left and right
// keys, the Windows and application keys, the lock keys): a key-tip mode
// lets them pass without typing, beeping or ending.
bool IsKeyTipModifierKey(WORD Key);

// Key-tip texts compared without regard to case: Typed is the whole of Tip,
// or the start of it.
bool KeyTipEquals(const String& Tip, const String& Typed);
bool KeyTipStartsWith(const String& Tip, const String& Typed);
