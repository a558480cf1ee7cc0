// TAdvPage: one page of the ribbon. It holds toolbars as ribbon groups,
// lines them up from the left, fits them into its width (shrinking the
// layouts of their glow buttons step by step, then turning whole groups
// compact, and undoing both as room comes back), scrolls them with two
// buttons when even the compact groups do not fit, and paints its
// background from the styler's page colours or its tab group's. It also
// carries the data of its tab (caption, image, key tip, glow levels) that
// the pager lays out and paints.
//
// Sources: AdvPage.cpp (list of groups, fitting, scrolling, key tips,
// parenting, clone) and AdvPagePaint.cpp (background and tab glow).
#pragma once

#include "base/ExtCtrls.h"
#include "ui/controls/buttons/ShortCutHint.h"
#include "ui/draw/HintInfo.h"
#include "ui/toolbar/ribbon/AdvToolBarPager.h"

class TAdvToolBar;
class TAdvCustomToolBar;
class TAdvGlowButton;

class TAdvPage : public TCustomControl, public IToolBarPage {
  VANTREL_CLASS(TAdvPage)
 public:
  explicit TAdvPage(TComponent* AOwner);

  // -------------------------------------------------------------------------
  // Tab data

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  const String& WideCaption() const { return FWideCaption; }
  void SetWideCaption(const String& Value);
  // The caption shown: Caption, else WideCaption.
  const String& TabText() const { return FCaption.empty() ? FWideCaption : FCaption; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  const String& TabHint() const { return FTabHint; }
  void SetTabHint(const String& Value) { FTabHint = Value; }
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool Value);
  bool TabEnabled() const { return FTabEnabled; }
  void SetTabEnabled(bool Value);
  TAdvHintInfo* OfficeHint() const { return FOfficeHint; }
  void SetOfficeHint(TAdvHintInfo* Value) { FOfficeHint->Assign(Value); }
  const String& ShortCutHint() const { return FShortCutHintText; }
  void SetShortCutHint(const String& Value) { FShortCutHintText = Value; }
  TShortCutHintPos ShortCutHintPos() const { return FShortCutHintPos; }
  void SetShortCutHintPos(TShortCutHintPos Value) { FShortCutHintPos = Value; }
  // The page's index in its pager; -1 without one.
  int PageIndex() const;
  // Moves the page to Value in its pager's list (nothing for a bad index).
  void SetPageIndex(int Value);

  TAdvToolBarPager* AdvToolBarPager() const { return FAdvToolBarPager; }
  // Leaves the old pager's list and joins the new one as its child.
  void SetAdvToolBarPager(TAdvToolBarPager* Value);

  // Written and read by the pager's tab layout.
  int TabLeft() const { return FTabLeft; }
  void SetTabLeft(int X) { FTabLeft = X; }
  int TabClientWidth() const { return FTabClientWidth; }
  void SetTabClientWidth(int Value) { FTabClientWidth = Value; }
  int TabRealClientWidth() const { return FTabRealClientWidth; }
  void SetTabRealClientWidth(int Value) { FTabRealClientWidth = Value; }
  // The full tab width: the fitted caption part and the pager's current
  // margins (a grouped tab: the group tab margins and twice its group's
  // extra margin).
  int GetTabWidth() const;
  bool IsInTabGroup() const;
  int GetPageInset() const;

  // The tab's glow, stepped by GlowTimerTick (AdvPagePaint.cpp).
  TTimer* GlowTimer() const { return FTimer; }
  int TimeInc() const { return FTimeInc; }
  int StepHover() const { return FStepHover; }
  int StepPush() const { return FStepPush; }
  TGlowState GlowState() const { return FGlowState; }
  void GlowTimerTick(TObject* Sender);

  // -------------------------------------------------------------------------
  // Groups

