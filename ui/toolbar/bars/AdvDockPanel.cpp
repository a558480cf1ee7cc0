#include "ui/toolbar/bars/AdvDockPanel.h"

#include <cmath>

#include "base/Forms.h"
#include "ui/controls/menus/AdvMenus.h"
#include "ui/toolbar/bars/ToolBarPaint.h"

TAdvDockPanel::TAdvDockPanel(TComponent* AOwner)
    : TCustomControl(AOwner),
      FRows(new TRowCollection(this)),
      FToolBars(new TDbgList),
      FHiddenToolBars(new TDbgList),
      FMyImage(new TBitmap),
      FPersistence(new TPersistence(this)) {
  FControlStyle.Include(TControlStyleItem::csAcceptsControls);
  FControlStyle.Exclude(TControlStyleItem::csCaptureMouse);
  FControlStyle.Exclude(TControlStyleItem::csClickEvents);
  FControlStyle.Exclude(TControlStyleItem::csOpaque);
  TControl::SetAlign(TAlign::alTop);
  FDockAlign = TDockAlign::daTop;
  FInternalToolBarStyler = NewInternalStyler(this);
  FCurrentToolBarStyler = FInternalToolBarStyler;
  FPersistence->OnChange = [this](TObject* Sender) { PersistenceChanged(Sender); };
  SetDoubleBuffered(true);
  FHeight = FMinimumSize;
  FWidth = 185;
}

void TAdvDockPanel::Destroy() {
  if (FPersistence->Enabled() && !IsDesigning()) {
    // Freeing goes on whatever the store does: a layout that cannot be
    // written is lost, nothing else.
    try {
      SaveToolBarsPosition();
    } catch (const Exception&) {
    }
  }
  LeaveStyler(this, FToolBarStyler, FInternalToolBarStyler);
  FToolBarStyler = nullptr;
  // The toolbars still docked here forget the panel.
  for (int i = 0; i < FToolBars->Count(); ++i) {
    auto* t = AdvToolBars(i);
    if (t->FCurrentDock == this) t->FCurrentDock = nullptr;
    if (t->FLastDock == this) t->FLastDock = nullptr;
  }
  TCustomControl::Destroy();
}

// ---------------------------------------------------------------------------
// Loading and notification

void TAdvDockPanel::Loaded() {
  TCustomControl::Loaded();
  bool horz = IsHorizontal(FDockAlign);
  auto key = [horz](TAdvCustomToolBar* t) {
    return horz ? std::pair<int, int>(t->Top(), t->Left()) : std::pair<int, int>(t->Left(), t->Top());
  };
  std::vector<TAdvCustomToolBar*> sorted;
  for (int i = 0; i < FToolBars->Count(); ++i) {
    TAdvCustomToolBar* t = AdvToolBars(i);
    auto it = sorted.begin();
    while (it != sorted.end() && !(key(t) < key(*it))) ++it;
    sorted.insert(it, t);
  }
  for (TAdvCustomToolBar* t : sorted) {
    if (FRows->IsToolBarAlreadyAdded(t) >= 0) continue;
    int along = horz ? t->Left() : t->Top();
    FRows->Add()->AddToolBar(t);
    // Its stored place along the row comes back, scaled with the screen
    // (1.0 until the first panel or pager learns the screen's factor) like
    // every other size. Across, it keeps the row it was given: writing the
    // stored coordinate back would move it into another toolbar's row.
    int scaled = static_cast<int>(std::nearbyint(along * static_cast<long double>(DPIFactor)));
    if (horz)
      t->SetLeft(scaled);
    else
      t->SetTop(scaled);
  }
  FPropertiesLoaded = true;
  if (FPersistence->Enabled() && !IsDesigning()) LoadToolBarsPosition();
}

void TAdvDockPanel::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (IsDestroying()) {
    ForgetStyler(AComponent, FToolBarStyler, FCurrentToolBarStyler, FInternalToolBarStyler);
    return;
  }
  if (AComponent == FToolBarStyler) SetToolBarStyler(nullptr);
  // A toolbar that goes leaves both lists, whatever row it had.
  if (auto* t = dynamic_cast<TAdvCustomToolBar*>(AComponent);
      t && (FToolBars->IndexOf(t) >= 0 || FHiddenToolBars->IndexOf(t) >= 0))
    RemoveToolBar(t);
}

// ---------------------------------------------------------------------------
// Parent, bounds and messages

void TAdvDockPanel::SetParent(TWinControl* AParent) {
  if (dynamic_cast<TAdvDockPanel*>(AParent) || dynamic_cast<TAdvCustomToolBar*>(AParent))
    throw Exception(L"Invalid Parent");
  TCustomControl::SetParent(AParent);
}

void TAdvDockPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (DPIInitialized || !HandleAllocated()) return;
  TCustomForm* form = GetParentForm(this);
  while (form && form->Parent()) form = GetParentForm(form->Parent());
  if (!form) return;
  DPIScaleEnabled = form->Scaled();
  InitDPIScaling(MonitorPixelsPerInch(form->Handle()));
}

void TAdvDockPanel::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_SIZE) {
    UpdateBounds();
    FRows->UpdateRowRects();
    return;
  }
  TCustomControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------
// Styler

void TAdvDockPanel::SetToolBarStyler(TCustomAdvToolBarStyler* Value) {
  if (Value && Value == FToolBarStyler) return;
  LeaveStyler(this, FToolBarStyler, FInternalToolBarStyler);
  FToolBarStyler = Value;
  if (Value) {
    FCurrentToolBarStyler = Value;
    Value->AddControl(this);
  } else {
    FCurrentToolBarStyler = FInternalToolBarStyler;
  }
  if (!IsDestroying() && !IsLoading())
    for (int i = 0; i < FToolBars->Count(); ++i) {
      TAdvCustomToolBar* t = AdvToolBars(i);
      t->SetParentStyler(t->ParentStyler());
      t->Invalidate();
    }
  SetPopupMenu(PopupMenu());
  Invalidate();
}

void TAdvDockPanel::SetPopupMenu(TPopupMenu* Value) {
  TControl::SetPopupMenu(Value);
  if (auto* m = dynamic_cast<TAdvPopupMenu*>(Value); m && FCurrentToolBarStyler)
    m->SetMenuStyler(FCurrentToolBarStyler->CurrentAdvMenuStyler());
}

void TAdvDockPanel::ApplyStylerChange(int Kind) {
  SetColor(FCurrentToolBarStyler->DockColor()->Color());
  if (Kind == StylerChange::MenuStyler) SetPopupMenu(PopupMenu());
  Invalidate();
}

// ---------------------------------------------------------------------------
// Toolbars

int TAdvDockPanel::AddToolBar(TAdvCustomToolBar* ToolBar) {
  bool locked = FLockHeight && !IsDesigning() && FPropertiesLoaded;
  TRowCollectionItem* row = nullptr;
  if (locked) {
    int n = FRows->Count();
    bool fromEnd = FDockAlign == TDockAlign::daLeft || FDockAlign == TDockAlign::daTop;
    for (int k = 0; k < n && !row; ++k) {
      TRowCollectionItem* r = FRows->Items(fromEnd ? n - 1 - k : k);
      if (r->IsAllowed(ToolBar)) row = r;
    }
    if (!row) return -1;
  }
  ToolBar->FCurrentDock = nullptr;
  ToolBar->SetPosition(FDockAlign);
  ToolBar->FCurrentDock = this;
  if (FToolBars->IndexOf(ToolBar) < 0) FToolBars->Add(ToolBar);
  int result = 0;
  if (!locked) {
    if (IsLoading()) return 0;
    row = FRows->Add();
  }
  result = row->AddToolBar(ToolBar);
  TPersistence* p = ToolBar->Persistence();
  p->SetEnabled(FPersistence->Enabled());
  p->SetKey(FPersistence->Key());
  p->SetLocation(FPersistence->Location());
  return result;
}

void TAdvDockPanel::RemoveToolBar(TAdvCustomToolBar* ToolBar) {
  if (!IsLoading()) {
    int r = ToolBar->Row();
    if (r >= 0 && r < FRows->Count()) FRows->Items(r)->RemoveToolBar(ToolBar, true);
    // Whatever its row says, no row keeps it.
    for (int i = FRows->IsToolBarAlreadyAdded(ToolBar); i >= 0; i = FRows->IsToolBarAlreadyAdded(ToolBar))
      FRows->Items(i)->RemoveToolBar(ToolBar, true);
  }
  FToolBars->Remove(ToolBar);
  FHiddenToolBars->Remove(ToolBar);
}

void TAdvDockPanel::SetToolBarBounds(TAdvCustomToolBar* ToolBar, int& ALeft, int& ATop, int& AWidth,
                                     int& AHeight) {
  if (IsLoading() || !ToolBar->Visible() || ToolBar->Row() < 0) return;
  // A shown toolbar whose row is gone, or that no row holds, gets a row of
  // its own before the rows answer it.
  if (FRows->IsToolBarAlreadyAdded(ToolBar) < 0) FRows->Add()->AddToolBar(ToolBar);
  if (IsHorizontal(FDockAlign)) {
    FRows->SetToolBarTopAndHeight(ToolBar, ATop, AHeight);
    if (ToolBar->Row() >= 0 && ToolBar->Row() < FRows->Count())
      FRows->Items(ToolBar->Row())->SetToolBarLeftAndWidth(ToolBar, ALeft, AWidth);
  } else {
    FRows->SetToolBarLeftAndWidth(ToolBar, ALeft, AWidth);
    if (ToolBar->Row() >= 0 && ToolBar->Row() < FRows->Count())
      FRows->Items(ToolBar->Row())->SetToolBarTopAndHeight(ToolBar, ATop, AHeight);
  }
}

