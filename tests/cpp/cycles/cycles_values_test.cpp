// Ehlers filters and DSP filters over the close: values worked out by hand from the
// recursions, small independent models, and the edge cases of each filter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "test_support.hpp"
#include "indicators/averages/adaptive_laguerre_filter.hpp"
#include "indicators/averages/decycler.hpp"
#include "indicators/averages/instantaneous_trendline.hpp"
#include "indicators/averages/super_smoother.hpp"
#include "indicators/cycles/bandpass_filter.hpp"
#include "indicators/cycles/center_of_gravity.hpp"
#include "indicators/cycles/correlation_trend_indicator.hpp"
#include "indicators/cycles/cybernetic_cycle.hpp"
#include "indicators/cycles/decycler_oscillator.hpp"
#include "indicators/cycles/ehlers_stochastic.hpp"
#include "indicators/cycles/empirical_mode_decomposition.hpp"
#include "indicators/cycles/even_better_sinewave.hpp"
#include "indicators/cycles/fisher_transform.hpp"
#include "indicators/cycles/highpass_filter.hpp"
#include "indicators/cycles/inverse_fisher_transform.hpp"
#include "indicators/cycles/laguerre_rsi.hpp"
#include "indicators/cycles/reflex.hpp"
#include "indicators/cycles/roofing_filter.hpp"
#include "indicators/cycles/trendflex.hpp"
#include "indicators/cycles/universal_oscillator.hpp"
#include "indicators/cycles/wave_pm.hpp"

