#include "indicators/volatility/log_return.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, LogReturn);

std::expected<LogReturn, IndicatorError> LogReturn::create(std::uint64_t n) {
    auto window = LagWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return LogReturn(std::move(*window));
}

}  // namespace torvex
