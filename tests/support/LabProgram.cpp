#include "tests/support/LabProgram.h"

#include <shellapi.h>

#include <cwchar>
#include <iterator>

#include "base/Registry.h"
#include "base/SysUtils.h"
#include "tests/support/Gui.h"

String VantrelPathFromCommandLine() {
  String path;
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; argv && i < argc; ++i) {
    String a = argv[i];
    if (a.rfind(L"--vantrel=", 0) == 0) path = a.substr(10);
  }
  if (argv) LocalFree(argv);
  if (!path.empty() && path[0] == L'/') path = L"Z:" + StringReplaceAll(path, L"/", L"\\");
  return path;
}

bool TLabProcess::Start(const String& Exe, bool Suspended) {
  STARTUPINFOW si{sizeof(si)};
  String cmd = L"\"" + Exe + L"\"";
  return CreateProcessW(Exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, Suspended ? CREATE_SUSPENDED : 0, nullptr,
                        ExtractFilePath(Exe).c_str(), &si, &pi) != 0;
}

bool TLabProcess::Running() const { return pi.hProcess && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT; }

long TLabProcess::WaitExit(DWORD Ms) {
  PumpUntil([&] { return !Running(); }, Ms);
  DWORD code = 0;
  if (Running() || !GetExitCodeProcess(pi.hProcess, &code)) return -1;
  return static_cast<long>(code);
}

void TLabProcess::Kill() {
  if (Running()) {
    TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 5000);
  }
}

TLabProcess::~TLabProcess() {
  Kill();
  if (pi.hThread) CloseHandle(pi.hThread);
  if (pi.hProcess) CloseHandle(pi.hProcess);
}

TProgramCopy::TProgramCopy(const String& Name, const String& Folder) {
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  Dir = IncludeTrailingPathDelimiter(tmp) + (Folder.empty() ? L"vantrel-e2e-" + Name : Folder);
  CreateDirectoryW(Dir.c_str(), nullptr);
  Exe = Dir + L"\\" + Name + L".exe";
  CopyFileW(VantrelPathFromCommandLine().c_str(), Exe.c_str(), FALSE);
  Key = L"Software\\" + Name;
  RegDeleteTreeW(HKEY_CURRENT_USER, Key.c_str());
}

TProgramCopy::~TProgramCopy() {
  DeleteFileW(Exe.c_str());
  RemoveDirectoryW(Dir.c_str());
  RegDeleteTreeW(HKEY_CURRENT_USER, Key.c_str());
}

String TProgramCopy::Setting(const String& Sub, const String& Name) const {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, (Key + Sub).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return L"<absent>";
  DWORD type = 0, size = 0;
  String result = L"<absent>";
  if (RegQueryValueExW(key, Name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    std::vector<BYTE> data(size + sizeof(wchar_t), 0);
    if (RegQueryValueExW(key, Name.c_str(), nullptr, &type, data.data(), &size) == ERROR_SUCCESS) {
      if (type == REG_DWORD)
        result = IntToStr(*reinterpret_cast<const DWORD*>(data.data()));
      else if (type == REG_SZ)
        result = reinterpret_cast<const wchar_t*>(data.data());
    }
  }
  RegCloseKey(key);
  return result;
}

bool TProgramCopy::SetSetting(const String& Sub, const String& Name, const String& Value) const {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, (Key + Sub).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  LONG rc = RegSetValueExW(key, Name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(Value.c_str()),
                           static_cast<DWORD>((Value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return rc == ERROR_SUCCESS;
}

namespace {

struct TFindArgs {
  DWORD Pid;
  const wchar_t* Class;
  const wchar_t* Text;
  std::vector<HWND> Found;
};

bool Matches(HWND h, const TFindArgs& a) {
  wchar_t cls[64] = L"";
  GetClassNameW(h, cls, 64);
  return wcscmp(cls, a.Class) == 0 && (!a.Text || WindowText(h) == a.Text);
}

BOOL CALLBACK FindTopLevel(HWND h, LPARAM l) {
  auto* a = reinterpret_cast<TFindArgs*>(l);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == a->Pid && Matches(h, *a)) {
    a->Found.push_back(h);
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindChild(HWND h, LPARAM l) {
  auto* a = reinterpret_cast<TFindArgs*>(l);
  if (Matches(h, *a)) a->Found.push_back(h);
  return TRUE;
}

}  // namespace

HWND FindProcessWindow(DWORD Pid, const wchar_t* ClassName) {
  TFindArgs a{Pid, ClassName, nullptr, {}};
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&a));
  return a.Found.empty() ? nullptr : a.Found.front();
}

std::vector<HWND> FindChildren(HWND Parent, const wchar_t* ClassName, const wchar_t* Text) {
  TFindArgs a{0, ClassName, Text, {}};
  EnumChildWindows(Parent, FindChild, reinterpret_cast<LPARAM>(&a));
  return a.Found;
}

String WindowText(HWND Window) {
  wchar_t buf[4096] = L"";
  SendMessageTimeoutW(Window, WM_GETTEXT, std::size(buf), reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000,
                      nullptr);
  return buf;
}
