#include "indicators/risk/step_trailing_stop.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, StepTrailingStop);

std::expected<StepTrailingStop, IndicatorError> StepTrailingStop::create(double s) {
    if (!(std::isfinite(s) && s > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    return StepTrailingStop(s);
}

}  // namespace torvex
