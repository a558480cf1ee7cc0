#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>
#include <memory>
#include <random>
#include <vector>

#include "base/ImgList.h"
#include "tests/html/HtmlTestData.h"
#include "tests/support/Gui.h"
#include "ui/draw/HtmlRender.h"
#include "ui/draw/PictureContainer.h"

namespace {

// Renders markup into a white bitmap through the real GDI and keeps the
// results; widths and heights are taken from the same canvas and font.
struct Html : ::testing::Test {
  std::unique_ptr<TBitmap> Bmp;
  TCanvas* C = nullptr;
  THtmlRenderParams P;
  THtmlRenderResult R;
  bool Hit = false;

  void SetUp() override {
    Bmp = std::make_unique<TBitmap>(400, 300);
    C = Bmp->Canvas();
    C->Font()->SetName(L"Tahoma");
    C->Font()->SetSize(10);
    C->Font()->SetColor(clBlack);
    Clear();
    P.Canvas = C;
    P.R = TRect(10, 10, 390, 290);
  }
  void Clear() {
    C->Brush()->SetColor(clWhite);
    C->FillRect(TRect(0, 0, Bmp->Width(), Bmp->Height()));
  }
  bool Render(const String& html) {
    P.HTML = html;
    R = THtmlRenderResult();
    Hit = RenderHtml(P, R);
    return Hit;
  }
  // Width and height in the canvas font changed by Setup.
  int Width(const String& text, TFontStyles style = {}, int size = 10) {
    TFontStyles s = C->Font()->Style();
    int z = C->Font()->Size();
    C->Font()->SetStyle(style);
    C->Font()->SetSize(size);
    int w = C->TextWidth(text);
    C->Font()->SetStyle(s);
    C->Font()->SetSize(z);
    return w;
  }
  int Gh(int size = 10) {
    int z = C->Font()->Size();
    C->Font()->SetSize(size);
    int h = C->TextHeight(L"gh");
    C->Font()->SetSize(z);
    return h;
  }
  int Count(TColor color, const TRect& r, int tolerance = 0) { return CountPixels(Bmp.get(), r, color, tolerance); }
  int Count(TColor color) { return Count(color, TRect(0, 0, Bmp->Width(), Bmp->Height())); }
  // The bounds of every pixel that is not white.
  TRect Ink(const TRect& area) {
    TRect r(area.right, area.bottom, area.left - 1, area.top - 1);
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (PixelAt(Bmp.get(), x, y) != clWhite) {
          r.left = Min<LONG>(r.left, x);
          r.top = Min<LONG>(r.top, y);
          r.right = Max<LONG>(r.right, x + 1);
          r.bottom = Max<LONG>(r.bottom, y + 1);
        }
    return r;
  }
  TRect Ink() { return Ink(TRect(0, 0, Bmp->Width(), Bmp->Height())); }
};

// ---------------------------------------------------------------------------
// Stripped text

TEST_F(Html, StrippedTextOfEveryRunOnce) {
  struct Case {
    const wchar_t* html;
    const wchar_t* text;
  } cases[] = {
      {L"Hello <b>World</b>", L"Hello World"},
      {L"one<br>two", L"one\rtwo"},
      {L"one\r\ntwo", L"one\rtwo"},
      {L"one\ntwo", L"onetwo"},
      {L"a<z>hidden</z>b", L"ahiddenb"},
      {L"x &lt;tag&gt; &NBSP;y", L"x <tag>  y"},
      {L"a &amp; b", L"a && b"},
      {L"  padded  ", L"padded"},
      {L"<#field> value", L"#field value"},
      {L"<unknown attr=\"1\">text</unknown>", L"text"},
      {L"a < b > c", L"a  c"},  // a "<" in text starts a tag
      {L"", L""},
  };
  for (const auto& c : cases) {
    for (bool checkHeight : {true, false}) {
      P.CheckHeight = checkHeight;
      Render(c.html);
      EXPECT_EQ(R.StrippedText, c.text) << c.html << (checkHeight ? " measured" : " drawn");
    }
  }
}

// ---------------------------------------------------------------------------
// Sizes

TEST_F(Html, EmptyMarkupIsOneLineHighAndNothingWide) {
  EXPECT_FALSE(Render(L""));
  EXPECT_EQ(R.XSize, 0);
  EXPECT_EQ(R.YSize, Gh());
  EXPECT_EQ(R.MouseLink, -1);
  EXPECT_TRUE(Ink().IsEmpty());
}

TEST_F(Html, SizesFollowTheFonts) {
  Render(L"Hello");
  EXPECT_EQ(R.XSize, Width(L"Hello") + 2);
  EXPECT_EQ(R.YSize, Gh());
  Render(L"<b>Bold</b> x");
  EXPECT_EQ(R.XSize, Width(L"Bold", {TFontStyle::fsBold}) + Width(L" x") + 2);
  Render(L"<font size=\"20\">Big</font>");
  EXPECT_EQ(R.XSize, Width(L"Big", {}, 20) + 2);
  EXPECT_EQ(R.YSize, Gh(20));
  Render(L"<font size=3>Plus four</font>");  // 1..5 grow the base size; quotes optional
  EXPECT_EQ(R.XSize, Width(L"Plus four", {}, 14) + 2);
  Render(L"<font style=\"font-size:16pt\">Styled</font>");
  EXPECT_EQ(R.XSize, Width(L"Styled", {}, 16) + 2);
  Render(L"one<br>two<br><br>four");
  EXPECT_EQ(R.YSize, 4 * Gh());
  EXPECT_EQ(R.XSize, Width(L"four") + 2);
  P.LineSpacing = 3;
  Render(L"one<br>two");
  EXPECT_EQ(R.YSize, 2 * (Gh() + 3));
}

TEST_F(Html, TrailingBlankIsNotCountedAndSubscriptsAddSpace) {
  Render(L"word ");
  EXPECT_EQ(R.XSize, Width(L"word") + 2);
  Render(L"H<sub>2</sub>O");
  EXPECT_EQ(R.YSize, Gh() + Gh() / 4);
  Render(L"x<sup>2</sup>");
  EXPECT_EQ(R.YSize, Gh() + Gh() / 4);
}

TEST_F(Html, WordWrapBreaksAtBlanksAndKeepsLongWords) {
  const int w = Max(Width(L"alpha beta "), Width(L"gamma delta"));
  P.R = TRect(10, 10, 10 + w + 2, 290);
  Render(L"alpha beta gamma delta");
  EXPECT_EQ(R.YSize, 2 * Gh());
  EXPECT_EQ(R.StrippedText, L"alpha beta gamma delta");  // a wrapped word comes out once
  EXPECT_EQ(R.XSize, Max(Width(L"alpha beta"), Width(L"gamma delta")) + 2);
  // A word wider than the line stays on it and is cut at the right edge.
  Clear();
  P.R = TRect(10, 10, 40, 290);
  Render(L"Supercalifragilistic");
  EXPECT_EQ(R.YSize, Gh());
  TRect ink = Ink();
  EXPECT_GT(ink.Width(), 0);
  EXPECT_LE(ink.right, 40);
}

TEST_F(Html, WithoutWordWrapEachBreakIsOneLineCutWithAnEllipsis) {
  P.WordWrap = false;
  P.R = TRect(10, 10, 80, 290);
  const String longText = L"a long line of text that cannot fit";
  Render(longText + L"<br>second");
  EXPECT_EQ(R.YSize, 2 * Gh());
  EXPECT_LE(Ink().right, 80);
  // The first line is the platform's own end-ellipsis drawing of the text.
  const int gh = Gh();
  TBitmap ref(400, 300);
  ref.Canvas()->Brush()->SetColor(clWhite);
  ref.Canvas()->FillRect(TRect(0, 0, 400, 300));
  ref.Canvas()->Font()->Assign(C->Font());
  ref.Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
  TRect line(10, 10, 80, 10 + gh);
  ref.Canvas()->TextRect(line, longText, DT_SINGLELINE | DT_BOTTOM | DT_EXPANDTABS | DT_EXTERNALLEADING | DT_END_ELLIPSIS);
  int differ = 0;
  for (int y = 10; y < 10 + gh; ++y)
    for (int x = 0; x < 100; ++x) differ += PixelAt(&ref, x, y) != PixelAt(Bmp.get(), x, y);
  EXPECT_EQ(differ, 0);
}

TEST_F(Html, WithoutWordWrapARunStartingAtTheRightEdgeIsNotDrawn) {
  P.WordWrap = false;
  const int abc = Width(L"abc");
  P.R = TRect(10, 10, 10 + abc + Width(L"l") / 2, 290);
  Render(L"abc<b>WWW</b>");
  EXPECT_LE(Ink().right, 10 + abc + 1);
}

TEST_F(Html, MeasuringAllLinesOnlyWithCheckHeight) {
  P.R = TRect(10, 10, 390, 10 + 2 * Gh());
  String html;
  for (int i = 0; i < 10; ++i) html += L"line<br>";
  Render(html);
  const int drawn = R.YSize;
  EXPECT_LT(drawn, 10 * Gh());
  P.CheckHeight = true;
  Clear();
  Render(html);
  EXPECT_EQ(R.YSize, 10 * Gh());
  EXPECT_TRUE(Ink().IsEmpty());  // measuring draws nothing
}

TEST_F(Html, ListsIndentTwelvePixelsPerLevel) {
  P.CheckHeight = true;
  Render(L"<ul><li>item</ul>");
  EXPECT_EQ(R.XSize, 12 + Width(L"item") + 2);
  Render(L"<ul><li>a<ul><li>deep</ul></ul>");
  EXPECT_EQ(R.XSize, 24 + Width(L"deep") + 2);
  // Two items in one source line are two lines.
  Render(L"<ul><li>one<li>two</ul>");
  EXPECT_EQ(R.YSize, 2 * Gh());
}

// ---------------------------------------------------------------------------
// Anchors and hit tests

TEST_F(Html, HitTestingFindsTheAnchorUnderThePoint) {
  const String html = L"Go <a href=\"http://x/\" title=\"Tip\">link</a> and <a href=\"mailto:y\">mail</a>";
  const int top = P.R.top, gh = Gh();
  const int linkLeft = P.R.left + Width(L"Go "), linkRight = P.R.left + Width(L"Go link");
  struct Case {
    int x;
    bool checkOnly;
    bool hit;
    const wchar_t* href;
    int mouseLink;
  } cases[] = {
      {linkLeft + 3, true, true, L"http://x/", 1},
      {P.R.left + 3, true, false, L"", -1},
      {P.R.left + Width(L"Go link and ") + 3, true, true, L"mailto:y", 2},
      {linkLeft + 3, false, false, L"http://x/", 1},  // a drawing call only reports image anchors
  };
  for (const auto& c : cases) {
    P.X = c.x;
    P.Y = top + gh / 2;
    P.CheckOnly = c.checkOnly;
    Render(html);
    EXPECT_EQ(Hit, c.hit) << c.x;
    EXPECT_EQ(R.AnchorVal, c.href) << c.x;
    EXPECT_EQ(R.MouseLink, c.mouseLink) << c.x;
    EXPECT_EQ(R.HyperLinks, 2);
  }
  P.X = linkLeft + 3;
  P.CheckOnly = true;
  Render(html);
  EXPECT_EQ(R.FocusAnchor, L"Tip");
  EXPECT_EQ(R.HoverRect, TRect(linkLeft, top, linkRight, top + gh));
}

TEST_F(Html, AnchorsWithoutTargetAndPointsBelowTheTextMiss) {
  P.CheckOnly = true;
  P.X = P.R.left + 5;
  P.Y = P.R.top + Gh() / 2;
  EXPECT_FALSE(Render(L"<a name=\"x\">no target</a>"));
  EXPECT_EQ(R.MouseLink, -1);
  P.Y = P.R.top + Gh() * 3;
  EXPECT_FALSE(Render(L"<a href=\"x\">link</a>"));
}

TEST_F(Html, AnchorOnAWrappedSecondLine) {
  // Narrower than both words, wider than the second alone.
  P.R = TRect(10, 10, 10 + Width(L"first second") - 2, 290);
  P.CheckOnly = true;
  P.X = 12;
  P.Y = 10 + Gh() + Gh() / 2;
  EXPECT_TRUE(Render(L"first <a href=\"second\">second</a>"));
  EXPECT_EQ(R.AnchorVal, L"second");
  EXPECT_EQ(R.HoverRect.top, 10 + Gh());
}

TEST_F(Html, RightAlignedAnchorsAreHitWhereTheyAreDrawn) {
  P.CheckOnly = true;
  const int w = Width(L"link");
  P.X = P.R.right - w / 2;
  P.Y = P.R.top + Gh() / 2;
  EXPECT_TRUE(Render(L"<p align=\"right\"><a href=\"r\">link</a></p>"));
  P.X = P.R.left + w / 2;
  EXPECT_FALSE(Render(L"<p align=\"right\"><a href=\"r\">link</a></p>"));
}

// ---------------------------------------------------------------------------
// Pixels

TEST_F(Html, MarkupColoursAndTheirNames) {
  C->Font()->SetSize(16);
  C->Font()->SetStyle({TFontStyle::fsBold});
  struct Case {
    const wchar_t* html;
    TColor color;
  } cases[] = {
      {L"<font color=\"#FF0000\">MMMM</font>", 0x0000FF},
      {L"<font color=\"#00ff00\">MMMM</font>", 0x00FF00},  // lower-case digits
      {L"<font color=\"clBlue\">MMMM</font>", 0xFF0000},
      {L"<font color=\"clnavy\">MMMM</font>", 0x800000},
  };
  for (const auto& c : cases) {
    Clear();
    Render(c.html);
    EXPECT_GT(Count(c.color), 20) << c.html;
    // With the markup's colours ignored the text stays in the base colour.
    Clear();
    P.IgnoreColors = true;
    Render(c.html);
    EXPECT_EQ(Count(c.color), 0) << c.html;
    EXPECT_GT(Count(clBlack), 20) << c.html;
    P.IgnoreColors = false;
  }
  // A name without "cl", or a colour without quotes, gives black or nothing.
  Clear();
  Render(L"<font color=\"red\">MMMM</font>");
  EXPECT_GT(Count(clBlack), 20);
  EXPECT_EQ(Count(clRed), 0);
  Clear();
  Render(L"<font color=#FF0000>MMMM</font>");
  EXPECT_EQ(Count(clRed), 0);
}

TEST_F(Html, BackgroundsBehindRunsBandsAndBody) {
  const int gh = Gh();
  Render(L"<font bgcolor=\"#00FF00\">text</font> plain");
  EXPECT_EQ(PixelAt(Bmp.get(), P.R.left + 1, P.R.top + 1), clLime);
  EXPECT_EQ(PixelAt(Bmp.get(), P.R.left + Width(L"text plain") - 1, P.R.top + 1), clWhite);
  Clear();
  Render(L"<span style=\"background-color:#0000FF\">span</span>");
  EXPECT_EQ(PixelAt(Bmp.get(), P.R.left + 1, P.R.top + 1), clBlue);
  Clear();
  Render(L"<p bgcolor=\"#FFFF00\">band</p>");
  EXPECT_EQ(PixelAt(Bmp.get(), P.R.right - 2, P.R.top + gh / 2), clYellow);  // across the whole width
  EXPECT_EQ(PixelAt(Bmp.get(), P.R.right - 2, P.R.top + gh + 4), clWhite);
  Clear();
  Render(L"<body bgcolor=\"#FF00FF\">body</body>");
  EXPECT_EQ(PixelAt(Bmp.get(), P.R.right - 1, P.R.bottom - 1), clFuchsia);
  EXPECT_EQ(PixelAt(Bmp.get(), P.R.left - 2, P.R.top), clFuchsia);  // two pixels further left
  EXPECT_EQ(PixelAt(Bmp.get(), P.R.right + 1, P.R.top), clWhite);
  Clear();
  P.IgnoreColors = true;
  Render(L"<body bgcolor=\"#FF00FF\">body</body>");
  EXPECT_EQ(Count(clFuchsia), 0);
}

TEST_F(Html, GradientsOfBodyAndParagraph) {
  Render(L"<body bgcolor=\"#000000\" bgcolorto=\"#FFFFFF\">x</body>");
  TColor left = PixelAt(Bmp.get(), P.R.left, P.R.bottom - 2), right = PixelAt(Bmp.get(), P.R.right - 1, P.R.bottom - 2);
  EXPECT_EQ(left, 0);
  EXPECT_GT(right & 0xFF, 0xF0);
  EXPECT_EQ(PixelAt(Bmp.get(), P.R.left + 5, P.R.top), PixelAt(Bmp.get(), P.R.left + 5, P.R.bottom - 1));
  Clear();
  Render(L"<body bgcolor=\"#000000\" bgcolorto=\"#FFFFFF\" dir=\"v\">x</body>");
  EXPECT_EQ(PixelAt(Bmp.get(), P.R.right - 1, P.R.top), 0);
  EXPECT_GT(PixelAt(Bmp.get(), P.R.left, P.R.bottom - 1) & 0xFF, 0xF0);
  Clear();
  Render(L"<p bgcolor=\"#0000FF\" bgcolorto=\"#FF0000\">band</p>");
  EXPECT_EQ(PixelAt(Bmp.get(), P.R.left, P.R.top + 2), clBlue);
  TColor end = PixelAt(Bmp.get(), P.R.right - 1, P.R.top + 2);
  EXPECT_GT(end & 0xFF, 0xF0);
}

TEST_F(Html, LinksTakeTheLinkColourAndAnUnderline) {
  C->Font()->SetSize(14);
  P.URLColor = clGreen;
  Render(L"<a href=\"x\">MMMM</a> after");
  EXPECT_GT(Count(clGreen), 20);
  const TRect ink = Ink(TRect(P.R.left, P.R.top, P.R.left + Width(L"MMMM", {}, 14), P.R.top + Gh(14)));
  // The underline: one full row of link colour under the letters.
  int full = 0;
  for (int y = ink.top; y < ink.bottom; ++y)
    if (Count(clGreen, TRect(ink.left + 1, y, ink.right - 1, y + 1)) == ink.Width() - 2) ++full;
  EXPECT_GE(full, 1);
  // Hovering only: no underline unless the anchor is the hovered one.
  Clear();
  P.Hover = true;
  P.HoverLink = 2;
  Render(L"<a href=\"x\">MMMM</a>");
  full = 0;
  for (int y = ink.top; y < ink.bottom; ++y)
    if (Count(clGreen, TRect(ink.left + 1, y, ink.right - 1, y + 1)) == ink.Width() - 2) ++full;
  EXPECT_EQ(full, 0);
  Clear();
  P.HoverLink = 1;
  P.HoverColor = clYellow;
  P.HoverFontColor = clRed;
  Render(L"<a href=\"x\">MMMM</a>");
  EXPECT_GT(Count(clYellow), 20);
  EXPECT_GT(Count(clRed), 20);
}

TEST_F(Html, RulesZigzagsShadowsAndHighlights) {
  const int gh = Gh();
  Render(L"above<hr color=\"#FF0000\">below");
  EXPECT_EQ(Count(clRed, TRect(P.R.left, P.R.top + gh, P.R.right, P.R.top + gh + 1)), P.R.Width());
  Clear();
  Render(L"<e>wrong</e> right");
  const int wrong = Width(L"wrong");
  EXPECT_GT(Count(clRed, TRect(P.R.left, P.R.top + gh - 2, P.R.left + wrong, P.R.top + gh + 2)), wrong / 2);
  EXPECT_EQ(Count(clRed, TRect(P.R.left + wrong + 4, 0, 400, 300)), 0);
  Clear();
  C->Font()->SetSize(16);
  P.ShadowColor = clBlue;
  P.ShadowOffset = 2;
  Render(L"<shad>MMMM</shad>");
  EXPECT_GT(Count(clBlue), 20);
  EXPECT_GT(Count(clBlack), 20);
  Clear();
  P.SelectionColor = clLime;
  P.SelectionFontColor = clRed;
  Render(L"<hi>MMMM</hi> rest");
  EXPECT_EQ(PixelAt(Bmp.get(), P.R.left + 1, P.R.top + 1), clLime);
  EXPECT_GT(Count(clRed), 20);
}

TEST_F(Html, BlinkPhaseDrawsInTheBrushColour) {
  C->Font()->SetSize(16);
  C->Brush()->SetColor(clRed);
  P.Blink = false;
  Render(L"<blink>MMMM</blink> MMMM");
  EXPECT_GT(Count(clRed), 20);
  EXPECT_GT(Count(clBlack), 20);
  EXPECT_EQ(C->Brush()->Color(), clRed);  // the canvas keeps its brush
}

TEST_F(Html, FocusRectangleAroundTheFocusedAnchor) {
  P.FocusLink = 1;
  Render(L"<a href=\"one\">one</a> <a href=\"two\">two</a>");
  EXPECT_EQ(R.FocusAnchor, L"two");
  const int left = P.R.left + Width(L"one ");
  const int right = P.R.left + Width(L"one two");
  // The dotted frame: alternate pixels along the top edge, none left of the
  // anchor's own text.
  int dots = 0;
  for (int y = P.R.top; y < P.R.top + Gh() + 1; ++y)
    dots += Count(clBlack, TRect(left - 1, y, left, y + 1)) + Count(clBlack, TRect(right, y, right + 1, y + 1));
  EXPECT_GT(dots, 2);
  EXPECT_EQ(Count(clBlack, TRect(0, 0, P.R.left - 1, 300)), 0);
}

TEST_F(Html, ParagraphAlignmentLastsUntilChanged) {
  C->Font()->SetSize(12);
  const int gh = Gh(12);
  Render(L"<p align=\"right\">right</p>still right<br><p align=\"center\">mid</p>");
  TRect l1 = Ink(TRect(0, P.R.top, 400, P.R.top + gh));
  TRect l2 = Ink(TRect(0, P.R.top + gh, 400, P.R.top + 2 * gh));
  TRect l3 = Ink(TRect(0, P.R.top + 2 * gh, 400, P.R.top + 3 * gh));
  EXPECT_GT(l1.left, P.R.right - Width(L"right", {}, 12) - 3);
  EXPECT_GT(l2.left, P.R.right - Width(L"still right", {}, 12) - 3);
  const int mid = (P.R.left + P.R.right) / 2;
  EXPECT_LT(std::abs((l3.left + l3.right) / 2 - mid), 4);
}

TEST_F(Html, TagsAtTheEndOfAnAlignedLineStillApplyToTheNextLine) {
  // The drawing pass of a right-aligned line is exactly as wide as the
  // text: it must still close the bold tag that ends the line.
  C->Font()->SetSize(12);
  const int gh = Gh(12);
  Render(L"<p align=\"right\">x <b>bold</b></p><p align=\"left\">mmmmmmmmmm</p>");
  TRect l2 = Ink(TRect(0, P.R.top + gh, 400, P.R.top + 2 * gh));
  const int plain = Width(L"mmmmmmmmmm", {}, 12), bold = Width(L"mmmmmmmmmm", {TFontStyle::fsBold}, 12);
  ASSERT_GT(bold, plain + 4);
  EXPECT_LE(l2.right, P.R.left + plain + 1);
}

TEST_F(Html, ListBulletsAndShapes) {
  Render(L"<ul><li type=\"square\" color=\"#FF0000\">a</li><li type=\"circle\" color=\"#0000FF\">b</li></ul>");
  EXPECT_EQ(Count(clRed), 64);  // a filled 8 x 8 square
  EXPECT_GT(Count(clBlue), 30);
  for (const wchar_t* html : {L"<ul><li>x</ul>", L"<ul><ul><li>x</ul></ul>"}) {
    Clear();
    Render(html);  // a text bullet in the twelve pixels before the item
    const int level = String(html).find(L"<ul><ul>") == 0 ? 2 : 1;
    const int start = P.R.left + 12 * (level - 1);
    EXPECT_FALSE(Ink(TRect(start, P.R.top, start + 12, P.R.top + Gh())).IsEmpty()) << html;
  }
  Clear();
  Render(L"<ul><li type=\"disc\">x</ul>");  // another type: no bullet
  EXPECT_TRUE(Ink(TRect(P.R.left, P.R.top, P.R.left + 12, P.R.top + Gh())).IsEmpty());
}

TEST_F(Html, ClosingAnOffsetInsideAListClosesTheList) {
  P.CheckHeight = true;
  Render(L"<ul><ofs x=\"4\"><br></ofs><li>x");
  EXPECT_EQ(R.XSize, Width(L"x") + 2);  // the item is at level 0 again
  Render(L"<ul><ofs x=\"4\"><br></o><li>x");
  EXPECT_EQ(R.XSize, 12 + Width(L"x") + 2);  // "</O>" only resets the offset
}

// The markup's drawing against the platform's own drawing of the given text
// on the first line, in the canvas font with the given style.
struct HtmlReference : Html {
  int DifferentPixels(const String& text, UINT extraFlags, TFontStyles style = {}) {
    TBitmap ref(400, 300);
    ref.Canvas()->Brush()->SetColor(clWhite);
    ref.Canvas()->FillRect(TRect(0, 0, 400, 300));
    ref.Canvas()->Font()->Assign(C->Font());
    ref.Canvas()->Font()->SetStyle(style);
    ref.Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
    TRect line(P.R.left, P.R.top, P.R.right, P.R.top + Gh(C->Font()->Size()));
    ref.Canvas()->TextRect(line, text, DT_SINGLELINE | DT_BOTTOM | DT_EXPANDTABS | DT_EXTERNALLEADING | extraFlags);
    int differ = 0;
    for (int y = 0; y < 300; ++y)
      for (int x = 0; x < 400; ++x) differ += PixelAt(&ref, x, y) != PixelAt(Bmp.get(), x, y);
    return differ;
  }
};

TEST_F(HtmlReference, AmpersandsAndMnemonicPrefixes) {
  struct Case {
    const wchar_t* html;
    const wchar_t* shown;
    UINT flags;
  } cases[] = {
      {L"Fish &amp; Chips", L"Fish && Chips", 0},       // one ampersand shows
      {L"&Save", L"&Save", 0},                          // hidden, underlines the S
      {L"a & b &amp; c", L"a & b && c", DT_NOPREFIX},   // blank-ampersand-blank: every one shows
      {L"x &lt;y&gt; &nbsp;z", L"x <y>  z", DT_NOPREFIX},
      {L"tab\there", L"tab\there", 0},
  };
  for (const auto& c : cases) {
    Clear();
    P.WordWrap = false;
    Render(c.html);
    EXPECT_EQ(DifferentPixels(c.shown, c.flags), 0) << c.html;
  }
}

TEST_F(Html, RightToLeftReadingDrawsFromTheRightEdge) {
  SetSysLocaleMiddleEast(1);
  P.BiDiMode = TBiDiMode::bdRightToLeft;
  Render(L"abc <b>def</b>");
  SetSysLocaleMiddleEast(-1);
  TRect ink = Ink();
  EXPECT_GT(ink.right, P.R.right - 4);
  EXPECT_GT(ink.left, P.R.right - Width(L"abc def", {TFontStyle::fsBold}) - 4);
  Clear();
  P.BiDiMode = TBiDiMode::bdRightToLeft;
  Render(L"abc");  // other locales read left to right whatever the mode
  EXPECT_LT(Ink().left, P.R.left + 3);
}

TEST_F(Html, FocusRectangleFollowsAnAnchorOverTwoLines) {
  const int w = Width(L"aaaa ");
  P.R = TRect(10, 10, 10 + w + Width(L"bb") / 2, 290);
  P.FocusLink = 0;
  Render(L"<a href=\"x\">aaaa bbbb</a>");
  EXPECT_EQ(R.YSize, 2 * Gh());
  // The dotted frame shows on both lines: left of the first, and along the
  // top row of the second (above its letters).
  EXPECT_GT(Count(clBlack, TRect(9, 10, 10, 10 + Gh())), 1);
  EXPECT_GT(Count(clBlack, TRect(12, 10 + Gh(), 20, 11 + Gh())), 1);
}

TEST_F(Html, IndentsAndOffsets) {
  P.CheckHeight = true;
  Render(L"a<ind x=\"100\">b");
  EXPECT_EQ(R.XSize, 100 + Width(L"b") + 2);
  Render(L"a<ind x=\"1x0\">b");  // not a whole number: no effect
  EXPECT_EQ(R.XSize, Width(L"ab") + 2);
  Render(L"<ofs x=\"50\">a<br>b");
  EXPECT_EQ(R.XSize, 50 + Width(L"a") + 2);
  P.CheckHeight = false;
  Clear();
  Render(L"<ofs x=\"50\">a<br>b</o><br>c");
  // Following lines start at the offset, until it is reset.
  EXPECT_GE(Ink(TRect(0, P.R.top + Gh() + 1, 400, P.R.top + 2 * Gh() - 1)).left, P.R.left + 50);
  EXPECT_LT(Ink(TRect(0, P.R.top + 2 * Gh() + 1, 400, P.R.top + 3 * Gh() - 1)).left, P.R.left + 8);
  Clear();
  Render(L"<p indent=\"30\">indented");
  EXPECT_GE(Ink().left, P.R.left + 30);
}

TEST_F(Html, OrderedListsNumberTheirItems) {
  C->Font()->SetSize(12);
  Render(L"<ol><li>one<li>two<li>three</ol>");
  // Three lines, each with its number before the text.
  for (int line = 0; line < 3; ++line) {
    const int top = P.R.top + line * Gh(12);
    EXPECT_FALSE(Ink(TRect(P.R.left, top, P.R.left + 12, top + Gh(12))).IsEmpty()) << line;
  }
  EXPECT_EQ(R.YSize, 3 * Gh(12));
}

TEST_F(Html, CanvasIsLeftAsFound) {
  C->Brush()->SetColor(clYellow);
  C->Font()->SetStyle({TFontStyle::fsItalic});
  Render(L"<b><u><font face=\"Courier New\" size=\"5\">x</font></u></b><r a=\"90\">y");
  EXPECT_EQ(C->Brush()->Color(), clYellow);
  EXPECT_EQ(C->Brush()->Style(), TBrushStyle::bsSolid);
  EXPECT_EQ(C->Font()->Name(), L"Tahoma");
  EXPECT_EQ(C->Font()->Size(), 10);
  EXPECT_EQ(C->Font()->Style(), TFontStyles({TFontStyle::fsItalic}));
  EXPECT_EQ(C->Font()->Orientation(), 0);
  EXPECT_EQ(C->Font()->Color(), clBlack);
}

TEST_F(Html, TheParameterListCallsTheSameEngine) {
  String anchor = L"preset", stripped, focus;
  int xs = 0, ys = 0, links = 0, mouse = 0;
  TRect hover(1, 2, 3, 4);
  bool hit = RenderHtml(C, L"a <a href=\"t\">b</a>", P.R, nullptr, P.R.left + Width(L"a ") + 1, P.R.top + 3, -1, -1,
                        1, true, false, false, false, true, false, true, 1.0, clBlue, clNone, clNone, clGray, anchor,
                        stripped, focus, xs, ys, links, mouse, hover, nullptr, nullptr, 0, TBiDiMode::bdLeftToRight,
                        clHighlight, clHighlightText, {});
  EXPECT_TRUE(hit);
  EXPECT_EQ(anchor, L"t");
  EXPECT_EQ(stripped, L"a b");
  EXPECT_EQ(xs, Width(L"a b") + 2);
  EXPECT_EQ(links, 1);
  EXPECT_EQ(mouse, 1);
  anchor = L"preset";
  EXPECT_FALSE(RenderHtmlBasic(C, L"plain", P.R, nullptr, 0, 0, true, false, false, false, true, 1.0, clBlue, anchor,
                               stripped, xs, ys));
  EXPECT_EQ(anchor, L"preset");  // written only when an anchor is found
  EXPECT_EQ(xs, Width(L"plain") + 2);
}

// ---------------------------------------------------------------------------
// Images, floats and pictures

// An image list with a solid red, a solid blue and a small green image, a
// container with a blue picture "tile" (10 x 10) and a red one "wide"
// (20 x 10). The pictures' bottom-left pixel is white: bitmaps are drawn
// transparent in that colour.
struct HtmlImages : Html {
  TImageList* Images = nullptr;
  TImageList* Small = nullptr;
  TPictureContainer* Container = nullptr;
  void SetUp() override {
    Html::SetUp();
    Images = new TImageList(nullptr, 40, 40);
    Images->SetMasked(false);
    for (TColor c : {clRed, clBlue}) {
      TBitmap b(40, 40);
      b.Canvas()->Brush()->SetColor(c);
      b.Canvas()->FillRect(TRect(0, 0, 40, 40));
      Images->Add(&b, nullptr);
    }
    Small = new TImageList(nullptr, 6, 6);
    Small->SetMasked(false);
    TBitmap g(6, 6);
    g.Canvas()->Brush()->SetColor(clLime);
    g.Canvas()->FillRect(TRect(0, 0, 6, 6));
    Small->Add(&g, nullptr);
    Container = new TPictureContainer(nullptr);
    AddPicture(L"tile", BmpBytes(10, 10, clBlue, clWhite));
    AddPicture(L"wide", BmpBytes(20, 10, clRed, clWhite));
    P.Images = Images;
    P.PictureContainer = Container;
  }
  void TearDown() override {
    Images->Free();
    Small->Free();
    Container->Free();
  }
  void AddPicture(const String& name, const std::string& bytes) {
    TPictureItem* item = Container->Items()->Add();
    item->SetName(name);
    TMemoryStream s;
    s.Write(bytes.data(), static_cast<int>(bytes.size()));
    item->Picture()->LoadFromStream(&s);
  }
};

TEST_F(HtmlImages, ImageListImagesTakeTheirPlaceInTheLine) {
  Render(L"<img src=\"idx:0\">x");
  EXPECT_EQ(R.XSize, 40 + 2 + Width(L"x") + 2);
  EXPECT_EQ(R.YSize, 40);
  EXPECT_EQ(Count(clRed, TRect(P.R.left, P.R.top, P.R.left + 40, P.R.top + 40)), 1600);
  // The text stands on the image's bottom line.
  TRect x = Ink(TRect(P.R.left + 42, P.R.top, 400, 300));
  EXPECT_GT(x.top, P.R.top + 40 - Gh());
  Clear();
  Render(L"<img src=\"IDX:1\">");
  EXPECT_EQ(Count(clBlue, TRect(P.R.left, P.R.top, P.R.left + 40, P.R.top + 40)), 1600);
  // Indices outside the list and missing lists show nothing.
  for (const wchar_t* html : {L"<img src=\"idx:2\">", L"<img src=\"idx:-1\">", L"<img src=\"c:\\x.bmp\">"}) {
    Clear();
    Render(html);
    EXPECT_TRUE(Ink().IsEmpty()) << html;
    EXPECT_EQ(R.XSize, 0) << html;
  }
  P.Images = nullptr;
  Render(L"<img src=\"idx:0\">");
  EXPECT_EQ(R.XSize, 0);
}

TEST_F(HtmlImages, LowImagesSitOnTheTextBottomOrInItsMiddle) {
  P.Images = Small;
  const int gh = Gh();
  ASSERT_GT(gh, 6);
  struct Case {
    const wchar_t* html;
    int top;
  } cases[] = {
      {L"<img src=\"idx:0\">text", gh - 6},
      {L"<img src=\"idx:0\" align=\"middle\">text", (gh - 6) / 2},
      {L"<img src=\"idx:0\" align=\"top\">text", 0},
  };
  for (const auto& c : cases) {
    Clear();
    Render(c.html);
    TRect green(P.R.left, 0, P.R.left + 6, 300);
    EXPECT_EQ(Count(clLime, green), 36) << c.html;
    EXPECT_EQ(PixelAt(Bmp.get(), P.R.left + 2, P.R.top + c.top), clLime) << c.html;
    EXPECT_NE(PixelAt(Bmp.get(), P.R.left + 2, P.R.top + c.top - 1), clLime) << c.html;
  }
}

TEST_F(HtmlImages, AnImageThatDoesNotFitStartsTheNextLine) {
  const int w = Width(L"words");
  P.R = TRect(10, 10, 10 + w + 20, 290);
  Render(L"words<img src=\"idx:0\">");
  EXPECT_EQ(R.YSize, Gh() + 40);
  EXPECT_EQ(Count(clRed, TRect(10, 10 + Gh(), 50, 10 + Gh() + 40)), 1600);
  // On an empty line it is placed even when wider than the line.
  Clear();
  P.R = TRect(10, 10, 30, 290);
  Render(L"<img src=\"idx:0\">");
  EXPECT_EQ(R.YSize, 40);
  EXPECT_GT(Count(clRed), 0);
}

TEST_F(HtmlImages, PicturesKeepTheirProportionsOrStretch) {
  // At its own size a picture lower than the text stands on the text's
  // bottom line; sized pictures start at the line's top.
  struct Case {
    const wchar_t* html;
    int w, h, drop;
  } cases[] = {
      {L"<img src=\"wide\">", 20, 10, Max(Gh() - 10, 0)},
      {L"<img src=\"WIDE\" width=\"40\">", 40, 20, 0},
      {L"<img src=\"wide\" height=\"30\">", 60, 30, 0},
      {L"<img src=\"wide\" width=\"30\" height=\"30\">", 30, 30, 0},
  };
  for (const auto& c : cases) {
    Clear();
    Render(c.html);
    EXPECT_EQ(R.XSize, c.w + 2 + 2) << c.html;
    EXPECT_EQ(R.YSize, c.h) << c.html;
    EXPECT_GT(Count(clRed), c.w * c.h * 9 / 10) << c.html;
    EXPECT_EQ(Ink(), TRect(P.R.left, P.R.top + c.drop, P.R.left + c.w, P.R.top + c.drop + c.h)) << c.html;
  }
  P.PictureContainer = nullptr;
  Clear();
  Render(L"<img src=\"wide\">");
  EXPECT_TRUE(Ink().IsEmpty());
}

TEST_F(HtmlImages, FetchedPicturesLoadOnceIntoTheCache) {
  const String file = TempFile(L"html_render_pic.bmp", BmpBytes(8, 8, clBlue, clWhite));
  THTMLPictureCache cache;
  P.PictureCache = &cache;
  const String html = L"<img src=\"file://" + file + L"\">";
  Render(html);
  EXPECT_EQ(cache.Count(), 1);
  EXPECT_EQ(Count(clBlue), 63);
  Render(html);
  EXPECT_EQ(cache.Count(), 1);
  Render(L"<img src=\"http://example.invalid/p.png\">");  // remembered, never fetched
  EXPECT_EQ(cache.Count(), 2);
  EXPECT_FALSE(cache.GetPicture(1)->Busy());
  EXPECT_TRUE(cache.GetPicture(1)->Empty());
  Render(L"<img src=\"http://example.invalid/p.png\">");
  EXPECT_EQ(cache.Count(), 2);
  DeleteFileW(file.c_str());
}

TEST_F(HtmlImages, SystemIconsDraw) {
  Render(L"<img src=\"ssys:0\">");
  EXPECT_FALSE(Ink().IsEmpty());
  EXPECT_GT(R.XSize, 2);
}

TEST_F(HtmlImages, LinesRunBesideALeftFloatingImage) {
  const int gh = Gh();
  String html = L"<img src=\"idx:0\" float=\"left\">one";
  for (const wchar_t* w : {L"two", L"three", L"four", L"five", L"six"}) html += String(L"<br>") + w;
  Render(html);
  EXPECT_EQ(Count(clRed, TRect(P.R.left, P.R.top, P.R.left + 40, P.R.top + 40)), 1600);
  for (int line = 0; line < 6; ++line) {
    const int top = P.R.top + line * gh;
    TRect ink = Ink(TRect(P.R.left + 40, top + 1, 400, top + gh - 1));
    const bool beside = top < P.R.top + 40;
    if (beside)
      EXPECT_GE(ink.left, P.R.left + 42) << line;
    else
      EXPECT_LT(Ink(TRect(P.R.left, top + 1, 400, top + gh - 1)).left, P.R.left + 8) << line;
  }
}

TEST_F(HtmlImages, LinesStayLeftOfARightFloatingPicture) {
  const int gh = Gh();
  String html = L"<img src=\"wide\" width=\"40\" height=\"40\" float=\"right\">";
  for (int i = 0; i < 200; ++i) html += L"mm ";
  Render(html);
  // The picture stands against the right edge, at the top.
  // (its white bottom-left pixel, stretched, is transparent)
  EXPECT_EQ(Count(clRed, TRect(P.R.right - 40, P.R.top, P.R.right, P.R.top + 40)), 1600 - 8);
  // Beside it the lines end left of it; below it they use the whole width.
  for (int line = 0; line * gh < 120; ++line) {
    const int top = P.R.top + line * gh;
    const TRect strip(P.R.right - 42, top, P.R.right, top + gh);
    if (top + gh <= P.R.top + 40)
      EXPECT_EQ(Count(clBlack, strip, 100), 0) << line;
    else if (top >= P.R.top + 40)
      EXPECT_LT(Ink(TRect(P.R.left, top, P.R.right, top + gh)).left, P.R.left + 3) << line;
  }
  EXPECT_GT(Count(clBlack, TRect(P.R.right - 42, P.R.top + 40 + gh, P.R.right, P.R.top + 40 + 3 * gh), 100), 0);
}

TEST_F(HtmlImages, WrappedImagesKeepTheLineAtTextHeight) {
  for (bool measureOnly : {true, false}) {
    P.CheckHeight = measureOnly;
    Render(L"<img src=\"idx:0\" wrap>text");
    EXPECT_EQ(R.YSize, Gh()) << measureOnly;
    Render(L"<img src=\"idx:0\">text");
    EXPECT_EQ(R.YSize, 40) << measureOnly;
  }
}

TEST_F(HtmlImages, PrintingScalesListImages) {
  P.Print = true;
  P.ResFactor = 2.0;
  Render(L"<img src=\"idx:1\">");
  EXPECT_EQ(Count(clBlue, TRect(P.R.left, P.R.top, P.R.left + 80, P.R.top + 80)), 6400);
  Clear();
  P.ResFactor = 0.5;
  Render(L"<img src=\"idx:1\">");
  EXPECT_EQ(Count(clBlue), 400);
}

TEST_F(HtmlImages, TopRightBodyImagesOfTheList) {
  Render(L"<body bgtopright=\"idx:1\">");
  EXPECT_EQ(Count(clBlue, TRect(P.R.right - 40, P.R.top, P.R.right, P.R.top + 40)), 1600);
  EXPECT_EQ(Count(clBlue), 1600);
}

TEST_F(HtmlImages, ImageAnchorsHitWhileDrawing) {
  P.X = P.R.left + 20;
  P.Y = P.R.top + 20;
  EXPECT_TRUE(Render(L"<a href=\"pic\" title=\"T\"><img src=\"idx:0\"></a>"));
  EXPECT_EQ(R.AnchorVal, L"pic");
  EXPECT_EQ(R.FocusAnchor, L"T");
  P.X = P.R.left + 60;
  EXPECT_FALSE(Render(L"<a href=\"pic\"><img src=\"idx:0\"></a>"));
}

TEST_F(HtmlImages, BodyBackgroundsTileAndStayInside) {
  P.R = TRect(10, 10, 105, 55);
  Render(L"<body background=\"tile\">x");
  EXPECT_EQ(PixelAt(Bmp.get(), 10, 10), clBlue);
  EXPECT_EQ(PixelAt(Bmp.get(), 104, 54), clBlue);
  EXPECT_EQ(PixelAt(Bmp.get(), 105, 30), clWhite);
  EXPECT_EQ(PixelAt(Bmp.get(), 30, 55), clWhite);
  Clear();
  Render(L"<body bgtopright=\"tile\">x");
  EXPECT_EQ(PixelAt(Bmp.get(), 100, 50), clBlue);
  EXPECT_EQ(PixelAt(Bmp.get(), 90, 20), clWhite);
  Clear();
  Render(L"<body background=\"idx:0\">");
  EXPECT_EQ(Count(clRed), 1600);
}

TEST_F(HtmlImages, AnimatedGifsClearTheirAreaInTheBrushColour) {
  AddPicture(L"anim", GifBytes(6, 6, {{10, 5, 5}, {10, 0, 0}}));
  C->Brush()->SetColor(clYellow);
  Render(L"<img src=\"anim\">");
  // The area of the picture's own size, at the picture's place in the line.
  THTMLPicture* anim = Container->FindPicture(L"anim");
  ASSERT_EQ(anim->FrameCount(), 2);
  EXPECT_GT(Count(clYellow, TRect(P.R.left, P.R.top, P.R.left + anim->Width(), P.R.top + Gh())), 0);
  EXPECT_EQ(C->Brush()->Color(), clYellow);
}

// ---------------------------------------------------------------------------
// Font styles, hidden text, scripts and rotation

TEST_F(HtmlReference, StyleTagsDrawTheirStyle) {
  C->Font()->SetSize(14);
  struct Case {
    const wchar_t* html;
    const wchar_t* shown;
    TFontStyles style;
  } cases[] = {
      {L"<b>Word</b>", L"Word", {TFontStyle::fsBold}},
      {L"<strong>Word</strong>", L"Word", {TFontStyle::fsBold}},
      {L"<i>Word</i>", L"Word", {TFontStyle::fsItalic}},
      {L"<u>Word</u>", L"Word", {TFontStyle::fsUnderline}},
      {L"<s>Word</s>", L"Word", {TFontStyle::fsStrikeOut}},
      {L"<strike>Word</strike>", L"Word", {TFontStyle::fsStrikeOut}},
      {L"<b><strike>Word</strike></b>", L"Word", {TFontStyle::fsBold, TFontStyle::fsStrikeOut}},
      {L"Wo<z>hidden text</z>rd", L"Word", {}},
      {L"<strong>Wo</strong>rd", L"Word", {}},  // differs: only "Wo" is bold
  };
  for (const auto& c : cases) {
    Clear();
    Render(c.html);
    const bool same = String(c.html).find(L"<strong>Wo</strong>") == String::npos;
    if (same)
      EXPECT_EQ(DifferentPixels(c.shown, 0, c.style), 0) << c.html;
    else
      EXPECT_GT(DifferentPixels(c.shown, 0, c.style), 0) << c.html;
  }
  // Hidden text takes no room.
  P.CheckHeight = true;
  Render(L"Wo<z>hidden text</z>rd");
  EXPECT_EQ(R.XSize, Width(L"Word", {}, 14) + 2);
}

TEST_F(Html, SuperscriptsRiseAndSubscriptsSink) {
  C->Font()->SetSize(16);
  const int gh = Gh(16), quarter = gh / 4;
  ASSERT_GT(quarter, 2);
  const int xw = Width(L"x", {}, 16);
  // The script's ink against the ink of the text before it on the line.
  struct Case {
    const wchar_t* html;
    int shift;  // how far the script's baseline lies below the text's
  } cases[] = {
      {L"x<sup>x</sup>", -quarter},
      {L"x<sub>x</sub>", quarter},
      {L"x<sup>x</sup><br>x<sub>x</sub>", -quarter},
  };
  for (const auto& c : cases) {
    Clear();
    Render(c.html);
    TRect base = Ink(TRect(P.R.left, P.R.top, P.R.left + xw, P.R.top + gh + quarter));
    TRect script = Ink(TRect(P.R.left + xw, P.R.top, P.R.left + 2 * xw + 2, P.R.top + gh + quarter));
    ASSERT_FALSE(base.IsEmpty()) << c.html;
    ASSERT_FALSE(script.IsEmpty()) << c.html;
    EXPECT_EQ(script.bottom - base.bottom, c.shift) << c.html;
    EXPECT_EQ(script.Height(), base.Height()) << c.html;
  }
}

TEST_F(Html, HoverColoursOnlyForTheHoveredAnchor) {
  C->Font()->SetSize(14);
  const int w = Width(L"MMMM ", {}, 14);
  P.URLColor = clGreen;
  P.Hover = true;
  P.HoverLink = 2;
  P.HoverFontColor = clRed;
  Render(L"<a href=\"1\">MMMM</a> <a href=\"2\">MMMM</a>");
  const TRect first(P.R.left, P.R.top, P.R.left + w - 2, P.R.top + Gh(14));
  const TRect second(P.R.left + w, P.R.top, P.R.left + 2 * w, P.R.top + Gh(14));
  EXPECT_GT(Count(clGreen, first), 20);
  EXPECT_EQ(Count(clRed, first), 0);
  EXPECT_GT(Count(clRed, second), 20);
  EXPECT_EQ(Count(clGreen, second), 0);
  // Ignoring the markup's colours: anchors keep the text colour, while the
  // hovered one still takes the hover colour.
  Clear();
  P.IgnoreColors = true;
  Render(L"<a href=\"1\">MMMM</a> <a href=\"2\">MMMM</a>");
  EXPECT_EQ(Count(clGreen), 0);
  EXPECT_GT(Count(clBlack, first), 20);
  EXPECT_GT(Count(clRed, second), 20);
}

TEST_F(Html, HighlightTakesTheSelectionStyle) {
  C->Font()->SetSize(14);
  const String text = L"MMMMMMMM";
  const int plain = Width(text, {}, 14), bold = Width(text, {TFontStyle::fsBold}, 14);
  ASSERT_GT(bold, plain + 4);
  P.SelectionColor = clNone;  // no background: the text alone
  P.SelectionFontColor = clRed;
  P.SelectionFontStyle = {TFontStyle::fsBold};
  Render(L"<hi>" + text + L"</hi><br>" + text);
  const int gh = Gh(14);
  const TRect hi = Ink(TRect(0, P.R.top, 400, P.R.top + gh));
  EXPECT_GT(hi.right, P.R.left + plain + 2);
  EXPECT_LE(hi.right, P.R.left + bold + 2);
  EXPECT_GT(Count(clRed, hi), 20);
  EXPECT_EQ(PixelAt(Bmp.get(), P.R.left + 1, P.R.top + 1), clWhite);  // no background
  // After the closing tag the text is as before.
  const TRect after = Ink(TRect(0, P.R.top + gh, 400, P.R.top + 2 * gh));
  EXPECT_LE(after.right, P.R.left + plain + 1);
  EXPECT_EQ(Count(clRed, after), 0);
}

TEST_F(Html, PointOverALaterLineMissesAnEarlierAnchor) {
  P.CheckOnly = true;
  const int gh = Gh();
  P.X = P.R.left + 3;
  P.Y = P.R.top + gh + gh / 2;
  EXPECT_FALSE(Render(L"<a href=\"up\">link</a><br>plain text"));
  P.Y = P.R.top + gh / 2;
  EXPECT_TRUE(Render(L"<a href=\"up\">link</a><br>plain text"));
  EXPECT_EQ(R.AnchorVal, L"up");
  EXPECT_EQ(R.MouseLink, 1);
}

TEST_F(Html, AnAnchorOverTwoLinesIsHitOnBoth) {
  const int w = Width(L"aaaa ");
  P.R = TRect(10, 10, 10 + w + Width(L"bb") / 2, 290);
  P.CheckOnly = true;
  const int gh = Gh();
  for (int line = 0; line < 2; ++line) {
    P.X = 12;
    P.Y = 10 + line * gh + gh / 2;
    EXPECT_TRUE(Render(L"<a href=\"both\">aaaa bbbb</a> after")) << line;
    EXPECT_EQ(R.AnchorVal, L"both") << line;
    EXPECT_EQ(R.MouseLink, 1) << line;
    // The rectangle is the part on the line where the anchor closes (its
    // bottom is that of the pass that last saw the point on the anchor).
    EXPECT_EQ(R.HoverRect.left, 10) << line;
    EXPECT_EQ(R.HoverRect.top, 10 + gh) << line;
    EXPECT_EQ(R.HoverRect.right, 10 + Width(L"bbbb")) << line;
    EXPECT_GE(R.HoverRect.bottom, 10 + 2 * gh) << line;
  }
}

// ---------------------------------------------------------------------------
// Malformed markup from outside

TEST_F(Html, MalformedMarkupRendersOrIsIgnored) {
  struct Case {
    const wchar_t* html;
    const wchar_t* text;
  } cases[] = {
      {L"<", L""},
      {L"a<", L"a"},
      {L"ab<c", L"ab"},
      {L"a <b", L"a "},
      {L"<<<<", L""},
      {L"</", L""},
      {L"</>x", L"x"},
      {L"<>x", L"x"},
      {L"x<a href=\"unterminated", L"x"},
      {L"<b><i><u><s>never closed", L"never closed"},
      {L"</b></i></u></ul></ol></a></font></p></z>tail", L"tail"},
      {L"<font size=\"99999999999\">huge</font>", L"huge"},
      {L"<font size=\"-99999999999\">neg</font>", L"neg"},
      {L"<font style=\"font-size:99999999pt\">pt</font>", L"pt"},
      {L"<ind x=\"99999999999\">far", L"far"},
      {L"<ofs x=\"-2147483648\">off</o>", L"off"},
      {L"<p indent=\"2147483647\">ind</p>", L"ind"},
      {L"<r a=\"2147483647\">rot</r>", L"rot"},
      {L"&bogus; &#12345; &&; &amp", L"&bogus; &#12345; &&; &amp"},
      {L"<#<#<#>", L"###"},
      {L"<img src=\"ssys:99999999\">x", L"x"},
      {L"<img src=\"idx:5\" width=\"99999999\" height=\"-5\">x", L"x"},
      {L"<font color=\"#\">c</font><font color=\"#GGGGGG\">d</font>", L"cd"},
      {L"<span style=\"background-color:\">s</span>", L"s"},
      {L"<li><li><li>", L""},
      {L"</ol></ol></ul>x", L"x"},
  };
  for (const auto& c : cases) {
    for (int mode = 0; mode < 3; ++mode) {
      P.CheckHeight = mode == 0;
      P.CheckOnly = mode == 1;
      P.X = 20;
      P.Y = 15;
      Render(c.html);
      EXPECT_EQ(R.StrippedText, c.text) << c.html << " mode " << mode;
      EXPECT_GT(R.YSize, 0) << c.html;
    }
  }
}

TEST_F(Html, RandomMarkupNeverBreaksTheEngine) {
  const wchar_t* pieces[] = {L"<",     L">",       L"</",     L"\"",        L"&",     L";",   L"amp",   L"a",
                             L" ",     L"=",       L"#",      L"b",         L"ul",    L"li",  L"ol",    L"font",
                             L"color", L"size",    L"href",   L"p",         L"align", L"img", L"src",   L"x",
                             L"99999", L"-1",      L"\r\n",   L"ssys:",     L"z",     L"sub", L"hi",    L"e",
                             L"ind",   L"ofs",     L"float",  L"\"left\"",  L"body",  L"r",   L"shad",  L"span"};
  std::mt19937 rng(1234);
  std::uniform_int_distribution<size_t> pick(0, std::size(pieces) - 1);
  std::uniform_int_distribution<int> len(0, 60);
  P.R = TRect(5, 5, 120, 120);
  for (int i = 0; i < 1500; ++i) {
    String html;
    for (int n = len(rng); n > 0; --n) html += pieces[pick(rng)];
    P.CheckHeight = i % 3 == 0;
    P.CheckOnly = i % 3 == 1;
    P.WordWrap = i % 2 == 0;
    P.X = 10 + i % 100;
    P.Y = 10 + i % 90;
    Render(html);
    ASSERT_GE(R.YSize, 0) << i;
    ASSERT_GE(R.XSize, 0) << i;
  }
}

TEST_F(Html, MarkupAskingForThousandsOfFontsRendersAllItsText) {
  // Every distinct font is a GDI object: the engine keeps a bounded number
  // of them, so that the process can still make its own afterwards.
  String html;
  for (int i = 0; i < 5000; ++i) html += L"<font face=\"F" + IntToStr(i) + L"\">x</font>";
  P.CheckHeight = true;
  Render(html);
  EXPECT_EQ(R.StrippedText, String(5000, L'x'));
  std::vector<HBRUSH> brushes;
  for (int i = 0; i < 2000; ++i) brushes.push_back(CreateSolidBrush(RGB(i & 0xFF, 0, 0)));
  EXPECT_EQ(std::count(brushes.begin(), brushes.end(), nullptr), 0);
  for (HBRUSH b : brushes)
    if (b) DeleteObject(b);
}

TEST_F(Html, LongDocumentsLayOutEveryLine) {
  String html;
  for (int i = 0; i < 2000; ++i) html += L"<li>item <b>" + IntToStr(i) + L"</b> text<br>";
  P.CheckHeight = true;
  Render(L"<ul>" + html + L"</ul>");
  EXPECT_EQ(R.YSize, 2000 * Gh());
}

}  // namespace

