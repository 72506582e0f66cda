// Modified moving-average stop: the stop follows Wilder's smoothed average of the
// close, only up while long and only down while short; a close strictly beyond it
// flips the trend and restarts the stop at the average.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/averages/smma.hpp"
#include "indicators/indicator.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class ModifiedMaStop final : public MultiOutput<ModifiedMaStop, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"value", "direction"};
    static constexpr InputGate kGate = InputGate::Candle;

    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<ModifiedMaStop, IndicatorError> create(std::uint64_t n);

    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const double close = ctx.candle.close;
        const std::optional<double> avg = average_.step(close);
        if (!avg) return std::nullopt;
        if (direction_ == 0.0) [[unlikely]] {
            start(close, *avg);
        } else if (direction_ > 0.0) {
            stop_ = max_skipping_nan(*avg, stop_);
            if (stop_ > close) {
                if (held_at_close_) [[unlikely]] {
                    hold_or_flip(close, *avg);
                } else {
                    direction_ = -1.0;
                    stop_ = *avg;
                }
            }
        } else {
            stop_ = min_skipping_nan(*avg, stop_);
            if (close > stop_) {
                direction_ = 1.0;
                stop_ = *avg;
            }
        }
        return std::array<double, 2>{stop_, direction_};
    }
    std::uint64_t warmup() const override { return average_.warmup(); }

private:
    explicit ModifiedMaStop(Smma average)
        : average_(std::move(average)), near_seed_(static_cast<double>(average_.warmup()) * 0x1p-50) {}

    // The first value: long unless the close lies below the first average, the mean
    // of the first n closes; on a tie in their decimals long, the stop on the close.
    [[gnu::noinline]] void start(double close, double avg);
    // A long stop that began on a tie and now lies above the close: held on the close
    // while within rounding of it, else flipped short at the average.
    [[gnu::noinline]] void hold_or_flip(double close, double avg);

    Smma average_;  // mean of the first n closes, then ((n - 1)·avg + close) / n
    double direction_ = 0.0;  // 0.0 until the first value, then +1.0 or -1.0
    double stop_ = 0.0;
    // n · 2^−50: a bound on the rounding of the mean of n closes, relative to them.
    double near_seed_;
    // Whether the stop began on a tie with the close (long). While every close since
    // repeats it, the average stays on it in exact arithmetic, and the stop, only
    // rising, lies within rounding of it; a close above lifts the stop by a tick
    // over n at least, one below flips it.
    bool held_at_close_ = false;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, ModifiedMaStop, 2);

}  // namespace torvex
