// TCompactWindow: the borderless, stay-on-top pop-up under the compact
// button of a ribbon group that has turned compact. It holds the group's
// clone toolbar with a 1-pixel frame in the styler's colour, has rounded
// corners, and hides itself 1 ms after it loses the activation (unless its
// close query refuses, or a drop-down of one of its buttons is open). The
// toolbar creates, fills, places and shows it (ToolBarCompact.cpp).
#pragma once

#include "base/ExtCtrls.h"
#include "base/Forms.h"

class TAdvCustomToolBar;
class TAdvGlowButton;

// The window parameters of a drop-down pop-up parented to a control: a
// top-level pop-up with a drop shadow where the system has one.
void SetDropDownWindowParams(TCreateParams& Params);
// WM_ERASEBKGND of such a pop-up: the whole client area and the frame round
// it in the form's colour.
void EraseInFormColor(TCustomForm* Form, TMessage& Message);

class TCompactWindow : public TCustomForm {
  VANTREL_CLASS(TCompactWindow)
 public:
  explicit TCompactWindow(TComponent* AOwner);

  // The toolbar shown (the clone of the compacted group); not owned.
  TAdvCustomToolBar* AdvToolBar() const { return FAdvToolBar; }
  void SetAdvToolBar(TAdvCustomToolBar* Value) { FAdvToolBar = Value; }
  // The compact button that dropped the window down.
  TAdvGlowButton* DropDownButton() const { return FDropDownButton; }
  void SetDropDownButton(TAdvGlowButton* Value) { FDropDownButton = Value; }
  bool HideOnDeActivate() const { return FHideOnDeActivate; }
  TTimer* HideTimer() const { return FHideTimer; }

  // The toolbar's size and 2 pixels, the toolbar at (1, 1), the colour of
  // its styler's background.
  void SetWindowSize();
  // Corners rounded by a 4 x 4 ellipse.
  void SetRoundRegion();
  // The close query allows it and the window hides on deactivation.
  bool CanAutoHide();
  // The top-level window above the owner's window (0 without one).
  HWND GetOwnerTopWindow();

  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void DoHide() override;

 private:
  void HideTimerTick(TObject* Sender);
  void WMActivate(TMessage& Message);
  TAdvCustomToolBar* FAdvToolBar = nullptr;
  bool FHideOnDeActivate = true;
  TComponent* FOwner;
  TTimer* FHideTimer;  // owned as a component
  TAdvGlowButton* FDropDownButton = nullptr;
};
