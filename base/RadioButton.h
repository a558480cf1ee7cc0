// The radio button: checking one unchecks the other radio buttons of the
// same parent.
#pragma once

#include "base/StdCtrls.h"

class TRadioButton : public TWinControl {
  VANTREL_CLASS(TRadioButton)
 public:
  explicit TRadioButton(TComponent* AOwner);

  bool Checked() const { return FChecked; }
  // Checking fires OnClick (as a click does) and unchecks the siblings;
  // unchecking fires nothing.
  void SetChecked(bool Value);
  TLeftRight Alignment() const { return FAlignment; }
  void SetAlignment(TLeftRight Value);

  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

 private:
  bool FChecked = false;
  TLeftRight FAlignment = TLeftRight::taRightJustify;
};
