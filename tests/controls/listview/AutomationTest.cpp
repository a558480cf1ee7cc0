#include <gtest/gtest.h>
#include <windows.h>

#include "base/Automation.h"
#include "tests/controls/listview/AutoServerSupport.h"

namespace {

struct Automation : ::testing::Test {
  TAutoServer Server;
  void SetUp() override { Server.Reset(); }
};

TEST_F(Automation, CallsByNameCarryPositionalAndNamedArguments) {
  {
    TAutoObject app = TAutoObject::Create(L"excel.application");
    TAutoObject book = app.Object(L"WorkBooks").Object(L"Open", {L"C:\\data\\book.xls"});
    TAutoObject sheet = book.Object(L"ActiveSheet");
    EXPECT_EQ(sheet.Object(L"Range", {L"A1:B2"}).Get(L"Address").AsString(), L"A1:B2");
    book.Call(L"Close", {Named(L"SaveChanges", false)});
    app.Call(L"Quit");
    TAutoObject word = TAutoObject::Create(L"word.application");
    TAutoObject doc = word.Object(L"Documents").Object(L"Add");
    TAutoObject range = doc.Object(L"Range", {Named(L"start", 0), Named(L"end", 0)});
    TAutoObject table = doc.Object(L"Tables").Object(L"Add", {TOleVariant(range.Interface()), Named(L"numrows", 2),
                                                              Named(L"numcolumns", 3)});
    table.Object(L"Cell", {2, 3}).Object(L"Range").Object(L"ParagraphFormat").Set(L"Alignment", 2);
  }
  // Names reach the server as the caller spells them; it records them in
  // lower case.
  EXPECT_EQ(Server.Log(),
            L"create Excel\n"
            L"Excel.workbooks()\n"
            L"Workbooks.open('C:\\data\\book.xls')\n"
            L"Workbook.activesheet()\n"
            L"Sheet.range('A1:B2')\n"
            L"Range[A1:B2].address\n"
            L"Workbook.close(savechanges:=False)\n"
            L"Excel.quit()\n"
            L"create Word\n"
            L"Word.documents()\n"
            L"Documents.add()\n"
            L"Document.range(start:=0, end:=0)\n"
            L"Document.tables()\n"
            L"Tables.add(<object>, numrows:=2, numcolumns:=3)\n"
            L"Table.cell(2, 3)\n"
            L"Cell(2,3).range()\n"
            L"CellRange(2,3).paragraphformat()\n"
            L"ParagraphFormat(2,3).alignment := 2\n");
  EXPECT_EQ(Server.LiveObjects(), 0);
}

TEST_F(Automation, TwoDimensionalArraysGoRowsFirst) {
  TOleVariant block = TOleVariant::CreateArray(0, 2, 0, 1);
  EXPECT_EQ(block.DimCount(), 2);
  EXPECT_EQ(block.HighBound(1), 2);
  EXPECT_EQ(block.HighBound(2), 1);
  const wchar_t* cells[3][2] = {{L"a", L"b"}, {L"c", L"d"}, {L"\x0105", L""}};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 2; ++c) block.PutElement(r, c, cells[r][c]);
  EXPECT_EQ(block.GetElement(2, 0).AsString(), L"\x0105");
  {
    TAutoObject app = TAutoObject::Create(L"excel.application");
    TAutoObject sheet = app.Object(L"WorkBooks").Object(L"Add").Object(L"WorkSheets").Object(L"Add");
    sheet.Get(L"Range", {L"A1:B3"});
    sheet.Object(L"Range", {L"A1:B3"}).Set(L"Value", block);
    // What the server serves comes back 1-based, values as text.
    Server.SetBlock(L"$A$1:$B$2", L"x|#num\n#err|");
    TOleVariant back = sheet.Object(L"Range", {L"A1:B2"}).Get(L"Value");
    ASSERT_TRUE(back.IsArray());
    EXPECT_EQ(back.LowBound(1), 1);
    EXPECT_EQ(back.HighBound(1), 2);
    EXPECT_EQ(back.HighBound(2), 2);
    EXPECT_EQ(back.GetElement(1, 1).AsString(), L"x");
    EXPECT_EQ(back.GetElement(1, 2).AsString(), L"2.5");
    EXPECT_TRUE(back.GetElement(2, 1).IsError());
    EXPECT_TRUE(back.GetElement(2, 2).IsEmpty());
  }
  std::wstring log = Server.Log();
  EXPECT_NE(log.find(L"Range[A1:B3].value := [0..2,0..1]{a|b}{c|d}{\x0105|}\n"), std::wstring::npos)
      << WideToAnsi(log);
  EXPECT_EQ(Server.LiveObjects(), 0);
}

TEST_F(Automation, FailuresRaiseWithTheServersTextOrTheSystemsCode) {
  Server.FailOn(L"Open");
  {
    TAutoObject app = TAutoObject::Create(L"excel.application");
    try {
      app.Object(L"WorkBooks").Object(L"Open", {L"missing.xls"});
      FAIL() << "no exception";
    } catch (const EOleException& e) {
      EXPECT_EQ(e.Message(), L"Refused: open");
      EXPECT_EQ(e.Source(), L"Fake server");
    }
    EXPECT_THROW(app.Call(L"NoSuchThing"), EOleSysError);
  }
  EXPECT_EQ(Server.LiveObjects(), 0);
  EXPECT_THROW(TAutoObject::Create(L"vantrel.nosuchserver"), EOleSysError);
  Server.Unregister();
  EXPECT_THROW(TAutoObject::Create(L"excel.application"), EOleSysError);
}

}  // namespace
