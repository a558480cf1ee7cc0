#include "base/Animate.h"

#include <commctrl.h>

namespace {

// The clips' resource numbers in the shell's library.
int ClipId(TCommonAVI Avi) {
  switch (Avi) {
    case TCommonAVI::aviFindFolder: return 150;
    case TCommonAVI::aviFindFile: return 151;
    case TCommonAVI::aviFindComputer: return 152;
    case TCommonAVI::aviCopyFiles: return 160;
    case TCommonAVI::aviCopyFile: return 161;
    case TCommonAVI::aviRecycleFile: return 162;
    case TCommonAVI::aviEmptyRecycle: return 163;
    case TCommonAVI::aviDeleteFile: return 164;
    default: return 0;
  }
}

}  // namespace

TAnimate::TAnimate(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 100;
  FHeight = 80;
  FParentColor = true;
}

void TAnimate::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, ANIMATE_CLASSW);
  Params.Style |= ACS_TRANSPARENT;
}

void TAnimate::CreateWnd() {
  TWinControl::CreateWnd();
  Open();
}

void TAnimate::Open() {
  FOpened = false;
  if (!FHandle) return;
  SendMessageW(FHandle, ACM_OPENW, 0, 0);
  int id = ClipId(FCommonAVI);
  if (id) {
    HMODULE shell = GetModuleHandleW(L"shell32.dll");
    if (!shell) shell = LoadLibraryW(L"shell32.dll");
    FOpened = shell && SendMessageW(FHandle, ACM_OPENW, reinterpret_cast<WPARAM>(shell),
                                    reinterpret_cast<LPARAM>(MAKEINTRESOURCEW(id))) != 0;
  }
  if (FOpened && FActive) SendMessageW(FHandle, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, 0xFFFF));
}

void TAnimate::SetCommonAVI(TCommonAVI Value) {
  if (FCommonAVI == Value) return;
  FCommonAVI = Value;
  Open();
}

void TAnimate::SetActive(bool Value) {
  FActive = Value;
  if (!FHandle || !FOpened) return;
  if (Value)
    SendMessageW(FHandle, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, 0xFFFF));
  else
    SendMessageW(FHandle, ACM_STOP, 0, 0);
}
