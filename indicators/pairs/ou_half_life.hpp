// Half-life in bars of the spread's pull back to its mean, from an Ornstein-Uhlenbeck
// fit of its change on its level over the last `period` bars; 0 when the spread does
// not revert.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/capped_ring.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class OuHalfLife final : public PairIndicator<OuHalfLife> {
public:
    static std::expected<OuHalfLife, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(double a, double b);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit OuHalfLife(std::uint64_t period) : spreads_(period), period_(period) {}

    CappedRing<double> spreads_;
    std::uint64_t period_;
};

}  // namespace torvex
