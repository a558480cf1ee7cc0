#include "base/Hints.h"

#include <windowsx.h>

#include "base/Forms.h"
#include "base/HintAction.h"

String GetShortHint(const String& Hint) {
  size_t bar = Hint.find(L'|');
  return bar == String::npos ? Hint : Hint.substr(0, bar);
}

bool ControlShowsHint(TControl* Control) {
  while (Control) {
    if (Control->ShowHint()) return true;
    if (!Control->ParentShowHint()) return false;
    Control = Control->Parent();
  }
  return false;
}

// ---------------------------------------------------------------------------
// THintWindow

namespace {
// The system's status-bar font, the font of hints.
void AssignHintFont(TFont* Font) {
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof(ncm);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) {
    HFONT f = CreateFontIndirectW(&ncm.lfStatusFont);
    Font->SetHandle(f);
    DeleteObject(f);
  }
  Font->SetColor(clInfoText);
}

TSize MeasureText(TFont* Font, const String& Text, int MaxWidth, UINT Flags) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font->Handle());
  RECT r{0, 0, MaxWidth, 0};
  DrawTextW(dc, Text.c_str(), static_cast<int>(Text.size()), &r, Flags | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return TSize(r.right - r.left, r.bottom - r.top);
}
}  // namespace

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  FVisible = false;
  FColor = clInfoBk;
  FBrush->SetColor(FColor);
  AssignHintFont(FFont);
}

void THintWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  Params.WindowClass.style |= CS_SAVEBITS;
  OSVERSIONINFOW vi{sizeof(vi)};
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (GetVersionExW(&vi) && (vi.dwMajorVersion > 5 || (vi.dwMajorVersion == 5 && vi.dwMinorVersion >= 1)))
    Params.WindowClass.style |= CS_DROPSHADOW;
