// Range and volatility indicators over whole bars: construction checks, warm-ups,
// refused candles, and values from the formulas worked by hand or by a plain model.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "volatility/candle_support.hpp"

#include "indicators/volatility/atr.hpp"
#include "indicators/volatility/average_daily_range.hpp"
#include "indicators/volatility/chaikin_volatility.hpp"
#include "indicators/volatility/choppiness_index.hpp"
#include "indicators/volatility/inertia.hpp"
#include "indicators/volatility/mass_index.hpp"
#include "indicators/volatility/natr.hpp"
#include "indicators/volatility/range_volatility.hpp"
#include "indicators/volatility/volatility_ratio.hpp"
#include "indicators/volatility/yang_zhang_volatility.hpp"

namespace torvex::test {
namespace {

using Answers = std::vector<std::optional<double>>;

TEST(RangeVolatility, ConstructionChecksInOrder) {
    const std::string choppy = "invalid period: choppiness index needs period >= 2";
    run_check_cases({
        {"Atr 0", [] { return refusal(Atr::create(0)); }, kZero},
        {"Atr max", [] { return refusal(Atr::create(MAX_PERIOD)); }, "built"},
        {"Natr over", [] { return refusal(Natr::create(kOver)); }, kTooLong},
        {"VolatilityRatio over", [] { return refusal(VolatilityRatio::create(kOver)); }, kTooLong},
        {"Choppiness 0", [] { return refusal(ChoppinessIndex::create(0)); }, choppy},
        {"Choppiness 1", [] { return refusal(ChoppinessIndex::create(1)); }, choppy},
        {"Choppiness over", [] { return refusal(ChoppinessIndex::create(kOver)); }, kTooLong},
        {"Choppiness 2", [] { return refusal(ChoppinessIndex::create(2)); }, "built"},
        {"YZ n 1", [] { return refusal(YangZhangVolatility::create(1, 252)); },
         "invalid period: Yang-Zhang period must be >= 2"},
        {"YZ over", [] { return refusal(YangZhangVolatility::create(kOver, 252)); }, kTooLong},
        {"YZ y 0", [] { return refusal(YangZhangVolatility::create(1, 0)); }, kZero},
        {"YZ y 0 long n", [] { return refusal(YangZhangVolatility::create(kOver, 0)); }, kZero},
        {"GK y 0", [] { return refusal(GarmanKlassVolatility::create(kOver, 0)); }, kZero},
        {"GK w over", [] { return refusal(ParkinsonVolatility::create(kOver, 252)); }, kTooLong},
        {"RS w 0", [] { return refusal(RogersSatchellVolatility::create(0, 252)); }, kZero},
        {"Chaikin e 0 r 0", [] { return refusal(ChaikinVolatility::create(0, 0)); }, kZero},
        {"Chaikin e over r 0", [] { return refusal(ChaikinVolatility::create(kOver, 0)); }, kTooLong},
        {"Chaikin r 0", [] { return refusal(ChaikinVolatility::create(10, 0)); }, kZero},
        {"Chaikin r over", [] { return refusal(ChaikinVolatility::create(10, kOver)); }, kTooLong},
        {"Mass s 0", [] { return refusal(MassIndex::create(kOver, 0)); }, kZero},
        {"Mass e over", [] { return refusal(MassIndex::create(kOver, 25)); }, kTooLong},
        {"Mass s over", [] { return refusal(MassIndex::create(9, kOver)); }, kTooLong},
        {"Inertia p 0", [] { return refusal(Inertia::create(0, 1)); }, kZero},
        {"Inertia p 1", [] { return refusal(Inertia::create(1, 1)); }, "invalid period: RVI period must be >= 2"},
        {"Inertia q 1", [] { return refusal(Inertia::create(14, 1)); },
         "invalid period: linear regression needs period >= 2"},
        {"Inertia q over", [] { return refusal(Inertia::create(14, kOver)); }, kTooLong},
        {"ADR 0", [] { return refusal(AverageDailyRange::create(0, 60)); }, kZero},
        {"ADR over", [] { return refusal(AverageDailyRange::create(kOver, 0)); }, kTooLong},
    });
}

TEST(RangeVolatility, WarmupAndRefusedCandles) {
    const std::vector<Ohlcv> bars = wavy_bars(120);
    const std::vector<std::pair<std::string, std::vector<double>>> cases = {
        {"Atr", {14}}, {"Atr", {1}}, {"Natr", {14}}, {"VolatilityRatio", {10}},
        {"GarmanKlassVolatility", {20, 252}}, {"ParkinsonVolatility", {20, 252}},
        {"RogersSatchellVolatility", {20, 252}}, {"YangZhangVolatility", {20, 252}},
        {"ChoppinessIndex", {14}}, {"MassIndex", {9, 25}}, {"ChaikinVolatility", {10, 10}},
        {"Inertia", {10, 14}},
    };
    for (const auto& [name, params] : cases) expect_candle_contract(name, params, bars);
    // The day-based range needs a completed local day before its first value.
    expect_candle_contract("AverageDailyRange", {5, 0}, wavy_bars(400), false);
}

// Three bars whose true ranges are 3 (high − low, although the second gaps), 3
// and 2.
std::vector<Ohlcv> three_bars() {
    return {candle(10, 12, 9, 11), candle(13, 14, 12.5, 13), candle(12, 13, 11, 12)};
}

TEST(RangeVolatility, AtrSeedsWithTheMeanThenSmoothsByWilder) {
    auto atr1 = boxed(Atr::create(1));
    expect_answers("n = 1 is each true range", feed_bars(*atr1, three_bars()), {3.0, 3.0, 2.0});
    auto atr2 = boxed(Atr::create(2));
    expect_answers("n = 2", feed_bars(*atr2, three_bars()), {None, 3.0, (3.0 * 1.0 + 2.0) * 0.5});
    auto natr = boxed(Natr::create(2));
    expect_answers("Natr", feed_bars(*natr, three_bars()), {None, 300.0 / 13.0, 250.0 / 12.0});
    // A zero close gives 0.
    auto zero = boxed(Natr::create(1));
    EXPECT_EQ(feed(*zero, candle(0, 1, 0, 0)), 0.0);
}

TEST(RangeVolatility, VolatilityRatioUsesTheAverageFromBeforeTheBar) {
    std::vector<Ohlcv> bars = three_bars();
    bars.push_back(candle(12, 15, 11.5, 14));    // TR 3.5
    bars.push_back(candle(14, 14.5, 13, 13.5));  // TR 1.5
    const double alpha = 2.0 / 3.0;
    const double e3 = 2.5;  // mean of the true ranges 3 and 2 of bars 2 and 3
    const double e4 = 3.5 * alpha + e3 * (1.0 - alpha);
    auto vr = boxed(VolatilityRatio::create(2));
    expect_answers("VolatilityRatio", feed_bars(*vr, bars), {None, None, None, 3.5 / e3, 1.5 / e4});
}

TEST(RangeVolatility, RangeEstimatorsOnOneBar) {
    // High e, low 1, open 1, close sqrt(e): ln(h/l) = 1 and ln(c/o) = 0.5.
    const Ohlcv bar = candle(1.0, std::exp(1.0), 1.0, std::exp(0.5));
    const double ln2 = std::log(2.0);
    auto gk = boxed(GarmanKlassVolatility::create(1, 1));
    auto pk = boxed(ParkinsonVolatility::create(1, 252));
    auto rs = boxed(RogersSatchellVolatility::create(1, 1));
    EXPECT_NEAR(*feed(*gk, bar), 100.0 * std::sqrt(0.5 - (2.0 * ln2 - 1.0) * 0.25), 1e-12);
    EXPECT_NEAR(*feed(*pk, bar), std::sqrt(252.0) * 100.0 / std::sqrt(4.0 * ln2), 1e-11);
    EXPECT_NEAR(*feed(*rs, bar), 100.0 * std::sqrt(0.5), 1e-12);
    // A bar that closes at its high, opened at its low: the Rogers-Satchell term is
    // 0·ln(h/o) + ln(l/c)·0 = 0.
    auto rs0 = boxed(RogersSatchellVolatility::create(1, 1));
    EXPECT_EQ(feed(*rs0, candle(1.0, 2.0, 1.0, 2.0)), 0.0);
}

TEST(RangeVolatility, FlatBarsHaveNoVolatility) {
    const Ohlcv f = candle(5, 5, 5, 5);
    const std::vector<Ohlcv> flat(6, f);
    const std::vector<std::pair<const char*, IndicatorBox>> cases = [] {
        std::vector<std::pair<const char*, IndicatorBox>> v;
        v.emplace_back("GarmanKlass", boxed(GarmanKlassVolatility::create(2, 252)));
        v.emplace_back("Parkinson", boxed(ParkinsonVolatility::create(2, 252)));
        v.emplace_back("RogersSatchell", boxed(RogersSatchellVolatility::create(2, 252)));
        v.emplace_back("YangZhang", boxed(YangZhangVolatility::create(2, 252)));
        v.emplace_back("Atr", boxed(Atr::create(2)));
        v.emplace_back("VolatilityRatio", boxed(VolatilityRatio::create(2)));  // average 0: ratio 0
        return v;
    }();
    for (const auto& [label, ind] : cases) {
        const auto got = feed_bars(*ind, flat);
        for (std::size_t i = 0; i < got.size(); ++i) {
            ASSERT_EQ(got[i].has_value(), i + 1 >= ind->warmup()) << label << " bar " << i + 1;
            if (got[i]) {
                EXPECT_EQ(*got[i], 0.0) << label << " bar " << i + 1;
            }
        }
    }
}

// Window means of per-bar terms recomputed from scratch on every bar.
TEST(RangeVolatility, RangeEstimatorsMatchAPlainWindowMean) {
    const std::vector<Ohlcv> bars = wavy_bars(200);
    const std::size_t w = 7;
    auto gk = boxed(GarmanKlassVolatility::create(w, 365));
    auto pk = boxed(ParkinsonVolatility::create(w, 365));
    auto rs = boxed(RogersSatchellVolatility::create(w, 365));
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const auto g = feed(*gk, bars[i]);
        const auto p = feed(*pk, bars[i]);
        const auto r = feed(*rs, bars[i]);
        ASSERT_EQ(g.has_value(), i + 1 >= w);
        if (!g) continue;
        double sg = 0, sp = 0, sr = 0;
        for (std::size_t j = i + 1 - w; j <= i; ++j) {
            const Ohlcv& b = bars[j];
            const double hl = std::log(b.high / b.low), co = std::log(b.close / b.open);
            sg += 0.5 * hl * hl - (2.0 * std::log(2.0) - 1.0) * co * co;
            sp += hl * hl / (4.0 * std::log(2.0));
            sr += std::log(b.high / b.close) * std::log(b.high / b.open) +
                  std::log(b.low / b.close) * std::log(b.low / b.open);
        }
        const double scale = std::sqrt(365.0) * 100.0;
        EXPECT_NEAR(*g, scale * std::sqrt(std::max(sg / w, 0.0)), 1e-9) << i;
        EXPECT_NEAR(*p, scale * std::sqrt(sp / w), 1e-9) << i;
        EXPECT_NEAR(*r, scale * std::sqrt(std::max(sr / w, 0.0)), 1e-9) << i;
    }
}

double sample_variance(const std::vector<double>& xs) {
    const double m = std::accumulate(xs.begin(), xs.end(), 0.0) / static_cast<double>(xs.size());
    double s = 0.0;
    for (double x : xs) s += (x - m) * (x - m);
    return s / static_cast<double>(xs.size() - 1);
}

TEST(RangeVolatility, YangZhangMatchesTwoPassVariances) {
    const std::vector<Ohlcv> bars = wavy_bars(150);
    const std::size_t n = 10;
    const double k = 0.34 / (1.34 + (n + 1.0) / (n - 1.0));
    auto yz = boxed(YangZhangVolatility::create(n, 252));
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const auto got = feed(*yz, bars[i]);
        ASSERT_EQ(got.has_value(), i >= n) << "bar " << i + 1;
        if (!got) continue;
        std::vector<double> o, c;
        double rs = 0.0;
        for (std::size_t j = i + 1 - n; j <= i; ++j) {
            const Ohlcv& b = bars[j];
            o.push_back(std::log(b.open / bars[j - 1].close));
            c.push_back(std::log(b.close / b.open));
            rs += std::log(b.high / b.close) * std::log(b.high / b.open) +
                  std::log(b.low / b.close) * std::log(b.low / b.open);
        }
        const double var = sample_variance(o) + k * sample_variance(c) + (1.0 - k) * rs / n;
        EXPECT_NEAR(*got, std::sqrt(252.0) * std::sqrt(var) * 100.0, 1e-9 * *got) << "bar " << i + 1;
    }
}

