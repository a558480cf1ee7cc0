// The smallest window program: one window and a message loop. The start-up
// benchmark measures it beside Vantrel.exe as the floor that wine itself sets.
//
// Built a second time as platform_window (PLATFORM_LIBRARIES defined): the
// same, after loading the platform libraries that Vantrel.exe loads at start
// (the common controls, Windows Sockets, GDI+ started, the rich edit).
// Beside it the benchmark shows how much of Vantrel's start-up is its own
// work rather than the platform's.
#ifdef PLATFORM_LIBRARIES
#include <winsock2.h>
#endif
#include <windows.h>
#ifdef PLATFORM_LIBRARIES
#include <commctrl.h>
#include <gdiplus.h>
#endif

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
#ifdef PLATFORM_LIBRARIES
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  if (!InitCommonControlsEx(&icc)) return 1;
  WSADATA wsa;
  if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return 1;
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 1;
  if (!LoadLibraryW(L"riched20.dll")) return 1;
#endif
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"MinimalWindow";
  if (!RegisterClassW(&wc)) return 1;
  HWND window = CreateWindowW(L"MinimalWindow", L"Minimal window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 320, 200, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
#ifdef PLATFORM_LIBRARIES
  Gdiplus::GdiplusShutdown(token);
  WSACleanup();
#endif
  return static_cast<int>(msg.wParam);
}
