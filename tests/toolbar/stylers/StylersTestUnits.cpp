// The units the toolbar styler tests start: base/, GDI+, the menu units (the
// styler's internal menu styler) and the toolbar runtime.
#include "tests/support/TestUnits.h"
#include "ui/controls/menus/AdvMenuUtil.h"
#include "ui/draw/GdiPlus.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

const std::vector<TUnitEntry>& TestUnits() {
  static const std::vector<TUnitEntry> units = [] {
    std::vector<TUnitEntry> u = BaseUnits();
    u.push_back({L"GDIPlus", InitGdiplusUnit, FiniGdiplusUnit});
    u.push_back({L"AdvMenuUtil", InitMenuUtilsUnit, nullptr});
    u.push_back({L"AdvMenus", InitAdvMenusUnit, FiniAdvMenusUnit});
    for (const TUnitEntry& e : ToolBarRuntimeUnits()) u.push_back(e);
    return u;
  }();
  return units;
}
