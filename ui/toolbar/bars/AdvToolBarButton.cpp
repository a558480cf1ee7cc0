#include "ui/toolbar/bars/AdvToolBarButton.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "base/Forms.h"
#include "base/Hints.h"
#include "ui/toolbar/bars/AdvDockPanel.h"
#include "ui/toolbar/bars/OptionSelectorWindow.h"
#include "ui/toolbar/bars/ToolBarPaint.h"

// ---------------------------------------------------------------------------
// The control base

TAdvCustomToolBarControl::TAdvCustomToolBarControl(TComponent* AOwner) : TGraphicControl(AOwner) {}

void TAdvCustomToolBarControl::SetAdvToolBar(TAdvCustomToolBar* Value) {
  if (Value == FAdvToolBar) return;
  if (FAdvToolBar) FAdvToolBar->RemoveItem(this);
  SetParent(Value);
  if (Value && !Value->IsListed(this)) Value->InsertItem(this);
  if (Value && FAdvToolBar != Value) throw Exception(L"AdvToolBar not set");
}

void TAdvCustomToolBarControl::SetParent(TWinControl* AParent) {
  TGraphicControl::SetParent(AParent);
  if (IsClass(AParent, L"TAdvToolBarContainer"))
    FAdvToolBar = dynamic_cast<TAdvCustomToolBar*>(AParent->Parent());
}

void TAdvCustomToolBarControl::SetPosition(TDockAlign Value) {
  if (FPosition == Value) return;
  FPosition = Value;
  AdjustSize();
  Invalidate();
}

void TAdvCustomToolBarControl::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  if (Value) AdjustSize();
}

// ---------------------------------------------------------------------------
// Menu buttons

TAdvToolBarMenuButton::TAdvToolBarMenuButton(TComponent* AOwner) : TAdvCustomToolBarButton(AOwner) {
  SetParentStyler(true);
}

TAdvGlowMenuButton::TAdvGlowMenuButton(TComponent* AOwner) : TAdvCustomGlowButton(AOwner) {
  SetDropDownButton(true);
  SetWidth(32);
}

// ---------------------------------------------------------------------------
// Separator

TAdvToolBarSeparator::TAdvToolBarSeparator(TComponent* AOwner) : TAdvCustomToolBarControl(AOwner) {
  FWidth = 10;
  FHeight = 22;
}

void TAdvToolBarSeparator::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TAdvToolBarSeparator*>(Source)) {
    SetSeparatorStyle(s->FSeparatorStyle);
    SetLineColor(s->FLineColor);
    return;
  }
  TAdvCustomToolBarControl::Assign(Source);
}

void TAdvToolBarSeparator::AdjustSize() {
  if (!FAutoSize) return;
  TAdvCustomToolBar* t = FAdvToolBar;
  if (IsHorizontal(FPosition)) {
    int h = FHeight;
    if (t && t->AutoPositionControls())
      h = PageOf(t) ? t->Height() - t->CaptionHeight() - 4 : t->Height() - 4;
    SetBounds(FLeft, FTop, 10, h);
  } else {
    SetBounds(FLeft, FTop, t ? t->Width() - 4 : FWidth, 10);
  }
}

void TAdvToolBarSeparator::SetSeparatorStyle(TAdvSeparatorStyle Value) {
  if (FSeparatorStyle == Value) return;
  FSeparatorStyle = Value;
  Invalidate();
}

void TAdvToolBarSeparator::SetLineColor(TColor Value) {
  if (FLineColor == Value) return;
  FLineColor = Value;
  Invalidate();
}

