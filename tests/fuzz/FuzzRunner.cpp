// The fuzz runner: the main of every fuzz executable (see Fuzz.h and the
// "Fuzzing" section of docs/architecture.md).
//
//   fuzz_<name>.exe --name=N --corpus=DIR --regress=DIR --failures=DIR
//                   [--seed=S] [--count=C] [--seconds=T] [--max-bytes=M]
//                   [--slow-ms=MS] [--hang-seconds=H] [--progress]
//
// Order of a run: the inputs kept in --regress (committed) and in --failures
// (what failed on this machine and is not committed yet), the seeds of
// --corpus, then mutations of seeds and earlier inputs from a generator
// seeded with S, until C inputs or T seconds. Every input is written to a
// record file in --failures before it runs; an input that crashes, hangs
// (H seconds), fails (FuzzFail, an exception) or is slow (over MS twice in a
// row) is kept there as <kind>-<hash> and the run fails. An input whose run
// never ended (the process was killed) is kept as crash-<hash> by the next
// run.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <exception>
#include <random>
#include <string>
#include <vector>

#include "base/Dialogs.h"
#include "base/SysUtils.h"
#include "base/Units.h"
#include "tests/fuzz/Fuzz.h"
#include "tests/support/TestUnits.h"

namespace {

struct TOptions {
  std::wstring Name = L"fuzz";
  std::wstring Corpus, Regress, Failures;
  uint64_t Seed = 1;
  uint64_t Count = UINT64_MAX;
  double Seconds = 10;
  size_t MaxBytes = 4096;
  DWORD SlowMs = 1000;
  DWORD HangMs = 30000;
  bool Progress = false;
};

TOptions gOptions;

// The record of the running input, a mapped file: it survives a crash.
struct TRecordHeader {
  char Magic[4];
  volatile uint32_t Running;
  uint32_t Size;
  uint32_t Reserved;
};
TRecordHeader* gRecord = nullptr;
uint8_t* gRecordData = nullptr;
std::atomic<ULONGLONG> gStartedAt{0};

// A failure reported by the target through FuzzFail.
struct TFuzzFailure {
  std::string Why;
};
bool gFailedNow = false;
std::string gFailedWhy;
std::vector<std::function<void()>> gAtEnd;

std::string Narrow(const std::wstring& S) { return WideToAnsi(S); }

uint64_t Fnv1a(const uint8_t* Data, size_t Size) {
  uint64_t h = 1469598103934665603ull;
  for (size_t i = 0; i < Size; ++i) h = (h ^ Data[i]) * 1099511628211ull;
  return h;
}

std::wstring HashName(const uint8_t* Data, size_t Size) {
  wchar_t text[17];
  swprintf(text, 17, L"%016llx", static_cast<unsigned long long>(Fnv1a(Data, Size)));
  return text;
}

bool WriteWholeFile(const std::wstring& Path, const uint8_t* Data, size_t Size) {
  HANDLE f = CreateFileW(Path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = Size == 0 || (WriteFile(f, Data, static_cast<DWORD>(Size), &written, nullptr) && written == Size);
  CloseHandle(f);
  return ok;
}

bool ReadWholeFile(const std::wstring& Path, std::string& Out) {
  HANDLE f = CreateFileW(Path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(f, &size) != 0;
  if (ok) {
    Out.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    ok = Out.empty() || (ReadFile(f, Out.data(), static_cast<DWORD>(Out.size()), &got, nullptr) && got == Out.size());
  }
  CloseHandle(f);
  return ok;
}

// The files of a folder (not the record, not notes), sorted by name.
std::vector<std::wstring> FilesOf(const std::wstring& Folder) {
  std::vector<std::wstring> files;
  if (Folder.empty()) return files;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((Folder + L"\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return files;
  do {
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    std::wstring n = fd.cFileName;
    if (n.ends_with(L".running") || n.ends_with(L".txt") || n.starts_with(L".")) continue;
    files.push_back(Folder + L"\\" + n);
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  std::sort(files.begin(), files.end());
  return files;
}

// Keeps the running input as <Kind>-<hash> in the failure folder; the path.
std::wstring KeepRecord(const wchar_t* Kind) {
  if (!gRecord) return L"";
  size_t size = std::min<size_t>(gRecord->Size, gOptions.MaxBytes);
  std::wstring path = gOptions.Failures + L"\\" + Kind + L"-" + HashName(gRecordData, size);
  WriteWholeFile(path, gRecordData, size);
  return path;
}

void Note(const char* Format, const std::string& A = "", const std::string& B = "") {
  if (gOptions.Progress) std::fputc('\n', stderr);
  std::fprintf(stderr, Format, Narrow(gOptions.Name).c_str(), A.c_str(), B.c_str());
  std::fflush(stderr);
}

void TellHowToKeep(const std::wstring& Path) {
  Note("%s: the input is kept as %s; once mended, move it to tests/fuzz/regress/%s/\n", Narrow(Path),
       Narrow(gOptions.Name));
}

LONG WINAPI OnCrash(EXCEPTION_POINTERS* Info) {
  char what[96];
  std::snprintf(what, sizeof what, "exception 0x%08lx at %p",
                Info && Info->ExceptionRecord ? Info->ExceptionRecord->ExceptionCode : 0ul,
                Info && Info->ExceptionRecord ? Info->ExceptionRecord->ExceptionAddress : nullptr);
  Note("%s: CRASH (%s) while running an input\n", what);
  if (gRecord && gRecord->Running) {
    TellHowToKeep(KeepRecord(L"crash"));
    gRecord->Running = 0;
  }
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}

void OnTerminate() {
  Note("%s: std::terminate while running an input\n");
  if (gRecord && gRecord->Running) {
    TellHowToKeep(KeepRecord(L"crash"));
    gRecord->Running = 0;
  }
  TerminateProcess(GetCurrentProcess(), 3);
}

// Ends the process when one input runs past the hang limit.
DWORD WINAPI Watchdog(void*) {
  for (;;) {
    Sleep(100);
    ULONGLONG started = gStartedAt.load();
    if (!gRecord || !gRecord->Running || started == 0) continue;
    if (GetTickCount64() - started < gOptions.HangMs) continue;
    Note("%s: HANG: an input ran for more than %s s\n", std::to_string(gOptions.HangMs / 1000));
    TellHowToKeep(KeepRecord(L"hang"));
    gRecord->Running = 0;
    TerminateProcess(GetCurrentProcess(), 4);
  }
}

bool OpenRecord() {
  std::wstring path = gOptions.Failures + L"\\" + gOptions.Name + L".running";
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD bytes = static_cast<DWORD>(sizeof(TRecordHeader) + gOptions.MaxBytes);
  HANDLE m = CreateFileMappingW(f, nullptr, PAGE_READWRITE, 0, bytes, nullptr);
  CloseHandle(f);
  if (!m) return false;
  void* view = MapViewOfFile(m, FILE_MAP_ALL_ACCESS, 0, 0, bytes);
  CloseHandle(m);
  if (!view) return false;
  gRecord = static_cast<TRecordHeader*>(view);
  gRecordData = static_cast<uint8_t*>(view) + sizeof(TRecordHeader);
  if (std::memcmp(gRecord->Magic, "VFZ1", 4) == 0 && gRecord->Running) {
    Note("%s: an input of the last run never finished (crash or kill)\n");
    TellHowToKeep(KeepRecord(L"crash"));
  }
  std::memcpy(gRecord->Magic, "VFZ1", 4);
  gRecord->Running = 0;
  return true;
}

// Runs one input; false when it failed (and is kept).
bool RunInput(const std::string& Input) {
  gRecord->Size = static_cast<uint32_t>(Input.size());
  if (!Input.empty()) std::memcpy(gRecordData, Input.data(), Input.size());
  for (int attempt = 0;; ++attempt) {
    gFailedNow = false;
    std::string why;
    gStartedAt = GetTickCount64();
    gRecord->Running = 1;
    try {
      FuzzOne(reinterpret_cast<const uint8_t*>(Input.data()), Input.size());
    } catch (const TFuzzFailure&) {
    } catch (const Exception& e) {
      why = "exception " + WideToAnsi(e.ClassName()) + ": " + e.what();
    } catch (const std::exception& e) {
      why = std::string("exception: ") + e.what();
    } catch (...) {
      why = "an exception of unknown type";
    }
    ULONGLONG took = GetTickCount64() - gStartedAt;
    gRecord->Running = 0;
    gStartedAt = 0;
    if (gFailedNow) why = gFailedWhy;
    const wchar_t* kind = L"fail";
    if (why.empty() && took > gOptions.SlowMs) {
      // Once more before calling it slow: a busy machine can stall any run.
      if (attempt == 0) continue;
      why = "SLOW: " + std::to_string(took) + " ms (limit " + std::to_string(gOptions.SlowMs) + " ms)";
      kind = L"slow";
    }
    if (why.empty()) return true;
    Note("%s: FAILED: %s (input of %s bytes)\n", why, std::to_string(Input.size()));
    gRecord->Running = 1;
    TellHowToKeep(KeepRecord(kind));
    gRecord->Running = 0;
    return false;
  }
}

// ---------------------------------------------------------------------------
// Mutations

class TMutator {
 public:
  TMutator(uint64_t Seed, size_t MaxBytes) : FRandom(Seed), FMax(MaxBytes) {}
  void AddSeed(const std::string& S) { FSeeds.push_back(S); }
  void Remember(const std::string& S) {
    if (FRecent.size() < 64) FRecent.push_back(S);
    else FRecent[Below(64)] = S;
  }
  std::string Next() {
    const std::string& base =
        FRecent.empty() || Below(10) < 6 ? FSeeds[Below(FSeeds.size())] : FRecent[Below(FRecent.size())];
    std::string s = base;
    size_t steps = 1 + Below(Below(8) == 0 ? 16 : 4);
    for (size_t i = 0; i < steps; ++i) Step(s);
    if (s.size() > FMax) s.resize(FMax);
    return s;
  }
  bool HasSeeds() const { return !FSeeds.empty(); }

 private:
  size_t Below(size_t N) { return N == 0 ? 0 : static_cast<size_t>(FRandom() % N); }
  const std::string& Other() { return FSeeds[Below(FSeeds.size())]; }

  void Step(std::string& s) {
    static const uint8_t kBytes[] = {0,   1,    0x7F, 0x80, 0xFF, 0x98, '~', ',', ';', '^', '\r', '\n', '\t', ' ',
                                     '<', '>',  '"',  '\'', '=',  '&',  '/', '\\', '#', '%', '.', '0', '9', 0xC3};
    static const uint32_t kInts[] = {0, 1, 0x7F, 0x80, 0xFF, 0x100, 0x7FFF, 0x8000, 0xFFFF, 0x10000, 0x7FFFFFFF,
                                     0x80000000u, 0xFFFFFFFFu, 12000, 65535, 65536};
    switch (Below(13)) {
      case 0:
        if (!s.empty()) s[Below(s.size())] ^= static_cast<char>(1 << Below(8));
        break;
      case 1:
        if (!s.empty()) s[Below(s.size())] = static_cast<char>(Below(256));
        break;
      case 2:
        if (!s.empty()) s[Below(s.size())] = static_cast<char>(kBytes[Below(sizeof kBytes)]);
        else s.push_back(static_cast<char>(kBytes[Below(sizeof kBytes)]));
        break;
      case 3: {
        size_t n = 1 + Below(8);
        std::string add;
        for (size_t i = 0; i < n; ++i)
          add.push_back(static_cast<char>(Below(2) ? kBytes[Below(sizeof kBytes)] : Below(256)));
        s.insert(Below(s.size() + 1), add);
        break;
      }
      case 4:
        if (!s.empty()) {
          size_t at = Below(s.size());
          s.erase(at, 1 + Below(std::min<size_t>(s.size() - at, Below(4) ? 16 : s.size())));
        }
        break;
      case 5:
        if (!s.empty()) {
          size_t at = Below(s.size());
          std::string piece = s.substr(at, 1 + Below(std::min<size_t>(s.size() - at, 256)));
          s.insert(Below(s.size() + 1), piece);
        }
        break;
      case 6:
        // Repetition, often up to the size limit: finds work that grows
        // faster than the input.
        if (Below(3) == 0) {
          std::string piece = s.empty() ? std::string(1, static_cast<char>(kBytes[Below(sizeof kBytes)]))
                                        : s.substr(Below(s.size()), 1 + Below(32));
          size_t room = FMax > s.size() ? FMax - s.size() : 0;
          size_t times = piece.empty() ? 0 : room / piece.size();
          if (Below(2)) times = Below(times + 1);
          std::string run;
          run.reserve(times * piece.size());
          for (size_t i = 0; i < times; ++i) run += piece;
          s.insert(Below(s.size() + 1), run);
        }
        break;
      case 7: {
        const std::string& o = Other();
        s = s.substr(0, Below(s.size() + 1)) + o.substr(Below(o.size() + 1));
        break;
      }
      case 8: {
        const std::string& o = Other();
        if (!o.empty()) {
          size_t at = Below(o.size());
          s.insert(Below(s.size() + 1), o.substr(at, 1 + Below(std::min<size_t>(o.size() - at, 64))));
        }
        break;
      }
      case 9:
        if (s.size() >= 4) {
          uint32_t v = kInts[Below(sizeof kInts / sizeof kInts[0])];
          size_t at = Below(s.size() - 3);
          bool big = Below(2) != 0;
          size_t width = Below(2) ? 4 : 2;
          for (size_t i = 0; i < width; ++i)
            s[at + i] = static_cast<char>((v >> (8 * (big ? width - 1 - i : i))) & 0xFF);
        }
        break;
      case 10:
        if (!s.empty()) s.resize(Below(s.size()));
        break;
      case 11:
        if (!s.empty()) {
          size_t at = Below(s.size());
          s[at] = static_cast<char>(static_cast<uint8_t>(s[at]) + static_cast<int>(Below(33)) - 16);
        }
        break;
      default:
        // A printable character: text formats mostly need text.
        s.insert(Below(s.size() + 1), 1, static_cast<char>(32 + Below(95)));
        break;
    }
  }

  std::mt19937_64 FRandom;
  size_t FMax;
  std::vector<std::string> FSeeds;
  std::vector<std::string> FRecent;
};

// ---------------------------------------------------------------------------
// The run

std::wstring ArgValue(const std::wstring& Arg, const wchar_t* Key) {
  std::wstring k = std::wstring(L"--") + Key + L"=";
  return Arg.starts_with(k) ? Arg.substr(k.size()) : std::wstring(L"\x01");
}

bool ParseOptions() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return false;
  for (int i = 1; i < argc; ++i) {
    std::wstring a = argv[i], v;
    auto has = [&](const wchar_t* key) { return (v = ArgValue(a, key)) != L"\x01"; };
    if (has(L"name")) gOptions.Name = v;
    else if (has(L"corpus")) gOptions.Corpus = v;
    else if (has(L"regress")) gOptions.Regress = v;
    else if (has(L"failures")) gOptions.Failures = v;
    else if (has(L"seed")) gOptions.Seed = std::wcstoull(v.c_str(), nullptr, 10);
    else if (has(L"count")) gOptions.Count = std::wcstoull(v.c_str(), nullptr, 10);
    else if (has(L"seconds")) gOptions.Seconds = std::wcstod(v.c_str(), nullptr);
    else if (has(L"max-bytes")) gOptions.MaxBytes = std::wcstoull(v.c_str(), nullptr, 10);
    else if (has(L"slow-ms")) gOptions.SlowMs = std::wcstoul(v.c_str(), nullptr, 10);
    else if (has(L"hang-seconds")) gOptions.HangMs = std::wcstoul(v.c_str(), nullptr, 10) * 1000;
    else if (a == L"--progress") gOptions.Progress = true;
    else {
      std::fprintf(stderr, "fuzz: unknown argument %s\n", Narrow(a).c_str());
      LocalFree(argv);
      return false;
    }
  }
  LocalFree(argv);
  for (std::wstring* p : {&gOptions.Corpus, &gOptions.Regress, &gOptions.Failures})
    std::replace(p->begin(), p->end(), L'/', L'\\');
  if (gOptions.Failures.empty()) {
    std::fprintf(stderr, "fuzz: --failures=DIR is required\n");
    return false;
  }
  return true;
}

void MakeFolders(const std::wstring& Path) {
  for (size_t at = Path.find(L'\\', 3); ; at = Path.find(L'\\', at + 1)) {
    CreateDirectoryW(Path.substr(0, at).c_str(), nullptr);
    if (at == std::wstring::npos) break;
  }
}

int Run() {
  MakeFolders(gOptions.Failures);
  if (!OpenRecord()) {
    std::fprintf(stderr, "fuzz: cannot write in %s\n", Narrow(gOptions.Failures).c_str());
    return 2;
  }
  SetUnhandledExceptionFilter(OnCrash);
  std::set_terminate(OnTerminate);
  CloseHandle(CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr));

  const ULONGLONG start = GetTickCount64();
  const ULONGLONG budget = static_cast<ULONGLONG>(gOptions.Seconds * 1000);
  uint64_t done = 0, kept = 0;
  size_t largest = 0;
  bool failed = false;
  auto runOne = [&](const std::string& input) {
    ++done;
    largest = std::max(largest, input.size());
    if (!RunInput(input)) failed = true;
  };

  // What failed before runs first, whatever the budget.
  for (const std::wstring& folder : {gOptions.Regress, gOptions.Failures})
    for (const std::wstring& file : FilesOf(folder)) {
      if (failed) break;
      std::string input;
      if (!ReadWholeFile(file, input)) continue;
      if (input.size() > gOptions.MaxBytes) input.resize(gOptions.MaxBytes);
      ++kept;
      runOne(input);
    }

  TMutator mutator(gOptions.Seed, gOptions.MaxBytes);
  for (const std::wstring& file : FilesOf(gOptions.Corpus)) {
    std::string input;
    if (!ReadWholeFile(file, input)) continue;
    if (input.size() > gOptions.MaxBytes) input.resize(gOptions.MaxBytes);
    mutator.AddSeed(input);
    if (!failed) runOne(input);
  }
  if (!mutator.HasSeeds()) mutator.AddSeed("");

  ULONGLONG lastProgress = start;
  while (!failed && done < gOptions.Count && GetTickCount64() - start < budget) {
    std::string input = mutator.Next();
    runOne(input);
    mutator.Remember(input);
    ULONGLONG now = GetTickCount64();
    if (gOptions.Progress && now - lastProgress >= 1000) {
      lastProgress = now;
      double secs = (now - start) / 1000.0;
      std::fprintf(stderr, "\r%s: %llu inputs, %.0f/s, largest %zu bytes, %.0f s left   ",
                   Narrow(gOptions.Name).c_str(), static_cast<unsigned long long>(done), done / std::max(secs, 0.001),
                   largest, std::max(0.0, (budget - std::min(budget, now - start)) / 1000.0));
      std::fflush(stderr);
    }
  }

  for (auto& done : gAtEnd) {
    gFailedNow = false;
    try {
      done();
    } catch (const TFuzzFailure&) {
    } catch (const std::exception& e) {
      gFailedNow = true;
      gFailedWhy = std::string("exception at the end: ") + e.what();
    }
    if (gFailedNow) {
      Note("%s: FAILED at the end: %s\n", gFailedWhy);
      failed = true;
    }
  }
  if (gOptions.Progress) std::fputc('\n', stderr);
  std::fprintf(stderr, "%s: %llu inputs (%llu kept failures first) in %.1f s, seed %llu, largest %zu bytes: %s\n",
               Narrow(gOptions.Name).c_str(), static_cast<unsigned long long>(done),
               static_cast<unsigned long long>(kept), (GetTickCount64() - start) / 1000.0,
               static_cast<unsigned long long>(gOptions.Seed), largest, failed ? "FAILED" : "no failures");
  return failed ? 1 : 0;
}

}  // namespace

void FuzzFail(const std::string& Why) {
  gFailedNow = true;
  gFailedWhy = Why;
  throw TFuzzFailure{Why};
}

void FuzzAtEnd(std::function<void()> Done) { gAtEnd.push_back(std::move(Done)); }

int main() {
  if (!ParseOptions()) return 2;
  // A unit that fails to start says why on the console; no message box
  // waits for a click that never comes.
  SetMessageBoxHook([](const String& Text, const String& Caption, UINT) {
    std::fprintf(stderr, "%s: %s\n", WideToAnsi(Caption).c_str(), WideToAnsi(Text).c_str());
    return IDOK;
  });
  if (!InitializeUnits(TestUnits())) return 3;
  int result = Run();
  FinalizeUnits();
  return result;
}
