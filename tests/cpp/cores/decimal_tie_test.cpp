// Ties in the decimals the prices were written in: two sums of two prices, and a value
// against the mean of a window, at two price levels, scaled by powers of two, and on
// values that are no decimals.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#include "indicators/cores/decimal_tie.hpp"

namespace torvex {
namespace {

FixedRing<double> ring_of(std::initializer_list<double> values) {
    FixedRing<double> ring(values.size());
    for (const double v : values) ring.push_back(v);
    return ring;
}

TEST(DecimalTie, SumsOfTwoPrices) {
    struct Case {
        double a, b, c, d;
        bool tie;
    };
    const Case cases[] = {
        // A high 4 cents over the previous one and a low 4 cents under: the moves tie,
        // where the doubles' differences do not (0.040000000000006253 against
        // 0.03999999999999204 at 99.99).
        {100.03, 99.87, 99.99, 99.91, true},
        {1100.03, 1099.87, 1099.99, 1099.91, true},
        {100.03, 99.86, 99.99, 99.91, false},
        {1100.03, 1099.88, 1099.99, 1099.91, false},
        // 0.1 + 0.2 is 0.3 in its decimals, not in doubles; eight places, and none.
        {0.1, 0.2, 0.3, 0.0, true},
        {1.00000001, 2.00000002, 3.00000003, 0.0, true},
        {1.00000001, 2.00000002, 3.00000002, 0.0, false},
        // Values that are no decimals of eight places are taken as the binary values,
        // exactly: the doubles of 1/3 and 2/3 sum to 1 − 2^-54, which rounds to 1.
        {1.0 / 3.0, 2.0 / 3.0, 1.0, 0.0, false},
        {0x1p-60, 0x1p60, 0x1p60, 0x1p-60, true},
        {0x1p-60, 0x1p60, 0x1p60, 0x1p-61, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sums_tie_in_decimals(c.a, c.b, c.c, c.d), c.tie) << c.a << " + " << c.b << " vs " << c.c << " + " << c.d;
        // Prices times a power of two tie as they did, to the ends of the double range.
        for (const int k : {-1000, -12, -3, 5, 984}) {
            const double s = std::ldexp(1.0, k);
            bool exact = true;  // where the doubles hold the scaled values
            for (const double v : {c.a, c.b, c.c, c.d}) exact = exact && std::isfinite(v * s) && (v * s) / s == v;
            if (!exact) continue;
            EXPECT_EQ(sums_tie_in_decimals(c.a * s, c.b * s, c.c * s, c.d * s), c.tie) << c.a << " at 2^" << k;
        }
    }
}

TEST(DecimalTie, ValueAgainstTheMeanOfAWindow) {
    // 100.00 is the mean of 99.99, 100.01 and 100.00; 1,100.00 that of the same cents at
    // 1,099.99 and 1,100.01.
    for (const double level : {0.0, 1000.0}) {
        const FixedRing<double> prices = ring_of({99.99 + level, 100.01 + level, 100.00 + level});
        EXPECT_EQ(sign_of_count_times_minus_sum(100.00 + level, 3, prices), 0) << level;
        EXPECT_EQ(sign_of_count_times_minus_sum(100.01 + level, 3, prices), 1) << level;
        EXPECT_EQ(sign_of_count_times_minus_sum(99.99 + level, 3, prices), -1) << level;
        // The same at the ends of the double range.
        for (const int k : {-1000, 984}) {
            const double s = std::ldexp(1.0, k);
            const FixedRing<double> scaled = ring_of({(99.99 + level) * s, (100.01 + level) * s, (100.00 + level) * s});
            EXPECT_EQ(sign_of_count_times_minus_sum((100.00 + level) * s, 3, scaled), 0) << level << " at 2^" << k;
            EXPECT_EQ(sign_of_count_times_minus_sum((100.01 + level) * s, 3, scaled), 1) << level << " at 2^" << k;
        }
    }
    // Midpoints of cent bars hold their half cents only to a rounding or two; a close
    // on their mean ties it at any level and scale.
    for (const double level : {99.99, 1099.99}) {
        for (const int k : {-1000, -10, 0, 7, 962}) {
            const double s = std::ldexp(1.0, k);
            const auto mid = [&](double high, double low) { return ((level + high) * s + (level + low) * s) * 0.5; };
            // Midpoints 0.005, -0.015 and -0.02 from the level average -0.01.
            const FixedRing<double> mids = ring_of({mid(0.01, 0.0), mid(0.0, -0.03), mid(-0.01, -0.03)});
            EXPECT_EQ(sign_of_count_times_minus_sum_near_decimals((level - 0.01) * s, 3, mids), 0) << level << " " << k;
            EXPECT_EQ(sign_of_count_times_minus_sum_near_decimals((level - 0.00) * s, 3, mids), 1) << level << " " << k;
            EXPECT_EQ(sign_of_count_times_minus_sum_near_decimals((level - 0.02) * s, 3, mids), -1) << level << " " << k;
        }
    }
}

}  // namespace
}  // namespace torvex
