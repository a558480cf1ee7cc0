// TAdvToolBarPager: the ribbon. Docked at the top of its form it shows an
// optional caption bar, a row of tabs (one per page, grouped under
// tab-group strips where wanted) and the active page below them, which
// holds toolbars as ribbon groups. The pager keeps the list of its pages
// (it does not own them), exactly one active page, the fitting of the tabs
// into its width with scrolling when even cut tabs do not fit, and its
// binding to a toolbar styler, through which it paints.
//
// Sources: AdvToolBarPager.cpp (model, pages, life cycle, styler binding,
// scaling), AdvPagerLayout.cpp (rectangles, measuring, fitting and
// scrolling of the tabs), AdvPagerPaint.cpp (caption bar, tab strip, tabs),
// AdvPagerGeometry.cpp (the caption-button, quick-access, MDI, help and
// expand areas, the glass tests and the window region), AdvPagerMouse.cpp
// (hover, presses, double clicks, the caption bar's menu and moves),
// AdvPagerState.cpp (collapsing and expanding), AdvPagerButtons.cpp (the
// caption, MDI, help and expand/collapse buttons and the saved state),
// AdvPagerTones.cpp (colour and Office tones) and AdvPagerWindow.cpp (window
// creation, resizing with the glass region and caption layer, hit test, tab
// hints).
#pragma once

#include <memory>

#include "base/ExtCtrls.h"
#include "base/Forms.h"
#include "base/ImgList.h"
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/draw/GdiPlus.h"
#include "ui/draw/GdipPicture.h"
#include "ui/draw/HintInfo.h"
#include "ui/toolbar/bars/ToolBarHosts.h"
#include "ui/toolbar/ribbon/AdvPagerSettings.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"
#include "ui/toolbar/stylers/ToolBarStyler.h"

class TAdvPage;
class TAdvPageScrollButton;
class TAdvToolBarOfficeStyler;
class TAdvGlowButton;
class TTabAppearance;
class TShortCutHintWindow;
class TMinimizedRibbonWindow;
class TPagerHints;
class TCaptionLayer;
struct THintInfo;

enum class TCaptionButton { cbClose, cbMinimize, cbMaximize };
using TCaptionButtons = Set<TCaptionButton>;

using TTabChangingEvent = std::function<void(TObject* Sender, int FromPage, int ToPage, bool& AllowChange)>;
using TTabClickEvent = std::function<void(TObject* Sender, int Page)>;
using TTabGroupClickEvent = std::function<void(TObject* Sender, int TabGroup)>;
using TRibbonHideEvent = std::function<void(TObject* Sender, bool& CanHide)>;

// What the pager asks of an application button among its children (a
// control of the class "TAdvShapeButton"): its key tip and a click.
class IApplicationButtonKeyTip {
 public:
  virtual String AppButtonShortCutHint() = 0;
  virtual void AppButtonKeyTipClick() = 0;

 protected:
  ~IApplicationButtonKeyTip() = default;
};

// A child control that follows the scenic ribbon look: the pager tells it
// the scenic flag and the style code last given to pagers by its styler
// (-1 without an assigned styler).
class IScenicRibbonControl {
 public:
  virtual void ScenicRibbonChanged(bool Scenic, int Style) = 0;

 protected:
  ~IScenicRibbonControl() = default;
};

