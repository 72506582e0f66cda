// RSI-style oscillators: constructor checks, hand-worked answers and edge cases.
#include <gtest/gtest.h>

#include <cmath>

#include "indicators/momentum/adaptive_rsi.hpp"
#include "indicators/momentum/connors_rsi.hpp"
#include "indicators/momentum/dynamic_momentum_index.hpp"
#include "indicators/momentum/fisher_rsi.hpp"
#include "indicators/momentum/rmi.hpp"
#include "indicators/momentum/rsi.hpp"
#include "indicators/momentum/rsx.hpp"
#include "indicators/momentum/stoch_rsi.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

using test::Expected;
using test::None;
using test::refusal;
using test::kOver;

TEST(MomRsiFamily, ConstructorChecksInOrder) {
    test::run_check_cases({
        {"Rsi 0", [] { return refusal(Rsi::create(0)); }, test::kZero},
        {"Rsi max", [] { return refusal(Rsi::create(MAX_PERIOD)); }, "built"},
        {"Rsi over", [] { return refusal(Rsi::create(kOver)); }, test::kTooLong},
        {"FisherRsi over", [] { return refusal(FisherRsi::create(kOver)); }, test::kTooLong},
        {"Rsx 0", [] { return refusal(Rsx::create(0)); }, test::kZero},
        {"Rsx over", [] { return refusal(Rsx::create(kOver)); }, test::kTooLong},
        {"AdaptiveRsi 0", [] { return refusal(AdaptiveRsi::create(0)); }, test::kZero},
        {"AdaptiveRsi over", [] { return refusal(AdaptiveRsi::create(kOver)); }, test::kTooLong},
        {"DMI 0", [] { return refusal(DynamicMomentumIndex::create(0)); }, test::kZero},
        {"DMI over", [] { return refusal(DynamicMomentumIndex::create(kOver)); }, test::kTooLong},
        // Both zero tests come before any bound; the windows are bounded too.
        {"Rmi over,0", [] { return refusal(Rmi::create(kOver, 0)); }, test::kZero},
        {"Rmi over lag", [] { return refusal(Rmi::create(2, kOver)); }, test::kTooLong},
        {"Rmi over n", [] { return refusal(Rmi::create(kOver, 2)); }, test::kTooLong},
        {"Connors 3,over,0", [] { return refusal(ConnorsRsi::create(3, kOver, 0)); }, test::kZero},
        {"Connors 3,2,100", [] { return refusal(ConnorsRsi::create(3, 2, 100)); }, "built"},
        {"Connors 3,over,100", [] { return refusal(ConnorsRsi::create(3, kOver, 100)); }, test::kTooLong},
        {"Connors rank over", [] { return refusal(ConnorsRsi::create(3, 2, kOver)); }, test::kTooLong},
        {"StochRsi over,0", [] { return refusal(StochRsi::create(kOver, 0)); }, test::kZero},
        {"StochRsi over rsi", [] { return refusal(StochRsi::create(kOver, 3)); }, test::kTooLong},
        {"StochRsi over window", [] { return refusal(StochRsi::create(14, kOver)); }, test::kTooLong},
    });
}

