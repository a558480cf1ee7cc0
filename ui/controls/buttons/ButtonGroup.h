// Down and exclusive groups of buttons, written once for every button that
// has them (the glow and glass buttons, the toolbar buttons): the Down
// setter's rules, the group update that tells the other members of a group,
// a member's answer to it, and the states a press and a paint give.
//
// A button keeps its own fields and hands them over for each call as a
// ButtonGroup::TMember; where the buttons differ, a TRules (or a parameter)
// says how, so that no button takes on another's behaviour.
#pragma once

#include <functional>
#include <initializer_list>

#include "base/Controls.h"

// The drawing state of a glow, glass or toolbar button.
enum class TAdvButtonState { absUp, absDisabled, absDown, absDropDown, absExclusive };

namespace ButtonGroup {

// One button's down and group fields, as references into the button.
struct TMember {
  TControl* Button;
  // The latched Down.
  bool& Down;
  TAdvButtonState& State;
  bool& AllowAllUp;
  // 0: in no group.
  int GroupIndex;
  // A check button is down or up by itself, outside any group.
  bool CheckStyle;
};

// How a member answers the group update of another button.
struct TRules {
  // Only a sender on the member's own parent counts.
  bool SameParentOnly = false;
  // A member that goes up clears its action's Checked.
  bool UncheckAction = false;
  // A member takes the sender's AllowAllUp, down or not.
  bool TakeAllowAllUp = false;
};

// Down := Value by the rules all these buttons share (the caller has
// remembered a value set while loading): a push button in no group is never
// down; a check button is down or up at once (state absDown or absUp,
// repainted now); a group member that is down stays down unless AllowAllUp
// is on; going down gives absExclusive, going up absUp and a repaint. True
// when the button went down in its group: the caller then runs its group
// update.
bool SetDown(const TMember& B, bool Value);

// The group update: CM_BUTTONPRESSED (WParam the group index, LParam the
// button) to every control of the button's parent, then to every control of
// each container of Also (further places that hold members of the group).
// Nothing for a button in no group or without a parent. A control that
// leaves its container meanwhile is not sent to.
void UpdateExclusive(const TMember& B, std::initializer_list<TWinControl*> Also = {});

// The control that sent a CM_BUTTONPRESSED.
TControl* Sender(const TMessage& Message);

// B's answer to a CM_BUTTONPRESSED sent by Sender, a button of B's own kind:
// another member of B's group that is down while B is down sends B up
// (state absUp, invalidated); Rules add the rest.
void ButtonPressed(const TMember& B, const TMessage& Message, const TMember& Sender, const TRules& Rules);

// Whether a point of a press counts as inside the button: the client width
// excluded, the client height included.
bool Inside(const TMember& B, int X, int Y);

// The state while a press is dragged over (X, Y): absDown inside and absUp
// outside, absExclusive for a down button; a down check button absDown. A
// change is invalidated.
void TrackPress(const TMember& B, int X, int Y);

// The release of a dragged press on a group member: inside, Down toggles
// through SetDown (the button's own setter) and a button now down repaints;
// outside, a down button is absExclusive again and repaints.
void ReleaseInGroup(const TMember& B, bool Inside, const std::function<void(bool)>& SetDown);

// The state a paint starts from: a disabled button is absDisabled and its
// press is no longer dragged; an enabled one still absDisabled comes back
// as absExclusive (down in a group) or absUp; a down check button is
// absDown.
void PaintState(const TMember& B, bool& Dragging);

}  // namespace ButtonGroup
