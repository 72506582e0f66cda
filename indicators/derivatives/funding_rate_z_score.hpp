// Population z-score of the funding rate over a rolling window.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <utility>

#include "indicators/cores/feed_indicator.hpp"
#include "indicators/cores/variance_window.hpp"

namespace torvex {

// The window's shifted sums keep the variance of small rates accurate, and come back
// once a rate that broke them (NaN, infinite, or too large to square) has left.
class FundingRateZScore final : public TickIndicator<FundingRateZScore> {
public:
    static std::expected<FundingRateZScore, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(const DerivativesTick& tick);
    std::uint64_t warmup() const override { return window_.period(); }

private:
    explicit FundingRateZScore(VarianceWindow window) : window_(std::move(window)) {}

    VarianceWindow window_;
};

}  // namespace torvex
