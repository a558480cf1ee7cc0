// The SMS windows driven through their own operations, without the main
// window (so without the phone link): the out-box's status rules and icons,
// the in-box, the new-SMS window's text, contact search and patterns, and
// the pattern editor. Timers are ticked by hand.
#include <gtest/gtest.h>

#include "app/InBoxForm.h"
#include "app/MainForm.h"
#include "app/NewSmsForm.h"
#include "app/OutBoxForm.h"
#include "app/OvTools.h"
#include "app/PatternForm.h"
#include "base/Clipboard.h"
#include "base/Dialogs.h"
#include "base/Shell.h"
#include "tests/support/Gui.h"
#include "tests/sms/SmsForms.h"
#include "tests/support/Settings.h"
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/controls/menus/AdvMenus.h"

namespace {

// A Boolean setting of this program as stored (a 32-bit number), -1 when
// absent.
long BoolSetting(const wchar_t* Name) {
  DWORD value = 0, size = sizeof(value);
  if (RegGetValueW(HKEY_CURRENT_USER, ProgramSettingsKey().c_str(), Name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS)
    return -1;
  return static_cast<long>(value);
}

// The four SMS windows, made once for the whole run as the program makes
// them (the first form of the application is a stand-in main window).
class SmsWindows : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    CreateSmsWindows();
    // The out-box is on the screen whenever the user selects in it.
    frmSMSOutBox->Show();
  }
  static void TearDownTestSuite() { DestroySmsWindows(); }
  void SetUp() override {
    ContactNames->Clear();
    ContactNumbers->Clear();
    frmSMSOutBox->ClearClick(nullptr);
    frmSmsInBox->ClearClick(nullptr);
  }
  static void Book(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> entries) {
    ContactNames->Clear();
    ContactNumbers->Clear();
    for (auto& e : entries) {
      ContactNames->Add(e.first);
      ContactNumbers->Add(e.second);
    }
  }
};

// ---------------------------------------------------------------------------
// Out-box

using OutBox = SmsWindows;

TListItem* OutRow(int i) { return frmSMSOutBox->ListView1->Items()->Item(i); }
String OutSub(int i, int sub) { return OutRow(i)->SubItems()->Strings(sub); }

TEST_F(OutBox, ANewMessageGoesOnTopWithItsInitialValues) {
  Book({{L"Ann", L"600100200"}});
  frmSMSOutBox->AddSMS(L"+48600100200", L"Hello", L"7", L"2");
  frmSMSOutBox->AddSMS(L"555", L"Second", L"8", L"1");
  ASSERT_EQ(frmSMSOutBox->ListView1->Items()->Count(), 2);
  std::vector<String> top, below;
  for (int i = 0; i < obSubItemCount; ++i) {
    top.push_back(OutSub(0, i));
    below.push_back(OutSub(1, i));
  }
  EXPECT_EQ(top, (std::vector<String>{L"1", L"555", L"", L"Second", L"", L"0", L"8", L"", L"0", L"0"}));
  EXPECT_EQ(below, (std::vector<String>{L"2", L"+48600100200", L"Ann", L"Hello", L"", L"0", L"7", L"", L"0", L"0"}));
  EXPECT_EQ(OutRow(0)->Caption(), L"");
  EXPECT_EQ(OutRow(0)->ImageIndex(), NotDeliveredImage);
  EXPECT_EQ(OutRow(1)->ImageIndex(), FirstPartsImage);
  EXPECT_EQ(OutRow(0)->StateIndex(), 0);
  EXPECT_EQ(frmSMSOutBox->ListView1->ItemIndex(), 0);
  EXPECT_EQ(frmSMSOutBox->Memo1->Text(), L"Second");
  EXPECT_EQ(frmSMSOutBox->lbStatus->Caption(), L"---");
  EXPECT_EQ(frmSMSOutBox->lbReport->Caption(), L"---");
}

TEST_F(OutBox, OnePartMessageIsSentAndDelivered) {
  frmSMSOutBox->AddSMS(L"123", L"Hi", L"1", L"1");
  frmSMSOutBox->SetSMSStatus(L"123", L"1", L"1", L"");
  EXPECT_EQ(OutRow(0)->StateIndex(), 11);
  EXPECT_EQ(OutSub(0, obStatus), L"1");
  EXPECT_EQ(frmSMSOutBox->lbStatus->Caption(), L"Send OK");
  EXPECT_EQ(frmSMSOutBox->lbStatus->Font()->Color(), OutBoxValueColor);
  EXPECT_EQ(frmSMSOutBox->lbStat->Caption(), L"Status:");
  frmSMSOutBox->SetSMSReport(L"123", L"1");
  EXPECT_EQ(OutRow(0)->ImageIndex(), DeliveredImage);
  EXPECT_EQ(OutSub(0, obDelivered), L"1");
  EXPECT_EQ(OutSub(0, obRpCnt), L"1");
  EXPECT_EQ(frmSMSOutBox->lbReport->Caption(), L"DELIVERED");
}

