// The advanced list view's exchange with spreadsheet and word-processor
// programs by late-bound automation.
#include "ui/controls/listview/AdvListView.h"

#include <cwctype>

#include "base/Automation.h"
#include "base/Forms.h"

namespace {

// A1 notation of a column number: 1 is A, 26 Z, 27 AA, 52 AZ.
String ColumnLetters(int n) {
  String s;
  while (n > 0) {
    int d = (n - 1) % 26;
    s.insert(s.begin(), static_cast<wchar_t>(L'A' + d));
    n = (n - 1) / 26;
  }
  return s;
}

// "B" is 2, "AA" 27; 0 when the text holds no letters only, or more
// letters than any sheet has columns.
int LettersColumn(const String& Letters) {
  if (Letters.size() > 4) return 0;
  int n = 0;
  for (wchar_t c : Letters) {
    if (!std::iswalpha(c)) return 0;
    n = n * 26 + (std::towupper(c) - L'A' + 1);
  }
  return n;
}

// The first and last row and column of a used range's address ("$A$1:$D$20";
// whole rows "$1:$20" span columns 1 to 256); false when it is none of these.
bool ParseUsedRange(const String& Address, int& Row1, int& Col1, int& Row2, int& Col2) {
  size_t colon = Address.find(L':');
  if (colon == String::npos) return false;
  String a = Address.substr(0, Min<size_t>(colon, 255)), b = Address.substr(colon + 1, 255);
  if (!a.empty() && a[0] == L'$') a.erase(0, 1);
  if (!b.empty() && b[0] == L'$') b.erase(0, 1);
  if (a.find(L'$') != String::npos) {
    auto cell = [](const String& p, int& row, int& col) {
      size_t d = p.find(L'$');
      if (d == String::npos) return false;
      col = LettersColumn(p.substr(0, d));
      return col > 0 && TryStrToInt(p.substr(d + 1), row);
    };
    return cell(a, Row1, Col1) && cell(b, Row2, Col2) && Row2 >= Row1 && Col2 >= Col1;
  }
  Col1 = 1;
  Col2 = 256;
  return TryStrToInt(a, Row1) && TryStrToInt(b, Row2) && Row2 >= Row1;
}

// Tells a server to quit and lets go of it, whatever happened before; the
// hourglass, when there is one, goes too.
struct TServerSession {
  TAutoObject App;
  TAutoObject Book;
  bool Hourglass;
  bool CloseBook = false;
  explicit TServerSession(bool AHourglass) : Hourglass(AHourglass) {
    if (Hourglass && Screen) Screen->SetCursor(crHourGlass);
  }
  ~TServerSession() {
    if (Book.Assigned() && CloseBook) {
      try {
        Book.Call(L"Close", {Named(L"SaveChanges", false)});
      } catch (...) {
      }
    }
    Book.Release();
    if (App.Assigned()) {
      try {
        App.Call(L"Quit");
      } catch (...) {
      }
    }
    App.Release();
    if (Hourglass && Screen) Screen->SetCursor(crDefault);
  }
};

// The spreadsheet program, or the list view's error when there is none.
void StartSpreadsheet(TServerSession& Session) {
  try {
    Session.App = TAutoObject::Create(L"excel.application");
  } catch (const EOleError&) {
    throw EAdvListViewError(L"Excel OLE server not found");
  }
}

TOleVariant CellOf(const TOleVariant& Block, int Row, int Col) {
  if (!Block.IsArray()) return Row == 1 && Col == 1 ? Block : TOleVariant();
  return Block.GetElement(Block.LowBound(1) + Row - 1, Block.LowBound(2) + Col - 1);
}

}  // namespace

