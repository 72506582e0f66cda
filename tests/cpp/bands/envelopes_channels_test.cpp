#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "candle_test_bars.hpp"
#include "indicators/bands/acceleration_bands.hpp"
#include "indicators/bands/bomar_bands.hpp"
#include "indicators/bands/candle_volume.hpp"
#include "indicators/bands/donchian.hpp"
#include "indicators/bands/equivolume.hpp"
#include "indicators/bands/fractal_chaos_bands.hpp"
#include "indicators/bands/hurst_channel.hpp"
#include "indicators/bands/lin_reg_channel.hpp"
#include "indicators/bands/ma_envelope.hpp"
#include "indicators/bands/median_channel.hpp"
#include "indicators/bands/projection_bands.hpp"
#include "indicators/bands/quartile_bands.hpp"
#include "indicators/bands/standard_error_bands.hpp"
#include "indicators/levels/andrews_pitchfork.hpp"
#include "indicators/levels/murrey_math_lines.hpp"

using namespace torvex;
using test::box;
using test::kMaxText;
using test::kZeroText;
using test::make;
using test::ohlc;
using test::wander;

namespace {

using U = std::uint64_t;
constexpr U kOver = MAX_PERIOD + 1;

Ohlcv hl(double h, double l) { return test::ohlc(l, h, l, h); }

std::vector<std::string_view> names_of(const std::vector<NamedOutput>& out) {
    std::vector<std::string_view> v;
    for (const NamedOutput& o : out) v.push_back(o.name);
    return v;
}

struct Typed {
    const char* label;
    test::Maker make;
    bool candle_gate;
    std::vector<std::string_view> names;
    bool ordered;  // every list is non-increasing from its first entry to its last
    bool swing_based = false;  // the first value waits for swings: warmup() is a lower bound
};

std::vector<Typed> all_types() {
    const std::vector<std::string_view> uml{"upper", "middle", "lower"};
    return {
        {"MaEnvelope", box<MaEnvelope>(U{5}, 0.05), false, uml, true},
        {"AccelerationBands", box<AccelerationBands>(U{5}, 2.0), true, uml, true},
        {"LinRegChannel", box<LinRegChannel>(U{6}, 2.0), false, uml, true},
        {"StandardErrorBands", box<StandardErrorBands>(U{6}, 2.0), false, uml, true},
        {"QuartileBands", box<QuartileBands>(U{6}), false, uml, true},
        {"BomarBands", box<BomarBands>(U{6}, 0.8), false, uml, true},
        {"MedianChannel", box<MedianChannel>(U{6}, 1.5), false, uml, true},
        {"Donchian", box<Donchian>(U{5}), true, uml, true},
        {"FractalChaosBands", box<FractalChaosBands>(U{2}), true, {"upper", "lower"}, false, true},
        {"ProjectionBands", box<ProjectionBands>(U{5}), true, uml, false},
        {"HurstChannel", box<HurstChannel>(U{5}, 0.5), true, uml, true},
        {"CandleVolume", box<CandleVolume>(U{4}), true, {"body", "width"}, false},
        {"Equivolume", box<Equivolume>(U{4}), true, {"height", "width"}, false},
        {"AndrewsPitchfork", box<AndrewsPitchfork>(U{1}), true, {"median", "upper", "lower"}, false, true},
        {"MurreyMathLines", box<MurreyMathLines>(U{4}), true,
         {"mm8_8", "mm7_8", "mm6_8", "mm5_8", "mm4_8", "mm3_8", "mm2_8", "mm1_8", "mm0_8"}, true},
    };
}

}  // namespace

