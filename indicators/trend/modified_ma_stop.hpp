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
        if (direction_ == 0.0) {
            direction_ = close < *avg ? -1.0 : 1.0;
            stop_ = *avg;
        } else if (direction_ > 0.0) {
            stop_ = max_skipping_nan(*avg, stop_);
            if (stop_ > close) {
                direction_ = -1.0;
                stop_ = *avg;
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
    explicit ModifiedMaStop(Smma average) : average_(std::move(average)) {}

    Smma average_;  // mean of the first n closes, then ((n - 1)·avg + close) / n
    double direction_ = 0.0;  // 0.0 until the first value, then +1.0 or -1.0
    double stop_ = 0.0;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, ModifiedMaStop, 2);

}  // namespace torvex
