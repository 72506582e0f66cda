#include "indicators/levels/fib_retracement.hpp"

#include <algorithm>
#include <cmath>

namespace torvex {

std::expected<FibRetracement, IndicatorError> FibRetracement::create() { return FibRetracement{}; }

std::array<double, 7> FibRetracement::retracement(double a, double b) {
    const double d = a - b;
    return {0.0 * d + b, 0.236 * d + b, 0.382 * d + b, 0.5 * d + b, 0.618 * d + b, 0.786 * d + b, b + d};
}

std::array<double, 7> FibRetracement::levels(std::span<const Pivot> p, std::uint64_t) {
    return retracement(p[0].price, p[1].price);
}

}  // namespace torvex