TEST(BandsConstruct, ChecksAndMessagesInOrder) {
    const std::string mult = "multiplier must be greater than zero";
    const std::string bomar = "invalid parameter: bomar bands coverage must be a finite value in (0.0, 1.0]";
    const double tiny = 4.9406564584124654e-324;
    test::expect_builds({
        {"MaEnvelope fraction first", box<MaEnvelope>(U{0}, 0.0), mult},
        {"MaEnvelope zero", box<MaEnvelope>(U{0}, 0.1), kZeroText},
        {"MaEnvelope long", box<MaEnvelope>(kOver, 0.1), kMaxText},
        {"AccBands factor first", box<AccelerationBands>(U{0}, NAN), mult},
        {"AccBands zero", box<AccelerationBands>(U{0}, 4.0), kZeroText},
        {"AccBands long", box<AccelerationBands>(kOver, 4.0), kMaxText},
        {"LinRegChannel one", box<LinRegChannel>(U{1}, 2.0), "invalid period: linear regression channel needs period >= 2"},
        {"LinRegChannel zero", box<LinRegChannel>(U{0}, 2.0), "invalid period: linear regression channel needs period >= 2"},
        {"LinRegChannel long", box<LinRegChannel>(kOver, 0.0), kMaxText},
        {"LinRegChannel mult last", box<LinRegChannel>(U{2}, -1.0), mult},
        {"SEB two", box<StandardErrorBands>(U{2}, 2.0), "invalid period: standard error bands need period >= 3"},
        {"SEB mult", box<StandardErrorBands>(U{3}, INFINITY), mult},
        {"Quartile zero", box<QuartileBands>(U{0}), kZeroText},
        {"Quartile long", box<QuartileBands>(kOver), kMaxText},
        {"Bomar zero", box<BomarBands>(U{0}, 2.0), kZeroText},
        {"Bomar coverage 0", box<BomarBands>(U{5}, 0.0), bomar},
        {"Bomar above 1", box<BomarBands>(U{5}, std::nextafter(1.0, 2.0)), bomar},
        {"Bomar coverage 1", box<BomarBands>(U{5}, 1.0), ""},
        {"Bomar subnormal", box<BomarBands>(U{5}, tiny), ""},
        {"Median zero", box<MedianChannel>(U{0}, 0.0), kZeroText},
        {"Median mult last", box<MedianChannel>(U{5}, 0.0), mult},
        {"Donchian zero", box<Donchian>(U{0}), kZeroText},
        {"Donchian long", box<Donchian>(kOver), kMaxText},
        {"Fractal zero", box<FractalChaosBands>(U{0}), kZeroText},
        {"Fractal long", box<FractalChaosBands>(kOver), kMaxText},
        {"Projection one", box<ProjectionBands>(U{1}), "invalid period: projection bands need period >= 2"},
        {"Projection long", box<ProjectionBands>(kOver), kMaxText},
        {"Hurst mult first", box<HurstChannel>(U{0}, 0.0), mult},
        {"Hurst zero", box<HurstChannel>(U{0}, 1.0), kZeroText},
        {"CandleVolume zero", box<CandleVolume>(U{0}), kZeroText},
        {"Equivolume long", box<Equivolume>(kOver), kMaxText},
        {"Pitchfork zero", box<AndrewsPitchfork>(U{0}), kZeroText},
        {"Pitchfork long", box<AndrewsPitchfork>(kOver), kMaxText},
        {"Murrey zero", box<MurreyMathLines>(U{0}), kZeroText},
        {"Murrey long", box<MurreyMathLines>(kOver), kMaxText},
    });
}

