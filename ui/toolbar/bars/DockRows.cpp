#include "ui/toolbar/bars/DockRows.h"

#include <algorithm>

#include "ui/toolbar/bars/AdvDockPanel.h"
#include "ui/toolbar/bars/AdvToolBar.h"

namespace {

// Every change the rows make is taken by the toolbar as it comes, without
// asking the panel again.
struct BoundChange {
  TAdvCustomToolBar* T;
  bool Saved;
  explicit BoundChange(TAdvCustomToolBar* ToolBar) : T(ToolBar), Saved(ToolBar->AllowBoundChange()) {
    T->SetAllowBoundChange(true);
  }
  ~BoundChange() { T->SetAllowBoundChange(Saved); }
};

}  // namespace

// ---------------------------------------------------------------------------
// One row

TRowCollectionItem::TRowCollectionItem(TCollection* Collection)
    : TCollectionItem(Collection), FToolBarList(new TDbgList) {}

void TRowCollectionItem::BeforeDestruction() {
  FIndexWhenFreed = Index();
  TCollectionItem::BeforeDestruction();
}

void TRowCollectionItem::Destroy() {
  if (TRowCollection* rows = Rows(); rows && rows->OnDeleteItem) rows->OnDeleteItem(rows, FIndexWhenFreed);
  TCollectionItem::Destroy();
}

TRowCollection* TRowCollectionItem::Rows() const {
  return static_cast<TRowCollection*>(Collection() ? Collection() : nullptr);
}

TAdvCustomToolBar* TRowCollectionItem::ToolBars(int Index) const {
  return static_cast<TAdvCustomToolBar*>(FToolBarList->GetItemsEx(Index));
}

bool TRowCollectionItem::Vertical() const { return Rows() && Rows()->Vertical(); }
int TRowCollectionItem::Gap() const { return Rows() ? Rows()->OffSetX() : 2; }
int TRowCollectionItem::Start(TAdvCustomToolBar* T) const { return Vertical() ? T->Top() : T->Left(); }
int TRowCollectionItem::Length(TAdvCustomToolBar* T) const { return Vertical() ? T->Height() : T->Width(); }
int TRowCollectionItem::RowStart() const { return Vertical() ? FRowRect.top : FRowRect.left; }
int TRowCollectionItem::RowEnd() const { return Vertical() ? FRowRect.bottom : FRowRect.right; }
int TRowCollectionItem::Grow(TAdvCustomToolBar* T) { return T->GetGrowableLength(); }
int TRowCollectionItem::Shrink(TAdvCustomToolBar* T) { return T->GetShrinkableLength(); }

void TRowCollectionItem::MoveTo(TAdvCustomToolBar* T, int NewStart) {
  BoundChange b(T);
  if (Vertical())
    T->SetBounds(T->Left(), NewStart, T->Width(), T->Height());
  else
    T->SetBounds(NewStart, T->Top(), T->Width(), T->Height());
}

void TRowCollectionItem::Resize(TAdvCustomToolBar* T, int NewLength) {
  BoundChange b(T);
  if (Vertical())
    T->SetBounds(T->Left(), T->Top(), T->Width(), NewLength);
  else
    T->SetBounds(T->Left(), T->Top(), NewLength, T->Height());
}

void TRowCollectionItem::SetAcross(TAdvCustomToolBar* T, int NewStart) {
  BoundChange b(T);
  if (Vertical())
    T->SetBounds(NewStart, T->Top(), T->Width(), T->Height());
  else
    T->SetBounds(T->Left(), NewStart, T->Width(), T->Height());
}

void TRowCollectionItem::FitFullSize(TAdvCustomToolBar* T) {
  BoundChange b(T);
  int len = RowLength() - 2 * Gap();
  TSizeConstraints* k = T->Constraints();
  if (Vertical()) {
    k->SetMinHeight(0);
    k->SetMaxHeight(len);
    k->SetMinHeight(len);
    T->SetBounds(T->Left(), T->Top(), T->Width(), len);
  } else {
    k->SetMinWidth(0);
    k->SetMaxWidth(len);
    k->SetMinWidth(len);
    T->SetBounds(T->Left(), T->Top(), len, T->Height());
  }
  T->PositionControls(false);
}

