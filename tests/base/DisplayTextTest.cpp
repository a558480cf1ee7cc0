#include <gtest/gtest.h>

#include "base/DisplayText.h"

namespace {

struct Case {
  const wchar_t* In;
  TDisplayLimits Limits;
  const wchar_t* Out;
};

constexpr TDisplayLimits kTiny{10, 3, 4, true};
constexpr TDisplayLimits kShort{8, 1, 8, false};

TEST(SafeDisplayText, ShowsWhatControlsCannotAndCutsWhatIsTooLong) {
  const Case cases[] = {
      {L"", DisplaySingleLine, L""},
      {L"Hello, world", DisplaySingleLine, L"Hello, world"},
      // Controls, DEL and C1 as two digits; a tab is a control too.
      {L"a\tb\x1b\x7f\x98", DisplaySingleLine, L"a<09>b<1B><7F><98>"},
      // The modifier letter that wine's layout crashes on at a line start.
      {L"\x02DC" L"abc", DisplaySingleLine, L"<U+02DC>abc"},
      // Direction overrides and marks, byte order marks, non-characters.
      {L"\x202E" L"x\x200F\xFEFF\xFFFF", DisplaySingleLine, L"<U+202E>x<U+200F><U+FEFF><U+FFFF>"},
      // A pair stays, a lone half of one does not.
      {L"\xD83D\xDE00|\xD83D|\xDE00", DisplaySingleLine, L"\xD83D\xDE00|<U+D83D>|<U+DE00>"},
      // Single line: line breaks are codes.
      {L"a\r\nb", DisplaySingleLine, L"a<0D><0A>b"},
      // Several lines: CR, LF and CR LF all become CR LF.
      {L"a\rb\nc", DisplayTextPanel, L"a\r\nb\r\nc"},
      {L"a\r\nb", DisplayTextPanel, L"a\r\nb"},
      // Cut with a mark that counts what is left out.
      {L"0123456789abc", kShort, L"01234567 ... [5 more characters]"},
      // A long line is broken at a space, or where it must.
      {L"ab cdef", kTiny, L"ab \r\ncdef"},
      {L"abcdefg", kTiny, L"abcd\r\nefg"},
      // Too many lines: the rest is cut.
      {L"a\nb\nc\nd\ne", kTiny, L"a\r\nb\r\nc ... [4 more characters]"},
  };
  for (const Case& c : cases) EXPECT_EQ(SafeDisplayText(c.In, c.Limits), c.Out) << testing::PrintToString(String(c.In));
}

TEST(SafeDisplayText, LongTextsCostWhatIsShownNotWhatCame) {
  // 64 KiB of line breaks, of one line and of controls: each is cut within
  // the panel's bounds and says how much was left.
  for (const String& text : {String(65536, L'\n'), String(65536, L'x'), String(65536, L'\t'), String(65536, L'\x02DC')}) {
    String shown = SafeDisplayText(text, DisplayTextPanel);
    EXPECT_LE(shown.size(), DisplayTextPanel.MaxChars + 64);
    size_t lines = 1;
    for (size_t i = 0; i + 1 < shown.size(); ++i)
      if (shown[i] == L'\r' && shown[i + 1] == L'\n') ++lines;
    EXPECT_LE(lines, DisplayTextPanel.MaxLines);
    EXPECT_NE(shown.find(L" more characters]"), String::npos);
  }
}

}  // namespace
