// Twiggs money flow: Wilder-smoothed accumulation/distribution over true range,
// divided by the Wilder-smoothed volume.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"

namespace torvex {

class TwiggsMoneyFlow final : public CandleIndicator<TwiggsMoneyFlow> {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<TwiggsMoneyFlow, IndicatorError> create(std::uint64_t n);

    // Nothing on the first bar; both averages are seeded with the plain means of the
    // first n values; then A/B, or 0 while the smoothed volume is 0.
    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return period_ + 1; }

private:
    explicit TwiggsMoneyFlow(std::uint64_t n) : period_(n), n_(static_cast<double>(n)) {}

    std::optional<double> prev_close_;
    std::optional<double> smoothed_ad_;
    std::optional<double> smoothed_volume_;
    std::uint64_t period_;
    double n_;
    double ad_seed_ = 0.0;
    double volume_seed_ = 0.0;
    std::uint64_t seed_count_ = 0;
};

}  // namespace torvex
