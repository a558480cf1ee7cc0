// Where a toolbar's items go, how the toolbar sizes itself to them and which
// size constraints it keeps, and the overflow: a docked toolbar that has
// become too short hides its least used items (and separators left alone)
// behind the chevron and shows them again when room returns.
#include <algorithm>

#include "ui/toolbar/bars/AdvDockPanel.h"
#include "ui/toolbar/bars/AdvToolBar.h"
#include "ui/toolbar/bars/AdvToolBarButton.h"

namespace {

bool IsSmallRibbonButton(TControl* C) {
  if (auto* g = dynamic_cast<TAdvCustomGlowButton*>(C)) return g->ButtonSizeState() != TButtonSizeState::bsLarge;
  return IsClass(C, L"TAdvToolBarButton");
}

}  // namespace

bool TAdvCustomToolBar::GripShown() {
  if (FToolBarState == TToolBarState::tsFloating) return false;
  if (FCurrentToolBarStyler->DragGripStyle() == TDragGripStyle::dsNone) return false;
  TWinControl* p = FParent;
  if (p && IsClass(p, L"TCompactWindow") && FSelfClone) return false;
  return !OnPageOrCompactWindow();
}

bool TAdvCustomToolBar::RightHandleShown() {
  return FShowPopupIndicator && FShowRightHandle && FToolBarState != TToolBarState::tsFloating && !FFullSize;
}

int TAdvCustomToolBar::StartOffset() { return GripShown() ? FDragGripWidth + 2 : 2; }

int TAdvCustomToolBar::ItemLength(TControl* C) const {
  return IsHorizontal(FPosition) || FToolBarState == TToolBarState::tsFloating ? C->Width() : C->Height();
}

int TAdvCustomToolBar::ItemFarEdge(TControl* C) const {
  return IsHorizontal(FPosition) ? C->Left() + C->Width() : C->Top() + C->Height();
}

void TAdvCustomToolBar::MoveAway(TControl* C) {
  if (IsHorizontalBar() || FToolBarState == TToolBarState::tsFloating)
    C->SetTop(FHeight + 2);
  else
    C->SetLeft(FWidth + 2);
}

// ---------------------------------------------------------------------------
// Placing the items

