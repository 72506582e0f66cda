#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "candle_test_bars.hpp"
#include "indicators/trend/elder_safe_zone.hpp"
#include "indicators/trend/kase_dev_stop.hpp"
#include "indicators/trend/modified_ma_stop.hpp"
#include "indicators/trend/nrtr.hpp"

using namespace torvex;
using test::box;
using test::kMaxText;
using test::kZeroText;

namespace {

using U = std::uint64_t;
constexpr U kOver = MAX_PERIOD + 1;
const std::string kMult = "multiplier must be greater than zero";
const std::string kKase = "invalid period: Kase DevStop period must be >= 2";
const std::string kNrtr = "invalid parameter: NRTR percentage must be in (0, 100)";

Ohlcv hlc(double h, double l, double c) { return test::ohlc(c, h, l, c); }
Ohlcv at(double c) { return test::flat(c); }

}  // namespace

TEST(RatchetingStopsConstruct, ChecksAndMessagesInOrder) {
    test::expect_builds({
        {"Nrtr 0", box<Nrtr>(0.0), kNrtr},
        {"Nrtr 100", box<Nrtr>(100.0), kNrtr},
        {"Nrtr NaN", box<Nrtr>(NAN), kNrtr},
        {"Nrtr 99.9", box<Nrtr>(99.9), ""},
        {"ModifiedMaStop zero", box<ModifiedMaStop>(U{0}), kZeroText},
        {"ModifiedMaStop long", box<ModifiedMaStop>(kOver), kMaxText},
        {"Kase zero", box<KaseDevStop>(U{0}, 1.0), kKase},
        {"Kase one", box<KaseDevStop>(U{1}, -1.0), kKase},
        {"Kase long before multiplier", box<KaseDevStop>(kOver, 0.0), kMaxText},
        {"Kase multiplier last", box<KaseDevStop>(U{2}, 0.0), kMult},
        {"Kase builds", box<KaseDevStop>(U{2}, 1.0), ""},
        {"Elder zero before multiplier", box<ElderSafeZone>(U{0}, 0.0), kZeroText},
        {"Elder long", box<ElderSafeZone>(kOver, 2.0), kMaxText},
        {"Elder multiplier last", box<ElderSafeZone>(U{1}, INFINITY), kMult},
    });
}

