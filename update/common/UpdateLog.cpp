#include "update/common/UpdateLog.h"

#include "base/FileUtils.h"
#include "base/FormatSettings.h"
#include "update/common/UpdatePaths.h"

String PlaceLogFile(const String& Name, const String& AppFolder) {
  String s = Name;
  String app = IncludeTrailingPathDelimiter(AppFolder);
  for (size_t p = 0; (p = UpperCase(s).find(L"{APP}", p)) != String::npos; p += app.size()) s.replace(p, 5, app);
  if (s.find_first_of(L"\\/:") == String::npos) s = UserFolder(TUserFolder::ufDocuments) + L"\\" + s;
  String head;
  if (s.compare(0, 2, L"\\\\") == 0) {
    head = L"\\\\";
    s.erase(0, 2);
  }
  String out;
  for (size_t i = 0; i < s.size(); ++i) {
    out += s[i];
    if (s[i] == L'\\' && i + 1 < s.size() && s[i + 1] == L'\\') ++i;
  }
  return head + out;
}

void AppendLogLine(const String& FileName, const String& Line) {
  String folder = ExtractFilePath(FileName);
  if (!folder.empty() && !DirectoryExists(folder) && !ForceDirectories(folder)) return;
  HANDLE h = CreateFileW(FileName.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE)
    h = CreateFileW(FileName.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  AnsiString bytes = WideToAnsi(Line) + "\r\n";
  DWORD put = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
  CloseHandle(h);
}

String LogTimeStamp(bool Milliseconds) {
  return FormatDateTime(Milliseconds ? L"dd/mm/yyyy hh:nn:ss:zzz" : L"dd/mm/yyyy hh:nn:ss", Now());
}