// ---------------------------------------------------------------------------
// Measures kept for the next call

TEST_F(Html, MeasureCacheAnswersAsAFreshLayoutAndFollowsEveryChange) {
  THtmlLayoutCache cache;
  P.Cache = &cache;
  P.CheckHeight = true;
  P.X = 12;
  P.Y = 14;
  const String markup = L"<b>SMS:</b> 3 <a href=\"go\" title=\"T\">link</a> and <font size=\"14\">big</font><br>next";
  auto measure = [&](const String& html) {
    THtmlRenderResult r;
    r.AnchorVal = L"preset";
    P.HTML = html;
    bool hit = RenderHtml(P, r);
    return std::make_tuple(hit, r.StrippedText, r.FocusAnchor, r.AnchorVal, r.XSize, r.YSize, r.HyperLinks,
                           r.MouseLink);
  };
  const auto fresh = measure(markup);
  EXPECT_EQ(cache.Hits(), 0u);
  EXPECT_EQ(measure(markup), fresh);
  EXPECT_EQ(cache.Hits(), 1u);
  // A hit on the anchor comes back from the cache as it came from the layout.
  P.X = 10 + Width(L"SMS: 3 ", {TFontStyle::fsBold}) + 2;
  const auto onLink = measure(markup);
  EXPECT_EQ(std::get<3>(onLink), L"go");
  EXPECT_EQ(measure(markup), onLink);
  cache.Clear();
  EXPECT_EQ(measure(markup), onLink);
  P.X = 12;

  struct Change {
    const char* What;
    std::function<void()> Do, Undo;
  };
  const Change changes[] = {
      {"font size", [&] { C->Font()->SetSize(14); }, [&] { C->Font()->SetSize(10); }},
      {"font face", [&] { C->Font()->SetName(L"Courier New"); }, [&] { C->Font()->SetName(L"Tahoma"); }},
      {"width", [&] { P.R.right = 60; }, [&] { P.R.right = 390; }},
  };
  for (const Change& c : changes) {
    SCOPED_TRACE(c.What);
    c.Do();
    cache.Clear();
    const auto changedFresh = measure(markup);
    c.Undo();
    measure(markup);  // the original is cached again
    c.Do();
    const size_t hits = cache.Hits();
    EXPECT_EQ(measure(markup), changedFresh);
    EXPECT_NE(changedFresh, fresh);
    c.Undo();
    EXPECT_EQ(measure(markup), fresh);
    EXPECT_EQ(cache.Hits(), hits + 2);
  }
  // Other markup is laid out anew.
  const size_t hits = cache.Hits();
  EXPECT_EQ(std::get<1>(measure(markup + L" more")), std::get<1>(fresh) + L" more");
  EXPECT_EQ(cache.Hits(), hits);

  // Markup that draws (pictures, lists, paragraphs) is never kept.
  cache.Clear();
  measure(L"<ul><li>item</ul>");
  measure(L"<ul><li>item</ul>");
  EXPECT_EQ(cache.Count(), 0u);
  EXPECT_EQ(cache.Hits(), 0u);

  // The bound holds however many texts are measured, newest kept.
  for (int i = 0; i < int(THtmlLayoutCache::MaxEntries) * 2; ++i) measure(L"n " + IntToStr(i));
  EXPECT_EQ(cache.Count(), THtmlLayoutCache::MaxEntries);
  measure(L"n " + IntToStr(int(THtmlLayoutCache::MaxEntries) * 2 - 1));
  EXPECT_EQ(cache.Hits(), 1u);
  measure(L"n 0");
  EXPECT_EQ(cache.Hits(), 1u);
  // A text beyond the character bound is measured and not kept.
  cache.Clear();
  measure(String(THtmlLayoutCache::MaxChars + 1, L'x'));
  EXPECT_EQ(cache.Count(), 0u);
  cache.Clear();
}

