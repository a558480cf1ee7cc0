// Painting of toolbars and their buttons, read back from bitmaps: fills,
// caption strips, split backgrounds of ribbon groups, tiled pictures,
// corners, the grip, the right handle and the buttons in their states.
#include "tests/toolbar/bars/BarsTestSupport.h"

namespace {

// A styler whose component style a test can choose.
class TStyleStyler : public TCustomAdvToolBarStyler {
  VANTREL_CLASS(TStyleStyler)
 public:
  using TCustomAdvToolBarStyler::TCustomAdvToolBarStyler;
  void SetKelStyle(TKelStyle S) { FKelStyle = S; }
};

// A floating window as the toolbar knows it: by its class name.
class TFloatingWindow : public TForm {
  VANTREL_CLASS(TFloatingWindow)
 public:
  using TForm::TForm;
};

struct Draw : DockFixture {
  TStyleStyler* S = nullptr;
  void SetUp() override {
    DockFixture::SetUp();
    S = new TStyleStyler(Form);
    S->SetName(L"Styler1");
    // Solid colours: a red toolbar, a green dock.
    S->Color()->SetColor(clRed);
    S->Color()->SetColorTo(clNone);
    S->DockColor()->SetColor(clLime);
    S->DockColor()->SetColorTo(clNone);
  }
  TAdvToolBar* Fixed(const wchar_t* Name) {
    TAdvToolBar* t = NewToolBar(Name, 0);
    t->SetParent(Form);
    t->SetToolBarStyler(S);
    return t;
  }
  std::unique_ptr<TBitmap, void (*)(TBitmap*)> Picture(TWinControl* C) {
    return {PaintToBitmap(C), [](TBitmap* B) { B->Free(); }};
  }
};

TEST_F(Draw, AToolBarInsideItsUpdateBracketPaintsNothing) {
  TAdvToolBar* t = Fixed(L"T");
  auto before = Picture(t);
  EXPECT_GT(CountPixels(before.get(), t->ClientRect(), clRed), 0);
  t->BeginUpdate();
  auto during = Picture(t);
  EXPECT_EQ(CountPixels(during.get(), t->ClientRect(), clRed), 0);
  t->EndUpdate();
  auto after = Picture(t);
  EXPECT_EQ(CountPixels(after.get(), t->ClientRect(), clRed), CountPixels(before.get(), t->ClientRect(), clRed));
}

TEST_F(Draw, ACaptionStripWithOnlyItsSecondColourIsFilledWithIt) {
  TAdvToolBar* t = Fixed(L"T");
  t->SetShowCaption(true);
  TCaptionAppearance* ca = S->CaptionAppearance();
  ca->SetCaptionColor(clNone);
  ca->SetCaptionColorTo(clBlue);
  TRect strip = t->GetCaptionRect();
  ASSERT_EQ(strip, TRect(0, 0, t->Width(), 16));
  auto pic = Picture(t);
  EXPECT_EQ(PixelAt(pic.get(), 30, 8), clBlue);
  // Neither colour: the strip is not filled at all.
  ca->SetCaptionColorTo(clNone);
  pic = Picture(t);
  EXPECT_EQ(CountPixels(pic.get(), TRect(10, 2, t->Width() - 20, 14), clBlue), 0);
  EXPECT_EQ(PixelAt(pic.get(), 30, 8), clWhite);  // what the new bitmap held
  // The same for a floating toolbar's strip.
  auto* w = new TFloatingWindow(Form);
  TAdvToolBar* f = NewToolBar(L"F", 1);
  f->SetParent(w);
  f->SetToolBarStyler(S);
  ca->SetCaptionColorTo(clBlue);
  pic = Picture(f);
  EXPECT_EQ(PixelAt(pic.get(), 5, 8), clBlue);
}

TEST_F(Draw, ARibbonGroupWithItsCaptionBelowHasATopBandDownToTwentyTwo) {
  auto* page = new TTestPage(Form);
  page->SetParent(Form);
  page->SetBounds(0, 0, 400, 100);
  TAdvToolBar* g = NewToolBar(L"G", 1);
  g->SetParent(page);
  g->SetToolBarStyler(S);
  g->SetTop(3);
  TMirrorGradient* m = S->Color()->Mirror();
  m->SetColor(clRed);
  m->SetColorTo(clRed);
  m->SetColorMirror(clBlue);
  m->SetColorMirrorTo(clBlue);
  S->Color()->SetColorTo(clRed);  // not a solid fill
  g->SetCaptionPosition(TCaptionPosition::cpBottom);
  auto pic = Picture(g);
  for (int y = 0; y < g->Height() - 1; ++y) EXPECT_EQ(PixelAt(pic.get(), 10, y), y < 19 ? clRed : clBlue) << y;
  g->SetCaptionPosition(TCaptionPosition::cpTop);
  pic = Picture(g);
  EXPECT_EQ(PixelAt(pic.get(), 10, 0), clBlue);
  EXPECT_EQ(PixelAt(pic.get(), 10, 12), clBlue);
}

TEST_F(Draw, ATiledPictureWiderThanTheToolBarIsDrawnOncePerRow) {
  TAdvToolBar* t = Fixed(L"T");
  TOwned<TBitmap> tile(new TBitmap(200, 10));
  tile->Canvas()->Brush()->SetColor(clYellow);
  tile->Canvas()->FillRect(TRect(0, 0, 200, 10));
  tile->Canvas()->Brush()->SetColor(clBlue);
  tile->Canvas()->FillRect(TRect(0, 0, 1, 10));
  S->SetBackGround(tile);
  auto pic = Picture(t);
  for (int y = 0; y < t->Height(); ++y) EXPECT_EQ(PixelAt(pic.get(), 0, y), clBlue) << y;
  EXPECT_EQ(PixelAt(pic.get(), 30, 5), clYellow);
  EXPECT_EQ(PixelAt(pic.get(), 30, 25), clYellow);
}

TEST_F(Draw, DockedCornersTakeThePanelsBackgroundUnlessTheStyleIsSquare) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  p->SetToolBarStyler(S);
  TAdvToolBar* t = NewToolBar(L"T", 1);
  t->SetParent(p);
  t->SetShowRightHandle(false);
  S->SetBorderColor(clBlue);
  auto at = [&](TBitmap* B, int X, int Y) { return PixelAt(B, t->Left() + X, t->Top() + Y); };
  auto pic = Picture(p);
  EXPECT_EQ(at(pic.get(), 0, 0), clLime);
  EXPECT_EQ(at(pic.get(), 1, 0), clLime);
  EXPECT_EQ(at(pic.get(), 0, 1), clLime);
  EXPECT_EQ(at(pic.get(), t->Width() - 2, 0), clLime);  // right corners too without the handle
  EXPECT_EQ(at(pic.get(), 20, 0), clBlue);             // the rounded border
  EXPECT_EQ(at(pic.get(), 20, 5), clRed);
  S->SetKelStyle(TKelStyle::tsWindows7);
  pic = Picture(p);
  EXPECT_NE(at(pic.get(), 0, 0), clLime);
  EXPECT_EQ(at(pic.get(), 20, 0), clBlue);
}

