// A trailing stop that moves in whole multiples of a fixed price step and flips
// side when the close crosses it.
#pragma once

#include <cmath>
#include <cstddef>
#include <expected>
#include <limits>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/flip_stop.hpp"

namespace torvex {

class StepTrailingStop final : public CloseIndicator<StepTrailingStop> {
public:
    // step must be finite and above zero, else NonPositiveMultiplier.
    static std::expected<StepTrailingStop, IndicatorError> create(double s);

    // The stop level, from the first close on: long stops on the grid at or under
    // close − s, short stops on the grid at or over close + s. The grid is that of the
    // printed decimals: a close on a multiple of s is on it, and each stop is the
    // decimal it should be, whatever the price level.
    std::optional<double> step(double close) {
        if (short_step_) [[likely]] return on_binary(stop_, step_size_, close);
        return on_decimals(close);
    }
    // The column: one test of the step for the whole run.
    TORVEX_INLINE_LOOP void run_closes(const double* closes, std::size_t n, double* __restrict out) {
        if (!short_step_) {
            for (std::size_t r = 0; r < n; ++r) out[r] = is_finite(closes[r]) ? on_decimals(closes[r]) : 0.0;
            return;
        }
        FlipStop stop = stop_;
        const double s = step_size_;
        for (std::size_t r = 0; r < n; ++r) out[r] = is_finite(closes[r]) ? on_binary(stop, s, closes[r]) : 0.0;
        stop_ = stop;
    }
    std::uint64_t warmup() const override { return 1; }

private:
    explicit StepTrailingStop(double s) : step_size_(s) {}

    // A step of a few binary digits (1, 0.5, 0.25 ...) has exact multiples, and a
    // close that is one of them in decimals is one in doubles: the doubles decide.
    static double on_binary(FlipStop& stop, double s, double close) {
        const double below = std::floor((close - s) / s) * s;
        const double above = std::ceil((close + s) / s) * s;
        return stop.advance(close, below, above);
    }
    // The step for a step such as 0.01, which doubles hold only to rounding.
    [[gnu::noinline]] double on_decimals(double close);
    // The double nearest k steps, for the candidates of each side (the last one kept).
    double grid_value(double k, double& last_k, double& last_value) const;

    FlipStop stop_;
    double step_size_;
    bool short_step_ = false;
    double below_k_ = std::numeric_limits<double>::quiet_NaN();
    double below_value_ = 0.0;
    double above_k_ = std::numeric_limits<double>::quiet_NaN();
    double above_value_ = 0.0;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, StepTrailingStop);

}  // namespace torvex
