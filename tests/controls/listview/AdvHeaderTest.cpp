// Header and column layout of the advanced list view: the end-of-loading
// width rule, stretching, stored widths, display order, the owner-drawn
// header with its sort glyphs, column tracking and the filter bar.
#include <functional>

#include "base/ImgList.h"
#include "base/IniFiles.h"
#include "base/Registry.h"
#include "tests/controls/listview/AdvListViewTest.h"
#include "tests/controls/listview/ShownColumn.h"
#include "tests/support/MessageCounter.h"

namespace {

using AdvHeader = AdvFixture;

TBitmap* Swatch(TColor Color) {
  // The bottom-left pixel is the transparent colour of a glyph.
  auto* b = new TBitmap(8, 8, TPixelFormat::pf24bit);
  b->Canvas()->Brush()->SetColor(Color);
  b->Canvas()->FillRect(TRect(0, 0, 8, 8));
  b->Canvas()->SetPixels(0, 7, clWhite);
  return b;
}

// Pixels of Color in the header's part of a painting of the list.
int HeaderPixels(TAdvListView* List, TColor Color, int Left, int Right) {
  RECT hr;
  GetClientRect(List->HeaderHandle(), &hr);
  TBitmap* bmp = PaintToBitmap(List);
  int n = CountPixels(bmp, TRect(Left, 0, Right, hr.bottom), Color, 40);
  bmp->Free();
  return n;
}

TEST(AdvLoading, AutoSizeColumnsTakeTheRestAndHiddenOnesStayHidden) {
  TForm* form = new TForm(nullptr);
  form->BeginLoading();
  auto* list = new TAdvListView(form);
  list->SetParent(form);
  list->SetBounds(0, 0, 351, 200);
  list->SetViewStyle(TViewStyle::vsReport);
  int widths[] = {25, 120, 0};
  for (int w : widths) list->Columns()->Add()->SetWidth(w);
  TListColumn* name = list->Columns()->Add();
  name->SetCaption(L"Name");
  name->SetAutoSize(true);
  form->EndLoading();
  EXPECT_EQ(name->Width(), 351 - 145 - 2 * GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(list->Columns()->Items(2)->Width(), 0);
  form->Show();
  EXPECT_EQ(SendMessageW(list->Handle(), LVM_GETCOLUMNWIDTH, 2, 0), 0);
  EXPECT_EQ(SendMessageW(list->Handle(), LVM_GETCOLUMNWIDTH, 3, 0), name->Width());
  form->Free();
}

TEST_F(AdvHeader, StretchingGivesTheLastColumnTheRest) {
  AddColumns({100});
  Form->Show();
  List->ColumnSize()->SetStretch(true);
  EXPECT_EQ(List->Columns()->Items(0)->Width(), List->ClientWidth());
  AddColumns({60});
  List->Columns()->Items(0)->SetWidth(100);
  List->StretchRightColumn();
  EXPECT_EQ(List->Columns()->Items(1)->Width(), List->ClientWidth() - 100 - 1);
  // No room left: the last column keeps its width.
  List->Columns()->Items(0)->SetWidth(List->ClientWidth() + 20);
  List->Columns()->Items(1)->SetWidth(33);
  List->StretchRightColumn();
  EXPECT_EQ(List->Columns()->Items(1)->Width(), 33);
}

TEST_F(AdvHeader, ColumnWidthsAreKeptInAnIniFileOrTheRegistry) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  String ini = String(dir) + L"vantrel_columns.ini";
  DeleteFileW(ini.c_str());
  const String regKey = L"Software\\VantrelTests\\ListView";
  struct Store {
    TSizeStorage Storage;
    String Key;
  } stores[] = {{TSizeStorage::stInifile, ini}, {TSizeStorage::stRegistry, regKey}};
  for (const Store& st : stores) {
    SCOPED_TRACE(WideToAnsi(st.Key));
    TForm* form = new TForm(nullptr);
    auto* list = new TAdvListView(form);
    list->SetParent(form);
    for (int w : {70, 80, 90}) list->Columns()->Add()->SetWidth(w);
    TColumnSize* cs = list->ColumnSize();
    cs->SetStorage(st.Storage);
    cs->SetKey(st.Key);
    cs->SetSection(L"inbox");
    // Without Save nothing is written or read.
    list->SaveColumnSizes();
    cs->SetSave(true);
    list->Columns()->Items(1)->SetWidth(81);
    form->Free();  // the widths are saved as the list goes
    form = new TForm(nullptr);
    list = new TAdvListView(form);
    list->SetParent(form);
    for (int i = 0; i < 4; ++i) list->Columns()->Add()->SetWidth(11);
    cs = list->ColumnSize();
    cs->SetStorage(st.Storage);
    cs->SetKey(st.Key);
    cs->SetSection(L"inbox");
    list->LoadColumnSizes();
    EXPECT_EQ(list->Columns()->Items(0)->Width(), 11);  // Save still off
    cs->SetSave(true);
    list->LoadColumnSizes();
    EXPECT_EQ(list->Columns()->Items(0)->Width(), 70);
    EXPECT_EQ(list->Columns()->Items(1)->Width(), 81);
    EXPECT_EQ(list->Columns()->Items(2)->Width(), 90);
    EXPECT_EQ(list->Columns()->Items(3)->Width(), 11);  // no stored value
    cs->SetSection(L"");
    list->Columns()->Items(0)->SetWidth(5);
    list->LoadColumnSizes();
    EXPECT_EQ(list->Columns()->Items(0)->Width(), 5);
    cs->SetSave(false);
    form->Free();
  }
  TIniFile file(ini);
  EXPECT_EQ(file.ReadInteger(L"inbox", L"col1", -1), 81);
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(L"\\" + regKey + L"\\inbox"));
  EXPECT_EQ(reg.ReadInteger(L"col2"), 90);
  reg.CloseKey();
  reg.DeleteKey(L"\\Software\\VantrelTests");
  DeleteFileW(ini.c_str());
}

