#include "base/Menus.h"

#include <algorithm>
#include <unordered_map>

#include "base/ActnList.h"
#include "base/Forms.h"
#include "base/ImgList.h"

namespace {

// Command numbers: unique in the process, below the range that MDI frames
// give their window lists.
constexpr WORD kFirstCommand = 1;
constexpr WORD kLastCommand = 0xFEFF;

std::unordered_map<WORD, TMenuItem*>& Commands() {
  static std::unordered_map<WORD, TMenuItem*> commands;
  return commands;
}
WORD gNextCommand = kFirstCommand;

WORD AllocateCommand(TMenuItem* Item) {
  auto& map = Commands();
  for (unsigned tries = 0; tries <= kLastCommand; ++tries) {
    WORD id = gNextCommand;
    gNextCommand = gNextCommand >= kLastCommand ? kFirstCommand : static_cast<WORD>(gNextCommand + 1);
    if (map.find(id) == map.end()) {
      map[id] = Item;
      return id;
    }
  }
  throw EOutOfResources(L"No free menu command");
}

void ReleaseCommand(WORD Id) { Commands().erase(Id); }

bool IsLiveItem(TMenuItem* Item) {
  if (!Item) return false;
  auto& map = Commands();
  auto it = map.find(Item->Command());
  return it != map.end() && it->second == Item;
}

String StripHotkey(const String& s) {
  String r;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == L'&') {
      if (i + 1 < s.size() && s[i + 1] == L'&') r += L'&', ++i;
      continue;
    }
    r += s[i];
  }
  return r;
}

}  // namespace

TMenuItem* FindMenuItemOfEntry(ULONG_PTR ItemData, UINT Command) {
  auto* byData = reinterpret_cast<TMenuItem*>(ItemData);
  if (ItemData && IsLiveItem(byData)) return byData;
  auto& map = Commands();
  auto it = map.find(static_cast<WORD>(Command));
  return it == map.end() ? nullptr : it->second;
}

// ---------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) { FCommand = AllocateCommand(this); }

void TMenuItem::Destroy() {
  // Sub-items go with their parent, whoever owns them.
  ++FUpdating;
  FreeSubItems();
  --FUpdating;
  if (FParent) FParent->Remove(this);
  if (FActionLink) {
    FActionLink->Free();
    FActionLink = nullptr;
  }
  if (FHandle) {
    DestroyMenu(FHandle);
    FHandle = nullptr;
  }
  if (FBitmap) {
    FBitmap->Free();
    FBitmap = nullptr;
  }
  ReleaseCommand(FCommand);
  TComponent::Destroy();
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (FSubMenuImages && AComponent == static_cast<TComponent*>(FSubMenuImages)) {
    FSubMenuImages = nullptr;
    MenuChanged(false);
  }
  if (FActionLink && AComponent == FActionLink->Action()) SetAction(nullptr);
}

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(L"List index out of bounds (%d)", {Index});
  return FItems[static_cast<size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) return;
  if (Item->FParent) throw EInvalidOperation(L"Menu item is already inserted");
  if (Item == this || Item->FMenu) throw EInvalidOperation(L"Menu item cannot be inserted into itself");
  if (Index < 0 || Index > Count()) throw EListError(L"List index out of bounds (%d)", {Index});
  bool had = !FItems.empty();
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
  SubItemsChanged(Item, had);
}

void TMenuItem::Delete(int Index) {
  TMenuItem* item = Items(Index);
  Remove(item);
  item->Free();
}

void TMenuItem::Remove(TMenuItem* Item) {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  Item->FParent = nullptr;
  // The item's sub-menu leaves our entries before anything may destroy it.
  if (FHandle) RebuildHandle();
  SubItemsChanged(FParent ? this : nullptr, true);
}

