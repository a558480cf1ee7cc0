// The glow button: a windowed push button drawn with GDI+ (a two-half face
// with gradients or a radial glow, a rounded or square border, a glyph, a
// caption with notes, an optional drop-down part). Hovering and pressing
// fade between the colour sets of its appearance. It can be a push button,
// a check button, a member of an exclusive group, a drop-down button with a
// popup menu, a repeat button and a ribbon item of three sizes.
#pragma once

#include "base/ActnList.h"
#include "base/ExtCtrls.h"
#include "base/ImgList.h"
#include "base/Lists.h"
#include "ui/controls/buttons/ButtonGroup.h"
#include "ui/controls/buttons/GlowFace.h"
#include "ui/controls/buttons/ShortCutHint.h"
#include "ui/draw/HintInfo.h"
#include "ui/draw/KelStyle.h"

class TPopupMenu;
class TChangeLink;
class TAdvCustomGlowButton;

enum class TAdvButtonStyle { bsButton, bsCheck };
enum class TFocusType { ftBorder, ftHot, ftHotBorder, ftNone };
enum class TImageListType { ipActionList, ipOwnLists };
enum class TButtonSizeState { bsGlyph, bsLabel, bsLarge };
enum class TGlowState { gsHover, gsPush, gsNone };
enum class TGlowButtonState { gsNormal, gsHot, gsDown };

using TGlowButtonDrawEvent = std::function<void(TObject* Sender, TCanvas* Canvas, TRect Rect, TGlowButtonState State)>;
using TSetButtonSizeEvent = std::function<void(TObject* Sender, int& W, int& H)>;
using TOnGetShortCutHintPos =
    std::function<void(TObject* Sender, TButtonSizeState ButtonSizeState, TShortCutHintPos& ShortCutHintPosition)>;

// The link through which an action drives the button's Down, GroupIndex,
// ImageIndex and help properties.
class TAdvGlowButtonActionLink : public TControlActionLink {
  VANTREL_CLASS(TAdvGlowButtonActionLink)
 public:
  explicit TAdvGlowButtonActionLink(TObject* AClient);
  bool IsCheckedLinked() override;
  bool IsGroupIndexLinked() override;
  bool IsImageIndexLinked() override;
  bool IsHelpContextLinked() override { return IsHelpLinked(); }
  // The action's help context, keyword and type all equal the button's.
  bool IsHelpLinked();
  void SetChecked(bool Value) override;
  void SetGroupIndex(int Value) override;
  void SetImageIndex(int Value) override;
  void SetHelpContext(int Value) override;
  void SetHelpKeyword(const String& Value);
  void SetHelpType(THelpType Value);

 protected:
  friend class TAdvCustomGlowButton;
  int FImageIndex = 0;
  TAdvCustomGlowButton* FClient;
};

class TAdvCustomGlowButton : public TCustomControl, public IKelStyle, public IKelTones {
  VANTREL_CLASS(TAdvCustomGlowButton)
 public:
  explicit TAdvCustomGlowButton(TComponent* AOwner);

  // IKelStyle and IKelTones (GlowButtonStyles.cpp).
  void SetComponentStyle(TKelStyle AStyle) override;
  void SetColorTones(const TColorTones& ATones) override;

  // Only from another glow button; anything else is ignored.
  void Assign(TPersistent* Source) override;
  void Click() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;

  // Performs the button as a click would: drops the menu of a menu button
  // or whole drop-down button, else toggles a check button and clicks.
  void InvokeClick();
  // Drops DropDownMenu under (or beside) the button and returns when it has
  // closed.
  void DoDropDown();
  void ShowShortCutHint();
  void HideShortCutHint();
  // Switches to a ribbon size state and paints at once.
  void SetButtonSizeState(TButtonSizeState Value);
  // The size the button would need in a size state, without changing it.
  void CalcButtonSize(TButtonSizeState State, TSize& Size);

  virtual int GetVersionNr() { return 0x02040503; }
  String Version() { return VersionText(GetVersionNr()); }
  void SetVersion(const String&) {}
  virtual bool IsMenuButton() { return false; }
  virtual bool IsBordered() { return FBorderStyle == TBorderStyleKind::bsSingle; }
  virtual bool IsFocusBorderShown() {
    return FHasFocus && (FFocusType == TFocusType::ftBorder || FFocusType == TFocusType::ftHotBorder);
  }
  virtual void SetIsOnRibbon(bool Value) { FIsOnRibbon = Value; }
  bool IsOnRibbon() const { return FIsOnRibbon; }
  virtual bool IsDropDown() { return false; }

