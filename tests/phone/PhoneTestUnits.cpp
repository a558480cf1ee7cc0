// The program's unit table without the single-instance guard: the socket
// layer and the UDP service's lock come up as in Vantrel.exe.
#include <cwchar>

#include "app/AppUnits.h"
#include "tests/support/TestUnits.h"

const std::vector<TUnitEntry>& TestUnits() {
  static const std::vector<TUnitEntry> units = [] {
    std::vector<TUnitEntry> u;
    for (const TUnitEntry& e : AppUnits())
      if (wcscmp(e.Name, L"SingleInstance") != 0) u.push_back(e);
    return u;
  }();
  return units;
}
