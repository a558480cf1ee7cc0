// The road of an SMS in the lab network: the program's windows in this
// process, with their phone link, talk to the phone simulator in the phone
// namespace. Input goes to the windows as the user's does (characters and
// clicks through their window procedures); what the program sends is read
// from the simulator's log, and the phone's answers arrive by UDP.
#include <winsock2.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "app/InBoxForm.h"
#include "app/MainForm.h"
#include "app/NewSmsForm.h"
#include "app/OutBoxForm.h"
#include "app/OvTools.h"
#include "app/Program.h"
#include "base/Dialogs.h"
#include "tests/support/Gui.h"
#include "tests/support/Settings.h"
#include "tests/sms/PhoneWire.h"
#include "ui/controls/buttons/AdvGlassButton.h"

namespace {

// Characters typed into a window, one WM_CHAR each, through the message
// loop as the keyboard's would come.
void Type(TWinControl* Control, const String& Text) {
  for (wchar_t c : Text) PostMessageW(Control->Handle(), WM_CHAR, c, 1);
  PumpFor(50);
}

void ClickButton(TWinControl* Button) {
  HWND h = Button->Handle();
  PostMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  PumpFor(50);
}

TListItem* OutRow(int i) { return frmSMSOutBox->ListView1->Items()->Item(i); }

class SmsRoad : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    bool ok = false;
    for (int i = 0; i < 20 && !ok; ++i) Sim()->Ask("ping", &ok, 500, 1);
    simulatorUp = ok;
    for (const char* c : {"mute off", "silent off", "parts auto", "hold off", "fail 0"}) Sim()->Ask(c);
    DeleteProgramSettings();
    SetMessageBoxHook([](const String& text, const String&, UINT) {
      ADD_FAILURE() << "message box: " << WideToAnsi(text);
      return IDOK;
    });
    CreateProgramForms();
  }
  static void TearDownTestSuite() {
    Application->DestroyComponents();
    Application->ResetMainForm();
    Application->ResetTerminated();
    SetMessageBoxHook(nullptr);
    DeleteProgramSettings();
    for (const char* c : {"parts auto", "hold off", "fail 0"}) Sim()->Ask(c);
  }
  void SetUp() override {
    ASSERT_TRUE(simulatorUp) << "the phone simulator does not answer";
    // Linked: the phone found, its phone book in, the heartbeat answered.
    ASSERT_TRUE(PumpUntil([] { return PhonebookReceived && frmNewSMS->LinkButtonsEnabled(); }, 30000))
        << "no link to the phone";
    for (const char* c : {"parts auto", "hold off", "fail 0"}) Sim()->Ask(c);
    if (!frmNewSMS->Visible()) Form1->TrayIcon1Click(nullptr);
    wire.Poll();
    wire.lines.clear();
  }
  static bool simulatorUp;
  TWire wire;
};
bool SmsRoad::simulatorUp = false;

TEST_F(SmsRoad, TheLinkLightsTheButtonsAndBringsThePhoneBook) {
  EXPECT_EQ(RemoteIP, L"10.77.0.1");
  EXPECT_EQ(frmNewSMS->SendColor(), LinkSendColor);
  EXPECT_EQ(frmNewSMS->CallColor(), LinkCallColor);
  EXPECT_EQ(frmNewSMS->HangUpColor(), LinkHangUpColor);
  EXPECT_TRUE(frmNewSMS->btnSend->Enabled());
  EXPECT_TRUE(frmNewSMS->ContactListEnabled());
  EXPECT_EQ(frmNewSMS->ComboBox1->Items()->Count(), 3);
  EXPECT_EQ(frmNewSMS->ContactCount(), 3);
}

