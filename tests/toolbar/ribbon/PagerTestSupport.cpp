#include "tests/toolbar/ribbon/PagerTestSupport.h"

#include "tests/support/Gui.h"
#include "ui/controls/buttons/GlowButtonHelpers.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

void ResetRibbonGlobals() {
  ResetToolBarRuntime();
  ResetGlobalDrawingFlags();
  GlowButton::ResetGlowButtonGlobals();
  SetMonitorPixelsPerInchSource(nullptr);
  SetIsAeroAvailableSource(nullptr);
}

void PagerFixture::SetUp() {
  ResetRibbonGlobals();
  Form = new TForm(nullptr);
  Form->BeginLoading();
  Form->SetBounds(40, 40, 760, 320);
  Form->SetColor(clWhite);
  Pager = new TAdvToolBarPager(Form);
  Pager->SetName(L"Pager");
  Pager->SetParent(Form);
  Form->EndLoading();
  Form->Show();
  PumpFor(10);
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
