// A quick access toolbar as the toolbar library's pieces see it (buttons,
// the overflow panel, Vista buttons): a plain control in its Color that
// says what it is told to and counts what it is asked to do.
#pragma once

#include "ui/toolbar/bars/ToolBarHosts.h"

class TTestQuickAccessToolBar : public TCustomControl, public IQuickAccessToolBar {
  VANTREL_CLASS(TTestQuickAccessToolBar)
 public:
  using TCustomControl::TCustomControl;
  TWinControl* QATControl() override { return this; }
  TCustomImageList* QATImages() override { return nullptr; }
  TCustomImageList* QATDisabledImages() override { return nullptr; }
  TCustomAdvToolBarStyler* QATStyler() override { return nullptr; }
  bool QATGlass() override { return Glass; }
  bool QATFullSize() override { return false; }
  int QATButtonAreaHeight() override { return 22; }
  void QATHideOverflow() override {}
  void QATItemsChanged() override {}
  bool QATRepositioning() override { return Repositioning; }
  void QATPurgeControlList() override {
    ++Purges;
    PurgedChildren = Overflow ? Overflow->ControlCount() : -1;
  }
  void QATInvalidateRefButton() override { ++RefInvalidations; }

  bool Glass = false;
  bool Repositioning = false;
  // Its overflow panel, and how many controls it held at the last purge.
  TWinControl* Overflow = nullptr;
  int Purges = 0;
  int PurgedChildren = -1;
  int RefInvalidations = 0;

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
  }
};
