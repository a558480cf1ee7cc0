// The ribbon page: its tab data, its list of groups, placing and fitting
// the groups into its width, scrolling them, key tips, parenting and the
// copy that the floating ribbon shows.
#include "ui/toolbar/ribbon/AdvPage.h"

#include "base/Forms.h"
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/toolbar/bars/AdvToolBar.h"
#include "ui/toolbar/ribbon/PageScrollButton.h"

namespace {
int RoundI(long double V) { return static_cast<int>(Round(V)); }
bool IsClassNamed(const TObject* Object, const wchar_t* Name) { return Object && Object->ClassName() == Name; }
// Beyond any real page: the fitting loops stop after this many steps.
constexpr int kMaxFitSteps = 10000;

// Sets a flag for a scope and puts its old value back.
struct TFlag {
  bool& Flag;
  bool Old;
  explicit TFlag(bool& F) : Flag(F), Old(F) { Flag = true; }
  ~TFlag() { Flag = Old; }
};
}  // namespace

TAdvPage::TAdvPage(TComponent* AOwner) : TCustomControl(AOwner) {
  TControlStyle style = ControlStyle();
  style.Include(TControlStyleItem::csAcceptsControls);
  style.Exclude(TControlStyleItem::csOpaque);
  SetControlStyle(style);
  SetDoubleBuffered(true);
  FAdvToolBars = new TDbgList();
  FOfficeHint = new TAdvHintInfo();
  FToolBarScroller = new TATBTabScroller();
  FOldWidth = Width();
}

void TAdvPage::Destroy() {
  DestroyClone();
  if (FAdvToolBarPager) FAdvToolBarPager->RemoveAdvPage(this);
  if (FShortCutHint && FAdvToolBarPager) FAdvToolBarPager->FreeShortCutHintWindow(FShortCutHint);
  FShortCutHint = nullptr;
  TCustomControl::Destroy();
}

void TAdvPage::Loaded() {
  TCustomControl::Loaded();
  FAdvToolBars->Clear();
  CollectAllToolBarsByLeft(FAdvToolBars);
  PositionToolBars();
  UpdateAllToolBars();
}

// ---------------------------------------------------------------------------
// Tab data

void TAdvPage::TabChanged(bool Refit) {
  if (!FAdvToolBarPager) return;
  TAdvToolBarPager* pager = FAdvToolBarPager;
  if (Refit) {
    pager->ResetTabLayout();
    pager->FitTabs();
    pager->ResetTabScroll();
  }
  pager->Invalidate();
}

void TAdvPage::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  TabChanged(true);
  if (FAdvToolBarPager && FAdvToolBarPager->IsAeroVista() && IsInTabGroup()) {
    TWinControl* form = FAdvToolBarPager->Parent();
    if (IsClassNamed(form, L"TAdvToolBarForm")) {
      form->SetWidth(form->Width() - 1);
      form->SetWidth(form->Width() + 1);
    }
  }
  Invalidate();
}

void TAdvPage::SetWideCaption(const String& Value) {
  if (FWideCaption == Value) return;
  FWideCaption = Value;
  TabChanged(true);
  Invalidate();
}

void TAdvPage::SetImageIndex(int Value) {
  FImageIndex = Value;
  TabChanged(true);
}

void TAdvPage::SetTabVisible(bool Value) {
  if (FTabVisible == Value) return;
  FTabVisible = Value;
  if (!Value) HideCompactWindowOfAdvToolBars();
  TabChanged(true);
  if (FAdvToolBarPager)
    if (TAdvPage* active = FAdvToolBarPager->ActivePage()) active->Invalidate();
  Invalidate();
}

void TAdvPage::SetTabEnabled(bool Value) {
  if (FTabEnabled == Value) return;
  FTabEnabled = Value;
  Invalidate();
  if (FAdvToolBarPager) FAdvToolBarPager->Invalidate();
}

int TAdvPage::PageIndex() const { return FAdvToolBarPager ? FAdvToolBarPager->IndexOfPage(const_cast<TAdvPage*>(this)) : -1; }

void TAdvPage::SetPageIndex(int Value) {
  if (!FAdvToolBarPager || Value < 0 || Value >= FAdvToolBarPager->AdvPageCount()) return;
  FAdvToolBarPager->MoveAdvPage(PageIndex(), Value);
  FAdvToolBarPager->LayoutTabLefts();
  FAdvToolBarPager->Invalidate();
  Invalidate();
}

