#include "base/Splitter.h"

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(TControlStyleItem::csCaptureMouse);
  FAlign = TAlign::alLeft;
  FWidth = 3;
  FHeight = 100;
  FCursor = crHSplit;
  FParentColor = true;
}

TControl* TSplitter::ResizeControl() {
  if (!FParent) return nullptr;
  for (int i = 0; i < FParent->ControlCount(); ++i) {
    TControl* c = FParent->Controls(i);
    if (c == this || !c->Visible() || c->Align() != FAlign) continue;
    bool beside = false;
    switch (FAlign) {
      case TAlign::alTop: beside = c->Top() + c->Height() == FTop; break;
      case TAlign::alBottom: beside = c->Top() == FTop + FHeight; break;
      case TAlign::alLeft: beside = c->Left() + c->Width() == FLeft; break;
      case TAlign::alRight: beside = c->Left() == FLeft + FWidth; break;
      default: break;
    }
    if (beside) return c;
  }
  return nullptr;
}

int TSplitter::MoveBy(int Delta) {
  TControl* c = ResizeControl();
  if (!c) return 0;
  bool vertical = Vertical();
  int size = vertical ? c->Width() : c->Height();
  // The room of the parent's client area that the other aligned controls
  // leave to the resized control, the splitter and the rest.
  TRect room = FParent->ClientRect();
  int avail = vertical ? room.Width() : room.Height();
  for (int i = 0; i < FParent->ControlCount(); ++i) {
    TControl* o = FParent->Controls(i);
    if (o == this || o == c || !o->Visible()) continue;
    bool takes = vertical ? (o->Align() == TAlign::alLeft || o->Align() == TAlign::alRight)
                          : (o->Align() == TAlign::alTop || o->Align() == TAlign::alBottom);
    if (takes) avail -= vertical ? o->Width() : o->Height();
  }
  int maxSize = avail - (vertical ? FWidth : FHeight) - FMinSize;
  // Growing the control on the right or at the bottom means moving left or up.
  int grow = (FAlign == TAlign::alBottom || FAlign == TAlign::alRight) ? -Delta : Delta;
  int newSize = size + grow;
  if (newSize > maxSize) newSize = maxSize;
  if (newSize < FMinSize) newSize = FMinSize;
  if (newSize == size) return size;
  switch (FAlign) {
    case TAlign::alTop: c->SetHeight(newSize); break;
    case TAlign::alBottom: c->SetBounds(c->Left(), c->Top() + c->Height() - newSize, c->Width(), newSize); break;
    case TAlign::alLeft: c->SetWidth(newSize); break;
    case TAlign::alRight: c->SetBounds(c->Left() + c->Width() - newSize, c->Top(), newSize, c->Height()); break;
    default: break;
  }
  // The splitter moves with the control's edge.
  switch (FAlign) {
    case TAlign::alTop: SetTop(c->Top() + c->Height()); break;
    case TAlign::alBottom: SetTop(c->Top() - FHeight); break;
    case TAlign::alLeft: SetLeft(c->Left() + c->Width()); break;
    case TAlign::alRight: SetLeft(c->Left() - FWidth); break;
    default: break;
  }
  FParent->Realign();
  if (OnMoved) OnMoved(this);
  return newSize;
}

void TSplitter::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(Color());
  c->Brush()->SetStyle(TBrushStyle::bsSolid);
  c->FillRect(TRect(0, 0, FWidth, FHeight));
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  FDragging = true;
  FDownPos = TPoint(X, Y);
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging) return;
  // The splitter moves with the pointer, so the press point stays under it.
  int delta = Vertical() ? X - FDownPos.x : Y - FDownPos.y;
  if (delta) MoveBy(delta);
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FDragging = false;
  TGraphicControl::MouseUp(Button, Shift, X, Y);
}
