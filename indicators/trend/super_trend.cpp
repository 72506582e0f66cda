#include "indicators/trend/super_trend.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, SuperTrend, 2);

std::expected<SuperTrend, IndicatorError> SuperTrend::create(std::uint64_t n, double m) {
    auto atr = create_scaled_atr(n, m);
    if (!atr) return std::unexpected(atr.error());
    return SuperTrend(*atr, m);
}

}  // namespace torvex
