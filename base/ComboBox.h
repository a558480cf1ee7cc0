// The combo box in its drop-down list form: the user picks one of its
// items; the items live here as well as in the window, so that a window
// made again gets them back.
#pragma once

#include <vector>

#include "base/ListBox.h"
#include "base/Lists.h"
#include "base/WindowStrings.h"
#include "base/StdCtrls.h"

class TCustomComboBox;

// csOwnerDrawFixed: a drop-down list whose rows OnDrawItem paints.
enum class TComboBoxStyle { csDropDown, csDropDownList, csOwnerDrawFixed };

// The items of a combo box; every change shows at once.
class TComboBoxStrings : public TWindowStrings {
  VANTREL_CLASS(TComboBoxStrings)
 public:
  TComboBoxStrings(TCustomComboBox* AOwner, int& ItemIndex);
  void Assign(TPersistent* Source) override;

 protected:
  // A long fill (Assign, or adds inside BeginUpdate) redraws the box once,
  // at the end, rather than once per item.
  void SetUpdateState(bool Updating) override;
};

class TCustomComboBox : public TWinControl {
  VANTREL_CLASS(TCustomComboBox)
 public:
  explicit TCustomComboBox(TComponent* AOwner);

  TStrings* Items() { return FItems; }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  // The selected item, -1 for none. Setting it fires nothing.
  int ItemIndex();
  void SetItemIndex(int Value);
  // The selected item's text ("" for none); assigning a text selects the
  // first item that is that text, or none.
  String Text() override;
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  // Rows the dropped list shows without scrolling.
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value);
  bool DroppedDown();
  void SetDroppedDown(bool Value);

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  // Height of the owner-drawn rows; 0 (the default) takes the font's.
  int ItemHeight();
  void SetItemHeight(int Value);
  TCanvas* Canvas() { return FCanvas; }

  // The user picked another item.
  TNotifyEvent OnChange;
  TDrawItemEvent OnDrawItem;

  void Dispatch(TMessage& Message) override;

 protected:
  void Destroy() override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void SaveWindowState() override;
  virtual void Change();

 private:
  friend class TComboBoxStrings;
  // The window's height: the field and the dropped list.
  int WindowHeight();

  TComboBoxStrings* FItems;
  TOwned<TCanvas> FCanvas;
  int FItemHeight = 0;
  TComboBoxStyle FStyle = TComboBoxStyle::csDropDownList;
  int FDropDownCount = 8;
  int FItemIndex = -1;  // while there is no window
};

class TComboBox : public TCustomComboBox {
  VANTREL_CLASS(TComboBox)
 public:
  using TCustomComboBox::TCustomComboBox;
};
