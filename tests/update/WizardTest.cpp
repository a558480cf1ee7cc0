// The update wizard and the component's dialogs, driven as the user does
// against the HTTP server. Every wizard page is saved as a picture to
// <build>/screens/.
#include <gtest/gtest.h>

#include "app/SmsImages.h"
#include "base/Button.h"
#include "base/CheckListBox.h"
#include "base/FileStreams.h"
#include "base/FileUtils.h"
#include "base/Menus.h"
#include "base/PageControl.h"
#include "base/RadioButton.h"
#include "base/RichEdit.h"
#include "base/ScrollBox.h"
#include "base/Shell.h"
#include "base/StdCtrls.h"
#include "tests/support/Gui.h"
#include "tests/update/UpdateServers.h"
#include "tests/update/UpdateTestSupport.h"
#include "ui/controls/labels/HTMLabel.h"
#include "update/NetUpdateWizard.h"
#include "update/UpdateDialogs.h"
#include "update/UpdatePictures.h"
#include "update/common/UpdatePaths.h"

namespace {

String ScreensFolder() {
  String dir = BuildFolder() + L"\\screens";
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir + L"\\";
}

// What the screen shows of the window, saved under Name.
void SaveScreen(TCustomForm* Form, const wchar_t* Name) {
  HWND h = Form->Handle();
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpFor(150);
  RECT r;
  GetWindowRect(h, &r);
  TBitmap bmp(r.right - r.left, r.bottom - r.top, TPixelFormat::pf32bit);
  HDC screen = GetDC(nullptr);
  BitBlt(bmp.Canvas()->Handle(), 0, 0, bmp.Width(), bmp.Height(), screen, r.left, r.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  TFileStream out(ScreensFolder() + Name, fmCreate);
  EXPECT_TRUE(SaveBitmapAsPng(&bmp, &out));
}

class Wizard : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Servers().Ready());
    Work = TestWorkFolder(L"wizard");
    U = new TNetUpdate(nullptr);
    U->SetUseWinTempDir(false);
    U->SetTempDirectory(Work);
    U->SetURL(Servers().Http(L"/files/wizard.inf"));
    W = new TNetUpdateWizard(nullptr);
    W->SetNetUpdate(U);
    W->SetCaption(L"Vantrel update");
    DrawUpdateBillboard(W->BillBoard(), 116, 201, L"Vantrel update");
    SetShellExecuteHook([this](HWND, const String& Verb, const String& File, const String& Params, const String&,
                               int) -> INT_PTR {
      Shell.push_back(Verb + L" " + File + L" " + Params);
      return 42;
    });
  }
  void TearDown() override {
    SetShellExecuteHook(nullptr);
    if (W) W->Free();
    if (U) U->Free();
  }
  static TUpdateServers& Servers() { return TUpdateServers::Get(); }
  String Url(const String& Name) { return Servers().Http(L"/files/" + Name); }
  void Control(const String& Text) { Servers().PutFile(L"wizard.inf", Text); }
  // A step that waits for the wizard to show Page.
  static bool On(TTabSheet* TWUWIZ::*Page) {
    TWUWIZ* f = ShowingForm<TWUWIZ>();
    return f && f->PageControl1->ActivePage() == f->*Page;
  }
  // A step: "Get update" on the version page, once the check is done.
  static bool ClickGetUpdate() {
    if (!On(&TWUWIZ::VersionPage)) return false;
    TWUWIZ* f = ShowingForm<TWUWIZ>();
    if (!f->ControlButton->Enabled()) return false;
    f->ControlButton->Click();
    return true;
  }

  String Work;
  TNetUpdate* U = nullptr;
  TNetUpdateWizard* W = nullptr;
  std::vector<String> Shell;
};

const String kNewer = L"[update]\r\nnewversion=9.1\r\nlocalversion=";

TEST_F(Wizard, WithoutComponentItRefuses) {
  W->SetNetUpdate(nullptr);
  try {
    W->Execute(false);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"No NetUpdate component assigned");
  }
}

