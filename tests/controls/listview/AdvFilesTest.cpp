// The advanced list view's save file, stream format, CSV and the XML, HTML
// and fixed-width exports: round trips by tables of cells, exact output,
// and files that must be refused.
#include "base/Forms.h"
#include "base/Streams.h"
#include "tests/controls/listview/AdvListViewTest.h"
#include "ui/controls/listview/AlvUtil.h"

namespace {

String TempName(const wchar_t* Name) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  return String(dir) + Name;
}

String FileText(const String& Name) {
  TStringList l;
  l.LoadFromFile(Name);
  return l.Text();
}

void WriteFile(const String& Name, const String& Text, TTextEncoding Encoding = TTextEncoding::teAnsi) {
  TStringList l;
  l.SetText(Text);
  l.SaveToFile(Name, Encoding);
}

// Every cell of a list, captions first (row -1), as one table.
std::vector<std::vector<String>> Cells(TAdvListView* List, int Columns) {
  std::vector<std::vector<String>> t;
  for (int r = -1; r < List->Items()->Count(); ++r) {
    std::vector<String> row;
    for (int c = 0; c < Columns; ++c) row.push_back(List->GetTextAtColRow(c, r));
    t.push_back(row);
  }
  return t;
}

// Cells that files must carry: several lines, delimiters, quotes, markup
// characters, Polish and Cyrillic letters.
const std::vector<std::vector<String>> kTable = {
    {L"Name", L"Number, \"mobile\"", L"Body"},
    {L"Anna", L"+48 600", L"line one\r\nline two\r\nline three"},
    {L"Zo\x0142" L"a \x017B\x00F3\x0142w", L"a;b,c", L"\"quoted\" and \"\"doubled\"\""},
    {L"\x0416\x0435\x043D\x044F", L"", L"x < y & z > w"},
    {L"last", L"tail\r\n", L"\ttab\bbs"},
};

struct AdvFiles : AdvFixture {
  String File = TempName(L"vantrel_list.dat");
  void TearDown() override {
    DeleteFileW(File.c_str());
    AdvFixture::TearDown();
  }
  void Fill(const std::vector<std::vector<String>>& Table) {
    List->Clear();
    for (size_t c = 0; c < Table[0].size(); ++c) {
      TListColumn* col = List->Columns()->Add();
      col->SetCaption(Table[0][c]);
      col->SetWidth(60 + 10 * static_cast<int>(c));
    }
    for (size_t r = 1; r < Table.size(); ++r) {
      TListItem* item = List->Items()->Add();
      item->SetCaption(Table[r][0]);
      for (size_t c = 1; c < Table[r].size(); ++c) item->SubItems()->Add(Table[r][c]);
    }
  }
  // A second list on the same form, to read back into.
  TAdvListView* Other() {
    auto* other = new TAdvListView(Form);
    other->SetParent(Form);
    other->SetViewStyle(TViewStyle::vsReport);
    return other;
  }
};

TEST_F(AdvFiles, TheSaveFileCarriesEveryCellWidthAndImage) {
  // Cells with TAB or BS stand for line breaks in this file format.
  auto table = kTable;
  table[4][2] = L"plain";
  Fill(table);
  List->Items()->Item(1)->SetImageIndex(3);
  List->Items()->Item(2)->SetSubItemImages(1, 2);
  List->SetSubImages(true);
  List->SetSaveHeader(true);
  List->SaveToFile(File, true, true);
  TAdvListView* other = Other();
  other->SetLoadHeader(true);
  other->LoadFromFile(File);
  EXPECT_EQ(Cells(other, 3), table);
  EXPECT_EQ(other->Columns()->Items(2)->Width(), 80);
  EXPECT_EQ(other->Items()->Item(1)->ImageIndex(), 3);
  EXPECT_EQ(other->SubItemImages(2, 1), 2);
  EXPECT_TRUE(other->SubImages());
  // Without a header and in the ANSI code page the Latin cells come back.
  List->SetSaveHeader(false);
  auto latin = table;
  latin.erase(latin.begin() + 2, latin.begin() + 4);
  Fill(latin);
  List->SaveToFile(File, true, false);
  other->SetLoadHeader(false);
  other->LoadFromFile(File);
  auto back = Cells(other, 3);
  back.erase(back.begin());
  latin.erase(latin.begin());
  EXPECT_EQ(back, latin);
}

