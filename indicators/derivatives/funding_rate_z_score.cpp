#include "indicators/derivatives/funding_rate_z_score.hpp"

#include <cmath>

namespace torvex {

std::expected<FundingRateZScore, IndicatorError> FundingRateZScore::create(std::uint64_t period) {
    auto window = VarianceWindow::create(period);
    if (!window) return std::unexpected(window.error());
    return FundingRateZScore(std::move(*window));
}

std::optional<double> FundingRateZScore::step(const DerivativesTick& tick) {
    const double x = tick.funding_rate;
    if (!window_.push(x)) return std::nullopt;
    const double var = window_.variance();
    if (var == 0.0) return 0.0;
    return window_.deviation(x) / std::sqrt(var);
}

}  // namespace torvex
