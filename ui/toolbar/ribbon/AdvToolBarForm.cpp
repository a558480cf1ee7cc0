// The ribbon form's model: construction and loading, its properties, the
// glass mode and its tests, the flat tone mode, the drop shadow, swapping
// a dock panel and a ribbon, and its link with the status bar.
#include "ui/toolbar/ribbon/AdvToolBarForm.h"

#include "ui/controls/statusbar/AdvOfficeStatusBar.h"
#include "ui/draw/OfficeTheme.h"
#include "ui/toolbar/bars/AdvDockPanel.h"
#include "ui/toolbar/ribbon/AdvToolBarPager.h"
#include "ui/toolbar/runtime/ThemeBinding.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

namespace {

// A status bar on a ribbon form draws its corners in the pager's caption
// text colour: the bar learns of ribbon forms through this link.
bool IsRibbonFormLink(TWinControl* Form) { return dynamic_cast<TAdvToolBarForm*>(Form) != nullptr; }

bool PagerCaptionTextColorLink(TControl* Control, TColor& Color) {
  auto* pager = dynamic_cast<TAdvToolBarPager*>(Control);
  if (!pager || !pager->CurrentToolBarStyler()) return false;
  Color = pager->CurrentToolBarStyler()->PagerCaption()->TextColor();
  return true;
}

void LinkStatusBar() {
  if (StatusBarRibbonLink().IsRibbonForm) return;
  TStatusBarRibbonLink link;
  link.IsRibbonForm = IsRibbonFormLink;
  link.PagerCaptionTextColor = PagerCaptionTextColorLink;
  SetStatusBarRibbonLink(link);
}

// The place a control leaves for when another takes its room on the form:
// its owner when that is a windowed control other than the form, else
// nowhere (off the form).
TWinControl* AwayFrom(TControl* Control, TWinControl* Form) {
  auto* owner = dynamic_cast<TWinControl*>(Control->Owner());
  return owner == Form ? nullptr : owner;
}

struct TFlagScope {
  bool& Flag;
  explicit TFlagScope(bool& F) : Flag(F) { Flag = true; }
  ~TFlagScope() { Flag = false; }
};

}  // namespace

// ---------------------------------------------------------------------------
// Construction and loading

TAdvToolBarForm::TAdvToolBarForm(TComponent* AOwner) : TForm(AOwner) { Init(2); }

TAdvToolBarForm* TAdvToolBarForm::CreateNew(TComponent* AOwner) {
  auto* form = new TAdvToolBarForm(AOwner);
  form->FBorderWidth = 0;
  return form;
}

void TAdvToolBarForm::Init(int BorderWidth) {
  LinkStatusBar();
  FCanvas = new TCanvas();
  FSubClassAsRibbon = true;
  FSwitchingOnXP = false;
  FDoNotSizeWindow = false;
  FIsAeroVista = IsAeroAvailable(this) && !IsDesigning();
  if (FIsAeroVista) SetDoubleBuffered(true);
  OSVERSIONINFOW version = GetVersionExInfo();
  FIsWin7 = version.dwMajorVersion > 6 || (version.dwMajorVersion == 6 && version.dwMinorVersion > 0);
  FOldWndState = TWindowState::wsNormal;
  FCreated = true;
  FMaxX = FMaxY = 0;
  FBorderWidth = BorderWidth;
  FNoDropShadow = false;
  FSizeGripColor = 0xF2BC00;
  // Without glass the form draws its caption and answers its edges itself.
  if (!FIsAeroVista) SetBorderStyle(TFormBorderStyle::bsSingle);
  if (!ColorTonesEmpty(MetroTones) && !FOffice2013) SetColorTones(MetroTones);
}

void TAdvToolBarForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  if (FItones) {
    if (!FNoDropShadow && !NoFormDropShadow) Params.WindowClass.style |= CS_DROPSHADOW;
    Params.Style |= WS_MINIMIZEBOX;
    return;
  }
  if (!FSubClassAsRibbon || FIsAeroVista || IsDesigning()) return;
  // No caption and no frame of the system's: the pager shows the caption,
  // and the form's hit tests give its edges.
  Params.Style &= ~static_cast<DWORD>(WS_CAPTION | WS_THICKFRAME);
  Params.Style |= WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
}

void TAdvToolBarForm::Destroy() {
  FDestroying = true;
  TForm::Destroy();
}