  bool AutoPosition() const { return FAutoPosition; }
  void SetAutoPosition(bool Value);
  // nullptr for an index outside the list.
  TAdvToolBar* AdvToolBars(int Index) const;
  int AdvToolBarCount() const { return FAdvToolBars->Count(); }
  // A new group "Untitled", 120 x 26, caption at the bottom and centred.
  TAdvToolBar* CreateAdvToolBar();
  // The group's index, -1 for nullptr, while cloning or when listed.
  int AddAdvToolBar(TAdvToolBar* ToolBar);
  void RemoveAdvToolBar(TAdvToolBar* ToolBar);
  void InsertAdvToolBar(int Index, TAdvToolBar* ToolBar);
  void MoveAdvToolBar(int CurIndex, int NewIndex);
  int IndexOfAdvToolBar(TAdvToolBar* ToolBar) const;
  TAdvToolBar* GetFirstToolBar(bool VisibleOnly) const;
  int GetVisibleToolBarCount() const;
  // The compact button of a compact group whose window is Handle.
  TAdvGlowButton* FindCompactButton(HWND Handle) const;
  void HideCompactWindowOfAdvToolBars();
  void InvalidateToolBars();
  void ApplyColorTones();
  void ClearColorTones();
  // Groups that follow their parent's styler take the pager's again.
  void ReapplyParentStylers();
  // Rescaling: before it, the groups stop following their parent's font and
  // keep the page's size; after it, they take the scaled caption height and
  // compact width, and compact groups are whole again.
  void PrepareGroupsForScale();
  void ScaleGroups();
  void ExpandCompactGroups();

  // Layout of the groups: left to right from 3 (AutoPosition), and fitting
  // them to the width (only while the pager's AutoCompactToolBars is on).
  void PositionToolBars();
  void ShrinkToolBars();
  void GrowToolBars();
  void UpdateAllToolBars();
  void BeginUpdate();
  void EndUpdate();

  // -------------------------------------------------------------------------
  // Scrolling of the groups, when every visible group is compact and they
  // still do not fit.

  void UpdateScrollButtons();
  void ResetToolBarScroll();
  // The signed number of steps taken.
  int ScrollToolBars(int Steps);
  void ScrollToToolBar(int Index);
  int CountFittingToolBars(int Index, bool Forward) const;
  bool AllVisibleToolBarsCompact() const;
  void InvalidateScrollButtons();
  TATBTabScroller* ToolBarScroller() const { return FToolBarScroller; }
  int LeftATBIndex() const { return FLeftATBIndex; }
  TAdvPageScrollButton* LeftScrollButton() const { return FLeftScrollBtn; }
  TAdvPageScrollButton* RightScrollButton() const { return FRightScrollBtn; }

  // -------------------------------------------------------------------------
  // Key tips

  // The key tip of the tab (not for a hidden or disabled tab).
  void ShowShortCutHint();
  void HideShortCutHint();
  TShortCutHintWindow* ShortCutHintWindow() const { return FShortCutHint; }
  // The key tips of the groups; typed text goes to the groups until one
  // takes it (a key nobody knows, even in part, beeps and ends the mode).
  void ShowShortCutHints();
  void HideShortCutHints();
  bool HandleShortCutHintKey(const String& Text);
  bool ToolBarShortCutShowing() const { return FToolBarShortCutShowing; }
  String& ShortCutChars() { return FShortCutChars; }

  // -------------------------------------------------------------------------
  // The copy shown by the floating ribbon, which borrows the groups.

  TAdvPage* CreateClone(TWinControl* Window);
  void DestroyClone();
  TAdvPage* SelfClone() const { return FSelfClone; }

  // What its groups ask of the page.
  TWinControl* PageControl() override { return this; }
  IToolBarPager* PageParentPager() override;
  IToolBarPager* PageMinimizedWindowPager() override;
  IToolBarPage* PageCloneSource() override;
  int PageGroupCount() override { return AdvToolBarCount(); }
  int PageGroupIndex(TAdvCustomToolBar* Group) override;
  void PageMoveGroup(TAdvCustomToolBar* Group, int Index) override;
  void PageGroupsChanged() override { UpdateAllToolBars(); }
  bool PageGroupKeyTipsShowing() override { return FToolBarShortCutShowing; }
  bool PageTypeKeyTipChar(wchar_t Ch) override;
  void PageHideGroupKeyTips() override { HideShortCutHints(); }
  String PageAddTypedKeyTipChar(wchar_t Ch) override;
  void PageShowGroupKeyTips() override { ShowShortCutHints(); }

