// Largest fractional drop from a running peak within the last n prices.
#pragma once

#include <cstdint>
#include <expected>

#include "indicators/risk/window_measures.hpp"

namespace torvex {

class MaxDrawdown final : public WindowScan<MaxDrawdown> {
public:
    // Z then M on n.
    static std::expected<MaxDrawdown, IndicatorError> create(std::uint64_t n);

    // max over the window of (peak − p) / peak while the running peak (from
    // −infinity) is above 0; 0.0 for a window that never falls.
    double evaluate(const ValueRing& window) const;

private:
    explicit MaxDrawdown(std::uint64_t n) : WindowScan(n) {}
};

}  // namespace torvex
