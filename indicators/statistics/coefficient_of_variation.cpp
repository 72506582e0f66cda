#include "indicators/statistics/coefficient_of_variation.hpp"

namespace torvex {

std::expected<CoefficientOfVariation, IndicatorError> CoefficientOfVariation::create(std::uint64_t n) {
    auto window = VarianceWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return CoefficientOfVariation(std::move(*window));
}

}  // namespace torvex
