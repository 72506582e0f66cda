#include "indicators/patterns/wedge.hpp"

#include <cmath>

namespace torvex {

std::expected<Wedge, IndicatorError> Wedge::create() { return Wedge{}; }

double Wedge::judge(std::span<const Pivot> p) {
    const SwingPairs s = swing_pairs(p);
    const double dh = s.h2 - s.h1, dl = s.l2 - s.l1;
    if (dl > dh && dl > 0.0 && dh > 0.0) return -1.0;
    if (dl < 0.0 && dh < 0.0 && dh < dl) return 1.0;
    return 0.0;
}

}  // namespace torvex
