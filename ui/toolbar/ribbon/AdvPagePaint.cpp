// The page's background (the styler's page colours, or those of the tab
// group its tab belongs to), its joint with the active tab, the corners
// taken from the pager behind it, the branding picture, and the glow of
// its tab that the pager's tab painting blends by.
#include "ui/toolbar/bars/ButtonFaces.h"
#include "ui/toolbar/bars/ToolBarPaint.h"
#include "ui/toolbar/ribbon/AdvPage.h"

namespace {
void Line(TCanvas* Canvas, TColor Color, int X1, int Y1, int X2, int Y2) {
  Canvas->Pen()->SetColor(Color);
  Canvas->Pen()->SetWidth(1);
  Canvas->MoveTo(X1, Y1);
  Canvas->LineTo(X2, Y2);
}
}  // namespace

void TAdvPage::Paint() {
  TAdvToolBarPager* pager = FAdvToolBarPager;
  if (!pager || !pager->CurrentToolBarStyler() || FUpdateCount > 0) return;
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  if (r.IsEmpty()) return;
  TBitmap bitmap(r.Width(), r.Height());
  PaintBackground(bitmap.Canvas(), r);
  canvas->Draw(r.left, r.top, &bitmap);
}

void TAdvPage::PaintBackground(TCanvas* C, const TRect& R) {
  TAdvToolBarPager* pager = FAdvToolBarPager;
  TCustomAdvToolBarStyler* styler = pager->CurrentToolBarStyler();
  bool tones = pager->Itones();
  TVistaPageBackground* pa = styler->PageAppearance();
  TCustomTabAppearance* ta = styler->TabAppearance();
  if (tones && pager->OwnPageAppearance() && pager->OwnTabAppearance()) {
    pa = pager->OwnPageAppearance();
    ta = pager->OwnTabAppearance();
  }
  if (pa->Color() != Color()) SetColor(pa->Color());
  TColor c = pa->Color(), b = ta->BorderColor(), d = pa->ShadowColor();
  bool scenic = GetGlobalWin7ScenicRibbon();
  int index = PageIndex();
  bool active = index >= 0 && index == pager->ActivePageIndex();
  int group = pager->TabGroupOfTab(index);
  TGroupAppearance* ga = nullptr;
  if (group >= 0) {
    TTabGroupItem* item = pager->TabGroups()->Items(group);
    ga = item->DefaultAppearance() ? styler->GroupAppearance() : item->GroupAppearance();
  }
  int w = R.Width(), h = R.Height();
  if (active && ga && pager->GroupStyle() == TGroupStyle::gsClassic) {
    TVistaPageBackground* gp = ga->PageAppearance();
    c = gp->Color(), b = ga->BorderColor(), d = gp->ShadowColor();
    DrawButtonFace(C, TRect(0, 0, w, h), gp->Color(), gp->ColorTo(), gp->ColorMirror(), gp->ColorMirrorTo(),
                   gp->BorderColor(), gp->Gradient(), gp->GradientMirror(), !scenic && styler->RoundEdges());
    if (scenic) Line(C, ga->BorderColor(), 0, 0, w, 0);
  } else {
    if (tones) {
      DrawSplitBackground(C, TRect(0, 0, w, h), 22, pa->Color(), pa->ColorTo(), pa->ColorMirror(),
                          pa->ColorMirrorTo(), clNone, 0);
      TGPGraphics g(C->Handle());
      g.SetSmoothingMode(SmoothingModeAntiAlias);
      TGPPen pen(ColorToARGB(pa->BorderColor()), 1.0f);
      g.DrawLine(&pen, 0.0f, float(h - 1), float(w), float(h - 1));
      g.DrawLine(&pen, 0.0f, 0.0f, float(w), 0.0f);
    } else {
      DrawSplitBackground(C, TRect(0, 0, w, h), 22, pa->Color(), pa->ColorTo(), pa->ColorMirror(),
                          pa->ColorMirrorTo(), pa->BorderColor(), GetCornerRounding());
    }
    if (active && ga && pager->GroupStyle() == TGroupStyle::gsWindows8) Line(C, ga->BorderColor(), 0, 0, w, 0);
    if (!tones) {
      if ((!pager->IsAeroVista() || !pager->IsGlassActive(true)) && d != clNone) Line(C, d, 2, h - 1, w - 2, h - 1);
      if (!scenic) {
        TColor hl = pa->HighLightColor();
        Line(C, hl, 1, 10, 1, h - 2);
        Line(C, hl, w - 2, 10, w - 2, h - 2);
        Line(C, hl, 3, h - 2, w - 2, h - 2);
      }
    }
  }
  // The border under the active tab opens into the tab.
  if (active) {
    TRect t = pager->GetVisibleTabRect(index);
    if (t.left > 0 && t.right > 0) {
      if (pager->TabSettings()->Height() > 0 && !pager->MenuFrameShown()) {
        int shift = GetPageInset() + pager->PageLeftMargin();
        Line(C, c, t.left - shift, 0, t.right - shift, 0);
      }
      if (styler->RoundEdges() && !tones && !scenic && pager->HandleAllocated()) {
        HDC dc = GetDC(pager->Handle());
        auto at = [dc](int X, int Y) { return static_cast<TColor>(GetPixel(dc, X, Y)); };
        int l = Left(), t0 = Top(), pw = Width(), ph = Height();
        C->SetPixels(0, 0, at(l - 1, t0 - 1));
        C->SetPixels(1, 0, at(l + 1, t0 - 1));
        C->SetPixels(0, 1, at(l - 1, t0));
        TColor bl = at(l - 1, t0 + ph), tr = at(l + pw + 1, t0), br = at(l + pw + 1, t0 + ph);
        C->SetPixels(0, h - 1, bl), C->SetPixels(1, h - 1, bl), C->SetPixels(0, h - 2, bl);
        C->SetPixels(w - 1, 0, tr), C->SetPixels(w - 2, 0, tr), C->SetPixels(w - 1, 1, tr);
        C->SetPixels(w - 1, h - 1, br), C->SetPixels(w - 2, h - 1, br), C->SetPixels(w - 1, h - 2, br);
        ReleaseDC(pager->Handle(), dc);
      }
    }
  }
  // The glass foot.
  if (scenic && pager->IsGlassActive(false) && pager->IsAeroVista()) {
    Line(C, b, 0, h - 3, w, h - 3);
    Line(C, BlendColor(d, c, 70), 0, h - 2, w, h - 2);
    Line(C, BlendColor(d, c, 50), 0, h - 1, w, h - 1);
  }
  // The branding picture, unless the last group reaches it.
  TGDIPPicture* brand = pager->BrandingPicture();
  if (brand && !brand->Empty()) {
    int y = (h - brand->Height()) / 2;
    int x = w - brand->Width() - y;
    int groupsEnd = 0;
    if (AdvToolBarCount() > 0) {
      TControl* last = reinterpret_cast<TControl*>(FAdvToolBars->Items(AdvToolBarCount() - 1));
      groupsEnd = last->Left() + last->Width();
    }
    if (groupsEnd < x) C->Draw(x, y, brand);
  }
}

