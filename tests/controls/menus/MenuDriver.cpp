#include "tests/controls/menus/MenuDriver.h"

#include <unordered_map>

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

TMenuIdleHook::TMenuIdleHook(std::function<void(HWND)> Action, TWinControl* Form)
    : FForm(Form), FAction(std::move(Action)) {
  gGuardFired = false;
  FListener = PopupList.AddListener([this](UINT Msg, WPARAM, LPARAM LParam) {
    if (Msg == WM_ENTERIDLE) Run(LParam);
  });
  if (FForm) {
    FSavedWindowProc = FForm->WindowProc;
    FForm->WindowProc = [this](TMessage& m) {
      if (m.Msg == WM_ENTERIDLE && m.WParam == MSGF_MENU) Run(m.LParam);
      FSavedWindowProc(m);
    };
  }
  // Ends a menu whose loop never went idle, so that the test fails
  // instead of hanging.
  FGuard = SetTimer(nullptr, 0, 20000, GuardTimer);
}

void TMenuIdleHook::Run(LPARAM Window) {
  if (FRan) return;
  FRan = true;
  std::vector<HWND> open = OpenMenuWindows();
  HWND w = open.empty() ? reinterpret_cast<HWND>(Window) : open.front();
  FAction(w);
}

TMenuIdleHook::~TMenuIdleHook() {
  PopupList.RemoveListener(FListener);
  if (FForm) FForm->WindowProc = FSavedWindowProc;
  if (!gGuardFired) KillTimer(nullptr, FGuard);
}

bool TMenuIdleHook::TimedOut() const { return gGuardFired; }

namespace {
std::vector<std::pair<UINT_PTR, std::function<void()>>> gSettled;

void CALLBACK SettledTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  for (auto it = gSettled.begin(); it != gSettled.end(); ++it)
    if (it->first == id) {
      auto action = std::move(it->second);
      gSettled.erase(it);
      action();
      return;
    }
}

std::unordered_map<HWND, TRect> gCreated;
std::unordered_map<HWND, LONG_PTR> gPlatformProc;

// The platform makes a menu window empty and then places it: its last
// placement before the styled menus take the window over is its own.
LRESULT CALLBACK PlacementHook(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION) {
    auto* cwp = reinterpret_cast<CWPSTRUCT*>(LParam);
    LONG_PTR proc = GetWindowLongPtrW(cwp->hwnd, GWLP_WNDPROC);
    auto first = gPlatformProc.find(cwp->hwnd);
    bool platformsOwn = first == gPlatformProc.end() || first->second == proc;
    if (cwp->message == WM_WINDOWPOSCHANGED && platformsOwn) {
      auto* wp = reinterpret_cast<WINDOWPOS*>(cwp->lParam);
      wchar_t cls[16] = {};
      GetClassNameW(cwp->hwnd, cls, 16);
      RECT now;
      GetWindowRect(cwp->hwnd, &now);
      if (lstrcmpW(cls, L"#32768") == 0 && now.right > now.left && now.bottom > now.top) {
        gCreated[cwp->hwnd] = TRect(now);
        gPlatformProc.emplace(cwp->hwnd, proc);
      }
    }
    if (cwp->message == WM_NCDESTROY) {
      gCreated.erase(cwp->hwnd);
      gPlatformProc.erase(cwp->hwnd);
    }
  }
  return CallNextHookEx(nullptr, Code, WParam, LParam);
}
}  // namespace

void AfterMenuSettles(std::function<void()> Action) {
  UINT_PTR id = SetTimer(nullptr, 0, 1, SettledTimer);
  gSettled.emplace_back(id, std::move(Action));
}

TMenuWindowRecorder::TMenuWindowRecorder() {
  gCreated.clear();
  gPlatformProc.clear();
  FHook = SetWindowsHookExW(WH_CALLWNDPROC, PlacementHook, nullptr, GetCurrentThreadId());
}

TMenuWindowRecorder::~TMenuWindowRecorder() {
  if (FHook) UnhookWindowsHookEx(FHook);
}

TRect TMenuWindowRecorder::Created(HWND Window) const {
  auto it = gCreated.find(Window);
  return it == gCreated.end() ? TRect() : it->second;
}

TRect WindowRegionBox(HWND Window) {
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  TRect box;
  if (GetWindowRgn(Window, rgn) != ERROR) {
    RECT r;
    GetRgnBox(rgn, &r);
    box = TRect(r);
  }
  DeleteObject(rgn);
  return box;
}

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
