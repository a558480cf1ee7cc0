// The advanced list view's own drawing of owner-drawn rows, painted into
// bitmaps and probed.
#include <richedit.h>

#include <cmath>

#include "base/ImgList.h"
#include "tests/controls/listview/AdvListViewTest.h"

namespace {

struct AdvDraw : AdvFixture {
  void SetUp() override {
    AdvFixture::SetUp();
    List->SetOwnerDraw(true);
    List->SetItemHeight(20);
    List->SetHideSelection(false);
  }
  // A painting of the list; the caller frees it.
  TBitmap* Paint() { return PaintToBitmap(List); }
  TRect Row(int i) { return List->Items()->Item(i)->DisplayRect(TDisplayCode::drBounds); }
  // Left edge of a column as shown.
  int ColumnLeft(int Column) {
    int x = Row(0).left;
    for (int k : List->ColumnOrder()) {
      if (k == Column) break;
      x += List->Columns()->Items(k)->Width();
    }
    return x;
  }
};

TBitmap* Solid(TColor Color, int W = 16, int H = 16) {
  auto* b = new TBitmap(W, H, TPixelFormat::pf24bit);
  b->Canvas()->Brush()->SetColor(Color);
  b->Canvas()->FillRect(TRect(0, 0, W, H));
  return b;
}

TEST_F(AdvDraw, RowsTakeTheItemHeight) {
  AddColumns({80});
  AddRow(L"a");
  AddRow(L"b");
  Form->Show();
  EXPECT_EQ(Row(0).Height(), 20);
  List->SetItemHeight(0);  // ignored
  List->SetItemHeight(26);
  EXPECT_EQ(Row(1).Height(), 26);
  EXPECT_EQ(List->ItemHeight(), 26);
}

TEST_F(AdvDraw, SelectionColoursFollowTheSelectionMode) {
  AddColumns({80, 80, 80});
  AddRow(L"", {L"", L""});
  AddRow(L"", {L"", L""});
  List->SetSelectionColor(clRed);
  Form->Show();
  List->SetItemIndex(0);
  struct Case {
    bool RowSelect, SubItemSelect, HideSelection;
    int ColumnIndex;
    bool Red[3];
  } cases[] = {
      {false, false, false, 0, {true, false, false}},
      {false, true, false, 2, {false, false, true}},
      {true, false, false, 0, {true, true, true}},
      {true, false, true, 0, {false, false, false}},  // hidden while the list has no focus
  };
  SetFocus(nullptr);
  for (const Case& c : cases) {
    List->SetRowSelect(c.RowSelect);
    List->SetSubItemSelect(c.SubItemSelect);
    List->SetHideSelection(c.HideSelection);
    List->SetColumnIndex(c.ColumnIndex);
    TBitmap* bmp = Paint();
    for (int col = 0; col < 3; ++col) {
      int x = ColumnLeft(col) + 70, y = (Row(0).top + Row(0).bottom) / 2;
      EXPECT_EQ(PixelAt(bmp, x, y) == clRed, c.Red[col]) << "row select " << c.RowSelect << " column " << col;
      EXPECT_EQ(PixelAt(bmp, x, (Row(1).top + Row(1).bottom) / 2), clWhite);
    }
    bmp->Free();
  }
}

TEST_F(AdvDraw, ProgressCellsFillTheirShareOfTheBar) {
  AddColumns({60, 104});
  AddRow(L"p", {L"{|50"});
  AddRow(L"q", {L"x{|50"});  // not a progress cell
  TProgressSettings* ps = List->ProgressSettings();
  ps->SetColorFrom(clRed);
  ps->SetColorTo(clBlue);
  ps->SetShowValue(false);
  Form->Show();
  TBitmap* bmp = Paint();
  int left = ColumnLeft(1), y = (Row(0).top + Row(0).bottom) / 2;
  // The grey frame one pixel inside the cell, the bar inside it: half red,
  // half blue.
  int frame = -1;
  for (int x = left - 4; x < left + 8 && frame < 0; ++x)
    if (PixelAt(bmp, x, y) == clGray) frame = x;
  ASSERT_GE(frame, 0);
  EXPECT_EQ(CountPixels(bmp, TRect(frame + 1, y, frame + 101, y + 1), clRed), 50);
  EXPECT_EQ(CountPixels(bmp, TRect(frame + 1, y, frame + 101, y + 1), clBlue), 50);
  EXPECT_EQ(PixelAt(bmp, frame + 101, y), clGray);
  EXPECT_EQ(PixelAt(bmp, frame + 1, y), clRed);
  EXPECT_EQ(PixelAt(bmp, frame + 51, y), clBlue);
  int y1 = (Row(1).top + Row(1).bottom) / 2;
  EXPECT_EQ(CountPixels(bmp, TRect(left, y1 - 5, left + 104, y1 + 5), clRed), 0);
  bmp->Free();
  // The value text sits over the middle of the bar.
  ps->SetShowValue(true);
  ps->SetFontColorFrom(clYellow);
  ps->SetFontColorTo(clLime);
  bmp = Paint();
  TRect middle(left + 30, Row(0).top, left + 74, Row(0).bottom);
  EXPECT_GT(CountPixels(bmp, middle, clYellow, 60), 0);
  EXPECT_GT(CountPixels(bmp, middle, clLime, 60), 0);
  bmp->Free();
}

TEST_F(AdvDraw, LinksShowUnderlinedWithoutTheirScheme) {
  AddColumns({240});
  AddRow(L"mailto:ann@example.com");
  AddRow(L"plain text");
  List->SetURLShow(true);
  List->SetURLColor(clLime);
  Form->Show();
  TBitmap* bmp = Paint();
  TRect r0 = Row(0);
  int first = -1, last = -1;
  for (int x = r0.left; x < r0.left + 240; ++x)
    if (CountPixels(bmp, TRect(x, r0.top, x + 1, r0.bottom), clLime, 80) > 0) {
      if (first < 0) first = x;
      last = x;
    }
  ASSERT_GE(first, 0);
  int shown = List->Canvas()->TextWidth(L"ann@example.com");
  EXPECT_NEAR(last - first, shown, 4);
  EXPECT_EQ(CountPixels(bmp, Row(1), clLime, 80), 0);
  bmp->Free();
  // A selected row in row-select mode keeps the selection colours.
  List->SetRowSelect(true);
  List->SetItemIndex(0);
  bmp = Paint();
  EXPECT_EQ(CountPixels(bmp, Row(0), clLime, 80), 0);
  bmp->Free();
}

TEST_F(AdvDraw, ImagesOfRowsAndSubItems) {
  AddColumns({80, 80});
  auto* images = new TImageList(Form);
  TBitmap* red = Solid(clRed);
  images->Add(red, nullptr);
  red->Free();
  List->SetSmallImages(images);
  AddRow(L"", {L""})->SetImageIndex(0);
  AddRow(L"", {L""})->SetImageIndex(65535);
  AddRow(L"", {L""});
  List->SetSubImages(true);
  List->Items()->Item(2)->SetSubItemImages(0, 0);
  Form->Show();
  TBitmap* bmp = Paint();
  auto redIn = [&](int row, int col) {
    TRect r = Row(row);
    return CountPixels(bmp, TRect(ColumnLeft(col), r.top, ColumnLeft(col) + 80, r.bottom), clRed);
  };
  EXPECT_GT(redIn(0, 0), 100);
  EXPECT_EQ(redIn(1, 0), 0);
  EXPECT_EQ(redIn(2, 0), 0);
  EXPECT_GT(redIn(2, 1), 100);
  EXPECT_EQ(redIn(0, 1), 0);
  bmp->Free();
}

TEST_F(AdvDraw, AWallpaperShowsThroughUnselectedCells) {
  AddColumns({100});
  AddRow(L"");
  AddRow(L"");
  Form->Show();
  TBitmap* bmp = Paint();
  EXPECT_EQ(PixelAt(bmp, 50, (Row(0).top + Row(0).bottom) / 2), clWhite);
  bmp->Free();
  TBitmap* paper = Solid(clLime, 8, 8);
  List->SetWallpaper(paper);
  paper->Free();
  List->SetSelectionColor(clRed);
  List->SetItemIndex(1);
  bmp = Paint();
  EXPECT_EQ(PixelAt(bmp, 50, (Row(0).top + Row(0).bottom) / 2), clLime);
  EXPECT_EQ(PixelAt(bmp, 90, (Row(1).top + Row(1).bottom) / 2), clRed);
  bmp->Free();
  // Taken away, the list is its colour again.
  auto* none = new TBitmap;
  List->SetWallpaper(none);
  none->Free();
  bmp = Paint();
  EXPECT_EQ(PixelAt(bmp, 50, (Row(0).top + Row(0).bottom) / 2), clWhite);
  EXPECT_EQ(PixelAt(bmp, 50, List->ClientHeight() - 5), clWhite);
  bmp->Free();
}

TEST_F(AdvDraw, CheckBoxesAreTheSystemsUnlessBothGlyphsAreSet) {
  AddColumns({100});
  List->SetCheckboxes(true);
  AddRow(L"");
  AddRow(L"");
  Form->Show();
  List->Items()->Item(0)->SetChecked(true);
  TBitmap* t = Solid(clRed, 12, 12);
  t->Canvas()->SetPixels(0, 11, clWhite);
  TBitmap* f = Solid(clBlue, 12, 12);
  f->Canvas()->SetPixels(0, 11, clWhite);
  List->SetCheckTrueGlyph(t);
  TBitmap* bmp = Paint();
  TRect box0(2, Row(0).top, 18, Row(0).bottom);
  EXPECT_EQ(CountPixels(bmp, box0, clRed), 0);
  EXPECT_GT(CountPixels(bmp, box0, clBlack, 100) + CountPixels(bmp, box0, clGray, 60), 8);  // the system box
  bmp->Free();
  List->SetCheckFalseGlyph(f);
  bmp = Paint();
  EXPECT_GT(CountPixels(bmp, box0, clRed), 50);
  EXPECT_GT(CountPixels(bmp, TRect(2, Row(1).top, 18, Row(1).bottom), clBlue), 50);
  bmp->Free();
  t->Free();
  f->Free();
}

TEST_F(AdvDraw, CellAndDetailPropertiesComeFromTheHandlers) {
  AddColumns({80, 80});
  AddRow(L"", {L"detail text"});
  List->SetItemHeight(40);
  List->DetailView()->SetVisible(true);
  List->DetailView()->SetColumn(2);
  List->DetailView()->SetHeight(16);
  std::vector<int> drawn;
  List->OnDrawItemProp = [](TObject*, int, int Sub, TOwnerDrawState, TBrush* Brush, TFont*, const String&) {
    if (Sub == 0) Brush->SetColor(clAqua);
  };
  List->OnDrawDetailProp = [](TObject*, int, TOwnerDrawState, TBrush* Brush, TFont*, const String& Text) {
    Brush->SetColor(Text.empty() ? clYellow : clFuchsia);
  };
  List->OnDrawItem = [&](TObject*, TCanvas*, int Index, const TRect&, TOwnerDrawState) { drawn.push_back(Index); };
  Form->Show();
  TBitmap* bmp = Paint();
  TRect r = Row(0);
  // The cell of sub-item 0 (column 1) in the handler's colour, above the
  // detail line; the detail line (sub-item 1 is missing: empty) in its own.
  EXPECT_EQ(PixelAt(bmp, ColumnLeft(1) + 70, r.top + 5), clAqua);
  EXPECT_EQ(PixelAt(bmp, ColumnLeft(0) + 70, r.top + 5), clWhite);
  EXPECT_EQ(PixelAt(bmp, ColumnLeft(0) + 70, r.bottom - 4), clYellow);
  EXPECT_EQ(PixelAt(bmp, ColumnLeft(1) + 70, r.bottom - 4), clYellow);
  EXPECT_FALSE(drawn.empty());
  bmp->Free();
  List->DetailView()->SetColumn(1);
  bmp = Paint();
  EXPECT_EQ(PixelAt(bmp, ColumnLeft(0) + 70, r.bottom - 4), clFuchsia);
  bmp->Free();
}

TEST_F(AdvDraw, HtmlCellsDrawThroughTheEngineInTheirAlignment) {
  AddColumns({60, 160});
  List->Columns()->Items(1)->SetAlignment(TAlignment::taRightJustify);
  AddRow(L"", {L"<FONT BGCOLOR=\"#FF0000\">MM</FONT>"});
  Form->Show();
  TBitmap* bmp = Paint();
  TRect r = Row(0);
  int left = ColumnLeft(1);
  EXPECT_GT(CountPixels(bmp, TRect(left + 100, r.top, left + 160, r.bottom), clRed), 20);
  EXPECT_EQ(CountPixels(bmp, TRect(left, r.top, left + 80, r.bottom), clRed), 0);
  bmp->Free();
}

// First and last row of a rectangle with dark (text) pixels; -1 when none.
std::pair<int, int> InkRows(TBitmap* Bmp, const TRect& R) {
  int first = -1, last = -1;
  for (int y = R.top; y < R.bottom; ++y)
    if (CountPixels(Bmp, TRect(R.left, y, R.right, y + 1), clBlack, 120) > 0) {
      if (first < 0) first = y;
      last = y;
    }
  return {first, last};
}

// First column of a rectangle with dark pixels; -1 when none.
int InkLeft(TBitmap* Bmp, const TRect& R) {
  for (int x = R.left; x < R.right; ++x)
    if (CountPixels(Bmp, TRect(x, R.top, x + 1, R.bottom), clBlack, 120) > 0) return x;
  return -1;
}

TEST_F(AdvDraw, VerticalAlignmentAndIndentPlaceTheText) {
  AddColumns({200});
  List->SetItemHeight(40);
  AddRow(L"MMMM");
  AddRow(L"MMMM");
  Form->Show();
  List->SetItemIndents(1, 0, 2);
  EXPECT_EQ(List->ItemIndents(1, 0), 2);
  struct Case {
    TVAlignment A;
    const char* Name;
  } cases[] = {{TVAlignment::vtaTop, "top"}, {TVAlignment::vtaCenter, "center"}, {TVAlignment::vtaBottom, "bottom"}};
  for (const Case& c : cases) {
    List->SetVAlignment(c.A);
    TBitmap* bmp = Paint();
    TRect r = Row(0);
    auto [top, bottom] = InkRows(bmp, r);
    ASSERT_GE(top, 0) << c.Name;
    int above = top - r.top, below = r.bottom - 1 - bottom;
    if (c.A == TVAlignment::vtaTop) EXPECT_LT(above, below - 10) << c.Name;
    if (c.A == TVAlignment::vtaBottom) EXPECT_LT(below, above - 10) << c.Name;
    if (c.A == TVAlignment::vtaCenter) EXPECT_NEAR(above, below, 4) << c.Name;
    // The caption moves right by 16 pixels per indent step.
    EXPECT_EQ(InkLeft(bmp, Row(1)) - InkLeft(bmp, Row(0)), 32) << c.Name;
    bmp->Free();
  }
}

TEST_F(AdvDraw, TheDetailLineSplitsAndIndents) {
  AddColumns({100, 100});
  List->SetItemHeight(40);
  AddRow(L"", {L"MM"});
  List->DetailView()->SetVisible(true);
  List->DetailView()->SetColumn(1);
  List->DetailView()->SetHeight(16);
  List->DetailView()->Font()->SetColor(clBlack);
  Form->Show();
  TRect r = Row(0);
  int line = r.top + 40 - 16;
  TBitmap* bmp = Paint();
  EXPECT_LT(CountPixels(bmp, TRect(r.left + 2, line, r.left + 198, line + 1), clBlack, 40), 100);
  int plainLeft = InkLeft(bmp, TRect(r.left, line, r.left + 200, r.bottom));
  bmp->Free();
  List->DetailView()->SetSplitLine(true);
  List->DetailView()->SetIndent(50);
  bmp = Paint();
  // A black line along the top of the detail line, over both columns.
  EXPECT_EQ(CountPixels(bmp, TRect(r.left + 2, line, r.left + 198, line + 1), clBlack, 40), 196);
  // The text starts Indent pixels further right.
  EXPECT_EQ(InkLeft(bmp, TRect(r.left, line + 2, r.left + 200, r.bottom)), plainLeft + 50);
  bmp->Free();
}

TEST_F(AdvDraw, ListsOfMoreThan256ColumnsDrawEveryColumn) {
  // A file or the clipboard may bring any number of columns.
  List->BeginUpdate();
  for (int c = 0; c < 260; ++c) List->Columns()->Add()->SetWidth(1);
  List->EndUpdate();
  List->SetItemHeight(40);
  AddRow(L"");
  List->DetailView()->SetVisible(true);
  List->DetailView()->SetSplitLine(true);
  Form->Show();
  TRect r = Row(0);
  int line = r.top + 40 - 16;
  TBitmap* bmp = Paint();
  // The split line runs under all 260 columns.
  EXPECT_EQ(CountPixels(bmp, TRect(0, line, 400, line + 1), clBlack, 40), 260);
  bmp->Free();
}

// The hidden editor's messages while rich cells are drawn: the pages it is
// asked to render and the release of its formatting.
struct TRichEditSpy {
  static inline WNDPROC Previous = nullptr;
  static inline std::vector<FORMATRANGE> Ranges;
  static inline std::vector<std::wstring> Texts;
  static inline int Releases = 0;
  static LRESULT CALLBACK Proc(HWND Wnd, UINT Msg, WPARAM W, LPARAM L) {
    if (Msg == EM_FORMATRANGE && L) {
      Ranges.push_back(*reinterpret_cast<FORMATRANGE*>(L));
      wchar_t buf[64] = {0};
      GetWindowTextW(Wnd, buf, 64);
      Texts.push_back(buf);
    } else if (Msg == EM_FORMATRANGE) {
      ++Releases;
    }
    return CallWindowProcW(Previous, Wnd, Msg, W, L);
  }
  static void Attach(HWND Wnd) {
    Ranges.clear();
    Texts.clear();
    Releases = 0;
    Previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
  }
  static void Detach(HWND Wnd) { SetWindowLongPtrW(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Previous)); }
};