#pragma GCC diagnostic pop
  Params.WndParent = FParentWindow;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const String& AHint, void*) {
  TSize s = MeasureText(FFont, AHint, MaxWidth, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  return TRect(0, 0, s.cx + 6, s.cy + 4);
}

void THintWindow::TextChanged() {
  String text = Text();
  TSize s = MeasureText(FFont, text, 0, DT_SINGLELINE | DT_NOPREFIX);
  SetBounds(FLeft, FTop, s.cx + 6, s.cy + 4);
}

void THintWindow::ActivateHint(const TRect& Rect, const String& AHint) {
  SetText(AHint);
  SetBounds(Rect.left, Rect.top, Rect.Width(), Rect.Height());
  SetVisible(true);
  Invalidate();
}

void THintWindow::SetVisible(bool Value) {
  FVisible = Value;
  if (Value) {
    SetWindowPos(Handle(), HWND_TOPMOST, FLeft, FTop, FWidth, FHeight, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    FShowing = true;
  } else if (FHandle) {
    ShowWindow(FHandle, SW_HIDE);
    FShowing = false;
  }
}

void THintWindow::ReleaseHandle() {
  SetVisible(false);
  DestroyHandle();
}

void THintWindow::Paint() {
  TRect r = ClientRect();
  TCanvas* c = Canvas();
  c->Brush()->SetColor(FColor);
  c->FillRect(r);
  r.Inflate(-2, -2);
  c->Font()->Assign(FFont);
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  String text = Text();
  c->TextRect(r, text, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

void THintWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCHITTEST:
      Message.Result = HTTRANSPARENT;
      return;
    case WM_MOUSEACTIVATE:
      Message.Result = MA_NOACTIVATE;
      return;
    default:
      TCustomControl::Dispatch(Message);
  }
}

// ---------------------------------------------------------------------------
// The application's hint manager

namespace {
constexpr UINT_PTR kHintPauseTimer = 0x4801;
constexpr UINT_PTR kHintHideTimer = 0x4802;

bool IsButtonOrKey(UINT Msg) {
  switch (Msg) {
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN:
    case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_MOUSEWHEEL:
      return true;
    default:
      return false;
  }
}
}  // namespace

namespace {
THintWindowClass gHintWindowClass = nullptr;
bool gHintWindowClassChanged = false;
}  // namespace

void SetHintWindowClass(THintWindowClass Make) {
  if (Make == gHintWindowClass) return;
  gHintWindowClass = Make;
  gHintWindowClassChanged = true;
}

THintWindowClass HintWindowClass() { return gHintWindowClass; }

void TApplication::SetShowHint(bool Value) {
  FShowHint = Value;
  if (!Value) CancelHint();
}

void TApplication::CancelHint() {
  if (FHandle) {
    KillTimer(FHandle, kHintPauseTimer);
    KillTimer(FHandle, kHintHideTimer);
  }
  if (FHintWindow && FHintShowing) FHintWindow->SetVisible(false);
  if (FHintWindow) FHintWindow->SetHintControl(nullptr);
  FHintShowing = false;
  FHintControl = nullptr;
}

void TApplication::HintMessage(const MSG& Msg) {
  if (Msg.message == WM_MOUSEMOVE) {
    POINT p{GET_X_LPARAM(Msg.lParam), GET_Y_LPARAM(Msg.lParam)};
    ClientToScreen(Msg.hwnd, &p);
    TControl* c = FindDragTarget(TPoint(p), true);
    // The status hint follows the pointer whether or not hints pop up.
    SetApplicationHint(c, c ? GetLongHint(c->Hint()) : String());
    if (!FShowHint) return;
    if (c == FHintControl) return;
    CancelHint();
    if (c && ControlShowsHint(c) && !GetShortHint(c->Hint()).empty()) {
      FHintControl = c;
      SetTimer(Handle(), kHintPauseTimer, static_cast<UINT>(FHintPause > 0 ? FHintPause : 1), nullptr);
    }
  } else if (IsButtonOrKey(Msg.message) && FHintControl) {
    TControl* c = FHintControl;
    CancelHint();
    // The pointer is still over the control: no new hint until it leaves.
    FHintControl = c;
  }
}

void TApplication::HintTimerExpired(UINT_PTR Id) {
  KillTimer(FHandle, Id);
  if (Id == kHintHideTimer) {
    TControl* c = FHintControl;
    CancelHint();
    FHintControl = c;
  } else if (Id == kHintPauseTimer) {
    ActivateHint(Screen ? Screen->CursorPos() : TPoint());
  }
}

void TApplication::ActivateHint(const TPoint& CursorPos) {
  TControl* c = FindDragTarget(CursorPos, true);
  if (!c) {
    CancelHint();
    return;
  }
  FHintControl = c;
  if (!FShowHint || !ControlShowsHint(c)) return;
  THintInfo info;
  info.HintControl = c;
  info.HintColor = FHintColor;
  info.HintMaxWidth = Screen ? Screen->Width() : 0;
  info.CursorPos = c->ScreenToClient(CursorPos);
  info.CursorRect = c->ClientRect();
  info.HintPos = TPoint(CursorPos.x, CursorPos.y + GetSystemMetrics(SM_CYCURSOR) / 2 + 4);
  info.HideTimeout = FHintHidePause;
  info.HintStr = GetShortHint(c->Hint());
  if (c->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) != 0 || info.HintStr.empty()) return;
  if (FHintWindow && gHintWindowClassChanged) {
    FHintWindow->Free();
    FHintWindow = nullptr;
  }
  gHintWindowClassChanged = false;
  if (!FHintWindow) FHintWindow = gHintWindowClass ? gHintWindowClass(this) : new THintWindow(this);
  FHintWindow->SetColor(info.HintColor);
  FHintWindow->SetHintControl(info.HintControl);
  TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
  r.Offset(info.HintPos.x, info.HintPos.y);
  FHintWindow->ActivateHint(r, info.HintStr);
  FHintShowing = true;
  if (info.HideTimeout > 0) SetTimer(Handle(), kHintHideTimer, static_cast<UINT>(info.HideTimeout), nullptr);
}
