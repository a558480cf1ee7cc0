// Starts the real Vantrel.exe (inside the lab network this test runs in) and
// watches it from outside: the single-instance rule, the hidden main window
// and the end of the session.
#include <gtest/gtest.h>

#include <vector>

#include "base/Registry.h"
#include "base/SysUtils.h"
#include "tests/support/Gui.h"
#include "tests/support/Settings.h"

namespace {

// The program under test, given on the command line as --vantrel=<path>.
String VantrelPath() {
  String path;
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; argv && i < argc; ++i) {
    String a = argv[i];
    if (a.rfind(L"--vantrel=", 0) == 0) path = a.substr(10);
  }
  if (argv) LocalFree(argv);
  return path;
}

String WindowsPath(const String& path) {
  if (!path.empty() && path[0] == L'/') return L"Z:" + StringReplaceAll(path, L"/", L"\\");
  return path;
}

struct Process {
  PROCESS_INFORMATION pi{};
  bool Start(const String& exe, bool suspended = false) {
    STARTUPINFOW si{sizeof(si)};
    String cmd = L"\"" + exe + L"\"";
    return CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, suspended ? CREATE_SUSPENDED : 0,
                          nullptr, ExtractFilePath(exe).c_str(), &si, &pi) != 0;
  }
  bool Running() const { return pi.hProcess && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT; }
  // Waits (pumping messages) up to Ms for the exit; the exit code, or -1.
  long WaitExit(DWORD Ms) {
    DWORD start = GetTickCount();
    while (Running() && GetTickCount() - start < Ms) PumpFor(5);
    DWORD code = 0;
    if (Running() || !GetExitCodeProcess(pi.hProcess, &code)) return -1;
    return static_cast<long>(code);
  }
  void Kill() {
    if (Running()) {
      TerminateProcess(pi.hProcess, 1);
      WaitForSingleObject(pi.hProcess, 5000);
    }
  }
  ~Process() {
    Kill();
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);
  }
};

struct FindArgs {
  DWORD pid;
  const wchar_t* cls;
  HWND found;
};

BOOL CALLBACK FindOne(HWND h, LPARAM l) {
  auto* a = reinterpret_cast<FindArgs*>(l);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  wchar_t cls[64] = L"";
  GetClassNameW(h, cls, 64);
  if (pid == a->pid && wcscmp(cls, a->cls) == 0) {
    a->found = h;
    return FALSE;
  }
  return TRUE;
}

HWND FindProcessWindow(DWORD pid, const wchar_t* cls) {
  FindArgs a{pid, cls, nullptr};
  EnumWindows(FindOne, reinterpret_cast<LPARAM>(&a));
  return a.found;
}

// Counts the windows a process creates, from outside, from its first
// instruction on.
struct WindowCreations {
  static int count;
  HWINEVENTHOOK hook = nullptr;
  static void CALLBACK Proc(HWINEVENTHOOK, DWORD, HWND, LONG idObject, LONG, DWORD, DWORD) {
    if (idObject == OBJID_WINDOW) ++count;
  }
  explicit WindowCreations(DWORD pid) {
    count = 0;
    hook = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, Proc, pid, 0, WINEVENT_OUTOFCONTEXT);
  }
  ~WindowCreations() {
    if (hook) UnhookWinEvent(hook);
  }
};
int WindowCreations::count = 0;

// A private copy of the program, so that the test's settings key (named
// after the executable) is its own.
struct ProgramCopy {
  String dir, exe;
  ProgramCopy(const String& folder, const String& name) {
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    dir = IncludeTrailingPathDelimiter(tmp) + folder;
    CreateDirectoryW(dir.c_str(), nullptr);
    exe = dir + L"\\" + name;
    CopyFileW(WindowsPath(VantrelPath()).c_str(), exe.c_str(), FALSE);
  }
  ~ProgramCopy() { DeleteFileW(exe.c_str()); RemoveDirectoryW(dir.c_str()); }
};

// Waits for the process's main window, watching that it is never visible in
// the normal state; the window, or nullptr.
HWND WaitMainWindow(Process& p, bool& seen, DWORD ms = 20000) {
  DWORD start = GetTickCount();
  HWND main = nullptr;
  while (GetTickCount() - start < ms && p.Running()) {
    if (!main) main = FindProcessWindow(p.pi.dwProcessId, L"TForm1");
    if (main && IsWindowVisible(main) && !IsIconic(main)) seen = true;
    if (main && GetTickCount() - start > 1500) break;
    Sleep(1);
  }
  return main;
}

TEST(Startup, SecondStartFromOnePathEndsAtOnceWithoutAWindow) {
  ASSERT_FALSE(VantrelPath().empty()) << "--vantrel=<path> missing";
  ProgramCopy copy(L"vantrel-single", L"VantrelSingle.exe");
  DeleteProgramSettings(L"VantrelSingle");

  Process first;
  ASSERT_TRUE(first.Start(copy.exe, true));
  bool seen = false;
  HWND main = nullptr;
  {
    // The watch sees the first copy's windows, so its silence on the second
    // copy means something.
    WindowCreations windows(first.pi.dwProcessId);
    ResumeThread(first.pi.hThread);
    main = WaitMainWindow(first, seen);
    PumpFor(100);
    EXPECT_GT(WindowCreations::count, 0);
  }
  ASSERT_NE(main, nullptr) << "the first copy shows no main window";
  EXPECT_FALSE(seen) << "the main window was seen at start";
  EXPECT_FALSE(IsWindowVisible(main));

  Process second;
  ASSERT_TRUE(second.Start(copy.exe, true));
  {
    WindowCreations windows(second.pi.dwProcessId);
    ResumeThread(second.pi.hThread);
    EXPECT_EQ(second.WaitExit(20000), 0);
    PumpFor(100);
    EXPECT_EQ(WindowCreations::count, 0);
  }
  // The first copy runs on, unchanged.
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(FindProcessWindow(first.pi.dwProcessId, L"TForm1"), main);

  // The end of the session ends it, with exit code 0, saving its place.
  EXPECT_EQ(SendMessageW(main, WM_QUERYENDSESSION, 0, 0), 1);
  EXPECT_EQ(first.WaitExit(20000), 0);
  TRegistry reg(KEY_READ);
  EXPECT_TRUE(reg.OpenKeyReadOnly(L"\\Software\\VantrelSingle\\Form1"));
  DeleteProgramSettings(L"VantrelSingle");
}

TEST(Startup, CopiesInTwoFoldersRunSideBySide) {
  ProgramCopy a(L"vantrel-a", L"VantrelPair.exe");
  ProgramCopy b(L"vantrel-b", L"VantrelPair.exe");
  Process pa, pb;
  ASSERT_TRUE(pa.Start(a.exe));
  bool seen = false;
  HWND ma = WaitMainWindow(pa, seen);
  ASSERT_NE(ma, nullptr);
  ASSERT_TRUE(pb.Start(b.exe));
  HWND mb = WaitMainWindow(pb, seen);
  ASSERT_NE(mb, nullptr);
  EXPECT_TRUE(pa.Running());
  EXPECT_TRUE(pb.Running());
  EXPECT_FALSE(seen);
  SendMessageW(ma, WM_QUERYENDSESSION, 0, 0);
  SendMessageW(mb, WM_QUERYENDSESSION, 0, 0);
  EXPECT_EQ(pa.WaitExit(20000), 0);
  EXPECT_EQ(pb.WaitExit(20000), 0);
  DeleteProgramSettings(L"VantrelPair");
}

}  // namespace

