// Start-up benchmark: the time from process start to an idle message loop
// and the private memory at that moment, for a program and one or more
// reference programs started in turn in the same run.
//
//   startup_bench [--runs N] [--warmup N] [--timeout SECONDS] PROGRAM REFERENCE [REFERENCE...]
//
// Each start: CreateProcess, WaitForInputIdle (bounded), the private bytes
// of the process, then TerminateProcess and a bounded wait for its end, so
// that a single-instance program can start again. A program that ends
// before it is idle, never becomes idle, or cannot be started is counted
// and reported as such. Prints a table and the ratios PROGRAM / REFERENCE,
// one line per reference.
// Exit code: 0 when the table was printed, 1 when a started process could
// not be ended (the run stops there), 2 on misuse.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "app/CommittedMemory.h"

namespace {

constexpr int kMaxRuns = 50;
constexpr int kMaxWarmup = 5;
constexpr int kMaxTimeoutSeconds = 60;
constexpr size_t kMaxReferences = 4;
constexpr DWORD kEndWaitMs = 10000;

// Set when some private figure had to be summed from the address space.
bool g_private_from_regions = false;

enum class Outcome { Idle, Exited, TimedOut, Failed, Stuck };

struct Program {
  std::wstring path;
  std::wstring name;
  std::vector<double> ms;
  std::vector<double> private_kib;
  int idle = 0;
  int exited = 0;
  int timed_out = 0;
  int failed = 0;
  int not_started = 0;
  DWORD last_exit_code = 0;
  DWORD last_error = 0;
};

double Now(const LARGE_INTEGER& frequency) {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

std::wstring FolderOf(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring NameOf(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// Starts the program once and measures it; ends the process again.
Outcome StartOnce(Program& program, DWORD timeout_ms, const LARGE_INTEGER& frequency, double& ms,
                  double& private_kib) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::wstring command = L"\"" + program.path + L"\"";
  std::wstring folder = FolderOf(program.path);

  double start = Now(frequency);
  if (!CreateProcessW(program.path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    program.last_error = GetLastError();
    ++program.not_started;
    return Outcome::Failed;
  }
  DWORD waited = WaitForInputIdle(process.hProcess, timeout_ms);
  ms = Now(frequency) - start;

  // WaitForInputIdle also returns when the process has ended: tell the two apart.
  bool ended = WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
  Outcome outcome;
  if (ended) {
    outcome = Outcome::Exited;
    GetExitCodeProcess(process.hProcess, &program.last_exit_code);
  } else if (waited == 0) {
    outcome = Outcome::Idle;
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    if (GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof(counters)) &&
        counters.PrivateUsage > 0) {
      private_kib = static_cast<double>(counters.PrivateUsage) / 1024.0;
    } else {
      private_kib = CommittedPrivateKiB(process.hProcess);
      g_private_from_regions = true;
    }
  } else if (waited == WAIT_TIMEOUT) {
    outcome = Outcome::TimedOut;
  } else {
    outcome = Outcome::Failed;  // no input queue to wait for (not a window program)
  }

  if (!ended) {
    TerminateProcess(process.hProcess, 1);
    if (WaitForSingleObject(process.hProcess, kEndWaitMs) != WAIT_OBJECT_0) outcome = Outcome::Stuck;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return outcome;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

std::wstring Summary(const std::vector<double>& values, int decimals) {
  if (values.empty()) return L"-";
  auto [low, high] = std::minmax_element(values.begin(), values.end());
  wchar_t text[128];
  swprintf(text, 128, L"%.*f [%.*f..%.*f]", decimals, Median(values), decimals, *low, decimals, *high);
  return text;
}

void PrintTable(const std::vector<Program*>& programs, int runs) {
  wprintf(L"%-22ls %-7ls %-7ls %-7ls %-7ls %-28ls %ls\n", L"program", L"idle", L"exited", L"timeout",
          L"failed", L"time ms: median [min..max]", L"private KiB: median [min..max]");
  for (const Program* p : programs) {
    wchar_t idle[16], exited[16], timed_out[16], failed[16];
    swprintf(idle, 16, L"%d/%d", p->idle, runs);
    swprintf(exited, 16, L"%d/%d", p->exited, runs);
    swprintf(timed_out, 16, L"%d/%d", p->timed_out, runs);
    swprintf(failed, 16, L"%d/%d", p->failed, runs);
    wprintf(L"%-22ls %-7ls %-7ls %-7ls %-7ls %-28ls %ls\n", p->name.c_str(), idle, exited, timed_out, failed,
            Summary(p->ms, 1).c_str(), Summary(p->private_kib, 0).c_str());
  }
}

void PrintRatio(const Program& program, const Program& reference) {
  auto ratio = [](const std::vector<double>& a, const std::vector<double>& b) -> std::wstring {
    if (a.empty() || b.empty()) return L"n/a";
    double denominator = Median(b);
    if (denominator <= 0) return L"n/a";
    wchar_t text[32];
    swprintf(text, 32, L"%.2f", Median(a) / denominator);
    return text;
  };
  wprintf(L"ratio %ls / %ls: time %ls, private memory %ls\n", program.name.c_str(), reference.name.c_str(),
          ratio(program.ms, reference.ms).c_str(), ratio(program.private_kib, reference.private_kib).c_str());
}

void PrintNotes(const Program& p, int runs) {
  if (p.exited)
    wprintf(L"note: %ls ended before it was idle in %d of %d starts (last exit code %lu)\n", p.name.c_str(),
            p.exited, runs, static_cast<unsigned long>(p.last_exit_code));
  if (p.timed_out)
    wprintf(L"note: %ls was not idle within the limit in %d of %d starts\n", p.name.c_str(), p.timed_out, runs);
  if (p.not_started)
    wprintf(L"note: %ls could not be started in %d of %d starts (last error %lu)\n", p.name.c_str(),
            p.not_started, runs, static_cast<unsigned long>(p.last_error));
  if (p.failed > p.not_started)
    wprintf(L"note: WaitForInputIdle failed for %ls in %d of %d starts (not a window program?)\n",
            p.name.c_str(), p.failed - p.not_started, runs);
}

int Usage() {
  fwprintf(stderr,
           L"usage: startup_bench [--runs N] [--warmup N] [--timeout SECONDS] PROGRAM REFERENCE [REFERENCE...]\n"
           L"  --runs N           measured starts of each program (1..%d, default 10)\n"
           L"  --warmup N         unmeasured starts of each program first (0..%d, default 1)\n"
           L"  --timeout SECONDS  limit for one start to become idle (1..%d, default 20)\n",
           kMaxRuns, kMaxWarmup, kMaxTimeoutSeconds);
  return 2;
}

bool ParseCount(const wchar_t* text, int low, int high, int& value) {
  wchar_t* end = nullptr;
  long parsed = wcstol(text, &end, 10);
  if (!end || *end || end == text || parsed < low || parsed > high) return false;
  value = static_cast<int>(parsed);
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int runs = 10, warmup = 1, timeout_s = 20;
  std::vector<std::wstring> paths;
  for (int i = 1; i < argc; ++i) {
    std::wstring arg = argv[i];
    if (arg == L"--runs" && i + 1 < argc) {
      if (!ParseCount(argv[++i], 1, kMaxRuns, runs)) return Usage();
    } else if (arg == L"--warmup" && i + 1 < argc) {
      if (!ParseCount(argv[++i], 0, kMaxWarmup, warmup)) return Usage();
    } else if (arg == L"--timeout" && i + 1 < argc) {
      if (!ParseCount(argv[++i], 1, kMaxTimeoutSeconds, timeout_s)) return Usage();
    } else if (arg.rfind(L"--", 0) == 0) {
      return Usage();
    } else {
      paths.push_back(arg);
    }
  }
  if (paths.size() < 2 || paths.size() > 1 + kMaxReferences) return Usage();

  std::vector<Program> programs(paths.size());
  for (size_t i = 0; i < paths.size(); ++i) {
    programs[i].path = paths[i];
    programs[i].name = NameOf(paths[i]);
  }
  std::vector<Program*> all;
  for (Program& p : programs) all.push_back(&p);

  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  DWORD timeout_ms = static_cast<DWORD>(timeout_s) * 1000;

  wprintf(L"Start-up to an idle message loop under wine: %d starts of each program, in turn, "
          L"after %d warm-up start%ls of each; limit %d s per start\n\n",
          runs, warmup, warmup == 1 ? L"" : L"s", timeout_s);
  fflush(stdout);

  // Warm-up starts fill the file cache and let each program write its
  // first-start state; they are not counted.
  for (int round = 0; round < warmup; ++round) {
    for (Program* p : all) {
      Program scratch;
      scratch.path = p->path;
      double ms = 0, kib = 0;
      if (StartOnce(scratch, timeout_ms, frequency, ms, kib) == Outcome::Stuck) {
        wprintf(L"startup_bench: %ls could not be ended; stopping\n", p->name.c_str());
        return 1;
      }
    }
  }

  int done = 0;
  for (int round = 0; round < runs; ++round) {
    for (Program* p : all) {
      double ms = 0, kib = 0;
      switch (StartOnce(*p, timeout_ms, frequency, ms, kib)) {
        case Outcome::Idle:
          ++p->idle;
          p->ms.push_back(ms);
          if (kib >= 0) p->private_kib.push_back(kib);
          break;
        case Outcome::Exited:
          ++p->exited;
          break;
        case Outcome::TimedOut:
          ++p->timed_out;
          break;
        case Outcome::Failed:
          ++p->failed;
          break;
        case Outcome::Stuck:
          wprintf(L"startup_bench: %ls could not be ended; stopping after %d rounds\n\n", p->name.c_str(), done);
          PrintTable(all, done);
          return 1;
      }
    }
    ++done;
  }

  PrintTable(all, runs);
  wprintf(L"\n");
  for (size_t i = 1; i < programs.size(); ++i) PrintRatio(programs[0], programs[i]);
  for (Program* p : all) PrintNotes(*p, runs);
  if (g_private_from_regions)
    wprintf(L"note: private memory is the committed private pages (VirtualQueryEx), as this system "
            L"reports no PrivateUsage for other processes\n");
  return 0;
}
