// The updater program end to end: an application hands over to it, ends,
// is replaced and started again; and the updater's kinds of components,
// its log and its restart, run on their own.
#include <gtest/gtest.h>

#include "base/FileUtils.h"
#include "base/IniFiles.h"
#include "tests/update/UpdateServers.h"
#include "tests/update/UpdateTestSupport.h"
#include "update/VersionCheck.h"
#include "update/updater/Updater.h"
#include "update/common/RunProgram.h"
#include "update/common/UpdatePaths.h"

namespace {

String Updater() { return BuildFolder() + L"\\update\\updater\\wusetup.exe"; }
String HandOverFile() { return UserFolder(TUserFolder::ufDocuments) + L"\\WUPDATE.INI"; }

// Waits (bounded) until File holds Text.
bool WaitForText(const String& File, const std::string& Text, DWORD TimeoutMs = 60000) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < TimeoutMs) {
    if (ReadFileBytes(File).find(Text) != std::string::npos) return true;
    Sleep(100);
  }
  return false;
}

// Runs CommandLine in Folder and waits (bounded) for its end; its exit code.
DWORD RunIn(const String& CommandLine, const String& Folder) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  String cmd = CommandLine;
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, Folder.c_str(), &si, &pi))
    return 0xFFFFFFFF;
  WaitForSingleObject(pi.hProcess, 60000);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

TEST(UpdaterProgram, ApplicationIsReplacedAndStartedAgain) {
  TUpdateServers& servers = TUpdateServers::Get();
  ASSERT_TRUE(servers.Ready());
  String work = TestWorkFolder(L"handover");
  // A folder with a blank: the restart keeps the path whole.
  String app = work + L"my app\\";
  String temp = work + L"temp\\";
  ForceDirectories(app);
  ForceDirectories(temp);
  ASSERT_TRUE(CopyFileW(Fixture(L"handover_app_v1.exe").c_str(), (app + L"handover_app.exe").c_str(), FALSE));
  servers.PutFile(L"handover_app.exe_NEW", ReadFileBytes(Fixture(L"handover_app_v2.exe")));
  servers.PutFile(L"handover.inf",
                  L"[update]\r\nnewversion=2.0.0.0\r\nlocalversion={APP}\\handover_app.exe\r\n"
                  L"[application]\r\nappupdate=1\r\nappname=handover_app.exe\r\nappparam=--second run\r\n"
                  L"appcomps=handover_app.exe_NEW\r\n[files]\r\ncount=1\r\n[file1]\r\nurl=" +
                      servers.Http(L"/files/handover_app.exe_NEW") + L"\r\n");
  String command = L"\"" + app + L"handover_app.exe\" --update " + servers.Http(L"/files/handover.inf") + L" \"" +
                   ExcludeTrailingPathDelimiter(temp) + L"\"";
  EXPECT_EQ(RunIn(command, work), 0u);
  String log = app + L"handover.log";
  ASSERT_TRUE(WaitForText(log, "started 2 --second run")) << ReadFileBytes(log) << ReadFileBytes(app + L"update.log");
  std::string lines = ReadFileBytes(log);
  EXPECT_LT(lines.find("started 1 --update"), lines.find("handed over"));
  EXPECT_LT(lines.find("handed over"), lines.find("started 2 --second run"));
  EXPECT_EQ(VersionToStr(GetFileVersion(app + L"handover_app.exe")), L"2.0.0.0");
  // The updater's own lines, in the log that the application named.
  std::string updateLog = ReadFileBytes(app + L"update.log");
  ASSERT_TRUE(WaitForText(app + L"update.log", "UPD has EXE restarted"));
  updateLog = ReadFileBytes(app + L"update.log");
  for (const char* text : {"[000] UPD v2.0.4.0 started", "[000] UPD current directory: ", "for application close",
                           "[000] Upd copying file : ", "[000] UPD restart "})
    EXPECT_NE(updateLog.find(text), std::string::npos) << text;
  EXPECT_FALSE(FileExists(HandOverFile()));
}

class UpdaterKinds : public ::testing::Test {
 protected:
  void SetUp() override {
    Work = TestWorkFolder(L"kinds");
    App = Work + L"app\\";
    Comps = Work + L"comps\\";
    ForceDirectories(App);
    ForceDirectories(Comps);
  }
  void TearDown() override { DeleteFileW(HandOverFile().c_str()); }
  // The hand-over file names the log; the updater reads and deletes it.
  DWORD RunUpdater(const String& Args) {
    TIniFile ini(HandOverFile());
    ini.WriteString(L"CONFIG", L"LOGFILENAME", Work + L"upd.log");
    ini.UpdateFile();
    return RunIn(L"\"" + Updater() + L"\" " + Args, App);
  }
  std::string Log() { return ReadFileBytes(Work + L"upd.log"); }
  String Work, App, Comps;
};