  void Dispatch(TMessage& Message) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetParent(TWinControl* AParent) override;
  void Loaded() override;

 protected:
  void Destroy() override;
  void Paint() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  friend class TAdvToolBarPager;
  // The toolbar children ordered by Left (equal Left keeps child order):
  // all of them, or the visible ones (all at design time).
  void CollectAllToolBarsByLeft(TDbgList* List) const;
  void CollectToolBarsByLeft(TDbgList* List) const;
  int FreeWidth(TDbgList* Ordered) const;
  bool Eligible(TAdvToolBar* ToolBar) const;
  // The fitting's choices among the ordered groups: the first compact group
  // that may be expanded; the rightmost group that may turn compact; the
  // shrink step to take (a large-to-label step before a label-to-glyph one,
  // the smallest gain of a kind, on equal gains the rightmost; KeepLarger
  // also takes a smaller gain while the taken one does not cover Needed);
  // the grow step (glyph-to-label before label-to-large, the largest cost of
  // a kind; costs at or above Below left out when Below is above 0).
  TAdvToolBar* FirstAutoCompactGroup(TDbgList* Ordered) const;
  TAdvToolBar* RightmostCompactable(TDbgList* Ordered) const;
  TAdvToolBar* ChooseShrinkStep(TDbgList* Ordered, int Needed, bool KeepLarger) const;
  TAdvToolBar* ChooseGrowStep(TDbgList* Ordered, bool FromLast, int Below, int& Cost) const;
  // Expands the first compact group when it fits into Free; false when it
  // does not (or it stayed compact).
  bool ExpandFirstCompactGroup(TDbgList* Ordered, int Free);
  // Turns the rightmost group that can still change compact (with Smallest
  // its clone keeps the smallest layout); false when none can.
  bool CompactRightmostGroup(TDbgList* Ordered, bool Smallest);
  // A fitting pass's view: the groups by Left and the room left on the
  // page; false when the page has no groups.
  bool MeasureGroups(TDbgList* Ordered, int& Free) const;
  bool CanFit() const;
  void TabChanged(bool Refit);
  void ScrollBackClick(TObject* Sender) { ScrollToolBars(-1); }
  void ScrollForwardClick(TObject* Sender) { ScrollToolBars(1); }
  void LendToolBarsToClone();
  void TakeBackToolBars();
  void PaintBackground(TCanvas* Canvas, const TRect& R);

  TOwned<TDbgList> FAdvToolBars;
  bool FTabVisible = true;
  TAdvToolBarPager* FAdvToolBarPager = nullptr;
  String FCaption;
  String FWideCaption;
  bool FTabEnabled = true;
  int FImageIndex = -1;
  bool FAutoPosition = true;
  bool FUpdatingATBPosition = false;
  TTimer* FTimer = nullptr;  // owned by the pager
  int FTimeInc = 0;
  int FStepHover = 0;
  int FStepPush = 0;
  TGlowState FGlowState = TGlowState::gsNone;
  String FTabHint;
  TOwned<TAdvHintInfo> FOfficeHint;
  bool FUpdatingParent = false;
  TShortCutHintWindow* FShortCutHint = nullptr;  // in the pager's list
  TShortCutHintPos FShortCutHintPos = TShortCutHintPos::shpBottom;
  String FShortCutHintText;
  bool FToolBarShortCutShowing = false;
  String FShortCutChars;
  TOwned<TATBTabScroller> FToolBarScroller;
  int FLeftATBIndex = 0;
  TAdvPageScrollButton* FLeftScrollBtn = nullptr;  // owned as components
  TAdvPageScrollButton* FRightScrollBtn = nullptr;
  int FTabLeft = 0;
  int FTabClientWidth = 0;
  int FTabRealClientWidth = 0;
  int FOldWidth = 0;
  TAdvPage* FSelfClone = nullptr;
  bool FCloning = false;
  bool FOldAutoPosition = true;
  int FUpdateCount = 0;
};
