#include "ui/toolbar/runtime/ToolBarRuntime.h"

#include <shellapi.h>

#include "base/Controls.h"
#include "base/StyleServices.h"
#include "ui/draw/GdiPlus.h"
#include "ui/toolbar/runtime/ThemeBinding.h"

// The platform's x86_64 record, not the 36 bytes of 32-bit systems.
static_assert(sizeof(APPBARDATA) == 48);
static_assert(sizeof(OSVERSIONINFOEXW) == 284);

float DPIFactor = 1.0f;
bool DPIScaleEnabled = true;
bool DPIInitialized = false;
int DPIPixelsPerInch = 96;
int ScreenLogPixelsX = 96;
int ScaledCaptionHeight = 26;
int ScaledGroupCaptionHeight = 16;
int KeyTipDelay = 700;
bool KeyTipCaptureMouse = true;
bool AeroAllowed = true;
bool NoFormDropShadow = false;
TColorTones MetroTones;
TColorTones Office2013Tones;

WORD WM_TBCOMPACTWINHIDE = 0;
WORD WM_TBSETAEROVISTA = 0;
WORD WM_TBPSETIGNOREALT = 0;
WORD WM_TBFUPDATECONTEXTMENU = 0;
WORD WM_TBSETMETRO = 0;
WORD WM_TBREVERTMETRO = 0;
WORD WM_TBSETOFFICE2013 = 0;
WORD WM_TBSHOWSHORTCUTHINT = 0;

namespace {
bool (*gAeroSource)(TComponent*) = nullptr;
}

void ResetToolBarRuntime() {
  DPIFactor = 1.0f;
  DPIScaleEnabled = true;
  DPIInitialized = false;
  DPIPixelsPerInch = 96;
  ScreenLogPixelsX = 96;
  ScaledCaptionHeight = 26;
  ScaledGroupCaptionHeight = 16;
  KeyTipDelay = 700;
  KeyTipCaptureMouse = true;
  AeroAllowed = true;
  NoFormDropShadow = false;
  ClearColorTones(MetroTones);
  ClearColorTones(Office2013Tones);
  gAeroSource = nullptr;
  SetDwmCompositionSource(nullptr);
  SetDwmExtendFrameSink(nullptr);
}

void InitToolBarRuntimeUnit() {
  ClearColorTones(MetroTones);
  ClearColorTones(Office2013Tones);
  struct {
    WORD* Id;
    const wchar_t* Name;
  } messages[] = {{&WM_TBCOMPACTWINHIDE, L"TBCompactWinHide"},   {&WM_TBSETAEROVISTA, L"TBSetAeroVista"},
                  {&WM_TBPSETIGNOREALT, L"TBPSetIgnoreALT"},     {&WM_TBFUPDATECONTEXTMENU, L"TBFUpdateContextMenu"},
                  {&WM_TBSETMETRO, L"TBSetMetro"},               {&WM_TBREVERTMETRO, L"TBRevertMetro"},
                  {&WM_TBSETOFFICE2013, L"TBSetOffice2013"},     {&WM_TBSHOWSHORTCUTHINT, L"TBShowShortCutHint"}};
  for (auto& m : messages) *m.Id = static_cast<WORD>(RegisterWindowMessageW(m.Name));
}

const std::vector<TUnitEntry>& ToolBarRuntimeUnits() {
  static const std::vector<TUnitEntry> units = {
      {L"DwmBinding", nullptr, FiniDwmBindingUnit},
      {L"ThemeBinding", InitThemeBindingUnit, FiniThemeBindingUnit},
      {L"ToolBarRuntime", InitToolBarRuntimeUnit, nullptr},
  };
  return units;
}

// ---------------------------------------------------------------------------
// DPI

int GetTextHeightAtPPI(int PixelsPerInch, int PointSize) {
  HDC dc = GetDC(nullptr);
  int h = 0;
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Font()->SetPixelsPerInch(PixelsPerInch);
    canvas.Font()->SetSize(PointSize);
    h = canvas.TextHeight(L"0");
    canvas.SetHandle(nullptr);
  }
  ReleaseDC(nullptr, dc);
  return h;
}

float GetDPIFactor(int PixelsPerInch) {
  if (!DPIScaleEnabled || PixelsPerInch == 96) return 1.0f;
  long double at = GetTextHeightAtPPI(PixelsPerInch, 9);
  long double base = GetTextHeightAtPPI(96, 9);
  return base > 0 ? static_cast<float>(at / base) : 1.0f;
}

void InitDPIScaling(int PixelsPerInch) {
  DPIPixelsPerInch = PixelsPerInch;
  HDC dc = GetDC(nullptr);
  if (dc) {
    ScreenLogPixelsX = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(nullptr, dc);
  }
  DPIFactor = GetDPIFactor(PixelsPerInch);
  DPIInitialized = true;
  ScaledGroupCaptionHeight = static_cast<int>(Round(16.0L * DPIFactor));
  ScaledCaptionHeight = static_cast<int>(Round(26.0L * DPIFactor));
}

// ---------------------------------------------------------------------------
// System queries

OSVERSIONINFOW GetVersionExInfo() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&info)) info = OSVERSIONINFOW{};
#pragma GCC diagnostic pop
  return info;
}

