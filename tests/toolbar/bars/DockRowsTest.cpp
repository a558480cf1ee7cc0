// Dock rows: where docked toolbars sit in a panel's rows, how rows grow,
// shrink, push, swap and come and go, and how the panel sizes to them.
#include "tests/toolbar/bars/BarsTestSupport.h"

namespace {

using DockRows = DockFixture;

// The toolbars of each row, by name, in their order along the row.
std::vector<std::vector<String>> RowNames(TAdvDockPanel* P) {
  std::vector<std::vector<String>> rows;
  for (int r = 0; r < P->RowCount(); ++r) {
    rows.emplace_back();
    for (int i = 0; i < P->Rows()->Items(r)->ToolBarCount(); ++i)
      rows.back().push_back(P->Rows()->Items(r)->ToolBars(i)->Name());
  }
  return rows;
}

using Rows = std::vector<std::vector<String>>;

TEST_F(DockRows, ToolBarsSitInRowsAndThePanelFitsThem) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  EXPECT_EQ(p->Height(), 3);  // no rows: MinimumSize
  TAdvToolBar* a = NewToolBar(L"A", 2);
  a->SetParent(p);
  EXPECT_EQ(a->GetToolBarState(), TToolBarState::tsDocked);
  EXPECT_EQ(a->AdvDockPanel(), p);
  EXPECT_EQ(a->Row(), 0);
  EXPECT_EQ(a->BoundsRect(), Bounds(3, 1, a->Width(), 26));
  EXPECT_EQ(p->Height(), 28);  // one row of 26 px toolbars
  TAdvToolBar* b = NewToolBar(L"B", 1);
  b->SetParent(p);
  EXPECT_EQ(RowNames(p), (Rows{{L"A"}, {L"B"}}));
  EXPECT_EQ(b->Top(), 28);
  p->Rows()->MoveToolBarToRow(b, 0);
  EXPECT_EQ(RowNames(p), (Rows{{L"A", L"B"}}));
  EXPECT_EQ(b->BoundsRect(), Bounds(a->Left() + a->Width() + 2, 1, b->Width(), 26));
  // A taller toolbar makes its row taller, never below 26.
  AddButton(b, L"Tall", 20)->SetHeight(34);
  b->PositionControls(true);
  EXPECT_EQ(b->Height(), 38);
  EXPECT_EQ(p->Rows()->Items(0)->Height(), 38);
  EXPECT_EQ(p->Height(), 40);
  EXPECT_THROW(p->Rows()->MoveToolBarToRow(b, 1), Exception);
}

TEST_F(DockRows, AnEmptyPanelIsMinimumSizeOrThirteenWhileDesigned) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  p->SetMinimumSize(0);  // ignored
  p->SetMinimumSize(5);
  EXPECT_EQ(p->Height(), 5);
  p->SetDesigning(true);
  p->Rows()->UpdateDockSize();
  EXPECT_EQ(p->Height(), 13);
  p->SetUseRunTimeHeight(true);
  EXPECT_EQ(p->Height(), 5);
}

TEST_F(DockRows, AVerticalRowRunsDownFromItsTop) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daLeft);
  TAdvToolBar* a = NewToolBar(L"A", 2);
  a->SetParent(p);
  EXPECT_EQ(a->Position(), TDockAlign::daLeft);
  TRect row = p->Rows()->Items(0)->RowRect();
  EXPECT_EQ(a->Top(), row.top + 2);
  EXPECT_EQ(a->Left(), row.left);
  EXPECT_EQ(a->Width(), 26);
  EXPECT_EQ(p->Width(), 29);  // the row's far edge and the panel's side offset
  TAdvToolBar* b = NewToolBar(L"B", 1);
  b->SetParent(p);
  p->Rows()->MoveToolBarToRow(b, 0);
  EXPECT_EQ(b->Top(), a->Top() + a->Height() + 2);
  EXPECT_EQ(b->Left(), row.left);
}

TEST_F(DockRows, AFullSizeToolBarFillsARowOfItsOwn) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  TAdvToolBar* a = Docked(L"A", p);
  TAdvToolBar* b = Docked(L"B", p);
  p->Rows()->MoveToolBarToRow(b, 0);
  a->SetFullSize(true);
  TRect row = p->Rows()->Items(0)->RowRect();
  EXPECT_EQ(RowNames(p), (Rows{{L"A"}, {L"B"}}));
  EXPECT_EQ(a->Left(), row.left + 2);
  EXPECT_EQ(a->Left() + a->Width(), row.right - 2);
  EXPECT_FALSE(p->Rows()->Items(0)->IsAllowed(b));
  EXPECT_EQ(p->Rows()->Items(0)->AddToolBar(b), -1);
  b->SetFullSize(true);
  TAdvToolBar* c = NewToolBar(L"C", 1);
  c->SetParent(p);
  EXPECT_FALSE(p->Rows()->Items(2)->IsAllowed(b) && p->Rows()->Items(2)->ToolBarCount() > 0);
}

