// The menu styler and its appearance objects: defaults, indexed colours,
// assignment rules, glyphs and which changes make the menu measure again.
#include <gtest/gtest.h>

#include "base/Forms.h"
#include "tests/support/Gui.h"
#include "ui/controls/menus/AdvMenus.h"
#include "ui/draw/KelStyle.h"

namespace {

// A popup menu that counts how often its items are measured again.
class TCountingMenu : public TAdvPopupMenu {
 public:
  using TAdvPopupMenu::TAdvPopupMenu;
  int Updates = 0;
  void UpdateItems() override {
    ++Updates;
    TAdvPopupMenu::UpdateItems();
  }
};

class MenuStylerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Owner = new TForm(nullptr);
    Styler = new TAdvMenuStyler(Owner);
  }
  void TearDown() override { Owner->Free(); }
  TForm* Owner = nullptr;
  TAdvMenuStyler* Styler = nullptr;
};

template <class F>
String RaisedMessage(F f) {
  try {
    f();
  } catch (const EInvalidPropertyIndex& e) {
    return e.Message();
  }
  return L"(nothing raised)";
}

}  // namespace

TEST_F(MenuStylerTest, DefaultsOfTheAppearanceObjects) {
  EXPECT_EQ(Styler->MenuBorderColor(), 0x7C7C94);
  EXPECT_EQ(Styler->AntiAlias(), TAntiAlias::aaNone);
  EXPECT_TRUE(Styler->UseSystemFont());
  EXPECT_EQ(Styler->NotesFont()->Color(), 0x808080);
  EXPECT_EQ(Styler->NotesFont()->Size(), Screen->MenuFont()->Size() - 2);
  EXPECT_EQ(Styler->Separator()->Color(), 0x8F6D6E);
  EXPECT_EQ(Styler->Separator()->GradientDirection(), TGradientDirection::gdHorizontal);
  EXPECT_EQ(Styler->Separator()->Margin(), 2);
  EXPECT_EQ(Styler->Background()->Color(), 0xFFFAFD);
  EXPECT_EQ(Styler->Background()->Position(), TBackgroundPosition::bpCenter);
  EXPECT_EQ(Styler->IconBar()->ColorTo(), 0xBBA0A1);
  EXPECT_EQ(Styler->IconBar()->Size(), 24);
  EXPECT_EQ(Styler->SelectedItem()->Color(), 0xC2EEFF);
  EXPECT_EQ(Styler->SelectedItem()->CheckColor(), 0x3E80FE);
  EXPECT_EQ(Styler->SelectedItem()->NotesFont()->Color(), clWindowText);
  EXPECT_EQ(Styler->RootItem()->HoverColorTo(), 0x9DD8FF);
  EXPECT_EQ(Styler->RootItem()->SelectedBorderColor(), 0x947C7C);
  TSideBar* bar = Styler->SideBar();
  EXPECT_FALSE(bar->Visible());
  EXPECT_EQ(bar->Size(), 24);
  EXPECT_EQ(bar->BorderColor(), 0xA19D9D);
  EXPECT_EQ(bar->OffsetY(), 6);
  EXPECT_EQ(bar->Font()->Name(), L"Tahoma");
  EXPECT_EQ(bar->Font()->Size(), 14);
  EXPECT_EQ(bar->Font()->Color(), 0xFFFFFF);
  EXPECT_EQ(bar->Font()->Style(), (TFontStyles{TFontStyle::fsBold, TFontStyle::fsItalic}));
  TButtonAppearance* b = Styler->ButtonAppearance();
  EXPECT_EQ(b->DownColor(), 0xB59285);
  EXPECT_EQ(b->HoverBorderColor(), 0x6A240A);
  EXPECT_EQ(b->CaptionFont()->Name(), IsVistaOrLater() ? L"Segoe UI" : L"Tahoma");
}

