// A trailing stop that moves in whole multiples of a fixed price step and flips
// side when the close crosses it.
#pragma once

#include <cmath>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/flip_stop.hpp"

namespace torvex {

class StepTrailingStop final : public CloseIndicator<StepTrailingStop> {
public:
    // step must be finite and above zero, else NonPositiveMultiplier.
    static std::expected<StepTrailingStop, IndicatorError> create(double s);

    // The stop level, from the first close on: long stops on the grid at or under
    // close − s, short stops on the grid at or over close + s.
    std::optional<double> step(double close) {
        const double s = step_size_;
        const double below = std::floor((close - s) / s) * s;
        const double above = std::ceil((close + s) / s) * s;
        return stop_.advance(close, below, above);
    }
    std::uint64_t warmup() const override { return 1; }

private:
    explicit StepTrailingStop(double s) : step_size_(s) {}

    FlipStop stop_;
    double step_size_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, StepTrailingStop);

}  // namespace torvex
