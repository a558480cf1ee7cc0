// The pager's layout from top to bottom: caption bar, tab row, page. Tabs
// are measured, fitted into the width (spacing and margins first tightened
// to their minimum, then the widest captions cut down to a full width of
// 24, and all of it given back as room returns) and scrolled in windows of
// fitting tabs when even that is not enough.
#include <memory>

#include "ui/toolbar/bars/ToolBarPaint.h"
#include "ui/toolbar/ribbon/AdvPage.h"
#include "ui/toolbar/ribbon/AdvQuickAccessToolBar.h"
#include "ui/toolbar/ribbon/AdvToolBarPager.h"
#include "ui/toolbar/ribbon/PageScrollButton.h"

namespace {
const TRect kNone(-1, -1, -1, -1);
int RoundI(long double V) { return static_cast<int>(Round(V)); }

// A GDI+ font family for Name, "Arial" when GDI+ does not know it.
std::unique_ptr<TGPFontFamily> FamilyFor(const String& Name) {
  std::unique_ptr<TGPFontFamily> f(new TGPFontFamily(Name));
  Status s = f->GetLastStatus();
  if (s == FontFamilyNotFound || s == FontStyleNotFound) f.reset(new TGPFontFamily(L"Arial"));
  return f;
}
}  // namespace

// ---------------------------------------------------------------------------
// Rectangles

TRect TAdvToolBarPager::GetCaptionRect() {
  if (!FCaption->Visible()) return kNone;
  TRect r = ClientRect();
  r.bottom = r.top + FCaption->Height() + 1;
  return r;
}

TRect TAdvToolBarPager::GetTabsArea() {
  TRect r = ClientRect();
  if (FCaption->Visible()) r.top += FCaption->Height();
  r.bottom = r.top + FTabSettings->Height();
  return r;
}

TRect TAdvToolBarPager::GetTabsRect() {
  TRect r = ClientRect();
  if (FCaption->Visible()) r.top += FCaption->Height();
  r.top += 4;
  r.bottom = r.top + FTabSettings->Height();
  int inset = GetPageInset();
  r.left += inset + FDefTabMargin + FPageLeftMargin;
  r.right -= FTabSettings->EndMargin() + FPageRightMargin + inset;
  if (FAutoMDIButtons && !IsDesigning()) r.right -= 3 * (FMDIButtonsWidth + FMDIButtonsSpace) + 5;
  return r;
}

TRect TAdvToolBarPager::GetTabRect(int Index) {
  if (Index < 0 || Index >= AdvPageCount() || !AdvPages(Index)->TabVisible()) return kNone;
  TAdvPage* page = AdvPages(Index);
  TRect tabs = GetTabsRect();
  return TRect(page->TabLeft(), tabs.top, page->TabLeft() + page->GetTabWidth(), tabs.bottom);
}

TRect TAdvToolBarPager::GetVisibleTabRect(int Index) {
  TRect r = GetTabRect(Index);
  if (r == kNone) return kNone;
  TRect tabs = GetTabsRect();
  if (r.right <= tabs.left || r.left >= tabs.right) return kNone;
  r.left = Max<int>(r.left, tabs.left);
  r.right = Min<int>(r.right, tabs.right);
  return r;
}

TRect TAdvToolBarPager::GetPageRect() {
  TRect r = ClientRect();
  if (FCaption->Visible()) r.top += FCaption->Height();
  r.top += FTabSettings->Height();
  if (FQuickAccessToolBar && FShowQATBelow) r.bottom -= GetQATHeight();
  int inset = GetPageInset();
  r.left += inset + FPageLeftMargin;
  r.right -= inset + FPageRightMargin;
  r.bottom -= inset + 1;
  if (FIsAeroVista && GetGlobalWin7ScenicRibbon() && IsGlassActive(false)) r.bottom += 1;
  if (FItones) {
    r.left -= 1;
    r.right += 1;
    r.bottom += 1;
  }
  return r;
}

