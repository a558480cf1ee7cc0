#include <gtest/gtest.h>

#include "base/ActnList.h"
#include "base/Menus.h"
#include "base/ExtCtrls.h"
#include "base/StdCtrls.h"
#include "tests/controls/menus/MenuDriver.h"
#include "tests/support/Gui.h"

namespace {

TMenuItem* NewItem(TComponent* Owner, const String& Caption, TNotifyEvent OnClick = nullptr) {
  auto* i = new TMenuItem(Owner);
  i->SetCaption(Caption);
  i->OnClick = std::move(OnClick);
  return i;
}

String EntryText(HMENU Menu, UINT Pos) {
  wchar_t buf[128] = {};
  GetMenuStringW(Menu, Pos, buf, 127, MF_BYPOSITION);
  return buf;
}

UINT EntryState(HMENU Menu, UINT Pos) {
  MENUITEMINFOW mii{sizeof(mii)};
  mii.fMask = MIIM_STATE | MIIM_FTYPE;
  GetMenuItemInfoW(Menu, Pos, TRUE, &mii);
  return mii.fState | mii.fType;
}

// A form that owns its menus and items, as the application builds them.
class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override { Owner = new TForm(nullptr); }
  void TearDown() override { Owner->Free(); }
  TForm* Owner = nullptr;
};

}  // namespace

TEST(ShortCutText, NamesModifiersAndKeys) {
  struct Case {
    TShortCut ShortCut;
    const wchar_t* Text;
  };
  const Case cases[] = {
      {ShortCut('S', {TShiftStateItem::ssCtrl}), L"Ctrl+S"},
      {ShortCut(VK_F5, {TShiftStateItem::ssShift, TShiftStateItem::ssAlt}), L"Shift+Alt+F5"},
      {ShortCut(VK_DELETE, {}), L"Del"},
      {ShortCut(VK_RETURN, {TShiftStateItem::ssCtrl, TShiftStateItem::ssShift}), L"Shift+Ctrl+Enter"},
      {ShortCut('7', {TShiftStateItem::ssAlt}), L"Alt+7"},
      {ShortCut(VK_F12, {}), L"F12"},
      {0, L""},
  };
  for (const Case& c : cases) EXPECT_EQ(ShortCutToText(c.ShortCut), c.Text) << c.Text;
  WORD key;
  TShiftState shift;
  ShortCutToKey(ShortCut(VK_F5, {TShiftStateItem::ssCtrl}), key, shift);
  EXPECT_EQ(key, VK_F5);
  EXPECT_EQ(shift, TShiftState{TShiftStateItem::ssCtrl});
}

TEST_F(MenuTest, HandleShowsVisibleItemsInOrderWithTheirState) {
  auto* menu = new TPopupMenu(Owner);
  TMenuItem* open = NewItem(Owner, L"&Open");
  TMenuItem* hidden = NewItem(Owner, L"Hidden");
  TMenuItem* line = NewItem(Owner, L"-");
  TMenuItem* save = NewItem(Owner, L"Save");
  menu->Items()->Add(open);
  menu->Items()->Add(hidden);
  menu->Items()->Add(line);
  menu->Items()->Add(save);
  hidden->SetVisible(false);
  save->SetShortCut(ShortCut('S', {TShiftStateItem::ssCtrl}));
  save->SetChecked(true);
  open->SetEnabled(false);

  HMENU h = menu->Handle();
  ASSERT_EQ(GetMenuItemCount(h), 3);
  EXPECT_EQ(EntryText(h, 0), L"&Open");
  EXPECT_TRUE(EntryState(h, 0) & MFS_DISABLED);
  EXPECT_TRUE(EntryState(h, 1) & MFT_SEPARATOR);
  EXPECT_EQ(EntryText(h, 2), L"Save\tCtrl+S");
  EXPECT_TRUE(EntryState(h, 2) & MFS_CHECKED);
  EXPECT_EQ(GetMenuItemID(h, 2), save->Command());

  // Changes after the handle exists reach it.
  hidden->SetVisible(true);
  save->SetCaption(L"Save all");
  ASSERT_EQ(GetMenuItemCount(h), 4);
  EXPECT_EQ(EntryText(h, 1), L"Hidden");
  EXPECT_EQ(EntryText(h, 3), L"Save all\tCtrl+S");
  save->SetMenuIndex(0);
  EXPECT_EQ(EntryText(h, 0), L"Save all\tCtrl+S");
  menu->Items()->Delete(1);  // "&Open" is now at 1
  EXPECT_EQ(GetMenuItemCount(h), 3);
  EXPECT_EQ(EntryText(h, 1), L"Hidden");
}

