// The quick access toolbar on a pager: its row and overflow into the
// chevron drop-down and back, the customize button, its height with image
// lists, key tips, the application button's menu and double click, the
// band below the ribbon, and its painting.
#include <memory>

#include "base/Hints.h"
#include "tests/support/Gui.h"
#include "tests/toolbar/ribbon/PagerTestSupport.h"
#include "ui/controls/buttons/ShortCutHint.h"
#include "ui/toolbar/bars/AdvToolBarButton.h"
#include "ui/toolbar/bars/ControlSelectorPanel.h"
#include "ui/toolbar/ribbon/AdvQuickAccessToolBar.h"
#include "ui/toolbar/ribbon/AdvVistaButton.h"
#include "ui/toolbar/stylers/ToolBarOfficeStyler.h"

namespace {

DWORD gNow = 100000;
DWORD TestClock() { return gNow; }

struct QAT : PagerFixture {
  TAdvQuickAccessToolBar* Bar = nullptr;
  int Made = 0;

  void SetUp() override {
    PagerFixture::SetUp();
    SetTickSource(TestClock);
    Bar = new TAdvQuickAccessToolBar(Form);
    Bar->SetName(L"QAT");
    Bar->SetHeight(26);
    Bar->SetParent(Pager);
    PumpFor(5);
  }
  void TearDown() override {
    SetTickSource(nullptr);
    PagerFixture::TearDown();
  }
  // A glow button of that width at the end of the row.
  TAdvGlowButton* AddButton(int Width = 22) {
    auto* b = new TAdvGlowButton(Form);
    b->SetName(L"Button" + std::to_wstring(++Made));
    b->SetAutoSize(false);
    b->SetBounds(1000 + Made, 0, Width, 22);
    Bar->AddToolBarControl(b);
    return b;
  }
  // The pager's quick access area made Width wide.
  void SetQATArea(int Width) {
    TRect r = Pager->GetQATRect();
    SetPagerWidth(Pager->Width() + Width - r.Width());
    ASSERT_EQ(Pager->GetQATRect().Width(), Width);
  }
  std::vector<TControl*> Row() {
    std::vector<TControl*> row;
    for (int i = 0; i < Bar->ControlListCount(); ++i) row.push_back(Bar->ControlListItem(i));
    return row;
  }
  std::vector<TControl*> Hidden() {
    std::vector<TControl*> hidden;
    for (int i = 0; i < Bar->HiddenCount(); ++i) hidden.push_back(Bar->HiddenItem(i));
    return hidden;
  }
};

}  // namespace

TEST_F(QAT, ControlsThatPassTheRightEdgeOverflowAndComeBackOneByOne) {
  // Taken in by the pager, it keeps the height it was given.
  ASSERT_EQ(Bar->Height(), 26);
  Bar->SetShowCustomizeOption(true);
  std::vector<TAdvGlowButton*> b;
  for (int i = 0; i < 5; ++i) b.push_back(AddButton());
  // 118 wide: the controls rectangle runs from 15 (half the height + 2) to
  // 118 - 14 - 2 - 12 = 90.
  SetQATArea(118);
  ASSERT_EQ(Bar->Width(), 118);
  ASSERT_EQ(Bar->GetControlsRect().left, 15);
  ASSERT_EQ(Bar->GetControlsRect().right, 90);
  EXPECT_EQ(Row(), (std::vector<TControl*>{b[0], b[1], b[2]}));
  EXPECT_EQ(Hidden(), (std::vector<TControl*>{b[3], b[4]}));
  EXPECT_EQ(b[2]->Left(), 59);
  EXPECT_LT(b[3]->Top() + b[3]->Height(), 0);  // parked out of sight
  ASSERT_TRUE(Bar->ScrollButton());
  EXPECT_TRUE(Bar->ScrollButton()->Visible());
  EXPECT_EQ(Bar->ScrollButton()->Left(), Bar->Width() - 14);
  EXPECT_FALSE(Bar->CustomizeButton()->Visible());
  // Room for the fourth brings it back; the fifth comes back once the
  // area holds the whole row: 5 x 22 + 15 + 12 + 14 + 2 = 153.
  SetQATArea(140);
  EXPECT_EQ(Row(), (std::vector<TControl*>{b[0], b[1], b[2], b[3]}));
  EXPECT_EQ(Hidden(), (std::vector<TControl*>{b[4]}));
  EXPECT_EQ(b[3]->Left(), 81);
  EXPECT_GE(b[3]->Top(), 0);
  SetQATArea(152);
  EXPECT_EQ(Bar->HiddenCount(), 1);
  SetQATArea(153);
  EXPECT_EQ(Bar->HiddenCount(), 0);
  SetQATArea(200);
  EXPECT_EQ(Bar->HiddenCount(), 0);
  EXPECT_EQ(Bar->ControlListCount(), 5);
  EXPECT_FALSE(Bar->ScrollButton()->Visible());
  // Everything fits: the customize button is back at the right end.
  EXPECT_TRUE(Bar->CustomizeButton()->Visible());
  EXPECT_EQ(Bar->CustomizeButton()->Parent(), Bar);
  EXPECT_EQ(Bar->CustomizeButton()->Left(), Bar->Width() - Bar->CustomizeButton()->Width());
}

