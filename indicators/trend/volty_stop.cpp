#include "indicators/trend/volty_stop.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, VoltyStop);

std::expected<VoltyStop, IndicatorError> VoltyStop::create(std::uint64_t n, double m) {
    auto atr = create_scaled_atr(n, m);
    if (!atr) return std::unexpected(atr.error());
    return VoltyStop(*atr, m);
}

}  // namespace torvex
