// One-time start-up and finalisation of the program's units. Static
// constructors do no work: each unit's Init and Fini sit in one explicit
// table that the program's entry and the test main run in order.
#pragma once

#include <vector>

#include "base/Types.h"

struct TUnitEntry {
  const wchar_t* Name;
  void (*Init)();
  void (*Fini)();
};

// Runs the Init of each entry in order. An exception in an Init is reported
// through the message-box seam and stops the start-up; the function then
// returns false. The units initialised so far are remembered for
// FinalizeUnits.
bool InitializeUnits(const std::vector<TUnitEntry>& units);
// Runs the Fini of the initialised units in reverse order, leaving the
// first KeepFirst of them running.
void FinalizeUnits(size_t KeepFirst = 0);
// How many units have been initialised and not finalised.
size_t InitializedUnitCount();

// The units of base/ itself (application object, screen, window classes),
// which come before every other unit.
const std::vector<TUnitEntry>& BaseUnits();
