// The items of a toolbar: the control base that knows its toolbar (or quick
// access toolbar) and orientation, the toolbar button (a graphic control
// with glyphs or an image, a caption, check and group behaviour, an
// optional drop-down part and menu, rotation on vertical toolbars and
// auto-sizing) and the separator between groups of items. The button's
// painting is AdvToolBarButtonPaint.cpp.
#pragma once

#include "base/ActnList.h"
#include "base/Picture.h"
#include "ui/controls/buttons/AdvGlassButton.h"
#include "ui/controls/buttons/ButtonGroup.h"
#include "ui/controls/menus/AdvMenus.h"
#include "ui/toolbar/bars/AdvToolBar.h"

class TAdvCustomToolBarControl : public TGraphicControl {
  VANTREL_CLASS(TAdvCustomToolBarControl)
 public:
  explicit TAdvCustomToolBarControl(TComponent* AOwner);

  TAdvCustomToolBar* AdvToolBar() const { return FAdvToolBar; }
  // Moves the item to another toolbar (its Parent becomes the toolbar);
  // raises "AdvToolBar not set" when the toolbar did not take it.
  virtual void SetAdvToolBar(TAdvCustomToolBar* Value);
  IQuickAccessToolBar* AdvQuickAccessToolBar() const { return FAdvQuickAccessToolBar; }
  void SetAdvQuickAccessToolBar(IQuickAccessToolBar* Value) { FAdvQuickAccessToolBar = Value; }
  // The side of the toolbar: horizontal for daTop and daBottom.
  TDockAlign Position() const { return FPosition; }
  virtual void SetPosition(TDockAlign Value);
  void SetParent(TWinControl* AParent) override;
  // Fits the item to its content (and to the toolbar across).
  virtual void AdjustSize() {}
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);

 protected:
  friend class TAdvCustomToolBar;
  // A container binds the items it holds to its toolbar without moving them.
  friend class TAdvToolBarContainer;
  TAdvCustomToolBar* FAdvToolBar = nullptr;
  TDockAlign FPosition = TDockAlign::daTop;
  IQuickAccessToolBar* FAdvQuickAccessToolBar = nullptr;
  bool FAutoSize = true;
};

enum class TAdvSeparatorStyle { ssOffice2003, ssBlank };

// The divider between groups of toolbar items: an etched line, or nothing.
class TAdvToolBarSeparator : public TAdvCustomToolBarControl {
  VANTREL_CLASS(TAdvToolBarSeparator)
 public:
  explicit TAdvToolBarSeparator(TComponent* AOwner);
  void Assign(TPersistent* Source) override;
  void AdjustSize() override;
  TAdvSeparatorStyle SeparatorStyle() const { return FSeparatorStyle; }
  void SetSeparatorStyle(TAdvSeparatorStyle Value);
  TColor LineColor() const { return FLineColor; }
  void SetLineColor(TColor Value);

 protected:
  void Paint() override;

 private:
  TAdvSeparatorStyle FSeparatorStyle = TAdvSeparatorStyle::ssOffice2003;
  TColor FLineColor = clBtnShadow;
};

enum class TRotateDirection { rdNormal, rdReverse };
enum class TToolGlyphPosition { gpLeft, gpTop, gpRight, gpBottom };

// Fixed places of a button's glyph and caption, used instead of the layout
// while Enabled.
class TAdvToolBarButtonDrawPosition : public TPersistent {
  VANTREL_CLASS(TAdvToolBarButtonDrawPosition)
 public:
  void Assign(TPersistent* Source) override;
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { Store(FEnabled, Value); }
  int TextX() const { return FTextX; }
  void SetTextX(int Value) { Store(FTextX, Value); }
  int TextY() const { return FTextY; }
  void SetTextY(int Value) { Store(FTextY, Value); }
  int ImageX() const { return FImageX; }
  void SetImageX(int Value) { Store(FImageX, Value); }
  int ImageY() const { return FImageY; }
  void SetImageY(int Value) { Store(FImageY, Value); }
  TNotifyEvent OnChange;

