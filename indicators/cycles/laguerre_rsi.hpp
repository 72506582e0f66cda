// Ehlers' Laguerre RSI: the up and down steps between the four stages of a Laguerre
// filter of the close, as a percentage.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"

namespace torvex {

class LaguerreRsi final : public CloseIndicator<LaguerreRsi> {
public:
    // gamma finite in [0, 1], else InvalidPeriod.
    static std::expected<LaguerreRsi, IndicatorError> create(double gamma);

    std::optional<double> step(double close) {
        if (!started_) {
            l0_ = l1_ = l2_ = l3_ = close;
            started_ = true;
            return 50.0;
        }
        // Stages that all hold the close are the filter's rest: each update leaves
        // them there exactly, where the rounded sums below would move them by a
        // rounding and read 33.3 or 66.7 on a constant series.
        if (close == l0_ && l0_ == l1_ && l1_ == l2_ && l2_ == l3_) return 50.0;
        const double g = gamma_;
        const double l0 = g * l0_ + one_minus_gamma_ * close;
        const double l1 = g * l1_ + l0_ - g * l0;
        const double l2 = g * l2_ + l1_ - g * l1;
        const double l3 = g * l3_ + l2_ - g * l2;
        l0_ = l0;
        l1_ = l1;
        l2_ = l2;
        l3_ = l3;
        double cu = 0.0;
        double cd = 0.0;
        const double stages[4] = {l0, l1, l2, l3};
        for (int k = 0; k < 3; ++k) {
            const double u = stages[k];
            const double w = stages[k + 1];
            if (u >= w) cu += u - w;
            if (u < w) cd += w - u;
        }
        if (!(cu + cd > 0.0)) return 50.0;
        return std::clamp(100.0 * cu / (cu + cd), 0.0, 100.0);
    }
    std::uint64_t warmup() const override { return 1; }

private:
    explicit LaguerreRsi(double gamma) : gamma_(gamma), one_minus_gamma_(1.0 - gamma) {}

    double gamma_;
    double one_minus_gamma_;
    double l0_ = 0.0;
    double l1_ = 0.0;
    double l2_ = 0.0;
    double l3_ = 0.0;
    bool started_ = false;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, LaguerreRsi);

}  // namespace torvex
