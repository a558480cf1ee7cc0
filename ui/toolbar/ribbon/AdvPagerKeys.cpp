// The pager's key tips: showing and hiding the tab level (the tabs, the
// quick access toolbar's buttons and the application button).
#include "ui/toolbar/ribbon/AdvToolBarPager.h"

#include <windowsx.h>

#include <memory>

#include "ui/controls/buttons/GlowButtonHelpers.h"
#include "ui/controls/buttons/ShortCutHint.h"
#include "ui/toolbar/ribbon/AdvPage.h"
#include "ui/toolbar/runtime/KeyTipKeys.h"

namespace {

// The message the application button hears to show (lParam 1) or hide
// (lParam 0) its key tip.
constexpr UINT kAppButtonKeyTipMessage = 45104;

IQuickAccessToolBar* QATOf(TWinControl* Control) { return dynamic_cast<IQuickAccessToolBar*>(Control); }

}  // namespace

void TAdvToolBarPager::ShowTabShortCutHints() {
  if (!FTabShortCutHintShowing && KeyTipCaptureMouse && HandleAllocated()) SetCapture(Handle());
  for (int i = 0; i < AdvPageCount(); ++i) AdvPages(i)->ShowShortCutHint();
  if (IQuickAccessToolBar* qat = QATOf(FQuickAccessToolBar)) qat->QATShowKeyTips();
  FTabShortCutHintShowing = true;
  FTabShortCutChars.clear();
  if (TControl* button = FindApplicationButton()) button->Perform(kAppButtonKeyTipMessage, 1, 1);
}

void TAdvToolBarPager::HideTabShortCutHints(bool AlsoGroups) {
  if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
  for (int i = 0; i < AdvPageCount(); ++i) {
    AdvPages(i)->HideShortCutHint();
    if (AlsoGroups) AdvPages(i)->HideShortCutHints();
  }
  if (IQuickAccessToolBar* qat = QATOf(FQuickAccessToolBar)) qat->QATHideKeyTips();
  if (TControl* button = FindApplicationButton()) {
    if (FTabShortCutHintShowing) button->Perform(kAppButtonKeyTipMessage, 1, 0);
    if (AlsoGroups) button->Perform(WM_TBSHOWSHORTCUTHINT, 0, 0);
  }
  FTabShortCutHintShowing = false;
}

// ---------------------------------------------------------------------------
// The thread's key watch

namespace {

HHOOK gGetMessageHook = nullptr;
TAdvToolBarPager* gHookPager = nullptr;
int gLastKeyDown = -1;

LRESULT CALLBACK GetMessageHookProc(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION && WParam == PM_REMOVE && gHookPager) {
    auto* msg = reinterpret_cast<MSG*>(LParam);
    if (gHookPager->HookPagerMessage(*msg)) msg->message = WM_NULL;
  }
  return CallNextHookEx(gGetMessageHook, Code, WParam, LParam);
}

bool Held(int Key) { return GetKeyState(Key) < 0; }

}  // namespace

TAdvToolBarPager* TAdvToolBarPager::HookPager() { return gHookPager; }

void TAdvToolBarPager::InstallGetMessageHook() {
  if (gGetMessageHook || IsDesigning()) return;
  gGetMessageHook = SetWindowsHookExW(WH_GETMESSAGE, GetMessageHookProc, nullptr, GetCurrentThreadId());
  if (gGetMessageHook) gHookPager = this;
  gLastKeyDown = -1;
}

void TAdvToolBarPager::RemoveGetMessageHook() {
  if (gHookPager != this) return;
  UnhookWindowsHookEx(gGetMessageHook);
  gGetMessageHook = nullptr;
  gHookPager = nullptr;
  gLastKeyDown = -1;
}

// ---------------------------------------------------------------------------
// The form's messages that end the key tips: a resize, a move, a press on
// the form, minimize and maximize.

