// Mean return over the ulcer index of the window's equity path.
#pragma once

#include <cstdint>
#include <expected>

#include "indicators/risk/window_measures.hpp"

namespace torvex {

class MartinRatio final : public WindowScan<MartinRatio> {
public:
    // n below 2: InvalidPeriod "martin ratio needs period >= 2"; then M.
    static std::expected<MartinRatio, IndicatorError> create(std::uint64_t n);

    // (sum / n) / √(mean squared percentage drawdown); 0.0 without drawdown.
    double evaluate(const ValueRing& window) const;

private:
    explicit MartinRatio(std::uint64_t n) : WindowScan(n) {}
};

}  // namespace torvex
