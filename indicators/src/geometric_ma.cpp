#include "indicators/src/geometric_ma.hpp"

#include <cmath>

#include "indicators/src/rolling_window.hpp"

namespace torvex {

std::expected<GeometricMa, IndicatorError> GeometricMa::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return GeometricMa(n);
}

std::optional<double> GeometricMa::step(double close) {
    if (!(close > 0.0)) return std::nullopt;
    const double l = std::log(close);
    if (const auto evicted = push_capped(logs_, period_, l)) log_sum_ = log_sum_ - *evicted;
    log_sum_ = log_sum_ + l;
    // Re-add the window every n updates so the running sum cannot drift.
    since_resum_ += 1;
    if (since_resum_ == period_) {
        double s = -0.0;
        for (double v : logs_) s += v;
        log_sum_ = s;
        since_resum_ = 0;
    }
    if (logs_.size() < period_) return std::nullopt;
    return std::exp(log_sum_ / static_cast<double>(period_));
}

}  // namespace torvex
