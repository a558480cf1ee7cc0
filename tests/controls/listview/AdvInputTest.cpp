// Input of the advanced list view: clicks, selection, check boxes, links and
// anchors, row dragging, keys, scroll hints, cell hints and in-place editing,
// all sent as messages.
#include "base/Clipboard.h"
#include "base/ImgList.h"
#include "base/Hints.h"
#include "base/Shell.h"
#include "tests/controls/listview/AdvListViewTest.h"

namespace {

struct TOpened {
  HWND Wnd;
  String Verb, File;
  int Show;
};

struct AdvInput : AdvFixture {
  std::vector<TOpened> Opened;
  void SetUp() override {
    AdvFixture::SetUp();
    SetShellExecuteHook([this](HWND Wnd, const String& Verb, const String& File, const String&, const String&,
                               int Show) -> INT_PTR {
      Opened.push_back({Wnd, Verb, File, Show});
      return 33;
    });
  }
  void TearDown() override {
    SetShellExecuteHook(nullptr);
    AdvFixture::TearDown();
  }
  void Key(WORD VirtualKey) { SendMessageW(List->Handle(), WM_KEYDOWN, VirtualKey, 0); }
};

TEST_F(AdvInput, WithoutSelectionClicksSelectNothingButCheckBoxesStillToggle) {
  AddColumns({100, 100});
  AddRow(L"a", {L"1"});
  AddRow(L"b", {L"2"});
  Form->Show();
  List->SetAllowSelection(false);
  Click(CellPoint(1, 1));
  EXPECT_EQ(List->ItemIndex(), -1);
  List->SetCheckboxes(true);
  List->SetItemIndex(0);
  TRect icon = List->Items()->Item(1)->DisplayRect(TDisplayCode::drIcon);
  TRect bounds = List->Items()->Item(1)->DisplayRect(TDisplayCode::drBounds);
  POINT box{bounds.left + 8, (bounds.top + bounds.bottom) / 2};
  (void)icon;
  Click(box);
  EXPECT_TRUE(List->Items()->Item(1)->Checked());
  EXPECT_EQ(List->ItemIndex(), 0);
  Click(CellPoint(1, 0));
  EXPECT_EQ(List->ItemIndex(), 0);
}

TEST_F(AdvInput, OwnerDrawnCheckBoxesToggleUpToFourteenPixels) {
  AddColumns({100, 100});
  List->SetOwnerDraw(true);
  List->SetCheckboxes(true);
  AddRow(L"a");
  AddRow(L"b");
  Form->Show();
  List->SetItemIndex(0);
  std::vector<std::pair<int, bool>> clicks;
  List->OnCheckboxClick = [&](TObject*, int i, bool State) { clicks.push_back({i, State}); };
  TRect r = List->Items()->Item(1)->DisplayRect(TDisplayCode::drBounds);
  int y = (r.top + r.bottom) / 2;
  Click(POINT{14, y});
  EXPECT_TRUE(List->Items()->Item(1)->Checked());
  EXPECT_EQ(List->ItemIndex(), 0);
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0], std::make_pair(1, true));
  // Past the box the click selects as usual (the platform's own state-icon
  // zone reaches a few pixels further).
  Click(POINT{40, y});
  EXPECT_EQ(List->ItemIndex(), 1);
  EXPECT_TRUE(List->Items()->Item(1)->Checked());
  EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(AdvInput, ClicksReportTheirCell) {
  AddColumns({100, 100, 100});
  AddRow(L"a", {L"1", L"2"});
  Form->Show();
  List->SetColumnOrder({2, 1, 0});
  std::vector<std::pair<int, int>> left, right;
  List->OnLeftClickCell = [&](TObject*, int i, int s) { left.push_back({i, s}); };
  List->OnRightClickCell = [&](TObject*, int i, int s) { right.push_back({i, s}); };
  Click(CellPoint(0, 2));
  POINT p = CellPoint(0, 1);
  // The platform list follows a right press in a loop of its own until the
  // release, which is waiting in the queue.
  PostMessageW(List->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  Send(WM_RBUTTONDOWN, MK_RBUTTON, p);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0], std::make_pair(0, 2));
  ASSERT_EQ(right.size(), 1u);
  EXPECT_EQ(right[0], std::make_pair(0, 1));
}

