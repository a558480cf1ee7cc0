#include <gtest/gtest.h>

#include <memory>

#include "base/Dialogs.h"
#include "tests/controls/buttons/ButtonTestSupport.h"
#include "tests/controls/buttons/FakeDataSet.h"
#include "tests/support/Gui.h"
#include "ui/controls/buttons/DBAdvGlowButton.h"

using T = TDBGlowButtonType;
using R = TDBBDisableControl;

namespace {

struct DBGlow : ::testing::Test {
  TForm* Form = nullptr;
  TFakeDataSet* Data = nullptr;
  TDataSource* Source = nullptr;
  TDBAdvGlowButton* B = nullptr;
  int Boxes = 0;
  int Answer = IDOK;

  void SetUp() override {
    Form = MakeTestForm(300, 200);
    Data = new TFakeDataSet(Form);
    Source = new TDataSource(Form);
    Source->SetDataSet(Data);
    B = new TDBAdvGlowButton(Form);
    B->SetParent(Form);
    B->SetBounds(20, 20, 60, 30);
    B->SetDataSource(Source);
    SetMessageBoxHook([this](const String&, const String&, UINT) {
      ++Boxes;
      return Answer;
    });
  }
  void TearDown() override {
    SetMessageBoxHook(nullptr);
    Form->Free();
  }
  void Click() {
    SendMessageW(B->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(B->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  }
};

TEST_F(DBGlow, TypesSetTheirDisableReasonsAndTheDeleteQuestion) {
  struct Case {
    T Type;
    TDBBDisableControls Reasons;
  } cases[] = {
      {T::dbFirst, {R::drBOF, R::drEditing, R::drEmpty}},   {T::dbPrior, {R::drBOF, R::drEditing, R::drEmpty}},
      {T::dbNext, {R::drEOF, R::drEditing, R::drEmpty}},    {T::dbLast, {R::drEOF, R::drEditing, R::drEmpty}},
      {T::dbInsert, {R::drReadonly, R::drEditing}},         {T::dbAppend, {R::drReadonly, R::drEditing}},
      {T::dbDelete, {R::drReadonly, R::drEditing, R::drEmpty}}, {T::dbEdit, {R::drReadonly, R::drEditing, R::drEmpty}},
      {T::dbPost, {R::drNotEditing}},                       {T::dbCancel, {R::drNotEditing}},
      {T::dbRefresh, {R::drEditing}},
  };
  for (const Case& c : cases) {
    B->SetDBButtonType(c.Type);
    EXPECT_EQ(B->DisableControl(), c.Reasons) << static_cast<int>(c.Type);
  }
  // dbCustom keeps the reasons it had.
  B->SetDBButtonType(T::dbCustom);
  EXPECT_EQ(B->DisableControl(), TDBBDisableControls({R::drEditing}));
  // Delete brings its question unless one is set.
  EXPECT_EQ(B->ConfirmActionString(), L"Delete record?");
  TDBAdvGlowButton* other = new TDBAdvGlowButton(Form);
  other->SetConfirmActionString(L"Really?");
  other->SetDBButtonType(T::dbDelete);
  EXPECT_EQ(other->ConfirmActionString(), L"Really?");
}

TEST_F(DBGlow, EnabledFollowsPositionAndEditing) {
  B->SetDBButtonType(T::dbNext);
  EXPECT_FALSE(B->Enabled());  // inactive
  Data->Open(0);
  EXPECT_FALSE(B->Enabled());  // empty: BOF and EOF
  Data->Open(3);
  EXPECT_TRUE(B->Enabled());
  Data->Last();
  EXPECT_FALSE(B->Enabled());  // EOF
  Data->First();
  EXPECT_TRUE(B->Enabled());
  Data->Edit();
  EXPECT_FALSE(B->Enabled());  // editing
  Data->Cancel();
  EXPECT_TRUE(B->Enabled());

  TDBAdvGlowButton* post = new TDBAdvGlowButton(Form);
  post->SetParent(Form);
  post->SetDBButtonType(T::dbPost);
  post->SetDataSource(Source);
  EXPECT_FALSE(post->Enabled());
  Data->Edit();
  EXPECT_TRUE(post->Enabled());
  Data->Post();
  EXPECT_FALSE(post->Enabled());

  TDBAdvGlowButton* insert = new TDBAdvGlowButton(Form);
  insert->SetDBButtonType(T::dbInsert);
  Data->ReadOnly = true;
  insert->SetDataSource(Source);
  EXPECT_FALSE(insert->Enabled());
}

TEST_F(DBGlow, EventReasonLetsTheHandlerDecide) {
  B->SetDBButtonType(T::dbNext);
  TDBBDisableControls reasons = B->DisableControl();
  reasons.Include(R::drEvent);
  B->SetDisableControl(reasons);
  std::vector<bool> seen;
  B->OnGetEnabled = [&](TObject*, bool& e) {
    seen.push_back(e);
    e = true;
  };
  int changes = 0;
  B->OnEnabledChanged = [&](TObject*) { ++changes; };
  Data->Open(2);
  Data->Last();
  ASSERT_FALSE(seen.empty());
  EXPECT_FALSE(seen.back());  // the computed value: at EOF
  EXPECT_TRUE(B->Enabled());  // the handler's answer
  EXPECT_EQ(changes, 1);
}

TEST_F(DBGlow, UnboundButtonStaysDisabled) {
  auto* b = new TDBAdvGlowButton(Form);
  b->SetParent(Form);
  b->SetDBButtonType(T::dbFirst);
  b->SetDataSource(Source);
  b->SetEnabled(true);
  EXPECT_FALSE(b->Enabled());
  Source->Free();
  EXPECT_EQ(b->DataSource(), nullptr);
  EXPECT_FALSE(b->Enabled());
  EXPECT_EQ(B->DataSource(), nullptr);
}

TEST_F(DBGlow, ClickRunsTheOperationAndTheAfterEvent) {
  B->SetDBButtonType(T::dbNext);
  Data->Open(3);
  std::vector<bool> after;
  B->OnAfterAction = [&](TObject*, bool& show) { after.push_back(show); };
  Click();
  EXPECT_EQ(Data->RecNo(), 2);
  ASSERT_EQ(after.size(), 1u);
  EXPECT_FALSE(after[0]);
  // The keyboard's click is the same click.
  ASSERT_TRUE(FocusForInput(Form, B));
  B->Perform(WM_KEYDOWN, VK_SPACE, 0);
  B->Perform(WM_CHAR, L' ', 0);
  B->Perform(WM_KEYUP, VK_SPACE, 0xC0000000);
  EXPECT_EQ(Data->RecNo(), 3);
}

TEST_F(DBGlow, CustomButtonActsOnlyWhenTheBeforeEventSaysSo) {
  Data->Open(3);
  int after = 0;
  B->OnAfterAction = [&](TObject*, bool&) { ++after; };
  Click();
  EXPECT_EQ(after, 0);
  EXPECT_TRUE(Data->Calls.empty());
  B->OnBeforeAction = [](TObject*, bool& doAction) { doAction = true; };
  Click();
  EXPECT_EQ(after, 1);
  EXPECT_TRUE(Data->Calls.empty());  // no operation of its own
}

TEST_F(DBGlow, InactiveSourceRunsNoOperationButTheAfterEvent) {
  B->SetDBButtonType(T::dbRefresh);
  B->SetEnabled(true);
  int after = 0;
  B->OnAfterAction = [&](TObject*, bool& show) {
    EXPECT_FALSE(show);
    ++after;
  };
  B->SetAutoDisable(false);
  B->SetEnabled(true);
  Click();
  EXPECT_TRUE(Data->Calls.empty());
  EXPECT_EQ(after, 1);
}

TEST_F(DBGlow, ConfirmationGatesTheOperation) {
  B->SetDBButtonType(T::dbDelete);
  B->SetConfirmAction(true);
  Data->Open(3);
  int before = 0, after = 0;
  B->OnBeforeAction = [&](TObject*, bool&) { ++before; };
  B->OnAfterAction = [&](TObject*, bool&) { ++after; };
  Answer = IDCANCEL;
  Click();
  EXPECT_EQ(Boxes, 1);
  EXPECT_EQ(before, 0);
  EXPECT_EQ(after, 0);
  EXPECT_EQ(Data->RecordCount(), 3);
  Answer = IDOK;
  Click();
  EXPECT_EQ(Data->RecordCount(), 2);
  EXPECT_EQ(before, 1);
  EXPECT_EQ(after, 1);
  // A handler that clears the question skips the dialog.
  B->OnGetConfirm = [](TObject*, String& q, TMsgDlgButtons&, int&) { q.clear(); };
  Click();
  EXPECT_EQ(Boxes, 2);
  EXPECT_EQ(Data->RecordCount(), 1);
}

TEST_F(DBGlow, FailingOperationIsShownOrSwallowedByTheAfterEvent) {
  B->SetDBButtonType(T::dbRefresh);
  Data->Open(2);
  Data->FailOn = L"Refresh";
  int calls = 0;
  bool swallow = false;
  B->OnAfterAction = [&](TObject*, bool& show) {
    ++calls;
    EXPECT_TRUE(show);
    if (swallow) show = false;
  };
  EXPECT_THROW(B->Click(), Exception);
  EXPECT_EQ(calls, 1);
  swallow = true;
  EXPECT_NO_THROW(B->Click());
  EXPECT_EQ(calls, 2);
}

TEST_F(DBGlow, GlyphsComeFromTheResourcesUnlessImagesAreSet) {
  B->SetDBButtonType(T::dbNext);
  Data->Open(3);
  ASSERT_NE(B->GlyphImages(), nullptr);
  EXPECT_EQ(B->ImageIndex(), 0);
  B->SetCaption(L"");
  std::unique_ptr<TBitmap> shot(PaintToBitmap(B));
  EXPECT_GT(CountPixels(shot.get(), TRect(0, 0, 60, 30), 0x000000, 10), 10);
  Data->Last();  // disabled: the silver variant
  shot.reset(PaintToBitmap(B));
  EXPECT_EQ(CountPixels(shot.get(), TRect(0, 0, 60, 30), 0x000000, 10), 0);
  EXPECT_GT(CountPixels(shot.get(), TRect(0, 0, 60, 30), 0xC0C0C0, 2), 5);
  EXPECT_EQ(CountPixels(shot.get(), TRect(0, 0, 60, 30), 0xFF00FF, 10), 0);  // magenta is the mask
  // With Images set the user's glyph stays.
  auto* list = MakeImageList(Form, 16, 16, {0x00FF00});
  auto* own = new TDBAdvGlowButton(Form);
  own->SetImages(list);
  own->SetImageIndex(0);
  own->SetDBButtonType(T::dbPrior);
  own->SetDataSource(Source);
  EXPECT_EQ(own->GlyphImages(), nullptr);
}

TEST(DBGlyphs, TwentyResourcesOfSixteenColours) {
  const wchar_t* names[] = {L"DBIMGFIRST", L"DBIMGPRIOR", L"DBIMGNEXT",  L"DBIMGLAST",   L"DBIMGINSERT",
                            L"DBIMGDELETE", L"DBIMGEDIT", L"DBIMGPOST", L"DBIMGCANCEL", L"DBIMGREFRESH"};
  for (const wchar_t* n : names) {
    for (bool disabled : {false, true}) {
      String name = String(n) + (disabled ? L"D" : L"");
      HANDLE h = LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, 0);
      ASSERT_NE(h, nullptr) << name;
      BITMAP bm{};
      GetObjectW(h, sizeof(bm), &bm);
      EXPECT_EQ(bm.bmWidth, 16);
      EXPECT_EQ(bm.bmHeight, 16);
      DeleteObject(h);
      TBitmap b;
      b.LoadFromResourceName(GetModuleHandleW(nullptr), name);
      EXPECT_EQ(PixelAt(&b, 0, 0), 0xFF00FF) << name;  // the background
      int black = CountPixels(&b, TRect(0, 0, 16, 16), 0x000000);
      int silver = CountPixels(&b, TRect(0, 0, 16, 16), 0xC0C0C0);
      int grey = CountPixels(&b, TRect(0, 0, 16, 16), 0x808080);
      if (disabled) {
        EXPECT_EQ(black, 0) << name;
        EXPECT_GT(silver, 0) << name;
        EXPECT_GT(grey, 0) << name;
      } else {
        EXPECT_GT(black, 0) << name;
        EXPECT_EQ(silver + grey, 0) << name;
      }
    }
  }
}

}  // namespace
