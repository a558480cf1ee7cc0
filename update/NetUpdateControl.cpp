// The update control file: fetching and reading it, its file list, its
// actions before and after the files, path prefixes, its dates, and the
// registry values of the last URL and update date.
#include <algorithm>
#include <cmath>

#include "base/FileUtils.h"
#include "base/FormatSettings.h"
#include "base/MemIniFile.h"
#include "base/Registry.h"
#include "base/Shell.h"
#include "update/NetUpdate.h"
#include "update/UpdateDialogs.h"
#include "update/UpdateStatus.h"
#include "update/common/UpdatePaths.h"

using namespace UpdateStatus;

namespace {

// More file sections than this are not read: a control file cannot make
// the update hold millions of empty entries.
constexpr int kMaxFileCount = 1000;

// Every backslash followed by "n" becomes a carriage return.
String ExpandNewLines(const String& s) { return StringReplaceAll(s, L"\\n", L"\r"); }

HKEY RootOf(TLastURLReg Root) {
  return Root == TLastURLReg::lurLOCALMACHINE ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

TDateTime BaseDate() { return EncodeDate(1980, 1, 1); }

}  // namespace

std::unique_ptr<TMemIniFile> TNetUpdate::ControlFile() {
  if (FControlFileName.empty()) return std::make_unique<TMemIniFile>();
  return std::make_unique<TMemIniFile>(FControlFileName);
}

String TNetUpdate::ReadControlText(const String& Section, const String& Key, const String& Default) {
  return ControlFile()->ReadString(Section, Key, Default);
}

String TNetUpdate::GetControlFileURL() {
  String url = URLGet();
  if (url.empty()) url = FURL;
  return ExpandPrefixes(url);
}

int TNetUpdate::GetControlFile() {
  FCancelled = false;
  String url = GetControlFileURL();
  if (url.empty() || !URLGetFile(FTransfer, url, WinTempDir(), false)) {
    DoStatus(ControlFileNotFound, L"", 2, 0);
    return 4;
  }
  DoStatus(ControlFileFound, L"", 3, 0);
  FControlFileName = WinTempDir() + URLtoFile(url);
  auto ini = ControlFile();
  int result = 0;
  if (FSignatureCheck && ini->ReadString(L"update", L"signature", L"") != FSignature) {
    DoStatus(InvalidSignature, L"", 11, 4);
    result = 5;
  }
  FAppUpdate = ini->ReadInteger(L"application", L"appupdate", 0) == 1;
  FAppName = ExpandPrefixes(ini->ReadString(L"application", L"appname", L""));
  FAppParams = ini->ReadString(L"application", L"appparam", L"");
  if (FAppName.empty()) FAppUpdate = false;
  if (OnSetAppParams) OnGui([this] { OnSetAppParams(this, FAppParams); });
  if (FAppParams.empty()) FAppParams = L" ";
  FAppComps = ExpandPrefixes(ini->ReadString(L"application", L"appcomps", L""));
  FSilentRestart = ini->ReadInteger(L"application", L"silentrestart", 0) == 1;
  return result;
}

int TNetUpdate::GetFileDetails() {
  FFileList->Clear();
  auto ini = ControlFile();
  int count = std::min(ini->ReadInteger(L"files", L"count", 0), kMaxFileCount);
  if (count < 1) return 0;
  DoStatus(FileInstruction, L"", 3, 0);
  FFileList->BeginUpdate();
  for (int i = 1; i <= count; ++i) {
    String s = L"file" + IntToStr(i);
    TFileDescription* f = FFileList->Add();
    f->SetURL(ExpandPrefixes(ini->ReadString(s, L"url", L"")));
    f->SetLocalVersion(ExpandPrefixes(ini->ReadString(s, L"localversion", L"")));
    f->SetNewVersion(ini->ReadString(s, L"newversion", L""));
    f->SetNewSize(ini->ReadInteger(s, L"newsize", 0));
    f->SetNewCheckSum(ini->ReadInteger(s, L"newchecksum", -1));
    f->SetNewCustomVer(ini->ReadString(s, L"customversion", L""));
    f->SetNewDate(ini->ReadString(s, L"date", L""));
    f->SetNewTime(ini->ReadString(s, L"time", L""));
    f->SetDescription(ini->ReadString(s, L"descr", L""));
    String target = ExpandPrefixes(ini->ReadString(s, L"targetdir", L""));
    if (!target.empty() && target.back() != L'\\') target += L'\\';
    f->SetTargetDir(target);
    f->SetCompressed(ini->ReadInteger(s, L"compressed", 0) == 1);
    f->SetFileSize(ini->ReadInteger(s, L"filesize", 0));
    f->SetMandatory(ini->ReadInteger(s, L"mandatory", 0) == 1);
    f->SetPreselect(ini->ReadInteger(s, L"preselect", 1) == 1);
    f->SetHidden(ini->ReadInteger(s, L"hidden", 0) == 1);
  }
  FFileList->EndUpdate();
  return count;
}

namespace {

// Downloads Url into Folder and reads it (the file is deleted afterwards);
// nullptr when that fails.
template <class Load>
auto FetchText(TNetUpdate* Update, const String& Url, Load&& Loader) -> decltype(Loader(String())) {
  String folder = Update->WinTempDir();
  if (!Update->URLGetFile(Update->HintConnect(), Url, folder, false)) return nullptr;
  String file = folder + Update->URLtoFile(Url);
  auto result = Loader(file);
  DeleteFileW(file.c_str());
  return result;
}

TStringList* LoadLines(const String& File) {
  auto list = std::make_unique<TStringList>();
  try {
    list->LoadFromFile(File);
  } catch (const Exception&) {
    return nullptr;
  }
  return list.release();
}

TMemoryStream* LoadBytes(const String& File) {
  auto stream = std::make_unique<TMemoryStream>();
  try {
    stream->LoadFromFile(File);
  } catch (const Exception&) {
    return nullptr;
  }
  stream->SetPosition(0);
  return stream.release();
}

}  // namespace

TStringList* TNetUpdate::GetWhatsNew() {
  String url = ReadControlText(L"whatsnew" + FLanguageID, L"file", L"");
  if (url.empty()) return nullptr;
  if (OnBeforeFileDownload) OnGui([&] { OnBeforeFileDownload(this, 0, url, url); });
  DoStatus(WhatsNewInstruction, L"", 12, 0);
  return FetchText(this, url, LoadLines);
}

TMemoryStream* TNetUpdate::GetWhatsNewStream() {
  String url = ReadControlText(L"whatsnew" + FLanguageID, L"file", L"");
  if (url.empty()) return nullptr;
  if (OnBeforeFileDownload) OnGui([&] { OnBeforeFileDownload(this, 0, url, url); });
  DoStatus(WhatsNewInstruction, L"", 12, 0);
  return FetchText(this, url, LoadBytes);
}

TStringList* TNetUpdate::GetEULA() {
  String url = ReadControlText(L"eula" + FLanguageID, L"file", L"");
  if (url.empty()) return nullptr;
  DoStatus(LicenseInstruction, L"", 13, 0);
  return FetchText(this, url, LoadLines);
}

TMemoryStream* TNetUpdate::GetEULAStream() {
  String url = ReadControlText(L"eula" + FLanguageID, L"file", L"");
  if (url.empty()) return nullptr;
  DoStatus(LicenseInstruction, L"", 13, 0);
  return FetchText(this, url, LoadBytes);
}

void TNetUpdate::RunProgram(const String& Program, const String& Params) {
  if (GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetLocaleInfoEx")) {
    OnGui([&] { AppShellExecute(nullptr, L"open", Program, Params, L"", SW_SHOWNORMAL); });
  } else {
    String cmd = Trim(Params).empty() ? Program : Program + L" " + Params;
    WinExec(WideToAnsi(cmd).c_str(), SW_SHOWNORMAL);
  }
}

int TNetUpdate::HandleActions() {
  auto ini = ControlFile();
  int result = 0;
  String msg = ExpandNewLines(ini->ReadString(L"action", L"msg", L""));
  if (!msg.empty()) {
    DoStatus(MessageInstruction, L"", 3, 0);
    AskUser(msg, MB_OK | MB_ICONINFORMATION);
  }
  String html = ExpandPrefixes(ini->ReadString(L"action", L"htmldlg", L""));
  if (!html.empty()) {
    DoStatus(HtmlDialogInstruction, L"", 7, 0);
    OnGui([&] { ShowHTMLDialogURL(nullptr, html); });
  }
  String before = ExpandPrefixes(ini->ReadString(L"action", L"runbefore", L""));
  String beforeParams = ini->ReadString(L"action", L"runbeforeparam", L"");
  DoSetAppParamBefore(beforeParams);
  if (!before.empty()) RunProgram(before, beforeParams);
  if (OnCustomProcess) {
    String m = ini->ReadString(L"custom", L"processmsg", L""), p = ini->ReadString(L"custom", L"processparam", L"");
    OnGui([&] { OnCustomProcess(this, m, p); });
  }
  String show = ExpandPrefixes(ini->ReadString(L"action", L"showURL", L""));
  if (!show.empty()) {
    DoStatus(ShowUrlInstruction, L"", 3, 0);
    // A web page only, and as the file names it: the user's proxy
    // credentials are never handed to a site the control file names.
    if (StartsText(L"http://", show) || StartsText(L"https://", show)) {
      OnGui([&] {
        if (AppShellExecute(nullptr, L"open", L"iexplore.exe", L"-new " + show, L"", SW_SHOWDEFAULT) <= 32)
          AppShellExecute(nullptr, L"open", show, L"", L"", SW_SHOWDEFAULT);
      });
    }
  }
  String query = ExpandNewLines(ini->ReadString(L"action", L"query", L""));
  if (!query.empty()) {
    DoStatus(QueryInstruction, L"", 3, 0);
    if (AskUser(query, MB_YESNO | MB_ICONINFORMATION) != IDYES) {
      FAppUpdate = false;
      result = -1;
    }
  }
  if (FCancelled) result = -1;
  return result;
}

int TNetUpdate::UpdateActions() {
  if (FCancelled) return -1;
  if (FPostUpdateInfo->Enabled()) {
    bool allowPost = true;
    if (OnBeforePost) OnGui([&] { OnBeforePost(this, allowPost); });
    if (allowPost) {
      DoPostUpdateInfo();
      bool allowResult = true;
      if (OnProcessPostResult) OnGui([&] { OnProcessPostResult(this, allowResult); });
      if (!allowResult) return -1;
    }
  }
  if (FSaveDate) UpdateDatePut(FNewVersionDate);
  auto ini = ControlFile();
  String redirect = ini->ReadString(L"action", L"updateURL", L"");
  if (!redirect.empty()) {
    DoStatus(RedirectInstruction, L"", 3, 0);
    URLPut(redirect);
  }
  if (FUtility && FApplyPatch) ExtractPatcher();
  String after = ExpandPrefixes(ini->ReadString(L"action", L"runafter", L""));
  String afterParams = ini->ReadString(L"action", L"runafterparam", L"");
  DoSetAppParamAfter(afterParams);
  if (!after.empty()) RunProgram(after, afterParams);
  DoStatus(FinishedControlFile, L"", 3, 0);
  return 0;
}

// ---------------------------------------------------------------------------
// Path prefixes

void TNetUpdate::ConvertPrefix(const String& prefix, String& s) {
  String folder;
  if (prefix == L"WIN") {
    folder = WindowsFolder();
  } else if (prefix == L"SYS") {
    folder = SystemFolder();
  } else if (prefix == L"APP") {
    folder = ExeFolder();
  } else if (prefix == L"TMP") {
    folder = WinTempDir();
  } else if (prefix == L"DOC") {
    folder = UserFolder(TUserFolder::ufDocuments);
  } else if (prefix == L"PF") {
    wchar_t buf[MAX_PATH * 2] = L"";
    DWORD n = GetEnvironmentVariableW(L"ProgramFiles", buf, MAX_PATH * 2);
    folder.assign(buf, n < MAX_PATH * 2 ? n : 0);
  } else if (prefix == L"LAD") {
    folder = UserFolder(TUserFolder::ufLocalAppData);
  } else if (prefix == L"APPDATA") {
    folder = UserFolder(TUserFolder::ufCommonAppData);
  }
  s = DirectoryForm(folder);
}

String TNetUpdate::ExpandPrefixes(const String& Path) {
  String path = Path;
  if (OnConvertPrefix) OnGui([&] { OnConvertPrefix(this, path); });
  return ExpandPathPrefixes(path, [this](const String& prefix) {
    String s;
    ConvertPrefix(prefix, s);
    return s;
  });
}

// ---------------------------------------------------------------------------
// Dates

TDateTime TNetUpdate::StrToUpdateDate(const String& date, const String& time) {
  TDateTime result = BaseDate();
  TFormatSettings fs = FormatSettings();
  fs.ShortDateFormat = FDateFormat;
  fs.DateSeparator = FDateSeparator;
  fs.ShortTimeFormat = FTimeFormat;
  fs.TimeSeparator = FTimeSeparator;
  TDateTime d = 0;
  if (!date.empty() && TryStrToDateTimeFmt(date, FDateFormat, d, fs)) result = std::floor(d);
  TDateTime t = 0;
  if (!time.empty() && TryStrToDateTimeFmt(time, FTimeFormat, t, fs)) result += t - std::floor(t);
  return result;
}

String TNetUpdate::URLGet() {
  if (FLastURLEntry->Key().empty() || FLastURLEntry->Section().empty() || !FLastURLEntry->Save()) return String();
  TRegistry reg(KEY_READ);
  reg.SetRootKey(RootOf(FLastURLEntry->RegRoot()));
  if (!reg.OpenKeyReadOnly(L"\\" + FLastURLEntry->Key() + L"\\" + FLastURLEntry->Section())) return String();
  return reg.ReadString(L"LastURL");
}

void TNetUpdate::URLPut(const String& url) {
  if (FLastURLEntry->Key().empty() || FLastURLEntry->Section().empty() || !FLastURLEntry->Save()) return;
  TRegistry reg;
  reg.SetRootKey(RootOf(FLastURLEntry->RegRoot()));
  if (reg.OpenKey(L"\\" + FLastURLEntry->Key() + L"\\" + FLastURLEntry->Section(), true))
    reg.WriteString(L"LastURL", url);
}

TDateTime TNetUpdate::UpdateDateGet() {
  if (FLastURLEntry->Key().empty() || FLastURLEntry->Section().empty()) {
    TDateTime age = 0;
    if (!FDateCheckFile.empty() && FileAge(FDateCheckFile, age)) return age;
    return BaseDate();
  }
  TDateTime result = BaseDate();
  TRegistry reg(KEY_READ);
  reg.SetRootKey(RootOf(FLastURLEntry->RegRoot()));
  if (reg.OpenKeyReadOnly(L"\\" + FLastURLEntry->Key() + L"\\" + FLastURLEntry->Section())) {
    const TFormatSettings& fs = FormatSettings();
    TDateTime v = 0;
    if (reg.ValueExists(L"LastDate") && TryStrToDateTimeFmt(reg.ReadString(L"LastDate"), L"dd/mm/yyyy", v, fs))
      result = std::floor(v);
    if (reg.ValueExists(L"LastTime") && TryStrToDateTimeFmt(reg.ReadString(L"LastTime"), fs.LongTimeFormat, v, fs))
      result += v - std::floor(v);
  }
  FSaveDate = true;
  return result;
}

void TNetUpdate::UpdateDatePut(TDateTime dt) {
  if (FLastURLEntry->Key().empty() || FLastURLEntry->Section().empty() || !FLastURLEntry->Save()) return;
  TRegistry reg;
  reg.SetRootKey(RootOf(FLastURLEntry->RegRoot()));
  if (!reg.OpenKey(L"\\" + FLastURLEntry->Key() + L"\\" + FLastURLEntry->Section(), true)) return;
  reg.WriteString(L"LastDate", FormatDateTime(L"dd/mm/yyyy", dt));
  if (dt != std::floor(dt)) reg.WriteString(L"LastTime", FormatDateTime(FormatSettings().LongTimeFormat, dt));
}
