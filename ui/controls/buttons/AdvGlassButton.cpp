#include "ui/controls/buttons/AdvGlassButton.h"

#include <windowsx.h>

#include <memory>

#include "base/Forms.h"
#include "ui/draw/GdipPicture.h"

using namespace GlassButton;


TAdvCustomGlassButton::TAdvCustomGlassButton(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(FLeft, FTop, 100, 32);
  SetParentFont(true);
  Font()->SetName(L"Tahoma");
  SetShowHint(false);
  SetTabStop(true);
  FIPictureDown = new TGDIPPicture;
  FIPictureDisabled = new TGDIPPicture;
  FIPictureDisabled->OnChange = [this](TObject*) { Invalidate(); };
  FIPicture = new TGDIPPicture;
  FIPicture->OnChange = [this](TObject*) { Invalidate(); };
  FOfficeHint = new TAdvHintInfo;
  FUnHotTimer = new TTimer(this);
  FUnHotTimer->SetEnabled(false);
  FUnHotTimer->SetInterval(1);
  FUnHotTimer->SetOnTimer([this](TObject* s) { UnHotTimerTick(s); });
}

void TAdvCustomGlassButton::Destroy() {
  if (FShortCutHint) FreeAndNil(FShortCutHint);
  TCustomControl::Destroy();
}

void TAdvCustomGlassButton::Loaded() {
  TCustomControl::Loaded();
  if (FInitialDown != FDown) SetDown(FInitialDown);
  if (!OnDblClick) FControlStyle.Exclude(TControlStyleItem::csDoubleClicks);
}

void TAdvCustomGlassButton::Click() { TCustomControl::Click(); }

// ---------------------------------------------------------------------------
// Setters

#define GLASS_SETTER(Type, Name)                     \
  void TAdvCustomGlassButton::Set##Name(Type Value) { \
    if (F##Name == Value) return;                   \
    F##Name = Value;                                \
    Invalidate();                                   \
  }
GLASS_SETTER(TAntiAlias, AntiAlias)
GLASS_SETTER(TColor, BackColor)
GLASS_SETTER(TColor, BackgroundColor)
GLASS_SETTER(TBackGroundSymbol, BackGroundSymbol)
GLASS_SETTER(TColor, BackGroundSymbolColor)
GLASS_SETTER(TButtonDirection, ButtonDirection)
GLASS_SETTER(TButtonShape, ButtonShape)
GLASS_SETTER(TColor, ForeColor)
GLASS_SETTER(bool, ForceTransparent)
GLASS_SETTER(TColor, GlowColor)
GLASS_SETTER(TColor, InnerBorderColor)
GLASS_SETTER(TButtonLayout, Layout)
GLASS_SETTER(TColor, OuterBorderColor)
GLASS_SETTER(TColor, ShineColor)
GLASS_SETTER(TShortCutHintPos, ShortCutHintPos)
GLASS_SETTER(bool, ShowCaption)
GLASS_SETTER(bool, ShowFocusRect)
#undef GLASS_SETTER

void TAdvCustomGlassButton::SetShortCutHint(const String& Value) {
  if (FShortCutHintText == Value) return;
  FShortCutHintText = Value;
  Invalidate();
}

void TAdvCustomGlassButton::SetCornerRadius(int Value) {
  if (Value < 0) return;
  if (IsDesigning()) Value = Min(Value, FHeight / 2);
  if (FCornerRadius == Value) return;
  FCornerRadius = Value;
  Invalidate();
}

void TAdvCustomGlassButton::SetPicture(TGDIPPicture* Value) {
  FIPicture->Assign(Value);
  Invalidate();
}

void TAdvCustomGlassButton::SetPictureDisabled(TGDIPPicture* Value) {
  FIPictureDisabled->Assign(Value);
  Invalidate();
}

void TAdvCustomGlassButton::SetAllowAllUp(bool Value) {
  if (FAllowAllUp == Value) return;
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TAdvCustomGlassButton::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  UpdateExclusive();
}

