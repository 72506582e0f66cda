#include "indicators/trend/sar_ext.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, SarExt);

namespace {

Checked check_acceleration(const SarAcceleration& a) {
    if (!is_finite(a.init) || !is_finite(a.step) || !is_finite(a.max))
        return std::unexpected(IndicatorError::non_positive_multiplier());
    if (a.init <= 0.0 || a.step <= 0.0 || a.max <= 0.0)
        return std::unexpected(IndicatorError::non_positive_multiplier());
    if (a.init > a.max) return std::unexpected(IndicatorError::invalid_period("acceleration init must be <= max"));
    return {};
}

}  // namespace

std::expected<SarExt, IndicatorError> SarExt::create(double start, double offset, double init_long,
                                                     double step_long, double max_long, double init_short,
                                                     double step_short, double max_short) {
    if (!is_finite(start) || !is_finite(offset) || offset < 0.0)
        return std::unexpected(IndicatorError::non_positive_multiplier());
    const SarAcceleration up{init_long, step_long, max_long};
    const SarAcceleration down{init_short, step_short, max_short};
    if (auto ok = check_acceleration(up); !ok) return std::unexpected(ok.error());
    if (auto ok = check_acceleration(down); !ok) return std::unexpected(ok.error());
    return SarExt(start, offset, up, down);
}

}  // namespace torvex
