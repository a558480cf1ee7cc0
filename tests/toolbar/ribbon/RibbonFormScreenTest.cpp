// A ribbon form as the screen shows it, saved to <build>/screens/ for a
// person to look at: its own frame, the pager's caption with the quick
// access toolbar and the application button, the tabs and a page of
// groups; in the scenic look and in the flat Office 2013 tones. Each
// picture is also checked where the parts lie.
#include <memory>

#include "tests/draw/DrawTestSupport.h"
#include "tests/support/Gui.h"
#include "tests/support/Screens.h"
#include "tests/toolbar/ribbon/PagerTestSupport.h"
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/toolbar/bars/AdvToolBarButton.h"
#include "ui/toolbar/ribbon/AdvQuickAccessToolBar.h"
#include "ui/toolbar/ribbon/AdvToolBarForm.h"
#include "ui/toolbar/stylers/ToolBarOfficeStyler.h"

namespace {

int Distance(TColor A, TColor B) {
  int d = 0;
  for (int s : {0, 8, 16}) d = Max(d, std::abs(((A >> s) & 0xFF) - ((B >> s) & 0xFF)));
  return d;
}

struct RibbonFormScreen : ::testing::Test {
  TAdvToolBarForm* Form = nullptr;
  TAdvToolBarOfficeStyler* Styler = nullptr;
  TAdvToolBarPager* Pager = nullptr;
  TAdvQuickAccessToolBar* QAT = nullptr;
  TImageList* Images = nullptr;

  void SetUp() override { ResetRibbonGlobals(); }
  void TearDown() override {
    if (Form) Form->Free();
    PumpFor(5);
    ResetRibbonGlobals();
  }

  void Make(TToolBarStyle Style) {
    Form = new TAdvToolBarForm(nullptr);
    Form->BeginLoading();
    Form->SetName(L"RibbonForm");
    Form->SetBounds(30, 30, 760, 380);
    Form->SetCaption(L"Document - Vantrel");
    Form->SetColor(clWhite);
    Styler = new TAdvToolBarOfficeStyler(Form);
    Styler->SetName(L"Styler");
    Styler->SetStyle(Style);
    Images = new TImageList(Form, 16, 16);
    Images->SetColorDepth(TColorDepth::cd24Bit);
    for (TColor c : {0x3060C0, 0x30A030, 0xC06030}) {
      TBitmap b(16, 16, TPixelFormat::pf24bit);
      b.Canvas()->Brush()->SetColor(clWhite);
      b.Canvas()->FillRect(TRect(0, 0, 16, 16));
      b.Canvas()->Brush()->SetColor(c);
      b.Canvas()->FillRect(TRect(2, 2, 14, 14));
      Images->Add(&b, nullptr);
    }
    Pager = new TAdvToolBarPager(Form);
    Pager->SetName(L"Pager");
    Pager->SetParent(Form);
    Pager->SetToolBarStyler(Styler);
    Pager->Caption()->SetCaption(L"Document - Vantrel");
    for (const wchar_t* caption : {L"Home", L"Insert", L"Format", L"View"}) {
      auto* page = new TAdvPage(Form);
      page->SetCaption(caption);
      Pager->AddAdvPage(page);
    }
    QAT = new TAdvQuickAccessToolBar(Form);
    QAT->SetName(L"QAT");
    QAT->SetParent(Pager);
    QAT->SetImages(Images);
    for (int i = 0; i < 3; ++i) {
      auto* b = new TAdvToolBarButton(Form);
      b->SetName(L"QATButton" + std::to_wstring(i));
      b->SetImageIndex(i);
      b->SetLeft(100 + i);
      QAT->AddToolBarControl(b);
    }
    Form->EndLoading();
    Pager->SetActivePageIndex(0);
    std::string png = MakePng(24, 24, 0x3070D0);
    TAdvPage* home = Pager->AdvPages(0);
    for (const wchar_t* caption : {L"Clipboard", L"Font"}) {
      TAdvToolBar* group = home->CreateAdvToolBar();
      group->SetToolBarCaption(caption);
      group->SetAutoSize(true);
      for (const wchar_t* text : {L"Paste", L"Bold"}) {
        auto* b = new TAdvGlowButton(Form);
        b->SetAutoSize(true);
        TStringStream bytes(png);
        b->Picture()->LoadFromStream(&bytes);
        b->SetCaption(text);
        b->SetLayout(TButtonLayout::blGlyphTop);
        b->SetParent(group);
      }
    }
    Form->Show();
    PumpFor(50);
    QAT->Update();
    home->PositionToolBars();
    PumpFor(50);
  }

