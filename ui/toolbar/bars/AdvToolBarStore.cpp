// The layout store of dock panels and toolbars (LayoutStore.h).
#include <algorithm>
#include <vector>

#include "base/SysUtils.h"
#include "ui/toolbar/bars/AdvDockPanel.h"
#include "ui/toolbar/bars/FloatingWindow.h"

namespace {

// Coordinates and sizes a window can have; anything else in the store is
// no layout.
constexpr int MaxCoordinate = 32767;
bool SoundCoordinate(int V) { return V >= -MaxCoordinate && V <= MaxCoordinate; }
bool SoundSize(int V) { return V >= 0 && V <= MaxCoordinate; }

// The dock panels of the form the panel lies on, the panel itself
// excluded, in the order of the controls.
void CollectPanels(TWinControl* Parent, TAdvDockPanel* Self, std::vector<TAdvDockPanel*>& Out) {
  for (int i = 0; i < Parent->ControlCount(); ++i) {
    auto* w = dynamic_cast<TWinControl*>(Parent->Controls(i));
    if (!w) continue;
    if (auto* p = dynamic_cast<TAdvDockPanel*>(w)) {
      if (p != Self) Out.push_back(p);
      continue;
    }
    CollectPanels(w, Self, Out);
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// Dock panel

void TAdvDockPanel::SaveToolBarsPosition() {
  if (IsDesigning()) return;
  std::unique_ptr<TLayoutStore> store = OpenLayoutStore(FPersistence, true);
  if (store) SaveToolBarsPosition(*store);
}

void TAdvDockPanel::SaveToolBarsPosition(TLayoutStore& Store) {
  std::vector<TAdvCustomToolBar*> bars;
  for (int r = 0; r < FRows->Count(); ++r)
    for (int i = 0; i < FRows->Items(r)->ToolBarCount(); ++i) bars.push_back(FRows->Items(r)->ToolBars(i));
  for (int i = 0; i < FHiddenToolBars->Count(); ++i)
    bars.push_back(static_cast<TAdvCustomToolBar*>(FHiddenToolBars->GetItemsEx(i)));
  Store.WriteInteger(L"ToolBarCount", static_cast<int>(bars.size()));
  Store.WriteInteger(L"RowCount", FRows->Count());
  int n = 0;
  for (TAdvCustomToolBar* t : bars) {
    const String name = t->Name();
    Store.WriteString(L"Name" + std::to_wstring(++n), name);
    Store.WriteInteger(name + L".Row", t->Row());
    Store.WriteInteger(name + L".Left", t->Left());
    Store.WriteInteger(name + L".Top", t->Top());
    Store.WriteInteger(name + L".Width", t->Width());
    Store.WriteInteger(name + L".Height", t->Height());
    Store.WriteBool(name + L".Visible", t->Visible());
  }
}

void TAdvDockPanel::LoadToolBarsPosition() {
  if (IsDesigning()) return;
  std::unique_ptr<TLayoutStore> store = OpenLayoutStore(FPersistence, false);
  if (store) LoadToolBarsPosition(*store);
}

void TAdvDockPanel::LoadToolBarsPosition(TLayoutStore& Store) {
  // The toolbars in the rows, each with its own settings loaded first.
  std::vector<std::pair<String, TAdvCustomToolBar*>> listed;
  for (int r = 0; r < FRows->Count(); ++r)
    for (int i = 0; i < FRows->Items(r)->ToolBarCount(); ++i) {
      TAdvCustomToolBar* t = FRows->Items(r)->ToolBars(i);
      if (!t->PersistSettingLoaded() && t->Persistence()->Enabled()) t->LoadPosition();
      listed.emplace_back(UpperCase(t->Name()), t);
    }
  int count = Store.ReadInteger(L"ToolBarCount", 0);
  if (count <= 0) return;
  // A store names at most this many toolbars; more would be a corrupt one.
  count = std::min(count, MaxStoredToolBars);
  int rows = Store.ReadInteger(L"RowCount", FRows->Count());
  if (rows < 0 || rows > MaxStoredToolBars) rows = FRows->Count();
  // Every row is to hold a toolbar: more rows than toolbars stay empty.
  rows = std::min(rows, count);

  while (FRows->Count() > 0) {
    TRowCollectionItem* row = FRows->Items(FRows->Count() - 1);
    while (row->ToolBarCount() > 0) row->RemoveToolBar(row->ToolBars(0), false);
    FRows->Delete(FRows->Count() - 1);
  }
  for (int r = 0; r < rows; ++r) FRows->Add();

  std::vector<TAdvDockPanel*> others;
  if (TCustomForm* form = GetParentForm(this)) CollectPanels(form, this, others);

  std::vector<TAdvCustomToolBar*> toggled;
  for (int n = 1; n <= count; ++n) {
    const String name = Store.ReadString(L"Name" + std::to_wstring(n), Name());
    const String upper = UpperCase(name);
    TAdvCustomToolBar* t = nullptr;
    auto it = std::find_if(listed.begin(), listed.end(), [&](const auto& e) { return e.first == upper; });
    if (it != listed.end()) {
      t = it->second;
      listed.erase(it);
    } else {
      // A toolbar that the user moved to another panel of the form.
      for (TAdvDockPanel* p : others)
        for (int i = 0; i < p->AdvToolBarCount(); ++i)
          if (UpperCase(p->AdvToolBars(i)->Name()) == upper) t = p->AdvToolBars(i);
      if (t) {
        t->SetParent(this);
        RemoveToolBar(t);
      }
    }
    if (!t) continue;
    int row = Store.ReadInteger(name + L".Row", t->Row());
    int left = Store.ReadInteger(name + L".Left", t->Left());
    int top = Store.ReadInteger(name + L".Top", t->Top());
    int width = Store.ReadInteger(name + L".Width", t->Width());
    int height = Store.ReadInteger(name + L".Height", t->Height());
    bool visible = Store.ReadBool(name + L".Visible", t->Visible());
    if (row >= 0 && row < rows && FRows->IsToolBarAlreadyAdded(t) < 0) FRows->Items(row)->AddToolBar(t);
    bool allow = t->AllowBoundChange();
    t->SetAllowBoundChange(true);
    if (SoundSize(width) && width != t->Width()) t->SetWidth(width);
    if (SoundCoordinate(left) && left != t->Left()) t->SetLeft(left);
    if (SoundCoordinate(top) && top != t->Top()) t->SetTop(top);
    if (SoundSize(height) && height != t->Height()) t->SetHeight(height);
    t->SetAllowBoundChange(allow);
    if (visible != t->Visible()) toggled.push_back(t);
  }
  // Hiding a toolbar takes it out of its row, which goes when it empties:
  // the stored rows are all filled before any toolbar shows or hides.
  for (TAdvCustomToolBar* t : toggled) t->SetVisible(!t->Visible());
  for (int r = FRows->Count() - 1; r >= 0; --r) FRows->DeleteRowIfEmpty(FRows->Items(r));
  for (auto& [name, t] : listed)
    if (FRows->IsToolBarAlreadyAdded(t) < 0) FRows->Add()->AddToolBar(t);
  FRows->UpdateRowRects();
  for (int i = 0; i < AdvToolBarCount(); ++i) {
    TAdvCustomToolBar* t = AdvToolBars(i);
    if (!t->Visible()) continue;
    t->PositionControls(true);
    t->UpdateOverflow();
  }
}

// ---------------------------------------------------------------------------
// Toolbar

TPoint TAdvCustomToolBar::GetPosition() {
  if (FToolBarState == TToolBarState::tsFloating && FFloatingWindow)
    return TPoint(FFloatingWindow->Left(), FFloatingWindow->Top());
  return TPoint(Left(), Top());
}

void TAdvCustomToolBar::SavePosition() {
  if (IsDesigning() || !FPersistence->Enabled()) return;
  std::unique_ptr<TLayoutStore> store = OpenLayoutStore(FPersistence, true);
  if (store) SavePosition(*store);
}

void TAdvCustomToolBar::SavePosition(TLayoutStore& Store) {
  const String t = Name();
  if (FToolBarState == TToolBarState::tsFloating) {
    TPoint at = GetPosition();
    Store.WriteString(t + L".Name", t);
    Store.WriteInteger(t + L".State", static_cast<int>(FToolBarState));
    Store.WriteInteger(t + L".FloatingRows", FFloatingRows);
    Store.WriteInteger(t + L".Left", at.x);
    Store.WriteInteger(t + L".Top", at.y);
    Store.WriteInteger(t + L".Width", Width());
    Store.WriteInteger(t + L".Height", Height());
    Store.WriteBool(t + L".Visible", Visible());
  } else if (SameText(Store.ReadString(t + L".Name", L""), t) && Store.ReadInteger(t + L".State", 0) == 1) {
    // It floated at the last save: it does not float again at the next start.
    Store.WriteInteger(t + L".State", static_cast<int>(FToolBarState));
  }
  for (int i = 0; i < FATBControls->Count(); ++i) {
    TControl* item = ToolBarControls(i);
    if (item && !item->Name().empty()) Store.WriteBool(t + L"." + item->Name(), item->Visible());
  }
}

void TAdvCustomToolBar::LoadPosition() {
  if (IsDesigning() || !FPersistence->Enabled()) return;
  std::unique_ptr<TLayoutStore> store = OpenLayoutStore(FPersistence, false);
  if (store) LoadPosition(*store);
}

void TAdvCustomToolBar::LoadPosition(TLayoutStore& Store) {
  const String t = Name();
  if (SameText(Store.ReadString(t + L".Name", L""), t) && Store.ReadInteger(t + L".State", 0) == 1) {
    int rows = Store.ReadInteger(t + L".FloatingRows", FFloatingRows);
    if (rows < 1 || rows > MaxStoredFloatingRows) rows = FFloatingRows;
    int left = Store.ReadInteger(t + L".Left", Left());
    int top = Store.ReadInteger(t + L".Top", Top());
    if (!SoundCoordinate(left)) left = Left();
    if (!SoundCoordinate(top)) top = Top();
    SetToolBarFloating(TPoint(left, top));
    if (FFloatingRows < rows) SetFloatingRows(rows);
    bool visible = Store.ReadBool(t + L".Visible", Visible());
    if (visible != Visible()) SetVisible(visible);
  }
  bool changed = false;
  for (int i = 0; i < FATBControls->Count(); ++i) {
    TControl* item = ToolBarControls(i);
    if (!item || item->Name().empty()) continue;
    bool visible = Store.ReadBool(t + L"." + item->Name(), item->Visible());
    if (visible == item->Visible()) continue;
    item->SetVisible(visible);
    changed = true;
  }
  if (changed) PositionControls(true);
  FPersistSettingLoaded = true;
}