void TAdvPage::SetAdvToolBarPager(TAdvToolBarPager* Value) {
  if (Value == FAdvToolBarPager) return;
  if (FAdvToolBarPager) FAdvToolBarPager->RemoveAdvPage(this);
  FAdvToolBarPager = nullptr;
  if (Value) {
    if (Parent() != Value) {
      TFlag updating(FUpdatingParent);
      SetParent(Value);
    }
    Value->AddAdvPage(this);
  }
}

int TAdvPage::GetTabWidth() const {
  if (!FAdvToolBarPager) return FTabClientWidth;
  TAdvToolBarPager* p = FAdvToolBarPager;
  int group = p->TabGroupOfTab(PageIndex());
  if (group < 0) return FTabClientWidth + p->CurrentTabLeftMargin() + p->CurrentTabRightMargin();
  return FTabClientWidth + p->CurrentGroupTabLeftMargin() + p->CurrentGroupTabRightMargin() +
         2 * p->TabGroups()->Items(group)->TabCurrentExtraXMargin();
}

bool TAdvPage::IsInTabGroup() const { return FAdvToolBarPager && FAdvToolBarPager->TabGroupOfTab(PageIndex()) >= 0; }

int TAdvPage::GetPageInset() const { return FAdvToolBarPager ? FAdvToolBarPager->GetPageInset() : 0; }

// ---------------------------------------------------------------------------
// What the groups ask

IToolBarPager* TAdvPage::PageParentPager() { return dynamic_cast<TAdvToolBarPager*>(Parent()); }

IToolBarPager* TAdvPage::PageMinimizedWindowPager() {
  return IsClassNamed(Parent(), L"TMinimizedRibbonWindow") ? FAdvToolBarPager : nullptr;
}

IToolBarPage* TAdvPage::PageCloneSource() {
  return !dynamic_cast<TAdvToolBarPager*>(Parent()) && FSelfClone ? FSelfClone : nullptr;
}

int TAdvPage::PageGroupIndex(TAdvCustomToolBar* Group) { return FAdvToolBars->IndexOf(Group); }

void TAdvPage::PageMoveGroup(TAdvCustomToolBar* Group, int Index) {
  int from = PageGroupIndex(Group);
  if (from < 0 || AdvToolBarCount() == 0) return;
  MoveAdvToolBar(from, Max<int>(0, Min<int>(Index, AdvToolBarCount() - 1)));
}

// ---------------------------------------------------------------------------
// Parent

void TAdvPage::SetParent(TWinControl* AParent) {
  if (IsClassNamed(AParent, L"TAdvDockPanel") || dynamic_cast<TAdvCustomToolBar*>(AParent))
    throw Exception(L"Invalid Parent");
  auto* pagerParent = dynamic_cast<TAdvToolBarPager*>(AParent);
  auto* pageParent = dynamic_cast<TAdvPage*>(AParent);
  if ((pagerParent || pageParent) && !FUpdatingParent) {
    TAdvToolBarPager* p = pagerParent ? pagerParent : pageParent->FAdvToolBarPager;
    if (FAdvToolBarPager && p) {
      if (p != FAdvToolBarPager) {
        {
          TFlag updating(FUpdatingParent);
          SetAdvToolBarPager(p);
        }
        if (FAdvToolBarPager != p) throw Exception(L"Invalid Parent");
      }
      if (pageParent) {
        int cur = p->IndexOfPage(this), now = p->IndexOfPage(pageParent);
        if (cur < 0 || now < 0)
          throw Exception(L"Invalid Parent " + std::to_wstring(cur) + L":" + std::to_wstring(now));
        p->MoveAdvPage(cur, now);
      }
      p->Invalidate();
      Invalidate();
      AParent = p;
    }
  }
  TCustomControl::SetParent(AParent);
}

// ---------------------------------------------------------------------------
// Groups

TAdvToolBar* TAdvPage::AdvToolBars(int Index) const {
  if (Index < 0 || Index >= FAdvToolBars->Count()) return nullptr;
  return static_cast<TAdvToolBar*>(FAdvToolBars->Items(Index));
}

int TAdvPage::IndexOfAdvToolBar(TAdvToolBar* ToolBar) const { return FAdvToolBars->IndexOf(ToolBar); }

TAdvToolBar* TAdvPage::CreateAdvToolBar() {
  auto* tb = new TAdvToolBar(this);
  // On the page first, so that it is a fixed toolbar whose size is free.
  tb->SetParent(this);
  tb->SetAutoSize(false);
  tb->SetShowRightHandle(false);
  tb->SetShowCaption(true);
  tb->SetCaptionPosition(TCaptionPosition::cpBottom);
  tb->SetCaptionAlignment(TAlignment::taCenter);
  tb->SetBounds(tb->Left(), tb->Top(), 120, 26);
  tb->SetToolBarCaption(L"Untitled");
  AddAdvToolBar(tb);
  tb->SetParentStyler(true);
  if (!IsDesigning() && !IsLoading()) tb->MarkPropertiesLoaded();
  return tb;
}

