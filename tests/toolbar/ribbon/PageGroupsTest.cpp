// Ribbon groups on a page: placing them, their button layout steps, the
// page's fitting (shrinking, compacting, growing), scrolling, key tips and
// the compact drop-down window.
#include <memory>

#include "base/FileStreams.h"
#include "tests/draw/DrawTestSupport.h"
#include "tests/support/Gui.h"
#include "tests/toolbar/ribbon/PagerTestSupport.h"
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/toolbar/bars/AdvToolBar.h"
#include "ui/toolbar/bars/CompactWindow.h"
#include "ui/toolbar/ribbon/PageScrollButton.h"

namespace {

using BS = TButtonSizeState;

struct GroupFixture : PagerFixture {
  TAdvPage* Page = nullptr;
  std::string Png = MakePng(16, 16, 0x3060C0);
  int Clicks = 0;

  void SetUp() override {
    PagerFixture::SetUp();
    Page = AddPage(L"Home");
    Pager->SetActivePageIndex(0);
    PumpFor(5);
  }
  TAdvGlowButton* Button(TAdvToolBar* Group, const wchar_t* Text) {
    auto* b = new TAdvGlowButton(Form);
    b->SetAutoSize(true);
    TStringStream bytes(Png);
    b->Picture()->LoadFromStream(&bytes);
    b->SetCaption(Text);
    b->OnClick = [this](TObject*) { ++Clicks; };
    b->SetParent(Group);
    return b;
  }
  // A group of large glow buttons with pictures, laid out as loading would.
  TAdvToolBar* Group(const String& Caption, std::initializer_list<const wchar_t*> Buttons) {
    TAdvToolBar* tb = Page->CreateAdvToolBar();
    tb->SetName(L"G" + std::to_wstring(Page->AdvToolBarCount()));
    tb->SetToolBarCaption(Caption);
    tb->SetAutoSize(true);
    for (const wchar_t* text : Buttons) Button(tb, text);
    PumpFor(5);
    tb->PositionControls(true);
    Page->PositionToolBars();
    return tb;
  }
  static TAdvGlowButton* B(TAdvToolBar* G, int I) { return dynamic_cast<TAdvGlowButton*>(G->ToolBarControls(I)); }
  static std::vector<BS> States(TAdvToolBar* G) {
    std::vector<BS> s;
    for (int i = 0; i < G->ToolBarControlCount(); ++i) s.push_back(B(G, i)->ButtonSizeState());
    return s;
  }
  static int Width(TAdvGlowButton* B, BS State) {
    TSize size{};
    B->CalcButtonSize(State, size);
    return size.cx;
  }
  // The page this wide (the pager 8 wider).
  void SetPageWidth(int W) {
    SetPagerWidth(W + 8);
    ASSERT_EQ(Page->Width(), W);
  }
};

}  // namespace

TEST_F(GroupFixture, NewGroupsLineUpFromTheLeft) {
  TAdvToolBar* a = Page->CreateAdvToolBar();
  EXPECT_EQ(a->ToolBarCaption(), L"Untitled");
  EXPECT_EQ(a->Width(), 120);
  EXPECT_TRUE(a->ShowCaption());
  EXPECT_EQ(a->CaptionPosition(), TCaptionPosition::cpBottom);
  EXPECT_EQ(a->CaptionAlignment(), TAlignment::taCenter);
  EXPECT_FALSE(a->ShowRightHandle());
  EXPECT_TRUE(a->PropertiesLoaded());
  EXPECT_EQ(a->BoundsRect(), Bounds(3, 3, 120, Page->Height() - 6));
  TAdvToolBar* b = Page->CreateAdvToolBar();
  TAdvToolBar* c = Page->CreateAdvToolBar();
  EXPECT_EQ(b->Left(), 126);
  EXPECT_EQ(c->Left(), 249);
  b->SetVisible(false);
  Page->PositionToolBars();
  EXPECT_EQ(c->Left(), 126);  // a hidden group takes no room
  EXPECT_EQ(Page->AdvToolBarCount(), 3);
  EXPECT_EQ(Page->GetVisibleToolBarCount(), 2);
  Page->MoveAdvToolBar(2, 0);
  EXPECT_EQ(c->Left(), 3);
  EXPECT_EQ(a->Left(), 126);
  // Groups follow the pager's styler.
  EXPECT_TRUE(a->ParentStyler());
  EXPECT_EQ(a->CurrentToolBarStyler(), Pager->CurrentToolBarStyler());
  // A group freed leaves the page's list.
  a->Free();
  EXPECT_EQ(Page->AdvToolBarCount(), 2);
  EXPECT_EQ(Page->IndexOfAdvToolBar(c), 0);
}

