// A toolbar as its form's menu bar: one menu button per top-level item of
// its Menu, each dropping the item's sub-items in a styled popup menu; the
// keyboard menu mode (Alt, F10, Alt+letter, arrows, Enter, Esc) with its
// two thread hooks; and the switch between neighbouring menus while one is
// open.
//
// One toolbar menu is open, and one toolbar is in menu mode, per GUI thread
// at a time: the state of both lives here, beside the hooks that read it.
#include <algorithm>

#include "base/Forms.h"
#include "ui/toolbar/bars/AdvDockPanel.h"
#include "ui/controls/buttons/GlowButtonHelpers.h"
#include "ui/toolbar/bars/AdvToolBarButton.h"

namespace {

// The open button menu.
TAdvCustomToolBar* OpenMenuToolBar = nullptr;
int OpenMenuButtonIndex = -1;
TMenuItem* SelectedMenuItem = nullptr;
bool KeepMenuMode = false;
bool MenuFirstKeyPosted = false;
TPoint LastFilterMousePos;
HHOOK MenuFilterHookHandle = nullptr;
int MenuSelectListener = 0;
// Menu mode.
TAdvCustomToolBar* MenuKeyToolBar = nullptr;
HHOOK MenuKeyHookHandle = nullptr;

// The item of the open popup that a selection names: a sub-menu by its
// handle, any other entry by its command.
TMenuItem* FindSelected(TMenuItem* Root, WPARAM WParam, HMENU Menu) {
  if (!Root) return nullptr;
  WORD id = LOWORD(WParam);
  bool popup = (HIWORD(WParam) & MF_POPUP) != 0;
  HMENU sub = popup ? GetSubMenu(Menu, id) : nullptr;
  std::function<TMenuItem*(TMenuItem*)> walk = [&](TMenuItem* Item) -> TMenuItem* {
    for (int i = 0; i < Item->Count(); ++i) {
      TMenuItem* c = Item->Items(i);
      if (popup ? (c->HandleAllocated() && c->Handle() == sub) : c->Command() == id) return c;
      if (TMenuItem* f = walk(c)) return f;
    }
    return nullptr;
  };
  return walk(Root);
}

// A selection in the open popup, or its closing.
void MenuSelected(WPARAM WParam, LPARAM LParam) {
  TAdvCustomToolBar* t = OpenMenuToolBar;
  if (!t) return;
  if (HIWORD(WParam) == 0xFFFF && LParam == 0) {
    if (!KeepMenuMode) t->EndMenuMode();
    return;
  }
  KeepMenuMode = false;
  TAdvPopupMenu* m = t->ActiveMenu();
  SelectedMenuItem = m ? FindSelected(m->Items(), WParam, reinterpret_cast<HMENU>(LParam)) : nullptr;
}

// The visible, enabled button next to the open one, wrapping round.
TAdvCustomToolBarButton* NextMenuButton(bool Forward) {
  TAdvCustomToolBar* t = OpenMenuToolBar;
  if (!t || OpenMenuButtonIndex < 0) return nullptr;
  int n = t->ToolBarControlCount();
  int i = OpenMenuButtonIndex;
  for (int step = 1; step < n; ++step) {
    i = Forward ? (i + 1) % n : (i + n - 1) % n;
    auto* b = dynamic_cast<TAdvCustomToolBarButton*>(t->ToolBarControls(i));
    if (b && b->Visible() && b->Enabled()) return b;
  }
  return nullptr;
}

LRESULT CALLBACK MenuFilterHook(int Code, WPARAM WParam, LPARAM LParam) {
  auto* msg = reinterpret_cast<MSG*>(LParam);
  if (SelectedMenuItem && SelectedMenuItem->GetParentMenu() && SelectedMenuItem->GetParentMenu()->IsRightToLeft() &&
      msg && (msg->message == WM_KEYDOWN)) {
    if (msg->wParam == VK_LEFT)
      msg->wParam = VK_RIGHT;
    else if (msg->wParam == VK_RIGHT)
      msg->wParam = VK_LEFT;
  }
  LRESULT next = CallNextHookEx(MenuFilterHookHandle, Code, WParam, LParam);
  if (next != 0 || Code != MSGF_MENU || !msg || !OpenMenuToolBar) return next;
  if (!MenuFirstKeyPosted) {
    MenuFirstKeyPosted = true;
    PostMessageW(msg->hwnd, WM_KEYDOWN, VK_DOWN, 0);
  }
  TControl* target = nullptr;
  bool byMouse = false;
  TAdvPopupMenu* open = OpenMenuToolBar->ActiveMenu();
  switch (msg->message) {
    case WM_KEYDOWN:
      if (msg->wParam == VK_ESCAPE) {
        KeepMenuMode = true;
      } else if (msg->wParam == VK_RIGHT) {
        if (SelectedMenuItem && SelectedMenuItem->Count() == 0) target = NextMenuButton(true);
      } else if (msg->wParam == VK_LEFT) {
        if (!SelectedMenuItem || (open && SelectedMenuItem->Parent() == open->Items()))
          target = NextMenuButton(false);
      }
      break;
    case WM_SYSKEYDOWN:
      if (msg->wParam == VK_MENU) OpenMenuToolBar->EndMenuMode();
      return next;
    case WM_MOUSEMOVE: {
      POINT p;
      GetCursorPos(&p);
      if (TPoint(p) != LastFilterMousePos) {
        LastFilterMousePos = TPoint(p);
        target = FindDragTarget(TPoint(p), true);
        byMouse = true;
      }
      break;
    }
    default:
      break;
  }
  auto* b = dynamic_cast<TAdvCustomToolBarButton*>(target);
  if (b && b->IsMenuButton() && b->GetIndex() != OpenMenuButtonIndex && b->Parent() &&
      b->Parent()->HandleAllocated() && b->AdvToolBar() == OpenMenuToolBar) {
    KeepMenuMode = true;
    OpenMenuToolBar->SwitchMenuButton(b, byMouse);
  }
  return next;
}

void InstallMenuFilterHook() {
  KeepMenuMode = false;
  POINT p;
  GetCursorPos(&p);
  LastFilterMousePos = TPoint(p);
  if (!MenuFilterHookHandle)
    MenuFilterHookHandle = SetWindowsHookExW(WH_MSGFILTER, &MenuFilterHook, nullptr, GetCurrentThreadId());
  // Under wine WM_MENUSELECT never reaches a message filter hook (the
  // platform sends it to the menu's owner): the popup-list window, which
  // owns every popup menu, hands it on to us instead.
  if (!MenuSelectListener)
    MenuSelectListener = PopupList.AddListener([](UINT Msg, WPARAM W, LPARAM L) {
      if (Msg == WM_MENUSELECT) MenuSelected(W, L);
    });
}

void RemoveMenuFilterHook() {
  if (MenuFilterHookHandle) UnhookWindowsHookEx(MenuFilterHookHandle);
  MenuFilterHookHandle = nullptr;
  if (MenuSelectListener) PopupList.RemoveListener(MenuSelectListener);
  MenuSelectListener = 0;
  SelectedMenuItem = nullptr;
  OpenMenuToolBar = nullptr;
  OpenMenuButtonIndex = -1;
  MenuFirstKeyPosted = false;
}

void RemoveMenuKeyHook() {
  if (MenuKeyHookHandle) UnhookWindowsHookEx(MenuKeyHookHandle);
  MenuKeyHookHandle = nullptr;
  MenuKeyToolBar = nullptr;
}

LRESULT CALLBACK MenuKeyHook(int Code, WPARAM WParam, LPARAM LParam) {
  auto* msg = reinterpret_cast<MSG*>(LParam);
  if (Code == HC_ACTION && msg && MenuKeyToolBar) {
    if (msg->message == CM_DEACTIVATE) {
      MenuKeyToolBar->EndMenuMode();
    } else if (msg->message == WM_COMMAND) {
      RemoveMenuKeyHook();
    } else if (!MenuFilterHookHandle && MenuKeyToolBar->HandleAllocated()) {
      switch (msg->message) {
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
          msg->hwnd = MenuKeyToolBar->Handle();
          break;
        default:
          break;
      }
    }
  }
  return CallNextHookEx(MenuKeyHookHandle, Code, WParam, LParam);
}

void InstallMenuKeyHook() {
  if (!MenuKeyHookHandle)
    MenuKeyHookHandle = SetWindowsHookExW(WH_GETMESSAGE, &MenuKeyHook, nullptr, GetCurrentThreadId());
}

bool Eligible(TAdvCustomToolBar* T, TControl* C) {
  auto* b = dynamic_cast<TAdvToolBarMenuButton*>(C);
  if (!b || !b->Visible() || !b->Enabled()) return false;
  return T->GetToolBarState() != TToolBarState::tsDocked || !T->IsHiddenControl(C);
}

}  // namespace

