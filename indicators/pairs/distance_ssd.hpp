// Sum of squared differences of the two legs, each normalised by its value at the
// start of the last `period` bars: 0 for legs that move in proportion.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/capped_ring.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class DistanceSsd final : public PairIndicator<DistanceSsd> {
public:
    static std::expected<DistanceSsd, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(double a, double b);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit DistanceSsd(std::uint64_t period) : window_(period), period_(period) {}

    CappedRing<PairInput> window_;
    std::uint64_t period_;
};

}  // namespace torvex
