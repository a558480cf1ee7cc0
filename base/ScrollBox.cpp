#include "base/ScrollBox.h"

#include <algorithm>

TScrollBox::TScrollBox(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = {TControlStyleItem::csAcceptsControls, TControlStyleItem::csCaptureMouse,
                   TControlStyleItem::csClickEvents, TControlStyleItem::csSetCaption,
                   TControlStyleItem::csDoubleClicks};
  FWidth = 185;
  FHeight = 41;
  SetColor(clBtnFace);
}

void TScrollBox::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
  if (FBorderStyle == TBorderStyleKind::bsSingle) {
    if (FCtl3D)
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
}

void TScrollBox::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateScrollBars();
}

void TScrollBox::SetBorderStyle(TBorderStyleKind Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TScrollBox::SetCtl3D(bool Value) {
  if (FCtl3D == Value) return;
  FCtl3D = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TScrollBox::Paint() {
  Canvas()->Brush()->SetColor(FColor);
  Canvas()->FillRect(ClientRect());
}

TSize TScrollBox::ContentSize() {
  int w = 0, h = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Visible()) continue;
    w = std::max(w, c->Left() + c->Width() + FPosX);
    h = std::max(h, c->Top() + c->Height() + FPosY);
  }
  return TSize(w, h);
}

void TScrollBox::UpdateScrollBars() {
  if (!FHandle || FUpdating) return;
  FUpdating = true;
  try {
    // Twice: one bar appearing narrows the room of the other.
    for (int pass = 0; pass < 2; ++pass) {
      TSize content = ContentSize();
      RECT client;
      GetClientRect(FHandle, &client);
      SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
      si.nMax = std::max<int>(0, content.cx - 1);
      si.nPage = static_cast<UINT>(client.right);
      SetScrollInfo(FHandle, SB_HORZ, &si, TRUE);
      si.nMax = std::max<int>(0, content.cy - 1);
      si.nPage = static_cast<UINT>(client.bottom);
      SetScrollInfo(FHandle, SB_VERT, &si, TRUE);
    }
  } catch (...) {
    FUpdating = false;
    throw;
  }
  FUpdating = false;
  RECT client;
  GetClientRect(FHandle, &client);
  TSize content = ContentSize();
  ScrollTo(std::min(FPosX, std::max<int>(0, content.cx - client.right)),
           std::min(FPosY, std::max<int>(0, content.cy - client.bottom)));
}

void TScrollBox::ScrollTo(int X, int Y) {
  if (FHandle) {
    RECT client;
    GetClientRect(FHandle, &client);
    TSize content = ContentSize();
    X = std::clamp(X, 0, std::max<int>(0, content.cx - client.right));
    Y = std::clamp(Y, 0, std::max<int>(0, content.cy - client.bottom));
  } else {
    X = std::max(X, 0);
    Y = std::max(Y, 0);
  }
  int dx = X - FPosX, dy = Y - FPosY;
  if (!dx && !dy) return;
  FPosX = X;
  FPosY = Y;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    c->SetBounds(c->Left() - dx, c->Top() - dy, c->Width(), c->Height());
  }
  if (FHandle) {
    SetScrollPos(FHandle, SB_HORZ, X, TRUE);
    SetScrollPos(FHandle, SB_VERT, Y, TRUE);
  }
  Invalidate();
}

void TScrollBox::AlignControls(TControl* AControl, TRect& Rect) {
  TCustomControl::AlignControls(AControl, Rect);
  UpdateScrollBars();
}

void TScrollBox::Scroll(int Bar, WPARAM Request) {
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(FHandle, Bar, &si);
  int pos = si.nPos;
  int line = 16;
  switch (LOWORD(Request)) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= static_cast<int>(si.nPage); break;
    case SB_PAGEDOWN: pos += static_cast<int>(si.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = si.nMin; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
  }
  if (Bar == SB_HORZ)
    ScrollTo(pos, FPosY);
  else
    ScrollTo(FPosX, pos);
}

void TScrollBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_HSCROLL:
      Scroll(SB_HORZ, Message.WParam);
      return;
    case WM_VSCROLL:
      Scroll(SB_VERT, Message.WParam);
      return;
    case WM_MOUSEWHEEL:
      ScrollTo(FPosX, FPosY - GET_WHEEL_DELTA_WPARAM(Message.WParam) / WHEEL_DELTA * 3 * 16);
      return;
    default:
      break;
  }
  TCustomControl::Dispatch(Message);
}
