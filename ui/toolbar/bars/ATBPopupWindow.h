// A small menu-like pop-up built from plain windows: the list that "Add or
// Remove Buttons" of a toolbar's chevron drop-down opens.
//
// - TATBMenuItem: a tree of entries; an entry may stand for a toolbar item
//   (Objects) and may toggle a check mark on a click (AutoCheck).
// - TATBPopupWindow: a borderless stay-on-top pop-up that hides itself a
//   tick after it loses the activation (a TDropDownForm), holding one
//   TATBPopupPanel; it owns the entry tree made by CreateItems.
// - TATBCustomPopupPanel: the panel base (background, gradient, frame,
//   margins of 2).
// - TATBPopupPanel: lays out and paints the children of one entry as rows,
//   with an icon bar (check marks) and an image bar (the items' images) in
//   the colours of a menu styler, tracks the hot row, opens a nested pop-up
//   for a row with children, and on a click toggles the check of a
//   checkable row and the visibility of its toolbar item.
//
// The chevron drop-down's pop-up is such a window with one entry, the
// toolbar's caption, whose children are the toolbar's items.
#pragma once

#include "ui/controls/menus/AdvMenuStylers.h"
#include "ui/toolbar/bars/OptionSelectorWindow.h"
#include "ui/toolbar/bars/PopupLinks.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

class TATBPopupPanel;
class TATBPopupWindow;

class TATBMenuItem : public TObject {
  VANTREL_CLASS(TATBMenuItem)
 public:
  TATBMenuItem();
  ~TATBMenuItem() override;

  // The children are owned: Clear and destruction free them.
  int Count() const { return FItems->Count(); }
  // Raises the list's read error for an index out of range.
  TATBMenuItem* Items(int Index) const { return static_cast<TATBMenuItem*>(FItems->GetItemsEx(Index)); }
  TATBMenuItem* GetItem(int Index) const { return Items(Index); }
  // A new child of this entry, appended.
  TATBMenuItem* Add();
  void Clear();
  bool HasChildren() const { return FItems->Count() > 0; }
  TATBMenuItem* ParentItem() const { return FParentItem; }

  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value) { FChecked = Value; }
  // A check mark shows only on an enabled entry.
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  // The toolbar item the entry stands for (not owned).
  TObject* Objects() const { return FObjects; }
  void SetObjects(TObject* Value) { FObjects = Value; }
  // The row in the showing panel's client coordinates.
  const TRect& BoundRect() const { return FBoundRect; }
  void SetBoundRect(const TRect& Value) { FBoundRect = Value; }

 private:
  bool FEnabled = true;
  bool FVisible = true;
  TRect FBoundRect{0, 0, 0, 0};
  TOwned<TDbgList> FItems;
  TATBMenuItem* FParentItem = nullptr;
  int FHeight = 0;
  String FCaption;
  int FWidth = 0;
  bool FChecked = false;
  String FHint;
  bool FAutoCheck = false;
  TObject* FObjects = nullptr;
};

// The panel base: the option panels' background and frame with margins of
// 2; a gradient to ColorTo runs left to right for gdHorizontal and top to
// bottom for gdVertical, as everywhere in the library.
class TATBCustomPopupPanel : public TOptionSelectorPanel {
  VANTREL_CLASS(TATBCustomPopupPanel)
 public:
  explicit TATBCustomPopupPanel(TComponent* AOwner);
};

class TATBPopupPanel : public TATBCustomPopupPanel {
  VANTREL_CLASS(TATBPopupPanel)
 public:
  explicit TATBPopupPanel(TComponent* AOwner);