TEST_F(QAT, TheRowIsOrderedByLeftAndEqualLeftsKeepChildOrder) {
  auto* a = AddButton();
  auto* b = AddButton();
  auto* c = AddButton();
  Bar->BeginUpdate();
  a->SetLeft(300);
  b->SetLeft(100);
  c->SetLeft(100);
  Bar->EndUpdate();
  EXPECT_EQ(Row(), (std::vector<TControl*>{b, c, a}));
  EXPECT_LT(b->Left(), c->Left());
  EXPECT_LT(c->Left(), a->Left());
}

TEST_F(QAT, TheOverflowDropDownListsTheHiddenControlsWithTheCustomizeButtonLast) {
  Bar->SetShowCustomizeOption(true);
  std::vector<TAdvGlowButton*> b;
  for (int i = 0; i < 5; ++i) b.push_back(AddButton());
  SetQATArea(118);
  ASSERT_EQ(Bar->HiddenCount(), 2);
  Bar->ShowOverflowWindow();
  ASSERT_TRUE(Bar->OverflowWindow());
  TControlSelectorPanel* panel = Bar->OverflowPanel();
  ASSERT_EQ(panel->ListedCount(), 3);
  EXPECT_EQ(panel->Listed(0), b[3]);
  EXPECT_EQ(panel->Listed(1), b[4]);
  EXPECT_EQ(panel->Listed(2), Bar->CustomizeButton());
  EXPECT_EQ(b[3]->Parent(), panel);
  EXPECT_TRUE(Bar->OverflowWindow()->Visible());
  // Below the chevron.
  TPoint under = Pager->ClientToScreen(TPoint(Bar->Left() + Bar->Width() - 12, Bar->Top() + Bar->Height() + 1));
  EXPECT_EQ(Bar->OverflowWindow()->Left(), under.x);
  EXPECT_EQ(Bar->OverflowWindow()->Top(), under.y);
  // A hidden control freed in the drop-down is no longer listed anywhere.
  b[4]->Free();
  EXPECT_EQ(Hidden(), (std::vector<TControl*>{b[3]}));
  Bar->HideOverflowWindow();
  ASSERT_TRUE(PumpUntil([&] { return !Bar->OverflowWindow()->Visible(); }));
  // Room again: the hidden one comes back from the drop-down into the row.
  SetQATArea(300);
  EXPECT_EQ(Bar->HiddenCount(), 0);
  EXPECT_EQ(b[3]->Parent(), Bar);
  EXPECT_EQ(Bar->ControlListCount(), 4);
  EXPECT_EQ(Bar->CustomizeButton()->Parent(), Bar);
  EXPECT_TRUE(Bar->CustomizeButton()->Visible());
}

TEST_F(QAT, TheDropDownStaysInTheWorkAreaAndAnEmptyOneDoesNotShow) {
  Bar->ShowOverflowWindow(0, 0, false);
  ASSERT_TRUE(Bar->OverflowWindow());
  EXPECT_FALSE(Bar->OverflowWindow()->Visible());
  for (int i = 0; i < 5; ++i) AddButton();
  SetQATArea(118);
  RECT area;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  Bar->ShowOverflowWindow(area.right - 5, area.bottom - 5, true);
  TOptionSelectorWindow* w = Bar->OverflowWindow();
  ASSERT_TRUE(w->Visible());
  EXPECT_EQ(w->Left(), area.right - w->Width());
  EXPECT_EQ(w->Top(), area.bottom - w->Height() - 2);
  EXPECT_GT(w->Width(), 0);
  w->Hide();
}

