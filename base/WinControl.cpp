#include "base/Controls.h"
#include "base/ControlDetail.h"

#include <windowsx.h>

#include <algorithm>

#include "base/ActnList.h"
#include "base/Forms.h"
#include "base/Menus.h"
#include "base/SharedResources.h"

using namespace control_detail;

// ---------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner), FBrush(new TBrush) {
  FBrush->SetColor(FColor);
}

TWinControl* TWinControl::CreateParented(HWND ParentWindow) {
  auto* c = new TWinControl(nullptr);
  c->SetParentWindow(ParentWindow);
  return c;
}

void TWinControl::Destroy() {
  // Children still parented to us go first, each with its own window.
  while (!FControls.empty()) {
    TControl* c = FControls.back();
    FControls.pop_back();
    FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), c), FTabList.end());
    c->FParent = nullptr;
    c->Free();
  }
  if (FHandle) DestroyWindowHandle();
  TControl::Destroy();
}

TWinControl::~TWinControl() {
  DestroyFromDestructor([this] {
    DetachHandlers();
    OnEnter = nullptr;
    OnExit = nullptr;
    OnKeyDown = nullptr;
    OnKeyUp = nullptr;
    OnKeyPress = nullptr;
    TWinControl::Destroy();
  });
}

void TWinControl::SetParentWindow(HWND Value) {
  if (FParent || FParentWindow == Value) return;
  if (FHandle && Value) {
    ::SetParent(FHandle, Value);
  } else if (FHandle && !Value) {
    DestroyHandle();
  }
  FParentWindow = Value;
  UpdateControlState();
}

HWND TWinControl::Handle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle) return;
  if (FParent) FParent->HandleNeeded();
  CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params = TCreateParams{};
  Params.Caption = FText;
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FControlStyle.Contains(TControlStyleItem::csAcceptsControls)) {
    Params.Style |= WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (!FEnabled) Params.Style |= WS_DISABLED;
  if (FTabStop) Params.Style |= WS_TABSTOP;
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  Params.WndParent = FParent ? FParent->Handle() : FParentWindow;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  Params.WindowClass.lpfnWndProc = DefWindowProcW;
  Params.WindowClass.hCursor = SharedCursor(nullptr, IDC_ARROW);
  Params.WindowClass.hInstance = ModuleInstance();
  Params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& Params, const wchar_t* ControlClassName) {
  WNDCLASSW wc{};
  if (!GetClassInfoW(nullptr, ControlClassName, &wc) && !GetClassInfoW(ModuleInstance(), ControlClassName, &wc))
    throw EInvalidOperation(L"Window class %s is not registered", {String(ControlClassName)});
  HINSTANCE inst = Params.WindowClass.hInstance;
  Params.WindowClass = wc;
  Params.WindowClass.style = wc.style & ~(CS_OWNDC | CS_CLASSDC | CS_PARENTDC | CS_GLOBALCLASS);
  Params.WindowClass.hInstance = inst;
  Params.WindowClass.lpszClassName = nullptr;
  Params.WindowClass.lpszMenuName = nullptr;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if ((params.Style & WS_CHILD) && !params.WndParent)
    throw EInvalidOperation(L"Control '%s' has no parent window", {Name()});
  FDefWndProc = params.WindowClass.lpfnWndProc;
  WNDCLASSW existing{};
  bool registered = GetClassInfoW(params.WindowClass.hInstance, params.WinClassName.c_str(), &existing) != 0;
  if (!registered || existing.lpfnWndProc != &TWinControl::InitWndProc) {
    if (registered) UnregisterClassW(params.WinClassName.c_str(), params.WindowClass.hInstance);
    const WNDCLASSW& from = params.WindowClass;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = from.style;
    wc.lpfnWndProc = &TWinControl::InitWndProc;
    wc.cbClsExtra = from.cbClsExtra;
    wc.cbWndExtra = from.cbWndExtra;
    wc.hInstance = from.hInstance;
    wc.hIcon = from.hIcon;
    wc.hCursor = from.hCursor;
    wc.hbrBackground = from.hbrBackground;
    wc.lpszMenuName = from.lpszMenuName;
    wc.lpszClassName = params.WinClassName.c_str();
    wc.hIconSm = SharedSmallIcon(from.hIcon);
    if (!RegisterClassExW(&wc)) RaiseLastOSError();
  }
  FControlState.Include(TControlStateItem::csCreating);
  try {
    CreateWindowHandle(params);
  } catch (...) {
    FControlState.Exclude(TControlStateItem::csCreating);
    throw;
  }
  FControlState.Exclude(TControlStateItem::csCreating);
  if (!FHandle) RaiseLastOSError();
  FText.clear();  // the window holds the text now
  SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), 0);
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  TWinControl* saved = gCreationControl;
  gCreationControl = this;
  // Child windows get ids of their own, by which a parent finds the child
  // that a WM_MEASUREITEM is about.
  static UINT_PTR nextChildId = 0x1000;
  HMENU id = nullptr;
  if (Params.Style & WS_CHILD) {
    id = reinterpret_cast<HMENU>(nextChildId);
    nextChildId = nextChildId >= 0xBFFF ? 0x1000 : nextChildId + 1;
  }
  HWND h = CreateWindowExW(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style,
                           Params.X, Params.Y, Params.Width, Params.Height, Params.WndParent, id,
                           Params.WindowClass.hInstance, Params.Param);
  gCreationControl = saved;
  if (h && !FHandle) {
    FHandle = h;
    SetWindowControl(h, this);
  }
}

