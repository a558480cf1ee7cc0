// The pager's own buttons: minimize, maximize and close in the caption bar
// (places per scale, which show for which setting, glyph and hover pixels,
// clicks by calls and by the real mouse), the MDI child's buttons, the help
// button, the expand/collapse button with its pictures, and the collapsed
// state and the quick access toolbar's place kept in the layout store.
#include <windowsx.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "tests/support/Gui.h"
#include "tests/toolbar/ribbon/PagerTestSupport.h"
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/toolbar/bars/AdvToolBarButton.h"
#include "ui/toolbar/ribbon/AdvQuickAccessToolBar.h"
#include "ui/toolbar/ribbon/MinimizedRibbonWindow.h"
#include "ui/toolbar/ribbon/PagerHints.h"
#include "ui/toolbar/ribbon/RibbonBitmaps.h"
#include "ui/toolbar/stylers/ToolBarOfficeStyler.h"

namespace {

TPoint Centre(const TRect& R) { return TPoint((R.left + R.right) / 2, (R.top + R.bottom) / 2); }

TRect BoundsOf(TControl* C) { return TRect(C->Left(), C->Top(), C->Left() + C->Width(), C->Top() + C->Height()); }

std::string Bytes(TGDIPPicture* Picture) {
  TMemoryStream stream;
  Picture->SaveToStream(&stream);
  return std::string(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

std::string RibbonBytes(const wchar_t* Name) {
  TGDIPPicture picture;
  LoadRibbonPicture(&picture, Name);
  return Bytes(&picture);
}

int Distance(TColor A, TColor B) {
  int d = 0;
  for (int s : {0, 8, 16}) d = Max(d, std::abs(static_cast<int>((A >> s) & 0xFF) - static_cast<int>((B >> s) & 0xFF)));
  return d;
}

// Pixels of the control's own painting within Tolerance of Colour.
int Ink(TWinControl* C, TColor Colour, int Tolerance = 0) {
  TOwned<TBitmap> bmp(PaintToBitmap(C));
  return CountPixels(bmp, TRect(0, 0, C->Width(), C->Height()), Colour, Tolerance);
}

void RealClick(TControl* C) {
  TPoint p = C->ClientToScreen(TPoint(C->Width() / 2, C->Height() / 2));
  SetCursorPos(p.x, p.y);
  mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

void MouseUp(TControl* C, TMouseButton Button, TPoint At) {
  UINT down = Button == TMouseButton::mbLeft ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
  UINT up = Button == TMouseButton::mbLeft ? WM_LBUTTONUP : WM_RBUTTONUP;
  C->Perform(down, Button == TMouseButton::mbLeft ? MK_LBUTTON : MK_RBUTTON, MAKELPARAM(C->Width() / 2, C->Height() / 2));
  C->Perform(up, 0, MAKELPARAM(At.x, At.y));
}

struct ButtonsFixture : PagerFixture {
  void SetUp() override {
    // The pointer away from the form: a button under it would be hot.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
    PagerFixture::SetUp();
    for (const wchar_t* c : {L"Home", L"Insert", L"View"}) AddPage(c);
    Pager->SetActivePageIndex(0);
    PumpFor(10);
  }
  TAdvGlowButton* Close() { return Pager->CaptionCloseButton(); }
  TAdvGlowButton* Min() { return Pager->CaptionMinButton(); }
  TAdvGlowButton* Max() { return Pager->CaptionMaxButton(); }
};

using CaptionButtons = ButtonsFixture;

}  // namespace

TEST_F(CaptionButtons, StandAtTheRightOfTheCaptionBarAtEveryScale) {
  struct Case {
    float Factor;
    int Size;
  };
  for (Case c : {Case{1.0f, 16}, Case{1.5f, 20}, Case{2.0f, 24}}) {
    DPIFactor = c.Factor;
    Pager->UpdateCaptionButtons(true);
    ASSERT_NE(Close(), nullptr);
    int inset = Pager->GetPageInset();
    int top = Pager->GetCaptionRect().top + inset;
    int closeLeft = Pager->Width() - inset - c.Size - 2;
    EXPECT_EQ(BoundsOf(Close()), TRect(closeLeft, top, closeLeft + c.Size, top + c.Size)) << c.Factor;
    EXPECT_EQ(BoundsOf(Max()), TRect(closeLeft - 2 - c.Size, top, closeLeft - 2, top + c.Size)) << c.Factor;
    EXPECT_EQ(BoundsOf(Min()), TRect(closeLeft - 2 * (c.Size + 2), top, closeLeft - c.Size - 4, top + c.Size));
    EXPECT_EQ(Pager->GetCaptionButtonsRect(), TRect(Min()->Left(), top, closeLeft + c.Size, top + c.Size));
    // The caption's text keeps clear of them; the glyph pictures fit inside.
    EXPECT_GE(Pager->Caption()->RightIndent(), Pager->Width() - Min()->Left());
    EXPECT_EQ(Close()->Picture()->Width(), c.Size - 2);
  }
  // They follow the pager's width.
  SetPagerWidth(500);
  EXPECT_EQ(Close()->Left() + Close()->Width(), 500 - Pager->GetPageInset() - 2);
}

TEST_F(CaptionButtons, ShowAndEnableAsTheSetSays) {
  using B = TCaptionButton;
  struct Case {
    TCaptionButtons Set;
    bool CloseShown, MinShown, MaxShown, CloseOn, MinOn, MaxOn;
  };
  const Case cases[] = {
      {{B::cbClose, B::cbMinimize, B::cbMaximize}, true, true, true, true, true, true},
      {{B::cbMinimize}, false, true, true, false, true, false},
      {{B::cbMaximize}, false, false, true, false, false, true},
      {{B::cbClose}, true, false, false, true, false, false},
      {{B::cbClose, B::cbMaximize}, true, false, true, true, false, true},
  };
  for (const Case& c : cases) {
    Pager->SetCaptionButtons(c.Set);
    ASSERT_NE(Close(), nullptr);
    EXPECT_EQ(Close()->Visible(), c.CloseShown);
    EXPECT_EQ(Min()->Visible(), c.MinShown);
    EXPECT_EQ(Max()->Visible(), c.MaxShown);
    EXPECT_EQ(Close()->Enabled(), c.CloseOn);
    EXPECT_EQ(Min()->Enabled(), c.MinOn);
    EXPECT_EQ(Max()->Enabled(), c.MaxOn);
  }
  // None wanted, or no caption: no buttons, and the caption's indent back.
  int indent = 7;
  Pager->SetCaptionButtons({});
  Pager->Caption()->SetRightIndent(indent);
  Pager->SetCaptionButtons({B::cbClose});
  EXPECT_GT(Pager->Caption()->RightIndent(), indent);
  Pager->Caption()->SetVisible(false);
  EXPECT_EQ(Close(), nullptr);
  EXPECT_EQ(Min(), nullptr);
  EXPECT_EQ(Max(), nullptr);
  EXPECT_EQ(Pager->Caption()->RightIndent(), indent);
  EXPECT_EQ(Pager->GetCaptionButtonsRect(), TRect(-1, -1, -1, -1));
  // In Aero mode the form's own buttons show: the pager's stay hidden.
  Pager->Caption()->SetVisible(true);
  Pager->SetCaptionButtons({B::cbClose, B::cbMinimize, B::cbMaximize});
  Pager->SetAeroVista(true);
  Pager->UpdateCaptionButtons(false);
  EXPECT_FALSE(Close()->Visible());
  EXPECT_FALSE(Max()->Visible());
  EXPECT_EQ(Pager->Caption()->RightIndent(), Pager->GetCaptionButtonsRect().Width());
}

TEST_F(CaptionButtons, GlyphsTakeTheStylersSystemButtonColourAndTheCloseButtonGlowsRed) {
  auto* styler = new TAdvToolBarOfficeStyler(Form);
  styler->SetName(L"Styler");
  Pager->SetToolBarStyler(styler);
  const TColor ink = RGB(20, 160, 40);
  // A change of the system-button colour draws the glyphs again in it.
  styler->SetSysButtonColor(ink);
  for (TAdvGlowButton* b : {Close(), Min(), Max()}) EXPECT_GT(Ink(b, ink, 8), 8) << b->Hint();
  // Another kind of change leaves the pictures as they are.
  std::string before = Bytes(Close()->Picture());
  Pager->ApplyStylerChange(StylerChange::Style);
  EXPECT_EQ(Bytes(Close()->Picture()), before);
  // The appearance is the styler's; the close button's hot and down colours
  // are red, the others keep the styler's.
  EXPECT_EQ(Min()->Appearance()->ColorHot(), styler->GlowButtonAppearance()->ColorHot());
  EXPECT_EQ(Close()->Appearance()->ColorMirrorHotTo(), RGB(227, 97, 98));
  EXPECT_EQ(Close()->Appearance()->BorderColorDown(), RGB(137, 54, 54));
  // The real pointer over the close button: it turns hot and its face red.
  Form->BringToFront();
  SetForegroundWindow(Form->Handle());
  PumpFor(20);
  EXPECT_EQ(Ink(Close(), RGB(255, 132, 131), 30), 0);
  TPoint p = Close()->ClientToScreen(TPoint(Close()->Width() / 2, 2));
  SetCursorPos(p.x, p.y);
  mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return Close()->Hot(); }));
  EXPECT_TRUE(PumpUntil([&] { return Ink(Close(), RGB(255, 132, 131), 30) > 10; }));
  EXPECT_FALSE(Min()->Hot());
}

