#include "base/Controls.h"
#include "base/ControlDetail.h"

#include <windowsx.h>

#include <algorithm>

#include "base/ActnList.h"
#include "base/Forms.h"
#include "base/Menus.h"

using namespace control_detail;

// ---------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FFont(new TFont), FConstraints(new TSizeConstraints) {
  FFont->OnChange = [this](TObject*) { FontChanged(); };
  FConstraints->OnChange = [this](TObject*) { AdjustSize(); };
  WindowProc = [this](TMessage& m) { WndProc(m); };
  FControlStyle = {TControlStyleItem::csCaptureMouse, TControlStyleItem::csClickEvents,
                   TControlStyleItem::csSetCaption, TControlStyleItem::csDoubleClicks};
}

TControl::~TControl() {
  DestroyFromDestructor([this] {
    DetachHandlers();
    TControl::Destroy();
  });
}

void TControl::DetachHandlers() {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  OnClick = nullptr;
  OnDblClick = nullptr;
  OnMouseDown = nullptr;
  OnMouseUp = nullptr;
  OnMouseMove = nullptr;
  OnMouseEnter = nullptr;
  OnMouseLeave = nullptr;
  OnResize = nullptr;
}

void TControl::Destroy() {
  if (Application && Application->HintControl() == this) Application->CancelHint();
  if (FActionLink) {
    FActionLink->Free();
    FActionLink = nullptr;
  }
  if (gMouseControl == this) gMouseControl = nullptr;
  if (gCaptureControl == this) SetCaptureControl(nullptr);
  SetParent(nullptr);
  TComponent::Destroy();
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
  if (Operation == TOperation::opRemove && FActionLink && AComponent == FActionLink->Action()) SetAction(nullptr);
}

TBasicAction* TControl::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

namespace {
TControlActionLink* NewControlActionLink(TObject* AClient) { return new TControlActionLink(AClient); }
}  // namespace

TControlActionLinkClass TControl::GetActionLinkClass() { return &NewControlActionLink; }

void TControl::SetAction(TBasicAction* Value) {
  if (!Value) {
    if (FActionLink) {
      FActionLink->Free();
      FActionLink = nullptr;
    }
    return;
  }
  if (!FActionLink) FActionLink = GetActionLinkClass()(this);
  FActionLink->SetAction(Value);
  FActionLink->OnChange = [this](TObject* Sender) { ActionChange(Sender, false); };
  ActionChange(Value, IsLoading());
  Value->FreeNotification(this);
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* a = dynamic_cast<TCustomAction*>(Sender);
  if (!a) return;
  if (!CheckDefaults || Caption().empty()) SetCaption(a->Caption());
  if (!CheckDefaults || FEnabled) SetEnabled(a->Enabled());
  if (!CheckDefaults || FHint.empty()) SetHint(a->Hint());
  if (!CheckDefaults || FVisible) SetVisible(a->Visible());
}

void TControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) return;
  if (AParent == this) throw EInvalidOperation(L"A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

void TControl::Constrain(int& AWidth, int& AHeight) const {
  const TSizeConstraints* c = FConstraints;
  if (c->MinWidth() > 0 && AWidth < c->MinWidth())
    AWidth = c->MinWidth();
  else if (c->MaxWidth() > 0 && AWidth > c->MaxWidth())
    AWidth = c->MaxWidth();
  if (c->MinHeight() > 0 && AHeight < c->MinHeight())
    AHeight = c->MinHeight();
  else if (c->MaxHeight() > 0 && AHeight > c->MaxHeight())
    AHeight = c->MaxHeight();
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  Constrain(AWidth, AHeight);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  InvalidateControl(Visible(), false);
  bool sized = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  InvalidateControl(Visible(), false);
  RequestAlign();
  if (sized) Resize();
}

void TControl::UpdateBoundsRect(const TRect& R) {
  bool sized = R.Width() != FWidth || R.Height() != FHeight;
  FLeft = R.left;
  FTop = R.top;
  FWidth = R.Width();
  FHeight = R.Height();
  if (sized) Resize();
}

TRect TControl::ClientRect() { return TRect(0, 0, FWidth, FHeight); }

void TControl::SetClientWidth(int Value) { SetWidth(FWidth - ClientWidth() + Value); }
void TControl::SetClientHeight(int Value) { SetHeight(FHeight - ClientHeight() + Value); }

TPoint TControl::ClientOrigin() {
  if (!FParent) return TPoint(FLeft, FTop);
  TPoint o = FParent->ClientOrigin();
  return TPoint(o.x + FLeft, o.y + FTop);
}

bool TControl::Showing() const { return FVisible && (!FParent || FParent->Showing()); }

void TControl::SetVisible(bool Value) {
  if (FVisible == Value) return;
  VisibleChanging();
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0);
  RequestAlign();
}

