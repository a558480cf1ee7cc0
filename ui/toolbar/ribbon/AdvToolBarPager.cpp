// The pager's model: construction, loading, scaling, destruction, the page
// list and page selection, its settings' reactions and the styler binding.
#include "ui/toolbar/ribbon/AdvToolBarPager.h"

#include <windowsx.h>

#include "base/Hints.h"

#include "ui/controls/buttons/GlowButtonHelpers.h"
#include "ui/controls/buttons/ShortCutHint.h"
#include "ui/toolbar/ribbon/AdvPage.h"
#include "ui/toolbar/ribbon/AdvQuickAccessToolBar.h"
#include "ui/toolbar/ribbon/AdvToolBarForm.h"
#include "ui/toolbar/ribbon/CaptionLayer.h"
#include "ui/toolbar/ribbon/PageScrollButton.h"
#include "ui/toolbar/ribbon/PagerHints.h"
#include "ui/toolbar/ribbon/RibbonBitmaps.h"
#include "ui/toolbar/runtime/ThemeBinding.h"
#include "ui/toolbar/stylers/ToolBarOfficeStyler.h"

namespace {

// The pager that replaced its form's window procedure for the MDI buttons
// (one per process), the form's window and the procedure it had.
TAdvToolBarPager* gMDIPager = nullptr;
HWND gMDIForm = nullptr;
WNDPROC gMDIOldProc = nullptr;

LRESULT CALLBACK PagerMDIFormWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  WNDPROC old = gMDIOldProc;
  if (Msg == WM_WINDOWPOSCHANGED && gMDIPager) gMDIPager->Invalidate();
  return old ? CallWindowProcW(old, Wnd, Msg, WParam, LParam) : DefWindowProcW(Wnd, Msg, WParam, LParam);
}

bool IsClassNamed(const TObject* Object, const wchar_t* Name) { return Object && Object->ClassName() == Name; }

TAdvCustomQuickAccessToolBar* AsQAT(TWinControl* Control) {
  return dynamic_cast<TAdvCustomQuickAccessToolBar*>(Control);
}

int RoundI(long double V) { return static_cast<int>(Round(V)); }

}  // namespace

// For the tests: the pager that holds the MDI form's window procedure.
TAdvToolBarPager* PagerHoldingMDIForm() { return gMDIPager; }

// ---------------------------------------------------------------------------
// Construction and destruction

TAdvToolBarPager::TAdvToolBarPager(TComponent* AOwner) : TCustomControl(AOwner) {
  FIsAeroVista = IsAeroAvailable(this) && !IsDesigning();
  OSVERSIONINFOW version = GetVersionExInfo();
  DWORD major = version.dwMajorVersion, minor = version.dwMinorVersion;
  FIsWin7 = major > 6 || (major == 6 && minor > 0);
  FIsWin8 = major > 6 || (major == 6 && minor > 1);
  int rtlMajor = 0, rtlMinor = 0;
  GetWindowsVersion(rtlMajor, rtlMinor);
  FIsWin10 = rtlMajor == 10;
  SetGlobalIsWin8(FIsWin8);
  SetGlobalIsWin10(FIsWin10);

  TControlStyle style = ControlStyle();
  style.Include(TControlStyleItem::csAcceptsControls);
  style.Exclude(TControlStyleItem::csOpaque);
  if (FIsAeroVista) style.Include(TControlStyleItem::csParentBackground);
  SetControlStyle(style);
  SetAlign(TAlign::alTop);

  FInternalToolBarStyler = new TCustomAdvToolBarStyler(this);
  FInternalToolBarStyler->SetName(L"InternalStyler");
  FInternalToolBarStyler->SetSubComponent(true);
  FInternalToolBarStyler->AddControl(this);
  FCurrentToolBarStyler = FInternalToolBarStyler;
  FAdvPages = new TDbgList();
  FTabScroller = new TATBTabScroller();
  FIOptionPicture = new TGDIPPicture();
  LoadRibbonPicture(FIOptionPicture, L"OPTIONIND_PIC");
  FIOptionPicture->OnChange = [this](TObject* Sender) { OptionPictureChanged(Sender); };
  FIOptionDisabledPicture = new TGDIPPicture();
  LoadRibbonPicture(FIOptionDisabledPicture, L"OPTIONIND_PICD");
  FIOptionDisabledPicture->OnChange = [this](TObject* Sender) { OptionPictureChanged(Sender); };
  FHelpButtonPicture = new TGDIPPicture();
  FHelpButtonPicture->OnChange = [this](TObject*) { UpdateHelpButton(); };
  FHints = new TPagerHints();
  FHints->OnChange = [this](TObject* Sender) { HintsChanged(Sender); };
  FTabSettings = new TATBTabSettings();
  FTabSettings->OnChange = [this](TObject* Sender) { TabSettingsChanged(Sender); };
  FTabSettings->OnGlassChange = [this](TObject* Sender) { TabGlassChanged(Sender); };
  FCurrentTabSpacing = FTabSettings->Spacing();
  FCurrentTabLeftMargin = FCurrentGroupTabLeftMargin = FTabSettings->LeftMargin();
  FCurrentTabRightMargin = FCurrentGroupTabRightMargin = FTabSettings->RightMargin();
  FCaption = new TAdvPageCaption();
  FCaption->OnChange = [this](TObject* Sender) { CaptionChanged(Sender); };
  FTabGroups = new TTabGroups(this);
  FTabGroups->OnChange = [this](TObject* Sender) { InvalidateAndNudgeForm(Sender); };
  FPersistence = new TPersistence(this);
  FOfficeHint = new TAdvHintInfo();
  FShortCutHintWinList = new TDbgList();
  FOfficeToolBarStyler = new TAdvToolBarOfficeStyler(this);
  FOfficeToolBarStyler->SetStyle(TToolBarStyle::bsOffice2007Luna);
  FCurrentToolBarStyler = FOfficeToolBarStyler;
  FIBrandingPicture = new TGDIPPicture();
  FIBrandingPicture->OnChange = [this](TObject*) { Invalidate(); };

  SetShowHint(false);
  FExpandedHeight = Height();
  SetDoubleBuffered(true);
  SetHeight(149);
  FExpandedHeight = 149;
  FTabScaleFactor = DPIFactor;
  SetTabStop(true);
  FDesignTime = IsDesigning() && !ComponentState().Contains(TComponentStateItem::csReading);
  CreateCaptionLayer();
}

