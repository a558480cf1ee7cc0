#include "app/SingleInstance.h"

#include "base/SysUtils.h"

namespace {

// Creates (or opens) the marker of that name; false when it existed. The
// handle is never closed: the marker lives as long as this process.
bool CreateMarker(const String& Name) {
  HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READONLY, 0, 32, Name.c_str());
  DWORD error = GetLastError();
  (void)mapping;
  return error != ERROR_ALREADY_EXISTS;
}

HANDLE OpenForQuery(const String& Path) {
  return CreateFileW(Path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                     FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

}  // namespace

String CanonicalPath(const String& Path) {
  HANDLE file = OpenForQuery(Path);
  if (file == INVALID_HANDLE_VALUE) return Path;
  const DWORD flags = FILE_NAME_NORMALIZED | VOLUME_NAME_NT;
  String result = Path;
  DWORD size = GetFinalPathNameByHandleW(file, nullptr, 0, flags);
  if (size) {
    String name(size, L'\0');
    DWORD got = GetFinalPathNameByHandleW(file, name.data(), size, flags);
    if (got && got < size) {
      name.resize(got);
      result = name;
    }
  }
  CloseHandle(file);
  return result;
}

String SingleInstanceMarkerName(const String& ExePath) {
  // The case-folded path with its separators spelled out, so that the name
  // is unique per path and valid in the session namespace. Names are limited
  // to MAX_PATH characters; a longer path is cut and a hash of the whole
  // path keeps it unique.
  String folded = AnsiUpperCase(ExePath);
  String name = L"Vantrel.Instance.";
  for (wchar_t c : folded) name += (c == L'\\' || c == L'/') ? L'|' : c;
  if (name.size() > 200) {
    uint64_t h = 1469598103934665603ull;
    for (wchar_t c : folded) h = (h ^ c) * 1099511628211ull;
    name = name.substr(0, 180) + L"#" + IntToHex(static_cast<int64_t>(h), 16);
  }
  return name;
}

bool ClaimSingleInstance(const String& ExePath) {
  bool pathFree = CreateMarker(SingleInstanceMarkerName(CanonicalPath(ExePath)));
  // Hard links are names of one file that no path rule unites. The file
  // marker is always made, but it stops a start only while the file has
  // several names: some network file systems give every file index 0.
  bool fileFree = true;
  HANDLE file = OpenForQuery(ExePath);
  if (file != INVALID_HANDLE_VALUE) {
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(file, &info)) {
      String name = L"Vantrel.Instance.File." + IntToHex(info.dwVolumeSerialNumber, 8) + L"." +
                    IntToHex(info.nFileIndexHigh, 8) + IntToHex(info.nFileIndexLow, 8);
      fileFree = CreateMarker(name) || info.nNumberOfLinks < 2;
    }
    CloseHandle(file);
  }
  return pathFree && fileFree;
}

void SingleInstanceGuard() {
  if (!ClaimSingleInstance(GetModuleName(nullptr))) ExitProcess(0);
}
