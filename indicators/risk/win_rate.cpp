#include "indicators/risk/win_rate.hpp"

namespace torvex {

std::expected<WinRate, IndicatorError> WinRate::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return WinRate(n);
}

std::optional<double> WinRate::step(double close) {
    if (const auto old = window_.push(close); old && *old > 0.0) wins_ -= 1;
    if (close > 0.0) wins_ += 1;
    if (!window_.full()) return std::nullopt;
    return static_cast<double>(wins_) / static_cast<double>(window_.capacity());
}

}  // namespace torvex
