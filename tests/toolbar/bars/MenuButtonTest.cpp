// Menu buttons and glow menu buttons: where their colours come from in each
// state, the arrow of a vertical menu button, and the glow menu button that
// drops its menu.
#include "tests/controls/menus/MenuDriver.h"
#include "tests/toolbar/bars/BarsTestSupport.h"

namespace {

constexpr TColor Green = 0x00C000, Red = 0x0000C0, Blue = 0xC00000, Grey = 0x808080, Teal = 0x808000;

struct MenuButtonFixture : DockFixture {
  TAdvToolBar* T = nullptr;
  void SetUp() override {
    DockFixture::SetUp();
    T = new TAdvToolBar(Form);
    T->SetName(L"T");
    T->SetParent(Form);
    T->SetAutoSize(false);
    T->SetBounds(10, 10, 200, 60);
  }
  TAdvToolBarMenuButton* AddMenuButton(const wchar_t* Name) {
    auto* b = new TAdvToolBarMenuButton(Form);
    b->SetName(Name);
    b->SetAutoSize(false);
    b->SetBounds(0, 0, 40, 22);
    b->SetAdvToolBar(T);
    return b;
  }
  // The colour in the middle of the button as the toolbar paints it.
  TColor Middle(TControl* B) {
    TOwned<TBitmap> bmp(PaintToBitmap(T));
    return PixelAt(bmp, B->Left() + B->Width() / 2 - 4, B->Top() + B->Height() / 2);
  }
};

using MenuButton = MenuButtonFixture;

enum class Look { Hot, Pressed, Latched, Normal };

struct ColourCase {
  Look State;
  bool ParentStyler;
  TColor Expected;
};

TEST_F(MenuButton, TakesHotAndPressedColoursFromTheStylerAndLatchedOnesFromItsOwnAppearance) {
  AdvToolBar::TButtonAppearance* styler = T->CurrentToolBarStyler()->ButtonAppearance();
  styler->SetColorHot(Green);
  styler->SetColorDown(Red);
  styler->SetColorChecked(Teal);
  const ColourCase cases[] = {
      {Look::Hot, true, Green},      {Look::Pressed, true, Red},     {Look::Latched, true, Blue},
      {Look::Hot, false, Grey},      {Look::Pressed, false, Teal},   {Look::Latched, false, Blue},
  };
  int n = 0;
  for (const ColourCase& c : cases) {
    TAdvToolBarMenuButton* b = AddMenuButton((L"M" + IntToStr(n++)).c_str());
    EXPECT_TRUE(b->IsMenuButton());
    EXPECT_TRUE(b->ParentStyler());
    b->SetParentStyler(c.ParentStyler);
    b->Appearance()->SetColorHot(Grey);
    b->Appearance()->SetColorDown(Teal);
    b->Appearance()->SetColorChecked(Blue);
    switch (c.State) {
      case Look::Hot:
        b->SetHot(true);
        break;
      case Look::Pressed:
        b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        break;
      case Look::Latched:
        b->SetGroupIndex(1);
        b->SetDown(true);
        ASSERT_EQ(b->State(), TAdvButtonState::absExclusive);
        break;
      case Look::Normal:
        break;
    }
    EXPECT_EQ(Middle(b), c.Expected) << "case " << n - 1;
    b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(500, 500));
    b->Free();
  }
}

TEST_F(MenuButton, AnOpaqueButtonAtRestTakesItsOwnColoursAndATransparentOneNone) {
  TAdvToolBarMenuButton* b = AddMenuButton(L"M");
  b->Appearance()->SetColor(Red);
  // Transparent by default: the toolbar's own background shows, as where
  // the button is not.
  TColor shown = Middle(b);
  b->SetVisible(false);
  TColor bare = Middle(b);
  b->SetVisible(true);
  EXPECT_EQ(shown, bare);
  b->SetTransparent(false);
  EXPECT_EQ(Middle(b), Red);
}

TEST_F(MenuButton, OnAVerticalToolBarTheArrowAlwaysPointsLeft) {
  TAdvToolBarMenuButton* b = AddMenuButton(L"M");
  b->SetDropDownButton(true);
  for (TDockAlign side : {TDockAlign::daLeft, TDockAlign::daRight}) {
    b->SetAutoSize(false);
    b->SetPosition(side);
    b->SetBounds(4, 4, 22, 40);
    TOwned<TBitmap> bmp(PaintToBitmap(T));
    // The drop-down part is the last 12 px across the bottom.
    TRect d(b->Left(), b->Top() + 40 - 12, b->Left() + 22, b->Top() + 40);
    int x = d.left + (d.Width() - 3) / 2 + 1, y = d.top + (d.Height() - 5) / 2;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(PixelAt(bmp, x, y + i), clBlack) << "tip column " << i;
    for (int i = 1; i < 4; ++i) EXPECT_EQ(PixelAt(bmp, x - 1, y + i), clBlack);
    EXPECT_EQ(PixelAt(bmp, x - 2, y + 2), clBlack);
    EXPECT_NE(PixelAt(bmp, x - 2, y), clBlack);
    EXPECT_NE(PixelAt(bmp, x + 1, y + 2), clBlack);
  }
}

TEST_F(MenuButton, AGlowMenuButtonIsThirtyTwoWideAndDropsItsMenu) {
  auto* g = new TAdvGlowMenuButton(Form);
  g->SetParent(Form);
  EXPECT_EQ(g->Width(), 32);
  EXPECT_TRUE(g->DropDownButton());
  EXPECT_TRUE(g->DropDownSplit());
  EXPECT_EQ(g->DropDownPosition(), TDropDownPosition::dpRight);
  EXPECT_TRUE(g->IsMenuButton());
  auto* menu = new TAdvPopupMenu(Form);
  auto* item = new TMenuItem(menu);
  item->SetCaption(L"One");
  menu->Items()->Add(item);
  g->SetDropDownMenu(menu);
  g->SetBounds(300, 300, 32, 24);
  int drops = 0;
  g->OnDropDown = [&](TObject*) { ++drops; };
  TMenuIdleHook hook([](HWND) { EndMenu(); });
  g->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 10));
  EXPECT_TRUE(hook.Ran());
  EXPECT_FALSE(hook.TimedOut());
  EXPECT_EQ(drops, 1);
  g->Perform(WM_LBUTTONUP, 0, MAKELPARAM(30, 10));
  // Unsplit, InvokeClick drops it as a whole drop-down button does.
  g->SetDropDownSplit(false);
  TMenuIdleHook again([](HWND) { EndMenu(); });
  g->InvokeClick();
  EXPECT_TRUE(again.Ran());
}

}  // namespace
