#include "indicators/levels/fib_channel.hpp"

#include <algorithm>
#include <cmath>

namespace torvex {

std::expected<FibChannel, IndicatorError> FibChannel::create() { return FibChannel{}; }

std::array<double, 4> FibChannel::levels(std::span<const Pivot> p, std::uint64_t now) {
    const double start = p[0].price;
    const double slope = (p[2].price - start) / static_cast<double>(p[2].bar - p[0].bar);
    const double base = static_cast<double>(now - p[0].bar) * slope + start;
    const double offset = p[1].price - (static_cast<double>(p[1].bar - p[0].bar) * slope + start);
    return {base, 0.618 * offset + base, offset + base, 1.618 * offset + base};
}

}  // namespace torvex