void TAdvToolBarPager::PlacePage(TAdvPage* Page) {
  if (IndexOfPage(Page) < 0) return;
  TRect r = GetPageRect();
  Page->SetBounds(r.left, r.top, r.Width(), r.Height());
}

void TAdvToolBarPager::PlaceAllPages() {
  for (int i = 0; i < AdvPageCount(); ++i) PlacePage(AdvPages(i));
}

int TAdvToolBarPager::GetPageInset() const {
  return FItones || GetGlobalWin7ScenicRibbon() ? 0 : 4;
}

// ---------------------------------------------------------------------------
// Tab groups

int TAdvToolBarPager::TabGroupOfTab(int Index) const {
  if (Index < 0 || Index >= AdvPageCount()) return -1;
  for (int g = 0; g < FTabGroups->Count(); ++g) {
    TTabGroupItem* item = FTabGroups->Items(g);
    if (item->TabIndexStart() <= Index && Index <= item->TabIndexEnd()) return g;
  }
  return -1;
}

int TAdvToolBarPager::TabGroupTabCount(int Group) const {
  if (Group < 0 || Group >= FTabGroups->Count()) return 0;
  TTabGroupItem* item = FTabGroups->Items(Group);
  return std::abs(item->TabIndexEnd() - item->TabIndexStart()) + 1;
}

TRect TAdvToolBarPager::GetTabGroupRect(int Index, bool& Visible, bool& Complete) {
  Visible = Complete = false;
  if (Index < 0 || Index >= FTabGroups->Count()) return kNone;
  TTabGroupItem* item = FTabGroups->Items(Index);
  int start = item->TabIndexStart(), end = item->TabIndexEnd();
  if (start < 0 || end < 0 || end < start || end >= AdvPageCount()) return kNone;
  bool qatInCaption = FQuickAccessToolBar && FQuickAccessToolBar->Visible() && !FShowQATBelow;
  bool qatVisible = FQuickAccessToolBar && FQuickAccessToolBar->Visible();
  TRect r = kNone;
  if (start > 0 || !qatVisible) {
    for (int i = start; i <= end; ++i) {
      TRect t = GetTabRect(i);
      if (t == kNone) continue;
      if (!Visible) {
        r = t;
        Visible = Complete = true;
      } else {
        r.right = t.right;
      }
    }
  }
  if (!Visible) return kNone;
  TRect caption = GetCaptionRect();
  r.top = caption == kNone ? ClientRect().top : caption.top;
  r.bottom = GetTabsRect().bottom;
  int spacing = FTabSettings->Spacing(), a = 0;
  bool scenic = GetGlobalWin7ScenicRibbon();
  if (spacing > 2) {
    if (FIsAeroVista && FTabSettings->Glass() && scenic) {
      r.left -= 1;
      a = 1;
    } else {
      r.left -= spacing / 2;
      r.right += spacing / 2;
      a = spacing / 2;
    }
  }
  if (scenic && FIsAeroVista) {
    int edge = GetTabsRect().right;
    if (r.right > edge && r.left < edge - a) {
      r.right = edge - 1;
      Complete = false;
    }
  } else if (FCaption->Visible() && !FCaptionButtons.Empty()) {
    TRect area = GetCaptionButtonsRect();
    if (area != kNone) {
      if (r.left > area.left) {
        Visible = Complete = false;
        return kNone;
      }
      if (r.right > area.left && r.left < area.left - a) {
        r.right = area.left - 1;
        Complete = false;
      }
    }
  }
  if (qatInCaption) {
    TRect qat = GetQATRect();
    bool drop = IsDesigning() ? r.left < qat.left + FQuickAccessToolBar->Width()
                              : r.left < FQuickAccessToolBar->Left() + FQuickAccessToolBar->Width() && start < 2;
    if (drop) {
      Visible = Complete = false;
      return kNone;
    }
  }
  return r;
}

