// Bipower variation of the last n log returns of the close: π/2 times the sum of the
// absolute products of adjacent returns, a volatility measure that jumps barely move.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/resum_clock.hpp"
#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"
#include "indicators/cores/log_return_step.hpp"

namespace torvex {

class BipowerVariation final : public CloseIndicator<BipowerVariation> {
public:
    // Zero period, above MAX_PERIOD, then 1: "bipower variation period must be >= 2".
    static std::expected<BipowerVariation, IndicatorError> create(std::uint64_t n);

    // Refuses a close not above zero; the first value comes with the (n + 1)-th close.
    std::optional<double> step(double close) {
        const std::optional<double> r = returns_.push(close);
        if (!r) return std::nullopt;
        const bool adds_term = !window_.empty();
        if (adds_term) sum_ = sum_ + std::fabs(window_.back() * *r);
        window_.push_back(*r);
        if (window_.size() > period_) {
            sum_ = sum_ - std::fabs(window_[0] * window_[1]);
            window_.pop_front();
        }
        // The terms are never negative: the sum is its own magnitude. It is re-added every
        // `period` terms and as soon as it has fallen far below its recent size.
        if (adds_term && clock_.tick(sum_)) {
            double s = -0.0;
            for (std::size_t i = 0; i + 1 < window_.size(); ++i) s += std::fabs(window_[i] * window_[i + 1]);
            sum_ = s;
            // The n returns held make n − 1 terms, one leaving on each tick once full.
            clock_.settle(
                ResumClock::first_leaves(period_ - 1, window_.size() - 1),
                [this](auto&& fn) {
                    for (std::size_t i = 0; i + 1 < window_.size(); ++i) fn(window_[i] * window_[i + 1]);
                },
                s);
        }
        if (window_.size() < period_) return std::nullopt;
        return (sum_ > 0.0 ? sum_ : 0.0) * 1.5707963267948966;
    }
    std::uint64_t warmup() const override { return period_ + 1; }

private:
    explicit BipowerVariation(std::uint64_t n) : window_(n + 1), period_(n), clock_(n) {}

    LogReturnStep returns_;
    FixedRing<double> window_;  // the last n returns
    std::uint64_t period_;
    double sum_ = 0.0;           // Σ|r[i]·r[i + 1]| over adjacent pairs of the window
    ResumClock clock_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, BipowerVariation);

}  // namespace torvex
