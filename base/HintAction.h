// The action through which the application hands its current hint text to
// the controls that show hints in a status line.
#pragma once

#include "base/ActnList.h"

class TControl;
class TWinControl;

class THintAction : public TCustomAction {
  VANTREL_CLASS(THintAction)
 public:
  using TCustomAction::TCustomAction;
};

// A control that takes actions the application offers to its form (a status
// line takes hint actions). True when it handled the action.
class IActionTarget {
 public:
  virtual bool ExecuteAction(TBasicAction* Action) = 0;

 protected:
  ~IActionTarget() = default;
};

// The part of a hint after "|" (the whole text without one).
String GetLongHint(const String& Hint);

// The application's status hint: the long hint of the control under the
// pointer, empty over none. The hint manager sets it on every pointer move;
// when it changes, a THintAction with the text is offered to the visible
// controls of the control's form, then of the active form, then of the main
// form, in order, until one takes it.
const String& ApplicationHint();
void SetApplicationHint(TControl* Control, const String& Hint);
// Offers the action to the visible controls of Form (children after their
// parent, in z-order); true when one handled it.
bool OfferActionToControls(TWinControl* Form, TBasicAction* Action);
