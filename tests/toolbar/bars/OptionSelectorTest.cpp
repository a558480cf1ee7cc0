// The option selector window and its panels: the window as a top-level
// pop-up of its toolbar that hides when it loses the activation, the
// panel's painting, the control selector's layout and entries, its
// add-or-remove pop-up, options menu and customize window, under real input.
#include <algorithm>
#include <memory>

#include "tests/controls/menus/MenuDriver.h"
#include "tests/toolbar/bars/BarsTestSupport.h"
#include "tests/toolbar/bars/PaintTestSupport.h"
#include "tests/toolbar/bars/QuickAccessDouble.h"
#include "ui/controls/menus/AdvMenuOfficeStyler.h"
#include "ui/controls/menus/AdvMenus.h"
#include "ui/toolbar/bars/ControlSelectorPanel.h"

namespace {

// The add-or-remove pop-up as the panel drives it: a form that records
// what it was given and takes a fixed size.
class TTestAddRemovePopup : public TCustomForm, public IAddRemovePopup {
  VANTREL_CLASS(TTestAddRemovePopup)
 public:
  using TCustomForm::TCustomForm;
  TCustomForm* PopupForm() override { return this; }
  void SetAdvToolBar(TAdvCustomToolBar* Value) override { ToolBar = Value; }
  void Fill(TAdvCustomToolBar* T, TCustomAdvMenuStyler* Styler, const String& Caption,
            const std::vector<TAddRemoveEntry>& Entries) override {
    ++Fills;
    FilledToolBar = T;
    MenuStyler = Styler;
    RootCaption = Caption;
    List = Entries;
    SetBounds(Left(), Top(), 120, 90);
  }
  void ResetPanel() override { ++Resets; }
  void SetOnDeActivateHide(TNotifyEvent Handler) override { DeActivateHide = std::move(Handler); }

  TAdvCustomToolBar* ToolBar = nullptr;
  TAdvCustomToolBar* FilledToolBar = nullptr;
  TCustomAdvMenuStyler* MenuStyler = nullptr;
  String RootCaption;
  std::vector<TAddRemoveEntry> List;
  int Fills = 0, Resets = 0;
  TNotifyEvent DeActivateHide;
};

class TTestCustomizer : public TComponent, public IToolBarCustomizer {
  VANTREL_CLASS(TTestCustomizer)
 public:
  using TComponent::TComponent;
  TComponent* CustomizerComponent() override { return this; }
  String CustomizeText() override { return Word; }
  void ShowCustomizer(TAdvCustomToolBar* ToolBar) override { Shown.push_back(ToolBar); }
  String Word = L"Customize";
  std::vector<TAdvCustomToolBar*> Shown;
};

// A toolbar whose menu bar can be set (a menu bar takes its menu colours).
class TTestBar : public TAdvToolBar {
  VANTREL_CLASS(TTestBar)
 public:
  using TAdvToolBar::TAdvToolBar;
  void SetMenuBar(TMainMenu* Value) { FMenu = Value; }
};

// A plain control of a given size to list in the panel.
TControl* Block(TComponent* Owner, int W, int H) {
  auto* c = new TGraphicControl(Owner);
  c->SetBounds(0, 0, W, H);
  return c;
}

void MoveMouse(const TPoint& Screen) {
  SetCursorPos(Screen.x, Screen.y);
  mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
}

void ClickAt(const TPoint& Screen) {
  SetCursorPos(Screen.x, Screen.y);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

TRect WorkArea() {
  RECT r{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return TRect(r.left, r.top, r.right, r.bottom);
}

TPoint Middle(const TRect& R) { return TPoint((R.left + R.right) / 2, (R.top + R.bottom) / 2); }

// A shown form with a toolbar on it, and the toolbar's drop-down: an option
// selector window with a control selector panel, as the toolbar makes them.
struct Selector : ::testing::Test {
  TForm* Form = nullptr;
  TTestBar* Bar = nullptr;
  TOptionSelectorWindow* Window = nullptr;
  TControlSelectorPanel* Panel = nullptr;
  TTestAddRemovePopup* Popup = nullptr;
  int Hides = 0;

  void SetUp() override {
    ResetToolBarState();
    SetAddRemovePopupMaker(nullptr);
    Form = new TForm(nullptr);
    Form->SetBorderStyle(TFormBorderStyle::bsNone);
    Form->SetBounds(0, 0, 640, 400);
    Form->SetColor(clWhite);
    Form->Show();
    Bar = new TTestBar(Form);
    Bar->SetName(L"Bar");
    Bar->SetToolBarCaption(L"Standard");
    Bar->SetParent(Form);
    Bar->SetBounds(10, 10, 300, 26);
    Window = TOptionSelectorWindow::CreateDropDown(Bar, Bar, 10, 10, [this](TObject*) { ++Hides; });
    Window->SetAdvToolBar(Bar);
    Panel = new TControlSelectorPanel(Window);
    Panel->SetParent(Window);
    Window->SetOptionsPanel(Panel);
    Panel->SetAdvToolBar(Bar);
  }

  void TearDown() override {
    Form->Free();
    SetAddRemovePopupMaker(nullptr);
    ResetToolBarState();
  }

  void UseTestPopup() {
    SetAddRemovePopupMaker([this](TComponent* Owner) {
      Popup = new TTestAddRemovePopup(Owner);
      return static_cast<IAddRemovePopup*>(Popup);
    });
  }

  // Lays the panel out, sizes the window and shows it at (X, Y), active.
  void Drop(int X = 100, int Y = 100) {
    Panel->ArrangeControls();
    Window->SetWindowSize();
    Window->SetBounds(X, Y, Window->Width(), Window->Height());
    SetForegroundWindow(Form->Handle());
    PumpFor(10);
    Window->Show();
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == Window->Handle(); }));
  }

  TPoint OnScreen(const TRect& R) { return Panel->ClientToScreen(Middle(R)); }
};

// ---------------------------------------------------------------------------
// The window

TEST_F(Selector, TheWindowIsATopLevelPopUpOfTheFormAboveItsToolBar) {
  HWND w = Window->Handle();
  LONG style = GetWindowLongW(w, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & WS_CHILD);
  EXPECT_TRUE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindow(w, GW_OWNER), Form->Handle());
  EXPECT_EQ(Window->Parent(), Bar);
  EXPECT_FALSE(Window->Visible());
  EXPECT_TRUE(Window->HideOnDeActivate());
  EXPECT_EQ(Window->HideTimer()->Interval(), 1u);
  EXPECT_FALSE(Window->HideTimer()->Enabled());
  // The panel's defaults.
  EXPECT_EQ(Panel->Color(), 0xF7F8F9);
  EXPECT_EQ(Panel->ColorTo(), clNone);
  EXPECT_EQ(Panel->WindowBorderColor(), 0x808080);
  EXPECT_EQ(Panel->BevelOuter(), TBevelCut::bvNone);
  EXPECT_EQ(Panel->MarginX(), 3);
  EXPECT_EQ(Panel->MarginY(), 3);
}

