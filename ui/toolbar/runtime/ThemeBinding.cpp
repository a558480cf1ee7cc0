#include "ui/toolbar/runtime/ThemeBinding.h"

#include <cstring>

#include "base/SysUtils.h"

// Structures the calls take keep the platform's own x86_64 layout.
static_assert(sizeof(DTTOPTS) == 72);

namespace {
const char* const kEntryNames[ThemeEntryCount] = {
    "OpenThemeData", "CloseThemeData", "DrawThemeBackground", "DrawThemeText", "GetThemeBackgroundContentRect",
    "GetThemeBackgroundExtent", "GetThemeTextExtent", "GetThemeTextMetrics", "GetThemeBackgroundRegion",
    "HitTestThemeBackground", "DrawThemeEdge", "DrawThemeIcon", "IsThemePartDefined",
    "IsThemeBackgroundPartiallyTransparent", "GetThemeColor", "GetThemeMetric", "GetThemeString", "GetThemeBool",
    "GetThemeInt", "GetThemeEnumValue", "GetThemePosition", "GetThemeFont", "GetThemeRect", "GetThemeMargins",
    "GetThemeIntList", "SetWindowTheme", "GetThemeFilename", "GetThemeSysColor", "GetThemeSysColorBrush",
    "GetThemeSysBool", "GetThemeSysSize", "GetThemeSysFont", "GetThemeSysString", "GetThemeSysInt", "IsThemeActive",
    "IsAppThemed", "GetWindowTheme", "EnableThemeDialogTexture", "IsThemeDialogTextureEnabled",
    "GetThemeAppProperties", "SetThemeAppProperties", "GetCurrentThemeName", "GetThemeDocumentationProperty",
    "DrawThemeParentBackground", "EnableTheming"};

CRITICAL_SECTION gLock;
bool gLockMade = false;
HMODULE gTheme = nullptr;
int gLoadCount = 0;
bool gBound = false;
FARPROC gEntries[ThemeEntryCount] = {};
FARPROC gDrawThemeTextEx = nullptr;
String gThemeName = L"UXTHEME.DLL";

struct Lock {
  Lock() { if (gLockMade) EnterCriticalSection(&gLock); }
  ~Lock() { if (gLockMade) LeaveCriticalSection(&gLock); }
};
}  // namespace

void SetThemeLibraryName(const String& Name) { gThemeName = Name; }
bool ThemeLibraryBound() { return gBound; }
int ThemeLibraryLoadCount() { return gLoadCount; }

void BindThemeLibrary() {
  if (gBound) return;
  Lock lock;
  HMODULE m = LoadLibraryW(gThemeName.c_str());
  if (!m) return;
  gTheme = m;
  ++gLoadCount;
  gBound = true;
  // An entry this system lacks stays empty: nothing here calls the entries,
  // so a missing one must not stop the program from starting.
  for (int i = 0; i < ThemeEntryCount; ++i) gEntries[i] = GetProcAddress(m, kEntryNames[i]);
}

void ReleaseThemeLibrary() {
  Lock lock;
  if (gLoadCount > 0) --gLoadCount;
  if (gBound) {
    FreeLibrary(gTheme);
    gTheme = nullptr;
    gBound = false;
    std::memset(gEntries, 0, sizeof(gEntries));
    gDrawThemeTextEx = nullptr;
  }
}

FARPROC ThemeEntry(const char* Name) {
  for (int i = 0; i < ThemeEntryCount; ++i)
    if (std::strcmp(kEntryNames[i], Name) == 0) return gEntries[i];
  return nullptr;
}

void InitThemeBindingUnit() {
  if (!gLockMade) {
    InitializeCriticalSection(&gLock);
    gLockMade = true;
  }
  BindThemeLibrary();
}

void FiniThemeBindingUnit() {
  while (gLoadCount > 0) ReleaseThemeLibrary();
  if (gLockMade) {
    DeleteCriticalSection(&gLock);
    gLockMade = false;
  }
}

namespace {
HTHEME (*gThemeDataSource)(HWND, LPCWSTR) = nullptr;
TThemeTextSink gThemeTextSink = nullptr;
}  // namespace

void SetThemeDataSource(HTHEME (*Source)(HWND Wnd, LPCWSTR Classes)) { gThemeDataSource = Source; }
void SetThemeTextSink(TThemeTextSink Sink) { gThemeTextSink = Sink; }

HTHEME ThemeBinding::OpenThemeData(HWND Wnd, LPCWSTR Classes) {
  if (gThemeDataSource) return gThemeDataSource(Wnd, Classes);
  using Fn = HTHEME(WINAPI*)(HWND, LPCWSTR);
  auto open = reinterpret_cast<Fn>(ThemeEntry("OpenThemeData"));
  return open ? open(Wnd, Classes) : nullptr;
}