TEST_F(QAT, PressingTheChevronDropsTheOverflowAndTheButtonStaysDownWhileItShows) {
  for (int i = 0; i < 5; ++i) AddButton();
  SetQATArea(118);
  TAdvVistaButton* chevron = Bar->ScrollButton();
  ASSERT_TRUE(chevron && chevron->Visible());
  Bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(chevron->Left() + 3, chevron->Top() + 3));
  Bar->Perform(WM_LBUTTONUP, 0, MAKELPARAM(chevron->Left() + 3, chevron->Top() + 3));
  ASSERT_TRUE(Bar->OverflowWindow() && Bar->OverflowWindow()->Visible());
  EXPECT_TRUE(chevron->Down());
  Bar->HideOverflowWindow();
  EXPECT_FALSE(chevron->Down());
}

TEST_F(QAT, ItsParentMustBeAPager) {
  auto* panel = new TPanel(Form);
  panel->SetParent(Form);
  auto* other = new TAdvQuickAccessToolBar(Form);
  try {
    other->SetParent(panel);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Invalid Parent");
  }
  EXPECT_EQ(other->Parent(), nullptr);
}

TEST_F(QAT, ItsHeightFollowsTheImageHeightAndComesBackWhenTheImagesReturn) {
  auto* small = new TImageList(Form, 16, 16);
  auto* large = new TImageList(Form, 24, 24);
  const int start = Bar->Height();
  struct {
    const char* What;
    TImageList* List;
    int Height;
  } steps[] = {
      {"the first list leaves it", small, start},
      {"16 to 24 adds 8", large, start + 8},
      {"taking the list away leaves it", nullptr, start + 8},
      {"the same list again changes nothing", large, start + 8},
      {"away and back to 16", nullptr, start + 8},
      {"16 after 24 takes the 8 off", small, start},
  };
  for (auto& s : steps) {
    Bar->SetImages(s.List);
    EXPECT_EQ(Bar->Height(), s.Height) << s.What;
  }
  // A list that is freed is let go.
  small->Free();
  EXPECT_EQ(Bar->Images(), nullptr);
  EXPECT_EQ(Bar->Height(), start);
}

TEST_F(QAT, TypedKeyTipsClickTheMatchingButtonOnceAndCountPartialMatches) {
  auto* fa = AddButton();
  auto* fb = AddButton();
  auto* x = AddButton();
  auto* off = AddButton();
  fa->SetShortCutHint(L"FA");
  fb->SetShortCutHint(L"fb");
  x->SetShortCutHint(L"X");
  off->SetShortCutHint(L"D");
  off->SetEnabled(false);
  int clicks[4] = {};
  TAdvGlowButton* all[4] = {fa, fb, x, off};
  for (int i = 0; i < 4; ++i) all[i]->OnClick = [&clicks, i](TObject*) { ++clicks[i]; };
  SetQATArea(300);
  Bar->ShowShortCutHints();
  for (TAdvGlowButton* b : {fa, fb, x}) ASSERT_TRUE(b->ShortCutHintWindow() && b->ShortCutHintWindow()->Visible());
  EXPECT_EQ(off->ShortCutHintWindow(), nullptr);  // disabled buttons show none

  int partial = 0;
  EXPECT_FALSE(Bar->HandleShortCutHintKey(L"f", partial));
  EXPECT_EQ(partial, 2);
  EXPECT_FALSE(x->ShortCutHintWindow()->Visible());
  EXPECT_TRUE(fa->ShortCutHintWindow()->Visible());
  partial = 0;
  EXPECT_TRUE(Bar->HandleShortCutHintKey(L"FB", partial));
  EXPECT_EQ(clicks[1], 1);
  EXPECT_EQ(clicks[0] + clicks[2] + clicks[3], 0);
  // A disabled button's tip is taken but the button is not clicked.
  EXPECT_TRUE(Bar->HandleShortCutHintKey(L"d", partial));
  EXPECT_EQ(clicks[3], 0);
  Bar->HideShortCutHints();
  EXPECT_FALSE(fa->ShortCutHintWindow()->Visible());
}

