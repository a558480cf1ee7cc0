// The program's update check at start with its five windows in this
// process, in a lab network, against the update servers on the desk side's
// loopback: the notice in the status bar and the tray balloon, the wizard
// that a click starts, and windows that answer while a server keeps the
// check waiting.
#include <winsock2.h>

#include <gtest/gtest.h>

#include "app/MainForm.h"
#include "app/NewSmsForm.h"
#include "app/OvTools.h"
#include "app/Program.h"
#include "base/StdCtrls.h"
#include "base/TrayIcon.h"
#include "tests/support/Gui.h"
#include "tests/update/UpdateServers.h"
#include "tests/update/UpdateTestSupport.h"
#include "ui/controls/statusbar/AdvOfficeStatusBar.h"
#include "ui/controls/statusbar/AdvOfficeStatusPanels.h"
#include "update/NetUpdateWizard.h"

namespace {

const String kSettings = L"Software\\test_update_app";

class AppUpdate : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Servers().Ready());
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettings.c_str());
  }
  void TearDown() override {
    Application->DestroyComponents();
    Application->ResetMainForm();
    Application->ResetTerminated();
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettings.c_str());
  }
  static TUpdateServers& Servers() { return TUpdateServers::Get(); }
  TAdvOfficeStatusPanel* Notice() { return frmNewSMS->StatusBar1->Panels()->Items(2); }
  size_t ControlRequests() {
    std::string log = Servers().Fetch(L"/log");
    size_t n = 0;
    for (size_t p = 0; (p = log.find("/files/Vantrel.INF", p)) != std::string::npos; ++p) ++n;
    return n;
  }
};

TEST_F(AppUpdate, NewerVersionIsAnnouncedOnceAndAClickStartsTheWizard) {
  Servers().PutFile(L"Vantrel.INF", L"[update]\r\nnewversion=9.0\r\nlocalversion=" +
                                        Fixture(L"versioned_1_2_0_0.exe") + L"\r\n");
  size_t before = ControlRequests();
  UpdateControlFileURL = Servers().Http(L"/files/Vantrel.INF");
  CreateProgramForms();
  ASSERT_TRUE(PumpUntil([] { return frmNewSMS->UpdateAvailable; }, 20000));
  EXPECT_EQ(frmNewSMS->NewVersionInfo, L"9.0.0.0");
  EXPECT_EQ(Notice()->Text(), L"<FONT color=\"#2244ff\"><B><blink>Click && get update: ver.9.0.0.0</blink></B></font>");
  EXPECT_EQ(Notice()->Style(), TAdvOfficeStatusPanelStyle::psHTML);
  EXPECT_EQ(Notice()->AppearanceStyle(), TPanelAppearanceStyle::psDark);
  EXPECT_TRUE(Notice()->Button());
  TTrayIcon* tray = Form1->TrayIcon1;
  EXPECT_EQ(tray->BalloonCount(), 1);
  EXPECT_EQ(tray->BalloonTitle(), L"Vantrel Update available");
  EXPECT_EQ(tray->BalloonHint(),
            L"Your version: " + GetExeVersionText() + L"\r\nNew version: 9.0.0.0\r\nClick and downlowad now!");
  EXPECT_EQ(tray->BalloonFlags(), TBalloonFlags::bfInfo);
  EXPECT_EQ(tray->BalloonTimeout(), 5000);
  // The check runs once, however often the after-create message comes.
  PostMessageW(frmNewSMS->Handle(), WM_AFTER_CREATE, 0, 0);
  PumpFor(200);
  EXPECT_EQ(ControlRequests(), before + 1);
  EXPECT_EQ(tray->BalloonCount(), 1);
  // A click on the notice, then one on the balloon, each run the wizard.
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    TModalDriver d;
    String caption, welcome, font;
    d.Then([&] {
      TWUWIZ* f = ShowingForm<TWUWIZ>();
      if (!f) return false;
      caption = f->Caption();
      welcome = f->WelcomeLabel->Caption();
      font = f->Font()->Name();
      f->Close();
      return true;
    });
    if (round == 0)
      frmNewSMS->StatusBar1->OnPanelClick(frmNewSMS->StatusBar1, 2);
    else
      tray->OnBalloonClick(tray);
    EXPECT_TRUE(d.Done());
    EXPECT_EQ(caption, L"Vantrel update");
    EXPECT_EQ(welcome, L"Press start to start checking for available application updates ...");
    EXPECT_EQ(font, L"Tahoma");
    // The wizard starts from the executable's folder.
    EXPECT_EQ(IncludeTrailingPathDelimiter(GetCurrentDir()), ExtractFilePath(GetModuleName(nullptr)));
  }
}

