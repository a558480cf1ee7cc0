#include "base/Shape.h"

#include <algorithm>

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(TControlStyleItem::csReplicatable);
  FWidth = 65;
  FHeight = 65;
  FPen = new TPen();
  FPen->OnChange = [this](TObject* Sender) { StyleChanged(Sender); };
  FBrush = new TBrush();
  FBrush->OnChange = [this](TObject* Sender) { StyleChanged(Sender); };
}

void TShape::SetShape(TShapeType Value) {
  if (FShape == Value) return;
  FShape = Value;
  Invalidate();
}

void TShape::Paint() {
  TCanvas* c = Canvas();
  c->Pen()->Assign(FPen);
  c->Brush()->Assign(FBrush);
  // The pen's width stays inside the bounds.
  int pw = std::max(FPen->Width(), 1);
  int x = pw / 2, y = pw / 2;
  int w = FWidth - pw + 1, h = FHeight - pw + 1;
  if (FShape == TShapeType::stSquare || FShape == TShapeType::stRoundSquare || FShape == TShapeType::stCircle) {
    int side = std::min(w, h);
    x += (w - side) / 2;
    y += (h - side) / 2;
    w = h = side;
  }
  switch (FShape) {
    case TShapeType::stRectangle:
    case TShapeType::stSquare:
      c->Rectangle(x, y, x + w, y + h);
      break;
    case TShapeType::stRoundRect:
    case TShapeType::stRoundSquare: {
      int r = std::min(w, h) / 4;
      c->RoundRect(x, y, x + w, y + h, r, r);
      break;
    }
    case TShapeType::stEllipse:
    case TShapeType::stCircle:
      c->Ellipse(x, y, x + w, y + h);
      break;
  }
}
