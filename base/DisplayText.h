// Text that came from outside (the network, a file), made safe to hand to a
// control. The platform's controls can stall on long lines and many lines
// (their layout time grows faster than the text) and, under wine with some
// fonts, crash on a spacing modifier letter at the start of a line; control
// characters and bidirectional overrides would hide or reorder what is shown.
// The text itself is kept as it came wherever it is stored; only what a
// control shows goes through here.
#pragma once

#include <cstddef>

#include "base/Types.h"

struct TDisplayLimits {
  size_t MaxChars;   // characters shown at most; the rest is cut with a mark
  size_t MaxLines;   // lines shown at most (MultiLine)
  size_t LineChars;  // a longer line is broken, at a space where it can be
  bool MultiLine;    // line breaks stay (as CR LF); else they are shown as codes
};

// A single-line place: a label, an edit, a list cell, a balloon.
constexpr TDisplayLimits DisplaySingleLine{256, 1, 256, false};
// A text panel or log of several lines.
constexpr TDisplayLimits DisplayTextPanel{4096, 200, 160, true};

// What a control shows of Text: control characters (C0 but CR and LF in
// multi-line places, DEL, C1) as "<XX>" (their code in hexadecimal), spacing
// modifier letters, bidirectional controls, byte order marks, non-characters
// and unpaired surrogates as "<U+XXXX>"; CR, LF and CR LF as CR LF; lines
// longer than LineChars broken; a text beyond MaxChars or MaxLines cut and
// ended by " ... [N more characters]", N counted in Text. Linear in the
// length of what is shown.
String SafeDisplayText(const String& Text, const TDisplayLimits& Limits);
