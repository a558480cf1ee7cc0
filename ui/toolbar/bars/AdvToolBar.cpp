// The toolbar's model: creation, loading, the item lists, the styler it
// follows and how it reacts to the styler's changes and the pager's tones.
#include "ui/toolbar/bars/AdvToolBar.h"
#include "ui/toolbar/bars/AdvToolBarCustomizer.h"

#include <algorithm>
#include <cmath>

#include "base/Forms.h"
#include "base/Hints.h"
#include "ui/controls/buttons/GlowButtonHelpers.h"
#include "ui/toolbar/bars/AdvDockPanel.h"
#include "ui/toolbar/bars/AdvToolBarButton.h"
#include "ui/toolbar/bars/FloatingWindow.h"

// ---------------------------------------------------------------------------
// Small shared routines

String ToolBarVersionText(int Nr) {
  return IntToStr((Nr >> 24) & 0xFF) + L"." + IntToStr((Nr >> 16) & 0xFF) + L"." + IntToStr((Nr >> 8) & 0xFF) + L"." +
         IntToStr(Nr & 0xFF);
}

bool IsClass(const TControl* Control, const wchar_t* Name) { return Control && Control->ClassName() == Name; }

IToolBarPage* PageOf(const TControl* Control) {
  return Control ? dynamic_cast<IToolBarPage*>(Control->Parent()) : nullptr;
}

bool IsToolBarSeparator(const TControl* Control) { return dynamic_cast<const TAdvToolBarSeparator*>(Control); }

TCustomAdvToolBarStyler* NewInternalStyler(TCustomControl* Owner) {
  auto* s = new TCustomAdvToolBarStyler(Owner);
  s->SetName(L"InternalStyler");
  s->SetSubComponent(true);
  s->AddControl(Owner);
  return s;
}

void LeaveStyler(TCustomControl* Owner, TCustomAdvToolBarStyler* Assigned, TCustomAdvToolBarStyler* Internal) {
  if (Assigned && Assigned != Internal && !Assigned->IsDestroying()) Assigned->RemoveControl(Owner);
}

bool ForgetStyler(TComponent* Gone, TCustomAdvToolBarStyler*& Assigned, TCustomAdvToolBarStyler*& Current,
                  TCustomAdvToolBarStyler* Internal) {
  if (!Gone || Gone != Assigned) return false;
  Assigned = nullptr;
  Current = Internal;
  return true;
}

namespace {

bool IsGlowItem(TControl* C) {
  return IsClass(C, L"TAdvGlowButton") || IsClass(C, L"TDBAdvGlowButton") || IsClass(C, L"TAdvGlowMenuButton");
}

bool IsContainer(TControl* C) { return IsClass(C, L"TAdvToolBarContainer"); }

// The glow buttons inside a container item.
template <class F>
void ForContainerGlowButtons(TControl* Container, F&& Fn) {
  auto* w = dynamic_cast<TWinControl*>(Container);
  if (!w) return;
  for (int i = 0; i < w->ControlCount(); ++i)
    if (auto* g = dynamic_cast<TAdvGlowButton*>(w->Controls(i))) Fn(g);
}

}  // namespace

// ---------------------------------------------------------------------------
// Creation and destruction

TAdvCustomToolBar::TAdvCustomToolBar(TComponent* AOwner)
    : TCustomControl(AOwner),
      FATBControls(new TDbgList),
      FRUControls(new TDbgList),
      FLUHidedControls(new TDbgList),
      FCaptionFont(new TFont),
      FPersistence(new TPersistence(this)),
      FIOptionDisabledPicture(new TGDIPPicture),
      FIOptionPicture(new TGDIPPicture),
      FICompactPicture(new TGDIPPicture),
      FOfficeHint(new TAdvHintInfo),
      FSeqControlList(new TDbgList),
      FMDIChildMenuSL(new TStringList) {
  FControlStyle.Include(TControlStyleItem::csAcceptsControls);
  FControlStyle.Exclude(TControlStyleItem::csOpaque);
  FAutoSize = true;
  FAutoPositionControls = true;
  FHeight = 26;
  FMinLength = 60;
  FConstraints->SetMinWidth(60);
  FOwner = AOwner;
  FAntiAlias = TAntiAlias::aaClearType;
  FInternalToolBarStyler = NewInternalStyler(this);
  FCurrentToolBarStyler = FInternalToolBarStyler;
  FCaptionFont->OnChange = [this](TObject*) { CaptionFontChanged(); };
  FCaptionHeight = ScaledGroupCaptionHeight;
  FSizeAtDock = FHeight;
  FMaxLength = FConstraints->MinWidth();
  FPersistence->SetSection(L"UnDockedAdvToolBars");
  FConstraints->SetMaxWidth(FConstraints->MinWidth());
  SetShowHint(true);
  SetDoubleBuffered(true);
  FMenuItemTimer = new TTimer(nullptr);
  FMenuItemTimer->SetInterval(1);
  FMenuItemTimer->SetEnabled(false);
  FMenuItemTimer->SetOnTimer([this](TObject* Sender) { MenuItemTimerTick(Sender); });
  FIOptionPicture->OnChange = [this](TObject*) { Invalidate(); };
  FIOptionDisabledPicture->OnChange = [this](TObject*) { Invalidate(); };
  FICompactPicture->OnChange = [this](TObject*) { CompactPictureChanged(); };
  FCompactMinWidth = static_cast<int>(std::nearbyint(45.0L * DPIFactor));
}

