// Mean return over the average drawdown depth of the window's equity path.
#pragma once

#include <cstdint>
#include <expected>

#include "indicators/risk/window_measures.hpp"

namespace torvex {

class SterlingRatio final : public WindowScan<SterlingRatio> {
public:
    // n below 2: InvalidPeriod "sterling ratio needs period >= 2"; then M.
    static std::expected<SterlingRatio, IndicatorError> create(std::uint64_t n);

    // (Σr / n) / (mean episode depth); 0.0 without an episode or with a zero
    // average depth.
    double evaluate(const ValueRing& window) const;

private:
    explicit SterlingRatio(std::uint64_t n) : WindowScan(n) {}
};

}  // namespace torvex
