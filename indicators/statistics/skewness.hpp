// Population skewness of the last n closes.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/moment_window.hpp"

namespace torvex {

class Skewness final : public CloseIndicator<Skewness> {
public:
    // n below 3 (0 included): "skewness needs period >= 3"; above MAX_PERIOD: refused.
    static std::expected<Skewness, IndicatorError> create(std::uint64_t n);

    // 0.0 for a window without spread.
    std::optional<double> step(double close) {
        if (!window_.push(close)) return std::nullopt;
        if (window_.flat()) return 0.0;
        const RawMoments m = window_.moments();
        const double diff = m.m2 - m.m1 * m.m1;
        const double var = diff > 0.0 ? diff : 0.0;
        if (var == 0.0) return 0.0;
        const double mu3 = (m.m3 - (3.0 * m.m1) * m.m2) + ((2.0 * m.m1) * m.m1) * m.m1;
        // No n values skew further than (n - 2)/sqrt(n - 1) (one apart from n - 1 equal
        // ones); cubes near the subnormal range round past it.
        return std::clamp(mu3 / (std::sqrt(var) * var), -bound_, bound_);
    }
    std::uint64_t warmup() const override { return window_.period(); }

private:
    explicit Skewness(std::uint64_t n)
        : window_(n), bound_((static_cast<double>(n) - 2.0) / std::sqrt(static_cast<double>(n) - 1.0)) {}
    MomentWindow window_;
    double bound_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Skewness);

}  // namespace torvex