void TAdvToolBarForm::Loaded() {
  TForm::Loaded();
  FInitBorderStyle = BorderStyle();
  if (FIsAeroVista && (BorderStyle() == TFormBorderStyle::bsNone || FormStyle() == TFormStyle::fsMDIChild))
    UpdateAeroVista();
  if (FIsAeroVista) {
    // The stored height counts the caption, which the client covers now.
    SetHeight(Height() - ScaledCaptionHeight);
    SetWidth(Width() - 1);
    SetWidth(Width() + 1);
  }
  if (FActivated && OnActivate) OnActivate(this);
  FActivated = false;
  if (FDoSetMetro) PostMessageW(Handle(), WM_TBSETMETRO, 1, 0);
}

TAdvToolBarPager* TAdvToolBarForm::FirstPager() {
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* pager = dynamic_cast<TAdvToolBarPager*>(Controls(i))) return pager;
  return nullptr;
}

// ---------------------------------------------------------------------------
// Tests of the modes

namespace {
bool IsWindowsXP(bool IsWin7) { return IsXPOrLater() && !IsVistaOrLater() && !IsWin7; }
}  // namespace

bool TAdvToolBarForm::IsMaximizedGlass() {
  return FIsAeroVista && WindowState() == TWindowState::wsMaximized && GetGlobalTabGlass() &&
         GetGlobalWin7ScenicRibbon() && FIsWin7;
}

bool TAdvToolBarForm::IsSingleBorderActive() { return FSingleBorder && !FIsAeroVista && !IsWindowsXP(FIsWin7); }

TRect TAdvToolBarForm::WorkAreaOfParent() {
  RECT area{};
  if (Parent() && Parent()->HandleAllocated()) {
    TPoint origin = Parent()->ClientOrigin();
    MONITORINFO info{sizeof(info)};
    if (HMONITOR m = MonitorFromPoint(POINT{origin.x, origin.y}, MONITOR_DEFAULTTONULL);
        m && GetMonitorInfoW(m, &info))
      return TRect(info.rcWork);
  }
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return TRect(area);
}

bool TAdvToolBarForm::IsFullyMaximized() {
  if (WindowState() != TWindowState::wsMaximized) return false;
  if (Constraints()->MaxWidth() == 0 && Constraints()->MaxHeight() == 0) return true;
  TRect area = WorkAreaOfParent();
  return Width() >= area.Width() - 10 && Height() >= area.Height() - 30;
}

int TAdvToolBarForm::GetTabGlassExtra() {
  bool maximized = WindowState() == TWindowState::wsMaximized;
  if (!FIsAeroVista || IsDesigning() || (maximized && !IsMaximizedGlass())) return -1;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* pager = dynamic_cast<TAdvToolBarPager*>(Controls(i)); pager && pager->IsGlassActive(true))
      return pager->TabSettings()->Height() - 1;
  return -1;
}

int TAdvToolBarForm::GlassTopHeight() {
  if (WindowState() == TWindowState::wsMaximized && !IsMaximizedGlass()) return ScaledCaptionHeight + 9;
  return GetTabGlassExtra() + ScaledCaptionHeight + 3;
}

// ---------------------------------------------------------------------------
// Properties

void TAdvToolBarForm::SetSubclassAsRibbon(bool Value) {
  FSubClassAsRibbon = Value;
  GlassFrame()->SetEnabled(Value);
  if (Value) {
    UpdateAeroVista();
  } else {
    FIsAeroVista = false;
    if (TAdvToolBarPager* pager = FirstPager()) pager->SetAeroVista(false);
  }
  SetWidth(Width() + 1);
  SetWidth(Width() - 1);
}

void TAdvToolBarForm::SetSingleBorder(bool Value) {
  FSingleBorder = Value;
  ApplySingleBorder();
}

void TAdvToolBarForm::SetThickBorder(bool Value) {
  if (FThickBorder == Value) return;
  FThickBorder = Value;
  Invalidate();
}

void TAdvToolBarForm::SetSizeGrip(bool Value) {
  if (FSizeGrip == Value) return;
  FSizeGrip = Value;
  Invalidate();
  // The client room changes with the grip: a re-layout at the same size.
  SetWidth(Width() - 1);
  SetWidth(Width() + 1);
}

void TAdvToolBarForm::SetSizeGripColor(TColor Value) {
  if (FSizeGripColor == Value) return;
  FSizeGripColor = Value;
  Invalidate();
}