int TAdvPage::AddAdvToolBar(TAdvToolBar* ToolBar) {
  if (!ToolBar || FCloning || IndexOfAdvToolBar(ToolBar) >= 0) return -1;
  bool quiet = IsLoading() || IsDesigning() || ComponentState().Contains(TComponentStateItem::csReading);
  if (!IsLoading() && !IsDesigning()) {
    ToolBar->SetShowRightHandle(false);
    ToolBar->SetShowCaption(true);
    ToolBar->SetCaptionPosition(TCaptionPosition::cpBottom);
    ToolBar->SetCaptionAlignment(TAlignment::taCenter);
  }
  int index = FAdvToolBars->Add(ToolBar);
  if (ToolBar->Parent() != this) ToolBar->SetParent(this);
  if (!ToolBar->ToolBarStyler() && !IsLoading() && !IsDesigning()) ToolBar->SetParentStyler(true);
  PositionToolBars();
  if (!quiet) {
    ToolBar->MarkPropertiesLoaded();
    ToolBar->LinkGlowButtons();
  }
  return index;
}

void TAdvPage::RemoveAdvToolBar(TAdvToolBar* ToolBar) {
  if (FCloning) return;
  int i = IndexOfAdvToolBar(ToolBar);
  if (i >= 0) FAdvToolBars->Delete(i);
  if (ToolBar && ToolBar->Parent() == this && !ToolBar->IsDestroying() && !ToolBar->ChangingParent())
    ToolBar->SetParent(nullptr);
}

void TAdvPage::InsertAdvToolBar(int Index, TAdvToolBar* ToolBar) {
  if (FCloning || !ToolBar || IndexOfAdvToolBar(ToolBar) >= 0) return;
  FAdvToolBars->Insert(Max<int>(0, Min<int>(Index, FAdvToolBars->Count())), ToolBar);
  if (ToolBar->Parent() != this) ToolBar->SetParent(this);
  PositionToolBars();
}

void TAdvPage::MoveAdvToolBar(int CurIndex, int NewIndex) {
  if (FCloning || CurIndex < 0 || CurIndex >= AdvToolBarCount() || NewIndex < 0 || NewIndex >= AdvToolBarCount())
    return;
  FAdvToolBars->Move(CurIndex, NewIndex);
  PositionToolBars();
}

TAdvToolBar* TAdvPage::GetFirstToolBar(bool VisibleOnly) const {
  for (int i = 0; i < AdvToolBarCount(); ++i)
    if (!VisibleOnly || AdvToolBars(i)->Visible()) return AdvToolBars(i);
  return nullptr;
}

int TAdvPage::GetVisibleToolBarCount() const {
  int n = 0;
  for (int i = 0; i < AdvToolBarCount(); ++i)
    if (AdvToolBars(i)->Visible()) ++n;
  return n;
}

TAdvGlowButton* TAdvPage::FindCompactButton(HWND Handle) const {
  if (IsDesigning()) return nullptr;
  for (int i = 0; i < AdvToolBarCount(); ++i) {
    TAdvGlowButton* b = AdvToolBars(i)->CompactButton();
    if (AdvToolBars(i)->IsCompact() && b && b->HandleAllocated() && b->Handle() == Handle) return b;
  }
  return nullptr;
}

void TAdvPage::HideCompactWindowOfAdvToolBars() {
  if (!Visible() || IsDesigning() || IsLoading()) return;
  for (int i = 0; i < AdvToolBarCount(); ++i) AdvToolBars(i)->HideCompactWindow();
}

void TAdvPage::InvalidateToolBars() {
  if (!Visible()) return;
  for (int i = 0; i < AdvToolBarCount(); ++i) AdvToolBars(i)->Invalidate();
}

void TAdvPage::ApplyColorTones() {
  for (int i = 0; i < AdvToolBarCount(); ++i) AdvToolBars(i)->ApplyColorTones();
}

void TAdvPage::ClearColorTones() {
  for (int i = 0; i < AdvToolBarCount(); ++i) AdvToolBars(i)->ClearColorTones();
}

void TAdvPage::ReapplyParentStylers() {
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* tb = dynamic_cast<TAdvToolBar*>(Controls(i))) tb->SetParentStyler(tb->ParentStyler());
}

void TAdvPage::PrepareGroupsForScale() {
  for (int i = 0; i < AdvToolBarCount(); ++i) {
    TAdvToolBar* tb = AdvToolBars(i);
    tb->SetParentFont(false);
    tb->Font()->SetSize(Font()->Size());
  }
}