void TAdvToolBarPager::Destroy() {
  if (!IsDesigning() && FToolBarStyler && FToolBarStyler != FInternalToolBarStyler)
    FToolBarStyler->RemoveControl(this);
  FToolBarStyler = nullptr;
  // The form keeps no window procedure of a pager that is gone.
  UnsubclassMDIForm();
  RemoveGetMessageHook();
  UnsubclassParentForm();
  if (!IsDesigning()) SaveState();
  DestroyFloatingRibbon();
  for (int i = 0; i < AdvPageCount(); ++i) AdvPages(i)->FAdvToolBarPager = nullptr;
  for (int i = 0; i < FShortCutHintWinList->Count(); ++i)
    if (auto* w = static_cast<TShortCutHintWindow*>(FShortCutHintWinList->Items(i))) w->Free();
  FShortCutHintWinList->Clear();
  FCurrentToolBarStyler = FInternalToolBarStyler;
  TCustomControl::Destroy();
}

// ---------------------------------------------------------------------------
// Loading, bounds, parent and scale

void TAdvToolBarPager::Loaded() {
  TCustomControl::Loaded();
  FDefTabHeight = RoundI(FTabSettings->Height() * static_cast<long double>(DPIFactor));
  if (FDefTabHeight % 2) ++FDefTabHeight;
  FDefTabMargin = RoundI(FTabSettings->StartMargin() * static_cast<long double>(DPIFactor));
  FTabScaleFactor = DPIFactor;
  FDesignedHeight = Height();
  UpdateCaptionButtons(true);
  if (FAutoMDIButtons) {
    FAutoMDIButtons = false;
    SetAutoMDIButtons(true);
  }
  UpdateHelpButton();
  UpdateExpandCollapseButton();
  FPropertiesLoaded = true;
  if (!IsDesigning()) {
    SyncCaptionHeight();
    LoadState();
    InstallGetMessageHook();
    SubclassParentForm();
  }
  ResetTabLayout();
  FitTabs();
  ResetTabScroll();
  PlaceCaptionLayer();
  if (FToolBarStyler) FToolBarStyler->ReapplyStyle();
}

void TAdvToolBarPager::InitDPIFromForm() {
  TCustomForm* form = ParentForm();
  if (!form || !HandleAllocated()) return;
  if (!DPIInitialized) {
    DPIScaleEnabled = form->Scaled();
    InitDPIScaling(MonitorPixelsPerInch(form->Handle()));
    if (!ParentIsRibbonForm()) ScaledCaptionHeight = FindApplicationButton() ? 34 : FCaption->Height();
  }
  if (!IsLoading()) FTabSettings->SetHeight(FDefTabHeight);
}

void TAdvToolBarPager::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  InitDPIFromForm();
}

void TAdvToolBarPager::SetParent(TWinControl* AParent) {
  if (AParent && (IsClassNamed(AParent, L"TAdvDockPanel") || IsClassNamed(AParent, L"TAdvToolBar") ||
                  IsClassNamed(AParent, L"TAdvCustomToolBar") || dynamic_cast<TAdvToolBarPager*>(AParent) ||
                  dynamic_cast<TAdvPage*>(AParent)))
    throw Exception(L"Invalid Parent");
  if (FIsAeroVista && !IsDesigning() && AParent && !IsClassNamed(AParent, L"TAdvToolBarForm")) {
    FIsAeroVista = false;
    TControlStyle style = ControlStyle();
    style.Exclude(TControlStyleItem::csParentBackground);
    SetControlStyle(style);
  }
  TCustomControl::SetParent(AParent);
}

