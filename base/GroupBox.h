// A framed box with a caption in its top edge that holds other controls.
#pragma once

#include "base/Controls.h"

class TGroupBox : public TWinControl {
  VANTREL_CLASS(TGroupBox)
 public:
  explicit TGroupBox(TComponent* AOwner);

 protected:
  void CreateParams(TCreateParams& Params) override;
};
