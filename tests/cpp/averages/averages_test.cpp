// Moving averages over the close: constructor checks with their exact texts, the
// warm-up and the refusal of non-finite closes, for every type of the family.
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
using test::kMaxText;
using test::kZeroText;

constexpr std::uint64_t kMax = MAX_PERIOD;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::string invalid(const char* message) { return std::string("invalid period: ") + message; }

TEST(AvgConstructors, ChecksInOrderWithExactTexts) {
    const std::string gd = invalid("GD volume factor must be a finite value in [0.0, 1.0]");
    const std::string t3 = invalid("T3 volume factor must be a finite value in [0.0, 1.0]");
    const std::string kama = invalid("KAMA fast period must be strictly less than slow");
    const std::string jma_phase = invalid("JMA phase must be a finite value");
    const std::string jma_power = invalid("JMA power must be in 1..=4");
    const std::string mama = invalid("fast_limit, slow_limit must satisfy 0 < slow_limit <= fast_limit <= 1");
    test::expect_builds({
        {"Ema 0", box<Ema>(0), kZeroText},
        {"Ema max+1", box<Ema>(kMax + 1), kMaxText},
        {"Ema max", box<Ema>(kMax), ""},
        {"Ehma max+1", box<Ehma>(kMax + 1), kMaxText},
        {"Ehma 0", box<Ehma>(0), kZeroText},
        {"Hma 0", box<Hma>(0), kZeroText},
        {"Hma max+1", box<Hma>(kMax + 1), kMaxText},
        {"GD period before factor", box<GeneralizedDema>(kMax + 1, 5.0), kMaxText},
        {"GD 0", box<GeneralizedDema>(0, 0.5), kZeroText},
        {"GD 1.5", box<GeneralizedDema>(5, 1.5), gd},
        {"GD -0.1", box<GeneralizedDema>(5, -0.1), gd},
        {"GD NaN", box<GeneralizedDema>(5, kNaN), gd},
        {"GD 0", box<GeneralizedDema>(5, 0.0), ""},
        {"GD 1", box<GeneralizedDema>(5, 1.0), ""},
        {"Fama ok", box<Fama>(0.5, 0.05), ""},
        {"Fama slow above fast", box<Fama>(0.5, 0.6), mama},
        {"Fama slow 0", box<Fama>(0.5, 0.0), mama},
        {"Fama fast 1.5", box<Fama>(1.5, 0.05), mama},
        {"Frama 0", box<Frama>(0), kZeroText},
        {"Frama 1", box<Frama>(1), invalid("FRAMA period must be at least 2")},
        {"Frama 3", box<Frama>(3), invalid("FRAMA period must be even")},
        {"Frama odd and too long", box<Frama>(kMax + 1), kMaxText},
        {"Frama 2", box<Frama>(2), ""},
        {"GeometricMa 0", box<GeometricMa>(0), kZeroText},
        {"GeometricMa max+1", box<GeometricMa>(kMax + 1), kMaxText},
        {"HoltWinters 1 1", box<HoltWinters>(1.0, 1.0), ""},
        {"HoltWinters alpha 0", box<HoltWinters>(0.0, 0.5), invalid("HoltWinters alpha must be in (0.0, 1.0]")},
        {"HoltWinters alpha first", box<HoltWinters>(1.5, 1.5), invalid("HoltWinters alpha must be in (0.0, 1.0]")},
        {"HoltWinters beta 1.5", box<HoltWinters>(0.5, 1.5), invalid("HoltWinters beta must be in (0.0, 1.0]")},
        {"HoltWinters beta 0", box<HoltWinters>(0.5, 0.0), invalid("HoltWinters beta must be in (0.0, 1.0]")},
        {"Jma 0", box<Jma>(0, kNaN, 9u), kZeroText},
        {"Jma max+1", box<Jma>(kMax + 1, kNaN, 9u), kMaxText},
        {"Jma phase before power", box<Jma>(14, kInf, 0u), jma_phase},
        {"Jma power 0", box<Jma>(14, 0.0, 0u), jma_power},
        {"Jma power 5", box<Jma>(14, 0.0, 5u), jma_power},
        {"Jma power 1", box<Jma>(14, 0.0, 1u), ""},
        {"Jma power 4", box<Jma>(14, 0.0, 4u), ""},
        {"Kama zero before order", box<Kama>(0, 30, 2), kZeroText},
        {"Kama fast 0", box<Kama>(10, 0, 30), kZeroText},
        {"Kama slow 0", box<Kama>(10, 2, 0), kZeroText},
        {"Kama fast = slow", box<Kama>(10, 30, 30), kama},
        {"Kama fast > slow", box<Kama>(10, 30, 2), kama},
        {"Kama window max+1", box<Kama>(kMax + 1, 2, 30), kMaxText},
        {"Kama window 2^64-1", box<Kama>(UINT64_MAX, 2, 30), kMaxText},
        {"Kama window max", box<Kama>(kMax, 2, 30), ""},
        {"McGinley 0", box<McGinleyDynamic>(0), kZeroText},
        {"McGinley max+1", box<McGinleyDynamic>(kMax + 1), kMaxText},
        {"Smma 0", box<Smma>(0), kZeroText},
        {"Smma max+1", box<Smma>(kMax + 1), kMaxText},
        {"SineWeightedMa 0", box<SineWeightedMa>(0), kZeroText},
        {"SineWeightedMa max+1", box<SineWeightedMa>(kMax + 1), kMaxText},
        {"MedianMa 0", box<MedianMa>(0), kZeroText},
        {"MedianMa max+1", box<MedianMa>(kMax + 1), kMaxText},
        {"MidPoint 0", box<MidPoint>(0), kZeroText},
        {"MidPoint max+1", box<MidPoint>(kMax + 1), kMaxText},
        {"T3 0", box<T3>(0, 0.7), kZeroText},
        {"T3 period before factor", box<T3>(kMax + 1, 2.0), kMaxText},
        {"T3 1.0000001", box<T3>(5, 1.0000001), t3},
        {"T3 negative", box<T3>(5, -0.1), t3},
        {"T3 inf", box<T3>(5, kInf), t3},
        {"T3 0", box<T3>(5, 0.0), ""},
        {"T3 1", box<T3>(5, 1.0), ""},
        {"Tema 0", box<Tema>(0), kZeroText},
        {"Tema max+1", box<Tema>(kMax + 1), kMaxText},
        {"Trima 0", box<Trima>(0), kZeroText},
        {"Trima max+1", box<Trima>(kMax + 1), kMaxText},
        {"Vidya p 0 first", box<Vidya>(0, kMax + 1), kZeroText},
        {"Vidya q 0", box<Vidya>(9, 0), kZeroText},
        {"Vidya q max+1", box<Vidya>(9, kMax + 1), kMaxText},
        {"Vidya p unbounded", box<Vidya>(kMax + 5, 9), ""},
        {"Zlema 0", box<Zlema>(0), kZeroText},
        {"Zlema max+1", box<Zlema>(kMax + 1), kMaxText},
    });
}