TEST_F(AdvHeader, AutoSizingTakesTheWidestCellPlusTen) {
  AddColumns({20, 20});
  AddRow(L"a", {L"<b>MMMMMMMMMM</b>"});
  AddRow(L"MMMM", {L"x"});
  Form->Show();
  TCanvas* c = List->Canvas();
  c->Font()->Assign(List->Font());
  int caption = c->TextWidth(L"MMMM");
  List->AutoSizeColumn(0);
  EXPECT_EQ(List->Columns()->Items(0)->Width(), caption + 10);
  // Markup is measured as drawn: bold text is wider than plain.
  List->AutoSizeColumn(1);
  EXPECT_GT(List->Columns()->Items(1)->Width(), c->TextWidth(L"MMMMMMMMMM") + 10);
  // Check boxes and images take their room in the first column.
  List->SetCheckboxes(true);
  auto* images = new TImageList(Form);
  images->SetSize(12, 12);
  List->SetSmallImages(images);
  List->Items()->Item(1)->SetImageIndex(0);
  List->AutoSizeColumns();
  EXPECT_EQ(List->Columns()->Items(0)->Width(), caption + 12 + 16 + 10);
  // Without rows nothing changes.
  List->Items()->Clear();
  List->AutoSizeColumn(0);
  EXPECT_EQ(List->Columns()->Items(0)->Width(), caption + 12 + 16 + 10);
  EXPECT_GE(List->ComCtrlVersion() >> 16, 5);
}

