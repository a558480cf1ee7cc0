#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "base/ExtCtrls.h"
#include "base/Menus.h"
#include "base/SharedResources.h"
#include "base/StdCtrls.h"
#include "tests/support/Gui.h"

namespace {

// A form as the application builds them: stored properties inside the
// loading bracket, then OnCreate.
class TTestForm : public TForm {
  VANTREL_CLASS(TTestForm)
 public:
  std::vector<String>* Log = nullptr;
  TEdit* Edit1;
  TEdit* Edit2;

  TTestForm(TComponent* AOwner, std::vector<String>* log = nullptr) : TForm(AOwner), Log(log) {
    BeginLoading();
    SetName(L"TestForm");
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetClientWidth(300);
    SetClientHeight(120);
    SetCaption(L"Test");
    Edit1 = new TEdit(this);
    Edit1->SetName(L"Edit1");
    Edit1->SetParent(this);
    Edit1->SetBounds(10, 10, 100, 21);
    Edit2 = new TEdit(this);
    Edit2->SetName(L"Edit2");
    Edit2->SetParent(this);
    Edit2->SetBounds(10, 40, 100, 21);
    OnCreate = [this](TObject*) {
      if (Log) Log->push_back(L"create");
    };
    EndLoading();
  }

 protected:
  void Loaded() override {
    TForm::Loaded();
    if (Log) Log->push_back(L"loaded " + Name());
  }
};

TEST(Form, LoadingBracketRunsLoadedBeforeOnCreate) {
  std::vector<String> log;
  auto* f = new TTestForm(nullptr, &log);
  EXPECT_EQ(log, (std::vector<String>{L"loaded TestForm", L"create"}));
  EXPECT_FALSE(f->Edit1->IsLoading());
  f->Free();
}

TEST(Form, ClientSizeSetBeforeTheWindowIsKept) {
  auto* f = new TTestForm(nullptr);
  f->Show();
  EXPECT_EQ(f->ClientWidth(), 300);
  EXPECT_EQ(f->ClientHeight(), 120);
  f->Free();
}

// Before its window exists a form works out its client area from the frame
// that its style would get; the frame follows every change of border style
// and menu, also back to a style seen before.
TEST(Form, TheClientAreaWithoutAWindowFollowsBorderStyleAndMenu) {
  auto* f = new TForm(nullptr);
  f->SetBounds(50, 60, 400, 300);
  auto frame = [f](TFormBorderStyle Style) {
    f->SetBorderStyle(Style);
    EXPECT_FALSE(f->HandleAllocated());
    TRect c = f->ClientRect();
    TPoint o = f->ClientOrigin();
    return std::make_pair(SIZE{400 - c.Width(), 300 - c.Height()}, SIZE{o.x - 50, o.y - 60});
  };
  auto none = frame(TFormBorderStyle::bsNone);
  EXPECT_EQ(none.first.cx, 0);
  EXPECT_EQ(none.first.cy, 0);
  EXPECT_EQ(none.second.cx, 0);
  auto single = frame(TFormBorderStyle::bsSingle);
  auto sizeable = frame(TFormBorderStyle::bsSizeable);
  auto tool = frame(TFormBorderStyle::bsToolWindow);
  EXPECT_GT(single.first.cy, single.first.cx);  // the caption
  EXPECT_GT(single.second.cy, single.second.cx);
  EXPECT_GE(sizeable.first.cx, single.first.cx);
  EXPECT_LT(tool.first.cy, single.first.cy);  // a smaller caption
  // Back to styles seen before: the same frames again.
  EXPECT_EQ(frame(TFormBorderStyle::bsNone).first.cy, 0);
  EXPECT_EQ(frame(TFormBorderStyle::bsSingle).first.cy, single.first.cy);

  // A menu bar takes its height from the client area, and gives it back.
  auto* menu = new TMainMenu(f);
  auto* item = new TMenuItem(menu);
  item->SetCaption(L"File");
  menu->Items()->Add(item);
  f->SetMenu(menu);
  EXPECT_GT(frame(TFormBorderStyle::bsSingle).first.cy, single.first.cy);
  f->SetMenu(nullptr);
  EXPECT_EQ(frame(TFormBorderStyle::bsSingle).first.cy, single.first.cy);

  // The size set for the client area is the one the window gets.
  f->SetBorderStyle(TFormBorderStyle::bsToolWindow);
  f->SetClientWidth(300);
  f->SetClientHeight(120);
  EXPECT_EQ(f->Width(), 300 + tool.first.cx);
  EXPECT_EQ(f->Height(), 120 + tool.first.cy);
  f->HandleNeeded();
  EXPECT_EQ(f->ClientWidth(), 300);
  EXPECT_EQ(f->ClientHeight(), 120);
  f->Free();
}

// The form's window class is registered with the small icon beside its
// icon, both the shared ones.
TEST(Form, TheWindowClassCarriesItsSmallIconToo) {
  auto* f = new TTestForm(nullptr);
  HWND h = f->Handle();
  HICON icon = reinterpret_cast<HICON>(GetClassLongPtrW(h, GCLP_HICON));
  ASSERT_NE(icon, nullptr);
  HICON small = reinterpret_cast<HICON>(GetClassLongPtrW(h, GCLP_HICONSM));
  EXPECT_NE(small, nullptr);
  EXPECT_EQ(small, SharedSmallIcon(icon));
  f->Free();
}

TEST(Form, CloseAsksThenActsAndMayRunAgainFromItsOwnHandler) {
  auto* f = new TTestForm(nullptr);
  bool allow = false;
  int closes = 0;
  TCloseAction action = TCloseAction::caHide;
  f->OnCloseQuery = [&](TObject*, bool& can) { can = allow; };
  f->OnClose = [&](TObject*, TCloseAction& a) {
    ++closes;
    a = action;
    if (closes == 1) f->Close();  // re-entrant, as at program exit
  };
  f->Show();
  f->Close();
  EXPECT_TRUE(f->Visible());
  EXPECT_EQ(closes, 0);

  allow = true;
  action = TCloseAction::caNone;
  f->Close();
  EXPECT_TRUE(f->Visible());
  EXPECT_EQ(closes, 2);

  action = TCloseAction::caHide;
  closes = 0;
  f->Close();
  EXPECT_FALSE(f->Visible());
  EXPECT_FALSE(IsWindowVisible(f->Handle()));
  EXPECT_EQ(closes, 2);
  f->Free();
}

TEST(Form, CaptionCloseButtonClosesThroughWmClose) {
  auto* f = new TTestForm(nullptr);
  int closes = 0;
  f->OnClose = [&](TObject*, TCloseAction&) { ++closes; };
  f->Show();
  SendMessageW(f->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(f->Visible());
  EXPECT_TRUE(IsWindow(f->Handle()));
  f->Free();
}

TEST(Form, ShowModalEndsWithTheResultSetOrWithCancelOnClose) {
  for (bool useClose : {false, true}) {
    auto* f = new TTestForm(nullptr);
    auto* t = new TTimer(f);
    t->SetInterval(20);
    t->SetOnTimer([&, f, t](TObject*) {
      t->SetEnabled(false);
      if (useClose)
        f->Close();
      else
        f->SetModalResult(mrOk);
    });
    TModalResult r = f->ShowModal();
    EXPECT_EQ(r, useClose ? mrCancel : mrOk);
    EXPECT_FALSE(f->Visible());
    EXPECT_FALSE(f->Modal());
    f->Free();
  }
}

TEST(Form, ShowModalOfAVisibleFormIsRefused) {
  auto* f = new TTestForm(nullptr);
  f->Show();
  EXPECT_THROW(f->ShowModal(), EInvalidOperation);
  f->Free();
}

TEST(Form, ShowHandlerThatHidesTheFormLeavesItHidden) {
  auto* f = new TTestForm(nullptr);
  f->OnShow = [f](TObject*) { f->Hide(); };
  f->Show();
  EXPECT_FALSE(f->Visible());
  EXPECT_FALSE(IsWindowVisible(f->Handle()));
  f->Free();
}

TEST(Form, MinimizedFormIsShownIconicAndKeepsItsNormalBounds) {
  auto* f = new TTestForm(nullptr);
  f->SetBounds(100, 120, 320, 200);
  f->SetWindowState(TWindowState::wsMinimized);
  f->Show();
  EXPECT_TRUE(IsIconic(f->Handle()));
  // Moving a minimized window moves its normal position.
  f->SetBounds(150, 160, 330, 210);
  EXPECT_EQ(f->Left(), 150);
  EXPECT_EQ(f->Width(), 330);
  f->SetWindowState(TWindowState::wsNormal);
  EXPECT_FALSE(IsIconic(f->Handle()));
  RECT r;
  GetWindowRect(f->Handle(), &r);
  EXPECT_EQ(r.left, 150);
  EXPECT_EQ(r.top, 160);
  EXPECT_EQ(r.right - r.left, 330);
  f->Free();
}

// Nobody sees the controls of a window shown minimized: their windows are
// made when it is restored, by the program or by the system, with what was
// set on them meanwhile.
TEST(Form, AFormShownMinimizedMakesItsControlsWindowsWhenRestored) {
  for (bool bySystem : {false, true}) {
    SCOPED_TRACE(bySystem ? "restored by the system" : "restored by the program");
    auto* f = new TTestForm(nullptr);
    f->SetWindowState(TWindowState::wsMinimized);
    f->Show();
    ASSERT_TRUE(IsIconic(f->Handle()));
    EXPECT_FALSE(f->Edit1->HandleAllocated());
    EXPECT_FALSE(f->Edit2->HandleAllocated());
    f->Edit1->SetText(L"kept");
    if (bySystem)
      ShowWindow(f->Handle(), SW_RESTORE);
    else
      f->SetWindowState(TWindowState::wsNormal);
    EXPECT_EQ(f->WindowState(), TWindowState::wsNormal);
    ASSERT_TRUE(f->Edit1->HandleAllocated());
    ASSERT_TRUE(f->Edit2->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(f->Edit1->Handle()));
    EXPECT_TRUE(IsWindowVisible(f->Edit2->Handle()));
    wchar_t text[16] = L"";
    GetWindowTextW(f->Edit1->Handle(), text, 16);
    EXPECT_STREQ(text, L"kept");
    RECT r;
    GetWindowRect(f->Edit2->Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, f->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 40);
    f->Free();
  }
}

// Shown normally, a form's controls have their windows before it appears.
TEST(Form, AFormShownNormallyHasItsControlsWindowsAtOnce) {
  auto* f = new TTestForm(nullptr);
  f->Show();
  ASSERT_TRUE(f->Edit1->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(f->Edit1->Handle()));
  f->Free();
}

TEST(Form, DestroyHidesFirstThenRunsOnDestroy) {
  auto* f = new TTestForm(nullptr);
  bool visibleInDestroy = true;
  f->OnDestroy = [&](TObject*) { visibleInDestroy = f->Visible(); };
  f->Show();
  f->Free();
  EXPECT_FALSE(visibleInDestroy);
}

// A form whose constructor raises once it has a window, a panel and a
// free-notification partner, inside its loading bracket.
std::set<TObject*> gLivePanels;

class TTrackedPanel : public TPanel {
 public:
  explicit TTrackedPanel(TComponent* AOwner) : TPanel(AOwner) { gLivePanels.insert(this); }

 protected:
  void Destroy() override {
    gLivePanels.erase(this);
    TPanel::Destroy();
  }
};

class TFailingForm : public TForm {
 public:
  static inline HWND Window = nullptr;
  TFailingForm(TComponent* AOwner, TComponent* Partner) : TForm(AOwner) {
    BeginLoading();
    (new TTrackedPanel(this))->SetParent(this);
    FreeNotification(Partner);
    Window = Handle();
    OnDestroy = [](TObject*) { ADD_FAILURE() << "OnDestroy ran for a form never made"; };
    throw Exception(L"form failed");
  }
};

class TRemovalRecorder : public TComponent {
 public:
  using TComponent::TComponent;
  std::vector<TComponent*> Removed;
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove) Removed.push_back(AComponent);
  }
};

