#include "net/charsets.h"
#include "tests/support/TestUnits.h"

// base/ and the character sets' alias table.
const std::vector<TUnitEntry>& TestUnits() {
  static const std::vector<TUnitEntry> units = [] {
    std::vector<TUnitEntry> u = BaseUnits();
    u.push_back({L"Charsets", InitCharsetsUnit, FiniCharsetsUnit});
    return u;
  }();
  return units;
}