int TRowCollectionItem::Height() {
  int h = 26;
  for (int i = 0; i < ToolBarCount(); ++i) h = std::max(h, Vertical() ? At(i)->Width() : At(i)->Height());
  return h;
}

int TRowCollectionItem::FreeSpaceBetween(TAdvCustomToolBar* A, TAdvCustomToolBar* B) {
  if (A && B) return Start(B) - (Start(A) + Length(A)) - Gap();
  if (B) return Start(B) - RowStart() - Gap();
  if (A) return RowEnd() - (Start(A) + Length(A)) - Gap();
  return 0;
}

int TRowCollectionItem::FreeAfter(int Index) {
  return FreeSpaceBetween(At(Index), Index + 1 < ToolBarCount() ? At(Index + 1) : nullptr);
}

int TRowCollectionItem::FreeBefore(int Index) {
  return FreeSpaceBetween(Index > 0 ? At(Index - 1) : nullptr, At(Index));
}

bool TRowCollectionItem::IsAllowed(TAdvCustomToolBar* T) {
  if (ToolBarCount() > 0 && At(0)->FullSize()) return false;
  if (T->FullSize() && ToolBarCount() > 0) return false;
  return true;
}

int TRowCollectionItem::AddToolBar(TAdvCustomToolBar* T) {
  if (IndexOf(T) >= 0 || !IsAllowed(T)) return -1;
  int result = FToolBarList->Add(T);
  if (T->FullSize()) {
    FitFullSize(T);
  } else if (result > 0) {
    TAdvCustomToolBar* prev = At(result - 1);
    MoveTo(T, Start(prev) + Length(prev) + Gap());
  } else {
    MoveTo(T, RowStart() + Gap());
  }
  T->SetRow(Index());
  Rows()->UpdateRowRects();
  return result;
}

bool TRowCollectionItem::InsertToolBar(TAdvCustomToolBar* T, int X) {
  (void)X;  // the place follows from T's own position
  if (!T || IndexOf(T) >= 0 || T->FullSize() || !IsAllowed(T)) return false;
  int at = ToolBarCount();
  for (int i = 0; i < ToolBarCount(); ++i)
    if (Start(At(i)) > Start(T)) {
      at = i;
      break;
    }
  bool inFront = at < ToolBarCount();
  FToolBarList->Insert(at, T);
  T->SetRow(Index());
  Rows()->UpdateRowRects();
  return inFront;
}

void TRowCollectionItem::RemoveToolBar(TAdvCustomToolBar* T, bool DeleteIfEmpty) {
  if (IndexOf(T) < 0) return;
  FToolBarList->Remove(T);
  ArrangeToolBars();
  if (DeleteIfEmpty) Rows()->DeleteRowIfEmpty(this);
}

void TRowCollectionItem::ArrangeToolBars() {
  int n = ToolBarCount();
  int gap = Gap();
  bool vertical = Vertical();
  int across = vertical ? FRowRect.left : FRowRect.top;
  // Overflow of toolbar c: first close gaps before it, nearest first, then
  // shorten toolbars, c first.
  auto absorb = [&](int c, int e) {
    for (int f = c; f >= 0 && e < 0; --f) {
      int g = std::min(FreeBefore(f), -e);
      if (g > 0) {
        for (int m = f; m <= c; ++m) MoveBy(At(m), -g);
        e += g;
      }
    }
    for (int f = c; f >= 0 && e < 0; --f) {
      int g = std::min(Shrink(At(f)), -e);
      if (g > 0) {
        Resize(At(f), Length(At(f)) - g);
        for (int m = f + 1; m <= c; ++m) MoveBy(At(m), -g);
        e += g;
      }
    }
  };
  for (int c = 0; c < n; ++c) {
    TAdvCustomToolBar* t = At(c);
    if ((vertical ? t->Left() : t->Top()) != across) SetAcross(t, across);
    if (t->Row() != Index()) t->SetRow(Index());
    if (c == 0 && t->FullSize()) {
      FitFullSize(t);
      MoveTo(t, RowStart() + gap);
      break;
    }
    int e = FreeAfter(c);
    if (e > 0) {
      for (int f = c; f >= 0 && e > 0; --f) {
        int g = std::min(Grow(At(f)), e);
        if (g > 0) {
          Resize(At(f), Length(At(f)) + g);
          for (int m = f + 1; m <= c; ++m) MoveBy(At(m), g);
          e -= g;
        }
      }
      if (!vertical)
        for (int f = c + 1; f < n && e > 0; ++f) {
          int g = std::min(Grow(At(f)), e);
          if (g > 0) {
            Resize(At(f), Length(At(f)) + g);
            e -= g;
          }
        }
    } else if (e < 0) {
      absorb(c, e);
    }
    int r = Grow(t);
    for (int g = c; g >= 0 && r > 0; --g) {
      int h = std::min(FreeBefore(g), r);
      if (h > 0) {
        for (int m = g; m <= c; ++m) MoveBy(At(m), -h);
        Resize(t, Length(t) + h);
        r -= h;
      }
    }
  }
  // Final pass: no toolbar before the row's start, none overlapping the
  // next (the first one's successor included), the last one within the row.
  for (int d = 0; d < n; ++d) {
    if (d == 0) {
      int fb = FreeBefore(0);
      if (fb < 0) MoveBy(At(0), -fb);
    }
    if (d < n - 1) {
      int fs = FreeAfter(d);
      if (fs < 0) MoveBy(At(d + 1), -fs);
    } else {
      int fa = FreeAfter(d);
      if (fa < 0) absorb(d, fa);
    }
  }
}

