// Transfers of the update against real servers on loopback: HTTP with its
// failures and authentication, HTTPS with the test certificate authority,
// FTP with both accounts and modes, local copies and the update report.
#include <gtest/gtest.h>

#include "base/Button.h"
#include "base/FileUtils.h"
#include "base/StdCtrls.h"
#include "tests/update/UpdateServers.h"
#include "tests/update/UpdateTestSupport.h"
#include "update/UpdateDialogs.h"

namespace {

const std::string kPayload = [] {
  std::string s;
  for (int i = 0; i < 10000; ++i) s += static_cast<char>('a' + i % 26);
  return s;
}();

class Transfer : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Servers().Ready());
    Work = TestWorkFolder(L"transfer");
    Target = Work + L"target\\";
    ForceDirectories(Target);
    U = new TNetUpdate(nullptr);
    U->SetUseWinTempDir(false);
    U->SetTempDirectory(Work);
    Status = std::make_unique<TStatusRecorder>(U);
    Servers().PutFile(L"payload.bin", kPayload);
  }
  void TearDown() override {
    if (U) {
      U->StopConnection();
      U->Free();
    }
  }
  static TUpdateServers& Servers() { return TUpdateServers::Get(); }
  bool Get(const String& Url) {
    if (!U->InProgress() && U->UpdateType() != TNetUpdateType::fileUpdate) {
      EXPECT_EQ(U->StartConnection(), 0);
    }
    return U->URLGetFile(U->HintConnect(), Url, Target, false);
  }
  // Temp files of transfers left in the download folder.
  int LeftTempFiles() {
    int n = 0;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((Work + L"WUPD*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do ++n;
    while (FindNextFileW(h, &fd));
    FindClose(h);
    return n;
  }

  String Work, Target;
  TNetUpdate* U = nullptr;
  std::unique_ptr<TStatusRecorder> Status;
};

TEST_F(Transfer, HttpDownloadArrivesWhole) {
  int progress = 0, lastPos = 0, lastSize = 0;
  U->OnFileProgress = [&](TObject*, const String& File, int Pos, int Size) {
    ++progress;
    lastPos = Pos;
    lastSize = Size;
    EXPECT_EQ(ExtractFileName(File), L"payload.bin");
  };
  ASSERT_TRUE(Get(Servers().Http(L"/files/payload.bin"))) << WideToAnsi(Status->Dump());
  EXPECT_EQ(ReadFileBytes(Target + L"payload.bin"), kPayload);
  EXPECT_GT(progress, 0);
  EXPECT_EQ(lastPos, static_cast<int>(kPayload.size()));
  EXPECT_EQ(lastSize, static_cast<int>(kPayload.size()));
  EXPECT_TRUE(Status->Has(L"Download : " + Servers().Http(L"/files/payload.bin"), 3, 0));
  EXPECT_EQ(LeftTempFiles(), 0);
}

TEST_F(Transfer, HttpFailuresLeaveTheTargetUntouched) {
  struct Case {
    const wchar_t* Path;
    const wchar_t* Name;
    String Report;
    int StatusCode, ErrorCode;
  };
  const Case cases[] = {
      {L"/status/404", L"404", L"Http status : 404", 6, 404},
      {L"/status/500", L"500", L"Http status : 500", 6, 500},
      // A body of zero bytes is no file.
      {L"/empty", L"empty", L"", 0, 0},
      {L"/short/payload.bin", L"payload.bin", L"Incomplete download : " + Servers().Http(L"/short/payload.bin"), 20,
       10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(WideToAnsi(c.Path));
    WriteFileBytes(Target + c.Name, "previous");
    Status->Clear();
    EXPECT_FALSE(Get(Servers().Http(c.Path)));
    EXPECT_EQ(ReadFileBytes(Target + c.Name), "previous");
    if (!c.Report.empty()) {
      EXPECT_TRUE(Status->Has(c.Report, c.StatusCode, c.ErrorCode)) << WideToAnsi(Status->Dump());
    }
    EXPECT_EQ(LeftTempFiles(), 0);
  }
}

TEST_F(Transfer, HttpBodyWithoutLengthArrives) {
  ASSERT_TRUE(Get(Servers().Http(L"/nolength/payload.bin")));
  EXPECT_EQ(ReadFileBytes(Target + L"payload.bin"), kPayload);
}

TEST_F(Transfer, CancelStopsAtTheNextBlockAndKeepsTheTarget) {
  std::string big(64 * 1024, 'x');
  Servers().PutFile(L"slow.bin", big);
  WriteFileBytes(Target + L"slow.bin", "previous");
  int asked = 0;
  U->OnProgressCancel = [&](TObject*, bool& Cancel) { Cancel = ++asked >= 2; };
  EXPECT_FALSE(Get(Servers().Http(L"/trickle/slow.bin")));
  EXPECT_TRUE(U->Cancelled());
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(Status->Has(L"NetUpdate process cancelled", 0, 0));
  EXPECT_EQ(ReadFileBytes(Target + L"slow.bin"), "previous");
  EXPECT_EQ(LeftTempFiles(), 0);
}

TEST_F(Transfer, NamesThatLeaveTheFolderAreRefused) {
  for (const wchar_t* url : {L"/files/..", L"/files/CON", L"/files/nul.txt", L"/files/a:b", L"/files/"}) {
    SCOPED_TRACE(WideToAnsi(url));
    Status->Clear();
    EXPECT_FALSE(Get(Servers().Http(url)));
    EXPECT_TRUE(Status->HasPrefix(L"Refused path outside")) << WideToAnsi(Status->Dump());
  }
  EXPECT_EQ(Servers().Fetch(L"/log").find("CON"), std::string::npos);
}

// Fills the login dialog when it shows, or cancels it.
void AnswerLogin(TModalDriver& Driver, const String& User, const String& Password, bool Ok, String* Caption) {
  Driver.Then([=] {
    TKelLoginForm* f = ShowingForm<TKelLoginForm>();
    if (!f) return false;
    if (Caption) *Caption = f->Caption();
    EXPECT_EQ(f->Edit1->Text(), L"");
    EXPECT_EQ(f->Edit2->PasswordChar(), L'*');
    f->Edit1->SetText(User);
    f->Edit2->SetText(Password);
    (Ok ? f->Button1 : f->Button2)->Click();
    return true;
  });
}

TEST_F(Transfer, Http401AsksForLoginAndRepeatsWithIt) {
  U->SetAuthenticate(TNetUpdateAuthentication::waAuto);
  TModalDriver driver;
  String caption;
  AnswerLogin(driver, L"upd", L"secret", true, &caption);
  ASSERT_TRUE(Get(Servers().Http(L"/auth/payload.bin"))) << WideToAnsi(Status->Dump());
  EXPECT_TRUE(driver.Done());
  EXPECT_EQ(caption, L"Connect to 127.0.0.1:" + IntToStr(Servers().HttpPort()));
  EXPECT_EQ(U->UserID(), L"upd");
  EXPECT_EQ(ReadFileBytes(Target + L"payload.bin"), kPayload);
}

TEST_F(Transfer, CancelledLoginReportsAndFails) {
  for (auto mode : {TNetUpdateAuthentication::waAuto, TNetUpdateAuthentication::waAlways}) {
    U->SetAuthenticate(mode);
    U->SetUserID(L"");
    U->SetPassword(L"");
    Status->Clear();
    TModalDriver driver;
    AnswerLogin(driver, L"", L"", false, nullptr);
    EXPECT_FALSE(Get(Servers().Http(L"/auth/payload.bin")));
    EXPECT_TRUE(driver.Done());
    EXPECT_TRUE(Status->Has(L"Authentication cancelled", 0, 0));
    EXPECT_FALSE(FileExists(Target + L"payload.bin"));
  }
}

TEST_F(Transfer, AlwaysAuthenticateAsksBeforeTheRequest) {
  U->SetAuthenticate(TNetUpdateAuthentication::waAlways);
  TModalDriver driver;
  AnswerLogin(driver, L"upd", L"secret", true, nullptr);
  ASSERT_TRUE(Get(Servers().Http(L"/auth/payload.bin")));
  EXPECT_EQ(ReadFileBytes(Target + L"payload.bin"), kPayload);
}

TEST_F(Transfer, HttpsChecksCertificatesUnlessDisabled) {
  // A certificate of an unknown authority fails while checking is on.
  EXPECT_FALSE(Get(Servers().UntrustedHttps(L"/files/payload.bin")));
  EXPECT_FALSE(FileExists(Target + L"payload.bin"));
  // One of a trusted authority passes.
  ASSERT_TRUE(Get(Servers().Https(L"/files/payload.bin"))) << WideToAnsi(Status->Dump());
  EXPECT_EQ(ReadFileBytes(Target + L"payload.bin"), kPayload);
}

TEST_F(Transfer, HttpsWithCheckingDisabledTakesAnUnknownAuthority) {
  U->SetCertCheck(TNetUpdateCertCheck::ccDisable);
  ASSERT_TRUE(Get(Servers().UntrustedHttps(L"/files/payload.bin"))) << WideToAnsi(Status->Dump());
  EXPECT_EQ(ReadFileBytes(Target + L"payload.bin"), kPayload);
}

TEST_F(Transfer, FtpAccountsAndModes) {
  struct Case {
    const wchar_t* User;
    const wchar_t* Password;
    bool Passive;
  };
  for (const Case& c : {Case{L"", L"", true}, Case{L"upd", L"secret", true}, Case{L"upd", L"secret", false}}) {
    SCOPED_TRACE(std::string(WideToAnsi(c.User)) + (c.Passive ? " passive" : " active"));
    U->SetUpdateType(TNetUpdateType::ftpUpdate);
    U->SetHost(L"127.0.0.1");
    U->SetPort(Servers().FtpPort());
    U->SetUserID(c.User);
    U->SetPassword(c.Password);
    U->SetFTPPassive(c.Passive);
    ASSERT_EQ(U->StartConnection(), 0);
    ASSERT_EQ(U->FTPConnect(), 0);
    DeleteFileW((Target + L"payload.bin").c_str());
    ASSERT_TRUE(U->URLGetFile(U->HintConnect(), L"ftp://127.0.0.1/payload.bin", Target, false))
        << WideToAnsi(Status->Dump());
    EXPECT_EQ(ReadFileBytes(Target + L"payload.bin"), kPayload);
    U->StopConnection();
    EXPECT_TRUE(Status->Has(L"Closed FTP connection"));
  }
}

TEST_F(Transfer, FtpFolderAndMissingFile) {
  CreateDirectoryW((Servers().Root() + L"sub").c_str(), nullptr);
  WriteFileBytes(Servers().Root() + L"sub\\inner.txt", "inner");
  U->SetUpdateType(TNetUpdateType::ftpUpdate);
  U->SetHost(L"127.0.0.1");
  U->SetPort(Servers().FtpPort());
  U->SetFTPPassive(true);
  U->SetFTPDirectory(L"sub");
  ASSERT_EQ(U->StartConnection(), 0);
  ASSERT_EQ(U->FTPConnect(), 0);
  ASSERT_TRUE(U->URLGetFile(U->HintConnect(), L"inner.txt", Target, false)) << WideToAnsi(Status->Dump());
  EXPECT_EQ(ReadFileBytes(Target + L"inner.txt"), "inner");
  EXPECT_TRUE(Status->Has(L"Change FTP directory to : sub", 3, 0));
  EXPECT_FALSE(U->URLGetFile(U->HintConnect(), L"missing.txt", Target, false));
  EXPECT_TRUE(Status->HasPrefix(L"Cannot download update file : "));
  U->StopConnection();
  // A folder that does not exist.
  U->SetFTPDirectory(L"nowhere");
  ASSERT_EQ(U->StartConnection(), 0);
  ASSERT_EQ(U->FTPConnect(), 0);
  EXPECT_FALSE(U->URLGetFile(U->HintConnect(), L"inner.txt", Target, false));
  EXPECT_TRUE(Status->Has(L"Cannot change FTP directory to : nowhere", 3, 8));
}

TEST_F(Transfer, EmptyFtpHostClosesTheSession) {
  U->SetUpdateType(TNetUpdateType::ftpUpdate);
  U->SetURL(L"control.inf");
  EXPECT_THROW(U->NewVersionAvailable(false), Exception);
  EXPECT_FALSE(U->InProgress());
  EXPECT_EQ(U->HintConnect(), nullptr);
  EXPECT_TRUE(Status->Has(L"Closed Internet connection"));
  EXPECT_THROW(U->DoUpdate(false), Exception);
  EXPECT_FALSE(U->InProgress());
}

TEST_F(Transfer, LocalCopies) {
  U->SetUpdateType(TNetUpdateType::fileUpdate);
  String source = Work + L"source.bin";
  WriteFileBytes(source, kPayload);
  ASSERT_TRUE(Get(source));
  EXPECT_EQ(ReadFileBytes(Target + L"source.bin"), kPayload);
  // A full target path names the file itself.
  ASSERT_TRUE(U->URLGetFile(nullptr, source, Target + L"renamed.bin", false));
  EXPECT_EQ(ReadFileBytes(Target + L"renamed.bin"), kPayload);
  EXPECT_FALSE(U->URLGetFile(nullptr, source, source, false));
  EXPECT_TRUE(Status->Has(L"Equal source and target files : " + source, 10, 3));
  EXPECT_FALSE(Get(Work + L"missing.bin"));
  EXPECT_TRUE(Status->Has(L"File not found : " + Work + L"missing.bin", 2, 1));
  EXPECT_EQ(LeftTempFiles(), 0);
}

TEST_F(Transfer, ReadOnlyTargetIsReplaced) {
  WriteFileBytes(Target + L"payload.bin", "old");
  SetFileAttributesW((Target + L"payload.bin").c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(Get(Servers().Http(L"/files/payload.bin")));
  EXPECT_EQ(ReadFileBytes(Target + L"payload.bin"), kPayload);
}

TEST_F(Transfer, UpdateReportIsPosted) {
  U->PostUpdateInfo()->SetServer(L"127.0.0.1:" + IntToStr(Servers().HttpPort()));
  U->PostUpdateInfo()->SetAction(L"/post");
  U->PostUpdateInfo()->SetData("app=vantrel&ver=1.2");
  U->DoPostUpdateInfo();
  EXPECT_EQ(U->PostUpdateInfo()->PostResult, "OK app=vantrel&ver=1.2");
  EXPECT_NE(Servers().Fetch(L"/posted").find("application/x-www-form-urlencoded|app=vantrel&ver=1.2"),
            std::string::npos);
  // Nothing listens on this port: no connection, reported.
  U->PostUpdateInfo()->SetServer(L"127.0.0.1:1");
  U->DoPostUpdateInfo();
  EXPECT_TRUE(U->PostUpdateInfo()->PostResult.empty());
}

}  // namespace
