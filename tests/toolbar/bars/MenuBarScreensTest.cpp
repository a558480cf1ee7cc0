// A picture of a form whose menu bar is a toolbar, saved to
// <build>/screens/menubar.png for a person to look at; the menu buttons'
// captions are checked where the layout puts them.
#include "tests/support/Screens.h"
#include "tests/toolbar/bars/BarsTestSupport.h"
#include "tests/toolbar/bars/MenuBarForm.h"

namespace {

struct MenuBarScreens : ::testing::Test {
  TMenuBarForm F;
  void SetUp() override {
    ResetToolBarState();
    F = MakeMenuBarForm(30, 30, 480, 300);
  }
  void TearDown() override {
    F.Form->Free();
    ResetToolBarState();
  }
};

TEST_F(MenuBarScreens, AFormWithAMenuBarToolBar) {
  F.ButtonOf(F.Edit)->SetHot(true);
  PumpFor(50);
  auto bmp = CaptureWindow(F.Form);
  EXPECT_TRUE(SaveScreenshot(bmp.get(), L"menubar.png"));
  // The menu bar holds the three buttons left to right, each showing dark
  // caption pixels.
  int lastRight = 0;
  for (TMenuItem* top : {F.File, F.Edit, F.View}) {
    TAdvCustomToolBarButton* b = F.ButtonOf(top);
    ASSERT_TRUE(b);
    EXPECT_GE(b->Left(), lastRight);
    lastRight = b->Left() + b->Width();
    TOwned<TBitmap> bar(PaintToBitmap(F.Bar));
    int dark = 0;
    for (int y = b->Top(); y < b->Top() + b->Height(); ++y)
      for (int x = b->Left(); x < b->Left() + b->Width(); ++x) {
        TColor c = PixelAt(bar, x, y);
        if ((c & 0xFF) < 0x60 && ((c >> 8) & 0xFF) < 0x60 && ((c >> 16) & 0xFF) < 0x60) ++dark;
      }
    EXPECT_GT(dark, 10) << "caption of button " << b->GetIndex();
  }
  // The hot button's fill differs from its resting neighbour's.
  TOwned<TBitmap> bar(PaintToBitmap(F.Bar));
  TAdvCustomToolBarButton* edit = F.ButtonOf(F.Edit);
  TAdvCustomToolBarButton* view = F.ButtonOf(F.View);
  EXPECT_NE(PixelAt(bar, edit->Left() + 2, edit->Top() + 3), PixelAt(bar, view->Left() + 2, view->Top() + 3));
}

}  // namespace
