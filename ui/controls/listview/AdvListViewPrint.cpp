// The advanced list view's printing and preview: a table laid out in tenths
// of a millimetre (MM_LOMETRIC, y growing upwards), in column bands across
// pages, with page headers and footers.
#include "ui/controls/listview/AdvListView.h"

#include <cmath>

#include "base/FormatSettings.h"
#include "ui/draw/HtmlRender.h"

namespace {

int PointsToLometric(int Points) { return static_cast<int>(Round(Points * 254.0 / 72.0)); }

// A copy of Font whose height is its point size in tenths of a millimetre.
void LometricFont(TFont* Target, TFont* Source) {
  Target->Assign(Source);
  Target->SetHeight(-PointsToLometric(Source->Size()));
}

bool AtTop(TPrintPosition P) {
  return P == TPrintPosition::ppTopLeft || P == TPrintPosition::ppTopRight || P == TPrintPosition::ppTopCenter;
}

bool AtBottom(TPrintPosition P) {
  return P == TPrintPosition::ppBottomLeft || P == TPrintPosition::ppBottomRight ||
         P == TPrintPosition::ppBottomCenter;
}

}  // namespace

// The state of one layout run.
struct TPrintRun {
  TCanvas* Canvas;
  bool Preview;
  double Ratio = 0;
  int Box = 0;
  int HeaderHeight = 0, FooterHeight = 0, Pad = 0, AWidth = 0, FontSize = 0;
  int PageWidth = 0, PageBottom = 0, Gap = 0;
  int HeaderArea = 0, FooterArea = 0;
  int First = 0, Last = -1;
  bool Stop = false;
};

int TAdvListView::GetPrintColWidth(int Acol) const { return Acol >= 0 && Acol < 256 ? MaxWidths[Acol] : 0; }

int TAdvListView::GetPrintColOffset(int Acol) const { return Acol >= 0 && Acol < 256 ? Indents[Acol] : 0; }

void TAdvListView::Print() {
  TPrinter* printer = Printer();
  printer->SetOrientation(FPrintSettings->Orientation());
  printer->SetTitle(FPrintSettings->JobName());
  printer->BeginDoc();
  try {
    SetMapMode(printer->Canvas()->Handle(), MM_LOMETRIC);
    PrintLayout(printer->Canvas(), false);
  } catch (...) {
    printer->Abort();
    throw;
  }
  printer->EndDoc();
}

void TAdvListView::Preview(TCanvas* Canvas, const TRect& DisplayRect) {
  SetMapMode(Canvas->Handle(), MM_LOMETRIC);
  PrevRect = DisplayRect;
  PrintLayout(Canvas, true);
}

