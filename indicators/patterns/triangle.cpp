#include "indicators/patterns/triangle.hpp"

#include <cmath>

namespace torvex {

std::expected<Triangle, IndicatorError> Triangle::create() { return Triangle{}; }

double Triangle::judge(std::span<const Pivot> p) {
    const SwingPairs s = swing_pairs(p);
    const bool flat_highs = near_within(s.h1, s.h2, 0.03);
    const bool flat_lows = near_within(s.l1, s.l2, 0.03);
    const bool rising_lows = s.l2 > 1.03 * s.l1;
    const bool falling_highs = s.h2 < 0.97 * s.h1;
    if (flat_highs) {
        if (rising_lows) return 1.0;
        if (falling_highs && flat_lows) return -1.0;
        return 0.0;
    }
    if (!falling_highs) return 0.0;
    if (flat_lows) return -1.0;
    if (rising_lows) return p.back().direction > 0.0 ? -1.0 : 1.0;
    return 0.0;
}

}  // namespace torvex
