// The close less the regression line on the reference, fitted over the last
// `period` bars including this one.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/anchored_pair_window.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class BetaNeutralSpread final : public PairIndicator<BetaNeutralSpread> {
public:
    static std::expected<BetaNeutralSpread, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(double a, double b);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit BetaNeutralSpread(std::uint64_t period) : window_(period), period_(period) {}

    AnchoredPairWindow window_;
    std::uint64_t period_;
};

}  // namespace torvex