// A panel that shows less than its height.
class TShortPanel : public TOptionSelectorPanel {
  VANTREL_CLASS(TShortPanel)
 public:
  using TOptionSelectorPanel::TOptionSelectorPanel;
  int GetVisibleHeight() override { return 30; }
};

TEST_F(Selector, TheWindowTakesThePanelsWidthAndVisibleHeight) {
  auto* p = new TShortPanel(Window);
  p->SetParent(Window);
  p->SetBounds(0, 0, 150, 80);
  Window->SetOptionsPanel(p);
  Window->SetWindowSize();
  EXPECT_EQ(Window->Width(), 150);
  EXPECT_EQ(Window->Height(), 30);
  // Without a panel nothing changes.
  Window->SetOptionsPanel(nullptr);
  Window->SetBounds(5, 5, 60, 70);
  Window->SetWindowSize();
  EXPECT_EQ(Window->Width(), 60);
  EXPECT_EQ(Window->Height(), 70);
}

TEST_F(Selector, AClickOutsideHidesTheDropDownOneTickAfterItLostTheActivation) {
  Panel->AddSeparator(new TAdvToolBarSeparator(Form));
  std::vector<WPARAM> ncActivate;
  auto saved = Form->WindowProc;
  Form->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_NCACTIVATE) ncActivate.push_back(m.WParam);
    saved(m);
  };
  Drop();
  // While it is up the panel has the focus and the form an active caption.
  EXPECT_EQ(GetFocus(), Panel->Handle());
  ASSERT_FALSE(ncActivate.empty());
  EXPECT_EQ(ncActivate.back(), 1u);
  EXPECT_EQ(Panel->SeparatorCount(), 1);
  ClickAt(Form->ClientToScreen(TPoint(500, 300)));
  ASSERT_TRUE(PumpUntil([&] { return !Window->Visible(); }));
  EXPECT_FALSE(Window->HideTimer()->Enabled());
  EXPECT_EQ(Hides, 1);
  // The separator copies went with the hide.
  EXPECT_EQ(Panel->SeparatorCount(), 0);
  EXPECT_EQ(Panel->ListedCount(), 0);
  Form->WindowProc = saved;
}

TEST_F(Selector, LosingTheActivationStartsTheHideOnlyWhenNothingHoldsTheWindow) {
  bool canClose = true;
  Window->OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = canClose; };
  Drop();
  struct Case {
    bool CanClose, HideOnDeActivate, Starts;
  } cases[] = {{true, true, true}, {false, true, false}, {true, false, false}, {false, false, false}};
  for (const Case& c : cases) {
    canClose = c.CanClose;
    Window->SetHideOnDeActivate(c.HideOnDeActivate);
    Window->Perform(WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(Window->HideTimer()->Enabled(), c.Starts) << c.CanClose << c.HideOnDeActivate;
    // The activation coming back before the tick keeps the window.
    Window->Perform(WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_FALSE(Window->HideTimer()->Enabled());
  }
  EXPECT_TRUE(Window->Visible());
  Window->SetHideOnDeActivate(true);
  canClose = true;
  Window->Perform(WM_ACTIVATE, WA_INACTIVE, 0);
  Window->HideTimer()->Tick();
  EXPECT_FALSE(Window->Visible());
  EXPECT_FALSE(Window->HideTimer()->Enabled());
  // A hidden window does not start the timer.
  Window->Perform(WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_FALSE(Window->HideTimer()->Enabled());
}

TEST_F(Selector, AnActivationWhileHiddenGivesTheFocusToTheToolBar) {
  SetForegroundWindow(Form->Handle());
  ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == Form->Handle(); }));
  Window->Perform(WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(GetFocus(), Bar->Handle());
}

TEST_F(Selector, TheOwnerFormKeepsItsCaptionAlsoWhenItIsOwnedByAnother) {
  // A borderless form owned by the main form: the caption that stays
  // active is its own, not its owner's.
  TForm* main = nullptr;
  Application->CreateForm(main);
  main->SetBounds(0, 0, 200, 100);
  main->Show();
  auto* owned = new TForm(nullptr);
  owned->SetBorderStyle(TFormBorderStyle::bsNone);
  owned->SetBounds(50, 50, 300, 200);
  owned->Show();
  ASSERT_EQ(GetWindow(owned->Handle(), GW_OWNER), main->Handle());
  auto* bar = new TAdvToolBar(owned);
  bar->SetParent(owned);
  auto* window = TOptionSelectorWindow::CreateDropDown(bar, bar, 40, 40, nullptr);
  auto* panel = new TOptionSelectorPanel(window);
  panel->SetParent(window);
  window->SetOptionsPanel(panel);
  std::vector<std::pair<HWND, WPARAM>> got;
  auto watch = [&](TForm* f) {
    auto saved = f->WindowProc;
    f->WindowProc = [&got, f, saved](TMessage& m) {
      if (m.Msg == WM_NCACTIVATE) got.push_back({f->Handle(), m.WParam});
      saved(m);
    };
  };
  watch(main);
  watch(owned);
  window->SetBounds(100, 100, 40, 40);
  window->Show();
  ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == window->Handle(); }));
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got.back(), std::make_pair(owned->Handle(), WPARAM(1)));
  window->Hide();
  owned->Free();
  Application->ResetMainForm();
  main->Free();
}

TEST_F(Selector, OnlyTheBottomRightCornerSizes) {
  Window->SetBounds(100, 100, 136, 60);
  struct Case {
    int X, Y;
    LRESULT Hit;
  } cases[] = {{127, 51, HTBOTTOMRIGHT}, {135, 59, HTBOTTOMRIGHT}, {126, 55, HTNOWHERE},
               {130, 50, HTNOWHERE},     {10, 10, HTNOWHERE},       {130, 5, HTNOWHERE}};
  for (const Case& c : cases)
    EXPECT_EQ(Window->Perform(WM_NCHITTEST, 0, MAKELPARAM(100 + c.X, 100 + c.Y)), c.Hit) << c.X << "," << c.Y;
}

