#include "indicators/patterns/head_and_shoulders.hpp"

#include <cmath>

namespace torvex {

std::expected<HeadAndShoulders, IndicatorError> HeadAndShoulders::create() { return HeadAndShoulders{}; }

double HeadAndShoulders::judge(std::span<const Pivot> p) {
    const double s1 = p[0].price, n1 = p[1].price, head = p[2].price, n2 = p[3].price, s2 = p[4].price;
    if (!near_within(s1, s2, 0.03) || !near_within(n1, n2, 0.03)) return 0.0;
    if (p[4].direction > 0.0) return (head > s1 && head > s2) ? -1.0 : 0.0;
    return (head < s1 && head < s2) ? 1.0 : 0.0;
}

}  // namespace torvex
