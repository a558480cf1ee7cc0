// The update's runs against the HTTP server: the control file, the version
// check, the actions, installation of the listed files and the hand-over,
// and the check on a worker thread.
#include <gtest/gtest.h>

#include <atomic>

#include "base/Dialogs.h"
#include "base/FileUtils.h"
#include "base/Threads.h"
#include "base/IniFiles.h"
#include "base/Registry.h"
#include "base/Shell.h"
#include "tests/support/Gui.h"
#include "tests/support/Settings.h"
#include "tests/update/UpdateServers.h"
#include "tests/update/UpdateTestSupport.h"
#include "update/VersionCheck.h"
#include "update/common/UpdatePaths.h"

namespace {

struct TShellCall {
  String Verb, File, Parameters;
};

class Run : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Servers().Ready());
    Work = TestWorkFolder(L"run");
    U = new TNetUpdate(nullptr);
    U->SetUseWinTempDir(false);
    U->SetTempDirectory(Work);
    U->SetUpdateUpdate(TNetUpdateUpdate::wuuSilent);
    U->SetURL(Servers().Http(L"/files/control.inf"));
    Status = std::make_unique<TStatusRecorder>(U);
    SetShellExecuteHook([this](HWND, const String& Verb, const String& File, const String& Params, const String&,
                               int) -> INT_PTR {
      Shell.push_back({Verb, File, Params});
      return ShellAnswer;
    });
  }
  void TearDown() override {
    SetShellExecuteHook(nullptr);
    if (U) U->Free();
  }
  static TUpdateServers& Servers() { return TUpdateServers::Get(); }
  void Control(const String& Text) { Servers().PutFile(L"control.inf", Text); }
  // Requests of the server log that name Path.
  size_t Requests(const std::string& Path) {
    std::string log = Servers().Fetch(L"/log");
    size_t n = 0;
    for (size_t p = 0; (p = log.find(Path, p)) != std::string::npos; p += Path.size()) ++n;
    return n;
  }
  String Url(const String& Name) { return Servers().Http(L"/files/" + Name); }

  String Work;
  TNetUpdate* U = nullptr;
  std::unique_ptr<TStatusRecorder> Status;
  std::vector<TShellCall> Shell;
  INT_PTR ShellAnswer = 42;
};

TEST_F(Run, VersionBasedCheck) {
  String local = Fixture(L"versioned_1_2_0_0.exe");
  Control(L"[update]\r\nnewversion=1.3\r\nlocalversion=" + local + L"\r\ndescr=Better\\nfaster\r\n");
  EXPECT_TRUE(U->NewVersionAvailable(false)) << WideToAnsi(Status->Dump());
  EXPECT_EQ(U->NewVersionInfo(), L"1.3.0.0");
  EXPECT_EQ(U->CurVersionInfo(), L"1.2.0.0");
  EXPECT_EQ(U->UpdateDescription(), L"Better\rfaster");
  EXPECT_TRUE(Status->Has(L"Version based update found", 3, 0));
  EXPECT_TRUE(Status->Has(L"New version found : 1.3.0.0", 5, 0));
  // The control file is gone with the connection.
  EXPECT_FALSE(FileExists(U->ControlFileName()));
  EXPECT_FALSE(U->InProgress());
  Control(L"[update]\r\nnewversion=1.2\r\nlocalversion=" + local + L"\r\n[action]\r\nmsg=never\r\n"
          L"[files]\r\ncount=1\r\n[file1]\r\nurl=" + Url(L"never.bin") + L"\r\n");
  EXPECT_FALSE(U->NewVersionAvailable(false));
  EXPECT_TRUE(Status->Has(L"No new version found", 4, 0));
  TMessageBoxScript boxes;
  U->DoUpdate(false);
  EXPECT_TRUE(boxes.Texts().empty());
  EXPECT_EQ(Requests("never.bin"), 0u);
}

