// Cells, update lock, clearing, marking, rich text, cell settings, the
// clipboard and item operations of the advanced list view.
#include "base/Clipboard.h"
#include "base/ImgList.h"

#include <richedit.h>
#include "base/RichEdit.h"
#include "tests/controls/listview/AdvListViewTest.h"

namespace {

using AdvCells = AdvFixture;

TEST_F(AdvCells, TextAtColRowReadsAndWritesCellsAndCaptions) {
  AddColumns({80, 80, 80, 80});
  AddRow(L"a");
  AddRow(L"b", {L"b1"});
  List->SetTextAtColRow(3, 0, L"x");
  EXPECT_EQ(List->Items()->Item(0)->SubItems()->Count(), 3);
  struct Case {
    int c, r;
    const wchar_t* want;
  } cases[] = {
      {3, 0, L"x"}, {1, 0, L""}, {0, 0, L"a"}, {-1, 1, L"b"}, {1, 1, L"b1"}, {2, 1, L""},
      {0, -1, L"c0"}, {5, -1, L""}, {0, 2, L""}, {0, -2, L""},
  };
  for (const Case& k : cases) EXPECT_EQ(List->GetTextAtColRow(k.c, k.r), k.want) << k.c << "," << k.r;
  // Writes beyond the columns or rows change nothing.
  List->SetTextAtColRow(4, 0, L"no");
  List->SetTextAtColRow(0, 2, L"no");
  EXPECT_EQ(List->Items()->Item(0)->SubItems()->Count(), 3);
  EXPECT_EQ(List->Items()->Count(), 2);
  List->SetTextAtColRow(0, 1, L"B");
  EXPECT_EQ(List->Items()->Item(1)->Caption(), L"B");
}

TEST_F(AdvCells, ClearInitAndClear) {
  AddColumns({50});
  AddRow(L"old", {L"x"});
  List->ClearInit(2, 3);
  ASSERT_EQ(List->Columns()->Count(), 3);
  ASSERT_EQ(List->Items()->Count(), 2);
  for (int c = 0; c < 3; ++c) EXPECT_EQ(List->Columns()->Items(c)->Caption(), L"");
  for (int r = 0; r < 2; ++r) {
    EXPECT_EQ(List->Items()->Item(r)->SubItems()->Count(), 3);
    EXPECT_EQ(List->Items()->Item(r)->ImageIndex(), -1);
    for (int c = 0; c <= 3; ++c) EXPECT_EQ(List->GetTextAtColRow(c, r), L"");
  }
  List->Clear();
  EXPECT_EQ(List->Columns()->Count(), 0);
  EXPECT_EQ(List->Items()->Count(), 0);
}

TEST_F(AdvCells, HighlightAndMarkWrapAndUnwrapEveryCell) {
  AddColumns({80, 80});
  AddRow(L"Anna and anna", {L"no match"});
  AddRow(L"x", {L"ANNA"});
  List->HilightInList(L"anna", false);
  EXPECT_EQ(List->GetTextAtColRow(0, 0), L"<hi>Anna</hi> and <hi>anna</hi>");
  EXPECT_EQ(List->GetTextAtColRow(1, 0), L"no match");
  EXPECT_EQ(List->GetTextAtColRow(1, 1), L"<hi>ANNA</hi>");
  List->UnHilightInList();
  EXPECT_EQ(List->GetTextAtColRow(0, 0), L"Anna and anna");
  EXPECT_EQ(List->GetTextAtColRow(1, 1), L"ANNA");
  List->MarkInItem(0, L"anna", true);
  EXPECT_EQ(List->GetTextAtColRow(0, 0), L"Anna and <e>anna</e>");
  List->MarkInItem(7, L"x", true);  // no such row: nothing
  List->UnMarkInItem(0);
  EXPECT_EQ(List->GetTextAtColRow(0, 0), L"Anna and anna");
}

TEST_F(AdvCells, UpdatesNestAndTheLastEndRedraws) {
  AddColumns({80});
  List->SetShowColumnHeaders(true);
  Form->Show();
  HWND header = List->HeaderHandle();
  ASSERT_NE(header, nullptr);
  List->EndUpdate();  // nothing open: nothing happens
  EXPECT_TRUE(GetWindowLongPtrW(header, GWL_STYLE) & WS_VISIBLE);
  List->BeginUpdate();
  List->BeginUpdate();
  EXPECT_FALSE(GetWindowLongPtrW(header, GWL_STYLE) & WS_VISIBLE);
  List->EndUpdate();
  EXPECT_FALSE(GetWindowLongPtrW(header, GWL_STYLE) & WS_VISIBLE);
  List->EndUpdate();
  EXPECT_TRUE(GetWindowLongPtrW(header, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(AdvCells, HitTestsFollowTheColumnsAsShown) {
  AddColumns({60, 70, 80});
  AddRow(L"r0", {L"a", L"b"});
  AddRow(L"r1", {L"c", L"d"});
  Form->Show();
  List->SetColumnOrder({2, 0, 1});
  int item = -1, sub = -1;
  POINT p = CellPoint(1, 2);
  EXPECT_LT(p.x, 80);  // column 2 is shown first
  ASSERT_TRUE(List->GetIndexAtPoint(p.x, p.y, item, sub));
  EXPECT_EQ(item, 1);
  EXPECT_EQ(sub, 2);
  EXPECT_EQ(List->GetTextAtPoint(p.x, p.y), L"d");
  p = CellPoint(0, 0);
  EXPECT_EQ(List->GetTextAtPoint(p.x, p.y), L"r0");
  // Past the last column or below the rows nothing is hit, and the outputs
  // stay.
  item = sub = 42;
  EXPECT_FALSE(List->GetIndexAtPoint(300, p.y, item, sub));
  EXPECT_FALSE(List->GetIndexAtPoint(10, 250, item, sub));
  EXPECT_EQ(item, 42);
  EXPECT_EQ(List->GetTextAtPoint(10, 250), L"");
}

TEST_F(AdvCells, RichTextGoesToTheEditorAndBack) {
  AddColumns({80, 80});
  const String rtf = L"{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 Bold {\\b word}\\par}";
  AddRow(L"x", {rtf});
  Form->Show();
  TAdvRichEdit* re = List->RichEdit();
  ASSERT_NE(re, nullptr);
  EXPECT_EQ(List->RichEdit(), re);  // made once
  List->ItemToRich(0, 0, re);
  EXPECT_EQ(re->Text(), L"Bold word");
  re->SetSelStart(5);
  re->SetSelLength(4);
  auto offset = [re] {
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_OFFSET;
    SendMessageW(re->Handle(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    return cf.yOffset;
  };
  re->SelSubscript();
  EXPECT_EQ(offset(), -40);
  re->SelNormal();
  EXPECT_EQ(offset(), 0);
  re->SelSuperscript();
  EXPECT_EQ(offset(), 40);
  List->RichToItem(0, 0, re);
  String back = List->GetTextAtColRow(1, 0);
  EXPECT_EQ(back.compare(0, 5, L"{\\rtf"), 0);
  EXPECT_NE(back.find(L"word"), String::npos);
  // An empty cell empties the editor.
  List->ItemToRich(0, -1, re);
  EXPECT_EQ(re->Text(), L"x");
  List->SetTextAtColRow(0, 0, L"");
  List->ItemToRich(0, -1, re);
  EXPECT_EQ(re->Text(), L"");
}

TEST_F(AdvCells, ProgressCellsAndVersion) {
  AddColumns({50, 50, 50});
  AddRow(L"r");
  List->SetProgress(0, 2, 75);
  EXPECT_EQ(List->Items()->Item(0)->SubItems()->Strings(1), L"{|75");
  EXPECT_EQ(List->Progress(0, 2), 75);
  EXPECT_EQ(List->Progress(0, 0), 0);
  List->SetTextAtColRow(1, 0, L"{|7x");
  EXPECT_THROW(List->Progress(0, 1), EConvertError);
  EXPECT_EQ(List->Version(), L"1.7.4.1");
  EXPECT_EQ(List->VersionNr(), 0x01070401);
  EXPECT_EQ(List->VersionString(), L"1.7.4.1 Oct, 2016");
  // The progress colours copy without their value format.
  TProgressSettings a, b;
  a.SetColorFrom(clRed);
  a.SetShowValue(false);
  a.SetValueFormat(L"%d pct");
  b.Assign(&a);
  EXPECT_EQ(b.ColorFrom(), clRed);
  EXPECT_FALSE(b.ShowValue());
  EXPECT_EQ(b.ValueFormat(), L"%d%%");
}

TEST_F(AdvCells, CopyAndPasteAsTabbedLines) {
  AddColumns({50, 50, 50});
  AddRow(L"a", {L"a1", L"a2"});
  AddRow(L"b", {L"b1", L"b2"});
  Form->Show();
  List->CopyToClipBoard();
  EXPECT_EQ(Clipboard()->AsText(), L"a\ta1\ta2\r\nb\tb1\tb2\r\n");
  List->Items()->Clear();
  List->SetMultiSelect(true);
  Clipboard()->SetAsText(L"x\t1\r\ny\t2\r\nz\t3\t4\t5");
  List->PasteFromClipboard();
  ASSERT_EQ(List->Items()->Count(), 3);
  EXPECT_EQ(List->GetTextAtColRow(1, 2), L"3");
  EXPECT_EQ(List->Columns()->Count(), 4);  // the line with four fields added a column
  EXPECT_EQ(List->SelCount(), 3);
  EXPECT_EQ(List->ItemFocused(), List->Items()->Item(2));
  Clipboard()->SetAsText(L"single");
  List->PasteFromClipboard();
  EXPECT_EQ(List->Items()->Count(), 4);
  // Only the selected rows are copied by the selection copy.
  List->SetItemIndex(1);
  List->CopySelectionToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), L"y\t2\r\n");
}

TEST_F(AdvCells, CutInCellModeTakesOnlyTheCopiedCell) {
  AddColumns({50, 50});
  AddRow(L"a", {L"a1"});
  AddRow(L"b", {L"b1"});
  Form->Show();
  List->SetSubItemSelect(true);
  List->SetItemIndex(1);
  List->SetColumnIndex(1);
  List->CutToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), L"b1");
  ASSERT_EQ(List->Items()->Count(), 2);  // every other cell stays
  EXPECT_EQ(List->GetTextAtColRow(1, 1), L"");
  EXPECT_EQ(List->GetTextAtColRow(0, 1), L"b");
  EXPECT_EQ(List->GetTextAtColRow(1, 0), L"a1");
  // Pasting in cell mode fills the current cell.
  Clipboard()->SetAsText(L"new");
  List->PasteFromClipboard();
  EXPECT_EQ(List->GetTextAtColRow(1, 1), L"new");
  // Row mode: the cut takes the selected rows it copied.
  List->SetSubItemSelect(false);
  List->CutSelectionToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), L"b\tnew\r\n");
  ASSERT_EQ(List->Items()->Count(), 1);
  EXPECT_EQ(List->GetTextAtColRow(0, 0), L"a");
}

