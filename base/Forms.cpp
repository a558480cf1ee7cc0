#include "base/Forms.h"

#include <commctrl.h>

#include <algorithm>

#include "base/Dialogs.h"
#include "base/Hints.h"
#include "base/Lists.h"
#include "base/Menus.h"
#include "base/SharedResources.h"
#include "base/Threads.h"

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

// Runs a form event; an exception in it is reported, not passed on.
void GuardedEvent(TObject* Sender, const TNotifyEvent& Event) {
  if (!Event) return;
  try {
    Event(Sender);
  } catch (...) {
    if (Application) Application->HandleException(Sender);
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// TSizeConstraints

void TSizeConstraints::Assign(TPersistent* Source) {
  if (auto* c = dynamic_cast<TSizeConstraints*>(Source)) {
    FMinWidth = c->FMinWidth;
    FMinHeight = c->FMinHeight;
    FMaxWidth = c->FMaxWidth;
    FMaxHeight = c->FMaxHeight;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

// ---------------------------------------------------------------------------
// TCustomForm

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = {TControlStyleItem::csAcceptsControls, TControlStyleItem::csCaptureMouse,
                   TControlStyleItem::csClickEvents, TControlStyleItem::csSetCaption,
                   TControlStyleItem::csDoubleClicks};
  FVisible = false;
  FParentFont = false;
  FWidth = 320;
  FHeight = 240;
  FPixelsPerInch = ScreenPixelsPerInch();
  SetColor(clBtnFace);
  FGlassFrame = new TGlassFrame();
  FGlassFrame->OnChange = [this](TObject*) { GlassFrameChanged(); };
  FConstraints->OnChange = [this](TObject*) {
    if (FHandle) SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  };
  if (Screen) Screen->AddForm(this);
}

void TCustomForm::EndLoading() {
  TWinControl::EndLoading();
  FCreated = true;
  DoCreate();
}

void TCustomForm::BeforeDestruction() {
  TWinControl::BeforeDestruction();
  if (FVisible) {
    try {
      SetVisible(false);
    } catch (...) {
      if (Application) Application->HandleException(this);
    }
  }
  DoDestroy();
}

void TCustomForm::Destroy() {
  if (Screen) Screen->RemoveForm(this);
  if (Application && Application->MainForm() == this) Application->ResetMainForm();
  TWinControl::Destroy();
}

TCustomForm::~TCustomForm() {
  DestroyFromDestructor([this] {
    for (TNotifyEvent* e : {&OnCreate, &OnDestroy, &OnShow, &OnHide, &OnActivate, &OnDeactivate}) *e = nullptr;
    OnCloseQuery = nullptr;
    OnClose = nullptr;
    TCustomForm::Destroy();
  });
}

void TCustomForm::DoCreate() { GuardedEvent(this, OnCreate); }
void TCustomForm::DoDestroy() { GuardedEvent(this, OnDestroy); }
void TCustomForm::DoShow() { GuardedEvent(this, OnShow); }
void TCustomForm::DoHide() { GuardedEvent(this, OnHide); }

void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

void TCustomForm::Activate() { GuardedEvent(this, OnActivate); }
void TCustomForm::Deactivate() { GuardedEvent(this, OnDeactivate); }

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style &= ~static_cast<DWORD>(WS_CHILD | WS_GROUP | WS_TABSTOP | WS_CLIPSIBLINGS);
  Params.Style |= WS_CLIPCHILDREN;
  Params.WndParent = nullptr;
  if (FParent) {
    // A drop-down of a control: owned by that control's top-level window.
    Params.WndParent = GetAncestor(FParent->Handle(), GA_ROOT);
  } else if (Application) {
    if (Application->MainFormOnTaskbar()) {
      TCustomForm* main = Application->MainForm();
      if (main && main != this && main->HandleAllocated()) Params.WndParent = main->Handle();
    } else {
      Params.WndParent = Application->Handle();
    }
  }
  switch (FBorderStyle) {
    case TFormBorderStyle::bsNone:
      Params.Style |= WS_POPUP;
      break;
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsToolWindow:
      Params.Style |= WS_CAPTION | WS_BORDER;
      break;
    case TFormBorderStyle::bsSizeable:
    case TFormBorderStyle::bsSizeToolWin:
      Params.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case TFormBorderStyle::bsDialog:
      Params.Style |= WS_POPUP | WS_CAPTION;
      Params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
  }
  if (FBorderStyle == TFormBorderStyle::bsToolWindow || FBorderStyle == TFormBorderStyle::bsSizeToolWin)
    Params.ExStyle |= WS_EX_TOOLWINDOW;
  if (FBorderStyle != TFormBorderStyle::bsNone && FBorderIcons.Contains(TBorderIcon::biSystemMenu)) {
    Params.Style |= WS_SYSMENU;
    if (FBorderStyle == TFormBorderStyle::bsSingle || FBorderStyle == TFormBorderStyle::bsSizeable) {
      if (FBorderIcons.Contains(TBorderIcon::biMinimize)) Params.Style |= WS_MINIMIZEBOX;
      if (FBorderIcons.Contains(TBorderIcon::biMaximize)) Params.Style |= WS_MAXIMIZEBOX;
    }
    if (FBorderStyle == TFormBorderStyle::bsDialog && FBorderIcons.Contains(TBorderIcon::biHelp))
      Params.ExStyle |= WS_EX_CONTEXTHELP;
  }
  if (FFormStyle == TFormStyle::fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
  if (FFormStyle == TFormStyle::fsMDIChild) {
    // Made inside the main form's MDI client window.
    Params.Style = (Params.Style & ~static_cast<DWORD>(WS_POPUP)) | WS_CHILD | WS_CLIPSIBLINGS;
    Params.ExStyle |= WS_EX_MDICHILD;
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    Params.WndParent = main && main != this && main->FFormStyle == TFormStyle::fsMDIForm && main->HandleAllocated()
                           ? main->FClientHandle
                           : nullptr;
  }
  bool overlapped = !(Params.Style & WS_POPUP);
  if (overlapped && (FPosition == TPosition::poDefault || FPosition == TPosition::poDefaultPosOnly)) {
    Params.X = CW_USEDEFAULT;
    Params.Y = CW_USEDEFAULT;
  }
  if (overlapped && (FPosition == TPosition::poDefault || FPosition == TPosition::poDefaultSizeOnly)) {
    Params.Width = CW_USEDEFAULT;
    Params.Height = CW_USEDEFAULT;
  }
  Params.WindowClass.style = CS_DBLCLKS;
  HICON icon = SharedIcon(ModuleInstance(), L"MAINICON");
  Params.WindowClass.hIcon = icon ? icon : SharedIcon(nullptr, IDI_APPLICATION);
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  if (FFormStyle == TFormStyle::fsMDIForm) {
    CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
    RECT r;
    GetClientRect(FHandle, &r);
    FClientHandle = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0, r.right,
                                    r.bottom, FHandle, nullptr, ModuleInstance(), &ccs);
    if (!FClientHandle) RaiseLastOSError();
  }
  if (FMenu) {
    ::SetMenu(FHandle, FMenu->Handle());
    FMenu->SetWindowHandle(FHandle);
  }
  if (FFormStyle == TFormStyle::fsMDIChild) {
    // The frame's window menu lists its children.
    if (HWND client = GetParent(FHandle)) SendMessageW(client, WM_MDIREFRESHMENU, 0, 0);
  }
  if (FPosition == TPosition::poDefault || FPosition == TPosition::poDefaultPosOnly ||
      FPosition == TPosition::poDefaultSizeOnly)
    UpdateBounds();
}

// The frame around the client area (the window rectangle of an empty client
// area at 0,0) for the form's present style. Asked for again and again while
// a form without a window aligns its controls, and each question costs a
// round trip to the window server, so the answer is kept for the style.
RECT TCustomForm::FrameRect() {
  TCreateParams p;
  CreateParams(p);
  const DWORD style = p.Style & ~static_cast<DWORD>(WS_VISIBLE);
  const bool menu = FMenu != nullptr;
  if (!FFrame.Known || FFrame.Style != style || FFrame.ExStyle != p.ExStyle || FFrame.Menu != menu) {
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, style, menu, p.ExStyle);
    FFrame = TFrameCache{true, style, p.ExStyle, menu, r};
  }
  return FFrame.Rect;
}

TRect TCustomForm::ClientRect() {
  if (FHandle) return TWinControl::ClientRect();
  RECT f = FrameRect();
  return TRect(0, 0, Max<LONG>(0, FWidth - (f.right - f.left)), Max<LONG>(0, FHeight - (f.bottom - f.top)));
}

TPoint TCustomForm::ClientOrigin() {
  if (FHandle) return TWinControl::ClientOrigin();
  // Screen coordinates, with or without a Parent.
  RECT f = FrameRect();
  return TPoint(FLeft - f.left, FTop - f.top);
}

void TCustomForm::SetClientWidth(int Value) {
  if (FHandle) {
    TWinControl::SetClientWidth(Value);
    return;
  }
  RECT f = FrameRect();
  SetWidth(Value + (f.right - f.left));
}

void TCustomForm::SetClientHeight(int Value) {
  if (FHandle) {
    TWinControl::SetClientHeight(Value);
    return;
  }
  RECT f = FrameRect();
  SetHeight(Value + (f.bottom - f.top));
}

void TCustomForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCustomForm::DestroyWindowHandle() {
  HWND client = FFormStyle == TFormStyle::fsMDIChild && FHandle ? GetParent(FHandle) : nullptr;
  if (FHandle && FMenu) {
    // A window takes its menu with it: the menu stays ours.
    if (::GetMenu(FHandle) == FMenu->Handle()) ::SetMenu(FHandle, nullptr);
    FMenu->SetWindowHandle(nullptr);
  }
  TWinControl::DestroyWindowHandle();
  FClientHandle = nullptr;
  if (client && IsWindow(client)) SendMessageW(client, WM_MDIREFRESHMENU, 0, 0);
}

void TCustomForm::SetMenu(TMainMenu* Value) {
  if (FMenu == Value) return;
  if (FMenu) {
    FMenu->RemoveFreeNotification(this);
    if (FHandle && FMenu->WindowHandle() == FHandle) FMenu->SetWindowHandle(nullptr);
  }
  FMenu = Value;
  if (Value) Value->FreeNotification(this);
  if (FHandle) {
    ::SetMenu(FHandle, Value ? Value->Handle() : nullptr);
    if (Value) Value->SetWindowHandle(FHandle);
  }
}

void TCustomForm::SetWindowMenu(TMenuItem* Value) {
  if (FWindowMenu == Value) return;
  if (FWindowMenu) FWindowMenu->RemoveFreeNotification(this);
  FWindowMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FMenu) {
    FMenu = nullptr;
    if (FHandle && !IsDestroying()) ::SetMenu(FHandle, nullptr);
  }
  if (AComponent == FWindowMenu) FWindowMenu = nullptr;
}

