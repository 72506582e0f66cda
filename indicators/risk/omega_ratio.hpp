// Gains above a threshold over the losses below it, over the last n returns.
#pragma once

#include <cstdint>
#include <expected>

#include "indicators/risk/window_measures.hpp"

namespace torvex {

class OmegaRatio final : public WindowScan<OmegaRatio> {
public:
    // Z then M on n; the threshold is kept as given.
    static std::expected<OmegaRatio, IndicatorError> create(std::uint64_t n, double threshold);

    // Σ max(v − h, 0) / Σ max(h − v, 0); 1.0 with neither, +infinity with gains only.
    double evaluate(const ValueRing& window) const;

private:
    OmegaRatio(std::uint64_t n, double threshold) : WindowScan(n), threshold_(threshold) {}

    double threshold_;
};

}  // namespace torvex
