#pragma once
// State that the control classes share inside base/: the window property
// that maps a window to its control, the control whose window is being
// made, and who holds the mouse. Not for use outside the control files.

#include <windows.h>

class TControl;
class TWinControl;

namespace control_detail {

extern const wchar_t kControlProp[];
// The control of a window of ours: the window property, with a copy kept
// per thread, since every message looks it up and reading a window property
// is a trip to the window server under wine. Set and clear it only through
// these (on the window's own thread).
void SetWindowControl(HWND Wnd, TWinControl* Control);
void ClearWindowControl(HWND Wnd);
TWinControl* WindowControl(HWND Wnd);
extern thread_local TWinControl* gCreationControl;
extern TControl* gCaptureControl;  // a graphic control holding its parent's capture
extern TControl* gMouseControl;    // the control under the pointer

HINSTANCE ModuleInstance();
void SetCaptureControl(TControl* Control);
TControl* GetCaptureControl();
// The workspace origin that window placements are relative to.
POINT WorkAreaOrigin(HWND Wnd);

}  // namespace control_detail
