// RenderHtml against the platform's DrawTextW on the same plain text, in
// the same font and the same run: a status-panel text (one line, no word
// wrap), a 200-line document and a long paragraph without tags (word wrap),
// each measured only and drawn. The two ways take turns batch by batch.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "base/Graphics.h"
#include "ui/draw/HtmlRender.h"
#include "ui/draw/HtmlText.h"

namespace {

constexpr int kBatches = 15;

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

// Microseconds per call of two ways of doing the same work, measured in
// batches that take turns (which way goes first alternates from batch to
// batch), so that a busy moment of the machine falls on both alike.
struct TTimes {
  double Html, Platform, Ratio;  // medians; Ratio: of the per-batch ratios
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

TTimes PerCall(const std::function<void()>& Html, const std::function<void()>& Platform, int Calls,
               int Batches = kBatches) {
  for (int i = 0; i < Calls; ++i) Html();  // warm the font, glyph and layout caches
  for (int i = 0; i < Calls; ++i) Platform();
  auto batch = [Calls](const std::function<void()>& Call) {
    double t0 = NowUs();
    for (int i = 0; i < Calls; ++i) Call();
    return (NowUs() - t0) / Calls;
  };
  std::vector<double> html, platform, ratio;
  for (int b = 0; b < Batches; ++b) {
    double h, q;
    if (b % 2 == 0) {
      h = batch(Html);
      q = batch(Platform);
    } else {
      q = batch(Platform);
      h = batch(Html);
    }
    html.push_back(h);
    platform.push_back(q);
    ratio.push_back(h / q);
  }
  return {Median(html), Median(platform), Median(ratio)};
}

void Row(const char* What, const TTimes& T) {
  std::printf("%-30s RenderHtml %9.1f us/call   DrawTextW %9.1f us/call   ratio %5.2f\n", What, T.Html, T.Platform,
              T.Ratio);
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
  TTimes measure = PerCall([&] { RenderHtml(p, r); },
                           [&] {
                             TRect rc = R;
                             C->TextRect(rc, plain, flags | DT_CALCRECT);
                           },
                           Calls);
  std::snprintf(label, sizeof label, "%s, measure", Name);
  Row(label, measure);

  p.CheckHeight = false;
  TTimes draw = PerCall([&] { RenderHtml(p, r); },
                        [&] {
                          TRect rc = R;
                          C->TextRect(rc, plain, flags);
                        },
                        Calls);
  std::snprintf(label, sizeof label, "%s, draw", Name);
  Row(label, draw);
  (void)dc;
}

}  // namespace

int main() {
  TBitmap bmp(640, 480);
  TCanvas* c = bmp.Canvas();
  c->Font()->SetName(L"Segoe UI");
  c->Font()->SetSize(9);
  c->Font()->SetColor(clBlack);

  std::printf(
      "HTML-subset engine against DrawTextW, font %ls 9 pt, %d batches of each taking turns; medians, and the "
      "median of the batches' ratios\n",
      c->Font()->Name().c_str(), kBatches);

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