TEST_F(OutBox, SeveralPartsMoveTheIconsByTheirShare) {
  struct {
    const wchar_t* parts;
    int statuses, reports, state, image;
    const wchar_t *status, *report;
  } cases[] = {
      {L"3", 2, 1, 7, 6, L"Send (partly)", L"DELIVERED (partly)"},
      {L"3", 3, 3, 11, 14, L"Send OK", L"DELIVERED"},
      {L"2", 1, 1, 6, 8, L"Send (partly)", L"DELIVERED (partly)"},
      {L"8", 4, 3, 6, 6, L"Send (partly)", L"DELIVERED (partly)"},
      {L"x", 1, 1, 11, 1, L"Send OK", L"DELIVERED"},  // not a number: one part
  };
  for (auto& c : cases) {
    frmSMSOutBox->AddSMS(L"42", L"text", L"9", c.parts);
    for (int i = 0; i < c.statuses; ++i) frmSMSOutBox->SetSMSStatus(L"42", L"9", L"1", L"");
    for (int i = 0; i < c.reports; ++i) frmSMSOutBox->SetSMSReport(L"42", L"9");
    EXPECT_EQ(OutRow(0)->StateIndex(), c.state) << WideToAnsi(c.parts);
    EXPECT_EQ(OutRow(0)->ImageIndex(), c.image) << WideToAnsi(c.parts);
    EXPECT_EQ(frmSMSOutBox->lbStatus->Caption(), c.status) << WideToAnsi(c.parts);
    EXPECT_EQ(frmSMSOutBox->lbReport->Caption(), c.report) << WideToAnsi(c.parts);
    frmSMSOutBox->ClearClick(nullptr);
  }
}

TEST_F(OutBox, AFailedPartShowsInRedWhenTheRowIsSelected) {
  frmSMSOutBox->AddSMS(L"123", L"first", L"1", L"2");
  frmSMSOutBox->AddSMS(L"456", L"second", L"2", L"1");
  frmSMSOutBox->SetSMSStatus(L"456", L"2", L"1", L"");
  ASSERT_EQ(frmSMSOutBox->lbStatus->Caption(), L"Send OK");
  frmSMSOutBox->SetSMSStatus(L"123", L"1", L"0", L"no network");
  EXPECT_EQ(OutRow(1)->StateIndex(), FailedStateImage);
  EXPECT_EQ(OutSub(1, obStatus), L"0");
  EXPECT_EQ(OutSub(1, obError), L"no network");
  // Not refreshed until the row is selected.
  EXPECT_EQ(frmSMSOutBox->lbStatus->Caption(), L"Send OK");
  frmSMSOutBox->ListView1->SetItemIndex(1);
  EXPECT_EQ(frmSMSOutBox->Memo1->Text(), L"first");
  EXPECT_EQ(frmSMSOutBox->lbStat->Caption(), L"SEND ERROR:");
  EXPECT_EQ(frmSMSOutBox->lbStatus->Caption(), L"no network");
  EXPECT_EQ(frmSMSOutBox->lbStat->Font()->Color(), OutBoxErrorColor);
  EXPECT_EQ(frmSMSOutBox->lbStatus->Font()->Color(), OutBoxErrorColor);
  // Back to the other row: its own words, in the usual colours.
  frmSMSOutBox->ListView1->SetItemIndex(0);
  EXPECT_EQ(frmSMSOutBox->lbStat->Caption(), L"Status:");
  EXPECT_EQ(frmSMSOutBox->lbStat->Font()->Color(), OutBoxCaptionColor);
  EXPECT_EQ(frmSMSOutBox->lbStatus->Caption(), L"Send OK");
  EXPECT_EQ(frmSMSOutBox->lbStatus->Font()->Color(), OutBoxValueColor);
}

TEST_F(OutBox, TheLabelsFollowOnlyTheSelectedRow) {
  frmSMSOutBox->AddSMS(L"123", L"fails", L"1", L"2");
  frmSMSOutBox->AddSMS(L"456", L"goes out", L"2", L"2");
  // The selected row fails: its labels say so at once.
  frmSMSOutBox->ListView1->SetItemIndex(1);
  frmSMSOutBox->SetSMSStatus(L"123", L"1", L"0", L"no network");
  EXPECT_EQ(frmSMSOutBox->lbStat->Caption(), L"SEND ERROR:");
  EXPECT_EQ(frmSMSOutBox->lbStatus->Caption(), L"no network");
  // News of the other row leave the failure as it is shown.
  frmSMSOutBox->SetSMSStatus(L"456", L"2", L"1", L"");
  frmSMSOutBox->SetSMSReport(L"456", L"2");
  EXPECT_EQ(frmSMSOutBox->lbStat->Caption(), L"SEND ERROR:");
  EXPECT_EQ(frmSMSOutBox->lbStat->Font()->Color(), OutBoxErrorColor);
  EXPECT_EQ(frmSMSOutBox->lbStatus->Caption(), L"no network");
  EXPECT_EQ(frmSMSOutBox->lbStatus->Font()->Color(), OutBoxErrorColor);
  EXPECT_EQ(frmSMSOutBox->lbReport->Caption(), L"DELIVERED (partly)");
  // The other way round: the failed row's news leave the words of the
  // selected one alone.
  frmSMSOutBox->ListView1->SetItemIndex(0);
  ASSERT_EQ(frmSMSOutBox->lbStatus->Caption(), L"Send (partly)");
  frmSMSOutBox->SetSMSStatus(L"123", L"1", L"1", L"");
  frmSMSOutBox->SetSMSReport(L"123", L"1");
  frmSMSOutBox->SetSMSStatus(L"123", L"1", L"0", L"again");
  EXPECT_EQ(frmSMSOutBox->lbStat->Caption(), L"Status:");
  EXPECT_EQ(frmSMSOutBox->lbStat->Font()->Color(), OutBoxCaptionColor);
  EXPECT_EQ(frmSMSOutBox->lbStatus->Caption(), L"Send (partly)");
  EXPECT_EQ(frmSMSOutBox->lbStatus->Font()->Color(), OutBoxValueColor);
  EXPECT_EQ(frmSMSOutBox->lbReport->Caption(), L"DELIVERED (partly)");
}

