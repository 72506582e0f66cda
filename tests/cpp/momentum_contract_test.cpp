// What every momentum oscillator here shares: the first value comes exactly at the
// stated warm-up, and a non-finite close is refused without touching the state.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "indicators/src/adaptive_rsi.hpp"
#include "indicators/src/connors_rsi.hpp"
#include "indicators/src/dynamic_momentum_index.hpp"
#include "indicators/src/elder_impulse.hpp"
#include "indicators/src/fisher_rsi.hpp"
#include "indicators/src/macd_histogram.hpp"
#include "indicators/src/pmo.hpp"
#include "indicators/src/ppo.hpp"
#include "indicators/src/ppo_histogram.hpp"
#include "indicators/src/rmi.hpp"
#include "indicators/src/rsi.hpp"
#include "indicators/src/rsx.hpp"
#include "indicators/src/stc.hpp"
#include "indicators/src/stoch_rsi.hpp"
#include "indicators/src/tii.hpp"
#include "indicators/src/trend_strength_index.hpp"
#include "indicators/src/trix.hpp"
#include "indicators/src/tsf_oscillator.hpp"
#include "indicators/src/tsi.hpp"
#include "indicators/src/vertical_horizontal_filter.hpp"
#include "momentum_test_support.hpp"

namespace torvex {
namespace {

using test::box;

struct Maker {
    const char* label;
    std::uint64_t warmup;
    std::function<IndicatorBox()> make;
};

const Maker kMakers[] = {
    {"Rsi(3)", 4, [] { return box(Rsi::create(3)); }},
    {"Rmi(3,4)", 7, [] { return box(Rmi::create(3, 4)); }},
    {"Rsx(5)", 6, [] { return box(Rsx::create(5)); }},
    {"AdaptiveRsi(4)", 5, [] { return box(AdaptiveRsi::create(4)); }},
    {"ConnorsRsi(3,2,5)", 6, [] { return box(ConnorsRsi::create(3, 2, 5)); }},
    {"ConnorsRsi(2,4,2)", 6, [] { return box(ConnorsRsi::create(2, 4, 2)); }},
    {"FisherRsi(4)", 5, [] { return box(FisherRsi::create(4)); }},
    {"StochRsi(3,4)", 7, [] { return box(StochRsi::create(3, 4)); }},
    {"DynamicMomentumIndex(14)", 31, [] { return box(DynamicMomentumIndex::create(14)); }},
    {"Ppo(3,6)", 6, [] { return box(Ppo::create(3, 6)); }},
    {"PpoHistogram(3,6,4)", 9, [] { return box(PpoHistogram::create(3, 6, 4)); }},
    {"Pmo(35,20)", 2, [] { return box(Pmo::create(35, 20)); }},
    {"MacdHistogram(2,3,2)", 4, [] { return box(MacdHistogram::create(2, 3, 2)); }},
    {"ElderImpulse(2,2,3,2)", 5, [] { return box(ElderImpulse::create(2, 2, 3, 2)); }},
    {"ElderImpulse(9,2,3,2)", 10, [] { return box(ElderImpulse::create(9, 2, 3, 2)); }},
    {"Stc(3,5,4,0.5)", 11, [] { return box(Stc::create(3, 5, 4, 0.5)); }},
    {"Trix(3)", 8, [] { return box(Trix::create(3)); }},
    {"Tsi(4,3)", 7, [] { return box(Tsi::create(4, 3)); }},
    {"TsfOscillator(4)", 4, [] { return box(TsfOscillator::create(4)); }},
    {"VerticalHorizontalFilter(4)", 5, [] { return box(VerticalHorizontalFilter::create(4)); }},
    {"Tii(4,3)", 6, [] { return box(Tii::create(4, 3)); }},
    {"TrendStrengthIndex(5)", 5, [] { return box(TrendStrengthIndex::create(5)); }},
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
