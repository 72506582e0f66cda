// Hurst exponent of the last n closes by rescaled-range analysis: the window is cut
// into 1, 2, ..., c equal chunks, and the exponent is the least-squares slope of
// ln(mean R/S) against ln(chunk size).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <vector>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class HurstExponent final : public CloseIndicator<HurstExponent> {
public:
    // chunks below 2, chunks above MAX_PERIOD, period below 2·chunks, then period above
    // MAX_PERIOD: each refused with its own text.
    static std::expected<HurstExponent, IndicatorError> create(std::uint64_t n, std::uint64_t chunks);

    // In [0, 1]; 0.5 when fewer than two chunk sizes have a rescaled range.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_; }

private:
    HurstExponent(std::uint64_t n, std::uint64_t chunks);

    FixedRing<double> window_;
    std::vector<double> scratch_;  // the window, oldest first, reused on every value
    std::uint64_t period_;
    std::uint64_t chunks_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, HurstExponent);

}  // namespace torvex
