// The ribbon form: its borderless frame and hit tests, the maximized size,
// the caption-only pager of a narrow form, the tone mode with its border,
// size grip and drop shadow, the maximize on the user's drag to the top,
// the registered messages, the glass frame (forced through the window
// manager's stand-ins), swapping a ribbon and a dock panel, and the status
// bar's corners on a ribbon form.
#include <memory>

#include "tests/support/Gui.h"
#include "tests/toolbar/ribbon/PagerTestSupport.h"
#include "ui/controls/statusbar/AdvOfficeStatusBar.h"
#include "ui/toolbar/bars/AdvDockPanel.h"
#include "ui/toolbar/ribbon/AdvToolBarForm.h"
#include "ui/toolbar/runtime/ThemeBinding.h"

namespace {

TColorTones Tones(TColor Selected) {
  TColorTones t;
  MetroColorTones(true, Selected, clNone, t);
  t.Selected.BrushColor = Selected;
  return t;
}

struct RibbonForm : RibbonFormFixture {
  void TearDown() override {
    RibbonFormFixture::TearDown();
    SetSynthesizedClickSink(nullptr);
    SetIsVistaOrLaterSource(nullptr);
  }
  LRESULT HitAt(int X, int Y) {
    TPoint p = Form->ClientToScreen(TPoint(X, Y));
    return SendMessageW(Form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
  }
  std::unique_ptr<TBitmap> Paint() { return std::unique_ptr<TBitmap>(PaintToBitmap(Form)); }
};

RECT WorkArea(HWND Wnd) {
  MONITORINFO info{sizeof(info)};
  GetMonitorInfoW(MonitorFromWindow(Wnd, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}

}  // namespace

TEST_F(RibbonForm, WithoutGlassTheFormHasNoCaptionAndAnswersItsOwnEdges) {
  Make();
  LONG_PTR style = GetWindowLongPtrW(Form->Handle(), GWL_STYLE);
  EXPECT_FALSE(style & WS_DLGFRAME);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_EQ(Form->BorderStyle(), TFormBorderStyle::bsSingle);
  RECT window, client;
  GetWindowRect(Form->Handle(), &window);
  GetClientRect(Form->Handle(), &client);
  EXPECT_EQ(client.right, window.right - window.left);
  EXPECT_EQ(client.bottom, window.bottom - window.top);
  const int w = Form->Width(), h = Form->Height();
  struct {
    int X, Y;
    LRESULT Hit;
  } cases[] = {
      {2, 150, HTLEFT},          {15, 10, HTTOPLEFT},          {300, 1, HTTOP},
      {w - 5, 150, HTRIGHT},     {300, h - 5, HTBOTTOM},       {w - 10, h - 10, HTBOTTOMRIGHT},
      {w - 10, 10, HTTOPRIGHT},  {10, h - 10, HTBOTTOMLEFT},   {300, 150, HTCLIENT},
  };
  for (auto& c : cases) EXPECT_EQ(HitAt(c.X, c.Y), c.Hit) << c.X << "," << c.Y;
  Form->SetWindowState(TWindowState::wsMaximized);
  ASSERT_TRUE(PumpUntil([&] { return IsZoomed(Form->Handle()) != FALSE; }));
  EXPECT_EQ(HitAt(2, 150), HTCLIENT);
  EXPECT_EQ(HitAt(15, 10), HTCLIENT);
}

TEST_F(RibbonForm, AMaximizedFormFillsTheWorkAreaNotTheScreen) {
  Make();
  MINMAXINFO mmi{};
  mmi.ptMaxSize = {5000, 5000};
  SendMessageW(Form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  MONITORINFO info{sizeof(info)};
  GetMonitorInfoW(MonitorFromWindow(Form->Handle(), MONITOR_DEFAULTTONEAREST), &info);
  EXPECT_EQ(mmi.ptMaxPosition.x, info.rcWork.left - info.rcMonitor.left);
  EXPECT_EQ(mmi.ptMaxPosition.y, info.rcWork.top - info.rcMonitor.top);
  EXPECT_EQ(mmi.ptMaxSize.x, info.rcWork.right - info.rcWork.left);
  EXPECT_EQ(mmi.ptMaxSize.y, info.rcWork.bottom - info.rcWork.top);
}

TEST_F(RibbonForm, ANarrowFormKeepsOnlyThePagersCaption) {
  Make();
  const int full = Pager->Height();
  struct {
    int Width;
    bool Hidden;
  } steps[] = {{299, true}, {300, true}, {301, false}, {300, false}, {299, true}};
  for (auto& s : steps) {
    Form->SetWidth(s.Width);
    PumpFor(5);
    EXPECT_EQ(Pager->HideState(), s.Hidden) << s.Width;
    EXPECT_EQ(Pager->Height(), s.Hidden ? Pager->Caption()->Height() : full) << s.Width;
  }
}

TEST_F(RibbonForm, WithoutGlassItsBorderIsTheStylersFormBorderColour) {
  Make();
  Pager->CurrentToolBarStyler()->SetFormBorderColor(0x2060A0);
  auto shot = Paint();
  const int w = Form->Width(), h = Form->Height();
  EXPECT_EQ(PixelAt(shot.get(), 0, h - 10), 0x2060A0);
  EXPECT_EQ(PixelAt(shot.get(), w - 1, h - 10), 0x2060A0);
  EXPECT_EQ(PixelAt(shot.get(), w / 2, h - 1), 0x2060A0);
  EXPECT_EQ(PixelAt(shot.get(), w / 2, h - 10), clWhite);
}

TEST_F(RibbonForm, BeforeVistaTheFrameIsARoundedRegionUnlessMaximized) {
  SetIsVistaOrLaterSource([] { return false; });
  Make();
  Form->SetWidth(Form->Width() + 1);
  PumpFor(5);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(Form->Handle(), rgn), ERROR);
  RECT box;
  GetRgnBox(rgn, &box);
  EXPECT_EQ(box.left, 3);
  EXPECT_EQ(box.top, 3);
  // A rounded region leaves out its right and bottom end rows.
  EXPECT_EQ(box.right, Form->Width() - 4);
  EXPECT_EQ(box.bottom, Form->Height() - 4);
  // A point in the rounded corner is outside it.
  EXPECT_FALSE(PtInRegion(rgn, 3, 3));
  EXPECT_TRUE(PtInRegion(rgn, 10, 10));
  DeleteObject(rgn);
  Form->SetWindowState(TWindowState::wsMaximized);
  ASSERT_TRUE(PumpUntil([&] { return IsZoomed(Form->Handle()) != FALSE; }));
  PumpFor(5);
  rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(Form->Handle(), rgn), ERROR);
  DeleteObject(rgn);
}

TEST_F(RibbonForm, TheStatusBarOnARibbonFormRoundsItsCornersInThePagersCaptionColour) {
  SetIsVistaOrLaterSource([] { return false; });
  Make();
  Pager->CurrentToolBarStyler()->PagerCaption()->SetTextColor(0x00AA00);
  auto* bar = new TAdvOfficeStatusBar(Form);
  bar->SetParent(Form);
  bar->Panels()->Add()->SetWidth(100);
  std::unique_ptr<TBitmap> shot(PaintToBitmap(bar));
  const int h = bar->Height(), w = bar->Width();
  EXPECT_EQ(PixelAt(shot.get(), 1, h - 3), 0x00AA00);
  EXPECT_EQ(PixelAt(shot.get(), w - 2, h - 3), 0x00AA00);
}

// ---------------------------------------------------------------------------
// Tones

TEST_F(RibbonForm, InTonesTheFormIsBorderlessWithToneLinesAndASizeGrip) {
  Make();
  Form->SetColorTones(Tones(0x3050D0));
  PumpFor(5);
  ASSERT_TRUE(Form->Itones());
  EXPECT_EQ(Form->BorderStyle(), TFormBorderStyle::bsNone);
  EXPECT_EQ(Form->BorderClr(), 0x3050D0);
  EXPECT_EQ(Form->SizeGripColor(), 0x3050D0);
  EXPECT_TRUE(GetWindowLongPtrW(Form->Handle(), GWL_STYLE) & WS_MINIMIZEBOX);
  auto* client = new TPanel(Form);
  client->SetParent(Form);
  client->SetAlign(TAlign::alClient);
  Form->SetSizeGrip(true);
  Form->SetSizeGripColor(0x10E010);
  PumpFor(5);
  const int w = Form->Width(), h = Form->Height();
  // Room for the grip at the bottom, two pixels at the sides.
  EXPECT_EQ(client->Left(), 2);
  EXPECT_EQ(client->Left() + client->Width(), w - 2);
  EXPECT_EQ(client->Top() + client->Height(), h - 16);
  client->SetVisible(false);
  auto shot = Paint();
  EXPECT_EQ(PixelAt(shot.get(), 0, h - 30), 0x3050D0);
  // The side lines run down the caption's depth only.
  EXPECT_EQ(PixelAt(shot.get(), 1, Pager->Caption()->Height() + 20), 0x3050D0);
  EXPECT_NE(PixelAt(shot.get(), 1, h - 30), 0x3050D0);
  // Ten 2 x 2 dots.
  TRect grip(Form->ClientWidth() - 15, Form->ClientHeight() - 15, Form->ClientWidth() - 2, Form->ClientHeight() - 2);
  EXPECT_EQ(CountPixels(shot.get(), grip, 0x10E010), 40);
  const int cw = Form->ClientWidth(), ch = Form->ClientHeight();
  EXPECT_EQ(PixelAt(shot.get(), cw - 4, ch - 4), 0x10E010);    // bottom row, right dot
  EXPECT_EQ(PixelAt(shot.get(), cw - 13, ch - 4), 0x10E010);   // bottom row, fourth dot
  EXPECT_EQ(PixelAt(shot.get(), cw - 4, ch - 13), 0x10E010);   // the top row's one dot
  EXPECT_NE(PixelAt(shot.get(), cw - 7, ch - 13), 0x10E010);
  Form->RevertMetroMode();
  EXPECT_FALSE(Form->Itones());
  EXPECT_EQ(Form->BorderStyle(), TFormBorderStyle::bsSingle);
  EXPECT_FALSE(GetClassLongPtrW(Form->Handle(), GCL_STYLE) & CS_DROPSHADOW);
}

TEST_F(RibbonForm, TonesGivenWhileLoadingWaitForTheFormToLoad) {
  Form = new TAdvToolBarForm(nullptr);
  Form->BeginLoading();
  Pager = new TAdvToolBarPager(Form);
  Pager->SetName(L"Pager");
  Pager->SetParent(Form);
  Form->SetColorTones(Tones(0x40A040));
  EXPECT_TRUE(Form->TonesDeferred());
  EXPECT_FALSE(Form->Itones());
  Form->EndLoading();
  ASSERT_TRUE(PumpUntil([&] { return Form->Itones(); }));
  EXPECT_FALSE(Form->TonesDeferred());
  EXPECT_EQ(Form->BorderClr(), 0x40A040);
  EXPECT_TRUE(Pager->Itones());
}

TEST_F(RibbonForm, TheToneModesDropShadowIsKeptDirectlyBehindTheForm) {
  Make();
  Form->SetColorTones(Tones(0x3050D0));
  PumpFor(5);
  ASSERT_TRUE(GetClassLongPtrW(Form->Handle(), GCL_STYLE) & CS_DROPSHADOW);
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"SysShadow";
  RegisterClassW(&wc);
  RECT r;
  GetWindowRect(Form->Handle(), &r);
  HWND shadow = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"SysShadow", L"", WS_POPUP, r.left, r.top, 20,
                                20, nullptr, nullptr, wc.hInstance, nullptr);
  ShowWindow(shadow, SW_SHOWNA);
  SetWindowPos(shadow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ASSERT_NE(GetWindow(Form->Handle(), GW_HWNDNEXT), shadow);
  Form->UpdateShadowOrder();
  EXPECT_EQ(Form->SysShadowHandle(), shadow);
  EXPECT_EQ(GetWindow(Form->Handle(), GW_HWNDNEXT), shadow);
  DestroyWindow(shadow);
  Form->RevertMetroMode();
}

TEST_F(RibbonForm, OnlyTheUsersDragToTheTopMaximizesTheForm) {
  Make();
  Form->SetColorTones(Tones(0x3050D0));
  PumpFor(5);
  RECT area = WorkArea(Form->Handle());
  // Placed near the top by the program, or restored there: it stays.
  Form->SetBounds(100, area.top + 5, 500, 300);
  PumpFor(5);
  EXPECT_EQ(Form->WindowState(), TWindowState::wsNormal);
  Form->SetWindowState(TWindowState::wsMaximized);
  ASSERT_TRUE(PumpUntil([&] { return IsZoomed(Form->Handle()) != FALSE; }));
  Form->SetWindowState(TWindowState::wsNormal);
  ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(Form->Handle()); }));
  PumpFor(20);
  EXPECT_EQ(Form->WindowState(), TWindowState::wsNormal);
  EXPECT_FALSE(IsZoomed(Form->Handle()));
  // Resized by the user near the top: it stays too.
  Form->Perform(WM_ENTERSIZEMOVE);
  Form->SetBounds(100, area.top + 4, 520, 300);
  Form->Perform(WM_EXITSIZEMOVE);
  EXPECT_EQ(Form->WindowState(), TWindowState::wsNormal);
  // Dragged away and back by the user: not near the top, then near it.
  auto drag = [&](int Top) {
    Form->Perform(WM_ENTERSIZEMOVE);
    RECT r{100, Top, 620, Top + 300};
    Form->Perform(WM_MOVING, WMSZ_TOP, reinterpret_cast<LPARAM>(&r));
    Form->SetBounds(100, Top, 520, 300);
    Form->Perform(WM_EXITSIZEMOVE);
  };
  drag(area.top + 200);
  EXPECT_EQ(Form->WindowState(), TWindowState::wsNormal);
  drag(area.top + 10);
  EXPECT_EQ(Form->WindowState(), TWindowState::wsMaximized);
}