TEST(RangeVolatility, ChoppinessIndex) {
    auto chop = boxed(ChoppinessIndex::create(2));
    // True ranges 3 and 3 over a window from 9 to 14.
    expect_answers("two bars", feed_bars(*chop, {candle(10, 12, 9, 11), candle(13, 14, 12.5, 13)}),
                   {None, 100.0 * std::log10(6.0 / 5.0) / std::log10(2.0)});
    // Over changing bars, against the window rescanned on every bar.
    const std::vector<Ohlcv> bars = wavy_bars(150);
    auto chop9 = boxed(ChoppinessIndex::create(9));
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const auto got = feed(*chop9, bars[i]);
        ASSERT_EQ(got.has_value(), i + 1 >= 9);
        if (!got) continue;
        double sum = 0, hh = -1e300, ll = 1e300;
        for (std::size_t j = i - 8; j <= i; ++j) {
            const Ohlcv& b = bars[j];
            const double pc = j == 0 ? b.close : bars[j - 1].close;
            sum += j == 0 ? b.high - b.low
                          : std::max({b.high - b.low, std::fabs(b.high - pc), std::fabs(b.low - pc)});
            hh = std::max(hh, b.high);
            ll = std::min(ll, b.low);
        }
        EXPECT_NEAR(*got, 100.0 * std::log10(sum / (hh - ll)) / std::log10(9.0), 1e-10) << "bar " << i + 1;
    }
    auto flat = boxed(ChoppinessIndex::create(3));
    const Ohlcv f = candle(5, 5, 5, 5);
    expect_answers("flat window", feed_bars(*flat, {f, f, f, f}), {None, None, 100.0, 100.0});
}