void TAdvToolBarForm::SetAutoScale(bool Value) {
  if (FAutoScale == Value) return;
  FAutoScale = Value;
  if (!Value || IsDesigning() || IsLoading() || ComponentState().Contains(TComponentStateItem::csReading)) return;
  SetScaled(false);
  int screen = Screen ? Screen->PixelsPerInch() : 96;
  int own = PixelsPerInch();
  if (own <= 0 || screen == own) return;
  // The form's contents and client area at the screen's resolution; the
  // form keeps its place.
  int clientWidth = ClientWidth(), clientHeight = ClientHeight();
  std::vector<TControl*> children;
  for (int i = 0; i < ControlCount(); ++i) children.push_back(Controls(i));
  for (TControl* c : children) c->ChangeScale(screen, own);
  SetClientWidth(MulDiv(clientWidth, screen, own));
  SetClientHeight(MulDiv(clientHeight, screen, own));
  SetPixelsPerInch(screen);
}

// ---------------------------------------------------------------------------
// Glass

void TAdvToolBarForm::ApplySingleBorder() {
  if (FIsAeroVista)
    SetBorderStyle(TFormBorderStyle::bsSizeable);
  else if (FSingleBorder && !IsWindowsXP(FIsWin7))
    SetBorderStyle(TFormBorderStyle::bsNone);
}

void TAdvToolBarForm::UpdateAeroVista() {
  if (IsDesigning() || !FSubClassAsRibbon) return;
  bool old = FIsAeroVista;
  FIsAeroVista = IsAeroAvailable(this) && FormStyle() != TFormStyle::fsMDIChild;
  ApplySingleBorder();
  if (BorderStyle() == TFormBorderStyle::bsNone) FIsAeroVista = false;
  if (old != FIsAeroVista) {
    SetDoubleBuffered(FIsAeroVista);
    GlassFrame()->SetEnabled(FIsAeroVista);
  }
  if (TAdvToolBarPager* pager = FirstPager()) pager->SetAeroVista(FIsAeroVista);
  if (!old && FIsAeroVista && GlassFrame()->Enabled() && HandleAllocated() && IsWindowVisible(Handle())) {
    // The frame is built anew when the window comes back from the task bar.
    TWindowState state = WindowState();
    SetWindowState(TWindowState::wsMinimized);
    if (Application) Application->ProcessMessages();
    SetWindowState(state);
  }
}

void TAdvToolBarForm::ExtendGlass() {
  FActivated = true;
  if (!FIsAeroVista || !IsDwmCompositionEnabled()) return;
  TGlassFrame* glass = GlassFrame();
  glass->Reset();
  glass->SetLeft(1);
  glass->SetTop(GlassTopHeight());
  glass->SetRight(1);
  glass->SetBottom(1);
  glass->SetEnabled(true);
}

void TAdvToolBarForm::GlassFrameChanged() {
  TGlassFrame* glass = GlassFrame();
  if (!HandleAllocated() || !FIsAeroVista || !glass->Enabled() || !IsDwmCompositionEnabled()) return;
  MARGINS m{glass->Left(), glass->Right(), glass->Top(), glass->Bottom()};
  if (glass->SheetOfGlass()) m = MARGINS{-1, -1, -1, -1};
  DwmBinding::DwmExtendFrameIntoClientArea(Handle(), m);
}

void TAdvToolBarForm::Activate() {
  if (FormStyle() != TFormStyle::fsMDIForm && FSubClassAsRibbon) ExtendGlass();
  if (!FInternalActivate) TForm::Activate();
  UpdateShadowOrder();
}

// ---------------------------------------------------------------------------
// Tones

void TAdvToolBarForm::SetColorTones(const TColorTones& ATones) {
  if (FItonesBeingSet) return;
  FOffice2013 = false;
  {
    TFlagScope guard(FItonesBeingSet);
    MetroTones = ATones;
    FBorderClr = ATones.Selected.BrushColor;
    FSizeGripColor = ATones.Selected.BrushColor;
    if (IsLoading() || FDoSetMetro) {
      // Applied by "TBSetMetro" once the form has loaded.
      FDoSetMetro = true;
      return;
    }
    SetMetroMode();
    if (TAdvToolBarPager* pager = FirstPager()) pager->SetColorTones(ATones);
    Invalidate();
  }
  if (FActivated && HandleAllocated()) BringToFront();
}

void TAdvToolBarForm::SetMetroMode() {
  if (FItones) return;
  FOldAeroVista = FIsAeroVista;
  FIsAeroVista = false;
  FItones = true;
  FOldGlassFrameEnble = GlassFrame()->Enabled();
  GlassFrame()->SetEnabled(false);
  FOldBorderStyle = BorderStyle();
  SetBorderStyle(TFormBorderStyle::bsNone);
  if (!HandleAllocated()) return;
  HWND h = Handle();
  SetClassLongPtrW(h, GCL_STYLE, GetClassLongPtrW(h, GCL_STYLE) | CS_DROPSHADOW);
  SetWindowLongPtrW(h, GWL_STYLE, GetWindowLongPtrW(h, GWL_STYLE) | WS_MINIMIZEBOX);
  if (Visible() && IsWindowVisible(h)) {
    // The new class style shows from the window's next appearance.
    ShowWindow(h, SW_HIDE);
    ShowWindow(h, SW_SHOWNA);
  }
}