namespace {
// A glass button answers the group update of any glass button: going up
// clears its action's Checked, and it takes the sender's AllowAllUp.
const ButtonGroup::TRules kGroupRules{.UncheckAction = true, .TakeAllowAllUp = true};
}  // namespace

ButtonGroup::TMember TAdvCustomGlassButton::GroupMember() {
  return {this, FDown, FState, FAllowAllUp, FGroupIndex, FStyle == TAdvToolButtonStyle::tasCheck};
}

void TAdvCustomGlassButton::SetDown(bool Value) {
  if (IsLoading()) FInitialDown = Value;
  if (ButtonGroup::SetDown(GroupMember(), Value)) UpdateExclusive();
}

void TAdvCustomGlassButton::UpdateExclusive() { ButtonGroup::UpdateExclusive(GroupMember()); }

void TAdvCustomGlassButton::ButtonPressed(TMessage& Message) {
  if (auto* sender = dynamic_cast<TAdvCustomGlassButton*>(ButtonGroup::Sender(Message)))
    ButtonGroup::ButtonPressed(GroupMember(), Message, sender->GroupMember(), kGroupRules);
}

// ---------------------------------------------------------------------------
// Painting

void TAdvCustomGlassButton::PaintParentBackground(HDC DC) {
  if (!FParent) return;
  int saved = SaveDC(DC);
  TRect r = ClientRect();
  IntersectClipRect(DC, 0, 0, r.Width(), r.Height());
  OffsetWindowOrgEx(DC, FLeft, FTop, nullptr);
  FParent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
  // A parent that paints itself paints its graphic children too.
  if (dynamic_cast<TCustomControl*>(FParent))
    FParent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
  else
    TWinCtrl::PaintCtrls(FParent, DC, nullptr);
  RestoreDC(DC, saved);
}

void TAdvCustomGlassButton::ComposeSiblings(TCanvas* ACanvas) {
  if (!FForceTransparent || !FParent) return;
  TRect mine = BoundsRect();
  for (int i = 0; i < FParent->ControlCount(); ++i) {
    auto* other = dynamic_cast<TAdvCustomGlassButton*>(FParent->Controls(i));
    if (!other || other == this || !other->Visible()) continue;
    TRect theirs = other->BoundsRect();
    TRect cut;
    if (!IntersectRect(&cut, &mine, &theirs)) continue;
    TBitmap bmp(theirs.Width(), theirs.Height());
    // The overlapped part of this button, at the sibling's coordinates.
    int sx = cut.left - mine.left, sy = cut.top - mine.top;
    int dx = cut.left - theirs.left, dy = cut.top - theirs.top;
    BitBlt(bmp.Canvas()->Handle(), dx, dy, cut.Width(), cut.Height(), ACanvas->Handle(), sx, sy, SRCCOPY);
    other->DrawButton(bmp.Canvas());
    BitBlt(ACanvas->Handle(), sx, sy, cut.Width(), cut.Height(), bmp.Canvas()->Handle(), dx, dy, SRCCOPY);
  }
}

void TAdvCustomGlassButton::Paint() {
  ButtonGroup::PaintState(GroupMember(), FDragging);
  PaintParentBackground(Canvas()->Handle());
  ComposeSiblings(Canvas());
  DrawButton(Canvas());
}

void TAdvCustomGlassButton::DrawButton(TCanvas* ACanvas) {
  TGDIPPicture* pic = FIPicture;
  if (!Enabled() && !FIPictureDisabled->Empty())
    pic = FIPictureDisabled;
  else if (!FIPictureDown->Empty() && (FDown || (FMouseDownInControl && FMouseInControl)))
    pic = FIPictureDown;
  {
    TGPGraphics g(ACanvas->Handle());
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    PaintGlassShape(&g);
  }
  bool focus = HandleAllocated() && GetFocus() == FHandle && FShowFocusRect;
  DrawGlassButtonContent(ACanvas, ClientRect(), Caption(), FShowCaption, Font(), FLayout, Enabled(), focus, pic,
                         FAntiAlias, FCornerRadius, FButtonShape, FButtonDirection);
}