TEST_F(Selector, AGroupedButtonTellsTheButtonsOfItsGroupInTheDropDown) {
  auto* shown = new TAdvToolBarButton(Form);
  shown->SetGroupIndex(3);
  shown->SetAdvToolBar(Bar);
  auto* hidden = new TAdvToolBarButton(Form);
  hidden->SetGroupIndex(3);
  Panel->AddControl(hidden);
  hidden->SetDown(true);
  ASSERT_TRUE(hidden->Down());
  // The toolbar tells its controls, the drop-down among them, which tells
  // its panel's.
  shown->SetDown(true);
  EXPECT_FALSE(hidden->Down());
  EXPECT_TRUE(shown->Down());
}

// ---------------------------------------------------------------------------
// The panel's face

TEST_F(Selector, ThePanelFillsWithItsColourOrGradientInsideItsFrame) {
  auto* p = new TOptionSelectorPanel(Window);
  p->SetParent(Window);
  p->SetBounds(0, 0, 120, 80);
  p->SetColor(0x00FF00);
  p->SetWindowBorderColor(0x0000FF);
  using GD = AdvToolBar::TGradientDirection;
  struct Case {
    TColor ColorTo;
    GD Direction;
    TColor TopLeft, TopRight, BottomLeft;
  } cases[] = {
      {clNone, GD::gdHorizontal, 0x00FF00, 0x00FF00, 0x00FF00},
      {0xFF0000, GD::gdHorizontal, 0x00FF00, 0xFF0000, 0x00FF00},
      {0xFF0000, GD::gdVertical, 0x00FF00, 0x00FF00, 0xFF0000},
  };
  for (const Case& c : cases) {
    p->SetColorTo(c.ColorTo);
    p->SetGradientDirection(c.Direction);
    std::unique_ptr<TBitmap> bmp(PaintToBitmap(p));
    // The last of the 40 bands is the end colour.
    EXPECT_TRUE(Near(PixelAt(bmp.get(), 1, 1), c.TopLeft, 8)) << std::hex << PixelAt(bmp.get(), 1, 1);
    EXPECT_TRUE(Near(PixelAt(bmp.get(), 117, 1), c.TopRight, 8)) << std::hex << PixelAt(bmp.get(), 117, 1);
    EXPECT_TRUE(Near(PixelAt(bmp.get(), 1, 78), c.BottomLeft, 8)) << std::hex << PixelAt(bmp.get(), 1, 78);
    // The whole frame in the border colour.
    EXPECT_EQ(CountPixels(bmp.get(), TRect(0, 0, 120, 1), 0x0000FF), 120);
    EXPECT_EQ(CountPixels(bmp.get(), TRect(0, 79, 120, 80), 0x0000FF), 120);
    EXPECT_EQ(CountPixels(bmp.get(), TRect(0, 0, 1, 80), 0x0000FF), 80);
    EXPECT_EQ(CountPixels(bmp.get(), TRect(119, 0, 120, 80), 0x0000FF), 80);
  }
}

// ---------------------------------------------------------------------------
// The control selector's layout

