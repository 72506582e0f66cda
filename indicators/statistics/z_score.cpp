#include "indicators/statistics/z_score.hpp"

#include <cmath>

namespace torvex {

std::expected<ZScore, IndicatorError> ZScore::create(std::uint64_t n) {
    auto window = VarianceWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return ZScore(std::move(*window));
}

std::optional<double> ZScore::step(double close) {
    if (!window_.push(close)) return std::nullopt;
    const double var = window_.variance();
    // A flat window has no spread to measure the distance in.
    if (var == 0.0) return 0.0;
    return (close - window_.mean()) / std::sqrt(var);
}

}  // namespace torvex
