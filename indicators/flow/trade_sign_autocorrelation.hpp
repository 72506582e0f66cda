// Lag-one autocorrelation of trade signs over the last `period` trades: the mean of
// the products of neighbouring signs (+1 runs of one side, -1 alternation).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/capped_ring.hpp"
#include "indicators/flow/trade_feed.hpp"

namespace torvex {

class TradeSignAutocorrelation final : public TradeIndicator<TradeSignAutocorrelation> {
public:
    static std::expected<TradeSignAutocorrelation, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit TradeSignAutocorrelation(std::uint64_t period) : signs_(period), period_(period) {}

    CappedRing<std::int8_t> signs_;
    std::uint64_t period_;
    // Sum of the neighbouring products in the window; an integer, so keeping it
    // running gives exactly the sum a full pass would.
    std::int64_t products_ = 0;
};

}  // namespace torvex
