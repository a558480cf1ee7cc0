// The items of a list-like window (list box, combo box): text and object
// kept here as well as in the window, so that a window made again gets them
// back; every change shows at once. The owner keeps the selected index in a
// field while it has no window; the strings keep that field in step.
#pragma once

#include <vector>

#include "base/Controls.h"
#include "base/Lists.h"

class TWindowStrings : public TStrings {
  VANTREL_CLASS(TWindowStrings)
 public:
  // The window messages of the kind of window.
  struct TMessages {
    UINT Insert, Delete, Reset, GetSelection, SetSelection;
  };
  TWindowStrings(TWinControl* AOwner, int& ItemIndex, const TMessages& Messages)
      : FOwner(AOwner), FItemIndex(ItemIndex), FMessages(Messages) {}
  int AddObject(const String& S, TObject* AObject) override;
  void Insert(int Index, const String& S) override { InsertObject(Index, S, nullptr); }
  void InsertObject(int Index, const String& S, TObject* AObject) override;
  void Delete(int Index) override;
  void Clear() override;
  // Puts every item into the owner's new window.
  void FillWindow();

 protected:
  String Get(int Index) const override;
  int GetCount() const override { return static_cast<int>(FItems.size()); }
  // Replaces the row, keeping its object and the selection.
  void Put(int Index, const String& S) override;
  TObject* GetObject(int Index) const override;
  // Repaints the window: owner-drawn rows may show the object.
  void PutObject(int Index, TObject* AObject) override;

  TWinControl* FOwner;

 private:
  struct TItem {
    String S;
    TObject* Object;
  };
  const TItem& At(int Index) const;
  int& FItemIndex;
  TMessages FMessages;
  std::vector<TItem> FItems;
};
