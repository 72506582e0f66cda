// Roll's implied spread from the last `period` trade-price changes: 2·sqrt(−γ) where
// γ is their lag-one autocovariance, 0 when γ is not negative.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/capped_ring.hpp"
#include "indicators/flow/trade_feed.hpp"

namespace torvex {

class RollMeasure final : public TradeIndicator<RollMeasure> {
public:
    static std::expected<RollMeasure, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return period_ + 1; }

private:
    explicit RollMeasure(std::uint64_t period) : changes_(period), period_(period) {}

    double estimate() const;

    std::optional<double> previous_;
    CappedRing<double> changes_;
    std::uint64_t period_;
};

}  // namespace torvex
