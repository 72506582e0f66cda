// Average-gap, smoothed-momentum and trend oscillators: constructor checks,
// hand-worked answers and edge cases.
#include <gtest/gtest.h>


#include "indicators/momentum/elder_impulse.hpp"
#include "indicators/momentum/macd_histogram.hpp"
#include "indicators/momentum/pmo.hpp"
#include "indicators/momentum/ppo.hpp"
#include "indicators/momentum/ppo_histogram.hpp"
#include "indicators/momentum/stc.hpp"
#include "indicators/momentum/tii.hpp"
#include "indicators/trend/trend_strength_index.hpp"
#include "indicators/momentum/trix.hpp"
#include "indicators/momentum/tsf_oscillator.hpp"
#include "indicators/momentum/tsi.hpp"
#include "indicators/trend/vertical_horizontal_filter.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

using test::Expected;
using test::None;
using test::refusal;
using test::kOver;
const std::string kFastSlow = "invalid period: fast period must be strictly less than slow period";
const std::string kPpoOrder = "invalid period: PPO fast period must be < slow period";
const std::string kStcFactor = "invalid period: STC factor must be a finite value in (0, 1]";

TEST(MomMacdTrend, ConstructorChecksInOrder) {
    test::run_check_cases({
        {"Ppo 12,12", [] { return refusal(Ppo::create(12, 12)); }, kPpoOrder},
        {"Ppo 0,26", [] { return refusal(Ppo::create(0, 26)); }, test::kZero},
        {"Ppo 12,over", [] { return refusal(Ppo::create(12, kOver)); }, test::kTooLong},
        // The signal length is tested first.
        {"PpoHist 12,12,0", [] { return refusal(PpoHistogram::create(12, 12, 0)); }, test::kZero},
        {"PpoHist 12,12,over", [] { return refusal(PpoHistogram::create(12, 12, kOver)); }, test::kTooLong},
        {"PpoHist 12,12,9", [] { return refusal(PpoHistogram::create(12, 12, 9)); }, kPpoOrder},
        {"MacdHist 26,12,9", [] { return refusal(MacdHistogram::create(26, 12, 9)); }, kFastSlow},
        {"MacdHist 26,12,0", [] { return refusal(MacdHistogram::create(26, 12, 0)); }, test::kZero},
        {"MacdHist signal over", [] { return refusal(MacdHistogram::create(12, 26, kOver)); }, test::kTooLong},
        {"MacdHist fast over", [] { return refusal(MacdHistogram::create(kOver, 12, 9)); }, kFastSlow},
        {"Elder 0,26,12,9", [] { return refusal(ElderImpulse::create(0, 26, 12, 9)); }, test::kZero},
        {"Elder over,26,12,9", [] { return refusal(ElderImpulse::create(kOver, 26, 12, 9)); }, test::kTooLong},
        {"Elder 13,26,12,9", [] { return refusal(ElderImpulse::create(13, 26, 12, 9)); }, kFastSlow},
        {"Pmo 1,20", [] { return refusal(Pmo::create(1, 20)); }, "invalid period: PMO smoothing periods must be >= 2"},
        {"Pmo 0,1", [] { return refusal(Pmo::create(0, 1)); }, test::kZero},
        {"Pmo huge", [] { return refusal(Pmo::create(UINT64_MAX, 2)); }, "built"},
        {"Stc 50,23", [] { return refusal(Stc::create(50, 23, 10, 0.5)); },
         "invalid period: STC fast period must be strictly less than slow"},
        {"Stc factor 0", [] { return refusal(Stc::create(23, 50, 10, 0.0)); }, kStcFactor},
        {"Stc factor 1.5", [] { return refusal(Stc::create(23, 50, 10, 1.5)); }, kStcFactor},
        {"Stc factor 1", [] { return refusal(Stc::create(23, 50, 10, 1.0)); }, "built"},
        {"Stc slow over", [] { return refusal(Stc::create(23, kOver, 10, 1.5)); }, kStcFactor},
        {"Stc cycle over", [] { return refusal(Stc::create(23, 50, kOver, 0.5)); }, test::kTooLong},
        {"Trix 0", [] { return refusal(Trix::create(0)); }, test::kZero},
        {"Trix over", [] { return refusal(Trix::create(kOver)); }, test::kTooLong},
        {"Tsi 0,over", [] { return refusal(Tsi::create(0, kOver)); }, test::kZero},
        {"Tsi over,0", [] { return refusal(Tsi::create(kOver, 0)); }, test::kZero},
        {"Tsi 25,over", [] { return refusal(Tsi::create(25, kOver)); }, test::kTooLong},
        {"TsfOsc 0", [] { return refusal(TsfOscillator::create(0)); }, "invalid period: TSF oscillator needs period >= 2"},
        {"TsfOsc over", [] { return refusal(TsfOscillator::create(kOver)); }, test::kTooLong},
        {"Vhf 0", [] { return refusal(VerticalHorizontalFilter::create(0)); }, test::kZero},
        {"Vhf over", [] { return refusal(VerticalHorizontalFilter::create(kOver)); }, test::kTooLong},
        {"Tsi-strength 1", [] { return refusal(TrendStrengthIndex::create(1)); },
         "invalid period: period must be >= 2 for a regression"},
        {"Tsi-strength 0", [] { return refusal(TrendStrengthIndex::create(0)); }, test::kZero},
        {"Tii over,0", [] { return refusal(Tii::create(kOver, 0)); }, test::kZero},
        {"Tii avg over", [] { return refusal(Tii::create(kOver, 3)); }, test::kTooLong},
        {"Tii window over", [] { return refusal(Tii::create(3, kOver)); }, test::kTooLong},
    });
}