// A spike of 1e12 in one high leaves the window's true-range sum rounded at its
// scale; once it has left, a window of ranges near 1e-9 must read its own sum again.
TEST(RangeVolatility, ChoppinessIndexAfterASpikeLeaves) {
    std::vector<Ohlcv> bars(4, candle(100, 100.5, 99.5, 100));
    bars.push_back(candle(100, 1e12, 99.5, 100));
    for (int i = 5; i < 12; ++i) bars.push_back(candle(100, 100 + 1e-9 * (i % 3), 100, 100));
    auto chop = boxed(ChoppinessIndex::create(2));
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const auto got = feed(*chop, bars[i]);
        ASSERT_EQ(got.has_value(), i >= 1) << "bar " << i + 1;
        if (!got) continue;
        double sum = 0;
        for (std::size_t j = i - 1; j <= i; ++j) {
            const Ohlcv& b = bars[j];
            const double pc = j == 0 ? b.close : bars[j - 1].close;
            sum += std::max({b.high - b.low, std::fabs(b.high - pc), std::fabs(b.low - pc)});
        }
        const double range = std::max(bars[i - 1].high, bars[i].high) - std::min(bars[i - 1].low, bars[i].low);
        const double want = range == 0.0 ? 100.0 : 100.0 * std::log10(sum / range) / std::log10(2.0);
        EXPECT_NEAR(*got, want, 1e-9 * std::max(1.0, std::fabs(want))) << "bar " << i + 1;
    }
}