void TWinControl::CreateHandle() {
  if (FHandle) return;
  CreateWnd();
  UpdateBounds();
  // Windowed children follow their parent's window.
  std::vector<TWinControl*> children = FTabList;
  for (TWinControl* c : children) c->UpdateControlState();
  if (!FControls.empty()) Realign();
}

void TWinControl::SaveWindowState() {
  if (!FHandle) return;
  int n = GetWindowTextLengthW(FHandle);
  String s(static_cast<size_t>(n), L'\0');
  if (n) {
    int got = GetWindowTextW(FHandle, s.data(), n + 1);
    s.resize(static_cast<size_t>(got < 0 ? 0 : got));
  }
  FText = s;
}

void TWinControl::DestroyWindowHandle() {
  FControlState.Include(TControlStateItem::csDestroyingHandle);
  SaveWindowState();
  HWND h = FHandle;
  if (h) DestroyWindow(h);
  if (FHandle == h) {
    // The window of a control whose procedure was replaced may not have
    // reached us with its last message.
    ClearWindowControl(h);
    FHandle = nullptr;
  }
  FShowing = false;
  FControlState.Exclude(TControlStateItem::csDestroyingHandle);
}

void TWinControl::DestroyWnd() { DestroyWindowHandle(); }

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  for (TWinControl* c : FTabList)
    if (c->HandleAllocated()) c->DestroyHandle();
  DestroyWnd();
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  // The focus leaves with the old window; the new one takes it back.
  HWND focus = GetFocus();
  bool hadFocus = focus && (focus == FHandle || IsChild(FHandle, focus));
  FControlState.Include(TControlStateItem::csRecreating);
  DestroyHandle();
  UpdateControlState();
  FControlState.Exclude(TControlStateItem::csRecreating);
  if (hadFocus && FHandle && IsWindowVisible(FHandle)) ::SetFocus(FHandle);
}

