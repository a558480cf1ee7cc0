// Counts the messages of one kind that a window receives while the counter
// lives (a subclass of the window, taken off again when the counter goes).
#pragma once

#include <windows.h>

#include <commctrl.h>

class TMessageCounter {
 public:
  TMessageCounter(HWND Wnd, UINT Msg) : FWnd(Wnd), FMsg(Msg) {
    SetWindowSubclass(FWnd, &Proc, 1, reinterpret_cast<DWORD_PTR>(this));
  }
  ~TMessageCounter() { RemoveWindowSubclass(FWnd, &Proc, 1); }
  TMessageCounter(const TMessageCounter&) = delete;
  TMessageCounter& operator=(const TMessageCounter&) = delete;
  int Count = 0;

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR Self) {
    auto* self = reinterpret_cast<TMessageCounter*>(Self);
    if (m == self->FMsg) ++self->Count;
    return DefSubclassProc(h, m, w, l);
  }
  HWND FWnd;
  UINT FMsg;
};