TEST_F(QAT, AnUpdateBracketThatEndsWhileHiddenStillLaysTheRowOut) {
  auto* a = AddButton();
  SetQATArea(300);
  Bar->BeginUpdate();
  Bar->SetVisible(false);
  auto* b = AddButton();
  Bar->EndUpdate();
  EXPECT_EQ(Bar->UpdateCount(), 0);
  Bar->SetVisible(true);
  EXPECT_EQ(Row(), (std::vector<TControl*>{a, b}));
  EXPECT_EQ(b->Left(), a->Left() + a->Width());
  EXPECT_TRUE(IsWindowVisible(Bar->Handle()));
}

TEST_F(QAT, BelowTheRibbonItIsAFullWidthBandAndThePagerGrowsByIt) {
  AddButton();
  const int pagerHeight = Pager->Height();
  const int qh = Pager->GetQATHeight();
  Pager->SetShowQATBelow(true);
  EXPECT_TRUE(Pager->ShowQATBelow());
  EXPECT_TRUE(Bar->FullSize());
  EXPECT_EQ(Pager->Height(), pagerHeight + qh);
  TRect below = Pager->GetQATRect();
  EXPECT_EQ(Bar->BoundsRect(), below);
  EXPECT_EQ(below.bottom, Pager->ClientRect().bottom);
  EXPECT_EQ(Bar->GetControlsRect().left, 4);
  // Hidden and shown again, the pager follows.
  Bar->SetVisible(false);
  EXPECT_EQ(Pager->Height(), pagerHeight);
  EXPECT_FALSE(Pager->ShowQATBelow());
  Bar->SetVisible(true);
  EXPECT_EQ(Pager->Height(), pagerHeight + qh);
  Pager->SetShowQATBelow(false);
  EXPECT_EQ(Pager->Height(), pagerHeight);
  EXPECT_FALSE(Bar->FullSize());
}

TEST_F(QAT, ClearFreesThePlacedControlsButKeepsItsOwn) {
  Bar->SetShowCustomizeOption(true);
  for (int i = 0; i < 5; ++i) AddButton();
  SetQATArea(118);
  Bar->ShowOverflowWindow();
  Bar->HideOverflowWindow();
  Bar->Clear();
  EXPECT_EQ(Bar->ControlListCount(), 0);
  EXPECT_EQ(Bar->HiddenCount(), 0);
  EXPECT_FALSE(Form->FindComponent(L"Button1"));
  EXPECT_FALSE(Form->FindComponent(L"Button5"));
  ASSERT_TRUE(Bar->CustomizeButton());
  EXPECT_EQ(Bar->CustomizeButton()->Parent(), Bar);
  EXPECT_TRUE(Bar->CustomizeButton()->Visible());
}

TEST_F(QAT, StylerChangesRestyleItsGlowButtonsOnlyForTheirKinds) {
  auto* styler = new TAdvToolBarOfficeStyler(Form);
  styler->SetName(L"Styler");
  styler->SetStyle(TToolBarStyle::bsOffice2007Luna);
  Pager->SetToolBarStyler(styler);
  auto* b = AddButton();
  EXPECT_EQ(b->Appearance()->ColorHot(), styler->GlowButtonAppearance()->ColorHot());
  b->Appearance()->SetColorHot(0x123456);
  Bar->ApplyStylerChange(StylerChange::DragGrip);
  EXPECT_EQ(b->Appearance()->ColorHot(), 0x123456);
  Bar->ApplyStylerChange(StylerChange::GlowButtons);
  EXPECT_EQ(b->Appearance()->ColorHot(), styler->GlowButtonAppearance()->ColorHot());
}

TEST_F(QAT, TheHintOfADisabledControlShowsWhenThePagerAsks) {
  Pager->SetShowDisabledControlsHint(true);
  auto* b = AddButton();
  SetQATArea(300);
  b->SetHint(L"Save the file");
  b->SetShowHint(true);
  b->SetEnabled(false);
  Bar->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(b->Left() + 2, b->Top() + 2));
  THintInfo info;
  info.HintControl = Bar;
  Bar->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.HintStr, L"Save the file");
  EXPECT_EQ(info.HintControl, b);
  // The control goes: the toolbar forgets it.
  b->Free();
  THintInfo again;
  Bar->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&again));
  EXPECT_TRUE(again.HintStr.empty());
}

// ---------------------------------------------------------------------------
// Application button

