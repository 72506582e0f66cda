// Relative change of open interest minus relative change of the mark price over
// `period` snapshots: positive when positioning grows faster than price moves.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/feed_indicator.hpp"
#include "indicators/cores/fixed_ring.hpp"

namespace torvex {

class OIPriceDivergence final : public TickIndicator<OIPriceDivergence> {
public:
    static std::expected<OIPriceDivergence, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(const DerivativesTick& tick);
    std::uint64_t warmup() const override { return period_ + 1; }

private:
    explicit OIPriceDivergence(std::uint64_t period) : window_(period + 1), period_(period) {}

    struct Sample {
        double open_interest;
        double mark_price;
    };
    FixedRing<Sample> window_;  // at most period + 1 samples
    std::uint64_t period_;
};

}  // namespace torvex
