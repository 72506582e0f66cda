// Vertical horizontal filter: the range of the last n closes over the path length of
// the last n changes; near 1 in a trend, small in a congestion.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/resum_clock.hpp"
#include "indicators/cores/rolling_window.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class VerticalHorizontalFilter final : public CloseIndicator<VerticalHorizontalFilter> {
public:
    static std::expected<VerticalHorizontalFilter, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double x) {
        push_capped(prices_, period_, x);
        if (prev_) {
            const double ch = std::fabs(x - *prev_);
            if (const auto old = push_capped(changes_, period_, ch)) change_sum_ = change_sum_ - *old;
            change_sum_ = change_sum_ + ch;
            if (clock_.tick(change_sum_)) change_sum_ = window_sum(changes_, 0.0);
        }
        prev_ = x;
        if (prices_.size() < period_ || changes_.size() < period_) return std::nullopt;
        const HiLo r = window_hi_lo(prices_);
        if (change_sum_ == 0.0) return 0.0;
        return (r.hi - r.lo) / change_sum_;
    }
    std::uint64_t warmup() const override { return period_ + 1; }

private:
    explicit VerticalHorizontalFilter(std::uint64_t n) : prices_(n), changes_(n), period_(n), clock_(n) {}

    std::optional<double> prev_;
    FixedRing<double> prices_;
    FixedRing<double> changes_;
    std::uint64_t period_;
    double change_sum_ = 0.0;
    // change_sum_ decides the flat case by comparing with zero, so it is re-added
    // from the window every n changes: residue left by large changes that have
    // already left the window must not turn a flat stretch into a huge ratio.
    ResumClock clock_;
};

}  // namespace torvex
