// Constructors, hand-worked values, warm-ups and refusals of the rolling statistics,
// regression, order-statistic and entropy indicators over the close.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "test_support.hpp"
#include "indicators/statistics/autocorrelation.hpp"
#include "indicators/statistics/coefficient_of_variation.hpp"
#include "indicators/statistics/detrended_std_dev.hpp"
#include "indicators/statistics/hurst_exponent.hpp"
#include "indicators/statistics/jarque_bera.hpp"
#include "indicators/statistics/kurtosis.hpp"
#include "indicators/statistics/lin_reg_angle.hpp"
#include "indicators/statistics/lin_reg_intercept.hpp"
#include "indicators/statistics/lin_reg_slope.hpp"
#include "indicators/statistics/linear_regression.hpp"
#include "indicators/statistics/median_absolute_deviation.hpp"
#include "indicators/statistics/r_squared.hpp"
#include "indicators/statistics/rolling_iqr.hpp"
#include "indicators/statistics/rolling_min_max_scaler.hpp"
#include "indicators/statistics/rolling_percentile_rank.hpp"
#include "indicators/statistics/rolling_quantile.hpp"
#include "indicators/statistics/sample_entropy.hpp"
#include "indicators/statistics/shannon_entropy.hpp"
#include "indicators/statistics/skewness.hpp"

using namespace torvex;
using test::box;
using test::kMaxText;
using test::kNone;
using test::kZeroText;

namespace {

using U = std::uint64_t;
constexpr U kMax = MAX_PERIOD;
constexpr U kHuge = std::numeric_limits<U>::max();

std::string period_text(const char* m) { return std::string("invalid period: ") + m; }
std::string param_text(const char* m) { return std::string("invalid parameter: ") + m; }

std::vector<std::optional<double>> last_of(std::size_t n, double v) {
    std::vector<std::optional<double>> out(n - 1, kNone);
    out.push_back(v);
    return out;
}

}  // namespace

