#include "indicators/profiles/session_high_low.hpp"

namespace torvex {

std::optional<std::array<double, 2>> SessionHighLow::step(const BarContext& ctx) {
    const Ohlcv& bar = ctx.candle;
    // Equal local day numbers are the same civil date.
    const std::int64_t day = local_day(local_seconds(bar.ts, offset_));
    if (day_ && *day_ == day) {
        if (bar.high > high_) high_ = bar.high;
        if (bar.low < low_) low_ = bar.low;
    } else {
        day_ = day;
        high_ = bar.high;
        low_ = bar.low;
    }
    return std::array<double, 2>{high_, low_};
}

}  // namespace torvex
