#include "indicators/volume/kvo.hpp"

#include <cmath>

#include "indicators/cores/printed_decimal.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, Kvo);

std::expected<Kvo, IndicatorError> Kvo::create(std::uint64_t fast, std::uint64_t slow) {
    if (fast == 0 || slow == 0) return std::unexpected(IndicatorError::zero_period());
    if (fast >= slow) return std::unexpected(IndicatorError::invalid_period("KVO needs fast < slow"));
    if (slow > MAX_PERIOD) return std::unexpected(IndicatorError::period_too_long());
    return Kvo(fast, slow);
}

std::optional<double> Kvo::near_step(const Ohlcv& bar, double hlc) {
    if (!started_) {
        started_ = true;
        prev_dm_ = bar.high - bar.low;
        prev_hlc_ = hlc;
        return std::nullopt;
    }
    const std::int8_t trend =
        same_printed(hlc, prev_hlc_) ? trend_ : (hlc > prev_hlc_ ? 1 : (hlc < prev_hlc_ ? -1 : trend_));
    return advance(bar, hlc, trend);
}

}  // namespace torvex