TEST_F(MenuTest, SubMenusHangUnderTheirItemAndSurviveTheirParentsRebuild) {
  auto* menu = new TPopupMenu(Owner);
  TMenuItem* file = NewItem(Owner, L"File");
  TMenuItem* recent = NewItem(Owner, L"Recent");
  menu->Items()->Add(file);
  file->Add(recent);
  recent->Add(NewItem(Owner, L"a.txt"));
  HMENU h = menu->Handle();
  HMENU fileMenu = GetSubMenu(h, 0);
  ASSERT_EQ(fileMenu, file->Handle());
  ASSERT_EQ(GetSubMenu(fileMenu, 0), recent->Handle());
  file->SetCaption(L"File!");  // rebuilds the top level
  EXPECT_TRUE(IsMenu(recent->Handle()));
  EXPECT_EQ(GetSubMenu(GetSubMenu(h, 0), 0), recent->Handle());
  EXPECT_EQ(menu->FindItem(reinterpret_cast<UINT_PTR>(recent->Handle()), TFindItemKind::fkHandle), recent);
}

TEST_F(MenuTest, CommandsAreUniqueAcrossMenusAndFreedItemsGiveThemBack) {
  auto* a = new TPopupMenu(Owner);
  auto* b = new TMainMenu(Owner);
  std::vector<WORD> ids;
  for (int i = 0; i < 20; ++i) {
    TMenuItem* x = NewItem(Owner, L"x");
    (i % 2 ? static_cast<TMenu*>(a) : b)->Items()->Add(x);
    ids.push_back(x->Command());
  }
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
  TMenuItem* first = a->Items()->Items(0);
  WORD id = first->Command();
  EXPECT_EQ(FindMenuItemOfEntry(0, id), first);
  first->Free();
  EXPECT_EQ(a->Items()->Count(), 9);
  EXPECT_EQ(FindMenuItemOfEntry(0, id), nullptr);
}

TEST_F(MenuTest, FreeingTheMenuFreesItsItemsWhoLeaveTheirOwner) {
  auto* menu = new TPopupMenu(Owner);
  TMenuItem* parent = NewItem(Owner, L"p");
  menu->Items()->Add(parent);
  parent->Add(NewItem(Owner, L"c"));
  int before = Owner->ComponentCount();
  menu->Free();
  EXPECT_EQ(Owner->ComponentCount(), before - 3);
}

TEST_F(MenuTest, RadioItemsOfOneGroupCheckOneAtATime) {
  auto* menu = new TPopupMenu(Owner);
  TMenuItem* a = NewItem(Owner, L"a");
  TMenuItem* b = NewItem(Owner, L"b");
  TMenuItem* other = NewItem(Owner, L"other group");
  for (TMenuItem* i : {a, b, other}) {
    i->SetRadioItem(true);
    menu->Items()->Add(i);
  }
  a->SetGroupIndex(3);
  b->SetGroupIndex(3);
  a->SetChecked(true);
  other->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  EXPECT_TRUE(other->Checked());
}