namespace {

// Stands in front of the form's message chain. The pager's link is cleared
// when the pager goes, so that a handler put in front of this one later
// still passes through it unharmed.
struct TPagerFormProc {
  std::shared_ptr<TAdvToolBarPager*> Link;
  std::function<void(TMessage&)> Old;
  void operator()(TMessage& M) const {
    if (Old) Old(M);
    if (TAdvToolBarPager* pager = *Link) pager->FormMessage(M);
  }
};

}  // namespace

void TAdvToolBarPager::SubclassParentForm() {
  TCustomForm* form = ParentForm();
  if (!form || IsDesigning() || FFormProcLink) return;
  FFormProcLink = std::make_shared<TAdvToolBarPager*>(this);
  form->WindowProc = TPagerFormProc{FFormProcLink, form->WindowProc};
}

void TAdvToolBarPager::UnsubclassParentForm() {
  if (!FFormProcLink) return;
  *FFormProcLink = nullptr;
  if (TCustomForm* form = ParentForm())
    if (auto* proc = form->WindowProc.target<TPagerFormProc>(); proc && proc->Link == FFormProcLink)
      form->WindowProc = proc->Old;
  FFormProcLink.reset();
}

void TAdvToolBarPager::FormMessage(const TMessage& Message) {
  bool hide = false;
  switch (Message.Msg) {
    case WM_SIZE:
    case WM_LBUTTONDOWN:
    case WM_MOVING:
      hide = true;
      break;
    case WM_SYSCOMMAND: {
      WPARAM command = Message.WParam & 0xFFF0;
      hide = command == SC_MINIMIZE || command == SC_MAXIMIZE;
      break;
    }
    default:
      break;
  }
  if (hide && !IsDestroying()) HideTabShortCutHints(true);
}

bool TAdvToolBarPager::ContainsWindow(HWND Wnd) const {
  TCustomForm* form = ParentForm();
  if (!form || !form->HandleAllocated() || !Wnd) return false;
  return Wnd == form->Handle() || IsChild(form->Handle(), Wnd);
}

bool TAdvToolBarPager::HookPagerMessage(MSG& Msg) {
  switch (Msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WORD key = static_cast<WORD>(Msg.wParam);
      bool repeat = gLastKeyDown == key;
      gLastKeyDown = key;
      if (repeat) return false;
      HandleHookKeyDown(key);
      if (!ContainsWindow(Msg.hwnd)) return false;
      if (key == VK_MENU || key == VK_F10) return StartKeyTipWatch(key);
      if (!IsKeyTipModifierKey(key)) FOnlyALT = false;
      return false;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      gLastKeyDown = -1;
      WORD key = static_cast<WORD>(Msg.wParam);
      FALTDown = key != VK_MENU && Held(VK_MENU);
      // ALT or F10 that the pager took must not open the window menu.
      if ((key == VK_MENU || key == VK_F10) && (FOnlyALT || FSwallowKeyUp) && ContainsWindow(Msg.hwnd)) {
        FSwallowKeyUp = false;
        return true;
      }
      return false;
    }
    case WM_SYSCHAR:
      if (!ContainsWindow(Msg.hwnd)) return false;
      FOnlyALT = false;
      return SelectByAccelerator(static_cast<wchar_t>(Msg.wParam));
    case WM_MOUSEWHEEL:
      return ContainsWindow(Msg.hwnd) && WheelOverTabs(Msg);
    default:
      return false;
  }
}

void TAdvToolBarPager::HandleHookKeyDown(WORD Key) {
  if (Key != VK_F1 || !Held(VK_CONTROL) || Held(VK_SHIFT) || Held(VK_MENU)) return;
  if (FExpanded)
    Collaps();
  else
    Expand();
}