TEST_F(Run, UnconditionalNeedsFiles) {
  Control(L"[update]\r\nunconditional=yes\r\n");
  EXPECT_FALSE(U->NewVersionAvailable(false));
  Control(L"[update]\r\nunconditional=yes\r\n[files]\r\ncount=1\r\n[file1]\r\nurl=" + Url(L"a.bin") + L"\r\n");
  EXPECT_TRUE(U->NewVersionAvailable(false));
}

TEST_F(Run, DateBasedCheck) {
  // No registry date and no local file: compared with 1 January 1980.
  Control(L"[update]\r\ndate=01/01/2999\r\ntime=10:00\r\nnewversion=0.1\r\nlocalversion=" + Work +
          L"missing.exe\r\n");
  EXPECT_TRUE(U->NewVersionAvailable(false));
  EXPECT_TRUE(Status->Has(L"Date based update found", 3, 0));
  // A newer date skips the other criteria.
  EXPECT_FALSE(Status->Has(L"Version based update found"));
  EXPECT_EQ(U->CurVersionDate(), EncodeDate(1980, 1, 1));
  EXPECT_DOUBLE_EQ(U->NewVersionDate(), EncodeDate(2999, 1, 1) + EncodeTime(10, 0, 0, 0));
  // Without a registry key the local file's age counts.
  Control(L"[update]\r\ndate=01/01/2000\r\nlocalversion=" + Fixture(L"versioned_2_0_0_0.exe") + L"\r\n");
  EXPECT_FALSE(U->NewVersionAvailable(false));
  EXPECT_GT(U->CurVersionDate(), EncodeDate(2020, 1, 1));
  // The last update date in the registry is later: nothing new by date,
  // and the version criterion decides.
  Control(L"[update]\r\ndate=01/01/2999\r\ntime=10:00\r\nnewversion=0.1\r\nlocalversion=" +
          Fixture(L"versioned_2_0_0_0.exe") + L"\r\n");
  U->LastURLEntry()->SetKey(ProgramSettingsKey());
  U->LastURLEntry()->SetSection(L"Update");
  U->LastURLEntry()->SetSave(true);
  U->UpdateDatePut(EncodeDate(2999, 6, 1));
  Status->Clear();
  EXPECT_FALSE(U->NewVersionAvailable(false));
  EXPECT_TRUE(Status->Has(L"No new version found", 4, 0));
  EXPECT_TRUE(Status->Has(L"Version based update found", 3, 0));
  // A date that does not match the format counts from 1 January 1980.
  EXPECT_EQ(U->StrToUpdateDate(L"2999-01-01", L""), EncodeDate(1980, 1, 1));
  DeleteProgramSettings();
}

TEST_F(Run, SignatureAndMissingControlFile) {
  U->SetSignatureCheck(true);
  Control(L"[update]\r\nsignature=Other\r\nunconditional=1\r\n[files]\r\ncount=1\r\n[file1]\r\nurl=" + Url(L"x") +
          L"\r\n");
  ASSERT_EQ(U->StartConnection(), 0);
  EXPECT_EQ(U->GetControlFile(), 5);
  U->StopConnection();
  EXPECT_TRUE(Status->Has(L"Invalid signature in update control file", 11, 4));
  U->SetURL(Servers().Http(L"/files/missing.inf"));
  EXPECT_FALSE(U->NewVersionAvailable(false));
  EXPECT_TRUE(Status->Has(L"Update control file not found", 2, 0));
}

