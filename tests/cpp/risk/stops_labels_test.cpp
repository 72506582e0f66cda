// Close-price trailing stops, trend and regime labels, and the anchored measures:
// checks, hand-worked series and refused closes.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "indicators/momentum/anchored_rsi.hpp"
#include "indicators/risk/percentage_trailing_stop.hpp"
#include "indicators/risk/recovery_factor.hpp"
#include "indicators/risk/regime_label.hpp"
#include "indicators/risk/renko_trailing_stop.hpp"
#include "indicators/risk/step_trailing_stop.hpp"
#include "indicators/risk/trend_label.hpp"
#include "risk_support.hpp"

namespace torvex {
namespace {

using risk_test::after;
using test::box;
using test::kMaxText;

constexpr std::uint64_t kOver = MAX_PERIOD + 1;
std::uint64_t u(std::uint64_t n) { return n; }

TEST(StopsLabels, ChecksAndMessagesInOrder) {
    const std::string mult = "multiplier must be greater than zero";
    const std::string vol = "invalid period: regime label needs vol_period >= 2";
    const std::string look = "invalid period: regime label needs lookback >= 2";
    test::expect_builds({
        {"Percentage 0", box<PercentageTrailingStop>(0.0), mult},
        {"Percentage -1", box<PercentageTrailingStop>(-1.0), mult},
        {"Percentage inf", box<PercentageTrailingStop>(INFINITY), mult},
        {"Percentage millionth", box<PercentageTrailingStop>(1e-6), ""},
        {"Renko -0", box<RenkoTrailingStop>(-0.0), mult},
        {"Renko subnormal", box<RenkoTrailingStop>(5e-324), ""},
        {"Step NaN", box<StepTrailingStop>(NAN), mult},
        {"Step 0", box<StepTrailingStop>(0.0), mult},
        {"Step 1", box<StepTrailingStop>(1.0), ""},
        {"RegimeLabel 1 0", box<RegimeLabel>(u(1), u(0)), vol},
        {"RegimeLabel over 0", box<RegimeLabel>(kOver, u(0)), kMaxText},
        {"RegimeLabel 2 1", box<RegimeLabel>(u(2), u(1)), look},
        {"RegimeLabel 2 over", box<RegimeLabel>(u(2), kOver), kMaxText},
        {"RegimeLabel 2 2", box<RegimeLabel>(u(2), u(2)), ""},
        {"TrendLabel 1", box<TrendLabel>(u(1)), "invalid period: trend label needs period >= 2"},
        {"TrendLabel 0", box<TrendLabel>(u(0)), "invalid period: trend label needs period >= 2"},
        {"TrendLabel over", box<TrendLabel>(kOver), kMaxText},
        {"TrendLabel max", box<TrendLabel>(MAX_PERIOD), ""},
        {"RecoveryFactor", box<RecoveryFactor>(), ""},
        {"AnchoredRsi", box<AnchoredRsi>(), ""},
    });
}

TEST(StopsLabels, HandWorkedSeries) {
    const double e1 = std::exp(0.1);
    const double e2 = std::exp(0.2);
    risk_test::expect_all({
        {"Percentage 100 120 100", box<PercentageTrailingStop>(10.0), {100, 120, 100}, {90.0, 108.0, 110.0}},
        // A close equal to the stop keeps the side; then short, the stop only falls.
        {"Percentage touch", box<PercentageTrailingStop>(10.0), {100, 90, 80, 85, 90},
         {90.0, 90.0, 88.0, 88.0, 81.0}},
        {"Percentage negative close", box<PercentageTrailingStop>(10.0), {-100}, {-110.0}},
        {"Renko two bricks then flip", box<RenkoTrailingStop>(10.0), {100, 125, 104}, {90.0, 110.0, 114.0}},
        {"Renko less than a brick", box<RenkoTrailingStop>(10.0), {100, 109}, {90.0, 90.0}},
        {"Renko down then up", box<RenkoTrailingStop>(10.0), {100, 125, 104, 80, 95}, {90.0, 110.0, 114.0, 94.0, 85.0}},
        {"Step 10.4 11.7 9.5", box<StepTrailingStop>(1.0), {10.4, 11.7, 9.5, 10.8, 11.5}, {9.0, 10.0, 11.0, 11.0, 10.0}},
        {"Step below on the grid", box<StepTrailingStop>(1.0), {10.0}, {9.0}},
        {"Step above on the grid", box<StepTrailingStop>(1.0), {12.0, 10.0}, {11.0, 11.0}},
        {"Step drifts down while long", box<StepTrailingStop>(1.0), {10.4, 10.2, 9.9, 9.0}, {9.0, 9.0, 9.0, 9.0}},
        {"TrendLabel rising", box<TrendLabel>(u(3)), {1, 2, 3}, after(2, {1.0})},
        {"TrendLabel falling", box<TrendLabel>(u(3)), {3, 2, 1}, after(2, {-1.0})},
        {"TrendLabel constant", box<TrendLabel>(u(3)), {2, 2, 2}, after(2, {0.0})},
        {"TrendLabel symmetric", box<TrendLabel>(u(3)), {1, 3, 1, 0}, after(2, {0.0, -1.0})},
        // Returns 0, 0, 0.1, 0.1: volatilities 0, ≈0.0707, then ≈0 over a lookback of 2.
        {"RegimeLabel high then low", box<RegimeLabel>(u(2), u(2)), {1.0, 1.0, 1.0, e1, e2},
         after(3, {1.0, -1.0})},
        {"RecoveryFactor 100 120 90 108", box<RecoveryFactor>(), {100, 120, 90, 108},
         {0.0, 0.0, (0.9 - 1.0) / 0.25, (1.08 - 1.0) / 0.25}},
        {"RecoveryFactor first 0", box<RecoveryFactor>(), {0, 5, 3}, {std::nullopt, std::nullopt, std::nullopt}},
        {"RecoveryFactor never falls", box<RecoveryFactor>(), {1, 2, 3}, {0.0, 0.0, 0.0}},
        {"RecoveryFactor negative closes", box<RecoveryFactor>(), {-5, -3, -10}, {0.0, 0.0, 0.0}},
        {"AnchoredRsi 10 10", box<AnchoredRsi>(), {10, 10}, after(1, {50.0})},
        {"AnchoredRsi 10 11 10", box<AnchoredRsi>(), {10, 11, 10}, after(1, {100.0, 50.0})},
        {"AnchoredRsi flat after rise", box<AnchoredRsi>(), {10, 11, 11, 11}, after(1, {100.0, 100.0, 100.0})},
        {"AnchoredRsi 10 12 11", box<AnchoredRsi>(), {10, 12, 11}, after(1, {100.0, 100.0 - 100.0 / 3.0})},
    });
}

TEST(StopsLabels, RegimeLabelOfDoublingCloses) {
    std::vector<double> closes;
    for (int i = 0; i < 12; ++i) closes.push_back(std::ldexp(1.0, i));
    risk_test::expect_answers("doubling", box<RegimeLabel>(u(3), u(4)), closes, after(6, {0, 0, 0, 0, 0, 0}));
}

TEST(StopsLabels, RegimeLabelRefusesNonPositiveCloses) {
    auto clean = box<RegimeLabel>(u(2), u(3))();
    auto dirty = box<RegimeLabel>(u(2), u(3))();
    ASSERT_TRUE(clean && dirty);
    const std::vector<double> closes = {100, 101, 99, 104, 98, 97, 105, 110, 90, 91};
    for (std::size_t i = 0; i < closes.size(); ++i) {
        EXPECT_FALSE(test::feed_close(**dirty, i % 2 ? 0.0 : -3.0));
        EXPECT_EQ(test::feed_close(**dirty, closes[i]), test::feed_close(**clean, closes[i])) << "bar " << i + 1;
    }
}

TEST(StopsLabels, WarmupAndRefusedCloses) {
    const std::vector<std::pair<const char*, test::Maker>> makers = {
        {"PercentageTrailingStop", box<PercentageTrailingStop>(2.0)},
        {"RenkoTrailingStop", box<RenkoTrailingStop>(1.5)},
        {"StepTrailingStop", box<StepTrailingStop>(0.5)},
        {"RegimeLabel", box<RegimeLabel>(u(5), u(8))},
        {"TrendLabel", box<TrendLabel>(u(6))},
        {"RecoveryFactor", box<RecoveryFactor>()},
        {"AnchoredRsi", box<AnchoredRsi>()},
    };
    for (const auto& [label, make] : makers) test::expect_warmup_and_refusal(label, make);
}

}  // namespace
}  // namespace torvex
