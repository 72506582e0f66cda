#include <gtest/gtest.h>

#include <cmath>
#include <string_view>
#include <vector>

#include "candle_test_bars.hpp"
#include "indicators/levels/auto_fib.hpp"
#include "indicators/levels/camarilla.hpp"
#include "indicators/levels/central_pivot_range.hpp"
#include "indicators/levels/classic_pivots.hpp"
#include "indicators/levels/demark_pivots.hpp"
#include "indicators/levels/fib_arcs.hpp"
#include "indicators/levels/fib_channel.hpp"
#include "indicators/levels/fib_confluence.hpp"
#include "indicators/levels/fib_extension.hpp"
#include "indicators/levels/fib_fan.hpp"
#include "indicators/levels/fib_projection.hpp"
#include "indicators/levels/fib_retracement.hpp"
#include "indicators/levels/fib_time_zones.hpp"
#include "indicators/levels/fibonacci_pivots.hpp"
#include "indicators/levels/golden_pocket.hpp"
#include "indicators/levels/woodie_pivots.hpp"
#include "../patterns/pattern_bars.hpp"

using namespace torvex;
using test::box;
using test::flat;
using test::ohlc;

namespace {

std::vector<double> values_of(const DynIndicator& ind) {
    std::vector<double> v;
    for (const NamedOutput& o : ind.outputs()) v.push_back(o.value);
    return v;
}

// Feeds the bars and answers the list published after the last one.
std::vector<double> after(const test::Maker& make, const std::vector<Ohlcv>& bars) {
    IndicatorBox ind = test::make(make);
    for (const Ohlcv& b : bars) test::feed(*ind, b);
    return values_of(*ind);
}

void expect_levels(const std::vector<double>& got, const std::vector<double>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_NEAR(got[i], want[i], 1e-12 * std::max(1.0, std::fabs(want[i]))) << "output " << i;
}

// A pivot at (100, bar 10) and one at (200, bar 20), the second confirmed on bar 21;
// then bars 22 to 30 that confirm nothing.
std::vector<Ohlcv> fan_bars() {
    std::vector<Ohlcv> bars = {flat(130)};
    for (int i = 1; i <= 9; ++i) bars.push_back(flat(102));  // top 130 confirmed on bar 1
    bars.push_back(flat(100));                               // bar 10: the low
    bars.push_back(flat(106));                               // bar 11 confirms it
    for (int i = 12; i <= 19; ++i) bars.push_back(flat(150));
    bars.push_back(flat(200));  // bar 20: the high
    bars.push_back(flat(180));  // bar 21 confirms it
    for (int i = 22; i <= 30; ++i) bars.push_back(flat(185));
    return bars;
}

std::vector<Ohlcv> first(const std::vector<Ohlcv>& bars, std::size_t n) { return {bars.begin(), bars.begin() + n}; }

}  // namespace

TEST(PivotLevels, HandWorkedBars) {
    test::expect_published({
        {"ClassicPivots", box<ClassicPivots>(), {ohlc(9, 12, 6, 9)}, {{9, 12, 15, 18, 6, 3, 0}}},
        // pp = (18 + 18) / 4 = 9.
        {"WoodiePivots", box<WoodiePivots>(), {ohlc(9, 12, 6, 9)}, {{9, 12, 15, 6, 3}}},
        {"FibonacciPivots", box<FibonacciPivots>(), {ohlc(9, 12, 6, 9)},
         {{9, 9 + 0.382 * 6, 9 + 0.618 * 6, 15, 9 - 0.382 * 6, 9 - 0.618 * 6, 3}}},
        {"DemarkPivots equal open and close", box<DemarkPivots>(), {ohlc(10, 12, 8, 10)}, {{10, 12, 8}}},
        // Falling bar: X = 9 + 16 + 12 = 37; rising bar: X = 11 + 24 + 8 = 43.
        {"DemarkPivots falling and rising", box<DemarkPivots>(), {ohlc(10, 12, 8, 9), ohlc(10, 12, 8, 11)},
         {{9.25, 10.5, 6.5}, {10.75, 13.5, 9.5}}},
        {"CentralPivotRange close low in the range", box<CentralPivotRange>(), {ohlc(2, 10, 0, 2)}, {{4, 5, 3}}},
        {"CentralPivotRange close high in the range", box<CentralPivotRange>(), {ohlc(8, 10, 0, 8)},
         {{6, 7, 5}}},
        {"Camarilla", box<Camarilla>(), {ohlc(105, 112, 100, 110)},
         {{322.0 / 3.0, 111.1, 110 + 13.2 / 6.0, 113.3, 116.6, 108.9, 110 - 13.2 / 6.0, 106.7, 103.4}}},
    });
}

