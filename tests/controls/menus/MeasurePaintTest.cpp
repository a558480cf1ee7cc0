// Item measuring and painting by direct calls: sizes for the platform, and
// items painted into memory bitmaps with rectangles relative to the item.
#include <gtest/gtest.h>

#include "base/ActnList.h"
#include "base/ImgList.h"
#include "tests/support/Gui.h"
#include "ui/controls/menus/AdvMenuDraw.h"
#include "ui/controls/menus/AdvMenuUtil.h"

namespace {

using OD = TOwnerDrawStateItem;
constexpr TColor kWhite = 0xFFFFFF;

class ItemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SavedColumn = MenuColumnWidth;
    SetMenuPixelsPerInch(96);
    InitMenuColumnWidth();
    Owner = new TForm(nullptr);
    Popup = new TAdvPopupMenu(Owner);
    Styler = Popup->GetCurrentMenuStyler();
    Bitmap = new TBitmap(200, 60, TPixelFormat::pf32bit);
    Clear();
  }
  void TearDown() override {
    Bitmap->Free();
    Owner->Free();
    SetMenuPixelsPerInch(0);
    MenuColumnWidth = SavedColumn;
  }

  TMenuItem* Add(const String& Caption, TMenuItem* Parent = nullptr, TMenu* Menu = nullptr) {
    auto* i = new TMenuItem(Owner);
    i->SetCaption(Caption);
    (Parent ? Parent : (Menu ? Menu : Popup)->Items())->Add(i);
    return i;
  }
  void Clear() {
    Canvas()->Brush()->SetColor(kWhite);
    Canvas()->FillRect(TRect(0, 0, Bitmap->Width(), Bitmap->Height()));
    Canvas()->Font()->Assign(Screen->MenuFont());
  }
  TCanvas* Canvas() { return Bitmap->Canvas(); }
  TColor At(int X, int Y) {
    GdiFlush();
    return PixelAt(Bitmap, X, Y);
  }
  TSize TextSize(const String& Text) {
    TRect r;
    Canvas()->TextRect(r, Text, DT_CALCRECT | DT_SINGLELINE);
    return TSize(r.Width(), r.Height());
  }
  // Measures with the platform's proposal (0, 19).
  TSize Measure(TMenuItem* Item, bool SideBar = false, int Proposed = 19) {
    Canvas()->Font()->Assign(Screen->MenuFont());
    int w = 0, h = Proposed;
    MeasureMenuItem(Item, Canvas(), w, SideBar, h);
    Canvas()->Font()->Assign(Screen->MenuFont());
    return TSize(w, h);
  }
  // Dark pixels (text) in a rectangle.
  int Ink(const TRect& R) {
    int n = 0;
    GdiFlush();
    for (int y = R.top; y < R.bottom; ++y)
      for (int x = R.left; x < R.right; ++x) {
        TColor c = PixelAt(Bitmap, x, y);
        if ((c & 0xFF) < 0x80 && ((c >> 8) & 0xFF) < 0x80 && ((c >> 16) & 0xFF) < 0x80) ++n;
      }
    return n;
  }
  // The first and last rows and columns with text in R.
  TRect InkBox(const TRect& R) {
    TRect box(INT32_MAX, INT32_MAX, -1, -1);
    GdiFlush();
    for (int y = R.top; y < R.bottom; ++y)
      for (int x = R.left; x < R.right; ++x) {
        TColor c = PixelAt(Bitmap, x, y);
        if ((c & 0xFF) < 0x80 && ((c >> 8) & 0xFF) < 0x80 && ((c >> 16) & 0xFF) < 0x80) {
          box.left = Min<LONG>(box.left, x);
          box.top = Min<LONG>(box.top, y);
          box.right = Max<LONG>(box.right, x + 1);
          box.bottom = Max<LONG>(box.bottom, y + 1);
        }
      }
    return box;
  }

  int SavedColumn = 17;
  TForm* Owner = nullptr;
  TAdvPopupMenu* Popup = nullptr;
  TCustomAdvMenuStyler* Styler = nullptr;
  TBitmap* Bitmap = nullptr;
};