// Every published list worked out by hand from the formulas; an empty list is a
// bar without a value.
TEST(BandsValues, HandWorkedBars) {
    auto close = [](double c) { return ohlc(c, c, c, c); };
    const double s18 = std::sqrt(1.0 / 18.0);
    const double s6 = std::sqrt(1.0 / 6.0);
    test::expect_published({
        {"MaEnvelope", box<MaEnvelope>(U{2}, 0.1), {close(10), close(20)}, {{}, {15.0 * 1.1, 15.0, 15.0 * 0.9}}},
        {"MaEnvelope p=1", box<MaEnvelope>(U{1}, 1.0), {close(7)}, {{14.0, 7.0, 0.0}}},
        {"AccBands", box<AccelerationBands>(U{1}, 4.0), {ohlc(100, 110, 90, 100)}, {{154.0, 100.0, 54.0}}},
        {"AccBands flat", box<AccelerationBands>(U{2}, 4.0), {close(3), close(5)}, {{}, {4.0, 4.0, 4.0}}},
        {"AccBands zero bar", box<AccelerationBands>(U{1}, 4.0), {close(0)}, {{0.0, 0.0, 0.0}}},
        {"LinReg 1,2,4", box<LinRegChannel>(U{3}, 1.0), {close(1), close(2), close(4)},
         {{}, {}, {23.0 / 6.0 + s18, 23.0 / 6.0, 23.0 / 6.0 - s18}}},
        {"SEB 1,2,4", box<StandardErrorBands>(U{3}, 1.0), {close(1), close(2), close(4)},
         {{}, {}, {23.0 / 6.0 + s6, 23.0 / 6.0, 23.0 / 6.0 - s6}}},
        {"LinReg line", box<LinRegChannel>(U{2}, 3.0), {close(5), close(8), close(11)}, {{}, {8, 8, 8}, {11, 11, 11}}},
        {"Quartile", box<QuartileBands>(U{4}), {close(4), close(1), close(3), close(2)},
         {{}, {}, {}, {3.25, 2.5, 1.75}}},
        {"Quartile n=1", box<QuartileBands>(U{1}), {close(9)}, {{9, 9, 9}}},
        {"Median", box<MedianChannel>(U{5}, 1.0), {close(1), close(100), close(2), close(4), close(3)},
         {{}, {}, {}, {}, {4, 3, 2}}},
        {"Median n=1", box<MedianChannel>(U{1}, 3.0), {close(9)}, {{9, 9, 9}}},
        // Mean 2.5, relative deviations 0.2, 0.2, 0.6, 0.6.
        {"Bomar half", box<BomarBands>(U{4}, 0.5), {close(1), close(2), close(3), close(4)},
         {{}, {}, {}, {3.5, 2.5, 1.5}}},
        {"Bomar all", box<BomarBands>(U{4}, 1.0), {close(1), close(2), close(3), close(4)},
         {{}, {}, {}, {4.0, 2.5, 1.0}}},
        {"Bomar zero mean", box<BomarBands>(U{2}, 0.5), {close(-1), close(1)}, {{}, {0, 0, 0}}},
        {"Bomar negative", box<BomarBands>(U{3}, 1.0), {close(-1), close(-2), close(-3)}, {{}, {}, {-1, -2, -3}}},
        {"Donchian", box<Donchian>(U{2}), {hl(12, 9), hl(10, 8), hl(11, 10)}, {{}, {12, 10, 8}, {11, 9.5, 8}}},
        {"Donchian huge", box<Donchian>(U{1}), {hl(1.7e308, 1.6e308)}, {{1.7e308, 1.65e308, 1.6e308}}},
        {"Hurst", box<HurstChannel>(U{2}, 0.5), {ohlc(10, 12, 8, 10), ohlc(11, 14, 9, 11)}, {{}, {13.5, 10.5, 7.5}}},
        {"Hurst flat", box<HurstChannel>(U{2}, 0.5), {close(4), close(4)}, {{}, {4, 4, 4}}},
        {"Hurst closes", box<HurstChannel>(U{2}, 0.5), {close(4), close(6)}, {{}, {6, 5, 4}}},
        // Slopes 2 and 1: projected highs 12, 12 and lows 9, 9.
        {"Projection", box<ProjectionBands>(U{2}), {hl(10, 8), hl(12, 9)}, {{}, {12, 10.5, 9}}},
        {"Projection rising", box<ProjectionBands>(U{3}), {hl(10, 5), hl(11, 6), hl(12, 7)}, {{}, {}, {12, 9.5, 7}}},
        // Fractal high 12 at bar 2, fractal low 5.5 at bar 4; the tie of 13 at
        // bars 8 and 9 is no fractal.
        {"Fractal", box<FractalChaosBands>(U{1}),
         {hl(10, 5), hl(12, 6), hl(11, 7), hl(11, 5.5), hl(12, 6.5), hl(11.5, 7), hl(11.5, 8), hl(13, 9), hl(13, 10)},
         {{}, {}, {}, {}, {12, 5.5}, {12, 5.5}, {12, 5.5}, {12, 5.5}, {12, 5.5}}},
        {"CandleVolume", box<CandleVolume>(U{2}), {ohlc(10, 11, 9, 10.5, 100), ohlc(10, 11, 8, 9, 300)},
         {{}, {-1.0, 1.5}}},
        {"CandleVolume zero", box<CandleVolume>(U{1}), {ohlc(10, 11, 9, 10.5, 0.0)}, {{0.5, 0.0}}},
        {"Equivolume", box<Equivolume>(U{1}), {ohlc(10, 11, 8, 10, 7.0)}, {{3.0, 1.0}}},
    });
}

