// Mean depth of the drawdown episodes of a window read as a level series.
#pragma once

#include <cstdint>
#include <expected>

#include "indicators/risk/window_measures.hpp"

namespace torvex {

class AverageDrawdown final : public WindowScan<AverageDrawdown> {
public:
    // Z then M on n.
    static std::expected<AverageDrawdown, IndicatorError> create(std::uint64_t n);

    // Episodes open below the running peak (from −infinity) and close when a value
    // regains it; each with a positive peak counts (peak − trough)/peak once, the
    // one still open at the end included. 0.0 when none counts.
    double evaluate(const ValueRing& window) const;

private:
    explicit AverageDrawdown(std::uint64_t n) : WindowScan(n) {}
};

}  // namespace torvex
