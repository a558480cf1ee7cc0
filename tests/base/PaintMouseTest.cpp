#include <gtest/gtest.h>
#include <windowsx.h>

#include <vector>

#include "base/ExtCtrls.h"
#include "base/StdCtrls.h"
#include "tests/support/Gui.h"

namespace {

// A windowless control that fills itself and counts what reaches it.
class TSwatch : public TGraphicControl {
  VANTREL_CLASS(TSwatch)
 public:
  using TGraphicControl::TGraphicControl;
  int Clicks = 0, Enters = 0, Leaves = 0, Downs = 0;
  TPoint LastDown;
  void Click() override {
    ++Clicks;
    TGraphicControl::Click();
  }
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == CM_MOUSEENTER) ++Enters;
    if (Message.Msg == CM_MOUSELEAVE) ++Leaves;
    TGraphicControl::Dispatch(Message);
  }

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    ++Downs;
    LastDown = TPoint(X, Y);
  }
  void Paint() override {
    Canvas()->Brush()->SetColor(FColor);
    Canvas()->FillRect(ClientRect());
  }
};

struct Fixture : ::testing::Test {
  TForm* Form = nullptr;
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBorderStyle(TFormBorderStyle::bsSingle);
    Form->SetBounds(50, 50, 300, 220);
    Form->SetColor(clWhite);
  }
  void TearDown() override { Form->Free(); }
  LPARAM At(int x, int y) { return MAKELPARAM(x, y); }
};

using Paint = Fixture;
using Mouse = Fixture;

TEST_F(Paint, ChildrenPaintIntoTheBitmapAtTheirPlaces) {
  auto* panel = new TPanel(Form);
  panel->SetParent(Form);
  panel->SetBounds(10, 10, 120, 80);
  panel->SetBevelOuter(TBevelCut::bvNone);
  panel->SetColor(clRed);
  auto* swatch = new TSwatch(Form);
  swatch->SetParent(panel);
  swatch->SetBounds(20, 20, 30, 30);
  swatch->SetColor(clBlue);
  auto* label = new TLabel(Form);
  label->SetParent(Form);
  label->SetLeft(150);
  label->SetTop(20);
  label->Font()->SetColor(clGreen);
  label->Font()->SetSize(14);
  label->SetCaption(L"MMMM");
  Form->Show();

  TBitmap* bmp = PaintToBitmap(Form);
  EXPECT_EQ(PixelAt(bmp, 5, 5), clWhite);            // form background
  EXPECT_EQ(PixelAt(bmp, 12, 12), clRed);            // panel
  EXPECT_EQ(PixelAt(bmp, 10 + 35, 10 + 35), clBlue);  // swatch inside the panel
  EXPECT_EQ(PixelAt(bmp, 10 + 55, 10 + 35), clRed);   // just right of the swatch
  // The label sized itself to its text and drew it in its colour.
  EXPECT_GT(label->Width(), 20);
  TRect lr = label->BoundsRect();
  EXPECT_GT(CountPixels(bmp, lr, clGreen, 60), 10);
  EXPECT_EQ(CountPixels(bmp, lr, clRed), 0);
  bmp->Free();
}

TEST_F(Paint, DoubleBufferedPanelReachesItsWindowThroughItsBitmap) {
  auto* panel = new TPanel(Form);
  panel->SetParent(Form);
  panel->SetBounds(0, 0, 60, 60);
  panel->SetBevelOuter(TBevelCut::bvNone);
  panel->SetDoubleBuffered(true);
  auto* swatch = new TSwatch(Form);
  swatch->SetParent(panel);
  swatch->SetBounds(40, 40, 10, 10);
  swatch->SetColor(clBlue);
  Form->Show();
  // A real paint (no DC given) of each colour in turn, read back from the
  // window: the panel's own paint never draws there except through the copy.
  for (TColor color : {clYellow, clRed}) {
    panel->SetColor(color);
    InvalidateRect(panel->Handle(), nullptr, TRUE);
    UpdateWindow(panel->Handle());
    EXPECT_EQ(WindowPixel(panel->Handle(), 10, 10), color);
    EXPECT_EQ(WindowPixel(panel->Handle(), 45, 45), clBlue);
  }
}