TEST(Form, AConstructorThatRaisesLeavesNothingBehind) {
  auto* outer = new TComponent(nullptr);  // a loading bracket already open
  outer->BeginLoading();
  auto* partner = new TRemovalRecorder(nullptr);
  int forms = Screen->FormCount();
  EXPECT_THROW(new TFailingForm(outer, partner), Exception);

  EXPECT_EQ(Screen->FormCount(), forms);
  EXPECT_EQ(outer->ComponentCount(), 0);
  EXPECT_TRUE(gLivePanels.empty());
  EXPECT_FALSE(IsWindow(TFailingForm::Window));
  EXPECT_EQ(partner->Removed.size(), 1u);
  // The outer bracket is the open one again.
  auto* later = new TComponent(outer);
  EXPECT_TRUE(later->IsLoading());
  outer->EndLoading();
  EXPECT_FALSE(later->IsLoading());
  outer->Free();
  partner->Free();
}

TEST(Form, MainFormCloseEndsTheMessageLoop) {
  auto* saved = Application->MainForm();
  Application->ResetMainForm();
  TTestForm* f = nullptr;
  Application->CreateForm(f);
  ASSERT_EQ(Application->MainForm(), f);
  auto* t = new TTimer(f);
  t->SetInterval(20);
  int closes = 0;
  f->OnClose = [&](TObject*, TCloseAction&) { ++closes; };
  t->SetOnTimer([&](TObject*) {
    t->SetEnabled(false);
    f->Close();
    f->Close();  // a second close while ending is harmless
  });
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(closes, 2);
  Application->ResetTerminated();
  f->Free();
  EXPECT_EQ(Application->MainForm(), nullptr);
  if (saved) Application->ResetMainForm();
}