TEST_F(GroupFixture, ShrinkStepsWorkFromTheEndOfTheGroup) {
  TAdvToolBar* g = Group(L"Clipboard", {L"Format", L"Cut", L"Copy", L"Paste"});
  auto widest = [&](int From, int To, bool Now, BS State) {
    int w = 0;
    for (int i = From; i <= To; ++i) w = std::max(w, Now ? B(g, i)->Width() : Width(B(g, i), State));
    return w;
  };
  // Large to label: the last three become one column; the first stays. The
  // measured gain is the three widths less the widest label width.
  int total = 0;
  for (int i = 1; i <= 3; ++i) total += B(g, i)->Width();
  BS target = BS::bsLarge;
  EXPECT_EQ(g->GetShrinkGain(target), total - widest(1, 3, false, BS::bsLabel));
  EXPECT_EQ(target, BS::bsLabel);
  EXPECT_EQ(States(g), (std::vector<BS>{BS::bsLarge, BS::bsLarge, BS::bsLarge, BS::bsLarge}));  // measured only
  int before = g->Width();
  int gain = g->ShrinkButtons(target, true);
  int column = widest(1, 3, true, BS::bsLabel);
  EXPECT_EQ(gain, total - column);
  EXPECT_EQ(g->Width(), before - gain);
  EXPECT_EQ(States(g), (std::vector<BS>{BS::bsLarge, BS::bsLabel, BS::bsLabel, BS::bsLabel}));
  EXPECT_EQ(B(g, 1)->Left(), B(g, 3)->Left());
  EXPECT_LT(B(g, 1)->Top(), B(g, 2)->Top());
  // Label to glyph: the column, widest to widest.
  EXPECT_EQ(g->GetShrinkGain(target), column - widest(1, 3, false, BS::bsGlyph));
  EXPECT_EQ(target, BS::bsGlyph);
  before = g->Width();
  gain = g->ShrinkButtons(target, true);
  EXPECT_EQ(gain, column - widest(1, 3, true, BS::bsGlyph));
  EXPECT_EQ(g->Width(), before - gain);
  EXPECT_EQ(States(g), (std::vector<BS>{BS::bsLarge, BS::bsGlyph, BS::bsGlyph, BS::bsGlyph}));
  // The first button has no large neighbour before it: nothing more.
  EXPECT_EQ(g->GetShrinkGain(target), 0);
  // And back: glyph to label first, then label to large side by side.
  int glyphs = widest(1, 3, true, BS::bsGlyph);
  EXPECT_EQ(g->GetGrowCost(target), widest(1, 3, false, BS::bsLabel) - glyphs);
  EXPECT_EQ(target, BS::bsLabel);
  int cost = g->GrowButtons(target, true);
  EXPECT_EQ(cost, widest(1, 3, true, BS::bsLabel) - glyphs);
  int labels = widest(1, 3, true, BS::bsLabel), sum = 0;
  for (int i = 1; i <= 3; ++i) sum += Width(B(g, i), BS::bsLarge);
  EXPECT_EQ(g->GetGrowCost(target), sum - labels);
  EXPECT_EQ(target, BS::bsLarge);
  g->GrowButtons(target, true);
  EXPECT_EQ(States(g), (std::vector<BS>{BS::bsLarge, BS::bsLarge, BS::bsLarge, BS::bsLarge}));
  EXPECT_EQ(g->GetGrowCost(target), 0);
}

TEST_F(GroupFixture, ButtonsKeepTheirMinimumAndMaximumLayouts) {
  TAdvToolBar* g = Group(L"Font", {L"Bold", L"Italic"});
  B(g, 0)->SetMinButtonSizeState(BS::bsLabel);
  BS target;
  EXPECT_GT(g->ShrinkButtons(target, true), 0);
  EXPECT_EQ(g->GetShrinkGain(target), 0);  // label to glyph would take a button below its minimum
  B(g, 0)->SetMaxButtonSizeState(BS::bsLabel);
  EXPECT_EQ(g->GetGrowCost(target), 0);
  // A group that does not size itself takes no steps.
  g->SetAutoSize(false);
  B(g, 0)->SetMaxButtonSizeState(BS::bsLarge);
  EXPECT_EQ(g->GetGrowCost(target), 0);
}

