// Spread statistics over windows whose close-less-reference spread is flat, or moves
// in equal steps, in the printed decimals. Each price is the double nearest its cents,
// so the spreads differ in binary by a rounding of the prices; the answers are those
// of the decimals, the same at two levels 1,000.00 apart.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "pairs/pair_support.hpp"

namespace torvex {
namespace {

// The nearest double to a positive price written in cents.
double from_text(std::int64_t cents) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%02lld", static_cast<long long>(cents / 100),
                  static_cast<long long>(cents % 100));
    return std::strtod(text, nullptr);
}

enum class Spread { Flat, Drift };

// 48 bars: closes wander around 100.07 (plus the shift); the reference is the close
// less 50.03, or less a cent more each bar (Drift).
test::PairSeries cents(Spread kind, std::int64_t shift) {
    test::PairSeries s;
    for (std::int64_t i = 0; i < 48; ++i) {
        const std::int64_t c = 10007 + shift + (i * 37 % 23) * 3;
        const std::int64_t widen = kind == Spread::Drift ? i : 0;
        s.a.push_back(from_text(c));
        s.b.push_back(from_text(c - 5003 - widen));
    }
    return s;
}

TEST(DecimalFlatSpread, ReadsTheDecimalsAnswer) {
    struct Case {
        const char* name;
        std::vector<double> params;
        const char* field;  // nullptr: the single output
        Spread spread;
        double want;  // the answer of the decimals, on every row past the warm-up
    };
    const Case cases[] = {
        {"InformationRatio", {14}, nullptr, Spread::Flat, 0.0},  // no deviation
        {"SpreadBollingerBands", {14, 2}, "percent_b", Spread::Flat, 0.5},
        {"VarianceRatio", {14, 2}, nullptr, Spread::Flat, 1.0},
        {"VarianceRatio", {14, 2}, nullptr, Spread::Drift, 1.0},  // equal changes
        {"OuHalfLife", {14}, nullptr, Spread::Flat, 0.0},
        {"SpreadAr1Coefficient", {14}, nullptr, Spread::Flat, 0.0},
        {"SpreadHurst", {32}, nullptr, Spread::Flat, 0.5},  // no lag moves
    };
    for (const Case& c : cases) {
        for (const std::int64_t shift : {0, 100'000}) {
            SCOPED_TRACE(std::string(c.name) + (c.spread == Spread::Drift ? " drift" : "") + " at shift " +
                         std::to_string(shift));
            const test::PairSeries s = cents(c.spread, shift);
            // A flat spread in the decimals is not flat in binary.
            bool moves = false;
            for (std::size_t i = 1; i < s.a.size(); ++i) moves = moves || s.a[i] - s.b[i] != s.a[0] - s.b[0];
            EXPECT_TRUE(moves || c.spread != Spread::Flat);
            IndicatorBox ind = test::make(c.name, c.params);
            ASSERT_TRUE(ind);
            std::size_t rows = 0, wrong = 0;
            std::string first;
            for (std::size_t i = 0; i < s.a.size(); ++i) {
                const std::optional<double> got = test::feed_pair(*ind, s.a[i], s.b[i]);
                if (!got) continue;
                ++rows;
                const double v = c.field ? test::field(*ind, c.field) : *got;
                const bool bands_meet = !c.field || test::field(*ind, "upper") == test::field(*ind, "lower");
                if (v == c.want && bands_meet) continue;
                if (wrong++ == 0) first = "bar " + std::to_string(i) + " reads " + std::to_string(v);
            }
            EXPECT_EQ(wrong, 0u) << "of " << rows << "; first: " << first;
            EXPECT_GT(rows, 10u);
        }
    }
}

// A window of 13 spreads of 50.03 and a newest of 50.04 deviates little enough to be
// asked whether it is flat; it is not, and reads its move: a mean of 50.03 + u / 14
// over a sample deviation of u / sqrt(14) (u = 0.01), and a newest spread 13 u / 14
// above the mean, past the upper band by sqrt(13) / 4 of the width (2 population
// deviations of u sqrt(13) / 14 each side).
TEST(DecimalFlatSpread, ANearlyFlatWindowKeepsItsMove) {
    for (const std::int64_t shift : {0, 100'000}) {
        SCOPED_TRACE(shift);
        IndicatorBox ratio = test::make("InformationRatio", {14});
        IndicatorBox bands = test::make("SpreadBollingerBands", {14, 2});
        std::optional<double> got;
        for (std::int64_t i = 0; i < 14; ++i) {
            const std::int64_t c = 10007 + shift + (i * 37 % 23) * 3;
            const double a = from_text(c), b = from_text(c - 5003 + (i == 13 ? -1 : 0));
            got = test::feed_pair(*ratio, a, b);
            test::feed_pair(*bands, a, b);
        }
        ASSERT_TRUE(got);
        const long double want = (50.03L + 0.01L / 14) * std::sqrt(14.0L) / 0.01L;
        EXPECT_NEAR(*got, static_cast<double>(want), 1e-9 * static_cast<double>(want));
        EXPECT_NEAR(test::field(*bands, "percent_b"), 0.5 + std::sqrt(13.0) / 4.0, 1e-9);
    }
}

}  // namespace
}  // namespace torvex
