#include <gtest/gtest.h>

#include "base/Object.h"

namespace {

// Records the notifications it receives and clears its reference to a
// partner that goes away.
class TProbe : public TComponent {
  VANTREL_CLASS(TProbe)
 public:
  using TComponent::TComponent;
  TComponent* Partner = nullptr;
  std::vector<std::pair<TComponent*, TOperation>>* Log = nullptr;
  std::vector<String>* Order = nullptr;
  int LoadedCalls = 0;
  bool LoadingSeenInLoaded = false;

  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Log) Log->push_back({AComponent, Operation});
    if (Operation == TOperation::opRemove && AComponent == Partner) Partner = nullptr;
  }
  void Loaded() override {
    LoadingSeenInLoaded = IsLoading();
    TComponent::Loaded();
    ++LoadedCalls;
    if (Order) Order->push_back(Name());
  }

 protected:
  void Destroy() override {
    if (Order) Order->push_back(L"destroy " + Name());
    TComponent::Destroy();
  }
};

TEST(Component, OwnerFreesOwnedNewestFirstAndEachLeavesItsOwner) {
  std::vector<String> order;
  auto* root = new TProbe(nullptr);
  auto* a = new TProbe(root);
  a->SetName(L"A");
  a->Order = &order;
  auto* b = new TProbe(root);
  b->SetName(L"B");
  b->Order = &order;
  EXPECT_EQ(root->ComponentCount(), 2);
  EXPECT_EQ(a->Owner(), root);
  root->Free();
  EXPECT_EQ(order, (std::vector<String>{L"destroy B", L"destroy A"}));
}

TEST(Component, DestroyingMarksTheWholeTreeBeforeAnyDestroyRuns) {
  struct TChecker : TComponent {
    using TComponent::TComponent;
    bool* SawOwnerDestroying = nullptr;
    TComponent* Root = nullptr;
    void Destroy() override {
      // By now the leaf has left its owner; the root is still mid-teardown.
      *SawOwnerDestroying = Owner() == nullptr && Root->IsDestroying() && IsDestroying();
      TComponent::Destroy();
    }
  };
  bool saw = false;
  auto* root = new TComponent(nullptr);
  auto* mid = new TComponent(root);
  auto* leaf = new TChecker(mid);
  leaf->SawOwnerDestroying = &saw;
  leaf->Root = root;
  root->Free();
  EXPECT_TRUE(saw);
}

TEST(Component, FreeNotificationWorksBothWays) {
  for (bool freeFirstSide : {true, false}) {
    std::vector<std::pair<TComponent*, TOperation>> logA, logB;
    auto* a = new TProbe(nullptr);
    auto* b = new TProbe(nullptr);
    a->Log = &logA;
    b->Log = &logB;
    a->Partner = b;
    b->Partner = a;
    a->FreeNotification(b);
    if (freeFirstSide) {
      a->Free();
      EXPECT_EQ(b->Partner, nullptr);
      ASSERT_EQ(logB.size(), 1u);
      EXPECT_EQ(logB[0].second, TOperation::opRemove);
      b->Free();
    } else {
      b->Free();
      EXPECT_EQ(a->Partner, nullptr);
      ASSERT_EQ(logA.size(), 1u);
      a->Free();
    }
  }
}

TEST(Component, RemovedFreeNotificationIsNotSent) {
  std::vector<std::pair<TComponent*, TOperation>> log;
  auto* a = new TProbe(nullptr);
  auto* b = new TProbe(nullptr);
  b->Log = &log;
  a->FreeNotification(b);
  a->RemoveFreeNotification(b);
  a->Free();
  EXPECT_TRUE(log.empty());
  b->Free();
}

TEST(Component, SiblingsHearOfInsertAndRemoveThroughTheOwner) {
  std::vector<std::pair<TComponent*, TOperation>> log;
  auto* root = new TProbe(nullptr);
  auto* watcher = new TProbe(root);
  watcher->Log = &log;
  auto* other = new TComponent(root);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), std::make_pair(static_cast<TComponent*>(other), TOperation::opInsert));
  other->Free();
  EXPECT_EQ(log.back(), std::make_pair(static_cast<TComponent*>(other), TOperation::opRemove));
  EXPECT_EQ(root->ComponentCount(), 1);
  root->Free();
}

TEST(Component, NamesAreIdentifiersUniqueInTheOwnerIgnoringCase) {
  auto* root = new TComponent(nullptr);
  auto* a = new TComponent(root);
  auto* b = new TComponent(root);
  a->SetName(L"Edit1");
  EXPECT_THROW(b->SetName(L"EDIT1"), EComponentError);
  EXPECT_THROW(b->SetName(L"1Edit"), EComponentError);
  EXPECT_THROW(b->SetName(L"Edit 2"), EComponentError);
  b->SetName(L"Edit2");
  b->SetName(L"");
  EXPECT_EQ(root->FindComponent(L"edit1"), a);
  EXPECT_EQ(root->FindComponent(L"nothing"), nullptr);
  root->Free();
}

TEST(Component, LoadingBracketCallsLoadedOnRootThenChildrenInCreationOrder) {
  std::vector<String> order;
  auto* form = new TProbe(nullptr);
  form->SetName(L"Form");
  form->Order = &order;
  form->BeginLoading();
  EXPECT_TRUE(form->IsLoading());
  auto* a = new TProbe(form);
  a->SetName(L"A");
  a->Order = &order;
  EXPECT_TRUE(a->ComponentState().Contains(TComponentStateItem::csLoading));
  EXPECT_TRUE(a->ComponentState().Contains(TComponentStateItem::csReading));
  auto* b = new TProbe(form);
  b->SetName(L"B");
  b->Order = &order;
  form->EndLoading();
  EXPECT_EQ(order, (std::vector<String>{L"Form", L"A", L"B"}));
  EXPECT_TRUE(a->LoadingSeenInLoaded);
  EXPECT_FALSE(a->IsLoading());
  EXPECT_FALSE(form->IsLoading());
  // Created after the bracket: never loaded.
  auto* c = new TProbe(form);
  EXPECT_FALSE(c->IsLoading());
  EXPECT_EQ(c->LoadedCalls, 0);
  form->Order = nullptr;
  a->Order = b->Order = nullptr;
  form->Free();
}

TEST(Persistent, DefaultAssignRaisesConvertErrorNamingBothClasses) {
  TPersistent a, b;
  try {
    a.Assign(&b);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), L"Cannot assign a TPersistent to a TPersistent");
  }
  try {
    a.Assign(nullptr);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), L"Cannot assign a nil to a TPersistent");
  }
}

}  // namespace
