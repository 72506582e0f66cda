#include "indicators/cores/aroon_window.hpp"

namespace torvex {

std::expected<AroonWindow, IndicatorError> AroonWindow::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return AroonWindow(n);
}

std::optional<AroonPair> AroonWindow::step(const Ohlcv& bar) {
    extremes_.push(bar.high, bar.low);
    if (!extremes_.full()) return std::nullopt;
    const double n = static_cast<double>(period_);
    return AroonPair{static_cast<double>(extremes_.highest_at()) * 100.0 / n,
                     static_cast<double>(extremes_.lowest_at()) * 100.0 / n};
}

}  // namespace torvex