int TAdvToolBarPager::TabAtPos(int X, int Y) {
  for (int i = 0; i < AdvPageCount(); ++i)
    if (GetTabRect(i).Contains(TPoint(X, Y))) return i;
  return -1;
}

int TAdvToolBarPager::TabGroupAtPos(int X, int Y) {
  for (int g = 0; g < FTabGroups->Count(); ++g) {
    bool visible, complete;
    if (GetTabGroupRect(g, visible, complete).Contains(TPoint(X, Y))) return g;
  }
  return -1;
}

int TAdvToolBarPager::FirstVisibleTab() const {
  for (int i = 0; i < AdvPageCount(); ++i)
    if (AdvPages(i)->TabVisible()) return i;
  return -1;
}

int TAdvToolBarPager::LastVisibleTab() const {
  for (int i = AdvPageCount() - 1; i >= 0; --i)
    if (AdvPages(i)->TabVisible()) return i;
  return -1;
}

int TAdvToolBarPager::CountVisibleTabs(int From, int To) const {
  if (From < 0 || To >= AdvPageCount() || From > To) return 0;
  int n = 0;
  for (int i = From; i <= To; ++i)
    if (AdvPages(i)->TabVisible()) ++n;
  return n;
}

void TAdvToolBarPager::InvalidateTab(int Index) {
  if (!HandleAllocated()) return;
  TRect r = Index >= 0 && Index < AdvPageCount() ? GetTabRect(Index) : GetTabsArea();
  if (r == kNone) r = GetTabsArea();
  InvalidateRect(Handle(), &r, TRUE);
}

void TAdvToolBarPager::InvalidateTabsArea() { InvalidateTab(-1); }

void TAdvToolBarPager::InvalidatePageTop() {
  TAdvPage* page = ActivePage();
  if (!page || !page->HandleAllocated()) return;
  RECT r{0, 0, page->Width(), 3};
  InvalidateRect(page->Handle(), &r, TRUE);
}

// ---------------------------------------------------------------------------
// Measuring

TCustomTabAppearance* TAdvToolBarPager::TabAppearanceFor(int Index, bool& Own) const {
  TCustomTabAppearance* appearance = CurrentTabAppearance();
  Own = appearance != FCurrentToolBarStyler->TabAppearance();
  int group = TabGroupOfTab(Index);
  if (group < 0) return appearance;
  Own = false;
  TTabGroupItem* item = FTabGroups->Items(group);
  return item->DefaultAppearance() ? FCurrentToolBarStyler->GroupAppearance()->TabAppearance()
                                   : item->GroupAppearance()->TabAppearance();
}

