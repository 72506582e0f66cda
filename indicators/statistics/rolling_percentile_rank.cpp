#include "indicators/statistics/rolling_percentile_rank.hpp"

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

std::expected<RollingPercentileRank, IndicatorError> RollingPercentileRank::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return RollingPercentileRank(n);
}

std::optional<double> RollingPercentileRank::step(double close) {
    push_capped(window_, period_, close);
    if (window_.size() < period_) return std::nullopt;
    std::uint64_t below = 0;
    std::uint64_t equal = 0;
    for (double v : window_) {
        below += v < close ? 1 : 0;
        equal += v == close ? 1 : 0;
    }
    const double count = static_cast<double>(window_.size());
    return (static_cast<double>(equal) * 0.5 + static_cast<double>(below)) / count * 100.0;
}

}  // namespace torvex
