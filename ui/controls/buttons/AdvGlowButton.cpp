#include "ui/controls/buttons/AdvGlowButton.h"

#include <windowsx.h>

#include <memory>

#include "base/Forms.h"
#include "base/ImgList.h"
#include "base/Menus.h"
#include "ui/draw/GdipPicture.h"

using namespace GlowButton;

String TAdvCustomGlowButton::VersionText(int Nr) {
  return IntToStr((Nr >> 24) & 0xFF) + L"." + IntToStr((Nr >> 16) & 0xFF) + L"." + IntToStr((Nr >> 8) & 0xFF) + L"." +
         IntToStr(Nr & 0xFF);
}

// ---------------------------------------------------------------------------
// Life

TAdvCustomGlowButton::TAdvCustomGlowButton(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle.Exclude(TControlStyleItem::csDoubleClicks);
  SetDoubleBuffered(true);
  FIPicture = new TGDIPPicture;
  FIPicture->OnChange = [this](TObject*) { UpdateAutoSize(); };
  FIDisabledPicture = new TGDIPPicture;
  FIDisabledPicture->OnChange = [this](TObject*) { UpdateAutoSize(); };
  FIHotPicture = new TGDIPPicture;
  FIDownPicture = new TGDIPPicture;
  FAppearance = new TGlowButtonAppearance;
  FAppearance->OnChange = [this](TObject*) { AppearanceChanged(); };
  FOfficeHint = new TAdvHintInfo;
  SetBounds(FLeft, FTop, 100, 41);
  FOldLayout = FLayout;
  FOldDropDownPosition = FDropDownPosition;
  FNotes = new TStringList;
  FNotes->OnChange = [this](TObject*) {
    if (FAutoSize) {
      UpdateAutoSize();
      Invalidate();
    }
  };
  FNotesFont = new TFont;
  FNotesFont->SetName(L"Tahoma");
  FNotesFont->SetSize(8);
  FImageChangeLink = new TChangeLink;
  FImageChangeLink->OnChange = [this](TObject*) {
    if (HandleAllocated()) Invalidate();
  };
  FDisabledImageChangeLink = new TChangeLink;
  FDisabledImageChangeLink->OnChange = [this](TObject*) { Invalidate(); };
  FHotImageChangeLink = new TChangeLink;
  FHotImageChangeLink->OnChange = [this](TObject*) { Invalidate(); };
  // Buttons made at run time (toolbars make theirs) are never loaded.
  FIsVista = IsVistaOrLater();
}

void TAdvCustomGlowButton::Destroy() {
  if (FShortCutHint) FreeAndNil(FShortCutHint);
  if (FIcon) FreeAndNil(FIcon);
  // The lists keep no pointer to links that are gone.
  FImageChangeLink.Reset();
  FDisabledImageChangeLink.Reset();
  FHotImageChangeLink.Reset();
  TCustomControl::Destroy();
}

void TAdvCustomGlowButton::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  // Double clicks arrive as two single presses.
  Params.WindowClass.style &= ~static_cast<UINT>(CS_DBLCLKS);
}

void TAdvCustomGlowButton::CreateWnd() {
  TCustomControl::CreateWnd();
  FActive = FDefault;
  FParentForm = GetParentForm(this);
  FGlowState = TGlowState::gsNone;
  FLeftDown = FMouseInControl = FMouseEnter = FMouseDown = FHot = false;
  if (!FInitialDown) {
    FState = TAdvButtonState::absUp;
    FDown = false;
  }
  FDragging = false;
  FFirstPaint = true;
  FStepHover = 0;
  if (MouseCapture()) SetMouseCapture(false);
  if (FTimer) FreeAndNil(FTimer);
}

void TAdvCustomGlowButton::Loaded() {
  TCustomControl::Loaded();
  if (FInitialDown != FDownChecked) SetDown(FInitialDown);
  FIsVista = IsVistaOrLater();
  if (FAutoSize) UpdateAutoSize();
}

void TAdvCustomGlowButton::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FImages) FImages = nullptr;
  if (AComponent == FDisabledImages) FDisabledImages = nullptr;
  if (AComponent == FHotImages) FHotImages = nullptr;
  if (FDropDownMenu && AComponent == static_cast<TComponent*>(FDropDownMenu)) FDropDownMenu = nullptr;
  if (AComponent == FShortCutHint) FShortCutHint = nullptr;
  if (AComponent == FTimer) FTimer = nullptr;
  if (AComponent == FRepeatTimer) FRepeatTimer = nullptr;
}

