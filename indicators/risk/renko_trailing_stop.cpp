#include "indicators/risk/renko_trailing_stop.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, RenkoTrailingStop);

std::expected<RenkoTrailingStop, IndicatorError> RenkoTrailingStop::create(double brick) {
    if (!(std::isfinite(brick) && brick > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    return RenkoTrailingStop(brick);
}

}  // namespace torvex
