// The funding rate scaled to a yearly rate by the number of funding intervals a year.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/feed_indicator.hpp"

namespace torvex {

class FundingImpliedApr final : public TickIndicator<FundingImpliedApr> {
public:
    // intervals_per_year must be finite and above zero.
    static std::expected<FundingImpliedApr, IndicatorError> create(double intervals_per_year);

    std::optional<double> step(const DerivativesTick& tick) const {
        return tick.funding_rate * intervals_per_year_;
    }
    std::uint64_t warmup() const override { return 1; }

private:
    explicit FundingImpliedApr(double intervals_per_year) : intervals_per_year_(intervals_per_year) {}

    double intervals_per_year_;
};

}  // namespace torvex
