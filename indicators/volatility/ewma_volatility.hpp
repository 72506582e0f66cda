// Exponentially weighted volatility of the one-bar log returns of the close:
// var ← (1 − λ)·r² + λ·var, seeded with the first squared return.
#pragma once

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
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return 2; }

private:
    explicit EwmaVolatility(double lambda) : lambda_(lambda) {}

    LogReturnStep returns_;
    std::optional<double> variance_;
    std::optional<double> last_;
    double lambda_;
};

}  // namespace torvex
