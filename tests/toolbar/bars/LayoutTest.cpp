// Where a toolbar puts its items, how it sizes itself to them, and the
// overflow of a docked toolbar grown too short.
#include "tests/toolbar/bars/BarsTestSupport.h"

namespace {

using Layout = DockFixture;

// A floating window as the toolbar knows it: by its class name.
class TFloatingWindow : public TForm {
  VANTREL_CLASS(TFloatingWindow)
 public:
  using TForm::TForm;
};

// Lets a test ask for floating rows directly.
class TRowsToolBar : public TAdvToolBar {
  VANTREL_CLASS(TRowsToolBar)
 public:
  using TAdvToolBar::TAdvToolBar;
  void SetRows(int N) { FFloatingRows = N; }
};

std::vector<TRect> ItemBounds(TAdvCustomToolBar* T) {
  std::vector<TRect> r;
  for (int i = 0; i < T->ToolBarControlCount(); ++i) r.push_back(T->ToolBarControls(i)->BoundsRect());
  return r;
}

TEST_F(Layout, ItemsGoInARowAfterTheGripAndTheToolBarFitsThem) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  TAdvToolBar* t = NewToolBar(L"T", 3);
  t->SetParent(p);
  EXPECT_EQ(ItemBounds(t), (std::vector<TRect>{Bounds(9, 2, 20, 22), Bounds(29, 2, 20, 22), Bounds(49, 2, 20, 22)}));
  EXPECT_EQ(t->Width(), 9 + 60 + 14);
  EXPECT_EQ(t->Height(), 26);
  EXPECT_EQ(t->MaxLength(), 83);
  EXPECT_EQ(t->GetFullLength(), 83);
  EXPECT_EQ(t->Constraints()->MinWidth(), 60);
  EXPECT_EQ(t->Constraints()->MaxWidth(), 83);
  EXPECT_EQ(t->GetShrinkableLength(), 23);
  EXPECT_EQ(t->GetGrowableLength(), 0);
  // Docked on a side: top to bottom.
  TAdvDockPanel* left = NewPanel(TDockAlign::daLeft);
  TAdvToolBar* v = NewToolBar(L"V", 2);
  v->SetParent(left);
  EXPECT_EQ(ItemBounds(v), (std::vector<TRect>{Bounds(2, 9, 20, 22), Bounds(2, 31, 20, 22)}));
  EXPECT_EQ(v->Height(), 9 + 44 + 14);
  EXPECT_EQ(v->Width(), 26);
}

TEST_F(Layout, ACaptionOnTopMovesTheItemsDownAndThickensTheToolBar) {
  TAdvToolBar* t = NewToolBar(L"T", 2);
  t->SetParent(Form);
  t->SetShowCaption(true);
  EXPECT_EQ(ItemBounds(t), (std::vector<TRect>{Bounds(9, 18, 20, 22), Bounds(29, 18, 20, 22)}));
  EXPECT_EQ(t->Height(), 26 + 16);
  t->SetCaptionPosition(TCaptionPosition::cpBottom);
  EXPECT_EQ(t->ToolBarControls(0)->Top(), 2);
}

TEST_F(Layout, WithoutItemsTheMinimumLengthWithOnlyHiddenOnesTheirEnd) {
  auto* empty = new TAdvToolBar(Form);
  empty->SetParent(Form);
  empty->PositionControls(true);
  EXPECT_EQ(empty->Width(), 60);
  TAdvToolBar* t = NewToolBar(L"T", 2);
  t->SetParent(Form);
  t->ToolBarControls(0)->Hide();
  t->ToolBarControls(1)->Hide();
  EXPECT_EQ(t->Width(), 15 + 14);  // 15 and the right handle
  t->PositionControls(false);
  EXPECT_EQ(t->ToolBarControls(0)->Top(), t->Height() + 2);  // moved away
}

TEST_F(Layout, ARibbonGroupStacksSmallGlowButtonsThreeToAColumn) {
  auto* pager = new TTestPager(Form);
  pager->SetParent(Form);
  pager->SetBounds(0, 0, 600, 120);
  auto* page = new TTestPage(Form);
  page->SetParent(pager);
  page->SetBounds(0, 0, 600, 100);
  auto* g = new TAdvToolBar(Form);
  g->SetParent(page);
  g->SetShowRightHandle(false);
  int widths[] = {30, 40, 35, 25};
  for (int w : widths) {
    auto* b = new TAdvGlowButton(Form);
    b->SetButtonSizeState(TButtonSizeState::bsLabel);
    b->SetBounds(0, 0, w, 20);
    b->SetParent(g);
  }
  EXPECT_EQ(ItemBounds(g), (std::vector<TRect>{Bounds(2, 2, 30, 20), Bounds(2, 22, 40, 20), Bounds(2, 42, 35, 20),
                                                Bounds(42, 2, 25, 20)}));
  EXPECT_EQ(g->Width(), 67 + 4);  // the last column's edge and the handle
  // A large button takes a column of its own at the top.
  auto* large = new TAdvGlowButton(Form);
  large->SetBounds(0, 0, 50, 60);
  large->SetParent(g);
  EXPECT_EQ(large->ButtonSizeState(), TButtonSizeState::bsLarge);
  EXPECT_EQ(large->BoundsRect(), Bounds(67, 2, 50, 60));
}

TEST_F(Layout, AnEmptyGroupThatHidesWhenEmptyHasNoLength) {
  auto* page = new TTestPage(Form);
  page->SetParent(Form);
  TAdvToolBar* g = NewToolBar(L"G", 1);
  g->SetHideOnEmpty(true);
  g->SetParent(page);
  EXPECT_GT(g->MaxLength(), 0);
  g->ToolBarControls(0)->Hide();
  EXPECT_EQ(g->MaxLength(), 0);
  EXPECT_EQ(g->Width(), 0);
}