// A drag across rows, as the toolbar's bounds request makes it: the row's
// new shape and where the dragged toolbar went.
struct AcrossCase {
  const wchar_t* Moved;
  int DeltaTop;
  Rows Expected;
  int Row;
};

class DockDrag : public DockFixture, public ::testing::WithParamInterface<AcrossCase> {};

TEST_P(DockDrag, AcrossRows) {
  const AcrossCase& c = GetParam();
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  Docked(L"A", p);
  TAdvToolBar* b = Docked(L"B", p);
  Docked(L"C", p);
  p->Rows()->MoveToolBarToRow(b, 0);
  ASSERT_EQ(RowNames(p), (Rows{{L"A", L"B"}, {L"C"}}));
  auto* t = static_cast<TAdvToolBar*>(Form->FindComponent(c.Moved));
  t->SetTop(t->Top() + c.DeltaTop);
  EXPECT_EQ(RowNames(p), c.Expected);
  EXPECT_EQ(t->Row(), c.Row);
  EXPECT_EQ(t->Top(), p->Rows()->Items(c.Row)->RowRect().top);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DockDrag,
    ::testing::Values(AcrossCase{L"B", -3, {{L"B"}, {L"A"}, {L"C"}}, 0},     // a new row above
                      AcrossCase{L"B", -5, {{L"B"}, {L"A"}, {L"C"}}, 0},     //
                      AcrossCase{L"B", -6, {{L"A", L"B"}, {L"C"}}, 0},       // snaps back
                      AcrossCase{L"A", -7, {{L"A", L"B"}, {L"C"}}, 0},       // the first row snaps back
                      AcrossCase{L"C", -27, {{L"A", L"C", L"B"}}, 0},        // into the row above, at its Left
                      AcrossCase{L"B", 3, {{L"A"}, {L"B"}, {L"C"}}, 1},      // a new row below
                      AcrossCase{L"B", 5, {{L"A"}, {L"B"}, {L"C"}}, 1},      //
                      AcrossCase{L"B", 28, {{L"A"}, {L"C", L"B"}}, 1},       // into the row below
                      AcrossCase{L"C", 3, {{L"A", L"B"}, {L"C"}}, 1}));      // alone: stays

TEST_F(DockRows, AToolBarDraggedLeftOntoItsNeighbourChangesPlaces) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  TAdvToolBar* a = Docked(L"A", p);
  TAdvToolBar* b = Docked(L"B", p);
  p->Rows()->MoveToolBarToRow(b, 0);
  b->SetLeft(a->Left() + 6);  // not within 5 px: pushes nothing, stays
  EXPECT_EQ(RowNames(p), (Rows{{L"A", L"B"}}));
  EXPECT_EQ(b->Left(), a->Left() + a->Width() + 2);
  b->SetLeft(a->Left() + 5);
  EXPECT_EQ(RowNames(p), (Rows{{L"B", L"A"}}));
  EXPECT_EQ(b->Left(), 3);
  EXPECT_EQ(a->Left(), b->Left() + b->Width() + 2);
  // Dragged right it only pushes.
  b->SetLeft(b->Left() + 40);
  EXPECT_EQ(RowNames(p), (Rows{{L"B", L"A"}}));
  EXPECT_EQ(b->Left(), 43);
  EXPECT_EQ(a->Left(), b->Left() + b->Width() + 2);
}

TEST_F(DockRows, WideningTakesTheRoomAfterThenBeforeAndNoMore) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  TAdvToolBar* a = Docked(L"A", p);
  TAdvToolBar* b = Docked(L"B", p);
  p->Rows()->MoveToolBarToRow(b, 0);
  b->SetLeft(b->Left() + 30);
  int before = p->Rows()->Items(0)->FreeSpaceBetween(a, b);
  ASSERT_EQ(before, 30);
  b->Constraints()->SetMaxWidth(2000);
  int after = p->Rows()->Items(0)->FreeSpaceBetween(b, nullptr);
  int left = b->Left(), width = b->Width();
  b->SetWidth(width + after + 10);
  EXPECT_EQ(b->Width(), width + after + 10);
  EXPECT_EQ(b->Left(), left - 10);
  b->SetWidth(b->Width() + 100);
  EXPECT_EQ(b->Width(), width + after + before);
  EXPECT_EQ(b->Left(), a->Left() + a->Width() + 2);
  EXPECT_EQ(a->Left(), 3);  // never shortened or moved for it
}

