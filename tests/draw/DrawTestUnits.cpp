// The units the drawing tests start: base/, then GDI+.
#include "tests/support/TestUnits.h"
#include "ui/draw/GdiPlus.h"

const std::vector<TUnitEntry>& TestUnits() {
  static const std::vector<TUnitEntry> units = [] {
    std::vector<TUnitEntry> u = BaseUnits();
    u.push_back({L"GDIPlus", InitGdiplusUnit, FiniGdiplusUnit});
    return u;
  }();
  return units;
}
