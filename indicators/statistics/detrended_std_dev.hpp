// Population standard deviation of the last n closes about their own least-squares
// line: the spread that is left once the window's trend is taken out.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class DetrendedStdDev final : public CloseIndicator<DetrendedStdDev> {
public:
    // n below 2 (0 included): "detrended stddev needs period >= 2"; above MAX_PERIOD: refused.
    static std::expected<DetrendedStdDev, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit DetrendedStdDev(std::uint64_t n);

    FixedRing<double> window_;
    std::uint64_t period_;
    double denom_;  // n·Σi² − (Σi)² over the positions 0 … n − 1
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, DetrendedStdDev);

}  // namespace torvex
