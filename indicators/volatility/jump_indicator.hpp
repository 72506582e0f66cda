// Sign of an outsized log return of the close: +1 when the return lies more than k
// sample standard deviations above the mean of the previous n returns, −1 when as far
// below, else 0.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"
#include "indicators/cores/log_return_step.hpp"
#include "indicators/cores/shifted_sums.hpp"

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
        if (window_.size() < period_) {
            // Filling: the update counts towards the first re-centring, which waits for
            // the first slide.
            window_.push_back(*r);
            sums_.add(*r);
            return std::nullopt;
        }
        const double n = static_cast<double>(period_);
        double signal = 0.0;
        const double var = sums_.sample_variance(n);
        if (var != 0.0) {
            const double z = *r - sums_.mean(n);
            const double band = std::sqrt(var) * threshold_;
            if (z > band) signal = 1.0;
            else if (z < -band) signal = -1.0;
        }
        sums_.remove(window_.front());
        window_.pop_front();
        window_.push_back(*r);
        sums_.add(*r);
        if (sums_.recenter_due(period_, window_.size())) {
            sums_.recenter(window_.size(), [this](const auto& fn) {
                for (double v : window_) fn(v);
            });
        }
        last_ = signal;
        return signal;
    }
    std::uint64_t warmup() const override { return period_ + 2; }

private:
    JumpIndicator(std::uint64_t n, double threshold) : window_(n), period_(n), threshold_(threshold) {}

    LogReturnStep returns_;
    std::optional<double> last_;
    FixedRing<double> window_;  // the previous n returns
    ShiftedSums sums_;
    std::uint64_t period_;
    double threshold_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, JumpIndicator);

}  // namespace torvex