void TAdvCustomGlowButton::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TAdvCustomGlowButton*>(Source);
  if (!s) return;
  SetAlign(s->Align());
  SetAction(s->Action());
  SetAntiAlias(s->AntiAlias());
  SetAutoSize(s->AutoSize());
  SetBorderStyle(s->BorderStyle());
  SetCancel(s->Cancel());
  SetCaption(s->Caption());
  Constraints()->Assign(s->Constraints());
  SetDefault(s->Default());
  Font()->Assign(s->Font());
  SetImageIndex(s->ImageIndex());
  SetImages(s->Images());
  SetDisabledImages(s->DisabledImages());
  SetDisabledPicture(s->DisabledPicture());
  SetFocusType(s->FocusType());
  SetHotImages(s->HotImages());
  SetHotPicture(s->HotPicture());
  SetDownPicture(s->DownPicture());
  SetMarginVert(s->MarginVert());
  SetMarginHorz(s->MarginHorz());
  SetModalResult(s->ModalResult());
  SetNotes(s->Notes());
  SetNotesFont(s->NotesFont());
  SetOfficeHint(s->OfficeHint());
  SetParentFont(s->ParentFont());
  SetPicture(s->Picture());
  SetPopupMenu(s->PopupMenu());
  SetPosition(s->Position());
  SetInitRepeatPause(s->InitRepeatPause());
  SetRepeatPause(s->RepeatPause());
  SetRepeatClick(s->RepeatClick());
  SetRounded(s->Rounded());
  SetShortCutHint(s->ShortCutHint());
  SetShortCutHintPos(s->ShortCutHintPos());
  SetShowCaption(s->ShowCaption());
  SetShowDisabled(s->ShowDisabled());
  SetSpacing(s->Spacing());
  SetTransparent(s->Transparent());
  SetTrimming(s->Trimming());
  SetWordWrap(s->WordWrap());
  SetShowHint(s->ShowHint());
  SetParentShowHint(s->ParentShowHint());
  SetTabOrder(s->TabOrder());
  SetTabStop(s->TabStop());
  SetVisible(s->Visible());
  SetDown(s->Down());
}

// ---------------------------------------------------------------------------
// Property setters

void TAdvCustomGlowButton::SetAntiAlias(TAntiAlias Value) {
  if (FAntiAlias == Value) return;
  FAntiAlias = Value;
  Invalidate();
}

void TAdvCustomGlowButton::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  UpdateAutoSize();
}

void TAdvCustomGlowButton::SetBorderStyle(TBorderStyleKind Value) {
  FBorderStyle = Value;
  Invalidate();
}

void TAdvCustomGlowButton::SetDownPicture(TGDIPPicture* Value) { FIDownPicture->Assign(Value); }

void TAdvCustomGlowButton::SetImageIndex(int Value) {
  FImageIndex = Value;
  UpdateAutoSize();
}

void TAdvCustomGlowButton::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  GlowButton::ReplaceImageList(this, FImages, FImageChangeLink, Value);
  UpdateAutoSize();
  Invalidate();
}

void TAdvCustomGlowButton::SetDisabledImages(TCustomImageList* Value) {
  if (FDisabledImages == Value) return;
  GlowButton::ReplaceImageList(this, FDisabledImages, FDisabledImageChangeLink, Value);
  Invalidate();
}

void TAdvCustomGlowButton::SetHotImages(TCustomImageList* Value) {
  if (FHotImages == Value) return;
  GlowButton::ReplaceImageList(this, FHotImages, FHotImageChangeLink, Value);
  Invalidate();
}

void TAdvCustomGlowButton::SetDisabledPicture(TGDIPPicture* Value) {
  FIDisabledPicture->Assign(Value);
  Invalidate();
}

void TAdvCustomGlowButton::SetHotPicture(TGDIPPicture* Value) { FIHotPicture->Assign(Value); }

void TAdvCustomGlowButton::SetImageListType(TImageListType Value) {
  if (FImageListType == Value) return;
  FImageListType = Value;
  UpdateAutoSize();
  Invalidate();
}

void TAdvCustomGlowButton::SetMarginVert(int Value) {
  if (FMarginVert == Value) return;
  FMarginVert = Value;
  UpdateAutoSize();
}

void TAdvCustomGlowButton::SetMarginHorz(int Value) {
  if (FMarginHorz == Value) return;
  FMarginHorz = Value;
  UpdateAutoSize();
}

void TAdvCustomGlowButton::SetNotes(TStrings* Value) {
  FNotes->Assign(Value);
  Invalidate();
}