TEST_F(MenuTest, PopupRunsTheChosenItemRightAfterItReturns) {
  std::vector<String> log;
  auto* menu = new TPopupMenu(Owner);
  TMenuItem* first = NewItem(Owner, L"First", [&](TObject*) { log.push_back(L"first"); });
  TMenuItem* second = NewItem(Owner, L"Second", [&](TObject*) { log.push_back(L"second"); });
  second->SetAutoCheck(true);
  menu->Items()->Add(first);
  menu->Items()->Add(second);
  menu->OnPopup = [&](TObject*) { log.push_back(L"popup"); };
  {
    TMenuIdleHook hook([&](HWND w) {
      log.push_back(w ? L"open" : L"no window");
      PostMenuKey(VK_DOWN);
      PostMenuKey(VK_DOWN);
      PostMenuKey(VK_RETURN);
    });
    menu->Popup(100, 100);
    ASSERT_TRUE(hook.Ran());
    EXPECT_FALSE(hook.TimedOut());
  }
  log.push_back(L"returned");
  // Something posted after the return runs after the item's click.
  auto saved = Owner->WindowProc;
  Owner->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_APP + 7) log.push_back(L"later");
    saved(m);
  };
  PostMessageW(Owner->Handle(), WM_APP + 7, 0, 0);
  PumpUntil([&] { return log.back() == L"later"; });
  Owner->WindowProc = saved;
  EXPECT_EQ(log, (std::vector<String>{L"popup", L"open", L"returned", L"second", L"later"}));
  EXPECT_TRUE(second->Checked());
}

TEST_F(MenuTest, OwnerDrawnItemsAreMeasuredAndPaintedByTheirHandlers) {
  auto* menu = new TPopupMenu(Owner);
  menu->SetOwnerDraw(true);
  TMenuItem* item = NewItem(Owner, L"Painted");
  TMenuItem* plain = NewItem(Owner, L"Plain");
  menu->Items()->Add(item);
  menu->Items()->Add(plain);
  item->OnMeasureItem = [](TObject*, TCanvas*, int& w, int& h) {
    w = 150;
    h = 31;
  };
  TOwnerDrawState drawn;
  TRect drawnRect;
  int draws = 0;
  item->OnAdvancedDrawItem = [&](TObject*, TCanvas* c, const TRect& r, TOwnerDrawState s) {
    ++draws;
    drawn = s;
    drawnRect = r;
    c->Brush()->SetColor(0x00FF00);
    c->FillRect(r);
  };
  TColor probe = clNone;
  TRect itemRect;
  {
    TMenuIdleHook hook([&](HWND w) {
      RECT r;
      GetMenuItemRect(nullptr, menu->Handle(), 0, &r);
      itemRect = TRect(r);
      TBitmap* shot = CaptureWindow(w);
      RECT wr;
      GetWindowRect(w, &wr);
      probe = PixelAt(shot, (r.left + r.right) / 2 - wr.left, (r.top + r.bottom) / 2 - wr.top);
      shot->Free();
      EndMenu();
    });
    menu->Popup(50, 50);
    ASSERT_TRUE(hook.Ran());
  }
  EXPECT_GE(draws, 1);
  EXPECT_EQ(itemRect.Height(), 31);
  EXPECT_GE(itemRect.Width(), 150);
  EXPECT_EQ(drawnRect.Height(), 31);
  EXPECT_FALSE(drawn.Contains(TOwnerDrawStateItem::odSelected));
  EXPECT_EQ(probe, 0x00FF00);

  // The measure request that the styled menus send themselves.
  MEASUREITEMSTRUCT mis{ODT_MENU, 0, item->Command(), 10, 10, 0};
  SendMessageW(PopupList.Window(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
  EXPECT_EQ(mis.itemWidth, 150u);
  EXPECT_EQ(mis.itemHeight, 31u);
}

TEST_F(MenuTest, MenuSelectReachesTheListeners) {
  auto* menu = new TPopupMenu(Owner);
  TMenuItem* a = NewItem(Owner, L"a");
  menu->Items()->Add(a);
  std::vector<UINT> selected;
  int id = PopupList.AddListener([&](UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_MENUSELECT) selected.push_back(LOWORD(wParam));
  });
  {
    TMenuIdleHook hook([&](HWND) {
      PostMenuKey(VK_DOWN);
      PostMenuKey(VK_ESCAPE);
    });
    menu->Popup(10, 10);
  }
  PopupList.RemoveListener(id);
  EXPECT_NE(std::find(selected.begin(), selected.end(), a->Command()), selected.end());
}

TEST_F(MenuTest, ContextMenuOfAControlPopsItsMenuForIt) {
  struct TRecordingMenu : TPopupMenu {
    using TPopupMenu::TPopupMenu;
    TPoint At{-100, -100};
    void Popup(int X, int Y) override { At = TPoint(X, Y); }
  };
  auto* menu = new TRecordingMenu(Owner);
  auto* edit = new TPanel(Owner);
  edit->SetParent(Owner);
  edit->SetBounds(20, 30, 100, 21);
  edit->SetPopupMenu(menu);
  edit->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit->Handle()), MAKELPARAM(300, 400));
  EXPECT_EQ(menu->At, TPoint(300, 400));
  EXPECT_EQ(menu->PopupComponent(), edit);
  // From the keyboard: at the control's corner.
  edit->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit->Handle()), MAKELPARAM(-1, -1));
  EXPECT_EQ(menu->At, edit->ClientToScreen(TPoint(0, 0)));
  menu->SetAutoPopup(false);
  menu->At = TPoint(-100, -100);
  edit->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit->Handle()), MAKELPARAM(1, 1));
  EXPECT_EQ(menu->At, TPoint(-100, -100));
}

