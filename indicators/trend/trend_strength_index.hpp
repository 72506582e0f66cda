// Trend strength: the coefficient of determination of the window's closes against
// time, signed by the direction of the least-squares slope (-1 .. 1).
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <expected>
#include <limits>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/rolling_window.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class TrendStrengthIndex final : public CloseIndicator<TrendStrengthIndex> {
public:
    static std::expected<TrendStrengthIndex, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) {
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
        // At most 1 (Cauchy-Schwarz); squares near the subnormal range round past it.
        const double num = sty_n * sty_n;
        const double den = syy_n * stt_n;
        double r2 = num / den;
        // The products hold the period's sixth power times squared price differences:
        // a long window of prices far above any market's can overflow them where
        // their quotient is in range.
        if (!(num <= kLargest && den <= kLargest)) [[unlikely]] r2 = (sty_n / stt_n) * (sty_n / syy_n);
        r2 = std::min(r2, 1.0);
        return sty_n < 0.0 ? -r2 : r2;
    }
    std::uint64_t warmup() const override { return period_; }

private:
    static constexpr double kLargest = std::numeric_limits<double>::max();

    explicit TrendStrengthIndex(std::uint64_t n) : window_(n), period_(n) {}

    // Re-read whole on every bar: centring on the window mean each time keeps the
    // sums exact enough without any running state to drift.
    FixedRing<double> window_;
    std::uint64_t period_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, TrendStrengthIndex);

}  // namespace torvex
