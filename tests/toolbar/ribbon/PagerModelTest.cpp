// The pager's model: defaults, the page list and the active page, page
// selection, parenting, rescaling, the MDI form hook, and the settings it
// streams (caption, tab settings, scroller, tab groups).
#include <memory>

#include "tests/support/Gui.h"
#include "tests/toolbar/ribbon/PagerTestSupport.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"
#include "ui/toolbar/stylers/ToolBarOfficeStyler.h"

TAdvToolBarPager* PagerHoldingMDIForm();

TEST_F(PagerFixture, StartsWithItsDefaultsAndAFirstPageStaysHidden) {
  EXPECT_EQ(Pager->Height(), 149);
  EXPECT_EQ(Pager->Align(), TAlign::alTop);
  EXPECT_EQ(Pager->ActivePageIndex(), -1);
  EXPECT_EQ(Pager->Version(), L"6.5.1.3");
  Pager->SetVersion(L"1.0");
  EXPECT_EQ(Pager->Version(), L"6.5.1.3");
  EXPECT_EQ(Pager->Caption()->Height(), 26);
  EXPECT_EQ(Pager->TabSettings()->Height(), 26);
  EXPECT_EQ(Pager->DefTabMargin(), 60);
  EXPECT_EQ(Pager->InternalToolBarStyler()->Name(), L"InternalStyler");
  EXPECT_EQ(Pager->CurrentToolBarStyler()->ClassName(), L"TAdvToolBarOfficeStyler");
  EXPECT_FALSE(Pager->OptionPicture()->Empty());
  EXPECT_EQ(Pager->OptionPicture()->Width(), 9);
  TAdvPage* first = AddPage(L"Home");
  EXPECT_EQ(Pager->ActivePageIndex(), -1);
  EXPECT_FALSE(first->Visible());
  EXPECT_EQ(first->Parent(), Pager);
  EXPECT_EQ(first->AdvToolBarPager(), Pager);
  Pager->SetActivePageIndex(0);
  EXPECT_TRUE(first->Visible());
  // A page made by the pager itself.
  int index = Pager->AddAdvPage(L"Insert");
  EXPECT_EQ(index, 1);
  EXPECT_EQ(Pager->AdvPages(1)->Owner(), Pager);
  EXPECT_EQ(Pager->AdvPages(1)->Caption(), L"Insert");
  try {
    Pager->AdvPages(2);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Index out of bounds in list read access");
  }
}

TEST_F(PagerFixture, RemovingPagesKeepsTheActiveIndexOnAPageOrAtMinusOne) {
  struct {
    const char* Name;
    int Pages, Active, Remove;
    bool HideOthers;
    int ExpectedActive;
    int ExpectedPage;  // the original index of the page active afterwards, -1 for none
  } cases[] = {
      {"active middle of three", 3, 1, 1, false, 1, 2},
      {"only page", 1, 0, 0, false, -1, -1},
      {"active last of three", 3, 2, 2, false, 0, 0},
      {"active last, the others hidden", 3, 2, 2, true, -1, -1},
      {"a page before the active one", 3, 2, 0, false, 1, 2},
      {"a page after the active one", 3, 0, 2, false, 0, 0},
  };
  for (auto& c : cases) {
    std::vector<TAdvPage*> pages;
    for (int i = 0; i < c.Pages; ++i) pages.push_back(AddPage(L"P" + std::to_wstring(i)));
    Pager->SetActivePageIndex(c.Active);
    if (c.HideOthers)
      for (int i = 0; i < c.Pages; ++i)
        if (i != c.Active) pages[i]->SetTabVisible(false);
    Pager->RemoveAdvPage(pages[c.Remove]);
    EXPECT_EQ(Pager->ActivePageIndex(), c.ExpectedActive) << c.Name;
    EXPECT_LT(Pager->ActivePageIndex(), Pager->AdvPageCount()) << c.Name;
    TAdvPage* expected = c.ExpectedPage >= 0 ? pages[c.ExpectedPage] : nullptr;
    EXPECT_EQ(Pager->ActivePage(), expected) << c.Name;
    if (expected) EXPECT_TRUE(expected->Visible()) << c.Name;
    EXPECT_EQ(pages[c.Remove]->AdvToolBarPager(), nullptr) << c.Name;
    for (TAdvPage* p : pages) p->Free();
    ASSERT_EQ(Pager->AdvPageCount(), 0) << c.Name;
  }
}

