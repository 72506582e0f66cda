#include "indicators/risk/win_rate.hpp"

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

std::expected<WinRate, IndicatorError> WinRate::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return WinRate(n);
}

std::optional<double> WinRate::step(double close) {
    if (const auto old = push_capped(window_, period_, close); old && *old > 0.0) wins_ -= 1;
    if (close > 0.0) wins_ += 1;
    if (window_.size() < period_) return std::nullopt;
    return static_cast<double>(wins_) / static_cast<double>(period_);
}

}  // namespace torvex
