#include "update/updater/Updater.h"

#include "base/FileUtils.h"
#include "base/IniFiles.h"
#include "base/MemIniFile.h"
#include "base/Registry.h"
#include "update/common/Cabinet.h"
#include "update/common/LzExpand.h"
#include "update/common/RunProgram.h"
#include "update/common/UpdateLog.h"
#include "update/common/UpdatePaths.h"

namespace {

constexpr int kMaxListEntries = 1000;

class TUpdater {
 public:
  TUpdater(const String& LogFile, bool Logging) : FLogFile(LogFile), FLogging(Logging) {}

  void Log(const String& Text, bool Always = false) {
    if (FLogging || Always) AppendLogLine(FLogFile, LogTimeStamp() + L" : [000] " + Text);
  }

  // One component: Name in the components folder, put in place in Target
  // (both folders with a trailing backslash).
  void Component(const String& Name, const String& Components, const String& Target, bool FromList);

 private:
  void List(const String& Name, const String& Components);
  String ExpandTarget(const String& Target);
  bool TargetAllowed(const String& Folder, const String& Components);
  // Deletes a file this run used up: by its full path in the components
  // folder, never by a bare name.
  void Discard(const String& Components, const String& Name) { DeleteFileW((Components + Name).c_str()); }

  String FLogFile;
  bool FLogging;
};

String WithSlash(const String& Folder) { return IncludeTrailingPathDelimiter(Folder); }

bool EndsWithNew(const String& Name) {
  return Name.size() > 4 && UpperCase(Name.substr(Name.size() - 4)) == L"_NEW";
}

void TUpdater::Component(const String& Name, const String& Components, const String& Target, bool FromList) {
  // A component is a file of the components folder, nothing else.
  if (!IsPlainFileName(Name)) {
    Log(L"Upd refused component " + Name);
    return;
  }
  String ext = UpperCase(ExtractFileExt(Name));
  if (EndsWithNew(Name)) {
    String base = Name.substr(0, Name.size() - 4);
    String text = Components + base + L"_NEW to " + Target + base;
    if (!FileExists(Components + base + L"_new")) return;
    Log(L"Upd copying file : " + text);
    if (!CopyFileW((Components + base + L"_new").c_str(), (Target + base).c_str(), FALSE))
      Log(L"Upd copy error " + text);
  } else if (ext == L".INF") {
    // A list names components, never further lists.
    if (FromList) {
      Log(L"Upd refused component " + Name);
      return;
    }
    List(Name, Components);
  } else if (ext == L".PAT") {
    String patcher = FileExists(Components + L"patcher.exe") ? Components + L"patcher.exe" : String(L"patcher.exe");
    String patched = Target + ChangeFileExt(Name, L".EXE");
    String command = QuoteArgument(patcher) + (FLogging ? L" -v " : L" ") + QuoteArgument(Components + Name) + L" " +
                     QuoteArgument(patched) + (FLogging ? L" >>WUPDATELOG" : L"");
    DWORD code = 0;
    RunAndWait(command, false, code);
    Discard(Components, Name);
  } else if (ext == L".CAB") {
    Log(L"Upd cab extract " + Name + L" " + Target);
    if (ExtractCabinet(Components + Name, Target) == 0)
      Discard(Components, Name);
    else
      Log(L"Upd cabextract failed");
  } else if (ext == L".EXE") {
    Log(L"Upd execute " + Name + L" " + Target);
    DWORD code = 0;
    if (RunAndWait(QuoteArgument(Components + Name), true, code)) Sleep(500);
    Discard(Components, Name);
  } else {
    Log(L"Upd lzexpand " + Name + L" " + Target);
    String expanded = LZExpandFile(Components + Name);
    if (expanded.empty()) return;
    Log(L"Upd lzexpand dest. filename " + expanded);
    if (!Target.empty())
      MoveFileExW(expanded.c_str(), (Target + ExtractFileName(expanded)).c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED);
  }
}

String TUpdater::ExpandTarget(const String& Target) {
  return ExpandPathPrefixes(Target, [](const String& Prefix) {
    String folder;
    if (Prefix == L"WIN") {
      folder = WindowsFolder();
    } else if (Prefix == L"SYS") {
      folder = SystemFolder();
    } else if (Prefix == L"APP") {
      folder = GetCurrentDir();
    } else if (Prefix == L"TMP") {
      folder = GetTempDir();
    } else if (Prefix == L"PF") {
      TRegistry reg(KEY_READ);
      reg.SetRootKey(HKEY_LOCAL_MACHINE);
      if (reg.OpenKeyReadOnly(L"\\Software\\Microsoft\\Windows\\CurrentVersion"))
        folder = reg.ReadString(L"ProgramFilesDir");
    } else {
      return String();
    }
    return DirectoryForm(folder);
  });
}

bool TUpdater::TargetAllowed(const String& Folder, const String& Components) {
  return PathInside(Folder, GetCurrentDir()) || PathInside(Folder, Components);
}

void TUpdater::List(const String& Name, const String& Components) {
  Log(L"Upd inf file: " + Components + Name);
  TMemIniFile ini(Components + Name);
  int count = std::min(ini.ReadInteger(L"FILES", L"COUNT", 0), kMaxListEntries);
  for (int n = 1; n <= count; ++n) {
    String file = ini.ReadString(L"FILES", L"FILE" + IntToStr(n), L"");
    String target = ini.ReadString(L"FILES", L"TARGET" + IntToStr(n), L"");
    Log(L"upd inf " + IntToStr(n) + L" : " + file + L" " + target);
    String folder = target.empty() ? WithSlash(GetCurrentDir()) : WithSlash(ExpandTarget(target));
    // Nothing is written outside the application's and the components'
    // folders.
    if (!TargetAllowed(folder, Components)) {
      Log(L"Upd refused target " + folder);
      continue;
    }
    if (!DirectoryExists(folder)) ForceDirectories(folder);
    Component(file, Components, folder, true);
  }
}

}  // namespace

