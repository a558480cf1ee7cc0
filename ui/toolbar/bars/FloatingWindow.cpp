#include "ui/toolbar/bars/FloatingWindow.h"

#include <algorithm>

#include "ui/toolbar/bars/AdvToolBar.h"

namespace {
constexpr int kEdge = 5;  // the resize zone along each edge
}

TFloatingWindow::TFloatingWindow(TComponent* AOwner) : TCustomForm(AOwner), FOwner(AOwner) {}

void TFloatingWindow::CreateParams(TCreateParams& Params) {
  TCustomForm::CreateParams(Params);
  Params.Style = (Params.Style | WS_POPUP) & ~static_cast<DWORD>(WS_CHILD);
}

void TFloatingWindow::Loaded() {
  TCustomForm::Loaded();
  FOldCursor = FCursor;
}

void TFloatingWindow::SetBorderWidth(int Value) {
  if (FBorderWidth == Value) return;
  FBorderWidth = Value;
  SetWindowSize();
}

void TFloatingWindow::SetWindowSize() {
  if (!FAdvCustomToolBar) return;
  int w = FAdvCustomToolBar->Width() + 2 * FBorderWidth + 2;
  int h = FAdvCustomToolBar->Height() + 2 * FBorderWidth + 2;
  SetBounds(Left(), Top(), w, h);
  FAdvCustomToolBar->SetBounds(FBorderWidth + 1, FBorderWidth + 1, FAdvCustomToolBar->Width(),
                               FAdvCustomToolBar->Height());
  Invalidate();
}

void TFloatingWindow::PaintWindow(HDC DC) {
  TCustomForm::PaintWindow(DC);
  HBRUSH back = CreateSolidBrush(ColorToRGB(Color()));
  RECT all{0, 0, Width(), Height()};
  FillRect(DC, &all, back);
  DeleteObject(back);
  if (FBorderColor == clNone) return;
  COLORREF c = ColorToRGB(FBorderColor);
  int b = FBorderWidth;
  // A hollow rectangle (1, 1, Width, Height) outlined with a pen b wide,
  // then the four inner corners.
  HPEN pen = CreatePen(PS_SOLID, b, c);
  HGDIOBJ oldPen = SelectObject(DC, pen);
  HGDIOBJ oldBrush = SelectObject(DC, GetStockObject(NULL_BRUSH));
  Rectangle(DC, 1, 1, Width(), Height());
  SelectObject(DC, oldBrush);
  SelectObject(DC, oldPen);
  DeleteObject(pen);
  SetPixel(DC, b, b, c);
  SetPixel(DC, Width() - b - 1, b, c);
  SetPixel(DC, b, Height() - b - 1, c);
  SetPixel(DC, Width() - b - 1, Height() - b - 1, c);
}

void TFloatingWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      Message.Result = 1;  // PaintWindow covers every pixel
      return;
    case WM_CLOSE:
      TCustomForm::Dispatch(Message);
      if (FAdvCustomToolBar) FAdvCustomToolBar->SetVisible(false);
      return;
    default:
      TCustomForm::Dispatch(Message);
  }
}

void TFloatingWindow::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomForm::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  FResizingDir = 0;
  if (X >= Width() - kEdge && X <= Width()) {
    FResizingClip = TResizingClip::rcRight;
    FMouseX = Width();
    FMouseY = Y;
  } else if (Y >= Height() - kEdge && Y <= Height()) {
    FResizingClip = TResizingClip::rcBottom;
    FMouseX = X;
    FMouseY = Height();
  } else if (X >= 0 && X <= kEdge) {
    FResizingClip = TResizingClip::rcLeft;
    FMouseX = 0;
    FMouseY = Y;
  } else if (Y >= 0 && Y <= kEdge) {
    FResizingClip = TResizingClip::rcTop;
    FMouseX = X;
    FMouseY = 0;
  } else {
    return;
  }
  FResizing = true;
}

void TFloatingWindow::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomForm::MouseUp(Button, Shift, X, Y);
  FResizing = false;
  FMouseX = FMouseY = 0;
  FResizingDir = 0;
}

