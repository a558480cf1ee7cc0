// The caption layer over the pager's caption: resizing the form at its top
// edge (from where the pointer was pressed, never below the form's smallest
// height), passing presses and double clicks on, dragging a maximized form,
// and its text painting; the pager's hint texts.
#include <memory>

#include "tests/support/Gui.h"
#include "tests/toolbar/ribbon/PagerTestSupport.h"
#include "ui/toolbar/ribbon/AdvToolBarForm.h"
#include "ui/toolbar/ribbon/CaptionLayer.h"
#include "ui/toolbar/ribbon/PagerHints.h"

namespace {

struct Layer : ::testing::Test {
  TAdvToolBarForm* Form = nullptr;
  TAdvToolBarPager* Pager = nullptr;
  TCaptionLayer* Cap = nullptr;
  int Presses = 0;

  void SetUp() override {
    ResetRibbonGlobals();
    Form = new TAdvToolBarForm(nullptr);
    Form->BeginLoading();
    Form->SetBounds(80, 200, 600, 400);
    // Sizeable, as the form is while its caption lies on glass.
    Form->SetBorderStyle(TFormBorderStyle::bsSizeable);
    Pager = new TAdvToolBarPager(Form);
    Pager->SetName(L"Pager");
    Pager->SetParent(Form);
    Form->EndLoading();
    Form->Show();
    Cap = new TCaptionLayer(Pager);
    Cap->SetParent(Pager);
    TRect r = Pager->GetCaptionRect();
    Cap->SetBounds(r.left, r.top, r.Width(), r.Height());
    Cap->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { ++Presses; };
    PumpFor(10);
  }
  void TearDown() override {
    Form->Free();
    PumpFor(5);
    ResetRibbonGlobals();
  }
  void Press(int X, int Y) { Cap->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y)); }
  void Move(int X, int Y) { Cap->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(X, static_cast<WORD>(static_cast<short>(Y)))); }
  void Release(int X, int Y) { Cap->Perform(WM_LBUTTONUP, 0, MAKELPARAM(X, static_cast<WORD>(static_cast<short>(Y)))); }
};

}  // namespace

TEST_F(Layer, APressInTheTopSixRowsResizesAndOnlyLowerPressesReachThePager) {
  Press(100, 5);
  EXPECT_TRUE(Cap->Resizing());
  EXPECT_EQ(Cap->ResizingClip(), TResizingClip::rcTop);
  EXPECT_EQ(Presses, 0);
  Release(100, 5);
  EXPECT_FALSE(Cap->Resizing());
  Press(100, 6);
  EXPECT_FALSE(Cap->Resizing());
  EXPECT_EQ(Presses, 1);
  Release(100, 6);
}

TEST_F(Layer, TheTopEdgeFollowsThePointerFromWhereItWasPressed) {
  const int top = Form->Top(), height = Form->Height();
  Press(100, 4);
  // Not moved yet: nothing jumps by the press offset.
  Move(100, 4);
  EXPECT_EQ(Form->Top(), top);
  EXPECT_EQ(Form->Height(), height);
  Move(100, 4 - 10);
  EXPECT_EQ(Form->Top(), top - 10);
  EXPECT_EQ(Form->Height(), height + 10);
  EXPECT_EQ(Cap->ResizingDir(), 1);
  // The layer moved up with the form: the pointer at the same screen row
  // reads 4 again and changes nothing.
  Move(100, 4);
  EXPECT_EQ(Form->Top(), top - 10);
  Release(100, 4);
  EXPECT_EQ(Form->Top() + Form->Height(), top + height);
}

TEST_F(Layer, ATopEdgeResizeKeepsTheFormsSmallestHeight) {
  Form->Constraints()->SetMinHeight(200);
  const int bottom = Form->Top() + Form->Height();
  Press(100, 2);
  Move(100, 2 + 1000);
  EXPECT_EQ(Form->Height(), 200);
  EXPECT_EQ(Form->Top() + Form->Height(), bottom);
  Release(100, 2);
  // Without a constraint the system's smallest window height holds.
  Form->Constraints()->SetMinHeight(0);
  Press(100, 2);
  Move(100, 2 + 1000);
  EXPECT_EQ(Form->Height(), GetSystemMetrics(SM_CYMINTRACK));
  EXPECT_EQ(Form->Top() + Form->Height(), bottom);
  Release(100, 2);
}

