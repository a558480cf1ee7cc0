// Printing and preview of the advanced list view: bands of columns across
// pages, fitting, page texts and repeated captions, on pages recorded in
// bitmaps.
#include <richedit.h>

#include "base/Printers.h"
#include "tests/controls/listview/AdvListViewTest.h"
#include "tests/controls/listview/PrintRecorder.h"

namespace {

TDateTime FixedNow() { return EncodeDate(2016, 10, 7) + EncodeTime(9, 5, 0, 0); }

struct AdvPrint : AdvFixture {
  TPageRecorder* Pages = nullptr;
  std::vector<std::pair<int, int>> Bands;  // first and last column at each band start
  void SetUp() override {
    AdvFixture::SetUp();
    Pages = new TPageRecorder(265, 400);  // about 70 by 106 mm
    Printer()->SetDevice(std::unique_ptr<TPrinterDevice>(Pages));
    // Each band as its pages start.
    List->OnPrintPage = [this](TObject*, TCanvas*, int, int, int) {
      std::pair<int, int> band{List->PrintColStart(), List->PrintColEnd()};
      if (Bands.empty() || Bands.back() != band) Bands.push_back(band);
    };
  }
  void TearDown() override {
    Printer()->SetDevice(nullptr);
    SetNowSource(nullptr);
    AdvFixture::TearDown();
  }
  void Rows(int Columns, int Count) {
    for (int c = 0; c < Columns; ++c) List->Columns()->Add()->SetCaption(L"col" + std::to_wstring(c));
    for (int r = 0; r < Count; ++r) {
      TListItem* item = List->Items()->Add();
      item->SetCaption(L"r" + std::to_wstring(r));
      for (int c = 1; c < Columns; ++c) item->SubItems()->Add(L"v" + std::to_wstring(c));
    }
  }
  void FixedWidth(int W) {
    List->PrintSettings()->SetUseFixedWidth(true);
    List->PrintSettings()->SetFixedWidth(W);
  }
};

TEST_F(AdvPrint, ColumnsThatDoNotFitGoToBandsOnNewPages) {
  Rows(3, 2);
  FixedWidth(300);
  List->PrintSettings()->SetJobName(L"list job");
  List->PrintSettings()->SetOrientation(TPrinterOrientation::poLandscape);
  List->Print();
  EXPECT_EQ(Bands, (std::vector<std::pair<int, int>>{{0, 1}, {2, 2}}));
  EXPECT_EQ(Pages->Pages.size(), 2u);
  EXPECT_TRUE(Pages->Ended);
  EXPECT_EQ(Pages->Title, L"list job");
  EXPECT_EQ(Pages->Orientation, TPrinterOrientation::poLandscape);
  EXPECT_EQ(List->GetPrintColWidth(1), 300);
  EXPECT_EQ(List->GetPrintColOffset(2), 0);  // the last band starts at the left margin
  EXPECT_EQ(List->GetPrintColWidth(256), 0);
  EXPECT_EQ(List->GetPrintColWidth(-1), 0);
}

TEST_F(AdvPrint, AColumnWiderThanThePageGetsABandOfItsOwn) {
  Rows(3, 2);
  FixedWidth(1000);
  List->Print();
  EXPECT_EQ(Bands, (std::vector<std::pair<int, int>>{{0, 0}, {1, 1}, {2, 2}}));
  EXPECT_EQ(Pages->Pages.size(), 3u);
}

TEST_F(AdvPrint, ColumnsWithoutWidthHaveNothingToFit) {
  Rows(3, 2);
  FixedWidth(0);
  List->PrintSettings()->SetFitToPage(TFitToPage::fpAlways);
  List->Print();
  for (int c = 0; c < 3; ++c) EXPECT_EQ(List->GetPrintColWidth(c), 0);
  EXPECT_EQ(Pages->Pages.size(), 1u);
}

TEST_F(AdvPrint, FittingToThePage) {
  Rows(2, 2);
  auto* canvas = new TBitmap(265, 400);
  auto widths = [&] {
    List->Preview(canvas->Canvas(), TRect(0, 0, 265, 400));
    return std::make_pair(List->GetPrintColWidth(0), List->GetPrintColWidth(1));
  };
  auto natural = widths();
  EXPECT_GT(natural.first, 0);
  List->PrintSettings()->SetFitToPage(TFitToPage::fpShrink);
  EXPECT_EQ(widths(), natural);
  List->PrintSettings()->SetFitToPage(TFitToPage::fpAlways);
  auto grown = widths();
  EXPECT_GT(grown.first, natural.first);
  EXPECT_NEAR(grown.first + grown.second + 2 * 20, List->PrintPageWidth(), 3);
  List->PrintSettings()->SetFitToPage(TFitToPage::fpCustom);
  List->OnFitToPage = [](TObject*, double&, bool& Allow) { Allow = false; };
  EXPECT_EQ(widths(), natural);
  List->OnPrintSetColumnWidth = [](TObject*, int Col, int& W) {
    if (Col == 1) W = 123;
  };
  EXPECT_EQ(widths().second, 123);
  canvas->Free();
}

TEST_F(AdvPrint, PageTextsJoinAtTheirPositions) {
  SetNowSource(&FixedNow);
  TPrintsettings* ps = List->PrintSettings();
  ps->SetTime(TPrintPosition::ppTopLeft);
  ps->SetDate(TPrintPosition::ppTopLeft);
  ps->SetDateFormat(L"yyyy-mm-dd");
  ps->SetPageNr(TPrintPosition::ppBottomCenter);
  ps->SetTitle(TPrintPosition::ppTopRight);
  ps->SetTitleText(L"In-box");
  EXPECT_EQ(List->PageText(TPrintPosition::ppTopLeft, 0), L"2016-10-07 09:05 ");
  EXPECT_EQ(List->PageText(TPrintPosition::ppBottomCenter, 0), L"  1 ");
  EXPECT_EQ(List->PageText(TPrintPosition::ppTopRight, 3), L" In-box");
  ps->SetPagePrefix(L"page");
  ps->SetPageSuffix(L"of n");
  EXPECT_EQ(List->PageText(TPrintPosition::ppBottomCenter, 1), L" page 2 of n");
  EXPECT_EQ(List->PageText(TPrintPosition::ppBottomLeft, 1), L"");
}

TEST_F(AdvPrint, RepeatedCaptionsOnContinuedPages) {
  Rows(2, 80);
  // Captions print in red, so that each page shows whether it has them.
  List->OnDrawItemProp = [](TObject*, int Row, int, TOwnerDrawState, TBrush*, TFont* Font, const String&) {
    Font->SetColor(Row == -1 ? clRed : clBlack);
  };
  auto pagesWithCaptions = [&] {
    int n = 0;
    for (auto& page : Pages->Pages) n += CountPixels(page.get(), TRect(0, 0, 265, 60), clRed, 60) > 0 ? 1 : 0;
    return n;
  };
  List->Print();
  size_t pages = Pages->Pages.size();
  ASSERT_GT(pages, 2u);
  EXPECT_EQ(pagesWithCaptions(), 1);
  List->PrintSettings()->SetRepeatHeaders(true);
  List->Print();
  EXPECT_EQ(static_cast<size_t>(pagesWithCaptions()), Pages->Pages.size());
}

TEST_F(AdvPrint, APreviewShowsTheFirstPageOnly) {
  Rows(2, 80);
  int lastRow = 0, pageStarts = 0;
  List->OnPrintNewPage = [&](TObject*, int Next, bool&) { lastRow = Max(lastRow, Next); };
  List->OnPrintPage = [&](TObject*, TCanvas*, int, int, int) { ++pageStarts; };
  auto* canvas = new TBitmap(265, 400);
  canvas->Canvas()->Brush()->SetColor(clWhite);
  canvas->Canvas()->FillRect(TRect(0, 0, 265, 400));
  List->Preview(canvas->Canvas(), TRect(0, 0, 265, 400));
  EXPECT_EQ(pageStarts, 1);
  EXPECT_GT(lastRow, 5);
  EXPECT_LT(lastRow, 80);
  EXPECT_TRUE(Pages->Pages.empty());  // nothing went to the printer
  // Text landed on the preview.
  EXPECT_GT(CountPixels(canvas, TRect(0, 0, 265, 400), clBlack, 120), 50);
  canvas->Free();
  // A handler can force a new page after any row: the captions and each of
  // five rows on a page of their own.
  List->Items()->Clear();
  for (int r = 0; r < 5; ++r) List->Items()->Add()->SetCaption(L"row");
  List->OnPrintNewPage = [](TObject*, int, bool& NewPage) { NewPage = true; };
  List->OnPrintPage = nullptr;
  List->Print();
  EXPECT_EQ(Pages->Pages.size(), 6u);
}

TEST_F(AdvPrint, TableLinesFollowTheBorderSetting) {
  Rows(2, 3);
  FixedWidth(300);
  // The band ends 600 tenths of a millimetre from the left edge.
  int right = static_cast<int>(600 * 96 / 254);
  struct Case {
    TPrintBorders Borders;
    bool Rows, Columns;
  } cases[] = {
      {TPrintBorders::pbNoborder, false, false}, {TPrintBorders::pbSingle, true, true},
      {TPrintBorders::pbDouble, true, true},     {TPrintBorders::pbVertical, false, true},
      {TPrintBorders::pbHorizontal, true, false},
  };
  for (const Case& c : cases) {
    List->PrintSettings()->SetBorders(c.Borders);
    auto* page = new TBitmap(265, 400);
    page->Canvas()->Brush()->SetColor(clWhite);
    page->Canvas()->FillRect(TRect(0, 0, 265, 400));
    List->Preview(page->Canvas(), TRect(0, 0, 265, 400));
    bool rowLine = false, columnLine = false;
    for (int y = 0; y < 400 && !rowLine; ++y)
      rowLine = CountPixels(page, TRect(3, y, right - 3, y + 1), clBlack, 100) == right - 6;
    for (int x = 0; x < 265 && !columnLine; ++x)
      columnLine = CountPixels(page, TRect(x, 2, x + 1, 30), clBlack, 100) == 28;
    EXPECT_EQ(rowLine, c.Rows) << static_cast<int>(c.Borders);
    EXPECT_EQ(columnLine, c.Columns) << static_cast<int>(c.Borders);
    page->Free();
  }
}

TEST_F(AdvPrint, CenteredBandsSitInTheMiddleOfThePage) {
  Rows(2, 1);
  FixedWidth(200);
  List->PrintSettings()->SetLeftSize(30);
  int pageWidth = 0;
  List->OnPrintPage = [&](TObject*, TCanvas*, int, int Width, int) { pageWidth = Width; };
  auto* page = new TBitmap(265, 400);
  List->Preview(page->Canvas(), TRect(0, 0, 265, 400));
  EXPECT_EQ(List->GetPrintColOffset(0), 30);
  EXPECT_EQ(List->GetPrintColOffset(1), 230);
  List->PrintSettings()->SetCentered(true);
  List->Preview(page->Canvas(), TRect(0, 0, 265, 400));
  ASSERT_GT(pageWidth, 400);
  EXPECT_EQ(List->GetPrintColOffset(0), (pageWidth - 400) / 2);
  EXPECT_EQ(List->GetPrintColOffset(1), (pageWidth - 400) / 2 + 200);
  page->Free();
}

TEST_F(AdvPrint, RichCellsPrintInTheRoomOfTheirText) {
  List->Columns()->Add()->SetCaption(L"c");
  List->Items()->Add()->SetCaption(L"Bold word");
  Form->Show();
  auto* page = new TBitmap(265, 400);
  List->Preview(page->Canvas(), TRect(0, 0, 265, 400));
  int plain = List->GetPrintColWidth(0);
  page->Free();
  List->Items()->Item(0)->SetCaption(L"{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 Bold {\\b word}\\par}");
  // The hidden editor is asked to render the cell on the printer's page.
  HWND re = List->RichEdit()->Handle();
  static std::vector<FORMATRANGE> ranges;
  static WNDPROC previous;
  ranges.clear();
  previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      re, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND W, UINT M, WPARAM WP, LPARAM LP) -> LRESULT {
        if (M == EM_FORMATRANGE && LP) ranges.push_back(*reinterpret_cast<FORMATRANGE*>(LP));
        return CallWindowProcW(previous, W, M, WP, LP);
      })));
  List->Print();
  SetWindowLongPtrW(re, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  // Measured by its text, the rich cell takes the room the plain text does.
  EXPECT_EQ(List->GetPrintColWidth(0), plain);
  ASSERT_EQ(ranges.size(), 1u);
  ASSERT_EQ(Pages->Pages.size(), 1u);
  EXPECT_EQ(ranges[0].hdc, Pages->Pages[0]->Canvas()->Handle());
  // Its page is the cell: the column's width and gap, in twips.
  EXPECT_NEAR(ranges[0].rc.right - ranges[0].rc.left, (plain + 20) * 1440.0 / 254, 30);
}

TEST(AdvPrintDevice, WithoutAPrinterPrintingStopsAtTheStart) {
  if (!Printer()->Printers().empty()) GTEST_SKIP() << "a printer is installed here";
  TForm* form = new TForm(nullptr);
  auto* list = new TAdvListView(form);
  list->SetParent(form);
  list->Columns()->Add();
  list->Items()->Add()->SetCaption(L"x");
  EXPECT_THROW(list->Print(), EPrinter);
  EXPECT_FALSE(Printer()->Printing());
  form->Free();
}

}  // namespace
