#include "indicators/averages/kama.hpp"

#include <cmath>

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

std::expected<Kama, IndicatorError> Kama::create(std::uint64_t n, std::uint64_t fast, std::uint64_t slow) {
    if (n == 0 || fast == 0 || slow == 0) return std::unexpected(IndicatorError::zero_period());
    if (fast >= slow)
        return std::unexpected(IndicatorError::invalid_period("KAMA fast period must be strictly less than slow"));
    // The window holds n + 1 closes: bound it like every other window.
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return Kama(n, 2.0 / (static_cast<double>(fast) + 1.0), 2.0 / (static_cast<double>(slow) + 1.0));
}

std::optional<double> Kama::step(double close) {
    push_capped(window_, period_ + 1, close);
    if (window_.size() < period_ + 1) return std::nullopt;

    double volatility = -0.0;
    for (std::uint64_t i = 0; i < period_; ++i) volatility += std::fabs(window_[i + 1] - window_[i]);
    const double oldest = window_.front();
    const double er = volatility == 0.0 ? 0.0 : std::fabs(close - oldest) / volatility;
    const double sc = (fast_sc_ - slow_sc_) * er + slow_sc_;
    const double prev = last_.value_or(oldest);
    const double value = sc * sc * (close - prev) + prev;
    last_ = value;
    return value;
}

}  // namespace torvex
