// Sums of prices read as the decimals the prices were written as: two sums that print
// alike are one decimal at any power of two, and sums that differ by a tick are not.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "indicators/cores/printed_decimal.hpp"

namespace torvex {
namespace {

TEST(PrintedDecimal, SumsThatPrintAlikeAreOneDecimalAtEveryPowerOfTwo) {
    const struct {
        const char* label;
        double a, b;  // two sums of three prices, each formed (h + l) + c in doubles
        bool alike;
    } cases[] = {
        // 3.35322 both (EURUSD 2017-05-24 05:00 and 06:00), a unit in the last place apart.
        {"five places", (1.11809 + 1.1173) + 1.11783, (1.11832 + 1.11715) + 1.11775, true},
        // 299.97 both: flat bars at 99.99 and a doji two cents either side.
        {"cents", (99.99 + 99.99) + 99.99, (100.01 + 99.97) + 99.99, true},
        {"a cent apart", (99.99 + 99.99) + 99.99, (100.01 + 99.97) + 100.0, false},
        {"a pip apart", (1.07001 + 1.07001) + 1.07001, (1.07011 + 1.07001) + 1.07001, false},
    };
    for (const auto& c : cases) {
        ASSERT_NE(c.a, c.b) << c.label << ": not a tie in doubles";
        for (const int k : {0, -1060, -600, 1, 37, 900}) {
            const double a = std::ldexp(c.a, k), b = std::ldexp(c.b, k);
            EXPECT_EQ(same_printed(a, b), c.alike) << c.label << " at 2^" << k;
            EXPECT_EQ(same_printed(-a, -b), c.alike) << c.label << " negated at 2^" << k;
        }
    }
}

TEST(PrintedDecimal, ReadsShortDecimalsOnlyAndNothingElse) {
    // 0.1 is 1/10: one place, t = 0.5 = 0.5 * 2^0.
    const std::optional<PrintedDecimal> tenth = PrintedDecimal::of(0.1);
    ASSERT_TRUE(tenth);
    EXPECT_EQ(tenth->places, 1);
    EXPECT_EQ(tenth->fifths, 0.5);
    EXPECT_EQ(tenth->exponent, 0);
    // Far from any decimal of at most 8 places and 38 bits: a third, pi, 1 + 2^-40 (41 bits).
    for (const double x : {1.0 / 3.0, 3.141592653589793, 1.0 + 0x1p-40})
        EXPECT_FALSE(PrintedDecimal::of(x)) << x;
    for (const double x : {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()})
        EXPECT_FALSE(PrintedDecimal::of(x)) << x;
    EXPECT_TRUE(same_printed(0.0, -0.0));
    EXPECT_FALSE(same_printed(0.0, std::numeric_limits<double>::denorm_min()));
}

}  // namespace
}  // namespace torvex