void TAdvToolBarPager::ChangeScale(int M, int D) {
  if (!IsLoading())
    for (int i = 0; i < AdvPageCount(); ++i) AdvPages(i)->PrepareGroupsForScale();
  TCustomControl::ChangeScale(M, D);
  if (IsLoading() || M == D) return;
  // The factor comes from the display the form is on, so that every pager
  // that rescales arrives at the same value instead of compounding it; each
  // pager undoes the factor its own tab height was scaled with.
  FTabSettings->SetHeight(RoundI(FTabSettings->Height() / static_cast<long double>(FTabScaleFactor)));
  TCustomForm* form = ParentForm();
  DPIPixelsPerInch = MonitorPixelsPerInch(form && form->HandleAllocated() ? form->Handle() : nullptr);
  DPIFactor = GetDPIFactor(DPIPixelsPerInch);
  FTabScaleFactor = DPIFactor;
  ScaledGroupCaptionHeight = RoundI(16.0L * DPIFactor);
  ScaledCaptionHeight = RoundI(26.0L * DPIFactor);
  FDefTabHeight = RoundI(FTabSettings->Height() * static_cast<long double>(DPIFactor));
  if (FDefTabHeight % 2) ++FDefTabHeight;
  FDefTabMargin = RoundI(FTabSettings->StartMargin() * static_cast<long double>(DPIFactor));
  FCaption->SetHeight(ScaledCaptionHeight);
  for (int i = 0; i < AdvPageCount(); ++i) AdvPages(i)->ScaleGroups();
  for (int i = 0; i < AdvPageCount(); ++i) UpdateTabWidth(i);
  FTabSettings->SetHeight(FDefTabHeight);
  SetAeroRegion();
  for (int i = 0; i < AdvPageCount(); ++i) AdvPages(i)->ExpandCompactGroups();
  Invalidate();
}

void TAdvToolBarPager::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove || IsDestroying()) return;
  if (AComponent == FToolBarStyler) SetToolBarStyler(nullptr);
  if (AComponent == PopupMenu()) SetPopupMenu(nullptr);
  if (AComponent == FImages) SetImages(nullptr);
  if (AComponent == FDisabledImages) SetDisabledImages(nullptr);
}

void TAdvToolBarPager::AlignControls(TControl* AControl, TRect& Rect) {
  TCustomControl::AlignControls(AControl, Rect);
  if (auto* page = dynamic_cast<TAdvPage*>(AControl)) PlacePage(page);
}

void TAdvToolBarPager::Update() {
  TCustomControl::Update();
  if (IsLoading() || ComponentState().Contains(TComponentStateItem::csReading)) return;
  if (!FPropertiesLoaded) {
    Loaded();
  } else {
    FitTabs();
    ResetTabScroll();
    PlaceCaptionLayer();
  }
  Invalidate();
}

void TAdvToolBarPager::Invalidate() {
  if (IsDestroying()) return;
  if (!FIsAeroVista || IsDesigning() || IsLoading() || !FPropertiesLoaded || !HandleAllocated()) {
    TCustomControl::Invalidate();
    return;
  }
  TRect r = ClientRect();
  r.top -= ScaledCaptionHeight;
  InvalidateRect(Handle(), &r, TRUE);
}

void TAdvToolBarPager::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  if (FUpdateCount == 0) Invalidate();
}

// ---------------------------------------------------------------------------
// Messages

void TAdvToolBarPager::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE:
      TCustomControl::Dispatch(Message);
      UpdateLayout();
      return;
    case WM_ERASEBKGND:
      if (FIsAeroVista) {
        Message.Result = 1;
        return;
      }
      break;
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      return;
    case WM_NCHITTEST: {
      // The pager's outer rows and columns belong to the form's frame.
      TPoint p = ScreenToClient(TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)));
      if (TransparentAt(p.x, p.y)) {
        Message.Result = HTTRANSPARENT;
        return;
      }
      break;
    }
    case CM_HINTSHOW:
      TCustomControl::Dispatch(Message);
      if (Message.LParam) TabHintShow(*reinterpret_cast<THintInfo*>(Message.LParam));
      return;
    case CM_FOCUSCHANGED: {
      TCustomControl::Dispatch(Message);
      auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
      bool inside = focused && HandleAllocated() && focused->HandleAllocated() &&
                    (focused->Handle() == Handle() || IsChild(Handle(), focused->Handle()));
      if (!inside && !IsDesigning()) {
        HideTabShortCutHints(false);
        if (TAdvPage* page = ActivePage()) page->HideShortCutHints();
      }
      InvalidateTabsArea();
      return;
    }
    case WM_LBUTTONDBLCLK:
      TCustomControl::Dispatch(Message);
      LButtonDblClick(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
      return;
    case CM_MOUSELEAVE:
      TCustomControl::Dispatch(Message);
      PagerMouseLeave();
      return;
    case CM_CONTROLCHANGE: {
      TCustomControl::Dispatch(Message);
      auto* control = reinterpret_cast<TControl*>(Message.WParam);
      bool inserting = Message.LParam != 0;
      if (IsClassNamed(control, L"TAdvQuickAccessToolBar"))
        FQuickAccessToolBar = inserting ? static_cast<TWinControl*>(control) : nullptr;
      return;
    }
    default:
      if (Message.Msg == WM_TBPSETIGNOREALT && WM_TBPSETIGNOREALT) FIgnoreALT = Message.WParam != 0;
      break;
  }
  TCustomControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------