TEST_F(Selector, ArrangeControlsFlowsTheListedControlsAboveTheEntries) {
  auto* menu = new TPopupMenu(Form);
  struct Case {
    const char* Name;
    bool AddRemove, Options;
    std::vector<TSize> Controls;
    std::vector<TPoint> Places;
    TSize PanelSize;
    TRect AddRemoveRect, OptionsRect;
  } cases[] = {
      {"options only", false, true, {}, {}, {136, 26}, {0, 0, 0, 0}, {3, 3, 133, 23}},
      {"add-or-remove only", true, false, {}, {}, {136, 26}, {3, 3, 133, 23}, {0, 0, 0, 0}},
      {"both entries", true, true, {}, {}, {136, 46}, {3, 23, 133, 43}, {3, 3, 133, 23}},
      {"rows of controls", true, false, {{60, 22}, {60, 22}, {60, 22}}, {{3, 3}, {63, 3}, {3, 25}},
       {136, 78}, {3, 55, 133, 75}, {0, 0, 0, 0}},
      {"a control that does not fit the rest of the row", true, true, {{100, 22}, {40, 30}, {20, 22}},
       {{3, 3}, {3, 25}, {43, 25}}, {136, 106}, {3, 83, 133, 103}, {3, 63, 133, 83}},
      {"the widest control sets the width", false, true, {{200, 22}, {50, 22}}, {{3, 3}, {3, 25}},
       {206, 78}, {0, 0, 0, 0}, {3, 55, 203, 75}},
      {"no entries: no separator gap", false, false, {{40, 22}, {40, 24}}, {{3, 3}, {3, 25}}, {46, 52},
       {0, 0, 0, 0}, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Panel->ClearControlList();
    Panel->SetShowAddAndRemoveBtn(c.AddRemove);
    Panel->SetOptionsMenu(c.Options ? menu : nullptr);
    std::vector<TControl*> listed;
    for (TSize s : c.Controls) {
      listed.push_back(Block(Form, s.cx, s.cy));
      Panel->AddControl(listed.back());
    }
    Panel->ArrangeControls();
    for (size_t i = 0; i < listed.size(); ++i) {
      EXPECT_EQ(listed[i]->Left(), c.Places[i].x) << i;
      EXPECT_EQ(listed[i]->Top(), c.Places[i].y) << i;
    }
    EXPECT_EQ(Panel->Width(), c.PanelSize.cx);
    EXPECT_EQ(Panel->Height(), c.PanelSize.cy);
    EXPECT_EQ(Panel->AddAndRemoveItem().BRect(), c.AddRemoveRect);
    EXPECT_EQ(Panel->OptionsItem().BRect(), c.OptionsRect);
    for (TControl* l : listed) l->Free();
  }
}

TEST_F(Selector, ChildrenThatAreNotListedAreMovedOutOfSight) {
  TControl* listed = Block(Form, 30, 22);
  TControl* stray = Block(Form, 30, 22);
  Panel->AddControl(listed);
  stray->SetParent(Panel);
  stray->SetTop(5);
  Panel->ArrangeControls();
  EXPECT_EQ(stray->Top(), -24);
  EXPECT_EQ(listed->Top(), 3);
}

TEST_F(Selector, AddControlListsEachControlOnceAndRemovingOneClosesTheRows) {
  EXPECT_EQ(Panel->AddControl(nullptr), -1);
  TControl* a = Block(Form, 100, 22);
  TControl* b = Block(Form, 100, 22);
  EXPECT_EQ(Panel->AddControl(a), 0);
  EXPECT_EQ(Panel->AddControl(b), 1);
  EXPECT_EQ(Panel->AddControl(a), 0);
  EXPECT_EQ(Panel->ListedCount(), 2);
  EXPECT_EQ(a->Parent(), Panel);
  Panel->ArrangeControls();
  EXPECT_EQ(b->Top(), 25);
  // Taken back by someone else: it leaves the list and b moves up.
  a->SetParent(Form);
  EXPECT_EQ(Panel->ListedCount(), 1);
  EXPECT_EQ(Panel->Listed(0), b);
  EXPECT_EQ(b->Top(), 3);
  b->Free();
  EXPECT_EQ(Panel->ListedCount(), 0);
}

TEST_F(Selector, IsEmptyOnlyWithoutControlsAndEntries) {
  auto* menu = new TPopupMenu(Form);
  TTestCustomizer customizer(nullptr);
  struct Case {
    bool Control, AddRemove, Menu, Customizer, Empty;
  } cases[] = {{false, false, false, false, true}, {true, false, false, false, false},
               {false, true, false, false, false}, {false, false, true, false, false},
               {false, false, false, true, false}};
  TControl* c = Block(Form, 20, 20);
  for (const Case& k : cases) {
    Panel->ClearControlList();
    if (k.Control) Panel->AddControl(c);
    Panel->SetShowAddAndRemoveBtn(k.AddRemove);
    Panel->SetOptionsMenu(k.Menu ? menu : nullptr);
    Panel->SetCustomizer(k.Customizer ? &customizer : nullptr);
    EXPECT_EQ(Panel->ShowOptionsBtn(), k.Menu || k.Customizer);
    EXPECT_EQ(Panel->IsEmpty(), k.Empty) << k.Control << k.AddRemove << k.Menu << k.Customizer;
  }
  Panel->SetCustomizer(nullptr);
}

TEST_F(Selector, AnOptionsMenuOrCustomizerThatIsFreedIsForgotten) {
  auto* menu = new TPopupMenu(Form);
  Panel->SetOptionsMenu(menu);
  menu->Free();
  EXPECT_EQ(Panel->OptionsMenu(), nullptr);
  auto* customizer = new TTestCustomizer(nullptr);
  Panel->SetCustomizer(customizer);
  customizer->Free();
  EXPECT_EQ(Panel->Customizer(), nullptr);
  EXPECT_FALSE(Panel->ShowOptionsBtn());
}

TEST_F(Selector, SeparatorCopiesLiveUntilTheWindowHides) {
  auto* source = new TAdvToolBarSeparator(Form);
  source->SetSeparatorStyle(TAdvSeparatorStyle::ssBlank);
  source->SetLineColor(0x123456);
  TAdvToolBarSeparator* copy = Panel->AddSeparator(source);
  ASSERT_NE(copy, source);
  EXPECT_EQ(copy->Owner(), Panel);
  EXPECT_EQ(copy->Parent(), Panel);
  EXPECT_EQ(copy->SeparatorStyle(), TAdvSeparatorStyle::ssBlank);
  EXPECT_EQ(copy->LineColor(), 0x123456);
  EXPECT_EQ(Panel->Listed(0), copy);
  Window->Show();
  PumpFor(10);
  Window->Hide();
  EXPECT_EQ(Panel->SeparatorCount(), 0);
  EXPECT_EQ(Panel->ListedCount(), 0);
  EXPECT_EQ(Panel->ControlCount(), 0);
  EXPECT_EQ(source->Parent(), nullptr);  // the source is left alone
}

TEST_F(Selector, EntriesAreAsWideAsTheWiderCaptionAndAtLeast130) {
  auto* menu = new TPopupMenu(Form);
  TBitmap probe(1, 1);
  probe.Canvas()->Font()->SetName(L"Tahoma");
  probe.Canvas()->Font()->SetSize(8);
  auto measured = [&](const String& Text) {
    TRect r(0, 0, 1000, 100);
    probe.Canvas()->TextRect(r, Text, DT_CALCRECT | DT_SINGLELINE);
    return static_cast<int>(r.right);
  };
  const String longer = L"Add or remove the buttons of this rather long toolbar";
  Panel->SetTextAutoOptionMenu(L"Add");
  EXPECT_EQ(Panel->AddAndRemoveItem().Width(), 130);
  Panel->SetTextAutoOptionMenu(longer);
  EXPECT_EQ(Panel->AddAndRemoveItem().Width(), measured(longer) + 15);
  EXPECT_EQ(Panel->OptionsItem().Width(), Panel->AddAndRemoveItem().Width());
  // The options caption counts only while the entry shows.
  const String optionsText = L"Options of this toolbar and of every other toolbar here";
  Panel->SetShowAddAndRemoveBtn(false);
  Panel->SetTextOptionMenu(optionsText);
  EXPECT_EQ(Panel->OptionsItem().Width(), 130);
  Panel->SetOptionsMenu(menu);
  Panel->SetTextOptionMenu(L"Options");
  Panel->SetTextOptionMenu(optionsText);
  EXPECT_EQ(Panel->OptionsItem().Width(), measured(optionsText) + 15);
  Panel->SetItemTextFontSize(12);
  Panel->SetTextAutoOptionMenu(L"x");
  probe.Canvas()->Font()->SetSize(12);
  EXPECT_EQ(Panel->OptionsItem().Width(), measured(optionsText) + 15);
}

TEST_F(Selector, EntryColoursComeFromTheMenuStylerForAMenuBarElseFromTheButtons) {
  TCustomAdvToolBarStyler* s = Bar->CurrentToolBarStyler();
  AdvToolBar::TButtonAppearance* a = s->ButtonAppearance();
  a->SetColorHot(0x010101);
  a->SetColorHotTo(0x020202);
  a->SetColorDown(0x030303);
  a->SetColorDownTo(0x040404);
  a->SetCaptionTextColor(0x050505);
  a->SetCaptionTextColorHot(0x060606);
  a->SetCaptionTextColorDown(0x070707);
  a->CaptionFont()->SetSize(11);
  TRootItem* root = s->CurrentAdvMenuStyler()->RootItem();
  root->SetHoverColor(0, 0x111111);
  root->SetHoverColor(1, 0x121212);
  root->SetSelectedColor(0, 0x131313);
  root->SetSelectedColor(1, 0x141414);
  root->Font()->SetColor(0x151515);
  root->SetHoverTextColor(0x161616);
  root->SetSelectedTextColor(0x171717);
  root->Font()->SetSize(13);
  struct Case {
    bool MenuBar, WithSize;
    std::vector<TColor> Colors;
    int Size;
  } cases[] = {
      {false, true, {0x010101, 0x020202, 0x030303, 0x040404, 0x050505, 0x060606, 0x070707}, 11},
      {true, true, {0x111111, 0x121212, 0x131313, 0x141414, 0x151515, 0x161616, 0x171717}, 13},
      {false, false, {0x010101, 0x020202, 0x030303, 0x040404, 0x050505, 0x060606, 0x070707}, 8},
  };
  for (const Case& c : cases) {
    Panel->SetItemTextFontSize(8);
    Panel->TakeItemColors(s, c.MenuBar, c.WithSize);
    std::vector<TColor> got{Panel->ItemColorHot(),  Panel->ItemColorHotTo(),    Panel->ItemColorDown(),
                            Panel->ItemColorDownTo(), Panel->ItemTextColor(), Panel->ItemTextColorHot(),
                            Panel->ItemTextColorDown()};
    EXPECT_EQ(got, c.Colors) << c.MenuBar;
    EXPECT_EQ(Panel->ItemTextFontSize(), c.Size);
  }
}

// ---------------------------------------------------------------------------
// The control selector's face

TEST_F(Selector, EntriesPaintTheirStateArrowAndTheLineAboveThem) {
  auto* menu = new TPopupMenu(Form);
  Panel->SetOptionsMenu(menu);
  Panel->SetTextAutoOptionMenu(L"Add");
  Panel->SetTextOptionMenu(L"Opt");
  Panel->SetItemColorHot(0x00C000);
  Panel->SetItemColorHotTo(clNone);
  Panel->SetItemColorDown(0x0000FF);
  Panel->SetItemColorDownTo(0xFF0000);
  Panel->SetItemTextColor(0x000080);
  Panel->SetItemTextColorHot(0x008080);
  Panel->SetItemTextColorDown(0x800080);
  Panel->AddControl(Block(Form, 40, 22));
  Panel->ArrangeControls();
  const TRect ar = Panel->AddAndRemoveItem().BRect();
  const TRect op = Panel->OptionsItem().BRect();
  std::unique_ptr<TBitmap> bmp(PaintToBitmap(Panel));
  const TColor face = 0xF7F8F9;
  // Idle: no fill, the arrows in the text colour, a grey line 4 pixels
  // above the upper entry across the panel.
  EXPECT_EQ(PixelAt(bmp.get(), ar.left + 2, ar.top + 2), face);
  EXPECT_EQ(CountPixels(bmp.get(), TRect(0, op.top - 4, Panel->Width(), op.top - 3), clGray), Panel->Width());
  int R = ar.right, B = ar.bottom;
  EXPECT_EQ(CountPixels(bmp.get(), TRect(R - 10, B - 10, R - 3, B - 9), 0x000080), 5);
  EXPECT_EQ(CountPixels(bmp.get(), TRect(R - 10, B - 9, R - 3, B - 8), 0x000080), 3);
  EXPECT_EQ(CountPixels(bmp.get(), TRect(R - 10, B - 8, R - 3, B - 7), 0x000080), 1);
  EXPECT_EQ(PixelAt(bmp.get(), R - 7, B - 8), 0x000080);
  R = op.right;
  int T = op.top;
  EXPECT_EQ(CountPixels(bmp.get(), TRect(R - 8, T, R - 7, op.bottom), 0x000080), 5);
  EXPECT_EQ(CountPixels(bmp.get(), TRect(R - 7, T, R - 6, op.bottom), 0x000080), 3);
  EXPECT_EQ(CountPixels(bmp.get(), TRect(R - 6, T, R - 5, op.bottom), 0x000080), 1);
  EXPECT_EQ(PixelAt(bmp.get(), R - 6, T + 9), 0x000080);
  EXPECT_GT(CountPixels(bmp.get(), TRect(op.left, op.top, op.right - 8, op.bottom), 0x000080), 5);  // "Opt"

  // Hovering the add-or-remove entry marks it hot and down (no pop-up is
  // made here): the down gradient from top to bottom, a black frame, the
  // arrow in the down text colour.
  Panel->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(ar.left + 5, ar.top + 5));
  EXPECT_TRUE(Panel->AddAndRemoveHot());
  EXPECT_TRUE(Panel->AddAndRemoveDown());
  bmp.reset(PaintToBitmap(Panel));
  // Down: 40 bands from the first colour at the top to the second.
  EXPECT_TRUE(Near(PixelAt(bmp.get(), ar.left + 2, ar.top + 1), 0x0000FF, 24));
  EXPECT_TRUE(Near(PixelAt(bmp.get(), ar.left + 2, ar.bottom - 2), 0xFF0000, 24));
  EXPECT_EQ(PixelAt(bmp.get(), ar.left, ar.top + 5), clBlack);
  EXPECT_EQ(PixelAt(bmp.get(), ar.right - 1, ar.top + 5), clBlack);
  EXPECT_EQ(PixelAt(bmp.get(), ar.right - 7, ar.bottom - 8), 0x800080);
  // Leaving the panel: idle again.
  Panel->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(Panel));
  EXPECT_FALSE(Panel->AddAndRemoveHot());
  EXPECT_FALSE(Panel->AddAndRemoveDown());
  bmp.reset(PaintToBitmap(Panel));
  EXPECT_EQ(PixelAt(bmp.get(), ar.left + 2, ar.top + 2), face);
}