void TAdvToolBarSeparator::Paint() {
  TAdvCustomToolBarControl::Paint();
  if (FSeparatorStyle == TAdvSeparatorStyle::ssBlank) return;
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Pen()->SetWidth(1);
  c->Pen()->SetStyle(TPenStyle::psSolid);
  if (IsHorizontal(FPosition)) {
    int x = r.left + r.Width() / 2;
    c->Pen()->SetColor(FLineColor);
    c->MoveTo(x, r.top + 3);
    c->LineTo(x, r.bottom - 3);
    c->Pen()->SetColor(clWhite);
    c->MoveTo(x + 1, r.top + 4);
    c->LineTo(x + 1, r.bottom - 2);
  } else {
    int y = r.top + r.Height() / 2;
    c->Pen()->SetColor(FLineColor);
    c->MoveTo(r.left + 3, y);
    c->LineTo(r.right - 3, y);
    c->Pen()->SetColor(clWhite);
    c->MoveTo(r.left + 4, y + 1);
    c->LineTo(r.right - 2, y + 1);
  }
}

// ---------------------------------------------------------------------------
// Draw position and action link

void TAdvToolBarButtonDrawPosition::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TAdvToolBarButtonDrawPosition*>(Source);
  if (!s) return;
  SetEnabled(s->FEnabled);
  SetTextX(s->FTextX);
  SetTextY(s->FTextY);
  SetImageX(s->FImageX);
  SetImageY(s->FImageY);
}

TAdvToolBarButtonActionLink::TAdvToolBarButtonActionLink(TObject* AClient)
    : TControlActionLink(AClient), FButton(dynamic_cast<TAdvCustomToolBarButton*>(AClient)) {}

bool TAdvToolBarButtonActionLink::IsCheckedLinked() {
  auto* a = dynamic_cast<TCustomAction*>(Action());
  return TControlActionLink::IsCheckedLinked() && FButton && a && a->Checked() == FButton->Down();
}

bool TAdvToolBarButtonActionLink::IsGroupIndexLinked() {
  auto* a = dynamic_cast<TCustomAction*>(Action());
  return FButton && a && a->GroupIndex() == FButton->GroupIndex();
}

void TAdvToolBarButtonActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) FButton->SetDown(Value);
}

void TAdvToolBarButtonActionLink::SetGroupIndex(int Value) {
  if (IsGroupIndexLinked()) FButton->SetGroupIndex(Value);
}

// ---------------------------------------------------------------------------
// The button

TAdvCustomToolBarButton::TAdvCustomToolBarButton(TComponent* AOwner)
    : TAdvCustomToolBarControl(AOwner),
      FGlyph(new TBitmap),
      FGlyphDisabled(new TBitmap),
      FGlyphHot(new TBitmap),
      FGlyphDown(new TBitmap),
      FGlyphChecked(new TBitmap),
      FGlyphShade(new TBitmap),
      FAppearance(new AdvToolBar::TButtonAppearance),
      FPicture(new TPicture),
      FPictureDisabled(new TPicture),
      FUnHotTimer(new TTimer(nullptr)),
      FDrawPosition(new TAdvToolBarButtonDrawPosition),
      FOfficeHint(new TAdvHintInfo) {
  FPosition = TDockAlign::daTop;
  FGlyph->OnChange = [this](TObject*) { GlyphChanged(); };
  FDrawPosition->OnChange = [this](TObject*) { Invalidate(); };
  FLeft = 0;
  FTop = 0;
  FWidth = 23;
  FHeight = 22;
  FControlStyle = {TControlStyleItem::csCaptureMouse, TControlStyleItem::csDoubleClicks};
  SetParentFont(true);
  FAppearance->OnChange = [this](TObject*) { Invalidate(); };
  FAutoSize = true;
  if (IsDesigning() && !(Owner() && Owner()->IsLoading())) Font()->SetName(L"Tahoma");
  FPicture->OnChange = [this](TObject*) {
    AdjustSize();
    Invalidate();
  };
  FPictureDisabled->OnChange = [this](TObject*) {
    AdjustSize();
    Invalidate();
  };
  FUnHotTimer->SetInterval(1);
  FUnHotTimer->SetEnabled(false);
  FUnHotTimer->SetOnTimer([this](TObject* Sender) { UnHotTimerTick(Sender); });
}

void TAdvCustomToolBarButton::Destroy() {
  FUnHotTimer->SetEnabled(false);
  if (FAdvToolBar && FAdvToolBar->FHotButton == this) FAdvToolBar->FHotButton = nullptr;
  TAdvCustomToolBarControl::Destroy();
}