int TAdvToolBarPager::MeasureTabWidth(int Index, int& ClientWidth) {
  ClientWidth = 0;
  if (Index < 0 || Index >= AdvPageCount()) return 0;
  TAdvPage* page = AdvPages(Index);
  bool own = false;
  TCustomTabAppearance* appearance = TabAppearanceFor(Index, own);
  TBitmap measure(1, 1);
  TCanvas* canvas = measure.Canvas();
  canvas->Font()->Assign(appearance->Font());
  TFont* font = appearance->Font();
  int size = own ? RoundI(font->Size() * 96.0L / font->PixelsPerInch() * DPIFactor)
                 : RoundI(font->Size() * static_cast<long double>(DPIFactor));
  canvas->Font()->SetSize(size);
  int w = 0;
  const String& caption = page->Caption();
  auto gdiWidth = [canvas](const String& Text) {
    TRect r(0, 0, 1000, 100);
    canvas->TextRect(r, Text, DT_CALCRECT | DT_SINGLELINE);
    return r.Width();
  };
  if (caption.empty() && !page->WideCaption().empty()) {
    w = gdiWidth(page->WideCaption());
  } else if (!caption.empty() && FAntiAlias != TAntiAlias::aaNone) {
    TGPGraphics g(canvas->Handle());
    std::unique_ptr<TGPFontFamily> family = FamilyFor(canvas->Font()->Name());
    TFontStyles st = canvas->Font()->Style();
    int bits = (st.Contains(TFontStyle::fsBold) ? 1 : 0) | (st.Contains(TFontStyle::fsItalic) ? 2 : 0) |
               (st.Contains(TFontStyle::fsUnderline) ? 4 : 0) | (st.Contains(TFontStyle::fsStrikeOut) ? 8 : 0);
    TGPFont gpFont(family.get(), float(canvas->Font()->Size()), bits, UnitPoint);
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    TGPStringFormat format;
    format.SetHotkeyPrefix(HotkeyPrefixShow);
    g.SetTextRenderingHint(FAntiAlias == TAntiAlias::aaClearType ? TextRenderingHintClearTypeGridFit
                                                                  : TextRenderingHintAntiAlias);
    TGPRectF box{};
    g.MeasureString(caption, -1, &gpFont, TGPRectF{0, 0, 1000, 100}, &format, box);
    w = RoundI(box.Width);
  } else if (!caption.empty()) {
    w = gdiWidth(caption);
  }
  int padding = size < 7 ? 2 : size - 5;
  ClientWidth = w + padding;
  if ((FImages || FDisabledImages) && page->ImageIndex() >= 0) {
    TCustomImageList* list = !page->TabEnabled() && FDisabledImages ? FDisabledImages : FImages;
    if (!list) list = FDisabledImages;
    ClientWidth += list->Width() + 2;
  }
  int full = ClientWidth + FTabSettings->LeftMargin() + FTabSettings->RightMargin();
  if (IsGlassActive(true)) full += 6;
  return full;
}

void TAdvToolBarPager::UpdateTabWidth(int Index) {
  if (Index < 0 || Index >= AdvPageCount()) return;
  int client = 0;
  MeasureTabWidth(Index, client);
  AdvPages(Index)->SetTabClientWidth(client);
  AdvPages(Index)->SetTabRealClientWidth(client);
}

void TAdvToolBarPager::ResetTabLayout() {
  FCurrentTabSpacing = FTabSettings->Spacing();
  FCurrentTabLeftMargin = FCurrentGroupTabLeftMargin = FTabSettings->LeftMargin();
  FCurrentTabRightMargin = FCurrentGroupTabRightMargin = FTabSettings->RightMargin();
  for (int i = 0; i < AdvPageCount(); ++i) UpdateTabWidth(i);
  LayoutTabLefts();
  ComputeTabGroupMargins();
  ResetTabScroll();
}

void TAdvToolBarPager::ComputeTabGroupMargins() {
  for (int g = 0; g < FTabGroups->Count(); ++g) {
    TTabGroupItem* item = FTabGroups->Items(g);
    item->SetTabExtraXMargin(0);
    item->SetTabCurrentExtraXMargin(0);
  }
  if (IsDesigning()) return;
  TBitmap measure(1, 1);
  for (int g = 0; g < FTabGroups->Count(); ++g) {
    TTabGroupItem* item = FTabGroups->Items(g);
    TGroupAppearance* appearance =
        item->DefaultAppearance() ? FCurrentToolBarStyler->GroupAppearance() : item->GroupAppearance();
    bool visible, complete;
    TRect r = GetTabGroupRect(g, visible, complete);
    if (!visible || !complete) continue;
    const String& text = item->Caption().empty() ? item->WideCaption() : item->Caption();
    int w = GetTextWidthGdip(measure.Canvas(), text, appearance->Font(), TAntiAlias::aaAntiAlias) + 26;
    int d = r.Width() - w;
    if (d >= 0) continue;
    d = -d;
    if (d % 2) ++d;
    int tabs = TabGroupTabCount(g);
    if (tabs > 0) d /= tabs;
    d /= 2;
    item->SetTabExtraXMargin(d);
    item->SetTabCurrentExtraXMargin(d);
  }
  LayoutTabLefts();
}

