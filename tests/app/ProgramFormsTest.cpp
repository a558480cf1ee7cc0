#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/InBoxForm.h"
#include "app/MainForm.h"
#include "app/NewSmsForm.h"
#include "app/OutBoxForm.h"
#include "app/OvTools.h"
#include "app/PatternForm.h"
#include "app/Program.h"
#include "ui/controls/buttons/AdvGlassButton.h"
#include "app/OutBoxStatus.h"
#include "base/Dialogs.h"
#include "base/ExtCtrls.h"
#include "base/Registry.h"
#include "tests/support/Gui.h"
#include "tests/support/Settings.h"

namespace {

// Builds the program's five windows as the entry point does and takes them
// down again; any message box fails the test.
struct ProgramForms : ::testing::Test {
  std::vector<String> boxes;
  void SetUp() override {
    DeleteProgramSettings();
    SetMessageBoxHook([this](const String& text, const String&, UINT) {
      boxes.push_back(text);
      return IDOK;
    });
    ASSERT_EQ(Application->MainForm(), nullptr);
  }
  void TearDown() override {
    Application->DestroyComponents();
    Form1 = nullptr;
    frmNewSMS = nullptr;
    frmSmsInBox = nullptr;
    frmSetPattern = nullptr;
    frmSMSOutBox = nullptr;
    Application->ResetTerminated();
    SetMessageBoxHook(nullptr);
    EXPECT_TRUE(boxes.empty()) << WideToAnsi(boxes.empty() ? L"" : boxes.front());
    DeleteProgramSettings();
  }
};

TEST_F(ProgramForms, FiveWindowsAreCreatedInOrderAndTheFirstIsMain) {
  CreateProgramForms();
  ASSERT_EQ(Screen->FormCount(), 5);
  std::vector<String> names;
  for (int i = 0; i < Screen->FormCount(); ++i) names.push_back(Screen->Forms(i)->ClassName());
  EXPECT_EQ(names, (std::vector<String>{L"TForm1", L"TfrmNewSMS", L"TfrmSmsInBox", L"TfrmSetPattern",
                                        L"TfrmSMSOutBox"}));
  EXPECT_EQ(Application->MainForm(), Form1);
  EXPECT_EQ(Form1->Name(), L"Form1");
  EXPECT_EQ(frmNewSMS->Name(), L"frmNewSMS");
  EXPECT_EQ(frmSmsInBox->Name(), L"frmSmsInBox");
  EXPECT_EQ(frmSMSOutBox->Name(), L"frmSMSOutBox");
  // None is visible before the message loop runs.
  for (int i = 0; i < Screen->FormCount(); ++i) EXPECT_FALSE(Screen->Forms(i)->Visible());
}

TEST_F(ProgramForms, HiddenWindowsGetTheirControlsAndPicturesWhenFirstShown) {
  CreateProgramForms();
  // At start the hidden windows have no control windows and no pictures.
  EXPECT_FALSE(frmSmsInBox->ListView1->HandleAllocated());
  EXPECT_FALSE(frmSMSOutBox->ListView1->HandleAllocated());
  EXPECT_FALSE(frmNewSMS->Memo1->HandleAllocated());
  EXPECT_EQ(frmSmsInBox->ImageList1->Count(), 0);
  EXPECT_EQ(frmSmsInBox->Image1->Picture()->Graphic(), nullptr);
  EXPECT_EQ(frmSMSOutBox->StatImgList->Count(), 0);
  EXPECT_EQ(frmSMSOutBox->RepImgList->Count(), 0);
  EXPECT_TRUE(frmNewSMS->btnCallTo->Picture()->Empty());
  // What reaches a hidden window is kept and shows with its pictures.
  frmSmsInBox->AddSMS(L"+48600100200", L"first");
  frmSMSOutBox->AddSMS(L"+48600100200", L"second", L"7", L"1");
  frmSmsInBox->ShowNoActivate();
  frmSMSOutBox->ShowNoActivate();
  frmNewSMS->Show();
  for (TSmsBoxForm* box : std::initializer_list<TSmsBoxForm*>{frmSmsInBox, frmSMSOutBox}) {
    ASSERT_TRUE(box->ListView1->HandleAllocated());
    EXPECT_EQ(ListView_GetItemCount(box->ListView1->Handle()), 1);
    EXPECT_NE(box->Image1->Picture()->Graphic(), nullptr);
  }
  EXPECT_EQ(frmSmsInBox->ListView1->Items()->Item(0)->ImageIndex(), UnreadImage);
  EXPECT_GT(frmSmsInBox->ImageList1->Count(), UnreadImage);
  EXPECT_EQ(frmSMSOutBox->StatImgList->Count(), FailedStateImage + 1);
  EXPECT_EQ(frmSMSOutBox->RepImgList->Count(), LastPartsImage + 1);
  EXPECT_TRUE(frmNewSMS->Memo1->HandleAllocated());
  EXPECT_FALSE(frmNewSMS->btnCallTo->Picture()->Empty());
  EXPECT_FALSE(frmNewSMS->btnHangUp->Picture()->Empty());
  EXPECT_NE(frmNewSMS->Image2->Picture()->Graphic(), nullptr);
  // Shown again, nothing is drawn twice.
  frmSmsInBox->Hide();
  int images = frmSmsInBox->ImageList1->Count();
  frmSmsInBox->ShowNoActivate();
  EXPECT_EQ(frmSmsInBox->ImageList1->Count(), images);
}

TEST_F(ProgramForms, TheMainWindowsPicturesAndControlsWaitUntilTheyAreSeen) {
  CreateProgramForms();
  EXPECT_EQ(Form1->Image1->Picture()->Graphic(), nullptr);
  EXPECT_EQ(Form1->ImageList1->Count(), 0);
  // The show at start is minimized and answered by hiding the window: it
  // loads nothing and makes no window for the controls.
  Form1->Show();
  EXPECT_FALSE(Form1->Edit1->HandleAllocated());
  EXPECT_FALSE(Form1->Memo1->HandleAllocated());
  Application->ProcessMessages();
  ASSERT_TRUE(Form1->FirstShowDone);
  EXPECT_FALSE(Form1->Visible());
  EXPECT_EQ(Form1->Image1->Picture()->Graphic(), nullptr);
  // After the start the controls get their windows, unseen, with what was
  // written to them meanwhile.
  Form1->Memo1->SetText(L"a line");
  EXPECT_TRUE(PumpUntil([] { return Form1->Memo1->HandleAllocated() && Form1->Edit1->HandleAllocated(); }));
  EXPECT_FALSE(IsWindowVisible(Form1->Memo1->Handle()));
  EXPECT_NE(Form1->Memo1->Text().find(L"a line"), String::npos);
  wchar_t text[64] = L"";
  GetWindowTextW(Form1->Memo1->Handle(), text, 64);
  EXPECT_NE(std::wstring(text).find(L"a line"), std::wstring::npos);
  // A pattern menu of the new-SMS window opening draws the menus' pictures,
  // which the tray menu then shares.
  ASSERT_TRUE(frmNewSMS->AdvPopupMenu1->OnPopup);
  frmNewSMS->AdvPopupMenu1->OnPopup(frmNewSMS->AdvPopupMenu1);
  EXPECT_EQ(Form1->ImageList1->Count(), 9);
  ASSERT_TRUE(Form1->PopupMenu1->OnPopup);
  Form1->PopupMenu1->OnPopup(Form1->PopupMenu1);
  EXPECT_EQ(Form1->ImageList1->Count(), 9);
  // "Show main window" shows the product picture.
  Form1->ShowMainWindow(nullptr);
  EXPECT_TRUE(Form1->Visible());
  ASSERT_TRUE(Form1->Memo1->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(Form1->Memo1->Handle()));
  EXPECT_TRUE(IsWindowVisible(Form1->Edit1->Handle()));
  TGraphic* picture = Form1->Image1->Picture()->Graphic();
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Width(), 128);
}

