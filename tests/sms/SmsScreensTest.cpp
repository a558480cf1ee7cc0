// Pictures of the SMS windows as the screen shows them, with some content,
// saved as PNG files to <build>/screens/ for a person to look at. Each
// picture is also checked for the window's own colours where the layout
// puts them.
#include <gtest/gtest.h>

#include "app/InBoxForm.h"
#include "app/MainForm.h"
#include "app/NewSmsForm.h"
#include "app/OutBoxForm.h"
#include "app/PatternForm.h"
#include "app/SmsImages.h"
#include "base/Dialogs.h"
#include "base/FileStreams.h"
#include "tests/support/Gui.h"
#include "tests/sms/SmsForms.h"
#include "tests/support/Screens.h"
#include "tests/support/Settings.h"

namespace {

// What the screen shows of the window, after it has painted.
std::unique_ptr<TBitmap> Capture(TCustomForm* Form) { return CaptureWindow(Form); }

// Saves the picture.
void Save(TBitmap* Bmp, const wchar_t* Name) {
  EXPECT_TRUE(SaveScreenshot(Bmp, Name)) << WideToAnsi(ScreensFolder() + L"\\" + Name);
}

TColor At(TBitmap* Bmp, const TPoint& P) { return PixelAt(Bmp, P.x, P.y); }

class Screens : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    CreateSmsWindows();
    for (auto& e : {std::pair{L"Ann Lee", L"+48600100200"}, std::pair{L"Bob", L"456"}}) {
      ContactNames->Add(e.first);
      ContactNumbers->Add(e.second);
    }
  }
  static void TearDownTestSuite() { DestroySmsWindows(); }
};

TEST_F(Screens, NewSmsWindow) {
  TfrmNewSMS* f = frmNewSMS;
  f->SetBounds(10, 10, f->Width(), f->Height());
  f->Show();
  f->LoadContacts(ContactNames, 0);
  f->SetContactCount(2);
  f->Edit1->SetText(L"+48600100200");
  f->Memo1->SetText(L"Hello Ann,\r\nsee you at six.");
  f->SetSendColor(LinkSendColor);
  f->SetCallColor(LinkCallColor);
  f->SetHangUpColor(LinkHangUpColor);
  f->SetLinkButtonsEnabled(true);
  f->ShowSmsInfo(L"1");
  f->SetStatusText(1, L"Phonebook received");
  auto bmp = Capture(f);
  Save(bmp.get(), L"new_sms.png");
  // The window's own background beside the text, the text field white.
  EXPECT_EQ(At(bmp.get(), InPicture(f, f->pnlText, 4, 60)), 0xF7F7F7);
  EXPECT_EQ(At(bmp.get(), InPicture(f, f->Memo1, f->Memo1->ClientWidth() - 30, f->Memo1->ClientHeight() - 10)), clWhite);
  f->Hide();
}

TEST_F(Screens, InBox) {
  TfrmSmsInBox* f = frmSmsInBox;
  f->SetBounds(40, 40, f->Width(), f->Height());
  f->Show();
  f->AddSMS(L"456", L"Are we still on for tonight?");
  f->AddSMS(L"+48600100200", L"Your code is 4711");
  f->AddSMS(L"999", L"Unknown sender here");
  f->ListView1->SetItemIndex(1);
  f->ListView1Click(f->ListView1);
  auto bmp = Capture(f);
  Save(bmp.get(), L"in_box.png");
  EXPECT_EQ(At(bmp.get(), InPicture(f, f->Panel2, f->Panel2->Width() - 120, 3)), 0xF7F7F7);
  EXPECT_EQ(At(bmp.get(), InPicture(f, f->Memo1, f->Memo1->ClientWidth() - 30, f->Memo1->ClientHeight() - 5)),
            0xC1FFFF);
  f->Hide();
}

TEST_F(Screens, OutBox) {
  TfrmSMSOutBox* f = frmSMSOutBox;
  f->SetBounds(70, 70, f->Width(), f->Height());
  f->Show();
  f->AddSMS(L"456", L"Delivered in full", L"1", L"1");
  f->SetSMSStatus(L"456", L"1", L"1", L"");
  f->SetSMSReport(L"456", L"1");
  f->AddSMS(L"+48600100200", L"Three parts, two sent", L"2", L"3");
  f->SetSMSStatus(L"+48600100200", L"2", L"1", L"");
  f->SetSMSStatus(L"+48600100200", L"2", L"1", L"");
  f->SetSMSReport(L"+48600100200", L"2");
  f->AddSMS(L"777", L"This one failed", L"3", L"1");
  f->SetSMSStatus(L"777", L"3", L"0", L"no network");
  f->ListView1->SetItemIndex(0);
  auto bmp = Capture(f);
  Save(bmp.get(), L"out_box.png");
  EXPECT_EQ(At(bmp.get(), InPicture(f, f->Memo1, f->Memo1->ClientWidth() - 30, f->Memo1->ClientHeight() - 5)),
            0xF2FFF5);
  f->Hide();
}

TEST_F(Screens, PatternEditor) {
  std::unique_ptr<TBitmap> bmp;
  TTimer t(nullptr);
  t.SetInterval(10);
  t.SetOnTimer([&](TObject*) {
    t.SetEnabled(false);
    frmSetPattern->Edit1->SetText(L"Home");
    frmSetPattern->Memo1->SetText(L"On my way home,\r\nsee you soon.");
    bmp = Capture(frmSetPattern);
    frmSetPattern->btnClearClick(nullptr);
  });
  frmNewSMS->SetPattern1->Click();
  ASSERT_TRUE(bmp);
  Save(bmp.get(), L"pattern_editor.png");
  EXPECT_EQ(At(bmp.get(), InPicture(frmSetPattern, frmSetPattern->Memo1, frmSetPattern->Memo1->ClientWidth() - 20,
                                    frmSetPattern->Memo1->ClientHeight() - 5)),
            clWhite);
}

}  // namespace
