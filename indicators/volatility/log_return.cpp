#include "indicators/volatility/log_return.hpp"

namespace torvex {

std::expected<LogReturn, IndicatorError> LogReturn::create(std::uint64_t n) {
    auto window = LagWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return LogReturn(std::move(*window));
}

}  // namespace torvex