TEST_F(AdvHeader, DisplayOrderOperations) {
  AddColumns({40, 50, 60, 70});
  Form->Show();
  EXPECT_EQ(List->IndexOfColumn(0), 0);
  EXPECT_EQ(List->IndexOfColumn(4), -1);
  EXPECT_EQ(List->IndexOfColumn(-1), -1);
  List->SwapColumns(0, 3);
  EXPECT_EQ(List->ColumnOrder(), (std::vector<int>{3, 1, 2, 0}));
  List->MoveColumn(3, 1);
  EXPECT_EQ(List->ColumnOrder(), (std::vector<int>{3, 0, 1, 2}));
  List->MoveColumn(0, 4);  // out of range: nothing
  List->SwapColumns(2, 2);
  EXPECT_EQ(List->ColumnOrder(), (std::vector<int>{3, 0, 1, 2}));
  EXPECT_EQ(List->IndexOfColumn(1), 0);
}

TEST_F(AdvHeader, AnOwnerDrawnHeaderTakesItsHeightFromItsFont) {
  AddColumns({80, 80});
  List->SetShowColumnHeaders(true);
  Form->Show();
  List->SetHeaderOwnerDraw(true);
  List->SetHeaderHeight(20);
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(List->HeaderHandle(), WM_GETFONT, 0, 0));
  LOGFONTW lf{};
  ASSERT_TRUE(GetObjectW(font, sizeof(lf), &lf));
  EXPECT_EQ(lf.lfHeight, 20);
  HDITEMW hi{};
  hi.mask = HDI_FORMAT;
  SendMessageW(List->HeaderHandle(), HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&hi));
  EXPECT_EQ(hi.fmt, HDF_OWNERDRAW);
  List->SetHeaderOwnerDraw(false);
  SendMessageW(List->HeaderHandle(), HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&hi));
  EXPECT_TRUE(hi.fmt & HDF_STRING);
  EXPECT_FALSE(hi.fmt & HDF_OWNERDRAW);
}

TEST_F(AdvHeader, OwnerDrawnItemsShowTheirOwnColumnWhereverItIs) {
  AddColumns({90, 90});
  List->Columns()->Items(0)->SetCaption(L"<FONT BGCOLOR=\"#FF0000\">MMMMMM</FONT>");
  List->Columns()->Items(1)->SetCaption(L"<FONT BGCOLOR=\"#0000FF\">MMMMMM</FONT>");
  List->SetShowColumnHeaders(true);
  List->SetHeaderColor(clWhite);
  Form->Show();
  List->SetHeaderOwnerDraw(true);
  EXPECT_GT(HeaderPixels(List, clRed, 0, 90), 10);
  EXPECT_EQ(HeaderPixels(List, clBlue, 0, 90), 0);
  List->SetColumnOrder({1, 0});
  EXPECT_GT(HeaderPixels(List, clBlue, 0, 90), 10);
  EXPECT_EQ(HeaderPixels(List, clRed, 0, 90), 0);
  EXPECT_GT(HeaderPixels(List, clRed, 90, 180), 10);
}

TEST_F(AdvHeader, TheSortGlyphsOfAnOwnerDrawnHeader) {
  AddColumns({120, 120});
  AddRow(L"b");
  AddRow(L"a");
  List->SetShowColumnHeaders(true);
  List->SetHeaderColor(clWhite);
  Form->Show();
  List->SetHeaderOwnerDraw(true);
  List->SetSortShow(true);
  TBitmap* up = Swatch(clLime);
  TBitmap* down = Swatch(clRed);
  List->SetSortUpGlyph(up);
  List->SetSortDownGlyph(down);
  List->SetSortColumn(0);
  EXPECT_EQ(List->GetTextAtColRow(0, 0), L"a");
  EXPECT_GT(HeaderPixels(List, clRed, 0, 120), 20);  // ascending shows the down glyph
  EXPECT_EQ(HeaderPixels(List, clLime, 0, 120), 0);
  List->SetSortDirection(TSortDirection::sdDescending);
  List->RepaintHeader();
  EXPECT_GT(HeaderPixels(List, clLime, 0, 120), 20);
  EXPECT_EQ(HeaderPixels(List, clRed, 120, 240), 0);  // only the sort column
  // With one glyph only, the header images stand in: image 1 descending.
  TBitmap* none = new TBitmap;
  List->SetSortUpGlyph(none);
  none->Free();
  auto* images = new TImageList(Form);
  TBitmap* blue = Swatch(clBlue);
  TBitmap* yellow = Swatch(clYellow);
  images->SetSize(8, 8);
  images->Add(blue, nullptr);
  images->Add(yellow, nullptr);
  EXPECT_EQ(HeaderPixels(List, clYellow, 0, 120), 0);  // no header images: no indicator
  List->SetHeaderImages(images);
  EXPECT_GT(HeaderPixels(List, clYellow, 0, 120), 20);
  EXPECT_EQ(HeaderPixels(List, clBlue, 0, 120), 0);
  for (TBitmap* b : {up, down, blue, yellow}) b->Free();
}

