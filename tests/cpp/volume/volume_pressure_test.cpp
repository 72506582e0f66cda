// Volume pressure: BetterVolume codes, DemandIndex, EaseOfMovement and ForceIndex.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "indicators/volume/better_volume.hpp"
#include "indicators/volume/demand_index.hpp"
#include "indicators/volume/ease_of_movement.hpp"
#include "indicators/volume/force_index.hpp"
#include "volume_bars.hpp"

namespace torvex {
namespace {

using namespace volume_test;
constexpr std::nullopt_t None = std::nullopt;

TEST(VolumePressure, BetterVolumePeriodOne) {
    // Nothing older: a bar with range is climax and churn, one without is climax only.
    check("period 1", BetterVolume::create(1), {bar(10, 12, 9, 11, 5), flat(10, 5), bar(11, 12, 9, 9, 0)},
          {4.0, 3.0, 4.0 /* range × 0 = 0 > -inf, and 0/3 > -inf */});
}

TEST(VolumePressure, BetterVolumeCodes) {
    // Older entries: volume 10 over range 2 (range·volume 20, volume/range 5) and volume
    // 20 over range 1 (20 and 20).
    const Ohlcv a = bar(10, 11, 9, 10, 10);
    const Ohlcv b = bar(10, 10.5, 9.5, 10, 20);
    struct Case {
        const char* label;
        Ohlcv now;
        double want;
    };
    const Case cases[] = {
        {"climax alone on a rising bar", bar(10, 13, 9, 12, 8), 3.0},
        {"climax alone on a falling bar", bar(12, 13, 9, 10, 8), -3.0},
        {"churn alone", bar(10, 10.25, 9.75, 10, 15), 2.0},
        {"climax and churn", bar(10, 11, 9, 10, 50), 4.0},
        {"flat bar below both volumes", flat(10, 5), 1.0},
        {"flat bar equal to the lower volume", flat(10, 10), 0.0},
    };
    for (const Case& c : cases) check(c.label, BetterVolume::create(3), {a, b, c.now}, {None, None, c.want});
}

// The sliding extremes must give exactly what a scan of the older bars gives, ties
// and bars without range included.
TEST(VolumePressure, BetterVolumeMatchesAScanOfTheWindow) {
    std::mt19937_64 rng(5);
    std::vector<Ohlcv> bars;
    for (int i = 0; i < 400; ++i) {
        const double low = 10.0 + static_cast<double>(rng() % 5);
        const double high = low + static_cast<double>(rng() % 3);  // a third without range
        const double open = rng() % 2 ? low : high;
        const double close = rng() % 2 ? low : high;
        bars.push_back(bar(open, high, low, close, static_cast<double>(rng() % 6)));
    }
    for (std::uint64_t n : {1u, 2u, 3u, 7u, 40u}) {
        Answers want;
        for (std::size_t t = 0; t < bars.size(); ++t) {
            if (t + 1 < n) {
                want.push_back(None);
                continue;
            }
            double lowest = INFINITY, top_rv = -INFINITY, top_vpr = -INFINITY;
            for (std::size_t j = t + 1 - n; j < t; ++j) {
                const double r = bars[j].high - bars[j].low;
                lowest = std::min(lowest, bars[j].volume);
                top_rv = std::max(top_rv, r * bars[j].volume);
                if (r > 0.0) top_vpr = std::max(top_vpr, bars[j].volume / r);
            }
            const Ohlcv& b = bars[t];
            const double r = b.high - b.low;
            const bool climax = r * b.volume > top_rv;
            const bool churn = r > 0.0 && b.volume / r > top_vpr;
            want.push_back(climax && churn ? 4.0
                           : climax        ? (b.close < b.open ? -3.0 : 3.0)
                           : churn         ? 2.0
                           : b.volume < lowest ? 1.0
                                               : 0.0);
        }
        check("scan", BetterVolume::create(n), bars, want, 0.0);
    }
}

TEST(VolumePressure, DemandIndex) {
    // Bar 2: p 11.5 against 10, mean range 2, vr 1: buying 1, selling e^-k.
    const double k2 = 0.15 * (3.0 * 11.5 / 2.0);
    // Bar 3: p 11.25 against 11.5, mean range 2, vr 1: buying e^-k, selling 1.
    const double k3 = (0.25 / 11.25) * (3.0 * 11.25 / 2.0);
    check("period 1", DemandIndex::create(1),
          {flat(10, 5), bar(10, 12, 10, 12, 5), bar(12, 12, 11, 11, 10), bar(12, 12, 11, 11, 10)},
          {None, (1.0 - 1.0 / std::exp(k2)) * 100.0, (1.0 - 1.0 / std::exp(k3)) * -100.0, 0.0}, 1e-12);
}

TEST(VolumePressure, DemandIndexGuards) {
    check("first answer on bar n + 1; identical bars balance", DemandIndex::create(2),
          {flat(10, 5), flat(10, 5), flat(10, 5), flat(10, 7)}, {None, None, 0.0, 0.0});
    // Bar 5: p 14.5 against 13.5, mean range 3, mean volume 2 and vr 2.
    const double k5 = (1.0 / 13.5) * (3.0 * 14.5 / 3.0);
    check("no volume in the window keeps the last value until volume enters", DemandIndex::create(2),
          {bar(10, 11, 9, 10, 0), bar(10, 12, 9, 12, 0), bar(12, 13, 11, 13, 0), bar(13, 14, 12, 14, 0),
           bar(14, 15, 13, 15, 4)},
          {None, None, 0.0, 0.0, (1.0 - 1.0 / std::exp(k5)) * 100.0}, 1e-12);
    // One move of 1 after 41 flat bars: mean range 1/40 and k = 0.1 · 3 · 11 · 40 =
    // 132, capped at 88: a finite answer at the top of the scale.
    auto made = DemandIndex::create(40);
    IndicatorBox di = test::boxed(std::move(made));
    ASSERT_TRUE(di);
    for (int i = 0; i < 41; ++i) test::feed(*di, flat(10, 1));
    const auto v = test::feed(*di, flat(11, 1));
    ASSERT_TRUE(v);
    EXPECT_DOUBLE_EQ(*v, (1.0 - 1.0 / std::exp(88.0)) * 100.0);
}

TEST(VolumePressure, EaseOfMovement) {
    // Midpoints 11, 13, 15, 15: eases 2·2·1e8/1e8 = 4, 0 (no range), 0 (no volume).
    check("period 1", EaseOfMovement::create(1),
          {bar(11, 12, 10, 11, 1), bar(13, 14, 12, 13, 1e8), flat(15, 5), bar(15, 16, 14, 15, 0)},
          {None, 4.0, 0.0, 0.0});
    check("period 2 averages two", EaseOfMovement::create(2),
          {bar(11, 12, 10, 11, 1), bar(13, 14, 12, 13, 1e8), bar(15, 16, 14, 15, 2e8)}, {None, None, 3.0});
}

TEST(VolumePressure, ForceIndex) {
    check("raw forces 2, 6, -4", ForceIndex::create(2), {flat(10, 1), flat(11, 2), flat(13, 3), flat(12, 4)},
          {None, None, 4.0, -4.0 / 3.0});
    check("constant closes", ForceIndex::create(2), {flat(10, 1), flat(10, 2), flat(10, 3), flat(10, 4)},
          {None, None, 0.0, 0.0});
}

}  // namespace
}  // namespace torvex