// ---------------------------------------------------------------------------
// Drawing from kept layouts

namespace {

std::vector<uint32_t> PixelsOf(TBitmap* b) {
  std::vector<uint32_t> v;
  for (int y = 0; y < b->Height(); ++y) {
    auto* row = static_cast<const uint32_t*>(b->ScanLine(y));
    v.insert(v.end(), row, row + b->Width());
  }
  return v;
}

}  // namespace

struct HtmlKept : Html {
  THtmlLayoutCache Cache;
  // Draws the markup on a white bitmap, through the cache or without one,
  // and returns the pixels and the results.
  std::tuple<std::vector<uint32_t>, String, int, int, int, TColor> Draw(const String& html, bool kept) {
    P.Cache = kept ? &Cache : nullptr;
    Clear();
    C->Font()->SetColor(clBlack);
    Render(html);
    P.Cache = nullptr;
    return {PixelsOf(Bmp.get()), R.StrippedText, R.XSize, R.YSize, R.HyperLinks, C->Font()->Color()};
  }
};

TEST_F(HtmlKept, DrawsTheSamePixelsAsAFreshLayout) {
  struct Case {
    const wchar_t* Markup;
    bool WordWrap;
    int Right;
  };
  const Case cases[] = {
      {L"<b>SMS:</b> 3 of <font color=\"#0000FF\">12</font>", false, 390},
      {L"words that wrap over several lines of the area, <i>italic</i> <u>under</u> <s>struck</s> and the end", true,
       150},
      {L"<i>slanted</i>jumps<i>f</i>j <b>bold</b><i>italic</i>W<i>fff</i>w overlap", true, 390},
      {L"<shad>shadowed text</shad> and <a href=\"x\">a link</a> &lt;tag&gt;&nbsp;x", true, 390},
      {L"H<sub>2</sub>O and x<sup>2</sup><br>next <font face=\"Courier New\" size=\"12\">mono</font> line", true,
       390},
      {L"a long single line that does not fit and ends in an ellipsis", false, 120},
      {L"tab\tseparated &amp; ampersand &x", false, 390},
      {L"<font color=\"#FF0000\">red</font><font color=\"#00FF00\">green</font><i><font "
       L"color=\"#0000FF\">blue</font></i>jj<b>W</b>",
       true, 390},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << String(c.Markup).size() << " characters, wrap " << c.WordWrap);
    P.WordWrap = c.WordWrap;
    P.R.right = c.Right;
    const auto fresh = Draw(c.Markup, false);
    EXPECT_EQ(Draw(c.Markup, true), fresh);  // laid out and kept
    const size_t hits = Cache.Hits();
    EXPECT_EQ(Draw(c.Markup, true), fresh);  // drawn from what was kept
    EXPECT_EQ(Cache.Hits(), hits + 1);
  }
  // The hovered link and the canvas's font colour are drawn as they are now.
  const String link = L"go <a href=\"x\">there</a> now";
  P.Hover = true;
  const auto plain = Draw(link, true);
  P.HoverLink = 1;
  const auto hovered = Draw(link, false);
  EXPECT_NE(hovered, plain);
  EXPECT_EQ(Draw(link, true), hovered);
  EXPECT_EQ(Draw(link, true), hovered);
}