// Pages

TAdvPage* TAdvToolBarPager::AdvPages(int Index) const { return static_cast<TAdvPage*>(FAdvPages->GetItemsEx(Index)); }

int TAdvToolBarPager::IndexOfPage(TAdvPage* AdvPage) const { return AdvPage ? FAdvPages->IndexOf(AdvPage) : -1; }

TAdvPage* TAdvToolBarPager::ActivePage() const {
  return FActivePageIndex >= 0 && FActivePageIndex < AdvPageCount() ? AdvPages(FActivePageIndex) : nullptr;
}

void TAdvToolBarPager::SetActivePage(TAdvPage* Value) {
  int i = IndexOfPage(Value);
  if (i >= 0) SetActivePageIndex(i);
}

int TAdvToolBarPager::AddAdvPage(TAdvPage* AdvPage) {
  int index = IndexOfPage(AdvPage);
  if (index < 0) index = FAdvPages->Add(AdvPage);
  if (AdvPage->Parent() != this) AdvPage->SetParent(this);
  AdvPage->FAdvToolBarPager = this;
  PlacePage(AdvPage);
  if (index != FActivePageIndex) AdvPage->SetVisible(false);
  InvalidateTabsArea();
  if (TAdvPage* active = ActivePage()) active->BringToFront();
  ResetTabLayout();
  RelayoutTabs();
  ResetTabScroll();
  return index;
}

int TAdvToolBarPager::AddAdvPage(const String& PageCaption) {
  auto* page = new TAdvPage(this);
  page->SetCaption(PageCaption);
  return AddAdvPage(page);
}

void TAdvToolBarPager::RemoveAdvPage(TAdvPage* AdvPage) {
  int index = IndexOfPage(AdvPage);
  if (index < 0) return;
  // The page that stays active: the next selectable one when the removed
  // page was active (none when there is no other), else the active one. The
  // index then follows that page, so it is a valid page or -1.
  TAdvPage* keep = nullptr;
  if (index == FActivePageIndex) {
    SelectNextPage(true);
    if (FActivePageIndex != index) keep = ActivePage();
  } else {
    keep = ActivePage();
  }
  FAdvPages->Delete(index);
  AdvPage->FAdvToolBarPager = nullptr;
  int old = FActivePageIndex;
  FActivePageIndex = IndexOfPage(keep);
  if (FHotPageIndex >= AdvPageCount()) FHotPageIndex = -1;
  if (FDownPageIndex >= AdvPageCount()) FDownPageIndex = -1;
  if (!IsDestroying()) {
    ResetTabLayout();
    FitTabs();
    InvalidateTabsArea();
    if (old != FActivePageIndex && index != old) DoTabChanged();
  }
}

void TAdvToolBarPager::MoveAdvPage(int CurIndex, int NewIndex) {
  if (CurIndex < 0 || CurIndex >= AdvPageCount() || NewIndex < 0 || NewIndex >= AdvPageCount()) return;
  TAdvPage* active = ActivePage();
  FAdvPages->Move(CurIndex, NewIndex);
  FActivePageIndex = IndexOfPage(active);
  UpdateTabScrollButtons();
  RelayoutTabs();
}

void TAdvToolBarPager::ChangeActivePage(int Index) {
  if (Index < 0 || Index >= AdvPageCount() || Index == FActivePageIndex) return;
  bool allow = true;
  if (OnChanging) OnChanging(this, FActivePageIndex, Index, allow);
  if (!allow) return;
  // The floating ribbon holds the old page's groups: they go back first.
  DestroyFloatingRibbon();
  if (TAdvPage* old = ActivePage()) {
    old->HideCompactWindowOfAdvToolBars();
    old->SetVisible(false);
  }
  FActivePageIndex = Index;
  TAdvPage* page = AdvPages(Index);
  page->SetVisible(true);
  page->BringToFront();
  if (OnChange) OnChange(this);
}

void TAdvToolBarPager::SetActivePageIndex(int Value) {
  int old = FActivePageIndex;
  ChangeActivePage(Value);
  InvalidateTabsArea();
  if (Value != old) DoTabChanged();
}

void TAdvToolBarPager::DoTabChanged() {
  if (OnTabChanged) OnTabChanged(this);
}

