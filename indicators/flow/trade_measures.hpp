// Measures of the bar's latest trade alone: its signed quantity, and its effective
// spread against the reference mid.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/flow/trade_feed.hpp"

namespace torvex {

// The signed quantity of the bar's last trade.
double last_signed_volume(const BarContext& ctx);
using SignedVolume = StatelessFeedIndicator<TradeFeed, &last_signed_volume>;

// Effective spread in basis points: 2·sign·(price − mid) / mid · 10000 for the bar's
// last trade; nothing when the reference mid is refused.
class EffectiveSpread final : public TradeIndicator<EffectiveSpread> {
public:
    static std::expected<EffectiveSpread, IndicatorError> create() { return EffectiveSpread(); }

    std::optional<double> step(const BarContext& ctx) const;
    std::uint64_t warmup() const override { return 1; }

private:
    EffectiveSpread() = default;
};

}  // namespace torvex
