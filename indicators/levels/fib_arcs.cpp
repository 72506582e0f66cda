#include "indicators/levels/fib_arcs.hpp"

#include <algorithm>
#include <cmath>

namespace torvex {

std::expected<FibArcs, IndicatorError> FibArcs::create() { return FibArcs{}; }

std::array<double, 3> FibArcs::levels(std::span<const Pivot> p, std::uint64_t now) {
    const double span = static_cast<double>(p[1].bar - p[0].bar);
    const double u = static_cast<double>(now - p[1].bar) / span;
    const double h = std::sqrt(std::max(1.0 - u * u, 0.0));
    const double centre = p[1].price;
    const double d = p[0].price - centre;
    return {((0.382 * d) * h) + centre, ((0.5 * d) * h) + centre, ((0.618 * d) * h) + centre};
}

}  // namespace torvex