TEST(CloseStatisticsConstruct, ChecksRunInOrderWithTheirTexts) {
    const std::string lr = period_text("linear regression needs period >= 2");
    const std::string slope = period_text("linear regression slope needs period >= 2");
    const std::string se = period_text("sample entropy needs period >= m + 2");
    const std::string se_r = param_text("sample entropy r_factor must be finite and positive");
    const std::string q = param_text("rolling quantile must be a finite value in [0.0, 1.0]");
    test::expect_builds({
        {"Kurtosis 0", box<Kurtosis>(U{0}), period_text("kurtosis needs period >= 4")},
        {"Kurtosis 4", box<Kurtosis>(U{4}), ""},
        {"Kurtosis long", box<Kurtosis>(kMax + 1), kMaxText},
        {"Skewness 2", box<Skewness>(U{2}), period_text("skewness needs period >= 3")},
        {"Skewness max", box<Skewness>(kMax), ""},
        {"JarqueBera 0", box<JarqueBera>(U{0}), kZeroText},
        {"JarqueBera 3", box<JarqueBera>(U{3}), period_text("Jarque-Bera needs period >= 4")},
        {"JarqueBera long", box<JarqueBera>(kMax + 1), kMaxText},
        {"LinearRegression 1", box<LinearRegression>(U{1}), lr},
        {"LinearRegression max", box<LinearRegression>(kMax), ""},
        {"LinearRegression long", box<LinearRegression>(kMax + 1), kMaxText},
        {"LinRegSlope 0", box<LinRegSlope>(U{0}), slope},
        {"LinRegAngle 1", box<LinRegAngle>(U{1}), slope},
        {"LinRegIntercept 1", box<LinRegIntercept>(U{1}),
         period_text("linear regression intercept needs period >= 2")},
        {"LinRegIntercept long", box<LinRegIntercept>(kMax + 1), kMaxText},
        {"RSquared 1", box<RSquared>(U{1}), period_text("R² needs period >= 2")},
        {"RSquared long", box<RSquared>(kMax + 1), kMaxText},
        {"DetrendedStdDev 1", box<DetrendedStdDev>(U{1}), period_text("detrended stddev needs period >= 2")},
        {"DetrendedStdDev 2", box<DetrendedStdDev>(U{2}), ""},
        {"CoefficientOfVariation 0", box<CoefficientOfVariation>(U{0}), kZeroText},
        {"CoefficientOfVariation long", box<CoefficientOfVariation>(kMax + 1), kMaxText},
        {"MedianAbsoluteDeviation 0", box<MedianAbsoluteDeviation>(U{0}), kZeroText},
        {"MedianAbsoluteDeviation long", box<MedianAbsoluteDeviation>(kMax + 1), kMaxText},
        {"Autocorrelation lag 0", box<Autocorrelation>(U{0}, U{0}), period_text("autocorrelation lag must be >= 1")},
        {"Autocorrelation 5/5", box<Autocorrelation>(U{5}, U{5}), period_text("autocorrelation needs period > lag")},
        {"Autocorrelation 0/1", box<Autocorrelation>(U{0}, U{1}), period_text("autocorrelation needs period > lag")},
        {"Autocorrelation 5/4", box<Autocorrelation>(U{5}, U{4}), ""},
        {"Autocorrelation long", box<Autocorrelation>(kMax + 1, U{1}), kMaxText},
        {"HurstExponent chunks 1", box<HurstExponent>(U{0}, U{1}), period_text("Hurst chunks must be >= 2")},
        {"HurstExponent chunks long", box<HurstExponent>(U{8}, kMax + 1), kMaxText},
        {"HurstExponent 7/4", box<HurstExponent>(U{7}, U{4}), period_text("Hurst period must be >= 2 * chunks")},
        {"HurstExponent 8/4", box<HurstExponent>(U{8}, U{4}), ""},
        {"HurstExponent long", box<HurstExponent>(kMax + 1, U{2}), kMaxText},
        {"ShannonEntropy bins 0", box<ShannonEntropy>(U{5}, U{0}), kZeroText},
        {"ShannonEntropy period 0", box<ShannonEntropy>(U{0}, U{1}), kZeroText},
        {"ShannonEntropy bins 1", box<ShannonEntropy>(U{5}, U{1}), period_text("Shannon entropy needs bins >= 2")},
        {"ShannonEntropy bins long", box<ShannonEntropy>(U{5}, kMax + 1), kMaxText},
        {"ShannonEntropy period long", box<ShannonEntropy>(kHuge, U{2}), kMaxText},
        {"SampleEntropy 4/2", box<SampleEntropy>(U{4}, U{2}, 0.2), ""},
        {"SampleEntropy 4/3", box<SampleEntropy>(U{4}, U{3}, 0.2), se},
        {"SampleEntropy m huge", box<SampleEntropy>(U{4}, kHuge, 0.2), se},
        {"SampleEntropy m wraps", box<SampleEntropy>(U{4}, kHuge - 1, 0.2), se},
        {"SampleEntropy 1/1", box<SampleEntropy>(U{1}, U{1}, 0.2), se},
        {"SampleEntropy m 0", box<SampleEntropy>(U{4}, U{0}, -1.0), kZeroText},
        {"SampleEntropy r 0", box<SampleEntropy>(U{4}, U{2}, 0.0), se_r},
        {"SampleEntropy r nan", box<SampleEntropy>(U{4}, U{2}, NAN), se_r},
        {"SampleEntropy r subnormal", box<SampleEntropy>(U{4}, U{2}, 5e-324), ""},
        {"SampleEntropy period long", box<SampleEntropy>(kMax + 1, U{2}, 0.2), kMaxText},
        {"RollingQuantile 0", box<RollingQuantile>(U{0}, 7.0), kZeroText},
        {"RollingQuantile long", box<RollingQuantile>(kMax + 1, 7.0), kMaxText},
        {"RollingQuantile q 0", box<RollingQuantile>(U{4}, 0.0), ""},
        {"RollingQuantile q -0", box<RollingQuantile>(U{4}, -0.0), ""},
        {"RollingQuantile q 1", box<RollingQuantile>(U{4}, 1.0), ""},
        {"RollingQuantile q above 1", box<RollingQuantile>(U{4}, std::nextafter(1.0, 2.0)), q},
        {"RollingQuantile q nan", box<RollingQuantile>(U{4}, NAN), q},
        {"RollingIqr 0", box<RollingIqr>(U{0}), kZeroText},
        {"RollingIqr long", box<RollingIqr>(kMax + 1), kMaxText},
        {"RollingPercentileRank 0", box<RollingPercentileRank>(U{0}), kZeroText},
        {"RollingPercentileRank long", box<RollingPercentileRank>(kMax + 1), kMaxText},
        {"RollingMinMaxScaler 1", box<RollingMinMaxScaler>(U{1}), period_text("min-max scaler needs period >= 2")},
        {"RollingMinMaxScaler long", box<RollingMinMaxScaler>(kMax + 1), kMaxText},
    });
}