TEST_F(AdvHeader, ColumnTrackingCanBeRefusedAndReportsItsEnd) {
  AddColumns({80, 80});
  AddRow(L"a", {L"b"});
  List->SetShowColumnHeaders(true);
  Form->Show();
  HWND header = List->HeaderHandle();
  RECT r;
  SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  std::vector<std::wstring> events;
  bool allow = false;
  List->OnStartColumnTrack = [&](TObject*, int c, bool& Allow) {
    events.push_back(L"start " + std::to_wstring(c));
    Allow = allow;
  };
  List->OnEndColumnTrack = [&](TObject*, int c) { events.push_back(L"end " + std::to_wstring(c)); };
  List->OnColumnSized = [&](TObject*, int c) { events.push_back(L"sized " + std::to_wstring(c)); };
  auto drag = [&] {
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 1, 5));
    SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(r.right + 30, 5));
    SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(r.right + 30, 5));
  };
  drag();
  EXPECT_EQ(events, (std::vector<std::wstring>{L"start 0"}));
  EXPECT_EQ(List->Columns()->Items(0)->Width(), 80);
  events.clear();
  allow = true;
  drag();
  EXPECT_EQ(events, (std::vector<std::wstring>{L"start 0", L"end 0", L"sized 0"}));
  EXPECT_GT(List->Columns()->Items(0)->Width(), 100);
}

TEST_F(AdvHeader, ADraggedWidthSurvivesEveryRewriteOfTheColumn) {
  AddColumns({80, 80, 80});
  List->SetShowColumnHeaders(true);
  Form->Show();
  HWND header = List->HeaderHandle();
  struct Case {
    const char* Name;
    std::function<void(TListColumn*)> Rewrite;
  } cases[] = {
      {"caption", [](TListColumn* c) { c->SetCaption(L"Renamed"); }},
      {"alignment", [](TListColumn* c) { c->SetAlignment(TAlignment::taRightJustify); }},
      {"image", [](TListColumn* c) { c->SetImageIndex(0); }},
      {"all columns", [this](TListColumn*) {
         List->Columns()->BeginUpdate();
         List->Columns()->EndUpdate();
       }},
      {"update bracket", [this](TListColumn*) {
         List->BeginUpdate();
         List->EndUpdate();
       }},
  };
  for (const Case& c : cases) {
    RECT r;
    SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    int before = r.right - r.left;
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 1, 5));
    SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(r.right + 25, 5));
    SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(r.right + 25, 5));
    int dragged = static_cast<int>(SendMessageW(List->Handle(), LVM_GETCOLUMNWIDTH, 1, 0));
    ASSERT_GT(dragged, before + 10) << c.Name;
    c.Rewrite(List->Columns()->Items(1));
    EXPECT_EQ(SendMessageW(List->Handle(), LVM_GETCOLUMNWIDTH, 1, 0), dragged) << c.Name;
    EXPECT_EQ(List->Columns()->Items(1)->Width(), dragged) << c.Name;
  }
  // The rewrites themselves reached the window, and a width set by the
  // program still does.
  TShownColumn shown = ShownColumn(List->Handle(), 1);
  EXPECT_EQ(shown.Text, L"Renamed");
  EXPECT_EQ(shown.Format & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);
  List->Columns()->Items(1)->SetWidth(60);
  EXPECT_EQ(SendMessageW(List->Handle(), LVM_GETCOLUMNWIDTH, 1, 0), 60);
}

