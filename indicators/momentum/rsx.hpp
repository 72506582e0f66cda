// Smoothed relative strength: the one-bar change and its magnitude each run through
// a cascade of three double exponential filters, and their ratio is mapped to 0..100.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class Rsx final : public CloseIndicator<Rsx> {
public:
    static std::expected<Rsx, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) {
        if (!prev_) {
            prev_ = close;
            return std::nullopt;
        }
        const double m = close - *prev_;
        const double u = std::fabs(m);
        prev_ = close;
        const double num = momentum_.step(m, alpha_, beta_);
        const double den = magnitude_.step(u, alpha_, beta_);
        // A magnitude chain decayed below the normal range has lost its digits.
        const double raw = positive_normal(den) ? (num / den + 1.0) * 50.0 : 50.0;
        const double value = std::min(100.0, std::max(0.0, raw));
        updates_ += 1;
        if (updates_ < period_) return std::nullopt;
        return value;
    }
    std::uint64_t warmup() const override { return period_ + 1; }

private:
    // Six filter stages; two chained single poles, each pair feeding the next through
    // the 1.5/-0.5 lag-cancelling blend. Returns the blend of the last pair.
    struct Cascade {
        double s1 = 0.0, s2 = 0.0, s3 = 0.0, s4 = 0.0, s5 = 0.0, s6 = 0.0;
        double step(double x, double alpha, double beta);
    };

    Rsx(std::uint64_t n, double alpha) : period_(n), alpha_(alpha), beta_(1.0 - alpha) {}

    std::optional<double> prev_;
    std::uint64_t period_;
    double alpha_;
    double beta_;
    std::uint64_t updates_ = 0;
    Cascade momentum_;
    Cascade magnitude_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Rsx);

}  // namespace torvex