void TAdvListView::LoadFromXLS(const String& Filename) {
  TServerSession session(true);
  StartSpreadsheet(session);
  session.Book = session.App.Object(L"WorkBooks").Object(L"Open", {Filename});
  session.CloseBook = true;
  TAutoObject sheet = session.Book.Object(L"ActiveSheet");
  String address = sheet.Object(L"UsedRange").Get(L"Address").AsString();
  int row1, col1, row2, col2;
  int rows = 1, cols = 1;
  String range = L"A1:A1";
  // The used range is read where it lies.
  if (ParseUsedRange(address, row1, col1, row2, col2)) {
    rows = row2 - row1 + 1;
    cols = col2 - col1 + 1;
    range = ColumnLetters(col1) + IntToStr(row1) + L":" + ColumnLetters(col2) + IntToStr(row2);
  }
  TOleVariant block = sheet.Object(L"Range", {range}).Get(L"Value");
  // The address is the other program's word: only the cells that came are
  // read, however large the range claims to be.
  if (block.IsArray()) {
    rows = Min(rows, block.HighBound(1) - block.LowBound(1) + 1);
    cols = Min(cols, block.HighBound(2) - block.LowBound(2) + 1);
  } else {
    rows = cols = 1;
  }
  rows = Max(rows, 0);
  cols = Max(cols, 0);
  // Read first; the list changes only when the block is in.
  std::vector<std::vector<String>> cells(static_cast<size_t>(rows), std::vector<String>(static_cast<size_t>(cols)));
  for (int i = 1; i <= rows; ++i)
    for (int j = 1; j <= cols; ++j) {
      TOleVariant v = CellOf(block, i, j);
      if (!v.IsEmpty() && !v.IsDispatch() && !v.IsError()) cells[i - 1][j - 1] = v.AsString();
    }
  Clear();
  Items()->BeginUpdate();
  try {
    for (int i = 1; i <= rows; ++i) {
      bool header = FLoadHeader && i == 1;
      TListItem* item = header ? nullptr : Items()->Add();
      for (int j = 1; j <= cols; ++j) {
        const String& s = cells[i - 1][j - 1];
        if (Columns()->Count() < j) Columns()->Add();
        if (header)
          Columns()->Items(j - 1)->SetCaption(s);
        else if (j == 1)
          item->SetCaption(s);
        else
          item->SubItems()->Add(s);
      }
    }
  } catch (...) {
    Items()->EndUpdate();
    throw;
  }
  Items()->EndUpdate();
}

void TAdvListView::SaveToXLS(const String& Filename, bool SaveWithHTML) {
  TServerSession session(true);
  StartSpreadsheet(session);
  session.Book = session.App.Object(L"WorkBooks").Object(L"Add");
  TAutoObject sheet = session.Book.Object(L"WorkSheets").Object(L"Add");
  int N = Items()->Count(), C = Columns()->Count();
  int rows = N + (FSaveHeader ? 1 : 0);
  if (rows > 0 && C > 0) {
    TOleVariant block = TOleVariant::CreateArray(0, rows - 1, 0, C - 1);
    if (FSaveHeader) {
      for (int c = 0; c < C; ++c) {
        String s = Export(Columns()->Items(c)->Caption(), SaveWithHTML);
        DoSaveValue(-1, c, s);
        block.PutElement(0, c, s);
      }
    }
    for (int r = 0; r < N; ++r)
      for (int c = 0; c < C; ++c) {
        String s = Export(CellText(Items()->Item(r), c), SaveWithHTML);
        DoSaveValue(r, c - 1, s);
        block.PutElement(FSaveHeader ? r + 1 : r, c, s);
      }
    sheet.Object(L"Range", {L"A1:" + ColumnLetters(C) + IntToStr(rows)}).Set(L"Value", block);
  }
  session.Book.Call(L"SaveAs", {Filename});
}

void TAdvListView::SaveToDOC(const String& Filename, bool SaveWithHTML) {
  TServerSession session(false);
  try {
    session.App = TAutoObject::Create(L"word.application");
  } catch (const EOleError&) {
    throw Exception(L"Word OLE server not found");
  }
  TAutoObject doc = session.App.Object(L"Documents").Object(L"Add");
  int N = Items()->Count(), C = Columns()->Count();
  TAutoObject start = doc.Object(L"Range", {Named(L"start", 0), Named(L"end", 0)});
  TAutoObject table = doc.Object(L"Tables").Object(
      L"Add", {TOleVariant(start.Interface()), Named(L"numrows", N), Named(L"numcolumns", C)});
  for (int r = 0; r < N; ++r) {
    TListItem* item = Items()->Item(r);
    for (int c = 0; c < C; ++c) {
      TAutoObject cell = table.Object(L"Cell", {r + 1, c + 1});
      if (c == 0 || c - 1 < item->SubItems()->Count()) {
        String s = Export(CellText(item, c), SaveWithHTML);
        DoSaveValue(r, c - 1, s);
        cell.Object(L"Range").Call(L"InsertAfter", {s});
      }
      TAlignment a = ColumnAlignment(c);
      if (a != TAlignment::taLeftJustify)
        cell.Object(L"Range").Object(L"ParagraphFormat").Set(L"Alignment", a == TAlignment::taRightJustify ? 2 : 1);
    }
  }
  doc.Call(L"SaveAs", {Filename});
}