namespace torvex {
namespace {

using test::box;
using test::Expected;
using test::kNone;

// Super smoother coefficients of length L, from the definition.
struct Ss {
    double c1, c2, c3;
    explicit Ss(double len) {
        const double a = std::exp(-std::numbers::sqrt2 * std::numbers::pi / len);
        c2 = 2.0 * a * std::cos(std::numbers::sqrt2 * std::numbers::pi / len);
        c3 = -a * a;
        c1 = 1.0 - c2 - c3;
    }
};

// Two-pole high-pass gain on the second difference: (1 − α/2)² with α from 0.707·2π/n.
double hp_gain(double n) {
    const double t = 0.707 * 2.0 * std::numbers::pi / n;
    const double a = (std::cos(t) + std::sin(t) - 1.0) / std::cos(t);
    return (1.0 - a / 2.0) * (1.0 - a / 2.0);
}

TEST(CycleValues, HandWorkedSeries) {
    const Ss s10(10.0);
    const double k48 = hp_gain(48.0);
    const double k10 = hp_gain(10.0);
    const double a = 0.8272719459724758, b = 0.9510565162951535;  // band-pass (20, 0.3)
    const double g = 0.5 * (1.0 - a);
    // Cybernetic n = 3: alpha 0.5, gains 0.5625, 1, 0.25; smoothing starts on bar 4.
    const double cyc3 = 0.5625 * ((21.0 / 6.0 - 8.0) + 2.0) + 1.0625 - 0.25 * 0.5;
    // Laguerre n = 2 (worked in the comments of the case).
    const double lag3 = (4.5 + 2.5 + 0.75 + 1.3125) / 6.0;
    // Fisher n = 2: positions 1 then −1, v = 0.33 then −0.33 + 0.67·0.33.
    const double v2 = -0.33 + 0.67 * 0.33;
    const double fish1 = 0.5 * std::log(1.33 / 0.67);
    const double p1 = 100.0 * (1.0 - std::exp(-0.5));
    const struct {
        const char* label;
        test::Maker make;
        std::vector<double> closes;
        std::vector<std::optional<double>> want;
    } cases[] = {
        // Pass-through twice, then c1·midpoint + c2·out1 + c3·out2.
        {"SuperSmoother 10", box<SuperSmoother>(10), {1, 2, 3, 5},
         {1.0, 2.0, s10.c1 * 2.5 + s10.c2 * 2.0 + s10.c3,
          s10.c1 * 4.0 + s10.c2 * (s10.c1 * 2.5 + s10.c2 * 2.0 + s10.c3) + s10.c3 * 2.0}},
        {"HighpassFilter 48", box<HighpassFilter>(48), {1, 4, 2}, {0.0, 0.0, -5.0 * k48}},
        {"Decycler 10", box<Decycler>(10), {1, 4, 2}, {1.0, 4.0, 2.0 + 5.0 * k10}},
        // Both decyclers pass the first two closes.
        {"DecyclerOscillator", box<DecyclerOscillator>(10, 48), {1, 4, 2}, {0.0, 0.0, 5.0 * k10 - 5.0 * k48}},
        {"Bandpass 20 0.3", box<BandpassFilter>(20, 0.3), {1, 2, 4, 3},
         {0.0, 0.0, g * 3.0, g * 1.0 + b * (1.0 + a) * (g * 3.0)}},
        // b = n/4: alpha = −1, so bp = (x − x₂) + bp₂ = x − the first close of its parity.
        {"Bandpass 1 0.25", box<BandpassFilter>(1, 0.25), {1, 2, 4, 8, 16}, {0.0, 0.0, 3.0, 6.0, 15.0}},
        {"Bandpass 3 0.75", box<BandpassFilter>(3, 0.75), {1, 2, 4, 8, 16}, {0.0, 0.0, 3.0, 6.0, 15.0}},
        // cos(4π·0.5) = 1: alpha = 1 and the input has no gain.
        {"Bandpass 1 0.5", box<BandpassFilter>(1, 0.5), {1, 2, 4, 8}, {0.0, 0.0, 0.0, 0.0}},
        // Newest weighs 1: num 3 + 4 + 3 = 10 over den 6, around (3 + 1)/2; a window
        // summing to 0 answers 0.
        {"CenterOfGravity 3", box<CenterOfGravity>(3), {1, 2, 3, 1, -1, 0},
         {kNone, kNone, 2.0 - 10.0 / 6.0, 2.0 - 13.0 / 6.0, 2.0 - 10.0 / 3.0, 0.0}},
        // d = −1, 1, 0 against positions 0, 1, 2: (3·1 − 3·0)/√((15 − 9)·(6 − 0)).
        {"CTI 3", box<CorrelationTrendIndicator>(3), {1, 3, 2}, {kNone, kNone, 0.5}},
        {"CTI rising", box<CorrelationTrendIndicator>(4), {1, 2, 3, 4, 5}, {kNone, kNone, kNone, 1.0, 1.0}},
        {"CTI falling", box<CorrelationTrendIndicator>(4), {5, 3, 1, -1}, {kNone, kNone, kNone, -1.0}},
        {"CTI flat", box<CorrelationTrendIndicator>(3), {2, 2, 2, 2}, {kNone, kNone, 0.0, 0.0}},
        // Bar 1: ((x − 2x) + x)/4; bar 2: ((2 − 2) + 2)/4; bar 3 on s = x: 0.5625·1 + 0.5.
        {"CyberneticCycle 3", box<CyberneticCycle>(3), {1, 2, 4, 8}, {0.0, 0.5, 1.0625, cyc3}},
        // Missing closes are the current one until bar 3.
        {"InstantaneousTrendline", box<InstantaneousTrendline>(9), {4, 8, 2},
         {4.0, (8.0 + 8.0 + 8.0) / 4.0, (2.0 + 16.0 + 4.0) / 4.0}},
        // alpha 1 at first (L = 3, 1, 1, 1); then tracking errors 2 and 2/3 give the
        // factors 1 and 0, median 0.5: L = 2.5, 2.25, 0.375, 1.3125.
        {"AdaptiveLaguerre 2", box<AdaptiveLaguerreFilter>(2), {1, 3, 2}, {kNone, 8.0 / 6.0, lag3}},
        {"InverseFisher 1", box<InverseFisherTransform>(1.0), {0, 0.5, -2}, {0.0, std::tanh(0.5), std::tanh(-2.0)}},
        {"InverseFisher 0.01", box<InverseFisherTransform>(0.01), {100}, {std::tanh(1.0)}},
        // gamma 0: the stages are the last four closes; (2, 3, 1, 1) has 1 down, 2 up,
        // as has (2, 2, 3, 1).
        {"LaguerreRsi 0", box<LaguerreRsi>(0.0), {1, 3, 2, 2, 2, 2}, {50.0, 100.0, 200.0 / 3.0, 200.0 / 3.0, 0.0, 50.0}},
        {"LaguerreRsi 0.5 flat", box<LaguerreRsi>(0.5), {7, 7, 7}, {50.0, 50.0, 50.0}},
        {"Fisher 2", box<FisherTransform>(2), {1, 3, 2}, {kNone, fish1, 0.5 * std::log((1.0 + v2) / (1.0 - v2)) + 0.5 * fish1}},
        {"Fisher flat", box<FisherTransform>(3), {5, 5, 5, 5}, {kNone, kNone, 0.0, 0.0}},
        // The first value is s/√(0.04·s²) = ±5 whatever the window statistic s is.
        {"Trendflex rising", box<Trendflex>(2), {1, 2, 3}, {kNone, kNone, 5.0}},
        {"Trendflex falling", box<Trendflex>(1), {3, 2}, {kNone, -5.0}},
        // L = 1: f3 = 2.5·c1 + 2·c2 + c3 ≈ 2.503 lies above the chord from 1, so s < 0.
        {"Reflex 2", box<Reflex>(2), {1, 2, 3}, {kNone, kNone, -5.0}},
        // Smoothed half difference 1 against its own peak.
        {"Universal rising", box<UniversalOscillator>(10), {1, 2, 3, 4, 5}, {kNone, kNone, 1.0, 1.0, 1.0}},
        {"Universal falling", box<UniversalOscillator>(10), {5, 4, 3}, {kNone, kNone, -1.0}},
        // n = m = 1: the variance average is the last squared change, so p = 1 − e^−½.
        {"WavePm 1 1", box<WavePm>(1, 1), {1, 3, 4, 4}, {kNone, p1, p1, 0.0}},
    };
    for (const auto& c : cases) test::expect_series(c.label, c.make, c.closes, c.want);
}

// Flat input: the high-pass stages give 0, the smoothers give the level back.
TEST(CycleValues, ConstantCloseGivesTheFlatAnswer) {
    const std::vector<double> flat(120, 42.5);
    const struct {
        const char* label;
        test::Maker make;
        double want;
    } cases[] = {
        {"SuperSmoother", box<SuperSmoother>(10), 42.5},
        {"InstantaneousTrendline", box<InstantaneousTrendline>(20), 42.5},
        {"Decycler", box<Decycler>(20), 42.5},
        {"AdaptiveLaguerre", box<AdaptiveLaguerreFilter>(5), 42.5},
        {"HighpassFilter", box<HighpassFilter>(20), 0.0},
        {"DecyclerOscillator", box<DecyclerOscillator>(10, 30), 0.0},
        {"RoofingFilter", box<RoofingFilter>(10, 48), 0.0},
        {"Bandpass", box<BandpassFilter>(20, 0.3), 0.0},
        {"CyberneticCycle", box<CyberneticCycle>(10), 0.0},
        {"EhlersStochastic", box<EhlersStochastic>(10), 0.0},
        {"EMD", box<EmpiricalModeDecomposition>(10, 0.5), 0.0},
        {"EvenBetterSinewave", box<EvenBetterSinewave>(40, 10), 0.0},
        {"FisherTransform", box<FisherTransform>(10), 0.0},
        {"LaguerreRsi", box<LaguerreRsi>(0.5), 50.0},
        {"Reflex", box<Reflex>(10), 0.0},
        {"Trendflex", box<Trendflex>(10), 0.0},
        {"UniversalOscillator", box<UniversalOscillator>(20), 0.0},
        {"WavePm", box<WavePm>(5, 3), 0.0},
        {"CorrelationTrendIndicator", box<CorrelationTrendIndicator>(10), 0.0},
    };
    for (const auto& c : cases) {
        auto ind = c.make();
        ASSERT_TRUE(ind) << c.label;
        const std::uint64_t warmup = (*ind)->warmup();
        for (std::size_t i = 0; i < flat.size(); ++i) {
            const auto got = test::feed_close(**ind, flat[i]);
            ASSERT_EQ(got.has_value(), i + 1 >= warmup) << c.label << " bar " << i + 1;
            if (got) {
                EXPECT_NEAR(*got, c.want, 1e-9) << c.label << " bar " << i + 1;
            }
        }
    }
}

// A constant close, also after a varied start: the super smoother gives the constant
// back exactly, so the window statistics are exactly 0 and so are the answers, with
// no rounding wander divided by its own root mean square.
TEST(CycleValues, ShortReflexAndTrendflexOverAConstantAnswerZero) {
    std::vector<double> varied_then_flat = {1.0, 7.0, 3.0, 9.0, 2.0};
    varied_then_flat.resize(205, 5.0);
    const struct {
        const char* label;
        test::Maker make;
        std::vector<double> closes;
        std::size_t from;  // bars from which the answer is exactly 0.0
    } cases[] = {
        {"Reflex(3) six closes of 5", box<Reflex>(3), std::vector<double>(6, 5.0), 4},
        {"Trendflex(2) five closes of 5", box<Trendflex>(2), std::vector<double>(5, 5.0), 3},
        {"Reflex(3) after a varied start", box<Reflex>(3), varied_then_flat, 200},
        {"Trendflex(2) after a varied start", box<Trendflex>(2), varied_then_flat, 200},
        {"SuperSmoother(3) after a varied start", box<SuperSmoother>(3), varied_then_flat, 200},
    };
    for (const auto& c : cases) {
        auto ind = c.make();
        ASSERT_TRUE(ind) << c.label;
        const double want = std::string(c.label).starts_with("SuperSmoother") ? 5.0 : 0.0;
        for (std::size_t i = 0; i < c.closes.size(); ++i) {
            const auto got = test::feed_close(**ind, c.closes[i]);
            if (i + 1 < c.from) continue;
            ASSERT_TRUE(got) << c.label << " bar " << i + 1;
            EXPECT_EQ(*got, want) << c.label << " bar " << i + 1;
        }
    }
}

// The smallest accepted periods of the high-pass and band-pass filters decay: over a
// long random walk their answers stay finite and within the walk's own range. The
// refused period 1 of the two-pole high-pass multiplies its history by about −7.3 a
// bar and leaves the doubles within a few hundred bars.
TEST(CycleValues, SmallestStablePeriodsStayFiniteOverALongWalk) {
    std::vector<double> walk;
    std::uint64_t state = 88172645463325252ULL;
    double price = 100.0;
    for (int i = 0; i < 100'000; ++i) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        price += static_cast<double>(state >> 11) / 9007199254740992.0 - 0.5;
        walk.push_back(price);
    }
    const double span = *std::max_element(walk.begin(), walk.end()) - *std::min_element(walk.begin(), walk.end());
    const struct {
        const char* label;
        test::Maker make;
    } cases[] = {
        {"HighpassFilter(2)", box<HighpassFilter>(2)},
        {"Decycler(2)", box<Decycler>(2)},
        {"DecyclerOscillator(2, 3)", box<DecyclerOscillator>(2, 3)},
        {"BandpassFilter(3, 0.1)", box<BandpassFilter>(3, 0.1)},
        {"BandpassFilter(3, 0.374)", box<BandpassFilter>(3, 0.374)},
        // Poles on the unit circle that the input's (1 − L²) cancels.
        {"BandpassFilter(1, 0.1)", box<BandpassFilter>(1, 0.1)},
        {"BandpassFilter(2, 0.1)", box<BandpassFilter>(2, 0.1)},
        {"BandpassFilter(3, 0.75)", box<BandpassFilter>(3, 0.75)},
        {"EmpiricalModeDecomposition(1, 0.5)", box<EmpiricalModeDecomposition>(1, 0.5)},
        {"EmpiricalModeDecomposition(2, 0.5)", box<EmpiricalModeDecomposition>(2, 0.5)},
    };
    for (const auto& c : cases) {
        auto ind = c.make();
        ASSERT_TRUE(ind) << c.label;
        double largest = 0.0;
        for (std::size_t i = 0; i < walk.size(); ++i) {
            const double x = walk[i];
            const auto got = test::feed_close(**ind, x);
            if (i < 49 && !got) continue;  // the decomposition's warm-up
            ASSERT_TRUE(got && std::isfinite(*got)) << c.label;
            // The decycler answers a price, the others deviations from one.
            const double centre = std::string(c.label).starts_with("Decycler(") ? x : 0.0;
            largest = std::max(largest, std::fabs(*got - centre));
        }
        EXPECT_LT(largest, 10.0 * span) << c.label;
    }
    TwoPoleHighpassCore unstable(1);
    EXPECT_FALSE(TwoPoleHighpassCore::stable(1));
    EXPECT_TRUE(TwoPoleHighpassCore::stable(2));
    bool left = false;
    for (std::size_t i = 0; i < 2000 && !left; ++i) left = !std::isfinite(unstable.step(walk[i]));
    EXPECT_TRUE(left);
}

// Oscillators bounded by construction stay within their bounds on a rough series.
TEST(CycleValues, BoundedOscillatorsStayInRange) {
    std::vector<double> closes;
    double x = 50.0;
    for (int i = 0; i < 600; ++i) {
        x += 4.0 * std::sin(i * 0.9) + 3.0 * std::cos(i * 2.3) + ((i % 7) - 3) * 0.8;
        closes.push_back(x);
    }
    const struct {
        const char* label;
        test::Maker make;
        double lo, hi;
    } cases[] = {
        {"EvenBetterSinewave", box<EvenBetterSinewave>(10, 5), -1.0, 1.0},
        {"EhlersStochastic", box<EhlersStochastic>(8), -1.0, 1.0},
        {"UniversalOscillator", box<UniversalOscillator>(8), -1.0, 1.0},
        {"CTI", box<CorrelationTrendIndicator>(9), -1.0, 1.0},
        {"LaguerreRsi", box<LaguerreRsi>(0.3), 0.0, 100.0},
        {"WavePm", box<WavePm>(4, 3), 0.0, 100.0},
        {"InverseFisher", box<InverseFisherTransform>(0.05), -1.0, 1.0},
    };
    for (const auto& c : cases) {
        auto ind = c.make();
        ASSERT_TRUE(ind) << c.label;
        int seen = 0;
        for (const auto& v : test::feed_closes(**ind, closes)) {
            if (!v) continue;
            ++seen;
            EXPECT_GE(*v, c.lo) << c.label;
            EXPECT_LE(*v, c.hi) << c.label;
        }
        EXPECT_GT(seen, 500) << c.label;
    }
}

// A straight line lies on its own chord: once the smoother has settled on it, the
// reflex reads 0 (up to rounding), while the trendflex of a rise stays positive.
TEST(CycleValues, ReflexOfALineSettlesToZeroAndTrendflexStaysPositive) {
    auto reflex = Reflex::create(10);
    auto trend = Trendflex::create(10);
    for (int i = 0; i < 300; ++i) {
        const double x = 100.0 + 0.5 * i;
        const auto r = test::feed_close(*reflex, x);
        const auto t = test::feed_close(*trend, x);
        if (i >= 10) {
            ASSERT_TRUE(r && t);
            EXPECT_GT(*t, 0.0);
        }
        if (i >= 200) {
            EXPECT_NEAR(*r, 0.0, 1e-6) << "bar " << i + 1;
        }
    }
}

// Reflex's window sum is 0 in exact arithmetic at n = 1 for every window, and nearly
// so on a settled line; divided by a running mean square of that same rounding it read
// ±5. There it answers 0; at longer periods a varied series keeps every answer.
TEST(CycleValues, ReflexSumWithinItsOwnRoundingIsZero) {
    std::vector<double> returns, walk, line;
    for (int i = 0; i < 400; ++i) {
        const double r[] = {0.01, -0.02, 0.03, -0.01, 0.02, -0.03, 0.01, 0.02};
        if (i < 40) returns.push_back(r[i % 8]);
        walk.push_back(100.0 + 5.0 * std::sin(0.37 * i) + 3.0 * std::cos(1.9 * i));
        line.push_back(100.0 + 0.5 * i);
    }
    const struct {
        std::uint64_t n;
        const std::vector<double>& closes;
        std::size_t from;  // bars from which every answer is 0.0, or 0: no answer is
    } cases[] = {{1, returns, 2}, {1, walk, 2}, {10, line, 200}, {2, walk, 0}, {3, walk, 0}, {10, walk, 0}};
    for (const auto& c : cases) {
        auto r = Reflex::create(c.n);
        ASSERT_TRUE(r);
        for (std::size_t i = 0; i < c.closes.size(); ++i) {
            const auto got = test::feed_close(*r, c.closes[i]);
            if (i < c.n) continue;  // the first answer is on bar n + 1
            ASSERT_TRUE(got) << c.n << " bar " << i + 1;
            if (c.from == 0) {
                EXPECT_NE(*got, 0.0) << c.n << " bar " << i + 1;
            } else if (i + 1 >= c.from) {
                EXPECT_EQ(*got, 0.0) << c.n << " bar " << i + 1;
            }
        }
    }
}

// The universal oscillator repeats its last answer when the half difference
// overflows, and keeps filtering afterwards.
TEST(CycleValues, UniversalOscillatorRepeatsOnOverflowingDifference) {
    auto uo = UniversalOscillator::create(10);
    const auto out = test::feed_closes(*uo, {0.0, 1.7e308, 0.0, -1.7e308, 0.0});
    EXPECT_EQ(out[2], std::optional<double>(0.0));
    EXPECT_EQ(out[3], std::optional<double>(0.0));
    ASSERT_TRUE(out[4]);
    EXPECT_TRUE(std::isfinite(*out[4]));
}

// Independent model of the empirical mode decomposition: the band-pass recursion and
// a mean taken directly over the last 2n values.
std::vector<std::optional<double>> emd_model(const std::vector<double>& x, std::size_t n) {
    const double nf = static_cast<double>(n);
    const double beta = std::cos(2.0 * std::numbers::pi / nf);
    const double gamma = 1.0 / std::cos(0.4 * std::numbers::pi / nf);
    const double alpha = gamma - std::sqrt(gamma * gamma - 1.0);
    std::vector<double> bp(x.size(), 0.0);
    std::vector<std::optional<double>> out(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (i >= 2) bp[i] = 0.5 * (1.0 - alpha) * (x[i] - x[i - 2]) + beta * (1.0 + alpha) * bp[i - 1] - alpha * bp[i - 2];
        if (i + 1 >= std::max<std::size_t>(2 * n, 50)) {
            double s = 0.0;
            for (std::size_t k = i + 1 - 2 * n; k <= i; ++k) s += bp[k];
            out[i] = s / (2.0 * nf);
        }
    }
    return out;
}

// The band-pass mean matches the direct model, and once a huge spike has rung out of
// the filter the mean is exact again: the running sum is re-added from its window
// instead of carrying the spike's rounding for good.
TEST(CycleValues, EmpiricalModeDecompositionMatchesModelAfterASpike) {
    std::vector<double> closes;
    for (int i = 0; i < 4000; ++i) closes.push_back(100.0 + 5.0 * std::sin(i * 0.31) + 0.01 * i);
    closes[100] = 1e15;
    const auto want = emd_model(closes, 10);
    auto emd = EmpiricalModeDecomposition::create(10, 0.5);
    for (std::size_t i = 0; i < closes.size(); ++i) {
        const auto got = test::feed_close(*emd, closes[i]);
        ASSERT_EQ(got.has_value(), want[i].has_value()) << "bar " << i + 1;
        if (got && (i < 100 || i > 3000)) {
            EXPECT_NEAR(*got, *want[i], 1e-9) << "bar " << i + 1;
        }
    }
}

// Independent model of the stochastic: one-pole high-pass (period 48), super smoother
// (10), position in the n-bar range, averaged with the previous position.
TEST(CycleValues, EhlersStochasticMatchesModel) {
    std::vector<double> closes;
    for (int i = 0; i < 200; ++i) closes.push_back(100.0 + 3.0 * std::sin(i * 0.4) + 2.0 * std::cos(i * 1.3));
    const std::size_t n = 8;
    const double a1 = 0.1230235370072432;
    const Ss ss(10.0);
    std::vector<double> hp(closes.size(), 0.0), f(closes.size(), 0.0);
    std::vector<std::optional<double>> want(closes.size());
    std::optional<double> prev;
    for (std::size_t i = 0; i < closes.size(); ++i) {
        if (i > 0) hp[i] = (1.0 - a1 / 2.0) * (closes[i] - closes[i - 1]) + (1.0 - a1) * hp[i - 1];
        f[i] = i < 2 ? hp[i] : ss.c1 * (hp[i] + hp[i - 1]) / 2.0 + ss.c2 * f[i - 1] + ss.c3 * f[i - 2];
        if (i + 1 < n) continue;
        const auto [lo, hi] = std::minmax_element(f.begin() + static_cast<long>(i + 1 - n), f.begin() + static_cast<long>(i + 1));
        const double s = *hi > *lo ? 2.0 * (f[i] - *lo) / (*hi - *lo) - 1.0 : 0.0;
        want[i] = prev ? (*prev + s) / 2.0 : s;
        prev = s;
    }
    auto st = EhlersStochastic::create(n);
    test::expect_series(*st, closes, want, 1e-9);
}

// Small models of the remaining recursions over a rough series, bar by bar.
TEST(CycleValues, RecursionsMatchModels) {
    std::vector<double> x;
    for (int i = 0; i < 60; ++i) x.push_back(20.0 + 3.0 * std::sin(i * 0.7) + 0.1 * i + ((i * 7) % 5) * 0.3);
    const std::size_t bars = x.size();

    // Instantaneous trendline, n = 9: a short FIR until bar 7, then the recursion.
    {
        const double a = 2.0 / 10.0;
        std::vector<double> it(bars);
        Expected want;
        for (std::size_t i = 0; i < bars; ++i) {
            const double c1 = i >= 1 ? x[i - 1] : x[i];
            const double c2 = i >= 2 ? x[i - 2] : x[i];
            it[i] = i < 6 ? (x[i] + 2.0 * c1 + c2) / 4.0
                          : (a - a * a / 4.0) * x[i] + 0.5 * a * a * c1 - (a - 0.75 * a * a) * c2 +
                                2.0 * (1.0 - a) * it[i - 1] - (1.0 - a) * (1.0 - a) * it[i - 2];
            want.push_back(it[i]);
        }
        auto ind = InstantaneousTrendline::create(9);
        SCOPED_TRACE("InstantaneousTrendline");
        test::expect_series(*ind, x, want, 1e-9);
    }
    // Roofing (10, 48) and the even better sinewave (40, 10): one-pole high-passes
    // into the super smoother of length 10.
    const Ss s10(10.0);
    const auto smooth = [&](const std::vector<double>& u) {
        std::vector<double> f(u.size());
        for (std::size_t i = 0; i < u.size(); ++i) {
            f[i] = i < 2 ? u[i] : s10.c1 * (u[i] + u[i - 1]) / 2.0 + s10.c2 * f[i - 1] + s10.c3 * f[i - 2];
        }
        return f;
    };
    {
        const double t = 2.0 * std::numbers::pi / 48.0;
        const double a = (std::cos(t) + std::sin(t) - 1.0) / std::cos(t);
        std::vector<double> hp(bars, 0.0);
        for (std::size_t i = 1; i < bars; ++i) hp[i] = (1.0 - a / 2.0) * (x[i] - x[i - 1]) + (1.0 - a) * hp[i - 1];
        const auto f = smooth(hp);
        auto ind = RoofingFilter::create(10, 48);
        SCOPED_TRACE("RoofingFilter");
        test::expect_series(*ind, x, Expected(f.begin(), f.end()), 1e-9);
    }
    {
        const double t = 2.0 * std::numbers::pi / 40.0;
        const double a = (1.0 - std::sin(t)) / std::cos(t);
        std::vector<double> hp(bars, 0.0);
        for (std::size_t i = 1; i < bars; ++i) hp[i] = a * hp[i - 1] + (x[i] - x[i - 1]) * (1.0 + a) / 2.0;
        const auto f = smooth(hp);
        Expected want(bars);
        for (std::size_t i = 2; i < bars; ++i) {
            const double wave = (f[i] + f[i - 1] + f[i - 2]) / 3.0;
            const double power = (f[i] * f[i] + f[i - 1] * f[i - 1] + f[i - 2] * f[i - 2]) / 3.0;
            want[i] = power > 0.0 ? std::clamp(wave / std::sqrt(power), -1.0, 1.0) : 0.0;
        }
        auto ind = EvenBetterSinewave::create(40, 10);
        SCOPED_TRACE("EvenBetterSinewave");
        test::expect_series(*ind, x, want, 1e-9);
    }
    // WavePm (3, 2): squared 3-bar changes into a seeded EMA(3), the probability into
    // a seeded EMA(2).
    {
        Expected want(bars);
        std::vector<double> sq, p;
        double v = 0.0, w = 0.0;
        for (std::size_t i = 3; i < bars; ++i) {
            sq.push_back((x[i] - x[i - 3]) * (x[i] - x[i - 3]));
            if (sq.size() < 3) continue;
            v = sq.size() == 3 ? (sq[0] + sq[1] + sq[2]) / 3.0 : 0.5 * sq.back() + 0.5 * v;
            p.push_back(v > 0.0 ? 1.0 - std::exp(-sq.back() / (2.0 * v)) : 0.0);
            if (p.size() < 2) continue;
            w = p.size() == 2 ? (p[0] + p[1]) / 2.0 : (2.0 / 3.0) * p.back() + (1.0 / 3.0) * w;
            want[i] = 100.0 * w;
        }
        auto ind = WavePm::create(3, 2);
        SCOPED_TRACE("WavePm");
        test::expect_series(*ind, x, want, 1e-9);
    }
}

}  // namespace
}  // namespace torvex
