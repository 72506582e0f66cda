#include <gtest/gtest.h>

#include <cmath>

#include "test_support.hpp"
#include "indicators/statistics/standard_error.hpp"
#include "indicators/statistics/std_dev.hpp"
#include "indicators/statistics/tsf.hpp"
#include "indicators/statistics/variance.hpp"
#include "indicators/statistics/z_score.hpp"

using namespace torvex;
using test::box;
using test::kMaxText;
using test::kNone;
using test::kZeroText;

TEST(StatConstruct, ChecksAndMessagesInOrder) {
    const std::string se = "invalid period: standard error needs period >= 3";
    const std::string tsf = "invalid period: time series forecast needs period >= 2";
    const std::uint64_t kMax = MAX_PERIOD;
    test::expect_builds({
        {"StandardError 0", box<StandardError>(std::uint64_t{0}), se},
        {"StandardError 2", box<StandardError>(std::uint64_t{2}), se},
        {"StandardError 3", box<StandardError>(std::uint64_t{3}), ""},
        {"StandardError long", box<StandardError>(kMax + 1), kMaxText},
        {"Tsf 0", box<Tsf>(std::uint64_t{0}), tsf},
        {"Tsf 1", box<Tsf>(std::uint64_t{1}), tsf},
        {"Tsf max", box<Tsf>(kMax), ""},
        {"Tsf long", box<Tsf>(kMax + 1), kMaxText},
        {"StdDev 0", box<StdDev>(std::uint64_t{0}), kZeroText},
        {"Variance long", box<Variance>(kMax + 1), kMaxText},
        {"ZScore max", box<ZScore>(kMax), ""},
        {"ZScore 0", box<ZScore>(std::uint64_t{0}), kZeroText},
    });
}

TEST(StatValues, HandWorkedSeries) {
    const std::uint64_t five = 5, three = 3, two = 2;
    const std::vector<double> ramp = {1, 2, 3, 4, 5};
    const auto at_end = [](double v) { return std::vector<std::optional<double>>{kNone, kNone, kNone, kNone, v}; };
    test::expect_all_series({
        {"Variance ramp", box<Variance>(five), ramp, at_end(2.0)},
        {"StdDev ramp", box<StdDev>(five), ramp, at_end(std::sqrt(2.0))},
        {"ZScore ramp", box<ZScore>(five), ramp, at_end(2.0 / std::sqrt(2.0))},
        {"Tsf ramp", box<Tsf>(five), ramp, at_end(6.0)},
        {"StandardError ramp", box<StandardError>(five), ramp, at_end(0.0)},
        {"Variance flat", box<Variance>(three), {7, 7, 7, 7}, {kNone, kNone, 0.0, 0.0}},
        {"StdDev flat", box<StdDev>(three), {7, 7, 7}, {kNone, kNone, 0.0}},
        {"ZScore flat", box<ZScore>(three), {7, 7, 7}, {kNone, kNone, 0.0}},
        {"ZScore n=1", box<ZScore>(std::uint64_t{1}), {3, -8}, {0.0, 0.0}},
        {"Tsf flat", box<Tsf>(three), {7, 7, 7}, {kNone, kNone, 7.0}},
        {"StandardError flat", box<StandardError>(three), {7, 7, 7}, {kNone, kNone, 0.0}},
        // Line through (0,1), (1,2), (2,4): slope 1.5, intercept 5/6.
        {"StandardError bent", box<StandardError>(three), {1, 2, 4}, {kNone, kNone, std::sqrt(1.0 / 6.0)}},
        {"Tsf bent", box<Tsf>(three), {1, 2, 4}, {kNone, kNone, 5.0 / 6.0 + 4.5}},
        {"Tsf n=2", box<Tsf>(two), {3, 7, 4}, {kNone, 11.0, 1.0}},
    });
}

TEST(StatValues, LargeLevelsKeepSmallSpreadsExact) {
    // Around 1e9 the squares carry an ulp of 128, far above a variance of 0.125; the
    // shifted sums must still give it, however often they are re-centred.
    auto variance = box<Variance>(std::uint64_t{5})();
    auto z = box<ZScore>(std::uint64_t{5})();
    auto tsf = box<Tsf>(std::uint64_t{4})();
    ASSERT_TRUE(variance && z && tsf);
    for (int i = 0; i < 3000; ++i) {
        const int k = i % 5;
        const double x = 1e9 + 0.25 * k;
        const auto v = test::feed_close(**variance, x);
        const auto zs = test::feed_close(**z, x);
        const auto f = test::feed_close(**tsf, 1e9 + 0.5 * i);
        if (i < 4) continue;
        EXPECT_NEAR(*v, 0.125, 1e-9) << i;
        EXPECT_NEAR(*zs, (k - 2) / std::sqrt(2.0), 1e-6) << i;
        EXPECT_NEAR(*f, 1e9 + 0.5 * (i + 1), 1e-6) << i;
    }
}

TEST(StatContract, WarmupAndNonFiniteCloses) {
    const std::vector<std::pair<const char*, test::Maker>> all = {
        {"StandardError", box<StandardError>(std::uint64_t{6})},
        {"StdDev", box<StdDev>(std::uint64_t{4})},
        {"Variance", box<Variance>(std::uint64_t{7})},
        {"ZScore", box<ZScore>(std::uint64_t{3})},
        {"Tsf", box<Tsf>(std::uint64_t{5})},
    };
    for (const auto& [label, make] : all) test::expect_warmup_and_refusal(label, make);
}