TEST_F(GroupFixture, AStepThatWidensTheGroupGainsNothing) {
  // The buttons, once in their new layout, end up wider than before: the
  // step reports that as a negative gain (a cost), never as room won.
  TAdvToolBar* g = Group(L"Wide", {L"One", L"Two"});
  for (int i = 0; i < 2; ++i)
    B(g, i)->FOnSetButtonSize = [b = B(g, i)](TObject*, int& W, int&) {
      if (b->ButtonSizeState() == BS::bsLabel) W = 300;
    };
  int before = B(g, 0)->Width() + B(g, 1)->Width();
  BS target;
  EXPECT_EQ(g->ShrinkButtons(target, true), before - 300);
  EXPECT_LT(before - 300, 0);
  for (int i = 0; i < 2; ++i)
    B(g, i)->FOnSetButtonSize = [b = B(g, i)](TObject*, int& W, int&) {
      if (b->ButtonSizeState() == BS::bsLarge) W = 10;
    };
  EXPECT_EQ(g->GrowButtons(target, true), 20 - 300);
}

TEST_F(GroupFixture, ANarrowingPageShrinksLargeButtonsFirstThenCompactsFromTheRight) {
  TAdvToolBar* a = Group(L"Clipboard", {L"Format", L"Cut", L"Copy", L"Paste"});
  TAdvToolBar* b = Group(L"Editing", {L"Find", L"Replace", L"Select"});
  int full = b->Left() + b->Width() + 2;
  BS target;
  int stepA = a->GetShrinkGain(target), stepB = b->GetShrinkGain(target);
  ASSERT_GT(stepA, 0);
  ASSERT_GT(stepB, 0);
  // A pixel too narrow: one large-to-label step, on the group whose step
  // gains least (on equal gains the rightmost).
  SetPageWidth(full - 1);
  TAdvToolBar* shrunk = stepA < stepB ? a : b;
  EXPECT_EQ(States(shrunk)[1], BS::bsLabel);
  EXPECT_EQ(States(shrunk == a ? b : a)[1], BS::bsLarge);
  // Far too narrow: every step is taken, then groups turn compact from the
  // rightmost; the page stays with what fits.
  SetPageWidth(150);
  EXPECT_TRUE(b->IsCompact());
  EXPECT_EQ(b->Width(), b->GetCompactWidth());
  bool allCompact = a->IsCompact() && b->IsCompact();
  EXPECT_TRUE(allCompact || b->Left() + b->Width() + 2 <= 150);
  // Wide again: the compact groups come back whole and their buttons large.
  SetPageWidth(1200);
  EXPECT_FALSE(a->IsCompact());
  EXPECT_FALSE(b->IsCompact());
  EXPECT_EQ(States(a), (std::vector<BS>{BS::bsLarge, BS::bsLarge, BS::bsLarge, BS::bsLarge}));
  EXPECT_EQ(States(b), (std::vector<BS>{BS::bsLarge, BS::bsLarge, BS::bsLarge}));
}

TEST_F(GroupFixture, APageTooNarrowForItsCompactGroupsStopsAndScrolls) {
  std::vector<TAdvToolBar*> groups;
  for (int i = 0; i < 6; ++i) groups.push_back(Group(L"Group" + std::to_wstring(i), {L"Alpha", L"Beta"}));
  // Narrower than even the compact groups: every group ends compact, the
  // fitting stops (it used to go round for ever) and scroll buttons appear.
  SetPageWidth(120);
  for (TAdvToolBar* g : groups) EXPECT_TRUE(g->IsCompact()) << g->ToolBarCaption();
  EXPECT_TRUE(Page->AllVisibleToolBarsCompact());
  int fitting = Page->CountFittingToolBars(0, true);
  ASSERT_GE(fitting, 1);
  ASSERT_LT(fitting, 6);
  ASSERT_NE(Page->RightScrollButton(), nullptr);
  EXPECT_TRUE(Page->RightScrollButton()->Visible());
  EXPECT_TRUE(Page->LeftScrollButton() == nullptr || !Page->LeftScrollButton()->Visible());
  // Forward one window: the first group of the next window starts at 3.
  EXPECT_EQ(Page->ScrollToolBars(1), 1);
  EXPECT_GT(Page->LeftATBIndex(), 0);
  ASSERT_NE(Page->LeftScrollButton(), nullptr);
  EXPECT_TRUE(Page->LeftScrollButton()->Visible());
  EXPECT_EQ(Page->ScrollToolBars(-1), -1);
  EXPECT_EQ(Page->LeftATBIndex(), 0);
  EXPECT_EQ(groups[0]->Left(), 3);
}

