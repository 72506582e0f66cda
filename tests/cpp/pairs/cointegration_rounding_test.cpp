// Cointegration over fits made of rounding: a reference formed in binary as an exact
// linear function of the close, or prices whose decimals differ by a constant, leave
// residuals of nothing but the prices' representation, whose unit-root statistic has
// no correct digit: `adf_stat` reads the fallback, 0.0. Ordinary windows still answer.
// Each case is checked against an exact model of the prices: their integers, in
// units of a power of two or of their last decimal place.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "pair_support.hpp"

namespace torvex {
namespace {

using test::feed_pair;
using test::field;
using test::make;

// A double as an odd integer times a power of two (0 for a zero).
struct Dyadic {
    std::int64_t m = 0;
    int e = 0;
};

Dyadic dyadic(double x) {
    if (x == 0.0) return {};
    int e = 0;
    auto m = static_cast<std::int64_t>(std::ldexp(std::frexp(x, &e), 53));
    e -= 53;
    while (m % 2 == 0) {
        m /= 2;
        ++e;
    }
    return {m, e};
}

__int128 at(std::int64_t m, int e, int low) { return static_cast<__int128>(m) << (e - low); }

// How far the reference sits from the affine function of the close it was formed
// as, b − α − γ·a exactly, in units of 2^low; and the bound on a representation's
// error, 2^−52 (|α| + |γ a| + |b|), in the same units.
struct Departure {
    double units;
    double bound;
    __int128 exact;
};

Departure departure(double a, double b, double alpha, double gamma) {
    const Dyadic da = dyadic(a), db = dyadic(b), dalpha = dyadic(alpha), dgamma = dyadic(gamma);
    const int product = da.e + dgamma.e;
    int low = product;
    if (db.m != 0) low = std::min(low, db.e);
    if (dalpha.m != 0) low = std::min(low, dalpha.e);
    const __int128 d = at(db.m, db.e, low) - at(dalpha.m, dalpha.e, low) -
                       (static_cast<__int128>(dgamma.m) * da.m << (product - low));
    const double bound = std::ldexp(std::fabs(alpha) + std::fabs(gamma * a) + std::fabs(b), -52 - low);
    return {std::fabs(static_cast<double>(d)), bound, d};
}

// A close that walks by a thousandth of its level a bar in doubles of every binary
// place, and the reference α + γ·close formed in doubles.
test::PairSeries formed_in_binary(unsigned seed, double level, double alpha, double gamma, std::size_t n) {
    std::mt19937 rng(seed);
    std::normal_distribution<double> g(0.0, 1.0);
    test::PairSeries s;
    double c = level;
    for (std::size_t i = 0; i < n; ++i) {
        c += g(rng) * level * 0.001;
        s.a.push_back(c);
        s.b.push_back(alpha + gamma * c);
    }
    return s;
}

// A decimal of `places` places from its integer, as the double nearest it.
double decimal(std::int64_t units, int places) {
    std::int64_t scale = 1;
    for (int i = 0; i < places; ++i) scale *= 10;
    char text[48];
    std::snprintf(text, sizeof text, "%s%lld.%0*lld", units < 0 ? "-" : "", static_cast<long long>(std::llabs(units) / scale),
                  places, static_cast<long long>(std::llabs(units) % scale));
    return std::strtod(text, nullptr);
}

// Closes of `places` decimals near `level` and the reference `offset` units of the last
// place above each, on the decimals: their integers, and the doubles as written.
struct DecimalPair {
    std::vector<std::int64_t> close, reference;
    test::PairSeries prices;
};

DecimalPair offset_by_units(unsigned seed, double level, int places, std::int64_t offset, std::size_t n) {
    std::mt19937_64 rng(seed);
    const double unit = std::pow(10.0, places);
    std::uniform_int_distribution<std::int64_t> step(-static_cast<std::int64_t>(unit) / 100, static_cast<std::int64_t>(unit) / 100);
    DecimalPair p;
    std::int64_t units = static_cast<std::int64_t>(level * unit) + 12345;
    for (std::size_t i = 0; i < n; ++i) {
        units += step(rng);
        p.close.push_back(units);
        p.reference.push_back(units + offset);
        p.prices.a.push_back(decimal(units, places));
        p.prices.b.push_back(decimal(units + offset, places));
    }
    return p;
}

// Every adf_stat of the history with both legs times 2^k.
std::vector<double> adf_stats(const test::PairSeries& s, std::size_t period, std::size_t lags, int k) {
    IndicatorBox ind = make("Cointegration", {static_cast<double>(period), static_cast<double>(lags)});
    std::vector<double> out;
    for (std::size_t i = 0; i < s.a.size(); ++i)
        if (feed_pair(*ind, std::ldexp(s.a[i], k), std::ldexp(s.b[i], k))) out.push_back(field(*ind, "adf_stat"));
    return out;
}

// The model of a reference formed in binary: every pair lies within a representation
// of the affine relation, yet not exactly on one (the departures differ), so the
// doubles are regular and only the representation makes the fit.
void expect_made_of_rounding(const test::PairSeries& s, double alpha, double gamma, int k) {
    bool differ = false;
    __int128 first = 0;
    for (std::size_t i = 0; i < s.a.size(); ++i) {
        const Departure d = departure(std::ldexp(s.a[i], k), std::ldexp(s.b[i], k), std::ldexp(alpha, k), gamma);
        ASSERT_LE(d.units, d.bound) << "pair " << i;
        if (i == 0) first = d.exact;
        differ = differ || d.exact != first;
    }
    EXPECT_TRUE(differ);
}

// The model of decimals a constant apart: on the decimals the reference is the close
// plus the offset, the hedge 1 and every residual 0; in binary the differences
// b − a (exact, the legs within a factor of two) are not all one, so a binary reading
// finds no exact fit.
void expect_exact_on_the_decimals(const DecimalPair& p, int k) {
    bool differ = false;
    for (std::size_t i = 0; i < p.close.size(); ++i) {
        ASSERT_EQ(p.reference[i] - p.close[i], p.reference[0] - p.close[0]);
        differ = differ || std::ldexp(p.prices.b[i] - p.prices.a[i], k) != std::ldexp(p.prices.b[0] - p.prices.a[0], k);
    }
    EXPECT_TRUE(differ);
}

TEST(CointegrationRounding, FitsMadeOfRoundingReadTheFallback) {
    const struct {
        const char* label;
        bool binary;    // formed in binary (500 − 3 × close), or decimals 7 units apart
        double level;   // of the close
        int places;     // of the decimals
        int k;          // both legs times 2^k
        std::size_t period, lags;
    } cases[] = {
        {"500 - 3 x close at 100", true, 100.0, 0, 0, 60, 1},
        {"500 - 3 x close at 100, (20, 1)", true, 100.0, 0, 0, 20, 1},
        {"500 - 3 x close at 100 times 2^20", true, 100.0, 0, 20, 60, 1},
        {"500 - 3 x close at 100 times 2^-30", true, 100.0, 0, -30, 20, 1},
        {"500 - 3 x close at 4,500", true, 4500.0, 0, 0, 60, 1},
        {"500 - 3 x close at 70,000", true, 70000.0, 0, 0, 20, 1},
        {"500 - 3 x close at 0.45", true, 0.45, 0, 0, 20, 1},
        {"8 places at 50,000", false, 50000.0, 8, 0, 20, 1},
        {"8 places at 50,000 times 2^12", false, 50000.0, 8, 12, 20, 1},
        {"8 places at 50,000 times 2^-40", false, 50000.0, 8, -40, 20, 1},
        {"7 places at 500,000", false, 500000.0, 7, 0, 20, 1},
        {"6 places at 5,000,000", false, 5e6, 6, 0, 20, 1},
        {"6 places at 5,000,000 times 2^-3", false, 5e6, 6, -3, 60, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        test::PairSeries s;
        if (c.binary) {
            s = formed_in_binary(7, c.level, 500.0, -3.0, c.period + 12);
            expect_made_of_rounding(s, 500.0, -3.0, c.k);
        } else {
            const DecimalPair p = offset_by_units(7, c.level, c.places, 7, c.period + 12);
            expect_exact_on_the_decimals(p, c.k);
            s = p.prices;
        }
        const std::vector<double> got = adf_stats(s, c.period, c.lags, c.k);
        ASSERT_EQ(got.size(), 13u);
        for (std::size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], 0.0) << "window " << i;
    }
}

// Seeded histories of references formed in binary from the close, at several levels,
// relations and windows: no window answers anything but the fallback. The same closes
// against a reference moved off the relation by a normal 1e-11 of its size a bar,
// some 700 times the 2^-46 of it that the representation is allowed, answer on every
// window.
TEST(CointegrationRounding, SeededHistories) {
    const struct {
        double alpha, gamma;
    } relations[] = {{500.0, -3.0}, {0.0, 1.0007}, {1e6, -7.3}, {-12.5, 0.1}};
    const struct {
        std::size_t period, lags;
    } windows[] = {{60, 1}, {20, 1}, {8, 2}};
    std::size_t made = 0, answered = 0;
    for (const unsigned seed : {1u, 2u, 3u})
        for (const double level : {0.37, 100.0, 4500.0, 70000.0})
            for (const auto& r : relations) {
                SCOPED_TRACE("seed " + std::to_string(seed) + " level " + std::to_string(level) + " gamma " +
                             std::to_string(r.gamma));
                const test::PairSeries s = formed_in_binary(seed, level, r.alpha, r.gamma, 150);
                expect_made_of_rounding(s, r.alpha, r.gamma, 0);
                test::PairSeries apart = s;
                std::mt19937 rng(seed + 100);
                std::normal_distribution<double> g(0.0, 1.0);
                for (double& b : apart.b) b += g(rng) * 1e-11 * (std::fabs(r.alpha) + std::fabs(r.gamma) * level);
                for (const auto& w : windows) {
                    for (const double v : adf_stats(s, w.period, w.lags, 0)) {
                        EXPECT_EQ(v, 0.0) << "(" << w.period << ", " << w.lags << ")";
                        ++made;
                    }
                    for (const double v : adf_stats(apart, w.period, w.lags, 0)) {
                        EXPECT_TRUE(v != 0.0 && std::isfinite(v)) << "(" << w.period << ", " << w.lags << ")";
                        ++answered;
                    }
                }
            }
    EXPECT_EQ(made, 3u * 4 * 4 * (91 + 131 + 143));
    EXPECT_EQ(made, answered);

}

}  // namespace
}  // namespace torvex
