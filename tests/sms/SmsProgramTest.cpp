// The real Vantrel.exe in the lab network, watched from outside, with the
// phone simulator answering: a number and a text typed into the new-SMS
// window go to the phone exactly as typed, the phone's answers bring up the
// out-box and an incoming SMS the in-box; settings made in the windows and
// the windows' places outlive a restart.
#include <winsock2.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "base/SysUtils.h"
#include "base/TrayIcon.h"
#include "tests/support/Gui.h"
#include "tests/support/LabProgram.h"
#include "tests/sms/PhoneWire.h"

namespace {

// The windows of one running copy.
struct TWindows {
  DWORD Pid;
  HWND Main() const { return FindProcessWindow(Pid, L"TForm1"); }
  HWND NewSms() const { return FindProcessWindow(Pid, L"TfrmNewSMS"); }
  HWND InBox() const { return FindProcessWindow(Pid, L"TfrmSmsInBox"); }
  HWND OutBox() const { return FindProcessWindow(Pid, L"TfrmSMSOutBox"); }
  HWND Tray() const { return FindProcessWindow(Pid, L"TTrayIconWindow"); }
  HWND Send() const {
    auto b = FindChildren(NewSms(), L"TAdvGlassButton", L"SEND");
    return b.empty() ? nullptr : b.front();
  }
  // The number field: the lower of the two edit fields at the top.
  HWND Number() const {
    auto edits = FindChildren(NewSms(), L"TEdit");
    HWND lowest = nullptr;
    LONG y = -100000;
    for (HWND e : edits) {
      RECT r;
      GetWindowRect(e, &r);
      if (r.top > y) y = r.top, lowest = e;
    }
    return lowest;
  }
  HWND Text() const {
    auto t = FindChildren(NewSms(), L"TRichEdit");
    return t.empty() ? nullptr : t.front();
  }
  HWND Check(HWND Window, const wchar_t* Caption) const {
    auto c = FindChildren(Window, L"TCheckBox", Caption);
    return c.empty() ? nullptr : c.front();
  }
  // A click on the tray icon, as the shell reports it.
  void ClickTray() const { PostMessageW(Tray(), WM_TRAYICON_CALLBACK, 0, WM_LBUTTONUP); }
};

void Type(HWND Window, const String& Text) {
  for (wchar_t c : Text) PostMessageW(Window, WM_CHAR, c, 1);
}

TPoint Place(HWND Window) {
  RECT r;
  GetWindowRect(Window, &r);
  return TPoint(r.left, r.top);
}

class SmsProgram : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    bool ok = false;
    for (int i = 0; i < 20 && !ok; ++i) Sim()->Ask("ping", &ok, 500, 1);
    simulatorUp = ok;
    for (const char* c : {"mute off", "silent off", "parts auto", "hold off", "fail 0"}) Sim()->Ask(c);
  }
  void SetUp() override {
    ASSERT_TRUE(simulatorUp) << "the phone simulator does not answer";
    ASSERT_FALSE(VantrelPathFromCommandLine().empty()) << "--vantrel=<path> missing";
  }
  static bool simulatorUp;
};
bool SmsProgram::simulatorUp = false;

