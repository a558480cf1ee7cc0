// Sorting: the comparison by style, on tables of pairs, and the sort column,
// direction and header clicks.
#include "base/FormatSettings.h"
#include "tests/controls/listview/AdvListViewTest.h"

namespace {

struct AdvSort : AdvFixture {
  TSortStyle Style = TSortStyle::ssAlphabetic;
  String Prefix, Suffix;
  void SetUp() override {
    AdvFixture::SetUp();
    AddColumns({80, 80});
    List->OnGetFormat = [this](TObject*, int, TSortStyle& S, String& P, String& X) {
      S = Style;
      P = Prefix;
      X = Suffix;
    };
  }
  void TearDown() override {
    ResetFormatSettings();
    AdvFixture::TearDown();
  }
  // The sign of the comparison of two rows with these sub-item texts (and
  // the same caption, so no tie-break decides).
  int Compare(const String& A, const String& B) {
    List->Items()->Clear();
    TListItem* a = AddRow(L"same", {A});
    TListItem* b = AddRow(L"same", {B});
    return List->SortCompare(a, b);
  }
  void HeaderClick(int Column) {
    HWND header = List->HeaderHandle();
    RECT r;
    SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(Column), reinterpret_cast<LPARAM>(&r));
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(header, WM_LBUTTONUP, 0, at);
  }
  std::vector<String> Captions() {
    std::vector<String> v;
    for (int i = 0; i < List->Items()->Count(); ++i) v.push_back(List->Items()->Item(i)->Caption());
    return v;
  }
};

struct Pair {
  const wchar_t* A;
  const wchar_t* B;
  int Sign;
};

void Check(AdvSort* T, TSortStyle Style, std::initializer_list<Pair> Pairs) {
  T->Style = Style;
  for (const Pair& p : Pairs) {
    EXPECT_EQ(T->Compare(p.A, p.B), p.Sign) << "style " << static_cast<int>(Style) << ": " << WideToAnsi(p.A) << " / "
                                            << WideToAnsi(p.B);
    // The other way round gives the other sign: one answer per pair.
    EXPECT_EQ(T->Compare(p.B, p.A), -p.Sign) << "swapped: " << WideToAnsi(p.A) << " / " << WideToAnsi(p.B);
  }
}

TEST_F(AdvSort, TextStyles) {
  List->SetSortColumn(1);
  Check(this, TSortStyle::ssAlphabetic, {{L"B", L"a", -1}, {L"a", L"a", 0}, {L"ab", L"a", 1}});
  Check(this, TSortStyle::ssAlphaCase, {{L"Z", L"a", -1}});
  Check(this, TSortStyle::ssAlphaNoCase, {{L"abc", L"ABC", 0}, {L"abd", L"ABC", 1}, {L"[", L"a", 1}});
  Check(this, TSortStyle::ssAnsiAlphaCase, {{L"a", L"B", -1}, {L"b", L"B", -1}});
  Check(this, TSortStyle::ssAnsiAlphaNoCase, {{L"a", L"A", 0}, {L"a", L"B", -1}});
}

TEST_F(AdvSort, NumbersWithTheLocalesSeparators) {
  List->SetSortColumn(1);
  FormatSettings().DecimalSeparator = L',';
  FormatSettings().ThousandSeparator = L'.';
  Check(this, TSortStyle::ssNumeric,
        {{L"1,5", L"10,25", -1}, {L"abc", L"5", 0}, {L"", L"3", -1}, {L"{|50", L"{|7", 1}, {L"-2", L"1", -1}});
  Check(this, TSortStyle::ssFinancial, {{L"1.234,5", L"999", 1}, {L"1.234,5", L"1234,5", 0}});
  // With prefix and suffix the text between them is compared.
  Prefix = L"EUR";
  Suffix = L"%";
  Check(this, TSortStyle::ssNumeric, {{L"x EUR 12 %", L"y EUR 9 %", 1}});
}

TEST_F(AdvSort, DatesInEveryNotation) {
  List->SetSortColumn(1);
  FormatSettings().DateSeparator = L'.';
  FormatSettings().ShortDateFormat = L"dd/mm/yyyy";
  Check(this, TSortStyle::ssDate, {{L"31.12.1999", L"01.01.2000", -1}, {L"junk", L"01.01.1900", -1}});
  Check(this, TSortStyle::ssShortDateEU,
        {{L"31-12-99", L"01.02.05", -1},
         {L"15/03/2016", L"14/03/2016", 1},
         // Four-digit years stand as they are, and sort among two-digit ones.
         {L"01/02/2016", L"01/02/16", 0},
         {L"01/02/2016", L"01/02/17", -1},
         {L"31-02-99", L"01-01-00", -1}});
  Check(this, TSortStyle::ssShortDateUS, {{L"12/31/99", L"01/01/00", -1}, {L"02/01/2005", L"01/02/2005", 1}});
}