TEST(PivotLevels, FlatBarPutsEveryLevelOnThePrice) {
    const std::vector<test::Maker> makers = {box<ClassicPivots>(),   box<WoodiePivots>(), box<FibonacciPivots>(),
                                             box<DemarkPivots>(),    box<Camarilla>(),    box<CentralPivotRange>()};
    for (const test::Maker& m : makers) {
        for (double v : after(m, {flat(7.5)})) EXPECT_EQ(v, 7.5);
    }
}

// A refused bar answers nothing and keeps the earlier list.
TEST(PivotLevels, RefusedBarKeepsTheList) {
    IndicatorBox ind = test::make(box<ClassicPivots>());
    EXPECT_EQ(ind->warmup(), 1u);
    EXPECT_TRUE(test::feed(*ind, ohlc(9, 12, 6, 9)));
    EXPECT_FALSE(test::feed(*ind, ohlc(9, 12, 6, NAN)));
    EXPECT_FALSE(test::feed(*ind, ohlc(9, 5, 6, 9)));
    expect_levels(values_of(*ind), {9, 12, 15, 18, 6, 3, 0});
}

TEST(FibLevels, LevelsOfTheLastSwings) {
    // Pivots 130 (top), 100, 200: the last leg runs from 100 up to 200.
    const std::vector<Ohlcv> up = test::zigzag({130, 100, 200});
    expect_levels(after(box<FibRetracement>(), up), {200, 176.4, 161.8, 150, 138.2, 121.4, 100});
    expect_levels(after(box<GoldenPocket>(), up), {135, 136.6, 138.2});
    expect_levels(after(box<FibExtension>(), up), {227.2, 241.4, 261.8, 300, 361.8});
    // A down leg 200 -> 100: the 0.618 level is the lower end of the pocket.
    expect_levels(after(box<GoldenPocket>(), test::zigzag({200, 100})), {161.8, 163.4, 165});
    expect_levels(after(box<FibProjection>(), test::zigzag({130, 100, 200, 150})), {211.8, 250, 311.8, 411.8});
}

TEST(FibLevels, AutoFibTakesTheLargestLegAndTheLatestOnATie) {
    const std::vector<double> largest = after(box<AutoFib>(), test::zigzag({130, 100, 200, 150, 260, 240, 255}));
    ASSERT_EQ(largest.size(), 7u);
    EXPECT_EQ(largest.front(), 260.0);
    EXPECT_EQ(largest.back(), 150.0);
    expect_levels(largest, {260, 260 - 0.236 * 110, 260 - 0.382 * 110, 205, 260 - 0.618 * 110,
                            260 - 0.786 * 110, 150});
    // Legs 30, 100, 50, 100: the later of the two 100 legs.
    const std::vector<double> tie = after(box<AutoFib>(), test::zigzag({130, 100, 200, 150, 250}));
    EXPECT_EQ(tie.front(), 250.0);
    EXPECT_EQ(tie.back(), 150.0);
    // With two pivots the only leg is taken.
    EXPECT_EQ(after(box<AutoFib>(), test::zigzag({130, 100})).front(), 100.0);
}