void TAdvCustomGlassButton::PaintGlassShape(TGPGraphics* Graphics) {
  TRect client = ClientRect();
  int W = client.Width(), H = client.Height();
  TGPRect outer{0, 0, W - 1, H - 1};
  if (FButtonShape == TButtonShape::btsRectangle) {
    DrawRoundRect(Graphics, outer, FCornerRadius, FOuterBorderColor);
  } else {
    DrawCurvedRect(Graphics, outer, FButtonDirection, FOuterBorderColor);
  }
  TGPRect inner{1, 1, W - 3, H - 3};
  std::unique_ptr<TGPGraphicsPath> shape(FButtonShape == TButtonShape::btsRectangle
                                             ? CreateRoundRectPath(inner, FCornerRadius)
                                             : CreateCurvedRectPath(inner, FButtonDirection));
  if (FBackgroundColor != clNone) {
    TGPSolidBrush b(AlphaColor(FBackgroundColor, 255));
    Graphics->FillPath(&b, shape.get());
  }
  {
    TGPSolidBrush b(AlphaColor(FBackColor, 127));
    Graphics->FillPath(&b, shape.get());
  }
  if (FMouseDownInControl || FDown || FState == TAdvButtonState::absDown || FState == TAdvButtonState::absExclusive) {
    Graphics->SetClip(shape.get());
    std::unique_ptr<TGPGraphicsPath> glow(CreateGlowPath(1, 1, W - 3, H - 3));
    TGPPathGradientBrush brush(glow.get());
    brush.SetCenterColor(AlphaColor(FGlowColor, 173));
    ARGB surround = AlphaColor(FGlowColor, 0);
    int n = 1;
    brush.SetSurroundColors(&surround, n);
    Graphics->FillPath(&brush, glow.get());
    Graphics->ResetClip();
  }
  int d0 = (H - 3) / 2;
  if (W - 3 > 0 && d0 > 0) {
    TGPRect shineRect{1, 1, W - 3, d0 + 1};
    std::unique_ptr<TGPGraphicsPath> shine(FButtonShape == TButtonShape::btsRectangle
                                               ? CreateTopRoundRectPath(shineRect, FCornerRadius)
                                               : CreateCurvedShinePath(shineRect, FButtonDirection));
    TGPLinearGradientBrush brush(TGPRectF{1, 1, float(W - 4), float(d0 + 1)}, AlphaColor(FShineColor, 153),
                                 AlphaColor(FShineColor, 153 / 3), LinearGradientModeVertical);
    Graphics->FillPath(&brush, shine.get());
  }
  if (FBackGroundSymbolColor != clNone && FBackGroundSymbol != TBackGroundSymbol::bsNone) {
    if (FBackGroundSymbol == TBackGroundSymbol::bsCustom)
      DoCustomBackgroundSymbol(Graphics, TRect(0, 0, W - 1, H - 1));
    else
      DrawBackgroundSymbol(Graphics, FBackGroundSymbol, W, H, FBackGroundSymbolColor);
  }
  TGPPen pen(OpaqueArgbFromColor(FInnerBorderColor), 1.0f);
  Graphics->DrawPath(&pen, shape.get());
}

void TAdvCustomGlassButton::DoCustomBackgroundSymbol(TGPGraphics* AGraphics, const TRect& ARect) {
  if (OnCustomBackgroundSymbol) OnCustomBackgroundSymbol(this, ARect, AGraphics);
}

// ---------------------------------------------------------------------------
// Mouse

void TAdvCustomGlassButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button != TMouseButton::mbLeft || IsDesigning() || !Enabled()) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    return;
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
  FMouseDownInControl = true;
  if (!FDown) {
    FState = TAdvButtonState::absDown;
    Invalidate();
  }
  if (FStyle == TAdvToolButtonStyle::tasCheck) {
    FState = TAdvButtonState::absDown;
    Repaint();
  }
  if (FTabStop && CanFocus()) SetFocus();
  FDragging = true;
}

