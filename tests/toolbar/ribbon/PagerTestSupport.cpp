#include "tests/toolbar/ribbon/PagerTestSupport.h"

#include "tests/support/Gui.h"
#include "ui/toolbar/ribbon/AdvToolBarForm.h"
#include "ui/controls/buttons/GlowButtonHelpers.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

void ResetRibbonGlobals() {
  ResetToolBarRuntime();
  ResetGlobalDrawingFlags();
  GlowButton::ResetGlowButtonGlobals();
  SetMonitorPixelsPerInchSource(nullptr);
  SetIsAeroAvailableSource(nullptr);
}

TAdvToolBarPager* BuildPagerOn(TForm* Form, int Left, int Top, int Width, int Height) {
  Form->BeginLoading();
  Form->SetBounds(Left, Top, Width, Height);
  Form->SetColor(clWhite);
  auto* pager = new TAdvToolBarPager(Form);
  pager->SetName(L"Pager");
  pager->SetParent(Form);
  Form->EndLoading();
  Form->Show();
  PumpFor(10);
  return pager;
}

void RibbonFormFixture::SetUp() { ResetRibbonGlobals(); }

void RibbonFormFixture::TearDown() {
  if (Form) Form->Free();
  Form = nullptr;
  PumpFor(5);
  ResetRibbonGlobals();
}

void RibbonFormFixture::Make(int Left, int Top, int Width, int Height) {
  Form = new TAdvToolBarForm(nullptr);
  Pager = BuildPagerOn(Form, Left, Top, Width, Height);
}

void PagerFixture::SetUp() {
  ResetRibbonGlobals();
  Form = new TForm(nullptr);
  Pager = BuildPagerOn(Form, 40, 40, 760, 320);
}

void PagerFixture::TearDown() {
  Form->Free();
  PumpFor(5);
  ResetRibbonGlobals();
}

TAdvPage* PagerFixture::AddPage(const String& Caption) {
  auto* page = new TAdvPage(Form);
  page->SetCaption(Caption);
  Pager->AddAdvPage(page);
  return page;
}

void PagerFixture::SetPagerWidth(int Width) {
  Pager->SetAlign(TAlign::alNone);
  Pager->SetBounds(0, 0, Width, Pager->Height());
  PumpFor(5);
}

void PagerFixture::SetTabClientWidths(int ClientWidth) {
  for (int i = 0; i < Pager->AdvPageCount(); ++i) {
    Pager->AdvPages(i)->SetTabClientWidth(ClientWidth);
    Pager->AdvPages(i)->SetTabRealClientWidth(ClientWidth);
  }
  Pager->LayoutTabLefts();
}