 private:
  template <class T>
  void Store(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    if (OnChange) OnChange(this);
  }
  bool FEnabled = false;
  int FTextX = 0, FTextY = 0, FImageX = 0, FImageY = 0;
};

class TAdvCustomToolBarButton;

// The colours and glyph a button paints in its present state: the button
// part, the drop-down part, the border and the caption.
struct TButtonStateColors {
  TColor Fill = clNone, FillTo = clNone, Border = clNone, Caption = clBlack;
  TColor DropFill = clNone, DropFillTo = clNone;
  AdvToolBar::TGradientDirection Direction = AdvToolBar::TGradientDirection::gdVertical;
  TBitmap* Glyph = nullptr;
};

// Down follows the action's Checked and GroupIndex its GroupIndex, each
// while the two are equal.
class TAdvToolBarButtonActionLink : public TControlActionLink {
  VANTREL_CLASS(TAdvToolBarButtonActionLink)
 public:
  explicit TAdvToolBarButtonActionLink(TObject* AClient);
  bool IsCheckedLinked() override;
  bool IsGroupIndexLinked() override;
  void SetChecked(bool Value) override;
  void SetGroupIndex(int Value) override;

 protected:
  TAdvCustomToolBarButton* FButton;
};

class TAdvCustomToolBarButton : public TAdvCustomToolBarControl {
  VANTREL_CLASS(TAdvCustomToolBarButton)
 public:
  explicit TAdvCustomToolBarButton(TComponent* AOwner);

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Click() override;
  void Dispatch(TMessage& Message) override;
  void AdjustSize() override;

  virtual bool IsMenuButton() { return false; }
  virtual int GetVersionNr() { return ToolBarVersionNr; }
  String Version() { return ToolBarVersionText(GetVersionNr()); }
  void SetVersion(const String&) {}

  // A menu button drops its menu (state absDropDown).
  void DoDropDown();
  // Lets the toolbar track the drop-down menu (or main-menu item); its
  // answer.
  virtual bool CheckMenuDropdown();
  void SetMenuItem(TMenuItem* Value);
  TMenuItem* MenuItem() const { return FMenuItem; }
  void ResetState();
  int VisibleMenuItemCount();
  // The index in the toolbar's item list; -1 without a toolbar.
  int GetIndex();
  // The space around glyph and caption (1 on a quick access toolbar).
  int OffSet() const { return FOffSet; }
  void SetOffSet(int Value) { FOffSet = Value; }
  bool Hot() const { return FPropHot; }
  void SetHot(bool Value);
  // The un-hot timer's check, as one of its ticks makes it.
  void UnHotTimerTick(TObject* Sender);
  bool UnHotTimerRunning() const { return FUnHotTimer->Enabled(); }
  // Rebuilds the grey silhouette drawn under a hot glyph.
  void GenerateShade();
  TBitmap* GlyphShade() const { return FGlyphShade; }

