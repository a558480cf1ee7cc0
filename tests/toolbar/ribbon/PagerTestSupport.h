// The ribbon tests' fixture: a shown form built in its loading bracket with
// one pager on it, and the process-wide state of the toolbar library put
// back after each test.
#pragma once

#include <gtest/gtest.h>

#include "base/Forms.h"
#include "ui/toolbar/ribbon/AdvPage.h"
#include "ui/toolbar/ribbon/AdvToolBarPager.h"

class TAdvToolBarForm;

// Every process-wide value the ribbon touches, back to its start.
void ResetRibbonGlobals();

// A pager named "Pager" made on Form in the form's loading bracket, the form
// at those bounds with a white colour, shown.
TAdvToolBarPager* BuildPagerOn(TForm* Form, int Left, int Top, int Width, int Height);

// A ribbon form with one pager; the form is freed and the process-wide
// state put back after each test.
struct RibbonFormFixture : ::testing::Test {
  TAdvToolBarForm* Form = nullptr;
  TAdvToolBarPager* Pager = nullptr;

  void SetUp() override;
  void TearDown() override;
  // A shown ribbon form with a pager, built in its loading bracket.
  void Make(int Left = 60, int Top = 60, int Width = 640, int Height = 360);
};

struct PagerFixture : ::testing::Test {
  TForm* Form = nullptr;
  TAdvToolBarPager* Pager = nullptr;

  void SetUp() override;
  void TearDown() override;
  // A page with that caption, owned by the form, added to the pager.
  TAdvPage* AddPage(const String& Caption);
  // The pager placed freely (not aligned) at that width.
  void SetPagerWidth(int Width);
  // Every tab's caption part set to ClientWidth (its full width then adds
  // the current margins), the lefts laid out again.
  void SetTabClientWidths(int ClientWidth);
};