TEST_F(HtmlKept, AChangeOfFontWidthOrMarkupIsLaidOutAnew) {
  const String markup = L"<b>SMS:</b> 3 <i>new</i> messages for <font color=\"#0000FF\">you</font> today";
  P.R.right = 200;
  struct Change {
    const char* What;
    std::function<void()> Do, Undo;
    String Markup;
  };
  const Change changes[] = {
      {"font size", [&] { C->Font()->SetSize(12); }, [&] { C->Font()->SetSize(10); }, markup},
      {"font face", [&] { C->Font()->SetName(L"Courier New"); }, [&] { C->Font()->SetName(L"Tahoma"); }, markup},
      {"font style", [&] { C->Font()->SetStyle({TFontStyle::fsBold}); }, [&] { C->Font()->SetStyle({}); }, markup},
      {"width", [&] { P.R.right = 90; }, [&] { P.R.right = 200; }, markup},
      {"place", [&] { P.R.Offset(7, 5); }, [&] { P.R.Offset(-7, -5); }, markup},
      {"markup", [] {}, [] {}, markup + L" <b>and more</b>"},
      {"link colour", [&] { P.URLColor = clRed; }, [&] { P.URLColor = clBlue; }, L"a <a href=\"x\">link</a>"},
  };
  for (const Change& c : changes) {
    SCOPED_TRACE(c.What);
    Cache.Clear();
    Draw(markup, true);
    Draw(L"a <a href=\"x\">link</a>", true);
    c.Do();
    const auto fresh = Draw(c.Markup, false);
    EXPECT_EQ(Draw(c.Markup, true), fresh);
    EXPECT_EQ(Cache.Hits(), 0u);
    EXPECT_EQ(Draw(c.Markup, true), fresh);
    EXPECT_EQ(Cache.Hits(), 1u);
    c.Undo();
  }
}