void TControl::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor Value) {
  if (FColor == Value && !FParentColor) return;
  FColor = Value;
  FParentColor = false;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool Value) {
  if (FParentColor == Value) return;
  FParentColor = Value;
  if (Value && FParent) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetParentFont(bool Value) {
  if (FParentFont == Value) return;
  FParentFont = Value;
  if (Value && FParent) Perform(CM_PARENTFONTCHANGED);
}

namespace {
// Set while a control takes its parent's font or colour, so that the change
// does not count as a font of its own.
thread_local TControl* gTakingParentFont = nullptr;
}  // namespace

void TControl::FontChanged() {
  if (gTakingParentFont != this) FParentFont = false;
  Perform(CM_FONTCHANGED);
}

String TControl::Text() { return FText; }

void TControl::SetText(const String& Value) {
  if (Text() == Value) return;
  TMessage m{WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()), 0};
  FText = Value;
  WindowProc(m);
  Perform(CM_TEXTCHANGED);
}

void TControl::SetShowHint(bool Value) {
  FShowHint = Value;
  FParentShowHint = false;
  Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED);
}

void TControl::SetAlign(TAlign Value) {
  if (FAlign == Value) return;
  FAlign = Value;
  RequestAlign();
}

bool TControl::MouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool Value) {
  if (MouseCapture() == Value) return;
  SetCaptureControl(Value ? this : nullptr);
}

void TControl::SetPopupMenu(TComponent* Value) {
  if (FPopupMenu == Value) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TControl::SetBiDiMode(TBiDiMode Value) {
  FParentBiDiMode = false;
  if (FBiDiMode == Value) return;
  FBiDiMode = Value;
  Perform(CM_BIDIMODECHANGED);
}

void TControl::SetParentBiDiMode(bool Value) {
  if (FParentBiDiMode == Value) return;
  FParentBiDiMode = Value;
  if (Value && FParent) Perform(CM_PARENTBIDIMODECHANGED);
}

bool TControl::UseRightToLeftAlignment() const {
  return SysLocaleMiddleEast() && FBiDiMode == TBiDiMode::bdRightToLeft;
}

bool TControl::UseRightToLeftReading() const {
  return SysLocaleMiddleEast() && FBiDiMode != TBiDiMode::bdLeftToRight;
}

void TControl::ChangeScale(int M, int D) {
  if (M == D || D == 0) return;
  SetBounds(MulDiv(FLeft, M, D), MulDiv(FTop, M, D), MulDiv(FWidth, M, D), MulDiv(FHeight, M, D));
  if (!FParentFont) FFont->SetHeight(MulDiv(FFont->Height(), M, D));
  if (auto* w = dynamic_cast<TWinControl*>(this))
    for (int i = 0; i < w->ControlCount(); ++i) w->Controls(i)->ChangeScale(M, D);
}

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque) {
  if (!IsVisible || !FParent || !FParent->HandleAllocated()) return;
  RECT r = BoundsRect();
  InvalidateRect(FParent->Handle(), &r, !(IsOpaque || FControlStyle.Contains(TControlStyleItem::csOpaque)));
}

void TControl::Invalidate() { InvalidateControl(Visible(), FControlStyle.Contains(TControlStyleItem::csOpaque)); }

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::RequestAlign() {
  if (FParent) FParent->AlignControl(this);
}