TEST_F(PagerFixture, SelectNextPageWrapsAndSkipsHiddenAndDisabledTabs) {
  TAdvPage* a = AddPage(L"A");
  TAdvPage* b = AddPage(L"B");
  TAdvPage* c = AddPage(L"C");
  Pager->SetActivePageIndex(2);
  Pager->SelectNextPage(true);
  EXPECT_EQ(Pager->ActivePageIndex(), 0);
  b->SetTabEnabled(false);
  Pager->SelectNextPage(true);
  EXPECT_EQ(Pager->ActivePageIndex(), 2);
  Pager->SelectNextPage(false);
  EXPECT_EQ(Pager->ActivePageIndex(), 0);
  a->SetTabVisible(false);
  c->SetTabEnabled(false);
  Pager->SelectNextPage(true);  // only the active page is selectable
  EXPECT_EQ(Pager->ActivePageIndex(), 0);
  // FindNextPage: wrapping both ways, tabs checked on request.
  EXPECT_EQ(Pager->FindNextPage(c, true, false), a);
  EXPECT_EQ(Pager->FindNextPage(a, false, false), c);
  EXPECT_EQ(Pager->FindNextPage(c, true, true), b);
  EXPECT_EQ(Pager->FindNextPage(nullptr, true, false), nullptr);
  auto* stranger = new TAdvPage(Form);
  EXPECT_EQ(Pager->FindNextPage(stranger, true, false), nullptr);
  Pager->RemoveAdvPage(b);
  Pager->RemoveAdvPage(c);
  EXPECT_EQ(Pager->FindNextPage(a, true, false), nullptr);  // one page
}

TEST_F(PagerFixture, ChangingPagesAsksFirstAndReportsAfter) {
  AddPage(L"A");
  AddPage(L"B");
  std::vector<String> heard;
  bool allow = true;
  Pager->OnChanging = [&](TObject*, int From, int To, bool& Allow) {
    heard.push_back(L"changing " + std::to_wstring(From) + L">" + std::to_wstring(To));
    Allow = allow;
  };
  Pager->OnChange = [&](TObject*) { heard.push_back(L"change"); };
  Pager->OnTabChanged = [&](TObject*) { heard.push_back(L"tab changed"); };
  Pager->SetActivePageIndex(1);
  allow = false;
  Pager->SetActivePageIndex(0);
  EXPECT_EQ(Pager->ActivePageIndex(), 1);
  Pager->SetActivePageIndex(7);  // not a page: no change, no question
  std::vector<String> expected{L"changing -1>1", L"change", L"tab changed", L"changing 1>0", L"tab changed",
                               L"tab changed"};
  EXPECT_EQ(heard, expected);
}

TEST_F(PagerFixture, PagesMoveAndTheActiveOneStaysTheSame) {
  TAdvPage* a = AddPage(L"A");
  AddPage(L"B");
  TAdvPage* c = AddPage(L"C");
  Pager->SetActivePage(c);
  a->SetPageIndex(2);
  EXPECT_EQ(Pager->AdvPages(2), a);
  EXPECT_EQ(Pager->ActivePage(), c);
  EXPECT_EQ(c->PageIndex(), 1);
  a->SetPageIndex(9);
  EXPECT_EQ(a->PageIndex(), 2);
  // Dropping a page on another page reorders them.
  a->SetParent(c);
  EXPECT_EQ(a->Parent(), Pager);
  EXPECT_EQ(a->PageIndex(), 1);
}

TEST_F(PagerFixture, PagersAndPagesRefuseWrongParents) {
  auto* other = new TAdvToolBarPager(Form);
  auto* page = AddPage(L"A");
  for (TWinControl* parent : std::initializer_list<TWinControl*>{other, page}) {
    try {
      Pager->SetParent(parent);
      ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), L"Invalid Parent");
    }
  }
  EXPECT_EQ(Pager->Parent(), Form);
  // A page given to another pager joins that pager.
  page->SetParent(other);
  EXPECT_EQ(page->AdvToolBarPager(), other);
  EXPECT_EQ(Pager->AdvPageCount(), 0);
  EXPECT_EQ(other->AdvPageCount(), 1);
}

TEST_F(PagerFixture, PageMarginsIgnoreNegativeValuesAndPlaceThePages) {
  TAdvPage* a = AddPage(L"A");
  Pager->SetPageLeftMargin(-1);
  EXPECT_EQ(Pager->PageLeftMargin(), 0);
  Pager->SetPageLeftMargin(10);
  Pager->SetPageRightMargin(6);
  TRect client = Pager->ClientRect();
  TRect expected(4 + 10, 26 + 26, client.right - 4 - 6, client.bottom - 4 - 1);
  EXPECT_EQ(Pager->GetPageRect(), expected);
  EXPECT_EQ(a->BoundsRect(), expected);
}

