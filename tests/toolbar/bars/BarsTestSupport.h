// What the toolbar tests share: a shown form to dock in, a ribbon page and
// pager of their own (the ribbon's are not below the toolbars), and the
// process-wide state every fixture puts back.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ExtCtrls.h"
#include "tests/support/Gui.h"
#include "ui/toolbar/bars/AdvDockPanel.h"
#include "ui/toolbar/bars/AdvToolBarButton.h"

// The DPI state, scaled caption heights, scenic and glass flags and the
// tone records, back to their start values.
void ResetToolBarState();

// The lines of a text file, without their line ends.
std::vector<std::string> FileLines(const String& FileName);
// A file of that name in the temporary folder.
String TempFileName(const wchar_t* Name);
// A text of ASCII characters as bytes.
std::string Narrow(const String& S);

// A ribbon pager as a toolbar group sees it.
class TTestPager : public TCustomControl, public IToolBarPager {
  VANTREL_CLASS(TTestPager)
 public:
  explicit TTestPager(TComponent* AOwner);
  TWinControl* PagerControl() override { return this; }
  TCustomAdvToolBarStyler* PagerCurrentStyler() override { return Styler ? Styler : Internal; }
  TCustomAdvToolBarStyler* PagerInternalStyler() override { return Internal; }
  bool PagerTonesActive() override { return Tones; }
  TToolBarAppearance* PagerToolBarAppearance() override { return ToneLook; }
  TColor PagerToolBarCaptionTextColor() override { return ToneText; }
  TGlowButtonAppearance* PagerGlowButtonAppearance() override { return GlowLook; }
  bool PagerOffice2013() override { return false; }
  bool PagerGlassActive() override { return false; }
  TGDIPPicture* PagerOptionPicture() override { return nullptr; }
  TGDIPPicture* PagerOptionDisabledPicture() override { return nullptr; }
  bool PagerShowsDisabledControlsHint() override { return false; }
  TWinControl* PagerActivePage() override { return ActivePage; }
  TGroupAppearance* PagerTabGroupAppearance(TWinControl*) override { return TabGroup; }

  TCustomAdvToolBarStyler* Internal;
  TCustomAdvToolBarStyler* Styler = nullptr;
  bool Tones = false;
  TToolBarAppearance* ToneLook = nullptr;
  TColor ToneText = clBlack;
  TGlowButtonAppearance* GlowLook = nullptr;
  TWinControl* ActivePage = nullptr;
  TGroupAppearance* TabGroup = nullptr;
};

// A ribbon page: its toolbars are its groups, in the order of their Left.
class TTestPage : public TCustomControl, public IToolBarPage {
  VANTREL_CLASS(TTestPage)
 public:
  using TCustomControl::TCustomControl;
  TWinControl* PageControl() override { return this; }
  IToolBarPager* PageParentPager() override { return dynamic_cast<IToolBarPager*>(Parent()); }
  IToolBarPager* PageMinimizedWindowPager() override { return nullptr; }
  IToolBarPage* PageCloneSource() override { return nullptr; }
  int PageGroupCount() override { return static_cast<int>(Groups.size()); }
  int PageGroupIndex(TAdvCustomToolBar* Group) override;
  void PageMoveGroup(TAdvCustomToolBar* Group, int Index) override;
  std::vector<TAdvCustomToolBar*> Groups;

 protected:
  void Paint() override;
};

// A form on the screen with dock panels on the sides asked for; each test
// gets a new one.
struct DockFixture : ::testing::Test {
  TForm* Form = nullptr;
  void SetUp() override;
  void TearDown() override;
  TAdvDockPanel* NewPanel(TDockAlign Align);
  // A toolbar of the form with Length pixels of buttons along it.
  TAdvToolBar* NewToolBar(const wchar_t* Name, int Buttons = 1);
  // The same, docked in P.
  TAdvToolBar* Docked(const wchar_t* Name, TAdvDockPanel* P, int Buttons = 1);
  TAdvToolBarButton* AddButton(TAdvCustomToolBar* T, const wchar_t* Name, int Width = 0);
  TAdvToolBarSeparator* AddSeparator(TAdvCustomToolBar* T, const wchar_t* Name);
};

// A toolbar T docked in P at the top of the form: [B0 S1 B1 B2 S2 B3],
// 20-pixel buttons parted by separators; Full is its width with every item
// shown.
struct GroupedBarFixture : DockFixture {
  TAdvDockPanel* P = nullptr;
  TAdvToolBar* T = nullptr;
  int Full = 0;
  void SetUp() override;
};
