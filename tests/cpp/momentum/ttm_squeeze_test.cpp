#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "candle_test_bars.hpp"
#include "indicators/momentum/ttm_squeeze.hpp"

using namespace torvex;
using test::box;
using test::kMaxText;
using test::flat;

namespace {

using U = std::uint64_t;
const std::string kMult = "multiplier must be greater than zero";
const std::string kShort = "invalid period: TTM squeeze needs period >= 2 for the momentum regression";

// The momentum by its definition: the least-squares line through (i, close_i - mid),
// i = 0 for the oldest close, evaluated at the newest.
double fitted_end(const std::vector<double>& closes, double mid) {
    const double n = static_cast<double>(closes.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < closes.size(); ++i) {
        const double x = static_cast<double>(i), y = closes[i] - mid;
        sx += x;
        sy += y;
        sxx += x * x;
        sxy += x * y;
    }
    const double slope = (n * sxy - sx * sy) / (n * sxx - sx * sx);
    return (sy - slope * sx) / n + slope * (n - 1);
}

// The momentum of the n bars that end at bars[end]: the fitted end point about the
// midline of the Keltner middle (the average of the closes, or the close itself where
// they are all equal) and the high-low midpoint.
double momentum_of(const std::vector<Ohlcv>& bars, std::size_t end, std::size_t n) {
    std::vector<double> closes;
    double hh = -INFINITY, ll = INFINITY, sum = 0;
    bool equal = true;
    for (std::size_t j = end + 1 - n; j <= end; ++j) {
        closes.push_back(bars[j].close);
        hh = std::max(hh, bars[j].high);
        ll = std::min(ll, bars[j].low);
        sum += bars[j].close;
        equal = equal && bars[j].close == bars[end].close;
    }
    const double middle = equal ? bars[end].close : sum / static_cast<double>(n);
    return fitted_end(closes, (middle + (hh + ll) / 2) / 2);
}

}  // namespace

TEST(TtmSqueezeConstruct, ChecksAndMessagesInOrder) {
    test::expect_builds({
        {"period 1", box<TtmSqueeze>(U{1}, 2.0, 1.5), kShort},
        {"period 0", box<TtmSqueeze>(U{0}, 0.0, 0.0), kShort},
        {"long before multipliers", box<TtmSqueeze>(MAX_PERIOD + 1, 0.0, 0.0), kMaxText},
        {"Bollinger multiplier", box<TtmSqueeze>(U{20}, 0.0, 1.5), kMult},
        {"Keltner multiplier", box<TtmSqueeze>(U{20}, 2.0, -1.5), kMult},
        {"period 2", box<TtmSqueeze>(U{2}, 2.0, 1.5), ""},
    });
}

TEST(TtmSqueezeValues, HandWorkedBars) {
    test::expect_published({
        // Constant bars: zero widths on both sides, so the squeeze holds with equality.
        {"flat", box<TtmSqueeze>(U{3}, 2.0, 1.5), {flat(5), flat(5), flat(5), flat(5)}, {{}, {}, {1, 0}, {1, 0}}},
        // Closes 0 and 2: Bollinger 0..2 (deviation 1), ATR (0 + 2) / 2 = 1. With the
        // Keltner multiplier 1 the bands lie exactly on the channel (squeeze); with 0.5
        // they stick out. Midline (1 + 1) / 2; line through (0, -1), (1, 1) ends at 1.
        {"on the edges", box<TtmSqueeze>(U{2}, 1.0, 1.0), {flat(0), flat(2)}, {{}, {1, 1}}},
        {"outside", box<TtmSqueeze>(U{2}, 1.0, 0.5), {flat(0), flat(2)}, {{}, {0, 1}}},
        // Closes rising by 1: the line through the window's closes ends 1 above the
        // midline (average 2, high-low midpoint 2); Bollinger 2·0.816 is wider than
        // 1.5 ATR (2/3).
        {"rising", box<TtmSqueeze>(U{3}, 2.0, 1.5), {flat(1), flat(2), flat(3), flat(4)}, {{}, {}, {0, 1}, {0, 1}}},
    });
}

// A window with real ranges: the momentum is the fitted end point of the closes against
// the midline of the simple average and the high-low midpoint.
TEST(TtmSqueezeValues, MomentumIsTheFittedEndPoint) {
    const std::vector<Ohlcv> bars = test::wander(40);
    IndicatorBox ind = test::make(box<TtmSqueeze>(U{6}, 2.0, 1.5));
    ASSERT_TRUE(ind);
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const auto got = test::feed(*ind, bars[i]);
        ASSERT_EQ(got.has_value(), i + 1 >= 6) << "bar " << i + 1;
        if (!got) continue;
        EXPECT_NEAR(ind->outputs()[1].value, momentum_of(bars, i, 6), 1e-9) << "bar " << i + 1;
        EXPECT_TRUE(*got == 0.0 || *got == 1.0);
    }
}

// Near 2^-997 the squares of the deviations underflow and every window's bands have
// width 0, so whether the closes are all equal decides the middle line on every bar:
// at the bar where the last differing close leaves, over equal closes that differ from
// older ones, and where bars whose deviations do not underflow come between.
TEST(TtmSqueezeValues, EqualClosesDecideTheMiddleWhereTheDeviationUnderflows) {
    const double unit = std::ldexp(1.0, -997), big = 1.0;  // big: a deviation that does not underflow
    const std::vector<std::vector<double>> cases = {
        {0.3, 0.1, 0.1, 0.1, 0.1},
        {0.3, 0.3, 0.3, 0.1, 0.1, 0.1},
        {0.1, 0.1, 0.1, big / unit, 0.1, 0.3, 0.3, 0.3},
        {0.1, 0.1, 0.7, 0.7, 0.1, 0.1, 0.1, 0.1},
    };
    for (const std::vector<double>& closes : cases) {
        std::vector<Ohlcv> bars;
        for (double c : closes) bars.push_back(flat(c * unit));
        IndicatorBox ind = test::make(box<TtmSqueeze>(U{3}, 2.0, 1.5));
        ASSERT_TRUE(ind);
        for (std::size_t i = 0; i < bars.size(); ++i) {
            ASSERT_EQ(test::feed(*ind, bars[i]).has_value(), i + 1 >= 3);
            if (i + 1 < 3) continue;
            // Equal closes lie on their midline: exactly 0, not a rounding of the average.
            const double want = momentum_of(bars, i, 3) / unit;
            EXPECT_NEAR(ind->outputs()[1].value / unit, want, want == 0.0 ? 0.0 : 1e-9)
                << "case from " << closes[0] << ", bar " << i + 1;
        }
    }
}

TEST(TtmSqueezeRegistry, NameBuildsAndRefusesThroughTheTable) {
    test::expect_registry_rows({{"TtmSqueeze", {20, 2, 1.5}, {1, 2, 1.5}, kShort}});
}