TEST_F(Selector, TheOptionsCaptionIsDrawnInTheFontItWasMeasuredIn) {
  // Without the add-or-remove entry above it too: Tahoma at the entries'
  // size, whatever the panel's own font.
  auto* menu = new TPopupMenu(Form);
  const String text = L"iiiiiiiiiiiiiiii";
  auto width = [&](const wchar_t* Name) {
    TBitmap probe(1, 1);
    probe.Canvas()->Font()->SetName(Name);
    probe.Canvas()->Font()->SetSize(8);
    return probe.Canvas()->TextWidth(text);
  };
  ASSERT_GT(width(L"Courier New"), width(L"Tahoma") + 20);
  Panel->SetShowAddAndRemoveBtn(false);
  Panel->SetOptionsMenu(menu);
  Panel->Font()->SetName(L"Courier New");
  Panel->SetTextOptionMenu(text);
  Panel->ArrangeControls();
  std::unique_ptr<TBitmap> bmp(PaintToBitmap(Panel));
  const TRect op = Panel->OptionsItem().BRect();
  int left = op.right, right = op.left;
  for (int y = op.top + 1; y < op.bottom - 1; ++y)
    for (int x = op.left + 1; x < op.right - 9; ++x)
      if (PixelAt(bmp.get(), x, y) != 0xF7F8F9) left = std::min(left, x), right = std::max(right, x + 1);
  ASSERT_LT(left, right);
  EXPECT_LE(right - left, width(L"Tahoma") + 2);
}

