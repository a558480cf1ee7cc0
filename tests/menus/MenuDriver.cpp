#include "tests/menus/MenuDriver.h"

namespace {

bool gGuardFired = false;

void CALLBACK GuardTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  gGuardFired = true;
  EndMenu();
}

BOOL CALLBACK CollectMenuWindow(HWND hwnd, LPARAM lParam) {
  wchar_t cls[16] = {};
  GetClassNameW(hwnd, cls, 16);
  if (lstrcmpW(cls, L"#32768") == 0 && IsWindowVisible(hwnd)) reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
  return TRUE;
}

}  // namespace

TMenuIdleHook::TMenuIdleHook(std::function<void(HWND)> Action) : FAction(std::move(Action)) {
  gGuardFired = false;
  FListener = PopupList.AddListener([this](UINT Msg, WPARAM, LPARAM LParam) {
    if (Msg != WM_ENTERIDLE || FRan) return;
    FRan = true;
    std::vector<HWND> open = OpenMenuWindows();
    HWND w = open.empty() ? reinterpret_cast<HWND>(LParam) : open.front();
    FAction(w);
  });
  // Ends a menu whose loop never went idle, so that the test fails
  // instead of hanging.
  FGuard = SetTimer(nullptr, 0, 20000, GuardTimer);
}

TMenuIdleHook::~TMenuIdleHook() {
  PopupList.RemoveListener(FListener);
  if (!gGuardFired) KillTimer(nullptr, FGuard);
}

bool TMenuIdleHook::TimedOut() const { return gGuardFired; }

std::vector<HWND> OpenMenuWindows() {
  std::vector<HWND> v;
  // EnumThreadWindows lists top-level windows in z-order, topmost first.
  EnumThreadWindows(GetCurrentThreadId(), CollectMenuWindow, reinterpret_cast<LPARAM>(&v));
  return v;
}

void PostMenuKey(WORD VirtualKey) {
  HWND target = PopupList.Window();
  UINT scan = MapVirtualKeyW(VirtualKey, MAPVK_VK_TO_VSC);
  PostMessageW(target, WM_KEYDOWN, VirtualKey, 1 | (scan << 16));
  PostMessageW(target, WM_KEYUP, VirtualKey, 1 | (scan << 16) | 0xC0000000u);
}

TBitmap* CaptureWindow(HWND Window) {
  RECT r;
  GetWindowRect(Window, &r);
  auto* bmp = new TBitmap(r.right - r.left, r.bottom - r.top, TPixelFormat::pf32bit);
  HDC src = GetWindowDC(Window);
  BitBlt(bmp->Canvas()->Handle(), 0, 0, r.right - r.left, r.bottom - r.top, src, 0, 0, SRCCOPY);
  ReleaseDC(Window, src);
  GdiFlush();
  return bmp;
}
