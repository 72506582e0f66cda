// Running total of signed trade quantity (buys add, sells subtract).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/flow/trade_feed.hpp"

namespace torvex {

class CumulativeVolumeDelta final : public TradeIndicator<CumulativeVolumeDelta> {
public:
    static std::expected<CumulativeVolumeDelta, IndicatorError> create() { return CumulativeVolumeDelta(); }

    std::optional<double> step(const BarContext& ctx) {
        for (const Trade& t : ctx.trades) total_ += signed_quantity(t);
        return total_;
    }
    std::uint64_t warmup() const override { return 1; }

private:
    CumulativeVolumeDelta() = default;

    double total_ = 0.0;
};

}  // namespace torvex
