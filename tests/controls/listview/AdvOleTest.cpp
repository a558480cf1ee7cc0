// The advanced list view's exchange with the spreadsheet and the word
// processor, against the tests' automation server.
#include "base/Automation.h"
#include "tests/controls/listview/AdvListViewTest.h"
#include "tests/controls/listview/AutoServerSupport.h"

namespace {

struct AdvOle : AdvFixture {
  TAutoServer Server;
  void SetUp() override {
    AdvFixture::SetUp();
    Server.Reset();
  }
  std::vector<std::wstring> Log() {
    std::vector<std::wstring> lines;
    std::wstring all = Server.Log();
    size_t start = 0;
    for (size_t p; (p = all.find(L'\n', start)) != std::wstring::npos; start = p + 1)
      lines.push_back(all.substr(start, p - start));
    return lines;
  }
};

TEST_F(AdvOle, TheUsedRangeOfTheActiveSheetBecomesTheList) {
  AddColumns({50});
  AddRow(L"old");
  Server.SetBlock(L"$A$1:$C$3", L"Name|Number|Body\nAnn|#num|hi\n#err||\xA7x");
  List->SetLoadHeader(true);
  List->LoadFromXLS(L"C:\\book.xls");
  ASSERT_EQ(List->Columns()->Count(), 3);
  ASSERT_EQ(List->Items()->Count(), 2);
  EXPECT_EQ(List->GetTextAtColRow(1, -1), L"Number");
  EXPECT_EQ(List->GetTextAtColRow(1, 0), L"2.5");
  EXPECT_EQ(List->GetTextAtColRow(0, 1), L"");  // an error value reads empty
  EXPECT_EQ(List->GetTextAtColRow(2, 1), L"\xA7x");
  EXPECT_EQ(Log(), (std::vector<std::wstring>{L"create Excel", L"Excel.workbooks()", L"Workbooks.open('C:\\book.xls')",
                                              L"Workbook.activesheet()", L"Sheet.usedrange()",
                                              L"Range[$A$1:$C$3].address", L"Sheet.range('A1:C3')",
                                              L"Range[A1:C3].value", L"Workbook.close(savechanges:=False)",
                                              L"Excel.quit()"}));
  EXPECT_EQ(Server.LiveObjects(), 0);
  EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(AdvOle, WholeRowsAndRangesAwayFromTheCorner) {
  Server.SetBlock(L"$1:$2", L"a|b\nc|d");
  List->LoadFromXLS(L"x.xls");
  EXPECT_EQ(List->Columns()->Count(), 256);
  EXPECT_EQ(List->Items()->Count(), 2);
  EXPECT_EQ(List->GetTextAtColRow(1, 1), L"d");
  // A used range that does not start at A1 is read where it lies.
  Server.Reset();
  Server.SetBlock(L"$B$2:$C$3", L"e|f\ng|h");
  List->LoadFromXLS(L"x.xls");
  EXPECT_EQ(List->Columns()->Count(), 2);
  EXPECT_EQ(List->GetTextAtColRow(0, 0), L"e");
  EXPECT_NE(Server.Log().find(L"Sheet.range('B2:C3')"), std::wstring::npos);
}

TEST_F(AdvOle, TheBlockServedBoundsWhatIsRead) {
  AddColumns({50});
  AddRow(L"keep");
  // A used range larger than the block the program hands over: only the
  // cells that came are read, however large the range claims to be.
  struct Case {
    const wchar_t* Address;
    const wchar_t* Cells;
    int Columns, Rows;
  } cases[] = {
      {L"$A$1:$D$3", L"a|b\nc|d", 2, 2},
      {L"$A$1:$ZZ$9999999", L"a|b\nc|d", 2, 2},
      {L"$1:$9999999", L"a|b|x\nc|d", 3, 2},
      {L"$AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA$1:$B$2", L"a|b\nc|d", 1, 1},  // no column: one cell
  };
  for (const Case& c : cases) {
    Server.Reset();
    Server.SetBlock(c.Address, c.Cells);
    Server.SetExactBlock(true);
    List->LoadFromXLS(L"x.xls");
    EXPECT_EQ(List->Columns()->Count(), c.Columns) << WideToAnsi(c.Address);
    EXPECT_EQ(List->Items()->Count(), c.Rows) << WideToAnsi(c.Address);
    EXPECT_EQ(List->GetTextAtColRow(0, 0), L"a") << WideToAnsi(c.Address);
    if (c.Rows > 1) EXPECT_EQ(List->GetTextAtColRow(1, 1), L"d") << WideToAnsi(c.Address);
  }
}

TEST_F(AdvOle, AFailedExchangeStillReleasesTheServerAndTheCursor) {
  AddColumns({50});
  AddRow(L"keep");
  Server.FailOn(L"Open");
  EXPECT_THROW(List->LoadFromXLS(L"missing.xls"), EOleException);
  std::vector<std::wstring> log = Log();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), L"Excel.quit()");
  EXPECT_EQ(Server.LiveObjects(), 0);
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_EQ(List->GetTextAtColRow(0, 0), L"keep");
  Server.Reset();
  Server.FailOn(L"SaveAs");
  EXPECT_THROW(List->SaveToXLS(L"x.xls"), EOleException);
  EXPECT_EQ(Log().back(), L"Excel.quit()");
  EXPECT_EQ(Server.LiveObjects(), 0);
  EXPECT_EQ(Screen->Cursor(), crDefault);
  Server.Reset();
  Server.FailOn(L"InsertAfter");
  EXPECT_THROW(List->SaveToDOC(L"x.doc"), EOleException);
  EXPECT_EQ(Log().back(), L"Word.quit()");
  EXPECT_EQ(Server.LiveObjects(), 0);
  // Without the servers.
  Server.Unregister();
  try {
    List->LoadFromXLS(L"x.xls");
    ADD_FAILURE() << "no exception";
  } catch (const EAdvListViewError& e) {
    EXPECT_EQ(e.Message(), L"Excel OLE server not found");
  }
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_THROW(List->SaveToXLS(L"x.xls"), EAdvListViewError);
  try {
    List->SaveToDOC(L"x.doc");
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Word OLE server not found");
  }
  EXPECT_EQ(List->GetTextAtColRow(0, 0), L"keep");
}

