// The chevron drop-down of a docked toolbar: a press on the right handle
// drops the option window with the items the overflow hid, and the
// add-or-remove list hides and shows items.
#include "tests/toolbar/bars/BarsTestSupport.h"
#include "ui/toolbar/bars/ATBPopupWindow.h"
#include "ui/toolbar/bars/ControlSelectorPanel.h"

namespace {

struct OptionWindow : GroupedBarFixture {
  void TearDown() override {
    if (T->OptionWindow() && T->OptionWindow()->Visible()) {
      T->HideOptionWindow();
      PumpUntil([&] { return !T->OptionWindow()->Visible(); });
    }
    DockFixture::TearDown();
  }
  void PressRightHandle() {
    TRect r = T->GetRightHandleRect();
    T->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 2, r.top + 4));
    T->Perform(WM_LBUTTONUP, 0, MAKELPARAM(r.left + 2, r.top + 4));
  }
  // The panel's list: names, a separator copy as "|".
  std::vector<String> Listed() {
    std::vector<String> r;
    TControlSelectorPanel* p = T->OptionWindowPanel();
    for (int i = 0; i < p->ListedCount(); ++i) {
      TControl* c = p->Listed(i);
      r.push_back(c->Name().empty() ? String(L"|") : c->Name());
    }
    return r;
  }
};

TEST_F(OptionWindow, ThePressOnTheRightHandleListsTheHiddenItemsInOrder) {
  struct Case {
    int Short;
    std::vector<String> Expected;
  } cases[] = {
      {1, {L"B3"}},                       // a lone separator never opens the list
      {45, {L"B2", L"S2", L"B3"}},  // the hidden separator between the groups
      {75, {L"B1", L"B2", L"S2", L"B3"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Short);
    Form->SetWidth(Full + 6 - c.Short);
    ASSERT_GT(T->HiddenCount(), 0);
    int points = 0;
    TPoint screen;
    T->OnOptionClick = [&](TObject*, TPoint, TPoint S) {
      ++points;
      screen = S;
    };
    PressRightHandle();
    ASSERT_TRUE(T->OptionWindow());
    EXPECT_TRUE(T->OptionWindow()->Visible());
    EXPECT_EQ(points, 1);
    EXPECT_EQ(screen, P->ClientToScreen(TPoint(T->Left() + T->Width() - 12, T->Top() + T->Height() + 1)));
    EXPECT_EQ(T->OptionWindow()->Left(), screen.x);
    EXPECT_EQ(T->OptionWindow()->Top(), screen.y);
    EXPECT_EQ(Listed(), c.Expected);
    for (int i = 0; i < T->OptionWindowPanel()->ListedCount(); ++i)
      EXPECT_EQ(T->OptionWindowPanel()->Listed(i)->Parent(), T->OptionWindowPanel());
    T->HideOptionWindow();
    ASSERT_TRUE(PumpUntil([&] { return !T->OptionWindow()->Visible(); }));
    Form->SetWidth(Full + 6);
    EXPECT_EQ(T->HiddenCount(), 0);
    for (const wchar_t* name : {L"B1", L"B2", L"B3"})
      EXPECT_EQ(static_cast<TControl*>(Form->FindComponent(name))->Parent(), T);
  }
}

TEST_F(OptionWindow, WithNothingHiddenAndNoEntriesNothingDrops) {
  PressRightHandle();
  ASSERT_TRUE(T->OptionWindow());
  EXPECT_FALSE(T->OptionWindow()->Visible());
  EXPECT_TRUE(T->OptionWindowPanel()->IsEmpty());
}

TEST_F(OptionWindow, TheAddOrRemoveListHidesAndShowsAnItem) {
  T->SetAutoOptionMenu(true);
  PressRightHandle();
  ASSERT_TRUE(T->OptionWindow()->Visible());  // the entry alone is enough
  TControlSelectorPanel* panel = T->OptionWindowPanel();
  EXPECT_TRUE(panel->ShowAddAndRemoveBtn());
  EXPECT_EQ(panel->TextAutoOptionMenu(), T->TextAutoOptionMenu());
  panel->ShowAddRemovePopup();
  auto* popup = dynamic_cast<TATBPopupWindow*>(panel->AddRemovePopup());
  ASSERT_TRUE(popup);
  TATBMenuItem* root = popup->RootItem()->Items(0);
  auto* b1 = static_cast<TControl*>(Form->FindComponent(L"B1"));
  // The toolbar's items without its separators, each checked while shown.
  ASSERT_EQ(root->Count(), 4);
  int row = -1;
  for (int i = 0; i < root->Count(); ++i) {
    EXPECT_TRUE(root->Items(i)->Checked());
    if (root->Items(i)->Objects() == b1) row = i;
  }
  ASSERT_EQ(row, 1);  // B0, B1, B2, B3
  TATBPopupPanel* rows = popup->PopupPanel();
  // The rows of the toolbar's entry sit in the nested pop-up.
  rows->SetHotItem(0);
  rows->ShowSubMenu();
  ASSERT_TRUE(rows->ItemPopup());
  TATBPopupPanel* items = rows->ItemPopup()->PopupPanel();
  items->ClickItem(row);
  EXPECT_FALSE(b1->Visible());
  EXPECT_FALSE(root->Items(row)->Checked());
  items->ClickItem(row);
  EXPECT_TRUE(b1->Visible());
  EXPECT_TRUE(root->Items(row)->Checked());
  rows->HideSubMenu();
  panel->HideAddRemovePopup();
}

}  // namespace
