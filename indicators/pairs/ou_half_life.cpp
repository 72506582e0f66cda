#include "indicators/pairs/ou_half_life.hpp"

#include "indicators/pairs/spread_lag_fit.hpp"

namespace torvex {

std::expected<OuHalfLife, IndicatorError> OuHalfLife::create(std::uint64_t period) {
    if (period < 3) return std::unexpected(IndicatorError::invalid_period("OU half-life needs period >= 3"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    return OuHalfLife(period);
}

std::optional<double> OuHalfLife::step(double a, double b) {
    spreads_.push(a - b);
    if (!spreads_.full()) return std::nullopt;
    const std::optional<double> slope = lag_regression_slope(spreads_, LagTarget::Change, a, b);
    if (!slope || !(*slope < 0.0)) return 0.0;
    return -0.6931471805599453 / *slope;
}

}  // namespace torvex