void TAdvCustomGlowButton::SetNotesFont(TFont* Value) {
  FNotesFont->Assign(Value);
  Invalidate();
}

void TAdvCustomGlowButton::SetOfficeHint(TAdvHintInfo* Value) { FOfficeHint->Assign(Value); }

void TAdvCustomGlowButton::SetPicture(TGDIPPicture* Value) {
  FIPicture->Assign(Value);
  Invalidate();
}

void TAdvCustomGlowButton::SetPosition(TButtonPosition Value) {
  FButtonPosition = Value;
  Invalidate();
}

void TAdvCustomGlowButton::SetRounded(bool Value) {
  if (FRounded == Value) return;
  FRounded = Value;
  Invalidate();
}

void TAdvCustomGlowButton::SetShowCaption(bool Value) {
  FShowCaption = Value;
  UpdateAutoSize();
  Invalidate();
}

void TAdvCustomGlowButton::SetShowDisabled(bool Value) {
  FShowDisabled = Value;
  Invalidate();
}

void TAdvCustomGlowButton::SetSpacing(int Value) {
  if (FSpacing == Value) return;
  FSpacing = Value;
  Invalidate();
}

void TAdvCustomGlowButton::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  Invalidate();
}

void TAdvCustomGlowButton::SetTrimming(StringTrimming Value) {
  if (FTrimming == Value) return;
  FTrimming = Value;
  Invalidate();
}

void TAdvCustomGlowButton::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  Invalidate();
}

void TAdvCustomGlowButton::AppearanceChanged() {
  Invalidate();
  if (FShortCutHint) {
    FShortCutHint->SetColor(clWhite);
    FShortCutHint->SetColorTo(FAppearance->Color());
  }
}

void TAdvCustomGlowButton::SetAppearance(TGlowButtonAppearance* Value) {
  FAppearance->Assign(Value);
  if (FShortCutHint) {
    FShortCutHint->SetColor(clWhite);
    FShortCutHint->SetColorTo(FAppearance->Color());
  }
}

void TAdvCustomGlowButton::SetWideCaption(const String& Value) {
  if (FWideCaption == Value) return;
  FWideCaption = Value;
  if (FAutoSize) {
    FDoAutoSize = true;
    if (IsDesigning() || IsLoading() || !FParent || !HandleAllocated())
      Invalidate();
    else
      Paint();
    FDoAutoSize = false;
  } else {
    Invalidate();
  }
}

void TAdvCustomGlowButton::SetDrawSplitLineAlways(bool Value) {
  FDrawSplitLineAlways = Value;
  GlowButton::SetDrawSplitLineAlways(Value);
  Invalidate();
}

void TAdvCustomGlowButton::SetAllowAllUp(bool Value) {
  if (FAllowAllUp == Value) return;
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TAdvCustomGlowButton::SetAlwaysShowAccel(bool Value) {
  if (FAlwaysShowAccel == Value) return;
  FAlwaysShowAccel = Value;
  Invalidate();
}

void TAdvCustomGlowButton::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  UpdateExclusive();
}

void TAdvCustomGlowButton::SetLayout(TButtonLayout Value) {
  FLayout = Value;
  Invalidate();
}

void TAdvCustomGlowButton::SetMaxButtonSizeState(TButtonSizeState Value) {
  if (FMaxButtonSizeState == Value) return;
  FMaxButtonSizeState = Value;
  SetButtonSizeState(Value);
}

void TAdvCustomGlowButton::SetMinButtonSizeState(TButtonSizeState Value) {
  if (FMinButtonSizeState == Value) return;
  FMinButtonSizeState = Value;
  if (FButtonSizeState < Value) SetButtonSizeState(Value);
}

void TAdvCustomGlowButton::SetDropDownButton(bool Value) {
  if (FDropDownButton == Value) return;
  FDropDownButton = Value;
  AdjustSize();
  Invalidate();
}

void TAdvCustomGlowButton::SetDropDownPosition(TDropDownPosition Value) {
  if (FDropDownPosition == Value) return;
  FDropDownPosition = Value;
  if (FDropDownButton) AdjustSize();
  Invalidate();
}

void TAdvCustomGlowButton::SetDropDownDirection(TDropDownDirection Value) {
  if (FDropDownDirection == Value) return;
  FDropDownDirection = Value;
  Invalidate();
}

