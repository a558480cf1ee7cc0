#include <gtest/gtest.h>

#include <set>

#include "base/Lists.h"

namespace {

std::set<const TObject*> gAlive;  // test items not yet freed

class TTestItem : public TCollectionItem {
  VANTREL_CLASS(TTestItem)
 public:
  explicit TTestItem(TCollection* c) : TCollectionItem(c) { gAlive.insert(this); }
  ~TTestItem() override {
    gAlive.erase(this);
    if (OnFree) OnFree(this);
  }
  int Value() const { return FValue; }
  void SetValue(int v) {
    if (v == FValue) return;
    FValue = v;
    Changed(false);
  }
  void ChangeAll() { Changed(true); }
  void Assign(TPersistent* Source) override {
    if (auto* s = dynamic_cast<TTestItem*>(Source))
      SetValue(s->FValue);
    else
      TCollectionItem::Assign(Source);
  }
  std::function<void(TTestItem*)> OnFree;

 private:
  int FValue = 0;
};

// Records each Update: the item, or nullptr for all.
class TTestCollection : public TOwnedCollection {
  VANTREL_CLASS(TTestCollection)
 public:
  explicit TTestCollection(TPersistent* Owner = nullptr) : TOwnedCollection(Owner, ItemClass<TTestItem>()) {}
  std::vector<TCollectionItem*> Updates;
  std::function<void(TCollectionItem*)> OnUpdate;
  TTestItem* Add() { return static_cast<TTestItem*>(TCollection::Add()); }
  TTestItem* Item(int i) { return static_cast<TTestItem*>(Items(i)); }
  using TCollection::Changed;

