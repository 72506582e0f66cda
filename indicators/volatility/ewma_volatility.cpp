#include "indicators/volatility/ewma_volatility.hpp"

#include <cmath>

namespace torvex {

std::expected<EwmaVolatility, IndicatorError> EwmaVolatility::create(double lambda) {
    if (!(lambda > 0.0 && lambda < 1.0)) {
        return std::unexpected(
            IndicatorError::invalid_parameter("EWMA volatility lambda must be in the open interval (0, 1)"));
    }
    return EwmaVolatility(lambda);
}

std::optional<double> EwmaVolatility::step(double close) {
    const std::optional<double> r = returns_.push(close);
    if (!r) return std::nullopt;
    const double r2 = *r * *r;
    const double var = variance_ ? (1.0 - lambda_) * r2 + lambda_ * *variance_ : r2;
    variance_ = var;
    const double value = var > 0.0 ? std::sqrt(var) : 0.0;
    last_ = value;
    return value;
}

}  // namespace torvex