bool TRowCollectionItem::NeedsArrange() {
  int n = ToolBarCount();
  if (n == 0) return false;
  if (At(0)->FullSize())
    return Length(At(0)) != RowLength() - 2 * Gap() || Start(At(0)) != RowStart() + Gap();
  int sum = 0;
  for (int i = 0; i < n; ++i) {
    int f = FreeAfter(i);
    if (f < 0) return true;
    sum += f;
  }
  if (sum >= 1)
    for (int i = 0; i < n; ++i)
      if (Grow(At(i)) > 0) return true;
  return false;
}

void TRowCollectionItem::SetToolBarLeftAndWidth(TAdvCustomToolBar* T, int& ALeft, int& AWidth) {
  if (IndexOf(T) < 0) throw Exception(L"Invalid ToolBar Index");
  if (!Vertical()) AlongRow(T, ALeft, AWidth, false);
}

void TRowCollectionItem::SetToolBarTopAndHeight(TAdvCustomToolBar* T, int& ATop, int& AHeight) {
  if (IndexOf(T) < 0) throw Exception(L"Invalid ToolBar Index");
  // A smaller height is always kept as asked.
  if (Vertical()) AlongRow(T, ATop, AHeight, true);
}

void TRowCollectionItem::AlongRow(TAdvCustomToolBar* T, int& AStart, int& ALength, bool KeepShorter) {
  int k = IndexOf(T), n = ToolBarCount(), gap = Gap();
  auto finish = [&] {
    AStart = Start(T);
    ALength = Length(T);
  };
  auto sumFreeBefore = [&](int upTo) {
    int sum = 0;
    for (int i = 0; i <= upTo; ++i) sum += FreeBefore(i);
    return sum;
  };
  if (AStart < Start(T)) {
    // Moved towards the row's start: close the gaps before it, then shorten
    // the toolbars before it for the room the ones after it can take up;
    // what is still asked swaps it with its neighbour.
    AStart = std::max(AStart, RowStart() + gap);
    if (k == 0) return;
    int b = Start(T) - AStart;
    for (int i = k; i >= 0 && b > 0; --i) {
      int s = FreeBefore(i);
      if (s > 0) {
        int m = std::min(s, b);
        for (int j = i; j <= k; ++j) MoveBy(At(j), -m);
        b -= m;
      }
    }
    if (b > 0 && FreeAfter(n - 1) <= 0) {
      for (int j = k - 1; j >= 0 && b > 0; --j) {
        int roomAfter = 0;
        for (int m = k; m < n; ++m) roomAfter += std::max(0, Grow(At(m)));
        int f = std::min({b, Shrink(At(j)), roomAfter});
        if (f <= 0) continue;
        b -= f;
        Resize(At(j), Length(At(j)) - f);
        for (int m = j + 1; m <= k - 1; ++m) MoveBy(At(m), -f);
        for (int m = k; m < n && f > 0; ++m) {
          int a = std::min(f, Grow(At(m)));
          if (a <= 0) continue;
          for (int q = k; q <= m; ++q) MoveBy(At(q), -a);
          Resize(At(m), Length(At(m)) + a);
          f -= a;
        }
      }
    }
    if (b > 0 && !T->IsLoading() && Start(At(k - 1)) + 5 >= Start(T) - b) {
      FToolBarList->Exchange(k, k - 1);
      ArrangeToolBars();
    }
    finish();
    return;
  }
  if (AStart > Start(T)) {
    // Moved towards the row's end: take the free room after it, then
    // shorten the toolbars from the row's end for the room the ones before
    // it can take up. It never changes places this way.
    int c = AStart - Start(T);
    for (int d = k; d < n && c > 0; ++d) {
      int s = FreeAfter(d);
      if (s > 0) {
        int m = std::min(s, c);
        for (int j = k; j <= d; ++j) MoveBy(At(j), m);
        c -= m;
      }
    }
    if (c > 0 && sumFreeBefore(k) <= 0) {
      int growBefore = 0;
      for (int i = 0; i < k; ++i) growBefore += std::max(0, Grow(At(i)));
      c = std::min(c, growBefore);
      for (int e = n - 1; e >= k && c > 0; --e) {
        int g = std::min(c, Shrink(At(e)));
        if (g <= 0) continue;
        c -= g;
        MoveBy(At(e), g);
        Resize(At(e), Length(At(e)) - g);
        for (int j = k; j <= e - 1; ++j) MoveBy(At(j), g);
        for (int j = k - 1; j >= 0 && g > 0; --j) {
          int a = std::min(g, Grow(At(j)));
          if (a <= 0) continue;
          Resize(At(j), Length(At(j)) + a);
          for (int q = j + 1; q <= k - 1; ++q) MoveBy(At(q), a);
          g -= a;
        }
      }
    }
    finish();
    return;
  }
  if (ALength > Length(T)) {
    // Longer in place: the free room after it, then before it; no other
    // toolbar is shortened for it.
    int c = ALength - Length(T);
    for (int d = k; d < n && c > 0; ++d) {
      int s = FreeAfter(d);
      if (s > 0) {
        int a = std::min(s, c);
        for (int j = k + 1; j <= d; ++j) MoveBy(At(j), a);
        Resize(T, Length(T) + a);
        c -= a;
      }
    }
    if (c > 0 && sumFreeBefore(k) > 0)
      for (int d = k; d >= 0 && c > 0; --d) {
        int s = FreeBefore(d);
        if (s > 0) {
          int a = std::min(s, c);
          for (int j = d; j <= k; ++j) MoveBy(At(j), -a);
          Resize(T, Length(T) + a);
          c -= a;
        }
      }
    finish();
    return;
  }
  if (ALength < Length(T) && n == 1 && !KeepShorter) {
    ArrangeToolBars();
    ALength = Length(T);
  }
}

