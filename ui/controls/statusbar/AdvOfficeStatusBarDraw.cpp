// Painting of the status bar: the panels by style, their backgrounds and
// splitters, the simple panel, the size grip and the frame.
#include "base/ImgList.h"
#include "ui/controls/statusbar/AdvOfficeStatusBar.h"
#include "ui/controls/statusbar/AdvOfficeStatusBarPaint.h"
#include "ui/draw/HtmlRender.h"
#include "ui/draw/KelStyle.h"

using namespace OfficeStatusBar;
using PS = TAdvOfficeStatusPanelStyle;

namespace {
UINT VerticalFlags(TVerticalPanelAlignment V) {
  if (V == TVerticalPanelAlignment::vpaCenter) return DT_VCENTER;
  if (V == TVerticalPanelAlignment::vpaBottom) return DT_BOTTOM;
  return 0;
}
UINT HorizontalFlags(TAlignment A) {
  if (A == TAlignment::taRightJustify) return DT_RIGHT;
  if (A == TAlignment::taCenter) return DT_CENTER;
  return 0;
}
}  // namespace

TVistaBackground* TAdvOfficeStatusBar::AppearanceOf(TAdvOfficeStatusPanel* Panel) const {
  TCustomAdvOfficeStatusBarStyler* s = FCurrentOfficeStatusBarStyler;
  return Panel->AppearanceStyle() == TPanelAppearanceStyle::psDark ? s->PanelAppearanceDark()
                                                                   : s->PanelAppearanceLight();
}

TAlignment TAdvOfficeStatusBar::EffectiveAlignment(TAdvOfficeStatusPanel* Panel) const {
  return UseRightToLeftAlignment() ? TAlignment::taRightJustify : Panel->Alignment();
}

TRect TAdvOfficeStatusBar::PanelBackgroundRect(const TRect& Rect) const {
  TRect R = Rect;
  if (FOfficeStatusBarStyler && FOfficeStatusBarStyler->BorderColor() != clNone && !FMetro) {
    ++R.top;
    --R.bottom;
  }
  if (FMetro) {
    --R.left;
    ++R.right;
  }
  return R;
}

TRect TAdvOfficeStatusBar::PanelContentRect(TAdvOfficeStatusPanel* Panel, const TRect& Rect) {
  TRect R = PanelBackgroundRect(Rect);
  R.left += 2;
  R.right -= 2;
  if (IsLastPanel(Panel) && IsSizeGripVisible()) R.right -= 15;
  return R;
}

TRect TAdvOfficeStatusBar::HTMLTextRect(TAdvOfficeStatusPanel* Panel, TRect R, TAlignment A) {
  TRect R2 = R;
  R2.left += Panel->HTMLOffsetX();
  THtmlRenderParams p;
  p.Canvas = Canvas();
  p.Cache = &FHtmlCache;
  p.HTML = Panel->Text();
  p.Images = FImages;
  p.CheckHeight = true;
  p.URLColor = FURLColor;
  p.PictureContainer = FContainer;
  THtmlRenderResult r;
  if (A == TAlignment::taRightJustify || A == TAlignment::taCenter) {
    p.R = R2;
    RenderHtml(p, r);
    if (r.XSize < R2.Width()) {
      if (A == TAlignment::taRightJustify)
        R2.left = R2.right - r.XSize - Panel->HTMLOffsetX();
      else
        R2.left += (R2.Width() - r.XSize) / 2;
    }
  }
  p.R = R2;
  RenderHtml(p, r);
  if (r.YSize < R2.Height()) {
    if (Panel->VAlignment() == TVerticalPanelAlignment::vpaCenter)
      R2.top += (R2.Height() - r.YSize) / 2;
    else if (Panel->VAlignment() == TVerticalPanelAlignment::vpaBottom)
      R2.top = R2.bottom - r.YSize;
  }
  return R2;
}