std::vector<String> SplitUpdaterArguments(const String& CommandLine) {
  std::vector<String> args;
  size_t i = 0, n = CommandLine.size();
  while (i < n) {
    while (i < n && (CommandLine[i] == L' ' || CommandLine[i] == L'\t')) ++i;
    if (i >= n) break;
    String arg;
    bool quoted = false;
    for (; i < n; ++i) {
      wchar_t c = CommandLine[i];
      if (c == L'"') {
        quoted = !quoted;
        continue;
      }
      if (!quoted && (c == L' ' || c == L'\t')) break;
      arg += c;
    }
    args.push_back(arg);
  }
  return args;
}

int RunUpdater(const std::vector<String>& Args) {
  auto arg = [&](size_t i) { return i < Args.size() ? Args[i] : String(); };
  int pid = 0;
  if (!TryStrToInt(arg(1), pid)) return 1;
  String started = LogTimeStamp(true);
  if (HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid))) {
    WaitForSingleObject(process, INFINITE);
    CloseHandle(process);
  }
  String ended = LogTimeStamp(true);
  String documents = UserFolder(TUserFolder::ufDocuments);
  String handOver = documents + L"\\WUPDATE.INI";
  String logName = L"WUPDATE.LOG";
  if (FileExists(handOver)) {
    logName = TMemIniFile(handOver).ReadString(L"CONFIG", L"LOGFILENAME", L"WUPDATE.LOG");
    DeleteFileW(handOver.c_str());
  }
  Sleep(500);
  TUpdater updater(PlaceLogFile(logName, GetCurrentDir()), arg(2) == L"L");
  updater.Log(L"UPD v2.0.4.0 started");
  updater.Log(L"UPD current directory: " + GetCurrentDir());
  updater.Log(L"UPD waited from " + started + L" to " + ended + L" for application close");
  String components = WithSlash(arg(5));
  String target = WithSlash(GetCurrentDir());
  for (size_t i = 6; i < Args.size(); ++i) updater.Component(Args[i], components, target, false);
  String app = arg(3);
  if (app == L"null" || app.empty()) return 0;
  updater.Log(L"UPD restart " + app + L" " + arg(4));
  // The program's path stays whole, blanks and all.
  String params = arg(4);
  String command = QuoteArgument(app) + (Trim(params).empty() ? String() : L" " + params);
  RunDetached(command, true);
  updater.Log(L"UPD has EXE restarted", true);
  return 0;
}
