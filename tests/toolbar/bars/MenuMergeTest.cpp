// A second menu merged into a menu-bar toolbar by group index and taken
// away again, and the window menu's list of MDI children: the active child
// checked, the list following children opened, activated and closed, and a
// child chosen from the open menu coming to front. The menus really open;
// each is ended from inside its loop (TMenuIdleHook), never left to hang.
#include "tests/controls/menus/MenuDriver.h"
#include "tests/toolbar/bars/BarsTestSupport.h"

namespace {

struct TEntry {
  const wchar_t* Caption;
  BYTE Group;
};

TMenuItem* AddItem(TMenuItem* Parent, TComponent* Owner, const String& Caption, BYTE Group = 0) {
  auto* m = new TMenuItem(Owner);
  m->SetCaption(Caption);
  m->SetGroupIndex(Group);
  Parent->Add(m);
  // Every top-level item has an entry, so that it drops a menu.
  if (Parent->GetParentMenu() && Parent->GetParentMenu()->Items() == Parent) {
    auto* sub = new TMenuItem(Owner);
    sub->SetCaption(Caption + L" entry");
    m->Add(sub);
  }
  return m;
}

TMainMenu* MakeMenu(TComponent* Owner, const std::vector<TEntry>& Entries) {
  auto* menu = new TMainMenu(Owner);
  for (const TEntry& e : Entries) AddItem(menu->Items(), Owner, e.Caption, e.Group);
  return menu;
}

// What the bar shows: each listed control with its caption, visibility and
// menu item, in list order.
struct TShown {
  TControl* Control;
  String Caption;
  bool Visible;
  TMenuItem* Item;
  bool operator==(const TShown&) const = default;
};

std::vector<TShown> Shown(TAdvCustomToolBar* Bar) {
  std::vector<TShown> v;
  for (int i = 0; i < Bar->ToolBarControlCount(); ++i) {
    TControl* c = Bar->ToolBarControls(i);
    auto* b = dynamic_cast<TAdvCustomToolBarButton*>(c);
    v.push_back({c, b ? b->Caption() : String(), c->Visible(), b ? b->MenuItem() : nullptr});
  }
  return v;
}

// The captions of the visible items, in list order, checking on the way
// that they are laid out one after the other.
std::vector<String> VisibleCaptions(TAdvCustomToolBar* Bar) {
  std::vector<String> v;
  int right = -1;
  for (const TShown& s : Shown(Bar)) {
    if (!s.Visible) continue;
    v.push_back(s.Caption);
    EXPECT_GE(s.Control->Left(), right) << "overlaps its neighbour: " << Narrow(s.Caption);
    right = s.Control->Left() + s.Control->Width();
  }
  return v;
}

// A toolbar named "MenuBar" on a top dock panel of Form.
TAdvToolBar* NewMenuBar(TForm* Form) {
  auto* top = new TAdvDockPanel(Form);
  top->SetParent(Form);
  top->SetAlign(TDockAlign::daTop);
  auto* bar = new TAdvToolBar(Form);
  bar->SetName(L"MenuBar");
  bar->SetParent(top);
  return bar;
}

struct MenuBarOnForm : ::testing::Test {
  TForm* Form = nullptr;
  TAdvToolBar* Bar = nullptr;
  void SetUp() override {
    ResetToolBarState();
    Form = new TForm(nullptr);
    Form->SetBounds(40, 40, 640, 200);
    Bar = NewMenuBar(Form);
    Form->Show();
  }
  void TearDown() override {
    Form->Free();
    ResetToolBarState();
  }
};

struct MergeCase {
  const char* Name;
  std::vector<TEntry> Own;
  std::vector<TEntry> Merged;
  bool PlainButtonAfter;  // a toolbar button that is no menu button ends the bar
  std::vector<String> Expected;
};

using MenuMerge = MenuBarOnForm;

TEST_F(MenuMerge, PutsMergedItemsInPlaceByGroupAndUnmergeRestoresTheBarExactly) {
  const std::vector<MergeCase> cases = {
      {"groups 1 and 3 replace, 2 stays",
       {{L"A", 1}, {L"B", 2}, {L"C", 3}},
       {{L"X", 1}, {L"Y", 3}},
       false,
       {L"X", L"B", L"Y"}},
      {"new groups go between",
       {{L"File", 0}, {L"Edit", 1}, {L"Help", 9}},
       {{L"Doc", 2}, {L"Tools", 5}},
       false,
       {L"File", L"Edit", L"Doc", L"Tools", L"Help"}},
      {"group 0 is inserted after the bar's group 0",
       {{L"File", 0}, {L"Edit", 1}, {L"Help", 9}},
       {{L"Tools", 0}, {L"Doc", 2}},
       false,
       {L"File", L"Tools", L"Edit", L"Doc", L"Help"}},
      {"a merged group replaces every button of that group",
       {{L"File", 0}, {L"Edit", 1}, {L"Copy", 1}, {L"Help", 9}},
       {{L"Doc", 1}},
       false,
       {L"File", L"Doc", L"Help"}},
      {"two merged items of one group both show",
       {{L"File", 0}, {L"Edit", 1}, {L"Help", 9}},
       {{L"Doc", 1}, {L"Page", 1}},
       false,
       {L"File", L"Doc", L"Page", L"Help"}},
      {"an own menu out of group order ends sorted",
       {{L"File", 0}, {L"Help", 9}, {L"Window", 5}},
       {{L"Doc", 2}},
       false,
       {L"File", L"Doc", L"Window", L"Help"}},
      {"merged buttons join the menu buttons, not the other items",
       {{L"File", 0}, {L"Help", 9}},
       {{L"Doc", 2}},
       true,
       {L"File", L"Doc", L"Help", L"Search"}},
  };
  for (const MergeCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TMainMenu* own = MakeMenu(Form, c.Own);
    TMainMenu* merged = MakeMenu(Form, c.Merged);
    Bar->SetMenu(own);
    TAdvToolBarButton* plain = nullptr;
    if (c.PlainButtonAfter) {
      plain = new TAdvToolBarButton(Form);
      plain->SetCaption(L"Search");
      plain->SetShowCaption(true);
      plain->SetAdvToolBar(Bar);
    }
    PumpFor(10);
    const std::vector<TShown> before = Shown(Bar);
    std::vector<int> lefts;
    for (const TShown& s : before) lefts.push_back(s.Control->Left());

    Bar->MergeMenu(merged);
    EXPECT_EQ(Bar->MergedMenu(), merged);
    EXPECT_EQ(VisibleCaptions(Bar), c.Expected);
    // Each visible menu button drops its own item's entries.
    for (const TShown& s : Shown(Bar))
      if (s.Visible && s.Item) EXPECT_EQ(s.Item->Items(0)->Caption(), s.Caption + L" entry");

    Bar->UnmergeMenu(merged);
    EXPECT_EQ(Bar->MergedMenu(), nullptr);
    EXPECT_EQ(Shown(Bar), before);
    for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(before[i].Control->Left(), lefts[i]);

    Bar->SetMenu(nullptr);
    if (plain) plain->Free();
    own->Free();
    merged->Free();
    ASSERT_EQ(Bar->ToolBarControlCount(), 0);
  }
}

TEST_F(MenuMerge, MergingTwiceSwitchesMenusAndTheOwnMenuIsNeverMergedIntoItself) {
  TMainMenu* own = MakeMenu(Form, {{L"File", 0}, {L"Edit", 1}, {L"Help", 9}});
  TMainMenu* first = MakeMenu(Form, {{L"Doc", 1}, {L"Tools", 5}});
  TMainMenu* second = MakeMenu(Form, {{L"Sheet", 2}});
  Bar->SetMenu(own);
  const std::vector<TShown> before = Shown(Bar);

  Bar->MergeMenu(own);
  EXPECT_EQ(Bar->MergedMenu(), nullptr);
  EXPECT_EQ(Shown(Bar), before);

  Bar->MergeMenu(first);
  const std::vector<TShown> once = Shown(Bar);
  Bar->MergeMenu(first);  // the same menu again changes nothing
  EXPECT_EQ(Shown(Bar), once);
  EXPECT_EQ(VisibleCaptions(Bar), (std::vector<String>{L"File", L"Doc", L"Tools", L"Help"}));

  Bar->MergeMenu(second);  // the first goes, the second comes
  EXPECT_EQ(Bar->MergedMenu(), second);
  EXPECT_EQ(VisibleCaptions(Bar), (std::vector<String>{L"File", L"Edit", L"Sheet", L"Help"}));
  Bar->UnmergeMenu(first);  // not the merged one: nothing
  EXPECT_EQ(Bar->MergedMenu(), second);
  Bar->UnmergeMenu(second);
  EXPECT_EQ(Shown(Bar), before);

  // A new menu of the bar's own ends a merge made on the old one.
  Bar->MergeMenu(first);
  TMainMenu* other = MakeMenu(Form, {{L"Start", 0}, {L"Tools", 5}});
  Bar->SetMenu(other);
  EXPECT_EQ(Bar->MergedMenu(), nullptr);
  EXPECT_EQ(VisibleCaptions(Bar), (std::vector<String>{L"Start", L"Tools"}));
  EXPECT_EQ(Bar->ToolBarControlCount(), 2);
}

TEST_F(MenuMerge, TheMergeOutlivesAnUpdateAndEndsWhenTheMergedMenuIsFreed) {
  TMainMenu* own = MakeMenu(Form, {{L"File", 0}, {L"Edit", 1}, {L"Help", 9}});
  TMainMenu* merged = MakeMenu(Form, {{L"Doc", 1}});
  Bar->SetMenu(own);
  Bar->MergeMenu(merged);
  // The own menu grows while the merge shows: the merge stays on top.
  AddItem(own->Items(), Form, L"Window", 5);
  Bar->UpdateMenu();
  EXPECT_EQ(VisibleCaptions(Bar), (std::vector<String>{L"File", L"Doc", L"Window", L"Help"}));
  // The merged menu (and its items) go: the bar shows its own menu again,
  // in the own menu's order.
  for (int i = merged->Items()->Count() - 1; i >= 0; --i) merged->Items()->Items(i)->Free();
  merged->Free();
  EXPECT_EQ(Bar->MergedMenu(), nullptr);
  EXPECT_EQ(VisibleCaptions(Bar), (std::vector<String>{L"File", L"Edit", L"Help", L"Window"}));
  for (const TShown& s : Shown(Bar)) EXPECT_EQ(own->Items()->IndexOf(s.Item) >= 0, true) << Narrow(s.Caption);
  // Without a menu of its own there is nothing to merge into.
  Bar->SetMenu(nullptr);
  Bar->MergeMenu(MakeMenu(Form, {{L"Doc", 1}}));
  EXPECT_EQ(Bar->MergedMenu(), nullptr);
  EXPECT_EQ(Bar->ToolBarControlCount(), 0);
}

TEST_F(MenuMerge, TheMergedMenusShortcutsWorkWhileItShows) {
  TMainMenu* own = MakeMenu(Form, {{L"File", 0}, {L"Edit", 1}});
  TMainMenu* merged = MakeMenu(Form, {{L"Doc", 1}});
  int ownRuns = 0, mergedRuns = 0;
  TMenuItem* ownEntry = own->Items()->Items(0)->Items(0);
  TMenuItem* mergedEntry = merged->Items()->Items(0)->Items(0);
  ownEntry->SetShortCut(ShortCut(VK_F6, TShiftState{}));
  ownEntry->OnClick = [&](TObject*) { ++ownRuns; };
  mergedEntry->SetShortCut(ShortCut(VK_F5, TShiftState{}));
  mergedEntry->OnClick = [&](TObject*) { ++mergedRuns; };
  Bar->SetMenu(own);
  EXPECT_FALSE(Bar->IsShortCut(VK_F5, 0, false));
  Bar->MergeMenu(merged);
  EXPECT_TRUE(Bar->IsShortCut(VK_F5, 0, false));
  EXPECT_TRUE(Bar->IsShortCut(VK_F6, 0, false));
  Bar->UnmergeMenu(merged);
  EXPECT_FALSE(Bar->IsShortCut(VK_F5, 0, false));
  EXPECT_EQ(mergedRuns, 1);
  EXPECT_EQ(ownRuns, 1);
}

// A choice in a merged button's menu that switches the merge (another
// document activated) takes that button away while its menu's entries are
// still lent out: they go back to their item all the same.
TEST_F(MenuMerge, AMergedButtonTakenAwayByAChoiceInItsOwnMenuGivesItsEntriesBack) {
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
  TMainMenu* own = MakeMenu(Form, {{L"File", 0}, {L"Help", 9}});
  TMainMenu* first = MakeMenu(Form, {{L"Doc", 2}});
  TMainMenu* second = MakeMenu(Form, {{L"Sheet", 2}});
  Bar->SetMenu(own);
  Bar->MergeMenu(first);
  TMenuItem* doc = first->Items()->Items(0);
  TMenuItem* entry = doc->Items(0);
  entry->OnClick = [&](TObject*) { Bar->MergeMenu(second); };
  TAdvCustomToolBarButton* button = nullptr;
  for (const TShown& s : Shown(Bar))
    if (s.Item == doc) button = static_cast<TAdvCustomToolBarButton*>(s.Control);
  ASSERT_TRUE(button);
  TMenuIdleHook hook([&](HWND) {
    PostMenuKey(VK_DOWN);
    AfterMenuSettles([] {
      PostMenuKey(VK_RETURN);
      AfterMenuSettles([] {
        if (!OpenMenuWindows().empty()) EndMenu();
      });
    });
  });
  button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  EXPECT_TRUE(hook.Ran());
  EXPECT_TRUE(PumpUntil([&] { return Bar->MergedMenu() == second && !Bar->MenuDropped(); }));
  PumpFor(20);
  EXPECT_EQ(VisibleCaptions(Bar), (std::vector<String>{L"File", L"Sheet", L"Help"}));
  ASSERT_EQ(doc->Count(), 1);
  EXPECT_EQ(doc->Items(0), entry);
  EXPECT_EQ(Bar->ActiveMenu(), nullptr);
  // Merged again, the first menu drops its entry as before.
  Bar->MergeMenu(first);
  EXPECT_EQ(VisibleCaptions(Bar), (std::vector<String>{L"File", L"Doc", L"Help"}));
}

// ---------------------------------------------------------------------------
// The window menu's MDI children

struct WindowMenuFixture : ::testing::Test {
  TForm* Frame = nullptr;
  TAdvToolBar* Bar = nullptr;
  TMainMenu* Menu = nullptr;
  TMenuItem* Window = nullptr;
  std::vector<TForm*> Children;
  void SetUp() override {
    ResetToolBarState();
    // The pointer stays clear of the menus.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
    ASSERT_EQ(Application->MainForm(), nullptr);
    Application->CreateForm(Frame);
    Frame->SetFormStyle(TFormStyle::fsMDIForm);
    Frame->SetBounds(20, 20, 600, 420);
    Menu = MakeMenu(Frame, {{L"&File", 0}, {L"&Window", 9}});
    Window = Menu->Items()->Items(1);
    Window->Items(0)->SetCaption(L"&Cascade");
    Frame->SetWindowMenu(Window);
    Bar = NewMenuBar(Frame);
    Bar->SetMenu(Menu);
    Frame->Show();
    for (const wchar_t* c : {L"Alpha", L"Beta", L"Gamma"}) Open(c);
  }
  TForm* Open(const wchar_t* Caption) {
    auto* c = new TForm(Frame);
    c->SetFormStyle(TFormStyle::fsMDIChild);
    c->SetCaption(Caption);
    c->SetBounds(10, 10, 200, 120);
    c->Show();
    Bar->AddMDIChildMenu(c, L"");
    PumpFor(10);
    Children.push_back(c);
    return c;
  }
  void TearDown() override {
    Frame->Free();
    PumpFor(20);
    ResetToolBarState();
  }
  TAdvCustomToolBarButton* WindowButton() {
    for (int i = 0; i < Bar->ToolBarControlCount(); ++i)
      if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(Bar->ToolBarControls(i)); b && b->MenuItem() == Window)
        return b;
    return nullptr;
  }
  // The window menu's entries while it is open ("*" marks a checked radio
  // entry); Then runs inside the open menu and must end it.
  std::vector<String> DropWindowMenu(std::function<void()> Then = [] { EndMenu(); }) {
    std::vector<String> seen;
    TMenuIdleHook hook([&](HWND) {
      if (TAdvPopupMenu* m = Bar->ActiveMenu())
        for (int i = 0; i < m->Items()->Count(); ++i) {
          TMenuItem* e = m->Items()->Items(i);
          seen.push_back((e->Checked() && e->RadioItem() ? L"*" : L"") + e->Caption());
        }
      Then();
    });
    TAdvCustomToolBarButton* b = WindowButton();
    EXPECT_TRUE(b);
    if (!b) return seen;
    b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(hook.Ran());
    EXPECT_FALSE(hook.TimedOut());
    PumpFor(30);
    return seen;
  }
};

