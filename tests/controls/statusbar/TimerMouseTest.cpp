#include <gtest/gtest.h>

#include "base/FormatSettings.h"
#include "base/ImgList.h"
#include "tests/controls/statusbar/StatusBarFixture.h"

using TimerFixture = BarFixture;

TEST_F(TimerFixture, TheTimerRunsWithTheWindowAndCountsElevenTicks) {
  EXPECT_EQ(Bar->TimerCount(), 0);
  std::vector<int> counts;
  for (int i = 0; i < 13; ++i) {
    Tick();
    counts.push_back(Bar->TimerCount());
  }
  EXPECT_EQ(counts, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 1, 2}));
  // A new window starts its timer again.
  auto* bar = new TAdvOfficeStatusBar(Form);
  bar->SetParent(Form);
  EXPECT_NE(bar->TimerID(), 0u);
  bar->Free();
}

TEST_F(TimerFixture, BlinkingTextIsSetAgainOnTicksFiveAndTen) {
  TAdvOfficeStatusPanel* blink = AddPanel(100, PS::psHTML, L"new <blink>version</blink>");
  AddPanel(100, PS::psHTML, L"steady");
  std::vector<int> repaints;
  for (int i = 0; i < 11; ++i) {
    Validate();
    int before = Bar->TimerCount();
    Tick();
    if (Invalid()) repaints.push_back(before);
  }
  EXPECT_EQ(repaints, (std::vector<int>{5, 10}));
  EXPECT_EQ(blink->Text(), L"new <blink>version</blink>");
}

namespace {
TDateTime FixedNow() { return EncodeDate(2024, 3, 9) + EncodeTime(14, 5, 6, 0); }
}  // namespace

TEST_F(TimerFixture, ClockPanelsShowTheTimeAndDateInTheirFormats) {
  SetNowSource(FixedNow);
  TAdvOfficeStatusPanel* time = AddPanel(100, PS::psTime);
  TAdvOfficeStatusPanel* date = AddPanel(100, PS::psDate);
  time->SetTimeFormat(L"hh:nn:ss");
  date->SetDateFormat(L"yyyy-mm-dd");
  Tick();
  EXPECT_EQ(time->Text(), FormatDateTime(L"hh:nn:ss", FixedNow()));
  EXPECT_EQ(time->Text().substr(0, 2), L"14");
  EXPECT_EQ(date->Text(), L"2024-03-09");
  // The same time again repaints nothing.
  Validate();
  Tick();
  EXPECT_FALSE(Invalid());
  SetNowSource(nullptr);
}

TEST_F(TimerFixture, LockKeyPanelsFollowTheKeyboardState) {
  TAdvOfficeStatusPanel* num = AddPanel(40, PS::psNumLock);
  TAdvOfficeStatusPanel* caps = AddPanel(40, PS::psCapsLock);
  TAdvOfficeStatusPanel* scroll = AddPanel(40, PS::psScrollLock);
  BYTE saved[256];
  GetKeyboardState(saved);
  auto set = [&](bool n, bool c, bool s) {
    BYTE state[256];
    memcpy(state, saved, sizeof(state));
    state[VK_NUMLOCK] = n ? 1 : 0;
    state[VK_CAPITAL] = c ? 1 : 0;
    state[VK_SCROLL] = s ? 1 : 0;
    SetKeyboardState(state);
    Tick();
  };
  set(true, false, true);
  EXPECT_EQ(num->Text(), L"NUM");
  EXPECT_EQ(caps->Text(), L"");
  EXPECT_EQ(scroll->Text(), L"SCRL");
  set(false, true, false);
  EXPECT_EQ(num->Text(), L"");
  EXPECT_EQ(caps->Text(), L"CAP");
  EXPECT_EQ(scroll->Text(), L"");
  SetKeyboardState(saved);
}

TEST_F(TimerFixture, AnimationFramesAdvanceEveryDelayPlusOneTicks) {
  TImageList* frames = MakeImages(Form, {clRed, clLime, clBlue});
  struct Case {
    int Delay;
    std::vector<int> Frames;  // the frame after each of 12 ticks (counts 0..10, 0)
  };
  const Case cases[] = {
      {0, {1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0}},
      // Ticks with counts 0, 2, 4, 6, 8, 10 and 0 again: twice in a row
      // across the wrap.
      {1, {1, 1, 2, 2, 0, 0, 1, 1, 2, 2, 0, 1}},
  };
  for (const Case& c : cases) {
    Bar->Panels()->Clear();
    while (Bar->TimerCount() != 0) Tick();
    TAdvOfficeStatusPanel* p = AddPanel(100, PS::psAnimation, L"busy");
    p->SetAnimationImages(frames);
    p->SetAnimationDelay(c.Delay);
    std::vector<int> got;
    for (int i = 0; i < 12; ++i) {
      Tick();
      got.push_back(p->AnimIndex());
    }
    EXPECT_EQ(got, c.Frames) << c.Delay;
    EXPECT_EQ(p->Text(), L"busy");
  }
  // Frames show only while Animated: frame 0 otherwise.
  TAdvOfficeStatusPanel* p = Bar->Panels()->Items(0);
  while (p->AnimIndex() != 1) Tick();
  const int x = 1 + 2 + 2 + 8, y = 9;
  EXPECT_EQ(PixelAt(Paint().get(), x, y), clRed);
  p->SetAnimated(true);
  EXPECT_EQ(PixelAt(Paint().get(), x, y), clLime);
  // The list going away leaves the panel.
  frames->Free();
  EXPECT_EQ(p->AnimationImages(), nullptr);
}

