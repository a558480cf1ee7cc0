// The advanced list view's sorting: the comparison in its thirteen styles,
// prefixes and suffixes, the sort column and direction, header clicks and
// the sort indicator.
#include "ui/controls/listview/AdvListView.h"

#include <commctrl.h>

#include <cmath>

#include "base/FormatSettings.h"
#include "base/ImgList.h"

namespace {

// The column and direction of the comparison under way, shared by all list
// views: every comparison sets them from its own list view first.
int gCompareColumn = -3;
int gDirection = 1;

int Sign(int v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

int Ordinal(const String& a, const String& b) { return Sign(a.compare(b)); }

// A number in the whole text (blanks around it allowed); an empty text is 0.
bool ReadNumber(String Text, bool Financial, double& Value) {
  const TFormatSettings& fs = FormatSettings();
  if (Text.find(L"{|") != String::npos) Text.erase(0, 2);
  if (Financial) {
    String t;
    for (wchar_t c : Text)
      if (c != fs.ThousandSeparator) t += c;
    Text = t;
  }
  if (fs.DecimalSeparator != L'.') {
    size_t p = Text.find(fs.DecimalSeparator);
    if (p != String::npos) Text[p] = L'.';
  }
  Text = Trim(Text);
  if (Text.empty()) {
    Value = 0;
    return true;
  }
  for (wchar_t c : Text)
    if (!((c >= L'0' && c <= L'9') || c == L'.' || c == L'-' || c == L'+' || c == L'e' || c == L'E')) return false;
  return TryStrToFloat(Text, Value) && std::isfinite(Value);
}

// The number before the first separator ("-", else "/", else "."), which
// leaves the text with what follows it.
bool NextPart(String& Text, String& Part) {
  size_t p = Text.find(L'-');
  if (p == String::npos) p = Text.find(L'/');
  if (p == String::npos) p = Text.find(L'.');
  if (p == String::npos) return false;
  Part = Text.substr(0, p);
  Text.erase(0, p + 1);
  return true;
}

// A short date as day-month-year (EU) or month-day-year; 0 when it is none.
// Years of one or two digits are 1926 to 2025; longer years stand as they
// are.
double ShortDate(const String& Text, bool US) {
  String rest = Trim(Text), first, second;
  if (!NextPart(rest, first) || !NextPart(rest, second)) return 0;
  int a, b, y;
  String third = Trim(rest);
  if (!TryStrToInt(Trim(first), a) || !TryStrToInt(Trim(second), b) || !TryStrToInt(third, y) || y < 0) return 0;
  int digits = static_cast<int>(third.size()) - (third[0] == L'+' ? 1 : 0);
  if (digits <= 2) y += y <= 25 ? 2000 : 1900;
  int day = US ? b : a, month = US ? a : b;
  try {
    return EncodeDate(y, month, day);
  } catch (const EConvertError&) {
    return 0;
  }
}

int CompareValues(double a, double b) { return a > b ? 1 : a < b ? -1 : 0; }

// What the automatic style sees in a text: a number, else a date, else a
// word; numbers and dates with their values.
struct TAutoKey {
  int Kind;  // 0 number, 1 date, 2 word
  double Value;
};

TAutoKey AutoKey(const String& Text) {
  double v;
  if (!Trim(Text).empty() && ReadNumber(Text, false, v)) return {0, v};
  TDateTime d;
  if (TryStrToDateTime(Text, d)) return {1, d};
  return {2, 0};
}

// The comparison that the automatic style makes: numbers by value first,
// then dates by value, then the other texts by code units. Each kind keeps
// to its own place, so that the answers make one order over a mixed column.
int Automatic(const String& a, const String& b) {
  TAutoKey x = AutoKey(a), y = AutoKey(b);
  if (x.Kind != y.Kind) return x.Kind < y.Kind ? -1 : 1;
  return x.Kind == 2 ? Ordinal(a, b) : CompareValues(x.Value, y.Value);
}

}  // namespace

void TAdvListView::GetFormat(int, TSortStyle& AStyle, String& aPrefix, String& aSuffix) {
  if (OnGetFormat) OnGetFormat(this, gCompareColumn, AStyle, aPrefix, aSuffix);
}

void TAdvListView::CustCompare(int ACol, const String& str1, const String& str2, int& res) {
  res = 1;
  if (OnCustomCompare) OnCustomCompare(this, ACol, str1, str2, res);
}

void TAdvListView::RawCompare(int Col, int Row1, int Row2, int& res) {
  res = 1;
  if (OnRawCompare) OnRawCompare(this, Col, Row1, Row2, res);
}

int TAdvListView::SortCompare(TListItem* Item1, TListItem* Item2) {
  if (!Item1 || !Item2) return 0;
  gCompareColumn = FSortColumn - 1;
  gDirection = FSortDirection == TSortDirection::sdAscending ? 1 : -1;
  // The sort column is a column index: the same column wherever it is shown.
  int column = FSortColumn;
  String t1 = CellText(Item1, column), t2 = CellText(Item2, column);
  TSortStyle style = TSortStyle::ssAlphabetic;
  String prefix, suffix;
  GetFormat(gCompareColumn, style, prefix, suffix);
  for (String* t : {&t1, &t2}) {
    if (!suffix.empty()) {
      size_t p = t->find(suffix);
      if (p != String::npos) t->erase(p);
    }
    if (!prefix.empty()) {
      size_t p = t->find(prefix);
      if (p != String::npos) t->erase(0, p + prefix.size());
    }
  }
  // Custom and raw comparisons without a handler compare as the automatic
  // style does, so that every pair gets one consistent answer.
  if ((style == TSortStyle::ssCustom && !OnCustomCompare) || (style == TSortStyle::ssRaw && !OnRawCompare))
    style = TSortStyle::ssAutomatic;
  int res = 1;
  switch (style) {
    case TSortStyle::ssAutomatic:
      res = Automatic(t1, t2);
      break;
    case TSortStyle::ssAlphabetic:
    case TSortStyle::ssAlphaCase:
      res = Ordinal(t1, t2);
      break;
    case TSortStyle::ssAlphaNoCase:
      res = Ordinal(UpperCase(t1), UpperCase(t2));
      break;
    case TSortStyle::ssNumeric:
    case TSortStyle::ssFinancial: {
      double a, b;
      bool fin = style == TSortStyle::ssFinancial;
      res = ReadNumber(t1, fin, a) && ReadNumber(t2, fin, b) ? CompareValues(a, b) : 0;
      break;
    }
    case TSortStyle::ssDate: {
      TDateTime a = 0, b = 0;
      if (!TryStrToDateTime(t1, a)) a = 0;
      if (!TryStrToDateTime(t2, b)) b = 0;
      res = CompareValues(a, b);
      break;
    }
    case TSortStyle::ssShortDateEU:
      res = CompareValues(ShortDate(t1, false), ShortDate(t2, false));
      break;
    case TSortStyle::ssShortDateUS:
      res = CompareValues(ShortDate(t1, true), ShortDate(t2, true));
      break;
    case TSortStyle::ssCustom:
      CustCompare(gCompareColumn, t1, t2, res);
      break;
    case TSortStyle::ssRaw:
      RawCompare(gCompareColumn, Item1->Index(), Item2->Index(), res);
      break;
    case TSortStyle::ssAnsiAlphaCase:
      res = Sign(AnsiCompareStr(t1, t2));
      break;
    case TSortStyle::ssAnsiAlphaNoCase:
      res = Sign(AnsiCompareText(t1, t2));
      break;
  }
  if (res == 0 && gCompareColumn >= 0) res = Sign(CompareText(Item1->Caption(), Item2->Caption()));
  return gDirection * res;
}

void TAdvListView::Sort() {
  CustomSort([this](TListItem* a, TListItem* b, LPARAM) { return SortCompare(a, b); }, 0);
  RepaintHeader();
}

void TAdvListView::SetSortColumn(int Value) {
  gCompareColumn = Value - 1;
  FSortColumn = Value;
  SortWithEvents(Value);
  ShowSortIndicator(Value);
}

void TAdvListView::SortWithEvents(int Column) {
  bool enable = true;
  if (OnSortStart) OnSortStart(this, Column, enable);
  if (!enable) return;
  SortOnColumn(Column);
  for (int i = 0; i < Columns()->Count(); ++i) ApplyColumnAlignment(i);
  if (OnSortDone) OnSortDone(this, Column);
}

void TAdvListView::SetSortDirection(TSortDirection Value) {
  FSortDirection = Value;
  gDirection = Value == TSortDirection::sdAscending ? 1 : -1;
}

void TAdvListView::SetSortShow(bool Value) {
  FSortShow = Value;
  if (!Value) {
    if (FSortColumn >= 0 && FSortColumn < Columns()->Count()) SetColumnImages(FSortColumn, -1);
    FSortColumn = Columns()->Count() + 1;
  }
}

void TAdvListView::SortOnColumn(int a) {
  if (a != FLastSortColumn && FLastSortColumn >= 0 && FSortShow) {
    int last = FLastSortColumn;
    ClearSortIndicator(last);
    SetColumnImages(last, -1);
    ApplyColumnAlignment(last);
  }
  if (a >= 0 && a < Columns()->Count()) {
    SetHeaderItemFormat(FLastSortColumn);
    FLastSortColumn = a;
    FSortColumn = a;
    gCompareColumn = a - 1;
    Sort();
    ShowSortIndicator(a);
  }
  FSortColumn = FLastSortColumn;
  gCompareColumn = FSortColumn - 1;
  if (FSortShow) ShowSortIndicator(FSortColumn);
}

void TAdvListView::ClearSortIndicator(int a) {
  if (a < 0 || a >= Columns()->Count()) return;
  FSortColumn = -2;
  for (int i = 0; i < Columns()->Count(); ++i) SetHeaderItemFormat(i);
  SetHeaderOwnerDraw(FHeaderOwnerDraw);
}

void TAdvListView::ShowSortIndicator(int a) {
  if (a < 0 || a >= Columns()->Count()) return;
  for (int i = 0; i < Columns()->Count(); ++i) SetHeaderItemFormat(i);
  if (!FSortShow) return;
  if (!FSortUpGlyph->Empty() && !FSortDownGlyph->Empty()) {
    HWND header = HeaderHandle();
    if (!header) return;
    TAlignment align = Columns()->Items(a)->Alignment();
    int fmt = align == TAlignment::taRightJustify ? HDF_RIGHT : align == TAlignment::taCenter ? HDF_CENTER : HDF_LEFT;
    if (FSortIndicator == TSortIndicator::siRight) fmt |= HDF_BITMAP_ON_RIGHT;
    HDITEMW hi{};
    hi.mask = HDI_FORMAT | HDI_BITMAP;
    hi.hbm = FSortDirection == TSortDirection::sdDescending ? FSortDownGlyph->Handle() : FSortUpGlyph->Handle();
    hi.fmt = FHeaderOwnerDraw ? HDF_OWNERDRAW : fmt | HDF_BITMAP | HDF_STRING;
    SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(a), reinterpret_cast<LPARAM>(&hi));
  } else if (FHeaderImages) {
    SetColumnImages(a, FSortDirection == TSortDirection::sdAscending ? 0 : 1);
  }
}

void TAdvListView::ColClick(TListColumn* Column) {
  if (FSortShow && Column) {
    int c = Column->Index();
    if (c == FLastSortColumn)
      SetSortDirection(FSortDirection == TSortDirection::sdAscending ? TSortDirection::sdDescending
                                                                     : TSortDirection::sdAscending);
    SortWithEvents(c);
  }
  TCustomListView::ColClick(Column);
}
