#include <gtest/gtest.h>

#include "base/ExtCtrls.h"
#include "tests/controls/menus/MenuDriver.h"
#include "tests/support/Gui.h"
#include "ui/controls/menus/AdvMenuDraw.h"
#include "ui/controls/menus/AdvMenuUtil.h"
#include "ui/controls/menus/AdvMenus.h"

namespace {

class StyledMenuTest : public ::testing::Test {
 protected:
  void SetUp() override { Owner = new TForm(nullptr); }
  void TearDown() override { Owner->Free(); }

  TMenuItem* Add(TMenu* Menu, const String& Caption, TMenuItem* Parent = nullptr) {
    auto* i = new TMenuItem(Owner);
    i->SetCaption(Caption);
    (Parent ? Parent : Menu->Items())->Add(i);
    return i;
  }

  TForm* Owner = nullptr;
};

}  // namespace

TEST_F(StyledMenuTest, MenusStartOwnerDrawnWithAnInternalStyler) {
  auto* popup = new TAdvPopupMenu(Owner);
  auto* main = new TAdvMainMenu(Owner);
  for (IAdvMenu* m : {static_cast<IAdvMenu*>(popup), static_cast<IAdvMenu*>(main)}) {
    EXPECT_TRUE(m->GetMenu()->OwnerDraw());
    EXPECT_EQ(m->GetMenuStyler(), nullptr);
    ASSERT_NE(m->GetCurrentMenuStyler(), nullptr);
    EXPECT_EQ(m->GetCurrentMenuStyler()->Name(), L"InternalMenuStyler");
    EXPECT_TRUE(m->GetCurrentMenuStyler()->ComponentStyle().Contains(TComponentStyleItem::csSubComponent));
    EXPECT_EQ(m->GetOpacity(), 255);
    EXPECT_TRUE(m->GetShowNotes());
    EXPECT_EQ(m->GetActionImage(), TActionImage::aiNormal);
  }
  // The popup's internal styler is the plain class, the main menu's the
  // published one.
  EXPECT_EQ(popup->GetCurrentMenuStyler()->ClassName(), L"TCustomAdvMenuStyler");
  EXPECT_EQ(main->GetCurrentMenuStyler()->ClassName(), L"TAdvMenuStyler");
  EXPECT_EQ(popup->Version(), L"2.6.5.1");
  popup->SetVersion(L"9.9.9.9");
  EXPECT_EQ(popup->Version(), L"2.6.5.1");
  EXPECT_EQ(main->Version(), L"2.6.5.1");
}

TEST_F(StyledMenuTest, AssignedStylerReplacesTheInternalOneUntilItGoes) {
  auto* styler = new TAdvMenuStyler(Owner);
  auto* popup = new TAdvPopupMenu(Owner);
  TCustomAdvMenuStyler* internal = popup->GetCurrentMenuStyler();
  int before = popup->ComponentCount();
  popup->SetMenuStyler(styler);
  EXPECT_EQ(popup->GetCurrentMenuStyler(), styler);
  EXPECT_EQ(popup->ComponentCount(), before - 1);  // the internal one is gone
  EXPECT_EQ(styler->Menu(), popup);
  (void)internal;
  popup->SetMenuStyler(styler);  // the same again: nothing
  EXPECT_EQ(popup->GetCurrentMenuStyler(), styler);
  popup->SetMenuStyler(nullptr);
  EXPECT_EQ(popup->MenuStyler(), nullptr);
  EXPECT_EQ(popup->GetCurrentMenuStyler()->Name(), L"InternalMenuStyler");
  EXPECT_EQ(popup->GetCurrentMenuStyler()->Menu(), popup);
}

TEST_F(StyledMenuTest, FreedSharedStylerLeavesEveryMenuWithAnInternalOne) {
  // The main window's styler serves menus on another window too.
  auto* mainWindow = new TForm(nullptr);
  auto* styler = new TAdvMenuStyler(mainWindow);
  auto* a = new TAdvPopupMenu(Owner);
  auto* b = new TAdvPopupMenu(Owner);
  a->SetMenuStyler(styler);
  b->SetMenuStyler(styler);
  EXPECT_EQ(styler->Menu(), b);  // the last one attached
  mainWindow->Free();
  for (TAdvPopupMenu* m : {a, b}) {
    EXPECT_EQ(m->MenuStyler(), nullptr);
    ASSERT_NE(m->GetCurrentMenuStyler(), nullptr);
    EXPECT_EQ(m->GetCurrentMenuStyler()->Owner(), m);
  }
}