TEST_F(AdvInput, LinksOpenThroughTheShellUnlessHandled) {
  AddColumns({240});
  AddRow(L"https://example.com/a");
  AddRow(L"mailto:ann@example.com");
  Form->Show();
  List->SetURLShow(true);
  bool handle = true;
  std::vector<String> urls;
  List->OnURLClick = [&](TObject*, int, const String& Url, bool& Handled) {
    urls.push_back(Url);
    Handled = handle;
  };
  Click(CellPoint(0, 0));
  EXPECT_EQ(urls, (std::vector<String>{L"https://example.com/a"}));
  EXPECT_TRUE(Opened.empty());
  handle = false;
  Click(CellPoint(1, 0));
  ASSERT_EQ(Opened.size(), 1u);
  EXPECT_EQ(Opened[0].Verb, L"open");
  EXPECT_EQ(Opened[0].File, L"mailto:ann@example.com");  // the whole text, scheme and all
  EXPECT_EQ(Opened[0].Show, SW_SHOWNORMAL);
}

TEST_F(AdvInput, AnchorsClickEnterAndExit) {
  AddColumns({300});
  const String one = L"MMMMMM", two = L"WWWWWW";
  AddRow(L"<a href=\"one\">" + one + L"</a><a href=\"two\">" + two + L"</a>");
  AddRow(L"go <a href=\"https://example.com/\">" + one + L"</a>");
  Form->Show();
  std::vector<String> events;
  List->OnAnchorEnter = [&](TObject*, const String& a) { events.push_back(L"enter " + a); };
  List->OnAnchorExit = [&](TObject*, const String& a) { events.push_back(L"exit " + a); };
  List->OnAnchorClick = [&](TObject*, const String& a) { events.push_back(L"click " + a); };
  TRect label = List->GetItemRect(0, 0);
  int y = (label.top + label.bottom) / 2;
  int w1 = List->Canvas()->TextWidth(one), w2 = List->Canvas()->TextWidth(two);
  POINT onOne{label.left + 2 + w1 / 2, y}, onTwo{label.left + 2 + w1 + w2 / 2, y}, past{label.left + 2 + w1 + w2 + 40, y};
  Send(WM_MOUSEMOVE, 0, onOne);
  EXPECT_EQ(List->Cursor(), 8019);
  Send(WM_MOUSEMOVE, 0, onTwo);
  Send(WM_MOUSEMOVE, 0, past);
  EXPECT_EQ(events, (std::vector<String>{L"enter one", L"exit one"}));
  EXPECT_NE(List->Cursor(), 8019);
  events.clear();
  Click(onTwo);
  EXPECT_EQ(events, (std::vector<String>{L"click two"}));
  EXPECT_TRUE(Opened.empty());  // an anchor without a scheme opens nothing
  TRect second = List->GetItemRect(1, 0);
  int go = List->Canvas()->TextWidth(L"go ");
  Click(POINT{second.left + 2 + go + w1 / 2, (second.top + second.bottom) / 2});
  ASSERT_EQ(Opened.size(), 1u);
  EXPECT_EQ(Opened[0].File, L"https://example.com/");
}