// ---------------------------------------------------------------------------
// Lefts and widths

void TAdvToolBarPager::LayoutTabLefts() {
  int x = GetTabsRect().left;
  for (int i = 0; i < AdvPageCount(); ++i) {
    TAdvPage* page = AdvPages(i);
    if (!page->TabVisible()) continue;
    page->SetTabLeft(x);
    x += page->GetTabWidth() + FCurrentTabSpacing;
  }
}

void TAdvToolBarPager::RelayoutTabs(int From, int To) {
  if (From < 0) From = 0;
  if (To >= AdvPageCount()) To = AdvPageCount() - 1;
  TAdvPage* previous = nullptr;
  for (int i = From; i <= To; ++i) {
    TAdvPage* page = AdvPages(i);
    if (!page->TabVisible()) continue;
    if (previous) page->SetTabLeft(previous->TabLeft() + previous->GetTabWidth() + FCurrentTabSpacing);
    previous = page;
  }
}

int TAdvToolBarPager::GetTabsWidth(int From, int To) const {
  int w = 0, last = AdvPageCount() - 1;
  if (From < 0) From = 0;
  if (To > last) To = last;
  for (int i = From; i <= To; ++i) {
    TAdvPage* page = AdvPages(i);
    if (!page->TabVisible()) continue;
    w += page->GetTabWidth();
    if (i < last) w += FCurrentTabSpacing;
  }
  return w;
}

int TAdvToolBarPager::CutWidth(bool Grouped) const {
  int cut = 0;
  for (int i = 0; i < AdvPageCount(); ++i) {
    TAdvPage* page = AdvPages(i);
    if (page->TabVisible() && (TabGroupOfTab(i) >= 0) == Grouped)
      cut += page->TabRealClientWidth() - page->TabClientWidth();
  }
  return cut;
}

// ---------------------------------------------------------------------------
// Fitting

void TAdvToolBarPager::FitTabs() {
  if (AdvPageCount() == 0 || !FPropertiesLoaded) return;
  int avail = GetTabsRect().Width();
  int total = GetTotalTabsWidth();
  int grouped = CutWidth(true);
  if (total == avail && grouped > 0) avail += Min<int>(5, grouped);
  if (total > avail)
    ShrinkTabs(avail);
  else if (total < avail)
    GrowTabs(avail);
}