TEST_F(GroupFixture, AForcedCompactGroupIsNeverExpandedByThePage) {
  TAdvToolBar* a = Group(L"Clipboard", {L"Cut", L"Copy"});
  TAdvToolBar* b = Group(L"Font", {L"Bold", L"Italic"});
  a->SetCompact(true);
  EXPECT_TRUE(a->IsCompact());
  EXPECT_FALSE(a->CanAutoCompact());
  SetPageWidth(1200);
  EXPECT_TRUE(a->IsCompact());
  EXPECT_FALSE(b->IsCompact());
  a->SetCompact(false);
  EXPECT_FALSE(a->IsCompact());
  // Outside a page Compact does nothing.
  auto* loose = new TAdvToolBar(Form);
  loose->SetParent(Form);
  loose->SetCompact(true);
  EXPECT_FALSE(loose->IsCompact());
}

TEST_F(GroupFixture, CompactWidthIsTheMinimumWithoutACaption) {
  TAdvToolBar* g = Group(L"Clipboard", {L"Cut", L"Copy"});
  g->SetCompact(true);
  EXPECT_EQ(g->Width(), 45);
  EXPECT_EQ(g->GetCompactWidth(), g->CompactMinWidth());
  g->SetCompact(false);
  g->SetCompactCaption(L"A rather long compact caption");
  g->SetCompact(true);
  EXPECT_GE(g->Width(), 45);
  TSize size{};
  g->CompactButton()->CalcButtonSize(BS::bsLarge, size);
  EXPECT_EQ(g->Width(), std::max<int>(45, size.cx));
}

