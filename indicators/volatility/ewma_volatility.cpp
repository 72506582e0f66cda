#include "indicators/volatility/ewma_volatility.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, EwmaVolatility);

std::expected<EwmaVolatility, IndicatorError> EwmaVolatility::create(double lambda) {
    if (!(lambda > 0.0 && lambda < 1.0)) {
        return std::unexpected(
            IndicatorError::invalid_parameter("EWMA volatility lambda must be in the open interval (0, 1)"));
    }
    return EwmaVolatility(lambda);
}

}  // namespace torvex
