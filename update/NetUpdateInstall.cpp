// Installation: the download loop over the listed files, moves, LZ
// expansion, cabinets and patches, the embedded updater and patcher, and
// the hand-over to the updater that ends the application.
#include "base/Animate.h"
#include "base/Dialogs.h"
#include "base/FileStreams.h"
#include "base/FileUtils.h"
#include "base/Forms.h"
#include "base/IniFiles.h"
#include "base/Shell.h"
#include "base/StdCtrls.h"
#include "update/NetUpdate.h"
#include "update/UpdateDialogs.h"
#include "update/UpdateStatus.h"
#include "update/common/Cabinet.h"
#include "update/common/LzExpand.h"
#include "update/common/RunProgram.h"
#include "update/common/UpdatePaths.h"

using namespace UpdateStatus;

namespace {

String Ext(const String& Name) { return UpperCase(ExtractFileExt(Name)); }

bool MoveReplacing(const String& From, const String& To) {
  DWORD attrs = GetFileAttributesW(To.c_str());
  if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesW(To.c_str(), attrs & ~FILE_ATTRIBUTE_READONLY);
  return MoveFileExW(From.c_str(), To.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != 0;
}

// Writes the resource Name of the program to File; false when the program
// has none or the file cannot be written.
bool WriteResource(const wchar_t* Name, const String& File) {
  if (!TResourceStream::Exists(GetModuleHandleW(nullptr), Name)) return false;
  try {
    TResourceStream res(GetModuleHandleW(nullptr), Name);
    res.SaveToFile(File);
  } catch (const Exception&) {
    return false;
  }
  return true;
}

}  // namespace

bool TNetUpdate::IsAppComponent(const String& Name) const {
  // Whole names only: "A.EXE" is not "DATA.EXE".
  size_t start = 0;
  while (start < FAppComps.size()) {
    size_t end = FAppComps.find(L' ', start);
    if (end == String::npos) end = FAppComps.size();
    String comp = FAppComps.substr(start, end - start);
    if (!comp.empty() && SameText(ExtractFileName(comp), Name)) return true;
    start = end + 1;
  }
  return false;
}

bool TNetUpdate::CheckTargetPath(const String& Path) {
  if (PathInside(Path, ExeFolder()) || PathInside(Path, WinTempDir())) return true;
  DoStatus(UnsafePath, Path, 19, 11);
  return false;
}

String TNetUpdate::LZExpandFile(const String& name) { return ::LZExpandFile(name); }

int TNetUpdate::GetFileUpdates() {
  TNetUpdateUpdate mode = FUpdateUpdate;
  int result = 0;
  const int count = FFileList->Count();
  for (int i = 0; i < count && i < FFileList->Count(); ++i) {
    TFileDescription* f = FFileList->Items(i);
    bool download = true;
    if (mode == TNetUpdateUpdate::wuuPromptAll)
      download = AskUser(StatusTemplate(PromptFile) + URLtoFile(f->URL()), MB_YESNO | MB_ICONQUESTION) == IDYES;
    else if (mode == TNetUpdateUpdate::wuuPromptOnce)
      download = AskUser(StatusTemplate(PromptFiles), MB_YESNO | MB_ICONQUESTION) == IDYES;
    if (!download) {
      if (mode == TNetUpdateUpdate::wuuPromptOnce) break;
      continue;
    }
    String url = f->URL();
    String name = URLtoFile(url);
    FFileList->SetActiveItem(i);
    if (OnBeforeFileDownload) {
      String descr = f->Description();
      OnGui([&] { OnBeforeFileDownload(this, i + 1, descr, url); });
    }
    String targetDir = f->TargetDir();
    bool refused = (!targetDir.empty() && !CheckTargetPath(targetDir)) || !IsPlainFileName(name);
    if (!refused && !targetDir.empty() && !DirectoryExists(targetDir)) ForceDirectories(targetDir);
    // Application components wait where the updater is told to look.
    String folder = FUseWinTempDir || IsAppComponent(name) ? WinTempDir() : targetDir;
    bool ok = false;
    if (!refused) {
      if (FProgressForm) OnGui([this] { ShowProgressForm(FProgressForm, true); });
      ok = URLGetFile(FTransfer, url, folder, false);
      if (FProgressForm) OnGui([this] { ShowProgressForm(FProgressForm, false); });
    }
    if (!ok) {
      DoStatus(CannotDownload, url, 2, 9);
      FAppUpdate = false;
      result = -1;
    } else if (IsAppComponent(name)) {
      // Left in the download folder for the updater.
      FCompDownloaded = true;
      DoStatus(AppComponent, name, 0, 0);
    } else {
      String file = folder + name;
      String ext = Ext(name);
      if (ext != L".CAB" && ext != L".PAT" && FUseWinTempDir && !targetDir.empty() &&
          !SameText(FullPath(targetDir + name), FullPath(file))) {
        if (MoveReplacing(file, targetDir + name)) file = targetDir + name;
      }
      if (ext != L".CAB" && FExtractCAB && f->Compressed()) {
        // Expanded where it went; a file without a folder of its own is
        // expanded beside the application.
        if (targetDir.empty()) {
          String here = IncludeTrailingPathDelimiter(GetCurrentDir()) + name;
          if (CheckTargetPath(here) && MoveReplacing(file, here)) file = here;
        }
        if (LZExpandFile(file).empty()) DoStatus(CabError, file, 8, 0);
      }
      if (ext == L".CAB" && FExtractCAB && f->Compressed()) {
        if (ExtractCabinet(file, targetDir) == -1)
          DoStatus(CabError, file, 8, 0);
        else if (!FKeepIntermediateFiles)
          DeleteFileW(file.c_str());
      }
      if (ext == L".PAT" && FApplyPatch && !f->LocalVersion().empty() && CheckTargetPath(f->LocalVersion())) {
        String patcher = PatcherPath();
        if (FUtility && !FileExists(patcher)) ExtractPatcher();
        bool show = FUtility ? FUtility->ShowWindow() : true;
        bool animate = FUtility ? FUtility->ShowAnimation() : false;
        String caption = FUtility ? FUtility->StatusCaption() : String();
        String message = FUtility ? FUtility->StatusMessage() : String();
        String command = QuoteArgument(FileExists(patcher) ? patcher : String(L"patcher.exe")) +
                         (FLogging ? L" -v " : L" ") + QuoteArgument(file) + L" " + QuoteArgument(f->LocalVersion()) +
                         (FLogging ? L" >> WUPDATE.LOG" : L"");
        ExecAndWait(command, show, animate, caption, message);
        if (!FKeepIntermediateFiles) DeleteFileW(file.c_str());
      }
    }
    if (mode == TNetUpdateUpdate::wuuPromptOnce) mode = TNetUpdateUpdate::wuuSilent;
  }
  return result;
}

String TNetUpdate::PatcherPath() {
  return FUseWinTempDir ? WinTempDir() + L"patcher.exe" : IncludeTrailingPathDelimiter(GetCurrentDir()) + L"patcher.exe";
}

void TNetUpdate::ExtractUpdater() {
  String packed = WinTempDir() + L"wusetup.ex_";
  DeleteFileW((WinTempDir() + L"wusetup.exe").c_str());
  if (WriteResource(L"UPD", packed)) LZExpandFile(packed);
}

void TNetUpdate::ExtractPatcher() { WriteResource(L"UTIL", PatcherPath()); }

bool TNetUpdate::ExecAndWait(const String& command, bool ShowWindow, bool ShowAnimation, const String& Caption,
                             const String& Message) {
  DoStatus(Exec, L"Exec: " + command, 18, 0);
  TForm* form = nullptr;
  if (ShowAnimation) {
    OnGui([&] {
      form = new TForm(nullptr);
      form->SetBorderStyle(TFormBorderStyle::bsDialog);
      form->SetBorderIcons({});
      form->SetClientWidth(300);
      form->SetClientHeight(170);
      form->SetPosition(TPosition::poScreenCenter);
      form->SetCaption(Caption);
      auto* animate = new TAnimate(form);
      animate->SetParent(form);
      animate->SetBounds(10, 10, 280, 60);
      animate->SetCommonAVI(TCommonAVI::aviCopyFile);
      auto* label = new TLabel(form);
      label->SetParent(form);
      label->SetLeft(10);
      label->SetTop(animate->Top() + animate->Height() + 8);
      label->SetCaption(Message);
      form->Show();
      form->Repaint();
      animate->SetActive(true);
    });
  }
  DWORD exitCode = 0;
  bool started = RunAndWait(command, ShowWindow, exitCode);
  if (form) OnGui([&] { form->Free(); });
  if (!started) return false;
  if (exitCode != 0) {
    SetLastError(8192 + exitCode);
    return false;
  }
  return true;
}

String TNetUpdate::UpdaterCommandLine() {
  String app = L"null";
  if (FAutoRestart) {
    app = FAppName;
    if (app.find(L':') == String::npos) app = IncludeTrailingPathDelimiter(GetCurrentDir()) + app;
    if (app.find(L' ') != String::npos) app = L"\"" + app + L"\"";
  }
  String params = FAppParams.find(L' ') != String::npos ? L"\"" + FAppParams + L"\"" : FAppParams;
  String folder = FUseWinTempDir ? WinTempDir() : FTempDirectory;
  return IntToStr(GetCurrentProcessId()) + (FLogging ? L" L " : L" X ") + app + L" " + params + L" \"" + folder +
         L"\" " + FAppComps;
}

void TNetUpdate::DoRestart() {
  DoStatus(RestartInFolder, GetCurrentDir(), 0, 0);
  bool cancel = false;
  DoProgressCancel(cancel);
  if (cancel) return;
  bool allow = true;
  if (OnAppRestart)
    OnGui([&] { OnAppRestart(this, allow); });
  else if (!FSilentRestart)
    allow = AskUser(StatusTemplate(PromptShutdown), MB_YESNO | MB_ICONQUESTION) == IDYES;
  if (!allow) return;
  ExtractUpdater();
  String documents = UserFolder(TUserFolder::ufDocuments);
  try {
    // Without it the updater logs to the default file.
    TIniFile ini(documents + L"\\WUPDATE.INI");
    ini.WriteString(L"CONFIG", L"LOGFILENAME", UpdateLogFileName());
    ini.UpdateFile();
  } catch (const Exception&) {
  }
  String command = UpdaterCommandLine();
  DoStatus(SpawnUpdater, command, 0, 0);
  String updater = WinTempDir() + L"wusetup.exe";
  INT_PTR started = 0;
  if (FileExists(updater))
    OnGui([&] { started = AppShellExecute(nullptr, L"open", updater, command, L"", SW_SHOWNORMAL); });
  if (started <= 32) {
    // The application goes on: nobody would put its files in place.
    DoStatus(SpawnFailed, updater, 1, static_cast<int>(started));
    return;
  }
  if (OnAppDoClose)
    OnGui([this] { OnAppDoClose(this); });
  else
    OnGui([] { Application->Terminate(); });
}