TEST_F(CaptionButtons, InColourTonesTheyTakeThePagersOwnLook) {
  TColorTones tones{};
  tones.Background = {RGB(250, 250, 250), RGB(200, 200, 200), RGB(30, 90, 200)};
  tones.Foreground = {RGB(240, 240, 240), RGB(180, 180, 180), RGB(0, 0, 0)};
  tones.Selected = {RGB(220, 220, 220), RGB(160, 160, 160), RGB(0, 0, 0)};
  tones.Hover = {RGB(210, 230, 250), RGB(120, 160, 220), RGB(0, 0, 0)};
  tones.Disabled = {RGB(240, 240, 240), RGB(200, 200, 200), RGB(128, 128, 128)};
  Pager->SetColorTones(tones);
  ASSERT_TRUE(Pager->Itones());
  // The glyphs in the tones' text colour, 4 pixels lower, flat and square.
  EXPECT_GT(Ink(Close(), RGB(30, 90, 200), 8), 8);
  EXPECT_EQ(Close()->Top(), Pager->GetCaptionRect().top + Pager->GetPageInset() + 4);
  EXPECT_EQ(Min()->Appearance()->ColorHot(), RGB(210, 230, 250));
  EXPECT_FALSE(Min()->Rounded());
  // Leaving the tones gives the styler's look back.
  Pager->ClearOfficeTones();
  Pager->ApplyStylerChange(0);
  EXPECT_FALSE(Pager->Itones());
  EXPECT_EQ(Min()->Appearance()->ColorHot(), Pager->CurrentToolBarStyler()->GlowButtonAppearance()->ColorHot());
}