void TAdvCustomToolBar::Destroy() {
  if (FPersistence->Enabled() && !IsDesigning()) {
    // As for the dock panel: a layout that cannot be written is lost.
    try {
      SavePosition();
    } catch (const Exception&) {
    }
  }
  if (!IsDesigning()) LeaveStyler(this, FToolBarStyler, FInternalToolBarStyler);
  FToolBarStyler = nullptr;
  if (FTimer) FreeAndNil(FTimer);
  if (FOptionTimer) FreeAndNil(FOptionTimer);
  ReleaseMenuState();
  RestoreButtonMenu();
  RemoveAllMDIChildMenu();
  UnhookMDIForm();
  TakeBackFromOptionWindow();
  // A floating toolbar takes its window along.
  if (TFloatingWindow* w = FFloatingWindow) {
    FFloatingWindow = nullptr;
    if (!w->IsDestroying()) {
      w->SetAdvCustomToolBar(nullptr);
      if (FParent == w) SetParent(nullptr);
      w->Free();
    }
  }
  TCustomControl::Destroy();
}

// ---------------------------------------------------------------------------
// Loading and notification

void TAdvCustomToolBar::Loaded() {
  TCustomControl::Loaded();
  FOldCursor = FCursor;
  BuildControlList();
  PositionControls(true);
  BuildSequenceList(FSeqControlList, true);
  UpdateButtonAppearances();
  FPropertiesLoaded = true;
  // Named before the toolbar's own settings are read, which find items by
  // their Names too.
  if (FCustomizer && !IsDesigning()) FCustomizer->NameUnnamedItems();
  if (FPersistence->Enabled() && !IsDesigning()) LoadPosition();
  if (FCustomizer && !IsDesigning()) FCustomizer->ToolBarLoaded();
  if (IToolBarPage* page = PageOf(this); page && page->PageParentPager()) {
    SetParentStyler(FParentStyler);
    if (!IsDesigning()) UpdateButtonRows();
  }
  if (IsDesigning() && !FParentStyler && FToolBarStyler &&
      (FToolBarStyler == FInternalToolBarStyler ||
       (FLastDock && FToolBarStyler == FLastDock->InternalToolBarStyler())))
    SetToolBarStyler(nullptr);
}

void TAdvCustomToolBar::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FFloatingWindow) FFloatingWindow = nullptr;
  if (IsDestroying()) {
    ForgetStyler(AComponent, FToolBarStyler, FCurrentToolBarStyler, FInternalToolBarStyler);
    return;
  }
  if (AComponent == FImages) {
    FImages = nullptr;
    Invalidate();
  }
  if (AComponent == FDisabledImages) {
    FDisabledImages = nullptr;
    Invalidate();
  }
  if (AComponent == FMenu) {
    FMenu = nullptr;
    if (FMergedMenu) MergeMenu(nullptr);
  }
  if (AComponent == FMergedMenu) UnmergeMenu(FMergedMenu);
  MDIChildMenuGone(AComponent);
  if (AComponent == FButtonMenu) FButtonMenu = nullptr;
  if (AComponent == FTempMenu) {
    FTempMenu = nullptr;
    FOwnsTempMenu = false;
  }
  if (AComponent == FLastMenuButton) FLastMenuButton = nullptr;
  if (AComponent == FMenuButton) FMenuButton = nullptr;
  if (AComponent == FNextMenuHotButton) FNextMenuHotButton = nullptr;
  if (AComponent == FPendingMenuButton) FPendingMenuButton = nullptr;
  if (AComponent == FToolBarStyler) SetToolBarStyler(nullptr);
  if (AComponent == FOptionMenu) FOptionMenu = nullptr;
  if (auto* c = dynamic_cast<TControl*>(AComponent); c && IsListed(c)) RemoveItem(c);
  if (AComponent == FLastDock) FLastDock = nullptr;
  if (AComponent == FFloatingWindow) FFloatingWindow = nullptr;
  if (AComponent == FCurrentDock) FCurrentDock = nullptr;
}

// ---------------------------------------------------------------------------
// Styler binding

void TAdvCustomToolBar::SetToolBarStyler(TCustomAdvToolBarStyler* Value) {
  if (Value && Value == FToolBarStyler) return;
  LeaveStyler(this, FToolBarStyler, FInternalToolBarStyler);
  FToolBarStyler = Value;
  if (FParentStyler && FLastDock && FLastDock->CurrentToolBarStyler() &&
      !FLastDock->CurrentToolBarStyler()->IsDestroying())
    FToolBarStyler = FLastDock->CurrentToolBarStyler();
  if (FParentStyler) {
    if (IToolBarPage* page = PageOf(this); page && page->PageControl()->Parent()) {
      IToolBarPager* pager = page->PageParentPager();
      if (!pager) pager = page->PageMinimizedWindowPager();
      if (pager) {
        if (TCustomAdvToolBarStyler* s = pager->PagerCurrentStyler(); s && !s->IsDestroying())
          FToolBarStyler = s;
        else if (TCustomAdvToolBarStyler* s2 = pager->PagerInternalStyler(); s2 && !s2->IsDestroying())
          FToolBarStyler = s2;
      }
    }
  }
  if (FToolBarStyler) {
    FCurrentToolBarStyler = FToolBarStyler;
    FToolBarStyler->AddControl(this);
  } else {
    FCurrentToolBarStyler = FInternalToolBarStyler;
  }
  if (FParent) {
    ReadjustButtons();
    UpdateButtonAppearances();
  }
}

