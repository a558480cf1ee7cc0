// Shared services of the styled menus: the DPI factor, the reserve at the
// right of popup items, the system's menu animation (off while the program
// runs), a rotated font for side-bar captions, and small rectangle and colour
// helpers; plus the two units' start-up and finalisation.
#pragma once

#include "base/Graphics.h"

// The right-hand reserve of every popup item: Round(17 x DPI factor), fixed
// at start-up (17 at 96 pixels per inch).
extern int MenuColumnWidth;

// Horizontal pixels per inch of the main form's window (or of the desktop
// when there is none) divided by 96; computed anew on every call.
float GetDPIScale();
void InitMenuColumnWidth();

// Reads the system's menu animation into the saved value and switches it
// off for all applications (broadcast, not written to the profile).
void DisableMenuAnimation();
// Switches the animation off without saving (before every popup).
void SwitchOffMenuAnimation();
// Gives back the value read at start-up; nothing when the read failed.
void RestoreMenuAnimation();

// The layered-window functions, looked up at start-up and never called.
extern bool LayeredWindowsAvailable;
extern FARPROC UpdateLayeredWindowEntry;
extern FARPROC SetLayeredWindowAttributesEntry;

// A new font like Font with its text turned by Angle degrees; the caller
// selects and deletes it.
HFONT CreateRotatedFont(TFont* Font, int Angle);
// Makes R Width x Height, centred on where it was.
void CenterRect(TRect& R, int Width, int Height);

// Colour channels after resolving system colours.
void SplitColor(TColor Color, BYTE& Red, BYTE& Green, BYTE& Blue);
// Red + Green x 256 + Blue x 65536, the fourth byte in the top eight bits.
TColor PackColor(BYTE Red, BYTE Green, BYTE Blue, BYTE Fourth = 0);
inline int RectWidth(const TRect& R) { return R.right - R.left; }
inline int RectHeight(const TRect& R) { return R.bottom - R.top; }
// (0, 0, width, height) of a graphic; empty for none.
TRect GraphicRect(TGraphic* Graphic);

// Test seams: the platform call behind the animation setting, and a fixed
// pixels-per-inch value for GetDPIScale (0 reads the device).
using TSystemParametersFunc = BOOL(WINAPI*)(UINT Action, UINT Param, PVOID Value, UINT WinIni);
void SetMenuAnimationCall(TSystemParametersFunc Func);  // nullptr: the real call
void SetMenuPixelsPerInch(int Value);
// Forgets the saved animation value (as before start-up).
void ResetMenuAnimationState();

// Unit start-up and finalisation, in this order in the unit table.
void InitMenuUtilsUnit();
void InitAdvMenusUnit();
void FiniAdvMenusUnit();