TEST_F(OutBox, EveryImageTheFormulasGiveHasAPictureOfItsOwn) {
  TImageList* state = frmSMSOutBox->StatImgList;
  TImageList* delivery = frmSMSOutBox->RepImgList;
  ASSERT_EQ(state->Count(), FailedStateImage + 1);
  ASSERT_EQ(delivery->Count(), LastPartsImage + 1);
  for (int parts : {-1, 0, 1, 2, 3, 7, 11, 12, 25})
    for (int count = 0; count <= Max(parts, 1) + 3; ++count) {
      EXPECT_LT(SentStateImage(count, parts), state->Count()) << parts << " " << count;
      EXPECT_LT(DeliveryImage(count, parts), delivery->Count()) << parts << " " << count;
    }
  // Neighbouring images tell their states apart.
  auto picture = [](TImageList* list, int i) {
    TBitmap bmp;
    EXPECT_TRUE(list->GetBitmap(i, &bmp));
    std::vector<TColor> pixels;
    for (int y = 0; y < bmp.Height(); ++y)
      for (int x = 0; x < bmp.Width(); ++x) pixels.push_back(PixelAt(&bmp, x, y));
    return pixels;
  };
  for (TImageList* list : {state, delivery})
    for (int i = 1; i < list->Count(); ++i) EXPECT_NE(picture(list, i - 1), picture(list, i)) << i;
}

TEST_F(OutBox, ARowThatFailedStaysFailedWhenLaterPartsGoOut) {
  frmSMSOutBox->AddSMS(L"123", L"three parts", L"1", L"3");
  frmSMSOutBox->SetSMSStatus(L"123", L"1", L"1", L"");
  frmSMSOutBox->SetSMSStatus(L"123", L"1", L"0", L"part 2 rejected");
  frmSMSOutBox->SetSMSStatus(L"123", L"1", L"1", L"");
  EXPECT_EQ(OutRow(0)->StateIndex(), FailedStateImage);
  EXPECT_EQ(OutSub(0, obStatus), L"0");
  EXPECT_EQ(OutSub(0, obError), L"part 2 rejected");
  // The parts that went out are still counted.
  EXPECT_EQ(OutSub(0, obStCnt), L"2");
  // The selected row shows the failure, not "Send (partly)".
  EXPECT_EQ(frmSMSOutBox->lbStat->Caption(), L"SEND ERROR:");
  EXPECT_EQ(frmSMSOutBox->lbStatus->Caption(), L"part 2 rejected");
}

TEST_F(OutBox, APartCountOfZeroCountsAsOnePart) {
  frmSMSOutBox->AddSMS(L"123", L"zero", L"1", L"0");
  EXPECT_EQ(OutRow(0)->ImageIndex(), NotDeliveredImage);
  frmSMSOutBox->SetSMSStatus(L"123", L"1", L"1", L"");
  frmSMSOutBox->SetSMSReport(L"123", L"1");
  EXPECT_EQ(OutRow(0)->StateIndex(), 11);
  EXPECT_EQ(OutRow(0)->ImageIndex(), DeliveredImage);
  EXPECT_EQ(frmSMSOutBox->lbStatus->Caption(), L"Send OK");
  EXPECT_EQ(frmSMSOutBox->lbReport->Caption(), L"DELIVERED");
}

TEST_F(OutBox, RepeatedStatusesOfALongMessageNeverShowTheFailedImage) {
  frmSMSOutBox->AddSMS(L"123", L"long", L"1", L"10");
  for (int i = 0; i < 10; ++i) frmSMSOutBox->SetSMSStatus(L"123", L"1", L"1", L"");
  EXPECT_EQ(OutRow(0)->StateIndex(), 11);
  // The phone repeats a status: still all sent, not failed.
  frmSMSOutBox->SetSMSStatus(L"123", L"1", L"1", L"");
  frmSMSOutBox->SetSMSStatus(L"123", L"1", L"1", L"");
  EXPECT_EQ(OutRow(0)->StateIndex(), 11);
  EXPECT_EQ(OutSub(0, obStatus), L"12");
  EXPECT_EQ(frmSMSOutBox->lbStatus->Caption(), L"Send OK");
}

TEST_F(OutBox, CommandsFindTheNewestRowByNumberAndIdExactly) {
  frmSMSOutBox->AddSMS(L"123", L"older", L"5", L"1");
  frmSMSOutBox->AddSMS(L"123", L"newer", L"5", L"1");
  frmSMSOutBox->SetSMSStatus(L"123", L"5", L"1", L"");
  frmSMSOutBox->SetSMSReport(L"123", L"5");
  EXPECT_EQ(OutRow(0)->StateIndex(), 11);
  EXPECT_EQ(OutRow(1)->StateIndex(), 0);
  EXPECT_EQ(OutRow(1)->ImageIndex(), NotDeliveredImage);
  // No such number, no such id, or only a part of them: nothing changes.
  frmSMSOutBox->SetSMSStatus(L"124", L"5", L"0", L"x");
  frmSMSOutBox->SetSMSStatus(L"123", L"55", L"0", L"x");
  frmSMSOutBox->SetSMSReport(L"12", L"5");
  EXPECT_EQ(OutSub(1, obStatus), L"");
  EXPECT_EQ(OutSub(0, obStatus), L"1");
  EXPECT_EQ(OutSub(0, obRpCnt), L"1");
  EXPECT_EQ(OutSub(1, obRpCnt), L"0");
}

TEST_F(OutBox, SelectingARowWithoutNewsReadsPartlyAndClearEmptiesTheList) {
  frmSMSOutBox->AddSMS(L"1", L"a", L"1", L"1");
  frmSMSOutBox->AddSMS(L"2", L"b", L"2", L"1");
  frmSMSOutBox->ListView1->SetItemIndex(1);
  EXPECT_EQ(frmSMSOutBox->Memo1->Text(), L"a");
  EXPECT_EQ(frmSMSOutBox->lbStatus->Caption(), L"Send (partly)");
  EXPECT_EQ(frmSMSOutBox->lbReport->Caption(), L"DELIVERED (partly)");
  frmSMSOutBox->ClearClick(nullptr);
  EXPECT_EQ(frmSMSOutBox->ListView1->Items()->Count(), 0);
  EXPECT_EQ(frmSMSOutBox->Memo1->Text(), L"");
  // Commands for rows that are gone change nothing.
  frmSMSOutBox->SetSMSStatus(L"1", L"1", L"1", L"");
  EXPECT_EQ(frmSMSOutBox->ListView1->Items()->Count(), 0);
}