TEST_F(MenuTest, MainMenuOnAFormDispatchesItsCommands) {
  auto* bar = new TMainMenu(Owner);
  TMenuItem* file = NewItem(Owner, L"&File");
  int exits = 0;
  TMenuItem* exit = NewItem(Owner, L"E&xit", [&](TObject*) { ++exits; });
  bar->Items()->Add(file);
  file->Add(exit);
  Owner->SetMenu(bar);
  Owner->Show();
  EXPECT_EQ(GetMenu(Owner->Handle()), bar->Handle());
  EXPECT_EQ(bar->WindowHandle(), Owner->Handle());
  SendMessageW(Owner->Handle(), WM_COMMAND, MAKEWPARAM(exit->Command(), 0), 0);
  EXPECT_EQ(exits, 1);

  // A new window gets the same menu; the menu outlives the old window.
  HMENU h = bar->Handle();
  Owner->RecreateWnd();
  Owner->HandleNeeded();
  EXPECT_TRUE(IsMenu(h));
  EXPECT_EQ(GetMenu(Owner->Handle()), h);

  bar->Free();
  EXPECT_EQ(Owner->Menu(), nullptr);
  EXPECT_EQ(GetMenu(Owner->Handle()), nullptr);
}

TEST_F(MenuTest, MergedMenuTakesTheGroupsItNames) {
  auto* bar = new TMainMenu(Owner);
  auto* child = new TMainMenu(Owner);
  auto add = [&](TMainMenu* m, const wchar_t* caption, BYTE group) {
    TMenuItem* i = NewItem(Owner, caption);
    i->SetGroupIndex(group);
    m->Items()->Add(i);
  };
  add(bar, L"File", 0);
  add(bar, L"Edit", 1);
  add(bar, L"Window", 9);
  add(child, L"Doc", 1);
  add(child, L"Tools", 5);
  HMENU h = bar->Handle();
  bar->Merge(child);
  std::vector<String> shown;
  for (int i = 0; i < GetMenuItemCount(h); ++i) shown.push_back(EntryText(h, static_cast<UINT>(i)));
  EXPECT_EQ(shown, (std::vector<String>{L"File", L"Doc", L"Tools", L"Window"}));
  child->Free();
  EXPECT_EQ(GetMenuItemCount(h), 3);
  EXPECT_EQ(EntryText(h, 1), L"Edit");
}

