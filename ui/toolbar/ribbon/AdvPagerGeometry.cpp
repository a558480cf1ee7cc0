// The areas around the pager's caption bar and tab row (caption buttons,
// quick access toolbar, MDI, help and expand buttons), the glass tests
// that painting asks, and the window region of the glass frame.
#include "ui/toolbar/ribbon/AdvPage.h"
#include "ui/toolbar/ribbon/AdvToolBarPager.h"

TAdvToolBarPager* PagerHoldingMDIForm();
int PagerCaptionButtonSize();

namespace {
const TRect kNone(-1, -1, -1, -1);
int RoundI(long double V) { return static_cast<int>(Round(V)); }
}  // namespace

// ---------------------------------------------------------------------------
// Glass

bool TAdvToolBarPager::IsMaximizedShadedGlass() {
  TCustomForm* form = ParentForm();
  return FIsAeroVista && form && form->WindowState() == TWindowState::wsMaximized && FIsWin7 &&
         FTabSettings->Glass() && !IsDesigning() && FTabBackGroundShaded;
}

bool TAdvToolBarPager::IsGlassActive(bool CheckMaximized) {
  if (!FTabSettings->Glass() || !FIsAeroVista || !GetGlobalWin7ScenicRibbon() || IsDesigning() ||
      FGroupStyle == TGroupStyle::gsWindows8)
    return false;
  if (!CheckMaximized || IsMaximizedShadedGlass()) return true;
  TCustomForm* form = ParentForm();
  return form && form->WindowState() != TWindowState::wsMaximized;
}

bool TAdvToolBarPager::GetShow3D() const { return FItones ? FShow3D : FCurrentToolBarStyler->Show3D(); }

bool TAdvToolBarPager::GetShowShadow() const { return FItones ? FShadow : FCurrentToolBarStyler->ShowShadow(); }

void TAdvToolBarPager::RemoveWindowRegion() {
  if (!HandleAllocated()) return;
  SetWindowRgn(Handle(), nullptr, TRUE);
  FRegionSet = false;
}

namespace {
// Pixels per inch of the caption-button corner: the screen's on a ribbon
// form with a window, else 96.
int CornerPpi(bool RibbonForm, bool HasWindow) { return RibbonForm && HasWindow ? ScreenLogPixelsX : 96; }
}  // namespace

void TAdvToolBarPager::SetAeroRegion() {
  if (!FIsAeroVista || !HandleAllocated()) return;
  RemoveWindowRegion();
  int p = CornerPpi(ParentIsRibbonForm(), true);
  int base = IsDesigning() ? 100 : FIsWin10 ? 130 : FIsWin7 ? 110 : 100;
  int w = RoundI(base * static_cast<long double>(p) / 96);
  int c = IsMaximizedShadedGlass() ? RoundI(p * 25.0L / 96) : RoundI(p * 22.0L / 96);
  c = Min<int>(c, ScaledCaptionHeight - 5);
  int width = Width(), height = Height();
  POINT points[7] = {{0, 0}, {width - w, 0}, {width - w, c}, {width, c}, {width, height}, {0, height}, {0, 0}};
  HRGN region = CreatePolygonRgn(points, 7, WINDING);
  if (region && SetWindowRgn(Handle(), region, TRUE)) FRegionSet = true;
}

// ---------------------------------------------------------------------------
// Areas

TRect TAdvToolBarPager::GetCaptionButtonsRect() {
  if (FIsAeroVista) {
    int p = CornerPpi(ParentIsRibbonForm(), HandleAllocated());
    int base = IsDesigning() ? 100 : FIsWin10 ? 135 : FIsWin7 ? 110 : 100;
    int w = RoundI(base * static_cast<long double>(p) / 96);
    int h = IsMaximizedShadedGlass() ? Min<int>(ScaledCaptionHeight - 5, RoundI(p * 25.0L / 96))
                                     : RoundI(p * 22.0L / 96);
    return TRect(Width() - w, 0, Width(), h);
  }
  if (!FCaption->Visible() || FCaptionButtons.Empty()) return kNone;
  // Where the three caption buttons stand: close at the right, maximize and
  // minimize 2 pixels apart to its left, each S x S.
  int s = PagerCaptionButtonSize();
  int inset = GetPageInset();
  int closeLeft = Width() - inset - s - 2;
  int minLeft = closeLeft - 2 * (s + 2);
  int top = GetCaptionRect().top + inset + (FItones ? 4 : 0);
  return TRect(minLeft, top, closeLeft + s, top + s);
}

