// Heikin-Ashi and smoothed Heikin-Ashi candles: hand-worked candles, warm-up, the
// registry rows and refused bars.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "candle_test_bars.hpp"
#include "multi_output_rows.hpp"
#include "indicators/averages/heikin_ashi.hpp"
#include "indicators/averages/smoothed_heikin_ashi.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

using test::ohlc;
using test::refusal;

// The four fields, in their order, of the list a bar published.
void expect_candle_names(const DynIndicator& ind) {
    const auto list = ind.outputs();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].name, "open");
    EXPECT_EQ(list[1].name, "high");
    EXPECT_EQ(list[2].name, "low");
    EXPECT_EQ(list[3].name, "close");
}

TEST(HeikinAshiCandles, HandWorkedCandles) {
    test::RowsCase cases[] = {
        // First bar: open the midpoint of open and close, close the mean of four.
        // Second bar: open the midpoint of the first averaged body, whatever its own
        // open; the high and low widen to take in the averaged open.
        {"HeikinAshi", test::boxed(HeikinAshi::create()),
         {ohlc(10, 12, 9, 11), ohlc(30, 31, 29, 30), ohlc(4, 5, 3, 4)},
         {{10.5, 12, 9, 10.5}, {10.5, 31, 10.5, 30}, {20.25, 20.25, 3, 4}}},
        // Period 3: bars 1 and 2 answer nothing; bar 3 uses the means of the first
        // three opens (10), highs (13), lows (8) and closes (11).
        {"Smoothed 3", test::boxed(SmoothedHeikinAshi::create(3)),
         {ohlc(9, 12, 7, 10), ohlc(10, 13, 8, 11), ohlc(11, 14, 9, 12)},
         {{}, {}, {10.5, 13, 8, 10.5}}},
        // Period 1: the averages are the prices, so the candles are the plain ones.
        {"Smoothed 1", test::boxed(SmoothedHeikinAshi::create(1)),
         {ohlc(10, 12, 9, 11), ohlc(30, 31, 29, 30)}, {{10.5, 12, 9, 10.5}, {10.5, 31, 10.5, 30}}},
    };
    for (test::RowsCase& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(c.ind);
        const auto got = test::published(*c.ind, c.bars);
        ASSERT_EQ(got.size(), c.want.size());
        // Exact: every value here is a sum of a few halves and quarters.
        for (std::size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], c.want[i]) << "bar " << i + 1;
        expect_candle_names(*c.ind);
    }
}

TEST(HeikinAshiCandles, SmoothedFollowsExponentialAverages) {
    const std::vector<Ohlcv> bars = test::wander(60);
    auto ind = test::boxed(SmoothedHeikinAshi::create(4));
    ASSERT_TRUE(ind);
    EXPECT_EQ(ind->warmup(), 4u);
    const double a = 2.0 / 5.0;
    std::array<double, 4> avg{0, 0, 0, 0};
    std::optional<std::array<double, 4>> prev;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const Ohlcv& b = bars[i];
        const std::array<double, 4> x{b.open, b.high, b.low, b.close};
        for (std::size_t j = 0; j < 4; ++j)
            avg[j] = i < 4 ? avg[j] + x[j] : std::fma(a, x[j], (1.0 - a) * avg[j]);
        const auto got = test::feed(*ind, b);
        ASSERT_EQ(got.has_value(), i >= 3) << "bar " << i + 1;
        if (i < 3) continue;
        if (i == 3)
            for (double& v : avg) v /= 4.0;
        const double close = (((avg[0] + avg[1]) + avg[2]) + avg[3]) * 0.25;
        const double open = prev ? ((*prev)[0] + (*prev)[3]) * 0.5 : (avg[0] + avg[3]) * 0.5;
        const std::array<double, 4> want{open, std::max({avg[1], open, close}), std::min({avg[2], open, close}),
                                         close};
        const auto out = ind->outputs();
        for (std::size_t j = 0; j < 4; ++j) EXPECT_EQ(out[j].value, want[j]) << "bar " << i + 1 << " " << j;
        prev = want;
    }
}

TEST(HeikinAshiCandles, ChecksAndRefusedBars) {
    test::run_check_cases({
        {"Smoothed 0", [] { return refusal(SmoothedHeikinAshi::create(0)); }, test::kZero},
        {"Smoothed over", [] { return refusal(SmoothedHeikinAshi::create(test::kOver)); }, test::kTooLong},
        {"Smoothed max", [] { return refusal(SmoothedHeikinAshi::create(MAX_PERIOD)); }, "built"},
    });
    const std::vector<Ohlcv> bars = test::wander(40);
    for (auto make : {+[] { return test::boxed(HeikinAshi::create()); },
                      +[] { return test::boxed(SmoothedHeikinAshi::create(3)); }}) {
        IndicatorBox clean = make();
        IndicatorBox dirty = make();
        ASSERT_TRUE(clean && dirty);
        EXPECT_TRUE(dirty->outputs().empty());
        for (std::size_t i = 0; i < bars.size(); ++i) {
            if (i % 7 == 2) {
                const auto before = dirty->outputs();
                EXPECT_FALSE(test::feed(*dirty, ohlc(1, 2, 1, 3)));
                EXPECT_EQ(dirty->outputs(), before);
            }
            ASSERT_EQ(test::feed(*dirty, bars[i]), test::feed(*clean, bars[i]));
            EXPECT_EQ(dirty->outputs(), clean->outputs());
        }
    }
}

}  // namespace
}  // namespace torvex
