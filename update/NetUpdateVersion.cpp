// The version check: whether the control file offers something newer, how
// one local file compares, and which listed files remain to download.
#include "base/FileUtils.h"
#include "base/FormatSettings.h"
#include "base/MemIniFile.h"
#include "update/NetUpdate.h"
#include "update/UpdateStatus.h"
#include "update/VersionCheck.h"

using namespace UpdateStatus;

int TNetUpdate::DoVersionCheck() {
  auto ini = ControlFile();
  int result = VersionCheckResult::NothingNew;
  FUpdateDescription = StringReplaceAll(ini->ReadString(L"update", L"descr", L""), L"\\n", L"\r");
  String date = ini->ReadString(L"update", L"date", L"");
  if (!date.empty()) {
    DoStatus(DateBased, L"", 3, 0);
    FNewVersionDate = StrToUpdateDate(date, ini->ReadString(L"update", L"time", L""));
    FDateCheckFile = ExpandPrefixes(ini->ReadString(L"update", L"localversion", L""));
    FCurVersionDate = UpdateDateGet();
    if (FCurVersionDate >= FNewVersionDate) {
      DoStatus(NoNewVersion, L"", 4, 0);
    } else {
      DoStatus(NewVersionFound, FormatDateTime(FormatSettings().ShortDateFormat, FNewVersionDate), 5, 0);
      result = VersionCheckResult::NewerByDate;
    }
  }
  if (!ini->ReadString(L"update", L"unconditional", L"").empty() && result == VersionCheckResult::NothingNew)
    result = VersionCheckResult::Unconditional;
  if (result == VersionCheckResult::NothingNew) {
    String newVersion = ini->ReadString(L"update", L"newversion", L"");
    int newSize = ini->ReadInteger(L"update", L"newsize", 0);
    String localVersion = ExpandPrefixes(ini->ReadString(L"update", L"localversion", L""));
    int newChecksum = ini->ReadInteger(L"update", L"newchecksum", -1);
    if ((!newVersion.empty() || newSize >= 1 || newChecksum != -1) && !localVersion.empty()) {
      if (newChecksum != -1) {
        result = VersionCheckResult::NewerByChecksum;
        DoStatus(ChecksumBased, L"", 3, 0);
      } else if (newSize < 1) {
        result = VersionCheckResult::NewerByVersion;
        DoStatus(VersionBased, L"", 3, 0);
      } else {
        result = VersionCheckResult::NewerBySize;
        DoStatus(SizeBased, L"", 3, 0);
      }
      if (CompareVersions(newVersion, localVersion, newSize, newChecksum)) {
        DoStatus(NewVersionFound, newVersion, 5, 0);
      } else {
        DoStatus(NoNewVersion, L"", 4, 0);
        result = VersionCheckResult::NothingNew;
      }
    }
    FNewVersionInfo = newVersion;
    FCurVersionInfo = localVersion;
  }
  if (OnCustomValidate) {
    String msg = ini->ReadString(L"custom", L"validatemsg", L"");
    String param = ini->ReadString(L"custom", L"validateparam", L"");
    bool allow = result != VersionCheckResult::NothingNew;
    OnGui([&] { OnCustomValidate(this, msg, param, allow); });
    result = allow ? VersionCheckResult::AcceptedByCustom : VersionCheckResult::NothingNew;
  }
  return result;
}

bool TNetUpdate::CompareVersions(String& NewVersion, String& LocalVersion, int NewSize, int NewChecksum) {
  DoStatus(CheckVersions, L"", 3, 0);
  if (NewVersion.empty() && NewSize == 0 && NewChecksum == -1) return true;
  bool always = FVersionCheck == TNetUpdateVersionCheck::vcAlways;
  if (LocalVersion.empty() && !always) return true;
  String path = LocalVersion;
  if (!FileExists(path)) return always;
  if (NewChecksum != -1) {
    bool opened = false;
    int32_t local = FUseCRC32 ? FileChecksum(path, &opened) : FileByteSum(path, &opened);
    DoStatus(UpdateStatus::VersionCheck,
             L"Checksum compare of " + path + L":" + IntToStr(local) + L":" + IntToStr(NewChecksum), 3, 0);
    // A file that cannot be read is never up to date.
    if (!opened) return true;
    if (local == 0) return false;
    return local != NewChecksum;
  }
  if (NewSize >= 1) {
    bool opened = false;
    int32_t local = FileSizeOf(path, &opened);
    if (!opened) return true;
    return local != NewSize && (local > 0 || always);
  }
  TVersionWords localWords = GetFileVersion(path);
  TVersionWords newWords = ParseVersion(NewVersion);
  String localText = VersionToStr(localWords), newText = VersionToStr(newWords);
  DoStatus(UpdateStatus::VersionCheck,
           L"Version compare of " + path + L":" + localText + L" with " + NewVersion + L":" + newText, 3, 0);
  if (newWords.MS == -1 || newWords.LS == -1) return false;
  if ((localWords.MS == -1 || localWords.LS == -1) && !always) return false;
  LocalVersion = localText;
  NewVersion = newText;
  return newWords.MS > localWords.MS || (newWords.MS == localWords.MS && newWords.LS > localWords.LS);
}

int TNetUpdate::ProcessFileDetails() {
  for (int i = 0; i < FFileList->Count();) {
    TFileDescription* f = FFileList->Items(i);
    String shown = FHideURLInLogFile ? URLtoFile(f->URL()) : f->URL();
    DoStatus(ProcessingFile,
             shown + L"[" + f->LocalVersion() + L",nv=" + f->NewVersion() + L",nd=" + f->NewDate() + L",ns=" +
                 IntToStr(f->NewSize()) + L",nc=" + IntToStr(f->NewCheckSum()) + L"]",
             0, 0);
    bool keep = true;
    if (!f->LocalVersion().empty() && !f->NewDate().empty()) {
      TDateTime age = 0;
      if (FileExists(f->LocalVersion()) && FileAge(f->LocalVersion(), age) &&
          age >= StrToUpdateDate(f->NewDate(), f->NewTime()))
        keep = false;
    } else {
      String newVersion = f->NewVersion(), localVersion = f->LocalVersion();
      if (!CompareVersions(newVersion, localVersion, f->NewSize(), f->NewCheckSum())) {
        DoStatus(NoNewVersion, f->NewVersion() + L" removed from update list", 0, 0);
        keep = false;
      } else if (OnFileVersionCheck && !f->NewCustomVer().empty()) {
        bool isNew = true;
        String custom = f->NewCustomVer();
        OnGui([&] { OnFileVersionCheck(this, custom, localVersion, isNew); });
        keep = isNew;
      }
    }
    if (keep)
      ++i;
    else
      FFileList->Delete(i);
  }
  if (OnGetFileList) {
    TStringList list;
    for (int i = 0; i < FFileList->Count(); ++i) list.Add(FFileList->Items(i)->Description());
    OnGui([&] { OnGetFileList(this, &list); });
    for (int i = 0, k = 0; i < FFileList->Count() && k < list.Count();) {
      if (list.Strings(k).empty() && !FFileList->Items(i)->Mandatory()) {
        FFileList->Delete(i);
        list.Delete(k);
      } else {
        ++i;
        ++k;
      }
    }
  }
  return FFileList->Count() == 0 ? -1 : 0;
}