 protected:
  void Update(TCollectionItem* Item) override {
    Updates.push_back(Item);
    if (OnUpdate) OnUpdate(Item);
  }
};

std::vector<int> Values(TTestCollection& c) {
  std::vector<int> r;
  for (int i = 0; i < c.Count(); ++i) r.push_back(c.Item(i)->Value());
  return r;
}

class CollectionTest : public testing::Test {
 protected:
  // Items valued 10, 20, ...; the updates so far are forgotten.
  void Fill(int n) {
    for (int i = 0; i < n; ++i) c.Add()->SetValue((i + 1) * 10);
    c.Updates.clear();
  }
  // Every item ever made belongs to c or is gone.
  void TearDown() override {
    c.OnUpdate = nullptr;
    c.Clear();
    EXPECT_TRUE(gAlive.empty());
    gAlive.clear();
  }
  TTestCollection c;
};

using Log = std::vector<TCollectionItem*>;

TEST_F(CollectionTest, AddUpdatesOnceTheItemIsWhole) {
  bool whole = false;
  c.OnUpdate = [&](TCollectionItem*) { whole = dynamic_cast<TTestItem*>(c.Items(c.Count() - 1)) != nullptr; };
  TTestItem* a = c.Add();
  EXPECT_TRUE(whole);
  EXPECT_EQ(c.Updates, Log{nullptr});
  TTestItem* b = c.Add();
  EXPECT_EQ(c.Count(), 2);
  EXPECT_EQ(c.Items(1), b);
  EXPECT_EQ(b->Index(), 1);
  EXPECT_EQ(b->Collection(), &c);
  EXPECT_EQ(a->ID(), 0);
  EXPECT_EQ(b->ID(), 1);
  c.Delete(1);
  EXPECT_EQ(c.Add()->ID(), 2);  // IDs are never reused
}

TEST_F(CollectionTest, ChangesReachUpdateOnlyOutsideAnUpdate) {
  Fill(2);
  TTestItem* a = c.Item(0);
  a->SetValue(5);
  EXPECT_EQ(c.Updates, Log{a});
  a->ChangeAll();
  c.Changed();
  EXPECT_EQ(c.Updates, (Log{a, nullptr, nullptr}));

  c.Updates.clear();
  c.BeginUpdate();
  c.BeginUpdate();
  EXPECT_EQ(c.UpdateCount(), 2);
  a->SetValue(6);
  a->ChangeAll();
  c.Add();
  c.Delete(0);
  c.Changed();
  c.EndUpdate();
  EXPECT_TRUE(c.Updates.empty());
  c.EndUpdate();
  EXPECT_EQ(c.Updates, Log{nullptr});
  EXPECT_EQ(c.UpdateCount(), 0);
  c.EndUpdate();  // unmatched: ignored
  EXPECT_EQ(c.UpdateCount(), 0);
}

TEST_F(CollectionTest, InsertDeleteAndMoveEndInOneUpdate) {
  Fill(3);
  TTestItem* x = static_cast<TTestItem*>(c.Insert(1));
  EXPECT_EQ(c.Updates, Log{nullptr});
  EXPECT_EQ(x->Index(), 1);
  EXPECT_EQ(Values(c), (std::vector<int>{10, 0, 20, 30}));
  c.Insert(4);
  EXPECT_EQ(c.Count(), 5);

  c.Updates.clear();
  c.Delete(0);
  EXPECT_EQ(c.Updates, Log{nullptr});
  EXPECT_EQ(Values(c), (std::vector<int>{0, 20, 30, 0}));
  EXPECT_EQ(x->Index(), 0);
  EXPECT_EQ(gAlive.size(), 4u);

  c.Updates.clear();
  c.Item(2)->SetIndex(0);
  EXPECT_EQ(c.Updates, Log{nullptr});
  EXPECT_EQ(Values(c), (std::vector<int>{30, 0, 20, 0}));
  c.Item(0)->SetIndex(3);
  EXPECT_EQ(Values(c), (std::vector<int>{0, 20, 0, 30}));
}

TEST_F(CollectionTest, BadIndexesRaiseListErrorAndChangeNothing) {
  Fill(2);
  struct {
    const char* what;
    std::function<void()> f;
  } cases[] = {{"Items", [&] { c.Items(2); }},        {"Items(-1)", [&] { c.Items(-1); }},
               {"Delete", [&] { c.Delete(2); }},      {"Insert", [&] { c.Insert(3); }},
               {"Insert(-1)", [&] { c.Insert(-1); }}, {"SetIndex", [&] { c.Item(0)->SetIndex(2); }}};
  for (auto& k : cases) {
    EXPECT_THROW(k.f(), EListError) << k.what;
    EXPECT_EQ(Values(c), (std::vector<int>{10, 20})) << k.what;
    EXPECT_EQ(gAlive.size(), 2u) << k.what;
    EXPECT_EQ(c.UpdateCount(), 0) << k.what;
  }
  EXPECT_TRUE(c.Updates.empty());
}

TEST_F(CollectionTest, ClearFreesEveryItemInOneUpdate) {
  Fill(3);
  c.Clear();
  EXPECT_EQ(c.Count(), 0);
  EXPECT_TRUE(gAlive.empty());
  EXPECT_EQ(c.Updates, Log{nullptr});
  c.Clear();
  EXPECT_EQ(c.Updates, Log{nullptr});  // nothing to clear, nothing to update
}

TEST_F(CollectionTest, AssignCopiesTheItemsInOneUpdate) {
  Fill(2);
  TTestCollection src;
  for (int v : {7, 8, 9}) src.Add()->SetValue(v);
  c.Assign(&src);
  EXPECT_EQ(Values(c), (std::vector<int>{7, 8, 9}));
  EXPECT_EQ(c.Updates, Log{nullptr});
  EXPECT_EQ(gAlive.size(), 6u);
  c.Assign(&c);
  EXPECT_EQ(Values(c), (std::vector<int>{7, 8, 9}));
  TPersistent other;
  EXPECT_THROW(c.Assign(&other), EConvertError);

  // Items that cannot copy themselves say so, and the update still closes.
  class TPlainItem : public TCollectionItem {
    VANTREL_CLASS(TPlainItem)
   public:
    using TCollectionItem::TCollectionItem;
  };
  TCollection a(ItemClass<TPlainItem>()), b(ItemClass<TPlainItem>());
  b.Add();
  try {
    a.Assign(&b);
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), L"Cannot assign a TPlainItem to a TPlainItem");
  }
  EXPECT_EQ(a.UpdateCount(), 0);
  src.Clear();
}

TEST_F(CollectionTest, NamesAndOwners) {
  TPersistent owner;
  TTestCollection owned(&owner);
  TCollection plain(ItemClass<TTestItem>());
  TCollectionItem* item = owned.Add();
  EXPECT_EQ(item->GetDisplayName(), L"TTestItem");
  EXPECT_EQ(item->GetOwner(), &owned);
  EXPECT_EQ(owned.GetOwner(), &owner);
  EXPECT_EQ(plain.GetOwner(), nullptr);
  EXPECT_EQ(owned.ClassName(), L"TTestCollection");
  EXPECT_EQ(TOwnedCollection(nullptr, ItemClass<TTestItem>()).ClassName(), L"TOwnedCollection");
  owned.Clear();
}

