// Moves measured in a price-unit parameter, decided on the values as written: one tick
// is one tick at every price level and at every binary scale, and a price k units on
// is the double nearest its decimal.
#include <gtest/gtest.h>

#include <cmath>

#include "indicators/cores/price_unit.hpp"

namespace torvex {
namespace {

TEST(PriceUnit, DecidesMovesOnTheDecimalsAsWritten) {
    const double s = std::ldexp(1.0, -30);
    const struct {
        const char* label;
        double from, to, unit;
        int sign;     // of (to - from) - unit
        double units;  // floor((to - from) / unit)
    } cases[] = {
        // 100.00 - 99.99 is 0.010000000000005116 in doubles, 1,100.00 - 1,099.99 is
        // 0.009999999999990905.
        {"one cent at 100", 99.99, 100.00, 0.01, 0, 1.0},
        {"one cent at 1,100", 1099.99, 1100.00, 0.01, 0, 1.0},
        {"one cent at 100, times 2^-30", 99.99 * s, 100.00 * s, 0.01 * s, 0, 1.0},
        {"one pip", 1.07011, 1.07021, 0.0001, 0, 1.0},
        {"two cents", 99.99, 100.01, 0.01, 1, 2.0},
        {"a cent down", 100.00, 99.99, 0.01, -1, -1.0},
        // (100.02 - 100.00) / 0.01 is 1.9999999999996.
        {"two bricks of a cent", 100.00, 100.02, 0.01, 1, 2.0},
        {"a half-unit binary move", 0.5, 1.25, 0.25, 1, 3.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(price_unit::compare_move(c.from, c.to, c.unit), c.sign);
        EXPECT_EQ(price_unit::whole_units(c.from, c.to, c.unit), c.units);
    }
}

TEST(PriceUnit, PlacesAPriceUnitsOnOnItsDecimal) {
    const struct {
        const char* label;
        double x, k, unit, want;
    } cases[] = {
        {"0.1 + 2 x 0.1", 0.1, 2.0, 0.1, 0.3},  // 0.1 + 0.2 is 0.30000000000000004
        {"99.96 + 0.01", 99.96, 1.0, 0.01, 99.97},
        {"100.02 - 3 cents", 100.02, -3.0, 0.01, 99.99},
        {"62.01 + 2 across 64", 62.01, 1.0, 2.0, 64.01},  // 64.00999999999999 in doubles
        {"a cent times 10,007", 0.0, 10007.0, 0.01, 100.07},  // 100.07000000000001
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(price_unit::shifted(c.x, c.k, c.unit), c.want);
        if (price_unit::is_short_binary(c.unit)) EXPECT_EQ(price_unit::shifted_by_short(c.x, c.k, c.unit), c.want);
    }
    EXPECT_TRUE(price_unit::is_short_binary(2.0));
    EXPECT_TRUE(price_unit::is_short_binary(0.25));
    EXPECT_FALSE(price_unit::is_short_binary(0.01));
    EXPECT_FALSE(price_unit::is_short_binary(1.0 / 3.0));
}

}  // namespace
}  // namespace torvex
