// The toolbar container (margins, binding of the items it holds, its frame
// over the parent's background) and the popup menu window (row layout,
// check toggling, the panel's gradient, nested pop-ups).
#include <memory>

#include "tests/toolbar/bars/BarsTestSupport.h"
#include "tests/toolbar/bars/PaintTestSupport.h"
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/controls/menus/AdvMenuOfficeStyler.h"
#include "ui/toolbar/bars/ATBPopupWindow.h"
#include "ui/toolbar/bars/AdvToolBarContainer.h"

namespace {

struct Container : DockFixture {
  TAdvToolBar* Bar = nullptr;
  TAdvToolBarContainer* Box = nullptr;
  void SetUp() override {
    DockFixture::SetUp();
    Form->SetColor(clWhite);
    Bar = NewToolBar(L"Bar", 0);
    Bar->SetParent(Form);
    Bar->SetBounds(10, 10, 400, 80);
    Box = new TAdvToolBarContainer(Form);
    Box->SetParent(Form);
    Box->SetBounds(20, 100, 120, 60);
  }
};

TEST_F(Container, MarginsFrom0To14KeepEveryChildInsideAndOthersAreIgnored) {
  auto* child = new TPanel(Form);
  child->SetParent(Box);
  child->SetBounds(0, 0, 30, 20);
  struct Case {
    int Margins, Expected, Left, Top;
  } cases[] = {{14, 14, 14, 14}, {15, 14, 14, 14}, {-1, 14, 14, 14}, {3, 3, 14, 14}};
  for (const Case& c : cases) {
    Box->SetMargins(c.Margins);
    EXPECT_EQ(Box->Margins(), c.Expected) << c.Margins;
    EXPECT_EQ(child->Left(), c.Left) << c.Margins;
    EXPECT_EQ(child->Top(), c.Top) << c.Margins;
  }
  // A child past the right and bottom edges moves back inside them.
  child->SetBounds(110, 50, 30, 20);
  Box->ConstrainControls();
  EXPECT_EQ(child->Left() + child->Width(), 120 - 3);
  EXPECT_EQ(child->Top() + child->Height(), 60 - 3);
}

TEST_F(Container, ItsToolBarBindsTheItemsAndGlowButtonsItHolds) {
  auto* first = new TAdvGlowButton(Form);
  first->SetParent(Box);
  first->SetBounds(4, 4, 30, 22);
  auto* item = new TAdvToolBarButton(Form);
  item->SetParent(Box);
  EXPECT_EQ(item->AdvToolBar(), nullptr);
  EXPECT_FALSE(first->FOnInternalKeyDown);
  Box->SetParent(Bar);
  EXPECT_EQ(Box->AdvToolBar(), Bar);
  EXPECT_EQ(item->AdvToolBar(), Bar);
  EXPECT_EQ(item->Parent(), Box);
  // A glow button put in later is hooked as well; the toolbar's key
  // handling walks between the two with the arrow keys.
  auto* second = new TAdvGlowButton(Form);
  second->SetParent(Box);
  second->SetBounds(40, 4, 30, 22);
  ASSERT_TRUE(first->FOnInternalKeyDown);
  ASSERT_TRUE(second->FOnInternalKeyDown);
  ASSERT_TRUE(FocusForInput(Form, first));
  WORD key = VK_RIGHT;
  first->FOnInternalKeyDown(first, key, {});
  EXPECT_TRUE(second->Focused());
  key = VK_LEFT;
  second->FOnInternalKeyDown(second, key, {});
  EXPECT_TRUE(first->Focused());
}

TEST_F(Container, WithoutALineColourOnlyTheParentsBackgroundShows) {
  Box->SetParentStyler(false);
  Box->SetLineColor(clNone);
  std::unique_ptr<TBitmap> bmp(PaintToBitmap(Box));
  EXPECT_EQ(CountPixels(bmp.get(), TRect(0, 0, 120, 60), clWhite), 120 * 60);
}

TEST_F(Container, TheFrameLeavesAGapForTheCaptionAndIsEtchedIn3D) {
  Box->SetParentStyler(false);
  Box->SetLineColor(0x0000FF);
  Form->SetColor(0x00FF00);
  struct Case {
    const wchar_t* Caption;
    bool Line3D;
  } cases[] = {{L"", false}, {L"", true}, {L"Group", true}};
  for (const Case& c : cases) {
    Box->SetCaption(c.Caption);
    Box->SetLine3D(c.Line3D);
    std::unique_ptr<TBitmap> bmp(PaintToBitmap(Box));
    const int m = 2, y = m + 2, r = 120, b = 60;
    // Left side and bottom: the whole run; right side up to the top line.
    EXPECT_EQ(CountPixels(bmp.get(), TRect(0, y, 1, b - m), 0x0000FF), b - m - y) << c.Caption;
    EXPECT_EQ(CountPixels(bmp.get(), TRect(0, b - m, r - m, b - m + 1), 0x0000FF), r - m) << c.Caption;
    EXPECT_EQ(CountPixels(bmp.get(), TRect(r - m, y + 1, r - m + 1, b - m + 1), 0x0000FF), b - m - y) << c.Caption;
    int gap = CountPixels(bmp.get(), TRect(9, y, 12, y + 1), 0x00FF00);
    if (*c.Caption) {
      TBitmap probe(1, 1);
      probe.Canvas()->Font()->Assign(Box->Font());
      int w = probe.Canvas()->TextWidth(c.Caption);
      EXPECT_EQ(CountPixels(bmp.get(), TRect(0, y, 9, y + 1), 0x0000FF), 9);
      EXPECT_EQ(CountPixels(bmp.get(), TRect(11 + w, y, r - m, y + 1), 0x0000FF), r - m - 11 - w);
      EXPECT_EQ(CountPixels(bmp.get(), TRect(9, y, 11 + w, y + 1), 0x0000FF), 0);
      EXPECT_GT(CountPixels(bmp.get(), TRect(10, 0, 11 + w, b), clBlack, 40), 0);
    } else {
      EXPECT_EQ(CountPixels(bmp.get(), TRect(0, y, r - m, y + 1), 0x0000FF), r - m) << gap;
    }
    int white = CountPixels(bmp.get(), TRect(1, y + 1, 2, b - m), clWhite);
    EXPECT_EQ(white, c.Line3D ? b - m - y - 1 : 0) << c.Caption;
    EXPECT_EQ(CountPixels(bmp.get(), TRect(1, b - m + 1, r - m + 1, b - m + 2), clWhite), c.Line3D ? r - m : 0);
  }
}

// ---------------------------------------------------------------------------
// The popup menu window

struct Popup : DockFixture {
  TAdvToolBar* Bar = nullptr;
  TATBPopupWindow* Window = nullptr;
  TAdvMenuOfficeStyler* Styler = nullptr;
  void SetUp() override {
    DockFixture::SetUp();
    Bar = NewToolBar(L"Bar", 0);
    Bar->SetParent(Form);
    Bar->SetBounds(10, 10, 400, 26);
    Styler = new TAdvMenuOfficeStyler(Form);
    Window = new TATBPopupWindow(Form);
    Window->CreateItems();
    Window->SetBorderStyle(TFormBorderStyle::bsNone);
    Window->SetAdvToolBar(Bar);
  }
  TATBPopupPanel* Panel() { return Window->PopupPanel(); }
  int TextW(const String& S) {
    TBitmap probe(1, 1);
    probe.Canvas()->Font()->Assign(Panel()->Font());
    return probe.Canvas()->TextWidth(S);
  }
};

TEST_F(Popup, RowsStackUnderTheMarginsAndChildrenWidenThePanel) {
  struct Case {
    std::vector<std::pair<const wchar_t*, int>> Rows;  // caption, children
    bool IconBar;
  } cases[] = {
      {{}, false},
      {{{L"A", 0}}, false},
      {{{L"A much longer caption of a row", 0}}, false},
      {{{L"A much longer caption of a row", 1}}, false},
      {{{L"A much longer caption of a row", 1}, {L"Second row with children", 2}}, false},
      {{{L"A much longer caption of a row", 0}}, true},
  };
  for (const Case& c : cases) {
    TATBMenuItem* root = Window->RootItem();
    root->Clear();
    int a = 0;
    for (auto& [caption, children] : c.Rows) {
      TATBMenuItem* row = root->Add();
      row->SetCaption(caption);
      for (int i = 0; i < children; ++i) row->Add()->SetCaption(L"x");
      a = std::max(a, TextW(caption) + 7);
      if (children) a += 30;
    }
    Panel()->SetShowIconBar(c.IconBar);
    Panel()->SetAdvMenuStyler(c.IconBar ? Styler : nullptr);
    Panel()->SetItems(root);
    if (c.IconBar) a += Styler->IconBar()->Size();
    a = std::max(a, 70);
    const int n = static_cast<int>(c.Rows.size());
    EXPECT_EQ(Panel()->Width(), a + 4) << n;
    EXPECT_EQ(Panel()->Height(), 2 + n * 26) << n;
    for (int i = 0; i < n; ++i) EXPECT_EQ(root->Items(i)->BoundRect(), TRect(2, 2 + i * 26, 2 + a, 26 + i * 26));
    Window->SetWindowSize();
    EXPECT_EQ(Window->Width(), Panel()->Width());
    EXPECT_EQ(Window->Height(), Panel()->Height());
  }
  EXPECT_THROW(Window->RootItem()->Items(5), Exception);
}

TEST_F(Popup, ClickingACheckRowHidesAndShowsItsItem) {
  TAdvToolBarButton* b = AddButton(Bar, L"Cut");
  Window->Fill(Bar, Styler, L"Bar", {{L"Cut", true, b}});
  TATBPopupPanel* sub = nullptr;
  Window->Show();
  Panel()->SetHotItem(0);
  Panel()->ShowSubMenu();
  ASSERT_NE(Panel()->ItemPopup(), nullptr);
  sub = Panel()->ItemPopup()->PopupPanel();
  EXPECT_TRUE(Panel()->ItemPopup()->Visible());
  TPoint row = TPoint(sub->Items()->Items(0)->BoundRect().left + 5, sub->Items()->Items(0)->BoundRect().top + 5);
  for (bool visible : {false, true}) {
    sub->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(row.x, row.y));
    sub->Perform(WM_LBUTTONUP, 0, MAKELPARAM(row.x, row.y));
    EXPECT_EQ(b->Visible(), visible);
    EXPECT_EQ(sub->Items()->Items(0)->Checked(), visible);
  }
  // A click beside the rows changes nothing.
  sub->Perform(WM_LBUTTONUP, 0, MAKELPARAM(0, 0));
  EXPECT_TRUE(b->Visible());
  Window->Hide();
  EXPECT_FALSE(Panel()->ItemPopup()->Visible());
  EXPECT_EQ(Panel()->HotItem(), -1);
}

