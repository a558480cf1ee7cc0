// Starts the real Vantrel.exe (inside the lab network this test runs in) and
// watches it from outside: the single-instance rule, the hidden main window
// and the end of the session.
#include <gtest/gtest.h>

#include <vector>

#include "base/Registry.h"
#include "base/SysUtils.h"
#include "tests/support/Gui.h"
#include "tests/support/LabProgram.h"

namespace {

// Counts the windows a process creates, from outside, from its first
// instruction on. Events reach this thread as messages, so those of an
// earlier watch (of another process) can still arrive after it ended: only
// the current watch's own events count.
struct WindowCreations {
  static int count;
  static HWINEVENTHOOK current;
  HWINEVENTHOOK hook = nullptr;
  static void CALLBACK Proc(HWINEVENTHOOK Hook, DWORD, HWND, LONG idObject, LONG, DWORD, DWORD) {
    if (idObject == OBJID_WINDOW && Hook == current) ++count;
  }
  explicit WindowCreations(DWORD pid) {
    count = 0;
    hook = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, Proc, pid, 0, WINEVENT_OUTOFCONTEXT);
    current = hook;
  }
  ~WindowCreations() {
    current = nullptr;
    if (hook) UnhookWinEvent(hook);
  }
};
int WindowCreations::count = 0;
HWINEVENTHOOK WindowCreations::current = nullptr;

// Waits for the process's main window and for it to have hidden itself
// (it is shown minimized, then hides on its first show: under load that
// takes a while), watching for at least 1.5 s that it is never visible in
// the normal state; the window, or nullptr.
HWND WaitMainWindow(TLabProcess& p, bool& seen, DWORD ms = 20000) {
  DWORD start = GetTickCount();
  HWND main = nullptr;
  while (GetTickCount() - start < ms && p.Running()) {
    if (!main) main = FindProcessWindow(p.pi.dwProcessId, L"TForm1");
    if (main && IsWindowVisible(main) && !IsIconic(main)) seen = true;
    if (main && !IsWindowVisible(main) && GetTickCount() - start > 1500) break;
    Sleep(1);
  }
  return main;
}

TEST(Startup, SecondStartFromOnePathEndsAtOnceWithoutAWindow) {
  ASSERT_FALSE(VantrelPathFromCommandLine().empty()) << "--vantrel=<path> missing";
  TProgramCopy copy(L"VantrelSingle", L"vantrel-single");

  TLabProcess first;
  ASSERT_TRUE(first.Start(copy.Exe, true));
  bool seen = false;
  HWND main = nullptr;
  {
    // The watch sees the first copy's windows, so its silence on the second
    // copy means something.
    WindowCreations windows(first.pi.dwProcessId);
    ResumeThread(first.pi.hThread);
    main = WaitMainWindow(first, seen);
    // The events come as messages, late under load.
    EXPECT_TRUE(PumpUntil([] { return WindowCreations::count > 0; }, 10000));
  }
  ASSERT_NE(main, nullptr) << "the first copy shows no main window";
  EXPECT_FALSE(seen) << "the main window was seen at start";
  EXPECT_FALSE(IsWindowVisible(main));

  TLabProcess second;
  ASSERT_TRUE(second.Start(copy.Exe, true));
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
  EXPECT_TRUE(reg.OpenKeyReadOnly(L"\\" + copy.Key + L"\\Form1"));
}

TEST(Startup, CopiesInTwoFoldersRunSideBySide) {
  TProgramCopy a(L"VantrelPair", L"vantrel-a");
  TProgramCopy b(L"VantrelPair", L"vantrel-b");
  TLabProcess pa, pb;
  ASSERT_TRUE(pa.Start(a.Exe));
  bool seen = false;
  HWND ma = WaitMainWindow(pa, seen);
  ASSERT_NE(ma, nullptr);
  ASSERT_TRUE(pb.Start(b.Exe));
  HWND mb = WaitMainWindow(pb, seen);
  ASSERT_NE(mb, nullptr);
  EXPECT_TRUE(pa.Running());
  EXPECT_TRUE(pb.Running());
  EXPECT_FALSE(seen);
  SendMessageW(ma, WM_QUERYENDSESSION, 0, 0);
  SendMessageW(mb, WM_QUERYENDSESSION, 0, 0);
  EXPECT_EQ(pa.WaitExit(20000), 0);
  EXPECT_EQ(pb.WaitExit(20000), 0);
}

}  // namespace

