// A list of text items, each with an object. Drawn by the system, or, in the
// owner-drawn form, row by row through OnDrawItem on the list's canvas.
#pragma once

#include <functional>
#include <vector>

#include "base/Graphics.h"
#include "base/Lists.h"
#include "base/StdCtrls.h"

class TListBox;

enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed };

// Draws one row of an owner-drawn list or combo box: Rect in client
// coordinates, the canvas is the control's.
using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State)>;

// The items of a list box; every change shows at once.
class TListBoxStrings : public TStrings {
  VANTREL_CLASS(TListBoxStrings)
 public:
  explicit TListBoxStrings(TListBox* AOwner) : FOwner(AOwner) {}
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
  friend class TListBox;
  struct TItem {
    String S;
    TObject* Object = nullptr;
  };
  const TItem& At(int Index) const;
  TListBox* FOwner;
  std::vector<TItem> FItems;
};

class TListBox : public TWinControl {
  VANTREL_CLASS(TListBox)
 public:
  explicit TListBox(TComponent* AOwner);

  TStrings* Items() { return FItems; }
  // The selected row, -1 for none. Setting it fires nothing.
  int ItemIndex();
  void SetItemIndex(int Value);
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle Value);
  // Height of every row; 0 (the default) takes the font's.
  int ItemHeight();
  void SetItemHeight(int Value);
  // The row at a client point, -1 for none.
  int ItemAtPos(const TPoint& Pos);
  TRect ItemRect(int Index);
  TCanvas* Canvas() { return FCanvas; }

  // OnClick fires when the user selects a row (mouse or keys).
  TDrawItemEvent OnDrawItem;

  void Dispatch(TMessage& Message) override;

 protected:
  void Destroy() override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void SaveWindowState() override;

 private:
  friend class TListBoxStrings;
  void DrawItem(const DRAWITEMSTRUCT& Item);

  TOwned<TListBoxStrings> FItems;
  TOwned<TCanvas> FCanvas;
  TListBoxStyle FStyle = TListBoxStyle::lbStandard;
  int FItemHeight = 0;
  int FItemIndex = -1;  // while there is no window
};
