// Trade volume index: volume added with the sign of the last close move larger than
// a minimum tick.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/compensated_sum.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class TradeVolumeIndex final : public CandleIndicator<TradeVolumeIndex> {
public:
    // min_tick below zero (or not finite): InvalidParameter; -0.0 is accepted.
    static std::expected<TradeVolumeIndex, IndicatorError> create(double min_tick);

    // Nothing on the first bar; then the index, the direction kept until a close moves
    // by more than min_tick. A move of exactly min_tick in the printed decimals does not
    // count, whatever its rounding in doubles.
    std::optional<double> step(const Ohlcv& bar) {
        if (!prev_close_) {
            prev_close_ = bar.close;
            return std::nullopt;
        }
        const double change = bar.close - *prev_close_;
        // Beyond a sixteenth of min_tick from it either way, a move's rounding (below
        // 2^-51 of the prices, a price of fewer than 2^47 ticks) cannot reach
        // min_tick, and the doubles decide.
        if (change > clear_) {
            direction_ = 1.0;
        } else if (change < -clear_) {
            direction_ = -1.0;
        } else if (change >= near_ || change <= -near_) [[unlikely]] {
            direction_ = near_tick(*prev_close_, bar.close, min_tick_, direction_);
        }
        index_.add(direction_ * bar.volume);
        prev_close_ = bar.close;
        return index_.value();
    }
    std::uint64_t warmup() const override { return 2; }

private:
    explicit TradeVolumeIndex(double min_tick);

    // The direction after a move within a sixteenth of min_tick of it.
    [[gnu::noinline]] static double near_tick(double prev, double close, double min_tick, double direction);

    std::optional<double> prev_close_;
    double min_tick_;
    double clear_;  // min_tick + min_tick / 16: a larger move is beyond it
    double near_;   // min_tick − min_tick / 16 (the least double above zero for a zero tick): a smaller one within
    double direction_ = 0.0;
    CompensatedSum index_;  // a cumulative line: compensated so long runs do not drift
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, TradeVolumeIndex);

}  // namespace torvex