// ---------------------------------------------------------------------------
// In-box

using InBox = SmsWindows;

TListItem* InRow(int i) { return frmSmsInBox->ListView1->Items()->Item(i); }
String InSub(int i, int sub) { return InRow(i)->SubItems()->Strings(sub); }

TEST_F(InBox, NewMessagesGoOnTopWithTheSendersName) {
  Book({{L"Ann", L"+48600100200"}, {L"Bob", L"601300400"}});
  struct {
    const wchar_t* number;
    const wchar_t* name;
  } cases[] = {
      {L"+48600100200", L"Ann"},
      {L"600100200", L""},     // stored with its code, received without
      {L"+48601300400", L"Bob"},
      {L"999", L""},
  };
  for (auto& c : cases) {
    frmSmsInBox->AddSMS(c.number, String(L"from ") + c.number);
    EXPECT_EQ(InSub(0, ibNumber), c.number);
    EXPECT_EQ(InSub(0, ibName), c.name) << WideToAnsi(c.number);
    EXPECT_EQ(InSub(0, ibBody), String(L"from ") + c.number);
    EXPECT_EQ(InRow(0)->Caption(), L"");
    EXPECT_EQ(InRow(0)->ImageIndex(), UnreadImage);
    EXPECT_EQ(frmSmsInBox->ListView1->ItemIndex(), 0);
    EXPECT_EQ(frmSmsInBox->Memo1->Text(), String(L"from ") + c.number);
  }
  // Adding never marks older ones read.
  for (int i = 0; i < 4; ++i) EXPECT_EQ(InRow(i)->ImageIndex(), UnreadImage);
}

TEST_F(InBox, AClickShowsTheSelectedMessageAndMarksItRead) {
  frmSmsInBox->AddSMS(L"1", L"one");
  frmSmsInBox->AddSMS(L"2", L"two");
  frmSmsInBox->ListView1->SetItemIndex(1);
  frmSmsInBox->ListView1Click(frmSmsInBox->ListView1);
  EXPECT_EQ(frmSmsInBox->Memo1->Text(), L"one");
  EXPECT_EQ(InRow(1)->ImageIndex(), ReadImage);
  EXPECT_EQ(InRow(0)->ImageIndex(), UnreadImage);
  // Without a selection a click does nothing.
  frmSmsInBox->ListView1->SetItemIndex(-1);
  frmSmsInBox->ListView1Click(frmSmsInBox->ListView1);
  EXPECT_EQ(frmSmsInBox->Memo1->Text(), L"one");
}

TEST_F(InBox, ReplyOpensTheNewSmsWindowForTheSender) {
  frmSmsInBox->AddSMS(L"48123", L"call me");
  frmNewSMS->Memo1->SetColor(clWhite);
  frmSmsInBox->ReplyToSelected();
  EXPECT_TRUE(frmNewSMS->Visible());
  EXPECT_EQ(frmNewSMS->WindowState(), TWindowState::wsNormal);
  EXPECT_EQ(frmNewSMS->Edit1->Text(), L"48123");
  EXPECT_EQ(frmNewSMS->ActiveControl(), frmNewSMS->Memo1);
  EXPECT_EQ(frmNewSMS->Memo1->Color(), FocusedTextColor);
  EXPECT_EQ(InRow(0)->ImageIndex(), ReadImage);
  frmNewSMS->Hide();
  // "Reply" is offered only for a selected message.
  frmSmsInBox->PopupMenu1->OnPopup(frmSmsInBox->PopupMenu1);
  EXPECT_TRUE(frmSmsInBox->miReply->Enabled());
  frmSmsInBox->ListView1->SetItemIndex(-1);
  frmSmsInBox->PopupMenu1->OnPopup(frmSmsInBox->PopupMenu1);
  EXPECT_FALSE(frmSmsInBox->miReply->Enabled());
  frmNewSMS->Edit1->SetText(L"");
  frmSmsInBox->ReplyToSelected();
  EXPECT_FALSE(frmNewSMS->Visible());
  EXPECT_EQ(frmNewSMS->Edit1->Text(), L"");
}

TEST_F(InBox, TheMenuCarriesReplyAndClear) {
  TMenuItem* items = frmSmsInBox->PopupMenu1->Items();
  ASSERT_EQ(items->Count(), 3);
  EXPECT_EQ(items->Items(0)->Caption(), L"Reply");
  EXPECT_EQ(items->Items(0)->ImageIndex(), ReplyImage);
  EXPECT_EQ(items->Items(1)->Caption(), L"-");
  EXPECT_EQ(items->Items(2)->Caption(), L"Clear");
  frmSmsInBox->AddSMS(L"1", L"x");
  items->Items(2)->Click();
  EXPECT_EQ(frmSmsInBox->ListView1->Items()->Count(), 0);
  EXPECT_EQ(frmSmsInBox->Memo1->Text(), L"");
}

TEST_F(InBox, SplitHeightAndAcceptOptionAreStored) {
  frmSmsInBox->Show();
  frmSmsInBox->Splitter1->MoveBy(-30);
  int height = frmSmsInBox->Panel1->Height();
  EXPECT_EQ(height, 150);
  // The splitter leaves the panel at least 105 pixels.
  frmSmsInBox->Splitter1->MoveBy(200);
  EXPECT_EQ(frmSmsInBox->Panel1->Height(), 105);
  frmSmsInBox->Close();
  EXPECT_FALSE(frmSmsInBox->Visible());
  EXPECT_EQ(ReadProgramSetting(L"", L"inbox_split"), L"105");
  EXPECT_NE(ReadProgramSetting(L"\\frmSmsInBox", L"Left"), L"<absent>");
  frmSmsInBox->CheckBox1->SetChecked(false);
  EXPECT_EQ(BoolSetting(L"accept_inc_mess"), 0);
  frmSmsInBox->CheckBox1->SetChecked(true);
}