// The check starts after the start-up (from the after-create step's timer,
// driven here), and its answer, coming while the user works in another
// window, announces the update without taking the focus from that window.
TEST_F(AppUpdate, ALateAnswerLeavesTheFocusWhereTheUserWorks) {
  Servers().PutFile(L"Vantrel.INF", L"[update]\r\nnewversion=9.0\r\nlocalversion=" +
                                        Fixture(L"versioned_1_2_0_0.exe") + L"\r\n");
  UpdateControlFileURL = Servers().Http(L"/files/Vantrel.INF");
  CreateProgramForms();
  ASSERT_TRUE(PumpUntil([] { return frmNewSMS->UpdateChecked; }));
  // The step armed the timer and has not started the check.
  EXPECT_FALSE(frmNewSMS->NetUpdate1->CheckRunning());
  EXPECT_TRUE(KillTimer(frmNewSMS->Handle(), TfrmNewSMS::UpdateCheckTimerId));
  TTypingWindow user;
  ASSERT_TRUE(user.Focus());
  SendMessageW(frmNewSMS->Handle(), WM_TIMER, TfrmNewSMS::UpdateCheckTimerId, 0);
  EXPECT_TRUE(frmNewSMS->NetUpdate1->CheckRunning());
  ASSERT_TRUE(PumpUntil([] { return frmNewSMS->UpdateAvailable; }, 20000));
  PumpFor(200);
  EXPECT_EQ(Form1->TrayIcon1->BalloonCount(), 1);
  EXPECT_EQ(Notice()->Style(), TAdvOfficeStatusPanelStyle::psHTML);
  EXPECT_EQ(GetForegroundWindow(), user.Form()->Handle());
  EXPECT_TRUE(user.Edit()->Focused());
  // A second tick starts no second check.
  size_t requests = ControlRequests();
  SendMessageW(frmNewSMS->Handle(), WM_TIMER, TfrmNewSMS::UpdateCheckTimerId, 0);
  EXPECT_FALSE(frmNewSMS->NetUpdate1->CheckRunning());
  PumpFor(100);
  EXPECT_EQ(ControlRequests(), requests);
}

TEST_F(AppUpdate, NothingNewShowsTheCurrentVersionAndClicksDoNothing) {
  Servers().PutFile(L"Vantrel.INF", L"[update]\r\nnewversion=1.0\r\nlocalversion=" +
                                        Fixture(L"versioned_1_2_0_0.exe") + L"\r\n");
  UpdateControlFileURL = Servers().Http(L"/files/Vantrel.INF");
  CreateProgramForms();
  ASSERT_TRUE(PumpUntil([this] { return Notice()->Text() == L"It's current ver. of Vantrel"; }, 20000));
  EXPECT_FALSE(frmNewSMS->UpdateAvailable);
  EXPECT_EQ(Form1->TrayIcon1->BalloonCount(), 0);
  TModalDriver d;
  d.Then([] {
    if (TWUWIZ* f = ShowingForm<TWUWIZ>()) {
      ADD_FAILURE() << "the wizard showed";
      f->Close();
    }
    return false;
  });
  frmNewSMS->StatusBar1->OnPanelClick(frmNewSMS->StatusBar1, 2);
  Form1->TrayIcon1->OnBalloonClick(Form1->TrayIcon1);
}

TEST_F(AppUpdate, WindowsAnswerWhileAServerKeepsTheCheckWaiting) {
  UpdateControlFileURL = L"http://127.0.0.1:" + IntToStr(Servers().SilentPort()) + L"/Vantrel.INF";
  CreateProgramForms();
  PumpFor(100);
  for (TCustomForm* form : {static_cast<TCustomForm*>(Form1), static_cast<TCustomForm*>(frmNewSMS)}) {
    for (int i = 0; i < 10; ++i) {
      PumpFor(30);
      DWORD_PTR result = 0;
      EXPECT_NE(SendMessageTimeoutW(form->Handle(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result), 0);
    }
  }
  EXPECT_TRUE(frmNewSMS->NetUpdate1->CheckRunning());
  EXPECT_FALSE(frmNewSMS->UpdateAvailable);
  // The windows go while the check waits: it is abandoned (TearDown).
}

}  // namespace