namespace {
// Ends the system menu that a click opens, once it has opened; records
// that it opened on the form's own system menu.
struct MenuWatch {
  TForm* Form;
  bool Opened = false;
  std::function<void(TMessage&)> Saved;
  TTimer* Ender;
  explicit MenuWatch(TForm* F) : Form(F) {
    Saved = F->WindowProc;
    F->WindowProc = [this](TMessage& m) {
      if (m.Msg == WM_INITMENUPOPUP && reinterpret_cast<HMENU>(m.WParam) == GetSystemMenu(Form->Handle(), FALSE))
        Opened = true;
      Saved(m);
    };
    Ender = new TTimer(nullptr);
    Ender->SetInterval(20);
    Ender->SetOnTimer([this](TObject*) {
      if (Opened) EndMenu();
    });
  }
  ~MenuWatch() {
    Ender->Free();
    Form->WindowProc = Saved;
  }
};
}  // namespace

TEST_F(QAT, TheApplicationButtonOpensTheSystemMenuAndADoubleClickClosesTheForm) {
  SetGlobalWin7ScenicRibbon(true);
  Bar->Update();
  ASSERT_TRUE(Bar->App());
  EXPECT_TRUE(Bar->App()->Visible());
  EXPECT_EQ(Bar->App()->Width(), 16);
  EXPECT_FALSE(Bar->App()->Picture()->Empty());  // the form's icon
  bool closed = false;
  Form->OnClose = [&](TObject*, TCloseAction& a) {
    closed = true;
    a = TCloseAction::caNone;
  };
  {
    MenuWatch watch(Form);
    Bar->AppButtonClick(Bar->App());
    EXPECT_TRUE(watch.Opened);
  }
  EXPECT_FALSE(closed);
  gNow += 250;
  Bar->AppButtonClick(Bar->App());
  EXPECT_TRUE(closed);
  // Later than 300 ms the click opens the menu again.
  closed = false;
  gNow += 400;
  {
    MenuWatch watch(Form);
    Bar->AppButtonClick(Bar->App());
    EXPECT_TRUE(watch.Opened);
  }
  EXPECT_FALSE(closed);
}

TEST_F(QAT, ADoubleClickOnTheMainFormEndsTheApplicationUnlessTheFormRefuses) {
  SetGlobalWin7ScenicRibbon(true);
  TForm* main = nullptr;
  Application->CreateForm(main);
  auto* pager = new TAdvToolBarPager(main);
  pager->SetParent(main);
  auto* bar = new TAdvQuickAccessToolBar(main);
  bar->SetParent(pager);
  main->Show();
  bar->Update();
  struct {
    const char* What;
    bool CanClose;
    TCloseAction Action;
    bool Terminates;
  } cases[] = {
      {"agrees", true, TCloseAction::caFree, true},
      {"OnCloseQuery refuses", false, TCloseAction::caFree, false},
      {"OnClose answers caNone", true, TCloseAction::caNone, false},
      {"OnClose answers caHide", true, TCloseAction::caHide, true},
  };
  for (auto& c : cases) {
    TCloseAction seen = TCloseAction::caNone;
    main->OnCloseQuery = [&](TObject*, bool& can) { can = c.CanClose; };
    main->OnClose = [&](TObject*, TCloseAction& a) {
      seen = a;
      a = c.Action;
    };
    {
      MenuWatch watch(main);
      bar->AppButtonClick(bar->App());
    }
    gNow += 100;
    bar->AppButtonClick(bar->App());
    // Ending the application posts the quit message: it is read here.
    Application->ProcessMessages();
    EXPECT_EQ(Application->Terminated(), c.Terminates) << c.What;
    if (c.CanClose) EXPECT_EQ(seen, TCloseAction::caFree) << c.What;
    Application->ResetTerminated();
    gNow += 1000;
  }
  main->OnCloseQuery = nullptr;
  main->OnClose = nullptr;
  Application->ResetMainForm();
  main->Free();
}

TEST_F(QAT, WithoutTheScenicOrFlatLookTheApplicationButtonIsHidden) {
  Bar->Update();
  ASSERT_TRUE(Bar->App());
  EXPECT_FALSE(Bar->App()->Visible());
  EXPECT_EQ(Bar->App()->Width(), 0);
  // Below the ribbon in the scenic look it sits on the pager.
  SetGlobalWin7ScenicRibbon(true);
  Pager->SetShowQATBelow(true);
  EXPECT_EQ(Bar->App()->Parent(), Pager);
  EXPECT_EQ(Bar->App()->Left(), 6);
  EXPECT_EQ(Bar->App()->Top(), 7);
}

