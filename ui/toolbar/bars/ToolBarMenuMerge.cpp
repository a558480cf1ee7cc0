// A second menu on a menu-bar toolbar (an MDI child's menu merged in by
// group index, and taken away again), and the entries of the host form's
// window menu that list its MDI children while a menu is open.
#include <algorithm>
#include <set>

#include "base/Forms.h"
#include "base/SysUtils.h"
#include "ui/toolbar/bars/AdvToolBar.h"
#include "ui/toolbar/bars/AdvToolBarButton.h"

namespace {

bool ContainsWindowMenu(TMenuItem* Item, TMenuItem* WindowMenu) {
  if (Item == WindowMenu) return true;
  for (int i = 0; i < Item->Count(); ++i)
    if (ContainsWindowMenu(Item->Items(i), WindowMenu)) return true;
  return false;
}

}  // namespace

// ---------------------------------------------------------------------------
// Merging

bool TAdvCustomToolBar::IsBarMenuButton(TControl* C) {
  auto* b = dynamic_cast<TAdvCustomToolBarButton*>(C);
  return b && (b->FToolBarCreated || b->FInternalTag == 1) && b->MenuItem();
}

void TAdvCustomToolBar::MergeMenu(TMainMenu* AMenu) {
  if (!AMenu || !FMenu) {
    TMainMenu* old = FMergedMenu;
    FMergedMenu = nullptr;
    FreeMergedButtons();
    if (old) old->RemoveFreeNotification(this);
    return;
  }
  // The bar's own menu is never laid over itself.
  if (AMenu == FMergedMenu || AMenu == FMenu) return;
  if (TMainMenu* old = FMergedMenu) {
    FMergedMenu = nullptr;
    old->RemoveFreeNotification(this);
  }
  FreeMergedButtons();
  FMergedMenu = AMenu;
  AMenu->FreeNotification(this);
  CreateMergedButtons();
}

void TAdvCustomToolBar::UnmergeMenu(TMainMenu* AMenu) {
  if (AMenu && AMenu == FMergedMenu) MergeMenu(nullptr);
}

void TAdvCustomToolBar::CreateMergedButtons() {
  if (!FMergedMenu || !FMenu || FMergeApplied) return;
  FMergeOrder.assign(FATBControls->Count(), nullptr);
  for (int i = 0; i < FATBControls->Count(); ++i) FMergeOrder[static_cast<size_t>(i)] = ToolBarControls(i);
  FMergeRUOrder.assign(FRUControls->Count(), nullptr);
  for (int i = 0; i < FRUControls->Count(); ++i)
    FMergeRUOrder[static_cast<size_t>(i)] = static_cast<TControl*>(FRUControls->GetItemsEx(i));
  FMergeRebound.clear();
  FMergeApplied = true;
  // New buttons join the menu buttons, ahead of any other item.
  int lastMenuButton = -1;
  for (int i = 0; i < FATBControls->Count(); ++i)
    if (IsBarMenuButton(ToolBarControls(i))) lastMenuButton = i;
  std::set<BYTE> groups;
  TMenuItem* items = FMergedMenu->Items();
  for (int k = 0; k < items->Count(); ++k) {
    TMenuItem* m = items->Items(k);
    BYTE g = m->GroupIndex();
    TAdvCustomToolBarButton* own = nullptr;
    if (g != 0) {
      groups.insert(g);
      for (int i = 0; i < FATBControls->Count() && !own; ++i)
        if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(ToolBarControls(i));
            b && b->FToolBarCreated && b->FInternalTag == 0 && b->MenuItem() && b->MenuItem()->GroupIndex() == g)
          own = b;
    }
    if (own) {
      FMergeRebound.emplace_back(own, own->MenuItem());
      own->SetMenuItem(m);
      own->FInternalTag = 1;
      continue;
    }
    TAdvToolBarMenuButton* b = NewMenuButton(m);
    b->FToolBarCreated = false;
    b->FInternalTag = 1;
    int at = FATBControls->IndexOf(b);
    if (at >= 0 && at != lastMenuButton + 1) FATBControls->Move(at, lastMenuButton + 1);
    ++lastMenuButton;
  }
  // A merged group takes the place of all the bar's buttons of that group:
  // those left over step aside until the merge ends.
  for (int i = 0; i < FATBControls->Count(); ++i)
    if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(ToolBarControls(i));
        b && b->FToolBarCreated && b->FInternalTag == 0 && b->MenuItem() && groups.count(b->MenuItem()->GroupIndex()))
      b->SetVisible(false);
  // The menu buttons in GroupIndex order (equal groups keep their order, a
  // merged item after the bar's own).
  std::vector<TControl*> buttons;
  for (int i = 0; i < FATBControls->Count(); ++i)
    if (IsBarMenuButton(ToolBarControls(i))) buttons.push_back(ToolBarControls(i));
  std::stable_sort(buttons.begin(), buttons.end(), [](TControl* a, TControl* b) {
    return static_cast<TAdvCustomToolBarButton*>(a)->MenuItem()->GroupIndex() <
           static_cast<TAdvCustomToolBarButton*>(b)->MenuItem()->GroupIndex();
  });
  ArrangeControls(buttons);
}

