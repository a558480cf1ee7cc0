#include <gtest/gtest.h>

#include "base/ImgList.h"
#include "tests/controls/statusbar/StatusBarFixture.h"

using LayoutFixture = BarFixture;

TEST_F(LayoutFixture, PanelRectanglesFollowTheWidthsAndTheStretchPanel) {
  ASSERT_EQ(Bar->Width(), 400);
  ASSERT_EQ(Bar->Height(), 19);
  struct Case {
    std::vector<int> Widths;
    int Stretch;
    std::vector<TRect> Hit;    // GetPanelRect
    std::vector<TRect> Paint;  // the rectangles painted
  };
  const Case cases[] = {
      {{100, 50, 80}, -1,
       {TRect(0, 1, 100, 18), TRect(100, 1, 150, 18), TRect(150, 1, 399, 18)},
       {TRect(1, 0, 100, 18), TRect(100, 0, 150, 18), TRect(150, 0, 400, 18)}},
      // The stretch panel takes the free width; the last keeps its own when
      // painted and reaches the right edge when hit-tested.
      {{100, 50, 80}, 1,
       {TRect(0, 1, 100, 18), TRect(100, 1, 320, 18), TRect(320, 1, 399, 18)},
       {TRect(1, 0, 100, 18), TRect(100, 0, 320, 18), TRect(320, 0, 400, 18)}},
      // Panels wider than the bar: the stretch panel shrinks to nothing.
      {{300, 50, 200}, 1,
       {TRect(0, 1, 300, 18), TRect(300, 1, 300, 18), TRect(300, 1, 399, 18)},
       {TRect(1, 0, 300, 18), TRect(300, 0, 300, 18), TRect(300, 0, 500, 18)}},
      // A right edge at Width - 1 is painted one pixel short.
      {{399, 50}, -1, {TRect(0, 1, 399, 18), TRect(399, 1, 399, 18)}, {TRect(1, 0, 398, 18), TRect(399, 0, 400, 18)}},
  };
  for (const Case& c : cases) {
    Bar->Panels()->Clear();
    for (int w : c.Widths) AddPanel(w);
    Bar->SetStretchPanel(c.Stretch);
    for (size_t i = 0; i < c.Widths.size(); ++i) {
      EXPECT_EQ(Bar->GetPanelRect(static_cast<int>(i)), c.Hit[i]) << c.Stretch << " " << i;
      EXPECT_EQ(Bar->GetPanelPaintRect(static_cast<int>(i)), c.Paint[i]) << c.Stretch << " " << i;
    }
    Bar->SetStretchPanel(-1);
  }
  EXPECT_EQ(Bar->GetPanelRect(-1), TRect(-1, -1, -1, -1));
  EXPECT_EQ(Bar->GetPanelRect(2), TRect(-1, -1, -1, -1));
}

TEST_F(LayoutFixture, EveryPointHitsAPanelAndASharedEdgeTheLeftOne) {
  EXPECT_EQ(Bar->GetPanel(10), -1);  // no panels
  AddPanel(100);
  AddPanel(50);
  AddPanel(80);
  for (int stretch : {-1, 0, 2}) {
    Bar->SetStretchPanel(stretch);
    for (int x = 0; x < Bar->Width(); ++x) EXPECT_GE(Bar->GetPanel(x), 0) << x;
  }
  Bar->SetStretchPanel(-1);
  const std::pair<int, int> hits[] = {{0, 0}, {99, 0}, {100, 0}, {101, 1}, {150, 1}, {151, 2}, {399, 2}, {400, -1}};
  for (auto [x, want] : hits) EXPECT_EQ(Bar->GetPanel(x), want) << x;
  const std::pair<int, int> splitters[] = {{98, -1}, {99, 0}, {101, 0}, {102, -1}, {148, -1}, {149, 1}, {151, 1}};
  for (auto [x, want] : splitters) EXPECT_EQ(Bar->GetSplitterAt(x), want) << x;
  // Stretch panel values outside the panels are ignored.
  Bar->SetStretchPanel(1);
  Bar->SetStretchPanel(3);
  Bar->SetStretchPanel(-2);
  EXPECT_EQ(Bar->StretchPanel(), 1);
  // In simple mode no panel is hit.
  EXPECT_EQ(Bar->IndexOfPanel(Bar->Panels()->Items(2)), 2);
  EXPECT_EQ(Bar->IndexOfPanel(nullptr), -1);
  EXPECT_TRUE(Bar->IsLastPanel(Bar->Panels()->Items(2)));
}

namespace {
LRESULT HitTestAt(TAdvOfficeStatusBar* Bar, int X, int Y) {
  TPoint s = Bar->ClientToScreen(TPoint(X, Y));
  return Bar->Perform(WM_NCHITTEST, 0, MAKELPARAM(s.x, s.y));
}
}  // namespace