// ---------------------------------------------------------------------------
// Mouse

using MouseFixture = BarFixture;

TEST_F(MouseFixture, PanelClicksFireOnThePressForEveryPanel) {
  std::vector<std::pair<char, int>> events;
  Bar->OnPanelClick = [&](TObject* s, int i) {
    EXPECT_EQ(s, Bar);
    events.push_back({'L', i});
  };
  Bar->OnPanelRightClick = [&](TObject*, int i) { events.push_back({'R', i}); };
  Bar->OnPanelDblClick = [&](TObject*, int i) { events.push_back({'D', i}); };
  Mouse(WM_LBUTTONDOWN, 50, 5);  // no panels yet
  Mouse(WM_LBUTTONUP, 50, 5);
  AddPanel(100);
  AddPanel(100)->SetButton(true);
  Mouse(WM_LBUTTONDOWN, 50, 5);
  EXPECT_EQ(events.back(), std::make_pair('L', 0));
  Mouse(WM_LBUTTONUP, 50, 5);
  Mouse(WM_RBUTTONDOWN, 150, 5);
  Mouse(WM_RBUTTONUP, 150, 5);
  Mouse(WM_LBUTTONDBLCLK, 150, 5);
  Mouse(WM_LBUTTONUP, 150, 5);
  EXPECT_EQ(events, (std::vector<std::pair<char, int>>{{'L', -1}, {'L', 0}, {'R', 1}, {'L', 1}, {'D', 1}}));
}

TEST_F(MouseFixture, ButtonPanelsAreHotAndPressedOnlyInsideTheBar) {
  AddPanel(100);
  AddPanel(100)->SetButton(true);
  AddPanel(100)->SetButton(true);
  struct Case {
    const char* Name;
    UINT Msg;
    int X, Y;
    int Hot, Down;
  };
  const int h = Bar->Height();
  const Case cases[] = {
      {"over a plain panel", WM_MOUSEMOVE, 50, 5, -1, -1},
      {"over a button", WM_MOUSEMOVE, 150, 5, 1, -1},
      {"top row", WM_MOUSEMOVE, 250, 0, -1, -1},
      {"another button", WM_MOUSEMOVE, 250, 5, 2, -1},
      {"press on the top row", WM_LBUTTONDOWN, 150, 0, 2, -1},
      {"release", WM_LBUTTONUP, 150, 0, 2, -1},
      {"press at the height", WM_LBUTTONDOWN, 150, h, 2, -1},
      {"release", WM_LBUTTONUP, 150, 5, 2, -1},
      {"press", WM_LBUTTONDOWN, 150, 5, 2, 1},
      {"press elsewhere", WM_RBUTTONDOWN, 250, 5, 2, 2},
      {"release", WM_RBUTTONUP, 250, 5, 2, -1},
      {"press a plain panel", WM_LBUTTONDOWN, 50, 5, 2, -1},
      {"past the panels", WM_MOUSEMOVE, 450, 5, -1, -1},
  };
  for (const Case& c : cases) {
    Mouse(c.Msg, c.X, c.Y, c.Msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0);
    EXPECT_EQ(Bar->HotPanelIndex(), c.Hot) << c.Name;
    EXPECT_EQ(Bar->DownPanelIndex(), c.Down) << c.Name;
  }
  Mouse(WM_LBUTTONUP, 50, 5);
  Mouse(WM_MOUSEMOVE, 150, 5);
  Mouse(WM_LBUTTONDOWN, 150, 5, MK_LBUTTON);
  ASSERT_EQ(Bar->DownPanelIndex(), 1);
  // Leaving the bar releases both.
  Validate();
  Bar->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(Bar));
  EXPECT_EQ(Bar->HotPanelIndex(), -1);
  EXPECT_EQ(Bar->DownPanelIndex(), -1);
  TRect r;
  ASSERT_TRUE(Invalid(&r));
  EXPECT_EQ(r, Bar->GetPanelRect(1));
}

namespace {
// The bounding box of pixels of one colour in a bitmap.
TRect InkBox(TBitmap* B, TColor Color, int Tolerance) {
  TRect box(10000, 10000, -1, -1);
  for (int y = 0; y < B->Height(); ++y)
    for (int x = 0; x < B->Width(); ++x)
      if (CountPixels(B, TRect(x, y, x + 1, y + 1), Color, Tolerance)) {
        box.left = Min<LONG>(box.left, x), box.top = Min<LONG>(box.top, y);
        box.right = Max<LONG>(box.right, x + 1), box.bottom = Max<LONG>(box.bottom, y + 1);
      }
  return box;
}
}  // namespace