TEST_F(AdvDraw, RichCellsAreRenderedIntoTheirCellInTheirColours) {
  AddColumns({60, 160});
  AddRow(L"x", {L"{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}{\\colortbl;\\red0\\green0\\blue255;}\\f0\\cf1 MMMM\\par}"});
  AddRow(L"y", {L"plain"});
  List->SetSelectionColor(clRed);
  List->SetSelectionTextColor(clYellow);
  Form->Show();
  TAdvRichEdit* re = List->RichEdit();
  HWND reWnd = re->Handle();
  // The row as the platform hands it to the list for drawing.
  TRect drawn;
  List->OnDrawItem = [&](TObject*, TCanvas*, int Index, const TRect& R, TOwnerDrawState) {
    if (Index == 0) drawn = R;
  };
  TRichEditSpy::Attach(reWnd);
  TBitmap* bmp = Paint();
  bmp->Free();
  TRichEditSpy::Detach(reWnd);
  List->OnDrawItem = nullptr;
  // One page for the one rich cell, of its own document, then released.
  ASSERT_EQ(TRichEditSpy::Ranges.size(), 1u);
  EXPECT_EQ(TRichEditSpy::Releases, 1);
  EXPECT_NE(TRichEditSpy::Texts[0].find(L"MMMM"), std::wstring::npos);
  const FORMATRANGE& fr = TRichEditSpy::Ranges[0];
  EXPECT_EQ(fr.hdc, fr.hdcTarget);
  EXPECT_EQ(fr.chrg.cpMin, 0);
  EXPECT_EQ(fr.chrg.cpMax, -1);
  // The cell in twips, two pixels in from its corner.
  HDC screen = GetDC(nullptr);
  double dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  TRect r = drawn;
  double off = 2 * dpiX / 96;
  LONG left = static_cast<LONG>(std::nearbyint((r.left + 60 + off) / dpiX * 1440));
  LONG top = static_cast<LONG>(std::nearbyint((r.top + off) / dpiY * 1440));
  EXPECT_EQ(fr.rc.left, left);
  EXPECT_EQ(fr.rc.top, top);
  EXPECT_EQ(fr.rc.right, left + static_cast<LONG>(std::nearbyint(160 / dpiX * 1440)));
  EXPECT_EQ(fr.rc.bottom, top + static_cast<LONG>(std::nearbyint(r.Height() / dpiY * 1440)));
  EXPECT_EQ(fr.rcPage.left, fr.rc.left);
  EXPECT_EQ(fr.rcPage.bottom, fr.rc.bottom);
  // Selected, the document takes the selection colours, unless it keeps
  // its own.
  auto background = [&] {
    COLORREF previous = static_cast<COLORREF>(SendMessageW(reWnd, EM_SETBKGNDCOLOR, 0, 0));
    SendMessageW(reWnd, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(previous));
    return previous;
  };
  auto firstLetter = [&] {
    re->SetSelStart(0);
    re->SetSelLength(1);
    return re->SelAttributes()->Color();
  };
  List->SetItemIndex(0);
  bmp = Paint();
  bmp->Free();
  EXPECT_EQ(background(), static_cast<COLORREF>(ColorToRGB(clRed)));
  EXPECT_EQ(ColorToRGB(firstLetter()), ColorToRGB(clYellow));
  List->SetSelectionRTFKeep(true);
  bmp = Paint();
  bmp->Free();
  EXPECT_EQ(background(), static_cast<COLORREF>(ColorToRGB(clWhite)));
  EXPECT_EQ(ColorToRGB(firstLetter()), ColorToRGB(clBlue));
}

