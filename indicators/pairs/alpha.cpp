#include "indicators/pairs/alpha.hpp"

#include <cmath>

namespace torvex {

std::expected<Alpha, IndicatorError> Alpha::create(std::uint64_t period, double risk_free) {
    if (period < 2) return std::unexpected(IndicatorError::invalid_period("alpha needs period >= 2"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    return Alpha(period, risk_free);
}

double Alpha::implied_mean(const PairMoments& m) const {
    if (m.var_b == 0.0) return risk_free_;
    const double beta = m.cov / m.var_b;
    return risk_free_ + beta * (m.mean_b - risk_free_);
}

std::optional<double> Alpha::step(double a, double b) {
    if (!window_.push(a, b)) return std::nullopt;
    const PairMoments m = window_.moments();
    const double implied = implied_mean(m);
    const double got = m.mean_a - implied;
    // The mean and what the beta implies of it cancelled to within the running sums'
    // rounding, which still carries pairs that have left: the window gives it again
    // (O(n) on such a bar only; a close proportional to its reference then reads 0).
    const double scale = std::fabs(m.mean_a) + std::fabs(implied);
    if (std::fabs(got) < kCancelled * static_cast<double>(period_) * scale) [[unlikely]] {
        const PairMoments w = window_.window_moments();
        return w.mean_a - implied_mean(w);
    }
    return got;
}

}  // namespace torvex