void TAdvCustomToolBar::PositionControls(bool WithSizing) {
  if (IsLoading() || IsDestroying() || FUpdateCount > 0) return;
  if (FToolBarState == TToolBarState::tsFixed && !FAutoPositionControls) return;
  FlagGuard positioning(FInternalControlPositioning, true);
  bool runTime = !IsDesigning();
  int n = FATBControls->Count();
  bool floating = FToolBarState == TToolBarState::tsFloating;

  // A ribbon group whose items flow in rows of their own.
  if (PageOf(this) && !FAutoSize && FAutoPositionMultiRow) {
    int x = 2, y = 0;
    for (int i = 0; i < n; ++i) {
      TControl* c = ToolBarControls(i);
      if (!c->Visible()) {
        if (runTime) MoveAway(c);
        continue;
      }
      if (FWidth - x - 2 < c->Width()) {
        int right = 2;
        for (int j = 0; j < i; ++j) {
          TControl* o = ToolBarControls(j);
          if (o->Visible() && o->Height() > c->Height()) right = std::max(right, o->Left() + o->Width());
        }
        x = right;
        y += c->Height();
      }
      c->SetBounds(x, y, c->Width(), c->Height());
      x += c->Width();
    }
    return;
  }

  if (floating) {
    int y0 = FCaptionHeight + 2;
    if (FFloatingRows > 1 && WithSizing) AutoSizeToolBar();
    int x = 2, y = y0;
    for (int i = 0; i < n; ++i) {
      TControl* c = ToolBarControls(i);
      if (!c->Visible()) {
        MoveAway(c);
        continue;
      }
      if (FFloatingRows > 1 && FWidth - x - 2 < c->Width() && x > 2) {
        y += FSizeAtDock;
        x = 2;
      }
      c->SetBounds(x, y, c->Width(), c->Height());
      x += c->Width();
    }
    if (FFloatingRows <= 1 && WithSizing) AutoSizeToolBar();
    return;
  }

  int start = StartOffset();
  int across0 = FShowCaption && FCaptionPosition == TCaptionPosition::cpTop ? FCaptionHeight + 2 : 2;
  if (IsHorizontalBar()) {
    if (OnPageOrCompactWindow()) {
      // Columns: a large glow button has one of its own, smaller glow
      // buttons stack up to three, any other control starts one.
      int colLeft = start, colRight = start, stacked = 0, y = across0;
      bool stackColumn = false;
      for (int i = 0; i < n; ++i) {
        TControl* c = ToolBarControls(i);
        if (IsClass(c, L"TAdvBadge")) continue;
        if (!c->Visible()) {
          if (runTime) MoveAway(c);
          continue;
        }
        auto* g = dynamic_cast<TAdvCustomGlowButton*>(c);
        if (g) g->SetIsOnRibbon(true);
        if (g && g->ButtonSizeState() != TButtonSizeState::bsLarge) {
          if (!stackColumn || stacked >= 3) {
            colLeft = colRight;
            stacked = 0;
            y = across0;
            stackColumn = true;
          }
          c->SetBounds(colLeft, y, c->Width(), c->Height());
          y += c->Height();
          ++stacked;
          colRight = std::max(colRight, colLeft + c->Width());
        } else {
          colLeft = colRight;
          stackColumn = false;
          c->SetBounds(colLeft, across0, c->Width(), c->Height());
          colRight = colLeft + c->Width();
        }
      }
    } else {
      int x = start;
      for (int i = 0; i < n; ++i) {
        TControl* c = ToolBarControls(i);
        if (!IsShown(c)) {
          if (runTime || c->Visible()) MoveAway(c);
          continue;
        }
        c->SetBounds(x, across0, c->Width(), c->Height());
        x += c->Width();
      }
    }
  } else {
    int y = start;
    for (int i = 0; i < n; ++i) {
      TControl* c = ToolBarControls(i);
      if (!IsShown(c)) {
        if (runTime || c->Visible()) MoveAway(c);
        continue;
      }
      c->SetBounds(across0, y, c->Width(), c->Height());
      y += c->Height();
    }
  }
  if (WithSizing) AutoSizeToolBar();
}

// ---------------------------------------------------------------------------
// Sizing

int TAdvCustomToolBar::GetFullLength() {
  int len = StartOffset();
  for (int i = 0; i < FATBControls->Count(); ++i) {
    TControl* c = ToolBarControls(i);
    if (c->Visible()) len += ItemLength(c);
  }
  if (FShowPopupIndicator) len += FPopupIndicatorWidth;
  return std::max(len, FMinLength);
}

void TAdvCustomToolBar::GetFloatingSize(int& W, int& H) { FloatingSizeFor(FFloatingRows, false, W, H); }

void TAdvCustomToolBar::FloatingSizeFor(int Rows, bool AllItems, int& W, int& H) {
  auto counts = [AllItems](TControl* c) { return AllItems || c->Visible(); };
  bool horz = IsHorizontalBar();
  auto extent = [horz](TControl* c) { return horz ? c->Width() : c->Height(); };
  int w = 0;
  for (int i = 0; i < FATBControls->Count(); ++i)
    if (counts(ToolBarControls(i))) w = std::max(w, extent(ToolBarControls(i)));
  w = std::max(w + 4, FMinLength);
  int slack = w;
  int rows = 1, x = 2;
  // Widens by 10 until the items fit in the rows asked for.
  for (int tries = 0; tries < 10000; ++tries) {
    rows = 1;
    x = 2;
    for (int i = 0; i < FATBControls->Count() && rows <= Rows; ++i) {
      TControl* c = ToolBarControls(i);
      if (!counts(c)) continue;
      if (w - x - 2 < extent(c)) {
        slack = std::min(slack, w - x - 2);
        x = 2;
        ++rows;
        if (rows > Rows) break;
      }
      x += extent(c);
    }
    if (rows <= Rows) break;
    w += 10;
  }
  H = rows * FSizeAtDock + FCaptionHeight;
  if (rows > 1) {
    slack = std::min(slack, w - x - 2);
    w -= slack;
  }
  W = w;
}

