#include "indicators/risk/burke_ratio.hpp"

#include <cmath>

namespace torvex {

std::expected<BurkeRatio, IndicatorError> BurkeRatio::create(std::uint64_t n) {
    if (auto ok = check_min_period(n, 2, "burke ratio needs period >= 2"); !ok) return std::unexpected(ok.error());
    return BurkeRatio(n);
}

double BurkeRatio::evaluate(const ValueRing& window) const {
    double squared = 0.0;
    const double sum = walk_drawdown_episodes(window, [&](double depth) { squared = squared + depth * depth; });
    if (!(squared > 0.0)) return 0.0;
    return (sum / static_cast<double>(period())) / std::sqrt(squared);
}

}  // namespace torvex