// Links are found where they are drawn: a centred link in a tall bar lies
// well below the top of the panel.
TEST_F(MouseFixture, LinksAreFoundWhereTheyAreDrawn) {
  Form->SetClientHeight(200);
  Bar->SetHeight(61);
  Bar->SetAntiAlias(TAntiAlias::aaNone);
  Bar->SetURLColor(0x00C000);
  AddPanel(100, PS::psText, L"plain");
  TAdvOfficeStatusPanel* p = AddPanel(200, PS::psHTML, L"see <a href=\"app:update\" title=\"Update\">here</a>");
  AddPanel(50);
  for (TAlignment a : {TAlignment::taLeftJustify, TAlignment::taCenter, TAlignment::taRightJustify}) {
    p->SetAlignment(a);
    auto b = Paint();
    TRect link = InkBox(b.get(), 0x00C000, 40);
    ASSERT_GT(link.right, link.left) << static_cast<int>(a);
    EXPECT_GT(link.top, 15);  // centred in 61 pixels
    String anchor, title;
    const int cx = (link.left + link.right) / 2, cy = (link.top + link.bottom) / 2;
    Bar->GetAnchorAt(cx, cy, anchor, title);
    EXPECT_EQ(anchor, L"app:update") << static_cast<int>(a);
    EXPECT_EQ(title, L"Update");
    Bar->GetAnchorAt(cx, link.top - 12, anchor, title);
    EXPECT_EQ(anchor, L"") << static_cast<int>(a);
    Bar->GetAnchorAt(link.right + 30, cy, anchor, title);
    EXPECT_EQ(anchor, L"") << static_cast<int>(a);
  }
  // Plain-text panels draw no links.
  Bar->Panels()->Items(0)->SetText(L"<a href=\"x\">link</a>");
  String anchor, title;
  Bar->GetAnchorAt(20, 30, anchor, title);
  EXPECT_EQ(anchor, L"");
}

TEST_F(MouseFixture, EnteringALinkFiresOnceAndLeavingItOnce) {
  Form->SetClientHeight(200);
  Bar->SetHeight(61);
  Bar->SetURLColor(0x00C000);
  Bar->SetAntiAlias(TAntiAlias::aaNone);
  AddPanel(300, PS::psHTML, L"<a href=\"app:one\">first link</a>");
  AddPanel(50);
  auto b = Paint();
  TRect link = InkBox(b.get(), 0x00C000, 40);
  ASSERT_GT(link.right, link.left);
  const int cy = (link.top + link.bottom) / 2;
  std::vector<String> events;
  Bar->OnAnchorEnter = [&](TObject*, const String& a) { events.push_back(L"enter " + a); };
  Bar->OnAnchorExit = [&](TObject*, const String& a) { events.push_back(L"exit " + a); };
  Mouse(WM_MOUSEMOVE, link.left + 2, cy);
  EXPECT_EQ(Bar->Cursor(), crHandPoint);
  Mouse(WM_MOUSEMOVE, link.left + 5, cy);
  Mouse(WM_MOUSEMOVE, link.right + 40, cy);
  EXPECT_EQ(Bar->Cursor(), crDefault);
  Mouse(WM_MOUSEMOVE, link.right + 41, cy);
  Mouse(WM_MOUSEMOVE, link.left + 3, cy);
  EXPECT_EQ(events, (std::vector<String>{L"enter app:one", L"exit ", L"enter app:one"}));
}

TEST_F(MouseFixture, AtDesignTimeSplittersDragPanelWidths) {
  AddPanel(100);
  AddPanel(100);
  Bar->SetDesigning(true);
  auto designHit = [&](int X) { return Bar->Perform(CM_DESIGNHITTEST, 0, MAKELPARAM(X, 5)); };
  EXPECT_EQ(designHit(100), 1);
  EXPECT_EQ(designHit(50), 0);
  // A press beside the splitters starts nothing.
  Mouse(WM_LBUTTONDOWN, 50, 5, MK_LBUTTON);
  Mouse(WM_MOUSEMOVE, 80, 5, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, 80, 5);
  EXPECT_EQ(Bar->Panels()->Items(0)->Width(), 100);
  Mouse(WM_LBUTTONDOWN, 101, 5, MK_LBUTTON);
  Mouse(WM_MOUSEMOVE, 131, 5, MK_LBUTTON);
  EXPECT_EQ(Bar->Panels()->Items(0)->Width(), 130);
  EXPECT_EQ(designHit(300), 1);  // while dragging the bar keeps the mouse
  Mouse(WM_LBUTTONUP, 131, 5);
  Mouse(WM_MOUSEMOVE, 160, 5);
  EXPECT_EQ(Bar->Panels()->Items(0)->Width(), 130);
  Bar->SetDesigning(false);
}
