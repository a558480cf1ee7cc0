// What the chevron drop-down of a toolbar (TControlSelectorPanel) asks of
// two pieces that live beside it: the toolbar customizer, which opens its
// dialog from the drop-down's customize entry, and the pop-up that lists a
// toolbar's items with check marks ("Add or Remove Buttons"). The panel
// knows them only through these interfaces: the customizer implements
// IToolBarCustomizer, and the pop-up is made by the maker set with
// SetAddRemovePopupMaker (the library's TATBPopupWindow until another is
// set). Without a maker, hovering "Add or Remove Buttons" marks the entry
// and opens nothing.
#pragma once

#include <functional>
#include <vector>

#include "base/Forms.h"

class TAdvCustomToolBar;
class TCustomAdvMenuStyler;

class IToolBarCustomizer {
 public:
  // The customizer as a component (the panels watch it being freed).
  virtual TComponent* CustomizerComponent() = 0;
  // The word of the customize entry, "Customize" unless its dialog texts
  // say otherwise; the entry reads it followed by a blank and the
  // toolbar's caption.
  virtual String CustomizeText() = 0;
  // Opens the customizer dialog for the toolbar.
  virtual void ShowCustomizer(TAdvCustomToolBar* ToolBar) = 0;

 protected:
  ~IToolBarCustomizer() = default;
};

// One entry of the add-or-remove list: an item of the toolbar, checked
// while it is visible; unchecking it hides the item.
struct TAddRemoveEntry {
  String Caption;
  bool Checked = false;
  TControl* Item = nullptr;
};

class IAddRemovePopup {
 public:
  // The pop-up's form. It has no parent window; the panel sets its border,
  // style and size, places it and shows and hides it.
  virtual TCustomForm* PopupForm() = 0;
  // The toolbar whose items it lists (nullptr for none).
  virtual void SetAdvToolBar(TAdvCustomToolBar* ToolBar) = 0;
  // Empties the item tree and shows the icon bar; with a toolbar, draws
  // with MenuStyler and lists one top entry, the toolbar's caption, whose
  // sub-entries are Entries as check items; then arranges the items and
  // sizes its form to them.
  virtual void Fill(TAdvCustomToolBar* ToolBar, TCustomAdvMenuStyler* MenuStyler, const String& Caption,
                    const std::vector<TAddRemoveEntry>& Entries) = 0;
  // Puts its panel back to no item selected and no sub-list open.
  virtual void ResetPanel() = 0;
  // Called when the pop-up hid because it lost the activation.
  virtual void SetOnDeActivateHide(TNotifyEvent Handler) = 0;

 protected:
  ~IAddRemovePopup() = default;
};

// Makes the pop-up owned by Owner (the panel frees it with itself).
using TAddRemovePopupMaker = std::function<IAddRemovePopup*(TComponent* Owner)>;
void SetAddRemovePopupMaker(TAddRemovePopupMaker Maker);
const TAddRemovePopupMaker& AddRemovePopupMaker();