// Names and order of the outputs, the first value on bar warmup(), the first entry
// equal to the update's value, refused inputs answering nothing and changing
// nothing (published list included), and band ordering where it is guaranteed.
TEST(BandsContract, WarmupRefusalsNamesAndOrder) {
    const std::vector<Ohlcv> bars = wander(150);
    const Ohlcv bad_candles[] = {ohlc(NAN, 2, 1, 1), ohlc(1, 1, 2, 1), Ohlcv{0, 1, 2, 0, 1, -1.0}, ohlc(3, 2, 1, 1)};
    const Ohlcv bad_closes[] = {ohlc(1, 2, 1, NAN), ohlc(1, 2, 1, INFINITY), ohlc(1, 2, 1, -INFINITY)};
    for (const Typed& t : all_types()) {
        SCOPED_TRACE(t.label);
        IndicatorBox clean = make(t.make);
        IndicatorBox dirty = make(t.make);
        ASSERT_TRUE(clean && dirty);
        EXPECT_TRUE(dirty->outputs().empty());
        std::uint64_t first = 0;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            if (i % 6 == 4) {
                const auto before = dirty->outputs();
                const Ohlcv& bad = t.candle_gate ? bad_candles[i % 4] : bad_closes[i % 3];
                EXPECT_FALSE(test::feed(*dirty, bad));
                EXPECT_EQ(dirty->outputs(), before);
            }
            const auto want = test::feed(*clean, bars[i]);
            const auto got = test::feed(*dirty, bars[i]);
            ASSERT_EQ(got, want) << "bar " << i + 1;
            ASSERT_EQ(dirty->outputs(), clean->outputs()) << "bar " << i + 1;
            if (!got) continue;
            if (first == 0) first = i + 1;
            const auto out = clean->outputs();
            EXPECT_EQ(names_of(out), t.names);
            EXPECT_EQ(out[0].value, *got);
            if (t.ordered) {
                for (std::size_t j = 1; j < out.size(); ++j) EXPECT_GE(out[j - 1].value, out[j].value) << j;
            }
        }
        if (t.swing_based) {
            EXPECT_GE(first, clean->warmup());
        } else {
            EXPECT_EQ(first, clean->warmup());
        }
    }
}

// A close-only type reads only the close: a bar breaking the candle rule with a
// finite close is taken.
TEST(BandsContract, CloseTypesIgnoreTheCandleRule) {
    IndicatorBox ind = make(box<QuartileBands>(U{1}));
    EXPECT_EQ(test::feed(*ind, ohlc(5, 1, 2, 5)), 5.0);
}

// A widened high that overflows refuses the whole bar: the three averages stay in
// step and the next bars answer as if it had never come.
TEST(BandsValues, AccelerationBandsRefuseAnOverflowingBar) {
    IndicatorBox ind = make(box<AccelerationBands>(U{2}, 4.0));
    IndicatorBox reference = make(box<AccelerationBands>(U{2}, 4.0));
    EXPECT_FALSE(test::feed(*ind, ohlc(1e308, 1.7e308, -1e308, 1e308)));
    for (const Ohlcv& b : wander(6)) EXPECT_EQ(test::feed(*ind, b), test::feed(*reference, b));
    EXPECT_EQ(ind->outputs(), reference->outputs());
}

// The registry builds every name from its positional parameters and reports a
// refusal with the name and the constructor's display text.
TEST(BandsRegistry, NamesBuildAndRefuseThroughTheTable) {
    const std::string mult = "multiplier must be greater than zero";
    test::expect_registry_rows({
        {"AccelerationBands", {20, 4}, {1e20, -1}, mult},
        {"MaEnvelope", {20, 0.025}, {1e-300, 0.1}, kZeroText},
        {"LinRegChannel", {20, 2}, {1, 2}, "invalid period: linear regression channel needs period >= 2"},
        {"StandardErrorBands", {20, 2}, {2, 2}, "invalid period: standard error bands need period >= 3"},
        {"QuartileBands", {20}, {1e20}, kMaxText},
        {"BomarBands", {20, 0.85}, {20, 1.5}, "invalid parameter: bomar bands coverage must be a finite value in (0.0, 1.0]"},
        {"MedianChannel", {20, 2}, {20, 0}, mult},
        {"Donchian", {20}, {1e20}, kMaxText},
        {"FractalChaosBands", {2}, {1e-300}, kZeroText},
        {"ProjectionBands", {14}, {1}, "invalid period: projection bands need period >= 2"},
        {"HurstChannel", {20, 0.5}, {1e20, 0.5}, kMaxText},
        {"CandleVolume", {20}, {1e20}, kMaxText},
        {"Equivolume", {20}, {1e-300}, kZeroText},
        {"AndrewsPitchfork", {5}, {1e20}, kMaxText},
        {"MurreyMathLines", {64}, {1e-300}, kZeroText},
    });
}