  // The picture of the form; the quick access toolbar's buttons and the
  // application button lie in the caption.
  std::unique_ptr<TBitmap> Shoot(const wchar_t* Name) {
    std::unique_ptr<TBitmap> shot = CaptureWindow(Form);
    EXPECT_TRUE(SaveScreenshot(shot.get(), Name));
    TRect caption = Pager->GetCaptionRect();
    EXPECT_EQ(QAT->ControlListCount(), 3);
    EXPECT_EQ(QAT->HiddenCount(), 0);
    for (int i = 0; i < QAT->ControlListCount(); ++i) {
      TControl* b = QAT->ControlListItem(i);
      TPoint at = InPicture(Form, QAT, b->Left() + b->Width() / 2, b->Top() + b->Height() / 2);
      EXPECT_LT(at.y, InPicture(Form, Pager, 0, caption.bottom).y);
      // The image's colour shows in the middle of its button.
      TColor want = i == 0 ? 0x3060C0 : i == 1 ? 0x30A030 : 0xC06030;
      EXPECT_LE(Distance(PixelAt(shot.get(), at.x, at.y), want), 40) << i;
    }
    return shot;
  }
};

}  // namespace

TEST_F(RibbonFormScreen, TheScenicRibbonFormWithItsQuickAccessToolBarAndApplicationButton) {
  Make(TToolBarStyle::bsOffice2007Luna);
  Pager->SetWin7ScenicRibbon(true);
  Pager->SetShowExpandCollapsButton(true);
  PumpFor(10);
  ASSERT_TRUE(QAT->App() && QAT->App()->Visible());
  auto shot = Shoot(L"ribbon_form.png");
  // Without glass the pager draws minimize, maximize and close itself, in
  // the styler's system-button colour, at the caption bar's right end.
  for (TAdvGlowButton* b : {Pager->CaptionMinButton(), Pager->CaptionMaxButton(), Pager->CaptionCloseButton()}) {
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->Visible());
    EXPECT_LT(b->Top() + b->Height(), Pager->GetCaptionRect().bottom);
    EXPECT_GT(b->Left(), Pager->Width() - 70);
    int ink = 0;
    for (int y = 0; y < b->Height(); ++y)
      for (int x = 0; x < b->Width(); ++x) {
        TPoint at = InPicture(Form, b, x, y);
        if (Distance(PixelAt(shot.get(), at.x, at.y), Styler->SysButtonColor()) <= 30) ++ink;
      }
    EXPECT_GT(ink, 6) << b->Hint();
  }
  // The application button shows the form's icon: somewhere in its box a
  // pixel stands out from the caption beside the toolbar.
  TAppIconGlowButton* app = QAT->App();
  TPoint beside = InPicture(Form, Pager, Pager->Width() / 2, 3);
  TColor caption = PixelAt(shot.get(), beside.x, beside.y);
  int most = 0;
  for (int y = 0; y < app->Height(); ++y)
    for (int x = 0; x < app->Width(); ++x) {
      TPoint at = InPicture(Form, app, x, y);
      most = Max(most, Distance(PixelAt(shot.get(), at.x, at.y), caption));
    }
  EXPECT_GT(most, 60);
  // The form's own border at the bottom.
  EXPECT_EQ(PixelAt(shot.get(), Form->Width() / 2, Form->Height() - 1), Styler->FormBorderColor());
}

TEST_F(RibbonFormScreen, TheFlatRibbonFormInOffice2013Tones) {
  Make(TToolBarStyle::bsOffice2013White);
  ASSERT_TRUE(QAT->IsOfficeFlatStyle());
  ASSERT_TRUE(QAT->App()->Visible());
  auto shot = Shoot(L"ribbon_form_flat.png");
  // The tabs: the selected one shows its frame and caption against the
  // strip beside the tabs.
  TRect tab = Pager->GetTabRect(0);
  TPoint strip = InPicture(Form, Pager, Pager->GetTabsRect().right - 20, tab.top + tab.Height() / 2);
  int most = 0;
  for (int y = tab.top; y < tab.bottom; ++y)
    for (int x = tab.left; x < tab.right; ++x) {
      TPoint at = InPicture(Form, Pager, x, y);
      most = Max(most, Distance(PixelAt(shot.get(), at.x, at.y), PixelAt(shot.get(), strip.x, strip.y)));
    }
  EXPECT_GT(most, 30);
}
