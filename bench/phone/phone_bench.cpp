// Request and answer through the running program: the phone simulator sends
// "AT+GETIP" one request at a time and times the "+GETIP:" answers of
// Vantrel.exe (port 43011) and of a plain Winsock program (phone_echo.exe,
// port 43012) under the same wine in the same lab. Both run side by side and
// are asked in turns, in slices of the same size (Vantrel first in one pair
// of slices, the echo first in the next), so that the machine's load falls
// on both alike. Prints the median and the 99th percentile of each over all
// slices and their ratios, and the spread of the ratio of medians between
// pairs of slices.
#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "tools/phone/SimControl.h"

namespace {

const int kPairs = 40;       // pairs of slices, one slice to each side
const int kSlice = 50;       // requests per slice
const int kRequests = kPairs * kSlice;
const char* const kHost = "10.77.0.2";
const char* const kProgramPort = "43011";
const char* const kEchoPort = "43012";

std::wstring ExeFolder() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p = path;
  return p.substr(0, p.find_last_of(L'\\') + 1);
}

struct Child {
  PROCESS_INFORMATION pi{};
  bool Start(const std::wstring& exe, const std::wstring& args = std::wstring()) {
    STARTUPINFOW si{sizeof(si)};
    std::wstring cmd = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + args);
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

// The round trips of one side, in microseconds, in the order measured.
struct Side {
  std::vector<long> times;
  long lost = 0;
  bool ok = true;
};

long Percentile(std::vector<long> v, int Percent) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  size_t i = Percent == 50 ? v.size() / 2 : std::min(v.size() - 1, v.size() * Percent / 100);
  return v[i];
}

// One slice of Count requests to Port; appends the times to Total and
// returns the slice's own times.
std::vector<long> Slice(TSimControl& sim, const char* Port, int Count, Side& Total) {
  bool ok = false;
  std::string answer = sim.Ask("times " + std::to_string(Count) + " " + kHost + " " + Port, &ok, 120000, 1);
  std::istringstream in(answer);
  long lost = 0, t = 0;
  std::vector<long> times;
  if (!ok || !(in >> lost)) {
    Total.ok = false;
    return times;
  }
  while (in >> t) times.push_back(t);
  Total.lost += lost;
  Total.times.insert(Total.times.end(), times.begin(), times.end());
  return times;
}

// Waits until the side on Port answers "AT+GETIP" (bounded).
bool WaitAnswering(TSimControl& sim, const char* Port) {
  for (int i = 0; i < 60; ++i) {
    bool ok = false;
    std::string a = sim.Ask(std::string("bench 1 ") + kHost + " " + Port, &ok, 5000, 1);
    if (ok && a.rfind("1 ", 0) == 0) return true;
    Sleep(500);
  }
  return false;
}

bool Usable(const Side& s) { return s.ok && !s.times.empty(); }

void Print(const char* name, const Side& s) {
  if (Usable(s))
    std::printf("  %-34s median %7.3f ms   p99 %7.3f ms   (%zu answers, %ld lost)\n", name,
                Percentile(s.times, 50) / 1000.0, Percentile(s.times, 99) / 1000.0, s.times.size(), s.lost);
  else
    std::printf("  %-34s no figures\n", name);
}

}  // namespace

int wmain() {
  TSimControl sim;
  bool alive = false;
  for (int i = 0; i < 40 && !alive; ++i) sim.Ask("ping", &alive, 500, 1);
  if (!alive) {
    std::printf("phone bench: the phone simulator does not answer (VANTREL_PHONE_CMD)\n");
    return 1;
  }

  // A private copy of the program, so that its settings are its own.
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  std::wstring copy = std::wstring(tmp) + L"VantrelBench.exe";
  CopyFileW((ExeFolder() + L"..\\app\\Vantrel.exe").c_str(), copy.c_str(), FALSE);
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VantrelBench");

  Side program, echo;
  std::vector<double> pairRatios;  // Vantrel's median / the echo's, per pair of slices
  Child app, plain;
  bool started = app.Start(copy) && plain.Start(ExeFolder() + L"phone_echo.exe", L"43012") &&
                 WaitAnswering(sim, kProgramPort) && WaitAnswering(sim, kEchoPort);
  if (started) {
    Side warm;
    Slice(sim, kProgramPort, kSlice, warm);
    Slice(sim, kEchoPort, kSlice, warm);
    for (int i = 0; i < kPairs && program.ok && echo.ok; ++i) {
      std::vector<long> v, e;
      if (i % 2 == 0) {
        v = Slice(sim, kProgramPort, kSlice, program);
        e = Slice(sim, kEchoPort, kSlice, echo);
      } else {
        e = Slice(sim, kEchoPort, kSlice, echo);
        v = Slice(sim, kProgramPort, kSlice, program);
      }
      long em = Percentile(e, 50);
      if (!v.empty() && em > 0) pairRatios.push_back(static_cast<double>(Percentile(v, 50)) / em);
    }
  } else {
    program.ok = echo.ok = false;
  }
  if (app.pi.hProcess) {
    FindArgs a{app.pi.dwProcessId, nullptr};
    EnumWindows(FindMain, reinterpret_cast<LPARAM>(&a));
    if (a.found) SendMessageTimeoutW(a.found, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
  }
  app.End(20000);
  plain.End(0);
  DeleteFileW(copy.c_str());
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VantrelBench");

  std::printf("AT+GETIP request to \"+GETIP:\" answer, %d requests to each one after another, in %d pairs of\n"
              "slices of %d taking turns, lab network:\n",
              kRequests, kPairs, kSlice);
  Print("Vantrel.exe (UDP service, GUI)", program);
  Print("phone_echo.exe (plain Winsock)", echo);
  bool ok = Usable(program) && Usable(echo);
  long em = ok ? Percentile(echo.times, 50) : 0, ep = ok ? Percentile(echo.times, 99) : 0;
  if (ok && em > 0 && ep > 0)
    std::printf("  ratio Vantrel / plain: median %.2f, p99 %.2f\n",
                static_cast<double>(Percentile(program.times, 50)) / em,
                static_cast<double>(Percentile(program.times, 99)) / ep);
  if (!pairRatios.empty()) {
    std::sort(pairRatios.begin(), pairRatios.end());
    std::printf("  ratio of medians per pair of slices: lowest %.2f, median %.2f, highest %.2f\n", pairRatios.front(),
                pairRatios[pairRatios.size() / 2], pairRatios.back());
  }
  return ok ? 0 : 1;
}
