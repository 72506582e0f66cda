// The MACD family, the know-sure-thing, the stochastics, WaveTrend and QQE:
// constructor checks, answers worked out from their formulas, warm-ups and refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "candle_test_bars.hpp"
#include "multi_output_rows.hpp"
#include "indicators/momentum/kase_permission_stochastic.hpp"
#include "indicators/momentum/kst.hpp"
#include "indicators/momentum/macd_fix.hpp"
#include "indicators/momentum/macd_indicator.hpp"
#include "indicators/momentum/qqe.hpp"
#include "indicators/momentum/stochastic.hpp"
#include "indicators/momentum/volume_weighted_macd.hpp"
#include "indicators/momentum/wave_trend.hpp"
#include "indicators/momentum/zero_lag_macd.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

using test::box;
using test::kOver;
using test::ohlc;
using test::published;
using test::refusal;

const std::string kFastSlow = "invalid period: fast period must be strictly less than slow period";

std::vector<Ohlcv> close_bars(const std::vector<double>& closes) {
    std::vector<Ohlcv> bars;
    for (double c : closes) bars.push_back(test::close_bar(c));
    return bars;
}

TEST(MultiLineOscillators, ConstructorChecksInOrder) {
    test::run_check_cases({
        {"Macd 12,12,9", [] { return refusal(MacdIndicator::create(12, 12, 9)); }, kFastSlow},
        {"Macd 0,26,9", [] { return refusal(MacdIndicator::create(0, 26, 9)); }, test::kZero},
        {"Macd over,12,9", [] { return refusal(MacdIndicator::create(kOver, 12, 9)); }, kFastSlow},
        {"Macd 12,over,9", [] { return refusal(MacdIndicator::create(12, kOver, 9)); }, test::kTooLong},
        {"Macd 12,26,over", [] { return refusal(MacdIndicator::create(12, 26, kOver)); }, test::kTooLong},
        {"Macd 12,26,9", [] { return refusal(MacdIndicator::create(12, 26, 9)); }, "built"},
        {"MacdFix 0", [] { return refusal(MacdFix::create(0)); }, test::kZero},
        {"MacdFix over", [] { return refusal(MacdFix::create(kOver)); }, test::kTooLong},
        {"MacdFix max", [] { return refusal(MacdFix::create(MAX_PERIOD)); }, "built"},
        {"Zlag 5,3,4", [] { return refusal(ZeroLagMacd::create(5, 3, 4)); },
         "invalid period: ZeroLagMACD fast period must be strictly less than slow"},
        {"Zlag 3,5,0", [] { return refusal(ZeroLagMacd::create(3, 5, 0)); }, test::kZero},
        {"Zlag 3,over,4", [] { return refusal(ZeroLagMacd::create(3, kOver, 4)); }, test::kTooLong},
        {"Vw 12,12,9", [] { return refusal(VolumeWeightedMacd::create(12, 12, 9)); }, kFastSlow},
        {"Vw 12,26,0", [] { return refusal(VolumeWeightedMacd::create(12, 26, 0)); }, test::kZero},
        {"Vw 12,26,over", [] { return refusal(VolumeWeightedMacd::create(12, 26, kOver)); }, test::kTooLong},
        {"Kst r3 0, r1 over", [] { return refusal(Kst::create(kOver, 15, 0, 30, 10, 10, 10, 15, 9)); }, test::kZero},
        {"Kst r4 over", [] { return refusal(Kst::create(10, 15, 20, kOver, 10, 10, 10, 15, 9)); }, test::kTooLong},
        {"Kst s2 over", [] { return refusal(Kst::create(10, 15, 20, 30, 10, kOver, 10, 15, 9)); }, test::kTooLong},
        {"Kst signal over", [] { return refusal(Kst::create(10, 15, 20, 30, 10, 10, 10, 15, kOver)); },
         test::kTooLong},
        {"Stoch 0,3", [] { return refusal(Stochastic::create(0, 3)); }, test::kZero},
        {"Stoch 3,0", [] { return refusal(Stochastic::create(3, 0)); }, test::kZero},
        {"Stoch 3,over", [] { return refusal(Stochastic::create(3, kOver)); }, test::kTooLong},
        // The %K windows are reserved here, so an unbounded %K length is refused too.
        {"Stoch over,3", [] { return refusal(Stochastic::create(kOver, 3)); }, test::kTooLong},
        {"Stoch huge,3", [] { return refusal(Stochastic::create(UINT64_MAX, 3)); }, test::kTooLong},
        {"Kase 0,over", [] { return refusal(KasePermissionStochastic::create(0, kOver)); }, test::kZero},
        {"Kase over,0", [] { return refusal(KasePermissionStochastic::create(kOver, 0)); }, test::kTooLong},
        {"Kase 5,0", [] { return refusal(KasePermissionStochastic::create(5, 0)); }, test::kZero},
        {"Kase 5,over", [] { return refusal(KasePermissionStochastic::create(5, kOver)); }, test::kTooLong},
        {"Wt over,0,4", [] { return refusal(WaveTrend::create(kOver, 0, 4)); }, test::kZero},
        {"Wt 10,over,4", [] { return refusal(WaveTrend::create(10, kOver, 4)); }, test::kTooLong},
        {"Wt 10,21,over", [] { return refusal(WaveTrend::create(10, 21, kOver)); }, test::kTooLong},
        {"Qqe 0,5,nan", [] { return refusal(Qqe::create(0, 5, NAN)); }, test::kZero},
        {"Qqe 14,5,0", [] { return refusal(Qqe::create(14, 5, 0.0)); },
         "invalid period: QQE factor must be a finite positive value"},
        {"Qqe 14,5,inf", [] { return refusal(Qqe::create(14, 5, INFINITY)); },
         "invalid period: QQE factor must be a finite positive value"},
        {"Qqe over,5,4", [] { return refusal(Qqe::create(kOver, 5, 4.236)); }, test::kTooLong},
        {"Qqe 8388609,5,4", [] { return refusal(Qqe::create(8'388'609, 5, 4.236)); }, test::kTooLong},
        {"Qqe 8388608,5,4", [] { return refusal(Qqe::create(8'388'608, 5, 4.236)); }, "built"},
        {"Qqe 14,over,4", [] { return refusal(Qqe::create(14, kOver, 4.236)); }, test::kTooLong},
    });
}

