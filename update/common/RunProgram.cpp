#include "update/common/RunProgram.h"

namespace {

bool Start(const String& CommandLine, bool ShowWindow, PROCESS_INFORMATION& pi) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = static_cast<WORD>(ShowWindow ? SW_SHOWNORMAL : SW_HIDE);
  String cmd = CommandLine;  // CreateProcessW may write into it
  return CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr, &si,
                        &pi) != 0;
}

}  // namespace

bool RunAndWait(const String& CommandLine, bool ShowWindow, DWORD& ExitCode) {
  PROCESS_INFORMATION pi{};
  if (!Start(CommandLine, ShowWindow, pi)) return false;
  WaitForSingleObject(pi.hProcess, INFINITE);
  ExitCode = 0;
  GetExitCodeProcess(pi.hProcess, &ExitCode);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

bool RunDetached(const String& CommandLine, bool ShowWindow) {
  PROCESS_INFORMATION pi{};
  if (!Start(CommandLine, ShowWindow, pi)) return false;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

String QuoteArgument(const String& Path) {
  if (Path.find_first_of(L" \t") == String::npos || (Path.size() >= 2 && Path.front() == L'"' && Path.back() == L'"'))
    return Path;
  return L"\"" + Path + L"\"";
}