class TAdvToolBarPager : public TCustomControl,
                         public IToolBarStylerPager,
                         public IKelTones,
                         public IToolBarPager {
  VANTREL_CLASS(TAdvToolBarPager)
 public:
  explicit TAdvToolBarPager(TComponent* AOwner);

  // -------------------------------------------------------------------------
  // Pages

  // The page's index, appending it when absent; the pager becomes its
  // parent and places it; a page that is not active stays hidden.
  int AddAdvPage(TAdvPage* AdvPage);
  // A new page owned by the pager with that caption.
  int AddAdvPage(const String& PageCaption);
  // Takes the page out; when it was active the next selectable page (or
  // none) becomes active, and the active index always stays a valid page
  // or -1.
  void RemoveAdvPage(TAdvPage* AdvPage);
  // Moves a page in the list; the active page stays the same object.
  void MoveAdvPage(int CurIndex, int NewIndex);
  int IndexOfPage(TAdvPage* AdvPage) const;
  // Raises "Index out of bounds in list read access" for a bad index.
  TAdvPage* AdvPages(int Index) const;
  int AdvPageCount() const { return FAdvPages->Count(); }
  TAdvPage* ActivePage() const;
  void SetActivePage(TAdvPage* Value);
  int ActivePageIndex() const { return FActivePageIndex; }
  // Changes the page (OnChanging may refuse), repaints the tabs and fires
  // OnTabChanged when the index asked for differs from the old one.
  void SetActivePageIndex(int Value);
  // Nothing for a bad index or the active one; else OnChanging, the old
  // page hides, the new one shows, OnChange.
  void ChangeActivePage(int Index);
  // From CurPage one page on (or back), wrapping, at most count - 1 steps;
  // with CheckTabVisible the first with a visible tab. nullptr for none.
  TAdvPage* FindNextPage(TAdvPage* CurPage, bool GoForward, bool CheckTabVisible) const;
  // The next page with a visible, enabled tab becomes active (wrapping).
  void SelectNextPage(bool GoForward);
  bool PageInTabGroup(TAdvPage* AdvPage) const { return PageTabGroupIndex(AdvPage) >= 0; }
  int PageTabGroupIndex(TAdvPage* AdvPage) const;
  int HotPageIndex() const { return FHotPageIndex; }
  void SetHotPageIndex(int Value) { FHotPageIndex = Value; }
  int DownPageIndex() const { return FDownPageIndex; }
  void SetDownPageIndex(int Value) { FDownPageIndex = Value; }

  // -------------------------------------------------------------------------
  // Settings and properties

  TAdvPageCaption* Caption() const { return FCaption; }
  void SetCaption(TAdvPageCaption* Value) { FCaption->Assign(Value); }
  TATBTabSettings* TabSettings() const { return FTabSettings; }
  void SetTabSettings(TATBTabSettings* Value) { FTabSettings->Assign(Value); }
  TTabGroups* TabGroups() const { return FTabGroups; }
  void SetTabGroups(TTabGroups* Value) { FTabGroups->Assign(Value); }
  TATBTabScroller* TabScroller() const { return FTabScroller; }
  TPersistence* Persistence() const { return FPersistence; }
  void SetPersistence(TPersistence* Value) { FPersistence->Assign(Value); }
  TAdvHintInfo* OfficeHint() const { return FOfficeHint; }
  void SetOfficeHint(TAdvHintInfo* Value) { FOfficeHint->Assign(Value); }
  TGDIPPicture* OptionPicture() const { return FIOptionPicture; }
  void SetOptionPicture(TGDIPPicture* Value) { FIOptionPicture->Assign(Value); }
  TGDIPPicture* OptionDisabledPicture() const { return FIOptionDisabledPicture; }
  void SetOptionDisabledPicture(TGDIPPicture* Value) { FIOptionDisabledPicture->Assign(Value); }
  TGDIPPicture* HelpButtonPicture() const { return FHelpButtonPicture; }
  void SetHelpButtonPicture(TGDIPPicture* Value) { FHelpButtonPicture->Assign(Value); }
  TGDIPPicture* BrandingPicture() const { return FIBrandingPicture; }
  void SetBrandingPicture(TGDIPPicture* Value);

  TAntiAlias AntiAlias() const { return FAntiAlias; }
  void SetAntiAlias(TAntiAlias Value);
  bool AutoMDIButtons() const { return FAutoMDIButtons; }
  // On: the parent form's window procedure is replaced (one pager per
  // process) so that the pager hears the form's moves; off, or the pager
  // freed: the form gets its procedure back.
  void SetAutoMDIButtons(bool Value);
  bool CanMove() const { return FCanMove; }
  void SetCanMove(bool Value) { FCanMove = Value; }
  TCaptionButtons CaptionButtons() const { return FCaptionButtons; }
  void SetCaptionButtons(TCaptionButtons Value);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TCustomImageList* DisabledImages() const { return FDisabledImages; }
  void SetDisabledImages(TCustomImageList* Value);
  bool HidePagesOnDblClick() const { return FHidePagesOnDblClick; }
  void SetHidePagesOnDblClick(bool Value) { FHidePagesOnDblClick = Value; }
  bool EnableWheel() const { return FEnableWheel; }
  void SetEnableWheel(bool Value) { FEnableWheel = Value; }
  bool ShowDisabledControlsHint() const { return FShowDisabledControlsHint; }
  void SetShowDisabledControlsHint(bool Value) { FShowDisabledControlsHint = Value; }
  bool ShowHelpButton() const { return FShowHelpButton; }
  void SetShowHelpButton(bool Value);
  bool ShowExpandCollapsButton() const { return FShowExpandCollapsButton; }
  void SetShowExpandCollapsButton(bool Value);
  bool ShowNonSelectedTabs() const { return FShowNonSelectedTabs; }
  void SetShowNonSelectedTabs(bool Value);
  bool ShowTabHint() const { return FShowTabHint; }
  void SetShowTabHint(bool Value) { FShowTabHint = Value; }
  // "6.5.1.3"; assigning does nothing.
  String Version() const;
  void SetVersion(const String&) {}
  static int GetVersionNr();
  int PageLeftMargin() const { return FPageLeftMargin; }
  // Ignored when negative or unchanged; else every page is placed again.
  void SetPageLeftMargin(int Value);
  int PageRightMargin() const { return FPageRightMargin; }
  void SetPageRightMargin(int Value);
  // The process-wide scenic flag.
  bool Win7ScenicRibbon() const;
  void SetWin7ScenicRibbon(bool Value);
  bool AutoCompactToolBars() const { return FAutoCompactToolBars; }
  // Turned on: every page places and fits its groups again.
  void SetAutoCompactToolBars(bool Value);
  bool IsAeroVista() const { return FIsAeroVista; }
  // Called by the ribbon form.
  void SetAeroVista(bool Value);
  bool BlockHide() const { return FBlockHide; }
  void SetBlockHide(bool Value) { FBlockHide = Value; }
  int DefTabHeight() const { return FDefTabHeight; }
  int DefTabMargin() const { return FDefTabMargin; }
  bool Expanded() const { return FExpanded; }
  bool MinimizeApp() const { return FMinimizeApp; }
  void SetMinimizeApp(bool Value) { FMinimizeApp = Value; }
  bool NonActiveMouseWheelOnFocus() const { return FNonActiveMouseWheelOnFocus; }
  void SetNonActiveMouseWheelOnFocus(bool Value) { FNonActiveMouseWheelOnFocus = Value; }
  // There is a quick access toolbar, shown as the band below the ribbon.
  bool ShowQATBelow() const;
  // Moves the quick access toolbar below the ribbon or back into the
  // caption; the pager grows or shrinks by its height while it is shown.
  // Ignored without a quick access toolbar.
  void SetShowQATBelow(bool Value);
  // The quick access toolbar (in its full-size form) was shown or hidden:
  // the pager grows or shrinks by its height.
  void QATVisibleChanged();
  // The quick access toolbar among the children (nullptr for none).
  TWinControl* QuickAccessToolBar() const { return FQuickAccessToolBar; }
  bool Itones() const { return FItones; }
  TGroupStyle GroupStyle() const { return FGroupStyle; }
  bool Office2013() const { return FOffice2013; }
  bool TabRoundEdges() const { return FTabRoundEdges; }
  void SetTabRoundEdges(bool Value) { FTabRoundEdges = Value; }
  void SetShadow(bool Value) { FShadow = Value; }
  void SetShow3D(bool Value) { FShow3D = Value; }
  bool PropertiesLoaded() const { return FPropertiesLoaded; }
  bool MenuFrameShown() const { return FMenuFrameShown; }
  bool HideState() const { return FHideState; }
  // The floating ribbon exists, shows and the ribbon is collapsed.
  bool FloatingRibbonShowing() const;
  TMinimizedRibbonWindow* FloatingRibbonWindow() const { return FMinimizedRibbonWindow; }
  // The caption-only state of a narrow ribbon form: on, the pager keeps
  // only its caption (the quick access toolbar and the application button
  // hidden); off, what it had comes back.
  void SetHideState(bool Value);
  // The application button among the children (class "TADVSHAPEBUTTON").
  TControl* FindApplicationButton() const;
  void SetGlowSpeed(int Speed);
  // The key-tip windows the pager made for its tabs; it owns them.
  TShortCutHintWindow* AddShortCutHintWindow();
  void FreeShortCutHintWindow(TShortCutHintWindow* Window);
  int ShortCutHintWindowCount() const { return FShortCutHintWinList->Count(); }

  // The pager's own appearances: there once a tone set was applied.
  TVistaPageBackground* OwnPageAppearance() const { return FPageAppearance; }
  TTabAppearance* OwnTabAppearance() const { return FTabAppearance; }
  TGlowButtonAppearance* OwnGlowButtonAppearance() const { return FGlowButtonAppearance; }
  TGroupAppearance* OwnGroupAppearance() const { return FGroupAppearance; }
  TCaptionAppearance* OwnCaptionAppearance() const { return FCaptionAppearance; }
  // Copies the styler's page and tab appearances into the pager's own
  // (made when missing).
  void UpdateAppearance();

  // -------------------------------------------------------------------------
  // Styler

  TCustomAdvToolBarStyler* ToolBarStyler() const override { return FToolBarStyler; }
  void SetToolBarStyler(TCustomAdvToolBarStyler* Value) override;
  // The styler in effect: the assigned one, else the pager's own.
  TCustomAdvToolBarStyler* CurrentToolBarStyler() const { return FCurrentToolBarStyler; }
  TCustomAdvToolBarStyler* InternalToolBarStyler() const { return FInternalToolBarStyler; }
  // The tab appearance tabs are painted and measured with: the pager's own
  // while tones are on and the styler's tab font is the system's, else the
  // styler's.
  TCustomTabAppearance* CurrentTabAppearance() const;
  void ApplyStylerChange(int Kind) override;
  void ApplyPagerGlass(const TPagerGlass& Glass) override;
  void ClearOfficeTones() override;
  void SetOfficeTones(const TOfficeTones& Tones, TGroupStyle GroupStyle) override;
  void UpdateQAT() override;
  // The flat look in the tones' colours (AdvPagerTones.cpp).
  void SetColorTones(const TColorTones& ATones) override;
  bool Metro() const { return FMetro; }
  void SetMetroMode();
  void RevertMetroMode();

  // -------------------------------------------------------------------------
  // What the groups on the pages ask of their pager

  TWinControl* PagerControl() override { return this; }
  TCustomAdvToolBarStyler* PagerCurrentStyler() override { return FCurrentToolBarStyler; }
  TCustomAdvToolBarStyler* PagerInternalStyler() override { return FInternalToolBarStyler; }
  bool PagerTonesActive() override { return FItones; }
  TToolBarAppearance* PagerToolBarAppearance() override { return FItones ? FToolBarAppearance.Get() : nullptr; }
  TColor PagerToolBarCaptionTextColor() override { return FToolBarCaptionTextColor; }
  TGlowButtonAppearance* PagerGlowButtonAppearance() override { return FGlowButtonAppearance; }
  bool PagerOffice2013() override { return FOffice2013; }
  bool PagerGlassActive() override { return IsGlassActive(true); }
  TGDIPPicture* PagerOptionPicture() override { return FIOptionPicture; }
  TGDIPPicture* PagerOptionDisabledPicture() override { return FIOptionDisabledPicture; }
  bool PagerShowsDisabledControlsHint() override { return FShowDisabledControlsHint; }
  TWinControl* PagerActivePage() override;
  TGroupAppearance* PagerTabGroupAppearance(TWinControl* Page) override;
  void PagerCompactClosed(TAdvGlowButton* Button) override;
  void PagerRestoreFocus() override { RestoreFocus(); }
  void PagerShowTabKeyTips() override { ShowTabShortCutHints(); }
  void PagerHideFloatingRibbon() override;
  void PagerFocusByKey() override;
  // After a compact window closed: a compact button of the active page under
  // the cursor, other than the one that dropped last, is clicked (unless the
  // window closed for a key).
  void ClickButtonUnderCursor();
  // The focus goes back to the window that had it when key tips started.
  void RestoreFocus();
  bool ChangeByKeyPress() const { return FChangeByKeyPress; }
  void SetChangeByKeyPress(bool Value) { FChangeByKeyPress = Value; }

  // -------------------------------------------------------------------------
  // Tab layout (AdvPagerLayout.cpp). Rectangles are in client coordinates;
  // (-1, -1, -1, -1) stands for none.

  TRect GetCaptionRect();
  TRect GetTabsArea();
  TRect GetTabsRect();
  TRect GetTabRect(int Index);
  TRect GetTabRect(TAdvPage* Page) { return GetTabRect(IndexOfPage(Page)); }
  // The tab rectangle cut to the tabs rectangle; none when wholly outside.
  TRect GetVisibleTabRect(int Index);
  TRect GetPageRect();
  void PlacePage(TAdvPage* Page);
  void PlaceAllPages();
  // The strip of tab group Index; Visible and Complete come back False when
  // there is none or it is cut.
  TRect GetTabGroupRect(int Index, bool& Visible, bool& Complete);
  int TabAtPos(int X, int Y);
  int TabGroupOfTab(int Index) const;
  int TabGroupAtPos(int X, int Y);
  int FirstVisibleTab() const;
  int LastVisibleTab() const;
  int CountVisibleTabs(int From, int To) const;
  int TabGroupTabCount(int Group) const;
  void InvalidateTab(int Index);
  void InvalidateTabsArea();
  // 4 pixels between page and pager edge; 0 with tones or on the scenic
  // ribbon.
  int GetPageInset() const;
  static int GetMinTabWidth() { return 24; }
  // The full width of tab Index (0 for a bad index) and its caption part.
  int MeasureTabWidth(int Index, int& ClientWidth);
  void UpdateTabWidth(int Index);
  void ResetTabLayout();
  void ComputeTabGroupMargins();
  void FitTabs();
  void UpdateLayout();
  void LayoutTabLefts();
  void RelayoutTabs(int From, int To);
  void RelayoutTabs() { RelayoutTabs(0, AdvPageCount() - 1); }
  int GetTabsWidth(int From, int To) const;
  int GetTotalTabsWidth() const { return GetTabsWidth(0, AdvPageCount() - 1); }
  int CountFittingTabs(int From, bool Forward, int& Last);
  void ResetTabScroll();
  void UpdateTabScrollButtons();
  // The signed number of steps taken.
  int ScrollTabs(int N);
  void ScrollToTab(int Index);
  void InvalidatePageTop();
  int StartTabIndex() const { return FStartTabIndex; }
  int CurrentTabSpacing() const { return FCurrentTabSpacing; }
  int CurrentTabLeftMargin() const { return FCurrentTabLeftMargin; }
  int CurrentTabRightMargin() const { return FCurrentTabRightMargin; }
  int CurrentGroupTabLeftMargin() const { return FCurrentGroupTabLeftMargin; }
  int CurrentGroupTabRightMargin() const { return FCurrentGroupTabRightMargin; }
  TAdvPageScrollButton* LeftScrollButton() const { return FLeftScrollBtn; }
  TAdvPageScrollButton* RightScrollButton() const { return FRightScrollBtn; }

  // -------------------------------------------------------------------------
  // Areas of the caption bar and the tab row (AdvPagerGeometry.cpp)

  TRect GetCaptionButtonsRect();
  TRect GetQATRect();
  int GetQATHeight();
  TRect GetMDIButtonsRect();
  TRect GetHelpButtonRect();
  TRect GetExpandCollapseButtonRect();

  // Glass: tab glass on, Aero mode, the scenic flag, not designed and not
  // gsWindows8; with CheckMaximized also a parent form that is not
  // maximized (unless the tabs are shaded glass on a maximized form).
  bool IsGlassActive(bool CheckMaximized);
  bool IsMaximizedShadedGlass();
  // The pager's own 3D and shadow flags while tones are on, else the
  // styler's.
  bool GetShow3D() const;
  bool GetShowShadow() const;
  // In Aero mode: the window region without the system caption-button
  // corner.
  void SetAeroRegion();
  void RemoveWindowRegion();

  // -------------------------------------------------------------------------
  // Glass, window and hint reactions (AdvPagerWindow.cpp)

  // The layer over the caption bar on glass: made once in Aero mode outside
  // design time, placed over the caption rectangle, shown while the caption
  // layer is in use (not in the flat mode).
  TCaptionLayer* CaptionLayer() const { return FCaptionLayer; }
  void CreateCaptionLayer();
  void PlaceCaptionLayer();
  bool UseCaptionLayer() const { return FUseCaptionLayer; }
  bool RegionSet() const { return FRegionSet; }
  bool TabBackGroundShaded() const { return FTabBackGroundShaded; }
  // Repaints the application button; in Aero mode it takes the colour of
  // the tab background (the pager's own while tones are on).
  void UpdateApplicationButtonColor();

  // -------------------------------------------------------------------------
  // Painting (AdvPagerPaint.cpp)

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }
  void Invalidate() override;
  void Update() override;
  bool ShowTabSeparator(int Index);
  TRect GetCaptionTextRect(TAlignment& Alignment);

  // Tab glow: starts the glow timer of a page (owned by the pager) unless it
  // runs already, with tones off and a glow interval above 0, then sets the
  // page's step and state.
  void StartTabGlow(TAdvPage* Page, int Increment, TGlowState State);

  // -------------------------------------------------------------------------
  // Mouse (AdvPagerMouse.cpp)

  // Clicks counted on the already active tab within the double-click time
  // (-1 right after a click that changed the page).
  int ClickCount() const { return FClickCount; }
  TTimer* DblClickTimer() const { return FDblClickTimer; }
  // The double-click time is over: the count starts again.
  void DblClickTimerTick(TObject* Sender);
  // The point of a press on the caption bar of a maximized form, (-1, -1)
  // otherwise.
  TPoint CaptionClickXY() const { return FCaptionClickXY; }
  bool ChangeActiveTab() const { return FChangeActiveTab; }
  // The window's system menu at a screen point; the chosen command goes to
  // the form. Tests replace the menu's tracking (nullptr: the real one).
  using TSystemMenuTracker = std::function<UINT(HMENU Menu, int X, int Y, HWND Owner)>;
  static void SetSystemMenuTracker(TSystemMenuTracker Tracker);

  // -------------------------------------------------------------------------
  // Key tips (AdvPagerKeys.cpp)

  // The tab key tips, those of the quick access toolbar and the
  // application button's.
  void ShowShortCutHint() { ShowTabShortCutHints(); }
  // Every key tip of the pager, its pages' groups included.
  void HideShortCutHint() { HideTabShortCutHints(true); }
  void ShowTabShortCutHints();
  void HideTabShortCutHints(bool AlsoGroups);
  bool TabShortCutHintShowing() const { return FTabShortCutHintShowing; }
  const String& TabShortCutChars() const { return FTabShortCutChars; }
  // The ALT watch: started by ALT or F10 pressed alone, it opens the tab key
  // tips when the key is released alone or ALT was held for the key-tip
  // delay.
  TTimer* ShortCutTimer() const { return FShortCutTimer; }
  void ShortCutTimerTick(TObject* Sender);
  bool IgnoreALT() const { return FIgnoreALT; }
  // One step back or on to a page with an enabled, visible tab; no wrap.
  void PrevActivePage();
  void NextActivePage();
  // The thread's key watch (one per process, the first pager loaded):
  // CTRL+F1 collapses or expands, ALT and F10 start key tips, ALT+letter
  // selects the tab with that accelerator, the wheel over the tabs steps
  // through them.
  static TAdvToolBarPager* HookPager();
  void HandleHookKeyDown(WORD Key);
  // A message its form handled (the pager stands in the form's message
  // chain while loaded): a resize, a move, a press on the form, minimize or
  // maximize hide every key tip.
  void FormMessage(const TMessage& Message);
  // A message the thread retrieves; true: the pager took it.
  bool HookPagerMessage(MSG& Msg);

  // -------------------------------------------------------------------------
  // Collapse and expand (AdvPagerState.cpp)

  void Collaps() { SetExpanded(false); }
  void Expand() { SetExpanded(true); }
  void SetExpanded(bool Value);
  // The active page in a window of its own under the tabs of the collapsed
  // ribbon (nothing without an active page).
  void CreateFloatingRibbon();
  void ShowFloatingRibbon();
  // Asks OnFloatingRibbonHide; when it allows, the window goes.
  void HideFloatingRibbon();
  // The page takes its groups back, the window is freed.
  void DestroyFloatingRibbon();
  // OnFloatingRibbonHide's answer (true without a handler). While the
  // handler runs it is not asked again: the answer is then no.
  bool AskFloatingRibbonHide();

  // -------------------------------------------------------------------------
  // The pager's own buttons and its saved state (AdvPagerButtons.cpp): the
  // caption buttons standing in for the form's (hidden in Aero mode), the
  // active MDI child's buttons while it is maximized, the help button and
  // the expand/collapse button. All are transparent glow buttons without
  // text, styled like the styler's glow buttons (the pager's own look while
  // tones are on); a missing one is nullptr.

  TPagerHints* Hints() const { return FHints; }
  void SetHints(TPagerHints* Value);
  TAdvGlowButton* CaptionCloseButton() const { return FCaptionCloseBtn; }
  TAdvGlowButton* CaptionMinButton() const { return FCaptionMinBtn; }
  TAdvGlowButton* CaptionMaxButton() const { return FCaptionMaxBtn; }
  TAdvGlowButton* MDICloseButton() const { return FMDICloseBtn; }
  TAdvGlowButton* MDIMinButton() const { return FMDIMinBtn; }
  TAdvGlowButton* MDIMaxButton() const { return FMDIMaxBtn; }
  TAdvGlowButton* HelpButton() const { return FHelpBtn; }
  TAdvGlowButton* ExpandCollapsButton() const { return FExpCollapsBtn; }
  bool MDIButtonsVisible() const { return FMDIButtonsVisible; }
  // Made, styled, placed, shown or freed as the settings say; with
  // RefreshPictures the glyphs are drawn again in the styler's colours.
  void UpdateCaptionButtons(bool RefreshPictures);
  void UpdateMDIButtons(bool RefreshPictures);
  // The active MDI child's maximized state changed: the MDI, help and
  // expand/collapse buttons follow.
  void CheckMDIChild();
  void UpdateHelpButton();
  void UpdateExpandCollapseButton();
  // Up while expanded, down while collapsed, a pin while the floating
  // ribbon shows.
  void UpdateExpandCollapseButtonPicture();
  void SetCloseButtonHotColors(TAdvGlowButton* Button);
  // One of the pager's own glow buttons in the tone set's look (nothing
  // without a tone set).
  void ApplyGlowAppearance(TAdvGlowButton* Button);
  // "Minimized" and "ShowQATBelow" in the layout store, while Persistence
  // is enabled with a key and a section.
  void SaveState();
  void LoadState();

  void Dispatch(TMessage& Message) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetParent(TWinControl* AParent) override;
  void ChangeScale(int M, int D) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TNotifyEvent OnCloseButtonClick;
  TNotifyEvent OnMinButtonClick;
  TNotifyEvent OnMaxButtonClick;
  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;
  TTabClickEvent OnTabClick;
  TTabClickEvent OnTabDblClick;
  TTabGroupClickEvent OnTabGroupClick;
  TNotifyEvent OnExpand;
  TNotifyEvent OnCollaps;
  TRibbonHideEvent OnFloatingRibbonHide;
  TNotifyEvent OnHelpClick;
  TNotifyEvent OnTabChanged;

 protected:
  void Destroy() override;
  void Paint() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CreateWnd() override;
  void Resize() override;

 private:
  friend class TAdvPage;
  // Window parts (AdvPagerWindow.cpp).
  void CaptionLayerTextPaint(TObject* Sender, String& Text, TRect& TxtR, TAlignment& Algn);
  bool TransparentAt(int X, int Y) const;
  void TabHintShow(THintInfo& Info);
  void TellScenicControls();
  void AddDefaultPages();
  TCustomTabAppearance* TabAppearanceFor(int Index, bool& Own) const;
  void DoTabChanged();
  void TabSettingsChanged(TObject* Sender);
  void TabGlassChanged(TObject* Sender);
  void CaptionChanged(TObject* Sender);
  void InvalidateAndNudgeForm(TObject* Sender);
  void OptionPictureChanged(TObject* Sender);
  void SyncCaptionHeight();
  TCustomForm* ParentForm() const;
  bool ParentIsRibbonForm() const;
  void UnsubclassMDIForm();
  void InitDPIFromForm();
  // Painting parts.
  // The caption text's box: after the indent, the quick access toolbar and
  // the tab-group strips (Groups: there are some).
  TRect CaptionTextBox(bool& Groups);
  void DrawCaptionBar();
  void DrawCaptionBarFlat();
  void DrawTabsBackground();
  void DrawTabGroupStrips();
  // The caption text, tab-group strips and group captions on glass, drawn
  // into Layer (the caption layer) or, without it, into the pager's caption
  // rectangle.
  void DrawGlassCaptionText(TCustomControl* Layer);
  // Where the image of a tab group's caption goes in its strip F (the text
  // box starting at Left): its left edge, the list, and whether it is
  // drawn greyed; false when the group shows no image.
  bool TabGroupImagePlace(TTabGroupItem* Item, TFont* Font, const TRect& F, int Left, int& X,
                          TCustomImageList*& List, bool& Greyed);
  void DrawTab(int Index);
  void DrawPageShadow();
  void DrawBackGroundPicture();
  void FillTabBackground(TCanvas* Canvas, const TRect& R);
  // Layout parts.
  void ShrinkTabs(int Avail);
  void GrowTabs(int Avail);
  int CutWidth(bool Grouped) const;
  void UpdateScrollButton(TAdvPageScrollButton*& Button, bool Show, bool Left);
  void MakeOwnAppearances();
  void AfterTonesSet();
  // Mouse parts.
  bool CaptionMenuHit(int X, int Y, bool GroupsBlock);
  void TrackSystemMenu(int X, int Y, HWND Owner);
  bool MoveFormFromCaption(int X, int Y, TCustomForm* Form);
  void FadeOutHotTab();
  void ReleaseDownTab();
  void SelectTabGroup(int Group);
  void LButtonDblClick(int X, int Y);
  void PagerMouseLeave();
  // Key parts.
  void InstallGetMessageHook();
  void RemoveGetMessageHook();
  void SubclassParentForm();
  void UnsubclassParentForm();
  bool StartKeyTipWatch(WORD Key);
  void OpenTabShortCutHints();
  void TypeShortCutKey(WORD Key);
  bool SelectByAccelerator(wchar_t Char);
  bool WheelOverTabs(const MSG& Msg);
  void FocusFirstGroup(TAdvPage* Page);
  bool ContainsWindow(HWND Wnd) const;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  // Own-button parts.
  TAdvGlowButton* MakeOwnButton(int Size, const String& Hint, TNotifyEvent Click);
  void StyleOwnButton(TAdvGlowButton* Button);
  void RestyleOwnButtons(int Kind);
  void UpdateOwnButtons(bool RefreshPictures);
  void HintsChanged(TObject* Sender);
  void CaptionCloseClick(TObject* Sender);
  void CaptionMinClick(TObject* Sender);
  void CaptionMaxClick(TObject* Sender);
  void MDICloseClick(TObject* Sender);
  void MDIMinClick(TObject* Sender);
  void MDIMaxClick(TObject* Sender);
  void ExpandCollapseBtnMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  TCustomAdvToolBarStyler* FInternalToolBarStyler = nullptr;  // owned as a component
  TCustomAdvToolBarStyler* FToolBarStyler = nullptr;
  TCustomAdvToolBarStyler* FCurrentToolBarStyler = nullptr;
  TAdvToolBarOfficeStyler* FOfficeToolBarStyler = nullptr;  // owned as a component
  TOwned<TDbgList> FAdvPages;
  bool FPropertiesLoaded = false;
  bool FShowNonSelectedTabs = false;
  TOwned<TATBTabSettings> FTabSettings;
  TOwned<TAdvPageCaption> FCaption;
  TOwned<TATBTabScroller> FTabScroller;
  int FActivePageIndex = -1;
  int FHotPageIndex = -1;
  int FDownPageIndex = -1;
  int FOldHotPageIndex = -1;
  int FHintPageIndex = -1;
  TCustomImageList* FImages = nullptr;
  TCustomImageList* FDisabledImages = nullptr;
  bool FShowTabHint = false;
  TOwned<TTabGroups> FTabGroups;
  bool FCanMove = true;
  TCaptionButtons FCaptionButtons{TCaptionButton::cbClose, TCaptionButton::cbMinimize, TCaptionButton::cbMaximize};
  TOwned<TAdvHintInfo> FOfficeHint;
  TAntiAlias FAntiAlias = TAntiAlias::aaClearType;
  int FPageRightMargin = 0;
  int FPageLeftMargin = 0;
  TOwned<TGDIPPicture> FIOptionPicture;
  TOwned<TGDIPPicture> FIOptionDisabledPicture;
  TOwned<TGDIPPicture> FHelpButtonPicture;
  TOwned<TGDIPPicture> FIBrandingPicture;
  bool FAutoMDIButtons = false;
  bool FMDIButtonsVisible = false;
  int FMDIButtonsWidth = 16;
  int FMDIButtonsSpace = 2;
  bool FExpanded = true;
  int FExpandedHeight = 0;
  TWindowState FFormWindowState = TWindowState::wsNormal;
  int FCurrentTabSpacing = 4;
  int FCurrentTabLeftMargin = 4;
  int FCurrentTabRightMargin = 4;
  int FCurrentGroupTabLeftMargin = 4;
  int FCurrentGroupTabRightMargin = 4;
  TAdvPageScrollButton* FLeftScrollBtn = nullptr;   // owned as components
  TAdvPageScrollButton* FRightScrollBtn = nullptr;
  int FStartTabIndex = 0;
  TWinControl* FQuickAccessToolBar = nullptr;
  bool FShowQATBelow = false;
  bool FEnableWheel = true;
  TOwned<TPersistence> FPersistence;
  bool FHideState = false;
  TMinimizedRibbonWindow* FMinimizedRibbonWindow = nullptr;  // owned as a component
  bool FAskingRibbonHide = false;
  int FOldHeight = 0;
  // Visibility (0 or 1) before the caption-only state; -1: not recorded.
  int FQATOldVisible = -1;
  int FShapeBtnOldVisible = -1;
  bool FNonActiveMouseWheelOnFocus = false;
  bool FHidePagesOnDblClick = true;
  bool FIsAeroVista = false;
  bool FFirstRun = true;
  bool FRegionSet = false;
  bool FMinimizeApp = true;
  bool FShowHelpButton = true;
  bool FShowExpandCollapsButton = false;
  bool FTabBackGroundShaded = false;
  bool FIsWin7 = false;
  bool FIsWin8 = false;
  bool FIsWin10 = false;
  bool FUseCaptionLayer = true;
  TCaptionLayer* FCaptionLayer = nullptr;  // owned as a component
  // Newly placed in a designer (not read from a stream).
  bool FDesignTime = false;
  bool FAutoCompactToolBars = true;
  bool FShowDisabledControlsHint = false;
  bool FTabRoundEdges = true;
  bool FShadow = true;
  bool FShow3D = true;
  bool FItones = false;
  bool FMetro = false;
  bool FOffice2013 = false;
  TGroupStyle FGroupStyle = TGroupStyle::gsClassic;
  TOwned<TVistaPageBackground> FPageAppearance;
  TOwned<TTabAppearance> FTabAppearance;
  TOwned<TGlowButtonAppearance> FGlowButtonAppearance;
  TOwned<TGlowButtonAppearance> FPageGlowButtonAppearance;
  TOwned<TToolBarAppearance> FToolBarAppearance;
  TColor FToolBarCaptionTextColor = clNone;
  bool FItonesBeingSet = false;
  bool FOldAeroVista = false;
  TOwned<TCaptionAppearance> FCaptionAppearance;
  TOwned<TGroupAppearance> FGroupAppearance;
  bool FMenuFrameShown = false;
  int FUpdateCount = 0;
  int FDesignedHeight = 149;
  bool FBlockHide = false;
  int FDefTabHeight = 26;
  int FDefTabMargin = 60;
  // The factor the tab height was last scaled with.
  float FTabScaleFactor = 1.0f;
  bool FChangeByKeyPress = false;
  TAdvGlowButton* FLastDroppedCompactBtn = nullptr;
  TOwned<TDbgList> FShortCutHintWinList;
  HWND FFocusCtrlH = nullptr;
  bool FTabShortCutHintShowing = false;
  String FTabShortCutChars;
  TTimer* FShortCutTimer = nullptr;  // owned as a component
  unsigned FShortCutDelay = 0;
  bool FOnlyALT = false;
  bool FALTDown = false;
  bool FIgnoreALT = false;
  bool FSwallowKeyUp = false;
  int FClickCount = 0;
  TTimer* FDblClickTimer = nullptr;  // owned as a component
  TPoint FCaptionClickXY{-1, -1};
  bool FChangeActiveTab = false;
  // The own buttons (owned as components).
  TOwned<TPagerHints> FHints;
  // Set while the pager stands in its form's message chain.
  std::shared_ptr<TAdvToolBarPager*> FFormProcLink;
  TAdvGlowButton* FCaptionCloseBtn = nullptr;
  TAdvGlowButton* FCaptionMinBtn = nullptr;
  TAdvGlowButton* FCaptionMaxBtn = nullptr;
  int FOldCapRightIndent = 0;
  bool FUpdatingCaptionButtons = false;
  TAdvGlowButton* FMDICloseBtn = nullptr;
  TAdvGlowButton* FMDIMinBtn = nullptr;
  TAdvGlowButton* FMDIMaxBtn = nullptr;
  TCustomForm* FMDIChildForm = nullptr;
  TImageList* FMDIBtnImages = nullptr;
  TAdvGlowButton* FHelpBtn = nullptr;
  TAdvGlowButton* FExpCollapsBtn = nullptr;
};