TEST_F(AdvCells, MovingAndSwappingKeepStates) {
  AddColumns({50, 50});
  List->SetCheckboxes(true);
  AddRow(L"a", {L"a1"});
  AddRow(L"b", {L"b1"});
  AddRow(L"c", {L"c1"});
  Form->Show();
  List->Items()->Item(0)->SetChecked(true);
  List->SetItemIndex(0);
  List->MoveItem(0, -1);
  EXPECT_EQ(List->GetTextAtColRow(0, 0), L"b");
  EXPECT_EQ(List->GetTextAtColRow(0, 2), L"a");
  EXPECT_EQ(List->GetTextAtColRow(1, 2), L"a1");
  EXPECT_TRUE(List->Items()->Item(2)->Checked());
  EXPECT_TRUE(List->Items()->Item(2)->Selected());
  EXPECT_FALSE(List->Items()->Item(0)->Checked());
  List->MoveItem(2, 0);
  EXPECT_EQ(List->GetTextAtColRow(0, 0), L"a");
  EXPECT_EQ(List->ItemIndex(), 0);
  List->SwapItems(0, 2);
  EXPECT_EQ(List->GetTextAtColRow(0, 0), L"c");
  EXPECT_EQ(List->GetTextAtColRow(1, 2), L"a1");
  EXPECT_TRUE(List->Items()->Item(2)->Checked());
  EXPECT_TRUE(List->Checkboxes());
  List->TestFill(3, 4);
  EXPECT_EQ(List->Columns()->Count(), 3);
  EXPECT_EQ(List->GetTextAtColRow(0, 3), L"3");
  EXPECT_EQ(List->GetTextAtColRow(2, 3), L"s2");
}

