#include "ui/controls/buttons/GlassDraw.h"

#include <memory>

#include "base/Forms.h"
#include "base/Lists.h"
#include "ui/draw/GdipPicture.h"

namespace GlassButton {

namespace {
int RoundI(long double v) { return static_cast<int>(Round(v)); }
float F(long double v) { return static_cast<float>(v); }

bool GdipDrawableFont(TCanvas* Canvas, TFont* Font) {
  Canvas->Font()->Assign(Font);
  Canvas->TextHeight(L"0");  // selects the font
  TEXTMETRICW tm{};
  if (!GetTextMetricsW(Canvas->Handle(), &tm)) return false;
  if (!(tm.tmPitchAndFamily & TMPF_VECTOR) || (tm.tmPitchAndFamily & TMPF_DEVICE)) return false;
  return Screen && Screen->Fonts()->IndexOf(Font->Name()) >= 0;
}

String ReplaceLineBreakMarks(const String& S) {
  String out;
  for (size_t i = 0; i < S.size(); ++i) {
    if (S[i] == L'\\' && i + 1 < S.size() && (S[i + 1] == L'n' || S[i + 1] == L'N')) {
      out += L"\n\r";
      ++i;
    } else {
      out += S[i];
    }
  }
  return out;
}
}  // namespace

ARGB AlphaColor(TColor Color, BYTE Alpha) {
  auto c = static_cast<uint32_t>(Color);
  return ComposeArgb(Alpha, static_cast<BYTE>(c), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c >> 16));
}

TGPGraphicsPath* CreateRoundRectPath(const TGPRect& R, int Radius) {
  float x = float(R.X), y = float(R.Y), w = float(R.Width), h = float(R.Height), r = float(Radius);
  auto* p = new TGPGraphicsPath;
  p->AddArc(x, y, 2 * r, 2 * r, 180, 90);
  p->AddLine(x + r, y, x + w - r, y);
  p->AddArc(x + w - 2 * r, y, 2 * r, 2 * r, 270, 90);
  p->AddLine(x + w, y + r, x + w, y + h - r);
  p->AddArc(x + w - 2 * r, y + h - 2 * r, 2 * r, 2 * r, 0, 90);
  p->AddLine(x + w - r, y + h, x + r, y + h);
  p->AddArc(x, y + h - 2 * r, 2 * r, 2 * r, 90, 90);
  p->AddLine(x, y + h - r, x, y + r);
  p->CloseFigure();
  return p;
}

TGPGraphicsPath* CreateTopRoundRectPath(const TGPRect& R, int Radius) {
  float x = float(R.X), y = float(R.Y), w = float(R.Width), h = float(R.Height), r = float(Radius);
  auto* p = new TGPGraphicsPath;
  p->AddArc(x, y, 2 * r, 2 * r, 180, 90);
  p->AddLine(x + r, y, x + w - r, y);
  p->AddArc(x + w - 2 * r, y, 2 * r, 2 * r, 270, 90);
  p->AddLine(x + w, y + r, x + w, y + h);
  p->AddLine(x + w, y + h, x, y + h);
  p->AddLine(x, y + h, x, y + r);
  p->CloseFigure();
  return p;
}

TGPGraphicsPath* CreateCurvedRectPath(const TGPRect& R, TButtonDirection Direction) {
  int x = R.X, y = R.Y, w = R.Width, h = R.Height;
  int e = h / 6, q = h / 4, m = y + h / 2, t = y + (3 * h) / 4;
  auto* p = new TGPGraphicsPath;
  if (Direction == TButtonDirection::bdRight) {
    TGPPoint pts[5] = {{x, y}, {x + e, y + q}, {RoundI(x + h / 4.85L), m}, {x + e, t}, {x, y + h}};
    p->AddCurve(pts, 5);
    p->AddLine(float(x), float(y + h), float(x + w - h), float(y + h));
    p->AddArc(float(x + w - h), float(y), float(h), float(h), 90, -180);
    p->AddLine(float(x + w - h), float(y), float(x), float(y));
  } else {
    p->AddArc(float(x), float(y), float(h), float(h), 90, 180);
    p->AddLine(float(x + h), float(y), float(x + w), float(y));
    TGPPoint pts[5] = {{x + w, y}, {x + w - e, y + q}, {RoundI(x + w - h / 4.7L), m}, {x + w - e, t}, {x + w, y + h}};
    p->AddCurve(pts, 5);
    p->AddLine(float(x + h), float(y + h), float(x + w), float(y + h));
  }
  p->CloseFigure();
  return p;
}