TCustomImageList* SolidImages(TComponent* Owner, int W, int H, TColor Color) {
  auto* list = new TImageList(Owner, W, H);
  TBitmap b(W, H, TPixelFormat::pf24bit);
  b.Canvas()->Brush()->SetColor(Color);
  b.Canvas()->FillRect(TRect(0, 0, W, H));
  list->Add(&b, nullptr);
  return list;
}

}  // namespace

// ---------------------------------------------------------------------------
// Where an item sits

TEST_F(ItemTest, ItemsKnowWhereTheySit) {
  auto* bar = new TAdvMainMenu(Owner);
  TMenuItem* hidden = Add(L"Hidden", nullptr, bar);
  hidden->SetVisible(false);
  TMenuItem* file = Add(L"File", nullptr, bar);
  TMenuItem* edit = Add(L"Edit", nullptr, bar);
  TMenuItem* open = Add(L"Open", file);
  TMenuItem* recent = Add(L"Recent", file);
  TMenuItem* doc = Add(L"doc", recent);
  TMenuItem* copy = Add(L"Copy", edit);
  TMenuItem* top = Add(L"Top");
  TMenuItem* second = Add(L"Second");
  second->SetBreak(TMenuBreak::mbBreak);
  TMenuItem* third = Add(L"Third");
  struct Row {
    TMenuItem* Item;
    bool Bar, Root, FirstLevel, FirstDropDown, LaterColumn;
    int Level;
  };
  const Row rows[] = {
      {file, true, true, false, false, false, 0},   {open, false, false, true, true, false, 1},
      {doc, false, false, false, false, false, 2},  {copy, false, false, true, false, false, 1},
      {top, false, false, true, false, false, 0},   {second, false, false, true, false, true, 0},
      {third, false, false, true, false, true, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Item->Caption());
    EXPECT_EQ(IsMenuBarItem(r.Item), r.Bar);
    EXPECT_EQ(IsRootItem(r.Item), r.Root);
    EXPECT_EQ(IsFirstLevelItem(r.Item), r.FirstLevel);
    EXPECT_EQ(InFirstVisibleDropDown(r.Item), r.FirstDropDown);
    EXPECT_EQ(InLaterColumn(r.Item), r.LaterColumn);
    EXPECT_EQ(ItemLevel(r.Item), r.Level);
  }
  EXPECT_FALSE(InFirstVisibleDropDown(nullptr));
  EXPECT_EQ(FirstVisibleItem(bar->Items()), file);
  EXPECT_EQ(VisibleItemIndex(edit), 1);
  EXPECT_EQ(VisibleItemIndex(hidden), -1);
  EXPECT_TRUE(IsFirstVisibleItem(file));
  EXPECT_EQ(GetItemMenu(doc), bar);
  EXPECT_EQ(GetItemMenu(Popup->Items()), Popup);
  EXPECT_EQ(GetItemAdvMenu(top), static_cast<IAdvMenu*>(Popup));
  EXPECT_EQ(GetAdvMenu(new TPopupMenu(Owner)), nullptr);

  // The side bar by where it is shown.
  TSideBar* side = bar->GetCurrentMenuStyler()->SideBar();
  EXPECT_FALSE(SideBarShown(open));
  side->SetVisible(true);
  struct Shown {
    TSideBarVisibleIn In;
    bool Open, Copy, Doc, File;
  };
  for (Shown s : {Shown{TSideBarVisibleIn::viFirstVisible, true, false, false, false},
                  Shown{TSideBarVisibleIn::viFirstLevel, true, true, false, false},
                  Shown{TSideBarVisibleIn::viAnyLevel, true, true, true, false}}) {
    side->SetVisibleIn(s.In);
    EXPECT_EQ(SideBarShown(open), s.Open);
    EXPECT_EQ(SideBarShown(copy), s.Copy);
    EXPECT_EQ(SideBarShown(doc), s.Doc);
    EXPECT_EQ(SideBarShown(file), s.File);
  }
  // A popup's top window never shows a first-visible side bar.
  Styler->SideBar()->SetVisible(true);
  EXPECT_FALSE(SideBarShown(top));
}