TEST(Form, TabMovesTheFocusToTheNextEdit) {
  auto* f = new TTestForm(nullptr);
  f->Show();
  ASSERT_TRUE(FocusForInput(f, f->Edit1));
  PressKey(VK_TAB);
  ASSERT_TRUE(PumpUntil([&] { return f->Edit2->Focused(); }, 2000));
  EXPECT_EQ(f->ActiveControl(), f->Edit2);
  PressKey(VK_TAB, true);
  ASSERT_TRUE(PumpUntil([&] { return f->Edit1->Focused(); }, 2000));
  f->Free();
}

// A focused control whose window is made anew keeps the focus, and its
// SetFocus works although the form still names it as its active control.
TEST(Form, AControlMadeAnewKeepsTheFocus) {
  auto* f = new TTestForm(nullptr);
  f->Show();
  ASSERT_TRUE(FocusForInput(f, f->Edit2));
  HWND old = f->Edit2->Handle();
  f->Edit2->RecreateWnd();
  EXPECT_NE(f->Edit2->Handle(), old);
  EXPECT_TRUE(PumpUntil([&] { return f->Edit2->Focused(); }, 2000));
  EXPECT_EQ(f->ActiveControl(), f->Edit2);
  // The focus lost some other way (the window alone) comes back on request.
  ::SetFocus(f->Handle());
  PumpFor(20);
  ASSERT_FALSE(f->Edit2->Focused());
  EXPECT_EQ(f->ActiveControl(), f->Edit2);
  f->Edit2->SetFocus();
  EXPECT_TRUE(PumpUntil([&] { return f->Edit2->Focused(); }, 2000));
  f->Free();
}