// ---------------------------------------------------------------------------
// The menu and its buttons

TCustomForm* TAdvCustomToolBar::FindHostForm() {
  TControl* c = FCurrentDock ? static_cast<TControl*>(FCurrentDock)
                             : FLastDock ? static_cast<TControl*>(FLastDock) : static_cast<TControl*>(FParent);
  for (; c; c = c->Parent())
    if (auto* f = dynamic_cast<TCustomForm*>(c)) return f;
  return nullptr;
}

TAdvToolBarMenuButton* TAdvCustomToolBar::NewMenuButton(TMenuItem* Item) {
  auto* b = new TAdvToolBarMenuButton(this);
  try {
    b->SetAdvToolBar(this);
    b->SetShowCaption(true);
    b->SetMenuItem(Item);
    b->FToolBarCreated = true;
    b->SetAutoSize(true);
    b->AdjustSize();
  } catch (...) {
    b->Free();
    throw;
  }
  return b;
}

void TAdvCustomToolBar::SetMenu(TMainMenu* Value) {
  if (Value == FMenu) return;
  if (FControlStyle.Contains(TControlStyleItem::csAcceptsControls)) {
    FControlStyle = TControlStyle{TControlStyleItem::csCaptureMouse, TControlStyleItem::csClickEvents,
                                  TControlStyleItem::csSetCaption, TControlStyleItem::csDoubleClicks,
                                  TControlStyleItem::csMenuEvents};
    if (HandleAllocated()) RecreateWnd();
  }
  // A merge is laid over the menu it was made on: it ends with that menu.
  if (FMergedMenu) MergeMenu(nullptr);
  if (FMenu) {
    for (int i = FATBControls->Count() - 1; i >= 0; --i)
      if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(ToolBarControls(i)); b && b->FToolBarCreated) b->Free();
    FMenu->RemoveFreeNotification(this);
  }
  FMenu = Value;
  if (!FMenu) return;
  FMenu->FreeNotification(this);
  FMenu->Handle();
  if (!IsLoading() || FMenu->Images()) SetImages(FMenu->Images());
  BuildMenuButtons();
}

