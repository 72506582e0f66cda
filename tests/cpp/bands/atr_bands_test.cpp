#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "candle_test_bars.hpp"
#include "indicators/bands/atr_bands.hpp"
#include "indicators/bands/keltner.hpp"
#include "indicators/bands/starc_bands.hpp"

using namespace torvex;
using test::box;
using test::kMaxText;
using test::kZeroText;
using test::ohlc;

namespace {

using U = std::uint64_t;
constexpr U kOver = MAX_PERIOD + 1;
const std::string kMult = "multiplier must be greater than zero";

// Bars around close c with a range of 2: every true range is 2 while the close moves
// by at most 1 a bar.
Ohlcv around(double c) { return ohlc(c, c + 1, c - 1, c); }

}  // namespace

TEST(AtrBandsConstruct, ChecksAndMessagesInOrder) {
    test::expect_builds({
        {"AtrBands multiplier first", box<AtrBands>(U{0}, 0.0), kMult},
        {"AtrBands NaN multiplier", box<AtrBands>(U{5}, NAN), kMult},
        {"AtrBands zero", box<AtrBands>(U{0}, 1.0), kZeroText},
        {"AtrBands long", box<AtrBands>(kOver, 1.0), kMaxText},
        {"AtrBands at the limit", box<AtrBands>(MAX_PERIOD, 1.0), ""},
        {"Keltner multiplier first", box<Keltner>(U{0}, U{0}, 0.0), kMult},
        {"Keltner infinite multiplier", box<Keltner>(U{3}, U{3}, INFINITY), kMult},
        {"Keltner middle period before ATR period", box<Keltner>(kOver, U{0}, 1.0), kMaxText},
        {"Keltner middle zero", box<Keltner>(U{0}, kOver, 1.0), kZeroText},
        {"Keltner ATR zero", box<Keltner>(U{5}, U{0}, 1.0), kZeroText},
        {"Keltner ATR long", box<Keltner>(U{5}, kOver, 1.0), kMaxText},
        {"Starc multiplier first", box<StarcBands>(U{0}, U{0}, -1.0), kMult},
        {"Starc middle zero", box<StarcBands>(U{0}, U{5}, 1.0), kZeroText},
        {"Starc middle long", box<StarcBands>(kOver, U{0}, 1.0), kMaxText},
        {"Starc ATR zero", box<StarcBands>(U{5}, U{0}, 1.0), kZeroText},
        {"Starc ATR long", box<StarcBands>(U{5}, kOver, 1.0), kMaxText},
    });
}

TEST(AtrBandsValues, HandWorkedBars) {
    test::expect_published({
        // n = 1: the ATR is the bar's own true range; a gap from 100 to a bar of
        // 110/105 has true range max(5, 10, 5) = 10.
        {"AtrBands gap", box<AtrBands>(U{1}, 1.0), {test::flat(100), ohlc(106, 110, 105, 108)},
         {{100, 100, 100}, {118, 108, 98}}},
        // Ranges 4 and 3 seed 3.5; then (3.5 + 3) / 2 = 3.25; the middle is the close.
        {"AtrBands n=2", box<AtrBands>(U{2}, 2.0),
         {ohlc(10, 12, 8, 11), ohlc(11, 13, 10, 12), ohlc(12, 12, 9, 9)},
         {{}, {19, 12, 5}, {15.5, 9, 2.5}}},
        // The EMA is ready on bar 3 (mean 11) but the ATR only on bar 5: alpha 1/2
        // gives 12 and 13, the ATR is 2.
        {"Keltner m=3 n=5", box<Keltner>(U{3}, U{5}, 1.0),
         {around(10), around(11), around(12), around(13), around(14), around(15)},
         {{}, {}, {}, {}, {15, 13, 11}, {16, 14, 12}}},
        // The ATR (n = 3) waits for the SMA (m = 2) to be joined: the first value on
        // bar 3, half an ATR of 2 around the mean of the last two closes.
        {"Starc m=2 n=3", box<StarcBands>(U{2}, U{3}, 0.5), {around(10), around(11), around(12), around(13)},
         {{}, {}, {12.5, 11.5, 10.5}, {13.5, 12.5, 11.5}}},
        {"Starc m=4 n=1", box<StarcBands>(U{4}, U{1}, 1.0), {around(10), around(11), around(12), around(13)},
         {{}, {}, {}, {13.5, 11.5, 9.5}}},
    });
}

// A refused bar between two accepted ones changes nothing: the next true range is
// taken against the close of the earlier accepted bar.
TEST(AtrBandsValues, RefusedBarKeepsThePreviousClose) {
    IndicatorBox ind = test::make(box<AtrBands>(U{1}, 1.0));
    ASSERT_TRUE(ind);
    EXPECT_EQ(test::feed(*ind, test::flat(100)), 100.0);
    EXPECT_FALSE(test::feed(*ind, ohlc(50, 40, 45, 45)));  // high below low
    EXPECT_EQ(test::feed(*ind, ohlc(106, 110, 105, 108)), 118.0);
}

TEST(AtrBandsRegistry, NamesBuildAndRefuseThroughTheTable) {
    test::expect_registry_rows({
        {"AtrBands", {14, 2}, {14, 0}, kMult},
        {"Keltner", {20, 10, 2}, {1e-300, 10, 0}, kMult},
        {"StarcBands", {6, 15, 2}, {6, 1e20, 2}, kMaxText},
    });
}