TEST_F(HtmlKept, OnlyTextIsKeptAndTheCacheStaysBounded) {
  // Markup that draws more than text is always laid out anew.
  P.FocusLink = 0;
  Draw(L"a <a href=\"x\">focused</a> link", true);
  P.FocusLink = -1;
  for (const wchar_t* m : {L"<ul><li>item</ul>", L"<p bgcolor=\"#FF0000\">band</p>",
                           L"<font bgcolor=\"#00FF00\">back</font>", L"text<hr>", L"<e>misspelt</e>"}) {
    SCOPED_TRACE(testing::Message() << String(m).size());
    const auto fresh = Draw(m, false);
    EXPECT_EQ(Draw(m, true), fresh);
    EXPECT_EQ(Draw(m, true), fresh);
  }
  EXPECT_EQ(Cache.Count(), 0u);
  EXPECT_EQ(Cache.Hits(), 0u);

  for (int i = 0; i < int(THtmlLayoutCache::MaxEntries) * 2; ++i) Draw(L"<b>n</b> " + IntToStr(i), true);
  EXPECT_EQ(Cache.Count(), THtmlLayoutCache::MaxEntries);
  Draw(L"<b>n</b> " + IntToStr(int(THtmlLayoutCache::MaxEntries) * 2 - 1), true);
  EXPECT_EQ(Cache.Hits(), 1u);
  Draw(L"<b>n</b> 0", true);
  EXPECT_EQ(Cache.Hits(), 1u);
  // Kept markup and the text drawn from it together stay within the
  // character bound: a markup of more than half of it is drawn, not kept.
  Cache.Clear();
  const String big = L"<b>x</b> " + String(THtmlLayoutCache::MaxChars / 2, L'y');
  Draw(big, true);
  EXPECT_EQ(Cache.Count(), 0u);
  Draw(big.substr(0, THtmlLayoutCache::MaxChars / 4), true);
  EXPECT_EQ(Cache.Count(), 1u);
  Cache.Clear();
}