TEST(AvgConstructors, DerivedConstants) {
    auto jma = Jma::create(14, 0.0, 2);
    ASSERT_TRUE(jma);
    EXPECT_EQ(jma->beta(), 0.7452229299363058);
    EXPECT_EQ(jma->alpha(), 0.5553572153028521);
    EXPECT_EQ(jma->phase_ratio(), 1.5);
    EXPECT_EQ(Jma::create(14, 1000.0, 2)->phase_ratio(), 2.5);
    EXPECT_EQ(Jma::create(14, -1000.0, 2)->phase_ratio(), 0.5);

    auto t3 = T3::create(5, 0.7);
    ASSERT_TRUE(t3);
    EXPECT_NEAR(t3->c6(), -0.343, 1e-15);
    EXPECT_NEAR(t3->c5(), 2.499, 1e-15);
    EXPECT_NEAR(t3->c4(), -6.069, 1e-15);
    EXPECT_NEAR(t3->c3(), 4.913, 1e-15);
    auto t0 = T3::create(5, 0.0);
    EXPECT_EQ(t0->c3(), 1.0);
    EXPECT_EQ(t0->c4(), 0.0);

    auto sine = SineWeightedMa::create(3);
    ASSERT_TRUE(sine);
    EXPECT_DOUBLE_EQ(sine->weights()[0], std::sqrt(0.5));
    EXPECT_EQ(sine->weights()[1], 1.0);
    EXPECT_DOUBLE_EQ(sine->weight_sum(), 1.0 + std::sqrt(2.0));

    for (auto [n, half, root] : {std::array<std::uint64_t, 3>{1, 1, 1}, {2, 1, 1}, {7, 3, 3}, {9, 4, 3},
                                 {12, 6, 3}, {13, 6, 4}, {kMax, kMax / 2, 4096}}) {
        const HullLengths len = hull_lengths(n);
        EXPECT_EQ(len.half, half) << n;
        EXPECT_EQ(len.root, root) << n;
    }
}

