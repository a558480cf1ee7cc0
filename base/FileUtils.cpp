#include "base/FileUtils.h"

bool ForceDirectories(const String& Dir) {
  String dir = ExcludeTrailingPathDelimiter(Dir);
  if (dir.empty()) return false;
  if (DirectoryExists(dir)) return true;
  String parent = ExtractFileDir(dir);
  // A drive ("C:") or a share root ends the climb.
  if (!parent.empty() && parent != dir && ExcludeTrailingPathDelimiter(parent) != dir &&
      !(parent.size() <= 3 && parent.size() >= 2 && parent[1] == L':'))
    if (!ForceDirectories(parent)) return false;
  return CreateDirectoryW(dir.c_str(), nullptr) != 0 || DirectoryExists(dir);
}

String GetTempDir() {
  wchar_t buf[MAX_PATH + 2];
  DWORD n = GetTempPathW(MAX_PATH + 1, buf);
  return n && n <= MAX_PATH + 1 ? String(buf, n) : String();
}

bool FileAge(const String& FileName, TDateTime& Age) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(FileName.c_str(), GetFileExInfoStandard, &data)) return false;
  FILETIME local;
  SYSTEMTIME st;
  if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &st)) return false;
  Age = SystemTimeToDateTime(st);
  return true;
}

bool FileSetDate(const String& FileName, TDateTime Age) {
  SYSTEMTIME st;
  DateTimeToSystemTime(Age, st);
  FILETIME local, utc;
  if (!SystemTimeToFileTime(&st, &local) || !LocalFileTimeToFileTime(&local, &utc)) return false;
  HANDLE h = CreateFileW(FileName.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool ok = SetFileTime(h, nullptr, nullptr, &utc) != 0;
  CloseHandle(h);
  return ok;
}

int64_t FileSize(const String& FileName) {
  HANDLE h = CreateFileW(FileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return -1;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(h, &size) != 0;
  CloseHandle(h);
  return ok ? size.QuadPart : -1;
}
