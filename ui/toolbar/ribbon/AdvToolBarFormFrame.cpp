// The ribbon form's window procedure: the registered messages, the glass
// frame's messages offered to the window manager first, and one small
// handler per frame message (sizing, the maximized size, hit testing,
// activation, window position changes).
#include <windowsx.h>

#include "ui/toolbar/ribbon/AdvToolBarForm.h"
#include "ui/toolbar/ribbon/AdvToolBarPager.h"
#include "ui/toolbar/runtime/ThemeBinding.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

namespace {
TSynthesizedClick gClickSink = nullptr;

// A left click at a screen point through the input queue; the pointer
// goes back where it was.
void SynthesizeClick(HWND, POINT P) {
  POINT old;
  GetCursorPos(&old);
  int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  if (w <= 0 || h <= 0) return;
  auto ax = static_cast<DWORD>(Round(65535.0L / w * P.x));
  auto ay = static_cast<DWORD>(Round(65535.0L / h * P.y));
  mouse_event(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE, ax, ay, 0, 0);
  mouse_event(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN, ax, ay, 0, 0);
  mouse_event(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP, ax, ay, 0, 0);
  SetCursorPos(old.x, old.y);
}

// The work area of the monitor that shows the window.
RECT WindowWorkArea(HWND Wnd) {
  RECT area{};
  MONITORINFO info{sizeof(info)};
  if (HMONITOR m = MonitorFromWindow(Wnd, MONITOR_DEFAULTTONEAREST); m && GetMonitorInfoW(m, &info))
    return info.rcWork;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

bool IsWin81PerMonitorAware() {
  int major = 0, minor = 0;
  GetWindowsVersion(major, minor);
  if (major < 6 || (major == 6 && minor < 3)) return false;
  HMODULE shcore = LoadLibraryW(L"Shcore.dll");
  if (!shcore) return false;
  using Fn = HRESULT(WINAPI*)(HANDLE, int*);
  auto get = reinterpret_cast<Fn>(GetProcAddress(shcore, "GetProcessDpiAwareness"));
  int awareness = 0;
  bool aware = get && SUCCEEDED(get(nullptr, &awareness)) && awareness == 2;
  FreeLibrary(shcore);
  return aware;
}

bool IsBorderStyleMessage(UINT Msg) {
  return Msg == WM_STYLECHANGING || Msg == WM_STYLECHANGED || Msg == WM_SETICON || Msg == WM_NCCREATE;
}

bool PassedWhileLoading(UINT Msg) {
  return Msg == WM_WINDOWPOSCHANGING || Msg == WM_WINDOWPOSCHANGED || Msg == WM_SHOWWINDOW ||
         Msg == WM_ERASEBKGND || Msg == WM_DISPLAYCHANGE;
}
}  // namespace

void SetSynthesizedClickSink(TSynthesizedClick Sink) { gClickSink = Sink; }

// ---------------------------------------------------------------------------
// Window procedure

void TAdvToolBarForm::WndProc(TMessage& Message) {
  const UINT msg = Message.Msg;
  if (!FSubClassAsRibbon || FItones) {
    TForm::WndProc(Message);
    TrackUserMove(Message);
    return;
  }
  if (msg == WM_DWMCOMPOSITIONCHANGED) {
    TForm::WndProc(Message);
    RecreateAfterComposition();
    return;
  }
  if (msg && msg == WM_TBSETMETRO) {
    FDoSetMetro = false;
    SetColorTones(MetroTones);
  } else if (msg && msg == WM_TBSETOFFICE2013) {
    FDoSetMetro = false;
    SetColorTones(Office2013Tones);
  } else if (msg && msg == WM_TBREVERTMETRO) {
    RecreateWnd();
  }
  if (!FIsAeroVista || FItones) {
    TForm::WndProc(Message);
    return;
  }
  if (msg && msg == WM_TBFUPDATECONTEXTMENU) {
    UpdateContextMenuClick();
    return;
  }
  if (IsLoading() && !PassedWhileLoading(msg)) {
    TForm::WndProc(Message);
    return;
  }
  TFormBorderStyle border = BorderStyle();
  if (IsBorderStyleMessage(msg) && (border == TFormBorderStyle::bsNone || border > TFormBorderStyle::bsSizeable)) {
    TForm::WndProc(Message);
    if (msg == WM_STYLECHANGED) UpdateAeroVista();
    return;
  }
  if (msg == WM_DESTROY || IsDestroying() || FDestroying) {
    FDestroying = true;
    TForm::WndProc(Message);
    return;
  }
  bool callDefault = true;
  LRESULT result = 0;
  BOOL enabled = FALSE;
  if (SUCCEEDED(DwmBinding::DwmIsCompositionEnabled(enabled)) && HandleAllocated())
    result = DwmFrameMessage(Message, callDefault);
  if (callDefault)
    TForm::WndProc(Message);
  else
    Message.Result = result;
}

LRESULT TAdvToolBarForm::DwmFrameMessage(TMessage& Message, bool& CallDefault) {
  HWND h = Handle();
  LRESULT result = 0;
  CallDefault = !DwmBinding::DwmDefWindowProc(h, Message.Msg, Message.WParam, Message.LParam, result);
  switch (Message.Msg) {
    case WM_CREATE: {
      RECT r;
      GetWindowRect(h, &r);
      SetWindowPos(h, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOACTIVATE);
      CallDefault = true;
      return 0;
    }
    case WM_ACTIVATE: {
      MARGINS m{1, 1, GlassTopHeight(), 1};
      HRESULT hr = DwmBinding::DwmExtendFrameIntoClientArea(h, m);
      // The activation goes on whether or not the glass could be extended:
      // swallowing it would leave the form without focus and OnActivate.
      CallDefault = true;
      return FAILED(hr) ? 1 : 0;
    }
    case WM_NCCALCSIZE: {
      if (!Message.WParam) return result;
      auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam);
      RECT& r = params->rgrc[0];
      int k = GetSystemMetrics(SM_CXFRAME) - 1;
      bool maximized = IsZoomed(h) || WindowState() == TWindowState::wsMaximized;
      switch (BorderStyle()) {
        case TFormBorderStyle::bsNone:
          break;
        case TFormBorderStyle::bsSizeable:
          r.left += k;
          r.right -= k;
          r.bottom -= maximized ? k + 2 : k;
          break;
        default:
          r.left += 3;
          r.right -= 3;
          if (maximized && !IsMaximizedGlass())
            r.bottom -= BorderStyle() == TFormBorderStyle::bsSizeToolWin ? 9 : 8;
          else
            r.bottom -= 3;
          break;
      }
      // The top stays: the client area covers the caption.
      CallDefault = false;
      return 0;
    }
    default:
      return result;
  }
}