void TAdvCustomToolBar::BuildMenuButtons() {
  TMenuItem* items = FMenu->Items();
  for (int i = 0; i < items->Count(); ++i) NewMenuButton(items->Items(i));
  int next = 0;
  for (int i = 0; i < FATBControls->Count() && next < items->Count(); ++i)
    if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(ToolBarControls(i)); b && b->FToolBarCreated)
      b->SetMenuItem(items->Items(next++));
  PositionControls(true);
}

void TAdvCustomToolBar::UpdateMenu() {
  if (!FMenu) return;
  FMenu->Handle();
  // A merge shown now is taken off, and laid again over the updated
  // buttons.
  bool remerge = FMergeApplied;
  if (remerge) UndoMergedButtons();
  TMenuItem* items = FMenu->Items();
  bool rebuild = false;
  BeginUpdate();
  for (int i = 0; i < items->Count() && !rebuild; ++i) {
    TAdvCustomToolBarButton* found = nullptr;
    for (int j = 0; j < FATBControls->Count() && !found; ++j)
      if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(ToolBarControls(j));
          b && b->FToolBarCreated && b->MenuItem() == items->Items(i))
        found = b;
    if (found)
      found->SetMenuItem(items->Items(i));
    else
      rebuild = true;
  }
  EndUpdate();
  if (rebuild) {
    // Every button of the menu is made again.
    for (int i = FATBControls->Count() - 1; i >= 0; --i)
      if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(ToolBarControls(i)); b && b->FToolBarCreated) b->Free();
    if (!IsLoading() || FMenu->Images()) SetImages(FMenu->Images());
    BuildMenuButtons();
  }
  if (remerge && FMergedMenu) CreateMergedButtons();
}