void TAdvPage::GlowTimerTick(TObject*) {
  TAdvToolBarPager* pager = FAdvToolBarPager;
  auto stop = [this] {
    TTimer* timer = FTimer;
    FTimer = nullptr;
    FGlowState = TGlowState::gsNone;
    if (timer) timer->Free();
  };
  switch (FGlowState) {
    case TGlowState::gsHover: {
      FStepHover += FTimeInc;
      if (FStepHover > 100 && FTimeInc > 0 && pager) {
        FStepHover = 120;
        FStepPush = 0;
        TPoint p;
        GetCursorPos(&p);
        if (!pager->GetTabRect(this).Contains(pager->ScreenToClient(p))) {
          FTimeInc = -20;
          pager->SetHotPageIndex(-1);
        }
        return;
      }
      if (FStepHover < 0 && FTimeInc < 0) {
        FStepHover = -20;
        FStepPush = 0;
        stop();
        if (pager) pager->InvalidateTabsArea();
        return;
      }
      if (pager) pager->InvalidateTabsArea();
      return;
    }
    case TGlowState::gsPush:
      FStepPush += FTimeInc;
      if ((FStepPush > 100 && FTimeInc > 0) || (FStepPush < 0 && FTimeInc < 0)) {
        FStepPush = 0;
        stop();
        return;
      }
      if (pager) pager->InvalidateTabsArea();
      return;
    case TGlowState::gsNone:
      return;
  }
}
