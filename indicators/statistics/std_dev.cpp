#include "indicators/statistics/std_dev.hpp"

namespace torvex {

std::expected<StdDev, IndicatorError> StdDev::create(std::uint64_t n) {
    auto window = VarianceWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return StdDev(std::move(*window));
}

}  // namespace torvex
