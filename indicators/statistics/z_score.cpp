#include "indicators/statistics/z_score.hpp"

namespace torvex {

std::expected<ZScore, IndicatorError> ZScore::create(std::uint64_t n) {
    auto window = VarianceWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return ZScore(std::move(*window));
}

}  // namespace torvex
