#include "indicators/patterns/abcd.hpp"

#include <cmath>

namespace torvex {

std::expected<Abcd, IndicatorError> Abcd::create() { return Abcd{}; }

double Abcd::judge(std::span<const Pivot> p) {
    const double ab = std::fabs(p[1].price - p[0].price);
    const double bc = std::fabs(p[2].price - p[1].price);
    const double cd = std::fabs(p[3].price - p[2].price);
    const bool all = RatioWindow{0.382, 0.886}.holds(bc / ab) && RatioWindow{1.13, 2.618}.holds(cd / bc) &&
                     near_within(ab, cd, 0.1);
    return all ? completion_sign(p) : 0.0;
}

}  // namespace torvex
