#include "indicators/risk/percentage_trailing_stop.hpp"

#include <cmath>

namespace torvex {

std::expected<PercentageTrailingStop, IndicatorError> PercentageTrailingStop::create(double percent) {
    if (!(std::isfinite(percent) && percent > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    return PercentageTrailingStop(percent);
}

std::optional<double> PercentageTrailingStop::step(double close) {
    const double dist = (std::fabs(close) * percent_) / 100.0;
    return stop_.advance(close, close - dist, close + dist);
}

}  // namespace torvex
