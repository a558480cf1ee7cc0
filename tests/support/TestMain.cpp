#include <gtest/gtest.h>

#include "base/Units.h"
#include "tests/support/TestUnits.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (!InitializeUnits(TestUnits())) return 3;
  int result = RUN_ALL_TESTS();
  FinalizeUnits();
  return result;
}
