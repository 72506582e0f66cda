// HtPhasor and Mama: the phasor against a model written from its formulas, first
// values, refused closes and the adaptive pair's constructor checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>

#include "indicators/averages/fama.hpp"
#include "indicators/cycles/ht_phasor.hpp"
#include "indicators/cycles/mama.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

using test::refusal;

// The phasor, newest-first lists and all, as its formulas read.
struct PhasorModel {
    std::deque<double> prices, smooth, detrender, q1, i1;
    double i2 = 0.0, q2 = 0.0, re = 0.0, im = 0.0, period = 0.0;

    static void put(std::deque<double>& b, double v, std::size_t len) {
        b.push_front(v);
        if (b.size() > len) b.pop_back();
    }
    static double hilbert(const std::deque<double>& b, double adj) {
        return (((b[2] * 0.5769 + b[0] * 0.0962) - b[4] * 0.5769) - b[6] * 0.0962) * adj;
    }

    std::optional<std::pair<double, double>> operator()(double c) {
        put(prices, c, 4);
        if (prices.size() < 4) return std::nullopt;
        const auto& p = prices;
        put(smooth, ((((p[2] + p[2]) + p[1] * 3.0) + c * 4.0) + p[3]) / 10.0, 7);
        if (smooth.size() < 7) return std::nullopt;
        const double adj = std::clamp(period, 6.0, 50.0) * 0.075 + 0.54;
        put(detrender, hilbert(smooth, adj), 7);
        if (detrender.size() < 7) return std::nullopt;
        const double Q1 = hilbert(detrender, adj);
        const double I1 = detrender[3];
        put(q1, Q1, 7);
        put(i1, I1, 7);
        if (q1.size() < 7) return std::nullopt;
        const double jI = hilbert(i1, adj), jQ = hilbert(q1, adj);
        const double ni2 = (I1 - jQ) * 0.2 + i2 * 0.8;
        const double nq2 = (Q1 + jI) * 0.2 + q2 * 0.8;
        re = (nq2 * q2 + ni2 * i2) * 0.2 + re * 0.8;
        im = (ni2 * q2 - i2 * nq2) * 0.2 + im * 0.8;
        i2 = ni2;
        q2 = nq2;
        double raw = period;
        if (std::fabs(im) > 2.220446049250313e-16 && std::fabs(re) > 2.220446049250313e-16)
            raw = 6.283185307179586 / std::atan2(im, re);
        raw = std::min(raw, 1.5 * period);
        raw = std::max(raw, 0.67 * period);
        raw = std::clamp(raw, 6.0, 50.0);
        period = 0.8 * period + 0.2 * raw;
        return std::make_pair(I1, Q1);
    }
};

TEST(PhasorAndMama, PhasorMatchesItsFormulas) {
    auto ind = test::boxed(HtPhasor::create());
    ASSERT_TRUE(ind);
    EXPECT_EQ(ind->warmup(), 22u);
    PhasorModel model;
    std::size_t first = 0;
    for (int i = 0; i < 400; ++i) {
        const double c = 100.0 + 8.0 * std::sin(i * 2.0 * 3.141592653589793 / 17.0) + 0.03 * i;
        const auto got = test::feed_close(*ind, c);
        const auto want = model(c);
        ASSERT_EQ(got.has_value(), want.has_value()) << "close " << i + 1;
        if (!want) continue;
        if (first == 0) {
            first = i + 1;
            EXPECT_NEAR(model.period, 1.2, 1e-15);  // raw bounded to 0, raised to 6, then 0.2 x 6
        }
        const auto out = ind->outputs();
        ASSERT_EQ(out.size(), 2u);
        EXPECT_EQ(out[0].name, "inphase");
        EXPECT_EQ(out[1].name, "quadrature");
        EXPECT_EQ(out[0].value, want->first) << "close " << i + 1;
        EXPECT_EQ(out[1].value, want->second) << "close " << i + 1;
    }
    EXPECT_EQ(first, 22u);
}

TEST(PhasorAndMama, WarmupAndRefusedCloses) {
    test::expect_warmup_and_refusal("HtPhasor", test::box<HtPhasor>());
    test::expect_warmup_and_refusal("Mama", test::box<Mama>(0.5, 0.05));
}

TEST(PhasorAndMama, MamaConstructorChecks) {
    const std::string text =
        "invalid period: fast_limit, slow_limit must satisfy 0 < slow_limit <= fast_limit <= 1";
    test::run_check_cases({
        {"0.5, 0.05", [] { return refusal(Mama::create(0.5, 0.05)); }, "built"},
        {"1, 1", [] { return refusal(Mama::create(1.0, 1.0)); }, "built"},
        {"0.5, 0.6", [&] { return refusal(Mama::create(0.5, 0.6)); }, text},
        {"0.5, 0", [&] { return refusal(Mama::create(0.5, 0.0)); }, text},
        {"1.5, 0.05", [&] { return refusal(Mama::create(1.5, 0.05)); }, text},
        {"nan, 0.05", [&] { return refusal(Mama::create(NAN, 0.05)); }, text},
    });
}

// The second line is the following average that Fama answers alone.
TEST(PhasorAndMama, MamaPairCarriesTheFollowingAverage) {
    auto pair = test::boxed(Mama::create(0.5, 0.05));
    auto fama = test::boxed(Fama::create(0.5, 0.05));
    ASSERT_TRUE(pair && fama);
    EXPECT_EQ(pair->warmup(), 33u);
    for (int i = 0; i < 200; ++i) {
        const double c = 50.0 + 5.0 * std::sin(i * 0.3) + 0.1 * i;
        const auto got = test::feed_close(*pair, c);
        const auto want = test::feed_close(*fama, c);
        ASSERT_EQ(got.has_value(), i + 1 >= 33) << "close " << i + 1;
        ASSERT_EQ(got.has_value(), want.has_value());
        if (!got) continue;
        const auto out = pair->outputs();
        EXPECT_EQ(out[1].value, *want);
        // The adaptive average lies within the range of the closes it follows.
        EXPECT_GT(out[0].value, 40.0);
        EXPECT_LT(out[0].value, 80.0);
    }
}

}  // namespace
}  // namespace torvex