void TAdvCustomToolBarButton::GlyphChanged() {
  AdjustSize();
  Invalidate();
}

void TAdvCustomToolBarButton::Loaded() {
  TAdvCustomToolBarControl::Loaded();
  if (FInitialDown != FDown) SetDown(FInitialDown);
  if (FShaded) GenerateShade();
  AdjustSize();
}

void TAdvCustomToolBarButton::Notification(TComponent* AComponent, TOperation Operation) {
  TAdvCustomToolBarControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove || IsDestroying()) return;
  if (AComponent == FDropDownMenu) FDropDownMenu = nullptr;
  if (AComponent == FMenuItem) SetMenuItem(nullptr);
  if ((FAdvToolBar && AComponent == FAdvToolBar->Images()) ||
      (FAdvQuickAccessToolBar && AComponent == FAdvQuickAccessToolBar->QATImages()))
    FImageIndex = -1;
}

TCustomAdvToolBarStyler* TAdvCustomToolBarButton::CurrentStyler() const {
  if (FAdvToolBar) return FAdvToolBar->CurrentToolBarStyler();
  if (FAdvQuickAccessToolBar) return FAdvQuickAccessToolBar->QATStyler();
  return nullptr;
}

TCustomImageList* TAdvCustomToolBarButton::OwnerImages() const {
  if (FAdvToolBar) return FAdvToolBar->Images();
  if (FAdvQuickAccessToolBar) return FAdvQuickAccessToolBar->QATImages();
  return nullptr;
}

TCustomImageList* TAdvCustomToolBarButton::OwnerDisabledImages() const {
  if (FAdvToolBar) return FAdvToolBar->DisabledImages();
  if (FAdvQuickAccessToolBar) return FAdvQuickAccessToolBar->QATDisabledImages();
  return nullptr;
}

void TAdvCustomToolBarButton::ImagesAndIndex(TCustomImageList*& List, int& Index) const {
  List = OwnerImages();
  Index = FImageIndex;
  auto* a = dynamic_cast<TCustomAction*>(Action());
  if (a && a->ActionList() && a->ActionList()->Images()) {
    List = a->ActionList()->Images();
    Index = a->ImageIndex();
  }
  if (FForceImageIndex && FImageIndex >= 0) {
    List = OwnerImages();
    Index = FImageIndex;
  }
}

bool TAdvCustomToolBarButton::IsRotated() const { return !IsHorizontal(FPosition) && FCanRotate; }

bool TAdvCustomToolBarButton::InGlassMode() const { return FAdvQuickAccessToolBar && FAdvQuickAccessToolBar->QATGlass(); }

TFont* TAdvCustomToolBarButton::MeasuringFont() {
  TCustomAdvToolBarStyler* s = CurrentStyler();
  if (FParentStyler && s && s->CurrentAdvMenuStyler()) {
    if (IsMenuButton()) return s->CurrentAdvMenuStyler()->RootItem()->Font();
    return s->ButtonAppearance()->CaptionFont();
  }
  return Font();
}

void TAdvCustomToolBarButton::Click() {
  if (FAdvToolBar) FAdvToolBar->HideOptionWindow();
  if (FAdvQuickAccessToolBar) FAdvQuickAccessToolBar->QATHideOverflow();
  TAdvCustomToolBar* t = FAdvToolBar;
  TAdvCustomToolBarControl::Click();
  if (t && !t->IsDestroying() && t->IsListed(this)) {
    t->MoveToFront(this);
    t->PositionControls(false);
    t->UpdateOverflow();
  }
}

// ---------------------------------------------------------------------------
// Menus

void TAdvCustomToolBarButton::DoDropDown() {
  if (!IsMenuButton()) return;
  FState = TAdvButtonState::absDropDown;
  Invalidate();
  CheckMenuDropdown();
}

bool TAdvCustomToolBarButton::CheckMenuDropdown() {
  // The toolbar tracks the menus of its buttons.
  return FAdvToolBar && FAdvToolBar->DropButtonMenu(this);
}

