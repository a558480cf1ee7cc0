// The pager's layout: rectangles, fitting the tabs (spacing, margins, cut
// captions and back), tab-group margins and strips, scrolling the tabs.
#include "tests/support/Gui.h"
#include "tests/toolbar/ribbon/PagerTestSupport.h"
#include "ui/toolbar/bars/ToolBarPaint.h"
#include "ui/toolbar/ribbon/PageScrollButton.h"

namespace {
// The tabs rectangle of a pager of this width is 68 narrower (the page
// inset twice and the start margin of 60).
int PagerWidthFor(int Avail) { return Avail + 68; }

std::vector<int> ClientWidths(TAdvToolBarPager* P) {
  std::vector<int> w;
  for (int i = 0; i < P->AdvPageCount(); ++i) w.push_back(P->AdvPages(i)->TabClientWidth());
  return w;
}

// A control that the pager takes for its quick access toolbar.
class TAdvQuickAccessToolBar : public TCustomControl {
  VANTREL_CLASS(TAdvQuickAccessToolBar)
 public:
  using TCustomControl::TCustomControl;
};
}  // namespace

TEST_F(PagerFixture, RectanglesOfCaptionTabsAndPage) {
  SetPagerWidth(600);
  TRect client = Pager->ClientRect();
  EXPECT_EQ(Pager->GetCaptionRect(), TRect(0, 0, client.right, 27));
  EXPECT_EQ(Pager->GetTabsArea(), TRect(0, 26, client.right, 52));
  EXPECT_EQ(Pager->GetTabsRect(), TRect(64, 30, client.right - 4, 56));
  Pager->Caption()->SetVisible(false);
  EXPECT_EQ(Pager->GetCaptionRect(), TRect(-1, -1, -1, -1));
  EXPECT_EQ(Pager->GetTabsRect().top, 4);
  Pager->Caption()->SetVisible(true);
  TAdvPage* a = AddPage(L"A");
  AddPage(L"B");
  TRect tab = Pager->GetTabRect(0);
  EXPECT_EQ(tab.left, 64);
  EXPECT_EQ(tab.Width(), a->GetTabWidth());
  EXPECT_EQ(Pager->GetTabRect(1).left, tab.right + Pager->CurrentTabSpacing());
  EXPECT_EQ(Pager->TabAtPos(tab.left + 1, tab.top + 1), 0);
  EXPECT_EQ(Pager->TabAtPos(tab.left - 1, tab.top + 1), -1);
  a->SetTabVisible(false);
  EXPECT_EQ(Pager->GetTabRect(0), TRect(-1, -1, -1, -1));
  EXPECT_EQ(Pager->GetTabRect(1).left, 64);
  EXPECT_EQ(Pager->GetTabRect(5), TRect(-1, -1, -1, -1));
  // Tones: no inset, and a pixel more to the left, right and bottom.
  TRect plain = Pager->GetPageRect();
  TColorTones tones;
  MetroColorTones(true, 0xC07000, clNone, tones);
  Pager->SetColorTones(tones);
  TRect toned = Pager->GetPageRect();
  EXPECT_EQ(toned, TRect(plain.left - 5, plain.top, plain.right + 5, plain.bottom + 5));
  EXPECT_EQ(Pager->GetPageInset(), 0);
}

TEST_F(PagerFixture, TightSpacingAndMarginsMakeFiveTabsFitThenACaptionIsCut) {
  // Five tabs of 80 (4-pixel margins included) with spacing 4: 416 wide.
  SetPagerWidth(1000);
  for (const wchar_t* c : {L"A", L"B", L"C", L"D", L"E"}) AddPage(c);
  Pager->ResetTabLayout();
  SetTabClientWidths(72);
  ASSERT_EQ(Pager->GetTotalTabsWidth(), 416);
  SetPagerWidth(PagerWidthFor(402));
  EXPECT_EQ(Pager->CurrentTabSpacing(), 3);
  EXPECT_EQ(Pager->CurrentTabLeftMargin(), 3);
  EXPECT_EQ(Pager->CurrentTabRightMargin(), 3);
  EXPECT_EQ(Pager->GetTotalTabsWidth(), 402);
  EXPECT_EQ(ClientWidths(Pager), (std::vector<int>{72, 72, 72, 72, 72}));
  SetPagerWidth(PagerWidthFor(400));
  EXPECT_EQ(ClientWidths(Pager), (std::vector<int>{70, 72, 72, 72, 72}));
  EXPECT_EQ(Pager->GetTabRect(1).left, Pager->GetTabRect(0).right + 3);
}