void TAdvListView::PrintLayout(TCanvas* Canvas, bool IsPreview) {
  TPrintRun run{Canvas, IsPreview};
  HDC dc = Canvas->Handle();
  TPrintsettings* ps = FPrintSettings;
  int n = Min(Columns()->Count(), 256);
  int rows = Items()->Count();
  // Step 1: ratio, check-box size, pen, fonts and page.
  {
    HDC screen = GetDC(HandleAllocated() ? Handle() : nullptr);
    int screenPpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) ReleaseDC(HandleAllocated() ? Handle() : nullptr, screen);
    run.Ratio = screenPpi > 0 ? static_cast<double>(GetDeviceCaps(dc, LOGPIXELSX)) / screenPpi : 0;
  }
  run.Box = Checkboxes() ? static_cast<int>(Round(16 * run.Ratio)) : 0;
  Canvas->Pen()->SetColor(clBlack);
  Canvas->Pen()->SetStyle(ps->BorderStyle());
  Canvas->Pen()->SetWidth(ps->Borders() == TPrintBorders::pbDouble ? 10 : 2);
  TFont savedFont;
  savedFont.Assign(Canvas->Font());
  TFont headerFont, footerFont, cellFont;
  LometricFont(&headerFont, ps->HeaderFont());
  LometricFont(&footerFont, ps->FooterFont());
  LometricFont(&cellFont, ps->Font());
  Canvas->Font()->Assign(&headerFont);
  run.HeaderHeight = Canvas->TextHeight(L"gh");
  Canvas->Font()->Assign(&footerFont);
  run.FooterHeight = Canvas->TextHeight(L"gh");
  Canvas->Font()->Assign(&cellFont);
  run.Pad = Canvas->TextHeight(L"gh") / 8;
  run.AWidth = Canvas->TextWidth(L"a");
  run.FontSize = ps->Font()->Size();
  if (IsPreview) {
    int ppiX = GetDeviceCaps(dc, LOGPIXELSX), ppiY = GetDeviceCaps(dc, LOGPIXELSY);
    run.PageWidth = static_cast<int>(Round(254.0 / ppiX * PrevRect.Width()));
    run.PageBottom = -static_cast<int>(Round(254.0 / ppiY * PrevRect.Height()));
  } else {
    TRect clip = Canvas->ClipRect();
    run.PageWidth = std::abs(clip.Width());
    run.PageBottom = Min(clip.top, clip.bottom);
  }
  run.Gap = ps->UseFixedWidth() ? 0 : ps->ColumnSpacing() + 20;

  // Step 2: column widths.
  for (int c = 0; c < n; ++c) MaxWidths[c] = 0;
  for (int r = -1; r < rows; ++r)
    for (int c = 0; c < n; ++c) {
      int w = ps->UseFixedWidth() ? ps->FixedWidth() : MeasurePrintCell(run, r, c).cx + run.AWidth;
      MaxWidths[c] = Max(MaxWidths[c], w);
    }

  // Step 3: fit to page. A list whose columns have no width has nothing to
  // scale.
  if (ps->FitToPage() != TFitToPage::fpNever && n > 0) {
    int64_t total = 0;
    for (int c = 0; c < n; ++c) total += MaxWidths[c];
    if (total > 0) {
      double factor = static_cast<double>(run.PageWidth - ps->RightSize() - ps->LeftSize() - n * run.Gap) /
                      static_cast<double>(total);
      if (ps->FitToPage() == TFitToPage::fpShrink && factor > 1) factor = 1;
      if (ps->FitToPage() == TFitToPage::fpGrow && factor < 1) factor = 1;
      if (ps->FitToPage() == TFitToPage::fpCustom && factor != 1) {
        bool allow = true;
        if (OnFitToPage) OnFitToPage(this, factor, allow);
        if (!allow) factor = 1;
      }
      if (factor != 1 && factor > 0)
        for (int c = 0; c < n; ++c) MaxWidths[c] = static_cast<int>(std::trunc(MaxWidths[c] * factor));
    }
  }

  // Step 4.
  if (OnPrintSetColumnWidth)
    for (int c = 0; c < n; ++c) OnPrintSetColumnWidth(this, c, MaxWidths[c]);

  // Step 5: column bands.
  bool anyTop = AtTop(ps->Time()) || AtTop(ps->Date()) || AtTop(ps->PageNr()) || AtTop(ps->Title());
  bool anyBottom = AtBottom(ps->Time()) || AtBottom(ps->Date()) || AtBottom(ps->PageNr()) || AtBottom(ps->Title());
  run.HeaderArea = ps->HeaderSize() + (anyTop ? run.Pad + run.HeaderHeight : 0);
  run.FooterArea = ps->FooterSize() + (anyBottom ? 2 : 1) * (run.Pad + run.FooterHeight);
  int page = 0;
  auto newPage = [&] {
    TPrinter* printer = Printer();
    printer->NewPage();
    SetMapMode(printer->Canvas()->Handle(), MM_LOMETRIC);
    Canvas->Font()->Assign(&cellFont);
    if (OnPrintPage) OnPrintPage(this, Canvas, page, run.PageWidth, run.PageBottom);
  };
  run.First = 0;
  while (run.First < n && !run.Stop) {
    // The band: the columns that fit across; a column wider than the page
    // makes a band of its own.
    int sum = 0;
    run.Last = run.First - 1;
    for (int c = run.First; c < n; ++c) {
      if (sum + MaxWidths[c] + run.Gap > run.PageWidth - ps->RightSize()) break;
      sum += MaxWidths[c] + run.Gap;
      run.Last = c;
    }
    if (run.Last < run.First) {
      run.Last = run.First;
      sum = MaxWidths[run.First] + run.Gap;
    }
    FPrintPageWidth = sum;
    FPrintColStart = run.First;
    FPrintColEnd = run.Last;
    int x0 = ps->Centered() ? 0 : ps->LeftSize();
    Indents[0] = x0;
    Indents[run.First] = x0;
    for (int c = run.First; c <= run.Last; ++c) Indents[c + 1] = Indents[c] + MaxWidths[c] + run.Gap;
    if (ps->Centered() && sum < run.PageWidth) {
      int shift = (run.PageWidth - sum) / 2;
      for (int c = run.First; c <= run.Last + 1; ++c) Indents[c] += shift;
    }
    Canvas->Font()->Assign(&cellFont);
    if (OnPrintPage) OnPrintPage(this, Canvas, 0, run.PageWidth, run.PageBottom);
    int y = 0;
    bool startPage = true;
    bool endedPage = false;
    for (int row = -1; row < rows;) {
      if (startPage) {
        y = -run.HeaderArea;
        PrintPageTexts(run, page);
        if (row > 0 && page > 0 && ps->RepeatHeaders()) y -= PrintRowAt(run, -1, y);
        startPage = false;
      }
      y -= PrintRowAt(run, row, y);
      int next = row + 1;
      bool forced = false;
      if (OnPrintNewPage) OnPrintNewPage(this, next, forced);
      endedPage = forced || (next < rows && y - PrintRowHeight(run, next) < run.PageBottom + run.FooterArea);
      if (endedPage) {
        PrintBandLines(run, y);
        if (IsPreview) {
          run.Stop = true;
          break;
        }
        if (next < rows) newPage();
        ++page;
        startPage = true;
      }
      row = next;
    }
    if (run.Stop) break;
    if (!endedPage) PrintBandLines(run, y);
    run.First = run.Last + 1;
    if (IsPreview) break;
    if (run.First < n) newPage();
    ++page;
  }
  Canvas->Font()->Assign(&savedFont);
}