void TAdvToolBarPager::SelectNextPage(bool GoForward) {
  int count = AdvPageCount();
  if (FActivePageIndex < 0 || FActivePageIndex >= count) return;
  int i = FActivePageIndex;
  for (int step = 0; step < count - 1; ++step) {
    i = GoForward ? (i + 1) % count : (i + count - 1) % count;
    TAdvPage* page = AdvPages(i);
    if (i != FActivePageIndex && page->TabVisible() && page->TabEnabled()) {
      SetActivePageIndex(i);
      return;
    }
  }
}

TAdvPage* TAdvToolBarPager::FindNextPage(TAdvPage* CurPage, bool GoForward, bool CheckTabVisible) const {
  int i = IndexOfPage(CurPage);
  int count = AdvPageCount();
  if (i < 0) return nullptr;
  for (int step = 0; step < count - 1; ++step) {
    i = GoForward ? (i + 1) % count : (i + count - 1) % count;
    TAdvPage* page = AdvPages(i);
    if (!CheckTabVisible || page->TabVisible()) return page;
  }
  return nullptr;
}

int TAdvToolBarPager::PageTabGroupIndex(TAdvPage* AdvPage) const { return TabGroupOfTab(IndexOfPage(AdvPage)); }

TControl* TAdvToolBarPager::FindApplicationButton() const {
  for (int i = 0; i < ControlCount(); ++i) {
    String name = Controls(i)->ClassName();
    CharUpperW(name.data());
    if (name == L"TADVSHAPEBUTTON") return Controls(i);
  }
  return nullptr;
}

TCustomForm* TAdvToolBarPager::ParentForm() const { return GetParentForm(const_cast<TAdvToolBarPager*>(this)); }

bool TAdvToolBarPager::ParentIsRibbonForm() const { return IsClassNamed(Parent(), L"TAdvToolBarForm"); }

// ---------------------------------------------------------------------------
// Properties

String TAdvToolBarPager::Version() const {
  int v = GetVersionNr();
  return std::to_wstring((v >> 24) & 0xFF) + L"." + std::to_wstring((v >> 16) & 0xFF) + L"." +
         std::to_wstring((v >> 8) & 0xFF) + L"." + std::to_wstring(v & 0xFF);
}

int TAdvToolBarPager::GetVersionNr() { return (6 << 24) | (5 << 16) | (1 << 8) | 3; }

void TAdvToolBarPager::SetAntiAlias(TAntiAlias Value) {
  FAntiAlias = Value;
  Invalidate();
}

void TAdvToolBarPager::SetBrandingPicture(TGDIPPicture* Value) {
  FIBrandingPicture->Assign(Value);
  Invalidate();
}

void TAdvToolBarPager::SetCaptionButtons(TCaptionButtons Value) {
  if (FCaptionButtons == Value) return;
  FCaptionButtons = Value;
  UpdateCaptionButtons(true);
  Invalidate();
}

void TAdvToolBarPager::SetImages(TCustomImageList* Value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  Invalidate();
}

void TAdvToolBarPager::SetDisabledImages(TCustomImageList* Value) {
  if (FDisabledImages) FDisabledImages->RemoveFreeNotification(this);
  FDisabledImages = Value;
  if (FDisabledImages) FDisabledImages->FreeNotification(this);
  Invalidate();
}

void TAdvToolBarPager::SetShowHelpButton(bool Value) {
  if (FShowHelpButton == Value) return;
  FShowHelpButton = Value;
  UpdateHelpButton();
  if (FShowExpandCollapsButton) UpdateExpandCollapseButton();
  Invalidate();
}

void TAdvToolBarPager::SetShowExpandCollapsButton(bool Value) {
  if (FShowExpandCollapsButton == Value) return;
  FShowExpandCollapsButton = Value;
  UpdateExpandCollapseButton();
  Invalidate();
}

void TAdvToolBarPager::SetShowNonSelectedTabs(bool Value) {
  FShowNonSelectedTabs = Value;
  InvalidateTabsArea();
}

bool TAdvToolBarPager::ShowQATBelow() const {
  TAdvCustomQuickAccessToolBar* qat = AsQAT(FQuickAccessToolBar);
  return qat && qat->FullSize() && qat->Visible();
}

void TAdvToolBarPager::SetShowQATBelow(bool Value) {
  TAdvCustomQuickAccessToolBar* qat = AsQAT(FQuickAccessToolBar);
  if (!qat || Value == ShowQATBelow()) return;
  int qh = GetQATHeight();
  FShowQATBelow = Value;
  if (qat->Visible()) SetHeight(Height() + (Value ? qh : -qh));
  qat->SetFullSize(Value);
  PlaceAllPages();
  if (FIsAeroVista && Parent() && !IsDesigning()) {
    Parent()->SetWidth(Parent()->Width() - 1);
    Parent()->SetWidth(Parent()->Width() + 1);
  }
  Invalidate();
}