void TAdvToolBarPager::ShrinkTabs(int Avail) {
  auto over = [&] {
    RelayoutTabs();
    return GetTotalTabsWidth() - Avail;
  };
  int minSpacing = FTabSettings->MinSpacing(), minMargin = FTabSettings->MinMargin();
  int o = over();
  // Spacing.
  while (o > 0 && FCurrentTabSpacing > minSpacing) {
    --FCurrentTabSpacing;
    o = over();
  }
  // Tab margins, then the margins of grouped tabs.
  auto margins = [&](int& Left, int& Right) {
    while (o > 0 && (Left > minMargin || Right > minMargin)) {
      if (Left > minMargin) {
        --Left;
        if ((o = over()) <= 0) return;
      }
      if (Right > minMargin) {
        --Right;
        o = over();
      }
    }
  };
  margins(FCurrentTabLeftMargin, FCurrentTabRightMargin);
  margins(FCurrentGroupTabLeftMargin, FCurrentGroupTabRightMargin);
  // The extra margins of tab groups, one pixel per group and pass.
  if (FTabGroups->Count() > 0) {
    bool changed = true;
    while (o > 0 && changed) {
      changed = false;
      for (int g = 0; g < FTabGroups->Count() && o > 0; ++g) {
        TTabGroupItem* item = FTabGroups->Items(g);
        if (item->TabCurrentExtraXMargin() <= 0) continue;
        item->SetTabCurrentExtraXMargin(item->TabCurrentExtraXMargin() - 1);
        changed = true;
        o = over();
      }
    }
  }
  if (o <= 0) return;
  // Cutting captions: the widest tab loses up to 5 pixels per step, never
  // going below a full width of 24.
  const int minWidth = GetMinTabWidth();
  auto cutWidest = [&](bool AllTabs) {
    int total = GetTotalTabsWidth();
    for (int n = 0; n < total && o > 0; ++n) {
      int widest = -1;
      for (int i = 0; i < AdvPageCount(); ++i) {
        TAdvPage* page = AdvPages(i);
        if (!page->TabVisible() || (!AllTabs && TabGroupOfTab(i) >= 0)) continue;
        if (widest < 0 || page->GetTabWidth() > AdvPages(widest)->GetTabWidth()) widest = i;
      }
      if (widest < 0) return;
      TAdvPage* page = AdvPages(widest);
      if (AllTabs && TabGroupOfTab(widest) < 0) return;
      int full = page->GetTabWidth();
      if (full <= minWidth) return;
      int cut = Min<int>(full - minWidth, Min<int>(o, 5));
      page->SetTabClientWidth(page->TabClientWidth() - cut);
      RelayoutTabs();
      o -= cut;
    }
  };
  bool wideUngrouped = false;
  for (int i = 0; i < AdvPageCount(); ++i)
    if (AdvPages(i)->TabVisible() && TabGroupOfTab(i) < 0 && AdvPages(i)->GetTabWidth() > minWidth)
      wideUngrouped = true;
  if (wideUngrouped) {
    cutWidest(false);
  } else {
    o -= 5;
    if (o > 0) cutWidest(true);
  }
}

void TAdvToolBarPager::GrowTabs(int Avail) {
  auto freeRoom = [&] {
    RelayoutTabs();
    return Avail - GetTotalTabsWidth();
  };
  int f = freeRoom();
  auto anyCut = [&] {
    for (int i = 0; i < AdvPageCount(); ++i) {
      TAdvPage* page = AdvPages(i);
      if (page->TabVisible() && page->TabClientWidth() < page->TabRealClientWidth()) return true;
    }
    return false;
  };
  // Cut tabs get their width back first, narrowest first, grouped tabs
  // before the others.
  if (anyCut()) {
    int grouped = CutWidth(true);
    if (f < grouped) f += Min<int>(5, grouped - f);
    int total = GetTotalTabsWidth();
    for (int n = 0; n < total && f > 0; ++n) {
      int pick = -1;
      bool pickGrouped = false;
      for (int i = 0; i < AdvPageCount(); ++i) {
        TAdvPage* page = AdvPages(i);
        if (!page->TabVisible() || page->TabClientWidth() >= page->TabRealClientWidth()) continue;
        bool grouped = TabGroupOfTab(i) >= 0;
        if (pick < 0 || (grouped && !pickGrouped) ||
            (grouped == pickGrouped && page->GetTabWidth() < AdvPages(pick)->GetTabWidth())) {
          pick = i;
          pickGrouped = grouped;
        }
      }
      if (pick < 0) break;
      TAdvPage* page = AdvPages(pick);
      int give = Min<int>(page->TabRealClientWidth() - page->TabClientWidth(), Min<int>(f, 5));
      page->SetTabClientWidth(page->TabClientWidth() + give);
      RelayoutTabs();
      f -= give;
    }
    if (anyCut()) return;
    f = freeRoom();
  }
  // Spacing.
  while (f > 0 && FCurrentTabSpacing < FTabSettings->Spacing()) {
    ++FCurrentTabSpacing;
    if ((f = freeRoom()) < 0) {
      --FCurrentTabSpacing;
      f = freeRoom();
      break;
    }
  }
  // One margin one pixel up, taken back when it does not fit; false when
  // the stage ends.
  auto widen = [&](int& Margin) {
    ++Margin;
    if ((f = freeRoom()) < 0) {
      --Margin;
      f = freeRoom();
      return false;
    }
    return f > 0;
  };
  auto margins = [&](int& Left, int& Right) {
    int leftLimit = FTabSettings->LeftMargin(), rightLimit = FTabSettings->RightMargin();
    while (f > 0 && (Left < leftLimit || Right < rightLimit)) {
      if (Left < leftLimit && !widen(Left)) return;
      if (Right < rightLimit && !widen(Right)) return;
    }
  };
  margins(FCurrentGroupTabLeftMargin, FCurrentGroupTabRightMargin);
  // The extra margins of tab groups.
  bool changed = true;
  while (f > 0 && changed) {
    changed = false;
    for (int g = 0; g < FTabGroups->Count() && f > 0; ++g) {
      TTabGroupItem* item = FTabGroups->Items(g);
      if (item->TabCurrentExtraXMargin() >= item->TabExtraXMargin()) continue;
      item->SetTabCurrentExtraXMargin(item->TabCurrentExtraXMargin() + 1);
      if ((f = freeRoom()) < 0) {
        item->SetTabCurrentExtraXMargin(item->TabCurrentExtraXMargin() - 1);
        f = freeRoom();
        changed = false;
        break;
      }
      changed = true;
    }
  }
  margins(FCurrentTabLeftMargin, FCurrentTabRightMargin);
}