TEST_F(Selector, WhileItsPopUpShowsTheEntryStaysDown) {
  UseTestPopup();
  Panel->SetItemColorHot(0x00C000);
  Panel->SetItemColorDown(0x0000FF);
  Panel->SetItemColorDownTo(clNone);
  Drop();
  const TRect ar = Panel->AddAndRemoveItem().BRect();
  MoveMouse(OnScreen(ar));
  ASSERT_TRUE(PumpUntil([&] { return Popup && Popup->Visible(); }));
  Panel->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(Panel));
  EXPECT_FALSE(Panel->AddAndRemoveHot());
  EXPECT_TRUE(Panel->AddAndRemoveDown());  // its pop-up is still up
  std::unique_ptr<TBitmap> bmp(PaintToBitmap(Panel));
  EXPECT_EQ(PixelAt(bmp.get(), ar.left + 2, ar.top + 2), 0x0000FF);
  Popup->Hide();
  EXPECT_FALSE(Panel->AddAndRemoveDown());
}

// ---------------------------------------------------------------------------
// Add or Remove Buttons

TEST_F(Selector, HoveringAddOrRemoveListsTheToolBarsItemsBesideTheEntry) {
  UseTestPopup();
  auto* cut = new TAdvToolBarButton(Form);
  cut->SetCaption(L"Cut");
  cut->SetAdvToolBar(Bar);
  auto* sep = new TAdvToolBarSeparator(Form);
  sep->SetAdvToolBar(Bar);
  auto* paste = new TAdvGlowButton(Form);
  paste->SetCaption(L"Paste");
  Bar->AddToolBarControl(paste);
  paste->SetVisible(false);
  auto* other = new TPanel(Form);
  other->SetName(L"Zoom");
  other->SetBounds(0, 0, 30, 20);
  Bar->AddToolBarControl(other);
  Drop();
  const TRect ar = Panel->AddAndRemoveItem().BRect();
  MoveMouse(OnScreen(ar));
  ASSERT_TRUE(PumpUntil([&] { return Popup && Popup->Visible(); }));
  EXPECT_TRUE(Panel->AddAndRemoveHot());
  EXPECT_TRUE(Panel->AddAndRemoveDown());
  EXPECT_FALSE(Window->HideOnDeActivate());
  EXPECT_EQ(Popup->ToolBar, Bar);
  EXPECT_EQ(Popup->FilledToolBar, Bar);
  EXPECT_EQ(Popup->MenuStyler, Bar->CurrentToolBarStyler()->CurrentAdvMenuStyler());
  EXPECT_EQ(Popup->RootCaption, L"Standard");
  EXPECT_EQ(Popup->BorderStyle(), TFormBorderStyle::bsNone);
  EXPECT_EQ(Popup->FormStyle(), TFormStyle::fsStayOnTop);
  // The toolbar's items in its order, separators left out.
  std::vector<std::pair<String, bool>> expected;
  for (int i = 0; i < Bar->ToolBarControlCount(); ++i) {
    TControl* c = Bar->ToolBarControls(i);
    if (c == cut) expected.push_back({L"Cut", true});
    if (c == paste) expected.push_back({L"Paste", false});
    if (c == other) expected.push_back({L"Zoom", true});
  }
  ASSERT_EQ(Popup->List.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(Popup->List[i].Caption, expected[i].first);
    EXPECT_EQ(Popup->List[i].Checked, expected[i].second);
  }
  // At the entry's top-right corner.
  TPoint corner = Panel->ClientToScreen(TPoint(ar.right, ar.top));
  EXPECT_EQ(Popup->Left(), corner.x);
  EXPECT_EQ(Popup->Top(), corner.y);
  // Hovering again while it shows fills nothing anew.
  Panel->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(ar.left + 1, ar.top + 1));
  EXPECT_EQ(Popup->Fills, 1);
  // Its hiding gives the drop-down back its hide on deactivation.
  Popup->Hide();
  EXPECT_TRUE(Window->HideOnDeActivate());
  EXPECT_FALSE(Panel->AddAndRemoveDown());
  EXPECT_TRUE(Window->Visible());
}