TEST_F(GroupFixture, LeavingTheCompactFormRestoresDownStatesAndOrder) {
  TAdvToolBar* g = Group(L"Clipboard", {L"Cut", L"Copy", L"Paste"});
  B(g, 1)->SetStyle(TAdvButtonStyle::bsCheck);
  B(g, 1)->SetDown(true);
  std::vector<TControl*> order;
  for (int i = 0; i < 3; ++i) order.push_back(g->ToolBarControls(i));
  g->SetCompact(true);
  ASSERT_NE(g->SelfClone(), nullptr);
  EXPECT_EQ(g->SelfClone()->ToolBarControlCount(), 3);
  EXPECT_EQ(order[0]->Parent(), g->SelfClone());
  g->SetCompact(false);
  EXPECT_EQ(g->SelfClone(), nullptr);
  ASSERT_EQ(g->ToolBarControlCount(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(g->ToolBarControls(i), order[i]) << i;
  EXPECT_TRUE(B(g, 1)->Down());
  EXPECT_FALSE(B(g, 0)->Down());
}

TEST_F(GroupFixture, KeyTipsMatchWholeOrInPart) {
  TAdvToolBar* g = Group(L"Clipboard", {L"Cut", L"Copy", L"Paste"});
  B(g, 0)->SetShortCutHint(L"AB");
  B(g, 1)->SetShortCutHint(L"C");
  B(g, 2)->SetShortCutHint(L"D");
  g->ShowShortCutHints();
  ASSERT_NE(B(g, 0)->ShortCutHintWindow(), nullptr);
  EXPECT_TRUE(B(g, 0)->ShortCutHintWindow()->Visible());
  int partial = 0;
  EXPECT_FALSE(g->HandleShortCutHintKey(L"a", partial));
  EXPECT_EQ(partial, 1);
  EXPECT_TRUE(B(g, 0)->ShortCutHintWindow()->Visible());
  EXPECT_FALSE(B(g, 1)->ShortCutHintWindow()->Visible());
  EXPECT_EQ(Clicks, 0);
  // An exact match clicks; a hidden or disabled button is passed over.
  B(g, 2)->SetEnabled(false);
  partial = 0;
  EXPECT_FALSE(g->HandleShortCutHintKey(L"D", partial));
  EXPECT_EQ(Clicks, 0);
  EXPECT_TRUE(g->HandleShortCutHintKey(L"ab", partial));
  EXPECT_EQ(Clicks, 1);
  // The page hides them all; a key nobody knows ends the mode.
  Page->ShowShortCutHints();
  EXPECT_TRUE(Page->ToolBarShortCutShowing());
  EXPECT_FALSE(Page->HandleShortCutHintKey(L"Z"));
  EXPECT_FALSE(Page->ToolBarShortCutShowing());
  Page->HideShortCutHints();
  EXPECT_FALSE(B(g, 0)->ShortCutHintWindow()->Visible());
}

TEST_F(GroupFixture, TheTabKeyTipSitsCentredOnTheTabsBottomEdge) {
  Page->SetShortCutHint(L"H");
  Page->ShowShortCutHint();
  TShortCutHintWindow* w = Page->ShortCutHintWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->Visible());
  EXPECT_EQ(Pager->ShortCutHintWindowCount(), 1);
  TRect tab = Pager->GetTabRect(Page);
  TPoint p = Pager->ClientToScreen(TPoint(tab.left, tab.top));
  EXPECT_EQ(w->Left(), p.x + (tab.Width() - w->Width()) / 2);
  EXPECT_EQ(w->Top(), p.y + tab.Height() - w->Height() / 2);
  Page->HideShortCutHint();
  EXPECT_EQ(Page->ShortCutHintWindow(), nullptr);
  EXPECT_EQ(Pager->ShortCutHintWindowCount(), 0);
  Page->SetTabEnabled(false);
  Page->ShowShortCutHint();
  EXPECT_EQ(Page->ShortCutHintWindow(), nullptr);
}

TEST_F(GroupFixture, TheCompactButtonDropsItsWindowUnderTheGroupAndItHidesWhenLeft) {
  TAdvToolBar* g = Group(L"Clipboard", {L"Cut", L"Copy", L"Paste"});
  g->SetCompact(true);
  TAdvGlowButton* compact = g->CompactButton();
  ASSERT_NE(compact, nullptr);
  Form->BringToFront();
  SetForegroundWindow(Form->Handle());
  PumpFor(20);
  // A real click on the compact button.
  TPoint p = compact->ClientToScreen(TPoint(compact->Width() / 2, compact->Height() / 2));
  SetCursorPos(p.x, p.y);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  auto* window = static_cast<TCompactWindow*>(g->CompactWindow());
  ASSERT_TRUE(PumpUntil([&] { return window->Visible(); }));
  TPoint under = g->Parent()->ClientToScreen(TPoint(g->Left(), g->Top() + g->Height() + 1));
  EXPECT_EQ(window->Left(), under.x);
  EXPECT_EQ(window->Top(), under.y);
  EXPECT_EQ(window->AdvToolBar(), g->SelfClone());
  EXPECT_EQ(window->Width(), g->SelfClone()->Width() + 2);
  EXPECT_EQ(g->SelfClone()->Left(), 1);
  EXPECT_TRUE(compact->Down());
  // A click back on the form takes the activation away: the window hides
  // once its 1 ms timer ticked, and the compact button comes up.
  TPoint away = Form->ClientToScreen(TPoint(400, 250));
  SetCursorPos(away.x, away.y);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return !window->Visible(); }));
  EXPECT_FALSE(window->HideTimer()->Enabled());
  EXPECT_FALSE(compact->Down());
}

