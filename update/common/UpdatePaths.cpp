#include "update/common/UpdatePaths.h"

#include <knownfolders.h>
#include <shlobj.h>

#include "base/SysUtils.h"

String DirectoryForm(const String& Folder) {
  String s = Folder;
  if (!s.empty() && s.back() != L'\\') s += L'\\';
  if (s.size() >= 4 && s[1] == L':')
    s.pop_back();
  else
    s += L'.';
  return s;
}

String ExpandPathPrefixes(const String& Path, const std::function<String(const String& Prefix)>& Convert) {
  String s = Path;
  size_t open = String::npos;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == L'{') {
      if (open == String::npos) open = i;
    } else if (s[i] == L'}' && open != String::npos) {
      String name = s.substr(open + 1, i - open - 1);
      for (wchar_t& c : name)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
      String value = Convert ? Convert(name) : String();
      if (!value.empty()) {
        s.replace(open, i - open + 1, value);
        i = open + value.size() - 1;  // the loop steps past the inserted text
      }
      open = String::npos;
    }
  }
  return s;
}

String UserFolder(TUserFolder Folder) {
  OSVERSIONINFOW vi{sizeof vi};
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExW(&vi);
#pragma GCC diagnostic pop
  String result;
  if (vi.dwMajorVersion == 5) {
    int csidl = Folder == TUserFolder::ufDocuments      ? CSIDL_PERSONAL
                : Folder == TUserFolder::ufLocalAppData ? CSIDL_LOCAL_APPDATA
                                                        : CSIDL_COMMON_APPDATA;
    wchar_t buf[MAX_PATH];
    if (SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, 0, buf))) result = buf;
  } else if (vi.dwMajorVersion >= 6) {
    const KNOWNFOLDERID& id = Folder == TUserFolder::ufDocuments      ? FOLDERID_Documents
                              : Folder == TUserFolder::ufLocalAppData ? FOLDERID_LocalAppData
                                                                      : FOLDERID_ProgramData;
    PWSTR path = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path)) && path) result = path;
    CoTaskMemFree(path);
  }
  return result;
}

String ExeFolder() { return ExtractFilePath(GetModuleName(nullptr)); }

String WindowsFolder() {
  wchar_t buf[MAX_PATH * 2] = L"";
  UINT n = GetWindowsDirectoryW(buf, MAX_PATH * 2);
  return String(buf, n < MAX_PATH * 2 ? n : 0);
}

String SystemFolder() {
  wchar_t buf[MAX_PATH * 2] = L"";
  UINT n = GetSystemDirectoryW(buf, MAX_PATH * 2);
  return String(buf, n < MAX_PATH * 2 ? n : 0);
}

namespace {

bool IsDeviceName(const String& Name) {
  String base = Name.substr(0, Name.find(L'.'));
  while (!base.empty() && (base.back() == L' ' || base.back() == L'.')) base.pop_back();
  base = UpperCase(base);
  static const wchar_t* const devices[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CLOCK$", L"CONIN$", L"CONOUT$"};
  for (const wchar_t* d : devices)
    if (base == d) return true;
  if (base.size() == 4 && (base.compare(0, 3, L"COM") == 0 || base.compare(0, 3, L"LPT") == 0) &&
      base[3] >= L'0' && base[3] <= L'9')
    return true;
  return false;
}

}  // namespace

bool IsPlainFileName(const String& Name) {
  if (Name.empty() || Name == L"." || Name == L"..") return false;
  for (wchar_t c : Name)
    if (c < 32 || c == L'\\' || c == L'/' || c == L':' || c == L'*' || c == L'?' || c == L'"' || c == L'<' ||
        c == L'>' || c == L'|')
      return false;
  // A name of dots and blanks only ends up as no name at all.
  if (Name.find_first_not_of(L". ") == String::npos) return false;
  return !IsDeviceName(Name);
}

bool IsSafeRelativePath(const String& Path) {
  if (Path.empty()) return false;
  size_t start = 0;
  for (;;) {
    size_t end = Path.find_first_of(L"\\/", start);
    String part = Path.substr(start, end == String::npos ? String::npos : end - start);
    if (!IsPlainFileName(part)) return false;
    if (end == String::npos) return true;
    start = end + 1;
  }
}

String FullPath(const String& Path) {
  wchar_t buf[MAX_PATH * 4];
  DWORD n = GetFullPathNameW(Path.c_str(), MAX_PATH * 4, buf, nullptr);
  if (n == 0 || n >= MAX_PATH * 4) return String();
  return String(buf, n);
}

bool PathInside(const String& Path, const String& Folder) {
  if (Path.empty() || Folder.empty()) return false;
  // Device names resolve to "\\.\NAME" and never lie in a folder.
  String path = FullPath(Path), folder = FullPath(Folder);
  if (path.empty() || folder.empty() || path.compare(0, 4, L"\\\\.\\") == 0) return false;
  String last = ExtractFileName(ExcludeTrailingPathDelimiter(path));
  if (!last.empty() && !IsPlainFileName(last)) return false;
  folder = IncludeTrailingPathDelimiter(folder);
  String p = IncludeTrailingPathDelimiter(path);
  if (p.size() < folder.size()) return false;
  return CompareStringOrdinal(p.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                              static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL;
}
