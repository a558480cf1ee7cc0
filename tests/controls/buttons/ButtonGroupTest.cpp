// Down and exclusive groups: the shared routines on a windowless member (as
// a toolbar button is), and the glow and glass buttons that use them.
#include <gtest/gtest.h>

#include "base/ActnList.h"
#include "base/ExtCtrls.h"
#include "tests/controls/buttons/ButtonTestSupport.h"
#include "tests/support/Gui.h"
#include "ui/controls/buttons/AdvGlassButton.h"
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/controls/buttons/ButtonGroup.h"

using ABS = TAdvButtonState;

namespace {

// A windowless member of a group that also tells the members in one more
// container, with the rules it is given.
class TMemberButton : public TGraphicControl {
 public:
  TMemberButton(TComponent* AOwner, TWinControl* AParent, int AGroupIndex, ButtonGroup::TRules ARules = {})
      : TGraphicControl(AOwner), GroupIndex(AGroupIndex), Rules(ARules) {
    SetParent(AParent);
    SetBounds(0, 0, 40, 20);
  }
  bool Down = false;
  bool AllowAllUp = false;
  bool Check = false;
  int GroupIndex;
  ABS State = ABS::absUp;
  ButtonGroup::TRules Rules;
  TWinControl* AlsoTell = nullptr;

  ButtonGroup::TMember Member() { return {this, Down, State, AllowAllUp, GroupIndex, Check}; }
  bool SetDown(bool Value) {
    bool tell = ButtonGroup::SetDown(Member(), Value);
    if (tell) ButtonGroup::UpdateExclusive(Member(), {AlsoTell});
    return tell;
  }
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == CM_BUTTONPRESSED) {
      if (auto* sender = dynamic_cast<TMemberButton*>(ButtonGroup::Sender(Message)))
        ButtonGroup::ButtonPressed(Member(), Message, sender->Member(), Rules);
      return;
    }
    TGraphicControl::Dispatch(Message);
  }
};

// Counts the group updates it hears; may take another control off its
// parent when it hears one.
class TListener : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  int Heard = 0;
  TControl* Remove = nullptr;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == CM_BUTTONPRESSED) {
      ++Heard;
      if (Remove) Remove->SetParent(nullptr);
      return;
    }
    TGraphicControl::Dispatch(Message);
  }
};

struct Group : ::testing::Test {
  TForm* Form = nullptr;
  void SetUp() override { Form = MakeTestForm(400, 300); }
  void TearDown() override { Form->Free(); }
  TPanel* NewPanel() {
    auto* p = new TPanel(Form);
    p->SetParent(Form);
    return p;
  }
};

TEST_F(Group, DownSetterRules) {
  struct Case {
    const char* Name;
    int GroupIndex;
    bool Check, AllowAllUp, DownBefore, Value;
    bool Tell, DownAfter;
    ABS StateAfter;
  } cases[] = {
      {"push button", 0, false, false, false, true, false, false, ABS::absUp},
      {"check down", 0, true, false, false, true, false, true, ABS::absDown},
      {"check up", 0, true, false, true, false, false, false, ABS::absUp},
      {"check in a group", 5, true, false, false, true, false, true, ABS::absDown},
      {"member down", 1, false, false, false, true, true, true, ABS::absExclusive},
      {"member kept down", 1, false, false, true, false, false, true, ABS::absExclusive},
      {"member up with AllowAllUp", 1, false, true, true, false, false, false, ABS::absUp},
      {"member already down", 1, false, false, true, true, false, true, ABS::absExclusive},
  };
  for (const Case& c : cases) {
    auto* b = new TMemberButton(Form, Form, c.GroupIndex);
    b->Check = c.Check;
    b->AllowAllUp = c.AllowAllUp;
    b->Down = c.DownBefore;
    b->State = c.DownBefore ? (c.Check ? ABS::absDown : ABS::absExclusive) : ABS::absUp;
    EXPECT_EQ(b->SetDown(c.Value), c.Tell) << c.Name;
    EXPECT_EQ(b->Down, c.DownAfter) << c.Name;
    EXPECT_EQ(b->State, c.StateAfter) << c.Name;
    b->Free();
  }
}

