// The schaff trend cycle over runs of MACD tops: a MACD at its window's top is exactly
// 100 percent, so a smoothed line that began at a top and met only tops since is
// exactly 100 and its window flat, whatever ulps the quotient rounds to.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "registry/registry.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

struct TopRun {
    const char* what;
    std::vector<double> params;
    std::vector<double> closes;
    std::size_t row;  // a producing row
    double expected;
};

// Closes (1000 + 37·a·t² + a·t) / 100: convex, so each bar's fast average gains on the
// slow one by more than the bar before and every MACD is its window's top. Every
// percentage is then exactly 100, the smoothed line exactly 100 from its first value,
// each window of it flat: the answer is 0 on every producing row (as a model in
// rationals of both averages and both stochastics has it).
std::vector<double> convex_closes(int a) {
    std::vector<double> closes;
    for (int t = 0; t < 14; ++t) closes.push_back(static_cast<double>(1000 + 37 * a * t * t + a * t) / 100.0);
    return closes;
}

TEST(StcTops, RunOfTopsReadsTheFlatAnswer) {
    const std::vector<TopRun> cases = {
        {"factor 1, a = 1", {2, 3, 3, 1}, convex_closes(1), 8, 0.0},
        {"factor 1, a = 3", {2, 3, 3, 1}, convex_closes(3), 6, 0.0},
        {"factor 1, a = 5", {2, 3, 3, 1}, convex_closes(5), 9, 0.0},
        {"factor 0.5, a = 3", {2, 4, 3, 0.5}, convex_closes(3), 8, 0.0},
        {"factor 0.5, a = 4", {1, 2, 2, 0.5}, convex_closes(4), 6, 0.0},
        // Monthly closes, rows 0 to 67: the MACD (4, 50) tops its 10-bar window from
        // the smoothed line's first bar (row 58) on, so at row 67 both windows are
        // flat in exact arithmetic.
        {"monthly reproducer, row 67", {4, 50, 10, 0.5},
         {5.55,   4.99,   4.92,   5.0,    5.14,   6.54,    9.2,     9.81,    12.17,   10.75,   12.42,   13.24,
          20.79,  33.98,  94.08,  136.84, 127.24, 89.0,    99.67,   131.24,  126.24,  203.74,  1110.09, 734.33,
          801.46, 575.5,  454.0,  447.56, 622.0,  643.41,  588.5,   477.78,  392.64,  341.82,  376.43,  316.67,
          230.59, 252.0,  242.92, 236.76, 231.52, 261.78,  286.11,  231.57,  237.33,  311.64,  374.19,  431.28,
          375.98, 435.9,  416.43, 449.02, 522.72, 664.01,  631.09,  571.78,  604.84,  704.89,  741.55,  963.16,
          955.79, 1195.39, 1069.99, 1334.83, 2304.63, 2519.89, 2837.44, 4719.85},
         67, 0.0},
    };
    for (const TopRun& c : cases) {
        auto built = build_indicator("Stc", c.params);
        ASSERT_TRUE(built) << c.what;
        const std::vector<std::optional<double>> got = test::feed_closes(**built, c.closes);
        ASSERT_LT(c.row, got.size()) << c.what;
        for (std::size_t r = c.row; r < got.size(); ++r) {
            ASSERT_TRUE(got[r]) << c.what << " row " << r;
            EXPECT_EQ(*got[r], c.expected) << c.what << " row " << r;
        }
    }
}

// A run broken by one bar below the top leaves the smoothed line short of 100 in
// exact arithmetic, so no later top is held at 100 with a factor below 1: the answers
// follow the windows. Closes rise, dip once at row 9, then rise 10 lower; the model in
// rationals gives 0, 25, 62.5, 81.25 and 90.625 on rows 9 to 13, all exact in doubles.
TEST(StcTops, BrokenRunIsNotHeld) {
    std::vector<double> closes = convex_closes(3);
    closes[9] = closes[8] - 5.0;
    for (std::size_t t = 10; t < closes.size(); ++t) closes[t] = closes[t] - 10.0;
    auto built = build_indicator("Stc", std::vector<double>{2, 4, 3, 0.5});
    ASSERT_TRUE(built);
    const std::vector<std::optional<double>> got = test::feed_closes(**built, closes);
    const double expected[] = {0.0, 25.0, 62.5, 81.25, 90.625};
    for (std::size_t r = 9; r < closes.size(); ++r) {
        ASSERT_TRUE(got[r]) << "row " << r;
        EXPECT_EQ(*got[r], expected[r - 9]) << "row " << r;
    }
}

}  // namespace
}  // namespace torvex
