#include "app/AppUnits.h"

#include "app/OvUDPS.h"
#include "app/SingleInstance.h"
#include "base/Forms.h"
#include "net/netunits.h"
#include "ui/controls/menus/AdvMenuUtil.h"
#include "ui/controls/buttons/ShortCutHint.h"
#include "ui/draw/GdiPlus.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

const std::vector<TUnitEntry>& AppUnits() {
  static const std::vector<TUnitEntry> units = [] {
    std::vector<TUnitEntry> u = BaseUnits();
    // The socket layer: Windows Sockets and the character-set alias table.
    AppendSocketLayerUnits(u);
    // The UDP service's queue lock, after the socket layer.
    u.push_back({L"OvUDPS", InitOvUDPSUnit, FiniOvUDPSUnit});
    // GDI+ comes after the socket layer and the UDP-service lock.
    u.push_back({L"GDIPlus", InitGdiplusUnit, FiniGdiplusUnit});
    // The menu utilities, then the menus (menu animation off until the end).
    u.push_back({L"AdvMenuUtil", InitMenuUtilsUnit, nullptr});
    u.push_back({L"AdvMenus", InitAdvMenusUnit, FiniAdvMenusUnit});
    // The hint unit: registers "ClearHintControl".
    u.push_back({L"HintControl", InitHintControlUnit, FiniHintControlUnit});
    // The toolbar library's runtime comes last before the guard.
    for (const TUnitEntry& e : ToolBarRuntimeUnits()) u.push_back(e);
    // The guard comes last: it is the main window's own start-up.
    u.push_back({L"SingleInstance", SingleInstanceGuard, nullptr});
    return u;
  }();
  return units;
}