using WindowMenu = WindowMenuFixture;

TEST_F(WindowMenu, ListsTheChildrenWithTheActiveOneCheckedAndFollowsThem) {
  EXPECT_EQ(Frame->ActiveMDIChild(), Children[2]);
  EXPECT_EQ(DropWindowMenu(), (std::vector<String>{L"&Cascade", L"Alpha", L"Beta", L"*Gamma"}));
  // The entries live only while the menu is open.
  EXPECT_EQ(Window->Count(), 1);
  EXPECT_EQ(Bar->ActiveMenu(), nullptr);

  // Activated: the check follows.
  Children[0]->BringToFront();
  PumpFor(10);
  ASSERT_EQ(Frame->ActiveMDIChild(), Children[0]);
  EXPECT_EQ(DropWindowMenu(), (std::vector<String>{L"&Cascade", L"*Alpha", L"Beta", L"Gamma"}));

  // Opened with a caption of its own; one closed by hiding and one freed
  // leave the list.
  TForm* delta = Open(L"Delta");
  Bar->RemoveMDIChildMenu(delta, L"");
  Bar->AddMDIChildMenu(delta, L"&4 Delta");
  Children[1]->Close();
  Children[2]->Free();
  PumpFor(10);
  EXPECT_EQ(Bar->MDIChildMenuCount(), 3);
  EXPECT_EQ(DropWindowMenu(), (std::vector<String>{L"&Cascade", L"Alpha", L"*&4 Delta"}));

  Bar->RemoveMDIChildMenu(delta, L"&4 DELTA");  // the text matches ignoring case
  EXPECT_EQ(Bar->MDIChildMenuCount(), 2);
  Bar->RemoveAllMDIChildMenu();
  EXPECT_EQ(DropWindowMenu(), (std::vector<String>{L"&Cascade"}));
}

