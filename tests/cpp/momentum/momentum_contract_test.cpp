// What every momentum oscillator here shares: the first value comes exactly at the
// stated warm-up, and a non-finite close is refused without touching the state.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "indicators/momentum/adaptive_rsi.hpp"
#include "indicators/momentum/connors_rsi.hpp"
#include "indicators/momentum/dynamic_momentum_index.hpp"
#include "indicators/momentum/elder_impulse.hpp"
#include "indicators/momentum/fisher_rsi.hpp"
#include "indicators/momentum/macd_histogram.hpp"
#include "indicators/momentum/pmo.hpp"
#include "indicators/momentum/ppo.hpp"
#include "indicators/momentum/ppo_histogram.hpp"
#include "indicators/momentum/rmi.hpp"
#include "indicators/momentum/rsi.hpp"
#include "indicators/momentum/rsx.hpp"
#include "indicators/momentum/stc.hpp"
#include "indicators/momentum/stoch_rsi.hpp"
#include "indicators/momentum/tii.hpp"
#include "indicators/trend/trend_strength_index.hpp"
#include "indicators/momentum/trix.hpp"
#include "indicators/momentum/tsf_oscillator.hpp"
#include "indicators/momentum/tsi.hpp"
#include "indicators/trend/vertical_horizontal_filter.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

using test::boxed;

struct Maker {
    const char* label;
    std::uint64_t warmup;
    std::function<IndicatorBox()> make;
};

const Maker kMakers[] = {
    {"Rsi(3)", 4, [] { return boxed(Rsi::create(3)); }},
    {"Rmi(3,4)", 7, [] { return boxed(Rmi::create(3, 4)); }},
    {"Rsx(5)", 6, [] { return boxed(Rsx::create(5)); }},
    {"AdaptiveRsi(4)", 5, [] { return boxed(AdaptiveRsi::create(4)); }},
    {"ConnorsRsi(3,2,5)", 6, [] { return boxed(ConnorsRsi::create(3, 2, 5)); }},
    {"ConnorsRsi(2,4,2)", 6, [] { return boxed(ConnorsRsi::create(2, 4, 2)); }},
    {"FisherRsi(4)", 5, [] { return boxed(FisherRsi::create(4)); }},
    {"StochRsi(3,4)", 7, [] { return boxed(StochRsi::create(3, 4)); }},
    {"DynamicMomentumIndex(14)", 31, [] { return boxed(DynamicMomentumIndex::create(14)); }},
    {"Ppo(3,6)", 6, [] { return boxed(Ppo::create(3, 6)); }},
    {"PpoHistogram(3,6,4)", 9, [] { return boxed(PpoHistogram::create(3, 6, 4)); }},
    {"Pmo(35,20)", 2, [] { return boxed(Pmo::create(35, 20)); }},
    {"MacdHistogram(2,3,2)", 4, [] { return boxed(MacdHistogram::create(2, 3, 2)); }},
    {"ElderImpulse(2,2,3,2)", 5, [] { return boxed(ElderImpulse::create(2, 2, 3, 2)); }},
    {"ElderImpulse(9,2,3,2)", 10, [] { return boxed(ElderImpulse::create(9, 2, 3, 2)); }},
    {"Stc(3,5,4,0.5)", 11, [] { return boxed(Stc::create(3, 5, 4, 0.5)); }},
    {"Trix(3)", 8, [] { return boxed(Trix::create(3)); }},
    {"Tsi(4,3)", 7, [] { return boxed(Tsi::create(4, 3)); }},
    {"TsfOscillator(4)", 4, [] { return boxed(TsfOscillator::create(4)); }},
    {"VerticalHorizontalFilter(4)", 5, [] { return boxed(VerticalHorizontalFilter::create(4)); }},
    {"Tii(4,3)", 6, [] { return boxed(Tii::create(4, 3)); }},
    {"TrendStrengthIndex(5)", 5, [] { return boxed(TrendStrengthIndex::create(5)); }},
};

std::vector<double> wavy_closes() {
    std::vector<double> xs;
    for (int i = 0; i < 60; ++i) xs.push_back(50.0 + 10.0 * std::sin(0.7 * i) + 0.3 * i);
    return xs;
}

TEST(MomContract, FirstValueComesAtWarmup) {
    const std::vector<double> closes = wavy_closes();
    for (const Maker& m : kMakers) {
        SCOPED_TRACE(m.label);
        IndicatorBox ind = m.make();
        ASSERT_TRUE(ind);
        EXPECT_EQ(ind->warmup(), m.warmup);
        const auto out = test::feed_closes(*ind, closes);
        for (std::size_t i = 0; i < out.size(); ++i) EXPECT_EQ(out[i].has_value(), i + 1 >= m.warmup) << "bar " << i + 1;
        EXPECT_EQ(ind->warmup(), m.warmup);
        EXPECT_TRUE(ind->outputs().empty());
    }
}

TEST(MomContract, NonFiniteCloseChangesNothing) {
    const std::vector<double> closes = wavy_closes();
    const double bad[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity()};
    for (const Maker& m : kMakers) {
        SCOPED_TRACE(m.label);
        IndicatorBox clean = m.make();
        IndicatorBox probed = m.make();
        ASSERT_TRUE(clean && probed);
        for (std::size_t i = 0; i < closes.size(); ++i) {
            // Refusals before the first close, during the warm-up and after it.
            if (i % 3 == 0) {
                for (double x : bad) EXPECT_FALSE(test::feed_close(*probed, x)) << "bar " << i + 1;
            }
            const auto want = test::feed_close(*clean, closes[i]);
            const auto got = test::feed_close(*probed, closes[i]);
            ASSERT_EQ(got.has_value(), want.has_value()) << "bar " << i + 1;
            if (got) {
                EXPECT_EQ(*got, *want) << "bar " << i + 1;
            }
        }
    }
}

}  // namespace
}  // namespace torvex
