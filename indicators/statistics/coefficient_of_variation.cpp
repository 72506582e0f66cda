#include "indicators/statistics/coefficient_of_variation.hpp"

#include <cmath>

namespace torvex {

std::expected<CoefficientOfVariation, IndicatorError> CoefficientOfVariation::create(std::uint64_t n) {
    auto window = VarianceWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return CoefficientOfVariation(std::move(*window));
}

std::optional<double> CoefficientOfVariation::step(double close) {
    if (!window_.push(close)) return std::nullopt;
    const double mean = window_.mean();
    if (mean == 0.0) return 0.0;
    return std::sqrt(window_.variance()) / mean;
}

}  // namespace torvex
