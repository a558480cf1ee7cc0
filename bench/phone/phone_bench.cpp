// Request and answer through the running program: the phone simulator sends
// "AT+GETIP" one request at a time and times the "+GETIP:" answers, first to
// Vantrel.exe, then to a plain Winsock program (phone_echo.exe) under the
// same wine in the same lab. Prints the median and the 99th percentile of
// both and their ratio.
#include <winsock2.h>
#include <windows.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "tools/phone/SimControl.h"

namespace {

const int kRequests = 1000;

std::wstring ExeFolder() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p = path;
  return p.substr(0, p.find_last_of(L'\\') + 1);
}

struct Child {
  PROCESS_INFORMATION pi{};
  bool Start(const std::wstring& exe) {
    STARTUPINFOW si{sizeof(si)};
    std::wstring cmd = L"\"" + exe + L"\"";
    std::wstring dir = exe.substr(0, exe.find_last_of(L'\\'));
    return CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi) != 0;
  }
  void End(DWORD Ms) {
    if (!pi.hProcess) return;
    if (WaitForSingleObject(pi.hProcess, Ms) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    pi = {};
  }
};

struct FindArgs {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindMain(HWND h, LPARAM l) {
  auto* a = reinterpret_cast<FindArgs*>(l);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  wchar_t cls[32] = L"";
  GetClassNameW(h, cls, 32);
  if (pid == a->pid && wcscmp(cls, L"TForm1") == 0) {
    a->found = h;
    return FALSE;
  }
  return TRUE;
}

struct Figures {
  long n = 0, median = 0, p99 = 0, lost = 0;
  bool ok = false;
};

Figures Measure(TSimControl& sim, const char* host) {
  Figures f;
  bool ok = false;
  std::string warm = std::string("bench 50 ") + host;
  sim.Ask(warm, &ok, 120000, 1);
  std::string answer = sim.Ask("bench " + std::to_string(kRequests) + " " + host, &ok, 600000, 1);
  std::istringstream in(answer);
  f.ok = ok && static_cast<bool>(in >> f.n >> f.median >> f.p99 >> f.lost) && f.n > 0;
  return f;
}

// Waits until the desktop side answers "AT+GETIP" (bounded).
bool WaitAnswering(TSimControl& sim, const char* host) {
  for (int i = 0; i < 60; ++i) {
    bool ok = false;
    std::string a = sim.Ask(std::string("bench 1 ") + host, &ok, 5000, 1);
    if (ok && a.rfind("1 ", 0) == 0) return true;
    Sleep(500);
  }
  return false;
}

void Print(const char* name, const Figures& f) {
  if (f.ok)
    std::printf("  %-34s median %7.3f ms   p99 %7.3f ms   (%ld answers, %ld lost)\n", name, f.median / 1000.0,
                f.p99 / 1000.0, f.n, f.lost);
  else
    std::printf("  %-34s no figures\n", name);
}

}  // namespace

int wmain() {
  const char* host = "10.77.0.2";
  TSimControl sim;
  bool ok = false;
  for (int i = 0; i < 40 && !ok; ++i) sim.Ask("ping", &ok, 500, 1);
  if (!ok) {
    std::printf("phone bench: the phone simulator does not answer (VANTREL_PHONE_CMD)\n");
    return 1;
  }

  // A private copy of the program, so that its settings are its own.
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  std::wstring copy = std::wstring(tmp) + L"VantrelBench.exe";
  CopyFileW((ExeFolder() + L"..\\app\\Vantrel.exe").c_str(), copy.c_str(), FALSE);
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VantrelBench");

  Figures program, echo;
  Child app;
  if (app.Start(copy) && WaitAnswering(sim, host)) {
    program = Measure(sim, host);
    FindArgs a{app.pi.dwProcessId, nullptr};
    EnumWindows(FindMain, reinterpret_cast<LPARAM>(&a));
    if (a.found) SendMessageTimeoutW(a.found, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
  }
  app.End(20000);
  DeleteFileW(copy.c_str());
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VantrelBench");

  Child plain;
  if (plain.Start(ExeFolder() + L"phone_echo.exe") && WaitAnswering(sim, host)) echo = Measure(sim, host);
  plain.End(0);

  std::printf("AT+GETIP request to \"+GETIP:\" answer, %d requests one after another, lab network:\n", kRequests);
  Print("Vantrel.exe (UDP service, GUI)", program);
  Print("phone_echo.exe (plain Winsock)", echo);
  if (program.ok && echo.ok && echo.median > 0 && echo.p99 > 0)
    std::printf("  ratio Vantrel / plain: median %.2f, p99 %.2f\n", static_cast<double>(program.median) / echo.median,
                static_cast<double>(program.p99) / echo.p99);
  return program.ok && echo.ok ? 0 : 1;
}
