#include <algorithm>

#include "base/Forms.h"
#include "base/Menus.h"

TPopupList PopupList;

namespace {

const wchar_t kPopupListClass[] = L"VantrelPopupList";

bool BelongsTo(TMenuItem* Item, TMenu* Menu) { return Item && Menu && Item->GetParentMenu() == Menu; }

void Measure(MEASUREITEMSTRUCT* mis, TMenuItem* Item) {
  HDC dc = GetDC(nullptr);
  TCanvas canvas;
  canvas.SetHandle(dc);
  if (Screen) canvas.Font()->Assign(Screen->MenuFont());
  int w = static_cast<int>(mis->itemWidth);
  int h = static_cast<int>(mis->itemHeight);
  try {
    Item->MeasureItem(&canvas, w, h);
  } catch (...) {
    canvas.SetHandle(nullptr);
    ReleaseDC(nullptr, dc);
    throw;
  }
  mis->itemWidth = static_cast<UINT>(w);
  mis->itemHeight = static_cast<UINT>(h);
  canvas.SetHandle(nullptr);
  ReleaseDC(nullptr, dc);
}

void Draw(DRAWITEMSTRUCT* dis, TMenuItem* Item) {
  int saved = SaveDC(dis->hDC);
  TCanvas canvas;
  canvas.SetHandle(dis->hDC);
  if (Screen) canvas.Font()->Assign(Screen->MenuFont());
  TOwnerDrawState state = OwnerDrawStateFromItemState(dis->itemState);
  bool topLevel = dynamic_cast<TMainMenu*>(Item->GetParentComponent()) != nullptr;
  try {
    Item->AdvancedDrawItem(&canvas, TRect(dis->rcItem), state, topLevel);
  } catch (...) {
    canvas.SetHandle(nullptr);
    RestoreDC(dis->hDC, saved);
    throw;
  }
  canvas.SetHandle(nullptr);
  RestoreDC(dis->hDC, saved);
}

}  // namespace

bool TPopupList::HandleMenuMessage(TMessage& Message, TMenu* Menu) {
  switch (Message.Msg) {
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
      if (!mis || mis->CtlType != ODT_MENU) return false;
      TMenuItem* item = FindMenuItemOfEntry(mis->itemData, mis->itemID);
      if (!item || (Menu && !BelongsTo(item, Menu))) return false;
      Measure(mis, item);
      Message.Result = 1;
      return true;
    }
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
      if (!dis || dis->CtlType != ODT_MENU) return false;
      TMenuItem* item = FindMenuItemOfEntry(dis->itemData, dis->itemID);
      if (!item || (Menu && !BelongsTo(item, Menu))) return false;
      Draw(dis, item);
      Message.Result = 1;
      return true;
    }
    case WM_INITMENUPOPUP:
      if (Menu && Menu->DispatchPopup(reinterpret_cast<HMENU>(Message.WParam))) {
        Message.Result = 0;
        return true;
      }
      return false;
    case WM_COMMAND:
      if (Message.LParam == 0 && HIWORD(Message.WParam) == 0 && Menu &&
          Menu->DispatchCommand(LOWORD(Message.WParam))) {
        Message.Result = 0;
        return true;
      }
      return false;
    default:
      return false;
  }
}

HWND TPopupList::Window() {
  if (!FWindow) {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = &TPopupList::WndProc;
    wc.hInstance = inst;
    wc.lpszClassName = kPopupListClass;
    RegisterClassW(&wc);
    FWindow = CreateWindowExW(WS_EX_TOOLWINDOW, kPopupListClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, inst,
                              nullptr);
    if (!FWindow) RaiseLastOSError();
  }
  return FWindow;
}

void TPopupList::Close() {
  if (FWindow) DestroyWindow(FWindow);
  FWindow = nullptr;
}

void TPopupList::Add(TPopupMenu* Menu) {
  if (std::find(FMenus.begin(), FMenus.end(), Menu) == FMenus.end()) FMenus.push_back(Menu);
}

void TPopupList::Remove(TPopupMenu* Menu) { FMenus.erase(std::remove(FMenus.begin(), FMenus.end(), Menu), FMenus.end()); }

int TPopupList::AddListener(TMenuMessageListener Listener) {
  int id = FNextListener++;
  FListeners.emplace_back(id, std::move(Listener));
  return id;
}

void TPopupList::RemoveListener(int Id) {
  FListeners.erase(std::remove_if(FListeners.begin(), FListeners.end(), [Id](auto& l) { return l.first == Id; }),
                   FListeners.end());
}

LRESULT CALLBACK TPopupList::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd != PopupList.FWindow) return DefWindowProcW(hwnd, msg, wParam, lParam);
  try {
    return PopupList.Handle(msg, wParam, lParam);
  } catch (...) {
    if (Application) Application->HandleException(Application);
    return 0;
  }
}

LRESULT TPopupList::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  switch (msg) {
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      if (HandleMenuMessage(m, nullptr)) return m.Result;
      break;
    case WM_COMMAND:
    case WM_INITMENUPOPUP: {
      // A copy: a click may free menus.
      std::vector<TPopupMenu*> menus = FMenus;
      for (TPopupMenu* menu : menus) {
        if (std::find(FMenus.begin(), FMenus.end(), menu) == FMenus.end()) continue;
        if (HandleMenuMessage(m, menu)) return m.Result;
      }
      break;
    }
    case WM_MENUSELECT:
    case WM_ENTERIDLE: {
      auto listeners = FListeners;
      for (auto& l : listeners) {
        bool stillThere = std::any_of(FListeners.begin(), FListeners.end(), [&](auto& x) { return x.first == l.first; });
        if (stillThere) l.second(msg, wParam, lParam);
      }
      break;
    }
    default:
      break;
  }
  return DefWindowProcW(FWindow, msg, wParam, lParam);
}
