// Amihud illiquidity over the last `period` trades: the mean of |log return| per unit
// of traded value, price × quantity.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/resum_clock.hpp"
#include "indicators/cores/capped_ring.hpp"
#include "indicators/flow/trade_feed.hpp"

namespace torvex {

class AmihudIlliquidity final : public TradeIndicator<AmihudIlliquidity> {
public:
    static std::expected<AmihudIlliquidity, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return period_ + 1; }

private:
    explicit AmihudIlliquidity(std::uint64_t period) : values_(period), period_(period), clock_(period) {}

    // One trade's result.
    std::optional<double> trade(const Trade& t);

    std::optional<double> previous_;
    std::optional<double> last_;
    CappedRing<double> values_;
    std::uint64_t period_;
    double sum_ = 0.0;
    // Re-adds the values every `period` prints and when their sum has fallen far
    // below its recent size.
    ResumClock clock_;
};

}  // namespace torvex