TEST_F(Popup, ACheckMarkShowsOnlyOnAnEnabledCheckedRow) {
  TATBMenuItem* root = Window->RootItem();
  Panel()->SetAdvMenuStyler(Styler);
  Panel()->SetShowIconBar(true);
  struct Case {
    bool Checked, Enabled, Mark;
  } cases[] = {{true, true, true}, {true, false, false}, {false, true, false}};
  for (const Case& c : cases) {
    root->Clear();
    TATBMenuItem* row = root->Add();
    row->SetAutoCheck(true);
    row->SetChecked(c.Checked);
    row->SetEnabled(c.Enabled);
    Panel()->SetItems(root);
    std::unique_ptr<TBitmap> bmp(PaintToBitmap(Panel()));
    TRect cell = row->BoundRect();
    cell.right = cell.left + Styler->IconBar()->Size();
    TColor border = Styler->IconBar()->CheckBorder();
    ASSERT_NE(border, clNone);
    int frame = CountPixels(bmp.get(), TRect(cell.left + 1, cell.top + 1, cell.right - 2, cell.top + 2), border);
    EXPECT_EQ(frame > 0, c.Mark) << c.Checked << c.Enabled;
  }
}

TEST_F(Popup, TheBackgroundGradientFollowsTheLibrarysDirections) {
  using GD = AdvToolBar::TGradientDirection;
  Window->RootItem()->Clear();
  Panel()->SetItems(Window->RootItem());
  Panel()->SetBounds(0, 0, 120, 80);
  Panel()->SetColor(0x00FF00);
  Panel()->SetColorTo(0xFF0000);
  struct Case {
    GD Direction;
    TColor TopRight, BottomLeft;
  } cases[] = {{GD::gdHorizontal, 0xFF0000, 0x00FF00}, {GD::gdVertical, 0x00FF00, 0xFF0000}};
  for (const Case& c : cases) {
    Panel()->SetGradientDirection(c.Direction);
    std::unique_ptr<TBitmap> bmp(PaintToBitmap(Panel()));
    EXPECT_TRUE(Near(PixelAt(bmp.get(), 2, 2), 0x00FF00, 8));
    EXPECT_TRUE(Near(PixelAt(bmp.get(), 117, 2), c.TopRight, 8)) << std::hex << PixelAt(bmp.get(), 117, 2);
    EXPECT_TRUE(Near(PixelAt(bmp.get(), 2, 77), c.BottomLeft, 8)) << std::hex << PixelAt(bmp.get(), 2, 77);
    EXPECT_EQ(CountPixels(bmp.get(), TRect(0, 0, 120, 1), clGray), 120);
  }
}

