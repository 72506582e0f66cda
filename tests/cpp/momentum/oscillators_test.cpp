#include <gtest/gtest.h>

#include <cmath>

#include "test_support.hpp"
#include "indicators/averages/alma.hpp"
#include "indicators/momentum/apo.hpp"
#include "indicators/bands/bollinger_bandwidth.hpp"
#include "indicators/momentum/cfo.hpp"
#include "indicators/momentum/cmo.hpp"
#include "indicators/momentum/coppock.hpp"
#include "indicators/averages/dema.hpp"
#include "indicators/momentum/derivative_oscillator.hpp"
#include "indicators/momentum/disparity_index.hpp"
#include "indicators/momentum/dpo.hpp"
#include "indicators/bands/percent_b.hpp"
#include "indicators/trend/polarized_fractal_efficiency.hpp"
#include "indicators/momentum/rate_of_change.hpp"

using namespace torvex;
using test::box;
using test::kMaxText;
using test::kNone;
using test::kZeroText;

namespace {
constexpr std::uint64_t kMax = MAX_PERIOD;
}

TEST(OscConstruct, ChecksAndMessagesInOrder) {
    const std::string mult = "multiplier must be greater than zero";
    test::expect_builds({
        {"Alma zero", box<Alma>(std::uint64_t{0}, 0.85, 6.0), kZeroText},
        {"Alma long", box<Alma>(kMax + 1, 2.0, 0.0), kMaxText},
        {"Alma offset", box<Alma>(std::uint64_t{9}, 1.5, 0.0), "invalid period: ALMA offset must be a finite value in [0, 1]"},
        {"Alma neg offset", box<Alma>(std::uint64_t{9}, -0.1, 6.0), "invalid period: ALMA offset must be a finite value in [0, 1]"},
        {"Alma sigma", box<Alma>(std::uint64_t{9}, 0.85, 0.0), "invalid period: ALMA sigma must be a finite positive value"},
        {"Alma ends", box<Alma>(std::uint64_t{9}, -0.0, 6.0), ""},
        {"Alma end 1", box<Alma>(std::uint64_t{9}, 1.0, 1e-300), ""},
        {"Apo zero first", box<Apo>(std::uint64_t{26}, std::uint64_t{0}), kZeroText},
        {"Apo order", box<Apo>(std::uint64_t{12}, std::uint64_t{12}), "invalid period: APO fast period must be strictly less than slow"},
        {"Apo long", box<Apo>(kMax, kMax + 1), kMaxText},
        {"Bbw mult", box<BollingerBandwidth>(std::uint64_t{20}, 0.0), mult},
        {"Bbw neg", box<BollingerBandwidth>(std::uint64_t{20}, -2.0), mult},
        {"Bbw long first", box<BollingerBandwidth>(kMax + 1, 0.0), kMaxText},
        {"PercentB mult", box<PercentB>(std::uint64_t{20}, NAN), mult},
        {"Cfo zero", box<Cfo>(std::uint64_t{0}), kZeroText},
        {"Cfo one", box<Cfo>(std::uint64_t{1}), "invalid period: linear regression needs period >= 2"},
        {"Cfo long", box<Cfo>(kMax + 1), kMaxText},
        {"Cmo zero", box<Cmo>(std::uint64_t{0}), kZeroText},
        {"Coppock zero before bound", box<Coppock>(kMax + 1, std::uint64_t{10}, std::uint64_t{0}), kZeroText},
        {"Coppock long", box<Coppock>(std::uint64_t{10}, std::uint64_t{14}, kMax + 1), kMaxText},
        {"Dema long", box<Dema>(kMax + 1), kMaxText},
        {"DerivOsc zero first", box<DerivativeOscillator>(kMax + 1, std::uint64_t{5}, std::uint64_t{3}, std::uint64_t{0}), kZeroText},
        {"DerivOsc smoothing", box<DerivativeOscillator>(std::uint64_t{14}, std::uint64_t{5}, kMax + 1, std::uint64_t{9}), kMaxText},
        {"Disparity zero", box<DisparityIndex>(std::uint64_t{0}), kZeroText},
        {"Dpo long", box<Dpo>(kMax + 1), kMaxText},
        {"Roc zero", box<Roc>(std::uint64_t{0}), kZeroText},
        {"Mom max", box<Mom>(kMax), ""},
        {"Rocr100 long", box<Rocr100>(kMax + 1), kMaxText},
        {"Pfe period bound before smoothing zero", box<PolarizedFractalEfficiency>(kMax + 1, std::uint64_t{0}), kMaxText},
        {"Pfe smoothing", box<PolarizedFractalEfficiency>(std::uint64_t{10}, kMax + 1), kMaxText},
    });
}

