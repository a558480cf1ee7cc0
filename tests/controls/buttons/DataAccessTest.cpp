#include <gtest/gtest.h>

#include "base/DB.h"
#include "tests/controls/buttons/FakeDataSet.h"

namespace {

// A link that counts what it hears.
class TCountingLink : public TDataLink {
 public:
  int Actives = 0, Changes = 0, Edits = 0;

 protected:
  void ActiveChanged() override { ++Actives; }
  void DataSetChanged() override { ++Changes; }
  void EditingChanged() override { ++Edits; }
};

struct DataAccess : ::testing::Test {
  TComponent* Owner = new TComponent(nullptr);
  TFakeDataSet* Data = new TFakeDataSet(Owner);
  TDataSource* Source = new TDataSource(Owner);
  TCountingLink* Link = new TCountingLink;
  void TearDown() override {
    Link->Free();
    Owner->Free();
  }
};

TEST_F(DataAccess, LinkFollowsOpeningMovingEditingAndClosing) {
  Source->SetDataSet(Data);
  Link->SetDataSource(Source);
  EXPECT_FALSE(Link->Active());
  Data->Open(3);
  EXPECT_TRUE(Link->Active());
  EXPECT_EQ(Link->DataSet(), Data);
  EXPECT_EQ(Link->Actives, 1);
  Data->Next();
  EXPECT_EQ(Link->Changes, 1);
  EXPECT_FALSE(Data->Bof());
  Data->Edit();
  EXPECT_TRUE(Link->Editing());
  EXPECT_EQ(Link->Edits, 1);
  Data->Cancel();
  EXPECT_FALSE(Link->Editing());
  EXPECT_EQ(Link->Edits, 2);
  Data->Close();
  EXPECT_FALSE(Link->Active());
  EXPECT_EQ(Link->Actives, 2);
}

TEST_F(DataAccess, ClosingWhileEditingEndsEditingToo) {
  Source->SetDataSet(Data);
  Link->SetDataSource(Source);
  Data->Open(1);
  Data->Insert();
  ASSERT_TRUE(Link->Editing());
  Data->Close();
  EXPECT_FALSE(Link->Active());
  EXPECT_FALSE(Link->Editing());
}

TEST_F(DataAccess, FreedDataSetOrSourceLeavesTheLinkInactiveAndDetached) {
  Source->SetDataSet(Data);
  Link->SetDataSource(Source);
  Data->Open(2);
  Data->Free();
  EXPECT_EQ(Source->DataSet(), nullptr);
  EXPECT_FALSE(Link->Active());
  EXPECT_EQ(Source->State(), TDataSetState::dsInactive);
  Source->Free();
  EXPECT_EQ(Link->DataSource(), nullptr);
}

TEST_F(DataAccess, FreedLinkIsNoLongerTold) {
  Source->SetDataSet(Data);
  Link->SetDataSource(Source);
  Link->Free();
  Link = new TCountingLink;
  Data->Open(2);  // would reach a freed link
  Data->Next();
  EXPECT_EQ(Link->Changes, 0);
}

TEST_F(DataAccess, BofAndEofAtTheEnds) {
  Source->SetDataSet(Data);
  Data->Open(0);
  EXPECT_TRUE(Data->Bof());
  EXPECT_TRUE(Data->Eof());
  Data->Open(2);
  EXPECT_TRUE(Data->Bof());
  EXPECT_FALSE(Data->Eof());
  Data->Last();
  EXPECT_FALSE(Data->Bof());
  EXPECT_TRUE(Data->Eof());
}

}  // namespace
