#include "indicators/risk/step_trailing_stop.hpp"

#include <cmath>

namespace torvex {

std::expected<StepTrailingStop, IndicatorError> StepTrailingStop::create(double s) {
    if (!(std::isfinite(s) && s > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    return StepTrailingStop(s);
}

std::optional<double> StepTrailingStop::step(double close) {
    const double s = step_size_;
    const double below = std::floor((close - s) / s) * s;
    const double above = std::ceil((close + s) / s) * s;
    return stop_.advance(close, below, above);
}

}  // namespace torvex
