#include <gtest/gtest.h>

#include "base/Lists.h"

namespace {

void* P(int n) { return reinterpret_cast<void*>(static_cast<intptr_t>(n)); }

std::vector<intptr_t> Items(const TList& l) {
  std::vector<intptr_t> r;
  for (int i = 0; i < l.Count(); ++i) r.push_back(reinterpret_cast<intptr_t>(l.Items(i)));
  return r;
}

std::vector<String> Lines(const TStrings& s) {
  std::vector<String> r;
  for (int i = 0; i < s.Count(); ++i) r.push_back(s.Strings(i));
  return r;
}

using V = std::vector<String>;

// Expects f to raise EListError naming index.
template <class F>
void ExpectIndexError(F f, int index, const char* what) {
  try {
    f();
    ADD_FAILURE() << what << ": no EListError";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), Format(L"List index out of bounds (%d)", {index})) << what;
  }
}

// ---------------------------------------------------------------------------
// TList

TEST(List, EditsKeepOrder) {
  TList l;
  EXPECT_EQ(l.Add(P(1)), 0);
  EXPECT_EQ(l.Add(P(2)), 1);
  l.Add(P(3));
  l.Add(P(2));
  l.Insert(0, P(9));
  l.Insert(l.Count(), P(8));
  EXPECT_EQ(Items(l), (std::vector<intptr_t>{9, 1, 2, 3, 2, 8}));
  EXPECT_EQ(l.IndexOf(P(2)), 2);
  EXPECT_EQ(l.IndexOf(P(7)), -1);
  EXPECT_EQ(l.Remove(P(2)), 2);  // the first of the two
  EXPECT_EQ(l.Remove(P(7)), -1);
  EXPECT_EQ(Items(l), (std::vector<intptr_t>{9, 1, 3, 2, 8}));
  l.Move(0, 3);
  EXPECT_EQ(Items(l), (std::vector<intptr_t>{1, 3, 2, 9, 8}));
  l.Move(4, 1);
  EXPECT_EQ(Items(l), (std::vector<intptr_t>{1, 8, 3, 2, 9}));
  l.Exchange(0, 4);
  l.Delete(2);
  l.SetItems(1, P(5));
  EXPECT_EQ(Items(l), (std::vector<intptr_t>{9, 5, 2, 1}));
  EXPECT_EQ(l.First(), P(9));
  EXPECT_EQ(l.Last(), P(1));
  l.Clear();
  EXPECT_EQ(l.Count(), 0);
}

TEST(List, BadIndexesRaiseListError) {
  TList l;
  ExpectIndexError([&] { l.First(); }, 0, "First of empty");
  ExpectIndexError([&] { l.Last(); }, -1, "Last of empty");
  l.Add(P(1));
  l.Add(P(2));
  ExpectIndexError([&] { l.Items(2); }, 2, "Items(Count)");
  ExpectIndexError([&] { l.Items(-1); }, -1, "Items(-1)");
  ExpectIndexError([&] { l.SetItems(2, nullptr); }, 2, "SetItems");
  ExpectIndexError([&] { l.Delete(2); }, 2, "Delete");
  ExpectIndexError([&] { l.Insert(3, nullptr); }, 3, "Insert past the end");
  ExpectIndexError([&] { l.Insert(-1, nullptr); }, -1, "Insert(-1)");
  ExpectIndexError([&] { l.Move(0, 2); }, 2, "Move to Count");
  ExpectIndexError([&] { l.Exchange(-1, 0); }, -1, "Exchange");
  EXPECT_EQ(Items(l), (std::vector<intptr_t>{1, 2}));
}

// ---------------------------------------------------------------------------
// TStringList

// Counts how many of its kind are alive.
class TCounted : public TObject {
  VANTREL_CLASS(TCounted)
 public:
  static inline int Alive = 0;
  explicit TCounted(int v = 0) : Value(v) { ++Alive; }
  ~TCounted() override { --Alive; }
  int Value;
};

