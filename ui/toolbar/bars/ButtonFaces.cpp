#include "ui/toolbar/bars/ButtonFaces.h"

#include "base/Hints.h"
#include "ui/controls/buttons/GlowButtonHelpers.h"
#include "ui/draw/GdiPlus.h"
#include "ui/toolbar/bars/ToolBarPaint.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

namespace {

LinearGradientMode LinearMode(TGDIPGradient Kind) {
  switch (Kind) {
    case TGDIPGradient::ggDiagonalForward: return LinearGradientModeForwardDiagonal;
    case TGDIPGradient::ggDiagonalBackward: return LinearGradientModeBackwardDiagonal;
    default: return LinearGradientModeVertical;
  }
}

void FillSolid(TGPGraphics* g, TColor Color, float X, float Y, float W, float H) {
  if (Color == clNone || W <= 0 || H <= 0) return;
  TGPSolidBrush brush(ColorToARGB(Color));
  g->FillRectangle(&brush, X, Y, W, H);
}

// A radial glow on Ellipse from Center (CenterColor) to its rim
// (SurroundColor), filling Area.
void FillRadial(TGPGraphics* g, const TGPRectF& Ellipse, TGPPointF Center, TColor CenterColor, TColor SurroundColor,
                const TGPRectF& Area) {
  if (Ellipse.Width <= 0 || Ellipse.Height <= 0 || Area.Width <= 0 || Area.Height <= 0) return;
  TGPGraphicsPath path;
  path.AddEllipse(Ellipse.X, Ellipse.Y, Ellipse.Width, Ellipse.Height);
  TGPPathGradientBrush brush(&path);
  brush.SetCenterPoint(Center);
  brush.SetCenterColor(ColorToARGB(CenterColor));
  ARGB surround = ColorToARGB(SurroundColor);
  int n = 1;
  brush.SetSurroundColors(&surround, n);
  g->FillRectangle(&brush, Area);
}

void FillLinear(TGPGraphics* g, const TGPRectF& Box, TColor First, TColor Second, TGDIPGradient Kind,
                const TGPRectF& Area) {
  if (Box.Width <= 0 || Box.Height <= 0 || Area.Width <= 0 || Area.Height <= 0) return;
  TGPLinearGradientBrush brush(Box, ColorToARGB(First), ColorToARGB(Second), LinearMode(Kind));
  g->FillRectangle(&brush, Area);
}

void CanvasFill(TCanvas* Canvas, TColor Color, const TRect& R) {
  if (Color == clNone) return;
  Canvas->Brush()->SetColor(Color);
  Canvas->FillRect(R);
}

void FaceBorder(TCanvas* Canvas, TColor BorderColor, int X, int Y, int W, int H, bool Rounded) {
  if (BorderColor == clNone) return;
  TGPGraphics g(Canvas->Handle());
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  TGPPen pen(ColorToARGB(BorderColor), 1.0f);
  if (Rounded)
    DrawRoundRectPath(&g, &pen, X, Y, W, H, 3);
  else
    DrawRectPath(&g, &pen, X, Y, W, H);
}

void Line(TGPGraphics* g, ARGB Color, float X1, float Y1, float X2, float Y2) {
  TGPPen pen(Color, 1.0f);
  g->DrawLine(&pen, X1, Y1, X2, Y2);
}

ARGB Dark(TColor Color) { return ColorToARGB(ScaleColorChannels(Color, -5)); }

// The left edge of a middle or right piece: full height and darker while
// hot, else a light grey line two pixels shorter at each end.
void JointEdge(TGPGraphics* g, TColor Color, int X, int Y, int H, bool Hot) {
  if (Hot)
    Line(g, Dark(Color), float(X), float(Y), float(X), float(Y + H));
  else
    Line(g, ColorToARGB(ScaleColorChannels(clWhite, -10)), float(X), float(Y + 2), float(X), float(Y + H - 2));
}

void Stroke(TCanvas* Canvas, TColor Color, int Width) {
  Canvas->Pen()->SetColor(Color);
  Canvas->Pen()->SetWidth(Width);
}

void Segment(TCanvas* Canvas, int X1, int Y1, int X2, int Y2) {
  Canvas->MoveTo(X1, Y1);
  Canvas->LineTo(X2, Y2);
}

}  // namespace

