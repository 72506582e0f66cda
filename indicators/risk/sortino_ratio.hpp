// Mean excess return over the downside deviation below a target.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/risk/window_measures.hpp"

namespace torvex {

class SortinoRatio final : public CloseIndicator<SortinoRatio> {
public:
    // n below 2: InvalidPeriod "sortino ratio needs period >= 2"; then M. The
    // target is kept as given.
    static std::expected<SortinoRatio, IndicatorError> create(std::uint64_t n, double target);

    // (mean − target) / √(Σ min(v − target, 0)² / n); 0.0 with nothing below target.
    std::optional<double> step(double close) {
        if (!window_.push(close)) return std::nullopt;
        const double nf = static_cast<double>(window_.period());
        const double mean = window_.sum() / nf;
        double dd = 0.0;
        for (double v : window_.values()) {
            const double d = v - target_;
            if (d < 0.0) dd = d * d + dd;
        }
        dd = dd / nf;
        if (dd == 0.0) return 0.0;
        return (mean - target_) / std::sqrt(dd);
    }
    std::uint64_t warmup() const override { return window_.period(); }

private:
    SortinoRatio(std::uint64_t n, double target) : window_(n), target_(target) {}

    ReturnWindow window_;  // running sum re-added every n updates
    double target_;
};

}  // namespace torvex