TEST_F(InBox, RowsOfBothBoxesAlternateTheirBackgrounds) {
  for (int i = 0; i < 3; ++i) {
    frmSmsInBox->AddSMS(IntToStr(i), L"body");
    frmSMSOutBox->AddSMS(IntToStr(i), L"body", IntToStr(i), L"1");
  }
  struct {
    TForm* form;
    TAdvListView* list;
    TColor odd;
  } cases[] = {{frmSmsInBox, frmSmsInBox->ListView1, 0xC1FFFF}, {frmSMSOutBox, frmSMSOutBox->ListView1, 0xEAFFF4}};
  for (auto& c : cases) {
    c.list->SetItemIndex(-1);
    c.form->Show();
    std::unique_ptr<TBitmap> bmp(PaintToBitmap(c.list));
    for (int i = 0; i < 3; ++i) {
      TRect r = c.list->Items()->Item(i)->DisplayRect(TDisplayCode::drBounds);
      EXPECT_EQ(PixelAt(bmp.get(), r.right - 10, (r.top + r.bottom) / 2), i % 2 ? c.odd : clWhite)
          << WideToAnsi(c.form->Caption()) << " row " << i;
    }
  }
  frmSmsInBox->Hide();
}

// ---------------------------------------------------------------------------
// New SMS: text and count

using NewSms = SmsWindows;

TEST_F(NewSms, TheTextIsSentWithoutLineBreaksAndPolishLettersOnRequest) {
  frmNewSMS->CheckBox1->SetChecked(false);
  frmNewSMS->Memo1->SetText(L"Hi\r\nthere");
  EXPECT_EQ(frmNewSMS->GetSmsText(), L"Hithere");
  frmNewSMS->ShowSmsInfo(L"1");
  EXPECT_EQ(frmNewSMS->StatusText(0), L"chars: 7 / SMS: 1");
  frmNewSMS->Memo1->SetText(L"Zażółć");
  frmNewSMS->CheckBox1->SetChecked(true);
  EXPECT_EQ(frmNewSMS->GetSmsText(), L"Zazolc");
  frmNewSMS->ShowSmsInfo(L"2");
  EXPECT_EQ(frmNewSMS->StatusText(0), L"chars: 6 / SMS: 2");
  frmNewSMS->CheckBox1->SetChecked(false);
}

TEST_F(NewSms, NoMoreThan1024CharactersCanBeTyped) {
  frmNewSMS->ClearSmsText();
  HWND memo = frmNewSMS->Memo1->Handle();
  for (int i = 0; i < 1030; ++i) SendMessageW(memo, WM_CHAR, L'a' + i % 26, 1);
  EXPECT_EQ(frmNewSMS->Memo1->Text().size(), 1024u);
  EXPECT_EQ(frmNewSMS->GetSmsText().size(), 1024u);
  frmNewSMS->ClearSmsText();
  frmNewSMS->Timer4->SetEnabled(false);
}

TEST_F(NewSms, EditingRestartsTheAnalysisAndABlankTextCountsNothing) {
  frmNewSMS->Timer4->SetEnabled(false);
  frmNewSMS->Memo1->SetColor(AttentionColor);
  frmNewSMS->Memo1->SetText(L"abc");
  EXPECT_TRUE(frmNewSMS->Timer4->Enabled());
  EXPECT_EQ(frmNewSMS->Memo1->Color(), clWhite);
  frmNewSMS->ShowSmsInfo(L"1");
  frmNewSMS->btnClearClick(frmNewSMS->btnClear);
  EXPECT_EQ(frmNewSMS->Memo1->Text(), L"");
  frmNewSMS->Timer4->Tick();
  EXPECT_FALSE(frmNewSMS->Timer4->Enabled());
  EXPECT_EQ(frmNewSMS->StatusText(0), L"chars: 0 / SMS: 0");
  // Ticking the box asks again.
  frmNewSMS->CheckBox1->SetChecked(true);
  EXPECT_TRUE(frmNewSMS->Timer4->Enabled());
  frmNewSMS->Timer4->SetEnabled(false);
  frmNewSMS->CheckBox1->SetChecked(false);
  frmNewSMS->Timer4->SetEnabled(false);
}

TEST_F(NewSms, SendWantsANumberAndAText) {
  frmNewSMS->SetStatusText(1, L"");
  frmNewSMS->Edit1->SetText(L"  ");
  frmNewSMS->Memo1->SetText(L"text");
  frmNewSMS->btnSendClick(nullptr);
  EXPECT_EQ(frmNewSMS->Edit1->Color(), AttentionColor);
  EXPECT_EQ(frmNewSMS->StatusText(1), L"");
  frmNewSMS->Edit1->SetText(L"123");
  frmNewSMS->Memo1->SetText(L"  \r\n ");
  frmNewSMS->btnSendClick(nullptr);
  EXPECT_EQ(frmNewSMS->Memo1->Color(), AttentionColor);
  EXPECT_EQ(frmNewSMS->StatusText(1), L"");
  // The call wants a number too; hanging up clears the colour.
  frmNewSMS->Edit1->SetText(L"");
  frmNewSMS->btnCallToClick(nullptr);
  EXPECT_EQ(frmNewSMS->Edit1->Color(), AttentionColor);
  frmNewSMS->btnHangUpClick(nullptr);
  EXPECT_EQ(frmNewSMS->Edit1->Color(), clWhite);
  EXPECT_EQ(frmNewSMS->StatusText(1), L"Hang Up call");
}