  // Properties.
  TAntiAlias AntiAlias() const { return FAntiAlias; }
  void SetAntiAlias(TAntiAlias Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TBorderStyleKind BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyleKind Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  bool Default() const { return FDefault; }
  void SetDefault(bool Value) { FDefault = Value; }
  TGDIPPicture* DownPicture() const { return FIDownPicture; }
  void SetDownPicture(TGDIPPicture* Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TCustomImageList* DisabledImages() const { return FDisabledImages; }
  void SetDisabledImages(TCustomImageList* Value);
  TGDIPPicture* DisabledPicture() const { return FIDisabledPicture; }
  void SetDisabledPicture(TGDIPPicture* Value);
  TFocusType FocusType() const { return FFocusType; }
  void SetFocusType(TFocusType Value) { FFocusType = Value; }
  TCustomImageList* HotImages() const { return FHotImages; }
  void SetHotImages(TCustomImageList* Value);
  TGDIPPicture* HotPicture() const { return FIHotPicture; }
  void SetHotPicture(TGDIPPicture* Value);
  TImageListType ImageListType() const { return FImageListType; }
  void SetImageListType(TImageListType Value);
  int MarginVert() const { return FMarginVert; }
  void SetMarginVert(int Value);
  int MarginHorz() const { return FMarginHorz; }
  void SetMarginHorz(int Value);
  int ModalResult() const { return FModalResult; }
  void SetModalResult(int Value) { FModalResult = Value; }
  TStringList* Notes() const { return FNotes; }
  void SetNotes(TStrings* Value);
  TFont* NotesFont() const { return FNotesFont; }
  void SetNotesFont(TFont* Value);
  TAdvHintInfo* OfficeHint() const { return FOfficeHint; }
  void SetOfficeHint(TAdvHintInfo* Value);
  TGDIPPicture* Picture() const { return FIPicture; }
  void SetPicture(TGDIPPicture* Value);
  TButtonPosition Position() const { return FButtonPosition; }
  void SetPosition(TButtonPosition Value);
  int InitRepeatPause() const { return FInitRepeatPause; }
  void SetInitRepeatPause(int Value) { FInitRepeatPause = Value; }
  int RepeatPause() const { return FRepeatPause; }
  void SetRepeatPause(int Value) { FRepeatPause = Value; }
  bool RepeatClick() const { return FRepeatClick; }
  void SetRepeatClick(bool Value) { FRepeatClick = Value; }
  bool Rounded() const { return FRounded; }
  void SetRounded(bool Value);
  const String& ShortCutHint() const { return FShortCutHintText; }
  void SetShortCutHint(const String& Value) { FShortCutHintText = Value; }
  TShortCutHintPos ShortCutHintPos() const { return FShortCutHintPos; }
  void SetShortCutHintPos(TShortCutHintPos Value) { FShortCutHintPos = Value; }
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  bool ShowDisabled() const { return FShowDisabled; }
  void SetShowDisabled(bool Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  StringTrimming Trimming() const { return FTrimming; }
  void SetTrimming(StringTrimming Value);
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }
  const String& HelpKeyword() const { return FHelpKeyword; }
  void SetHelpKeyword(const String& Value) { FHelpKeyword = Value; }
  THelpType HelpType() const { return FHelpType; }
  void SetHelpType(THelpType Value) { FHelpType = Value; }
  bool UseAppearance() const { return FUseAppearance; }
  void SetUseAppearance(bool Value) { FUseAppearance = Value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TGlowButtonAppearance* Appearance() const { return FAppearance; }
  void SetAppearance(TGlowButtonAppearance* Value);
  const String& WideCaption() const { return FWideCaption; }
  void SetWideCaption(const String& Value);
  bool StaticButton() const { return FStaticButton; }
  void SetStaticButton(bool Value) { FStaticButton = Value; }
  bool DesignClicks() const { return FDesignClicks; }
  void SetDesignClicks(bool Value) { FDesignClicks = Value; }
  bool DrawSplitLineAlways() const { return FDrawSplitLineAlways; }
  void SetDrawSplitLineAlways(bool Value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  bool AlwaysShowAccel() const { return FAlwaysShowAccel; }
  void SetAlwaysShowAccel(bool Value);
  bool Down() const { return FDownChecked; }
  void SetDown(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  TAdvButtonStyle Style() const { return FStyle; }
  void SetStyle(TAdvButtonStyle Value) { FStyle = Value; }
  TButtonSizeState MaxButtonSizeState() const { return FMaxButtonSizeState; }
  void SetMaxButtonSizeState(TButtonSizeState Value);
  TButtonSizeState MinButtonSizeState() const { return FMinButtonSizeState; }
  void SetMinButtonSizeState(TButtonSizeState Value);
  bool DropDownButton() const { return FDropDownButton; }
  void SetDropDownButton(bool Value);
  TDropDownPosition DropDownPosition() const { return FDropDownPosition; }
  void SetDropDownPosition(TDropDownPosition Value);
  TDropDownDirection DropDownDirection() const { return FDropDownDirection; }
  void SetDropDownDirection(TDropDownDirection Value);
  bool DropDownSplit() const { return FDropDownSplit; }
  void SetDropDownSplit(bool Value) { FDropDownSplit = Value; }
  TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* Value);
  TAdvButtonState State() const { return FState; }
  void SetState(TAdvButtonState Value) { FState = Value; }
  bool DroppedDown() const { return FDroppedDown; }
  TKelStyle ComponentStyle() const { return FCompStyle; }
  TButtonSizeState ButtonSizeState() const { return FButtonSizeState; }
  // The glow animation now (tests and the paint frame read them).
  bool GlowTimerRunning() const { return FTimer != nullptr; }
  int HoverStep() const { return FStepHover; }
  int PushStep() const { return FStepPush; }
  TGlowState GlowState() const { return FGlowState; }
  bool Hot() const { return FHot; }
  TShortCutHintWindow* ShortCutHintWindow() const { return FShortCutHint; }
  // Advances the glow animation by one tick, as its timer does.
  void GlowTimerTick(TObject* Sender);

  TGlowButtonDrawEvent OnDrawButton;
  TNotifyEvent OnDropDown;

  // Hooks the toolbar library links in (see the fields' uses).
  TKeyEvent FOnInternalKeyDown;
  TNotifyEvent FOnInternalClick;
  TNotifyEvent FOnInternalDropDown;
  TSetButtonSizeEvent FOnSetButtonSize;
  TOnGetShortCutHintPos FOnGetShortCutHintPos;
  // Fields the toolbar library reads or sets directly.
  TIcon* FIcon = nullptr;
  int FCommandID = -1;
  bool FCustomizerCreated = false;
  bool FInternalIsOnGlassQAT = false;
  bool FDefaultPicDrawing = true;
  bool FDefaultCaptionDrawing = true;
  bool FKeepDown = false;
  bool FOverlappedText = false;

  static String VersionText(int Nr);

 protected:
  void Destroy() override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void KeyPress(wchar_t& Key) override;
  void DoEnter() override;
  void DoExit() override;
  TControlActionLinkClass GetActionLinkClass() override;
  void ActionChange(TObject* Sender, bool CheckDefaults) override;
  // Scales NotesFont with the control.
  void ChangeScale(int M, int D);

  // New virtual operations.
  virtual void RepeatTimerTick(TObject* Sender);
  virtual void AfterDrawButton() {}
  virtual void PrepareGlyphBitmap(TBitmap* Bitmap) {}
  virtual void AdjustPicture(TGDIPPicture*& APicture) {}

  void UpdateAutoSize();
  void UpdateExclusive();
  void UpdateTracking();
  // The parent's background painted into DC at this control's place.
  void PaintParentBackground(HDC DC);
  // The fallback image list (the data-aware button's glyphs).
  TCustomImageList* FInternalImages = nullptr;
  int FImageIndex = -1;

 private:
  friend class TAdvGlowButtonActionLink;
  void MouseEnter();
  void MouseLeave();
  void WMLButtonUp(TMessage& Message);
  void DialogKey(TMessage& Message);
  void DialogChar(TMessage& Message);
  void ButtonPressed(TMessage& Message);
  // The down and group fields for the shared group logic.
  ButtonGroup::TMember GroupMember();
  void EnsureGlowTimer(int Interval);
  void FinishGlow();
  TPoint DropPoint();
  // Shows the drop-down menu and runs it until it closes.
  void PopupDropDownMenu();
  // The face parameters of a painting or measuring pass as the button's
  // properties and state give them: the normal colours, the captions, the
  // image list and picture of the state (the down picture only
  // WithDownPicture), the layout and the drop-down part. The pass then
  // changes what it decides itself.
  TGlowFaceParams FaceParams(TCanvas* ACanvas, TFont* AFont, TBitmap* AGlyph, bool WithDownPicture);
  void AppearanceChanged();
  void SetFirstPaintAndPaint();

  bool FActive = false;
  bool FDown = false;
  bool FLeftDown = false;
  bool FMouseDown = false;
  TTimer* FTimer = nullptr;
  int FStepHover = 0;
  int FStepPush = 0;
  int FTimeInc = 20;
  TGlowState FGlowState = TGlowState::gsNone;
  TCustomImageList* FImages = nullptr;
  TAdvButtonState FState = TAdvButtonState::absUp;
  bool FMouseInControl = false;
  bool FHasMouse = false;
  bool FMouseEnter = false;
  bool FDownChecked = false;
  bool FInitialDown = false;
  bool FDragging = false;
  TAdvButtonStyle FStyle = TAdvButtonStyle::bsButton;
  int FGroupIndex = 0;
  bool FAllowAllUp = false;
  bool FTransparent = false;
  TButtonLayout FLayout = TButtonLayout::blGlyphLeft;
  bool FDropDownButton = false;
  bool FDropDownSplit = true;
  TDropDownDirection FDropDownDirection = TDropDownDirection::ddDown;
  TPopupMenu* FDropDownMenu = nullptr;
  TDropDownPosition FDropDownPosition = TDropDownPosition::dpRight;
  TOwned<TGlowButtonAppearance> FAppearance;
  TCustomImageList* FDisabledImages = nullptr;
  TCustomImageList* FHotImages = nullptr;
  TOwned<TGDIPPicture> FIPicture;
  TOwned<TGDIPPicture> FIDisabledPicture;
  TOwned<TGDIPPicture> FIHotPicture;
  TOwned<TGDIPPicture> FIDownPicture;
  bool FShowCaption = true;
  TAntiAlias FAntiAlias = TAntiAlias::aaClearType;
  int FModalResult = 0;
  bool FDefault = false;
  bool FCancel = false;
  bool FInButton = false;
  TBorderStyleKind FBorderStyle = TBorderStyleKind::bsSingle;
  TButtonPosition FButtonPosition = TButtonPosition::bpStandalone;
  TOwned<TAdvHintInfo> FOfficeHint;
  bool FCheckLinked = false;
  bool FGroupIndexLinked = false;
  TFocusType FFocusType = TFocusType::ftBorder;
  TShortCutHintWindow* FShortCutHint = nullptr;
  TShortCutHintPos FShortCutHintPos = TShortCutHintPos::shpTop;
  String FShortCutHintText;
  bool FShowDisabled = true;
  bool FDroppedDown = false;
  int FSpacing = 2;
  bool FAutoSize = false;
  bool FWordWrap = true;
  bool FDoAutoSize = false;
  bool FFirstPaint = true;
  int FMarginVert = 1;
  int FMarginHorz = 1;
  bool FRounded = true;
  String FWideCaption;
  StringTrimming FTrimming = StringTrimmingNone;
  TTimer* FRepeatTimer = nullptr;
  int FInitRepeatPause = 400;
  int FRepeatPause = 100;
  bool FRepeatClick = false;
  bool FPainting = false;
  TButtonSizeState FButtonSizeState = TButtonSizeState::bsLarge;
  TButtonSizeState FMaxButtonSizeState = TButtonSizeState::bsLarge;
  TButtonLayout FOldLayout = TButtonLayout::blGlyphLeft;
  TDropDownPosition FOldDropDownPosition = TDropDownPosition::dpRight;
  TButtonSizeState FMinButtonSizeState = TButtonSizeState::bsGlyph;
  TCustomForm* FParentForm = nullptr;
  bool FIsVista = false;
  TOwned<TStringList> FNotes;
  TOwned<TFont> FNotesFont;
  bool FGotButtonClick = false;
  bool FHasFocus = false;
  bool FStaticButton = false;
  TOwned<TChangeLink> FImageChangeLink;
  TOwned<TChangeLink> FDisabledImageChangeLink;
  TOwned<TChangeLink> FHotImageChangeLink;
  TImageListType FImageListType = TImageListType::ipActionList;
  TKelStyle FCompStyle = TKelStyle::tsCustom;
  bool FAlwaysShowAccel = false;
  bool FDrawSplitLineAlways = false;
  bool FDesignClicks = false;
  bool FUseAppearance = false;
  bool FHot = false;
  bool FIsOnRibbon = false;
  int FHelpContext = 0;
  String FHelpKeyword;
  THelpType FHelpType = THelpType::htKeyword;
};

class TAdvGlowButton : public TAdvCustomGlowButton {
  VANTREL_CLASS(TAdvGlowButton)
 public:
  using TAdvCustomGlowButton::TAdvCustomGlowButton;
};
