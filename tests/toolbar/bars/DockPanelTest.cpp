// Dock panels: alignment, parents, the styler in effect, the painted
// background and the toolbars it lists.
#include <cmath>

#include "tests/toolbar/bars/BarsTestSupport.h"
#include "ui/controls/menus/AdvMenus.h"
#include "ui/toolbar/stylers/ToolBarOfficeStyler.h"

namespace {

using DockPanel = DockFixture;

TEST_F(DockPanel, AlignSetsTheSideAndTurnsItsToolBars) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  TAdvToolBar* a = NewToolBar(L"A", 2);
  a->SetParent(p);
  EXPECT_EQ(p->TControl::Align(), TAlign::alTop);
  int w = a->Width();
  p->SetAlign(TDockAlign::daTop);  // unchanged: nothing happens
  EXPECT_EQ(a->Width(), w);
  p->SetAlign(TDockAlign::daLeft);
  EXPECT_EQ(p->TControl::Align(), TAlign::alLeft);
  EXPECT_EQ(a->Position(), TDockAlign::daLeft);
  EXPECT_EQ(a->Width(), 26);
  EXPECT_GT(a->Height(), w);  // the buttons' heights along it now
  EXPECT_EQ(a->Height(), a->MaxLength());
  for (auto [side, align] : {std::pair{TDockAlign::daRight, TAlign::alRight},
                             std::pair{TDockAlign::daBottom, TAlign::alBottom}}) {
    p->SetAlign(side);
    EXPECT_EQ(p->TControl::Align(), align);
  }
}

TEST_F(DockPanel, APanelOrToolBarIsNoParentOfAPanel) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  auto* q = new TAdvDockPanel(Form);
  TAdvToolBar* t = NewToolBar(L"T", 1);
  t->SetParent(Form);
  for (TWinControl* bad : std::initializer_list<TWinControl*>{p, t}) {
    try {
      q->SetParent(bad);
      ADD_FAILURE();
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), L"Invalid Parent");
    }
    EXPECT_EQ(q->Parent(), nullptr);
  }
  q->SetParent(Form);
  EXPECT_EQ(q->Parent(), Form);
  EXPECT_EQ(p->Version(), L"6.5.1.3");
  p->SetVersion(L"1.0");
  EXPECT_EQ(p->Version(), L"6.5.1.3");
  EXPECT_EQ(p->GetVersionNr(), 0x06050103);
}

TEST_F(DockPanel, ItsToolBarsFollowTheStylerAndItsInternalOneWhenTheStylerGoes) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  TAdvToolBar* a = NewToolBar(L"A", 1);
  a->SetParent(p);
  EXPECT_EQ(p->CurrentToolBarStyler(), p->InternalToolBarStyler());
  EXPECT_EQ(p->InternalToolBarStyler()->Name(), L"InternalStyler");
  EXPECT_EQ(a->CurrentToolBarStyler(), p->InternalToolBarStyler());
  auto* s = new TAdvToolBarOfficeStyler(Form);
  s->SetName(L"Styler1");
  auto* menu = new TAdvPopupMenu(Form);
  p->SetPopupMenu(menu);
  p->SetToolBarStyler(s);
  EXPECT_EQ(p->CurrentToolBarStyler(), s);
  EXPECT_EQ(a->CurrentToolBarStyler(), s);
  EXPECT_EQ(menu->MenuStyler(), s->CurrentAdvMenuStyler());
  s->Free();
  EXPECT_EQ(p->ToolBarStyler(), nullptr);
  EXPECT_EQ(p->CurrentToolBarStyler(), p->InternalToolBarStyler());
  EXPECT_EQ(a->CurrentToolBarStyler(), p->InternalToolBarStyler());
}

TEST_F(DockPanel, AStylerChangeColoursThePanel) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  p->SetName(L"Dock");
  auto* s = new TAdvToolBarOfficeStyler(Form);
  s->SetName(L"Styler1");
  p->SetToolBarStyler(s);
  s->DockColor()->SetColor(0x123456);
  EXPECT_EQ(p->Color(), 0x123456);
}

