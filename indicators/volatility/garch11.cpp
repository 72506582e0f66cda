#include "indicators/volatility/garch11.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Garch11);

std::expected<Garch11, IndicatorError> Garch11::create(double omega, double alpha, double beta) {
    if (!is_finite(omega) || !is_finite(alpha) || !is_finite(beta)) {
        return std::unexpected(IndicatorError::invalid_parameter("GARCH(1,1) parameters must be finite"));
    }
    if (!(omega > 0.0)) return std::unexpected(IndicatorError::invalid_parameter("GARCH(1,1) omega must be > 0"));
    if (!(alpha >= 0.0 && beta >= 0.0)) {
        return std::unexpected(IndicatorError::invalid_parameter("GARCH(1,1) alpha and beta must be >= 0"));
    }
    if (!(alpha + beta < 1.0)) {
        return std::unexpected(
            IndicatorError::invalid_parameter("GARCH(1,1) requires alpha + beta < 1 (covariance stationarity)"));
    }
    return Garch11(omega, alpha, beta);
}

}  // namespace torvex
