#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "candle_test_bars.hpp"
#include "indicators/momentum/accelerator_oscillator.hpp"
#include "indicators/momentum/adaptive_cci.hpp"
#include "indicators/momentum/awesome_oscillator.hpp"
#include "indicators/momentum/awesome_oscillator_histogram.hpp"
#include "indicators/momentum/cci.hpp"
#include "indicators/momentum/heikin_ashi_oscillator.hpp"
#include "indicators/momentum/intraday_momentum_index.hpp"
#include "indicators/momentum/mid_price.hpp"
#include "indicators/momentum/pgo.hpp"
#include "indicators/momentum/projection_oscillator.hpp"
#include "indicators/momentum/qstick.hpp"
#include "indicators/momentum/rvi.hpp"
#include "indicators/momentum/smi.hpp"
#include "indicators/momentum/stochastic_cci.hpp"
#include "indicators/momentum/ttm_trend.hpp"
#include "indicators/momentum/ultimate_oscillator.hpp"
#include "indicators/momentum/williams_r.hpp"

using namespace torvex;
using test::box;
using test::kMaxText;
using test::kZeroText;
using test::flat;
using test::make;
using test::ohlc;
using test::wander;

namespace {

using U = std::uint64_t;
constexpr U kOver = MAX_PERIOD + 1;

std::vector<std::optional<double>> feed_all(DynIndicator& ind, const std::vector<Ohlcv>& bars) {
    std::vector<std::optional<double>> out;
    for (const Ohlcv& b : bars) out.push_back(test::feed(ind, b));
    return out;
}

// Bars whose bodies and ranges reach 1e12 and come back.
std::vector<Ohlcv> spikes() {
    return {ohlc(1.1, 1e12, 1.0, 1e12 - 3.0), ohlc(1e12 - 3.0, 1e12, 0.9, 1.3), ohlc(1.3, 2.1, 1.2, 1.9)};
}

struct Named {
    const char* label;
    test::Maker make;
};

std::vector<Named> all_types() {
    return {
        {"Cci", box<Cci>(U{5})},
        {"AdaptiveCci", box<AdaptiveCci>(U{5})},
        {"StochasticCci", box<StochasticCci>(U{4})},
        {"AwesomeOscillator", box<AwesomeOscillator>(U{3}, U{7})},
        {"AwesomeOscillatorHistogram", box<AwesomeOscillatorHistogram>(U{3}, U{7}, U{2})},
        {"AcceleratorOscillator", box<AcceleratorOscillator>(U{3}, U{7}, U{4})},
        {"TtmTrend", box<TtmTrend>(U{4})},
        {"Qstick", box<Qstick>(U{4})},
        {"HeikinAshiOscillator", box<HeikinAshiOscillator>(U{4})},
        {"WilliamsR", box<WilliamsR>(U{5})},
        {"MidPrice", box<MidPrice>(U{5})},
        {"Smi", box<Smi>(U{5}, U{3}, U{2})},
        {"Pgo", box<Pgo>(U{5})},
        {"ProjectionOscillator", box<ProjectionOscillator>(U{5})},
        {"IntradayMomentumIndex", box<IntradayMomentumIndex>(U{5})},
        {"UltimateOscillator", box<UltimateOscillator>(U{2}, U{4}, U{6})},
        {"Rvi", box<Rvi>(U{4})},
    };
}

}  // namespace

