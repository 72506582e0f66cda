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
    explicit TrendLabel(std::uint64_t n) : WindowScan(n), mid_(static_cast<double>(n - 1) * 0.5) {}

    double mid_;  // (n − 1) · 0.5, the centre of the positions 0 .. n − 1
};

}  // namespace torvex