void TAdvCustomToolBarButton::SetMenuItem(TMenuItem* Value) {
  if (!Value) {
    FMenuItem = nullptr;
    return;
  }
  if (Value != FMenuItem) Value->FreeNotification(this);
  SetAction(Value->Action());
  SetCaption(Value->Caption());
  SetDown(Value->Checked());
  SetEnabled(Value->Enabled());
  SetHint(Value->Hint());
  SetImageIndex(Value->ImageIndex());
  SetVisible(Value->Visible());
  FMenuItem = Value;
}

void TAdvCustomToolBarButton::ResetState() {
  FMouseDownInControl = false;
  FMouseInControl = false;
  FHot = false;
  FState = TAdvButtonState::absUp;
  Invalidate();
}

int TAdvCustomToolBarButton::VisibleMenuItemCount() {
  TMenuItem* root = FDropDownMenu ? FDropDownMenu->Items() : FMenuItem;
  if (!root) return 0;
  int n = 0;
  for (int i = 0; i < root->Count(); ++i)
    if (root->Items(i)->Visible()) ++n;
  return n;
}

int TAdvCustomToolBarButton::GetIndex() { return FAdvToolBar ? FAdvToolBar->IndexOfToolBarControl(this) : -1; }

// ---------------------------------------------------------------------------
// Hot state and tracking

void TAdvCustomToolBarButton::SetHot(bool Value) {
  bool old = FPropHot;
  FPropHot = Value && FState == TAdvButtonState::absUp;
  if (FAdvToolBar) {
    if (FPropHot) {
      TAdvCustomToolBarButton* prev = FAdvToolBar->FHotButton;
      FAdvToolBar->FHotButton = this;
      if (prev && prev != this) prev->SetHot(false);
    } else if (FAdvToolBar->FHotButton == this) {
      FAdvToolBar->FHotButton = nullptr;
    }
  } else if (!FAdvQuickAccessToolBar) {
    FPropHot = false;
  }
  if (old != FPropHot) Invalidate();
}

bool TAdvCustomToolBarButton::ToolBarMenuFocused() const {
  return FAdvToolBar && FAdvToolBar->FInMenuLoop && FAdvToolBar->FMenuFocused;
}

void TAdvCustomToolBarButton::MouseEnter() {
  if (IsDesigning()) return;
  FMouseInControl = true;
  if (FEnabled) {
    if (FAdvToolBar || FAdvQuickAccessToolBar) SetHot(true);
    Invalidate();
  }
  FUnHotTimer->SetEnabled(true);
  if (OnMouseEnter) OnMouseEnter(this);
}

void TAdvCustomToolBarButton::MouseLeave() {
  if (IsDesigning()) return;
  FUnHotTimer->SetEnabled(false);
  FMouseInControl = false;
  FHot = false;
  if (FAdvToolBar ? !ToolBarMenuFocused() : FAdvQuickAccessToolBar != nullptr) SetHot(false);
  if (FEnabled) Invalidate();
  if (OnMouseLeave) OnMouseLeave(this);
}

void TAdvCustomToolBarButton::UnHotTimerTick(TObject*) {
  if (!FParent || !FParent->HandleAllocated()) return;
  POINT pt;
  GetCursorPos(&pt);
  TPoint p = ScreenToClient(TPoint(pt));
  if (ClientRect().Contains(p)) return;
  if (IsMenuButton() && FDropDownButton && FMenuSel && (FDropDownMenu || FMenuItem)) return;
  FUnHotTimer->SetEnabled(false);
  FMouseInControl = false;
  FHot = false;
  if (FAdvToolBar ? !ToolBarMenuFocused() : FAdvQuickAccessToolBar != nullptr) SetHot(false);
  if (FEnabled) Invalidate();
}

void TAdvCustomToolBarButton::UpdateTracking() {
  if (!FFlat || !FEnabled) return;
  POINT pt;
  GetCursorPos(&pt);
  if (FindDragTarget(TPoint(pt), true) == this)
    Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
  else
    Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
}

// ---------------------------------------------------------------------------
// Down and groups