TEST_F(LayoutFixture, TheGripSizesTheFormAndTheEdgesLetTheFormAnswer) {
  const int w = Bar->Width(), h = Bar->Height();
  const int gx = GetSystemMetrics(SM_CXHSCROLL), gy = GetSystemMetrics(SM_CYHSCROLL);
  struct Case {
    const char* Name;
    TFormBorderStyle Border;
    bool SizeGrip;
    int X, Y;
    LRESULT Want;
  };
  const Case cases[] = {
      {"grip corner", TFormBorderStyle::bsSizeable, true, w - 2, h - 2, HTBOTTOMRIGHT},
      {"grip corner, tool window", TFormBorderStyle::bsSizeToolWin, true, w - gx + 1, h - gy + 1, HTBOTTOMRIGHT},
      {"just outside the grip", TFormBorderStyle::bsSizeable, true, w - gx, h - 2, HTTRANSPARENT},
      {"right edge above the grip", TFormBorderStyle::bsSizeable, true, w - 3, h - gy, HTTRANSPARENT},
      {"right of the grip's left edge", TFormBorderStyle::bsSizeable, true, w - 4, h - gy, HTCLIENT},
      {"bottom edge", TFormBorderStyle::bsSizeable, true, 50, h - 3, HTTRANSPARENT},
      {"inside", TFormBorderStyle::bsSizeable, true, 50, 5, HTCLIENT},
      {"edge without grip", TFormBorderStyle::bsSizeable, false, w - 2, h - 2, HTTRANSPARENT},
      {"fixed form", TFormBorderStyle::bsSingle, true, w - 2, h - 2, HTCLIENT},
      {"dialog", TFormBorderStyle::bsDialog, true, w - 3, h - gy, HTCLIENT},
  };
  for (const Case& c : cases) {
    Form->SetBorderStyle(c.Border);
    Bar->SetSizeGrip(c.SizeGrip);
    EXPECT_EQ(HitTestAt(Bar, c.X, c.Y), c.Want) << c.Name;
  }
  // Flat mode keeps the client answer.
  Form->SetBorderStyle(TFormBorderStyle::bsSizeable);
  Bar->SetSizeGrip(true);
  TColorTones tones;
  MetroColorTones(true, 0x996633, clNone, tones);
  Bar->SetColorTones(tones);
  EXPECT_EQ(HitTestAt(Bar, w - 2, h - 2), HTCLIENT);
}

TEST_F(LayoutFixture, TheGripShowsOnlyOnASizeableFormThatIsNotMaximized) {
  EXPECT_TRUE(Bar->IsSizeGripVisible());
  Form->SetBorderStyle(TFormBorderStyle::bsSingle);
  EXPECT_FALSE(Bar->IsSizeGripVisible());
  Form->SetBorderStyle(TFormBorderStyle::bsSizeable);
  Form->SetWindowState(TWindowState::wsMaximized);
  Form->Show();
  EXPECT_FALSE(Bar->IsSizeGripVisible());
  Form->SetWindowState(TWindowState::wsNormal);
  EXPECT_TRUE(Bar->IsSizeGripVisible());
  Form->Hide();
  Bar->SetSizeGrip(false);
  EXPECT_FALSE(Bar->IsSizeGripVisible());
  // A form with a ribbon pager is sizeable by its own frame.
  struct TAdvToolBarPager : TCustomControl {
    VANTREL_CLASS(TAdvToolBarPager)
    using TCustomControl::TCustomControl;
  };
  Bar->SetSizeGrip(true);
  Form->SetBorderStyle(TFormBorderStyle::bsNone);
  EXPECT_FALSE(Bar->IsSizeGripVisible());
  auto* pager = new TAdvToolBarPager(Form);
  pager->SetParent(Form);
  EXPECT_TRUE(Bar->IsSizeGripVisible());
  // Without a form there is no grip.
  auto* loose = new TAdvOfficeStatusBar(nullptr);
  EXPECT_FALSE(loose->IsSizeGripVisible());
  loose->Free();
}

