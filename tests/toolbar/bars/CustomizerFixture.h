// What the customizer tests share: a toolbar captioned "Standard" with the
// items OpenBtn (image 3), Sep1 and SaveBtn, and its customizer
// TB1Customizer on a fresh INI file.
#pragma once

#include "tests/toolbar/bars/BarsTestSupport.h"
#include "ui/toolbar/bars/AdvToolBarCustomizer.h"

struct CustomizerFixture : DockFixture {
  String Ini;
  TAdvToolBar* Bar = nullptr;
  TAdvToolBarCustomizer* C = nullptr;
  TAdvToolBarButton *Open = nullptr, *Save = nullptr;
  TAdvToolBarSeparator* Sep = nullptr;
  // IniName: the file's name in the temp folder.
  void SetUpBar(const wchar_t* IniName, TCustomImageList* Images = nullptr);
  void TearDown() override;
  // The Names of the toolbar's items in order.
  std::vector<String> Items();
};