TEST_F(CollectionTest, AnItemFreedOnItsOwnLeavesAndUpdates) {
  Fill(3);
  TTestItem* mid = c.Item(1);
  mid->Free();
  EXPECT_EQ(Values(c), (std::vector<int>{10, 30}));
  EXPECT_EQ(c.Updates, Log{nullptr});
  EXPECT_EQ(gAlive.size(), 2u);
}

TEST_F(CollectionTest, AnUpdateThatRaisesAfterAnItemWentReachesTheCaller) {
  struct Case {
    const char* Name;
    std::function<void()> RemoveFirst;
  };
  const Case cases[] = {
      {"Delete", [&] { c.Delete(0); }},
      {"Free", [&] { c.Item(0)->Free(); }},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    c.Clear();
    Fill(2);
    std::vector<int> countSeen;
    c.OnUpdate = [&](TCollectionItem*) {
      countSeen.push_back(c.Count());
      throw Exception(L"update failed");
    };
    EXPECT_THROW(k.RemoveFirst(), Exception);
    c.OnUpdate = nullptr;
    EXPECT_EQ(countSeen, std::vector<int>{1});  // the item had left before Update
    EXPECT_EQ(Values(c), std::vector<int>{20});
    EXPECT_EQ(gAlive.size(), 1u);  // and is freed all the same
  }
}

TEST(Collection, FreeingTheCollectionFreesItsItems) {
  auto* col = new TTestCollection;
  for (int i = 0; i < 3; ++i) col->Add();
  EXPECT_EQ(gAlive.size(), 3u);
  col->Free();
  EXPECT_TRUE(gAlive.empty());
}

TEST_F(CollectionTest, ChangesMadeByUpdateDoNotRecurse) {
  // A repaint that sets a property on every pass.
  Fill(2);
  int depth = 0, maxDepth = 0;
  c.OnUpdate = [&](TCollectionItem*) {
    maxDepth = std::max(maxDepth, ++depth);
    c.Item(0)->SetValue(c.Item(0)->Value() + 1);
    c.Item(1)->ChangeAll();
    --depth;
  };
  c.Item(1)->SetValue(99);
  EXPECT_EQ(maxDepth, 1);
  // The change made inside is reported by one more update, then it ends.
  EXPECT_EQ(c.Updates, (Log{c.Item(1), nullptr}));
  EXPECT_EQ(c.Item(0)->Value(), 12);

  // An update opened and closed inside Update does not recurse either.
  c.Updates.clear();
  c.OnUpdate = [&](TCollectionItem*) {
    maxDepth = std::max(maxDepth, ++depth);
    c.BeginUpdate();
    c.EndUpdate();
    --depth;
  };
  c.Changed();
  EXPECT_EQ(maxDepth, 1);
  EXPECT_EQ(c.Updates.size(), 2u);
  // Nothing left over: the next change updates normally.
  c.OnUpdate = nullptr;
  c.Updates.clear();
  c.Item(0)->ChangeAll();
  EXPECT_EQ(c.Updates, Log{nullptr});
}

TEST_F(CollectionTest, UpdateMayDeleteItems) {
  Fill(4);
  c.OnUpdate = [&](TCollectionItem*) {
    for (int i = c.Count() - 1; i >= 0; --i)
      if (c.Item(i)->Value() < 0) c.Delete(i);
  };
  c.BeginUpdate();
  c.Item(1)->SetValue(-1);
  c.Item(2)->SetValue(-1);
  c.EndUpdate();
  EXPECT_EQ(Values(c), (std::vector<int>{10, 40}));
  EXPECT_EQ(gAlive.size(), 2u);
  c.Item(0)->SetValue(-1);
  EXPECT_EQ(Values(c), (std::vector<int>{40}));
}

TEST_F(CollectionTest, ClearIsSafeWhenFreeingAnItemTouchesTheCollection) {
  Fill(5);
  int freed = 0;
  bool sawDeadItem = false;
  for (int i = 0; i < c.Count(); ++i)
    c.Item(i)->OnFree = [&](TTestItem*) {
      ++freed;
      // Whatever the collection still shows is alive.
      for (int k = 0; k < c.Count(); ++k)
        if (!gAlive.count(c.Items(k))) sawDeadItem = true;
      // Freeing one item takes another with it.
      if (c.Count() > 0) c.Delete(0);
    };
  c.Clear();
  EXPECT_EQ(freed, 5);
  EXPECT_FALSE(sawDeadItem);
  EXPECT_EQ(c.Count(), 0);
  EXPECT_TRUE(gAlive.empty());
  EXPECT_EQ(c.Updates, Log{nullptr});
}

}  // namespace