TEST_F(Selector, ThePopUpOpensLeftOrHigherAtTheEdgesOfTheWorkArea) {
  UseTestPopup();
  TRect work = WorkArea();
  Panel->ArrangeControls();
  int w = Panel->Width(), h = Panel->Height();
  struct Case {
    const char* Name;
    int X, Y;
    bool Left, Raised;
  } cases[] = {
      {"room on both sides", 100, 100, false, false},
      {"at the right edge", work.right - w - 20, 100, true, false},
      {"at the bottom", 100, work.bottom - h - 10, false, true},
      {"in the corner", work.right - w - 20, work.bottom - h - 10, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Window->SetBounds(c.X, c.Y, w, h);
    Panel->ShowAddRemovePopup();
    ASSERT_NE(Popup, nullptr);
    const TRect ar = Panel->AddAndRemoveItem().BRect();
    TPoint right = Panel->ClientToScreen(TPoint(ar.right, ar.top));
    TPoint left = Panel->ClientToScreen(TPoint(ar.left, ar.top));
    EXPECT_EQ(Popup->Left(), c.Left ? left.x - 120 : right.x);
    EXPECT_EQ(Popup->Top(), c.Raised ? work.bottom - 90 - 2 : right.y);
    Panel->HideAddRemovePopup();
    EXPECT_FALSE(Popup->Visible());
  }
  EXPECT_EQ(Popup->Resets, 4);
}

TEST_F(Selector, ThePopUpLosingTheActivationTakesTheDropDownWithIt) {
  UseTestPopup();
  Drop();
  MoveMouse(OnScreen(Panel->AddAndRemoveItem().BRect()));
  ASSERT_TRUE(PumpUntil([&] { return Popup && Popup->Visible(); }));
  ASSERT_TRUE(Popup->DeActivateHide);
  Popup->Hide();
  Popup->DeActivateHide(Popup);
  EXPECT_FALSE(Window->Visible());
  EXPECT_FALSE(Panel->AddAndRemoveHot());
  EXPECT_FALSE(Panel->AddAndRemoveDown());
}

TEST_F(Selector, WithoutAPopUpMakerHoveringOnlyMarksTheEntry) {
  Drop();
  MoveMouse(OnScreen(Panel->AddAndRemoveItem().BRect()));
  ASSERT_TRUE(PumpUntil([&] { return Panel->AddAndRemoveHot(); }));
  EXPECT_EQ(Panel->AddRemovePopup(), nullptr);
  EXPECT_TRUE(Window->HideOnDeActivate());
  // A hidden entry opens nothing even with a maker.
  UseTestPopup();
  Panel->SetShowAddAndRemoveBtn(false);
  Panel->ShowAddRemovePopup();
  EXPECT_EQ(Popup, nullptr);
}

// ---------------------------------------------------------------------------
// Options: the customize window

struct CustomizeSelector : Selector {
  TTestCustomizer* Customizer = nullptr;
  void SetUp() override {
    Selector::SetUp();
    Customizer = new TTestCustomizer(Form);
    Panel->SetCustomizer(Customizer);
    Panel->AddControl(Block(Form, 60, 22));
  }
  TOptionSelectorWindow* HoverOptions() {
    MoveMouse(OnScreen(Panel->OptionsItem().BRect()));
    PumpUntil([&] {
      return Panel->OptionsHot() && Panel->CustomizeOptionWindow() && Panel->CustomizeOptionWindow()->Visible();
    });
    return Panel->CustomizeOptionWindow();
  }
};

TEST_F(CustomizeSelector, HoveringOptionsShowsTheCustomizeEntryBesideIt) {
  Customizer->Word = L"Anpassen";
  Drop();
  TOptionSelectorWindow* w = HoverOptions();
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(w->Visible());
  TCustomizeOption* entry = Panel->CustomizeOptionPanel();
  EXPECT_EQ(entry->CustomizeText(), L"Anpassen Standard");
  EXPECT_EQ(w->OptionsPanel(), entry);
  EXPECT_EQ(w->Parent(), Bar);
  EXPECT_EQ(w->Owner(), Panel);
  EXPECT_EQ(entry->AdvToolBar(), Bar);
  TBitmap probe(1, 1);
  probe.Canvas()->Font()->Assign(entry->Font());
  EXPECT_EQ(entry->Height(), 25);
  EXPECT_EQ(entry->Width(), probe.Canvas()->TextWidth(L"Anpassen Standard") + 6 + 12);
  EXPECT_EQ(w->Width(), entry->Width());
  EXPECT_EQ(w->Height(), 25);
  const TRect op = Panel->OptionsItem().BRect();
  TPoint corner = Panel->ClientToScreen(TPoint(op.right, op.top));
  EXPECT_EQ(w->Left(), corner.x);
  EXPECT_EQ(w->Top(), corner.y);
  EXPECT_TRUE(Panel->OptionsHot());
  EXPECT_TRUE(Window->Visible());
  EXPECT_TRUE(Window->HideOnDeActivate());
  EXPECT_FALSE(Panel->MenuTimer()->Enabled());
}

TEST_F(CustomizeSelector, NearTheMonitorsRightEdgeTheCustomizeEntryOpensToTheLeft) {
  Panel->ArrangeControls();
  Window->SetWindowSize();
  int right = Screen->Width();
  Window->SetBounds(right - Window->Width() - 10, 100, Window->Width(), Window->Height());
  Window->Show();
  Panel->ShowCustomizeOptions();
  TOptionSelectorWindow* w = Panel->CustomizeOptionWindow();
  ASSERT_TRUE(w && w->Visible());
  const TRect op = Panel->OptionsItem().BRect();
  TPoint left = Panel->ClientToScreen(TPoint(op.left - w->Width(), op.top));
  EXPECT_EQ(w->Left(), left.x);
  EXPECT_EQ(w->Top(), left.y);
}

TEST_F(CustomizeSelector, MovingUpIntoTheControlsOrOntoAddOrRemoveClosesTheCustomizeEntryOnly) {
  UseTestPopup();
  Drop();
  const TRect op = Panel->OptionsItem().BRect();
  struct Case {
    const char* Name;
    int Y;  // panel client y of the move off the Options entry
    bool Closes;
  } cases[] = {
      {"just above the entry", op.top - 2, false},
      {"four pixels above", op.top - 4, false},
      {"up into the controls", op.top - 5, true},
      {"onto Add or Remove", Panel->AddAndRemoveItem().BRect().top + 5, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TOptionSelectorWindow* w = HoverOptions();
    ASSERT_TRUE(w && w->Visible() && Panel->OptionsHot());
    MoveMouse(Panel->ClientToScreen(TPoint(op.left + 10, c.Y)));
    ASSERT_TRUE(PumpUntil([&] { return !Panel->OptionsHot(); }));
    PumpFor(10);
    EXPECT_EQ(!w->Visible(), c.Closes);
    EXPECT_TRUE(Window->Visible());
  }
}

TEST_F(CustomizeSelector, OnceTheCustomizeEntryClosesAClickElsewhereStillClosesTheDropDown) {
  // The customize window held the activation; closing it from the panel
  // gives it back to the drop-down, which then hides when left.
  Drop();
  TOptionSelectorWindow* w = HoverOptions();
  ASSERT_TRUE(w && w->Visible());
  ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == w->Handle(); }));
  const TRect op = Panel->OptionsItem().BRect();
  MoveMouse(Panel->ClientToScreen(TPoint(op.left + 10, op.top - 6)));
  ASSERT_TRUE(PumpUntil([&] { return !w->Visible(); }));
  EXPECT_TRUE(Window->Visible());
  EXPECT_EQ(GetActiveWindow(), Window->Handle());
  ClickAt(Form->ClientToScreen(TPoint(500, 300)));
  EXPECT_TRUE(PumpUntil([&] { return !Window->Visible(); }));
}

TEST_F(CustomizeSelector, ClickingTheCustomizeEntryClosesTheDropDownAndOpensTheCustomizer) {
  Drop();
  TOptionSelectorWindow* w = HoverOptions();
  ASSERT_TRUE(w && w->Visible());
  TCustomizeOption* entry = Panel->CustomizeOptionPanel();
  TPoint p = entry->ClientToScreen(Middle(entry->GetButtonRect()));
  MoveMouse(p);
  ASSERT_TRUE(PumpUntil([&] { return entry->Hot(); }));
  ClickAt(p);
  ASSERT_TRUE(PumpUntil([&] { return !Customizer->Shown.empty(); }));
  EXPECT_EQ(Customizer->Shown, std::vector<TAdvCustomToolBar*>{Bar});
  EXPECT_FALSE(w->Visible());
  EXPECT_FALSE(Window->Visible());
  EXPECT_FALSE(entry->Hot());
  EXPECT_FALSE(entry->Down());
}