TEST_F(WindowMenu, AWindowMenuWithoutEntriesOfItsOwnDropsTheChildren) {
  Window->Items(0)->Free();
  ASSERT_EQ(Window->Count(), 0);
  EXPECT_EQ(DropWindowMenu(), (std::vector<String>{L"Alpha", L"Beta", L"*Gamma"}));
  EXPECT_EQ(Window->Count(), 0);
}

TEST_F(WindowMenu, OnlyTheMenuHoldingTheWindowMenuListsTheChildren) {
  Frame->SetWindowMenu(nullptr);
  Bar->AddMDIChildMenu(Children[0], L"again");  // no window menu: not taken
  EXPECT_EQ(Bar->MDIChildMenuCount(), 3);
  Frame->SetWindowMenu(Menu->Items()->Items(0));  // the File menu now
  EXPECT_EQ(DropWindowMenu(), (std::vector<String>{L"&Cascade"}));
}

TEST_F(WindowMenu, ChoosingAChildFromTheOpenMenuBringsItToFront) {
  struct Row {
    int Child;
    int Downs;  // from the first entry, which opens highlighted
    bool Minimized;
  };
  for (const Row& r : {Row{0, 1, false}, Row{1, 2, true}}) {
    SCOPED_TRACE(r.Child);
    TForm* target = Children[static_cast<size_t>(r.Child)];
    if (r.Minimized) target->SetWindowState(TWindowState::wsMinimized);
    Children[2]->BringToFront();
    PumpFor(10);
    ASSERT_EQ(Frame->ActiveMDIChild(), Children[2]);
    String highlighted;
    DropWindowMenu([&] {
      for (int i = 0; i < r.Downs; ++i) PostMenuKey(VK_DOWN);
      AfterMenuSettles([&] {
        if (TMenuItem* s = ToolBarMenuSelectedItem()) highlighted = s->Caption();
        PostMenuKey(VK_RETURN);
        // A menu the key did not end is ended here.
        AfterMenuSettles([] {
          if (!OpenMenuWindows().empty()) EndMenu();
        });
      });
    });
    EXPECT_EQ(highlighted, target->Caption());
    EXPECT_TRUE(PumpUntil([&] { return Frame->ActiveMDIChild() == target; }));
    EXPECT_EQ(target->WindowState(), TWindowState::wsNormal);
    EXPECT_EQ(Window->Count(), 1);
  }
}

}  // namespace