TCustomForm* TCustomForm::ActiveMDIChild() {
  if (!FClientHandle) return nullptr;
  auto h = reinterpret_cast<HWND>(SendMessageW(FClientHandle, WM_MDIGETACTIVE, 0, 0));
  return dynamic_cast<TCustomForm*>(FindControl(h));
}

int TCustomForm::MDIChildCount() {
  int n = 0;
  if (FClientHandle && Screen)
    for (int i = 0; i < Screen->FormCount(); ++i) {
      TCustomForm* f = Screen->Forms(i);
      if (f->FFormStyle == TFormStyle::fsMDIChild && f->FHandle && GetParent(f->FHandle) == FClientHandle) ++n;
    }
  return n;
}

TCustomForm* TCustomForm::MDIChildren(int Index) {
  int n = 0;
  if (FClientHandle && Screen)
    for (int i = 0; i < Screen->FormCount(); ++i) {
      TCustomForm* f = Screen->Forms(i);
      if (f->FFormStyle == TFormStyle::fsMDIChild && f->FHandle && GetParent(f->FHandle) == FClientHandle) {
        if (n == Index) return f;
        ++n;
      }
    }
  throw EListError(L"List index out of bounds (%d)", {Index});
}

void TCustomForm::DefaultHandler(TMessage& Message) {
  if (FHandle && FFormStyle == TFormStyle::fsMDIForm) {
    Message.Result = DefFrameProcW(FHandle, FClientHandle, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  if (FHandle && FFormStyle == TFormStyle::fsMDIChild && (GetWindowLongPtrW(FHandle, GWL_EXSTYLE) & WS_EX_MDICHILD)) {
    Message.Result = DefMDIChildProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  TWinControl::DefaultHandler(Message);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  if (FBorderIcons == Value) return;
  FBorderIcons = Value;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (FFormStyle == Value) return;
  bool mdi = Value == TFormStyle::fsMDIForm || Value == TFormStyle::fsMDIChild ||
             FFormStyle == TFormStyle::fsMDIForm || FFormStyle == TFormStyle::fsMDIChild;
  FFormStyle = Value;
  if (mdi) {
    RecreateWnd();
    return;
  }
  if (FHandle)
    SetWindowPos(FHandle, Value == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetWindowState(TWindowState Value) {
  if (FWindowState == Value) return;
  FWindowState = Value;
  if (FHandle && FShowing) {
    int cmd = Value == TWindowState::wsMinimized   ? SW_SHOWMINIMIZED
              : Value == TWindowState::wsMaximized ? SW_SHOWMAXIMIZED
                                                   : SW_RESTORE;
    ShowWindow(FHandle, cmd);
  }
}

void TCustomForm::SetVisible(bool Value) { TWinControl::SetVisible(Value); }

void TCustomForm::BringToFront() {
  HWND client = FFormStyle == TFormStyle::fsMDIChild && FHandle ? GetParent(FHandle) : nullptr;
  if (!client) {
    TWinControl::BringToFront();
    return;
  }
  SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(FHandle), 0);
}

void TCustomForm::ShowNoActivate() {
  if (FVisible) {
    if (FHandle) ShowWindow(FHandle, IsIconic(FHandle) ? SW_SHOWNOACTIVATE : SW_SHOWNA);
    return;
  }
  FShowNoActivate = true;
  SetVisible(true);
  FShowNoActivate = false;
}

void TCustomForm::CenterOnScreen() {
  int x = (Screen ? Screen->Width() : GetSystemMetrics(SM_CXSCREEN)) - FWidth;
  int y = (Screen ? Screen->Height() : GetSystemMetrics(SM_CYSCREEN)) - FHeight;
  SetBounds(x / 2, y / 2, FWidth, FHeight);
}

// A window shown minimized makes its controls' windows when it is first
// restored: until then nobody sees them, and each costs about as much as a
// window of its own.
void TCustomForm::ShowChildren() {
  if (!FShowing && FWindowState == TWindowState::wsMinimized && !FParent && FFormStyle != TFormStyle::fsMDIChild) {
    FChildrenWaiting = true;
    return;
  }
  FChildrenWaiting = false;
  TWinControl::ShowChildren();
}

void TCustomForm::ShowingChanged() {
  if (FShowing) {
    DoShow();
    // The show handler may have hidden the form again.
    if (!FVisible || !FHandle) return;
    if (FPosition == TPosition::poScreenCenter || FPosition == TPosition::poDesktopCenter) CenterOnScreen();
    int cmd;
    switch (FWindowState) {
      case TWindowState::wsMinimized: cmd = SW_SHOWMINNOACTIVE; break;
      case TWindowState::wsMaximized: cmd = SW_SHOWMAXIMIZED; break;
      default: cmd = FShowNoActivate ? SW_SHOWNOACTIVATE : SW_SHOWNORMAL; break;
    }
    ShowWindow(FHandle, cmd);
    if (FFormStyle == TFormStyle::fsMDIChild)
      if (HWND client = GetParent(FHandle)) SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(FHandle), 0);
  } else {
    DoHide();
    if (FHandle) ShowWindow(FHandle, SW_HIDE);
  }
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = TCloseAction::caHide;
  DoClose(action);
  if (action == TCloseAction::caNone) return;
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
  } else if (action == TCloseAction::caHide) {
    Hide();
  } else if (action == TCloseAction::caMinimize) {
    SetWindowState(TWindowState::wsMinimized);
  } else {
    Release();
  }
}

void TCustomForm::Release() {
  if (FHandle)
    PostMessageW(FHandle, CM_RELEASE, 0, 0);
  else if (Application && Application->Handle())
    PostMessageW(Application->Handle(), CM_RELEASE, 0, reinterpret_cast<LPARAM>(this));
}

namespace {
struct DisabledWindows {
  HWND Except;
  std::vector<HWND> List;
};

BOOL CALLBACK DisableOne(HWND hwnd, LPARAM lParam) {
  auto* d = reinterpret_cast<DisabledWindows*>(lParam);
  if (hwnd != d->Except && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    d->List.push_back(hwnd);
    EnableWindow(hwnd, FALSE);
  }
  return TRUE;
}
}  // namespace

TModalResult TCustomForm::ShowModal() {
  if (FVisible || !FEnabled || FModal) throw EInvalidOperation(L"Cannot make a visible window modal");
  if (GetCapture()) SendMessageW(GetCapture(), WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  HWND activeBefore = GetActiveWindow();
  FModal = true;
  DisabledWindows disabled{Handle(), {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&disabled));
  auto restore = [&] {
    for (HWND h : disabled.List)
      if (IsWindow(h)) EnableWindow(h, TRUE);
  };
  try {
    Show();
    SetActiveWindow(FHandle);
    FModalResult = mrNone;
    do {
      Application->HandleMessage();
      if (Application->Terminated()) {
        FModalResult = mrCancel;
      } else if (FModalResult != mrNone) {
        // Closing the dialog: it may still refuse.
        TCloseAction action = TCloseAction::caHide;
        if (!CloseQuery()) {
          FModalResult = mrNone;
        } else {
          DoClose(action);
          if (action == TCloseAction::caNone) FModalResult = mrNone;
        }
      }
    } while (FModalResult == mrNone);
  } catch (...) {
    restore();
    FModal = false;
    Hide();
    throw;
  }
  restore();
  FModal = false;
  Hide();
  if (activeBefore && IsWindow(activeBefore)) SetActiveWindow(activeBefore);
  return FModalResult;
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (FActiveControl == Control) {
    // Still named but without the focus (its window was made anew, say):
    // the focus goes back to it.
    if (Control && FActive && !IsLoading() && !Control->Focused() && Control->CanFocus()) SetWindowFocus();
    return;
  }
  if (Control && (Control == this || GetParentForm(Control) != this || (!IsLoading() && !Control->CanFocus())))
    throw EInvalidOperation(L"Cannot focus a disabled or invisible window");
  FActiveControl = Control;
  if (Control && FActive && !IsLoading()) SetWindowFocus();
}

void TCustomForm::SetWindowFocus() {
  if (!FHandle) return;
  HWND target = FHandle;
  if (FActiveControl && FActiveControl->CanFocus()) target = FActiveControl->Handle();
  ::SetFocus(target);
}

void TCustomForm::FocusControl(TWinControl* Control) {
  bool wasActive = FActive;
  SetActiveControl(Control);
  if (!wasActive && FVisible && FEnabled) SetWindowFocus();
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  if (IsDestroying()) return false;
  if (Control != this) FActiveControl = Control;
  if (FFocusedControl == Control) return true;
  TWinControl* prev = FFocusedControl;
  FFocusedControl = Control;
  if (prev && !prev->IsDestroying()) prev->Perform(CM_EXIT);
  if (Control && FFocusedControl == Control) Control->Perform(CM_ENTER);
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
  return true;
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
  if (Removing && Control->ContainsControl(FFocusedControl)) FFocusedControl = nullptr;
  if (Control->ContainsControl(FActiveControl)) FActiveControl = nullptr;
}

void TCustomForm::SetActive(bool Value) {
  FActive = Value;
  if (Value) {
    if (!FActiveControl) {
      TWinControl* first = FindNextControl(nullptr, true, true, false);
      if (first) FActiveControl = first;
    }
    SetWindowFocus();
    Activate();
  } else {
    Deactivate();
  }
}

namespace {
// Child windows never hear system setting changes: the form passes them on
// to every control it holds, however deep.
void NotifyControls(TWinControl* Parent, UINT Msg, WPARAM WParam, LPARAM LParam) {
  std::vector<TControl*> list;
  for (int i = 0; i < Parent->ControlCount(); ++i) list.push_back(Parent->Controls(i));
  for (TControl* c : list) {
    if (Parent->ControlIndex(c) < 0) continue;
    c->Perform(Msg, WParam, LParam);
    if (auto* w = dynamic_cast<TWinControl*>(c)) NotifyControls(w, Msg, WParam, LParam);
  }
}

// The keyboard-menu command (Alt, F10, Alt+letter) offered to the controls
// that take menu events (a toolbar serving as menu bar), depth first; True
// when one took it.
bool OfferKeyMenu(TWinControl* Parent, TMessage& Message) {
  for (int i = 0; i < Parent->ControlCount(); ++i) {
    auto* w = dynamic_cast<TWinControl*>(Parent->Controls(i));
    if (!w) continue;
    if (w->ControlStyle().Contains(TControlStyleItem::csMenuEvents) && w->Visible()) {
      Message.Result = w->Perform(WM_SYSCOMMAND, Message.WParam, Message.LParam);
      if (Message.Result != 0) return true;
    }
    if (OfferKeyMenu(w, Message)) return true;
  }
  return false;
}
}  // namespace

void TCustomForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SYSCOMMAND:
      if ((Message.WParam & 0xFFF0) == SC_KEYMENU && !FMenu && OfferKeyMenu(this, Message)) return;
      break;
    case WM_COMMAND:
    case WM_INITMENUPOPUP:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      if (FMenu && TPopupList::HandleMenuMessage(Message, FMenu)) return;
      break;
    case WM_CLOSE:
      Close();
      return;
    case WM_QUERYENDSESSION:
      Message.Result = (!IsDestroying() && CloseQuery()) ? 1 : 0;
      return;
    case WM_ACTIVATE:
      SetActive(LOWORD(Message.WParam) != WA_INACTIVE);
      return;
    case WM_SIZE:
      TWinControl::Dispatch(Message);
      if (FHandle && IsWindowVisible(FHandle)) {
        if (Message.WParam == SIZE_MINIMIZED)
          FWindowState = TWindowState::wsMinimized;
        else if (Message.WParam == SIZE_MAXIMIZED)
          FWindowState = TWindowState::wsMaximized;
        else if (Message.WParam == SIZE_RESTORED)
          FWindowState = TWindowState::wsNormal;
      }
      if (FChildrenWaiting && FShowing && Message.WParam != SIZE_MINIMIZED) {
        FChildrenWaiting = false;
        TWinControl::ShowChildren();
        Realign();
      }
      return;
    case WM_GETMINMAXINFO: {
      DefaultHandler(Message);
      auto* mmi = reinterpret_cast<MINMAXINFO*>(Message.LParam);
      if (FConstraints->MinWidth() > 0) mmi->ptMinTrackSize.x = FConstraints->MinWidth();
      if (FConstraints->MinHeight() > 0) mmi->ptMinTrackSize.y = FConstraints->MinHeight();
      if (FConstraints->MaxWidth() > 0) mmi->ptMaxTrackSize.x = FConstraints->MaxWidth();
      if (FConstraints->MaxHeight() > 0) mmi->ptMaxTrackSize.y = FConstraints->MaxHeight();
      return;
    }
    case CM_DIALOGKEY: {
      WORD key = static_cast<WORD>(Message.WParam);
      if (GetKeyState(VK_MENU) >= 0) {
        switch (key) {
          case VK_TAB:
            if (GetKeyState(VK_CONTROL) >= 0) {
              SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
              Message.Result = 1;
              return;
            }
            break;
          case VK_LEFT:
          case VK_RIGHT:
          case VK_UP:
          case VK_DOWN:
            if (FActiveControl && FActiveControl->Parent()) {
              FActiveControl->Parent()->SelectNext(FActiveControl, key == VK_RIGHT || key == VK_DOWN, false);
              Message.Result = 1;
              return;
            }
            break;
          case VK_RETURN:
          case VK_ESCAPE:
            Broadcast(Message);
            return;
          default:
            break;
        }
      }
      break;
    }
    case CM_RELEASE:
      Free();
      return;
    case WM_SETTINGCHANGE:
      DefaultHandler(Message);
      NotifyControls(this, CM_WININICHANGE, Message.WParam, Message.LParam);
      return;
    case WM_SYSCOLORCHANGE:
      DefaultHandler(Message);
      NotifyControls(this, CM_SYSCOLORCHANGE, 0, 0);
      return;
    default:
      break;
  }
  TWinControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------
// TScreen

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

TScreen::~TScreen() = default;

namespace {
int CALLBACK AddFontFamily(const LOGFONTW* Font, const TEXTMETRICW*, DWORD, LPARAM Data) {
  auto* list = reinterpret_cast<TStringList*>(Data);
  String name = Font->lfFaceName;
  if (!name.empty() && name[0] != L'@' && list->IndexOf(name) < 0) list->Add(name);
  return 1;
}
}  // namespace

TStrings* TScreen::Fonts() {
  if (!FFonts) {
    auto* list = new TStringList;
    FFonts = list;
    list->SetSorted(true);
    HDC dc = GetDC(nullptr);
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &lf, &AddFontFamily, reinterpret_cast<LPARAM>(list), 0);
    ReleaseDC(nullptr, dc);
  }
  return FFonts;
}

HCURSOR TScreen::Cursors(TCursor Index) const {
  for (const auto& c : FCursors)
    if (c.first == Index) return c.second;
  return CursorHandle(Index);
}

void TScreen::SetCursors(TCursor Index, HCURSOR Value) {
  for (auto& c : FCursors)
    if (c.first == Index) {
      c.second = Value;
      return;
    }
  FCursors.emplace_back(Index, Value);
}

TRect TScreen::WorkAreaRect() const {
  RECT r{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return TRect(r);
}

TPoint TScreen::CursorPos() const {
  POINT p{};
  GetCursorPos(&p);
  return TPoint(p);
}

TCustomForm* TScreen::ActiveForm() const {
  HWND active = GetActiveWindow();
  for (TCustomForm* f : FForms)
    if (f->HandleAllocated() && f->Handle() == active) return f;
  return nullptr;
}

void TScreen::SetCursor(TCursor Value) {
  FCursor = Value;
  ::SetCursor(Cursors(Value == crDefault ? crArrow : Value));
}

TFont* TScreen::HintFont() {
  if (!FHintFont) FHintFont = new TFont;
  NONCLIENTMETRICSW m{};
  m.cbSize = sizeof(m);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(m), &m, 0)) {
    HFONT f = CreateFontIndirectW(&m.lfStatusFont);
    FHintFont->SetHandle(f);
    DeleteObject(f);
    FHintFont->SetColor(clInfoText);
  }
  return FHintFont;
}

