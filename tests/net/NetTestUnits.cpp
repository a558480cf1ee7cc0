// The start-up table of the socket layer's tests: base/, then the socket
// layer, as the program runs them.
#include "net/netunits.h"
#include "tests/support/TestUnits.h"

const std::vector<TUnitEntry>& TestUnits() {
  static const std::vector<TUnitEntry> units = [] {
    std::vector<TUnitEntry> u = BaseUnits();
    AppendSocketLayerUnits(u);
    return u;
  }();
  return units;
}