TEST_F(AdvHeader, TheHeaderKeepsTheColumnsAlignmentWhenItStopsBeingOwnerDrawn) {
  AddColumns({80, 80, 80});
  List->Columns()->Items(1)->SetAlignment(TAlignment::taRightJustify);
  List->Columns()->Items(2)->SetAlignment(TAlignment::taCenter);
  List->SetShowColumnHeaders(true);
  Form->Show();
  auto justify = [this](int Column) {
    HDITEMW hi{};
    hi.mask = HDI_FORMAT;
    SendMessageW(List->HeaderHandle(), HDM_GETITEMW, static_cast<WPARAM>(Column), reinterpret_cast<LPARAM>(&hi));
    EXPECT_FALSE(hi.fmt & HDF_OWNERDRAW) << Column;
    EXPECT_TRUE(hi.fmt & HDF_STRING) << Column;
    return hi.fmt & HDF_JUSTIFYMASK;
  };
  struct Case {
    const char* Name;
    std::function<void()> Act;
  } cases[] = {
      {"owner-drawn and back", [this] {
         List->SetHeaderOwnerDraw(true);
         List->SetHeaderOwnerDraw(false);
       }},
      {"not owner-drawn again", [this] { List->SetHeaderOwnerDraw(false); }},
      {"update bracket", [this] {
         List->BeginUpdate();
         List->EndUpdate();
       }},
      {"switched back inside an update bracket", [this] {
         List->SetHeaderOwnerDraw(true);
         List->BeginUpdate();
         List->SetHeaderOwnerDraw(false);
         List->EndUpdate();
       }},
  };
  for (const Case& c : cases) {
    c.Act();
    EXPECT_FALSE(List->HeaderOwnerDraw()) << c.Name;
    EXPECT_EQ(justify(0), HDF_LEFT) << c.Name;
    EXPECT_EQ(justify(1), HDF_RIGHT) << c.Name;
    EXPECT_EQ(justify(2), HDF_CENTER) << c.Name;
  }
}