void TAdvCustomToolBar::SetParentStyler(bool Value) {
  if (!Value && FParentStyler == Value) return;
  FParentStyler = Value;
  SetToolBarStyler(nullptr);
}

void TAdvCustomToolBar::ReadjustButtons() {
  for (int i = 0; i < FATBControls->Count(); ++i)
    if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(ToolBarControls(i))) b->AdjustSize();
}

IToolBarStylerReceiver* TAdvCustomToolBar::CompactStylerReceiver() {
  return FCompact && FSelfClone ? FSelfClone : nullptr;
}

void TAdvCustomToolBar::ApplyStylerChange(int Kind) {
  TCustomAdvToolBarStyler* s = FCurrentToolBarStyler;
  SetColor(s->Color()->Color());
  switch (Kind) {
    case StylerChange::Style:
    case StylerChange::GlowButtons:
      UpdateButtonAppearances();
      if (FCompact && FCompactBtn) FCompactBtn->Appearance()->Assign(s->CompactGlowButtonAppearance());
      break;
    case StylerChange::DragGrip:
      PositionControls(true);
      UpdateOverflow();
      break;
    case StylerChange::MenuStyler:
      if (!IsLoading())
        for (int i = 0; i < FATBControls->Count(); ++i)
          if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(ToolBarControls(i)); b && b->IsMenuButton())
            b->AdjustSize();
      break;
    default:
      break;
  }
  InvalidateContainers();
  Invalidate();
}

void TAdvCustomToolBar::UpdateButtonAppearances() {
  TCustomAdvToolBarStyler* s = FCurrentToolBarStyler;
  if (!s) return;
  TKelStyle style = s->KelStyle();
  for (int i = 0; i < FATBControls->Count(); ++i) {
    TControl* c = ToolBarControls(i);
    auto* g = dynamic_cast<TAdvCustomGlowButton*>(c);
    if (g && !g->UseAppearance()) {
      TGlowButtonAppearance* a = FCompact ? s->CompactGlowButtonAppearance() : s->GlowButtonAppearance();
      g->Appearance()->Assign(a);
      if (a->TextColor() != clNone) g->Font()->SetColor(a->TextColor());
      continue;
    }
    if (style == TKelStyle::tsCustom) continue;
    IKelStyleEx* stylerEx = dynamic_cast<IKelStyleEx*>(s);
    IKelStyleEx* itemEx = dynamic_cast<IKelStyleEx*>(c);
    if (stylerEx && itemEx) {
      itemEx->SetComponentStyleAndAppColor(style, clNone);
    } else if (dynamic_cast<IKelStyle*>(s)) {
      if (auto* item = dynamic_cast<IKelStyle*>(c)) item->SetComponentStyle(style);
    }
  }
}

void TAdvCustomToolBar::InvalidateContainers() {
  for (int i = 0; i < FATBControls->Count(); ++i)
    if (IsContainer(ToolBarControls(i))) ToolBarControls(i)->Invalidate();
}

// ---------------------------------------------------------------------------
// Colour tones

IToolBarPager* TAdvCustomToolBar::GetOwnerPager() {
  TWinControl* p = FParent;
  if (p && IsClass(p, L"TCompactWindow") && FSelfClone) p = FSelfClone->Parent();
  auto* page = dynamic_cast<IToolBarPage*>(p);
  if (page && !page->PageParentPager() && page->PageCloneSource()) page = page->PageCloneSource();
  return page ? page->PageParentPager() : nullptr;
}

bool TAdvCustomToolBar::PagerTonesActive() {
  IToolBarPager* pager = GetOwnerPager();
  return pager && pager->PagerTonesActive();
}

bool TAdvCustomToolBar::ShowDisabledControlsHint() {
  IToolBarPager* pager = GetOwnerPager();
  return pager && pager->PagerShowsDisabledControlsHint();
}

void TAdvCustomToolBar::ApplyColorTones() {
  IToolBarPager* pager = GetOwnerPager();
  if (!pager || !pager->PagerTonesActive() || ColorTonesEmpty(MetroTones)) return;
  if (FCompactBtn) {
    TGlowButtonAppearance* a = FCompactBtn->Appearance();
    if (TGlowButtonAppearance* pa = pager->PagerGlowButtonAppearance()) a->SetColor(pa->Color());
    a->SetColorTo(clNone);
    a->SetColorMirror(clNone);
    a->SetColorMirrorTo(clNone);
    a->SetColorCheckedTo(clNone);
    a->SetColorMirrorChecked(clNone);
    a->SetColorMirrorCheckedTo(clNone);
    FCompactBtn->SetHeight(FHeight);
  }
  for (int i = 0; i < FATBControls->Count(); ++i) {
    TControl* c = ToolBarControls(i);
    if (auto* g = dynamic_cast<TAdvCustomGlowButton*>(c); g && !FCompact) g->SetColorTones(MetroTones);
    if (IsContainer(c)) ForContainerGlowButtons(c, [](TAdvGlowButton* g) { g->SetColorTones(MetroTones); });
  }
}