TEST_F(Popup, TheNestedPopUpOpensBesideItsRowOrToItsLeftAtTheScreenEdge) {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  TAdvToolBarButton* b = AddButton(Bar, L"Cut");
  Window->Fill(Bar, Styler, L"Bar", {{L"Cut", true, b}});
  struct Case {
    int Left;
    bool ToTheLeft;
  } cases[] = {{100, false}, {static_cast<int>(work.right) - Window->Width() - 10, true}};
  for (const Case& c : cases) {
    Window->SetBounds(c.Left, 100, Window->Width(), Window->Height());
    Window->Show();
    Panel()->SetHotItem(0);
    Panel()->ShowSubMenu();
    TATBPopupWindow* sub = Panel()->ItemPopup();
    ASSERT_NE(sub, nullptr);
    const TRect& row = Window->RootItem()->Items(0)->BoundRect();
    TPoint right = Panel()->ClientToScreen(TPoint(row.right + 2, row.top));
    TPoint left = Panel()->ClientToScreen(TPoint(row.left, row.top));
    EXPECT_EQ(sub->Left(), c.ToTheLeft ? left.x - sub->Width() : right.x) << c.Left;
    EXPECT_EQ(sub->Top(), right.y);
    EXPECT_EQ(Panel()->PopupItem(), 0);
    Panel()->SetHotItem(-1);
    EXPECT_FALSE(sub->Visible());
    Window->Hide();
    PumpFor(10);
  }
}

TEST_F(Popup, OnlyTheBottomRightCornerSizes) {
  Window->SetBounds(100, 100, 80, 60);
  Window->Show();
  struct Case {
    int X, Y;
    LRESULT Hit;
  } cases[] = {{75, 55, HTBOTTOMRIGHT}, {70, 55, HTNOWHERE}, {75, 50, HTNOWHERE}, {10, 10, HTNOWHERE}};
  for (const Case& c : cases)
    EXPECT_EQ(Window->Perform(WM_NCHITTEST, 0, MAKELPARAM(100 + c.X, 100 + c.Y)), c.Hit) << c.X << "," << c.Y;
}

TEST_F(Popup, TheDropDownMakesThisPopUpUnlessAnotherIsSet) {
  ASSERT_TRUE(AddRemovePopupMaker());
  IAddRemovePopup* made = AddRemovePopupMaker()(Form);
  auto* window = dynamic_cast<TATBPopupWindow*>(made);
  ASSERT_NE(window, nullptr);
  ASSERT_NE(window->RootItem(), nullptr);
  window->Fill(nullptr, Styler, L"Bar", {});
  EXPECT_EQ(window->RootItem()->Count(), 0);
  EXPECT_EQ(window->Width(), 74);
}

}  // namespace