// ---------------------------------------------------------------------------
// The rows of a panel

TRowCollection::TRowCollection(TAdvDockPanel* AOwner)
    : TCollection(ItemClass<TRowCollectionItem>()), FOwner(AOwner) {}

TRowCollectionItem* TRowCollection::Add() {
  auto* row = static_cast<TRowCollectionItem*>(TCollection::Add());
  UpdateRowRects();
  return row;
}

TRowCollectionItem* TRowCollection::Insert(int Index) {
  auto* row = static_cast<TRowCollectionItem*>(TCollection::Insert(Index));
  UpdateRowRects();
  return row;
}

TRowCollectionItem* TRowCollection::Items(int Index) const {
  return static_cast<TRowCollectionItem*>(TCollection::Items(Index));
}

void TRowCollection::SetItems(int Index, TRowCollectionItem* Value) { Items(Index)->SetRowRect(Value->RowRect()); }

TPersistent* TRowCollection::GetOwner() { return FOwner; }

bool TRowCollection::Vertical() const { return !IsHorizontal(FOwner->Align()); }

bool TRowCollection::HeightLocked() const {
  return FOwner->LockHeight() && FOwner->PropertiesLoaded() && !FOwner->IsDesigning();
}

int TRowCollection::IsToolBarAlreadyAdded(TAdvCustomToolBar* T) {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->IndexOf(T) >= 0) return i;
  return -1;
}