TEST_F(PagerFixture, RescalingTakesTheFactorFromTheDisplayForEveryPager) {
  // Two pagers rescaled for a 144-dpi display both end at that display's
  // factor, not at the factor applied twice.
  SetMonitorPixelsPerInchSource([](HWND) { return 144; });
  auto* second = new TAdvToolBarPager(Form);
  second->SetParent(Form);
  float expected = GetDPIFactor(144);
  ASSERT_GT(expected, 1.2f);
  Pager->ChangeScale(144, 96);
  EXPECT_FLOAT_EQ(DPIFactor, expected);
  second->ChangeScale(144, 96);
  EXPECT_FLOAT_EQ(DPIFactor, expected);
  EXPECT_EQ(DPIPixelsPerInch, 144);
  EXPECT_EQ(ScaledCaptionHeight, static_cast<int>(Round(26.0L * expected)));
  EXPECT_EQ(ScaledGroupCaptionHeight, static_cast<int>(Round(16.0L * expected)));
  EXPECT_EQ(Pager->Caption()->Height(), ScaledCaptionHeight);
  // The tab height is the designed one scaled once, made even.
  int tab = static_cast<int>(Round(26.0L * expected));
  EXPECT_EQ(Pager->DefTabHeight(), tab % 2 ? tab + 1 : tab);
  EXPECT_EQ(second->DefTabHeight(), Pager->DefTabHeight());
  EXPECT_EQ(second->TabSettings()->Height(), second->DefTabHeight());
  // Rescaling again for the same display changes nothing.
  Pager->ChangeScale(144, 144);
  second->ChangeScale(96, 96);
  EXPECT_FLOAT_EQ(DPIFactor, expected);
}

TEST_F(PagerFixture, TheMDIFormHookEndsWithThePager) {
  HWND form = Form->Handle();
  auto original = GetWindowLongPtrW(form, GWLP_WNDPROC);
  Pager->SetAutoMDIButtons(true);
  EXPECT_NE(GetWindowLongPtrW(form, GWLP_WNDPROC), original);
  EXPECT_EQ(PagerHoldingMDIForm(), Pager);
  // One pager per process: a second one leaves the form alone.
  auto* second = new TAdvToolBarPager(Form);
  second->SetParent(Form);
  second->SetAutoMDIButtons(true);
  EXPECT_EQ(PagerHoldingMDIForm(), Pager);
  second->Free();
  Pager->Free();
  Pager = nullptr;
  EXPECT_EQ(GetWindowLongPtrW(form, GWLP_WNDPROC), original);
  EXPECT_EQ(PagerHoldingMDIForm(), nullptr);
  // The form goes on working: a move reaches its own procedure.
  Form->SetBounds(60, 60, 700, 300);
  PumpFor(10);
  EXPECT_EQ(Form->Left(), 60);
  // Switched off by the property, too.
  auto* third = new TAdvToolBarPager(Form);
  third->SetParent(Form);
  third->SetAutoMDIButtons(true);
  third->SetAutoMDIButtons(false);
  EXPECT_EQ(GetWindowLongPtrW(form, GWLP_WNDPROC), original);
}

TEST_F(PagerFixture, StylerBindingFollowsTheAssignedStylerAndFallsBack) {
  auto* styler = new TCustomAdvToolBarStyler(Form);
  styler->SetName(L"Styler");
  Pager->SetToolBarStyler(styler);
  EXPECT_EQ(Pager->CurrentToolBarStyler(), styler);
  EXPECT_GE(styler->ControlList()->IndexOf(static_cast<TCustomControl*>(Pager)), 0);
  styler->Free();
  EXPECT_EQ(Pager->ToolBarStyler(), nullptr);
  EXPECT_EQ(Pager->CurrentToolBarStyler(), Pager->InternalToolBarStyler());
}

TEST_F(PagerFixture, AStylerGivenAtRunTimeTonesThePagerAsItsStyleDoes) {
  struct Case {
    TToolBarStyle Style;
    bool Tones;
    TGroupStyle Group;
  };
  const Case cases[] = {
      {TToolBarStyle::bsOffice2013White, true, TGroupStyle::gsOffice2013},
      {TToolBarStyle::bsOffice2016Gray, true, TGroupStyle::gsOffice2013},
      {TToolBarStyle::bsWindows8, true, TGroupStyle::gsWindows8},
      {TToolBarStyle::bsOffice2007Luna, false, TGroupStyle::gsClassic},
      {TToolBarStyle::bsOffice2010Blue, false, TGroupStyle::gsClassic},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(n);
    // Every styler is styled before the pager joins it; the pager arrives
    // from the previous case's look.
    auto* styler = new TAdvToolBarOfficeStyler(Form);
    styler->SetName(L"Styler" + std::to_wstring(n++));
    styler->SetStyle(c.Style);
    Pager->SetToolBarStyler(styler);
    EXPECT_EQ(Pager->Itones(), c.Tones);
    EXPECT_EQ(Pager->GroupStyle(), c.Group);
  }
}

