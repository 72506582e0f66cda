#include "indicators/levels/golden_pocket.hpp"

#include <algorithm>
#include <cmath>

#include "indicators/numeric.hpp"

namespace torvex {

std::expected<GoldenPocket, IndicatorError> GoldenPocket::create() { return GoldenPocket{}; }

std::array<double, 3> GoldenPocket::levels(std::span<const Pivot> p, std::uint64_t) {
    const double d = p[0].price - p[1].price;
    const double x = 0.618 * d + p[1].price;
    const double y = 0.65 * d + p[1].price;
    const double low = x < y ? x : y;
    const double high = x < y ? y : x;
    return {low, midpoint(low, high), high};
}

}  // namespace torvex