// An exponential average seeded with the mean of its first n inputs, written from
// the formula: value = fma(alpha, x, (1 - alpha) * value).
struct ModelEma {
    std::uint64_t n;
    double alpha;
    double value = 0.0;
    double sum = 0.0;
    std::uint64_t count = 0;

    std::optional<double> operator()(double x) {
        if (count >= n) {
            value = std::fma(alpha, x, (1.0 - alpha) * value);
            return value;
        }
        sum += x;
        count += 1;
        if (count < n) return std::nullopt;
        value = sum / static_cast<double>(n);
        return value;
    }
};

struct ModelMacd {
    ModelEma fast, slow, signal;
    std::optional<std::array<double, 3>> operator()(double x) {
        const auto f = fast(x);
        const auto s = slow(x);
        if (!f || !s) return std::nullopt;
        const double m = *f - *s;
        const auto g = signal(m);
        if (!g) return std::nullopt;
        return std::array<double, 3>{m, *g, m - *g};
    }
};

TEST(MultiLineOscillators, MacdLinesMatchAnIndependentModelOver2000Bars) {
    const std::vector<Ohlcv> bars = close_bars([] {
        std::vector<double> c;
        double x = 50.0;
        for (int i = 0; i < 2000; ++i) {
            x *= std::exp(0.02 * std::sin(i * 0.37) + 0.011 * std::cos(i * 1.91));
            c.push_back(x);
        }
        return c;
    }());
    struct Case {
        const char* label;
        IndicatorBox ind;
        ModelMacd model;
    };
    Case cases[] = {
        {"MacdIndicator 12,26,9", test::boxed(MacdIndicator::create(12, 26, 9)),
         {{12, 2.0 / 13.0}, {26, 2.0 / 27.0}, {9, 2.0 / 10.0}}},
        {"MacdIndicator 3,7,4", test::boxed(MacdIndicator::create(3, 7, 4)),
         {{3, 2.0 / 4.0}, {7, 2.0 / 8.0}, {4, 2.0 / 5.0}}},
        {"MacdFix 9", test::boxed(MacdFix::create(9)), {{12, 0.15}, {26, 0.075}, {9, 2.0 / 10.0}}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(c.ind);
        const auto got = published(*c.ind, bars);
        std::size_t values = 0;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            const auto want = c.model(bars[i].close);
            ASSERT_EQ(got[i].empty(), !want) << "bar " << i + 1;
            if (!want) continue;
            values += 1;
            for (std::size_t j = 0; j < 3; ++j) EXPECT_EQ(got[i][j], (*want)[j]) << "bar " << i + 1;
        }
        EXPECT_EQ(values, bars.size() + 1 - c.ind->warmup());
    }
}