TEST_F(CaptionButtons, MaximizeSwitchesTheFormAndItsGlyphFollows) {
  std::string maximizeGlyph = Bytes(Max()->Picture());
  Max()->InvokeClick();
  PumpFor(20);
  EXPECT_EQ(Form->WindowState(), TWindowState::wsMaximized);
  EXPECT_EQ(Pager->CaptionClickXY(), TPoint(-1, -1));
  std::string restoreGlyph = Bytes(Max()->Picture());
  EXPECT_NE(restoreGlyph, maximizeGlyph);
  Max()->InvokeClick();
  PumpFor(20);
  EXPECT_EQ(Form->WindowState(), TWindowState::wsNormal);
  EXPECT_EQ(Bytes(Max()->Picture()), maximizeGlyph);
  // A double click on the caption bar redraws it too (a press there would
  // start the system's move loop).
  Pager->SetCanMove(false);
  TRect caption = Pager->GetCaptionRect();
  TPoint at(caption.left + 30, caption.top + 5);
  Pager->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  PumpFor(20);
  EXPECT_EQ(Form->WindowState(), TWindowState::wsMaximized);
  EXPECT_EQ(Bytes(Max()->Picture()), restoreGlyph);
  // With its event assigned the button only reports.
  TObject* sender = nullptr;
  Pager->OnMaxButtonClick = [&](TObject* S) { sender = S; };
  Max()->InvokeClick();
  EXPECT_EQ(sender, Max());
  EXPECT_EQ(Form->WindowState(), TWindowState::wsMaximized);
}

TEST_F(CaptionButtons, MinimizeTakesTheFormOrTheWholeProgram) {
  auto* other = new TForm(nullptr);
  other->SetBounds(300, 300, 200, 120);
  other->Show();
  PumpFor(20);
  struct Case {
    bool App, OtherMinimized;
  };
  for (Case c : {Case{false, false}, Case{true, true}}) {
    Pager->SetMinimizeApp(c.App);
    Min()->InvokeClick();
    PumpFor(20);
    EXPECT_EQ(Form->WindowState(), TWindowState::wsMinimized) << c.App;
    EXPECT_EQ(other->WindowState() == TWindowState::wsMinimized, c.OtherMinimized) << c.App;
    Form->SetWindowState(TWindowState::wsNormal);
    other->SetWindowState(TWindowState::wsNormal);
    PumpFor(20);
  }
  TObject* sender = nullptr;
  Pager->OnMinButtonClick = [&](TObject* S) { sender = S; };
  Min()->InvokeClick();
  EXPECT_EQ(sender, Min());
  EXPECT_EQ(Form->WindowState(), TWindowState::wsNormal);
  other->Free();
  PumpFor(10);
}

