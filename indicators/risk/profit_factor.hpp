// Sum of the positive returns over the summed magnitude of the negative ones.
#pragma once

#include <cstdint>
#include <expected>

#include "indicators/risk/window_measures.hpp"

namespace torvex {

class ProfitFactor final : public WindowScan<ProfitFactor> {
public:
    // Z then M on n.
    static std::expected<ProfitFactor, IndicatorError> create(std::uint64_t n);

    // gains / losses; 1.0 with neither, +infinity with gains but no losses.
    double evaluate(const ValueRing& window) const;

private:
    explicit ProfitFactor(std::uint64_t n) : WindowScan(n) {}
};

}  // namespace torvex