namespace {
int (*gMonitorPpiSource)(HWND) = nullptr;
}

void SetMonitorPixelsPerInchSource(int (*Source)(HWND Window)) { gMonitorPpiSource = Source; }

int MonitorPixelsPerInch(HWND Window) {
  if (gMonitorPpiSource) return gMonitorPpiSource(Window);
  using DpiFn = UINT(WINAPI*)(HWND);
  static auto dpiForWindow =
      reinterpret_cast<DpiFn>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow"));
  if (Window && dpiForWindow) {
    UINT v = dpiForWindow(Window);
    if (v > 0) return static_cast<int>(v);
  }
  return ScreenPixelsPerInch();
}

void TScreen::AddForm(TCustomForm* Form) { FForms.push_back(Form); }

TFont* TScreen::MenuFont() {
  if (!FMenuFont) {
    FMenuFont = new TFont;
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) {
      if (HFONT f = CreateFontIndirectW(&ncm.lfMenuFont)) {
        FMenuFont->SetHandle(f);
        DeleteObject(f);
      }
    }
  }
  return FMenuFont;
}

void TScreen::Destroy() {
  if (FMenuFont) FMenuFont->Free();
  FMenuFont = nullptr;
  TComponent::Destroy();
}

void TScreen::RemoveForm(TCustomForm* Form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
}