TEST_F(LayoutFixture, AutomaticWidthsMeasureTheContent) {
  Bar->SetAntiAlias(TAntiAlias::aaNone);
  TImageList* images = MakeImages(Form, {clRed}, 16);
  Bar->SetImages(images);
  auto width = [&](const String& s) -> int {
    Bar->Canvas()->Font()->Assign(Bar->Font());
    TRect r(0, 0, 1000, 100);
    Bar->Canvas()->TextRect(r, s, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    return r.Width();
  };
  TAdvOfficeStatusPanel* text = AddPanel(10, PS::psText, L"a longer status text");
  TAdvOfficeStatusPanel* lock = AddPanel(10, PS::psCapsLock);
  TAdvOfficeStatusPanel* tiny = AddPanel(10, PS::psText, L"i");
  TAdvOfficeStatusPanel* image = AddPanel(10, PS::psImage, L"img");
  image->SetImageIndex(0);
  TAdvOfficeStatusPanel* empty = AddPanel(10, PS::psText);
  TAdvOfficeStatusPanel* html = AddPanel(10, PS::psHTML, L"<b>bold</b> text");
  TAdvOfficeStatusPanel* last = AddPanel(10, PS::psText, L"last");
  for (TAdvOfficeStatusPanel* p : {text, lock, tiny, image, empty, html, last}) p->SetAutoSize(true);
  EXPECT_EQ(text->Width(), width(L"a longer status text") + 12);
  EXPECT_EQ(lock->Width(), Max(20, width(L"CAP") + 12));  // the widest state, key on or off
  EXPECT_EQ(tiny->Width(), 20);                          // MinWidth
  EXPECT_EQ(image->Width(), width(L"img") + 16 + 12);
  EXPECT_EQ(empty->Width(), 10);  // nothing to measure
  EXPECT_GT(html->Width(), width(L"bold text"));
  // The last panel leaves room for the grip while SizeGrip is on, even when
  // the form cannot be sized.
  Form->SetBorderStyle(TFormBorderStyle::bsSingle);
  last->SetText(L"last!");
  EXPECT_EQ(last->Width(), width(L"last!") + 12 + 16);
  Bar->SetSizeGrip(false);
  last->SetText(L"last");
  EXPECT_EQ(last->Width(), width(L"last") + 12);
}

namespace {
int gPpi = 96;
int FixedPpi(HWND) { return gPpi; }
}  // namespace

TEST(StatusBarLoading, HeightAndWidthsScaleWithTheMonitorAndTheHeightIsOdd) {
  SetMonitorPixelsPerInchSource(FixedPpi);
  struct Case {
    int Ppi, Height, Width;
    int WantHeight, WantWidth;
  };
  const Case cases[] = {{96, 19, 120, 19, 120}, {96, 20, 120, 21, 120}, {144, 19, 120, 29, 180},
                        {120, 22, 50, 29, 62}};  // 27.5 rounds to 28 (even), 62.5 to 62
  for (const Case& c : cases) {
    gPpi = c.Ppi;
    auto* form = new TForm(nullptr);
    form->BeginLoading();
    auto* bar = new TAdvOfficeStatusBar(form);
    bar->SetParent(form);
    bar->SetHeight(c.Height);
    bar->Panels()->Add()->SetWidth(c.Width);
    form->EndLoading();
    EXPECT_EQ(bar->Height(), c.WantHeight) << c.Ppi << " " << c.Height;
    EXPECT_EQ(bar->Panels()->Items(0)->Width(), c.WantWidth) << c.Ppi;
    form->Free();
  }
  SetMonitorPixelsPerInchSource(nullptr);
}

TEST_F(LayoutFixture, RescalingScalesThePanelsAndWithTheSystemFontOnlyThePosition) {
  AddPanel(100);
  Bar->SetTop(40);
  int height = Bar->Height();
  Bar->ChangeScale(3, 2);
  EXPECT_EQ(Bar->Panels()->Items(0)->Width(), 150);
  EXPECT_EQ(Bar->Height(), height);
  Bar->SetUseSystemFont(false);
  Bar->ChangeScale(2, 3);
  EXPECT_EQ(Bar->Panels()->Items(0)->Width(), 100);
}

TEST_F(LayoutFixture, TheSystemFontIsTheHintFontUntilParentFontIsChosen) {
  Bar->SetUseSystemFont(true);
  EXPECT_EQ(Bar->Font()->Name(), Screen->HintFont()->Name());
  EXPECT_FALSE(Bar->ParentFont());
  Bar->SetParentFont(true);
  EXPECT_FALSE(Bar->UseSystemFont());
  // The text length the platform asks for is the simple text's.
  Bar->SetSimpleText(L"12345");
  EXPECT_EQ(SendMessageW(Bar->Handle(), WM_GETTEXTLENGTH, 0, 0), 5);
}

TEST_F(LayoutFixture, ASystemSettingsChangeBringsTheSystemFontBack) {
  Bar->SetUseSystemFont(true);
  const String system = Screen->HintFont()->Name();
  Bar->Font()->SetName(system == L"Tahoma" ? L"Courier New" : L"Tahoma");
  SendMessageW(Form->Handle(), WM_SETTINGCHANGE, 1, 0);  // another setting
  EXPECT_NE(Bar->Font()->Name(), system);
  SendMessageW(Form->Handle(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
  EXPECT_EQ(Bar->Font()->Name(), system);
  // A change of the system colours makes a new window.
  HWND before = Bar->Handle();
  SendMessageW(Form->Handle(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_TRUE(Bar->HandleAllocated());
  EXPECT_NE(Bar->Handle(), before);
}
