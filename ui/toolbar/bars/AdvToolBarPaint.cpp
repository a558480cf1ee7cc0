// How a toolbar paints itself: the caption strip, the background in the
// styler's colours, the bevel, the grip, the right handle, the corners that
// make it look rounded on its parent, and the border (or, for a ribbon
// group, the separator line that ends it). The items paint themselves.
#include <algorithm>
#include <cmath>

#include "ui/controls/menus/AdvMenuStylers.h"
#include "ui/toolbar/bars/AdvDockPanel.h"
#include "ui/toolbar/bars/AdvToolBar.h"
#include "ui/toolbar/bars/ButtonFaces.h"
#include "ui/toolbar/bars/OptionSelectorWindow.h"
#include "ui/toolbar/bars/ToolBarPaint.h"

namespace {

bool IsSet(TColor C) { return C != clNone; }

int RoundInt(long double V) { return static_cast<int>(std::nearbyint(V)); }

// The styles whose toolbars keep square corners on their parent.
bool SquareCornerStyle(TKelStyle S) {
  return S == TKelStyle::tsWindows7 || S == TKelStyle::tsOffice2010Blue || S == TKelStyle::tsOffice2010Silver ||
         S == TKelStyle::tsOffice2010Black || S == TKelStyle::tsWindows8 || S == TKelStyle::tsWindows10;
}

void FillSolid(TCanvas* C, const TRect& R, TColor Color) {
  C->Brush()->SetStyle(TBrushStyle::bsSolid);
  C->Brush()->SetColor(Color);
  C->Pen()->SetStyle(TPenStyle::psSolid);
  C->Pen()->SetWidth(1);
  C->Pen()->SetColor(Color);
  C->Rectangle(R);
}

void Frame(TCanvas* C, const TRect& R, TColor Color) {
  C->Brush()->SetStyle(TBrushStyle::bsClear);
  C->Pen()->SetStyle(TPenStyle::psSolid);
  C->Pen()->SetWidth(1);
  C->Pen()->SetColor(Color);
  C->Rectangle(R);
}

void Line(TCanvas* C, TColor Color, int X1, int Y1, int X2, int Y2) {
  C->Pen()->SetStyle(TPenStyle::psSolid);
  C->Pen()->SetWidth(1);
  C->Pen()->SetColor(Color);
  C->MoveTo(X1, Y1);
  C->LineTo(X2, Y2);
}

// A strip filled from Color to ColorTo top to bottom in 80 bands; with one
// of the two unset, solid in the one that is set.
void FillCaption(TCanvas* C, const TRect& R, TColor Color, TColor ColorTo) {
  if (!IsSet(Color) && !IsSet(ColorTo)) return;
  if (IsSet(Color) && IsSet(ColorTo))
    DrawGradient(C, Color, ColorTo, 80, R, false);
  else
    FillSolid(C, R, IsSet(Color) ? Color : ColorTo);
}

// The pixel of a bitmap, or Fallback outside it.
TColor ImagePixel(TBitmap* B, int X, int Y, TColor Fallback) {
  if (!B || X < 0 || Y < 0 || X >= B->Width() || Y >= B->Height()) return Fallback;
  return B->Canvas()->Pixels(X, Y);
}

// The colours a toolbar paints with after its place and state are known.
struct Colors {
  TColor Fill, FillTo, Mirror, MirrorTo, Border;
  int Steps;
  bool Horizontal;
};

}  // namespace

// ---------------------------------------------------------------------------
// Rectangles

TRect TAdvCustomToolBar::GetCaptionRect() {
  TRect c = ClientRect();
  if (FToolBarState == TToolBarState::tsFloating) return TRect(c.left, c.top, c.right, c.top + FCaptionHeight);
  if (!FShowCaption) return TRect(0, 0, 0, 0);
  bool top = FCaptionPosition == TCaptionPosition::cpTop;
  if (IsHorizontalBar())
    return top ? TRect(c.left, c.top, c.right, c.top + FCaptionHeight)
               : TRect(c.left, c.bottom - FCaptionHeight, c.right, c.bottom);
  return top ? TRect(c.left, c.top, c.left + FCaptionHeight, c.bottom)
             : TRect(c.right - FCaptionHeight, c.top, c.right, c.bottom);
}

TRect TAdvCustomToolBar::GetItemsRect() {
  TRect r = ClientRect();
  TRect c = GetCaptionRect();
  if (FToolBarState == TToolBarState::tsFloating) {
    r.top = c.bottom;
  } else if (FShowCaption) {
    bool top = FCaptionPosition == TCaptionPosition::cpTop;
    if (IsHorizontalBar()) {
      if (top)
        r.top = c.bottom;
      else
        r.bottom = c.top;
    } else if (top) {
      r.left = c.right;
    } else {
      r.right = c.left;
    }
  }
  return r;
}

TRect TAdvCustomToolBar::GetCloseButtonRect() {
  if (FToolBarState != TToolBarState::tsFloating || !FShowClose) return TRect(0, 0, 0, 0);
  TRect c = GetCaptionRect();
  return TRect(c.right - FCaptionHeight - 1, c.top + 1, c.right - 1, c.bottom - 1);
}

TRect TAdvCustomToolBar::GetOptionButtonRect() {
  if (FToolBarState != TToolBarState::tsFloating || !FShowOptionIndicator) return TRect(0, 0, 0, 0);
  TRect c = GetCaptionRect();
  TRect x(c.right - FCaptionHeight - 1, c.top + 1, c.right - 1, c.bottom - 1);
  if (!FShowClose) return x;
  return TRect(x.left - FCaptionHeight - 2, x.top, x.left - 2, x.bottom);
}

TRect TAdvCustomToolBar::GetCaptionOptionRect() {
  if (!IsHorizontalBar() || FToolBarState == TToolBarState::tsFloating || !FShowOptionIndicator ||
      FShowRightHandle || !FShowCaption)
    return TRect(-1, -1, -1, -1);
  TRect c = GetCaptionRect();
  TRect r(c.right - FCaptionHeight + 1, c.top + 2, c.right - 1, c.bottom - 1);
  if (GetGlobalWin7ScenicRibbon()) r.right -= 2;
  return r;
}

