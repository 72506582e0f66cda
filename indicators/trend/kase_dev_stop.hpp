// Kase DevStop: the stop trails the extreme of the trend by the mean plus k sample
// deviations of the two-bar range over the last n ranges; it only tightens, and a
// close strictly beyond it flips the trend and restarts it from that bar's extreme.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/variance_window.hpp"
#include "indicators/indicator.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class KaseDevStop final : public MultiOutput<KaseDevStop, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"value", "direction"};
    static constexpr InputGate kGate = InputGate::Candle;

    // n below 2: InvalidPeriod "Kase DevStop period must be >= 2"; above MAX_PERIOD:
    // InvalidPeriod; then k not finite or not above 0: NonPositiveMultiplier.
    static std::expected<KaseDevStop, IndicatorError> create(std::uint64_t n, double k);

    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const Ohlcv& bar = ctx.candle;
        if (!previous_) {
            previous_ = bar;
            return std::nullopt;
        }
        const double range = max_skipping_nan(bar.high, previous_->high) - min_skipping_nan(bar.low, previous_->low);
        previous_ = bar;
        if (!ranges_.push(range)) return std::nullopt;
        const double distance = ranges_.mean() + multiplier_ * std::sqrt(ranges_.sample_variance());
        if (direction_ == 0.0) {
            direction_ = 1.0;
            extreme_ = bar.high;
            stop_ = bar.high - distance;
        } else if (direction_ > 0.0) {
            extreme_ = max_skipping_nan(bar.high, extreme_);
            stop_ = max_skipping_nan(extreme_ - distance, stop_);
            if (stop_ > bar.close) {
                direction_ = -1.0;
                extreme_ = bar.low;
                stop_ = bar.low + distance;
            }
        } else {
            extreme_ = min_skipping_nan(bar.low, extreme_);
            stop_ = min_skipping_nan(extreme_ + distance, stop_);
            if (bar.close > stop_) {
                direction_ = 1.0;
                extreme_ = bar.high;
                stop_ = bar.high - distance;
            }
        }
        return std::array<double, 2>{stop_, direction_};
    }
    std::uint64_t warmup() const override { return ranges_.period() + 1; }

private:
    KaseDevStop(VarianceWindow ranges, double k) : ranges_(std::move(ranges)), multiplier_(k) {}

    VarianceWindow ranges_;  // two-bar ranges, re-centred every n pushes
    double multiplier_;
    std::optional<Ohlcv> previous_;
    double direction_ = 0.0;  // 0.0 until the first value, then +1.0 or -1.0
    double extreme_ = 0.0;
    double stop_ = 0.0;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, KaseDevStop, 2);

}  // namespace torvex