ButtonGroup::TMember TAdvCustomToolBarButton::GroupMember() {
  return {this, FDown, FState, FAllowAllUp, FGroupIndex, FStyle == TAdvToolButtonStyle::tasCheck};
}

void TAdvCustomToolBarButton::SetDown(bool Value) {
  if (IsLoading()) FInitialDown = Value;
  if (ButtonGroup::SetDown(GroupMember(), Value)) UpdateExclusive();
}

void TAdvCustomToolBarButton::SetAllowAllUp(bool Value) {
  if (FAllowAllUp == Value) return;
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TAdvCustomToolBarButton::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  UpdateExclusive();
}

void TAdvCustomToolBarButton::UpdateExclusive() {
  // The group's members that lie elsewhere too: the toolbar's own items
  // around a container, else the pop-up of its hidden items, or the quick
  // access toolbar's.
  TWinControl* also = nullptr;
  if (FAdvToolBar && FParent != FAdvToolBar)
    also = FAdvToolBar;
  else if (FAdvToolBar && FAdvToolBar->FOptionWindow)
    also = FAdvToolBar->FOptionWindow;
  else if (FAdvQuickAccessToolBar)
    also = FAdvQuickAccessToolBar->QATControl();
  ButtonGroup::UpdateExclusive(GroupMember(), {also});
}

void TAdvCustomToolBarButton::ButtonPressed(TMessage& Message) {
  static const ButtonGroup::TRules rules{.UncheckAction = true, .TakeAllowAllUp = true};
  if (auto* sender = dynamic_cast<TAdvCustomToolBarButton*>(ButtonGroup::Sender(Message)))
    ButtonGroup::ButtonPressed(GroupMember(), Message, sender->GroupMember(), rules);
}

// ---------------------------------------------------------------------------
// Mouse

void TAdvCustomToolBarButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TAdvCustomToolBarControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft || !FEnabled || IsDesigning()) return;
  FMouseDownInControl = true;
  bool dropZone = IsHorizontal(FPosition) || !FCanRotate ? X > FWidth - 14 : Y > FHeight - 14;
  if (IsMenuButton() && !FDropDownButton && (FDropDownMenu || FMenuItem)) {
    Invalidate();
    if ((!FMenuBeingClosed && !FMenuDisplayed) || FInternalClick) {
      bool keep = FMenuItem && FMenuItem->Count() == 0;
      if (!keep) FInternalClick = false;
      DoDropDown();
      FInternalClick = false;
    } else if (FMenuBeingClosed) {
      FMenuBeingClosed = false;
    }
    return;
  }
  if (!FDropDownButton || (FDropDownSplit && !dropZone)) {
    if (FState != TAdvButtonState::absDown) {
      FState = TAdvButtonState::absDown;
      Invalidate();
    }
    if (FStyle == TAdvToolButtonStyle::tasCheck) {
      FState = TAdvButtonState::absDown;
      Repaint();
    }
    FDragging = true;
    return;
  }
  FState = TAdvButtonState::absUp;
  FMouseInControl = false;
  FMouseDownInControl = false;
  Invalidate();
  if (OnDropDown) OnDropDown(this);
  if (FDropDownMenu) PopupDropDown();
}

void TAdvCustomToolBarButton::PopupDropDown() {
  if (FStyle == TAdvToolButtonStyle::tasButton) FDown = false;
  FHot = false;
  FMenuSel = true;
  Repaint();
  if (TCustomAdvToolBarStyler* s = CurrentStyler()) FDropDownMenu->SetMenuStyler(s->CurrentAdvMenuStyler());
  TPoint p = ClientToScreen(TPoint(0, FHeight));
  FDropDownMenu->Popup(p.x, p.y);
  FMenuSel = false;
  Repaint();
  Invalidate();
}

void TAdvCustomToolBarButton::MouseMove(TShiftState Shift, int X, int Y) {
  TAdvCustomToolBarControl::MouseMove(Shift, X, Y);
  if (IsDesigning()) return;
  if (FDragging) {
    ButtonGroup::TrackPress(GroupMember(), X, Y);
  } else if (!FMouseInControl) {
    UpdateTracking();
  }
}

void TAdvCustomToolBarButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TAdvCustomToolBarControl::MouseUp(Button, Shift, X, Y);
  FMenuBeingClosed = false;
  FMenuDisplayed = false;
  if (IsDesigning()) return;
  FMouseDownInControl = false;
  Invalidate();
  if (IsMenuButton() && !FDropDownButton && (FDropDownMenu || FMenuItem)) return;
  if (!FDragging) return;
  FDragging = false;
  // The bottom edge counts as inside, the right edge does not.
  bool inside = ButtonGroup::Inside(GroupMember(), X, Y);
  if (FGroupIndex != 0) {
    ButtonGroup::ReleaseInGroup(GroupMember(), inside, [this](bool Value) { SetDown(Value); });
  } else {
    FState = TAdvButtonState::absUp;
    FMouseInControl = false;
    FHot = false;
    if (FStyle == TAdvToolButtonStyle::tasCheck && inside) {
      SetDown(!FDown);
      FState = TAdvButtonState::absUp;
    }
    if (inside && FState != TAdvButtonState::absDown && FState != TAdvButtonState::absExclusive) Invalidate();
  }
  UpdateTracking();
  // Last: the click may free the button.
  if (inside) Click();
}

void TAdvCustomToolBarButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
      TAdvCustomToolBarControl::Dispatch(Message);
      MouseEnter();
      return;
    case CM_MOUSELEAVE:
      TAdvCustomToolBarControl::Dispatch(Message);
      MouseLeave();
      return;
    case CM_BUTTONPRESSED:
      ButtonPressed(Message);
      return;
    case CM_TEXTCHANGED:
      TAdvCustomToolBarControl::Dispatch(Message);
      AdjustSize();
      Invalidate();
      if (IsDesigning() && !IsLoading() && !Caption().empty()) SetShowCaption(true);
      return;
    case CM_VISIBLECHANGED:
      TAdvCustomToolBarControl::Dispatch(Message);
      if (FAdvToolBar && FAdvToolBar->AutoSize()) FAdvToolBar->AutoSizeToolBar();
      if (FAdvQuickAccessToolBar) FAdvQuickAccessToolBar->QATItemsChanged();
      return;
    case CM_HINTSHOW:
      TAdvCustomToolBarControl::Dispatch(Message);
      if (!FEnabled)
        if (auto* hi = reinterpret_cast<THintInfo*>(Message.LParam)) hi->HintStr.clear();
      return;
    default:
      break;
  }
  TAdvCustomToolBarControl::Dispatch(Message);
}

TControlActionLinkClass TAdvCustomToolBarButton::GetActionLinkClass() {
  return [](TObject* AClient) -> TControlActionLink* { return new TAdvToolBarButtonActionLink(AClient); };
}

void TAdvCustomToolBarButton::ActionChange(TObject* Sender, bool CheckDefaults) {
  TAdvCustomToolBarControl::ActionChange(Sender, CheckDefaults);
  auto* a = dynamic_cast<TCustomAction*>(Sender);
  if (!a) return;
  if (CheckDefaults || FGroupIndex == 0) SetGroupIndex(a->GroupIndex());
  SetImageIndex(a->ImageIndex());
  SetDown(a->Checked());
}

// ---------------------------------------------------------------------------
// Setters

void TAdvCustomToolBarButton::SetCanRotate(bool Value) {
  if (FCanRotate == Value) return;
  FCanRotate = Value;
  AdjustSize();
  Invalidate();
}

void TAdvCustomToolBarButton::SetGlyphPosition(TToolGlyphPosition Value) {
  if (FGlyphPosition == Value) return;
  FGlyphPosition = Value;
  AdjustSize();
  Invalidate();
}

void TAdvCustomToolBarButton::SetDropDownButton(bool Value) {
  if (FDropDownButton == Value) return;
  FDropDownButton = Value;
  AdjustSize();
  Invalidate();
}

