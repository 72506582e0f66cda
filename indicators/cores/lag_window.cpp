#include "indicators/cores/lag_window.hpp"

namespace torvex {

std::expected<LagWindow, IndicatorError> LagWindow::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return LagWindow(n);
}

}  // namespace torvex