void DrawButtonFace(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TColor ColorMirror,
                    TColor ColorMirrorTo, TColor BorderColor, TGDIPGradient Gradient, TGDIPGradient GradientMirror,
                    bool Rounded) {
  int L = R.left, T = R.top, W = R.Width(), H = R.Height(), S = H / 2;
  if (ColorTo == clNone && ColorMirror == clNone) {
    {
      TGPGraphics g(Canvas->Handle());
      FillSolid(&g, Color, float(L - 1), float(T), float(W), float(H));
    }
    if (Rounded)
      FaceBorder(Canvas, BorderColor, L, T, W - 1, H - 1, true);
    else
      FaceBorder(Canvas, BorderColor, L - 2, T, W + 1, H - 1, false);
    return;
  }
  // The lower half.
  CanvasFill(Canvas, ColorMirror, TRect(L, T + S, R.right, R.bottom));
  if (ColorMirror != clNone && ColorMirrorTo != clNone) {
    TGPGraphics g(Canvas->Handle());
    if (GradientMirror == TGDIPGradient::ggRadial)
      FillRadial(&g, TGPRectF{float(L), float(T + S), float(W), float(H)}, TGPPointF{float(L + W / 2), float(R.bottom)},
                 ColorMirrorTo, ColorMirror, TGPRectF{float(L + 1), float(T + S), float(W - 1), float(S + 1)});
    else
      FillLinear(&g, TGPRectF{float(L), float(T + S), float(W), float(S)}, ColorMirror, ColorMirrorTo, GradientMirror,
                 TGPRectF{float(L + 1), float(T + S + 1), float(W - 1), float(S + 1)});
  }
  // The upper half.
  CanvasFill(Canvas, Color, TRect(L, T, R.right, T + S));
  if (Color != clNone && ColorTo != clNone) {
    TGPGraphics g(Canvas->Handle());
    int upper = H - (H % 2 ? S + 1 : S) - 1;
    TGPRectF area{float(L + 1), float(T + 1), float(W - 1), float(upper)};
    if (Gradient == TGDIPGradient::ggRadial)
      FillRadial(&g, TGPRectF{float(L), float(T - S), float(W), float(H)}, TGPPointF{float(L + W / 2), float(T)},
                 ColorTo, Color, area);
    else if (Gradient == TGDIPGradient::ggVertical)
      FillLinear(&g, TGPRectF{float(L), float(T), float(W), float(S)}, Color, ColorTo, Gradient, area);
    else
      FillLinear(&g, TGPRectF{float(L), float(T), float(W), float(H)}, Color, ColorTo, Gradient, area);
  }
  FaceBorder(Canvas, BorderColor, L, T, W - 1, H - 1, Rounded);
}

void DrawGlowFaceHalf(TGPGraphics* Graphics, const TRect& R, TColor ColorB, TColor ColorA, TGDIPGradient Kind,
                      bool IsUpper) {
  int L = R.left, T = R.top, W = R.Width(), H = R.Height(), S = H / 2;
  TGPRectF area{float(L), float(T), float(R.right), float(R.bottom)};
  FillSolid(Graphics, IsUpper ? ColorB : ColorA, area.X, area.Y, area.Width, area.Height);
  if (ColorA == clNone || ColorB == clNone) return;
  TGPRectF ellipse{float(L), float(IsUpper ? T - S + 2 : T), float(R.right), float(R.bottom)};
  if (Kind == TGDIPGradient::ggRadial) {
    if (IsUpper)
      FillRadial(Graphics, ellipse, TGPPointF{float(L + W / 2), float(T)}, ColorA, ColorB, area);
    else
      FillRadial(Graphics, ellipse, TGPPointF{float(L + W / 2), float(R.bottom)}, ColorB, ColorA, area);
  } else {
    FillLinear(Graphics, TGPRectF{float(L), float(T), float(W), float(H)}, ColorB, ColorA, Kind, area);
  }
}

