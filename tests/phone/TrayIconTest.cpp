// The tray icon: its window answers the shell's callback message (sent by
// hand here: Xvfb has no notification area), balloons, and its end.
#include <gtest/gtest.h>

#include "base/ExtCtrls.h"
#include "base/Image.h"
#include "base/StdCtrls.h"
#include "base/TrayIcon.h"
#include "tests/support/Gui.h"

namespace {

struct TrayFixture : testing::Test {
  TComponent* owner = new TComponent(nullptr);
  TTrayIcon* tray = new TTrayIcon(owner);
  void TearDown() override {
    owner->Free();
    Application->OnException = nullptr;
  }
  void Callback(LPARAM event) { SendMessageW(tray->Handle(), WM_TRAYICON_CALLBACK, 1, event); }
};

TEST_F(TrayFixture, CallbackEventsReachTheirHandlers) {
  tray->SetVisible(true);
  int clicks = 0, balloonClicks = 0;
  tray->OnClick = [&](TObject* s) {
    EXPECT_EQ(s, tray);
    ++clicks;
  };
  tray->OnBalloonClick = [&](TObject*) { ++balloonClicks; };
  struct {
    LPARAM Event;
    int Clicks, BalloonClicks;
  } cases[] = {{WM_LBUTTONUP, 1, 0},  {WM_LBUTTONDOWN, 1, 0}, {WM_MOUSEMOVE, 1, 0},
               {NIN_BALLOONUSERCLICK, 1, 1}, {WM_LBUTTONUP, 2, 1}, {WM_RBUTTONUP, 2, 1}};
  for (const auto& c : cases) {
    Callback(c.Event);
    EXPECT_EQ(clicks, c.Clicks) << c.Event;
    EXPECT_EQ(balloonClicks, c.BalloonClicks) << c.Event;
  }
}

TEST_F(TrayFixture, AnExceptionInAHandlerIsReportedAndLeavesTheIconWorking) {
  tray->SetVisible(true);
  String reported;
  Application->OnException = [&](TObject*, const Exception& e) { reported = e.Message(); };
  int clicks = 0;
  tray->OnClick = [&](TObject*) {
    if (++clicks == 1) throw Exception(L"click failed");
  };
  Callback(WM_LBUTTONUP);
  EXPECT_EQ(reported, L"click failed");
  Callback(WM_LBUTTONUP);
  EXPECT_EQ(clicks, 2);
}

TEST_F(TrayFixture, BalloonTakesItsTextsAndIsCounted) {
  tray->SetVisible(true);
  tray->SetBalloonTitle(L"SMS Code ( copied to clipboard )");
  tray->SetBalloonHint(L"1234");
  tray->SetBalloonFlags(TBalloonFlags::bfInfo);
  tray->SetBalloonTimeout(8000);
  EXPECT_EQ(tray->BalloonCount(), 0);
  tray->ShowBalloonHint();
  EXPECT_EQ(tray->BalloonCount(), 1);
  EXPECT_EQ(tray->BalloonHint(), L"1234");
  EXPECT_EQ(tray->BalloonTimeout(), 8000);
}

TEST_F(TrayFixture, FreeingTheIconEndsItsWindowAndNoHandlerRunsAfter) {
  tray->SetVisible(true);
  HWND h = tray->Handle();
  ASSERT_TRUE(IsWindow(h));
  bool clicked = false;
  tray->OnClick = [&](TObject*) { clicked = true; };
  tray->Free();
  tray = nullptr;
  EXPECT_FALSE(IsWindow(h));
  SendMessageW(h, WM_TRAYICON_CALLBACK, 1, WM_LBUTTONUP);
  EXPECT_FALSE(clicked);
}

TEST(Memo, KeepsLinesAndIsAMultiLineEdit) {
  TComponent* owner = new TComponent(nullptr);
  auto* form = new TForm(owner);
  auto* memo = new TMemo(form);
  memo->SetParent(form);
  memo->SetScrollBars(TScrollStyle::ssVertical);
  memo->SetText(L"Local IP: 10.0.0.2\r\nsecond line\r\n");
  LONG_PTR style = GetWindowLongPtrW(memo->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_TRUE(style & WS_VSCROLL);
  EXPECT_EQ(SendMessageW(memo->Handle(), EM_GETLINECOUNT, 0, 0), 3);
  EXPECT_EQ(memo->Text(), L"Local IP: 10.0.0.2\r\nsecond line\r\n");
  owner->Free();
}

TEST(Image, DrawsItsPictureAtItsPlaceCentredOrStretched) {
  TComponent* owner = new TComponent(nullptr);
  auto* form = new TForm(owner);
  auto* panel = new TPanel(owner);
  panel->SetParent(form);
  panel->SetBounds(0, 0, 60, 60);
  panel->SetBevelOuter(TBevelCut::bvNone);
  panel->SetColor(clWhite);
  auto* image = new TImage(owner);
  image->SetParent(panel);
  image->SetBounds(10, 10, 40, 40);
  TBitmap red(10, 10, TPixelFormat::pf24bit);
  red.Canvas()->Brush()->SetColor(clRed);
  red.Canvas()->FillRect(TRect(0, 0, 10, 10));
  image->Picture()->SetGraphic(&red);
  struct {
    bool Stretch, Center;
    TPoint RedAt, WhiteAt;
  } cases[] = {{false, false, {12, 12}, {30, 30}},
               {false, true, {30, 30}, {12, 12}},
               {true, false, {48, 48}, {5, 5}}};
  for (const auto& c : cases) {
    image->SetStretch(c.Stretch);
    image->SetCenter(c.Center);
    TBitmap* bmp = PaintToBitmap(panel);
    EXPECT_EQ(PixelAt(bmp, c.RedAt.x, c.RedAt.y), clRed) << c.Stretch << c.Center;
    EXPECT_EQ(PixelAt(bmp, c.WhiteAt.x, c.WhiteAt.y), clWhite) << c.Stretch << c.Center;
    bmp->Free();
  }
  owner->Free();
}

}  // namespace
