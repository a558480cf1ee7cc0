#include "base/Dialogs.h"

namespace {
TMessageBoxHook& Hook() {
  static TMessageBoxHook hook;
  return hook;
}
}  // namespace

void SetMessageBoxHook(TMessageBoxHook Hook_) { Hook() = std::move(Hook_); }

int AppMessageBox(const String& Text, const String& Caption, UINT Flags) {
  if (Hook()) return Hook()(Text, Caption, Flags);
  HWND owner = GetActiveWindow();
  return MessageBoxW(owner, Text.c_str(), Caption.c_str(), Flags);
}

void ShowMessage(const String& Text) {
  wchar_t exe[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  String title = exe;
  size_t slash = title.find_last_of(L"\\/");
  if (slash != String::npos) title = title.substr(slash + 1);
  size_t dot = title.find_last_of(L'.');
  if (dot != String::npos) title = title.substr(0, dot);
  AppMessageBox(Text, title, MB_OK);
}

namespace {
// The system box that offers the asked buttons (the nearest one it has).
UINT ButtonFlags(TMsgDlgButtons b) {
  using B = TMsgDlgBtn;
  bool yes = b.Contains(B::mbYes), no = b.Contains(B::mbNo), cancel = b.Contains(B::mbCancel);
  if (yes && no && cancel) return MB_YESNOCANCEL;
  if (yes && no) return MB_YESNO;
  if (b.Contains(B::mbAbort) && b.Contains(B::mbRetry)) return MB_ABORTRETRYIGNORE;
  if (b.Contains(B::mbRetry) && cancel) return MB_RETRYCANCEL;
  if (cancel) return MB_OKCANCEL;
  return MB_OK;
}

UINT TypeFlags(TMsgDlgType t) {
  switch (t) {
    case TMsgDlgType::mtWarning: return MB_ICONWARNING;
    case TMsgDlgType::mtError: return MB_ICONERROR;
    case TMsgDlgType::mtInformation: return MB_ICONINFORMATION;
    case TMsgDlgType::mtConfirmation: return MB_ICONQUESTION;
    default: return 0;
  }
}

const wchar_t* TypeCaption(TMsgDlgType t) {
  switch (t) {
    case TMsgDlgType::mtWarning: return L"Warning";
    case TMsgDlgType::mtError: return L"Error";
    case TMsgDlgType::mtInformation: return L"Information";
    case TMsgDlgType::mtConfirmation: return L"Confirm";
    default: return L"";
  }
}
}  // namespace

int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
  return MessageDlgPos(Msg, DlgType, Buttons, HelpCtx, -1, -1);
}

int MessageDlgPos(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int /*HelpCtx*/, int /*X*/,
                  int /*Y*/) {
  // The system box places itself; the answers are the modal results.
  return AppMessageBox(Msg, TypeCaption(DlgType), ButtonFlags(Buttons) | TypeFlags(DlgType));
}
