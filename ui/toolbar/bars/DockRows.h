// The rows of a dock panel. Each row has its rectangle and the toolbars in
// it in order along the row; the rows stack the toolbars across the panel,
// keep a row's toolbars apart, let shortened toolbars grow back into free
// room, pull toolbars back and shorten them when a row overflows, answer the
// bounds every docked toolbar asks for, move toolbars between rows and size
// the panel to its rows. Told for horizontal docks (daTop, daBottom);
// vertical docks exchange x and y.
#pragma once

#include "base/Lists.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

class TAdvDockPanel;
class TAdvCustomToolBar;
class TRowCollection;

using TOnDeleteItemEvent = std::function<void(TObject* Sender, int Index)>;

class TRowCollectionItem : public TCollectionItem {
  VANTREL_CLASS(TRowCollectionItem)
 public:
  explicit TRowCollectionItem(TCollection* Collection);

  // The largest toolbar across (at least 26; 26 when empty).
  int Height();
  TRect RowRect() const { return FRowRect; }
  void SetRowRect(const TRect& R) { FRowRect = R; }
  int ToolBarCount() const { return FToolBarList->Count(); }
  TAdvCustomToolBar* ToolBars(int Index) const;
  int IndexOf(TAdvCustomToolBar* T) const { return FToolBarList->IndexOf(T); }

  // The row takes T: not when its first toolbar is full size, nor a full-
  // size T when the row holds anything.
  bool IsAllowed(TAdvCustomToolBar* T);
  // Appends T after the last toolbar; its index, or -1.
  int AddToolBar(TAdvCustomToolBar* T);
  // T goes in front of the first toolbar whose Left (Top) is greater than
  // its own; True when it went in front of one.
  bool InsertToolBar(TAdvCustomToolBar* T, int X);
  void RemoveToolBar(TAdvCustomToolBar* T, bool DeleteIfEmpty);
  void ArrangeToolBars();
  bool NeedsArrange();
  // The free room between A and B (nullptr: the row's start or end).
  int FreeSpaceBetween(TAdvCustomToolBar* A, TAdvCustomToolBar* B);
  // The within-row half of a bounds request.
  void SetToolBarLeftAndWidth(TAdvCustomToolBar* T, int& ALeft, int& AWidth);
  void SetToolBarTopAndHeight(TAdvCustomToolBar* T, int& ATop, int& AHeight);

 protected:
  void BeforeDestruction() override;
  void Destroy() override;

 private:
  TRowCollection* Rows() const;
  bool Vertical() const;
  int Gap() const;
  // Geometry along the row (Left/Width, or Top/Height in vertical docks).
  int Start(TAdvCustomToolBar* T) const;
  int Length(TAdvCustomToolBar* T) const;
  int RowStart() const;
  int RowEnd() const;
  int RowLength() const { return RowEnd() - RowStart(); }
  int Grow(TAdvCustomToolBar* T);
  int Shrink(TAdvCustomToolBar* T);
  // Changes made with the toolbar's bound change on, so the toolbar takes
  // them directly.
  void MoveTo(TAdvCustomToolBar* T, int NewStart);
  void MoveBy(TAdvCustomToolBar* T, int Delta) { MoveTo(T, Start(T) + Delta); }
  void Resize(TAdvCustomToolBar* T, int NewLength);
  void SetAcross(TAdvCustomToolBar* T, int NewStart);
  void FitFullSize(TAdvCustomToolBar* T);
  TAdvCustomToolBar* At(int Index) const { return ToolBars(Index); }
  int FreeAfter(int Index);
  int FreeBefore(int Index);
  // The within-row answer along the row (Left/Width, or Top/Height).
  void AlongRow(TAdvCustomToolBar* T, int& AStart, int& ALength, bool KeepShorter);

  TOwned<TDbgList> FToolBarList;
  TRect FRowRect;
  int FIndexWhenFreed = -1;
};

class TRowCollection : public TCollection {
  VANTREL_CLASS(TRowCollection)
 public:
  explicit TRowCollection(TAdvDockPanel* AOwner);

  TRowCollectionItem* Add();
  TRowCollectionItem* Insert(int Index);
  TRowCollectionItem* Items(int Index) const;
  void SetItems(int Index, TRowCollectionItem* Value);
  TPersistent* GetOwner() override;
  TAdvDockPanel* Owner() const { return FOwner; }
  int OffSetX() const { return FOffSetX; }
  int OffSetY() const { return FOffSetY; }

  // The first row holding T, or -1.
  int IsToolBarAlreadyAdded(TAdvCustomToolBar* T);
  // Raises "Invalid Row Index" for a row that does not exist.
  void MoveToolBarToRow(TAdvCustomToolBar* T, int ARowIndex);
  // The across-rows half of a bounds request.
  void SetToolBarTopAndHeight(TAdvCustomToolBar* T, int& ATop, int& AHeight);
  void SetToolBarLeftAndWidth(TAdvCustomToolBar* T, int& ALeft, int& AWidth);
  void UpdateRowRects();
  void UpdateDockSize();
  void DeleteRowIfEmpty(TRowCollectionItem* Row);
  void ArrangeAllRows();
  void PlaceFullSizeToolBar(TAdvCustomToolBar* T);
  void ToolBarVisibilityChanged(TAdvCustomToolBar* T);
  // The panel's height is held: no rows come or go by drags, the panel
  // keeps its size.
  bool HeightLocked() const;
  bool Vertical() const;

  TOnDeleteItemEvent OnDeleteItem;

 private:
  // Takes T out of its row (deleting the row when it empties) and gives it
  // a new row at Index.
  void NewRowFor(TAdvCustomToolBar* T, int Index);
  void AcrossRows(TAdvCustomToolBar* T, int& AStart, int& ASize, bool VerticalDock);

  TAdvDockPanel* FOwner;
  int FOffSetY = 1;
  int FOffSetX = 2;
};
