// Trade volume index: volume added with the sign of the last close move larger than
// a minimum tick.
#pragma once

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
    // by more than min_tick.
    std::optional<double> step(const Ohlcv& bar) {
        if (!prev_close_) {
            prev_close_ = bar.close;
            return std::nullopt;
        }
        const double change = bar.close - *prev_close_;
        if (change > min_tick_) {
            direction_ = 1.0;
        } else if (change < -min_tick_) {
            direction_ = -1.0;
        }
        index_.add(direction_ * bar.volume);
        prev_close_ = bar.close;
        return index_.value();
    }
    std::uint64_t warmup() const override { return 2; }

private:
    explicit TradeVolumeIndex(double min_tick) : min_tick_(min_tick) {}

    std::optional<double> prev_close_;
    double min_tick_;
    double direction_ = 0.0;
    CompensatedSum index_;  // a cumulative line: compensated so long runs do not drift
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, TradeVolumeIndex);

}  // namespace torvex
