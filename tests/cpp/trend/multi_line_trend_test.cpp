// Adx, Vortex, ElderRay, Alligator, GatorOscillator, Aroon and Rwi: constructor
// checks, answers worked out from their formulas, warm-ups and refused candles.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "candle_test_bars.hpp"
#include "multi_output_rows.hpp"
#include "indicators/trend/adx.hpp"
#include "indicators/trend/alligator.hpp"
#include "indicators/trend/aroon.hpp"
#include "indicators/trend/elder_ray.hpp"
#include "indicators/trend/gator_oscillator.hpp"
#include "indicators/trend/rwi.hpp"
#include "indicators/trend/vortex.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

using test::kOver;
using test::ohlc;
using test::published;
using test::refusal;

TEST(MultiLineTrend, ConstructorChecksInOrder) {
    test::run_check_cases({
        {"Adx 0", [] { return refusal(Adx::create(0)); }, test::kZero},
        {"Adx over", [] { return refusal(Adx::create(kOver)); }, test::kTooLong},
        {"Adx max", [] { return refusal(Adx::create(MAX_PERIOD)); }, "built"},
        {"Vortex 0", [] { return refusal(Vortex::create(0)); }, test::kZero},
        {"Vortex over", [] { return refusal(Vortex::create(kOver)); }, test::kTooLong},
        {"ElderRay 0", [] { return refusal(ElderRay::create(0)); }, test::kZero},
        {"ElderRay over", [] { return refusal(ElderRay::create(kOver)); }, test::kTooLong},
        // Every zero is tested before any length.
        {"Alligator over,8,0", [] { return refusal(Alligator::create(kOver, 8, 0)); }, test::kZero},
        {"Alligator over,8,5", [] { return refusal(Alligator::create(kOver, 8, 5)); }, test::kTooLong},
        {"Alligator 13,8,over", [] { return refusal(Alligator::create(13, 8, kOver)); }, test::kTooLong},
        {"Gator 13,8,0", [] { return refusal(GatorOscillator::create(13, 8, 0)); }, test::kZero},
        {"Gator 13,over,5", [] { return refusal(GatorOscillator::create(13, kOver, 5)); }, test::kTooLong},
        {"Aroon 0", [] { return refusal(Aroon::create(0)); }, test::kZero},
        {"Aroon over", [] { return refusal(Aroon::create(kOver)); }, test::kTooLong},
        {"Rwi 0", [] { return refusal(Rwi::create(0)); }, test::kZero},
        {"Rwi over", [] { return refusal(Rwi::create(kOver)); }, test::kTooLong},
        {"Rwi 1", [] { return refusal(Rwi::create(1)); }, "invalid period: RWI requires period >= 2"},
        {"Rwi 2", [] { return refusal(Rwi::create(2)); }, "built"},
    });
}