void TAdvPage::ScaleGroups() {
  for (int i = 0; i < AdvToolBarCount(); ++i) {
    TAdvToolBar* tb = AdvToolBars(i);
    tb->SetCaptionHeight(ScaledGroupCaptionHeight);
    tb->SetCompactMinWidth(RoundI(45.0L * DPIFactor));
  }
}

void TAdvPage::ExpandCompactGroups() {
  for (int i = AdvToolBarCount() - 1; i >= 0; --i)
    if (AdvToolBars(i)->IsCompact()) AdvToolBars(i)->SetCompact(false);
}

// ---------------------------------------------------------------------------
// Placing and fitting

void TAdvPage::SetAutoPosition(bool Value) {
  FAutoPosition = Value;
  PositionToolBars();
}

void TAdvPage::BeginUpdate() {
  if (Visible()) ++FUpdateCount;
}

void TAdvPage::EndUpdate() {
  if (!Visible() || FUpdateCount <= 0) return;
  if (--FUpdateCount == 0) PositionToolBars();
}

void TAdvPage::PositionToolBars() {
  if (!FAutoPosition || FUpdatingATBPosition || IsLoading() || FUpdateCount > 0) return;
  TFlag guard(FUpdatingATBPosition);
  int x = 3;
  bool designing = IsDesigning();
  for (int i = 0; i < AdvToolBarCount(); ++i) {
    TAdvToolBar* tb = AdvToolBars(i);
    if (!designing && (!tb->Visible() || tb->Width() <= 0)) continue;
    tb->SetBounds(x, 3, tb->Width(), Height() - 6);
    x += tb->Width() + 3;
  }
}

void TAdvPage::CollectAllToolBarsByLeft(TDbgList* List) const {
  for (int i = 0; i < ControlCount(); ++i) {
    auto* tb = dynamic_cast<TAdvToolBar*>(Controls(i));
    if (!tb) continue;
    int at = List->Count();
    for (int j = 0; j < List->Count(); ++j)
      if (static_cast<TAdvToolBar*>(List->Items(j))->Left() > tb->Left()) {
        at = j;
        break;
      }
    List->Insert(at, tb);
  }
}

void TAdvPage::CollectToolBarsByLeft(TDbgList* List) const {
  TDbgList all;
  CollectAllToolBarsByLeft(&all);
  for (int i = 0; i < all.Count(); ++i) {
    auto* tb = static_cast<TAdvToolBar*>(all.Items(i));
    if (tb->Visible() || IsDesigning()) List->Add(tb);
  }
}

int TAdvPage::FreeWidth(TDbgList* Ordered) const {
  auto* last = static_cast<TAdvToolBar*>(Ordered->Items(Ordered->Count() - 1));
  return Width() - (last->Left() + last->Width()) - 2;
}

bool TAdvPage::Eligible(TAdvToolBar* ToolBar) const {
  return ((ToolBar->Visible() && ToolBar->Width() > 0) || IsDesigning()) && !ToolBar->IsCompact() &&
         ToolBar->PropertiesLoaded();
}

bool TAdvPage::CanFit() const {
  if (IsDesigning()) return false;
  return !FAdvToolBarPager || FAdvToolBarPager->AutoCompactToolBars();
}

TAdvToolBar* TAdvPage::FirstAutoCompactGroup(TDbgList* Ordered) const {
  for (int i = 0; i < Ordered->Count(); ++i) {
    auto* tb = static_cast<TAdvToolBar*>(Ordered->Items(i));
    if (((tb->Visible() && tb->Width() > 0) || IsDesigning()) && tb->IsCompact() && tb->CanAutoCompact()) return tb;
  }
  return nullptr;
}

TAdvToolBar* TAdvPage::RightmostCompactable(TDbgList* Ordered) const {
  for (int i = Ordered->Count() - 1; i >= 0; --i) {
    auto* tb = static_cast<TAdvToolBar*>(Ordered->Items(i));
    if (Eligible(tb) && tb->CanAutoCompact()) return tb;
  }
  return nullptr;
}

TAdvToolBar* TAdvPage::ChooseShrinkStep(TDbgList* Ordered, int Needed, bool KeepLarger) const {
  TAdvToolBar* taken = nullptr;
  int takenGain = 0, takenKind = -1;
  for (int i = Ordered->Count() - 1; i >= 0; --i) {
    auto* tb = static_cast<TAdvToolBar*>(Ordered->Items(i));
    if (!Eligible(tb)) continue;
    TButtonSizeState target = TButtonSizeState::bsGlyph;
    int g = tb->GetShrinkGain(target);
    if (g <= 0) continue;
    int k = static_cast<int>(target);
    bool better = k == takenKind && (g < takenGain || (KeepLarger && takenGain < Needed));
    if (!taken || better || (k == 1 && takenKind == 0)) {
      taken = tb;
      takenGain = g;
      takenKind = k;
    }
  }
  return taken;
}

