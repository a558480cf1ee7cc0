// The pager's and the page's painting by pixels, and the tab glow counted
// in ticks.
#include <memory>

#include "base/StdCtrls.h"
#include "tests/draw/DrawTestSupport.h"
#include "tests/support/Gui.h"
#include "tests/toolbar/bars/PaintTestSupport.h"
#include "tests/toolbar/ribbon/PagerTestSupport.h"
#include "ui/toolbar/ribbon/PageScrollButton.h"
#include "ui/controls/buttons/GlowButtonHelpers.h"

namespace {

constexpr TColor kStrip = 0xF0E0D0;     // the tab row's background
constexpr TColor kSelected = 0x30C030;  // the selected tab's face
constexpr TColor kNormal = 0xC03030;    // an unselected tab's face
constexpr TColor kCaption = 0xE0E0E0;   // the caption bar
constexpr TColor kPageTop = 0x80F0F0;
constexpr TColor kPageBottom = 0x60C0C0;
constexpr TColor kGroupPage = 0xC080C0;

struct PaintFixture : PagerFixture {
  TCustomAdvToolBarStyler* Styler = nullptr;

  void SetUp() override {
    PagerFixture::SetUp();
    Styler = new TCustomAdvToolBarStyler(Form);
    Styler->SetName(L"Styler");
    TTabAppearance* t = Styler->TabAppearance();
    t->BackGround()->SetColor(kStrip);
    t->BackGround()->SetColorTo(clNone);
    t->SetColorSelected(kSelected), t->SetColorSelectedTo(clNone), t->SetColorMirrorSelected(clNone);
    t->SetColor(kNormal), t->SetColorTo(clNone), t->SetColorMirror(clNone);
    t->SetBorderColor(clNone), t->SetBorderColorSelected(clNone), t->SetBorderColorHot(clNone);
    t->SetTextColor(clBlack), t->SetTextColorDisabled(0x0000FF), t->SetTextColorSelected(clBlack);
    t->SetShadowColor(clNone);
    t->SetHighLightColor(clNone), t->SetHighLightColorSelected(clNone);
    TVistaTextBackground* c = Styler->PagerCaption();
    c->SetColor(kCaption), c->SetColorTo(kCaption), c->SetColorMirror(kCaption), c->SetColorMirrorTo(kCaption);
    c->SetBorderColor(clNone);
    c->SetTextColor(0x0000E0), c->SetTextColorExtended(0xE00000);
    TVistaPageBackground* p = Styler->PageAppearance();
    p->SetColor(kPageTop), p->SetColorTo(kPageTop), p->SetColorMirror(kPageBottom), p->SetColorMirrorTo(kPageBottom);
    p->SetBorderColor(clBlack);
    p->SetShadowColor(clNone);
    Styler->SetShow3D(false);
    Styler->SetShowShadow(false);
    Pager->SetToolBarStyler(Styler);
    SetPagerWidth(600);
  }
  std::unique_ptr<TBitmap> Shot() {
    PumpFor(5);
    return std::unique_ptr<TBitmap>(PaintToBitmap(Pager));
  }
};

}  // namespace

TEST_F(PaintFixture, ACaptionsDocumentNameTakesTheExtendedColour) {
  Pager->Caption()->SetIndent(10);
  Pager->Caption()->SetCaption(L"Document - Application");
  auto bmp = Shot();
  TRect caption = Pager->GetCaptionRect();
  EXPECT_TRUE(Near(PixelAt(bmp.get(), 3, 3), kCaption, 2));
  // The blue document name lies left of the red rest.
  int blueRight = -1, redLeft = 10000, blue = 0, red = 0;
  for (int y = caption.top; y < caption.bottom - 1; ++y)
    for (int x = 0; x < caption.right; ++x) {
      TColor c = PixelAt(bmp.get(), x, y);
      if (Near(c, 0xE00000, 70) && (c & 0xFF) < 60) {
        ++blue;
        blueRight = Max<int>(blueRight, x);
      } else if (Near(c, 0x0000E0, 70) && ((c >> 16) & 0xFF) < 60) {
        ++red;
        redLeft = Min<int>(redLeft, x);
      }
    }
  EXPECT_GT(blue, 15);
  EXPECT_GT(red, 15);
  EXPECT_LT(blueRight, redLeft);
  // Without the separator the whole caption is in the text colour.
  Pager->Caption()->SetCaption(L"Application");
  bmp = Shot();
  EXPECT_EQ(CountPixels(bmp.get(), caption, 0xE00000, 40), 0);
  EXPECT_GT(CountPixels(bmp.get(), caption, 0x0000E0, 70), 15);
}