TEST_F(Run, ApplicationSectionAndFileList) {
  Control(L"[application]\r\nappupdate=1\r\n[files]\r\ncount=2\r\n[file1]\r\nurl={TMP}\\a.bin\r\n"
          L"targetdir={TMP}\\t\r\nmandatory=1\r\npreselect=0\r\n");
  ASSERT_EQ(U->StartConnection(), 0);
  ASSERT_EQ(U->GetControlFile(), 0);
  EXPECT_EQ(U->AppParams(), L" ");
  EXPECT_FALSE(U->AppNeedsRestart());
  EXPECT_EQ(U->GetFileDetails(), 2);
  TFileDescription* f1 = U->FileList()->Items(0);
  EXPECT_EQ(f1->URL(), Work + L"a.bin");
  EXPECT_EQ(f1->TargetDir(), Work + L"t\\");
  EXPECT_TRUE(f1->Mandatory());
  EXPECT_FALSE(f1->Preselect());
  TFileDescription* f2 = U->FileList()->Items(1);
  EXPECT_TRUE(f2->Preselect());
  EXPECT_EQ(f2->NewCheckSum(), -1);
  EXPECT_EQ(f2->URL(), L"");
  U->StopConnection();
  // A count beyond reason is not followed.
  Control(L"[files]\r\ncount=2000000000\r\n");
  ASSERT_EQ(U->StartConnection(), 0);
  ASSERT_EQ(U->GetControlFile(), 0);
  EXPECT_EQ(U->GetFileDetails(), 1000);
  U->StopConnection();
}

TEST_F(Run, ActionsBeforeTheFiles) {
  U->SetProxyUserID(L"proxyuser");
  U->SetProxyPassword(L"proxysecret");
  Control(L"[action]\r\nmsg=Hello\\nthere\r\nrunbefore=prep.exe\r\nrunbeforeparam=-x\r\n"
          L"showURL=http://example.invalid/news\r\nhtmldlg=http://example.invalid/page\r\nquery=Go on?\r\n");
  TMessageBoxScript boxes(IDNO);
  ASSERT_EQ(U->StartConnection(), 0);
  ASSERT_EQ(U->GetControlFile(), 0);
  bool before = false;
  U->OnSetAppParamBefore = [&](TObject*, String& P) {
    before = true;
    P += L" -y";
  };
  EXPECT_EQ(U->HandleActions(), -1);
  U->StopConnection();
  ASSERT_EQ(boxes.Texts().size(), 2u);
  EXPECT_EQ(boxes.Texts()[0], L"Hello\rthere");
  EXPECT_EQ(boxes.Texts()[1], L"Go on?");
  EXPECT_TRUE(before);
  ASSERT_GE(Shell.size(), 2u);
  EXPECT_EQ(Shell[0].File, L"prep.exe");
  EXPECT_EQ(Shell[0].Parameters, L"-x -y");
  // The page is opened as the file names it, without the proxy's
  // credentials.
  EXPECT_EQ(Shell[1].File, L"iexplore.exe");
  EXPECT_EQ(Shell[1].Parameters, L"-new http://example.invalid/news");
  for (const auto& c : Shell) EXPECT_EQ(c.Parameters.find(L"proxysecret"), String::npos);
  EXPECT_TRUE(Status->Has(L"Found HTML dialog instruction", 7, 0));
  EXPECT_TRUE(Status->Has(L"Found query instruction", 3, 0));
  EXPECT_FALSE(U->AppNeedsRestart());
  // Only web pages are shown.
  Shell.clear();
  Control(L"[action]\r\nshowURL=C:\\windows\\system32\\calc.exe\r\n");
  ASSERT_EQ(U->StartConnection(), 0);
  ASSERT_EQ(U->GetControlFile(), 0);
  EXPECT_EQ(U->HandleActions(), 0);
  U->StopConnection();
  EXPECT_TRUE(Shell.empty());
}

TEST_F(Run, FileListEventKeepsMandatoryFiles) {
  Control(L"[files]\r\ncount=3\r\n[file1]\r\nurl=" + Url(L"1") + L"\r\ndescr=one\r\nmandatory=1\r\n[file2]\r\nurl=" +
          Url(L"2") + L"\r\ndescr=two\r\n[file3]\r\nurl=" + Url(L"3") + L"\r\ndescr=three\r\n");
  U->OnGetFileList = [](TObject*, TStringList* List) {
    ASSERT_EQ(List->Count(), 3);
    List->SetStrings(0, L"");
    List->SetStrings(2, L"");
  };
  ASSERT_EQ(U->StartConnection(), 0);
  ASSERT_EQ(U->GetControlFile(), 0);
  ASSERT_EQ(U->GetFileDetails(), 3);
  EXPECT_EQ(U->ProcessFileDetails(), 0);
  U->StopConnection();
  ASSERT_EQ(U->FileList()->Count(), 2);
  EXPECT_EQ(U->FileList()->Items(0)->Description(), L"one");
  EXPECT_EQ(U->FileList()->Items(1)->Description(), L"two");
}