void TMenuItem::FreeSubItems() {
  std::vector<TMenuItem*> old;
  old.swap(FItems);
  for (TMenuItem* child : old) child->FParent = nullptr;
  // The entries go first, so that no handle of ours refers to a destroyed
  // sub-menu.
  if (FHandle) RebuildHandle();
  for (auto it = old.rbegin(); it != old.rend(); ++it) (*it)->Free();
}

void TMenuItem::Clear() {
  bool had = !FItems.empty();
  ++FUpdating;
  FreeSubItems();
  --FUpdating;
  SubItemsChanged(FParent ? this : nullptr, had);
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(const String& ACaption) const {
  String want = StripHotkey(ACaption);
  for (TMenuItem* i : FItems)
    if (AnsiSameText(StripHotkey(i->FCaption), want)) return i;
  return nullptr;
}

void TMenuItem::SetMenuIndex(int Value) {
  if (!FParent) return;
  TMenuItem* parent = FParent;
  int count = parent->Count();
  if (Value < 0) Value = 0;
  if (Value >= count) Value = count - 1;
  int cur = parent->IndexOf(this);
  if (cur == Value) return;
  parent->FItems.erase(parent->FItems.begin() + cur);
  parent->FItems.insert(parent->FItems.begin() + Value, this);
  parent->SubItemsChanged(this, true);
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* i = this;
  while (i->FParent) i = i->FParent;
  return i->FMenu;
}

TComponent* TMenuItem::GetParentComponent() const {
  if (FParent && FParent->FMenu) return FParent->FMenu;
  return FParent;
}

TCustomImageList* TMenuItem::GetImageList() const {
  for (TMenuItem* p = FParent; p; p = p->FParent) {
    if (p->FSubMenuImages) return p->FSubMenuImages;
    if (p->FMenu) return p->FMenu->Images();
  }
  return nullptr;
}

TBitmap* TMenuItem::Bitmap() {
  if (!FBitmap) {
    FBitmap = new TBitmap;
    FBitmap->OnChange = [this](TObject*) { MenuChanged(true); };
  }
  return FBitmap;
}

void TMenuItem::SetBitmap(TBitmap* Value) { Bitmap()->Assign(Value); }

void TMenuItem::SetSubMenuImages(TCustomImageList* Value) {
  if (FSubMenuImages == Value) return;
  if (FSubMenuImages) FSubMenuImages->RemoveFreeNotification(this);
  FSubMenuImages = Value;
  if (Value) Value->FreeNotification(this);
  MenuChanged(true);
}

void TMenuItem::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  MenuChanged(true);
}

void TMenuItem::TurnSiblingsOff() {
  if (!FParent) return;
  for (TMenuItem* s : FParent->FItems)
    if (s != this && s->FRadioItem && s->FGroupIndex == FGroupIndex && s->FChecked) {
      s->FChecked = false;
    }
}

void TMenuItem::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  if (Value && FRadioItem) TurnSiblingsOff();
  MenuChanged(true);
}

void TMenuItem::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  MenuChanged(true);
}

void TMenuItem::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  MenuChanged(true);
}

void TMenuItem::SetDefault(bool Value) {
  if (FDefault == Value) return;
  if (Value && FParent)
    for (TMenuItem* s : FParent->FItems) s->FDefault = false;
  FDefault = Value;
  MenuChanged(true);
}

void TMenuItem::SetRadioItem(bool Value) {
  if (FRadioItem == Value) return;
  FRadioItem = Value;
  if (FChecked && Value) TurnSiblingsOff();
  MenuChanged(true);
}

void TMenuItem::SetGroupIndex(BYTE Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  if (FChecked && FRadioItem) TurnSiblingsOff();
  MenuChanged(true);
}

void TMenuItem::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  MenuChanged(true);
}

void TMenuItem::SetShortCut(TShortCut Value) {
  if (FShortCut == Value) return;
  FShortCut = Value;
  MenuChanged(true);
}