TGPGraphicsPath* CreateCurvedShinePath(const TGPRect& R, TButtonDirection Direction) {
  int x = R.X, y = R.Y, w = R.Width, d = R.Height;
  long double s = d / 2.35L;
  auto* p = new TGPGraphicsPath;
  if (Direction == TButtonDirection::bdRight) {
    TGPPoint pts[3] = {{x, y}, {x + d / 3, y + d / 2}, {RoundI(x + s), y + d}};
    p->AddCurve(pts, 3);
    p->AddLine(float(RoundI(x + s)), float(y + d), float(x + w - d), float(y + d));
    p->AddArc(float(x + w - 2 * d), float(y), float(2 * d), float(2 * d), 0, -90);
  } else {
    p->AddArc(float(x), float(y), float(2 * d), float(2 * d), 180, 90);
    p->AddLine(float(x + d), float(y), float(x + w), float(y));
    TGPPoint pts[3] = {{x + w, y}, {x + w - d / 3, y + d / 2}, {RoundI(x + w - s), y + d}};
    p->AddCurve(pts, 3);
  }
  p->CloseFigure();
  return p;
}

TGPGraphicsPath* CreateGlowPath(int Left, int Top, int Right, int Bottom) {
  long double w = Right - Left, h = Bottom - Top;
  auto* p = new TGPGraphicsPath;
  p->AddEllipse(F(Left - 0.35L * w), F(Top - 0.15L * h), F(1.7L * w), F(2.3L * h));
  return p;
}

void DrawRoundRect(TGPGraphics* Graphics, const TGPRect& R, int Radius, TColor Color) {
  if (!Graphics) return;
  std::unique_ptr<TGPGraphicsPath> path(CreateRoundRectPath(R, Radius));
  TGPPen pen(OpaqueArgbFromColor(Color), 1.0f);
  Graphics->DrawPath(&pen, path.get());
}

void DrawCurvedRect(TGPGraphics* Graphics, const TGPRect& R, TButtonDirection Direction, TColor Color) {
  if (!Graphics) return;
  std::unique_ptr<TGPGraphicsPath> path(CreateCurvedRectPath(R, Direction));
  TGPPen pen(OpaqueArgbFromColor(Color), 1.0f);
  Graphics->DrawPath(&pen, path.get());
}

// ---------------------------------------------------------------------------
// Background symbols

namespace {
constexpr int LineCapArrowAnchor = 0x14;

void ArrowLine(TGPGraphics* g, ARGB c, long double x1, long double y1, long double x2, long double y2,
               long double width) {
  TGPPen pen(c, F(width));
  pen.SetEndCap(LineCapArrowAnchor);
  g->DrawLine(&pen, F(x1), F(y1), F(x2), F(y2));
}

void Triangle(TGPGraphics* g, TGPBrush* b, int x1, int y1, int x2, int y2, int x3, int y3) {
  TGPPoint pts[3] = {{x1, y1}, {x2, y2}, {x3, y3}};
  g->FillPolygon(b, pts, 3);
}

void Box(TGPGraphics* g, TGPBrush* b, long double x, long double y, long double w, long double h) {
  g->FillRectangle(b, F(x), F(y), F(w), F(h));
}

void Speaker(TGPGraphics* g, ARGB c, int w, int h) {
  long double W = w, H = h;
  TGPPen pen(c, F(W / 20));
  int j = w / 15, cx = w / 2 - j;
  TGPPoint pts[6] = {{cx - w / 6, h / 10 + h / 4},     {cx, h / 10 + h / 4},         {cx + w / 5, h / 4},
                     {cx + w / 5, (3 * h) / 4},        {cx, (3 * h) / 4 - h / 10},   {cx - w / 6, (3 * h) / 4 - h / 10}};
  TGPGraphicsPath path;
  path.AddLines(pts, 6);
  path.CloseFigure();
  g->DrawPath(&pen, &path);
  long double v = H / 4 + H / 10 + W / 40;
  g->DrawLine(&pen, F(W / 2 - W / 15), F(v), F(W / 2 - W / 15), F(H - v));
}
}  // namespace