void TAdvCustomToolBar::ClearColorTones() {
  if (FCompact && FCompactBtn && FCurrentToolBarStyler)
    FCompactBtn->Appearance()->Assign(FCurrentToolBarStyler->CompactGlowButtonAppearance());
  for (int i = 0; i < FATBControls->Count(); ++i) {
    TControl* c = ToolBarControls(i);
    if (auto* g = dynamic_cast<TAdvCustomGlowButton*>(c); g && !FCompact) g->SetTransparent(true);
    if (IsContainer(c)) ForContainerGlowButtons(c, [](TAdvGlowButton* g) { g->SetTransparent(true); });
  }
}

// ---------------------------------------------------------------------------
// Item lists

TControl* TAdvCustomToolBar::ToolBarControls(int Index) const {
  if (Index < 0 || Index >= FATBControls->Count()) return nullptr;
  return static_cast<TControl*>(FATBControls->GetItemsEx(Index));
}

void TAdvCustomToolBar::ControlChange(TControl* AControl, bool Inserting) {
  if (!AControl || IsClass(AControl, L"TOptionSelectorWindow") || IsClass(AControl, L"TCompactWindow")) return;
  if (FInternalControlUpdation) return;
  if (Inserting)
    InsertItem(AControl);
  else
    RemoveItem(AControl);
}

void TAdvCustomToolBar::InsertItem(TControl* AControl) {
  if (auto* tc = dynamic_cast<TAdvCustomToolBarControl*>(AControl)) {
    tc->FAdvToolBar = this;
    tc->FPosition = FPosition;
    if (!IsDesigning() && !IsLoading() && !tc->IsLoading()) tc->AdjustSize();
  }
  if (IsGlowItem(AControl)) {
    auto* g = static_cast<TAdvCustomGlowButton*>(AControl);
    if (PagerTonesActive() && !ColorTonesEmpty(MetroTones))
      g->SetColorTones(MetroTones);
    else
      g->Appearance()->Assign(FCurrentToolBarStyler->GlowButtonAppearance());
  }
  if (auto* g = dynamic_cast<TAdvCustomGlowButton*>(AControl); g && !IsDesigning()) {
    if (PageOf(this)) {
      LinkGlowButton(g);
    } else if (DockPanelParent()) {
      // A click in the toolbar closes its pop-up of hidden items.
      g->FOnInternalClick = [this](TObject* Sender) { GlowButtonInternalClick(Sender); };
    }
  }
  int idx = FATBControls->IndexOf(AControl);
  if (idx < 0)
    FATBControls->Insert(FindInsertIndex(-1, AControl->Left(), AControl->Top()), AControl);
  else
    ReorderControl(idx, AControl->Left(), AControl->Top());
  if (FAutoRUL && FRUControls->IndexOf(AControl) < 0) FRUControls->Add(AControl);
  PositionControls(true);
}

void TAdvCustomToolBar::RemoveItem(TControl* AControl) {
  if (!IsListed(AControl)) return;
  if (auto* tc = dynamic_cast<TAdvCustomToolBarControl*>(AControl)) tc->FAdvToolBar = nullptr;
  FATBControls->Remove(AControl);
  if (FAutoRUL) {
    FRUControls->Remove(AControl);
    FLUHidedControls->Remove(AControl);
  }
  if (FHintCtrl == AControl) FHintCtrl = nullptr;
  PositionControls(true);
}

int TAdvCustomToolBar::FindInsertIndex(int CurIndex, int X, int Y) {
  int n = FATBControls->Count();
  if (CurIndex >= 0 && CurIndex < n && n <= 1) return CurIndex;
  if (X == 0 || Y == 0) return n;
  bool horz = IsHorizontalBar();
  for (int i = 0; i < n; ++i) {
    if (i == CurIndex) continue;
    TControl* c = ToolBarControls(i);
    if ((horz ? c->Left() : c->Top()) >= (horz ? X : Y)) return i;
  }
  return n;
}

int TAdvCustomToolBar::ReorderControl(int Index, int X, int Y) {
  int to = FindInsertIndex(Index, X, Y);
  if (to > Index) --to;
  if (to != Index && to >= 0 && to < FATBControls->Count()) FATBControls->Move(Index, to);
  return to;
}

void TAdvCustomToolBar::BuildControlList() {
  if (!FATBControls) FATBControls = new TDbgList;
  FATBControls->Clear();
  bool page = PageOf(this) != nullptr;
  bool horz = IsHorizontalBar();
  auto before = [&](TControl* a, TControl* b) {
    if (page) return a->Left() != b->Left() ? a->Left() < b->Left() : a->Top() < b->Top();
    return horz ? a->Left() < b->Left() : a->Top() < b->Top();
  };
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (IsPopupChild(c) || IsClass(c, L"TOptionSelectorWindow") || IsClass(c, L"TCompactWindow")) continue;
    int at = FATBControls->Count();
    for (int j = 0; j < FATBControls->Count(); ++j)
      if (before(c, ToolBarControls(j))) {
        at = j;
        break;
      }
    FATBControls->Insert(at, c);
  }
  if (FAutoRUL) FRUControls->AssignList(FATBControls);
}

void TAdvCustomToolBar::BuildSequenceList(TDbgList* List, bool VisibleOnly) {
  List->Clear();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (IsPopupChild(c) || (VisibleOnly && !c->Visible())) continue;
    int at = List->Count();
    for (int j = 0; j < List->Count(); ++j) {
      auto* o = static_cast<TControl*>(List->Items(j));
      if (c->Left() < o->Left() || (c->Left() == o->Left() && c->Top() < o->Top())) {
        at = j;
        break;
      }
    }
    List->Insert(at, c);
  }
}

