// Dock rows: where docked toolbars sit in a panel's rows, how rows grow,
// shrink, push, swap and come and go, and how the panel sizes to them.
#include "tests/toolbar/bars/BarsTestSupport.h"

namespace {

using DockRows = DockFixture;

TEST_F(DockRows, FirstToolBarsSitInARowAndThePanelFitsIt) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  EXPECT_EQ(p->Height(), 3);  // no rows: MinimumSize
  TAdvToolBar* a = NewToolBar(L"A", 2);
  a->SetParent(p);
  EXPECT_EQ(a->GetToolBarState(), TToolBarState::tsDocked);
  EXPECT_EQ(a->AdvDockPanel(), p);
  EXPECT_EQ(a->Row(), 0);
  EXPECT_EQ(a->BoundsRect(), Bounds(3, 1, a->Width(), 26));
  EXPECT_EQ(p->RowCount(), 1);
  EXPECT_EQ(p->Height(), 28);
  TAdvToolBar* b = NewToolBar(L"B", 1);
  b->SetParent(p);
  EXPECT_EQ(p->RowCount(), 2);
  p->Rows()->MoveToolBarToRow(b, 0);
  EXPECT_EQ(p->RowCount(), 1);
  EXPECT_EQ(b->Left(), a->Left() + a->Width() + 2);
  EXPECT_EQ(b->Top(), 1);
}

}  // namespace
