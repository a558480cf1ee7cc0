// RenderHtml against the platform's DrawTextW on the same plain text, in
// the same font and the same run: a status-panel text (one line, no word
// wrap), a 200-line document and a long paragraph without tags (word wrap),
// each measured only and drawn.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "base/Graphics.h"
#include "ui/draw/HtmlRender.h"
#include "ui/draw/HtmlText.h"

namespace {

double NowUs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return double(c.QuadPart) * 1e6 / double(frequency.QuadPart);
}

// Microseconds per call: the median of Batches batches of Calls calls each.
double PerCall(const std::function<void()>& Call, int Calls, int Batches = 9) {
  for (int i = 0; i < Calls; ++i) Call();  // warm the font and glyph caches
  std::vector<double> v;
  for (int b = 0; b < Batches; ++b) {
    double t0 = NowUs();
    for (int i = 0; i < Calls; ++i) Call();
    v.push_back((NowUs() - t0) / Calls);
  }
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void Row(const char* What, double Html, double Platform) {
  std::printf("%-30s RenderHtml %9.1f us/call   DrawTextW %9.1f us/call   ratio %5.2f\n", What, Html, Platform,
              Html / Platform);
}

void Compare(const char* Name, TCanvas* C, const String& Markup, const TRect& R, bool WordWrap, int Calls) {
  const String plain = HtmlToPlainText(Markup);
  UINT flags = DT_EXPANDTABS | DT_NOPREFIX | (WordWrap ? DT_WORDBREAK : DT_SINGLELINE | DT_END_ELLIPSIS);
  THtmlRenderParams p;
  p.Canvas = C;
  p.HTML = Markup;
  p.R = R;
  p.WordWrap = WordWrap;
  // The layouts are kept as a control keeps them: one cache per owner.
  THtmlLayoutCache cache;
  p.Cache = &cache;
  THtmlRenderResult r;
  C->Brush()->SetStyle(TBrushStyle::bsClear);
  HDC dc = C->Handle();
  char label[96];

  p.CheckHeight = true;
  double htmlMeasure = PerCall([&] { RenderHtml(p, r); }, Calls);
  double platformMeasure = PerCall(
      [&] {
        RECT rc = R;
        C->TextRect(*reinterpret_cast<TRect*>(&rc), plain, flags | DT_CALCRECT);
      },
      Calls);
  std::snprintf(label, sizeof label, "%s, measure", Name);
  Row(label, htmlMeasure, platformMeasure);

  p.CheckHeight = false;
  double htmlDraw = PerCall([&] { RenderHtml(p, r); }, Calls);
  double platformDraw = PerCall(
      [&] {
        TRect rc = R;
        C->TextRect(rc, plain, flags);
      },
      Calls);
  std::snprintf(label, sizeof label, "%s, draw", Name);
  Row(label, htmlDraw, platformDraw);
  (void)dc;
}

}  // namespace

int main() {
  TBitmap bmp(640, 480);
  TCanvas* c = bmp.Canvas();
  c->Font()->SetName(L"Segoe UI");
  c->Font()->SetSize(9);
  c->Font()->SetColor(clBlack);

  std::printf("HTML-subset engine against DrawTextW, font %ls 9 pt, median of 9 batches\n",
              c->Font()->Name().c_str());

  Compare("status panel (1 line)", c, L"chars: <b>137</b> / SMS: <font color=\"#0000FF\">1</font>",
          TRect(0, 0, 140, 20), false, 2000);

  String doc;
  for (int i = 1; i <= 200; ++i) {
    doc += L"<b>Line " + IntToStr(i) + L"</b> of the document with <i>some</i> words, a <a href=\"x\">link</a>" +
           L" and <font color=\"#FF0000\">colour</font><br>";
  }
  Compare("document (200 lines)", c, doc, TRect(0, 0, 640, 200 * 40), true, 20);

  String paragraph;
  for (int i = 0; i < 4000; ++i) paragraph += L"word" + IntToStr(i % 10) + L" ";
  Compare("paragraph (4000 words)", c, paragraph, TRect(0, 0, 640, 4000 * 20), true, 5);
  return 0;
}
