// The contents of the chevron drop-down of a toolbar and of the overflow
// drop-down of the quick access toolbar (in a TOptionSelectorWindow), top
// to bottom: the controls that did not fit, moved into the panel and laid
// out in rows; an "Options" entry when there is an options menu or a
// customizer; an "Add or Remove Buttons" entry when asked for. Hovering
// "Add or Remove Buttons" opens the pop-up that lists the toolbar's items
// with check marks (PopupLinks.h); hovering "Options" drops the options
// menu, or, with a customizer and no menu, a small window with one
// customize entry (TCustomizeOption) that opens the customizer.
//
// The toolbar (its option window) and the quick access toolbar (its
// overflow) fill the panel each time they drop it: the entries' settings
// and colours, the listed controls, then ArrangeControls and the window's
// SetWindowSize.
#pragma once

#include "base/Menus.h"
#include "ui/toolbar/bars/OptionSelectorWindow.h"
#include "ui/toolbar/bars/PopupLinks.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

class TAdvToolBarSeparator;
class TCustomAdvToolBarStyler;
class TCustomizeOption;

// The caption and place of one of the two entries.
class TSelectorItem {
 public:
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  // Panel client coordinates; (0, 0, 0, 0) while the entry is not shown.
  const TRect& BRect() const { return FBRect; }
  void SetBRect(const TRect& Value) { FBRect = Value; }

 private:
  int FHeight = 20;
  String FCaption;
  TRect FBRect{0, 0, 0, 0};
  int FWidth = 30;
};

class TControlSelectorPanel : public TOptionSelectorPanel {
  VANTREL_CLASS(TControlSelectorPanel)
 public:
  explicit TControlSelectorPanel(TComponent* AOwner);

  // --- Listed controls
  // Makes AControl a child of the panel and lists it once; its index, -1
  // for nullptr.
  int AddControl(TControl* AControl);
  // A copy of Source owned by the panel, listed; it lives until the window
  // hides (ClearSeparators).
  TAdvToolBarSeparator* AddSeparator(TAdvToolBarSeparator* Source);
  void ClearSeparators() override;
  // Forgets the listed controls (they stay where they are).
  void ClearControlList() { FControlList->Clear(); }
  int ListedCount() const { return FControlList->Count(); }
  TControl* Listed(int Index) const { return static_cast<TControl*>(FControlList->GetItemsEx(Index)); }
  int SeparatorCount() const { return FSeparatorList->Count(); }
  // A child leaving the panel leaves the list too, and the rest close up.
  void RemoveControl(TControl* AControl) override;
  // Lays out the listed controls in rows under the margins, moves other
  // children out of sight, sizes the panel and places the two entries
  // along its bottom.
  void ArrangeControls();
  // No listed control and neither entry shown.
  bool IsEmpty();

  // --- The entries
  bool ShowAddAndRemoveBtn() const { return FShowAddAndRemoveBtn; }
  void SetShowAddAndRemoveBtn(bool Value) { FShowAddAndRemoveBtn = Value; }
  // An options menu or a customizer is set.
  bool ShowOptionsBtn() const { return FOptionsMenu || FCustomizer; }
  const String& TextAutoOptionMenu() const { return FAddAndRemoveBtn.Caption(); }
  void SetTextAutoOptionMenu(const String& Value);
  const String& TextOptionMenu() const { return FOptionsBtn.Caption(); }
  void SetTextOptionMenu(const String& Value);
  TPopupMenu* OptionsMenu() const { return FOptionsMenu; }
  void SetOptionsMenu(TPopupMenu* Value);
  IToolBarCustomizer* Customizer() const { return FCustomizer; }
  void SetCustomizer(IToolBarCustomizer* Value);
  const TSelectorItem& AddAndRemoveItem() const { return FAddAndRemoveBtn; }
  const TSelectorItem& OptionsItem() const { return FOptionsBtn; }
  bool AddAndRemoveHot() const { return FAddAndRemoveBtnHot; }
  bool AddAndRemoveDown() const { return FAddAndRemoveBtnDown; }
  bool OptionsHot() const { return FOptionsBtnHot; }
  bool OptionsDown() const { return FOptionsBtnDown; }
  // Both entries as wide as the wider caption in Tahoma at the font size,
  // and 15 pixels, at least 130.
  void UpdateItemWidths();