TEST_F(AdvSort, AutomaticAndHandlerlessStylesAnswerConsistently) {
  List->SetSortColumn(1);
  for (TSortStyle s : {TSortStyle::ssAutomatic, TSortStyle::ssCustom, TSortStyle::ssRaw})
    Check(this, s, {{L"10", L"9", 1}, {L"b", L"a", 1}, {L"x", L"x", 0}});
  // A handler decides when there is one.
  List->OnCustomCompare = [](TObject*, int ACol, const String& a, const String& b, int& res) {
    EXPECT_EQ(ACol, 0);
    res = a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
  };
  Check(this, TSortStyle::ssCustom, {{L"zz", L"aaa", -1}});
  std::vector<std::pair<int, int>> rows;
  List->OnRawCompare = [&](TObject*, int, int r1, int r2, int& res) {
    rows.push_back({r1, r2});
    res = r2 - r1;
  };
  Style = TSortStyle::ssRaw;
  EXPECT_EQ(Compare(L"x", L"y"), 1);
  EXPECT_EQ(rows.back(), std::make_pair(0, 1));
}

TEST_F(AdvSort, TheAutomaticStyleIsOneOrderOverMixedTexts) {
  // Numbers, dates and words mixed: whatever order the style picks, it must
  // be one order, or a sort over such a column comes out scrambled.
  const std::vector<String> texts = {L"2",          L"10",  L"1x", L"b",  L"",   L"-3", L"a10",
                                     L"07.10.2016", L"9.5", L"B",  L"2b", L"01", L" 4 "};
  List->SetSortColumn(1);
  Style = TSortStyle::ssAutomatic;
  size_t n = texts.size();
  std::vector<std::vector<int>> sign(n, std::vector<int>(n));
  for (size_t i = 0; i < n; ++i)
    for (size_t j = 0; j < n; ++j) sign[i][j] = Compare(texts[i], texts[j]);
  for (size_t i = 0; i < n; ++i) {
    EXPECT_EQ(sign[i][i], 0) << WideToAnsi(texts[i]);
    for (size_t j = 0; j < n; ++j) {
      EXPECT_EQ(sign[i][j], -sign[j][i]) << WideToAnsi(texts[i]) << " / " << WideToAnsi(texts[j]);
      for (size_t k = 0; k < n; ++k)
        if (sign[i][j] < 0 && sign[j][k] < 0)
          EXPECT_LT(sign[i][k], 0) << WideToAnsi(texts[i]) << " < " << WideToAnsi(texts[j]) << " < "
                                   << WideToAnsi(texts[k]);
    }
  }
  // Numbers still go by value.
  EXPECT_EQ(sign[0][1], -1);  // 2 before 10
  EXPECT_EQ(sign[5][0], -1);  // -3 before 2
}

TEST_F(AdvSort, EqualCellsFallBackToTheCaptionsAndDirectionTurnsTheSign) {
  TListItem* a = AddRow(L"b", {L"same"});
  TListItem* b = AddRow(L"A", {L"same"});
  List->SetSortColumn(1);
  EXPECT_EQ(List->SortCompare(a, b), 1);
  List->SetSortDirection(TSortDirection::sdDescending);
  EXPECT_EQ(List->SortCompare(a, b), -1);
}

TEST_F(AdvSort, HeaderClicksSortAndToggle) {
  List->OnGetFormat = nullptr;
  AddRow(L"a", {L"2"});
  AddRow(L"B", {L"1"});
  AddRow(L"c", {L"3"});
  List->SetShowColumnHeaders(true);
  Form->Show();
  std::vector<String> events;
  List->OnSortStart = [&](TObject*, int c, bool&) { events.push_back(L"start " + std::to_wstring(c)); };
  List->OnSortDone = [&](TObject*, int c) { events.push_back(L"done " + std::to_wstring(c)); };
  HeaderClick(0);  // without SortShow: nothing sorts
  EXPECT_EQ(Captions(), (std::vector<String>{L"a", L"B", L"c"}));
  List->SetSortShow(true);
  HeaderClick(0);
  EXPECT_EQ(Captions(), (std::vector<String>{L"B", L"a", L"c"}));  // code units: B before a
  EXPECT_EQ(List->SortDirection(), TSortDirection::sdAscending);
  HeaderClick(0);
  EXPECT_EQ(Captions(), (std::vector<String>{L"c", L"a", L"B"}));
  EXPECT_EQ(List->SortDirection(), TSortDirection::sdDescending);
  HeaderClick(1);
  EXPECT_EQ(Captions(), (std::vector<String>{L"c", L"a", L"B"}));  // descending by the second column
  EXPECT_EQ(List->SortColumn(), 1);
  EXPECT_EQ(events, (std::vector<String>{L"start 0", L"done 0", L"start 0", L"done 0", L"start 1", L"done 1"}));
  // A refused sort leaves the order, but the direction has turned.
  List->OnSortStart = [](TObject*, int, bool& Enable) { Enable = false; };
  HeaderClick(1);
  EXPECT_EQ(Captions(), (std::vector<String>{L"c", L"a", L"B"}));
  EXPECT_EQ(List->SortDirection(), TSortDirection::sdAscending);
}

TEST_F(AdvSort, TheSortColumnStaysWhenAnotherIsOutOfRange) {
  List->OnGetFormat = nullptr;
  AddRow(L"b", {L"1"});
  AddRow(L"a", {L"2"});
  Form->Show();
  List->SetSortColumn(0);
  EXPECT_EQ(Captions(), (std::vector<String>{L"a", L"b"}));
  List->SetSortColumn(5);
  EXPECT_EQ(List->SortColumn(), 0);
  EXPECT_EQ(Captions(), (std::vector<String>{L"a", L"b"}));
  List->SetSortShow(true);
  List->SetSortShow(false);
  EXPECT_EQ(List->SortColumn(), 3);  // no column counts as sorted
}

}  // namespace
