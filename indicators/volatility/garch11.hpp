// GARCH(1,1) one-step variance forecast of the log returns of the close, as a
// volatility: var ← ω + α·r²(previous bar) + β·var, seeded with the long-run variance.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/log_return_step.hpp"

namespace torvex {

class Garch11 final : public CloseIndicator<Garch11> {
public:
    // All finite, ω above zero, α and β not negative, α + β below 1; each refused with
    // its own text, in that order.
    static std::expected<Garch11, IndicatorError> create(double omega, double alpha, double beta);

    // Refuses a close not above zero; the value on a bar depends only on earlier returns.
    std::optional<double> step(double close) {
        const std::optional<double> r = returns_.push(close);
        if (!r) return std::nullopt;
        const double var = variance_ ? *variance_ * beta_ + omega_ + prev_r2_ * alpha_ : long_run_;
        variance_ = var;
        prev_r2_ = *r * *r;
        const double value = std::sqrt(var);
        last_ = value;
        return value;
    }
    std::uint64_t warmup() const override { return 2; }

private:
    Garch11(double omega, double alpha, double beta)
        : omega_(omega), alpha_(alpha), beta_(beta), long_run_(omega / ((1.0 - alpha) - beta)) {}

    LogReturnStep returns_;
    std::optional<double> variance_;
    double prev_r2_ = 0.0;
    std::optional<double> last_;
    double omega_;
    double alpha_;
    double beta_;
    double long_run_;  // ω / (1 − α − β)
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Garch11);

}  // namespace torvex