TEST(MomMacdTrend, HandWorkedAnswers) {
    const std::vector<double> mixed = {10, 11, 13, 12, 15, 14, 14, 16, 13, 17, 18, 16};
    test::run_series_cases({
        // Fast (2) is 2.5 after one smoothing step, slow (3) just seeded at 2.
        {"Ppo(2,3)", [] { return test::boxed(Ppo::create(2, 3)); }, {1, 2, 3}, {None, None, 25}},
        {"PpoHist(2,3,1)", [] { return test::boxed(PpoHistogram::create(2, 3, 1)); }, {1, 2, 3, 5}, {None, None, 0, 0}},
        {"PpoHist(2,3,2)", [] { return test::boxed(PpoHistogram::create(2, 3, 2)); }, {1, 2, 3, 5, 4},
         {None, None, None, -2.976190476190471, -4.625220458553795}},
        // An overflowing gap is dropped before the signal sees it.
        {"PpoHist overflow", [] { return test::boxed(PpoHistogram::create(1, 2, 1)); }, {-1.7e308, 1e308, -3.5e307},
         {None, None, 0}},
        // Rate 10 seeds both averages (x10 on the way); then -10 with factors 1 and 1/2.
        {"Pmo(2,4)", [] { return test::boxed(Pmo::create(2, 4)); }, {100, 110, 99}, {None, 100, 0}},
        {"Pmo(3,4)", [] { return test::boxed(Pmo::create(3, 4)); }, {100, 110, 99, 99, 120},
         {None, 100.00000000000009, 33.3333333333334, 11.111111111111152, 74.41077441077442}},
        {"Pmo zero prev", [] { return test::boxed(Pmo::create(2, 2)); }, {0, 5}, {None, 0}},
        // An overflowing rate is dropped before it reaches either average.
        {"Pmo infinite rate", [] { return test::boxed(Pmo::create(2, 4)); }, {1e-300, 1e300, 1e300, 2e300},
         {None, None, 0, 500}},
        // macd 0.5 then 2/3; the signal seeds at their mean, leaving 1/12.
        {"MacdHist(2,3,2)", [] { return test::boxed(MacdHistogram::create(2, 3, 2)); }, {1, 2, 3, 5},
         {None, None, None, 1.0 / 12.0}},
        {"Elder(2,2,3,2)", [] { return test::boxed(ElderImpulse::create(2, 2, 3, 2)); }, {1, 2, 4, 8, 16, 15, 14, 20},
         {None, None, None, None, 1, 0, -1, 1}},
        {"Stc(2,3,2,0.5)", [] { return test::boxed(Stc::create(2, 3, 2, 0.5)); }, mixed,
         {None, None, None, None, 100, 50, 25, 62.5, 31.25, 65.625, 82.8125, 41.40625}},
        // n = 1: every average is the close itself.
        {"Trix(1)", [] { return test::boxed(Trix::create(1)); }, {2, 3}, {None, 50}},
        {"Trix(2)", [] { return test::boxed(Trix::create(2)); }, {1, 2, 4, 3, 5, 4, 6},
         {None, None, None, None, 32.77378097521983, 11.840256873369475, 19.19971290148931}},
        {"Tsi(1,1)", [] { return test::boxed(Tsi::create(1, 1)); }, {1, 3, 2}, {None, 100, -100}},
        {"Tsi(2,2)", [] { return test::boxed(Tsi::create(2, 2)); }, {1, 2, 4, 3, 5, 4},
         {None, None, None, 50.00000000000001, 67.44186046511626, 14.545454545454547}},
        // The two-point forecast continues the line: 3 after 1, 2.
        {"TsfOsc line", [] { return test::boxed(TsfOscillator::create(2)); }, {1, 2, 3}, {None, -50, -100.0 / 3.0}},
        {"TsfOsc zero first", [] { return test::boxed(TsfOscillator::create(2)); }, {1, 0, 1}, {None, None, -100}},
        {"TsfOsc zero later", [] { return test::boxed(TsfOscillator::create(2)); }, {1, 2, 0}, {None, -50, -50}},
        // Range 4 - 2 over the changes 1, 2, 1.
        {"Vhf(3)", [] { return test::boxed(VerticalHorizontalFilter::create(3)); }, {1, 2, 4, 3}, {None, None, None, 0.5}},
        {"Vhf(1)", [] { return test::boxed(VerticalHorizontalFilter::create(1)); }, {5, 7, 4}, {None, 0, 0}},
        // Deviations 1, -0.5, then 1.5.
        {"Tii(2,2)", [] { return test::boxed(Tii::create(2, 2)); }, {1, 3, 2, 5}, {None, None, 200.0 / 3.0, 75}},
        // Correlation of (0, 1, 2) with (1, 2, 4), squared: 27/28.
        {"Strength(3)", [] { return test::boxed(TrendStrengthIndex::create(3)); }, {1, 2, 4, 3},
         {None, None, 27.0 / 28.0, 0.25}},
    });
}