void TAdvCustomGlassButton::TrackPointer() {
  bool over = Screen && FindDragTarget(Screen->CursorPos(), true) == this;
  if (over)
    MouseEnter();
  else
    MouseLeave();
}

void TAdvCustomGlassButton::MouseMove(TShiftState Shift, int X, int Y) {
  if (IsDesigning()) return;
  TCustomControl::MouseMove(Shift, X, Y);
  if (FDragging) {
    ButtonGroup::TrackPress(GroupMember(), X, Y);
  } else if (!FMouseInControl) {
    TrackPointer();
  }
}

void TAdvCustomGlassButton::LButtonUp(TMessage& Message) {
  if (IsDesigning()) {
    TCustomControl::Dispatch(Message);
    return;
  }
  int X = GET_X_LPARAM(Message.LParam), Y = GET_Y_LPARAM(Message.LParam);
  FMouseDownInControl = false;
  Invalidate();
  if (FDragging) {
    FDragging = false;
    bool inside = ButtonGroup::Inside(GroupMember(), X, Y);
    if (FGroupIndex != 0) {
      ButtonGroup::ReleaseInGroup(GroupMember(), inside, [this](bool Value) { SetDown(Value); });
    } else {
      FState = TAdvButtonState::absUp;
      FMouseInControl = false;
      // Like the click, only a release inside toggles a check button.
      if (FStyle == TAdvToolButtonStyle::tasCheck && inside) {
        SetDown(!FDown);
        FState = TAdvButtonState::absUp;
      }
      if (inside && FState != TAdvButtonState::absDown && FState != TAdvButtonState::absExclusive) Invalidate();
    }
    if (!FMouseInControl) TrackPointer();
  }
  TCustomControl::Dispatch(Message);
  Invalidate();
}

void TAdvCustomGlassButton::MouseEnter() {
  if (IsDesigning() || FMouseInControl) return;
  FMouseInControl = true;
  FUnHotTimer->SetEnabled(true);
  if (OnMouseEnter) OnMouseEnter(this);
}

void TAdvCustomGlassButton::MouseLeave() {
  if (IsDesigning()) return;
  FUnHotTimer->SetEnabled(false);
  bool was = FMouseInControl;
  FMouseInControl = false;
  if (was && OnMouseLeave) OnMouseLeave(this);
}

void TAdvCustomGlassButton::UnHotTimerTick(TObject*) {
  if (!Screen || !HandleAllocated()) return;
  TPoint p = ScreenToClient(Screen->CursorPos());
  if (!ClientRect().Contains(p)) {
    FUnHotTimer->SetEnabled(false);
    FMouseInControl = false;
    if (Enabled()) Invalidate();
  }
}

// ---------------------------------------------------------------------------
// Keyboard, hints and messages

void TAdvCustomGlassButton::KeyPress(wchar_t& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == L' ') KeyClick();
}

// A key press of the button does what a release inside does: a group
// member or a check button toggles Down (by the Down rules), then clicks.
void TAdvCustomGlassButton::KeyClick() {
  if (FGroupIndex != 0 || FStyle == TAdvToolButtonStyle::tasCheck) SetDown(!FDown);
  Click();
}

void TAdvCustomGlassButton::ShowShortCutHint() {
  if (!FParent) return;
  if (!FShortCutHint) {
    FShortCutHint = new TShortCutHintWindow(this);
    FShortCutHint->SetParentWindow(FParent->Handle());
    FShortCutHint->HandleNeeded();
    FShortCutHint->SetVisible(false);
  }
  FShortCutHint->SetText(FShortCutHintText);
  TPoint o = ClientToScreen(TPoint(0, 0));
  int w = FShortCutHint->Width(), h = FShortCutHint->Height();
  int left = FShortCutHint->Left(), top = FShortCutHint->Top();
  using P = TShortCutHintPos;
  switch (FShortCutHintPos) {
    case P::shpLeft: left = o.x - w / 2; top = o.y + (FHeight - h) / 2; break;
    case P::shpTop: left = o.x + (FWidth - w) / 2; top = o.y - h / 2; break;
    case P::shpRight: left = o.x + FWidth - w / 2; top = o.y + (FHeight - h) / 2; break;
    case P::shpBottom: left = o.x + (FWidth - w) / 2; top = o.y + FHeight - h / 2; break;
    default: break;  // left where it was
  }
  FShortCutHint->SetBounds(left, top, w, h);
  FShortCutHint->SetVisible(true);
}

