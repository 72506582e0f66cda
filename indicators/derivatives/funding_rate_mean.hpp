// Rolling mean of the funding rate.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <utility>

#include "indicators/cores/feed_indicator.hpp"
#include "indicators/cores/summed_window.hpp"

namespace torvex {

class FundingRateMean final : public TickIndicator<FundingRateMean> {
public:
    static std::expected<FundingRateMean, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(const DerivativesTick& tick);
    std::uint64_t warmup() const override { return window_.period(); }

private:
    explicit FundingRateMean(SummedWindow window) : window_(std::move(window)) {}

    SummedWindow window_;
};

}  // namespace torvex
