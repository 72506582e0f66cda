#include "indicators/volume/trade_volume_index.hpp"

namespace torvex {

std::expected<TradeVolumeIndex, IndicatorError> TradeVolumeIndex::create(double min_tick) {
    if (!is_finite(min_tick) || min_tick < 0.0) {
        return std::unexpected(
            IndicatorError::invalid_parameter("trade volume index min_tick must be finite and non-negative"));
    }
    return TradeVolumeIndex(min_tick);
}

std::optional<double> TradeVolumeIndex::step(const Ohlcv& bar) {
    if (!prev_close_) {
        prev_close_ = bar.close;
        return std::nullopt;
    }
    const double change = bar.close - *prev_close_;
    if (change > min_tick_) {
        direction_ = 1.0;
    } else if (change < -min_tick_) {
        direction_ = -1.0;
    }
    index_.add(direction_ * bar.volume);
    prev_close_ = bar.close;
    return index_.value();
}

}  // namespace torvex