TAdvToolBar* TAdvPage::ChooseGrowStep(TDbgList* Ordered, bool FromLast, int Below, int& Cost) const {
  TAdvToolBar* taken = nullptr;
  int takenKind = -1;
  Cost = 0;
  int n = Ordered->Count();
  for (int j = 0; j < n; ++j) {
    auto* tb = static_cast<TAdvToolBar*>(Ordered->Items(FromLast ? n - 1 - j : j));
    if (!Eligible(tb)) continue;
    TButtonSizeState target = TButtonSizeState::bsLarge;
    int c = tb->GetGrowCost(target);
    if (c <= 0 || (Below > 0 && c >= Below)) continue;
    int k = static_cast<int>(target);
    if (!taken || (c > Cost && k == takenKind) || (k == 1 && takenKind == 2)) {
      taken = tb;
      Cost = c;
      takenKind = k;
    }
  }
  return taken;
}

void TAdvPage::ShrinkToolBars() {
  if (!CanFit()) return;
  for (int pass = 0; pass < kMaxFitSteps; ++pass) {
    TDbgList ordered;
    int f = 0;
    if (!MeasureGroups(&ordered, f)) return;
    if (f > 0) return;
    int n = -f;
    if (TAdvToolBar* taken = ChooseShrinkStep(&ordered, n, false)) {
      TButtonSizeState target;
      n -= taken->ShrinkButtons(target, true);
      PositionToolBars();
      if (n <= 0) return;
      continue;
    }
    // No group can take a step: the rightmost one that can still change
    // turns compact. When none can, the groups stay as they are and the
    // page scrolls them.
    if (!CompactRightmostGroup(&ordered, true)) return;
  }
}

bool TAdvPage::ExpandFirstCompactGroup(TDbgList* Ordered, int Free) {
  TAdvToolBar* compact = FirstAutoCompactGroup(Ordered);
  if (!compact || compact->GetFullWidth() - compact->GetCompactWidth() + GetPageInset() > Free) return false;
  compact->SwitchCompact(false);
  if (compact->IsCompact()) return false;
  PositionToolBars();
  return true;
}

bool TAdvPage::CompactRightmostGroup(TDbgList* Ordered, bool Smallest) {
  TAdvToolBar* rightmost = RightmostCompactable(Ordered);
  if (!rightmost) return false;
  rightmost->SwitchCompact(true);
  if (!rightmost->IsCompact()) return false;
  if (Smallest) rightmost->SetCompactSmallest(true);
  PositionToolBars();
  return true;
}

bool TAdvPage::MeasureGroups(TDbgList* Ordered, int& Free) const {
  CollectToolBarsByLeft(Ordered);
  if (Ordered->Count() == 0) return false;
  Free = FreeWidth(Ordered);
  return true;
}

void TAdvPage::GrowToolBars() {
  if (!CanFit()) return;
  for (int pass = 0; pass < kMaxFitSteps; ++pass) {
    TDbgList ordered;
    int f = 0;
    if (!MeasureGroups(&ordered, f)) return;
    if (f <= 0) return;
    // The first compact group decides alone.
    if (FirstAutoCompactGroup(&ordered)) {
      if (!ExpandFirstCompactGroup(&ordered, f)) return;
      continue;
    }
    int cost = 0;
    TAdvToolBar* taken = ChooseGrowStep(&ordered, false, 0, cost);
    if (!taken || cost >= f) return;
    TButtonSizeState target;
    f -= taken->GrowButtons(target, true);
    PositionToolBars();
    if (f <= 0) return;
  }
}

void TAdvPage::UpdateAllToolBars() {
  if (!CanFit()) return;
  for (int pass = 0; pass < kMaxFitSteps; ++pass) {
    TDbgList ordered;
    int f = 0;
    if (!MeasureGroups(&ordered, f)) return;
    TButtonSizeState target;
    if (f > 0) {
      if (FirstAutoCompactGroup(&ordered)) {
        if (!ExpandFirstCompactGroup(&ordered, f)) return;
        continue;
      }
      int cost = 0;
      TAdvToolBar* taken = ChooseGrowStep(&ordered, true, f, cost);
      if (!taken) return;
      taken->GrowButtons(target, true);
      PositionToolBars();
      continue;
    }
    int n = -f;
    if (TAdvToolBar* taken = ChooseShrinkStep(&ordered, n, true)) {
      taken->ShrinkButtons(target, true);
      PositionToolBars();
      continue;
    }
    if (n == 0) return;
    if (!CompactRightmostGroup(&ordered, false)) return;
  }
}