void TAdvCustomToolBar::AutoSizeToolBar() {
  if (IsDestroying()) return;
  TSizeConstraints* k = FConstraints;
  if (FToolBarState == TToolBarState::tsFloating) {
    k->SetMinWidth(0);
    k->SetMaxWidth(0);
    k->SetMinHeight(0);
    k->SetMaxHeight(0);
    if (FFloatingRows <= 1) {
      int right = 0;
      for (int i = FATBControls->Count() - 1; i >= 0; --i)
        if (ToolBarControls(i)->Visible()) {
          right = ToolBarControls(i)->Left() + ToolBarControls(i)->Width();
          break;
        }
      SetBounds(FLeft, FTop, std::max(FMinLength, right + 2), FSizeAtDock + FCaptionHeight);
    } else {
      int w, h;
      GetFloatingSize(w, h);
      SetBounds(FLeft, FTop, w, h);
    }
    return;
  }
  bool horz = IsHorizontalBar();
  if (!horz && FFullSize) return;
  int n = FATBControls->Count();
  bool group = OnPageOrCompactWindow();
  auto farEdge = [horz](TControl* c) { return horz ? c->Left() + c->Width() : c->Top() + c->Height(); };

  // The length needed to show the items.
  int needed;
  if (n == 0) {
    needed = FMinLength;
  } else {
    needed = 15;
    for (int i = n - 1; i >= 0; --i) {
      TControl* c = ToolBarControls(i);
      if (!IsHiddenControl(c) && (c->Visible() || IsDesigning())) {
        needed = farEdge(c);
        break;
      }
    }
    if (horz && group) {
      int edge = 0, small = 0;
      for (int i = n - 1; i >= 0; --i) {
        TControl* c = ToolBarControls(i);
        if (!c->Visible()) continue;
        edge = std::max(edge, farEdge(c));
        if (!IsSmallRibbonButton(c)) break;
        if (++small >= 3) break;
      }
      if (edge != 0) needed = edge;
    }
  }
  // Room for the right handle after the items (a toolbar without items
  // is just its minimum length).
  if (FShowPopupIndicator && n > 0) needed += FPopupIndicatorWidth;

  // The full length and the thickness.
  int full = StartOffset(), thick = 26;
  bool anyVisible = false;
  if (FVisible)
    for (int i = 0; i < n; ++i) {
      TControl* c = ToolBarControls(i);
      if (!c->Visible() && !IsDesigning()) continue;
      anyVisible = anyVisible || c->Visible();
      full += horz ? c->Width() : c->Height();
      if (!IsToolBarSeparator(c)) thick = std::max(thick, (horz ? c->Height() : c->Width()) + 4);
    }
  if (FShowPopupIndicator) full += FPopupIndicatorWidth;
  full = horz && group ? needed : std::max(full, needed);
  if (!FVisible || (FHideOnEmpty && PageOf(this) && !IsDesigning() && !anyVisible)) needed = full = 0;
  FMaxLength = full;
  if (!FAutoSize) return;

  if (horz) {
    k->SetMinHeight(0);
    k->SetMaxHeight(0);
    k->SetMinWidth(std::min(FMinLength, needed));
    if (FDoCheckBoundChange && k->MaxWidth() != full && full < FWidth && FWidth != needed) SetWidth(needed);
    k->SetMaxWidth(full);
    if (FWidth < needed) {
      SetWidth(needed);
    } else if (FWidth > needed && FWidth > full) {
      FlagGuard bound(FAllowBoundChange, !FDoCheckBoundChange);
      SetWidth(needed);
    }
    if (FShowCaption) thick += FCaptionHeight;
    if (IsClass(FParent, L"TCompactWindow") && FSelfClone && !IsDesigning()) thick = FSelfClone->Height();
    if (FHeight != thick) SetHeight(thick);
  } else {
    k->SetMinWidth(0);
    k->SetMaxWidth(0);
    k->SetMinHeight(std::min(FMinLength, needed));
    k->SetMaxHeight(full);
    if (FHeight < needed || (FHeight > needed && FHeight > full)) SetHeight(needed);
    if (FShowCaption) thick += FCaptionHeight;
    if (FWidth != thick) SetWidth(thick);
  }
}

// ---------------------------------------------------------------------------
// Overflow