// ---------------------------------------------------------------------------
// Hot menu button

bool TAdvCustomToolBar::SetHotMenuButton(TAdvCustomToolBarButton* Button) {
  if (Button) {
    Button->SetHot(true);
    return true;
  }
  if (!FHotButton) return false;
  FHotButton->SetHot(false);
  return true;
}

void TAdvCustomToolBar::SetHotMenuButtonIndex(int N) {
  if (N < 0) {
    SetHotMenuButton(nullptr);
    return;
  }
  for (int i = 0, k = 0; i < FATBControls->Count(); ++i) {
    TControl* c = ToolBarControls(i);
    if (!Eligible(this, c)) continue;
    if (k++ == N) {
      SetHotMenuButton(static_cast<TAdvCustomToolBarButton*>(c));
      return;
    }
  }
}

// The eligible menu button before or after the hot one, wrapping round.
TAdvCustomToolBarButton* TAdvCustomToolBar::NeighbourMenuButton(bool Forward) {
  std::vector<TAdvCustomToolBarButton*> list;
  for (int i = 0; i < FATBControls->Count(); ++i)
    if (Eligible(this, ToolBarControls(i))) list.push_back(static_cast<TAdvCustomToolBarButton*>(ToolBarControls(i)));
  auto it = std::find(list.begin(), list.end(), FHotButton);
  if (it == list.end()) return nullptr;
  size_t i = static_cast<size_t>(it - list.begin()), n = list.size();
  return list[Forward ? (i + 1) % n : (i + n - 1) % n];
}

// ---------------------------------------------------------------------------
// Dropping a button's menu

TPoint TAdvCustomToolBar::MenuDropPoint(TAdvCustomToolBarButton* Button, TAdvPopupMenu* Menu, int W) {
  TPoint p;
  switch (FPosition) {
    case TDockAlign::daLeft:
      return Button->ClientToScreen(TPoint(Button->ClientWidth(), 1));
    case TDockAlign::daRight:
      p = Button->ClientToScreen(TPoint(0, 1));
      p.x -= W;
      return p;
    default:
      break;
  }
  p = Button->ClientToScreen(TPoint(0, Button->ClientHeight()));
  if (Menu->IsRightToLeft()) p.x += Button->Width();
  int bottom = GetSystemMetrics(SM_CYSCREEN), right = GetSystemMetrics(SM_CXSCREEN);
  if (HMONITOR mon = MonitorFromPoint(POINT{p.x, p.y}, MONITOR_DEFAULTTONULL)) {
    MONITORINFO mi{sizeof(mi)};
    if (GetMonitorInfoW(mon, &mi)) {
      bottom = mi.rcMonitor.bottom;
      right = mi.rcMonitor.right;
    }
  }
  int h = 0;
  TMenuItem* items = Menu->Items();
  if (FPosition == TDockAlign::daTop) {
    for (int i = 0; i < items->Count(); ++i)
      if (items->Items(i)->Visible()) h += MeasureMenuEntry(items->Items(i)).cy;
  } else {
    h = GetSystemMetrics(SM_CYMENU) * items->Count();
  }
  if (p.y + h + 10 > bottom) p.y -= Button->Height() + h + 4;
  if (p.x + W + 52 > right) p.x = right - W - 52;
  return p;
}