void TMenuItem::SetBreak(TMenuBreak Value) {
  if (FBreak == Value) return;
  FBreak = Value;
  MenuChanged(true);
}

TBasicAction* TMenuItem::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TMenuItem::SetAction(TBasicAction* Value) {
  if (!Value) {
    if (FActionLink) {
      FActionLink->Free();
      FActionLink = nullptr;
    }
    return;
  }
  if (!FActionLink) FActionLink = new TMenuActionLink(this);
  FActionLink->SetAction(Value);
  FActionLink->OnChange = [this](TObject* Sender) { ActionChange(Sender, false); };
  ActionChange(Value, IsLoading());
  Value->FreeNotification(this);
}

void TMenuItem::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* a = dynamic_cast<TCustomAction*>(Sender);
  if (!a) return;
  if (!CheckDefaults || FCaption.empty()) SetCaption(a->Caption());
  if (!CheckDefaults || !FChecked) SetChecked(a->Checked());
  if (!CheckDefaults || FEnabled) SetEnabled(a->Enabled());
  if (!CheckDefaults || FHint.empty()) SetHint(a->Hint());
  if (!CheckDefaults || FImageIndex == -1) SetImageIndex(a->ImageIndex());
  if (!CheckDefaults || FShortCut == 0) SetShortCut(a->ShortCut());
  if (!CheckDefaults || FVisible) SetVisible(a->Visible());
  if (!CheckDefaults || !FAutoCheck) SetAutoCheck(a->AutoCheck());
  if (!CheckDefaults || FGroupIndex == 0) SetGroupIndex(static_cast<BYTE>(a->GroupIndex()));
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  bool actionChecks = FActionLink && FActionLink->IsAutoCheckLinked();
  if (FAutoCheck && !actionChecks) SetChecked(!FChecked);
  if (FActionLink) {
    FActionLink->Execute(this);
  } else if (OnClick) {
    OnClick(this);
  }
}

void TMenuItem::MenuChanged(bool Rebuild) {
  if (FUpdating || IsDestroying()) return;
  // The item's entry is in its parent's handle.
  if (Rebuild && FParent && FParent->FHandle) FParent->RebuildHandle();
  Notify(FParent ? this : nullptr, Rebuild);
}

void TMenuItem::SubItemsChanged(TMenuItem* Source, bool HadSubItems) {
  if (FUpdating || IsDestroying()) return;
  if (FHandle) RebuildHandle();
  // Gaining the first or losing the last sub-item changes our own entry.
  if (HadSubItems == FItems.empty() && FParent && FParent->FHandle) FParent->RebuildHandle();
  Notify(Source, true);
}

void TMenuItem::Notify(TMenuItem* Source, bool Rebuild) {
  TMenu* m = GetParentMenu();
  if (m && !m->IsDestroying()) m->MenuChanged(m, Source, Rebuild);
}

HMENU TMenuItem::Handle() {
  if (!FHandle) {
    FHandle = FMenu ? FMenu->CreateMenuHandle() : CreatePopupMenu();
    if (!FHandle) RaiseLastOSError();
    RebuildHandle();
  }
  return FHandle;
}

