#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "candle_test_bars.hpp"
#include "indicators/momentum/ttm_squeeze.hpp"

using namespace torvex;
using test::box;

namespace {

// A daily walk from `level` in cents (moves up to 2.5 %, ranges up to 2 % beyond the
// body) from an integer generator, so the same bars on every platform; then `halt`
// bars at its last close with volume 0.
std::vector<Ohlcv> walk_then_halt(double level, std::size_t walk, std::size_t halt) {
    std::vector<Ohlcv> bars;
    std::uint64_t s = 88172645463325252ull;
    auto next = [&s](std::uint64_t m) { return s ^= s << 13, s ^= s >> 7, s ^= s << 17, static_cast<double>(s % m); };
    double c = level;
    for (std::size_t i = 0; i < walk; ++i) {
        const double o = c;
        c = std::round(c * (1.0 + (next(51) - 25.0) / 1000.0) * 100.0) / 100.0;
        const double reach = std::round(c * next(21) / 10.0) / 100.0;
        bars.push_back(test::ohlc(o, std::max(o, c) + reach, std::min(o, c) - reach, c, 1e6));
    }
    bars.insert(bars.end(), halt, test::ohlc(c, c, c, c, 0.0));
    return bars;
}

}  // namespace

// Over a window of equal bars the bands have width 0 and sit on the mean, inside a
// Keltner channel of any width >= 0, and every close lies on the midline: squeeze 1.0,
// momentum 0.0. Through a long halt the channel's average range decays by (n - 1) / n
// a bar, so the bands must be exactly its middle line, not within a rounding of it.
TEST(TtmSqueezeFlatRun, HaltReadsASqueezeWithNoMomentum) {
    struct Case {
        double level;
        std::uint64_t n;
        double bb_mult, kc_mult;
    };
    const Case cases[] = {{346.91, 20, 2.0, 1.5}, {346.91, 2, 2.0, 1.5}, {7.3, 14, 2.0, 1.5}, {52000.0, 10, 1.0, 0.5}};
    constexpr std::size_t kWalk = 300, kHalt = 2000;
    for (const Case& c : cases) {
        const std::vector<Ohlcv> bars = walk_then_halt(c.level, kWalk, kHalt);
        IndicatorBox ind = test::make(box<TtmSqueeze>(c.n, c.bb_mult, c.kc_mult));
        ASSERT_TRUE(ind);
        std::size_t outside = 0, moving = 0, first_outside = 0, first_moving = 0;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            const std::optional<double> got = test::feed(*ind, bars[i]);
            if (i + 1 < kWalk + c.n) continue;  // the window is not yet all halt bars
            ASSERT_TRUE(got.has_value());
            if (*got != 1.0 && outside++ == 0) first_outside = i + 1 - kWalk;
            if (ind->outputs()[1].value != 0.0 && moving++ == 0) first_moving = i + 1 - kWalk;
        }
        EXPECT_EQ(outside, 0u) << "level " << c.level << ", n " << c.n << ": no squeeze from halt bar " << first_outside;
        EXPECT_EQ(moving, 0u) << "level " << c.level << ", n " << c.n << ": a momentum from halt bar " << first_moving;
    }
}
