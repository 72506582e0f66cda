#include "indicators/pairs/spread_hurst.hpp"

#include <algorithm>
#include <cmath>

#include "indicators/cores/pair_moments.hpp"
#include "indicators/cores/written_spread.hpp"

namespace torvex {

SpreadHurst::SpreadHurst(std::uint64_t period) : spreads_(period), period_(period), max_lag_(period / 4) {
    ordered_.reserve(period);
    log_lags_.reserve(max_lag_);
    log_vars_.reserve(max_lag_);
}

std::expected<SpreadHurst, IndicatorError> SpreadHurst::create(std::uint64_t period) {
    if (period < 8) return std::unexpected(IndicatorError::invalid_period("spread Hurst needs period >= 8"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    return SpreadHurst(period);
}

bool SpreadHurst::still_as_written(std::size_t tau, double a, double b) const {
    // The changes over tau bars all 0 in the decimals: each within 3 r of 0, so that
    // they and 0 lie within 6 r.
    const std::size_t n = ordered_.size();
    return equal_as_written(
        2 * (n - tau), [&](std::size_t i) { return i % 2 == 0 ? 0.0 : ordered_[i / 2 + tau] - ordered_[i / 2]; }, a, b, 6.0);
}

std::optional<double> SpreadHurst::step(double a, double b) {
    spreads_.push(a - b);
    if (!spreads_.full()) return std::nullopt;
    ordered_.clear();
    spreads_.for_each([this](double v) { ordered_.push_back(v); });
    log_lags_.clear();
    log_vars_.clear();
    const std::size_t n = ordered_.size();
    const double r = spread_rounding(a, b);
    for (std::size_t tau = 1; tau <= max_lag_ && tau + 1 <= n; ++tau) {
        double sum = 0.0;
        for (std::size_t i = 0; i + tau < n; ++i) {
            const double d = ordered_[i + tau] - ordered_[i];
            sum += d * d;
        }
        const double v = sum / static_cast<double>(n - tau);
        // Each change lies within 3 r of its decimal value: a lag whose changes are
        // all 0 in the decimals has a mean square of at most 9 r^2.
        if (v > 0.0 && (v > 9.0 * r * r || !still_as_written(tau, a, b))) {
            log_lags_.push_back(std::log(static_cast<double>(tau)));
            log_vars_.push_back(std::log(v));
        }
    }
    const std::size_t points = log_lags_.size();
    if (points < 2) return 0.5;
    const PairMoments fit = two_pass_moments(
        points, [this](std::size_t i) { return log_vars_[i]; }, [this](std::size_t i) { return log_lags_[i]; });
    return std::clamp(fit.cov / fit.var_b / 2.0, 0.0, 1.0);
}

}  // namespace torvex