TEST_F(Run, FilesAreInstalledByKind) {
  Servers().PutFile(L"plain.txt", std::string("plain file"));
  Servers().PutFile(L"notes.tx_", ReadFileBytes(Fixture(L"notes.tx_")));
  Servers().PutFile(L"files.cab", ReadFileBytes(Fixture(L"files.cab")));
  Servers().PutFile(L"app.pat", ReadFileBytes(Fixture(L"app.pat")));
  WriteFileBytes(Work + L"app.txt", "before the patch");
  Control(L"[files]\r\ncount=4\r\n"
          L"[file1]\r\nurl=" + Url(L"plain.txt") + L"\r\ntargetdir={TMP}\\plain\r\n"
          L"[file2]\r\nurl=" + Url(L"notes.tx_") + L"\r\ntargetdir={TMP}\\lz\r\ncompressed=1\r\n"
          L"[file3]\r\nurl=" + Url(L"files.cab") + L"\r\ntargetdir={TMP}\\cab\r\ncompressed=1\r\n"
          L"[file4]\r\nurl=" + Url(L"app.pat") + L"\r\ntargetdir={TMP}\r\nlocalversion={TMP}\\app.txt\r\n");
  // Each file downloads into its target folder; the patcher goes to the
  // current folder.
  String saved = GetCurrentDir();
  SetCurrentDir(Work);
  U->SetExtractCAB(true);
  U->SetApplyPatch(true);
  TNetUpdateUtility* utility = new TNetUpdateUtility(nullptr);
  utility->SetShowWindow(false);
  U->SetUtility(utility);
  int successes = 0;
  U->OnSuccess = [&](TObject*) { ++successes; };
  U->SetForceUpdate(true);
  U->DoUpdate(false);
  SetCurrentDir(saved);
  EXPECT_EQ(successes, 1) << WideToAnsi(Status->Dump());
  EXPECT_EQ(ReadFileBytes(Work + L"plain\\plain.txt"), "plain file");
  EXPECT_EQ(ReadFileBytes(Work + L"lz\\notes.txt"), ReadFileBytes(Fixture(L"notes.txt.expected")));
  EXPECT_FALSE(FileExists(Work + L"lz\\notes.tx_"));
  EXPECT_EQ(ReadFileBytes(Work + L"cab\\sub\\inner.txt"), "A file in a folder of the cabinet.\r\n");
  EXPECT_FALSE(FileExists(Work + L"cab\\files.cab"));
  EXPECT_EQ(ReadFileBytes(Work + L"app.txt"), ReadFileBytes(Fixture(L"app.txt.expected")));
  EXPECT_FALSE(FileExists(Work + L"app.pat"));
  EXPECT_TRUE(FileExists(Work + L"patcher.exe"));
  EXPECT_TRUE(Status->HasPrefix(L"Exec: "));
  utility->Free();
  EXPECT_EQ(U->Utility(), nullptr);
}

TEST_F(Run, TargetsOutsideTheAppAndTempFoldersAreRefused) {
  Servers().PutFile(L"plain.txt", std::string("plain file"));
  String outside = TestWorkFolder(L"outside");
  Control(L"[files]\r\ncount=2\r\n[file1]\r\nurl=" + Url(L"plain.txt") + L"\r\ntargetdir={TMP}\\..\\outside\r\n"
          L"[file2]\r\nurl=" + Url(L"plain.txt") + L"\r\ntargetdir=" + outside + L"\r\n");
  U->SetForceUpdate(true);
  U->DoUpdate(false);
  EXPECT_FALSE(FileExists(outside + L"plain.txt"));
  EXPECT_TRUE(Status->HasPrefix(L"Refused path outside the application and temp folders"));
  EXPECT_TRUE(Status->HasPrefix(L"Cannot download update file"));
}

