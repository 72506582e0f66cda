#include "indicators/trend/atr_trailing_stop.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, AtrTrailingStop);

std::expected<AtrTrailingStop, IndicatorError> AtrTrailingStop::create(std::uint64_t n, double m) {
    auto atr = create_scaled_atr(n, m);
    if (!atr) return std::unexpected(atr.error());
    return AtrTrailingStop(*atr, m);
}

}  // namespace torvex
