#include <algorithm>
#include <unordered_map>

#include "base/Forms.h"
#include "ui/controls/menus/AdvMenuDraw.h"
#include "ui/controls/menus/AdvMenuUtil.h"

namespace {

bool (*gStyledSource)() = nullptr;

// The region each styled popup window got at its first painting, set again
// whenever the window shows.
std::unordered_map<HWND, RECT>& Regions() {
  static std::unordered_map<HWND, RECT> regions;
  return regions;
}

void ApplyRegion(HWND Window, const RECT& R) {
  SetWindowRgn(Window, CreateRectRgnIndirect(&R), TRUE);
}

WNDPROC PreviousProc(HWND Window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Window, GWLP_USERDATA)); }

// Gives a subclassed window its own procedure back, if it is still alive
// and still runs ours.
void Unsubclass(HWND Window, WNDPROC Ours, WNDPROC Previous) {
  if (!Window || !IsWindow(Window)) return;
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Window, GWLP_WNDPROC)) != Ours) return;
  SetWindowLongPtrW(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Previous));
  SetWindowLongPtrW(Window, GWLP_USERDATA, 0);
}

}  // namespace

void SetStyledAppearanceSource(bool (*Source)()) { gStyledSource = Source; }

TCustomForm* FindFormByHandle(HWND Window) {
  if (!Screen || !Window) return nullptr;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* f = Screen->Forms(i);
    if (f->HandleAllocated() && f->Handle() == Window) return f;
  }
  return nullptr;
}

HWND GetMenuBarWindow(TMenu* Menu) {
  if (!Menu) return nullptr;
  auto* form = dynamic_cast<TCustomForm*>(Menu->Owner());
  if (form && form->FormStyle() == TFormStyle::fsMDIChild) {
    if (!form->HandleAllocated()) return nullptr;
    return GetParent(GetParent(form->Handle()));
  }
  return Menu->WindowHandle();
}

HWND GetMdiClientWindow(IAdvMenu* Intf) {
  TMenu* menu = Intf ? Intf->GetMenu() : nullptr;
  if (!dynamic_cast<TMainMenu*>(menu) || menu->IsDestroying()) return nullptr;
  auto* form = dynamic_cast<TCustomForm*>(menu->Owner());
  if (!form) return nullptr;
  if (form->FormStyle() == TFormStyle::fsMDIChild) return form->HandleAllocated() ? GetParent(form->Handle()) : nullptr;
  if (form->FormStyle() == TFormStyle::fsMDIForm) return form->ClientHandle();
  return nullptr;
}

bool SubMenuOpensRight(TMenuItem* Item, HWND /*Window: not passed on the NT family*/) {
  if (IsRootItem(Item)) return true;
  TMenuItem* parent = Item->Parent();
  if (!parent) return true;
  // On the NT family no window is passed: the platform finds each
  // drop-down's own window (a window passed would be taken as the one that
  // shows the items).
  RECT first{};
  GetMenuItemRect(nullptr, parent->Handle(), 0, &first);
  if (first.right - first.left == 0 && first.bottom - first.top == 0) return true;
  if (!parent->Visible() || !parent->Parent()) return false;
  RECT pr{};
  int pos = VisibleItemIndex(parent);
  GetMenuItemRect(nullptr, parent->Parent()->Handle(), static_cast<UINT>(pos), &pr);
  return first.left > pr.left || (first.left == pr.left && first.right > pr.right);
}

