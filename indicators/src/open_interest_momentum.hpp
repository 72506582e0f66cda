// Percentage change of open interest over `period` snapshots.
#pragma once

#include <cstdint>
#include <deque>
#include <expected>
#include <optional>

#include "indicators/src/feed_indicator.hpp"

namespace torvex {

class OpenInterestMomentum final : public TickIndicator<OpenInterestMomentum> {
public:
    static std::expected<OpenInterestMomentum, IndicatorError> create(std::uint64_t period);

    // 0.0 rather than a division when the old open interest is not above zero.
    std::optional<double> step(const DerivativesTick& tick);
    std::uint64_t warmup() const override { return period_ + 1; }

private:
    explicit OpenInterestMomentum(std::uint64_t period) : period_(period) {}

    std::deque<double> window_;  // at most period + 1 values
    std::uint64_t period_;
};

}  // namespace torvex