TEST_F(MenuTest, ActionsDriveTheirMenuItemsAndControls) {
  auto* list = new TActionList(Owner);
  auto* action = new TAction(Owner);
  action->SetActionList(list);
  action->SetCaption(L"Send");
  int executed = 0;
  action->OnExecute = [&](TObject*) { ++executed; };
  auto* menu = new TPopupMenu(Owner);
  TMenuItem* item = NewItem(Owner, L"");
  menu->Items()->Add(item);
  item->SetAction(action);
  auto* label = new TLabel(Owner);
  label->SetParent(Owner);
  label->SetAction(action);
  EXPECT_EQ(item->Caption(), L"Send");
  EXPECT_EQ(label->Caption(), L"Send");

  action->SetEnabled(false);
  action->SetCaption(L"Sending");
  action->SetImageIndex(4);
  EXPECT_FALSE(item->Enabled());
  EXPECT_FALSE(label->Enabled());
  EXPECT_EQ(item->Caption(), L"Sending");
  EXPECT_EQ(item->ImageIndex(), 4);

  action->SetEnabled(true);
  item->Click();
  label->Click();
  EXPECT_EQ(executed, 2);
  EXPECT_EQ(action->ActionComponent(), nullptr);

  action->Free();
  EXPECT_EQ(item->Action(), nullptr);
  EXPECT_EQ(label->Action(), nullptr);
  item->Click();  // no action, no handler: nothing
  EXPECT_EQ(executed, 2);
}

TEST_F(MenuTest, GroupedAutoCheckActionsCheckOneAtATime) {
  auto* list = new TActionList(Owner);
  auto* a = new TAction(Owner);
  auto* b = new TAction(Owner);
  for (TAction* x : {a, b}) {
    x->SetActionList(list);
    x->SetGroupIndex(1);
    x->SetAutoCheck(true);
  }
  auto* menu = new TPopupMenu(Owner);
  TMenuItem* ia = NewItem(Owner, L"");
  TMenuItem* ib = NewItem(Owner, L"");
  menu->Items()->Add(ia);
  menu->Items()->Add(ib);
  ia->SetAction(a);
  ib->SetAction(b);
  ia->Click();
  EXPECT_TRUE(a->Checked());
  EXPECT_TRUE(ia->Checked());
  ib->Click();
  EXPECT_TRUE(b->Checked());
  EXPECT_FALSE(a->Checked());
  EXPECT_FALSE(ia->Checked());
  EXPECT_TRUE(ib->Checked());
  list->Free();
  EXPECT_EQ(a->ActionList(), nullptr);
}

TEST(MdiForms, ChildrenLiveInTheFramesClientWindow) {
  ASSERT_EQ(Application->MainForm(), nullptr);
  TForm* frame = nullptr;
  Application->CreateForm(frame);
  frame->SetFormStyle(TFormStyle::fsMDIForm);
  frame->SetBounds(0, 0, 600, 400);
  frame->Show();
  HWND client = frame->ClientHandle();
  ASSERT_NE(client, nullptr);
  wchar_t cls[32] = {};
  GetClassNameW(client, cls, 32);
  EXPECT_EQ(lstrcmpiW(cls, L"MDIClient"), 0);

  auto* a = new TForm(frame);
  a->SetFormStyle(TFormStyle::fsMDIChild);
  a->SetCaption(L"A");
  a->Show();
  auto* b = new TForm(frame);
  b->SetFormStyle(TFormStyle::fsMDIChild);
  b->SetCaption(L"B");
  b->Show();
  EXPECT_EQ(GetParent(a->Handle()), client);
  EXPECT_EQ(frame->MDIChildCount(), 2);
  EXPECT_EQ(frame->MDIChildren(1), b);
  EXPECT_EQ(frame->ActiveMDIChild(), b);
  SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a->Handle()), 0);
  EXPECT_EQ(frame->ActiveMDIChild(), a);
  b->Free();
  EXPECT_EQ(frame->MDIChildCount(), 1);
  frame->Free();
  EXPECT_EQ(Application->MainForm(), nullptr);
}
