// Lists of pointers and strings, and collections of owned items.
#pragma once

#include <functional>
#include <vector>

#include "base/Object.h"

class TStream;

// How text files and streams hold their characters.
enum class TTextEncoding { teAnsi, teUTF16LE, teUTF8 };

// The characters of a text file as they stand (line ends untouched): a
// UTF-16 or UTF-8 byte-order mark decides, else the ANSI code page.
// EFOpenError names a file that cannot be read.
String LoadTextFile(const String& FileName);

// A list of untyped pointers. Bad indexes raise EListError.
class TList : public TObject {
  VANTREL_CLASS(TList)
 public:
  int Add(void* Item);
  void Insert(int Index, void* Item);
  void Delete(int Index);
  // Removes the first occurrence; returns its former index or -1.
  int Remove(void* Item);
  int IndexOf(void* Item) const;
  void Move(int CurIndex, int NewIndex);
  void Exchange(int Index1, int Index2);
  int Count() const { return static_cast<int>(FList.size()); }
  void Clear() { FList.clear(); }
  void* Items(int Index) const;
  void SetItems(int Index, void* Item);
  void* First() const { return Items(0); }
  void* Last() const { return Items(Count() - 1); }

 private:
  void CheckIndex(int Index) const;
  std::vector<void*> FList;
};

// An ordered list of strings, each with an associated object. Descendants
// store the strings anywhere (a window's lines, a combo box's items) by
// implementing Get, GetCount, Insert, Delete and Clear, and where they can,
// Put, GetObject, PutObject and SetUpdateState.
class TStrings : public TPersistent {
  VANTREL_CLASS(TStrings)
 public:
  TNotifyEvent OnChange;    // after a change, or at the end of an update
  TNotifyEvent OnChanging;  // before a change, or at the start of an update

  virtual int Add(const String& S);
  virtual int AddObject(const String& S, TObject* AObject);
  virtual void Insert(int Index, const String& S) = 0;
  virtual void InsertObject(int Index, const String& S, TObject* AObject);
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;
  virtual void Exchange(int Index1, int Index2);
  virtual void Move(int CurIndex, int NewIndex);

  int Count() const { return GetCount(); }
  String Strings(int Index) const { return Get(Index); }
  void SetStrings(int Index, const String& S) { Put(Index, S); }
  TObject* Objects(int Index) const { return GetObject(Index); }
  void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }

  // Case-insensitive unless a descendant says otherwise; -1 when absent.
  virtual int IndexOf(const String& S) const;
  int IndexOfObject(TObject* AObject) const;

  // Each line followed by CRLF: a single empty line gives "\r\n".
  virtual String Text() const;
  // Splits on CRLF, CR or LF; a final line break adds no empty line.
  virtual void SetText(const String& Value);

  // The strings as one line: separated by commas, each one in double quotes
  // (inner double quotes doubled) when it is empty or holds a space, a
  // control character, a comma or a double quote.
  String CommaText() const;
  // Replaces the strings by the items of Value: items end at a comma or at
  // a run of spaces and control characters outside double quotes; a
  // double-quoted part may hold them, and a doubled double quote in it
  // stands for one. A comma at the end adds an empty item.
  void SetCommaText(const String& Value);

  // Copies the strings and objects of another TStrings.
  void Assign(TPersistent* Source) override;

  // Text streams and files: lines end with CR LF. Loading reads from the
  // stream's position, recognises a UTF-16 or UTF-8 byte-order mark and
  // otherwise takes the ANSI code page; saving writes at the position, with
  // the byte-order mark of a Unicode encoding. File errors raise
  // EFOpenError / EFCreateError naming the file.
  virtual void LoadFromStream(TStream* Stream);
  virtual void SaveToStream(TStream* Stream, TTextEncoding Encoding = TTextEncoding::teAnsi);
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName, TTextEncoding Encoding = TTextEncoding::teAnsi);

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

 protected:
  virtual String Get(int Index) const = 0;
  virtual int GetCount() const = 0;
  virtual void Put(int Index, const String& S);  // default: Delete, then InsertObject
  virtual TObject* GetObject(int Index) const { return nullptr; }
  virtual void PutObject(int Index, TObject* AObject) {}
  // Called when the first BeginUpdate opens and the last EndUpdate closes.
  virtual void SetUpdateState(bool Updating) {}
  virtual int CompareStrings(const String& S1, const String& S2) const;
  [[noreturn]] static void IndexError(int Index);

 private:
  int FUpdateCount = 0;
};

class TStringList;
// Answers <0, 0 or >0 for the strings at Index1 and Index2.
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

class TStringList : public TStrings {
  VANTREL_CLASS(TStringList)
 public:
  explicit TStringList(bool OwnsObjects = false) : FOwnsObjects(OwnsObjects) {}
  ~TStringList() override;