TEST(MomMacdTrend, SteadySeries) {
    std::vector<double> flat(30, 42.0);
    std::vector<double> zero(30, 0.0);
    std::vector<double> rising;
    std::vector<double> falling;
    for (int i = 0; i < 30; ++i) {
        rising.push_back(10.0 + 0.5 * i);
        falling.push_back(90.0 - 3.0 * i);
    }
    test::run_steady_cases({
        {"Stc flat", [] { return test::boxed(Stc::create(3, 5, 4, 0.5)); }, &flat, 0},
        {"Stc cycle 1", [] { return test::boxed(Stc::create(3, 5, 1, 0.5)); }, &rising, 0},
        {"Trix flat", [] { return test::boxed(Trix::create(4)); }, &flat, 0},
        {"Trix zero", [] { return test::boxed(Trix::create(4)); }, &zero, 0},
        {"Tsi flat", [] { return test::boxed(Tsi::create(4, 3)); }, &flat, 0},
        {"Tsi rising", [] { return test::boxed(Tsi::create(4, 3)); }, &rising, 100},
        {"Vhf trend", [] { return test::boxed(VerticalHorizontalFilter::create(5)); }, &falling, 0.8},
        {"Tii flat", [] { return test::boxed(Tii::create(4, 3)); }, &flat, 50},
        {"Tii rising", [] { return test::boxed(Tii::create(4, 3)); }, &rising, 100},
        {"Strength rising", [] { return test::boxed(TrendStrengthIndex::create(6)); }, &rising, 1},
        {"Strength falling", [] { return test::boxed(TrendStrengthIndex::create(6)); }, &falling, -1},
        {"Strength flat", [] { return test::boxed(TrendStrengthIndex::create(6)); }, &flat, 0},
        {"PpoHist signal 1", [] { return test::boxed(PpoHistogram::create(3, 5, 1)); }, &rising, 0},
    });
}

TEST(MomMacdTrend, RunningSumsAreReAdded) {
    // A small value absorbed into a sum beside 1e16 must not stay lost (or be taken
    // out twice) once the large ones have left the window.
    IndicatorBox vhf = test::boxed(VerticalHorizontalFilter::create(2));
    const auto v = test::feed_closes(*vhf, {0, 1e16, 0, 0.5, 0.75});
    ASSERT_TRUE(v.back());
    EXPECT_DOUBLE_EQ(*v.back(), 0.25 / 0.75);  // a plain running sum gives 1.0

    IndicatorBox tii = test::boxed(Tii::create(2, 3));
    const auto t = test::feed_closes(*tii, {0, 2e16, 0, 1, 0.5, 1, 1.5});
    ASSERT_TRUE(t.back());
    EXPECT_DOUBLE_EQ(*t.back(), 200.0 / 3.0);  // deviations 0.25 up twice, 0.25 down; plain sums give 50
}

}  // namespace
}  // namespace torvex
