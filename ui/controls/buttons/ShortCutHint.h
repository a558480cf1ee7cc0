// The key-tip window: a small top-most window that shows a control's
// keyboard-access letters beside it while a toolbar or ribbon is in key-tip
// mode, and the registration of the "ClearHintControl" message.
#pragma once

#include "base/Hints.h"

enum class TShortCutHintPos {
  shpLeft, shpTop, shpRight, shpBottom, shpCenter, shpAuto, shpTopLeft, shpTopRight, shpAboveTop,
  shpAboveTopLeft, shpAboveTopRight, shpBottomLeft, shpBottomRight, shpBelowBottom, shpBelowBottomLeft,
  shpBelowBottomRight, shpBelowBottomCenter
};

// Its background is a vertical gradient from Color to ColorTo with a grey
// rounded outline; the text is centred on one line.
class TShortCutHintWindow : public THintWindow {
  VANTREL_CLASS(TShortCutHintWindow)
 public:
  explicit TShortCutHintWindow(TComponent* AOwner);
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);

  void Dispatch(TMessage& Message) override;

 protected:
  // Borderless, top-most, no drop shadow; Color and ColorTo start as
  // clInfoBk whenever the window is made.
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  // Never narrower than the width of "O" + 8.
  void Resize() override;

 private:
  TColor FColorTo = clInfoBk;
};

// The top-left corner of a key tip of W x H beside a control whose client
// area is ButtonW x ButtonH at screen (X, Y); shpAuto places like shpTop.
TPoint ShortCutHintPosition(TShortCutHintPos Pos, int X, int Y, int ButtonW, int ButtonH, int W, int H);

// The message "ClearHintControl", registered at start-up (0 before).
WORD ClearHintControlMessage();
// The unit's start-up and finalisation (the hint unit of the program's
// table); a repeated start-up does nothing.
void InitHintControlUnit();
void FiniHintControlUnit();