TEST_F(Group, UpdateReachesTheParentAndTheNamedContainersOnly) {
  TPanel* told = NewPanel();
  TPanel* untold = NewPanel();
  ButtonGroup::TRules rules{.UncheckAction = true, .TakeAllowAllUp = true};
  auto* a = new TMemberButton(Form, Form, 1, rules);
  auto* b = new TMemberButton(Form, Form, 1, rules);
  auto* other = new TMemberButton(Form, Form, 2, rules);
  auto* inTold = new TMemberButton(Form, told, 1, rules);
  auto* inUntold = new TMemberButton(Form, untold, 1, rules);
  for (TMemberButton* m : {a, other, inTold, inUntold}) m->SetDown(true);
  auto* action = new TAction(Form);
  a->SetAction(action);
  action->SetChecked(true);
  b->AlsoTell = told;
  b->AllowAllUp = true;
  EXPECT_TRUE(b->SetDown(true));
  EXPECT_TRUE(b->Down);
  EXPECT_FALSE(a->Down);
  EXPECT_EQ(a->State, ABS::absUp);
  EXPECT_FALSE(action->Checked());
  EXPECT_FALSE(inTold->Down);
  EXPECT_TRUE(inUntold->Down);
  EXPECT_TRUE(other->Down);  // another group
  EXPECT_TRUE(a->AllowAllUp);
  EXPECT_TRUE(inTold->AllowAllUp);
  EXPECT_FALSE(other->AllowAllUp);
  EXPECT_FALSE(inUntold->AllowAllUp);
}

TEST_F(Group, RulesLeaveOutWhatTheyDoNotAsk) {
  TPanel* told = NewPanel();
  ButtonGroup::TRules rules{.SameParentOnly = true};
  auto* a = new TMemberButton(Form, Form, 1, rules);
  auto* inTold = new TMemberButton(Form, told, 1, rules);
  auto* b = new TMemberButton(Form, Form, 1, rules);
  a->SetDown(true);
  inTold->SetDown(true);
  auto* action = new TAction(Form);
  a->SetAction(action);
  action->SetChecked(true);
  b->AllowAllUp = true;
  b->AlsoTell = told;
  b->SetDown(true);
  EXPECT_FALSE(a->Down);
  EXPECT_TRUE(action->Checked());
  EXPECT_FALSE(a->AllowAllUp);
  EXPECT_TRUE(inTold->Down);  // told, but not on the sender's parent
}

TEST_F(Group, NothingIsSentOutsideAGroupAndNotToAControlThatLeft) {
  auto* first = new TListener(Form);
  first->SetParent(Form);
  auto* b = new TMemberButton(Form, Form, 0);
  auto* last = new TListener(Form);
  last->SetParent(Form);
  ButtonGroup::UpdateExclusive(b->Member());
  EXPECT_EQ(first->Heard, 0);
  b->GroupIndex = 4;
  ButtonGroup::UpdateExclusive(b->Member());
  EXPECT_EQ(first->Heard, 1);
  EXPECT_EQ(last->Heard, 1);
  first->Remove = last;
  ButtonGroup::UpdateExclusive(b->Member());
  EXPECT_EQ(first->Heard, 2);
  EXPECT_EQ(last->Heard, 1);
}

TEST_F(Group, PressStatesInsideAndOutside) {
  auto* b = new TMemberButton(Form, Form, 1);  // 40 x 20
  struct Case {
    bool Down, Check;
    int X, Y;
    ABS Expected;
  } cases[] = {
      {false, false, 0, 0, ABS::absDown},      {false, false, 39, 20, ABS::absDown},
      {false, false, 40, 10, ABS::absUp},      {false, false, 10, 21, ABS::absUp},
      {false, false, -1, 10, ABS::absUp},      {true, false, 10, 10, ABS::absExclusive},
      {true, false, 50, 10, ABS::absExclusive}, {true, true, 50, 10, ABS::absDown},
  };
  for (const Case& c : cases) {
    b->Down = c.Down;
    b->Check = c.Check;
    b->State = ABS::absDisabled;
    ButtonGroup::TrackPress(b->Member(), c.X, c.Y);
    EXPECT_EQ(b->State, c.Expected) << c.X << "," << c.Y;
  }
}

TEST_F(Group, PaintStateFollowsEnabledDownAndStyle) {
  auto* b = new TMemberButton(Form, Form, 1);
  bool dragging = true;
  b->SetEnabled(false);
  ButtonGroup::PaintState(b->Member(), dragging);
  EXPECT_EQ(b->State, ABS::absDisabled);
  EXPECT_FALSE(dragging);
  b->SetEnabled(true);
  b->Down = true;
  ButtonGroup::PaintState(b->Member(), dragging);
  EXPECT_EQ(b->State, ABS::absExclusive);
  b->State = ABS::absDisabled;
  b->GroupIndex = 0;
  ButtonGroup::PaintState(b->Member(), dragging);
  EXPECT_EQ(b->State, ABS::absUp);
  b->Check = true;
  ButtonGroup::PaintState(b->Member(), dragging);
  EXPECT_EQ(b->State, ABS::absDown);
}