// Values too large for fourth powers (their deviations' powers overflow): once they
// have left, the moments are the window's own. The window [5, 2, 1, 5, 2, 5] has
// deviations (5, -4, -7, 5, -4, 5)/3: m2 = 26/9, m3 = -16/27, m4 = 266/27.
TEST(CloseStatisticsValues, MomentsOfTheWindowOnceHugeValuesHaveLeft) {
    const std::vector<double> closes = {-3e153, -1e154, 1e154, 3, 2, 5, 2, 1, 5, 2, 5};
    struct Case {
        const char* what;
        test::Maker make;
        double want;
    };
    const Case cases[] = {
        {"Skewness", box<Skewness>(U{6}), -8.0 / (13.0 * std::sqrt(26.0))},
        {"Kurtosis", box<Kurtosis>(U{6}), 399.0 / 338.0 - 3.0},
    };
    for (const Case& c : cases) {
        auto ind = c.make();
        ASSERT_TRUE(ind) << c.what;
        std::optional<double> got;
        for (double x : closes) got = test::feed_close(**ind, x);
        ASSERT_TRUE(got) << c.what;
        EXPECT_NEAR(*got, c.want, 1e-12) << c.what;
    }
}

TEST(CloseStatisticsValues, HandWorkedSeries) {
    // [1, 2, 3, 10]: mean 4, deviations -3, -2, -1, 6; m2 = 12.5, m3 = 45, m4 = 348.5.
    const double kurt = 348.5 / (12.5 * 12.5) - 3.0;
    const double skew4 = 45.0 / std::pow(12.5, 1.5);
    // [1, 2, 6]: deviations -2, -1, 3; m2 = 14/3, m3 = 6.
    const double skew3 = 6.0 / std::pow(14.0 / 3.0, 1.5);
    // Hurst over [1, 2, 4, 3], two chunk sizes: R/S = 2/√1.25 for the whole, 1 for each half.
    const double hurst = std::log(2.0 / std::sqrt(1.25)) / std::log(2.0);
    test::expect_all_series({
        {"LinRegSlope ramp", box<LinRegSlope>(U{3}), {1, 2, 3}, last_of(3, 1.0)},
        {"LinRegAngle ramp", box<LinRegAngle>(U{3}), {1, 2, 3}, last_of(3, 45.0)},
        {"LinRegIntercept ramp", box<LinRegIntercept>(U{3}), {1, 2, 3}, last_of(3, 1.0)},
        {"LinearRegression ramp", box<LinearRegression>(U{3}), {1, 2, 3}, last_of(3, 3.0)},
        {"LinRegSlope flat", box<LinRegSlope>(U{2}), {5, 5, 5}, {kNone, 0.0, 0.0}},
        // Line through (0,1), (1,2), (2,4): slope 1.5, intercept 5/6.
        {"LinRegIntercept bent", box<LinRegIntercept>(U{3}), {1, 2, 4}, last_of(3, 5.0 / 6.0)},
        {"LinRegAngle falling", box<LinRegAngle>(U{2}), {3, 2}, {kNone, -45.0}},
        {"Kurtosis", box<Kurtosis>(U{4}), {1, 2, 3, 10}, last_of(4, kurt)},
        {"JarqueBera", box<JarqueBera>(U{4}), {1, 2, 3, 10},
         last_of(4, (skew4 * skew4 + kurt * kurt * 0.25) * (4.0 / 6.0))},
        {"Skewness symmetric", box<Skewness>(U{3}), {1, 2, 3}, last_of(3, 0.0)},
        {"Skewness", box<Skewness>(U{3}), {1, 2, 6}, last_of(3, skew3)},
        {"MedianAbsoluteDeviation", box<MedianAbsoluteDeviation>(U{4}), {1, 2, 3, 10}, last_of(4, 1.0)},
        {"MedianAbsoluteDeviation odd", box<MedianAbsoluteDeviation>(U{3}), {9, 1, 4, 4}, {kNone, kNone, 3.0, 0.0}},
        {"HurstExponent", box<HurstExponent>(U{4}, U{2}), {1, 2, 4, 3}, last_of(4, hurst)},
        // deviations -1.5, -0.5, 0.5, 1.5: V = 5, lag-1 products 0.75 - 0.25 + 0.75.
        {"Autocorrelation", box<Autocorrelation>(U{4}, U{1}), {1, 2, 3, 4}, last_of(4, 0.25)},
        {"CoefficientOfVariation", box<CoefficientOfVariation>(U{3}), {1, 2, 3}, last_of(3, std::sqrt(2.0 / 3.0) / 2.0)},
        {"CoefficientOfVariation zero mean", box<CoefficientOfVariation>(U{3}), {-1, 0, 1}, last_of(3, 0.0)},
        {"CoefficientOfVariation negative mean", box<CoefficientOfVariation>(U{3}), {-1, -2, -3},
         last_of(3, -std::sqrt(2.0 / 3.0) / 2.0)},
        {"DetrendedStdDev line", box<DetrendedStdDev>(U{4}), {3, 5, 7, 9, 11}, {kNone, kNone, kNone, 0.0, 0.0}},
        // Residuals of (0,1), (1,2), (2,4) about y = 5/6 + 1.5 i: 1/6, -1/3, 1/6.
        {"DetrendedStdDev bent", box<DetrendedStdDev>(U{3}), {1, 2, 4}, last_of(3, std::sqrt(1.0 / 18.0))},
        {"RSquared line", box<RSquared>(U{3}), {1, 2, 3}, last_of(3, 1.0)},
        // Explained 1.5² · 2 = 4.5 of a total 14/3.
        {"RSquared bent", box<RSquared>(U{3}), {1, 2, 4}, last_of(3, 27.0 / 28.0)},
        {"ShannonEntropy two bins", box<ShannonEntropy>(U{4}, U{2}), {1, 2, 3, 4}, last_of(4, 1.0)},
        {"ShannonEntropy top bin held", box<ShannonEntropy>(U{4}, U{4}), {1, 2, 3, 4}, last_of(4, 2.0)},
        // Starts 0..4 hold 1,1,1,2,1: six equal pairs, three still equal one step on.
        {"SampleEntropy", box<SampleEntropy>(U{6}, U{1}, 0.5), {1, 1, 1, 2, 1, 1}, last_of(6, std::log(2.0))},
        // One pair matches at length 1 (1 and 1), none at length 2: ln(1).
        {"SampleEntropy no longer match", box<SampleEntropy>(U{5}, U{1}, 0.5), {1, 2, 1, 3, 1}, last_of(5, 0.0)},
        {"RollingQuantile median", box<RollingQuantile>(U{4}, 0.5), {4, 1, 3, 2}, last_of(4, 2.5)},
        {"RollingQuantile min", box<RollingQuantile>(U{4}, 0.0), {4, 1, 3, 2}, last_of(4, 1.0)},
        {"RollingQuantile max", box<RollingQuantile>(U{4}, 1.0), {4, 1, 3, 2}, last_of(4, 4.0)},
        {"RollingQuantile slides", box<RollingQuantile>(U{2}, 0.25), {4, 1, 3}, {kNone, 1.75, 1.5}},
        {"RollingIqr", box<RollingIqr>(U{5}), {1, 2, 3, 4, 5}, last_of(5, 2.0)},
        {"RollingPercentileRank equal", box<RollingPercentileRank>(U{3}), {5, 5, 5}, last_of(3, 50.0)},
        {"RollingPercentileRank top", box<RollingPercentileRank>(U{3}), {1, 2, 3}, last_of(3, 250.0 / 3.0)},
        {"RollingMinMaxScaler top", box<RollingMinMaxScaler>(U{3}), {1, 2, 3}, last_of(3, 1.0)},
        {"RollingMinMaxScaler bottom", box<RollingMinMaxScaler>(U{3}), {3, 2, 1}, last_of(3, 0.0)},
        {"RollingMinMaxScaler middle", box<RollingMinMaxScaler>(U{3}), {3, 1, 2, 9}, {kNone, kNone, 0.5, 1.0}},
    });
}

