// The program's start-up table: every unit's one-time initialisation in
// dependency order, then the single-instance guard.
#pragma once

#include "base/Units.h"

const std::vector<TUnitEntry>& AppUnits();
