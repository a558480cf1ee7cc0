#include <gtest/gtest.h>

#include "base/SysUtils.h"

TEST(SysUtils, RoundTakesHalvesToEven) {
  struct {
    double in;
    int64_t out;
  } cases[] = {{202.5, 202}, {127.5, 128}, {0.5, 0}, {1.5, 2}, {-2.5, -2}, {2.4999, 2}, {-0.6, -1}};
  for (auto& c : cases) EXPECT_EQ(Round(c.in), c.out) << c.in;
  EXPECT_EQ(Trunc(-2.7), -2);
}
