// Population z-score of the funding rate over a rolling window.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/feed_indicator.hpp"
#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/shifted_sums.hpp"

namespace torvex {

// The sums are kept relative to an anchor so that the variance of small rates stays
// accurate; the anchor moves to the window mean every `period` pushes, and at once
// when the sums have lost their precision.
class FundingRateZScore final : public TickIndicator<FundingRateZScore> {
public:
    static std::expected<FundingRateZScore, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(const DerivativesTick& tick);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit FundingRateZScore(std::uint64_t period) : window_(period), period_(period) {}

    void reanchor();

    FixedRing<double> window_;
    double anchor_ = 0.0;
    bool anchor_set_ = false;
    double sum_d_ = 0.0;
    double sum_d2_ = 0.0;
    std::uint64_t since_reanchor_ = 0;
    DeviationWatch watch_;
    std::uint64_t period_;
};

}  // namespace torvex