int TAdvCustomToolBar::AddToolBarControl(TControl* AControl) {
  if (!AControl || IsListed(AControl) || AControl->Parent() == this) return -1;
  AControl->SetParent(this);
  int idx = FATBControls->IndexOf(AControl);
  if (idx < 0) return -1;
  int last = FATBControls->Count() - 1;
  if (idx != last) {
    FATBControls->Move(idx, last);
    PositionControls(true);
  }
  return last;
}

int TAdvCustomToolBar::InsertToolBarControl(int Index, TControl* AControl) {
  int idx = AddToolBarControl(AControl);
  if (idx < 0) return -1;
  Index = std::clamp(Index, 0, FATBControls->Count() - 1);
  if (Index != idx) {
    FATBControls->Move(idx, Index);
    PositionControls(true);
  }
  return Index;
}

void TAdvCustomToolBar::MoveToolBarControl(int FromIndex, int ToIndex) {
  int n = FATBControls->Count();
  if (FromIndex < 0 || FromIndex >= n || ToIndex < 0 || ToIndex >= n || FromIndex == ToIndex) return;
  TControl* c = ToolBarControls(FromIndex);
  FRUControls->Remove(c);
  FLUHidedControls->Remove(c);
  FATBControls->Move(FromIndex, ToIndex);
  PositionControls(true);
  UpdateOverflow();
}

void TAdvCustomToolBar::EnableAllControls(bool Value) {
  if (IsDesigning()) return;
  for (int i = 0; i < FATBControls->Count(); ++i) {
    TControl* c = ToolBarControls(i);
    if (c->Visible() && !IsToolBarSeparator(c)) c->SetEnabled(Value);
  }
}

void TAdvCustomToolBar::BeginUpdate() {
  // Counted whether or not the toolbar shows, so that a toolbar hidden
  // inside the bracket paints again once it ends.
  ++FUpdateCount;
  if (FUpdateCount == 1 && HandleAllocated()) SendMessageW(FHandle, WM_SETREDRAW, 0, 0);
}

void TAdvCustomToolBar::EndUpdate() {
  if (FUpdateCount <= 0) return;
  if (--FUpdateCount > 0) return;
  if (HandleAllocated()) {
    SendMessageW(FHandle, WM_SETREDRAW, 1, 0);
    InvalidateRect(FHandle, nullptr, FALSE);
  }
  PositionControls(true);
  UpdateOverflow();
}

// ---------------------------------------------------------------------------
// Where it lives

TAdvDockPanel* TAdvCustomToolBar::DockPanelParent() const { return dynamic_cast<TAdvDockPanel*>(FParent); }

bool TAdvCustomToolBar::OnPageOrCompactWindow() const {
  return PageOf(this) != nullptr || IsClass(FParent, L"TCompactWindow");
}

void TAdvCustomToolBar::SetAdvDockPanel(TAdvDockPanel* Value) {
  if (!Value || Value == FCurrentDock) return;
  SetParent(Value);
  if (FFloatingWindow) FreeAndNil(FFloatingWindow);
}

void TAdvCustomToolBar::Dock(TAdvDockPanel* NewDockSite) {
  if (!NewDockSite) return;
  bool wasFloating = FToolBarState == TToolBarState::tsFloating;
  SetParent(NewDockSite);
  if (wasFloating && FFloatingWindow) FreeAndNil(FFloatingWindow);
}

int TAdvCustomToolBar::GetShrinkableLength() {
  return IsHorizontalBar() ? FWidth - FConstraints->MinWidth() : FHeight - FConstraints->MinHeight();
}

int TAdvCustomToolBar::GetGrowableLength() {
  return IsHorizontalBar() ? FConstraints->MaxWidth() - FWidth : FConstraints->MaxHeight() - FHeight;
}

int TAdvCustomToolBar::ToolBarIndex() {
  IToolBarPage* page = PageOf(this);
  return page ? page->PageGroupIndex(this) : -1;
}

void TAdvCustomToolBar::SetToolBarIndex(int Value) {
  IToolBarPage* page = PageOf(this);
  if (!page) return;
  int n = page->PageGroupCount();
  if (n <= 0) return;
  Value = std::clamp(Value, 0, n - 1);
  page->PageMoveGroup(this, Value);
  SetTabOrder(Value);
}

void TAdvCustomToolBar::LinkGlowButton(TAdvCustomGlowButton* G) {
  G->FOnInternalKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) {
    GlowButtonKeyDown(Sender, Key, Shift);
  };
  G->FOnSetButtonSize = [this](TObject* Sender, int& W, int& H) { GlowButtonSetSize(Sender, W, H); };
  G->FOnGetShortCutHintPos = [this](TObject* Sender, TButtonSizeState State, TShortCutHintPos& Pos) {
    GlowButtonGetShortCutHintPos(Sender, State, Pos);
  };
}

void TAdvCustomToolBar::LinkGlowButtons() {
  if (!PageOf(this) || IsDesigning()) return;
  for (int i = 0; i < FATBControls->Count(); ++i)
    if (auto* g = dynamic_cast<TAdvCustomGlowButton*>(ToolBarControls(i))) LinkGlowButton(g);
}