TEST(StringList, TextJoinsWithCrLfAfterEveryLine) {
  struct {
    V lines;
    const wchar_t* text;
  } cases[] = {{{}, L""}, {{L""}, L"\r\n"}, {{L"a"}, L"a\r\n"}, {{L"a", L"", L"b"}, L"a\r\n\r\nb\r\n"}};
  for (auto& c : cases) {
    TStringList l;
    for (auto& s : c.lines) l.Add(s);
    EXPECT_EQ(l.Text(), c.text);
    TStringList back;
    back.SetText(l.Text());
    EXPECT_EQ(Lines(back), c.lines) << l.Text().size();
  }
}

TEST(StringList, SetTextSplitsOnCrLfCrOrLf) {
  struct {
    const wchar_t* text;
    V lines;
  } cases[] = {{L"", {}},
               {L"a", {L"a"}},
               {L"a\r\nb", {L"a", L"b"}},
               {L"a\rb\nc", {L"a", L"b", L"c"}},
               {L"a\n\nb", {L"a", L"", L"b"}},
               {L"a\r\rb", {L"a", L"", L"b"}},
               {L"a\r\n", {L"a"}},
               {L"\r\n", {L""}},
               {L"\n\r", {L"", L""}},
               {L"a\r\r\nb\n", {L"a", L"", L"b"}},
               {L" x \t", {L" x \t"}}};
  for (auto& c : cases) {
    TStringList l;
    l.Add(L"old");
    l.SetText(c.text);
    EXPECT_EQ(Lines(l), c.lines) << Lines(l).size();
  }
}

TEST(StringList, IndexOfIgnoresCaseUnlessCaseSensitive) {
  TStringList l;
  l.Add(L"Alpha");
  l.Add(L"beta");
  l.Add(L"BETA");
  EXPECT_EQ(l.IndexOf(L"ALPHA"), 0);
  EXPECT_EQ(l.IndexOf(L"Beta"), 1);
  EXPECT_EQ(l.IndexOf(L"alp"), -1);
  EXPECT_EQ(l.IndexOf(L""), -1);
  l.SetCaseSensitive(true);
  EXPECT_EQ(l.IndexOf(L"BETA"), 2);
  EXPECT_EQ(l.IndexOf(L"Beta"), -1);
}

TEST(StringList, ObjectsFollowTheirStrings) {
  TCounted a(1), b(2), c(3);
  TStringList l;
  l.AddObject(L"a", &a);
  l.Add(L"x");
  l.InsertObject(1, L"b", &b);
  l.SetObjects(2, &c);
  EXPECT_EQ(l.IndexOfObject(&b), 1);
  EXPECT_EQ(l.IndexOfObject(nullptr), -1);
  l.Exchange(0, 2);
  l.Move(2, 1);
  EXPECT_EQ(Lines(l), (V{L"x", L"a", L"b"}));
  EXPECT_EQ(l.Objects(0), &c);
  EXPECT_EQ(l.Objects(1), &a);
  EXPECT_EQ(l.Objects(2), &b);
  l.SetStrings(1, L"A");
  EXPECT_EQ(l.Objects(1), &a);
}

TEST(StringList, OwnedObjectsAreFreedByDeleteClearAndTheList) {
  TCounted::Alive = 0;
  auto* l = new TStringList(true);
  for (int i = 0; i < 4; ++i) l->AddObject(IntToStr(i), new TCounted(i));
  l->Add(L"no object");
  l->Delete(1);
  EXPECT_EQ(TCounted::Alive, 3);
  EXPECT_EQ(static_cast<TCounted*>(l->Objects(1))->Value, 2);
  l->Clear();
  EXPECT_EQ(TCounted::Alive, 0);
  l->AddObject(L"x", new TCounted);
  l->Free();
  EXPECT_EQ(TCounted::Alive, 0);

  // Without ownership nothing is freed.
  TCounted kept;
  {
    TStringList plain;
    plain.AddObject(L"k", &kept);
    plain.Delete(0);
    plain.AddObject(L"k", &kept);
  }
  EXPECT_EQ(TCounted::Alive, 1);
}

// Logs the change events of a list.
struct TChangeLog {
  std::vector<String> Events;
  void Attach(TStrings& l) {
    l.OnChanging = [this](TObject*) { Events.push_back(L"changing"); };
    l.OnChange = [this](TObject* s) { Events.push_back(L"change " + IntToStr(static_cast<TStrings*>(s)->Count())); };
  }
};