// ---------------------------------------------------------------------------
// Measuring

TEST_F(ItemTest, PlainSeparatorAndInvisibleItems) {
  TMenuItem* item = Add(L"Show the window");
  TSize text = TextSize(L"Show the window");
  TSize got = Measure(item);
  EXPECT_EQ(got.cx, 24 + 15 + text.cx + 7 + 17);
  EXPECT_EQ(got.cy, Max<int>(18, text.cy + 6));  // 19 - 3 + 2, made even
  TMenuItem* line = Add(L"-");
  EXPECT_EQ(Measure(line), TSize(-2, 3));
  Styler->Separator()->SetWidth(3);
  EXPECT_EQ(Measure(line), TSize(-2, 5));
  Styler->Separator()->SetWidth(1);
  SetMenuPixelsPerInch(144);
  EXPECT_EQ(Measure(line), TSize(-2, 2));  // Round(3 / 1.5)
  SetMenuPixelsPerInch(96);
  item->SetVisible(false);
  EXPECT_EQ(Measure(item, false, 19), TSize(0, 0));
}

TEST_F(ItemTest, AnImageListSetsTheMinimumHeight) {
  Popup->SetImages(SolidImages(Owner, 16, 16, 0x0000FF));
  TMenuItem* item = Add(L"Ab");
  TSize text = TextSize(L"Ab");
  TSize got = Measure(item);  // ImageIndex -1 still counts the list
  EXPECT_EQ(got.cy, Max<int>(22, text.cy + 6));  // 19 + 2 = 21, made even
  Popup->SetImages(SolidImages(Owner, 30, 30, 0x0000FF));
  EXPECT_EQ(Measure(item).cy, Max<int>(32, text.cy + 6));
}

TEST_F(ItemTest, ShortcutsWidenTheItem) {
  TMenuItem* item = Add(L"Save");
  item->SetShortCut(ShortCut('S', {TShiftStateItem::ssCtrl}));
  TSize withText = TextSize(L"Save" + ShortCutToText(item->ShortCut()));
  EXPECT_EQ(Measure(item).cx, 24 + 15 + withText.cx + 7 + 17);
  // The Windows-key flag: "Win+" is in the text and is added once more.
  item->SetShortCut(static_cast<TShortCut>(item->ShortCut() | scWin));
  TSize win = TextSize(L"SaveWin+Ctrl+S");
  EXPECT_EQ(Measure(item).cx, 24 + 15 + win.cx + 7 + Canvas()->TextWidth(L"Win+") + 17);
}

TEST_F(ItemTest, SideBarWidensOnlyTheFirstColumn) {
  TMenuItem* a = Add(L"Alpha");
  TMenuItem* b = Add(L"Alpha");
  b->SetBreak(TMenuBreak::mbBarBreak);
  Styler->SideBar()->SetSize(30);
  Styler->SideBar()->SetSplitterWidth(2);
  int plain = Measure(a).cx;
  EXPECT_EQ(Measure(a, true).cx, plain + 32);
  EXPECT_EQ(Measure(b, true).cx, plain);
}

TEST_F(ItemTest, NotesAddLinesAndMayWidenTheItem) {
  TMenuItem* item = Add(L"Open\\nOpens a file from the disk, one of many");
  TSize caption = TextSize(L"Open");
  TFont* notes = Styler->NotesFont();
  Canvas()->Font()->Assign(notes);
  int line = Canvas()->TextHeight(L"gh");
  int widest = Canvas()->TextWidth(L"Opens a file from the disk, one of many");
  TSize got = Measure(item);
  EXPECT_EQ(got.cx, Max<LONG>(24 + 15 + caption.cx + 7 + 17, widest + 17 + 24 + 8));
  EXPECT_EQ(got.cy, Max<LONG>(18, caption.cy + 6 + line));
  Popup->SetShowNotes(false);
  TSize whole = TextSize(item->Caption());
  EXPECT_EQ(Measure(item), TSize(24 + 15 + whole.cx + 7 + 17, Max<int>(18, whole.cy + 6)));
}