TEST_F(PaintFixture, UnselectedTabsShowOnlyTheirTextUnlessAskedForFaces) {
  AddPage(L"Home");
  TAdvPage* off = AddPage(L"View");
  AddPage(L"Help");
  Pager->SetActivePageIndex(0);
  off->SetTabEnabled(false);
  // While the pager has the focus its active tab shows the hot colours.
  Styler->TabAppearance()->SetColorHot(0x00C0C0);
  Styler->TabAppearance()->SetColorHotTo(clNone), Styler->TabAppearance()->SetColorMirrorHot(clNone);
  ASSERT_TRUE(FocusForInput(Form, Pager));
  auto bmp = Shot();
  TRect active = Pager->GetTabRect(0), other = Pager->GetTabRect(2), disabled = Pager->GetTabRect(1);
  int mid = active.top + active.Height() / 2;
  EXPECT_EQ(PixelAt(bmp.get(), active.left + 1, mid), 0x00C0C0);
  auto* edit = new TEdit(Form);
  edit->SetParent(Form);
  edit->SetBounds(10, 200, 80, 20);
  ASSERT_TRUE(FocusForInput(Form, edit));
  bmp = Shot();
  EXPECT_EQ(PixelAt(bmp.get(), active.left + 1, mid), kSelected);
  EXPECT_EQ(PixelAt(bmp.get(), other.left + 1, mid), kStrip);
  EXPECT_GT(CountPixels(bmp.get(), disabled, 0x0000FF, 80), 5);  // the disabled text colour
  EXPECT_EQ(CountPixels(bmp.get(), other, 0x0000FF, 80), 0);
  Pager->SetShowNonSelectedTabs(true);
  bmp = Shot();
  EXPECT_EQ(PixelAt(bmp.get(), other.left + 1, mid), kNormal);
  EXPECT_EQ(PixelAt(bmp.get(), active.left + 1, mid), kSelected);
}

TEST_F(PaintFixture, TabsAtTheMinimumSpacingGetSeparators) {
  Styler->TabAppearance()->SetBorderColorSelected(clBlack);
  for (const wchar_t* c : {L"One", L"Two", L"Three"}) AddPage(c);
  TRect second = Pager->GetTabRect(1);
  auto bmp = Shot();
  EXPECT_EQ(PixelAt(bmp.get(), second.left - 2, second.bottom - 2), kStrip);
  // Narrow enough that the spacing goes down to its minimum.
  SetPagerWidth(68 + Pager->GetTotalTabsWidth() - 2);
  ASSERT_EQ(Pager->CurrentTabSpacing(), 3);
  second = Pager->GetTabRect(1);
  TRect first = Pager->GetTabRect(0);
  bmp = Shot();
  EXPECT_TRUE(Near(PixelAt(bmp.get(), second.left - 2, second.bottom - 2), clBlack, 40));
  EXPECT_EQ(PixelAt(bmp.get(), first.left - 2, first.bottom - 2), kStrip);  // not before the first tab
}

TEST_F(PaintFixture, ATabCutByTheTabRowIsDrawnOnlyInsideIt) {
  Pager->SetShowNonSelectedTabs(true);
  // The help button at the row's end would stand over the cut tab.
  Pager->SetShowHelpButton(false);
  for (int i = 0; i < 8; ++i) AddPage(L"Tab" + std::to_wstring(i));
  for (int i = 0; i < 8; ++i) {
    Pager->AdvPages(i)->SetTabClientWidth(60);
    Pager->AdvPages(i)->SetTabRealClientWidth(60);
  }
  SetPagerWidth(68 + 130);
  TRect tabs = Pager->GetTabsRect();
  TRect cut = Pager->GetTabRect(4);
  ASSERT_LT(cut.left, tabs.right);
  ASSERT_GT(cut.right, tabs.right);
  ASSERT_GT(Pager->RightScrollButton()->Left(), cut.left + 3);
  auto bmp = Shot();
  int mid = cut.top + cut.Height() / 2;
  EXPECT_EQ(PixelAt(bmp.get(), cut.left + 3, mid), kNormal);
  // Beyond the row's right edge only the strip.
  for (int x = tabs.right; x < cut.right; ++x) EXPECT_EQ(PixelAt(bmp.get(), x, mid), kStrip) << x;
}