TEST_F(Draw, TheGripIsDotsOfShadowAndLight) {
  TAdvToolBar* t = Fixed(L"T");
  auto pic = Picture(t);
  TColor shadow = ColorToRGB(clBtnShadow);
  // Pairs from (4, 5): shadow squares with a white one a pixel down-right.
  for (int i = 0; i < (t->Height() - 8) / 4; ++i) {
    EXPECT_EQ(PixelAt(pic.get(), 4, 5 + 4 * i), shadow) << i;
    EXPECT_EQ(PixelAt(pic.get(), 6, 7 + 4 * i), clWhite) << i;
  }
  t->SetDragGripStyle(TDragGripStyle::dsNone);
  pic = Picture(t);
  EXPECT_EQ(CountPixels(pic.get(), TRect(1, 1, 7, t->Height() - 1), shadow), 0);
}

TEST_F(Draw, TheChevronShowsOnlyWhileItemsAreHidden) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  p->SetToolBarStyler(S);
  TAdvToolBar* t = NewToolBar(L"T", 4);
  t->SetParent(p);
  auto handleBlack = [&] {
    auto pic = Picture(t);
    return CountPixels(pic.get(), t->GetRightHandleRect(), clBlack);
  };
  int plain = handleBlack();
  EXPECT_GT(plain, 0);  // the option arrow
  Form->SetWidth(t->Width() - 5);
  ASSERT_GT(t->HiddenCount(), 0);
  EXPECT_GT(handleBlack(), plain);
}

// Buttons on a red toolbar.
struct ButtonDraw : Draw {
  TAdvToolBar* T = nullptr;
  AdvToolBar::TButtonAppearance* A = nullptr;
  void SetUp() override {
    Draw::SetUp();
    T = Fixed(L"T");
    A = S->ButtonAppearance();
  }
  TRect Place(TControl* B) { return B->BoundsRect(); }
};

TEST_F(ButtonDraw, ATransparentIdleButtonPaintsOnlyItsCaptionInTheStylersColour) {
  TAdvToolBarButton* b = AddButton(T, L"B", 0);
  b->SetCaption(L"MMM");
  b->SetShowCaption(true);
  A->SetCaptionTextColor(clBlue);
  auto pic = Picture(T);
  TRect r = Place(b);
  EXPECT_EQ(PixelAt(pic.get(), r.left + 1, r.top + 1), clRed);  // no background, no border
  EXPECT_GT(CountPixels(pic.get(), r, clBlue, 40), 5);
}

