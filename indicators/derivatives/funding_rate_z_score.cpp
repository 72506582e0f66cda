#include "indicators/derivatives/funding_rate_z_score.hpp"

#include <cmath>

#include "indicators/cores/shifted_sums.hpp"

namespace torvex {

std::expected<FundingRateZScore, IndicatorError> FundingRateZScore::create(std::uint64_t period) {
    if (auto ok = check_period(period); !ok) return std::unexpected(ok.error());
    return FundingRateZScore(period);
}

void FundingRateZScore::reanchor() {
    // Taken relative to the oldest rate, so a flat window's mean is its rate and its
    // deviations are exactly 0.
    anchor_ = window_mean(window_.size(), [this](auto&& fn) {
        for (double v : window_) fn(v);
    });
    double s1 = -0.0;
    double s2 = -0.0;
    for (double v : window_) {
        const double d = v - anchor_;
        s1 += d;
        s2 += d * d;
    }
    sum_d_ = s1;
    sum_d2_ = s2;
    watch_.restart(s2);
}

std::optional<double> FundingRateZScore::step(const DerivativesTick& tick) {
    if (window_.size() == period_) {
        const double d_old = window_.front() - anchor_;
        window_.pop_front();
        sum_d_ -= d_old;
        sum_d2_ -= d_old * d_old;
    }
    const double x = tick.funding_rate;
    window_.push_back(x);
    if (!anchor_set_) {
        anchor_ = x;
        anchor_set_ = true;
    }
    const double d = x - anchor_;
    sum_d_ += d;
    sum_d2_ += d * d;
    since_reanchor_ += 1;
    const bool periodic = since_reanchor_ >= period_;
    if (periodic) since_reanchor_ = 0;
    // A rate far from the rest that has left, or an anchor that a flat window now
    // sits away from, leaves the sums' rounding as a variance: re-anchor at once.
    const bool lost = watch_.lost(static_cast<double>(window_.size()), anchor_, sum_d_, sum_d2_);
    if (periodic || lost) reanchor();

    if (window_.size() < period_) return std::nullopt;
    const double n = static_cast<double>(period_);
    const double m1 = sum_d_ / n;
    const double m2 = sum_d2_ / n;
    const double diff = m2 - m1 * m1;
    // Clamped like a maximum with 0 that ignores a NaN operand.
    const double var = diff > 0.0 ? diff : 0.0;
    if (var == 0.0) return 0.0;
    return (x - (anchor_ + m1)) / std::sqrt(var);
}

}  // namespace torvex