// ---------------------------------------------------------------------------
// Painting

TEST_F(QAT, BelowTheRibbonWithoutASecondColourTheBandIsAPlainFramedRectangle) {
  auto* styler = new TAdvToolBarOfficeStyler(Form);
  styler->SetName(L"Styler");
  styler->SetStyle(TToolBarStyle::bsOffice2007Luna);
  styler->QATAppearance()->SetFullSizeColor(0x20C040);
  styler->QATAppearance()->SetFullSizeColorTo(clNone);
  styler->QATAppearance()->SetBorderColor(0x4020A0);
  Pager->SetToolBarStyler(styler);
  Pager->SetShowQATBelow(true);
  std::unique_ptr<TBitmap> shot(PaintToBitmap(Bar));
  TRect r = Bar->GetBarRect();
  EXPECT_EQ(PixelAt(shot.get(), r.Width() / 2, r.Height() / 2), 0x20C040);
  EXPECT_EQ(PixelAt(shot.get(), r.left, r.Height() / 2), 0x4020A0);
  EXPECT_EQ(PixelAt(shot.get(), r.Width() / 2, r.top), 0x4020A0);
  EXPECT_EQ(PixelAt(shot.get(), r.right - 1, r.Height() / 2), 0x4020A0);
  // With a second colour the band fades into it from top to bottom.
  styler->QATAppearance()->SetFullSizeColorTo(0x2040C0);
  shot.reset(PaintToBitmap(Bar));
  TColor top = PixelAt(shot.get(), r.Width() / 2, r.top + 3);
  TColor bottom = PixelAt(shot.get(), r.Width() / 2, r.bottom - 4);
  EXPECT_GT(top & 0xFF00, bottom & 0xFF00);  // green fades out
  EXPECT_LT(top & 0xFF, bottom & 0xFF);      // red comes in
}

TEST_F(QAT, InTheCaptionTheBandIsFilledFromItsColourToItsSecondColour) {
  auto* styler = new TAdvToolBarOfficeStyler(Form);
  styler->SetName(L"Styler");
  styler->SetStyle(TToolBarStyle::bsOffice2007Luna);
  styler->QATAppearance()->SetColor(0x0000F0);
  styler->QATAppearance()->SetColorTo(0xF00000);
  Pager->SetToolBarStyler(styler);
  SetQATArea(300);
  std::unique_ptr<TBitmap> shot(PaintToBitmap(Bar));
  TRect r = Bar->GetBarRect();
  int x = Bar->GetLeftOffset() + 5;
  TColor high = PixelAt(shot.get(), x, r.top + 2), low = PixelAt(shot.get(), x, r.bottom - 4);
  EXPECT_GT(high & 0xFF, low & 0xFF);          // red fades out
  EXPECT_LT(high & 0xFF0000, low & 0xFF0000);  // blue comes in
  // Left of the band's cut end the pager's caption shows through.
  TColor outside = PixelAt(shot.get(), 1, r.bottom - 2);
  EXPECT_GT(std::abs(int(outside & 0xFF) - int(high & 0xFF)) + std::abs(int(outside >> 16) - int(high >> 16)), 40);
}

// Waits for the pager to take the flat tones from an Office 2013 styler on
// a plain form (the pager's styler reactions); the ribbon form's picture
// covers the flat look meanwhile.
TEST_F(QAT, DISABLED_FlatItIsFilledInItsColourWithADividerAfterTheApplicationButton) {
  auto* styler = new TAdvToolBarOfficeStyler(Form);
  styler->SetName(L"Styler");
  styler->SetStyle(TToolBarStyle::bsOffice2013White);
  Pager->SetToolBarStyler(styler);
  ASSERT_TRUE(Bar->IsOfficeFlatStyle());
  Bar->SetColor(0xE0F0E0);
  std::unique_ptr<TBitmap> shot(PaintToBitmap(Bar));
  TRect r = Bar->GetBarRect();
  int divider = r.left + 22;
  EXPECT_EQ(PixelAt(shot.get(), divider, 10), clGray);
  EXPECT_EQ(PixelAt(shot.get(), divider + 3, 10), 0xE0F0E0);
}