TEST_F(Wizard, EveryPageFromStartToRestart) {
  Servers().PutFile(L"whatsnew.txt", std::string("Faster start\r\nFewer clicks\r\n"));
  Servers().PutFile(L"eula.txt", std::string("Use it kindly.\r\n"));
  Servers().PutFile(L"core.exe_NEW", std::string(20000, 'c'));
  Servers().PutFile(L"extras.txt", std::string(5000, 'e'));
  Control(kNewer + Fixture(L"versioned_1_2_0_0.exe") +
          L"\r\ndescr=Quicker and smaller\r\n[application]\r\nappupdate=1\r\nappname=app.exe\r\n"
          L"appcomps=core.exe_NEW\r\n[whatsnew]\r\nfile=" + Url(L"whatsnew.txt") + L"\r\n[eula]\r\nfile=" +
          Url(L"eula.txt") + L"\r\n[files]\r\ncount=2\r\n[file1]\r\nurl=" + Url(L"core.exe_NEW") +
          L"\r\ndescr=Program\r\nmandatory=1\r\nfilesize=20000\r\n[file2]\r\nurl=" + Url(L"extras.txt") +
          L"\r\ndescr=Extras\r\ntargetdir={TMP}\\extras\r\nfilesize=5000\r\n");
  bool restarted = false;
  U->OnAppRestart = [&](TObject*, bool& Allow) { restarted = Allow = true; };
  U->OnAppDoClose = [](TObject*) {};
  bool downloadShot = false;
  W->OnFormCreated = [&](TWUWIZ* Form) {
    // The download page as it shows during a download.
    U->OnFileProgress = [Form, &downloadShot](TObject* Sender, const String& File, int Pos, int Size) {
      Form->NetUpdateFileProgress(Sender, File, Pos, Size);
      if (!downloadShot) {
        downloadShot = true;
        SaveScreen(Form, L"update_wizard_5_download.png");
      }
    };
  };
  TModalDriver d;
  TWUWIZ* f = nullptr;
  d.Then([&] {
    f = ShowingForm<TWUWIZ>();
    if (!f || !On(&TWUWIZ::WelcomePage)) return false;
    EXPECT_EQ(f->Caption(), L"Vantrel update");
    EXPECT_EQ(f->WelcomeLabel->Caption(), L"Press start to start checking for available application updates ...");
    SaveScreen(f, L"update_wizard_1_welcome.png");
    f->StartButton->Click();
    return true;
  });
  d.Then([&] {
    EXPECT_TRUE(On(&TWUWIZ::VersionPage));
    EXPECT_EQ(f->VersionInfoLabel->Caption(),
              L"New version found :\rCurrent version : 1.2.0.0\rNew version : 9.1.0.0\r\rQuicker and smaller");
    EXPECT_EQ(f->ControlButton->Caption(), L"Get update");
    SaveScreen(f, L"update_wizard_2_version.png");
    f->ControlButton->Click();
    return true;
  });
  d.Then([&] {
    EXPECT_TRUE(On(&TWUWIZ::WhatsNewPage));
    EXPECT_EQ(f->WhatsNewMemo->Text(), L"Faster start\r\nFewer clicks\r\n");
    SaveScreen(f, L"update_wizard_3_whatsnew.png");
    // "View in Notepad" opens the text from a file of its own.
    EXPECT_EQ(f->ViewinNotepad1->Caption(), L"View in Notepad");
    f->ViewinNotepad1->Click();
    EXPECT_EQ(ReadFileBytes(Work + L"whatsnew.txt"), "Faster start\r\nFewer clicks\r\n");
    EXPECT_EQ(Shell.empty() ? String() : Shell.back(), L"open " + Work + L"whatsnew.txt ");
    f->NewButton->Click();
    return true;
  });
  d.Then([&] {
    EXPECT_TRUE(On(&TWUWIZ::EULAPage));
    EXPECT_FALSE(f->RAccept->Checked());
    EXPECT_FALSE(f->RNoAccept->Checked());
    EXPECT_FALSE(f->EULAButton->Enabled());
    f->RAccept->SetChecked(true);
    EXPECT_TRUE(f->EULAButton->Enabled());
    SaveScreen(f, L"update_wizard_4_licence.png");
    f->EULAButton->Click();
    return true;
  });
  d.Then([&] {
    EXPECT_TRUE(On(&TWUWIZ::FilesPage));
    TCheckListBox* list = f->CheckListBox1;
    EXPECT_EQ(list->Items()->Count(), 2);
    EXPECT_FALSE(list->ItemEnabled(0));
    EXPECT_TRUE(list->Checked(0));
    SaveScreen(f, L"update_wizard_5_components.png");
    f->FilesButton->Click();
    return true;
  });
  d.Then([&] {
    if (!On(&TWUWIZ::CompletedPage)) return false;
    EXPECT_TRUE(f->RestartButton->Enabled());
    EXPECT_EQ(f->RestartButton->Caption(), L"Restart");
    SaveScreen(f, L"update_wizard_6_completed.png");
    f->RestartButton->Click();
    return true;
  });
  W->Execute(false);
  EXPECT_TRUE(d.Done());
  EXPECT_TRUE(downloadShot);
  EXPECT_TRUE(restarted);
  EXPECT_EQ(ReadFileBytes(Work + L"extras\\extras.txt").size(), 5000u);
  EXPECT_TRUE(FileExists(Work + L"core.exe_NEW"));
  // The component keeps the wizard's silence, and gets its own events
  // back (it had none).
  EXPECT_EQ(U->UpdateUpdate(), TNetUpdateUpdate::wuuSilent);
  EXPECT_FALSE(static_cast<bool>(U->OnFileProgress));
  EXPECT_FALSE(static_cast<bool>(U->OnProgressCancel));
  DeleteFileW((UserFolder(TUserFolder::ufDocuments) + L"\\WUPDATE.INI").c_str());
}

