// Answers after an extreme input: a window that has turned flat again after a huge
// value must read as flat as soon as the value has left it, and no average or
// oscillator may lock up or leak a NaN.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "registry/registry.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

struct SpikeCase {
    const char* name;
    std::vector<double> params;
    int turnover;  // bars after the spike until every window holding it has let it go
};

// Noisy closes around 100, one close of 1e12, then a flat run at 100. From bar
// spike + turnover + 1 on, the answer must equal that of a fresh indicator fed only the
// flat run: its windows hold the same values, so its sums must too.
TEST(ExtremeValues, FlatWindowAfterHugeValueReadsFlat) {
    const SpikeCase cases[] = {
        {"Sma", {14}, 14},
        {"Variance", {14}, 14},
        {"StdDev", {14}, 14},
        {"ZScore", {14}, 14},
        {"StandardError", {14}, 14},
        {"Tsf", {14}, 14},
        {"Cfo", {14}, 14},
        {"BollingerBands", {14, 2}, 14},
        {"BollingerBandwidth", {14, 2}, 14},
        {"Cmo", {14}, 15},  // the spike brings a gain, the next bar a loss
        {"VerticalHorizontalFilter", {14}, 15},
        {"Dpo", {14}, 14},
        {"Tii", {14, 10}, 14 + 10},  // the mean's window, then the deviations'
    };
    std::vector<double> closes;
    for (int i = 0; i < 60; ++i) closes.push_back(100.0 + 3.0 * std::fmod(0.7548776662466927 * i * i, 1.0) - 1.5);
    const std::size_t spike = closes.size();
    closes.push_back(1e12);
    for (int i = 0; i < 400; ++i) closes.push_back(100.0);

    for (const SpikeCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto fed = build_indicator(c.name, c.params);
        auto fresh = build_indicator(c.name, c.params);
        ASSERT_TRUE(fed && fresh);
        std::optional<double> flat;
        for (int i = 0; i < 400; ++i) flat = test::feed_close(**fresh, 100.0);
        ASSERT_TRUE(flat.has_value());
        for (std::size_t t = 0; t < closes.size(); ++t) {
            const auto got = test::feed_close(**fed, closes[t]);
            if (t >= spike + static_cast<std::size_t>(c.turnover) + 1) {
                ASSERT_TRUE(got.has_value()) << "bar " << t;
                // Bit for bit: a residue can hide behind -0.0 == 0.0.
                EXPECT_EQ(std::bit_cast<std::uint64_t>(*got), std::bit_cast<std::uint64_t>(*flat))
                    << *got << " vs " << *flat << ", bar " << t - spike << " after the spike";
            }
        }
    }
}

// A sharp drop makes the McGinley step overshoot below zero; the average restarts
// from the close and follows the flat run instead of repeating the bad value.
TEST(ExtremeValues, McGinleyRecoversAfterSharpDrop) {
    auto m = build_indicator("McGinleyDynamic", std::vector<double>{2});
    ASSERT_TRUE(m);
    std::vector<std::optional<double>> got;
    for (double c : {100.0, 101.0, 99.0, 30.0}) got.push_back(test::feed_close(**m, c));
    for (int i = 0; i < 200; ++i) got.push_back(test::feed_close(**m, 100.0));
    for (std::size_t i = 1; i < got.size(); ++i) {
        ASSERT_TRUE(got[i].has_value()) << i;
        EXPECT_GT(*got[i], 0.0) << i;
    }
    EXPECT_EQ(*got.back(), 100.0);

    // A close of zero still repeats the value: the ratio is undefined there.
    const double before = *test::feed_close(**m, 100.0);
    EXPECT_EQ(test::feed_close(**m, 0.0), before);
}

// Alternating closes near the largest double overflow Tii's sums; its answer must
// stay within 0..100 rather than let a NaN through.
TEST(ExtremeValues, TiiNeverAnswersNaN) {
    auto tii = build_indicator("Tii", std::vector<double>{2, 2});
    ASSERT_TRUE(tii);
    int answered = 0;
    for (int i = 0; i < 40; ++i) {
        const double c = (i % 2 == 0 ? 1.7e308 : -1.7e308);
        if (const auto v = test::feed_close(**tii, c)) {
            ++answered;
            EXPECT_FALSE(std::isnan(*v)) << i;
            EXPECT_GE(*v, 0.0) << i;
            EXPECT_LE(*v, 100.0) << i;
        }
    }
    EXPECT_GT(answered, 30);
}

}  // namespace
}  // namespace torvex
