// The list view: the platform's SysListView32 in report view, with columns,
// items and their sub-items, images and states, custom drawing and owner
// drawing. Texts live in our own items (the window asks for them), so that a
// re-created window gets its items back.
#pragma once

#include <vector>

#include "base/Controls.h"
#include "base/Lists.h"

struct tagLVITEMW;
struct tagNMLVCUSTOMDRAW;
struct tagLVDISPINFOW;

class TCustomListView;
class TListItem;
class TListItems;
class TCustomImageList;
class TChangeLink;

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

enum class TCustomDrawStateItem {
  cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot, cdsMarked, cdsIndeterminate
};
using TCustomDrawState = Set<TCustomDrawStateItem>;
enum class TCustomDrawStage { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };

enum class TItemState { isNone, isCut, isDropHilited, isFocused, isSelected, isActivating };
enum class TDisplayCode { drBounds, drIcon, drLabel, drSelectBounds };

class TListColumn : public TCollectionItem {
  VANTREL_CLASS(TListColumn)
 public:
  explicit TListColumn(TCollection* Collection);
  void Assign(TPersistent* Source) override;
  String GetDisplayName() const override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  // Read from the window while it exists (the user may drag the border).
  int Width();
  void SetWidth(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // Stored for the list's own width rules; the platform list ignores it.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);

 private:
  friend class TCustomListView;
  String FCaption;
  int FWidth = 50;
  TAlignment FAlignment = TAlignment::taLeftJustify;
  bool FAutoSize = false;
  int FImageIndex = -1;
};

class TListColumns : public TCollection {
  VANTREL_CLASS(TListColumns)
 public:
  explicit TListColumns(TCustomListView* AOwner);
  TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
  TListColumn* Items(int Index) const { return static_cast<TListColumn*>(TCollection::Items(Index)); }
  TListColumn* operator[](int Index) const { return Items(Index); }
  TCustomListView* Owner() const { return FOwner; }
  TPersistent* GetOwner() override;

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TCustomListView* FOwner;
};

// The sub-items of an item: strings with an image each; every change shows
// at once.
class TSubItems : public TStringList {
  VANTREL_CLASS(TSubItems)
 public:
  explicit TSubItems(TListItem* AOwner) : FOwner(AOwner) {}
  int AddObject(const String& S, TObject* AObject) override;
  void InsertObject(int Index, const String& S, TObject* AObject) override;
  void Delete(int Index) override;
  void Clear() override;
  void Exchange(int Index1, int Index2) override;
  void Move(int CurIndex, int NewIndex) override;
  // -1 for an index without an image.
  int Image(int Index) const;
  void SetImage(int Index, int Value);

 protected:
  void Put(int Index, const String& S) override;
  void Changed() override;

 private:
  TListItem* FOwner;
  std::vector<int> FImages;
};

class TListItem : public TPersistent {
  VANTREL_CLASS(TListItem)
 public:
  explicit TListItem(TListItems* AOwner);
  ~TListItem() override;
  // Copies caption, sub-items with their images, image, state image, indent,
  // check mark and data (not the selection or focus).
  void Assign(TPersistent* Source) override;

  TListItems* Owner() const { return FOwner; }
  TCustomListView* ListView() const;
  int Index() const;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  TStrings* SubItems() { return FSubItems; }
  void SetSubItems(TStrings* Value) { FSubItems->Assign(Value); }
  int SubItemImages(int Index) const { return FSubItems->Image(Index); }
  void SetSubItemImages(int Index, int Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  // The state image: index i shows image i of the state images; -1 none.
  int StateIndex() const { return FStateIndex; }
  void SetStateIndex(int Value);
  int Indent() const { return FIndent; }
  void SetIndent(int Value);
  void* Data() const { return FData; }
  void SetData(void* Value) { FData = Value; }

  // States kept by the window while it exists.
  bool Checked();
  void SetChecked(bool Value);
  bool Selected();
  void SetSelected(bool Value);
  bool Focused();
  void SetFocused(bool Value);

  void MakeVisible(bool PartialOK);
  TRect DisplayRect(TDisplayCode Code);
  // Frees the item and takes it out of the list.
  void Delete();
  // Redraws the item's row.
  void Update();

 private:
  friend class TListItems;
  friend class TCustomListView;
  friend class TSubItems;
  void SubItemsChanged();

  TListItems* FOwner;
  String FCaption;
  TSubItems* FSubItems;
  int FImageIndex = -1;
  int FStateIndex = -1;
  int FIndent = 0;
  void* FData = nullptr;
  int FIndex = -1;
  // States while there is no window.
  bool FChecked = false;
  bool FSelected = false;
  bool FFocused = false;
};

class TListItems : public TPersistent {
  VANTREL_CLASS(TListItems)
 public:
  explicit TListItems(TCustomListView* AOwner) : FOwner(AOwner) {}
  ~TListItems() override;
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

