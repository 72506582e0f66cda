#include "indicators/volume/trade_volume_index.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, TradeVolumeIndex);

std::expected<TradeVolumeIndex, IndicatorError> TradeVolumeIndex::create(double min_tick) {
    if (!is_finite(min_tick) || min_tick < 0.0) {
        return std::unexpected(
            IndicatorError::invalid_parameter("trade volume index min_tick must be finite and non-negative"));
    }
    return TradeVolumeIndex(min_tick);
}

}  // namespace torvex