// A day of range 1e12 leaves the running sum of the day ranges rounded at its scale;
// once it has left, days without range average to exactly 0.
TEST(RangeVolatility, AverageDailyRangeAfterASpikeDayLeaves) {
    constexpr std::int64_t kDay = 86'400'000;
    auto adr = boxed(AverageDailyRange::create(2, 0));
    const double highs[] = {100.123, 100.456, 1e12, 100.0, 100.0, 100.0, 100.0, 100.0, 100.0};
    for (std::size_t i = 0; i < std::size(highs); ++i) {
        Ohlcv b = candle(100, highs[i], 100, 100);
        b.ts = static_cast<std::int64_t>(i) * kDay;
        const auto got = feed(*adr, b);
        // Bar i completes day i − 1: from bar 6 on the two completed days are flat.
        if (i >= 5) {
            ASSERT_TRUE(got);
            EXPECT_EQ(*got, 0.0) << "bar " << i + 1;
        }
    }
}

// The exponential average seeded with its plain mean, as a model.
struct ModelEma {
    std::size_t p;
    std::vector<double> seed;
    std::optional<double> v;
    std::optional<double> step(double x) {
        if (v) {
            const double a = 2.0 / (p + 1.0);
            v = a * x + (1.0 - a) * *v;
            return v;
        }
        seed.push_back(x);
        if (seed.size() == p) v = std::accumulate(seed.begin(), seed.end(), 0.0) / p;
        return v;
    }
};