TEST(StringList, ChangeEventsFireOncePerChangeOrOncePerUpdate) {
  TStringList l;
  TChangeLog log;
  log.Attach(l);
  l.Add(L"a");
  EXPECT_EQ(log.Events, (V{L"changing", L"change 1"}));

  struct {
    const char* what;
    std::function<void()> action;
  } single[] = {
      {"Add", [&] { l.Add(L"x"); }},
      {"Insert", [&] { l.Insert(0, L"y"); }},
      {"Delete", [&] { l.Delete(0); }},
      {"SetStrings", [&] { l.SetStrings(0, L"z"); }},
      {"SetObjects", [&] { l.SetObjects(0, &l); }},
      {"Exchange", [&] { l.Exchange(0, 1); }},
      {"Move", [&] { l.Move(0, 1); }},
      {"SetText", [&] { l.SetText(L"1\r\n2\r\n3"); }},
      {"Sort", [&] { l.Sort(); }},
      {"Assign",
       [&] {
         TStringList other;
         other.SetText(L"p\nq");
         l.Assign(&other);
       }},
      {"Clear", [&] { l.Clear(); }},
  };
  for (auto& s : single) {
    log.Events.clear();
    s.action();
    ASSERT_EQ(log.Events.size(), 2u) << s.what;
    EXPECT_EQ(log.Events[0], L"changing") << s.what;
    EXPECT_EQ(log.Events[1], L"change " + IntToStr(l.Count())) << s.what;
  }

  // No change, no event.
  log.Events.clear();
  l.Clear();
  EXPECT_TRUE(log.Events.empty());

  // Nested updates: changing when the first opens, change when the last closes.
  l.BeginUpdate();
  EXPECT_EQ(log.Events, (V{L"changing"}));
  l.BeginUpdate();
  l.Add(L"1");
  l.Add(L"2");
  l.EndUpdate();
  l.Delete(0);
  EXPECT_EQ(l.UpdateCount(), 1);
  EXPECT_EQ(log.Events, (V{L"changing"}));
  l.EndUpdate();
  EXPECT_EQ(log.Events, (V{L"changing", L"change 1"}));
  l.EndUpdate();  // unmatched: ignored
  EXPECT_EQ(l.UpdateCount(), 0);
}

TEST(StringList, SortedListsInsertInOrderAndAcceptDuplicates) {
  TCounted first(1), second(2);
  TStringList l;
  l.SetText(L"pear\napple\nBanana\ncherry");
  l.SetSorted(true);
  EXPECT_EQ(Lines(l), (V{L"apple", L"Banana", L"cherry", L"pear"}));
  l.AddObject(L"BANANA", &first);
  l.AddObject(L"banana", &second);
  EXPECT_EQ(l.Add(L"Zebra"), 6);
  EXPECT_EQ(l.Add(L"aardvark"), 0);
  EXPECT_EQ(Lines(l), (V{L"aardvark", L"apple", L"Banana", L"BANANA", L"banana", L"cherry", L"pear", L"Zebra"}));
  EXPECT_EQ(l.Objects(3), &first);
  EXPECT_EQ(l.Objects(4), &second);

  int i = -1;
  EXPECT_TRUE(l.Find(L"banana", i));
  EXPECT_EQ(i, 2);  // the first of the equals
  EXPECT_FALSE(l.Find(L"blueberry", i));
  EXPECT_EQ(i, 5);  // where it would go
  EXPECT_FALSE(l.Find(L"zz", i));
  EXPECT_EQ(i, l.Count());
  EXPECT_EQ(l.IndexOf(L"CHERRY"), 5);
  EXPECT_EQ(l.IndexOf(L"kiwi"), -1);

  for (auto& [what, f] :
       std::vector<std::pair<const char*, std::function<void()>>>{{"Insert", [&] { l.Insert(0, L"x"); }},
                                                                  {"SetStrings", [&] { l.SetStrings(0, L"x"); }},
                                                                  {"Exchange", [&] { l.Exchange(0, 1); }},
                                                                  {"Move", [&] { l.Move(0, 1); }}})
    EXPECT_THROW(f(), EListError) << what;
  EXPECT_EQ(l.Strings(0), L"aardvark");

  // Unsorting keeps the order; later adds go to the end.
  l.SetSorted(false);
  l.Add(L"a");
  EXPECT_EQ(l.Strings(l.Count() - 1), L"a");
}

