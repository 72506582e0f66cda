#include "indicators/levels/fib_fan.hpp"

#include <algorithm>
#include <cmath>

namespace torvex {

std::expected<FibFan, IndicatorError> FibFan::create() { return FibFan{}; }

std::array<double, 3> FibFan::levels(std::span<const Pivot> p, std::uint64_t now) {
    const double span = static_cast<double>(p[1].bar - p[0].bar);
    const double t = static_cast<double>(now - p[0].bar) / span;
    const double origin = p[0].price;
    const double d = p[1].price - origin;
    return {((0.618 * d) * t) + origin, ((0.5 * d) * t) + origin, ((0.382 * d) * t) + origin};
}

}  // namespace torvex