void TAdvCustomToolBar::UpdateButtonRows() {
  IToolBarPage* page = PageOf(this);
  if (!page || !(page->PageParentPager() || page->PageMinimizedWindowPager())) return;
  int found = 0;
  for (int& r : FButtonRows) r = -100;
  for (int i = 0; i < FATBControls->Count(); ++i) {
    TControl* c = ToolBarControls(i);
    if (!c->Visible() || c->Top() < 0) continue;
    bool placed = false;
    for (int r = 0; r < found && !placed; ++r) placed = std::abs(c->Top() - FButtonRows[r]) <= 4;
    if (!placed && found < 3) FButtonRows[found++] = c->Top();
  }
  std::sort(FButtonRows, FButtonRows + found);
}

void TAdvCustomToolBar::GlowButtonGetShortCutHintPos(TObject* Sender, TButtonSizeState, TShortCutHintPos& Pos) {
  auto* c = dynamic_cast<TControl*>(Sender);
  if (Pos != TShortCutHintPos::shpAuto || !c) return;
  auto onRow = [c](int Row) { return Row > 0 && std::abs(c->Top() - Row) <= 4; };
  bool third = FButtonRows[2] > 0;
  if (c->Height() >= FHeight - FCaptionHeight - 15)
    Pos = TShortCutHintPos::shpBottom;
  else if (onRow(FButtonRows[0]))
    Pos = third ? TShortCutHintPos::shpTopLeft : TShortCutHintPos::shpAboveTopLeft;
  else if (onRow(FButtonRows[1]))
    Pos = third ? TShortCutHintPos::shpLeft : TShortCutHintPos::shpBelowBottomLeft;
  else
    Pos = TShortCutHintPos::shpBottomLeft;
}

void TAdvCustomToolBar::GlowButtonSetSize(TObject* Sender, int& W, int& H) {
  auto* g = dynamic_cast<TAdvCustomGlowButton*>(Sender);
  if (!g || g->ButtonSizeState() != TButtonSizeState::bsLarge) return;
  if (FAutoPositionControls || (FCompact && FOldAutoPosition)) H = FHeight - FCaptionHeight - 5;
}

void TAdvCustomToolBar::DoCompactShow() {
  if (OnCompactShow) OnCompactShow(this);
}

// ---------------------------------------------------------------------------
// Properties

void TAdvCustomToolBar::SetAllowFloating(bool Value) {
  if (FToolBarState == TToolBarState::tsFloating) Value = true;
  FAllowFloating = Value;
}

void TAdvCustomToolBar::SetLocked(bool Value) {
  if (FToolBarState == TToolBarState::tsFloating) Value = false;
  FLocked = Value;
}

void TAdvCustomToolBar::SetAntiAlias(TAntiAlias Value) {
  if (FAntiAlias == Value) return;
  FAntiAlias = Value;
  Invalidate();
}

void TAdvCustomToolBar::SetAutoArrangeButtons(bool Value) {
  if (FAutoArrangeButtons == Value) return;
  FAutoArrangeButtons = Value;
  if (!Value && !IsLoading()) FRUControls->AssignList(FATBControls);
}

bool TAdvCustomToolBar::IsRibbonGroup() { return PageOf(this) != nullptr; }

void TAdvCustomToolBar::SetAutoPositionControls(bool Value) {
  if (FAutoPositionControls == Value) return;
  if (!Value && (FToolBarState != TToolBarState::tsFixed || DockPanelParent())) return;
  FAutoPositionControls = Value;
  if (Value)
    PositionControls(true);
  else
    SetAutoSize(false);
}

void TAdvCustomToolBar::SetAutoPositionMultiRow(bool Value) {
  FAutoPositionMultiRow = Value;
  PositionControls(true);
}

void TAdvCustomToolBar::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  if (!Value && (FToolBarState != TToolBarState::tsFixed || DockPanelParent())) return;
  PositionControls(true);
  if (!Value) {
    FConstraints->SetMinWidth(0);
    FConstraints->SetMaxWidth(0);
    FConstraints->SetMinHeight(0);
    FConstraints->SetMaxHeight(0);
  }
}

void TAdvCustomToolBar::SetToolBarCaption(const String& Value) {
  FCaption = Value;
  SetText(Value);
  Invalidate();
}

void TAdvCustomToolBar::SetWideCaption(const String& Value) {
  FWideCaption = Value;
  Invalidate();
}

void TAdvCustomToolBar::SetCaptionFont(TFont* Value) {
  FCaptionFont->Assign(Value);
  Invalidate();
}

void TAdvCustomToolBar::CaptionFontChanged() { Invalidate(); }

void TAdvCustomToolBar::SetCaptionHeight(int Value) {
  FCaptionHeight = Value;
  if (FShowCaption) {
    PositionControls(false);
    Invalidate();
  }
}

void TAdvCustomToolBar::SetCaptionPosition(TCaptionPosition Value) {
  if (FCaptionPosition == Value) return;
  FCaptionPosition = Value;
  if (FShowCaption) {
    PositionControls(false);
    Invalidate();
  }
}

void TAdvCustomToolBar::SetCaptionAlignment(TAlignment Value) {
  if (FCaptionAlignment == Value) return;
  FCaptionAlignment = Value;
  Invalidate();
}

void TAdvCustomToolBar::SetShowCaption(bool Value) {
  if (FShowCaption == Value) return;
  FShowCaption = Value;
  PositionControls(true);
  Invalidate();
}

