#include "indicators/risk/step_trailing_stop.hpp"

#include "indicators/cores/price_unit.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, StepTrailingStop);

std::expected<StepTrailingStop, IndicatorError> StepTrailingStop::create(double s) {
    if (!(std::isfinite(s) && s > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    StepTrailingStop t(s);
    t.short_step_ = price_unit::is_short_binary(s);
    return t;
}

double StepTrailingStop::grid_value(double k, double& last_k, double& last_value) const {
    if (k != last_k) {
        last_k = k;
        last_value = price_unit::shifted(0.0, k, step_size_);
    }
    return last_value;
}

double StepTrailingStop::on_decimals(double close) {
    const double s = step_size_;
    // below = ⌊close / s⌋ − 1 steps and above = ⌈close / s⌉ + 1 steps: the doubles
    // give both unless the quotient lies within its rounding of a whole number.
    const double q = (close - s) / s;
    double lo = std::floor(q);
    double hi = lo + 3.0;
    const double doubt = (std::fabs(close) + s) * 0x1p-51 / s + std::fabs(q) * 0x1p-51;
    if (!(q - lo > doubt && (lo + 1.0) - q > doubt)) {
        lo = price_unit::whole_units(0.0, close, s) - 1.0;
        hi = 1.0 - price_unit::whole_units(close, 0.0, s);
    }
    return stop_.advance(close, grid_value(lo, below_k_, below_value_), grid_value(hi, above_k_, above_value_));
}

}  // namespace torvex