void TAdvPage::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (AWidth != Width()) FOldWidth = Width();
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  PositionToolBars();
}

void TAdvPage::AlignControls(TControl* AControl, TRect& Rect) {
  TCustomControl::AlignControls(AControl, Rect);
  PositionToolBars();
}

void TAdvPage::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE:
      TCustomControl::Dispatch(Message);
      if (Width() != FOldWidth) {
        if (Width() < FOldWidth)
          ShrinkToolBars();
        else
          GrowToolBars();
        FOldWidth = Width();
      }
      ResetToolBarScroll();
      return;
    case CM_CONTROLCHANGE: {
      TCustomControl::Dispatch(Message);
      auto* tb = dynamic_cast<TAdvToolBar*>(reinterpret_cast<TControl*>(Message.WParam));
      if (!tb) return;
      if (Message.LParam)
        AddAdvToolBar(tb);
      else
        RemoveAdvToolBar(tb);
      return;
    }
    default:
      TCustomControl::Dispatch(Message);
  }
}

void TAdvPage::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (FToolBarShortCutShowing) HideShortCutHints();
}

// ---------------------------------------------------------------------------
// Scrolling

int TAdvPage::CountFittingToolBars(int Index, bool Forward) const {
  TDbgList ordered;
  CollectToolBarsByLeft(&ordered);
  if (Index < 0 || Index >= ordered.Count()) return 0;
  int x = 3, n = 0;
  for (int i = Index; Forward ? i < ordered.Count() : i >= 0; i += Forward ? 1 : -1) {
    auto* tb = static_cast<TAdvToolBar*>(ordered.Items(i));
    if (!tb->Visible()) continue;
    x += tb->Width() + 3;
    if (x - 3 >= Width()) break;
    ++n;
  }
  return n;
}

bool TAdvPage::AllVisibleToolBarsCompact() const {
  for (int i = 0; i < AdvToolBarCount(); ++i)
    if (AdvToolBars(i)->Visible() && !AdvToolBars(i)->IsCompact()) return false;
  return true;
}

void TAdvPage::UpdateScrollButtons() {
  if (IsDesigning()) return;
  int first = Max<int>(1, CountFittingToolBars(0, true));
  int visible = GetVisibleToolBarCount();
  int w = RoundI(12.0L * DPIFactor);
  int max = 0;
  if (first < visible && AllVisibleToolBarsCompact()) {
    TDbgList ordered;
    CollectToolBarsByLeft(&ordered);
    int start = 0, counted = 0, windows = 0;
    while (counted < visible && windows <= ordered.Count()) {
      int n = Max<int>(1, CountFittingToolBars(start, true));
      counted += n;
      start += n;
      ++windows;
    }
    max = Min<int>(windows - 1, AdvToolBarCount());
  }
  FToolBarScroller->SetMax(max);
  FToolBarScroller->SetPosition(Min<int>(FToolBarScroller->Position(), FToolBarScroller->Max()));
  TGlowButtonAppearance* appearance =
      FAdvToolBarPager ? FAdvToolBarPager->CurrentToolBarStyler()->CompactGlowButtonAppearance() : nullptr;
  auto button = [&](TAdvPageScrollButton*& B, bool Show, bool Left) {
    if (!Show) {
      if (B) B->SetVisible(false);
      return;
    }
    if (!B) {
      B = new TAdvPageScrollButton(this);
      B->SetParent(this);
      B->SetAlign(Left ? TAlign::alLeft : TAlign::alRight);
      B->SetWidth(w);
      B->SetButtonPosition(Left ? TButtonPosition::bpLeft : TButtonPosition::bpRight);
      B->SetScrollArrow(Left ? TScrollArrow::saLeft : TScrollArrow::saRight);
      B->OnClick = [this, Left](TObject* Sender) {
        if (Left)
          ScrollBackClick(Sender);
        else
          ScrollForwardClick(Sender);
      };
    }
    B->SetVisible(true);
    B->BringToFront();
    if (appearance) B->Appearance()->Assign(appearance);
  };
  button(FLeftScrollBtn, FToolBarScroller->CanGoBack(), true);
  button(FRightScrollBtn, FToolBarScroller->CanGoForward(), false);
}

void TAdvPage::ResetToolBarScroll() {
  FLeftATBIndex = 0;
  FToolBarScroller->SetMin(0);
  FToolBarScroller->SetMax(0);
  FToolBarScroller->SetPosition(0);
  UpdateScrollButtons();
}

