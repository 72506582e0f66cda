// Pivot reversal: +1.0 when the close crosses above the last confirmed pivot high,
// -1.0 when it crosses below the last confirmed pivot low. A pivot is a bar whose high
// (low) is strictly beyond those of the L bars before it and the R bars after it.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/strict_extremes.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class PivotReversal final : public CandleIndicator<PivotReversal> {
public:
    // L == 0 or R == 0: ZeroPeriod; either above MAX_PERIOD: the maximum text.
    static std::expected<PivotReversal, IndicatorError> create(std::uint64_t left, std::uint64_t right);

    std::optional<double> step(const Ohlcv& bar) {
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
    std::uint64_t warmup() const override { return left_ + right_ + 1; }

private:
    PivotReversal(std::uint64_t left, std::uint64_t right)
        : bars_(left + right + 1), left_(left), right_(right) {}

    std::optional<double> pivot_high_;
    std::optional<double> pivot_low_;
    std::optional<double> previous_close_;
    FixedRing<Ohlcv> bars_;
    std::uint64_t left_;
    std::uint64_t right_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, PivotReversal);

}  // namespace torvex
