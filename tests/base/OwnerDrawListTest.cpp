// Owner-drawn list and combo boxes: rows painted by OnDrawItem at the
// row height asked for, the rows kept with their objects while the window
// comes and goes, selection and the row under a point.
#include <gtest/gtest.h>

#include "base/ComboBox.h"
#include "base/Forms.h"
#include "base/ListBox.h"
#include "tests/support/Gui.h"

namespace {

struct OwnerDraw : ::testing::Test {
  TForm* Form = nullptr;
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 300, 200);
    Form->Show();
  }
  void TearDown() override { Form->Free(); }
};

// Row i is painted in Colors[i] over its whole rectangle.
const TColor Colors[] = {clRed, clGreen, clBlue};

TEST_F(OwnerDraw, ListRowsArePaintedByTheHandlerAtTheirHeight) {
  auto* list = new TListBox(Form);
  list->SetParent(Form);
  list->SetBounds(10, 10, 120, 120);
  list->SetStyle(TListBoxStyle::lbOwnerDrawFixed);
  list->SetItemHeight(20);
  std::vector<int> drawn;
  list->OnDrawItem = [&](TWinControl*, int Index, const TRect& Rect, TOwnerDrawState) {
    drawn.push_back(Index);
    list->Canvas()->Brush()->SetColor(Colors[Index]);
    list->Canvas()->FillRect(Rect);
  };
  TObject marker;
  for (int i = 0; i < 3; ++i) list->Items()->AddObject(L"row", i == 1 ? &marker : nullptr);
  ASSERT_TRUE(PumpUntil([&] { return drawn.size() >= 3; }));
  for (int i = 0; i < 3; ++i) {
    TRect r = list->ItemRect(i);
    EXPECT_EQ(r.bottom - r.top, 20) << i;
    EXPECT_EQ(WindowPixel(list->Handle(), 5, r.top + 10), Colors[i]) << i;
    EXPECT_EQ(list->ItemAtPos(TPoint(5, r.top + 10)), i);
  }
  EXPECT_EQ(list->ItemAtPos(TPoint(5, 100)), -1);
  // Rows, objects and the selection outlive a new window.
  list->SetItemIndex(1);
  list->SetStyle(TListBoxStyle::lbStandard);
  EXPECT_EQ(list->Items()->Count(), 3);
  EXPECT_EQ(list->Items()->Objects(1), &marker);
  EXPECT_EQ(list->ItemIndex(), 1);
  list->Items()->Delete(0);
  EXPECT_EQ(list->ItemIndex(), 0);
  list->Items()->SetObjects(0, nullptr);
  EXPECT_EQ(list->Items()->Objects(0), nullptr);
}

TEST_F(OwnerDraw, ComboFieldShowsTheSelectedRowAsTheHandlerPaintsIt) {
  auto* box = new TComboBox(Form);
  box->SetParent(Form);
  box->SetBounds(10, 10, 120, 22);
  box->SetStyle(TComboBoxStyle::csOwnerDrawFixed);
  box->SetItemHeight(18);
  int painted = -1;
  box->OnDrawItem = [&](TWinControl*, int Index, const TRect& Rect, TOwnerDrawState) {
    painted = Index;
    box->Canvas()->Brush()->SetColor(Colors[Index]);
    box->Canvas()->FillRect(Rect);
  };
  for (int i = 0; i < 3; ++i) box->Items()->Add(L"");
  box->SetItemIndex(2);
  InvalidateRect(box->Handle(), nullptr, TRUE);
  ASSERT_TRUE(PumpUntil([&] { return painted == 2; }));
  EXPECT_EQ(SendMessageW(box->Handle(), CB_GETITEMHEIGHT, 0, 0), 18);
  EXPECT_EQ(WindowPixel(box->Handle(), 8, box->Height() / 2), Colors[2]);
  EXPECT_EQ(box->ItemIndex(), 2);
}

}  // namespace