void DrawBackgroundSymbol(TGPGraphics* Graphics, TBackGroundSymbol Symbol, int W, int H, TColor Color) {
  TGPGraphics* g = Graphics;
  ARGB c = AlphaColor(Color, 160);
  int w = W - 1, h = H - 1;
  long double fw = w, fh = h;
  TGPSolidBrush brush(c);
  using S = TBackGroundSymbol;
  switch (Symbol) {
    case S::bsArrowLeft: ArrowLine(g, c, fw - fw / 5, fh / 2, fw / 8, fh / 2, fh / 4); break;
    case S::bsArrowRight: ArrowLine(g, c, fw / 6, fh / 2, fw - fw / 8, fh / 2, fh / 4); break;
    case S::bsArrowUp: ArrowLine(g, c, fw / 2, fh - fh / 5, fw / 2, fh / 8, fh / 4); break;
    case S::bsArrowDown: ArrowLine(g, c, fw / 2, fh / 5, fw / 2, fh - fh / 8, fh / 4); break;
    case S::bsPlay:
      Triangle(g, &brush, w / 20 + w / 4, h / 4, w / 20 + w - w / 4, h / 2, w / 20 + w / 4, h - h / 4);
      break;
    case S::bsPause:
      Box(g, &brush, fw / 4, fh / 4, (fw / 2 - fw / 10) / 2, fh / 2);
      Box(g, &brush, fw / 2 + fw / 20, fh / 4, (fw / 2 - fw / 10) / 2, fh / 2);
      break;
    case S::bsStop:
      // The height takes a tenth of the width off, so on buttons more than
      // four times wider than high it would shrink to nothing and then turn
      // negative: it keeps at least a tenth of the height.
      Box(g, &brush, fw / 4 + fw / 20, fh / 4 + fh / 20, fw / 2 - fw / 10, Max(fh / 10, fh / 2 - fw / 10));
      break;
    case S::bsFastForward:
      Triangle(g, &brush, w / 4, h / 4, w / 2, h / 2, w / 4, h - h / 4);
      Triangle(g, &brush, w / 2, h / 4, (3 * w) / 4, h / 2, w / 2, h - h / 4);
      Box(g, &brush, (3 * fw) / 4, fh / 4, fw / 12, fh / 2);
      break;
    case S::bsForward: {
      int k = w / 12;
      Triangle(g, &brush, k + w / 4, h / 4, k + w / 2, h / 2, k + w / 4, h - h / 4);
      Triangle(g, &brush, k + w / 2, h / 4, k + (3 * w) / 4, h / 2, k + w / 2, h - h / 4);
      break;
    }
    case S::bsBackward: {
      int k = w / 12;
      Triangle(g, &brush, w / 4 - k, h / 2, w / 2 - k, h / 4, w / 2 - k, h - h / 4);
      Triangle(g, &brush, w / 2 - k, h / 2, (3 * w) / 4 - k, h / 4, (3 * w) / 4 - k, h - h / 4);
      break;
    }
    case S::bsFastBackward:
      Triangle(g, &brush, w / 4, h / 2, w / 2, h / 4, w / 2, h - h / 4);
      Triangle(g, &brush, w / 2, h / 2, (3 * w) / 4, h / 4, (3 * w) / 4, h - h / 4);
      Box(g, &brush, fw / 4 - fw / 12, fh / 4, fw / 12, fh / 2);
      break;
    case S::bsSpeaker: Speaker(g, c, w, h); break;
    case S::bsNoSpeaker: {
      Speaker(g, c, w, h);
      TGPPen pen(c, F(fw / 20));
      g->DrawLine(&pen, F(Round(fw / 2 - fw / 3.5L - fw / 15)), F((3 * fh) / 4 - fh / 10), F(fw / 2 + fw / 3 - fw / 15),
                  F(fh / 4 + fh / 12 + fw / 40));
      break;
    }
    case S::bsRecord: {
      long double d = Min(fw, fh) / 2;
      g->FillEllipse(&brush, F((fw - d) / 2), F((fh - d) / 2), F(d), F(d));
      break;
    }
    case S::bsNone: case S::bsCustom: break;
  }
}