TEST_F(ItemTest, OwnFontsAreScaledAndUsed) {
  TMenuItem* item = Add(L"Wide letters");
  Styler->SetUseSystemFont(false);
  Styler->Font()->SetSize(20);
  Canvas()->Font()->Assign(Styler->Font());
  TSize big = TextSize(L"Wide letters");
  EXPECT_EQ(Measure(item).cx, 24 + 15 + big.cx + 7 + 17);
}

TEST_F(ItemTest, BarItemsTakeTheSystemBarHeight) {
  auto* bar = new TAdvMainMenu(Owner);
  TMenuItem* file = Add(L"File", nullptr, bar);
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof(ncm);
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0));
  TSize text = TextSize(L"File");
  TSize got = Measure(file);
  EXPECT_EQ(got.cx, text.cx);  // -7 + text + 7
  EXPECT_EQ(got.cy, Max<int>(ncm.iMenuHeight, text.cy + 6));
}

TEST(ShortCutMenuText, PlatformAndKeyboardLayoutNames) {
  TShortCut ctrlF5 = ShortCut(VK_F5, {TShiftStateItem::ssCtrl});
  EXPECT_EQ(ShortCutToMenuText(ctrlF5, false), ShortCutToText(ctrlF5));
  // The layout's own key names, capitalised ("CTRL" reads "Ctrl").
  String ctrl = CapitalizeKeyName(GetKeyDisplayName(VK_CONTROL));
  String shift = CapitalizeKeyName(GetKeyDisplayName(VK_SHIFT));
  String alt = CapitalizeKeyName(GetKeyDisplayName(VK_MENU));
  ASSERT_FALSE(ctrl.empty());
  EXPECT_EQ(ShortCutToMenuText(ctrlF5, true), ctrl + L"+F5");
  EXPECT_EQ(ShortCutToMenuText(static_cast<TShortCut>(ctrlF5 | scWin), false), L"Win+" + ShortCutToText(ctrlF5));
  EXPECT_EQ(ShortCutToMenuText(static_cast<TShortCut>(ctrlF5 | scWin), true), ctrl + L"+F5");
  TShortCut all = ShortCut(VK_F24, {TShiftStateItem::ssCtrl, TShiftStateItem::ssShift, TShiftStateItem::ssAlt});
  EXPECT_EQ(ShortCutToMenuText(all, true), alt + L"+" + ctrl + L"+" + shift + L"+F24");
  EXPECT_EQ(CapitalizeKeyName(L"CTRL"), L"Ctrl");
  EXPECT_EQ(CapitalizeKeyName(L"ABC (DEF)"), L"Abc (Def)");
  EXPECT_EQ(CapitalizeKeyName(L"nUM LOCK"), L"num lock");
  EXPECT_EQ(CapitalizeKeyName(L""), L"");
  EXPECT_EQ(ShortCutToMenuText(ShortCut('Q', {}), true), CapitalizeKeyName(GetKeyDisplayName('Q')));
}

// ---------------------------------------------------------------------------
// Painting

TEST_F(ItemTest, SeparatorIsALineRightOfTheIconBar) {
  TMenuItem* line = Add(L"-");
  Bitmap->SetSize(100, 9);
  Clear();
  PaintMenuItemContent(Popup, line, Canvas(), {}, TRect(0, 0, 100, 9));
  TColor c = Styler->Separator()->Color();
  for (int x = 0; x < 100; ++x)
    for (int y = 0; y < 9; ++y) EXPECT_EQ(At(x, y), (y == 4 && x >= 26 && x < 98) ? c : kWhite) << x << "," << y;
}

