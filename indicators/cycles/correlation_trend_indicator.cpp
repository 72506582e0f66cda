#include "indicators/cycles/correlation_trend_indicator.hpp"

#include <algorithm>
#include <cmath>


namespace torvex {

CorrelationTrendIndicator::CorrelationTrendIndicator(std::uint64_t n) : window_(n), period_(n) {
    const double nf = static_cast<double>(n);
    sx_ = 0.5 * ((nf - 1.0) * nf);
    sxx_ = ((2.0 * nf - 1.0) * ((nf - 1.0) * nf)) / 6.0;
}

std::expected<CorrelationTrendIndicator, IndicatorError> CorrelationTrendIndicator::create(std::uint64_t n) {
    if (n < 2) return std::unexpected(IndicatorError::invalid_period("CTI needs period >= 2"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return CorrelationTrendIndicator(n);
}

std::optional<double> CorrelationTrendIndicator::step(double close) {
    window_.push(close);
    if (!window_.full()) return std::nullopt;
    const std::span<const double> w = window_.view();
    const double nf = static_cast<double>(period_);
    double total = -0.0;
    for (double v : w) total += v;
    const double mean = total / nf;
    double sd = 0.0;
    double sdd = 0.0;
    double sid = 0.0;
    double i = 0.0;
    for (double v : w) {
        const double d = v - mean;
        sd += d;
        sdd += d * d;
        sid += i * d;
        i += 1.0;
    }
    const double q = (nf * sxx_ - sx_ * sx_) * (nf * sdd - sd * sd);
    // Both factors are variances; rounding can leave a flat window's slightly below
    // zero, which has no root: such a window has no trend.
    if (!(q > 0.0)) return 0.0;
    return std::clamp((nf * sid - sx_ * sd) / std::sqrt(q), -1.0, 1.0);
}

}  // namespace torvex
