// The pager's reactions to glass, its window and its tones: the glass
// window region and the caption layer (glass forced through the
// composition stand-ins, as wine has no composition), the hit test and
// erase-background answers, tab hints, the pages a designer starts with,
// the scenic look told to children, the application button's colour, and
// the tones handed on to a ribbon form and the quick access toolbar.
#include <memory>

#include "base/Hints.h"
#include "tests/support/Gui.h"
#include "tests/toolbar/ribbon/PagerTestSupport.h"
#include "ui/toolbar/ribbon/AdvQuickAccessToolBar.h"
#include "ui/toolbar/ribbon/AdvToolBarForm.h"
#include "ui/toolbar/ribbon/CaptionLayer.h"
#include "ui/toolbar/runtime/ThemeBinding.h"
#include "ui/toolbar/stylers/ToolBarOfficeStyler.h"

namespace {

HRESULT ComposedYes(BOOL& Enabled) {
  Enabled = TRUE;
  return S_OK;
}
HRESULT ExtendOk(HWND, const MARGINS&) { return S_OK; }

// An application button as the pager finds it among its children.
class TAdvShapeButton : public TCustomControl {
  VANTREL_CLASS(TAdvShapeButton)
 public:
  using TCustomControl::TCustomControl;
};

// A child that follows the scenic look.
class TScenicChild : public TCustomControl, public IScenicRibbonControl {
  VANTREL_CLASS(TScenicChild)
 public:
  using TCustomControl::TCustomControl;
  std::vector<std::pair<bool, int>> Calls;
  void ScenicRibbonChanged(bool Scenic, int Style) override { Calls.emplace_back(Scenic, Style); }
};

// A ribbon form with a pager, glass forced on or left off.
struct FormFixture : RibbonFormFixture {
  void TearDown() override {
    RibbonFormFixture::TearDown();
    SetDwmCompositionSource(nullptr);
    SetDwmExtendFrameSink(nullptr);
  }
  void Make(bool Glass, int Width = 640) {
    if (Glass) {
      SetIsAeroAvailableSource([](TComponent*) { return true; });
      SetDwmCompositionSource(ComposedYes);
      SetDwmExtendFrameSink(ExtendOk);
    }
    RibbonFormFixture::Make(60, 60, Width, 360);
  }
  TAdvPage* AddPage(const String& Caption) {
    auto* page = new TAdvPage(Form);
    page->SetCaption(Caption);
    Pager->AddAdvPage(page);
    return page;
  }
};

// The width of the system caption-button corner the glass region leaves
// out, as the system version gives it (96 pixels per inch).
int CornerWidth() {
  int major = 0, minor = 0;
  GetWindowsVersion(major, minor);
  OSVERSIONINFOW v = GetVersionExInfo();
  bool win7 = v.dwMajorVersion > 6 || (v.dwMajorVersion == 6 && v.dwMinorVersion > 0);
  int base = major == 10 ? 130 : win7 ? 110 : 100;
  return static_cast<int>(Round(base * static_cast<long double>(ScreenLogPixelsX) / 96));
}

int CornerHeight() {
  int c = static_cast<int>(Round(ScreenLogPixelsX * 22.0L / 96));
  return Min<int>(c, ScaledCaptionHeight - 5);
}

TColorTones SomeTones() {
  TColorTones t;
  MetroColorTones(true, 0x30A050, clNone, t);
  t.Background.BrushColor = 0xE0F0D0;
  t.Selected.BrushColor = 0x30A050;
  return t;
}

}  // namespace

// ---------------------------------------------------------------------------
// Glass window region

TEST_F(FormFixture, OnGlassTheRegionLeavesTheSystemCaptionButtonsOut) {
  Make(true);
  ASSERT_TRUE(Pager->IsAeroVista());
  const int w = CornerWidth(), c = CornerHeight();
  for (int width : {640, 480}) {
    SCOPED_TRACE(width);
    Form->SetWidth(width);
    PumpFor(5);
    ASSERT_TRUE(Pager->RegionSet());
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(Pager->Handle(), rgn), ERROR);
    const int pw = Pager->Width(), ph = Pager->Height();
    struct {
      int X, Y;
      bool Inside;
    } points[] = {
        {0, 0, true},          {pw - w - 1, 0, true},  {pw - w, 0, false},      {pw - 1, c - 1, false},
        {pw - w, c - 1, false}, {pw - 1, c, true},      {pw - w - 1, c, true},   {0, ph - 1, true},
        {pw - 1, ph - 1, true}, {pw / 2, ph / 2, true}, {pw - w / 2, c / 2, false},
    };
    for (const auto& p : points) {
      SCOPED_TRACE(std::to_string(p.X) + "," + std::to_string(p.Y));
      EXPECT_EQ(PtInRegion(rgn, p.X, p.Y) != FALSE, p.Inside);
    }
    DeleteObject(rgn);
  }
}

