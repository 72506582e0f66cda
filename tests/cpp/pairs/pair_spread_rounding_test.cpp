// PairSpreadZScore calls a window of spreads flat only within the rounding those
// spreads carry: spread moves on a tick grid keep the sign that exact logarithms
// give them, worked out here in long double.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <random>
#include <vector>

#include "pairs/pair_support.hpp"

namespace torvex {
namespace {

std::vector<std::optional<double>> scores(double beta_period, double z_period, const test::PairSeries& s) {
    IndicatorBox ind = test::make("PairSpreadZScore", {beta_period, z_period});
    std::vector<std::optional<double>> out;
    for (std::size_t i = 0; i < s.a.size(); ++i) out.push_back(test::feed_pair(*ind, s.a[i], s.b[i]));
    return out;
}

// Two 0.01-tick walks from 113.19 and 54.09 (each bar a tick up, down or none),
// every price times `scale`.
test::PairSeries tick_walks(unsigned seed, std::size_t n, double scale) {
    std::mt19937_64 rng(seed);
    std::uniform_int_distribution<int> step(-1, 1);
    long ka = 11319;
    long kb = 5409;
    test::PairSeries s;
    for (std::size_t i = 0; i < n; ++i) {
        ka += step(rng);
        kb += step(rng);
        s.a.push_back(static_cast<double>(ka) / 100.0 * scale);
        s.b.push_back(static_cast<double>(kb) / 100.0 * scale);
    }
    return s;
}

struct ExactSpread {
    long double value;
    // What one ulp of each log moves the spread by, directly and through the slope:
    // 2^-52·(L + |ln b|·L·(1 + |beta| + sd_a/sd_b)/sd_b), L the larger log.
    double rounding;
};

// The spread of bar i from the exact logs of the window's prices.
ExactSpread exact_spread(const test::PairSeries& s, std::size_t i, std::size_t n) {
    long double mx = 0.0L;
    long double my = 0.0L;
    for (std::size_t j = i + 1 - n; j <= i; ++j) {
        mx += std::log(static_cast<long double>(s.b[j]));
        my += std::log(static_cast<long double>(s.a[j]));
    }
    mx /= n;
    my /= n;
    long double sxx = 0.0L;
    long double syy = 0.0L;
    long double sxy = 0.0L;
    for (std::size_t j = i + 1 - n; j <= i; ++j) {
        const long double dx = std::log(static_cast<long double>(s.b[j])) - mx;
        const long double dy = std::log(static_cast<long double>(s.a[j])) - my;
        sxx += dx * dx;
        syy += dy * dy;
        sxy += dx * dy;
    }
    const long double beta = sxx == 0.0L ? 0.0L : sxy / sxx;
    const long double x = std::log(static_cast<long double>(s.b[i]));
    const long double y = std::log(static_cast<long double>(s.a[i]));
    const double level = static_cast<double>(std::max(std::fabs(x), std::fabs(y)));
    const double sd_x = std::sqrt(static_cast<double>(sxx / n));
    const double sd_y = std::sqrt(static_cast<double>(syy / n));
    const double slope =
        sd_x > 0.0 ? static_cast<double>(std::fabs(x)) * level * (1.0 + static_cast<double>(std::fabs(beta)) + sd_y / sd_x) / sd_x
                   : 0.0;
    return ExactSpread{y - beta * x, 0x1p-52 * (level + slope)};
}

TEST(PairSpreadRounding, TickMoveOfFiveNanosKeepsItsSign) {
    // Spreads of bars 7 and 8 are 2.822373229292155 and 2.822373234306706 in exact
    // logs, 5.0e-9 apart: the later one is above the mean of the two.
    const test::PairSeries s{{113.19, 113.2, 113.21, 113.22, 113.23, 113.22, 113.23, 113.22, 113.21},
                             {54.09, 54.1, 54.09, 54.1, 54.11, 54.1, 54.11, 54.1, 54.09}};
    const auto z = scores(6, 2, s);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_FALSE(z[i]) << i;  // warm-up 6 + 2 - 1
    ASSERT_TRUE(z[8]);
    EXPECT_NEAR(*z[8], 1.0, 1e-6);
    const long double d = exact_spread(s, 8, 6).value - exact_spread(s, 7, 6).value;
    EXPECT_NEAR(static_cast<double>(d), 5.0e-9, 0.1e-9);
}

// Small spread moves over hedge windows that the rounding of the logs cannot make:
// the last two spreads differ by far more than the rounding they carry (worked out
// from the exact logs), so the last score is that of two values, ±1.
TEST(PairSpreadRounding, SmallMovesOverQuietHedgeWindowsAreNotFlat) {
    const struct Case {
        double beta_period;
        double z_period;
        test::PairSeries s;
        long double move;  // the last spread less the one before, in exact logs
        double want;
    } cases[] = {
        // The reference takes two prices: the slope is about 0.001.
        {4, 2, {{0.1702, 0.17018, 0.17022, 0.1702, 0.1702}, {0.315117, 0.315116, 0.315116, 0.315116, 0.315117}},
         -4.60e-9L, -1.0},
        {4, 2, {{4497, 4497, 4497.5, 4497.25, 4497}, {2203.5, 2203.75, 2203.75, 2203.75, 2203.5}}, -1.03e-9L, -1.0},
        {5, 2, {{1575, 1570, 1575, 1575, 1580, 1575}, {1865.88, 1865.87, 1865.88, 1865.88, 1865.89, 1865.88}}, 5.03e-6L, 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.beta_period << ", " << c.z_period << ") ending " << c.s.a.back());
        const std::size_t last = c.s.a.size() - 1;
        const std::size_t bp = static_cast<std::size_t>(c.beta_period);
        const long double move = exact_spread(c.s, last, bp).value - exact_spread(c.s, last - 1, bp).value;
        EXPECT_NEAR(static_cast<double>(move / c.move), 1.0, 0.01);
        const auto z = scores(c.beta_period, c.z_period, c.s);
        ASSERT_TRUE(z[last]);
        EXPECT_NEAR(*z[last], c.want, 1e-6);
    }
}

// Every cell whose exact deviation from the window's mean spread exceeds twice the
// rounding the window's spreads carry reads with the exact sign.
TEST(PairSpreadRounding, TickWalkScoresKeepTheSignOfExactLogs) {
    int asserted = 0;
    for (const double scale : {1.0, 1e9}) {
        for (const unsigned seed : {1u, 2u}) {
            const test::PairSeries s = tick_walks(seed, 300, scale);
            for (const std::size_t bp : {2, 3, 6, 30}) {
                std::vector<ExactSpread> spreads(s.a.size());
                for (std::size_t i = bp - 1; i < s.a.size(); ++i) spreads[i] = exact_spread(s, i, bp);
                for (std::size_t zp = 2; zp <= 5; ++zp) {
                    const auto z = scores(double(bp), double(zp), s);
                    for (std::size_t i = bp + zp - 2; i < s.a.size(); ++i) {
                        long double mean = 0.0L;
                        double rounding = 0.0;
                        for (std::size_t j = i + 1 - zp; j <= i; ++j) {
                            mean += spreads[j].value;
                            rounding = std::max(rounding, spreads[j].rounding);
                        }
                        const long double d = spreads[i].value - mean / zp;
                        ASSERT_TRUE(z[i]) << i;
                        if (std::fabs(static_cast<double>(d)) <= 2.0 * rounding) continue;
                        asserted += 1;
                        EXPECT_EQ(*z[i] > 0.0, d > 0.0L)
                            << "scale " << scale << " seed " << seed << " (" << bp << ", " << zp << ") bar " << i
                            << ": " << *z[i] << " for " << static_cast<double>(d);
                        EXPECT_NE(*z[i], 0.0);
                    }
                }
            }
        }
    }
    EXPECT_GT(asserted, 15000);
}

// The spread of bar i (hedge window n) with the logs `log_of` gives, in long double:
// the window's logs are taken less its first bar's, so that a reference flat over
// the window fits a slope of exactly 0.
template <class Log>
long double spread_of(const test::PairSeries& s, std::size_t i, std::size_t n, Log log_of) {
    const std::size_t first = i + 1 - n;
    const long double x0 = log_of(s.b[first]);
    const long double y0 = log_of(s.a[first]);
    long double mx = 0.0L;
    long double my = 0.0L;
    for (std::size_t j = first; j <= i; ++j) {
        mx += log_of(s.b[j]) - x0;
        my += log_of(s.a[j]) - y0;
    }
    mx /= n;
    my /= n;
    long double sxx = 0.0L;
    long double sxy = 0.0L;
    for (std::size_t j = first; j <= i; ++j) {
        const long double dx = (log_of(s.b[j]) - x0) - mx;
        sxx += dx * dx;
        sxy += dx * ((log_of(s.a[j]) - y0) - my);
    }
    const long double beta = sxx == 0.0L ? 0.0L : sxy / sxx;
    return log_of(s.a[i]) - beta * log_of(s.b[i]);
}

long double exact_log(double p) { return std::log(static_cast<long double>(p)); }
long double double_log(double p) { return static_cast<long double>(std::log(p)); }

// Tick walks at the levels of futures and currencies, where the reference often
// holds its price over a hedge window: a cell whose exact deviation from the
// window's mean is four times the rounding the window's logs carry (and above the
// arithmetic's own) keeps its sign.
TEST(PairSpreadRounding, QuietTickWalksKeepTheSignOfExactLogs) {
    const struct {
        double a0, b0, tick_a, tick_b;
    } levels[] = {{0.1702, 0.315117, 1e-5, 1e-6}, {4497, 2203.5, 0.25, 0.25}, {1575, 1865.88, 5, 0.01}};
    int asserted = 0;
    for (const auto& level : levels) for (const unsigned seed : {1u, 2u, 3u}) {
        std::mt19937_64 rng(seed);
        std::uniform_int_distribution<int> step(-1, 1);
        std::uniform_int_distribution<int> coin(0, 1);
        test::PairSeries s;
        long ka = 0;
        long kb = 0;
        for (int i = 0; i < 300; ++i) {
            ka += step(rng);
            if (coin(rng) == 0) kb += step(rng);  // the reference may move one bar in two
            s.a.push_back(level.a0 + static_cast<double>(ka) * level.tick_a);
            s.b.push_back(level.b0 + static_cast<double>(kb) * level.tick_b);
        }
        for (const std::size_t bp : {2, 3, 4, 5, 6}) {
            std::vector<long double> spreads(s.a.size());
            std::vector<double> rounding(s.a.size());
            for (std::size_t i = bp - 1; i < s.a.size(); ++i) {
                spreads[i] = spread_of(s, i, bp, exact_log);
                // What the rounding of the logs alone moves the spread by.
                rounding[i] = static_cast<double>(std::fabs(spread_of(s, i, bp, double_log) - spreads[i]));
            }
            for (const std::size_t zp : {2, 3}) {
                const auto z = scores(double(bp), double(zp), s);
                for (std::size_t i = bp + zp - 2; i < s.a.size(); ++i) {
                    long double mean = 0.0L;
                    double carried = 0.0;
                    for (std::size_t j = i + 1 - zp; j <= i; ++j) {
                        mean += spreads[j];
                        carried = std::max(carried, rounding[j]);
                    }
                    const long double d = spreads[i] - mean / zp;
                    const double arithmetic = 0x1p-44 * std::fabs(static_cast<double>(spreads[i]));
                    ASSERT_TRUE(z[i]) << i;
                    if (std::fabs(static_cast<double>(d)) <= std::max(4.0 * carried, arithmetic)) continue;
                    asserted += 1;
                    EXPECT_EQ(*z[i] > 0.0, d > 0.0L) << "level " << level.a0 << " seed " << seed << " (" << bp << ", "
                                                      << zp << ") bar " << i
                                                      << ": " << *z[i] << " for " << static_cast<double>(d);
                    EXPECT_NE(*z[i], 0.0);
                }
            }
        }
    }
    EXPECT_GT(asserted, 20000);
}

}  // namespace
}  // namespace torvex
