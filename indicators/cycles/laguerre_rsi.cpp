#include "indicators/cycles/laguerre_rsi.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, LaguerreRsi);

std::expected<LaguerreRsi, IndicatorError> LaguerreRsi::create(double gamma) {
    if (!(std::isfinite(gamma) && gamma >= 0.0 && gamma <= 1.0)) {
        return std::unexpected(IndicatorError::invalid_period("LaguerreRSI gamma must be a finite value in [0, 1]"));
    }
    return LaguerreRsi(gamma);
}

}  // namespace torvex