// ---------------------------------------------------------------------------
// Settings

TEST(PagerSettings, CaptionTabSettingsAndScrollerFollowTheirRules) {
  ResetRibbonGlobals();
  TOwned<TAdvPageCaption> caption(new TAdvPageCaption());
  int changes = 0;
  caption->OnChange = [&](TObject*) { ++changes; };
  caption->SetHeight(caption->Height());  // the same height still notifies
  EXPECT_EQ(changes, 1);
  caption->SetIndent(100);  // unchanged: silent
  EXPECT_EQ(changes, 1);
  TOwned<TAdvPageCaption> other(new TAdvPageCaption());
  other->SetCaption(L"Doc - App");
  other->SetHeight(40);
  other->SetRightIndent(77);
  other->SetWideCaption(L"wide");
  other->SetMinWidth(50);
  changes = 0;
  caption->Assign(other);
  EXPECT_EQ(caption->Caption(), L"Doc - App");
  EXPECT_EQ(caption->Height(), 40);
  EXPECT_EQ(caption->MinWidth(), 50);
  EXPECT_EQ(caption->RightIndent(), 0);
  EXPECT_EQ(caption->WideCaption(), L"");
  EXPECT_EQ(changes, 1);  // MinWidth only

  TOwned<TATBTabSettings> a(new TATBTabSettings()), b(new TATBTabSettings());
  b->SetSpacing(9);
  b->SetLeftMargin(7);
  b->SetHeight(30);
  a->Assign(b);
  EXPECT_EQ(a->Spacing(), 4);
  EXPECT_EQ(a->LeftMargin(), 7);
  EXPECT_EQ(a->Height(), 30);
  EXPECT_EQ(a->MinSpacing(), 3);
  EXPECT_EQ(a->MinMargin(), 3);
  int glass = 0;
  a->OnGlassChange = [&](TObject*) { ++glass; };
  a->SetGlass(true);
  a->SetGlass(true);
  EXPECT_TRUE(b->Glass());  // one flag for every pager
  EXPECT_EQ(glass, 1);
  ResetGlobalDrawingFlags();

  TOwned<TATBTabScroller> s(new TATBTabScroller());
  s->SetMax(5);
  EXPECT_TRUE(s->CanGoForward());
  EXPECT_FALSE(s->CanGoBack());
  s->SetMin(6);
  EXPECT_EQ(s->Min(), 0);
  s->SetMax(-1);
  EXPECT_EQ(s->Max(), 5);
  s->SetPosition(5);
  EXPECT_TRUE(s->CanGoBack());
  EXPECT_FALSE(s->CanGoForward());
}

TEST_F(PagerFixture, TabGroupsSpanTheirTabsAndTakeCustomColours) {
  for (const wchar_t* c : {L"A", L"B", L"C", L"D", L"E"}) AddPage(c);
  int changes = 0;
  Pager->TabGroups()->OnChange = [&](TObject*) { ++changes; };
  TTabGroupItem* g = Pager->TabGroups()->Add();
  g->SetTabIndexStart(2);
  g->SetTabIndexEnd(4);
  EXPECT_GT(changes, 0);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Pager->TabGroupOfTab(i), i >= 2 ? 0 : -1) << i;
  EXPECT_TRUE(Pager->PageInTabGroup(Pager->AdvPages(3)));
  EXPECT_EQ(Pager->TabGroupTabCount(0), 3);
  // A custom colour copies the styler's group colours and colours borders;
  // without the scenic flag the fills stay the styler's.
  TGroupAppearance* styler = Pager->CurrentToolBarStyler()->GroupAppearance();
  g->SetCustomColor(0x123456);
  EXPECT_FALSE(g->DefaultAppearance());
  EXPECT_EQ(g->GroupAppearance()->BorderColor(), 0x123456);
  EXPECT_EQ(g->GroupAppearance()->ColorMirrorTo(), 0x123456);
  EXPECT_EQ(g->GroupAppearance()->Color(), styler->Color());
  EXPECT_EQ(g->GroupAppearance()->TabAppearance()->BorderColorSelected(), 0x123456);
  EXPECT_EQ(g->GroupAppearance()->TabAppearance()->BorderColorHot(), 0x123456);
  SetGlobalWin7ScenicRibbon(true);
  g->SetCustomColor(0x654321);
  EXPECT_EQ(g->GroupAppearance()->Color(), 0x654321);
  // Assign copies the span, not the appearance choice.
  TTabGroupItem* h = Pager->TabGroups()->Add();
  h->SetTag(3);
  h->Assign(g);
  EXPECT_EQ(h->TabIndexStart(), 2);
  EXPECT_EQ(h->Tag(), 0);
  EXPECT_TRUE(h->DefaultAppearance());
}
