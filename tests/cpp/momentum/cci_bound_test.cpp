// The commodity channel index at its bound. |index| <= n / (2 * 0.015), with equality
// exactly when the newest typical price is alone on its side of the window's mean (the
// others' distances to the mean then add up to just its own). A ring of such indices is
// flat in exact arithmetic, and the stochastic form answers 50 for it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "indicators/momentum/cci.hpp"
#include "indicators/momentum/stochastic_cci.hpp"

namespace torvex::test {
namespace {

// The doubles nearest n / (2 * 0.015), 0.015 being the double: worked out in rationals.
constexpr double kBound2 = 0x1.0aaaaaaaaaaabp+6;  // 66.666...67
constexpr double kBound3 = 100.0;                 // 100 + 3.7e-15, nearer 100 than its neighbours

Ohlcv bar(double high, double low, double close) { return Ohlcv{0, close, high, low, close, 1.0}; }
// A bar whose typical price is x (exact for the values used here: 3x and back are exact).
Ohlcv at(double x) { return bar(x, x, x); }

struct Case {
    const char* label;
    std::uint64_t n;
    std::vector<Ohlcv> bars;
    double cci;         // the last bar's index
    double tolerance;   // 0: the very double
    double stochastic;  // the last bar's stochastic form; NaN: before its warm-up
};

// The index of the last of `w` in long double: exact to some 1e-19 for the prices below,
// whose sums need at most 64 bits.
double model(const std::vector<long double>& w) {
    long double sum = 0, dev = 0;
    for (const long double v : w) sum += v;
    const long double mean = sum / w.size();
    for (const long double v : w) dev += std::fabs(v - mean);
    return static_cast<double>((w.back() - mean) / (dev / w.size() * 0.015L));
}

std::vector<Case> cases() {
    const double d = 0x1p-30, e = 0x1p-20, far = 0x1p-40;
    return {
        // GOOG daily rows 6 to 8: typical prices near 106.82, 103.17 and 102.75, two falls.
        {"GOOG rows 6-8", 2, {bar(108.62, 105.69, 106.15), bar(105.49, 102.01, 102.01), bar(103.71, 102.16, 102.37)},
         -kBound2, 0.0, 50.0},
        // GOOG daily rows 84 to 89: each of the last three typical prices alone above the mean.
        {"GOOG rows 84-89", 3,
         {bar(180.5, 176.55, 180.08), bar(188.46, 181.87, 185.02), bar(187.88, 183.4, 183.75),
          bar(186.85, 183.01, 186.3), bar(188.6, 186.0, 187.9), bar(193.3, 189.1, 191.91)},
         kBound3, 0.0, 50.0},
        // EURUSD hourly rows 3552 to 3557: the last indices {100, 100 - 1.4e-11, 100}, the
        // middle one with a price beside the newest above the mean. Computed above the
        // bound on the running sum, that one made the ring's spread its own rounding and
        // the stochastic form read 0.
        {"EURUSD rows 3552-3557", 3,
         {bar(1.16487, 1.16376, 1.16472), bar(1.16531, 1.1641, 1.16411), bar(1.16484, 1.16382, 1.16468), bar(1.1653, 1.1645, 1.16509),
          bar(1.166, 1.16502, 1.16542), bar(1.16754, 1.16537, 1.16702)},
         kBound3, 0.0, 100.0},
        // Its row 3556, the index worked out in rationals and rounded once.
        {"EURUSD rows 3554-3556", 3,
         {bar(1.16484, 1.16382, 1.16468), bar(1.1653, 1.1645, 1.16509), bar(1.166, 1.16502, 1.16542)},
         0x1.8fffffffffc10p+6, 0.0, NAN},
        {"n = 2, rises", 2, {at(0.1), at(0.7), at(1.3)}, kBound2, 0.0, 50.0},
        {"n = 2, a fall after a rise", 2, {at(0.1), at(0.7), at(0.3)}, -kBound2, 0.0, 0.0},
        // Mean 5, the middle price on it: 4 / (8/3 * 0.015).
        {"n = 3, one price at the mean", 3, {at(1.0), at(5.0), at(9.0)}, kBound3, 0.0, NAN},
        {"n = 3, one price at the mean, falling", 3, {at(9.0), at(5.0), at(1.0)}, -kBound3, 0.0, NAN},
        {"n = 3, the middle price below the mean", 3, {at(1.0), at(2.0 - d), at(3.0)}, kBound3, 0.0, NAN},
        // The middle price d above 2 lies on the newest one's side: 100 (1 - 2d/3) nearly,
        // in rationals 0x1.8ffffffbd5556p+6 rounded once.
        {"n = 3, the middle price above the mean", 3, {at(1.0), at(2.0 + d), at(3.0)}, 0x1.8ffffffbd5556p+6, 0.0, NAN},
        // 2^53 - 3 is one unit above the mean of {0, 2^53 - 3, 2^54 - 8}: the index is
        // 100 - 3.7e-15, whose nearest double is the bound; it reads the double below.
        {"n = 3, a price one unit above the mean", 3, {at(0.0), at(0x1p53 - 3), at(0x1p54 - 8)},
         0x1.8ffffffffffffp+6, 0.0, NAN},
        // Prices 51 binades apart, beyond 128-bit units: the same on exact sums.
        {"n = 3, 51 binades, the middle price below the mean", 3, {at(far), at(1024 - e), at(2048)}, kBound3, 0.0, NAN},
        {"n = 3, 51 binades, the middle price above the mean", 3, {at(far), at(1024 + e), at(2048)},
         model({far, 1024 + e, 2048}), 1e-11, NAN},
        // Ticks at 2^40: the deviation is a sliver of the level, the window's own mean.
        {"n = 2, ticks at 2^40", 2, {at(0x1p40 + 0.25), at(0x1p40 + 0.5), at(0x1p40 + 0.75)}, kBound2, 0.0, 50.0},
        // Never at a bound: one price.
        {"n = 1", 1, {at(1.0), at(3.0)}, 0.0, 0.0, 50.0},
    };
}

// Every price times 2^k leaves the typical prices times 2^k and the answers as they are.
TEST(CciBound, ReadsTheBoundWhereTheNewestPriceIsAloneOnItsSide) {
    for (const Case& c : cases())
        for (const int k : {0, -20, 40, 600}) {
            SCOPED_TRACE(std::string(c.label) + ", prices times 2^" + std::to_string(k));
            Cci cci = *Cci::create(c.n);
            StochasticCci stochastic = *StochasticCci::create(c.n);
            std::optional<double> got, form;
            for (Ohlcv b : c.bars) {
                for (double* p : {&b.open, &b.high, &b.low, &b.close}) *p = std::ldexp(*p, k);
                got = cci.step(b);
                form = stochastic.step(b);
            }
            ASSERT_TRUE(got.has_value());
            if (c.tolerance == 0.0) {
                EXPECT_EQ(*got, c.cci);
            } else {
                EXPECT_NEAR(*got, c.cci, c.tolerance);
            }
            if (std::isnan(c.stochastic)) {
                EXPECT_FALSE(form.has_value());
            } else {
                ASSERT_TRUE(form.has_value());
                EXPECT_EQ(*form, c.stochastic);
            }
        }
}

}  // namespace
}  // namespace torvex::test