TEST(MultiLineTrend, HandWorkedLines) {
    const double r2 = std::sqrt(2.0);
    test::RowsCase cases[] = {
        // n = 1: TR 3, +DM 2, -DM 0, so +DI 200/3, -DI 0, DX 100 and ADX = DX. Then
        // TR 3.5, +DM 0 (the high fell), -DM 1: -DI 100/3.5, DX 100.
        {"Adx 1", test::boxed(Adx::create(1)),
         {ohlc(9, 10, 8, 9), ohlc(9, 12, 9, 11), ohlc(11, 11.5, 8, 10.5)},
         {{}, {200.0 / 3.0, 0.0, 100.0}, {0.0, 100.0 / 3.5, 100.0}}},
        // n = 1: |high - previous low| and |low - previous high| over the bar's true range.
        {"Vortex 1", test::boxed(Vortex::create(1)), {ohlc(9, 10, 8, 9), ohlc(9, 12, 9, 11)},
         {{}, {4.0 / 3.0, 1.0 / 3.0}}},
        // n = 2: VM+ 4 + |11.5 - 9|, VM- |9 - 10| + |10 - 12|; TR 3 + 1.5.
        {"Vortex 2", test::boxed(Vortex::create(2)),
         {ohlc(9, 10, 8, 9), ohlc(9, 12, 9, 11), ohlc(11, 11.5, 10, 10.5)},
         {{}, {}, {(4.0 + 2.5) / 4.5, (1.0 + 2.0) / 4.5}}},
        {"Vortex flat", test::boxed(Vortex::create(2)), {test::flat(5), test::flat(5), test::flat(5)},
         {{}, {}, {0.0, 0.0}}},
        // n = 1: the average is the close.
        {"ElderRay 1", test::boxed(ElderRay::create(1)), {ohlc(9, 10, 8, 9.5), ohlc(9, 12, 9, 11)},
         {{0.5, -1.5}, {1.0, -2.0}}},
        // n = 2: mean of the first two closes, then fma(2/3, close, (1/3) x average).
        {"ElderRay 2", test::boxed(ElderRay::create(2)),
         {ohlc(9, 10, 8, 9), ohlc(9, 12, 9, 11), ohlc(11, 14, 10, 13)},
         {{}, {2.0, -1.0}, {14.0 - std::fma(2.0 / 3.0, 13.0, (1.0 - 2.0 / 3.0) * 10.0),
                              10.0 - std::fma(2.0 / 3.0, 13.0, (1.0 - 2.0 / 3.0) * 10.0)}}},
        // Median prices 9, 10.5, 12: lips (1) the median, teeth (2) 9.75 then
        // (9.75 + 12) / 2, jaw (3) the mean 10.5.
        {"Alligator 3,2,1", test::boxed(Alligator::create(3, 2, 1)),
         {ohlc(9, 10, 8, 9), ohlc(10, 12, 9, 11), ohlc(11, 14, 10, 13)},
         {{}, {}, {10.5, (9.75 + 12.0) / 2.0, 12.0}}},
        {"Gator 3,2,1", test::boxed(GatorOscillator::create(3, 2, 1)),
         {ohlc(9, 10, 8, 9), ohlc(10, 12, 9, 11), ohlc(11, 14, 10, 13)},
         {{}, {}, {std::fabs(10.5 - 10.875), -std::fabs(10.875 - 12.0)}}},
        // n = 1: up 100 when the high at least equals the previous one (ties go to the
        // newer bar), down 100 when the low is at most the previous one.
        {"Aroon 1", test::boxed(Aroon::create(1)),
         {ohlc(9, 10, 8, 9), ohlc(9, 10, 9, 9.5), ohlc(9, 9.5, 7, 8)}, {{}, {100.0, 0.0}, {0.0, 100.0}}},
        // n = 3: highest high two bars back (position 1 of 0..3), lowest low newest.
        {"Aroon 3", test::boxed(Aroon::create(3)),
         {ohlc(9, 10, 8, 9), ohlc(9, 13, 8.5, 9), ohlc(9, 11, 8.2, 9), ohlc(9, 9.5, 7, 8)},
         {{}, {}, {}, {100.0 / 3.0, 100.0}}},
        // n = 2: k = 2 only; the second bar's true range times sqrt(2).
        {"Rwi 2", test::boxed(Rwi::create(2)), {ohlc(9, 10, 8, 9), ohlc(9, 12, 9, 11)},
         {{}, {(12.0 - 8.0) / (r2 * 3.0), (10.0 - 9.0) / (r2 * 3.0)}}},
        // Floored at 0: a move against each side does not count.
        {"Rwi 2 floor", test::boxed(Rwi::create(2)), {ohlc(9, 10, 8, 9), ohlc(20, 30, 20, 25)},
         {{}, {(30.0 - 8.0) / (r2 * 21.0), 0.0}}},
        // n = 3: k = 2 over TR 3, k = 3 over the mean of TR 3 and 1.5 times sqrt(3).
        {"Rwi 3", test::boxed(Rwi::create(3)),
         {ohlc(9, 10, 8, 9), ohlc(9, 12, 9, 11), ohlc(11, 11.5, 10, 10.5)},
         {{}, {}, {std::max((11.5 - 9.0) / (r2 * 1.5), (11.5 - 8.0) / (std::sqrt(3.0) * 2.25)),
                  std::max((12.0 - 10.0) / (r2 * 1.5), (10.0 - 10.0) / (std::sqrt(3.0) * 2.25))}}},
        // Flat, equal candles: every span is skipped.
        {"Rwi flat", test::boxed(Rwi::create(3)), {test::flat(5), test::flat(5), test::flat(5)},
         {{}, {}, {0.0, 0.0}}},
        // Identical candles with a range: the best span is k = 2, 1 / sqrt(2) on both.
        {"Rwi identical", test::boxed(Rwi::create(4)),
         {ohlc(5, 6, 4, 5), ohlc(5, 6, 4, 5), ohlc(5, 6, 4, 5), ohlc(5, 6, 4, 5)},
         {{}, {}, {}, {1.0 / r2, 1.0 / r2}}},
    };
    test::run_rows_cases(cases);
}

TEST(MultiLineTrend, FirstValueComesOnTheWarmupBar) {
    const std::vector<Ohlcv> bars = test::wander(80);
    test::WarmupCase cases[] = {
        {"Adx 1", test::boxed(Adx::create(1)), 2},
        {"Adx 14", test::boxed(Adx::create(14)), 28},
        {"Vortex 14", test::boxed(Vortex::create(14)), 15},
        {"ElderRay 13", test::boxed(ElderRay::create(13)), 13},
        // The lips seed on bar 5 and the teeth on bar 8: nothing before bar 13.
        {"Alligator 13,8,5", test::boxed(Alligator::create(13, 8, 5)), 13},
        {"Gator 5,8,13", test::boxed(GatorOscillator::create(5, 8, 13)), 13},
        {"Aroon 14", test::boxed(Aroon::create(14)), 15},
        {"Rwi 14", test::boxed(Rwi::create(14)), 14},
    };
    test::run_warmup_cases(cases, bars);
}