TEST_F(MenuStylerTest, IndexedColoursRejectOtherIndicesBeforeStoring) {
  TRootItem* root = Styler->RootItem();
  TColor before[4];
  for (int i = 0; i < 4; ++i) before[i] = root->GetSelectedColor(i);
  EXPECT_EQ(RaisedMessage([&] { root->SetSelectedColor(4, 0x123456); }), L"Invalid property index 4.");
  for (int i = 0; i < 4; ++i) EXPECT_EQ(root->GetSelectedColor(i), before[i]);
  struct Case {
    std::function<void()> Call;
    const wchar_t* Message;
  };
  const Case cases[] = {
      {[&] { root->GetHoverColor(-1); }, L"Invalid property index -1."},
      {[&] { root->SetHoverColor(7, 0); }, L"Invalid property index 7."},
      {[&] { Styler->IconBar()->GetCheckColor(2); }, L"Invalid property index 2."},
      {[&] { Styler->IconBar()->SetRadioColor(2, 0); }, L"Invalid property index 2."},
      {[&] { Styler->SelectedItem()->SetCheckColor(5, 0); }, L"Invalid property index 5."},
      {[&] { Styler->Background()->GetColor(2); }, L"Invalid property index 2."},
      {[&] { Styler->Separator()->SetColor(3, 0); }, L"Invalid property index 3."},
  };
  for (const Case& c : cases) EXPECT_EQ(RaisedMessage(c.Call), c.Message);
  root->SetHoverColor(3, 0x010101);
  EXPECT_EQ(root->HoverColorMirrorTo(), 0x010101);
  Styler->IconBar()->SetCheckColor(1, 0x020202);
  EXPECT_EQ(Styler->IconBar()->CheckColorTo(), 0x020202);
}

TEST_F(MenuStylerTest, RootFontFollowsTheSystemOnlyWhenAskedTo) {
  TRootItem* root = Styler->RootItem();
  root->Font()->SetName(L"Courier");
  root->SetUseSystemFont(false);
  root->UpdateFont();
  EXPECT_EQ(root->Font()->Name(), L"Courier");
  root->SetUseSystemFont(true);
  root->UpdateFont();
  EXPECT_EQ(root->Font()->Name(), Screen->MenuFont()->Name());
}

TEST_F(MenuStylerTest, IconBarIsNeverNarrowerThanSixteen) {
  Styler->IconBar()->SetSize(10);
  EXPECT_EQ(Styler->IconBar()->Size(), 16);
  Styler->IconBar()->SetSize(30);
  EXPECT_EQ(Styler->IconBar()->Size(), 30);
}

TEST_F(MenuStylerTest, BackgroundPictureIsAlwaysThere) {
  TBackground* bg = Styler->Background();
  ASSERT_NE(bg->Image(), nullptr);
  EXPECT_EQ(bg->Image()->Graphic(), nullptr);
  TPicture p;
  auto* bmp = new TBitmap(4, 4);
  p.SetGraphic(bmp);
  bmp->Free();
  bg->SetImage(&p);
  EXPECT_TRUE(bg->HasImage());
  EXPECT_TRUE(bg->Image()->Bitmap()->Transparent());
  bg->SetImage(nullptr);
  ASSERT_NE(bg->Image(), nullptr);
  EXPECT_FALSE(bg->HasImage());
}