// A flat window has a fixed answer. The mean of n equal prices is often not that
// price in floating point, so a spread computed about it is rounding noise, not 0;
// the answer must still be the flat-window one, also right after a huge value left.
TEST(CloseStatisticsValues, FlatWindowsGiveTheirFixedAnswers) {
    struct Flat {
        const char* label;
        test::Maker make;
        double want;
        bool immediate;  // exact as soon as the huge value has left, not one re-centring later
    };
    const U n = 7;
    const std::vector<Flat> cases = {
        {"Kurtosis", box<Kurtosis>(n), 0.0, true},
        {"Skewness", box<Skewness>(n), 0.0, true},
        {"JarqueBera", box<JarqueBera>(n), 0.0, true},
        {"Autocorrelation", box<Autocorrelation>(n, U{2}), 0.0, true},
        {"HurstExponent", box<HurstExponent>(n, U{3}), 0.5, true},
        {"RSquared", box<RSquared>(n), 1.0, true},
        {"LinRegSlope", box<LinRegSlope>(n), 0.0, false},
        {"DetrendedStdDev", box<DetrendedStdDev>(n), 0.0, true},
        {"CoefficientOfVariation", box<CoefficientOfVariation>(n), 0.0, false},
        {"MedianAbsoluteDeviation", box<MedianAbsoluteDeviation>(n), 0.0, true},
        {"ShannonEntropy", box<ShannonEntropy>(n, U{4}), 0.0, true},
        {"SampleEntropy", box<SampleEntropy>(n, U{2}, 0.2), 0.0, true},
        {"RollingIqr", box<RollingIqr>(n), 0.0, true},
        {"RollingMinMaxScaler", box<RollingMinMaxScaler>(n), 0.5, true},
        {"RollingPercentileRank", box<RollingPercentileRank>(n), 50.0, true},
    };
    for (const double level : {101.37, 0.1, 3.3}) {
        for (const Flat& c : cases) {
            SCOPED_TRACE(c.label);
            auto ind = c.make();
            ASSERT_TRUE(ind);
            // A huge value first, then a long flat run through several re-centrings.
            test::feed_close(**ind, 1e12);
            for (U i = 0; i < 6 * n; ++i) {
                const auto got = test::feed_close(**ind, level);
                if (i + 1 < (c.immediate ? n : 2 * n)) continue;
                ASSERT_TRUE(got) << i;
                EXPECT_NEAR(*got, c.want, 1e-9) << "level " << level << " bar " << i;
            }
        }
    }
}

