// The phone link end to end, in the lab network: the real Vantrel.exe runs
// under wine in the desktop namespace, the phone simulator in the phone
// namespace, and this test watches from outside: the datagrams on the wire
// (the simulator's log), the registry, the clipboard, key strokes arriving in
// a focused window of this test, the windows, and a second start.
#include <winsock2.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/Clipboard.h"
#include "base/SysUtils.h"
#include "base/StdCtrls.h"
#include "tests/support/Gui.h"
#include "tests/support/LabProgram.h"
#include "tools/phone/SimControl.h"

namespace {

const char* const kDeskIP = "10.77.0.2";
const char* const kPhoneIP = "10.77.0.1";

// The simulator's record of what reached the phone, kept across polls.
struct Wire {
  TSimControl sim;
  std::vector<std::string> lines;  // "<ip>:<port> <text>"
  void Poll() {
    bool ok = false;
    std::string log = sim.Ask("log", &ok);
    size_t start = 0;
    while (ok && start < log.size()) {
      size_t end = log.find('\n', start);
      if (end == std::string::npos) end = log.size();
      if (end > start) lines.push_back(log.substr(start, end - start));
      start = end + 1;
    }
  }
  // Waits (polling the simulator, pumping messages) until a datagram Text
  // from the desktop's port 43011 has reached the phone.
  bool WaitFor(const std::string& text, DWORD ms = 20000) {
    std::string want = std::string(kDeskIP) + ":43011 " + text;
    return PumpUntil(
        [&] {
          Poll();
          return std::find(lines.begin(), lines.end(), want) != lines.end();
        },
        ms);
  }
  int Count(const std::string& text) {
    std::string want = std::string(kDeskIP) + ":43011 " + text;
    return static_cast<int>(std::count(lines.begin(), lines.end(), want));
  }
};

class PhoneLink : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    wire = new Wire;
    bool ok = false;
    // The simulator may still be starting.
    for (int i = 0; i < 20 && !ok; ++i) wire->sim.Ask("ping", &ok, 500, 1);
    simulatorUp = ok;
    wire->sim.Ask("silent off");
    wire->sim.Ask("mute off");
  }
  static void TearDownTestSuite() {
    delete wire;
    wire = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(simulatorUp) << "the phone simulator does not answer"; }
  static Wire* wire;
  static bool simulatorUp;
};
Wire* PhoneLink::wire = nullptr;
bool PhoneLink::simulatorUp = false;