void TAdvOfficeStatusBar::Paint() {
  if (IsDestroying() || !FCurrentOfficeStatusBarStyler) return;
  TCanvas* c = Canvas();
  const int w = Width(), h = Height();
  DrawAllPanels();

  // On a ribbon form before Vista, the bottom corners are rounded off.
  const TStatusBarRibbonLink& link = StatusBarRibbonLink();
  if (link.IsRibbonForm && Parent() && link.IsRibbonForm(Parent())) {
    TColor corner = clGray;
    if (link.PagerCaptionTextColor)
      for (int i = 0; i < Parent()->ControlCount(); ++i) {
        TColor pager;
        if (link.PagerCaptionTextColor(Parent()->Controls(i), pager)) corner = pager;
      }
    if (FOfficeStatusBarStyler && FOfficeStatusBarStyler->BorderColor() != clNone)
      corner = FOfficeStatusBarStyler->BorderColor();
    if (!IsVistaOrLater()) {
      if (ColorToRGB(corner) == clWhite) corner = clBlack;
      c->Pen()->SetColor(corner);
      c->Pen()->SetWidth(1);
      c->Pen()->SetStyle(TPenStyle::psSolid);
      auto line = [c](int x1, int y1, int x2, int y2) {
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
      };
      line(0, h - 7, 0, h);
      line(1, h - 4, 1, h);
      line(0, h - 1, 7, h - 1);
      line(1, h - 2, 4, h - 2);
      line(w - 1, h - 7, w - 1, h);
      line(w - 2, h - 4, w - 2, h);
      line(w - 1, h - 1, w - 8, h - 1);
      line(w - 1, h - 2, w - 5, h - 2);
    }
  }

  if (FOfficeStatusBarStyler && FOfficeStatusBarStyler->BorderColor() != clNone) {
    c->Pen()->SetColor(FOfficeStatusBarStyler->BorderColor());
    c->Pen()->SetWidth(1);
    c->Pen()->SetStyle(TPenStyle::psSolid);
    c->MoveTo(0, 0);
    c->LineTo(w, 0);
  }
}

void TAdvOfficeStatusBar::DrawAllPanels() {
  TCanvas* c = Canvas();
  const int w = Width(), h = Height();
  if (FSimplePanel) {
    DrawSimplePanel();
  } else {
    std::vector<TRect> rects;
    PaintLayout(rects);
    for (size_t i = 0; i < rects.size(); ++i) DrawPanel(FPanels->Items(static_cast<int>(i)), rects[i]);
  }
  if (IsSizeGripVisible()) DrawSizeGrip(TRect(w - 18, 0, w - 3, h - 1));
  if (FMetro) return;
  TColor border = FCurrentOfficeStatusBarStyler->BorderColor();
  c->Pen()->SetWidth(1);
  c->Pen()->SetStyle(TPenStyle::psSolid);
  c->Pen()->SetColor(border);
  c->MoveTo(0, 0);
  c->LineTo(0, h - 1);
  c->LineTo(w - 1, h - 1);
  c->LineTo(w - 1, 0);
  c->Pen()->SetColor(BlendColor(border, clWhite, 80));
  c->MoveTo(0, 0);
  c->LineTo(w, 0);
}

TRect TAdvOfficeStatusBar::SimpleTextRect() {
  TRect r(2, 2, Width() - 1, Height() - 1);
  if (BiDiMode() == TBiDiMode::bdRightToLeft) {
    THtmlRenderParams p;
    p.Canvas = Canvas();
    p.Cache = &FHtmlCache;
    p.HTML = FSimpleText;
    p.R = r;
    p.Images = FImages;
    p.CheckHeight = true;
    p.WordWrap = false;
    p.PictureContainer = FContainer;
    p.BiDiMode = BiDiMode();
    THtmlRenderResult res;
    RenderHtml(p, res);
    int right = IsSizeGripVisible() ? Width() - 18 : Width() - 3;
    r.left = right - res.XSize;
  }
  return r;
}

void TAdvOfficeStatusBar::DrawSimplePanel() {
  TCanvas* c = Canvas();
  TVistaBackground* a = FCurrentOfficeStatusBarStyler->PanelAppearanceLight();
  DrawVistaGradient(c, TRect(0, 0, Width(), Height()), a->Color(), a->ColorTo(), a->ColorMirror(),
                    a->ColorMirrorTo(), true, clNone, true);
  c->Font()->Assign(Font());
  c->Font()->SetColor(a->TextColor());
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  THtmlRenderParams p;
  p.Canvas = c;
  p.Cache = &FHtmlCache;
  p.HTML = FSimpleText;
  p.R = SimpleTextRect();
  p.Images = FImages;
  p.WordWrap = false;
  p.Blink = FTimerCount > 5;
  p.Hover = FURLStyle == TURLStyle::usNone;
  p.URLColor = FURLColor;
  p.HoverColor = clNone;
  p.HoverFontColor = clNone;
  p.PictureContainer = FContainer;
  p.BiDiMode = BiDiMode();
  THtmlRenderResult r;
  RenderHtml(p, r);
}