TEST_F(UpdaterKinds, EachKindGoesInPlace) {
  WriteFileBytes(Comps + L"a.txt_new", "new a");
  CopyFileW(Fixture(L"notes.tx_").c_str(), (Comps + L"notes.tx_").c_str(), FALSE);
  CopyFileW(Fixture(L"files.cab").c_str(), (Comps + L"files.cab").c_str(), FALSE);
  CopyFileW(Fixture(L"notes.tx_").c_str(), (Comps + L"listed.tx_").c_str(), FALSE);
  CopyFileW(Fixture(L"zipped.cab").c_str(), (Comps + L"listed.cab").c_str(), FALSE);
  CopyFileW(Fixture(L"versioned_1_2_0_0.exe").c_str(), (Comps + L"runme.exe").c_str(), FALSE);
  WriteFileBytes(Comps + L"list.inf",
                 "[FILES]\r\nCOUNT=3\r\nFILE1=listed.tx_\r\nTARGET1={APP}\\t1\r\nFILE2=listed.cab\r\nTARGET2={APP}\\t2\r\n"
                 "FILE3=a.txt_NEW\r\nTARGET3={WIN}\r\n");
  // A file of the application's folder with a component's name stays.
  WriteFileBytes(App + L"files.cab", "the application's own");
  WriteFileBytes(App + L"runme.exe", "the application's own");
  EXPECT_EQ(RunUpdater(L"99999999 L null \" \" \"" + Comps + L"\" a.txt_NEW notes.tx_ files.cab list.inf runme.exe "
                                                                    L"..\\up.txt"),
            0u);
  EXPECT_EQ(ReadFileBytes(App + L"a.txt"), "new a");
  EXPECT_EQ(ReadFileBytes(App + L"notes.txt"), ReadFileBytes(Fixture(L"notes.txt.expected")));
  EXPECT_EQ(ReadFileBytes(App + L"sub\\inner.txt"), "A file in a folder of the cabinet.\r\n");
  EXPECT_EQ(ReadFileBytes(App + L"t1\\listed.txt"), ReadFileBytes(Fixture(L"notes.txt.expected")));
  EXPECT_EQ(ReadFileBytes(App + L"t2\\big.bin").size(), 256u * 400);
  // Used-up cabinets and programs go from the components folder only.
  EXPECT_FALSE(FileExists(Comps + L"files.cab"));
  EXPECT_FALSE(FileExists(Comps + L"runme.exe"));
  EXPECT_EQ(ReadFileBytes(App + L"files.cab"), "the application's own");
  EXPECT_EQ(ReadFileBytes(App + L"runme.exe"), "the application's own");
  std::string log = Log();
  for (const char* text : {"UPD v2.0.4.0 started", "Upd copying file : ", "Upd inf file: ", "upd inf 1 : listed.tx_",
                           "upd inf 2 : listed.cab", "Upd cab extract files.cab", "Upd execute runme.exe",
                           "Upd lzexpand notes.tx_", "Upd lzexpand dest. filename ", "Upd refused target ",
                           "Upd refused component ..\\up.txt"})
    EXPECT_NE(log.find(text), std::string::npos) << text << "\n" << log;
  // "null": nothing is started.
  EXPECT_EQ(log.find("UPD restart"), std::string::npos);
  EXPECT_EQ(log.find("UPD has EXE restarted"), std::string::npos);
  EXPECT_FALSE(FileExists(HandOverFile()));
}

TEST_F(UpdaterKinds, NoProcessNumberDoesNothing) {
  WriteFileBytes(Comps + L"a.txt_new", "new a");
  EXPECT_NE(RunUpdater(L"notanumber L null \" \" \"" + Comps + L"\" a.txt_NEW"), 0u);
  EXPECT_FALSE(FileExists(App + L"a.txt"));
  EXPECT_FALSE(FileExists(Work + L"upd.log"));
  EXPECT_TRUE(FileExists(HandOverFile()));
}

TEST_F(UpdaterKinds, RestartKeepsThePathWhole) {
  String tools = Work + L"my tools\\";
  ForceDirectories(tools);
  CopyFileW(Fixture(L"handover_app_v2.exe").c_str(), (tools + L"handover_app.exe").c_str(), FALSE);
  // A program of the first part of the path must not be what runs.
  CopyFileW(Fixture(L"handover_app_v1.exe").c_str(), (Work + L"my.exe").c_str(), FALSE);
  EXPECT_EQ(RunUpdater(L"99999999 X \"" + tools + L"handover_app.exe\" \" \" \"" + Comps + L"\""), 0u);
  ASSERT_TRUE(WaitForText(tools + L"handover.log", "started 2\r\n"));
  EXPECT_FALSE(FileExists(Work + L"handover.log"));
  // Logging off: only the restart line.
  std::string log = Log();
  EXPECT_EQ(log.find("UPD v2.0.4.0 started"), std::string::npos);
  EXPECT_NE(log.find("UPD has EXE restarted"), std::string::npos);
  // Parameters go along.
  EXPECT_EQ(RunUpdater(L"99999999 L \"" + tools + L"handover_app.exe\" \"-a -b\" \"" + Comps + L"\""), 0u);
  ASSERT_TRUE(WaitForText(tools + L"handover.log", "started 2 -a -b"));
  EXPECT_NE(Log().find("UPD restart " + WideToAnsi(tools) + "handover_app.exe -a -b"), std::string::npos);
}

TEST(UpdaterArguments, QuotesAndBackslashes) {
  std::vector<String> args =
      SplitUpdaterArguments(L"\"C:\\t\\wusetup.exe\" 12 L \"C:\\a b\\x.exe\" \" \" \"C:\\t\\\" n1  n2");
  std::vector<String> expected{L"C:\\t\\wusetup.exe", L"12", L"L", L"C:\\a b\\x.exe", L" ", L"C:\\t\\", L"n1", L"n2"};
  EXPECT_EQ(args, expected);
}

}  // namespace