void TAdvToolBarPager::SetHideState(bool Value) {
  if (FHideState == Value) return;
  TControl* shapeButton = FindApplicationButton();
  if (Value) {
    FOldHeight = Height();
    if (FQuickAccessToolBar) {
      FQATOldVisible = FQuickAccessToolBar->Visible() ? 1 : 0;
      FQuickAccessToolBar->SetVisible(false);
    }
    FHideState = true;
    SetHeight(FCaption->Height());
    if (shapeButton) {
      FShapeBtnOldVisible = shapeButton->Visible() ? 1 : 0;
      shapeButton->SetVisible(false);
    }
  } else {
    FHideState = false;
    if (FQuickAccessToolBar && (FQATOldVisible == 0 || FQATOldVisible == 1))
      FQuickAccessToolBar->SetVisible(FQATOldVisible == 1);
    SetHeight(FOldHeight);
    if (shapeButton && (FShapeBtnOldVisible == 0 || FShapeBtnOldVisible == 1))
      shapeButton->SetVisible(FShapeBtnOldVisible == 1);
  }
  Invalidate();
}

void TAdvToolBarPager::QATVisibleChanged() {
  TAdvCustomQuickAccessToolBar* qat = AsQAT(FQuickAccessToolBar);
  if (IsDesigning() || IsLoading() || !qat || !qat->FullSize()) return;
  int qh = GetQATHeight();
  SetHeight(Height() + (qat->Visible() ? qh : -qh));
  PlaceAllPages();
}

void TAdvToolBarPager::SetPageLeftMargin(int Value) {
  if (Value < 0 || Value == FPageLeftMargin) return;
  FPageLeftMargin = Value;
  PlaceAllPages();
  if (TAdvPage* page = ActivePage()) page->Invalidate();
}

void TAdvToolBarPager::SetPageRightMargin(int Value) {
  if (Value < 0 || Value == FPageRightMargin) return;
  FPageRightMargin = Value;
  PlaceAllPages();
  if (TAdvPage* page = ActivePage()) page->Invalidate();
}

bool TAdvToolBarPager::Win7ScenicRibbon() const { return GetGlobalWin7ScenicRibbon(); }

void TAdvToolBarPager::SetWin7ScenicRibbon(bool Value) {
  SetGlobalWin7ScenicRibbon(Value);
  TellScenicControls();
  ApplyStylerChange(StylerChange::PagerCaption);
  if (FTabSettings->Glass() && FIsAeroVista && Value && !IsDesigning() && !IsLoading() && Parent() &&
      Parent()->HandleAllocated()) {
    Resize();
    PostMessageW(Parent()->Handle(), WM_ACTIVATE, 0, 0);
    PostMessageW(Parent()->Handle(), WM_ACTIVATE, 1, 1);
  }
  // A re-layout at the same size.
  SetWidth(Width() + 1);
  SetWidth(Width() - 1);
}

void TAdvToolBarPager::SetAutoCompactToolBars(bool Value) {
  if (FAutoCompactToolBars == Value) return;
  FAutoCompactToolBars = Value;
  if (!Value) return;
  for (int i = 0; i < AdvPageCount(); ++i) {
    AdvPages(i)->PositionToolBars();
    AdvPages(i)->UpdateAllToolBars();
  }
}

void TAdvToolBarPager::SetAeroVista(bool Value) {
  if ((IsDesigning() && Value) || Value == FIsAeroVista) return;
  FIsAeroVista = Value;
  TControlStyle style = ControlStyle();
  if (Value) {
    style.Include(TControlStyleItem::csParentBackground);
    SetControlStyle(style);
    CreateCaptionLayer();
    Resize();
  } else {
    style.Exclude(TControlStyleItem::csParentBackground);
    SetControlStyle(style);
    if (FCaptionLayer) FCaptionLayer->SetVisible(false);
    RemoveWindowRegion();
  }
  if (TAdvCustomQuickAccessToolBar* qat = AsQAT(FQuickAccessToolBar)) qat->SetAeroVista(Value);
  if (TControl* button = FindApplicationButton()) {
    if (auto* w = dynamic_cast<TWinControl*>(button); w && w->HandleAllocated())
      PostMessageW(w->Handle(), WM_TBSETAEROVISTA, Value ? 1 : 0, 0);
    button->Invalidate();
  }
}

void TAdvToolBarPager::SetGlowSpeed(int Speed) { GlowButton::SetGlowInterval(Speed); }

void TAdvToolBarPager::SetAutoMDIButtons(bool Value) {
  if (Value == FAutoMDIButtons) return;
  FAutoMDIButtons = Value;
  if (IsDesigning() || IsLoading()) return;
  TCustomForm* form = ParentForm();
  if (Value) {
    if (form && !gMDIPager) {
      HWND wnd = form->Handle();
      if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC)) != PagerMDIFormWndProc) {
        gMDIPager = this;
        gMDIForm = wnd;
        gMDIOldProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PagerMDIFormWndProc)));
      }
    }
  } else {
    UnsubclassMDIForm();
  }
  UpdateMDIButtons(true);
  Invalidate();
}

