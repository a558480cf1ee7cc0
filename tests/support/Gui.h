// Helpers for tests that drive windows: bounded message pumping, painting a
// control into a bitmap, key input.
#pragma once

#include <functional>

#include "base/Forms.h"
#include "base/Graphics.h"

// Handles messages (and queued worker calls) until Done() holds or the time
// is up; returns Done().
bool PumpUntil(const std::function<bool()>& Done, DWORD TimeoutMs = 5000);
// Handles messages for a while.
void PumpFor(DWORD Ms);

// Paints the control (and its children) into a new 32-bit bitmap of its
// client size, through WM_ERASEBKGND and WM_PAINT with the bitmap's DC.
TBitmap* PaintToBitmap(TWinControl* Control);
// The pixel at (X, Y) as 0x00BBGGRR.
TColor PixelAt(TBitmap* Bitmap, int X, int Y);
// The pixel at (X, Y) of what the window shows now, as 0x00BBGGRR.
TColor WindowPixel(HWND Window, int X, int Y);
// How many pixels of the rectangle are within Tolerance of Color.
int CountPixels(TBitmap* Bitmap, const TRect& Rect, TColor Color, int Tolerance = 0);
// Whether two bitmaps of one size hold the same pixels.
bool SamePixels(TBitmap* A, TBitmap* B);

// Brings the form's window to the foreground and gives Control the focus;
// returns whether it has it.
bool FocusForInput(TCustomForm* Form, TWinControl* Control);

class TEdit;
// A window of the test's own with one edit field, shown: the place where the
// user types while the program works. Freed with the object.
class TTypingWindow {
 public:
  TTypingWindow();
  ~TTypingWindow();
  TTypingWindow(const TTypingWindow&) = delete;
  TTypingWindow& operator=(const TTypingWindow&) = delete;
  TForm* Form() const { return FForm; }
  TEdit* Edit() const { return FEdit; }
  // Brings it to the foreground with the focus in the edit field; returns
  // whether it has it.
  bool Focus();

 private:
  TComponent* FOwner;
  TForm* FForm;
  TEdit* FEdit;
};
// One key press through the system's input queue.
void PressKey(WORD VirtualKey, bool Shift = false);