void DrawGlowButtonFace(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TColor ColorMirror,
                        TColor ColorMirrorTo, TColor BorderColor, TGDIPGradient Gradient,
                        TGDIPGradient GradientMirror, bool Focused, bool NoFill, bool Hot, TButtonPosition Position,
                        bool WithBorder, bool Rounded) {
  int radius = Rounded ? 3 : 0;
  int S = R.Height() / 2;
  TGPGraphics g(Canvas->Handle());
  if (!NoFill) {
    DrawGlowFaceHalf(&g, TRect(R.left, R.top + S - 1, R.right, R.bottom), ColorMirror, ColorMirrorTo, GradientMirror,
                     false);
    DrawGlowFaceHalf(&g, TRect(R.left, R.top, R.right, R.bottom - S), Color, ColorTo, Gradient, true);
  }
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  if (WithBorder && !NoFill && BorderColor != clNone) {
    int x = R.left, y = R.top, w = R.right - 1, h = R.bottom - 1;
    switch (Position) {
      case TButtonPosition::bpStandalone: DrawSolidRoundRect(&g, BorderColor, x, y, w, h, radius); break;
      case TButtonPosition::bpLeft: DrawGlowBorderLeft(&g, BorderColor, x, y, w, h, radius); break;
      case TButtonPosition::bpMiddle: DrawGlowBorderMiddle(&g, BorderColor, x, y, w, h, radius, Hot); break;
      case TButtonPosition::bpRight: DrawGlowBorderRight(&g, BorderColor, x, y, w, h, radius, Hot); break;
    }
  }
  if (Focused) {
    DrawSolidRoundRect(&g, 0xE4AD89, R.left + 1, R.top + 1, R.right - 3, R.bottom - 3, radius);
    DrawDottedRoundRect(&g, clGray, R.left + 2, R.top + 2, R.right - 5, R.bottom - 5, radius);
  }
}

void DrawVerticalGradientGdip(TGPGraphics* Graphics, TCanvas* Canvas, TColor ColorFrom, TColor ColorTo,
                              const TRect& R) {
  if (Graphics) {
    DrawGlowFaceHalf(Graphics, R, ColorFrom, ColorTo, TGDIPGradient::ggVertical, true);
  } else if (Canvas) {
    TGPGraphics g(Canvas->Handle());
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    DrawGlowFaceHalf(&g, R, ColorFrom, ColorTo, TGDIPGradient::ggVertical, true);
  }
}

TColor ScaleColorChannels(TColor Color, int Percent) { return GlowButton::AdjustColor(Color, Percent); }

void DrawSolidRoundRect(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius) {
  TGPPen pen(ColorToARGB(Color), 1.0f);
  DrawRoundRectPath(Graphics, &pen, X, Y, W, H, Radius);
}

void DrawDottedRoundRect(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius) {
  TGPPen pen(ColorToARGB(Color), 1.0f);
  pen.SetDashStyle(DashStyleDot);
  DrawRoundRectPath(Graphics, &pen, X, Y, W, H, Radius);
}

void DrawGlowBorderLeft(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius) {
  float x = float(X), y = float(Y), w = float(W), h = float(H), r = float(Radius), d = 2 * r;
  {
    TGPPen pen(ColorToARGB(Color), 1.0f);
    TGPGraphicsPath path;
    path.AddLine(x + w, y + h, x + r, y + h);
    path.AddArc(x, y + h - d, d, d, 90, 90);
    path.AddLine(x, y + h - d, x, y + r);
    path.AddArc(x, y, d, d, 180, 90);
    path.AddLine(x + r, y, x + w, y);
    Graphics->DrawPath(&pen, &path);
  }
  Line(Graphics, Dark(Color), x + w, y, x + w, y + h);
}

