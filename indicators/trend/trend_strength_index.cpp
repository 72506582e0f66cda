#include "indicators/trend/trend_strength_index.hpp"

#include <cmath>

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

std::expected<TrendStrengthIndex, IndicatorError> TrendStrengthIndex::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (n < 2) return std::unexpected(IndicatorError::invalid_period("period must be >= 2 for a regression"));
    return TrendStrengthIndex(n);
}

std::optional<double> TrendStrengthIndex::step(double close) {
    push_capped(window_, period_, close);
    if (window_.size() < period_) return std::nullopt;
    const double n = static_cast<double>(period_);
    const double mean = window_sum(window_, -0.0) / n;
    double st = 0.0, stt = 0.0, sy = 0.0, syy = 0.0, sty = 0.0;
    double t = 0.0;
    for (double v : window_) {
        const double y = v - mean;
        st = st + t;
        stt = stt + t * t;
        sy = sy + y;
        syy = syy + y * y;
        sty = sty + t * y;
        t += 1.0;
    }
    const double syy_n = std::fma(n, syy, -sy * sy);
    if (syy_n <= 0.0) return 0.0;
    const double stt_n = std::fma(n, stt, -st * st);
    const double sty_n = std::fma(n, sty, -sy * st);
    const double r2 = (sty_n * sty_n) / (syy_n * stt_n);
    return sty_n < 0.0 ? -r2 : r2;
}

}  // namespace torvex
