// The toolbar's model: its start values, the styler it follows, its item
// lists, its reactions to styler changes and to a pager's tones.
#include "tests/toolbar/bars/BarsTestSupport.h"
#include "base/Hints.h"
#include "ui/toolbar/stylers/ToolBarOfficeStyler.h"

namespace {

using ToolBarModel = DockFixture;

// How often the styler lists the control.
int Registrations(TCustomAdvToolBarStyler* S, TControl* C) {
  int n = 0;
  for (int i = 0; i < S->ControlList()->Count(); ++i)
    if (S->ControlList()->Items(i) == C) ++n;
  return n;
}

TEST_F(ToolBarModel, StartsAsADockedToolBarWithItsInternalStyler) {
  auto* t = new TAdvToolBar(Form);
  EXPECT_EQ(t->Height(), 26);
  EXPECT_EQ(t->Width(), 60);
  EXPECT_EQ(t->Constraints()->MinWidth(), 60);
  EXPECT_EQ(t->Constraints()->MaxWidth(), 60);
  EXPECT_EQ(t->CaptionHeight(), 16);
  EXPECT_EQ(t->Version(), L"6.5.1.3");
  EXPECT_EQ(t->GetToolBarState(), TToolBarState::tsDocked);
  EXPECT_EQ(t->AdvDockPanel(), nullptr);
  EXPECT_EQ(t->Row(), -1);
  EXPECT_EQ(t->CurrentToolBarStyler(), t->InternalToolBarStyler());
  EXPECT_EQ(t->InternalToolBarStyler()->Name(), L"InternalStyler");
  EXPECT_TRUE(t->ParentStyler());
  EXPECT_EQ(t->Persistence()->Section(), L"UnDockedAdvToolBars");
  EXPECT_EQ(t->TextAutoOptionMenu(), L"Add or Remove Buttons");
  EXPECT_EQ(t->TextOptionMenu(), L"Options");
  EXPECT_EQ(Registrations(t->InternalToolBarStyler(), t), 1);
  // The caption height follows the screen's scale at creation.
  ScaledGroupCaptionHeight = 20;
  auto* u = new TAdvToolBar(Form);
  EXPECT_EQ(u->CaptionHeight(), 20);
}

TEST_F(ToolBarModel, WhereItLivesFollowsItsParent) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  TAdvToolBar* t = NewToolBar(L"T", 1);
  int docked = 0;
  t->OnDocked = [&](TObject*, TAdvDockPanel* Panel) { docked += Panel == p; };
  t->SetParent(p);
  EXPECT_EQ(t->GetToolBarState(), TToolBarState::tsDocked);
  EXPECT_EQ(t->LastDock(), p);
  EXPECT_EQ(docked, 1);
  t->SetParent(Form);
  EXPECT_EQ(t->GetToolBarState(), TToolBarState::tsFixed);
  EXPECT_EQ(t->AdvDockPanel(), nullptr);
  EXPECT_EQ(p->AdvToolBarCount(), 0);
  EXPECT_FALSE(t->ParentStyler());  // a plain parent gives no styler
  t->Dock(p);
  EXPECT_EQ(t->GetToolBarState(), TToolBarState::tsDocked);
  EXPECT_EQ(docked, 2);
}

TEST_F(ToolBarModel, TheStylerComesFromTheToolBarOrItsDockPanel) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  auto* s = new TAdvToolBarOfficeStyler(Form);
  s->SetName(L"Styler1");
  TAdvToolBar* t = NewToolBar(L"T", 1);
  t->SetParent(p);
  EXPECT_EQ(t->CurrentToolBarStyler(), p->CurrentToolBarStyler());
  p->SetToolBarStyler(s);
  EXPECT_EQ(t->CurrentToolBarStyler(), s);
  int before = Registrations(s, t);
  t->SetToolBarStyler(s);  // the same again: nothing happens
  EXPECT_EQ(Registrations(s, t), before);
  t->SetParentStyler(true);  // re-resolved: still one registration
  EXPECT_EQ(Registrations(s, t), before);
  t->SetToolBarStyler(nullptr);  // nil: the dock panel's styler again
  EXPECT_EQ(t->CurrentToolBarStyler(), s);
  // Without ParentStyler the toolbar keeps its own.
  auto* own = new TAdvToolBarOfficeStyler(Form);
  own->SetName(L"Styler2");
  t->SetParentStyler(false);
  t->SetToolBarStyler(own);
  EXPECT_EQ(t->CurrentToolBarStyler(), own);
  EXPECT_EQ(Registrations(s, t), 0);
  t->SetParentStyler(false);  // already off: nothing happens
  EXPECT_EQ(t->CurrentToolBarStyler(), own);
  own->Free();
  EXPECT_EQ(t->CurrentToolBarStyler(), t->InternalToolBarStyler());
}

