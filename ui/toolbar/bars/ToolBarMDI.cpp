// The minimize, restore and close buttons a full-size menu-bar toolbar
// shows for the maximized child of an MDI form (AutoMDIButtons). The toolbar
// replaces its form window's procedure to repaint when the form moves; each
// form window keeps its own replacement, tied to the toolbar that made it,
// and a toolbar puts its form's procedure back when the value goes off and
// when it is freed.
#include <map>

#include "ui/toolbar/bars/AdvToolBar.h"
#include "ui/toolbar/bars/ToolBarPaint.h"

namespace {

struct TMDIHook {
  TAdvCustomToolBar* ToolBar;
};
// The form windows whose procedure a toolbar replaced; the old procedure
// sits in the window's GWLP_USERDATA.
std::map<HWND, TMDIHook>& MDIHooks() {
  static std::map<HWND, TMDIHook> hooks;
  return hooks;
}

LRESULT CALLBACK MDIFormWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto old = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Wnd, GWLP_USERDATA));
  auto it = MDIHooks().find(Wnd);
  if (Msg == WM_WINDOWPOSCHANGED && it != MDIHooks().end()) it->second.ToolBar->Invalidate();
  if (Msg == WM_NCDESTROY && it != MDIHooks().end()) {
    // The window goes before its toolbar let go: put the old one back.
    TAdvCustomToolBar* t = it->second.ToolBar;
    MDIHooks().erase(it);
    SetWindowLongPtrW(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    SetWindowLongPtrW(Wnd, GWLP_USERDATA, 0);
    t->ForgetMDIForm();
  }
  return old ? CallWindowProcW(old, Wnd, Msg, WParam, LParam) : DefWindowProcW(Wnd, Msg, WParam, LParam);
}

bool IsSet(TColor C) { return C != clNone; }

}  // namespace

TAdvCustomToolBar* ToolBarHoldingMDIForm(HWND Form) {
  auto it = MDIHooks().find(Form);
  return it == MDIHooks().end() ? nullptr : it->second.ToolBar;
}

bool IsMDIFormHooked(HWND Form) {
  return Form && reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Form, GWLP_WNDPROC)) == &MDIFormWndProc;
}

void TAdvCustomToolBar::SetAutoMDIButtons(bool Value) {
  if (Value == FAutoMDIButtons) return;
  if (Value && FParent && IsClass(FParent, L"TAdvToolBarPager")) return;
  FAutoMDIButtons = Value;
  if (IsDesigning() || IsLoading()) return;
  TCustomForm* form = FindHostForm();
  if (Value && FFullSize && FMenu && form) {
    HWND h = form->Handle();
    if (!IsMDIFormHooked(h)) {
      FMDIChildForm = nullptr;
      LONG_PTR old = SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MDIFormWndProc));
      SetWindowLongPtrW(h, GWLP_USERDATA, old);
      MDIHooks()[h] = {this};
      FMDIForm = h;
    }
    FMDIFormHooked = true;
    return;
  }
  FAutoMDIButtons = false;
  UnhookMDIForm();
}

void TAdvCustomToolBar::UnhookMDIForm() {
  if (!FMDIFormHooked) return;
  FMDIFormHooked = false;
  FMDIChildForm = nullptr;
  HWND h = FMDIForm;
  FMDIForm = nullptr;
  // Only the replacement this toolbar made is taken off; another form's
  // stays with its own toolbar.
  auto it = MDIHooks().find(h);
  if (it == MDIHooks().end() || it->second.ToolBar != this) return;
  MDIHooks().erase(it);
  if (IsWindow(h)) {
    SetWindowRgn(h, nullptr, TRUE);
    if (LONG_PTR old = GetWindowLongPtrW(h, GWLP_USERDATA)) {
      SetWindowLongPtrW(h, GWLP_WNDPROC, old);
      SetWindowLongPtrW(h, GWLP_USERDATA, 0);
    }
  }
  if (!IsDestroying()) Invalidate();
}

void TAdvCustomToolBar::ForgetMDIForm() {
  FMDIFormHooked = false;
  FMDIForm = nullptr;
  FMDIChildForm = nullptr;
}

// ---------------------------------------------------------------------------
// Geometry

TCustomForm* TAdvCustomToolBar::ActiveMDIChildForm() {
  TCustomForm* host = FindHostForm();
  return host && host->FormStyle() == TFormStyle::fsMDIForm ? host->ActiveMDIChild() : nullptr;
}