TEST(CandleOscConstruct, ChecksAndMessagesInOrder) {
    const std::string min2 = "invalid period: projection bands need period >= 2";
    const std::string ao = "invalid period: AO fast period must be strictly less than slow";
    const std::string aoh = "invalid period: AwesomeOscillatorHistogram fast must be strictly less than slow";
    test::expect_builds({
        {"Cci zero", box<Cci>(U{0}), kZeroText},
        {"Cci long", box<Cci>(kOver), kMaxText},
        {"Cci max", box<Cci>(MAX_PERIOD), ""},
        {"AdaptiveCci zero", box<AdaptiveCci>(U{0}), kZeroText},
        {"AdaptiveCci one", box<AdaptiveCci>(U{1}), "invalid period: adaptive CCI needs period >= 2"},
        {"AdaptiveCci long", box<AdaptiveCci>(kOver), kMaxText},
        {"StochasticCci zero", box<StochasticCci>(U{0}), kZeroText},
        {"StochasticCci long", box<StochasticCci>(kOver), kMaxText},
        {"AO fast zero", box<AwesomeOscillator>(U{0}, U{0}), kZeroText},
        {"AO slow zero", box<AwesomeOscillator>(U{5}, U{0}), kZeroText},
        {"AO order", box<AwesomeOscillator>(U{26}, U{5}), ao},
        {"AO equal", box<AwesomeOscillator>(U{5}, U{5}), ao},
        {"AO long", box<AwesomeOscillator>(U{5}, kOver), kMaxText},
        {"AOH lag zero", box<AwesomeOscillatorHistogram>(U{5}, U{34}, U{0}), kZeroText},
        {"AOH order", box<AwesomeOscillatorHistogram>(U{34}, U{5}, U{1}), aoh},
        {"AOH slow long", box<AwesomeOscillatorHistogram>(U{5}, kOver, U{1}), kMaxText},
        {"AOH lag long", box<AwesomeOscillatorHistogram>(U{5}, U{34}, kOver), kMaxText},
        {"AccOsc inner first", box<AcceleratorOscillator>(U{34}, U{5}, U{0}), ao},
        {"AccOsc signal zero", box<AcceleratorOscillator>(U{5}, U{34}, U{0}), kZeroText},
        {"AccOsc signal long", box<AcceleratorOscillator>(U{5}, U{34}, kOver), kMaxText},
        {"TtmTrend zero", box<TtmTrend>(U{0}), kZeroText},
        {"Qstick long", box<Qstick>(kOver), kMaxText},
        {"HAO zero", box<HeikinAshiOscillator>(U{0}), kZeroText},
        {"HAO long", box<HeikinAshiOscillator>(kOver), kMaxText},
        {"WilliamsR zero", box<WilliamsR>(U{0}), kZeroText},
        {"MidPrice long", box<MidPrice>(kOver), kMaxText},
        {"Smi zero before bound", box<Smi>(U{3}, U{0}, kOver), kZeroText},
        {"Smi d2 long", box<Smi>(U{3}, U{3}, kOver), kMaxText},
        {"Smi k long", box<Smi>(kOver, U{3}, U{3}), kMaxText},
        {"Pgo zero", box<Pgo>(U{0}), kZeroText},
        {"Pgo long", box<Pgo>(kOver), kMaxText},
        {"ProjOsc zero", box<ProjectionOscillator>(U{0}), min2},
        {"ProjOsc one", box<ProjectionOscillator>(U{1}), min2},
        {"ProjOsc long", box<ProjectionOscillator>(kOver), kMaxText},
        {"IMI zero", box<IntradayMomentumIndex>(U{0}), kZeroText},
        {"IMI long", box<IntradayMomentumIndex>(kOver), kMaxText},
        {"Rvi zero", box<Rvi>(U{0}), kZeroText},
        {"Rvi long", box<Rvi>(kOver), kMaxText},
        {"UO zero", box<UltimateOscillator>(U{7}, U{0}, kOver), kZeroText},
        {"UO long", box<UltimateOscillator>(U{7}, U{14}, kOver), kMaxText},
    });
}