void TMenuItem::FillItemInfo(MENUITEMINFOW& Info, String& Text) {
  TMenu* menu = GetParentMenu();
  bool ownerDraw = menu && menu->OwnerDraw();
  Info = MENUITEMINFOW{};
  Info.cbSize = sizeof(Info);
  Info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
  Info.wID = FCommand;
  Info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
  Info.hSubMenu = FItems.empty() ? nullptr : Handle();
  if (FChecked) Info.fState |= MFS_CHECKED;
  if (!FEnabled) Info.fState |= MFS_DISABLED;
  if (FDefault) Info.fState |= MFS_DEFAULT;
  if (FRadioItem) Info.fType |= MFT_RADIOCHECK;
  if (FBreak == TMenuBreak::mbBreak) Info.fType |= MFT_MENUBREAK;
  if (FBreak == TMenuBreak::mbBarBreak) Info.fType |= MFT_MENUBARBREAK;
  if (menu && menu->IsRightToLeft()) Info.fType |= MFT_RIGHTORDER | MFT_RIGHTJUSTIFY;
  // A line is a separator for the platform (the keyboard passes over it)
  // even when it is owner-drawn.
  if (IsLine()) Info.fType |= MFT_SEPARATOR;
  if (ownerDraw) {
    Info.fType |= MFT_OWNERDRAW;
  } else if (!IsLine()) {
    Info.fMask |= MIIM_STRING;
    Text = FCaption;
    if (FShortCut) Text += L"\t" + ShortCutToText(FShortCut);
    Info.dwTypeData = Text.data();
    Info.cch = static_cast<UINT>(Text.size());
  }
}

void TMenuItem::RebuildHandle() {
  if (!FHandle) return;
  while (GetMenuItemCount(FHandle) > 0) RemoveMenu(FHandle, 0, MF_BYPOSITION);
  std::vector<TMenuItem*> entries;
  if (auto* main = dynamic_cast<TMainMenu*>(FMenu))
    entries = main->BarItems();
  else
    entries = FItems;
  UINT pos = 0;
  for (TMenuItem* child : entries) {
    if (!child->FVisible) continue;
    MENUITEMINFOW info;
    String text;
    child->FillItemInfo(info, text);
    InsertMenuItemW(FHandle, pos++, TRUE, &info);
  }
  if (FMenu && FMenu->WindowHandle()) DrawMenuBar(FMenu->WindowHandle());
}

void TMenuItem::MeasureItem(TCanvas* ACanvas, int& Width, int& Height) {
  if (OnMeasureItem) {
    OnMeasureItem(this, ACanvas, Width, Height);
    return;
  }
  if (IsLine()) {
    Height = GetSystemMetrics(SM_CYMENU) / 2;
    return;
  }
  String text = FCaption;
  if (FShortCut) text += L"    " + ShortCutToText(FShortCut);
  TRect r;
  ACanvas->TextRect(r, text, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
  Width = r.Width() + (GetParentComponent() == GetParentMenu() && dynamic_cast<TMainMenu*>(GetParentMenu()) ? 0 : 24);
  Height = Max<int>(Height, r.Height() + 4);
}

void TMenuItem::AdvancedDrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State, bool TopLevel) {
  bool selected = State.Contains(TOwnerDrawStateItem::odSelected);
  if (OnAdvancedDrawItem) {
    OnAdvancedDrawItem(this, ACanvas, ARect, State);
  } else if (OnDrawItem) {
    OnDrawItem(this, ACanvas, ARect, selected);
  } else {
    DrawItem(ACanvas, ARect, selected);
  }
}

void TMenuItem::DrawItem(TCanvas* ACanvas, const TRect& ARect, bool Selected) {
  ACanvas->Brush()->SetColor(Selected ? clHighlight : clMenu);
  ACanvas->FillRect(ARect);
  if (IsLine()) {
    TRect line(ARect.left + 2, ARect.top + ARect.Height() / 2 - 1, ARect.right - 2, 0);
    line.bottom = line.top + 2;
    DrawEdge(ACanvas->Handle(), &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  ACanvas->Font()->SetColor(!FEnabled ? clGrayText : Selected ? clHighlightText : clMenuText);
  ACanvas->Brush()->SetStyle(TBrushStyle::bsClear);
  TRect r = ARect;
  r.left += 20;
  ACanvas->TextRect(r, FCaption, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  if (FShortCut) {
    TRect s = ARect;
    s.right -= 8;
    ACanvas->TextRect(s, ShortCutToText(FShortCut), DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  }
  ACanvas->Brush()->SetStyle(TBrushStyle::bsSolid);
}

// ---------------------------------------------------------------------------
// TMenu

// The root item belongs to the menu (its owner), and the menu frees it.
TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(this)) { FItems->FMenu = this; }

void TMenu::Destroy() {
  // A window would destroy the handle with itself: it lets go first.
  if (FWindowHandle && FItems && FItems->HandleAllocated() && ::GetMenu(FWindowHandle) == FItems->Handle())
    ::SetMenu(FWindowHandle, nullptr);
  SetWindowHandle(nullptr);
  if (FItems) {
    // The root stays reachable while its sub-items go.
    FItems->Free();
    FItems = nullptr;
  }
  TComponent::Destroy();
}

HMENU TMenu::Handle() { return FItems->Handle(); }

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && FImages && AComponent == static_cast<TComponent*>(FImages))
    SetImages(nullptr);
}

void TMenu::SetOwnerDraw(bool Value) {
  if (FOwnerDraw == Value) return;
  FOwnerDraw = Value;
  UpdateItems();
}

void TMenu::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  UpdateItems();
}

