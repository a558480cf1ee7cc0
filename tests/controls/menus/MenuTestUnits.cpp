// The units the styled-menu tests start: base/, GDI+, the menu utilities
// and the menus.
#include "tests/support/TestUnits.h"
#include "ui/controls/menus/AdvMenuUtil.h"
#include "ui/draw/GdiPlus.h"

const std::vector<TUnitEntry>& TestUnits() {
  static const std::vector<TUnitEntry> units = [] {
    std::vector<TUnitEntry> u = BaseUnits();
    u.push_back({L"GDIPlus", InitGdiplusUnit, FiniGdiplusUnit});
    u.push_back({L"AdvMenuUtil", InitMenuUtilsUnit, nullptr});
    u.push_back({L"AdvMenus", InitAdvMenusUnit, FiniAdvMenusUnit});
    return u;
  }();
  return units;
}