void TAdvDockPanel::ToolBarVisibleChanged(TAdvCustomToolBar* ToolBar) {
  if (ToolBar->Visible())
    FHiddenToolBars->Remove(ToolBar);
  else if (FHiddenToolBars->IndexOf(ToolBar) < 0)
    FHiddenToolBars->Add(ToolBar);
  FRows->ToolBarVisibilityChanged(ToolBar);
}

void TAdvDockPanel::ToolBarFullSizeChanged(TAdvCustomToolBar* ToolBar) { FRows->PlaceFullSizeToolBar(ToolBar); }

void TAdvDockPanel::ArrangeRowsIfNeeded() {
  for (int i = 0; i < FRows->Count(); ++i)
    if (FRows->Items(i)->NeedsArrange()) FRows->Items(i)->ArrangeToolBars();
}

void TAdvDockPanel::ArrangeToolBars() { FRows->ArrangeAllRows(); }

// ---------------------------------------------------------------------------
// Properties

void TAdvDockPanel::SetAlign(TDockAlign Value) {
  if (FDockAlign == Value) return;
  FDockAlign = Value;
  switch (Value) {
    case TDockAlign::daLeft: TControl::SetAlign(TAlign::alLeft); break;
    case TDockAlign::daTop: TControl::SetAlign(TAlign::alTop); break;
    case TDockAlign::daRight: TControl::SetAlign(TAlign::alRight); break;
    case TDockAlign::daBottom: TControl::SetAlign(TAlign::alBottom); break;
  }
  for (int i = 0; i < FToolBars->Count(); ++i) AdvToolBars(i)->SetPosition(Value);
}

void TAdvDockPanel::SetMinimumSize(int Value) {
  if (Value == FMinimumSize || Value <= 0) return;
  FMinimumSize = Value;
  if (!IsDesigning()) FRows->UpdateDockSize();
}

void TAdvDockPanel::SetUseRunTimeHeight(bool Value) {
  if (FUseRunTimeHeight == Value) return;
  FUseRunTimeHeight = Value;
  FRows->UpdateRowRects();
}

void TAdvDockPanel::PersistenceChanged(TObject*) {
  for (int r = 0; r < FRows->Count(); ++r) {
    TRowCollectionItem* row = FRows->Items(r);
    for (int i = 0; i < row->ToolBarCount(); ++i) {
      TPersistence* p = row->ToolBars(i)->Persistence();
      p->SetEnabled(FPersistence->Enabled());
      p->SetKey(FPersistence->Key());
      p->SetLocation(FPersistence->Location());
    }
  }
}

// ---------------------------------------------------------------------------
// Painting

void TAdvDockPanel::Paint() {
  TCustomControl::Paint();
  FMyImage->SetSize(std::max(1, FWidth), std::max(1, FHeight));
  TCanvas* c = FMyImage->Canvas();
  TRect r = ClientRect();
  TCustomAdvToolBarStyler* s = FCurrentToolBarStyler;
  TGradientBackground* dock = s->DockColor();
  if (dock->ColorTo() == clNone) {
    c->Pen()->SetColor(dock->Color());
    c->Brush()->SetColor(dock->Color());
    c->Brush()->SetStyle(TBrushStyle::bsSolid);
    c->Rectangle(r);
  } else {
    DrawGradient(c, dock->Color(), dock->ColorTo(), dock->Steps(), r,
                 dock->Direction() == AdvToolBar::TGradientDirection::gdHorizontal);
  }
  TBitmap* bg = s->BackGround();
  if (!bg->Empty()) {
    int bw = bg->Width(), bh = bg->Height();
    switch (s->BackGroundDisplay()) {
      case TBackGroundDisplay::bdTile:
        if (bw > 0 && bh > 0)
          for (int y = 1; y < FHeight - 2; y += bh)
            for (int x = 1; x < FWidth - 2; x += bw) c->Draw(x, y, bg);
        break;
      case TBackGroundDisplay::bdCenter:
        c->Draw((FWidth - bw) / 2, (FHeight - bh) / 2, bg);
        break;
      case TBackGroundDisplay::bdStretch:
        c->StretchDraw(TRect(r.left + 2, r.top + 2, r.right - 2, r.bottom - 2), bg);
        break;
    }
  }
  Canvas()->Draw(0, 0, FMyImage);
}
