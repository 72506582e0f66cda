#include "indicators/trend/psar.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, Psar);

namespace {
bool positive(double x) { return is_finite(x) && x > 0.0; }
}  // namespace

std::expected<Psar, IndicatorError> Psar::create(double af_start, double af_step, double af_max) {
    if (!positive(af_start) || !positive(af_step) || !positive(af_max))
        return std::unexpected(IndicatorError::non_positive_multiplier());
    if (af_start > af_max) return std::unexpected(IndicatorError::invalid_period("af_start must be <= af_max"));
    return Psar(SarAcceleration{af_start, af_step, af_max});
}

}  // namespace torvex
