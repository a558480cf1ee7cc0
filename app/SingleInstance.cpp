#include "app/SingleInstance.h"

#include "base/SysUtils.h"

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
  String name = SingleInstanceMarkerName(ExePath);
  HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READONLY, 0, 32, name.c_str());
  DWORD error = GetLastError();
  // The handle is never closed: the marker lives as long as this process.
  (void)mapping;
  return error != ERROR_ALREADY_EXISTS;
}

void SingleInstanceGuard() {
  if (!ClaimSingleInstance(GetModuleName(nullptr))) ExitProcess(0);
}
