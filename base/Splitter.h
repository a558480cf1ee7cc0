// A bar between two aligned controls that the user drags to share the room
// between them: it resizes the control on its aligned side.
#pragma once

#include "base/Controls.h"

class TSplitter : public TGraphicControl {
  VANTREL_CLASS(TSplitter)
 public:
  explicit TSplitter(TComponent* AOwner);

  // The least size the drag leaves to the resized control and to the room
  // on the other side.
  int MinSize() const { return FMinSize; }
  void SetMinSize(int Value) { FMinSize = Value > 0 ? Value : 1; }

  // The control the splitter resizes: the one aligned the same way right
  // beside it on its aligned side; nullptr when there is none.
  TControl* ResizeControl();
  // Moves the splitter by Delta pixels (down or right is positive), within
  // the limits, as a drag does; returns the resized control's new size.
  int MoveBy(int Delta);

  TNotifyEvent OnMoved;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  bool Vertical() const { return FAlign == TAlign::alLeft || FAlign == TAlign::alRight; }

  int FMinSize = 30;
  bool FDragging = false;
  TPoint FDownPos;
};