TEST_F(AdvOle, TheListGoesToANewWorkbookAsOneBlock) {
  for (int c = 0; c < 52; ++c) List->Columns()->Add()->SetCaption(c == 1 ? L"<b>B</b>" : L"c");
  AddRow(L"r0", {L"<i>x</i>"});
  AddRow(L"r1");
  List->SetSaveHeader(true);
  std::vector<std::pair<int, int>> hooked;
  List->OnSaveValue = [&](TObject*, int i, int s, String& v) {
    if ((i == -1 && s < 2) || (i >= 0 && s < 1)) hooked.push_back({i, s});
    if (i == 1 && s == -1) v = L"R1";
  };
  List->SaveToXLS(L"C:\\out.xls", false);
  std::vector<std::wstring> log = Log();
  ASSERT_EQ(log.size(), 9u);
  EXPECT_EQ(log[5], L"Sheet.range('A1:AZ3')");
  String value = log[6];
  EXPECT_EQ(value.compare(0, 36, L"Range[A1:AZ3].value := [0..2,0..51]{"), 0) << WideToAnsi(value);
  EXPECT_NE(value.find(L"{c|B|c|"), String::npos);      // captions as plain text
  EXPECT_NE(value.find(L"}{r0|x||"), String::npos);     // items, empty where missing
  EXPECT_NE(value.find(L"}{R1|||"), String::npos);      // through the save hook
  EXPECT_EQ(log[7], L"Workbook.saveas('C:\\out.xls')");
  EXPECT_EQ(log[8], L"Excel.quit()");
  EXPECT_EQ(hooked, (std::vector<std::pair<int, int>>{{-1, 0}, {-1, 1}, {0, -1}, {0, 0}, {1, -1}, {1, 0}}));
  EXPECT_EQ(Server.LiveObjects(), 0);
}

TEST_F(AdvOle, TheListGoesToADocumentAsATable) {
  AddColumns({50, 50, 50});
  List->Columns()->Items(1)->SetAlignment(TAlignment::taRightJustify);
  List->Columns()->Items(2)->SetAlignment(TAlignment::taCenter);
  AddRow(L"a", {L"1", L"2"});
  AddRow(L"b", {L"3"});
  List->SaveToDOC(L"C:\\out.doc");
  EXPECT_EQ(Log(), (std::vector<std::wstring>{
                       L"create Word",
                       L"Word.documents()",
                       L"Documents.add()",
                       L"Document.range(start:=0, end:=0)",
                       L"Document.tables()",
                       L"Tables.add(<object>, numrows:=2, numcolumns:=3)",
                       L"Table.cell(1, 1)",
                       L"Cell(1,1).range()",
                       L"CellRange(1,1).insertafter('a')",
                       L"Table.cell(1, 2)",
                       L"Cell(1,2).range()",
                       L"CellRange(1,2).insertafter('1')",
                       L"Cell(1,2).range()",
                       L"CellRange(1,2).paragraphformat()",
                       L"ParagraphFormat(1,2).alignment := 2",
                       L"Table.cell(1, 3)",
                       L"Cell(1,3).range()",
                       L"CellRange(1,3).insertafter('2')",
                       L"Cell(1,3).range()",
                       L"CellRange(1,3).paragraphformat()",
                       L"ParagraphFormat(1,3).alignment := 1",
                       L"Table.cell(2, 1)",
                       L"Cell(2,1).range()",
                       L"CellRange(2,1).insertafter('b')",
                       L"Table.cell(2, 2)",
                       L"Cell(2,2).range()",
                       L"CellRange(2,2).insertafter('3')",
                       L"Cell(2,2).range()",
                       L"CellRange(2,2).paragraphformat()",
                       L"ParagraphFormat(2,2).alignment := 2",
                       L"Table.cell(2, 3)",
                       L"Cell(2,3).range()",
                       L"CellRange(2,3).paragraphformat()",
                       L"ParagraphFormat(2,3).alignment := 1",
                       L"Document.saveas('C:\\out.doc')",
                       L"Word.quit()",
                   }));
  EXPECT_EQ(Server.LiveObjects(), 0);
}

}  // namespace
