#include <gtest/gtest.h>

#include <memory>

#include "base/FileStreams.h"
#include "base/Hints.h"
#include "base/Shell.h"
#include "base/StdCtrls.h"
#include "tests/controls/buttons/ButtonTestSupport.h"
#include "tests/support/Gui.h"
#include "ui/controls/labels/AdvReflectionLabel.h"
#include "ui/controls/labels/HTMLabel.h"
#include "ui/controls/labels/LabelMarkup.h"
#include "ui/draw/GdiPlus.h"
#include "ui/draw/HtmlRender.h"

namespace {

// Records what the shell would open.
struct ShellRecorder {
  std::vector<String> Opened;
  ShellRecorder() {
    SetShellExecuteHook([this](HWND, const String& verb, const String& file, const String&, const String&, int show) {
      EXPECT_EQ(verb, L"open");
      EXPECT_EQ(show, SW_SHOWNORMAL);
      Opened.push_back(file);
      return INT_PTR(33);
    });
  }
  ~ShellRecorder() { SetShellExecuteHook(nullptr); }
};

TEST(LabelMarkup, LinesJoinWithABlankExceptBetweenTags) {
  struct Case {
    std::vector<String> Lines;
    String Want;
  } cases[] = {
      {{L"Hello", L"world"}, L"Hello world"},
      {{L"<b>Hello</b>", L"<i>world</i>"}, L"<b>Hello</b><i>world</i>"},
      {{L"<b>Hello</b>", L"world"}, L"<b>Hello</b> world"},
      {{L"Hello", L"<i>world</i>"}, L"Hello <i>world</i>"},
      {{L"one"}, L"one"},
      {{}, L""},
  };
  for (const Case& c : cases) {
    TStringList l;
    for (const String& s : c.Lines) l.Add(s);
    EXPECT_EQ(JoinMarkupLines(&l), c.Want);
  }
}

TEST(LabelMarkup, OnlyWebAndMailLinksGoToTheShell) {
  ShellRecorder shell;
  EXPECT_TRUE(OpenLinkAnchor(L"https://example.org/a"));
  EXPECT_TRUE(OpenLinkAnchor(L"HTTP://example.org/"));
  EXPECT_TRUE(OpenLinkAnchor(L"mailto:someone@example.org"));
  EXPECT_FALSE(OpenLinkAnchor(L"file://c:/windows/system32/cmd.exe"));
  EXPECT_FALSE(OpenLinkAnchor(L"javascript://alert"));
  EXPECT_FALSE(OpenLinkAnchor(L"update"));
  EXPECT_EQ(shell.Opened.size(), 3u);
}

struct Labels : ::testing::Test {
  TForm* Form = nullptr;
  void SetUp() override { Form = MakeTestForm(400, 300); }
  void TearDown() override { Form->Free(); }
  std::unique_ptr<TBitmap> Shot() { return std::unique_ptr<TBitmap>(PaintToBitmap(Form)); }
  // The first and last row of the rectangle that hold a pixel far from white.
  std::pair<int, int> InkRows(TBitmap* b, const TRect& r) {
    int top = -1, bottom = -1;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (Distance(PixelAt(b, x, y), clWhite) > 80) {
          if (top < 0) top = y;
          bottom = y;
          break;
        }
    return {top, bottom};
  }
  // Height of markup laid out like the label does, in its font.
  THtmlRenderResult Measure(TFont* font, const String& html, int width) {
    TBitmap b(1, 1);
    b.Canvas()->Font()->Assign(font);
    THtmlRenderParams p;
    p.Canvas = b.Canvas();
    p.HTML = html;
    p.R = TRect(0, 0, width, 4096);
    p.CheckOnly = true;
    p.ShadowOffset = 2;
    THtmlRenderResult r;
    RenderHtml(p, r);
    return r;
  }
  static LPARAM Pt(int x, int y) { return MAKELPARAM(x, y); }
};

// ---------------------------------------------------------------------------
// The reflection label

struct Reflection : Labels {
  TAdvReflectionLabel* L = nullptr;
  void SetUp() override {
    Labels::SetUp();
    L = new TAdvReflectionLabel(Form);
    L->SetParent(Form);
    L->SetBounds(20, 20, 185, 60);
    TStringList t;
    t.Add(L"<font color=\"#0000FF\">In BOX</font>");
    L->HTMLText()->Assign(&t);
  }
};

TEST_F(Reflection, Defaults) {
  auto* l = new TAdvReflectionLabel(Form);
  EXPECT_EQ(l->Width(), 185);
  EXPECT_EQ(l->Height(), 40);
  EXPECT_EQ(l->Font()->Size(), 12);
  EXPECT_TRUE(l->Font()->Style().Contains(TFontStyle::fsBold));
  EXPECT_TRUE(l->Transparent());
  EXPECT_EQ(l->ReflectionOpacityStart(), 128);
  EXPECT_EQ(l->ReflectionOpacityEnd(), 0);
  EXPECT_EQ(l->ReflectionSize(), 20);
  EXPECT_EQ(l->ReflectionAxis(), -7);
  EXPECT_EQ(l->Version(), L"1.5.1.1");
  l->SetVersion(L"x");
  EXPECT_EQ(l->Version(), L"1.5.1.1");
}

TEST_F(Reflection, RowAlphasFadeWithHalvesToEven) {
  struct Case {
    int Start, End, Size;
    std::vector<std::pair<int, int>> RowAlpha;
  } cases[] = {
      {128, 0, 20, {{0, 128}, {10, 64}, {19, 6}, {20, 0}}},
      {100, 0, 20, {{0, 100}, {19, 5}, {20, 0}}},
      {0, 255, 10, {{0, 0}, {5, 128}, {9, 230}, {10, 0}}},  // 127.5 to the even 128
      {128, 0, 0, {{0, 0}, {1, 0}}},
  };
  L->Font()->SetSize(24);  // more rows of text than the fade
  for (const Case& c : cases) {
    L->SetReflectionOpacityStart(c.Start);
    L->SetReflectionOpacityEnd(c.End);
    L->SetReflectionSize(c.Size);
    Shot();
    TGPBitmap* pic = L->ReflectionPicture();
    ASSERT_NE(pic, nullptr);
    for (auto [row, alpha] : c.RowAlpha) {
      ARGB px = 0;
      pic->GetPixel(2, row, px);
      EXPECT_EQ(ArgbAlpha(px), alpha) << "start " << c.Start << " row " << row;
    }
  }
}

TEST_F(Reflection, OpacityOutsideTheByteIsIgnored) {
  L->SetReflectionOpacityStart(300);
  EXPECT_EQ(L->ReflectionOpacityStart(), 128);
  L->SetReflectionOpacityEnd(-1);
  EXPECT_EQ(L->ReflectionOpacityEnd(), 0);
}

TEST_F(Reflection, ReflectionMirrorsTheTextBelowIt) {
  L->SetReflectionOpacityStart(255);
  L->SetReflectionOpacityEnd(255);
  L->SetReflectionSize(100);
  L->SetReflectionAxis(0);
  std::unique_ptr<TBitmap> s = Shot();
  TRect area(20, 20, 205, 80);
  auto [top, bottom] = InkRows(s.get(), area);
  ASSERT_GE(top, 20);
  TSize size = L->HTMLSize();
  // Ink below the text: the reflection, as wide as the text.
  auto [rtop, rbottom] = InkRows(s.get(), TRect(20, 20 + size.cy, 205, 80));
  EXPECT_GE(rtop, 20 + size.cy);
  EXPECT_LT(rtop - (20 + size.cy), size.cy);
}

TEST_F(Reflection, CentredParagraphReflectsTheCentredArea) {
  TStringList t;
  t.Add(L"<p align = \"center\">Out BOX</p>");
  L->SetHTMLText(&t);
  Shot();
  TSize size = L->HTMLSize();
  EXPECT_EQ(L->XStart(), (185 - size.cx) / 2);
  t.Clear();
  t.Add(L"<p align=\"right\">Out BOX</p>");
  L->SetHTMLText(&t);
  Shot();
  EXPECT_EQ(L->XStart(), 185 - L->HTMLSize().cx);
}

TEST_F(Reflection, AssignedLinesKeepABlankBetweenWords) {
  TStringList t;
  t.Add(L"Hello");
  t.Add(L"world");
  L->SetHTMLText(&t);
  ASSERT_EQ(L->HTMLText()->Count(), 1);
  EXPECT_EQ(L->HTMLText()->Strings(0), L"Hello world");
  // Lines loaded with the window stay separate and join the same way.
  L->HTMLText()->Clear();
  L->HTMLText()->Add(L"Hello");
  L->HTMLText()->Add(L"world");
  EXPECT_EQ(L->GetMarkup(), L"Hello world");
  EXPECT_EQ(L->Text(), L"Hello world");
}

TEST_F(Reflection, SaveToFileWritesWhatItShowsAndReportsFailure) {
  wchar_t tmp[MAX_PATH] = L"";
  GetTempPathW(MAX_PATH, tmp);
  String dir = tmp;
  String file = IncludeTrailingPathDelimiter(dir) + L"reflection_test.png";
  DeleteFileW(file.c_str());
  EXPECT_FALSE(L->SaveToFile(file, TAdvReflectionLabel::TImageType::itPNG));  // no reflection yet
  EXPECT_FALSE(FileExists(file));
  Shot();
  ASSERT_TRUE(L->SaveToFile(file, TAdvReflectionLabel::TImageType::itPNG));
  std::unique_ptr<TGPImage> img(new TGPImage(file));
  ASSERT_EQ(img->GetLastStatus(), Ok);
  EXPECT_EQ(img->GetWidth(), 185u);
  EXPECT_EQ(img->GetHeight(), 60u);
  EXPECT_EQ(img->GetFormat(), ifPNG);
  img.reset();
  // Blue text on the white form: the saved picture holds both.
  {
    TBitmap shot(185, 60);
    TGPImage again(file);
    TGPGraphics g(shot.Canvas()->Handle());
    g.DrawImage(&again, 0, 0);
    GdiFlush();
    auto [top, bottom] = InkRows(&shot, TRect(0, 0, 185, 60));
    EXPECT_GE(top, 0);
    EXPECT_EQ(PixelAt(&shot, 184, 0), clWhite);
  }
  DeleteFileW(file.c_str());
  struct Type {
    TAdvReflectionLabel::TImageType T;
    const wchar_t* Ext;
    TGPImageFormat F;
  } types[] = {{TAdvReflectionLabel::TImageType::itBMP, L".bmp", ifBMP},
               {TAdvReflectionLabel::TImageType::itJPEG, L".jpg", ifJPEG},
               {TAdvReflectionLabel::TImageType::itTIFF, L".tif", ifTIFF}};
  for (const Type& t : types) {
    String f = IncludeTrailingPathDelimiter(dir) + L"reflection_test" + t.Ext;
    ASSERT_TRUE(L->SaveToFile(f, t.T)) << t.Ext;
    {
      TGPImage back(f);
      EXPECT_EQ(back.GetFormat(), t.F) << t.Ext;
      EXPECT_EQ(back.GetWidth(), 185u) << t.Ext;
    }
    EXPECT_TRUE(DeleteFileW(f.c_str())) << t.Ext;
  }
  // GIF: this wine's GIF encoder writes files its own decoder does not
  // read back, so only the report is checked.
  String gif = IncludeTrailingPathDelimiter(dir) + L"reflection_test.gif";
  bool saved = L->SaveToFile(gif, TAdvReflectionLabel::TImageType::itGIF);
  EXPECT_EQ(saved, FileExists(gif));
  DeleteFileW(gif.c_str());
  // A file that cannot be written is reported.
  EXPECT_FALSE(L->SaveToFile(L"Z:\\no\\such\\folder\\x.png", TAdvReflectionLabel::TImageType::itPNG));
}

TEST_F(Reflection, NoMemoryForTheReflectionGoesToTheApplication) {
  String seen;
  Application->OnException = [&](TObject*, const Exception& e) { seen = e.Message(); };
  SetGlobalAllocator([](UINT, SIZE_T) -> HGLOBAL { return nullptr; });
  Form->Invalidate();
  UpdateWindow(Form->Handle());
  SetGlobalAllocator(nullptr);
  Application->OnException = nullptr;
  EXPECT_EQ(seen, L"Could not allocate memory for reflection Label");
  EXPECT_EQ(L->ReflectionPicture(), nullptr);
}

TEST_F(Reflection, LinksOpenOnlyForWebAndMail) {
  ShellRecorder shell;
  L->Font()->SetSize(20);
  for (const wchar_t* href : {L"https://example.org/", L"mailto:me@example.org", L"file://c:/x.exe", L"inbox"}) {
    TStringList t;
    t.Add(String(L"<a href=\"") + href + L"\">XXXXXXXX</a>");
    L->SetHTMLText(&t);
    SendMessageW(Form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Pt(20 + 10, 20 + 10));
    SendMessageW(Form->Handle(), WM_LBUTTONUP, 0, Pt(20 + 10, 20 + 10));
  }
  ASSERT_EQ(shell.Opened.size(), 2u);
  EXPECT_EQ(shell.Opened[0], L"https://example.org/");
  EXPECT_EQ(shell.Opened[1], L"mailto:me@example.org");
}

TEST_F(Reflection, PointerOverAnAnchorShowsTheHand) {
  TStringList t;
  t.Add(L"<a href=\"https://example.org/\">XXXXXXXX</a>");
  L->SetHTMLText(&t);
  L->Font()->SetSize(20);
  SendMessageW(Form->Handle(), WM_MOUSEMOVE, 0, Pt(30, 30));
  EXPECT_EQ(L->Cursor(), crHandPoint);
  SendMessageW(Form->Handle(), WM_MOUSEMOVE, 0, Pt(30, 75));
  EXPECT_EQ(L->Cursor(), crDefault);
}

TEST_F(Reflection, FirstNamingGivesTheText) {
  auto* l = new TAdvReflectionLabel(Form);
  l->SetName(L"Label7");
  ASSERT_EQ(l->HTMLText()->Count(), 1);
  EXPECT_EQ(l->HTMLText()->Strings(0), L"Label7");
  l->SetName(L"Label8");  // the text still is the old name
  EXPECT_EQ(l->HTMLText()->Strings(0), L"Label8");
  l->HTMLText()->Strings(0);
  TStringList t;
  t.Add(L"In BOX");
  l->SetHTMLText(&t);
  l->SetName(L"Label9");
  EXPECT_EQ(l->HTMLText()->Strings(0), L"In BOX");
}

TEST_F(Reflection, UpdateBracketPaintsOnlyTheBackground) {
  L->SetTransparent(false);
  L->SetColor(0x00FF00);
  L->BeginUpdate();
  std::unique_ptr<TBitmap> s = Shot();
  auto [top, bottom] = InkRows(s.get(), TRect(20, 20, 205, 80));
  EXPECT_EQ(PixelAt(s.get(), 25, 30), 0x00FF00);
  int blue = CountPixels(s.get(), TRect(20, 20, 205, 80), 0xFF0000, 40);
  EXPECT_EQ(blue, 0);
  L->EndUpdate();
  L->EndUpdate();  // without a bracket: nothing
  s = Shot();
  EXPECT_GT(CountPixels(s.get(), TRect(20, 20, 205, 80), 0xFF0000, 60), 0);
}

// ---------------------------------------------------------------------------
// The HTML label

struct Html : Labels {
  THTMLabel* L = nullptr;
  void SetUp() override {
    Labels::SetUp();
    L = new THTMLabel(Form);
    L->SetParent(Form);
    L->SetBounds(20, 20, 120, 40);
    L->Font()->SetName(L"Tahoma");
    L->Font()->SetSize(10);
  }
  void SetText(const String& s) {
    TStringList t;
    t.Add(s);
    L->SetHTMLText(&t);
  }
};

TEST_F(Html, Defaults) {
  auto* l = new THTMLabel(Form);
  EXPECT_EQ(l->Width(), 120);
  EXPECT_EQ(l->HTMLText()->Count(), 0);  // no sample text at run time
  EXPECT_TRUE(l->Transparent());
  EXPECT_EQ(l->ShadowOffset(), 2);
  EXPECT_EQ(l->ShadowColor(), clGray);
  EXPECT_EQ(l->URLColor(), clBlue);
  EXPECT_EQ(l->LineWidth(), 2);
  EXPECT_EQ(l->BevelWidth(), 1);
  EXPECT_EQ(l->ColorTo(), clNone);
  EXPECT_EQ(l->Version(), L"1.9.3.1");
}

TEST_F(Html, WhatsNewLabelGrowsToItsText) {
  auto* box = new TPanel(Form);
  box->SetParent(Form);
  box->SetBounds(150, 10, 200, 280);
  auto* l = new THTMLabel(Form);
  l->SetParent(box);
  l->SetBounds(0, 0, 120, 17);
  TStringList t;
  t.Add(L"<b>Version 2</b>");
  t.Add(L"Faster sending of long messages and a new out-box.");
  l->SetHTMLText(&t);
  int w = 0, h = 0;
  l->OnNewSize = [&](TObject*, int nw, int nh) { w = nw, h = nh; };
  l->SetAutoSizing(true);
  Shot();
  THtmlRenderResult r = Measure(l->Font(), l->GetMarkup(), 120);
  EXPECT_EQ(l->Height(), r.YSize + 6);
  EXPECT_EQ(l->Width(), 120);
  EXPECT_EQ(h, r.YSize + 6);
  EXPECT_EQ(w, 120);
}

TEST_F(Html, AutoSizingCentredStartsThreePixelsLower) {
  L->SetTransparent(true);
  SetText(L"<font color=\"#000000\">Hxy</font>");
  L->SetAutoSizing(true);
  std::unique_ptr<TBitmap> s = Shot();
  int topRow = InkRows(s.get(), TRect(20, 0, 140, 150)).first;
  int height = L->Height();
  L->SetVAlignment(TVAlignment::tvaCenter);
  L->SetAutoSizing(true);
  s = Shot();
  EXPECT_EQ(InkRows(s.get(), TRect(20, 0, 140, 150)).first, topRow + 3);
  EXPECT_EQ(L->Height(), height);
}

TEST_F(Html, AnchorsFireEventsAndOnlyWebAndMailOpen) {
  ShellRecorder shell;
  L->Font()->SetSize(16);
  std::vector<String> clicks, enters, exits;
  L->OnAnchorClick = [&](TObject*, const String& a) { clicks.push_back(a); };
  L->OnAnchorEnter = [&](TObject*, const String& a) { enters.push_back(a); };
  L->OnAnchorExit = [&](TObject*, const String& a) { exits.push_back(a); };
  for (const wchar_t* href : {L"mailto:me@example.org", L"details", L"ftp://example.org/x"}) {
    SetText(String(L"<a href=\"") + href + L"\">XXXXXX</a>");
    SendMessageW(Form->Handle(), WM_MOUSEMOVE, 0, Pt(28, 28));
    SendMessageW(Form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Pt(28, 28));
    SendMessageW(Form->Handle(), WM_LBUTTONUP, 0, Pt(28, 28));
    SendMessageW(Form->Handle(), WM_MOUSEMOVE, 0, Pt(135, 57));  // on the label, off the anchor
  }
  ASSERT_EQ(clicks.size(), 3u);
  EXPECT_EQ(clicks[1], L"details");
  ASSERT_EQ(shell.Opened.size(), 1u);
  EXPECT_EQ(shell.Opened[0], L"mailto:me@example.org");
  EXPECT_EQ(enters.size(), 3u);
  ASSERT_EQ(exits.size(), 3u);
  EXPECT_EQ(exits[0], L"");
}

TEST_F(Html, AnchorHintsAndFullTextHints) {
  L->Font()->SetSize(16);
  L->SetShowHint(true);
  L->SetHint(L"plain");
  L->SetAnchorHint(true);
  SetText(L"<a href=\"target\" title=\"Tip\">XXXXXX</a> <b>bold</b>");
  L->OnAnchorHint = [](TObject*, String& a) { a += L"!"; };
  TPoint p = Form->ClientToScreen(TPoint(28, 28));
  Application->ActivateHint(p);
  ASSERT_NE(Application->HintWindow(), nullptr);
  EXPECT_EQ(Application->HintWindow()->Text(), L"Tip!");
  RECT r;
  GetWindowRect(Application->HintWindow()->Handle(), &r);
  EXPECT_EQ(r.left, p.x + 10);
  EXPECT_EQ(r.top, p.y - 10);
  Application->CancelHint();
  L->SetAnchorHint(false);
  L->SetHintShowFull(true);
  Application->ActivateHint(p);
  EXPECT_EQ(Application->HintWindow()->Text(), L"XXXXXX bold");
  Application->CancelHint();
  L->SetHTMLHint(true);
  Application->ActivateHint(p);
  EXPECT_EQ(Application->HintWindow()->Text(), L"<a href=\"target\" title=\"Tip\">XXXXXX</a> <b>bold</b>");
  Application->CancelHint();
}

TEST_F(Html, BackgroundsBordersAndLines) {
  L->SetTransparent(false);
  L->SetColor(0x0000FF);
  L->SetColorTo(0xFF0000);
  std::unique_ptr<TBitmap> s = Shot();
  EXPECT_GT(PixelAt(s.get(), 22, 55) & 0xFF, 0xC0);          // red at the left
  EXPECT_GT((PixelAt(s.get(), 137, 55) >> 16) & 0xFF, 0xC0);  // blue at the right
  L->SetGradientType(TGradientType::gtBottomLine);
  L->SetLineWidth(3);
  s = Shot();
  EXPECT_EQ(PixelAt(s.get(), 80, 40), 0x0000FF);  // a solid body
  EXPECT_NE(PixelAt(s.get(), 130, 58), 0x0000FF);  // the gradient band at the bottom
  L->SetGradientType(TGradientType::gtFullVertical);
  L->SetBorderStyle(TBorderStyleKind::bsSingle);
  L->SetBorderWidth(2);
  L->SetBorderColor(0x00FF00);
  s = Shot();
  int green = CountPixels(s.get(), TRect(20, 20, 140, 60), 0x00FF00, 0);
  EXPECT_GT(green, 100);
}

TEST_F(Html, VerticalAlignmentPlacesTheText) {
  SetText(L"<font color=\"#000000\">Hxy</font>");
  L->SetHeight(80);
  std::unique_ptr<TBitmap> s = Shot();
  auto top = InkRows(s.get(), TRect(20, 20, 140, 100));
  L->SetVAlignment(TVAlignment::tvaBottom);
  s = Shot();
  auto bottom = InkRows(s.get(), TRect(20, 20, 140, 100));
  EXPECT_GT(bottom.first, top.first + 30);
  EXPECT_LE(bottom.second, 100);
}

TEST_F(Html, HighlightAndMarkRoundTrip) {
  SetText(L"send the SMS");
  L->HilightText(L"sms", false);
  EXPECT_NE(L->HTMLText()->Text().find(L"<hi>SMS</hi>"), String::npos);
  L->UnHilightText();
  EXPECT_EQ(L->HTMLText()->Strings(0), L"send the SMS");
  L->MarkText(L"sms", true);  // case-sensitive: no match
  EXPECT_EQ(L->HTMLText()->Strings(0), L"send the SMS");
  L->MarkText(L"SMS", true);
  EXPECT_NE(L->HTMLText()->Text().find(L"<e>SMS</e>"), String::npos);
  L->UnMarkText();
  EXPECT_EQ(L->HTMLText()->Strings(0), L"send the SMS");
}

TEST_F(Html, PrintsOntoAnotherCanvas) {
  SetText(L"<font color=\"#000000\">Printed</font>");
  TBitmap page(300, 100);
  page.Canvas()->Brush()->SetColor(clWhite);
  page.Canvas()->FillRect(TRect(0, 0, 300, 100));
  page.Canvas()->Font()->SetName(L"Tahoma");
  page.Canvas()->Font()->SetSize(12);
  L->HTMLPrint(page.Canvas(), TRect(10, 10, 290, 90));
  GdiFlush();
  auto rows = InkRows(&page, TRect(0, 0, 300, 100));
  EXPECT_GE(rows.first, 10);
}

TEST_F(Html, AcceleratorFocusesTheFocusControl) {
  auto* edit = new TEdit(Form);
  edit->SetParent(Form);
  edit->SetBounds(20, 200, 100, 20);
  SetText(L"&Number");
  L->SetFocusControl(edit);
  ASSERT_TRUE(FocusForInput(Form, Form));
  EXPECT_NE(Form->Perform(CM_DIALOGCHAR, L'n', 0x20000000), 0);
  PumpFor(10);
  EXPECT_TRUE(edit->Focused());
}

TEST_F(Html, UpdateBracket) {
  SetText(L"<font color=\"#000000\">Hxy</font>");
  L->BeginUpdate();
  std::unique_ptr<TBitmap> s = Shot();
  EXPECT_EQ(InkRows(s.get(), TRect(20, 20, 140, 60)).first, -1);
  L->EndUpdate();
  L->EndUpdate();
  s = Shot();
  EXPECT_GE(InkRows(s.get(), TRect(20, 20, 140, 60)).first, 20);
}

}  // namespace

TEST_F(Html, RepaintsAreDrawnFromTheLabelsOwnLayouts) {
  L->SetBounds(20, 20, 200, 40);
  SetText(L"<b>SMS:</b> 3 <i>new</i> for <font color=\"#0000FF\">you</font>");
  auto laidOut = Shot();
  EXPECT_GT(L->HtmlCache().Count(), 0u);
  const size_t hits = L->HtmlCache().Hits();
  auto kept = Shot();
  EXPECT_GT(L->HtmlCache().Hits(), hits);
  EXPECT_TRUE(SamePixels(laidOut.get(), kept.get()));
  EXPECT_GT(CountPixels(kept.get(), TRect(20, 20, 220, 60), 0xFF0000, 60), 0);
  // Another label keeps its own.
  auto* other = new THTMLabel(Form);
  other->SetParent(Form);
  other->SetBounds(20, 100, 200, 40);
  TStringList t;
  t.Add(L"<b>other</b>");
  other->SetHTMLText(&t);
  const size_t count = L->HtmlCache().Count();
  Shot();
  EXPECT_GT(other->HtmlCache().Count(), 0u);
  EXPECT_EQ(L->HtmlCache().Count(), count);
}