void TAdvToolBarForm::RevertMetroMode() {
  if (!FItones) return;
  FItones = false;
  FIsAeroVista = FOldAeroVista;
  GlassFrame()->SetEnabled(FOldGlassFrameEnble);
  SetBorderStyle(FOldBorderStyle);
  UpdateAeroVista();
  if (HandleAllocated()) {
    HWND h = Handle();
    SetClassLongPtrW(h, GCL_STYLE, GetClassLongPtrW(h, GCL_STYLE) & ~static_cast<LONG_PTR>(CS_DROPSHADOW));
  }
  Resize();
  if (HandleAllocated()) {
    PostMessageW(Handle(), WM_ACTIVATE, 0, 0);
    PostMessageW(Handle(), WM_ACTIVATE, 1, 1);
  }
}

// ---------------------------------------------------------------------------
// Drop shadow

namespace {
struct TShadowSearch {
  RECT Form;
  HWND Found = nullptr;
};

BOOL CALLBACK FindShadow(HWND Wnd, LPARAM Data) {
  auto* s = reinterpret_cast<TShadowSearch*>(Data);
  if (!IsWindowVisible(Wnd)) return TRUE;
  wchar_t name[64] = {};
  GetClassNameW(Wnd, name, 63);
  if (CompareStringW(LOCALE_USER_DEFAULT, 0, name, -1, L"SysShadow", -1) != CSTR_EQUAL) return TRUE;
  RECT r;
  GetWindowRect(Wnd, &r);
  if (r.left != s->Form.left || r.top != s->Form.top) return TRUE;
  s->Found = Wnd;
  return FALSE;
}
}  // namespace

void TAdvToolBarForm::UpdateShadowOrder() {
  if (!FItones || IsDesigning() || !HandleAllocated()) return;
  HWND h = Handle();
  if (!(GetClassLongPtrW(h, GCL_STYLE) & CS_DROPSHADOW) || !IsWindowVisible(h)) return;
  if (FSysShadowHandle && !IsWindow(FSysShadowHandle)) FSysShadowHandle = nullptr;
  if (!FSysShadowHandle) {
    TShadowSearch search;
    GetWindowRect(h, &search.Form);
    EnumThreadWindows(GetCurrentThreadId(), FindShadow, reinterpret_cast<LPARAM>(&search));
    FSysShadowHandle = search.Found;
  }
  if (FSysShadowHandle)
    SetWindowPos(FSysShadowHandle, h, 0, 0, 0, 0, SWP_NOOWNERZORDER | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

// ---------------------------------------------------------------------------
// Ribbon and dock panel

void TAdvToolBarForm::SwitchFromDockPanelToRibbon(TAdvDockPanel* ADockPanel, TAdvToolBarPager* ARibbon) {
  if (ADockPanel) ADockPanel->SetParent(AwayFrom(ADockPanel, this));
  FDoNotSizeWindow = false;
  if (ARibbon) ARibbon->SetParent(this);
  SetSubclassAsRibbon(true);
  if (FSwitchingOnXP) RecreateWnd();
  if (ARibbon) ARibbon->Update();
}

void TAdvToolBarForm::SwitchFromRibbonToDockPanel(TAdvToolBarPager* ARibbon, TAdvDockPanel* ADockPanel) {
  if (ARibbon) ARibbon->SetParent(AwayFrom(ARibbon, this));
  FDoNotSizeWindow = true;
  SetSubclassAsRibbon(false);
  if (FSwitchingOnXP) RecreateWnd();
  if (ADockPanel) ADockPanel->SetParent(this);
}

void TAdvToolBarForm::InitRibbonAndDockPanel(TAdvToolBarPager* ARibbon, TAdvDockPanel* ADockPanel) {
  FSwitchingOnXP = IsWindowsXP(FIsWin7) || !FIsAeroVista;
  SwitchFromDockPanelToRibbon(ADockPanel, ARibbon);
  if (Application) Application->ProcessMessages();
}

void TAdvToolBarForm::InitDockPanelAndRibbon(TAdvDockPanel* ADockPanel, TAdvToolBarPager* ARibbon) {
  InitRibbonAndDockPanel(ARibbon, ADockPanel);
  SwitchFromRibbonToDockPanel(ARibbon, ADockPanel);
}