TEST_F(AdvFiles, TheSaveFileWritesItsLinesAsDocumented) {
  Fill({{L"A", L"B"}, {L"x", L"two\r\nlines"}, {L"", L""}});
  List->SetSaveHeader(true);
  std::vector<std::pair<int, int>> hooked;
  List->OnSaveValue = [&](TObject*, int i, int s, String& v) {
    hooked.push_back({i, s});
    if (v == L"x") v = L"X";
  };
  List->SaveToFile(File, true, false);
  EXPECT_EQ(FileText(File), L"2,2\r\ncw 0,60\r\ncw 1,70\r\n0,0,A\r\n1,0,B\r\n0,1,-1,X\r\n1,1,-1,two\t\blines\r\n");
  EXPECT_EQ(hooked, (std::vector<std::pair<int, int>>{{-1, 0}, {-1, 1}, {0, -1}, {0, 0}, {1, -1}, {1, 0}}));
  // A single item with a header loads.
  Fill({{L"A"}, {L"only"}});
  List->SaveToFile(File, true, false);
  TAdvListView* other = Other();
  other->SetLoadHeader(true);
  other->LoadFromFile(File);
  ASSERT_EQ(other->Items()->Count(), 1);
  EXPECT_EQ(other->GetTextAtColRow(0, 0), L"only");
  EXPECT_EQ(other->GetTextAtColRow(0, -1), L"A");
}

TEST_F(AdvFiles, BadSaveFilesAreRefusedAndChangeNothing) {
  Fill({{L"keep"}, {L"me"}});
  struct Case {
    const wchar_t* Text;
    const wchar_t* Message;
  } cases[] = {
      {L"0,3\r\n", L"File contains no data or corrupt file "},
      {L"x\r\n", L"File contains no data or corrupt file "},
      {L"300,2\r\n0,0,-1,a\r\n", L"File declares too many columns (300, at most 256): "},
      {L"2,4000000000\r\n", L"File declares too many rows"},
      {L"2,2\r\n0,5,-1,beyond the rows\r\n", L"Corrupt file "},
      {L"2,2\r\n7,0,-1,beyond the columns\r\n", L"Corrupt file "},
      {L"2,2\r\nnot a cell line\r\n", L"Corrupt file "},
      // More rows than it holds: refused before any row is made.
      {L"28,100000\r\n0,0,-1,one cell\r\n", L"File declares 100000 rows but holds 1: "},
  };
  for (const Case& c : cases) {
    WriteFile(File, c.Text);
    try {
      List->LoadFromFile(File);
      ADD_FAILURE() << "accepted: " << WideToAnsi(c.Text);
    } catch (const EAdvListViewError& e) {
      EXPECT_EQ(e.Message().compare(0, wcslen(c.Message), c.Message), 0) << WideToAnsi(e.Message());
    }
    EXPECT_EQ(List->Columns()->Count(), 1);
    EXPECT_EQ(List->GetTextAtColRow(0, 0), L"me");
  }
  // Empty last rows have no lines: a few of them load.
  WriteFile(File, L"1,4\r\n0,0,-1,first\r\n");
  List->LoadFromFile(File);
  EXPECT_EQ(List->Items()->Count(), 4);
  EXPECT_EQ(List->GetTextAtColRow(0, 0), L"first");
}

// A list that ends in many empty rows still loads from its own files,
// which then hold a line for their last row.
TEST_F(AdvFiles, AListEndingInManyEmptyRowsLoadsAgain) {
  List->Clear();
  List->Columns()->Add()->SetCaption(L"c");
  List->Items()->BeginUpdate();
  List->Items()->Add()->SetCaption(L"first");
  for (int i = 0; i < 1500; ++i) List->Items()->Add();
  List->Items()->EndUpdate();
  List->SetSaveHeader(false);
  List->SaveToFile(File, true, false);
  TAdvListView* other = Other();
  other->SetLoadHeader(false);
  other->LoadFromFile(File);
  EXPECT_EQ(other->Items()->Count(), 1501);
  EXPECT_EQ(other->GetTextAtColRow(0, 0), L"first");
  TMemoryStream s;
  List->SaveToStream(&s, true);
  other->LoadFromStream(&s);
  EXPECT_EQ(other->Items()->Count(), 1501);
}