void TAdvCustomGlowButton::SetDropDownMenu(TPopupMenu* Value) {
  if (FDropDownMenu == Value) return;
  if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
  FDropDownMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TAdvCustomGlowButton::UpdateAutoSize() {
  if (!FAutoSize) {
    Invalidate();
    return;
  }
  FDoAutoSize = true;
  Invalidate();
  if (FParent && !IsDesigning() && !IsLoading() && HandleAllocated()) Paint();
  FDoAutoSize = false;
}

void TAdvCustomGlowButton::ChangeScale(int M, int D) { FNotesFont->SetSize(MulDiv(FNotesFont->Size(), M, D)); }

// ---------------------------------------------------------------------------
// Down and groups

namespace {
// Glow buttons answer the group update of glow buttons on their own parent
// only, and keep their AllowAllUp and their action's Checked.
const ButtonGroup::TRules kGroupRules{.SameParentOnly = true};
}  // namespace

ButtonGroup::TMember TAdvCustomGlowButton::GroupMember() {
  return {this, FDownChecked, FState, FAllowAllUp, FGroupIndex, FStyle == TAdvButtonStyle::bsCheck};
}

void TAdvCustomGlowButton::SetDown(bool Value) {
  if (IsLoading() || !HandleAllocated()) FInitialDown = Value;
  if (ButtonGroup::SetDown(GroupMember(), Value)) UpdateExclusive();
}

void TAdvCustomGlowButton::UpdateExclusive() { ButtonGroup::UpdateExclusive(GroupMember()); }

void TAdvCustomGlowButton::ButtonPressed(TMessage& Message) {
  if (auto* sender = dynamic_cast<TAdvCustomGlowButton*>(ButtonGroup::Sender(Message)))
    ButtonGroup::ButtonPressed(GroupMember(), Message, sender->GroupMember(), kGroupRules);
}

// ---------------------------------------------------------------------------
// Glow animation

void TAdvCustomGlowButton::EnsureGlowTimer(int Interval) {
  if (FTimer || Interval <= 0) return;
  FTimer = new TTimer(this);
  FTimer->SetInterval(static_cast<unsigned>(Interval));
  FTimer->SetOnTimer([this](TObject* s) { GlowTimerTick(s); });
  FTimer->SetEnabled(true);
}

void TAdvCustomGlowButton::FinishGlow() {
  FGlowState = TGlowState::gsNone;
  if (FTimer) FreeAndNil(FTimer);
}

void TAdvCustomGlowButton::GlowTimerTick(TObject*) {
  switch (FGlowState) {
    case TGlowState::gsHover:
      FStepHover += FTimeInc;
      if (FStepHover > 100 || FStepHover < 0) {
        FStepHover = Max(0, Min(100, FStepHover));
        FinishGlow();
      } else {
        Invalidate();
      }
      break;
    case TGlowState::gsPush:
      FStepPush += FTimeInc;
      if (FStepPush > 100) {
        FStepPush = 100;
        FinishGlow();
      } else {
        Invalidate();
      }
      break;
    case TGlowState::gsNone:
      break;
  }
}

// ---------------------------------------------------------------------------
// Mouse

void TAdvCustomGlowButton::MouseEnter() {
  if (IsDesigning() || FMouseEnter) return;
  FHot = true;
  FDown = FLeftDown;
  EnsureGlowTimer(GetGlowInterval());
  if (!FDown && FGlowState != TGlowState::gsPush) {
    FTimeInc = 20;
    FGlowState = TGlowState::gsHover;
  }
  Invalidate();
  FMouseInControl = FMouseEnter = FHasMouse = true;
}

void TAdvCustomGlowButton::MouseLeave() {
  if (IsDesigning() || !FMouseEnter) return;
  FHasMouse = FMouseEnter = FMouseInControl = FHot = FInButton = false;
  if (FDown && FMouseDown) {
    FDown = false;
    FTimeInc = -20;
    FGlowState = TGlowState::gsHover;
    Invalidate();
    FLeftDown = true;
  } else {
    FDown = false;
    FStepHover = 100;
    FTimeInc = -20;
    FGlowState = TGlowState::gsHover;
    Invalidate();
  }
  EnsureGlowTimer(GetGlowInterval());
}

void TAdvCustomGlowButton::UpdateTracking() {
  if (!Enabled()) return;
  bool over = Screen && FindDragTarget(Screen->CursorPos(), true) == this;
  if (over != FMouseInControl) return;
  FMouseInControl = !over;
  if (over)
    MouseEnter();
  else
    MouseLeave();
}

TPoint TAdvCustomGlowButton::DropPoint() {
  TPoint p = FDropDownDirection == TDropDownDirection::ddRight ? TPoint(FLeft + FWidth, FTop)
                                                               : TPoint(FLeft, FTop + FHeight);
  if (FParent) p = FParent->ClientToScreen(p);
  if (FDropDownMenu) {
    if (FDropDownMenu->Alignment() == TPopupAlignment::paRight)
      p.x += FWidth;
    else if (FDropDownMenu->Alignment() == TPopupAlignment::paCenter)
      p.x += FWidth / 2;
  }
  return p;
}

void TAdvCustomGlowButton::PopupDropDownMenu() {
  TPoint p = DropPoint();
  FDropDownMenu->Popup(p.x, p.y);
}

void TAdvCustomGlowButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FGotButtonClick = Button == TMouseButton::mbLeft;
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  if (FRepeatClick) {
    if (!FRepeatTimer) {
      FRepeatTimer = new TTimer(this);
      FRepeatTimer->SetOnTimer([this](TObject* s) { RepeatTimerTick(s); });
    }
    FRepeatTimer->SetInterval(static_cast<unsigned>(FInitRepeatPause));
    FRepeatTimer->SetEnabled(true);
  }
  FDown = true;
  FMouseDown = true;
  if (FTabStop && CanFocus()) SetFocus();
  EnsureGlowTimer(GetGlowInterval());
  FTimeInc = 20;
  FGlowState = TGlowState::gsPush;

  int a = DropDownPartWidth();
  bool onDrop = (FDropDownPosition == TDropDownPosition::dpRight && X > FWidth - a) ||
                (FDropDownPosition == TDropDownPosition::dpBottom && Y > FHeight - a);
  bool drops = (!FDropDownButton && IsMenuButton()) || (FDropDownButton && onDrop && FDropDownSplit) ||
               (FDropDownButton && !FDropDownSplit && FStyle == TAdvButtonStyle::bsButton && FGroupIndex <= 0);
  if (drops) {
    // A press that drops the menu is no click (the menu takes the release).
    FControlState.Exclude(TControlStateItem::csClicked);
    FGotButtonClick = false;
    FMouseInControl = false;
    if (OnDropDown) OnDropDown(this);
    if (FDropDownMenu) {
      FDropDownMenu->SetPopupComponent(this);
      FDown = !FDropDownSplit;
      FDroppedDown = true;
      FMouseEnter = false;
      Repaint();
      // The menu runs its own loop: our capture would keep its clicks.
      if (MouseCapture()) SetMouseCapture(false);
      PopupDropDownMenu();
      FDown = FDroppedDown = FMouseEnter = FMouseInControl = FHot = FInButton = false;
      Repaint();
    }
    Invalidate();
    return;
  }
  if (FStyle == TAdvButtonStyle::bsCheck) SetDown(!FDownChecked);
  if (!FDownChecked) {
    FState = TAdvButtonState::absDown;
    Invalidate();
  }
  if (FStyle == TAdvButtonStyle::bsCheck) {
    FState = TAdvButtonState::absDown;
    Repaint();
  }
  FDragging = true;
}

