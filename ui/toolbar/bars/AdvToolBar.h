// The docking toolbar: a windowed control that carries items (toolbar
// buttons, separators, glow buttons, containers and any other control) in a
// row. Where it lives follows from its Parent alone: on a dock panel it is
// docked in a dock row, in a floating window it floats, on anything else it
// is fixed; a fixed toolbar on a ribbon page is a ribbon group.
//
// The sources are split by concern: the model, life cycle and styler binding
// (AdvToolBar.cpp), the item layout, sizing and overflow
// (AdvToolBarLayout.cpp), painting (AdvToolBarPaint.cpp) and the parent
// change and bounds requests that dock it (AdvToolBarDock.cpp).
#pragma once

#include "base/ExtCtrls.h"
#include "base/Forms.h"
#include "base/ImgList.h"
#include "base/Lists.h"
#include "base/Menus.h"
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/draw/GdipPicture.h"
#include "ui/draw/HintInfo.h"
#include "ui/toolbar/bars/ToolBarHosts.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"
#include "ui/toolbar/stylers/ToolBarStyler.h"

class TLayoutStore;
class TAdvToolBarCustomizer;

class TAdvDockPanel;
class TAdvCustomToolBarButton;
class TAdvToolBarMenuButton;
class TAdvPopupMenu;
class TControlSelectorPanel;
class TOptionSelectorWindow;

// Posted by a toolbar to itself once a button's menu was shown.
constexpr UINT WM_TOOLBARMENUCLOSED = 0x1400;
class TFloatingWindow;

enum class TToolBarState { tsDocked, tsFloating, tsFixed };
// A dock panel's side, and a toolbar's orientation: horizontal for daTop and
// daBottom.
enum class TDockAlign { daLeft, daTop, daRight, daBottom };
using TDockableTo = Set<TDockAlign>;
enum class TDockMode { dmAll, dmAllParentDockPanels, dmParentDockPanelOnly };
enum class TCaptionPosition { cpTop, cpBottom };

inline bool IsHorizontal(TDockAlign A) { return A == TDockAlign::daTop || A == TDockAlign::daBottom; }

// Sets a flag of the toolbar for the life of the guard and puts its old
// value back.
struct FlagGuard {
  bool& Flag;
  bool Saved;
  FlagGuard(bool& F, bool Value) : Flag(F), Saved(F) { Flag = Value; }
  ~FlagGuard() { Flag = Saved; }
};

using TOptionEvent = std::function<void(TObject* Sender, TPoint ClientPoint, TPoint ScreenPoint)>;
using TDockedEvent = std::function<void(TObject* Sender, TAdvDockPanel* AdvDockPanel)>;
using TCanFloatEvent = std::function<void(TObject* Sender, bool& Allow)>;

// The toolbar library's version, a byte each from the highest: 6.5.1.3.
constexpr int ToolBarVersionNr = 0x06050103;
String ToolBarVersionText(int VersionNr);

class TAdvCustomToolBar : public TCustomControl, public IToolBarStylerReceiver {
  VANTREL_CLASS(TAdvCustomToolBar)
 public:
  explicit TAdvCustomToolBar(TComponent* AOwner);

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void SetParent(TWinControl* AParent) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // The class library's Update; then a docked toolbar lets its dock panel
  // arrange the rows that need it and updates its overflow; then the items
  // are placed again and the toolbar sized.
  void Update() override;
  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;

  int GetVersionNr() const { return ToolBarVersionNr; }
  String Version() const { return ToolBarVersionText(ToolBarVersionNr); }
  void SetVersion(const String&) {}

  // --- Styler binding -----------------------------------------------------
  void ApplyStylerChange(int Kind) override;
  IToolBarStylerReceiver* CompactStylerReceiver() override;
  // The assigned styler (or the one taken from the parent), nullptr for none.
  TCustomAdvToolBarStyler* ToolBarStyler() const { return FToolBarStyler; }
  void SetToolBarStyler(TCustomAdvToolBarStyler* Value);
  // The styler in effect; never nullptr.
  TCustomAdvToolBarStyler* CurrentToolBarStyler() const { return FCurrentToolBarStyler; }
  TCustomAdvToolBarStyler* InternalToolBarStyler() const { return FInternalToolBarStyler; }
  bool ParentStyler() const { return FParentStyler; }
  // True (again) takes the parent's styler anew; False drops one taken from
  // the parent.
  void SetParentStyler(bool Value);
  // Glow items take the styler's glow colours, other items its style.
  void UpdateButtonAppearances();
  // Every toolbar container among the items repaints.
  void InvalidateContainers();
  // The grip style of the styler in effect (all its controls change).
  TDragGripStyle DragGripStyle() const { return FCurrentToolBarStyler->DragGripStyle(); }
  void SetDragGripStyle(TDragGripStyle Value) { FCurrentToolBarStyler->SetDragGripStyle(Value); }

  // --- Colour tones of the owning pager -----------------------------------
  IToolBarPager* GetOwnerPager();
  bool PagerTonesActive();
  void ApplyColorTones();
  void ClearColorTones();
  // The owning pager shows hints of disabled controls.
  bool ShowDisabledControlsHint();

