#include "base/ExtCtrls.h"

#include <map>

#include "base/Forms.h"

// ---------------------------------------------------------------------------
// TTimer

namespace {
std::map<UINT_PTR, TTimer*> gTimers;
UINT_PTR gNextTimerId = 0;
HWND gTimerWindow = nullptr;

HWND TimerWindow(WNDPROC proc) {
  if (!gTimerWindow) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TTimerWindow";
    RegisterClassW(&wc);
    // Only WM_TIMER comes here: a message-only window, which costs the
    // display nothing.
    gTimerWindow = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   wc.hInstance, nullptr);
  }
  return gTimerWindow;
}
}  // namespace

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

void TTimer::Destroy() {
  FEnabled = false;
  UpdateTimer();
  TComponent::Destroy();
}

LRESULT CALLBACK TTimer::TimerWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER) {
    // Looked up per tick: a timer freed meanwhile is simply gone.
    auto it = gTimers.find(static_cast<UINT_PTR>(wParam));
    if (it != gTimers.end()) {
      TTimer* t = it->second;
      try {
        t->Timer();
      } catch (...) {
        if (Application) Application->HandleException(t);
      }
    } else {
      KillTimer(hwnd, wParam);
    }
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void TTimer::UpdateTimer() {
  if (FId) {
    KillTimer(gTimerWindow, FId);
    gTimers.erase(FId);
    FId = 0;
  }
  if (FEnabled && FInterval != 0 && FOnTimer && !IsDestroying()) {
    HWND wnd = TimerWindow(&TTimer::TimerWndProc);
    UINT_PTR id = ++gNextTimerId;
    if (!SetTimer(wnd, id, FInterval, nullptr)) throw EOutOfResources(L"Not enough timers available");
    FId = id;
    gTimers[id] = this;
  }
}

void TTimer::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned Value) {
  if (FInterval == Value) return;
  FInterval = Value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = std::move(Value);
  UpdateTimer();
}

void TTimer::Timer() {
  if (FOnTimer) {
    // A copy: the handler may free the timer or replace its handler.
    TNotifyEvent handler = FOnTimer;
    handler(this);
  }
}

// ---------------------------------------------------------------------------
// TCustomPanel

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = {TControlStyleItem::csAcceptsControls, TControlStyleItem::csCaptureMouse,
                   TControlStyleItem::csClickEvents,     TControlStyleItem::csSetCaption,
                   TControlStyleItem::csOpaque,          TControlStyleItem::csDoubleClicks};
  FWidth = 185;
  FHeight = 41;
  SetColor(clBtnFace);
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
  if (FBevelOuter == Value) return;
  FBevelOuter = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut Value) {
  if (FBevelInner == Value) return;
  FBevelInner = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int Value) {
  if (FBevelWidth == Value) return;
  FBevelWidth = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderWidth(int Value) {
  if (FBorderWidth == Value) return;
  FBorderWidth = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
  int w = FBorderWidth;
  if (FBevelOuter != TBevelCut::bvNone) w += FBevelWidth;
  if (FBevelInner != TBevelCut::bvNone) w += FBevelWidth;
  Rect.Inflate(-w, -w);
}

void TCustomPanel::Paint() {
  TRect r = ClientRect();
  auto bevel = [&](TBevelCut cut) {
    if (cut == TBevelCut::bvNone) return;
    TColor top = cut == TBevelCut::bvLowered ? clBtnShadow : clBtnHighlight;
    TColor bottom = cut == TBevelCut::bvLowered ? clBtnHighlight : clBtnShadow;
    if (cut == TBevelCut::bvSpace) top = bottom = FColor;
    Frame3D(Canvas(), r, top, bottom, FBevelWidth);
  };
  bevel(FBevelOuter);
  Frame3D(Canvas(), r, FColor, FColor, FBorderWidth);
  bevel(FBevelInner);
  Canvas()->Brush()->SetColor(FColor);
  Canvas()->FillRect(r);
  String caption = Text();
  if (!caption.empty()) {
    Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    flags |= FAlignment == TAlignment::taLeftJustify   ? DT_LEFT
             : FAlignment == TAlignment::taRightJustify ? DT_RIGHT
                                                        : DT_CENTER;
    Canvas()->TextRect(r, caption, flags);
  }
}
