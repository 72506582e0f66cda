#include "indicators/trend/polarized_fractal_efficiency.hpp"

namespace torvex {

std::expected<PolarizedFractalEfficiency, IndicatorError> PolarizedFractalEfficiency::create(
    std::uint64_t n, std::uint64_t smoothing) {
    auto prices = LagWindow::create(n);
    if (!prices) return std::unexpected(prices.error());
    auto smoother = SeededEma::create(smoothing);
    if (!smoother) return std::unexpected(smoother.error());
    return PolarizedFractalEfficiency(std::move(*prices), std::move(*smoother));
}

}  // namespace torvex