TEST(Edit, OnChangeFiresOncePerDifferentTextWithOrWithoutWindow) {
  auto* f = new TTestForm(nullptr);
  int changes = 0;
  f->Edit1->OnChange = [&](TObject*) { ++changes; };
  f->Edit1->SetText(L"abc");  // no window yet
  EXPECT_EQ(changes, 1);
  f->Show();
  ASSERT_TRUE(f->Edit1->HandleAllocated());
  EXPECT_EQ(f->Edit1->Text(), L"abc");
  f->Edit1->SetText(L"abc");
  EXPECT_EQ(changes, 1);
  f->Edit1->SetText(L"xyz");
  EXPECT_EQ(changes, 2);
  f->Free();
}

TEST(Edit, KeyPressHandlerDiscardsCharactersItClears) {
  auto* f = new TTestForm(nullptr);
  f->Edit1->OnKeyPress = [](TObject*, wchar_t& key) {
    if (!(key >= L'0' && key <= L'9') && key != VK_BACK) key = 0;
  };
  f->Show();
  ASSERT_TRUE(FocusForInput(f, f->Edit1));
  for (WORD k : {WORD('4'), WORD('A'), WORD('8'), WORD(VK_SPACE)}) PressKey(k);
  EXPECT_TRUE(PumpUntil([&] { return f->Edit1->Text() == L"48"; }, 2000)) << WideToAnsi(f->Edit1->Text());
  PumpFor(50);
  EXPECT_EQ(f->Edit1->Text(), L"48");
  f->Free();
}