TEST_F(Wizard, UntickedOptionalFilesAreNotDownloaded) {
  Servers().PutFile(L"must.txt", std::string("m"));
  Servers().PutFile(L"may.txt", std::string("o"));
  Control(kNewer + Fixture(L"versioned_1_2_0_0.exe") + L"\r\n[files]\r\ncount=2\r\n[file1]\r\nurl=" + Url(L"must.txt") +
          L"\r\ntargetdir={TMP}\\w\r\nmandatory=1\r\n[file2]\r\nurl=" + Url(L"may.txt") + L"\r\ntargetdir={TMP}\\w\r\n");
  W->SetAutoStart(true);
  TModalDriver d;
  d.Then(ClickGetUpdate);
  d.Then([&] {
    if (!On(&TWUWIZ::FilesPage)) return false;
    TWUWIZ* f = ShowingForm<TWUWIZ>();
    TCheckListBox* list = f->CheckListBox1;
    // Without descriptions the items say "Application".
    EXPECT_EQ(list->Items()->Strings(0), L"Application");
    // Clicking a box toggles it, except a mandatory one's.
    for (int i = 0; i < 2; ++i) {
      TRect box = list->CheckRect(i);
      list->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.left + 3, box.top + 3));
      list->Perform(WM_LBUTTONUP, 0, MAKELPARAM(box.left + 3, box.top + 3));
    }
    EXPECT_TRUE(list->Checked(0));
    EXPECT_FALSE(list->Checked(1));
    f->FilesButton->Click();
    return true;
  });
  d.Then([&] {
    if (!On(&TWUWIZ::CompletedPage)) return false;
    TWUWIZ* f = ShowingForm<TWUWIZ>();
    // Nothing to restart: the button exits.
    EXPECT_EQ(f->RestartButton->Caption(), L"Exit");
    EXPECT_EQ(f->Label8->Caption(), L"");
    f->RestartButton->Click();
    return true;
  });
  W->Execute(false);
  EXPECT_TRUE(d.Done());
  EXPECT_TRUE(FileExists(Work + L"w\\must.txt"));
  EXPECT_FALSE(FileExists(Work + L"w\\may.txt"));
}

TEST_F(Wizard, AutoRunWaitsOnlyForTheLicenceChoice) {
  Servers().PutFile(L"eula.txt", std::string("Terms.\r\n"));
  Servers().PutFile(L"auto.txt", std::string("a"));
  Control(kNewer + Fixture(L"versioned_1_2_0_0.exe") + L"\r\n[eula]\r\nfile=" + Url(L"eula.txt") +
          L"\r\n[files]\r\ncount=1\r\n[file1]\r\nurl=" + Url(L"auto.txt") + L"\r\ntargetdir={TMP}\\auto\r\nhidden=1\r\n");
  W->SetAutoStart(true);
  W->SetAutoRun(true);
  TModalDriver d;
  d.Then([&] {
    if (!On(&TWUWIZ::EULAPage)) return false;
    TWUWIZ* f = ShowingForm<TWUWIZ>();
    f->RAccept->SetChecked(true);
    f->EULAButton->Click();
    return true;
  });
  W->Execute(false);
  EXPECT_TRUE(d.Done());
  // All files hidden: downloaded without the components page; AutoRun
  // closed the wizard at the end.
  EXPECT_TRUE(FileExists(Work + L"auto\\auto.txt"));
}