TEST_F(CaptionButtons, CloseClosesTheFormUnlessItsEventTakesTheClick) {
  TObject* sender = nullptr;
  Pager->OnCloseButtonClick = [&](TObject* S) { sender = S; };
  Close()->InvokeClick();
  EXPECT_EQ(sender, Close());
  EXPECT_TRUE(Form->Visible());
  Pager->OnCloseButtonClick = nullptr;
  int closing = 0;
  Form->OnClose = [&](TObject*, TCloseAction& Action) {
    ++closing;
    Action = TCloseAction::caHide;
  };
  Close()->InvokeClick();
  EXPECT_EQ(closing, 1);
  EXPECT_TRUE(PumpUntil([&] { return !Form->Visible(); }));
}

TEST_F(CaptionButtons, RealClicksMaximizeRestoreAndClose) {
  Form->BringToFront();
  SetForegroundWindow(Form->Handle());
  PumpFor(20);
  RealClick(Max());
  ASSERT_TRUE(PumpUntil([&] { return Form->WindowState() == TWindowState::wsMaximized; }));
  PumpFor(50);
  // The button moved with the wider form; a click on it restores.
  RealClick(Max());
  ASSERT_TRUE(PumpUntil([&] { return Form->WindowState() == TWindowState::wsNormal; }));
  PumpFor(50);
  int closing = 0;
  Form->OnClose = [&](TObject*, TCloseAction& Action) {
    ++closing;
    Action = TCloseAction::caHide;
  };
  RealClick(Close());
  EXPECT_TRUE(PumpUntil([&] { return closing == 1 && !Form->Visible(); }));
}

TEST_F(CaptionButtons, HintsComeFromThePagersTexts) {
  EXPECT_EQ(Close()->Hint(), L"Close");
  EXPECT_EQ(Min()->Hint(), L"Minimize");
  EXPECT_EQ(Max()->Hint(), L"Maximize");
  EXPECT_TRUE(Close()->ShowHint());
  TPagerHints hints;
  hints.SetMDICloseBtnHint(L"Shut");
  hints.SetMDIMaximizeBtnHint(L"");
  hints.SetHelpBtnHint(L"What is this?");
  Pager->SetHints(&hints);
  EXPECT_EQ(Close()->Hint(), L"Shut");
  EXPECT_FALSE(Max()->ShowHint());
  ASSERT_NE(Pager->HelpButton(), nullptr);
  EXPECT_EQ(Pager->HelpButton()->Hint(), L"What is this?");
  // A later change of one text reaches its button.
  Pager->Hints()->SetMDIMinimizeBtnHint(L"Down");
  EXPECT_EQ(Min()->Hint(), L"Down");
}

// ---------------------------------------------------------------------------
// Help and expand/collapse

using HelpAndExpand = ButtonsFixture;

TEST_F(HelpAndExpand, TheHelpButtonsPictureAndPlaceFollowTheScale) {
  struct Case {
    float Factor;
    const wchar_t* Bitmap;
    int Side;
  };
  for (Case c : {Case{1.0f, L"ATBHELP_BTN", 20}, Case{1.5f, L"ATBHELP_BTN", 30}, Case{2.0f, L"ATBHELPHD_BTN", 40}}) {
    DPIFactor = c.Factor;
    Pager->UpdateHelpButton();
    TAdvGlowButton* help = Pager->HelpButton();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(Bytes(help->Picture()), RibbonBytes(c.Bitmap)) << c.Factor;
    TRect area = Pager->GetTabsArea();
    int top = area.top + (area.Height() - c.Side) / 2 + 1;
    int right = area.right - (Pager->GetPageInset() + 2);
    EXPECT_EQ(BoundsOf(help), TRect(right - c.Side, top, right, top + c.Side)) << c.Factor;
  }
  // A picture of the program's own replaces the bitmap.
  TGDIPPicture own;
  LoadRibbonPicture(&own, L"OPTIONIND_PIC");
  Pager->SetHelpButtonPicture(&own);
  EXPECT_EQ(Bytes(Pager->HelpButton()->Picture()), Bytes(&own));
}