TEST(MultiLineOscillators, FirstValueComesOnTheWarmupBar) {
    const std::vector<Ohlcv> bars = test::wander(200);
    test::WarmupCase cases[] = {
        {"Macd 12,26,9", test::boxed(MacdIndicator::create(12, 26, 9)), 34},
        {"MacdFix 9", test::boxed(MacdFix::create(9)), 34},
        {"Zlag 3,5,4", test::boxed(ZeroLagMacd::create(3, 5, 4)), 11},  // (5 + 2) + (4 + 1) - 1
        {"Vw 12,26,9", test::boxed(VolumeWeightedMacd::create(12, 26, 9)), 34},
        {"Kst", test::boxed(Kst::create(10, 15, 20, 30, 10, 10, 10, 15, 9)), 53},
        {"Stoch 14,3", test::boxed(Stochastic::create(14, 3)), 16},
        {"Kase 5,3", test::boxed(KasePermissionStochastic::create(5, 3)), 9},
        {"Wt 10,21,4", test::boxed(WaveTrend::create(10, 21, 4)), 42},
        {"Qqe 14,5,4.236", test::boxed(Qqe::create(14, 5, 4.236)), 72},
    };
    test::run_warmup_cases(cases, bars);
}

TEST(MultiLineOscillators, HandWorkedLines) {
    const double third = 2.0 / 3.0;
    const double slow3 = std::fma(third, 4.0, (1.0 - third) * 1.5);  // period-2 average after 1, 2, 4
    test::RowsCase cases[] = {
        // Lag 0 everywhere: fast = close, slow a seeded 2-average, signal = macd.
        {"Zlag 1,2,1", test::boxed(ZeroLagMacd::create(1, 2, 1)), close_bars({1, 2, 4}),
         {{}, {0.5, 0.5, 0.0}, {4.0 - slow3, 4.0 - slow3, 0.0}}},
        // Zero volume: each window's plain mean of the closes.
        {"Vw 1,2,1 no volume", test::boxed(VolumeWeightedMacd::create(1, 2, 1)),
         {ohlc(1, 1, 1, 1, 0), ohlc(3, 3, 3, 3, 0), ohlc(8, 8, 8, 8, 0)},
         {{}, {1.0, 1.0, 0.0}, {2.5, 2.5, 0.0}}},
        // Weighted: (3·1 + 8·3) / 4 = 6.75 for the slow window of the third bar.
        {"Vw 1,2,1 volume", test::boxed(VolumeWeightedMacd::create(1, 2, 1)),
         {ohlc(1, 1, 1, 1, 2), ohlc(3, 3, 3, 3, 1), ohlc(8, 8, 8, 8, 3)},
         {{}, {3.0 - 5.0 / 3.0, 3.0 - 5.0 / 3.0, 0.0}, {8.0 - 6.75, 8.0 - 6.75, 0.0}}},
        // One-bar rates of change: kst = (1 + 2 + 3 + 4) x rate; an oldest close of 0
        // counts as a rate of 0.
        {"Kst ones", test::boxed(Kst::create(1, 1, 1, 1, 1, 1, 1, 1, 1)), close_bars({100, 110, 0, 5}),
         {{}, {100.0, 100.0}, {-1000.0, -1000.0}, {0.0, 0.0}}},
        {"Kst signal 2", test::boxed(Kst::create(1, 1, 1, 1, 1, 1, 1, 1, 2)), close_bars({100, 110, 99}),
         {{}, {}, {-100.0, 0.0}}},
        // Kase over 2 bars with one-bar smoothing: the raw stochastic itself.
        {"Kase 2,1", test::boxed(KasePermissionStochastic::create(2, 1)),
         {ohlc(10, 12, 8, 10), ohlc(11, 14, 10, 13), ohlc(9, 9, 9, 9), ohlc(9, 9, 9, 9)},
         {{}, {500.0 / 6.0, 500.0 / 6.0}, {0.0, 0.0}, {50.0, 50.0}}},
        // Constant bars: no deviation, so the channel index is 0 with no division.
        {"Wt constant", test::boxed(WaveTrend::create(2, 1, 2)),
         {test::flat(7), test::flat(7), test::flat(7), test::flat(7)}, {{}, {}, {}, {0.0, 0.0}}},
    };
    test::run_rows_cases(cases);
}