TRect TAdvCustomToolBar::GetDragGripRect() {
  return IsHorizontalBar() ? TRect(1, 1, FDragGripWidth, FHeight) : TRect(1, 1, FWidth, FDragGripWidth);
}

TRect TAdvCustomToolBar::GetRightHandleRect() {
  int w = FPopupIndicatorWidth;
  bool horz = IsHorizontalBar();
  TRect h = horz ? TRect(FWidth - w, 1, FWidth + 1, FHeight + 1) : TRect(0, FHeight - w, FWidth, FHeight);
  if (FCurrentToolBarStyler->RoundEdges())
    return TRect(h.left - 1, h.top + 1, h.right - 2, h.bottom - 3);
  return horz ? TRect(h.left - 1, h.top + 1, h.right, h.bottom - 2)
              : TRect(h.left + 1, h.top, h.right - 1, h.bottom - 1);
}

TWinControl* TAdvCustomToolBar::OwnerPage() {
  TWinControl* p = FParent;
  if (p && IsClass(p, L"TCompactWindow") && FSelfClone) p = FSelfClone->Parent();
  if (auto* page = dynamic_cast<IToolBarPage*>(p); page && !page->PageParentPager() && page->PageCloneSource())
    p = page->PageCloneSource()->PageControl();
  return p;
}

// ---------------------------------------------------------------------------
// Paint

void TAdvCustomToolBar::Paint() {
  if (FUpdateCount > 0) return;
  if (FFirstRun) {
    FFirstRun = false;
    if (FToolBarState == TToolBarState::tsDocked && FCurrentDock) RecheckHiddenControls();
  }
  TCanvas* cv = Canvas();
  TCustomAdvToolBarStyler* s = FCurrentToolBarStyler;
  bool floating = FToolBarState == TToolBarState::tsFloating;
  bool onGroupParent = OnPageOrCompactWindow();
  bool activeGroup = FActive && PageOf(this);

  // The ribbon around a group: its page, pager, tab group and tones.
  TWinControl* ownerPage = OwnerPage();
  auto* page = dynamic_cast<IToolBarPage*>(ownerPage);
  IToolBarPager* pager = page ? page->PageParentPager() : nullptr;
  TGroupAppearance* tabGroup = nullptr;
  if (pager && !floating && pager->PagerActivePage() == ownerPage && !pager->PagerOffice2013())
    tabGroup = pager->PagerTabGroupAppearance(ownerPage);
  TToolBarAppearance* toneLook = pager && pager->PagerTonesActive() ? pager->PagerToolBarAppearance() : nullptr;
  bool toned = toneLook != nullptr;

  // Caption strip.
  TColor separator = s->TabAppearance()->BorderColor();
  if (tabGroup) separator = tabGroup->BorderColor();
  if (floating)
    PaintFloatingCaption();
  else if (FShowCaption)
    PaintDockedCaption(tabGroup != nullptr, toned);

  // Background colours.
  TVistaGradientBackground* col = s->Color();
  TVistaGradientBackground* hot = s->ColorHot();
  Colors k{};
  k.Horizontal = col->Direction() == AdvToolBar::TGradientDirection::gdHorizontal;
  if (!IsHorizontalBar() && !FParentStyler) k.Horizontal = !k.Horizontal;
  k.Steps = col->Steps();
  TColor hotFill, hotFillTo, hotBorder = s->BorderColorHot();
  if (onGroupParent) {
    k.Fill = col->Mirror()->Color();
    k.FillTo = col->Mirror()->ColorTo();
    hotFill = hot->Mirror()->Color();
    hotFillTo = hot->Mirror()->ColorTo();
  } else {
    k.Fill = col->Color();
    k.FillTo = col->ColorTo();
    hotFill = hot->Color();
    hotFillTo = hot->ColorTo();
  }
  k.Border = s->BorderColor();
  k.Mirror = col->Mirror()->ColorMirror();
  k.MirrorTo = col->Mirror()->ColorMirrorTo();
  TColor hotMirror = hot->Mirror()->ColorMirror(), hotMirrorTo = hot->Mirror()->ColorMirrorTo();
  int hotSteps = hot->Steps();
  bool rounded = s->RoundEdges();
  if (FFullSize) {
    k.Steps = 256;
    k.Fill = s->DockColor()->Color();
    k.FillTo = s->DockColor()->ColorTo();
    k.Horizontal = s->DockColor()->Direction() == AdvToolBar::TGradientDirection::gdHorizontal;
    if (floating)
      k.FillTo = k.Fill;
    else
      k.Border = clNone;
    rounded = false;
  }
  if (tabGroup) {
    TToolBarAppearance* ta = tabGroup->ToolBarAppearance();
    k.Steps = ta->Color()->Steps();
    k.Fill = ta->Color()->Color();
    k.FillTo = ta->Color()->ColorTo();
    k.Border = ta->BorderColor();
    hotSteps = ta->ColorHot()->Steps();
    hotFill = ta->ColorHot()->Color();
    hotFillTo = ta->ColorHot()->ColorTo();
    hotBorder = ta->BorderColorHot();
  }
  if (FTimer && IsSet(hotFill) && !activeGroup) {
    k.Fill = BlendColor(hotFill, k.Fill, FStepHover);
    if (IsSet(hotFillTo)) k.FillTo = BlendColor(hotFillTo, k.FillTo, FStepHover);
    if (IsSet(hotMirror)) k.Mirror = BlendColor(hotMirror, k.Mirror, FStepHover);
    if (IsSet(hotMirrorTo)) k.MirrorTo = BlendColor(hotMirrorTo, k.MirrorTo, FStepHover);
    if (IsSet(k.Border) || IsSet(hotBorder)) k.Border = BlendColor(hotBorder, k.Border, FStepHover);
    k.Steps = hotSteps;
  } else if (FHot || (activeGroup && FEnabled) || (FActive && FEnabled && onGroupParent)) {
    if (IsSet(hotFill)) k.Fill = hotFill;
    if (IsSet(hotFillTo)) k.FillTo = hotFillTo;
    if (IsSet(k.Border) || IsSet(hotBorder)) k.Border = hotBorder;
    k.Steps = hotSteps;
    if (IsSet(hotMirror)) k.Mirror = hotMirror;
    if (IsSet(hotMirrorTo)) k.MirrorTo = hotMirrorTo;
  }
  if (toned) {
    k.Fill = toneLook->Color()->Color();
    k.FillTo = toneLook->Color()->ColorTo();
    k.Border = toneLook->BorderColor();
    k.Mirror = clNone;
    k.MirrorTo = clNone;
  }
  k.Steps = std::clamp(k.Steps, 0, MaxGradientSteps);

  // Fill.
  TRect items = GetItemsRect();
  TRect r(items.left, items.top, items.right + 1, items.bottom + 1);
  if (!s->Transparent()) {
    if (!IsSet(k.FillTo)) {
      FillSolid(cv, r, k.Fill);
    } else if (!floating || FFloatingRows <= 1) {
      if (onGroupParent && page && !tabGroup) {
        int topBand = FCaptionPosition == TCaptionPosition::cpBottom ? std::max(0, 22 - FTop) : 0;
        DrawSplitBackground(cv, r, topBand, k.Fill, k.FillTo, k.Mirror, k.MirrorTo, clNone, GetCornerRounding());
      } else {
        DrawGradient(cv, k.Fill, k.FillTo, k.Steps, r, k.Horizontal);
      }
    } else {
      for (int i = 0; i < FFloatingRows; ++i) {
        TRect band(r.left, r.top + i * FSizeAtDock, r.right, r.top + (i + 1) * FSizeAtDock);
        DrawGradient(cv, k.Fill, k.FillTo, k.Steps, band, k.Horizontal);
      }
    }
    TBitmap* bg = s->BackGround();
    if (!bg->Empty() && bg->Width() > 0 && bg->Height() > 0) {
      switch (s->BackGroundDisplay()) {
        case TBackGroundDisplay::bdTile:
          for (int y = 0; y < FHeight - 1; y += bg->Height())
            for (int x = 0; x < FWidth - 1; x += bg->Width()) cv->Draw(x, y, bg);
          break;
        case TBackGroundDisplay::bdCenter:
          cv->Draw((FWidth - bg->Width()) / 2, (FHeight - bg->Height()) / 2, bg);
          break;
        case TBackGroundDisplay::bdStretch:
          cv->StretchDraw(TRect(r.left + 2, r.top + 2, r.right - 2, r.bottom - 2), bg);
          break;
      }
    }
  }

  // Bevel.
  int bevel = static_cast<int>(s->Bevel());
  bool useBevel = s->UseBevel() && !floating;
  if (useBevel && bevel == 1) {
    Line(cv, clBtnShadow, 1, FHeight, 1, 1);
    cv->LineTo(FWidth, 1);
    Line(cv, clWhite, FWidth - 1, 1, FWidth - 1, FHeight - 1);
    cv->LineTo(1, FHeight - 1);
  } else if (useBevel && (bevel == 2 || bevel == 3)) {
    Line(cv, clWhite, 0, FHeight, 0, 0);
    cv->LineTo(FWidth, 0);
    Line(cv, clBtnShadow, FWidth - 1, 0, FWidth - 1, FHeight - 1);
    cv->LineTo(0, FHeight - 1);
  }

  DrawDragGrip();
  DrawRightHandle();

  // The rectangle the border and corners follow: the caption side again.
  TRect b = GetItemsRect();
  if (FShowCaption && !floating) {
    TRect c = ClientRect();
    bool top = FCaptionPosition == TCaptionPosition::cpTop;
    if (IsHorizontalBar()) {
      if (top)
        b.top = c.top;
      else
        b.bottom = c.bottom + 1;
    } else if (top) {
      b.left = c.left;
    } else {
      b.right = c.right + 1;
    }
  }
  bool squareCorners = !rounded || (useBevel && bevel != 0);
  if (!squareCorners && !SquareCornerStyle(s->KelStyle())) PaintCorners(b, k.Fill);
  if (IsSet(k.Border) && !floating) PaintBorder(b, k.Fill, k.Border, separator, tabGroup != nullptr, toned);
  (void)squareCorners;
  DrawMDIButtons();
}