TEST_F(HelpAndExpand, TheHelpButtonFiresTheHelpEventAndGoesWhenNotWanted) {
  TObject* sender = nullptr;
  Pager->OnHelpClick = [&](TObject* S) { sender = S; };
  ASSERT_NE(Pager->HelpButton(), nullptr);
  Pager->HelpButton()->InvokeClick();
  EXPECT_EQ(sender, Pager);
  Pager->SetShowExpandCollapsButton(true);
  EXPECT_EQ(Pager->ExpandCollapsButton()->Left() + Pager->ExpandCollapsButton()->Width(),
            Pager->HelpButton()->Left() - 1);
  Pager->SetShowHelpButton(false);
  EXPECT_EQ(Pager->HelpButton(), nullptr);
  // The expand button takes the help button's place.
  EXPECT_EQ(Pager->ExpandCollapsButton()->Left() + Pager->ExpandCollapsButton()->Width(),
            Pager->GetTabsArea().right - (Pager->GetPageInset() + 2));
}

TEST_F(HelpAndExpand, TheExpandButtonTogglesTheRibbonAndItsPictureTellsTheState) {
  int expanded = Pager->Height();
  Pager->SetShowExpandCollapsButton(true);
  TAdvGlowButton* b = Pager->ExpandCollapsButton();
  ASSERT_NE(b, nullptr);
  TPoint inside(b->Width() / 2, b->Height() / 2);
  EXPECT_EQ(Bytes(b->Picture()), RibbonBytes(L"ATBECUP_BTN"));
  // The right button, or a left button let go off the button: nothing.
  MouseUp(b, TMouseButton::mbRight, inside);
  MouseUp(b, TMouseButton::mbLeft, TPoint(b->Width() + 5, inside.y));
  EXPECT_TRUE(Pager->Expanded());
  MouseUp(b, TMouseButton::mbLeft, inside);
  EXPECT_FALSE(Pager->Expanded());
  EXPECT_LT(Pager->Height(), expanded);
  EXPECT_EQ(Bytes(b->Picture()), RibbonBytes(L"ATBECDOWN_BTN"));
  // With the floating ribbon showing: a pin, and the button does not expand.
  Pager->ShowFloatingRibbon();
  ASSERT_TRUE(Pager->FloatingRibbonShowing());
  EXPECT_EQ(Bytes(b->Picture()), RibbonBytes(L"ATBECNCH_BTN"));
  MouseUp(b, TMouseButton::mbLeft, inside);
  EXPECT_FALSE(Pager->Expanded());
  Pager->HideFloatingRibbon();
  PumpFor(20);
  EXPECT_EQ(Bytes(b->Picture()), RibbonBytes(L"ATBECDOWN_BTN"));
  // CTRL+F1's way (a plain Expand) shows the state as well.
  Pager->Expand();
  EXPECT_EQ(Pager->Height(), expanded);
  EXPECT_EQ(Bytes(b->Picture()), RibbonBytes(L"ATBECUP_BTN"));
  // A real click collapses again.
  Form->BringToFront();
  SetForegroundWindow(Form->Handle());
  PumpFor(20);
  RealClick(b);
  EXPECT_TRUE(PumpUntil([&] { return !Pager->Expanded(); }));
  // Larger screens take the HD set.
  DPIFactor = 2.0f;
  Pager->UpdateExpandCollapseButton();
  EXPECT_EQ(Bytes(b->Picture()), RibbonBytes(L"ATBECDOWNHD_BTN"));
}

// ---------------------------------------------------------------------------
// MDI child buttons

namespace {

struct MDIPager : ::testing::Test {
  TForm* Frame = nullptr;
  TAdvToolBarPager* Pager = nullptr;
  TForm* Child = nullptr;
  void SetUp() override {
    ResetRibbonGlobals();
    // MDI children live in the main form.
    ASSERT_EQ(Application->MainForm(), nullptr);
    Application->CreateForm(Frame);
    Frame->SetFormStyle(TFormStyle::fsMDIForm);
    Frame->SetBounds(20, 20, 700, 460);
    Pager = new TAdvToolBarPager(Frame);
    Pager->SetName(L"Pager");
    Pager->SetParent(Frame);
    Pager->SetAutoMDIButtons(true);
    Pager->AddAdvPage(L"Home");
    Pager->SetActivePageIndex(0);
    Frame->Show();
    PumpFor(20);
    Child = new TForm(Frame);
    Child->SetFormStyle(TFormStyle::fsMDIChild);
    Child->SetCaption(L"Doc");
    Child->Show();
    Child->SetWindowState(TWindowState::wsMaximized);
    PumpFor(20);
  }
  void TearDown() override {
    if (Frame) Frame->Free();
    PumpFor(10);
    Application->ResetMainForm();
    ResetRibbonGlobals();
  }
  void Paint() {
    Pager->Repaint();
    PumpFor(10);
  }
};

}  // namespace