TEST(StringList, CaseSensitiveSortedListFindsTheExactString) {
  TStringList l;
  l.SetCaseSensitive(true);
  l.SetSorted(true);
  for (const wchar_t* s : {L"b", L"B", L"a", L"A", L"c"}) l.Add(s);
  for (const wchar_t* s : {L"a", L"A", L"b", L"B", L"c"}) {
    int i;
    ASSERT_TRUE(l.Find(s, i)) << s;
    EXPECT_EQ(l.Strings(i), s);
  }
  int i;
  EXPECT_FALSE(l.Find(L"C", i));
  // Back to case-insensitive: the list re-sorts and finds either spelling.
  l.SetCaseSensitive(false);
  for (int k = 1; k < l.Count(); ++k) EXPECT_LE(AnsiCompareText(l.Strings(k - 1), l.Strings(k)), 0);
  EXPECT_TRUE(l.Find(L"C", i));
}

TEST(StringList, CustomSortIsStableAndSeesTheListUnchanged) {
  TStringList l;
  l.SetText(L"ccc\nb\naa\nd\nee\nfff");
  for (int i = 0; i < l.Count(); ++i) l.SetObjects(i, reinterpret_cast<TObject*>(static_cast<intptr_t>(i + 1)));
  String seenText;
  l.CustomSort([&](TStringList* list, int a, int b) {
    seenText = list->Text();
    return static_cast<int>(list->Strings(a).size()) - static_cast<int>(list->Strings(b).size());
  });
  EXPECT_EQ(Lines(l), (V{L"b", L"d", L"aa", L"ee", L"ccc", L"fff"}));
  EXPECT_EQ(seenText, L"ccc\r\nb\r\naa\r\nd\r\nee\r\nfff\r\n");
  EXPECT_EQ(reinterpret_cast<intptr_t>(l.Objects(0)), 2);
  EXPECT_EQ(reinterpret_cast<intptr_t>(l.Objects(5)), 6);
  l.Sort();
  EXPECT_EQ(Lines(l), (V{L"aa", L"b", L"ccc", L"d", L"ee", L"fff"}));
}

TEST(StringList, AssignCopiesStringsAndObjectsOfAnyStrings) {
  TCounted o;
  TStringList src;
  src.AddObject(L"z", &o);
  src.Add(L"y");
  TStringList dst;
  dst.Add(L"old");
  dst.SetSorted(true);
  dst.Assign(&src);
  EXPECT_EQ(Lines(dst), (V{L"y", L"z"}));
  EXPECT_EQ(dst.Objects(1), &o);
  dst.Assign(&dst);
  EXPECT_EQ(dst.Count(), 2);
  TPersistent other;
  EXPECT_THROW(dst.Assign(&other), EConvertError);
  EXPECT_EQ(dst.Count(), 2);
}

TEST(StringList, BadIndexesRaiseListError) {
  TStringList l;
  l.SetText(L"a\nb");
  ExpectIndexError([&] { l.Strings(2); }, 2, "Strings");
  ExpectIndexError([&] { l.Strings(-1); }, -1, "Strings(-1)");
  ExpectIndexError([&] { l.SetStrings(2, L""); }, 2, "SetStrings");
  ExpectIndexError([&] { l.Objects(2); }, 2, "Objects");
  ExpectIndexError([&] { l.SetObjects(-1, nullptr); }, -1, "SetObjects");
  ExpectIndexError([&] { l.Delete(2); }, 2, "Delete");
  ExpectIndexError([&] { l.Insert(3, L""); }, 3, "Insert");
  ExpectIndexError([&] { l.Exchange(0, 2); }, 2, "Exchange");
  ExpectIndexError([&] { l.Move(2, 0); }, 2, "Move");
  EXPECT_EQ(Lines(l), (V{L"a", L"b"}));
}

// A list kept elsewhere, as a window keeps its lines: only the primitives
// are implemented, everything else comes from TStrings.
class TVectorStrings : public TStrings {
  VANTREL_CLASS(TVectorStrings)
 public:
  std::vector<String> Store;
  int Redraws = 0;  // redraw switched back on
  void Insert(int Index, const String& S) override {
    if (Index < 0 || Index > GetCount()) IndexError(Index);
    Store.insert(Store.begin() + Index, S);
  }
  void Delete(int Index) override {
    Check(Index);
    Store.erase(Store.begin() + Index);
  }
  void Clear() override { Store.clear(); }