TEST_F(PhoneLink, FindsThePhoneKeepsTheHeartbeatTypesPasscodesAndEndsWithTheSession) {
  ASSERT_FALSE(VantrelPathFromCommandLine().empty()) << "--vantrel=<path> missing";
  TProgramCopy copy(L"VantrelLink");
  wire->Poll();
  wire->lines.clear();
  TLabProcess app;
  ASSERT_TRUE(app.Start(copy.Exe));

  // Discovery by broadcast, the phone book, the heartbeat and our reply to
  // the phone's answer: exactly these bytes, no line end.
  ASSERT_TRUE(wire->WaitFor("AT+GET_PHONE_IP")) << "no discovery broadcast";
  ASSERT_TRUE(wire->WaitFor("AT+GET_CONTACTS")) << "no contact query";
  ASSERT_TRUE(wire->WaitFor("AT+HEART")) << "no heartbeat";
  ASSERT_TRUE(wire->WaitFor("+HEART:")) << "the heartbeat answer was not answered";
  EXPECT_EQ(copy.Setting(L"", L"last_remote_ip"), String(L"10.77.0.1"));
  HWND main = FindProcessWindow(app.pi.dwProcessId, L"TForm1");
  ASSERT_NE(main, nullptr);
  EXPECT_FALSE(IsWindowVisible(main));

  // The phone asks for the desktop's address.
  std::string answer = wire->sim.Ask("getip");
  EXPECT_EQ(answer.rfind(std::string("+GETIP:") + kDeskIP + ",", 0), 0u) << answer;

  // A passcode: typed into the focused window, key by key as the layout
  // makes the characters (capitals as their bare keys, so lower case), a
  // character without a key skipped; the whole code on the clipboard.
  auto* owner = new TComponent(nullptr);
  auto* form = new TForm(owner);
  form->SetBounds(50, 50, 300, 80);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetBounds(8, 8, 260, 24);
  form->Show();
  ASSERT_TRUE(FocusForInput(form, edit));
  Clipboard()->SetAsText(L"before");
  wire->sim.Ask("pass   12aB.[x\xC3\xA9 ");
  EXPECT_TRUE(PumpUntil([&] { return edit->Text().size() >= 7; }, 10000));
  PumpFor(200);
  EXPECT_EQ(edit->Text(), L"12ab.[x");
  EXPECT_EQ(Clipboard()->AsText(), L"12aB.[x\u00E9");
  owner->Free();
  // The main window shows the code.
  HWND code = FindWindowExW(main, nullptr, L"TEdit", nullptr);
  ASSERT_NE(code, nullptr);
  EXPECT_EQ(WindowText(code), L"12aB.[x\u00E9");

  // An incoming SMS brings up the in-box without activating it.
  auto inboxShown = [&] {
    HWND inbox = FindProcessWindow(app.pi.dwProcessId, L"TfrmSmsInBox");
    return inbox && IsWindowVisible(inbox);
  };
  EXPECT_FALSE(inboxShown());
  wire->sim.Ask("sms +48600100200~Hi~there");
  EXPECT_TRUE(PumpUntil(inboxShown, 10000));

  // A second start from the same executable ends at once; the first keeps
  // the link.
  {
    TLabProcess second;
    ASSERT_TRUE(second.Start(copy.Exe));
    EXPECT_EQ(second.WaitExit(20000), 0);
  }
  EXPECT_TRUE(app.Running());
  answer = wire->sim.Ask("getip");
  EXPECT_EQ(answer.rfind("+GETIP:", 0), 0u) << answer;

  // The end of the session ends it and keeps the phone's address.
  EXPECT_EQ(SendMessageW(main, WM_QUERYENDSESSION, 0, 0), 1);
  EXPECT_EQ(app.WaitExit(20000), 0);
  EXPECT_EQ(copy.Setting(L"", L"last_remote_ip"), String(L"10.77.0.1"));
}

TEST_F(PhoneLink, HeartbeatsGoOnThroughSilenceAndTheLinkComesBack) {
  TProgramCopy copy(L"VantrelSilence");
  TLabProcess app;
  ASSERT_TRUE(app.Start(copy.Exe));
  ASSERT_TRUE(wire->WaitFor("+HEART:"));
  wire->sim.Ask("silent on");
  wire->lines.clear();
  // Without answers the desktop keeps sending heartbeats, and no reply.
  ASSERT_TRUE(PumpUntil(
      [&] {
        wire->Poll();
        return wire->Count("AT+HEART") >= 3;
      },
      20000));
  EXPECT_EQ(wire->Count("+HEART:"), 0);
  wire->sim.Ask("silent off");
  EXPECT_TRUE(wire->WaitFor("+HEART:"));
  HWND main = FindProcessWindow(app.pi.dwProcessId, L"TForm1");
  ASSERT_NE(main, nullptr);
  SendMessageW(main, WM_QUERYENDSESSION, 0, 0);
  EXPECT_EQ(app.WaitExit(20000), 0);
}

TEST_F(PhoneLink, EndingBeforeAnyPhoneAnsweredKeepsTheStoredAddress) {
  TProgramCopy copy(L"VantrelNoPhone");
  ASSERT_TRUE(copy.SetSetting(L"", L"last_remote_ip", L"10.77.0.9"));
  wire->sim.Ask("mute on");
  wire->lines.clear();
  TLabProcess app;
  ASSERT_TRUE(app.Start(copy.Exe));
  // The program runs its link: discovery goes out, nobody answers.
  ASSERT_TRUE(wire->WaitFor("AT+GET_PHONE_IP"));
  HWND main = FindProcessWindow(app.pi.dwProcessId, L"TForm1");
  ASSERT_NE(main, nullptr);
  SendMessageW(main, WM_QUERYENDSESSION, 0, 0);
  EXPECT_EQ(app.WaitExit(20000), 0);
  wire->sim.Ask("mute off");
  EXPECT_EQ(copy.Setting(L"", L"last_remote_ip"), String(L"10.77.0.9"));
}

}  // namespace
