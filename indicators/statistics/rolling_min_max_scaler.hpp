// The close scaled to the range of the last n closes (itself included): 0 at the
// low, 1 at the high, 0.5 for a flat window.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/rolling_window.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class RollingMinMaxScaler final : public CloseIndicator<RollingMinMaxScaler> {
public:
    // Zero period, above MAX_PERIOD, then 1: "min-max scaler needs period >= 2".
    static std::expected<RollingMinMaxScaler, IndicatorError> create(std::uint64_t n);

    // One pass over the window per value.
    std::optional<double> step(double close) {
        push_capped(window_, period_, close);
        if (window_.size() < period_) return std::nullopt;
        const HiLo range = window_hi_lo(window_);
        const double span = range.hi - range.lo;
        if (!(span > 0.0)) return 0.5;
        return (close - range.lo) / span;
    }
    std::uint64_t warmup() const override { return period_; }

private:
    explicit RollingMinMaxScaler(std::uint64_t n) : window_(n), period_(n) {}

    FixedRing<double> window_;
    std::uint64_t period_;
};

}  // namespace torvex