TEST_F(MenuStylerTest, AssignCopiesWhatEachClassNames) {
  auto* other = new TAdvMenuStyler(Owner);
  // Root items: not the hover mirrors, not the bar's own colours.
  TRootItem* src = other->RootItem();
  src->SetColor(0, 1);
  src->SetColor(1, 2);
  src->SetHoverColor(0, 3);
  src->SetHoverColor(2, 4);
  src->SetHoverColor(3, 5);
  src->SetSelectedColor(2, 6);
  src->SetSelectedTextColor(7);
  TRootItem* dst = Styler->RootItem();
  TColor color = dst->Color(), colorTo = dst->ColorTo(), mirror = dst->HoverColorMirror(),
         mirrorTo = dst->HoverColorMirrorTo();
  dst->Assign(src);
  EXPECT_EQ(dst->Color(), color);
  EXPECT_EQ(dst->ColorTo(), colorTo);
  EXPECT_EQ(dst->HoverColorMirror(), mirror);
  EXPECT_EQ(dst->HoverColorMirrorTo(), mirrorTo);
  EXPECT_EQ(dst->HoverColor(), 3);
  EXPECT_EQ(dst->SelectedColorMirror(), 6);
  EXPECT_EQ(dst->SelectedTextColor(), 7);

  // Icon bars: not their own colours.
  other->IconBar()->SetColor(0, 0x11);
  other->IconBar()->SetCheckColor(0, 0x12);
  other->IconBar()->SetSize(40);
  Styler->IconBar()->Assign(other->IconBar());
  EXPECT_NE(Styler->IconBar()->Color(), 0x11);
  EXPECT_EQ(Styler->IconBar()->CheckColor(), 0x12);
  EXPECT_EQ(Styler->IconBar()->Size(), 40);

  // Side bars: not the splitter colours nor VisibleIn.
  other->SideBar()->SetSplitterColor(0x21);
  other->SideBar()->SetVisibleIn(TSideBarVisibleIn::viAnyLevel);
  other->SideBar()->SetSize(33);
  other->SideBar()->SetCaption(L"Side");
  Styler->SideBar()->Assign(other->SideBar());
  EXPECT_EQ(Styler->SideBar()->SplitterColor(), 0x808080);
  EXPECT_EQ(Styler->SideBar()->VisibleIn(), TSideBarVisibleIn::viFirstVisible);
  EXPECT_EQ(Styler->SideBar()->Size(), 33);
  EXPECT_EQ(Styler->SideBar()->Caption(), L"Side");

  // Backgrounds: not the margins nor the direction.
  other->Background()->SetMarginX(9);
  other->Background()->SetOffsetX(8);
  other->Background()->SetGradientDirection(TGradientDirection::gdHorizontal);
  Styler->Background()->Assign(other->Background());
  EXPECT_EQ(Styler->Background()->MarginX(), 0);
  EXPECT_EQ(Styler->Background()->OffsetX(), 8);
  EXPECT_EQ(Styler->Background()->GradientDirection(), TGradientDirection::gdVertical);

  // Gradient bars of another kind give their three common values; other
  // objects raise the conversion error.
  Styler->Separator()->Assign(other->IconBar());
  EXPECT_EQ(Styler->Separator()->Color(), 0x11);
  EXPECT_THROW(Styler->Separator()->Assign(other->ButtonAppearance()), EConvertError);
  EXPECT_THROW(Styler->SideBar()->Assign(other->Background()), EConvertError);
  // Glyphs, button colours and stylers ignore what they cannot take.
  EXPECT_NO_THROW(Styler->Glyphs()->Assign(other->Background()));
  EXPECT_NO_THROW(Styler->ButtonAppearance()->Assign(other->Background()));
  EXPECT_NO_THROW(Styler->Assign(other->Background()));
}