LRESULT CALLBACK MenuWindowProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  WNDPROC previous = PreviousProc(Window);
  switch (Message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_SHOWWINDOW:
      if (!WParam) {
        SetWindowRgn(Window, nullptr, TRUE);
      } else {
        auto it = Regions().find(Window);
        if (it != Regions().end()) ApplyRegion(Window, it->second);
      }
      break;
    case WM_WINDOWPOSCHANGED: {
      auto* wp = reinterpret_cast<WINDOWPOS*>(LParam);
      if (wp && (wp->flags & SWP_SHOWWINDOW)) {
        auto it = Regions().find(Window);
        if (it != Regions().end()) ApplyRegion(Window, it->second);
      }
      break;
    }
    case WM_CLOSE:
      SetWindowRgn(Window, nullptr, TRUE);
      break;
    case WM_DESTROY:
      SetWindowRgn(Window, nullptr, TRUE);
      Regions().erase(Window);
      break;
    default:
      break;
  }
  return previous ? CallWindowProcW(previous, Window, Message, WParam, LParam)
                  : DefWindowProcW(Window, Message, WParam, LParam);
}

void DrawMenuWindowFrame(TMenuItem* Item, TCanvas* Canvas) {
  TMenu* menu = GetItemMenu(Item);
  IAdvMenu* intf = GetAdvMenu(menu);
  if (!intf) return;
  HWND w = WindowFromDC(Canvas->Handle());
  if (!w || !IsWindow(w) || w == menu->WindowHandle() || IsMenuBarItem(Item)) return;
  TCustomAdvMenuStyler* st = intf->GetCurrentMenuStyler();
  RECT wrect;
  GetWindowRect(w, &wrect);
  TRect wr(wrect);
  int level = ItemLevel(Item) + (dynamic_cast<TPopupMenu*>(menu) ? 1 : 0);
  bool opensRight = level >= 2 ? SubMenuOpensRight(Item, w) : true;
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(w, GWLP_WNDPROC)) != &MenuWindowProc) {
    LONG_PTR old = GetWindowLongPtrW(w, GWLP_WNDPROC);
    SetWindowLongPtrW(w, GWLP_USERDATA, old);
    SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MenuWindowProc));
    RECT region{1, 1, wr.Width() - 1 - MenuColumnWidth, wr.Height() - 1};
    Regions()[w] = region;
    ApplyRegion(w, region);
    if (level == 1) {
      MoveWindow(w, wr.left - 1, wr.top - 2, wr.Width(), wr.Height(), TRUE);
    } else {
      if (opensRight)
        wr.left -= MenuColumnWidth;
      else
        wr.left += MenuColumnWidth;
      MoveWindow(w, wr.left + 3, wr.top, wr.Width(), wr.Height(), TRUE);
    }
  }
  TRect frame(1, 1, wr.Width() - 1, wr.Height() - 1);
  if (level == 1)
    frame.right -= MenuColumnWidth;
  else if (opensRight)
    frame.right -= 2 * MenuColumnWidth;
  HDC dc = GetWindowDC(w);
  TCanvas c;
  c.SetHandle(dc);
  c.Brush()->SetColor(st->MenuBorderColor());
  c.FrameRect(frame);
  if (level == 1 && Item->Parent()) {
    TMenuItem* parent = Item->Parent();
    TMenuItem* root = menu->Items();
    // The bar item's place among the visible bar items.
    const int menuIndex = parent->MenuIndex();
    int index = menuIndex;
    for (int i = 0; i <= menuIndex && i < root->Count(); ++i)
      if (!root->Items(i)->Visible()) --index;
    RECT jr;
    if (index >= 0 && GetMenuItemRect(GetParent(w), menu->Handle(), static_cast<UINT>(index), &jr)) {
      OffsetRect(&jr, -wr.left, -wr.top);
      c.Pen()->SetColor(st->Background()->Color());
      c.MoveTo(jr.left + 1, 1);
      c.LineTo(jr.right - 1, 1);
    }
  }
  frame.Inflate(-1, -1);
  c.Brush()->SetColor(st->Background()->Color());
  c.FrameRect(frame);
  c.SetHandle(nullptr);
  ReleaseDC(w, dc);
}

// ---------------------------------------------------------------------------
// The MDI window list

