#include "indicators/cores/lag_window.hpp"

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

std::expected<LagWindow, IndicatorError> LagWindow::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return LagWindow(n);
}

std::optional<double> LagWindow::push(double x) {
    push_capped(window_, period_ + 1, x);
    if (window_.size() < period_ + 1) return std::nullopt;
    return window_.front();
}

}  // namespace torvex