 protected:
  String Get(int Index) const override {
    Check(Index);
    return Store[Index];
  }
  int GetCount() const override { return static_cast<int>(Store.size()); }
  void SetUpdateState(bool Updating) override {
    if (!Updating) ++Redraws;
  }

 private:
  void Check(int Index) const {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
  }
};

TEST(Strings, DescendantsGetTheRestFromThePrimitives) {
  TVectorStrings w;
  w.SetText(L"one\r\ntwo\nthree");
  EXPECT_EQ(w.Store, (V{L"one", L"two", L"three"}));
  EXPECT_EQ(w.Redraws, 1);
  EXPECT_EQ(w.Add(L"four"), 3);
  EXPECT_EQ(w.IndexOf(L"TWO"), 1);
  w.SetStrings(0, L"ONE");
  w.Exchange(1, 3);
  w.Move(0, 2);
  EXPECT_EQ(w.Store, (V{L"four", L"three", L"ONE", L"two"}));
  EXPECT_EQ(w.Text(), L"four\r\nthree\r\nONE\r\ntwo\r\n");
  EXPECT_EQ(w.Objects(0), nullptr);
  ExpectIndexError([&] { w.Move(0, 4); }, 4, "Move");
  ExpectIndexError([&] { w.Strings(4); }, 4, "Strings");

  TStringList src;
  src.SetText(L"x\ny");
  int before = w.Redraws;
  w.Assign(&src);
  EXPECT_EQ(w.Store, (V{L"x", L"y"}));
  EXPECT_EQ(w.Redraws, before + 1);
  TStringList back;
  back.Assign(&w);
  EXPECT_EQ(Lines(back), (V{L"x", L"y"}));
}

}  // namespace

TEST(StringList, CommaTextQuotesWhatWouldSplitAndReadsItBack) {
  const struct {
    std::vector<String> Items;
    const wchar_t* Text;
  } cases[] = {
      {{L"a", L"b"}, L"a,b"},
      {{L"Font.Name=Segoe UI"}, L"\"Font.Name=Segoe UI\""},
      {{L"say \"hi\""}, L"\"say \"\"hi\"\"\""},
      {{L"a,b", L""}, L"\"a,b\",\"\""},
      {{L"tab\there"}, L"\"tab\there\""},
      {{}, L""},
  };
  for (const auto& c : cases) {
    TStringList l;
    for (const String& s : c.Items) l.Add(s);
    EXPECT_EQ(l.CommaText(), c.Text);
    TStringList back;
    back.SetCommaText(c.Text);
    ASSERT_EQ(back.Count(), static_cast<int>(c.Items.size())) << WideToAnsi(c.Text);
    for (int i = 0; i < back.Count(); ++i) EXPECT_EQ(back.Strings(i), c.Items[static_cast<size_t>(i)]);
  }
}

TEST(StringList, CommaTextSplitsAtCommasAndRunsOfBlanksOutsideQuotes) {
  const struct {
    const wchar_t* Text;
    std::vector<String> Items;
  } cases[] = {
      {L"Font.Name=Segoe UI", {L"Font.Name=Segoe", L"UI"}},
      {L"  a  ,  b  ", {L"a", L"b"}},
      {L"a b\tc", {L"a", L"b", L"c"}},
      {L"a,", {L"a", L""}},
      {L",a", {L"", L"a"}},
      {L"x\"y z\"w", {L"xy zw"}},
      {L"\"unclosed, still", {L"unclosed, still"}},
      {L"\"\"\"\"", {L"\""}},
  };
  for (const auto& c : cases) {
    TStringList l;
    l.Add(L"old");
    l.SetCommaText(c.Text);
    ASSERT_EQ(l.Count(), static_cast<int>(c.Items.size())) << WideToAnsi(c.Text);
    for (int i = 0; i < l.Count(); ++i) EXPECT_EQ(l.Strings(i), c.Items[static_cast<size_t>(i)]) << WideToAnsi(c.Text);
  }
}