void ThemeBinding::CloseThemeData(HTHEME Theme) {
  if (gThemeDataSource || !Theme) return;
  using Fn = HRESULT(WINAPI*)(HTHEME);
  auto close = reinterpret_cast<Fn>(ThemeEntry("CloseThemeData"));
  if (close) close(Theme);
}

HRESULT ThemeBinding::GetThemeSysFont(HTHEME Theme, int Id, LOGFONTW& Font) {
  if (gThemeDataSource) return E_NOTIMPL;
  using Fn = HRESULT(WINAPI*)(HTHEME, int, LOGFONTW*);
  auto font = reinterpret_cast<Fn>(ThemeEntry("GetThemeSysFont"));
  return font ? font(Theme, Id, &Font) : E_NOTIMPL;
}

HRESULT ThemeBinding::DrawThemeTextEx(HTHEME Theme, HDC DC, int PartId, int StateId, LPCWSTR Text, int TextLength,
                                      DWORD TextFlags, LPRECT Rect, const DTTOPTS* Options) {
  if (gThemeTextSink) return gThemeTextSink(Theme, DC, PartId, StateId, Text, TextLength, TextFlags, Rect, Options);
  using Fn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, LPRECT, const DTTOPTS*);
  if (!gDrawThemeTextEx) {
    if (!gTheme) return E_NOTIMPL;
    gDrawThemeTextEx = GetProcAddress(gTheme, "DrawThemeTextEx");
    if (!gDrawThemeTextEx) return E_NOTIMPL;
  }
  return reinterpret_cast<Fn>(gDrawThemeTextEx)(Theme, DC, PartId, StateId, Text, TextLength, TextFlags, Rect,
                                                 Options);
}

// ---------------------------------------------------------------------------
// DWM

namespace {
HMODULE gDwm = nullptr;
FARPROC gDefWindowProc = nullptr;
FARPROC gExtendFrame = nullptr;
FARPROC gCompositionEnabled = nullptr;
HRESULT (*gCompositionSource)(BOOL&) = nullptr;
HRESULT (*gExtendFrameSink)(HWND, const MARGINS&) = nullptr;

FARPROC DwmEntry(FARPROC& Cache, const char* Name) {
  if (!Cache) {
    LoadDwmLibrary();
    if (gDwm) Cache = GetProcAddress(gDwm, Name);
  }
  return Cache;
}
}  // namespace

void LoadDwmLibrary() {
  if (!gDwm) gDwm = LoadLibraryW(L"DWMAPI.DLL");
}

void FiniDwmBindingUnit() {
  if (gDwm) FreeLibrary(gDwm);
  gDwm = nullptr;
  gDefWindowProc = gExtendFrame = gCompositionEnabled = nullptr;
}

bool DwmBinding::DwmDefWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) {
  using Fn = BOOL(WINAPI*)(HWND, UINT, WPARAM, LPARAM, LRESULT*);
  FARPROC f = DwmEntry(gDefWindowProc, "DwmDefWindowProc");
  return f && reinterpret_cast<Fn>(f)(Wnd, Msg, WParam, LParam, &Result);
}

void SetDwmCompositionSource(HRESULT (*Source)(BOOL& Enabled)) { gCompositionSource = Source; }
void SetDwmExtendFrameSink(HRESULT (*Sink)(HWND Wnd, const MARGINS& Margins)) { gExtendFrameSink = Sink; }

HRESULT DwmBinding::DwmExtendFrameIntoClientArea(HWND Wnd, const MARGINS& Margins) {
  if (gExtendFrameSink) return gExtendFrameSink(Wnd, Margins);
  using Fn = HRESULT(WINAPI*)(HWND, const MARGINS*);
  FARPROC f = DwmEntry(gExtendFrame, "DwmExtendFrameIntoClientArea");
  return f ? reinterpret_cast<Fn>(f)(Wnd, &Margins) : E_NOTIMPL;
}

HRESULT DwmBinding::DwmIsCompositionEnabled(BOOL& Enabled) {
  if (gCompositionSource) return gCompositionSource(Enabled);
  using Fn = HRESULT(WINAPI*)(BOOL*);
  FARPROC f = DwmEntry(gCompositionEnabled, "DwmIsCompositionEnabled");
  return f ? reinterpret_cast<Fn>(f)(&Enabled) : E_NOTIMPL;
}

bool IsDwmCompositionEnabled() {
  int major = 0, minor = 0;
  OSVERSIONINFOW vi{};
  vi.dwOSVersionInfoSize = sizeof(vi);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExW(&vi);
#pragma GCC diagnostic pop
  major = static_cast<int>(vi.dwMajorVersion);
  (void)minor;
  BOOL enabled = FALSE;
  return major >= 6 && DwmBinding::DwmIsCompositionEnabled(enabled) == S_OK && enabled;
}

bool IsAeroCompositionEnabled() {
  BOOL enabled = FALSE;
  DwmBinding::DwmIsCompositionEnabled(enabled);
  return enabled != FALSE;
}
