#include <gtest/gtest.h>

#include "ui/draw/HtmlText.h"

namespace {

struct Pair {
  const wchar_t* in;
  const wchar_t* out;
};

TEST(PlainText, LineBreaksHiddenSectionsAndTags) {
  const Pair cases[] = {
      {L"one<BR>two", L"one\r\ntwo"},
      {L"one<br>two<Br>three", L"one\r\ntwo\r\nthree"},
      {L"a<HR>b", L"a\r\nb"},
      {L"a<hr color=\"#FF0000\">b", L"ab"},  // only the bare forms break lines
      {L"a<Z>hidden</Z>b", L"ab"},
      {L"a<z>hidden</z>b<z>more</z>c", L"abc"},
      {L"a<Z>hidden</z>b", L"ahiddenb"},  // mixed case is no hidden section
      {L"<b>bold</b> and <i>it</i>", L"bold and it"},
      {L"&amp; stays", L"&amp; stays"},
      {L"", L""},
      {L"no tags", L"no tags"},
  };
  for (const auto& c : cases) EXPECT_EQ(HtmlToPlainText(c.in), c.out) << c.in;
}

TEST(PlainText, MalformedTextIsNeverRepeated) {
  // Text before an unterminated section or tag, or a ">" that stands before
  // the next tag, must come out once.
  const Pair cases[] = {
      {L"ab<z>cd", L"abcd"},          // unended section: the tag goes, the text shows
      {L"<b>x</b>ab<Z>cd", L"xabcd"},
      {L"a>b<i>c</i>", L"a>bc"},
      {L"a<b", L"a<b"},               // unterminated tag: the rest as written
      {L"x<b>y<", L"xy<"},
      {L"<b>t</b><z>h</z>", L"t"},    // tags before a hidden section are removed too
  };
  for (const auto& c : cases) EXPECT_EQ(HtmlToPlainText(c.in), c.out) << c.in;
  EXPECT_EQ(StripTags(L"a>b<i>c"), L"a>bc");
  EXPECT_EQ(StripTags(L"<<>>"), L">");
}

TEST(MarkupPositions, VisibleCharactersCountFromOne) {
  struct Case {
    const wchar_t* markup;
    int n;
    int pos;
  } cases[] = {
      {L"<B>abc</B>", 1, 1},  // before the tag: a mark there comes first
      {L"a<b>c", 2, 2},       // right after "a", before the tag
      {L"abc", 3, 3},
      {L"abc", 4, 4},         // the end
      {L"abc", 5, 0},         // past it
      {L"", 1, 1},
      {L"abc", 0, 0},
      {L"a>b", 3, 3},         // a ">" outside a tag is text
      {L"<i>a</i><b>b</b>", 2, 5},
  };
  for (const auto& c : cases) EXPECT_EQ(TextPosToMarkupPos(c.markup, c.n), c.pos) << c.markup << " " << c.n;
}

TEST(MarkupSearch, FindInTextFromAnOffset) {
  int p = -1;
  EXPECT_EQ(FindInText(L"b", L"abcabc", 0, p, true), 2);
  EXPECT_EQ(p, 2);
  EXPECT_EQ(FindInText(L"b", L"abcabc", 2, p, true), 5);
  EXPECT_EQ(FindInText(L"B", L"abcabc", 0, p, true), 0);
  EXPECT_EQ(p, 0);
  EXPECT_EQ(FindInText(L"B", L"abcabc", 3, p, false), 5);
  EXPECT_EQ(FindInText(L"b", L"abc", 10, p, false), 0);
}

TEST(MarkupSearch, InsertMarkTags) {
  struct Case {
    const wchar_t* markup;
    const wchar_t* sub;
    bool caseSensitive;
    const wchar_t* result;
  } cases[] = {
      {L"hello world", L"xyz", true, L"hello world"},
      {L"Hello hello", L"hello", false, L"<hi>Hello</hi> <hi>hello</hi>"},
      {L"Hello hello", L"hello", true, L"Hello <hi>hello</hi>"},
      {L"<B>abc</B>", L"a", true, L"<hi><B>a</hi>bc</B>"},
      {L"<b>Hello</b> world", L"lo w", true, L"<b>Hel<hi>lo</b> w</hi>orld"},
      {L"aaaa", L"aa", true, L"<hi>aa</hi><hi>aa</hi>"},  // adjacent matches are both marked
      {L"abab", L"ab", true, L"<hi>ab</hi><hi>ab</hi>"},
      {L"x", L"", true, L"x"},
  };
  for (const auto& c : cases) {
    String r;
    InsertMarkTags(c.markup, c.sub, L"hi", r, c.caseSensitive);
    EXPECT_EQ(r, c.result) << c.markup << " / " << c.sub;
  }
}

TEST(MarkupSearch, MarkingThenRemovingGivesTheMarkupBack) {
  const String markup = L"<p align=\"right\">Find <b>me</b> and me</p>";
  String marked, back;
  InsertMarkTags(markup, L"me", L"e", marked, true);
  EXPECT_NE(marked, markup);
  RemoveMarkTags(marked, L"e", back);
  EXPECT_EQ(back, markup);
}

TEST(MarkupSearch, RemoveMarkTagsInAnyCase) {
  String r;
  RemoveMarkTags(L"<HI>a</hi> <Hi>b</HI>", L"hi", r);
  EXPECT_EQ(r, L"a b");
  RemoveMarkTags(L"<<hi>hi>x<</hi>/hi>", L"hi", r);  // removals that join into new ones
  EXPECT_EQ(r, L"x");
  RemoveMarkTags(L"<b>keep</b>", L"hi", r);
  EXPECT_EQ(r, L"<b>keep</b>");
}

TEST(Preparation, LineBreaks) {
  String r;
  StripLineBreaks(L"a\r\nb", false, r);
  EXPECT_EQ(r, L"ab");
  StripLineBreaks(L"a\r\nb\rc", true, r);
  EXPECT_EQ(r, L"a<BR>b<BR>c");
  StripLineBreaks(L"a\nb", true, r);
  EXPECT_EQ(r, L"ab");  // a lone line feed joins the lines
}

TEST(Preparation, FieldMarkers) {
  const Pair cases[] = {
      {L"<#name>", L"#name"},
      {L"x <#a> and <#b>!", L"x #a and #b!"},
      {L"<#abc", L"#abc"},
      {L"<#a <b>c", L"#a <bc"},   // the first ">" after the marker goes
      {L"<<#a>#", L"#a#"},        // the removal joins "<" and "#" into a new marker
      {L"<#x<>#", L"#x#"},
      {L"<", L"<"},
      {L"", L""},
  };
  for (const auto& c : cases) {
    String r;
    UnwrapFieldMarkers(c.in, r);
    EXPECT_EQ(r, c.out) << c.in;
  }
}

TEST(Preparation, EntitiesInAnyCaseUntilNoneIsLeft) {
  const Pair cases[] = {
      {L"&amp;", L"&&"},
      {L"&AMP;", L"&&"},
      {L"a &quot;b&quot;", L"a \"b\""},
      {L"&sect;&permil;&reg;&copy;&para;&trade;&euro;", L"\u00A7\u2030\u00AE\u00A9\u00B6\u2122\u20AC"},
      {L"&amp;quot;", L"&\""},  // the second "&" starts another entity
      {L"&amp;amp;", L"&&&"},
      {L"&unknown; & &amp", L"&unknown; & &amp"},
      {L"&nbsp;&lt;", L"&nbsp;&lt;"},  // these belong to runs
      {L"&", L"&"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReplaceHtmlEntities(c.in), c.out) << c.in;
}

TEST(Preparation, LongInputsStayLinear) {
  String many;
  for (int i = 0; i < 200000; ++i) many += L"&amp;";
  EXPECT_EQ(ReplaceHtmlEntities(many).size(), 400000u);
  String markers;
  for (int i = 0; i < 100000; ++i) markers += L"<#";
  String r;
  UnwrapFieldMarkers(markers, r);
  EXPECT_EQ(r, String(100000, L'#'));
  String tags;
  for (int i = 0; i < 100000; ++i) tags += L"<hi>";
  RemoveMarkTags(tags, L"hi", r);
  EXPECT_TRUE(r.empty());
}

}  // namespace
