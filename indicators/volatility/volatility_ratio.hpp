// Volatility ratio: this bar's true range against the exponential average of the
// true ranges before it.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"

namespace torvex {

class VolatilityRatio final : public CandleIndicator<VolatilityRatio> {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<VolatilityRatio, IndicatorError> create(std::uint64_t n);

    // The first bar only keeps its close; the next n true ranges seed the average
    // (their plain mean, no answer); afterwards TR / E with E from before this bar
    // (0 when E is not above 0), then E moves towards TR with alpha = 2/(n + 1).
    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return period_ + 2; }

private:
    explicit VolatilityRatio(std::uint64_t n)
        : period_(n), alpha_(2.0 / (static_cast<double>(n) + 1.0)) {}

    std::optional<double> prev_close_;
    std::optional<double> ema_;
    std::optional<double> last_;
    std::uint64_t period_;
    double alpha_;
    double seed_sum_ = 0.0;
    std::uint64_t seed_count_ = 0;
};

}  // namespace torvex
