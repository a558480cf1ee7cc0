// Drives menus that are really open: a callback runs once the platform's
// menu loop goes idle (WM_ENTERIDLE reaches the popup-list window or the
// form that owns the menu), with the open menu window, and the test ends the
// menu from there (EndMenu, or keys posted to the loop). No test waits on a
// nested loop: a guard timer ends a menu that never went idle.
#pragma once

#include <functional>

#include "base/Menus.h"

class TMenuIdleHook {
 public:
  // Runs Action at the next idle of a popup menu's loop (or of the loop of
  // Form's menu bar), with the topmost menu window. Action must end the
  // menu, or hand on with AfterMenuSettles.
  explicit TMenuIdleHook(std::function<void(HWND MenuWindow)> Action, TWinControl* Form = nullptr);
  ~TMenuIdleHook();
  bool Ran() const { return FRan; }
  // True when the guard had to end the menu.
  bool TimedOut() const;

 private:
  void Run(LPARAM Window);
  int FListener = 0;
  TWinControl* FForm = nullptr;
  std::function<void(TMessage&)> FSavedWindowProc;
  bool FRan = false;
  UINT_PTR FGuard = 0;
  std::function<void(HWND)> FAction;
};

// Runs Action inside the open menu's loop once the messages posted so far
// (keys) are handled and their windows painted: a window timer comes only
// after them.
void AfterMenuSettles(std::function<void()> Action);

// Records where the platform places each menu window, before the styled
// menus move it.
class TMenuWindowRecorder {
 public:
  TMenuWindowRecorder();
  ~TMenuWindowRecorder();
  // The platform's placement of the window; empty when unknown.
  TRect Created(HWND Window) const;

 private:
  HHOOK FHook = nullptr;
};

// The visible menu windows of this process, topmost first.
std::vector<HWND> OpenMenuWindows();
// Posts a key press to the open menu's loop.
void PostMenuKey(WORD VirtualKey);
// Copies a window's pixels (its whole window area) into a new bitmap.
TBitmap* CaptureWindow(HWND Window);
// The bounding box of a window's region in window coordinates; empty when
// it has none.
TRect WindowRegionBox(HWND Window);
