// Moving averages over the close: values worked out by hand or from the formulas
// in a small independent computation, and the edge cases of each average.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "test_support.hpp"
#include "indicators/averages/ehma.hpp"
#include "indicators/averages/ema.hpp"
#include "indicators/averages/fama.hpp"
#include "indicators/averages/frama.hpp"
#include "indicators/averages/generalized_dema.hpp"
#include "indicators/averages/geometric_ma.hpp"
#include "indicators/averages/hma.hpp"
#include "indicators/averages/holt_winters.hpp"
#include "indicators/averages/jma.hpp"
#include "indicators/averages/kama.hpp"
#include "indicators/averages/mc_ginley_dynamic.hpp"
#include "indicators/averages/median_ma.hpp"
#include "indicators/averages/mid_point.hpp"
#include "indicators/averages/sine_weighted_ma.hpp"
#include "indicators/averages/smma.hpp"
#include "indicators/averages/t3.hpp"
#include "indicators/averages/tema.hpp"
#include "indicators/averages/trima.hpp"
#include "indicators/averages/vidya.hpp"
#include "indicators/averages/zlema.hpp"

namespace torvex {
namespace {

using test::box;
using test::kNone;

constexpr double kBig = 1.7976931348623157e308;

TEST(AvgValues, KnownSeries) {
    const struct {
        const char* label;
        test::Maker make;
        std::vector<double> closes;
        std::vector<std::optional<double>> want;
    } cases[] = {
        {"Ema 3", box<Ema>(3), {1, 2, 3, 4}, {kNone, kNone, 2.0, 3.0}},
        {"Ema 1", box<Ema>(1), {5, -2.5, 1e300}, {5, -2.5, 1e300}},
        // h = s = 2: EMA(2) 3.5, 4.5 and EMA(4) 2.5, 3.5 give 4.5, 5.5, whose mean is 5.
        {"Ehma 4", box<Ehma>(4), {1, 2, 3, 4, 5, 6}, {kNone, kNone, kNone, kNone, 5.0, 6.0}},
        {"Ehma 1", box<Ehma>(1), {3, 7}, {3, 7}},
        // On a straight line the Hull construction has no lag at all.
        {"Hma 4 line", box<Hma>(4), {1, 2, 3, 4, 5, 6}, {kNone, kNone, kNone, kNone, 5.0, 6.0}},
        {"Hma 1", box<Hma>(1), {3, 7}, {3, 7}},
        // h = s = 1: twice the close less WMA(2).
        {"Hma 2", box<Hma>(2), {1, 2, 10}, {kNone, 2.0 * 2.0 - 5.0 / 3.0, 2.0 * 10.0 - 22.0 / 3.0}},
        // v = 1 is the classic DEMA (e1 2.5, 3.5; e2 2, 3); v = 0 the first average.
        {"GD 2 v1", box<GeneralizedDema>(2, 1.0), {1, 2, 3, 4}, {kNone, kNone, 3.0, 4.0}},
        {"GD 2 v0", box<GeneralizedDema>(2, 0.0), {1, 2, 3, 4}, {kNone, kNone, 2.5, 3.5}},
        {"GD 2 v0.5", box<GeneralizedDema>(2, 0.5), {1, 2, 3}, {kNone, kNone, 2.5 * 1.5 - 1.0}},
        // Stage k of EMA(2) lags a line by k/2: v = 0 gives e3 = t − 1.5.
        {"T3 2 v0", box<T3>(2, 0.0), {1, 2, 3, 4, 5, 6, 7, 8}, {kNone, kNone, kNone, kNone, kNone, kNone, 5.5, 6.5}},
        {"T3 2 v0.7", box<T3>(2, 0.7), {1, 2, 3, 4, 5, 6, 7}, {kNone, kNone, kNone, kNone, kNone, kNone, 6.55}},
        {"Tema 1", box<Tema>(1), {4, -1, 9}, {4, -1, 9}},
        {"Tema 2 line", box<Tema>(2), {1, 2, 3, 4, 5}, {kNone, kNone, kNone, 4.0, 5.0}},
        {"Trima 4", box<Trima>(4), {1, 2, 3, 4, 5}, {kNone, kNone, kNone, 2.5, 3.5}},
        {"Trima 5", box<Trima>(5), {1, 2, 3, 4, 10}, {kNone, kNone, kNone, kNone, 32.0 / 9.0}},
        // alpha 0.5; momentum 100, 0, then 100·(2 − 1)/3.
        {"Vidya 3 2", box<Vidya>(3, 2), {1, 2, 3, 2, 4}, {kNone, kNone, 3.0, 3.0, 2.5 + 4.0 / 6.0}},
        // L = 2: the de-lagged inputs 3, 12, 8, 6, 1 average to 6; then 2·9 − 7 = 11.
        {"Zlema 5", box<Zlema>(5), {1, 4, 2, 8, 5, 7, 3, 9},
         {kNone, kNone, kNone, kNone, kNone, kNone, 6.0, 11.0 / 3.0 + 4.0}},
        {"Zlema 2", box<Zlema>(2), {1, 2, 3}, {kNone, 1.5, 2.5}},
        {"Smma 3", box<Smma>(3), {1, 2, 3, 6}, {kNone, kNone, 2.0, 10.0 / 3.0}},
        {"SineWeightedMa 1", box<SineWeightedMa>(1), {7, -3}, {7, -3}},
        {"SineWeightedMa 3", box<SineWeightedMa>(3), {1, 2, 4}, {kNone, kNone, 2.2928932188134525}},
        {"MedianMa 4", box<MedianMa>(4), {4, 1, 3, 2}, {kNone, kNone, kNone, 2.5}},
        {"MedianMa 3", box<MedianMa>(3), {4, 1, 3, 2}, {kNone, kNone, 3.0, 2.0}},
        {"MidPoint 3", box<MidPoint>(3), {1, 5, 3, 2}, {kNone, kNone, 3.0, 3.5}},
        {"GeometricMa 2", box<GeometricMa>(2), {1, 4}, {kNone, 2.0}},
        {"HoltWinters", box<HoltWinters>(0.5, 0.5), {10, 12, 13, 15}, {kNone, 12.0, 13.5, 15.125}},
        {"Jma 14", box<Jma>(14, 0.0, 2u), {10, 11, 12}, {10.0, 10.129870148875368, 10.4654225529254}},
        // er 1 then 1/3 between the constants 2/3 and 2/31.
        {"Kama 2 2 30", box<Kama>(2, 2, 30), {1, 2, 4, 3}, {kNone, kNone, 2.333333333333333, 2.380232353986545}},
        {"McGinley 2", box<McGinleyDynamic>(2), {10, 20, 0, 30}, {kNone, 15.0, 15.0, 15.0 + 15.0 / 19.2}},
        // First window: alpha clamps to 1; second: D = log2(2.25), alpha ≈ 0.4577.
        {"Frama 4", box<Frama>(4), {1, 2, 4, 3, 10}, {kNone, kNone, kNone, 3.0, 6.203535816367308}},
    };
    for (const auto& c : cases) test::expect_series(c.label, c.make, c.closes, c.want);
}

// A constant close is a fixed point of every average here (Kama on its first
// value, Frama through its fallback factor, Vidya because the momentum is 0).
TEST(AvgValues, ConstantCloseIsReturned) {
    const struct {
        const char* label;
        test::Maker make;
    } cases[] = {
        {"Ema", box<Ema>(4)},           {"Ehma", box<Ehma>(6)},
        {"Hma", box<Hma>(6)},           {"GD", box<GeneralizedDema>(3, 0.7)},
        {"Frama", box<Frama>(4)},       {"Kama", box<Kama>(5, 2, 30)},
        {"T3", box<T3>(2, 0.7)},        {"Tema", box<Tema>(3)},
        {"Trima", box<Trima>(5)},       {"Vidya", box<Vidya>(4, 3)},
        {"Zlema", box<Zlema>(5)},       {"Smma", box<Smma>(3)},
        {"MedianMa", box<MedianMa>(4)}, {"MidPoint", box<MidPoint>(3)},
        {"Jma", box<Jma>(10, 50.0, 3u)}, {"McGinley", box<McGinleyDynamic>(3)},
        {"SineWeightedMa", box<SineWeightedMa>(4)},
    };
    for (const auto& c : cases) {
        auto ind = c.make();
        ASSERT_TRUE(ind) << c.label;
        for (const auto& v : test::feed_closes(**ind, std::vector<double>(40, 7.25)))
            if (v) {
                EXPECT_NEAR(*v, 7.25, 1e-12) << c.label;
            }
    }
}

// Windows whose extremes sit near the largest double stay finite: midpoints are
// taken in the overflow-safe form, and a fractal dimension that overflows to NaN
// falls back to the slow factor instead of poisoning every later value.
TEST(AvgValues, ExtremeClosesStayFinite) {
    auto mid = MidPoint::create(2);
    test::feed_close(*mid, kBig);
    EXPECT_EQ(test::feed_close(*mid, 1.7e308), kBig * 0.5 + 1.7e308 * 0.5);

    auto med = MedianMa::create(2);
    test::feed_close(*med, kBig);
    EXPECT_EQ(test::feed_close(*med, kBig), kBig);

    auto frama = Frama::create(4);
    const auto out = test::feed_closes(*frama, {-kBig, kBig, -kBig, kBig, 1.0});
    ASSERT_TRUE(out[3] && out[4]);
    EXPECT_EQ(*out[3], kBig);  // first value: the close itself, whatever the factor
    EXPECT_EQ(*out[4], 0.99 * kBig + 0.01);
}

// The log sum is re-added from the window every n updates: once 1e300 and 1e-300
// have left, the answer is the fresh geometric mean again, not one that carries the
// rounding of the huge logarithms (that one differs by about 2.5e-14 relatively).
TEST(AvgValues, GeometricMaReSumsItsLogarithmsEveryNUpdates) {
    const std::vector<double> closes{1e300, 1.5, 2.5, 3.5, 1e-300, 4.5, 5.5, 6.5, 7.5};
    auto g = GeometricMa::create(2);
    ASSERT_TRUE(g);
    const auto out = test::feed_closes(*g, closes);
    // Bar 2: the sum is re-added as the huge logarithm leaves, so the window 1.5, 2.5
    // reads its own geometric mean.
    const std::pair<std::size_t, double> want[] = {
        {2, std::exp((std::log(1.5) + std::log(2.5)) / 2.0)}, {3, 2.958039891549808}, {6, 4.974937185533225},
        {7, 5.979130371550699},  {8, 6.98212002188447},
    };
    for (auto [i, v] : want) {
        ASSERT_TRUE(out[i]) << i;
        EXPECT_NEAR(*out[i], v, 4e-16 * v) << i;
    }
}

// Hull averages refuse an intermediate that overflowed instead of feeding it on.
TEST(AvgValues, OverflowedIntermediateAnswersNothing) {
    auto ehma = Ehma::create(2);  // h = 1, s = 1
    EXPECT_FALSE(test::feed_close(*ehma, kBig));
    EXPECT_FALSE(test::feed_close(*ehma, kBig)) << "2·half − full overflows";
    auto gd = GeneralizedDema::create(1, 1.0);
    EXPECT_EQ(test::feed_close(*gd, 3.0), 3.0);
}

// Fama publishes the following line of the MESA core, from the same bar on.
TEST(AvgValues, FamaIsTheCoresFollowingLine) {
    auto fama = Fama::create(0.5, 0.05);
    auto core = MamaCore::create(0.5, 0.05);
    ASSERT_TRUE(fama && core);
    for (int i = 0; i < 80; ++i) {
        const double close = 100.0 + 10.0 * std::sin(i * 0.3) + i * 0.1;
        const auto point = core->step(close);
        const auto got = test::feed_close(*fama, close);
        ASSERT_EQ(got.has_value(), point.has_value()) << i;
        if (point) {
            EXPECT_EQ(*got, point->fama) << i;
        }
    }
}

// The zero-lag step is shared: its de-lagged input is one fused multiply-add, so
// 2x − o stays finite where 2x alone would overflow (unfused, kBig would give inf
// and no value).
TEST(AvgValues, ZlemaCoreUsesFusedDelag) {
    auto core = ZlemaCore::create(1);  // L = 0: the input passes unchanged
    ASSERT_TRUE(core);
    EXPECT_EQ(core->lag(), 0u);
    EXPECT_EQ(core->step(kBig), kBig);
    EXPECT_FALSE(core->step(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(core->step(-kBig), -kBig);
    EXPECT_EQ(ZlemaCore::create(6)->lag(), 2u);
}

}  // namespace
}  // namespace torvex