LRESULT CALLBACK TWinControl::InitWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* c = WindowControl(hwnd);
  if (!c) {
    c = gCreationControl;
    if (!c || c->FHandle) return DefWindowProcW(hwnd, msg, wParam, lParam);
    c->FHandle = hwnd;
    SetWindowControl(hwnd, c);
  }
  TMessage m{msg, wParam, lParam, 0};
  try {
    c->WindowProc(m);
  } catch (...) {
    if (Application) Application->HandleException(c);
  }
  if (msg == WM_NCDESTROY) {
    ClearWindowControl(hwnd);
    if (c->FHandle == hwnd) {
      c->FHandle = nullptr;
      c->FShowing = false;
    }
  }
  return m.Result;
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (FHandle) {
    Message.Result = CallWindowProcW(FDefWndProc ? FDefWndProc : DefWindowProcW, FHandle, Message.Msg, Message.WParam,
                                     Message.LParam);
    return;
  }
  TControl::DefaultHandler(Message);
}

String TWinControl::Text() {
  if (!FHandle) return FText;
  int n = static_cast<int>(SendMessageW(FHandle, WM_GETTEXTLENGTH, 0, 0));
  String s(static_cast<size_t>(n), L'\0');
  if (n) {
    LRESULT got = SendMessageW(FHandle, WM_GETTEXT, static_cast<WPARAM>(n + 1), reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(got));
  }
  return s;
}

void TWinControl::UpdateBounds() {
  if (!FHandle) return;
  RECT r;
  LONG style = static_cast<LONG>(GetWindowLongPtrW(FHandle, GWL_STYLE));
  if (IsIconic(FHandle) && !(style & WS_CHILD)) {
    WINDOWPLACEMENT wp{sizeof(wp)};
    GetWindowPlacement(FHandle, &wp);
    POINT o = WorkAreaOrigin(FHandle);
    r = wp.rcNormalPosition;
    OffsetRect(&r, o.x, o.y);
  } else {
    GetWindowRect(FHandle, &r);
    if (style & WS_CHILD) {
      HWND parent = GetParent(FHandle);
      if (parent) MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    }
  }
  UpdateBoundsRect(TRect(r));
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  Constrain(AWidth, AHeight);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  if (FHandle) {
    LONG style = static_cast<LONG>(GetWindowLongPtrW(FHandle, GWL_STYLE));
    if (IsIconic(FHandle) && !(style & WS_CHILD)) {
      // A minimized window keeps its normal position for the restore.
      WINDOWPLACEMENT wp{sizeof(wp)};
      GetWindowPlacement(FHandle, &wp);
      POINT o = WorkAreaOrigin(FHandle);
      wp.rcNormalPosition = RECT{ALeft - o.x, ATop - o.y, ALeft - o.x + AWidth, ATop - o.y + AHeight};
      wp.showCmd = IsWindowVisible(FHandle) ? SW_SHOWMINNOACTIVE : SW_HIDE;
      wp.flags = 0;
      SetWindowPlacement(FHandle, &wp);
      UpdateBoundsRect(Bounds(ALeft, ATop, AWidth, AHeight));
    } else {
      SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
      UpdateBounds();
    }
  } else {
    bool sized = AWidth != FWidth || AHeight != FHeight;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    if (sized) {
      Resize();
      // No window tells us of the new size: the aligned children follow now.
      Realign();
    }
  }
  RequestAlign();
}

TRect TWinControl::ClientRect() {
  if (FHandle) {
    RECT r;
    GetClientRect(FHandle, &r);
    return TRect(r);
  }
  return TControl::ClientRect();
}

TPoint TWinControl::ClientOrigin() {
  if (FHandle) {
    POINT p{0, 0};
    ::ClientToScreen(FHandle, &p);
    return TPoint(p);
  }
  return TControl::ClientOrigin();
}

void TWinControl::Invalidate() {
  if (FHandle)
    InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(TControlStyleItem::csOpaque));
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

int TWinControl::ControlIndex(TControl* Control) const {
  auto it = std::find(FControls.begin(), FControls.end(), Control);
  return it == FControls.end() ? -1 : static_cast<int>(it - FControls.begin());
}

