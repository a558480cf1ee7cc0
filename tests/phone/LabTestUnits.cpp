// The program's unit table for tests that create the main window, which
// binds the first address with a gateway and broadcasts for the phone. They
// must run in a lab network (tools/lab/lab.sh): started anywhere else, the
// first unit refuses, before any socket exists.
#include <cwchar>

#include "app/AppUnits.h"
#include "base/SysUtils.h"
#include "tests/support/TestUnits.h"

namespace {

void RequireLabNetwork() {
  wchar_t id[64];
  if (GetEnvironmentVariableW(L"VANTREL_LAB_ID", id, 64) == 0)
    throw Exception(L"This test starts the phone link; run it through tools/lab/lab.sh (as ctest does)");
}

}  // namespace

const std::vector<TUnitEntry>& TestUnits() {
  static const std::vector<TUnitEntry> units = [] {
    std::vector<TUnitEntry> u{{L"LabNetwork", RequireLabNetwork, nullptr}};
    for (const TUnitEntry& e : AppUnits())
      if (wcscmp(e.Name, L"SingleInstance") != 0) u.push_back(e);
    return u;
  }();
  return units;
}
