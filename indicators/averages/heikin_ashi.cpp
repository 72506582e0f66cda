#include "indicators/averages/heikin_ashi.hpp"

#include <cmath>

#include "indicators/numeric.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, HeikinAshi, 4);

std::array<double, 4> HeikinAshiCandles::next(double open, double high, double low, double close) {
    const double ha_close = (((open + high) + low) + close) * 0.25;
    const double ha_open = previous_ ? midpoint((*previous_)[0], (*previous_)[3]) : midpoint(open, close);
    const double ha_high = max_skipping_nan(ha_close, max_skipping_nan(ha_open, high));
    const double ha_low = min_skipping_nan(ha_close, min_skipping_nan(ha_open, low));
    const std::array<double, 4> candle{ha_open, ha_high, ha_low, ha_close};
    previous_ = candle;
    return candle;
}

std::expected<HeikinAshi, IndicatorError> HeikinAshi::create() { return HeikinAshi(); }

}  // namespace torvex