int TAdvToolBarPager::GetQATHeight() {
  if (ParentIsRibbonForm()) return FCaption->Height() - 2;
  return FQuickAccessToolBar ? FQuickAccessToolBar->Height() : 32;
}

TRect TAdvToolBarPager::GetQATRect() {
  if (!FQuickAccessToolBar) return kNone;
  int qh = GetQATHeight();
  TRect client = ClientRect();
  if (FShowQATBelow) {
    TRect r(client.left, client.bottom - qh, client.right, client.bottom);
    if (!(IsGlassActive(false) && GetGlobalWin7ScenicRibbon())) {
      r.left += 2;
      r.right -= 2;
    }
    return r;
  }
  if (!FCaption->Visible()) return kNone;
  int room = FCaption->MinWidth();
  if (!FCaptionButtons.Empty()) room += Width() - GetCaptionButtonsRect().left + 2;
  room = Min<int>(room, Width());
  TRect caption = GetCaptionRect();
  int x0 = 5, top = caption.bottom - qh;
  if (!GetGlobalWin7ScenicRibbon() && !FItones) {
    x0 = FDefTabMargin - 6;
  } else if (IsMaximizedShadedGlass()) {
    x0 = 7;
    top += 5;
  }
  TRect r(x0, top, Width() - room, caption.bottom);
  if (!IsDesigning() && !FHideState) {
    // The leftmost tab-group strip of a group beyond the second tab limits it.
    TRect area = GetTabsArea();
    int limit = -1;
    for (int g = 0; g < FTabGroups->Count(); ++g) {
      if (FTabGroups->Items(g)->TabIndexStart() <= 1) continue;
      bool visible, complete;
      TRect strip = GetTabGroupRect(g, visible, complete);
      if (!visible || strip.left < area.left || strip.right > area.right) continue;
      if (limit < 0 || strip.left < limit) limit = strip.left;
    }
    if (limit >= 0 && limit < r.right) r.right = Max<int>(limit, r.left + 60);
  }
  return r;
}

TRect TAdvToolBarPager::GetMDIButtonsRect() {
  if (!FMDIButtonsVisible || !FAutoMDIButtons) return kNone;
  TRect tabs = GetTabsRect();
  int left = tabs.right + 2;
  return TRect(left, tabs.top, left + 3 * (FMDIButtonsWidth + FMDIButtonsSpace), tabs.bottom);
}

TRect TAdvToolBarPager::GetHelpButtonRect() {
  if (!FShowHelpButton) return kNone;
  int a = RoundI(20.0L * DPIFactor);
  TRect area = GetTabsArea();
  int top = area.top + (area.Height() - a) / 2 + 1;
  int right = area.right - (GetPageInset() + 2);
  TAdvToolBarPager* mdi = PagerHoldingMDIForm();
  if (mdi && mdi->FMDIButtonsVisible) right = mdi->GetMDIButtonsRect().left - 2;
  return TRect(right - a, top, right, top + a);
}

TRect TAdvToolBarPager::GetExpandCollapseButtonRect() {
  if (!FShowExpandCollapsButton) return kNone;
  int a = RoundI(20.0L * DPIFactor);
  TRect area = GetTabsArea();
  int top = area.top + (area.Height() - a) / 2 + 1;
  int right;
  if (FShowHelpButton) {
    right = GetHelpButtonRect().left - 1;
  } else {
    right = area.right - (GetPageInset() + 2);
    TAdvToolBarPager* mdi = PagerHoldingMDIForm();
    if (mdi && mdi->FMDIButtonsVisible) right = mdi->GetMDIButtonsRect().left - 2;
  }
  return TRect(right - a, top, right, top + a);
}
