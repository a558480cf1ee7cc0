// The quick access toolbar's painting: flat in the Office 2013/2016 tones,
// classic (the full-width band below the ribbon, or the curved band in the
// caption over the pager's own background) and on glass.
#include <memory>

#include "ui/controls/buttons/GlowButtonHelpers.h"
#include "ui/toolbar/bars/ToolBarPaint.h"
#include "ui/toolbar/ribbon/AdvQuickAccessToolBar.h"
#include "ui/toolbar/ribbon/AdvToolBarPager.h"

namespace {
void Line(TCanvas* Canvas, int X1, int Y1, int X2, int Y2) {
  Canvas->MoveTo(X1, Y1);
  Canvas->LineTo(X2, Y2);
}
}  // namespace

void TAdvCustomQuickAccessToolBar::Paint() {
  if (IsOfficeFlatStyle()) {
    PaintFlat();
  } else if (!FIsAeroVista || FFullSize) {
    PaintClassic();
  } else {
    PaintGlass();
  }
}

void TAdvCustomQuickAccessToolBar::PaintFlat() {
  TCanvas* c = Canvas();
  c->Brush()->SetStyle(TBrushStyle::bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
  TRect r = GetBarRect();
  r.top = 0;
  r.bottom -= 1;
  r.right -= FButtonWidth + 2;
  c->Pen()->SetStyle(TPenStyle::psSolid);
  c->Pen()->SetWidth(1);
  c->Pen()->SetColor(clGray);
  int x = r.left + static_cast<int>(Round(22.0L * DPIFactor));
  Line(c, x, r.top + 7, x, r.bottom - 4);
  if (ControlCount() >= 3) {
    c->Pen()->SetColor(clSilver);
    Line(c, r.right - 3, r.top + 7, r.right - 3, r.bottom - 4);
  }
}

void TAdvCustomQuickAccessToolBar::PaintClassic() {
  if (!Pager() || FUpdateCount >= 1 || !GetToolBarStyler()) return;
  if (FFullSize) {
    PaintFullSizeBand(Canvas());
    return;
  }
  TBitmap bitmap(Max<int>(1, Width()), Max<int>(1, Height()));
  GlowButton::PaintParentBackground(this, bitmap.Canvas()->Handle());
  PaintCaptionBand(bitmap.Canvas());
  Canvas()->Draw(0, 0, &bitmap);
}

void TAdvCustomQuickAccessToolBar::PaintFullSizeBand(TCanvas* Canvas) {
  TQATAppearance* qa = GetToolBarStyler()->QATAppearance();
  TRect r = GetBarRect();
  Canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
  Canvas->Brush()->SetColor(qa->FullSizeColor());
  Canvas->Pen()->SetStyle(TPenStyle::psSolid);
  Canvas->Pen()->SetWidth(1);
  Canvas->Pen()->SetColor(qa->BorderColor());
  if (qa->FullSizeColorTo() == clNone) {
    Canvas->Rectangle(r);
    return;
  }
  DrawGradient(Canvas, qa->FullSizeColor(), qa->FullSizeColorTo(), 80, r, false);
  Canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  int L = r.left, T = r.top, Rt = r.right, B = r.bottom;
  auto frame = [&](TColor Color, bool Inner) {
    Canvas->Pen()->SetColor(Color);
    if (GetGlobalWin7ScenicRibbon()) {
      if (!Inner) {
        Line(Canvas, L, T, Rt, T);
        Line(Canvas, Rt, T + 1, Rt, B - 2);
        Line(Canvas, L, B - 2, Rt, B - 2);
        Line(Canvas, L, T + 1, L, B - 2);
      } else {
        Line(Canvas, L, T + 1, Rt, T + 1);
        Line(Canvas, Rt, T, Rt, B - 1);
        Line(Canvas, L, B - 1, Rt, B - 1);
        Line(Canvas, L, T + 1, L, B - 2);
      }
    } else if (!Inner) {
      Line(Canvas, L + 1, T, Rt - 1, T);
      Line(Canvas, Rt - 1, T + 1, Rt - 1, B - 2);
      Line(Canvas, L + 1, B - 2, Rt - 1, B - 2);
      Line(Canvas, L, T + 1, L, B - 2);
    } else {
      Line(Canvas, L + 1, T + 1, Rt - 1, T + 1);
      Line(Canvas, Rt, T, Rt, B - 1);
      Line(Canvas, L + 1, B - 1, Rt, B - 1);
      Line(Canvas, L + 1, T + 1, L + 1, B - 2);
    }
  };
  frame(qa->FullSizeBorderColor(), false);
  frame(BlendColor(clWhite, qa->FullSizeColor(), 50), true);
}

void TAdvCustomQuickAccessToolBar::PaintCaptionBand(TCanvas* Canvas) {
  TCustomAdvToolBarStyler* styler = GetToolBarStyler();
  TQATAppearance* qa = styler->QATAppearance();
  HDC dc = Canvas->Handle();
  const int H = Height();
  TRect r = GetBarRect();
  r.bottom -= 1;
  if (GetGlobalWin7ScenicRibbon()) {
    r.right -= FButtonWidth + 2;
    if (GetVisibleButtonCount() > 0) DrawQATFrame(dc, r);
    return;
  }
  const float left = float(r.left), top = float(r.top), right = float(r.right), bottom = float(r.bottom);
  {
    TGPGraphics g(dc);
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    // The band: its right end rounded by an ellipse, its left end cut by a
    // larger one.
    TGPRegion region(TGPRectF(left, top - 1, right - H / 2 - left, bottom + 1 - (top - 1)));
    TGPGraphicsPath rightEnd;
    rightEnd.AddEllipse(right - H - 6, top - 2, float(H + 4), float(H - 1));
    TGPRegion rightRegion(&rightEnd);
    region.Union(&rightRegion);
    TGPGraphicsPath leftCut;
    leftCut.AddEllipse(left + H / 3 - H + 2, top, float(H + 1 + (styler->QatSharpCurve() ? 1 : 0)),
                       float(H + H / 3 + 3));
    region.Exclude(&leftCut);
    g.SetClip(&region);
    TGPLinearGradientBrush brush(TGPRectF(left, top - 1, float(r.Width()), float(r.Height())),
                                 ColorToARGB(qa->Color()), ColorToARGB(qa->ColorTo()), LinearGradientModeVertical);
    g.FillRectangle(&brush, left + 1, top, float(r.Width() - 1), float(r.Height() - 1));
  }
  // The filled band is kept; the outlines are drawn as whole ellipses and
  // the middle is put back from the copy, so only their ends remain.
  TBitmap saved(Max<int>(1, Width()), Max<int>(1, Height()));
  BitBlt(saved.Canvas()->Handle(), 0, 0, Width(), Height(), dc, 0, 0, SRCCOPY);
  {
    TGPGraphics g(dc);
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    TGPPen pen(ColorToARGB(qa->BorderColor()), 1.0f);
    g.DrawEllipse(&pen, r.right - H - 6, r.top - 2, H + 3, H - 1);
    g.DrawEllipse(&pen, r.left + H / 3 - H + 2, r.top, H + 2, H + H / 3 + 4);
  }
  int midLeft = GetLeftOffset() - 1, midRight = r.right - H / 2;
  BitBlt(dc, midLeft, r.top, midRight - midLeft, r.Height(), saved.Canvas()->Handle(), midLeft, r.top, SRCCOPY);
  TVistaTextBackground* caption = styler->PagerCaption();
  TGPGraphics g(dc);
  TGPPen high(ColorToARGB(BlendColor(caption->Color(), qa->BorderColor(), 60)), 1.0f);
  g.DrawLine(&high, left, top - 1, left + r.Width() - 10, top - 1);
  TGPPen low(ColorToARGB(BlendColor(caption->ColorMirror(), qa->BorderColor(), 40)), 1.0f);
  float lowLeft = float(r.left + H / 3 + 4);
  g.DrawLine(&low, lowLeft, bottom, lowLeft + r.Width() - 20, bottom);
}

void TAdvCustomQuickAccessToolBar::PaintGlass() {
  TRect r = GetBarRect();
  r.top = 0;
  r.bottom -= 1;
  bool scenic = GetGlobalWin7ScenicRibbon();
  if (scenic) r.right -= FButtonWidth + 2;
  DrawGlowText(this, L"", ClientRect(), GetVisibleButtonCount() > 0, r, clNone, GetGlobalTabGlass() && scenic);
  FRef = !FRef;
  if (!FRef) InvalidateRefButton();
}