TEST_F(ButtonDraw, HotPressedAndSplitPartsTakeTheirColours) {
  A->SetColorHot(clLime);
  A->SetBorderHotColor(clNavy);
  A->SetColorDown(clYellow);
  TAdvToolBarButton* b = AddButton(T, L"B", 40);
  b->SetDropDownButton(true);
  b->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(b));
  auto pic = Picture(T);
  TRect r = Place(b);
  EXPECT_EQ(PixelAt(pic.get(), r.left + 3, r.top + 3), clLime);
  EXPECT_EQ(PixelAt(pic.get(), r.left, r.top + 5), clNavy);
  // Pressed on the button part: down there, hot on the drop-down part.
  b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  pic = Picture(T);
  EXPECT_EQ(PixelAt(pic.get(), r.left + 3, r.top + 3), clYellow);
  EXPECT_EQ(PixelAt(pic.get(), r.right - 11, r.top + 3), clLime);
  b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

TEST_F(ButtonDraw, AGlyphAboveNoCaptionIsCentredAndADrawPositionOverridesIt) {
  TOwned<TBitmap> g(new TBitmap(16, 16));
  g->Canvas()->Brush()->SetColor(clBlue);
  g->Canvas()->FillRect(TRect(0, 0, 16, 16));
  g->Canvas()->Brush()->SetColor(clYellow);
  g->Canvas()->FillRect(TRect(4, 4, 12, 12));
  auto* b = new TAdvToolBarButton(Form);
  b->SetAdvToolBar(T);
  b->SetGlyph(g);
  b->SetGlyphPosition(TToolGlyphPosition::gpTop);
  auto pic = Picture(T);
  TRect r = Place(b);
  // Room for a line of text below it is kept, but with no caption the
  // glyph is centred in the whole height.
  ASSERT_GT(b->Height(), 16 + 2 * 4);
  int gx = (b->Width() - 16) / 2, gy = (b->Height() - 16) / 2;
  EXPECT_EQ(PixelAt(pic.get(), r.left + gx + 4, r.top + gy + 4), clYellow);
  EXPECT_NE(PixelAt(pic.get(), r.left + gx + 4, r.top + gy + 3), clYellow);
  EXPECT_EQ(PixelAt(pic.get(), r.left + gx + 1, r.top + gy + 1), clRed);  // the key colour is see-through
  b->DrawPosition()->SetImageX(0);
  b->DrawPosition()->SetImageY(0);
  b->DrawPosition()->SetEnabled(true);
  pic = Picture(T);
  EXPECT_EQ(PixelAt(pic.get(), r.left + 4, r.top + 4), clYellow);
  EXPECT_NE(PixelAt(pic.get(), r.left + 3, r.top + 4), clYellow);
}

TEST_F(ButtonDraw, ADisabledCaptionIsEmbossed) {
  TAdvToolBarButton* b = AddButton(T, L"B", 0);
  b->SetCaption(L"MMM");
  b->SetShowCaption(true);
  b->SetEnabled(false);
  auto pic = Picture(T);
  TRect r = Place(b);
  EXPECT_GT(CountPixels(pic.get(), r, ColorToRGB(clBtnHighlight), 30), 3);
  EXPECT_GT(CountPixels(pic.get(), r, ColorToRGB(clBtnShadow), 30), 3);
}

TEST_F(Draw, AFloatingToolBarsCaptionHasItsOptionAndCloseButtons) {
  auto* w = new TFloatingWindow(Form);
  TAdvToolBar* f = NewToolBar(L"F", 2);
  f->SetParent(w);
  f->SetToolBarStyler(S);
  S->CaptionAppearance()->SetCaptionColor(clGray);
  S->CaptionAppearance()->SetCaptionColorTo(clNone);
  auto pic = Picture(f);
  TRect close = f->GetCloseButtonRect(), option = f->GetOptionButtonRect();
  EXPECT_EQ(close, TRect(f->Width() - 17, 1, f->Width() - 1, 15));
  EXPECT_EQ(option, TRect(close.left - 18, 1, close.left - 2, 15));
  // Plain buttons: the caption's colour, white glyphs (the cross from its
  // corners, the arrow's top line).
  EXPECT_EQ(PixelAt(pic.get(), close.left + 4, close.top + 4 + 1), clWhite);
  EXPECT_EQ(PixelAt(pic.get(), close.left + 1, close.top + 1), clGray);
  EXPECT_EQ(PixelAt(pic.get(), option.left + 6, option.bottom - 10), clWhite);
  EXPECT_EQ(PixelAt(pic.get(), option.left + 2, option.top + 2), clGray);
  // No grip and no right handle while floating; the items start at 2 below
  // the caption.
  EXPECT_FALSE(f->GripShown());
  EXPECT_FALSE(f->RightHandleShown());
  EXPECT_EQ(f->ToolBarControls(0)->BoundsRect(), Bounds(2, 18, 20, 22));
}

}  // namespace
