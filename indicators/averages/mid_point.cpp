#include "indicators/averages/mid_point.hpp"

#include "indicators/numeric.hpp"
#include "indicators/cores/rolling_window.hpp"

namespace torvex {

std::expected<MidPoint, IndicatorError> MidPoint::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return MidPoint(n);
}

std::optional<double> MidPoint::step(double close) {
    if (period_ > kScanUpTo) {
        extremes_.push(close, close);
        if (!extremes_.full()) return std::nullopt;
        return midpoint(extremes_.highest(), extremes_.lowest());
    }
    push_capped(window_, period_, close);
    if (window_.size() < period_) return std::nullopt;
    const HiLo range = window_hi_lo(window_);
    return midpoint(range.hi, range.lo);
}

}  // namespace torvex
