// Buy against sell quantity over the last `period` trades: (B − S) / (B + S), 0 when
// the window traded nothing.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/summed_pair_window.hpp"
#include "indicators/flow/trade_feed.hpp"

namespace torvex {

class TradeImbalance final : public TradeIndicator<TradeImbalance> {
public:
    static std::expected<TradeImbalance, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return window_.period(); }

private:
    explicit TradeImbalance(std::uint64_t period) : window_(period) {}

    // Buy and sell quantity per trade; both sums are added up again from the window
    // every `period` trades, so a window that has gone quiet reads exactly 0.
    SummedPairWindow window_;
};

}  // namespace torvex
