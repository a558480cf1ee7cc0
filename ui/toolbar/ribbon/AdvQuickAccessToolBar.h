// TAdvQuickAccessToolBar: the strip of small buttons of a ribbon pager. It
// sits in the pager's caption bar beside the application button, or below
// the ribbon as a full-width band (the pager's ShowQATBelow). It keeps the
// buttons placed on it in one row ordered by their Left; what does not fit
// goes to a hidden list that drops down from an overflow chevron in a
// control selector panel. It may show a customize button, shows an
// application icon button (a click opens the form's system menu, a second
// one within 300 ms closes the form) and key tips, and paints itself flat
// (Office 2013/2016 tones), as a classic band or on glass.
//
// Sources: AdvQuickAccessToolBar.cpp (model, lists, size, placing,
// overflow, customize button, styler, key tips), QATAppButton.cpp (the
// application button), AdvQuickAccessToolBarPaint.cpp (painting).
#pragma once

#include "base/Menus.h"
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/toolbar/bars/ToolBarHosts.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

class TAdvToolBarPager;
class TAdvVistaButton;
class TOptionSelectorWindow;
class TControlSelectorPanel;
class TCustomAdvToolBarStyler;

// The class of the application icon button, so that the quick access
// toolbar tells it apart from the buttons it lays out.
class TAppIconGlowButton : public TAdvGlowButton {
  VANTREL_CLASS(TAppIconGlowButton)
 public:
  using TAdvGlowButton::TAdvGlowButton;
};

class TAdvCustomQuickAccessToolBar : public TCustomControl, public IQuickAccessToolBar {
  VANTREL_CLASS(TAdvCustomQuickAccessToolBar)
 public:
  explicit TAdvCustomQuickAccessToolBar(TComponent* AOwner);

  // The parent pager shows Office 2013 or 2016 tones.
  virtual bool IsOfficeFlatStyle();

  // -------------------------------------------------------------------------
  // Controls

