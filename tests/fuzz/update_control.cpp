// The update control file on any bytes, as the update reads it from a
// folder: fetched, checked for a newer version, its file list read and
// filtered, and its actions run (message boxes answered No, programs and
// pages recorded instead of started). Whatever the file says, every step
// returns one of its results, the file list stays bounded, and nothing is
// written outside the update's own folder.
#include "base/Dialogs.h"
#include "base/FileUtils.h"
#include "base/MemIniFile.h"
#include "base/Shell.h"
#include "tests/fuzz/Fuzz.h"
#include "update/NetUpdate.h"

namespace {

struct TTarget {
  TNetUpdate* Update = nullptr;
  String Folder;   // where the control file lies
  String Temp;     // the update's download folder
};

TTarget& Target() {
  static TTarget t;
  if (!t.Update) {
    t.Folder = IncludeTrailingPathDelimiter(GetTempDir()) + L"vantrel_fuzz_update\\";
    t.Temp = t.Folder + L"download\\";
    ForceDirectories(t.Temp);
    t.Update = new TNetUpdate(nullptr);
    t.Update->SetUpdateType(TNetUpdateType::fileUpdate);
    t.Update->SetUseWinTempDir(false);
    t.Update->SetTempDirectory(t.Temp);
    t.Update->SetURL(t.Folder + L"control.inf");
    SetMessageBoxHook([](const String&, const String&, UINT) { return IDNO; });
    SetShellExecuteHook([](HWND, const String&, const String&, const String&, const String&, int) -> INT_PTR {
      return 42;
    });
    FuzzAtEnd([] {
      t.Update->Free();
      SetMessageBoxHook(nullptr);
      SetShellExecuteHook(nullptr);
    });
  }
  return t;
}

}  // namespace

void FuzzOne(const uint8_t* Data, size_t Size) {
  TTarget& t = Target();
  TNetUpdate* u = t.Update;
  HANDLE h = CreateFileW((t.Folder + L"control.inf").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  FuzzCheck(h != INVALID_HANDLE_VALUE, "the control file cannot be written");
  DWORD put = 0;
  WriteFile(h, Data, static_cast<DWORD>(Size), &put, nullptr);
  CloseHandle(h);

  FuzzCheck(u->StartConnection() == 0, "a folder update does not start");
  int got = u->GetControlFile();
  FuzzCheck(got == 0 || got == 5, "the control file was not read");
  int check = u->DoVersionCheck();
  FuzzCheck(check >= VersionCheckResult::NewerByDate && check <= VersionCheckResult::AcceptedByCustom,
            "the version check gave no result");
  int files = u->GetFileDetails();
  FuzzCheck(files >= 0 && files <= 1000 && files == u->FileList()->Count(), "the file list is not bounded");
  if (files > 0) {
    int left = u->ProcessFileDetails();
    FuzzCheck(left == 0 || left == -1, "filtering the files gave no result");
    FuzzCheck((left == -1) == (u->FileList()->Count() == 0), "filtering answered wrongly");
  }
  int actions = u->HandleActions();
  FuzzCheck(actions == 0 || actions == -1, "the actions gave no result");
  u->StopConnection();
  FuzzCheck(!u->InProgress(), "the connection stayed open");
  // Only the control file's copy came to the download folder, and it is
  // gone with the connection.
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW((t.Temp + L"*").c_str(), &fd);
  int left = 0;
  if (find != INVALID_HANDLE_VALUE) {
    do {
      String name = fd.cFileName;
      if (name != L"." && name != L"..") ++left;
    } while (FindNextFileW(find, &fd));
    FindClose(find);
  }
  FuzzCheck(left == 0, "files were left in the download folder");
}
