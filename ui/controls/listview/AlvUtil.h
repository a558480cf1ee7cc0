// Text routines of the list view's files and exports, its string list with
// a read pointer, and the progress-bar painter of its cells.
#pragma once

#include "base/Graphics.h"
#include "base/Lists.h"

// A string list read line by line and written a bit at a time.
class TFileStringList : public TStringList {
  VANTREL_CLASS(TFileStringList)
 public:
  int fp = 0;        // the next line to read
  String cache;      // written and not yet ended by WriteLn
  void Reset();
  bool Eof() const { return fp >= Count(); }
  void ReadLn(String& s);
  void Write(const String& s) { cache += s; }
  void WriteLn(const String& s);
};

// CR becomes TAB and LF becomes BS, so that a cell of several lines fits on
// one line of a file; DecodeLineBreaks turns them back, the whole text or
// (Whole false) its first line only.
String EncodeLineBreaks(const String& s);
String DecodeLineBreaks(const String& s, bool Whole);
// first := the text up to its first CR; the CR (and an LF right after it)
// and what precedes them leave text, and with Keep false the rest goes too.
// Without a CR: first := text, text := "".
void SplitFirstLine(String& text, bool Keep, String& first);
// The 1-based position of the first sep that stands alone (not doubled), 0
// when none; a sep at the very end always counts.
int SinglePos(wchar_t sep, const String& text);
// How many single seps SinglePos finds, cutting the text after each.
int SingleCount(wchar_t sep, const String& text);

// A progress-bar cell: the part up to Value percent in ColorFrom, the rest
// in ColorTo, the value text (ValueFormat with Value) centred over both and
// changing colour where the bar ends, a grey frame inside the rectangle.
void DrawProgressBar(TCanvas* Canvas, TRect R, TColor ColorFrom, TColor FontColorFrom, TColor ColorTo,
                     TColor FontColorTo, int Value, const String& ValueFormat, bool ShowValue);