// The cell font in tenths of a millimetre and the canvas brush, as the
// cell's handler leaves them.
void TAdvListView::PrintCellStyle(TPrintRun& Run, int Row, int Column, const String& Text, TFont& Font,
                                  TBrush& Brush) {
  LometricFont(&Font, FPrintSettings->Font());
  Brush.Assign(Run.Canvas->Brush());
  DoDrawItemProp(Row, Column - 1, TOwnerDrawState(), &Brush, &Font, Text);
  Font.SetHeight(-PointsToLometric(Font.Size()));
}

TSize TAdvListView::MeasurePrintCell(TPrintRun& Run, int Row, int Column) {
  TCanvas* canvas = Run.Canvas;
  String text = GetTextAtColRow(Column, Row);
  if (Row >= 0 && text.find(L"{\\") != String::npos) text = RichPlainText(Row, Column - 1);
  if (text.find(L"</") == String::npos) {
    TFont font;
    TBrush brush;
    PrintCellStyle(Run, Row, Column, text, font, brush);
    canvas->Font()->Assign(&font);
    TSize ext = canvas->TextExtent(text);
    return TSize(ext.cx + Run.Box, ext.cy);
  }
  HDC dc = canvas->Handle();
  int mode = SetMapMode(dc, MM_TEXT);
  TFont font;
  font.Assign(FPrintSettings->Font());
  font.SetHeight(-MulDiv(FPrintSettings->Font()->Size(), GetDeviceCaps(dc, LOGPIXELSY), 72));
  canvas->Font()->Assign(&font);
  THtmlRenderParams p = CellHtml(canvas, text, TRect(0, 0, 1000, 1000));
  p.CheckHeight = true;
  THtmlRenderResult r;
  RenderHtml(p, r);
  SetMapMode(dc, mode);
  POINT pts[2] = {{0, 0}, {r.XSize, r.YSize}};
  DPtoLP(dc, pts, 2);
  return TSize(std::abs(pts[1].x - pts[0].x), std::abs(pts[1].y - pts[0].y));
}

