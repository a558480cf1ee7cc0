#include <gtest/gtest.h>

#include "app/SingleInstance.h"
#include "base/SysUtils.h"

namespace {

// A file standing for the executable, in a folder of its own under the temp
// folder; both removed at the end.
struct ProbeFile {
  String Dir, Path;
  ProbeFile(const String& Folder, const String& Name) {
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    Dir = IncludeTrailingPathDelimiter(tmp) + Folder + L"-" + IntToStr(static_cast<int>(GetCurrentProcessId()));
    CreateDirectoryW(Dir.c_str(), nullptr);
    Path = Dir + L"\\" + Name;
    HANDLE f = CreateFileW(Path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, "MZ", 2, &written, nullptr);
    CloseHandle(f);
  }
  ~ProbeFile() {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((Dir + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do DeleteFileW((Dir + L"\\" + fd.cFileName).c_str());
      while (FindNextFileW(h, &fd));
      FindClose(h);
    }
    RemoveDirectoryW(Dir.c_str());
  }
};

String ShortSpelling(const String& Path) {
  wchar_t buf[MAX_PATH];
  DWORD n = GetShortPathNameW(Path.c_str(), buf, MAX_PATH);
  return n && n < MAX_PATH ? String(buf, n) : L"";
}

// The same file through another drive letter: wine's Z: drive shows the
// whole Unix file system, the prefix's C: drive included.
String OtherDriveSpelling(const String& Path) {
  using UnixName = char* (*)(const wchar_t*);
  auto unixName = reinterpret_cast<UnixName>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name"));
  if (!unixName) return L"";
  char* u = unixName(Path.c_str());
  if (!u) return L"";
  String z = L"Z:" + StringReplaceAll(AnsiToWide(u), L"/", L"\\");
  HeapFree(GetProcessHeap(), 0, u);
  return z;
}

TEST(SingleInstance, EverySpellingOfTheRunningExecutableFindsTheFirstCopy) {
  ProbeFile exe(L"vantrel-spelling", L"Spelling Probe Program.exe");
  ASSERT_TRUE(ClaimSingleInstance(exe.Path));  // the first copy

  String link = exe.Dir + L"\\Another Name.exe";
  ASSERT_TRUE(CreateHardLinkW(link.c_str(), exe.Path.c_str(), nullptr));
  struct Spelling {
    const char* Name;
    String Path;
    bool OnePath;  // the canonical path is the first copy's
  };
  const Spelling spellings[] = {
      {"upper case", AnsiUpperCase(exe.Path), true},
      {"short (8.3) name", ShortSpelling(exe.Path), true},
      {"another drive letter", OtherDriveSpelling(exe.Path), true},
      {"a hard link", link, false},
  };
  EXPECT_FALSE(ClaimSingleInstance(exe.Path));
  for (const Spelling& s : spellings) {
    SCOPED_TRACE(s.Name);
    ASSERT_FALSE(s.Path.empty()) << "this system offers no such spelling";
    EXPECT_NE(s.Path, exe.Path);
    if (s.OnePath) EXPECT_EQ(CanonicalPath(s.Path), CanonicalPath(exe.Path));
    EXPECT_FALSE(ClaimSingleInstance(s.Path));
  }
}

TEST(SingleInstance, ACopyInAnotherFolderRunsBesideTheFirst) {
  ProbeFile a(L"vantrel-copy-a", L"Copy Probe.exe");
  ProbeFile b(L"vantrel-copy-b", L"Copy Probe.exe");
  EXPECT_TRUE(ClaimSingleInstance(a.Path));
  EXPECT_TRUE(ClaimSingleInstance(b.Path));
  EXPECT_FALSE(ClaimSingleInstance(b.Path));
}

}  // namespace