TEST(FibLevels, ConfluenceFindsTheDensestCluster) {
    // Legs 130 -> 100, 100 -> 200 and 200 -> 160; the levels of the last leg,
    // 175.28, 180 and 184.72, all lie within 3% of 180 and nothing else gathers three.
    const std::vector<double> got = after(box<FibConfluence>(), test::zigzag({130, 100, 200, 160}));
    const double a = 160 + 0.382 * 40, b = 160 + 0.5 * 40, c = 160 + 0.618 * 40;
    expect_levels(got, {((-0.0 + a) + b + c) / 3.0, 3.0});
    // Pivots 200, 100, 150 put every level alone: all counts tie at 1 and the last
    // level (150 - 0.618 x 50) wins.
    expect_levels(after(box<FibConfluence>(), test::zigzag({200, 100, 150})), {150 + 0.618 * -50, 1.0});
    // With a fourth pivot (130 first), 115 and 118.54 gather two: the later one is kept.
    expect_levels(after(box<FibConfluence>(), test::zigzag({130, 100, 200, 150})),
                  {((-0.0 + 115) + (100 + 0.618 * 30)) / 2.0, 2.0});
    // Two pivots are not enough.
    IndicatorBox two = test::make(box<FibConfluence>());
    for (const Ohlcv& b : test::zigzag({130, 100})) EXPECT_FALSE(test::feed(*two, b));
}

// Nothing before the needed pivots (the stored list stays empty), then a value on
// every accepted bar, the same until a new pivot; a refused bar changes nothing.
TEST(FibLevels, NoValueUntilEnoughPivotsThenEveryBar) {
    IndicatorBox ind = test::make(box<FibRetracement>());
    for (int i = 0; i < 40; ++i) EXPECT_FALSE(test::feed(*ind, ohlc(100 + i, 101 + i, 99 + i, 100 + i)));
    EXPECT_TRUE(ind->outputs().empty());
    IndicatorBox fib = test::make(box<FibRetracement>());
    const std::vector<Ohlcv> up = test::zigzag({130, 100, 200});
    for (std::size_t i = 0; i < up.size(); ++i) EXPECT_EQ(test::feed(*fib, up[i]).has_value(), i >= 2) << i;
    const std::vector<double> before = values_of(*fib);
    EXPECT_FALSE(test::feed(*fib, ohlc(1, 1, 2, 1)));
    EXPECT_EQ(test::feed(*fib, flat(185)), 200.0);
    EXPECT_EQ(values_of(*fib), before);
}

TEST(FibTools, TimeZonesCountBarsSinceTheLatestSwing) {
    IndicatorBox ind = test::make(box<FibTimeZones>());
    EXPECT_EQ(ind->warmup(), 2u);
    const std::vector<Ohlcv> bars = fan_bars();
    for (std::size_t i = 0; i < 21; ++i) test::feed(*ind, bars[i]);
    // From bar 21 on the elapsed count since the high of bar 20 is 1, 2, ... 10.
    const double on_zone[] = {1, 1, 1, 0, 1, 0, 0, 1, 0, 0};
    const double to_next[] = {1, 1, 2, 1, 3, 2, 1, 5, 4, 3};
    for (std::size_t e = 1; e <= 10; ++e) {
        ASSERT_TRUE(test::feed(*ind, bars[20 + e]));
        expect_levels(values_of(*ind), {on_zone[e - 1], to_next[e - 1]});
    }
    // The first value comes with the first pivot: bar 1 confirms the top of bar 0.
    IndicatorBox fresh = test::make(box<FibTimeZones>());
    EXPECT_FALSE(test::feed(*fresh, bars[0]));
    EXPECT_EQ(test::feed(*fresh, bars[1]), 1.0);
}

TEST(FibTools, FanAndArcsFromTheLastLeg) {
    const std::vector<Ohlcv> bars = fan_bars();
    // now 30: t = 2.
    expect_levels(after(box<FibFan>(), bars), {223.6, 200, 176.4});
    // now 21: t = 1.1.
    expect_levels(after(box<FibFan>(), first(bars, 22)),
                  {0.618 * 100 * 1.1 + 100, 0.5 * 100 * 1.1 + 100, 0.382 * 100 * 1.1 + 100});
    // now 25: u = 0.5; from now 30 on every arc sits on the later swing.
    const double h = std::sqrt(0.75);
    expect_levels(after(box<FibArcs>(), first(bars, 26)),
                  {-38.2 * h + 200, -50 * h + 200, -61.8 * h + 200});
    expect_levels(after(box<FibArcs>(), bars), {200, 200, 200});
}