int TAdvListView::PrintRowHeight(TPrintRun& Run, int Row) {
  if (FPrintSettings->UseFixedHeight()) return FPrintSettings->FixedHeight();
  int h = 0;
  for (int c = 0; c < Min(Columns()->Count(), 256); ++c) h = Max(h, static_cast<int>(MeasurePrintCell(Run, Row, c).cy));
  return h;
}

int TAdvListView::PrintRowAt(TPrintRun& Run, int Row, int Y) {
  TCanvas* canvas = Run.Canvas;
  TPrintsettings* ps = FPrintSettings;
  int measured = PrintRowHeight(Run, Row);
  int rowHeight = measured + measured / 8;
  TFont savedFont;
  savedFont.Assign(canvas->Font());
  TBrush savedBrush;
  savedBrush.Assign(canvas->Brush());
  for (int c = Run.First; c <= Run.Last; ++c) {
    String text = GetTextAtColRow(c, Row);
    TFont font;
    TBrush brush;
    PrintCellStyle(Run, Row, c, text, font, brush);
    canvas->Brush()->Assign(&brush);
    canvas->Font()->Assign(&font);
    TRect cell(Indents[c], Y, Indents[c + 1], Y - rowHeight - 2 * Run.Pad);
    if (text.find(L"{\\") != String::npos && Row >= 0) {
      DrawRichCell(Row, c - 1, cell, canvas);
    } else if (text.find(L"</") != String::npos) {
      HDC dc = canvas->Handle();
      POINT pts[2] = {{cell.left, cell.top}, {cell.right, cell.bottom}};
      LPtoDP(dc, pts, 2);
      int mode = SetMapMode(dc, MM_TEXT);
      TFont html;
      html.Assign(&font);
      html.SetHeight(-MulDiv(ps->Font()->Size(), GetDeviceCaps(dc, LOGPIXELSY), 72));
      canvas->Font()->Assign(&html);
      THtmlRenderParams p = CellHtml(
          canvas, text,
          TRect(Min(pts[0].x, pts[1].x), Min(pts[0].y, pts[1].y), Max(pts[0].x, pts[1].x), Max(pts[0].y, pts[1].y)));
      p.Print = true;
      p.ResFactor = Run.Ratio;
      THtmlRenderResult r;
      RenderHtml(p, r);
      SetMapMode(dc, mode);
    } else {
      int left = cell.left;
      if (c == 0 && Checkboxes() && Row >= 0) {
        HDC dc = canvas->Handle();
        POINT pts[2] = {{left, Y - Run.Pad}, {left + Run.Box, Y - Run.Pad - Run.Box}};
        LPtoDP(dc, pts, 2);
        int mode = SetMapMode(dc, MM_TEXT);
        RECT box{Min(pts[0].x, pts[1].x), Min(pts[0].y, pts[1].y), Max(pts[0].x, pts[1].x), Max(pts[0].y, pts[1].y)};
        DrawFrameControl(dc, &box, DFC_BUTTON,
                         DFCS_BUTTONCHECK | DFCS_FLAT | (Items()->Item(Row)->Checked() ? DFCS_CHECKED : 0));
        SetMapMode(dc, mode);
        left += Run.Box;
        cell.left += Run.Box;
      }
      int tw = canvas->TextWidth(text);
      int x = left + Run.AWidth;
      TAlignment a = ColumnAlignment(c);
      if (a == TAlignment::taRightJustify) x = cell.right - Run.AWidth - tw;
      if (a == TAlignment::taCenter) x = left + (cell.right - left - tw) / 2;
      canvas->TextRect(cell, x, Y - Run.Pad, text);
    }
    canvas->Font()->Assign(&savedFont);
    canvas->Brush()->Assign(&savedBrush);
  }
  TPrintBorders b = ps->Borders();
  if (b == TPrintBorders::pbSingle || b == TPrintBorders::pbDouble || b == TPrintBorders::pbHorizontal) {
    canvas->MoveTo(Indents[Run.First], Y);
    canvas->LineTo(Indents[Run.Last + 1], Y);
  }
  return rowHeight + 2 * Run.Pad;
}