void TAdvCustomToolBar::SetShowRightHandle(bool Value) {
  FShowRightHandle = Value;
  FPopupIndicatorWidth = Value ? 14 : 4;
  if (FVisible) {
    PositionControls(true);
    if (FToolBarState == TToolBarState::tsDocked && FCurrentDock) FCurrentDock->Rows()->UpdateRowRects();
    Invalidate();
  }
}

void TAdvCustomToolBar::SetShowOptionIndicator(bool Value) {
  FShowOptionIndicator = Value;
  Invalidate();
}

void TAdvCustomToolBar::SetFullSize(bool Value) {
  if (FFullSize == Value) return;
  FFullSize = Value;
  if (FToolBarState != TToolBarState::tsDocked || !FCurrentDock) return;
  if (Value) {
    SetParentStyler(true);
    FCurrentDock->ToolBarFullSizeChanged(this);
    UpdateOverflow();
    PositionControls(false);
  } else {
    PositionControls(true);
  }
}

void TAdvCustomToolBar::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  bool horz = IsHorizontalBar();
  int delta = 0;
  if (FImages && Value)
    delta = horz ? Value->Height() - FImages->Height() : Value->Width() - FImages->Width();
  else if (FImages)
    delta = -(horz ? FImages->Height() : FImages->Width());
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  bool floating = FToolBarState == TToolBarState::tsFloating;
  if (delta != 0) {
    if (horz)
      SetHeight(FHeight + delta);
    else
      SetWidth(FWidth + delta);
    if (floating && !IsLoading()) FSizeAtDock += delta;
  }
  bool saved = FInternalControlPositioning;
  FInternalControlPositioning = true;
  for (int i = 0; i < FATBControls->Count(); ++i)
    if (auto* tc = dynamic_cast<TAdvCustomToolBarControl*>(ToolBarControls(i))) tc->AdjustSize();
  FInternalControlPositioning = saved;
  PositionControls(true);
  if (FImages) {
    UpdateImagesShade();
    if (floating && !IsLoading()) {
      FSizeAtDock = GetDockedThickness(true);
      PositionControls(true);
    }
  }
  Invalidate();
}

void TAdvCustomToolBar::UpdateImagesShade() {
  if (!FImages) return;
  for (int i = 0; i < FATBControls->Count(); ++i) {
    if (auto* tc = dynamic_cast<TAdvCustomToolBarControl*>(ToolBarControls(i))) tc->AdjustSize();
    if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(ToolBarControls(i))) b->GenerateShade();
  }
}

void TAdvCustomToolBar::SetDisabledImages(TCustomImageList* Value) {
  if (FDisabledImages) FDisabledImages->RemoveFreeNotification(this);
  FDisabledImages = Value;
  if (Value) Value->FreeNotification(this);
  for (int i = 0; i < FATBControls->Count(); ++i)
    if (auto* tc = dynamic_cast<TAdvCustomToolBarControl*>(ToolBarControls(i))) tc->AdjustSize();
  Invalidate();
}

void TAdvCustomToolBar::SetOptionMenu(TPopupMenu* Value) {
  if (FOptionMenu) FOptionMenu->RemoveFreeNotification(this);
  FOptionMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TAdvCustomToolBar::SetParentOptionPicture(bool Value) {
  FParentOptionPicture = Value;
  Invalidate();
}

int TAdvCustomToolBar::GetMaxButtonExtent() {
  int m = 0;
  for (int i = 0; i < FATBControls->Count(); ++i)
    if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(ToolBarControls(i)))
      m = std::max(m, b->CanRotate() ? b->Width() : b->Height());
  return m;
}

int TAdvCustomToolBar::GetDockedThickness(bool Floating) {
  int base = 0;
  bool horz = IsHorizontalBar();
  for (int i = 0; i < FATBControls->Count(); ++i) {
    TControl* c = ToolBarControls(i);
    if (IsToolBarSeparator(c)) continue;
    if (horz)
      base = std::max(base, c->Height());
    else if (!Floating)
      base = std::max(base, c->Width());
    else if (!dynamic_cast<TAdvCustomToolBarControl*>(c))
      base = std::max(base, c->Height());
  }
  if (!horz && Floating) base = std::max(base, GetMaxButtonExtent());
  return std::max(base + 4, 26);
}

// ---------------------------------------------------------------------------
// Messages

void TAdvCustomToolBar::WndProc(TMessage& Message) {
  if (Message.Msg == WM_DESTROY && FTimerID) {
    KillTimer(FHandle, FTimerID);
    FTimerID = 0;
  } else if (Message.Msg == WM_TIMER) {
    TCustomControl::WndProc(Message);
    FloatingTimer();
    return;
  } else if (WM_TBCOMPACTWINHIDE && Message.Msg == WM_TBCOMPACTWINHIDE) {
    // Menus of the form are drawn again after a drop-down closed.
    TCustomForm* form = GetParentForm(this);
    while (form && form->Parent()) form = GetParentForm(form->Parent());
    if (form && form->Menu()) {
      int h = form->Height();
      form->SetHeight(h + 1);
      form->SetHeight(h);
    }
  }
  TCustomControl::WndProc(Message);
}

