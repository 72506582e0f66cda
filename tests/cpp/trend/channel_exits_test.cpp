#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "candle_test_bars.hpp"
#include "indicators/trend/chande_kroll_stop.hpp"
#include "indicators/trend/chandelier_exit.hpp"
#include "indicators/trend/donchian_stop.hpp"
#include "indicators/trend/zig_zag.hpp"

using namespace torvex;
using test::box;
using test::kMaxText;
using test::kZeroText;
using test::ohlc;

namespace {

using U = std::uint64_t;
constexpr U kOver = MAX_PERIOD + 1;
const std::string kMult = "multiplier must be greater than zero";
const std::string kZigZag = "invalid period: ZigZag threshold must be a finite fraction in (0, 1)";

Ohlcv hl(double h, double l) { return ohlc(l, h, l, h); }

}  // namespace

TEST(ChannelExitsConstruct, ChecksAndMessagesInOrder) {
    test::expect_builds({
        {"Chandelier multiplier first", box<ChandelierExit>(U{0}, 0.0), kMult},
        {"Chandelier zero", box<ChandelierExit>(U{0}, 3.0), kZeroText},
        {"Chandelier long", box<ChandelierExit>(kOver, 3.0), kMaxText},
        {"ChandeKroll multiplier first", box<ChandeKrollStop>(U{0}, -1.0, U{0}), kMult},
        {"ChandeKroll q before p", box<ChandeKrollStop>(U{0}, 1.0, kOver), kMaxText},
        {"ChandeKroll q zero", box<ChandeKrollStop>(kOver, 1.0, U{0}), kZeroText},
        {"ChandeKroll p zero", box<ChandeKrollStop>(U{0}, 1.0, U{9}), kZeroText},
        {"ChandeKroll p long", box<ChandeKrollStop>(kOver, 1.0, U{9}), kMaxText},
        {"DonchianStop zero", box<DonchianStop>(U{0}), kZeroText},
        {"DonchianStop long", box<DonchianStop>(kOver), kMaxText},
        {"ZigZag 0", box<ZigZag>(0.0), kZigZag},
        {"ZigZag 1", box<ZigZag>(1.0), kZigZag},
        {"ZigZag NaN", box<ZigZag>(NAN), kZigZag},
        {"ZigZag 0.05", box<ZigZag>(0.05), ""},
    });
}

TEST(ChannelExitsValues, HandWorkedBars) {
    const std::vector<Ohlcv> three{ohlc(10, 12, 8, 11), ohlc(11, 13, 10, 12), ohlc(12, 12, 9, 9)};
    test::expect_published({
        // n = 1: high - 2·(high - low) and low + 2·(high - low).
        {"Chandelier n=1", box<ChandelierExit>(U{1}, 2.0), {ohlc(9, 10, 8, 9)}, {{6, 12}}},
        // ATR 3.5 then 3.25 (ranges 4, 3, 3); windows 13 / 8 then 13 / 9.
        {"Chandelier n=2", box<ChandelierExit>(U{2}, 1.0), three, {{}, {9.5, 11.5}, {9.75, 12.25}}},
        // q = 1: the current bar's first stops; the long stop (from the lows) lies
        // above the short stop (from the highs) here.
        {"ChandeKroll q=1", box<ChandeKrollStop>(U{2}, 1.0, U{1}), three, {{}, {11.5, 9.5}, {12.25, 9.75}}},
        {"ChandeKroll q=2", box<ChandeKrollStop>(U{2}, 1.0, U{2}), three, {{}, {}, {11.5, 9.75}}},
        // A new highest high raises the short stop on its own bar.
        {"DonchianStop", box<DonchianStop>(U{2}), {hl(12, 9), hl(10, 8), hl(11, 10), hl(13, 10)},
         {{}, {8, 12}, {8, 11}, {10, 13}}},
        {"DonchianStop n=1", box<DonchianStop>(U{1}), {hl(12, 9)}, {{9, 12}}},
    });
}

// Known swings: a top at 104 on the bar whose low reaches 0.9·104, a bottom at 90
// once a high reaches 1.1·90, and nothing for a smaller move; between them the update
// answers nothing while the last swing stays published.
TEST(ZigZagValues, KnownSwingsAndDirections) {
    struct Bar {
        double high, low;
        std::optional<double> swing;
        double direction;  // of the list published after the bar (0: none yet)
    };
    const Bar bars[] = {
        {100, 95, {}, 0},      {104, 99, {}, 0},        {103, 93, 104, 1},  {95, 90, {}, 1},
        {98, 92, {}, 1},       {99.5, 95, 90, -1},      {99, 90.5, {}, -1}, {101, 95, {}, -1},
        {100, 90.5, 101, 1},
    };
    IndicatorBox ind = test::make(box<ZigZag>(0.1));
    ASSERT_TRUE(ind);
    EXPECT_EQ(ind->warmup(), 2u);
    std::optional<double> last_swing;
    for (std::size_t i = 0; i < std::size(bars); ++i) {
        const Bar& b = bars[i];
        EXPECT_EQ(test::feed(*ind, hl(b.high, b.low)), b.swing) << "bar " << i + 1;
        if (b.swing) last_swing = b.swing;
        const auto out = ind->outputs();
        if (b.direction == 0) {
            EXPECT_TRUE(out.empty()) << "bar " << i + 1;
            continue;
        }
        ASSERT_EQ(out.size(), 2u);
        EXPECT_EQ(out[0].name, "swing");
        EXPECT_EQ(out[1].name, "direction");
        EXPECT_EQ(out[0].value, *last_swing) << "bar " << i + 1;
        EXPECT_EQ(out[1].value, b.direction) << "bar " << i + 1;
    }
}

TEST(ZigZagValues, EdgesOfTheReversalTest) {
    test::expect_published({
        // A bar that extends the leg is not tested for a reversal, however far it
        // also moves back; the next bar confirms the top at the new extreme.
        {"extending bar", box<ZigZag>(0.1), {hl(100, 95), hl(105, 80), hl(104, 94)}, {{}, {}, {105, 1}}},
        // Both tests include equality: a low of exactly 0.5·100, then a high of
        // exactly 1.5·50.
        {"equality", box<ZigZag>(0.5), {hl(100, 90), hl(95, 50), hl(75, 60)}, {{}, {100, 1}, {50, -1}}},
        // The first leg rises whatever the second bar does; a move below the
        // threshold gives nothing.
        {"below threshold", box<ZigZag>(0.1), {hl(100, 95), hl(99, 91), hl(98, 90.5), hl(99.5, 92)},
         {{}, {}, {}, {}}},
    });
}

TEST(ChannelExitsRegistry, NamesBuildAndRefuseThroughTheTable) {
    test::expect_registry_rows({
        {"ChandelierExit", {22, 3}, {22, 0}, kMult},
        {"ChandeKrollStop", {10, 1, 9}, {1e-300, 1, 1e20}, kMaxText},
        {"DonchianStop", {20}, {1e20}, kMaxText},
        {"ZigZag", {0.05}, {1}, kZigZag},
    });
}
