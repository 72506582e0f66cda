// Rolling mean of the funding rate.
#pragma once

#include <cstdint>
#include <deque>
#include <expected>
#include <optional>

#include "indicators/src/feed_indicator.hpp"

namespace torvex {

class FundingRateMean final : public TickIndicator<FundingRateMean> {
public:
    static std::expected<FundingRateMean, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(const DerivativesTick& tick);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit FundingRateMean(std::uint64_t period) : period_(period) {}

    std::deque<double> window_;
    std::uint64_t period_;
    double sum_ = 0.0;
    std::uint64_t since_resum_ = 0;
};

}  // namespace torvex
