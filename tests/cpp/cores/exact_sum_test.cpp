// The exact side of count·x against a sum of doubles, across the whole double range.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "indicators/cores/exact_sum.hpp"
#include "indicators/error.hpp"

namespace torvex {
namespace {

TEST(ExactSumCore, SignOfCountTimesMinusSum) {
    constexpr double kMax = std::numeric_limits<double>::max();
    constexpr double kTiny = std::numeric_limits<double>::denorm_min();
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
        ExactSum sum;
        for (const double v : c.added) sum.add(v);
        for (const double v : c.removed) sum.remove(v);
        EXPECT_EQ(sum.sign_of_count_times_minus_sum(c.count, c.x), c.want);
    }
}

}  // namespace
}  // namespace torvex
