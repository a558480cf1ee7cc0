// Toolbar buttons: Down and groups, presses on the button and drop-down
// parts, hot tracking, auto-sizing and the disabled glyph; the mouse by
// direct messages and by input injected on the screen.
#include "base/ActnList.h"
#include "tests/toolbar/bars/BarsTestSupport.h"

namespace {

struct ButtonFixture : DockFixture {
  TAdvToolBar* T = nullptr;
  void SetUp() override {
    DockFixture::SetUp();
    T = new TAdvToolBar(Form);
    T->SetName(L"T");
    T->SetParent(Form);
    T->SetBounds(10, 10, 200, 26);
  }
  // A press and a release at client points of the button, as its toolbar
  // hands them on.
  void Press(TControl* B, int X, int Y) { B->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y)); }
  void Release(TControl* B, int X, int Y) { B->Perform(WM_LBUTTONUP, 0, MAKELPARAM(X, Y)); }
};

using ToolBarButton = ButtonFixture;

TEST_F(ToolBarButton, DownFollowsStyleGroupAndAllowAllUp) {
  TAdvToolBarButton* a = AddButton(T, L"A", 20);
  TAdvToolBarButton* b = AddButton(T, L"B", 20);
  a->SetDown(true);  // a plain button is never down
  EXPECT_FALSE(a->Down());
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  a->SetDown(true);
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(a->State(), TAdvButtonState::absExclusive);
  a->SetDown(false);  // a down group button stays down...
  EXPECT_TRUE(a->Down());
  b->SetDown(true);  // ...until another of its group goes down
  EXPECT_FALSE(a->Down());
  EXPECT_TRUE(b->Down());
  b->SetAllowAllUp(true);
  b->SetDown(false);
  EXPECT_FALSE(b->Down());
  // A check button is down or up by itself.
  TAdvToolBarButton* c = AddButton(T, L"C", 20);
  c->SetStyle(TAdvToolButtonStyle::tasCheck);
  c->SetDown(true);
  EXPECT_TRUE(c->Down());
  EXPECT_EQ(c->State(), TAdvButtonState::absDown);
  c->SetDown(false);
  EXPECT_FALSE(c->Down());
}

TEST_F(ToolBarButton, AnActionsCheckedAndGroupReachTheButton) {
  auto* list = new TActionList(Form);
  auto* act = new TAction(Form);
  act->SetActionList(list);
  act->SetGroupIndex(3);
  act->SetChecked(true);
  TAdvToolBarButton* a = AddButton(T, L"A", 20);
  a->SetAction(act);
  EXPECT_EQ(a->GroupIndex(), 3);
  EXPECT_TRUE(a->Down());
}

TEST_F(ToolBarButton, APressNearTheRightEdgeOfASplitButtonIsTheDropDownPart) {
  TAdvToolBarButton* b = AddButton(T, L"B", 40);
  b->SetDropDownButton(true);
  int drops = 0, clicks = 0;
  b->OnDropDown = [&](TObject*) { ++drops; };
  b->OnClick = [&](TObject*) { ++clicks; };
  Press(b, b->Width() - 14, 5);  // the button part
  EXPECT_EQ(b->State(), TAdvButtonState::absDown);
  EXPECT_EQ(drops, 0);
  Release(b, b->Width() - 14, 5);
  EXPECT_EQ(clicks, 1);
  Press(b, b->Width() - 13, 5);  // the drop-down part
  EXPECT_EQ(drops, 1);
  EXPECT_EQ(b->State(), TAdvButtonState::absUp);
  Release(b, b->Width() - 13, 5);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ToolBarButton, AReleaseOnTheBottomEdgeIsInsideOnTheRightEdgeOutside) {
  TAdvToolBarButton* b = AddButton(T, L"B", 30);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  struct Case {
    int X, Y, Clicks;
  };
  for (Case c : {Case{5, b->ClientHeight(), 1}, Case{b->ClientWidth(), 5, 1}, Case{-1, 5, 1}, Case{5, 5, 2}}) {
    Press(b, 5, 5);
    Release(b, c.X, c.Y);
    EXPECT_EQ(clicks, c.Clicks) << c.X << "," << c.Y;
    EXPECT_EQ(b->State(), TAdvButtonState::absUp);
  }
  // A group button toggles on a release inside and stays as it was outside.
  b->SetGroupIndex(2);
  b->SetAllowAllUp(true);
  Press(b, 5, 5);
  Release(b, 5, b->ClientHeight());
  EXPECT_TRUE(b->Down());
  Press(b, 5, 5);
  Release(b, b->ClientWidth(), 5);
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(b->State(), TAdvButtonState::absExclusive);
}