void TAdvPage::InvalidateScrollButtons() {
  if (FLeftScrollBtn) FLeftScrollBtn->Invalidate();
  if (FRightScrollBtn) FRightScrollBtn->Invalidate();
}

int TAdvPage::ScrollToolBars(int Steps) {
  if (Steps == 0) return 0;
  if (Steps < 0) {
    int n = Min<int>(-Steps, FToolBarScroller->Position() - FToolBarScroller->Min());
    if (!FToolBarScroller->CanGoBack() || FLeftATBIndex <= 0) return -n;
    FToolBarScroller->SetPosition(FToolBarScroller->Position() - n);
    int index = FLeftATBIndex;
    for (int i = 0; i < n && index > 0; ++i) index = Max<int>(0, index - CountFittingToolBars(index - 1, false));
    ScrollToToolBar(index);
    InvalidateScrollButtons();
    return -n;
  }
  int n = Min<int>(Steps, FToolBarScroller->Max() - FToolBarScroller->Position());
  if (!FToolBarScroller->CanGoForward() || n <= 0) return n;
  FToolBarScroller->SetPosition(FToolBarScroller->Position() + n);
  int index = FLeftATBIndex;
  int visible = GetVisibleToolBarCount();
  for (int i = 0; i < n && index < visible; ++i) index += CountFittingToolBars(index, true);
  ScrollToToolBar(Min<int>(index, visible - 1));
  InvalidateScrollButtons();
  return n;
}

void TAdvPage::ScrollToToolBar(int Index) {
  if (Index < 0 || Index >= GetVisibleToolBarCount() || FUpdatingATBPosition) return;
  TDbgList ordered;
  CollectToolBarsByLeft(&ordered);
  if (Index >= ordered.Count()) return;
  const int m = 3;
  int s = 5;
  TFlag guard(FUpdatingATBPosition);
  auto group = [&](int i) { return static_cast<TAdvToolBar*>(ordered.Items(i)); };
  auto moveAll = [&](int Dx) {
    for (int i = 0; i < ordered.Count(); ++i) group(i)->SetLeft(group(i)->Left() + Dx);
  };
  if (Index > FLeftATBIndex) {
    while (Index > 0 && CountFittingToolBars(Index - 1, true) > CountFittingToolBars(Index, true)) --Index;
    if (FLeftATBIndex < Index) {
      TAdvToolBar* last = group(ordered.Count() - 1);
      for (bool done = false; !done;) {
        int edge = last->Left() + last->Width();
        if (edge + m - s <= Width() - m) {
          s = edge - (Width() - m);
          done = true;
        }
        if (group(Index)->Left() - s <= m) {
          s = group(Index)->Left() - m;
          done = true;
        }
        moveAll(-s);
      }
    }
  } else if (Index < FLeftATBIndex) {
    for (bool done = false; !done;) {
      if (group(0)->Left() + s >= 0) {
        s = m - group(0)->Left();
        done = true;
      }
      if (group(Index)->Left() + s >= 0) {
        s = m - group(Index)->Left();
        done = true;
      }
      moveAll(s);
    }
  }
  FLeftATBIndex = Index;
  UpdateScrollButtons();
}

// ---------------------------------------------------------------------------
// Key tips

void TAdvPage::ShowShortCutHint() {
  if (!FAdvToolBarPager || !FTabEnabled || !FTabVisible) return;
  TAdvToolBarPager* pager = FAdvToolBarPager;
  if (!FShortCutHint) FShortCutHint = pager->AddShortCutHintWindow();
  FShortCutHint->SetVisible(false);
  FShortCutHint->SetCaption(FShortCutHintText);
  FShortCutHint->SetColor(clWhite);
  TGlowButtonAppearance* glow = pager->Office2013() && pager->OwnGlowButtonAppearance()
                                    ? pager->OwnGlowButtonAppearance()
                                    : pager->CurrentToolBarStyler()->GlowButtonAppearance();
  FShortCutHint->SetColorTo(glow->Color());
  // Placed by its tab only: a tab outside the visible tab row shows none.
  TRect t = pager->GetVisibleTabRect(pager->IndexOfPage(this));
  if (t.left < 0 || !pager->HandleAllocated()) return;
  TPoint p = pager->ClientToScreen(TPoint(t.left, t.top));
  int w = FShortCutHint->Width(), h = FShortCutHint->Height();
  int left = FShortCutHint->Left(), top = FShortCutHint->Top();
  switch (FShortCutHintPos) {
    case TShortCutHintPos::shpLeft:
      left = p.x - w / 2, top = p.y + (t.Height() - h) / 2;
      break;
    case TShortCutHintPos::shpTop:
      left = p.x + (t.Width() - w) / 2, top = p.y - h / 2;
      break;
    case TShortCutHintPos::shpRight:
      left = p.x + t.Width() - w / 2, top = p.y + (t.Height() - h) / 2;
      break;
    default:  // below the tab's middle
      left = p.x + (t.Width() - w) / 2, top = p.y + t.Height() - h / 2;
      break;
  }
  FShortCutHint->SetBounds(left, top, w, h);
  FShortCutHint->SetVisible(true);
}