TEST_F(PagerFixture, CaptionsAreCutFiveAtATimeWidestFirstAndGivenBackNarrowestFirst) {
  SetPagerWidth(1000);
  for (const wchar_t* c : {L"A", L"B", L"C"}) AddPage(c);
  Pager->ResetTabLayout();
  SetTabClientWidths(40);
  Pager->AdvPages(1)->SetTabClientWidth(50);
  Pager->AdvPages(1)->SetTabRealClientWidth(50);
  Pager->LayoutTabLefts();
  // At the minimum spacing and margins the tabs are 46, 56, 46 + 2 x 3 = 154.
  SetPagerWidth(PagerWidthFor(154 - 17));
  // 17 pixels: the widest loses 5 twice (56 -> 46), then the first of the
  // three equals 5 and the next widest the last 2, ...
  std::vector<int> w = ClientWidths(Pager);
  int cut = 0;
  for (int i = 0; i < 3; ++i) cut += (i == 1 ? 50 : 40) - w[i];
  EXPECT_EQ(cut, 17);
  EXPECT_EQ(w, (std::vector<int>{35, 38, 40}));
  // ... and never below a full width of 24.
  SetPagerWidth(PagerWidthFor(40));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Pager->AdvPages(i)->GetTabWidth(), 24) << i;
  // Wider again: cut captions come back before spacing and margins.
  SetPagerWidth(PagerWidthFor(154 - 17));
  EXPECT_EQ(Pager->CurrentTabSpacing(), 3);
  EXPECT_EQ(Pager->GetTotalTabsWidth(), 154 - 17);
  SetPagerWidth(1000);
  EXPECT_EQ(ClientWidths(Pager), (std::vector<int>{40, 50, 40}));
  EXPECT_EQ(Pager->CurrentTabSpacing(), 4);
  EXPECT_EQ(Pager->CurrentTabLeftMargin(), 4);
  EXPECT_EQ(Pager->CurrentTabRightMargin(), 4);
}

TEST_F(PagerFixture, ATabGroupWiderThanItsTabsWidensEachTab) {
  SetPagerWidth(1000);
  for (const wchar_t* c : {L"A", L"B", L"C", L"D"}) AddPage(c);
  TTabGroupItem* g = Pager->TabGroups()->Add();
  g->SetCaption(L"Picture Tools");
  g->SetTabIndexStart(1);
  g->SetTabIndexEnd(3);
  Pager->ResetTabLayout();
  TBitmap measure(1, 1);
  int w = GetTextWidthGdip(measure.Canvas(), L"Picture Tools",
                           Pager->CurrentToolBarStyler()->GroupAppearance()->Font(), TAntiAlias::aaAntiAlias) +
          26;
  // The strip of the three tabs: their widths (caption parts and 8 of
  // margins each), two gaps of 4 and 2 on each side; made 40 narrower than
  // the caption needs.
  int x = 5;
  int tabs = w - 40 - 36;  // the three caption parts
  g->SetTabExtraXMargin(0);
  g->SetTabCurrentExtraXMargin(0);
  SetTabClientWidths(x);
  Pager->AdvPages(1)->SetTabClientWidth(x);
  Pager->AdvPages(2)->SetTabClientWidth(x);
  Pager->AdvPages(3)->SetTabClientWidth(tabs - 2 * x);
  Pager->LayoutTabLefts();
  bool visible, complete;
  ASSERT_EQ(Pager->GetTabGroupRect(0, visible, complete).Width(), w - 40);
  ASSERT_TRUE(visible && complete);
  Pager->ComputeTabGroupMargins();
  // 40 over three tabs is 13 each, halved to 6 on each side.
  EXPECT_EQ(g->TabExtraXMargin(), 6);
  EXPECT_EQ(g->TabCurrentExtraXMargin(), 6);
  EXPECT_EQ(Pager->AdvPages(2)->GetTabWidth(), x + 8 + 12);
  EXPECT_EQ(Pager->AdvPages(0)->GetTabWidth(), x + 8);
  // The strip spans the group's tabs up to the caption bar's top.
  TRect strip = Pager->GetTabGroupRect(0, visible, complete);
  EXPECT_EQ(strip.left, Pager->GetTabRect(1).left - 2);
  EXPECT_EQ(strip.right, Pager->GetTabRect(3).right + 2);
  EXPECT_EQ(strip.top, 0);
  EXPECT_EQ(strip.bottom, Pager->GetTabsRect().bottom);
  EXPECT_EQ(Pager->TabGroupAtPos(strip.left + 1, 5), 0);
  // Bad spans give no strip.
  g->SetTabIndexEnd(9);
  EXPECT_EQ(Pager->GetTabGroupRect(0, visible, complete), TRect(-1, -1, -1, -1));
  EXPECT_FALSE(visible);
}