TEST_F(RibbonForm, TheRegisteredMessagesSwitchTheTonesAndRecreateTheWindow) {
  Make();
  Office2013Tones = Tones(0x206020);
  SendMessageW(Form->Handle(), WM_TBSETOFFICE2013, 0, 0);
  EXPECT_TRUE(Form->Itones());
  EXPECT_EQ(Form->BorderClr(), 0x206020);
  Form->RevertMetroMode();
  PumpFor(5);
  HWND before = Form->Handle();
  SendMessageW(Form->Handle(), WM_TBREVERTMETRO, 0, 0);
  PumpFor(5);
  EXPECT_NE(Form->Handle(), before);
  EXPECT_TRUE(IsWindowVisible(Form->Handle()));
}

TEST_F(RibbonForm, SwappingRibbonAndDockPanelTakesTheOtherOffTheForm) {
  Make();
  auto* dock = new TAdvDockPanel(Form);
  dock->SetName(L"Dock");
  Form->InitDockPanelAndRibbon(dock, Pager);
  EXPECT_EQ(dock->Parent(), Form);
  EXPECT_EQ(Pager->Parent(), nullptr);
  EXPECT_FALSE(Form->SubclassAsRibbon());
  Form->SwitchFromDockPanelToRibbon(dock, Pager);
  EXPECT_EQ(Pager->Parent(), Form);
  EXPECT_EQ(dock->Parent(), nullptr);
  EXPECT_TRUE(Form->SubclassAsRibbon());
  EXPECT_FALSE(GetWindowLongPtrW(Form->Handle(), GWL_STYLE) & WS_DLGFRAME);
}

