#include "indicators/cores/aroon_window.hpp"

namespace torvex {

std::expected<AroonWindow, IndicatorError> AroonWindow::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return AroonWindow(n);
}

std::optional<AroonPair> AroonWindow::step(const Ohlcv& bar) {
    // Bar `count_` has just come; the window holds bars count_ − n .. count_.
    const std::uint64_t first = count_ > period_ ? count_ - period_ : 0;
    highs_.expire_front_before(first);
    lows_.expire_front_before(first);
    highs_.push(count_, bar.high);
    lows_.push(count_, bar.low);
    count_ += 1;
    if (count_ <= period_) return std::nullopt;
    const std::uint64_t oldest = count_ - 1 - period_;
    const double n = static_cast<double>(period_);
    return AroonPair{static_cast<double>(highs_.front().seq - oldest) * 100.0 / n,
                     static_cast<double>(lows_.front().seq - oldest) * 100.0 / n};
}

}  // namespace torvex
