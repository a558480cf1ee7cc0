// The advanced list view's files: its save file, its stream format, CSV,
// and the XML, HTML and fixed-width exports.
#include "ui/controls/listview/AdvListView.h"

#include <memory>

#include "base/Forms.h"
#include "base/Streams.h"
#include "ui/controls/listview/AlvUtil.h"
#include "ui/draw/HtmlText.h"

namespace {

// Files are refused beyond these: the layout arrays hold 256 columns, and
// a declared row count is allocated before any row is read.
constexpr int kMaxColumns = 256;
constexpr int kMaxRows = 1000000;
// Rows that a file may declare beyond its last cell (its empty last rows).
constexpr int kMaxEmptyTail = 1024;

// Leading digits of a field ("12abc" is 12); none reads as 0.
int LeadingNumber(const String& S) {
  int v = 0;
  for (wchar_t c : S) {
    if (c < L'0' || c > L'9') break;
    if (v > 100000000) return v;  // far beyond any limit already
    v = v * 10 + (c - L'0');
  }
  return v;
}

// Splits at the first comma: the part before, the rest after.
bool SplitComma(const String& S, String& Head, String& Rest) {
  size_t p = S.find(L',');
  if (p == String::npos) return false;
  Head = S.substr(0, p);
  Rest = S.substr(p + 1);
  return true;
}

String XmlEscape(const String& S) {
  String r;
  for (wchar_t c : S) {
    switch (c) {
      case L'<': r += L"&lt;"; break;
      case L'>': r += L"&gt;"; break;
      case L'&': r += L"&amp;"; break;
      case L'"': r += L"&quot;"; break;
      case L'\'': r += L"&#39;"; break;
      default: r += c;
    }
  }
  return r;
}

String HtmlColor(TColor Color) {
  TColor c = ColorToRGB(Color);
  return L"#" + IntToHex(c & 0xFF, 2) + IntToHex((c >> 8) & 0xFF, 2) + IntToHex((c >> 16) & 0xFF, 2);
}

// One cell set by a reader: column (-1 for a width), row (-1 for a
// caption), image, text.
struct TCellLoad {
  int Column;
  int Row;
  int Image;
  String Text;
};

}  // namespace

// ---------------------------------------------------------------------------
// The list save file

void TAdvListView::SaveToFile(const String& filename, bool SaveWithHTML, bool Unicode) {
  TFileStringList sl;
  int C = Columns()->Count(), N = Items()->Count();
  sl.WriteLn(IntToStr(C) + L"," + IntToStr(N));
  for (int k = 0; k < C; ++k) sl.WriteLn(L"cw " + IntToStr(k) + L"," + IntToStr(Columns()->Items(k)->Width()));
  if (FSaveHeader) {
    for (int k = 0; k < C; ++k) {
      String s = Export(Columns()->Items(k)->Caption(), SaveWithHTML);
      DoSaveValue(-1, k, s);
      if (!s.empty()) sl.WriteLn(IntToStr(k) + L",0," + EncodeLineBreaks(s));
    }
  }
  int last = FDetailView->Visible() ? C : C - 1;
  int held = 0;  // rows up to the last one with a line
  for (int r = 0; r < N; ++r) {
    TListItem* item = Items()->Item(r);
    for (int i = 0; i <= last; ++i) {
      String s = Export(GetTextAtColRow(i, r), SaveWithHTML);
      DoSaveValue(r, i - 1, s);
      if (s.empty()) continue;
      int image = i == 0 ? item->ImageIndex() : SubItemImages(r, i - 1);
      sl.WriteLn(IntToStr(i) + L"," + IntToStr(FSaveHeader ? r + 1 : r) + L"," + IntToStr(image) + L"," +
                 EncodeLineBreaks(s));
      held = r + 1;
    }
  }
  // More empty last rows than a loader takes without a line: the last row
  // gets one, so that the file loads again.
  if (N - held > kMaxEmptyTail)
    sl.WriteLn(L"0," + IntToStr(FSaveHeader ? N : N - 1) + L"," + IntToStr(Items()->Item(N - 1)->ImageIndex()) + L",");
  sl.SaveToFile(filename, Unicode ? TTextEncoding::teUTF16LE : TTextEncoding::teAnsi);
}

