#include "indicators/cores/aroon_window.hpp"

#include <limits>

namespace torvex {

std::expected<AroonWindow, IndicatorError> AroonWindow::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return AroonWindow(n);
}

std::optional<AroonPair> AroonWindow::step(const Ohlcv& bar) {
    bars_.push(bar);
    if (!bars_.full()) return std::nullopt;
    double best_high = -std::numeric_limits<double>::infinity();
    double best_low = std::numeric_limits<double>::infinity();
    std::uint64_t high_at = 0;
    std::uint64_t low_at = 0;
    std::uint64_t i = 0;
    bars_.for_each([&](const Ohlcv& b) {
        if (b.high >= best_high) {
            best_high = b.high;
            high_at = i;
        }
        if (b.low <= best_low) {
            best_low = b.low;
            low_at = i;
        }
        ++i;
    });
    const double n = static_cast<double>(period_);
    return AroonPair{static_cast<double>(high_at) * 100.0 / n, static_cast<double>(low_at) * 100.0 / n};
}

}  // namespace torvex