TEST_F(StyledMenuTest, AStylerTheMenuOwnsIsReplacedWhenFreed) {
  auto* popup = new TAdvPopupMenu(Owner);
  auto* main = new TAdvMainMenu(Owner);
  for (IAdvMenu* m : {static_cast<IAdvMenu*>(popup), static_cast<IAdvMenu*>(main)}) {
    auto* own = new TAdvMenuStyler(m->GetMenu());
    m->SetMenuStyler(own);
    ASSERT_EQ(m->GetCurrentMenuStyler(), own);
    own->Free();
    EXPECT_EQ(m->GetMenuStyler(), nullptr);
    ASSERT_NE(m->GetCurrentMenuStyler(), nullptr);
    EXPECT_EQ(m->GetCurrentMenuStyler()->Name(), L"InternalMenuStyler");
    EXPECT_EQ(m->GetCurrentMenuStyler()->Owner(), m->GetMenu());
  }
}

namespace {

// Freed by its form after the styler and before the menu: it reads what
// the menu, already going, keeps of the styler.
class StylerWitness : public TComponent {
 public:
  StylerWitness(TComponent* AOwner, TAdvMainMenu* AMenu) : TComponent(AOwner), Menu(AMenu) {}
  TAdvMainMenu* Menu;
  static inline bool Read = false;
  static inline TCustomAdvMenuStyler* Assigned = nullptr;
  static inline TCustomAdvMenuStyler* Current = nullptr;

 protected:
  void Destroy() override {
    Read = true;
    Assigned = Menu->MenuStyler();
    Current = Menu->GetCurrentMenuStyler();
    TComponent::Destroy();
  }
};

}  // namespace

TEST_F(StyledMenuTest, AFormFreeingItsStylerBeforeItsMenuLeavesTheMenuNothingOfIt) {
  auto* form = new TForm(nullptr);
  auto* main = new TAdvMainMenu(form);
  new StylerWitness(form, main);
  auto* styler = new TAdvMenuStyler(form);  // newest: freed first
  main->SetMenuStyler(styler);
  StylerWitness::Read = false;
  form->Free();
  ASSERT_TRUE(StylerWitness::Read);
  EXPECT_EQ(StylerWitness::Assigned, nullptr);
  EXPECT_EQ(StylerWitness::Current, nullptr);
}

TEST_F(StyledMenuTest, AMainMenuLeavesNoFontHandlerOnAStylerItNoLongerUses) {
  auto* first = new TAdvMenuStyler(Owner);
  auto* second = new TAdvMenuStyler(Owner);
  auto* a = new TAdvMainMenu(Owner);
  auto handlerOf = [](TCustomAdvMenuStyler* S) -> TAdvMainMenu* {
    auto* h = S->Font()->OnChange.target<TAdvMainMenuFontHandler>();
    return h ? h->Menu : nullptr;
  };
  a->SetMenuStyler(first);
  EXPECT_EQ(handlerOf(first), a);
  a->SetMenuStyler(second);
  EXPECT_FALSE(first->Font()->OnChange);
  EXPECT_EQ(handlerOf(second), a);
  // A second menu takes the styler over; freeing the first keeps its handler.
  auto* b = new TAdvMainMenu(Owner);
  b->SetMenuStyler(second);
  EXPECT_EQ(handlerOf(second), b);
  a->Free();
  EXPECT_EQ(handlerOf(second), b);
  b->Free();
  EXPECT_FALSE(second->Font()->OnChange);
  second->Font()->SetSize(second->Font()->Size() + 1);  // reaches no menu
}

TEST_F(StyledMenuTest, HookingKeepsTheApplicationsHandlersAndRunsOnce) {
  auto* popup = new TAdvPopupMenu(Owner);
  int own = 0;
  auto* measured = new TMenuItem(Owner);
  measured->OnMeasureItem = [&](TObject*, TCanvas*, int&, int&) { ++own; };
  auto* drawn = new TMenuItem(Owner);
  drawn->OnDrawItem = [&](TObject*, TCanvas*, const TRect&, bool) { ++own; };
  TMenuItem* plain = Add(popup, L"plain");
  popup->Items()->Add(measured);
  popup->Items()->Add(drawn);
  TMenuItem* child = Add(popup, L"child", plain);
  auto drawOf = [](TMenuItem* i) { return i->OnAdvancedDrawItem.target<TAdvMenuDrawHandler>(); };
  auto measureOf = [](TMenuItem* i) { return i->OnMeasureItem.target<TAdvMenuMeasureHandler>(); };
  ASSERT_NE(drawOf(plain), nullptr);
  EXPECT_EQ(drawOf(plain)->Code, &TAdvPopupMenu::AdvancedDrawItem);
  ASSERT_NE(drawOf(child), nullptr);
  EXPECT_EQ(measureOf(measured), nullptr);  // its own measure handler stays
  EXPECT_NE(drawOf(measured), nullptr);
  EXPECT_EQ(drawOf(drawn), nullptr);  // its own draw handler stays...
  EXPECT_NE(measureOf(drawn), nullptr);  // ...and it is measured by the menu
  // Hooking again changes nothing.
  auto before = drawOf(plain)->Menu;
  HookMenuItems(popup, nullptr, true, true, popup->DrawHandler(), popup->MeasureHandler());
  EXPECT_EQ(drawOf(plain)->Menu, before);
}