void TAdvListView::PrintBandLines(TPrintRun& Run, int Y) {
  TCanvas* canvas = Run.Canvas;
  TPrintBorders b = FPrintSettings->Borders();
  int y = Y + Run.Pad / 2;
  if (b == TPrintBorders::pbSingle || b == TPrintBorders::pbDouble || b == TPrintBorders::pbHorizontal) {
    canvas->MoveTo(Indents[Run.First], y);
    canvas->LineTo(Indents[Run.Last + 1], y);
  }
  if (b == TPrintBorders::pbSingle || b == TPrintBorders::pbDouble || b == TPrintBorders::pbVertical) {
    for (int c = Run.First; c <= Run.Last + 1; ++c) {
      canvas->MoveTo(Indents[c], -Run.HeaderArea);
      canvas->LineTo(Indents[c], y);
    }
  }
}

void TAdvListView::PrintPageTexts(TPrintRun& Run, int Page) {
  TPrintsettings* ps = FPrintSettings;
  TCanvas* canvas = Run.Canvas;
  String texts[7];  // by TPrintPosition
  for (int k = 1; k < 7; ++k) texts[k] = PageText(static_cast<TPrintPosition>(k), Page);
  TFont saved;
  saved.Assign(canvas->Font());
  TFont font;
  auto place = [&](TPrintPosition left, TPrintPosition right, TPrintPosition centre, int y) {
    const String& l = texts[static_cast<int>(left)];
    const String& r = texts[static_cast<int>(right)];
    const String& c = texts[static_cast<int>(centre)];
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    if (!l.empty()) canvas->TextOut(ps->LeftSize(), y, l);
    if (!r.empty()) canvas->TextOut(Run.PageWidth - canvas->TextWidth(r) - ps->RightSize() - 20, y, r);
    if (!c.empty()) canvas->TextOut((Run.PageWidth - canvas->TextWidth(c)) / 2, y, c);
    canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
  };
  LometricFont(&font, ps->HeaderFont());
  canvas->Font()->Assign(&font);
  place(TPrintPosition::ppTopLeft, TPrintPosition::ppTopRight, TPrintPosition::ppTopCenter, -ps->HeaderSize());
  LometricFont(&font, ps->FooterFont());
  canvas->Font()->Assign(&font);
  place(TPrintPosition::ppBottomLeft, TPrintPosition::ppBottomRight, TPrintPosition::ppBottomCenter,
        Run.PageBottom + Run.FooterHeight + Run.Pad + ps->FooterSize());
  canvas->Font()->Assign(&saved);
}

String TAdvListView::PageText(TPrintPosition Position, int Page) {
  TPrintsettings* ps = FPrintSettings;
  String text;
  auto add = [&](TPrintPosition pos, const String& s) {
    if (pos != Position) return;
    if (pos == TPrintPosition::ppTopLeft || pos == TPrintPosition::ppBottomLeft)
      text = s + L" " + text;
    else
      text = text + L" " + s;
  };
  TDateTime now = Now();
  add(ps->Time(), FormatDateTime(L"hh:nn", now));
  add(ps->Date(), FormatDateTime(ps->DateFormat(), now));
  add(ps->PageNr(), ps->PagePrefix() + L" " + IntToStr(Page + 1) + L" " + ps->PageSuffix());
  add(ps->Title(), ps->TitleText());
  return text;
}
