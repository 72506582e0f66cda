#include "indicators/patterns/double_top_bottom.hpp"

#include <cmath>

namespace torvex {

std::expected<DoubleTopBottom, IndicatorError> DoubleTopBottom::create() { return DoubleTopBottom{}; }

double DoubleTopBottom::judge(std::span<const Pivot> p) {
    return near_within(p[0].price, p[2].price, 0.03) ? completion_sign(p) : 0.0;
}

}  // namespace torvex
