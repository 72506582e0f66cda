// Percentage change of open interest over `period` snapshots.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <utility>

#include "indicators/cores/feed_indicator.hpp"
#include "indicators/cores/lag_window.hpp"

namespace torvex {

class OpenInterestMomentum final : public TickIndicator<OpenInterestMomentum> {
public:
    static std::expected<OpenInterestMomentum, IndicatorError> create(std::uint64_t period);

    // 0.0 rather than a division when the old open interest is not above zero.
    std::optional<double> step(const DerivativesTick& tick);
    std::uint64_t warmup() const override { return window_.period() + 1; }

private:
    explicit OpenInterestMomentum(LagWindow window) : window_(std::move(window)) {}

    LagWindow window_;
};

}  // namespace torvex
