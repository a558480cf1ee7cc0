// The action through which the application hands its current hint text to
// the controls that show hints in a status line.
#pragma once

#include "base/ActnList.h"

class THintAction : public TCustomAction {
  VANTREL_CLASS(THintAction)
 public:
  using TCustomAction::TCustomAction;
};