void DrawGlowBorderMiddle(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int /*Radius*/,
                          bool Hot) {
  float x = float(X), y = float(Y), w = float(W), h = float(H);
  Line(Graphics, ColorToARGB(Color), x - 1, y + h, x + w, y + h);
  Line(Graphics, ColorToARGB(Color), x - 1, y, x + w, y);
  Line(Graphics, Dark(Color), x + w, y, x + w, y + h);
  JointEdge(Graphics, Color, X, Y, H, Hot);
}

void DrawGlowBorderRight(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius, bool Hot) {
  float x = float(X), y = float(Y), w = float(W), h = float(H), r = float(Radius), d = 2 * r;
  {
    TGPPen pen(ColorToARGB(Color), 1.0f);
    TGPGraphicsPath path;
    path.AddLine(x, y, x + w - d, y);
    path.AddArc(x + w - d, y, d, d, 270, 90);
    path.AddLine(x + w, y + r, x + w, y + h - d);
    path.AddArc(x + w - d, y + h - d, d, d, 0, 90);
    path.AddLine(x + w, y + h, x, y + h);
    Graphics->DrawPath(&pen, &path);
  }
  JointEdge(Graphics, Color, X, Y, H, Hot);
}

void DrawCloseGlyph(TCanvas* Canvas, const TRect& R, TColor Color, int PenWidth) {
  int a = R.Width() - 6, v = (R.Height() - a) / 3;
  Stroke(Canvas, Color, PenWidth);
  Segment(Canvas, R.left + 2, R.top + a + v, R.left + a + 2, R.top + v);
  Segment(Canvas, R.left + 2, R.top + v, R.left + a + 2, R.top + a + v);
}

void DrawRestoreGlyph(TCanvas* Canvas, const TRect& R, TColor Color) {
  int a = R.Width() - 6, v = (R.Height() - a) / 2, D = R.top + v, B = R.top + a + v;
  Stroke(Canvas, Color, 1);
  // The window behind: its top and right edge.
  Segment(Canvas, R.left + 5, D, R.right - 3, D);
  Segment(Canvas, R.left + 5, D + 1, R.right - 3, D + 1);
  Segment(Canvas, R.right - 3, D, R.right - 3, B - 2);
  // The window in front.
  Segment(Canvas, R.left + 3, D + 3, R.right - 4, D + 3);
  Segment(Canvas, R.left + 3, D + 4, R.right - 4, D + 4);
  Canvas->MoveTo(R.left + 3, D + 4);
  Canvas->LineTo(R.left + 3, B);
  Canvas->LineTo(R.right - 5, B);
  Canvas->LineTo(R.right - 5, D + 4);
}

void DrawMaximizeGlyph(TCanvas* Canvas, const TRect& R, TColor Color) {
  int a = R.Width() - 6, v = (R.Height() - a) / 2, C = R.top + v, B = R.top + R.Width() - 7 + v;
  Stroke(Canvas, Color, 1);
  for (int i = 0; i < 3; ++i) Segment(Canvas, R.left + 3, C + i, R.right - 3, C + i);
  Canvas->MoveTo(R.left + 3, C + 2);
  Canvas->LineTo(R.left + 3, B);
  Canvas->LineTo(R.right - 4, B);
  Canvas->LineTo(R.right - 4, C + 2);
}

void DrawMinimizeGlyph(TCanvas* Canvas, const TRect& R, TColor Color) {
  int a = R.Width() - 6, T = R.top + (R.Height() - a) / 2;
  Stroke(Canvas, Color, 1);
  Segment(Canvas, R.left + 3, T + a - 3, R.right - 3, T + a - 3);
  Segment(Canvas, R.left + 3, T + a - 2, R.right - 3, T + a - 2);
}

void RemoveNonFocusable(TDbgList* List) {
  if (!List) return;
  for (int i = List->Count() - 1; i >= 0; --i) {
    auto* item = static_cast<TControl*>(List->Items(i));
    auto* windowed = dynamic_cast<TWinControl*>(item);
    if (dynamic_cast<THintWindow*>(item) || (item && item->ClassName() == L"TAdvToolBarContainer") ||
        (windowed && !windowed->CanFocus()))
      List->Delete(i);
  }
}
