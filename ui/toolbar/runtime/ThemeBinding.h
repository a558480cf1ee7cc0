// Late binding of the visual-styles library (UXTHEME.DLL) and of the
// desktop window manager (DWMAPI.DLL). A missing library or entry is never
// an error: the wrappers answer E_NOTIMPL (or false).
#pragma once

#include "base/Types.h"

#include <uxtheme.h>

// ---------------------------------------------------------------------------
// Visual styles: bound at start-up under a lock, released at the end.

// The unit's start and end: make the lock and bind; release and free it.
void InitThemeBindingUnit();
void FiniThemeBindingUnit();
void BindThemeLibrary();
void ReleaseThemeLibrary();
bool ThemeLibraryBound();
int ThemeLibraryLoadCount();
// The module the binding loads; tests point it at another library (one
// that lacks the entries) and back ("UXTHEME.DLL").
void SetThemeLibraryName(const String& Name);
// The entries resolved by name at binding, kept but not called here;
// nullptr when the library lacks one.
FARPROC ThemeEntry(const char* Name);
constexpr int ThemeEntryCount = 45;

namespace ThemeBinding {
// The call of that name, resolved on first use; E_NOTIMPL without the
// library or the entry.
HRESULT DrawThemeTextEx(HTHEME Theme, HDC DC, int PartId, int StateId, LPCWSTR Text, int TextLength, DWORD TextFlags,
                        LPRECT Rect, const DTTOPTS* Options);
// The theme data of Classes for Wnd (nullptr without it), closed again by
// CloseThemeData; the system font Id of a theme (E_NOTIMPL without it).
HTHEME OpenThemeData(HWND Wnd, LPCWSTR Classes);
void CloseThemeData(HTHEME Theme);
HRESULT GetThemeSysFont(HTHEME Theme, int Id, LOGFONTW& Font);
}  // namespace ThemeBinding

// Tests stand in for the visual styles (nullptr: the library again): where
// theme data is opened (its handles are then neither closed nor asked for
// fonts), and where theme text goes.
using TThemeTextSink = HRESULT (*)(HTHEME Theme, HDC DC, int PartId, int StateId, LPCWSTR Text, int TextLength,
                                   DWORD TextFlags, LPRECT Rect, const DTTOPTS* Options);
void SetThemeDataSource(HTHEME (*Source)(HWND Wnd, LPCWSTR Classes));
void SetThemeTextSink(TThemeTextSink Sink);

// ---------------------------------------------------------------------------
// Desktop window manager: loaded on first use, freed at the end.

void FiniDwmBindingUnit();
// Loads DWMAPI.DLL when no handle is held (a failure is tried again later).
void LoadDwmLibrary();

namespace DwmBinding {
// False (Result untouched) without the library or the entry.
bool DwmDefWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result);
HRESULT DwmExtendFrameIntoClientArea(HWND Wnd, const MARGINS& Margins);
// E_NOTIMPL (Enabled untouched) without the library or the entry.
HRESULT DwmIsCompositionEnabled(BOOL& Enabled);
}  // namespace DwmBinding

// Tests stand in for the window manager (nullptr: the library again): the
// composition answer, and where frame extensions go.
void SetDwmCompositionSource(HRESULT (*Source)(BOOL& Enabled));
void SetDwmExtendFrameSink(HRESULT (*Sink)(HWND Wnd, const MARGINS& Margins));

// Version 6 or later, and the manager answers S_OK with composition on.
bool IsDwmCompositionEnabled();
// The manager's flag, whatever it answers.
bool IsAeroCompositionEnabled();
