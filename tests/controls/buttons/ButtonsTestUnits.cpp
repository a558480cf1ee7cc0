// The units the button and label tests start: base/, GDI+, the hint unit
// and the toolbar library's runtime, in the program's order.
#include "tests/support/TestUnits.h"
#include "ui/controls/menus/AdvMenuUtil.h"
#include "ui/controls/buttons/ShortCutHint.h"
#include "ui/draw/GdiPlus.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

const std::vector<TUnitEntry>& TestUnits() {
  static const std::vector<TUnitEntry> units = [] {
    std::vector<TUnitEntry> u = BaseUnits();
    u.push_back({L"GDIPlus", InitGdiplusUnit, FiniGdiplusUnit});
    u.push_back({L"AdvMenuUtil", InitMenuUtilsUnit, nullptr});
    u.push_back({L"AdvMenus", InitAdvMenusUnit, FiniAdvMenusUnit});
    u.push_back({L"HintControl", InitHintControlUnit, FiniHintControlUnit});
    for (const TUnitEntry& e : ToolBarRuntimeUnits()) u.push_back(e);
    return u;
  }();
  return units;
}