TEST_F(ItemTest, CheckedItemsShowTheirCellAndGlyph) {
  Popup->SetImages(SolidImages(Owner, 16, 16, 0x00FF00));
  TMenuItem* item = Add(L"On top");
  item->SetChecked(true);
  // R (0, 0, 100, 22): the icon square is (2, 1, 22, 21), the glyph at (4, 3).
  const TRect r(0, 0, 100, 22);
  struct Case {
    const char* Name;
    bool Radio;
    TOwnerDrawState State;
    TColor Fill, Border;
    bool Filled;
  };
  TIconBar* ib = Styler->IconBar();
  TSelectedItem* si = Styler->SelectedItem();
  si->SetCheckColor(0, 0x0000C0);
  si->SetRadioColor(0, 0x00C000);
  ib->SetRadioColor(0, 0xC00000);
  ib->SetRadioBorder(0x404040);
  const Case cases[] = {
      {"check", false, {}, ib->CheckColor(), ib->CheckBorder(), true},
      {"radio", true, {}, 0xC00000, 0x404040, true},
      {"selected check", false, {OD::odSelected}, 0x0000C0, si->CheckBorder(), true},
      {"selected radio", true, {OD::odSelected}, 0x00C000, si->RadioBorder(), true},
      {"disabled check", false, {OD::odDisabled}, kWhite, ib->CheckBorder(), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    item->SetRadioItem(c.Radio);
    Bitmap->SetSize(100, 22);
    Clear();
    PaintMenuItemBody(Popup, item, Canvas(), c.State, r);
    EXPECT_EQ(At(2, 10), c.Border);
    EXPECT_EQ(At(21, 10), c.Border);
    EXPECT_EQ(At(12, 1), c.Border);
    EXPECT_EQ(At(4, 4), c.Fill);  // inside, beside the glyph
    if (c.Radio) {
      EXPECT_EQ(At(4 + 6, 3 + 5), 0x000000);  // the dot, in the button-text colour
      EXPECT_EQ(At(4 + 5, 3 + 5), c.Fill);
    } else {
      EXPECT_EQ(At(4 + 11, 3 + 4), 0x000000);  // the tip of the check mark
      EXPECT_EQ(At(4 + 6, 3 + 11), 0x000000);
      EXPECT_EQ(At(4 + 3, 3 + 7), c.Fill);
    }
    if (c.State.Contains(OD::odSelected)) EXPECT_EQ(At(50, 0), si->BorderColor());
  }
}

TEST_F(ItemTest, SelectedItemsFillWithOrWithoutAMirror) {
  TMenuItem* item = Add(L"x");
  TSelectedItem* si = Styler->SelectedItem();
  si->SetColor(0, 0x000000);
  si->SetColor(1, 0x0000FF);  // red 0 to 255 from the top
  si->SetBorderColor(clNone);
  const TRect r(0, 0, 100, 20);
  Bitmap->SetSize(100, 20);
  Clear();
  PaintMenuItemBody(Popup, item, Canvas(), {OD::odSelected}, r);
  EXPECT_EQ(At(90, 0), 0x000000);
  EXPECT_EQ(At(90, 10), 127);  // 255 x 10 div 20
  EXPECT_EQ(At(90, 19), 242);
  si->SetColorMirror(0x00FF00);
  si->SetColorMirrorTo(0x00FF00);
  Clear();
  PaintMenuItemBody(Popup, item, Canvas(), {OD::odSelected}, r);
  EXPECT_EQ(At(90, 9), 229);  // the upper half runs over 10 rows
  EXPECT_EQ(At(90, 10), 0x00FF00);
  EXPECT_EQ(At(90, 19), 0x00FF00);
}

TEST_F(ItemTest, ShortcutEndsTenPixelsBeforeTheRightEdge) {
  TMenuItem* item = Add(L"Exit");
  item->SetShortCut(ShortCut('X', {TShiftStateItem::ssAlt}));
  Bitmap->SetSize(160, 20);
  Clear();
  PaintMenuItemBody(Popup, item, Canvas(), {}, TRect(0, 0, 160, 20));
  TRect right = InkBox(TRect(90, 0, 160, 20));
  EXPECT_LE(right.right, 150);
  EXPECT_GE(right.right, 147);
  // The caption starts after the icon bar and 8 pixels more.
  TRect left = InkBox(TRect(0, 0, 60, 20));
  EXPECT_GE(left.left, 24 + 8);
  EXPECT_LE(left.left, 24 + 8 + 2);
  // Centred in the item.
  EXPECT_NEAR((left.top + left.bottom) / 2.0, 10, 2.0);
}

TEST_F(ItemTest, NotesLinesFollowTheCaptionByTheirLineHeight) {
  TMenuItem* item = Add(L"Open\\nfirst note\\nsecond note");
  Styler->NotesFont()->SetColor(0x000000);
  Bitmap->SetSize(200, 60);
  Clear();
  PaintMenuItemBody(Popup, item, Canvas(), {}, TRect(0, 0, 200, 60));
  Canvas()->Font()->Assign(Screen->MenuFont());
  int captionLine = Canvas()->TextHeight(L"gh");
  Canvas()->Font()->Assign(Styler->NotesFont());
  int noteLine = Canvas()->TextHeight(L"gh");
  // Three bands of text: the caption from the top, then one line each.
  std::vector<int> rows;
  for (int y = 0; y < 60; ++y) rows.push_back(Ink(TRect(32, y, 200, y + 1)));
  auto firstInk = [&](int from, int to) {
    for (int y = from; y < to; ++y)
      if (rows[static_cast<size_t>(y)] > 0) return y;
    return -1;
  };
  int caption = firstInk(0, captionLine);
  int first = firstInk(captionLine, captionLine + noteLine);
  int second = firstInk(captionLine + noteLine, captionLine + 2 * noteLine);
  EXPECT_GE(caption, 0);
  EXPECT_LT(caption, 6);
  EXPECT_GE(first, captionLine);
  EXPECT_GE(second, captionLine + noteLine);
  EXPECT_EQ(firstInk(captionLine + 2 * noteLine + 2, 60), -1);
}

TEST_F(ItemTest, DisabledTextIsGrey) {
  TMenuItem* item = Add(L"WWWW");
  item->SetEnabled(false);
  Bitmap->SetSize(120, 20);
  Clear();
  PaintMenuItemBody(Popup, item, Canvas(), {}, TRect(0, 0, 120, 20));
  TColor grey = ColorToRGB(clGrayText);
  EXPECT_GT(CountPixels(Bitmap, TRect(30, 0, 120, 20), grey), 10);
}

TEST_F(ItemTest, SmoothedCaptionIsDrawnOnceAndCentred) {
  TMenuItem* item = Add(L"Smooth");
  Styler->SetAntiAlias(TAntiAlias::aaAntiAlias);
  Bitmap->SetSize(120, 30);
  Clear();
  PaintMenuItemBody(Popup, item, Canvas(), {}, TRect(0, 0, 120, 30));
  TRect box = InkBox(TRect(0, 0, 120, 30));
  ASSERT_LT(box.left, box.right);
  EXPECT_NEAR((box.top + box.bottom) / 2.0, 15, 3.0);
  EXPECT_GE(box.left, 24 + 8 - 1);
}

TEST_F(ItemTest, HiddenAcceleratorsWithoutKeyboardCues) {
  // Only where the platform's text drawing can hide them.
  int plain[2];
  for (UINT hide : {0u, static_cast<UINT>(DT_HIDEPREFIX)}) {
    Bitmap->SetSize(60, 20);
    Clear();
    TRect r(0, 0, 60, 20);
    Canvas()->TextRect(r, L"&Mm", DT_SINGLELINE | hide);
    plain[hide ? 1 : 0] = Ink(TRect(0, 0, 60, 20));
  }
  if (plain[0] == plain[1]) GTEST_SKIP() << "the platform's DrawText ignores DT_HIDEPREFIX (wine)";
  TMenuItem* item = Add(L"&Mm");
  BOOL saved = TRUE;
  SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &saved, 0);
  int ink[2];
  for (BOOL cues : {TRUE, FALSE}) {
    SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<PVOID>(static_cast<intptr_t>(cues)), 0);
    Bitmap->SetSize(120, 20);
    Clear();
    PaintMenuItemBody(Popup, item, Canvas(), {}, TRect(0, 0, 120, 20));
    ink[cues ? 0 : 1] = Ink(TRect(30, 0, 120, 20));

  }
  SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<PVOID>(static_cast<intptr_t>(saved)), 0);
  EXPECT_GT(ink[0], ink[1]);  // the underline under "M"
}

