#include "tests/support/TestUnits.h"

const std::vector<TUnitEntry>& TestUnits() { return BaseUnits(); }
