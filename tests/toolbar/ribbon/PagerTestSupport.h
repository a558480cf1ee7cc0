// The ribbon tests' fixture: a shown form built in its loading bracket with
// one pager on it, and the process-wide state of the toolbar library put
// back after each test.
#pragma once

#include <gtest/gtest.h>

#include "base/Forms.h"
#include "ui/toolbar/ribbon/AdvPage.h"
#include "ui/toolbar/ribbon/AdvToolBarPager.h"

// Every process-wide value the ribbon touches, back to its start.
void ResetRibbonGlobals();

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