TEST_F(AdvHeader, RightClicksOnTheHeaderNameTheColumn) {
  AddColumns({80, 80});
  List->SetShowColumnHeaders(true);
  Form->Show();
  HWND header = List->HeaderHandle();
  RECT r;
  SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  POINT screen = p;
  ClientToScreen(header, &screen);
  SetCursorPos(screen.x, screen.y);
  int column = -1;
  List->OnColumnRClick = [&](TObject*, int c) { column = c; };
  SendMessageW(header, WM_RBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  POINT now;
  GetCursorPos(&now);
  if (now.x != screen.x || now.y != screen.y) GTEST_SKIP() << "the pointer cannot be placed on this display";
  EXPECT_EQ(column, 1);
}

TEST_F(AdvHeader, TheFilterBarTakesTheHeaderFromOwnerDrawing) {
  AddColumns({80, 80});
  List->SetShowColumnHeaders(true);
  Form->Show();
  List->SetHeaderOwnerDraw(true);
  List->SetFilterBar(true);
  EXPECT_FALSE(List->HeaderOwnerDraw());
  EXPECT_TRUE(GetWindowLongPtrW(List->HeaderHandle(), GWL_STYLE) & HDS_FILTERBAR);
  List->SetFilterBar(false);
  EXPECT_FALSE(GetWindowLongPtrW(List->HeaderHandle(), GWL_STYLE) & HDS_FILTERBAR);
  List->SetFilterBar(true);
  EXPECT_TRUE(GetWindowLongPtrW(List->HeaderHandle(), GWL_STYLE) & HDS_FILTERBAR);
  // What the header keeps is the platform's: read back through it.
  List->SetFilter(1, 1, 12, L"");
  List->SetFilter(0, 0, 0, L"abc");
  String number = List->GetFilter(1, 1), text = List->GetFilter(0, 0);
  if (number != L"12" && text.empty())
    GTEST_SKIP() << "this platform's header keeps no filter values (read back \"" << WideToAnsi(number) << "\")";
  EXPECT_EQ(number, L"12");
  EXPECT_EQ(text, L"abc");
}

// The filter messages as the header receives them, answered by the test in
// place of the platform's filter store; and the header's filter events.
struct THeaderFilterSpy {
  static inline WNDPROC Previous = nullptr;
  static inline std::vector<std::wstring> Log;
  static inline bool LaidOut = false;
  static LRESULT CALLBACK Proc(HWND Wnd, UINT Msg, WPARAM W, LPARAM L) {
    auto* hi = reinterpret_cast<HDITEMW*>(L);
    if ((Msg == HDM_SETITEMW || Msg == HDM_GETITEMW) && hi && (hi->mask & HDI_FILTER)) {
      std::wstring line = (Msg == HDM_SETITEMW ? L"set " : L"get ") + std::to_wstring(W) + L" type " +
                          std::to_wstring(hi->type);
      if (hi->type == HDFT_ISNUMBER) {
        int* n = static_cast<int*>(hi->pvFilter);
        if (Msg == HDM_SETITEMW) line += L" " + std::to_wstring(*n);
        else *n = 12;
      } else {
        auto* tf = static_cast<HD_TEXTFILTERW*>(hi->pvFilter);
        line += L" max " + std::to_wstring(tf->cchTextMax);
        if (Msg == HDM_SETITEMW) {
          line += L" '" + std::wstring(tf->pszText) + L"'";
        } else {
          line += tf->pszText[0] == 0 && tf->pszText[255] == 0 ? L" empty" : L" dirty";
          wcscpy(tf->pszText, L"abc");
        }
      }
      Log.push_back(line);
      return TRUE;
    }
    if (Msg == HDM_EDITFILTER) Log.push_back(L"edit " + std::to_wstring(W) + L" keep " + std::to_wstring(!L));
    if (Msg == HDM_SETFILTERCHANGETIMEOUT) Log.push_back(L"timeout " + std::to_wstring(L));
    if (Msg == HDM_LAYOUT && !LaidOut) {  // the first only: the platform lays it out too
      LaidOut = true;
      const RECT* r = reinterpret_cast<HDLAYOUT*>(L)->prc;
      Log.push_back(L"layout " + std::to_wstring(r->right - r->left) + L"x" + std::to_wstring(r->bottom - r->top));
    }
    return CallWindowProcW(Previous, Wnd, Msg, W, L);
  }
};

TEST_F(AdvHeader, FilterValuesAndEventsPassThroughTheHeader) {
  AddColumns({80, 80});
  List->SetShowColumnHeaders(true);
  Form->Show();
  HWND header = List->HeaderHandle();
  THeaderFilterSpy::Log.clear();
  THeaderFilterSpy::LaidOut = false;
  THeaderFilterSpy::Previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&THeaderFilterSpy::Proc)));
  List->SetFilterBar(true);
  List->SetFilter(1, 1, 12, L"ignored");
  List->SetFilter(0, 0, 99, L"abc");
  List->SetFilter(0, 7, 0, String(300, L'x'));  // any other type is text, cut to its room
  String number = List->GetFilter(1, 1), text = List->GetFilter(0, 0);
  List->EditFilter(1);
  List->SetFilterTimeOut(750);
  SetWindowLongPtrW(header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(THeaderFilterSpy::Previous));
  EXPECT_EQ(number, L"12");
  EXPECT_EQ(text, L"abc");
  EXPECT_EQ(THeaderFilterSpy::Log,
            (std::vector<std::wstring>{L"layout " + std::to_wstring(List->Width()) + L"x32", L"set 1 type 1 12",
                                       L"set 0 type 0 max 255 'abc'",
                                       L"set 0 type 7 max 255 '" + std::wstring(255, L'x') + L"'",
                                       L"get 1 type 1", L"get 0 type 0 max 255 empty", L"edit 1 keep 1",
                                       L"timeout 750"}));
  // The header's reports reach the events with the item's index.
  std::vector<std::wstring> events;
  List->OnFilterChange = [&](TObject*, int i) { events.push_back(L"change " + std::to_wstring(i)); };
  List->OnFilterBtnClick = [&](TObject*, int i) { events.push_back(L"button " + std::to_wstring(i)); };
  NMHEADERW change{};
  change.hdr.hwndFrom = header;
  change.hdr.idFrom = GetDlgCtrlID(header);
  change.hdr.code = HDN_FILTERCHANGE;
  change.iItem = 1;
  SendMessageW(List->Handle(), WM_NOTIFY, change.hdr.idFrom, reinterpret_cast<LPARAM>(&change));
  NMHDFILTERBTNCLICK button{};
  button.hdr = change.hdr;
  button.hdr.code = HDN_FILTERBTNCLICK;
  button.iItem = 0;
  SendMessageW(List->Handle(), WM_NOTIFY, button.hdr.idFrom, reinterpret_cast<LPARAM>(&button));
  EXPECT_EQ(events, (std::vector<std::wstring>{L"change 1", L"button 0"}));
}

}  // namespace