TEST_F(StyledMenuTest, UpdateBracketsNestAndAnUnpairedEndIsHarmless) {
  auto* main = new TAdvMainMenu(Owner);
  main->EndUpdate();
  EXPECT_EQ(main->UpdateRef(), 0);
  EXPECT_FALSE(main->MenuUpdating());
  main->BeginUpdate();
  main->BeginUpdate();
  main->EndUpdate();
  EXPECT_TRUE(main->MenuUpdating());
  main->EndUpdate();
  EXPECT_FALSE(main->MenuUpdating());
}

TEST_F(StyledMenuTest, PopupOfAnEmptyMenuDoesNotReportClosing) {
  auto* popup = new TAdvPopupMenu(Owner);
  int closes = 0;
  popup->OnClose = [&](TObject*) { ++closes; };
  popup->Popup(10, 10);
  EXPECT_EQ(closes, 0);
  Add(popup, L"one");
  {
    TMenuIdleHook hook([](HWND) { EndMenu(); });
    popup->Popup(10, 10);
    EXPECT_TRUE(hook.Ran());
  }
  EXPECT_EQ(closes, 1);
}

TEST_F(StyledMenuTest, PopupCorrectsXForTheWiderItemsAndFramesItsWindow) {
  auto* popup = new TAdvPopupMenu(Owner);
  Add(popup, L"Show the main window");
  Add(popup, L"Exit");
  MEASUREITEMSTRUCT mis{ODT_MENU, 0, popup->Items()->Items(0)->Command(), 10, 10, 0};
  SendMessageW(PopupList.Window(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
  int w = static_cast<int>(mis.itemWidth);
  int desktop = Screen->DesktopWidth();
  int c = MenuColumnWidth;
  struct Case {
    TPopupAlignment Alignment;
    int X;
    int ExpectedLeft;
  };
  // Far from the edge nothing moves; near the right edge a left-aligned menu
  // moves right by the reserve; a centred one always by half of it. The
  // window itself sits one pixel further left (its frame).
  const Case cases[] = {
      {TPopupAlignment::paLeft, 100, 100 - 1},
      {TPopupAlignment::paLeft, desktop - w - 3 * c + 5, desktop - w - 3 * c + 5 + c - 1},
      {TPopupAlignment::paCenter, 400, -1},
  };
  for (const Case& k : cases) {
    popup->SetAlignment(k.Alignment);
    RECT shown{};
    TMenuIdleHook hook([&](HWND win) {
      GetWindowRect(win, &shown);
      EndMenu();
    });
    popup->Popup(k.X, 200);
    ASSERT_TRUE(hook.Ran());
    if (k.ExpectedLeft >= 0) {
      EXPECT_EQ(shown.left, k.ExpectedLeft) << k.X;
    } else {
      // Centred on X + C/2, less the frame's pixel.
      EXPECT_NEAR((shown.left + 1 + shown.right + 1) / 2.0, k.X + c / 2, 1.0);
    }
    EXPECT_EQ(shown.top, 200 - 2);
  }
}

TEST_F(StyledMenuTest, PopupAtControlAddsTheCornerAndTheDeltas) {
  struct TRecordingMenu : TAdvPopupMenu {
    using TAdvPopupMenu::TAdvPopupMenu;
    TPoint At;
    void Popup(int X, int Y) override { At = TPoint(X, Y); }
  };
  auto* menu = new TRecordingMenu(Owner);
  auto* panel = new TPanel(Owner);
  panel->SetParent(Owner);
  panel->SetBounds(30, 40, 80, 20);
  Owner->Show();
  TPoint o = panel->ClientOrigin();
  struct Case {
    TPopopControlPosition Position;
    TPoint Expected;
  };
  const Case cases[] = {
      {TPopopControlPosition::pcbTopLeft, TPoint(o.x + 5, o.y + 7)},
      {TPopopControlPosition::pcpBottomLeft, TPoint(o.x + 5, o.y + 20 + 7)},
      {TPopopControlPosition::pcpBottomRight, TPoint(o.x + 80 + 5, o.y + 20 + 7)},
      {TPopopControlPosition::pcpTopRight, TPoint(o.x + 80 + 5, o.y + 7)},
      {TPopopControlPosition::pcpCenter, TPoint(o.x + 40 + 5, o.y + 10 + 7)},
  };
  for (const Case& k : cases) {
    menu->PopupAtControl(panel, k.Position, 5, 7);
    EXPECT_EQ(menu->At, k.Expected);
  }
  SetCursorPos(321, 234);
  menu->PopupAtCursor();
  EXPECT_EQ(menu->At, TPoint(321, 234));
}