TRect TAdvCustomToolBar::GetMDICloseRect() {
  TCustomForm* child = ActiveMDIChildForm();
  if (!child || !child->BorderIcons().Contains(TBorderIcon::biSystemMenu)) return TRect();
  int reduce = FShowOptionIndicator && !FFullSize ? FPopupIndicatorWidth : 0;
  if (IsHorizontalBar()) {
    int x = FWidth - 21 - reduce, y = std::max(2, (FHeight - 18) / 2);
    return TRect(x, y, x + 18, y + 18);
  }
  int y = FHeight - 21 - reduce, x = std::max(2, (FWidth - 18) / 2);
  return TRect(x, y, x + 18, y + 18);
}

namespace {
TRect StepBefore(const TRect& R, bool Horizontal) {
  if (R.IsEmpty()) return TRect();
  if (Horizontal) return TRect(R.left - 19, R.top, R.left - 1, R.bottom);
  return TRect(R.left, R.top - 19, R.right, R.top - 1);
}
}  // namespace

TRect TAdvCustomToolBar::GetMDIMaxRect() {
  if (FToolBarState == TToolBarState::tsFloating) return TRect();
  return StepBefore(GetMDICloseRect(), IsHorizontalBar());
}

TRect TAdvCustomToolBar::GetMDIMinRect() {
  if (FToolBarState == TToolBarState::tsFloating) return TRect();
  return StepBefore(GetMDIMaxRect(), IsHorizontalBar());
}

bool TAdvCustomToolBar::PtInMDICloseButton(TPoint P) { return GetMDICloseRect().Contains(P); }
bool TAdvCustomToolBar::PtInMDIMaxButton(TPoint P) { return GetMDIMaxRect().Contains(P); }
bool TAdvCustomToolBar::PtInMDIMinButton(TPoint P) { return GetMDIMinRect().Contains(P); }

// ---------------------------------------------------------------------------
// Painting

void TAdvCustomToolBar::DrawMDIButton(const TRect& R, bool Hot, bool Down, int Glyph, bool Grey) {
  TCanvas* c = Canvas();
  AdvToolBar::TButtonAppearance* a = FCurrentToolBarStyler->ButtonAppearance();
  TColor from = clNone, to = clNone, border = clNone;
  AdvToolBar::TGradientDirection dir = AdvToolBar::TGradientDirection::gdVertical;
  if (Down) {
    from = a->ColorDown();
    to = a->ColorDownTo();
    border = a->BorderDownColor();
    dir = a->GradientDirectionDown();
  } else if (Hot) {
    from = a->ColorHot();
    to = a->ColorHotTo();
    border = a->BorderHotColor();
    dir = a->GradientDirectionHot();
  }
  if (IsSet(from) && IsSet(to)) {
    DrawGradient(c, from, to, 40, R, dir == AdvToolBar::TGradientDirection::gdHorizontal);
  } else if (IsSet(from) || IsSet(to)) {
    c->Brush()->SetStyle(TBrushStyle::bsSolid);
    c->Brush()->SetColor(IsSet(from) ? from : to);
    c->FillRect(R);
  }
  if (IsSet(border)) {
    c->Brush()->SetStyle(TBrushStyle::bsClear);
    c->Pen()->SetColor(border);
    c->Rectangle(R);
  }
  TColor ink = Grey ? static_cast<TColor>(0x808080) : clBlack;
  c->Pen()->SetColor(ink);
  c->Pen()->SetWidth(1);
  int gx = R.left + (R.Width() - 8) / 2, gy = R.top + (R.Height() - 8) / 2;
  switch (Glyph) {
    case 0:  // close: two diagonals, two pixels thick
      for (int d = 0; d < 2; ++d) {
        c->MoveTo(gx + d, gy);
        c->LineTo(gx + 8, gy + 8 - d);
        c->MoveTo(gx + 7 - d, gy);
        c->LineTo(gx - 1, gy + 8 - d);
      }
      break;
    case 1:  // restore: two overlapping window outlines with thick tops
      c->Brush()->SetStyle(TBrushStyle::bsClear);
      c->Rectangle(gx + 2, gy, gx + 8, gy + 5);
      c->MoveTo(gx + 2, gy + 1);
      c->LineTo(gx + 8, gy + 1);
      c->Brush()->SetStyle(TBrushStyle::bsSolid);
      c->Brush()->SetColor(IsSet(from) ? from : FCurrentToolBarStyler->Color()->Color());
      c->Rectangle(gx, gy + 3, gx + 6, gy + 8);
      c->MoveTo(gx, gy + 4);
      c->LineTo(gx + 6, gy + 4);
      break;
    default:  // minimize: a bar 6 long and 2 thick
      c->Brush()->SetStyle(TBrushStyle::bsSolid);
      c->Brush()->SetColor(ink);
      if (IsHorizontalBar())
        c->FillRect(TRect(R.left + (R.Width() - 6) / 2, R.bottom - 6, R.left + (R.Width() - 6) / 2 + 6, R.bottom - 4));
      else
        c->FillRect(TRect(R.left + 5, R.top + (R.Height() - 6) / 2, R.left + 7, R.top + (R.Height() - 6) / 2 + 6));
      break;
  }
}