TEST_F(MDIPager, ButtonsShowWhileTheActiveChildIsMaximized) {
  Paint();
  ASSERT_TRUE(Pager->MDIButtonsVisible());
  TAdvGlowButton* close = Pager->MDICloseButton();
  ASSERT_NE(close, nullptr);
  TRect r = Pager->GetMDIButtonsRect();
  int top = r.top + (r.Height() - 16) / 2 - 4;
  EXPECT_EQ(BoundsOf(Pager->MDIMinButton()), TRect(r.left, top, r.left + 16, top + 16));
  EXPECT_EQ(BoundsOf(Pager->MDIMaxButton()), TRect(r.left + 18, top, r.left + 34, top + 16));
  EXPECT_EQ(BoundsOf(close), TRect(r.left + 36, top, r.left + 52, top + 16));
  for (TAdvGlowButton* b : {close, Pager->MDIMinButton(), Pager->MDIMaxButton()}) {
    EXPECT_TRUE(b->Visible());
    EXPECT_TRUE(b->Enabled());
  }
  // The glyphs in the caption text colour; the help button moves left of
  // them.
  TColor ink = Pager->CurrentToolBarStyler()->PagerCaption()->TextColor();
  EXPECT_GT(Ink(close, ink, 8), 8);
  EXPECT_EQ(Pager->HelpButton()->Left() + Pager->HelpButton()->Width(), r.left - 2);
  // Restored, they go at the next paint.
  Pager->MDIMaxButton()->InvokeClick();
  PumpFor(20);
  EXPECT_EQ(Child->WindowState(), TWindowState::wsNormal);
  Paint();
  EXPECT_FALSE(Pager->MDIButtonsVisible());
  EXPECT_FALSE(close->Visible());
  EXPECT_EQ(Pager->HelpButton()->Left() + Pager->HelpButton()->Width(),
            Pager->GetTabsArea().right - (Pager->GetPageInset() + 2));
}

TEST_F(MDIPager, EachButtonDrawsItsOwnGlyphAndOnScenicGlassTheGlassBitmaps) {
  Paint();
  ASSERT_TRUE(Pager->MDIButtonsVisible());
  // Close, restore and minimize each from the list's own image.
  EXPECT_EQ(Pager->MDICloseButton()->ImageIndex(), 0);
  EXPECT_EQ(Pager->MDIMaxButton()->ImageIndex(), 1);
  EXPECT_EQ(Pager->MDIMinButton()->ImageIndex(), 2);
  ASSERT_NE(Pager->MDIMinButton()->Images(), nullptr);
  EXPECT_EQ(Pager->MDIMinButton()->Images()->Count(), 3);
  TColor ink = Pager->CurrentToolBarStyler()->PagerCaption()->TextColor();
  std::vector<int> counts;
  for (TAdvGlowButton* b : {Pager->MDICloseButton(), Pager->MDIMaxButton(), Pager->MDIMinButton()}) {
    counts.push_back(Ink(b, ink, 8));
    EXPECT_GT(counts.back(), 4);
  }
  // Three different glyphs.
  EXPECT_NE(counts[0], counts[1]);
  EXPECT_NE(counts[1], counts[2]);
  // Scenic glass (forced here: the platform has no composition).
  SetGlobalWin7ScenicRibbon(true);
  Pager->TabSettings()->SetGlass(true);
  Pager->SetAeroVista(true);
  Frame->SetWindowState(TWindowState::wsNormal);
  PumpFor(20);
  ASSERT_TRUE(Pager->IsGlassActive(true));
  Pager->UpdateMDIButtons(true);
  Pager->UpdateHelpButton();
  EXPECT_EQ(Bytes(Pager->MDICloseButton()->Picture()), RibbonBytes(L"ATBECCLOSE"));
  EXPECT_EQ(Bytes(Pager->MDIMaxButton()->Picture()), RibbonBytes(L"ATBECMAX"));
  EXPECT_EQ(Bytes(Pager->MDIMinButton()->Picture()), RibbonBytes(L"ATBECMIN"));
  EXPECT_EQ(Pager->MDICloseButton()->Images(), nullptr);
  EXPECT_EQ(Bytes(Pager->HelpButton()->Picture()), RibbonBytes(L"ATBHELP_BTN2"));
}