TEST_F(DockRows, ALoneToolBarAskedNarrowerKeepsTheWidthArrangingGives) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  TAdvToolBar* a = NewToolBar(L"A", 3);
  a->SetParent(p);
  int w = a->Width();
  a->SetWidth(w - 10);
  EXPECT_EQ(a->Width(), w);
}

TEST_F(DockRows, AHiddenToolBarComesBackToItsRowByItsLeft) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  for (const wchar_t* n : {L"A", L"B", L"C", L"D"}) NewToolBar(n, 1)->SetParent(p);
  auto* b = static_cast<TAdvToolBar*>(Form->FindComponent(L"B"));
  p->Rows()->MoveToolBarToRow(b, 0);
  p->Rows()->MoveToolBarToRow(static_cast<TAdvToolBar*>(Form->FindComponent(L"C")), 0);
  ASSERT_EQ(RowNames(p), (Rows{{L"A", L"B", L"C"}, {L"D"}}));
  b->Hide();
  EXPECT_EQ(RowNames(p), (Rows{{L"A", L"C"}, {L"D"}}));
  EXPECT_TRUE(p->IsHiddenToolBar(b));
  b->Show();
  EXPECT_EQ(RowNames(p), (Rows{{L"A", L"B", L"C"}, {L"D"}}));
  EXPECT_FALSE(p->IsHiddenToolBar(b));
}

// A panel whose form has loaded, with toolbars A and B in its first row.
TAdvDockPanel* LoadedPanel(TForm* Host) {
  Host->BeginLoading();
  auto* p = new TAdvDockPanel(Host);
  p->SetParent(Host);
  for (const wchar_t* n : {L"A", L"B"}) {
    auto* t = new TAdvToolBar(Host);
    t->SetName(n);
    t->SetParent(p);
  }
  Host->EndLoading();
  p->Rows()->MoveToolBarToRow(static_cast<TAdvToolBar*>(Host->FindComponent(L"B")), 0);
  return p;
}

TEST_F(DockRows, ALockedHeightKeepsRowsAndSize) {
  TAdvDockPanel* p = LoadedPanel(Form);
  auto* b = static_cast<TAdvToolBar*>(Form->FindComponent(L"B"));
  ASSERT_TRUE(p->PropertiesLoaded());
  ASSERT_EQ(RowNames(p), (Rows{{L"A", L"B"}}));
  p->SetLockHeight(true);
  int h = p->Height();
  b->SetTop(b->Top() - 4);  // would open a row above
  EXPECT_EQ(RowNames(p), (Rows{{L"A", L"B"}}));
  b->SetTop(b->Top() + 4);  // would open a row below
  EXPECT_EQ(RowNames(p), (Rows{{L"A", L"B"}}));
  EXPECT_EQ(p->Height(), h);
  // A new toolbar joins the last row that takes it.
  TAdvToolBar* c = NewToolBar(L"C", 1);
  c->SetParent(p);
  EXPECT_EQ(RowNames(p), (Rows{{L"A", L"B", L"C"}}));
  // None takes a full-size one: it is not docked.
  TAdvToolBar* d = NewToolBar(L"D", 1);
  d->SetFullSize(true);
  d->SetParent(p);
  EXPECT_EQ(RowNames(p), (Rows{{L"A", L"B", L"C"}}));
  EXPECT_EQ(d->AdvDockPanel(), nullptr);
  EXPECT_EQ(p->AdvToolBarCount(), 3);
}

TEST_F(DockRows, ALockedBottomPanelFillsItsFirstRowThatTakesAToolBar) {
  Form->BeginLoading();
  auto* p = new TAdvDockPanel(Form);
  p->SetParent(Form);
  p->SetAlign(TDockAlign::daBottom);
  for (const wchar_t* n : {L"A", L"B"}) {
    auto* t = new TAdvToolBar(Form);
    t->SetName(n);
    t->SetParent(p);
    t->SetTop(n[0] == L'A' ? 0 : 30);
  }
  Form->EndLoading();
  ASSERT_EQ(RowNames(p), (Rows{{L"A"}, {L"B"}}));
  p->SetLockHeight(true);
  NewToolBar(L"C", 1)->SetParent(p);
  EXPECT_EQ(RowNames(p), (Rows{{L"A", L"C"}, {L"B"}}));
}

