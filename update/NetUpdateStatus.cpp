// The update's status reports, its log and the report of system errors.

#include "base/Dialogs.h"
#include "update/NetUpdate.h"
// After the platform headers that the component brings.
#include <wininet.h>
#include "update/UpdateStatus.h"
#include "update/common/UpdateLog.h"
#include "update/common/UpdatePaths.h"

void TNetUpdate::DoStatus(int Id, const String& Text, int StatusCode, int ErrCode) {
  String text = StatusText(Id, Text);
  if (FLogging)
    AppendLogLine(PlaceLogFile(UpdateLogFileName(), ExeFolder()),
                  LogTimeStamp() + L" : [" + IntToStr(Id) + L"] " + text + L" (Status:" + IntToStr(StatusCode) +
                      L") (Error:" + IntToStr(ErrCode) + L")");
  if (OnStatus) OnGui([&] { OnStatus(this, text, StatusCode, ErrCode); });
}

void TNetUpdate::AddToLog(const String& S) { AppendLogLine(PlaceLogFile(UpdateLogFileName(), ExeFolder()), S); }

void TNetUpdate::Error() {
  DWORD code = GetLastError();
  if (code == 0) return;
  String message;
  if (code == ERROR_INTERNET_EXTENDED_ERROR) {
    DWORD detail = 0, length = 1024;
    wchar_t buf[1025] = L"";
    if (!InternetGetLastResponseInfoW(&detail, buf, &length) || length == 0) return;
    message.assign(buf, length < 1024 ? length : 1024);
  } else {
    wchar_t buf[1025] = L"";
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             GetModuleHandleW(L"wininet.dll"), code, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), buf,
                             1024, nullptr);
    message.assign(buf, n);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r')) message.pop_back();
  }
  DoStatus(UpdateStatus::SystemError, message, 1, static_cast<int>(code));
  if (!OnStatus && FUpdateUpdate != TNetUpdateUpdate::wuuSilent) AskUser(message, MB_OK | MB_ICONERROR);
}