void TWinControl::InsertControl(TControl* AControl) {
  AControl->FParent = this;
  FControls.push_back(AControl);
  auto* w = dynamic_cast<TWinControl*>(AControl);
  if (w) FTabList.push_back(w);
  if (AControl->FParentFont) AControl->Perform(CM_PARENTFONTCHANGED);
  if (AControl->FParentColor) AControl->Perform(CM_PARENTCOLORCHANGED);
  if (AControl->FParentBiDiMode) AControl->Perform(CM_PARENTBIDIMODECHANGED);
  if (w) {
    if (FHandle) w->UpdateControlState();
  } else {
    AControl->Invalidate();
  }
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
  AControl->RequestAlign();
}

void TWinControl::RemoveControl(TControl* AControl) {
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(w, true);
    w->DestroyHandle();
  } else {
    AControl->Invalidate();
  }
  if (gCaptureControl == AControl) SetCaptureControl(nullptr);
  if (gMouseControl == AControl) gMouseControl = nullptr;
  FControls.erase(std::remove(FControls.begin(), FControls.end(), AControl), FControls.end());
  FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), AControl), FTabList.end());
  AControl->FParent = nullptr;
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
  if (AControl->FAlign != TAlign::alNone) Realign();
}

bool TWinControl::ContainsControl(TControl* Control) const {
  while (Control && Control != this) Control = Control->Parent();
  return Control == this;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls) {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    bool windowed = dynamic_cast<TWinControl*>(c) != nullptr;
    if (windowed && (!AllowWinControls || IsPopupChild(c))) continue;
    if (!c->Visible() || (!c->Enabled() && !AllowDisabled)) continue;
    if (c->BoundsRect().Contains(Pos)) return c;
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
  std::vector<TControl*> list = FControls;
  for (TControl* c : list) {
    if (std::find(FControls.begin(), FControls.end(), c) == FControls.end()) continue;
    c->WindowProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
  size_t start = 0;
  if (First) {
    auto it = std::find(FControls.begin(), FControls.end(), First);
    if (it != FControls.end()) start = static_cast<size_t>(it - FControls.begin());
  }
  for (size_t i = start; i < FControls.size(); ++i) {
    TControl* c = FControls[i];
    if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
    RECT r = c->BoundsRect();
    if (!RectVisible(DC, &r)) continue;
    int saved = SaveDC(DC);
    POINT org;
    GetViewportOrgEx(DC, &org);
    SetViewportOrgEx(DC, org.x + c->Left(), org.y + c->Top(), nullptr);
    IntersectClipRect(DC, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    RestoreDC(DC, saved);
  }
}

void TWinControl::PaintTo(HDC DC, int X, int Y) {
  HandleNeeded();
  int saved = SaveDC(DC);
  OffsetViewportOrgEx(DC, X, Y, nullptr);
  TRect client = ClientRect();
  IntersectClipRect(DC, 0, 0, client.Width(), client.Height());
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
  Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
  for (TWinControl* c : FTabList) {
    if (!c->Visible() || IsPopupChild(c)) continue;
    c->PaintTo(DC, c->Left(), c->Top());
  }
  RestoreDC(DC, saved);
}

void TWinControl::PaintWindow(HDC DC) {
  TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
  DefaultHandler(m);
}

void TWinControl::PaintHandler(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  PAINTSTRUCT ps{};
  if (!dc) dc = BeginPaint(FHandle, &ps);
  try {
    PaintWindow(dc);
    PaintControls(dc, nullptr);
  } catch (...) {
    if (!Message.WParam) EndPaint(FHandle, &ps);
    throw;
  }
  if (!Message.WParam) EndPaint(FHandle, &ps);
}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  DoAlign(TAlign::alTop, Rect);
  DoAlign(TAlign::alBottom, Rect);
  DoAlign(TAlign::alLeft, Rect);
  DoAlign(TAlign::alRight, Rect);
  DoAlign(TAlign::alClient, Rect);
}

void TWinControl::DoAlign(TAlign AAlign, TRect& Rect) {
  std::vector<TControl*> list;
  for (TControl* c : FControls)
    if (c->FAlign == AAlign && c->Visible()) list.push_back(c);
  // Stable order by current position, so that the user's layout is kept.
  auto key = [AAlign](TControl* c) {
    switch (AAlign) {
      case TAlign::alTop: return c->Top();
      case TAlign::alBottom: return -(c->Top() + c->Height());
      case TAlign::alLeft: return c->Left();
      case TAlign::alRight: return -(c->Left() + c->Width());
      default: return 0;
    }
  };
  std::stable_sort(list.begin(), list.end(), [&](TControl* a, TControl* b) { return key(a) < key(b); });
  for (TControl* c : list) {
    int w = c->Width(), h = c->Height();
    switch (AAlign) {
      case TAlign::alTop:
        c->SetBounds(Rect.left, Rect.top, Rect.Width(), h);
        Rect.top += h;
        break;
      case TAlign::alBottom:
        c->SetBounds(Rect.left, Rect.bottom - h, Rect.Width(), h);
        Rect.bottom -= h;
        break;
      case TAlign::alLeft:
        c->SetBounds(Rect.left, Rect.top, w, Rect.Height());
        Rect.left += w;
        break;
      case TAlign::alRight:
        c->SetBounds(Rect.right - w, Rect.top, w, Rect.Height());
        Rect.right -= w;
        break;
      case TAlign::alClient:
        c->SetBounds(Rect.left, Rect.top, Max<LONG>(0, Rect.Width()), Max<LONG>(0, Rect.Height()));
        break;
      default:
        break;
    }
  }
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* AControl) {
  if (FAlignLevel > 0 || IsDestroying()) return;
  ++FAlignLevel;
  try {
    TRect r = ClientRect();
    AdjustClientRect(r);
    AlignControls(AControl, r);
  } catch (...) {
    --FAlignLevel;
    throw;
  }
  --FAlignLevel;
}

bool TWinControl::CanFocus() {
  TControl* c = this;
  while (c) {
    if (!c->Visible() || !c->Enabled()) return false;
    if (!c->Parent()) return dynamic_cast<TCustomForm*>(c) != nullptr || static_cast<TWinControl*>(c)->FParentWindow;
    c = c->Parent();
  }
  return true;
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus() {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this) {
    form->FocusControl(this);
  } else if (FParentWindow) {
    ::SetFocus(Handle());
  } else if (auto* f = dynamic_cast<TCustomForm*>(this)) {
    if (f->Visible() && f->Enabled()) {
      ::SetFocus(Handle());
    }
  }
}

void TWinControl::SetTabStop(bool Value) {
  if (FTabStop == Value) return;
  FTabStop = Value;
  if (FHandle) {
    LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
    SetWindowLongPtrW(FHandle, GWL_STYLE, Value ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
  }
}

int TWinControl::TabOrder() const {
  if (!FParent) return -1;
  auto& v = FParent->FTabList;
  auto it = std::find(v.begin(), v.end(), this);
  return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

void TWinControl::SetTabOrder(int Value) {
  if (!FParent) return;
  auto& v = FParent->FTabList;
  auto it = std::find(v.begin(), v.end(), this);
  if (it == v.end()) return;
  v.erase(it);
  if (Value < 0) Value = 0;
  if (Value > static_cast<int>(v.size())) Value = static_cast<int>(v.size());
  v.insert(v.begin() + Value, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) {
  for (TWinControl* c : FTabList) {
    if (IsPopupChild(c)) continue;  // a window of its own, with its own tab order
    List.push_back(c);
    c->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  int n = static_cast<int>(list.size());
  auto it = std::find(list.begin(), list.end(), CurControl);
  int start = it == list.end() ? (GoForward ? n - 1 : 0) : static_cast<int>(it - list.begin());
  int i = start;
  for (int step = 0; step < n; ++step) {
    i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
    TWinControl* c = list[static_cast<size_t>(i)];
    if (c == CurControl) continue;
    if (c->CanFocus() && (!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this)) return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop);
  if (next) next->SetFocus();
}

void TWinControl::UpdateControlState() {
  TWinControl* c = this;
  while (c->FParent) {
    c = c->FParent;
    if (!c->FShowing) return;
  }
  if (dynamic_cast<TCustomForm*>(c) || c->FParentWindow) UpdateShowing();
}

void TWinControl::UpdateShowing() {
  // Showing needs the parent showing too (or about to show): a hidden
  // parent hides its children, pop-ups included.
  bool show = FVisible && (!FParent || FParent->FShowing || FParent->FShowingChildren);
  std::vector<TWinControl*> children = FTabList;
  if (show) {
    if (!FHandle) CreateHandle();
    // Child windows are ready before this one appears; pop-ups come after.
    ShowChildren();
  }
  if (FHandle && FShowing != show) {
    FShowing = show;
    try {
      Perform(CM_SHOWINGCHANGED, show ? 1 : 0);
    } catch (...) {
      FShowing = !show;
      throw;
    }
  }
  for (TWinControl* c : children)
    if (!show || IsPopupChild(c)) c->UpdateShowing();
}

void TWinControl::ShowChildren() {
  std::vector<TWinControl*> children = FTabList;
  FShowingChildren = true;
  try {
    for (TWinControl* c : children)
      if (!IsPopupChild(c)) c->UpdateShowing();
  } catch (...) {
    FShowingChildren = false;
    throw;
  }
  FShowingChildren = false;
}

void TWinControl::ShowingChanged() {
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(wchar_t& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

bool TWinControl::DoKeyDown(TMessage& Message) {
  TShiftState shift = KeyDataToShiftState(Message.LParam);
  WORD key = static_cast<WORD>(Message.WParam);
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview()) {
    form->KeyDownPreview(key, shift);
    if (key == 0) return true;
  }
  KeyDown(key, shift);
  Message.WParam = key;
  return key == 0;
}

bool TWinControl::DoKeyUp(TMessage& Message) {
  TShiftState shift = KeyDataToShiftState(Message.LParam);
  WORD key = static_cast<WORD>(Message.WParam);
  KeyUp(key, shift);
  Message.WParam = key;
  return key == 0;
}

bool TWinControl::DoKeyPress(TMessage& Message) {
  wchar_t ch = static_cast<wchar_t>(Message.WParam);
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview()) {
    form->KeyPressPreview(ch);
    if (ch == 0) return true;
  }
  KeyPress(ch);
  Message.WParam = ch;
  return ch == 0;
}

void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS: {
      TCustomForm* form = GetParentForm(this);
      if (form && form != this && !form->SetFocusedControl(this)) return;
      break;
    }
    case WM_KILLFOCUS:
      break;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
      TrackMouse(Message);
      if (Message.Msg == WM_MOUSELEAVE) {
        DefaultHandler(Message);
        return;
      }
      break;
    default:
      break;
  }
  if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MBUTTONDBLCLK && IsControlMouseMsg(Message)) {
    if (Message.Result == 0 && FHandle)
      DefWindowProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  TControl::WndProc(Message);
}

bool TWinControl::IsControlMouseMsg(TMessage& Message) {
  TControl* target = nullptr;
  if (GetCapture() == FHandle && gCaptureControl && gCaptureControl->Parent() == this) {
    target = gCaptureControl;
  } else {
    TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
    target = ControlAtPos(p, false);
  }
  if (!target) return false;
  int x = GET_X_LPARAM(Message.LParam) - target->Left();
  int y = GET_Y_LPARAM(Message.LParam) - target->Top();
  Message.Result = target->Perform(Message.Msg, Message.WParam, MAKELPARAM(x, y));
  return true;
}

void TWinControl::TrackMouse(TMessage& Message) {
  TControl* target = nullptr;
  if (Message.Msg == WM_MOUSEMOVE) {
    TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
    target = ControlAtPos(p, false);
    if (!target) target = this;
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, FHandle, 0};
    TrackMouseEvent(&tme);
  } else {
    // The pointer left this window: only our own controls leave here.
    if (gMouseControl != this && !(gMouseControl && gMouseControl->Parent() == this &&
                                   !dynamic_cast<TWinControl*>(gMouseControl)))
      return;
  }
  if (target == gMouseControl) return;
  TControl* old = gMouseControl;
  gMouseControl = target;
  LeaveControls(old, target);
  if (target && gMouseControl == target) target->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(target));
}

// The pointer went from Old to Target (nullptr: out of this window). Old
// hears that the pointer left it, and so does each parent of Old that does
// not hold Target; without a target the walk ends at this window.
void TWinControl::LeaveControls(TControl* Old, TControl* Target) {
  auto up = [&](TControl* C) -> TWinControl* { return C == this && !Target ? nullptr : C->Parent(); };
  for (TControl* c = Old; c;) {
    TWinControl* next = up(c);
    if (next && Target && next->ContainsControl(Target)) next = nullptr;
    c->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(c));
    c = next;
  }
}

void TWinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      if (Message.WParam) {
        PaintHandler(Message);
      } else if (!FControlState.Contains(TControlStateItem::csCustomPaint) &&
                 std::none_of(FControls.begin(), FControls.end(),
                              [](TControl* c) { return dynamic_cast<TWinControl*>(c) == nullptr; })) {
        DefaultHandler(Message);
      } else if (FDoubleBuffered) {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(FHandle, &ps);
        TRect r = ClientRect();
        HDC mem = CreateCompatibleDC(dc);
        HBITMAP bmp = CreateCompatibleBitmap(dc, Max<LONG>(1, r.Width()), Max<LONG>(1, r.Height()));
        HGDIOBJ old = SelectObject(mem, bmp);
        try {
          Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), reinterpret_cast<LPARAM>(mem));
          Perform(WM_PAINT, reinterpret_cast<WPARAM>(mem), 0);
          BitBlt(dc, 0, 0, r.Width(), r.Height(), mem, 0, 0, SRCCOPY);
        } catch (...) {
          SelectObject(mem, old);
          DeleteObject(bmp);
          DeleteDC(mem);
          EndPaint(FHandle, &ps);
          throw;
        }
        SelectObject(mem, old);
        DeleteObject(bmp);
        DeleteDC(mem);
        EndPaint(FHandle, &ps);
      } else {
        PaintHandler(Message);
      }
      return;
    case WM_ERASEBKGND: {
      // A double-buffered paint erases into its own bitmap (WParam == LParam).
      if (FDoubleBuffered && Message.WParam != static_cast<WPARAM>(Message.LParam)) {
        Message.Result = 1;
        return;
      }
      RECT r = ClientRect();
      ::FillRect(reinterpret_cast<HDC>(Message.WParam), &r, FBrush->Handle());
      Message.Result = 1;
      return;
    }
    case WM_COMMAND:
      if (Message.LParam) {
        if (TWinControl* c = FindControl(reinterpret_cast<HWND>(Message.LParam))) {
          Message.Result = c->Perform(CN_COMMAND, Message.WParam, Message.LParam);
          return;
        }
      }
      break;
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
      if (hdr) {
        if (TWinControl* c = FindControl(hdr->hwndFrom)) {
          Message.Result = c->Perform(CN_NOTIFY, Message.WParam, Message.LParam);
          return;
        }
      }
      break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (Message.LParam) {
        if (TWinControl* c = FindControl(reinterpret_cast<HWND>(Message.LParam))) {
          Message.Result = c->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
          return;
        }
      }
      break;
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
      if (dis && dis->CtlType != ODT_MENU) {
        if (TWinControl* c = FindControl(dis->hwndItem)) {
          Message.Result = c->Perform(CN_DRAWITEM, Message.WParam, Message.LParam);
          return;
        }
      }
      break;
    }
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
      if (mis && mis->CtlType != ODT_MENU && mis->CtlID != 0) {
        for (TWinControl* c : std::vector<TWinControl*>(FTabList))
          if (c->FHandle && static_cast<UINT>(GetWindowLongPtrW(c->FHandle, GWLP_ID)) == mis->CtlID) {
            Message.Result = c->Perform(CN_MEASUREITEM, Message.WParam, Message.LParam);
            return;
          }
      }
      break;
    }
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORLISTBOX: {
      HDC dc = reinterpret_cast<HDC>(Message.WParam);
      SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(FFont->Color())));
      SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(FColor)));
      Message.Result = reinterpret_cast<LRESULT>(FBrush->Handle());
      return;
    }
    case WM_WINDOWPOSCHANGED:
      DefaultHandler(Message);
      UpdateBounds();
      return;
    case WM_SIZE:
      DefaultHandler(Message);
      UpdateBounds();
      Realign();
      return;
    case WM_MOVE:
      DefaultHandler(Message);
      UpdateBounds();
      return;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(Message.WParam) == FHandle && LOWORD(Message.LParam) == HTCLIENT) {
        POINT pt;
        GetCursorPos(&pt);
        TControl* c = ControlAtPos(ScreenToClient(TPoint(pt)), false);
        TCursor cur = c ? c->Cursor() : crDefault;
        if (cur == crDefault) cur = FCursor;
        if (cur != crDefault) {
          ::SetCursor(Screen ? Screen->Cursors(cur) : CursorHandle(cur));
          Message.Result = 1;
          return;
        }
      }
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (DoKeyDown(Message)) return;
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (DoKeyUp(Message)) return;
      break;
    case WM_CHAR:
      if (DoKeyPress(Message)) return;
      break;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: {
      Message.Result = 1;
      WORD key = static_cast<WORD>(Message.WParam);
      if (Perform(CM_CHILDKEY, key, reinterpret_cast<LPARAM>(this)) != 0) return;
      UINT mask = 0;
      switch (key) {
        case VK_TAB: mask = DLGC_WANTTAB; break;
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
        case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
        default: break;
      }
      if (mask && Perform(CM_WANTSPECIALKEY, key, Message.LParam) == 0 &&
          (Perform(WM_GETDLGCODE) & mask) == 0) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->Perform(CM_DIALOGKEY, key, Message.LParam) != 0) return;
      }
      Message.Result = 0;
      return;
    }
    case CN_CHAR:
    case CN_SYSCHAR: {
      Message.Result = 1;
      bool wantsChars = (Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) != 0;
      if (Message.Msg == CN_SYSCHAR || !wantsChars) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0) return;
      }
      Message.Result = 0;
      return;
    }
    case CM_ENABLEDCHANGED:
      if (FHandle) EnableWindow(FHandle, FEnabled);
      Invalidate();
      return;
    case CM_VISIBLECHANGED:
      if (!FVisible && FParent) {
        if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, false);
      }
      UpdateControlState();
      return;
    case CM_SHOWINGCHANGED:
      ShowingChanged();
      return;
    case CM_COLORCHANGED: {
      FBrush->SetColor(FColor);
      TMessage m{CM_PARENTCOLORCHANGED, 0, 0, 0};
      for (TControl* c : std::vector<TControl*>(FControls)) c->WindowProc(m);
      Invalidate();
      return;
    }
    case CM_FONTCHANGED: {
      if (FHandle) SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), 0);
      TMessage m{CM_PARENTFONTCHANGED, 0, 0, 0};
      for (TControl* c : std::vector<TControl*>(FControls)) c->WindowProc(m);
      Invalidate();
      return;
    }
    case CM_TEXTCHANGED:
      TextChanged();
      return;
    case CM_ENTER:
      DoEnter();
      return;
    case CM_EXIT:
      DoExit();
      return;
    case CM_FOCUSCHANGED: {
      Broadcast(Message);
      Message.Result = 0;
      return;
    }
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
      // Enter, Escape and accelerators reach the controls inside containers
      // too, until one takes them.
      Broadcast(Message);
      return;
    case WM_SETTEXT:
      DefaultHandler(Message);
      return;
    default:
      break;
  }
  TControl::Dispatch(Message);
}