TEST_F(MenuStylerTest, ButtonColoursNotifyChangesButAssignSilently) {
  TButtonAppearance* b = Styler->ButtonAppearance();
  int changes = 0;
  b->FOnChange = [&](TObject*) { ++changes; };
  b->SetHoverColor(b->HoverColor());
  EXPECT_EQ(changes, 0);
  b->SetHoverColor(0x01);
  b->SetGradientDirection(TGradientDirection::gdHorizontal);
  EXPECT_EQ(changes, 2);
  b->SetDownBorderColor(0x02);  // a plain store
  EXPECT_EQ(changes, 2);
  TButtonAppearance src;
  src.SetColor(1);
  src.SetColorTo(2);
  src.SetDownColor(3);
  src.SetDownColorTo(4);
  src.SetHoverColor(5);
  src.SetHoverColorTo(6);
  src.SetBorderColor(7);
  src.SetDownBorderColor(8);
  src.SetHoverBorderColor(9);
  src.SetGradientDirection(TGradientDirection::gdHorizontal);
  b->Assign(&src);
  EXPECT_EQ(changes, 2);
  const TColor got[] = {b->Color(), b->ColorTo(), b->DownColor(), b->DownColorTo(), b->HoverColor(),
                        b->HoverColorTo(), b->BorderColor(), b->DownBorderColor(), b->HoverBorderColor()};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(got[i], i + 1);
  b->CaptionFont()->SetName(L"Courier");
  b->SetUseSystemFont(false);
  b->SetUseSystemFont(true);
  EXPECT_EQ(b->CaptionFont()->Name(), GetSystemFontName());
}

TEST_F(MenuStylerTest, StylerAssignKeepsItsOwnSmoothingBorderAndButtons) {
  auto* other = new TAdvMenuStyler(Owner);
  other->SetAntiAlias(TAntiAlias::aaClearType);
  other->SetMenuBorderColor(0x11);
  other->ButtonAppearance()->SetDownColor(0x22);
  other->SelectedItem()->SetColor(0, 0x33);
  other->Font()->SetSize(20);
  Styler->Assign(other);
  EXPECT_EQ(Styler->AntiAlias(), TAntiAlias::aaNone);
  EXPECT_EQ(Styler->MenuBorderColor(), 0x7C7C94);
  EXPECT_EQ(Styler->ButtonAppearance()->DownColor(), 0xB59285);
  EXPECT_EQ(Styler->Font()->Size(), 20);
  // The selected item's own colours are not part of its assignment.
  EXPECT_EQ(Styler->SelectedItem()->Color(), 0xC2EEFF);
}

TEST_F(MenuStylerTest, GlyphsAreTheThreeMonochromeBitmaps) {
  struct Glyph {
    TBitmap* Bitmap;
    int W, H;
    std::vector<std::vector<std::pair<int, int>>> Rows;  // black runs per row
  };
  TMenuGlyphs* g = Styler->Glyphs();
  const Glyph glyphs[] = {
      {g->Check(), 16, 16,
       {{}, {}, {}, {}, {{11, 11}}, {{10, 11}}, {{9, 11}}, {{4, 4}, {8, 10}}, {{4, 5}, {7, 9}}, {{4, 8}},
        {{5, 7}}, {{6, 6}}, {}, {}, {}, {}}},
      {g->Radio(), 16, 16,
       {{}, {}, {}, {}, {}, {{6, 9}}, {{5, 10}}, {{5, 10}}, {{5, 10}}, {{5, 10}}, {{6, 9}}, {}, {}, {}, {}, {}}},
      {g->SubMenu(), 4, 7, {{{0, 0}}, {{0, 1}}, {{0, 2}}, {{0, 3}}, {{0, 2}}, {{0, 1}}, {{0, 0}}}},
  };
  for (const Glyph& gl : glyphs) {
    ASSERT_EQ(gl.Bitmap->Width(), gl.W);
    ASSERT_EQ(gl.Bitmap->Height(), gl.H);
    EXPECT_TRUE(gl.Bitmap->Monochrome());
    EXPECT_TRUE(gl.Bitmap->Transparent());
    for (int y = 0; y < gl.H; ++y)
      for (int x = 0; x < gl.W; ++x) {
        bool black = false;
        for (auto [a, b] : gl.Rows[static_cast<size_t>(y)]) black |= x >= a && x <= b;
        EXPECT_EQ(gl.Bitmap->Canvas()->Pixels(x, y) & 0xFFFFFF, black ? 0 : 0xFFFFFF) << x << "," << y;
      }
  }
  // Drawn, their black pixels take the canvas's font colour and the rest
  // stays.
  TBitmap target(16, 16, TPixelFormat::pf32bit);
  target.Canvas()->Brush()->SetColor(0x00FF00);
  target.Canvas()->FillRect(TRect(0, 0, 16, 16));
  target.Canvas()->Font()->SetColor(0x0000FF);
  target.Canvas()->Draw(0, 0, g->Check());
  EXPECT_EQ(PixelAt(&target, 11, 4), 0x0000FF);
  EXPECT_EQ(PixelAt(&target, 0, 0), 0x00FF00);
  EXPECT_EQ(CountPixels(&target, TRect(0, 0, 16, 16), 0x0000FF), 24);
}