TEST(MultiLineTrend, GatorLowerIsNeverPositive) {
    auto ones = test::boxed(GatorOscillator::create(1, 1, 1));
    ASSERT_TRUE(ones);
    const auto got = published(*ones, {ohlc(9, 10, 8, 9)});
    ASSERT_EQ(got[0].size(), 2u);
    EXPECT_EQ(got[0][0], 0.0);
    EXPECT_EQ(got[0][1], 0.0);
    EXPECT_TRUE(std::signbit(got[0][1]));

    auto gator = test::boxed(GatorOscillator::create(13, 8, 5));
    ASSERT_TRUE(gator);
    for (const auto& row : published(*gator, test::wander(200))) {
        if (row.empty()) continue;
        EXPECT_GE(row[0], 0.0);
        EXPECT_TRUE(row[1] < 0.0 || std::signbit(row[1]));
    }
}

// The vortex sums are tested for exactly zero: once a huge bar has left the window,
// a window of flat bars must read 0, not the rounding left behind.
TEST(MultiLineTrend, VortexFlatWindowAfterAHugeBarReadsZero) {
    for (double huge : {1e12, 3.7e15, 1e300}) {
        SCOPED_TRACE(huge);
        auto ind = test::boxed(Vortex::create(5));
        ASSERT_TRUE(ind);
        std::vector<Ohlcv> bars;
        for (int i = 0; i < 7; ++i) bars.push_back(ohlc(100, 100.5 + 0.1 * i, 99.3 - 0.07 * i, 100));
        bars.push_back(ohlc(100, huge, 100, 100));       // bar 8
        bars.push_back(ohlc(100, 100.7, 99.6, 100));     // bar 9: its low is measured against the huge high
        for (int i = 0; i < 10; ++i) bars.push_back(test::flat(100));
        const auto got = published(*ind, bars);
        // From bar 14 the window holds only the flat bars' zero true ranges.
        for (std::size_t i = 13; i < got.size(); ++i) {
            ASSERT_EQ(got[i].size(), 2u);
            EXPECT_EQ(got[i][0], 0.0) << "bar " << i + 1;
            EXPECT_EQ(got[i][1], 0.0) << "bar " << i + 1;
        }
    }
}

// Rwi against a direct reading of its formula on wandering bars.
TEST(MultiLineTrend, RwiMatchesItsFormula) {
    const std::vector<Ohlcv> bars = test::wander(60);
    const std::size_t n = 6;
    auto ind = test::boxed(Rwi::create(n));
    ASSERT_TRUE(ind);
    std::vector<double> trs;  // true range of bar i against bar i - 1
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const auto got = test::feed(*ind, bars[i]);
        if (i > 0) {
            const double pc = bars[i - 1].close;
            trs.push_back(std::max({bars[i].high - bars[i].low, std::fabs(bars[i].high - pc),
                                    std::fabs(bars[i].low - pc)}));
        }
        ASSERT_EQ(got.has_value(), i + 1 >= n);
        if (!got) continue;
        double hi = 0.0, lo = 0.0;
        for (std::size_t k = 2; k <= n; ++k) {
            double sum = 0.0;
            for (std::size_t j = trs.size() - (k - 1); j < trs.size(); ++j) sum += trs[j];
            const double den = std::sqrt(static_cast<double>(k)) * (sum / static_cast<double>(k - 1));
            const Ohlcv& ref = bars[i - (k - 1)];
            hi = std::max(hi, (bars[i].high - ref.low) / den);
            lo = std::max(lo, (ref.high - bars[i].low) / den);
        }
        const auto out = ind->outputs();
        EXPECT_EQ(out[0].value, hi) << "bar " << i + 1;
        EXPECT_EQ(out[1].value, lo) << "bar " << i + 1;
    }
}

TEST(MultiLineTrend, RefusedCandlesChangeNothing) {
    const std::vector<Ohlcv> bars = test::wander(120);
    const Ohlcv bad[] = {ohlc(NAN, 2, 1, 1.5), ohlc(1, 1, 2, 1.5), ohlc(1, 2, 1, 1.5, -1), ohlc(1, 2, 1, 3)};
    const std::function<IndicatorBox()> makes[] = {
        [] { return test::boxed(Adx::create(5)); },
        [] { return test::boxed(Vortex::create(5)); },
        [] { return test::boxed(ElderRay::create(5)); },
        [] { return test::boxed(Alligator::create(7, 5, 3)); },
        [] { return test::boxed(GatorOscillator::create(7, 5, 3)); },
        [] { return test::boxed(Aroon::create(5)); },
        [] { return test::boxed(Rwi::create(5)); },
    };
    for (const auto& make : makes) {
        IndicatorBox clean = make();
        IndicatorBox dirty = make();
        ASSERT_TRUE(clean && dirty);
        for (std::size_t i = 0; i < bars.size(); ++i) {
            if (i % 9 == 4) {
                const auto before = dirty->outputs();
                EXPECT_FALSE(test::feed(*dirty, bad[i % 4])) << "bar " << i;
                EXPECT_EQ(dirty->outputs(), before);
            }
            ASSERT_EQ(test::feed(*dirty, bars[i]), test::feed(*clean, bars[i])) << "bar " << i;
            EXPECT_EQ(dirty->outputs(), clean->outputs());
        }
        EXPECT_FALSE(clean->outputs().empty());
    }
}

}  // namespace
}  // namespace torvex