TEST_F(AdvCells, AListSetUpAsTheOutBoxIsPaintedByThePlatformInTheHandlersColours) {
  List->SetReadOnly(true);
  List->SetRowSelect(true);
  List->SetShowColumnHeaders(false);
  List->SetFlatScrollBars(true);
  List->SetItemHeight(18);
  auto* images = new TImageList(Form);
  List->SetSmallImages(images);
  List->SetStateImages(images);
  const wchar_t* names[] = {L"Name", L"body", L"status"};
  int widths[] = {200, 0, 0};
  for (int i = 0; i < 3; ++i) {
    TListColumn* c = List->Columns()->Add();
    c->SetCaption(names[i]);
    c->SetWidth(widths[i]);
  }
  List->OnAdvancedCustomDrawItem = [](TCustomListView* Sender, TListItem* Item, TCustomDrawState, TCustomDrawStage,
                                      bool&) {
    Sender->Canvas()->Brush()->SetColor(Item->Index() % 2 ? TColor(0x00F0E0E0) : clWhite);
  };
  std::vector<std::wstring> selected;
  List->OnSelectItem = [&](TObject*, TListItem* Item, bool Sel) {
    selected.push_back((Sel ? L"+" : L"-") + Item->Caption());
  };
  Form->Show();
  for (int i = 0; i < 3; ++i) {
    TListItem* item = List->Items()->Insert(0);  // newest on top
    item->SetCaption(L"msg" + std::to_wstring(i));
    item->SubItems()->Add(L"body " + std::to_wstring(i));
    item->SubItems()->Add(L"sent");
    item->SetImageIndex(-1);
    item->SetStateIndex(-1);
  }
  EXPECT_EQ(List->Items()->Item(0)->Caption(), L"msg2");
  EXPECT_EQ(List->Items()->Item(2)->Index(), 2);
  TBitmap* bmp = PaintToBitmap(List);
  for (int i = 0; i < 3; ++i) {
    TRect r = List->Items()->Item(i)->DisplayRect(TDisplayCode::drBounds);
    EXPECT_EQ(PixelAt(bmp, 190, r.bottom - 2), i % 2 ? TColor(0x00F0E0E0) : clWhite) << i;
  }
  bmp->Free();
  List->SetItemIndex(2);
  List->SetItemIndex(0);
  EXPECT_EQ(selected, (std::vector<std::wstring>{L"+msg0", L"-msg0", L"+msg2"}));
  EXPECT_EQ(List->SelCount(), 1);
  EXPECT_EQ(List->Selected()->SubItems()->Strings(0), L"body 2");
  List->Items()->Clear();
  EXPECT_EQ(List->Items()->Count(), 0);
}

}  // namespace
