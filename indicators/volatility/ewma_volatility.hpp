// Exponentially weighted volatility of the one-bar log returns of the close:
// var ← (1 − λ)·r² + λ·var, seeded with the first squared return.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/log_return_step.hpp"

namespace torvex {

class EwmaVolatility final : public CloseIndicator<EwmaVolatility> {
public:
    // λ outside the open interval (0, 1): "EWMA volatility lambda must be in the open
    // interval (0, 1)".
    static std::expected<EwmaVolatility, IndicatorError> create(double lambda);

    // Refuses a close not above zero; a value from the second accepted close on.
    std::optional<double> step(double close) {
        const std::optional<double> r = returns_.push(close);
        if (!r) return std::nullopt;
        const double r2 = *r * *r;
        const double var = variance_ ? (1.0 - lambda_) * r2 + lambda_ * *variance_ : r2;
        variance_ = var;
        const double value = var > 0.0 ? std::sqrt(var) : 0.0;
        last_ = value;
        return value;
    }
    std::uint64_t warmup() const override { return 2; }

private:
    explicit EwmaVolatility(double lambda) : lambda_(lambda) {}

    LogReturnStep returns_;
    std::optional<double> variance_;
    std::optional<double> last_;
    double lambda_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, EwmaVolatility);

}  // namespace torvex