void TAdvListView::LoadFromFile(const String& filename) {
  TFileStringList sl;
  sl.LoadFromFile(filename);
  String first;
  if (!sl.Eof()) sl.ReadLn(first);
  String head, rest;
  if (!SplitComma(first, head, rest)) head = first;
  int C = LeadingNumber(head), N = LeadingNumber(rest);
  if (C == 0 || N == 0) throw EAdvListViewError(L"File contains no data or corrupt file " + filename);
  if (C > kMaxColumns)
    throw EAdvListViewError(L"File declares too many columns (" + IntToStr(C) + L", at most " +
                            IntToStr(kMaxColumns) + L"): " + filename);
  if (N > kMaxRows)
    throw EAdvListViewError(L"File declares too many rows (" + IntToStr(N) + L", at most " + IntToStr(kMaxRows) +
                            L"): " + filename);
  // The declared count is the number of items, header or not.
  int rows = N;
  // Everything is read and checked before the list changes.
  std::vector<TCellLoad> cells;
  auto corrupt = [&](const String& Line) {
    return EAdvListViewError(L"Corrupt file " + filename + L" at \"" + Line.substr(0, 40) + L"\"");
  };
  while (!sl.Eof()) {
    String line;
    sl.ReadLn(line);
    if (line.empty()) continue;
    String a, b, c;
    if (line.compare(0, 2, L"cw") == 0) {
      if (!SplitComma(line.substr(Min<size_t>(3, line.size())), a, b)) throw corrupt(line);
      int index, width;
      if (!TryStrToInt(Trim(a), index) || !TryStrToInt(Trim(b), width)) throw corrupt(line);
      if (index >= 0 && index < C) cells.push_back({index, -2, width, String()});
      continue;
    }
    if (!SplitComma(line, a, rest) || !SplitComma(rest, b, c)) throw corrupt(line);
    int column, row;
    if (!TryStrToInt(a, column) || !TryStrToInt(b, row)) throw corrupt(line);
    if (FLoadHeader && row == 0) {
      if (column < 0 || column >= C) throw corrupt(line);
      cells.push_back({column, -1, -1, DecodeLineBreaks(c, true)});
      continue;
    }
    String img, text;
    if (!SplitComma(c, img, text)) throw corrupt(line);
    int image;
    if (!TryStrToInt(img, image)) throw corrupt(line);
    if (FLoadHeader) --row;
    // The detail text may follow the last column.
    if (column < 0 || column > C || row < 0 || row >= rows) throw corrupt(line);
    cells.push_back({column, row, image, DecodeLineBreaks(text, true)});
  }
  // Rows are made for what the file holds: empty cells are not written, so
  // a list may end in rows without a line, but not in more of them than
  // kMaxEmptyTail.
  int held = 0;
  for (const TCellLoad& cell : cells) held = Max(held, cell.Row + 1);
  if (rows - held > kMaxEmptyTail)
    throw EAdvListViewError(L"File declares " + IntToStr(rows) + L" rows but holds " + IntToStr(held) + L": " +
                            filename);
  BeginUpdate();
  try {
    ClearInit(rows, C);
    for (const TCellLoad& cell : cells) {
      if (cell.Row == -2) {
        Columns()->Items(cell.Column)->SetWidth(cell.Image);
      } else if (cell.Row == -1) {
        Columns()->Items(cell.Column)->SetCaption(cell.Text);
      } else {
        if (cell.Image >= 0 && !FSubImages) SetSubImages(true);
        TListItem* item = Items()->Item(cell.Row);
        if (cell.Column == 0) {
          item->SetCaption(cell.Text);
          item->SetImageIndex(cell.Image);
        } else {
          TStrings* subs = item->SubItems();
          while (subs->Count() < cell.Column) subs->Add(String());
          subs->SetStrings(cell.Column - 1, cell.Text);
          item->SetSubItemImages(cell.Column - 1, cell.Image);
        }
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

// ---------------------------------------------------------------------------
// The stream format

void TAdvListView::SaveToStream(TStream* stream, bool SaveWithHTML) {
  int C = Columns()->Count(), N = Items()->Count();
  auto writeLine = [&](const String& s) {
    String line = s + L"\r\n";
    stream->WriteBuffer(line.data(), static_cast<int>(line.size() * sizeof(wchar_t)));
  };
  writeLine(IntToStr(C) + L"," + IntToStr(N + 1));
  int held = 0;  // rows up to the last one with a line
  for (int i = 0; i <= N; ++i) {
    for (int k = 0; k < C; ++k) {
      String s = i == 0 ? Columns()->Items(k)->Caption() : CellText(Items()->Item(i - 1), k);
      s = Export(s, SaveWithHTML);
      DoSaveValue(i, k - 1, s);
      if (s.empty()) continue;
      writeLine(IntToStr(k) + L"," + IntToStr(i) + L"," + EncodeLineBreaks(s));
      held = i + 1;
    }
  }
  // As in the save file: a long empty tail ends with a line for its last row.
  if (C > 0 && N + 1 - held > kMaxEmptyTail) writeLine(L"0," + IntToStr(N) + L",");
}

void TAdvListView::LoadFromStream(TStream* stream) {
  stream->SetPosition(0);
  auto readLine = [&](String& line) {
    line.clear();
    wchar_t c;
    bool any = false;
    while (stream->Read(&c, sizeof(c)) == sizeof(c)) {
      any = true;
      if (c == L'\r') {
        stream->Read(&c, sizeof(c));  // the line feed
        return true;
      }
      line += c;
    }
    return any;
  };
  String first;
  if (!readLine(first)) return;
  String a, b;
  if (!SplitComma(first, a, b)) a = first;
  int C = StrToInt(a), R = StrToInt(b);
  if (C == 0 || R == 0) return;
  if (C < 0 || C > kMaxColumns || R < 0 || R > kMaxRows + 1)
    throw EAdvListViewError(L"Stream declares " + IntToStr(C) + L" columns and " + IntToStr(R) +
                            L" rows: corrupt or too large");
  std::vector<TCellLoad> cells;
  String line;
  while (readLine(line)) {
    if (line.empty()) continue;
    String k, rest, i, text;
    if (!SplitComma(line, k, rest) || !SplitComma(rest, i, text))
      throw EAdvListViewError(L"Corrupt stream line \"" + line.substr(0, 40) + L"\"");
    int column = StrToInt(k), row = StrToInt(i);
    if (column < 0 || column >= C || row < 0 || row >= R)
      throw EAdvListViewError(L"Stream cell outside the declared list: \"" + line.substr(0, 40) + L"\"");
    cells.push_back({column, row, -1, DecodeLineBreaks(text, true)});
  }
  int held = 0;
  for (const TCellLoad& cell : cells) held = Max(held, cell.Row + 1);
  if (R - held > kMaxEmptyTail)
    throw EAdvListViewError(L"Stream declares " + IntToStr(R) + L" rows but holds " + IntToStr(held));
  BeginUpdate();
  try {
    ClearInit(R - 1, C);
    for (const TCellLoad& cell : cells) {
      if (cell.Row == 0)
        Columns()->Items(cell.Column)->SetCaption(cell.Text);
      else
        SetTextAtColRow(cell.Column, cell.Row - 1, cell.Text);
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

// ---------------------------------------------------------------------------
// CSV

void TAdvListView::SaveToCSV(const String& filename, bool SaveWithHTML, bool Unicode) {
  int C = Columns()->Count();
  if (C == 0 || Items()->Count() == 0) return;
  wchar_t delim = FDelimiter ? FDelimiter : L',';
  // A value that holds the delimiter, a quote or a line break is quoted,
  // its quotes doubled, so that it reads back as it was.
  auto quote = [delim](const String& s) {
    if (s.find_first_of(String{delim, L'"', L'\r', L'\n'}) == String::npos) return s;
    String r = L"\"";
    for (wchar_t c : s) {
      if (c == L'"') r += L'"';
      r += c;
    }
    return r + L"\"";
  };
  std::vector<int> order = ColumnOrder();
  TFileStringList sl;
  if (FSaveHeader) {
    String line;
    for (int k = 0; k < C; ++k) {
      String s = Export(Columns()->Items(order[k])->Caption(), SaveWithHTML);
      DoSaveValue(-1, order[k], s);
      if (k) line += delim;
      line += quote(s);
    }
    sl.Add(line);
  }
  for (int r = 0; r < Items()->Count(); ++r) {
    TListItem* item = Items()->Item(r);
    String line;
    for (int k = 0; k < C; ++k) {
      String s = Export(CellText(item, order[k]), SaveWithHTML);
      DoSaveValue(r, order[k] - 1, s);
      if (k) line += delim;
      line += quote(s);
    }
    sl.Add(line);
  }
  sl.SaveToFile(filename, Unicode ? TTextEncoding::teUTF16LE : TTextEncoding::teAnsi);
}

void TAdvListView::LoadFromCSV(const String& filename) { ReadCSV(filename, false); }

void TAdvListView::InsertFromCSV(const String& filename) { ReadCSV(filename, true); }

void TAdvListView::ReadCSV(const String& filename, bool Insert) {
  String text = LoadTextFile(filename);
  if (text.empty()) return;
  // The delimiter, from the first two lines, unless one is set.
  wchar_t delim = FDelimiter;
  if (!delim) {
    size_t e1 = text.find_first_of(L"\r\n");
    String line1 = text.substr(0, e1), line2;
    if (e1 != String::npos) {
      size_t s2 = e1 + (text[e1] == L'\r' && e1 + 1 < text.size() && text[e1 + 1] == L'\n' ? 2 : 1);
      line2 = text.substr(s2, text.find_first_of(L"\r\n", s2) - s2);
    }
    int best = 0;
    for (wchar_t cand : {L',', L';', L'#', L'\t', L'|'}) {
      int n1 = SingleCount(cand, line1), n2 = SingleCount(cand, line2);
      if (n1 == n2 && n1 > best) {
        best = n1;
        FDelimiter = cand;
      }
    }
    delim = FDelimiter ? FDelimiter : L',';
  }
  // Records of fields; a quoted field may hold delimiters, doubled quotes
  // and line breaks. Each field remembers whether it was quoted.
  struct TField {
    String Text;
    bool Quoted;
  };
  std::vector<std::vector<TField>> records;
  size_t i = 0, n = text.size();
  while (i < n) {
    std::vector<TField> fields;
    for (;;) {
      TField f{String(), false};
      if (i < n && text[i] == L'"') {
        f.Quoted = true;
        ++i;
        while (i < n) {
          if (text[i] == L'"') {
            if (i + 1 < n && text[i + 1] == L'"') {
              f.Text += L'"';
              i += 2;
              continue;
            }
            ++i;
            break;
          }
          f.Text += text[i++];
        }
        // Anything between the closing quote and the delimiter belongs too.
        while (i < n && text[i] != delim && text[i] != L'\r' && text[i] != L'\n') f.Text += text[i++];
      } else {
        while (i < n && text[i] != delim && text[i] != L'\r' && text[i] != L'\n') f.Text += text[i++];
      }
      fields.push_back(f);
      if (i < n && text[i] == delim) {
        ++i;
        continue;
      }
      break;
    }
    if (i < n && text[i] == L'\r') ++i;
    if (i < n && text[i] == L'\n') ++i;
    records.push_back(fields);
  }
  // No more columns than a list file may hold: refused before anything
  // changes.
  for (const auto& record : records)
    if (record.size() > static_cast<size_t>(kMaxColumns))
      throw EAdvListViewError(L"File has a line of " + IntToStr(static_cast<int64_t>(record.size())) +
                              L" fields, more than the " + IntToStr(kMaxColumns) + L" columns a list holds: " +
                              filename);
  // Columns are added in one bracket: each one alone would lay out every
  // row and column again.
  Items()->BeginUpdate();
  Columns()->BeginUpdate();
  try {
    size_t start = 0;
    if (!Insert && FLoadHeader) {
      Items()->Clear();
      Columns()->Clear();
      if (!records.empty()) {
        const auto& header = records[0];
        for (size_t j = 0; j < header.size(); ++j) {
          // An empty last field adds no column.
          if (j + 1 == header.size() && j > 0 && header[j].Text.empty() && !header[j].Quoted) break;
          TListColumn* c = static_cast<int>(j) < Columns()->Count() ? Columns()->Items(static_cast<int>(j))
                                                                   : Columns()->Add();
          c->SetCaption(header[j].Text);
        }
        start = 1;
      }
    }
    for (size_t r = start; r < records.size(); ++r) {
      auto fields = records[r];
      // An empty unquoted last field is no sub-item.
      if (fields.size() > 1 && fields.back().Text.empty() && !fields.back().Quoted) fields.pop_back();
      while (Columns()->Count() < static_cast<int>(fields.size())) Columns()->Add();
      TListItem* item = Items()->Add();
      item->SetImageIndex(-1);
      item->SetCaption(fields[0].Text);
      for (size_t j = 1; j < fields.size(); ++j) item->SubItems()->Add(fields[j].Text);
    }
  } catch (...) {
    Columns()->EndUpdate();
    Items()->EndUpdate();
    throw;
  }
  Columns()->EndUpdate();
  Items()->EndUpdate();
}

// ---------------------------------------------------------------------------
// XML

void TAdvListView::SaveToXML(const String& FileName, const String& ListDescr, const String& RecordDescr,
                             TStrings* FieldDescr, bool SaveWithHTML, bool Unicode) {
  TStringList sl;
  sl.Add(L"<?xml version=\"1.0\"?>");
  sl.Add(L"<" + ListDescr + L">");
  int C = Columns()->Count();
  for (int r = 0; r < Items()->Count(); ++r) {
    TListItem* item = Items()->Item(r);
    sl.Add(L"<" + RecordDescr + L">");
    for (int i = 0; i < C; ++i) {
      String tag = FieldDescr && i < FieldDescr->Count() ? FieldDescr->Strings(i) : L"FIELD" + IntToStr(i);
      sl.Add(L"<" + tag + L">");
      String value;
      if (i == 0 || i - 1 < item->SubItems()->Count()) {
        value = Export(CellText(item, i), SaveWithHTML);
        DoSaveValue(r, i - 1, value);
      }
      // Values are text: markup and quotes are escaped.
      sl.Add(XmlEscape(value));
      sl.Add(L"</" + tag + L">");
    }
    sl.Add(L"</" + RecordDescr + L">");
  }
  sl.Add(L"</" + ListDescr + L">");
  sl.SaveToFile(FileName, Unicode ? TTextEncoding::teUTF16LE : TTextEncoding::teAnsi);
}

// ---------------------------------------------------------------------------
// HTML

void TAdvListView::SaveToHTML(const String& filename, bool SaveWithHTML, bool Unicode) {
  int C = Columns()->Count();
  if (C == 0 || Items()->Count() == 0) return;
  TStringList header, footer;
  if (!FHTMLSettings->HeaderFile().empty()) {
    try {
      header.LoadFromFile(FHTMLSettings->HeaderFile());
    } catch (const Exception&) {
      throw Exception(L"Cannot open header file " + FHTMLSettings->HeaderFile());
    }
  }
  if (!FHTMLSettings->FooterFile().empty()) {
    try {
      footer.LoadFromFile(FHTMLSettings->FooterFile());
    } catch (const Exception&) {
      throw Exception(L"Cannot open footer file " + FHTMLSettings->FooterFile());
    }
  }
  const String q = L"\"";
  auto align = [&](int Column) {
    TAlignment a = ColumnAlignment(Column);
    if (a == TAlignment::taRightJustify) return L" align=" + q + L"right" + q;
    if (a == TAlignment::taCenter) return L" align=" + q + L"center" + q;
    return String();
  };
  // Plain text is escaped; markup kept on purpose stays markup.
  auto text = [&](const String& s) { return SaveWithHTML ? s : XmlEscape(s); };
  TStringList sl;
  for (int i = 0; i < header.Count(); ++i) sl.Add(header.Strings(i));
  if (!FHTMLSettings->PrefixTag().empty()) sl.Add(FHTMLSettings->PrefixTag());
  sl.Add(L"<table border=" + q + IntToStr(FHTMLSettings->BorderSize()) + q + L" cellspacing=" + q +
         IntToStr(FHTMLSettings->CellSpacing()) + q + L" width=" + q + IntToStr(FHTMLSettings->Width()) + L"%" + q +
         L">");
  sl.Add(L"<tr>");
  String headerBack = FHTMLSettings->SaveColor() ? L" BGCOLOR=" + q + HtmlColor(clActiveBorder) + q : String();
  for (int k = 0; k < C; ++k) {
    String s = Export(Columns()->Items(k)->Caption(), SaveWithHTML);
    DoSaveValue(-1, k, s);
    s = s.empty() ? String(L"<BR>") : text(s);
    sl.Add(L"<td nowrap" + align(k) + headerBack + L"><B>" + s + L"</B></td>");
  }
  sl.Add(L"</tr>");
  for (int r = 0; r < Items()->Count(); ++r) {
    TListItem* item = Items()->Item(r);
    sl.Add(L"<tr>");
    int last = item->SubItems()->Count() > 0 ? C - 1 : 0;
    for (int col = 0; col <= last; ++col) {
      String s = Export(CellText(item, col), SaveWithHTML);
      DoSaveValue(r, col - 1, s);
      if (s.compare(0, 2, L"{\\") == 0) s = RichPlainText(r, col - 1);
      String cell;
      if (s.empty()) {
        cell = col == 0 ? L"<br>" : L"<BR>";
      } else if (FURLShow && s.find(L"</") == String::npos &&
                 (s.find(L"://") != String::npos || s.find(L"mailto:") != String::npos)) {
        size_t p = s.find(L"://");
        size_t skip = p != String::npos ? p + 3 : s.find(L"mailto:") + 7;
        String shown = FURLFull ? s : s.substr(skip);
        cell = L"<A HREF=" + q + XmlEscape(s) + q + L">" + XmlEscape(shown) + L"</A>";
      } else {
        cell = text(s);
      }
      FDrawCanvas->Brush()->SetColor(static_cast<TColor>(0x7FFFFFFF));
      FDrawCanvas->Font()->SetColor(static_cast<TColor>(0x7FFFFFFF));
      FDrawCanvas->Font()->SetStyle(TFontStyles());
      DoDrawItemProp(r, col - 1, TOwnerDrawState(), FDrawCanvas->Brush(), FDrawCanvas->Font(), s);
      String back, open, close, styleOpen, styleClose;
      if (FHTMLSettings->SaveColor()) {
        TColor b = FDrawCanvas->Brush()->Color(), f = FDrawCanvas->Font()->Color();
        if (b != static_cast<TColor>(0x7FFFFFFF)) back = L" BGCOLOR=" + q + HtmlColor(b) + q;
        if (f != static_cast<TColor>(0x7FFFFFFF)) {
          open = L"<font color=" + q + HtmlColor(f) + q + L">";
          close = L"</font>";
        }
      }
      if (FHTMLSettings->SaveFonts()) {
        TFontStyles st = FDrawCanvas->Font()->Style();
        if (st.Contains(TFontStyle::fsBold)) {
          styleOpen += L"<B>";
          styleClose = L"</B>" + styleClose;
        }
        if (st.Contains(TFontStyle::fsItalic)) {
          styleOpen += L"<I>";
          styleClose = L"</I>" + styleClose;
        }
        if (st.Contains(TFontStyle::fsUnderline)) {
          styleOpen += L"<U>";
          styleClose = L"</U>" + styleClose;
        }
      }
      sl.Add(L"<td nowrap" + align(col) + back + L">" + open + styleOpen + cell + styleClose + close + L"</td>");
    }
    sl.Add(L"</tr>");
  }
  sl.Add(L"</table><p>");
  if (!FHTMLSettings->SuffixTag().empty()) sl.Add(FHTMLSettings->SuffixTag());
  for (int i = 0; i < footer.Count(); ++i) sl.Add(footer.Strings(i));
  sl.SaveToFile(filename, Unicode ? TTextEncoding::teUTF16LE : TTextEncoding::teAnsi);
}

// ---------------------------------------------------------------------------
// Fixed-width text

void TAdvListView::SaveToAscii(const String& filename, bool SaveWithHTML) {
  TCursor saved = Screen ? Screen->Cursor() : crDefault;
  if (Screen) Screen->SetCursor(crHourGlass);
  struct TRestore {
    TCursor c;
    ~TRestore() {
      if (Screen) Screen->SetCursor(crDefault);
    }
  } restore{saved};
  HANDLE f = CreateFileW(filename.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) throw Exception(L"Cannot create file " + filename);
  struct TClose {
    HANDLE h;
    ~TClose() { CloseHandle(h); }
  } close{f};
  int C = Columns()->Count();
  std::vector<int> order = ColumnOrder();
  auto value = [&](int r, int col) {
    String s = Export(CellText(Items()->Item(r), col), SaveWithHTML);
    DoSaveValue(r, col - 1, s);
    return s;
  };
  auto lines = [](const String& s) {
    std::vector<String> parts;
    size_t start = 0;
    for (;;) {
      size_t p = s.find(L"\r\n", start);
      parts.push_back(s.substr(start, p == String::npos ? String::npos : p - start));
      if (p == String::npos) break;
      start = p + 2;
    }
    return parts;
  };
  // The widest line of each column.
  std::vector<int> widths(static_cast<size_t>(C), 0);
  for (int r = 0; r < Items()->Count(); ++r)
    for (int col = 0; col < C; ++col)
      for (const String& part : lines(value(r, col)))
        widths[col] = Max(widths[col], static_cast<int>(part.size()));
  auto align = [&](String s, int col) {
    int w = widths[col];
    TAlignment a = ColumnAlignment(col);
    if (a == TAlignment::taRightJustify) {
      while (static_cast<int>(s.size()) < w) s.insert(s.begin(), L' ');
    } else if (a == TAlignment::taCenter) {
      while (static_cast<int>(s.size()) < w) s = L" " + s + L" ";
    }
    return s;
  };
  AnsiString out;
  for (int r = 0; r < Items()->Count(); ++r) {
    String main;
    std::vector<String> more;
    int start = 0;
    for (int k = 0; k < C; ++k) {
      int col = order[k];
      std::vector<String> parts = lines(value(r, col));
      String first = align(parts[0], col);
      main += first;
      main += String(static_cast<size_t>(Max(0, widths[col] + 1 - static_cast<int>(first.size()))), L' ');
      for (size_t j = 1; j < parts.size(); ++j) {
        if (more.size() < j) more.resize(j);
        String& line = more[j - 1];
        if (static_cast<int>(line.size()) < start) line += String(static_cast<size_t>(start) - line.size(), L' ');
        line += align(parts[j], col);
      }
      start += widths[col] + 1;
    }
    out += WideToAnsi(main) + "\r\n";
    for (const String& line : more) out += WideToAnsi(line) + "\r\n";
  }
  DWORD written = 0;
  if (!out.empty() && (!WriteFile(f, out.data(), static_cast<DWORD>(out.size()), &written, nullptr) ||
                       written != out.size()))
    throw Exception(L"Cannot write file " + filename);
}