TEST_F(ToolBarModel, AGroupTakesItsPagersStylerOrItsInternalOneWhenThatGoes) {
  auto* pager = new TTestPager(Form);
  pager->SetParent(Form);
  auto* page = new TTestPage(Form);
  page->SetParent(pager);
  auto* s = new TAdvToolBarOfficeStyler(Form);
  s->SetName(L"Styler1");
  pager->Styler = s;
  TAdvToolBar* t = NewToolBar(L"G", 1);
  t->SetParent(page);
  EXPECT_EQ(t->GetToolBarState(), TToolBarState::tsFixed);
  EXPECT_TRUE(t->ParentStyler());  // a page of a pager keeps it
  t->SetParentStyler(true);
  EXPECT_EQ(t->CurrentToolBarStyler(), s);
  s->Destroying();  // the pager's styler is on its way out
  t->SetParentStyler(true);
  EXPECT_EQ(t->CurrentToolBarStyler(), pager->Internal);
}

TEST_F(ToolBarModel, AnItemGoesByItsPositionOrLastAtZero) {
  auto* t = new TAdvToolBar(Form);
  t->SetParent(Form);
  auto add = [&](const wchar_t* Name, int Left) {
    auto* b = new TAdvToolBarButton(Form);
    b->SetName(Name);
    b->SetAutoSize(false);
    b->SetBounds(Left, 5, 20, 22);
    b->SetParent(t);
    return b;
  };
  add(L"A", 0);
  add(L"B", 0);   // at 0: appended
  add(L"C", 20);  // before the first item not left of it (A is at 9, B at 29)
  std::vector<String> names;
  for (int i = 0; i < t->ToolBarControlCount(); ++i) names.push_back(t->ToolBarControls(i)->Name());
  EXPECT_EQ(names, (std::vector<String>{L"A", L"C", L"B"}));
  // Placed in that order, left to right after the grip.
  EXPECT_EQ(t->ToolBarControls(0)->Left(), 9);
  EXPECT_EQ(t->ToolBarControls(1)->Left(), 29);
  EXPECT_EQ(t->ToolBarControls(2)->Left(), 49);
  EXPECT_EQ(t->ToolBarControls(3), nullptr);
  EXPECT_EQ(t->PriorityCount(), 3);
  // Added through the toolbar: always last; a listed one is refused.
  auto* d = new TAdvToolBarButton(Form);
  d->SetBounds(1, 1, 20, 22);
  EXPECT_EQ(t->AddToolBarControl(d), 3);
  EXPECT_EQ(t->AddToolBarControl(d), -1);
  EXPECT_EQ(t->AddToolBarControl(nullptr), -1);
  t->MoveToolBarControl(3, 0);
  EXPECT_EQ(t->ToolBarControls(0), d);
  EXPECT_EQ(d->Left(), 9);
  // Taking one out takes it off every list.
  d->SetParent(nullptr);
  EXPECT_EQ(t->IndexOfToolBarControl(d), -1);
  EXPECT_EQ(d->AdvToolBar(), nullptr);
  d->Free();
}

TEST_F(ToolBarModel, ToolBarIndexIsItsPlaceAmongThePagesGroups) {
  TAdvToolBar* off = NewToolBar(L"Off", 1);
  off->SetParent(Form);
  EXPECT_EQ(off->ToolBarIndex(), -1);
  off->SetToolBarIndex(3);
  EXPECT_EQ(off->ToolBarIndex(), -1);
  auto* page = new TTestPage(Form);
  page->SetParent(Form);
  std::vector<TAdvToolBar*> groups;
  for (const wchar_t* n : {L"G1", L"G2", L"G3"}) {
    groups.push_back(NewToolBar(n, 1));
    groups.back()->SetParent(page);
    page->Groups.push_back(groups.back());
  }
  EXPECT_EQ(groups[0]->ToolBarIndex(), 0);
  groups[0]->SetToolBarIndex(99);
  EXPECT_EQ(groups[0]->ToolBarIndex(), 2);
  EXPECT_EQ(page->Groups, (std::vector<TAdvCustomToolBar*>{groups[1], groups[2], groups[0]}));
}

