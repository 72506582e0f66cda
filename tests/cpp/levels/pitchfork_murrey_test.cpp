#include <gtest/gtest.h>

#include <vector>

#include "candle_test_bars.hpp"
#include "indicators/levels/andrews_pitchfork.hpp"
#include "indicators/levels/murrey_math_lines.hpp"

using namespace torvex;
using test::box;

namespace {

using U = std::uint64_t;

std::vector<double> outputs_of(const DynIndicator& ind) {
    std::vector<double> v;
    for (const NamedOutput& o : ind.outputs()) v.push_back(o.value);
    return v;
}

Ohlcv hl(double h, double l) { return test::ohlc(l, h, l, h); }

}  // namespace

// Every published list worked out by hand from the formulas; an empty list is a
// bar without a value.
TEST(LevelsValues, HandWorkedBars) {
    test::expect_published({
        {"Murrey", box<MurreyMathLines>(U{3}), {hl(10, 8), hl(12, 9), hl(11, 7)},
         {{}, {}, {12, 11.375, 10.75, 10.125, 9.5, 8.875, 8.25, 7.625, 7}}},
        // Swing low (x 1, 100), high (x 3, 120), low (x 5, 110): slope 5 from P0.
        {"Pitchfork", box<AndrewsPitchfork>(U{1}),
         {hl(105, 102), hl(104, 100), hl(112, 106), hl(120, 112), hl(115, 111), hl(113, 110), hl(118, 114),
          hl(119, 115)},
         {{}, {}, {}, {}, {}, {}, {125, 135, 115}, {130, 140, 120}}},
    });
}

// Two highs in a row keep only the higher one; the lines then run from the low
// before them through the midpoint of the higher high and the next low.
TEST(LevelsValues, PitchforkKeepsTheHigherOfTwoHighs) {
    IndicatorBox ind = test::make(box<AndrewsPitchfork>(U{1}));
    // Low at x 1 (90), highs at x 3 (120) and x 5 (125), low at x 7 (100).
    const std::vector<Ohlcv> bars = {hl(105, 95),  hl(104, 90),  hl(110, 99), hl(120, 100), hl(111, 101),
                                     hl(125, 102), hl(112, 103), hl(111, 100), hl(113, 104)};
    std::optional<double> got;
    for (const Ohlcv& b : bars) got = test::feed(*ind, b);
    ASSERT_TRUE(got);
    // P0 (1, 90), P1 (5, 125), P2 (7, 100): mx 6, my 112.5, slope 4.5; t = 8.
    const double slope = 22.5 / 5.0;
    const double median = 7.0 * slope + 90.0;
    const double d1 = 125.0 - (4.0 * slope + 90.0);
    const double d2 = 100.0 - (6.0 * slope + 90.0);
    const std::vector<double> out = outputs_of(*ind);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_DOUBLE_EQ(out[0], median);
    EXPECT_DOUBLE_EQ(out[1], median + d1);
    EXPECT_DOUBLE_EQ(out[2], median + d2);
}


// A high tied with a neighbour's high is no swing, and neither is an outside bar
// (a swing high and a swing low at once): no three points, no value.
TEST(LevelsValues, PitchforkTiesAndOutsideBarsMakeNoSwing) {
    IndicatorBox tie = test::make(box<AndrewsPitchfork>(U{1}));
    // Low at x 1 (90), a high of 120 tied at x 2 and x 3, low at x 5 (100).
    for (const Ohlcv& b : {hl(105, 95), hl(104, 90), hl(120, 99), hl(120, 101), hl(111, 102), hl(112, 100),
                           hl(113, 104), hl(114, 105)}) {
        EXPECT_FALSE(test::feed(*tie, b));
    }
    IndicatorBox outside = test::make(box<AndrewsPitchfork>(U{1}));
    // x 1 is both the highest high and the lowest low of its window.
    for (const Ohlcv& b : {hl(105, 95), hl(130, 80), hl(104, 96), hl(120, 99), hl(110, 100), hl(111, 90),
                           hl(112, 101)}) {
        EXPECT_FALSE(test::feed(*outside, b));
    }
    EXPECT_TRUE(outside->outputs().empty());
}

TEST(LevelsValues, MurreyPublishesNothingBeforeItsWindowFills) {
    IndicatorBox ind = test::make(box<MurreyMathLines>(U{3}));
    EXPECT_FALSE(test::feed(*ind, hl(10, 8)));
    EXPECT_FALSE(test::feed(*ind, hl(12, 9)));
    EXPECT_TRUE(ind->outputs().empty());
    EXPECT_EQ(ind->warmup(), 3u);
    EXPECT_EQ(test::feed(*ind, hl(11, 7)), 12.0);
}