void TAdvToolBarPager::UpdateLayout() {
  PlaceAllPages();
  FitTabs();
  ResetTabScroll();
  UpdateOwnButtons(false);
  if (auto* qat = dynamic_cast<TAdvCustomQuickAccessToolBar*>(FQuickAccessToolBar)) {
    qat->UpdateSize();
    qat->UpdateControlsPos(false);
    qat->ArrangeQATControls();
  }
}

// ---------------------------------------------------------------------------
// Scrolling

int TAdvToolBarPager::CountFittingTabs(int From, bool Forward, int& Last) {
  if (From < 0 || From >= AdvPageCount()) return 0;
  TRect tabs = GetTabsRect();
  int x = tabs.left, n = 0;
  for (int i = From; Forward ? i < AdvPageCount() : i >= 0; i += Forward ? 1 : -1) {
    TAdvPage* page = AdvPages(i);
    if (!page->TabVisible()) continue;
    int w = page->GetTabWidth();
    if (x + w >= tabs.right) break;
    ++n;
    Last = i;
    x += w + FCurrentTabSpacing;
  }
  return n;
}

void TAdvToolBarPager::ResetTabScroll() {
  FStartTabIndex = 0;
  FTabScroller->SetMin(0);
  FTabScroller->SetMax(0);
  FTabScroller->SetPosition(0);
  LayoutTabLefts();
  UpdateTabScrollButtons();
}

void TAdvToolBarPager::UpdateTabScrollButtons() {
  if (AdvPageCount() == 0 || IsDesigning() || IsLoading()) return;
  int steps = 0;
  if (GetTabsRect().Width() < GetTotalTabsWidth()) {
    int visible = CountVisibleTabs(0, AdvPageCount() - 1);
    int start = 0, sum = 0, windows = 0;
    steps = AdvPageCount();
    while (start < AdvPageCount() && windows <= AdvPageCount()) {
      int last = start;
      sum += Max<int>(1, CountFittingTabs(start, true, last));
      ++windows;
      if (sum >= visible) {
        steps = windows - 1;
        break;
      }
      start = last + 1;
    }
  }
  FTabScroller->SetMax(steps);
  FTabScroller->SetPosition(Min<int>(FTabScroller->Position(), FTabScroller->Max()));
  UpdateScrollButton(FLeftScrollBtn, FTabScroller->CanGoBack(), true);
  UpdateScrollButton(FRightScrollBtn, FTabScroller->CanGoForward(), false);
}