TEST_F(ToolBarModel, TheGripStyleIsTheSharedStylers) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  TAdvToolBar* a = Docked(L"A", p);
  TAdvToolBar* b = Docked(L"B", p);
  int w = a->Width();
  a->SetDragGripStyle(TDragGripStyle::dsNone);
  EXPECT_EQ(b->DragGripStyle(), TDragGripStyle::dsNone);
  EXPECT_EQ(p->CurrentToolBarStyler()->DragGripStyle(), TDragGripStyle::dsNone);
  // Without the grip the items move in and the toolbar shortens.
  EXPECT_EQ(a->ToolBarControls(0)->Left(), 2);
  EXPECT_EQ(a->Width(), w - a->DragGripWidth());
}

TEST_F(ToolBarModel, ALargerImageListMakesTheToolBarThickerFirst) {
  auto* t = new TAdvToolBar(Form);
  t->SetParent(Form);
  t->SetAutoSize(false);
  t->SetHeight(40);
  auto* small = new TImageList(Form, 16, 16);
  auto* large = new TImageList(Form, 24, 24);
  t->SetImages(small);
  EXPECT_EQ(t->Height(), 40);  // none before: nothing to compare
  t->SetImages(large);
  EXPECT_EQ(t->Height(), 48);
  t->SetImages(nullptr);
  EXPECT_EQ(t->Height(), 24);
  large->Free();
}

TEST_F(ToolBarModel, StylerChangesReachOnlyNamedToolBars) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  auto* s = new TAdvToolBarOfficeStyler(Form);
  s->SetName(L"Styler1");
  p->SetToolBarStyler(s);
  TAdvToolBar* named = NewToolBar(L"Named", 0);
  auto* unnamed = new TAdvToolBar(Form);
  named->SetParent(p);
  unnamed->SetParent(p);
  auto* glow = new TAdvGlowButton(Form);
  glow->SetParent(named);
  TColor before = unnamed->Color();
  s->Color()->SetColor(0x224466);
  EXPECT_EQ(named->Color(), 0x224466);
  EXPECT_EQ(unnamed->Color(), before);
  s->GlowButtonAppearance()->SetColor(0x102030);
  EXPECT_EQ(glow->Appearance()->Color(), 0x102030);
  // A menu-styler change while loading only colours the toolbar.
  named->BeginLoading();
  s->Color()->SetColor(0x336699);
  named->ApplyStylerChange(StylerChange::MenuStyler);
  EXPECT_EQ(named->Color(), 0x336699);
  named->EndLoading();
}

TEST_F(ToolBarModel, APagersTonesColourTheGlowItemsAndClearingLeavesThemSeeThrough) {
  auto* pager = new TTestPager(Form);
  pager->SetParent(Form);
  auto* page = new TTestPage(Form);
  page->SetParent(pager);
  TAdvToolBar* t = NewToolBar(L"G", 0);
  t->SetParent(page);
  auto* glow = new TAdvGlowButton(Form);
  glow->SetParent(t);
  EXPECT_EQ(t->GetOwnerPager(), pager);
  MetroTones.Background.BrushColor = 0x00AA00;
  MetroTones.Background.BorderColor = 0x005500;
  MetroTones.Background.TextColor = clBlack;
  t->ApplyColorTones();  // tones off: nothing
  EXPECT_NE(glow->Appearance()->Color(), 0x00AA00);
  pager->Tones = true;
  t->ApplyColorTones();
  EXPECT_EQ(glow->Appearance()->Color(), 0x00AA00);
  EXPECT_TRUE(t->PagerTonesActive());
  glow->SetTransparent(false);
  t->ClearColorTones();
  EXPECT_TRUE(glow->Transparent());
}

TEST_F(ToolBarModel, TheUpdateBracketCountsAlsoWhileHidden) {
  auto* t = new TAdvToolBar(Form);
  t->SetParent(Form);
  t->Hide();
  t->BeginUpdate();
  EXPECT_EQ(t->UpdateCount(), 1);
  t->Show();
  t->EndUpdate();
  EXPECT_EQ(t->UpdateCount(), 0);
  t->EndUpdate();  // never below 0
  EXPECT_EQ(t->UpdateCount(), 0);
}

TEST_F(ToolBarModel, EnableAllControlsLeavesSeparatorsAlone) {
  TAdvToolBar* t = NewToolBar(L"T", 2);
  TAdvToolBarSeparator* sep = AddSeparator(t, L"Sep");
  t->SetParent(Form);
  t->EnableAllControls(false);
  EXPECT_FALSE(t->ToolBarControls(0)->Enabled());
  EXPECT_FALSE(t->ToolBarControls(1)->Enabled());
  EXPECT_TRUE(sep->Enabled());
}

