#include "indicators/trend/hi_lo_activator.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, HiLoActivator);

std::expected<HiLoActivator, IndicatorError> HiLoActivator::create(std::uint64_t n) {
    auto highs = SummedWindow::create(n);
    if (!highs) return std::unexpected(highs.error());
    auto lows = SummedWindow::create(n);
    if (!lows) return std::unexpected(lows.error());
    return HiLoActivator(std::move(*highs), std::move(*lows));
}

std::optional<double> HiLoActivator::step(const Ohlcv& bar) {
    if (highs_.full()) {
        highs_.drop_oldest();
        lows_.drop_oldest();
    }
    highs_.append(bar.high);
    lows_.append(bar.low);
    highs_.count_update();
    lows_.count_update();
    if (!highs_.full()) return std::nullopt;
    const double n = static_cast<double>(highs_.period());
    const Averages now{highs_.sum() / n, lows_.sum() / n};
    if (!prev_) {
        prev_ = now;
        return std::nullopt;
    }
    if (bar.close > prev_->high) {
        trend_up_ = true;
    } else if (bar.close < prev_->low) {
        trend_up_ = false;
    }
    const double result = trend_up_ ? prev_->low : prev_->high;
    prev_ = now;
    return result;
}

}  // namespace torvex