TEST_F(Run, PromptsDecideTheDownloads) {
  for (const wchar_t* n : {L"p1.txt", L"p2.txt"}) Servers().PutFile(n, std::string("p"));
  String list = L"[files]\r\ncount=2\r\n[file1]\r\nurl=" + Url(L"p1.txt") + L"\r\ntargetdir={TMP}\\p\r\n[file2]\r\nurl=" +
                Url(L"p2.txt") + L"\r\ntargetdir={TMP}\\p\r\n";
  Control(list);
  U->SetForceUpdate(true);
  U->SetUpdateUpdate(TNetUpdateUpdate::wuuPromptOnce);
  {
    TMessageBoxScript boxes(IDNO);
    U->DoUpdate(false);
    EXPECT_EQ(boxes.Texts(), std::vector<String>{L"Download update files ?"});
  }
  EXPECT_FALSE(FileExists(Work + L"p\\p1.txt"));
  U->SetUpdateUpdate(TNetUpdateUpdate::wuuPromptAll);
  {
    int asked = 0;
    SetMessageBoxHook([&](const String& Text, const String&, UINT) {
      ++asked;
      return Text == L"Download update file : p1.txt" ? IDNO : IDYES;
    });
    U->DoUpdate(false);
    SetMessageBoxHook(nullptr);
    EXPECT_EQ(asked, 2);
  }
  EXPECT_FALSE(FileExists(Work + L"p\\p1.txt"));
  EXPECT_TRUE(FileExists(Work + L"p\\p2.txt"));
}

TEST_F(Run, ComponentsAreMatchedByWholeName) {
  for (const wchar_t* n : {L"A.EXE", L"DATA.EXE"}) Servers().PutFile(n, std::string("exe"));
  Control(L"[application]\r\nappupdate=1\r\nappname=app.exe\r\nappcomps=DATA.EXE other.dll\r\n[files]\r\ncount=1\r\n"
          L"[file1]\r\nurl=" + Url(L"A.EXE") + L"\r\ntargetdir={TMP}\\a\r\n");
  U->SetForceUpdate(true);
  U->OnAppRestart = [](TObject*, bool& Allow) { Allow = false; };
  U->DoUpdate(false);
  EXPECT_FALSE(Status->HasPrefix(L"Found application component"));
  EXPECT_TRUE(FileExists(Work + L"a\\A.EXE"));
  EXPECT_FALSE(U->AppNeedsRestart());
  Control(L"[application]\r\nappupdate=1\r\nappname=app.exe\r\nappcomps=DATA.EXE other.dll\r\n[files]\r\ncount=1\r\n"
          L"[file1]\r\nurl=" + Url(L"DATA.EXE") + L"\r\ntargetdir={TMP}\\a\r\n");
  U->DoUpdate(false);
  EXPECT_TRUE(Status->Has(L"Found application component : DATA.EXE", 0, 0));
  // Left in the download folder for the updater.
  EXPECT_TRUE(FileExists(Work + L"DATA.EXE"));
  EXPECT_FALSE(FileExists(Work + L"a\\DATA.EXE"));
  EXPECT_TRUE(U->AppNeedsRestart());
}

TEST_F(Run, FailedDownloadStopsTheRestart) {
  Control(L"[application]\r\nappupdate=1\r\nappname=app.exe\r\nappcomps=gone.exe\r\n[files]\r\ncount=1\r\n"
          L"[file1]\r\nurl=" + Url(L"gone.exe") + L"\r\n");
  U->SetForceUpdate(true);
  int successes = 0, restarts = 0;
  U->OnSuccess = [&](TObject*) { ++successes; };
  U->OnAppRestart = [&](TObject*, bool&) { ++restarts; };
  U->DoUpdate(false);
  EXPECT_EQ(successes, 0);
  EXPECT_EQ(restarts, 0);
  EXPECT_FALSE(U->AppNeedsRestart());
  EXPECT_TRUE(Status->Has(L"Cannot download update file : " + Url(L"gone.exe"), 2, 9));
}

