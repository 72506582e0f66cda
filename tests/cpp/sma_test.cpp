#include <gtest/gtest.h>
#include "indicators/src/sma.hpp"
#include "test_support.hpp"
using namespace torvex;
TEST(Sma, Smoke) {
  auto s = Sma::create(2);
  ASSERT_TRUE(s);
  EXPECT_FALSE(test::feed_close(*s, 1.0));
  EXPECT_EQ(test::feed_close(*s, 3.0), 2.0);
}