void TAdvCustomToolBarButton::SetDropDownMenu(TAdvPopupMenu* Value) {
  if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
  FDropDownMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TAdvCustomToolBarButton::SetShowCaption(bool Value) {
  FShowCaption = Value;
  AdjustSize();
  Invalidate();
}

void TAdvCustomToolBarButton::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  if (FShaded) GenerateShade();
  AdjustSize();
  Invalidate();
}

void TAdvCustomToolBarButton::SetShaded(bool Value) {
  FShaded = Value;
  if (Value && !IsLoading()) GenerateShade();
}

void TAdvCustomToolBarButton::SetParentStyler(bool Value) {
  if (FParentStyler == Value) return;
  FParentStyler = Value;
  Invalidate();
}

void TAdvCustomToolBarButton::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  Invalidate();
}

void TAdvCustomToolBarButton::SetRotateDirection(TRotateDirection Value) {
  if (FRotateDirection == Value) return;
  FRotateDirection = Value;
  Invalidate();
}

void TAdvCustomToolBarButton::SetPicture(TPicture* Value) {
  FPicture->Assign(Value);
  Invalidate();
}

void TAdvCustomToolBarButton::SetPictureDisabled(TPicture* Value) {
  FPictureDisabled->Assign(Value);
  Invalidate();
}

void TAdvCustomToolBarButton::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
  if (FGlyphDisabled->Empty() && Value && !Value->Empty()) {
    // The disabled look: each pixel a grey of half its brightness, lifted.
    TOwned<TBitmap> grey(new TBitmap);
    grey->Assign(Value);
    TCanvas* c = grey->Canvas();
    for (int y = 0; y < grey->Height(); ++y)
      for (int x = 0; x < grey->Width(); ++x) {
        TColor p = ColorToRGB(c->Pixels(x, y));
        int g = static_cast<int>(std::nearbyint((GetRValue(p) + GetGValue(p) + GetBValue(p)) / 3.0));
        int level = g / 2 + 96;
        c->SetPixels(x, y, RGB(level, level, level));
      }
    FGlyphDisabled->Assign(grey);
  }
  Invalidate();
}

// ---------------------------------------------------------------------------
// Size