  int Add(const String& S) override { return AddObject(S, nullptr); }
  int AddObject(const String& S, TObject* AObject) override;
  void Insert(int Index, const String& S) override { InsertObject(Index, S, nullptr); }
  void InsertObject(int Index, const String& S, TObject* AObject) override;
  void Delete(int Index) override;
  void Clear() override;
  void Exchange(int Index1, int Index2) override;
  void Move(int CurIndex, int NewIndex) override;
  int IndexOf(const String& S) const override;

  // Binary search of a sorted list: true when found, Index at the first
  // match or where S would go.
  bool Find(const String& S, int& Index) const;
  void Sort();
  // Stable; does nothing on a Sorted list, which keeps its own order.
  virtual void CustomSort(const TStringListSortCompare& Compare);

  // Keeps the list in order, duplicates accepted; a new duplicate goes after
  // its equals. Insert, Exchange, Move and SetStrings raise EListError.
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);
  // Delete, Clear and the destructor free the objects (replacing one through
  // SetObjects does not).
  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

 protected:
  String Get(int Index) const override;
  int GetCount() const override { return static_cast<int>(FList.size()); }
  void Put(int Index, const String& S) override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void SetUpdateState(bool Updating) override;
  int CompareStrings(const String& S1, const String& S2) const override;
  virtual void Changing();
  virtual void Changed();

 private:
  struct TStringItem {
    String S;
    TObject* Object;
  };
  void CheckIndex(int Index) const;
  void CheckUnsorted() const;
  void InsertItem(int Index, const String& S, TObject* AObject);
  int UpperBound(const String& S) const;
  std::vector<TStringItem> FList;
  bool FSorted = false;
  bool FCaseSensitive = false;
  bool FOwnsObjects;
};

// ---------------------------------------------------------------------------
// Collections: a list of items of one class, owned by the collection and
// reported to its virtual Update.

class TCollection;

class TCollectionItem : public TPersistent {
  VANTREL_CLASS(TCollectionItem)
 public:
  // Joins Collection (if any) at its end, without an update: create items
  // through TCollection::Add or Insert, which update once the item is whole.
  explicit TCollectionItem(TCollection* Collection);
  // Only memory goes here: an item whose constructor failed leaves its
  // collection without an update.
  ~TCollectionItem() override;

  TCollection* Collection() const { return FCollection; }
  int Index() const;
  // Moves the item; raises EListError for an index outside the collection.
  virtual void SetIndex(int Value);
  // Unique in the collection, never reused.
  int ID() const { return FID; }
  virtual String GetDisplayName() const { return ClassName(); }
  TPersistent* GetOwner() override;

 protected:
  // Reports a change of this item (AllItems: of the whole collection).
  void Changed(bool AllItems);
  // An item freed on its own leaves its collection before its Destroy chain
  // runs, as Delete takes it out first; once the chain has run, the
  // collection updates, and what its Update raises reaches the caller of
  // Free.
  void BeforeDestruction() override;
  void Destroy() override;

 private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  TCollection* FLeftCollection = nullptr;  // left while being freed, to update
  int FID = 0;
};

using TCollectionItemFactory = std::function<TCollectionItem*(TCollection* Collection)>;

// The factory for item class T: T(TCollection*).
template <class T>
TCollectionItemFactory ItemClass() {
  return [](TCollection* c) -> TCollectionItem* { return new T(c); };
}

class TCollection : public TPersistent {
  VANTREL_CLASS(TCollection)
 public:
  explicit TCollection(TCollectionItemFactory ItemFactory);
  ~TCollection() override;  // frees the items, without updates

  TCollectionItem* Add();
  // Raises EListError unless 0 <= Index <= Count.
  TCollectionItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  // Replaces the items by copies of Source's (each item Assigns its peer).
  void Assign(TPersistent* Source) override;

  int Count() const { return static_cast<int>(FItems.size()); }
  TCollectionItem* Items(int Index) const;

  // Updates are counted; the last EndUpdate calls Update(nullptr).
  virtual void BeginUpdate();
  virtual void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

 protected:
  // Calls Update(nullptr) unless an update is open.
  void Changed();
  // Item changed, or nullptr: all of them. A change reported while Update
  // runs (a repaint setting a property) does not call it again at once;
  // one more Update(nullptr) follows when it returns.
  virtual void Update(TCollectionItem* Item) {}

 private:
  friend class TCollectionItem;
  void DoUpdate(TCollectionItem* Item);
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  void FreeItems();
  TCollectionItemFactory FItemFactory;
  std::vector<TCollectionItem*> FItems;
  int FUpdateCount = 0;
  int FNextID = 0;
  bool FInUpdate = false;
  bool FChangedInUpdate = false;
};

// A collection that answers GetOwner with the persistent given to it.
class TOwnedCollection : public TCollection {
  VANTREL_CLASS(TOwnedCollection)
 public:
  TOwnedCollection(TPersistent* AOwner, TCollectionItemFactory ItemFactory)
      : TCollection(std::move(ItemFactory)), FOwner(AOwner) {}
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
};
