// Ehlers' correlation trend indicator: the correlation of the last n closes with a
// straight rising line, on [−1, 1].
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/mirrored_window.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class CorrelationTrendIndicator final : public CloseIndicator<CorrelationTrendIndicator> {
public:
    // n at least 2 ("CTI needs period >= 2").
    static std::expected<CorrelationTrendIndicator, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) {
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
    std::uint64_t warmup() const override { return period_; }

private:
    explicit CorrelationTrendIndicator(std::uint64_t n);

    MirroredWindow window_;
    std::uint64_t period_;
    double sx_;   // Σ i over the positions 0..n−1
    double sxx_;  // Σ i²
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, CorrelationTrendIndicator);

}  // namespace torvex
