// The window of spreads (close minus reference) of the mean-reversion statistics and
// their regression of this bar's value, or its change, on the previous bar's level.
#pragma once

#include <cstdint>
#include <optional>

#include "indicators/cores/capped_ring.hpp"

namespace torvex {

// What the regression explains: the next level or the change to it.
enum class LagTarget : std::uint8_t { Level, Change };

// Slope cov(level, target) / var(level) over the n - 1 consecutive pairs of the full
// window (population moments); nothing when the level variance is not above 0, or
// when the levels are equal in the decimals the newest prices a and b are written to
// (their variance is then the rounding of the spreads).
std::optional<double> lag_regression_slope(const CappedRing<double>& spreads, LagTarget target, double a, double b);

}  // namespace torvex