  // Properties.
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  AdvToolBar::TButtonAppearance* Appearance() const { return FAppearance; }
  void SetAppearance(AdvToolBar::TButtonAppearance* Value) { FAppearance->Assign(Value); }
  bool CanRotate() const { return FCanRotate; }
  void SetCanRotate(bool Value);
  TToolGlyphPosition GlyphPosition() const { return FGlyphPosition; }
  void SetGlyphPosition(TToolGlyphPosition Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool DropDownButton() const { return FDropDownButton; }
  void SetDropDownButton(bool Value);
  TAdvPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TAdvPopupMenu* Value);
  bool DropDownSplit() const { return FDropDownSplit; }
  void SetDropDownSplit(bool Value) { FDropDownSplit = Value; }
  TAdvToolBarButtonDrawPosition* DrawPosition() const { return FDrawPosition; }
  void SetDrawPosition(TAdvToolBarButtonDrawPosition* Value) { FDrawPosition->Assign(Value); }
  TBitmap* Glyph() const { return FGlyph; }
  void SetGlyph(TBitmap* Value);
  TBitmap* GlyphHot() const { return FGlyphHot; }
  void SetGlyphHot(TBitmap* Value) { FGlyphHot->Assign(Value); }
  TBitmap* GlyphDown() const { return FGlyphDown; }
  void SetGlyphDown(TBitmap* Value) { FGlyphDown->Assign(Value); }
  TBitmap* GlyphDisabled() const { return FGlyphDisabled; }
  void SetGlyphDisabled(TBitmap* Value) { FGlyphDisabled->Assign(Value); }
  TBitmap* GlyphChecked() const { return FGlyphChecked; }
  void SetGlyphChecked(TBitmap* Value) { FGlyphChecked->Assign(Value); }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TPicture* Picture() const { return FPicture; }
  void SetPicture(TPicture* Value);
  TPicture* PictureDisabled() const { return FPictureDisabled; }
  void SetPictureDisabled(TPicture* Value);
  bool ParentStyler() const { return FParentStyler; }
  void SetParentStyler(bool Value);
  bool Shaded() const { return FShaded; }
  void SetShaded(bool Value);
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  TAdvHintInfo* OfficeHint() const { return FOfficeHint; }
  void SetOfficeHint(TAdvHintInfo* Value) { FOfficeHint->Assign(Value); }
  TRotateDirection RotateDirection() const { return FRotateDirection; }
  void SetRotateDirection(TRotateDirection Value);
  TAdvToolButtonStyle Style() const { return FStyle; }
  void SetStyle(TAdvToolButtonStyle Value) { FStyle = Value; }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  int Spacing() const { return FSpacing; }
  int DropDownSectWidth() const { return FDropDownSectWidth; }
  bool ForceImageIndex() const { return FForceImageIndex; }
  void SetForceImageIndex(bool Value) { FForceImageIndex = Value; }
  TAdvButtonState State() const { return FState; }
  bool MouseInControl() const { return FMouseInControl; }
  bool MenuSel() const { return FMenuSel; }

  TNotifyEvent OnDropDown;

  // Fields the menu bar and the customizer read and set (later families).
  bool FInternalClick = false;
  bool FMenuBeingClosed = false;
  bool FMenuDisplayed = false;
  bool FToolBarCreated = false;
  int FCommandID = -1;
  bool FCustomizerCreated = false;
  int FInternalTag = 0;

 protected:
  void Destroy() override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  TControlActionLinkClass GetActionLinkClass() override;
  void ActionChange(TObject* Sender, bool CheckDefaults) override;
  // Background, border, open-menu frame and arrow, then DrawButton.
  virtual void DrawButtonBackground(TCanvas* ACanvas);
  // The colours of the present state (K holds the normal glyph on entry).
  virtual void GetStateColors(TButtonStateColors& K);
  void DisabledStateColors(TButtonStateColors& K);
  // Pressed, held, or latched while hot: the colours of a press.
  bool PressedLook() const;
  // The drop-down part lies below the button part (else beside it).
  virtual bool PaintsVertical() const;
  virtual void DrawDropArrow(TCanvas* ACanvas, const TRect& Drop, bool Vertical, bool Glass, TColor Arrow);
  // Glyph, its shade and the caption in the part rectangle.
  virtual void DrawButton(TCanvas* ACanvas, TRect ARect, TBitmap* AGlyph, TColor CaptionColor);