void TAdvCustomToolBar::FreeMergedButtons() {
  UndoMergedButtons();
  UpdateMenu();
}

void TAdvCustomToolBar::UndoMergedButtons() {
  if (!FMergeApplied) return;
  FMergeApplied = false;
  for (int i = FATBControls->Count() - 1; i >= 0; --i)
    if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(ToolBarControls(i));
        b && b->FInternalTag == 1 && !b->FToolBarCreated)
      b->Free();
  auto ownItem = [this](TMenuItem* Item) { return FMenu && FMenu->Items()->IndexOf(Item) >= 0; };
  for (auto [b, own] : FMergeRebound) {
    if (!IsListed(b)) continue;
    b->FInternalTag = 0;
    // A button whose item left the menu meanwhile has nothing to show.
    if (ownItem(own))
      b->SetMenuItem(own);
    else
      b->Free();
  }
  FMergeRebound.clear();
  for (int i = 0; i < FATBControls->Count(); ++i)
    if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(ToolBarControls(i));
        b && b->FToolBarCreated && b->MenuItem() && ownItem(b->MenuItem()))
      b->SetVisible(b->MenuItem()->Visible());
  ArrangeControls(FMergeOrder);
  if (FAutoRUL) {
    std::vector<TControl*> ru;
    for (TControl* c : FMergeRUOrder)
      if (IsListed(c) && FRUControls->IndexOf(c) >= 0) ru.push_back(c);
    for (int i = 0; i < FRUControls->Count(); ++i) {
      auto* c = static_cast<TControl*>(FRUControls->GetItemsEx(i));
      if (std::find(ru.begin(), ru.end(), c) == ru.end()) ru.push_back(c);
    }
    FRUControls->Clear();
    for (TControl* c : ru) FRUControls->Add(c);
  }
  FMergeOrder.clear();
  FMergeRUOrder.clear();
  PositionControls(true);
  UpdateOverflow();
}

void TAdvCustomToolBar::ArrangeControls(const std::vector<TControl*>& Order) {
  std::vector<TControl*> present;
  for (TControl* c : Order)
    if (IsListed(c) && std::find(present.begin(), present.end(), c) == present.end()) present.push_back(c);
  size_t next = 0;
  for (int i = 0; i < FATBControls->Count() && next < present.size(); ++i)
    if (std::find(present.begin(), present.end(), ToolBarControls(i)) != present.end())
      FATBControls->SetItemsEx(i, present[next++]);
  PositionControls(true);
  UpdateOverflow();
}

// ---------------------------------------------------------------------------
// The window menu's MDI children

void TAdvCustomToolBar::AddMDIChildMenu(TCustomForm* ChildForm, const String& Caption) {
  TCustomForm* host = FindHostForm();
  if (!host || !host->WindowMenu() || !FMenu || !ChildForm) return;
  FMDIChildMenuSL->AddObject(Caption.empty() ? ChildForm->Caption() : Caption, ChildForm);
  ChildForm->FreeNotification(this);
}