TEST_F(Group, ReleaseInAGroupTogglesInsideOnly) {
  auto* b = new TMemberButton(Form, Form, 1);
  auto set = [b](bool v) { b->SetDown(v); };
  ButtonGroup::ReleaseInGroup(b->Member(), false, set);
  EXPECT_FALSE(b->Down);
  ButtonGroup::ReleaseInGroup(b->Member(), true, set);
  EXPECT_TRUE(b->Down);
  b->State = ABS::absDown;
  ButtonGroup::ReleaseInGroup(b->Member(), false, set);
  EXPECT_TRUE(b->Down);
  EXPECT_EQ(b->State, ABS::absExclusive);
  ButtonGroup::ReleaseInGroup(b->Member(), true, set);
  EXPECT_TRUE(b->Down);  // AllowAllUp off
  b->AllowAllUp = true;
  ButtonGroup::ReleaseInGroup(b->Member(), true, set);
  EXPECT_FALSE(b->Down);
}

// The glow and glass buttons through their properties: the group logic they
// share, and where they differ.
template <class TButton>
struct Kind;
template <>
struct Kind<TAdvGlowButton> {
  static constexpr bool TakesAllowAllUp = false;
  static constexpr bool UnchecksAction = false;
};
template <>
struct Kind<TAdvGlassButton> {
  static constexpr bool TakesAllowAllUp = true;
  static constexpr bool UnchecksAction = true;
};

template <class TButton>
struct Buttons : Group {
  TButton* New(TWinControl* Parent, int GroupIndex) {
    auto* b = new TButton(Form);
    b->SetParent(Parent);
    b->SetGroupIndex(GroupIndex);
    return b;
  }
};
using ButtonKinds = ::testing::Types<TAdvGlowButton, TAdvGlassButton>;
TYPED_TEST_SUITE(Buttons, ButtonKinds);

TYPED_TEST(Buttons, ExclusiveGroupsLeaveOtherButtonsAlone) {
  TPanel* panel = this->NewPanel();
  TypeParam* b1 = this->New(this->Form, 1);
  TypeParam* b2 = this->New(this->Form, 1);
  TypeParam* b3 = this->New(this->Form, 1);
  TypeParam* otherGroup = this->New(this->Form, 2);
  TypeParam* otherParent = this->New(panel, 1);
  TypeParam* push = this->New(this->Form, 0);
  otherGroup->SetDown(true);
  otherParent->SetDown(true);
  push->SetDown(true);
  EXPECT_FALSE(push->Down());
  for (TypeParam* pressed : {b1, b2, b3, b2}) {
    pressed->SetDown(true);
    for (TypeParam* m : {b1, b2, b3}) {
      EXPECT_EQ(m->Down(), m == pressed);
      EXPECT_EQ(m->State(), m == pressed ? ABS::absExclusive : ABS::absUp);
    }
    EXPECT_TRUE(otherGroup->Down());
    EXPECT_TRUE(otherParent->Down());
  }
  b2->SetDown(false);  // AllowAllUp off
  EXPECT_TRUE(b2->Down());
  b2->SetAllowAllUp(true);
  EXPECT_EQ(b1->AllowAllUp(), Kind<TypeParam>::TakesAllowAllUp);
  EXPECT_EQ(b3->AllowAllUp(), Kind<TypeParam>::TakesAllowAllUp);
  EXPECT_FALSE(otherGroup->AllowAllUp());
  EXPECT_FALSE(otherParent->AllowAllUp());
  b2->SetDown(false);
  EXPECT_FALSE(b2->Down());
  EXPECT_EQ(b2->State(), ABS::absUp);
}

TYPED_TEST(Buttons, AReleasedMembersActionKeepsOrLosesItsCheck) {
  TypeParam* b1 = this->New(this->Form, 3);
  TypeParam* b2 = this->New(this->Form, 3);
  auto* action = new TAction(this->Form);
  b1->SetAction(action);
  b1->SetGroupIndex(3);
  b1->SetDown(true);
  action->SetChecked(true);
  b2->SetDown(true);
  EXPECT_FALSE(b1->Down());
  EXPECT_EQ(action->Checked(), !Kind<TypeParam>::UnchecksAction);
}

}  // namespace