TEST(RangeVolatility, MassIndexAndChaikinVolatilityMatchAModel) {
    const std::vector<Ohlcv> bars = wavy_bars(80);
    auto mass = boxed(MassIndex::create(4, 5));
    auto chaikin = boxed(ChaikinVolatility::create(4, 3));
    ModelEma e1{4, {}, {}}, e2{4, {}, {}}, e3{4, {}, {}};
    std::vector<double> ratios, emas;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const double range = bars[i].high - bars[i].low;
        std::optional<double> want_mass, want_chaikin;
        if (const auto a = e1.step(range)) {
            if (const auto b = e2.step(*a)) {
                ratios.push_back(*a / *b);
                if (ratios.size() >= 5) want_mass = std::accumulate(ratios.end() - 5, ratios.end(), 0.0);
            }
        }
        if (const auto a = e3.step(range)) {
            emas.push_back(*a);
            if (emas.size() >= 4) want_chaikin = (*a - emas[emas.size() - 4]) / emas[emas.size() - 4] * 100.0;
        }
        const auto got_mass = feed(*mass, bars[i]);
        const auto got_chaikin = feed(*chaikin, bars[i]);
        ASSERT_EQ(got_mass.has_value(), want_mass.has_value()) << i;
        ASSERT_EQ(got_chaikin.has_value(), want_chaikin.has_value()) << i;
        if (want_mass) {
            EXPECT_NEAR(*got_mass, *want_mass, 1e-12) << i;
        }
        if (want_chaikin) {
            EXPECT_NEAR(*got_chaikin, *want_chaikin, 1e-9) << i;
        }
    }
}

TEST(RangeVolatility, ZeroRangeGuards) {
    const Ohlcv f = candle(5, 5, 5, 5);
    // Second average 0: every ratio is 1.
    auto mass = boxed(MassIndex::create(1, 3));
    expect_answers("mass over zero ranges", feed_bars(*mass, {f, f, f, f}), {None, None, 3.0, 3.0});
    // Oldest average 0: 0.
    auto chaikin = boxed(ChaikinVolatility::create(1, 1));
    expect_answers("chaikin over zero ranges", feed_bars(*chaikin, {f, f, candle(5, 6, 5, 5)}), {None, 0.0, 0.0});
    // A range that overflows answers nothing and changes nothing.
    const Ohlcv huge = candle(0, 1e308, -1e308, 0);
    auto mass2 = boxed(MassIndex::create(1, 1));
    EXPECT_FALSE(feed(*mass2, huge));
    EXPECT_EQ(feed(*mass2, f), 1.0);
    auto chaikin2 = boxed(ChaikinVolatility::create(1, 1));
    EXPECT_FALSE(feed(*chaikin2, huge));
    EXPECT_FALSE(feed(*chaikin2, candle(5, 6, 5, 5)));
    EXPECT_EQ(feed(*chaikin2, candle(5, 7, 5, 5)), 100.0);
}

// A bar whose range overflows, or that touches a zero price, puts an infinity into
// a running sum; once it has left the window the answers are those of a fresh
// object over the bars that followed.
TEST(RangeVolatility, WindowSumsRecoverOnceAnInfinityLeaves) {
    constexpr std::int64_t kDay = 86'400'000;
    const Ohlcv huge = candle(0, 1.7e308, -1.7e308, 0, 0);  // high − low overflows
    std::vector<Ohlcv> bars = wavy_bars(12);
    for (std::size_t i = 0; i < bars.size(); ++i) bars[i].ts = static_cast<std::int64_t>(i + 1) * kDay;
    struct Case {
        const char* label;
        std::function<IndicatorBox()> make;
        std::vector<Ohlcv> spoilers;
        std::size_t settle;  // bars after which the spoiler no longer counts
    };
    const Ohlcv zero_low = candle(1, 2, 0, 1, 0);  // ln(low / ...) is −∞
    const Case cases[] = {
        {"ChoppinessIndex", [] { return boxed(ChoppinessIndex::create(3)); }, {huge}, 4},
        {"AverageDailyRange", [] { return boxed(AverageDailyRange::create(2, 0)); }, {huge}, 4},
        // The first bar only keeps its close: the second brings the term in.
        {"YangZhangVolatility", [] { return boxed(YangZhangVolatility::create(3, 252)); },
         {candle(1, 1, 1, 1, 0), zero_low}, 6},
    };
    for (const Case& c : cases) {
        IndicatorBox spoilt = c.make();
        IndicatorBox fresh = c.make();
        for (const Ohlcv& b : c.spoilers) feed(*spoilt, b);
        for (std::size_t i = 0; i < bars.size(); ++i) {
            const auto got = feed(*spoilt, bars[i]);
            const auto want = feed(*fresh, bars[i]);
            if (i < c.settle || !want) continue;
            ASSERT_TRUE(got) << c.label << " bar " << i + 1;
            EXPECT_NEAR(*got, *want, 1e-9 * std::fabs(*want)) << c.label << " bar " << i + 1;
        }
    }
}

