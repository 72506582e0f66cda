#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "candle_test_bars.hpp"
#include "indicators/trend/atr_ratchet.hpp"
#include "indicators/trend/super_trend.hpp"

using namespace torvex;
using test::box;
using test::kMaxText;
using test::kZeroText;

namespace {

using U = std::uint64_t;
constexpr U kOver = MAX_PERIOD + 1;
const std::string kMult = "multiplier must be greater than zero";

// A bar from its high, low and close (the open at the close).
Ohlcv hlc(double h, double l, double c) { return test::ohlc(c, h, l, c); }

}  // namespace

TEST(AtrStopsConstruct, ChecksAndMessagesInOrder) {
    test::expect_builds({
        {"SuperTrend multiplier first", box<SuperTrend>(U{0}, 0.0), kMult},
        {"SuperTrend negative", box<SuperTrend>(U{10}, -3.0), kMult},
        {"SuperTrend zero", box<SuperTrend>(U{0}, 3.0), kZeroText},
        {"SuperTrend long", box<SuperTrend>(kOver, 3.0), kMaxText},
        {"SuperTrend builds", box<SuperTrend>(U{10}, 3.0), ""},
        {"AtrRatchet step not above zero", box<AtrRatchet>(U{0}, 2.0, -1.0), kMult},
        {"AtrRatchet multiplier not above zero", box<AtrRatchet>(U{0}, 0.0, 0.5), kMult},
        {"AtrRatchet NaN step", box<AtrRatchet>(U{14}, 2.0, NAN), kMult},
        {"AtrRatchet zero", box<AtrRatchet>(U{0}, 2.0, 0.5), kZeroText},
        {"AtrRatchet long", box<AtrRatchet>(kOver, 2.0, 0.5), kMaxText},
        {"AtrRatchet builds", box<AtrRatchet>(MAX_PERIOD, 2.0, 0.5), ""},
    });
}

TEST(AtrStopsValues, HandWorkedBars) {
    test::expect_published({
        // Bands 11 / 7 first (long whatever the close); then ATR 4, basic bands 11 / 3:
        // the final bands stay 11 / 7 and the close 6 < 7 flips short at 11. A gap up
        // to close 19 (ATR 14, basic lower 3.5 taken since the previous close 6 was
        // below the final lower band) crosses 11 and flips long at 3.5.
        {"SuperTrend n=1", box<SuperTrend>(U{1}, 1.0), {hlc(10, 8, 9), hlc(9, 5, 6), hlc(20, 15, 19)},
         {{7, 1}, {11, -1}, {3.5, 1}}},
        // The first value is long even with the close below the lower band.
        {"SuperTrend first long", box<SuperTrend>(U{1}, 0.25), {hlc(10, 8, 8)}, {{8.5, 1}}},
        // The lower band tightens while long (basic 9.5 above 7); a lower basic band
        // (8.75) leaves it, and a close exactly on it keeps the trend.
        {"SuperTrend tightens", box<SuperTrend>(U{1}, 1.0), {hlc(10, 8, 10), hlc(11, 10, 11), hlc(11, 9.5, 9.5)},
         {{7, 1}, {9.5, 1}, {9.5, 1}}},
        {"SuperTrend n=2", box<SuperTrend>(U{2}, 2.0), {hlc(12, 8, 11), hlc(13, 10, 12)}, {{}, {4.5, 1}}},
        // Stop 9 - 2·2 = 5, then 5 + 0.5·2 = 6; a gap down (TR 6) puts the stop at
        // 6 + 3 = 9 above the close 5: short at 5 + 2·6 = 17; a gap up (TR 12) to the
        // close 16 above 17 - 6 = 11 flips long at 16 - 24.
        {"AtrRatchet n=1", box<AtrRatchet>(U{1}, 2.0, 0.5),
         {hlc(10, 8, 9), hlc(11, 9, 10), hlc(6, 4, 5), hlc(17, 15, 16)}, {{5, 1}, {6, 1}, {17, -1}, {-8, 1}}},
        // A flat market: the stop climbs by step·ATR each bar and flips on the first
        // bar whose close is below it, restarting at close + m·ATR.
        {"AtrRatchet flat", box<AtrRatchet>(U{1}, 1.0, 0.5),
         {hlc(11, 9, 10), hlc(11, 9, 10), hlc(11, 9, 10), hlc(11, 9, 10)}, {{8, 1}, {9, 1}, {10, 1}, {12, -1}}},
    });
}

// A refused candle between two valid ones changes neither the ATR (its previous close
// included) nor the stop, and the published pair stays.
TEST(AtrStopsValues, RefusedCandleChangesNothing) {
    for (auto make : {box<SuperTrend>(U{2}, 1.5), box<AtrRatchet>(U{2}, 1.5, 0.25)}) {
        IndicatorBox clean = test::make(make);
        IndicatorBox dirty = test::make(make);
        ASSERT_TRUE(clean && dirty);
        const std::vector<Ohlcv> bars{hlc(10, 8, 9), hlc(11, 9, 10), hlc(13, 9.5, 12), hlc(9, 7, 7.5)};
        for (std::size_t i = 0; i < bars.size(); ++i) {
            if (i == 2) {
                const auto before = dirty->outputs();
                EXPECT_FALSE(test::feed(*dirty, hlc(100, 1, 200)));  // close above high
                EXPECT_EQ(dirty->outputs(), before);
            }
            EXPECT_EQ(test::feed(*dirty, bars[i]), test::feed(*clean, bars[i]));
            EXPECT_EQ(dirty->outputs(), clean->outputs());
        }
    }
}

TEST(AtrStopsRegistry, NamesBuildAndRefuseThroughTheTable) {
    test::expect_registry_rows({
        {"SuperTrend", {10, 3}, {10, 0}, kMult},
        {"AtrRatchet", {14, 2, 0.5}, {14, 2, -1}, kMult},
    });
    const auto long_period = build_indicator("SuperTrend", std::vector<double>{16777217, 3});
    ASSERT_FALSE(long_period);
    EXPECT_EQ(long_period.error(), BuildError::invalid("SuperTrend", kMaxText));
}