// Each answer list is worked out by hand from the formulas.
TEST(CandleOscValues, HandWorkedBars) {
    struct Case {
        const char* label;
        test::Maker make;
        std::vector<Ohlcv> bars;
        std::vector<std::optional<double>> want;
    };
    const auto none = std::nullopt;
    // A bar of history whose answer is not checked (a NaN wants a NaN).
    const std::optional<double> kAny = std::numeric_limits<double>::lowest();
    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    const double kH = 5.99e307;  // three of them still sum to a finite typical price
    const double kTiny = std::numeric_limits<double>::denorm_min();
    const double kL = 0x1p40;
    // Bars whose midpoint is m (high m + 1, low m - 1).
    auto mid = [](double m, double close) { return ohlc(close, std::max(m + 1, close), std::min(m - 1, close), close); };
    const std::vector<Case> cases = {
        {"Cci 1,2,3", box<Cci>(U{3}), {flat(1), flat(2), flat(3)}, {none, none, 100.0}},
        {"Cci n=1", box<Cci>(U{1}), {flat(1), ohlc(2, 5, 1, 3)}, {0.0, 0.0}},
        {"StochasticCci n=1", box<StochasticCci>(U{1}), {flat(1), ohlc(2, 5, 1, 3)}, {50.0, 50.0}},
        // Cci(2) values: bar 2 (tp 1 -> 3) 66.67, bar 3 (3 -> 2) -66.67, bar 4 (2 -> 2) 0.
        {"StochasticCci n=2", box<StochasticCci>(U{2}), {flat(1), flat(3), flat(2), flat(2)},
         {none, none, 0.0, 100.0}},
        // Typical prices of two and four times the smallest subnormal u: mean 3u,
        // deviation u, distance +-u, so +-1 / 0.015 (u * 0.015 itself rounds to 0).
        {"Cci subnormal", box<Cci>(U{2}), {flat(2 * kTiny), flat(4 * kTiny)}, {none, 200.0 / 3.0}},
        {"AdaptiveCci subnormal", box<AdaptiveCci>(U{2}), {flat(2 * kTiny), flat(4 * kTiny)}, {none, 200.0 / 3.0}},
        {"StochasticCci subnormal", box<StochasticCci>(U{2}), {flat(2 * kTiny), flat(4 * kTiny), flat(2 * kTiny)},
         {none, none, 0.0}},
        // Ticks of 0.25 at 2^40, where the sum's rounding is 2^-11: after bars that
        // leave rounding in a running sum, the window L+.25, L+.5, L+.75 (mean L+.5,
        // deviation 1/6) reads 0.25 / (0.015 / 6) = 100, its own answer (not 100.049).
        {"Cci ticks at 2^40", box<Cci>(U{3}),
         {flat(kL + 3.95), flat(kL + 1.2), flat(kL + 2.05), flat(kL + 0.45), flat(kL + 0.35), flat(kL + 0.25),
          flat(kL + 0.5), flat(kL + 0.75)},
         {none, none, kAny, kAny, kAny, kAny, kAny, 100.0}},
        // Cci(5) over 3 5 4 3 H H 2 H H 2: 166.67, 83.33, -55.56, 55.56, then NaN (four H
        // overflow the sum), then -83.33 (mean 3H/5, deviation 12H/25). The NaN among
        // the last five leaves the newest below the extremes kept before it: no place
        // in a range (a number of -20 before).
        {"StochasticCci NaN index", box<StochasticCci>(U{5}),
         {flat(3), flat(5), flat(4), flat(3), flat(kH), flat(kH), flat(2), flat(kH), flat(kH), flat(2)},
         {none, none, none, none, none, none, none, none, kNaN, kNaN}},
        // Window 1,2,3: path 2, change 2, er 1, sc = (2/3)^2; first mean 2, deviation 2/3.
        {"AdaptiveCci", box<AdaptiveCci>(U{3}), {flat(1), flat(2), flat(3)}, {none, none, 100.0}},
        {"AdaptiveCci flat", box<AdaptiveCci>(U{2}), {flat(4), flat(4), flat(4)}, {none, 0.0, 0.0}},
        // Midpoints 1, 2, 4, 8: AO(2,3) 2/3 then 4/3.
        {"AO", box<AwesomeOscillator>(U{2}, U{3}), {mid(1, 1), mid(2, 2), mid(4, 4), mid(8, 8)},
         {none, none, 2.0 / 3.0, 4.0 / 3.0}},
        {"AOH lag 1", box<AwesomeOscillatorHistogram>(U{2}, U{3}, U{1}), {mid(1, 1), mid(2, 2), mid(4, 4), mid(8, 8)},
         {none, none, none, 2.0 / 3.0}},
        {"AccOsc", box<AcceleratorOscillator>(U{2}, U{3}, U{2}), {mid(1, 1), mid(2, 2), mid(4, 4), mid(8, 8)},
         {none, none, none, 1.0 / 3.0}},
        {"TtmTrend", box<TtmTrend>(U{2}), {mid(10, 10), mid(10, 10), mid(10, 10.5), mid(10, 9)},
         {none, -1.0, 1.0, -1.0}},
        // Midpoints 1, 1, 3: 5/3 rounds up to the close, which so lies above the average.
        {"TtmTrend above by less than a rounding", box<TtmTrend>(U{3}),
         {ohlc(1, 2, 0, 1), ohlc(1, 2, 0, 1), ohlc(1.6, 4.5, 1.5, 5.0 / 3.0)}, {none, none, 1.0}},
        // The last close lies 2.4e-15 below its window's average; a running sum that still
        // held the rounding of the first bar put it above.
        {"TtmTrend tick prices after a bar that left", box<TtmTrend>(U{6}),
         {ohlc(101.33, 101.33, 101.32, 101.32), ohlc(101.3, 101.31, 101.29000000000001, 101.29000000000001),
          ohlc(101.29000000000001, 101.30000000000001, 101.25999999999999, 101.27),
          ohlc(101.27, 101.27, 101.26000000000001, 101.26000000000001), ohlc(101.26000000000001, 101.27, 101.25, 101.27),
          ohlc(101.27, 101.27, 101.25, 101.25), ohlc(101.25, 101.27, 101.23999999999999, 101.27)},
         {none, none, none, none, none, -1.0, -1.0}},
        {"Qstick", box<Qstick>(U{2}), {ohlc(10, 13, 9, 12), ohlc(12, 12, 10, 11), ohlc(11, 15, 11, 15)},
         {none, 0.5, 1.5}},
        // Bar 1: HA close 10, HA open 9; bar 2: HA open 9.5, HA close 11.
        {"HAO n=1", box<HeikinAshiOscillator>(U{1}), {ohlc(8, 14, 8, 10), ohlc(10, 12, 10, 12)}, {1.0, 1.5}},
        {"HAO n=2", box<HeikinAshiOscillator>(U{2}), {ohlc(8, 14, 8, 10), ohlc(10, 12, 10, 12)}, {none, 1.25}},
        {"WilliamsR", box<WilliamsR>(U{2}), {ohlc(10, 12, 9, 10), ohlc(9, 10, 8, 9), ohlc(9, 12, 9, 12), ohlc(9, 9, 9, 9)},
         {none, -75.0, 0.0, -100.0}},
        {"WilliamsR flat", box<WilliamsR>(U{2}), {flat(5), flat(5)}, {none, -50.0}},
        {"MidPrice", box<MidPrice>(U{2}), {ohlc(10, 12, 9, 10), ohlc(9, 10, 8, 9), flat(7)}, {none, 10.0, 8.5}},
        {"MidPrice huge", box<MidPrice>(U{1}), {ohlc(1.65e308, 1.7e308, 1.6e308, 1.65e308)}, {1.65e308}},
        {"Smi 1,1,1", box<Smi>(U{1}, U{1}, U{1}), {ohlc(10, 12, 8, 11), ohlc(10, 14, 10, 10)}, {50.0, -100.0}},
        // A range of 25 ulps at 1e12: the rounded midpoint put a close at the high 0.52 of
        // the range above it (104) and one at the low 0.48 below it (-96).
        {"Smi close at the high of a range a few ulps wide", box<Smi>(U{1}, U{1}, U{1}),
         {ohlc(1e12, 1000000000000.0021, 999999999999.999, 1000000000000.0021),
          ohlc(1e12, 1000000000000.0021, 999999999999.999, 999999999999.999)},
         {100.0, -100.0}},
        {"Smi flat", box<Smi>(U{1}, U{1}, U{1}), {flat(3), flat(3), ohlc(3, 4, 2, 4)}, {none, none, 100.0}},
        // Averages of close 11, true ranges 2 and 3 seed to 2.5.
        {"Pgo", box<Pgo>(U{2}), {ohlc(10, 11, 9, 10), ohlc(10, 13, 10, 12)}, {none, 0.4}},
        {"Pgo no range", box<Pgo>(U{2}), {flat(4), flat(4), flat(4)}, {none, none, none}},
        // Slopes 2 and 1: projected highs 12, 12, lows 9, 9.
        {"ProjOsc", box<ProjectionOscillator>(U{2}), {ohlc(9, 10, 8, 9), ohlc(10.5, 12, 9, 10.5)}, {none, 50.0}},
        {"ProjOsc flat", box<ProjectionOscillator>(U{3}), {flat(4), flat(4), flat(4)}, {none, none, 50.0}},
        {"IMI +2 -1 +1", box<IntradayMomentumIndex>(U{3}), {ohlc(1, 3, 1, 3), ohlc(3, 3, 2, 2), ohlc(2, 3, 2, 3)},
         {none, none, 75.0}},
        {"IMI doji", box<IntradayMomentumIndex>(U{2}), {ohlc(2, 3, 1, 2), ohlc(2, 3, 1, 2)}, {none, 50.0}},
        {"IMI falling", box<IntradayMomentumIndex>(U{2}), {ohlc(3, 3, 1, 2), ohlc(2, 3, 1, 1)}, {none, 0.0}},
        // Bar 2: pressure 12 - 10 = 2 over range 13 - 10 = 3, all three windows alike.
        {"UO m=1", box<UltimateOscillator>(U{1}, U{1}, U{1}), {ohlc(10, 11, 9, 10), ohlc(11, 13, 11, 12)},
         {none, 200.0 / 3.0}},
        {"UO flat", box<UltimateOscillator>(U{1}, U{2}, U{3}), {flat(5), flat(5), flat(5), flat(5)},
         {none, none, none, 50.0}},
        // Four bars of body 1, 2, 3, 4 and range 2, 2, 4, 4: (1+4+6+4)/6 over (2+4+8+4)/6.
        {"Rvi n=1", box<Rvi>(U{1}), {ohlc(1, 2, 0, 2), ohlc(1, 3, 1, 3), ohlc(1, 5, 1, 4), ohlc(1, 5, 1, 5)},
         {none, none, none, 15.0 / 18.0}},
        {"Rvi flat then range", box<Rvi>(U{1}), {flat(1), flat(1), flat(1), flat(1), ohlc(1, 7, 1, 7), flat(7)},
         {none, none, none, none, 1.0, 1.0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        IndicatorBox ind = make(c.make);
        ASSERT_TRUE(ind);
        const auto got = feed_all(*ind, c.bars);
        ASSERT_EQ(got.size(), c.want.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            ASSERT_EQ(got[i].has_value(), c.want[i].has_value()) << "bar " << i + 1;
            if (got[i] && std::isnan(*c.want[i])) {
                EXPECT_TRUE(std::isnan(*got[i])) << "bar " << i + 1 << ": " << *got[i];
            } else if (got[i] && *c.want[i] != *kAny) {
                EXPECT_NEAR(*got[i], *c.want[i], 1e-12 * std::max(1.0, std::fabs(*c.want[i]))) << "bar " << i + 1;
            }
        }
    }
}

TEST(CandleOscValues, CciExactAndAgainstDirectComputation) {
    IndicatorBox three = make(box<Cci>(U{3}));
    test::feed(*three, flat(1));
    test::feed(*three, flat(2));
    // 1 / ((2/3) * 0.015) with the product rounded first: within an ulp of 100.
    const auto hundred = test::feed(*three, flat(3));
    ASSERT_TRUE(hundred);
    EXPECT_DOUBLE_EQ(*hundred, 100.0);

    const U n = 7;
    IndicatorBox cci = make(box<Cci>(n));
    const std::vector<Ohlcv> bars = wander(400, 1e6);
    std::vector<double> tps;
    for (const Ohlcv& b : bars) {
        tps.push_back((b.high + b.low + b.close) / 3.0);
        const auto got = test::feed(*cci, b);
        if (tps.size() < n) {
            EXPECT_FALSE(got);
            continue;
        }
        double mean = 0.0;
        for (std::size_t i = tps.size() - n; i < tps.size(); ++i) mean += tps[i] / n;
        double dev = 0.0;
        for (std::size_t i = tps.size() - n; i < tps.size(); ++i) dev += std::fabs(tps[i] - mean) / n;
        ASSERT_TRUE(got);
        EXPECT_NEAR(*got, (tps.back() - mean) / (0.015 * dev), 1e-6);
    }
}

TEST(CandleOscValues, AdaptiveMeanMovesBySmoothingConstant) {
    // Window 1, 2, 3 then 3, 3, 3... : first mean 2 (simple), then the path of
    // window (2, 3, 3) is 1 with change 1, so sc = (1·a + b)^2.
    IndicatorBox ind = make(box<AdaptiveCci>(U{3}));
    test::feed(*ind, flat(1));
    test::feed(*ind, flat(2));
    EXPECT_DOUBLE_EQ(test::feed(*ind, flat(3)).value_or(0.0), 100.0);
    const double root = 0.6021505376344085 + 0.06451612903225806;
    const double mean = 2.0 + root * root * (3.0 - 2.0);
    const double dev = (std::fabs(2.0 - mean) + 2.0 * std::fabs(3.0 - mean)) / 3.0;
    const auto got = test::feed(*ind, flat(3));
    ASSERT_TRUE(got);
    EXPECT_NEAR(*got, (3.0 - mean) / (dev * 0.015), 1e-12);
}

// The first value comes exactly with bar warmup(), and bars breaking the candle
// rule answer nothing and change nothing.
TEST(CandleOscContract, WarmupAndRefusedCandles) {
    const std::vector<Ohlcv> bars = wander(120);
    const Ohlcv bad[] = {ohlc(NAN, 2, 1, 1), ohlc(1, 1, 2, 1), Ohlcv{0, 1, 2, 0, 1, -1.0}, ohlc(3, 2, 1, 1),
                         ohlc(1, 2, 1.5, 2)};
    for (const Named& t : all_types()) {
        SCOPED_TRACE(t.label);
        IndicatorBox clean = make(t.make);
        IndicatorBox dirty = make(t.make);
        ASSERT_TRUE(clean && dirty);
        std::uint64_t first = 0;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            if (i % 7 == 3) {
                EXPECT_FALSE(test::feed(*dirty, bad[i % 5]));
            }
            const auto want = test::feed(*clean, bars[i]);
            const auto got = test::feed(*dirty, bars[i]);
            ASSERT_EQ(got, want) << "bar " << i + 1;
            if (want && first == 0) first = i + 1;
        }
        EXPECT_EQ(first, clean->warmup());
        EXPECT_TRUE(clean->outputs().empty());
    }
}

// After a run of bars around 1e12 has left the windows, a flat window gives the
// flat answer exactly: the running sums tested against zero carry no residue.
TEST(CandleOscContract, FlatAnswersAfterHugeValuesLeave) {
    struct Case {
        const char* label;
        test::Maker make;
        Ohlcv flat_bar;
        double want;
    };
    const std::vector<Case> cases = {
        {"Cci", box<Cci>(U{5}), flat(3.3), 0.0},
        {"StochasticCci", box<StochasticCci>(U{5}), flat(3.3), 50.0},
        {"IMI", box<IntradayMomentumIndex>(U{5}), ohlc(3.3, 4.1, 2.9, 3.3), 50.0},
        {"UO", box<UltimateOscillator>(U{2}, U{3}, U{5}), flat(3.3), 50.0},
        {"WilliamsR", box<WilliamsR>(U{5}), flat(3.3), -50.0},
        {"ProjOsc", box<ProjectionOscillator>(U{5}), flat(3.3), 50.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        IndicatorBox ind = make(c.make);
        ASSERT_TRUE(ind);
        for (const Ohlcv& b : wander(13, 0.7)) test::feed(*ind, b);
        for (const Ohlcv& b : spikes()) test::feed(*ind, b);
        for (const Ohlcv& b : wander(3, 0.3)) test::feed(*ind, b);
        std::optional<double> got;
        for (int i = 0; i < 10; ++i) got = test::feed(*ind, c.flat_bar);
        ASSERT_TRUE(got);
        EXPECT_EQ(*got, c.want);
    }

    // Rvi answers its last value while the range sum is not above zero: after the
    // huge bars leave, flat bars keep the value of the last window with a range, the
    // same as for a series that never saw them.
    IndicatorBox rvi = make(box<Rvi>(U{4}));
    IndicatorBox reference = make(box<Rvi>(U{4}));
    for (const Ohlcv& b : wander(13, 0.7)) test::feed(*rvi, b);
    for (const Ohlcv& b : spikes()) test::feed(*rvi, b);
    for (const Ohlcv& b : wander(12, 0.3)) {
        test::feed(*rvi, b);
        test::feed(*reference, b);
    }
    std::optional<double> got;
    std::optional<double> want;
    for (int i = 0; i < 14; ++i) {
        got = test::feed(*rvi, flat(3.3));
        want = test::feed(*reference, flat(3.3));
    }
    ASSERT_TRUE(got && want);
    EXPECT_NEAR(*got, *want, 1e-12);
}

// Smi over one bar closing at its low, then a flat run: the flat bars add nothing to
// either average, so the index stays at -100 (to their roundings) while both decay. Once they reached the
// subnormal range it read noise, and -inf where half the range's average rounded to 0.
TEST(CandleOscContract, SmiHoldsItsIndexOverALongFlatRun) {
    for (const U d : {U{2}, U{3}, U{5}}) {
        SCOPED_TRACE("Smi(1, " + std::to_string(d) + ", " + std::to_string(d) + ")");
        IndicatorBox smi = make(box<Smi>(U{1}, d, d));
        ASSERT_TRUE(smi);
        std::vector<Ohlcv> bars{ohlc(1, 2, 0, 0)};
        bars.resize(3000, flat(0));
        int answers = 0;
        for (const std::optional<double>& v : feed_all(*smi, bars)) {
            if (!v) continue;
            ++answers;
            ASSERT_NEAR(*v, -100.0, 1e-9) << "answer " << answers;
        }
        EXPECT_GT(answers, 2990);
    }
}

// The registry builds every name from its positional parameters and reports a
// refusal with the name and the constructor's display text.
TEST(CandleOscRegistry, NamesBuildAndRefuseThroughTheTable) {
    const std::string tiny_zero = "period must be greater than zero";
    test::expect_registry_rows({
        {"Cci", {20}, {1e20}, kMaxText},
        {"AdaptiveCci", {20}, {1}, "invalid period: adaptive CCI needs period >= 2"},
        {"StochasticCci", {14}, {1e-300}, tiny_zero},
        {"AwesomeOscillator", {5, 34}, {26, 5}, "invalid period: AO fast period must be strictly less than slow"},
        {"AwesomeOscillatorHistogram", {5, 34, 1}, {34, 5, 1},
         "invalid period: AwesomeOscillatorHistogram fast must be strictly less than slow"},
        {"AcceleratorOscillator", {5, 34, 5}, {5, 34, 1e20}, kMaxText},
        {"TtmTrend", {6}, {1e20}, kMaxText},
        {"Qstick", {8}, {1e-300}, tiny_zero},
        {"HeikinAshiOscillator", {10}, {1e20}, kMaxText},
        {"WilliamsR", {14}, {1e-300}, tiny_zero},
        {"MidPrice", {14}, {1e20}, kMaxText},
        {"Smi", {10, 3, 3}, {10, 1e-300, 1e20}, tiny_zero},
        {"Pgo", {14}, {1e20}, kMaxText},
        {"ProjectionOscillator", {14}, {1e-300}, "invalid period: projection bands need period >= 2"},
        {"IntradayMomentumIndex", {14}, {1e20}, kMaxText},
        {"UltimateOscillator", {7, 14, 28}, {7, 14, 1e20}, kMaxText},
        {"Rvi", {10}, {1e-300}, tiny_zero},
    });
}