TEST(MultiLineOscillators, WaveTrendAgainstItsFormulas) {
    const std::vector<Ohlcv> bars = test::wander(120);
    auto ind = test::boxed(WaveTrend::create(4, 6, 3));
    ASSERT_TRUE(ind);
    ModelEma esa{4, 2.0 / 5.0}, de{4, 2.0 / 5.0}, wt1{6, 2.0 / 7.0};
    std::vector<double> wt1s;
    std::size_t values = 0;
    for (const Ohlcv& b : bars) {
        const auto got = test::feed(*ind, b);
        std::optional<std::array<double, 2>> want;
        const double ap = ((b.high + b.low) + b.close) / 3.0;
        if (const auto e = esa(ap)) {
            const double d = ap - *e;
            if (const auto dv = de(std::fabs(d))) {
                if (const auto w = wt1(d / (*dv * 0.015))) {
                    wt1s.push_back(*w);
                    if (wt1s.size() >= 3) {
                        const std::size_t k = wt1s.size();
                        want = std::array<double, 2>{*w, (wt1s[k - 3] + wt1s[k - 2] + wt1s[k - 1]) / 3.0};
                    }
                }
            }
        }
        ASSERT_EQ(got.has_value(), want.has_value());
        if (!want) continue;
        values += 1;
        const auto out = ind->outputs();
        EXPECT_EQ(out[0].value, (*want)[0]);
        EXPECT_NEAR(out[1].value, (*want)[1], 1e-12 * std::max(1.0, std::fabs((*want)[1])));
    }
    EXPECT_EQ(values, bars.size() + 1 - ind->warmup());
}