TEST_F(AdvInput, DraggedRowsMoveToWhereTheyAreDropped) {
  AddColumns({100});
  for (const wchar_t* s : {L"a", L"b", L"c", L"d"}) AddRow(s);
  Form->Show();
  List->SetReArrangeItems(true);
  std::vector<std::pair<int, int>> moves;
  List->OnRearrange = [&](TObject*, int From, int To) { moves.push_back({From, To}); };
  Send(WM_LBUTTONDOWN, MK_LBUTTON, CellPoint(0, 0));
  Send(WM_LBUTTONUP, 0, CellPoint(2, 0));
  EXPECT_EQ(List->GetTextAtColRow(0, 2), L"a");
  EXPECT_EQ(List->GetTextAtColRow(0, 0), L"b");
  Send(WM_LBUTTONDOWN, MK_LBUTTON, CellPoint(0, 0));
  Send(WM_LBUTTONUP, 0, POINT{20, 250});  // below every row
  EXPECT_EQ(List->GetTextAtColRow(0, 3), L"b");
  EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{0, 2}, {0, -1}}));
  // Leaving the window ends a drag without a move.
  Send(WM_LBUTTONDOWN, MK_LBUTTON, CellPoint(0, 0));
  SendMessageW(List->Handle(), WM_MOUSELEAVE, 0, 0);
  Send(WM_LBUTTONUP, 0, CellPoint(3, 0));
  EXPECT_EQ(moves.size(), 2u);
}

TEST_F(AdvInput, ADraggedRowScrollsTheListNearItsEdge) {
  AddColumns({100});
  for (int i = 0; i < 60; ++i) AddRow(L"row " + std::to_wstring(i));
  Form->Show();
  List->SetReArrangeItems(true);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, CellPoint(2, 0));
  TPoint bottom = List->ClientToScreen(TPoint(20, List->ClientHeight() - 3));
  SetCursorPos(bottom.x, bottom.y);
  POINT now;
  GetCursorPos(&now);
  if (now.x != bottom.x || now.y != bottom.y) GTEST_SKIP() << "the pointer cannot be placed on this display";
  SendMessageW(List->Handle(), WM_TIMER, 1222, 0);
  EXPECT_EQ(List->TopItem()->Index(), 1);
  SendMessageW(List->Handle(), WM_TIMER, 1222, 0);
  EXPECT_EQ(List->TopItem()->Index(), 2);
  TPoint top = List->ClientToScreen(TPoint(20, 3));
  SetCursorPos(top.x, top.y);
  SendMessageW(List->Handle(), WM_TIMER, 1222, 0);
  EXPECT_EQ(List->TopItem()->Index(), 1);
  // Without a drag the timer moves nothing.
  SendMessageW(List->Handle(), WM_MOUSELEAVE, 0, 0);
  SendMessageW(List->Handle(), WM_TIMER, 1222, 0);
  EXPECT_EQ(List->TopItem()->Index(), 1);
}

TEST_F(AdvInput, CellKeysStayWithinTheColumns) {
  AddColumns({80, 80, 80});
  AddRow(L"a", {L"1", L"2"});
  Form->Show();
  List->SetSubItemSelect(true);
  List->SetItemIndex(0);
  Key(VK_LEFT);
  EXPECT_EQ(List->ColumnIndex(), 0);
  Key(VK_RIGHT);
  EXPECT_EQ(List->ColumnIndex(), 1);
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  EXPECT_EQ(List->ColumnIndex(), 2);
  EXPECT_EQ(List->ItemIndex(), 0);
}

TEST_F(AdvInput, ClipboardKeysOnlyWhenEnabled) {
  AddColumns({80});
  AddRow(L"a");
  Form->Show();
  List->SetItemIndex(0);
  Clipboard()->SetAsText(L"untouched");
  WithKeys({VK_CONTROL}, [&] { Key('C'); });
  EXPECT_EQ(Clipboard()->AsText(), L"untouched");
  List->SetClipboardEnable(true);
  WithKeys({VK_CONTROL}, [&] { Key('C'); });
  EXPECT_EQ(Clipboard()->AsText(), L"a\r\n");
  Clipboard()->SetAsText(L"b");
  WithKeys({VK_SHIFT}, [&] { Key(VK_INSERT); });
  EXPECT_EQ(List->Items()->Count(), 2);
}

TEST_F(AdvInput, SpaceReportsTheCheckStateAboutToBeSet) {
  AddColumns({80});
  List->SetCheckboxes(true);
  AddRow(L"a");
  Form->Show();
  List->SetItemIndex(0);
  std::vector<bool> states;
  List->OnCheckboxClick = [&](TObject*, int, bool State) { states.push_back(State); };
  Key(VK_SPACE);
  ASSERT_EQ(states.size(), 1u);
  EXPECT_TRUE(states[0]);
}

