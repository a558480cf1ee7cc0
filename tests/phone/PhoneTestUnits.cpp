// The program's unit table without the single-instance guard: the socket
// layer and the UDP service's lock come up as in Vantrel.exe. The update
// check at start asks no server: these tests run outside a lab network.
#include <cwchar>

#include "app/AppUnits.h"
#include "app/NewSmsForm.h"
#include "tests/support/TestUnits.h"

const std::vector<TUnitEntry>& TestUnits() {
  static const std::vector<TUnitEntry> units = [] {
    std::vector<TUnitEntry> u{{L"NoUpdateServer", [] { UpdateControlFileURL.clear(); }, nullptr}};
    for (const TUnitEntry& e : AppUnits())
      if (wcscmp(e.Name, L"SingleInstance") != 0) u.push_back(e);
    return u;
  }();
  return units;
}