TEST_F(DockRows, LoadedToolBarsStartInRowsOfTheirOwnInPositionOrder) {
  auto* host = new TForm(nullptr);
  host->SetBorderStyle(TFormBorderStyle::bsNone);
  host->SetBounds(0, 0, 640, 200);
  host->BeginLoading();
  auto* p = new TAdvDockPanel(host);
  p->SetParent(host);
  struct Stored {
    const wchar_t* Name;
    int Left, Top;
  };
  for (Stored s : {Stored{L"L50", 50, 0}, Stored{L"L10", 10, 0}, Stored{L"T30", 0, 30}}) {
    auto* t = new TAdvToolBar(host);
    t->SetName(s.Name);
    t->SetParent(p);
    t->SetBounds(s.Left, s.Top, 60, 26);
  }
  DPIFactor = 1.5f;  // places along the row scale with the screen
  host->EndLoading();
  EXPECT_EQ(RowNames(p), (Rows{{L"L10"}, {L"L50"}, {L"T30"}}));
  EXPECT_EQ(host->FindComponent(L"L10")->Tag(), 0);
  EXPECT_EQ(static_cast<TControl*>(host->FindComponent(L"L10"))->Left(), 15);
  EXPECT_EQ(static_cast<TControl*>(host->FindComponent(L"L50"))->Left(), 75);
  EXPECT_EQ(static_cast<TControl*>(host->FindComponent(L"T30"))->Left(), 3);
  EXPECT_TRUE(p->PropertiesLoaded());
  host->Free();
}

TEST_F(DockRows, AVerticalPanelScalesTheStoredTopAlike) {
  auto* host = new TForm(nullptr);
  host->SetBorderStyle(TFormBorderStyle::bsNone);
  host->SetBounds(0, 0, 300, 400);
  host->BeginLoading();
  auto* p = new TAdvDockPanel(host);
  p->SetParent(host);
  p->SetAlign(TDockAlign::daLeft);
  auto* t = new TAdvToolBar(host);
  t->SetParent(p);
  t->SetBounds(0, 40, 26, 60);
  DPIFactor = 1.5f;
  host->EndLoading();
  EXPECT_EQ(t->Top(), 60);
  host->Free();
}

TEST_F(DockRows, AToolBarWhoseRowIsGoneGetsARowOfItsOwn) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  TAdvToolBar* a = Docked(L"A", p);
  TAdvToolBar* b = Docked(L"B", p);
  // A stored row index that names no row, or a row that does not hold the
  // toolbar, as a layout store may bring.
  for (int stored : {7, 0}) {
    p->Rows()->Items(p->Rows()->IsToolBarAlreadyAdded(b))->RemoveToolBar(b, true);
    b->SetRow(stored);
    ASSERT_EQ(RowNames(p), (Rows{{L"A"}}));
    EXPECT_NO_THROW(b->SetLeft(b->Left() + 10));
    EXPECT_EQ(RowNames(p), (Rows{{L"A"}, {L"B"}}));
  }
}

TEST_F(DockRows, AShownToolBarThatNoRowTakesGetsARowOfItsOwn) {
  TAdvDockPanel* p = LoadedPanel(Form);
  auto* a = static_cast<TAdvToolBar*>(Form->FindComponent(L"A"));
  auto* b = static_cast<TAdvToolBar*>(Form->FindComponent(L"B"));
  b->Hide();
  a->SetFullSize(true);  // the last row takes nothing more
  p->SetLockHeight(true);
  b->SetRow(9);  // and its own row is gone
  ASSERT_EQ(RowNames(p), (Rows{{L"A"}}));
  b->Show();
  EXPECT_EQ(RowNames(p), (Rows{{L"A"}, {L"B"}}));
  EXPECT_NO_THROW(b->SetLeft(b->Left() + 10));
}

TEST_F(DockRows, RowsRaiseForToolBarsAndRowsTheyDoNotHave) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  TAdvToolBar* a = Docked(L"A", p);
  TAdvToolBar* b = Docked(L"B", p);
  int l = 10, w = 20;
  try {
    p->Rows()->Items(0)->SetToolBarLeftAndWidth(b, l, w);
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Invalid ToolBar Index");
  }
  try {
    p->Rows()->MoveToolBarToRow(a, 5);
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Invalid Row Index");
  }
  EXPECT_EQ(RowNames(p), (Rows{{L"A"}, {L"B"}}));
}

TEST_F(DockRows, ArrangingPacksEachRowAndArrangesOnlyRowsThatNeedIt) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  TAdvToolBar* a = Docked(L"A", p);
  TAdvToolBar* b = Docked(L"B", p);
  p->Rows()->MoveToolBarToRow(b, 0);
  b->SetLeft(b->Left() + 30);
  TRowCollectionItem* row = p->Rows()->Items(0);
  EXPECT_FALSE(row->NeedsArrange());  // a gap alone needs nothing
  p->ArrangeToolBars();
  EXPECT_EQ(b->Left(), a->Left() + a->Width() + 2);
  // A toolbar that could be longer makes its row need arranging: the
  // toolbar's Update lets the panel arrange it.
  b->Constraints()->SetMaxWidth(b->Width() + 25);
  EXPECT_TRUE(row->NeedsArrange());
  b->Update();
  EXPECT_FALSE(row->NeedsArrange());
  EXPECT_EQ(b->Width(), b->Constraints()->MaxWidth());
}

}  // namespace
