// The units the status bar tests start: base/, GDI+ and the toolbar runtime.
#include "tests/support/TestUnits.h"
#include "ui/draw/GdiPlus.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

const std::vector<TUnitEntry>& TestUnits() {
  static const std::vector<TUnitEntry> units = [] {
    std::vector<TUnitEntry> u = BaseUnits();
    u.push_back({L"GDIPlus", InitGdiplusUnit, FiniGdiplusUnit});
    for (const TUnitEntry& e : ToolBarRuntimeUnits()) u.push_back(e);
    return u;
  }();
  return units;
}