void TAdvPage::HideShortCutHint() {
  if (!FShortCutHint || !FAdvToolBarPager) return;
  FShortCutHint->SetVisible(false);
  FAdvToolBarPager->FreeShortCutHintWindow(FShortCutHint);
  FShortCutHint = nullptr;
}

void TAdvPage::ShowShortCutHints() {
  if (FToolBarShortCutShowing) return;
  if (KeyTipCaptureMouse && HandleAllocated()) SetCapture(Handle());
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* tb = dynamic_cast<TAdvToolBar*>(Controls(i)); tb && tb->Visible() && tb->Enabled())
      tb->ShowShortCutHints();
  FToolBarShortCutShowing = true;
  FShortCutChars.clear();
}

void TAdvPage::HideShortCutHints() {
  if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* tb = dynamic_cast<TAdvToolBar*>(Controls(i)); tb && tb->Visible()) tb->HideShortCutHints();
  FToolBarShortCutShowing = false;
  FShortCutChars.clear();
}

bool TAdvPage::HandleShortCutHintKey(const String& Text) {
  int partial = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    auto* tb = dynamic_cast<TAdvToolBar*>(Controls(i));
    if (tb && tb->Visible() && tb->HandleShortCutHintKey(Text, partial)) return true;
  }
  if (partial == 0) {
    FToolBarShortCutShowing = false;
    MessageBeep(0);
  }
  return false;
}

// ---------------------------------------------------------------------------
// The floating ribbon's copy

TAdvPage* TAdvPage::CreateClone(TWinControl* Window) {
  if (!Window || !FAdvToolBarPager) return nullptr;
  DestroyClone();
  FOldAutoPosition = FAutoPosition;
  FAutoPosition = false;
  auto* clone = new TAdvPage(Window);
  clone->SetParent(Window);
  FSelfClone = clone;
  clone->FSelfClone = this;
  clone->FAdvToolBarPager = FAdvToolBarPager;
  clone->FAutoPosition = false;
  clone->FCaption = FCaption;
  clone->FWideCaption = FWideCaption;
  clone->Font()->Assign(Font());
  clone->SetShowHint(ShowHint());
  clone->FOfficeHint->Assign(FOfficeHint);
  clone->FShortCutHintPos = FShortCutHintPos;
  clone->OnMouseDown = OnMouseDown;
  clone->OnMouseMove = OnMouseMove;
  clone->OnMouseUp = OnMouseUp;
  TAdvToolBarPager* p = FAdvToolBarPager;
  int h = p->FExpandedHeight - (p->Caption()->Visible() ? p->Caption()->Height() : 0) - p->TabSettings()->Height() -
          GetPageInset() - 1;
  clone->SetBounds(0, 0, Width(), h);
  {
    TFlag cloning(clone->FCloning);
    LendToolBarsToClone();
  }
  clone->FAutoPosition = true;
  clone->PositionToolBars();
  return clone;
}

void TAdvPage::LendToolBarsToClone() {
  if (!FSelfClone) return;
  FSelfClone->FAdvToolBars->AssignList(FAdvToolBars);
  TFlag cloning(FCloning);
  for (int i = 0; i < AdvToolBarCount(); ++i) AdvToolBars(i)->SetParent(FSelfClone);
}

void TAdvPage::TakeBackToolBars() {
  if (!FSelfClone) return;
  TFlag cloning(FCloning);
  TFlag cloneCloning(FSelfClone->FCloning);
  for (int i = 0; i < AdvToolBarCount(); ++i) AdvToolBars(i)->SetParent(this);
}

void TAdvPage::DestroyClone() {
  if (!FSelfClone) return;
  TakeBackToolBars();
  TAdvPage* clone = FSelfClone;
  FSelfClone = nullptr;
  clone->FSelfClone = nullptr;
  clone->FAdvToolBarPager = nullptr;
  clone->Free();
  FAutoPosition = FOldAutoPosition;
  if (!IsDestroying()) {
    SetWidth(Width() - 1);
    SetWidth(Width() + 1);
  }
}
