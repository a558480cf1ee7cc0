// TAdvPageScrollButton: the small arrow button that scrolls the pager's tab
// row and the groups of a page that is too narrow. It paints a glow face
// with a triangle and repeats its click while held: once 400 ms after the
// press, then every 100 ms while it holds the mouse, and once more at the
// release (a short press clicks once, at the release).
#pragma once

#include "base/ExtCtrls.h"
#include "ui/controls/buttons/GlowButtonAppearance.h"
#include "ui/controls/buttons/GlowFace.h"

enum class TScrollArrow { saLeft, saTop, saRight, saBottom, saNone };

class TAdvPageScrollButton : public TCustomControl {
  VANTREL_CLASS(TAdvPageScrollButton)
 public:
  // 22 x 23, captures the mouse and takes double clicks but fires its clicks
  // itself; Tahoma.
  explicit TAdvPageScrollButton(TComponent* AOwner);

  // The face's colours; a change repaints.
  TGlowButtonAppearance* Appearance() const { return FAppearance; }
  TButtonPosition ButtonPosition() const { return FButtonPosition; }
  // Stores only (no repaint).
  void SetButtonPosition(TButtonPosition Value) { FButtonPosition = Value; }
  TScrollArrow ScrollArrow() const { return FScrollArrow; }
  void SetScrollArrow(TScrollArrow Value);
  // An idle button shows its parent's background instead of a face.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool RepeatClick() const { return FRepeatClick; }
  void SetRepeatClick(bool Value) { FRepeatClick = Value; }
  int InitRepeatPause() const { return FInitRepeatPause; }
  int RepeatPause() const { return FRepeatPause; }
  // The timer of the held press (nullptr before the first press).
  TTimer* RepeatTimer() const { return FRepeatTimer; }
  bool MouseInside() const { return FMouseEnter; }
  bool MouseIsDown() const { return FMouseDown; }

  void Dispatch(TMessage& Message) override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void RepeatTimerTick(TObject* Sender);
  void PaintParentPart(HDC DC, const TRect& Clip);
  bool FMouseEnter = false;
  TOwned<TGlowButtonAppearance> FAppearance;
  bool FTransparent = false;
  TButtonPosition FButtonPosition = TButtonPosition::bpStandalone;
  bool FMouseDown = false;
  TScrollArrow FScrollArrow = TScrollArrow::saLeft;
  TTimer* FRepeatTimer = nullptr;  // owned as a component
  int FInitRepeatPause = 400;
  int FRepeatPause = 100;
  bool FRepeatClick = true;
};