TSize TAdvCustomToolBar::MeasureMenuEntry(TMenuItem* Item) {
  // Owner-drawn entries are measured by the window that owns popup menus.
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_MENU;
  mis.itemID = Item->Command();
  mis.itemData = reinterpret_cast<ULONG_PTR>(Item);
  mis.itemWidth = 10;
  mis.itemHeight = 10;
  SendMessageW(PopupList.Window(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
  return TSize(static_cast<int>(mis.itemWidth), static_cast<int>(mis.itemHeight));
}

bool TAdvCustomToolBar::DropButtonMenu(TAdvCustomToolBarButton* Button) {
  if (!Button) return false;
  FCaptureChangeCancels = false;
  if (Button->DropDownMenu()) {
    FTempMenu = Button->DropDownMenu();
  } else if (!Button->MenuItem()) {
    PostMessageW(Handle(), WM_TOOLBARMENUCLOSED, 0, 0);
    return false;
  } else {
    TMenuItem* item = Button->MenuItem();
    if (!Button->FInternalClick || item->Count() > 0) item->Click();
    RestoreButtonMenu();
    auto* popup = new TAdvPopupMenu(this);
    TMenu* owner = item->GetParentMenu();
    if (owner) {
      popup->SetBiDiMode(owner->BiDiMode());
      popup->SetImages(owner->Images());
      if (auto* adv = dynamic_cast<TAdvMainMenu*>(owner)) popup->SetShowNotes(adv->ShowNotes());
    }
    popup->SetTrackButton(TTrackButton::tbLeftButton);
    FTempMenu = popup;
    FOwnsTempMenu = true;
    FButtonMenu = item;
    item->FreeNotification(this);
    FMenuButton = Button;
    AddMDIChildItems();
    for (int i = item->Count() - 1; i >= 0; --i) {
      TMenuItem* sub = item->Items(i);
      item->Remove(sub);
      popup->Items()->Insert(0, sub);
    }
  }
  bool hooked = false;
  try {
    int visible = 0;
    TMenuItem* items = FTempMenu->Items();
    for (int i = 0; i < items->Count(); ++i)
      if (items->Items(i)->Visible()) ++visible;
    Perform(WM_CANCELMODE, 0, 0);
    FTempMenu->SetPopupComponent(this);
    hooked = items->Count() > 0 && FMenu;
    if (hooked) {
      OpenMenuButtonIndex = Button->GetIndex();
      OpenMenuToolBar = this;
      InstallMenuFilterHook();
    }
    SetHotMenuButtonIndex(-1);
    TMenuItem* widest = nullptr;
    int widestText = -1;
    for (int i = 0; i < items->Count(); ++i) {
      TMenuItem* m = items->Items(i);
      int w = Canvas()->TextWidth(m->Caption()) + Canvas()->TextWidth(ShortCutToText(m->ShortCut()));
      if (w > widestText) {
        widestText = w;
        widest = m;
      }
    }
    int w = widest ? MeasureMenuEntry(widest).cx : 0;
    TPoint at = MenuDropPoint(Button, FTempMenu, w);
    FMenuDropped = true;
    if (TCustomAdvToolBarStyler* s = FCurrentToolBarStyler) FTempMenu->SetMenuStyler(s->CurrentAdvMenuStyler());
    if ((hooked || (items->Count() > 0 && !FMenu)) && visible > 0) {
      Button->FMenuDisplayed = true;
      FLastDropPoint = at;
      FTempMenu->Popup(at.x, at.y);
      FLastMenuButton = Button;
    }
    if (hooked) RemoveMenuFilterHook();
    FMenuButton = Button;
    Button->ResetState();
    if (KeepMenuMode && FMenuFocused) Button->SetHot(true);
  } catch (...) {
    if (hooked) RemoveMenuFilterHook();
    PostMessageW(Handle(), WM_TOOLBARMENUCLOSED, 0, 0);
    throw;
  }
  MoveToFront(Button);
  PostMessageW(Handle(), WM_TOOLBARMENUCLOSED, 0, 0);
  return true;
}

void TAdvCustomToolBar::RestoreButtonMenu() {
  // The entries go back to their item even when the button that dropped
  // them is gone meanwhile (a choice in the menu ended a merge); when the
  // item itself is gone they go with the popup, as they would have gone
  // with their item.
  if (FTempMenu && FOwnsTempMenu) {
    if (FButtonMenu) {
      TMenuItem* items = FTempMenu->Items();
      for (int i = items->Count() - 1; i >= 0; --i) {
        TMenuItem* sub = items->Items(i);
        items->Remove(sub);
        FButtonMenu->Insert(0, sub);
      }
      FButtonMenu->RemoveFreeNotification(this);
    }
    FTempMenu->Free();
    FTempMenu = nullptr;
    FOwnsTempMenu = false;
    FMenuButton = nullptr;
    FButtonMenu = nullptr;
  }
  FreeMDIChildItems();
}

void TAdvCustomToolBar::MenuClosed() {
  TAdvCustomToolBarButton* b = FLastMenuButton;
  RestoreButtonMenu();
  if (!FOwnsTempMenu) FTempMenu = nullptr;
  FMenuDropped = false;
  if (b) b->FMenuDisplayed = false;
  if (FMenuButton) FMenuButton->Invalidate();
  FCaptureChangeCancels = true;
  // A switch to a neighbour asked for while the menu was open.
  if (TAdvCustomToolBarButton* next = FPendingMenuButton) {
    FPendingMenuButton = nullptr;
    if (IsListed(next) && next->Visible() && next->Enabled()) {
      next->SetHot(true);
      if (next->MenuItem() && next->MenuItem()->Count() > 0)
        next->DoDropDown();
    }
  }
}

// ---------------------------------------------------------------------------
// Menu mode

void TAdvCustomToolBar::BeginMenuMode(TAdvCustomToolBarButton* Button) {
  MenuKeyToolBar = this;
  SetCapture(Handle());
  FMenuFocused = true;
  InstallMenuKeyHook();
  if (Button) {
    Button->SetHot(true);
    Button->DoDropDown();
  } else {
    SetHotMenuButtonIndex(0);
    FCaptureChangeCancels = true;
  }
}

bool TAdvCustomToolBar::RunMenuMode(TAdvCustomToolBarButton* Button) {
  if (FInMenuLoop) {
    if (!Button) return false;
    SwitchMenuButton(Button, false);
    return true;
  }
  FInMenuLoop = true;
  try {
    BeginMenuMode(Button);
    if (FMenu)
      while (FInMenuLoop && Application && !Application->Terminated()) Application->HandleMessage();
  } catch (...) {
    EndMenuMode();
    throw;
  }
  EndMenuMode();
  return true;
}

void TAdvCustomToolBar::EndMenuMode() {
  if (FInMenuLoop) {
    if (MenuKeyToolBar == this) RemoveMenuKeyHook();
    if (HandleAllocated() && GetCapture() == FHandle) {
      FCaptureChangeCancels = false;
      ReleaseCapture();
    }
    FMenuFocused = false;
  }
  FInMenuLoop = false;
  FCaptureChangeCancels = false;
  SetHotMenuButtonIndex(-1);
}

void TAdvCustomToolBar::SwitchMenuButton(TAdvCustomToolBarButton* Button, bool ByMouse) {
  // The open menu ends first; its closing drops the neighbour's menu (or,
  // for a button without sub-items, leaves it hot in menu mode).
  FCaptureChangeCancels = false;
  FLastMenuButton = nullptr;
  if (!ByMouse && !(Button->MenuItem() && Button->MenuItem()->Count() > 0)) {
    FNextMenuHotButton = Button;
    FMenuItemTimer->SetEnabled(true);
  } else {
    FPendingMenuButton = Button;
  }
  EndMenu();
}

void TAdvCustomToolBar::MenuItemTimerTick(TObject*) {
  if (TAdvCustomToolBarButton* b = FNextMenuHotButton) {
    if (!FInMenuLoop) {
      // Starts menu mode and stays in it; the next tick finds it running.
      RunMenuMode(nullptr);
      return;
    }
    SetHotMenuButton(b);
    FNextMenuHotButton = nullptr;
  }
  FMenuItemTimer->SetEnabled(false);
}

// ---------------------------------------------------------------------------
// Keys and messages

bool TAdvCustomToolBar::MenuModeKeyDown(WORD Key) {
  TAdvCustomToolBarButton* h = FHotButton;
  switch (Key) {
    case VK_RETURN:
    case VK_DOWN:
      if (h) h->DoDropDown();
      return Key == VK_DOWN;
    case VK_ESCAPE:
      EndMenuMode();
      return true;
    case VK_LEFT:
    case VK_RIGHT:
      if (h)
        if (TAdvCustomToolBarButton* n = NeighbourMenuButton(Key == VK_RIGHT)) SetHotMenuButton(n);
      return false;
    default:
      return false;
  }
}

bool TAdvCustomToolBar::MenuBarMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_TOOLBARMENUCLOSED:
      MenuClosed();
      return true;
    case WM_SYSCOMMAND: {
      if (FInMenuLoop || !FEnabled || !Showing() || !FMenu || (Message.WParam & 0xFFF0) != SC_KEYMENU) return false;
      auto key = static_cast<wchar_t>(Message.LParam);
      if (key == L' ' || key == L'-' || GetCapture()) return false;
      TAdvCustomToolBarButton* b = key ? FindAccelButton(key) : nullptr;
      if (key && !b) return false;
      Message.Result = 1;
      RunMenuMode(b);
      return true;
    }
    case CN_SYSKEYDOWN:
      TCustomControl::Dispatch(Message);
      if (Message.WParam == VK_MENU) EndMenuMode();
      return true;
    case CN_CHAR:
      if (FInMenuLoop && !IsDesigning() && Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0) {
        Message.Result = 1;
        return true;
      }
      return false;
    case WM_CAPTURECHANGED:
      TCustomControl::Dispatch(Message);
      if (FInMenuLoop && FCaptureChangeCancels) EndMenuMode();
      return true;
    case WM_GETDLGCODE:
      if (FInMenuLoop || OnPageOrCompactWindow()) {
        Message.Result = DLGC_WANTARROWS;
        return true;
      }
      return false;
    case WM_KEYDOWN:
      if (FInMenuLoop) {
        if (!MenuModeKeyDown(static_cast<WORD>(Message.WParam))) TCustomControl::Dispatch(Message);
        return true;
      }
      if (!ToolBarKeyDown(static_cast<WORD>(Message.WParam))) TCustomControl::Dispatch(Message);
      return true;
    case WM_CHAR:
      if (FInMenuLoop) {
        Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam);
        return true;
      }
      return false;
    default:
      return false;
  }
}

TAdvCustomToolBarButton* TAdvCustomToolBar::FindAccelButton(wchar_t Key) {
  for (int i = 0; i < FATBControls->Count(); ++i) {
    auto* b = dynamic_cast<TAdvCustomToolBarButton*>(ToolBarControls(i));
    if (b && b->Visible() && b->Enabled() && GlowButton::IsAccel(Key, b->Caption())) return b;
  }
  return nullptr;
}

void TAdvCustomToolBar::ReleaseMenuState() {
  if (OpenMenuToolBar == this) RemoveMenuFilterHook();
  if (MenuKeyToolBar == this) RemoveMenuKeyHook();
  FMenuItemTimer->SetEnabled(false);
}

TMenuItem* ToolBarMenuSelectedItem() { return SelectedMenuItem; }
