// The MDI child buttons of a full-size menu-bar toolbar: shown while the
// active child is maximized, greyed for what the child cannot do, pressed
// and released by the mouse; and the form window procedure each toolbar
// replaces for them, per form, put back when the toolbar goes.
#include "tests/toolbar/bars/BarsTestSupport.h"
#include "tests/toolbar/bars/MenuBarForm.h"

namespace {

int CountInk(TBitmap* Bmp, const TRect& R, TColor Ink) { return CountPixels(Bmp, R, Ink); }

struct MDIFixture : ::testing::Test {
  TForm* Frame = nullptr;
  TAdvToolBar* Bar = nullptr;
  TForm* Child = nullptr;
  void SetUp() override {
    ResetToolBarState();
    ASSERT_EQ(Application->MainForm(), nullptr);
    Application->CreateForm(Frame);
    Frame->SetFormStyle(TFormStyle::fsMDIForm);
    Frame->SetBounds(0, 0, 600, 400);
    auto* menu = new TMainMenu(Frame);
    auto* file = new TMenuItem(Frame);
    file->SetCaption(L"&File");
    menu->Items()->Add(file);
    auto* top = new TAdvDockPanel(Frame);
    top->SetParent(Frame);
    top->SetAlign(TDockAlign::daTop);
    Bar = new TAdvToolBar(Frame);
    Bar->SetName(L"MenuBar");
    Bar->SetParent(top);
    Bar->SetMenu(menu);
    Bar->SetFullSize(true);
    Frame->Show();
    Bar->SetAutoMDIButtons(true);
    Child = NewChild(L"Doc");
  }
  TForm* NewChild(const wchar_t* Caption) {
    auto* c = new TForm(Frame);
    c->SetFormStyle(TFormStyle::fsMDIChild);
    c->SetCaption(Caption);
    c->Show();
    c->SetWindowState(TWindowState::wsMaximized);
    PumpFor(20);
    return c;
  }
  void TearDown() override {
    Frame->Free();
    PumpFor(20);
    ResetToolBarState();
  }
  TPoint Mid(const TRect& R) { return TPoint((R.left + R.right) / 2, (R.top + R.bottom) / 2); }
  void Press(TPoint P) { Bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(P.x, P.y)); }
  void Release(TPoint P) { Bar->Perform(WM_LBUTTONUP, 0, MAKELPARAM(P.x, P.y)); }
};

using MDIButtons = MDIFixture;

TEST_F(MDIButtons, ShowOnlyWhileTheActiveChildIsMaximized) {
  EXPECT_TRUE(Bar->AutoMDIButtons());
  EXPECT_EQ(ToolBarHoldingMDIForm(Frame->Handle()), Bar);
  TRect close = Bar->GetMDICloseRect();
  EXPECT_EQ(close, TRect(Bar->Width() - 21, std::max(2, (Bar->Height() - 18) / 2), Bar->Width() - 3,
                         std::max(2, (Bar->Height() - 18) / 2) + 18));
  EXPECT_EQ(Bar->GetMDIMaxRect(), TRect(close.left - 19, close.top, close.left - 1, close.bottom));
  EXPECT_EQ(Bar->GetMDIMinRect(), TRect(close.left - 38, close.top, close.left - 20, close.bottom));
  {
    TOwned<TBitmap> bmp(PaintToBitmap(Bar));
    EXPECT_TRUE(Bar->MDIButtonsVisible());
    EXPECT_GT(CountInk(bmp, close, clBlack), 10);
    EXPECT_GT(CountInk(bmp, Bar->GetMDIMaxRect(), clBlack), 10);
    EXPECT_GT(CountInk(bmp, Bar->GetMDIMinRect(), clBlack), 6);
  }
  Child->SetWindowState(TWindowState::wsNormal);
  PumpFor(20);
  TOwned<TBitmap> bmp(PaintToBitmap(Bar));
  EXPECT_FALSE(Bar->MDIButtonsVisible());
  EXPECT_EQ(CountInk(bmp, close, clBlack), 0);
}