int TAdvCustomToolBar::SeparatorBefore(int Index, bool Hidden) const {
  for (int i = Index - 1; i >= 0; --i) {
    TControl* c = ToolBarControls(i);
    if (!IsToolBarSeparator(c)) continue;
    if (Hidden ? IsHiddenControl(c) : IsShown(c)) return i;
  }
  return -1;
}

int TAdvCustomToolBar::SeparatorAfter(int Index, bool Hidden) const {
  for (int i = Index + 1; i < FATBControls->Count(); ++i) {
    TControl* c = ToolBarControls(i);
    if (!IsToolBarSeparator(c)) continue;
    if (Hidden ? IsHiddenControl(c) : IsShown(c)) return i;
  }
  return -1;
}

bool TAdvCustomToolBar::GroupHasShownItem(int Index) const {
  for (int i = Index - 1; i >= 0 && !IsToolBarSeparator(ToolBarControls(i)); --i)
    if (IsShown(ToolBarControls(i))) return true;
  for (int i = Index + 1; i < FATBControls->Count() && !IsToolBarSeparator(ToolBarControls(i)); ++i)
    if (IsShown(ToolBarControls(i))) return true;
  return false;
}

void TAdvCustomToolBar::GiveBack(TControl* C) {
  if (C->Parent() != this && !IsDesigning() && !IsLoading()) {
    FlagGuard updation(FInternalControlUpdation, true);
    FlagGuard updating(FUpdatingControls, true);
    C->SetParent(this);
  }
  FLUHidedControls->Remove(C);
}

void TAdvCustomToolBar::UpdateOverflow() {
  if (FToolBarState != TToolBarState::tsDocked || !FCurrentDock || FUpdateCount > 0 || FUpdatingControls) return;
  if (IsLoading() || IsDestroying()) return;
  FlagGuard running(FUpdatingControls, true);
  if (FFullSize) {
    FUpdatingControls = false;
    ShowAllHiddenControls();
    return;
  }
  int n = FATBControls->Count();
  int length = IsHorizontalBar() ? FWidth : FHeight;
  int handle = FPopupIndicatorWidth;

  // A last item whose group separator went behind the chevron goes too.
  for (int i = n - 1; i >= 0; --i) {
    TControl* c = ToolBarControls(i);
    if (!IsShown(c) || IsToolBarSeparator(c)) continue;
    for (int j = i - 1; j >= 0; --j)
      if (IsToolBarSeparator(ToolBarControls(j))) {
        if (IsHiddenControl(ToolBarControls(j))) FLUHidedControls->Add(c);
        break;
      }
    break;
  }

  TControl* last = nullptr;
  for (int i = n - 1; i >= 0 && !last; --i)
    if (IsShown(ToolBarControls(i))) last = ToolBarControls(i);

  if (!last) {
    if (FLUHidedControls->Count() == 0) return;
    int free = length - handle - (GripShown() ? FDragGripWidth : 0);
    while (free > 0 && FLUHidedControls->Count() > 0) {
      auto* c = static_cast<TControl*>(FLUHidedControls->Last());
      int len = ItemLength(c);
      if (len > free) break;
      GiveBack(c);
      free -= len;
    }
  } else if (ItemFarEdge(last) >= length - handle) {
    int excess = ItemFarEdge(last) + handle - length;
    while (excess > 0) {
      TControl* victim = nullptr;
      for (int i = FRUControls->Count() - 1; i >= 0; --i) {
        auto* c = static_cast<TControl*>(FRUControls->GetItemsEx(i));
        if (IsShown(c) && !IsToolBarSeparator(c)) {
          victim = c;
          break;
        }
      }
      if (!victim) break;
      FLUHidedControls->Add(victim);
      excess -= ItemLength(victim);
      int idx = FATBControls->IndexOf(victim);
      if (idx >= 0 && !GroupHasShownItem(idx)) {
        int sep = SeparatorBefore(idx, false);
        if (sep < 0) sep = SeparatorAfter(idx, false);
        if (sep >= 0) {
          FLUHidedControls->Add(ToolBarControls(sep));
          excess -= ItemLength(ToolBarControls(sep));
        }
      }
    }
  } else if (FLUHidedControls->Count() > 0) {
    int room = length - handle - ItemFarEdge(last);
    for (;;) {
      TControl* cand = nullptr;
      for (int i = FLUHidedControls->Count() - 1; i >= 0 && !cand; --i) {
        auto* c = static_cast<TControl*>(FLUHidedControls->GetItemsEx(i));
        if (!IsToolBarSeparator(c)) cand = c;
      }
      if (!cand) break;
      int len = ItemLength(cand);
      if (room < len) break;
      int idx = FATBControls->IndexOf(cand);
      TControl* sep = nullptr;
      if (idx >= 0 && !GroupHasShownItem(idx)) {
        int before = -1;
        for (int j = idx - 1; j >= 0; --j)
          if (IsToolBarSeparator(ToolBarControls(j))) {
            before = j;
            break;
          }
        int after = -1;
        for (int j = idx + 1; j < n; ++j)
          if (IsToolBarSeparator(ToolBarControls(j))) {
            after = j;
            break;
          }
        int hb = before >= 0 && IsHiddenControl(ToolBarControls(before)) ? before : -1;
        int ha = after >= 0 && IsHiddenControl(ToolBarControls(after)) ? after : -1;
        int s = hb >= 0 ? hb : ha;  // the one before it first
        if (s >= 0) sep = ToolBarControls(s);
      }
      if (sep) {
        int both = len + ItemLength(sep);
        if (room < both) break;
        GiveBack(sep);
        GiveBack(cand);
        room -= both;
      } else {
        GiveBack(cand);
        room -= len;
      }
      bool onlySeparators = true;
      for (int i = 0; i < FLUHidedControls->Count(); ++i)
        if (!IsToolBarSeparator(static_cast<TControl*>(FLUHidedControls->GetItemsEx(i)))) onlySeparators = false;
      if (onlySeparators) break;
    }
  }
  PositionControls(false);
}