TEST_F(Layer, OverAMaximizedFormThePressDragsTheFormAndTheEdgeDoesNotResize) {
  Form->SetWindowState(TWindowState::wsMaximized);
  ASSERT_TRUE(PumpUntil([&] { return IsZoomed(Form->Handle()) != FALSE; }));
  int drags = 0;
  auto saved = Form->WindowProc;
  Form->WindowProc = [&](TMessage& m) {
    // The system's move loop would wait for a real button release.
    if (m.Msg == WM_NCLBUTTONDOWN && m.WParam == HTCAPTION) {
      ++drags;
      return;
    }
    saved(m);
  };
  Cap->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(100, 2));
  EXPECT_NE(Cap->Cursor(), crSizeNS);
  Press(100, 2);
  EXPECT_FALSE(Cap->Resizing());
  EXPECT_EQ(drags, 1);
  Release(100, 2);
  Press(100, 12);
  EXPECT_EQ(drags, 2);
  EXPECT_EQ(Presses, 2);
  Release(100, 12);
  Form->WindowProc = saved;
}

TEST_F(Layer, TheCursorShowsTheEdgeAndDoubleClicksGoOn) {
  Cap->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(100, 3));
  EXPECT_EQ(Cap->Cursor(), crSizeNS);
  Cap->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(100, 12));
  EXPECT_EQ(Cap->Cursor(), crDefault);
  TPoint got(-1, -1);
  Cap->OnDoubleClick = [&](TObject*, int X, int Y) { got = TPoint(X, Y); };
  Cap->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 9));
  EXPECT_EQ(got.x, 40);
  EXPECT_EQ(got.y, 9);
}

TEST_F(Layer, ItsTextIsPaintedByTheTextHandlerInItsClientRectangle) {
  Cap->SetText(L"Document - Vantrel");
  String seen;
  TRect where;
  int calls = 0;
  Cap->OnTextPaint = [&](TObject*, String& Text, TRect& R, TAlignment& A) {
    ++calls;
    seen = Text;
    where = R;
    EXPECT_EQ(A, TAlignment::taLeftJustify);
    Cap->Canvas()->Brush()->SetColor(0x0000C0);
    Cap->Canvas()->FillRect(TRect(0, 0, 10, 10));
  };
  Cap->Invalidate();
  ASSERT_TRUE(PumpUntil([&] { return calls > 0; }));
  EXPECT_EQ(seen, L"Document - Vantrel");
  EXPECT_EQ(where, Cap->ClientRect());
  std::unique_ptr<TBitmap> shot(PaintToBitmap(Cap));
  EXPECT_EQ(PixelAt(shot.get(), 5, 5), 0x0000C0);
}

TEST(PagerHints, StartWithTheirTextsAndNotifyOnlyRealChanges) {
  TOwned<TPagerHints> hints(new TPagerHints());
  EXPECT_EQ(hints->MDICloseBtnHint(), L"Close");
  EXPECT_EQ(hints->MDIMinimizeBtnHint(), L"Minimize");
  EXPECT_EQ(hints->MDIMaximizeBtnHint(), L"Maximize");
  EXPECT_EQ(hints->HelpBtnHint(), L"Help");
  int changes = 0;
  hints->OnChange = [&](TObject*) { ++changes; };
  hints->SetHelpBtnHint(L"Help");
  EXPECT_EQ(changes, 0);
  hints->SetHelpBtnHint(L"Ask");
  hints->SetMDICloseBtnHint(L"Shut");
  EXPECT_EQ(changes, 2);
  TOwned<TPagerHints> other(new TPagerHints());
  other->SetMDIMinimizeBtnHint(L"Down");
  other->SetMDIMaximizeBtnHint(L"Up");
  hints->Assign(other);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(hints->MDICloseBtnHint(), L"Close");
  EXPECT_EQ(hints->MDIMinimizeBtnHint(), L"Down");
  EXPECT_EQ(hints->MDIMaximizeBtnHint(), L"Up");
  EXPECT_EQ(hints->HelpBtnHint(), L"Help");
}