TEST(RatchetingStopsValues, HandWorkedBars) {
    const double d5 = 4.5 + std::sqrt(4.5);  // ranges 3 and 6: mean 4.5, sample variance 4.5
    const double d6 = 5.5 + std::sqrt(0.5);  // ranges 6 and 5
    test::expect_published({
        // 10 %: 90 long; the extreme 100 keeps the stop 90 over the close 95; 89 < 90
        // flips short at 1.1·89; 98 > 1.1·89 flips long again at 0.9·98.
        {"Nrtr", box<Nrtr>(10.0), {at(100), at(95), at(89), at(98)},
         {{90, 1}, {90, 1}, {1.1 * 89, -1}, {0.9 * 98, 1}}},
        {"Nrtr close on the stop", box<Nrtr>(10.0), {at(100), at((1.0 - 0.1) * 100)}, {{90, 1}, {90, 1}}},
        // n = 1: the average is the close. The stop only rises while long, and a close
        // below it flips short with the stop at that close's average; back above, long.
        {"ModifiedMaStop n=1", box<ModifiedMaStop>(U{1}), {at(10), at(12), at(11), at(13)},
         {{10, 1}, {12, 1}, {11, -1}, {13, 1}}},
        // n = 2: the seed mean 11 under the close 12 starts long; then (11 + 8) / 2.
        {"ModifiedMaStop n=2", box<ModifiedMaStop>(U{2}), {at(10), at(12), at(8)}, {{}, {11, 1}, {9.5, -1}}},
        {"ModifiedMaStop starts short", box<ModifiedMaStop>(U{2}), {at(12), at(10)}, {{}, {11, -1}}},
        // Two-bar ranges 3, 3 (distance 3): long at 13 - 3; the extreme 14 raises it to
        // 11; a bar with range 6 closes at 9 under 11: short from its low 8; then the
        // stop falls to 8 + d6.
        {"KaseDevStop", box<KaseDevStop>(U{2}, 1.0),
         {hlc(11, 9, 10), hlc(12, 10, 11), hlc(13, 11, 12), hlc(14, 12, 13), hlc(13, 8, 9), hlc(10, 8.5, 9.5)},
         {{}, {}, {10, 1}, {11, 1}, {8 + d5, -1}, {8 + d6, -1}}},
        // Identical candles: every range is high - low, the deviation 0.
        {"KaseDevStop flat", box<KaseDevStop>(U{3}, 2.0), {hlc(11, 9, 10), hlc(11, 9, 10), hlc(11, 9, 10), hlc(11, 9, 10)},
         {{}, {}, {}, {9, 1}}},
        // Down penetrations 0, 2 (average 2 over the one bar that pierced): long at
        // 7 - 2·2; 8 - 2·2 raises it to 4; a low of 3 (average (0 + 5) / 1) leaves the
        // stop at 4 over the close 3.5: short at 9 + 2·1 (up penetrations 1, 0); no
        // bar pierced upwards in the window any more, so the stop falls to the high 8.
        {"ElderSafeZone", box<ElderSafeZone>(U{2}, 2.0),
         {hlc(10, 8, 9), hlc(11, 9, 10), hlc(12, 7, 11), hlc(13, 8, 12), hlc(9, 3, 3.5), hlc(8, 2, 4)},
         {{}, {}, {3, 1}, {4, 1}, {11, -1}, {8, -1}}},
        // No lower low in the window: the long stop is the running maximum of the lows.
        {"ElderSafeZone rising", box<ElderSafeZone>(U{1}, 3.0), {hlc(10, 8, 9), hlc(11, 9, 10), hlc(12, 10, 11)},
         {{}, {9, 1}, {10, 1}}},
    });
}

// A penetration that dwarfs the window's sum takes its rounding with it when it
// leaves: on that very bar the average is that of the depths left (0.25 and 0.25),
// so the flip to long restarts the stop at 99.5 - 0.25.
TEST(RatchetingStopsValues, ElderSafeZoneSumsAreReaddedAsAHugeDepthLeaves) {
    IndicatorBox ind = test::make(box<ElderSafeZone>(U{3}, 1.0));
    ASSERT_TRUE(ind);
    const std::vector<Ohlcv> bars{hlc(102, 100, 101), hlc(102, 100, 101), hlc(102, 100, 101), hlc(102, 100, 101),
                                  hlc(102, -1e20, -1e20), hlc(102, 100, 101), hlc(102, 99.75, 101),
                                  hlc(110, 99.5, 109)};
    const std::vector<std::vector<double>> want{{}, {}, {}, {100, 1}, {102, -1}, {102, -1}, {102, -1}, {99.25, 1}};
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const std::optional<double> got = test::feed(*ind, bars[i]);
        ASSERT_EQ(got.has_value(), !want[i].empty()) << "bar " << i + 1;
        if (!got) continue;
        const auto out = ind->outputs();
        EXPECT_EQ(out[0].value, want[i][0]) << "bar " << i + 1;
        EXPECT_EQ(out[1].value, want[i][1]) << "bar " << i + 1;
    }
}

TEST(RatchetingStopsRegistry, NamesBuildAndRefuseThroughTheTable) {
    test::expect_registry_rows({
        {"Nrtr", {99.9}, {100}, kNrtr},
        {"ModifiedMaStop", {10}, {1e20}, kMaxText},
        {"KaseDevStop", {10, 2}, {1, 2}, kKase},
        {"ElderSafeZone", {10, 2}, {10, 0}, kMult},
    });
}