TEST(MultiLineOscillators, StochasticAtTheWindowExtremesAndOnAFlatWindow) {
    struct Case {
        const char* label;
        std::uint64_t k, d;
        std::vector<Ohlcv> bars;
        std::vector<std::vector<double>> want;
    };
    const std::vector<Ohlcv> rising{ohlc(10, 11, 9, 10), ohlc(11, 12, 10, 12), ohlc(12, 14, 11, 14),
                                    ohlc(14, 15, 13, 15)};
    const std::vector<Ohlcv> falling{ohlc(10, 11, 9, 10), ohlc(10, 10, 8, 8), ohlc(8, 8, 5, 5), ohlc(5, 6, 4, 4)};
    Case cases[] = {
        // The close at the window's highest high: 100; at its lowest low: 0.
        {"top", 3, 1, rising, {{}, {}, {100.0, 100.0}, {100.0, 100.0}}},
        {"bottom", 3, 1, falling, {{}, {}, {0.0, 0.0}, {0.0, 0.0}}},
        {"top, d 2", 3, 2, rising, {{}, {}, {}, {100.0, 100.0}}},
        // (12 - 8) x 100 / (14 - 8): the lowest low has left the window by bar 4.
        {"middle", 3, 1,
         {ohlc(10, 11, 5, 10), ohlc(10, 12, 8, 9), ohlc(9, 14, 9, 12), ohlc(12, 13, 10, 12)},
         {{}, {}, {(12.0 - 5.0) * 100.0 / 9.0, (12.0 - 5.0) * 100.0 / 9.0}, {400.0 / 6.0, 400.0 / 6.0}}},
        // High equal to low and every close equal: 50 from bar k + d - 1 on.
        {"flat", 3, 3,
         {test::flat(4), test::flat(4), test::flat(4), test::flat(4), test::flat(4), test::flat(4)},
         {{}, {}, {}, {}, {50.0, 50.0}, {50.0, 50.0}}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.label);
        auto ind = test::boxed(Stochastic::create(c.k, c.d));
        ASSERT_TRUE(ind);
        test::expect_rows(published(*ind, c.bars), c.want);
    }
}

TEST(MultiLineOscillators, StochasticMatchesAWindowScan) {
    const std::vector<Ohlcv> bars = test::wander(300);
    auto ind = test::boxed(Stochastic::create(7, 1));
    ASSERT_TRUE(ind);
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const auto got = test::feed(*ind, bars[i]);
        ASSERT_EQ(got.has_value(), i >= 6);
        if (!got) continue;
        double hh = -INFINITY, ll = INFINITY;
        for (std::size_t j = i - 6; j <= i; ++j) {
            hh = std::max(hh, bars[j].high);
            ll = std::min(ll, bars[j].low);
        }
        EXPECT_EQ(*got, ((bars[i].close - ll) * 100.0) / (hh - ll)) << "bar " << i + 1;
    }
}

TEST(MultiLineOscillators, QqeBandsAndCrossings) {
    // RSI over one change is 100 up, 0 down; one-bar smoothing everywhere, so the
    // distance is |change of the index| x factor.
    auto ind = test::boxed(Qqe::create(1, 1, 0.5));
    ASSERT_TRUE(ind);
    EXPECT_EQ(ind->warmup(), 3u);
    const auto got = published(*ind, close_bars({1, 2, 1, 2, 1}));
    const std::vector<std::vector<double>> want{
        {}, {},           // no RSI yet; the first smoothed RSI is only recorded
        {0.0, -50.0},     // first bands: long side, below by 50, trend up
        {100.0, 50.0},    // long band ratchets to 50, short resets to 150; upward cross
        {0.0, 50.0},      // the index falls below the long band: trend down, short band 50
    };
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) EXPECT_EQ(got[i], want[i]) << "bar " << i + 1;
}

