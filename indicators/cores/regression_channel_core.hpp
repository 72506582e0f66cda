// Least-squares line through the last n values, centred on the window mean, with
// bands at k times the root of the residual sum of squares over a divisor: the
// shared body of the regression channel and the standard-error bands.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "indicators/bar.hpp"
#include "indicators/cores/capped_ring.hpp"
#include "indicators/cores/lin_reg_core.hpp"

namespace torvex {

class RegressionChannelCore {
public:
    // The owner has checked n (at least 2, at most MAX_PERIOD) and k; `divisor` is
    // what the residual sum of squares is divided by (n or n - 2), above zero.
    RegressionChannelCore(std::uint64_t n, double k, double divisor)
        : window_(n), period_(n), multiplier_(k), divisor_(divisor), pos_(PositionSums::of(n)) {}

    // Refuses a non-finite close (no value, nothing changed); once n values came,
    // (upper, middle, lower) around the fitted value at the newest position.
    std::optional<std::array<double, 3>> step(double close);

    std::uint64_t period() const { return period_; }

private:
    CappedRing<double> window_;
    std::uint64_t period_;
    double multiplier_;
    double divisor_;
    PositionSums pos_;
};

}  // namespace torvex
