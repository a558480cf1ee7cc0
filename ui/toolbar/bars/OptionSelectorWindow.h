// TOptionSelectorWindow: the borderless, stay-on-top pop-up that drops down
// from a toolbar's chevron (the items that did not fit), from the options
// entry of that drop-down (the customize entry) and from the quick access
// toolbar's overflow button. It hides itself as a TDropDownForm does: 1 ms
// after it loses the activation, unless its close query refuses or a
// drop-down of its own is open. While it is shown and active, the form of
// its owner keeps an active caption.
//
// TOptionSelectorPanel fills it: a panel in Color, or a gradient to ColorTo,
// with a 1-pixel frame; the base of the panels shown there
// (ControlSelectorPanel.h).
#pragma once

#include "base/ExtCtrls.h"
#include "ui/toolbar/bars/DropDownForm.h"
#include "ui/toolbar/stylers/ToolBarAppearances.h"

class TAdvCustomToolBar;
class IQuickAccessToolBar;

class TOptionSelectorPanel : public TCustomPanel {
  VANTREL_CLASS(TOptionSelectorPanel)
 public:
  // No bevel, colour 0xF7F8F9.
  explicit TOptionSelectorPanel(TComponent* AOwner);

  // The three colour setters store only (no repaint).
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value) { FColorTo = Value; }
  AdvToolBar::TGradientDirection GradientDirection() const { return FGradientDirection; }
  void SetGradientDirection(AdvToolBar::TGradientDirection Value) { FGradientDirection = Value; }
  TColor WindowBorderColor() const { return FWindowBorderColor; }
  void SetWindowBorderColor(TColor Value) { FWindowBorderColor = Value; }
  // The toolbar or quick access toolbar the panel serves (not owned).
  TAdvCustomToolBar* AdvToolBar() const { return FAdvToolBar; }
  void SetAdvToolBar(TAdvCustomToolBar* Value);
  IQuickAccessToolBar* AdvQuickAccessToolBar() const { return FAdvQuickAccessToolBar; }
  void SetAdvQuickAccessToolBar(IQuickAccessToolBar* Value) { FAdvQuickAccessToolBar = Value; }
  int MarginX() const { return FMarginX; }
  int MarginY() const { return FMarginY; }

  // The height the window takes: the panel's Height.
  virtual int GetVisibleHeight() { return Height(); }
  // Frees what the panel shows only while its window is up (nothing here).
  virtual void ClearSeparators() {}

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void Paint() override;

  TComponent* FOwner;
  int FMarginY = 3;
  int FMarginX = 3;

 private:
  TColor FColorTo = clNone;
  AdvToolBar::TGradientDirection FGradientDirection = AdvToolBar::TGradientDirection::gdHorizontal;
  TColor FWindowBorderColor = 0x808080;
  TAdvCustomToolBar* FAdvToolBar = nullptr;
  IQuickAccessToolBar* FAdvQuickAccessToolBar = nullptr;
};

class TOptionSelectorWindow : public TDropDownForm {
  VANTREL_CLASS(TOptionSelectorWindow)
 public:
  explicit TOptionSelectorWindow(TComponent* AOwner) : TDropDownForm(AOwner) {}

  // A window as its owners make it: owned by Owner with Parent as its
  // Parent, no border and no border icons, stay on top, hidden, Width x
  // Height, OnHide; the panel is made by the caller, in the window.
  static TOptionSelectorWindow* CreateDropDown(TComponent* Owner, TWinControl* Parent, int Width, int Height,
                                               TNotifyEvent OnHide);

  // The toolbar the window drops from (nullptr for a quick access toolbar).
  TAdvCustomToolBar* AdvToolBar() const { return FAdvToolBar; }
  void SetAdvToolBar(TAdvCustomToolBar* Value);
  TOptionSelectorPanel* OptionsPanel() const { return FOptionsPanel; }
  void SetOptionsPanel(TOptionSelectorPanel* Value);

  // The panel's width and visible height.
  void SetWindowSize();

  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  // OnHide, then the panel frees what it showed only while up.
  void DoHide() override;
  // Shown: the panel takes the focus and the owner's form keeps an active
  // caption; hidden: the toolbar takes the focus.
  void Activated(bool Shown) override;

 private:
  TAdvCustomToolBar* FAdvToolBar = nullptr;
  TOptionSelectorPanel* FOptionsPanel = nullptr;
};