// A third bar whose logarithms are NaN or infinite (a low below zero, a zero low, a
// zero or negative open): two bars later it has left the window of two, and from then on the
// answers are the window's own, as a fresh object primed with its close gives them
// (and, for the low below zero, as the two-pass formula gives them).
TEST(RangeVolatility, YangZhangForgetsABadBarOnceItLeaves) {
    const std::vector<Ohlcv> good = {candle(1, 1, 1, 1),         candle(1, 1.2, 0.9, 1.1),    candle(1.1, 1.1, 0.9, 1.0),
                                     candle(1.0, 1.3, 0.95, 1.2), candle(1.2, 1.25, 1.1, 1.15), candle(1.15, 1.3, 1.1, 1.25),
                                     candle(1.25, 1.4, 1.2, 1.3), candle(1.3, 1.35, 1.2, 1.22)};
    struct Case {
        const char* label;
        Ohlcv third;
        std::vector<double> want;  // bars 5 to 8, when known
    };
    const Case cases[] = {
        {"low below zero", candle(1.1, 1.1, -1.0, 1.0), {14.32882678, 9.3844619, 10.14248647, 9.03336791}},
        {"zero low", candle(1.1, 1.1, 0.0, 1.0), {}},
        {"zero open", candle(0.0, 1.1, 0.0, 1.0), {}},
        {"open below zero", candle(-1.1, 1.1, -1.1, 1.0), {}},
    };
    for (const Case& c : cases) {
        std::vector<Ohlcv> bars = good;
        bars[2] = c.third;
        IndicatorBox streamed = boxed(YangZhangVolatility::create(2, 1));
        IndicatorBox fresh = boxed(YangZhangVolatility::create(2, 1));
        for (std::size_t i = 0; i < bars.size(); ++i) {
            const auto got = feed(*streamed, bars[i]);
            if (i < 2) continue;
            const auto own = feed(*fresh, bars[i]);
            if (i < 4) continue;
            ASSERT_TRUE(got && own) << c.label << " bar " << i + 1;
            EXPECT_NEAR(*got, *own, 1e-12 * *own) << c.label << " bar " << i + 1;
            if (!c.want.empty()) {
                EXPECT_NEAR(*got, c.want[i - 4], 1e-8) << c.label << " bar " << i + 1;
            }
        }
    }
}

TEST(RangeVolatility, InertiaOfAFlatSeriesIsFifty) {
    auto inertia = boxed(Inertia::create(2, 3));
    const Ohlcv f = candle(5, 5, 5, 5);
    expect_answers("flat", feed_bars(*inertia, {f, f, f, f, f, f}), {None, None, None, None, 50.0, 50.0});
}

TEST(RangeVolatility, AverageDailyRangeFollowsLocalDays) {
    constexpr std::int64_t kDay = 86'400'000, kMin = 60'000;
    // Offset +60: 22:30 UTC is still day 1, 23:10 UTC is already day 2.
    auto adr = boxed(AverageDailyRange::create(2, 60));
    const std::vector<Ohlcv> bars = {
        candle(9, 10, 8, 9, kDay + 22 * 60 * kMin + 30 * kMin),     // day 1: range 2
        candle(11, 11, 10.5, 11, kDay + 23 * 60 * kMin + 10 * kMin),  // day 2 starts
        candle(12, 13, 10, 12, kDay + 23 * 60 * kMin + 50 * kMin),    // day 2: range 3
        candle(12, 12, 11, 12, 2 * kDay + 23 * 60 * kMin + 5 * kMin),   // day 3: range 1
        candle(12, 12, 12, 12, 3 * kDay + 23 * 60 * kMin + 5 * kMin),   // day 4
    };
    expect_answers("offset +60", feed_bars(*adr, bars), {None, 2.0, 2.0, 2.5, 2.0});
    // -1 ms at offset 0 is 1969-12-31: the bar at 0 starts a new day.
    auto epoch = boxed(AverageDailyRange::create(3, 0));
    expect_answers("around the epoch",
                   feed_bars(*epoch, {candle(1, 2, 1, 1, -kDay), candle(1, 4, 1, 1, -1), candle(1, 1, 1, 1, 0)}),
                   {None, None, 3.0});
}

}  // namespace
}  // namespace torvex::test