TEST_F(DockPanel, PaintsItsDockColourAndTilesItsPicture) {
  auto* host = new TPanel(Form);
  host->SetParent(Form);
  host->SetBevelOuter(TBevelCut::bvNone);
  host->SetBounds(0, 0, 25, 100);
  auto* p = new TAdvDockPanel(Form);
  p->SetParent(host);
  p->SetMinimumSize(12);
  ASSERT_EQ(p->BoundsRect(), TRect(0, 0, 25, 12));
  TCustomAdvToolBarStyler* s = p->CurrentToolBarStyler();
  s->DockColor()->SetColor(clWhite);
  s->DockColor()->SetColorTo(clNone);
  TBitmap* bmp = PaintToBitmap(p);
  EXPECT_EQ(CountPixels(bmp, TRect(0, 0, 25, 12), clWhite), 25 * 12);  // one solid rectangle
  bmp->Free();
  TOwned<TBitmap> tile(new TBitmap(10, 10));
  tile->Canvas()->Brush()->SetColor(clRed);
  tile->Canvas()->FillRect(TRect(0, 0, 10, 10));
  tile->Canvas()->SetPixels(0, 9, clBlue);
  s->SetBackGround(tile);
  bmp = PaintToBitmap(p);
  // Copies at (1, 1), (11, 1) and (21, 1) only.
  EXPECT_EQ(CountPixels(bmp, TRect(1, 1, 25, 11), clRed), 24 * 10 - 3);  // but the blue corners
  EXPECT_EQ(CountPixels(bmp, TRect(0, 0, 25, 1), clRed), 0);
  EXPECT_EQ(CountPixels(bmp, TRect(0, 0, 1, 12), clRed), 0);
  EXPECT_EQ(CountPixels(bmp, TRect(0, 11, 25, 12), clRed), 0);
  // The panel keeps what it painted for its toolbars' corners.
  EXPECT_EQ(p->GetDockImage()->Canvas()->Pixels(11, 1), clRed);
  EXPECT_EQ(p->GetDockImage()->Canvas()->Pixels(0, 0), clWhite);
  bmp->Free();
}

TEST_F(DockPanel, PersistenceSettingsReachTheToolBarsInItsRows) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  TAdvToolBar* a = Docked(L"A", p);
  TAdvToolBar* b = Docked(L"B", p);
  b->Hide();
  p->Persistence()->SetKey(L"Software\\Test");
  EXPECT_EQ(a->Persistence()->Key(), L"Software\\Test");
  EXPECT_EQ(a->Persistence()->Section(), L"UnDockedAdvToolBars");
  EXPECT_EQ(b->Persistence()->Key(), L"");  // hidden: in no row
}

TEST_F(DockPanel, AToolBarThatGoesLeavesBothListsWhateverItsRow) {
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  TAdvToolBar* a = NewToolBar(L"A", 1);
  TAdvToolBar* b = NewToolBar(L"B", 1);
  TAdvToolBar* c = NewToolBar(L"C", 1);
  for (TAdvToolBar* t : {a, b, c}) t->SetParent(p);
  // Hidden, alone in its row: the row goes and its index names none.
  b->Hide();
  c->Hide();
  ASSERT_EQ(p->RowCount(), 1);
  ASSERT_GE(b->Row(), p->RowCount());
  ASSERT_EQ(p->HiddenToolBarCount(), 2);
  // Told that it goes (an owner's notice)...
  p->Notification(b, TOperation::opRemove);
  EXPECT_EQ(p->AdvToolBarCount(), 2);
  EXPECT_EQ(p->HiddenToolBarCount(), 1);
  EXPECT_FALSE(p->IsHiddenToolBar(b));
  // ...or freed.
  c->Free();
  EXPECT_EQ(p->AdvToolBarCount(), 1);
  EXPECT_EQ(p->HiddenToolBarCount(), 0);
  EXPECT_EQ(p->AdvToolBars(0), a);
}

int gMonitorPpi = 96;
int TestMonitorPpi(HWND) { return gMonitorPpi; }

TEST_F(DockPanel, TheFirstPanelWithAWindowLearnsTheScreensScaleOnce) {
  SetMonitorPixelsPerInchSource(&TestMonitorPpi);
  struct Restore {
    ~Restore() { SetMonitorPixelsPerInchSource(nullptr); }
  } restore;
  ResetToolBarState();
  gMonitorPpi = 144;
  TAdvDockPanel* p = NewPanel(TDockAlign::daTop);
  p->SetHeight(40);
  EXPECT_TRUE(DPIInitialized);
  EXPECT_EQ(DPIPixelsPerInch, 144);
  EXPECT_GT(DPIFactor, 1.2f);
  EXPECT_EQ(ScaledGroupCaptionHeight, static_cast<int>(std::nearbyint(16.0L * DPIFactor)));
  float f = DPIFactor;
  gMonitorPpi = 192;  // a second panel changes nothing
  NewPanel(TDockAlign::daBottom)->SetHeight(40);
  EXPECT_EQ(DPIPixelsPerInch, 144);
  EXPECT_EQ(DPIFactor, f);
  // A form that does not scale keeps the factor at 1.
  ResetToolBarState();
  Form->SetScaled(false);
  NewPanel(TDockAlign::daLeft)->SetWidth(40);
  EXPECT_TRUE(DPIInitialized);
  EXPECT_EQ(DPIFactor, 1.0f);
  EXPECT_EQ(ScaledGroupCaptionHeight, 16);
}

}  // namespace