TEST_F(AdvDraw, RichTextCellsRenderTheirDocument) {
  AddColumns({60, 160});
  AddRow(L"x", {L"{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}{\\colortbl;\\red255\\green0\\blue0;}\\f0\\fs28\\cf1 MMMM\\par}"});
  Form->Show();
  // The platform renders pages of a rich edit through EM_FORMATRANGE.
  TAdvRichEdit* re = List->RichEdit();
  re->SetText(L"probe");
  auto* probe = new TBitmap(100, 40);
  FORMATRANGE fr{};
  fr.hdc = fr.hdcTarget = probe->Canvas()->Handle();
  fr.rc = fr.rcPage = RECT{0, 0, 1440, 600};
  fr.chrg.cpMax = -1;
  LRESULT done = SendMessageW(re->Handle(), EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&fr));
  SendMessageW(re->Handle(), EM_FORMATRANGE, FALSE, 0);
  probe->Free();
  TBitmap* bmp = Paint();
  TRect r = Row(0);
  // The text around the rich cell is drawn either way.
  EXPECT_GT(CountPixels(bmp, TRect(0, r.top, 60, r.bottom), clBlack, 120), 0);
  int red = CountPixels(bmp, TRect(ColumnLeft(1), r.top, ColumnLeft(1) + 160, r.bottom), clRed, 80);
  bmp->Free();
  if (done == 0) GTEST_SKIP() << "this platform's rich edit renders no pages (EM_FORMATRANGE does nothing)";
  EXPECT_GT(red, 10);
}

}  // namespace
