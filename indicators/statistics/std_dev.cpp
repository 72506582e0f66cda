#include "indicators/statistics/std_dev.hpp"

#include <cmath>

namespace torvex {

std::expected<StdDev, IndicatorError> StdDev::create(std::uint64_t n) {
    auto window = VarianceWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return StdDev(std::move(*window));
}

std::optional<double> StdDev::step(double close) {
    if (!window_.push(close)) return std::nullopt;
    last_ = std::sqrt(window_.variance());
    return last_;
}

}  // namespace torvex
