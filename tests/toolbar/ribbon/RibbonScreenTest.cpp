// A form with docked toolbars and a ribbon with groups as the screen shows
// it, saved to <build>/screens/ for a person to look at: wide, then narrow
// with a compact group dropped down. Each picture is also checked where the
// layout puts the parts.
#include <memory>

#include "tests/draw/DrawTestSupport.h"
#include "tests/support/Gui.h"
#include "tests/support/Screens.h"
#include "tests/toolbar/ribbon/PagerTestSupport.h"
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/toolbar/bars/AdvDockPanel.h"
#include "ui/toolbar/bars/AdvToolBarButton.h"
#include "ui/toolbar/bars/CompactWindow.h"
#include "ui/toolbar/ribbon/MinimizedRibbonWindow.h"
#include "ui/toolbar/stylers/ToolBarOfficeStyler.h"

namespace {

// What the screen shows of two windows' rectangles together; All is the
// rectangle taken.
std::unique_ptr<TBitmap> CaptureBoth(const RECT& A, const RECT& B, RECT& All) {
  All = RECT{std::min(A.left, B.left), std::min(A.top, B.top), std::max(A.right, B.right), std::max(A.bottom, B.bottom)};
  std::unique_ptr<TBitmap> shot(new TBitmap(All.right - All.left, All.bottom - All.top));
  HDC screen = GetDC(nullptr);
  BitBlt(shot->Canvas()->Handle(), 0, 0, shot->Width(), shot->Height(), screen, All.left, All.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  return shot;
}

struct RibbonScreen : ::testing::Test {
  TForm* Form = nullptr;
  TAdvToolBarOfficeStyler* Styler = nullptr;
  TAdvToolBarPager* Pager = nullptr;
  TAdvPage* Home = nullptr;
  TImageList* Images = nullptr;
  std::vector<TAdvToolBar*> Groups;

  void SetUp() override {
    ResetRibbonGlobals();
    Form = new TForm(nullptr);
    Form->BeginLoading();
    Form->SetName(L"RibbonForm");
    Form->SetBounds(20, 20, 820, 420);
    Form->SetCaption(L"Toolbars and ribbon");
    Styler = new TAdvToolBarOfficeStyler(Form);
    Styler->SetName(L"Styler");
    Styler->SetStyle(TToolBarStyle::bsOffice2007Luna);
    Images = new TImageList(Form, 16, 16);
    Images->SetColorDepth(TColorDepth::cd24Bit);
    for (TColor c : {0x3060C0, 0x30A030, 0xC06030, 0x20A0E0, 0x8040A0}) {
      TBitmap b(16, 16, TPixelFormat::pf24bit);
      b.Canvas()->Brush()->SetColor(clWhite);
      b.Canvas()->FillRect(TRect(0, 0, 16, 16));
      b.Canvas()->Brush()->SetColor(c);
      b.Canvas()->FillRect(TRect(2, 2, 14, 14));
      Images->Add(&b, nullptr);
    }
    // Docked toolbars on a panel at the top.
    auto* dock = new TAdvDockPanel(Form);
    dock->SetName(L"Dock");
    dock->SetParent(Form);
    dock->SetAlign(TDockAlign::daTop);
    dock->SetToolBarStyler(Styler);
    for (int t = 0; t < 2; ++t) {
      auto* bar = new TAdvToolBar(Form);
      bar->SetName(L"Bar" + std::to_wstring(t));
      bar->SetImages(Images);
      for (int i = 0; i < 4; ++i) {
        auto* b = new TAdvToolBarButton(Form);
        b->SetName(L"Bar" + std::to_wstring(t) + L"Button" + std::to_wstring(i));
        b->SetImageIndex((i + t) % 5);
        b->SetAdvToolBar(bar);
      }
      bar->SetParent(dock);
    }
    // The ribbon below it.
    Pager = new TAdvToolBarPager(Form);
    Pager->SetName(L"Pager");
    Pager->SetParent(Form);
    Pager->SetAlign(TAlign::alTop);
    Pager->SetToolBarStyler(Styler);
    Pager->Caption()->SetCaption(L"Document - Vantrel");
    for (const wchar_t* caption : {L"Home", L"Insert", L"Format", L"View"}) {
      auto* page = new TAdvPage(Form);
      page->SetCaption(caption);
      Pager->AddAdvPage(page);
    }
    TTabGroupItem* group = Pager->TabGroups()->Add();
    group->SetCaption(L"Picture Tools");
    group->SetTabIndexStart(2);
    group->SetTabIndexEnd(3);
    Form->EndLoading();
    Home = Pager->AdvPages(0);
    Pager->SetActivePageIndex(0);
    std::string png = MakePng(24, 24, 0x3070D0);
    struct {
      const wchar_t* Caption;
      std::vector<const wchar_t*> Buttons;
    } groups[] = {{L"Clipboard", {L"Paste", L"Cut", L"Copy"}},
                  {L"Font", {L"Bold", L"Italic", L"Underline"}},
                  {L"Editing", {L"Find", L"Replace"}}};
    for (auto& g : groups) {
      TAdvToolBar* tb = Home->CreateAdvToolBar();
      tb->SetName(String(g.Caption) + L"Group");
      tb->SetToolBarCaption(g.Caption);
      tb->SetCompactCaption(g.Caption);
      tb->SetAutoSize(true);
      for (const wchar_t* text : g.Buttons) {
        auto* b = new TAdvGlowButton(Form);
        b->SetAutoSize(true);
        TStringStream bytes(png);
        b->Picture()->LoadFromStream(&bytes);
        b->SetCaption(text);
        b->SetLayout(TButtonLayout::blGlyphTop);
        b->SetParent(tb);
      }
      Groups.push_back(tb);
    }
    Form->Show();
    PumpFor(50);
    for (TAdvToolBar* tb : Groups) tb->PositionControls(true);
    Home->PositionToolBars();
    Home->UpdateAllToolBars();
    PumpFor(50);
  }
  void TearDown() override {
    Form->Free();
    PumpFor(5);
    ResetRibbonGlobals();
  }
};

}  // namespace

TEST_F(RibbonScreen, DockedToolBarsAndARibbonWithGroups) {
  std::unique_ptr<TBitmap> shot = CaptureWindow(Form);
  EXPECT_TRUE(SaveScreenshot(shot.get(), L"toolbars_ribbon.png"));
  // The page's own colour shows right of its last group.
  TAdvToolBar* last = Groups.back();
  TPoint beyond = InPicture(Form, Home, last->Left() + last->Width() + 20, 10);
  TColor page = PixelAt(shot.get(), beyond.x, beyond.y);
  TColor expected = ColorToRGB(Styler->PageAppearance()->Color());
  EXPECT_LE(std::abs(int(page & 0xFF) - int(expected & 0xFF)), 24);
  // Every group shows its large buttons side by side.
  for (TAdvToolBar* g : Groups) {
    EXPECT_FALSE(g->IsCompact());
    auto* first = dynamic_cast<TAdvGlowButton*>(g->ToolBarControls(0));
    EXPECT_EQ(first->ButtonSizeState(), TButtonSizeState::bsLarge);
  }
  // The selected tab's face differs from the strip beside the tabs.
  TRect tab = Pager->GetTabRect(0);
  TPoint inTab = InPicture(Form, Pager, tab.left + 2, tab.top + tab.Height() / 2);
  TPoint strip = InPicture(Form, Pager, Pager->GetTabsRect().right - 20, tab.top + tab.Height() / 2);
  EXPECT_NE(PixelAt(shot.get(), inTab.x, inTab.y), PixelAt(shot.get(), strip.x, strip.y));
}

TEST_F(RibbonScreen, ANarrowRibbonDropsACompactGroupDown) {
  Form->SetBounds(20, 20, 140, 420);
  PumpFor(50);
  TAdvToolBar* last = Groups.back();
  ASSERT_TRUE(last->IsCompact());
  last->CompactButtonClick(last->CompactButton());
  auto* window = static_cast<TCompactWindow*>(last->CompactWindow());
  ASSERT_TRUE(PumpUntil([&] { return window->Visible(); }));
  PumpFor(100);
  // The group dropped down whole: its buttons large, side by side.
  TAdvCustomToolBar* clone = last->SelfClone();
  for (int i = 0; i < clone->ToolBarControlCount(); ++i) {
    auto* b = dynamic_cast<TAdvGlowButton*>(clone->ToolBarControls(i));
    EXPECT_EQ(b->ButtonSizeState(), TButtonSizeState::bsLarge) << i;
  }
  EXPECT_EQ(window->Width(), clone->Width() + 2);
  // The picture of the screen around the form and the drop-down.
  RECT f, w;
  GetWindowRect(Form->Handle(), &f);
  GetWindowRect(window->Handle(), &w);
  RECT all{};
  std::unique_ptr<TBitmap> shot = CaptureBoth(f, w, all);
  EXPECT_TRUE(SaveScreenshot(shot.get(), L"ribbon_compact.png"));
  // The drop-down's frame in the styler's toolbar colour, under the group.
  EXPECT_EQ(w.top, last->ClientToScreen(TPoint(0, last->Height() + 1)).y);
  TColor frame = PixelAt(shot.get(), w.left - all.left + 5, w.top - all.top);
  TColor expected = ColorToRGB(Styler->Color()->Color());
  EXPECT_LE(std::abs(int(frame & 0xFF) - int(expected & 0xFF)), 24);
}

TEST_F(RibbonScreen, ACollapsedRibbonShowsItsPageFloatingUnderTheTabs) {
  Pager->Collaps();
  PumpFor(50);
  TRect tab = Pager->GetTabRect(0);
  Pager->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tab.left + 5, tab.top + 5));
  Pager->Perform(WM_LBUTTONUP, 0, MAKELPARAM(tab.left + 5, tab.top + 5));
  TMinimizedRibbonWindow* window = Pager->FloatingRibbonWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return window->Visible(); }));
  PumpFor(100);
  ASSERT_TRUE(Pager->FloatingRibbonShowing());
  // The groups are lent to the window's copy of the page.
  for (TAdvToolBar* g : Groups) EXPECT_EQ(g->Parent(), window->AdvPage());
  RECT f, w;
  GetWindowRect(Form->Handle(), &f);
  GetWindowRect(window->Handle(), &w);
  EXPECT_EQ(w.top, Pager->ClientToScreen(TPoint(0, Pager->GetTabsArea().bottom)).y);
  RECT all{};
  std::unique_ptr<TBitmap> shot = CaptureBoth(f, w, all);
  EXPECT_TRUE(SaveScreenshot(shot.get(), L"ribbon_collapsed_floating.png"));
  // The page's colour shows in the window beyond its last group.
  TAdvToolBar* last = Groups.back();
  TPoint in = last->ClientToScreen(TPoint(last->Width() + 20, 10));
  TColor page = PixelAt(shot.get(), in.x - all.left, in.y - all.top);
  TColor expected = ColorToRGB(Styler->PageAppearance()->Color());
  EXPECT_LE(std::abs(int(page & 0xFF) - int(expected & 0xFF)), 24);
  // Expanding takes the window away and gives the groups back.
  Pager->Expand();
  PumpFor(20);
  EXPECT_EQ(Pager->FloatingRibbonWindow(), nullptr);
  for (TAdvToolBar* g : Groups) EXPECT_EQ(g->Parent(), Home);
}