TEST_F(ToolBarButton, AnEmptyButtonIsFifteenWideAndTheDropDownPartAddsTwelve) {
  auto* b = new TAdvToolBarButton(Form);
  b->SetAdvToolBar(T);
  EXPECT_EQ(b->Width(), 15);
  EXPECT_EQ(b->Height(), T->Height() - 4);
  b->SetDropDownButton(true);
  EXPECT_EQ(b->Width(), 27);
  // A caption adds its width and the margins.
  b->SetDropDownButton(false);
  b->SetCaption(L"Text");
  b->SetShowCaption(true);
  EXPECT_GT(b->Width(), 2 * 4 + 10);
}

TEST_F(ToolBarButton, AGlyphGivesItsSizeAndAGreyDisabledCopyUnlessThereIsOne) {
  TOwned<TBitmap> g(new TBitmap(16, 16));
  g->Canvas()->Brush()->SetColor(clRed);
  g->Canvas()->FillRect(TRect(0, 0, 16, 16));
  auto* b = new TAdvToolBarButton(Form);
  b->SetAdvToolBar(T);
  b->SetGlyph(g);
  EXPECT_EQ(b->Width(), 16 + 2 * 4);
  // Red (255, 0, 0): its mean 85, halved and lifted by 96.
  EXPECT_EQ(b->GlyphDisabled()->Canvas()->Pixels(3, 3), RGB(138, 138, 138));
  TOwned<TBitmap> other(new TBitmap(16, 16));
  other->Canvas()->Brush()->SetColor(clBlue);
  other->Canvas()->FillRect(TRect(0, 0, 16, 16));
  b->SetGlyph(other);
  EXPECT_EQ(b->GlyphDisabled()->Canvas()->Pixels(3, 3), RGB(138, 138, 138));  // kept
  // The shade is a grey silhouette on the glyph's corner colour.
  other->Canvas()->Brush()->SetColor(clRed);
  other->Canvas()->FillRect(TRect(4, 4, 8, 8));
  b->SetGlyph(other);
  b->GenerateShade();
  EXPECT_EQ(b->GlyphShade()->Canvas()->Pixels(5, 5), static_cast<TColor>(0x808080));
  EXPECT_EQ(b->GlyphShade()->Canvas()->Pixels(1, 1), clBlue);
}

TEST_F(ToolBarButton, OneButtonOfAToolBarIsHotAndTheTimerTakesItBack) {
  TAdvToolBarButton* a = AddButton(T, L"A", 20);
  TAdvToolBarButton* b = AddButton(T, L"B", 20);
  a->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(a));
  EXPECT_TRUE(a->Hot());
  EXPECT_TRUE(a->UnHotTimerRunning());
  b->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(b));
  EXPECT_TRUE(b->Hot());
  EXPECT_FALSE(a->Hot());
  // The pointer is elsewhere at the next tick.
  SetCursorPos(1, 1);
  b->UnHotTimerTick(nullptr);
  EXPECT_FALSE(b->Hot());
  EXPECT_FALSE(b->UnHotTimerRunning());
  // A button on no toolbar never stays hot.
  auto* loose = new TAdvToolBarButton(Form);
  loose->SetParent(Form);
  loose->SetHot(true);
  EXPECT_FALSE(loose->Hot());
}

TEST_F(ToolBarButton, AUsedButtonGoesFirstInItsToolBarsPriority) {
  TAdvToolBarButton* a = AddButton(T, L"A", 20);
  TAdvToolBarButton* b = AddButton(T, L"B", 20);
  ASSERT_EQ(T->PriorityControls(0), a);
  b->Click();
  EXPECT_EQ(T->PriorityControls(0), b);
}

TEST_F(ToolBarButton, AMouseClickOnTheScreenClicksTheButton) {
  TAdvToolBarButton* b = AddButton(T, L"B", 30);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  TPoint p = b->ClientToScreen(TPoint(10, 10));
  SetCursorPos(p.x, p.y);
  POINT now;
  GetCursorPos(&now);
  if (now.x != p.x || now.y != p.y) GTEST_SKIP() << "the pointer cannot be placed on this display";
  SetForegroundWindow(Form->Handle());
  mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
  PumpUntil([&] { return b->MouseInControl(); }, 2000);
  EXPECT_TRUE(b->Hot());
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  PumpUntil([&] { return b->State() == TAdvButtonState::absDown; }, 2000);
  EXPECT_EQ(b->State(), TAdvButtonState::absDown);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }, 2000));
  // Off the button, the un-hot timer takes the hot state back.
  TPoint away = Form->ClientToScreen(TPoint(300, 300));
  SetCursorPos(away.x, away.y);
  mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return !b->Hot(); }, 2000));
}

}  // namespace
