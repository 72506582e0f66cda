#include "indicators/patterns/pivot_reversal.hpp"

#include "indicators/cores/strict_extremes.hpp"

namespace torvex {

std::expected<PivotReversal, IndicatorError> PivotReversal::create(std::uint64_t left, std::uint64_t right) {
    if (left == 0 || right == 0) return std::unexpected(IndicatorError::zero_period());
    // The ring holds L + R + 1 bars: each side is bounded like any window length.
    if (auto ok = check_max_period(left); !ok) return std::unexpected(ok.error());
    if (auto ok = check_max_period(right); !ok) return std::unexpected(ok.error());
    return PivotReversal(left, right);
}

std::optional<double> PivotReversal::step(const Ohlcv& bar) {
    if (bars_.full()) bars_.drop_oldest();
    bars_.push_back(bar);
    if (!bars_.full()) {
        previous_close_ = bar.close;
        return std::nullopt;
    }
    // The candidate has L bars before it and R after it; a pivot confirmed now is
    // already used below.
    const StrictExtremes pivot = strict_extremes(bars_, left_);
    const Ohlcv& candidate = bars_.from_oldest(left_);
    if (pivot.high) pivot_high_ = candidate.high;
    if (pivot.low) pivot_low_ = candidate.low;

    double result = 0.0;
    if (previous_close_) {
        const double previous = *previous_close_;
        if (pivot_high_ && previous <= *pivot_high_ && *pivot_high_ < bar.close) result = 1.0;
        if (pivot_low_ && bar.close < *pivot_low_ && *pivot_low_ <= previous) result = -1.0;
    }
    previous_close_ = bar.close;
    return result;
}

}  // namespace torvex