void TAdvToolBarForm::RecreateAfterComposition() {
  UpdateAeroVista();
  if (!FIsAeroVista && HandleAllocated()) {
    std::vector<TCustomForm*> children;
    if (FormStyle() == TFormStyle::fsMDIForm)
      for (int i = 0; i < MDIChildCount(); ++i) children.push_back(MDIChildren(i));
    RecreateWnd();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
      TCustomForm* child = *it;
      if (child->HandleAllocated())
        child->RecreateWnd();
      else
        child->HandleNeeded();
      if (ClientHandle() && child->HandleAllocated()) ::SetParent(child->Handle(), ClientHandle());
    }
    SetWidth(Width() + 10);
    SetWidth(Width() - 10);
  }
  SetBorderStyle(FInitBorderStyle);
}

void TAdvToolBarForm::UpdateContextMenuClick() {
  // The caption of the maximized glass form is clicked so that the window
  // manager refreshes its system menu. The point is taken from where the
  // form is on the screen, and the click is made only when that point shows
  // the form itself: input never goes to another program's window.
  if (!HandleAllocated()) return;
  HWND h = Handle();
  RECT window, area = WindowWorkArea(h);
  GetWindowRect(h, &window);
  POINT p{Min<LONG>(window.right, area.right) - 150, Max<LONG>(window.top, area.top) + 2};
  HWND under = WindowFromPoint(p);
  if (!under || GetAncestor(under, GA_ROOT) != h) return;
  (gClickSink ? gClickSink : SynthesizeClick)(h, p);
}

// ---------------------------------------------------------------------------
// Frame messages

void TAdvToolBarForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT: {
      // The form paints its border itself: the paint comes through
      // PaintWindow even without graphic children.
      struct Mark {
        TControlState& s;
        explicit Mark(TControlState& st) : s(st) { s.Include(TControlStateItem::csCustomPaint); }
        ~Mark() { s.Exclude(TControlStateItem::csCustomPaint); }
      } mark(FControlState);
      TForm::Dispatch(Message);
      return;
    }
    case WM_ERASEBKGND:
      EraseBackground(Message);
      return;
    case WM_SIZE:
      SizeChanged(Message);
      return;
    case WM_GETMINMAXINFO:
      MinMaxInfo(Message);
      return;
    case WM_NCHITTEST:
      HitTest(Message);
      return;
    case WM_NCLBUTTONDOWN:
      NCLButtonDown(Message);
      return;
    case WM_WINDOWPOSCHANGING:
      WindowPosChanging(Message);
      return;
    case WM_ACTIVATE:
      ActivateMessage(Message);
      return;
    case WM_WINDOWPOSCHANGED:
    case WM_NCACTIVATE:
      TForm::Dispatch(Message);
      UpdateShadowOrder();
      return;
    default:
      TForm::Dispatch(Message);
  }
}

