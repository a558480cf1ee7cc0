#include <gtest/gtest.h>

#include <memory>

#include "base/ExtCtrls.h"
#include "base/Hints.h"
#include "tests/support/Gui.h"

namespace {

TSize TextSize(TFont* Font, const String& Text) {
  TBitmap b(10, 10);
  b.Canvas()->Font()->Assign(Font);
  return b.Canvas()->TextExtent(Text);
}

TEST(HintWindow, SizeIsTheTextPlusSixByFour) {
  auto* w = new THintWindow(nullptr);
  TSize t = TextSize(w->Font(), L"Send the message");
  TRect r = w->CalcHintRect(1000, L"Send the message", nullptr);
  EXPECT_EQ(r.Width(), t.cx + 6);
  EXPECT_EQ(r.Height(), t.cy + 4);
  // A new text sizes the window the same way.
  w->SetText(L"Call");
  TSize c = TextSize(w->Font(), L"Call");
  EXPECT_EQ(w->Width(), c.cx + 6);
  EXPECT_EQ(w->Height(), c.cy + 4);
  w->Free();
}

TEST(HintWindow, ShowsTopMostWithoutTakingTheFocusAndHides) {
  auto* w = new THintWindow(nullptr);
  w->ActivateHint(Bounds(120, 130, 80, 20), L"tip");
  ASSERT_TRUE(w->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(w->Handle()));
  EXPECT_TRUE(GetWindowLongPtrW(w->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT r;
  GetWindowRect(w->Handle(), &r);
  EXPECT_EQ(r.left, 120);
  EXPECT_EQ(r.top, 130);
  EXPECT_EQ(w->Text(), L"tip");
  w->SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(w->Handle()));
  w->Free();
}

TEST(HintWindow, ShortHintIsThePartBeforeTheBar) {
  EXPECT_EQ(GetShortHint(L"Send|Sends the SMS"), L"Send");
  EXPECT_EQ(GetShortHint(L"Send"), L"Send");
  EXPECT_EQ(GetShortHint(L"|long"), L"");
}

struct HintManager : ::testing::Test {
  TForm* Form = nullptr;
  TPanel* Panel = nullptr;
  THintInfo Seen;
  int Requests = 0;
  LRESULT Answer = 0;
  std::function<void(THintInfo&)> Change;

  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(100, 100, 300, 200);
    Panel = new TPanel(Form);
    Panel->SetParent(Form);
    Panel->SetBounds(20, 20, 100, 60);
    Panel->SetHint(L"Short|Long help");
    Panel->SetShowHint(true);
    auto saved = Panel->WindowProc;
    Panel->WindowProc = [this, saved](TMessage& m) {
      if (m.Msg == CM_HINTSHOW) {
        ++Requests;
        auto* info = reinterpret_cast<THintInfo*>(m.LParam);
        if (Change) Change(*info);
        Seen = *info;
        m.Result = Answer;
        return;
      }
      saved(m);
    };
    Form->Show();
    PumpFor(20);
  }
  void TearDown() override {
    Application->CancelHint();
    Form->Free();
  }
  TPoint PanelPoint(int x, int y) { return Panel->ClientToScreen(TPoint(x, y)); }
  bool HintShowing() {
    THintWindow* w = Application->HintWindow();
    return w && w->HandleAllocated() && IsWindowVisible(w->Handle());
  }
};

TEST_F(HintManager, AsksTheControlAndShowsTheShortHint) {
  Application->ActivateHint(PanelPoint(10, 15));
  EXPECT_EQ(Requests, 1);
  EXPECT_EQ(Seen.HintControl, Panel);
  EXPECT_EQ(Seen.HintStr, L"Short");
  EXPECT_EQ(Seen.CursorPos, TPoint(10, 15));
  ASSERT_TRUE(HintShowing());
  EXPECT_EQ(Application->HintWindow()->Text(), L"Short");
  Application->CancelHint();
  EXPECT_FALSE(HintShowing());
}

TEST_F(HintManager, ControlMayChangeTextAndPlaceOrCancel) {
  Change = [](THintInfo& i) {
    i.HintStr = L"Changed";
    i.HintPos = TPoint(400, 300);
  };
  Application->ActivateHint(PanelPoint(5, 5));
  ASSERT_TRUE(HintShowing());
  RECT r;
  GetWindowRect(Application->HintWindow()->Handle(), &r);
  EXPECT_EQ(r.left, 400);
  EXPECT_EQ(r.top, 300);
  EXPECT_EQ(Application->HintWindow()->Text(), L"Changed");
  Application->CancelHint();
  Answer = 1;
  Application->ActivateHint(PanelPoint(5, 5));
  EXPECT_FALSE(HintShowing());
}

TEST_F(HintManager, ShowHintComesFromTheControlOrItsParent) {
  Panel->SetShowHint(false);
  Application->ActivateHint(PanelPoint(5, 5));
  EXPECT_EQ(Requests, 0);
  // Parent's ShowHint counts only while ParentShowHint is on.
  Panel->SetParentShowHint(true);
  Form->SetShowHint(true);
  Application->ActivateHint(PanelPoint(5, 5));
  EXPECT_EQ(Requests, 1);
}

TEST_F(HintManager, MovingThePointerOverTheControlShowsItsHint) {
  Application->SetHintPause(1);
  SetCursorPos(0, 0);
  PumpFor(20);
  TPoint p = PanelPoint(30, 30);
  SetCursorPos(p.x, p.y);
  mouse_event(MOUSEEVENTF_MOVE, 1, 0, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return HintShowing(); }, 3000));
  EXPECT_EQ(Seen.HintControl, Panel);
  Application->SetHintPause(500);
}

TEST_F(HintManager, FreeingTheHintControlCancelsTheHint) {
  Application->ActivateHint(PanelPoint(5, 5));
  ASSERT_TRUE(HintShowing());
  Panel->Free();
  EXPECT_EQ(Application->HintControl(), nullptr);
  EXPECT_FALSE(HintShowing());
}

}  // namespace
