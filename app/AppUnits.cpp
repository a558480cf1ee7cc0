#include "app/AppUnits.h"

#include "app/SingleInstance.h"
#include "base/Forms.h"
#include "net/charsets.h"
#include "ui/draw/GdiPlus.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

const std::vector<TUnitEntry>& AppUnits() {
  static const std::vector<TUnitEntry> units = [] {
    std::vector<TUnitEntry> u = BaseUnits();
    // The socket layer: its character-set alias table.
    u.push_back({L"Charsets", InitCharsetsUnit, FiniCharsetsUnit});
    // GDI+ comes after the socket layer and the UDP-service lock.
    u.push_back({L"GDIPlus", InitGdiplusUnit, FiniGdiplusUnit});
    // The toolbar library's runtime comes last before the guard.
    for (const TUnitEntry& e : ToolBarRuntimeUnits()) u.push_back(e);
    // The guard comes last: it is the main window's own start-up.
    u.push_back({L"SingleInstance", SingleInstanceGuard, nullptr});
    return u;
  }();
  return units;
}
