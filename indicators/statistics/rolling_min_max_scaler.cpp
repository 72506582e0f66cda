#include "indicators/statistics/rolling_min_max_scaler.hpp"

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

std::expected<RollingMinMaxScaler, IndicatorError> RollingMinMaxScaler::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (n == 1) return std::unexpected(IndicatorError::invalid_period("min-max scaler needs period >= 2"));
    return RollingMinMaxScaler(n);
}

std::optional<double> RollingMinMaxScaler::step(double close) {
    push_capped(window_, period_, close);
    if (window_.size() < period_) return std::nullopt;
    const HiLo range = window_hi_lo(window_);
    const double span = range.hi - range.lo;
    if (!(span > 0.0)) return 0.5;
    return (close - range.lo) / span;
}

}  // namespace torvex
