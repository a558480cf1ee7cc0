// A container that scrolls its children: scroll bars appear when the
// children reach beyond the client area.
#pragma once

#include "base/Controls.h"

class TScrollBox : public TCustomControl {
  VANTREL_CLASS(TScrollBox)
 public:
  explicit TScrollBox(TComponent* AOwner);

  TBorderStyleKind BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyleKind Value);
  // With a border: sunken (true) or flat (false).
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  // How far the content is scrolled.
  int HorzPosition() const { return FPosX; }
  int VertPosition() const { return FPosY; }
  // Scrolls the content so that (X, Y) of it is at the top-left corner;
  // kept within the range.
  void ScrollTo(int X, int Y);
  // The size of the content: the farthest right and bottom edge of a
  // visible child, measured from the unscrolled origin.
  TSize ContentSize();
  // Sets the scroll ranges from the children (after they moved or grew).
  void UpdateScrollBars();

  void AlignControls(TControl* AControl, TRect& Rect) override;
  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Paint() override;

 private:
  void Scroll(int Bar, WPARAM Request);

  TBorderStyleKind FBorderStyle = TBorderStyleKind::bsSingle;
  bool FCtl3D = true;
  int FPosX = 0;
  int FPosY = 0;
  bool FUpdating = false;
};