TEST_F(FormFixture, TheRegionGoesInTheFlatModeAndIsNeverSetWithoutGlass) {
  struct Case {
    bool Glass;
    bool Tones;
    bool Region;
  };
  const Case cases[] = {{true, false, true}, {true, true, false}, {false, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Glass) + std::to_string(c.Tones));
    Make(c.Glass);
    if (c.Tones) Pager->SetColorTones(SomeTones());
    PumpFor(5);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(Pager->Handle(), rgn) != ERROR, c.Region);
    EXPECT_EQ(Pager->RegionSet(), c.Region);
    DeleteObject(rgn);
    TearDown();
  }
}

// ---------------------------------------------------------------------------
// Caption layer

TEST_F(FormFixture, TheCaptionLayerCoversTheCaptionAndFollowsTheGlassState) {
  Make(true);
  TCaptionLayer* layer = Pager->CaptionLayer();
  ASSERT_NE(layer, nullptr);
  EXPECT_EQ(layer->Parent(), Pager);
  auto check = [&](bool Visible) {
    TRect cr = Pager->GetCaptionRect();
    EXPECT_EQ(layer->Visible(), Visible);
    if (!Visible) return;
    EXPECT_EQ(layer->BoundsRect(), cr);
    EXPECT_EQ(layer->Text(), Pager->Caption()->Caption());
  };
  check(true);
  // A new caption text and a narrower form move the layer with them.
  Pager->Caption()->SetCaption(L"Document - Vantrel");
  Form->SetWidth(500);
  PumpFor(5);
  check(true);
  // The flat mode hides it, leaving it shows it again.
  Pager->SetColorTones(SomeTones());
  check(false);
  Pager->RevertMetroMode();
  EXPECT_TRUE(Pager->UseCaptionLayer());
  check(true);
  // Leaving glass hides it; glass back shows it.
  Pager->SetAeroVista(false);
  check(false);
  Pager->SetAeroVista(true);
  check(true);
}

TEST_F(FormFixture, WithoutGlassThereIsNoCaptionLayer) {
  Make(false);
  EXPECT_EQ(Pager->CaptionLayer(), nullptr);
}

TEST_F(FormFixture, ThePressesOnTheCaptionLayerReachThePager) {
  Make(true);
  TCaptionLayer* layer = Pager->CaptionLayer();
  ASSERT_NE(layer, nullptr);
  std::vector<POINT> menus;
  TAdvToolBarPager::SetSystemMenuTracker([&](HMENU, int X, int Y, HWND) {
    menus.push_back({X, Y});
    return 0u;
  });
  const TPoint at(layer->Width() / 2, layer->Height() / 2);
  layer->Perform(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
  layer->Perform(WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  TAdvToolBarPager::SetSystemMenuTracker(nullptr);
  ASSERT_EQ(menus.size(), 1u);
  TPoint screen = layer->ClientToScreen(at);
  EXPECT_EQ(menus[0].x, screen.x);
  EXPECT_EQ(menus[0].y, screen.y);
  // A double click maximizes the form and a second one restores it (the
  // press in it would start the system's move loop: moving is off).
  Pager->SetCanMove(false);
  for (TWindowState expected : {TWindowState::wsMaximized, TWindowState::wsNormal}) {
    layer->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, layer->Height() - 4));
    PumpFor(5);
    EXPECT_EQ(Form->WindowState(), expected);
  }
}

// ---------------------------------------------------------------------------
// Hit test and erasing