TEST(MomRsiFamily, HandWorkedAnswers) {
    const double fisher_top = 0.5 * std::log(1.999 / 0.001);
    const std::vector<double> mixed = {10, 11, 13, 12, 15, 14, 14, 16, 13, 17, 18, 16};
    test::run_series_cases({
        // Seed: gains 1, 1 -> 100; then fma(1, 1, 0)/2 = 0.5 against 0.5 -> 50.
        {"Rsi(2)", [] { return test::boxed(Rsi::create(2)); }, {1, 2, 3, 2}, {None, None, 100, 50}},
        // Two-bar changes 3, 1 seed (2, 0); then loss 3: (0 + 2)/2 = 1 vs 1.5 -> 40.
        {"Rmi(2,2)", [] { return test::boxed(Rmi::create(2, 2)); }, {1, 2, 4, 3, 1}, {None, None, None, 100, 40}},
        {"Rmi(3,2)", [] { return test::boxed(Rmi::create(3, 2)); }, mixed,
         {None, None, None, None, 100, 100, 80, 87.49999999999999, 68.29268292682927, 76.1467889908257,
          91.65329052969503, 76.69576897246475}},
        // alpha 1: every stage passes the change through, so the ratio is its sign.
        {"Rsx(1)", [] { return test::boxed(Rsx::create(1)); }, {1, 3, 2}, {None, 100, 0}},
        {"Rsx(2)", [] { return test::boxed(Rsx::create(2)); }, {1, 2, 4, 3, 5, 4},
         {None, None, 100, 53.398058252427184, 82.25143796220213, 47.819212017393596}},
        {"AdaptiveRsi(2)", [] { return test::boxed(AdaptiveRsi::create(2)); }, {1, 2, 4, 3, 5, 4},
         {None, None, 100, 95.19748122097639, 95.64720619211269, 91.06093350179998}},
        // Streaks 1, 2, -1, 0; with a rank window of 1 the rank is always 0.
        {"Connors(1,1,1)", [] { return test::boxed(ConnorsRsi::create(1, 1, 1)); }, {1, 2, 3, 2, 2},
         {None, None, 200.0 / 3.0, 0, 50}},
        {"Connors(2,2,3)", [] { return test::boxed(ConnorsRsi::create(2, 2, 3)); }, mixed,
         {None, None, None, 28.333333333333332, 72.46732026143792, 41.52777777777778, 49.166666666666664,
          75.9769038701623, 18.666164796058034, 69.62206423060013, 64.41452176676201, 22.041538798397497}},
        // A zero close yields no return: bar 3 still has one return, bar 4 ranks 1
        // against -1 (50) beside two RSIs of 100.
        {"Connors zero prev", [] { return test::boxed(ConnorsRsi::create(1, 1, 2)); }, {1, 0, 1, 2},
         {None, None, None, 250.0 / 3.0}},
        // Equal returns rank 0 against each other.
        {"Connors equal returns", [] { return test::boxed(ConnorsRsi::create(1, 1, 3)); }, {1, 2, 4, 8, 16},
         {None, None, None, 200.0 / 3.0, 200.0 / 3.0}},
        {"FisherRsi(1)", [] { return test::boxed(FisherRsi::create(1)); }, {1, 2, 2}, {None, fisher_top, 0}},
        // RSI(2) of gains (2, 0) and losses (0, 1) is 200/3: v = 1/3, ln((4/3)/(2/3)) / 2.
        {"FisherRsi(2)", [] { return test::boxed(FisherRsi::create(2)); }, {1, 3, 2}, {None, None, 0.5 * std::log(2.0)}},
        // RSI(1) reads 100, 0, 50; the window of two places each in its range.
        {"StochRsi(1,2)", [] { return test::boxed(StochRsi::create(1, 2)); }, {1, 2, 1, 1}, {None, None, 0, 100}},
    });
}

TEST(MomRsiFamily, FlatAndTrendingSeries) {
    std::vector<double> flat(40, 7.5);
    std::vector<double> rising;
    for (int i = 0; i < 40; ++i) rising.push_back(100.0 + 2.0 * i);
    test::run_steady_cases({
        {"Rsi flat", [] { return test::boxed(Rsi::create(5)); }, &flat, 50},
        {"Rmi flat", [] { return test::boxed(Rmi::create(4, 3)); }, &flat, 50},
        {"Rsx flat", [] { return test::boxed(Rsx::create(6)); }, &flat, 50},
        {"Rsx rising", [] { return test::boxed(Rsx::create(6)); }, &rising, 100},
        {"AdaptiveRsi flat", [] { return test::boxed(AdaptiveRsi::create(5)); }, &flat, 50},
        {"AdaptiveRsi rising", [] { return test::boxed(AdaptiveRsi::create(5)); }, &rising, 100},
        {"StochRsi rising", [] { return test::boxed(StochRsi::create(4, 3)); }, &rising, 50},
        {"FisherRsi flat", [] { return test::boxed(FisherRsi::create(4)); }, &flat, 0},
        {"DMI flat", [] { return test::boxed(DynamicMomentumIndex::create(14)); }, &flat, 50},
    });
}

TEST(MomRsiFamily, DynamicMomentumLengthFollowsVolatility) {
    // A saw-tooth whose volatility ratio moves the length for base 10 between 8 and
    // 21; base 1 always clamps to 5 changes and base 100 to 30.
    std::vector<double> closes;
    double v = 100.0;
    for (int i = 0; i < 40; ++i) {
        v += (i % 7 < 4 ? 3.0 : -2.0) * (1 + i % 5) * 0.25;
        closes.push_back(v);
    }
    struct Case {
        std::uint64_t base;
        std::vector<double> tail;  // answers of bars 31 to 40
    };
    const Case cases[] = {
        {10, {82.6086956521739, 80.95238095238095, 79.59183673469387, 67.27272727272727, 58.62068965517241,
              56.52173913043478, 62.5, 60.0, 60.0, 51.42857142857143}},
        {1, {75.0, 85.71428571428571, 85.71428571428571, 63.1578947368421, 27.272727272727273, 27.272727272727273,
             27.272727272727273, 50.0, 75.0, 75.0}},
        {100, {72.15189873417721, 72.15189873417721, 69.23076923076923, 65.21739130434783, 65.21739130434783,
               66.23376623376623, 68.24034334763948, 68.24034334763948, 68.24034334763948, 63.1578947368421}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.base);
        Expected want(30, None);
        want.insert(want.end(), c.tail.begin(), c.tail.end());
        IndicatorBox ind = test::boxed(DynamicMomentumIndex::create(c.base));
        test::expect_series(*ind, closes, want, 1e-9);
    }
}

}  // namespace
}  // namespace torvex