TEST_F(GroupFixture, ARefusingCloseQueryKeepsTheCompactWindowOpen) {
  TAdvToolBar* g = Group(L"Clipboard", {L"Cut", L"Copy"});
  g->SetOnCompactCloseQuery([](TObject*, bool& CanClose) { CanClose = false; });
  g->SetCompact(true);
  auto* window = static_cast<TCompactWindow*>(g->CompactWindow());
  g->CompactButtonClick(g->CompactButton());
  ASSERT_TRUE(window->Visible());
  EXPECT_FALSE(window->CanAutoHide());
  window->Perform(WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_FALSE(window->HideTimer()->Enabled());
  g->SetOnCompactCloseQuery(nullptr);
  window->Perform(WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_TRUE(window->HideTimer()->Enabled());
  window->HideTimer()->Tick();
  EXPECT_FALSE(window->Visible());
}

TEST_F(PagerFixture, APageLoadedFromItsFormOrdersItsGroupsByLeft) {
  auto* form = new TForm(nullptr);
  form->BeginLoading();
  form->SetBounds(60, 60, 600, 300);
  auto* pager = new TAdvToolBarPager(form);
  pager->SetName(L"Pager2");
  pager->SetParent(form);
  auto* page = new TAdvPage(form);
  page->SetParent(pager);
  pager->AddAdvPage(page);
  auto* right = new TAdvToolBar(form);
  right->SetName(L"Right");
  right->SetBounds(200, 3, 60, 60);
  right->SetParent(page);
  auto* left = new TAdvToolBar(form);
  left->SetName(L"Left");
  left->SetBounds(50, 3, 60, 60);
  left->SetParent(page);
  form->EndLoading();
  ASSERT_EQ(page->AdvToolBarCount(), 2);
  EXPECT_EQ(page->AdvToolBars(0), left);
  EXPECT_EQ(page->AdvToolBars(1), right);
  EXPECT_EQ(left->Left(), 3);
  EXPECT_EQ(right->Left(), 3 + left->Width() + 3);
  EXPECT_EQ(page->AdvToolBars(5), nullptr);
  // A page on a toolbar is refused.
  try {
    page->SetParent(left);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Invalid Parent");
  }
  form->Free();
}

TEST_F(GroupFixture, TheFloatingRibbonsCopyBorrowsTheGroupsAndGivesThemBack) {
  TAdvToolBar* a = Group(L"Clipboard", {L"Cut", L"Copy"});
  TAdvToolBar* b = Group(L"Font", {L"Bold"});
  auto* window = new TForm(nullptr);
  window->SetBounds(100, 300, 600, 120);
  TAdvPage* clone = Page->CreateClone(window);
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(Page->SelfClone(), clone);
  EXPECT_EQ(clone->SelfClone(), Page);
  EXPECT_EQ(clone->Caption(), L"Home");
  EXPECT_EQ(a->Parent(), clone);
  EXPECT_EQ(b->Parent(), clone);
  EXPECT_EQ(Page->AdvToolBarCount(), 2);  // the page keeps its list
  EXPECT_EQ(clone->AdvToolBarCount(), 2);
  EXPECT_FALSE(Page->AutoPosition());
  EXPECT_EQ(Pager->AdvPageCount(), 1);  // the copy is not a page of the pager
  Page->DestroyClone();
  EXPECT_EQ(Page->SelfClone(), nullptr);
  EXPECT_EQ(a->Parent(), Page);
  EXPECT_EQ(b->Parent(), Page);
  EXPECT_TRUE(Page->AutoPosition());
  EXPECT_EQ(Page->AdvToolBarCount(), 2);
  window->Free();
}

TEST_F(GroupFixture, TheCompactWindowKeepsTheFormsCaptionActiveAndStaysOnScreen) {
  TAdvToolBar* g = Group(L"Clipboard", {L"Cut", L"Copy", L"Paste"});
  g->SetCompact(true);
  auto* window = static_cast<TCompactWindow*>(g->CompactWindow());
  int activeCaptions = 0;
  auto old = Form->WindowProc;
  Form->WindowProc = [&](TMessage& M) {
    if (M.Msg == WM_NCACTIVATE && M.WParam == 1) ++activeCaptions;
    old(M);
  };
  g->CompactButtonClick(g->CompactButton());
  ASSERT_TRUE(window->Visible());
  EXPECT_EQ(window->GetOwnerTopWindow(), Form->Handle());
  activeCaptions = 0;
  window->Perform(WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(activeCaptions, 1);
  Form->WindowProc = old;
  window->HideTimer()->Tick();
  // Near the right edge of the work area the window moves left to end at it.
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  Form->SetBounds(work.right - 90, 40, 200, 320);
  PumpFor(20);
  g->CompactButtonClick(g->CompactButton());
  ASSERT_TRUE(window->Visible());
  EXPECT_EQ(window->Left() + window->Width(), work.right);
  window->HideTimer()->Tick();
}
