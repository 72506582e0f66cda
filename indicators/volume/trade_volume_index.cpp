#include "indicators/volume/trade_volume_index.hpp"

#include <limits>

#include "indicators/cores/price_unit.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, TradeVolumeIndex);

std::expected<TradeVolumeIndex, IndicatorError> TradeVolumeIndex::create(double min_tick) {
    if (!is_finite(min_tick) || min_tick < 0.0) {
        return std::unexpected(
            IndicatorError::invalid_parameter("trade volume index min_tick must be finite and non-negative"));
    }
    return TradeVolumeIndex(min_tick);
}

TradeVolumeIndex::TradeVolumeIndex(double min_tick)
    : min_tick_(std::fabs(min_tick)),
      clear_(min_tick_ + 0.0625 * min_tick_),
      near_(min_tick_ > 0.0 ? min_tick_ - 0.0625 * min_tick_ : std::numeric_limits<double>::denorm_min()) {}

double TradeVolumeIndex::near_tick(double prev, double close, double min_tick, double direction) {
    // The move's rounding: each price's and the difference's, within an ulp of the
    // larger price, and min_tick's own.
    const double slack = (std::fabs(prev) + std::fabs(close)) * 0x1p-51 + min_tick * 0x1p-52;
    const double change = close - prev;
    const double size = std::fabs(change);
    if (size > min_tick + slack) return std::copysign(1.0, change);
    if (size < min_tick - slack) return direction;
    // On the printed decimals: beyond min_tick only when strictly larger.
    if (change > 0.0) return price_unit::compare_move(prev, close, min_tick) > 0 ? 1.0 : direction;
    return price_unit::compare_move(close, prev, min_tick) > 0 ? -1.0 : direction;
}

}  // namespace torvex