TEST_F(AdvFiles, TheStreamFormatCarriesEveryCell) {
  Fill(kTable);
  TMemoryStream s;
  List->SaveToStream(&s, true);
  TAdvListView* other = Other();
  other->LoadFromStream(&s);
  auto table = kTable;
  table[4][2] = L"\rtab\nbs";  // TAB and BS stand for line breaks here
  EXPECT_EQ(Cells(other, 3), table);
  // The first line and a cell line, UTF-16 with CR LF.
  std::wstring raw(static_cast<const wchar_t*>(s.Memory()), static_cast<size_t>(s.Size() / 2));
  EXPECT_EQ(raw.compare(0, 11, L"3,5\r\n0,0,Na"), 0);
  // Cells outside the declared list stop the load before anything changes.
  TMemoryStream bad;
  String text = L"1,2\r\n0,9,x\r\n";
  bad.WriteBuffer(text.data(), static_cast<int>(text.size() * 2));
  EXPECT_THROW(other->LoadFromStream(&bad), EAdvListViewError);
  // So does a declared row count far beyond what the stream holds.
  TMemoryStream empty;
  String declared = L"2,500000\r\n0,0,x\r\n";
  empty.WriteBuffer(declared.data(), static_cast<int>(declared.size() * 2));
  EXPECT_THROW(other->LoadFromStream(&empty), EAdvListViewError);
  EXPECT_EQ(other->GetTextAtColRow(0, 0), L"Anna");
  TMemoryStream nonsense;
  text = L"a,b\r\n";
  nonsense.WriteBuffer(text.data(), static_cast<int>(text.size() * 2));
  EXPECT_THROW(other->LoadFromStream(&nonsense), EConvertError);
}

TEST_F(AdvFiles, CsvReadsBackToTheSameCells) {
  for (wchar_t delim : {L',', L';', L'\t'}) {
    Fill(kTable);
    List->SetDelimiter(delim);
    List->SetSaveHeader(true);
    List->SaveToCSV(File, true, true);
    TAdvListView* other = Other();
    other->SetLoadHeader(true);
    other->SetDelimiter(delim);
    other->LoadFromCSV(File);
    EXPECT_EQ(Cells(other, 3), kTable) << "delimiter " << static_cast<int>(delim);
  }
}