namespace {

struct THeaderSetting {
  const char* Name;
  void (*Set)(TAdvListView*, bool);
  bool (*Shown)(TAdvListView*);
};

LONG_PTR HeaderStyle(TAdvListView* L) { return GetWindowLongPtrW(L->HeaderHandle(), GWL_STYLE); }
DWORD ExStyle(TAdvListView* L) {
  return static_cast<DWORD>(SendMessageW(L->Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

const THeaderSetting kHeaderSettings[] = {
    {"HeaderHotTrack", [](TAdvListView* L, bool V) { L->SetHeaderHotTrack(V); },
     [](TAdvListView* L) { return (HeaderStyle(L) & HDS_HOTTRACK) != 0; }},
    {"HeaderFlatStyle", [](TAdvListView* L, bool V) { L->SetHeaderFlatStyle(V); },
     [](TAdvListView* L) { return (HeaderStyle(L) & HDS_BUTTONS) == 0; }},
    {"HeaderDragDrop", [](TAdvListView* L, bool V) { L->SetHeaderDragDrop(V); },
     [](TAdvListView* L) { return (ExStyle(L) & LVS_EX_HEADERDRAGDROP) != 0; }},
    {"SubImages", [](TAdvListView* L, bool V) { L->SetSubImages(V); },
     [](TAdvListView* L) { return (ExStyle(L) & LVS_EX_SUBITEMIMAGES) != 0; }},
};

}  // namespace

TEST_F(AdvHeader, HeaderStylesSetBeforeOrAfterTheWindowReachIt) {
  AddColumns({80, 80});
  List->SetShowColumnHeaders(true);
  for (const THeaderSetting& s : kHeaderSettings) s.Set(List, true);
  Form->Show();
  for (const THeaderSetting& s : kHeaderSettings) EXPECT_TRUE(s.Shown(List)) << s.Name << " set before the window";
  for (const THeaderSetting& s : kHeaderSettings) s.Set(List, false);
  for (const THeaderSetting& s : kHeaderSettings) EXPECT_FALSE(s.Shown(List)) << s.Name << " cleared";
  for (const THeaderSetting& s : kHeaderSettings) s.Set(List, true);
  for (const THeaderSetting& s : kHeaderSettings) EXPECT_TRUE(s.Shown(List)) << s.Name << " set on the window";
  // The hover time goes to the platform list.
  List->SetHoverTime(321);
  EXPECT_EQ(SendMessageW(List->Handle(), LVM_GETHOVERTIME, 0, 0), 321);
  EXPECT_EQ(List->HoverTime(), 321);
}

TEST_F(AdvHeader, TheSortIndicatorOfThePlatformsHeader) {
  AddColumns({120, 120});
  AddRow(L"b", {L"1"});
  AddRow(L"a", {L"2"});
  List->SetShowColumnHeaders(true);
  Form->Show();
  HWND header = List->HeaderHandle();
  auto item = [&](int i) {
    HDITEMW hi{};
    hi.mask = HDI_FORMAT | HDI_BITMAP;
    SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&hi));
    return hi;
  };
  // Both glyphs: the header item shows the glyph of the direction beside its
  // text, on the side the indicator asks for.
  List->SetSortShow(true);
  TBitmap* up = Swatch(clLime);
  TBitmap* down = Swatch(clRed);
  List->SetSortUpGlyph(up);
  List->SetSortDownGlyph(down);
  List->SetSortColumn(0);
  HDITEMW hi = item(0);
  EXPECT_EQ(hi.fmt & (HDF_BITMAP | HDF_STRING), HDF_BITMAP | HDF_STRING);
  EXPECT_FALSE(hi.fmt & HDF_BITMAP_ON_RIGHT);
  EXPECT_EQ(hi.hbm, List->SortUpGlyph()->Handle());
  EXPECT_FALSE(item(1).fmt & HDF_BITMAP);
  List->SetSortIndicator(TSortIndicator::siRight);
  List->SetSortDirection(TSortDirection::sdDescending);
  List->SetSortColumn(0);
  hi = item(0);
  EXPECT_TRUE(hi.fmt & HDF_BITMAP_ON_RIGHT);
  EXPECT_EQ(hi.hbm, List->SortDownGlyph()->Handle());
  // Without both glyphs the header images stand in, on the sort column only.
  TBitmap* none = new TBitmap;
  List->SetSortUpGlyph(none);
  none->Free();
  auto* images = new TImageList(Form);
  images->SetSize(8, 8);
  for (TColor c : {clBlue, clYellow}) {
    TBitmap* b = Swatch(c);
    images->Add(b, nullptr);
    b->Free();
  }
  List->SetHeaderImages(images);
  List->SetSortDirection(TSortDirection::sdAscending);
  List->SetSortColumn(1);
  EXPECT_EQ(List->ColumnImages(1), 0);
  EXPECT_EQ(List->ColumnImages(0), -1);
  EXPECT_EQ(List->GetTextAtColRow(0, 0), L"b");  // sorted by the second column
  List->SetSortDirection(TSortDirection::sdDescending);
  List->SetSortColumn(1);
  EXPECT_EQ(List->ColumnImages(1), 1);
  EXPECT_EQ(List->GetTextAtColRow(0, 0), L"a");
  // Switched off, no column keeps the indicator.
  List->SetSortShow(false);
  EXPECT_EQ(List->ColumnImages(1), -1);
  up->Free();
  down->Free();
}

TEST_F(AdvHeader, AChangedColumnRewritesOnlyItsOwnHeaderItem) {
  AddColumns({40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40});
  AddRow(L"a", {L"1", L"2"});
  Form->Show();
  HWND header = List->HeaderHandle();
  TMessageCounter writes(header, HDM_SETITEMW);  // the header writes of the list
  List->Columns()->Items(3)->SetCaption(L"Number");
  EXPECT_EQ(writes.Count, 1);
  writes.Count = 0;
  List->BeginUpdate();
  for (int r = 0; r < 50; ++r) AddRow(L"row", {L"x", L"y"});
  List->EndUpdate();
  EXPECT_EQ(writes.Count, 0);  // rows change no header item
  EXPECT_EQ(List->Columns()->Items(3)->Caption(), L"Number");
  HDITEMW hi{};
  wchar_t text[32] = {0};
  hi.mask = HDI_TEXT | HDI_FORMAT;
  hi.pszText = text;
  hi.cchTextMax = 32;
  SendMessageW(header, HDM_GETITEMW, 3, reinterpret_cast<LPARAM>(&hi));
  EXPECT_EQ(String(text), L"Number");
  EXPECT_TRUE(hi.fmt & HDF_STRING);
}
