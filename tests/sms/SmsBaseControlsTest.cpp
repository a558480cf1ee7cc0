// The standard controls that the SMS windows add to base/: the drop-down
// list, the picture and the splitter.
#include <gtest/gtest.h>

#include "base/ComboBox.h"
#include "base/ExtCtrls.h"
#include "base/Image.h"
#include "base/Splitter.h"
#include "tests/support/Gui.h"

namespace {

struct Fixture : ::testing::Test {
  TForm* Form = nullptr;
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBorderStyle(TFormBorderStyle::bsSingle);
    Form->SetBounds(50, 50, 320, 260);
    Form->SetColor(clWhite);
  }
  void TearDown() override { Form->Free(); }
};

using ComboBox = Fixture;
using Image = Fixture;
using Splitter = Fixture;

TComboBox* MakeCombo(TForm* Form) {
  auto* c = new TComboBox(Form);
  c->SetParent(Form);
  c->SetBounds(10, 10, 150, 21);
  return c;
}

TEST_F(ComboBox, ItemsAndSelectionSurviveTheWindow) {
  TComboBox* c = MakeCombo(Form);
  c->Items()->Add(L"Ann");
  c->Items()->Add(L"Bob");
  c->Items()->Add(L"Cyd");
  c->SetItemIndex(1);
  EXPECT_EQ(c->Text(), L"Bob");
  Form->Show();
  ASSERT_TRUE(c->HandleAllocated());
  EXPECT_EQ(SendMessageW(c->Handle(), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(c->ItemIndex(), 1);
  // Deleting before the selection keeps the selected item.
  c->Items()->Delete(0);
  EXPECT_EQ(c->Text(), L"Bob");
  c->Items()->Insert(0, L"Abe");
  EXPECT_EQ(c->Text(), L"Bob");
  c->SetItemIndex(2);
  c->RecreateWnd();
  c->HandleNeeded();
  EXPECT_EQ(SendMessageW(c->Handle(), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(c->Text(), L"Cyd");
  // Out of range selects nothing.
  c->SetItemIndex(7);
  EXPECT_EQ(c->ItemIndex(), -1);
  EXPECT_EQ(c->Text(), L"");
  c->Items()->Clear();
  EXPECT_EQ(SendMessageW(c->Handle(), CB_GETCOUNT, 0, 0), 0);
}

TEST_F(ComboBox, OnlyTheUsersPickFiresOnChange) {
  TComboBox* c = MakeCombo(Form);
  for (const wchar_t* s : {L"Ann", L"Bob", L"Cyd"}) c->Items()->Add(s);
  int changes = 0;
  c->OnChange = [&](TObject*) { ++changes; };
  Form->Show();
  c->SetItemIndex(0);
  c->SetText(L"Cyd");
  EXPECT_EQ(c->ItemIndex(), 2);
  c->SetText(L"Nobody");
  EXPECT_EQ(c->ItemIndex(), -1);
  EXPECT_EQ(changes, 0);
  // The arrow key picks the next item, as the user does.
  c->SetItemIndex(0);
  SendMessageW(c->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(c->Text(), L"Bob");
}

TEST_F(ComboBox, TheFieldKeepsItsHeightAndTheListShowsDropDownCountRows) {
  TComboBox* c = MakeCombo(Form);
  c->SetDropDownCount(16);
  for (int i = 0; i < 30; ++i) c->Items()->Add(L"Contact " + IntToStr(i));
  Form->Show();
  int field = c->Height();
  EXPECT_LT(field, 40);
  c->SetBounds(10, 40, 200, 21);
  EXPECT_EQ(c->Height(), field);
  EXPECT_EQ(c->Width(), 200);
  RECT dropped{};
  SendMessageW(c->Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  int row = static_cast<int>(SendMessageW(c->Handle(), CB_GETITEMHEIGHT, 0, 0));
  EXPECT_GE(dropped.bottom - dropped.top, 16 * row);
}

TBitmap* Swatch(int w, int h, TColor color) {
  auto* b = new TBitmap(w, h, TPixelFormat::pf24bit);
  b->Canvas()->Brush()->SetColor(color);
  b->Canvas()->FillRect(TRect(0, 0, w, h));
  return b;
}

TEST_F(Image, DrawsItsPictureAtTheCornerCentredOrStretched) {
  auto* img = new TImage(Form);
  img->SetParent(Form);
  img->SetBounds(20, 20, 40, 40);
  std::unique_ptr<TBitmap> red(Swatch(10, 10, clRed));
  img->Picture()->Assign(red.get());
  Form->Show();
  struct {
    bool center, stretch;
    TPoint red, white;
  } cases[] = {
      {false, false, {25, 25}, {35, 35}},
      {true, false, {40, 40}, {25, 25}},
      {false, true, {57, 57}, {62, 62}},
  };
  for (auto& c : cases) {
    img->SetCenter(c.center);
    img->SetStretch(c.stretch);
    std::unique_ptr<TBitmap> bmp(PaintToBitmap(Form));
    EXPECT_EQ(PixelAt(bmp.get(), c.red.x, c.red.y), clRed) << c.center << c.stretch;
    EXPECT_EQ(PixelAt(bmp.get(), c.white.x, c.white.y), clWhite) << c.center << c.stretch;
  }
}

TEST_F(Image, ATransparentPictureShowsTheParentThroughItsKeyColour) {
  Form->SetColor(clYellow);
  auto* img = new TImage(Form);
  img->SetParent(Form);
  img->SetBounds(0, 0, 20, 20);
  // The bottom-left pixel gives the transparent colour.
  std::unique_ptr<TBitmap> pic(Swatch(20, 20, clFuchsia));
  pic->Canvas()->Brush()->SetColor(clBlue);
  pic->Canvas()->FillRect(TRect(5, 5, 15, 15));
  img->Picture()->Assign(pic.get());
  img->SetTransparent(true);
  Form->Show();
  std::unique_ptr<TBitmap> bmp(PaintToBitmap(Form));
  EXPECT_EQ(PixelAt(bmp.get(), 10, 10), clBlue);
  EXPECT_EQ(PixelAt(bmp.get(), 2, 2), clYellow);
}

// Top strip, list, splitter and bottom panel, as the message boxes have them.
struct Panes {
  TPanel *Top, *Middle, *Bottom;
  TSplitter* Bar;
  Panes(TForm* Form, int BottomHeight) {
    Top = new TPanel(Form);
    Top->SetParent(Form);
    Top->SetHeight(30);
    Top->SetAlign(TAlign::alTop);
    Bottom = new TPanel(Form);
    Bottom->SetParent(Form);
    Bottom->SetHeight(BottomHeight);
    Bottom->SetTop(1000);
    Bottom->SetAlign(TAlign::alBottom);
    Bar = new TSplitter(Form);
    Bar->SetParent(Form);
    Bar->SetAlign(TAlign::alBottom);
    Bar->SetHeight(3);
    Bar->SetTop(Form->ClientHeight() - BottomHeight - 3);
    Bar->SetMinSize(50);
    Bar->SetColor(0xFFE1C4);
    Middle = new TPanel(Form);
    Middle->SetParent(Form);
    Middle->SetAlign(TAlign::alClient);
  }
};

TEST_F(Splitter, ResizesTheControlBelowWithinTheLimits) {
  Panes p(Form, 80);
  Form->Show();
  int client = Form->ClientHeight();
  ASSERT_EQ(p.Bar->ResizeControl(), p.Bottom);
  EXPECT_EQ(p.Bar->Top() + 3, p.Bottom->Top());
  // Up by 20: the bottom grows by 20.
  EXPECT_EQ(p.Bar->MoveBy(-20), 100);
  EXPECT_EQ(p.Bottom->Height(), 100);
  EXPECT_EQ(p.Bottom->Top() + 100, client);
  EXPECT_EQ(p.Bar->Top() + 3, p.Bottom->Top());
  EXPECT_EQ(p.Middle->Top() + p.Middle->Height(), p.Bar->Top());
  // Never below MinSize...
  EXPECT_EQ(p.Bar->MoveBy(500), 50);
  // ...and the other side keeps MinSize too.
  EXPECT_EQ(p.Bar->MoveBy(-1000), client - 30 - 3 - 50);
  EXPECT_EQ(p.Middle->Height(), 50);
}

TEST_F(Splitter, DraggingWithTheMouseMovesIt) {
  Panes p(Form, 80);
  Form->Show();
  int moved = 0;
  p.Bar->OnMoved = [&](TObject*) { ++moved; };
  HWND h = Form->Handle();
  int y = p.Bar->Top() + 1;
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, y));
  SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, y - 10));
  SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, y - 25));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(100, y - 25));
  EXPECT_EQ(p.Bottom->Height(), 105);
  EXPECT_EQ(moved, 2);
  // Moving without a press does nothing.
  SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(100, p.Bar->Top()));
  EXPECT_EQ(p.Bottom->Height(), 105);
}

}  // namespace
