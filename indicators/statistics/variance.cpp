#include "indicators/statistics/variance.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Variance);

std::expected<Variance, IndicatorError> Variance::create(std::uint64_t n) {
    auto window = VarianceWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return Variance(std::move(*window));
}

}  // namespace torvex