void TRowCollection::UpdateRowRects() {
  int pos = FOffSetY;
  int panelOff = FOwner->OffSetX();
  for (int i = 0; i < Count(); ++i) {
    TRowCollectionItem* row = Items(i);
    int h = row->Height();
    if (Vertical())
      row->SetRowRect(TRect(pos, panelOff, pos + h + FOffSetY, FOwner->Height() - panelOff));
    else
      row->SetRowRect(TRect(panelOff, pos, FOwner->Width() - panelOff, pos + h + FOffSetY));
    row->ArrangeToolBars();
    pos += row->Height() + FOffSetY;
  }
  UpdateDockSize();
}

void TRowCollection::UpdateDockSize() {
  if (HeightLocked()) return;
  bool vertical = Vertical();
  int panelOff = vertical ? FOwner->OffSetX() : FOwner->OffSetY();
  int s;
  bool design = FOwner->IsDesigning();
  if (Count() == 0) {
    s = !design || FOwner->UseRunTimeHeight() ? FOwner->MinimumSize() : 2 * panelOff + 13;
  } else {
    TRect last = Items(Count() - 1)->RowRect();
    s = (vertical ? last.right : last.bottom) + panelOff;
    if (design && !FOwner->UseRunTimeHeight()) s += 13;
  }
  TAdvDockPanel* p = FOwner;
  switch (p->Align()) {
    case TDockAlign::daTop: p->SetHeight(s); break;
    case TDockAlign::daLeft: p->SetWidth(s); break;
    case TDockAlign::daBottom:
      if (p->Height() >= s)
        p->SetHeight(s);
      else
        p->SetBounds(p->Left(), p->Top() - (s - p->Height()), p->Width(), s);
      break;
    case TDockAlign::daRight:
      if (p->Width() >= s)
        p->SetWidth(s);
      else
        p->SetBounds(p->Left() - (s - p->Width()), p->Top(), s, p->Height());
      break;
  }
}

void TRowCollection::DeleteRowIfEmpty(TRowCollectionItem* Row) {
  if (!Row || Row->ToolBarCount() > 0 || HeightLocked()) return;
  Delete(Row->Index());
  UpdateRowRects();
}

void TRowCollection::MoveToolBarToRow(TAdvCustomToolBar* T, int ARowIndex) {
  if (ARowIndex < 0 || ARowIndex >= Count()) throw Exception(L"Invalid Row Index");
  if (!T || ARowIndex == T->Row()) return;
  TRowCollectionItem* target = Items(ARowIndex);
  if (!target->IsAllowed(T)) return;
  int old = IsToolBarAlreadyAdded(T);
  TRowCollectionItem* oldRow = old >= 0 ? Items(old) : nullptr;
  if (oldRow) oldRow->RemoveToolBar(T, false);
  target->AddToolBar(T);
  DeleteRowIfEmpty(oldRow);
}

void TRowCollection::NewRowFor(TAdvCustomToolBar* T, int Index) {
  // Index counts the rows as they are before T leaves its own: when that
  // row empties and goes, the rows after it move up by one.
  int own = IsToolBarAlreadyAdded(T);
  if (own >= 0) {
    int before = Count();
    Items(own)->RemoveToolBar(T, true);
    if (Count() < before && own < Index) --Index;
  }
  Index = std::clamp(Index, 0, Count());
  TRowCollectionItem* row = Index >= Count() ? Add() : Insert(Index);
  row->AddToolBar(T);
}