TEST_F(SmsRoad, TypedNumberAndTextGoOutExactlyAndTheAnswersFillTheOutBox) {
  frmNewSMS->Edit1->SetText(L"");
  frmNewSMS->ClearSmsText();
  SetCheckedSilently(frmNewSMS->CheckBox1, true);
  Type(frmNewSMS->Edit1, L"555x123");  // the letter is not taken
  Type(frmNewSMS->Memo1, L"Dzie\u0144 dobry,\rpa\u0144stwu");
  ASSERT_EQ(frmNewSMS->Edit1->Text(), L"555123");
  int rows = frmSMSOutBox->ListView1->Items()->Count();
  ClickButton(frmNewSMS->btnSend);
  EXPECT_EQ(frmNewSMS->StatusText(1) == L"sending..." || frmNewSMS->StatusText(1) == L"SMS send OK", true);
  ASSERT_TRUE(wire.WaitFor("AT+SEND_SMS=555123~Dzien dobry,panstwu"));
  EXPECT_EQ(wire.From("AT+SEND_SMS=").size(), 1u);

  // The phone accepts it, sends it and reports its delivery.
  ASSERT_TRUE(PumpUntil([&] { return frmSMSOutBox->ListView1->Items()->Count() == rows + 1; }));
  EXPECT_TRUE(frmSMSOutBox->Visible());
  EXPECT_EQ(frmNewSMS->StatusText(1), L"SMS send OK");
  EXPECT_EQ(frmNewSMS->Memo1->Text(), L"");
  ASSERT_TRUE(PumpUntil([] { return OutRow(0)->ImageIndex() == DeliveredImage; }));
  TStrings* sub = OutRow(0)->SubItems();
  EXPECT_EQ(sub->Strings(obNumber), L"555123");
  EXPECT_EQ(sub->Strings(obBody), L"Dzien dobry,panstwu");
  EXPECT_EQ(sub->Strings(obPartsCnt), L"1");
  EXPECT_EQ(OutRow(0)->StateIndex(), AllSentStateImage);
  EXPECT_EQ(frmSMSOutBox->lbStatus->Caption(), L"Send OK");
  EXPECT_EQ(frmSMSOutBox->lbReport->Caption(), L"DELIVERED");
  SetCheckedSilently(frmNewSMS->CheckBox1, false);
}

TEST_F(SmsRoad, PartsMoveTheIconsOneByOneAndAFailedPartStays) {
  Sim()->Ask("parts 3");
  Sim()->Ask("fail 2 no network");
  Sim()->Ask("hold on");
  frmNewSMS->Edit1->SetText(L"777");
  frmNewSMS->Memo1->SetText(L"three parts");
  ClickButton(frmNewSMS->btnSend);
  ASSERT_TRUE(PumpUntil([] {
    return frmSMSOutBox->ListView1->Items()->Count() > 0 && OutRow(0)->SubItems()->Strings(obNumber) == L"777";
  }));
  TListItem* row = OutRow(0);
  EXPECT_EQ(row->SubItems()->Strings(obPartsCnt), L"3");
  EXPECT_EQ(row->StateIndex(), 0);
  EXPECT_EQ(row->ImageIndex(), FirstPartsImage);
  EXPECT_EQ(frmSMSOutBox->lbStatus->Caption(), L"---");
  String id = row->SubItems()->Strings(obId);
  // The held answers: part 1 sent, part 2 failed, part 3 sent; two reports.
  Sim()->Ask("release");
  ASSERT_TRUE(PumpUntil([&] { return row->SubItems()->Strings(obRpCnt) == L"2"; }));
  EXPECT_EQ(row->StateIndex(), FailedStateImage);
  EXPECT_EQ(row->SubItems()->Strings(obStatus), L"0");
  EXPECT_EQ(row->SubItems()->Strings(obError), L"no network");
  EXPECT_EQ(row->SubItems()->Strings(obStCnt), L"2");
  EXPECT_EQ(row->ImageIndex(), 10);  // 2 / 3 of 12 is 8, plus 2
  EXPECT_EQ(frmSMSOutBox->lbStat->Caption(), L"SEND ERROR:");
  EXPECT_EQ(frmSMSOutBox->lbStatus->Caption(), L"no network");
  EXPECT_EQ(frmSMSOutBox->lbReport->Caption(), L"DELIVERED (partly)");
  // A late report for the same message fills the delivery image.
  Sim()->Ask("raw AT+SMS_DELIVERED_OK=777," + WideToAnsi(id));
  ASSERT_TRUE(PumpUntil([&] { return row->ImageIndex() == LastPartsImage; }));
  EXPECT_EQ(frmSMSOutBox->lbReport->Caption(), L"DELIVERED");
}

TEST_F(SmsRoad, APartCountOfZeroFromThePhoneCountsAsOne) {
  Sim()->Ask("parts 0");
  frmNewSMS->Edit1->SetText(L"888");
  frmNewSMS->Memo1->SetText(L"zero");
  ClickButton(frmNewSMS->btnSend);
  ASSERT_TRUE(PumpUntil([] {
    return frmSMSOutBox->ListView1->Items()->Count() > 0 && OutRow(0)->SubItems()->Strings(obNumber) == L"888" &&
           OutRow(0)->ImageIndex() == DeliveredImage;
  }));
  EXPECT_EQ(OutRow(0)->SubItems()->Strings(obPartsCnt), L"0");
  EXPECT_EQ(OutRow(0)->StateIndex(), AllSentStateImage);
  EXPECT_EQ(frmSMSOutBox->lbStatus->Caption(), L"Send OK");
}