void TAdvCustomGlowButton::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (IsDesigning()) return;
  int a = static_cast<int>(Round(static_cast<long double>(GetDPIFactor()) * 12.0L));
  bool inButton = FDropDownButton && ((FDropDownPosition == TDropDownPosition::dpRight && X >= FWidth - a) ||
                                      (FDropDownPosition == TDropDownPosition::dpBottom && Y >= FHeight - a));
  if (inButton != FInButton) {
    FInButton = inButton;
    Invalidate();
  }
  if (FDragging) {
    ButtonGroup::TrackPress(GroupMember(), X, Y);
  } else if (!FMouseInControl) {
    // Back over the button after its menu closed: the pointer never left the
    // window, so no new enter comes; this move is the enter.
    if (!FMouseEnter && !FDroppedDown && ClientRect().Contains(TPoint(X, Y)))
      MouseEnter();
    else
      UpdateTracking();
  }
}

void TAdvCustomGlowButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
}

void TAdvCustomGlowButton::WMLButtonUp(TMessage& Message) {
  int X = GET_X_LPARAM(Message.LParam), Y = GET_Y_LPARAM(Message.LParam);
  TRect client = ClientRect();
  FTimeInc = -10;
  FStepPush = 100;
  if (client.Contains(TPoint(X, Y))) {
    FGlowState = TGlowState::gsHover;
    FHot = FHasMouse = FMouseEnter = true;
  } else {
    FGlowState = TGlowState::gsNone;
    FHasMouse = FMouseDown = FMouseEnter = FHot = FInButton = false;
  }
  FMouseDown = false;
  FLeftDown = false;
  bool inheritedRan = false;
  auto inherited = [&] {
    inheritedRan = true;
    TCustomControl::Dispatch(Message);
  };
  auto* action = dynamic_cast<TCustomAction*>(Action());
  auto* link = dynamic_cast<TAdvGlowButtonActionLink*>(ActionLink());
  if ((FDropDownButton || !IsMenuButton()) && FDragging) {
    FDragging = false;
    bool inside = ButtonGroup::Inside(GroupMember(), X, Y);
    if (FGroupIndex != 0) {
      if (action && link && (link->IsCheckedLinked() || link->IsGroupIndexLinked())) {
        inherited();
        return;
      }
      ButtonGroup::ReleaseInGroup(GroupMember(), inside, [this](bool Value) { SetDown(Value); });
    } else {
      FState = TAdvButtonState::absUp;
      FMouseInControl = false;
      bool ended = false;
      if (FStyle == TAdvButtonStyle::bsCheck) {
        if (action && link) {
          if (FGotButtonClick) FControlState.Include(TControlStateItem::csClicked);
          FGotButtonClick = false;
          inherited();
          ended = link->IsCheckedLinked() || link->IsGroupIndexLinked() || action->AutoCheck();
        }
        if (!ended) {
          if (!inside && FDownChecked) SetDown(false);
          FMouseInControl = true;
          Repaint();
        }
      }
      if (!ended && inside && FState != TAdvButtonState::absDown && FState != TAdvButtonState::absExclusive)
        Invalidate();
    }
    UpdateTracking();
  }
  if (FGotButtonClick) FControlState.Include(TControlStateItem::csClicked);
  FGotButtonClick = false;
  if (!inheritedRan && !FDroppedDown) inherited();
  if (FStyle == TAdvButtonStyle::bsCheck || FGroupIndex > 0) Repaint();
  Invalidate();
}