TEST_F(AdvInput, TheScrollHintShowsTheTopRow) {
  AddColumns({80});
  for (int i = 0; i < 60; ++i) AddRow(L"row " + std::to_wstring(i));
  Form->Show();
  List->SetScrollHint(true);
  List->Scroll(0, 200);
  TColor savedColor = Application->HintColor();
  Application->SetHintColor(clYellow);
  SendMessageW(List->Handle(), WM_VSCROLL, SB_THUMBTRACK, 0);
  Application->SetHintColor(savedColor);
  EXPECT_TRUE(List->ScrollHintShowing());
  EXPECT_EQ(List->ScrollHintText(), List->TopItem()->Caption());
  EXPECT_NE(List->ScrollHintText(), L"row 0");
  // In the application's hint colour.
  HWND hint = List->ScrollHintWindow();
  EXPECT_EQ(static_cast<COLORREF>(SendMessageW(hint, TTM_GETTIPBKCOLOR, 0, 0)), ColorToRGB(clYellow));
  SendMessageW(List->Handle(), WM_VSCROLL, SB_ENDSCROLL, 0);
  EXPECT_FALSE(List->ScrollHintShowing());
  // The hint window goes with the list's window, also when the list makes
  // its window again.
  List->SetOwnerDraw(true);
  EXPECT_FALSE(IsWindow(hint));
  EXPECT_EQ(List->ScrollHintWindow(), nullptr);
}

TEST_F(AdvInput, CellHints) {
  AddColumns({60, 200});
  AddRow(L"a very long caption that cannot fit", {L"short"});
  AddRow(L"x", {L"see <a href=\"https://example.com/\" title=\"Example\">MMMM</a>"});
  Form->Show();
  TPoint pos;
  EXPECT_EQ(List->BuildCellHint(TPoint(CellPoint(0, 0)), pos), L"");  // AutoHint off
  List->SetAutoHint(true);
  EXPECT_EQ(List->BuildCellHint(TPoint(CellPoint(0, 1)), pos), L"short");
  List->SetHintLargeText(true);
  EXPECT_EQ(List->BuildCellHint(TPoint(CellPoint(0, 1)), pos), L"");
  EXPECT_EQ(List->BuildCellHint(TPoint(CellPoint(0, 0)), pos), L"a very long caption that cannot fit");
  TRect cell = List->GetItemRect(0, 0);
  EXPECT_EQ(pos, List->ClientToScreen(TPoint(0, cell.top)));
  // Markup: the title of the link under the pointer, else the plain text.
  TRect r = List->GetItemRect(1, 1);
  int see = List->Canvas()->TextWidth(L"see ");
  TPoint onLink(r.left + 2 + see + List->Canvas()->TextWidth(L"MMMM") / 2, (r.top + r.bottom) / 2);
  EXPECT_EQ(List->BuildCellHint(onLink, pos), L"Example");
  EXPECT_EQ(List->BuildCellHint(TPoint(r.left + 4, (r.top + r.bottom) / 2), pos), L"see MMMM");
  List->SetHintLargeText(false);
  List->OnInfoTip = [](TObject*, TListItem*, String& Tip) { Tip = L"  from the handler  "; };
  EXPECT_EQ(List->BuildCellHint(TPoint(CellPoint(0, 1)), pos), L"from the handler");
  // The hint request of the application: the cell's text at the cell, or
  // no hint at all.
  List->OnInfoTip = nullptr;
  THintInfo info;
  info.HintControl = List;
  info.CursorPos = TPoint(CellPoint(0, 1));
  info.HintStr = L"the control's own hint";
  EXPECT_EQ(List->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)), 0);
  EXPECT_EQ(info.HintStr, L"short");
  EXPECT_EQ(info.HintPos, List->ClientToScreen(TPoint(List->GetItemRect(0, 1).left, List->GetItemRect(0, 1).top)));
  info.CursorPos = TPoint(10, 260);  // no cell
  EXPECT_EQ(List->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)), 1);
  List->SetAutoHint(false);
  info.HintStr = L"the control's own hint";
  EXPECT_EQ(List->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)), 0);
  EXPECT_EQ(info.HintStr, L"the control's own hint");
}

