#include "indicators/risk/k_ratio.hpp"

#include <cmath>

namespace torvex {

KRatio::KRatio(std::uint64_t n) : WindowScan(n), xbar_((1.0 + static_cast<double>(n)) / 2.0), sxx_(0.0) {
    for (std::uint64_t i = 1; i <= n; ++i) {
        const double dx = static_cast<double>(i) - xbar_;
        sxx_ = sxx_ + dx * dx;
    }
    cumulative_.reserve(n);
}

std::expected<KRatio, IndicatorError> KRatio::create(std::uint64_t n) {
    if (auto ok = check_min_period(n, 3, "k-ratio needs period >= 3"); !ok) return std::unexpected(ok.error());
    return KRatio(n);
}

namespace {

// Whether every value after the oldest is the same: then the cumulative curve rises
// by the same step at every point and is a straight line whatever the oldest (which
// only sets its level). Its running sums (0.1, 0.2, 0.30000000000000004, ... or
// 101.25, 204.65, 308.05) may leave it a rounding off one, whose residual the slope
// would then be divided by (1.3e16 for returns of 0.1). Decided on the values
// themselves, not on the residual; the first test turns away almost every other
// window.
bool steps_equal(const ValueRing& window) {
    const double step = window.back();
    if (window[1] != step) return false;
    for (std::uint64_t i = 2; i + 1 < window.size(); ++i) {
        if (window[i] != step) return false;
    }
    return true;
}

}  // namespace

double KRatio::evaluate(const ValueRing& window) const {
    if (steps_equal(window)) return 0.0;
    const double nf = static_cast<double>(period());
    cumulative_.clear();
    double c = 0.0;
    double c_sum = 0.0;
    for (double v : window) {
        c = c + v;
        cumulative_.push_back(c);
        c_sum = c_sum + c;
    }
    const double ybar = c_sum / nf;
    double sxy = 0.0;
    for (std::size_t i = 0; i < cumulative_.size(); ++i) {
        sxy = sxy + (static_cast<double>(i + 1) - xbar_) * (cumulative_[i] - ybar);
    }
    const double b = sxy / sxx_;
    const double a = ybar - b * xbar_;
    double sse = 0.0;
    for (std::size_t i = 0; i < cumulative_.size(); ++i) {
        const double e = cumulative_[i] - (a + b * static_cast<double>(i + 1));
        sse = sse + e * e;
    }
    if (!(sse > 0.0)) return 0.0;
    const double se = std::sqrt(sse / (nf - 2.0) / sxx_);
    return b / se;
}

}  // namespace torvex