TEST(CheckBox, SettingANewStateFiresOnClickOnce) {
  auto* f = new TTestForm(nullptr);
  auto* box = new TCheckBox(f);
  box->SetParent(f);
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  box->SetChecked(true);
  box->SetChecked(true);
  EXPECT_EQ(clicks, 1);
  f->Show();
  EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  // A click on the box toggles it through the same path.
  SendMessageW(box->Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks, 2);
  f->Free();
}

}  // namespace

namespace {

// A control that fills itself, to see where it lands in a picture.
class TFill : public TCustomControl {
  VANTREL_CLASS(TFill)
 public:
  using TCustomControl::TCustomControl;

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(FColor);
    Canvas()->FillRect(ClientRect());
  }
};

}  // namespace

TEST(Form, AFormWithAParentIsAPopupOwnedByTheParentsWindow) {
  auto* host = new TTestForm(nullptr);
  host->SetBounds(40, 40, 340, 200);
  host->SetColor(clWhite);
  auto* panel = new TFill(host);
  panel->SetParent(host);
  panel->SetBounds(10, 70, 200, 40);
  panel->SetColor(clRed);
  host->Show();

  auto* drop = new TForm(panel);
  drop->SetBorderStyle(TFormBorderStyle::bsNone);
  drop->SetParent(panel);
  drop->SetBounds(300, 260, 60, 50);  // screen coordinates
  auto* inner = new TFill(drop);
  inner->SetParent(drop);
  inner->SetBounds(5, 7, 20, 20);
  drop->SetColor(clBlue);
  EXPECT_EQ(drop->ClientOrigin(), TPoint(300, 260));
  drop->Show();

  ASSERT_TRUE(drop->HandleAllocated());
  HWND h = drop->Handle();
  LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & WS_CHILD);
  EXPECT_EQ(GetAncestor(h, GA_PARENT), GetDesktopWindow());
  EXPECT_EQ(GetWindow(h, GW_OWNER), host->Handle());
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(TRect(r), TRect(300, 260, 360, 310));
  EXPECT_EQ(drop->ClientToScreen(TPoint(0, 0)), TPoint(300, 260));
  EXPECT_EQ(inner->ClientOrigin(), TPoint(305, 267));
  EXPECT_EQ(GetParentForm(inner), drop);
  EXPECT_EQ(GetParentForm(panel), host);
  EXPECT_TRUE(drop->Showing());

  // The pop-up is no part of its Parent's picture, hit tests or tab order.
  TBitmap* bmp = PaintToBitmap(host);
  TRect client = panel->BoundsRect();
  EXPECT_EQ(CountPixels(bmp, client, clBlue), 0);
  EXPECT_EQ(CountPixels(bmp, client, clRed), client.Width() * client.Height());
  bmp->Free();
  EXPECT_EQ(panel->ControlAtPos(TPoint(310, 270), true, true), nullptr);
  std::vector<TWinControl*> order;
  host->GetTabOrderList(order);
  EXPECT_EQ(std::count(order.begin(), order.end(), static_cast<TWinControl*>(drop)), 0);
  EXPECT_EQ(std::count(order.begin(), order.end(), static_cast<TWinControl*>(inner)), 0);

  // Hidden with its Parent, shown again with it.
  panel->Hide();
  EXPECT_FALSE(drop->Showing());
  EXPECT_FALSE(IsWindowVisible(h));
  panel->Show();
  EXPECT_TRUE(IsWindowVisible(h));
  host->Free();
}
