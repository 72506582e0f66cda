#include "indicators/pairs/information_ratio.hpp"

#include <cmath>

namespace torvex {

std::expected<InformationRatio, IndicatorError> InformationRatio::create(std::uint64_t period) {
    if (period < 2) return std::unexpected(IndicatorError::invalid_period("information ratio needs period >= 2"));
    auto window = VarianceWindow::create(period);
    if (!window) return std::unexpected(window.error());
    return InformationRatio(std::move(*window));
}

std::optional<double> InformationRatio::step(double a, double b) {
    if (!window_.push(a - b)) return std::nullopt;
    const double var = window_.sample_variance();
    if (var == 0.0) return 0.0;
    return window_.mean() / std::sqrt(var);
}

}  // namespace torvex