TEST_F(SmsProgram, TypedSmsGoesOutAsTypedAndSettingsAndPlacesOutliveARestart) {
  TProgramCopy copy(L"VantrelSms");
  TWire wire;
  wire.Poll();
  wire.lines.clear();
  {
    TLabProcess app;
    ASSERT_TRUE(app.Start(copy.Exe));
    TWindows w{app.Id()};
    // Linked: the SEND button comes alive with the heartbeat's answer.
    ASSERT_TRUE(wire.WaitFor("+HEART:")) << "no link; running " << app.Running() << ", " << wire.lines.size()
                                         << " datagrams: " << (wire.lines.empty() ? "" : wire.lines.back());
    ASSERT_TRUE(wire.WaitFor("AT+GET_CONTACTS"));

    // The tray icon brings up the new-SMS window, whose SEND button the
    // link has lit; type and send.
    w.ClickTray();
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(w.NewSms()); }));
    ASSERT_TRUE(PumpUntil([&] { return w.Send() && IsWindowEnabled(w.Send()); }, 20000));
    Type(w.Number(), L"55a5 123");
    Type(w.Text(), L"Hello there,\rsee you");
    ASSERT_TRUE(PumpUntil([&] { return WindowText(w.Number()) == L"555123"; }));
    PostMessageW(w.Send(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(w.Send(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(wire.WaitFor("AT+SEND_SMS=555123~Hello there,see you"));
    EXPECT_EQ(wire.CountPrefix("AT+SEND_SMS="), 1);
    // The phone's answers bring up the out-box and clear the text.
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(w.OutBox()); }, 10000));
    EXPECT_TRUE(PumpUntil([&] { return WindowText(w.Text()).empty(); }));

    // An incoming SMS brings up the in-box.
    Sim()->Ask("sms 456~Hi from Bob");
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(w.InBox()); }, 10000));

    // Settings made in the windows, and new places for two windows.
    HWND clip = w.Check(w.NewSms(), L"Add clipboard text");
    HWND accept = w.Check(w.InBox(), L"Accept incomming messages");
    ASSERT_TRUE(clip && accept);
    EXPECT_EQ(SendMessageW(accept, BM_GETCHECK, 0, 0), BST_CHECKED);
    PostMessageW(clip, BM_CLICK, 0, 0);
    PostMessageW(accept, BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return copy.Setting(L"", L"accept_inc_mess") == L"0"; }));
    ASSERT_TRUE(PumpUntil([&] { return copy.Setting(L"", L"add_clipboard_text") == L"1"; }));
    SetWindowPos(w.NewSms(), nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(w.InBox(), nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(PumpUntil([&] { return Place(w.InBox()) == TPoint(300, 200); }));

    // The end of the session: each window saves its place.
    EXPECT_EQ(SendMessageW(w.Main(), WM_QUERYENDSESSION, 0, 0), 1);
    ASSERT_EQ(app.WaitExit(20000), 0);
  }
  EXPECT_EQ(copy.Setting(L"\\frmNewSMS", L"Left"), L"123");
  EXPECT_EQ(copy.Setting(L"\\frmNewSMS", L"Top"), L"77");
  EXPECT_EQ(copy.Setting(L"\\frmSmsInBox", L"Left"), L"300");
  EXPECT_EQ(copy.Setting(L"\\frmSmsInBox", L"Top"), L"200");
  EXPECT_EQ(copy.Setting(L"", L"inbox_split"), L"120");
  EXPECT_EQ(copy.Setting(L"", L"last_remote_ip"), L"10.77.0.1");

  // The second start finds everything as it was left.
  wire.Poll();
  wire.lines.clear();
  TLabProcess app;
  ASSERT_TRUE(app.Start(copy.Exe));
  TWindows w{app.Id()};
  ASSERT_TRUE(wire.WaitFor("+HEART:")) << "no link";
  w.ClickTray();
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(w.NewSms()); }));
  EXPECT_EQ(Place(w.NewSms()), TPoint(123, 77));
  EXPECT_EQ(SendMessageW(w.Check(w.NewSms(), L"Add clipboard text"), BM_GETCHECK, 0, 0), BST_CHECKED);
  // Incoming messages are no longer accepted: the main window's log shows
  // the text, the in-box stays hidden.
  Sim()->Ask("sms 456~Not accepted now");
  HWND log = nullptr;
  ASSERT_TRUE(PumpUntil(
      [&] {
        auto memos = FindChildren(w.Main(), L"TMemo");
        log = memos.empty() ? nullptr : memos.front();
        return log && WindowText(log) == L"AT+NEWSMS=456~Not accepted now";
      },
      10000));
  // (A window that was never shown has no window of its own yet.)
  EXPECT_FALSE(w.InBox() && IsWindowVisible(w.InBox()));
  EXPECT_EQ(SendMessageW(w.Main(), WM_QUERYENDSESSION, 0, 0), 1);
  EXPECT_EQ(app.WaitExit(20000), 0);
}

}  // namespace