TEST_F(SmsRoad, ThePartCountFollowsTheTyping) {
  Sim()->Ask("parts 2");
  frmNewSMS->ClearSmsText();
  frmNewSMS->SetStatusText(0, L"");
  Type(frmNewSMS->Memo1, L"count me");
  // Half a second after the last change the text goes to the phone, which
  // answers with the count.
  ASSERT_TRUE(wire.WaitFor("AT+ANALYZE_TEXT~count me"));
  ASSERT_TRUE(PumpUntil([] { return frmNewSMS->StatusText(0) == L"chars: 8 / SMS: 2"; }));
  EXPECT_EQ(wire.From("AT+ANALYZE_TEXT~").size(), 1u);
  // A text cleared again counts nothing, without asking the phone.
  frmNewSMS->btnClear->Click();
  ASSERT_TRUE(PumpUntil([] { return frmNewSMS->StatusText(0) == L"chars: 0 / SMS: 0"; }));
  EXPECT_EQ(wire.From("AT+ANALYZE_TEXT~").size(), 1u);
}

TEST_F(SmsRoad, CallHangUpAndRefresh) {
  frmNewSMS->Edit1->SetText(L"600");
  frmNewSMS->Edit1->SetText(L"4 56");
  ClickButton(frmNewSMS->btnCallTo);
  EXPECT_TRUE(wire.WaitFor("AT+CALL=4 56"));
  EXPECT_EQ(frmNewSMS->StatusText(1), L"calling: 4 56");
  ClickButton(frmNewSMS->btnHangUp);
  EXPECT_TRUE(wire.WaitFor("AT+STOP_CALL"));
  EXPECT_EQ(frmNewSMS->StatusText(1), L"Hang Up call");
  // Refresh: the number goes, discovery is broadcast and the phone book
  // comes again a second later.
  frmNewSMS->Image2Click(frmNewSMS->Image2);
  EXPECT_EQ(frmNewSMS->Edit1->Text(), L"");
  EXPECT_EQ(frmNewSMS->StatusText(1), L"querying contacts...");
  EXPECT_TRUE(wire.WaitFor("AT+GET_PHONE_IP"));
  EXPECT_TRUE(wire.WaitFor("AT+GET_CONTACTS"));
  EXPECT_TRUE(PumpUntil([] { return frmNewSMS->StatusText(1) == L"Phonebook received"; }));
  EXPECT_EQ(ContactNumbers->Count(), 3);
}

TEST_F(SmsRoad, TypedDigitsCompleteToAContactsNumber) {
  frmNewSMS->Edit1->SetText(L"");
  Type(frmNewSMS->Edit1, L"600");
  EXPECT_EQ(frmNewSMS->ComboBox1->Text(), L"Ann Lee");
  // Two seconds later the field holds the whole number.
  ASSERT_TRUE(PumpUntil([] { return frmNewSMS->Edit1->Text() == L"+48600100200"; }, 8000));
}

TEST_F(SmsRoad, IncomingSmsLandsInTheInBoxWhileAcceptedAndReplyAddressesTheSender) {
  TListItems* rows = frmSmsInBox->ListView1->Items();
  int before = rows->Count();
  SetCheckedSilently(frmSmsInBox->CheckBox1, true);
  frmNewSMS->Hide();
  Sim()->Ask("sms +48600100200~Hello from Ann");
  ASSERT_TRUE(PumpUntil([&] { return rows->Count() == before + 1; }));
  EXPECT_TRUE(frmSmsInBox->Visible());
  EXPECT_EQ(Form1->LastFlashed(), frmSmsInBox->Handle());
  EXPECT_EQ(rows->Item(0)->SubItems()->Strings(ibName), L"Ann Lee");
  EXPECT_EQ(rows->Item(0)->SubItems()->Strings(ibBody), L"Hello from Ann");
  EXPECT_EQ(frmSmsInBox->Memo1->Text(), L"Hello from Ann");
  EXPECT_EQ(rows->Item(0)->ImageIndex(), UnreadImage);

  // Reply by double click on the row.
  frmSmsInBox->ListView1->SetItemIndex(0);
  frmSmsInBox->ListView1->DblClick();
  EXPECT_TRUE(frmNewSMS->Visible());
  EXPECT_EQ(frmNewSMS->Edit1->Text(), L"+48600100200");
  EXPECT_EQ(frmNewSMS->ActiveControl(), frmNewSMS->Memo1);
  EXPECT_EQ(rows->Item(0)->ImageIndex(), ReadImage);

  // With the option off the text goes to the main window's log.
  frmSmsInBox->CheckBox1->SetChecked(false);
  Sim()->Ask("sms 456~Not for the in-box");
  ASSERT_TRUE(PumpUntil([] { return Form1->Memo1->Text() == L"AT+NEWSMS=456~Not for the in-box"; }));
  EXPECT_EQ(rows->Count(), before + 1);
  frmSmsInBox->CheckBox1->SetChecked(true);
}

}  // namespace
