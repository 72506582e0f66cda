#include "indicators/risk/percentage_trailing_stop.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, PercentageTrailingStop);

std::expected<PercentageTrailingStop, IndicatorError> PercentageTrailingStop::create(double percent) {
    if (!(std::isfinite(percent) && percent > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    return PercentageTrailingStop(percent);
}

}  // namespace torvex
