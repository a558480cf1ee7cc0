#pragma once
#include <vector>

#include "base/Units.h"

// The start-up table a test executable runs: each test main library defines it.
const std::vector<TUnitEntry>& TestUnits();
