// Excess kurtosis (population moments) of the last n closes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/moment_window.hpp"

namespace torvex {

class Kurtosis final : public CloseIndicator<Kurtosis> {
public:
    // n below 4 (0 included): "kurtosis needs period >= 4"; above MAX_PERIOD: refused.
    static std::expected<Kurtosis, IndicatorError> create(std::uint64_t n);

    // 0.0 for a window without spread.
    std::optional<double> step(double close) {
        if (!window_.push(close)) return std::nullopt;
        if (window_.flat()) return 0.0;
        const RawMoments m = window_.moments();
        const double m1sq = m.m1 * m.m1;
        const double diff = m.m2 - m1sq;
        const double var = diff > 0.0 ? diff : 0.0;
        if (var == 0.0) return 0.0;
        const double c4 = m.m4 - 4.0 * m.m1 * m.m3 + 6.0 * m1sq * m.m2 - 3.0 * (m1sq * m1sq);
        // Excess kurtosis of n values lies in [-2, (n^2 - 3n + 3)/(n - 1) - 3]; fourth
        // powers near the subnormal range round past it.
        return std::clamp(c4 / (var * var) - 3.0, -2.0, upper_);
    }
    std::uint64_t warmup() const override { return window_.period(); }

private:
    explicit Kurtosis(std::uint64_t n) : window_(n), upper_(upper_bound(static_cast<double>(n))) {}
    static double upper_bound(double n) { return std::max(-2.0, (n * n - 3.0 * n + 3.0) / (n - 1.0) - 3.0); }
    MomentWindow window_;
    double upper_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Kurtosis);

}  // namespace torvex