LRESULT CALLBACK MdiClientWindowProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  WNDPROC previous = PreviousProc(Window);
  auto passOn = [&] {
    return previous ? CallWindowProcW(previous, Window, Message, WParam, LParam)
                    : DefWindowProcW(Window, Message, WParam, LParam);
  };
  if (Message != WM_MDIREFRESHMENU) return passOn();
  TCustomForm* form = FindFormByHandle(GetParent(Window));
  auto* menu = form ? dynamic_cast<TAdvMainMenu*>(form->Menu()) : nullptr;
  // A form that keeps no list of ours leaves the refresh to the platform.
  if (!form || form->FormStyle() != TFormStyle::fsMDIForm || !menu || !form->WindowMenu()) return passOn();
  bool updating = false;
  try {
    TMenuItem* windowMenu = form->WindowMenu();
    menu->BeginUpdate();
    updating = true;
    TMenuItem* marker = menu->FindItem(0xABCD, TFindItemKind::fkShortCut);
    if (!marker || marker->Caption() != L"-") {
      marker = new TMenuItem(form);
      marker->SetCaption(L"-");
      marker->SetShortCut(0xABCD);
      marker->SetAutoLineReduction(TMenuItemAutoFlag::maAutomatic);
      marker->SetVisible(form->MDIChildCount() > 0);
      windowMenu->Add(marker);
    } else {
      int at = windowMenu->IndexOf(marker);
      if (at >= 0)
        while (windowMenu->Count() > at + 1) windowMenu->Delete(windowMenu->Count() - 1);
    }
    std::vector<std::pair<String, TCustomForm*>> children;
    for (int i = 0; i < form->MDIChildCount(); ++i) {
      TCustomForm* child = form->MDIChildren(i);
      if (!child->IsDestroying()) children.emplace_back(child->Caption(), child);
    }
    std::stable_sort(children.begin(), children.end(),
                     [](const auto& a, const auto& b) { return AnsiCompareText(a.first, b.first) < 0; });
    TCustomForm* active = form->ActiveMDIChild();
    for (size_t j = 0; j < children.size(); ++j) {
      auto* item = new TMenuItem(form);
      item->SetCaption(IntToStr(static_cast<int64_t>(j + 1)) + L" " + children[j].first);
      item->SetTag(reinterpret_cast<intptr_t>(children[j].second->Handle()));
      item->OnClick = [menu](TObject* Sender) { menu->WindowListClick(Sender); };
      item->SetRadioItem(true);
      item->SetGroupIndex(205);
      item->SetChecked(children[j].second == active);
      windowMenu->Add(item);
    }
    updating = false;
    menu->EndUpdate();
    return reinterpret_cast<LRESULT>(menu->Handle());
  } catch (...) {
    // The update ends even so: a menu left updating would paint nothing.
    if (updating) {
      try {
        menu->EndUpdate();
      } catch (...) {
      }
    }
    if (Application) Application->HandleException(form);
    return 0;
  }
}

void HookMdiClient(IAdvMenu* Intf, bool A, bool B) {
  if (!Intf || !Intf->GetMenu()) return;
  if (A || B) Intf->UpdateItems();
  if (gStyledSource && gStyledSource()) return;
  auto* main = dynamic_cast<TAdvMainMenu*>(Intf->GetMenu());
  if (!main) return;
  HWND client = GetMdiClientWindow(Intf);
  if (!client || reinterpret_cast<WNDPROC>(GetWindowLongPtrW(client, GWLP_WNDPROC)) == &MdiClientWindowProc) return;
  if (main->FOldWndHandle) Unsubclass(main->FOldWndHandle, &MdiClientWindowProc, main->FOldWndProcPtr);
  main->FOldWndHandle = client;
  main->FOldWndProcPtr = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(client, GWLP_WNDPROC));
  SetWindowLongPtrW(client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MdiClientWindowProc));
  SetWindowLongPtrW(client, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(main->FOldWndProcPtr));
}