// ---------------------------------------------------------------------------
// TApplication

namespace {
const wchar_t kUtilClass[] = L"TApplicationUtility";
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
  FTitle = ChangeFileExt(ExtractFileName(ExeName()), L"");
}

HWND TApplication::Handle() {
  if (!FHandle && GetCurrentThreadId() == MainThreadID()) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &TApplication::UtilWndProc;
    wc.hInstance = ModuleInstance();
    wc.lpszClassName = kUtilClass;
    RegisterClassW(&wc);
    FHandle = CreateWindowExW(WS_EX_TOOLWINDOW, kUtilClass, FTitle.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              ModuleInstance(), nullptr);
  }
  return FHandle;
}

void TApplication::Destroy() {
  TComponent::Destroy();
  if (FHandle) DestroyWindow(FHandle);
  FHandle = nullptr;
}

LRESULT CALLBACK TApplication::UtilWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NULL:
      try {
        CheckSynchronize();
      } catch (...) {
        if (Application) Application->HandleException(Application);
      }
      return 0;
    case CM_RELEASE:
      if (lParam) reinterpret_cast<TObject*>(lParam)->Free();
      return 0;
    case WM_TIMER:
      try {
        if (Application) Application->HintTimerExpired(wParam);
      } catch (...) {
        if (Application) Application->HandleException(Application);
      }
      return 0;
    default:
      return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