TEST_F(ProgramForms, ThreeWindowsHaveTaskbarButtonsOfTheirOwnAndTheMainWindowOwnsThem) {
  CreateProgramForms();
  HWND main = Form1->Handle();
  EXPECT_EQ(GetWindow(main, GW_OWNER), nullptr);
  EXPECT_FALSE(GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  struct {
    TCustomForm* form;
    bool appWindow;
  } cases[] = {{frmNewSMS, true}, {frmSmsInBox, true}, {frmSMSOutBox, true}, {frmSetPattern, false}};
  for (auto& c : cases) {
    HWND h = c.form->Handle();
    EXPECT_EQ((GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0, c.appWindow)
        << WideToAnsi(c.form->ClassName());
    EXPECT_EQ(GetWindow(h, GW_OWNER), main) << WideToAnsi(c.form->ClassName());
  }
}

TEST_F(ProgramForms, WindowsCarryTheirStoredLooks) {
  CreateProgramForms();
  String version = GetExeVersionText();
  EXPECT_EQ(frmNewSMS->Caption(), L"Vantrel - NEW SMS   ver: " + version);
  EXPECT_EQ(Form1->Caption(), L"Vantrel   ver: " + version);
  EXPECT_EQ(frmSmsInBox->Caption(), L"Vantrel InBox");
  EXPECT_EQ(frmSMSOutBox->Caption(), L"Vantrel Out Box");
  EXPECT_EQ(frmSetPattern->Caption(), L"Set Pattern");
  struct {
    TCustomForm* form;
    int w, h;
  } sizes[] = {{Form1, 385, 145}, {frmNewSMS, 500, 308}, {frmSmsInBox, 357, 298}, {frmSetPattern, 392, 249},
               {frmSMSOutBox, 357, 298}};
  for (auto& s : sizes) {
    // The stored client size, unless the minimum window size asks for more
    // (window frames differ between systems).
    TCustomForm* f = s.form;
    f->HandleNeeded();
    int frameW = f->Width() - f->ClientWidth(), frameH = f->Height() - f->ClientHeight();
    EXPECT_EQ(f->ClientWidth(), Max(s.w, f->Constraints()->MinWidth() - frameW)) << WideToAnsi(f->ClassName());
    EXPECT_EQ(f->ClientHeight(), Max(s.h, f->Constraints()->MinHeight() - frameH)) << WideToAnsi(f->ClassName());
  }
  EXPECT_EQ(frmNewSMS->Constraints()->MinWidth(), 515);
  EXPECT_EQ(frmSmsInBox->Constraints()->MinHeight(), 330);
  EXPECT_EQ(frmSMSOutBox->Constraints()->MinWidth(), 373);
  EXPECT_EQ(Form1->Color(), clWhite);
  EXPECT_EQ(Form1->WindowState(), TWindowState::wsMinimized);
  LONG_PTR style = GetWindowLongPtrW(Form1->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  LONG_PTR newStyle = GetWindowLongPtrW(frmNewSMS->Handle(), GWL_STYLE);
  EXPECT_TRUE(newStyle & WS_MINIMIZEBOX);
  EXPECT_FALSE(newStyle & WS_MAXIMIZEBOX);
  EXPECT_EQ(frmSetPattern->Position(), TPosition::poScreenCenter);
}

TEST_F(ProgramForms, InBoxReadsAndSavesItsSettings) {
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(L"\\" + ProgramSettingsKey(), true));
    reg.WriteString(L"inbox_split", L"150");
    reg.WriteBool(L"accept_inc_mess", false);
  }
  CreateProgramForms();
  EXPECT_EQ(frmSmsInBox->Panel1->Height(), 150);
  EXPECT_FALSE(frmSmsInBox->CheckBox1->Checked());
  frmSmsInBox->CheckBox1->SetChecked(true);  // as a click would
  TRegistry reg(KEY_READ);
  ASSERT_TRUE(reg.OpenKeyReadOnly(L"\\" + ProgramSettingsKey()));
  EXPECT_TRUE(reg.ReadBool(L"accept_inc_mess"));
  frmSmsInBox->Show();
  frmSmsInBox->Panel1->SetHeight(130);
  frmSmsInBox->Close();
  EXPECT_FALSE(frmSmsInBox->Visible());
  EXPECT_EQ(ReadProgramSetting(L"", L"inbox_split"), L"130");
  EXPECT_NE(ReadProgramSetting(L"\\frmSmsInBox", L"Left"), L"<absent>");
}

TEST_F(ProgramForms, InBoxDefaultsOnFirstRun) {
  CreateProgramForms();
  EXPECT_EQ(frmSmsInBox->Panel1->Height(), 120);
  EXPECT_TRUE(frmSmsInBox->CheckBox1->Checked());
  EXPECT_EQ(ReadProgramSetting(L"", L"accept_inc_mess"), L"<absent>");  // read silently, nothing written
}

// Watches the main window for any moment it is visible and not minimized.
struct SeenWatch {
  bool Seen = false;
  void Attach(TControl* c) {
    auto saved = c->WindowProc;
    c->WindowProc = [this, c, saved](TMessage& m) {
      saved(m);
      auto* w = static_cast<TWinControl*>(c);
      if (w->HandleAllocated() && IsWindowVisible(w->Handle()) && !IsIconic(w->Handle())) Seen = true;
    };
  }
};

TEST_F(ProgramForms, TheMainWindowIsNeverSeenAtStartAndExitEndsTheLoop) {
  CreateProgramForms();
  SeenWatch watch;
  watch.Attach(Form1);
  auto* t = new TTimer(Form1);
  t->SetInterval(300);
  bool hiddenBeforeExit = false;
  t->SetOnTimer([&](TObject*) {
    t->SetEnabled(false);
    hiddenBeforeExit = !IsWindowVisible(Form1->Handle()) && !Form1->Visible();
    Form1->ExitProgram();
  });
  Application->Run();
  EXPECT_TRUE(hiddenBeforeExit);
  EXPECT_FALSE(watch.Seen);
  EXPECT_TRUE(Form1->FirstShowDone);
  // The first show restored the position, so the window saves it when it
  // goes; being minimized, it saves its normal place.
  Application->DestroyComponents();
  EXPECT_EQ(ReadProgramSetting(L"\\Form1", L"maximized"), L"1");
  EXPECT_NE(ReadProgramSetting(L"\\Form1", L"Left"), L"<absent>");
}

TEST_F(ProgramForms, ClosingTheMainWindowOnlyHidesItUntilExit) {
  CreateProgramForms();
  Form1->SetWindowState(TWindowState::wsNormal);
  Form1->Show();
  Form1->FirstShowDone = true;
  ASSERT_TRUE(IsWindowVisible(Form1->Handle()));
  SendMessageW(Form1->Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(Form1->Visible());
  EXPECT_FALSE(Application->Terminated());
  PumpFor(50);
  EXPECT_FALSE(Application->Terminated());
  EXPECT_NE(ReadProgramSetting(L"\\Form1", L"Left"), L"<absent>");
}

TEST_F(ProgramForms, EndOfSessionAnswersYesAndEndsTheProgram) {
  CreateProgramForms();
  frmNewSMS->Show();
  frmNewSMS->SetBounds(123, 77, frmNewSMS->Width(), frmNewSMS->Height());
  LRESULT r = SendMessageW(Form1->Handle(), WM_QUERYENDSESSION, 0, 0);
  EXPECT_EQ(r, 1);
  EXPECT_TRUE(Form1->ExitRequested);
  // Closing for good closed the other windows, which saved their places.
  EXPECT_FALSE(frmNewSMS->Visible());
  EXPECT_EQ(ReadProgramSetting(L"\\frmNewSMS", L"Left"), L"123");
  // The program ends: the quit message waits, or the UDP service's stop
  // wait, which handles messages, has already taken it.
  MSG m;
  bool quit = Application->Terminated();
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE))
    if (m.message == WM_QUIT) quit = true;
  EXPECT_TRUE(quit);
}

TEST_F(ProgramForms, SetCheckedSilentlyLeavesTheClickHandlerOut) {
  CreateProgramForms();
  int clicks = 0;
  TCheckBox* box = frmSmsInBox->CheckBox1;
  auto saved = box->OnClick;
  box->OnClick = [&](TObject*) { ++clicks; };
  SetCheckedSilently(box, false);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks, 0);
  box->SetChecked(true);
  EXPECT_EQ(clicks, 1);
  box->OnClick = saved;
}

}  // namespace
