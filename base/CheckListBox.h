// A list of items, each with a check box. Items that are not enabled show a
// greyed box that the user cannot change.
#pragma once

#include <vector>

#include "base/Lists.h"
#include "base/StdCtrls.h"

class TCheckListBox;

// The items of a check list box; every change shows at once.
class TCheckListBoxStrings : public TStrings {
  VANTREL_CLASS(TCheckListBoxStrings)
 public:
  explicit TCheckListBoxStrings(TCheckListBox* AOwner) : FOwner(AOwner) {}
  int AddObject(const String& S, TObject* AObject) override;
  void Insert(int Index, const String& S) override { InsertObject(Index, S, nullptr); }
  void InsertObject(int Index, const String& S, TObject* AObject) override;
  void Delete(int Index) override;
  void Clear() override;

 protected:
  String Get(int Index) const override;
  int GetCount() const override { return static_cast<int>(FItems.size()); }
  void Put(int Index, const String& S) override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;

 private:
  friend class TCheckListBox;
  struct TItem {
    String S;
    TObject* Object = nullptr;
    bool Checked = false;
    bool Enabled = true;
  };
  TItem& At(int Index);
  const TItem& At(int Index) const;
  TCheckListBox* FOwner;
  std::vector<TItem> FItems;
};

class TCheckListBox : public TWinControl {
  VANTREL_CLASS(TCheckListBox)
 public:
  explicit TCheckListBox(TComponent* AOwner);

  TStrings* Items() { return FItems; }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  // Setting fires nothing; a click or Space on an enabled item toggles it
  // and fires OnClickCheck.
  bool Checked(int Index) const { return FItems->At(Index).Checked; }
  void SetChecked(int Index, bool Value);
  bool ItemEnabled(int Index) const { return FItems->At(Index).Enabled; }
  void SetItemEnabled(int Index, bool Value);
  // The selected item, -1 for none.
  int ItemIndex();
  void SetItemIndex(int Value);
  int ItemHeight();
  // The item at a client point, -1 for none.
  int ItemAtPos(const TPoint& Pos);
  // The box of an item, in client coordinates.
  TRect CheckRect(int Index);

  TNotifyEvent OnClickCheck;

  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void SaveWindowState() override;
  virtual void ClickCheck();

 private:
  friend class TCheckListBoxStrings;
  void ToggleByUser(int Index);
  void DrawItem(const DRAWITEMSTRUCT& Item);
  void InvalidateItem(int Index);

  TOwned<TCheckListBoxStrings> FItems;
  int FItemIndex = -1;  // while there is no window
};
