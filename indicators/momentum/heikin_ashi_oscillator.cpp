#include "indicators/momentum/heikin_ashi_oscillator.hpp"

#include "indicators/numeric.hpp"

namespace torvex {

std::expected<HeikinAshiOscillator, IndicatorError> HeikinAshiOscillator::create(std::uint64_t n) {
    auto average = SeededEma::create(n);
    if (!average) return std::unexpected(average.error());
    return HeikinAshiOscillator(*average);
}

std::optional<double> HeikinAshiOscillator::step(const Ohlcv& bar) {
    const double ha_open = has_prev_ ? midpoint(prev_open_, prev_close_) : midpoint(bar.open, bar.close);
    const double ha_close = (((bar.open + bar.high) + bar.low) + bar.close) * 0.25;
    // The pair moves on every valid bar, even when the body below is refused.
    has_prev_ = true;
    prev_open_ = ha_open;
    prev_close_ = ha_close;
    const double body = ha_close - ha_open;
    if (!is_finite(body)) return std::nullopt;
    return average_.step(body);
}

}  // namespace torvex