TEST(OscValues, HandWorkedSeries) {
    const std::uint64_t one = 1, two = 2, three = 3;
    test::expect_all_series({
        {"Roc", box<Roc>(one), {10, 11}, {kNone, 10.0}},
        {"Roc old -0", box<Roc>(one), {-0.0, 3}, {kNone, 0.0}},
        {"Rocp", box<Rocp>(one), {4, 5}, {kNone, 0.25}},
        {"Rocr100", box<Rocr100>(one), {4, 5}, {kNone, 125.0}},
        {"Rocr zero old", box<Rocr>(two), {0, 1, 5, 3}, {kNone, kNone, 0.0, 3.0}},
        {"Mom zero old", box<Mom>(two), {0, 1, 5, 3}, {kNone, kNone, 5.0, 2.0}},
        {"Alma n=1", box<Alma>(one, 0.3, 2.0), {7, -2}, {7.0, -2.0}},
        {"Alma 9", box<Alma>(std::uint64_t{9}, 0.85, 6.0), {10, 11, 9, 12, 13, 12, 15, 14, 16},
         {kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, 14.321403109518366}},
        // Width 2·d² underflows: all weight on the position nearest the peak.
        {"Alma huge sigma", box<Alma>(three, 1.0, 1e300), {1, 2, 7, 4}, {kNone, kNone, 7.0, 4.0}},
        {"Apo", box<Apo>(two, three), {1, 2, 3, 4}, {kNone, kNone, 0.5, 0.5}},
        {"Bbw", box<BollingerBandwidth>(three, 2.0), {1, 2, 3}, {kNone, kNone, 1.632993161855452}},
        {"Bbw flat", box<BollingerBandwidth>(three, 2.0), {5, 5, 5}, {kNone, kNone, 0.0}},
        {"Bbw zero mean", box<BollingerBandwidth>(three, 2.0), {-1, 0, 1}, {kNone, kNone, 0.0}},
        {"PercentB", box<PercentB>(three, 2.0), {1, 2, 3}, {kNone, kNone, 0.8061862178478972}},
        {"PercentB flat", box<PercentB>(three, 2.0), {3, 3, 3}, {kNone, kNone, 0.5}},
        {"Cfo", box<Cfo>(three), {1, 2, 4, 0}, {kNone, kNone, 4.1666666666666625, 4.1666666666666625}},
        {"Cfo zero before answer", box<Cfo>(two), {1, 0, 1}, {kNone, kNone, 0.0}},
        {"Cmo", box<Cmo>(two), {1, 2, 4, 3, 3, 3}, {kNone, kNone, 100.0, 100.0 / 3.0, -100.0, 0.0}},
        {"Coppock", box<Coppock>(one, two, two), {1, 2, 4, 6}, {kNone, kNone, kNone, 300.0}},
        {"Coppock zero old", box<Coppock>(one, one, one), {0, 5}, {kNone, 0.0}},
        {"Dema", box<Dema>(two), {1, 2, 3, 4}, {kNone, kNone, 3.0, 4.0}},
        {"Dema flat", box<Dema>(three), {7, 7, 7, 7, 7}, {kNone, kNone, kNone, kNone, 7.0}},
        {"DerivOsc", box<DerivativeOscillator>(one, one, one, two), {1, 2, 1, 2}, {kNone, kNone, -50.0, 50.0}},
        // Smoothing lengths 3 then 2: swapping them changes the last two answers.
        {"DerivOsc chain", box<DerivativeOscillator>(two, three, two, two), {1, 2, 4, 3, 5, 4, 6, 5, 7},
         {kNone, kNone, kNone, kNone, kNone, kNone, -0.06773101112723623, -3.9321863239732266, 1.683375706331418}},
        {"Disparity", box<DisparityIndex>(two), {1, 3, -3}, {kNone, 50.0, 0.0}},
        // The running sum of 0.2 and -0.2 after the 0.1s reads 2.8e-17 (an index of
        // -1.4e18); the window's own mean is 0.
        {"Disparity cancelled", box<DisparityIndex>(two), {0.1, 0.1, 0.2, -0.2}, {kNone, 0.0, 33.33333333333332, 0.0}},
        {"Dpo n=1", box<Dpo>(one), {5, 7, 9}, {kNone, 0.0, 0.0}},
        {"Dpo n=2", box<Dpo>(two), {1, 2, 4, 8}, {kNone, kNone, -1.0, -2.0}},
        {"Dpo n=4", box<Dpo>(std::uint64_t{4}), {1, 2, 4, 8, 16}, {kNone, kNone, kNone, -1.75, -3.5}},
        {"Pfe straight", box<PolarizedFractalEfficiency>(two, one), {1, 2, 3}, {kNone, kNone, 100.0}},
        {"Pfe bent", box<PolarizedFractalEfficiency>(two, one), {1, 3, 2}, {kNone, kNone, 61.25741132772069}},
        // Raw values 100·√5/(√5 + √2), -100·√5/(1 + √2), 100·√13/(1 + √10) through an
        // average of 2: seeded by the mean of the first two, then weight 2/3 on the new one.
        {"Pfe smoothed", box<PolarizedFractalEfficiency>(two, two), {1, 3, 2, 2, 5},
         {kNone, kNone, kNone, -15.681778469569139, 52.522392180716885}},
        {"Pfe falling flat", box<PolarizedFractalEfficiency>(two, one), {3, 2, 1, 1, 1}, {kNone, kNone, -100.0, -100.0 * std::sqrt(5.0) / (1.0 + std::sqrt(2.0)), 0.0}},
    });
}

