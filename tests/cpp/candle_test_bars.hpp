// Hand-made candles for the tests of the whole-bar families: literal bars, a
// wandering series of valid bars, and building a constructor result behind the
// common interface.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "test_support.hpp"

namespace torvex::test {

inline Ohlcv ohlc(double o, double h, double l, double c, double v = 1.0) { return Ohlcv{0, o, h, l, c, v}; }
inline Ohlcv flat(double p) { return ohlc(p, p, p, p); }

// Valid bars with real bodies, ranges and volumes, starting near `base`.
inline std::vector<Ohlcv> wander(std::size_t count, double base = 100.0) {
    std::vector<Ohlcv> bars;
    double x = base;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i);
        const double o = x;
        x += std::sin(t * 1.3) * 2.0 + 0.1;
        const double h = std::max(o, x) + 0.5 + std::fabs(std::cos(t));
        const double l = std::min(o, x) - 0.25 - std::fabs(std::sin(t * 0.7));
        bars.push_back(ohlc(o, h, l, x, 10.0 + 5.0 * std::sin(t)));
    }
    return bars;
}

inline IndicatorBox make(const Maker& m) {
    auto made = m();
    EXPECT_TRUE(made.has_value()) << (made ? "" : made.error().display());
    return made ? std::move(*made) : nullptr;
}

}  // namespace torvex::test
