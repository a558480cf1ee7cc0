#include "base/TrayIcon.h"

#include <shellapi.h>

#include <algorithm>
#include <iterator>

#include "base/Forms.h"
#include "base/Menus.h"
#include "base/SharedResources.h"

namespace {

const wchar_t* const kTrayWindowClass = L"TTrayIconWindow";

// Sent to every top-level window when the taskbar is created again (the
// shell restarted): icons must be added anew.
UINT TaskbarCreatedMessage() {
  static const UINT msg = RegisterWindowMessageW(L"TaskbarCreated");
  return msg;
}

void RegisterTrayWindowClass() {
  static bool done = false;
  if (done) return;
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kTrayWindowClass;
  RegisterClassW(&wc);
  done = true;
}

void CopyText(wchar_t* Dest, size_t Size, const String& Text) {
  size_t n = std::min(Text.size(), Size - 1);
  Text.copy(Dest, n);
  Dest[n] = 0;
}

}  // namespace

TTrayIcon::TTrayIcon(TComponent* AOwner) : TComponent(AOwner) {
  FIcon = new TIcon();
  FIcon->OnChange = Bind(this, &TTrayIcon::IconChanged);
}

void TTrayIcon::Destroy() {
  if (FShown) Refresh(NIM_DELETE);
  if (FHandle) {
    SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
    DestroyWindow(FHandle);
    FHandle = nullptr;
  }
  FreeAndNil(FIcon);
  TComponent::Destroy();
}

HWND TTrayIcon::Handle() {
  if (!FHandle) {
    RegisterTrayWindowClass();
    FHandle = CreateWindowExW(0, kTrayWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (!FHandle) RaiseLastOSError();
    SetWindowLongPtrW(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TTrayIcon::WndProc));
  }
  return FHandle;
}

void TTrayIcon::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  if (IsDesigning()) return;
  Refresh(Value ? NIM_ADD : NIM_DELETE);
}

void TTrayIcon::SetIcon(TIcon* Value) { FIcon->Assign(Value); }

void TTrayIcon::SetHint(const String& Value) {
  if (FHint == Value) return;
  FHint = Value;
  if (FShown) Refresh(NIM_MODIFY);
}

void TTrayIcon::SetPopupMenu(TPopupMenu* Value) {
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (FPopupMenu) FPopupMenu->FreeNotification(this);
}

void TTrayIcon::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FPopupMenu)
    FPopupMenu = nullptr;
}

void TTrayIcon::IconChanged(TObject*) {
  if (FShown) Refresh(NIM_MODIFY);
}

void TTrayIcon::FillData(NOTIFYICONDATAW& Data, UINT Flags) {
  Data = NOTIFYICONDATAW{};
  Data.cbSize = sizeof(Data);
  Data.hWnd = Handle();
  Data.uID = 1;
  Data.uFlags = Flags;
  Data.uCallbackMessage = WM_TRAYICON_CALLBACK;
  HICON icon = FIcon->Handle();
  if (!icon)
    icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON,
                                         GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  if (!icon) icon = SharedIcon(nullptr, IDI_APPLICATION);
  Data.hIcon = icon;
  CopyText(Data.szTip, std::size(Data.szTip), FHint);
}

void TTrayIcon::Refresh(DWORD Message) {
  NOTIFYICONDATAW data;
  FillData(data, NIF_MESSAGE | NIF_ICON | NIF_TIP);
  if (Message == NIM_DELETE) {
    if (FShown) Shell_NotifyIconW(NIM_DELETE, &data);
    FShown = false;
    return;
  }
  if (Message == NIM_MODIFY && !FShown) return;
  // The icon counts as shown even when no notification area answers, so
  // that a later one (TaskbarCreated) gets it.
  Shell_NotifyIconW(Message, &data);
  FShown = true;
}

void TTrayIcon::ShowBalloonHint() {
  ++FBalloonCount;
  if (!FShown) return;
  NOTIFYICONDATAW data;
  FillData(data, NIF_INFO);
  CopyText(data.szInfo, std::size(data.szInfo), FBalloonHint);
  CopyText(data.szInfoTitle, std::size(data.szInfoTitle), FBalloonTitle);
  data.uTimeout = static_cast<UINT>(FBalloonTimeout);
  static const DWORD kFlags[] = {NIIF_NONE, NIIF_INFO, NIIF_WARNING, NIIF_ERROR};
  data.dwInfoFlags = kFlags[static_cast<int>(FBalloonFlags)];
  Shell_NotifyIconW(NIM_MODIFY, &data);
}

void TTrayIcon::DoPopup(int X, int Y) {
  if (!FPopupMenu) return;
  // A menu of a window in the background closes only when that window is
  // in the foreground, and the WM_NULL lets a second click open it again.
  SetForegroundWindow(Handle());
  FPopupMenu->SetPopupComponent(this);
  FPopupMenu->Popup(X, Y);
  PostMessageW(Handle(), WM_NULL, 0, 0);
}

void TTrayIcon::HandleCallback(LPARAM Event) {
  switch (LOWORD(Event)) {
    case WM_LBUTTONUP:
      if (OnClick) OnClick(this);
      break;
    case WM_LBUTTONDBLCLK:
      if (OnDblClick) OnDblClick(this);
      break;
    case WM_RBUTTONUP: {
      POINT p;
      GetCursorPos(&p);
      DoPopup(p.x, p.y);
      break;
    }
    case NIN_BALLOONUSERCLICK:
      if (OnBalloonClick) OnBalloonClick(this);
      break;
    default:
      break;
  }
}

LRESULT CALLBACK TTrayIcon::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TTrayIcon*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self) {
    try {
      if (msg == WM_TRAYICON_CALLBACK) {
        self->HandleCallback(lParam);
        return 0;
      }
      if (msg == TaskbarCreatedMessage() && self->FVisible) {
        self->FShown = false;
        self->Refresh(NIM_ADD);
        return 0;
      }
    } catch (...) {
      if (Application) Application->HandleException(self);
      return 0;
    }
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}
