#include "indicators/patterns/rectangle_range.hpp"

#include <cmath>

namespace torvex {

std::expected<RectangleRange, IndicatorError> RectangleRange::create() { return RectangleRange{}; }

double RectangleRange::judge(std::span<const Pivot> p) {
    const bool all = near_within(p[0].price, p[2].price, 0.03) && near_within(p[1].price, p[3].price, 0.03);
    return all ? completion_sign(p) : 0.0;
}

}  // namespace torvex
