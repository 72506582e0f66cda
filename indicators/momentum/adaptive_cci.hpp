// Commodity channel index around an adaptive mean whose speed follows the
// efficiency of the typical-price path over the window (fast 2 bars, slow 30).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/capped_ring.hpp"

namespace torvex {

class AdaptiveCci final : public CandleIndicator<AdaptiveCci> {
public:
    // Z(n), M(n), then n = 1: InvalidPeriod "adaptive CCI needs period >= 2".
    static std::expected<AdaptiveCci, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit AdaptiveCci(std::uint64_t n) : window_(n), period_(n) {}

    std::optional<double> mean_;
    CappedRing<double> window_;
    std::uint64_t period_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, AdaptiveCci);

}  // namespace torvex
