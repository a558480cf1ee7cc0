// The update's rules that need no server: versions and checksums, URL
// texts, path prefixes and path rules, the memory INI, status texts and the
// log, cabinets, LZ files and the wizard's texts.
#include <gtest/gtest.h>

#include "base/FileUtils.h"
#include "base/FormatSettings.h"
#include "base/Lists.h"
#include "base/MemIniFile.h"
#include "tests/update/UpdateServers.h"
#include "tests/update/UpdateTestSupport.h"
#include "update/NetUpdateWizardLanguage.h"
#include "update/UpdateStatus.h"
#include "update/VersionCheck.h"
#include "update/common/Cabinet.h"
#include "update/common/LzExpand.h"
#include "update/common/UpdateLog.h"
#include "update/common/UpdatePaths.h"

namespace {

TEST(UpdateVersion, ParseVersionTexts) {
  struct Case {
    const wchar_t* Text;
    int32_t MS, LS;
  };
  const Case cases[] = {
      {L"1.2.3.4", 0x00010002, 0x00030004},
      {L"1,2,3,4", 0x00010002, 0x00030004},
      {L"1.2", 0x00010002, 0},
      {L"1.2.3", 0x00010002, 0x00030000},
      {L"7", 0x00070000, 0},
      {L"x", -1, -1},
      {L"", -1, -1},
      // A fourth part that is no number leaves no build word.
      {L"1.2.3.x", 0x00010002, -1},
      // Commas win over points.
      {L"1,2.5,3", 0x00010002, 0x00030000},
      // A first part that is no number: the rest is the second part.
      {L"1a.2.3.4", 0x00010002, 0},
      // A second part that is no number: the rest is the third.
      {L"1.2b.3.4", 0x00010002, 0x00030000},
      {L"$10.0x1F", 0x0010001F, 0},
      {L" 3.4", 0x00030004, 0},
      // Only the low 16 bits of each part count.
      {L"65537.1", 0x00010001, 0},
      {L"40000.0.0.0", static_cast<int32_t>(0x9C400000u), 0},
  };
  for (const Case& c : cases) {
    TVersionWords w = ParseVersion(c.Text);
    EXPECT_EQ(w.MS, c.MS) << WideToAnsi(c.Text);
    EXPECT_EQ(w.LS, c.LS) << WideToAnsi(c.Text);
  }
  EXPECT_EQ(VersionToStr(ParseVersion(L"1.2.3.4")), L"1.2.3.4");
  EXPECT_EQ(VersionToStr(TVersionWords{}), L"65535.65535.65535.65535");
}

TEST(UpdateVersion, ChecksumsOfAFile) {
  String work = TestWorkFolder(L"sums");
  WriteFileBytes(work + L"abc", "abc");
  WriteFileBytes(work + L"empty", "");
  EXPECT_EQ(FileByteSum(work + L"abc"), 293);
  EXPECT_EQ(static_cast<uint32_t>(FileChecksum(work + L"abc")), 0x6C8D9D41u);
  EXPECT_EQ(FileSizeOf(work + L"abc"), 3);
  EXPECT_EQ(FileByteSum(work + L"empty"), -1);
  EXPECT_EQ(FileChecksum(work + L"empty"), 0);
  bool opened = true;
  EXPECT_EQ(FileByteSum(work + L"missing", &opened), -1);
  EXPECT_FALSE(opened);
  EXPECT_EQ(FileChecksum(work + L"missing", &opened), 0);
  EXPECT_FALSE(opened);
  // A file larger than one block adds up across blocks.
  std::string big(10000, '\x01');
  WriteFileBytes(work + L"big", big);
  EXPECT_EQ(FileByteSum(work + L"big"), 10000 - 1);
}

TEST(UpdateVersion, FileVersionOfAProgram) {
  TVersionWords w = GetFileVersion(Fixture(L"versioned_1_2_0_0.exe"));
  EXPECT_EQ(VersionToStr(w), L"1.2.0.0");
  EXPECT_FALSE(GetFileVersion(Fixture(L"patcher.exe")).Valid());
  EXPECT_FALSE(GetFileVersion(Fixture(L"missing.exe")).Valid());
}

class Compare : public ::testing::Test {
 protected:
  void SetUp() override {
    U = new TNetUpdate(nullptr);
    Status = std::make_unique<TStatusRecorder>(U);
    Work = TestWorkFolder(L"compare");
  }
  void TearDown() override { U->Free(); }
  bool Newer(String NewVersion, String Local, int Size = 0, int Checksum = -1) {
    return U->CompareVersions(NewVersion, Local, Size, Checksum);
  }
  TNetUpdate* U = nullptr;
  std::unique_ptr<TStatusRecorder> Status;
  String Work;
};

TEST_F(Compare, VersionCriterion) {
  String v12 = Fixture(L"versioned_1_2_0_0.exe");
  EXPECT_FALSE(Newer(L"1.2", v12));
  EXPECT_TRUE(Newer(L"1.2.0.1", v12));
  EXPECT_TRUE(Newer(L"1,3", v12));
  EXPECT_FALSE(Newer(L"1.1.9.9", v12));
  // No version information: not newer while only updating, newer always.
  String none = Fixture(L"patcher.exe");
  EXPECT_FALSE(Newer(L"9.0", none));
  U->SetVersionCheck(TNetUpdateVersionCheck::vcAlways);
  EXPECT_TRUE(Newer(L"9.0", none));
  // A major part of 32768 or more counts as negative.
  EXPECT_FALSE(Newer(L"40000.0", v12));
  // The texts come back in version form.
  String nv = L"1,2,0,1", lv = v12;
  EXPECT_TRUE(U->CompareVersions(nv, lv, 0, -1));
  EXPECT_EQ(nv, L"1.2.0.1");
  EXPECT_EQ(lv, L"1.2.0.0");
  EXPECT_TRUE(Status->Has(L"Version check : Version compare of " + v12 + L":1.2.0.0 with 1,2,0,1:1.2.0.1", 3, 0));
}

TEST_F(Compare, MissingFilesAndNoCriterion) {
  EXPECT_TRUE(Newer(L"", Work + L"x"));  // no criterion
  EXPECT_TRUE(Newer(L"1.0", L""));       // no local file named
  EXPECT_FALSE(Newer(L"1.0", Work + L"missing.exe"));
  U->SetVersionCheck(TNetUpdateVersionCheck::vcAlways);
  EXPECT_TRUE(Newer(L"1.0", Work + L"missing.exe"));
  EXPECT_TRUE(Status->Has(L"Check versions", 3, 0));
}

TEST_F(Compare, ChecksumAndSizeCriteria) {
  WriteFileBytes(Work + L"abc", "abc");
  EXPECT_FALSE(Newer(L"", Work + L"abc", 0, 293));
  EXPECT_TRUE(Newer(L"", Work + L"abc", 0, 294));
  EXPECT_TRUE(Status->Has(L"Version check : Checksum compare of " + Work + L"abc:293:294", 3, 0));
  U->SetUseCRC32(true);
  EXPECT_FALSE(Newer(L"", Work + L"abc", 0, 0x6C8D9D41));
  // An empty file's CRC variant is 0, which counts as equal.
  WriteFileBytes(Work + L"empty", "");
  EXPECT_FALSE(Newer(L"", Work + L"empty", 0, 12345));
  U->SetUseCRC32(false);
  EXPECT_FALSE(Newer(L"", Work + L"abc", 3));
  EXPECT_TRUE(Newer(L"", Work + L"abc", 4));
  // A local file of size 0: nothing new while only updating.
  EXPECT_FALSE(Newer(L"", Work + L"empty", 10));
  U->SetVersionCheck(TNetUpdateVersionCheck::vcAlways);
  EXPECT_TRUE(Newer(L"", Work + L"empty", 10));
}

TEST_F(Compare, LockedFileIsNeverUpToDate) {
  WriteFileBytes(Work + L"locked", "abc");
  HANDLE lock = CreateFileW((Work + L"locked").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  U->SetUseCRC32(true);
  EXPECT_TRUE(Newer(L"", Work + L"locked", 0, 0));
  U->SetUseCRC32(false);
  EXPECT_TRUE(Newer(L"", Work + L"locked", 0, 293));
  EXPECT_TRUE(Newer(L"", Work + L"locked", 3));
  CloseHandle(lock);
  EXPECT_FALSE(Newer(L"", Work + L"locked", 3));
}

TEST(UpdateUrls, Texts) {
  TNetUpdate* u = new TNetUpdate(nullptr);
  EXPECT_EQ(u->URLtoFile(L"http://host/dir/file.exe"), L"file.exe");
  EXPECT_EQ(u->URLtoFile(L"http://host/get?name.bin"), L"name.bin");
  EXPECT_EQ(u->URLtoFile(L"C:\\folder\\file.txt"), L"file.txt");
  u->OnFileNameFromURL = [](TObject*, const String&, String& Name) { Name = L"renamed_" + Name; };
  EXPECT_EQ(u->URLtoFile(L"http://host/a.txt"), L"renamed_a.txt");
  u->Free();
  EXPECT_EQ(TNetUpdate::URLToDomain(L"http://host:8080/a/b"), L"host:8080");
  EXPECT_EQ(TNetUpdate::URLToDomain(L"host\\path\\x"), L"host");
  EXPECT_EQ(TNetUpdate::URLToDomain(L"ftp://user@site/x"), L"user@site");
  EXPECT_EQ(TNetUpdate::MakeProxyUrl(L"HTTP://site/x", L"me", L"pw"), L"http://me:pw@site/x");
  EXPECT_EQ(TNetUpdate::MakeProxyUrl(L"https://site/x", L"me", L"pw"), L"https://site/x");
  EXPECT_EQ(TNetUpdate::MakeProxyUrl(L"http://site/x", L"", L"pw"), L"http://site/x");
  EXPECT_EQ(TNetUpdate::EncodeBase64(L"upd:secret"), L"dXBkOnNlY3JldA==");
  EXPECT_EQ(TNetUpdate::EncodeBase64(L"ab"), L"YWI=");
  EXPECT_EQ(TNetUpdate::EncodeBase64(L"abc"), L"YWJj");
  EXPECT_EQ(TNetUpdate::EncodeBase64(L""), L"");
  // Only the low 8 bits of a character count: U+0161 is 0x61, "a".
  EXPECT_EQ(TNetUpdate::EncodeBase64(L"\u0161"), L"YQ==");
}

TEST(UpdatePaths, DirectoryFormAndPrefixes) {
  EXPECT_EQ(DirectoryForm(L"C:\\App"), L"C:\\App");
  EXPECT_EQ(DirectoryForm(L"C:\\App\\"), L"C:\\App");
  EXPECT_EQ(DirectoryForm(L""), L".");
  EXPECT_EQ(DirectoryForm(L"\\\\h\\s"), L"\\\\h\\s\\.");
  auto convert = [](const String& p) { return p == L"APP" ? String(L"C:\\App") : String(); };
  EXPECT_EQ(ExpandPathPrefixes(L"{app}\\x.exe", convert), L"C:\\App\\x.exe");
  EXPECT_EQ(ExpandPathPrefixes(L"plain\\path", convert), L"plain\\path");
  EXPECT_EQ(ExpandPathPrefixes(L"{NONE}\\x", convert), L"{NONE}\\x");
  // A folder whose name holds a token expands once, and the scan ends.
  auto loop = [](const String& p) { return p == L"APP" ? String(L"C:\\{APP}") : String(); };
  EXPECT_EQ(ExpandPathPrefixes(L"{APP}\\x", loop), L"C:\\{APP}\\x");

  TNetUpdate* u = new TNetUpdate(nullptr);
  String app = ExtractFilePath(GetModuleName(nullptr));
  EXPECT_EQ(u->ExpandPrefixes(L"{APP}\\file.exe"), DirectoryForm(app) + L"\\file.exe");
  EXPECT_EQ(u->ExpandPrefixes(L"{unknown}\\name"), L".\\name");
  EXPECT_EQ(u->ExpandPrefixes(L"no braces"), L"no braces");
  u->SetUseWinTempDir(false);
  u->SetTempDirectory(L"D:\\Temp");
  EXPECT_EQ(u->ExpandPrefixes(L"{TMP}\\a"), L"D:\\Temp\\a");
  u->OnConvertPrefix = [](TObject*, String& Path) { Path = L"{APP}\\changed"; };
  EXPECT_EQ(u->ExpandPrefixes(L"anything"), DirectoryForm(app) + L"\\changed");
  u->Free();
}

TEST(UpdatePaths, NamesAndFolders) {
  for (const wchar_t* ok : {L"a.exe", L"Vantrel.exe_NEW", L"x", L"name with blank.txt"})
    EXPECT_TRUE(IsPlainFileName(ok)) << WideToAnsi(ok);
  for (const wchar_t* bad : {L"", L".", L"..", L"a\\b", L"a/b", L"C:x", L"CON", L"con.txt", L"NUL", L"com1.log",
                             L"LPT9", L"a*b", L"...", L" . "})
    EXPECT_FALSE(IsPlainFileName(bad)) << WideToAnsi(bad);
  EXPECT_TRUE(IsSafeRelativePath(L"sub\\inner.txt"));
  EXPECT_FALSE(IsSafeRelativePath(L"..\\up.txt"));
  EXPECT_FALSE(IsSafeRelativePath(L"\\root.txt"));
  EXPECT_FALSE(IsSafeRelativePath(L"C:\\abs.txt"));
  EXPECT_TRUE(PathInside(L"C:\\App\\sub\\x", L"C:\\App"));
  EXPECT_TRUE(PathInside(L"C:\\App", L"C:\\App\\"));
  EXPECT_FALSE(PathInside(L"C:\\App\\..\\Other", L"C:\\App"));
  EXPECT_FALSE(PathInside(L"C:\\Application", L"C:\\App"));
  EXPECT_FALSE(PathInside(L"C:\\App\\CON", L"C:\\App"));
  EXPECT_FALSE(PathInside(L"D:\\App", L"C:\\App"));
}

TEST(UpdateIni, MemoryIniReads) {
  TMemIniFile ini;
  ini.SetText(L"; comment\r\n[Update]\r\nNewVersion = 1.2 \r\nnewversion=9\n[files]\rcount=2\r\n"
              L"[FILE1]\nurl=http://x/a\nflag=1\nnotbool=2\nbad=12a\n[update]\nlater=yes\nnoequals\n");
  EXPECT_EQ(ini.ReadString(L"update", L"newversion", L"-"), L"1.2");
  EXPECT_EQ(ini.ReadString(L"UPDATE", L"LATER", L"-"), L"yes");
  EXPECT_EQ(ini.ReadInteger(L"Files", L"Count", 0), 2);
  EXPECT_EQ(ini.ReadInteger(L"file1", L"bad", 7), 7);
  EXPECT_TRUE(ini.ReadBool(L"file1", L"flag", false));
  EXPECT_FALSE(ini.ReadBool(L"file1", L"notbool", true));
  EXPECT_TRUE(ini.ReadBool(L"file1", L"bad", true));
  EXPECT_EQ(ini.ReadString(L"missing", L"x", L"default"), L"default");
  EXPECT_FALSE(ini.ValueExists(L"update", L"noequals"));
  EXPECT_TRUE(ini.SectionExists(L"FILES"));
  TStringList keys;
  ini.ReadSection(L"update", &keys);
  EXPECT_EQ(keys.Count(), 2);
}

TEST(UpdateStatusTexts, TemplatesAndLogLines) {
  EXPECT_EQ(StatusText(929, L"1.2"), L"New version found : 1.2");
  EXPECT_EQ(StatusText(979, L"ignored detail"), L"Check versions");
  EXPECT_EQ(StatusText(915, L"100%s"), L"Download : 100%s");
  EXPECT_EQ(StatusTemplate(1), L"");

  String work = TestWorkFolder(L"log");
  TNetUpdate* u = new TNetUpdate(nullptr);
  u->SetLogFileName(work + L"update.log");
  u->DoStatus(927, L"", 11, 4);  // logging off: nothing
  EXPECT_FALSE(FileExists(work + L"update.log"));
  u->SetLogging(true);
  u->DoStatus(927, L"", 11, 4);
  u->DoStatus(979, L"ignored", 3, 0);
  u->SetLogging(false);
  u->AddToLog(L"raw line");
  TStringList lines;
  lines.LoadFromFile(work + L"update.log");
  ASSERT_EQ(lines.Count(), 3);
  String first = lines.Strings(0);
  EXPECT_NE(first.find(L" : [927] Invalid signature in update control file (Status:11) (Error:4)"), String::npos)
      << WideToAnsi(first);
  // "dd/mm/yyyy hh:nn:ss" with the user's separators, then the rest.
  TDateTime stamp = 0;
  EXPECT_TRUE(TryStrToDateTimeFmt(first.substr(0, 19), L"dd/mm/yyyy hh:nn:ss", stamp));
  EXPECT_NE(lines.Strings(1).find(L"[979] Check versions (Status:3)"), String::npos);
  EXPECT_EQ(lines.Strings(2), L"raw line");
  u->Free();
}

TEST(UpdateStatusTexts, LogFilePlaces) {
  String documents = UserFolder(TUserFolder::ufDocuments);
  EXPECT_EQ(PlaceLogFile(L"WUPDATE.LOG", L"C:\\App"), documents + L"\\WUPDATE.LOG");
  EXPECT_EQ(PlaceLogFile(L"{APP}\\up.log", L"C:\\App\\"), L"C:\\App\\up.log");
  EXPECT_EQ(PlaceLogFile(L"{app}up.log", L"C:\\App"), L"C:\\App\\up.log");
  EXPECT_EQ(PlaceLogFile(L"\\\\server\\share\\\\x.log", L"C:\\App"), L"\\\\server\\share\\x.log");
  // A folder that does not exist yet is made.
  String work = TestWorkFolder(L"logplace");
  AppendLogLine(work + L"deep\\er\\x.log", L"line");
  EXPECT_EQ(ReadFileBytes(work + L"deep\\er\\x.log"), "line\r\n");
}

TEST(UpdateStatusTexts, ErrorReportsTheLastError) {
  TNetUpdate* u = new TNetUpdate(nullptr);
  TStatusRecorder status(u);
  TMessageBoxScript boxes;
  SetLastError(0);
  u->Error();
  EXPECT_TRUE(status.Lines().empty());
  SetLastError(12007);  // the name could not be resolved
  u->Error();
  ASSERT_EQ(status.Lines().size(), 1u);
  EXPECT_EQ(status.Lines()[0].Status, 1);
  EXPECT_EQ(status.Lines()[0].Error, 12007);
  EXPECT_EQ(status.Lines()[0].Text.compare(0, 15, L"System error : "), 0);
  // OnStatus assigned: no message box.
  EXPECT_TRUE(boxes.Texts().empty());
  u->OnStatus = nullptr;
  SetLastError(12007);
  u->Error();
  EXPECT_EQ(boxes.Texts().size(), 1u);
  u->SetUpdateUpdate(TNetUpdateUpdate::wuuSilent);
  SetLastError(12007);
  u->Error();
  EXPECT_EQ(boxes.Texts().size(), 1u);
  u->Free();
}

TEST(UpdateComponent, VersionAndDefaults) {
  TNetUpdate* u = new TNetUpdate(nullptr);
  EXPECT_EQ(u->Version(), L"2.4.2.0");
  u->SetVersion(L"9.9");
  EXPECT_EQ(u->Version(), L"2.4.2.0");
  EXPECT_EQ(u->Agent(), L"TNetUpdate");
  EXPECT_EQ(u->Port(), 21);
  EXPECT_EQ(u->Signature(), L"NetUpdate");
  EXPECT_EQ(u->TempDirectory(), L".");
  EXPECT_TRUE(u->UseWinTempDir());
  EXPECT_TRUE(u->AutoRestart());
  EXPECT_FALSE(u->PostUpdateInfo()->Enabled());
  EXPECT_EQ(UpdateLogFileName(), L"WUPDATE.LOG");
  EXPECT_EQ(u->WinTempDir(), GetTempDir());
  u->SetUseWinTempDir(false);
  u->SetTempDirectory(L"C:\\t");
  EXPECT_EQ(u->WinTempDir(), L"C:\\t\\");
  u->Free();
}

TEST(UpdateFileList, SizesFollowTheActiveItem) {
  TFileList list;
  for (int size : {10, 20, 30}) list.Add()->SetFileSize(size);
  EXPECT_EQ(list.TotalSize(), 60);
  list.SetActiveItem(2);
  EXPECT_EQ(list.CompletedSize(), 30);
  TFileDescription* d = list.Add();
  EXPECT_TRUE(d->Preselect());
  EXPECT_EQ(d->NewCheckSum(), -1);
}

TEST(UpdateCabinet, ExtractsFilesFoldersAndDates) {
  String work = TestWorkFolder(L"cab");
  for (const wchar_t* cab : {L"files.cab", L"zipped.cab"}) {
    SCOPED_TRACE(WideToAnsi(cab));
    String target = work + ChangeFileExt(cab, L"") + L"\\";
    ForceDirectories(target);
    TDateTime before = Now();
    ASSERT_EQ(ExtractCabinet(Fixture(cab), target), 0);
    EXPECT_EQ(ReadFileBytes(target + L"readme.txt"), "The readme of the cabinet.\r\n");
    EXPECT_EQ(ReadFileBytes(target + L"sub\\inner.txt"), "A file in a folder of the cabinet.\r\n");
    TDateTime age = 0;
    ASSERT_TRUE(FileAge(target + L"readme.txt", age));
    EXPECT_EQ(FormatDateTime(L"yyyy-mm-dd hh:nn", age), L"2020-05-17 10:30");
    // No stored date: the time of extraction.
    ASSERT_TRUE(FileAge(target + L"zero.txt", age));
    EXPECT_GE(age, before - 1.0 / 86400 * 5);
  }
  EXPECT_EQ(ReadFileBytes(work + L"zipped\\big.bin").size(), 256u * 400);
}

TEST(UpdateCabinet, RefusesWhatIsNoCabinetOrLeavesItsFolder) {
  String work = TestWorkFolder(L"cabbad");
  String target = work + L"inside\\";
  ForceDirectories(target);
  EXPECT_EQ(ExtractCabinet(Fixture(L"notcab.cab"), target), -1);
  EXPECT_EQ(ExtractCabinet(work + L"missing.cab", target), -1);
  EXPECT_EQ(ExtractCabinet(Fixture(L"escape.cab"), target), -1);
  EXPECT_FALSE(FileExists(work + L"escaped.txt"));
  EXPECT_TRUE(FileExists(target + L"kept.txt"));
  // An empty target extracts below the current folder.
  String saved = GetCurrentDir();
  SetCurrentDir(work);
  EXPECT_EQ(ExtractCabinet(Fixture(L"files.cab"), L""), 0);
  SetCurrentDir(saved);
  EXPECT_TRUE(FileExists(work + L"sub\\inner.txt"));
}

TEST(UpdateLz, ExpandsInPlaceAndDeletesOnlyAfterSuccess) {
  String work = TestWorkFolder(L"lz");
  CopyFileW(Fixture(L"notes.tx_").c_str(), (work + L"notes.tx_").c_str(), FALSE);
  EXPECT_EQ(LZExpandFile(work + L"notes.tx_"), work + L"notes.txt");
  EXPECT_EQ(ReadFileBytes(work + L"notes.txt"), ReadFileBytes(Fixture(L"notes.txt.expected")));
  EXPECT_FALSE(FileExists(work + L"notes.tx_"));
  // A plain file stays as it is.
  WriteFileBytes(work + L"plain.txt", "plain");
  EXPECT_EQ(LZExpandFile(work + L"plain.txt"), work + L"plain.txt");
  EXPECT_EQ(ReadFileBytes(work + L"plain.txt"), "plain");
  // The expanded file cannot be written (a folder of its name is in the
  // way): the compressed file is kept.
  String blocked = work + L"blocked\\";
  ForceDirectories(blocked + L"notes.txt");
  CopyFileW(Fixture(L"notes.tx_").c_str(), (blocked + L"notes.tx_").c_str(), FALSE);
  EXPECT_EQ(LZExpandFile(blocked + L"notes.tx_"), L"");
  EXPECT_TRUE(FileExists(blocked + L"notes.tx_"));
}

TEST(UpdateWizardTexts, EnglishPolishAndAssign) {
  TOwned<TNetUpdateWizardEnglish> en(new TNetUpdateWizardEnglish(nullptr));
  TOwned<TNetUpdateWizardPolish> pl(new TNetUpdateWizardPolish(nullptr));
  EXPECT_EQ(en->Welcome(), L"Press start to start checking for available application updates ...");
  EXPECT_EQ(en->TotalProgress(), L"Total file progress");
  EXPECT_EQ(pl->NextButton(), L"Dalej");
  EXPECT_EQ(pl->TotalProgress(), L"\u0141\u0105czny post\u0119p");
  EXPECT_EQ(pl->WhatsNewPopup(), L"View in Notepad");
  TOwned<TNetUpdateWizardLanguage> plain(new TNetUpdateWizardLanguage(nullptr));
  plain->SetWhatsNewPopup(L"x");
  plain->Assign(pl);
  EXPECT_EQ(plain->RestartButton(), L"Zako\u0144cz");
  EXPECT_EQ(plain->WhatsNewPopup(), L"View in Notepad");
  TStringList other;
  plain->Assign(&other);  // ignored
  EXPECT_EQ(plain->NextButton(), L"Dalej");
}

}  // namespace