void TAdvToolBarPager::UpdateScrollButton(TAdvPageScrollButton*& Button, bool Show, bool Left) {
  if (!Show) {
    if (Button) Button->SetVisible(false);
    return;
  }
  TRect tabs = GetTabsRect();
  if (!Button) {
    Button = new TAdvPageScrollButton(this);
    Button->SetParent(this);
    Button->SetButtonPosition(Left ? TButtonPosition::bpLeft : TButtonPosition::bpRight);
    Button->SetScrollArrow(Left ? TScrollArrow::saLeft : TScrollArrow::saRight);
    Button->OnClick = [this, Left](TObject*) { ScrollTabs(Left ? -1 : 1); };
  }
  int w = RoundI(12.0L * DPIFactor);
  Button->SetBounds(Left ? tabs.left : tabs.right - w, tabs.top, w, tabs.Height() - 5);
  Button->SetVisible(true);
  Button->BringToFront();
  Button->Appearance()->Assign(FItones && FGlowButtonAppearance ? FGlowButtonAppearance.Get()
                                                                  : FCurrentToolBarStyler->GlowButtonAppearance());
}

int TAdvToolBarPager::ScrollTabs(int N) {
  if (N == 0) return 0;
  int steps = 0;
  if (N > 0) {
    int k = Min<int>(N, FTabScroller->Max() - FTabScroller->Position());
    if (!FTabScroller->CanGoForward() || k <= 0) return 0;
    FTabScroller->SetPosition(FTabScroller->Position() + k);
    int start = FStartTabIndex, last = start;
    for (int i = 0; i < k && start < AdvPageCount(); ++i) {
      CountFittingTabs(start, true, last);
      start = last + 1;
    }
    ScrollToTab(last + 1);
    steps = k;
  } else {
    int k = Min<int>(-N, FTabScroller->Position() - FTabScroller->Min());
    steps = -k;
    if (!FTabScroller->CanGoBack() || steps >= 0 || FStartTabIndex <= 0) return steps;
    FTabScroller->SetPosition(FTabScroller->Position() - k);
    int start = FStartTabIndex - 1;
    for (int i = 0; i < k; ++i) {
      int last = start;
      CountFittingTabs(start, false, last);
      start = last - 1;
      if (start <= 0) {
        start = 0;
        break;
      }
    }
    ScrollToTab(start);
  }
  InvalidatePageTop();
  return steps;
}

void TAdvToolBarPager::ScrollToTab(int Index) {
  if (Index < 0 || Index >= AdvPageCount()) return;
  TRect tabs = GetTabsRect();
  int step = 5;
  auto shift = [&](int Dx) {
    for (int i = 0; i < AdvPageCount(); ++i) AdvPages(i)->SetTabLeft(AdvPages(i)->TabLeft() + Dx);
    InvalidateTabsArea();
  };
  if (Index > FStartTabIndex) {
    int last = 0;
    while (Index > 0 && CountFittingTabs(Index - 1, true, last) > CountFittingTabs(Index, true, last)) --Index;
    if (Index <= FStartTabIndex) return;
    int lastTab = LastVisibleTab();
    for (bool done = false; !done;) {
      int edge = GetTabRect(lastTab).right;
      if (edge - step <= tabs.right) {
        step = edge - tabs.right;
        done = true;
      }
      int left = AdvPages(Index)->TabLeft();
      if (left - step <= tabs.left) {
        step = left - tabs.left;
        done = true;
      }
      shift(-step);
    }
  } else if (Index < FStartTabIndex) {
    for (bool done = false; !done;) {
      int left = AdvPages(Index)->TabLeft();
      if (left + step >= tabs.left) {
        step = tabs.left - left;
        done = true;
      }
      shift(step);
    }
  }
  FStartTabIndex = Index;
  UpdateTabScrollButtons();
}
