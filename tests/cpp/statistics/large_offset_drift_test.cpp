// The running-sum statistics against a direct two-pass computation of every window
// over a long series far from zero: prices near 1e6 that move by about 1e-2 a bar,
// where summing raw values would cancel away most digits and drift would build up.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <deque>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "test_support.hpp"
#include "indicators/statistics/autocorrelation.hpp"
#include "indicators/statistics/coefficient_of_variation.hpp"
#include "indicators/statistics/detrended_std_dev.hpp"
#include "indicators/statistics/jarque_bera.hpp"
#include "indicators/statistics/kurtosis.hpp"
#include "indicators/statistics/lin_reg_angle.hpp"
#include "indicators/statistics/lin_reg_intercept.hpp"
#include "indicators/statistics/lin_reg_slope.hpp"
#include "indicators/statistics/linear_regression.hpp"
#include "indicators/statistics/r_squared.hpp"
#include "indicators/statistics/skewness.hpp"

using namespace torvex;
using test::box;

namespace {

using LD = long double;

// Moments and least-squares fit of one window, two passes in extended precision.
struct Direct {
    LD mean, m2, m3, m4, slope, intercept, ss_res, lag2;
};

Direct direct(const std::deque<double>& w) {
    const LD n = static_cast<LD>(w.size());
    LD sum = 0;
    for (double v : w) sum += v;
    const LD mean = sum / n;
    LD m2 = 0, m3 = 0, m4 = 0, sxy = 0, sxx = 0;
    const LD xc = (n - 1) / 2;
    for (std::size_t i = 0; i < w.size(); ++i) {
        const LD d = w[i] - mean;
        m2 += d * d;
        m3 += d * d * d;
        m4 += d * d * d * d;
        sxy += (static_cast<LD>(i) - xc) * d;
        sxx += (static_cast<LD>(i) - xc) * (static_cast<LD>(i) - xc);
    }
    const LD slope = sxy / sxx;
    const LD intercept = mean - slope * xc;
    LD ss_res = 0;
    for (std::size_t i = 0; i < w.size(); ++i) {
        const LD r = w[i] - (intercept + slope * static_cast<LD>(i));
        ss_res += r * r;
    }
    LD c = 0;
    for (std::size_t i = 0; i + 2 < w.size(); ++i) c += (w[i] - mean) * (w[i + 2] - mean);
    return {mean, m2 / n, m3 / n, m4 / n, slope, intercept, ss_res, c / m2};
}

struct DriftCheck {
    const char* label;
    test::Maker make;
    std::function<LD(const Direct&, LD n)> want;
    LD floor;  // the scale below which the relative error is taken against this instead
};

}  // namespace

TEST(CloseStatisticsDrift, RunningSumsMatchTwoPassOverLongOffsetSeries) {
    const std::uint64_t n = 20;
    const LD nl = static_cast<LD>(n);
    const std::vector<DriftCheck> checks = {
        {"Kurtosis", box<Kurtosis>(n), [](const Direct& d, LD) { return d.m4 / (d.m2 * d.m2) - 3; }, 1},
        {"Skewness", box<Skewness>(n), [](const Direct& d, LD) { return d.m3 / std::pow(d.m2, 1.5L); }, 1},
        {"JarqueBera", box<JarqueBera>(n),
         [](const Direct& d, LD n) {
             const LD s = d.m3 / std::pow(d.m2, 1.5L);
             const LD k = d.m4 / (d.m2 * d.m2) - 3;
             return (s * s + k * k / 4) * n / 6;
         },
         1},
        {"LinRegSlope", box<LinRegSlope>(n), [](const Direct& d, LD) { return d.slope; }, 1e-3L},
        {"LinRegAngle", box<LinRegAngle>(n), [](const Direct& d, LD) { return std::atan(d.slope) * 180 / std::acos(-1.0L); },
         5e-2L},
        {"LinRegIntercept", box<LinRegIntercept>(n), [](const Direct& d, LD) { return d.intercept; }, 1},
        {"LinearRegression", box<LinearRegression>(n),
         [](const Direct& d, LD n) { return d.intercept + d.slope * (n - 1); }, 1},
        {"RSquared", box<RSquared>(n), [](const Direct& d, LD n) { return 1 - d.ss_res / (d.m2 * n); }, 1},
        {"CoefficientOfVariation", box<CoefficientOfVariation>(n),
         [](const Direct& d, LD) { return std::sqrt(d.m2) / d.mean; }, 0},
        {"Autocorrelation", box<Autocorrelation>(n, std::uint64_t{2}), [](const Direct& d, LD) { return d.lag2; }, 1},
        {"DetrendedStdDev", box<DetrendedStdDev>(n), [](const Direct& d, LD n) { return std::sqrt(d.ss_res / n); }, 0},
    };
    std::vector<IndicatorBox> inds;
    for (const DriftCheck& c : checks) {
        auto made = c.make();
        ASSERT_TRUE(made) << c.label;
        inds.push_back(std::move(*made));
    }
    std::vector<double> worst(checks.size(), 0.0);

    std::mt19937_64 rng(7);
    std::normal_distribution<double> step(0.0, 1e-2);
    std::deque<double> window;
    double price = 1e6;
    for (int bar = 0; bar < 100'000; ++bar) {
        price += step(rng);
        window.push_back(price);
        if (window.size() > n) window.pop_front();
        const bool full = window.size() == n;
        const Direct d = full ? direct(window) : Direct{};
        for (std::size_t k = 0; k < checks.size(); ++k) {
            const auto got = test::feed_close(*inds[k], price);
            ASSERT_EQ(got.has_value(), full) << checks[k].label << " bar " << bar;
            if (!full) continue;
            const LD want = checks[k].want(d, nl);
            const LD scale = std::max(std::fabs(want), checks[k].floor);
            const double rel = static_cast<double>(std::fabs(static_cast<LD>(*got) - want) / scale);
            worst[k] = std::max(worst[k], rel);
        }
    }
    for (std::size_t k = 0; k < checks.size(); ++k) {
        EXPECT_LT(worst[k], 1e-9) << checks[k].label;
    }
}
