#include "base/DisplayText.h"

#include <algorithm>
#include <string>

namespace {

const wchar_t kHex[] = L"0123456789ABCDEF";

bool IsHigh(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Whether the character is written as its code; Short: as two digits.
bool ShownAsCode(wchar_t c, bool& Short) {
  Short = c < 0x20 || (c >= 0x7F && c <= 0x9F);
  if (Short) return true;
  return (c >= 0x02B0 && c <= 0x02FF) ||                   // spacing modifier letters
         (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) ||  // embeddings, isolates
         c == 0x200E || c == 0x200F || c == 0x061C ||      // direction marks
         c == 0xFEFF || c == 0xFFFE || c == 0xFFFF || (c >= 0xFDD0 && c <= 0xFDEF);
}

void AppendCode(String& Out, wchar_t c, bool Short) {
  Out += Short ? L"<" : L"<U+";
  if (!Short) {
    Out += kHex[(c >> 12) & 15];
    Out += kHex[(c >> 8) & 15];
  }
  Out += kHex[(c >> 4) & 15];
  Out += kHex[c & 15];
  Out += L'>';
}

}  // namespace

String SafeDisplayText(const String& Text, const TDisplayLimits& Limits) {
  String out;
  out.reserve(std::min(Text.size(), Limits.MaxChars) + 48);
  size_t lines = 1;
  size_t lineStart = 0;  // in out
  size_t lastSpace = String::npos;  // in out: just after the last space of this line
  size_t i = 0;
  const size_t n = Text.size();
  bool cut = false;
  auto newLine = [&](size_t at) {
    out.insert(at, L"\r\n");
    ++lines;
    lineStart = at + 2;
    lastSpace = String::npos;
  };
  while (i < n) {
    if (out.size() >= Limits.MaxChars) {
      cut = true;
      break;
    }
    wchar_t c = Text[i];
    if (Limits.MultiLine && (c == L'\r' || c == L'\n')) {
      if (lines >= Limits.MaxLines) {
        cut = true;
        break;
      }
      i += c == L'\r' && i + 1 < n && Text[i + 1] == L'\n' ? 2 : 1;
      newLine(out.size());
      continue;
    }
    size_t before = out.size();
    size_t from = i;
    bool isShort = false;
    if (IsHigh(c) && i + 1 < n && IsLow(Text[i + 1])) {
      out += c;
      out += Text[i + 1];
      i += 2;
    } else {
      if (IsHigh(c) || IsLow(c) || ShownAsCode(c, isShort)) AppendCode(out, c, isShort);
      else out += c;
      ++i;
    }
    if (!Limits.MultiLine) continue;
    if (out.size() - lineStart > Limits.LineChars) {
      if (lines >= Limits.MaxLines) {
        // The character that does not fit is not shown.
        out.resize(before);
        i = from;
        cut = true;
        break;
      }
      // At the last space when it leaves the line half full, else before
      // this character.
      size_t at = lastSpace != String::npos && lastSpace - lineStart >= Limits.LineChars / 2 ? lastSpace : before;
      newLine(at);
    }
    if (c == L' ') lastSpace = out.size();
  }
  if (cut) {
    out += L" ... [";
    out += std::to_wstring(n - i);
    out += L" more characters]";
  }
  return out;
}
