// TMinimizedRibbonWindow: the floating ribbon. While the pager is collapsed
// to its tabs, a click on a tab shows the active page in this borderless,
// stay-on-top pop-up under the tabs: it holds a clone of the page with the
// page's groups lent to it, gives the focus to the first group when
// activated and, when it loses the activation, asks the pager whether it may
// hide (OnFloatingRibbonHide) about 1 ms later, again at every tick while the
// answer is no.
#pragma once

#include "base/ExtCtrls.h"
#include "base/Forms.h"

class TAdvToolBarPager;
class TAdvPage;

class TMinimizedRibbonWindow : public TCustomForm {
  VANTREL_CLASS(TMinimizedRibbonWindow)
 public:
  explicit TMinimizedRibbonWindow(TComponent* AOwner);

  TAdvToolBarPager* AdvToolBarPager() const { return FAdvToolBarPager; }
  void SetAdvToolBarPager(TAdvToolBarPager* Value) { FAdvToolBarPager = Value; }
  TAdvPage* AdvPage() const { return FAdvPage; }
  void SetAdvPage(TAdvPage* Value) { FAdvPage = Value; }
  bool HideOnDeActivate() const { return FHideOnDeActivate; }
  void SetHideOnDeActivate(bool Value) { FHideOnDeActivate = Value; }
  TTimer* HideTimer() const { return FHideTimer; }

  // The page's size and 3 pixels, the page at (2, 0).
  void SetWindowSize();
  // The close query allows it, it hides on deactivation and the pager does
  // not block hiding.
  bool CanAutoHide();
  void HideTimerTick(TObject* Sender);

  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;

 private:
  void WMActivate(TMessage& Message);
  bool FHideOnDeActivate = true;
  TTimer* FHideTimer;  // owned as a component
  TAdvToolBarPager* FAdvToolBarPager = nullptr;
  TAdvPage* FAdvPage = nullptr;
};
