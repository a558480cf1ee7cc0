#include "base/ProgressBar.h"

#include <commctrl.h>

#include <algorithm>

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 150;
  FHeight = 16;
  FParentColor = true;
}

void TProgressBar::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, PROGRESS_CLASSW);
  if (FSmooth) Params.Style |= PBS_SMOOTH;
}

void TProgressBar::CreateWnd() {
  TWinControl::CreateWnd();
  Apply();
}

void TProgressBar::Apply() {
  if (!FHandle) return;
  SendMessageW(FHandle, PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
  SendMessageW(FHandle, PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

void TProgressBar::SetRange(int AMin, int AMax) {
  if (AMax < AMin) AMax = AMin;
  FMin = AMin;
  FMax = AMax;
  FPosition = std::clamp(FPosition, FMin, FMax);
  Apply();
}

void TProgressBar::SetPosition(int Value) {
  Value = std::clamp(Value, FMin, FMax);
  if (Value == FPosition) return;
  FPosition = Value;
  if (FHandle) SendMessageW(FHandle, PBM_SETPOS, static_cast<WPARAM>(Value), 0);
}

void TProgressBar::SetSmooth(bool Value) {
  if (FSmooth == Value) return;
  FSmooth = Value;
  if (HandleAllocated()) RecreateWnd();
}