TEST_F(Run, HandOverToTheUpdater) {
  Servers().PutFile(L"app.exe_NEW", std::string("new program"));
  Control(L"[application]\r\nappupdate=1\r\nappname=my app.exe\r\nappparam=--after update\r\n"
          L"appcomps=app.exe_NEW\r\n[files]\r\ncount=1\r\n[file1]\r\nurl=" + Url(L"app.exe_NEW") + L"\r\n");
  U->SetForceUpdate(true);
  U->SetLogFileName(Work + L"update.log");
  U->SetLogging(true);
  bool allowed = false, closed = false;
  U->OnAppRestart = [&](TObject*, bool& Allow) { allowed = Allow = true; };
  U->OnAppDoClose = [&](TObject*) { closed = true; };
  String cwd = GetCurrentDir();
  U->DoUpdate(false);
  EXPECT_TRUE(allowed);
  EXPECT_TRUE(closed);
  ASSERT_EQ(Shell.size(), 1u);
  EXPECT_EQ(Shell[0].File, Work + L"wusetup.exe");
  EXPECT_EQ(Shell[0].Parameters, IntToStr(GetCurrentProcessId()) + L" L \"" + IncludeTrailingPathDelimiter(cwd) +
                                     L"my app.exe\" \"--after update\" \"" + Work + L"\" app.exe_NEW");
  // The updater is the real program, expanded from the resource.
  EXPECT_EQ(ReadFileBytes(Work + L"wusetup.exe"),
            ReadFileBytes(BuildFolder() + L"\\update\\updater\\wusetup.exe"));
  TIniFile handOver(UserFolder(TUserFolder::ufDocuments) + L"\\WUPDATE.INI");
  EXPECT_EQ(handOver.ReadString(L"CONFIG", L"LOGFILENAME", L""), Work + L"update.log");
  DeleteFileW((UserFolder(TUserFolder::ufDocuments) + L"\\WUPDATE.INI").c_str());
  EXPECT_NE(ReadFileBytes(Work + L"update.log").find("[958] Spawn "), std::string::npos);
}

TEST_F(Run, UpdaterThatDoesNotStartKeepsTheApplication) {
  Servers().PutFile(L"app.exe_NEW", std::string("new program"));
  Control(L"[application]\r\nappupdate=1\r\nappname=app.exe\r\nappcomps=app.exe_NEW\r\nsilentrestart=1\r\n"
          L"[files]\r\ncount=1\r\n[file1]\r\nurl=" + Url(L"app.exe_NEW") + L"\r\n");
  U->SetForceUpdate(true);
  U->SetAutoRestart(false);
  ShellAnswer = 2;  // file not found
  bool closed = false;
  U->OnAppDoClose = [&](TObject*) { closed = true; };
  U->DoUpdate(false);
  ASSERT_EQ(Shell.size(), 1u);
  EXPECT_EQ(Shell[0].Parameters, IntToStr(GetCurrentProcessId()) + L" X null \" \" \"" + Work + L"\" app.exe_NEW");
  EXPECT_FALSE(closed);
  EXPECT_TRUE(Status->HasPrefix(L"Failed to spawn updater process"));
  DeleteFileW((UserFolder(TUserFolder::ufDocuments) + L"\\WUPDATE.INI").c_str());
}