  // The styler whose button colours and fonts the button takes, or nullptr.
  TCustomAdvToolBarStyler* CurrentStyler() const;
  TCustomImageList* OwnerImages() const;
  TCustomImageList* OwnerDisabledImages() const;
  // The image list and index that draw the button (an action's list wins
  // unless ForceImageIndex).
  void ImagesAndIndex(TCustomImageList*& List, int& Index) const;
  // The caption is drawn turned a quarter (vertical toolbar, CanRotate).
  bool IsRotated() const;
  bool InGlassMode() const;
  TFont* MeasuringFont();
  // Down and the group, through the rules all buttons share.
  ButtonGroup::TMember GroupMember();
  void UpdateExclusive();
  void UpdateTracking();
  void ButtonPressed(TMessage& Message);
  void MouseEnter();
  void MouseLeave();
  bool ToolBarMenuFocused() const;
  void PopupDropDown();
  void GlyphChanged();

  int FGroupIndex = 0;
  TOwned<TBitmap> FGlyph;
  TOwned<TBitmap> FGlyphDisabled;
  TOwned<TBitmap> FGlyphHot;
  TOwned<TBitmap> FGlyphDown;
  TOwned<TBitmap> FGlyphChecked;
  TOwned<TBitmap> FGlyphShade;
  bool FDown = false;
  TRotateDirection FRotateDirection = TRotateDirection::rdNormal;
  bool FAllowAllUp = false;
  int FSpacing = 4;
  bool FTransparent = true;
  int FOffSet = 4;
  bool FFlat = true;
  bool FMouseInControl = false;
  bool FHot = false;
  bool FMenuSel = false;
  bool FShaded = true;
  TAdvToolButtonStyle FStyle = TAdvToolButtonStyle::tasButton;
  bool FDropDownButton = false;
  TAdvPopupMenu* FDropDownMenu = nullptr;
  bool FParentStyler = true;
  TAdvButtonState FState = TAdvButtonState::absUp;
  TToolGlyphPosition FGlyphPosition = TToolGlyphPosition::gpLeft;
  bool FMouseDownInControl = false;
  int FDropDownSectWidth = 12;
  TMenuItem* FMenuItem = nullptr;
  int FImageIndex = -1;
  bool FShadedForGlyph = false;
  bool FDragging = false;
  TOwned<AdvToolBar::TButtonAppearance> FAppearance;
  bool FShowCaption = false;
  bool FPropHot = false;
  TOwned<TPicture> FPicture;
  TOwned<TPicture> FPictureDisabled;
  TOwned<TTimer> FUnHotTimer;
  TOwned<TAdvToolBarButtonDrawPosition> FDrawPosition;
  bool FInitialDown = false;
  TOwned<TAdvHintInfo> FOfficeHint;
  bool FDropDownSplit = true;
  bool FForceImageIndex = false;
  bool FCanRotate = true;

 private:
  friend class TAdvToolBarButtonActionLink;
};

class TAdvToolBarButton : public TAdvCustomToolBarButton {
  VANTREL_CLASS(TAdvToolBarButton)
 public:
  using TAdvCustomToolBarButton::TAdvCustomToolBarButton;
};

// The button a menu bar makes for each top-level item of its menu: it drops
// the item's sub-items and, on a toolbar with a styler, takes its hover and
// pressed colours from the root item of the styler's menu styler.
class TAdvToolBarMenuButton : public TAdvCustomToolBarButton {
  VANTREL_CLASS(TAdvToolBarMenuButton)
 public:
  explicit TAdvToolBarMenuButton(TComponent* AOwner);
  bool IsMenuButton() override { return true; }

 protected:
  void GetStateColors(TButtonStateColors& K) override;
  bool PaintsVertical() const override { return !IsHorizontal(FPosition); }
  void DrawDropArrow(TCanvas* ACanvas, const TRect& Drop, bool Vertical, bool Glass, TColor Arrow) override;
  // The root item whose colours the button takes on a menu bar, or nullptr.
  TRootItem* MenuBarRootItem() const;
};

// A glow button that drops its menu, for ribbon groups and toolbars of glow
// buttons.
class TAdvGlowMenuButton : public TAdvCustomGlowButton {
  VANTREL_CLASS(TAdvGlowMenuButton)
 public:
  explicit TAdvGlowMenuButton(TComponent* AOwner);
  bool IsMenuButton() override { return true; }
};
