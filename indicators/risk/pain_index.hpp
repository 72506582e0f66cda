// Mean fractional drawdown from the running peak of the last n levels.
#pragma once

#include <cstdint>
#include <expected>

#include "indicators/risk/window_measures.hpp"

namespace torvex {

class PainIndex final : public WindowScan<PainIndex> {
public:
    // Z then M on n.
    static std::expected<PainIndex, IndicatorError> create(std::uint64_t n);

    // Σ (peak − v) / peak over the values under a positive running peak, / n.
    double evaluate(const ValueRing& window) const;

private:
    explicit PainIndex(std::uint64_t n) : WindowScan(n) {}
};

}  // namespace torvex