TEST_F(Run, UpdateActionsAfterTheFiles) {
  U->LastURLEntry()->SetKey(ProgramSettingsKey());
  U->LastURLEntry()->SetSection(L"Update");
  U->LastURLEntry()->SetSave(true);
  U->PostUpdateInfo()->SetEnabled(true);
  U->PostUpdateInfo()->SetServer(L"127.0.0.1:" + IntToStr(Servers().HttpPort()));
  U->PostUpdateInfo()->SetAction(L"/post");
  U->PostUpdateInfo()->SetData("done=1");
  Control(L"[action]\r\nupdateURL=" + Servers().Http(L"/files/next.inf") + L"\r\nrunafter=after.exe\r\n");
  ASSERT_EQ(U->StartConnection(), 0);
  ASSERT_EQ(U->GetControlFile(), 0);
  EXPECT_EQ(U->UpdateActions(), 0);
  EXPECT_EQ(U->PostUpdateInfo()->PostResult, "OK done=1");
  EXPECT_EQ(U->URLGet(), Servers().Http(L"/files/next.inf"));
  EXPECT_EQ(U->GetControlFileURL(), Servers().Http(L"/files/next.inf"));
  ASSERT_EQ(Shell.size(), 1u);
  EXPECT_EQ(Shell[0].File, L"after.exe");
  U->OnProcessPostResult = [](TObject*, bool& Allow) { Allow = false; };
  EXPECT_EQ(U->UpdateActions(), -1);
  U->StopConnection();
  DeleteProgramSettings();
}

TEST_F(Run, CheckOnAWorkerThread) {
  Control(L"[update]\r\nnewversion=9.0\r\nlocalversion=" + Fixture(L"versioned_1_2_0_0.exe") + L"\r\n");
  int done = 0;
  bool answer = false;
  U->CheckNewVersionInThread(false, [&](bool Available) {
    ++done;
    answer = Available;
    EXPECT_EQ(GetCurrentThreadId(), MainThreadID());
  });
  EXPECT_TRUE(U->CheckRunning());
  ASSERT_TRUE(PumpUntil([&] { return done > 0; }, 20000));
  EXPECT_TRUE(answer);
  EXPECT_EQ(U->NewVersionInfo(), L"9.0.0.0");
  EXPECT_FALSE(U->CheckRunning());
  // Its reports came on the GUI thread too.
  EXPECT_TRUE(Status->Has(L"New version found : 9.0.0.0", 5, 0));
}

TEST_F(Run, SilentServerHoldsNoWindowAndIsAbandoned) {
  U->SetURL(L"http://127.0.0.1:" + IntToStr(Servers().SilentPort()) + L"/control.inf");
  TForm* window = new TForm(nullptr);
  window->Show();
  int done = 0;
  U->CheckNewVersionInThread(false, [&](bool) { ++done; });
  // The window answers while the server keeps the check waiting.
  for (int i = 0; i < 20; ++i) {
    PumpFor(25);
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutW(window->Handle(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result), 0);
  }
  EXPECT_TRUE(U->CheckRunning());
  // Freeing the component abandons the check: nothing of it runs later.
  U->Free();
  U = nullptr;
  PumpFor(100);
  EXPECT_EQ(done, 0);
  window->Free();
}

TEST_F(Run, ThreadedUpdateEndsOnTheGuiThread) {
  Servers().PutFile(L"t.txt", std::string("threaded"));
  Control(L"[files]\r\ncount=1\r\n[file1]\r\nurl=" + Url(L"t.txt") + L"\r\ntargetdir={TMP}\\t\r\n");
  U->SetForceUpdate(true);
  int done = 0;
  U->OnThreadUpdateDone = [&](TObject*) {
    ++done;
    EXPECT_EQ(GetCurrentThreadId(), MainThreadID());
  };
  U->DoThreadUpdate(false);
  ASSERT_TRUE(PumpUntil([&] { return done > 0; }, 20000));
  EXPECT_TRUE(Status->Has(L"Start update : Threaded update ---------------------------", 0, 0));
  EXPECT_TRUE(Status->Has(L"Threaded update execution done", 0, 0));
  EXPECT_EQ(ReadFileBytes(Work + L"t\\t.txt"), "threaded");
}

}  // namespace
