#include "indicators/profiles/session_range.hpp"

namespace torvex {

std::optional<std::array<double, 3>> SessionRange::step(const BarContext& ctx) {
    const Ohlcv& bar = ctx.candle;
    const std::int64_t secs = local_seconds(bar.ts, offset_);
    const std::int64_t day = local_day(secs);
    if (!day_ || *day_ != day) {
        day_ = day;
        blocks_ = {};
    }
    Block& b = blocks_[hour_of_day(secs) / 8];
    if (bar.high > b.high) b.high = bar.high;
    if (bar.low < b.low) b.low = bar.low;
    std::array<double, 3> out{};
    for (std::size_t i = 0; i < 3; ++i) out[i] = blocks_[i].low <= blocks_[i].high ? blocks_[i].high - blocks_[i].low : 0.0;
    return out;
}

}  // namespace torvex
