// Menus over the platform's menu handles: items, popup and main menus, the
// hidden popup-list window that owns every popup menu, and shortcut texts.
//
// Each item that has sub-items (and each menu's root item) owns a menu
// handle, rebuilt from its visible sub-items whenever one of them changes.
// Every item carries a command number that is unique in the process; the
// platform's WM_COMMAND, WM_INITMENUPOPUP, WM_MEASUREITEM and WM_DRAWITEM
// find their item through it (or through the item pointer kept as the entry's
// item data).
#pragma once

#include <vector>

#include "base/Controls.h"

class TCustomImageList;
class TMenu;
class TMenuItem;
class TBasicAction;
class TMenuActionLink;

// A shortcut: the virtual key in the low byte, scShift, scCtrl and scAlt above.
using TShortCut = WORD;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(WORD Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift);
// "Ctrl+S", "Shift+Alt+F5", "Del"...: modifiers in the order Shift, Ctrl,
// Alt, then the key's name; empty for a key without a name.
String ShortCutToText(TShortCut ShortCut);

enum class TMenuBreak { mbNone, mbBreak, mbBarBreak };
enum class TMenuItemAutoFlag { maAutomatic, maManual, maParent };
enum class TFindItemKind { fkCommand, fkHandle, fkShortCut };
enum class TPopupAlignment { paLeft, paRight, paCenter };
enum class TTrackButton { tbRightButton, tbLeftButton };

using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
using TMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, bool Selected)>;
using TAdvancedMenuDrawItemEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State)>;
using TMenuChangeEvent = std::function<void(TObject* Sender, TMenuItem* Source, bool Rebuild)>;

class TMenuItem : public TComponent {
  VANTREL_CLASS(TMenuItem)
 public:
  explicit TMenuItem(TComponent* AOwner);

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  // A caption of "-" makes the item a separator line.
  bool IsLine() const { return FCaption == L"-"; }
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value);
  BYTE GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(BYTE Value);
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  TMenuBreak Break() const { return FBreak; }
  void SetBreak(TMenuBreak Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  TMenuItemAutoFlag AutoLineReduction() const { return FAutoLineReduction; }
  void SetAutoLineReduction(TMenuItemAutoFlag Value) { FAutoLineReduction = Value; }
  // The item's picture, made on first use.
  TBitmap* Bitmap();
  bool HasBitmap() const { return FBitmap && !FBitmap->Empty(); }
  void SetBitmap(TBitmap* Value);
  // Images of the sub-items (instead of the menu's).
  TCustomImageList* SubMenuImages() const { return FSubMenuImages; }
  void SetSubMenuImages(TCustomImageList* Value);

  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  TMenuActionLink* ActionLink() const { return FActionLink; }

  // Sub-items.
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int Index) const;
  TMenuItem* operator[](int Index) const { return Items(Index); }
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  // Frees the sub-item.
  void Delete(int Index);
  // Takes the sub-item out without freeing it.
  void Remove(TMenuItem* Item);
  // Frees every sub-item.
  void Clear();
  int IndexOf(const TMenuItem* Item) const;
  // The first sub-item with this caption (ignoring case and '&').
  TMenuItem* Find(const String& ACaption) const;
  TMenuItem* Parent() const { return FParent; }
  int MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
  void SetMenuIndex(int Value);

  // The unique command number of the item's menu entry.
  WORD Command() const { return FCommand; }
  // The menu handle of the sub-items (made on demand); the root item's is
  // the menu's handle.
  HMENU Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  // The menu whose tree holds this item, or nullptr.
  TMenu* GetParentMenu() const;
  // The parent item, or the menu for a top-level item.
  TComponent* GetParentComponent() const;
  // The images for this item: the nearest ancestor's SubMenuImages, else
  // the menu's Images.
  TCustomImageList* GetImageList() const;

  // The item's click: an AutoCheck item toggles first; then the action
  // executes, else OnClick fires.
  virtual void Click();
  // Called by the owner window for an owner-drawn entry.
  virtual void MeasureItem(TCanvas* ACanvas, int& Width, int& Height);
  virtual void AdvancedDrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State, bool TopLevel);

  TNotifyEvent OnClick;
  TMenuMeasureItemEvent OnMeasureItem;
  TMenuDrawItemEvent OnDrawItem;
  TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  friend class TMenu;
  friend class TMainMenu;
  friend class TMenuActionLink;
  void Destroy() override;
  // This item's entry changed: its parent shows it again, and the menu
  // hears of it.
  virtual void MenuChanged(bool Rebuild);
  // Sub-items came, went or moved (Source: the one inserted or moved).
  void SubItemsChanged(TMenuItem* Source, bool HadSubItems);
  void Notify(TMenuItem* Source, bool Rebuild);
  void FreeSubItems();
  // Fills the menu handle with the visible sub-items again.
  void RebuildHandle();
  // The platform's entry of this item within its parent's handle.
  void FillItemInfo(MENUITEMINFOW& Info, String& Text);
  // The default painting of an owner-drawn item without handlers.
  void DrawItem(TCanvas* ACanvas, const TRect& ARect, bool Selected);
  void TurnSiblingsOff();
  void ActionChange(TObject* Sender, bool CheckDefaults);

  TMenu* FMenu = nullptr;  // set on a menu's root item only
  TMenuItem* FParent = nullptr;
  std::vector<TMenuItem*> FItems;
  HMENU FHandle = nullptr;
  WORD FCommand = 0;
  String FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FDefault = false;
  bool FRadioItem = false;
  bool FAutoCheck = false;
  BYTE FGroupIndex = 0;
  int FImageIndex = -1;
  TShortCut FShortCut = 0;
  TMenuBreak FBreak = TMenuBreak::mbNone;
  String FHint;
  TMenuItemAutoFlag FAutoLineReduction = TMenuItemAutoFlag::maParent;
  TBitmap* FBitmap = nullptr;
  TCustomImageList* FSubMenuImages = nullptr;
  TMenuActionLink* FActionLink = nullptr;
  int FUpdating = 0;  // rebuilds held back while above 0
};