TEST_F(Wizard, NothingNewEndsWithExit) {
  Control(L"[update]\r\nnewversion=1.0\r\nlocalversion=" + Fixture(L"versioned_1_2_0_0.exe") + L"\r\n");
  W->SetLanguage(nullptr);
  TModalDriver d;
  d.Then([&] {
    TWUWIZ* f = ShowingForm<TWUWIZ>();
    if (!f) return false;
    f->StartButton->Click();
    EXPECT_EQ(f->VersionInfoLabel->Caption(), L"No new version available.");
    EXPECT_EQ(f->ControlButton->Caption(), L"Exit");
    f->ControlButton->Click();
    return true;
  });
  W->Execute(false);
  EXPECT_TRUE(d.Done());
  EXPECT_FALSE(U->InProgress());
}

TEST_F(Wizard, MissingControlFileAndPolishTexts) {
  U->SetURL(Servers().Http(L"/files/none.inf"));
  TOwned<TNetUpdateWizardPolish> pl(new TNetUpdateWizardPolish(nullptr));
  W->SetLanguage(pl);
  TModalDriver d;
  d.Then([&] {
    TWUWIZ* f = ShowingForm<TWUWIZ>();
    if (!f) return false;
    EXPECT_EQ(f->StartButton->Caption(), L"Start");
    EXPECT_EQ(f->TotalProgressLabel->Caption(), L"\u0141\u0105czny post\u0119p");
    f->StartButton->Click();
    EXPECT_EQ(f->VersionInfoLabel->Caption(),
              L"Brak po\u0142\u0105czenia z serwerem lub\rbrak aktualizacji na serwerze!");
    EXPECT_EQ(f->ControlButton->Caption(), L"Wyj\u015Bcie");
    f->ControlButton->Click();
    return true;
  });
  W->Execute(false);
  EXPECT_TRUE(d.Done());
  W->SetLanguage(nullptr);
}

TEST_F(Wizard, SilentRestartNeedsNoClick) {
  Servers().PutFile(L"silent.exe_NEW", std::string("s"));
  Control(kNewer + Fixture(L"versioned_1_2_0_0.exe") +
          L"\r\n[application]\r\nappupdate=1\r\nappname=app.exe\r\nsilentrestart=1\r\nappcomps=silent.exe_NEW\r\n"
          L"[files]\r\ncount=1\r\n[file1]\r\nurl=" + Url(L"silent.exe_NEW") + L"\r\nhidden=1\r\n");
  int closes = 0;
  U->OnAppDoClose = [&](TObject*) { ++closes; };
  W->SetAutoStart(true);
  TModalDriver d;
  d.Then(ClickGetUpdate);
  W->Execute(false);
  EXPECT_TRUE(d.Done());
  EXPECT_EQ(closes, 1);
  ASSERT_EQ(Shell.size(), 1u);
  EXPECT_NE(Shell[0].find(L"wusetup.exe"), String::npos);
  DeleteFileW((UserFolder(TUserFolder::ufDocuments) + L"\\WUPDATE.INI").c_str());
}

// --- The component's own dialogs

class Dialogs : public Wizard {};

TMemoryStream* StreamOf(const std::string& Text) {
  auto* s = new TMemoryStream();
  s->WriteBuffer(Text.data(), static_cast<int>(Text.size()));
  s->SetPosition(0);
  return s;
}