// ---------------------------------------------------------------------------
// Caption strips

void TAdvCustomToolBar::PaintFloatingCaption() {
  TCanvas* cv = Canvas();
  TCaptionAppearance* ca = FCurrentToolBarStyler->CaptionAppearance();
  TRect c = GetCaptionRect();
  FillCaption(cv, c, ca->CaptionColor(), ca->CaptionColorTo());
  if (IsSet(ca->CaptionBorderColor())) Frame(cv, c, ca->CaptionBorderColor());
  String text = CaptionText();
  if (!text.empty()) {
    TFont* src = FParentStyler ? FCurrentToolBarStyler->CaptionFont() : static_cast<TFont*>(FCaptionFont);
    cv->Font()->Assign(src);
    cv->Font()->SetColor(ca->CaptionTextColor());
    int ppi = src->PixelsPerInch() > 0 ? src->PixelsPerInch() : 96;
    cv->Font()->SetSize(RoundInt(static_cast<long double>(src->Size()) * 96 / ppi * DPIFactor));
    TRect t(c.left + 3, c.top, c.right, c.bottom);
    if (FShowOptionIndicator)
      t.right = GetOptionButtonRect().left;
    else if (FShowClose)
      t.right = GetCloseButtonRect().left;
    cv->Brush()->SetStyle(TBrushStyle::bsClear);
    cv->TextRect(t, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  DrawOptionButton();
  DrawCloseButton();
}

void TAdvCustomToolBar::PaintDockedCaption(bool InTabGroup, bool Toned) {
  TCanvas* cv = Canvas();
  TCustomAdvToolBarStyler* s = FCurrentToolBarStyler;
  TCaptionAppearance* ca = s->CaptionAppearance();
  TWinControl* ownerPage = OwnerPage();
  auto* page = dynamic_cast<IToolBarPage*>(ownerPage);
  IToolBarPager* pager = page ? page->PageParentPager() : nullptr;
  if (InTabGroup && pager)
    if (TGroupAppearance* ga = pager->PagerTabGroupAppearance(ownerPage)) ca = ga->CaptionAppearance();
  TColor fill = ca->CaptionColor(), fillTo = ca->CaptionColorTo(), border = ca->CaptionBorderColor(),
         text = ca->CaptionTextColor();
  TColor hFill = ca->CaptionColorHot(), hFillTo = ca->CaptionColorHotTo(), hBorder = ca->CaptionBorderColorHot(),
         hText = ca->CaptionTextColorHot();
  if (Toned && pager) {
    if (TToolBarAppearance* ta = pager->PagerToolBarAppearance()) {
      fill = fillTo = hFill = hFillTo = ta->Color()->Color();
      border = hBorder = clNone;
      text = hText = pager->PagerToolBarCaptionTextColor();
    }
  }
  bool activeGroup = FActive && PageOf(this);
  if (FTimer && IsSet(hFill) && !activeGroup) {
    fill = BlendColor(hFill, fill, FStepHover);
    if (IsSet(hFillTo)) fillTo = BlendColor(hFillTo, fillTo, FStepHover);
    if (IsSet(border) || IsSet(hBorder)) border = BlendColor(hBorder, border, FStepHover);
    if (IsSet(text) || IsSet(hText)) text = BlendColor(hText, text, FStepHover);
  } else if (FHot || (FActive && FEnabled && OnPageOrCompactWindow())) {
    if (IsSet(hFill)) fill = hFill;
    if (IsSet(hFillTo)) fillTo = hFillTo;
    if (IsSet(hBorder)) border = hBorder;
    if (IsSet(hText)) text = hText;
  }
  TRect c = GetCaptionRect();
  FillCaption(cv, c, fill, fillTo);
  if (IsSet(border)) Frame(cv, c, border);

  String caption = CaptionText();
  if (caption.empty()) return;
  bool horz = IsHorizontalBar();
  bool grip = GripShown() && !page;
  TRect t = c;
  int in = grip ? FDragGripWidth + 3 : 3;
  if (horz)
    t.left += in;
  else
    t.top += in;
  if (RightHandleShown()) {
    if (horz)
      t.right -= FPopupIndicatorWidth + 2;
    else
      t.bottom -= FPopupIndicatorWidth + 2;
  }
  cv->Font()->Assign(s->CaptionFont());
  cv->Font()->SetSize(RoundInt(s->CaptionFont()->Size() * static_cast<long double>(DPIFactor)));
  cv->Font()->SetColor(text);
  cv->Brush()->SetStyle(TBrushStyle::bsClear);
  if (horz) {
    t.top -= RoundInt((static_cast<long double>(DPIFactor) - 1) * 3);
    TRect opt = GetCaptionOptionRect();
    if (opt.left >= 0) {
      t.right = opt.left;
    } else if (!FShowOptionIndicator) {
      TKelStyle st = s->KelStyle();
      if (st == TKelStyle::tsWindows7 ||
          (static_cast<int>(st) >= static_cast<int>(TKelStyle::tsOffice2010Blue) &&
           static_cast<int>(st) <= static_cast<int>(TKelStyle::tsOffice2016Black)))
        t.right -= 7;
    }
    UINT align = FCaptionAlignment == TAlignment::taRightJustify ? DT_RIGHT
                 : FCaptionAlignment == TAlignment::taCenter    ? DT_CENTER
                                                                  : DT_LEFT;
    cv->TextRect(t, caption, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | align);
    return;
  }
  int w = cv->TextWidth(caption);
  cv->Font()->SetOrientation(FPosition == TDockAlign::daLeft ? -2700 : -900);
  TPoint p;
  int free = t.bottom - t.top - w;
  if (FPosition == TDockAlign::daLeft) {
    p.x = t.left;
    p.y = FCaptionAlignment == TAlignment::taRightJustify ? t.top + w + 2
          : FCaptionAlignment == TAlignment::taCenter    ? t.bottom - free / 2
                                                          : t.bottom - 2;
  } else {
    p.x = t.right;
    p.y = FCaptionAlignment == TAlignment::taRightJustify ? t.bottom - w - 5
          : FCaptionAlignment == TAlignment::taCenter    ? t.top + free / 2
                                                          : t.top;
  }
  DrawVerticalCaption(cv, caption, p);
  cv->Font()->SetOrientation(0);
}

// ---------------------------------------------------------------------------
// Corners and border

void TAdvCustomToolBar::PaintCorners(const TRect& R, TColor Fill) {
  TCanvas* cv = Canvas();
  int L = R.left, T = R.top, Rt = R.right, Bt = R.bottom;
  int X = FLeft, Y = FTop, W = FWidth, H = FHeight;
  bool rightCorners = !FShowRightHandle && FToolBarState != TToolBarState::tsFloating && !FFullSize;
  bool horz = IsHorizontalBar();
  auto set = [cv](int x, int y, TColor c) {
    if (c != static_cast<TColor>(CLR_INVALID)) cv->SetPixels(x, y, c);
  };
  if (IsClass(FParent, L"TCompactWindow")) {
    for (auto [x, y] : {std::pair{L, T}, {L + 1, T}, {L, T + 1}, {L, Bt - 2}, {L + 1, Bt - 2}, {L, Bt - 3}})
      set(x, y, Fill);
    for (auto [x, y] : {std::pair{Rt - 2, T}, {Rt - 3, T}, {Rt - 2, T + 1}, {Rt - 2, Bt - 2}, {Rt - 3, Bt - 2},
                        {Rt - 2, Bt - 3}})
      set(x, y, Fill);
    return;
  }
  if (TAdvDockPanel* dock = DockPanelParent()) {
    // The panel's background as it painted it last.
    TBitmap* img = dock->GetDockImage();
    auto at = [img](int x, int y) { return ImagePixel(img, x, y, static_cast<TColor>(CLR_INVALID)); };
    set(L, T, at(X - 1, Y - 1));
    set(L + 1, T, at(X + 1, Y - 1));
    set(L, T + 1, at(X - 1, Y));
    if (horz) {
      set(L, Bt - 2, at(X - 1, Y + H));
      set(L + 1, Bt - 2, at(X - 1, Y + H));
      set(L, Bt - 3, at(X - 1, Y + H));
      if (rightCorners) {
        set(Rt - 2, T, at(X + W - 1, Y));
        set(Rt - 3, T, at(X + W - 2, Y));
        set(Rt - 2, T + 1, at(X + W - 1, Y));
        set(Rt - 2, Bt - 2, at(X + W - 1, Y + H));
        set(Rt - 3, Bt - 2, at(X + W - 2, Y + H));
        set(Rt - 2, Bt - 3, at(X + W - 1, Y + H));
      }
    } else {
      set(Rt - 1, T, at(X + W, Y));
      set(Rt - 2, T, at(X + W - 1, Y));
      set(Rt - 1, T + 1, at(X + W, Y + 1));
      if (rightCorners) {
        set(L, Bt - 2, at(X + 1, Y + H));
        set(L + 1, Bt - 2, at(X + 2, Y + H));
        set(L, Bt - 3, at(X + 1, Y + H));
        set(Rt - 2, Bt - 2, at(X + W - 1, Y + H));
        set(Rt - 3, Bt - 2, at(X + W - 2, Y + H));
        set(Rt - 2, Bt - 3, at(X + W - 1, Y + H));
      }
    }
    return;
  }
  auto* pageCtl = dynamic_cast<TCustomControl*>(OwnerPage());
  if (!pageCtl || !dynamic_cast<IToolBarPage*>(pageCtl)) return;
  IToolBarPager* pager = dynamic_cast<IToolBarPage*>(pageCtl)->PageParentPager();
  TCanvas* pc = pageCtl->Canvas();
  auto at = [pc](int x, int y) { return pc->Pixels(x, y); };
  if (horz) {
    if (!(GetGlobalWin7ScenicRibbon() && pager && pager->PagerGlassActive())) {
      set(L, T, at(X - 1, Y - 1));
      set(L + 1, T, at(X + 1, Y - 1));
      set(L, T + 1, at(X - 1, Y));
      set(L, Bt - 2, at(X - 1, Y + H));
      set(L + 1, Bt - 2, at(X - 1, Y + H));
      set(L, Bt - 3, at(X - 1, Y + H));
    }
    if (rightCorners) {
      for (auto [x, y] : {std::pair{Rt - 2, T}, {Rt - 3, T}, {Rt - 2, T + 1}}) set(x, y, at(X + W + 1, Y));
      for (auto [x, y] : {std::pair{Rt - 2, Bt - 2}, {Rt - 3, Bt - 2}, {Rt - 2, Bt - 3}})
        set(x, y, at(X + W + 1, Y + H));
    }
  } else {
    set(L, T, at(X - 1, Y - 1));
    set(L + 1, T, at(X + 1, Y - 1));
    set(L, T + 1, at(X - 1, Y));
    set(Rt - 1, T, at(X + W, Y));
    set(Rt - 2, T, at(X + W - 1, Y));
    set(Rt - 1, T + 1, at(X + W, Y + 1));
    if (rightCorners) {
      for (auto [x, y] : {std::pair{L, Bt - 2}, {L + 1, Bt - 2}, {L, Bt - 3}}) set(x, y, at(X - 1, Y + H));
      for (auto [x, y] : {std::pair{Rt - 2, Bt - 2}, {Rt - 3, Bt - 2}, {Rt - 2, Bt - 3}})
        set(x, y, at(X + W + 1, Y + H));
    }
  }
}

void TAdvCustomToolBar::PaintBorder(const TRect& R, TColor Fill, TColor Border, TColor SeparatorColor, bool InTabGroup,
                                    bool Toned) {
  TCanvas* cv = Canvas();
  int L = R.left, T = R.top, Rt = R.right, Bt = R.bottom;
  TCustomAdvToolBarStyler* s = FCurrentToolBarStyler;
  bool clone = IsClass(FParent, L"TCompactWindow") && FSelfClone;
  if (GetGlobalWin7ScenicRibbon() || Toned) {
    auto* page = dynamic_cast<IToolBarPage*>(OwnerPage());
    IToolBarPager* pager = page ? page->PageParentPager() : nullptr;
    if (!pager) return;
    if (Toned && !FCompact) {
      if (!clone) Line(cv, Border, Rt - 2, T, Rt - 2, Bt);
    } else if (pager->PagerGlassActive()) {
      DrawTwoColorAlphaGradient(cv->Handle(), TRect(Rt - 4, 0, Rt, FHeight), BlendColor(Fill, clWhite, 50), Fill, 255,
                                60);
      TColor tab = s->TabAppearance()->BorderColor();
      int mid = FHeight / 2;
      if (InTabGroup) {
        DrawTwoColorAlphaGradient(cv->Handle(), TRect(Rt - 3, 0, Rt - 2, mid), tab, tab, 140, 50);
        DrawTwoColorAlphaGradient(cv->Handle(), TRect(Rt - 3, mid, Rt - 2, FHeight), SeparatorColor, tab, 210, 140);
      } else {
        DrawTwoColorAlphaGradient(cv->Handle(), TRect(Rt - 3, 0, Rt - 2, FHeight), SeparatorColor, SeparatorColor, 255,
                                  60);
      }
    } else if (!clone) {
      cv->Pen()->SetWidth(3);
      cv->Pen()->SetColor(Fill);
      cv->MoveTo(Rt - 3, T + 5);
      cv->LineTo(Rt - 3, Bt - 5);
      Line(cv, Border, Rt - 3, T + 6, Rt - 3, Bt - 6);
    }
    return;
  }
  bool roundBorder = s->RoundEdges() && !FFullSize && !(s->UseBevel() && static_cast<int>(s->Bevel()) != 0);
  if (!roundBorder) {
    Frame(cv, R, Border);
    return;
  }
  cv->Brush()->SetStyle(TBrushStyle::bsClear);
  cv->Pen()->SetWidth(1);
  cv->Pen()->SetColor(Border);
  cv->RoundRect(L, T, Rt - 1, Bt - 1, 6, 6);
}

// ---------------------------------------------------------------------------
// Grip, right handle and floating caption buttons

void TAdvCustomToolBar::DrawDragGrip() {
  if (!GripShown()) return;
  TCanvas* cv = Canvas();
  TCustomAdvToolBarStyler* s = FCurrentToolBarStyler;
  TRect g = GetDragGripRect();
  int Gl = g.left, Gt = g.top, Gr = g.right, Gb = g.bottom;
  bool horz = IsHorizontalBar();
  if (!s->DragGripImage()->Empty()) {
    cv->StretchDraw(g, s->DragGripImage());
    return;
  }
  auto square = [cv](int x, int y, TColor c) { FillSolid(cv, TRect(x, y, x + 2, y + 2), c); };
  switch (s->DragGripStyle()) {
    case TDragGripStyle::dsDots:
      if (horz) {
        for (int i = 0; i < (Gb - 8) / 4; ++i) {
          square(Gl + 4, Gt + 5 + 4 * i, clWhite);
          square(Gl + 3, Gt + 4 + 4 * i, clBtnShadow);
        }
      } else {
        for (int i = 0; i < (Gr - 8) / 4; ++i) {
          square(Gl + 5 + 4 * i, Gt + 4, clWhite);
          square(Gl + 4 + 4 * i, Gt + 3, clBtnShadow);
        }
      }
      break;
    case TDragGripStyle::dsSingleLine:
      if (horz)
        Draw3DBar(cv, TPoint(Gl + 4, Gb - 4), TPoint(Gl + 4, Gt + 3), true, true);
      else
        Draw3DBar(cv, TPoint(Gl + 3, Gt + 4), TPoint(Gr - 5, Gt + 4), true, false);
      break;
    case TDragGripStyle::dsDoubleLine:
      if (horz) {
        Draw3DBar(cv, TPoint(Gl + 2, Gb - 4), TPoint(Gl + 2, Gt + 3), true, true);
        Draw3DBar(cv, TPoint(Gl + 5, Gb - 4), TPoint(Gl + 5, Gt + 3), true, true);
      } else {
        Draw3DBar(cv, TPoint(Gl + 3, Gt + 2), TPoint(Gr - 5, Gt + 2), true, false);
        Draw3DBar(cv, TPoint(Gl + 3, Gt + 5), TPoint(Gr - 5, Gt + 5), true, false);
      }
      break;
    case TDragGripStyle::dsFlatDots: {
      TColor grey = RGB(165, 165, 165);
      if (horz)
        for (int i = 0; i < (Gb - 8) / 2; ++i) Line(cv, grey, Gl + 2, Gt + 4 + 2 * i, Gl + 5, Gt + 4 + 2 * i);
      else
        for (int i = 0; i < (Gr - 8) / 2; ++i) Line(cv, grey, Gl + 4 + 2 * i, Gt + 2, Gl + 4 + 2 * i, Gt + 5);
      break;
    }
    case TDragGripStyle::dsNone:
      break;
  }
}

void TAdvCustomToolBar::DrawRightHandle() {
  if (!RightHandleShown()) {
    DrawCaptionOptionIndicator();
    return;
  }
  TCanvas* cv = Canvas();
  TCustomAdvToolBarStyler* s = FCurrentToolBarStyler;
  AdvToolBar::TButtonAppearance* ba = s->ButtonAppearance();
  TRect h = GetRightHandleRect();
  int Hl = h.left, Ht = h.top, Hr = h.right, Hb = h.bottom;
  bool horz = IsHorizontalBar();
  bool pressed = FDownPopupIndicator || (FOptionWindow && FOptionWindow->Visible());
  TColor c1, c2, border, glyph;
  if (pressed) {
    c1 = s->RightHandleColorDown();
    c2 = s->RightHandleColorDownTo();
    border = ba->BorderDownColor();
    glyph = ba->CaptionTextColorDown();
  } else if (FHotPopupIndicator) {
    c1 = s->RightHandleColorHot();
    c2 = s->RightHandleColorHotTo();
    border = ba->BorderHotColor();
    glyph = ba->CaptionTextColorHot();
  } else {
    c1 = s->RightHandleColor();
    c2 = s->RightHandleColorTo();
    border = ba->BorderColor();
    glyph = ba->CaptionTextColor();
  }
  if (!s->RightHandleImage()->Empty()) {
    cv->StretchDraw(h, s->RightHandleImage());
    return;
  }
  TRect area = horz ? TRect(Hl + 3, Ht, Hr, Hb) : TRect(Hl, Ht + 3, Hr, Hb);
  if (!IsSet(c1) || !IsSet(c2))
    FillSolid(cv, area, c1);
  else
    DrawGradient(cv, c1, c2, 16, area, !horz);
  bool raised = s->RoundEdges();
  if (raised) {
    if (!IsSet(c2)) c2 = c1;
    TAdvDockPanel* dock = FToolBarState == TToolBarState::tsDocked ? DockPanelParent() : nullptr;
    TBitmap* img = dock ? dock->GetDockImage() : nullptr;
    int X = FLeft, Y = FTop, W = FWidth, H = FHeight;
    auto copy = [&](int x, int y, int fx, int fy) {
      TColor c = ImagePixel(img, fx, fy, static_cast<TColor>(CLR_INVALID));
      if (c != static_cast<TColor>(CLR_INVALID)) cv->SetPixels(x, y, c);
    };
    if (horz) {
      if (img) {
        copy(Hr - 2, Ht, X + W - 1, Y);
        copy(Hr - 3, Ht, X + W - 2, Y);
        copy(Hr - 2, Ht + 1, X + W - 1, Y);
        copy(Hr - 2, Hb - 2, X + W - 1, Y + H);
        copy(Hr - 3, Hb - 2, X + W - 2, Y + H);
        copy(Hr - 2, Hb - 3, X + W - 1, Y + H);
      }
      for (auto [x, y] : {std::pair{Hl + 1, Hb - 2}, {Hl + 2, Hb - 2}, {Hl + 2, Hb - 3}}) cv->SetPixels(x, y, c2);
      for (auto [x, y] : {std::pair{Hl + 1, Ht}, {Hl + 2, Ht}, {Hl + 2, Ht + 1}}) cv->SetPixels(x, y, c1);
    } else {
      if (img) {
        copy(Hl, Hb - 1, X + 1, Y + H);
        copy(Hl + 1, Hb - 1, X + 2, Y + H);
        copy(Hl, Hb - 2, X + 1, Y + H);
        copy(Hr - 1, Hb - 1, X + W - 1, Y + H);
        copy(Hr - 2, Hb - 1, X + W - 2, Y + H);
        copy(Hr - 1, Hb - 2, X + W - 1, Y + H);
      }
      for (auto [x, y] : {std::pair{Hl, Ht + 2}, {Hl + 1, Ht + 2}, {Hl, Ht + 1}}) cv->SetPixels(x, y, c1);
      for (auto [x, y] : {std::pair{Hr - 1, Ht + 2}, {Hr - 2, Ht + 2}, {Hr - 1, Ht + 1}}) cv->SetPixels(x, y, c2);
    }
  } else if (IsSet(border)) {
    Frame(cv, horz ? TRect(Hl + 3, Ht, Hr - 1, Hb - 1) : TRect(Hl, Ht + 3, Hr, Hb), border);
  }
  bool chevron = GetGrowableLength() > 0;
  auto seg = [cv](TColor c, int x1, int y1, int x2, int y2) { Line(cv, c, x1, y1, x2, y2); };
  if (!raised) {
    if (chevron) {
      if (horz) {
        seg(glyph, Hl + 8, Ht + 3, Hl + 11, Ht + 6);
        cv->LineTo(Hl + 7, Ht + 10);
        seg(glyph, Hl + 6, Ht + 3, Hl + 9, Ht + 6);
        cv->LineTo(Hl + 5, Ht + 10);
      } else {
        seg(glyph, Hl + 3, Ht + 6, Hl + 5, Ht + 8);
        cv->LineTo(Hl + 8, Ht + 5);
        seg(glyph, Hl + 3, Ht + 8, Hl + 5, Ht + 10);
        cv->LineTo(Hl + 8, Ht + 7);
      }
    }
    if (FShowOptionIndicator) {
      if (horz) {
        seg(glyph, Hr - 9, Hb - 9, Hr - 4, Hb - 9);
        seg(glyph, Hr - 9, Hb - 7, Hr - 4, Hb - 7);
        seg(glyph, Hr - 8, Hb - 6, Hr - 5, Hb - 6);
        cv->SetPixels(Hr - 7, Hb - 5, clBlack);
      } else {
        seg(glyph, Hr - 9, Ht + 6, Hr - 9, Ht + 11);
        seg(glyph, Hr - 6, Ht + 6, Hr - 6, Ht + 11);
        seg(glyph, Hr - 5, Ht + 7, Hr - 5, Ht + 10);
        cv->SetPixels(Hr - 4, Ht + 8, clBlack);
      }
    }
    return;
  }
  if (chevron) {
    if (horz) {
      seg(clBlack, Hr - 6, Ht + 5, Hr - 6, Ht + 8);
      seg(clBlack, Hr - 6, Ht + 6, Hr - 4, Ht + 6);
      seg(clBlack, Hr - 10, Ht + 5, Hr - 10, Ht + 8);
      seg(clBlack, Hr - 10, Ht + 6, Hr - 8, Ht + 6);
      seg(clWhite, Hr - 5, Ht + 7, Hr - 5, Ht + 9);
      seg(clWhite, Hr - 5, Ht + 7, Hr - 3, Ht + 7);
      seg(clWhite, Hr - 9, Ht + 7, Hr - 9, Ht + 9);
      seg(clWhite, Hr - 9, Ht + 7, Hr - 7, Ht + 7);
    } else {
      seg(clBlack, Hl + 5, Ht + 5, Hl + 8, Ht + 5);
      seg(clBlack, Hl + 6, Ht + 5, Hl + 6, Ht + 7);
      seg(clBlack, Hl + 5, Ht + 9, Hl + 8, Ht + 9);
      seg(clBlack, Hl + 6, Ht + 9, Hl + 6, Ht + 11);
      seg(clWhite, Hl + 7, Ht + 6, Hl + 9, Ht + 6);
      seg(clWhite, Hl + 7, Ht + 6, Hl + 7, Ht + 8);
      seg(clWhite, Hl + 7, Ht + 10, Hl + 9, Ht + 10);
      seg(clWhite, Hl + 7, Ht + 10, Hl + 7, Ht + 12);
    }
  }
  if (FShowOptionIndicator) {
    if (horz) {
      seg(clBlack, Hr - 9, Hb - 11, Hr - 4, Hb - 11);
      seg(clBlack, Hr - 9, Hb - 8, Hr - 4, Hb - 8);
      seg(clBlack, Hr - 8, Hb - 7, Hr - 5, Hb - 7);
      cv->SetPixels(Hr - 7, Hb - 6, clBlack);
      seg(clWhite, Hr - 8, Hb - 10, Hr - 3, Hb - 10);
      seg(clWhite, Hr - 5, Hb - 7, Hr - 3, Hb - 7);
      seg(clWhite, Hr - 6, Hb - 6, Hr - 4, Hb - 6);
      cv->SetPixels(Hr - 6, Hb - 5, clWhite);
    } else {
      seg(clBlack, Hr - 9, Ht + 5, Hr - 9, Ht + 10);
      seg(clBlack, Hr - 6, Ht + 5, Hr - 6, Ht + 10);
      seg(clBlack, Hr - 5, Ht + 6, Hr - 5, Ht + 9);
      cv->SetPixels(Hr - 4, Ht + 7, clBlack);
      seg(clWhite, Hr - 8, Ht + 6, Hr - 8, Ht + 11);
      seg(clWhite, Hr - 5, Ht + 9, Hr - 5, Ht + 11);
      seg(clWhite, Hr - 4, Ht + 8, Hr - 2, Ht + 8);
      cv->SetPixels(Hr - 4, Ht + 9, clWhite);
    }
  }
}

void TAdvCustomToolBar::DrawCaptionOptionIndicator() {
  TRect r = GetCaptionOptionRect();
  if (r.left < 0) return;
  TCanvas* cv = Canvas();
  TCustomAdvToolBarStyler* s = FCurrentToolBarStyler;
  TGlowButtonAppearance* a = s->GlowButtonAppearance();
  IToolBarPager* pager = GetOwnerPager();
  TGlowButtonAppearance* pa = pager && pager->PagerTonesActive() ? pager->PagerGlowButtonAppearance() : nullptr;
  struct Face {
    TColor C, CTo, M, MTo, B;
    TGDIPGradient G, GM;
  };
  Face down{a->ColorDown(), a->ColorDownTo(), a->ColorMirrorDown(), a->ColorMirrorDownTo(), a->BorderColorDown(),
            a->GradientDown(), a->GradientMirrorDown()};
  Face hot{a->ColorHot(), a->ColorHotTo(), a->ColorMirrorHot(), a->ColorMirrorHotTo(), a->BorderColorHot(),
           a->GradientHot(), a->GradientMirrorHot()};
  if (pa) {
    down.C = pa->ColorDown();
    down.B = pa->BorderColorDown();
    hot.C = pa->ColorHot();
    hot.B = pa->BorderColorHot();
  }
  TCaptionAppearance* ca = s->CaptionAppearance();
  TColor capTo = IsSet(ca->CaptionColorTo()) ? ca->CaptionColorTo() : ca->CaptionColor();
  auto blend = [](const Face& From, const Face& To, int Step) {
    return Face{BlendColor(To.C, From.C, Step),   BlendColor(To.CTo, From.CTo, Step), BlendColor(To.M, From.M, Step),
                BlendColor(To.MTo, From.MTo, Step), BlendColor(To.B, From.B, Step),     From.G,
                From.GM};
  };
  // The hot face faded towards the caption behind it.
  auto fade = [&](int Step) {
    Face back{ca->CaptionColor(), capTo, ca->CaptionColor(), ca->CaptionColor(), s->BorderColor(), hot.G, hot.GM};
    return Face{BlendColor(hot.C, back.C, Step),   BlendColor(hot.CTo, back.CTo, Step),
                BlendColor(hot.M, back.M, Step),   BlendColor(hot.MTo, back.M, Step),
                BlendColor(hot.B, back.B, Step),   hot.G,
                hot.GM};
  };
  bool glowing = FOptionTimer != nullptr;
  Face f{};
  bool paint = true;
  if (FCapOptIndicatorDown)
    f = glowing && FOptionGlowState == TGlowState::gsPush ? blend(down, hot, FOptionStepPush) : down;
  else if (FCapOptIndicatorHot)
    f = glowing && FOptionGlowState == TGlowState::gsHover  ? fade(FOptionStepHover)
        : glowing && FOptionGlowState == TGlowState::gsPush ? blend(down, hot, FOptionStepPush)
                                                            : hot;
  else if (glowing && FOptionGlowState == TGlowState::gsHover)
    f = fade(FOptionStepHover);
  else
    paint = false;
  if (paint)
    DrawButtonFace(cv, r, f.C, f.CTo, f.M, f.MTo, f.B, f.G, f.GM, true);
  TGDIPPicture* pic = nullptr;
  if (FParentOptionPicture && pager) {
    pic = !FEnabled && pager->PagerOptionDisabledPicture() && !pager->PagerOptionDisabledPicture()->Empty()
              ? pager->PagerOptionDisabledPicture()
              : pager->PagerOptionPicture();
  } else {
    pic = !FEnabled && !FIOptionDisabledPicture->Empty() ? FIOptionDisabledPicture.Get() : FIOptionPicture.Get();
  }
  if (!pic || pic->Empty()) return;
  int x = r.left + std::max(0, static_cast<int>(r.Width() - pic->Width()) / 2);
  int y = r.top + std::max(0, static_cast<int>(r.Height() - pic->Height()) / 2);
  cv->Draw(x, y, pic);
}

namespace {
// A floating caption button: pressed, hot or plain; its glyph colour.
TColor CaptionButtonFace(TCanvas* Cv, const TRect& R, bool Down, bool Hot, TCustomAdvToolBarStyler* S) {
  TRootItem* root = S->CurrentAdvMenuStyler() ? S->CurrentAdvMenuStyler()->RootItem() : nullptr;
  TColor capColor = S->CaptionAppearance()->CaptionColor();
  if (Down && root) {
    Cv->Pen()->SetColor(clBlack);
    Cv->Brush()->SetColor(root->Color());
    Cv->Brush()->SetStyle(TBrushStyle::bsSolid);
    Cv->Rectangle(R);
    return clWhite;
  }
  if (Hot && root) {
    Cv->Pen()->SetColor(clBlack);
    Cv->Brush()->SetColor(root->HoverColor());
    Cv->Brush()->SetStyle(TBrushStyle::bsSolid);
    Cv->Rectangle(R);
    return clBlack;
  }
  FillSolid(Cv, R, capColor);
  return clWhite;
}
}  // namespace

void TAdvCustomToolBar::DrawCloseButton() {
  if (FToolBarState != TToolBarState::tsFloating || !FShowClose) return;
  TCanvas* cv = Canvas();
  TRect r = GetCloseButtonRect();
  TColor glyph = CaptionButtonFace(cv, r, FDownCloseBtn, FHotCloseBtn, FCurrentToolBarStyler);
  int Ol = r.left + 4, Ot = r.top + 4;
  Line(cv, glyph, Ol, Ot + 7, Ol + 8, Ot);
  Line(cv, glyph, Ol + 1, Ot + 7, Ol + 7, Ot);
  Line(cv, glyph, Ol, Ot + 1, Ol + 8, Ot + 8);
  Line(cv, glyph, Ol + 1, Ot + 1, Ol + 7, Ot + 8);
}

void TAdvCustomToolBar::DrawOptionButton() {
  if (FToolBarState != TToolBarState::tsFloating || !FShowOptionIndicator) return;
  TCanvas* cv = Canvas();
  TRect r = GetOptionButtonRect();
  TColor glyph = CaptionButtonFace(cv, r, FDownCustomizedBtn, FHotCustomizedBtn, FCurrentToolBarStyler);
  int Bl = r.left, Bb = r.bottom;
  Line(cv, glyph, Bl + 5, Bb - 10, Bl + 12, Bb - 10);
  Line(cv, glyph, Bl + 6, Bb - 9, Bl + 11, Bb - 9);
  Line(cv, glyph, Bl + 7, Bb - 8, Bl + 10, Bb - 8);
  Line(cv, glyph, Bl + 8, Bb - 7, Bl + 9, Bb - 7);
}