void TAdvCustomToolBar::Dispatch(TMessage& Message) {
  if (MenuBarMessage(Message) || MDIButtonsMessage(Message)) return;
  switch (Message.Msg) {
    case CM_CONTROLCHANGE:
      ControlChange(reinterpret_cast<TControl*>(Message.WParam), Message.LParam != 0);
      return;
    case WM_ERASEBKGND:
      // Paint covers every pixel.
      Message.Result = 1;
      return;
    case CM_HINTSHOW: {
      TCustomControl::Dispatch(Message);
      auto* hi = reinterpret_cast<THintInfo*>(Message.LParam);
      if (!hi) return;
      bool showHint = ControlShowsHint(this);
      TPoint p = hi->CursorPos;
      if (FToolBarState == TToolBarState::tsFloating) {
        if (FShowClose && showHint && !FHintCloseButton.empty() && GetCloseButtonRect().Contains(p))
          hi->HintStr = FHintCloseButton;
        if (FShowOptionIndicator && showHint && !FHintOptionButton.empty() && GetOptionButtonRect().Contains(p))
          hi->HintStr = FHintOptionButton;
      } else if (FShowOptionIndicator && showHint && !FHintOptionButton.empty() && RightHandleShown() &&
                 GetRightHandleRect().Contains(p)) {
        hi->HintStr = FHintOptionButton;
      }
      if (ShowDisabledControlsHint() && !IsDesigning() && (hi->HintStr.empty() || hi->HintStr == FHint) &&
          FHintCtrl && !FHintCtrl->Enabled() && FHintCtrl->ShowHint()) {
        hi->HintStr = FHintCtrl->Hint();
        hi->HintControl = FHintCtrl;
      }
      return;
    }
    case CM_DIALOGCHAR: {
      if (FEnabled && Showing() && (GetKeyState(VK_MENU) < 0 || FInMenuLoop)) {
        auto ch = static_cast<wchar_t>(Message.WParam);
        for (int i = 0; i < FATBControls->Count(); ++i) {
          auto* b = dynamic_cast<TAdvCustomToolBarButton*>(ToolBarControls(i));
          if (!b || !b->Visible() || !b->Enabled() || !GlowButton::IsAccel(ch, b->Caption())) continue;
          if ((b->DropDownButton() || b->IsMenuButton()) && (b->DropDownMenu() || b->MenuItem()))
            b->DoDropDown();
          else
            b->Click();
          Message.Result = 1;
          return;
        }
      }
      break;
    }
    case CM_SHOWINGCHANGED:
      TCustomControl::Dispatch(Message);
      if (FShowing && FFirstShowing) {
        FFirstShowing = false;
        if (PageOf(this)) PositionControls(true);
      }
      return;
    case CM_MOUSEENTER:
      TCustomControl::Dispatch(Message);
      if (Message.LParam == reinterpret_cast<LPARAM>(this)) GroupMouseEnter();
      return;
    case CM_MOUSELEAVE:
      TCustomControl::Dispatch(Message);
      if (Message.LParam == reinterpret_cast<LPARAM>(this)) {
        PartsMouseLeave();
        GroupMouseLeave();
      }
      return;
    case CM_FOCUSCHANGED:
      TCustomControl::Dispatch(Message);
      FocusChanged(reinterpret_cast<TControl*>(Message.LParam));
      return;
    case CM_VISIBLECHANGED:
      VisibleChanged(Message);
      return;
    case WM_LBUTTONUP: {
      TPoint p(static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam)));
      if (FToolBarState != TToolBarState::tsFloating &&
          ((GripShown() && GetDragGripRect().Contains(p)) || (RightHandleShown() && GetRightHandleRect().Contains(p))))
        FSupressClick = true;
      if (FToolBarState == TToolBarState::tsFloating &&
          (GetCaptionRect().Contains(p) || GetCloseButtonRect().Contains(p) || GetOptionButtonRect().Contains(p)))
        FSupressClick = true;
      break;
    }
    default:
      break;
  }
  TCustomControl::Dispatch(Message);
}

void TAdvCustomToolBar::VisibleChanged(TMessage& Message) {
  // The dock rows make room before a toolbar shows and close up after it
  // hid.
  bool docked = FToolBarState == TToolBarState::tsDocked && FCurrentDock && FParent == FCurrentDock;
  bool told = false;
  if (docked && FVisible && !IsDesigning()) {
    FCurrentDock->ToolBarVisibleChanged(this);
    told = true;
  }
  TCustomControl::Dispatch(Message);
  if (FToolBarState == TToolBarState::tsFloating && FFloatingWindow) {
    FAutoHiding = FVisible;
    FFloatingWindow->SetVisible(FVisible);
  } else if (docked && !told && !IsDesigning()) {
    FCurrentDock->ToolBarVisibleChanged(this);
  }
  if (FToolBarState != TToolBarState::tsFloating)
    if (IToolBarPage* page = PageOf(this)) page->PageGroupsChanged();
}

void TAdvCustomToolBar::Click() {
  bool suppress = FSupressClick;
  FSupressClick = false;
  if (!suppress) TCustomControl::Click();
}

void TAdvCustomToolBar::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  TrackPartsHover(Shift, TPoint(X, Y));
  if (IsDesigning() || !ShowDisabledControlsHint()) return;
  TControl* c = ControlAtPos(TPoint(X, Y), true, true);
  if (c != FHintCtrl) {
    FHintCtrl = c;
    if (Application) Application->CancelHint();
  }
}
