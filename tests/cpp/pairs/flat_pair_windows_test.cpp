// Pair windows that turn flat between two re-anchorings: the moments must give the
// flat-window answers exactly, not a slope divided by a rounding residue.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "pair_support.hpp"

namespace torvex {
namespace {

using test::feed_pair;
using test::field;
using test::make;

std::optional<double> last_answer(DynIndicator& ind, const std::vector<double>& a, const std::vector<double>& b) {
    std::optional<double> out;
    for (std::size_t i = 0; i < a.size(); ++i) out = feed_pair(ind, a[i], b[i]);
    return out;
}

// Tick-grid prices whose reference turns flat one bar after the window was re-anchored
// on a mean that is not on the grid.
TEST(FlatPairWindows, TickGridReproducers) {
    const std::vector<double> a4{21, 20, 23, 20}, b4{10.3, 10.1, 10.1, 10.1};
    const std::vector<double> a5{21, 20, 23, 20, 22}, b5{10.3, 10.1, 10.1, 10.1, 10.1};
    struct Case {
        const char* name;
        std::vector<double> params;
        std::vector<double> a;
        std::vector<double> b;
        double want;
        double tolerance;
    };
    // Closes that rise by half each bar with a reference of exactly half the close,
    // after pairs that are not proportional: the beta is 2 and the alpha exactly 0.
    std::vector<double> ag, bg;
    for (int i = 0; i < 5; ++i) {
        ag.push_back(100.0 + (i * 7 % 11));
        bg.push_back(40.0 + (i * 5 % 3) * 0.7);
    }
    for (double x = 1000.0; ag.size() < 35; x *= 1.1) {
        ag.push_back(x);
        bg.push_back(0.5 * x);
    }
    const Case cases[] = {
        {"Alpha", {20, 0}, ag, bg, 0.0, 0.0},
        // Reference window {10.1, 10.1, 10.1}: no variance.
        {"Beta", {3}, a4, b4, 0.0, 0.0},
        {"Alpha", {3, 0}, a4, b4, 21.0, 0.0},  // mean of 20, 23, 20, less 0
        {"TreynorRatio", {3, 0}, a4, b4, 0.0, 0.0},
        {"BetaNeutralSpread", {3}, a4, b4, -1.0, 0.0},  // 20 less the mean 21
        {"PearsonCorrelation", {3}, a4, b4, 0.0, 0.0},
        // Changes (3, 0), (-3, 0), (2, 0): the reference's changes are all 0.
        {"RollingCovariance", {3}, a5, b5, 0.0, 0.0},
        {"RollingCorrelation", {3}, a5, b5, 0.0, 0.0},
        // Log returns of the reference 0, 0, 0.
        {"PairwiseBeta", {3}, {22.9, 20.4, 20.8, 22.6, 22.7}, {10.7, 10.3, 10.3, 10.3, 10.3}, 0.0, 0.0},
        // The last two betas are 0, so the spreads are ln 21.3 and ln 21.1: the later
        // one lies one standard deviation below their mean.
        {"PairSpreadZScore", {3, 2}, {22.4, 20.8, 21.3, 21.3, 21.1}, {10.5, 10.9, 10.9, 10.9, 10.9}, -1.0, 1e-9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IndicatorBox ind = make(c.name, c.params);
        ASSERT_TRUE(ind);
        const std::optional<double> got = last_answer(*ind, c.a, c.b);
        ASSERT_TRUE(got);
        EXPECT_NEAR(*got, c.want, c.tolerance);
    }

    // The last six references 10.1: no hedge, so the residuals are the closes less their
    // mean 21: -1, 2, -1, 1, 0, -1. The ADF rows (change; lagged level, lagged change)
    // are (-3; 2, 3), (2; -1, -3), (-1; 1, 2), (-1; 0, -1): X'X = [6 11; 11 23],
    // X'y = (-9, -16), b0 = -31/17, rss = 24/17 over 2 degrees of freedom and
    // (X'X)^-1 first entry 23/17, so t = (-31/17) / sqrt(12/17 * 23/17) = -31 / sqrt(276).
    IndicatorBox coint = make("Cointegration", {6, 1});
    ASSERT_TRUE(coint);
    const std::optional<double> hedge =
        last_answer(*coint, {21, 20, 23, 20, 22, 21, 20}, {10.3, 10.1, 10.1, 10.1, 10.1, 10.1, 10.1});
    EXPECT_EQ(hedge, 0.0);
    EXPECT_EQ(field(*coint, "spread"), -1.0);
    EXPECT_NEAR(field(*coint, "adf_stat"), -31.0 / std::sqrt(276.0), 1e-12);
}

// Window statistics computed afresh each bar read a flat window as exactly flat too.
TEST(FlatPairWindows, FlatWindowsComputedAfresh) {
    // Spreads 8.6, 8.2, then 5.5 three times: the bands close on the middle.
    IndicatorBox bands = make("SpreadBollingerBands", {3, 2});
    ASSERT_TRUE(bands);
    const std::optional<double> middle =
        last_answer(*bands, {20.9, 20.6, 15.6, 15.6, 15.6}, {12.3, 12.4, 10.1, 10.1, 10.1});
    EXPECT_EQ(middle, 15.6 - 10.1);
    EXPECT_EQ(field(*bands, "upper"), 15.6 - 10.1);
    EXPECT_EQ(field(*bands, "lower"), 15.6 - 10.1);
    EXPECT_EQ(field(*bands, "percent_b"), 0.5);
    // Spreads one ulp apart: bands 0.1 deviations out round onto the mean, and the
    // spread sits on them (0/0 before).
    IndicatorBox close_bands = make("SpreadBollingerBands", {3, 0.1});
    ASSERT_TRUE(close_bands);
    EXPECT_EQ(last_answer(*close_bands, {1.0 + 0x1p-52, 1.0, 1.0}, {0.0, 0.0, 0.0}), 1.0);
    EXPECT_EQ(field(*close_bands, "upper"), 1.0);
    EXPECT_EQ(field(*close_bands, "percent_b"), 0.5);

    // The ring of five references holds only 10.7s: every lag correlates with a flat leg.
    IndicatorBox lead_lag = make("LeadLagCrossCorrelation", {3, 1});
    ASSERT_TRUE(lead_lag);
    EXPECT_EQ(last_answer(*lead_lag, {20.1, 20.2, 20.4, 20.7, 21.1, 21.6, 22.2}, {10.3, 10.1, 10.7, 10.7, 10.7, 10.7, 10.7}),
              0.0);
}

// A 1e12 reference, then a tick-grid reference that stays flat: once the huge bar has
// left, every type gives its flat-window answer, whatever the flat level.
TEST(FlatPairWindows, FlatAfterHugeReference) {
    const std::vector<double> close{3, 1, 4, 1, 5, 9, 2, 6, 5, 3};
    struct Case {
        const char* name;
        std::vector<double> params;
        double want;  // from the last closes 6, 5, 3 (and 2 before them)
        double tolerance;
    };
    const Case cases[] = {
        {"Beta", {3}, 0.0, 0.0},
        {"Alpha", {3, 0.5}, (6.0 + 5.0 + 3.0) / 3.0 - 0.5, 0.0},
        {"TreynorRatio", {3, 0.5}, 0.0, 0.0},
        {"BetaNeutralSpread", {3}, -5.0 / 3.0, 0.0},  // 3 less the mean 14/3, rounded once
        {"PearsonCorrelation", {3}, 0.0, 0.0},
        {"RollingCovariance", {3}, 0.0, 0.0},
        {"RollingCorrelation", {3}, 0.0, 0.0},
        {"PairwiseBeta", {3}, 0.0, 0.0},
        {"PairSpreadZScore", {3, 2}, -1.0, 1e-12},  // ln 3 below ln 5
        {"Cointegration", {6, 1}, 0.0, 0.0},        // the hedge
    };
    for (int k = 0; k <= 30; ++k) {
        const double flat = std::round((10.0 + 0.1 * k) * 10.0) / 10.0;
        std::vector<double> ref{10.3, 10.5, 1e12};
        ref.resize(close.size(), flat);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(flat));
            IndicatorBox ind = make(c.name, c.params);
            ASSERT_TRUE(ind);
            const std::optional<double> got = last_answer(*ind, close, ref);
            ASSERT_TRUE(got);
            EXPECT_NEAR(*got, c.want, c.tolerance);
        }
    }
}

// A block of pairs near 1e154, then a fall of ordinary pairs: where the window
// re-anchored among them while the squares still summed below the largest double, the
// ordinary pairs' squares about that mean overflowed as they entered. Once the block
// has left, the slope is the window's own (the close is twice the reference).
TEST(FlatPairWindows, SlopeOnceAPairBlockTooLargeToSquareHasLeft) {
    for (std::size_t block = 20; block <= 40; ++block) {
        SCOPED_TRACE("block of " + std::to_string(block));
        std::vector<double> close(block, -9.4e153);
        for (int i = 0; i < 20; ++i) close.push_back(6.4 * std::pow(0.88, i));
        std::vector<double> ref;
        for (double c : close) ref.push_back(c / 2.0);
        IndicatorBox beta = make("Beta", {20});
        ASSERT_TRUE(beta);
        const std::optional<double> got = last_answer(*beta, close, ref);
        ASSERT_TRUE(got);
        EXPECT_NEAR(*got, 2.0, 1e-12);
    }
}

// A random walk whose reference holds still for stretches: each answer matches a fresh
// indicator fed only the bars its window spans.
TEST(FlatPairWindows, RandomWalkMatchesFreshWindow) {
    std::mt19937 rng(23);
    std::normal_distribution<double> g(0.0, 1.0);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::vector<double> a, b;
    double pa = 100.0;
    double pb = 50.0;
    for (int i = 0; i < 400; ++i) {
        pa += g(rng);
        if (u(rng) < 0.3) pb += 0.5 * g(rng);  // the reference often stays put
        a.push_back(pa);
        b.push_back(pb);
    }
    struct Case {
        const char* name;
        std::vector<double> params;
        bool zero_is_flat;  // an answer of 0.0 comes only from a flat window, and exactly
    };
    const Case cases[] = {
        {"Beta", {3}, true},
        {"Alpha", {4, 0.01}, false},
        {"TreynorRatio", {3, 0.01}, true},
        {"BetaNeutralSpread", {3}, false},
        {"PearsonCorrelation", {5}, true},
        {"RollingCovariance", {3}, true},
        {"RollingCorrelation", {4}, true},
        {"PairwiseBeta", {3}, true},
        {"PairSpreadZScore", {3, 4}, false},
        {"Cointegration", {6, 1}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IndicatorBox running = make(c.name, c.params);
        ASSERT_TRUE(running);
        const std::size_t span = running->warmup();
        for (std::size_t i = 0; i < a.size(); ++i) {
            const std::optional<double> got = feed_pair(*running, a[i], b[i]);
            if (i + 1 < span) continue;
            IndicatorBox fresh = make(c.name, c.params);
            const std::size_t first = i + 1 - span;
            const std::optional<double> want = last_answer(
                *fresh, std::vector<double>(a.begin() + first, a.begin() + i + 1),
                std::vector<double>(b.begin() + first, b.begin() + i + 1));
            ASSERT_TRUE(got && want) << "bar " << i;
            const double scale = std::max(1.0, std::fabs(*want));
            EXPECT_NEAR(*got, *want, 1e-9 * scale) << "bar " << i;
            if (c.zero_is_flat && *want == 0.0) {
                EXPECT_EQ(*got, 0.0) << "bar " << i;
            }
        }
    }
}

// Two correlated walks on whole numbers: many windows have a covariance of exactly 0
// (n·Σab = Σa·Σb in integers) while neither leg is flat. There the ratios over it
// answer what the window alone answers, 0 (TreynorRatio read 5.6e17, PairSpreadZScore
// ±1 or ±2 on spreads flat but for the rounding of their fits).
TEST(FlatPairWindows, ExactlyZeroCovarianceOnIntegerWalks) {
    std::vector<double> a{100.0}, b{50.0};
    for (std::uint64_t i = 1, s = 12345; i < 600; ++i) {
        s = s * 6364136223846793005ull + 1442695040888963407ull;
        b.push_back(b.back() + static_cast<double>((s >> 33) % 3) - 1.0);
        a.push_back(a.back() + (b[i] - b[i - 1]) + static_cast<double>((s >> 40) % 3) - 1.0);
    }
    const struct {
        const char* name;
        std::vector<double> params;
        std::size_t pairs;  // of the covariance judged exactly (of the changes when `changes`); 0: none
        bool changes;
    } cases[] = {{"TreynorRatio", {5, 0.001}, 5, false}, {"TreynorRatio", {2, 0}, 2, false}, {"Beta", {5}, 5, false},
                 {"PearsonCorrelation", {4}, 4, false},   {"RollingCovariance", {3}, 3, true},
                 {"RollingCorrelation", {5}, 5, true},    {"PairSpreadZScore", {2, 2}, 0, false},
                 {"SpearmanCorrelation", {5}, 0, false},  {"LeadLagCrossCorrelation", {4, 1}, 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        IndicatorBox ind = make(c.name, c.params);
        const std::size_t k = ind->warmup();
        int zeros = 0;
        for (std::size_t i = 0; i < a.size(); ++i) {
            const std::optional<double> got = feed_pair(*ind, a[i], b[i]);
            if (i + 1 < k) continue;
            IndicatorBox fresh = make(c.name, c.params);
            const std::optional<double> want =
                last_answer(*fresh, {a.begin() + (i + 1 - k), a.begin() + (i + 1)}, {b.begin() + (i + 1 - k), b.begin() + (i + 1)});
            ASSERT_TRUE(got && want) << "bar " << i + 1;
            EXPECT_NEAR(*got, *want, 1e-9 * std::max(1.0, std::fabs(*want))) << "bar " << i + 1;
            double sa = 0.0, sb = 0.0, sab = 0.0;
            for (std::size_t j = i + 1 - c.pairs; c.pairs != 0 && j <= i; ++j) {
                const double x = c.changes ? a[j] - a[j - 1] : a[j];
                const double y = c.changes ? b[j] - b[j - 1] : b[j];
                sa += x, sb += y, sab += x * y;
            }
            if (*want != 0.0 && (c.pairs == 0 || static_cast<double>(c.pairs) * sab != sa * sb)) continue;
            ++zeros;
            EXPECT_EQ(*got, 0.0) << "bar " << i + 1;
        }
        EXPECT_GT(zeros, 5);
    }
}

}  // namespace
}  // namespace torvex