TEST_F(RibbonForm, AutoScaleScalesTheFormsContentsToTheScreen) {
  Make();
  auto* panel = new TPanel(Form);
  panel->SetParent(Form);
  panel->SetBounds(10, 200, 200, 40);
  Form->SetPixelsPerInch(Screen->PixelsPerInch() * 2);
  Form->SetAutoScale(true);
  EXPECT_EQ(panel->Width(), 100);
  EXPECT_EQ(panel->Height(), 20);
  EXPECT_EQ(Form->PixelsPerInch(), Screen->PixelsPerInch());
  EXPECT_FALSE(Form->Scaled());
}

// ---------------------------------------------------------------------------
// Glass, forced through the window manager's stand-ins

namespace {
std::vector<MARGINS> gExtended;
HRESULT gExtendAnswer = S_OK;
HRESULT ComposedYes(BOOL& Enabled) {
  Enabled = TRUE;
  return S_OK;
}
HRESULT RecordExtension(HWND, const MARGINS& M) {
  gExtended.push_back(M);
  return gExtendAnswer;
}
std::vector<POINT> gClicks;
void RecordClick(HWND, POINT P) { gClicks.push_back(P); }

struct GlassForm : RibbonForm {
  void SetUp() override {
    RibbonForm::SetUp();
    SetIsAeroAvailableSource([](TComponent*) { return true; });
    SetDwmCompositionSource(ComposedYes);
    SetDwmExtendFrameSink(RecordExtension);
    gExtended.clear();
    gExtendAnswer = S_OK;
    gClicks.clear();
    SetSynthesizedClickSink(RecordClick);
  }
};
}  // namespace