TEST_F(MenuStylerTest, ChangesThatNeedNewSizesMeasureTheAttachedMenuAgain) {
  auto* menu = new TCountingMenu(Owner);
  menu->SetMenuStyler(Styler);
  TPicture pic;
  TFont font;
  struct Case {
    const char* Name;
    std::function<void()> Change;
    bool ReMeasure;
  };
  const Case cases[] = {
      {"IconBar.Color", [&] { Styler->IconBar()->SetColor(0, 1); }, false},
      {"Separator.Width", [&] { Styler->Separator()->SetWidth(2); }, false},
      {"MenuBorderColor", [&] { Styler->SetMenuBorderColor(1); }, false},
      {"IconBar.CheckColor", [&] { Styler->IconBar()->SetCheckColor(0, 1); }, false},
      {"Background.Image", [&] { Styler->Background()->SetImage(&pic); }, false},
      {"Glyphs.Check", [&] { Styler->Glyphs()->SetCheck(Styler->Glyphs()->Check()); }, false},
      {"SetSeparator", [&] { Styler->SetSeparator(Styler->Separator()); }, false},
      {"SetBackground", [&] { Styler->SetBackground(Styler->Background()); }, false},
      {"IconBar.Size", [&] { Styler->IconBar()->SetSize(20); }, true},
      {"SelectedItem.Font", [&] { Styler->SelectedItem()->SetFont(&font); }, true},
      {"SelectedItem.UseSystemFont", [&] { Styler->SelectedItem()->SetUseSystemFont(false); }, true},
      {"RootItem.HoverColor", [&] { Styler->RootItem()->SetHoverColor(0, 1); }, true},
      {"RootItem.SelectedColorMirror", [&] { Styler->RootItem()->SetSelectedColor(2, 1); }, true},
      {"SideBar.Image", [&] { Styler->SideBar()->SetImage(Styler->Background()); }, true},
      {"Font", [&] { Styler->SetFont(&font); }, true},
      {"NotesFont", [&] { Styler->SetNotesFont(&font); }, true},
      {"AntiAlias", [&] { Styler->SetAntiAlias(TAntiAlias::aaAntiAlias); }, true},
      {"UseSystemFont", [&] { Styler->SetUseSystemFont(false); }, true},
      {"SetSideBar", [&] { Styler->SetSideBar(Styler->SideBar()); }, true},
      // Visible counts only for a main menu with a window.
      {"SideBar.Visible", [&] { Styler->SideBar()->SetVisible(true); }, false},
  };
  for (const Case& c : cases) {
    menu->Updates = 0;
    c.Change();
    EXPECT_EQ(menu->Updates > 0, c.ReMeasure) << c.Name;
  }
}

TEST_F(MenuStylerTest, ASharedStylerRefreshesTheMenuAttachedLast) {
  auto* first = new TCountingMenu(Owner);
  auto* last = new TCountingMenu(Owner);
  first->SetMenuStyler(Styler);
  last->SetMenuStyler(Styler);
  first->Updates = last->Updates = 0;
  Styler->IconBar()->SetSize(30);
  EXPECT_EQ(first->Updates, 0);
  EXPECT_GT(last->Updates, 0);
  EXPECT_EQ(first->GetCurrentMenuStyler(), Styler);
}
