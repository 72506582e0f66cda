#include <gtest/gtest.h>

#include <cmath>
#include <string_view>
#include <vector>

#include "candle_test_bars.hpp"
#include "indicators/bands/atr_bands.hpp"
#include "indicators/bands/keltner.hpp"
#include "indicators/bands/starc_bands.hpp"
#include "indicators/momentum/ttm_squeeze.hpp"
#include "indicators/trend/atr_ratchet.hpp"
#include "indicators/trend/chande_kroll_stop.hpp"
#include "indicators/trend/chandelier_exit.hpp"
#include "indicators/trend/donchian_stop.hpp"
#include "indicators/trend/elder_safe_zone.hpp"
#include "indicators/trend/kase_dev_stop.hpp"
#include "indicators/trend/modified_ma_stop.hpp"
#include "indicators/trend/nrtr.hpp"
#include "indicators/trend/super_trend.hpp"
#include "indicators/trend/zig_zag.hpp"

using namespace torvex;
using test::box;
using test::ohlc;

namespace {

using U = std::uint64_t;

struct Typed {
    const char* label;
    test::Maker make;
    std::vector<std::string_view> names;
    U first_value;        // the accepted bar of the first value
    bool has_direction;   // the second output is a direction of exactly +1 or -1
};

std::vector<Typed> all_types() {
    const std::vector<std::string_view> uml{"upper", "middle", "lower"};
    const std::vector<std::string_view> vd{"value", "direction"};
    return {
        {"AtrBands", box<AtrBands>(U{5}, 2.0), uml, 5, false},
        {"Keltner", box<Keltner>(U{3}, U{7}, 2.0), uml, 7, false},
        {"StarcBands", box<StarcBands>(U{8}, U{4}, 2.0), uml, 8, false},
        {"SuperTrend", box<SuperTrend>(U{6}, 1.0), vd, 6, true},
        {"AtrRatchet", box<AtrRatchet>(U{5}, 2.0, 0.1), vd, 5, true},
        {"Nrtr", box<Nrtr>(2.0), vd, 1, true},
        {"ModifiedMaStop", box<ModifiedMaStop>(U{4}), vd, 4, true},
        {"KaseDevStop", box<KaseDevStop>(U{4}, 1.0), vd, 5, true},
        {"ElderSafeZone", box<ElderSafeZone>(U{4}, 2.0), vd, 5, true},
        {"DonchianStop", box<DonchianStop>(U{5}), {"stop_long", "stop_short"}, 5, false},
        {"ChandelierExit", box<ChandelierExit>(U{5}, 3.0), {"long_stop", "short_stop"}, 5, false},
        {"ChandeKrollStop", box<ChandeKrollStop>(U{5}, 1.0, U{3}), {"stop_long", "stop_short"}, 7, false},
        {"ZigZag", box<ZigZag>(0.01), {"swing", "direction"}, 0, true},  // 0: after its swings
        {"TtmSqueeze", box<TtmSqueeze>(U{6}, 2.0, 1.5), {"squeeze", "momentum"}, 6, false},
    };
}

}  // namespace

// Output names and order, the first value on the declared bar (ZigZag declares 2 and
// waits for its first swing), the update answering the first output, directions of
// exactly +1 or -1 with both seen, and refused candles answering nothing and changing
// nothing (the published list included).
TEST(StopsContract, WarmupRefusalsNamesAndDirections) {
    const std::vector<Ohlcv> bars = test::wander(200);
    const Ohlcv bad[] = {ohlc(NAN, 2, 1, 1), ohlc(1, 1, 2, 1), Ohlcv{0, 1, 2, 0, 1, -1.0}, ohlc(3, 2, 1, 1),
                         ohlc(1, 2, 1, INFINITY)};
    for (const Typed& t : all_types()) {
        SCOPED_TRACE(t.label);
        IndicatorBox clean = test::make(t.make);
        IndicatorBox dirty = test::make(t.make);
        ASSERT_TRUE(clean && dirty);
        EXPECT_TRUE(dirty->outputs().empty());
        U first = 0;
        bool up = false, down = false;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            if (i % 7 == 3) {
                const auto before = dirty->outputs();
                EXPECT_FALSE(test::feed(*dirty, bad[i % 5]));
                EXPECT_EQ(dirty->outputs(), before);
            }
            const auto want = test::feed(*clean, bars[i]);
            const auto got = test::feed(*dirty, bars[i]);
            ASSERT_EQ(got, want) << "bar " << i + 1;
            ASSERT_EQ(dirty->outputs(), clean->outputs()) << "bar " << i + 1;
            if (!got) continue;
            if (first == 0) first = i + 1;
            const auto out = clean->outputs();
            ASSERT_EQ(out.size(), t.names.size());
            for (std::size_t j = 0; j < out.size(); ++j) EXPECT_EQ(out[j].name, t.names[j]);
            EXPECT_EQ(out[0].value, *got);
            if (t.has_direction) {
                EXPECT_TRUE(out[1].value == 1.0 || out[1].value == -1.0) << out[1].value;
                up = up || out[1].value == 1.0;
                down = down || out[1].value == -1.0;
            }
        }
        if (t.first_value == 0) {
            EXPECT_EQ(clean->warmup(), 2u);
            EXPECT_GT(first, 2u);
        } else {
            EXPECT_EQ(first, t.first_value);
            EXPECT_EQ(clean->warmup(), t.first_value);
        }
        if (t.has_direction) {
            EXPECT_TRUE(up && down);
        }
    }
}