// ---------------------------------------------------------------------------
// Content

void DrawGlassButtonContent(TCanvas* Canvas, const TRect& Rect, const String& Caption, bool ShowCaption,
                            TFont* Font, TButtonLayout Layout, bool Enabled, bool Focused, TGDIPPicture* Picture,
                            TAntiAlias AntiAlias, int CornerRadius, TButtonShape ButtonShape,
                            TButtonDirection ButtonDirection) {
  using BL = TButtonLayout;
  int W = Rect.Width(), H = Rect.Height();
  TGPGraphics g(Canvas->Handle());
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  if (Focused) {
    if (ButtonShape == TButtonShape::btsRectangle)
      DrawRoundRect(&g, TGPRect{4, 4, W - 8, H - 8}, CornerRadius - 2, 0x808080);
    else
      DrawCurvedRect(&g, TGPRect{6, 5, W - 12, H - 10}, ButtonDirection, 0x808080);
  }
  String caption = ShowCaption ? Caption : String();
  bool picture = Picture && !Picture->Empty();
  int pw = 0, ph = 0;
  if (picture && Picture->GetImageSizes()) {
    pw = Picture->Width();
    ph = Picture->Height();
  }
  int gw = (!caption.empty() && pw > 0) ? pw + 2 : pw, gh = ph;
  int gx = 0, gy = 0;
  if (!caption.empty()) {
    caption = ReplaceLineBreakMarks(caption);
    std::unique_ptr<TGPFontFamily> family(new TGPFontFamily(Font->Name()));
    if (family->GetLastStatus() == FontFamilyNotFound || family->GetLastStatus() == FontStyleNotFound)
      family.reset(new TGPFontFamily(L"Arial"));
    TFontStyles st = Font->Style();
    int style = (st.Contains(TFontStyle::fsBold) ? 1 : 0) | (st.Contains(TFontStyle::fsItalic) ? 2 : 0) |
                (st.Contains(TFontStyle::fsUnderline) ? 4 : 0);
    TGPFont font(family.get(), float(Font->Size()), style, UnitPoint);
    bool gdip = AntiAlias != TAntiAlias::aaNone && GdipDrawableFont(Canvas, Font);
    TGPStringFormat format(0, 0);
    format.SetAlignment(Layout == BL::blGlyphLeftAdjusted    ? StringAlignmentNear
                        : Layout == BL::blGlyphRightAdjusted ? StringAlignmentFar
                                                             : StringAlignmentCenter);
    format.SetLineAlignment(Layout == BL::blGlyphTopAdjusted      ? StringAlignmentNear
                            : Layout == BL::blGlyphBottomAdjusted ? StringAlignmentFar
                                                                  : StringAlignmentCenter);
    format.SetHotkeyPrefix(HotkeyPrefixShow);
    format.SetTrimming(StringTrimmingNone);
    if (AntiAlias == TAntiAlias::aaClearType) g.SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
    if (AntiAlias == TAntiAlias::aaAntiAlias) g.SetTextRenderingHint(TextRenderingHintAntiAlias);
    TGPSolidBrush brush(Enabled ? OpaqueArgbFromColor(Font->Color()) : OpaqueArgbFromColor(0x808080));

    long double bx = 0, tw = 0, th = 0;
    if (gdip) {
      TGPRectF box{0, 0, 0, 0};
      g.MeasureString(caption, -1, &font, TGPRectF{0, 0, float(W), float(H)}, &format, box);
      bx = box.X;
      tw = box.Width;
      th = box.Height;
    } else {
      Canvas->Font()->Assign(Font);
      TRect r(0, 0, W - 4, 0);
      Canvas->TextRect(r, caption, DT_CALCRECT | DT_WORDBREAK);
      tw = r.right - r.left;
      th = r.bottom - r.top;
    }
    int k = ButtonShape == TButtonShape::btsCurvedRectangle ? H / 4 : 0;
    TGPRectF tr{0, 0, float(W), float(H)};
    auto rect = [](int x, int y, int w, int h) { return TGPRectF{float(x), float(y), float(w), float(h)}; };
    int leftGy = Max(0, (H - gh) / 2), centredGx = Max(0, (W - gw) / 2);
    switch (Layout) {
      case BL::blGlyphLeft:
        tr = rect(gw + 2, 0, W - gw - 2, H);
        gx = gdip ? Max(2, RoundI(bx - gw / 2)) : Max(2, (W - RoundI(tw) - gw) / 2);
        gy = leftGy;
        break;
      case BL::blGlyphTop:
        tr = rect(0, gh, W, H - gh - 2);
        gx = centredGx;
        gy = gdip ? Max(2, Max(0, RoundI(H - gh - 2 - th) / 2)) : Max(2, Max(0, RoundI(H - gh - 2 - th) / 2) - 4);
        break;
      case BL::blGlyphRight:
        tr = rect(2, 0, W - gw - 4, H);
        gx = RoundI(tw) + Max(0, RoundI(W - gw - 4 - tw) / 2) + 4;
        if (gx > W - gw) gx = W - gw - 2;
        gy = leftGy;
        break;
      case BL::blGlyphBottom:
        tr = rect(0, 2, W, H - gh - 2);
        gx = centredGx;
        gy = RoundI(th + (gdip ? 2 : 5)) + Max(0, RoundI(H - gh - 2 - th) / 2);
        if (gy > H - gh) gy = H - gh - 2;
        break;
      case BL::blGlyphLeftAdjusted:
        tr = rect(gw + 2 + k, 0, W - gw - 2, H);
        gx = Max(2, 2 + k);
        gy = leftGy;
        break;
      case BL::blGlyphRightAdjusted:
        tr = rect(2, 0, W - gw - 4 - k, H);
        gx = W - gw - 2 - k;
        gy = leftGy;
        break;
      case BL::blGlyphTopAdjusted:
        tr = rect(0, gh, W, H - gh - 2);
        gx = centredGx;
        gy = 2;
        break;
      case BL::blGlyphBottomAdjusted:
        tr = gdip ? rect(0, 2, W, H - gh - 2) : rect(0, 2, W, H - gh - 4);
        gx = centredGx;
        if (gdip) {
          gy = H / 2 + RoundI(th + 2);
          if (gy > H - gh) gy = H - gh - 2;
        } else {
          gy = H - gh - 2;
        }
        break;
    }
    if (gdip) {
      g.DrawString(caption, -1, &font, tr, &format, &brush);
    } else {
      TRect r{RoundI(tr.X), RoundI(tr.Y), RoundI(tr.X) + RoundI(tr.Width), RoundI(tr.Y) + RoundI(tr.Height)};
      UINT flags = DT_WORDBREAK;
      switch (Layout) {
        case BL::blGlyphLeft: case BL::blGlyphTop: case BL::blGlyphRight: case BL::blGlyphBottom:
          flags |= DT_CENTER | DT_VCENTER;
          break;
        case BL::blGlyphLeftAdjusted: flags |= DT_VCENTER; r.left += 2; break;
        case BL::blGlyphRightAdjusted: flags |= DT_RIGHT | DT_VCENTER; break;
        case BL::blGlyphTopAdjusted: flags |= DT_CENTER | DT_TOP; break;
        case BL::blGlyphBottomAdjusted: flags |= DT_CENTER | DT_BOTTOM; break;
      }
      Canvas->Font()->Assign(Font);
      Canvas->Brush()->SetStyle(TBrushStyle::bsClear);
      SetBkMode(Canvas->Handle(), TRANSPARENT);
      TRect m = r;
      int height = Canvas->TextRect(m, caption, flags | DT_CALCRECT);
      if (Layout == BL::blGlyphTop)
        r.top = gy + gh + (r.bottom - (gy + gh) - height) / 2;
      else if (Layout == BL::blGlyphBottomAdjusted)
        r.top = r.bottom - height;
      else if (Layout != BL::blGlyphTopAdjusted)
        r.top = (r.bottom - r.top - height) / 2;
      Canvas->TextRect(r, caption, flags);
    }
  }
  if (picture) {
    if (caption.empty()) {
      gx = Max(0, (W - pw) / 2);
      gy = Max(0, (H - ph) / 2);
    }
    Picture->DrawImage(&g, gx, gy);
  }
}

}  // namespace GlassButton
