#include "indicators/pairs/spread_ar1_coefficient.hpp"

#include "indicators/pairs/spread_lag_fit.hpp"

namespace torvex {

std::expected<SpreadAr1Coefficient, IndicatorError> SpreadAr1Coefficient::create(std::uint64_t period) {
    if (period < 3) return std::unexpected(IndicatorError::invalid_period("AR(1) spread coefficient needs period >= 3"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    return SpreadAr1Coefficient(period);
}

std::optional<double> SpreadAr1Coefficient::step(double a, double b) {
    spreads_.push(a - b);
    if (!spreads_.full()) return std::nullopt;
    return lag_regression_slope(spreads_, LagTarget::Level, a, b).value_or(0.0);
}

}  // namespace torvex