String TApplication::ExeName() const { return GetModuleName(nullptr); }

HWND TApplication::MainFormHandle() {
  return FMainForm && FMainForm->HandleAllocated() ? FMainForm->Handle() : nullptr;
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FMainForm) FMainForm = nullptr;
  if (Operation == TOperation::opRemove && FHintWindow && AComponent == static_cast<TComponent*>(FHintWindow))
    FHintWindow = nullptr;
}

void TApplication::Run() {
  Handle();
  FRunning = true;
  try {
    if (FMainForm && (FShowMainForm || FMainForm->WindowState() == TWindowState::wsMinimized))
      FMainForm->SetVisible(true);
  } catch (...) {
    HandleException(this);
  }
  while (!FTerminated) {
    try {
      HandleMessage();
    } catch (...) {
      HandleException(this);
    }
  }
  FRunning = false;
}

bool TApplication::IsKeyMsg(MSG& Msg) {
  if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST) return false;
  HWND wnd = GetCapture();
  if (!wnd) wnd = Msg.hwnd;
  TWinControl* c = nullptr;
  while (wnd && !(c = FindControl(wnd))) wnd = GetParent(wnd);
  if (!c) return false;
  return c->Perform(CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

bool TApplication::ProcessMessage(MSG& Msg) {
  if (!PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (Msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  HintMessage(Msg);
  if (!IsKeyMsg(Msg)) {
    TranslateMessage(&Msg);
    DispatchMessageW(&Msg);
  }
  return true;
}

void TApplication::Idle() {
  FreeDeviceContexts();
  if (CheckSynchronize() || FTerminated) return;
  // A worker's call that arrives during the wait runs right after it,
  // without a round through the message queue.
  WaitForMessageOrSynchronize();
  CheckSynchronize();
}

void TApplication::HandleMessage() {
  Handle();
  MSG msg;
  if (!ProcessMessage(msg)) Idle();
}

void TApplication::ProcessMessages() {
  Handle();
  MSG msg;
  while (ProcessMessage(msg)) {
  }
  CheckSynchronize();
}

void TApplication::Terminate() {
  if (FTerminateRequested) return;
  FTerminateRequested = true;
  PostQuitMessage(0);
}

void TApplication::HandleException(TObject* Sender) {
  std::exception_ptr ep = std::current_exception();
  if (!ep) return;
  auto report = [&](const Exception& e) {
    try {
      if (OnException)
        OnException(Sender, e);
      else
        ShowException(e);
    } catch (...) {
      // A failing exception handler must not take the program down.
    }
  };
  try {
    std::rethrow_exception(ep);
  } catch (const Exception& e) {
    report(e);
  } catch (const std::exception& e) {
    report(Exception(AnsiToWide(e.what())));
  } catch (...) {
    report(Exception(L"Unknown exception"));
  }
}

void TApplication::ShowException(const Exception& E) {
  String msg = E.Message();
  if (!msg.empty() && msg.back() > L'.') msg += L'.';
  AppMessageBox(msg, FTitle, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const String& Text, const String& Caption, UINT Flags) {
  return AppMessageBox(Text, Caption, Flags);
}

// ---------------------------------------------------------------------------

void InitGuiUnit() {
  SetMainThreadID(GetCurrentThreadId());
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  Screen = new TScreen(nullptr);
  Application = new TApplication(nullptr);
  WakeMainThread = [] {
    if (Application && Application->HandleAllocated()) PostMessageW(Application->Handle(), WM_NULL, 0, 0);
  };
  ReportLostException = [](TObject* Sender) {
    if (Application) Application->HandleException(Sender);
  };
}

void FiniGuiUnit() {
  ReportLostException = nullptr;
  WakeMainThread = nullptr;
  PopupList.Close();
  FreeAndNil(Application);
  FreeAndNil(Screen);
}