TEST(FibTools, ChannelThroughThreeSwings) {
    // Pivots (100, bar 1), (150, bar 6), (120, bar 11); bar 12 confirms the last.
    std::vector<Ohlcv> bars = {flat(130), flat(100), flat(106), flat(106), flat(106), flat(106), flat(150)};
    for (int i = 7; i <= 10; ++i) bars.push_back(flat(140));
    bars.push_back(flat(120));
    bars.push_back(flat(130));
    IndicatorBox ind = test::make(box<FibChannel>());
    for (const Ohlcv& b : bars) test::feed(*ind, b);
    // Bar 13 is 12 bars after the first pivot: slope 2, offset 40.
    ASSERT_EQ(test::feed(*ind, flat(130)), 124.0);
    expect_levels(values_of(*ind), {124, 148.72, 164, 188.72});
}

// A refused candle takes no bar index: the time tools answer as if it never came.
TEST(FibTools, RefusedBarDoesNotAdvanceTime) {
    const std::vector<Ohlcv> bars = fan_bars();
    IndicatorBox clean = test::make(box<FibFan>());
    IndicatorBox dirty = test::make(box<FibFan>());
    for (const Ohlcv& b : bars) {
        EXPECT_FALSE(test::feed(*dirty, ohlc(1, 1, 1, 1, -1)));
        EXPECT_EQ(test::feed(*dirty, b), test::feed(*clean, b));
    }
    EXPECT_EQ(values_of(*dirty), values_of(*clean));
}

TEST(LevelsRegistry, OutputNamesAndWarmups) {
    struct Row {
        const char* name;
        std::uint64_t warmup;
        std::vector<std::string_view> outputs;
    };
    const std::vector<std::string_view> ret = {"level_0",   "level_236", "level_382", "level_500",
                                               "level_618", "level_786", "level_1000"};
    const std::vector<Row> rows = {
        {"ClassicPivots", 1, {"pp", "r1", "r2", "r3", "s1", "s2", "s3"}},
        {"WoodiePivots", 1, {"pp", "r1", "r2", "s1", "s2"}},
        {"FibonacciPivots", 1, {"pp", "r1", "r2", "r3", "s1", "s2", "s3"}},
        {"DemarkPivots", 1, {"pp", "r1", "s1"}},
        {"CentralPivotRange", 1, {"pivot", "tc", "bc"}},
        {"Camarilla", 1, {"pp", "r1", "r2", "r3", "r4", "s1", "s2", "s3", "s4"}},
        {"FibRetracement", 2, ret},
        {"AutoFib", 2, ret},
        {"GoldenPocket", 2, {"low", "mid", "high"}},
        {"FibExtension", 2, {"level_1272", "level_1414", "level_1618", "level_2000", "level_2618"}},
        {"FibProjection", 3, {"level_618", "level_1000", "level_1618", "level_2618"}},
        {"FibConfluence", 3, {"price", "strength"}},
        {"FibTimeZones", 2, {"on_zone", "bars_to_next"}},
        {"FibFan", 2, {"fan_382", "fan_500", "fan_618"}},
        {"FibArcs", 2, {"arc_382", "arc_500", "arc_618"}},
        {"FibChannel", 3, {"base", "level_618", "level_1000", "level_1618"}},
    };
    // Bars that confirm six pivots, enough for every tool.
    const std::vector<Ohlcv> bars = test::zigzag({130, 100, 200, 150, 260, 240, 255});
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        auto built = build_indicator(r.name, std::vector<double>{3});
        ASSERT_TRUE(built);
        EXPECT_EQ((*built)->warmup(), r.warmup);
        EXPECT_EQ(indicator_feed(r.name), kFeedCandles);
        for (const Ohlcv& b : bars) test::feed(**built, b);
        const std::vector<NamedOutput> out = (*built)->outputs();
        ASSERT_EQ(out.size(), r.outputs.size());
        for (std::size_t i = 0; i < out.size(); ++i) EXPECT_EQ(out[i].name, r.outputs[i]);
    }
}
