// TDropDownForm: what the toolbar library's pop-up forms share. It is a
// stay-on-top form whose Parent is the control it drops from, while its
// window is a top-level pop-up. It hides itself one tick of a 1 ms timer
// after it loses the activation, when CanAutoHide allows it: its close
// query agrees and HideOnDeActivate is on (off while a drop-down of its own
// is open). The activation coming back before the tick keeps it. Only its
// bottom-right corner answers the hit test (a sizing corner); the rest is
// left to the controls on it.
#pragma once

#include "base/ExtCtrls.h"
#include "base/Forms.h"

class TDropDownForm : public TCustomForm {
  VANTREL_CLASS(TDropDownForm)
 public:
  explicit TDropDownForm(TComponent* AOwner);

  bool HideOnDeActivate() const { return FHideOnDeActivate; }
  void SetHideOnDeActivate(bool Value) { FHideOnDeActivate = Value; }
  TTimer* HideTimer() const { return FHideTimer; }

  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  // Whether losing the activation hides the window.
  virtual bool CanAutoHide() { return FHideOnDeActivate && CloseQuery(); }
  // The window got the activation; Shown: it is on the screen.
  virtual void Activated(bool Shown) {}
  // The hide timer's tick (the timer is stopped already).
  virtual void AutoHide() { Hide(); }
  // The window of the form that holds the owner, passing over drop-downs
  // on the way (the owners of a form's window may be other forms);
  // nullptr without one.
  HWND OwnerFormWindow();

  TComponent* FOwner;

 private:
  void WMActivate(TMessage& Message);
  void WMNCHitTest(TMessage& Message);

  bool FHideOnDeActivate = true;
  TTimer* FHideTimer;  // owned as a component
};