TEST_F(Mouse, ClickReachesAGraphicChildOnlyForAReleaseInside) {
  auto* swatch = new TSwatch(Form);
  swatch->SetParent(Form);
  swatch->SetBounds(40, 30, 50, 20);
  Form->Show();
  HWND h = Form->Handle();
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(45, 35));
  EXPECT_EQ(swatch->Downs, 1);
  EXPECT_EQ(swatch->LastDown, TPoint(5, 5));  // in the child's coordinates
  EXPECT_TRUE(swatch->MouseCapture());
  SendMessageW(h, WM_LBUTTONUP, 0, At(46, 36));
  EXPECT_EQ(swatch->Clicks, 1);
  EXPECT_FALSE(swatch->MouseCapture());

  // Pressed inside, released outside: the capture keeps the release with the
  // child, and no click fires.
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(45, 35));
  SendMessageW(h, WM_LBUTTONUP, 0, At(200, 150));
  EXPECT_EQ(swatch->Clicks, 1);

  // Disabled or hidden children are passed over.
  swatch->SetEnabled(false);
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(45, 35));
  SendMessageW(h, WM_LBUTTONUP, 0, At(45, 35));
  EXPECT_EQ(swatch->Downs, 2);
}

TEST_F(Mouse, EnterAndLeaveFollowTheControlUnderThePointer) {
  auto* a = new TSwatch(Form);
  a->SetParent(Form);
  a->SetBounds(10, 10, 40, 40);
  auto* b = new TSwatch(Form);
  b->SetParent(Form);
  b->SetBounds(100, 10, 40, 40);
  Form->Show();
  HWND h = Form->Handle();
  SendMessageW(h, WM_MOUSEMOVE, 0, At(20, 20));
  SendMessageW(h, WM_MOUSEMOVE, 0, At(21, 21));
  EXPECT_EQ(a->Enters, 1);
  SendMessageW(h, WM_MOUSEMOVE, 0, At(110, 20));
  EXPECT_EQ(a->Leaves, 1);
  EXPECT_EQ(b->Enters, 1);
  SendMessageW(h, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(b->Leaves, 1);
}

// A parent learns that the pointer left it even when it leaves from one of
// its children straight out of the parent.
TEST_F(Mouse, ThePointerLeavingFromAChildLeavesItsParentsToo) {
  auto* outer = new TPanel(Form);
  outer->SetParent(Form);
  outer->SetBounds(10, 10, 200, 150);
  auto* inner = new TPanel(Form);
  inner->SetParent(outer);
  inner->SetBounds(10, 10, 120, 100);
  auto* swatch = new TSwatch(Form);
  swatch->SetParent(inner);
  swatch->SetBounds(10, 10, 40, 40);
  int outerLeaves = 0, innerLeaves = 0, formLeaves = 0;
  outer->OnMouseLeave = [&](TObject*) { ++outerLeaves; };
  inner->OnMouseLeave = [&](TObject*) { ++innerLeaves; };
  Form->OnMouseLeave = [&](TObject*) { ++formLeaves; };
  Form->Show();
  auto counts = [&] { return std::vector<int>{swatch->Leaves, innerLeaves, outerLeaves, formLeaves}; };
  // Onto the swatch straight from the form, then back onto the form.
  SendMessageW(Form->Handle(), WM_MOUSEMOVE, 0, At(5, 5));
  SendMessageW(inner->Handle(), WM_MOUSEMOVE, 0, At(20, 20));
  EXPECT_EQ(counts(), (std::vector<int>{0, 0, 0, 1}));
  SendMessageW(Form->Handle(), WM_MOUSEMOVE, 0, At(250, 200));
  EXPECT_EQ(counts(), (std::vector<int>{1, 1, 1, 1}));
  // Onto the swatch, then onto the outer panel, which still holds the pointer.
  SendMessageW(inner->Handle(), WM_MOUSEMOVE, 0, At(20, 20));
  SendMessageW(outer->Handle(), WM_MOUSEMOVE, 0, At(180, 130));
  EXPECT_EQ(counts(), (std::vector<int>{2, 2, 1, 2}));
  // A parent moved from onto its child hears it, its own parents do not.
  SendMessageW(inner->Handle(), WM_MOUSEMOVE, 0, At(100, 80));
  EXPECT_EQ(counts(), (std::vector<int>{2, 2, 2, 2}));
  SendMessageW(inner->Handle(), WM_MOUSEMOVE, 0, At(20, 20));
  EXPECT_EQ(counts(), (std::vector<int>{2, 3, 2, 2}));
  // Out of the inner window from the swatch: the walk ends at that window.
  SendMessageW(inner->Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(counts(), (std::vector<int>{3, 4, 2, 2}));
}

TEST_F(Mouse, ParentFontIsTakenUntilTheChildSetsItsOwn) {
  auto* label = new TLabel(Form);
  label->SetParent(Form);
  Form->Font()->SetName(L"Arial");
  Form->Font()->SetSize(12);
  EXPECT_EQ(label->Font()->Name(), L"Arial");
  EXPECT_EQ(label->Font()->Size(), 12);
  EXPECT_TRUE(label->ParentFont());
  label->Font()->SetSize(20);
  EXPECT_FALSE(label->ParentFont());
  Form->Font()->SetSize(9);
  EXPECT_EQ(label->Font()->Size(), 20);
}

TEST_F(Mouse, FreeingAParentFreesItsChildrenWhoseOwnerIsElsewhere) {
  auto* panel = new TPanel(Form);
  panel->SetParent(Form);
  auto* label = new TLabel(Form);  // owned by the form, parented by the panel
  label->SetParent(panel);
  label->SetName(L"Inner");
  Form->Show();
  panel->Free();
  EXPECT_EQ(Form->FindComponent(L"Inner"), nullptr);
  EXPECT_EQ(Form->ControlCount(), 0);
}

TEST(Canvas, ClearBrushKeepsItsColourAndFramesAreDrawn) {
  auto* bmp = new TBitmap(20, 20);
  TCanvas* c = bmp->Canvas();
  c->Brush()->SetColor(clRed);
  c->FillRect(TRect(0, 0, 20, 20));
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  EXPECT_EQ(c->Brush()->Color(), clRed);
  c->Pen()->SetColor(clBlue);
  c->Rectangle(2, 2, 10, 10);  // hollow
  EXPECT_EQ(PixelAt(bmp, 2, 2), clBlue);
  EXPECT_EQ(PixelAt(bmp, 5, 5), clRed);
  c->MoveTo(0, 15);
  c->LineTo(5, 15);  // end point not drawn
  EXPECT_EQ(PixelAt(bmp, 4, 15), clBlue);
  EXPECT_EQ(PixelAt(bmp, 5, 15), clRed);
  bmp->SetSize(30, 30);  // keeps what fits
  EXPECT_EQ(PixelAt(bmp, 5, 5), clRed);
  EXPECT_EQ(PixelAt(bmp, 25, 25), clWhite);
  bmp->Free();
}

TEST(Canvas, FontSizeAndHeightFollowEachOther) {
  TFont f;
  f.SetPixelsPerInch(96);
  f.SetSize(9);
  EXPECT_EQ(f.Height(), -12);
  f.SetHeight(-16);
  EXPECT_EQ(f.Size(), 12);
  int changes = 0;
  f.OnChange = [&](TObject*) { ++changes; };
  f.SetStyle({TFontStyle::fsBold});
  f.SetStyle({TFontStyle::fsBold});
  EXPECT_EQ(changes, 1);
  LOGFONTW lf = f.MakeLogFont();
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
}

}  // namespace