// A non-finite close, or a bar that breaks the candle rule, answers nothing and leaves
// both the state and the published list as they were.
TEST(MultiLineOscillators, RefusedInputsChangeNothing) {
    const std::vector<Ohlcv> bars = test::wander(150);
    const Ohlcv bad[] = {ohlc(1, 2, 1, NAN), ohlc(1, 2, 1, INFINITY), ohlc(1, 1, 2, 1.5), ohlc(1, 2, 1, 1.5, -1)};
    struct Case {
        std::function<IndicatorBox()> make;
        bool candle_rule;  // false: only the close is read, so only a bad close is refused
    };
    const Case cases[] = {
        {[] { return test::boxed(MacdIndicator::create(5, 9, 4)); }, false},
        {[] { return test::boxed(MacdFix::create(4)); }, false},
        {[] { return test::boxed(ZeroLagMacd::create(3, 6, 4)); }, false},
        {[] { return test::boxed(VolumeWeightedMacd::create(3, 6, 4)); }, true},
        {[] { return test::boxed(Kst::create(2, 3, 4, 5, 2, 2, 3, 3, 3)); }, false},
        {[] { return test::boxed(Stochastic::create(5, 3)); }, true},
        {[] { return test::boxed(KasePermissionStochastic::create(5, 3)); }, true},
        {[] { return test::boxed(WaveTrend::create(4, 6, 3)); }, true},
        {[] { return test::boxed(Qqe::create(5, 3, 4.236)); }, false},
    };
    for (const Case& c : cases) {
        IndicatorBox clean = c.make();
        IndicatorBox dirty = c.make();
        ASSERT_TRUE(clean && dirty);
        for (std::size_t i = 0; i < bars.size(); ++i) {
            if (i % 11 == 3) {
                const Ohlcv& b = bad[c.candle_rule ? i % 4 : i % 2];
                const auto before = dirty->outputs();
                EXPECT_FALSE(test::feed(*dirty, b)) << "bar " << i;
                EXPECT_EQ(dirty->outputs(), before);
            }
            const auto want = test::feed(*clean, bars[i]);
            const auto got = test::feed(*dirty, bars[i]);
            ASSERT_EQ(got, want) << "bar " << i;
            EXPECT_EQ(dirty->outputs(), clean->outputs());
        }
        EXPECT_FALSE(clean->outputs().empty());
    }
}

// Each name builds from typical parameters with an empty list, and refuses with the
// reader's or the constructor's text under its registry name.
TEST(MultiLineOscillators, RegistryRows) {
    const std::string too_long = test::kTooLong;
    // A zero length never reaches a constructor: the positive-integer reader refuses it.
    const auto zero = [](int k) { return "parameter #" + std::to_string(k) + " must be a positive integer, got 0"; };
    test::expect_registry_rows({
        {"MacdIndicator", {12, 26, 9}, {12, 12, 9}, kFastSlow},
        {"MacdFix", {9}, {16777217}, too_long},
        {"ZeroLagMacd", {12, 26, 9}, {12, 12, 9}, "invalid period: ZeroLagMACD fast period must be strictly less than slow"},
        {"VolumeWeightedMacd", {12, 26, 9}, {12, 26, 16777217}, too_long},
        {"Kst", {10, 15, 20, 30, 10, 10, 10, 15, 9}, {10, 15, 20, 30, 10, 10, 10, 15, 0}, zero(8)},
        {"Adx", {14}, {0}, zero(0)},
        {"Vortex", {14}, {16777217}, too_long},
        {"ElderRay", {13}, {0}, zero(0)},
        {"Alligator", {13, 8, 5}, {13, 8, 0}, zero(2)},
        {"GatorOscillator", {13, 8, 5}, {16777217, 8, 5}, too_long},
        {"Aroon", {14}, {0}, zero(0)},
        {"Rwi", {14}, {1}, "invalid period: RWI requires period >= 2"},
        {"KasePermissionStochastic", {10, 3}, {10, 0}, zero(1)},
        {"Stochastic", {14, 3}, {14, 16777217}, too_long},
        {"WaveTrend", {10, 21, 4}, {10, 0, 4}, zero(1)},
        {"Qqe", {14, 5, 4.236}, {14, 5, -1}, "invalid period: QQE factor must be a finite positive value"},
        {"Mama", {0.5, 0.05}, {0.05, 0.5},
         "invalid period: fast_limit, slow_limit must satisfy 0 < slow_limit <= fast_limit <= 1"},
        {"SmoothedHeikinAshi", {10}, {0}, zero(0)},
    });
    // The alias builds the same type, and its refusal names the type.
    auto alias = build_indicator("Macd", std::vector<double>{26, 12, 9});
    ASSERT_FALSE(alias.has_value());
    EXPECT_EQ(alias.error(), BuildError::invalid("MacdIndicator", kFastSlow));
    for (const char* name : {"HtPhasor", "HeikinAshi"}) {
        auto built = build_indicator(name, std::vector<double>{});
        ASSERT_TRUE(built.has_value()) << name;
        EXPECT_TRUE((*built)->outputs().empty());
    }
}

}  // namespace
}  // namespace torvex
