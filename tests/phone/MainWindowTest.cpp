// The main window with the program's five windows in this process, in the
// lab network beside the phone simulator: the dispatcher command by command,
// the link state and its timers (ticked by hand), the tray icon, and the end.
// The simulator stays muted, so that only the test feeds the dispatcher; what
// the program sends is read from the simulator's log.
#include <winsock2.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "app/InBoxForm.h"
#include "app/MainForm.h"
#include "app/NewSmsForm.h"
#include "app/OutBoxForm.h"
#include "app/OvTools.h"
#include "app/PhoneProtocol.h"
#include "app/Program.h"
#include "base/Clipboard.h"
#include "base/DisplayText.h"
#include "base/Registry.h"
#include "tests/support/Gui.h"
#include "tools/phone/SimControl.h"

namespace {

const wchar_t* const kPhone = L"10.77.0.1";

TSimControl* Sim() {
  static TSimControl sim;
  return &sim;
}

// The datagrams the phone got from us since the last call.
std::vector<std::string> WireLog() {
  std::vector<std::string> lines;
  std::string log = Sim()->Ask("log");
  size_t start = 0;
  while (start < log.size()) {
    size_t end = log.find('\n', start);
    if (end == std::string::npos) end = log.size();
    if (end > start) lines.push_back(log.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// Lines read from the phone's log but not waited for yet: reading the log
// empties it, so a line that arrives while another is awaited is kept for
// the next wait instead of being lost.
std::vector<std::string>& UnclaimedLines() {
  static std::vector<std::string> lines;
  return lines;
}

bool WaitOnWire(const std::string& line, DWORD ms = 5000) {
  auto& seen = UnclaimedLines();
  return PumpUntil(
      [&] {
        for (auto& l : WireLog()) seen.push_back(l);
        auto it = std::find(seen.begin(), seen.end(), line);
        if (it == seen.end()) return false;
        seen.erase(it);
        return true;
      },
      ms);
}

String Deliver(const String& text, const String& peer = kPhone) {
  String response;
  Form1->OvUDPS1GetPacketUDP(Form1->OvUDPS1, text, L"", peer, L"43000", response);
  return response;
}

class MainWindow : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    bool ok = false;
    for (int i = 0; i < 20 && !ok; ++i) Sim()->Ask("ping", &ok, 500, 1);
    Sim()->Ask("mute on");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\test_phone_window");
    // An autostart value from before: the menu shows it and leaves it be.
    SetAutostart(L"Vantrel", L"sentinel");
    CreateProgramForms();
  }
  static void TearDownTestSuite() {
    Application->DestroyComponents();
    Application->ResetMainForm();
    Application->ResetTerminated();
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\test_phone_window");
    RemoveAutostart(L"Vantrel");
    Sim()->Ask("mute off");
  }
  void SetUp() override {
    ASSERT_NE(Form1, nullptr);
    for (TTimer* t : {Form1->Timer1, Form1->Timer2, Form1->Timer3, Form1->Timer4}) t->SetEnabled(false);
    PhoneIP.clear();
    RemoteIP.clear();
    Connected = false;
    MissCount = 0;
    PhonebookReceived = false;
    ContactNames->Clear();
    ContactNumbers->Clear();
    frmNewSMS->SetNumberText(L"");
    SetCheckedSilently(frmSmsInBox->CheckBox1, true);
    WireLog();
    UnclaimedLines().clear();
  }
};

TEST_F(MainWindow, TheServiceRunsOnTheLabAddressAndDiscoveryIsBroadcast) {
  EXPECT_EQ(Form1->OvUDPS1->pcIP(), L"10.77.0.2");
  ASSERT_TRUE(PumpUntil([] { return Form1->Panel1->Color() == ServiceActiveColor; }));
  EXPECT_NE(Form1->Memo1->Text().find(L"Local IP: 10.77.0.2"), String::npos);
  EXPECT_EQ(Form1->OvUDPS1->UDPRxPort(), L"43011");
  Form1->Timer2->SetEnabled(true);
  Form1->Timer2->Tick();
  EXPECT_FALSE(Form1->Timer2->Enabled());
  EXPECT_TRUE(WaitOnWire("10.77.0.2:43011 AT+GET_PHONE_IP"));
}

TEST_F(MainWindow, DiscoveryAnswerIsAdoptedOnceAndTheNextHeartbeatMovesTheLink) {
  Deliver(L"AT+PHONE_IP=whatever", L"10.77.0.1");
  EXPECT_EQ(PhoneIP, L"10.77.0.1");
  EXPECT_EQ(RemoteIP, L"10.77.0.1");
  EXPECT_EQ(Form1->OvFormSR1->ReadRegINI(L"last_remote_ip", L""), L"10.77.0.1");
  EXPECT_TRUE(Form1->Timer1->Enabled());
  // The label ends with the bare address after every datagram.
  EXPECT_EQ(Form1->lbPhoneIP->Caption(), L"10.77.0.1");
  Deliver(L"AT+PHONE_IP=", L"10.77.0.5");
  EXPECT_EQ(PhoneIP, L"10.77.0.1");
  EXPECT_EQ(RemoteIP, L"10.77.0.1");
  Deliver(L"+HEART:", L"10.77.0.5");
  EXPECT_EQ(PhoneIP, L"10.77.0.5");
  EXPECT_EQ(RemoteIP, L"10.77.0.5");
}

TEST_F(MainWindow, HeartbeatAnswerLinksAndTheWatchdogCutsAfterFourSilentTicks) {
  EXPECT_EQ(Deliver(L"+HEART:"), L"+HEART:");
  EXPECT_TRUE(Connected);
  EXPECT_TRUE(Form1->Timer4->Enabled());
  EXPECT_EQ(frmNewSMS->SendColor(), LinkSendColor);
  EXPECT_EQ(frmNewSMS->CallColor(), LinkCallColor);
  EXPECT_EQ(frmNewSMS->HangUpColor(), LinkHangUpColor);
  EXPECT_TRUE(frmNewSMS->LinkButtonsEnabled());
  // Any datagram resets the count, so traffic keeps the link.
  for (int i = 0; i < 3; ++i) Form1->Timer4->Tick();
  EXPECT_FALSE(Connected);
  Deliver(L"something else");
  EXPECT_EQ(MissCount, 0);
  for (int i = 0; i < 3; ++i) Form1->Timer4->Tick();
  EXPECT_EQ(frmNewSMS->SendColor(), LinkSendColor);
  EXPECT_TRUE(frmNewSMS->LinkButtonsEnabled());
  Form1->Timer4->Tick();
  EXPECT_EQ(MissCount, 4);
  EXPECT_EQ(frmNewSMS->SendColor(), LinkLostColor);
  EXPECT_EQ(frmNewSMS->CallColor(), LinkLostColor);
  EXPECT_EQ(frmNewSMS->HangUpColor(), LinkLostColor);
  EXPECT_FALSE(frmNewSMS->LinkButtonsEnabled());
  // The next answer brings it back.
  Deliver(L"+HEART:");
  EXPECT_EQ(frmNewSMS->SendColor(), LinkSendColor);
  EXPECT_TRUE(frmNewSMS->LinkButtonsEnabled());
}

TEST_F(MainWindow, HeartbeatTickSendsAndAsksForThePhoneBookUntilItArrives) {
  PhoneIP = kPhone;
  Form1->Timer3->Tick();
  EXPECT_TRUE(Form1->Timer1->Enabled());
  EXPECT_EQ(frmNewSMS->StatusText(1), L"phone querying");
  Form1->Timer1->Tick();
  EXPECT_FALSE(Form1->Timer1->Enabled());
  EXPECT_EQ(frmNewSMS->StatusText(1), L"querying contacts...");
  EXPECT_TRUE(WaitOnWire("10.77.0.2:43011 AT+HEART"));
  EXPECT_TRUE(WaitOnWire("10.77.0.2:43011 AT+GET_CONTACTS"));
  PhonebookReceived = true;
  Form1->Timer3->Tick();
  EXPECT_FALSE(Form1->Timer1->Enabled());
}

TEST_F(MainWindow, PhoneBookIsCollectedAndAContactSelected) {
  ContactNames->Add(L"stale");
  ContactNumbers->Add(L"0");
  Deliver(L"AT+NEW_CONTACTS");
  EXPECT_EQ(ContactNames->Count(), 0);
  Deliver(L"AT+CONTACT=Ann;+4 8 1^Bob;456^");
  Deliver(L"AT+CONTACT=");
  EXPECT_EQ(ContactNames->Text(), L"Ann\r\nBob\r\n");
  EXPECT_EQ(ContactNumbers->Text(), L"+481\r\n456\r\n");
  EXPECT_EQ(frmNewSMS->ContactCount(), 2);
  EXPECT_EQ(RemoteIP, kPhone);
  frmNewSMS->SetNumberText(L"456");
  Deliver(L"AT+CONTACT_END");
  EXPECT_TRUE(PhonebookReceived);
  EXPECT_EQ(frmNewSMS->StatusText(1), L"Phonebook received");
  EXPECT_TRUE(frmNewSMS->ContactListEnabled());
  EXPECT_EQ(frmNewSMS->SelectedContact(), 1);
}

TEST_F(MainWindow, PasscodeIsTypedCopiedShownAndAnnounced) {
  TTypingWindow user;
  ASSERT_TRUE(user.Focus());
  TEdit* edit = user.Edit();
  ASSERT_FALSE(Form1->Visible());
  int balloons = Form1->TrayIcon1->BalloonCount();
  Deliver(L"AT+PASS=  1234 ");
  PumpUntil([&] { return edit->Text().size() >= 4; }, 5000);
  EXPECT_EQ(edit->Text(), L"1234");
  EXPECT_EQ(Clipboard()->AsText(), L"1234");
  EXPECT_EQ(Form1->Edit1->Text(), L"1234");
  EXPECT_EQ(Form1->TrayIcon1->BalloonCount(), balloons + 1);
  EXPECT_EQ(Form1->TrayIcon1->BalloonTitle(), L"SMS Code ( copied to clipboard )");
  EXPECT_EQ(Form1->TrayIcon1->BalloonHint(), L"1234");
  EXPECT_EQ(Form1->TrayIcon1->BalloonTimeout(), 8000);
  // An empty code does nothing.
  Deliver(L"AT+PASS=   ");
  EXPECT_EQ(Clipboard()->AsText(), L"1234");
  EXPECT_EQ(Form1->TrayIcon1->BalloonCount(), balloons + 1);
}

TEST_F(MainWindow, IncomingSmsGoesToTheInBoxOnlyWhileAccepted) {
  TListItems* rows = frmSmsInBox->ListView1->Items();
  int before = rows->Count();
  Deliver(L"AT+NEWSMS=+48600~Hi ~ there");
  ASSERT_EQ(rows->Count(), before + 1);
  EXPECT_EQ(rows->Item(0)->SubItems()->Strings(ibNumber), L"+48600");
  EXPECT_EQ(rows->Item(0)->SubItems()->Strings(ibBody), L"Hi ~ there");
  EXPECT_TRUE(frmSmsInBox->Visible());
  EXPECT_EQ(Form1->LastFlashed(), frmSmsInBox->Handle());
  EXPECT_NE(GetForegroundWindow(), frmSmsInBox->Handle());
  frmSmsInBox->Hide();
  SetCheckedSilently(frmSmsInBox->CheckBox1, false);
  Deliver(L"AT+NEWSMS=+48600~not accepted");
  EXPECT_EQ(rows->Count(), before + 1);
  EXPECT_EQ(Form1->Memo1->Text(), L"AT+NEWSMS=+48600~not accepted");
  EXPECT_FALSE(frmSmsInBox->Visible());
}

TEST_F(MainWindow, SentSmsIsFollowedPartByPartInTheOutBox) {
  Deliver(L"AT+SMS_SEND_OK=123~7~2~Hello~again");
  EXPECT_EQ(frmNewSMS->StatusText(1), L"SMS send OK");
  EXPECT_EQ(frmNewSMS->SendColor(), SentColor);
  EXPECT_TRUE(frmSMSOutBox->Visible());
  TListItems* rows = frmSMSOutBox->ListView1->Items();
  ASSERT_GT(rows->Count(), 0);
  TStrings* row = rows->Item(0)->SubItems();
  EXPECT_EQ(row->Strings(obNumber), L"123");
  EXPECT_EQ(row->Strings(obId), L"7");
  EXPECT_EQ(row->Strings(obPartsCnt), L"2");
  EXPECT_EQ(row->Strings(obBody), L"Hello~again");
  Deliver(L"AT+SMS_SEND_STATUS=123,7,1,");
  Deliver(L"AT+SMS_SEND_STATUS=999,7,1,");
  Deliver(L"AT+SMS_DELIVERED_OK=123,7");
  EXPECT_EQ(row->Strings(obStCnt), L"1");
  EXPECT_EQ(row->Strings(obRpCnt), L"1");
  Deliver(L"AT+SMS_SEND_STATUS=123,7,0,no network, try=later");
  EXPECT_EQ(row->Strings(obStatus), L"0");
  EXPECT_EQ(row->Strings(obError), L"no network, try=later");
  frmSMSOutBox->Hide();
}

TEST_F(MainWindow, PartCountAddressRequestAndUnknownText) {
  Deliver(L"AT+SMS_PARTS_CNT=");
  EXPECT_EQ(frmNewSMS->StatusText(0), L"chars: 0 / SMS: ");
  EXPECT_EQ(Deliver(L"AT+GETIP"), L"+GETIP:10.77.0.2," + Form1->OvUDPS1->pcName());
  EXPECT_FALSE(Form1->OvUDPS1->pcName().empty());
  Deliver(L"hello phone");
  EXPECT_EQ(Form1->Memo1->Text(), L"hello phone");
  EXPECT_EQ(Form1->lbPhoneIP->Caption(), L"");
}

// Whatever a datagram holds, the windows show it made safe and short, and
// keep it whole where they keep it: the in-box and out-box rows, the
// passcode on the clipboard.
TEST_F(MainWindow, HostileTextIsShownSafeAndKeptWhole) {
  // The byte 0x98 (a modifier letter in the ANSI code page) once crashed the
  // log's layout when it started a line.
  Deliver(AnsiToWide("\x98"));
  EXPECT_EQ(Form1->Memo1->Text().find(L"<"), 0u) << "shown as its code";
  Deliver(L"a\tb\x01" + String(65000, L'x'));
  String log = Form1->Memo1->Text();
  EXPECT_EQ(log.rfind(L"a<09>b<01>xxx", 0), 0u);
  EXPECT_LE(log.size(), DisplayTextPanel.MaxChars + 200);
  EXPECT_NE(log.find(L" more characters]"), String::npos);

  String body = String(30000, L'\n') + L"\x02DC" + String(35000, L'\t');
  Deliver(L"AT+NEWSMS=+48600~" + body);
  EXPECT_EQ(frmSmsInBox->ListView1->Items()->Item(0)->SubItems()->Strings(ibBody), body);
  EXPECT_LE(frmSmsInBox->Memo1->Text().size(), DisplayTextPanel.MaxChars + 200);
  frmSmsInBox->Hide();

  String tildes(60000, L'~');
  Deliver(L"AT+SMS_SEND_OK=123~8~1~" + tildes);
  EXPECT_EQ(frmSMSOutBox->ListView1->Items()->Item(0)->SubItems()->Strings(obBody), tildes);
  EXPECT_LE(frmSMSOutBox->Memo1->Text().size(), DisplayTextPanel.MaxChars + 200);
  Deliver(L"AT+SMS_SEND_STATUS=123,8,0," + String(5000, L'\r'));
  EXPECT_EQ(frmSMSOutBox->ListView1->Items()->Item(0)->SubItems()->Strings(obError), String(5000, L'\r'));
  EXPECT_LE(frmSMSOutBox->lbStatus->Caption().size(), DisplaySingleLine.MaxChars + 200);
  frmSMSOutBox->Hide();

  String code = L"9" + String(3000, L'\x02DC') + L"9";
  Deliver(L"AT+PASS=" + code);
  EXPECT_EQ(Clipboard()->AsText(), code);
  // Far too long to be typed (typing it would hold the window thread):
  // copied and shown only.
  {
    TTypingWindow user;
    ASSERT_TRUE(user.Focus());
    TEdit* edit = user.Edit();
    String digits(MaxTypedPasscode + 1, L'7');
    Deliver(L"AT+PASS=" + digits);
    PumpFor(100);
    EXPECT_EQ(edit->Text(), L"");
    EXPECT_EQ(Clipboard()->AsText(), digits);
    Deliver(L"AT+PASS=" + String(MaxTypedPasscode, L'7'));
    EXPECT_TRUE(PumpUntil([&] { return edit->Text().size() == MaxTypedPasscode; }, 5000));
  }
  Deliver(L"AT+PASS=" + code);
  EXPECT_EQ(Form1->Edit1->Text().rfind(L"9<U+02DC>", 0), 0u);
  EXPECT_LE(Form1->Edit1->Text().size(), DisplaySingleLine.MaxChars + 200);
}

TEST_F(MainWindow, TrayClickTogglesTheNewSmsWindowAndClosingOnlyHides) {
  ASSERT_FALSE(frmNewSMS->Visible());
  SendMessageW(Form1->TrayIcon1->Handle(), WM_TRAYICON_CALLBACK, 1, WM_LBUTTONUP);
  EXPECT_TRUE(frmNewSMS->Visible());
  EXPECT_EQ(GetForegroundWindow(), frmNewSMS->Handle());
  EXPECT_FALSE(frmNewSMS->CheckBox3->Checked());
  SendMessageW(Form1->TrayIcon1->Handle(), WM_TRAYICON_CALLBACK, 1, WM_LBUTTONUP);
  EXPECT_FALSE(frmNewSMS->Visible());
  // "allways_on_top" keeps it topmost and ticks the hidden box silently.
  Form1->OvFormSR1->SaveRegINI(L"allways_on_top", true);
  SendMessageW(Form1->TrayIcon1->Handle(), WM_TRAYICON_CALLBACK, 1, WM_LBUTTONUP);
  EXPECT_TRUE(GetWindowLongPtrW(frmNewSMS->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(frmNewSMS->CheckBox3->Checked());
  SendMessageW(Form1->TrayIcon1->Handle(), WM_TRAYICON_CALLBACK, 1, WM_LBUTTONUP);
  Form1->OvFormSR1->SaveRegINI(L"allways_on_top", false);
  SetWindowTopmost(frmNewSMS->Handle(), false, false);

  Form1->ShowMainWindow(Form1);
  EXPECT_TRUE(Form1->Visible());
  Form1->Close();
  EXPECT_FALSE(Form1->Visible());
  EXPECT_TRUE(Form1->OvUDPS1->UDPActive());
}

TEST_F(MainWindow, MenuCommandsBringTheWindowsBack) {
  frmSMSOutBox->Show();
  frmSMSOutBox->SetWindowState(TWindowState::wsMinimized);
  PumpFor(50);
  Form1->OutBoxClick(nullptr);
  PumpFor(50);
  EXPECT_TRUE(frmSMSOutBox->Visible());
  EXPECT_FALSE(IsIconic(frmSMSOutBox->Handle()));
  frmSmsInBox->Hide();
  Form1->InBoxClick(nullptr);
  EXPECT_TRUE(frmSmsInBox->Visible());
  Form1->NewSmsClick(nullptr);
  EXPECT_TRUE(frmNewSMS->Visible());
  Form1->ShowMainWindow(nullptr);
  EXPECT_TRUE(Form1->Visible());
  EXPECT_TRUE(Form1->FirstShowDone);
  PumpFor(50);
  EXPECT_TRUE(Form1->Visible()) << "a later show stays";
  Form1->HideMainWindow(nullptr);
  EXPECT_FALSE(Form1->Visible());
  for (TCustomForm* f : {static_cast<TCustomForm*>(frmSMSOutBox), static_cast<TCustomForm*>(frmSmsInBox),
                         static_cast<TCustomForm*>(frmNewSMS)})
    f->Hide();
}

String AutostartValue() {
  TRegistry reg(KEY_READ);
  if (!reg.OpenKey(AutostartRunKey, false) || !reg.ValueExists(L"Vantrel")) return L"<absent>";
  return reg.ReadString(L"Vantrel");
}

TEST_F(MainWindow, TrayMenuHasItsItemsInOrder) {
  struct {
    const wchar_t* Caption;
    int Image;
  } expected[] = {{L"Vantrel info", 4}, {L"-", -1}, {L"NEW SMS", 0}, {L"SMS OUT BOX", 5}, {L"SMS IN BOX", 8},
                  {L"-", -1}, {L"Show main window", 2}, {L"Hide main window", 3}, {L"-", -1},
                  {L"Start with Windows", -1}, {L"-", -1}, {L"EXIT", 1}};
  TMenuItem* items = Form1->PopupMenu1->Items();
  ASSERT_EQ(items->Count(), static_cast<int>(std::size(expected)));
  for (int i = 0; i < items->Count(); ++i) {
    EXPECT_EQ(items->Items(i)->Caption(), expected[i].Caption) << i;
    EXPECT_EQ(items->Items(i)->ImageIndex(), expected[i].Image) << i;
  }
  // The menu's own popup handler draws its pictures.
  ASSERT_TRUE(Form1->PopupMenu1->OnPopup);
  Form1->PopupMenu1->OnPopup(Form1->PopupMenu1);
  EXPECT_GE(Form1->ImageList1->Count(), 9);
  EXPECT_EQ(Form1->TrayIcon1->PopupMenu(), Form1->PopupMenu1);
  EXPECT_EQ(Form1->PopupMenu1->MenuStyler(), Form1->ofMenuStyler);
  EXPECT_EQ(Form1->ofMenuStyler->Style(), TOfficeStyle::osOffice2003Blue);
  EXPECT_FALSE(Form1->ofMenuStyler->AutoThemeAdapt());
  EXPECT_EQ(Form1->ofMenuStyler->MenuBorderColor(), static_cast<TColor>(0x962D00));
}

TEST_F(MainWindow, RightClickOnTheTrayIconOpensTheMenu) {
  int popups = 0;
  TNotifyEvent own = Form1->PopupMenu1->OnPopup;
  Form1->PopupMenu1->OnPopup = [&](TObject* Sender) {
    ++popups;
    own(Sender);
  };
  // The menu runs modally; a timer closes it.
  UINT_PTR timer = SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
  });
  String reported;
  Application->OnException = [&](TObject*, const Exception& e) { reported = e.Message(); };
  SendMessageW(Form1->TrayIcon1->Handle(), WM_TRAYICON_CALLBACK, 1, WM_RBUTTONUP);
  Application->OnException = nullptr;
  EXPECT_EQ(reported, L"");
  KillTimer(nullptr, timer);
  Form1->PopupMenu1->OnPopup = own;
  EXPECT_EQ(popups, 1);
  EXPECT_GE(Form1->ImageList1->Count(), 9);
  EXPECT_EQ(Form1->PopupMenu1->PopupComponent(), Form1->TrayIcon1);
}

TEST_F(MainWindow, StartWithWindowsFollowsItsCheckMark) {
  // Set at start: checked, and the value was not written again.
  EXPECT_TRUE(Form1->miAutostart->Checked());
  EXPECT_EQ(AutostartValue(), L"sentinel");
  Form1->miAutostart->Click();
  EXPECT_FALSE(Form1->miAutostart->Checked());
  EXPECT_EQ(AutostartValue(), L"<absent>");
  Form1->miAutostart->Click();
  EXPECT_TRUE(Form1->miAutostart->Checked());
  EXPECT_EQ(AutostartValue(), Application->ExeName());
  // While the program itself sets the mark, the click changes nothing.
  Form1->miAutostart->SetTag(1);
  Form1->miAutostart->Click();
  EXPECT_FALSE(Form1->miAutostart->Checked());
  EXPECT_EQ(AutostartValue(), Application->ExeName());
  Form1->miAutostart->SetTag(0);
  RemoveAutostart(L"Vantrel");
}

// Last: the exit ends the service and keeps the phone's address.
TEST_F(MainWindow, ZExitSavesTheAddressAndStopsTheService) {
  RemoteIP = kPhone;
  Form1->OvFormSR1->SaveRegINI(L"last_remote_ip", L"10.77.0.99");
  Form1->ExitProgram();
  EXPECT_TRUE(Form1->ExitRequested);
  EXPECT_EQ(Form1->OvFormSR1->ReadRegINI(L"last_remote_ip", L""), kPhone);
  EXPECT_EQ(Form1->OvUDPS1->UDPThread(), nullptr);
  EXPECT_FALSE(Form1->OvUDPS1->UDPActive());
  EXPECT_EQ(Form1->Panel1->Color(), ServiceInactiveColor);
}

}  // namespace
