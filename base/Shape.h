// A shape drawn with a pen and a brush: rectangle, square, rounded
// rectangle, ellipse or circle.
#pragma once

#include "base/Controls.h"

enum class TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
  VANTREL_CLASS(TShape)
 public:
  explicit TShape(TComponent* AOwner);

  // Changes to the pen and the brush repaint the shape.
  TPen* Pen() { return FPen; }
  TBrush* Brush() { return FBrush; }
  TShapeType Shape() const { return FShape; }
  void SetShape(TShapeType Value);

 protected:
  void Paint() override;

 private:
  void StyleChanged(TObject* Sender) { Invalidate(); }

  TOwned<TPen> FPen;
  TOwned<TBrush> FBrush;
  TShapeType FShape = TShapeType::stRectangle;
};