void TControl::BringToFront() {
  if (!FParent) {
    if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
      SetWindowPos(w->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return;
  }
  auto& v = FParent->FControls;
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
  v.push_back(this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
    SetWindowPos(w->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

void TControl::SendToBack() {
  if (!FParent) return;
  auto& v = FParent->FControls;
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
  v.insert(v.begin(), this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
    SetWindowPos(w->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  if (WindowProc)
    WindowProc(m);
  else
    WndProc(m);
  return m.Result;
}

void TControl::Click() {
  if (FActionLink && FActionLink->Execute(this)) return;
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

TCustomForm* TControl::GetParentFormOf() const { return GetParentForm(const_cast<TControl*>(this)); }

void TControl::DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Extra) {
  TShiftState shift = MouseKeysToShiftState(Message.WParam) + Extra;
  MouseDown(Button, shift, GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
}

void TControl::DoMouseUp(TMessage& Message, TMouseButton Button) {
  MouseUp(Button, MouseKeysToShiftState(Message.WParam), GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
}

void TControl::WndProc(TMessage& Message) { Dispatch(Message); }

void TControl::Dispatch(TMessage& Message) {
  using CS = TControlStyleItem;
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      DefaultHandler(Message);
      if (FControlStyle.Contains(CS::csCaptureMouse)) SetMouseCapture(true);
      bool dbl = Message.Msg == WM_LBUTTONDBLCLK;
      if (dbl && FControlStyle.Contains(CS::csDoubleClicks)) DblClick();
      if (!dbl && FControlStyle.Contains(CS::csClickEvents)) FControlState.Include(TControlStateItem::csClicked);
      TShiftState extra;
      if (dbl) extra.Include(TShiftStateItem::ssDouble);
      DoMouseDown(Message, TMouseButton::mbLeft, extra);
      return;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      DefaultHandler(Message);
      DoMouseDown(Message, TMouseButton::mbRight,
                  Message.Msg == WM_RBUTTONDBLCLK ? TShiftState{TShiftStateItem::ssDouble} : TShiftState{});
      return;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      DefaultHandler(Message);
      DoMouseDown(Message, TMouseButton::mbMiddle,
                  Message.Msg == WM_MBUTTONDBLCLK ? TShiftState{TShiftStateItem::ssDouble} : TShiftState{});
      return;
    case WM_LBUTTONUP: {
      DefaultHandler(Message);
      if (FControlStyle.Contains(CS::csCaptureMouse)) SetMouseCapture(false);
      bool clicked = FControlState.Contains(TControlStateItem::csClicked);
      FControlState.Exclude(TControlStateItem::csClicked);
      TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
      // Mouse-up may free the control from its click handler: fire the up
      // event first, then the click.
      DoMouseUp(Message, TMouseButton::mbLeft);
      if (clicked && ClientRect().Contains(p)) Click();
      return;
    }
    case WM_RBUTTONUP:
      DefaultHandler(Message);
      DoMouseUp(Message, TMouseButton::mbRight);
      return;
    case WM_MBUTTONUP:
      DefaultHandler(Message);
      DoMouseUp(Message, TMouseButton::mbMiddle);
      return;
    case WM_MOUSEMOVE:
      DefaultHandler(Message);
      MouseMove(MouseKeysToShiftState(Message.WParam), GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
      return;
    case WM_CONTEXTMENU:
      if (auto* menu = dynamic_cast<TPopupMenu*>(FPopupMenu); menu && menu->AutoPopup()) {
        TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        if (p.x == -1 && p.y == -1) p = ClientToScreen(TPoint(0, 0));
        menu->SetPopupComponent(this);
        menu->Popup(p.x, p.y);
        Message.Result = 1;
        return;
      }
      DefaultHandler(Message);
      return;
    case CM_MOUSEENTER:
      if (OnMouseEnter) OnMouseEnter(this);
      return;
    case CM_MOUSELEAVE:
      if (OnMouseLeave) OnMouseLeave(this);
      return;
    case CM_VISIBLECHANGED:
      InvalidateControl(true, FVisible && FControlStyle.Contains(CS::csOpaque));
      return;
    case CM_ENABLEDCHANGED:
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
      Invalidate();
      return;
    case CM_TEXTCHANGED:
      TextChanged();
      Invalidate();
      return;
    case CM_PARENTFONTCHANGED:
      if (FParentFont && FParent) {
        TControl* saved = gTakingParentFont;
        gTakingParentFont = this;
        FFont->Assign(FParent->Font());
        gTakingParentFont = saved;
        FParentFont = true;
      }
      return;
    case CM_PARENTCOLORCHANGED:
      if (FParentColor && FParent) {
        FColor = FParent->Color();
        Perform(CM_COLORCHANGED);
        FParentColor = true;
      }
      return;
    case CM_PARENTBIDIMODECHANGED:
      if (FParentBiDiMode && FParent) {
        SetBiDiMode(FParent->BiDiMode());
        FParentBiDiMode = true;
      }
      return;
    case CM_BIDIMODECHANGED:
      if (auto* w = dynamic_cast<TWinControl*>(this)) {
        TMessage m{CM_PARENTBIDIMODECHANGED, 0, 0, 0};
        for (int i = 0; i < w->ControlCount(); ++i) w->Controls(i)->WindowProc(m);
      }
      Invalidate();
      return;
    default:
      TComponent::Dispatch(Message);
  }
}

void TControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETTEXT: {
      auto* buf = reinterpret_cast<wchar_t*>(Message.LParam);
      size_t cap = static_cast<size_t>(Message.WParam);
      if (!buf || cap == 0) {
        Message.Result = 0;
        return;
      }
      size_t n = Min(FText.size(), cap - 1);
      FText.copy(buf, n);
      buf[n] = 0;
      Message.Result = static_cast<LRESULT>(n);
      return;
    }
    case WM_GETTEXTLENGTH:
      Message.Result = static_cast<LRESULT>(FText.size());
      return;
    case WM_SETTEXT:
      FText = Message.LParam ? reinterpret_cast<const wchar_t*>(Message.LParam) : L"";
      Message.Result = 1;
      return;
    default:
      break;
  }
}