void TAdvToolBarPager::UnsubclassMDIForm() {
  if (gMDIPager != this) return;
  if (gMDIForm && IsWindow(gMDIForm) &&
      reinterpret_cast<WNDPROC>(GetWindowLongPtrW(gMDIForm, GWLP_WNDPROC)) == PagerMDIFormWndProc) {
    SetWindowRgn(gMDIForm, nullptr, TRUE);
    SetWindowLongPtrW(gMDIForm, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gMDIOldProc));
  }
  gMDIPager = nullptr;
  gMDIForm = nullptr;
  gMDIOldProc = nullptr;
  FMDIButtonsVisible = false;
}

TShortCutHintWindow* TAdvToolBarPager::AddShortCutHintWindow() {
  auto* w = new TShortCutHintWindow(this);
  w->SetParentWindow(HandleAllocated() ? Handle() : nullptr);
  w->SetColor(clWhite);
  w->SetColorTo(FCurrentToolBarStyler->ButtonAppearance()->Color());
  FShortCutHintWinList->Add(w);
  return w;
}

void TAdvToolBarPager::FreeShortCutHintWindow(TShortCutHintWindow* Window) {
  int i = FShortCutHintWinList->IndexOf(Window);
  if (i < 0) return;
  FShortCutHintWinList->Delete(i);
  Window->Free();
}

// ---------------------------------------------------------------------------
// Settings' reactions

void TAdvToolBarPager::SyncCaptionHeight() {
  if (IsDesigning() || FCaption->Height() == ScaledCaptionHeight) return;
  FCaption->SetHeight(ScaledCaptionHeight);
}

void TAdvToolBarPager::CaptionChanged(TObject*) {
  if (!IsDesigning() && FCaption->Height() != ScaledCaptionHeight) {
    SyncCaptionHeight();
    return;  // the height's own notice does the rest
  }
  PlaceAllPages();
  UpdateCaptionButtons(true);
  if (FIsAeroVista && !IsDesigning() && !IsLoading()) {
    PlaceCaptionLayer();
    if (FCaptionLayer) FCaptionLayer->Invalidate();
  }
  // The quick access toolbar lays itself out again at the same place.
  if (FQuickAccessToolBar && !IsLoading()) {
    FQuickAccessToolBar->SetLeft(FQuickAccessToolBar->Left() + 1);
    FQuickAccessToolBar->SetLeft(FQuickAccessToolBar->Left() - 1);
  }
  Invalidate();
}

void TAdvToolBarPager::TabSettingsChanged(TObject*) {
  FDefTabMargin = RoundI(FTabSettings->StartMargin() * static_cast<long double>(DPIFactor));
  if (FTabSettings->Glass() && FIsAeroVista) FTabBackGroundShaded = true;
  PlaceAllPages();
  ResetTabLayout();
  if (TAdvCustomQuickAccessToolBar* qat = AsQAT(FQuickAccessToolBar)) {
    qat->UpdateSize();
    qat->Invalidate();
  }
  Invalidate();
  if (TAdvPage* page = ActivePage()) page->Invalidate();
}

void TAdvToolBarPager::TabGlassChanged(TObject*) {
  if (IsDesigning() || IsLoading()) return;
  if (FTabSettings->Glass() && FIsAeroVista) FTabBackGroundShaded = true;
  Invalidate();
  if (Parent() && Parent()->HandleAllocated()) {
    Resize();
    SendMessageW(Parent()->Handle(), WM_ACTIVATE, 0, 0);
    SendMessageW(Parent()->Handle(), WM_ACTIVATE, 1, 1);
  }
}

void TAdvToolBarPager::InvalidateAndNudgeForm(TObject*) {
  Invalidate();
  if (FIsAeroVista && ParentIsRibbonForm()) {
    Parent()->SetWidth(Parent()->Width() - 1);
    Parent()->SetWidth(Parent()->Width() + 1);
  }
}

void TAdvToolBarPager::OptionPictureChanged(TObject*) {
  Invalidate();
  if (TAdvPage* page = ActivePage()) {
    page->Invalidate();
    page->InvalidateToolBars();
  }
}

// ---------------------------------------------------------------------------
// Styler

void TAdvToolBarPager::SetToolBarStyler(TCustomAdvToolBarStyler* Value) {
  if (Value && Value == FToolBarStyler) return;
  if (FToolBarStyler && FToolBarStyler != FInternalToolBarStyler) {
    FToolBarStyler->RemoveControl(this);
    FToolBarStyler->RemoveFreeNotification(this);
  }
  FToolBarStyler = Value;
  if (Value) {
    FCurrentToolBarStyler = Value;
    Value->AddControl(this);
    Value->FreeNotification(this);
    // A styler given at run time colours the pager as its style does.
    if (!IsLoading() && !IsDestroying()) Value->TonePager(this);
  } else {
    FCurrentToolBarStyler = FInternalToolBarStyler;
  }
  if (!IsDestroying() && !IsLoading())
    for (int i = 0; i < AdvPageCount(); ++i) {
      AdvPages(i)->ReapplyParentStylers();
      AdvPages(i)->Invalidate();
    }
  ApplyStylerChange(0);
  if (FToolBarStyler) FToolBarStyler->UpdatePagerGlass(FToolBarStyler->KelStyle());
  Invalidate();
}

