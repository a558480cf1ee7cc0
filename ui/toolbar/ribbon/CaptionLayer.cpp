#include "ui/toolbar/ribbon/CaptionLayer.h"

#include <windowsx.h>

#include "base/Forms.h"

#include "ui/toolbar/bars/ToolBarPaint.h"

namespace {
// The smallest height a top-edge resize leaves the form: its own minimum,
// and never less than the system's smallest window.
int MinimumFormHeight(TCustomForm* Form) {
  return Max<int>(Form->Constraints()->MinHeight(), GetSystemMetrics(SM_CYMINTRACK));
}
}  // namespace

TCaptionLayer::TCaptionLayer(TComponent* AOwner) : TCustomControl(AOwner) {
  TControlStyle style = ControlStyle();
  style.Exclude(TControlStyleItem::csOpaque);
  style.Include(TControlStyleItem::csParentBackground);
  SetControlStyle(style);
  SetText(L"");
  FOldCursor = Cursor();
  FRefGlowButton = new TAdvGlowButton(this);
  FRefGlowButton->SetParent(this);
  FRefGlowButton->SetAlign(TAlign::alNone);
  FRefGlowButton->SetBounds(1, 1, 1, 1);
  FRefGlowButton->SetTabStop(false);
  FRefGlowButton->SetTransparent(true);
}

void TCaptionLayer::Loaded() {
  TCustomControl::Loaded();
  FOldCursor = Cursor();
}

TCustomForm* TCaptionLayer::TopForm() {
  TCustomForm* form = GetParentForm(this);
  return form;
}

// ---------------------------------------------------------------------------
// Mouse

void TCaptionLayer::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == TMouseButton::mbLeft && Shift.Contains(TShiftStateItem::ssLeft)) {
    TCustomForm* form = TopForm();
    bool maximized = form && form->WindowState() == TWindowState::wsMaximized;
    // A maximized form has no top edge to resize: a press anywhere drags it.
    if (Y >= 0 && Y < ResizeBand && !maximized) {
      if (form) {
        FResizing = true;
        FResizingClip = TResizingClip::rcTop;
        FResizingDir = 0;
        FMouseY = ClientToScreen(TPoint(X, Y)).y;
        FStartTop = form->Top();
        FStartHeight = form->Height();
      }
      return;
    }
    if (maximized && form->HandleAllocated()) SendMessageW(form->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCaptionLayer::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  TCustomForm* form = TopForm();
  TFormBorderStyle border = form ? form->BorderStyle() : TFormBorderStyle::bsNone;
  // A maximized or fixed form has no top edge to show.
  if (!form || form->WindowState() == TWindowState::wsMaximized || border == TFormBorderStyle::bsSingle ||
      border == TFormBorderStyle::bsDialog || border == TFormBorderStyle::bsToolWindow) {
    if (Cursor() != FOldCursor) SetCursor(FOldCursor);
    return;
  }
  TCursor wanted = Y >= 0 && Y < ResizeBand ? crSizeNS : FOldCursor;
  if (FResizing) wanted = crSizeNS;
  if (Cursor() != wanted) SetCursor(wanted);
  if (!FResizing || !Shift.Contains(TShiftStateItem::ssLeft)) return;
  // The top edge follows the pointer from the row where it was pressed;
  // the bottom edge stays, and the form keeps its smallest height.
  int dy = ClientToScreen(TPoint(X, Y)).y - FMouseY;
  int height = FStartHeight - dy;
  int minimum = MinimumFormHeight(form);
  if (height < minimum) height = minimum;
  int top = FStartTop + FStartHeight - height;
  if (top != form->Top() || height != form->Height()) form->SetBounds(form->Left(), top, form->Width(), height);
  FResizingDir = 1;
}

void TCaptionLayer::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  EndResize();
}

void TCaptionLayer::EndResize() {
  FResizing = false;
  FResizingDir = 0;
  FMouseY = 0;
}

// ---------------------------------------------------------------------------
// Messages and painting

void TCaptionLayer::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_PAINT:
      if (!Message.WParam) {
        PaintText(Message);
        return;
      }
      break;
    case WM_LBUTTONDBLCLK:
      TCustomControl::Dispatch(Message);
      if (OnDoubleClick) OnDoubleClick(this, GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
      return;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      TCustomControl::Dispatch(Message);
      EndResize();
      return;
    default:
      break;
  }
  TCustomControl::Dispatch(Message);
}

void TCaptionLayer::PaintText(TMessage&) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(Handle(), &ps);
  struct Done {
    TCaptionLayer* Layer;
    PAINTSTRUCT* Paint;
    bool Canvas = false;
    ~Done() {
      if (Canvas) {
        Layer->FCanvas->SetHandle(nullptr);
        Layer->FCanvas->Unlock();
      }
      EndPaint(Layer->Handle(), Paint);
    }
  } done{this, &ps};
  if (!OnTextPaint) return;
  // The handler draws on the layer's canvas, which holds the paint's DC.
  FCanvas->Lock();
  FCanvas->FreeHandle();
  FCanvas->SetHandle(dc);
  done.Canvas = true;
  FCanvas->Font()->Assign(Font());
  String text = Text();
  TRect r = ClientRect();
  TAlignment alignment = TAlignment::taLeftJustify;
  OnTextPaint(this, text, r, alignment);
}

void TCaptionLayer::Paint() {
  String text = Text();
  TRect r = ClientRect();
  if (OnTextPaint) {
    TAlignment alignment = TAlignment::taLeftJustify;
    OnTextPaint(this, text, r, alignment);
  } else {
    DrawGlowText(this, text, r, false, r, FBackColor, false);
  }
  FRef = !FRef;
  if (!FRef && FRefGlowButton) FRefGlowButton->Invalidate();
}