TEST_F(Layout, ALeadingSeparatorOfAGroupOrFloatingToolBarIsHidden) {
  auto* page = new TTestPage(Form);
  page->SetParent(Form);
  auto* g = new TAdvToolBar(Form);
  TAdvToolBarSeparator* s1 = AddSeparator(g, L"S1");
  AddButton(g, L"B1", 20);
  TAdvToolBarSeparator* s2 = AddSeparator(g, L"S2");
  AddButton(g, L"B2", 20);
  g->SetParent(page);
  EXPECT_FALSE(s1->Visible());
  EXPECT_TRUE(s2->Visible());
  EXPECT_EQ(s2->Top(), 2);
  // On a dock panel separators keep their place.
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  auto* d = new TAdvToolBar(Form);
  TAdvToolBarSeparator* s3 = AddSeparator(d, L"S3");
  AddButton(d, L"B3", 20);
  d->SetParent(p);
  EXPECT_TRUE(s3->Visible());
}

TEST_F(Layout, AFloatingToolBarWidensByTenUntilItsRowsSuffice) {
  auto* w = new TFloatingWindow(Form);
  auto* t = new TRowsToolBar(Form);
  for (int i = 0; i < 8; ++i) AddButton(t, (L"B" + IntToStr(i)).c_str(), 20);
  t->SetParent(w);
  EXPECT_EQ(t->GetToolBarState(), TToolBarState::tsFloating);
  t->SetRows(2);
  int width = 0, height = 0;
  t->GetFloatingSize(width, height);
  // 60, 70 and 80 need three rows; 90 takes four a row, less the 6 px that
  // every row leaves over.
  EXPECT_EQ(width, 84);
  EXPECT_EQ(height, 2 * 26 + 16);
  t->PositionControls(true);
  EXPECT_EQ(t->BoundsRect().Width(), 84);
  EXPECT_EQ(t->ToolBarControls(4)->BoundsRect(), Bounds(2, 18 + 26, 20, 22));
}

// A docked toolbar [B0 S1 B1 B2 S2 B3] of 20-pixel buttons and 10-pixel
// separators in a panel that the form's width makes shorter.
struct Overflow : GroupedBarFixture {
  // The toolbar's room is cut to Full - Short.
  void Shorten(int Short) { Form->SetWidth(Full + 6 - Short); }
  std::vector<String> Hidden() {
    std::vector<String> r;
    for (int i = 0; i < T->ToolBarControlCount(); ++i)
      if (T->IsHiddenControl(T->ToolBarControls(i))) r.push_back(T->ToolBarControls(i)->Name());
    return r;
  }
};

TEST_F(Overflow, ShorteningByAnyAmountHidesTheLeastUsedItemAndALoneSeparator) {
  ASSERT_EQ(Full, 9 + 20 + 10 + 20 + 20 + 10 + 20 + 14);
  Shorten(1);
  EXPECT_EQ(T->Width(), Full - 1);
  EXPECT_EQ(Hidden(), (std::vector<String>{L"S2", L"B3"}));
  EXPECT_EQ(T->FindComponent(L"B3"), nullptr);
  auto* b3 = static_cast<TControl*>(Form->FindComponent(L"B3"));
  EXPECT_EQ(b3->Top(), T->Height() + 2);  // moved away
  EXPECT_GT(T->GetGrowableLength(), 0);   // the chevron shows
  // Room again: both come back together.
  Form->SetWidth(Full + 6);
  EXPECT_TRUE(Hidden().empty());
  EXPECT_EQ(b3->Left(), Full - 14 - 20);
}

TEST_F(Overflow, TheFirstGroupTakesTheSeparatorAfterIt) {
  T->MoveUpInRUList(static_cast<TControl*>(Form->FindComponent(L"B3")));
  T->MoveUpInRUList(static_cast<TControl*>(Form->FindComponent(L"B2")));
  T->MoveUpInRUList(static_cast<TControl*>(Form->FindComponent(L"B1")));
  // Priority now B1 B2 B3 B0 ...: B0 goes first, and S1 after it.
  Shorten(1);
  EXPECT_EQ(Hidden(), (std::vector<String>{L"B0", L"S1"}));
  EXPECT_EQ(static_cast<TControl*>(Form->FindComponent(L"B1"))->Left(), 9);
}

TEST_F(Overflow, AnItemComesBackOnlyWithRoomForItsSeparatorToo) {
  Shorten(1);
  ASSERT_EQ(Hidden(), (std::vector<String>{L"S2", L"B3"}));
  Form->SetWidth(Full + 6 - 10);  // room for B3 (20) but not S2 as well
  EXPECT_EQ(Hidden(), (std::vector<String>{L"S2", L"B3"}));
  Form->SetWidth(Full + 6);
  EXPECT_TRUE(Hidden().empty());
}

TEST_F(Overflow, UsingAHiddenItemBringsItBack) {
  Shorten(1);
  auto* b3 = static_cast<TControl*>(Form->FindComponent(L"B3"));
  T->MoveUpInRUList(b3);  // used: first in priority, shown; another goes
  EXPECT_FALSE(T->IsHiddenControl(b3));
  EXPECT_EQ(T->PriorityControls(0), b3);
  EXPECT_EQ(Hidden(), (std::vector<String>{L"B2"}));
}

TEST_F(Overflow, AFullSizeToolBarShowsEverything) {
  Shorten(1);
  ASSERT_FALSE(Hidden().empty());
  T->SetFullSize(true);
  EXPECT_TRUE(Hidden().empty());
}

}  // namespace