TEST_F(MDIPager, MinimizeAndCloseActOnTheChildAndWhatItCannotDoIsGreyed) {
  Child->SetBorderIcons({TBorderIcon::biSystemMenu, TBorderIcon::biMinimize});
  Paint();
  ASSERT_TRUE(Pager->MDIButtonsVisible());
  EXPECT_FALSE(Pager->MDIMaxButton()->Enabled());
  EXPECT_TRUE(Pager->MDIMinButton()->Enabled());
  Pager->MDIMinButton()->InvokeClick();
  PumpFor(20);
  EXPECT_EQ(Child->WindowState(), TWindowState::wsMinimized);
  Paint();
  EXPECT_FALSE(Pager->MDIButtonsVisible());
  Child->SetWindowState(TWindowState::wsMaximized);
  PumpFor(20);
  Paint();
  ASSERT_TRUE(Pager->MDIButtonsVisible());
  int closing = 0;
  Child->OnClose = [&](TObject*, TCloseAction& Action) {
    ++closing;
    Action = TCloseAction::caHide;
  };
  Pager->MDICloseButton()->InvokeClick();
  EXPECT_EQ(closing, 1);
  // Switched off, the form gets its procedure back and the buttons hide.
  Pager->SetAutoMDIButtons(false);
  EXPECT_FALSE(Pager->MDICloseButton()->Visible());
}

// ---------------------------------------------------------------------------
// The saved state

namespace {

String TempIni() {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  return String(dir) + L"vantrel_pager_state_" + std::to_wstring(GetCurrentProcessId()) + L".ini";
}

int IniValue(const String& File, const wchar_t* Key) {
  return static_cast<int>(GetPrivateProfileIntW(L"Ribbon", Key, -1, File.c_str()));
}

void WriteIni(const String& File, int Minimized, int Below) {
  DeleteFileW(File.c_str());
  if (Minimized >= 0) WritePrivateProfileStringW(L"Ribbon", L"Minimized", std::to_wstring(Minimized).c_str(), File.c_str());
  if (Below >= 0) WritePrivateProfileStringW(L"Ribbon", L"ShowQATBelow", std::to_wstring(Below).c_str(), File.c_str());
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, File.c_str());
}

struct StateFixture : ::testing::Test {
  String File = TempIni();
  TForm* Form = nullptr;
  TAdvToolBarPager* Pager = nullptr;
  TAdvQuickAccessToolBar* QAT = nullptr;

  void SetUp() override {
    ResetRibbonGlobals();
    DeleteFileW(File.c_str());
  }
  void TearDown() override {
    FreeForm();
    DeleteFileW(File.c_str());
    ResetRibbonGlobals();
  }
  void FreeForm() {
    if (Form) Form->Free();
    Form = nullptr;
    PumpFor(5);
  }
  // A form with a pager (and a quick access toolbar) loaded from a store
  // in File; Collapsed: the ribbon collapsed before loading finished.
  void Make(bool Enabled, bool Collapsed = false) {
    Form = new TForm(nullptr);
    Form->BeginLoading();
    Form->SetBounds(40, 40, 700, 320);
    Pager = new TAdvToolBarPager(Form);
    Pager->SetName(L"Pager");
    Pager->SetParent(Form);
    Pager->Persistence()->SetLocation(TPersistenceLocation::plIniFile);
    Pager->Persistence()->SetKey(File);
    Pager->Persistence()->SetSection(L"Ribbon");
    Pager->Persistence()->SetEnabled(Enabled);
    Pager->AddAdvPage(L"Home");
    Pager->SetActivePageIndex(0);
    QAT = new TAdvQuickAccessToolBar(Form);
    QAT->SetName(L"QAT");
    QAT->SetParent(Pager);
    auto* b = new TAdvToolBarButton(Form);
    QAT->AddToolBarControl(b);
    if (Collapsed) Pager->Collaps();
    Form->EndLoading();
    Form->Show();
    PumpFor(20);
  }
};

}  // namespace

TEST_F(StateFixture, WhatIsStoredIsTakenUpWhenThePagerLoads) {
  struct Case {
    int Minimized, Below;  // -1: not stored
    bool Collapsed;        // before loading
    bool WantExpanded, WantBelow;
  };
  const Case cases[] = {
      {1, 0, false, false, false}, {0, 1, false, true, true},  {1, 1, false, false, true},
      {0, 0, true, false, false},  {-1, -1, true, false, false}, {-1, -1, false, true, false},
  };
  for (const Case& c : cases) {
    WriteIni(File, c.Minimized, c.Below);
    Make(true, c.Collapsed);
    EXPECT_EQ(Pager->Expanded(), c.WantExpanded) << c.Minimized << c.Below << c.Collapsed;
    EXPECT_EQ(Pager->ShowQATBelow(), c.WantBelow) << c.Minimized << c.Below << c.Collapsed;
    FreeForm();
  }
  // Without the store enabled nothing is read.
  WriteIni(File, 1, 1);
  Make(false);
  EXPECT_TRUE(Pager->Expanded());
  EXPECT_FALSE(Pager->ShowQATBelow());
}