TEST_F(NewSms, PressingAButtonMovesItByOnePixel) {
  frmNewSMS->Show();
  TAdvGlowButton* b = frmNewSMS->btnClear;
  int left = b->Left(), top = b->Top();
  b->OnMouseDown(b, TMouseButton::mbLeft, {}, 1, 1);
  EXPECT_EQ(b->Left(), left + 1);
  EXPECT_EQ(b->Top(), top + 1);
  b->OnMouseUp(b, TMouseButton::mbLeft, {}, 1, 1);
  EXPECT_EQ(b->Left(), left);
  EXPECT_EQ(b->Top(), top);
  // The refresh picture, a windowless control, through its parent's mouse.
  TImage* img = frmNewSMS->Image2;
  left = img->Left();
  HWND parent = frmNewSMS->pnlTop->Handle();
  SendMessageW(parent, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(img->Left() + 3, img->Top() + 3));
  EXPECT_EQ(img->Left(), left + 1);
  SendMessageW(parent, WM_LBUTTONUP, 0, MAKELPARAM(img->Left() + 3, img->Top() + 3));
  EXPECT_EQ(img->Left(), left);
  frmNewSMS->Hide();
}

TEST_F(NewSms, OptionsAreStoredAndTheWebLinkOpensThePage) {
  frmNewSMS->CheckBox2->SetChecked(true);
  EXPECT_EQ(BoolSetting(L"add_clipboard_text"), 1);
  frmNewSMS->CheckBox2->SetChecked(false);
  EXPECT_EQ(BoolSetting(L"add_clipboard_text"), 0);
  frmNewSMS->CheckBox3->SetChecked(true);
  EXPECT_EQ(BoolSetting(L"allways_on_top"), 1);
  EXPECT_TRUE(GetWindowLongW(frmNewSMS->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  frmNewSMS->CheckBox3->SetChecked(false);
  EXPECT_FALSE(GetWindowLongW(frmNewSMS->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(BoolSetting(L"allways_on_top"), 0);

  frmNewSMS->lbWeb->OnMouseEnter(frmNewSMS->lbWeb);
  EXPECT_EQ(frmNewSMS->lbWeb->Font()->Color(), 0xFF0000);
  EXPECT_TRUE(frmNewSMS->lbWeb->Font()->Style().Contains(TFontStyle::fsUnderline));
  frmNewSMS->lbWeb->OnMouseLeave(frmNewSMS->lbWeb);
  EXPECT_EQ(frmNewSMS->lbWeb->Font()->Color(), 0xFF8000);
  EXPECT_FALSE(frmNewSMS->lbWeb->Font()->Style().Contains(TFontStyle::fsUnderline));
  std::vector<String> opened;
  SetShellExecuteHook([&](HWND, const String& verb, const String& file, const String&, const String&, int show) {
    opened.push_back(verb + L" " + file + L" " + IntToStr(show));
    return INT_PTR(33);
  });
  frmNewSMS->lbWeb->Click();
  SetShellExecuteHook(nullptr);
  EXPECT_EQ(opened, std::vector<String>{L"open " + String(ProductWebPage) + L" " + IntToStr(SW_SHOWNORMAL)});
}

TEST_F(NewSms, TheAfterCreateStepRunsOnceAndLeavesTheWindowNotTopmost) {
  // The step was posted at creation.
  PumpUntil([] { return frmNewSMS->UpdateChecked; }, 2000);
  EXPECT_TRUE(frmNewSMS->UpdateChecked);
  EXPECT_FALSE(frmNewSMS->UpdateAvailable);
  EXPECT_FALSE(GetWindowLongW(frmNewSMS->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  // Without a newer version, clicks on the update notice do nothing.
  frmNewSMS->StatusBar1PanelClick(nullptr, 2);
  frmNewSMS->OvFormSR1->SaveRegINI(L"allways_on_top", true);
  SendMessageW(frmNewSMS->Handle(), WM_AFTER_CREATE, 0, 0);
  EXPECT_TRUE(GetWindowLongW(frmNewSMS->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  frmNewSMS->OvFormSR1->SaveRegINI(L"allways_on_top", false);
  SendMessageW(frmNewSMS->Handle(), WM_AFTER_CREATE, 0, 0);
  EXPECT_FALSE(GetWindowLongW(frmNewSMS->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// ---------------------------------------------------------------------------
// New SMS: contact search and number completion

using Contacts = SmsWindows;

void LoadBook() {
  ContactNames->Clear();
  ContactNumbers->Clear();
  for (auto& e : {std::pair{L"Ann Lee", L"+48600100200"}, std::pair{L"Bob", L"4567"}, std::pair{L"Bobby", L"456"},
                  std::pair{L"Cyd", L"601300400"}}) {
    ContactNames->Add(e.first);
    ContactNumbers->Add(e.second);
  }
  frmNewSMS->LoadContacts(ContactNames, -1);
  frmNewSMS->Edit1->SetText(L"");
  frmNewSMS->Edit2->SetText(L"");
  for (TTimer* t : {frmNewSMS->Timer1, frmNewSMS->Timer2, frmNewSMS->Timer3}) t->SetEnabled(false);
}

TEST_F(Contacts, TypedDigitsSelectAContactAndTwoSecondsLaterCompleteTheNumber) {
  LoadBook();
  EXPECT_TRUE(frmNewSMS->ContactListEnabled());
  frmNewSMS->Edit1->SetColor(AttentionColor);
  frmNewSMS->Edit1->SetText(L"48");
  EXPECT_EQ(frmNewSMS->SelectedContact(), 0);
  EXPECT_EQ(frmNewSMS->Timer1->Tag(), 1);
  EXPECT_EQ(frmNewSMS->Edit1->Color(), clWhite);
  EXPECT_TRUE(frmNewSMS->Timer3->Enabled());
  frmNewSMS->Timer3->Tick();
  EXPECT_EQ(frmNewSMS->Edit1->Text(), L"+48600100200");
  EXPECT_EQ(frmNewSMS->Edit1->SelLength(), 12);
  EXPECT_EQ(frmNewSMS->SelectedContact(), 0);
  // The completed number finds its contact again; the next tick changes
  // nothing and the completion ends.
  frmNewSMS->Timer3->Tick();
  EXPECT_FALSE(frmNewSMS->Timer3->Enabled());
  EXPECT_EQ(frmNewSMS->Edit1->Text(), L"+48600100200");
  // A country code finds a contact stored without it.
  frmNewSMS->Edit1->SetText(L"+48601300");
  EXPECT_EQ(frmNewSMS->SelectedContact(), 3);
  // Nothing found: no contact, no completion.
  frmNewSMS->Edit1->SetText(L"999");
  EXPECT_EQ(frmNewSMS->SelectedContact(), -1);
  EXPECT_EQ(frmNewSMS->ComboBox1->Text(), L"");
  EXPECT_FALSE(frmNewSMS->Timer3->Enabled());
}

TEST_F(Contacts, OnlyDigitsAreTypedButPastedTextIsTaken) {
  LoadBook();
  frmNewSMS->Show();
  HWND edit = frmNewSMS->Edit1->Handle();
  for (wchar_t c : String(L"4a5+ 6")) SendMessageW(edit, WM_CHAR, c, 1);
  EXPECT_EQ(frmNewSMS->Edit1->Text(), L"456");
  SendMessageW(edit, WM_CHAR, 8, 1);
  EXPECT_EQ(frmNewSMS->Edit1->Text(), L"45");
  Clipboard()->SetAsText(L"+48 phone");
  frmNewSMS->Edit1->DblClick();
  EXPECT_EQ(frmNewSMS->Edit1->Text(), L"+48 phone");
  // A click selects the whole number.
  frmNewSMS->Edit1->SetSelStart(3);
  ASSERT_EQ(frmNewSMS->Edit1->SelLength(), 0);
  frmNewSMS->Edit1->Click();
  EXPECT_EQ(frmNewSMS->Edit1->SelStart(), 0);
  EXPECT_EQ(frmNewSMS->Edit1->SelLength(), 9);
  // Editing marks the number as the user's until the focus leaves it.
  frmNewSMS->Edit1->SetFocus();
  SendMessageW(edit, WM_CHAR, L'7', 1);
  EXPECT_EQ(frmNewSMS->Timer1->Tag(), 1);
  frmNewSMS->Edit2->SetFocus();
  EXPECT_EQ(frmNewSMS->Timer1->Tag(), 0);
  frmNewSMS->Hide();
}

TEST_F(Contacts, APickedContactKeepsItsOwnNumber) {
  LoadBook();
  frmNewSMS->Show();
  // Bobby's number 456 is contained in Bob's 4567, which comes first.
  frmNewSMS->ComboBox1->SetItemIndex(1);
  SendMessageW(frmNewSMS->ComboBox1->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  ASSERT_EQ(frmNewSMS->SelectedContact(), 2);
  EXPECT_EQ(frmNewSMS->Edit1->Text(), L"456");
  EXPECT_EQ(frmNewSMS->SelectedContact(), 2);
  frmNewSMS->Timer3->Tick();
  EXPECT_EQ(frmNewSMS->Edit1->Text(), L"456");
  // A double click takes the number too and goes on to the text.
  frmNewSMS->ComboBox1->SetItemIndex(3);
  frmNewSMS->ComboBox1->DblClick();
  EXPECT_EQ(frmNewSMS->Edit1->Text(), L"601300400");
  EXPECT_EQ(frmNewSMS->ActiveControl(), frmNewSMS->Memo1);
  frmNewSMS->Hide();
}

TEST_F(Contacts, AFoundNameFillsTheNumberAndTheSearchClearsLater) {
  LoadBook();
  frmNewSMS->Edit2->SetText(L"cy");
  EXPECT_EQ(frmNewSMS->SelectedContact(), 3);
  EXPECT_EQ(frmNewSMS->Edit1->Text(), L"601300400");
  EXPECT_TRUE(frmNewSMS->Timer2->Enabled());
  frmNewSMS->Timer2->Tick();
  EXPECT_EQ(frmNewSMS->Edit2->Text(), L"");
  EXPECT_EQ(frmNewSMS->Edit1->Text(), L"601300400");
}

TEST_F(Contacts, AFailedSearchTurnsTheListRedAndIsUndoneUnlessTheNumberIsEdited) {
  LoadBook();
  frmNewSMS->Edit1->SetText(L"123");
  frmNewSMS->Edit2->SetText(L"zz");
  EXPECT_EQ(frmNewSMS->ComboBox1->Color(), AttentionColor);
  EXPECT_EQ(frmNewSMS->Timer1->Tag(), 0);
  EXPECT_TRUE(frmNewSMS->Timer1->Enabled());
  frmNewSMS->Timer1->Tick();
  EXPECT_EQ(frmNewSMS->Edit1->Text(), L"");
  EXPECT_EQ(frmNewSMS->Edit2->Text(), L"");
  EXPECT_EQ(frmNewSMS->ComboBox1->Color(), clWhite);
  // The user edits the number meanwhile: it stays.
  frmNewSMS->Edit2->SetText(L"zz");
  frmNewSMS->Edit1->SetText(L"77");
  frmNewSMS->Timer1->Tick();
  EXPECT_EQ(frmNewSMS->Edit1->Text(), L"77");
  EXPECT_EQ(frmNewSMS->Edit2->Text(), L"zz");
}

TEST_F(Contacts, AnEmptyPhoneBookLeavesTheListDisabledAndShowDecidesTheFocus) {
  ContactNames->Clear();
  ContactNumbers->Clear();
  frmNewSMS->LoadContacts(ContactNames, -1);
  EXPECT_FALSE(frmNewSMS->ContactListEnabled());
  frmNewSMS->Edit2->SetText(L"a");
  EXPECT_EQ(frmNewSMS->ComboBox1->Color(), AttentionColor);
  frmNewSMS->Edit2->SetText(L"");
  frmNewSMS->Show();
  EXPECT_EQ(frmNewSMS->ActiveControl(), frmNewSMS->Edit1);
  frmNewSMS->Hide();
  LoadBook();
  frmNewSMS->Show();
  EXPECT_EQ(frmNewSMS->ActiveControl(), frmNewSMS->Edit2);
  frmNewSMS->Hide();
  frmNewSMS->SetContactCount(4);
  EXPECT_EQ(frmNewSMS->lbContactsCount->Caption(), L"4");
}

// ---------------------------------------------------------------------------
// Patterns

using Patterns = SmsWindows;

// Runs the editor as its menu item does, and Act inside its modal loop.
void EditPattern(TMenuItem* Item, std::function<void()> Act) {
  TTimer t(nullptr);
  t.SetInterval(10);
  t.SetOnTimer([&](TObject*) {
    t.SetEnabled(false);
    Act();
  });
  Item->Click();
  t.SetEnabled(false);
}

TEST_F(Patterns, TheEditorStoresTitleAndTextAndCancelStoresNothing) {
  String caption, title, text;
  int nr = 0;
  EditPattern(frmNewSMS->SetPattern2, [&] {
    caption = frmSetPattern->Caption();
    title = frmSetPattern->Edit1->Text();
    nr = frmSetPattern->pat_nr;
    frmSetPattern->Edit1->SetText(L"   ");
    frmSetPattern->Memo1->SetText(L"Call me\r\nlater");
    frmSetPattern->AdvGlowButton1->Click();
  });
  EXPECT_EQ(caption, L"Set Pattern 2");
  EXPECT_EQ(title, L"Pattern2");
  EXPECT_EQ(nr, 2);
  EXPECT_FALSE(frmSetPattern->Visible());
  EXPECT_EQ(ReadProgramSetting(L"", L"pat2_title"), L"Pattern2");
  EXPECT_EQ(ReadProgramSetting(L"", L"pat2_text"), L"Call me later");
  EXPECT_EQ(frmNewSMS->PatternTitle(2), L"Pattern2");

  EditPattern(frmNewSMS->SetPattern1, [&] {
    frmSetPattern->Edit1->SetText(L" Home ");
    frmSetPattern->Memo1->SetText(L"On my way");
    frmSetPattern->AdvGlowButton1->Click();
  });
  EXPECT_EQ(ReadProgramSetting(L"", L"pat1_title"), L"Home");
  EXPECT_EQ(frmNewSMS->btnPattern1->Caption(), L"Home");

  EditPattern(frmNewSMS->SetPattern1, [&] {
    text = frmSetPattern->Memo1->Text();
    frmSetPattern->Edit1->SetText(L"Changed");
    frmSetPattern->btnClear->Click();
  });
  EXPECT_EQ(text, L"On my way");
  EXPECT_EQ(ReadProgramSetting(L"", L"pat1_title"), L"Home");
  EXPECT_EQ(frmNewSMS->PatternTitle(1), L"Home");
}

TEST_F(Patterns, AClickPutsThePatternAndOptionallyTheClipboardIntoTheText) {
  frmNewSMS->OvFormSR1->SaveRegINI(L"pat1_text", L"Code: ");
  frmNewSMS->OvFormSR1->SaveRegINI(L"pat2_text", L"");
  Clipboard()->SetAsText(L"4711");
  frmNewSMS->Show();
  frmNewSMS->Memo1->SetText(L"old");
  SetCheckedSilently(frmNewSMS->CheckBox2, false);
  frmNewSMS->btnPattern1->Click();
  EXPECT_EQ(frmNewSMS->Memo1->Text(), L"Code: ");
  EXPECT_EQ(frmNewSMS->Memo1->SelStart(), 6);
  EXPECT_EQ(frmNewSMS->ActiveControl(), frmNewSMS->Memo1);
  SetCheckedSilently(frmNewSMS->CheckBox2, true);
  frmNewSMS->btnPattern1->Click();
  EXPECT_EQ(frmNewSMS->Memo1->Text(), L"Code: 4711");
  // An empty pattern does nothing, clipboard or not.
  frmNewSMS->btnPattern2->Click();
  EXPECT_EQ(frmNewSMS->Memo1->Text(), L"Code: 4711");
  SetCheckedSilently(frmNewSMS->CheckBox2, false);
  frmNewSMS->Hide();
}

TEST_F(Patterns, TitlesAndTheClipboardOptionAreReadAtCreation) {
  frmNewSMS->OvFormSR1->SaveRegINI(L"pat1_title", L"Work");
  frmNewSMS->OvFormSR1->SaveRegINI(L"add_clipboard_text", true);
  auto* second = new TfrmNewSMS(nullptr);
  EXPECT_EQ(second->PatternTitle(1), L"Work");
  EXPECT_EQ(second->PatternTitle(2), L"Pattern2");
  EXPECT_TRUE(second->CheckBox2->Checked());
  EXPECT_EQ(second->SetPattern1->Caption(), L"Set Pattern 1");
  EXPECT_EQ(second->SetPattern1->ImageIndex(), 6);
  EXPECT_EQ(second->btnPattern1->DropDownMenu(), second->AdvPopupMenu1);
  second->Free();
  frmNewSMS->OvFormSR1->SaveRegINI(L"add_clipboard_text", false);
}

}  // namespace