  // The entry whose children the panel shows (not owned); setting it lays
  // the rows out.
  TATBMenuItem* Items() const { return FItems; }
  void SetItems(TATBMenuItem* Value);
  TCustomAdvMenuStyler* AdvMenuStyler() const { return FAdvMenuStyler; }
  void SetAdvMenuStyler(TCustomAdvMenuStyler* Value);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value) { FItemHeight = Value; }
  int HotItem() const { return FHotItem; }
  // The old hot row's nested pop-up closes; both rows repaint.
  void SetHotItem(int Value);
  int PopupItem() const { return FPopupItem; }
  bool ShowImageBar() const { return FShowImageBar; }
  void SetShowImageBar(bool Value) { FShowImageBar = Value; }
  bool ShowIconBar() const { return FShowIconBar; }
  void SetShowIconBar(bool Value) { FShowIconBar = Value; }
  int ImageBarSize() const { return FImageBarSize; }
  void SetImageBarSize(int Value);
  TColor ImageBarColor() const { return FImageBarColor; }
  void SetImageBarColor(TColor Value) { FImageBarColor = Value; }
  TColor ImageBarColorTo() const { return FImageBarColorTo; }
  void SetImageBarColorTo(TColor Value) { FImageBarColorTo = Value; }
  // The nested pop-up (nullptr until a row with children first opens it).
  TATBPopupWindow* ItemPopup() const { return FItemPopup; }

  // Rows stacked under the margins, the panel sized to them.
  void ArrangeItems();
  // The row at a client point, -1 for none.
  int IndexOfItemAt(int X, int Y);
  void InvalidateItem(int ItemIndex);
  // A row with a toolbar item: the item shows or hides, the check follows.
  void ToggleCheck(int ItemIndex);
  void ClickItem(int Index);
  // Opens the hot row's nested pop-up beside it (when it has children).
  void ShowSubMenu();
  void HideSubMenu();
  // No hot row, no nested pop-up (no repaint).
  void ResetState();

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;

 protected:
  void Destroy() override;
  void Paint() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void DrawItem(int Index);
  void DrawItemCheck(int Index, const TRect& Cell);
  void DrawItemImage(int Index, const TRect& Cell);
  void MouseLeft();
  void SubMenuHide(TObject* Sender);
  void SubMenuDeActivateHide(TObject* Sender);
  TATBPopupWindow* OwnWindow() const;
  bool InRange(int Index) const { return FItems && Index >= 0 && Index < FItems->Count(); }

  TATBMenuItem* FItems = nullptr;
  TCustomAdvMenuStyler* FAdvMenuStyler = nullptr;
  int FItemHeight = 24;
  int FHotItem = -1;
  int FPopupItem = -1;
  bool FShowImageBar = false;
  bool FShowIconBar = false;
  int FImageBarSize = 20;
  TColor FImageBarColorTo = clNone;
  TColor FImageBarColor = clGray;
  TATBPopupWindow* FItemPopup = nullptr;  // owned as a component
};

class TATBPopupWindow : public TDropDownForm, public IAddRemovePopup {
  VANTREL_CLASS(TATBPopupWindow)
 public:
  // A window with its panel (owned by the window and on it); no entries
  // until CreateItems.
  explicit TATBPopupWindow(TComponent* AOwner);

  // Makes the root entry, owned by the window, and gives it to the panel.
  void CreateItems();
  TATBMenuItem* RootItem() const { return FItems; }
  TATBPopupPanel* PopupPanel() const { return FPopupPanel; }
  void SetPopupPanel(TATBPopupPanel*) {}
  TAdvCustomToolBar* AdvToolBar() const { return FAdvToolBar; }
  // Height from the panel's visible height, Width from the panel's.
  void SetWindowSize();
  // The top-level window of the toolbar (or of the owner), whose caption
  // keeps its active look while the pop-up has the activation.
  HWND GetTopLevelWindow();

  // IAddRemovePopup, for the chevron drop-down.
  TCustomForm* PopupForm() override { return this; }
  void SetAdvToolBar(TAdvCustomToolBar* Value) override;
  void Fill(TAdvCustomToolBar* ToolBar, TCustomAdvMenuStyler* MenuStyler, const String& Caption,
            const std::vector<TAddRemoveEntry>& Entries) override;
  void ResetPanel() override;
  void SetOnDeActivateHide(TNotifyEvent Handler) override { OnDeActivateHide = std::move(Handler); }

  void Notification(TComponent* AComponent, TOperation Operation) override;

  // The window hid because it lost the activation.
  TNotifyEvent OnDeActivateHide;

 protected:
  void Destroy() override;
  void DoHide() override;
  void Activated(bool Shown) override;
  void AutoHide() override;

 private:
  TAdvCustomToolBar* FAdvToolBar = nullptr;
  TATBPopupPanel* FPopupPanel = nullptr;  // owned as a component
  bool FShowAbove = false;
  bool FShowLeft = false;
  TOwned<TATBMenuItem> FItems;
};

// The pop-up the chevron drop-down opens from "Add or Remove Buttons".
IAddRemovePopup* NewAddRemovePopup(TComponent* Owner);