TEST(AvgWarmup, FirstValueOnTheWarmupBarAndRefusedClosesChangeNothing) {
    const struct {
        const char* label;
        test::Maker make;
        std::uint64_t warmup;
    } cases[] = {
        {"Ema", box<Ema>(3), 3},
        {"Ehma", box<Ehma>(4), 5},
        {"Hma", box<Hma>(9), 11},
        {"GeneralizedDema", box<GeneralizedDema>(5, 0.7), 9},
        {"Fama", box<Fama>(0.5, 0.05), 33},
        {"Frama", box<Frama>(6), 6},
        {"GeometricMa", box<GeometricMa>(5), 5},
        {"HoltWinters", box<HoltWinters>(0.3, 0.2), 2},
        {"Jma", box<Jma>(7, 20.0, 2u), 1},
        {"Kama", box<Kama>(10, 2, 30), 11},
        {"McGinleyDynamic", box<McGinleyDynamic>(7), 7},
        {"Smma", box<Smma>(4), 4},
        {"SineWeightedMa", box<SineWeightedMa>(5), 5},
        {"MedianMa", box<MedianMa>(4), 4},
        {"MidPoint", box<MidPoint>(5), 5},
        {"T3", box<T3>(3, 0.7), 13},
        {"Tema", box<Tema>(4), 10},
        {"Trima", box<Trima>(6), 6},
        {"Vidya", box<Vidya>(9, 4), 5},
        {"Zlema", box<Zlema>(5), 7},
        {"Zlema 2", box<Zlema>(2), 2},
    };
    for (const auto& c : cases) {
        auto made = c.make();
        ASSERT_TRUE(made) << c.label;
        EXPECT_EQ((*made)->warmup(), c.warmup) << c.label;
        EXPECT_TRUE((*made)->outputs().empty()) << c.label;
        test::expect_warmup_and_refusal(c.label, c.make);
    }
}

// The logarithm needs a positive close: zero and negative ones are refused like
// non-finite ones and leave the window as it was.
TEST(AvgWarmup, GeometricMaRefusesClosesNotAboveZero) {
    auto g = GeometricMa::create(2);
    ASSERT_TRUE(g);
    EXPECT_FALSE(test::feed_close(*g, 1.0));
    EXPECT_EQ(test::feed_close(*g, 4.0), 2.0);
    for (double bad : {0.0, -0.0, -5.0, kNaN})
        EXPECT_FALSE(test::feed_close(*g, bad)) << bad;
    EXPECT_DOUBLE_EQ(*test::feed_close(*g, 16.0), 8.0);
}

}  // namespace
}  // namespace torvex
