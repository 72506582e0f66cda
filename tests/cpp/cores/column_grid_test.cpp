// The grid the exact pair decisions read a column on: prices as written, in units of
// their last decimal place, and any other column as binary integers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "indicators/cores/exact_gram.hpp"

namespace torvex {
namespace {

TEST(ColumnGrid, ReadsDecimalsInUnitsOfTheirLastPlace) {
    const struct {
        const char* label;
        std::vector<double> column;
        int decimals;  // 0: read as binary integers
        std::int64_t first;  // the first value's integer on a decimal grid
    } cases[] = {
        {"cents", {-446.07, 445.99, 446.2}, 2, -44607},
        {"cents times 2^-40", {std::ldexp(446.07, -40), std::ldexp(445.99, -40)}, 2, 44607},
        {"cents times 2^40", {std::ldexp(446.07, 40), std::ldexp(445.99, 40)}, 2, 44607},
        {"a pip of 0.00001", {1.0726, 1.07219}, 5, 107260},
        {"eight places", {0.00012347, 2.5}, 8, 12347},
        {"quarters are dyadic", {0.25, 101.5}, 0, 0},
        {"whole prices", {4500.0, -12.0}, 0, 0},
        {"a sum of roundings is no short decimal", {0.1 + 0.2, 0.5}, 0, 0},
        {"nine places", {1e-9, 2e-9}, 0, 0},
        {"past 2^52 units of the last place", {4.5e14, 0.01}, 0, 0},
        {"zeros", {0.0, -0.0}, 0, 0},
        // Each of these saves fewer than 13 bits over its double; the column's distinct
        // values together show far more than chance.
        {"eight places near 50,000", {50000.12345678, 50000.12345685, 49999.98765431, 50001.00000007}, 8, 5000012345678},
        {"seven places near 500,000", {500000.1234567, 500000.1234575, 499999.9876543}, 7, 5000001234567},
        {"six places near 5,000,000", {5000000.123457, 5000000.123451, 4999999.987654}, 6, 5000000123457},
        // One rounding that happens to save 8 bits at one place, repeated, halved and
        // negated: one significand's chance, however often it is seen.
        {"a rounding repeated", {1.3000180000000001, 1.3000180000000001, 2.6000360000000002, -1.3000180000000001,
                                 1.3000180000000001, 0.6500090000000001, 1.3000180000000001, 1.3000180000000001},
         0, 0},
    };
    const ModPrime& m = mod_prime(0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ColumnGrid grid;
        for (const double x : c.column) grid.add(x);
        EXPECT_EQ(grid.decimals, c.decimals);
        if (grid.decimals == 0) continue;
        EXPECT_EQ(grid.integer(c.column[0]), c.first);
        EXPECT_EQ(m.of(c.column[0], grid), m.of_integer(c.first));
    }
}

TEST(ColumnGrid, NegativeIntegersAreTheirResiduesNegated) {
    const ModPrime& m = mod_prime(3);
    for (const std::int64_t v : {1ll, 44607ll, (1ll << 53) - 1})
        EXPECT_EQ(m.add(m.of_integer(v), m.of_integer(-v)), 0u) << v;
    // 3 · 5 = 15 in Montgomery form, as the products of the Gram matrix take them.
    EXPECT_EQ(m.mul(m.of_integer(3), m.of_integer(-5)), m.of_integer(-15));
}

}  // namespace
}  // namespace torvex