void TAdvCustomGlowButton::RepeatTimerTick(TObject*) {
  FRepeatTimer->SetInterval(static_cast<unsigned>(FRepeatPause));
  if (FDown && MouseCapture()) {
    try {
      Click();
    } catch (...) {
      if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
      throw;
    }
  }
}

// ---------------------------------------------------------------------------
// Clicks and drop-downs

void TAdvCustomGlowButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  if (FOnInternalClick) FOnInternalClick(this);
  TCustomControl::Click();
}

void TAdvCustomGlowButton::InvokeClick() {
  if ((!FDropDownButton && IsMenuButton()) ||
      (FDropDownButton && FStyle == TAdvButtonStyle::bsButton && FGroupIndex <= 0 && !FDropDownSplit)) {
    if (FDropDownMenu)
      DoDropDown();
    else
      Click();
    return;
  }
  if (FStyle == TAdvButtonStyle::bsCheck) {
    SetDown(!FDownChecked);
    FState = TAdvButtonState::absDown;
    Repaint();
  }
  Click();
}

void TAdvCustomGlowButton::DoDropDown() {
  if (!IsMenuButton() && !FDropDownMenu) return;
  if (FDropDownMenu) {
    if (FOnInternalDropDown) FOnInternalDropDown(this);
    FDropDownMenu->SetPopupComponent(this);
    FState = TAdvButtonState::absDown;
    if (OnDropDown) OnDropDown(this);
    Invalidate();
    PopupDropDownMenu();
    FState = TAdvButtonState::absUp;
    Repaint();
  }
  Invalidate();
}

// ---------------------------------------------------------------------------
// Keyboard and focus

void TAdvCustomGlowButton::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == VK_RETURN || Key == VK_SPACE) {
    FDown = true;
    FState = TAdvButtonState::absDown;
    Repaint();
  }
  if (Key == VK_F4 && !Shift.Contains(TShiftStateItem::ssShift) && !Shift.Contains(TShiftStateItem::ssCtrl) &&
      !Shift.Contains(TShiftStateItem::ssAlt))
    DoDropDown();
  if (FOnInternalKeyDown) FOnInternalKeyDown(this, Key, Shift);
}

void TAdvCustomGlowButton::KeyPress(wchar_t& Key) {
  TCustomControl::KeyPress(Key);
  // The same click as the mouse's: modal result, hooks, the action and the
  // data-aware operation of descendants. An ungrouped check button toggles
  // first, as a press does (a grouped one toggles on key release).
  if (Key == L' ' || Key == L'\r') {
    if (FStyle == TAdvButtonStyle::bsCheck && FGroupIndex == 0) SetDown(!FDownChecked);
    Click();
  }
}