void TAdvOfficeStatusBar::DrawPanelBackground(TAdvOfficeStatusPanel* Panel, const TRect& R) {
  TCanvas* c = Canvas();
  TVistaBackground* a = AppearanceOf(Panel);
  const int index = IndexOfPanel(Panel);
  const bool first = index == 0;
  TColor border, color, colorTo, mirror, mirrorTo;
  if (Panel->Button() && index == FDownPanelIndex) {
    border = a->BorderColorDown(), color = a->ColorDown(), colorTo = a->ColorDownTo();
    mirror = a->ColorMirrorDown(), mirrorTo = a->ColorMirrorDownTo();
  } else if (Panel->Button() && index == FHotPanelIndex) {
    border = a->BorderColorHot(), color = a->ColorHot(), colorTo = a->ColorHotTo();
    mirror = a->ColorMirrorHot(), mirrorTo = a->ColorMirrorHotTo();
  } else {
    border = a->BorderColor(), color = a->Color(), colorTo = a->ColorTo();
    mirror = a->ColorMirror(), mirrorTo = a->ColorMirrorTo();
  }
  TRect g = R;
  if (!first && FShowSplitter) g.left += 2;
  DrawVistaGradient(c, g, color, colorTo, mirror, mirrorTo, true, border, true);

  const int L = R.left, T = R.top, B = R.bottom, M = T + (B - T) / 2;
  if (!first && FShowSplitter && !FMetro) {
    TColor C = a->ColorTo();
    TColor outer = BlendColor(C, clWhite, 70);
    DrawGradient(c, outer, C, false, TRect(L, T, L + 1, M + 1), 40);
    DrawGradient(c, C, outer, false, TRect(L, M, L + 1, B), 40);
    TColor innerEnd = BlendColor(C, clWhite, 50), innerMid = BlendColor(C, clWhite, 10);
    DrawGradient(c, innerEnd, innerMid, false, TRect(L + 1, T, L + 2, M + 1), 40);
    DrawGradient(c, innerMid, innerEnd, false, TRect(L + 1, M, L + 2, B), 40);
  }
  if (FMetro && !first) {
    c->Pen()->SetColor(FCurrentOfficeStatusBarStyler->BorderColor());
    c->Pen()->SetWidth(1);
    c->Pen()->SetStyle(TPenStyle::psSolid);
    c->MoveTo(L, T);
    c->LineTo(L, B + 1);
  }
}

void TAdvOfficeStatusBar::DrawSizeGrip(const TRect& R) {
  TCanvas* c = Canvas();
  const int L = R.left, B = R.bottom;
  const TPoint dots[6] = {{L + 4, B - 5}, {L + 8, B - 5}, {L + 12, B - 5},
                          {L + 12, B - 9}, {L + 12, B - 13}, {L + 8, B - 9}};
  if (!FMetro) {
    TColor shadow = BlendColor(FCurrentOfficeStatusBarStyler->PanelAppearanceDark()->Color(), clWhite, 50);
    for (const TPoint& d : dots) FillColorRect(c, TRect(d.x + 1, d.y + 1, d.x + 3, d.y + 3), shadow);
  }
  for (const TPoint& d : dots)
    FillColorRect(c, TRect(d.x, d.y, d.x + 2, d.y + 2), FCurrentOfficeStatusBarStyler->BorderColor());
}