void TAdvCustomToolBar::RemoveMDIChildMenu(TCustomForm* ChildForm, const String& Caption) {
  if (!ChildForm) return;
  const String text = Caption.empty() ? ChildForm->Caption() : Caption;
  bool listed = false;
  bool removed = false;
  for (int i = 0; i < FMDIChildMenuSL->Count(); ++i) {
    if (FMDIChildMenuSL->Objects(i) != ChildForm) continue;
    if (!removed && AnsiSameText(FMDIChildMenuSL->Strings(i), text)) {
      FMDIChildMenuSL->Delete(i--);
      removed = true;
    } else {
      listed = true;
    }
  }
  if (removed && !listed) ChildForm->RemoveFreeNotification(this);
}

void TAdvCustomToolBar::RemoveAllMDIChildMenu() {
  for (int i = 0; i < FMDIChildMenuSL->Count(); ++i)
    if (auto* f = static_cast<TComponent*>(FMDIChildMenuSL->Objects(i)); f && !f->IsDestroying())
      f->RemoveFreeNotification(this);
  FMDIChildMenuSL->Clear();
}

int TAdvCustomToolBar::MDIChildMenuCount() const { return FMDIChildMenuSL->Count(); }

TCustomForm* TAdvCustomToolBar::MDIChildMenuForm(int Index) const {
  return static_cast<TCustomForm*>(FMDIChildMenuSL->Objects(Index));
}

String TAdvCustomToolBar::MDIChildMenuCaption(int Index) const { return FMDIChildMenuSL->Strings(Index); }

void TAdvCustomToolBar::MDIChildMenuGone(TComponent* AComponent) {
  for (int i = FMDIChildMenuSL->Count() - 1; i >= 0; --i)
    if (FMDIChildMenuSL->Objects(i) == AComponent) FMDIChildMenuSL->Delete(i);
  FMDIChildMenuList.erase(std::remove(FMDIChildMenuList.begin(), FMDIChildMenuList.end(), AComponent),
                          FMDIChildMenuList.end());
}

void TAdvCustomToolBar::AddMDIChildItems() {
  TCustomForm* host = FindHostForm();
  TMenuItem* windowMenu = host ? host->WindowMenu() : nullptr;
  if (!windowMenu || !FButtonMenu || !ContainsWindowMenu(FButtonMenu, windowMenu)) return;
  TCustomForm* active = host->ActiveMDIChild();
  for (int i = 0; i < FMDIChildMenuSL->Count(); ++i) {
    auto* form = static_cast<TCustomForm*>(FMDIChildMenuSL->Objects(i));
    // A child that was closed by hiding it is not offered.
    if (!form->Visible()) continue;
    auto* m = new TMenuItem(this);
    m->SetCaption(FMDIChildMenuSL->Strings(i));
    m->SetTag(i);
    m->OnClick = [this](TObject* Sender) { MDIChildMenuClick(Sender); };
    m->SetRadioItem(true);
    m->SetChecked(form == active);
    windowMenu->Add(m);
    FMDIChildMenuList.push_back(m);
  }
}

void TAdvCustomToolBar::FreeMDIChildItems() {
  std::vector<TMenuItem*> items;
  items.swap(FMDIChildMenuList);
  for (TMenuItem* m : items) m->Free();
}

void TAdvCustomToolBar::MDIChildMenuClick(TObject* Sender) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (!item || item->Tag() < 0 || item->Tag() >= FMDIChildMenuSL->Count() || !FindHostForm()) return;
  auto* form = static_cast<TCustomForm*>(FMDIChildMenuSL->Objects(static_cast<int>(item->Tag())));
  // Chosen from the list, a minimized child comes back to its size.
  if (form->WindowState() == TWindowState::wsMinimized) form->SetWindowState(TWindowState::wsNormal);
  form->BringToFront();
}
