#include "base/StyleServices.h"

#include <windows.h>

namespace {
bool (*gEnabledSource)() = nullptr;

// IsThemeActive and IsAppThemed of the visual-styles library, bound once;
// without the library or an entry, visual styles are off.
bool SystemStylesEnabled() {
  using Fn = BOOL(WINAPI*)();
  static const struct Entries {
    Fn Active = nullptr;
    Fn Themed = nullptr;
    Entries() {
      if (HMODULE lib = LoadLibraryW(L"uxtheme.dll")) {
        Active = reinterpret_cast<Fn>(GetProcAddress(lib, "IsThemeActive"));
        Themed = reinterpret_cast<Fn>(GetProcAddress(lib, "IsAppThemed"));
      }
    }
  } entries;
  return entries.Active && entries.Themed && entries.Active() && entries.Themed();
}
}  // namespace

String TCustomStyleServices::Name() const { return L"Windows"; }

bool TCustomStyleServices::Enabled() const { return gEnabledSource ? gEnabledSource() : SystemStylesEnabled(); }

TCustomStyleServices* TStyleManager::ActiveStyle() {
  // Lives as long as the process, like the platform's own style.
  static TCustomStyleServices* style = new TCustomStyleServices;
  return style;
}

void TStyleManager::SetEnabledSource(bool (*Source)()) { gEnabledSource = Source; }

TCustomStyleServices* StyleServices() { return TStyleManager::ActiveStyle(); }