void TAdvCustomToolBar::ShowAllHiddenControls() {
  {
    FlagGuard updation(FInternalControlUpdation, true);
    FlagGuard updating(FUpdatingControls, true);
    if (!IsDesigning() && !IsLoading())
      for (int i = 0; i < FLUHidedControls->Count(); ++i) {
        auto* c = static_cast<TControl*>(FLUHidedControls->GetItemsEx(i));
        if (c->Parent() != this) c->SetParent(this);
      }
  }
  FLUHidedControls->Clear();
}

void TAdvCustomToolBar::RecheckHiddenControls() {
  for (int guard = 0; guard < 1000; ++guard) {
    TControl* last = nullptr;
    for (int i = FATBControls->Count() - 1; i >= 0 && !last; --i)
      if (IsShown(ToolBarControls(i))) last = ToolBarControls(i);
    if (!last) return;
    int length = IsHorizontalBar() ? FWidth : FHeight;
    int room = length - FPopupIndicatorWidth - ItemFarEdge(last);
    if (room <= 0) return;
    TControl* cand = nullptr;
    for (int i = FLUHidedControls->Count() - 1; i >= 0 && !cand; --i) {
      auto* c = static_cast<TControl*>(FLUHidedControls->GetItemsEx(i));
      if (!IsToolBarSeparator(c)) cand = c;
    }
    if (!cand || room < ItemLength(cand)) return;
    int before = FLUHidedControls->Count();
    UpdateOverflow();
    if (FLUHidedControls->Count() == before) return;
  }
}

void TAdvCustomToolBar::MoveToFront(TControl* AControl) {
  if (!IsListed(AControl) || IsDestroying()) return;
  if (FAutoArrangeButtons) {
    FRUControls->Remove(AControl);
    FRUControls->Insert(0, AControl);
    if (IsHiddenControl(AControl)) {
      int idx = FATBControls->IndexOf(AControl);
      if (!IsToolBarSeparator(AControl) && !GroupHasShownItem(idx)) {
        int sep = -1;
        for (int j = idx - 1; j >= 0; --j)
          if (IsToolBarSeparator(ToolBarControls(j))) {
            sep = j;
            break;
          }
        if (sep < 0 || !IsHiddenControl(ToolBarControls(sep))) {
          sep = -1;
          for (int j = idx + 1; j < FATBControls->Count(); ++j)
            if (IsToolBarSeparator(ToolBarControls(j))) {
              if (IsHiddenControl(ToolBarControls(j))) sep = j;
              break;
            }
        }
        if (sep >= 0) GiveBack(ToolBarControls(sep));
      }
      GiveBack(AControl);
    }
  }
  HideOptionWindow();
  UpdateOverflow();
}