  TListItem* Add();
  // A new item at Index (0 <= Index <= Count), else EListError.
  TListItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  int Count() const { return static_cast<int>(FItems.size()); }
  TListItem* Item(int Index) const;
  TListItem* operator[](int Index) const { return Item(Index); }
  int IndexOf(const TListItem* Value) const;
  TCustomListView* Owner() const { return FOwner; }

  // Counted: the window stops redrawing until the last EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

 private:
  friend class TCustomListView;
  friend class TListItem;
  void Renumber(int From);
  void Remove(TListItem* Item);

  TCustomListView* FOwner;
  std::vector<TListItem*> FItems;
  int FUpdateCount = 0;
};

using TLVAdvancedCustomDrawItemEvent = std::function<void(TCustomListView* Sender, TListItem* Item,
                                                          TCustomDrawState State, TCustomDrawStage Stage,
                                                          bool& DefaultDraw)>;
using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;
using TLVEditingEvent = std::function<void(TObject* Sender, TListItem* Item, bool& AllowEdit)>;
using TLVEditedEvent = std::function<void(TObject* Sender, TListItem* Item, String& S)>;
using TLVInfoTipEvent = std::function<void(TObject* Sender, TListItem* Item, String& InfoTip)>;
using TLVDrawItemEvent =
    std::function<void(TCustomListView* Sender, TListItem* Item, const TRect& Rect, TOwnerDrawState State)>;
// Answers <0, 0 or >0 for two items; Data is CustomSort's.
using TLVCompare = std::function<int(TListItem* Item1, TListItem* Item2, LPARAM Data)>;

class TCustomListView : public TWinControl {
  VANTREL_CLASS(TCustomListView)
 public:
  explicit TCustomListView(TComponent* AOwner);

  TListColumns* Columns() { return FColumns; }
  TListItems* Items() { return FItems; }
  TCanvas* Canvas() { return FCanvas; }
  // The header window of the report view (nullptr without a window).
  HWND HeaderHandle();

  TViewStyle ViewStyle() const { return FViewStyle; }
  void SetViewStyle(TViewStyle Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool RowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value);
  bool GridLines() const { return FGridLines; }
  void SetGridLines(bool Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool ShowColumnHeaders() const { return FShowColumnHeaders; }
  void SetShowColumnHeaders(bool Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool Checkboxes() const { return FCheckboxes; }
  void SetCheckboxes(bool Value);
  bool FlatScrollBars() const { return FFlatScrollBars; }
  void SetFlatScrollBars(bool Value);
  // LVS_OWNERDRAWFIXED: the window is made again, with its items.
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool Value);
  TBorderStyleKind BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyleKind Value);
  // Images of the rows (SmallImages) and their state images.
  TCustomImageList* SmallImages() const { return FSmallImages; }
  void SetSmallImages(TCustomImageList* Value);
  TCustomImageList* StateImages() const { return FStateImages; }
  void SetStateImages(TCustomImageList* Value);

  // The first selected item's index, -1 when none. Setting it clears every
  // other selection first (OnSelectItem fires for the rows losing it, then
  // for the row gaining it) and focuses the row; -1 clears the selection.
  int ItemIndex();
  void SetItemIndex(int Value);
  int SelCount();
  // The first selected item, or nullptr; setting selects only that item.
  TListItem* Selected();
  void SetSelected(TListItem* Value);
  TListItem* ItemFocused();
  void SetItemFocused(TListItem* Value);
  // The first visible row, nullptr when the list is empty or has no window.
  TListItem* TopItem();
  // Rows that fit on one page of the window.
  int VisibleRowCount();
  void ClearSelection();
  void SelectAll();
  void Scroll(int DX, int DY);
  TListItem* GetItemAt(int X, int Y);