void TAdvCustomGlowButton::KeyUp(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyUp(Key, Shift);
  if (Key == VK_RETURN || Key == VK_SPACE) {
    FDown = false;
    if (FGroupIndex == 0) {
      FState = TAdvButtonState::absUp;
    } else {
      // Through the Down rules: a down button of a group that may not be
      // all up stays down.
      SetDown(!FDownChecked);
      FState = FDownChecked ? TAdvButtonState::absExclusive : TAdvButtonState::absUp;
      UpdateExclusive();
    }
  }
  Repaint();
}

void TAdvCustomGlowButton::DoEnter() {
  TCustomControl::DoEnter();
  Invalidate();
  FHasFocus = true;
}

void TAdvCustomGlowButton::DoExit() {
  TCustomControl::DoExit();
  if (FGroupIndex == 0) {
    FDown = false;
    FState = TAdvButtonState::absUp;
  }
  FHasFocus = false;
  Invalidate();
}

void TAdvCustomGlowButton::DialogKey(TMessage& Message) {
  WORD key = static_cast<WORD>(Message.WParam);
  TShiftState shift = KeyboardStateToShiftState();
  bool modifiers = shift.Contains(TShiftStateItem::ssShift) || shift.Contains(TShiftStateItem::ssCtrl) ||
                   shift.Contains(TShiftStateItem::ssAlt);
  if (((key == VK_RETURN && FActive) || (key == VK_ESCAPE && FCancel)) && !modifiers && CanFocus()) {
    InvokeClick();
    if (FGroupIndex == 0) FState = TAdvButtonState::absUp;
    Message.Result = 1;
    return;
  }
  TCustomControl::Dispatch(Message);
}

void TAdvCustomGlowButton::DialogChar(TMessage& Message) {
  bool alt = (Message.LParam & 0x20000000) != 0;
  if (!alt && FParent && FParent->ClassName() == L"TAdvToolBar") {
    TCustomControl::Dispatch(Message);
    return;
  }
  if (!CanFocus()) return;
  auto ch = static_cast<wchar_t>(Message.WParam);
  bool menu = IsMenuButton();
  String caption = Caption();
  if (!caption.empty() && GlowButton::IsAccel(ch, caption)) {
    if (menu || (FDropDownMenu && !FDropDownSplit))
      DoDropDown();
    else
      Click();
    Message.Result = 1;
    return;
  }
  for (const String& text : {FWideCaption, Hint(), FOfficeHint->Title()}) {
    if (!text.empty() && GlowButton::IsAccel(ch, text)) {
      if (menu || FDropDownMenu)
        DoDropDown();
      else
        Click();
      Message.Result = 1;
      return;
    }
  }
  TCustomControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------
// Messages

void TAdvCustomGlowButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
      TCustomControl::Dispatch(Message);
      MouseEnter();
      return;
    case CM_MOUSELEAVE:
      TCustomControl::Dispatch(Message);
      MouseLeave();
      return;
    case WM_LBUTTONUP:
      WMLButtonUp(Message);
      return;
    case WM_SETTEXT:
      TCustomControl::Dispatch(Message);
      if (FAutoSize) UpdateAutoSize();
      return;
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case CM_DESIGNHITTEST:
      if (FDesignClicks) {
        Message.Result = 1;
        return;
      }
      break;
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == 0) Click();
      return;
    case CM_ENABLEDCHANGED:
      TCustomControl::Dispatch(Message);
      FDown = false;
      FState = TAdvButtonState::absDisabled;
      Invalidate();
      return;
    case WM_SETFOCUS:
      TCustomControl::Dispatch(Message);
      FHasFocus = true;
      return;
    case WM_KILLFOCUS:
      TCustomControl::Dispatch(Message);
      FHasFocus = false;
      Invalidate();
      return;
    case CM_FOCUSCHANGED: {
      auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
      if (dynamic_cast<TAdvCustomGlowButton*>(focused))
        FActive = focused == this;
      else
        FActive = FDefault;
      TCustomControl::Dispatch(Message);
      return;
    }
    case CM_DIALOGKEY:
      DialogKey(Message);
      return;
    case CM_DIALOGCHAR:
      DialogChar(Message);
      return;
    case WM_GETDLGCODE:
      if (FOnInternalKeyDown) {
        Message.Result = DLGC_WANTARROWS;
        return;
      }
      break;
    case CM_BUTTONPRESSED:
      ButtonPressed(Message);
      return;
    default:
      break;
  }
  TCustomControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------
// Key tips

