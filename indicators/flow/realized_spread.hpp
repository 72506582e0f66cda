// Realized spread in basis points: for the trade `horizon` prints back, 2·sign·(its
// price − the current reference mid) / the mid at its time · 10000.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/capped_ring.hpp"
#include "indicators/flow/trade_feed.hpp"

namespace torvex {

class RealizedSpread final : public TradeIndicator<RealizedSpread> {
public:
    static std::expected<RealizedSpread, IndicatorError> create(std::uint64_t horizon);

    std::optional<double> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return horizon_ + 1; }

private:
    explicit RealizedSpread(std::uint64_t horizon) : prints_(horizon + 1), horizon_(horizon) {}

    struct Print {
        double sign;
        double price;
        double mid;
    };

    CappedRing<Print> prints_;
    std::uint64_t horizon_;
};

}  // namespace torvex
