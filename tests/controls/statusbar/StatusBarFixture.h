// A form with one status bar, 400 pixels wide, whose own timer is stopped so
// that only the WM_TIMER messages a test sends reach it.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "base/Forms.h"
#include "base/ImgList.h"
#include "tests/support/Gui.h"
#include "ui/controls/statusbar/AdvOfficeStatusBar.h"

using PS = TAdvOfficeStatusPanelStyle;

struct BarFixture : ::testing::Test {
  TForm* Form;
  TAdvOfficeStatusBar* Bar;

  BarFixture();
  ~BarFixture() override;

  TAdvOfficeStatusPanel* AddPanel(int Width, PS Style = PS::psText, const String& Text = L"");
  std::unique_ptr<TBitmap> Paint() { return std::unique_ptr<TBitmap>(PaintToBitmap(Bar)); }
  // Marks the whole bar as painted.
  void Validate() { ValidateRect(Bar->Handle(), nullptr); }
  // Whether part of the bar waits to be painted, and which part.
  bool Invalid(TRect* Area = nullptr);
  // One tick of the panel timer.
  void Tick() { Bar->Perform(WM_TIMER, Bar->TimerID() ? Bar->TimerID() : 111, 0); }
  // A mouse message at a client point of the bar.
  void Mouse(UINT Msg, int X, int Y, WPARAM Keys = 0) { Bar->Perform(Msg, Keys, MAKELPARAM(X, Y)); }
};

// A 16 x 16 image list whose image i is filled with Colors[i].
TImageList* MakeImages(TComponent* Owner, std::initializer_list<TColor> Colors, int Size = 16);
