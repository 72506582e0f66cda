#include "indicators/levels/fib_extension.hpp"

#include <algorithm>
#include <cmath>

namespace torvex {

std::expected<FibExtension, IndicatorError> FibExtension::create() { return FibExtension{}; }

std::array<double, 5> FibExtension::levels(std::span<const Pivot> p, std::uint64_t) {
    const double base = p[0].price;
    const double d = p[1].price - base;
    return {1.272 * d + base, 1.414 * d + base, 1.618 * d + base, (d + d) + base, 2.618 * d + base};
}

}  // namespace torvex
