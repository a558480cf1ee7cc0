// TFloatingWindow: the borderless, stay-on-top window a toolbar floats in
// once it was dragged out of its dock panel. It draws a frame in its border
// colour round the toolbar, and dragging one of its edges flows the toolbar
// into more or fewer rows. Closing it hides the toolbar.
#pragma once

#include "base/Forms.h"

class TAdvCustomToolBar;

enum class TResizingClip { rcLeft, rcTop, rcRight, rcBottom };

class TFloatingWindow : public TCustomForm {
  VANTREL_CLASS(TFloatingWindow)
 public:
  explicit TFloatingWindow(TComponent* AOwner);

  // The toolbar it hosts; not owned.
  TAdvCustomToolBar* AdvCustomToolBar() const { return FAdvCustomToolBar; }
  void SetAdvCustomToolBar(TAdvCustomToolBar* Value) { FAdvCustomToolBar = Value; }
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  // clNone draws no frame.
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }
  bool Resizing() const { return FResizing; }

  // The toolbar's size with the frame round it, the toolbar inside it.
  void SetWindowSize();
  void Loaded() override;
  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void PaintWindow(HDC DC) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  // One row more (+1) or fewer (-1) for the toolbar; True when it changed.
  bool ChangeRows(int Delta);
  // The toolbar's floating size for its row count + Delta, when possible.
  bool SizeFor(int Delta, int& W, int& H);
  void ResizeMove(int X, int Y);

  TAdvCustomToolBar* FAdvCustomToolBar = nullptr;
  TComponent* FOwner;
  int FBorderWidth = 2;
  TColor FBorderColor = 7171437;
  TCursor FOldCursor = crDefault;
  bool FResizing = false;
  int FMouseX = 0, FMouseY = 0;
  int FResizingDir = 0;
  TResizingClip FResizingClip = TResizingClip::rcRight;
};