bool TAdvToolBarPager::StartKeyTipWatch(WORD Key) {
  if (!TabStop() || FIgnoreALT || !ActivePage() || (Key != VK_MENU && Key != VK_F10)) {
    FOnlyALT = false;
    return false;
  }
  if (!FTabShortCutHintShowing && CanFocus()) {
    FFocusCtrlH = GetFocus();
    FALTDown = true;
    FOnlyALT = true;
    FShortCutDelay = 0;
    if (!FShortCutTimer) {
      FShortCutTimer = new TTimer(this);
      FShortCutTimer->SetEnabled(false);
      FShortCutTimer->SetInterval(50);
      FShortCutTimer->SetOnTimer([this](TObject* Sender) { ShortCutTimerTick(Sender); });
    }
    FShortCutTimer->SetEnabled(true);
    return false;
  }
  if (FTabShortCutHintShowing && !FALTDown) {
    // A second, separate press ends the key tips and is swallowed.
    HideTabShortCutHints(false);
    FSwallowKeyUp = true;
    return true;
  }
  return false;
}

void TAdvToolBarPager::ShortCutTimerTick(TObject*) {
  if (!FOnlyALT) {
    FShortCutTimer->SetEnabled(false);
    FShortCutDelay = 0;
    return;
  }
  bool alt = Held(VK_MENU), f10 = Held(VK_F10);
  if (!alt && !f10) {
    FShortCutDelay = 0;
    FShortCutTimer->SetEnabled(false);
    FOnlyALT = false;
    FALTDown = false;
    OpenTabShortCutHints();
    return;
  }
  FShortCutDelay += 50;
  if (FShortCutDelay >= static_cast<unsigned>(KeyTipDelay) && alt) {
    FShortCutDelay = 0;
    FShortCutTimer->SetEnabled(false);
    FOnlyALT = false;
    // Its release must not open the window menu either.
    FSwallowKeyUp = true;
    OpenTabShortCutHints();
  }
}

void TAdvToolBarPager::OpenTabShortCutHints() {
  TCustomForm* form = ParentForm();
  if (form && form->HandleAllocated() && GetActiveWindow() == form->Handle()) {
    if (!Focused()) SetFocus();
    ShowTabShortCutHints();
  }
  if (TAdvPage* page = ActivePage(); page && page->ToolBarShortCutShowing()) page->HideShortCutHints();
}

bool TAdvToolBarPager::SelectByAccelerator(wchar_t Char) {
  if (!Held(VK_MENU) || !CanFocus()) return false;
  for (int i = 0; i < AdvPageCount(); ++i) {
    if (!GlowButton::IsAccel(Char, AdvPages(i)->Caption()) || !AdvPages(i)->TabVisible()) continue;
    SetActivePageIndex(i);
    return true;
  }
  return false;
}

bool TAdvToolBarPager::WheelOverTabs(const MSG& Msg) {
  if (!FEnableWheel || !FExpanded || !HandleAllocated()) return false;
  POINT p{GET_X_LPARAM(Msg.lParam), GET_Y_LPARAM(Msg.lParam)};
  TPoint c = ScreenToClient(TPoint(p.x, p.y));
  if (!ClientRect().Contains(c)) return false;
  HWND focus = GetFocus();
  if (FNonActiveMouseWheelOnFocus && focus == Handle()) return false;
  if (focus && focus != Handle() && IsChild(Handle(), focus)) return false;
  if (static_cast<int32_t>(static_cast<DWORD>(Msg.wParam)) < 1)
    NextActivePage();
  else
    PrevActivePage();
  return true;
}

void TAdvToolBarPager::PrevActivePage() {
  for (int i = FActivePageIndex - 1; i >= 0; --i)
    if (AdvPages(i)->TabEnabled() && AdvPages(i)->TabVisible()) {
      SetActivePageIndex(i);
      return;
    }
}

void TAdvToolBarPager::NextActivePage() {
  for (int i = FActivePageIndex + 1; i < AdvPageCount(); ++i)
    if (AdvPages(i)->TabEnabled() && AdvPages(i)->TabVisible()) {
      SetActivePageIndex(i);
      return;
    }
}

// ---------------------------------------------------------------------------
// Keys on the focused pager

void TAdvToolBarPager::FocusFirstGroup(TAdvPage* Page) {
  TWinControl* first = nullptr;
  for (int i = 0; i < Page->ControlCount(); ++i)
    if (auto* group = dynamic_cast<TWinControl*>(Page->Controls(i)); group && group->Visible())
      if (!first || group->Left() < first->Left()) first = group;
  if (first && first->CanFocus()) first->SetFocus();
}