void TAdvCustomToolBar::DrawMDIButtons() {
  FMDIChildForm = ActiveMDIChildForm();
  TCustomForm* child = FMDIChildForm;
  if (!FAutoMDIButtons || !child || child->WindowState() != TWindowState::wsMaximized ||
      FToolBarState == TToolBarState::tsFloating) {
    FMDIButtonsVisible = false;
    return;
  }
  FMDIButtonsVisible = true;
  TBorderIcons icons = child->BorderIcons();
  DrawMDIButton(GetMDICloseRect(), FMDIHotCloseBtn, FMDIDownCloseBtn, 0, false);
  DrawMDIButton(GetMDIMaxRect(), FMDIHotMaxBtn, FMDIDownMaxBtn, 1, !icons.Contains(TBorderIcon::biMaximize));
  DrawMDIButton(GetMDIMinRect(), FMDIHotMinBtn, FMDIDownMinBtn, 2, !icons.Contains(TBorderIcon::biMinimize));
}

// ---------------------------------------------------------------------------
// Mouse and actions

bool TAdvCustomToolBar::MDIButtonsMessage(TMessage& Message) {
  if (!FMDIButtonsVisible) return false;
  TPoint p(static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam)));
  TCustomForm* child = FMDIChildForm;
  TBorderIcons icons = child ? child->BorderIcons() : TBorderIcons{};
  bool sizing = icons.Contains(TBorderIcon::biMaximize) || icons.Contains(TBorderIcon::biMinimize);
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
      if (PtInMDICloseButton(p))
        FMDIDownCloseBtn = true;
      else if (sizing && PtInMDIMaxButton(p))
        FMDIDownMaxBtn = true;
      else if (sizing && PtInMDIMinButton(p))
        FMDIDownMinBtn = true;
      else
        return false;
      Invalidate();
      return true;
    case WM_MOUSEMOVE: {
      bool c = PtInMDICloseButton(p), x = PtInMDIMaxButton(p), n = PtInMDIMinButton(p);
      if (c != FMDIHotCloseBtn || x != FMDIHotMaxBtn || n != FMDIHotMinBtn) {
        FMDIHotCloseBtn = c;
        FMDIHotMaxBtn = x;
        FMDIHotMinBtn = n;
        Invalidate();
      }
      return false;
    }
    case WM_LBUTTONUP: {
      bool close = FMDIDownCloseBtn && PtInMDICloseButton(p);
      bool restore = FMDIDownMaxBtn, minimize = FMDIDownMinBtn;
      bool any = FMDIDownCloseBtn || restore || minimize;
      FMDIDownCloseBtn = FMDIDownMaxBtn = FMDIDownMinBtn = false;
      if (!any) return false;
      Invalidate();
      // A pressed close button acts only when released on it, restore and
      // minimize wherever the release happens.
      if (close) CloseMDIChild();
      if (restore) RestoreMDIChild();
      if (minimize) MinimizeMDIChild();
      return true;
    }
    default:
      return false;
  }
}

bool TAdvCustomToolBar::MDIButtonsAct() {
  TCustomForm* child = ActiveMDIChildForm();
  return FAutoMDIButtons && child && child->WindowState() == TWindowState::wsMaximized && FMDIButtonsVisible &&
         FToolBarState != TToolBarState::tsFloating;
}

void TAdvCustomToolBar::CloseMDIChild() {
  if (MDIButtonsAct()) ActiveMDIChildForm()->Close();
}

void TAdvCustomToolBar::RestoreMDIChild() {
  if (!MDIButtonsAct()) return;
  TCustomForm* child = ActiveMDIChildForm();
  if (child->BorderIcons().Contains(TBorderIcon::biMaximize)) child->SetWindowState(TWindowState::wsNormal);
}

void TAdvCustomToolBar::MinimizeMDIChild() {
  if (!MDIButtonsAct()) return;
  TCustomForm* child = ActiveMDIChildForm();
  if (child->BorderIcons().Contains(TBorderIcon::biMinimize)) child->SetWindowState(TWindowState::wsMinimized);
}