TEST_F(ItemTest, LargeActionImagesNeedNoMenuImages) {
  auto* manager = new TActionManager(Owner);
  TCustomImageList* large = SolidImages(Owner, 24, 24, 0x0000FF);
  manager->SetLargeImages(large);
  auto* action = new TAction(Owner);
  action->SetActionList(manager);
  action->SetImageIndex(0);
  action->SetCaption(L"Big");
  TMenuItem* item = Add(L"");
  item->SetAction(action);
  Popup->SetActionImages(TActionImage::aiLarge);
  ASSERT_EQ(Popup->Images(), nullptr);
  Bitmap->SetSize(120, 30);
  Clear();
  PaintMenuItemBody(Popup, item, Canvas(), {}, TRect(0, 0, 120, 30));
  // The large image, centred in the icon square (0, 1, 24, 29) -> (0, 3).
  EXPECT_EQ(At(10, 10), 0x0000FF);
  // With normal images and no list anywhere nothing is drawn.
  Popup->SetActionImages(TActionImage::aiNormal);
  Clear();
  PaintMenuItemBody(Popup, item, Canvas(), {}, TRect(0, 0, 120, 30));
  EXPECT_EQ(At(10, 10), kWhite);
}

TEST_F(ItemTest, BarItemsUseTheRootColours) {
  auto* bar = new TAdvMainMenu(Owner);
  TMenuItem* file = Add(L"File", nullptr, bar);
  Add(L"Open", file);
  file->Handle();  // the sub-menu exists
  TRootItem* root = bar->GetCurrentMenuStyler()->RootItem();
  root->SetSelectedColor(0, 0x0000FF);
  root->SetSelectedColor(1, 0x0000FF);
  root->SetSelectedBorderColor(0x000080);
  root->SetHoverColor(0, 0x00FF00);
  root->SetHoverColor(1, 0x00FF00);
  root->SetHoverBorderColor(0x008000);
  TColor back = bar->GetCurrentMenuStyler()->Background()->Color();
  Bitmap->SetSize(60, 20);
  Clear();
  Canvas()->Font()->Assign(Screen->MenuFont());
  PaintMenuItemBody(bar, file, Canvas(), {OD::odSelected}, TRect(0, 0, 60, 20));
  EXPECT_EQ(At(0, 5), 0x000080);
  EXPECT_EQ(At(3, 5), 0x0000FF);
  EXPECT_EQ(At(10, 19), back);  // open towards its drop-down
  EXPECT_EQ(At(59, 19), 0x000080);
  Clear();
  PaintMenuItemBody(bar, file, Canvas(), {OD::odHotLight}, TRect(0, 0, 60, 20));
  EXPECT_EQ(At(0, 5), 0x008000);
  EXPECT_EQ(At(3, 5), 0x00FF00);
  EXPECT_EQ(At(10, 19), 0x008000);
  // The caption is centred across the item.
  TRect text = InkBox(TRect(1, 1, 59, 19));
  int width = Canvas()->TextWidth(L"File");
  EXPECT_GE(text.left, (60 - width) / 2);
  EXPECT_LE(text.right, (60 + width) / 2 + 1);
}

TEST_F(ItemTest, AMainMenuPaintsNothingInsideAnUpdate) {
  auto* bar = new TAdvMainMenu(Owner);
  TMenuItem* file = Add(L"File", nullptr, bar);
  TMenuItem* open = Add(L"Open", file);
  Bitmap->SetSize(100, 20);
  struct Case {
    int Begins;
    bool Paints;
  } cases[] = {{1, false}, {2, false}, {0, true}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Begins);
    for (int i = 0; i < k.Begins; ++i) bar->BeginUpdate();
    Clear();
    TAdvMainMenu::AdvancedDrawItem(bar, open, Canvas(), TRect(0, 0, 100, 20), {});
    if (k.Paints)
      EXPECT_GT(Ink(TRect(0, 0, 100, 20)), 0);  // the caption
    else
      EXPECT_EQ(Ink(TRect(0, 0, 100, 20)), 0);
    for (int i = 0; i < k.Begins; ++i) bar->EndUpdate();
  }
}