TEST_F(CustomizeSelector, TheCustomizeEntryPaintsInTheStylersButtonOrMenuColours) {
  Panel->ArrangeControls();
  Panel->ShowCustomizeOptions();
  TCustomizeOption* entry = Panel->CustomizeOptionPanel();
  ASSERT_NE(entry, nullptr);
  TCustomAdvToolBarStyler* s = Bar->CurrentToolBarStyler();
  AdvToolBar::TButtonAppearance* a = s->ButtonAppearance();
  a->SetColorDown(0x0000FF);
  a->SetColorDownTo(clNone);
  a->SetCaptionTextColor(0x000080);
  auto* menuStyler = new TAdvMenuOfficeStyler(Form);
  menuStyler->RootItem()->SetSelectedColor(0, 0x808000);
  menuStyler->RootItem()->SetSelectedColor(1, clNone);
  auto* mainMenu = new TMainMenu(Form);
  const TColor face = 0xF7F8F9;
  TRect r = entry->GetButtonRect();
  // The pointer over the entry marks it hot and down together.
  struct Case {
    const char* Name;
    bool MenuBar, Over;
    TColor Inside;
  } cases[] = {
      {"idle", false, false, face},
      {"pointed at", false, true, 0x0000FF},
      {"menu bar, idle", true, false, face},
      {"menu bar, pointed at", true, true, 0x808000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    s->SetAdvMenuStyler(c.MenuBar ? menuStyler : nullptr);
    Bar->SetMenuBar(c.MenuBar ? mainMenu : nullptr);
    entry->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(entry));
    EXPECT_FALSE(entry->Hot() || entry->Down());
    if (c.Over) entry->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(r.left + 2, r.top + 2));
    EXPECT_EQ(entry->Hot(), c.Over);
    EXPECT_EQ(entry->Down(), c.Over);
    std::unique_ptr<TBitmap> bmp(PaintToBitmap(entry));
    EXPECT_EQ(PixelAt(bmp.get(), r.left + 2, r.top + 2), c.Inside);
    if (c.Inside != face) EXPECT_EQ(PixelAt(bmp.get(), r.left, r.top + 4), clBlack);
    if (c.Over) {
      // Released outside: nothing opens.
      entry->Perform(WM_LBUTTONUP, 0, MAKELPARAM(r.right + 20, r.top + 2));
      EXPECT_TRUE(Customizer->Shown.empty());
    }
  }
  s->SetAdvMenuStyler(nullptr);
  Bar->SetMenuBar(nullptr);
}

// ---------------------------------------------------------------------------
// Options: the options menu

struct MenuSelector : Selector {
  TAdvPopupMenu* Menu = nullptr;
  void SetUp() override {
    Selector::SetUp();
    Menu = new TAdvPopupMenu(Form);
    for (const wchar_t* text : {L"Reset toolbar", L"Lock"}) {
      auto* item = new TMenuItem(Menu);
      item->SetCaption(text);
      Menu->Items()->Add(item);
    }
    Panel->SetOptionsMenu(Menu);
  }
};

TEST_F(MenuSelector, MovingOntoAddOrRemoveWhileTheMenuIsOpenClosesItAndKeepsTheDropDown) {
  UseTestPopup();
  Drop();
  const TRect ar = Panel->AddAndRemoveItem().BRect();
  bool timerRan = false;
  TMenuIdleHook hook([&](HWND) {
    timerRan = Panel->MenuTimer()->Enabled();
    // The pointer goes to "Add or Remove Buttons": the panel's own click
    // ends the menu.
    SetCursorPos(OnScreen(ar).x, OnScreen(ar).y);
  });
  MoveMouse(OnScreen(Panel->OptionsItem().BRect()));
  ASSERT_TRUE(PumpUntil([&] { return hook.Ran() && !Panel->OptionsHot(); }));
  EXPECT_FALSE(hook.TimedOut());
  EXPECT_TRUE(timerRan);
  EXPECT_FALSE(Panel->MenuTimer()->Enabled());
  EXPECT_FALSE(Panel->OptionsDown());
  // The next move over the entry opens its pop-up; the drop-down stays.
  MoveMouse(Panel->ClientToScreen(TPoint(ar.left + 4, ar.top + 4)));
  ASSERT_TRUE(PumpUntil([&] { return Popup && Popup->Visible(); }));
  EXPECT_TRUE(Window->Visible());
  EXPECT_TRUE(Panel->AddAndRemoveDown());
}

TEST_F(MenuSelector, AMenuClosedElsewhereTakesTheDropDownWithIt) {
  Drop();
  bool held = false;
  TMenuIdleHook hook([&](HWND) {
    held = !Window->HideOnDeActivate();
    EndMenu();
  });
  MoveMouse(OnScreen(Panel->OptionsItem().BRect()));
  ASSERT_TRUE(PumpUntil([&] { return hook.Ran() && !Window->Visible(); }));
  EXPECT_FALSE(hook.TimedOut());
  EXPECT_TRUE(held);
  EXPECT_TRUE(Window->HideOnDeActivate());
  EXPECT_FALSE(Panel->OptionsHot());
}

TEST_F(MenuSelector, NearTheRightEdgeTheMenuOpensLeftOfTheEntry) {
  Panel->SetShowAddAndRemoveBtn(false);
  Panel->ArrangeControls();
  Window->SetWindowSize();
  int right = Screen->Width();
  Window->SetBounds(right - Window->Width() - 5, 100, Window->Width(), Window->Height());
  Window->Show();
  PumpFor(10);
  TRect placed;
  TMenuIdleHook hook([&](HWND MenuWindow) {
    RECT r{};
    GetWindowRect(MenuWindow, &r);
    placed = TRect(r.left, r.top, r.right, r.bottom);
    EndMenu();
  });
  Panel->ShowCustomizeOptions();
  EXPECT_TRUE(hook.Ran());
  EXPECT_FALSE(hook.TimedOut());
  // Left of the entry, at its top (the styled menu lifts its window by its
  // frame).
  const TRect op = Panel->OptionsItem().BRect();
  EXPECT_LT(placed.left, Panel->ClientToScreen(TPoint(0, 0)).x);
  EXPECT_LE(placed.right, Panel->ClientToScreen(TPoint(op.left, 0)).x);
  EXPECT_NEAR(placed.top, Panel->ClientToScreen(TPoint(0, op.top)).y, 3);
}

// ---------------------------------------------------------------------------
// In a quick access toolbar's overflow

TEST_F(Selector, TheQuickAccessToolBarPurgesItsListWhenTheOverflowChanges) {
  auto* qat = new TTestQuickAccessToolBar(Form);
  qat->SetParent(Form);
  auto* window = TOptionSelectorWindow::CreateDropDown(qat, qat, 10, 10, nullptr);
  auto* panel = new TControlSelectorPanel(window);
  panel->SetParent(window);
  qat->Overflow = panel;
  TControl* a = Block(Form, 20, 20);
  panel->AddControl(a);
  EXPECT_EQ(qat->Purges, 1);
  // Taken back: purged once it has left.
  a->SetParent(qat);
  EXPECT_EQ(qat->Purges, 2);
  EXPECT_EQ(qat->PurgedChildren, 0);
  qat->Repositioning = true;
  panel->AddControl(a);
  a->SetParent(qat);
  EXPECT_EQ(qat->Purges, 2);
}

}  // namespace
