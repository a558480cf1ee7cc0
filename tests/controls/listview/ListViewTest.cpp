#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "base/ImgList.h"
#include "base/ListView.h"
#include "tests/controls/listview/ShownColumn.h"
#include "tests/support/Gui.h"
#include "tests/support/MessageCounter.h"

namespace {

String WindowText(TListView* lv, int Item, int Column) {
  wchar_t buf[256] = {0};
  LVITEMW it{};
  it.iSubItem = Column;
  it.pszText = buf;
  it.cchTextMax = 256;
  SendMessageW(lv->Handle(), LVM_GETITEMTEXTW, static_cast<WPARAM>(Item), reinterpret_cast<LPARAM>(&it));
  return buf;
}

struct ListFixture : ::testing::Test {
  TForm* Form = nullptr;
  TListView* List = nullptr;
  std::vector<std::wstring> Events;

  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(40, 40, 420, 300);
    List = new TListView(Form);
    List->SetParent(Form);
    List->SetBounds(0, 0, 400, 260);
    List->SetViewStyle(TViewStyle::vsReport);
    List->SetReadOnly(true);
    List->SetRowSelect(true);
    const wchar_t* captions[] = {L"Name", L"Number", L"Body"};
    int widths[] = {120, 100, 0};
    for (int i = 0; i < 3; ++i) {
      TListColumn* c = List->Columns()->Add();
      c->SetCaption(captions[i]);
      c->SetWidth(widths[i]);
    }
    List->OnSelectItem = [this](TObject*, TListItem* Item, bool Selected) {
      Events.push_back((Selected ? L"+" : L"-") + Item->Caption());
    };
  }
  void TearDown() override { Form->Free(); }

  TListItem* AddRow(const String& Caption, std::initializer_list<const wchar_t*> Subs) {
    TListItem* item = List->Items()->Add();
    item->SetCaption(Caption);
    for (const wchar_t* s : Subs) item->SubItems()->Add(s);
    return item;
  }
  LPARAM RowPoint(TListItem* Item, int X = 10) {
    TRect r = Item->DisplayRect(TDisplayCode::drBounds);
    return MAKELPARAM(X, (r.top + r.bottom) / 2);
  }
  void Click(TListItem* Item) {
    SendMessageW(List->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, RowPoint(Item));
    SendMessageW(List->Handle(), WM_LBUTTONUP, 0, RowPoint(Item));
  }
};

using ListItems = ListFixture;
using ListSelection = ListFixture;
using ListDrawing = ListFixture;