void TRowCollection::AcrossRows(TAdvCustomToolBar* T, int& AStart, int& ASize, bool VerticalDock) {
  int idx = T->Row();
  if (idx < 0 || idx >= Count()) return;
  auto rowStart = [&](int i) { return VerticalDock ? Items(i)->RowRect().left : Items(i)->RowRect().top; };
  auto rowEnd = [&](int i) { return VerticalDock ? Items(i)->RowRect().right : Items(i)->RowRect().bottom; };
  auto own = [&] { return VerticalDock ? T->Left() : T->Top(); };
  int r0 = rowStart(idx);
  int n = Items(idx)->ToolBarCount();
  bool unlocked = !HeightLocked();
  if (AStart >= r0 - 5 && AStart <= r0 - 3 && n > 1) {
    if (unlocked) NewRowFor(T, idx);
    AStart = own();
  } else if (AStart < r0 - 6 && idx != 0) {
    int limit = VerticalDock ? idx : Count();
    for (int i = 0; i < limit; ++i) {
      if (i == idx || !(rowStart(i) <= AStart && AStart < rowEnd(i))) continue;
      if (Items(i)->IsAllowed(T))
        MoveToolBarToRow(T, i);
      else if (unlocked)
        NewRowFor(T, i);
      break;
    }
    AStart = own();
  } else if (AStart >= r0 + 3 && AStart <= r0 + 5 && n > 1) {
    if (unlocked) NewRowFor(T, idx + 1);
    AStart = own();
  } else if (AStart > r0 + 5 && idx != Count() - 1) {
    for (int b = idx + 1; b < Count(); ++b) {
      if (rowEnd(b) <= AStart) continue;
      if (Items(b)->IsAllowed(T))
        MoveToolBarToRow(T, b);
      else if (unlocked)
        NewRowFor(T, b + 1);
      break;
    }
    AStart = own();
  } else {
    if (!VerticalDock && FOwner->IsDesigning() && AStart > r0 + 5 && idx == Count() - 1 && n > 1)
      NewRowFor(T, Count());
    int now = T->Row();
    if (now >= 0 && now < Count()) AStart = rowStart(now);
  }
  int size = VerticalDock ? T->Width() : T->Height();
  if (ASize != size) {
    {
      BoundChange b(T);
      if (VerticalDock)
        T->SetBounds(T->Left(), T->Top(), ASize, T->Height());
      else
        T->SetBounds(T->Left(), T->Top(), T->Width(), ASize);
    }
    UpdateRowRects();
  }
}

void TRowCollection::SetToolBarTopAndHeight(TAdvCustomToolBar* T, int& ATop, int& AHeight) {
  if (T->Row() < 0 || Vertical()) return;
  AcrossRows(T, ATop, AHeight, false);
}

void TRowCollection::SetToolBarLeftAndWidth(TAdvCustomToolBar* T, int& ALeft, int& AWidth) {
  if (T->Row() < 0 || !Vertical()) return;
  AcrossRows(T, ALeft, AWidth, true);
}

void TRowCollection::ArrangeAllRows() {
  for (int r = 0; r < Count(); ++r) {
    TRowCollectionItem* row = Items(r);
    row->ArrangeToolBars();
    TAdvCustomToolBar* prev = nullptr;
    for (int i = 0; i < row->ToolBarCount(); ++i) {
      TAdvCustomToolBar* t = row->ToolBars(i);
      if (!t->Visible()) continue;
      int at = prev ? (Vertical() ? prev->Top() + prev->Height() : prev->Left() + prev->Width()) + FOffSetX
                    : (Vertical() ? row->RowRect().top : row->RowRect().left) + FOffSetX;
      if (Vertical())
        t->SetTop(at);
      else
        t->SetLeft(at);
      prev = t;
    }
  }
}

void TRowCollection::PlaceFullSizeToolBar(TAdvCustomToolBar* T) {
  if (!T || T->Row() < 0 || T->Row() >= Count()) return;
  int at = T->Row();
  Items(at)->RemoveToolBar(T, true);
  at = std::clamp(at, 0, Count());
  TRowCollectionItem* row = at >= Count() ? Add() : Insert(at);
  row->AddToolBar(T);
  row->ArrangeToolBars();
}

void TRowCollection::ToolBarVisibilityChanged(TAdvCustomToolBar* T) {
  if (!T) return;
  int r = T->Row();
  bool named = r >= 0 && r < Count();
  if (!T->Visible()) {
    if (named) Items(r)->RemoveToolBar(T, true);
    return;
  }
  if (IsToolBarAlreadyAdded(T) >= 0) return;
  bool design = T->IsDesigning();
  if (FOwner->LockHeight()) {
    if (Count() == 0)
      Add()->AddToolBar(T);
    else if (named && Items(r)->IsAllowed(T) && !design)
      Items(r)->InsertToolBar(T, T->Left());
    else
      Items(Count() - 1)->AddToolBar(T);
  } else {
    if (named && Items(r)->IsAllowed(T) && !design)
      Items(r)->InsertToolBar(T, T->Left());
    else
      Add()->AddToolBar(T);
  }
  // A shown toolbar always has a row: one that no row took gets its own.
  if (IsToolBarAlreadyAdded(T) < 0) Add()->AddToolBar(T);
}
