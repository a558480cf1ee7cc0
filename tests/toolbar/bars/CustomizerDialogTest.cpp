// The customizer dialogs driven by their controls: filling the lists, the
// enabled buttons, moves, inserts, deletes and clear, the button dialog,
// the user's section that OK writes and what the customizer does with each
// result; modal runs are ended from timers. Saves a picture of a form with a
// menu bar, a toolbar and the open dialog to <build>/screens/customizer.png.
#include <algorithm>
#include <functional>
#include <memory>

#include "base/Dialogs.h"
#include "base/ExtCtrls.h"
#include "base/ImgList.h"
#include "tests/support/Gui.h"
#include "tests/support/Screens.h"
#include "tests/toolbar/bars/CustomizerFixture.h"
#include "tests/toolbar/bars/MenuBarForm.h"
#include "ui/toolbar/bars/CustomizerBtnForm.h"
#include "ui/toolbar/bars/CustomizerForm.h"

namespace {

const TColor kImageColors[] = {clRed, clGreen, clBlue, clYellow, clTeal, clPurple};

struct Dialogs : CustomizerFixture {
  TCustomImageList* Images = nullptr;
  std::vector<String> Asked;
  int Answer = IDYES;

  void SetUp() override {
    DockFixture::SetUp();
    InitCustomizerDialogsUnit();
    SetMessageBoxHook([this](const String& Text, const String&, UINT) {
      Asked.push_back(Text);
      return Answer;
    });
    Images = new TCustomImageList(Form, 16, 16);
    for (TColor c : kImageColors) {
      TBitmap bmp(16, 16, TPixelFormat::pf24bit);
      bmp.Canvas()->Brush()->SetColor(c);
      bmp.Canvas()->FillRect(TRect(0, 0, 16, 16));
      Images->Add(&bmp, nullptr);
    }
    SetUpBar(L"vantrel-customizer-dialog-test.ini", Images);
    Open->SetHint(L"Open");
    for (const wchar_t* name : {L"Print All", L"Mail"}) C->Commands()->Add()->SetCaption(name);
    C->Commands()->Items(0)->SetItemIndex(5);
  }
  void TearDown() override {
    SetMessageBoxHook(nullptr);
    FiniCustomizerDialogsUnit();
    CustomizerFixture::TearDown();
  }
  // A dialog filled as the customizer fills it, not shown.
  TCustomizerForm* NewDialog() {
    auto* f = new TCustomizerForm(Form, C);
    PrepareCustomizerDialog(f, C);
    return f;
  }
  std::vector<String> Rows(TCustomizerForm* F) {
    std::vector<String> out;
    for (int i = 0; i < F->LstBxToolBarItems->Items()->Count(); ++i)
      out.push_back(F->LstBxToolBarItems->Items()->Strings(i));
    return out;
  }
  // Opens the customizer as the toolbar does; Act runs from a timer once
  // the dialog shows and must end it. Returns whether Act ran.
  bool RunCustomizer(const std::function<void(TCustomizerForm*)>& Act, TAdvCustomToolBar* ToolBar = nullptr) {
    if (!ToolBar) ToolBar = Bar;
    bool ran = false;
    TOwned<TTimer> timer(new TTimer(nullptr));
    timer->SetInterval(10);
    timer->SetOnTimer([&](TObject*) {
      TCustomizerForm* f = CustomizerForm();
      if (!f || !f->Visible() || ran) return;
      timer->SetEnabled(false);
      ran = true;
      Act(f);
    });
    ToolBar->Customizer()->ShowCustomizer(ToolBar);
    return ran;
  }
  // Runs the button dialog of the selected row; Act ends it.
  bool RunButtonDialog(TCustomizerForm* F, const std::function<void(TCusBtnForm*)>& Act) {
    bool ran = false;
    TOwned<TTimer> timer(new TTimer(nullptr));
    timer->SetInterval(10);
    timer->SetOnTimer([&](TObject*) {
      TCusBtnForm* b = CusBtnForm();
      if (!b || !b->Visible() || ran) return;
      timer->SetEnabled(false);
      ran = true;
      Act(b);
    });
    F->BtnEditClick(F->BtnEdit);
    return ran;
  }
  std::vector<std::string> Section(const std::string& Name) {
    std::vector<std::string> out;
    bool in = false;
    for (const std::string& line : FileLines(Ini)) {
      if (!line.empty() && line[0] == '[') in = line == "[" + Name + "]";
      else if (in) out.push_back(line);
    }
    return out;
  }
};

TEST_F(Dialogs, TheListsShowTheToolBarItemsAndTheCommands) {
  TOwned<TCustomizerForm> f(NewDialog());
  EXPECT_EQ(Rows(f), (std::vector<String>{L"Open", L"Separator", L"Save"}));
  ASSERT_NE(f->Row(0), nullptr);
  EXPECT_EQ(f->Row(0)->ATBItem, Open);
  EXPECT_EQ(f->Row(0)->ImageIndex, 3);
  EXPECT_EQ(f->Row(1)->ATBItem, Sep);
  EXPECT_EQ(f->LstBxCommand->Items()->Strings(0), L"Print_All");
  // Rows are as high as the images and 3 pixels.
  EXPECT_EQ(f->LstBxToolBarItems->ItemHeight(), 19);
  // One entry per image, then "None"; the first command's icon is selected.
  EXPECT_EQ(f->CmBxIcon->Items()->Count(), 7);
  EXPECT_EQ(f->CmBxIcon->Items()->Strings(6), L"None");
  EXPECT_EQ(f->CmBxIcon->ItemIndex(), 5);
  // A command without icon selects "None".
  f->LstBxCommand->SetItemIndex(1);
  f->LstBxCommandClick(f->LstBxCommand);
  EXPECT_EQ(f->CmBxIcon->ItemIndex(), 6);
  EXPECT_TRUE(f->CmBxIcon->Visible());
  EXPECT_EQ(f->LstBxCommand->Height(), 193);
  EXPECT_EQ(f->EdtCaption->Text(), L"Standard");
  EXPECT_EQ(f->LstBxToolBarItems->ItemIndex(), 0);
  EXPECT_FALSE(f->Modified());
}

TEST_F(Dialogs, ButtonsAreEnabledByTheSelectionAndTheOptions) {
  struct Case {
    int Selected;
    bool ReOrder;
    bool TopUp, DownBottom, Delete, Edit;
  } cases[] = {
      {0, true, false, true, true, true},     {1, true, true, true, true, false},
      {2, true, true, false, true, true},     {-1, true, false, false, false, false},
      {1, false, false, false, true, false},
  };
  for (const Case& c : cases) {
    C->Options()->SetReOrder(c.ReOrder);
    TOwned<TCustomizerForm> f(NewDialog());
    f->LstBxToolBarItems->SetItemIndex(c.Selected);
    f->UpdateButtons();
    EXPECT_EQ(f->TopButton->Enabled(), c.TopUp) << c.Selected;
    EXPECT_EQ(f->UpButton->Enabled(), c.TopUp) << c.Selected;
    EXPECT_EQ(f->DownButton->Enabled(), c.DownBottom) << c.Selected;
    EXPECT_EQ(f->BottomButton->Enabled(), c.DownBottom) << c.Selected;
    EXPECT_EQ(f->DeleteButton->Enabled(), c.Delete) << c.Selected;
    EXPECT_EQ(f->BtnEdit->Enabled(), c.Edit) << c.Selected;
    EXPECT_TRUE(f->ClearButton->Enabled());
    EXPECT_TRUE(f->AddButton->Enabled());
  }
}

TEST_F(Dialogs, MovesReorderTheRowsAndKeepTheSelection) {
  using Click = void (TCustomizerForm::*)(TObject*);
  struct Case {
    Click Move;
    int From;
    std::vector<String> Rows;
    int Selected;
  } cases[] = {
      {&TCustomizerForm::TopButtonClick, 2, {L"Save", L"Open", L"Separator"}, 0},
      {&TCustomizerForm::UpButtonClick, 1, {L"Separator", L"Open", L"Save"}, 0},
      {&TCustomizerForm::DownButtonClick, 0, {L"Separator", L"Open", L"Save"}, 1},
      {&TCustomizerForm::BottomButtonClick, 0, {L"Separator", L"Save", L"Open"}, 2},
  };
  for (const Case& c : cases) {
    TOwned<TCustomizerForm> f(NewDialog());
    f->LstBxToolBarItems->SetItemIndex(c.From);
    (f.Get()->*c.Move)(nullptr);
    EXPECT_EQ(Rows(f), c.Rows) << c.From;
    EXPECT_EQ(f->LstBxToolBarItems->ItemIndex(), c.Selected) << c.From;
    EXPECT_TRUE(f->Modified());
  }
  // A row dropped on another row moves there.
  TOwned<TCustomizerForm> f(NewDialog());
  f->Show();
  TRect last = f->LstBxToolBarItems->ItemRect(2);
  f->LstBxToolBarItems->SetItemIndex(0);
  EXPECT_TRUE(f->LstBxToolBarItemsDragOver(f->LstBxToolBarItems));
  f->LstBxToolBarItemsDragDrop(f->LstBxToolBarItems, last.left + 3, last.top + 3);
  EXPECT_EQ(Rows(f), (std::vector<String>{L"Separator", L"Save", L"Open"}));
  // Without reordering only commands may be dropped.
  C->Options()->SetReOrder(false);
  EXPECT_FALSE(f->LstBxToolBarItemsDragOver(f->LstBxToolBarItems));
  EXPECT_TRUE(f->LstBxToolBarItemsDragOver(f->LstBxCommand));
  f->LstBxToolBarItemsDragDrop(f->LstBxCommand, 0, 0);
  EXPECT_EQ(f->LstBxToolBarItems->Items()->Count(), 4);
  f->Hide();
}

TEST_F(Dialogs, InsertedRowsGoAfterTheSelectionOrAtTheEnd) {
  struct Case {
    int Selected;
    int At;
  } cases[] = {{-1, 3}, {2, 3}, {0, 1}, {1, 2}};
  for (const Case& c : cases) {
    TOwned<TCustomizerForm> f(NewDialog());
    f->LstBxToolBarItems->SetItemIndex(c.Selected);
    f->AddButtonClick(nullptr);
    ASSERT_EQ(f->LstBxToolBarItems->Items()->Count(), 4);
    TATBItemProp* p = f->Row(c.At);
    ASSERT_NE(p, nullptr) << c.Selected;
    EXPECT_TRUE(p->IsATBButton);
    EXPECT_TRUE(p->CustomizerCreated);
    EXPECT_EQ(p->CommandID, 0);
    EXPECT_EQ(p->ImageIndex, 5);
    EXPECT_EQ(p->Caption, L"Print_All");
    EXPECT_EQ(f->LstBxToolBarItems->ItemIndex(), c.At);
  }
  // "None" gives no image; separators get names no item has.
  TOwned<TCustomizerForm> f(NewDialog());
  f->CmBxIcon->SetItemIndex(6);
  f->AddGlowButtonClick(nullptr);
  EXPECT_EQ(f->Row(1)->ImageIndex, -1);
  EXPECT_TRUE(f->Row(1)->IsGlowButton);
  f->SeparatorButtonClick(nullptr);
  f->SeparatorButtonClick(nullptr);
  EXPECT_EQ(f->Row(2)->Caption, L"AdvToolBarSeparator1");
  EXPECT_EQ(f->Row(3)->Caption, L"AdvToolBarSeparator2");
}

TEST_F(Dialogs, DeletingAndClearingRows) {
  TOwned<TCustomizerForm> f(NewDialog());
  f->LstBxToolBarItems->SetItemIndex(2);
  f->DeleteButtonClick(nullptr);
  EXPECT_EQ(Rows(f), (std::vector<String>{L"Open", L"Separator"}));
  EXPECT_EQ(f->LstBxToolBarItems->ItemIndex(), 1);
  f->LstBxToolBarItems->SetItemIndex(0);
  f->DeleteButtonClick(nullptr);
  EXPECT_EQ(f->LstBxToolBarItems->ItemIndex(), 0);
  f->DeleteButtonClick(nullptr);
  EXPECT_EQ(f->LstBxToolBarItems->ItemIndex(), -1);
  EXPECT_FALSE(f->DeleteButton->Enabled());

  TOwned<TCustomizerForm> g(NewDialog());
  Answer = IDNO;
  g->ClearButtonClick(nullptr);
  ASSERT_EQ(Asked.size(), 1u);
  EXPECT_EQ(Asked[0], L"Are you sure that you want to clear ToolBar?");
  EXPECT_EQ(g->LstBxToolBarItems->Items()->Count(), 3);
  EXPECT_FALSE(g->Modified());
  Answer = IDYES;
  g->ClearButtonClick(nullptr);
  EXPECT_EQ(g->LstBxToolBarItems->Items()->Count(), 0);
  EXPECT_TRUE(g->Modified());
  EXPECT_FALSE(g->ClearButton->Enabled());
}

TEST_F(Dialogs, TheButtonDialogEditsTheSelectedRow) {
  C->ButtonProperties()->SetVisible(true);
  TOwned<TCustomizerForm> f(NewDialog());
  f->LstBxToolBarItems->SetItemIndex(0);
  bool ran = RunButtonDialog(f, [&](TCusBtnForm* b) {
    EXPECT_EQ(b->EdtBtnCaption->Text(), L"Open");
    EXPECT_EQ(b->CmBxGlyph->ItemIndex(), 3);
    EXPECT_TRUE(b->CmBxGlyph->Enabled());
    EXPECT_EQ(b->CmBxGlyph->Items()->Count(), 7);
    b->EdtBtnCaption->SetText(L"Open file");
    b->EdtBtnHint->SetText(L"Opens a file");
    b->ChkBtnVis->SetChecked(false);
    b->CmBxGlyph->SetItemIndex(6);
    b->BtnOk->Click();
  });
  ASSERT_TRUE(ran);
  TATBItemProp* p = f->Row(0);
  EXPECT_EQ(p->Caption, L"Open file");
  EXPECT_EQ(p->Hint, L"Opens a file");
  EXPECT_FALSE(p->Visible);
  EXPECT_EQ(p->ImageIndex, -1);
  EXPECT_TRUE(p->ForceImageIndex);
  EXPECT_EQ(f->LstBxToolBarItems->Items()->Strings(0), L"Open file");
  EXPECT_TRUE(f->Modified());
  EXPECT_EQ(CusBtnForm(), nullptr);

  // Cancel changes nothing.
  ran = RunButtonDialog(f, [&](TCusBtnForm* b) {
    b->EdtBtnCaption->SetText(L"Other");
    b->BtnCancel->Click();
  });
  ASSERT_TRUE(ran);
  EXPECT_EQ(f->Row(0)->Caption, L"Open file");

  // A glow button the customizer did not make keeps its image.
  auto* glow = new TAdvGlowButton(Bar);
  glow->SetName(L"GlowBtn");
  glow->SetImageIndex(2);
  Bar->AddToolBarControl(glow);
  TOwned<TCustomizerForm> g(NewDialog());
  g->LstBxToolBarItems->SetItemIndex(3);
  ran = RunButtonDialog(g, [&](TCusBtnForm* b) {
    EXPECT_FALSE(b->CmBxGlyph->Enabled());
    EXPECT_EQ(b->CmBxGlyph->ItemIndex(), -1);
    b->BtnOk->Click();
  });
  ASSERT_TRUE(ran);
  EXPECT_EQ(g->Row(3)->ImageIndex, 2);
  EXPECT_FALSE(g->Row(3)->ForceImageIndex);
}

TEST_F(Dialogs, OkWritesTheUsersSectionLineByLine) {
  Open->SetShowCaption(true);
  Open->SetHint(L"Open");
  Bar->AddToolBarControl(Sep);  // Sep and Save leave: OpenBtn alone
  while (Bar->ToolBarControlCount() > 1) Bar->ToolBarControls(1)->Free();
  TOwned<TCustomizerForm> f(NewDialog());
  f->AddButtonClick(nullptr);
  f->SaveCustomizedLayout();
  std::vector<std::string> expected = {"ATBCaption=Standard",      "GlyphPosition=0",
                                       "ToolBarItemCount=2",       "Name0=OpenBtn",
                                       "Name0.ClassName=ADVTOOLBARBUTTON", "Name0.ImageIndex=3",
                                       "Name0.ForceImageIndex=0",  "Name0.ShowCaption=1",
                                       "Name0.Caption=Open",       "Name0.Hint=Open",
                                       "Name1=ADVTOOLBARBUTTON1",  "Name1.ClassName=ADVTOOLBARBUTTON",
                                       "Name1.CommandID=0",        "Name1.ImageIndex=5",
                                       "Name1.ForceImageIndex=1",  "Name1.ShowCaption=0",
                                       "Name1.Caption=Print_All",  "Name1.Hint=Print_All"};
  EXPECT_EQ(Section("TB1Customizer"), expected);
}

TEST_F(Dialogs, TwoNewItemsOfOneKindAndCommandBothComeBack) {
  bool ran = RunCustomizer([&](TCustomizerForm* f) {
    f->LstBxToolBarItems->SetItemIndex(2);
    f->AddGlowButtonClick(nullptr);
    f->AddGlowButtonClick(nullptr);
    f->AddButtonClick(nullptr);
    f->AddButtonClick(nullptr);
    f->SeparatorButtonClick(nullptr);
    f->SeparatorButtonClick(nullptr);
    f->BtnOk->Click();
  });
  ASSERT_TRUE(ran);
  EXPECT_EQ(CustomizerForm(), nullptr);
  std::vector<String> applied = Items();
  ASSERT_EQ(applied.size(), 9u);
  for (size_t i = 0; i < applied.size(); ++i)
    for (size_t k = i + 1; k < applied.size(); ++k) EXPECT_FALSE(SameText(applied[i], applied[k])) << applied[i];

  // A new start: a toolbar as designed reads the file and gets all of them.
  TAdvToolBar* again = NewToolBar(L"Again", 0);
  again->SetParent(Form);
  for (const wchar_t* n : {L"OpenBtn2", L"SaveBtn2"}) AddButton(again, n);
  auto* c2 = new TAdvToolBarCustomizer(Form);
  c2->SetName(L"TB2Customizer");
  c2->SetAdvToolBar(again);
  for (const wchar_t* name : {L"Print All", L"Mail"}) c2->Commands()->Add()->SetCaption(name);
  WritePrivateProfileStringW(L"TB2Customizer", nullptr, nullptr, Ini.c_str());
  std::vector<std::string> lines = Section("TB1Customizer");
  for (const std::string& line : lines) {
    size_t eq = line.find('=');
    String key(line.begin(), line.begin() + static_cast<long>(eq));
    String value(line.begin() + static_cast<long>(eq) + 1, line.end());
    WritePrivateProfileStringW(L"TB2Customizer", key.c_str(), value.c_str(), Ini.c_str());
  }
  c2->SetFileName(Ini);
  int glow = 0, buttons = 0, seps = 0;
  for (int i = 0; i < again->ToolBarControlCount(); ++i) {
    TControl* c = again->ToolBarControls(i);
    glow += dynamic_cast<TAdvGlowButton*>(c) != nullptr;
    buttons += c->ClassName() == String(L"TAdvToolBarButton") && SameText(c->Name().substr(0, 16), L"ADVTOOLBARBUTTON");
    seps += dynamic_cast<TAdvToolBarSeparator*>(c) != nullptr && c->Name() != L"Sep1";
  }
  EXPECT_EQ(glow, 2);
  EXPECT_EQ(buttons, 2);
  EXPECT_GE(seps, 2);
}

TEST_F(Dialogs, ResultsOfTheDialogReachTheToolBarOnlyThroughTheFile) {
  int posted = 0;
  C->OnAfterPost = [&](TObject*) { ++posted; };
  // OK without changes rewrites the section but applies nothing.
  ASSERT_TRUE(RunCustomizer([](TCustomizerForm* f) { f->BtnOk->Click(); }));
  EXPECT_EQ(posted, 0);
  EXPECT_FALSE(Section("TB1Customizer").empty());
  // Cancel after an edit changes nothing.
  ASSERT_TRUE(RunCustomizer([](TCustomizerForm* f) {
    f->DeleteButtonClick(nullptr);
    f->BtnCancel->Click();
  }));
  EXPECT_EQ(Items(), (std::vector<String>{L"OpenBtn", L"Sep1", L"SaveBtn"}));
  // OK after an edit applies it.
  C->SaveDesignedLayout();
  ASSERT_TRUE(RunCustomizer([](TCustomizerForm* f) {
    f->LstBxToolBarItems->SetItemIndex(0);
    f->DeleteButtonClick(nullptr);
    f->EdtCaption->SetText(L"Mine");
    f->BtnOk->Click();
  }));
  EXPECT_EQ(posted, 1);
  EXPECT_EQ(Items(), (std::vector<String>{L"Sep1", L"SaveBtn"}));
  EXPECT_EQ(Bar->ToolBarCaption(), L"Mine");
  // Reset restores the designed layout and empties the user's section.
  ASSERT_TRUE(RunCustomizer([](TCustomizerForm* f) { f->BtnReset->Click(); }));
  EXPECT_EQ(Items(), (std::vector<String>{L"OpenBtn", L"Sep1", L"SaveBtn"}));
  EXPECT_EQ(Bar->ToolBarCaption(), L"Standard");
  EXPECT_TRUE(Section("TB1Customizer").empty());
  // A handler may cancel the dialog.
  C->OnCanShow = [](TObject*, int&, int&, bool& CanShow) { CanShow = false; };
  EXPECT_FALSE(RunCustomizer([](TCustomizerForm* f) { f->BtnCancel->Click(); }));
}

TEST_F(Dialogs, AnItemAddedWithoutANameStaysOnTheToolBarAfterOk) {
  auto* plain = new TAdvToolBarButton(Form);
  plain->SetCaption(L"Plain");
  plain->SetAdvToolBar(Bar);
  ASSERT_TRUE(RunCustomizer([](TCustomizerForm* f) {
    f->LstBxToolBarItems->SetItemIndex(0);
    f->DeleteButtonClick(nullptr);
    f->BtnOk->Click();
  }));
  ASSERT_FALSE(plain->Name().empty());
  EXPECT_EQ(Items(), (std::vector<String>{L"Sep1", L"SaveBtn", plain->Name()}));
  EXPECT_EQ(plain->Parent(), Bar);
  std::vector<std::string> lines = Section("TB1Customizer");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Name2=" + Narrow(plain->Name())), lines.end());
}

TEST_F(Dialogs, AFileThatCannotBeWrittenKeepsTheDialogOpen) {
  C->SetFileName(TempFileName(L"vantrel-no-such-folder\\layout.ini"));
  bool raised = false;
  ASSERT_TRUE(RunCustomizer([&](TCustomizerForm* f) {
    f->DeleteButtonClick(nullptr);
    try {
      f->BtnOk->Click();
    } catch (const Exception&) {
      raised = true;
    }
    EXPECT_EQ(f->ModalResult(), mrNone);
    f->BtnCancel->Click();
  }));
  EXPECT_TRUE(raised);
  EXPECT_EQ(Items(), (std::vector<String>{L"OpenBtn", L"Sep1", L"SaveBtn"}));
}

TEST_F(Dialogs, OptionsShowAndStackTheButtonsAndTheLowerGroup) {
  C->Options()->SetReOrder(false);
  C->Options()->SetDeleteAll(true);
  C->DialogSettings()->SetEditCaption(false);
  C->DialogSettings()->SetEditGlyphPosition(false);
  ASSERT_TRUE(RunCustomizer([](TCustomizerForm* f) {
    EXPECT_FALSE(f->TopButton->Visible());
    EXPECT_TRUE(f->ClearButton->Visible());
    // Stacked from the top button's place.
    int top = 26;
    for (TControl* c : {static_cast<TControl*>(f->AddButton), static_cast<TControl*>(f->AddGlowButton),
                        static_cast<TControl*>(f->SeparatorButton), static_cast<TControl*>(f->DeleteButton),
                        static_cast<TControl*>(f->ClearButton), static_cast<TControl*>(f->BtnEdit)}) {
      EXPECT_EQ(c->Top(), top) << c->Name();
      top += 22;
    }
    // No option of the whole toolbar shows: the group goes, the form is
    // shorter by its height.
    EXPECT_FALSE(f->GroupBox2->Visible());
    EXPECT_EQ(f->ClientHeight(), 363 - 65);
    EXPECT_EQ(f->BtnOk->Top(), 333 - 65);
    EXPECT_EQ(f->BtnReset->Top(), f->BtnOk->Top());
    f->BtnCancel->Click();
  }));
}

TEST_F(Dialogs, ThePictureOfAFormWithAMenuBarAndTheOpenDialog) {
  TMenuBarForm mf = MakeMenuBarForm(20, 20, 560, 470);
  TOwned<TForm> own(mf.Form);
  mf.Form->SetCaption(L"Customizer");
  mf.Tools->SetImages(Images);
  static_cast<TAdvToolBarButton*>(mf.Tools->ToolBarControls(0))->SetImageIndex(3);
  auto* c = new TAdvToolBarCustomizer(mf.Form);
  c->SetName(L"ToolsCustomizer");
  c->SetFileName(Ini);
  c->SetAdvToolBar(mf.Tools);
  for (const wchar_t* name : {L"Print All", L"Mail"}) c->Commands()->Add()->SetCaption(name);
  c->Commands()->Items(0)->SetItemIndex(5);
  c->OnCanShow = [&](TObject*, int& X, int& Y, bool&) {
    TPoint p = mf.Form->ClientToScreen(TPoint(120, 40));
    X = p.x;
    Y = p.y;
  };
  ASSERT_TRUE(RunCustomizer(
      [&](TCustomizerForm* f) {
        f->LstBxToolBarItems->SetItemIndex(1);
        f->UpdateButtons();
        // The form's place on the screen, with the dialog raised above it.
        auto bmp = CaptureWindow(mf.Form);
        SetWindowPos(f->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        RedrawWindow(f->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpFor(300);
        RECT r;
        GetWindowRect(mf.Form->Handle(), &r);
        HDC screen = GetDC(nullptr);
        BitBlt(bmp->Canvas()->Handle(), 0, 0, bmp->Width(), bmp->Height(), screen, r.left, r.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        EXPECT_TRUE(SaveScreenshot(bmp.get(), L"customizer.png"));
        // The first row shows the button's image (index 3, yellow) at its
        // left; the second, a button without image, shows none.
        TRect row = f->LstBxToolBarItems->ItemRect(0);
        TPoint at = InPicture(mf.Form, f->LstBxToolBarItems, row.left + 2 + 8, row.top + 2 + 8);
        EXPECT_EQ(PixelAt(bmp.get(), at.x, at.y), clYellow);
        TRect next = f->LstBxToolBarItems->ItemRect(1);
        TPoint n = InPicture(mf.Form, f->LstBxToolBarItems, next.left + 2 + 8, next.top + 2 + 8);
        EXPECT_NE(PixelAt(bmp.get(), n.x, n.y), clYellow);
        f->BtnCancel->Click();
      },
      mf.Tools));
}

}  // namespace