TEST_F(ToolBarModel, AGroupsGlowButtonsAskItForTheirHeightAndKeyTipPlace) {
  auto* pager = new TTestPager(Form);
  pager->SetParent(Form);
  auto* page = new TTestPage(Form);
  page->SetParent(pager);
  page->SetBounds(0, 0, 500, 100);
  auto* g = new TAdvToolBar(Form);
  g->SetParent(page);
  g->SetAutoSize(false);
  g->SetBounds(0, 0, 200, 86);
  auto small = [&](int Top) {
    auto* b = new TAdvGlowButton(Form);
    b->SetButtonSizeState(TButtonSizeState::bsLabel);
    b->SetBounds(0, Top, 40, 20);
    b->SetParent(g);
    return b;
  };
  auto* large = new TAdvGlowButton(Form);
  large->SetBounds(0, 0, 40, 60);
  large->SetParent(g);
  TAdvGlowButton* rows[] = {small(2), small(22), small(42)};
  // A large button fills the group below its caption.
  ASSERT_TRUE(large->FOnSetButtonSize);
  int w = 40, h = 10;
  large->FOnSetButtonSize(large, w, h);
  EXPECT_EQ(h, 86 - 16 - 5);
  EXPECT_EQ(w, 40);
  g->UpdateButtonRows();
  EXPECT_EQ(g->ButtonRow(0), 2);
  EXPECT_EQ(g->ButtonRow(1), 22);
  EXPECT_EQ(g->ButtonRow(2), 42);
  auto where = [&](TAdvGlowButton* B) {
    TShortCutHintPos p = TShortCutHintPos::shpAuto;
    B->FOnGetShortCutHintPos(B, TButtonSizeState::bsLabel, p);
    return p;
  };
  EXPECT_EQ(where(large), TShortCutHintPos::shpBottom);
  EXPECT_EQ(where(rows[0]), TShortCutHintPos::shpTopLeft);
  EXPECT_EQ(where(rows[1]), TShortCutHintPos::shpLeft);
  EXPECT_EQ(where(rows[2]), TShortCutHintPos::shpBottomLeft);
  rows[2]->Hide();  // two rows: the tips go above and below
  g->UpdateButtonRows();
  EXPECT_EQ(g->ButtonRow(2), -100);
  EXPECT_EQ(where(rows[0]), TShortCutHintPos::shpAboveTopLeft);
  EXPECT_EQ(where(rows[1]), TShortCutHintPos::shpBelowBottomLeft);
  TShortCutHintPos fixed = TShortCutHintPos::shpRight;  // chosen by the button: kept
  rows[0]->FOnGetShortCutHintPos(rows[0], TButtonSizeState::bsLabel, fixed);
  EXPECT_EQ(fixed, TShortCutHintPos::shpRight);
}

TEST_F(ToolBarModel, TheOptionHintShowsOverTheRightHandle) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  TAdvToolBar* t = NewToolBar(L"T", 2);
  t->SetParent(p);
  t->SetHintOptionButton(L"More buttons");
  THintInfo hi;
  hi.CursorPos = TPoint(t->Width() - 5, 10);
  hi.HintStr = L"";
  t->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&hi));
  EXPECT_EQ(hi.HintStr, L"More buttons");
  THintInfo elsewhere;
  elsewhere.CursorPos = TPoint(12, 10);
  t->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&elsewhere));
  EXPECT_EQ(elsewhere.HintStr, L"");
}

TEST_F(ToolBarModel, AClosedDropDownRedrawsTheFormsMenuByResizingItTwice) {
  auto* menu = new TMainMenu(Form);
  menu->Items()->Add(new TMenuItem(menu));
  Form->SetBorderStyle(TFormBorderStyle::bsSingle);
  Form->SetMenu(menu);
  TAdvToolBar* t = NewToolBar(L"T", 1);
  t->SetParent(Form);
  int h = Form->Height(), resizes = 0;
  Form->OnResize = [&](TObject*) { ++resizes; };
  PostMessageW(t->Handle(), WM_TBCOMPACTWINHIDE, 0, 0);
  PumpUntil([&] { return resizes >= 2; }, 2000);
  EXPECT_EQ(resizes, 2);
  EXPECT_EQ(Form->Height(), h);
}

}  // namespace
