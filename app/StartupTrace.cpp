#include "app/StartupTrace.h"

#include "app/CommittedMemory.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

bool gOn = false;
std::wstring gPath;
DWORD gGuiThread = 0;

double MsSinceProcessStart() {
  FILETIME created, exited, kernel, user, now;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER a{{created.dwLowDateTime, created.dwHighDateTime}};
  ULARGE_INTEGER b{{now.dwLowDateTime, now.dwHighDateTime}};
  return static_cast<double>(b.QuadPart - a.QuadPart) / 10000.0;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

struct WindowCount {
  int TopLevel = 0;
  int All = 0;
};

BOOL CALLBACK CountTopLevel(HWND window, LPARAM data) {
  auto* count = reinterpret_cast<WindowCount*>(data);
  ++count->TopLevel;
  ++count->All;
  EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&count->All));
  return TRUE;
}

void Write(const wchar_t* Stage) {
  WindowCount windows;
  EnumThreadWindows(gGuiThread, CountTopLevel, reinterpret_cast<LPARAM>(&windows));
  double ms = MsSinceProcessStart();
  double kib = CommittedPrivateKiB(GetCurrentProcess());
  if (FILE* f = _wfopen(gPath.c_str(), L"a")) {
    fwprintf(f, L"%9.1f ms  %3d windows (%2d top-level)  %8.0f KiB private  %ls\n", ms, windows.All,
             windows.TopLevel, kib, Stage);
    fclose(f);
  }
}

}  // namespace

void StartupTraceBegin() {
  if (gOn) return;
  wchar_t path[MAX_PATH];
  DWORD n = GetEnvironmentVariableW(L"VANTREL_STARTUP_TRACE", path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  gPath.assign(path, n);
  gGuiThread = GetCurrentThreadId();
  gOn = true;
  Write(L"entry");
}

void StartupTraceMark(const wchar_t* Stage) {
  if (gOn) Write(Stage);
}

bool StartupTraceOn() { return gOn; }
