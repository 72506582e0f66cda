// The exact side of count·x against a sum of doubles, and the sum rounded once, across
// the whole double range.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "indicators/cores/exact_sum.hpp"
#include "indicators/error.hpp"

namespace torvex {
namespace {

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kTiny = std::numeric_limits<double>::denorm_min();

// The sum of `added` after `removed` were taken out again.
ExactSum holding(const std::vector<double>& added, const std::vector<double>& removed) {
    ExactSum sum;
    for (const double v : added) sum.add(v);
    for (const double v : removed) sum.remove(v);
    return sum;
}

TEST(ExactSumCore, SignOfCountTimesMinusSum) {
    struct Case {
        const char* label;
        std::vector<double> added;
        std::vector<double> removed;
        std::uint64_t count;
        double x;
        int want;
    };
    const std::vector<Case> cases = {
        {"nothing held, zero", {}, {}, 1, 0.0, 0},
        {"nothing held, negative zero", {}, {}, 3, -0.0, 0},
        // 0.1 + 0.2 is exactly 0x1.33333333333338p-2; twice 0.15 is 0x1.3333333333333p-2.
        {"0.1 + 0.2 against 2 * 0.15", {0.1, 0.2}, {}, 2, 0.15, -1},
        {"mean of 1, 2, 3", {1.0, 2.0, 3.0}, {}, 3, 2.0, 0},
        {"largest doubles, equal", {kMax, kMax}, {}, 2, kMax, 0},
        {"largest doubles, one below", {kMax, kMax}, {}, 2, std::nextafter(kMax, 0.0), -1},
        {"smallest subnormal against zero", {kTiny}, {}, 1, 0.0, -1},
        {"smallest subnormal twice", {kTiny}, {}, 2, kTiny, 1},
        {"extremes cancel to a subnormal", {kMax, kTiny, -kMax}, {}, MAX_PERIOD, 0.0, -1},
        {"extremes cancel, count times it", {kMax, kTiny, -kMax}, {}, MAX_PERIOD, kTiny, 1},
        {"a huge value removed leaves nothing", {1e300, 0.1}, {1e300}, 1, 0.1, 0},
        {"negative mean", {-1.0, -2.0}, {}, 2, -1.5, 0},
        {"below a negative mean", {-1.0, -2.0}, {}, 2, std::nextafter(-1.5, -2.0), -1},
        {"longest window of the largest double", {kMax}, {}, MAX_PERIOD, kMax, 1},
        {"longest window of the most negative", {}, {}, MAX_PERIOD, -kMax, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(holding(c.added, c.removed).sign_of_count_times_minus_sum(c.count, c.x), c.want);
    }
}

TEST(ExactSumCore, RoundedOnce) {
    struct Case {
        const char* label;
        std::vector<double> added, removed;
        double want;
    };
    const std::vector<Case> cases = {
        {"nothing held", {}, {}, 0.0},
        {"a value and its negative", {-1e-4, 1e-4}, {}, 0.0},
        // The doubles 0.1 + 0.2 + 0.3 exceed the double 0.6 by exactly 2^-55; summed in
        // turn they read 2^-53.
        {"0.1 + 0.2 + 0.3 - 0.6", {0.1, 0.2, 0.3, -0.6}, {}, 0x1p-55},
        {"a one between two huge values that cancel", {1e100, 1.0, -1e100}, {}, 1.0},
        {"a tie goes to the even neighbour", {1.0, 0x1p-53}, {}, 1.0},
        {"just above a tie goes up", {1.0, 0x1p-53, 0x1p-80}, {}, 1.0 + 0x1p-52},
        {"a tie at an odd last bit goes up", {1.0 + 0x1p-52, 0x1p-53}, {}, 1.0 + 0x1p-51},
        {"negative", {-3.0, 1.0}, {}, -2.0},
        {"subnormals add exactly", {kTiny, kTiny, kTiny}, {}, 3 * kTiny},
        {"beyond the largest double", {kMax, kMax}, {}, std::numeric_limits<double>::infinity()},
        {"back within range", {kMax, kMax, -kMax}, {}, kMax},
        {"a huge value removed leaves nothing", {1e300, 0.1}, {1e300}, 0.1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(holding(c.added, c.removed).rounded(), c.want);
    }
}

}  // namespace
}  // namespace torvex