// A rise by 1e5 a bar from 1e-310: one value dwarfs the rest of each window, the
// skewness nears its bound (n - 2)/sqrt(n - 1) and the kurtosis its bound, and the
// cubes and fourth powers near the subnormal range rounded past both.
TEST(CloseStatisticsValues, MomentsStayWithinTheirBounds) {
    const double n = 20;
    auto skew = box<Skewness>(U{20})();
    auto kurt = box<Kurtosis>(U{20})();
    ASSERT_TRUE(skew && kurt);
    const double skew_bound = (n - 2) / std::sqrt(n - 1), kurt_bound = (n * n - 3 * n + 3) / (n - 1) - 3;
    double x = 1.7e-310;
    for (int i = 0; i < 70; ++i, x *= 1e5) {
        const auto s = test::feed_close(**skew, x);
        const auto k = test::feed_close(**kurt, x);
        // Where the variance's powers underflow the moments are 0/0: outside the
        // arithmetic's scale, not a value to bound.
        if (!s || !k || std::isnan(*s) || std::isnan(*k)) continue;
        EXPECT_LE(std::fabs(*s), skew_bound) << "bar " << i;
        EXPECT_GE(*k, -2.0) << "bar " << i;
        EXPECT_LE(*k, kurt_bound) << "bar " << i;
    }
}

TEST(CloseStatisticsValues, WarmupAndNonFiniteRefusal) {
    const std::vector<std::pair<const char*, test::Maker>> makers = {
        {"Kurtosis", box<Kurtosis>(U{9})},
        {"Skewness", box<Skewness>(U{5})},
        {"JarqueBera", box<JarqueBera>(U{6})},
        {"LinRegSlope", box<LinRegSlope>(U{5})},
        {"LinRegAngle", box<LinRegAngle>(U{4})},
        {"LinRegIntercept", box<LinRegIntercept>(U{6})},
        {"LinearRegression", box<LinearRegression>(U{7})},
        {"MedianAbsoluteDeviation", box<MedianAbsoluteDeviation>(U{6})},
        {"HurstExponent", box<HurstExponent>(U{16}, U{4})},
        {"Autocorrelation", box<Autocorrelation>(U{10}, U{3})},
        {"CoefficientOfVariation", box<CoefficientOfVariation>(U{5})},
        {"DetrendedStdDev", box<DetrendedStdDev>(U{5})},
        {"RSquared", box<RSquared>(U{5})},
        {"ShannonEntropy", box<ShannonEntropy>(U{8}, U{3})},
        {"SampleEntropy", box<SampleEntropy>(U{12}, U{2}, 0.3)},
        {"RollingQuantile", box<RollingQuantile>(U{5}, 0.3)},
        {"RollingIqr", box<RollingIqr>(U{5})},
        {"RollingPercentileRank", box<RollingPercentileRank>(U{5})},
        {"RollingMinMaxScaler", box<RollingMinMaxScaler>(U{5})},
    };
    for (const auto& [label, make] : makers) test::expect_warmup_and_refusal(label, make);
}
