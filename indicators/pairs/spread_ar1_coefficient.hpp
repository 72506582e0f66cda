// First-order autoregressive coefficient of the spread (close minus reference) over
// the last `period` bars.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/capped_ring.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class SpreadAr1Coefficient final : public PairIndicator<SpreadAr1Coefficient> {
public:
    static std::expected<SpreadAr1Coefficient, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(double a, double b);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit SpreadAr1Coefficient(std::uint64_t period) : spreads_(period), period_(period) {}

    CappedRing<double> spreads_;
    std::uint64_t period_;
};

}  // namespace torvex