TCustomTabAppearance* TAdvToolBarPager::CurrentTabAppearance() const {
  TTabAppearance* styler = FCurrentToolBarStyler->TabAppearance();
  if (FTabAppearance && FItones && styler->SystemFont()) return FTabAppearance;
  return styler;
}

void TAdvToolBarPager::ApplyStylerChange(int Kind) {
  Invalidate();
  if (TAdvPage* page = ActivePage()) page->Invalidate();
  if (TControl* button = FindApplicationButton()) button->Invalidate();
  RestyleOwnButtons(Kind);
  UpdateApplicationButtonColor();
  if (TAdvCustomQuickAccessToolBar* qat = AsQAT(FQuickAccessToolBar)) {
    qat->ApplyStylerChange(Kind);
    qat->UpdateAppButton();
    qat->UpdateSize();
    qat->UpdateControlsPos(false);
    qat->ArrangeQATControls();
  }
  if (!FItones) RevertMetroMode();
}

void TAdvToolBarPager::ApplyPagerGlass(const TPagerGlass& Glass) {
  if (Glass.SetFlags) {
    FTabSettings->SetGlass(Glass.Glass);
    SetWin7ScenicRibbon(Glass.Win7ScenicRibbon);
  }
  FTabBackGroundShaded = FTabSettings->Glass() && FIsAeroVista;
}

void TAdvToolBarPager::ClearOfficeTones() {
  FOffice2013 = false;
  FGroupStyle = TGroupStyle::gsClassic;
  FItones = false;
  if (auto* w = dynamic_cast<TWinControl*>(FindApplicationButton()); w && w->HandleAllocated())
    SendMessageW(w->Handle(), WM_TBSETOFFICE2013, 0, 0);
}

void TAdvToolBarPager::UpdateAppearance() {
  if (!FPageAppearance) FPageAppearance = new TVistaPageBackground();
  if (!FTabAppearance) FTabAppearance = new TTabAppearance();
  FPageAppearance->Assign(FCurrentToolBarStyler->PageAppearance());
  FTabAppearance->Assign(FCurrentToolBarStyler->TabAppearance());
}

void TAdvToolBarPager::UpdateQAT() { UpdateLayout(); }

// ---------------------------------------------------------------------------
// What the groups ask

TWinControl* TAdvToolBarPager::PagerActivePage() { return ActivePage(); }

TGroupAppearance* TAdvToolBarPager::PagerTabGroupAppearance(TWinControl* Page) {
  int group = TabGroupOfTab(IndexOfPage(dynamic_cast<TAdvPage*>(Page)));
  if (group < 0) return nullptr;
  TTabGroupItem* item = FTabGroups->Items(group);
  return item->DefaultAppearance() ? FCurrentToolBarStyler->GroupAppearance() : item->GroupAppearance();
}

void TAdvToolBarPager::PagerCompactClosed(TAdvGlowButton* Button) {
  FLastDroppedCompactBtn = Button;
  ClickButtonUnderCursor();
}

void TAdvToolBarPager::ClickButtonUnderCursor() {
  TAdvPage* page = ActivePage();
  if (IsDesigning() || !page || FChangeByKeyPress) {
    FChangeByKeyPress = false;
    FLastDroppedCompactBtn = nullptr;
    return;
  }
  FChangeByKeyPress = false;
  POINT p;
  GetCursorPos(&p);
  HWND wnd = WindowFromPoint(p);
  wchar_t name[64] = {};
  GetClassNameW(wnd, name, 63);
  CharUpperW(name);
  if (String(name) != L"TADVGLOWBUTTON") return;
  TAdvGlowButton* button = page->FindCompactButton(wnd);
  if (!button || button == FLastDroppedCompactBtn) return;
  button->SetFocus();
  button->Invalidate();
  button->InvokeClick();
}

void TAdvToolBarPager::RestoreFocus() {
  if (IsDesigning() || !FFocusCtrlH) return;
  if (HandleAllocated() && (FFocusCtrlH == Handle() || IsChild(Handle(), FFocusCtrlH))) return;
  TCustomForm* form = ParentForm();
  HWND focus = GetFocus();
  if (form && form->HandleAllocated() && focus && IsChild(form->Handle(), focus)) ::SetFocus(FFocusCtrlH);
}

// ---------------------------------------------------------------------------
// Tab glow

void TAdvToolBarPager::StartTabGlow(TAdvPage* Page, int Increment, TGlowState State) {
  if (!Page->FTimer && !FItones && GlowButton::GetGlowInterval() > 0) {
    Page->FTimer = new TTimer(this);
    Page->FTimer->SetInterval(static_cast<unsigned>(GlowButton::GetGlowInterval()));
    Page->FTimer->SetOnTimer([Page](TObject* Sender) { Page->GlowTimerTick(Sender); });
    Page->FTimer->SetEnabled(true);
  }
  Page->FTimeInc = Increment;
  Page->FGlowState = State;
}