TEST_F(MDIButtons, AChildThatCannotMaximizeHasAGreyRestoreButtonThatDoesNothing) {
  TBorderIcons icons = Child->BorderIcons();
  icons.Exclude(TBorderIcon::biMaximize);
  Child->SetBorderIcons(icons);
  Child->SetWindowState(TWindowState::wsMaximized);
  PumpFor(20);
  TOwned<TBitmap> bmp(PaintToBitmap(Bar));
  EXPECT_GT(CountInk(bmp, Bar->GetMDIMaxRect(), static_cast<TColor>(0x808080)), 10);
  EXPECT_EQ(CountInk(bmp, Bar->GetMDIMaxRect(), clBlack), 0);
  Press(Mid(Bar->GetMDIMaxRect()));
  Release(Mid(Bar->GetMDIMaxRect()));
  EXPECT_EQ(Child->WindowState(), TWindowState::wsMaximized);
}

TEST_F(MDIButtons, CloseActsOnlyOnAReleaseOverItMinimizeOnAnyRelease) {
  Press(Mid(Bar->GetMDICloseRect()));
  Release(TPoint(5, 5));
  PumpFor(20);
  EXPECT_EQ(Frame->MDIChildCount(), 1);
  Press(Mid(Bar->GetMDIMinRect()));
  Release(TPoint(5, 5));
  PumpFor(20);
  EXPECT_EQ(Child->WindowState(), TWindowState::wsMinimized);
}

TEST_F(MDIButtons, RestoreGivesTheChildItsNormalSize) {
  Press(Mid(Bar->GetMDIMaxRect()));
  Release(Mid(Bar->GetMDIMaxRect()));
  PumpFor(20);
  EXPECT_EQ(Child->WindowState(), TWindowState::wsNormal);
}

// Each form keeps the procedure its own toolbar replaced; a toolbar that
// goes, or whose buttons go off, gives back only its form's.
TEST(MDIFormHook, IsKeptPerFormAndUndoneWhenItsToolBarIsFreed) {
  ResetToolBarState();
  TMenuBarForm a = MakeMenuBarForm(20, 20, 400, 200), b = MakeMenuBarForm(60, 260, 400, 200);
  for (TMenuBarForm* f : {&a, &b}) {
    f->Bar->SetFullSize(true);
    f->Bar->SetAutoMDIButtons(true);
    EXPECT_TRUE(f->Bar->AutoMDIButtons());
  }
  HWND ha = a.Form->Handle(), hb = b.Form->Handle();
  EXPECT_EQ(ToolBarHoldingMDIForm(ha), a.Bar);
  EXPECT_EQ(ToolBarHoldingMDIForm(hb), b.Bar);
  a.Bar->Free();
  EXPECT_FALSE(IsMDIFormHooked(ha));
  EXPECT_EQ(ToolBarHoldingMDIForm(ha), nullptr);
  EXPECT_TRUE(IsMDIFormHooked(hb));
  EXPECT_EQ(ToolBarHoldingMDIForm(hb), b.Bar);
  // The form still works without the hook.
  a.Form->SetBounds(30, 30, 420, 210);
  PumpFor(20);
  EXPECT_EQ(a.Form->Width(), 420);
  b.Bar->SetAutoMDIButtons(false);
  EXPECT_FALSE(IsMDIFormHooked(hb));
  a.Form->Free();
  b.Form->Free();
  ResetToolBarState();
}

TEST(MDIFormHook, IsRefusedWithoutAMenuOrFullSize) {
  ResetToolBarState();
  TMenuBarForm f = MakeMenuBarForm();
  f.Bar->SetAutoMDIButtons(true);  // not full size
  EXPECT_FALSE(f.Bar->AutoMDIButtons());
  EXPECT_FALSE(IsMDIFormHooked(f.Form->Handle()));
  f.Tools->SetFullSize(true);
  f.Tools->SetAutoMDIButtons(true);  // no menu
  EXPECT_FALSE(f.Tools->AutoMDIButtons());
  f.Form->Free();
  ResetToolBarState();
}

}  // namespace
