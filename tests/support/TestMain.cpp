#include <gtest/gtest.h>

#include <cstdio>

#include "base/Dialogs.h"
#include "base/SysUtils.h"
#include "base/Units.h"
#include "tests/support/TestUnits.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // A unit that fails to start says why on the console; no message box
  // waits for a click that never comes.
  SetMessageBoxHook([](const String& Text, const String& Caption, UINT) {
    std::fprintf(stderr, "%s: %s\n", WideToAnsi(Caption).c_str(), WideToAnsi(Text).c_str());
    return IDOK;
  });
  bool started = InitializeUnits(TestUnits());
  SetMessageBoxHook(nullptr);
  if (!started) return 3;
  int result = RUN_ALL_TESTS();
  FinalizeUnits();
  return result;
}