bool TFloatingWindow::SizeFor(int Delta, int& W, int& H) {
  return FAdvCustomToolBar && FAdvCustomToolBar->GetSizeForRows(FAdvCustomToolBar->FloatingRows() + Delta, H, W);
}

bool TFloatingWindow::ChangeRows(int Delta) {
  int before = FAdvCustomToolBar->FloatingRows();
  int oldW = Width(), oldH = Height();
  FAdvCustomToolBar->SetFloatingRows(before + Delta);
  if (FAdvCustomToolBar->FloatingRows() == before) return false;
  // A left or top edge keeps the opposite edge in place.
  if (FResizingClip == TResizingClip::rcLeft) {
    SetBounds(Left() + oldW - Width(), Top(), Width(), Height());
    FMouseX = 0;
  } else if (FResizingClip == TResizingClip::rcTop) {
    SetBounds(Left(), Top() + oldH - Height(), Width(), Height());
    FMouseY = 0;
  } else if (FResizingClip == TResizingClip::rcRight) {
    FMouseX = Width();
  } else {
    FMouseY = Height();
  }
  Invalidate();
  return true;
}

void TFloatingWindow::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomForm::MouseMove(Shift, X, Y);
  if (X <= kEdge || X >= Width() - kEdge)
    SetCursor(crSizeWE);
  else if (Y <= kEdge || Y >= Height() - kEdge)
    SetCursor(crSizeNS);
  else
    SetCursor(FOldCursor);
  if (FResizing && Shift.Contains(TShiftStateItem::ssLeft) && FAdvCustomToolBar) ResizeMove(X, Y);
}

void TFloatingWindow::ResizeMove(int X, int Y) {
  bool horizontalEdge = FResizingClip == TResizingClip::rcLeft || FResizingClip == TResizingClip::rcRight;
  int d = horizontalEdge ? X - FMouseX : Y - FMouseY;
  // Which way a positive and a negative pull change the rows.
  int positive = 0, negative = 0;
  switch (FResizingClip) {
    case TResizingClip::rcLeft: negative = -1, positive = +1; break;
    case TResizingClip::rcTop: negative = +1, positive = -1; break;
    case TResizingClip::rcRight: positive = -1, negative = +1; break;
    case TResizingClip::rcBottom: positive = +1, negative = -1; break;
  }
  // Direction 1 is the change a negative pull makes on the left and top
  // edges and a positive pull on the right and bottom ones.
  bool farEdge = FResizingClip == TResizingClip::rcRight || FResizingClip == TResizingClip::rcBottom;
  int dirNegative = farEdge ? 2 : 1, dirPositive = farEdge ? 1 : 2;
  auto startRule = [&](int Dir, bool Pulled) { return Pulled && (FResizingDir == 0 || FResizingDir == Dir); };
  bool pulledNeg = FResizingDir == 0 ? d < -kEdge : d <= -3;
  bool pulledPos = FResizingDir == 0 ? d > kEdge : d > 2;
  if (startRule(dirNegative, pulledNeg)) {
    if (ChangeRows(negative)) FResizingDir = dirNegative;
    return;
  }
  if (startRule(dirPositive, pulledPos)) {
    if (ChangeRows(positive)) FResizingDir = dirPositive;
    return;
  }
  if (FResizingDir == 0) return;
  // Back rules: the pointer returned far enough to undo the last change.
  int b = 2 * FBorderWidth, w = 0, h = 0;
  int lastChange = FResizingDir == dirNegative ? negative : positive;
  int back = -lastChange;
  if (!SizeFor(back, w, h)) return;
  bool ok = false;
  switch (FResizingClip) {
    case TResizingClip::rcLeft: ok = back > 0 ? X >= Width() - b - w : X <= Width() - b - w; break;
    case TResizingClip::rcTop: ok = back < 0 ? Y >= Height() - b - h - 2 : Y <= Height() - b - h; break;
    case TResizingClip::rcRight: ok = back > 0 ? X <= b + w : X >= b + w; break;
    case TResizingClip::rcBottom: ok = back < 0 ? Y <= b + h + 2 : Y >= b + h; break;
  }
  if (ok) ChangeRows(back);
}