TEST_F(PagerFixture, AGroupFromTheFirstTabHasNoStripBesideAQuickAccessToolBar) {
  for (const wchar_t* c : {L"A", L"B"}) AddPage(c);
  TTabGroupItem* g = Pager->TabGroups()->Add();
  g->SetTabIndexStart(0);
  g->SetTabIndexEnd(1);
  bool visible, complete;
  EXPECT_NE(Pager->GetTabGroupRect(0, visible, complete), TRect(-1, -1, -1, -1));
  auto* qat = new TAdvQuickAccessToolBar(Form);
  qat->SetBounds(0, 0, 40, 24);
  qat->SetParent(Pager);
  ASSERT_EQ(Pager->QuickAccessToolBar(), qat);
  EXPECT_EQ(Pager->GetTabGroupRect(0, visible, complete), TRect(-1, -1, -1, -1));
  qat->Free();
  EXPECT_EQ(Pager->QuickAccessToolBar(), nullptr);
}

TEST_F(PagerFixture, TabsThatDoNotFitScrollInWindowsOfFittingTabs) {
  SetPagerWidth(1000);
  for (int i = 0; i < 10; ++i) AddPage(L"Tab" + std::to_wstring(i));
  Pager->ResetTabLayout();
  SetTabClientWidths(60);
  // Every tab cut down to 24, spacing 3: four tabs fit in 120 (the fourth
  // ends at 105), a fifth would not.
  SetPagerWidth(PagerWidthFor(120));
  for (int i = 0; i < 10; ++i) ASSERT_EQ(Pager->AdvPages(i)->GetTabWidth(), 24) << i;
  int last = -1;
  EXPECT_EQ(Pager->CountFittingTabs(0, true, last), 4);
  EXPECT_EQ(last, 3);
  EXPECT_EQ(Pager->TabScroller()->Max(), 2);
  ASSERT_NE(Pager->RightScrollButton(), nullptr);
  EXPECT_TRUE(Pager->RightScrollButton()->Visible());
  EXPECT_TRUE(Pager->LeftScrollButton() == nullptr || !Pager->LeftScrollButton()->Visible());
  int left = Pager->GetTabsRect().left;
  EXPECT_EQ(Pager->ScrollTabs(1), 1);
  EXPECT_EQ(Pager->StartTabIndex(), 4);
  EXPECT_EQ(Pager->AdvPages(4)->TabLeft(), left);
  ASSERT_NE(Pager->LeftScrollButton(), nullptr);
  EXPECT_TRUE(Pager->LeftScrollButton()->Visible());
  // The last window is filled: tab 6 starts it, not tab 8.
  EXPECT_EQ(Pager->ScrollTabs(5), 1);
  EXPECT_EQ(Pager->StartTabIndex(), 6);
  EXPECT_EQ(Pager->AdvPages(9)->TabLeft() + 24, Pager->GetTabsRect().right);
  EXPECT_FALSE(Pager->RightScrollButton()->Visible());
  EXPECT_EQ(Pager->ScrollTabs(1), 0);
  // Back one window: tabs 5, 4, 3, 2 are counted and tab 1 comes first.
  EXPECT_EQ(Pager->ScrollTabs(-1), -1);
  EXPECT_EQ(Pager->StartTabIndex(), 1);
  EXPECT_EQ(Pager->AdvPages(1)->TabLeft(), left);
  // The scroll button clicks scroll too.
  Pager->LeftScrollButton()->Click();
  EXPECT_EQ(Pager->StartTabIndex(), 0);
  EXPECT_EQ(Pager->AdvPages(0)->TabLeft(), left);
  // A width change starts again from the first tab.
  Pager->RightScrollButton()->Click();
  SetPagerWidth(PagerWidthFor(121));
  EXPECT_EQ(Pager->StartTabIndex(), 0);
}