TEST_F(ListItems, TheWindowShowsCaptionsAndSubItemsAsTheyChange) {
  AddRow(L"Ann", {L"+48 111", L"hello"});
  Form->Show();
  TListItem* top = List->Items()->Insert(0);  // the in-box puts new rows on top
  top->SetCaption(L"Bob");
  top->SubItems()->Add(L"+48 222");
  ASSERT_EQ(List->Items()->Count(), 2);
  EXPECT_EQ(List->Items()->Item(1)->Index(), 1);
  EXPECT_EQ(WindowText(List, 0, 0), L"Bob");
  EXPECT_EQ(WindowText(List, 0, 1), L"+48 222");
  EXPECT_EQ(WindowText(List, 0, 2), L"");  // no such sub-item yet
  EXPECT_EQ(WindowText(List, 1, 2), L"hello");
  List->Items()->Item(1)->SubItems()->SetStrings(0, L"+48 999");
  EXPECT_EQ(WindowText(List, 1, 1), L"+48 999");
  // A column added later shows what the items already hold.
  List->Items()->Item(1)->SubItems()->Add(L"extra");
  List->Columns()->Add()->SetCaption(L"Extra");
  EXPECT_EQ(WindowText(List, 1, 3), L"extra");
  EXPECT_EQ(SendMessageW(List->Handle(), LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(List->Columns()->Items(2)->Width(), 0);  // hidden data column
  EXPECT_THROW(List->Items()->Item(2), EListError);
  EXPECT_THROW(List->Items()->Insert(5), EListError);
  List->Items()->Delete(0);
  EXPECT_EQ(List->Items()->Item(0)->Caption(), L"Ann");
  EXPECT_EQ(List->Items()->Item(0)->Index(), 0);
  List->Items()->Clear();
  EXPECT_EQ(List->Items()->Count(), 0);
  EXPECT_EQ(SendMessageW(List->Handle(), LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(ListItems, ColumnsPutInMovedAndTakenOutKeepEveryCellInItsPlace) {
  AddRow(L"Ann", {L"1", L"a", L"x", L"p"});
  AddRow(L"Bob", {L"2", L"b", L"y", L"q"});
  Form->Show();
  auto expectCells = [&](const char* When) {
    SCOPED_TRACE(When);
    ASSERT_EQ(SendMessageW(List->HeaderHandle(), HDM_GETITEMCOUNT, 0, 0), List->Columns()->Count());
    for (int r = 0; r < 2; ++r) {
      TListItem* item = List->Items()->Item(r);
      for (int c = 0; c < List->Columns()->Count(); ++c)
        EXPECT_EQ(WindowText(List, r, c), c == 0 ? item->Caption() : item->SubItems()->Strings(c - 1));
    }
  };
  List->Columns()->Add()->SetCaption(L"D");
  static_cast<TListColumn*>(List->Columns()->Insert(1))->SetCaption(L"B2");
  expectCells("put in");
  List->Columns()->Items(4)->SetIndex(2);
  expectCells("moved");
  List->Columns()->Delete(2);
  expectCells("taken out");
  List->Columns()->BeginUpdate();
  List->Columns()->Add();
  List->Columns()->Delete(1);
  List->Columns()->Insert(2);
  List->Columns()->EndUpdate();
  expectCells("in one bracket");
}

TEST_F(ListItems, AColumnIsWrittenToTheWindowOnlyWhenWhatItShowsChanged) {
  AddRow(L"Ann", {L"1", L"a"});
  Form->Show();
  HWND header = List->HeaderHandle();
  TMessageCounter writes(header, HDM_SETITEMW);  // the header writes of the list
  for (int i = 0; i < 20; ++i) List->Columns()->Add()->SetCaption(L"c" + std::to_wstring(i));
  int perColumn = writes.Count;
  writes.Count = 0;
  List->Columns()->Items(1)->SetCaption(L"Phone");
  EXPECT_EQ(writes.Count, 1);
  List->Columns()->Items(1)->SetAlignment(TAlignment::taRightJustify);
  EXPECT_EQ(writes.Count, 2);
  writes.Count = 0;
  List->Columns()->BeginUpdate();
  List->Columns()->EndUpdate();  // nothing changed: nothing written
  EXPECT_EQ(writes.Count, 0);
  EXPECT_LE(perColumn, 20);  // one write per new caption, none for the others
  // What the window shows is what the columns hold.
  TShownColumn shown = ShownColumn(List->Handle(), 1);
  EXPECT_EQ(shown.Text, L"Phone");
  EXPECT_EQ(shown.Format & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);
}

TEST_F(ListItems, ChangesWhileTheWindowDoesNotRedrawAskForNoRowAndShowAfterwards) {
  TListItem* a = AddRow(L"Ann", {L"1"});
  Form->Show();
  TMessageCounter redraws(List->Handle(), LVM_REDRAWITEMS);
  struct TCase {
    const char* Name;
    void (*Begin)(TListView*);
    void (*End)(TListView*);
  };
  const TCase cases[] = {
      {"items bracket", [](TListView* l) { l->Items()->BeginUpdate(); }, [](TListView* l) { l->Items()->EndUpdate(); }},
      {"nested bracket",
       [](TListView* l) {
         l->Items()->BeginUpdate();
         l->Items()->BeginUpdate();
       },
       [](TListView* l) {
         l->Items()->EndUpdate();
         l->Items()->EndUpdate();
       }},
      {"redraw message", [](TListView* l) { SendMessageW(l->Handle(), WM_SETREDRAW, FALSE, 0); },
       [](TListView* l) {
         SendMessageW(l->Handle(), WM_SETREDRAW, TRUE, 0);
         InvalidateRect(l->Handle(), nullptr, TRUE);
       }},
  };
  int n = 0;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    String tag = std::to_wstring(++n);
    UpdateWindow(List->Handle());
    redraws.Count = 0;
    c.Begin(List);
    a->SetCaption(L"Ann" + tag);
    a->SubItems()->SetStrings(0, L"one" + tag);
    a->SubItems()->Add(L"body" + tag);
    EXPECT_EQ(redraws.Count, 0);  // no row is measured while nothing is drawn
    c.End(List);
    EXPECT_TRUE(GetUpdateRect(List->Handle(), nullptr, FALSE));  // the whole list paints again
    EXPECT_EQ(WindowText(List, 0, 0), L"Ann" + tag);
    EXPECT_EQ(WindowText(List, 0, 1), L"one" + tag);
    EXPECT_EQ(WindowText(List, 0, 2), L"body" + tag);
    a->SubItems()->Delete(1);
    // Drawing again, every change redraws its row at once.
    UpdateWindow(List->Handle());
    redraws.Count = 0;
    a->SetCaption(L"Bob" + tag);
    EXPECT_EQ(redraws.Count, 1);
    EXPECT_TRUE(GetUpdateRect(List->Handle(), nullptr, FALSE));
  }
}

TEST_F(ListItems, AColumnDraggedWiderKeepsItsWidthWhenMovedInABracket) {
  AddRow(L"Ann", {L"1", L"a"});
  Form->Show();
  // The user drags the third column to 93 pixels.
  SendMessageW(List->Handle(), LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(93, 0));
  TListColumn* body = List->Columns()->Items(2);
  List->Columns()->BeginUpdate();
  body->SetIndex(0);
  EXPECT_EQ(body->Width(), 93);  // read where the window still has it
  EXPECT_EQ(List->Columns()->Items(1)->Width(), 120);
  List->Columns()->EndUpdate();
  EXPECT_EQ(SendMessageW(List->Handle(), LVM_GETCOLUMNWIDTH, 0, 0), 93);
  EXPECT_EQ(body->Width(), 93);
  EXPECT_EQ(SendMessageW(List->Handle(), LVM_GETCOLUMNWIDTH, 1, 0), 120);
}

TEST_F(ListItems, ARecreatedWindowKeepsItemsStatesWidthsAndOrder) {
  List->SetCheckboxes(true);
  TListItem* a = AddRow(L"Ann", {L"1"});
  TListItem* b = AddRow(L"Bob", {L"2", L"body"});
  AddRow(L"Cid", {L"3"});
  Form->Show();
  b->SetChecked(true);
  List->SetItemIndex(1);
  a->SetStateIndex(3);  // ignored by the window while check boxes are on
  List->Columns()->Items(1)->SetWidth(77);
  List->SetColumnOrder({1, 0, 2});
  HWND before = List->Handle();
  Events.clear();

  List->SetOwnerDraw(true);  // a new window with the owner-draw style

  EXPECT_NE(List->Handle(), before);
  EXPECT_TRUE(GetWindowLongPtrW(List->Handle(), GWL_STYLE) & LVS_OWNERDRAWFIXED);
  EXPECT_TRUE(Events.empty());  // restoring is no selection change
  ASSERT_EQ(SendMessageW(List->Handle(), LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(WindowText(List, 1, 2), L"body");
  EXPECT_EQ(List->ItemIndex(), 1);
  EXPECT_TRUE(List->Items()->Item(1)->Checked());
  EXPECT_FALSE(List->Items()->Item(0)->Checked());
  EXPECT_EQ(List->Columns()->Items(1)->Width(), 77);
  EXPECT_EQ(List->ColumnOrder(), (std::vector<int>{1, 0, 2}));
  EXPECT_EQ(a->StateIndex(), 3);
}

TEST_F(ListSelection, CodeAndClicksReportTheRowLosingThenTheRowGaining) {
  TListItem* a = AddRow(L"Ann", {});
  TListItem* b = AddRow(L"Bob", {});
  Form->Show();
  List->SetItemIndex(0);
  EXPECT_EQ(Events, (std::vector<std::wstring>{L"+Ann"}));
  Events.clear();
  List->SetItemIndex(1);
  EXPECT_EQ(Events, (std::vector<std::wstring>{L"-Ann", L"+Bob"}));
  EXPECT_EQ(List->Selected(), b);
  EXPECT_EQ(List->SelCount(), 1);

  int clicks = 0;
  List->OnClick = [&](TObject*) { ++clicks; };
  Events.clear();
  Click(a);
  EXPECT_EQ(Events, (std::vector<std::wstring>{L"-Bob", L"+Ann"}));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(List->ItemIndex(), 0);

  int doubles = 0;
  List->OnDblClick = [&](TObject*) { ++doubles; };
  SendMessageW(List->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, RowPoint(b));
  SendMessageW(List->Handle(), WM_LBUTTONUP, 0, RowPoint(b));
  EXPECT_EQ(doubles, 1);

  Events.clear();
  List->SetItemIndex(-1);
  EXPECT_EQ(List->ItemIndex(), -1);
  EXPECT_EQ(List->Selected(), nullptr);
  EXPECT_EQ(Events.size(), 1u);
}

TEST_F(ListSelection, HeaderClicksNameTheirColumn) {
  AddRow(L"Ann", {L"1"});
  Form->Show();
  TListColumn* clicked = nullptr;
  List->OnColumnClick = [&](TObject*, TListColumn* c) { clicked = c; };
  HWND header = List->HeaderHandle();
  ASSERT_NE(header, nullptr);
  RECT r;
  SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(header, WM_LBUTTONUP, 0, at);
  EXPECT_EQ(clicked, List->Columns()->Items(1));
}

TEST_F(ListItems, CustomSortOrdersTheWindowAndTheItemsAlike) {
  AddRow(L"b", {L"2"});
  AddRow(L"c", {L"1"});
  AddRow(L"a", {L"3"});
  Form->Show();
  List->CustomSort([](TListItem* x, TListItem* y, LPARAM) { return x->SubItems()->Strings(0).compare(y->SubItems()->Strings(0)); }, 0);
  EXPECT_EQ(List->Items()->Item(0)->Caption(), L"c");
  EXPECT_EQ(List->Items()->Item(2)->Caption(), L"a");
  EXPECT_EQ(List->Items()->Item(2)->Index(), 2);
  EXPECT_EQ(WindowText(List, 0, 0), L"c");
  EXPECT_EQ(WindowText(List, 2, 1), L"3");
  // A comparison that raises ends the sort with its exception.
  EXPECT_THROW(List->CustomSort([](TListItem*, TListItem*, LPARAM) -> int { throw Exception(L"no"); }, 0), Exception);
  EXPECT_EQ(List->Items()->Count(), 3);
}

TEST_F(ListItems, EditedCaptionPassesThroughTheHandler) {
  List->SetReadOnly(false);
  AddRow(L"Ann", {});
  Form->Show();
  List->OnEdited = [](TObject*, TListItem*, String& S) { S += L"!"; };
  List->EditCaption(List->Items()->Item(0));
  HWND edit = reinterpret_cast<HWND>(SendMessageW(List->Handle(), LVM_GETEDITCONTROL, 0, 0));
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(List->IsEditing());
  SetWindowTextW(edit, L"Anna");
  SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(List->Items()->Item(0)->Caption(), L"Anna!");
  // A refusal keeps the editor shut.
  List->OnEditing = [](TObject*, TListItem*, bool& Allow) { Allow = false; };
  List->EditCaption(List->Items()->Item(0));
  EXPECT_FALSE(List->IsEditing());
}

TEST_F(ListDrawing, TheCustomDrawHandlerColoursEachRow) {
  for (int i = 0; i < 4; ++i) AddRow(L"row" + std::to_wstring(i), {L"x"});
  List->SetColor(clWhite);
  List->OnAdvancedCustomDrawItem = [](TCustomListView* Sender, TListItem* Item, TCustomDrawState, TCustomDrawStage,
                                      bool&) {
    Sender->Canvas()->Brush()->SetColor(Item->Index() % 2 ? TColor(0x00E0FFE0) : clWhite);
  };
  Form->Show();
  TBitmap* bmp = PaintToBitmap(List);
  for (int i = 0; i < 4; ++i) {
    TRect r = List->Items()->Item(i)->DisplayRect(TDisplayCode::drBounds);
    TColor want = i % 2 ? TColor(0x00E0FFE0) : clWhite;
    // Past the text of the row, in the second column.
    EXPECT_EQ(PixelAt(bmp, 200, r.bottom - 2), want) << "row " << i;
  }
  bmp->Free();
}

TEST_F(ListDrawing, OwnerDrawnRowsAreDrawnByTheHandler) {
  for (int i = 0; i < 3; ++i) AddRow(L"row" + std::to_wstring(i), {});
  List->SetOwnerDraw(true);
  std::vector<int> drawn;
  List->OnDrawItem = [&](TCustomListView* Sender, TListItem* Item, const TRect& Rect, TOwnerDrawState) {
    drawn.push_back(Item->Index());
    Sender->Canvas()->Brush()->SetColor(Item->Index() == 1 ? clRed : clBlue);
    Sender->Canvas()->FillRect(Rect);
  };
  Form->Show();
  TBitmap* bmp = PaintToBitmap(List);
  EXPECT_GE(drawn.size(), 3u);
  TRect r1 = List->Items()->Item(1)->DisplayRect(TDisplayCode::drBounds);
  TRect r2 = List->Items()->Item(2)->DisplayRect(TDisplayCode::drBounds);
  EXPECT_EQ(PixelAt(bmp, 50, (r1.top + r1.bottom) / 2), clRed);
  EXPECT_EQ(PixelAt(bmp, 50, (r2.top + r2.bottom) / 2), clBlue);
  bmp->Free();
}

TEST_F(ListItems, StateImagesAndImageListsReachTheWindow) {
  auto* images = new TImageList(Form);
  List->SetSmallImages(images);
  List->SetStateImages(images);
  TListItem* a = AddRow(L"a", {});
  a->SetStateIndex(3);
  TListItem* b = AddRow(L"b", {});
  b->SetStateIndex(15);  // beyond what the window shows
  Form->Show();
  HWND h = List->Handle();
  EXPECT_EQ(SendMessageW(h, LVM_GETITEMSTATE, 0, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(4));
  EXPECT_EQ(SendMessageW(h, LVM_GETITEMSTATE, 1, LVIS_STATEIMAGEMASK), 0);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(h, LVM_GETIMAGELIST, LVSIL_SMALL, 0)), images->Handle());
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(h, LVM_GETIMAGELIST, LVSIL_STATE, 0)), images->Handle());
  // A list that goes is let go of.
  images->Free();
  EXPECT_EQ(List->SmallImages(), nullptr);
  EXPECT_EQ(List->StateImages(), nullptr);
  EXPECT_EQ(SendMessageW(h, LVM_GETIMAGELIST, LVSIL_SMALL, 0), 0);
}

TEST_F(ListItems, ItemsBeforeTheWindowKeepTheirSelection) {
  AddRow(L"Ann", {});
  AddRow(L"Bob", {});
  List->SetItemIndex(1);
  EXPECT_EQ(List->ItemIndex(), 1);
  Form->Show();
  EXPECT_EQ(List->ItemIndex(), 1);
  EXPECT_EQ(List->ItemFocused(), List->Items()->Item(1));
  EXPECT_EQ(List->TopItem(), List->Items()->Item(0));
  EXPECT_GT(List->VisibleRowCount(), 2);
}

}  // namespace