TEST_F(FormFixture, TheOuterEdgesOfThePagerBelongToTheFormsFrame) {
  for (bool glass : {true, false}) {
    SCOPED_TRACE(glass);
    Make(glass);
    AddPage(L"Home");
    const int w = Pager->Width();
    struct {
      int X, Y;
      bool Transparent;
    } cases[] = {{40, 0, true}, {40, 2, true}, {40, 3, false}, {0, 60, true},     {2, 60, true},
                 {3, 60, false}, {w - 6, 60, false}, {w - 5, 60, true}, {w - 1, 60, true}, {w / 2, 60, false}};
    for (const auto& c : cases) {
      SCOPED_TRACE(std::to_string(c.X) + "," + std::to_string(c.Y));
      TPoint p = Pager->ClientToScreen(TPoint(c.X, c.Y));
      LRESULT hit = Pager->Perform(WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
      EXPECT_EQ(hit == HTTRANSPARENT, c.Transparent);
    }
    // A designer gets every point.
    Pager->SetDesigning(true, false);
    TPoint p = Pager->ClientToScreen(TPoint(40, 0));
    EXPECT_NE(Pager->Perform(WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTTRANSPARENT);
    Pager->SetDesigning(false, false);
    TearDown();
  }
}

TEST_F(FormFixture, OnGlassErasingLeavesTheBackgroundAlone) {
  for (bool glass : {true, false}) {
    SCOPED_TRACE(glass);
    Make(glass);
    Pager->SetColor(0x2080C0);
    TBitmap bitmap(20, 20);
    bitmap.Canvas()->Brush()->SetColor(0x00FF00);
    bitmap.Canvas()->FillRect(TRect(0, 0, 20, 20));
    // As the double-buffered paint erases into its bitmap.
    HDC dc = bitmap.Canvas()->Handle();
    LRESULT handled = Pager->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
    EXPECT_NE(handled, 0);
    EXPECT_EQ(PixelAt(&bitmap, 10, 10), glass ? TColor(0x00FF00) : TColor(0x2080C0));
    TearDown();
  }
}

// ---------------------------------------------------------------------------
// Tab hints

TEST_F(PagerFixture, ATabShowsItsHintOrItsCutCaption) {
  AddPage(L"Home");
  AddPage(L"A very long caption of the insert page");
  Pager->SetActivePageIndex(0);
  PumpFor(5);
  auto hover = [&](int Tab) {
    TRect r = Pager->GetTabRect(Tab);
    Pager->Perform(WM_MOUSEMOVE, 0, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  };
  auto ask = [&]() {
    THintInfo info;
    info.HintStr = L"before";
    Pager->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
    return info.HintStr;
  };
  struct Case {
    const char* Name;
    bool ShowTabHint;
    int Tab;  // -1: the pointer off the tabs
    const wchar_t* TabHint;
    int ClientWidth;  // 0: the measured layout
    String Expected;
  };
  const Case cases[] = {
      {"hints off", false, 0, L"", 0, L""},
      {"no tab", true, -1, L"", 0, L"before"},
      {"tab hint", true, 1, L"Insert things", 0, L"Insert things"},
      {"whole caption", true, 0, L"", 0, L"before"},
      {"cut caption", true, 1, L"", 12, L"A very long caption of the insert page"},
      {"cut with hint", true, 1, L"Insert things", 12, L"Insert things"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Pager->SetShowTabHint(c.ShowTabHint);
    for (int i = 0; i < 2; ++i) Pager->AdvPages(i)->SetTabHint(c.Tab == i ? c.TabHint : L"");
    Pager->ResetTabLayout();
    if (c.ClientWidth) SetTabClientWidths(c.ClientWidth);
    if (c.Tab >= 0) {
      hover(c.Tab);
    } else {
      TRect area = Pager->GetTabsArea();
      Pager->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(Pager->Width() - 20, (area.top + area.bottom) / 2));
    }
    EXPECT_EQ(ask(), c.Expected);
  }
  // The hovered tab hidden or its page taken away: the request stays.
  Pager->ResetTabLayout();
  SetTabClientWidths(12);
  hover(1);
  TAdvPage* insert = Pager->AdvPages(1);
  insert->SetTabVisible(false);
  EXPECT_EQ(ask(), L"before");
  insert->SetTabVisible(true);
  Pager->RemoveAdvPage(insert);
  EXPECT_EQ(ask(), L"before");
}

// ---------------------------------------------------------------------------
// Pages a designer starts with

TEST(PagerDesigner, ANewPagerInADesignerGetsThreePagesNamedAfterIt) {
  struct Case {
    const char* Name;
    bool Reading;
    const wchar_t* PagerName;
    bool HasPage;
    int Pages;
  };
  const Case cases[] = {
      {"dropped", false, L"Ribbon", false, 3},
      {"read from a stream", true, L"Ribbon", false, 0},
      {"no name yet", false, L"", false, 0},
      {"has a page", false, L"Ribbon", true, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    ResetRibbonGlobals();
    auto* form = new TForm(nullptr);
    form->SetDesigning(true);
    form->SetBounds(40, 40, 600, 300);
    if (c.Reading) form->BeginLoading();
    auto* pager = new TAdvToolBarPager(form);
    if (!std::wstring(c.PagerName).empty()) pager->SetName(c.PagerName);
    pager->SetParent(form);
    if (c.HasPage) {
      auto* page = new TAdvPage(form);
      page->SetName(L"Own");
      pager->AddAdvPage(page);
    }
    if (c.Reading) form->EndLoading();
    pager->HandleNeeded();
    ASSERT_EQ(pager->AdvPageCount(), c.Pages);
    if (c.Pages == 3) {
      for (int i = 0; i < 3; ++i) {
        TAdvPage* page = pager->AdvPages(i);
        String name = String(c.PagerName) + std::to_wstring(i + 1);
        EXPECT_EQ(page->Name(), name);
        EXPECT_EQ(page->Caption(), name);
        EXPECT_EQ(page->Owner(), form);
        EXPECT_EQ(page->Parent(), pager);
      }
      EXPECT_EQ(pager->ActivePageIndex(), 0);
      // A window made again adds none.
      pager->RecreateWnd();
      pager->HandleNeeded();
      EXPECT_EQ(pager->AdvPageCount(), 3);
    }
    form->Free();
    PumpFor(5);
  }
  ResetRibbonGlobals();
}

TEST(PagerDesigner, ATakenPageNameIsNotUsedTwice) {
  ResetRibbonGlobals();
  auto* form = new TForm(nullptr);
  form->SetDesigning(true);
  auto* other = new TComponent(form);
  other->SetName(L"Ribbon2");
  auto* pager = new TAdvToolBarPager(form);
  pager->SetName(L"Ribbon");
  pager->SetParent(form);
  pager->HandleNeeded();
  ASSERT_EQ(pager->AdvPageCount(), 3);
  EXPECT_EQ(pager->AdvPages(0)->Name(), L"Ribbon1");
  EXPECT_NE(pager->AdvPages(1)->Name(), L"Ribbon2");
  EXPECT_EQ(form->FindComponent(L"Ribbon2"), other);
  EXPECT_EQ(pager->AdvPages(2)->Name(), L"Ribbon3");
  form->Free();
  PumpFor(5);
  ResetRibbonGlobals();
}

// ---------------------------------------------------------------------------
// Scenic look and the application button

TEST_F(PagerFixture, TheScenicFlagReachesTheChildrenThatFollowIt) {
  auto* child = new TScenicChild(Form);
  child->SetParent(Pager);
  auto* plain = new TAdvShapeButton(Form);
  plain->SetParent(Pager);
  Pager->SetWin7ScenicRibbon(true);
  Pager->SetWin7ScenicRibbon(false);
  auto* styler = new TAdvToolBarOfficeStyler(Form);
  styler->SetName(L"Styler");
  styler->SetStyle(TToolBarStyle::bsOffice2010Blue);
  Pager->SetToolBarStyler(styler);
  child->Calls.clear();
  Pager->SetWin7ScenicRibbon(true);
  const std::vector<std::pair<bool, int>> expected = {
      {true, static_cast<int>(styler->NewKelStyle())},
  };
  EXPECT_EQ(child->Calls, expected);
  EXPECT_TRUE(Pager->Win7ScenicRibbon());
}

TEST_F(PagerFixture, TheScenicFlagWithoutAStylerTellsMinusOne) {
  auto* child = new TScenicChild(Form);
  child->SetParent(Pager);
  for (bool scenic : {true, false}) Pager->SetWin7ScenicRibbon(scenic);
  const std::vector<std::pair<bool, int>> expected = {{true, -1}, {false, -1}};
  EXPECT_EQ(child->Calls, expected);
}

TEST_F(FormFixture, OnGlassTheApplicationButtonTakesTheTabBackground) {
  for (bool glass : {true, false}) {
    SCOPED_TRACE(glass);
    Make(glass);
    auto* button = new TAdvShapeButton(Form);
    button->SetParent(Pager);
    button->SetColor(0x123456);
    TColor tabBack = Pager->CurrentToolBarStyler()->TabAppearance()->BackGround()->Color();
    ASSERT_NE(tabBack, TColor(0x123456));
    Pager->ApplyStylerChange(StylerChange::Style);
    EXPECT_EQ(button->Color(), glass ? tabBack : TColor(0x123456));
    TearDown();
  }
}

// ---------------------------------------------------------------------------
// Tones handed on

TEST_F(FormFixture, ColourTonesReachTheRibbonFormAndLeaveItAgain) {
  Make(false);
  const TColorTones t = SomeTones();
  Pager->SetColorTones(t);
  EXPECT_TRUE(Pager->Metro());
  EXPECT_TRUE(Form->Itones());
  EXPECT_FALSE(Form->Office2013());
  EXPECT_EQ(Form->ToneBorderWidth(), 2);
  EXPECT_EQ(Form->BorderClr(), t.Selected.BrushColor);
  // The flat pager paints its caption bar in the background tone.
  std::unique_ptr<TBitmap> bmp(PaintToBitmap(Pager));
  TRect cr = Pager->GetCaptionRect();
  EXPECT_EQ(PixelAt(bmp.get(), cr.left + 4, cr.bottom - 3), t.Background.BrushColor);
  Pager->RevertMetroMode();
  EXPECT_FALSE(Pager->Metro());
  EXPECT_FALSE(Form->Itones());
}

TEST_F(FormFixture, OfficeTonesGiveTheFormItsBorderOnlyForOfficeGroupStyles) {
  struct Case {
    TGroupStyle Style;
    bool FormToned;
  };
  const Case cases[] = {{TGroupStyle::gsOffice2013, true},
                        {TGroupStyle::gsOffice2016, true},
                        {TGroupStyle::gsWindows8, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Style));
    Make(false);
    Form->SetThickBorder(true);
    TAppColor app;
    app.SetAppButtonColor(0x2050E0);
    TOfficeTones o{};
    ClearColorTones(o.Buttons), ClearColorTones(o.Tab), ClearColorTones(o.Pager);
    o.Buttons = SomeTones();
    o.Pager.Background.BrushColor = 0x506070;
    o.App = &app;
    Pager->SetOfficeTones(o, c.Style);
    EXPECT_EQ(Form->Itones(), c.FormToned);
    EXPECT_EQ(Form->Office2013(), c.FormToned);
    EXPECT_EQ(Form->ThickBorder(), !c.FormToned);
    if (c.FormToned) {
      EXPECT_EQ(Form->BorderClr(), TColor(0x2050E0));
      EXPECT_EQ(Form->ToneBorderWidth(), 2);
    }
    // The caption bar in the pager tone.
    std::unique_ptr<TBitmap> bmp(PaintToBitmap(Pager));
    TRect cr = Pager->GetCaptionRect();
    EXPECT_EQ(PixelAt(bmp.get(), cr.left + 4, cr.bottom - 3), TColor(0x506070));
    TearDown();
  }
}

TEST_F(FormFixture, TonesWaitWhileTheFormHoldsThemBack) {
  Form = new TAdvToolBarForm(nullptr);
  Form->BeginLoading();
  Form->SetBounds(60, 60, 640, 360);
  Pager = new TAdvToolBarPager(Form);
  Pager->SetName(L"Pager");
  Pager->SetParent(Form);
  Form->SetColorTones(SomeTones());
  ASSERT_TRUE(Form->TonesDeferred());
  Form->EndLoading();
  // Between loading and the form's own message, the pager takes none.
  Pager->SetColorTones(SomeTones());
  EXPECT_FALSE(Pager->Itones());
  // The form's message applies them to both.
  Form->Show();
  PumpUntil([&] { return Pager->Itones(); });
  EXPECT_TRUE(Pager->Itones());
  EXPECT_TRUE(Form->Itones());
}

TEST_F(PagerFixture, TheQuickAccessToolBarTakesTheTonesColour) {
  auto* qat = new TAdvQuickAccessToolBar(Form);
  qat->SetParent(Pager);
  PumpFor(5);
  const TColorTones t = SomeTones();
  Pager->SetColorTones(t);
  EXPECT_EQ(qat->Color(), t.Background.BrushColor);
  TAppColor app;
  TOfficeTones o{t, t, t, &app};
  o.Pager.Background.BrushColor = 0x405060;
  Pager->SetOfficeTones(o, TGroupStyle::gsWindows8);
  EXPECT_EQ(qat->Color(), TColor(0x405060));
}

TEST_F(PagerFixture, TheOwnButtonsTakeTheTonesGlowAppearance) {
  auto* button = new TAdvGlowButton(Form);
  button->SetParent(Pager);
  button->SetRounded(true);
  button->Appearance()->SetColor(0x010203);
  Pager->ApplyGlowAppearance(button);  // no tone set yet: nothing
  EXPECT_TRUE(button->Rounded());
  EXPECT_EQ(button->Appearance()->Color(), TColor(0x010203));
  const TColorTones t = SomeTones();
  Pager->SetColorTones(t);
  Pager->ApplyGlowAppearance(button);
  EXPECT_FALSE(button->Rounded());
  EXPECT_EQ(button->Appearance()->Color(), t.Background.BrushColor);
  EXPECT_EQ(button->Appearance()->ColorHot(), t.Hover.BrushColor);
  EXPECT_EQ(button->Font()->Name(), GetSystemFontName());
}
