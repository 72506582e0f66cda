// Kyle's lambda over the last `window` trades: the slope of the reference mid's
// change on the signed trade quantity (price impact per unit of net order flow).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/anchored_pair_window.hpp"
#include "indicators/flow/trade_feed.hpp"

namespace torvex {

class KylesLambda final : public TradeIndicator<KylesLambda> {
public:
    static std::expected<KylesLambda, IndicatorError> create(std::uint64_t window);

    std::optional<double> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return window_.period() + 1; }

private:
    explicit KylesLambda(std::uint64_t window) : window_(window) {}

    std::optional<double> previous_mid_;
    AnchoredPairWindow window_;  // (signed quantity, mid change)
};

}  // namespace torvex
