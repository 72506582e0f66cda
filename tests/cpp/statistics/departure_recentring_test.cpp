// Window statistics after histories that leave rounding residue in running sums: a
// huge value (alone or in a block, during the first fill or after it) that leaves the
// window, and a level that collapses by twenty orders of magnitude. Once the window
// no longer holds what made the sums large, each answer must be the window's own:
// the answer of a fresh indicator fed only the bars it needs, to within rounding.
// Each history also holds a case worked out by hand, and the bounded statistics stay
// inside their bounds on every bar.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "registry/registry.hpp"

namespace torvex {
namespace {

IndicatorBox make(const std::string& name, const std::vector<double>& params) {
    auto built = build_indicator(name, params);
    EXPECT_TRUE(built.has_value()) << name;
    return built ? std::move(*built) : nullptr;
}

// Bars with open = high = low = close = the value and a volume of 1.
std::optional<double> feed(DynIndicator& ind, double v) {
    const Ohlcv bar{0, v, v, v, v, 1.0};
    return ind.update(BarContext(bar));
}

std::optional<double> fresh_answer(const std::string& name, const std::vector<double>& params,
                                   const std::vector<double>& xs, std::size_t end, std::size_t span) {
    IndicatorBox ind = make(name, params);
    std::optional<double> last;
    for (std::size_t i = end + 1 - span; i <= end; ++i) last = feed(*ind, xs[i]);
    return last;
}

struct Named {
    std::string name;
    std::vector<double> params;
    std::size_t span;  // bars a fresh instance needs for its first answer
    bool level;        // the answer is in the values' units (else a pure number)
    double lo = -INFINITY;
    double hi = INFINITY;
};

// 1e12, then a straight line 100, 101, ... (the regression, ratio and moment
// statistics); a block of 1e12 values after the first fill; the same block at the
// first fill; and a fall from 1e12 to 1e-9 that ends in small noise.
std::vector<double> spike_then_line() {
    std::vector<double> xs{1e12};
    for (int i = 0; i < 30; ++i) xs.push_back(100.0 + i);
    return xs;
}
std::vector<double> block_after_fill() {
    std::vector<double> xs{100, 101, 103, 102, 104, 103, 105, 1e12, 1e12};
    for (int i = 0; i < 30; ++i) xs.push_back(100.0 + (i * 7 % 5));
    return xs;
}
std::vector<double> block_at_first_fill() {
    std::vector<double> xs{1e12, 1e12, 1e12};
    for (int i = 0; i < 30; ++i) xs.push_back(50.0 + (i * 3 % 4) * 0.25);
    return xs;
}
std::vector<double> collapse() {
    std::vector<double> xs;
    for (int k = 0; k <= 42; ++k) xs.push_back(1e12 * std::pow(10.0, -0.5 * k));
    for (int i = 0; i < 40; ++i) xs.push_back(1e-9 * (1.0 + 0.01 * (i * 5 % 7)));
    return xs;
}

// The bars after which the window holds nothing of the extreme part of a history.
std::size_t calm_from(const std::vector<double>& xs) {
    std::size_t last_extreme = 0;
    for (std::size_t i = 1; i < xs.size(); ++i) {
        if (std::fabs(xs[i]) > 1e6 * std::fabs(xs.back()) || std::fabs(xs[i - 1]) > 1e6 * std::fabs(xs[i])) {
            last_extreme = i;
        }
    }
    return last_extreme + 1;
}

TEST(DepartureRecentring, AnswersTheWindowsOwnValueOnceTheExtremeHasLeft) {
    const std::vector<Named> names = {
        {"SharpeRatio", {5, 0}, 5, false},
        {"SortinoRatio", {5, 0}, 5, false},
        {"CoefficientOfVariation", {5}, 5, false},
        {"StdDev", {5}, 5, true, 0.0},
        {"Variance", {5}, 5, true, 0.0},
        {"ZScore", {5}, 5, false},
        {"RSquared", {5}, 5, false, 0.0, 1.0},
        {"LinearRegression", {5}, 5, true},
        {"LinRegSlope", {5}, 5, true},
        {"LinRegIntercept", {5}, 5, true},
        {"Tsf", {5}, 5, true},
        {"BollingerBands", {5, 2}, 5, true},
        {"Kurtosis", {5}, 5, false, -3.0, 0.25},
        {"Skewness", {5}, 5, false, -1.5, 1.5},
        {"Expectancy", {5}, 5, false},
        {"Sma", {5}, 5, true},
        {"Mfi", {3}, 4, false, 0.0, 100.0},
        {"IntradayMomentumIndex", {3}, 3, false, 0.0, 100.0},
        {"UltimateOscillator", {2, 3, 4}, 5, false, 0.0, 100.0},
        {"CalmarRatio", {5}, 5, false},
        {"M2Measure", {5, 0.0, 0.01}, 5, false},
        {"PercentB", {5, 2}, 5, false},
        {"BollingerBandwidth", {5, 2}, 5, false, 0.0},
        {"Cfo", {5}, 5, false},
        {"StandardError", {5}, 5, true, 0.0},
        {"JarqueBera", {5}, 5, false, 0.0},
        {"LinRegAngle", {5}, 5, false, -90.0, 90.0},
        {"Cmo", {5}, 6, false, -100.0, 100.0},
        {"Dpo", {5}, 5, true},
        {"VerticalHorizontalFilter", {5}, 6, false, 0.0},
        {"RealizedVolatility", {5}, 6, false, 0.0},
        {"HistoricalVolatility", {5, 252}, 6, false, 0.0},
        {"Vortex", {5}, 6, false, 0.0},
        {"Vwma", {5}, 5, true},
        {"ChaikinMoneyFlow", {5}, 5, false, -1.0, 1.0},
        {"Tii", {6, 3}, 8, false, 0.0, 100.0},
    };
    const std::vector<std::pair<const char*, std::vector<double>>> histories = {
        {"spike then line", spike_then_line()},
        {"block after the first fill", block_after_fill()},
        {"block at the first fill", block_at_first_fill()},
        {"collapse from 1e12 to 1e-9", collapse()},
    };
    for (const auto& [label, xs] : histories) {
        const std::size_t calm = calm_from(xs);
        for (const Named& c : names) {
            IndicatorBox ind = make(c.name, c.params);
            ASSERT_TRUE(ind);
            for (std::size_t i = 0; i < xs.size(); ++i) {
                const std::optional<double> got = feed(*ind, xs[i]);
                if (got) {
                    // The bounds are met up to the rounding of the answer itself.
                    const double slack = 1e-12 * std::max(1.0, std::fabs(*got));
                    EXPECT_TRUE(std::isfinite(*got)) << c.name << ", " << label << ", bar " << i;
                    EXPECT_GE(*got, c.lo - slack) << c.name << ", " << label << ", bar " << i;
                    EXPECT_LE(*got, c.hi + slack) << c.name << ", " << label << ", bar " << i;
                }
                if (i + 1 < calm + c.span) continue;
                const std::optional<double> want = fresh_answer(c.name, c.params, xs, i, c.span);
                ASSERT_EQ(got.has_value(), want.has_value()) << c.name << ", " << label << ", bar " << i;
                if (!got) continue;
                // Relative to the answer, with a floor at the size of the window's values
                // for an answer in their units (the collapse ends near 1e-9), and at 1
                // for a pure number.
                const double floor = c.level ? std::fabs(xs[i]) : 1.0;
                EXPECT_NEAR(*got, *want, 1e-9 * std::max(std::fabs(*want), floor))
                    << c.name << ", " << label << ", bar " << i;
            }
        }
    }
}

// Worked by hand: on the bar that takes 1e12 out, the window 100..104 of a straight
// line: mean 102, population deviation sqrt(2), the line fitted exactly.
TEST(DepartureRecentring, StraightLineAfterAHugeValueByHand) {
    const std::vector<double> xs = spike_then_line();
    struct Want {
        const char* name;
        std::vector<double> params;
        double at_bar5;  // window 100, 101, 102, 103, 104
        double tol;
    };
    const double sd_pop = std::sqrt(2.0);
    const std::vector<Want> wants = {
        {"RSquared", {5}, 1.0, 1e-12},
        {"LinRegSlope", {5}, 1.0, 1e-12},
        {"LinearRegression", {5}, 104.0, 1e-9},
        {"Tsf", {5}, 105.0, 1e-9},
        {"CoefficientOfVariation", {5}, sd_pop / 102.0, 1e-12},
        {"StdDev", {5}, sd_pop, 1e-12},
        {"Skewness", {5}, 0.0, 1e-12},
    };
    for (const Want& w : wants) {
        IndicatorBox ind = make(w.name, w.params);
        ASSERT_TRUE(ind);
        std::optional<double> got;
        for (std::size_t i = 0; i <= 5; ++i) got = feed(*ind, xs[i]);
        ASSERT_TRUE(got) << w.name;
        EXPECT_NEAR(*got, w.at_bar5, w.tol) << w.name;
    }
}

// Values so small that their squared deviations underflow to 0, then a window of
// zeros: the anchor the tiny values left shows only in the first-order sums, and the
// zero window must still answer exactly 0 from the bar it holds only zeros on.
TEST(DepartureRecentring, ZeroWindowAfterValuesWhoseSquaresUnderflow) {
    struct Case {
        const char* name;
        std::vector<double> params;
        std::size_t period;
        std::vector<double> before;  // the history before the zeros
    };
    const std::vector<Case> cases = {
        {"LinRegSlope", {14}, 14, {1e-4, -3e-4, 3.664986292495205e+217, 2.67904558984042e-29,
                                   1.8456902720944611e-303, 1.3634279320898734e+121, 5.8919955773270227e-307}},
        {"Tsf", {14}, 14, {2e-4, 1.3634279320898734e+121, 8.1113269353313504e-307, 8.1143479853745414e-307}},
    };
    for (const Case& c : cases) {
        IndicatorBox ind = make(c.name, c.params);
        ASSERT_TRUE(ind);
        std::vector<double> xs = c.before;
        xs.resize(c.before.size() + 3 * c.period, 0.0);
        for (std::size_t i = 0; i < xs.size(); ++i) {
            const std::optional<double> got = feed(*ind, xs[i]);
            if (i + 1 < c.before.size() + c.period) continue;
            ASSERT_TRUE(got) << c.name << ", bar " << i;
            EXPECT_EQ(*got, 0.0) << c.name << ", bar " << i;
        }
    }
}

// The sample variance of spreads that have turned exactly flat on a tick grid: the
// deviations that left must not leave a residue for the ratio to divide by.
TEST(DepartureRecentring, InformationRatioOfAFlatSpreadWindowIsZero) {
    const std::pair<double, double> pairs[] = {{21.0, 10.3}, {20.0, 10.1}, {23.0, 10.1}, {20.0, 10.1},
                                               {11.6, 10.1}, {11.6, 10.1}, {11.6, 10.1}};
    IndicatorBox ind = make("InformationRatio", {3});
    ASSERT_TRUE(ind);
    std::optional<double> last;
    for (const auto& [a, b] : pairs) {
        const Ohlcv bar{0, a, a, a, a, 1.0};
        BarContext ctx(bar);
        ctx.reference = b;
        last = ind->update(ctx);
    }
    ASSERT_TRUE(last);
    EXPECT_EQ(*last, 0.0);
}

}  // namespace
}  // namespace torvex