void TAdvCustomToolBarButton::AdjustSize() {
  if (!FParent || !FAutoSize) return;
  TCustomImageList* images = OwnerImages();
  auto* a = dynamic_cast<TCustomAction*>(Action());
  int index = FImageIndex;
  if (a && a->ActionList() && a->ActionList()->Images()) {
    images = a->ActionList()->Images();
    index = a->ImageIndex();
  }
  int W = 0, H = 0;
  if (index >= 0 && images) {
    W = images->Width();
    H = images->Height();
  } else {
    for (TBitmap* g : {FGlyph.Get(), FGlyphHot.Get(), FGlyphDown.Get(), FGlyphChecked.Get(), FGlyphDisabled.Get()})
      if (!g->Empty()) {
        W = std::max(W, g->Width());
        H = std::max(H, g->Height());
      }
    if (FGlyph->Empty() && FGlyphHot->Empty() && FGlyphDown->Empty() && FGlyphChecked->Empty() &&
        FPicture->Graphic() && !FPicture->Graphic()->Empty()) {
      W = FPicture->Width();
      H = FPicture->Height();
    }
  }
  // Measured on a canvas of our own, so that no window is needed.
  TOwned<TBitmap> probe(new TBitmap(1, 1));
  TCanvas* c = probe->Canvas();
  c->Font()->Assign(MeasuringFont());
  int T = 0;
  String caption = Caption();
  if (FShowCaption && !caption.empty()) {
    TRect r(0, 0, 1000, 100);
    if (InGlassMode() && !FAdvQuickAccessToolBar->QATFullSize()) {
      TRect bounds;
      DrawTextEllipsis(c, TAlignment::taLeftJustify, DT_SINGLELINE, r, caption, c->Font(), true, false,
                       TAntiAlias::aaClearType, false, false, bounds);
      T = bounds.Width();
    } else {
      c->TextRect(r, caption, DT_SINGLELINE | DT_CALCRECT);
      T = r.Width();
    }
  }
  int width, height;
  if (!IsRotated()) {
    c->Font()->Assign(Font());
    int gh = c->TextHeight(L"gh");
    if (FGlyphPosition == TToolGlyphPosition::gpTop || FGlyphPosition == TToolGlyphPosition::gpBottom) {
      width = std::max(T, W) + 2 * FOffSet;
      height = H + gh + FSpacing + 2 * FOffSet;
    } else {
      width = W && T ? W + FSpacing + T : W + T;
      width += (FAdvQuickAccessToolBar ? 4 : 2) * FOffSet;
      height = std::max(H, gh) + 2 * FOffSet;
    }
    width = std::max(width, 15);
    if (FDropDownButton) width += FDropDownSectWidth;
    TAdvCustomToolBar* t = FAdvToolBar;
    bool setHeight = FAdvQuickAccessToolBar || (t && (t->AutoPositionControls() ||
                                                      t->GetToolBarState() == TToolBarState::tsFloating));
    if (FAdvQuickAccessToolBar) {
      height = std::max(height, FAdvQuickAccessToolBar->QATButtonAreaHeight() - 1);
    } else if (t && t->GetToolBarState() == TToolBarState::tsFloating) {
      if (FCanRotate) height = std::max(height, t->SizeAtDock() - 4);
    } else if (t) {
      bool captionCounts = t->ShowCaption() &&
                           (dynamic_cast<TAdvDockPanel*>(t->Parent()) || (!caption.empty() && FShowCaption));
      height = std::max(height, captionCounts ? t->Height() - t->CaptionHeight() - 4 : t->Height() - 4);
    }
    SetBounds(FLeft, FTop, width, setHeight || !t ? height : FHeight);
    return;
  }
  int gh = c->TextHeight(L"gh");
  if (FShowCaption && !caption.empty()) {
    TRect r(0, 0, 1000, 100);
    c->TextRect(r, caption, DT_SINGLELINE | DT_CALCRECT);
    T = r.Width();
  }
  if (FGlyphPosition == TToolGlyphPosition::gpTop || FGlyphPosition == TToolGlyphPosition::gpBottom) {
    height = std::max(T, H) + 2 * FOffSet;
    width = W + gh + FSpacing + 2 * FOffSet;
  } else {
    height = H && T ? H + FSpacing + T : H + T;
    width = std::max(W, gh);
    height += 2 * FOffSet;
    width += 2 * FOffSet;
  }
  height = std::max(height, 15);
  if (FDropDownButton) height += FDropDownSectWidth;
  TAdvCustomToolBar* t = FAdvToolBar;
  bool setWidth = !t || t->AutoPositionControls() || t->GetToolBarState() == TToolBarState::tsFloating;
  SetBounds(FLeft, FTop, setWidth ? width : FWidth, height);
}

// ---------------------------------------------------------------------------
// Shade

void TAdvCustomToolBarButton::GenerateShade() {
  TCustomImageList* images = OwnerImages();
  TOwned<TBitmap> work;
  TBitmap* src = nullptr;
  if (FImageIndex >= 0 && images && FImageIndex < images->Count()) {
    work = new TBitmap(images->Width(), images->Height());
    work->Canvas()->Brush()->SetColor(static_cast<TColor>(0xFF00FF));
    work->Canvas()->FillRect(TRect(0, 0, images->Width(), images->Height()));
    images->Draw(work->Canvas(), 0, 0, FImageIndex);
    src = work;
    FShadedForGlyph = false;
  } else if (!FGlyph->Empty()) {
    src = FGlyph;
    FShadedForGlyph = true;
  } else {
    return;
  }
  int w = src->Width(), h = src->Height();
  FGlyphShade->SetSize(w, h);
  TCanvas* sc = src->Canvas();
  TColor mask = sc->Pixels(0, h - 1);
  TCanvas* dc = FGlyphShade->Canvas();
  // A grey silhouette of the glyph on the mask colour.
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) dc->SetPixels(x, y, sc->Pixels(x, y) == mask ? mask : static_cast<TColor>(0x808080));
}