void TMenu::SetBiDiMode(TBiDiMode Value) {
  if (FBiDiMode == Value) return;
  FBiDiMode = Value;
  UpdateItems();
}

void TMenu::SetWindowHandle(HWND Value) { FWindowHandle = Value; }

void TMenu::UpdateItems() {
  if (!FItems) return;
  // Every handle, deepest first, then the root: each entry is made anew.
  std::vector<TMenuItem*> stack{FItems};
  std::vector<TMenuItem*> order;
  while (!stack.empty()) {
    TMenuItem* i = stack.back();
    stack.pop_back();
    order.push_back(i);
    for (int k = 0; k < i->Count(); ++k) stack.push_back(i->Items(k));
  }
  for (auto it = order.rbegin(); it != order.rend(); ++it)
    if ((*it)->FHandle) (*it)->RebuildHandle();
  MenuChanged(this, nullptr, false);
}

TMenuItem* TMenu::FindItem(UINT_PTR Value, TFindItemKind Kind) {
  if (!FItems) return nullptr;
  std::vector<TMenuItem*> stack{FItems};
  while (!stack.empty()) {
    TMenuItem* i = stack.back();
    stack.pop_back();
    if (i != FItems) {
      switch (Kind) {
        case TFindItemKind::fkCommand:
          if (i->Command() == Value) return i;
          break;
        case TFindItemKind::fkHandle:
          if (i->HandleAllocated() && reinterpret_cast<UINT_PTR>(i->FHandle) == Value) return i;
          break;
        case TFindItemKind::fkShortCut:
          if (i->ShortCut() == Value) return i;
          break;
      }
    }
    for (int k = i->Count() - 1; k >= 0; --k) stack.push_back(i->Items(k));
  }
  return nullptr;
}

bool TMenu::DispatchCommand(WORD ACommand) {
  TMenuItem* item = FindItem(ACommand, TFindItemKind::fkCommand);
  if (!item) return false;
  item->Click();
  return true;
}

bool TMenu::IsShortCut(WORD Key, TShiftState Shift) {
  TShortCut sc = ShortCut(Key, Shift);
  if (sc == 0) return false;
  TMenuItem* item = FindItem(sc, TFindItemKind::fkShortCut);
  if (!item) return false;
  for (TMenuItem* i = item; i && i != FItems; i = i->Parent())
    if (!i->Enabled()) return false;
  item->Click();
  return true;
}

bool TMenu::DispatchPopup(HMENU AMenu) {
  TMenuItem* item = FindItem(reinterpret_cast<UINT_PTR>(AMenu), TFindItemKind::fkHandle);
  if (!item) return false;
  item->Click();
  return true;
}

void TMenu::MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) {
  if (OnChange) OnChange(Sender, Source, Rebuild);
}

// ---------------------------------------------------------------------------
// TMainMenu

