#include "indicators/levels/fib_projection.hpp"

#include <algorithm>
#include <cmath>

namespace torvex {

std::expected<FibProjection, IndicatorError> FibProjection::create() { return FibProjection{}; }

std::array<double, 4> FibProjection::levels(std::span<const Pivot> p, std::uint64_t) {
    const double d = p[1].price - p[0].price;
    const double from = p[2].price;
    return {0.618 * d + from, from + d, 1.618 * d + from, 2.618 * d + from};
}

}  // namespace torvex