void TAdvCustomGlassButton::HideShortCutHint() {
  if (!FShortCutHint) return;
  FShortCutHint->SetVisible(false);
  FreeAndNil(FShortCutHint);
}

void TAdvCustomGlassButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONUP:
      LButtonUp(Message);
      return;
    case CM_MOUSEENTER:
      MouseEnter();
      return;
    case CM_MOUSELEAVE:
      MouseLeave();
      return;
    case CM_BUTTONPRESSED:
      ButtonPressed(Message);
      return;
    case CM_DIALOGCHAR:
      if (GlowButton::IsAccel(static_cast<wchar_t>(Message.WParam), Caption()) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
      }
      break;
    case CM_DIALOGKEY: {
      TShiftState s = KeyboardStateToShiftState();
      bool mods = s.Contains(TShiftStateItem::ssShift) || s.Contains(TShiftStateItem::ssCtrl) ||
                  s.Contains(TShiftStateItem::ssAlt);
      if (Message.WParam == VK_RETURN && !mods && FActive && CanFocus()) {
        KeyClick();
        Message.Result = 1;
        return;
      }
      break;
    }
    case CM_FOCUSCHANGED:
      FActive = reinterpret_cast<TWinControl*>(Message.LParam) == this;
      break;
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == 0) Click();
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CM_ENABLEDCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
      TCustomControl::Dispatch(Message);
      Invalidate();
      return;
    case CM_HINTSHOW:
      // With WParam 1 the request doubles as a command: LParam 1 shows the
      // key tip, 0 hides it.
      if (Message.WParam == 1) {
        if (Message.LParam == 0)
          HideShortCutHint();
        else if (Message.LParam == 1)
          ShowShortCutHint();
        TCustomControl::Dispatch(Message);
        Message.Result = 1;
        return;
      }
      break;
    case WM_ERASEBKGND:
      TCustomControl::Dispatch(Message);
      Message.Result = 1;
      return;
    default:
      break;
  }
  TCustomControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------
// Actions

TAdvGlassButtonActionLink::TAdvGlassButtonActionLink(TObject* AClient)
    : TControlActionLink(AClient), FClient(dynamic_cast<TAdvCustomGlassButton*>(AClient)) {}

bool TAdvGlassButtonActionLink::IsCheckedLinked() {
  auto* a = CustomAction();
  return TControlActionLink::IsCheckedLinked() && a && FClient && a->Checked() == FClient->Down();
}

bool TAdvGlassButtonActionLink::IsGroupIndexLinked() {
  auto* a = CustomAction();
  return a && FClient && a->GroupIndex() == FClient->GroupIndex();
}

void TAdvGlassButtonActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) FClient->SetDown(Value);
}

void TAdvGlassButtonActionLink::SetGroupIndex(int Value) {
  if (IsGroupIndexLinked()) FClient->SetGroupIndex(Value);
}

namespace {
TControlActionLink* NewGlassButtonActionLink(TObject* AClient) { return new TAdvGlassButtonActionLink(AClient); }
}  // namespace

TControlActionLinkClass TAdvCustomGlassButton::GetActionLinkClass() { return &NewGlassButtonActionLink; }

void TAdvCustomGlassButton::ActionChange(TObject* Sender, bool CheckDefaults) {
  TCustomControl::ActionChange(Sender, CheckDefaults);
  if (auto* a = dynamic_cast<TCustomAction*>(Sender))
    if (CheckDefaults || FGroupIndex == 0) SetGroupIndex(a->GroupIndex());
}