struct AdvEdit : AdvFixture {
  HWND Editor() { return reinterpret_cast<HWND>(SendMessageW(List->Handle(), LVM_GETEDITCONTROL, 0, 0)); }
  void SetUp() override {
    AdvFixture::SetUp();
    AddColumns({80, 80, 80});
    for (int i = 0; i < 6; ++i) AddRow(L"r" + std::to_wstring(i), {L"a" + std::to_wstring(i), L"b" + std::to_wstring(i)});
    List->SetReadOnly(false);
    List->SetSubItemEdit(true);
    Form->Show();
  }
  void Edit(int Row, int Col, const String& Text, WORD EndKey) {
    List->StartEdit(Row, Col);
    HWND e = Editor();
    ASSERT_NE(e, nullptr);
    SetWindowTextW(e, Text.c_str());
    SendMessageW(e, WM_KEYDOWN, EndKey, 0);
    EXPECT_EQ(Editor(), nullptr);
  }
};

TEST_F(AdvEdit, EnterStoresTheCellAndKeepsTheCaption) {
  EXPECT_TRUE(List->OwnerDraw());
  List->StartEdit(5, 2);
  HWND e = Editor();
  ASSERT_NE(e, nullptr);
  wchar_t buf[64];
  GetWindowTextW(e, buf, 64);
  EXPECT_EQ(String(buf), L"b5");
  // The editor sits on the cell.
  RECT er;
  GetWindowRect(e, &er);
  MapWindowPoints(HWND_DESKTOP, List->Handle(), reinterpret_cast<POINT*>(&er), 2);
  TRect cell = List->GetItemRect(5, 2);
  EXPECT_EQ(er.left, cell.left);
  EXPECT_EQ(er.top, cell.top);
  List->SetEditText(L"new");
  SendMessageW(e, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(List->GetTextAtColRow(2, 5), L"new");
  EXPECT_EQ(List->GetTextAtColRow(0, 5), L"r5");
  EXPECT_EQ(List->GetTextAtColRow(1, 5), L"a5");
}

TEST_F(AdvEdit, EscapeKeepsTheOldTextAndLongTextsStayWhole) {
  Edit(2, 1, L"discarded", VK_ESCAPE);
  EXPECT_EQ(List->GetTextAtColRow(1, 2), L"a2");
  String longText(2000, L'x');
  longText += L"end";
  Edit(2, 1, longText, VK_RETURN);
  EXPECT_EQ(List->GetTextAtColRow(1, 2), longText);
}

TEST_F(AdvEdit, HandlersChangeOrRefuseTheEdit) {
  List->OnEdited = [](TObject*, TListItem*, String& S) { S = L"[" + S + L"]"; };
  Edit(1, 0, L"cap", VK_RETURN);
  EXPECT_EQ(List->GetTextAtColRow(0, 1), L"[cap]");
  std::vector<std::pair<int, int>> asked;
  List->OnCanEditCell = [&](TObject*, int i, int s, bool& Allow) {
    asked.push_back({i, s});
    Allow = false;
  };
  List->StartEdit(3, 2);
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{3, 2}}));
  EXPECT_EQ(List->GetTextAtColRow(2, 3), L"b3");
}

TEST_F(AdvEdit, TheEditorCoversTheEmptyImageSlot) {
  auto* images = new TImageList(Form);
  images->SetSize(16, 16);
  List->SetSmallImages(images);
  List->StartEdit(4, 0);
  HWND e = Editor();
  ASSERT_NE(e, nullptr);
  RECT er;
  GetWindowRect(e, &er);
  MapWindowPoints(HWND_DESKTOP, List->Handle(), reinterpret_cast<POINT*>(&er), 2);
  EXPECT_EQ(er.left, List->GetItemRect(4, 0).left - 16);
  SendMessageW(e, WM_KEYDOWN, VK_ESCAPE, 0);
}

}  // namespace