void TAdvToolBarForm::ActivateMessage(TMessage& Message) {
  TForm::Dispatch(Message);
  if (FormStyle() != TFormStyle::fsMDIForm || LOWORD(Message.WParam) == WA_INACTIVE) return;
  ExtendGlass();
  if (FItones) {
    UpdateShadowOrder();
    Invalidate();
  }
}

void TAdvToolBarForm::SizeChanged(TMessage& Message) {
  TForm::Dispatch(Message);
  if (!HandleAllocated()) return;
  bool maximized = WindowState() == TWindowState::wsMaximized;
  TAdvToolBarPager* pager = FirstPager();
  if (!IsDesigning() && pager) {
    // A narrow form keeps only the pager's caption.
    if (Width() < 300) {
      if (!pager->HideState()) pager->SetHideState(true);
      if (FIsAeroVista && GetGlobalTabGlass() && GetGlobalWin7ScenicRibbon())
        GlassFrame()->SetTop(ScaledCaptionHeight + 1);
    } else if (Width() > 300) {
      if (pager->HideState()) pager->SetHideState(false);
      if (FIsAeroVista) GlassFrame()->SetTop(GetTabGlassExtra() + ScaledCaptionHeight + 3);
    }
  }
  if (!IsVistaOrLater() && !FIsAeroVista && maximized && !IsDesigning() && !IsMaximizedGlass() && !FUpdatingSize &&
      ((FMaxX > 0 && FMaxX < Width()) || (FMaxY > 0 && FMaxY < Height())) && IsFullyMaximized()) {
    FUpdatingSize = true;
    SetBounds(Left(), Top(), FMaxX > 0 ? FMaxX : Width(), FMaxY > 0 ? FMaxY : Height());
    FUpdatingSize = false;
  }
  UpdateShadowOrder();
  if (FItones) Invalidate();
  if (!IsVistaOrLater() && !IsDesigning() && !FDoNotSizeWindow && FSubClassAsRibbon) {
    if (maximized && !IsMaximizedGlass() && IsFullyMaximized()) {
      SetWindowRgn(Handle(), nullptr, TRUE);
    } else {
      HRGN region = CreateRoundRectRgn(3, 3, Width() - 3, Height() - 3, 6, 6);
      if (region && !SetWindowRgn(Handle(), region, Visible())) DeleteObject(region);
    }
    Invalidate();
  }
  if (IsSingleBorderActive() || (FIsAeroVista && FSubClassAsRibbon)) Invalidate();
}

void TAdvToolBarForm::MinMaxInfo(TMessage& Message) {
  TForm::Dispatch(Message);
  if (!FSubClassAsRibbon || FIsAeroVista || FDestroying || IsDestroying() || IsDesigning() || !HandleAllocated())
    return;
  auto* mmi = reinterpret_cast<MINMAXINFO*>(Message.LParam);
  if (!mmi) return;
  HMONITOR monitor = MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{sizeof(info)};
  if (!monitor || !GetMonitorInfoW(monitor, &info)) return;
  bool vista = IsVistaOrLater();
  int b = vista ? 0 : 6;
  const RECT& r = info.rcWork;
  int w = r.right - r.left, h = r.bottom - r.top;
  bool primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
  bool maximized = WindowState() == TWindowState::wsMaximized;
  if (maximized && !primary && (mmi->ptMaxSize.x < w + b || mmi->ptMaxSize.y < h + b)) {
    FMaxX = w;
    FMaxY = h;
    return;
  }
  if (vista && !primary && maximized && ScreenLogPixelsX > 96 && !IsWin81PerMonitorAware()) return;
  mmi->ptMaxPosition.x = r.left - info.rcMonitor.left - (vista ? 0 : 3);
  mmi->ptMaxPosition.y = r.top - info.rcMonitor.top - (vista ? 0 : 3);
  mmi->ptMaxSize.x = !vista && maximized && !primary ? w : w + b;
  mmi->ptMaxSize.y = h + b;
  if (maximized && !IsMaximizedGlass()) {
    if (BorderStyle() == TFormBorderStyle::bsNone) mmi->ptMaxSize.y -= 1;
    if (IsTaskBarAutoHide()) {
      mmi->ptMaxSize.y -= 4;
      FMaxY = mmi->ptMaxSize.y;
    }
  }
}