void TAdvToolBarPager::TypeShortCutKey(WORD Key) {
  // Shift, Ctrl and the like type nothing; keys that are no character
  // (F1, the arrows' neighbours) take no part in matching.
  if (IsKeyTipModifierKey(Key)) return;
  wchar_t ch = KeyTipChar(Key);
  if (!ch) return;
  FTabShortCutChars += ch;
  const String& typed = FTabShortCutChars;
  int visible = 0;
  bool handled = false, acted = false;
  for (int i = 0; i < AdvPageCount(); ++i) {
    TAdvPage* page = AdvPages(i);
    if (KeyTipEquals(page->ShortCutHint(), typed)) {
      HideTabShortCutHints(false);
      if (page->TabEnabled() && page->TabVisible()) {
        SetActivePageIndex(i);
        if (TAdvPage* active = ActivePage()) {
          // On a collapsed ribbon the groups show in the floating ribbon.
          if (!FExpanded) {
            if (!FloatingRibbonShowing()) ShowFloatingRibbon();
            active = active->SelfClone();
          }
          if (active) {
            FocusFirstGroup(active);
            active->ShowShortCutHints();
          }
        }
      }
      handled = acted = true;
      break;
    }
    if (!page->ShortCutHint().empty()) {
      if (!KeyTipStartsWith(page->ShortCutHint(), typed))
        page->HideShortCutHint();
      else
        handled = true;
    }
    if (page->ShortCutHintWindow() && page->ShortCutHintWindow()->Visible()) ++visible;
  }
  IQuickAccessToolBar* qat = QATOf(FQuickAccessToolBar);
  if (!handled && qat && qat->QATHandleKeyTip(typed, visible)) {
    HideTabShortCutHints(false);
    handled = acted = true;
  }
  // One key tip does one thing: the application button is not clicked by a
  // tip that already acted.
  TControl* button = FindApplicationButton();
  auto* appTip = dynamic_cast<IApplicationButtonKeyTip*>(button);
  if (!acted && appTip && !appTip->AppButtonShortCutHint().empty()) {
    String tip = appTip->AppButtonShortCutHint();
    if (KeyTipEquals(tip, typed)) {
      if (button->Enabled()) {
        button->Invalidate();
        appTip->AppButtonKeyTipClick();
      }
      HideTabShortCutHints(false);
      handled = acted = true;
    } else if (KeyTipStartsWith(tip, typed)) {
      handled = true;
      ++visible;
    } else {
      button->Perform(kAppButtonKeyTipMessage, 1, 0);
    }
  }
  if (visible == 0 && !acted) HideTabShortCutHints(false);
  if (!handled) MessageBeep(0);
}

void TAdvToolBarPager::KeyDown(WORD& Key, TShiftState Shift) {
  switch (Key) {
    case VK_ESCAPE:
      HideTabShortCutHints(false);
      if (Parent()) {
        if (TWinControl* prev = Parent()->FindNextControl(this, false, true, false); prev && prev != this && prev->CanFocus())
          prev->SetFocus();
      }
      break;
    case VK_LEFT:
    case VK_RIGHT:
      HideTabShortCutHints(false);
      SelectNextPage(Key == VK_RIGHT);
      break;
    case VK_DOWN:
      if (TAdvPage* page = ActivePage(); page && Focused() && page->ControlCount() > 0) {
        FocusFirstGroup(page);
        HideTabShortCutHints(false);
      }
      break;
    case VK_F1:
      break;
    default:
      if (FTabShortCutHintShowing) TypeShortCutKey(Key);
      break;
  }
  TCustomControl::KeyDown(Key, Shift);
}

// ---------------------------------------------------------------------------
// Keys that leave a group for the pager

void TAdvToolBarPager::PagerHideFloatingRibbon() {
  if (FloatingRibbonShowing()) HideFloatingRibbon();
}

void TAdvToolBarPager::PagerFocusByKey() {
  FChangeByKeyPress = true;
  if (CanFocus()) SetFocus();
}
