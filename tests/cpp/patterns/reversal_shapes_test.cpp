// Reversal shapes: checks and messages, the edge cases of each shape, and refused
// candles that change nothing.
#include "tests/cpp/candlesticks/whole_bar_cases.hpp"

namespace torvex::test {
namespace {

const std::string kMax = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";

std::vector<Ohlcv> closes_as_bars(const std::vector<double>& closes) {
    std::vector<Ohlcv> bars;
    for (double c : closes) bars.push_back(around(c));
    return bars;
}

TEST(ReversalShapes, ParameterChecks) {
    EXPECT_EQ(build_message("DumplingTop", {4}), "invalid period: dumpling top needs period >= 5");
    EXPECT_EQ(build_message("DumplingTop", {1e-300}), "invalid period: dumpling top needs period >= 5");
    EXPECT_EQ(build_message("DumplingTop", {5}), "built");
    EXPECT_EQ(build_message("DumplingTop", {16777217}), kMax);
    EXPECT_EQ(build_message("FryPanBottom", {4}), "invalid period: frying pan bottom needs period >= 5");
    EXPECT_EQ(build_message("FryPanBottom", {16777217}), kMax);
    EXPECT_EQ(build_message("NewPriceLines", {1}), "invalid period: new price lines count must be >= 2");
    EXPECT_EQ(build_message("NewPriceLines", {2}), "built");
    EXPECT_EQ(build_message("NewPriceLines", {16777217}), kMax);
    EXPECT_EQ(build_message("PivotReversal", {1e-300, 2}), kZero);
    EXPECT_EQ(build_message("PivotReversal", {2, 16777217}), kMax);
    EXPECT_EQ(build_message("ThreeLineBreak", {1e-300}), kZero);
    EXPECT_EQ(build_message("ThreeLineBreak", {16777217}), kMax);
    EXPECT_EQ(make("PivotReversal", {2, 3})->warmup(), 6u);
    EXPECT_EQ(make("NewPriceLines", {7})->warmup(), 2u);
    EXPECT_EQ(make("ThreeLineBreak", {3})->warmup(), 2u);
}

TEST(ReversalShapes, DumplingTopAndFryingPan) {
    struct Case {
        const char* name;
        std::vector<double> closes;  // the window length is their count
        double want;
    };
    const Case cases[] = {
        {"DumplingTop", {1, 3, 5, 3, 0.5}, -1.0},
        {"DumplingTop", {5, 3, 5, 3, 0.5}, 0.0},  // the first highest close is at index 0
        {"DumplingTop", {1, 2, 3, 4, 5, 9, 6, 0.5}, -1.0},  // n = 8: index 5 is the last allowed
        {"DumplingTop", {1, 2, 3, 4, 5, 6, 9, 0.5}, 0.0},   // index 6 is past the middle half
        {"DumplingTop", {1, 3, 5, 3, 1}, 0.0},    // not below the oldest close
        {"FryPanBottom", {-1, -3, -5, -3, -0.5}, 1.0},
        {"FryPanBottom", {-5, -3, -5, -3, -0.5}, 0.0},
        {"FryPanBottom", {-1, -5, -3, -3, -0.5}, 1.0},
    };
    for (const Case& c : cases) {
        const std::size_t n = c.closes.size();
        IndicatorBox ind = make(c.name, {static_cast<double>(n)});
        ASSERT_TRUE(ind);
        const auto got = feed_all(*ind, closes_as_bars(c.closes));
        EXPECT_FALSE(got[n - 2].has_value()) << c.name;
        EXPECT_EQ(got[n - 1], c.want) << c.name;
    }
}

TEST(ReversalShapes, NewPriceLinesRuns) {
    IndicatorBox ind = make("NewPriceLines", {3});
    ASSERT_TRUE(ind);
    const auto got = feed_all(*ind, closes_as_bars({10, 9, 8, 7, 6, 6, 7, 8, 9}));
    EXPECT_EQ(got, (Expected{None, 0.0, 0.0, 1.0, 1.0, 0.0, 0.0, 0.0, -1.0}));
}

TEST(ReversalShapes, PivotReversalCrossings) {
    IndicatorBox ind = make("PivotReversal", {2, 2});
    ASSERT_TRUE(ind);
    // A pivot high of 16 (bar 3, confirmed on bar 5), a pivot low of 9 (bar 5,
    // confirmed on bar 7); bar 7 closes from 12 to 17, across the pivot high, once.
    const auto got = feed_all(*ind, closes_as_bars({10, 11, 15, 11, 10, 12, 17, 18, 12, 8}));
    EXPECT_EQ(got, (Expected{None, None, None, None, 0.0, 0.0, 1.0, 0.0, 0.0, -1.0}));
}

TEST(ReversalShapes, ThreeLineBreakDirection) {
    IndicatorBox ind = make("ThreeLineBreak", {3});
    ASSERT_TRUE(ind);
    // 10 starts the chart; 10 again gives no line and no direction; 11, 12, 13 are
    // up lines (held: 11, 12, 13); 12 is below the last line but not below all: up;
    // 10.5 breaks below all three: down.
    const auto got = feed_all(*ind, closes_as_bars({10, 10, 11, 12, 13, 12, 10.5, 11, 14}));
    EXPECT_EQ(got, (Expected{None, None, 1.0, 1.0, 1.0, 1.0, -1.0, -1.0, 1.0}));
}

TEST(ReversalShapes, RefusedCandlesChangeNothing) {
    expect_refusals_change_nothing("DumplingTop", {8}, true);
    expect_refusals_change_nothing("FryPanBottom", {8}, true);
    expect_refusals_change_nothing("NewPriceLines", {3}, true);
    expect_refusals_change_nothing("PivotReversal", {2, 3}, true);
    expect_refusals_change_nothing("ThreeLineBreak", {3}, true);
}

}  // namespace
}  // namespace torvex::test
