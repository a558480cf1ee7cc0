// A toolbar as its form's menu bar: the buttons it makes from the menu, the
// place a menu drops, and the keyboard menu mode driven by real keys on the
// screen (Alt, letters, arrows, Enter, Escape). Menu mode and the menus run
// loops of their own: the keys are typed by a script that runs from a
// thread timer inside those loops, one step whenever the state it waits for
// holds; when the budget of ticks runs out, the script ends the menu and
// menu mode itself and reports the step that never came.
#include <windows.h>

#include "base/StdCtrls.h"
#include "tests/controls/menus/MenuDriver.h"
#include "tests/toolbar/bars/BarsTestSupport.h"
#include "tests/toolbar/bars/MenuBarForm.h"

namespace {

void AltTap() {
  keybd_event(VK_MENU, static_cast<BYTE>(MapVirtualKeyW(VK_MENU, MAPVK_VK_TO_VSC)), 0, 0);
  keybd_event(VK_MENU, static_cast<BYTE>(MapVirtualKeyW(VK_MENU, MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP, 0);
}

void AltWith(WORD Key) {
  BYTE alt = static_cast<BYTE>(MapVirtualKeyW(VK_MENU, MAPVK_VK_TO_VSC));
  BYTE scan = static_cast<BYTE>(MapVirtualKeyW(Key, MAPVK_VK_TO_VSC));
  keybd_event(VK_MENU, alt, 0, 0);
  keybd_event(static_cast<BYTE>(Key), scan, 0, 0);
  keybd_event(static_cast<BYTE>(Key), scan, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_MENU, alt, KEYEVENTF_KEYUP, 0);
}

class KeyScript {
 public:
  explicit KeyScript(TAdvCustomToolBar* Bar) : FBar(Bar) {}
  void Then(const char* Name, std::function<bool()> Ready, std::function<void()> Act) {
    FSteps.push_back({Name, std::move(Ready), std::move(Act)});
  }
  // Runs the steps; True when every one ran.
  bool Run(int MaxTicks = 1500) {
    FMaxTicks = MaxTicks;
    Current = this;
    UINT_PTR id = SetTimer(nullptr, 0, 10, &Tick);
    PumpUntil([this] { return FNext == FSteps.size() || FAborted; }, 60000);
    // Whatever is still open ends here, so that no loop is left behind.
    if (FBar->InMenuLoop()) FBar->EndMenuMode();
    KillTimer(nullptr, id);
    Current = nullptr;
    PumpFor(20);
    return FNext == FSteps.size();
  }
  std::string Stuck() const { return FNext < FSteps.size() ? FSteps[FNext].Name : ""; }

 private:
  struct Step {
    const char* Name;
    std::function<bool()> Ready;
    std::function<void()> Act;
  };
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    KeyScript* s = Current;
    if (!s || s->FBusy || s->FAborted || s->FNext >= s->FSteps.size()) return;
    s->FBusy = true;
    if (++s->FTicks > s->FMaxTicks) {
      s->FAborted = true;
      EndMenu();
      s->FBar->EndMenuMode();
    } else if (s->FSteps[s->FNext].Ready()) {
      Step& step = s->FSteps[s->FNext++];
      if (step.Act) step.Act();
    }
    s->FBusy = false;
  }
  static inline KeyScript* Current = nullptr;
  TAdvCustomToolBar* FBar;
  std::vector<Step> FSteps;
  size_t FNext = 0;
  int FTicks = 0, FMaxTicks = 0;
  bool FBusy = false, FAborted = false;
};

struct MenuBarFixture : ::testing::Test {
  TMenuBarForm F;
  TEdit* Text = nullptr;
  void SetUp() override {
    ResetToolBarState();
    // The pointer stays clear of the menus: one under it would select its
    // entry.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
    F = MakeMenuBarForm();
    Text = dynamic_cast<TEdit*>(F.Form->FindComponent(L"Text"));
    ASSERT_TRUE(Text);
  }
  void TearDown() override {
    F.Form->Free();
    ResetToolBarState();
  }
  TAdvCustomToolBarButton* Hot() { return F.Bar->HotButton(); }
  bool IsHot(TMenuItem* Top) { return Hot() && Hot() == F.ButtonOf(Top); }
  // The open menu shows Top's entries with the entry called Selected
  // highlighted.
  bool Open(const String& Entry, const String& Selected) {
    TAdvPopupMenu* m = F.Bar->ActiveMenu();
    if (!F.Bar->MenuDropped() || !m || OpenMenuWindows().empty()) return false;
    TMenuItem* e = F.Item(Entry);
    TMenuItem* s = ToolBarMenuSelectedItem();
    return e && e->Parent() == m->Items() && s && s == F.Item(Selected);
  }
};

using MenuBar = MenuBarFixture;

TEST_F(MenuBar, MakesOneButtonPerTopLevelItemAndFollowsTheMenu) {
  std::vector<String> captions;
  for (int i = 0; i < F.Bar->ToolBarControlCount(); ++i) {
    auto* b = dynamic_cast<TAdvToolBarMenuButton*>(F.Bar->ToolBarControls(i));
    ASSERT_TRUE(b);
    EXPECT_TRUE(b->ShowCaption());
    EXPECT_TRUE(b->Visible());
    captions.push_back(b->Caption());
  }
  EXPECT_EQ(captions, (std::vector<String>{L"&File", L"&Edit", L"&View"}));
  EXPECT_TRUE(F.Bar->ControlStyle().Contains(TControlStyleItem::csMenuEvents));
  EXPECT_FALSE(F.Bar->ControlStyle().Contains(TControlStyleItem::csAcceptsControls));
  // An invisible item gives an invisible button; a new item a new button.
  F.View->SetVisible(false);
  auto* help = new TMenuItem(F.Form);
  help->SetCaption(L"&Help");
  F.Menu->Items()->Add(help);
  F.Bar->UpdateMenu();
  ASSERT_EQ(F.Bar->ToolBarControlCount(), 4);
  EXPECT_FALSE(F.ButtonOf(F.View)->Visible());
  EXPECT_EQ(F.ButtonOf(help)->Caption(), L"&Help");
  F.Bar->SetMenu(nullptr);
  EXPECT_EQ(F.Bar->ToolBarControlCount(), 0);
}

TEST_F(MenuBar, AMenuButtonTakesHoverAndPressedColoursFromTheMenuStylersRootItem) {
  constexpr TColor Green = 0x00C000, Red = 0x0000C0, Blue = 0xC00000;
  TRootItem* root = F.Bar->CurrentToolBarStyler()->CurrentAdvMenuStyler()->RootItem();
  root->SetHoverColor(0, Green);
  root->SetHoverColor(1, clNone);
  root->SetSelectedColor(0, Red);
  root->SetSelectedColor(1, clNone);
  F.Bar->CurrentToolBarStyler()->ButtonAppearance()->SetColorHot(Blue);
  TAdvCustomToolBarButton* edit = F.ButtonOf(F.Edit);
  edit->Appearance()->SetColorChecked(Blue);
  auto middle = [&] {
    TOwned<TBitmap> bmp(PaintToBitmap(F.Bar));
    return PixelAt(bmp, edit->Left() + 3, edit->Top() + edit->Height() / 2);
  };
  edit->SetHot(true);
  EXPECT_EQ(middle(), Green);
  edit->SetHot(false);
  // A press drops the menu; while it is open the button shows pressed.
  TColor whileOpen = clNone;
  TMenuIdleHook hook([&](HWND) {
    whileOpen = middle();
    EndMenu();
  });
  edit->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  EXPECT_TRUE(hook.Ran());
  EXPECT_EQ(whileOpen, Red);
  edit->Perform(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  PumpFor(20);
  // Latched colours are always the button's own.
  edit->SetGroupIndex(1);
  edit->SetDown(true);
  EXPECT_EQ(middle(), Blue);
}

TEST_F(MenuBar, AMenuNearTheScreensEdgesOpensAboveAndInsideTheMonitor) {
  TAdvCustomToolBarButton* file = F.ButtonOf(F.File);
  auto* probe = new TAdvPopupMenu(F.Form);
  for (int i = 0; i < 3; ++i) {
    auto* m = new TMenuItem(F.Form);
    m->SetCaption(L"Entry");
    probe->Items()->Add(m);
  }
  TPoint below = file->ClientToScreen(TPoint(0, file->ClientHeight()));
  EXPECT_EQ(F.Bar->MenuDropPoint(file, probe, 100), below);
  int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  F.Form->SetBounds(sw - 150, sh - 60, 140, 60);
  PumpFor(20);
  TPoint top = file->ClientToScreen(TPoint(0, 0));
  TPoint p = F.Bar->MenuDropPoint(file, probe, 100);
  EXPECT_LT(p.y, top.y - 4);  // above the button
  EXPECT_EQ(p.x, sw - 100 - 52);
}

TEST_F(MenuBar, AltHighlightsTheFirstButtonArrowsMoveAndEscapeStepsBack) {
  ASSERT_TRUE(FocusForInput(F.Form, Text));
  KeyScript s(F.Bar);
  s.Then("start", [] { return true; }, [] { AltTap(); });
  s.Then("menu mode, File hot", [&] { return F.Bar->InMenuLoop() && IsHot(F.File); }, [] { PressKey(VK_RIGHT); });
  s.Then("Edit hot", [&] { return IsHot(F.Edit); }, [] { PressKey(VK_RIGHT); });
  s.Then("View hot", [&] { return IsHot(F.View); }, [] { PressKey(VK_RIGHT); });
  s.Then("wrapped to File", [&] { return IsHot(F.File); }, [] { PressKey(VK_LEFT); });
  s.Then("wrapped back to View", [&] { return IsHot(F.View); }, [] { PressKey(VK_RIGHT); });
  s.Then("File again", [&] { return IsHot(F.File); }, [] { PressKey(VK_DOWN); });
  s.Then("File open on New", [&] { return Open(L"New", L"New"); }, [] { PressKey(VK_ESCAPE); });
  s.Then("closed, File hot in menu mode",
         [&] { return !F.Bar->MenuDropped() && F.Bar->InMenuLoop() && IsHot(F.File); },
         [] { PressKey(VK_ESCAPE); });
  s.Then("menu mode over", [&] { return !F.Bar->InMenuLoop(); }, nullptr);
  EXPECT_TRUE(s.Run()) << "stuck at: " << s.Stuck();
  EXPECT_EQ(Hot(), nullptr);
  // The borrowed entries are back under their item.
  EXPECT_EQ(F.File->Count(), 3);
  EXPECT_EQ(F.Bar->ActiveMenu(), nullptr);
}

TEST_F(MenuBar, RightAndLeftInAnOpenMenuOpenTheNeighboursMenu) {
  ASSERT_TRUE(FocusForInput(F.Form, Text));
  KeyScript s(F.Bar);
  s.Then("start", [] { return true; }, [] { AltTap(); });
  s.Then("menu mode", [&] { return F.Bar->InMenuLoop() && IsHot(F.File); }, [] { PressKey(VK_DOWN); });
  s.Then("File open", [&] { return Open(L"New", L"New"); }, [] { PressKey(VK_RIGHT); });
  s.Then("Edit open", [&] { return Open(L"Undo", L"Undo"); }, [] { PressKey(VK_LEFT); });
  s.Then("File open again", [&] { return Open(L"New", L"New"); }, [] { PressKey(VK_ESCAPE); });
  s.Then("closed", [&] { return !F.Bar->MenuDropped() && F.Bar->InMenuLoop(); }, [] { PressKey(VK_ESCAPE); });
  s.Then("over", [&] { return !F.Bar->InMenuLoop(); }, nullptr);
  EXPECT_TRUE(s.Run()) << "stuck at: " << s.Stuck();
  EXPECT_EQ(F.File->Count(), 3);
  EXPECT_EQ(F.Edit->Count(), 2);
}

TEST_F(MenuBar, AltAndALetterOpensThatMenuAndEnterChoosesAndEndsMenuMode) {
  int undone = 0;
  F.Item(L"Undo")->OnClick = [&](TObject*) { ++undone; };
  ASSERT_TRUE(FocusForInput(F.Form, Text));
  KeyScript s(F.Bar);
  s.Then("start", [] { return true; }, [] { AltWith('E'); });
  s.Then("Edit open", [&] { return Open(L"Undo", L"Undo"); }, [] { PressKey(VK_RETURN); });
  s.Then("chosen", [&] { return !F.Bar->InMenuLoop() && undone == 1; }, nullptr);
  EXPECT_TRUE(s.Run()) << "stuck at: " << s.Stuck();
  PumpUntil([&] { return undone == 1; });
  EXPECT_EQ(undone, 1);
  EXPECT_EQ(F.Edit->Count(), 2);
}

}  // namespace
