#include "indicators/volume/session_vwap.hpp"

#include "indicators/volume/bar_transforms.hpp"

namespace torvex {

std::expected<SessionVwap, IndicatorError> SessionVwap::create(std::int32_t offset_minutes) {
    return SessionVwap(offset_minutes);
}

std::optional<double> SessionVwap::step(const Ohlcv& bar) {
    const std::int64_t day = local_day(local_seconds(bar.ts, offset_));
    if (!session_day_ || *session_day_ != day) {
        session_day_ = day;
        pv_sum_ = 0.0;
        volume_sum_ = 0.0;
    }
    const double tp = typical_price(bar);
    pv_sum_ += tp * bar.volume;
    volume_sum_ += bar.volume;
    if (volume_sum_ > 0.0) return pv_sum_ / volume_sum_;
    return tp;
}

}  // namespace torvex
