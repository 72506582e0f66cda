#include "indicators/trend/hi_lo_activator.hpp"

#include <cmath>

#include "indicators/cores/decimal_tie.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, HiLoActivator);

std::expected<HiLoActivator, IndicatorError> HiLoActivator::create(std::uint64_t n) {
    auto highs = SummedWindow::create(n);
    if (!highs) return std::unexpected(highs.error());
    auto lows = SummedWindow::create(n);
    if (!lows) return std::unexpected(lows.error());
    return HiLoActivator(std::move(*highs), std::move(*lows));
}

// Takes the bar into the windows and, once they are full, sets their averages.
template <bool kFull>
[[gnu::always_inline]] inline void HiLoActivator::enter(const Ohlcv& bar) {
    highs_.append(bar.high);
    lows_.append(bar.low);
    highs_.count_update();
    lows_.count_update();
    if (!kFull && !highs_.full()) return;
    const double n = static_cast<double>(highs_.period());
    prev_ = Averages{highs_.sum() / n, lows_.sum() / n};
}

std::optional<double> HiLoActivator::step(const Ohlcv& bar) {
    if (!prev_) [[unlikely]] return warm(bar);
    // The previous bar's averages are those of the windows as they stand, before this
    // bar enters them; the windows stay full from the first averages on.
    bool up = trend_up_;
    if (bar.close > prev_->high) {
        up = true;
    } else if (bar.close < prev_->low) {
        up = false;
    }
    if (up != trend_up_) [[unlikely]] up = turn(bar.close, up);
    trend_up_ = up;
    const double result = up ? prev_->low : prev_->high;
    highs_.drop_oldest();
    lows_.drop_oldest();
    enter<true>(bar);
    return result;
}

std::optional<double> HiLoActivator::warm(const Ohlcv& bar) {
    enter<false>(bar);
    return std::nullopt;
}

bool HiLoActivator::turn(double close, bool up) const {
    // A close within a few parts in 2^16 of the average it crosses may equal it in the
    // decimals (the running sum rounds by some n² units in the last place of the prices):
    // then the trend stays, or the other average decides.
    const double average = up ? prev_->high : prev_->low;
    if (std::fabs(close - average) > std::fabs(average) * 0x1p-16) return up;
    const std::uint64_t n = highs_.period();
    const std::optional<int> above_high = sign_of_count_times_minus_sum(close, n, highs_.values());
    const std::optional<int> above_low = sign_of_count_times_minus_sum(close, n, lows_.values());
    if (!above_high || !above_low) return up;
    if (*above_high > 0) return true;
    if (*above_low < 0) return false;
    return trend_up_;
}

}  // namespace torvex
