// The menu animation is off for every application while a program with the
// menu units runs, and comes back when it ends; read from other processes.
#include <gtest/gtest.h>

#include <string>

#include "base/SysUtils.h"

namespace {

String Beside(const wchar_t* Exe) { return ExtractFilePath(GetModuleName(nullptr)) + Exe; }

// Runs a program to its end and returns its exit code (-1 when it could not
// start or did not end).
int RunToEnd(const String& CommandLine) {
  STARTUPINFOW si{sizeof(si)};
  PROCESS_INFORMATION pi{};
  String cmd = CommandLine;
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<int>(code);
}

int Probe() { return RunToEnd(L"\"" + Beside(L"AnimationProbe.exe") + L"\""); }
bool SetAnimation(bool On) {
  return RunToEnd(L"\"" + Beside(L"AnimationProbe.exe") + L"\" set " + (On ? L"1" : L"0")) == 0;
}

// A running program with the menu units.
class THost {
 public:
  explicit THost(bool FailRead) {
    FReady = CreateEventA(nullptr, TRUE, FALSE, "VantrelMenuHostReady");
    FQuit = CreateEventA(nullptr, TRUE, FALSE, "VantrelMenuHostQuit");
    STARTUPINFOW si{sizeof(si)};
    String cmd = L"\"" + Beside(L"AnimationHost.exe") + L"\" VantrelMenuHostReady VantrelMenuHostQuit" +
                 (FailRead ? L" --fail-read" : L"");
    Started = CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &FInfo) &&
              WaitForSingleObject(FReady, 30000) == WAIT_OBJECT_0;
  }
  // Tells it to end and waits; returns its exit code.
  int End() {
    SetEvent(FQuit);
    DWORD code = static_cast<DWORD>(-1);
    if (FInfo.hProcess && WaitForSingleObject(FInfo.hProcess, 30000) == WAIT_OBJECT_0)
      GetExitCodeProcess(FInfo.hProcess, &code);
    return static_cast<int>(code);
  }
  ~THost() {
    if (FInfo.hProcess) {
      SetEvent(FQuit);
      WaitForSingleObject(FInfo.hProcess, 30000);
      CloseHandle(FInfo.hThread);
      CloseHandle(FInfo.hProcess);
    }
    CloseHandle(FReady);
    CloseHandle(FQuit);
  }
  bool Started = false;

 private:
  HANDLE FReady, FQuit;
  PROCESS_INFORMATION FInfo{};
};

class MenuAnimation : public ::testing::Test {
 protected:
  void SetUp() override { Saved = Probe(); }
  void TearDown() override {
    if (Saved == 0 || Saved == 1) SetAnimation(Saved == 1);
  }
  int Saved = -1;
};

}  // namespace

TEST_F(MenuAnimation, OffWhileTheProgramRunsAndBackAfterItEnds) {
  ASSERT_TRUE(SetAnimation(true));
  ASSERT_EQ(Probe(), 1);
  {
    THost host(false);
    ASSERT_TRUE(host.Started);
    EXPECT_EQ(Probe(), 0);
    EXPECT_EQ(host.End(), 0);
  }
  EXPECT_EQ(Probe(), 1);
  // Off before: off after.
  ASSERT_TRUE(SetAnimation(false));
  {
    THost host(false);
    ASSERT_TRUE(host.Started);
    EXPECT_EQ(host.End(), 0);
  }
  EXPECT_EQ(Probe(), 0);
}

TEST_F(MenuAnimation, AnUnreadSettingIsNotSwitchedOffAtTheEnd) {
  ASSERT_TRUE(SetAnimation(true));
  THost host(true);
  ASSERT_TRUE(host.Started);
  EXPECT_EQ(Probe(), 0);  // switched off all the same
  // The user switches it on again while the program runs.
  ASSERT_TRUE(SetAnimation(true));
  EXPECT_EQ(host.End(), 0);
  EXPECT_EQ(Probe(), 1);
}
