// Money-flow and volume oscillators on hand-made bars, with their zero guards.
#include <gtest/gtest.h>

#include "indicators/volume/chaikin_money_flow.hpp"
#include "indicators/volume/chaikin_oscillator.hpp"
#include "indicators/volume/kvo.hpp"
#include "indicators/volume/mfi.hpp"
#include "indicators/volume/trade_volume_index.hpp"
#include "indicators/volume/tsv.hpp"
#include "indicators/volume/twiggs_money_flow.hpp"
#include "indicators/volume/volume_oscillator.hpp"
#include "indicators/volume/volume_rsi.hpp"
#include "indicators/volume/vzo.hpp"
#include "volume_bars.hpp"

namespace torvex {
namespace {

using namespace volume_test;
constexpr std::nullopt_t None = std::nullopt;

TEST(MoneyFlow, ChaikinMoneyFlow) {
    // Money-flow volumes 5, -10 and 0 (no range).
    const std::vector<Ohlcv> bars = {bar(10, 12, 8, 11, 10), bar(10, 12, 8, 8, 10), flat(9, 5)};
    check("ratio of the window sums", ChaikinMoneyFlow::create(2), bars, {None, -0.25, -10.0 / 15.0});
    check("bars without range", ChaikinMoneyFlow::create(2), {flat(9, 5), flat(10, 6), flat(11, 7)},
          {None, 0.0, 0.0});
    check("bars without volume", ChaikinMoneyFlow::create(2), {bar(10, 12, 8, 11, 0), bar(10, 12, 8, 8, 0)},
          {None, 0.0});
}

// A huge volume that has left the window must not spoil the zero test: within n
// bars the window of zero volumes reads exactly 0 again.
TEST(MoneyFlow, ChaikinMoneyFlowRecoversAfterAHugeVolumeLeaves) {
    auto made = ChaikinMoneyFlow::create(3);
    IndicatorBox cmf = test::boxed(std::move(made));
    ASSERT_TRUE(cmf);
    const std::vector<Ohlcv> bars = {bar(10, 12, 8, 11, 1e20), bar(10, 12, 8, 11, 1), bar(10, 12, 8, 11, 1)};
    for (const Ohlcv& b : bars) test::feed(*cmf, b);
    for (int i = 4; i <= 12; ++i) {
        const auto v = test::feed(*cmf, bar(10, 12, 8, 11, 0));
        ASSERT_TRUE(v);
        if (i >= 6) {
            EXPECT_EQ(*v, 0.0) << "bar " << i;
        }
    }
}

TEST(MoneyFlow, ChaikinOscillator) {
    // Line 5, -5, -5: fast 1 is the line, slow 2 is seeded with the mean of two.
    check("fast 1, slow 2", ChaikinOscillator::create(1, 2),
          {bar(10, 12, 8, 11, 10), bar(10, 12, 8, 8, 10), flat(9, 5)}, {None, -5.0, -5.0 + 10.0 / 3.0});
    std::vector<Ohlcv> ten(10, bar(10, 12, 8, 11, 10));
    auto made = ChaikinOscillator::create(3, 10);
    IndicatorBox osc = test::boxed(std::move(made));
    ASSERT_TRUE(osc);
    for (std::size_t i = 0; i < ten.size(); ++i) {
        EXPECT_EQ(test::feed(*osc, ten[i]).has_value(), i == 9) << "bar " << i + 1;
    }
}

TEST(MoneyFlow, Kvo) {
    // hlc 30, 34, 38, 29 and dm 4, 4, 3, 4: forces 200, 160, -600.
    check("fast 1, slow 2", Kvo::create(1, 2),
          {bar(10, 12, 8, 10, 1), bar(12, 13, 9, 12, 2), bar(13, 14, 11, 13, 1.1), bar(9, 12, 8, 9, 7)},
          {None, None, -20.0, -260.0}, 1e-12);
    std::vector<Ohlcv> steady;
    Answers want;
    for (int i = 0; i < 8; ++i) {
        // The same hlc on every bar keeps the trend at 0: every force is 0.
        steady.push_back(i % 2 == 0 ? bar(10, 12, 8, 10, 5.0 + i) : bar(10, 11, 9, 10, 1.0));
        want.push_back(i + 1 >= 4 ? std::optional<double>(0.0) : None);
    }
    check("an hlc that never changes", Kvo::create(2, 3), steady, want);
}

TEST(MoneyFlow, Mfi) {
    // Typical prices 10, 11, 10.5, 10.5: flows +22, then -42, then none.
    check("flows of the window", Mfi::create(2), {flat(10, 1), flat(11, 2), flat(10.5, 4), flat(10.5, 1)},
          {None, None, 34.375, 0.0});
    check("flat typical price", Mfi::create(2), {flat(10, 1), flat(10, 2), flat(10, 3), flat(10, 4)},
          {None, None, 50.0, 50.0});
    check("rising typical price", Mfi::create(2), {flat(10, 1), flat(11, 2), flat(12, 3), flat(13, 0)},
          {None, None, 100.0, 100.0});
}

TEST(MoneyFlow, TwiggsMoneyFlow) {
    // adv 1 (the gap above the previous close counts from that close), -4, then 0
    // for a bar without true range.
    check("seeded with the plain means, then Wilder", TwiggsMoneyFlow::create(2),
          {bar(10, 10.5, 9.5, 10, 1), bar(11, 12, 10.5, 11.5, 2), bar(11.5, 11.6, 11, 11, 4), flat(11, 2)},
          {None, None, -0.5, -0.3}, 1e-12);
    check("no volume at all", TwiggsMoneyFlow::create(1), {flat(10, 0), bar(10, 12, 9, 11, 0)}, {None, 0.0});
    // Subnormal prices: the close at the low of a range of 1 unit in the last place
    // gives the multiplier -1, so the flow is -1 (the volume multiplied first read -1.047).
    const double c = 1.2598673968951787e-321, h = 1.2648080533535912e-321;
    check("a subnormal range", TwiggsMoneyFlow::create(1), {flat(c, 1), bar(c, h, c, c, 7.6436581062172575)}, {None, -1.0});
}

TEST(MoneyFlow, VolumeRsi) {
    check("changes +2, -1, +4", VolumeRsi::create(2), {flat(1, 10), flat(1, 12), flat(1, 11), flat(1, 15)},
          {None, None, 100.0 / 1.5, 2.5 / 2.75 * 100.0});
    check("constant volume", VolumeRsi::create(2), {flat(1, 5), flat(2, 5), flat(3, 5), flat(4, 5)},
          {None, None, 50.0, 50.0});
    check("rising volume", VolumeRsi::create(2), {flat(1, 5), flat(1, 6), flat(1, 7), flat(1, 9)},
          {None, None, 100.0, 100.0});
}

TEST(MoneyFlow, Vzo) {
    check("signed volume 2, -4, 0", Vzo::create(2), {flat(10, 1), flat(11, 2), flat(10, 4), flat(10, 6)},
          {None, None, -100.0 / 3.0, -100.0 / 15.0});
    check("no volume", Vzo::create(2), {flat(10, 0), flat(11, 0), flat(9, 0), flat(12, 0)},
          {None, None, 0.0, 0.0});
}

TEST(MoneyFlow, Tsv) {
    check("period 1 is the bar's term", Tsv::create(1), {flat(10, 1), flat(11, 2), flat(13, 3)}, {None, 2.0, 6.0});
    check("period 2 sums two terms", Tsv::create(2), {flat(10, 1), flat(11, 2), flat(13, 3), flat(12, 4)},
          {None, None, 8.0, 2.0});
}

TEST(MoneyFlow, TsvSumRecoversAfterAHugeTermLeaves) {
    auto made = Tsv::create(3);
    IndicatorBox tsv = test::boxed(std::move(made));
    ASSERT_TRUE(tsv);
    test::feed(*tsv, flat(10, 1));
    test::feed(*tsv, flat(20, 1e20));  // a term of 1e21
    double price = 20;
    for (int i = 3; i <= 12; ++i) {
        price += 1;
        const auto v = test::feed(*tsv, flat(price, 1));
        if (i >= 8) {
            EXPECT_EQ(v, 3.0) << "bar " << i;  // three terms of 1
        }
    }
}

TEST(MoneyFlow, TradeVolumeIndex) {
    const std::vector<Ohlcv> bars = {flat(10, 1), flat(10, 2), flat(10.5, 3), flat(10.5, 4), flat(10.3, 5)};
    check("min_tick 0: no move yet keeps 0, then the direction is held", TradeVolumeIndex::create(0.0), bars,
          {None, 0.0, 3.0, 7.0, 2.0});
    check("min_tick -0.0 is 0", TradeVolumeIndex::create(-0.0), bars, {None, 0.0, 3.0, 7.0, 2.0});
    check("a move within min_tick keeps the direction", TradeVolumeIndex::create(0.3), bars,
          {None, 0.0, 3.0, 7.0, 12.0});
}

TEST(MoneyFlow, VolumeOscillator) {
    check("fast 1, slow 2", VolumeOscillator::create(1, 2), {flat(1, 10), flat(1, 20), flat(1, 0), flat(1, 0)},
          {None, 500.0 / 15.0, -100.0, 0.0});
}

}  // namespace
}  // namespace torvex