TEST_F(PaintFixture, PagesPaintTheirBandsAndOpenUnderTheActiveTab) {
  TAdvPage* home = AddPage(L"Home");
  AddPage(L"Insert");
  Pager->SetActivePageIndex(0);
  Styler->SetRoundEdges(false);
  std::unique_ptr<TBitmap> bmp(PaintToBitmap(home));
  int w = home->Width();
  EXPECT_EQ(PixelAt(bmp.get(), w / 2, 10), kPageTop);
  EXPECT_EQ(PixelAt(bmp.get(), w / 2, home->Height() - 10), kPageBottom);
  EXPECT_TRUE(Near(PixelAt(bmp.get(), w - 5, 0), clBlack, 40));  // the border's top
  TRect tab = Pager->GetVisibleTabRect(0);
  int under = (tab.left + tab.right) / 2 - home->Left();
  EXPECT_EQ(PixelAt(bmp.get(), under, 0), kPageTop);  // open under the active tab
  // The active page of a classic tab group takes the group's page colours.
  TTabGroupItem* g = Pager->TabGroups()->Add();
  g->SetTabIndexStart(0);
  g->SetTabIndexEnd(1);
  TVistaPageBackground* gp = Styler->GroupAppearance()->PageAppearance();
  gp->SetColor(kGroupPage), gp->SetColorTo(kGroupPage), gp->SetColorMirror(kGroupPage);
  gp->SetColorMirrorTo(kGroupPage);
  bmp.reset(PaintToBitmap(home));
  EXPECT_EQ(PixelAt(bmp.get(), w / 2, 10), kGroupPage);
  // An Office 2013 group style keeps the styler's page colours.
  TOfficeTones office{};
  TAppColor app;
  ClearColorTones(office.Buttons), ClearColorTones(office.Tab), ClearColorTones(office.Pager);
  office.Tab.Background.BrushColor = 0x406080;
  office.App = &app;
  Pager->SetOfficeTones(office, TGroupStyle::gsOffice2013);
  EXPECT_EQ(Pager->GroupStyle(), TGroupStyle::gsOffice2013);
  bmp.reset(PaintToBitmap(home));
  EXPECT_EQ(PixelAt(bmp.get(), home->Width() / 2, 10), 0x406080);
  Pager->ClearOfficeTones();
  EXPECT_EQ(Pager->GroupStyle(), TGroupStyle::gsClassic);
}

TEST_F(PaintFixture, TheBrandingPictureShowsAtTheRightOfAPageWithoutGroups) {
  TAdvPage* home = AddPage(L"Home");
  Pager->SetActivePageIndex(0);
  std::unique_ptr<TGDIPPicture> picture(new TGDIPPicture());
  TStringStream bytes(MakePng(20, 10, 0x2040FF));
  picture->LoadFromStream(&bytes);
  Pager->SetBrandingPicture(picture.get());
  std::unique_ptr<TBitmap> bmp(PaintToBitmap(home));
  int y = (home->Height() - 10) / 2, x = home->Width() - 20 - y;
  EXPECT_EQ(PixelAt(bmp.get(), x + 10, y + 5), 0x2040FF);
  EXPECT_NE(PixelAt(bmp.get(), x - 2, y + 5), 0x2040FF);
}

TEST_F(PagerFixture, TheTabGlowHoldsAtFullThenFadesOutTickByTick) {
  SetCursorPos(0, 0);  // away from every tab
  TAdvPage* page = AddPage(L"Home");
  Pager->SetHotPageIndex(0);
  Pager->StartTabGlow(page, 20, TGlowState::gsHover);
  ASSERT_NE(page->GlowTimer(), nullptr);
  EXPECT_EQ(page->GlowTimer()->Interval(), 20u);
  int ticks = 0;
  while (page->StepHover() <= 100 && ticks < 20) {
    page->GlowTimerTick(nullptr);
    ++ticks;
  }
  EXPECT_EQ(ticks, 6);
  EXPECT_EQ(page->StepHover(), 120);
  EXPECT_EQ(page->TimeInc(), -20);  // the cursor is not on the tab: fading out
  EXPECT_EQ(Pager->HotPageIndex(), -1);
  EXPECT_EQ(page->GlowState(), TGlowState::gsHover);
  ticks = 0;
  while (page->GlowTimer() && ticks < 20) {
    page->GlowTimerTick(nullptr);
    ++ticks;
  }
  EXPECT_EQ(ticks, 7);  // 100, 80 ... 0, -20
  EXPECT_EQ(page->StepHover(), -20);
  EXPECT_EQ(page->GlowState(), TGlowState::gsNone);
  // A push glow ends once past 100.
  Pager->StartTabGlow(page, 20, TGlowState::gsPush);
  ticks = 0;
  while (page->GlowTimer() && ticks < 20) {
    page->GlowTimerTick(nullptr);
    ++ticks;
  }
  EXPECT_EQ(ticks, 6);
  EXPECT_EQ(page->StepPush(), 0);
  // No timer with a glow interval of 0.
  Pager->SetGlowSpeed(0);
  Pager->StartTabGlow(page, 20, TGlowState::gsHover);
  EXPECT_EQ(page->GlowTimer(), nullptr);
}

TEST_F(PagerFixture, AFullHoverGlowKeepsPollingWhileTheCursorIsOnTheTab) {
  TAdvPage* page = AddPage(L"Home");
  Pager->SetActivePageIndex(0);
  PumpFor(5);
  TRect tab = Pager->GetTabRect(0);
  TPoint inside = Pager->ClientToScreen(TPoint(tab.left + 3, tab.top + 3));
  SetCursorPos(inside.x, inside.y);
  Pager->StartTabGlow(page, 20, TGlowState::gsHover);
  for (int i = 0; i < 10; ++i) page->GlowTimerTick(nullptr);
  EXPECT_EQ(page->StepHover(), 120);
  EXPECT_EQ(page->TimeInc(), 20);
  EXPECT_NE(page->GlowTimer(), nullptr);
  SetCursorPos(0, 0);
  page->GlowTimerTick(nullptr);
  EXPECT_EQ(page->TimeInc(), -20);
}