TEST_F(GlassForm, ActivationExtendsTheGlassOverTheCaptionAndTheTabs) {
  Make();
  ASSERT_TRUE(Form->IsAeroVista());
  EXPECT_EQ(Form->BorderStyle(), TFormBorderStyle::bsSizeable);
  gExtended.clear();
  Form->Perform(WM_ACTIVATE, WA_ACTIVE, 0);
  ASSERT_FALSE(gExtended.empty());
  EXPECT_EQ(gExtended.back().cyTopHeight, ScaledCaptionHeight + 2);
  EXPECT_EQ(gExtended.back().cxLeftWidth, 1);
  EXPECT_EQ(gExtended.back().cxRightWidth, 1);
  EXPECT_EQ(gExtended.back().cyBottomHeight, 1);
  EXPECT_TRUE(Form->GlassFrame()->Enabled());
  // Glass tabs in the scenic look add the tab height.
  SetGlobalWin7ScenicRibbon(true);
  Pager->TabSettings()->SetGlass(true);
  gExtended.clear();
  Form->Perform(WM_ACTIVATE, WA_ACTIVE, 0);
  ASSERT_FALSE(gExtended.empty());
  EXPECT_EQ(gExtended.back().cyTopHeight, Pager->TabSettings()->Height() - 1 + ScaledCaptionHeight + 3);
}