void TAdvOfficeStatusBar::DrawPanel(TAdvOfficeStatusPanel* Panel, const TRect& Rect) {
  if (Rect.left >= Rect.right || Rect.top >= Rect.bottom || !FCurrentOfficeStatusBarStyler || IsDestroying()) return;
  TCanvas* c = Canvas();
  const TAlignment A = EffectiveAlignment(Panel);
  DrawPanelBackground(Panel, PanelBackgroundRect(Rect));
  TRect R = PanelContentRect(Panel, Rect);
  if (R.IsEmpty()) return;

  TVistaBackground* a = AppearanceOf(Panel);
  const int index = IndexOfPanel(Panel);
  c->Font()->Assign(Font());
  c->Font()->SetStyle(a->TextStyle());
  TColor text = a->TextColor();
  if (Panel->Button() && index == FDownPanelIndex)
    text = a->TextColorDown();
  else if (Panel->Button() && index == FHotPanelIndex)
    text = a->TextColorHot();
  if (!Panel->Enabled()) text = clGray;
  c->Font()->SetColor(text);
  c->Brush()->SetStyle(TBrushStyle::bsClear);

  TRect tr;
  auto drawText = [&](const TRect& Box, UINT Flags, TAlignment Align, bool Dots) {
    DrawGDIPText(c, Align, Flags, Box, Panel->Text(), c->Font(), Enabled(), true, FAntiAlias, Dots, tr);
  };
  // Draws one image of a list, vertically centred at X; a disabled panel
  // takes DisabledImages or the greyed look.
  auto drawImage = [&](int X, int Index, bool AlwaysEnabled) {
    int y = R.top + (R.Height() - FImages->Height()) / 2;
    if (Panel->Enabled() || AlwaysEnabled)
      FImages->Draw(c, X, y, Index, true);
    else if (FDisabledImages)
      FDisabledImages->Draw(c, X, y, Index, true);
    else
      FImages->Draw(c, X, y, Index, false);
  };
  const UINT line = DT_SINGLELINE | DT_NOPREFIX;

  switch (Panel->Style()) {
    case PS::psHTML: {
      TRect R2 = HTMLTextRect(Panel, R, A);
      THtmlRenderParams p;
      p.Canvas = c;
      p.Cache = &FHtmlCache;
      p.HTML = Panel->Text();
      p.R = R2;
      p.Images = FImages;
      p.Blink = FTimerCount > 5;
      p.Hover = FURLStyle == TURLStyle::usNone;
      p.URLColor = FURLColor;
      p.HoverColor = clNone;
      p.HoverFontColor = clNone;
      p.PictureContainer = FContainer;
      THtmlRenderResult r;
      RenderHtml(p, r);
      break;
    }
    case PS::psProgress: {
      TProgressStyle* ps = Panel->Progress();
      TGaugeSettings g{};
      g.Level0Color = ps->Level0Color();
      g.Level0ColorTo = ps->Level0ColorTo();
      g.Level1Color = ps->Level1Color();
      g.Level1ColorTo = ps->Level1ColorTo();
      g.Level2Color = ps->Level2Color();
      g.Level2ColorTo = ps->Level2ColorTo();
      g.Level3Color = ps->Level3Color();
      g.Level3ColorTo = ps->Level3ColorTo();
      g.Level1Perc = ps->Level1Perc();
      g.Level2Perc = ps->Level2Perc();
      g.BorderColor = ps->BorderColor();
      g.ShowBorder = ps->ShowBorder();
      g.Stacked = ps->Stacked();
      g.ShowPercentage = ps->ShowPercentage();
      g.Font = c->Font();
      g.CompletionSmooth = ps->CompletionSmooth();
      g.ShowGradient = ps->ShowGradient();
      g.Steps = 11;
      g.Position = ps->Position();
      g.BackgroundColor = ps->BackGround();
      g.Orientation = TGaugeOrientation::goHorizontal;
      g.IsPercent = ps->Indication() == TProgressIndication::piPercentage;
      g.Suffix = ps->Suffix();
      g.Prefix = ps->Prefix();
      g.Text = Panel->Text();
      DrawGauge(c, R, ps->Percent(), g);
      break;
    }
    case PS::psImage: {
      if (FImages) {
        int w = Panel->Text().empty() ? 0 : c->TextWidth(Panel->Text()) + 4;
        int iw = FImages->Width();
        int x = R.left + 2;
        if (A == TAlignment::taRightJustify)
          x = R.right - iw - w - 2;
        else if (A == TAlignment::taCenter)
          x = R.left + (R.Width() - iw - w) / 2;
        drawImage(x, Panel->ImageIndex(), false);
        R.left = x + iw;
      }
      drawText(R, line | DT_END_ELLIPSIS | VerticalFlags(Panel->VAlignment()) | HorizontalFlags(Panel->Alignment()), A,
               true);
      break;
    }
    case PS::psImageList:
      if (FImages && Panel->ImageCount() > 0) {
        for (int i = 0; i < Panel->ImageCount(); ++i) {
          R.left += 2;
          drawImage(R.left, Panel->ImageIndexes(i), false);
          R.left += FImages->Width();
        }
      }
      break;
    case PS::psAnimation: {
      if (TCustomImageList* il = Panel->AnimationImages()) {
        R.left += 2;
        int frame = Panel->Animated() ? Panel->AnimIndex() : 0;
        il->Draw(c, R.left, R.top + (R.Height() - il->Height()) / 2, frame, true);
        R.left += il->Width();
      }
      R.left += 2;
      drawText(R, line | DT_END_ELLIPSIS | DT_VCENTER | HorizontalFlags(Panel->Alignment()), Panel->Alignment(), true);
      break;
    }
    case PS::psEllipsText:
    case PS::psFileEllipsText: {
      UINT flags = line | VerticalFlags(Panel->VAlignment());
      flags |= Panel->Style() == PS::psEllipsText ? DT_END_ELLIPSIS : DT_PATH_ELLIPSIS;
      if (A == TAlignment::taLeftJustify)
        R.left += 2;
      else
        flags |= HorizontalFlags(A);
      // A path that still does not fit once shortened ends in "..." too.
      drawText(R, flags, Panel->Alignment(), true);
      break;
    }
    case PS::psOwnerDraw:
      if (OnDrawPanel) {
        OnDrawPanel(this, Panel, Rect);
        break;
      }
      [[fallthrough]];
    default:
      R.left += 2;
      R.right -= 2;
      drawText(R, line | DT_END_ELLIPSIS | HorizontalFlags(A) | VerticalFlags(Panel->VAlignment()), Panel->Alignment(),
               true);
      break;
  }
}
