#include "tests/toolbar/bars/BarsTestSupport.h"

#include <algorithm>
#include <fstream>
#include <iterator>

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

void GroupedBarFixture::SetUp() {
  DockFixture::SetUp();
  P = NewPanel(TDockAlign::daTop);
  T = new TAdvToolBar(Form);
  T->SetName(L"T");
  AddButton(T, L"B0", 20);
  AddSeparator(T, L"S1");
  AddButton(T, L"B1", 20);
  AddButton(T, L"B2", 20);
  AddSeparator(T, L"S2");
  AddButton(T, L"B3", 20);
  T->SetParent(P);
  Full = T->Width();
}

std::vector<std::string> FileLines(const String& FileName) {
  std::ifstream in(FileName.c_str(), std::ios::binary);
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < all.size()) {
    size_t end = all.find('\n', at);
    if (end == std::string::npos) end = all.size();
    std::string line = all.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

String TempFileName(const wchar_t* Name) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  return String(dir) + Name;
}

std::string Narrow(const String& S) { return std::string(S.begin(), S.end()); }
