// The dock site of toolbars: a panel aligned to one side of its form that
// holds docked toolbars in rows (DockRows.h), keeps the list of its toolbars
// and of the hidden ones, paints the dock background from its toolbar
// styler (a gradient or a solid colour and an optional tiled, centred or
// stretched picture) and keeps that picture for toolbars whose rounded
// corners show it. Toolbars register when the panel becomes their Parent
// and ask it for their bounds.
#pragma once

#include "ui/toolbar/bars/AdvToolBar.h"
#include "ui/toolbar/bars/DockRows.h"
#include "ui/toolbar/bars/LayoutStore.h"

class TAdvDockPanel : public TCustomControl, public IToolBarStylerHost {
  VANTREL_CLASS(TAdvDockPanel)
 public:
  explicit TAdvDockPanel(TComponent* AOwner);

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // A dock panel or a toolbar as Parent raises "Invalid Parent".
  void SetParent(TWinControl* AParent) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Dispatch(TMessage& Message) override;

  int GetVersionNr() const { return ToolBarVersionNr; }
  String Version() const { return ToolBarVersionText(ToolBarVersionNr); }
  void SetVersion(const String&) {}

  // --- Styler -------------------------------------------------------------
  void ApplyStylerChange(int Kind) override;
  TCustomAdvToolBarStyler* ToolBarStyler() const override { return FToolBarStyler; }
  void SetToolBarStyler(TCustomAdvToolBarStyler* Value) override;
  TCustomAdvToolBarStyler* CurrentToolBarStyler() const { return FCurrentToolBarStyler; }
  TCustomAdvToolBarStyler* InternalToolBarStyler() const { return FInternalToolBarStyler; }

  // --- Toolbars -----------------------------------------------------------
  // Registers a toolbar whose Parent became this panel; the row's answer,
  // or -1 when no row takes it.
  int AddToolBar(TAdvCustomToolBar* ToolBar);
  void RemoveToolBar(TAdvCustomToolBar* ToolBar);
  // The toolbar's bounds request, answered by the rows.
  void SetToolBarBounds(TAdvCustomToolBar* ToolBar, int& ALeft, int& ATop, int& AWidth, int& AHeight);
  void ToolBarVisibleChanged(TAdvCustomToolBar* ToolBar);
  void ToolBarFullSizeChanged(TAdvCustomToolBar* ToolBar);
  void ArrangeRowsIfNeeded();
  void ArrangeToolBars();
  int AdvToolBarCount() const { return FToolBars->Count(); }
  TAdvCustomToolBar* AdvToolBars(int Index) const {
    return static_cast<TAdvCustomToolBar*>(FToolBars->GetItemsEx(Index));
  }
  int HiddenToolBarCount() const { return FHiddenToolBars->Count(); }
  bool IsHiddenToolBar(TAdvCustomToolBar* ToolBar) const { return FHiddenToolBars->IndexOf(ToolBar) >= 0; }
  int RowCount() const { return FRows->Count(); }
  TRowCollection* Rows() const { return FRows; }
  // The background as last painted, panel-sized.
  TBitmap* GetDockImage() const { return FMyImage; }

  // --- Properties ---------------------------------------------------------
  TDockAlign Align() const { return FDockAlign; }
  void SetAlign(TDockAlign Value);
  int MinimumSize() const { return FMinimumSize; }
  void SetMinimumSize(int Value);
  bool LockHeight() const { return FLockHeight; }
  void SetLockHeight(bool Value) { FLockHeight = Value; }
  TPersistence* Persistence() const { return FPersistence; }
  void SetPersistence(TPersistence* Value) { FPersistence->Assign(Value); }
  TPopupMenu* PopupMenu() const { return dynamic_cast<TPopupMenu*>(TControl::PopupMenu()); }
  void SetPopupMenu(TPopupMenu* Value);
  bool UseRunTimeHeight() const { return FUseRunTimeHeight; }
  void SetUseRunTimeHeight(bool Value);
  bool PropertiesLoaded() const { return FPropertiesLoaded; }
  // The layout store (LayoutStore.h): the rows and their toolbars, their
  // bounds and visibility. Saving happens when the panel is freed and
  // loading at the end of Loaded, both with Persistence enabled at run time.
  void SaveToolBarsPosition();
  void LoadToolBarsPosition();
  // The same on a store of the caller's.
  void SaveToolBarsPosition(TLayoutStore& Store);
  void LoadToolBarsPosition(TLayoutStore& Store);
  int OffSetX() const { return FOffSetX; }
  int OffSetY() const { return FOffSetY; }

 protected:
  void Destroy() override;
  void Paint() override;
  void PersistenceChanged(TObject* Sender);

 private:
  TCustomAdvToolBarStyler* FInternalToolBarStyler = nullptr;  // owned as a component
  TCustomAdvToolBarStyler* FToolBarStyler = nullptr;
  TCustomAdvToolBarStyler* FCurrentToolBarStyler = nullptr;
  TDockAlign FDockAlign = TDockAlign::daTop;
  TOwned<TRowCollection> FRows;
  int FOffSetY = 0;
  int FOffSetX = 1;
  TOwned<TDbgList> FToolBars;
  TOwned<TDbgList> FHiddenToolBars;
  TOwned<TBitmap> FMyImage;
  TOwned<TPersistence> FPersistence;
  int FMinimumSize = 3;
  bool FLockHeight = false;
  bool FPropertiesLoaded = false;
  bool FUseRunTimeHeight = false;
};
