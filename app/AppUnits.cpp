#include "app/AppUnits.h"

#include "app/OvUDPS.h"
#include "app/SingleInstance.h"
#include "base/Forms.h"

const std::vector<TUnitEntry>& AppUnits() {
  static const std::vector<TUnitEntry> units = [] {
    std::vector<TUnitEntry> u = BaseUnits();
    // The UDP service's queue lock, after the socket layer.
    u.push_back({L"OvUDPS", InitOvUDPSUnit, FiniOvUDPSUnit});
    // The guard comes last: it is the main window's own start-up.
    u.push_back({L"SingleInstance", SingleInstanceGuard, nullptr});
    return u;
  }();
  return units;
}
