// Jurik-style adaptive moving average: a phase-shifted exponential smoothing with
// a second-order correction of the tracking error.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"

namespace torvex {

class Jma final : public CloseIndicator<Jma> {
public:
    // power must lie in 1..=4; phase must be finite.
    static std::expected<Jma, IndicatorError> create(std::uint64_t n, double phase, std::uint32_t power);

    std::optional<double> step(double close) {
        if (!started_) {
            e0_ = close;
            jma_ = close;
            started_ = true;
            return close;
        }
        const double a = alpha_;
        const double b = beta_;
        e0_ = e0_ * a + close * (1.0 - a);
        det0_ = b * det0_ + (1.0 - b) * (close - e0_);
        const double e1 = det0_ * phase_ratio_ + e0_;
        det1_ = a * a * det1_ + (e1 - jma_) * (1.0 - a) * (1.0 - a);
        jma_ = jma_ + det1_;
        return jma_;
    }
    std::uint64_t warmup() const override { return 1; }

    double beta() const { return beta_; }
    double alpha() const { return alpha_; }
    double phase_ratio() const { return phase_ratio_; }

private:
    Jma(std::uint64_t n, double phase, std::uint32_t power);

    bool started_ = false;
    double jma_ = 0.0;
    [[maybe_unused]] std::uint64_t period_;
    [[maybe_unused]] double phase_;
    double beta_;
    double alpha_;
    double phase_ratio_;
    double e0_ = 0.0;
    double det0_ = 0.0;
    double det1_ = 0.0;
    [[maybe_unused]] std::uint32_t power_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Jma);

}  // namespace torvex