TEST_F(AdvFiles, CsvQuotesOnlyWhatNeedsIt) {
  Fill({{L"a;b", L"plain"}, {L"x", L"say \"hi\""}, {L"two\r\nlines", L""}});
  List->SetDelimiter(L';');
  List->SetSaveHeader(true);
  List->SaveToCSV(File, true, false);
  EXPECT_EQ(LoadTextFile(File), L"\"a;b\";plain\r\nx;\"say \"\"hi\"\"\"\r\n\"two\r\nlines\";\r\n");
  // The save hook gets the column, whatever the display order.
  Form->Show();
  List->SetColumnOrder({1, 0});
  std::vector<int> columns;
  List->OnSaveValue = [&](TObject*, int i, int s, String&) {
    if (i == 0) columns.push_back(s);
  };
  List->SaveToCSV(File, true, false);
  EXPECT_EQ(columns, (std::vector<int>{0, -1}));
  EXPECT_EQ(LoadTextFile(File), L"plain;\"a;b\"\r\n\"say \"\"hi\"\"\";x\r\n;\"two\r\nlines\"\r\n");
  // An empty list writes no file.
  DeleteFileW(File.c_str());
  List->Items()->Clear();
  List->SaveToCSV(File, true, false);
  EXPECT_EQ(GetFileAttributesW(File.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(AdvFiles, CsvDelimiterDetectionAndAppending) {
  WriteFile(File, L"a;b;c\r\nd;e;f\r\n");
  List->LoadFromCSV(File);
  EXPECT_EQ(List->Delimiter(), L';');
  ASSERT_EQ(List->Items()->Count(), 2);
  EXPECT_EQ(List->GetTextAtColRow(2, 1), L"f");
  List->InsertFromCSV(File);  // appends with the delimiter found before
  EXPECT_EQ(List->Items()->Count(), 4);
  List->LoadFromCSV(File);  // without a header: appends as well
  EXPECT_EQ(List->Items()->Count(), 6);
  // Lines that disagree pick nothing: commas are read, the delimiter stays
  // unset.
  WriteFile(File, L"a,b\r\nc,d,e\r\n");
  TAdvListView* other = Other();
  other->LoadFromCSV(File);
  EXPECT_EQ(other->Delimiter(), 0);
  EXPECT_EQ(other->GetTextAtColRow(2, 1), L"e");
  EXPECT_EQ(SingleCount(L'"', L"\"a\"\"b\""), 2);
  EXPECT_EQ(SinglePos(L',', L",,x,"), 4);
}

TEST_F(AdvFiles, XmlEscapesItsValues) {
  Fill({{L"A", L"B", L"C"}, {L"<tag> & \"q\"", L"x"}, {L"y"}});
  String file = TempName(L"vantrel_list.xml");
  TStringList names;
  names.Add(L"name");
  std::vector<std::pair<int, int>> hooked;
  List->OnSaveValue = [&](TObject*, int i, int s, String&) { hooked.push_back({i, s}); };
  List->SaveToXML(file, L"list", L"row", &names, true, false);
  EXPECT_EQ(FileText(file),
            L"<?xml version=\"1.0\"?>\r\n<list>\r\n"
            L"<row>\r\n<name>\r\n&lt;tag&gt; &amp; &quot;q&quot;\r\n</name>\r\n<FIELD1>\r\nx\r\n</FIELD1>\r\n"
            L"<FIELD2>\r\n\r\n</FIELD2>\r\n</row>\r\n"
            L"<row>\r\n<name>\r\ny\r\n</name>\r\n<FIELD1>\r\n\r\n</FIELD1>\r\n<FIELD2>\r\n\r\n</FIELD2>\r\n</row>\r\n"
            L"</list>\r\n");
  // Missing sub-items are not passed through the hook.
  EXPECT_EQ(hooked, (std::vector<std::pair<int, int>>{{0, -1}, {0, 0}, {1, -1}}));
  DeleteFileW(file.c_str());
}

TEST_F(AdvFiles, HtmlTablesWithColoursFontsAndLinks) {
  Fill({{L"Who", L"Where"}, {L"a & b", L"https://example.com/x"}, {L"", L"mailto:ann@example.com"}});
  List->Columns()->Items(1)->SetAlignment(TAlignment::taRightJustify);
  List->SetURLShow(true);
  List->OnDrawItemProp = [](TObject*, int Item, int Sub, TOwnerDrawState, TBrush*, TFont* Font, const String&) {
    if (Item == 0 && Sub == -1) {
      Font->SetColor(clRed);
      Font->SetStyle({TFontStyle::fsBold, TFontStyle::fsItalic});
    }
  };
  String file = TempName(L"vantrel_list.html");
  List->SaveToHTML(file, false, false);
  TColor border = ColorToRGB(clActiveBorder);
  String back = L"#" + IntToHex(border & 0xFF, 2) + IntToHex((border >> 8) & 0xFF, 2) + IntToHex((border >> 16) & 0xFF, 2);
  EXPECT_EQ(FileText(file),
            L"<table border=\"1\" cellspacing=\"0\" width=\"100%\">\r\n<tr>\r\n"
            L"<td nowrap BGCOLOR=\"" + back + L"\"><B>Who</B></td>\r\n"
            L"<td nowrap align=\"right\" BGCOLOR=\"" + back + L"\"><B>Where</B></td>\r\n</tr>\r\n"
            L"<tr>\r\n<td nowrap><font color=\"#FF0000\"><B><I>a &amp; b</I></B></font></td>\r\n"
            L"<td nowrap align=\"right\"><A HREF=\"https://example.com/x\">example.com/x</A></td>\r\n</tr>\r\n"
            L"<tr>\r\n<td nowrap><br></td>\r\n"
            L"<td nowrap align=\"right\"><A HREF=\"mailto:ann@example.com\">ann@example.com</A></td>\r\n</tr>\r\n"
            L"</table><p>\r\n");
  // A header file that cannot be read stops the export before it writes.
  DeleteFileW(file.c_str());
  List->HTMLSettings()->SetHeaderFile(TempName(L"vantrel_no_such_header.html"));
  try {
    List->SaveToHTML(file, false, false);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Cannot open header file " + TempName(L"vantrel_no_such_header.html"));
  }
  EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(AdvFiles, FixedWidthTextAlignsItsColumns) {
  Fill({{L"a", L"n", L"c"}, {L"one", L"12", L"mid"}, {L"two\r\nlines", L"7", L"x"}});
  List->Columns()->Items(1)->SetAlignment(TAlignment::taRightJustify);
  List->Columns()->Items(2)->SetAlignment(TAlignment::taCenter);
  List->SetTextAtColRow(1, 0, L"12");
  List->SetTextAtColRow(1, 1, L"12345");
  List->SaveToAscii(File, true);
  // Widths: 5 (the longest line of "two\r\nlines"), 5, 3.
  EXPECT_EQ(LoadTextFile(File),
            L"one      12 mid \r\n"
            L"two   12345  x  \r\n"
            L"lines\r\n");
  EXPECT_EQ(Screen->Cursor(), crDefault);
  try {
    List->SaveToAscii(TempName(L"no_such_folder\\x.txt"), true);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Cannot create file " + TempName(L"no_such_folder\\x.txt"));
  }
  EXPECT_EQ(Screen->Cursor(), crDefault);
}

}  // namespace
