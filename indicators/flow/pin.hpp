// Order-flow imbalance probability over the last `period` trades: |2B − n| / n with
// B the buys among them (0 for a balanced window, 1 for one-sided flow).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/capped_ring.hpp"
#include "indicators/flow/trade_feed.hpp"

namespace torvex {

class Pin final : public TradeIndicator<Pin> {
public:
    static std::expected<Pin, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit Pin(std::uint64_t period) : buys_(period), period_(period) {}

    CappedRing<bool> buys_;
    std::uint64_t period_;
    std::uint64_t buy_count_ = 0;
};

}  // namespace torvex