  // The display order of the columns: entry k is the column shown at
  // position k. Without a window, the order that the window will get.
  std::vector<int> ColumnOrder();
  void SetColumnOrder(const std::vector<int>& Order);

  // Sorts by the platform list's sort call; Compare gets the items.
  bool CustomSort(const TLVCompare& Compare, LPARAM Data);
  // Removes every item.
  virtual void Clear();
  // Begins editing the caption of the item (the window's label editor).
  void EditCaption(TListItem* Item);
  bool IsEditing();

  TLVAdvancedCustomDrawItemEvent OnAdvancedCustomDrawItem;
  TLVSelectItemEvent OnSelectItem;
  TLVColumnClickEvent OnColumnClick;
  TLVEditingEvent OnEditing;
  TLVEditedEvent OnEdited;
  TLVInfoTipEvent OnInfoTip;
  TLVDrawItemEvent OnDrawItem;

  void Dispatch(TMessage& Message) override;

 protected:
  void Destroy() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void SaveWindowState() override;

  // Reflected notifications, one handler each; descendants wrap them.
  virtual void CNNotify(TMessage& Message);
  virtual void CNDrawItem(TMessage& Message);
  virtual void CNMeasureItem(TMessage& Message) {}
  // An owner-drawn row (OwnerDraw): fires OnDrawItem.
  virtual void DrawItem(TListItem* Item, const TRect& Rect, TOwnerDrawState State);
  virtual void ColClick(TListColumn* Column);
  virtual void Change(TListItem* Item, int Change) {}
  virtual void DoSelectItem(TListItem* Item, bool Selected);
  virtual bool CanEdit(TListItem* Item);
  virtual void Edit(const tagLVITEMW& Item);
  // The item drawn by a custom-draw stage: fires OnAdvancedCustomDrawItem.
  virtual bool CustomDrawItem(TListItem* Item, TCustomDrawState State, TCustomDrawStage Stage);
  bool IsCustomDrawn() const { return static_cast<bool>(OnAdvancedCustomDrawItem); }
  void SetExtendedStyle(DWORD Mask, DWORD Value);

  // Window upkeep used by items and columns.
  void UpdateColumn(int Index);
  void UpdateColumns();
  void UpdateItem(TListItem* Item);
  void InsertItemWindow(TListItem* Item);

  TControlCanvas* FCanvas;
  TFont* FCustomDrawFont;

 private:
  friend class TListColumn;
  friend class TListColumns;
  friend class TListItem;
  friend class TListItems;
  friend class TSubItems;
  LRESULT CustomDraw(tagNMLVCUSTOMDRAW* Draw);
  void GetDispInfo(tagLVDISPINFOW* Info);
  void SetStyleBit(DWORD Bit, bool On);
  TListItem* ItemFromNotify(int Index, LPARAM Param) const;
  void SaveItemStates();
  void SetItemStateBits(TListItem* Item, UINT State, UINT Mask);
  void SetImageList(TCustomImageList*& Field, TChangeLink* Link, TCustomImageList* Value, int Which);
  void ApplyImageList(TCustomImageList* List, int Which);
  void SyncColumns();
  void RestoreWindowItems();

  TListColumns* FColumns;
  TListItems* FItems;
  std::vector<TListColumn*> FWindowColumns;  // columns as the window has them
  std::vector<int> FSavedOrder;
  TViewStyle FViewStyle = TViewStyle::vsIcon;
  bool FReadOnly = false;
  bool FRowSelect = false;
  bool FGridLines = false;
  bool FHideSelection = true;
  bool FShowColumnHeaders = true;
  bool FMultiSelect = false;
  bool FCheckboxes = false;
  bool FFlatScrollBars = false;
  bool FOwnerDraw = false;
  TBorderStyleKind FBorderStyle = TBorderStyleKind::bsSingle;
  bool FRestoring = false;
  // The window was told to stop redrawing (WM_SETREDRAW), by us or anyone.
  bool FRedrawOff = false;
  TCustomImageList* FSmallImages = nullptr;
  TCustomImageList* FStateImages = nullptr;
  TChangeLink* FSmallChangeLink;
  TChangeLink* FStateChangeLink;
};

class TListView : public TCustomListView {
  VANTREL_CLASS(TListView)
 public:
  using TCustomListView::TCustomListView;
};