TEST_F(StateFixture, TheStateRoundTripsThroughTheStoreAndIsSavedWhenThePagerGoes) {
  Make(true);
  int expanded = Pager->Height();
  Pager->Collaps();
  Pager->SetShowQATBelow(true);
  Pager->SaveState();
  EXPECT_EQ(IniValue(File, L"Minimized"), 1);
  EXPECT_EQ(IniValue(File, L"ShowQATBelow"), 1);
  FreeForm();
  Make(true);
  EXPECT_FALSE(Pager->Expanded());
  EXPECT_TRUE(Pager->ShowQATBelow());
  // Back to expanded with the toolbar in the caption; freeing the form
  // saves it.
  Pager->SetShowQATBelow(false);
  Pager->Expand();
  EXPECT_EQ(Pager->Height(), expanded);
  FreeForm();
  EXPECT_EQ(IniValue(File, L"Minimized"), 0);
  EXPECT_EQ(IniValue(File, L"ShowQATBelow"), 0);
  // A disabled store is not written.
  Make(false);
  Pager->Collaps();
  FreeForm();
  EXPECT_EQ(IniValue(File, L"Minimized"), 0);
}

TEST_F(StateFixture, AHiddenToolBarBelowTheRibbonKeepsItsPlace) {
  Make(true);
  Pager->SetShowQATBelow(true);
  int below = Pager->Height();
  QAT->SetVisible(false);
  PumpFor(10);
  // The band's room goes with it.
  EXPECT_EQ(Pager->Height(), below - Pager->GetQATHeight());
  EXPECT_FALSE(Pager->ShowQATBelow());
  Pager->SaveState();
  EXPECT_EQ(IniValue(File, L"ShowQATBelow"), 1);
  FreeForm();
  Make(true);
  EXPECT_TRUE(Pager->ShowQATBelow());
}

// ---------------------------------------------------------------------------
// The form's events end the key tips

using FormEvents = ButtonsFixture;

TEST_F(FormEvents, AResizeAMoveAPressMinimizeAndMaximizeHideTheKeyTips) {
  // The fixture's form is loaded with the pager on it, so the pager hears
  // its form.
  struct Case {
    UINT Msg;
    WPARAM WParam;
    bool Hides;
  };
  RECT moving{40, 40, 800, 360};
  const Case cases[] = {
      {WM_SIZE, SIZE_RESTORED, true},           {WM_MOVING, 0, true},
      {WM_LBUTTONDOWN, MK_LBUTTON, true},       {WM_SYSCOMMAND, SC_MINIMIZE, true},
      {WM_SYSCOMMAND, SC_MAXIMIZE | 2, true},   {WM_SYSCOMMAND, SC_KEYMENU, false},
      {WM_MOUSEMOVE, 0, false},
  };
  for (const Case& c : cases) {
    Pager->ShowShortCutHint();
    ASSERT_TRUE(Pager->TabShortCutHintShowing());
    LPARAM l = c.Msg == WM_MOVING ? reinterpret_cast<LPARAM>(&moving)
               : c.Msg == WM_SIZE ? MAKELPARAM(Form->ClientWidth(), Form->ClientHeight())
                                  : MAKELPARAM(300, 250);
    // Minimize and maximize are judged, not carried out, by this check.
    if (c.Msg == WM_SYSCOMMAND) {
      TMessage m{c.Msg, c.WParam, l, 0};
      Pager->FormMessage(m);
    } else {
      Form->Perform(c.Msg, c.WParam, l);
    }
    EXPECT_EQ(Pager->TabShortCutHintShowing(), !c.Hides) << c.Msg << " " << c.WParam;
    Pager->HideShortCutHint();
  }
  // A real minimize through the form's system command, and back.
  Pager->ShowShortCutHint();
  Form->Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_FALSE(Pager->TabShortCutHintShowing());
  Form->SetWindowState(TWindowState::wsNormal);
  PumpFor(20);
}

TEST_F(FormEvents, ThePagerLeavesTheFormsMessageChainWhenItGoes) {
  Pager->Free();
  Pager = nullptr;
  // The form's messages still run (a resize and a press) without the pager.
  Form->SetBounds(Form->Left(), Form->Top(), 600, 300);
  Form->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  PumpFor(10);
  EXPECT_EQ(Form->Width(), 600);
}
