#include "tests/support/Gui.h"

#include "base/StdCtrls.h"

#include <cstdlib>

bool PumpUntil(const std::function<bool()>& Done, DWORD TimeoutMs) {
  DWORD start = GetTickCount();
  while (!Done()) {
    if (GetTickCount() - start > TimeoutMs) return Done();
    Application->ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

void PumpFor(DWORD Ms) {
  DWORD start = GetTickCount();
  PumpUntil([&] { return GetTickCount() - start >= Ms; }, Ms + 1000);
}

TBitmap* PaintToBitmap(TWinControl* Control) {
  TRect r = Control->ClientRect();
  auto* bmp = new TBitmap(r.Width(), r.Height(), TPixelFormat::pf32bit);
  HDC dc = bmp->Canvas()->Handle();
  Control->PaintTo(dc, 0, 0);
  GdiFlush();
  return bmp;
}

TColor PixelAt(TBitmap* Bitmap, int X, int Y) {
  auto* row = static_cast<const BYTE*>(Bitmap->ScanLine(Y));
  if (!row || X < 0 || X >= Bitmap->Width()) return clNone;
  const BYTE* p = row + X * 4;
  return static_cast<TColor>(p[2] | (p[1] << 8) | (p[0] << 16));
}

TColor WindowPixel(HWND Window, int X, int Y) {
  HDC dc = GetDC(Window);
  COLORREF c = GetPixel(dc, X, Y);
  ReleaseDC(Window, dc);
  return c == CLR_INVALID ? clNone : static_cast<TColor>(c);
}

int CountPixels(TBitmap* Bitmap, const TRect& Rect, TColor Color, int Tolerance) {
  int n = 0;
  int cr = Color & 0xFF, cg = (Color >> 8) & 0xFF, cb = (Color >> 16) & 0xFF;
  for (int y = Rect.top; y < Rect.bottom; ++y)
    for (int x = Rect.left; x < Rect.right; ++x) {
      TColor c = PixelAt(Bitmap, x, y);
      if (c == clNone) continue;
      int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
      if (std::abs(r - cr) <= Tolerance && std::abs(g - cg) <= Tolerance && std::abs(b - cb) <= Tolerance) ++n;
    }
  return n;
}

bool SamePixels(TBitmap* A, TBitmap* B) {
  if (A->Width() != B->Width() || A->Height() != B->Height()) return false;
  for (int y = 0; y < A->Height(); ++y)
    for (int x = 0; x < A->Width(); ++x)
      if (PixelAt(A, x, y) != PixelAt(B, x, y)) return false;
  return true;
}

bool FocusForInput(TCustomForm* Form, TWinControl* Control) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    SetForegroundWindow(Form->Handle());
    SetActiveWindow(Form->Handle());
    Control->SetFocus();
    PumpFor(20);
    if (GetForegroundWindow() == Form->Handle() && Control->Focused()) return true;
  }
  return false;
}

TTypingWindow::TTypingWindow() : FOwner(new TComponent(nullptr)) {
  FForm = new TForm(FOwner);
  FForm->SetBounds(60, 60, 300, 80);
  FEdit = new TEdit(FForm);
  FEdit->SetParent(FForm);
  FEdit->SetBounds(8, 8, 260, 24);
  FForm->Show();
}

TTypingWindow::~TTypingWindow() { FOwner->Free(); }

bool TTypingWindow::Focus() { return FocusForInput(FForm, FEdit); }

void PressKey(WORD VirtualKey, bool Shift) {
  if (Shift) keybd_event(VK_SHIFT, static_cast<BYTE>(MapVirtualKeyW(VK_SHIFT, MAPVK_VK_TO_VSC)), 0, 0);
  BYTE scan = static_cast<BYTE>(MapVirtualKeyW(VirtualKey, MAPVK_VK_TO_VSC));
  keybd_event(static_cast<BYTE>(VirtualKey), scan, 0, 0);
  keybd_event(static_cast<BYTE>(VirtualKey), scan, KEYEVENTF_KEYUP, 0);
  if (Shift) keybd_event(VK_SHIFT, static_cast<BYTE>(MapVirtualKeyW(VK_SHIFT, MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP, 0);
}
