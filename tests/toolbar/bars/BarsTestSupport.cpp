#include "tests/toolbar/bars/BarsTestSupport.h"

#include <algorithm>

#include "ui/controls/buttons/GlowButtonHelpers.h"
#include "ui/draw/GdiPlus.h"

void ResetToolBarState() {
  ResetToolBarRuntime();
  SetGlobalWin7ScenicRibbon(false);
  SetGlobalTabGlass(false);
  GlowButton::SetGlowInterval(20);
}

TTestPager::TTestPager(TComponent* AOwner) : TCustomControl(AOwner) {
  Internal = new TCustomAdvToolBarStyler(this);
  Internal->SetName(L"InternalStyler");
}

int TTestPage::PageGroupIndex(TAdvCustomToolBar* Group) {
  auto it = std::find(Groups.begin(), Groups.end(), Group);
  return it == Groups.end() ? -1 : static_cast<int>(it - Groups.begin());
}

void TTestPage::PageMoveGroup(TAdvCustomToolBar* Group, int Index) {
  Groups.erase(std::remove(Groups.begin(), Groups.end(), Group), Groups.end());
  Index = std::clamp(Index, 0, static_cast<int>(Groups.size()));
  Groups.insert(Groups.begin() + Index, Group);
}

void TTestPage::Paint() {
  Canvas()->Brush()->SetColor(FColor);
  Canvas()->FillRect(ClientRect());
}

void DockFixture::SetUp() {
  ResetToolBarState();
  Form = new TForm(nullptr);
  Form->SetBorderStyle(TFormBorderStyle::bsNone);
  Form->SetBounds(0, 0, 640, 400);
  Form->SetColor(clWhite);
  Form->Show();
}

void DockFixture::TearDown() {
  Form->Free();
  ResetToolBarState();
}

TAdvDockPanel* DockFixture::NewPanel(TDockAlign Align) {
  auto* p = new TAdvDockPanel(Form);
  p->SetParent(Form);
  p->SetAlign(Align);
  return p;
}

TAdvToolBar* DockFixture::NewToolBar(const wchar_t* Name, int Buttons) {
  auto* t = new TAdvToolBar(Form);
  t->SetName(Name);
  for (int i = 0; i < Buttons; ++i) AddButton(t, (String(Name) + L"B" + IntToStr(i)).c_str(), 20);
  return t;
}

TAdvToolBar* DockFixture::Docked(const wchar_t* Name, TAdvDockPanel* P, int Buttons) {
  TAdvToolBar* t = NewToolBar(Name, Buttons);
  t->SetParent(P);
  return t;
}

TAdvToolBarButton* DockFixture::AddButton(TAdvCustomToolBar* T, const wchar_t* Name, int Width) {
  auto* b = new TAdvToolBarButton(Form);
  b->SetName(Name);
  if (Width > 0) {
    b->SetAutoSize(false);
    b->SetBounds(0, 0, Width, 22);
  }
  b->SetAdvToolBar(T);
  return b;
}

TAdvToolBarSeparator* DockFixture::AddSeparator(TAdvCustomToolBar* T, const wchar_t* Name) {
  auto* s = new TAdvToolBarSeparator(Form);
  s->SetName(Name);
  s->SetAdvToolBar(T);
  return s;
}