void TAdvCustomGlowButton::ShowShortCutHint() {
  if (!FShortCutHint) {
    FShortCutHint = new TShortCutHintWindow(this);
    FShortCutHint->SetParentWindow(Handle());
    // Made now, so that making the window (which starts its colours at
    // clInfoBk) comes before the colours below.
    FShortCutHint->HandleNeeded();
    FShortCutHint->SetVisible(false);
    FShortCutHint->SetColor(clWhite);
    FShortCutHint->SetColorTo(FAppearance->Color());
  }
  FShortCutHint->SetText(FShortCutHintText);
  TPoint o = ClientOrigin();
  TShortCutHintPos pos = FShortCutHintPos;
  if (FOnGetShortCutHintPos) FOnGetShortCutHintPos(this, FButtonSizeState, pos);
  TPoint p = ShortCutHintPosition(pos, o.x, o.y, FWidth, FHeight, FShortCutHint->Width(), FShortCutHint->Height());
  FShortCutHint->SetBounds(p.x, p.y, FShortCutHint->Width(), FShortCutHint->Height());
  FShortCutHint->SetVisible(true);
}

void TAdvCustomGlowButton::HideShortCutHint() {
  if (FShortCutHint) FShortCutHint->SetVisible(false);
}

// ---------------------------------------------------------------------------
// Actions

TAdvGlowButtonActionLink::TAdvGlowButtonActionLink(TObject* AClient)
    : TControlActionLink(AClient), FClient(dynamic_cast<TAdvCustomGlowButton*>(AClient)) {}

bool TAdvGlowButtonActionLink::IsCheckedLinked() {
  auto* a = CustomAction();
  bool r = TControlActionLink::IsCheckedLinked() && a && FClient && a->Checked() == FClient->Down();
  if (FClient) FClient->FCheckLinked = r;
  return r;
}

bool TAdvGlowButtonActionLink::IsGroupIndexLinked() {
  auto* a = CustomAction();
  bool r = a && FClient && a->GroupIndex() == FClient->GroupIndex();
  if (FClient) FClient->FGroupIndexLinked = r;
  return r;
}

bool TAdvGlowButtonActionLink::IsImageIndexLinked() {
  auto* a = CustomAction();
  return TControlActionLink::IsImageIndexLinked() && a && a->ImageIndex() == FImageIndex;
}

bool TAdvGlowButtonActionLink::IsHelpLinked() {
  auto* a = CustomAction();
  return a && FClient && a->HelpContext() == FClient->HelpContext() && a->HelpKeyword() == FClient->HelpKeyword() &&
         a->HelpType() == FClient->HelpType();
}

void TAdvGlowButtonActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked() && FClient) FClient->SetDown(Value);
}

void TAdvGlowButtonActionLink::SetGroupIndex(int Value) {
  if (IsGroupIndexLinked() && FClient) FClient->SetGroupIndex(Value);
}

void TAdvGlowButtonActionLink::SetImageIndex(int Value) {
  // The image follows the action's image (not its group).
  if (!FClient || !IsImageIndexLinked()) return;
  FImageIndex = Value;
  FClient->Invalidate();
  FClient->SetImageIndex(Value);
}

void TAdvGlowButtonActionLink::SetHelpContext(int Value) {
  if (IsHelpLinked()) FClient->SetHelpContext(Value);
}

void TAdvGlowButtonActionLink::SetHelpKeyword(const String& Value) {
  if (IsHelpLinked()) FClient->SetHelpKeyword(Value);
}

void TAdvGlowButtonActionLink::SetHelpType(THelpType Value) {
  if (IsHelpLinked()) FClient->SetHelpType(Value);
}

namespace {
TControlActionLink* NewGlowButtonActionLink(TObject* AClient) { return new TAdvGlowButtonActionLink(AClient); }
}  // namespace

TControlActionLinkClass TAdvCustomGlowButton::GetActionLinkClass() { return &NewGlowButtonActionLink; }

void TAdvCustomGlowButton::ActionChange(TObject* Sender, bool CheckDefaults) {
  TCustomControl::ActionChange(Sender, CheckDefaults);
  if (auto* a = dynamic_cast<TCustomAction*>(Sender)) {
    if (CheckDefaults || FGroupIndex == 0) SetGroupIndex(a->GroupIndex());
    SetImageIndex(a->ImageIndex());
    // The link follows the image the button now shows.
    if (auto* link = dynamic_cast<TAdvGlowButtonActionLink*>(ActionLink())) link->FImageIndex = a->ImageIndex();
    SetDown(a->Checked());
  }
  if (FAutoSize && FParent && HandleAllocated()) {
    FDoAutoSize = true;
    Paint();
    FDoAutoSize = false;
  }
}