  // --- Items ----------------------------------------------------------------
  int ToolBarControlCount() const { return FATBControls->Count(); }
  // nullptr for an index outside the list.
  TControl* ToolBarControls(int Index) const;
  int IndexOfToolBarControl(TControl* AControl) const { return FATBControls->IndexOf(AControl); }
  // Makes AControl a child placed last; -1 for nullptr, a listed control or
  // one that is already a child.
  int AddToolBarControl(TControl* AControl);
  int InsertToolBarControl(int Index, TControl* AControl);
  void MoveToolBarControl(int FromIndex, int ToIndex);
  void EnableAllControls(bool Value);
  // The items in priority order for staying visible (first kept longest),
  // and the items hidden for want of room.
  int PriorityCount() const { return FRUControls->Count(); }
  TControl* PriorityControls(int Index) const { return static_cast<TControl*>(FRUControls->GetItemsEx(Index)); }
  int HiddenCount() const { return FLUHidedControls->Count(); }
  TControl* HiddenControls(int Index) const { return static_cast<TControl*>(FLUHidedControls->GetItemsEx(Index)); }
  bool IsHiddenControl(TControl* AControl) const { return FLUHidedControls->IndexOf(AControl) >= 0; }
  // The item was used: to the front of the priority list, then the overflow
  // is worked out again.
  void MoveUpInRUList(TControl* AControl) { MoveToFront(AControl); }
  // While the depth is above 0 the toolbar neither paints nor lays out.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }
  // The visible items ordered by Left, then Top (ribbon groups).
  void BuildSequenceList(TDbgList* List, bool VisibleOnly);

  // --- Where it lives -------------------------------------------------------
  TToolBarState GetToolBarState() const { return FToolBarState; }
  TAdvDockPanel* AdvDockPanel() const { return FCurrentDock; }
  void SetAdvDockPanel(TAdvDockPanel* Value);
  TAdvDockPanel* LastDock() const { return FLastDock; }
  void Dock(TAdvDockPanel* NewDockSite);
  // The window the toolbar floats in, nullptr while it has none.
  TFloatingWindow* FloatingWindow() const { return FFloatingWindow; }
  // A floating toolbar (or one with a floating window) moves its window to
  // P; any other floats there in a new window.
  void SetToolBarFloating(TPoint P);
  // The window is made, the toolbar moved into it and shown at (X, Y), or
  // at the cursor without UsePoint. Not for groups, nor twice.
  void MakeFloating(int X, int Y, bool UsePoint);
  // The floating close button's action: back to the last dock panel with
  // AutoDockOnClose, else hidden (OnClose).
  void CloseFloating();
  // The panel's side is among DockableTo and (a locked panel) a row can
  // take the toolbar.
  bool CanDockTo(TAdvDockPanel* Panel);
  // Client points on the toolbar's own parts.
  bool PtInDragGrip(TPoint P);
  bool PtInRightHandle(TPoint P);
  bool PtInFloatingCaption(TPoint P);
  bool PtInCloseButton(TPoint P);
  bool PtInOptionButton(TPoint P);
  // The grip drag: a modal loop that follows the mouse while the toolbar
  // holds the capture, until the left button comes up. Its steps are
  // public for callers that drive a drag themselves: Start remembers the
  // press point and gathers the dock targets, DragMove takes each pointer
  // position (client coordinates), End lets go.
  void TrackGripDrag(TShiftState Shift, int X, int Y);
  void StartGripDrag(int X, int Y);
  void DragMove(int X, int Y);
  void EndGripDrag();
  bool Dragging() const { return FDragging; }
  int DockTargetCount() const { return static_cast<int>(FDockList.size()); }
  // Floating rows: refused below 1, above the most or unchanged.
  void SetFloatingRows(int Count);
  int GetMaxFloatingRows();
  bool GetSizeForRows(int Count, int& H, int& W);
  // The floating window follows the form of the last dock panel: hidden
  // with it, shown again with it (the 40 ms window timer's tick).
  void FloatingTimer();
  bool AutoHiding() const { return FAutoHiding; }
  TDockAlign Position() const { return FPosition; }
  // Turns the toolbar to another orientation (docking into a panel of
  // another side).
  void SetPosition(TDockAlign Value);
  bool IsHorizontalBar() const { return IsHorizontal(FPosition); }
  // Dock-row access.
  int Row() const { return FRow; }
  void SetRow(int Value) { FRow = Value; }
  bool AllowBoundChange() const { return FAllowBoundChange; }
  void SetAllowBoundChange(bool Value) { FAllowBoundChange = Value; }
  // Room to shorten to the minimum length and to lengthen to the full one.
  int GetShrinkableLength();
  int GetGrowableLength();

  // --- Layout and sizing ----------------------------------------------------
  void PositionControls(bool WithSizing);
  void AutoSizeToolBar();
  int GetFullLength();
  void GetFloatingSize(int& W, int& H);
  // The floating size for Rows rows, of the shown items or of all.
  void FloatingSizeFor(int Rows, bool AllItems, int& W, int& H);
  void UpdateOverflow();
  void RecheckHiddenControls();
  void ShowAllHiddenControls();
  void UpdateSeparatorVisibility();
  int MinLength() const { return FMinLength; }
  int MaxLength() const { return FMaxLength; }
  int SizeAtDock() const { return FSizeAtDock; }
  int FloatingRows() const { return FFloatingRows; }
  // 2, or the grip and 2 when the grip shows.
  int StartOffset();
  int RightHandleWidth() const { return FPopupIndicatorWidth; }
  int DragGripWidth() const { return FDragGripWidth; }
  bool GripShown();
  bool RightHandleShown();
  // The docked thickness: the largest item across, + 4, at least 26.
  int GetDockedThickness(bool Floating);
  int GetMaxButtonExtent();

