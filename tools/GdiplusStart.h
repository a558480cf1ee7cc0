// The GDI+ start-up of the small tools here, through the flat API.
#pragma once

#include <windows.h>

extern "C" {
struct GdiplusStartupInputFlat {
  UINT32 GdiplusVersion;
  void* DebugEventCallback;
  BOOL SuppressBackgroundThread;
  BOOL SuppressExternalCodecs;
};
int WINAPI GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInputFlat* input, void* output);
void WINAPI GdiplusShutdown(ULONG_PTR token);
}

// Starts GDI+ for the life of the object; Ok() tells whether it started.
class GdiplusSession {
 public:
  GdiplusSession() {
    GdiplusStartupInputFlat input{1, nullptr, FALSE, FALSE};
    ok_ = GdiplusStartup(&token_, &input, nullptr) == 0;
  }
  ~GdiplusSession() {
    if (ok_) GdiplusShutdown(token_);
  }
  bool Ok() const { return ok_; }

 private:
  ULONG_PTR token_ = 0;
  bool ok_ = false;
};