  // Makes AControl a child (at design time it lands at the end of the row).
  void AddToolBarControl(TControl* AControl);
  // A control that leaves also leaves the hidden list and the overflow
  // drop-down; the row is laid out again.
  void RemoveControl(TControl* AControl) override;
  // Frees every control placed on it (not its own buttons and pop-ups).
  void Clear();
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }
  // The controls laid out in the row, ordered by Left, and the hidden ones
  // in row order.
  int ControlListCount() const { return FCtrlList->Count(); }
  TControl* ControlListItem(int Index) const;
  int HiddenCount() const { return FHiddenCtrlList->Count(); }
  TControl* HiddenItem(int Index) const;
  bool IsHidden(TControl* Control) const { return FHiddenCtrlList->IndexOf(Control) >= 0; }

  // -------------------------------------------------------------------------
  // Geometry (client coordinates)

  TRect GetBarRect();
  int GetLeftOffset();
  int GetRightMargin();
  // Where the buttons lie.
  TRect GetControlsRect();
  int GetMinWidth() const { return 60; }
  // The width that shows every control, hidden ones included.
  int GetNeededWidth();
  TRect GetScrollButtonRect();
  int GetVisibleButtonCount();
  int ButtonWidth() const { return FButtonWidth; }

  // -------------------------------------------------------------------------
  // Layout steps (the pager calls them too)

  void UpdateControlList();
  void PurgeControlList();
  // Size and place from the pager's quick access area.
  void UpdateSize();
  // The row placed from the left; Resize: UpdateSize afterwards.
  void UpdateControlsPos(bool Resize);
  // Controls that pass the right edge go to the hidden list (the chevron
  // shows), and come back one by one as room returns.
  void ArrangeQATControls();
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // The full relayout.
  void Update() override;

  // -------------------------------------------------------------------------
  // What the pager tells it

  bool IsAeroVista() const { return FIsAeroVista; }
  void SetAeroVista(bool Value);
  bool FullSize() const { return FFullSize; }
  void SetFullSize(bool Value);
  void ApplyStylerChange(int Kind);
  void ApplyStylerToControls();
  void ApplyColorTones(const TColorTones& Tones);
  // The styler in effect: the parent pager's, nullptr without a pager.
  TCustomAdvToolBarStyler* GetToolBarStyler();
  void SetParent(TWinControl* AParent) override;

  // -------------------------------------------------------------------------
  // Overflow drop-down, customize button

  TAdvVistaButton* ScrollButton() const { return FScrollButton; }
  TAdvVistaButton* CustomizeButton() const { return FCustomizeButton; }
  TOptionSelectorWindow* OverflowWindow() const { return FOverflowWindow; }
  TControlSelectorPanel* OverflowPanel() const { return FOverflowWindowPanel; }
  void ShowScrollButton(bool Value);
  void UpdateOverflowWindow();
  // At (X, Y) on the screen with AtPosition, else under the chevron; kept
  // inside the work area; nothing for an empty panel.
  void ShowOverflowWindow(int X = 0, int Y = 0, bool AtPosition = false);
  void HideOverflowWindow();
  bool ShowCustomizeOption() const { return FShowCustomizeOption; }
  void SetShowCustomizeOption(bool Value);
  const String& CustomizeHint() const { return FCustomizeHint; }
  void SetCustomizeHint(const String& Value);
  // Fires OnCustomizeClick and drops DropDownPopupMenu under the button.
  void CustomizeButtonClick(TObject* Sender);
  TPopupMenu* DropDownPopupMenu() const { return FDropDownPopupMenu; }
  void SetDropDownPopupMenu(TPopupMenu* Value);

  // -------------------------------------------------------------------------
  // Images

  TCustomImageList* Images() const { return FImages; }
  // The height follows a change of image height from the list it was last
  // sized for; taking the list away or giving the first one leaves it.
  void SetImages(TCustomImageList* Value);
  TCustomImageList* DisabledImages() const { return FDisabledImages; }
  void SetDisabledImages(TCustomImageList* Value);

  // -------------------------------------------------------------------------
  // Application button (QATAppButton.cpp)

  TAppIconGlowButton* App() const { return FApp; }
  bool AppIconAlphaBlended() const { return FAppIconAlphaBlended; }
  void SetAppIconAlphaBlended(bool Value);
  // Made on first use; shown with the scenic or flat look, in the caption
  // or, below the ribbon, on the pager.
  void UpdateAppButton();
  // Opens the form's system menu; a second click within 300 ms closes the
  // form (the application for the main form) unless its OnCloseQuery or
  // OnClose refuses.
  void AppButtonClick(TObject* Sender);

  // -------------------------------------------------------------------------
  // Key tips

  void ShowShortCutHints();
  void HideShortCutHints();
  // Text typed in key-tip mode: an exact match clicks that button and
  // answers true; buttons whose tip starts with Text add to PartialCount,
  // the others hide their tips.
  bool HandleShortCutHintKey(const String& Text, int& PartialCount);

  void Loaded() override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TNotifyEvent OnCustomizeClick;

  // IQuickAccessToolBar
  TWinControl* QATControl() override { return this; }
  TCustomImageList* QATImages() override { return FImages; }
  TCustomImageList* QATDisabledImages() override { return FDisabledImages; }
  TCustomAdvToolBarStyler* QATStyler() override { return GetToolBarStyler(); }
  bool QATGlass() override { return FIsAeroVista; }
  bool QATFullSize() override { return FFullSize; }
  int QATButtonAreaHeight() override;
  void QATHideOverflow() override { HideOverflowWindow(); }
  void QATItemsChanged() override;
  bool QATRepositioning() override { return FInternalUpdatingControlPos; }
  void QATPurgeControlList() override { PurgeControlList(); }
  void QATInvalidateRefButton() override { InvalidateRefButton(); }

 protected:
  void Destroy() override;
  void Paint() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

 private:
  TAdvToolBarPager* Pager() const;
  // One of the toolbar's own controls (buttons, pop-ups), never laid out.
  bool IsOwnControl(TControl* Control) const;
  void BuildControlList();
  void Relayout();
  void ControlInserted(TControl* Control);
  void ControlClicked(TObject* Sender);
  void ScrollButtonMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void OverflowWindowHide(TObject* Sender);
  void RestorePagerFocus();
  void InvalidateRefButton();
  void RepaintGlowButtons();
  void PaintFlat();
  void PaintClassic();
  void PaintFullSizeBand(TCanvas* Canvas);
  void PaintCaptionBand(TCanvas* Canvas);
  void PaintGlass();

  DWORD FAppButtonTime = 0;
  // A click opened the system menu at FAppButtonTime.
  bool FAppButtonClicked = false;
  TAppIconGlowButton* FApp = nullptr;  // owned as a component
  bool FFullSize = false;
  bool FShowCustomizeOption = false;
  TOwned<TDbgList> FCtrlList;
  TOwned<TDbgList> FHiddenCtrlList;
  bool FInternalUpdatingControlPos = false;
  bool FInternalUpdatingSize = false;
  TAdvVistaButton* FCustomizeButton = nullptr;  // owned as components
  TAdvVistaButton* FScrollButton = nullptr;
  TOptionSelectorWindow* FOverflowWindow = nullptr;
  TControlSelectorPanel* FOverflowWindowPanel = nullptr;  // owned by the window
  TCustomImageList* FDisabledImages = nullptr;
  TCustomImageList* FImages = nullptr;
  // The image height the toolbar's height was last sized for (0: none).
  int FSizedImageHeight = 0;
  int FButtonWidth = 14;
  int FButtonGap = 2;
  TPopupMenu* FDropDownPopupMenu = nullptr;
  int FUpdateCount = 0;
  // Redraw was switched off by BeginUpdate.
  bool FRedrawOff = false;
  String FCustomizeHint;
  bool FIsAeroVista = false;
  TAdvGlowButton* FRefGlowButton = nullptr;  // owned as a component
  bool FRef = false;
  bool FVisibleChanged = false;
  bool FAppIconAlphaBlended = true;
  bool FIsWin7 = false;
  TControl* FHintCtrl = nullptr;
};

class TAdvQuickAccessToolBar : public TAdvCustomQuickAccessToolBar {
  VANTREL_CLASS(TAdvQuickAccessToolBar)
 public:
  using TAdvCustomQuickAccessToolBar::TAdvCustomQuickAccessToolBar;
};
