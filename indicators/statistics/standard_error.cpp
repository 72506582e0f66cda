#include "indicators/statistics/standard_error.hpp"

#include <cmath>

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

StandardError::StandardError(std::uint64_t n) : period_(n) {
    const double nf = static_cast<double>(n);
    const double sum_x = ((nf - 1.0) * nf) * 0.5;
    denom_ = ((2.0 * nf - 1.0) * ((nf - 1.0) * nf) / 6.0) * nf - sum_x * sum_x;
}

std::expected<StandardError, IndicatorError> StandardError::create(std::uint64_t n) {
    if (n < 3) return std::unexpected(IndicatorError::invalid_period("standard error needs period >= 3"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return StandardError(n);
}

std::optional<double> StandardError::step(double close) {
    push_capped(window_, period_, close);
    if (window_.size() < period_) return std::nullopt;

    const double nf = static_cast<double>(period_);
    const double tm = (nf - 1.0) * 0.5;
    // Working relative to the oldest close keeps large price levels from swamping the
    // small deviations that the statistic measures.
    const double base = window_.front();
    double sum = 0.0;
    for (double v : window_) sum += v - base;
    const double ym = sum / nf;

    double sxy = 0.0;
    for (std::size_t i = 0; i < window_.size(); ++i) {
        sxy += ((window_[i] - base) - ym) * (static_cast<double>(i) - tm);
    }
    const double slope = sxy / (denom_ / nf);

    double sse = 0.0;
    for (std::size_t i = 0; i < window_.size(); ++i) {
        const double r = ((window_[i] - base) - ym) - slope * (static_cast<double>(i) - tm);
        sse += r * r;
    }
    return std::sqrt(sse / (nf - 2.0));
}

}  // namespace torvex