class TMenu : public TComponent {
  VANTREL_CLASS(TMenu)
 public:
  explicit TMenu(TComponent* AOwner);

  // The root item; the menu's entries are its sub-items.
  TMenuItem* Items() const { return FItems; }
  virtual HMENU Handle();
  bool HandleAllocated() const { return FItems->HandleAllocated(); }
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool Value);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  bool IsRightToLeft() const { return FBiDiMode != TBiDiMode::bdLeftToRight; }
  // The window that shows the menu (a main menu's form); 0 for popups.
  HWND WindowHandle() const { return FWindowHandle; }
  virtual void SetWindowHandle(HWND Value);

  // Updates every item's entry again (owner-drawn items are measured anew).
  virtual void UpdateItems();
  TMenuItem* FindItem(UINT_PTR Value, TFindItemKind Kind);
  // The item of this command runs its click; false when none has it.
  bool DispatchCommand(WORD ACommand);
  // A sub-menu is about to open: its item's click runs (it may fill it).
  bool DispatchPopup(HMENU AMenu);
  // The key is the shortcut of an enabled item (its parents enabled too):
  // that item's click runs and the answer is true.
  bool IsShortCut(WORD Key, TShiftState Shift);

  TMenuChangeEvent OnChange;

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  friend class TMenuItem;
  void Destroy() override;
  // Called when an item (or the menu) changed; rebuilds the handles when
  // Rebuild is set.
  virtual void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild);
  // Creates the empty platform menu for the root item.
  virtual HMENU CreateMenuHandle() { return CreatePopupMenu(); }

  TMenuItem* FItems;
  bool FOwnerDraw = false;
  TCustomImageList* FImages = nullptr;
  TBiDiMode FBiDiMode = TBiDiMode::bdLeftToRight;
  HWND FWindowHandle = nullptr;
};

// A menu bar. A form shows it through its Menu property.
class TMainMenu : public TMenu {
  VANTREL_CLASS(TMainMenu)
 public:
  using TMenu::TMenu;

  // Shows the items of Menu on this bar too: a merged item replaces the
  // bar's items of the same GroupIndex, other groups take their place in
  // GroupIndex order. nullptr (or Unmerge) takes them away again.
  void Merge(TMainMenu* Menu);
  void Unmerge(TMainMenu* Menu);
  TMainMenu* MergedMenu() const { return FMerged; }
  void UpdateItems() override;
  void SetWindowHandle(HWND Value) override;

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  friend class TMenuItem;
  void Destroy() override;
  void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) override;
  HMENU CreateMenuHandle() override { return CreateMenu(); }
  // The items the bar shows, merged items included, in order.
  std::vector<TMenuItem*> BarItems() const;

  TMainMenu* FMerged = nullptr;
  TMainMenu* FMergedInto = nullptr;
};

class TPopupMenu : public TMenu {
  VANTREL_CLASS(TPopupMenu)
 public:
  explicit TPopupMenu(TComponent* AOwner);

  // Fires OnPopup, then shows the menu at the screen point and returns when
  // it has closed. The chosen item's click follows through a posted
  // WM_COMMAND, right after the return.
  virtual void Popup(int X, int Y);
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value) { FPopupComponent = Value; }
  TPopupAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  TTrackButton TrackButton() const { return FTrackButton; }
  void SetTrackButton(TTrackButton Value) { FTrackButton = Value; }

  TNotifyEvent OnPopup;

 protected:
  void Destroy() override;
  virtual void DoPopup(TObject* Sender);

  TComponent* FPopupComponent = nullptr;
  TPopupAlignment FAlignment = TPopupAlignment::paLeft;
  bool FAutoPopup = true;
  TTrackButton FTrackButton = TTrackButton::tbRightButton;
};

// The hidden window that owns every popup menu: it receives the platform's
// WM_COMMAND, WM_INITMENUPOPUP, WM_MEASUREITEM and WM_DRAWITEM and hands
// them to the item, forwards WM_MENUSELECT and WM_ENTERIDLE to listeners
// (WM_MENUSELECT is sent, so no message hook sees it), and tells nobody of
// anything else.
class TPopupList {
 public:
  using TMenuMessageListener = std::function<void(UINT Msg, WPARAM WParam, LPARAM LParam)>;

  HWND Window();
  void Add(TPopupMenu* Menu);
  void Remove(TPopupMenu* Menu);
  int Count() const { return static_cast<int>(FMenus.size()); }
  // Listeners for WM_MENUSELECT and WM_ENTERIDLE of popup menus; Add returns
  // a number for RemoveListener.
  int AddListener(TMenuMessageListener Listener);
  void RemoveListener(int Id);
  // Destroys the window (unit finalisation).
  void Close();

  // Handles an owner-draw or menu message for any menu (the popup list and
  // forms share it); true when an item of ours took it.
  static bool HandleMenuMessage(TMessage& Message, TMenu* Menu);

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
  HWND FWindow = nullptr;
  std::vector<TPopupMenu*> FMenus;
  std::vector<std::pair<int, TMenuMessageListener>> FListeners;
  int FNextListener = 1;
};

extern TPopupList PopupList;

// The item of a platform menu entry (by its item data or its command), or
// nullptr.
TMenuItem* FindMenuItemOfEntry(ULONG_PTR ItemData, UINT Command);
