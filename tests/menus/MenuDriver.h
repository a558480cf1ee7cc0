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
  // Runs Action at the next idle of a popup menu's loop, with the topmost
  // menu window. Action must end the menu (or leave it to a later hook).
  explicit TMenuIdleHook(std::function<void(HWND MenuWindow)> Action);
  ~TMenuIdleHook();
  bool Ran() const { return FRan; }
  // True when the guard had to end the menu.
  bool TimedOut() const;

 private:
  int FListener = 0;
  bool FRan = false;
  UINT_PTR FGuard = 0;
  std::function<void(HWND)> FAction;
};

// The visible menu windows of this process, topmost first.
std::vector<HWND> OpenMenuWindows();
// Posts a key press to the open menu's loop.
void PostMenuKey(WORD VirtualKey);
// Copies a window's pixels (its whole window area) into a new bitmap.
TBitmap* CaptureWindow(HWND Window);