  // --- Colours of the entries (stored only)
  TColor ItemColorHot() const { return FItemColorHot; }
  void SetItemColorHot(TColor Value) { FItemColorHot = Value; }
  TColor ItemColorHotTo() const { return FItemColorHotTo; }
  void SetItemColorHotTo(TColor Value) { FItemColorHotTo = Value; }
  TColor ItemColorDown() const { return FItemColorDown; }
  void SetItemColorDown(TColor Value) { FItemColorDown = Value; }
  TColor ItemColorDownTo() const { return FItemColorDownTo; }
  void SetItemColorDownTo(TColor Value) { FItemColorDownTo = Value; }
  TColor ItemTextColor() const { return FItemTextColor; }
  void SetItemTextColor(TColor Value) { FItemTextColor = Value; }
  TColor ItemTextColorHot() const { return FItemTextColorHot; }
  void SetItemTextColorHot(TColor Value) { FItemTextColorHot = Value; }
  TColor ItemTextColorDown() const { return FItemTextColorDown; }
  void SetItemTextColorDown(TColor Value) { FItemTextColorDown = Value; }
  int ItemTextFontSize() const { return FItemTextFontSize; }
  void SetItemTextFontSize(int Value) { FItemTextFontSize = Value; }
  // The entries' colours as the fillers take them from a styler: from the
  // root item of its menu styler in effect for a menu bar, else from its
  // button appearance; the font size with them when WithFontSize.
  void TakeItemColors(TCustomAdvToolBarStyler* Styler, bool MenuBar, bool WithFontSize);

  // --- What the entries open
  // The add-or-remove pop-up for the window's toolbar, beside the entry.
  void ShowAddRemovePopup();
  void HideAddRemovePopup();
  // The options menu (returns when it has closed), or the customize window.
  void ShowCustomizeOptions();
  IAddRemovePopup* AddRemovePopup() const { return FAddAndRemovePopup; }
  TOptionSelectorWindow* CustomizeOptionWindow() const { return FCustomizeOptionWindow; }
  TCustomizeOption* CustomizeOptionPanel() const { return FCustomizeOptionPanel; }
  // Runs while the options menu is open.
  TTimer* MenuTimer() const { return FTimer; }
  // The window the panel lies in (nullptr elsewhere).
  TOptionSelectorWindow* DropDownWindow() const;

  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void Destroy() override;
  void Paint() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

 private:
  void TimerTick(TObject* Sender);
  void MouseLeft();
  void AddRemovePopupHide(TObject* Sender);
  void AddRemovePopupDeActivateHide(TObject* Sender);
  void CustomizeOptionWindowHide(TObject* Sender);
  // Hides the customize window without taking the drop-down with it.
  void HideCustomizeWindow();
  // Hides a window of the panel's own; the activation it held goes back
  // to the drop-down.
  void HideNested(TCustomForm* Nested);
  void HideDropDown();
  // The width of the options menu's window: its widest entry as the entry
  // measures itself, with the room the system adds (0 for no entry).
  int OptionsMenuWidth();
  void PaintItem(const TSelectorItem& Item, bool Hot, bool Down, bool ArrowDown);
  // The quick access toolbar that drops the panel: it purges its list.
  void TellQuickAccessToolBar();
  bool PointerIn(const TSelectorItem& Item);

  TOwned<TDbgList> FControlList;
  TSelectorItem FAddAndRemoveBtn;
  bool FAddAndRemoveBtnHot = false, FAddAndRemoveBtnDown = false;
  TColor FItemColorDown = 0x808080;
  TColor FItemColorHot = 0xD2BDB6;
  int FSeparatorSize = 8;
  TColor FItemColorDownTo = clNone;
  TColor FItemColorHotTo = clNone;
  TColor FItemTextColorHot = clWhite;
  TColor FItemTextColor = clBlack;
  TColor FItemTextColorDown = clBlack;
  int FItemTextFontSize = 8;
  IAddRemovePopup* FAddAndRemovePopup = nullptr;  // owned as a component
  bool FShowAddAndRemoveBtn = true;
  TSelectorItem FOptionsBtn;
  bool FOptionsBtnHot = false, FOptionsBtnDown = false;
  TPopupMenu* FOptionsMenu = nullptr;
  TTimer* FTimer;  // owned as a component
  TOwned<TDbgList> FSeparatorList;
  bool FInternalHiding = false;
  IToolBarCustomizer* FCustomizer = nullptr;
  TCustomizeOption* FCustomizeOptionPanel = nullptr;         // owned by its window
  TOptionSelectorWindow* FCustomizeOptionWindow = nullptr;  // owned as a component
};

// The one entry of the customize window: the customize word and the
// toolbar's caption; a click hides the drop-down and opens the customizer.
class TCustomizeOption : public TOptionSelectorPanel {
  VANTREL_CLASS(TCustomizeOption)
 public:
  explicit TCustomizeOption(TComponent* AOwner);

  const String& CustomizeText() const { return FCustomizeText; }
  void SetCustomizeText(const String& Value) { FCustomizeText = Value; }
  // Opens its dialog on the click (not owned).
  IToolBarCustomizer* Customizer() const { return FCustomizer; }
  void SetCustomizer(IToolBarCustomizer* Value);
  bool Hot() const { return FCustomizeBtnHot; }
  bool Down() const { return FCustomizeBtnDown; }
  // 25 high, as wide as the text and 12 pixels within the margins.
  void UpdateSize();
  TRect GetButtonRect();

  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void Paint() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  bool FCustomizeBtnHot = false, FCustomizeBtnDown = false;
  String FCustomizeText = L"Customize";
  IToolBarCustomizer* FCustomizer = nullptr;
};