TEST(OscValues, PathSumRecoversAfterHugeSegmentLeaves) {
    // The 1e20 jump absorbs the unit segments; once it has left the window the path
    // must again be the sum of the segments held, so a flat window answers 0.
    auto pfe = box<PolarizedFractalEfficiency>(std::uint64_t{2}, std::uint64_t{1})();
    ASSERT_TRUE(pfe);
    const auto got = test::feed_closes(**pfe, {0, 1e20, 1e20, 1e20, 1e20, 1e20, 1e20});
    EXPECT_EQ(got[2], 100.0);
    EXPECT_EQ(got.back(), 0.0);
}

TEST(OscValues, GainLossSumsRecoverAfterHugeChangeLeaves) {
    // Gains 1e16 and 0.5 share the sum, so 0.5 is lost until the sums are re-added
    // from the window; then the window of changes +0.5, +0.25, -0.25 (in some order)
    // answers 100·(0.75 - 0.25)/1 = 50, where the plain running sums stay at 0.
    auto cmo = box<Cmo>(std::uint64_t{3})();
    ASSERT_TRUE(cmo);
    std::vector<double> closes = {0, 1e16, 0};
    const double steps[] = {0.5, 0.25, -0.25};
    for (int i = 0; i < 60; ++i) closes.push_back(closes.back() + steps[i % 3]);
    EXPECT_EQ(test::feed_closes(**cmo, closes).back(), 50.0);
}

TEST(OscContract, WarmupAndNonFiniteCloses) {
    const std::uint64_t n = 5;
    const std::vector<std::pair<const char*, test::Maker>> all = {
        {"Alma", box<Alma>(std::uint64_t{9}, 0.85, 6.0)},
        {"Apo", box<Apo>(std::uint64_t{4}, std::uint64_t{11})},
        {"BollingerBandwidth", box<BollingerBandwidth>(n, 2.0)},
        {"PercentB", box<PercentB>(n, 1.5)},
        {"Cfo", box<Cfo>(n)},
        {"Cmo", box<Cmo>(n)},
        {"Coppock", box<Coppock>(std::uint64_t{6}, std::uint64_t{3}, std::uint64_t{4})},
        {"Dema", box<Dema>(n)},
        {"DerivativeOscillator", box<DerivativeOscillator>(std::uint64_t{14}, n, std::uint64_t{3}, std::uint64_t{9})},
        {"DisparityIndex", box<DisparityIndex>(n)},
        {"Dpo", box<Dpo>(std::uint64_t{7})},
        {"Mom", box<Mom>(n)},
        {"Roc", box<Roc>(n)},
        {"Rocp", box<Rocp>(n)},
        {"Rocr", box<Rocr>(n)},
        {"Rocr100", box<Rocr100>(n)},
        {"PolarizedFractalEfficiency", box<PolarizedFractalEfficiency>(std::uint64_t{6}, std::uint64_t{4})},
    };
    for (const auto& [label, make] : all) test::expect_warmup_and_refusal(label, make);
}