void TMainMenu::Destroy() {
  if (FMerged) FMerged->FMergedInto = nullptr;
  if (FMergedInto) FMergedInto->Unmerge(this);
  TMenu::Destroy();
}

void TMainMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FMerged) {
    FMerged = nullptr;
    if (FItems && FItems->HandleAllocated()) FItems->RebuildHandle();
  }
}

std::vector<TMenuItem*> TMainMenu::BarItems() const {
  if (!FItems) return {};
  std::vector<TMenuItem*> own = FItems->FItems;
  if (!FMerged || !FMerged->FItems) return own;
  std::vector<TMenuItem*> merged = FMerged->FItems->FItems;
  auto hasGroup = [](const std::vector<TMenuItem*>& v, BYTE g) {
    return std::any_of(v.begin(), v.end(), [g](TMenuItem* i) { return i->GroupIndex() == g; });
  };
  std::vector<TMenuItem*> result;
  for (TMenuItem* i : own)
    if (!hasGroup(merged, i->GroupIndex())) result.push_back(i);
  for (TMenuItem* m : merged) {
    // After the last item whose group is not above the merged item's group.
    auto pos = result.begin();
    for (auto it = result.begin(); it != result.end(); ++it)
      if ((*it)->GroupIndex() <= m->GroupIndex()) pos = it + 1;
    result.insert(pos, m);
  }
  return result;
}

void TMainMenu::Merge(TMainMenu* Menu) {
  if (Menu == FMerged) return;
  if (FMerged) Unmerge(FMerged);
  if (!Menu || Menu == this) return;
  FMerged = Menu;
  Menu->FMergedInto = this;
  Menu->FreeNotification(this);
  if (FItems->HandleAllocated()) FItems->RebuildHandle();
  MenuChanged(this, nullptr, true);
}

void TMainMenu::Unmerge(TMainMenu* Menu) {
  if (!Menu || Menu != FMerged) return;
  FMerged = nullptr;
  Menu->FMergedInto = nullptr;
  RemoveFreeNotification(Menu);
  if (FItems && FItems->HandleAllocated()) FItems->RebuildHandle();
  MenuChanged(this, nullptr, true);
}

void TMainMenu::UpdateItems() {
  TMenu::UpdateItems();
  if (FMerged) FMerged->UpdateItems();
  if (FItems && FItems->HandleAllocated()) FItems->RebuildHandle();
}

void TMainMenu::SetWindowHandle(HWND Value) {
  FWindowHandle = Value;
  if (Value) DrawMenuBar(Value);
}

void TMainMenu::MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) {
  // A merged menu's change shows on the bar it is merged into.
  if (FMergedInto && FMergedInto->FItems && FMergedInto->FItems->HandleAllocated())
    FMergedInto->FItems->RebuildHandle();
  TMenu::MenuChanged(Sender, Source, Rebuild);
}

// ---------------------------------------------------------------------------
// TPopupMenu

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) { PopupList.Add(this); }

void TPopupMenu::Destroy() {
  PopupList.Remove(this);
  TMenu::Destroy();
}

void TPopupMenu::DoPopup(TObject* Sender) {
  if (OnPopup) OnPopup(Sender);
}

void TPopupMenu::Popup(int X, int Y) {
  DoPopup(this);
  UINT flags = 0;
  switch (FAlignment) {
    case TPopupAlignment::paLeft: flags |= TPM_LEFTALIGN; break;
    case TPopupAlignment::paRight: flags |= TPM_RIGHTALIGN; break;
    case TPopupAlignment::paCenter: flags |= TPM_CENTERALIGN; break;
  }
  flags |= FTrackButton == TTrackButton::tbLeftButton ? TPM_LEFTBUTTON : TPM_RIGHTBUTTON;
  if (IsRightToLeft()) flags |= TPM_LAYOUTRTL;
  HMENU menu = Handle();
  TrackPopupMenu(menu, flags, X, Y, 0, PopupList.Window(), nullptr);
}
