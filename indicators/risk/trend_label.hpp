// Trend of the last n closes: the sign of their least-squares slope.
#pragma once

#include <cstdint>
#include <expected>

#include "indicators/risk/window_measures.hpp"

namespace torvex {

class TrendLabel final : public WindowScan<TrendLabel> {
public:
    // n below 2: InvalidPeriod "trend label needs period >= 2"; then M.
    static std::expected<TrendLabel, IndicatorError> create(std::uint64_t n);

    // 1.0, −1.0 or 0.0 by the sign of Σ (i − (n − 1)/2)·(v_i − mean).
    double evaluate(const ValueRing& window) const;

private:
    explicit TrendLabel(std::uint64_t n)
        : WindowScan(n),
          mid_(static_cast<double>(n - 1) * 0.5),
          near_flat_(static_cast<double>(n) * static_cast<double>(n) * 0x1p-48) {}

    // The sign of the slope read on the window's decimals as written, for a sum
    // within rounding of 0 (the sum in doubles is s, whose sign stands where the
    // values read on no grid of integers).
    [[gnu::noinline]] static double exact_sign(const ValueRing& window, double s);

    double mid_;        // (n − 1) · 0.5, the centre of the positions 0 .. n − 1
    double near_flat_;  // n² · 2^−48: the sum's rounding, relative to the window's total (n³ · 2^−48 of the mean), stays below it
};

}  // namespace torvex