void TAdvToolBarForm::HitTest(TMessage& Message) {
  TForm::Dispatch(Message);
  if (!FSubClassAsRibbon || BorderStyle() == TFormBorderStyle::bsSizeable || IsDesigning() ||
      WindowState() != TWindowState::wsNormal)
    return;
  TPoint p = ScreenToClient(TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)));
  const int x = p.x, y = p.y, w = Width(), h = Height();
  const bool vista = IsVistaOrLater();
  const int border = 0;  // the form has no frame of its own here
  LRESULT hit = Message.Result;
  if (y < 3) hit = HTTOP;
  if (x < 3) hit = HTLEFT;
  if (vista ? x > w - 12 : x > w - border - 13) hit = HTRIGHT;
  if (vista ? y > h - 12 : y > h - border - 13) hit = HTBOTTOM;
  if (x > w - 20 && y > h - 20) hit = HTBOTTOMRIGHT;
  if (x < 20 && y < 20) hit = HTTOPLEFT;
  if (x > w - 20 && y < 20) hit = HTTOPRIGHT;
  if (x < 20 && y > h - 20) hit = HTBOTTOMLEFT;
  Message.Result = hit;
}

void TAdvToolBarForm::NCLButtonDown(TMessage& Message) {
  if (FIsWin7 && WindowState() == TWindowState::wsMaximized && BorderIcons().Contains(TBorderIcon::biSystemMenu) &&
      Message.WParam == HTCAPTION) {
    // A maximized form is dragged off its place by its caption.
    ReleaseCapture();
    Perform(WM_SYSCOMMAND, 0xF012, 0);
    return;
  }
  TForm::Dispatch(Message);
}

void TAdvToolBarForm::WindowPosChanging(TMessage& Message) {
  TForm::Dispatch(Message);
  auto* pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
  if (!pos || !(pos->flags & 0x8000) || IsDesigning() || !HandleAllocated()) return;
  bool vista = IsVistaOrLater();
  TWindowState state = WindowState();
  if (!FIsAeroVista && state != TWindowState::wsMaximized && !vista && !IsMaximizedGlass()) {
    FMaxX = FMaxY = 0;
    return;
  }
  if (FIsAeroVista && state == TWindowState::wsMaximized && vista && IsMaximizedGlass()) {
    PostMessageW(Handle(), WM_TBFUPDATECONTEXTMENU, 0, 0);
    return;
  }
  if (FIsAeroVista && state == TWindowState::wsNormal && vista && !IsMaximizedGlass()) {
    HMENU menu = GetSystemMenu(Handle(), FALSE);
    if (!menu) return;
    auto enable = [menu](UINT Item, bool On) { EnableMenuItem(menu, Item, MF_BYCOMMAND | (On ? MF_ENABLED : MF_GRAYED)); };
    enable(SC_RESTORE, false);
    enable(SC_SIZE, true);
    enable(SC_MOVE, true);
    if (BorderIcons().Contains(TBorderIcon::biMinimize)) enable(SC_MINIMIZE, true);
    if (BorderIcons().Contains(TBorderIcon::biMaximize)) enable(SC_MAXIMIZE, true);
  }
}

void TAdvToolBarForm::TrackUserMove(const TMessage& Message) {
  switch (Message.Msg) {
    case WM_ENTERSIZEMOVE:
      FInMoveLoop = true;
      FMovedInLoop = false;
      break;
    case WM_MOVING:
      if (FInMoveLoop) FMovedInLoop = true;
      break;
    case WM_EXITSIZEMOVE: {
      bool moved = FInMoveLoop && FMovedInLoop;
      FInMoveLoop = FMovedInLoop = false;
      // Only the user's own drag to the top maximizes: a form restored or
      // placed there by a program stays as it is.
      if (!moved || !HandleAllocated() || WindowState() != TWindowState::wsNormal) break;
      RECT area = WindowWorkArea(Handle());
      if (Top() - area.top < 20) SetWindowState(TWindowState::wsMaximized);
      break;
    }
    default:
      break;
  }
}

void TAdvToolBarForm::AdjustClientRect(TRect& Rect) {
  TForm::AdjustClientRect(Rect);
  if (!FSubClassAsRibbon) return;
  bool maximized = WindowState() == TWindowState::wsMaximized;
  bool vista = IsVistaOrLater();
  if (FItones) {
    Rect.left += 2;
    Rect.right -= 2;
    Rect.bottom -= FSizeGrip ? 16 : 2;
  } else if (vista && FIsAeroVista) {
    Rect.left += 1;
    Rect.right -= 1;
    if (maximized && !IsMaximizedGlass()) Rect.top += 6;
  } else if (vista && !IsSingleBorderActive()) {
    // The pager covers the whole width.
  } else if (vista && FThickBorder && !maximized) {
    Rect.Inflate(-static_cast<int>(Round(3.0L * DPIFactor)), -static_cast<int>(Round(3.0L * DPIFactor)));
  } else if (!vista && !maximized) {
    Rect.Inflate(-5, -5);
  } else {
    Rect.Inflate(-1, -1);
  }
}
