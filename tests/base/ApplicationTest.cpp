#include <gtest/gtest.h>

#include "base/Dialogs.h"
#include "base/StdCtrls.h"
#include "base/Units.h"
#include "tests/support/Gui.h"

namespace {

struct MessageBoxes : ::testing::Test {
  std::vector<String> texts;
  void SetUp() override {
    SetMessageBoxHook([this](const String& text, const String&, UINT) {
      texts.push_back(text);
      return IDOK;
    });
  }
  void TearDown() override {
    SetMessageBoxHook(nullptr);
    Application->OnException = nullptr;
  }
};

using ApplicationTest = MessageBoxes;
using UnitTable = MessageBoxes;

TEST_F(ApplicationTest, AnExceptionInAHandlerIsReportedAndTheWindowLivesOn) {
  auto* f = new TForm(nullptr);
  auto* box = new TCheckBox(f);
  box->SetParent(f);
  box->OnClick = [](TObject*) { throw EConvertError(L"bad input"); };
  f->Show();
  // Through a window message: the window procedure catches it.
  SendMessageW(box->Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0], L"bad input.");
  EXPECT_TRUE(box->Checked());

  TObject* sender = nullptr;
  String seen;
  Application->OnException = [&](TObject* s, const Exception& e) {
    sender = s;
    seen = e.Message();
  };
  SendMessageW(box->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(seen, L"bad input");
  EXPECT_EQ(sender, f);  // the click came to the box through its parent's window
  EXPECT_EQ(texts.size(), 1u);  // the handler replaced the box
  EXPECT_TRUE(IsWindow(box->Handle()));
  f->Free();
}

TEST_F(ApplicationTest, OnCreateExceptionIsReportedAndTheFormIsKept) {
  struct TFailingForm : TForm {
    explicit TFailingForm(TComponent* o) : TForm(o) {
      BeginLoading();
      OnCreate = [](TObject*) { throw Exception(L"no luck"); };
      EndLoading();
    }
  };
  auto* f = new TFailingForm(nullptr);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0], L"no luck.");
  f->Free();
}

std::vector<String> gUnitLog;
void InitA() { gUnitLog.push_back(L"init A"); }
void FiniA() { gUnitLog.push_back(L"fini A"); }
void InitB() { gUnitLog.push_back(L"init B"); }
void FiniB() { gUnitLog.push_back(L"fini B"); }
void InitFails() { throw Exception(L"no library"); }
void FiniNever() { gUnitLog.push_back(L"fini failing"); }

TEST_F(UnitTable, StartUpRunsInOrderAndAFailureStopsItWithAMessage) {
  gUnitLog.clear();
  size_t mark = InitializedUnitCount();
  std::vector<TUnitEntry> units = {{L"A", InitA, FiniA}, {L"B", InitB, FiniB}};
  ASSERT_TRUE(InitializeUnits(units));
  std::vector<TUnitEntry> more = {{L"Failing", InitFails, FiniNever}, {L"Never", InitA, FiniA}};
  EXPECT_FALSE(InitializeUnits(more));
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_NE(texts[0].find(L"no library"), String::npos);
  // Only what started is finished, newest first; the test main's own units
  // stay running.
  gUnitLog.push_back(L"--");
  FinalizeUnits(mark);
  EXPECT_EQ(InitializedUnitCount(), mark);
  EXPECT_EQ(gUnitLog, (std::vector<String>{L"init A", L"init B", L"--", L"fini B", L"fini A"}));
}

TEST(Bitmap, TransparentDrawLeavesTheKeyColourOut) {
  auto* pic = new TBitmap(10, 10);
  pic->Canvas()->Brush()->SetColor(clFuchsia);
  pic->Canvas()->FillRect(TRect(0, 0, 10, 10));
  pic->Canvas()->Brush()->SetColor(clBlue);
  pic->Canvas()->FillRect(TRect(3, 3, 7, 7));
  pic->SetTransparent(true);
  EXPECT_EQ(pic->TransparentColor(), clFuchsia);  // the bottom-left pixel

  auto* target = new TBitmap(10, 10);
  target->Canvas()->Brush()->SetColor(clLime);
  target->Canvas()->FillRect(TRect(0, 0, 10, 10));
  target->Canvas()->Draw(0, 0, pic);
  EXPECT_EQ(PixelAt(target, 1, 1), clLime);
  EXPECT_EQ(PixelAt(target, 5, 5), clBlue);

  pic->SetTransparent(false);
  target->Canvas()->Draw(0, 0, pic);
  EXPECT_EQ(PixelAt(target, 1, 1), clFuchsia);
  target->Free();
  pic->Free();
}

}  // namespace