TEST_F(GlassForm, AFailingGlassExtensionStillActivatesTheForm) {
  Make();
  int activations = 0;
  Form->OnActivate = [&](TObject*) { ++activations; };
  gExtendAnswer = E_FAIL;
  SendMessageW(Form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(activations, 1);
  EXPECT_TRUE(Form->Active());
}

TEST_F(GlassForm, TheClientAreaCoversTheCaption) {
  Make();
  NCCALCSIZE_PARAMS params{};
  params.rgrc[0] = RECT{100, 100, 500, 400};
  SendMessageW(Form->Handle(), WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
  int k = GetSystemMetrics(SM_CXFRAME) - 1;
  EXPECT_EQ(params.rgrc[0].left, 100 + k);
  EXPECT_EQ(params.rgrc[0].top, 100);
  EXPECT_EQ(params.rgrc[0].right, 500 - k);
  EXPECT_EQ(params.rgrc[0].bottom, 400 - k);
}

TEST_F(GlassForm, TheSystemMenuRefreshClicksOnlyTheFormsOwnCaption) {
  Make(300, 200, 500, 300);
  RECT window;
  GetWindowRect(Form->Handle(), &window);
  SendMessageW(Form->Handle(), WM_TBFUPDATECONTEXTMENU, 0, 0);
  ASSERT_EQ(gClicks.size(), 1u);
  // On the form's caption where the form is, not at its width from the
  // screen's left edge.
  EXPECT_EQ(gClicks[0].x, window.right - 150);
  EXPECT_EQ(gClicks[0].y, window.top + 2);
  // Another window over that point: nothing is clicked.
  auto* other = new TForm(nullptr);
  other->SetBorderStyle(TFormBorderStyle::bsNone);
  other->SetFormStyle(TFormStyle::fsStayOnTop);
  other->SetBounds(window.right - 200, window.top - 20, 120, 60);
  other->ShowNoActivate();
  PumpFor(10);
  ASSERT_NE(GetAncestor(WindowFromPoint(gClicks[0]), GA_ROOT), Form->Handle());
  SendMessageW(Form->Handle(), WM_TBFUPDATECONTEXTMENU, 0, 0);
  EXPECT_EQ(gClicks.size(), 1u);
  other->Free();
}