void GetWindowsVersion(int& Major, int& Minor) {
  using Fn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  auto get = ntdll ? reinterpret_cast<Fn>(GetProcAddress(ntdll, "RtlGetVersion")) : nullptr;
  if (!get) return;
  OSVERSIONINFOEXW vi{};
  vi.dwOSVersionInfoSize = sizeof(vi);
  if (get(&vi) == 0) {
    Major = static_cast<int>(vi.dwMajorVersion);
    Minor = static_cast<int>(vi.dwMinorVersion);
  }
}

TCustomStyleServices* GetActiveStyleServices() { return TStyleManager::ActiveStyle(); }

bool StyleServicesEnabled() { return GetActiveStyleServices()->Enabled(); }

void SetDefaultFont(TFont* Font, bool UseSegoe) {
  Font->SetName(UseSegoe ? L"Segoe UI" : L"Tahoma");
  Font->SetSize(UseSegoe ? 9 : 8);
}

int GetCornerRounding() { return GetGlobalWin7ScenicRibbon() ? 0 : 3; }

bool IsTaskBarAutoHide() {
  APPBARDATA abd{};
  abd.cbSize = sizeof(abd);
  return (SHAppBarMessage(ABM_GETSTATE, &abd) & ABS_AUTOHIDE) != 0;
}

bool IsVisibleWithParents(TControl* Control) {
  if (!Control) return false;
  for (TControl* c = Control; c; c = c->Parent())
    if (!c->Visible()) return false;
  return true;
}

bool PagerContainsFocus(TWinControl* Pager) {
  if (!Pager || !Pager->Enabled() || !Pager->HandleAllocated()) return false;
  HWND w = GetFocus();
  w = w ? GetParent(w) : nullptr;
  for (int i = 0; w && i < 50; ++i, w = GetParent(w))
    if (w == Pager->Handle()) return true;
  return false;
}

bool IsAeroAvailable(TComponent* Component) {
  if (gAeroSource) return gAeroSource(Component);
  return AeroAllowed && IsComCtl32Version6() && IsVistaOrLater() && StyleServicesEnabled() &&
         IsAeroCompositionEnabled() && !(Component && Component->IsDesigning());
}

void SetIsAeroAvailableSource(bool (*Source)(TComponent*)) { gAeroSource = Source; }

// ---------------------------------------------------------------------------
// Colours

namespace {
TColor Assemble(int64_t r, int64_t g, int64_t b) {
  auto cap = [](int64_t v) { return static_cast<TColor>(v > 255 ? 255 : v < 0 ? 0 : v); };
  return cap(r) | (cap(g) << 8) | (cap(b) << 16);
}
}  // namespace

TColor BlendColor(TColor Color1, TColor Color2, int Percent) {
  if (Percent >= 100) return Color1;
  if (Percent <= 0) return Color2;
  auto c1 = static_cast<uint32_t>(ColorToRGB(Color1)), c2 = static_cast<uint32_t>(ColorToRGB(Color2));
  long double p = Percent / 100.0L;
  auto mix = [&](int shift) {
    return Round(p * ((c1 >> shift) & 0xFF) + (1 - p) * ((c2 >> shift) & 0xFF));
  };
  return Assemble(mix(0), mix(8), mix(16));
}

TColor DarkenColor(TColor Color, int Percent) {
  auto c = static_cast<uint32_t>(ColorToRGB(Color));
  auto ch = [&](int shift) { return Round(((c >> shift) & 0xFF) * (100.0L - Percent) / 100.0L); };
  return Assemble(ch(0), ch(8), ch(16));
}

uint32_t ColorToARGB(TColor Color) {
  auto c = static_cast<uint32_t>(ColorToRGB(Color));
  return 0xFF000000u + (c & 0xFF) * 0x10000u + ((c >> 8) & 0xFF) * 0x100u + ((c >> 16) & 0xFF);
}

// ---------------------------------------------------------------------------
// TDbgList and TPersistence

void TDbgList::AssignList(TList* ListA) {
  Clear();
  for (int i = 0; i < ListA->Count(); ++i) Add(ListA->Items(i));
}

void* TDbgList::GetItemsEx(int Index) const {
  if (Index >= Count()) throw Exception(L"Index out of bounds in list read access");
  return Items(Index);
}

void TDbgList::SetItemsEx(int Index, void* Value) {
  if (Index >= Count()) throw Exception(L"Index out of bounds in list write access");
  SetItems(Index, Value);
}

void TPersistence::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TPersistence*>(Source)) {
    FLocation = p->FLocation;
    FKey = p->FKey;
    FSection = p->FSection;
    FEnabled = p->FEnabled;
  }
}

void TPersistence::Changed() {
  if (OnChange) OnChange(this);
}

void TPersistence::SetLocation(TPersistenceLocation Value) {
  if (Value == FLocation) return;
  FLocation = Value;
  Changed();
}

void TPersistence::SetKey(const String& Value) {
  if (Value == FKey) return;
  FKey = Value;
  Changed();
}

void TPersistence::SetSection(const String& Value) {
  if (Value == FSection) return;
  FSection = Value;
  Changed();
}

void TPersistence::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  Changed();
}