  // --- Painting -------------------------------------------------------------
  TRect GetCaptionRect();
  TRect GetItemsRect();
  TRect GetCloseButtonRect();
  TRect GetOptionButtonRect();
  TRect GetCaptionOptionRect();
  TRect GetDragGripRect();
  TRect GetRightHandleRect();
  void DrawDragGrip();
  void DrawRightHandle();
  void DrawCloseButton();
  void DrawOptionButton();
  // The dock panel or page under the toolbar, as the corner pixels read it.
  TWinControl* OwnerPage();

  // --- Properties -----------------------------------------------------------
  bool AllowFloating() const { return FAllowFloating; }
  void SetAllowFloating(bool Value);
  TAntiAlias AntiAlias() const { return FAntiAlias; }
  void SetAntiAlias(TAntiAlias Value);
  bool AutoArrangeButtons() const { return FAutoArrangeButtons; }
  void SetAutoArrangeButtons(bool Value);
  bool AutoDockOnClose() const { return FAutoDockOnClose; }
  void SetAutoDockOnClose(bool Value) { FAutoDockOnClose = Value; }
  bool AutoOptionMenu() const { return FAutoOptionMenu; }
  void SetAutoOptionMenu(bool Value) { FAutoOptionMenu = Value; }
  bool AutoPositionControls() const { return FAutoPositionControls; }
  void SetAutoPositionControls(bool Value);
  bool AutoPositionMultiRow() const { return FAutoPositionMultiRow; }
  void SetAutoPositionMultiRow(bool Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  bool Locked() const { return FLocked; }
  void SetLocked(bool Value);
  // Caption wins over WideCaption when not empty.
  const String& ToolBarCaption() const { return FCaption; }
  void SetToolBarCaption(const String& Value);
  const String& WideCaption() const { return FWideCaption; }
  void SetWideCaption(const String& Value);
  String CaptionText() const { return FCaption.empty() ? FWideCaption : FCaption; }
  TFont* CaptionFont() const { return FCaptionFont; }
  void SetCaptionFont(TFont* Value);
  int CaptionHeight() const { return FCaptionHeight; }
  void SetCaptionHeight(int Value);
  TCaptionPosition CaptionPosition() const { return FCaptionPosition; }
  void SetCaptionPosition(TCaptionPosition Value);
  TAlignment CaptionAlignment() const { return FCaptionAlignment; }
  void SetCaptionAlignment(TAlignment Value);
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  const String& HintOptionButton() const { return FHintOptionButton; }
  void SetHintOptionButton(const String& Value) { FHintOptionButton = Value; }
  const String& HintCloseButton() const { return FHintCloseButton; }
  void SetHintCloseButton(const String& Value) { FHintCloseButton = Value; }
  bool ShowRightHandle() const { return FShowRightHandle; }
  void SetShowRightHandle(bool Value);
  bool ShowClose() const { return FShowClose; }
  void SetShowClose(bool Value) { FShowClose = Value; }
  bool ShowOptionIndicator() const { return FShowOptionIndicator; }
  void SetShowOptionIndicator(bool Value);
  bool ShowPopupIndicator() const { return FShowPopupIndicator; }
  TDockableTo DockableTo() const { return FDockableTo; }
  void SetDockableTo(TDockableTo Value) { FDockableTo = Value; }
  TDockMode DockMode() const { return FDockMode; }
  void SetDockMode(TDockMode Value) { FDockMode = Value; }
  bool FullSize() const { return FFullSize; }
  void SetFullSize(bool Value);
  const String& TextAutoOptionMenu() const { return FTextAutoOptionMenu; }
  void SetTextAutoOptionMenu(const String& Value) { FTextAutoOptionMenu = Value; }
  const String& TextOptionMenu() const { return FTextOptionMenu; }
  void SetTextOptionMenu(const String& Value) { FTextOptionMenu = Value; }
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TCustomImageList* DisabledImages() const { return FDisabledImages; }
  void SetDisabledImages(TCustomImageList* Value);
  TMainMenu* Menu() const { return FMenu; }
  // Makes the toolbar the menu bar of Value: one menu button per top-level
  // item (nullptr takes them away).
  void SetMenu(TMainMenu* Value);
  TPopupMenu* OptionMenu() const { return FOptionMenu; }
  void SetOptionMenu(TPopupMenu* Value);
  TGDIPPicture* OptionPicture() const { return FIOptionPicture; }
  void SetOptionPicture(TGDIPPicture* Value) { FIOptionPicture->Assign(Value); }
  TGDIPPicture* OptionDisabledPicture() const { return FIOptionDisabledPicture; }
  void SetOptionDisabledPicture(TGDIPPicture* Value) { FIOptionDisabledPicture->Assign(Value); }
  bool ParentOptionPicture() const { return FParentOptionPicture; }
  void SetParentOptionPicture(bool Value);
  // On a ribbon page: the toolbar's place among the page's groups; -1
  // elsewhere, where setting it does nothing.
  int ToolBarIndex();
  void SetToolBarIndex(int Value);
  TAdvHintInfo* OfficeHint() const { return FOfficeHint; }
  void SetOfficeHint(TAdvHintInfo* Value) { FOfficeHint->Assign(Value); }
  TPersistence* Persistence() const { return FPersistence; }
  void SetPersistence(TPersistence* Value) { FPersistence->Assign(Value); }
  bool HideOnEmpty() const { return FHideOnEmpty; }
  void SetHideOnEmpty(bool Value) { FHideOnEmpty = Value; }
  bool IsCompact() const { return FCompact; }
  TCustomForm* CompactWindow() const { return FCompactWindow; }
  // On a group: its clone while compact; on a clone: its group.
  TAdvCustomToolBar* SelfClone() const { return FSelfClone; }
  TAdvGlowButton* CompactButton() const { return FCompactBtn; }
  bool FirstRun() const { return FFirstRun; }
  bool PropertiesLoaded() const { return FPropertiesLoaded; }
  // The layout store (LayoutStore.h): the floating state and the
  // visibility of the named items. Saving happens when the toolbar is freed
  // and loading in Loaded (or when its dock panel loads), both with
  // Persistence enabled at run time.
  void SavePosition();
  void LoadPosition();
  void SavePosition(TLayoutStore& Store);
  void LoadPosition(TLayoutStore& Store);
  bool PersistSettingLoaded() const { return FPersistSettingLoaded; }
  // The customizer that keeps the user's arrangement of the toolbar; it
  // writes the designed layout and applies the user's when the toolbar
  // has loaded.
  TAdvToolBarCustomizer* Customizer() const { return FCustomizer; }
  void SetCustomizer(TAdvToolBarCustomizer* Value) { FCustomizer = Value; }

  // --- The option window (ToolBarOptionWindow.cpp) -------------------------
  // Fills the chevron drop-down: the items the overflow hid, in order, with
  // a separator between groups, then the options and add-or-remove entries.
  void BuildOptionWindow();
  // Drops it at (X, Y) when AtPoint, else under the chevron (kept on the
  // work area); an empty drop-down shows nothing.
  void ShowOptionWindow(int X, int Y, bool AtPoint);
  void HideOptionWindow();
  TOptionSelectorWindow* OptionWindow() const { return FOptionWindow; }
  TControlSelectorPanel* OptionWindowPanel() const { return FOptionWindowPanel; }
  // The floating window's Left and Top when floating, else the toolbar's.
  TPoint GetPosition();
  // A ribbon group's hover glow (0..100) and its state.
  bool Hot() const { return FHot; }
  int HoverStep() const { return FStepHover; }
  bool HoverTimerRunning() const { return FTimer != nullptr; }

  // --- Ribbon groups: sizing steps and the compact form (ToolBarCompact.cpp)
  // One step of the layouts of up to three glow buttons, worked from the end
  // of the group: large to label (side by side to one column), else label to
  // glyph (one column). The result is the width gained, negative when the
  // step widens the group, 0 when no step exists; Target is the state the
  // buttons take. Without Apply nothing changes.
  int ShrinkButtons(TButtonSizeState& Target, bool Apply);
  int GetShrinkGain(TButtonSizeState& Target) { return ShrinkButtons(Target, false); }
  // The reverse steps (glyph to label, else label to large); the result is
  // the width the step needs, negative when it narrows the group.
  int GrowButtons(TButtonSizeState& Target, bool Apply);
  int GetGrowCost(TButtonSizeState& Target) { return GrowButtons(Target, false); }
  void ShrinkToSmallest();
  void GrowToLargest();
  // The width the group needs when whole (a compact group: its clone's at
  // the smallest layout), and the width of its compact form.
  int GetFullWidth();
  int GetCompactWidth();
  // False for a group whose compact form was forced through SetCompact.
  bool CanAutoCompact() const { return !FCompactMode; }
  bool Compact() const { return FCompact; }
  // Forces the compact form on (the page then never expands the group) or
  // off, and lets the page fit its groups again.
  void SetCompact(bool Value);
  // Enters or leaves the compact form (on a page, once loaded, not forced).
  void SwitchCompact(bool Value);
  // The compact button's click: drops the compact window under the group.
  void CompactButtonClick(TObject* Sender);
  void HideCompactWindow();
  // Posts "TBCompactWinHide" to the toolbar's window.
  void PostCompactWindowHide();
  // On the clone, once its window hid: the pager remembers the group's
  // compact button and clicks another compact button under the cursor.
  void NotifyCompactClosed();
  // The clone takes the group's settings, and with MoveItems its items.
  void UpdateSelfClone(bool MoveItems);
  // The clone lays out again after items were shown or hidden.
  void UpdateControlsVisibility();
  void UpdateCompactButtonAppearance();
  const String& CompactCaption() const { return FCompactCaption; }
  void SetCompactCaption(const String& Value);
  const String& WideCompactCaption() const { return FWideCompactCaption; }
  void SetWideCompactCaption(const String& Value) { FWideCompactCaption = Value; }
  TGDIPPicture* CompactPicture() const { return FICompactPicture; }
  void SetCompactPicture(TGDIPPicture* Value) { FICompactPicture->Assign(Value); }
  int CompactImageIndex() const { return FCompactImageIndex; }
  void SetCompactImageIndex(int Value);
  const String& CompactShortCutHint() const { return FCompactShortCutHint; }
  void SetCompactShortCutHint(const String& Value) { FCompactShortCutHint = Value; }
  int CompactMinWidth() const { return FCompactMinWidth; }
  void SetCompactMinWidth(int Value) { FCompactMinWidth = Value; }
  bool CompactSmallest() const { return FCompactSmallest; }
  void SetCompactSmallest(bool Value) { FCompactSmallest = Value; }
  void SetOnCompactCloseQuery(TCloseQueryEvent Value);
  // A page adopting the group admits it to its fitting.
  void MarkPropertiesLoaded() { FPropertiesLoaded = true; }
  bool ChangingParent() const { return FChangingParent; }

  // --- Key tips of ribbon groups (ToolBarKeyTips.cpp)
  // The key tips of the visible, enabled glow buttons, nested items too.
  void ShowShortCutHints();
  void HideShortCutHints();
  // Typed key-tip text (either case): an exact match triggers its button
  // (True); buttons whose key tip only starts with it add 1 to Partial, the
  // others hide their key tips.
  bool HandleShortCutHintKey(const String& Text, int& Partial);
  // A glow button of the group has its drop-down open.
  bool HasDroppedDownButton();
  // The owning pager takes the focus back.
  void RestorePagerFocus();
  // The key hook of a group's glow buttons: key-tip characters typed while
  // the page shows the key tips of its groups, Escape and Up back to the
  // pager, Left and Right through the buttons and on to the next group.
  void GlowButtonKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  // A glow button on a docked toolbar was clicked: the option window hides.
  void GlowButtonInternalClick(TObject* Sender);
  // The first and last item that the arrow keys reach (a compact group: its
  // compact button), nullptr for none.
  TWinControl* FirstFocusControl(bool OnlyFocusable);
  TWinControl* LastFocusControl(bool OnlyFocusable);
  // Repaints the toolbar and the items that paint through to it.
  void InvalidateControls();
  // With images: the items size themselves again and the toolbar buttons
  // make their shade glyphs anew.
  void UpdateImagesShade();
  // The caption option indicator's glow (0..100 hovering, pushing).
  int OptionHoverStep() const { return FOptionStepHover; }
  int OptionPushStep() const { return FOptionStepPush; }
  bool OptionTimerRunning() const { return FOptionTimer != nullptr; }
  bool CaptionOptionHot() const { return FCapOptIndicatorHot; }
  bool CaptionOptionDown() const { return FCapOptIndicatorDown; }
  TGlowState GlowState() const { return FGlowState; }
  // One step of the hover glow and of the option indicator's glow (the
  // timers' ticks).
  void HoverTimerTick(TObject* Sender);
  void OptionTimerTick(TObject* Sender);

  // --- The menu bar (ToolBarMenuBar.cpp) -----------------------------------
  // The popup being shown or last built.
  TAdvPopupMenu* ActiveMenu() const { return FTempMenu; }
  // Binds the top-level items to their buttons again; rebuilds the buttons
  // when an item has none.
  void UpdateMenu();
  // Drops the button's menu (the item's sub-items, or its DropDownMenu) and
  // returns when it has closed; False for a button without either.
  virtual bool DropButtonMenu(TAdvCustomToolBarButton* Button);
  virtual void EndMenuMode();
  // Closes the open menu and opens Button's instead.
  virtual void SwitchMenuButton(TAdvCustomToolBarButton* Button, bool ByMouse);
  // Menu mode: the keyboard belongs to the menu bar until Esc, Alt, a
  // choice or a click elsewhere; Button (or nullptr) drops its menu first.
  virtual bool RunMenuMode(TAdvCustomToolBarButton* Button);
  virtual void BeginMenuMode(TAdvCustomToolBarButton* Button);
  bool InMenuLoop() const { return FInMenuLoop; }
  bool MenuFocused() const { return FMenuFocused; }
  bool MenuDropped() const { return FMenuDropped; }
  TAdvCustomToolBarButton* HotButton() const { return FHotButton; }
  // The form the toolbar serves (through its dock panel when docked).
  TCustomForm* FindHostForm();
  // Makes Button the hot one (nullptr: none); False when there was none to
  // clear.
  bool SetHotMenuButton(TAdvCustomToolBarButton* Button);
  // The N-th visible, enabled menu button becomes hot (N < 0: none).
  void SetHotMenuButtonIndex(int N);
  void MenuItemTimerTick(TObject* Sender);
  // Where the menu of the button drops, W wide.
  TPoint MenuDropPoint(TAdvCustomToolBarButton* Button, TAdvPopupMenu* Menu, int W);
  TPoint LastDropPoint() const { return FLastDropPoint; }

  // --- A second menu on the bar, and the window menu's MDI children
  // (ToolBarMenuMerge.cpp) ------------------------------------------------
  // Shows AMenu (an MDI child's, say) on the bar too: a top-level item with
  // a non-zero GroupIndex takes the place of the bar's buttons of that
  // group, every other item gets a button of its own, and the menu buttons
  // end in GroupIndex order. One menu is merged at a time; nullptr ends the
  // merge, which gives the bar back its own buttons exactly as they were.
  void MergeMenu(TMainMenu* AMenu);
  // Ends the merge when AMenu is the merged menu.
  void UnmergeMenu(TMainMenu* AMenu);
  TMainMenu* MergedMenu() const { return FMergedMenu; }
  // The MDI children the host form's window menu lists while it is open,
  // the active one checked; choosing one brings it to front. An empty
  // Caption stands for the form's caption. A form that is freed leaves the
  // list by itself.
  void AddMDIChildMenu(TCustomForm* ChildForm, const String& Caption);
  void RemoveMDIChildMenu(TCustomForm* ChildForm, const String& Caption);
  void RemoveAllMDIChildMenu();
  int MDIChildMenuCount() const;
  TCustomForm* MDIChildMenuForm(int Index) const;
  String MDIChildMenuCaption(int Index) const;

  // --- Keys and shortcuts (ToolBarKeys.cpp) --------------------------------
  // The key (with the shift state in KeyData) runs the menu item with that
  // shortcut; else, with ConsiderButtons, the first glow button or toolbar
  // button (nested ones too) whose action has it. True when one ran.
  virtual bool IsShortCut(WORD CharCode, LPARAM KeyData, bool ConsiderButtons);
  // A key outside menu mode: ribbon groups on pages, in the minimized
  // ribbon and in a compact group's drop-down. True when the default
  // handling must not run.
  bool ToolBarKeyDown(WORD Key);

  // --- MDI child buttons (ToolBarMDI.cpp) ----------------------------------
  bool AutoMDIButtons() const { return FAutoMDIButtons; }
  // True on a full-size menu-bar toolbar with a host form: the form's
  // window procedure is replaced (once per form) so that the buttons follow
  // it. Anything else leaves it False.
  void SetAutoMDIButtons(bool Value);
  bool MDIButtonsVisible() const { return FMDIButtonsVisible; }
  TRect GetMDICloseRect();
  TRect GetMDIMaxRect();
  TRect GetMDIMinRect();
  bool PtInMDICloseButton(TPoint P);
  bool PtInMDIMaxButton(TPoint P);
  bool PtInMDIMinButton(TPoint P);
  void DrawMDIButtons();
  void CloseMDIChild();
  void RestoreMDIChild();
  void MinimizeMDIChild();
  // The form window was destroyed under the hook: nothing is left to undo.
  void ForgetMDIForm();

  TNotifyEvent OnClose;
  TOptionEvent OnOptionClick;
  TCanFloatEvent OnCanFloat;
  TDockedEvent OnDocked;
  TNotifyEvent OnUnDocked;
  TNotifyEvent OnCompactShow;
  TCloseQueryEvent OnCompactCloseQuery;

  // The hooks a ribbon group puts in its glow buttons: the height a button
  // asks for (large buttons fill the group below its caption) and where its
  // key tip goes when it leaves that to the group. A page that adopts a
  // group has them put in every glow button it holds (LinkGlowButtons).
  void GlowButtonSetSize(TObject* Sender, int& W, int& H);
  void GlowButtonGetShortCutHintPos(TObject* Sender, TButtonSizeState SizeState, TShortCutHintPos& Pos);
  void LinkGlowButtons();
  // The Tops of up to three button rows of a ribbon group (-100: none).
  void UpdateButtonRows();
  int ButtonRow(int Index) const { return FButtonRows[Index]; }

 protected:
  void Destroy() override;
  void Paint() override;
  void AdjustClientRect(TRect& Rect) override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void Resize() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void TrackPartsHover(TShiftState Shift, TPoint P);
  void PartsMouseLeave();
  // The right handle or the floating option button was pressed: tells
  // OnOptionClick where the drop-down goes and drops the option window.
  void OptionIndicatorClick();
  // The caption's option indicator was pressed: OnOptionClick, else the
  // option menu pops up under the toolbar.
  void CaptionOptionClick();
  // Where the option window drops, on the screen: under the chevron of a
  // docked toolbar, beside the option button of a floating one.
  TPoint OptionDropPoint();
  void OptionWindowHide();
  // Shown or hidden: the dock rows, the floating window and a ribbon page
  // follow.
  void VisibleChanged(TMessage& Message);
  // Items that sat in the option window come home (the window goes first).
  void TakeBackFromOptionWindow();
  void BuildDockList();
  void CollectDockPanels(TWinControl* Control);
  void RefreshDockRects();
  void Click() override;
  virtual void DoCompactShow();

  // Item lists.
  void InsertItem(TControl* AControl);
  void RemoveItem(TControl* AControl);
  int FindInsertIndex(int CurIndex, int X, int Y);
  int ReorderControl(int Index, int X, int Y);
  void BuildControlList();
  void ControlChange(TControl* AControl, bool Inserting);
  // The item was used: to the front of the priority list, back from the
  // hidden ones, and the overflow anew.
  void MoveToFront(TControl* AControl);
  void ControlMoved(TControl* AControl);
  bool IsListed(TControl* AControl) const { return FATBControls->IndexOf(AControl) >= 0; }
  bool IsShown(TControl* AControl) const { return AControl->Visible() && !IsHiddenControl(AControl); }
  int ItemLength(TControl* AControl) const;
  int ItemFarEdge(TControl* AControl) const;
  void MoveAway(TControl* AControl);
  // The nearest separator before / after the item in the list that is
  // shown (or hidden), -1 for none.
  int SeparatorBefore(int Index, bool Hidden) const;
  int SeparatorAfter(int Index, bool Hidden) const;
  bool GroupHasShownItem(int Index) const;
  void GiveBack(TControl* AControl);
  // Painting parts.
  void PaintFloatingCaption();
  void PaintDockedCaption(bool InTabGroup, bool Toned);
  void PaintCorners(const TRect& R, TColor Fill);
  void PaintBorder(const TRect& R, TColor Fill, TColor Border, TColor SeparatorColor, bool InTabGroup, bool Toned);
  void DrawCaptionOptionIndicator();
  bool IsRibbonGroup();
  bool OnPageOrCompactWindow() const;
  TAdvDockPanel* DockPanelParent() const;
  void LinkGlowButton(TAdvCustomGlowButton* G);
  std::vector<TWinControl*> FocusList(bool OnlyFocusable);
  void FocusChanged(TControl* Focused);
  void StartHoverGlow(bool Entering);
  void StartOptionGlow(int Step, TGlowState State);
  void InvalidateToolBarRect(const TRect& R);
  void GroupMouseEnter();
  void GroupMouseLeave();
  void ReadjustButtons();
  // The compact form's two directions and the compact button's image.
  void EnterCompact();
  void LeaveCompact();
  void SetCompactButtonImage();
  void CompactPictureChanged();
  // Menu bar parts.
  TAdvToolBarMenuButton* NewMenuButton(TMenuItem* Item);
  TAdvCustomToolBarButton* NeighbourMenuButton(bool Forward);
  TAdvCustomToolBarButton* FindAccelButton(wchar_t Key);
  TSize MeasureMenuEntry(TMenuItem* Item);
  void RestoreButtonMenu();
  void MenuClosed();
  // Menu-mode keys; True when the key needs nothing more.
  bool MenuModeKeyDown(WORD Key);
  // The menu bar's messages; True when handled.
  bool MenuBarMessage(TMessage& Message);
  // Takes off the hooks and timer this toolbar holds.
  void ReleaseMenuState();
  // Makes a button for each top-level item of Menu and binds the items to
  // the menu buttons in list order.
  void BuildMenuButtons();
  // Merging parts. A menu button of the own or the merged menu.
  static bool IsBarMenuButton(TControl* C);
  void CreateMergedButtons();
  // Takes the merged buttons away (UndoMergedButtons) and binds the own
  // menu again.
  void FreeMergedButtons();
  void UndoMergedButtons();
  // Puts the listed controls in the order of Order (those still listed;
  // the others keep their places).
  void ArrangeControls(const std::vector<TControl*>& Order);
  // The window menu's entries for the MDI children while a menu is open.
  void AddMDIChildItems();
  void FreeMDIChildItems();
  void MDIChildMenuClick(TObject* Sender);
  // A component that goes: its MDI child entries and window menu entries
  // leave the lists.
  void MDIChildMenuGone(TComponent* AComponent);
  // MDI parts.
  void UnhookMDIForm();
  TCustomForm* ActiveMDIChildForm();
  void DrawMDIButton(const TRect& R, bool Hot, bool Down, int Glyph, bool Grey);
  bool MDIButtonsMessage(TMessage& Message);
  bool MDIButtonsAct();

  TAntiAlias FAntiAlias = TAntiAlias::aaClearType;
  TOwned<TDbgList> FATBControls;
  TOwned<TDbgList> FRUControls;
  TOwned<TDbgList> FLUHidedControls;
  TCustomAdvToolBarStyler* FInternalToolBarStyler = nullptr;  // owned as a component
  TCustomAdvToolBarStyler* FToolBarStyler = nullptr;
  TCustomAdvToolBarStyler* FCurrentToolBarStyler = nullptr;
  bool FParentStyler = true;
  int FDragGripWidth = 7;
  int FPopupIndicatorWidth = 14;
  TAdvDockPanel* FCurrentDock = nullptr;
  TAdvDockPanel* FLastDock = nullptr;
  TDockAlign FPosition = TDockAlign::daTop;
  TCursor FOldCursor = crDefault;
  bool FDragging = false;
  int FOldMouseX = 0, FOldMouseY = 0;
  bool FHotPopupIndicator = false;
  bool FDownPopupIndicator = false;
  int FRow = -1;
  TToolBarState FToolBarState = TToolBarState::tsDocked;
  bool FAllowBoundChange = false;
  bool FFullSize = false;
  TDockableTo FDockableTo{TDockAlign::daLeft, TDockAlign::daTop, TDockAlign::daRight, TDockAlign::daBottom};
  TFloatingWindow* FFloatingWindow = nullptr;  // owned while it lives
  struct TDockTarget {
    TAdvDockPanel* Panel;
    TRect Rect;  // on the screen, widened into the form
  };
  std::vector<TDockTarget> FDockList;
  TCustomForm* FParentForm = nullptr;
  bool FAutoHiding = false;
  TComponent* FOwner = nullptr;
  String FCaption;
  String FWideCaption;
  TOwned<TFont> FCaptionFont;
  bool FShowOptionIndicator = true;
  bool FShowPopupIndicator = true;
  bool FShowClose = true;
  int FCaptionHeight = 16;
  bool FHotCustomizedBtn = false, FDownCustomizedBtn = false, FHotCloseBtn = false, FDownCloseBtn = false;
  TCustomImageList* FImages = nullptr;
  TMainMenu* FMenu = nullptr;
  UINT_PTR FTimerID = 0;
  bool FInternalControlPositioning = false;
  bool FAutoRUL = true;
  int FFloatingRows = 1;
  int FSizeAtDock = 26;
  int FMinLength = 60;
  int FMaxLength = 60;
  TToolBarState FOldState = TToolBarState::tsDocked;
  bool FShowRightHandle = true;
  TOwned<TPersistence> FPersistence;
  TPopupMenu* FOptionMenu = nullptr;
  bool FAllowFloating = true;
  bool FLocked = false;
  TOptionSelectorWindow* FOptionWindow = nullptr;       // owned as a component
  TControlSelectorPanel* FOptionWindowPanel = nullptr;  // owned by its window
  bool FInternalControlUpdation = false;
  bool FAutoOptionMenu = false;
  String FHintOptionButton, FHintCloseButton;
  String FTextAutoOptionMenu = L"Add or Remove Buttons";
  String FTextOptionMenu = L"Options";
  bool FAutoArrangeButtons = true;
  TCustomImageList* FDisabledImages = nullptr;
  TOwned<TTimer> FMenuItemTimer;
  bool FUpdatingControls = false;
  bool FAutoDockOnClose = false;
  bool FShowCaption = false;
  TCaptionPosition FCaptionPosition = TCaptionPosition::cpTop;
  TAlignment FCaptionAlignment = TAlignment::taLeftJustify;
  TTimer* FTimer = nullptr;  // hover glow of a ribbon group, owned while it runs
  bool FHot = false;
  int FTimeInc = 20;
  int FStepHover = 0;
  TGlowState FGlowState = TGlowState::gsNone;
  bool FAutoSize = true;
  bool FCapOptIndicatorHot = false, FCapOptIndicatorDown = false;
  TOwned<TGDIPPicture> FIOptionDisabledPicture;
  TOwned<TGDIPPicture> FIOptionPicture;
  bool FAutoPositionControls = true;
  TTimer* FOptionTimer = nullptr;
  int FOptionStepHover = 0, FOptionStepPush = 0, FOptionTimeInc = 20;
  TGlowState FOptionGlowState = TGlowState::gsNone;
  String FCompactCaption;
  TOwned<TGDIPPicture> FICompactPicture;
  bool FCompact = false;
  bool FCompactMode = false;
  TAdvCustomToolBar* FSelfClone = nullptr;
  TCustomForm* FCompactWindow = nullptr;  // owned as a component
  int FCompactMinWidth = 45;
  TAdvGlowButton* FCompactBtn = nullptr;  // owned as a component
  bool FOldAutoPosition = false, FOldAutoArrangeButtons = false, FOldAutoSize = false;
  TOwned<TAdvHintInfo> FOfficeHint;
  bool FActive = false;
  bool FPropertiesLoaded = false;
  bool FPersistSettingLoaded = false;
  TAdvToolBarCustomizer* FCustomizer = nullptr;
  bool FParentOptionPicture = true;
  int FCompactImageIndex = -1;
  int FUpdateCount = 0;
  TOwned<TDbgList> FSeqControlList;
  bool FCompactSmallest = false;
  String FWideCompactCaption;
  TDockMode FDockMode = TDockMode::dmAll;
  bool FDoCheckBoundChange = false;
  String FCompactShortCutHint;
  bool FCompactShortCutHintShowing = false;
  int FButtonRows[3] = {-100, -100, -100};
  bool FCompactChanging = false;
  bool FHideOnEmpty = false;
  bool FFirstRun = true;
  bool FFirstShowing = true;
  TControl* FHintCtrl = nullptr;
  TOwned<TDbgList> FCtrlVisList;
  bool FSupressClick = false;
  bool FChangingParent = false;
  bool FAutoPositionMultiRow = false;
  TAdvCustomToolBarButton* FHotButton = nullptr;
  bool FMenuFocused = false;
  bool FInMenuLoop = false;
  TAdvPopupMenu* FTempMenu = nullptr;
  bool FOwnsTempMenu = false;
  TMenuItem* FButtonMenu = nullptr;
  TAdvCustomToolBarButton* FMenuButton = nullptr;
  TAdvCustomToolBarButton* FLastMenuButton = nullptr;
  TAdvCustomToolBarButton* FNextMenuHotButton = nullptr;
  TAdvCustomToolBarButton* FPendingMenuButton = nullptr;
  bool FCaptureChangeCancels = false;
  bool FMenuDropped = false;
  TPoint FLastDropPoint;
  bool FAutoMDIButtons = false;
  bool FMDIFormHooked = false;
  HWND FMDIForm = nullptr;
  bool FMDIButtonsVisible = false;
  bool FMDIHotCloseBtn = false, FMDIDownCloseBtn = false;
  bool FMDIHotMaxBtn = false, FMDIDownMaxBtn = false;
  bool FMDIHotMinBtn = false, FMDIDownMinBtn = false;
  TCustomForm* FMDIChildForm = nullptr;
  TMainMenu* FMergedMenu = nullptr;
  // The merge shown now: the own buttons re-bound to merged items (with
  // their own items), and the control and recently-used lists before it.
  bool FMergeApplied = false;
  std::vector<std::pair<TAdvCustomToolBarButton*, TMenuItem*>> FMergeRebound;
  std::vector<TControl*> FMergeOrder;
  std::vector<TControl*> FMergeRUOrder;
  // Captions, each with its MDI child form as the object; and the window
  // menu's entries made from them while a menu is open.
  TOwned<TStringList> FMDIChildMenuSL;
  std::vector<TMenuItem*> FMDIChildMenuList;

 private:
  void StylerParentChanged();
  void CaptionFontChanged();
  friend class TAdvDockPanel;
  friend class TAdvCustomToolBarButton;
  friend class TAdvCustomToolBarControl;
  friend class TRowCollection;
  friend class TRowCollectionItem;
};

class TAdvToolBar : public TAdvCustomToolBar {
  VANTREL_CLASS(TAdvToolBar)
 public:
  using TAdvCustomToolBar::TAdvCustomToolBar;
};

// The item is a toolbar separator.
bool IsToolBarSeparator(const TControl* Control);

// The styler binding that dock panels and toolbars share: each makes an
// internal styler of its own (named "InternalStyler", a sub-component,
// registered), may have one assigned, and has one in effect.
TCustomAdvToolBarStyler* NewInternalStyler(TCustomControl* Owner);
// Leaves an assigned styler other than the internal one, while it lives.
void LeaveStyler(TCustomControl* Owner, TCustomAdvToolBarStyler* Assigned, TCustomAdvToolBarStyler* Internal);
// While the owner is being freed: an assigned styler that goes is only
// forgotten, the internal one taking effect again. True when Gone was it.
bool ForgetStyler(TComponent* Gone, TCustomAdvToolBarStyler*& Assigned, TCustomAdvToolBarStyler*& Current,
                  TCustomAdvToolBarStyler* Internal);

// The entry selected in the open toolbar menu, nullptr when none.
TMenuItem* ToolBarMenuSelectedItem();
// The toolbar that replaced the form window's procedure for its MDI
// buttons, nullptr for none; and whether the replacement is in place.
TAdvCustomToolBar* ToolBarHoldingMDIForm(HWND Form);
bool IsMDIFormHooked(HWND Form);