TEST_F(Dialogs, WhatsNewShowsRtfHtmlOrPlainText) {
  struct Case {
    std::string Text;
    const wchar_t* Kind;
  };
  const Case cases[] = {{"{\\rtf1 Rich text}", L"TRichEdit"},
                        {"<b>Bold</b> news", L"TScrollBox"},
                        {"Just a < sign", L"TMemo"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    std::unique_ptr<TMemoryStream> text(StreamOf(c.Text));
    String seen;
    TModalDriver d;
    d.Then([&] {
      TCustomForm* f = ModalForm();
      if (!f) return false;
      EXPECT_EQ(f->Caption(), L"What's new");
      for (int i = 0; i < f->ControlCount(); ++i)
        if (!dynamic_cast<TButton*>(f->Controls(i))) seen = f->Controls(i)->ClassName();
      f->SetModalResult(mrOk);
      return true;
    });
    EXPECT_EQ(U->WhatsNewDialog(text.get()), 0);
    EXPECT_EQ(seen, c.Kind);
  }
}

TEST_F(Dialogs, WhatsNewEventAndRefusal) {
  TStatusRecorder status(U);
  int calls = 0;
  U->OnDownloadedWhatsNew = [&](TObject*, TStrings* Text, int& Res) {
    ++calls;
    EXPECT_EQ(Text->Strings(0), L"plain");
    Res = 0;
  };
  std::unique_ptr<TMemoryStream> plain(StreamOf("plain"));
  EXPECT_EQ(U->WhatsNewDialog(plain.get()), -1);
  EXPECT_EQ(calls, 1);
  // An RTF text still shows the dialog and leaves the event alone.
  std::unique_ptr<TMemoryStream> rtf(StreamOf("{\\RTF1 x}"));
  TModalDriver d;
  d.Then([&] {
    TCustomForm* f = ModalForm();
    if (f) f->SetModalResult(mrCancel);
    return f != nullptr;
  });
  EXPECT_EQ(U->WhatsNewDialog(rtf.get()), -1);
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(status.Has(L"Whatsnew not accepted", 14, 0));
}

TEST_F(Dialogs, LicenceStartsRefusedAndTheEventDecidesRtf) {
  std::unique_ptr<TMemoryStream> plain(StreamOf("Terms"));
  TModalDriver d;
  d.Then([&] {
    if (TCustomForm* f = ModalForm()) {
      int checked = 0;
      for (int k = 0; k < f->ControlCount(); ++k)
        if (auto* r = dynamic_cast<TRadioButton*>(f->Controls(k)); r && r->Checked()) {
          ++checked;
          EXPECT_EQ(r->Caption(), L"I do not accept");
        }
      EXPECT_EQ(checked, 1);
      f->SetModalResult(mrOk);
      return true;
    }
    return false;
  });
  EXPECT_EQ(U->EULADialog(plain.get()), -1);
  int calls = 0;
  U->OnDownloadedEULA = [&](TObject*, TStrings*, int& Res) { ++calls; };
  std::unique_ptr<TMemoryStream> rtf(StreamOf("{\\rtf1 Terms}"));
  EXPECT_EQ(U->EULADialog(rtf.get()), 0);  // no dialog
  EXPECT_EQ(calls, 1);
}

TEST_F(Dialogs, MarkupLinksFollowTheWebRules) {
  for (const char* href : {"file:///C:/windows/system32/calc.exe", "https://www.vantrel.com/news"}) {
    SCOPED_TRACE(href);
    Shell.clear();
    std::unique_ptr<TMemoryStream> text(StreamOf(std::string("<a href=\"") + href + "\">link</a> more</p>"));
    TModalDriver d;
    d.Then([&] {
      if (TCustomForm* f = ModalForm()) {
        for (int k = 0; k < f->ControlCount(); ++k)
          if (auto* box = dynamic_cast<TScrollBox*>(f->Controls(k))) {
            box->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(6, 6));
            box->Perform(WM_LBUTTONUP, 0, MAKELPARAM(6, 6));
          }
        f->SetModalResult(mrOk);
        return true;
      }
      return false;
    });
    U->WhatsNewDialog(text.get());
    if (std::string(href).compare(0, 5, "https") == 0) {
      ASSERT_EQ(Shell.size(), 1u);
      EXPECT_EQ(Shell[0], L"open https://www.vantrel.com/news ");
    } else {
      EXPECT_TRUE(Shell.empty());
    }
  }
}

TEST_F(Dialogs, ProgressWindowShowsTheFileName) {
  TProgressForm* f = CreateProgressForm(U);
  UpdateProgressForm(f, L"C:\\some\\folder\\file.bin", 30, 120);
  EXPECT_EQ(f->FileLabel->Caption(), L"Downloading : file.bin");
  EXPECT_EQ(f->Caption(), L"Downloading...");
  FreeProgressForm(f);
  EXPECT_EQ(f, nullptr);
}

}  // namespace