void TAdvCustomToolBar::UpdateSeparatorVisibility() {
  // Not before the toolbar has a place: a toolbar filled before it is put
  // on a dock panel keeps its separators.
  if (!IsHorizontalBar() || FUpdateCount > 0 || !FParent) return;
  bool onDock = DockPanelParent() != nullptr;
  int count = 0;
  TControl* prev = nullptr;
  for (int guard = 0; guard <= ControlCount(); ++guard) {
    TControl* pick = nullptr;
    int limit = prev ? prev->Left() + 1 : 0;
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      if (!c->Visible() || IsPopupChild(c) || c->Left() <= limit) continue;
      if (!pick || c->Left() < pick->Left()) pick = c;
    }
    if (!pick && !prev && ControlCount() > 0 && Controls(0)->Visible()) pick = Controls(0);
    if (!pick) break;
    prev = pick;
    if (!IsToolBarSeparator(pick)) {
      ++count;
      continue;
    }
    if (!onDock) {
      pick->SetTop(FToolBarState == TToolBarState::tsFloating ? FCaptionHeight + 2 : 2);
      if (count == 0) pick->SetVisible(false);
    }
    count = 0;
  }
}

void TAdvCustomToolBar::AdjustClientRect(TRect& Rect) {
  TCustomControl::AdjustClientRect(Rect);
  if (IsHorizontalBar() && PageOf(this) && FToolBarState != TToolBarState::tsFloating && FShowCaption &&
      !FAutoPositionControls)
    Rect = GetItemsRect();
  if (FAutoPositionControls) UpdateSeparatorVisibility();
}

void TAdvCustomToolBar::AlignControls(TControl* AControl, TRect& Rect) {
  TCustomControl::AlignControls(AControl, Rect);
  if (AControl && !FInternalControlPositioning) ControlMoved(AControl);
}

void TAdvCustomToolBar::ControlMoved(TControl* AControl) {
  int idx = FATBControls->IndexOf(AControl);
  if (idx < 0) return;
  if (IsDesigning() || IsLoading()) {
    ReorderControl(idx, AControl->Left(), AControl->Top());
    return;
  }
  if (FToolBarState == TToolBarState::tsDocked && FCurrentDock) {
    {
      FlagGuard check(FDoCheckBoundChange, true);
      PositionControls(true);
      UpdateOverflow();
    }
    if (!FAllowBoundChange && FRow >= 0 && FRow < FCurrentDock->RowCount())
      FCurrentDock->Rows()->Items(FRow)->ArrangeToolBars();
  }
}

void TAdvCustomToolBar::SetPosition(TDockAlign Value) {
  if (FPosition == Value) return;
  FPosition = Value;
  FlagGuard bound(FAllowBoundChange, true);
  TSizeConstraints* k = FConstraints;
  if (!IsHorizontal(Value)) {
    k->SetMinWidth(0);
    k->SetMaxWidth(0);
    k->SetMinHeight(FMinLength);
    k->SetMaxHeight(FMaxLength);
    SetBounds(FLeft, FTop, FSizeAtDock, FMaxLength);
  } else {
    k->SetMinHeight(0);
    k->SetMaxHeight(0);
    k->SetMinWidth(FMinLength);
    k->SetMaxWidth(FMaxLength);
    SetBounds(FLeft, FTop, FMaxLength, FSizeAtDock);
  }
  {
    FlagGuard positioning(FInternalControlPositioning, true);
    for (int i = 0; i < FATBControls->Count(); ++i)
      if (auto* tc = dynamic_cast<TAdvCustomToolBarControl*>(ToolBarControls(i))) tc->SetPosition(Value);
  }
  FMaxLength = GetFullLength();
  if (IsHorizontal(Value)) {
    k->SetMaxWidth(FMaxLength);
    SetWidth(FMaxLength);
  } else {
    k->SetMaxHeight(FMaxLength);
    SetHeight(FMaxLength);
  }
  PositionControls(false);
  UpdateOverflow();
}

void TAdvCustomToolBar::Resize() {
  TCustomControl::Resize();
  if (IsDesigning() && PageOf(this) && FAutoPositionControls) PositionControls(false);
}
