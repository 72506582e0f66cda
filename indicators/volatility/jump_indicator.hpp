// Sign of an outsized log return of the close: +1 when the return lies more than k
// sample standard deviations above the mean of the previous n returns, −1 when as far
// below, else 0.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>
#include <utility>

#include "indicators/indicator.hpp"
#include "indicators/cores/log_return_step.hpp"
#include "indicators/cores/variance_window.hpp"

namespace torvex {

class JumpIndicator final : public CloseIndicator<JumpIndicator> {
public:
    // Period below 2 (0 included): "jump indicator needs period >= 2"; above
    // MAX_PERIOD: refused; threshold not finite and above zero: "jump indicator
    // threshold must be finite and positive".
    static std::expected<JumpIndicator, IndicatorError> create(std::uint64_t n, double threshold);

    // Refuses a close not above zero; the first value comes with the (n + 2)-th close.
    std::optional<double> step(double close) {
        const std::optional<double> r = returns_.push(close);
        if (!r) return std::nullopt;
        if (!full_) {
            full_ = window_.push(*r);
            return std::nullopt;
        }
        double signal = 0.0;
        const double var = window_.sample_variance();
        if (var != 0.0) {
            const double z = *r - window_.mean();
            const double band = std::sqrt(var) * threshold_;
            if (z > band) signal = 1.0;
            else if (z < -band) signal = -1.0;
        }
        // The shared window waits for an infinite return (a close after a subnormal
        // one) to leave before it re-centres.
        window_.push(*r);
        return signal;
    }
    std::uint64_t warmup() const override { return window_.period() + 2; }

private:
    JumpIndicator(VarianceWindow window, double threshold) : window_(std::move(window)), threshold_(threshold) {}

    LogReturnStep returns_;
    VarianceWindow window_;  // the previous n returns
    double threshold_;
    bool full_ = false;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, JumpIndicator);

}  // namespace torvex
