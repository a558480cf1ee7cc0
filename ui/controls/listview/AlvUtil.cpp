#include "ui/controls/listview/AlvUtil.h"

void TFileStringList::Reset() {
  fp = 0;
  cache.clear();
}

void TFileStringList::ReadLn(String& s) {
  s = Strings(fp);
  ++fp;
}

void TFileStringList::WriteLn(const String& s) {
  Add(cache + s);
  cache.clear();
}

String EncodeLineBreaks(const String& s) {
  String r = s;
  for (wchar_t& c : r) {
    if (c == L'\r') c = L'\t';
    else if (c == L'\n') c = L'\b';
  }
  return r;
}

String DecodeLineBreaks(const String& s, bool Whole) {
  String r = s;
  for (wchar_t& c : r) {
    if (c == L'\t') c = L'\r';
    else if (c == L'\b') c = L'\n';
  }
  if (Whole) return r;
  String first;
  SplitFirstLine(r, false, first);
  return first;
}

void SplitFirstLine(String& text, bool Keep, String& first) {
  size_t p = text.find(L'\r');
  if (p == String::npos) {
    first = text;
    text.clear();
    return;
  }
  first = text.substr(0, p);
  size_t rest = p + 1;
  if (rest < text.size() && text[rest] == L'\n') ++rest;
  text.erase(0, rest);
  if (!Keep) text.clear();
}

int SinglePos(wchar_t sep, const String& text) {
  size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    if (text[i] != sep) continue;
    if (i + 1 == n) return static_cast<int>(i + 1);
    if (text[i + 1] != sep && (i == 0 || text[i - 1] != sep)) return static_cast<int>(i + 1);
  }
  return 0;
}

int SingleCount(wchar_t sep, const String& text) {
  String t = text;
  int count = 0;
  for (int p; (p = SinglePos(sep, t)) > 0;) {
    t.erase(0, static_cast<size_t>(p));
    ++count;
  }
  return count;
}

void DrawProgressBar(TCanvas* Canvas, TRect R, TColor ColorFrom, TColor FontColorFrom, TColor ColorTo,
                     TColor FontColorTo, int Value, const String& ValueFormat, bool ShowValue) {
  Canvas->Brush()->SetColor(ColorFrom);
  Canvas->Pen()->SetColor(ColorFrom);
  Canvas->Font()->SetColor(FontColorFrom);
  String text = ShowValue ? Format(ValueFormat, {Value}) : String();
  TSize ext = Canvas->TextExtent(text);
  R.Inflate(-2, -2);
  int fill = R.left + static_cast<int>(Round(static_cast<double>(R.Width()) * Value / 100.0));
  int x = R.left + (R.Width() - ext.cx) / 2;
  int y = R.top + (R.Height() - ext.cy) / 2;
  Canvas->TextRect(TRect(R.left, R.top, fill, R.bottom), x, y, text);
  Canvas->Brush()->SetColor(ColorTo);
  Canvas->Pen()->SetColor(ColorTo);
  Canvas->Font()->SetColor(FontColorTo);
  Canvas->TextRect(TRect(fill, R.top, R.right, R.bottom), x, y, text);
  Canvas->Brush()->SetColor(clGray);
  Canvas->Pen()->SetColor(clGray);
  R.Inflate(1, 1);
  Canvas->FrameRect(R);
}
